// The export runs: the bytes written in each layout, the date window, the
// closing and error messages, and the files an export must never replace.

#include "FakeTalk.h"
#include "SizeLimit.h"
#include "TestEnv.h"

#include "frame/StdUnit.h"
#include "frame/Stockcfg.h"
#include "records/Database.h"
#include "records/SblBase.h"
#include "records/WatchBase.h"
#include "transfer/ExportRun.h"

#include <QFile>
#include <QtTest>
#include <limits>

namespace {

void addPrice(const QString &symbol, const QString &date, double close, int32_t volume)
{
    TDataBase db(PriceFilePath(symbol));
    TPriceRecord r;
    r.Date.setText(date);
    r.High = close + 1;
    r.Low = close - 1;
    r.Close = close;
    r.Volume = volume;
    QVERIFY(db.Insert(r));
}

// Five records around 1999, the last one with a price that needs all 13
// characters of its fixed-length column.
void fillAcme()
{
    addPrice("ACME", "19981231", 10, 100);
    addPrice("ACME", "19990101", 12.5, 1000);
    addPrice("ACME", "19990615", 123456.5, 2000);
    addPrice("ACME", "19991231", 13, 3000);
    addPrice("ACME", "20000101", 14, 4000);
}

TExportSettings priceSettings(const QString &file, const QString &layout, const QStringList &fields)
{
    TExportSettings s;
    s.FileName = file;
    s.Layout = layout;
    s.DateForm = kFormMM_DD_YYYY;
    s.FromDate = QStringLiteral("01/01/1999");
    s.ToDate = QStringLiteral("12/31/1999");
    s.Fields = fields;
    return s;
}

void addWatch(const QString &symbol, const QString &name)
{
    TWatchDatabase w(WatchListPath());
    TListRecord r;
    r.FileName.setText(symbol);
    r.Name.setText(name);
    w.Insert(r);
}

} // namespace

class TestExportRun : public QObject
{
    Q_OBJECT

private slots:
    void lineWriter_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QList<int>>("widths");
        QTest::addColumn<QList<bool>>("quoted");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("fixed pads") << kLayoutFixed << QStringList{"ABC", "12.500000"} << QList<int>{8, 13}
                                    << QList<bool>{true, false} << QByteArray("ABC     12.500000    \r\n");
        QTest::newRow("fixed full width keeps a blank")
            << kLayoutFixed << QStringList{"ABCDEFGH", "123456.500000", "1"} << QList<int>{8, 13, 13}
            << QList<bool>{true, false, false} << QByteArray("ABCDEFGH 123456.500000 1            \r\n");
        QTest::newRow("comma quotes the asked and comma values")
            << kLayoutComma << QStringList{" 01/01/1999", "ACME, INC.", "  12.5 "} << QList<int>{11, 41, 13}
            << QList<bool>{true, false, false} << QByteArray("\"01/01/1999\",\"ACME, INC.\",12.5\r\n");
        QTest::newRow("tab trims") << kLayoutTab << QStringList{" a ", "b"} << QList<int>{8, 8}
                                   << QList<bool>{true, true} << QByteArray("a\tb\r\n");
    }
    void lineWriter()
    {
        QFETCH(QString, layout);
        QFETCH(QStringList, values);
        QFETCH(QList<int>, widths);
        QFETCH(QList<bool>, quoted);
        QFETCH(QByteArray, line);
        TExportLine l(layout);
        for (int i = 0; i < values.size(); ++i)
            l.add(values[i], widths[i], quoted[i]);
        QCOMPARE(l.finish(), line);
    }

    // The export writes dates and prices through quick paths of its own;
    // they must give exactly the texts of the general conversions.
    void quickDateTextsMatchTheGeneralConversion_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::newRow("ordinary") << "20010105";
        QTest::newRow("leap day") << "20000229";
        QTest::newRow("last century") << "19691231";
        QTest::newRow("blanks inside") << "2001 1 5";
        QTest::newRow("short text") << "200101";
        QTest::newRow("empty") << "";
    }
    void quickDateTextsMatchTheGeneralConversion()
    {
        QFETCH(QString, stored);
        for (const QString &form : DateFormNames())
            QCOMPARE(ExportDateText(form, stored), ConvertDate(kFormYYYYMMDD, form, stored));
    }

    void quickPriceTextsMatchTheGeneralFormatting_data()
    {
        QTest::addColumn<double>("price");
        QTest::newRow("whole") << 12.0;
        QTest::newRow("rounds half up in binary") << 0.0000005;
        QTest::newRow("long fraction") << 1.0 / 3.0;
        QTest::newRow("negative") << -17.125;
        QTest::newRow("large") << 123456789012.5;
        QTest::newRow("huge") << 1e20;
        QTest::newRow("tiny") << 1e-9;
        QTest::newRow("zero") << 0.0;
        QTest::newRow("negative zero") << -0.0;
        QTest::newRow("tiny negative") << -1e-9;
        QTest::newRow("negative rounding to a cent of a cent") << -0.0000006;
    }
    void quickPriceTextsMatchTheGeneralFormatting()
    {
        QFETCH(double, price);
        QCOMPARE(ExportPriceText(price), QString::number(price, 'f', 6));
    }

    void rangeEndsAsEightDigits_data()
    {
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("stored");
        QTest::newRow("full") << "12/31/1999"
                              << "19991231";
        QTest::newRow("typed with blanks") << " 1/ 5/2001"
                                           << "20010105";
        QTest::newRow("typed in part") << "1 /5 /2001"
                                       << "20010105";
        QTest::newRow("empty box") << "  /  /    "
                                   << "";
        QTest::newRow("not a date") << "02/30/2001"
                                    << "";
    }
    void rangeEndsAsEightDigits()
    {
        QFETCH(QString, display);
        QFETCH(QString, stored);
        QCOMPARE(DisplayToStoredDate(display), stored);
    }

    void dialogDateChecks_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QStringList>("problems");
        QTest::newRow("reversed") << "06/30/1999"
                                  << "06/01/1999" << QStringList{"From Date Must Be Less than To Date."};
        QTest::newRow("equal") << "06/01/1999"
                               << "06/01/1999" << QStringList{};
        QTest::newRow("empty from alone") << "  /  /    "
                                          << "06/01/1999" << QStringList{"Invalid From Date Entered."};
        QTest::newRow("both bad") << "13/01/1999"
                                  << "02/30/1999"
                                  << QStringList{"Invalid From Date Entered.", "Invalid To Date Entered."};
        // As text "1 /5 /2001" would sort after "12/31/2000"; as dates it does not.
        QTest::newRow("part-typed in order") << "12/31/2000"
                                             << "1 /5 /2001" << QStringList{};
        QTest::newRow("part-typed reversed")
            << "1 /5 /2001"
            << "12/31/2000" << QStringList{"From Date Must Be Less than To Date."};
    }
    void dialogDateChecks()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QStringList, problems);
        QCOMPARE(ExportDateProblems(from, to), problems);
    }

    void exportButtonRule_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("fields");
        QTest::addColumn<bool>("layout");
        QTest::addColumn<bool>("dateForm");
        QTest::addColumn<bool>("dateFormEnabled");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("all set") << "x.txt" << 1 << true << true << true << true;
        QTest::newRow("no layout") << "x.txt" << 2 << false << true << true << false;
        QTest::newRow("no file") << "" << 1 << true << true << true << false;
        QTest::newRow("no fields") << "x.txt" << 0 << true << true << true << false;
        QTest::newRow("no date form") << "x.txt" << 1 << true << false << true << false;
        QTest::newRow("symbols need no date form") << "x.txt" << 1 << true << false << false << true;
    }
    void exportButtonRule()
    {
        QFETCH(QString, file);
        QFETCH(int, fields);
        QFETCH(bool, layout);
        QFETCH(bool, dateForm);
        QFETCH(bool, dateFormEnabled);
        QFETCH(bool, allowed);
        QCOMPARE(ExportAllowed(file, fields, layout, dateForm, dateFormEnabled), allowed);
    }

    void priceExportWritesRangeInclusive_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<bool>("header");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("comma") << kLayoutComma << false
                               << QByteArray("\"01/01/1999\",12.500000,1000\r\n"
                                             "\"06/15/1999\",123456.500000,2000\r\n"
                                             "\"12/31/1999\",13.000000,3000\r\n");
        QTest::newRow("comma header") << kLayoutComma << true
                                      << QByteArray("\"Date\",\"Close\",\"Volume\"\r\n"
                                                    "\"01/01/1999\",12.500000,1000\r\n"
                                                    "\"06/15/1999\",123456.500000,2000\r\n"
                                                    "\"12/31/1999\",13.000000,3000\r\n");
        QTest::newRow("fixed") << kLayoutFixed << false
                               << QByteArray("01/01/1999 12.500000    1000         \r\n"
                                             "06/15/1999 123456.500000 2000         \r\n"
                                             "12/31/1999 13.000000    3000         \r\n");
        QTest::newRow("tab") << kLayoutTab << false
                             << QByteArray("01/01/1999\t12.500000\t1000\r\n"
                                           "06/15/1999\t123456.500000\t2000\r\n"
                                           "12/31/1999\t13.000000\t3000\r\n");
    }
    void priceExportWritesRangeInclusive()
    {
        QFETCH(QString, layout);
        QFETCH(bool, header);
        QFETCH(QByteArray, content);
        TTestEnv env;
        CreateMissingFolders();
        fillAcme();
        TExportSettings s = priceSettings(env.path("out.txt"), layout, {"Date", "Close", "Volume"});
        s.IncludeHeader = header;
        TFakeTalk talk;
        QVERIFY(RunPriceExport(s, "ACME", talk));
        QCOMPARE(TTestEnv::readFile(env.path("out.txt")), content);
        QCOMPARE(talk.said, QStringList{"information: Stock Data Information Exported"});
        QCOMPARE(talk.lastProgress, QStringLiteral("Exporting Record: 3"));
    }

    void fieldTwiceAndOtherDateForms()
    {
        TTestEnv env;
        CreateMissingFolders();
        fillAcme();
        TExportSettings s = priceSettings(env.path("out.txt"), kLayoutComma, {"Close", "Date", "Close"});
        s.DateForm = kFormDD_MMM_YYYY;
        s.FromDate = QStringLiteral(" 6/15/1999"); // typed with a blank, still compared as 19990615
        s.ToDate = QStringLiteral("06/15/1999");
        TFakeTalk talk;
        QVERIFY(RunPriceExport(s, "ACME", talk));
        QCOMPARE(TTestEnv::readFile(env.path("out.txt")),
                 QByteArray("\"123456.500000\",15 Jun 1999,123456.500000\r\n"));
    }

    void exportAllWritesEveryListedSecurity()
    {
        TTestEnv env;
        CreateMissingFolders();
        fillAcme();
        addPrice("BETA", "19990301", 5, 50);
        addWatch("ACME", "ACME, INC.");
        addWatch("BETA", "BETA CORP");
        addWatch("NODATA", "NO DATA YET");
        TExportSettings s = priceSettings(env.path("all.txt"), kLayoutComma,
                                          {"Symbol", "Company", "Date", "High", "Low", "Close", "Volume"});
        TFakeTalk talk;
        QVERIFY(RunExportAll(s, WatchListPath(), talk));
        QCOMPARE(
            TTestEnv::readFile(env.path("all.txt")),
            QByteArray("\"ACME\",\"ACME, INC.\",01/01/1999,13.500000,11.500000,12.500000,1000\r\n"
                       "\"ACME\",\"ACME, INC.\",06/15/1999,123457.500000,123455.500000,123456.500000,2000\r\n"
                       "\"ACME\",\"ACME, INC.\",12/31/1999,14.000000,12.000000,13.000000,3000\r\n"
                       "\"BETA\",BETA CORP,03/01/1999,6.000000,4.000000,5.000000,50\r\n"));
        QCOMPARE(talk.lastProgress,
                 QStringLiteral("Exporting Record: 0 For BETA CORP\nTotal Records Exported : 3"));
        QCOMPARE(talk.said, QStringList{"information: Stock Data Information Exported"});
        // Export reads; it does not make empty histories for listed securities.
        QVERIFY(!QFile::exists(PriceFilePath("NODATA")));
    }

    void symbolExportQuotesEveryField()
    {
        TTestEnv env;
        CreateMissingFolders();
        {
            TSymbolDataBase sym(GetFolders().Symbol + "Stocks.sbl");
            TSymbolRecord r;
            r.Symbol.setText("ACME");
            r.Name.setText("ACME, INC.");
            r.WebAddress.setText("http://acme.example");
            sym.Insert(r);
        }
        TExportSettings s;
        s.FileName = env.path("sym.txt");
        s.Layout = kLayoutComma;
        s.IncludeHeader = true;
        s.Fields = {"Symbol", "Name", "Web Link"};
        TFakeTalk talk;
        QVERIFY(RunSymbolExport(s, talk));
        QCOMPARE(TTestEnv::readFile(s.FileName),
                 QByteArray("\"Symbol\",\"Name\",\"Web Link\"\r\n"
                            "\"ACME\",\"ACME, INC.\",\"http://acme.example\"\r\n"));
        QCOMPARE(talk.said, QStringList{"information: Symbol Information Exported"});
        QCOMPARE(talk.lastProgress, QStringLiteral("Exporting Record: 0"));
    }

    void neverOverwritesTheProgramsFiles_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("watch list") << "watch/Watch.sbl";
        QTest::newRow("symbol file") << "symbol/Stocks.sbl";
        QTest::newRow("configuration") << "Stocks.cfg";
        QTest::newRow("portfolio list") << "port/Port.sbl";
        QTest::newRow("another price file") << "data/BETA.stk";
        QTest::newRow("the file being read, other spelling") << "data/../data/ACME.STK";
        QTest::newRow("a folder that does not exist") << "nowhere/out.txt";
    }
    void neverOverwritesTheProgramsFiles()
    {
        QFETCH(QString, target);
        TTestEnv env;
        CreateMissingFolders();
        fillAcme();
        addWatch("ACME", "ACME INC");
        const QString path = env.path(target);
        const bool existed = QFile::exists(path);
        const QByteArray before = existed ? TTestEnv::readFile(path) : QByteArray();
        const QByteArray price = TTestEnv::readFile(PriceFilePath("ACME"));
        for (int kind = 0; kind < 2; ++kind) {
            TFakeTalk talk;
            const TExportSettings s = priceSettings(path, kLayoutComma, {"Date"});
            QVERIFY(!(kind == 0 ? RunPriceExport(s, "ACME", talk) : RunExportAll(s, WatchListPath(), talk)));
            QCOMPARE(talk.said.size(), 1);
            QVERIFY2(talk.said[0].startsWith("error: Error Unable To Create Export File"),
                     qPrintable(talk.said[0]));
            QVERIFY(!talk.said.join(' ').contains("Exported"));
        }
        QCOMPARE(QFile::exists(path), existed);
        if (existed)
            QCOMPARE(TTestEnv::readFile(path), before);
        QCOMPARE(TTestEnv::readFile(PriceFilePath("ACME")), price);
    }

    // A disk that fills up part-way through the export: the old file stays
    // whole, the error names it and no "Exported" follows.
    void failedExportKeepsTheOldFile()
    {
        TTestEnv env;
        CreateMissingFolders();
        fillAcme();
        addWatch("ACME", "ACME, INC.");
        const QString path = env.writeFile("out.txt", "old contents");
        TExportSettings s = priceSettings(path, kLayoutComma, {"Date", "Close"});
        TFakeTalk one, all;
        {
            TSizeLimit full(30); // room for the first line, not the second
            QVERIFY(!RunPriceExport(s, "ACME", one));
            QVERIFY(!RunExportAll(s, WatchListPath(), all));
        }
        for (const TFakeTalk *talk : {&one, &all}) {
            QCOMPARE(talk->said.size(), 1);
            QVERIFY2(talk->said[0].startsWith("error: ") && talk->said[0].contains(path), qPrintable(talk->said[0]));
        }
        QCOMPARE(TTestEnv::readFile(path), QByteArray("old contents"));
    }

    // The fixed layout over the whole list: the header names at their widths,
    // a company name that fills its 41 places still followed by a blank, and
    // a stored entry whose symbol could leave the data folder skipped.
    void exportAllFixedLayoutWithHeader()
    {
        TTestEnv env;
        CreateMissingFolders();
        addPrice("BETA", "19990301", 5, 50);
        addWatch("..", "DOTS");
        addWatch("BETA", "BETA CORPORATION OF THE AMERICAS HOLDINGS"); // 41 characters, cut to 40
        TExportSettings s = priceSettings(env.path("all.txt"), kLayoutFixed, {"Symbol", "Company", "Close"});
        s.IncludeHeader = true;
        TFakeTalk talk;
        QVERIFY(RunExportAll(s, WatchListPath(), talk));
        QCOMPARE(TTestEnv::readFile(env.path("all.txt")),
                 QByteArray("Symbol  Company                                  Close        \r\n"
                            "BETA    BETA CORPORATION OF THE AMERICAS HOLDING 5.000000     \r\n"));
        QCOMPARE(talk.said, QStringList{"information: Stock Data Information Exported"});
        QVERIFY(!QFile::exists(GetFolders().Data + "...stk"));
    }

    void damagedPricesAreWrittenAsNA()
    {
        QCOMPARE(ExportPriceText(std::numeric_limits<double>::quiet_NaN()), QStringLiteral("N/A"));
        QCOMPARE(ExportPriceText(std::numeric_limits<double>::infinity()), QStringLiteral("N/A"));
        QCOMPARE(ExportPriceText(-std::numeric_limits<double>::infinity()), QStringLiteral("N/A"));
    }

    // A price file or list that is there but cannot be read stops the run
    // with its path: an export missing a security must not read as a success.
    void unreadableFilesStopExportAll()
    {
        TTestEnv env;
        CreateMissingFolders();
        fillAcme();
        addWatch("ACME", "ACME, INC.");
        addWatch("BETA", "BETA CORP");
        QVERIFY(QDir().mkpath(PriceFilePath("BETA"))); // there, but no file to read
        const QString path = env.writeFile("all.txt", "old contents");
        TExportSettings s = priceSettings(path, kLayoutComma, {"Symbol", "Date"});
        TFakeTalk talk;
        QVERIFY(!RunExportAll(s, WatchListPath(), talk));
        QCOMPARE(talk.said, QStringList{"error: Error, Could Not Read The File " + PriceFilePath("BETA")});
        QCOMPARE(TTestEnv::readFile(path), QByteArray("old contents"));

        TFakeTalk one;
        QVERIFY(!RunPriceExport(s, "BETA", one));
        QVERIFY(!one.said.join('|').contains("Exported"));

        const QString list = env.path("list/Watch.sbl");
        QVERIFY(QDir().mkpath(list));
        TFakeTalk listTalk;
        QVERIFY(!RunExportAll(s, list, listTalk));
        QCOMPARE(listTalk.said, QStringList{"error: Error, Could Not Read The File " + list});
        QCOMPARE(TTestEnv::readFile(path), QByteArray("old contents"));
    }
};

QTEST_GUILESS_MAIN(TestExportRun)
#include "tst_ExportRun.moc"
