#include "portfolio/Dividendsfrm.h"

#include "frame/Clock.h"
#include "frame/DateBoxUi.h"
#include "frame/ModalUi.h"
#include "frame/NumberFormat.h"
#include "frame/StdUnitDates.h"
#include "portfolio/DividendAddEditFrm.h"

TDividendsForm::TDividendsForm(const QString &fileName, int32_t securityCode, QWidget *parent)
    : TTransListForm(TTransferKind::Dividends, fileName, securityCode, parent)
{
    setObjectName(QStringLiteral("DividendsForm"));
    setWindowTitle(QStringLiteral("Dividends"));
    setupGrid({QStringLiteral("Symbol"), QStringLiteral("Company"), QStringLiteral("Date"),
               QStringLiteral("Dividend")},
              {50, 221, 87, 87}, {false, false, false, true});
}

QString TDividendsForm::cell(const TTransRecord &r, int column)
{
    switch (column) {
    case 0:
        return r.Symbol.text();
    case 1:
        return companyOf(r.Symbol.text(), true);
    case 2:
        return ConvertDate(kFormYYYYMMDD, kFormMM_DD_YYYY, r.Date.text());
    case 3:
        return MoneyText(r.Price, 2);
    }
    return {};
}

bool TDividendsForm::runDialog(TMode mode, TTransRecord &rec)
{
    TDividendAddEditForm dialog(this);
    if (mode == TMode::Add)
        dialog.DateEdit->setDate(Clock::Today());
    else
        dialog.setInput(DividendToInput(rec));
    if (mode == TMode::Delete)
        dialog.setDeleteMode();
    if (ExecModal(&dialog) != QDialog::Accepted)
        return false;
    if (mode != TMode::Delete)
        InputToDividend(dialog.input(), rec);
    return true;
}

QString TDividendsForm::addRefusedText() const
{
    return QStringLiteral("Dividend Already On File, Dividend Not Saved!");
}

QString TDividendsForm::editRefusedText() const
{
    return QStringLiteral("Dividend Already On File, Transation Not Saved!");
}

void ShowDividends(QWidget *owner, const QString &fileName, int32_t securityCode)
{
    TDividendsForm form(fileName, securityCode, owner);
    ExecModal(&form);
}
