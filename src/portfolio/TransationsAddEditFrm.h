#pragma once
// The transaction dialog for add, edit and delete: symbol with its name,
// date, shares, price, fee, bought or sold, and the total they make.

#include "portfolio/TransEntry.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TDateBox;

class TTransationAddEditForm : public QDialog
{
    Q_OBJECT
public:
    explicit TTransationAddEditForm(QWidget *parent = nullptr);

    void setInput(const TTransInput &in);
    TTransInput input() const;
    void setDeleteMode();

    void SaveBtnClick();
    void SymbolEditChange();
    void UpdateTotal();

    QLineEdit *SymbolEdit = nullptr;
    QLabel *NameLabel = nullptr;
    TDateBox *DateEdit = nullptr;
    QLineEdit *SharesEdit = nullptr, *PriceEdit = nullptr, *FeeEdit = nullptr, *TotalEdit = nullptr;
    QRadioButton *BoughtBtn = nullptr, *SoldBtn = nullptr;
    QPushButton *SaveBtn = nullptr, *DeleteBtn = nullptr, *CancelBtn = nullptr;

protected:
    bool event(QEvent *event) override;
};

// The symbol's name in black, or the symbol and " Not On File" in red.
void ShowSymbolName(QLabel *label, const QString &symbol);
