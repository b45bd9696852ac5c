// The figures of the security summary: statistics window, extremes, spreads,
// 64-bit volume sums and the holdings in the current portfolio.

#include "SecuritiesTestData.h"
#include "frame/NumberFormat.h"
#include "portfolio/Commission.h"
#include "securities/StockSummary.h"

#include <QtTest>
#include <limits>

using namespace qvtest;

namespace {

// Ties for the highest high (01/05, 01/06) and the lowest low inside the
// limited window (01/05, 01/06); every volume 2,000,000,000.
void writeFiveDays()
{
    const int32_t v = 2000000000;
    writePrices("A", {price("19990104", 10, 5, 8, v), price("19990105", 12, 6, 10, v),
                      price("19990106", 12, 6, 11, v), price("19990107", 11, 7, 9, v),
                      price("19990108", 11.5, 8, 11, v)});
}

void useSchedule(int schedule, uint32_t plus, uint32_t minus)
{
    LoadConfig();
    ConfigRecord.CommissionSchedule = int16_t(schedule);
    ConfigRecord.Statistics.PlusColor = plus;
    ConfigRecord.Statistics.MinusColor = minus;
    SaveConfig();
}

} // namespace

class TestStockSummary : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { SetRecordFileSync(false); }

    void statisticsWindow_data()
    {
        QTest::addColumn<bool>("limit");
        QTest::addColumn<int>("n");
        QTest::addColumn<QList<int>>("volumes");   // of a history of that many days; none: the five days
        QTest::addColumn<QStringList>("expected"); // name=text pairs
        const QStringList whole{"StartingPrice=$8.000",
                                "StartingPriceDate=01/04/1999",
                                "EndingPrice=$11.000",
                                "EndingPriceDate=01/08/1999",
                                "Change=$3.000",
                                "ChangePrecent=37.500%",
                                "HighestHigh=$12.000",
                                "HighestHighDate=01/05/1999",
                                "LowestLow=$5.000",
                                "LowestLowDate=01/04/1999",
                                "Range=$7.000",
                                "RangePrecent=140.000%",
                                "AverageClose=$9.800",
                                "StdDeviation=$1.166",
                                "StdPrecent=11.900%",
                                "TotalVolume=10000000000",
                                "AverageVolume=2000000000",
                                "StdVolume=0",
                                "StdVolumePercent=0.000%",
                                "SharePriceTotodayTotal=$11.000"};
        const QList<int> fiveDays;
        QTest::newRow("limit off") << false << 3 << fiveDays << whole;
        QTest::newRow("limit on, N = last index") << true << 4 << fiveDays << whole;
        QTest::newRow("limit on, N past the last index") << true << 10 << fiveDays << whole;
        QTest::newRow("limit on, damaged N = -5 reads as 1: two records")
            << true << -5 << fiveDays
            << QStringList{"StartingPrice=$9.000", "StartingPriceDate=01/07/1999", "EndingPrice=$11.000",
                           "TotalVolume=4000000000"};
        QTest::newRow("limit on, N = count - 2: N + 1 records")
            << true << 3 << fiveDays
            << QStringList{
                   "StartingPrice=$10.000",    "StartingPriceDate=01/05/1999", "Change=$1.000",
                   "ChangePrecent=10.000%",    "HighestHighDate=01/05/1999",   "LowestLow=$6.000",
                   "LowestLowDate=01/05/1999", "TotalVolume=8000000000",       "AverageVolume=2000000000"};
        // 5 / 2 shows 2 in integer division; the spread is exactly 2.5, which
        // goes to the even 2, and is taken of the true average 2.5: 80%.
        QTest::newRow("volumes 0 and 5")
            << false << 3 << QList<int>{0, 5}
            << QStringList{"TotalVolume=5", "AverageVolume=2", "StdVolume=2", "StdVolumePercent=80.000%"};
    }
    void statisticsWindow()
    {
        QFETCH(bool, limit);
        QFETCH(int, n);
        QFETCH(QList<int>, volumes);
        QFETCH(QStringList, expected);
        TTestEnv env;
        makeFolders(env);
        setStatistics(limit, n);
        if (volumes.isEmpty()) {
            writeFiveDays();
        } else {
            QList<TPriceRecord> days;
            for (int d = 0; d < volumes.size(); ++d)
                days << price(qPrintable(QString::number(19990104 + d)), 2, 1, 1.5, volumes[d]);
            writePrices("A", days);
        }
        const int count = volumes.isEmpty() ? 5 : int(volumes.size());
        const TStockSummaryTexts s = ComputeStockSummary("A");
        QCOMPARE(s.Status, QStringLiteral("Records On File: %1").arg(count));
        QCOMPARE(s.GraphEnabled, count >= 3);
        QVERIFY(!s.ShowHoldings);
        for (const QString &pair : expected) {
            const QString name = pair.section('=', 0, 0);
            QCOMPARE(name + "=" + s.Labels.value(name), pair);
        }
    }

    void zeroBasesShowNotAvailable()
    {
        TTestEnv env;
        makeFolders(env);
        writePrices("Z", {price("19990104", 1, 0, 0, 0), price("19990105", 2, 0, 2, 0)});
        const TStockSummaryTexts s = ComputeStockSummary("Z");
        QCOMPARE(s.Labels.value("ChangePrecent"), QStringLiteral("N/A"));
        QCOMPARE(s.Labels.value("RangePrecent"), QStringLiteral("N/A"));
        QCOMPARE(s.Labels.value("StdVolumePercent"), QStringLiteral("0.000%"));
        QVERIFY(!s.GraphEnabled); // two records

        writePrices("Y", {price("19990104", 1, 0, 0, 5), price("19990105", 2, 0, 0, 7)});
        QCOMPARE(ComputeStockSummary("Y").Labels.value("StdPrecent"), QStringLiteral("0.000%"));

        // No high above 0: there is no highest day, and no "//" in its place.
        writePrices("O", {price("19990104", 0, 0, 0, 0), price("19990105", 0, 0, 0, 0)});
        const TStockSummaryTexts flat = ComputeStockSummary("O");
        QCOMPARE(flat.Labels.value("HighestHigh"), QStringLiteral("$0.000"));
        QCOMPARE(flat.Labels.value("HighestHighDate"), QString());
        QCOMPARE(flat.Labels.value("LowestLowDate"), QStringLiteral("01/04/1999"));
    }

    void graphNeedsThreeRecords_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("one") << 1 << false;
        QTest::newRow("two") << 2 << false;
        QTest::newRow("three") << 3 << true;
    }
    void graphNeedsThreeRecords()
    {
        QFETCH(int, records);
        QFETCH(bool, enabled);
        TTestEnv env;
        makeFolders(env);
        const QList<TPriceRecord> all{price("19990104", 2, 1, 1.5, 10), price("19990105", 3, 2, 2.5, 20),
                                      price("19990106", 4, 3, 3.5, 30)};
        writePrices("G", all.mid(0, records));
        const TStockSummaryTexts s = ComputeStockSummary("G");
        QCOMPARE(s.GraphEnabled, enabled);
        QCOMPARE(s.Status, QStringLiteral("Records On File: %1").arg(records));
    }

    // A damaged record (prices that are not numbers) would turn every figure
    // into NaN; it is left out and the others still count.
    void damagedRecordsAreLeftOut()
    {
        TTestEnv env;
        makeFolders(env);
        TPriceRecord bad = price("19990105", 0, 0, 0, 500);
        const double nan = std::numeric_limits<double>::quiet_NaN();
        bad.High = nan;
        bad.Close = nan;
        {
            TDataBase db(PriceFilePath("N"));
            QByteArray image;
            for (TPriceRecord r : {price("19990104", 12, 8, 10, 100), bad, price("19990106", 14, 9, 12, 300)})
                db.AppendImage(image, r);
            QVERIFY(db.ReplaceAll(image));
        }
        const TStockSummaryTexts s = ComputeStockSummary("N");
        QCOMPARE(s.Status, QStringLiteral("Records On File: 3"));
        QCOMPARE(s.Labels.value("HighestHigh"), QStringLiteral("$14.000"));
        QCOMPARE(s.Labels.value("AverageClose"), QStringLiteral("$11.000"));
        QCOMPARE(s.Labels.value("TotalVolume"), QStringLiteral("400"));
        QCOMPARE(s.Labels.value("EndingPrice"), QStringLiteral("$12.000"));
        for (const QString &text : s.Labels)
            QVERIFY2(!text.contains("nan", Qt::CaseInsensitive), qPrintable(text));
    }

    void emptyHistoryShowsTheDesignTexts()
    {
        TTestEnv env;
        makeFolders(env);
        writePrices("E", {});
        const TStockSummaryTexts s = ComputeStockSummary("E");
        QCOMPARE(s.Status, QStringLiteral("Records On File: 0"));
        QVERIFY(!s.GraphEnabled);
        QCOMPARE(s.Labels, StockSummaryDesignTexts());
        QCOMPARE(s.Labels.value("StartingPrice"), QStringLiteral("$0.000"));
        QCOMPARE(s.Labels.value("PercentNetGain"), QStringLiteral("0.00%"));
    }

    void holdingsCountOnlyTheCurrentPosition()
    {
        TTestEnv env;
        makeFolders(env);
        writeFiveDays();
        useSchedule(9, 0x00FF00, 0x0000FF); // no schedule: commission 0
        addTrans("p1", "A", "19990104", 100, 10, 5);
        addTrans("p1", "A", "19990105", -100, 12, 5);
        addTrans("p1", "A", "19990106", 50, 11, 7);
        addTrans("p1", "B", "19990106", 70, 1, 1);
        addDividend("p1", "A", "19990107", 7);
        CurrentPortfolio.FileName = QStringLiteral("p1");

        const TSecurityPosition h = HoldingsOf("A", "p1");
        QCOMPARE(h.Shares, 50.0);
        QCOMPARE(h.Cost, 550.0);
        QCOMPARE(h.Fees, 7.0);
        QCOMPARE(h.Dividends, 7.0);

        // Damaged trades (no number for shares, price or fee) count nothing:
        // one NaN would otherwise turn every figure into N/A.
        const double nan = std::numeric_limits<double>::quiet_NaN();
        addTrans("p2", "A", "19990104", 100, 10, 5);
        addTrans("p2", "A", "19990105", nan, 12, 5);
        addTrans("p2", "A", "19990106", 10, nan, 5);
        addTrans("p2", "A", "19990107", 10, 12, std::numeric_limits<double>::infinity());
        const TSecurityPosition damaged = HoldingsOf("A", "p2");
        QCOMPARE(damaged.Shares, 100.0);
        QCOMPARE(damaged.Cost, 1000.0);
        QCOMPARE(damaged.Fees, 5.0);

        // Net gain exactly 0 takes the minus colour.
        const TStockSummaryTexts s = ComputeStockSummary("A");
        QVERIFY(s.ShowHoldings);
        QCOMPARE(s.HoldingsColor, 0x0000FFu);
        const QStringList expected{"TotalCostShares=50",
                                   "TodayShares=50",
                                   "SharePrice=$11.000",
                                   "SharePriceTotal=$550.00",
                                   "SharePriceToday=$550.00",
                                   "SharePriceChange=$0.00",
                                   "SharePriceChangeTotal=$0.00",
                                   "PrecentChange=0.00%",
                                   "TotalFees=$7.00",
                                   "Dividends=$7.00",
                                   "NetGainLoss=$0.00",
                                   "PercentNetGain=0.00%"};
        for (const QString &pair : expected) {
            const QString name = pair.section('=', 0, 0);
            QCOMPARE(name + "=" + s.Labels.value(name), pair);
        }

        addDividend("p1", "A", "19990108", 1);
        const TStockSummaryTexts gain = ComputeStockSummary("A");
        QCOMPARE(gain.HoldingsColor, 0x00FF00u);
        QCOMPARE(gain.Labels.value("NetGainLoss"), QStringLiteral("$1.00"));

        // A schedule that charges: today's selling commission joins the fees
        // and comes off the net gain.
        useSchedule(0, 0x00FF00, 0x0000FF);
        const double commission = ComputeCommission(0, 50, 11);
        QVERIFY(commission > 0);
        const TStockSummaryTexts charged = ComputeStockSummary("A");
        QCOMPARE(charged.Labels.value("TotalFees"), MoneyText(7 + commission, 2, 10));
        QCOMPARE(charged.Labels.value("NetGainLoss"), MoneyText(1 - commission, 2, 10));
        QCOMPARE(charged.HoldingsColor, 0x0000FFu);
    }

    void noHoldingsWithoutPortfolioOrShares()
    {
        TTestEnv env;
        makeFolders(env);
        writeFiveDays();
        addTrans("p1", "A", "19990104", 100, 10);
        addTrans("p1", "A", "19990105", -100, 12);
        QVERIFY(!ComputeStockSummary("A").ShowHoldings); // no current portfolio
        CurrentPortfolio.FileName = QStringLiteral("p1");
        QVERIFY(!ComputeStockSummary("A").ShowHoldings); // sold out
        CurrentPortfolio.FileName = QStringLiteral("..");
        QVERIFY(!ComputeStockSummary("A").ShowHoldings);
        QVERIFY(!QFile::exists(env.path("port/...tra")));

        // The name "No Portfolio" means none, whatever file name it carries.
        addTrans("p2", "A", "19990104", 100, 10);
        CurrentPortfolio.FileName = QStringLiteral("p2");
        QVERIFY(ComputeStockSummary("A").ShowHoldings);
        CurrentPortfolio.Name = kNoPortfolio;
        QVERIFY(!ComputeStockSummary("A").ShowHoldings);
        CurrentPortfolio = TListRecord{};
    }

    // A file that is there but cannot be opened or read is named, and no
    // figure is made up from it; a missing portfolio file is simply empty.
    void unreadableFilesAreReported_data()
    {
        QTest::addColumn<QString>("folder"); // made a folder where a file should be
        QTest::addColumn<QString>("portfolio");
        QTest::addColumn<QString>("problem"); // %1: the test folder
        QTest::addColumn<QString>("startingPrice");
        QTest::newRow("price file") << "data/A.stk"
                                    << ""
                                    << "Error, Could Not Open The File %1data/A.stk"
                                    << "$0.000";
        QTest::newRow("transaction file") << "port/p1.tra"
                                          << "p1"
                                          << "Error, Could Not Read The File %1port/p1.tra"
                                          << "$8.000";
        QTest::newRow("dividend file") << "port/p1.div"
                                       << "p1"
                                       << "Error, Could Not Read The File %1port/p1.div"
                                       << "$8.000";
        QTest::newRow("missing transaction file") << ""
                                                  << "gone"
                                                  << ""
                                                  << "$8.000";
    }
    void unreadableFilesAreReported()
    {
        QFETCH(QString, folder);
        QFETCH(QString, portfolio);
        QFETCH(QString, problem);
        QFETCH(QString, startingPrice);
        TTestEnv env;
        makeFolders(env);
        if (!folder.isEmpty())
            QVERIFY(QDir().mkpath(env.path(folder)));
        writeFiveDays();
        if (portfolio == "p1")
            addTrans("p1", "A", "19990104", 100, 10); // a position the dividends would complete
        CurrentPortfolio.FileName = portfolio;
        const TStockSummaryTexts s = ComputeStockSummary("A");
        CurrentPortfolio = TListRecord{};
        QCOMPARE(s.Problem, problem.isEmpty() ? QString() : problem.arg(env.dir()));
        QVERIFY(!s.ShowHoldings);
        QCOMPARE(s.Labels.value("NetGainLoss"), QString());
        QCOMPARE(s.Labels.value("StartingPrice"), startingPrice);
        QCOMPARE(s.GraphEnabled, startingPrice != "$0.000");
        QVERIFY(QFileInfo(env.path("data/A.stk")).isDir() == (folder == "data/A.stk"));
    }

    void dividendsThatBreakOffCountNothing()
    {
        TTestEnv env;
        makeFolders(env);
        addDividend("p1", "A", "19990104", 3);
        addDividend("p1", "B", "19990105", 4);
        addDividend("p1", "A", "19990106", 5);
        double sum = -1;
        {
            TTransBase whole(DividendFilePath("p1"), TOpenMode::ReadOnly);
            QVERIFY(SumDividends(whole, "A", &sum));
            QCOMPARE(sum, 8.0);
        }
        TTransBase file(DividendFilePath("p1"), TOpenMode::ReadOnly);
        const qint64 size = QFileInfo(file.path()).size();
        QVERIFY(QFile(file.path()).resize(size / 3)); // shortened behind the open object
        QVERIFY(!SumDividends(file, "A", &sum));
        QCOMPARE(sum, 0.0);
    }

    void cost0ShowsNotAvailable()
    {
        TTestEnv env;
        makeFolders(env);
        writeFiveDays();
        useSchedule(9, 1, 2);
        addTrans("p1", "A", "19990104", 10, 0); // shares received free
        CurrentPortfolio.FileName = QStringLiteral("p1");
        const TStockSummaryTexts s = ComputeStockSummary("A");
        QVERIFY(s.ShowHoldings);
        QCOMPARE(s.Labels.value("PrecentChange"), QStringLiteral("N/A"));
        QCOMPARE(s.Labels.value("PercentNetGain"), QStringLiteral("N/A"));
        QCOMPARE(s.HoldingsColor, 1u);
    }
};

QTEST_GUILESS_MAIN(TestStockSummary)
#include "tst_StockSummary.moc"
