// Costs of the percent-change and position reports on a large portfolio:
// 500 securities with 300 prices each, 10,000 transactions, 2,000 dividends,
// a watch list of 2,000 securities, and the real 5,550-day sample history
// for the day-by-day report. Counters: "pages" per run, "pages/s".

#include "frame/StdUnitFiles.h"
#include "frame/Stockcfg.h"
#include "records/Database.h"
#include "records/SblBase.h"
#include "records/TransDatabase.h"
#include "records/WatchBase.h"
#include "reports/PercentChangeReports.h"
#include "reports/PositionData.h"
#include "reports/PositionReports.h"
#include "reports/ReportData.h"
#include "reports/ReportPage.h"
#include "reports/Reports.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int kSymbols = 500;
constexpr int kPrices = 300;
constexpr int kTrades = 10000;
constexpr int kDividends = 2000;
constexpr int kWatched = 2000;
const QString kPortfolio = QStringLiteral("BIG");
const QString kHistoryPortfolio = QStringLiteral("HIST");

QString symbolOf(int i)
{
    return QStringLiteral("S%1").arg(i);
}

QString dateOf(int day)
{
    return QDate(2000, 1, 1).addDays(day).toString(QStringLiteral("yyyyMMdd"));
}

void writeHistory(const QString &symbol, int first, int count)
{
    TDataBase prices(PriceFilePath(symbol));
    QByteArray image;
    TPriceRecord p;
    for (int d = 0; d < count; ++d) {
        p.Date = dateOf(first + d);
        p.High = p.Low = p.Close = 10 + (first % 97) + d * 0.01;
        p.Volume = 1000 + d;
        prices.AppendImage(image, p);
    }
    prices.ReplaceAll(image);
}

void writeSorted(const QString &path, QList<TTransRecord> recs)
{
    std::stable_sort(recs.begin(), recs.end(), [](const TTransRecord &a, const TTransRecord &b) {
        return TTransBase::FullKey(a) < TTransBase::FullKey(b);
    });
    TTransBase file(path);
    QByteArray image;
    for (TTransRecord &r : recs)
        file.AppendImage(image, r);
    file.ReplaceAll(image);
}

// The workspace, built once for every benchmark of the program.
class TWorkspace
{
public:
    TWorkspace()
    {
        SetRecordFileSync(false);
        const QString base = m_dir.path() + QLatin1Char('/');
        SetBaseFolder(base);
        SetProgramFolder(base);
        for (const char *f : {"symbol", "watch", "notes", "data", "port"})
            QDir().mkpath(base + QLatin1String(f));
        for (int s = 0; s < kWatched; ++s)
            writeHistory(symbolOf(s), s % 50, s < kSymbols ? kPrices : 100);

        QList<TTransRecord> trades;
        for (int i = 0; i < kTrades; ++i) {
            TTransRecord r;
            r.Symbol = symbolOf(i % kSymbols);
            r.Date = dateOf(i / kSymbols * 10);
            r.Shares = i % 7 == 0 ? -5 : 10;
            r.Price = 12.5;
            r.Fee = 1;
            r.EntryTime = 40000 + i / 86400.0;
            trades << r;
        }
        writeSorted(TransactionFilePath(kPortfolio), trades);
        QList<TTransRecord> dividends;
        for (int i = 0; i < kDividends; ++i) {
            TTransRecord r;
            r.Symbol = symbolOf(i % kSymbols);
            r.Date = dateOf(i / kSymbols * 30);
            r.Price = 1.25;
            r.EntryTime = 40000 + i / 86400.0;
            dividends << r;
        }
        writeSorted(DividendFilePath(kPortfolio), dividends);

        {
            TWatchDatabase watch(WatchListPath());
            QByteArray image;
            QStringList names;
            for (int s = 0; s < kWatched; ++s)
                names << QStringLiteral("COMPANY %1").arg(s, 5, 10, QLatin1Char('0'));
            for (int s = 0; s < kWatched; ++s) {
                TListRecord e;
                e.FileName = symbolOf(s);
                e.Name = names[s];
                watch.AppendImage(image, e);
            }
            watch.ReplaceAll(image);
        }
        {
            TSymbolDataBase symbols(GetFolders().Symbol + QStringLiteral("Stocks.sbl"));
            QStringList all;
            for (int s = 0; s < kWatched; ++s)
                all << symbolOf(s);
            all.sort();
            QByteArray image;
            TSymbolRecord r;
            for (const QString &n : all) {
                r.Symbol = n;
                r.Name = QStringLiteral("COMPANY ") + n;
                symbols.AppendImage(image, r);
            }
            symbols.ReplaceAll(image);
        }
        writeSampleHistory();
    }

    QString path(const QString &name) const { return m_dir.path() + QLatin1Char('/') + name; }
    QString firstSampleDate;
    QString lastSampleDate;
    int sampleRecords = 0;

private:
    void writeSampleHistory()
    {
        QFile csv(QStringLiteral(QV_SAMPLE_DIR "/ttrc.csv"));
        if (!csv.open(QIODevice::ReadOnly | QIODevice::Text))
            return;
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
            r.Volume = f[5].toInt();
            if (firstSampleDate.isEmpty())
                firstSampleDate = r.Date.text();
            lastSampleDate = r.Date.text();
            ttrc.AppendImage(image, r);
        }
        ttrc.ReplaceAll(image);
        sampleRecords = ttrc.RecordCount();
        TTransRecord buy;
        buy.Symbol = QStringLiteral("TTRC");
        buy.Date = firstSampleDate;
        buy.Shares = 100;
        buy.Price = 3;
        writeSorted(TransactionFilePath(kHistoryPortfolio), {buy});
    }

    QTemporaryDir m_dir;
};

TWorkspace &workspace()
{
    static TWorkspace w;
    return w;
}

const QDate kToday(2026, 12, 10);

// A PDF document through the same painter drawing the printer uses; the
// printer itself needs the window layer, which the benchmarks do not link.
class TPdfTarget : public TPainterTarget
{
public:
    explicit TPdfTarget(const QString &file) : m_writer(file)
    {
        m_writer.setResolution(600);
        m_writer.setPageSize(QPageSize(QPageSize::Letter));
        m_writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        m_writer.setTitle(QStringLiteral("The Quorvane"));
    }
    bool IsPrinter() const override { return true; }
    int ResolutionX() const override { return 600; }
    int ResolutionY() const override { return 600; }
    int PageWidth() const override { return 5100; }
    int PageHeight() const override { return 6600; }
    bool Start(QString &) override { return m_painter.begin(&m_writer); }
    bool EndPage(int, QString &) override { return m_writer.newPage(); }
    bool Finish(int, QString &) override { return m_painter.end(); }

protected:
    QPainter *painter() override { return &m_painter; }

private:
    QPdfWriter m_writer;
    QPainter m_painter;
};

enum class TTargetKind { Recording, Preview, Pdf };

template <class Write>
void runReport(benchmark::State &state, Write write, TTargetKind kind = TTargetKind::Recording)
{
    workspace();
    int pages = 0;
    double bytes = 0;
    for (auto _ : state) {
        QTemporaryDir dir;
        std::unique_ptr<TReportTarget> target;
        if (kind == TTargetKind::Preview)
            target = std::make_unique<TPreviewImageTarget>(dir.path(), 96);
        else if (kind == TTargetKind::Pdf)
            target = std::make_unique<TPdfTarget>(dir.filePath(QStringLiteral("out.pdf")));
        else
            target = std::make_unique<TRecordingTarget>(96);
        TReports page;
        if (!page.Begin(target.get(), nullptr)) {
            state.SkipWithError("the run did not begin");
            break;
        }
        write(page);
        if (!page.End()) {
            state.SkipWithError(qPrintable(page.Error()));
            break;
        }
        pages = page.PageNumber();
        state.PauseTiming();
        target.reset();
        bytes = 0;
        for (const QFileInfo &f : QDir(dir.path()).entryInfoList(QDir::Files))
            bytes += double(f.size());
        state.ResumeTiming();
    }
    state.counters["pages"] = pages;
    state.counters["pages/s"] = benchmark::Counter(pages, benchmark::Counter::kIsIterationInvariantRate);
    if (kind != TTargetKind::Recording && pages > 0)
        state.counters["bytes/page"] = bytes / pages;
}

void BM_SummaryReport(benchmark::State &state)
{
    runReport(state,
              [](TReportPage &p) { TSummaryReport(p, QStringLiteral("Portfolio Big"), kPortfolio).Write(); });
}
BENCHMARK(BM_SummaryReport)->Unit(benchmark::kMillisecond);

void BM_PercentChangeReport(benchmark::State &state)
{
    runReport(state, [](TReportPage &p) {
        TPercentChangeReport(p, {QStringLiteral("Portfolio Big"), 5, QDate(2000, 3, 1), kToday, kPortfolio})
            .Write();
    });
}
BENCHMARK(BM_PercentChangeReport)->Unit(benchmark::kMillisecond);

void BM_DetailReport(benchmark::State &state)
{
    runReport(state,
              [](TReportPage &p) { TDetailReport(p, QStringLiteral("Portfolio Big"), kPortfolio).Write(); });
}
BENCHMARK(BM_DetailReport)->Unit(benchmark::kMillisecond);

void BM_StockReport(benchmark::State &state)
{
    runReport(state, [](TReportPage &p) {
        TWatchDatabase watch(WatchListPath());
        TStockPercentChangeReport(p, watch, 5, QDate(2000, 1, 20), kToday).Write();
    });
}
BENCHMARK(BM_StockReport)->Unit(benchmark::kMillisecond);

void BM_SampleHistoryDetail(benchmark::State &state)
{
    runReport(state, [](TReportPage &p) {
        TPercentChangeReportDetail(
            p, {QStringLiteral("Portfolio Hist"), 5, QDate(1985, 1, 1), kToday, kHistoryPortfolio})
            .Write();
    });
}
BENCHMARK(BM_SampleHistoryDetail)->Unit(benchmark::kMillisecond);

void writeSampleDetail(TReportPage &p)
{
    TPercentChangeReportDetail(
        p, {QStringLiteral("Portfolio Hist"), 5, QDate(1985, 1, 1), kToday, kHistoryPortfolio})
        .Write();
}

void BM_SampleHistoryPreview(benchmark::State &state)
{
    runReport(state, writeSampleDetail, TTargetKind::Preview);
}
BENCHMARK(BM_SampleHistoryPreview)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_SampleHistoryPdf(benchmark::State &state)
{
    runReport(state, writeSampleDetail, TTargetKind::Pdf);
}
BENCHMARK(BM_SampleHistoryPdf)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_SummaryFigures(benchmark::State &state)
{
    workspace();
    for (auto _ : state) {
        TReportNames names;
        const TSummaryData d = ComputeSummary(ReadPortfolioRecords(kPortfolio), kToday, names);
        if (d.Lines.size() != kSymbols)
            state.SkipWithError("wrong line count");
        benchmark::DoNotOptimize(d.Total.Gain);
    }
}
BENCHMARK(BM_SummaryFigures)->Unit(benchmark::kMillisecond);

void BM_PercentChangeFigures(benchmark::State &state)
{
    workspace();
    for (auto _ : state) {
        const TPercentChangeData d = ComputePercentChange(kPortfolio, QDate(2000, 3, 1), kToday, 5);
        if (d.Lines.size() != kSymbols)
            state.SkipWithError("wrong line count");
        benchmark::DoNotOptimize(d.Total.Change);
    }
}
BENCHMARK(BM_PercentChangeFigures)->Unit(benchmark::kMillisecond);

void BM_DetailFigures(benchmark::State &state)
{
    workspace();
    for (auto _ : state) {
        TReportNames names;
        const QList<TDetailSection> d = ComputeDetail(ReadPortfolioRecords(kPortfolio), kToday, 0, names);
        if (d.size() != kSymbols)
            state.SkipWithError("wrong section count");
        benchmark::DoNotOptimize(d.size());
    }
}
BENCHMARK(BM_DetailFigures)->Unit(benchmark::kMillisecond);

void BM_StockChangeFigures(benchmark::State &state)
{
    workspace();
    TWatchDatabase watch(WatchListPath());
    for (auto _ : state) {
        const QList<TStockChangeLine> d = ComputeStockPercentChange(watch, QDate(2000, 1, 20), kToday, 5);
        if (d.size() != kWatched)
            state.SkipWithError("wrong line count");
    }
}
BENCHMARK(BM_StockChangeFigures)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    // Font metrics need the GUI layer; no window is ever shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
