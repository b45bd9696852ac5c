// Data conversion: quote lines into price files, the day summary, duplicate
// days in the error log, the replacement date, and the register of formats.

#include "FakeTalk.h"
#include "SizeLimit.h"
#include "TestEnv.h"

#include "frame/StdUnit.h"
#include "frame/Stockcfg.h"
#include "records/Database.h"
#include "records/SblBase.h"
#include "transfer/DataConversion.h"

#include <QFile>
#include <QDir>
#include <QtTest>
#include <limits>

namespace {

const QByteArray kHeading = "Company                                  High        Low         Close       "
                            "Change      Volume      \r\n\r\n";
const QByteArray kAcmeLine = "ACME Not On File                          $13.000     $12.000     $12.500     "
                             "$12.500        1500    \r\n";

// A comma format: symbol, date (MM-DD-YYYY), high, low, close, volume.
TConvRecord commaFormat(const QString &quoteFile, bool summary = true, double divisor = 100)
{
    TConvRecord r;
    r.Description.setText("Daily");
    r.KindTag.setText(kConversionKindTag);
    r.FileName.setText(quoteFile);
    r.Layout = 1;
    r.DateForm = 2;
    r.LinesToSkip = 1;
    r.FieldRowCount = 6;
    r.VolumeDivisor = divisor;
    r.Summary = summary ? 1 : 0;
    for (int i = 0; i < 6; ++i)
        r.FieldMap[i].setText(QStringLiteral("Field %1").arg(i + 1));
    return r;
}

QStringList storedDates(const QString &symbol)
{
    TDataBase db(PriceFilePath(symbol), TOpenMode::ReadOnly);
    QStringList out;
    TPriceRecord r;
    for (int i = 0; i < db.RecordCount(); ++i) {
        db.ReadAt(r, i);
        out << r.Date.text();
    }
    return out;
}

TPriceRecord recordAt(const QString &symbol, int index)
{
    TDataBase db(PriceFilePath(symbol), TOpenMode::ReadOnly);
    TPriceRecord r;
    db.ReadAt(r, index);
    return r;
}

QStringList errorLogLines()
{
    QStringList out;
    for (const QByteArray &l : TTestEnv::readFile(ErrorLogPath()).split('\n'))
        if (l.contains("Duplicate") || l.contains("Invalid Symbol"))
            out << QString::fromLatin1(l.trimmed());
    return out;
}

} // namespace

class TestDataConversion : public QObject
{
    Q_OBJECT

private slots:
    void volumeDivisor_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("divisor");
        QTest::addColumn<int>("volume");
        QTest::newRow("divided") << "150000" << 100.0 << 1500;
        QTest::newRow("cut toward zero") << "150000" << 7.0 << 21428;
        QTest::newRow("divisor 0") << "150000" << 0.0 << 150000;
        QTest::newRow("negative divisor") << "150000" << -5.0 << 150000;
        QTest::newRow("infinite divisor") << "150000" << std::numeric_limits<double>::infinity() << 150000;
        QTest::newRow("NaN divisor") << "150000" << std::numeric_limits<double>::quiet_NaN() << 150000;
        QTest::newRow("not an integer") << "12.5" << 1.0 << 0;
        QTest::newRow("past 32 bits, divided back") << "9000000000" << 1000.0 << 9000000;
        QTest::newRow("past 32 bits, clamped") << "9000000000" << 1.0 << std::numeric_limits<int32_t>::max();
    }
    void volumeDivisor()
    {
        QFETCH(QString, text);
        QFETCH(double, divisor);
        QFETCH(int, volume);
        QCOMPARE(ConvertedVolume(text, divisor), volume);
    }

    void strictStoredDate_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::newRow("date") << "19990615" << true;
        QTest::newRow("blank inside") << "1999 615" << false;
        QTest::newRow("short") << "1999061" << false;
        QTest::newRow("trailing letter") << "1999061x" << false;
        QTest::newRow("month 13") << "19991315" << false;
        QTest::newRow("slashes") << "99/06/15" << false;
    }
    void strictStoredDate()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QCOMPARE(IsStrictStoredDate(text), valid);
    }

    void newSecurityGetsFileAndExactSummary()
    {
        TTestEnv env;
        CreateMissingFolders();
        const QString q = env.writeFile("quotes.txt", "Symbol,Date,High,Low,Close,Volume\r\n"
                                                      "acme,06/15/1999,13,12,12.5,150000\r\n");
        TFakeTalk talk;
        const TConversionResult r = RunDataConversion(commaFormat(q), talk);
        QVERIFY(r.Completed);
        QCOMPARE(r.Stored, 1);
        QCOMPARE(storedDates("ACME"), QStringList{"19990615"});
        QCOMPARE(recordAt("ACME", 0).Volume, 1500);
        QCOMPARE(TTestEnv::readFile(SummaryFilePath()), kHeading + kAcmeLine);
        QCOMPARE(talk.said, QStringList{"information: Stock Data Information Imported"});
        QCOMPARE(talk.lastProgress, QStringLiteral("Importing Record: 1"));
    }

    void blankInSymbolBecomesUnderscore()
    {
        TTestEnv env;
        CreateMissingFolders();
        const QString q = env.writeFile("quotes.txt", "h\nBRK B,06/15/1999,2,1,1.5,700\n");
        TFakeTalk talk;
        QVERIFY(RunDataConversion(commaFormat(q, false, 7), talk).Completed);
        QVERIFY(QFile::exists(GetFolders().Data + "BRK_B.stk"));
        QCOMPARE(recordAt("BRK_B", 0).Volume, 100);
    }

    void symbolsReturnToTheirFileInDateOrder()
    {
        TTestEnv env;
        CreateMissingFolders();
        const QString q = env.writeFile("quotes.txt", "h\r\n"
                                                      "ABC,06/16/1999,2,1,1.5,700\r\n"
                                                      "   \r\n"
                                                      "XYZ,06/16/1999,2,1,1.5,700\r\n"
                                                      "\r\n"
                                                      "ABC,06/15/1999,3,1,2,700\r\n");
        TFakeTalk talk;
        const TConversionResult r = RunDataConversion(commaFormat(q, false), talk);
        QCOMPARE(r.Stored, 3);
        QCOMPARE(storedDates("ABC"), (QStringList{"19990615", "19990616"}));
        QCOMPARE(storedDates("XYZ"), QStringList{"19990616"});
        // Blank lines are passed over without counting.
        QCOMPARE(talk.lastProgress, QStringLiteral("Importing Record: 3"));
    }

    void secondRunLogsEveryLineAndAsks()
    {
        TTestEnv env;
        CreateMissingFolders();
        {
            TSymbolDataBase sym(GetFolders().Symbol + "Stocks.sbl");
            TSymbolRecord s;
            s.Symbol.setText("ACME");
            s.Name.setText("ACME INC");
            sym.Insert(s);
        }
        const QString q =
            env.writeFile("quotes.txt", "h\nACME,06/15/1999,13,12,12.5,150000\nXYZ,06/15/1999,2,1,1.5,700\n");
        TFakeTalk first;
        QVERIFY(!RunDataConversion(commaFormat(q), first).ErrorsReported);
        TFakeTalk second;
        second.answer = true;
        const TConversionResult r = RunDataConversion(commaFormat(q), second);
        QCOMPARE(r.Stored, 0);
        QVERIFY(r.ErrorsReported);
        QVERIFY(r.ViewErrorLog);
        QCOMPARE(second.said, QStringList{"information question: Stock Data Information Imported, Errors "
                                          "Reported In Error Log, View Error Log?"});
        QCOMPARE(
            errorLogLines(),
            (QStringList{
                "ACME    ACME INC                                 Duplicate Data on File For: 06/15/1999",
                "XYZ     XYZ Not On File                          Duplicate Data on File For: 06/15/1999"}));
        // The summary still has a line for each, the change now against the stored day.
        const QByteArray summary = TTestEnv::readFile(SummaryFilePath());
        QCOMPARE(summary.count("\r\n"), 4);
        QVERIFY(summary.contains(
            "ACME INC                                  $13.000     $12.000     $12.500      $0.000"));
        QCOMPARE(storedDates("ACME"), QStringList{"19990615"});
    }

    void replacementDateAskedOnce()
    {
        TTestEnv env;
        CreateMissingFolders();
        const QString q = env.writeFile("quotes.txt", "h\nABC,13/45/1999,2,1,1.5,700\nXYZ,,2,1,1.5,700\n");
        TFakeTalk talk;
        talk.replacement = "20011102";
        QVERIFY(RunDataConversion(commaFormat(q, false), talk).Completed);
        QCOMPARE(talk.replacementAsked, QStringList{"ABC"});
        QCOMPARE(storedDates("ABC"), QStringList{"20011102"});
        QCOMPARE(storedDates("XYZ"), QStringList{"20011102"});
    }

    void noReplacementStoresNothingAndAsksOnce()
    {
        TTestEnv env;
        CreateMissingFolders();
        const QString q = env.writeFile("quotes.txt", "h\nABC,1/5/2001,2,1,1.5,700\nXYZ,xx,2,1,1.5,700\n");
        TFakeTalk talk;
        const TConversionResult r = RunDataConversion(commaFormat(q, false), talk);
        QCOMPARE(talk.replacementAsked, QStringList{"ABC"});
        QCOMPARE(r.Stored, 0);
        QVERIFY(!QFile::exists(PriceFilePath("ABC")));
        QCOMPARE(talk.lastProgress, QStringLiteral("Importing Record: 2"));
    }

    void unsafeOrEmptySymbolsAreLoggedAndSkipped()
    {
        TTestEnv env;
        CreateMissingFolders();
        const QString q = env.writeFile(
            "quotes.txt",
            "h\n../EVIL,06/15/1999,2,1,1.5,700\n,06/15/1999,2,1,1.5,700\nOK,06/15/1999,2,1,1.5,700\n");
        TFakeTalk talk;
        const TConversionResult r = RunDataConversion(commaFormat(q, false), talk);
        QCOMPARE(r.Stored, 1);
        QVERIFY(r.ErrorsReported);
        QCOMPARE(errorLogLines().size(), 2);
        QVERIFY(!QFile::exists(GetFolders().Data + "../EVIL.stk"));
        QVERIFY(!QFile::exists(GetFolders().Data + ".stk"));
    }

    void priceFileThatCannotOpenIsLoggedByName()
    {
        TTestEnv env;
        CreateMissingFolders();
        // A folder where the price file belongs: the file cannot be opened.
        QVERIFY(QDir().mkpath(PriceFilePath("ABC")));
        const QString q =
            env.writeFile("quotes.txt", "h\nABC,06/15/1999,2,1,1.5,700\nOK,06/15/1999,2,1,1.5,700\n");
        TFakeTalk talk;
        const TConversionResult r = RunDataConversion(commaFormat(q, false), talk);
        QCOMPARE(r.Stored, 1);
        QVERIFY(r.ErrorsReported);
        QVERIFY(TTestEnv::readFile(ErrorLogPath())
                    .contains("Error, Could Not Open The File " + PriceFilePath("ABC").toLatin1() +
                              ", Line 1 Not Imported"));
        QCOMPARE(storedDates("OK"), QStringList{"19990615"});
    }

    void summaryKeptWhenOffOrQuoteFileMissing_data()
    {
        QTest::addColumn<bool>("quoteFileExists");
        QTest::addColumn<bool>("summaryFlag");
        QTest::addColumn<QString>("said");
        QTest::newRow("summary off") << true << false << "information: Stock Data Information Imported";
        QTest::newRow("no quote file") << false << true << "error: Error, Could Not Open Import File";
    }
    void summaryKeptWhenOffOrQuoteFileMissing()
    {
        QFETCH(bool, quoteFileExists);
        QFETCH(bool, summaryFlag);
        QFETCH(QString, said);
        TTestEnv env;
        CreateMissingFolders();
        env.writeFile("Summary.txt", "yesterday");
        const QString q = quoteFileExists ? env.writeFile("quotes.txt", "h\nABC,06/15/1999,2,1,1.5,700\n")
                                          : env.path("missing.txt");
        TFakeTalk talk;
        RunDataConversion(commaFormat(q, summaryFlag), talk);
        QCOMPARE(talk.said, QStringList{said});
        QCOMPARE(TTestEnv::readFile(SummaryFilePath()), QByteArray("yesterday"));
        QCOMPARE(QFile::exists(PriceFilePath("ABC")), quoteFileExists);
    }

    // A disk that fills while the summary is written: yesterday's summary
    // stays whole and the run says which file failed instead of "Imported".
    void fullDiskKeepsTheOldSummary()
    {
        TTestEnv env;
        CreateMissingFolders();
        env.writeFile("Summary.txt", "yesterday");
        const QString q = env.writeFile("quotes.txt", "h\nABC,06/15/1999,2,1,1.5,700\n");
        TFakeTalk talk;
        {
            TSizeLimit full(kHeading.size() - 1);
            RunDataConversion(commaFormat(q, true), talk);
        }
        QCOMPARE(TTestEnv::readFile(SummaryFilePath()), QByteArray("yesterday"));
        QVERIFY2(!talk.said.join('|').contains("Imported"), qPrintable(talk.said.join('|')));
        QVERIFY2(talk.said.join('|').contains(SummaryFilePath()), qPrintable(talk.said.join('|')));
    }

    void fixedLengthQuoteFile()
    {
        TTestEnv env;
        CreateMissingFolders();
        TConvRecord f = commaFormat(env.writeFile("q.txt", "ACME  19990615 13.00 12.00 12.50 150000\n"
                                                           "XYZ   19990615 2.00  1.00  1.50  700\n"),
                                    true, 1);
        f.Layout = 0;
        f.DateForm = 4;
        f.LinesToSkip = 0;
        TFakeTalk talk;
        QCOMPARE(RunDataConversion(f, talk).Stored, 2);
        QCOMPARE(recordAt("ACME", 0).Close, 12.5);
        QCOMPARE(recordAt("XYZ", 0).Volume, 700);
    }

    void formatRegister()
    {
        TTestEnv env;
        TConvDataBase file(ConvertDatPath());
        TConvRecord b = commaFormat("b.txt");
        b.Description.setText("B");
        TConvRecord a = commaFormat("a.txt");
        a.Description.setText("A");
        QVERIFY(CreateConversionFormat(file, b));
        QVERIFY(CreateConversionFormat(file, a));
        TConvRecord again = a;
        QVERIFY(!CreateConversionFormat(file, again));
        QCOMPARE(env.messages.texts(), QStringList{kDuplicateFormatText});
        QCOMPARE(ConversionFormatDescriptions(file), (QStringList{"A", "B"}));

        // Same description: overwritten in place.
        TConvRecord a2 = a;
        a2.FileName.setText("a2.txt");
        QVERIFY(EditConversionFormat(file, 0, a2));
        TConvRecord read;
        file.ReadAt(read, 0);
        QCOMPARE(read.FileName.text(), QStringLiteral("a2.txt"));

        // Renamed onto another format's description: the old one stays.
        TConvRecord clash = a2;
        clash.Description.setText("B");
        QVERIFY(!EditConversionFormat(file, 0, clash));
        QCOMPARE(ConversionFormatDescriptions(file), (QStringList{"A", "B"}));
        file.ReadAt(read, 1);
        QCOMPARE(read.FileName.text(), QStringLiteral("b.txt"));

        // Renamed to a free description: moved into order, the old removed.
        TConvRecord c = a2;
        c.Description.setText("C");
        QVERIFY(EditConversionFormat(file, 0, c));
        QCOMPARE(ConversionFormatDescriptions(file), (QStringList{"B", "C"}));
        file.ReadAt(read, 1);
        QCOMPARE(read.FileName.text(), QStringLiteral("a2.txt"));
        QCOMPARE(env.messages.texts().size(), 2);
    }
};

QTEST_GUILESS_MAIN(TestDataConversion)
#include "tst_DataConversion.moc"
