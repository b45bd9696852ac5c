#include "portfolio/Commission.h"

#include "frame/Stockcfg.h"

#include <algorithm>

namespace {

const char *const kBrokerName = "Brenwick & Co.";

double webCommission(double shares)
{
    return shares > 1000 ? shares * 0.03 : 29.95;
}

// The tier charge by principal; a principal on a boundary takes the higher row.
double tierCharge(double principal)
{
    struct TTier
    {
        double below, base, rate;
    };
    static const TTier tiers[] = {
        {2500, 30, 0.017},    {6250, 56, 0.0066},    {20000, 76, 0.0034},
        {50000, 100, 0.0022}, {500000, 155, 0.0011},
    };
    for (const TTier &t : tiers) {
        if (principal < t.below)
            return t.base + t.rate * principal;
    }
    return 255 + 0.0009 * principal;
}

double brokerCommission(double shares, double price)
{
    const double principal = shares * price;
    if (price < 1)
        return 39 + 0.04 * principal;
    const double ceiling = shares <= 100 ? 55 : 55 + 0.55 * (shares - 100);
    double floor = 0.09 * shares;
    if (shares > 1000)
        floor = 90 + (shares - 1000) * (price >= 5 ? 0.05 : 0.04);
    double c = std::min(tierCharge(principal), ceiling);
    c = std::max(c, floor);
    return std::max(c, 39.0);
}

} // namespace

double ComputeCommission(int index, double shares, double price)
{
    switch (index) {
    case csWeb:
        return webCommission(shares);
    case csBroker:
        return brokerCommission(shares, price);
    case csPercent:
        return shares * price * GetPercentCommission().Rate;
    default:
        return 0;
    }
}

QString ScheduleTitle(int index)
{
    switch (index) {
    case csWeb:
        return QStringLiteral("Brenwick & Co. Web Commissions");
    case csBroker:
        return QStringLiteral("Brenwick & Co. Broker Commissions");
    case csPercent:
        return QStringLiteral("Percent Commission Calculator");
    default:
        return QString();
    }
}

QString ScheduleBroker(int index)
{
    switch (index) {
    case csWeb:
    case csBroker:
        return QLatin1String(kBrokerName);
    case csPercent:
        return GetPercentCommission().Broker.text();
    default:
        return QString();
    }
}

QString ScheduleDescription(int index)
{
    switch (index) {
    case csWeb:
        return QStringLiteral(
            "Commission Schedule Effective 11/27/1999\r\nStill Effective As Of Dec 01, 1999.\r\n");
    case csBroker:
        return QStringLiteral(
            "Commission Schedule Effective May 20, 1991\r\nStill Effective As Of Dec 29, 1993.\r\n");
    case csPercent: {
        // Always "." as decimal point: the figure stands in a fixed text.
        const QString rate = QStringLiteral("%1").arg(GetPercentCommission().Rate * 100, 5, 'f', 2);
        return ScheduleTitle(csPercent) + QStringLiteral("\r\n\r\nThe Commission Is Based On ") + rate +
               QStringLiteral("% Of The\r\nTotal Price (Shares * Price Per Share)\r\n");
    }
    default:
        return QString();
    }
}
