#include "TestEnv.h"

#include "frame/Stockcfg.h"
#include "portfolio/ReturnEst.h"

#include <QtTest>

class TestReturnEst : public QObject
{
    Q_OBJECT

private slots:
    void workedRoundTripUnderTheWebSchedule()
    {
        TTestEnv env;
        const TReturnEstResult r = ComputeReturnEstimate({"01/02/2000", "01/02/2001", "100", "10", "12"}, 0);
        QCOMPARE(r.BuyCommission, QStringLiteral("$29.95"));
        QCOMPARE(r.SellCommission, QStringLiteral("$29.95"));
        QCOMPARE(r.InitialCost, QStringLiteral("$1,029.95"));
        QCOMPARE(r.Proceeds, QStringLiteral("$1,170.05"));
        QCOMPARE(r.ProfitLoss, QStringLiteral("$140.10"));
        QVERIFY(r.Profit);
        QCOMPARE(r.Return, QStringLiteral("13.60%"));
        QCOMPARE(r.TotalDaysHeld, QStringLiteral("366"));
        QCOMPARE(r.DaysHeld, QStringLiteral("1"));
        QCOMPARE(r.YearsHeld, QStringLiteral("1"));
        QCOMPARE(r.Annualized, QStringLiteral("13.57%"));
    }

    void periodsAndNotAvailable_data()
    {
        QTest::addColumn<QString>("buyDate");
        QTest::addColumn<QString>("sellDate");
        QTest::addColumn<QString>("total");
        QTest::addColumn<QString>("days");
        QTest::addColumn<QString>("years");
        QTest::addColumn<QString>("annualized");
        QTest::newRow("same day") << "03/10/2003"
                                  << "03/10/2003"
                                  << "0"
                                  << "0"
                                  << "0"
                                  << "N/A";
        // 140.10 / 1029.95 / (-400 / 365) x 100
        QTest::newRow("sold 400 days before") << "02/03/2001"
                                              << "12/31/1999"
                                              << "-400"
                                              << "-35"
                                              << "-1"
                                              << "-12.41%";
        QTest::newRow("buy date empty") << "  /  /    "
                                        << "01/02/2001"
                                        << "N/A"
                                        << "N/A"
                                        << "N/A"
                                        << "N/A";
        QTest::newRow("sell date impossible") << "01/02/2000"
                                              << "02/30/2001"
                                              << "N/A"
                                              << "N/A"
                                              << "N/A"
                                              << "N/A";
    }
    void periodsAndNotAvailable()
    {
        QFETCH(QString, buyDate);
        QFETCH(QString, sellDate);
        TTestEnv env;
        const TReturnEstResult r = ComputeReturnEstimate({buyDate, sellDate, "100", "10", "12"}, 0);
        QTEST(r.TotalDaysHeld, "total");
        QTEST(r.DaysHeld, "days");
        QTEST(r.YearsHeld, "years");
        QTEST(r.Annualized, "annualized");
        QCOMPARE(r.Return, QStringLiteral("13.60%")); // the rest is computed
    }

    void sharesAndResults_data()
    {
        QTest::addColumn<QString>("shares");
        QTest::addColumn<QString>("buyPrice");
        QTest::addColumn<QString>("sellPrice");
        QTest::addColumn<int>("schedule");
        QTest::addColumn<QString>("profitLoss");
        QTest::addColumn<bool>("profit");
        QTest::addColumn<QString>("ret");
        QTest::newRow("fraction of a share counts as 0") << "10.5"
                                                         << "10"
                                                         << "12" << 0 << "($59.90)" << false << "-200.00%";
        QTest::newRow("loss") << "100"
                              << "12"
                              << "10" << 0 << "($259.90)" << false << "-21.13%";
        QTest::newRow("exactly 0 is a profit") << "100"
                                               << "10"
                                               << "10" << 3 << "$0.00" << true << "0.00%";
        QTest::newRow("zero cost has no return") << "0"
                                                 << "10"
                                                 << "12" << 3 << "$0.00" << true << "N/A";
        QTest::newRow("garbage prices count as 0") << "10"
                                                   << "abc"
                                                   << "" << 3 << "$0.00" << true << "N/A";
    }
    void sharesAndResults()
    {
        QFETCH(QString, shares);
        QFETCH(QString, buyPrice);
        QFETCH(QString, sellPrice);
        QFETCH(int, schedule);
        TTestEnv env;
        const TReturnEstResult r =
            ComputeReturnEstimate({"01/02/2000", "01/02/2001", shares, buyPrice, sellPrice}, schedule);
        QTEST(r.ProfitLoss, "profitLoss");
        QTEST(r.Profit, "profit");
        QTEST(r.Return, "ret");
        if (r.Return == QStringLiteral("N/A"))
            QCOMPARE(r.Annualized, QStringLiteral("N/A"));
    }
};

QTEST_GUILESS_MAIN(TestReturnEst)
#include "tst_ReturnEst.moc"
