// The run-watch window's own cost: a run through "&Run" that writes 10,000
// passing lines (1,000 securities x 10 functions, each security a short
// history) into the coloured text, with the status bar repainted as the run
// goes. The core run is measured by bench_watch; this one adds the text box,
// the status panels and the final layout.

#include "frame/Stockcfg.h"
#include "records/Database.h"
#include "records/FunctionBase.h"
#include "records/WatchBase.h"
#include "screening/FunctionEdit.h"
#include "screening/runwatchfrm.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextEdit>
#include <benchmark/benchmark.h>

namespace {

constexpr int kSecurities = 1000;
constexpr int kFunctions = 10;

struct TWorkspace
{
    QTemporaryDir dir;
    bool ok = false;

    TWorkspace()
    {
        SetBaseFolder(dir.path());
        SetProgramFolder(dir.path());
        const TFolderPaths folders = GetFolders();
        for (const QString &f :
             {folders.Symbol, folders.Watch, folders.Notes, folders.Data, folders.Portfolio})
            QDir().mkpath(f);
        QByteArray history;
        for (int i = 0; i < 30; ++i) {
            TPriceRecord r;
            r.Date = QStringLiteral("202001%1").arg(i + 1, 2, 10, QLatin1Char('0'));
            r.High = 11 + i;
            r.Low = 9 + i;
            r.Close = 10 + i;
            r.Volume = 1000;
            history.append(reinterpret_cast<const char *>(&r), sizeof r);
        }
        QByteArray list;
        for (int i = 0; i < kSecurities; ++i) {
            const QString symbol = QStringLiteral("S%1").arg(i, 4, 10, QLatin1Char('0'));
            QFile price(folders.Data + symbol + QStringLiteral(".stk"));
            if (!price.open(QIODevice::WriteOnly) || price.write(history) != history.size())
                return;
            TListRecord e;
            e.FileName = symbol;
            e.Name = QStringLiteral("Security & Sons ") + symbol;
            list.append(reinterpret_cast<const char *>(&e), sizeof e);
        }
        QFile watch(folders.Watch + QStringLiteral("Watch.sbl"));
        if (!watch.open(QIODevice::WriteOnly) || watch.write(list) != list.size())
            return;
        TFunctionBase scan(folders.Watch + QStringLiteral("Scan.dat"));
        for (int f = 0; f < kFunctions; ++f) {
            TFunctionTexts t;
            t.Description = QStringLiteral("Rising %1").arg(f + 1, 2, 10, QLatin1Char('0'));
            t.Color = uint32_t(0x000040 * (f + 1)) & 0xFFFFFF;
            t.Expressions[0] = QStringLiteral("CURRENT(CLOSE)");
            t.Comparisons[0] = QStringLiteral(">");
            t.Expressions[1] = QStringLiteral("VALUE(CLOSE,%1)").arg(f + 1);
            TFunctionRecord rec = BuildFunctionRecord(t);
            scan.Insert(rec);
        }
        LoadConfig();
        ConfigRecord.RunWatch.OpenStockForm = 0;
        ConfigRecord.RunWatch.OpenGraph = 0;
        ok = scan.RecordCount() == kFunctions && SaveConfig();
    }
};

void BM_RunWatchWindow10000Lines(benchmark::State &state)
{
    static TWorkspace workspace;
    if (!workspace.ok) {
        state.SkipWithError("could not write the workspace");
        return;
    }
    TRunWatchForm form;
    form.show();
    int lines = 0;
    for (auto _ : state) {
        form.RunBtnClick();
        lines = form.Memo1->document()->blockCount() - 2;
    }
    if (lines != kSecurities * kFunctions)
        state.SkipWithError("not every line passed");
    state.counters["lines"] = lines;
}

} // namespace

BENCHMARK(BM_RunWatchWindow10000Lines)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

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
