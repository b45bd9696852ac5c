// The price record checks and changes, the split and the purge, without a window.

#include "SecuritiesTestData.h"
#include "securities/PriceEntry.h"
#include "securities/PriceRuns.h"

#include <QtTest>
#include <cmath>
#include <cstring>
#include <limits>

using namespace qvtest;

namespace {

// What a crash at each step of a change would leave: whether the file held
// the day under its old or its new date at every step (a journal beside the
// file means the change is rolled back on the next open).
QString g_watchedFile;
QByteArray g_oldDate, g_newDate;
bool g_dayWasMissing = false;
int g_steps = 0;

void watchTheDay()
{
    ++g_steps;
    if (QFile::exists(g_watchedFile + ".jnl"))
        return;
    const QByteArray bytes = TTestEnv::readFile(g_watchedFile);
    bool found = false;
    for (qsizetype at = 0; at + 48 <= bytes.size(); at += 48) {
        const QByteArray date = bytes.mid(at + 1, 8);
        found = found || date == g_oldDate || date == g_newDate;
    }
    g_dayWasMissing = g_dayWasMissing || !found;
}

bool sameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

class TestPriceData : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { SetRecordFileSync(false); }

    void priceEntryChecksRunInOrder_data()
    {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("high");
        QTest::addColumn<QString>("low");
        QTest::addColumn<QString>("close");
        QTest::addColumn<QString>("volume");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("valid") << "01/04/1999"
                               << "12"
                               << "10"
                               << "11"
                               << "1000" << QStringList();
        QTest::newRow("empty high and low take close") << "01/04/1999"
                                                       << ""
                                                       << ""
                                                       << "10"
                                                       << "0" << QStringList();
        QTest::newRow("close above high") << "01/04/1999"
                                          << "10"
                                          << "9"
                                          << "11"
                                          << "5" << QStringList{"Close Cannot Be Higher Than High."};
        QTest::newRow("high below low")
            << "01/04/1999"
            << "5"
            << "6"
            << "5.5"
            << "5"
            << QStringList{"High Cannot Be Less Than Low.", "Close Cannot Be Higher Than High.",
                           "Close Cannot Be Lower Than Low."};
        QTest::newRow("empty date box") << "  /  /    "
                                        << "1"
                                        << "1"
                                        << "1"
                                        << "1" << QStringList{"Invalid Date Entered."};
        QTest::newRow("february 30") << "02/30/2000"
                                     << "1"
                                     << "1"
                                     << "1"
                                     << "1" << QStringList{"Invalid Date Entered."};
        QTest::newRow("1899") << "12/31/1899"
                              << "1"
                              << "1"
                              << "1"
                              << "1" << QStringList{"Invalid Date Entered."};
        // A word counts 0 in the later checks: 0 < low 5 and close 6 > 0.
        QTest::newRow("letters for high")
            << "01/04/1999"
            << "abc"
            << "5"
            << "6"
            << "1"
            << QStringList{"Invalid Value For High.", "High Cannot Be Less Than Low.",
                           "Close Cannot Be Higher Than High."};
        QTest::newRow("thousands separator")
            << "01/04/1999"
            << "1,000"
            << "1"
            << "1"
            << "1"
            << QStringList{"Invalid Value For High.", "High Cannot Be Less Than Low.",
                           "Close Cannot Be Higher Than High."};
        QTest::newRow("overflowing number")
            << "01/04/1999"
            << "2"
            << "1"
            << "1e400"
            << "1" << QStringList{"Invalid Value For Close.", "Close Cannot Be Lower Than Low."};
        QTest::newRow("negative everything")
            << "01/04/1999"
            << "-1"
            << "-2"
            << "-1.5"
            << "-3"
            << QStringList{"High Cannot Be Less Then 0.", "Low Cannot Be Less Than 0.",
                           "Close Cannot Be Less Than 0.", "Volume Cannot Be Less Than 0."};
        QTest::newRow("all three prices blank")
            << "01/04/1999"
            << ""
            << ""
            << ""
            << "1"
            << QStringList{"Invalid Value For High.", "Invalid Value For Low.", "Invalid Value For Close."};
        QTest::newRow("fractional volume") << "01/04/1999"
                                           << "1"
                                           << "1"
                                           << "1"
                                           << "1.5" << QStringList{"Invalid Value For Volume."};
        QTest::newRow("volume past 32 bits") << "01/04/1999"
                                             << "1"
                                             << "1"
                                             << "1"
                                             << "3000000000" << QStringList{"Invalid Value For Volume."};
        QTest::newRow("empty volume") << "01/04/1999"
                                      << "1"
                                      << "1"
                                      << "1"
                                      << "" << QStringList{"Invalid Value For Volume."};
    }
    void priceEntryChecksRunInOrder()
    {
        QFETCH(QString, date);
        QFETCH(QString, high);
        QFETCH(QString, low);
        QFETCH(QString, close);
        QFETCH(QString, volume);
        QFETCH(QStringList, messages);
        TPriceEntryTexts t{date, high, low, close, volume};
        QCOMPARE(CheckPriceEntry(t), messages);
    }

    void emptyHighAndLowStoreTheClose()
    {
        TPriceEntryTexts t{"01/04/1999", "", "", "10", "250"};
        QVERIFY(CheckPriceEntry(t).isEmpty());
        QCOMPARE(t.High, QStringLiteral("10"));
        QCOMPARE(t.Low, QStringLiteral("10"));
        const TPriceRecord r = PriceRecordFromEntry(t);
        QCOMPARE(r.Date.text(), QStringLiteral("19990104"));
        QCOMPARE(r.High, 10.0);
        QCOMPARE(r.Low, 10.0);
        QCOMPARE(r.Close, 10.0);
        QCOMPARE(r.Volume, 250);
        const TPriceEntryTexts back = PriceEntryFromRecord(price("19990104", 12.5, 10, 11.25, 1000));
        QCOMPARE(back.Date, QStringLiteral("01/04/1999"));
        QCOMPARE(back.High, QStringLiteral("12.5"));
        QCOMPARE(back.Close, QStringLiteral("11.25"));
        QCOMPARE(back.Volume, QStringLiteral("1000"));
    }

    // The date box hands over its blanks; the stored key must still be the
    // eight digits, or the day sorts between other months.
    void typedDatesStoreTheirDigits_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("in full") << "01/05/2001"
                                 << "20010105";
        QTest::newRow("blanks in front") << " 1/ 5/2001"
                                         << "20010105";
        QTest::newRow("blanks behind") << "1 /5 /2001"
                                       << "20010105";
        QTest::newRow("two-digit parts with blanks") << "12/ 9/1999"
                                                     << "19991209";
    }
    void typedDatesStoreTheirDigits()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        TPriceEntryTexts t{typed, "2", "1", "1.5", "10"};
        QVERIFY(CheckPriceEntry(t).isEmpty());
        QCOMPARE(PriceRecordFromEntry(t).Date.text(), stored);
    }

    void gridCells_data()
    {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        const double inf = std::numeric_limits<double>::infinity();
        QTest::addColumn<double>("high");
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("close");
        QTest::addColumn<QStringList>("cells");
        QTest::newRow("four decimals and whole volumes")
            << 123456.5 << 10.0 << 11.25
            << QStringList{"01/04/1999", "123456.5000", "10.0000", "11.2500", "2000000000"};
        // What a damaged file holds is not shown as a price.
        QTest::newRow("not a number")
            << nan << 10.0 << nan << QStringList{"01/04/1999", "N/A", "10.0000", "N/A", "2000000000"};
        QTest::newRow("infinities") << inf << -inf << 11.25
                                    << QStringList{"01/04/1999", "N/A", "N/A", "11.2500", "2000000000"};
    }
    void gridCells()
    {
        QFETCH(double, high);
        QFETCH(double, low);
        QFETCH(double, close);
        QFETCH(QStringList, cells);
        TPriceRecord r = price("19990104", 0, 0, 0, 2000000000);
        r.High = high; // set after building: a write would not keep them
        r.Low = low;
        r.Close = close;
        QStringList shown;
        for (int c = 0; c < 5; ++c)
            shown << PriceCellText(r, c);
        QCOMPARE(shown, cells);
    }

    void addRefusesADateOnFile()
    {
        TTestEnv env;
        makeFolders(env);
        writePrices("A", {price("19990104", 2, 1, 1.5, 10)});
        TDataBase file(PriceFilePath("A"));
        QCOMPARE(AddPriceRecord(file, price("19990104", 3, 1, 2, 10)), TPriceChange::AlreadyOnFile);
        QCOMPARE(AddPriceRecord(file, price("19990101", 3, 1, 2, 10)), TPriceChange::Saved);
        QCOMPARE(priceDates("A"), QStringList({"19990101", "19990104"}));
    }

    void editingOnlyTheVolumeKeepsThePlace()
    {
        TTestEnv env;
        makeFolders(env);
        writePrices("A", {price("19990104", 2, 1, 1.5, 10), price("19990105", 3, 2, 2.5, 20),
                          price("19990106", 4, 3, 3.5, 30)});
        TDataBase file(PriceFilePath("A"));
        TPriceRecord scratch;
        file.ReadAt(scratch, 2); // a repaint moved the current record elsewhere
        QCOMPARE(EditPriceRecord(file, 1, price("19990105", 3, 2, 2.5, 99)), TPriceChange::Saved);
        const QList<TPriceRecord> after = readPrices("A");
        QCOMPARE(after.size(), 3);
        QCOMPARE(after[1].Volume, 99);
        QCOMPARE(after[2].Volume, 30);
        QCOMPARE(after[0].Volume, 10);
    }

    void editingOntoAStoredDateLeavesTheFileByteIdentical()
    {
        TTestEnv env;
        makeFolders(env);
        writePrices("A", {price("19990104", 2, 1, 1.5, 10), price("19990105", 3, 2, 2.5, 20)});
        const QByteArray before = TTestEnv::readFile(PriceFilePath("A"));
        TDataBase file(PriceFilePath("A"));
        QCOMPARE(EditPriceRecord(file, 1, price("19990104", 9, 9, 9, 9)), TPriceChange::AlreadyOnFile);
        QCOMPARE(TTestEnv::readFile(PriceFilePath("A")), before);
        QCOMPARE(EditPriceRecord(file, 1, price("19990101", 9, 8, 8.5, 9)), TPriceChange::Saved);
        QCOMPARE(priceDates("A"), QStringList({"19990101", "19990104"}));
    }

    void movingADayToAnotherDateIsAllOrNothing()
    {
        TTestEnv env;
        makeFolders(env);
        TPriceRecord neighbour = price("19990104", 2, 1, 1.5, 10);
        neighbour.Reserved1[2] = 0x11; // bytes no change may touch
        TPriceRecord moving = price("19990105", 3, 2, 2.5, 20);
        moving.Reserved2[1] = 0x22;
        writePrices("A", {neighbour, moving, price("19990107", 4, 3, 3.5, 30)});
        const QByteArray before = TTestEnv::readFile(PriceFilePath("A"));

        // A replacement that cannot be written leaves every byte as it was.
        QDir().mkpath(PriceFilePath("A") + ".new");
        {
            TDataBase file(PriceFilePath("A"));
            QCOMPARE(EditPriceRecord(file, 1, price("19990108", 3, 2, 2.5, 21)), TPriceChange::Failed);
            QCOMPARE(file.RecordCount(), 3);
        }
        QCOMPARE(TTestEnv::readFile(PriceFilePath("A")), before);
        QVERIFY(QDir().rmdir(PriceFilePath("A") + ".new"));

        g_watchedFile = PriceFilePath("A");
        g_oldDate = "19990105";
        g_newDate = "19990108";
        g_dayWasMissing = false;
        g_steps = 0;
        TDataBase file(PriceFilePath("A"));
        SetRecordIoObserver(watchTheDay);
        const TPriceChange result = EditPriceRecord(file, 1, price("19990108", 3, 2, 2.5, 21));
        SetRecordIoObserver(nullptr);
        QCOMPARE(result, TPriceChange::Saved);
        QVERIFY(g_steps > 0);
        QVERIFY2(!g_dayWasMissing, "the day was on file under neither date");
        QCOMPARE(priceDates("A"), QStringList({"19990104", "19990107", "19990108"}));
        const QByteArray after = TTestEnv::readFile(PriceFilePath("A"));
        QCOMPARE(after.left(48), before.left(48));
        QCOMPARE(after.mid(48, 48), before.mid(96, 48));
        const QList<TPriceRecord> a = readPrices("A");
        QCOMPARE(a[2].Volume, 21);
        QCOMPARE(a[2].Reserved2[1], uint8_t(0x22));
        QCOMPARE(file.RecordCount(), 3); // the open object sees the moved file
    }

    void volumeOnlyEditKeepsEveryPriceExact_data()
    {
        QTest::addColumn<double>("close");
        QTest::addColumn<QString>("shown");
        QTest::newRow("ordinary price keeps its look") << 52.27 << "52.27";
        QTest::newRow("whole price") << 1000000.0 << "1000000";
        QTest::newRow("2-for-1 of 33.333333333333336") << 50.0 / 3 << "16.666666666666668";
        QTest::newRow("sum that never was typed") << 0.1 + 0.2 << "0.30000000000000004";
        QTest::newRow("tiny adjusted price") << 1e-7 / 3 << "";
        QTest::newRow("huge adjusted price") << 1e20 / 3 << "";
    }
    void volumeOnlyEditKeepsEveryPriceExact()
    {
        QFETCH(double, close);
        QFETCH(QString, shown);
        const TPriceRecord stored = price("19990104", close * 1.5, close / 3, close, 10);
        TPriceEntryTexts texts = PriceEntryFromRecord(stored);
        if (!shown.isEmpty())
            QCOMPARE(texts.Close, shown);
        texts.Volume = "250";
        QVERIFY(CheckPriceEntry(texts).isEmpty());
        const TPriceRecord back = PriceRecordFromEntry(texts);
        QVERIFY2(sameBits(back.High, stored.High), qPrintable(texts.High));
        QVERIFY2(sameBits(back.Low, stored.Low), qPrintable(texts.Low));
        QVERIFY2(sameBits(back.Close, stored.Close), qPrintable(texts.Close));
        QCOMPARE(back.Volume, 250);
    }

    void deletingTheLastRecord()
    {
        TTestEnv env;
        makeFolders(env);
        writePrices("A", {price("19990104", 2, 1, 1.5, 10), price("19990105", 3, 2, 2.5, 20)});
        TDataBase file(PriceFilePath("A"));
        QVERIFY(DeletePriceRecord(file, 1));
        QVERIFY(!DeletePriceRecord(file, 1));
        QCOMPARE(priceDates("A"), QStringList({"19990104"}));
    }

    void splitChecks_data()
    {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QStringList>("messages");
        const QString day = "06/01/1999";
        QTest::newRow("2 for 1") << day << "2"
                                 << "1" << QStringList();
        QTest::newRow("empty date box") << "  /  /    "
                                        << "2"
                                        << "1" << QStringList{"Invalid Date Entered."};
        QTest::newRow("zero after") << day << "0"
                                    << "1" << QStringList{"After Split Must Be Greater Than 0."};
        QTest::newRow("letters") << day << "x"
                                 << "1"
                                 << QStringList{"After Split Value Invalid.",
                                                "After Split Must Be Greater Than 0."};
        QTest::newRow("letters before")
            << day << "1"
            << "x" << QStringList{"Before Split Value Invalid.", "Before Split Must Be Greater Then 0."};
        QTest::newRow("zero before") << day << "2"
                                     << "0" << QStringList{"Before Split Must Be Greater Then 0."};
        QTest::newRow("ratio too small") << day << "1e-320"
                                         << "1e300" << QStringList{"The Split Ratio Is Out Of Range."};
        QTest::newRow("ratio overflow") << day << "1e300"
                                        << "1e-300" << QStringList{"The Split Ratio Is Out Of Range."};
    }
    void splitChecks()
    {
        QFETCH(QString, date);
        QFETCH(QString, after);
        QFETCH(QString, before);
        QFETCH(QStringList, messages);
        QCOMPARE(CheckSplitEntry({date, after, before}), messages);
    }

    // A ratio the checks accept can still be too much for the numbers on
    // file; such a split is refused, naming the file, before anything is
    // written. Only the records the split would change count.
    void splitRefusesProductsOutOfRange_data()
    {
        QTest::addColumn<double>("early"); // every price of the day before the split date
        QTest::addColumn<double>("late");  // every price of the split date itself
        QTest::addColumn<double>("shares");
        QTest::addColumn<double>("factor");
        QTest::addColumn<QString>("refused"); // "stk", "tra" or empty
        const double nan = std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("ordinary 1 for 1e300") << 1e-10 << 1.0 << 100.0 << 1e300 << "";
        QTest::newRow("price to infinity") << 1e10 << 1.0 << 100.0 << 1e300 << "stk";
        QTest::newRow("price to 0") << 1e-30 << 1.0 << 100.0 << 1e-300 << "stk";
        QTest::newRow("shares to 0") << 1e-10 << 1.0 << 1e-30 << 1e300 << "tra";
        QTest::newRow("shares to infinity") << 1e-10 << 1.0 << 1e10 << 1e-300 << "tra";
        QTest::newRow("huge price on the split date is left alone") << 1e-10 << 1e10 << 100.0 << 1e300 << "";
        QTest::newRow("a price already damaged does not block") << nan << 1.0 << 100.0 << 1e300 << "";
    }
    void splitRefusesProductsOutOfRange()
    {
        QFETCH(double, early);
        QFETCH(double, late);
        QFETCH(double, shares);
        QFETCH(double, factor);
        QFETCH(QString, refused);
        TTestEnv env;
        makeFolders(env);
        writePrices("A",
                    {price("19990528", early, early, early, 10), price("19990601", late, late, late, 10)});
        addPortfolio("p1", "FIRST");
        addTrans("p1", "A", "19990520", shares, 1e-10);
        const QByteArray prices = TTestEnv::readFile(PriceFilePath("A"));
        const QByteArray trades = TTestEnv::readFile(TransactionFilePath("p1"));
        TRecordingTalk talk;
        TDataBase file(PriceFilePath("A"));
        QCOMPARE(SplitKeepsEveryValue(file, "A", "19990601", factor, talk), refused.isEmpty());
        if (refused.isEmpty()) {
            QVERIFY(talk.errors.isEmpty());
        } else {
            const QString path = refused == "stk" ? PriceFilePath("A") : TransactionFilePath("p1");
            QCOMPARE(talk.errors, QStringList{"The Split Ratio Is Out Of Range For File: " + path});
        }
        QCOMPARE(TTestEnv::readFile(PriceFilePath("A")), prices);
        QCOMPARE(TTestEnv::readFile(TransactionFilePath("p1")), trades);
    }

    void twoForOneSplitAdjustsPricesAndEveryPortfolio()
    {
        TTestEnv env;
        makeFolders(env);
        writePrices("A", {price("19990528", 20, 10, 16, 100), price("19990531", 22, 12, 18, 200),
                          price("19990601", 11, 6, 9, 300)});
        writePrices("B", {price("19990528", 20, 10, 16, 100)});
        addPortfolio("p1", "FIRST");
        addPortfolio("p2", "SECOND");
        addPortfolio("p3", "THIRD"); // no transaction file yet
        addTrans("p1", "A", "19990520", 100, 40);
        addTrans("p1", "A", "19990601", -100, 18);
        addTrans("p1", "A", "19990602", 10, 9);
        addTrans("p1", "B", "19990520", 100, 40);
        addTrans("p2", "A", "19990101", 50, 30);
        addDividend("p1", "A", "19990520", 12);
        const QByteArray dividends = TTestEnv::readFile(DividendFilePath("p1"));
        const QByteArray otherPrices = TTestEnv::readFile(PriceFilePath("B"));

        const TSplitEntry entry{"06/01/1999", "2", "1"};
        QCOMPARE(SplitFactor(entry), 0.5);
        TRecordingTalk prices, portfolios;
        {
            TDataBase file(PriceFilePath("A"));
            QVERIFY(SplitPriceFile(file, "19990601", SplitFactor(entry), prices));
            QCOMPARE(file.RecordCount(), 3);
        }
        QCOMPARE(prices.progressTexts.last(), QStringLiteral("Spliting Record: 2"));
        QVERIFY(SplitPortfolios("A", "19990601", SplitFactor(entry), portfolios));
        QVERIFY(prices.errors.isEmpty() && portfolios.errors.isEmpty());

        const QList<TPriceRecord> a = readPrices("A");
        QCOMPARE(a[0].High, 10.0);
        QCOMPARE(a[0].Low, 5.0);
        QCOMPARE(a[0].Close, 8.0);
        QCOMPARE(a[0].Volume, 100);
        QCOMPARE(a[1].Close, 9.0);
        QCOMPARE(a[1].Volume, 200);
        QCOMPARE(a[2].Close, 9.0); // on the split date: untouched
        QCOMPARE(a[2].High, 11.0);

        const QList<TTransRecord> p1 = readTrans(TransactionFilePath("p1"));
        QCOMPARE(p1.size(), 4);
        QCOMPARE(p1[0].Shares, 200.0);
        QCOMPARE(p1[0].Price, 20.0);
        QCOMPARE(p1[1].Shares, -200.0); // on the split date: adjusted, sign kept
        QCOMPARE(p1[1].Price, 9.0);
        QCOMPARE(p1[2].Shares, 10.0);
        QCOMPARE(p1[3].Symbol.text(), QStringLiteral("B"));
        QCOMPARE(p1[3].Shares, 100.0);
        QCOMPARE(readTrans(TransactionFilePath("p2"))[0].Shares, 100.0);
        QVERIFY(QFile::exists(TransactionFilePath("p3")));
        QCOMPARE(TTestEnv::readFile(DividendFilePath("p1")), dividends);
        QCOMPARE(TTestEnv::readFile(PriceFilePath("B")), otherPrices);
        QCOMPARE(portfolios.progressTexts,
                 QStringList({"Spliting Portfolio: FIRST", "Spliting Portfolio: SECOND",
                              "Spliting Portfolio: THIRD"}));
    }

    void splitAfterTheLastRecordAdjustsEachOnce()
    {
        TTestEnv env;
        makeFolders(env);
        writePrices("A", {price("19990104", 2, 1, 1.5, 10), price("19990105", 4, 2, 3, 20)});
        TRecordingTalk talk;
        TDataBase file(PriceFilePath("A"));
        QVERIFY(SplitPriceFile(file, "20000101", SplitFactor({"01/01/2000", "1", "3"}), talk));
        const QList<TPriceRecord> a = readPrices("A");
        QCOMPARE(a[0].High, 6.0);
        QCOMPARE(a[0].Close, 4.5);
        QCOMPARE(a[1].High, 12.0);
        QCOMPARE(a[1].Low, 6.0);
        QCOMPARE(a[1].Volume, 20);
    }

    void reverseSplitDividesShares()
    {
        TTestEnv env;
        makeFolders(env);
        addPortfolio("p1", "FIRST");
        addTrans("p1", "A", "19990104", 300, 2);
        TRecordingTalk talk;
        QVERIFY(SplitPortfolios("A", "19990601", SplitFactor({"06/01/1999", "1", "3"}), talk));
        const QList<TTransRecord> t = readTrans(TransactionFilePath("p1"));
        QCOMPARE(t[0].Shares, 100.0);
        QCOMPARE(t[0].Price, 6.0);
    }

    void splitStopsAndNamesAFileItCannotWrite()
    {
        TTestEnv env;
        makeFolders(env);
        addPortfolio("p1", "FIRST");
        addPortfolio("p2", "SECOND");
        addTrans("p1", "A", "19990104", 100, 2);
        addTrans("p2", "A", "19990104", 100, 2);
        // The replacement is written beside the file first; a folder in its
        // way makes that write fail.
        QDir().mkpath(TransactionFilePath("p2") + ".new");
        const QByteArray p2 = TTestEnv::readFile(TransactionFilePath("p2"));
        TRecordingTalk talk;
        QVERIFY(!SplitPortfolios("A", "19990601", 0.5, talk));
        QCOMPARE(talk.errors.size(), 1);
        QVERIFY(talk.errors[0].contains(TransactionFilePath("p2")));
        QCOMPARE(TTestEnv::readFile(TransactionFilePath("p2")), p2);
        QCOMPARE(readTrans(TransactionFilePath("p1"))[0].Shares, 200.0);
    }

    void splitLeavesAPriceFileItCannotReplace()
    {
        TTestEnv env;
        makeFolders(env);
        writePrices("A", {price("19990104", 2, 1, 1.5, 10), price("19990105", 4, 2, 3, 20)});
        QDir().mkpath(PriceFilePath("A") + ".new");
        const QByteArray before = TTestEnv::readFile(PriceFilePath("A"));
        TRecordingTalk talk;
        {
            TDataBase file(PriceFilePath("A"));
            QVERIFY(!SplitPriceFile(file, "20000101", 0.5, talk));
            TPriceRecord first;
            file.ReadAt(first, 0); // the open file still reads the stored prices
            QCOMPARE(first.High, 2.0);
        }
        QCOMPARE(talk.errors, QStringList{"Error, Could Not Write To File: " + PriceFilePath("A")});
        QCOMPARE(TTestEnv::readFile(PriceFilePath("A")), before);
    }

    void splitLeavesAPriceFileItCannotRead()
    {
        TTestEnv env;
        makeFolders(env);
        writePrices("A", {price("19990104", 2, 1, 1.5, 10), price("19990105", 4, 2, 3, 20)});
        TRecordingTalk talk;
        TDataBase file(PriceFilePath("A"));
        QVERIFY(QFile(PriceFilePath("A")).resize(48)); // shortened behind the open object
        QVERIFY(!SplitPriceFile(file, "20000101", 0.5, talk));
        QCOMPARE(talk.errors, QStringList{"Error, Could Not Read The File " + PriceFilePath("A")});
        QCOMPARE(readPrices("A")[0].High, 2.0);
    }

    void purgeRemovesThroughTheStopDate_data()
    {
        QTest::addColumn<QString>("stop");
        QTest::addColumn<QStringList>("kept");
        QTest::newRow("01/04") << "20000104" << QStringList{"20000105"};
        QTest::newRow("01/02") << "20000102" << QStringList{"20000103", "20000104", "20000105"};
        QTest::newRow("12/31") << "20001231" << QStringList();
        QTest::newRow("a day without a record") << "20000107" << QStringList{"20000110"};
    }
    void purgeRemovesThroughTheStopDate()
    {
        QFETCH(QString, stop);
        QFETCH(QStringList, kept);
        TTestEnv env;
        makeFolders(env);
        QList<TPriceRecord> records{price("20000103", 2, 1, 1.5, 1), price("20000104", 2, 1, 1.5, 2),
                                    price("20000105", 2, 1, 1.5, 3)};
        if (QString(QTest::currentDataTag()) == "a day without a record")
            records = {price("20000103", 2, 1, 1.5, 1), price("20000106", 2, 1, 1.5, 2),
                       price("20000110", 2, 1, 1.5, 3)};
        writePrices("A", records);
        TRecordingTalk talk;
        QVERIFY(PurgePriceFile(PriceFilePath("A"), stop, talk));
        QCOMPARE(priceDates("A"), kept);
    }

    void purgeKeepsTheBytesOfTheNewerRecords()
    {
        TTestEnv env;
        makeFolders(env);
        TPriceRecord kept = price("20000105", 2, 1, 1.5, 3);
        kept.Reserved1[0] = 0x5A;
        kept.Reserved2[3] = 0xA5;
        writePrices("A", {price("20000103", 2, 1, 1.5, 1), kept});
        const QByteArray tail = TTestEnv::readFile(PriceFilePath("A")).mid(48);
        TRecordingTalk talk;
        QVERIFY(PurgePriceFile(PriceFilePath("A"), "20000104", talk));
        QCOMPARE(TTestEnv::readFile(PriceFilePath("A")), tail);
    }

    void purgeWalksTheListAndSkipsUnsafeSymbols()
    {
        TTestEnv env;
        makeFolders(env);
        writePrices("A", {price("20000103", 2, 1, 1.5, 1), price("20000105", 2, 1, 1.5, 3)});
        TWatchDatabase watch(WatchListPath());
        for (TListRecord e : {listEntry("A", "ALPHA"), listEntry("..", "DOTS"), listEntry("E", "EMPTY")})
            watch.Insert(e);
        TRecordingTalk talk;
        QVERIFY(PurgeAll(watch, "20000104", talk));
        QCOMPARE(priceDates("A"), QStringList({"20000105"}));
        QVERIFY(QFile::exists(PriceFilePath("E")));
        QCOMPARE(QFileInfo(PriceFilePath("E")).size(), 0);
        QVERIFY(!QFile::exists(env.path("data/...stk")) && !QFile::exists(env.path("...stk")));
        QVERIFY(talk.errors.isEmpty());
        QCOMPARE(talk.progressTexts.last(), QStringLiteral("Purging Data For: EMPTY"));
    }

    void purgeOfAnEmptyFileLeavesItEmpty()
    {
        TTestEnv env;
        makeFolders(env);
        QFile(PriceFilePath("A")).open(QIODevice::WriteOnly);
        TRecordingTalk talk;
        QVERIFY(PurgePriceFile(PriceFilePath("A"), "20000104", talk));
        QVERIFY(QFile::exists(PriceFilePath("A")));
        QCOMPARE(QFileInfo(PriceFilePath("A")).size(), 0);
        QVERIFY(talk.errors.isEmpty());
    }

    void purgeReportsAListItCannotRead_data()
    {
        QTest::addColumn<bool>("opens");
        QTest::addColumn<QString>("message");
        QTest::newRow("entry unreadable") << true << "Error, Could Not Read The File %1";
        QTest::newRow("list not open") << false << "Error, Could Not Open File: %1";
    }
    void purgeReportsAListItCannotRead()
    {
        QFETCH(bool, opens);
        QFETCH(QString, message);
        TTestEnv env;
        makeFolders(env);
        const QList<TPriceRecord> days{price("20000103", 2, 1, 1.5, 1), price("20000105", 2, 1, 1.5, 3)};
        for (const char *s : {"A", "B"})
            writePrices(s, days);
        QString listPath = WatchListPath();
        if (!opens) {
            listPath = env.path("watch/Gone.sbl");
            QDir().mkpath(listPath); // a folder where the list should be
        }
        TWatchDatabase watch(listPath);
        for (TListRecord e : {listEntry("A", "ALPHA"), listEntry("B", "BETA")})
            watch.Insert(e);
        if (opens) // the list lost its second entry after it was opened
            QVERIFY(QFile(listPath).resize(QFileInfo(listPath).size() / 2));
        TRecordingTalk talk;
        QVERIFY(!PurgeAll(watch, "20000104", talk));
        QCOMPARE(talk.errors, QStringList{message.arg(listPath)});
        QCOMPARE(priceDates("A"), opens ? QStringList{"20000105"} : QStringList({"20000103", "20000105"}));
        QCOMPARE(priceDates("B"), QStringList({"20000103", "20000105"}));
    }

    void purgeStopsAtTheFirstFileItCannotShorten()
    {
        TTestEnv env;
        makeFolders(env);
        const QList<TPriceRecord> days{price("20000103", 2, 1, 1.5, 1), price("20000105", 2, 1, 1.5, 3)};
        for (const char *s : {"A", "B", "C"})
            writePrices(s, days);
        TWatchDatabase watch(WatchListPath());
        for (TListRecord e : {listEntry("A", "ALPHA"), listEntry("B", "BETA"), listEntry("C", "GAMMA")})
            watch.Insert(e);
        QDir().mkpath(PriceFilePath("B") + ".new");
        const QByteArray b = TTestEnv::readFile(PriceFilePath("B"));
        TRecordingTalk talk;
        QVERIFY(!PurgeAll(watch, "20000104", talk));
        QCOMPARE(talk.errors, QStringList{"Error, Could Not Write To File: " + PriceFilePath("B")});
        QCOMPARE(priceDates("A"), QStringList{"20000105"});
        QCOMPARE(TTestEnv::readFile(PriceFilePath("B")), b);
        QCOMPARE(priceDates("C"), QStringList({"20000103", "20000105"})); // never reached
        QCOMPARE(talk.progressTexts.last(), QStringLiteral("Purging Data For: BETA"));
    }

    void purgePresetCountsCalendarDays_data()
    {
        QTest::addColumn<bool>("limit");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("preset");
        QTest::newRow("limit off") << false << 30 << "06/16/1999";
        QTest::newRow("limit on, 30") << true << 30 << "05/16/2000";
        QTest::newRow("limit on, 0 reads as 1") << true << 0 << "06/14/2000";
        QTest::newRow("limit on, far out of range") << true << 2000000000 << "";
    }
    void purgePresetCountsCalendarDays()
    {
        QFETCH(bool, limit);
        QFETCH(int, n);
        QFETCH(QString, preset);
        TTestEnv env;
        env.pinClock(QDateTime(QDate(2000, 6, 15), QTime(10, 0)));
        setStatistics(limit, n);
        if (preset.isEmpty())
            QCOMPARE(PurgePresetDate().size(), 10); // clamped to a date the box can show
        else
            QCOMPARE(PurgePresetDate(), preset);
    }
};

QTEST_GUILESS_MAIN(TestPriceData)
#include "tst_PriceData.moc"
