#include "portfolio/Transationfrm.h"

#include "frame/Clock.h"
#include "frame/DateBoxUi.h"
#include "frame/ModalUi.h"
#include "frame/NumberFormat.h"
#include "frame/StdUnitDates.h"
#include "portfolio/TransationsAddEditFrm.h"

#include <QPushButton>

TTransationForm::TTransationForm(const QString &fileName, int32_t securityCode, QWidget *parent)
    : TTransListForm(TTransferKind::Transactions, fileName, securityCode, parent)
{
    setObjectName(QStringLiteral("TransationForm"));
    setWindowTitle(QStringLiteral("Transations"));
    setupGrid({QStringLiteral("Symbol"), QStringLiteral("Company"), QStringLiteral("Date"),
               QStringLiteral("Shares"), QStringLiteral("Price"), QStringLiteral("Fee"),
               QStringLiteral("Total")},
              {49, 128, 87, 78, 69, 64, 80}, {false, false, false, true, true, true, true});
}

QString TTransationForm::cell(const TTransRecord &r, int column)
{
    switch (column) {
    case 0:
        return r.Symbol.text();
    case 1:
        return companyOf(r.Symbol.text(), false);
    case 2:
        return ConvertDate(kFormYYYYMMDD, kFormMM_DD_YYYY, r.Date.text());
    case 3:
        return FixedText(r.Shares, 4);
    case 4:
        return MoneyText(r.Price, 2);
    case 5:
        return MoneyText(r.Fee, 2);
    case 6:
        return MoneyText(TransactionTotal(r), 2);
    }
    return {};
}

bool TTransationForm::runDialog(TMode mode, TTransRecord &rec)
{
    TTransationAddEditForm dialog(this);
    if (mode == TMode::Add)
        dialog.DateEdit->setDate(Clock::Today());
    else
        dialog.setInput(TransactionToInput(rec));
    if (mode == TMode::Delete)
        dialog.setDeleteMode();
    if (ExecModal(&dialog) != QDialog::Accepted)
        return false;
    if (mode != TMode::Delete)
        InputToTransaction(dialog.input(), rec);
    return true;
}

QString TTransationForm::addRefusedText() const
{
    return QStringLiteral("Transation Already On File, Transation Not Saved!");
}

QString TTransationForm::editRefusedText() const
{
    return addRefusedText();
}

void ShowTransactions(QWidget *owner, const QString &fileName, int32_t securityCode)
{
    TTransationForm form(fileName, securityCode, owner);
    ExecModal(&form);
}
