#include "TestEnv.h"

#include "frame/Stockcfg.h"
#include "portfolio/Commission.h"

#include <QtTest>

namespace {

void setPercent(double rate, const QString &broker)
{
    LoadConfig();
    ConfigRecord.Percent.Rate = rate;
    ConfigRecord.Percent.Broker.setText(broker);
    QVERIFY(SaveConfig());
}

} // namespace

class TestCommission : public QObject
{
    Q_OBJECT

private slots:
    void commissionsFollowTheSchedules_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<double>("shares");
        QTest::addColumn<double>("price");
        QTest::addColumn<double>("commission");
        // web schedule: flat up to 1000 shares, whatever the price
        QTest::newRow("web 1000") << 0 << 1000.0 << 250.0 << 29.95;
        QTest::newRow("web 1001") << 0 << 1001.0 << 1.0 << 30.03;
        QTest::newRow("web 0") << 0 << 0.0 << 0.0 << 29.95;
        // broker schedule, the worked table
        QTest::newRow("broker 100 at 20: ceiling") << 1 << 100.0 << 20.0 << 55.0;
        QTest::newRow("broker 10 at 10: minimum") << 1 << 10.0 << 10.0 << 39.0;
        QTest::newRow("broker 500 at 10: tier") << 1 << 500.0 << 10.0 << 89.0;
        QTest::newRow("broker 1000 at 50: tier") << 1 << 1000.0 << 50.0 << 210.0;
        QTest::newRow("broker 5000 at 3: floor below 5") << 1 << 5000.0 << 3.0 << 250.0;
        QTest::newRow("broker 5000 at 6: floor from 5") << 1 << 5000.0 << 6.0 << 290.0;
        QTest::newRow("broker 100 at 0.50: low price") << 1 << 100.0 << 0.5 << 41.0;
        // boundaries
        QTest::newRow("principal 2500 takes the higher row, then the ceiling") << 1 << 100.0 << 25.0 << 55.0;
        QTest::newRow("principal 2500 higher row, below the ceiling") << 1 << 200.0 << 12.5 << 72.5;
        QTest::newRow("principal just below 2500") << 1 << 200.0 << 12.49 << 30 + 0.017 * 2498;
        QTest::newRow("principal 6250") << 1 << 250.0 << 25.0 << 97.25;
        QTest::newRow("principal 20000") << 1 << 400.0 << 50.0 << 144.0;
        QTest::newRow("principal 500000") << 1 << 10000.0 << 50.0 << 705.0;
        QTest::newRow("price 1 is tiered") << 1 << 1000.0 << 1.0 << 90.0;
        QTest::newRow("price 0.99 is 39 + 4%") << 1 << 1000.0 << 0.99 << 78.6;
        QTest::newRow("price 5 above 1000 shares") << 1 << 2000.0 << 5.0 << 140.0;
        QTest::newRow("price 4.99 above 1000 shares") << 1 << 2000.0 << 4.99 << 130.0;
        QTest::newRow("broker unparsable input") << 1 << 0.0 << 0.0 << 39.0;
        // other indices
        QTest::newRow("index 3") << 3 << 100.0 << 20.0 << 0.0;
        QTest::newRow("index -1") << -1 << 100.0 << 20.0 << 0.0;
    }
    void commissionsFollowTheSchedules()
    {
        TTestEnv env;
        QFETCH(int, index);
        QFETCH(double, shares);
        QFETCH(double, price);
        QFETCH(double, commission);
        QCOMPARE(ComputeCommission(index, shares, price), commission);
    }

    void percentScheduleReadsItsSettingsAtEveryCall()
    {
        TTestEnv env;
        setPercent(0.015, "Cheap Trades Inc.");
        QCOMPARE(ComputeCommission(csPercent, 100, 20), 30.0);
        QCOMPARE(ScheduleBroker(csPercent), QString("Cheap Trades Inc."));
        QCOMPARE(ScheduleDescription(csPercent),
                 QString("Percent Commission Calculator\r\n\r\nThe Commission Is Based On  1.50% Of The\r\n"
                         "Total Price (Shares * Price Per Share)\r\n"));
        setPercent(0.125, "Other");
        QCOMPARE(ComputeCommission(csPercent, 100, 20), 250.0);
        QCOMPARE(ScheduleBroker(csPercent), QString("Other"));
        QVERIFY(ScheduleDescription(csPercent).contains("Based On 12.50% Of The\r\n"));
        QV_VERIFY_ENV(env);
    }

    void scheduleTexts_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("broker");
        QTest::addColumn<QString>("description");
        QTest::newRow("web")
            << 0 << "Brenwick & Co. Web Commissions"
            << "Brenwick & Co."
            << "Commission Schedule Effective 11/27/1999\r\nStill Effective As Of Dec 01, 1999.\r\n";
        QTest::newRow("broker")
            << 1 << "Brenwick & Co. Broker Commissions"
            << "Brenwick & Co."
            << "Commission Schedule Effective May 20, 1991\r\nStill Effective As Of Dec 29, 1993.\r\n";
        QTest::newRow("index 3") << 3 << ""
                                 << ""
                                 << "";
        QTest::newRow("index -1") << -1 << ""
                                  << ""
                                  << "";
    }
    void scheduleTexts()
    {
        TTestEnv env;
        QFETCH(int, index);
        QFETCH(QString, title);
        QFETCH(QString, broker);
        QFETCH(QString, description);
        QCOMPARE(ScheduleTitle(index), title);
        QCOMPARE(ScheduleBroker(index), broker);
        QCOMPARE(ScheduleDescription(index), description);
    }
};

QTEST_GUILESS_MAIN(TestCommission)
#include "tst_Commission.moc"
