#pragma once
// The portfolio graph's options: dividends, selling all holdings, the view.
// "Summary" always sells all holdings, so the box is forced on there.

#include "frame/Stockcfg.h"

#include <QDialog>

class QCheckBox;
class QPushButton;
class QRadioButton;

class TPortGraphSetForm : public QDialog
{
    Q_OBJECT
public:
    explicit TPortGraphSetForm(QWidget *parent = nullptr);

    // The choices as option bits and graph type.
    TPortfolioGraphOptions options() const;

    QCheckBox *IncludeDividends = nullptr, *SellAll = nullptr, *RememberSettings = nullptr;
    QRadioButton *Summary = nullptr, *CurrentYear = nullptr, *Yearly = nullptr;
    QPushButton *GraphBtn = nullptr, *CancelBtn = nullptr;

private:
    void GraphTypeClick();
    void GraphBtnClick();
};
