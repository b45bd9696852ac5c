// Costs of the stock data runs on realistic sizes: Export All of 100 long
// histories with every progress text, the purge of 500 histories, the
// security summary of the TTRC history with a 10,000-transaction portfolio,
// the refresh of a 5,000-entry list against 5,000 symbols (names unchanged,
// and every name changed), and a split over TTRC and 10 portfolios of
// 10,000 transactions each.

#include "frame/RunTalk.h"
#include "frame/StdUnit.h"
#include "frame/Stockcfg.h"
#include "records/Database.h"
#include "records/SblBase.h"
#include "records/TransDatabase.h"
#include "records/WatchBase.h"
#include "securities/PriceRuns.h"
#include "securities/StockSummary.h"
#include "securities/WatchList.h"
#include "transfer/ExportRun.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTextStream>
#include <benchmark/benchmark.h>
#include <cstring>

namespace {

// Stands in for the progress window: keeps the text it would paint and
// counts the paints.
class TWindowTalk : public TRunTalk
{
public:
    void progress(const QString &message) override
    {
        text = message;
        ++paints;
    }
    void error(const QString &message) override { errors << message; }
    void information(const QString &) override {}
    QString text;
    int paints = 0;
    QStringList errors;
};

class TBenchFolder
{
public:
    TBenchFolder()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        SetRecordFileSync(false);
        SetBaseFolder(m_dir.path() + QLatin1Char('/'));
        SetProgramFolder(m_dir.path() + QLatin1Char('/'));
        LoadConfig();
        ConfigRecord.Statistics.LimitRecords = 0;
        SaveConfig();
        const TFolderPaths f = GetFolders();
        for (const QString &p : {f.Symbol, f.Watch, f.Notes, f.Data, f.Portfolio})
            QDir().mkpath(p);
    }
    QString path(const QString &name) const { return m_dir.path() + QLatin1Char('/') + name; }

private:
    QTemporaryDir m_dir;
};

TBenchFolder &folder()
{
    static TBenchFolder f;
    return f;
}

QString symbolOf(const char *prefix, int i)
{
    return QLatin1String(prefix) + QStringLiteral("%1").arg(i, 4, 10, QLatin1Char('0'));
}

// `days` records, one per calendar day from 3 January 1990.
QByteArray historyImage(int days)
{
    QByteArray out;
    out.reserve(days * int(sizeof(TPriceRecord)));
    const QDate start(1990, 1, 3);
    for (int d = 0; d < days; ++d) {
        TPriceRecord r;
        r.Date.setText(DateToStoredText(start.addDays(d)));
        r.Close = 10 + d % 37 + 0.25;
        r.High = r.Close + 1;
        r.Low = r.Close - 1;
        r.Volume = 1000000 + d;
        out.append(reinterpret_cast<const char *>(&r), sizeof r);
    }
    return out;
}

// The TTRC history of the sample workspace; returns its stored dates.
QStringList writeTtrc()
{
    static QStringList dates;
    if (!dates.isEmpty())
        return dates;
    QFile csv(QStringLiteral(QV_SAMPLE_DIR "/ttrc.csv"));
    if (!csv.open(QIODevice::ReadOnly | QIODevice::Text))
        return dates;
    QTextStream in(&csv);
    in.readLine();
    TDataBase ttrc(PriceFilePath(QStringLiteral("TTRC")));
    QByteArray image;
    while (!in.atEnd()) {
        const QStringList f = in.readLine().split(QLatin1Char(','));
        if (f.size() < 6)
            continue;
        TPriceRecord r;
        r.Date = QString(f[0]).remove(QLatin1Char('-'));
        r.High = f[2].toDouble();
        r.Low = f[3].toDouble();
        r.Close = f[4].toDouble();
        r.Volume = int32_t(f[5].toDouble());
        dates << r.Date.text();
        ttrc.AppendImage(image, r);
    }
    ttrc.ReplaceAll(image);
    return dates;
}

// 10,000 transactions in TTRC spread over its history, in date order: buys
// of 10 with every fourth a sale of 10.
void writePortfolio(const QString &fileName, const QStringList &dates)
{
    TTransBase tra(TransactionFilePath(fileName));
    QByteArray image;
    for (int i = 0; i < 10000; ++i) {
        TTransRecord t;
        t.Symbol = QStringLiteral("TTRC");
        t.Date = dates[qsizetype(i) * dates.size() / 10000];
        t.EntryTime = 36000 + i / 86400.0;
        t.Shares = i % 4 == 3 ? -10 : 10;
        t.Price = 5 + i % 13;
        t.Fee = 9.95;
        tra.AppendImage(image, t);
    }
    tra.ReplaceAll(image);
}

void writePortfolioList(int count, const QStringList &dates)
{
    static int written = 0;
    if (written >= count)
        return;
    TWatchDatabase list(PortfolioListPath());
    QByteArray image;
    for (int p = 0; p < count; ++p) {
        TListRecord e;
        e.FileName = QStringLiteral("P%1").arg(p);
        e.Name = QStringLiteral("Portfolio %1").arg(p, 2, 10, QLatin1Char('0'));
        list.AppendImage(image, e);
        writePortfolio(e.FileName.text(), dates);
    }
    list.ReplaceAll(image);
    written = count;
}

// A list file at `path` naming `count` securities, in name order.
void writeList(const QString &path, const char *prefix, int count, const QString &namePrefix)
{
    TWatchDatabase list(path);
    QByteArray image;
    for (int i = 0; i < count; ++i) {
        TListRecord e;
        e.FileName = symbolOf(prefix, i);
        e.Name = namePrefix + symbolOf(prefix, i);
        e.NoteFile = GetFolders().Notes + e.FileName.text() + QStringLiteral(".txt");
        list.AppendImage(image, e);
    }
    list.ReplaceAll(image);
}

void BM_ExportAll100(benchmark::State &state)
{
    folder();
    const QByteArray image = historyImage(5550);
    const QString listPath = folder().path(QStringLiteral("export-list.sbl"));
    writeList(listPath, "E", 100, QStringLiteral("EXPORT SECURITY "));
    for (int i = 0; i < 100; ++i)
        ReplaceFileContents(PriceFilePath(symbolOf("E", i)), image);
    TExportSettings s;
    s.FileName = folder().path(QStringLiteral("all.txt"));
    s.Layout = kLayoutComma;
    s.DateForm = kFormMM_DD_YYYY;
    s.FromDate = QStringLiteral("01/01/1960");
    s.ToDate = QStringLiteral("12/31/2030");
    s.IncludeHeader = true;
    s.Fields = QStringList{"Symbol", "Company", "Date", "High", "Low", "Close", "Volume"};
    for (auto _ : state) {
        TWindowTalk talk;
        benchmark::DoNotOptimize(RunExportAll(s, listPath, talk));
        state.counters["paints"] = talk.paints;
    }
}
BENCHMARK(BM_ExportAll100)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_Purge500(benchmark::State &state)
{
    folder();
    const QByteArray image = historyImage(5550);
    const QString listPath = folder().path(QStringLiteral("purge-list.sbl"));
    writeList(listPath, "U", 500, QStringLiteral("PURGE SECURITY "));
    // The 261st record's date: every file loses its first 261 records.
    TPriceRecord stop;
    std::memcpy(&stop, image.constData() + 260 * qsizetype(sizeof(TPriceRecord)), sizeof stop);
    const QString stopDate = stop.Date.text();
    TWatchDatabase list(listPath);
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < 500; ++i)
            ReplaceFileContents(PriceFilePath(symbolOf("U", i)), image);
        state.ResumeTiming();
        TWindowTalk talk;
        benchmark::DoNotOptimize(PurgeAll(list, stopDate, talk));
        state.counters["paints"] = talk.paints;
    }
    TDataBase check(PriceFilePath(symbolOf("U", 499)), TOpenMode::ReadOnly);
    state.counters["left"] = check.RecordCount();
}
BENCHMARK(BM_Purge500)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_SummaryTtrc(benchmark::State &state)
{
    folder();
    const QStringList dates = writeTtrc();
    writePortfolioList(10, dates);
    CurrentPortfolio.FileName = QStringLiteral("P0");
    for (auto _ : state) {
        const TStockSummaryTexts s = ComputeStockSummary(QStringLiteral("TTRC"));
        benchmark::DoNotOptimize(s.Labels.size());
    }
    CurrentPortfolio.FileName = QString();
}
BENCHMARK(BM_SummaryTtrc)->Unit(benchmark::kMillisecond);

constexpr int kListSize = 5000;

void writeSymbols()
{
    static bool written = false;
    if (written)
        return;
    TSymbolDataBase symbols(GetFolders().Symbol + QStringLiteral("Stocks.sbl"));
    QByteArray image;
    for (int i = 0; i < kListSize; ++i) {
        TSymbolRecord r;
        r.Symbol = symbolOf("R", i);
        r.Name = QStringLiteral("REFRESH SECURITY ") + symbolOf("R", i);
        symbols.AppendImage(image, r);
    }
    symbols.ReplaceAll(image);
    written = true;
}

void BM_RefreshUnchanged(benchmark::State &state)
{
    folder();
    writeSymbols();
    const QString listPath = folder().path(QStringLiteral("refresh-same.sbl"));
    writeList(listPath, "R", kListSize, QStringLiteral("REFRESH SECURITY "));
    TWatchDatabase list(listPath);
    for (auto _ : state) {
        TSymbolDataBase symbols(GetFolders().Symbol + QStringLiteral("Stocks.sbl"), TOpenMode::ReadOnly);
        bool rewritten = false;
        benchmark::DoNotOptimize(RefreshWatchList(list, symbols, &rewritten));
        state.counters["rewritten"] = rewritten;
    }
}
BENCHMARK(BM_RefreshUnchanged)->Unit(benchmark::kMillisecond);

void BM_RefreshEveryNameChanged(benchmark::State &state)
{
    folder();
    writeSymbols();
    const QString listPath = folder().path(QStringLiteral("refresh-renamed.sbl"));
    for (auto _ : state) {
        state.PauseTiming();
        writeList(listPath, "R", kListSize, QStringLiteral("OLD NAME "));
        TWatchDatabase list(listPath);
        state.ResumeTiming();
        TSymbolDataBase symbols(GetFolders().Symbol + QStringLiteral("Stocks.sbl"), TOpenMode::ReadOnly);
        bool rewritten = false;
        benchmark::DoNotOptimize(RefreshWatchList(list, symbols, &rewritten));
        state.counters["rewritten"] = rewritten;
    }
}
BENCHMARK(BM_RefreshEveryNameChanged)->Unit(benchmark::kMillisecond)->Iterations(10);

// Every record and every transaction lies on or before the split date, so
// every one is rewritten; the factor alternates so the values stay put.
void BM_SplitTtrc10Portfolios(benchmark::State &state)
{
    folder();
    const QStringList dates = writeTtrc();
    writePortfolioList(10, dates);
    TDataBase ttrc(PriceFilePath(QStringLiteral("TTRC")));
    const QString splitDate = QStringLiteral("20991231");
    double factor = 0.5;
    for (auto _ : state) {
        TWindowTalk prices, portfolios;
        // The whole split as the window runs it: the range check first.
        benchmark::DoNotOptimize(SplitKeepsEveryValue(ttrc, QStringLiteral("TTRC"), splitDate, factor, prices));
        benchmark::DoNotOptimize(SplitPriceFile(ttrc, splitDate, factor, prices));
        benchmark::DoNotOptimize(SplitPortfolios(QStringLiteral("TTRC"), splitDate, factor, portfolios));
        factor = 1 / factor;
        state.counters["paints"] = prices.paints + portfolios.paints;
    }
}
BENCHMARK(BM_SplitTtrc10Portfolios)->Unit(benchmark::kMillisecond)->Iterations(6);

} // namespace

BENCHMARK_MAIN();
