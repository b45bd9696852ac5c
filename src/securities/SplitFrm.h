#pragma once
// The split dialog: effective date and the "after For before" ratio.

#include "securities/PriceRuns.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class TDateBox;

class TSplitForm : public QDialog
{
    Q_OBJECT
public:
    explicit TSplitForm(QWidget *parent = nullptr);

    TSplitEntry entry() const;

    TDateBox *SplitDate = nullptr;
    QLineEdit *AfterSplit = nullptr;
    QLineEdit *BeforeSplit = nullptr;
    QPushButton *SplitBtn = nullptr;
    QPushButton *CancelBtn = nullptr;

public slots:
    void SplitBtnClick();
};
