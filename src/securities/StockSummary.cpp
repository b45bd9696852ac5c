#include "securities/StockSummary.h"

#include "frame/NumberFormat.h"
#include "frame/StdUnitDates.h"
#include "frame/StdUnitFiles.h"
#include "portfolio/Commission.h"
#include "records/Database.h"
#include "records/TransDatabase.h"

#include <QFileInfo>
#include <cmath>

namespace {

bool finitePrices(const TPriceRecord &r)
{
    return std::isfinite(r.High) && std::isfinite(r.Low) && std::isfinite(r.Close);
}

QString money(double v, int decimals)
{
    return std::isfinite(v) ? MoneyText(v, decimals, 10) : kNotAvailable;
}

// No date (a window whose highs are all 0 has no highest day) leaves the
// label as designed instead of the bare separators "//".
QString displayDate(const QString &stored)
{
    return stored.isEmpty() ? QString() : ConvertDate(kFormYYYYMMDD, kFormMM_DD_YYYY, stored);
}

} // namespace

TPriceSummary SummarizePrices(TDataBase &file, const TStatisticsOptions &options)
{
    TPriceSummary s;
    s.RecordCount = file.RecordCount();
    if (s.RecordCount == 0)
        return s;
    const int last = s.RecordCount - 1;
    const int n = std::max<int>(1, options.RecordCount);
    const int start = (options.LimitRecords && n < last) ? last - n : 0;

    // The window is read once and kept: the second pass needs it again.
    QList<TPriceRecord> window;
    window.reserve(s.RecordCount - start);
    const bool read = file.ScanRange(start, last, [&window](const TPriceRecord &r) {
        if (finitePrices(r))
            window.push_back(r);
    });
    if (!read) {
        s.ReadFailed = true;
        return s;
    }
    if (window.isEmpty())
        return s;
    // The scan ran to the last record, so the newest usable one is the back.
    const TPriceRecord &newest = window.back();
    s.EndClose = newest.Close;
    s.EndDate = newest.Date.text();
    s.StartClose = window.front().Close;
    s.StartDate = window.front().Date.text();

    s.HighestHigh = 0;
    s.LowestLow = window.front().Low;
    s.LowestDate = window.front().Date.text();
    double closeSum = 0;
    for (const TPriceRecord &r : window) {
        if (r.High > s.HighestHigh) {
            s.HighestHigh = r.High;
            s.HighestDate = r.Date.text();
        }
        if (r.Low < s.LowestLow) {
            s.LowestLow = r.Low;
            s.LowestDate = r.Date.text();
        }
        s.VolumeSum += r.Volume;
        closeSum += r.Close;
    }
    s.WindowCount = int(window.size());
    s.AverageVolume = double(s.VolumeSum) / s.WindowCount;
    s.AverageClose = closeSum / s.WindowCount;
    double volumeSquares = 0, closeSquares = 0;
    for (const TPriceRecord &r : window) {
        volumeSquares += (r.Volume - s.AverageVolume) * (r.Volume - s.AverageVolume);
        closeSquares += (r.Close - s.AverageClose) * (r.Close - s.AverageClose);
    }
    s.StdVolume = RoundHalfEven(std::sqrt(volumeSquares / s.WindowCount));
    s.StdClose = std::sqrt(closeSquares / s.WindowCount);
    return s;
}

TSecurityPosition HoldingsOf(const QString &symbol, const QString &portfolioFileName)
{
    TSecurityPosition h;
    if (portfolioFileName.isEmpty() || !IsSafeFileNamePart(portfolioFileName))
        return h;
    const QByteArray key = symbol.toLatin1();
    {
        TTransBase trans(TransactionFilePath(portfolioFileName), TOpenMode::ReadOnly);
        h.HasTransactions = trans.RecordCount() > 0;
        const bool read = trans.ScanAll([&h, &key](const TTransRecord &t) {
            if (t.Symbol.bytes() != key || !std::isfinite(t.Shares) || !std::isfinite(t.Price) ||
                !std::isfinite(t.Fee))
                return;
            h.Shares += t.Shares;
            h.Fees += t.Fee;
            h.Cost += t.Shares * t.Price;
            if (h.Shares == 0) {
                h.Fees = 0;
                h.Cost = 0;
            }
        });
        // A missing file is an empty portfolio; one that breaks off part-way
        // would show a position that is not the real one.
        if (!read && (trans.IsOpen() || QFileInfo::exists(trans.path()))) {
            h = TSecurityPosition{};
            h.ReadFailed = trans.path();
            return h;
        }
    }
    if (h.HasTransactions) {
        TTransBase dividends(DividendFilePath(portfolioFileName), TOpenMode::ReadOnly);
        // Part of the dividends would give a net gain that is simply wrong,
        // so a file that is there but breaks off leaves no position at all,
        // as the transaction file does.
        const bool read = SumDividends(dividends, symbol, &h.Dividends);
        if (!read && (dividends.IsOpen() || QFileInfo::exists(dividends.path()))) {
            h = TSecurityPosition{};
            h.ReadFailed = dividends.path();
        }
    }
    return h;
}

bool SumDividends(TTransBase &dividends, const QString &symbol, double *sum)
{
    const QByteArray key = symbol.toLatin1();
    double total = 0;
    const bool read = dividends.ScanAll([&total, &key](const TTransRecord &d) {
        if (d.Symbol.bytes() == key && std::isfinite(d.Price))
            total += d.Price;
    });
    *sum = read ? total : 0;
    return read;
}

const QHash<QString, QString> &StockSummaryDesignTexts()
{
    static const QHash<QString, QString> texts = [] {
        QHash<QString, QString> t;
        for (const char *name : {"StartingPriceDate",
                                 "EndingPriceDate",
                                 "ChangePrecent",
                                 "HighestHigh",
                                 "HighestHighDate",
                                 "LowestLow",
                                 "LowestLowDate",
                                 "Range",
                                 "RangePrecent",
                                 "AverageClose",
                                 "StdPrecent",
                                 "StdVolumePercent",
                                 "TotalCostShares",
                                 "SharePrice",
                                 "SharePriceTotal",
                                 "TodayShares",
                                 "SharePriceTotodayTotal",
                                 "SharePriceToday",
                                 "SharePriceChange",
                                 "SharePriceChangeTotal",
                                 "TotalFees",
                                 "Dividends",
                                 "NetGainLoss"})
            t.insert(QLatin1String(name), QString());
        for (const char *name : {"StartingPrice", "EndingPrice", "Change"})
            t.insert(QLatin1String(name), QStringLiteral("$0.000"));
        for (const char *name : {"StdDeviation", "TotalVolume", "AverageVolume", "StdVolume"})
            t.insert(QLatin1String(name), QStringLiteral("0"));
        for (const char *name : {"PrecentChange", "PercentNetGain"})
            t.insert(QLatin1String(name), QStringLiteral("0.00%"));
        return t;
    }();
    return texts;
}

TStockSummaryTexts ComputeStockSummary(const QString &symbol)
{
    TStockSummaryTexts out;
    out.Labels = StockSummaryDesignTexts();
    auto &L = out.Labels;
    const TStatisticsOptions options = GetStatisticsOptions();
    double today = 0;
    if (IsSafeFileNamePart(symbol) && !symbol.isEmpty()) {
        // The summary only reads: a file that is there is opened for reading,
        // so a write-protected history still shows; only a missing one is
        // created, empty.
        const QString path = PriceFilePath(symbol);
        const bool exists = QFileInfo::exists(path);
        TDataBase file(path, exists ? TOpenMode::ReadOnly : TOpenMode::ReadWrite);
        const TPriceSummary s = SummarizePrices(file, options);
        if (!file.IsOpen() && exists)
            out.Problem = CannotOpenFileMessage(path);
        else if (s.ReadFailed)
            out.Problem = CannotReadFileMessage(path);
        out.Status = QStringLiteral("Records On File: ") + QString::number(s.RecordCount);
        out.GraphEnabled = s.RecordCount >= 3;
        if (s.WindowCount > 0) {
            today = s.EndClose;
            L[QStringLiteral("EndingPrice")] = money(s.EndClose, 3);
            L[QStringLiteral("EndingPriceDate")] = displayDate(s.EndDate);
            L[QStringLiteral("SharePriceTotodayTotal")] = money(s.EndClose, 3);
            L[QStringLiteral("StartingPrice")] = money(s.StartClose, 3);
            L[QStringLiteral("StartingPriceDate")] = displayDate(s.StartDate);
            L[QStringLiteral("Change")] = money(s.EndClose - s.StartClose, 3);
            L[QStringLiteral("ChangePrecent")] = PercentChangeText(s.StartClose, s.EndClose, 3, 10);
            L[QStringLiteral("HighestHigh")] = money(s.HighestHigh, 3);
            L[QStringLiteral("HighestHighDate")] = displayDate(s.HighestDate);
            L[QStringLiteral("LowestLow")] = money(s.LowestLow, 3);
            L[QStringLiteral("LowestLowDate")] = displayDate(s.LowestDate);
            L[QStringLiteral("Range")] = money(std::fabs(s.HighestHigh - s.LowestLow), 3);
            L[QStringLiteral("RangePrecent")] = PercentChangeText(s.LowestLow, s.HighestHigh, 3, 10);
            L[QStringLiteral("TotalVolume")] = IntegerText(s.VolumeSum);
            L[QStringLiteral("AverageVolume")] = IntegerText(s.VolumeSum / s.WindowCount);
            L[QStringLiteral("AverageClose")] = money(s.AverageClose, 3);
            L[QStringLiteral("StdVolume")] = FixedText(s.StdVolume, 0, 10);
            L[QStringLiteral("StdVolumePercent")] =
                PercentText(s.AverageVolume > 0 ? s.StdVolume / s.AverageVolume * 100 : 0, 3, 10);
            L[QStringLiteral("StdDeviation")] = money(s.StdClose, 3);
            L[QStringLiteral("StdPrecent")] =
                PercentText(s.AverageClose > 0 ? s.StdClose / s.AverageClose * 100 : 0, 3, 10);
        }
    } else {
        out.Status = QStringLiteral("Records On File: 0");
    }

    const QString portfolio = CurrentPortfolio.FileName.text();
    if (portfolio.isEmpty() || CurrentPortfolio.Name.text() == kNoPortfolio)
        return out;
    const TSecurityPosition h = HoldingsOf(symbol, portfolio);
    if (!h.ReadFailed.isEmpty() && out.Problem.isEmpty())
        out.Problem = CannotReadFileMessage(h.ReadFailed);
    if (h.Shares == 0)
        return out;
    out.ShowHoldings = true;
    const double commission = ComputeCommission(GetCommissionSchedule(), h.Shares, today);
    const double totalFees = h.Fees + commission;
    const double market = h.Shares * today;
    const double net = market - h.Cost - totalFees + h.Dividends;
    const double perShare = h.Cost / h.Shares;
    L[QStringLiteral("TotalCostShares")] = FixedText(h.Shares, 0, 10);
    L[QStringLiteral("TodayShares")] = FixedText(h.Shares, 0, 10);
    L[QStringLiteral("SharePrice")] = money(perShare, 3);
    L[QStringLiteral("SharePriceTotal")] = money(h.Cost, 2);
    L[QStringLiteral("SharePriceToday")] = money(market, 2);
    L[QStringLiteral("SharePriceChange")] = money(today - perShare, 2);
    L[QStringLiteral("SharePriceChangeTotal")] = money(market - h.Cost, 2);
    L[QStringLiteral("PrecentChange")] = PercentChangeText(h.Cost, market, 2, 10);
    L[QStringLiteral("TotalFees")] = money(totalFees, 2);
    L[QStringLiteral("Dividends")] = money(h.Dividends, 2);
    L[QStringLiteral("NetGainLoss")] = money(net, 2);
    L[QStringLiteral("PercentNetGain")] = PercentOfText(net, h.Cost, 2, 10);
    const TStatisticsOptions colours = options;
    out.HoldingsColor = net > 0 ? colours.PlusColor : colours.MinusColor;
    return out;
}
