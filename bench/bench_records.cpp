// Costs of the record-file engine on the price history file: appending,
// inserting at the front, binary search, and the statistics the expression
// language calls (which reload Stocks.cfg for their window each time).
// Counters "reads"/"writes" are record reads and writes per operation.

#include "frame/Stockcfg.h"
#include "records/Database.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// A private folder as base and program folder, with a Stocks.cfg whose
// statistics limit is off.
class TBenchFolder
{
public:
    TBenchFolder()
    {
        SetBaseFolder(m_dir.path());
        SetProgramFolder(m_dir.path());
        LoadConfig();
        ConfigRecord.Statistics.LimitRecords = 0;
        SaveConfig();
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

QString dateOf(int i)
{
    // Distinct, ascending eight-character keys (not calendar dates; order is all that counts).
    return QStringLiteral("%1").arg(20000000 + i, 8, 10, QLatin1Char('0'));
}

TPriceRecord priceOf(int i)
{
    TPriceRecord r;
    r.Date = dateOf(i);
    r.Close = 10 + (i % 50);
    r.High = r.Close + 1;
    r.Low = r.Close - 1;
    r.Volume = 1000 + i;
    return r;
}

void BM_AppendOneByOne(benchmark::State &state)
{
    const int n = int(state.range(0));
    const QString path = folder().path("append.stk");
    double reads = 0, writes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(path);
        auto db = std::make_unique<TDataBase>(path);
        state.ResumeTiming();
        for (int i = 0; i < n; ++i) {
            TPriceRecord r = priceOf(i);
            db->Insert(r);
        }
        reads = double(db->readCalls()) / n;
        writes = double(db->writeCalls()) / n;
    }
    state.SetItemsProcessed(state.iterations() * n);
    state.counters["us_per_append"] = benchmark::Counter(
        double(n), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["reads"] = reads;
    state.counters["writes"] = writes;
}
BENCHMARK(BM_AppendOneByOne)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_InsertAtFront(benchmark::State &state)
{
    const int n = int(state.range(0));
    const QString path = folder().path("front.stk");
    double reads = 0, writes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(path);
        auto db = std::make_unique<TDataBase>(path);
        state.ResumeTiming();
        for (int i = n; i > 0; --i) {
            TPriceRecord r = priceOf(i);
            db->Insert(r);
        }
        reads = double(db->readCalls()) / n;
        writes = double(db->writeCalls()) / n;
    }
    state.SetItemsProcessed(state.iterations() * n);
    state.counters["reads"] = reads;
    state.counters["writes"] = writes;
}
BENCHMARK(BM_InsertAtFront)
    ->Setup([](const benchmark::State &) { SetRecordFileSync(false); })
    ->Teardown([](const benchmark::State &) { SetRecordFileSync(true); })
    ->Arg(2000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

// One record inserted before the first of a 5,550-record history (the
// size of the TTRC sample): every record moves, under the rollback journal.
// Arg 1: the journal and the file are flushed to disk (as the program
// runs); arg 0: not flushed, the cost of the journal's extra copy alone.
void BM_JournalledInsertBeforeFirst(benchmark::State &state)
{
    SetRecordFileSync(state.range(0) != 0);
    const QString path = folder().path("journal.stk");
    QByteArray history;
    for (int i = 1; i <= 5550; ++i) {
        TPriceRecord r = priceOf(i);
        history.append(reinterpret_cast<const char *>(&r), sizeof r);
    }
    double reads = 0, writes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        {
            QFile f(path);
            f.open(QIODevice::WriteOnly | QIODevice::Truncate);
            f.write(history);
        }
        TDataBase db(path);
        TPriceRecord r = priceOf(0);
        state.ResumeTiming();
        db.Insert(r);
        reads = double(db.readCalls());
        writes = double(db.writeCalls());
    }
    SetRecordFileSync(true);
    state.counters["reads"] = reads;
    state.counters["writes"] = writes;
}
BENCHMARK(BM_JournalledInsertBeforeFirst)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

std::unique_ptr<TDataBase> fileOf(const QString &name, int n)
{
    const QString path = folder().path(name);
    QFile::remove(path);
    auto db = std::make_unique<TDataBase>(path);
    for (int i = 0; i < n; ++i) {
        TPriceRecord r = priceOf(i);
        db->Insert(r);
    }
    return db;
}

void BM_Find(benchmark::State &state)
{
    static auto db = fileOf("find.stk", 10000);
    const qint64 reads0 = db->readCalls();
    int i = 0;
    TPriceRecord r;
    for (auto _ : state) {
        // Stride through present and absent keys alike.
        benchmark::DoNotOptimize(db->Find(r, dateOf((i * 7919) % 20000 - 5000)));
        ++i;
    }
    state.counters["reads"] = double(db->readCalls() - reads0) / double(state.iterations());
    state.counters["writes"] = 0;
}
BENCHMARK(BM_Find)
    ->Iterations(100000)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The real history of sample/ttrc.csv (5,550 trading days).
TDataBase &ttrc()
{
    static std::unique_ptr<TDataBase> db = [] {
        const QString path = folder().path("TTRC.stk");
        QFile::remove(path);
        auto d = std::make_unique<TDataBase>(path);
        QFile csv(QStringLiteral(QV_SAMPLE_DIR "/ttrc.csv"));
        if (csv.open(QIODevice::ReadOnly | QIODevice::Text)) {
            QTextStream in(&csv);
            in.readLine();
            while (!in.atEnd()) {
                const QStringList f = in.readLine().split(QLatin1Char(','));
                if (f.size() < 6)
                    continue;
                TPriceRecord r;
                r.Date = QString(f[0]).remove(QLatin1Char('-'));
                r.High = f[2].toDouble();
                r.Low = f[3].toDouble();
                r.Close = f[4].toDouble();
                r.Volume = f[5].toInt();
                d->Insert(r);
            }
        }
        return d;
    }();
    return *db;
}

template <class Op> void runStatistic(benchmark::State &state, Op op)
{
    TDataBase &db = ttrc();
    const qint64 reads0 = db.readCalls();
    for (auto _ : state)
        benchmark::DoNotOptimize(op(db));
    state.counters["reads"] = double(db.readCalls() - reads0) / double(state.iterations());
    state.counters["writes"] = 0;
    state.counters["records"] = db.LastIndex() + 1;
}

void BM_Average200(benchmark::State &state)
{
    runStatistic(state, [](TDataBase &db) { return db.Average(QStringLiteral("CLOSE"), 0, 200); });
}
BENCHMARK(BM_Average200)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_StdDev200(benchmark::State &state)
{
    runStatistic(state, [](TDataBase &db) { return db.StdDev(QStringLiteral("CLOSE"), 0, 200); });
}
BENCHMARK(BM_StdDev200)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_HighestWholeFile(benchmark::State &state)
{
    runStatistic(state, [](TDataBase &db) { return db.Highest(QStringLiteral("HIGH")); });
}
BENCHMARK(BM_HighestWholeFile)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// What every StartValue, Lowest and Highest pays before reading a record.
void BM_GetStatisticsOptions(benchmark::State &state)
{
    folder();
    for (auto _ : state)
        benchmark::DoNotOptimize(GetStatisticsOptions());
}
BENCHMARK(BM_GetStatisticsOptions)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
