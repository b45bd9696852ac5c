// Costs of the price chart on the real TTRC history (5,550 records) at
// 1280 x 720 with every indicator, an overlay, the statistics limit off and
// a portfolio of 10,000 transactions. Each drawing starts with no records
// fetched, so "reads" counts the record reads of one drawing (block reads
// count as one call each) and "records" the history's size.

#include "chart/GraphChart.h"
#include "frame/StdUnitFiles.h"
#include "frame/Stockcfg.h"
#include "records/Database.h"
#include "records/TransDatabase.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextStream>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int kW = 1280;
constexpr int kH = 720;

class TChartBench
{
public:
    TChartBench()
    {
        SetRecordFileSync(false);
        SetBaseFolder(m_dir.path());
        SetProgramFolder(m_dir.path());
        LoadConfig();
        ConfigRecord.Statistics.LimitRecords = 0;
        ConfigRecord.Graph.Options = 63;
        SaveConfig();
        const TFolderPaths f = GetFolders();
        QDir().mkpath(f.Data);
        QDir().mkpath(f.Portfolio);
        writeHistories();
        writeTransactions();
        CurrentPortfolio.FileName = QStringLiteral("BENCH");
    }

    void setPeriods(int p1, int p2)
    {
        TGraphSettings g = GetGraphSettings();
        g.Average1 = p1;
        g.Average2 = p2;
        SetGraphSettings(g);
    }

    int records = 0;
    QStringList dates;

private:
    void writeHistories()
    {
        QFile csv(QStringLiteral(QV_SAMPLE_DIR "/ttrc.csv"));
        if (!csv.open(QIODevice::ReadOnly | QIODevice::Text))
            return;
        QTextStream in(&csv);
        in.readLine();
        TDataBase ttrc(PriceFilePath(QStringLiteral("TTRC")));
        TDataBase overlay(PriceFilePath(QStringLiteral("OVL")));
        QByteArray a, b;
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
            dates << r.Date.text();
            ttrc.AppendImage(a, r);
            // the overlay misses every third day, so its dates are searched for
            if (dates.size() % 3 != 0) {
                r.Close *= 3;
                r.High *= 3;
                r.Low *= 3;
                overlay.AppendImage(b, r);
            }
        }
        ttrc.ReplaceAll(a);
        overlay.ReplaceAll(b);
        records = ttrc.RecordCount();
    }

    void writeTransactions()
    {
        TTransBase tra(TransactionFilePath(QStringLiteral("BENCH")));
        QByteArray bytes;
        for (int i = 0; i < 10000 && !dates.isEmpty(); ++i) {
            TTransRecord t;
            t.Symbol = QStringLiteral("TTRC");
            t.Date = dates[(i * 5) % dates.size()];
            t.EntryTime = 40000 + i / 86400.0;
            t.Shares = i % 2 ? 100 : -100;
            t.Price = 10 + i % 20;
            tra.AppendImage(bytes, t);
        }
        // ordered as the file keeps them: by date, then entry time
        const int size = int(sizeof(TTransRecord));
        QList<QByteArray> recs;
        for (int i = 0; i + size <= bytes.size(); i += size)
            recs << bytes.mid(i, size);
        std::stable_sort(recs.begin(), recs.end(), [](const QByteArray &x, const QByteArray &y) {
            return x.mid(8, 11) < y.mid(8, 11);
        });
        tra.ReplaceAll(recs.join());
    }

    QTemporaryDir m_dir;
};

TChartBench &bench()
{
    static TChartBench b;
    return b;
}

const TChartShow kAll{true, true, true, true, true, true};

std::unique_ptr<TGraphChart> makeChart()
{
    auto chart = std::make_unique<TGraphChart>();
    chart->Build(QStringLiteral("TTRC"), QStringLiteral("TTRC Sample History"), kW, kH);
    chart->SetOverlay(QStringLiteral("OVL"), QStringLiteral("Overlay"));
    return chart;
}

void report(benchmark::State &state, TGraphChart &chart, qint64 reads0)
{
    state.counters["reads"] = double(chart.readCalls() - reads0) / double(state.iterations());
    state.counters["records"] = bench().records;
    state.counters["N"] = chart.view().N;
}

void drawingList(benchmark::State &state, bool maximum)
{
    bench().setPeriods(5, 15);
    auto chart = makeChart();
    if (maximum)
        chart->ShowMaximum();
    const qint64 reads0 = chart->readCalls();
    for (auto _ : state) {
        chart->ForgetRecords();
        benchmark::DoNotOptimize(chart->Draw(kAll));
    }
    report(state, *chart, reads0);
}

void BM_DrawingListDefault(benchmark::State &state)
{
    drawingList(state, false);
}
BENCHMARK(BM_DrawingListDefault)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_DrawingListMaximum(benchmark::State &state)
{
    drawingList(state, true);
}
BENCHMARK(BM_DrawingListMaximum)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_FullDrawingPainted(benchmark::State &state)
{
    bench().setPeriods(5, 15);
    auto chart = makeChart();
    QImage image(kW, kH, QImage::Format_RGB32);
    const qint64 reads0 = chart->readCalls();
    for (auto _ : state) {
        chart->ForgetRecords();
        PaintDrawList(image, chart->Draw(kAll), chart->settings().FontName);
    }
    report(state, *chart, reads0);
}
BENCHMARK(BM_FullDrawingPainted)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// 100 consecutive scroll positions, each a full painted drawing; the time is
// per drawing.
void BM_ScrollPainted(benchmark::State &state)
{
    bench().setPeriods(5, 15);
    auto chart = makeChart();
    QImage image(kW, kH, QImage::Format_RGB32);
    const int end = chart->view().End;
    const qint64 reads0 = chart->readCalls();
    int position = end - 100;
    for (auto _ : state) {
        chart->ForgetRecords();
        chart->ScrollTo(position);
        PaintDrawList(image, chart->Draw(kAll), chart->settings().FontName);
        if (++position > end)
            position = end - 100;
    }
    report(state, *chart, reads0);
}
BENCHMARK(BM_ScrollPainted)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(100)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_LongPeriods2000(benchmark::State &state)
{
    bench().setPeriods(2000, 2000);
    auto chart = makeChart();
    QImage image(kW, kH, QImage::Format_RGB32);
    const qint64 reads0 = chart->readCalls();
    for (auto _ : state) {
        chart->ForgetRecords();
        PaintDrawList(image, chart->Draw(kAll), chart->settings().FontName);
    }
    report(state, *chart, reads0);
    bench().setPeriods(5, 15);
}
BENCHMARK(BM_LongPeriods2000)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char **argv)
{
    // Fonts and images need a GUI application; no screen is used.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
