#include "TestEnv.h"

#include "frame/RunTalk.h"
#include "frame/StdUnitDates.h"
#include "frame/StdUnitFields.h"
#include "frame/StdUnitFiles.h"
#include "frame/Stockcfg.h"
#include "records/Database.h"
#include "records/SblBase.h"
#include "transfer/ImportPreview.h"
#include "transfer/ImportRun.h"

#include <QDir>
#include <QtTest>

namespace {

// Progress goes to a list; questions and messages go through the scripted
// message boxes of the test ground.
class TRecordingTalk : public TRunTalk
{
public:
    void progress(const QString &message) override { said << message; }
    QStringList said;
};

TImportSettings settingsFor(TImportKind kind, const QString &file, const QString &layout,
                            const QStringList &assignments, int skip = 0, bool append = true)
{
    TImportSettings s;
    s.KindTag = ImportKindInfo(kind).Tag;
    s.FileName = file;
    s.Layout = int(TextLayoutNames().indexOf(layout));
    s.DateForm = int(DateFormNames().indexOf(kFormYYYY_MM_DD));
    s.LinesToSkip = skip;
    s.Append = append;
    s.FieldRows = ImportKindInfo(kind).FieldRows;
    s.Assignments = assignments;
    return s;
}

QStringList prices(TDataBase &db)
{
    QStringList out;
    TPriceRecord r;
    for (int i = 0; i < db.RecordCount(); ++i) {
        db.ReadAt(r, i);
        out << QStringLiteral("%1 %2 %3 %4 %5")
                   .arg(r.Date.text())
                   .arg(r.High)
                   .arg(r.Low)
                   .arg(r.Close)
                   .arg(r.Volume);
    }
    return out;
}

QStringList symbols(TSymbolDataBase &db)
{
    QStringList out;
    TSymbolRecord r;
    for (int i = 0; i < db.RecordCount(); ++i) {
        db.ReadAt(r, i);
        out << r.Symbol.text() + "|" + r.Name.text() + "|" + r.WebAddress.text();
    }
    return out;
}

void addPrice(TDataBase &db, const char *date, double close)
{
    TPriceRecord r;
    r.Date = QString::fromLatin1(date);
    r.High = r.Low = r.Close = close;
    db.Insert(r);
}

const QStringList kPriceMap = {"Field 1", "Field 2", "Field 3", "Field 4", "Field 5"};

} // namespace

class tst_ImportRun : public QObject
{
    Q_OBJECT

private slots:
    void init() { SetRecordFileSync(false); }

    void priceLinesBecomeRecordsInDateOrder()
    {
        TTestEnv env;
        const QString file = env.writeFile("p.csv", "Date,High,Low,Close,Volume\r\n"
                                                    "2001-01-03, 12.5 ,11,12,3000\r\n"
                                                    "2001-01-02,11,10,10.5,2000\n"
                                                    "2001-01-02,99,99,99,99\n"
                                                    "2001-1-15,1,1,1,1\n"
                                                    "2001-02-30,1,1,1,1\n"
                                                    "2001-01-04,x,9,9,lots\n");
        TDataBase db(env.path("T.stk"));
        TRecordingTalk talk;
        const TImportOutcome o =
            RunPriceImport(settingsFor(TImportKind::Prices, file, kLayoutComma, kPriceMap, 1), db, talk);
        QVERIFY(o.Completed);
        QCOMPARE(o.Lines, 6);
        // The second line of 01/02 is passed over; "2001-1-15" would read as
        // "20011-5" and is no date; a value that is not a number stores 0
        // (and a high of 0 below the low then becomes the close).
        QCOMPARE(prices(db),
                 QStringList({"20010102 11 10 10.5 2000", "20010103 12.5 11 12 3000", "20010104 9 9 9 0"}));
        QCOMPARE(talk.said,
                 QStringList({"Importing Record: 1", "Importing Record: 2", "Importing Record: 3",
                              "Importing Record: 4", "Importing Record: 5", "Importing Record: 6"}));
        QCOMPARE(env.messages.texts(), QStringList{"Stock Data Information Imported"});
        QCOMPARE(env.messages.said[0].icon, TMsgIcon::Information);
        QV_VERIFY_ENV(env);
    }

    void assignedFieldsFeedTheirRows()
    {
        // Field 2 to Date and Field 5 to Close: the other rows stay unassigned.
        TTestEnv env;
        const QString file = env.writeFile("p.csv", "x,2002-03-04,a,b,7.25\n");
        TDataBase db(env.path("T.stk"));
        TRecordingTalk talk;
        RunPriceImport(
            settingsFor(TImportKind::Prices, file, kLayoutComma, {"Field 2", "", "", "Field 5", ""}), db,
            talk);
        QCOMPARE(prices(db), QStringList{"20020304 7.25 7.25 7.25 0"}); // the price rule fills high and low
        QV_VERIFY_ENV(env);
    }

    void appendKeepsTheDaysAlreadyOnFile()
    {
        TTestEnv env;
        const QString file = env.writeFile("p.csv", "2001-01-02,5,5,5,5\n2001-01-05,6,6,6,6\n");
        TDataBase db(env.path("T.stk"));
        addPrice(db, "20010102", 1);
        addPrice(db, "20010110", 2);
        TRecordingTalk talk;
        const TImportOutcome o =
            RunPriceImport(settingsFor(TImportKind::Prices, file, kLayoutComma, kPriceMap), db, talk);
        QCOMPARE(o.Stored, 1);
        QCOMPARE(prices(db), QStringList({"20010102 1 1 1 0", "20010105 6 6 6 6", "20010110 2 2 2 0"}));
        QV_VERIFY_ENV(env);
    }

    void replaceEmptiesTheTargetFirst()
    {
        TTestEnv env;
        const QString file = env.writeFile("p.csv", "2001-01-05,6,6,6,6\n");
        TDataBase db(env.path("T.stk"));
        addPrice(db, "20010102", 1);
        TRecordingTalk talk;
        RunPriceImport(settingsFor(TImportKind::Prices, file, kLayoutComma, kPriceMap, 0, false), db, talk);
        QCOMPARE(prices(db), QStringList({"20010105 6 6 6 6"}));
        TDataBase reread(env.path("T.stk"));
        QCOMPARE(prices(reread), QStringList({"20010105 6 6 6 6"}));
        QV_VERIFY_ENV(env);
    }

    void replaceWithNothingStorableLeavesTheTarget_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("heading only") << QByteArray("Date,High,Low,Close,Volume\r\n");
        QTest::newRow("no valid date") << QByteArray("Date\n13/45/2001,1,1,1,1\n");
        QTest::newRow("binary") << QByteArray("\x00\x01\xff,\x80\x00\n\x00", 9);
    }
    void replaceWithNothingStorableLeavesTheTarget()
    {
        QFETCH(QByteArray, content);
        TTestEnv env;
        const QString file = env.writeFile("p.csv", content);
        TDataBase db(env.path("T.stk"));
        addPrice(db, "20010102", 1);
        TRecordingTalk talk;
        const TImportOutcome o = RunPriceImport(
            settingsFor(TImportKind::Prices, file, kLayoutComma, kPriceMap, 1, false), db, talk);
        QVERIFY(!o.Completed);
        QCOMPARE(prices(db), QStringList({"20010102 1 1 1 0"}));
        QCOMPARE(env.messages.texts(), QStringList{kNothingToImport});
        QV_VERIFY_ENV(env);
    }

    void missingImportFileChangesNothing()
    {
        TTestEnv env;
        TDataBase db(env.path("T.stk"));
        addPrice(db, "20010102", 1);
        TRecordingTalk talk;
        const TImportOutcome o = RunPriceImport(
            settingsFor(TImportKind::Prices, env.path("nope.csv"), kLayoutComma, kPriceMap, 0, false), db,
            talk);
        QVERIFY(!o.Completed);
        QCOMPARE(prices(db), QStringList({"20010102 1 1 1 0"}));
        QCOMPARE(env.messages.texts(), QStringList{"Error, Could Not Open Import File"});
        QCOMPARE(env.messages.said[0].icon, TMsgIcon::Error);
        QV_VERIFY_ENV(env);
    }

    void targetThatDidNotOpenIsNamedAndNothingIsImported()
    {
        TTestEnv env;
        const QString file = env.writeFile("p.csv", "2001-01-05,6,6,6,6\n");
        const QString target = env.path("nofolder/T.stk");
        TDataBase db(target);
        TRecordingTalk talk;
        const TImportOutcome o =
            RunPriceImport(settingsFor(TImportKind::Prices, file, kLayoutComma, kPriceMap), db, talk);
        QVERIFY(!o.Completed);
        QCOMPARE(env.messages.said.size(), 1);
        QCOMPARE(env.messages.said[0].icon, TMsgIcon::Error);
        QVERIFY(env.messages.said[0].text.startsWith("Error, Could Not Open The File " + target));
        QVERIFY(talk.said.isEmpty());
        QV_VERIFY_ENV(env);
    }

    void everyDataLineIsImportedPastThePreview()
    {
        TTestEnv env;
        QByteArray content = "heading\n";
        const QDate start(2001, 1, 1);
        for (int i = 0; i < 250; ++i)
            content += start.addDays(i).toString("yyyy-MM-dd").toLatin1() + ",2,1,1.5,100\n";
        const QString file = env.writeFile("p.csv", content);
        const TImportPreview preview = BuildImportPreview(file, kLayoutComma, 1);
        QCOMPARE(preview.Rows.size(), 101);
        TDataBase db(env.path("T.stk"));
        TRecordingTalk talk;
        const TImportOutcome o =
            RunPriceImport(settingsFor(TImportKind::Prices, file, kLayoutComma, kPriceMap, 1), db, talk);
        QCOMPARE(o.Lines, 250);
        QCOMPARE(db.RecordCount(), 250);
        QCOMPARE(talk.said.last(), QStringLiteral("Importing Record: 250"));
        QV_VERIFY_ENV(env);
    }

    void fixedLengthLinesAreCutByTheirColumns()
    {
        TTestEnv env;
        const QString file = env.writeFile("p.txt", "20010102  12.5  11  12  3000\n"
                                                    "20010103  13.0  12  13  4000\n");
        ResetFixedColumnTable(); // whatever another file left there does not matter
        TImportSettings s = settingsFor(TImportKind::Prices, file, kLayoutFixed, kPriceMap);
        s.DateForm = int(DateFormNames().indexOf(kFormYYYYMMDD));
        TDataBase db(env.path("T.stk"));
        TRecordingTalk talk;
        RunPriceImport(s, db, talk);
        QCOMPARE(prices(db), QStringList({"20010102 12.5 11 12 3000", "20010103 13 12 13 4000"}));
        QV_VERIFY_ENV(env);
    }

    void symbolLinesReplaceStoredSymbols()
    {
        TTestEnv env;
        const QString file = env.writeFile("s.csv", "Symbol,Name\r\n"
                                                    "ibm,International Business Machines,http://x\r\n"
                                                    "LONGSYMBOL,Long One\r\n"
                                                    "../ETC,Escapes the folder\r\n"
                                                    ",No symbol\r\n"
                                                    "AA,\"Alcoa, Inc\"\r\n");
        TSymbolDataBase db(env.path("Stocks.sbl"));
        TSymbolRecord r;
        r.Symbol = QStringLiteral("IBM");
        r.Name = QStringLiteral("OLD NAME");
        r.WebAddress = QStringLiteral("http://old");
        db.Insert(r);
        TRecordingTalk talk;
        // "Web Link" unassigned: every imported web link is empty.
        const TImportOutcome o = RunSymbolImport(
            settingsFor(TImportKind::Symbols, file, kLayoutComma, {"Field 1", "Field 2", ""}, 1), db, talk);
        QVERIFY(o.Completed);
        QCOMPARE(o.Lines, 5);
        QCOMPARE(symbols(db), QStringList({"AA|ALCOA, INC|", "IBM|INTERNATIONAL BUSINESS MACHINES|",
                                           "LONGSYM|LONG ONE|"}));
        QCOMPARE(env.messages.texts(), QStringList{"Symbol Information Imported"});
        // The two symbols that cannot name a file are logged, not stored.
        const QByteArray log = TTestEnv::readFile(ErrorLogPath());
        QVERIFY(log.contains("\"../ETC\""));
        QVERIFY(log.contains("Line 4"));
        QV_VERIFY_ENV(env);
    }

    void noToTheOverwriteQuestionImportsNothing()
    {
        TTestEnv env;
        env.messages.expectQuestion("Warning, This will overwrite the current Symbol File, Proceed?", false);
        TRecordingTalk talk;
        TImportSettings s = settingsFor(TImportKind::Symbols, "x", kLayoutComma, {}, 0, false);
        QVERIFY(!ConfirmImportOverwrite(TImportKind::Symbols, s, talk));
        QCOMPARE(env.messages.said[0].icon, TMsgIcon::Warning);
        s.Append = true;
        QVERIFY(ConfirmImportOverwrite(TImportKind::Symbols, s, talk)); // appending asks nothing
        QV_VERIFY_ENV(env);
    }

    void valuesConvertAsTheRecordFieldsNeed_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("number");
        QTest::addColumn<int>("integer");
        QTest::newRow("decimal") << "12.75" << 12.75 << 0;
        QTest::newRow("integer") << "3000" << 3000.0 << 3000;
        QTest::newRow("negative") << "-5" << -5.0 << -5;
        QTest::newRow("letters") << "n/a" << 0.0 << 0;
        QTest::newRow("empty") << "" << 0.0 << 0;
        QTest::newRow("nan") << "nan" << 0.0 << 0;
        QTest::newRow("inf") << "inf" << 0.0 << 0;
        QTest::newRow("too big for 32 bits") << "3000000000" << 3e9 << 0;
    }
    void valuesConvertAsTheRecordFieldsNeed()
    {
        QFETCH(QString, text);
        QTEST(ImportNumber(text), "number");
        QTEST(int(ImportInteger(text)), "integer");
    }

    void onlyEightDigitValidDatesAreStorable_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("storable");
        QTest::newRow("iso") << kFormYYYY_MM_DD << "2001-01-15"
                             << "20010115" << true;
        QTest::newRow("short month") << kFormYYYY_MM_DD << "2001-1-15"
                                     << "20011-5" << false;
        QTest::newRow("us") << kFormMM_DD_YYYY << "12/31/1999"
                            << "19991231" << true;
        QTest::newRow("month name") << kFormDD_MMM_YY << "05-jan-03"
                                    << "20030105" << true;
        QTest::newRow("bad month name") << kFormDD_MMM_YY << "05-xyz-03"
                                        << "2003XYZ05" << false;
        QTest::newRow("29 Feb 2001") << kFormYYYYMMDD << "20010229"
                                     << "20010229" << false;
        QTest::newRow("blanks") << kFormYYYYMMDD << " 2001011"
                                << " 2001011" << false;
        QTest::newRow("empty") << kFormYYYYMMDD << ""
                               << "" << false;
    }
    void onlyEightDigitValidDatesAreStorable()
    {
        QFETCH(QString, form);
        QFETCH(QString, text);
        const QString stored = ImportDateValue(form, text);
        QTEST(stored, "stored");
        QTEST(IsStorableDate(stored), "storable");
    }

    void previewStartsAfterTheSkippedLines()
    {
        TTestEnv env;
        const QString file = env.writeFile("p.csv", "Date,Close\n2001-01-02, 5 \n2001-01-03,6,extra\n");
        const TImportPreview p = BuildImportPreview(file, kLayoutComma, 1);
        QVERIFY(p.Loaded);
        QCOMPARE(p.Headings, QStringList({"Field 1", "Field 2"}));
        // Cells are untrimmed; a longer later line does not widen the preview.
        QCOMPARE(p.Rows, QList<QStringList>({{"2001-01-02", " 5 "}, {"2001-01-03", "6"}}));
    }

    void previewOfNoFileOrNoLayoutShowsNothing_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QString>("layout");
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<int>("columns");
        QTest::newRow("missing") << QByteArray() << false << kLayoutComma << false << 0;
        QTest::newRow("no layout") << QByteArray("a,b\n") << true << QString() << false << 0;
        QTest::newRow("empty comma") << QByteArray() << true << kLayoutComma << true << 1;
        QTest::newRow("empty fixed") << QByteArray() << true << kLayoutFixed << false << 0;
        QTest::newRow("fixed, last line empty")
            << QByteArray("AB  CD\n\n") << true << kLayoutFixed << false << 0;
        QTest::newRow("fixed two columns") << QByteArray("AB  CD\n") << true << kLayoutFixed << true << 2;
        QTest::newRow("many commas") << QByteArray(100000, ',') << true << kLayoutComma << true << 256;
        QTest::newRow("binary tab") << QByteArray("\x00\t\xff\t\x01", 5) << true << kLayoutTab << true << 3;
    }
    void previewOfNoFileOrNoLayoutShowsNothing()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, exists);
        QFETCH(QString, layout);
        TTestEnv env;
        const QString file = env.path("f.txt");
        if (exists)
            env.writeFile("f.txt", content);
        const TImportPreview p = BuildImportPreview(file, layout, 0);
        QCOMPARE(p.FileExists, exists);
        QTEST(p.Loaded, "loaded");
        QTEST(p.Columns, "columns");
        for (const QStringList &row : p.Rows)
            QCOMPARE(row.size(), p.Columns);
    }

    void splittingALineGivesWhatCuttingGives_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("layout");
        QTest::newRow("quoted comma") << "\"Smith, J\",12,,x" << kLayoutComma;
        QTest::newRow("trailing comma") << "a,b," << kLayoutComma;
        QTest::newRow("lone quote") << "\",a" << kLayoutComma;
        QTest::newRow("inner quotes") << "a\"b,c\"d,e" << kLayoutComma;
        QTest::newRow("blanks kept") << " a , b " << kLayoutComma;
        QTest::newRow("tabs") << "a\t\"b,c\"\t\tz" << kLayoutTab;
        QTest::newRow("empty") << "" << kLayoutTab;
    }
    void splittingALineGivesWhatCuttingGives()
    {
        QFETCH(QString, line);
        QFETCH(QString, layout);
        const QStringList fields = SplitImportLine(line, layout, 50);
        for (int n = 0; n < 8; ++n)
            QCOMPARE(fields.value(n), CutField(line, layout, n));
    }

    void runWatchHookRunsOnlyWhenTheOptionIsOn()
    {
        TTestEnv env;
        int runs = 0;
        SetRunWatchAfterImportHook([&] { ++runs; });
        QVERIFY(!RunWatchAfterImport()); // the option is off in a new configuration
        SetRunWatchAfterImportHook({});
        QCOMPARE(runs, 0);
        QVERIFY(!RunWatchAfterImport());
    }
};

QTEST_GUILESS_MAIN(tst_ImportRun)
#include "tst_ImportRun.moc"
