#pragma once
// The dividend dialog for add, edit and delete: symbol with its name, date,
// amount, and whether it was received or paid out.

#include "portfolio/TransEntry.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TDateBox;

class TDividendAddEditForm : public QDialog
{
    Q_OBJECT
public:
    explicit TDividendAddEditForm(QWidget *parent = nullptr);

    void setInput(const TDividendInput &in);
    TDividendInput input() const;
    void setDeleteMode();
    void SaveBtnClick();

    QLineEdit *SymbolEdit = nullptr;
    QLabel *NameLabel = nullptr;
    TDateBox *DateEdit = nullptr;
    QLineEdit *DividendEdit = nullptr;
    QRadioButton *ReceivedBtn = nullptr, *DistributedBtn = nullptr;
    QPushButton *SaveBtn = nullptr, *DeleteBtn = nullptr, *CancelBtn = nullptr;

protected:
    bool event(QEvent *event) override;
};
