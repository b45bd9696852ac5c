// The price history file: the price rule on the way to and from the file,
// and the statistics the expression language asks of a history, with the
// statistics window taken from the configuration.

#include "RecordImages.h"
#include "TestEnv.h"

#include "frame/Stockcfg.h"
#include "records/Database.h"

#include <QtTest>
#include <cmath>

namespace {

// Records dated 20060101 onwards with the given closes; high = close + 10,
// low = close - 0.5 (at least 0.01), volume = 1000 × close.
void fillCloses(TDataBase &db, const QList<double> &closes)
{
    for (int i = 0; i < closes.size(); ++i) {
        TPriceRecord r;
        r.Date = QStringLiteral("2006%1%2")
                     .arg(1 + i / 28, 2, 10, QLatin1Char('0'))
                     .arg(1 + i % 28, 2, 10, QLatin1Char('0'));
        r.Close = closes[i];
        r.High = closes[i] + 10;
        r.Low = std::max(0.01, closes[i] - 0.5);
        r.Volume = qint32(closes[i] * 1000);
        QVERIFY(db.Insert(r));
    }
}

QList<double> range(int from, int to)
{
    QList<double> out;
    for (int i = from; i <= to; ++i)
        out << i;
    return out;
}

void setStatisticsLimit(bool limit, int n)
{
    LoadConfig();
    ConfigRecord.Statistics.LimitRecords = limit ? 1 : 0;
    ConfigRecord.Statistics.RecordCount = n;
    QVERIFY(SaveConfig());
}

} // namespace

class TestDatabase : public QObject
{
    Q_OBJECT

private slots:
    void priceRuleOnWrite_data()
    {
        QTest::addColumn<double>("high");
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("close");
        QTest::addColumn<double>("storedHigh");
        QTest::addColumn<double>("storedLow");
        QTest::newRow("high below low") << 5.0 << 10.0 << 7.0 << 7.0 << 10.0;
        QTest::newRow("low zero") << 10.0 << 0.0 << 7.0 << 10.0 << 7.0;
        QTest::newRow("low at the threshold") << 10.0 << 0.001 << 7.0 << 10.0 << 7.0;
        QTest::newRow("low just above") << 10.0 << 0.0011 << 7.0 << 10.0 << 0.0011;
        QTest::newRow("equal high and low") << 4.0 << 4.0 << 9.0 << 4.0 << 4.0;
        // The high is settled first, against the low as given.
        QTest::newRow("both, in order") << -1.0 << 0.0 << 7.0 << 7.0 << 7.0;
        QTest::newRow("high not a number") << qQNaN() << 2.0 << 3.0 << 3.0 << 2.0;
        QTest::newRow("sound record") << 12.0 << 9.0 << 10.0 << 12.0 << 9.0;
    }
    void priceRuleOnWrite()
    {
        QFETCH(double, high);
        QFETCH(double, low);
        QFETCH(double, close);
        QFETCH(double, storedHigh);
        QFETCH(double, storedLow);
        TTestEnv env;
        TDataBase db(env.path("T.stk"));
        TPriceRecord r;
        r.Date = QStringLiteral("20060105");
        r.High = high;
        r.Low = low;
        r.Close = close;
        r.Volume = 321;
        QVERIFY(db.Insert(r));
        // The caller's record is corrected along with the stored one.
        QCOMPARE(r.High, storedHigh);
        QCOMPARE(r.Low, storedLow);
        QCOMPARE(FileBytes(env.path("T.stk")), PriceImage("20060105", storedHigh, storedLow, close, 321));
    }

    void priceRuleOnRead()
    {
        TTestEnv env;
        const QString path = env.path("T.stk");
        TImage raw(48);
        raw.str(0, "20060105").f64(16, 5).f64(24, 10).f64(32, 7).i32(40, 9);
        raw.raw(11, "\x01\x02\x03\x04\x05").raw(44, "\x0a\x0b\x0c\x0d");
        WriteBytes(path, raw.bytes);
        TDataBase db(path);
        TPriceRecord r;
        db.First(r);
        QCOMPARE(r.High, 7.0);
        QCOMPARE(r.Low, 10.0);
        // Reserved bytes come back as stored and go out as the caller holds them.
        db.WriteCurrent(r);
        QCOMPARE(FileBytes(path).mid(11, 5), QByteArray("\x01\x02\x03\x04\x05"));
        QCOMPARE(FileBytes(path).mid(44, 4), QByteArray("\x0a\x0b\x0c\x0d"));
        QCOMPARE(FileBytes(path).mid(16, 8), raw.f64(16, 7).bytes.mid(16, 8));
    }

    void statisticsWindow_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<bool>("limit");
        QTest::addColumn<int>("n");
        QTest::addColumn<double>("start");   // StartValue("CLOSE")
        QTest::addColumn<double>("lowest");  // Lowest("LOW")
        QTest::addColumn<double>("highest"); // Highest("HIGH")
        QTest::newRow("one record, limit off") << 1 << false << 260 << 1.0 << 0.5 << 11.0;
        QTest::newRow("100 records, limit on, N 260: whole file")
            << 100 << true << 260 << 1.0 << 0.5 << 110.0;
        QTest::newRow("10 records, limit on, N 3: last four") << 10 << true << 3 << 7.0 << 6.5 << 20.0;
        QTest::newRow("10 records, limit off") << 10 << false << 3 << 1.0 << 0.5 << 20.0;
        QTest::newRow("N equal to LastIndex: whole file") << 10 << true << 9 << 1.0 << 0.5 << 20.0;
        QTest::newRow("N one below LastIndex") << 10 << true << 8 << 2.0 << 1.5 << 20.0;
    }
    void statisticsWindow()
    {
        QFETCH(int, records);
        QFETCH(bool, limit);
        QFETCH(int, n);
        QFETCH(double, start);
        QFETCH(double, lowest);
        QFETCH(double, highest);
        TTestEnv env;
        setStatisticsLimit(limit, n);
        TDataBase db(env.path("T.stk"));
        fillCloses(db, range(1, records));
        QCOMPARE(db.StartValue("CLOSE"), start);
        QCOMPARE(db.Lowest("LOW"), lowest);
        QCOMPARE(db.Highest("HIGH"), highest);
        QCOMPARE(db.Status(), quint16(Boundary)); // the pass ran to the end
    }

    // Long histories are read a block at a time: values on both sides of a
    // block border count, and the position ends where stepping would leave it.
    void statisticsAcrossReadBlocks()
    {
        TTestEnv env;
        setStatisticsLimit(false, 260);
        TDataBase db(env.path("T.stk"));
        QList<double> closes = range(1, 1000);
        closes[340] = 5000; // the last record of the first block of 341
        closes[341] = 0.25; // the first record of the second
        fillCloses(db, closes);
        QCOMPARE(db.Highest("CLOSE"), 5000.0);
        QCOMPARE(db.CurrentIndex(), 999);
        QCOMPARE(db.Status(), quint16(Boundary));
        QCOMPARE(db.Lowest("CLOSE"), 0.25);
        // Records 329..348 (skip 650, count 20) straddle the border.
        double sum = 0;
        for (int i = 329; i <= 348; ++i)
            sum += closes[i];
        QCOMPARE(db.Average("CLOSE", 650, 20), sum / 20);
        QCOMPARE(db.CurrentIndex(), 348);
        setStatisticsLimit(true, 700);
        QCOMPARE(db.Highest("CLOSE"), 5000.0); // window 299..999 still holds it
        setStatisticsLimit(true, 600);
        QCOMPARE(db.Highest("CLOSE"), 1000.0);
        QCOMPARE(db.Lowest("CLOSE"), 400.0);
    }

    void extremesKeepTheFirstOfEqualValues()
    {
        TTestEnv env;
        TDataBase db(env.path("T.stk"));
        fillCloses(db, {5, 3, 9, 3, 9, 1, 9});
        QCOMPARE(db.Highest("CLOSE"), 9.0);
        QCOMPARE(db.Lowest("CLOSE"), 1.0);
        QCOMPARE(db.Highest("VOLUME"), 9000.0);
    }

    void averageAndDeviationWindows_data()
    {
        QTest::addColumn<QList<double>>("closes");
        QTest::addColumn<int>("skip");
        QTest::addColumn<int>("count");
        QTest::addColumn<double>("average");
        QTest::addColumn<double>("deviation");
        QTest::newRow("1..6, skip 0, count 5: the five before the last")
            << range(1, 6) << 0 << 5 << 3.0 << std::sqrt(2.0);
        QTest::newRow("skip 1") << range(1, 6) << 1 << 3 << 3.0 << std::sqrt(2.0 / 3.0);
        QTest::newRow("count 1") << range(1, 6) << 0 << 1 << 5.0 << 0.0;
        QTest::newRow("count 0") << range(1, 6) << 0 << 0 << 0.0 << 0.0;
        QTest::newRow("count negative") << range(1, 6) << 0 << -3 << 0.0 << 0.0;
        // A window reaching past the first record averages the records it has.
        QTest::newRow("past the start") << range(1, 6) << 0 << 8 << 3.0 << std::sqrt(2.0);
        QTest::newRow("wholly before the file") << range(1, 6) << 10 << 3 << 0.0 << 0.0;
        QTest::newRow("constant") << QList<double>{4, 4, 4, 4} << 0 << 3 << 4.0 << 0.0;
    }
    void averageAndDeviationWindows()
    {
        QFETCH(QList<double>, closes);
        QFETCH(int, skip);
        QFETCH(int, count);
        QFETCH(double, average);
        QFETCH(double, deviation);
        TTestEnv env;
        TDataBase db(env.path("T.stk"));
        fillCloses(db, closes);
        QCOMPARE(db.Average("CLOSE", skip, count), average);
        QVERIFY2(std::fabs(db.StdDev("CLOSE", skip, count) - deviation) < 1e-12,
                 qPrintable(QString::number(db.StdDev("CLOSE", skip, count))));
    }

    void valuesByPosition()
    {
        TTestEnv env;
        TDataBase db(env.path("T.stk"));
        fillCloses(db, {2, 4, 8});
        QCOMPARE(db.LastValue("CLOSE"), 8.0);
        QCOMPARE(db.ValueBack("CLOSE", 2), 2.0);
        QCOMPARE(db.ValueBack("VOLUME", 1), 4000.0);
        QCOMPARE(db.ValueBack("HIGH", 0), 18.0);
        QCOMPARE(db.CurrentIndex(), 2);
        // Only the upper-case names count; anything else yields 0.
        QCOMPARE(db.LastValue("Close"), 0.0);
        QCOMPARE(db.LastValue("DATE"), 0.0);
        QCOMPARE(db.Average("close", 0, 2), 0.0);
        // Past the start: nothing is read, and nothing stale is reported.
        QCOMPARE(db.ValueBack("CLOSE", 3), 0.0);
        QCOMPARE(db.Status(), quint16(Boundary));
    }

    void statisticsOfAnEmptyFileAreZero()
    {
        TTestEnv env;
        TDataBase db(env.path("T.stk"));
        QCOMPARE(db.StartValue("CLOSE"), 0.0);
        QCOMPARE(db.Lowest("LOW"), 0.0);
        QCOMPARE(db.Highest("HIGH"), 0.0);
        QCOMPARE(db.LastValue("CLOSE"), 0.0);
        QCOMPARE(db.Average("CLOSE", 0, 5), 0.0);
    }

    void statisticsSeeAChangedLimitAtOnce()
    {
        TTestEnv env;
        TDataBase db(env.path("T.stk"));
        fillCloses(db, range(1, 10));
        setStatisticsLimit(false, 2);
        QCOMPARE(db.Lowest("CLOSE"), 1.0);
        setStatisticsLimit(true, 2);
        QCOMPARE(db.Lowest("CLOSE"), 8.0);
    }
};

QTEST_GUILESS_MAIN(TestDatabase)
#include "tst_Database.moc"
