// Seeds a new workspace so that a first start shows real data:
//   quorvane_sample <workspace-dir> <path-to-ttrc.csv>
// The workspace is both base and program folder. Everything is written with
// the program's own record classes: the symbol file, the watch list, the
// price histories (the real TTRC history from the CSV, plus two securities
// whose prices are generated and say so in their names), and a portfolio
// with a few transactions and dividends.

#include "frame/StdUnitDates.h"
#include "frame/StdUnitFiles.h"
#include "frame/Stockcfg.h"
#include "records/Database.h"
#include "records/SblBase.h"
#include "records/TransDatabase.h"
#include "records/WatchBase.h"
#include "transfer/DataConversion.h"
#include "screening/FunctionEdit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>

namespace {

struct TSecurity
{
    const char *symbol;
    const char *name;
};

constexpr TSecurity kRealSecurity{"TTRC", "TTRC Sample History"};
constexpr TSecurity kGenerated[] = {{"GENM", "SAMPLE Generated Motors"}, {"GENF", "SAMPLE Generated Foods"}};
constexpr const char *kPortfolioFile = "SAMPLE";
constexpr qint32 kPortfolioCode = 24680;

int fail(const QString &message)
{
    std::fprintf(stderr, "quorvane_sample: %s\n", qPrintable(message));
    return 1;
}

// One line "YYYY-MM-DD,Open,High,Low,Close,Volume". The open price has no
// place in a price record and is dropped.
bool parseLine(const QString &line, TPriceRecord &rec)
{
    const QStringList f = line.trimmed().split(QLatin1Char(','));
    if (f.size() < 6)
        return false;
    QString date = f[0].trimmed();
    date.remove(QLatin1Char('-'));
    bool ok[4] = {};
    const double high = f[2].toDouble(&ok[0]);
    const double low = f[3].toDouble(&ok[1]);
    const double close = f[4].toDouble(&ok[2]);
    const double volume = f[5].trimmed().toDouble(&ok[3]);
    if (date.size() != 8 || !ok[0] || !ok[1] || !ok[2] || !ok[3])
        return false;
    rec = TPriceRecord();
    rec.Date = date;
    rec.High = high;
    rec.Low = low;
    rec.Close = close;
    rec.Volume = qint32(std::clamp(volume, 0.0, double(std::numeric_limits<qint32>::max())));
    return true;
}

// Returns the dates written, in order.
QStringList writeRealHistory(const QString &csvPath, int *written)
{
    QStringList dates;
    QFile csv(csvPath);
    if (!csv.open(QIODevice::ReadOnly | QIODevice::Text))
        return dates;
    TDataBase db(PriceFilePath(QString::fromLatin1(kRealSecurity.symbol)));
    if (!db.IsOpen())
        return dates;
    QTextStream in(&csv);
    in.readLine(); // the heading
    while (!in.atEnd()) {
        TPriceRecord rec;
        if (!parseLine(in.readLine(), rec))
            continue;
        dates << rec.Date.text();
        if (db.Insert(rec))
            ++*written;
    }
    return dates;
}

// A random walk over the trading days of the real history's last years,
// the same every time (fixed seed).
int writeGeneratedHistory(const TSecurity &security, const QStringList &tradingDays, unsigned seed,
                          double start)
{
    TDataBase db(PriceFilePath(QString::fromLatin1(security.symbol)));
    if (!db.IsOpen())
        return -1;
    std::mt19937 random(seed);
    std::normal_distribution<double> step(0.0003, 0.015);
    std::uniform_real_distribution<double> spread(0.0, 0.012);
    std::uniform_int_distribution<int> volume(200000, 2500000);
    double close = start;
    int written = 0;
    for (const QString &day : tradingDays) {
        if (day < QLatin1String("20040101"))
            continue;
        close = std::max(1.0, close * std::exp(step(random)));
        TPriceRecord rec;
        rec.Date = day;
        rec.Close = std::round(close * 100) / 100;
        rec.High = std::round(rec.Close * (1 + spread(random)) * 100) / 100;
        rec.Low = std::round(rec.Close * (1 - spread(random)) * 100) / 100;
        rec.Volume = volume(random);
        if (db.Insert(rec))
            ++written;
    }
    return written;
}

void writeSymbolsAndWatchList(const QList<TSecurity> &securities)
{
    TSymbolDataBase symbols(GetFolders().Symbol + QStringLiteral("Stocks.sbl"));
    TWatchDatabase watch(WatchListPath());
    for (const TSecurity &s : securities) {
        TSymbolRecord sym;
        sym.Symbol = QString::fromLatin1(s.symbol);
        sym.Name = QString::fromLatin1(s.name);
        symbols.Insert(sym); // upper-cases symbol and name
        TListRecord entry;
        entry.FileName = sym.Symbol.text();
        entry.Name = sym.Name.text(); // the name as the symbol file gives it
        entry.NoteFile = GetFolders().Notes + sym.Symbol.text() + QStringLiteral(".txt");
        watch.Insert(entry);
    }
}

// The close on a date, or on the nearest trading day the search lands on.
TPriceRecord priceNear(const QString &symbol, const QString &date)
{
    TDataBase db(PriceFilePath(symbol));
    TPriceRecord rec;
    db.Find(rec, date);
    return rec;
}

int writePortfolio()
{
    TWatchDatabase list(PortfolioListPath());
    TListRecord p;
    p.FileName = QString::fromLatin1(kPortfolioFile);
    p.Name = QStringLiteral("Sample Portfolio");
    p.SecurityCode = kPortfolioCode;
    list.Insert(p);

    const QString file = QString::fromLatin1(kPortfolioFile);
    TTransBase trades(TransactionFilePath(file));
    const struct
    {
        const char *symbol;
        const char *date;
        double shares;
    } plan[] = {{"TTRC", "20020102", 200}, {"TTRC", "20040601", -100}, {"GENM", "20040115", 300},
                {"GENF", "20050301", 150}, {"GENM", "20060605", -300}, {"TTRC", "20061215", 50}};
    int count = 0;
    // Trades are keyed by the moment of entry, so a second run would add them
    // all again; a portfolio that already has records is left alone.
    if (trades.LastIndex() >= 0)
        return 0;
    for (const auto &t : plan) {
        const TPriceRecord day = priceNear(QString::fromLatin1(t.symbol), QString::fromLatin1(t.date));
        TTransRecord rec;
        rec.Symbol = QString::fromLatin1(t.symbol);
        rec.Date = day.Date.text();
        rec.Shares = t.shares;
        rec.Price = day.Close;
        rec.Fee = 9.99;
        rec.SecurityCode = kPortfolioCode;
        if (trades.Insert(rec))
            ++count;
    }

    TTransBase dividends(DividendFilePath(file));
    for (const char *date : {"20030915", "20040915", "20050915"}) {
        TTransRecord rec;
        rec.Symbol = QString::fromLatin1(kRealSecurity.symbol);
        rec.Date = QString::fromLatin1(date);
        rec.Price = 24.00; // the amount received
        rec.SecurityCode = kPortfolioCode;
        if (dividends.Insert(rec))
            ++count;
    }
    return count;
}

// A vendor-style quote file for the trading day after the histories end, and
// the conversion format "Sample Daily Quotes" that reads it, so the data
// conversion can be tried at once. Returns the number of quote lines.
int writeDailyQuotes(const QList<TSecurity> &securities, const QString &lastDay)
{
    QDate day = StoredTextToDate(lastDay).addDays(1);
    while (day.dayOfWeek() > 5)
        day = day.addDays(1);
    const QString path = WithBackslash(BaseFolder()) + QStringLiteral("SampleQuotes.txt");
    QByteArray text = "Symbol,Date,High,Low,Close,Volume\r\n";
    int lines = 0;
    for (const TSecurity &s : securities) {
        const QString symbol = QString::fromLatin1(s.symbol);
        TDataBase db(PriceFilePath(symbol));
        if (db.RecordCount() == 0)
            continue;
        TPriceRecord last;
        db.ReadAt(last, db.LastIndex());
        const double close = std::round(last.Close * 1.01 * 100) / 100;
        text += QStringLiteral("%1,%2,%3,%4,%5,%6\r\n")
                    .arg(symbol, DisplayDateText(day), QString::number(close * 1.01, 'f', 2),
                         QString::number(close * 0.99, 'f', 2), QString::number(close, 'f', 2),
                         QString::number(qint64(last.Volume) + 1000))
                    .toLatin1();
        ++lines;
    }
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(text) != text.size())
        return -1;
    TConvDataBase formats(ConvertDatPath());
    TConvRecord rec;
    rec.Description.setText(QStringLiteral("Sample Daily Quotes"));
    rec.KindTag.setText(kConversionKindTag);
    rec.FileName.setText(path);
    rec.Layout = 1;   // comma delimited
    rec.DateForm = 2; // MM-DD-YYYY
    rec.LinesToSkip = 1;
    rec.FieldRowCount = 6;
    rec.VolumeDivisor = 1;
    rec.Summary = 1;
    for (int i = 0; i < 6; ++i)
        rec.FieldMap[i].setText(QStringLiteral("Field %1").arg(i + 1));
    formats.Insert(rec);
    return lines;
}

// Three screening functions in three colours; between them every sample
// security passes at least one, so a first watch run shows coloured lines.
void writeScreeningFunctions()
{
    struct TSample
    {
        const char *description;
        uint32_t color;
        const char *left, *comparison, *right;
    };
    const TSample samples[] = {
        {"Above 20 Day Average", 0x0000FF, "CURRENT(CLOSE)", ">", "AVERAGEONDAY(CLOSE,0,20)"},
        {"Below 20 Day Average", 0x008000, "CURRENT(CLOSE)", "<", "AVERAGEONDAY(CLOSE,0,20)"},
        {"Sample History TTRC", 0xFF0000, "STOCKSYMBOL", "=", "'TTRC'"},
    };
    TFunctionBase scan(GetFolders().Watch + QStringLiteral("Scan.dat"));
    for (const TSample &s : samples) {
        TFunctionTexts texts;
        texts.Description = QString::fromLatin1(s.description);
        texts.Color = s.color;
        texts.Expressions[0] = QString::fromLatin1(s.left);
        texts.Comparisons[0] = QString::fromLatin1(s.comparison);
        texts.Expressions[1] = QString::fromLatin1(s.right);
        TFunctionRecord rec = BuildFunctionRecord(texts);
        scan.Insert(rec);
    }
}

// A general month picture for the calendar: a drawn landscape, so the
// calendar window shows a picture on any day. Returns the folder, or an empty
// text when the picture cannot be written.
QString writeCalendarPicture()
{
    const QString folder = WithBackslash(BaseFolder()) + QStringLiteral("calendar");
    if (!QDir().mkpath(folder))
        return QString();
    QImage image(320, 240, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 240);
    sky.setColorAt(0, QColor(70, 130, 200));
    sky.setColorAt(1, QColor(200, 225, 245));
    p.fillRect(image.rect(), sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 210, 90));
    p.drawEllipse(QPointF(250, 60), 28, 28);
    QPainterPath hills;
    hills.moveTo(0, 240);
    hills.lineTo(0, 170);
    hills.cubicTo(80, 120, 140, 200, 210, 160);
    hills.cubicTo(260, 135, 300, 150, 320, 140);
    hills.lineTo(320, 240);
    hills.closeSubpath();
    p.setBrush(QColor(60, 140, 70));
    p.drawPath(hills);
    p.end();
    if (!image.save(WithBackslash(folder) + QStringLiteral("00.jpg"), "JPG"))
        return QString();
    return folder;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: quorvane_sample <workspace-dir> <path-to-ttrc.csv>\n");
        return 2;
    }
    const QString workspace = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    const QString csvPath = QString::fromLocal8Bit(argv[2]);
    if (!QFileInfo(workspace).isDir())
        return fail(QStringLiteral("no workspace folder %1").arg(workspace));
    if (!QFileInfo::exists(csvPath))
        return fail(QStringLiteral("no price file %1").arg(csvPath));

    SetBaseFolder(workspace);
    SetProgramFolder(workspace);
    const TFolderPaths folders = GetFolders();
    for (const QString &f : {folders.Symbol, folders.Watch, folders.Notes, folders.Data, folders.Portfolio})
        QDir().mkpath(f);

    int realWritten = 0;
    const QStringList days = writeRealHistory(csvPath, &realWritten);
    if (days.isEmpty())
        return fail(QStringLiteral("could not read %1 or write %2")
                        .arg(csvPath, PriceFilePath(QString::fromLatin1(kRealSecurity.symbol))));

    QList<TSecurity> securities{kRealSecurity};
    const double starts[] = {38.5, 21.75};
    for (int i = 0; i < 2; ++i) {
        const int n = writeGeneratedHistory(kGenerated[i], days, 1985u + unsigned(i), starts[i]);
        if (n < 0)
            return fail(QStringLiteral("could not write the history of %1").arg(kGenerated[i].symbol));
        securities << kGenerated[i];
    }
    writeSymbolsAndWatchList(securities);
    writeScreeningFunctions();
    const int portfolioRecords = writePortfolio();
    // A new workspace starts with the sample portfolio current, so the chart's
    // "Bought Sold" and the portfolio windows have something to show. A
    // workspace that already has its settings keeps them.
    if (!QFileInfo::exists(WithBackslash(BaseFolder()) + QString::fromLatin1(kConfigFileName))) {
        LoadConfig();
        TListRecord startup;
        startup.FileName = QString::fromLatin1(kPortfolioFile);
        startup.Name = QStringLiteral("Sample Portfolio");
        startup.SecurityCode = kPortfolioCode;
        ConfigRecord.Startup.Portfolio = startup;
        ConfigRecord.Startup.OpenOnStartup = 0;
        const QString pictures = writeCalendarPicture();
        if (!pictures.isEmpty())
            ConfigRecord.Files.CalendarFolder.setText(pictures);
        if (!SaveConfig())
            return fail(QStringLiteral("could not write the settings in %1").arg(workspace));
    }
    if (writeDailyQuotes(securities, *std::max_element(days.begin(), days.end())) < 0)
        return fail(QStringLiteral("could not write the sample quote file"));

    std::printf("quorvane_sample: %d TTRC prices, %d securities, %d portfolio records in %s\n", realWritten,
                int(securities.size()), portfolioRecords, qPrintable(workspace));
    return 0;
}
