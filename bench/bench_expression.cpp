// One screening function of five rows evaluated over the 5,550-record sample
// history, with the statistics limit on (260) and off. Reported per
// evaluation: time, statistic calls and records read. "Configured" variants
// read the statistics options from Stocks.cfg at every statistic, as the
// price file does; "fixed" variants hold them in memory.

#include "frame/Stockcfg.h"
#include "records/Database.h"
#include "screening/DataBaseStatistics.h"
#include "screening/PriceSeries.h"
#include "screening/StdUnitExpr.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

TPriceSeries loadSample()
{
    TPriceSeries s;
    QFile f(QStringLiteral(QV_SAMPLE_DIR "/ttrc.csv"));
    if (!f.open(QIODevice::ReadOnly))
        return s;
    f.readLine(); // header: Date,Open,High,Low,Close,Volume
    while (!f.atEnd()) {
        const QList<QByteArray> v = f.readLine().trimmed().split(',');
        if (v.size() < 6)
            continue;
        s.append({v[2].toDouble(), v[3].toDouble(), v[4].toDouble(), v[5].toInt()});
    }
    return s;
}

TConditionTexts screen()
{
    return {TConditionText{"", "CURRENT(CLOSE)", ">", "AVERAGEONDAY(CLOSE,0,50)"},
            TConditionText{"And", "STDONDAY(CLOSE,0,50)", "<", "2"},
            TConditionText{"And", "HIGHEST(HIGH)", ">", "CURRENT(HIGH)"},
            TConditionText{"And", "ABS(CURRENT(LOW) - CURRENT(HIGH))", ">", "0"},
            TConditionText{"And", "STOCKSYMBOL", "=", "\"TTRC\""}};
}

// A private Stocks.cfg with the statistics limit on (N = 260) or off.
void useStatisticsLimit(const QTemporaryDir &dir, bool limit)
{
    SetBaseFolder(dir.path());
    LoadConfig();
    ConfigRecord.Statistics.LimitRecords = limit ? 1 : 0;
    ConfigRecord.Statistics.RecordCount = 260;
    SaveConfig();
}

void run(benchmark::State &state, bool limit, bool configured)
{
    static TPriceSeries prices = loadSample();
    QTemporaryDir dir;
    useStatisticsLimit(dir, limit);
    if (configured)
        prices.useConfiguredOptions();
    else
        prices.setStatisticsOptions(ConfigRecord.Statistics);
    const TConditionTexts rows = screen();
    prices.resetCounters();
    bool passed = false;
    for (auto _ : state) {
        passed = EvaluateFunction(rows, QStringLiteral("TTRC"), prices);
        benchmark::DoNotOptimize(passed);
    }
    const double n = double(state.iterations());
    state.counters["records"] = double(prices.points().size());
    state.counters["calls/eval"] = double(prices.counters().calls) / n;
    state.counters["reads/eval"] = double(prices.counters().reads) / n;
    state.counters["passed"] = passed ? 1 : 0;
    SetBaseFolder(QString());
}

// The same screen over the price file on disk, as the watch run evaluates it:
// every statistic reads its records from the file.
void runOnFile(benchmark::State &state, bool limit)
{
    static TPriceSeries prices = loadSample();
    QTemporaryDir dir;
    useStatisticsLimit(dir, limit);
    TDataBase file(dir.path() + QStringLiteral("/TTRC.stk"));
    int day = 0;
    for (const TPricePoint &p : prices.points()) {
        TPriceRecord r;
        r.Date = QString::number(19000101 + day++ * 1); // any ascending dates will do
        r.High = p.High;
        r.Low = p.Low;
        r.Close = p.Close;
        r.Volume = p.Volume;
        file.Insert(r);
    }
    TDataBaseStatistics onFile(file);
    const TConditionTexts rows = screen();
    const qint64 readsBefore = file.readCalls();
    bool passed = false;
    for (auto _ : state) {
        passed = EvaluateFunction(rows, QStringLiteral("TTRC"), onFile);
        benchmark::DoNotOptimize(passed);
    }
    const double n = double(state.iterations());
    state.counters["records"] = double(file.RecordCount());
    state.counters["reads/eval"] = double(file.readCalls() - readsBefore) / n;
    state.counters["passed"] = passed ? 1 : 0;
    SetBaseFolder(QString());
}

} // namespace

BENCHMARK_CAPTURE(runOnFile, file_limit_on, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(runOnFile, file_limit_off, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(run, limit_on_fixed, true, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(run, limit_off_fixed, false, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(run, limit_on_configured, true, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(run, limit_off_configured, false, true)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
