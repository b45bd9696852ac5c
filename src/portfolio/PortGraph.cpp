#include "portfolio/PortGraph.h"

#include "frame/NumberFormat.h"
#include "frame/StdUnitDates.h"
#include "frame/StdUnitFiles.h"
#include "records/Database.h"

#include <QFile>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <deque>

namespace {

// The year of a stored date text as a number, or -1 when its first four
// characters are not digits (garbage records take part in nothing).
int yearOf(const QByteArray &date)
{
    if (date.size() < 4)
        return -1;
    int year = 0;
    for (int i = 0; i < 4; ++i) {
        const char c = date.at(i);
        if (c < '0' || c > '9')
            return -1;
        year = year * 10 + (c - '0');
    }
    return year;
}

bool usable(const TTransRecord &rec)
{
    return std::isfinite(rec.Shares) && std::isfinite(rec.Price) && std::isfinite(rec.Fee);
}

QString yearText(int year)
{
    return QStringLiteral("%1").arg(year, 4, 10, QLatin1Char('0'));
}

struct TLot
{
    QByteArray Date;
    double Shares = 0; // remaining, as a magnitude
    double Original = 0;
    double Price = 0;
    double Fee = 0;
    double FeeLeft = 0;
};

TLot makeLot(const QByteArray &date, double shares, double price, double fee)
{
    TLot lot;
    lot.Date = date;
    lot.Shares = std::fabs(shares);
    lot.Original = lot.Shares;
    lot.Price = price;
    lot.Fee = fee;
    lot.FeeLeft = fee;
    return lot;
}

// The part of a lot's fee that `matched` of its shares carry. Shares matched
// in several parts carry the fee in proportion, and the last part takes what
// is left, so the whole fee counts exactly once however the lot is split. A
// lot matched whole in one match carries its full fee.
double takeFee(TLot &lot, double matched)
{
    lot.Shares -= matched;
    if (lot.Shares <= 0 || lot.Original <= 0) {
        lot.Shares = 0;
        const double fee = lot.FeeLeft;
        lot.FeeLeft = 0;
        return fee;
    }
    const double fee = lot.Fee * matched / lot.Original;
    lot.FeeLeft -= fee;
    return fee;
}

template <class Rec> QVector<Rec> readRecords(const QString &path)
{
    QVector<Rec> out;
    QFile file(path);
    if (!file.exists() || !file.open(QIODevice::ReadOnly))
        return out;
    const QByteArray bytes = file.readAll();
    const qsizetype count = bytes.size() / qsizetype(sizeof(Rec)); // a torn last record is left out
    out.resize(count);
    if (count > 0)
        std::memcpy(static_cast<void *>(out.data()), bytes.constData(), size_t(count) * sizeof(Rec));
    return out;
}

double lastCloseOnFile(const QString &symbol)
{
    if (symbol.isEmpty() || !IsSafeFileNamePart(symbol))
        return 0;
    QFile file(PriceFilePath(symbol));
    if (!file.exists() || !file.open(QIODevice::ReadOnly))
        return 0;
    const qint64 count = file.size() / qint64(sizeof(TPriceRecord));
    if (count <= 0 || !file.seek((count - 1) * qint64(sizeof(TPriceRecord))))
        return 0;
    TPriceRecord rec;
    if (file.read(reinterpret_cast<char *>(&rec), sizeof rec) != qint64(sizeof rec))
        return 0;
    return std::isfinite(rec.Close) ? rec.Close : 0;
}

} // namespace

int TPortGraphView::pageCount() const
{
    return std::max<int>(1, int((Bars.size() + kPortGraphBarsPerPage - 1) / kPortGraphBarsPerPage));
}

QVector<TPortGraphBar> TPortGraphView::page(int index) const
{
    if (index < 0)
        return {};
    return Bars.mid(qsizetype(index) * kPortGraphBarsPerPage, kPortGraphBarsPerPage);
}

TPortGraphTables BuildPortGraphTables(const TPortGraphInput &input)
{
    TPortGraphTables tables;
    tables.CurrentYear = input.CurrentYear;
    const int currentYear = yearOf(input.CurrentYear.toLatin1());

    // Symbols once each, in order of first appearance: the file is ordered by
    // symbol and date written together, so "A" and "A20" may interleave.
    QHash<QByteArray, int> indexOf;
    QVector<QByteArray> keys;
    int firstYear = -1;
    for (const TTransRecord &rec : input.Transactions) {
        const QByteArray symbol = rec.Symbol.bytes();
        if (!indexOf.contains(symbol)) {
            indexOf.insert(symbol, int(keys.size()));
            keys.append(symbol);
        }
        const int year = yearOf(rec.Date.bytes());
        if (year >= 0 && (firstYear < 0 || year < firstYear))
            firstYear = year;
    }
    const int yearCount = (firstYear >= 0 && currentYear >= firstYear) ? currentYear - firstYear + 1 : 0;
    if (firstYear >= 0)
        tables.FirstYear = yearText(firstYear);

    tables.Symbols.resize(keys.size());
    for (qsizetype s = 0; s < keys.size(); ++s) {
        TPortGraphSymbol &symbol = tables.Symbols[s];
        symbol.Symbol = QString::fromLatin1(keys[s]);
        symbol.Years.resize(yearCount);
        for (int y = 0; y < yearCount; ++y)
            symbol.Years[y].Year = yearText(firstYear + y);
    }
    if (yearCount == 0)
        return tables; // no entry to fill; the matching would drop every result

    auto entry = [&](int s, int year) -> TPortGraphYear * {
        if (year < firstYear || year > currentYear || yearCount == 0)
            return nullptr;
        return &tables.Symbols[s].Years[year - firstYear];
    };

    // Dividends count in their own year only.
    for (const TTransRecord &rec : input.Dividends) {
        const auto it = indexOf.constFind(rec.Symbol.bytes());
        if (it == indexOf.constEnd() || !std::isfinite(rec.Price))
            continue;
        if (TPortGraphYear *e = entry(*it, yearOf(rec.Date.bytes())))
            e->Dividends += rec.Price;
    }

    // The year's own movements first, then running sums: an entry holds
    // everything dated in its year or earlier.
    QVector<std::deque<TLot>> purchases(keys.size()), sales(keys.size());
    QVector<double> allNetShares(keys.size(), 0.0);
    for (const TTransRecord &rec : input.Transactions) {
        if (!usable(rec))
            continue;
        const int s = indexOf.value(rec.Symbol.bytes());
        const QByteArray date = rec.Date.bytes();
        if (rec.Shares > 0)
            purchases[s].push_back(makeLot(date, rec.Shares, rec.Price, rec.Fee));
        else
            sales[s].push_back(makeLot(date, rec.Shares, rec.Price, rec.Fee));
        allNetShares[s] += rec.Shares;

        const int year = yearOf(date);
        if (year < 0)
            continue;
        // Older than the first year cannot happen; later than the current
        // year enters no entry.
        TPortGraphYear *e = entry(s, year);
        if (!e)
            continue;
        e->NetShares += rec.Shares;
        if (rec.Shares >= 0)
            e->Bought += rec.Shares * rec.Price + rec.Fee;
        else
            e->Sold += std::fabs(rec.Shares) * rec.Price - rec.Fee;
        e->CashFlow += -rec.Shares * rec.Price - rec.Fee;
    }

    QHash<int, double> closes;
    auto closeOf = [&](int s) {
        auto it = closes.constFind(s);
        if (it != closes.constEnd())
            return *it;
        double close = input.LastClose ? input.LastClose(tables.Symbols[s].Symbol) : 0.0;
        if (!std::isfinite(close))
            close = 0;
        closes.insert(s, close);
        return close;
    };

    for (qsizetype s = 0; s < keys.size(); ++s) {
        QVector<TPortGraphYear> &years = tables.Symbols[s].Years;
        for (int y = 1; y < yearCount; ++y) {
            years[y].NetShares += years[y - 1].NetShares;
            years[y].Bought += years[y - 1].Bought;
            years[y].Sold += years[y - 1].Sold;
            years[y].CashFlow += years[y - 1].CashFlow;
        }
        if (input.SellAll && yearCount > 0) {
            TPortGraphYear &last = years[yearCount - 1];
            if (last.NetShares != 0) {
                const double close = closeOf(int(s));
                if (last.NetShares > 0)
                    last.Sold += last.NetShares * close;
                else
                    last.Bought += std::fabs(last.NetShares) * close;
                last.CashFlow += last.NetShares * close;
            }
        }
    }

    // First in, first out. A lot left over when the other queue is empty is
    // an open position and has no realised result.
    const QByteArray today = input.Today.toLatin1();
    for (qsizetype s = 0; s < keys.size(); ++s) {
        std::deque<TLot> &buys = purchases[s];
        std::deque<TLot> &sells = sales[s];
        if (input.SellAll && allNetShares[s] != 0) {
            const double close = closeOf(int(s));
            if (allNetShares[s] > 0)
                sells.push_back(makeLot(today, -allNetShares[s], close, 0));
            else
                buys.push_back(makeLot(today, -allNetShares[s], close, 0));
        }
        while (!buys.empty() && !sells.empty()) {
            TLot &b = buys.front();
            TLot &a = sells.front();
            const double m = std::min(b.Shares, a.Shares);
            const double cost = m * b.Price + takeFee(b, m);
            const double proceeds = m * a.Price - takeFee(a, m);
            const QByteArray &date = a.Date > b.Date ? a.Date : b.Date;
            if (TPortGraphYear *e = entry(int(s), yearOf(date)))
                e->Realised += proceeds - cost;
            if (b.Shares <= 0)
                buys.pop_front();
            if (a.Shares <= 0)
                sells.pop_front();
        }
    }
    return tables;
}

QString PortGraphProfitText(double total)
{
    return (total > 0 ? QStringLiteral("Profit: ") : QStringLiteral("Loss: ")) + MoneyText(total, 2);
}

namespace {
QString secondTitle(bool includeDividends)
{
    return includeDividends ? QStringLiteral("Dividends Included") : QStringLiteral("Dividends Not Included");
}
} // namespace

TPortGraphView PortGraphYearlyView(const TPortGraphTables &tables, const QString &caption,
                                   bool includeDividends)
{
    TPortGraphView view;
    view.Heading = QStringLiteral("Yearly Data For: ") + caption;
    view.SecondTitle = secondTitle(includeDividends);
    const qsizetype years = tables.Symbols.isEmpty() ? 0 : tables.Symbols.first().Years.size();
    double total = 0;
    for (qsizetype y = years - 1; y >= 0; --y) {
        double value = 0;
        for (const TPortGraphSymbol &symbol : tables.Symbols) {
            const TPortGraphYear &e = symbol.Years[y];
            value += e.Realised + (includeDividends ? e.Dividends : 0.0);
        }
        total += value;
        if (value != 0)
            view.Bars.append({tables.Symbols.first().Years[y].Year, value});
    }
    view.Footer = PortGraphProfitText(total);
    return view;
}

TPortGraphView PortGraphYearView(const TPortGraphTables &tables, const QString &year, const QString &caption,
                                 bool includeDividends)
{
    TPortGraphView view;
    view.Heading = QStringLiteral("Year ") + year + QStringLiteral(" Data For: ") + caption;
    view.SecondTitle = secondTitle(includeDividends);
    double total = 0;
    for (const TPortGraphSymbol &symbol : tables.Symbols) {
        for (const TPortGraphYear &e : symbol.Years) {
            if (e.Year != year)
                continue;
            const double value = e.Realised + (includeDividends ? e.Dividends : 0.0);
            total += value;
            if (value != 0)
                view.Bars.append({symbol.Symbol, value});
            break;
        }
    }
    view.Footer = PortGraphProfitText(total);
    return view;
}

TPortGraphView PortGraphSummaryView(const TPortGraphTables &tables, const QString &caption,
                                    bool includeDividends)
{
    TPortGraphView view;
    view.Heading = QStringLiteral("Summary: ") + caption;
    view.SecondTitle = secondTitle(includeDividends);
    double soldTotal = 0;
    double boughtTotal = 0;
    for (const TPortGraphSymbol &symbol : tables.Symbols) {
        if (symbol.Years.isEmpty())
            continue; // every transaction lies after the current year
        double dividends = 0;
        for (const TPortGraphYear &e : symbol.Years)
            dividends += e.Dividends;
        const TPortGraphYear &current = symbol.Years.last();
        const double value = (includeDividends ? dividends : 0.0) + current.CashFlow;
        view.Bars.append({symbol.Symbol, value});
        soldTotal += current.Sold + (includeDividends ? dividends : 0.0);
        boughtTotal += current.Bought;
    }
    const double result = soldTotal - boughtTotal;
    const QString ret =
        boughtTotal != 0 ? PercentText((soldTotal / boughtTotal - 1) * 100, 3, 3) : kNotAvailable;
    view.Footer = PortGraphProfitText(result) + QStringLiteral("    Return: ") + ret;
    return view;
}

TPortGraphInput ReadPortGraphInput(const QString &portfolioFileName, const QDate &today,
                                   bool includeDividends, bool sellAll)
{
    TPortGraphInput input;
    input.Today = DateToStoredText(today);
    input.CurrentYear = StoredYear(input.Today);
    input.IncludeDividends = includeDividends;
    input.SellAll = sellAll;
    input.LastClose = lastCloseOnFile;
    if (portfolioFileName.isEmpty() || !IsSafeFileNamePart(portfolioFileName))
        return input;
    input.Transactions = readRecords<TTransRecord>(TransactionFilePath(portfolioFileName));
    input.Dividends = readRecords<TTransRecord>(DividendFilePath(portfolioFileName));
    return input;
}

TPortGraphView BuildPortGraphView(const TPortGraphInput &input, TPortGraphViewKind kind, const QString &year,
                                  const QString &caption)
{
    const TPortGraphTables tables = BuildPortGraphTables(input);
    switch (kind) {
    case TPortGraphViewKind::Summary:
        return PortGraphSummaryView(tables, caption, input.IncludeDividends);
    case TPortGraphViewKind::CurrentYear:
        return PortGraphYearView(tables, year, caption, input.IncludeDividends);
    case TPortGraphViewKind::Yearly:
        break;
    }
    return PortGraphYearlyView(tables, caption, input.IncludeDividends);
}

namespace {

// Fixed-point with comma thousands separators; trailing zeros beyond
// `minDecimals` dropped.
QString groupedMoney(double value, int maxDecimals, int minDecimals)
{
    if (!std::isfinite(value))
        return kNotAvailable;
    QString digits = QString::number(std::fabs(value), 'f', maxDecimals);
    int point = digits.indexOf(QLatin1Char('.'));
    if (point >= 0) {
        int keep = digits.size();
        while (keep > point + 1 + minDecimals && digits.at(keep - 1) == QLatin1Char('0'))
            --keep;
        if (keep == point + 1)
            keep = point;
        digits.truncate(keep);
    }
    point = digits.indexOf(QLatin1Char('.'));
    for (int i = (point < 0 ? digits.size() : point) - 3; i > 0; i -= 3)
        digits.insert(i, QLatin1Char(','));
    const bool negative = value < 0 && digits.contains(QRegularExpression(QStringLiteral("[1-9]")));
    return (negative ? QStringLiteral("-$") : QStringLiteral("$")) + digits;
}

} // namespace

QString PortGraphAxisText(double value)
{
    return groupedMoney(value, 3, 0);
}

QString PortGraphBarText(double value)
{
    return groupedMoney(value, 2, 2);
}

QVector<double> PortGraphAxisTicks(double low, double high)
{
    if (!std::isfinite(low) || !std::isfinite(high))
        low = high = 0;
    low = std::min(low, 0.0);
    high = std::max(high, 0.0);
    if (high - low < 1e-9)
        high = low + 1;
    const double rough = (high - low) / 5;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = power;
    for (const double m : {1.0, 2.0, 5.0, 10.0}) {
        step = m * power;
        if (step >= rough)
            break;
    }
    QVector<double> ticks;
    const double first = std::floor(low / step) * step;
    for (double t = first; t < high + step * 0.999; t += step)
        ticks << (std::fabs(t) < step * 1e-9 ? 0.0 : t);
    if (ticks.size() < 2)
        ticks << ticks.value(0) + step;
    return ticks;
}
