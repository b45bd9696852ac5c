#pragma once
// The Transactions window of a portfolio: its .tra file as a grid.

#include "portfolio/TransListFrm.h"

class TTransationForm : public TTransListForm
{
    Q_OBJECT
public:
    TTransationForm(const QString &fileName, int32_t securityCode, QWidget *parent = nullptr);

protected:
    bool runDialog(TMode mode, TTransRecord &rec) override;
    QString cell(const TTransRecord &rec, int column) override;
    QString addRefusedText() const override;
    QString editRefusedText() const override;
};

// Shows the window modally for the portfolio.
void ShowTransactions(QWidget *owner, const QString &fileName, int32_t securityCode);
