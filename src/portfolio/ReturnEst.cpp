#include "portfolio/ReturnEst.h"

#include "frame/NumberFormat.h"
#include "frame/StdUnitDates.h"
#include "portfolio/Commission.h"

#include <cmath>

namespace {
double numberOrZero(const QString &text)
{
    double value = 0;
    return ReadNumberText(text, &value) && std::isfinite(value) ? value : 0.0;
}

// A whole number of shares; "10.5" or "abc" count as 0.
double sharesOrZero(const QString &text)
{
    bool ok = false;
    const qlonglong shares = text.trimmed().toLongLong(&ok);
    return ok ? double(shares) : 0.0;
}
} // namespace

TReturnEstResult ComputeReturnEstimate(const TReturnEstimate &input, int schedule)
{
    TReturnEstResult r;
    const QDate buy = ReadDisplayDate(input.BuyDate);
    const QDate sell = ReadDisplayDate(input.SellDate);
    r.DatesValid = buy.isValid() && sell.isValid();
    if (r.DatesValid) {
        r.TotalDays = int(buy.daysTo(sell));
        r.TotalDaysHeld = IntegerText(r.TotalDays);
        r.DaysHeld = IntegerText(r.TotalDays % 365); // truncates toward zero, as C++ does
        r.YearsHeld = IntegerText(r.TotalDays / 365);
    } else {
        r.TotalDaysHeld = r.DaysHeld = r.YearsHeld = kNotAvailable;
    }

    const double shares = sharesOrZero(input.Shares);
    const double buyPrice = numberOrZero(input.BuyPrice);
    const double sellPrice = numberOrZero(input.SellPrice);
    const double buyCommission = ComputeCommission(schedule, shares, buyPrice);
    const double sellCommission = ComputeCommission(schedule, shares, sellPrice);
    r.InitialCostValue = shares * buyPrice + buyCommission;
    r.ProceedsValue = shares * sellPrice - sellCommission;
    r.ProfitLossValue = r.ProceedsValue - r.InitialCostValue;
    r.Profit = r.ProfitLossValue >= 0;

    r.BuyCommission = MoneyText(buyCommission, 2);
    r.SellCommission = MoneyText(sellCommission, 2);
    r.InitialCost = MoneyText(r.InitialCostValue, 2);
    r.Proceeds = MoneyText(r.ProceedsValue, 2);
    r.ProfitLoss = MoneyText(r.ProfitLossValue, 2);

    // A zero cost has no return to speak of; the screen shows "N/A" rather
    // than an infinity.
    const bool costKnown = r.InitialCostValue != 0;
    const double ratio = costKnown ? r.ProfitLossValue / r.InitialCostValue : 0.0;
    r.Return = costKnown ? PercentText(ratio * 100, 2) : kNotAvailable;
    if (!costKnown || !r.DatesValid || r.TotalDays == 0)
        r.Annualized = kNotAvailable;
    else
        r.Annualized = PercentText(ratio / (double(r.TotalDays) / 365.0) * 100, 2);
    return r;
}
