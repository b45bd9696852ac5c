// Costs of the data runs: a day's conversion of 5,000 quote lines into
// 5,000 existing histories with the summary (and the same file again, all
// duplicates), the export of one 5,550-day history, and Export All over 200
// such histories.

#include "frame/RunTalk.h"
#include "frame/StdUnit.h"
#include "frame/Stockcfg.h"
#include "records/Database.h"
#include "records/WatchBase.h"
#include "transfer/DataConversion.h"
#include "transfer/ExportRun.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

class TQuietTalk : public TRunTalk
{
public:
    void progress(const QString &) override { ++progressCalls; }
    void error(const QString &) override {}
    void information(const QString &) override {}
    bool askYesNoInformation(const QString &) override { return false; }
    int progressCalls = 0;
};

class TBenchFolder
{
public:
    TBenchFolder()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        SetBaseFolder(m_dir.path() + QLatin1Char('/'));
        SetProgramFolder(m_dir.path() + QLatin1Char('/'));
        CreateMissingFolders();
        const TFolderPaths f = GetFolders();
        for (const QString &p : {f.Symbol, f.Watch, f.Data})
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

QString symbolOf(int i)
{
    return QStringLiteral("S%1").arg(i, 5, 10, QLatin1Char('0'));
}

// `days` records starting 3 January 1990, one per calendar day.
QByteArray historyImage(int days)
{
    QByteArray out;
    out.reserve(days * int(sizeof(TPriceRecord)));
    const QDate start(1990, 1, 3);
    for (int d = 0; d < days; ++d) {
        TPriceRecord r;
        r.Date.setText(DateToStoredText(start.addDays(d)));
        r.Close = 10 + d % 37;
        r.High = r.Close + 1;
        r.Low = r.Close - 1;
        r.Volume = 1000 + d;
        out.append(reinterpret_cast<const char *>(&r), sizeof r);
    }
    return out;
}

TConvRecord quoteFormat(const QString &file)
{
    TConvRecord r;
    r.Description.setText(QStringLiteral("Bench"));
    r.FileName.setText(file);
    r.Layout = 1;
    r.DateForm = 2;
    r.LinesToSkip = 1;
    r.FieldRowCount = 6;
    r.VolumeDivisor = 100;
    r.Summary = 1;
    for (int i = 0; i < 6; ++i)
        r.FieldMap[i].setText(QStringLiteral("Field %1").arg(i + 1));
    return r;
}

QString writeQuotes(int securities, const QDate &day)
{
    const QString path = folder().path(QStringLiteral("quotes.txt"));
    QByteArray text = "Symbol,Date,High,Low,Close,Volume\r\n";
    for (int i = 0; i < securities; ++i)
        text += QStringLiteral("%1,%2,13.25,12.5,13,150000\r\n")
                    .arg(symbolOf(i), DisplayDateText(day))
                    .toLatin1();
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(text);
    return path;
}

constexpr int kSecurities = 5000;

void prepareHistories(int count, int days)
{
    static int prepared = 0;
    static int preparedDays = 0;
    if (prepared >= count && preparedDays == days)
        return;
    const QByteArray image = historyImage(days);
    for (int i = 0; i < count; ++i)
        ReplaceFileContents(PriceFilePath(symbolOf(i)), image);
    prepared = count;
    preparedDays = days;
}

void BM_ConvertNewDay(benchmark::State &state)
{
    folder();
    prepareHistories(kSecurities, 20);
    QDate day(1990, 2, 1);
    for (auto _ : state) {
        state.PauseTiming();
        const QString quotes = writeQuotes(kSecurities, day);
        day = day.addDays(1);
        state.ResumeTiming();
        TQuietTalk talk;
        const TConversionResult r = RunDataConversion(quoteFormat(quotes), talk);
        benchmark::DoNotOptimize(r.Stored);
        state.counters["progress"] = talk.progressCalls;
    }
}
BENCHMARK(BM_ConvertNewDay)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ConvertAllDuplicates(benchmark::State &state)
{
    folder();
    prepareHistories(kSecurities, 20);
    const QString quotes = writeQuotes(kSecurities, QDate(1990, 1, 10)); // on file everywhere
    for (auto _ : state) {
        TQuietTalk talk;
        const TConversionResult r = RunDataConversion(quoteFormat(quotes), talk);
        benchmark::DoNotOptimize(r.Stored);
        state.PauseTiming();
        QFile::remove(ErrorLogPath());
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ConvertAllDuplicates)->Unit(benchmark::kMillisecond)->Iterations(3);

TExportSettings exportSettings(const QString &file, const QStringList &fields)
{
    TExportSettings s;
    s.FileName = file;
    s.Layout = kLayoutComma;
    s.DateForm = kFormMM_DD_YYYY;
    s.FromDate = QStringLiteral("01/01/1960");
    s.ToDate = QStringLiteral("12/31/2030");
    s.Fields = fields;
    return s;
}

void BM_ExportOneHistory(benchmark::State &state)
{
    folder();
    ReplaceFileContents(PriceFilePath(QStringLiteral("ONE")), historyImage(5550));
    const TExportSettings s =
        exportSettings(folder().path(QStringLiteral("one.txt")), {"Date", "High", "Low", "Close", "Volume"});
    for (auto _ : state) {
        TQuietTalk talk;
        benchmark::DoNotOptimize(RunPriceExport(s, QStringLiteral("ONE"), talk));
    }
}
BENCHMARK(BM_ExportOneHistory)->Unit(benchmark::kMillisecond);

void BM_ExportAll200(benchmark::State &state)
{
    folder();
    const QByteArray image = historyImage(5550);
    const QString watchPath = folder().path(QStringLiteral("bench-watch.sbl"));
    {
        TWatchDatabase watch(watchPath);
        for (int i = 0; i < 200; ++i) {
            const QString symbol = QStringLiteral("X%1").arg(i, 3, 10, QLatin1Char('0'));
            ReplaceFileContents(PriceFilePath(symbol), image);
            TListRecord e;
            e.FileName.setText(symbol);
            e.Name.setText(QStringLiteral("Bench Security %1").arg(i));
            watch.Insert(e);
        }
    }
    const TExportSettings s = exportSettings(folder().path(QStringLiteral("all.txt")),
                                             {"Symbol", "Company", "Date", "High", "Low", "Close", "Volume"});
    for (auto _ : state) {
        TQuietTalk talk;
        benchmark::DoNotOptimize(RunExportAll(s, watchPath, talk));
        state.counters["progress"] = talk.progressCalls;
    }
}
BENCHMARK(BM_ExportAll200)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

BENCHMARK_MAIN();
