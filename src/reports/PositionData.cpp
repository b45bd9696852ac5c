#include "reports/PositionData.h"

#include "frame/StdUnitDates.h"
#include "portfolio/Commission.h"
#include "portfolio/Holdings.h"

#include <cmath>

namespace {

double finiteOr0(double v)
{
    return std::isfinite(v) ? v : 0.0;
}

const QList<TTransRecord> &recordsOf(const QHash<QString, QList<TTransRecord>> &bySymbol,
                                     const QString &symbol)
{
    static const QList<TTransRecord> none;
    const auto it = bySymbol.constFind(symbol);
    return it == bySymbol.constEnd() ? none : *it;
}

QString displayDate(const QString &stored)
{
    return ConvertDate(kFormYYYYMMDD, kFormMM_DD_YYYY, stored);
}

void addTrade(TDetailSection &section, const QString &date, double shares, double price, double fee)
{
    TDetailTrade t;
    t.Date = date;
    t.Bought = shares > 0;
    t.Shares = std::fabs(shares);
    t.Price = price;
    t.Fee = fee;
    t.Amount = finiteOr0(-shares * price - fee);
    section.Shares += shares;
    section.Net += t.Amount;
    // A purchase costs what was paid. A sale brings its signed amount: when
    // its fee is larger than its proceeds it cost money, and counting that as
    // money received would raise the return instead of lowering it.
    if (shares > 0)
        section.Bought += std::fabs(t.Amount);
    else
        section.Sold += t.Amount;
    section.Trades.append(t);
}

} // namespace

TSummaryData ComputeSummary(const TPortfolioRecords &records, const QDate &today, TReportNames &names)
{
    TSummaryData out;
    const QString todayText = DateToStoredText(today);
    for (const QString &symbol : records.Symbols) {
        TSummaryLine line;
        line.Symbol = symbol;
        const TReportNames::TName name = names(symbol);
        line.Name = name.Text;
        line.NameColor = name.Color;
        line.Position =
            PositionFromRecords(recordsOf(records.Trades, symbol), recordsOf(records.Dividends, symbol),
                                todayText, ReportCloseOn(symbol, todayText));
        line.GainColor = AmountColor(line.Position.Gain);
        out.Total.Shares += line.Position.Shares;
        out.Total.Dividends += line.Position.Dividends;
        out.Total.Value += line.Position.Value;
        out.Total.Gain += line.Position.Gain;
        out.Lines.append(line);
    }
    return out;
}

QList<TDetailSection> ComputeDetail(const TPortfolioRecords &records, const QDate &today, int schedule,
                                    TReportNames &names)
{
    QList<TDetailSection> out;
    const QString todayText = DateToStoredText(today);
    const QByteArray until = todayText.toLatin1();
    for (const QString &symbol : records.Symbols) {
        TDetailSection section;
        section.Symbol = symbol;
        const TReportNames::TName name = names(symbol);
        section.Name = name.Text;
        section.NameColor = name.Color;
        for (const TTransRecord &r : recordsOf(records.Trades, symbol))
            addTrade(section, displayDate(r.Date.text()), r.Shares, r.Price, r.Fee);

        for (const TTransRecord &r : recordsOf(records.Dividends, symbol)) {
            if (r.Date.bytes() <= until)
                section.Dividends += r.Price;
            section.DividendEntries.append({displayDate(r.Date.text()), r.Price > 0, std::fabs(r.Price)});
        }

        const double held = section.Shares;
        if (held > 0) {
            const double close = ReportCloseOn(symbol, todayText);
            const double fee = finiteOr0(ComputeCommission(schedule, held, close));
            addTrade(section, displayDate(todayText), -held, close, fee);
            section.Shares = held; // the heading of the closing sale shows what was held
            section.ClosingSale = true;
        }
        section.FinalPosition = section.Dividends + section.Net;
        section.Return =
            section.Bought > 0
                ? PercentCell(((section.Sold + section.Dividends) / section.Bought - 1.0) * 100.0, 2)
                : PercentCell(NAN, 2);
        out.append(section);
    }
    return out;
}
