// The watch run over 1,000 securities, each holding the 5,550-record sample
// history, and 10 screening functions that use all nine functions of the
// language, with the statistics limit off and on (260). The files are
// written once and read warm. Reported per run: passing lines and the price
// bytes read per security.

#include "frame/Stockcfg.h"
#include "records/Database.h"
#include "records/FunctionBase.h"
#include "records/WatchBase.h"
#include "screening/FunctionEdit.h"
#include "screening/WatchRun.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstring>

namespace {

constexpr int kSecurities = 1000;

QByteArray sampleHistory()
{
    QByteArray out;
    QFile f(QStringLiteral(QV_SAMPLE_DIR "/ttrc.csv"));
    if (!f.open(QIODevice::ReadOnly))
        return out;
    f.readLine();
    while (!f.atEnd()) {
        const QList<QByteArray> v = f.readLine().trimmed().split(',');
        if (v.size() < 6)
            continue;
        TPriceRecord r;
        r.Date = QString::fromLatin1(v[0]).remove(QLatin1Char('-'));
        r.High = v[2].toDouble();
        r.Low = v[3].toDouble();
        r.Close = v[4].toDouble();
        r.Volume = v[5].toInt();
        out.append(reinterpret_cast<const char *>(&r), sizeof r);
    }
    return out;
}

// QV_WATCH_WORKSPACE names a folder to build the workspace in and keep, with
// the pass list of each run in passes-limit-off.txt / passes-limit-on.txt, so
// that scripts/watch_pandas.py can screen the same files and compare.
QString keptFolder()
{
    return qEnvironmentVariable("QV_WATCH_WORKSPACE");
}

struct TWorkspace
{
    QTemporaryDir dir;
    bool ok = false;

    TWorkspace()
    {
        const QString base = keptFolder().isEmpty() ? dir.path() : keptFolder();
        QDir().mkpath(base);
        SetBaseFolder(base);
        SetProgramFolder(base);
        const TFolderPaths folders = GetFolders();
        for (const QString &f :
             {folders.Symbol, folders.Watch, folders.Notes, folders.Data, folders.Portfolio})
            QDir().mkpath(f);
        const QByteArray history = sampleHistory();
        if (history.isEmpty())
            return;
        QByteArray list;
        for (int i = 0; i < kSecurities; ++i) {
            const QString symbol = QStringLiteral("S%1").arg(i, 4, 10, QLatin1Char('0'));
            QFile price(folders.Data + symbol + QStringLiteral(".stk"));
            if (!price.open(QIODevice::WriteOnly) || price.write(history) != history.size())
                return;
            TListRecord e;
            e.FileName = symbol;
            e.Name = QStringLiteral("Security ") + symbol;
            list.append(reinterpret_cast<const char *>(&e), sizeof e);
        }
        QFile watch(folders.Watch + QStringLiteral("Watch.sbl"));
        if (!watch.open(QIODevice::WriteOnly) || watch.write(list) != list.size())
            return;
        struct TRowText
        {
            const char *op, *left, *cmp, *right;
        };
        const QList<QList<TRowText>> functions = {
            {{"", "CURRENT(CLOSE)", ">", "AVERAGEONDAY(CLOSE,0,20)"}},
            {{"", "CURRENT(LOW)", "<=", "LOWEST(LOW) * 1.1"}},
            {{"", "CURRENT(HIGH)", ">=", "HIGHEST(HIGH) * 0.9"}},
            {{"", "CURRENT(CLOSE)", ">", "STARTING(CLOSE)"}},
            {{"", "STDONDAY(CLOSE,0,20)", "<", "1"}},
            {{"", "ABS(CURRENT(CLOSE) - VALUE(CLOSE,1))", ">", "0.01"}},
            {{"", "STOCKSYMBOL", "=", "'S0001'"}},
            {{"", "VALUE(CLOSE,5)", "<", "CURRENT(CLOSE)"}, {"And", "AVERAGEONDAY(VOLUME,0,10)", ">", "0"}},
            {{"", "CURRENT(VOLUME)", ">", "AVERAGEONDAY(VOLUME,1,50)"}},
            {{"", "CURRENT(CLOSE)", "<", "AVERAGEONDAY(CLOSE,0,200)"},
             {"Or", "CURRENT(CLOSE)", ">", "HIGHEST(CLOSE)"}},
        };
        TFunctionBase scan(folders.Watch + QStringLiteral("Scan.dat"));
        for (int f = 0; f < functions.size(); ++f) {
            TFunctionTexts t;
            t.Description = QStringLiteral("Function %1").arg(f + 1, 2, 10, QLatin1Char('0'));
            for (int r = 0; r < functions[f].size(); ++r) {
                t.LogicalOperators[size_t(r)] = QString::fromLatin1(functions[f][r].op);
                t.Expressions[size_t(2 * r)] = QString::fromLatin1(functions[f][r].left);
                t.Comparisons[size_t(r)] = QString::fromLatin1(functions[f][r].cmp);
                t.Expressions[size_t(2 * r + 1)] = QString::fromLatin1(functions[f][r].right);
            }
            TFunctionRecord rec = BuildFunctionRecord(t);
            scan.Insert(rec);
        }
        ok = scan.RecordCount() == functions.size();
    }
};

class TCountingSink : public TWatchRunSink
{
public:
    void status(const QString &, const QString &) override {}
    void passLine(const TWatchPass &pass) override
    {
        if (keep)
            passes << pass.Entry.FileName.text() + QLatin1Char('\t') + pass.Description;
    }
    void openStockForm(const TListRecord &) override {}
    void openGraph(const TListRecord &) override {}
    void error(const QString &text) override { errors << text; }
    QStringList errors;
    QStringList passes;
    bool keep = false;
};

void run(benchmark::State &state, bool limit)
{
    static TWorkspace workspace;
    if (!workspace.ok) {
        state.SkipWithError("could not write the workspace");
        return;
    }
    LoadConfig();
    ConfigRecord.Statistics.LimitRecords = limit ? 1 : 0;
    ConfigRecord.Statistics.RecordCount = 260;
    SaveConfig();
    TWatchRunResult result;
    for (auto _ : state) {
        TCountingSink sink;
        result = RunWatch(sink, nullptr);
        if (!sink.errors.isEmpty()) {
            state.SkipWithError(qPrintable(sink.errors.first()));
            return;
        }
    }
    state.counters["lines"] = result.lines;
    if (!keptFolder().isEmpty()) {
        TCountingSink sink;
        sink.keep = true;
        RunWatch(sink, nullptr);
        QFile out(keptFolder() +
                  (limit ? QStringLiteral("/passes-limit-on.txt") : QStringLiteral("/passes-limit-off.txt")));
        if (out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            out.write((sink.passes.join(QLatin1Char('\n')) + QLatin1Char('\n')).toLatin1());
    }
    state.counters["bytes_per_security"] = double(result.bytesRead) / kSecurities;
}

void BM_WatchRunLimitOff(benchmark::State &state)
{
    run(state, false);
}
void BM_WatchRunLimitOn(benchmark::State &state)
{
    run(state, true);
}

} // namespace

BENCHMARK(BM_WatchRunLimitOff)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_WatchRunLimitOn)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
