// Costs a user sees as waiting for a window: the Transactions window's first
// paint and its repaint on reactivation over 10,000 transactions with the
// company column looked up in a 5,000-security symbol file, and the
// "Select Overlay" dialog over a 5,000-entry watch list, and a Run Watch whose
// two functions pass every one of the 5,000 watched securities: 10,000
// coloured lines in the window; and Export All of 100 long histories behind
// the progress window. The windows are
// painted off screen with grab(), which runs the same paint code a screen
// would.

#include "chart/Overlayfrm.h"
#include "frame/StatusFrm.h"
#include "frame/StdUnit.h"
#include "frame/Stockcfg.h"
#include "portfolio/Transationfrm.h"
#include "records/Database.h"
#include "records/FunctionBase.h"
#include "records/SblBase.h"
#include "records/TransDatabase.h"
#include "records/WatchBase.h"
#include "screening/FunctionEdit.h"
#include "screening/runwatchfrm.h"
#include "transfer/ExportRun.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextEdit>
#include <algorithm>
#include <benchmark/benchmark.h>

namespace {

constexpr int kSecurities = 5000;
constexpr int kTradedSymbols = 500;
constexpr int kTrades = 10000;
constexpr int kWatched = 5000;

QString symbolOf(int i)
{
    return QStringLiteral("S%1").arg(i, 4, 10, QLatin1Char('0'));
}

class TWorkspace
{
public:
    TWorkspace()
    {
        const QString base = m_dir.path() + QLatin1Char('/');
        SetBaseFolder(base);
        SetProgramFolder(base);
        for (const char *f : {"symbol", "watch", "notes", "data", "port"})
            QDir().mkpath(base + QLatin1String(f));
        {
            TSymbolDataBase symbols(GetFolders().Symbol + QStringLiteral("Stocks.sbl"));
            QByteArray image;
            TSymbolRecord r;
            for (int i = 0; i < kSecurities; ++i) { // symbolOf sorts as it counts
                r.Symbol = symbolOf(i);
                r.Name = QStringLiteral("COMPANY ") + symbolOf(i);
                symbols.AppendImage(image, r);
            }
            symbols.ReplaceAll(image);
        }
        {
            TWatchDatabase watch(WatchListPath());
            QList<TListRecord> entries;
            for (int i = 0; i < kWatched; ++i) {
                TListRecord r;
                r.FileName = symbolOf(i);
                r.Name = QStringLiteral("COMPANY ") + symbolOf(i);
                entries << r;
            }
            QByteArray image;
            for (TListRecord &r : entries)
                watch.AppendImage(image, r);
            watch.ReplaceAll(image);
        }
        // A short history for each watched security and two functions
        // every one of them passes; the run opens no windows.
        for (int i = 0; i < kWatched; ++i) {
            TDataBase prices(PriceFilePath(symbolOf(i)));
            QByteArray image;
            TPriceRecord p;
            for (int d = 0; d < 30; ++d) {
                p.Date = QDate(2020, 1, 1).addDays(d).toString(QStringLiteral("yyyyMMdd"));
                p.High = p.Low = p.Close = 10 + d;
                prices.AppendImage(image, p);
            }
            prices.ReplaceAll(image);
        }
        {
            TFunctionBase scan(GetFolders().Watch + QStringLiteral("Scan.dat"));
            for (const char *name : {"Rising", "Above Ten"}) {
                TFunctionTexts t;
                t.Description = QLatin1String(name);
                t.Color = 0x0000FF;
                t.Expressions[0] = QStringLiteral("CURRENT(CLOSE)");
                t.Comparisons[0] = QStringLiteral(">");
                t.Expressions[1] = QStringLiteral("VALUE(CLOSE,1)");
                TFunctionRecord r = BuildFunctionRecord(t);
                scan.Insert(r);
            }
        }
        LoadConfig();
        ConfigRecord.RunWatch.OpenStockForm = 0;
        ConfigRecord.RunWatch.OpenGraph = 0;
        SaveConfig();
        {
            TTransBase trades(TransactionFilePath(QStringLiteral("BIG")));
            QList<TTransRecord> recs;
            for (int i = 0; i < kTrades; ++i) {
                TTransRecord r;
                r.Symbol = symbolOf(i % kTradedSymbols);
                r.Date = QDate(2001, 1, 1).addDays(i / kTradedSymbols).toString(QStringLiteral("yyyyMMdd"));
                r.EntryTime = 36892.0 + i / 86400.0; // distinct keys
                r.Shares = i % 7 == 0 ? -5 : 10;
                r.Price = 12.5;
                r.SecurityCode = 7;
                recs << r;
            }
            std::sort(recs.begin(), recs.end(), [](const TTransRecord &a, const TTransRecord &b) {
                return TTransBase::FullKey(a) < TTransBase::FullKey(b);
            });
            QByteArray image;
            for (TTransRecord &r : recs)
                trades.AppendImage(image, r);
            trades.ReplaceAll(image);
        }
    }

private:
    QTemporaryDir m_dir;
};

TWorkspace &workspace()
{
    static TWorkspace w;
    return w;
}

void BM_TransactionsFirstPaint(benchmark::State &state)
{
    workspace();
    for (auto _ : state) {
        TTransationForm form(QStringLiteral("BIG"), 7);
        form.show(); // opens and reads the file
        const QPixmap shot = form.grab();
        benchmark::DoNotOptimize(shot.cacheKey());
    }
}
BENCHMARK(BM_TransactionsFirstPaint)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_TransactionsReactivation(benchmark::State &state)
{
    workspace();
    TTransationForm form(QStringLiteral("BIG"), 7);
    form.show();
    form.grab();
    for (auto _ : state) {
        form.reopenFile(); // what activating the window does
        const QPixmap shot = form.grab();
        benchmark::DoNotOptimize(shot.cacheKey());
    }
}
BENCHMARK(BM_TransactionsReactivation)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_OverlayDialog5000(benchmark::State &state)
{
    workspace();
    for (auto _ : state) {
        TOverlayForm dialog;
        dialog.show();
        const QPixmap shot = dialog.grab();
        benchmark::DoNotOptimize(shot.cacheKey());
        if (dialog.ListBox1->count() != kWatched)
            state.SkipWithError("the watch list was not read whole");
    }
}
BENCHMARK(BM_OverlayDialog5000)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_RunWatch10000Lines(benchmark::State &state)
{
    workspace();
    TRunWatchForm form;
    form.show();
    for (auto _ : state) {
        form.RunBtnClick();
        const QPixmap shot = form.grab();
        benchmark::DoNotOptimize(shot.cacheKey());
    }
    // The title, an empty line and one line a pass.
    const int lines = form.Memo1->document()->blockCount();
    state.counters["lines"] = lines;
    if (lines < 2 * kWatched)
        state.SkipWithError("fewer lines than passes");
}
BENCHMARK(BM_RunWatch10000Lines)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Export All of 100 histories of 5,550 days, every field, comma layout,
// through the progress window the stock data window shows: every record's
// text is made, the window is repainted at most about 20 times a second.
class TCountingStatusTalk : public TStatusTalk
{
public:
    using TStatusTalk::TStatusTalk;
    void progress(const QString &message) override
    {
        ++paints;
        TStatusTalk::progress(message);
    }
    int paints = 0;
};

void BM_ExportAll100Window(benchmark::State &state)
{
    workspace();
    const QString folder = BaseFolder() + QStringLiteral("exportall/");
    QDir().mkpath(folder);
    const QString listPath = folder + QStringLiteral("list.sbl");
    {
        QByteArray history;
        TPriceRecord p;
        for (int d = 0; d < 5550; ++d) {
            p.Date = QDate(1990, 1, 3).addDays(d).toString(QStringLiteral("yyyyMMdd"));
            p.Close = 10 + d % 37 + 0.25;
            p.High = p.Close + 1;
            p.Low = p.Close - 1;
            p.Volume = 1000000 + d;
            history.append(reinterpret_cast<const char *>(&p), sizeof p);
        }
        TWatchDatabase list(listPath);
        QByteArray image;
        for (int i = 0; i < 100; ++i) {
            const QString symbol = QStringLiteral("EX%1").arg(i, 3, 10, QLatin1Char('0'));
            ReplaceFileContents(PriceFilePath(symbol), history);
            TListRecord e;
            e.FileName = symbol;
            e.Name = QStringLiteral("EXPORT SECURITY ") + symbol;
            list.AppendImage(image, e);
        }
        list.ReplaceAll(image);
    }
    TExportSettings s;
    s.FileName = folder + QStringLiteral("all.txt");
    s.Layout = kLayoutComma;
    s.DateForm = kFormMM_DD_YYYY;
    s.FromDate = QStringLiteral("01/01/1960");
    s.ToDate = QStringLiteral("12/31/2030");
    s.IncludeHeader = true;
    s.Fields = QStringList{"Symbol", "Company", "Date", "High", "Low", "Close", "Volume"};
    for (auto _ : state) {
        TCountingStatusTalk talk(nullptr, QStringLiteral("Exporting Stock Data Information"), QString());
        if (!RunExportAll(s, listPath, talk))
            state.SkipWithError("export failed");
        state.counters["paints"] = talk.paints;
    }
}
BENCHMARK(BM_ExportAll100Window)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
