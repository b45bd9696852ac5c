#include "reports/ReportData.h"

#include "frame/NumberFormat.h"
#include "frame/StdUnitDates.h"
#include "frame/StdUnitFiles.h"
#include "frame/Stockcfg.h"
#include "portfolio/Holdings.h"
#include "records/Database.h"
#include "records/SblBase.h"
#include "records/WatchBase.h"
#include "securities/SymbolLookup.h"

#include <QFile>
#include <cmath>
#include <memory>

namespace {

double finiteOr0(double v)
{
    return std::isfinite(v) ? v : 0.0;
}

TTransRecord sanitized(const TTransRecord &r)
{
    TTransRecord out = r;
    out.Shares = finiteOr0(r.Shares);
    out.Price = finiteOr0(r.Price);
    out.Fee = finiteOr0(r.Fee);
    return out;
}

bool namesAFile(const QString &name)
{
    return !name.isEmpty() && IsSafeFileNamePart(name);
}

// Opens an existing register for a pass; a missing file stays missing.
template <class File> std::unique_ptr<File> openExisting(const QString &path)
{
    if (!QFile::exists(path))
        return nullptr;
    auto file = std::make_unique<File>(path);
    if (!file->IsOpen())
        file = std::make_unique<File>(path, TOpenMode::ReadOnly);
    return file->IsOpen() ? std::move(file) : nullptr;
}

} // namespace

TPercentCell PercentCell(double percent, int decimals)
{
    TPercentCell cell;
    if (!std::isfinite(percent)) {
        cell.Text = kNotAvailable;
        return cell;
    }
    const QString fixed = FixedText(percent, decimals);
    cell.Text = fixed + QLatin1Char('%');
    // The comparisons of the reports use what the reader sees, so a day that
    // shows "5.000%" is not above a threshold of 5.
    cell.Value = fixed.toDouble();
    cell.Available = true;
    return cell;
}

TPercentCell PercentChangeCell(double base, double value, int decimals)
{
    if (!std::isfinite(base) || !std::isfinite(value) || base == 0) {
        TPercentCell cell;
        cell.Text = kNotAvailable;
        return cell;
    }
    return PercentCell((value / base - 1.0) * 100.0, decimals);
}

TPortfolioRecords ReadPortfolioRecords(const QString &portfolioFileName)
{
    TPortfolioRecords out;
    if (!namesAFile(portfolioFileName))
        return out;
    if (auto trades = openExisting<TTransBase>(TransactionFilePath(portfolioFileName))) {
        trades->ScanAll([&](const TTransRecord &r) {
            const QString symbol = r.Symbol.text();
            auto it = out.Trades.find(symbol);
            if (it == out.Trades.end()) {
                it = out.Trades.insert(symbol, {});
                out.Symbols.append(symbol);
            }
            it->append(sanitized(r));
        });
    }
    if (auto dividends = openExisting<TTransBase>(DividendFilePath(portfolioFileName))) {
        dividends->ScanAll(
            [&](const TTransRecord &r) { out.Dividends[r.Symbol.text()].append(sanitized(r)); });
    }
    return out;
}

double ReportCloseOn(const QString &symbol, const QString &storedDate)
{
    if (!namesAFile(symbol))
        return 0;
    auto prices = openExisting<TDataBase>(PriceFilePath(symbol));
    if (!prices || prices->RecordCount() == 0)
        return 0;
    TPriceRecord rec;
    prices->Find(rec, storedDate);
    if (prices->Status() & IoError)
        return 0;
    return finiteOr0(rec.Close);
}

TPosition PositionFromRecords(const QList<TTransRecord> &trades, const QList<TTransRecord> &dividends,
                              const QString &storedDate, double close)
{
    TPosition p;
    const QByteArray until = storedDate.toLatin1();
    double money = 0;
    for (const TTransRecord &r : trades) {
        if (r.Date.bytes() <= until) {
            p.Shares += r.Shares;
            money += -r.Shares * r.Price - r.Fee;
        }
    }
    for (const TTransRecord &r : dividends) {
        if (r.Date.bytes() <= until)
            p.Dividends += r.Price;
    }
    p.Value = finiteOr0(finiteOr0(close) * p.Shares);
    p.Gain = finiteOr0(money + p.Value + p.Dividends);
    return p;
}

TReportNames::TReportNames()
    : m_file(new TSymbolDataBase(GetFolders().Symbol + QStringLiteral("Stocks.sbl"), TOpenMode::ReadOnly))
{
}

TReportNames::~TReportNames()
{
    delete m_file;
}

TReportNames::TName TReportNames::operator()(const QString &symbol)
{
    auto it = m_cache.constFind(symbol);
    if (it != m_cache.constEnd())
        return *it;
    const TSymbolName found = SymbolName(*m_file, symbol);
    return *m_cache.insert(symbol, {found.Name, found.Color});
}

// ---- portfolio percent change ---------------------------------------------

namespace {

void fillChange(TPercentChangeLine &line, double threshold)
{
    line.Change = finiteOr0(line.EndValue - line.StartValue);
    line.ChangeColor = AmountColor(line.Change);
    line.Percent = PercentChangeCell(line.StartValue, line.EndValue, 2);
    line.Bold = std::fabs(line.Percent.Value) >= threshold;
}

void addTo(TPosition &total, const TPosition &p)
{
    total.Shares += p.Shares;
    total.Dividends += p.Dividends;
    total.Value += p.Value;
    total.Gain += p.Gain;
}

} // namespace

TPercentChangeData ComputePercentChange(const TPortfolioRecords &records, const QDate &start,
                                        const QDate &end, double threshold, TReportNames &names)
{
    TPercentChangeData out;
    const QString startText = DateToStoredText(start);
    const QString endText = DateToStoredText(end);
    static const QList<TTransRecord> none;
    for (const QString &symbol : records.Symbols) {
        const QList<TTransRecord> &trades = records.Trades.value(symbol);
        const auto divIt = records.Dividends.constFind(symbol);
        const QList<TTransRecord> &dividends = divIt == records.Dividends.constEnd() ? none : *divIt;
        const TPosition s =
            PositionFromRecords(trades, dividends, startText, ReportCloseOn(symbol, startText));
        const TPosition e = PositionFromRecords(trades, dividends, endText, ReportCloseOn(symbol, endText));
        addTo(out.StartTotal, s);
        addTo(out.EndTotal, e);

        TPercentChangeLine line;
        line.Symbol = symbol;
        const TReportNames::TName name = names(symbol);
        line.Name = name.Text;
        line.NameColor = name.Color;
        line.StartValue = s.Value;
        line.EndValue = e.Value;
        fillChange(line, threshold);
        out.Lines.append(line);
    }
    out.Total.Name = QStringLiteral("Portfolio");
    out.Total.StartValue = out.StartTotal.Value;
    out.Total.EndValue = out.EndTotal.Value;
    fillChange(out.Total, threshold);
    return out;
}

TPercentChangeData ComputePercentChange(const QString &portfolioFileName, const QDate &start,
                                        const QDate &end, double threshold)
{
    TReportNames names;
    return ComputePercentChange(ReadPortfolioRecords(portfolioFileName), start, end, threshold, names);
}

// ---- stock percent change -------------------------------------------------

QList<TStockChangeLine> ComputeStockPercentChange(TWatchDatabase &watch, const QDate &start, const QDate &end,
                                                  double threshold)
{
    QList<TStockChangeLine> out;
    if (!watch.IsOpen())
        return out;
    const int saved = watch.CurrentIndex();
    const QString startText = DateToStoredText(start);
    const QString endText = DateToStoredText(end);
    TReportNames names;
    TListRecord entry;
    for (int i = 0; i < watch.RecordCount(); ++i) {
        watch.ReadAt(entry, i);
        if (watch.Status() & IoError)
            break;
        TStockChangeLine line;
        line.Symbol = entry.FileName.text();
        const TReportNames::TName name = names(line.Symbol);
        line.Name = name.Text;
        line.NameColor = name.Color;
        // Each entry starts from nothing: an empty or missing price file gives
        // closes of 0, never the figures of the entry before it.
        if (namesAFile(line.Symbol)) {
            if (auto prices = openExisting<TDataBase>(PriceFilePath(line.Symbol));
                prices && prices->RecordCount()) {
                TPriceRecord rec;
                prices->Find(rec, startText);
                line.Start = (prices->Status() & IoError) ? 0 : finiteOr0(rec.Close);
                rec = TPriceRecord();
                prices->Find(rec, endText);
                line.End = (prices->Status() & IoError) ? 0 : finiteOr0(rec.Close);
            }
        }
        line.Percent = PercentChangeCell(line.Start, line.End, 2);
        line.Bold = line.Percent.Available && line.Percent.Value >= threshold;
        out.append(line);
    }
    watch.SetCurrentIndex(saved);
    return out;
}

// ---- day-by-day changes ---------------------------------------------------

TDayChangeSection ComputeDayChanges(const QString &symbol, const QDate &start, const QDate &end,
                                    double threshold, TReportNames &names)
{
    TDayChangeSection out;
    out.Symbol = symbol;
    const TReportNames::TName name = names(symbol);
    out.Name = name.Text;
    out.NameColor = name.Color;
    // Without two real dates there is no range: an empty date text would
    // otherwise start the table at the first record of the history.
    if (!namesAFile(symbol) || DateToStoredText(start).isEmpty() || DateToStoredText(end).isEmpty())
        return out;
    auto prices = openExisting<TDataBase>(PriceFilePath(symbol));
    if (!prices || prices->RecordCount() == 0)
        return out;

    const QByteArray endText = DateToStoredText(end).toLatin1();
    TPriceRecord first;
    prices->Find(first, DateToStoredText(start));
    TPriceRecord previous = first;
    TPriceRecord current = first;
    while (current.Date.bytes() <= endText && (prices->Status() & ~uint16_t(NotFound)) == 0) {
        TDayChangeLine line;
        line.Date = ConvertDate(kFormYYYYMMDD, kFormMM_DD_YYYY, current.Date.text());
        line.Close = finiteOr0(current.Close);
        line.Volume = current.Volume;
        line.Percent[0] = PercentChangeCell(finiteOr0(previous.Close), line.Close, 3);
        line.Percent[1] = PercentChangeCell(previous.Volume, current.Volume, 3);
        line.Percent[2] = PercentChangeCell(finiteOr0(first.Close), line.Close, 3);
        line.Percent[3] = PercentChangeCell(first.Volume, current.Volume, 3);
        line.Bold = std::fabs(line.Percent[0].Value) > threshold;
        out.Lines.append(line);
        previous = current;
        prices->Next(current);
    }
    return out;
}
