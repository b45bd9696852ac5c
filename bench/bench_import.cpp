// Costs of the import path on the real sample history (5,550 trading days):
// a price import of the file turned newest-first, so every line would land
// at the front of the file if it were inserted one by one, and the preview
// of the same data as a fixed-width file, which counts its columns with one
// pass over the file per column.

#include "frame/RunTalk.h"
#include "frame/StdUnitDates.h"
#include "frame/StdUnitFields.h"
#include "frame/Stockcfg.h"
#include "records/Database.h"
#include "transfer/ImportPreview.h"
#include "transfer/ImportRun.h"

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>

namespace {

class TQuietTalk : public TRunTalk
{
public:
    void progress(const QString &) override {}
    void error(const QString &) override {}
    void warning(const QString &) override {}
    void information(const QString &) override {}
};

class TBenchFolder
{
public:
    TBenchFolder()
    {
        SetBaseFolder(m_dir.path());
        SetProgramFolder(m_dir.path());
        QFile in(QStringLiteral(QV_SAMPLE_DIR "/ttrc.csv"));
        if (!in.open(QIODevice::ReadOnly))
            return;
        QList<QByteArray> lines = in.readAll().split('\n');
        while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
            lines.removeLast();
        const QByteArray heading = lines.takeFirst();
        std::reverse(lines.begin(), lines.end());
        QFile newest(path("newest.csv"));
        newest.open(QIODevice::WriteOnly);
        newest.write(heading + "\n" + lines.join('\n') + "\n");
        // The same days as a fixed-width file, values left-aligned in columns.
        QFile fixed(path("fixed.txt"));
        fixed.open(QIODevice::WriteOnly);
        for (const QByteArray &line : lines) {
            QByteArray out;
            for (const QByteArray &field : line.trimmed().split(','))
                out += field.leftJustified(12, ' ');
            fixed.write(out.trimmed() + "\r\n");
        }
        m_lines = int(lines.size());
    }
    QString path(const QString &name) const { return m_dir.path() + QLatin1Char('/') + name; }
    int lines() const { return m_lines; }

private:
    QTemporaryDir m_dir;
    int m_lines = 0;
};

TBenchFolder &folder()
{
    static TBenchFolder f;
    return f;
}

void BM_PriceImportNewestFirst(benchmark::State &state)
{
    TImportSettings s;
    s.FileName = folder().path("newest.csv");
    s.Layout = 1;
    s.DateForm = int(DateFormNames().indexOf(kFormYYYY_MM_DD));
    s.LinesToSkip = 1;
    s.Append = false;
    s.FieldRows = ImportKindInfo(TImportKind::Prices).FieldRows;
    s.Assignments = {"Field 1", "Field 3", "Field 4", "Field 5", "Field 6"};
    TQuietTalk talk;
    int stored = 0;
    for (auto _ : state) {
        TDataBase db(folder().path("TTRC.stk"));
        stored = RunPriceImport(s, db, talk).Stored;
        benchmark::DoNotOptimize(stored);
    }
    state.counters["records"] = stored;
}
BENCHMARK(BM_PriceImportNewestFirst)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_FixedPreview(benchmark::State &state)
{
    int columns = 0;
    for (auto _ : state) {
        const TImportPreview p = BuildImportPreview(folder().path("fixed.txt"), kLayoutFixed, 0);
        columns = p.Columns;
        benchmark::DoNotOptimize(p.Rows.size());
    }
    state.counters["columns"] = columns;
    state.counters["lines"] = folder().lines();
}
BENCHMARK(BM_FixedPreview)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
