// Costs a user sees as waiting for a window: the Transactions window's first
// paint and its repaint on reactivation over 10,000 transactions with the
// company column looked up in a 5,000-security symbol file, and the
// "Select Overlay" dialog over a 5,000-entry watch list. The windows are
// painted off screen with grab(), which runs the same paint code a screen
// would.

#include "chart/Overlayfrm.h"
#include "frame/StdUnitFiles.h"
#include "frame/Stockcfg.h"
#include "portfolio/Transationfrm.h"
#include "records/SblBase.h"
#include "records/TransDatabase.h"
#include "records/WatchBase.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QListWidget>
#include <QTemporaryDir>
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
BENCHMARK(BM_TransactionsFirstPaint)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

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
BENCHMARK(BM_TransactionsReactivation)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

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
