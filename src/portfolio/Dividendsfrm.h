#pragma once
// The Dividends window of a portfolio: its .div file as a grid.

#include "portfolio/TransListFrm.h"

class TDividendsForm : public TTransListForm
{
    Q_OBJECT
public:
    TDividendsForm(const QString &fileName, int32_t securityCode, QWidget *parent = nullptr);

protected:
    bool runDialog(TMode mode, TTransRecord &rec) override;
    QString cell(const TTransRecord &rec, int column) override;
    QString addRefusedText() const override;
    QString editRefusedText() const override;
};

void ShowDividends(QWidget *owner, const QString &fileName, int32_t securityCode);
