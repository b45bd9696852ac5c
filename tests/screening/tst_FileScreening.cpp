#include "TestEnv.h"

#include "frame/Stockcfg.h"
#include "records/Database.h"
#include "records/FunctionBase.h"
#include "screening/DataBaseStatistics.h"
#include "screening/PriceSeries.h"
#include "screening/StdUnitExpr.h"

#include <QFile>
#include <QRandomGenerator>
#include <QtTest>

namespace {

// The sample history twice: as a price file on disk and as prices in memory.
void loadSample(TDataBase &file, TPriceSeries &memory, int limit)
{
    QFile csv(SampleCsvPath());
    QVERIFY(csv.open(QIODevice::ReadOnly));
    csv.readLine();
    int n = 0;
    while (!csv.atEnd() && n < limit) {
        const QList<QByteArray> f = csv.readLine().trimmed().split(',');
        QCOMPARE(f.size(), 6);
        TPriceRecord r;
        r.Date = QString::fromLatin1(f[0]).remove('-');
        r.High = f[2].toDouble();
        r.Low = f[3].toDouble();
        r.Close = f[4].toDouble();
        r.Volume = f[5].toInt();
        QVERIFY(file.Insert(r));
        memory.append(TPricePoint{r.High, r.Low, r.Close, r.Volume});
        ++n;
    }
}

} // namespace

class TestFileScreening : public QObject
{
    Q_OBJECT

private slots:
    // The expression language must give the same answers over a price file
    // as over the same prices in memory, with the statistics limit on and off.
    void priceFileAndMemoryAgree_data()
    {
        QTest::addColumn<bool>("limit");
        QTest::newRow("limit off") << false;
        QTest::newRow("limit on") << true;
    }
    void priceFileAndMemoryAgree()
    {
        QFETCH(bool, limit);
        TTestEnv env;
        LoadConfig();
        ConfigRecord.Statistics.LimitRecords = limit ? 1 : 0;
        ConfigRecord.Statistics.RecordCount = 260;
        QVERIFY(SaveConfig());
        TDataBase file(env.path("TTRC.stk"));
        TPriceSeries memory;
        loadSample(file, memory, 1200);
        TDataBaseStatistics onFile(file);
        const char *expressions[] = {
            "CURRENT(CLOSE)", "AVERAGEONDAY(CLOSE,0,50)", "STDONDAY(CLOSE,0,50)", "HIGHEST(HIGH)",
            "LOWEST(LOW)", "STARTING(CLOSE)", "VALUE(VOLUME,10)", "ABS(CURRENT(LOW) - CURRENT(HIGH)) * 100",
        };
        for (const char *e : expressions)
            QCOMPARE(EvaluateExpression(QString::fromLatin1(e), onFile),
                     EvaluateExpression(QString::fromLatin1(e), memory));

        TFunctionRecord function;
        const char *rows[5][4] = {{"", "CURRENT(CLOSE)", ">", "AVERAGEONDAY(CLOSE,0,50)"},
                                  {"And", "STDONDAY(CLOSE,0,50)", "<", "2"},
                                  {"Or", "HIGHEST(HIGH)", ">", "CURRENT(HIGH)"},
                                  {"And", "ABS(CURRENT(LOW) - CURRENT(HIGH))", ">", "0"},
                                  {"And", "STOCKSYMBOL", "=", "\"TTRC\""}};
        for (int i = 0; i < 5; ++i) {
            function.Rows[i].LogicalOperator = QString::fromLatin1(rows[i][0]);
            function.Rows[i].Expression1 = QString::fromLatin1(rows[i][1]);
            function.Rows[i].Comparison = QString::fromLatin1(rows[i][2]);
            function.Rows[i].Expression2 = QString::fromLatin1(rows[i][3]);
        }
        const TConditionTexts texts = ConditionTexts(function);
        QCOMPARE(texts[4].Expression2, QStringLiteral("\"TTRC\""));
        QCOMPARE(EvaluateFunction(function, "TTRC", onFile), EvaluateFunction(texts, "TTRC", memory));
        QCOMPARE(EvaluateFunction(function, "OTHER", onFile), EvaluateFunction(texts, "OTHER", memory));
    }

    // Windows that reach before the first record or past the last one average
    // the records that exist. Before each statistic an unrelated read leaves a
    // different record in the memory buffer, so a window that mixed in the
    // buffer instead of skipping absent records would disagree with the file.
    void randomWindowsAgreeWithThePriceFile_data()
    {
        QTest::addColumn<bool>("limit");
        QTest::addColumn<int>("records");
        QTest::newRow("limit off, short history") << false << 12;
        QTest::newRow("limit on, short history") << true << 12;
        QTest::newRow("limit off, longer history") << false << 90;
        QTest::newRow("limit on, longer history") << true << 90;
        QTest::newRow("single record") << false << 1;
    }
    void randomWindowsAgreeWithThePriceFile()
    {
        QFETCH(bool, limit);
        QFETCH(int, records);
        TTestEnv env;
        LoadConfig();
        ConfigRecord.Statistics.LimitRecords = limit ? 1 : 0;
        ConfigRecord.Statistics.RecordCount = 7;
        QVERIFY(SaveConfig());
        TDataBase file(env.path("TTRC.stk"));
        TPriceSeries memory;
        loadSample(file, memory, records);
        QCOMPARE(memory.LastIndex(), records - 1);

        QRandomGenerator random(20261209u + uint(records) + (limit ? 1u : 0u));
        const QString fields[] = {"HIGH", "LOW", "CLOSE", "VOLUME"};
        for (int round = 0; round < 2000; ++round) {
            const QString field = fields[random.bounded(4)];
            const int skip = random.bounded(-4, records + 6);
            const int count = random.bounded(-2, records + 12);
            // Leave some other record in both buffers first.
            const int other = random.bounded(-3, records + 3);
            file.ValueBack(field, other);
            memory.ValueBack(field, other);
            const bool deviation = random.bounded(2) == 1;
            const double onFile =
                deviation ? file.StdDev(field, skip, count) : file.Average(field, skip, count);
            const double inMemory =
                deviation ? memory.StdDev(field, skip, count) : memory.Average(field, skip, count);
            if (!qFuzzyCompare(1.0 + onFile, 1.0 + inMemory))
                QFAIL(qPrintable(QStringLiteral("%1(%2, %3, %4): file %5, memory %6")
                                     .arg(deviation ? "StdDev" : "Average", field)
                                     .arg(skip)
                                     .arg(count)
                                     .arg(onFile, 0, 'g', 17)
                                     .arg(inMemory, 0, 'g', 17)));
        }
        for (const QString &field : fields) {
            QCOMPARE(memory.StartValue(field), file.StartValue(field));
            QCOMPARE(memory.Lowest(field), file.Lowest(field));
            QCOMPARE(memory.Highest(field), file.Highest(field));
        }
    }

    // A window that starts before the first record averages the records it
    // covers (here the first two closes), whatever was read before.
    void windowBeforeFirstRecordAveragesWhatExists()
    {
        TPriceSeries memory({{0, 0, 10, 0}, {0, 0, 20, 0}, {0, 0, 60, 0}, {0, 0, 99, 0}});
        memory.LastValue("CLOSE");
        QCOMPARE(memory.Average("CLOSE", 1, 10), 15.0);
        QCOMPARE(memory.StdDev("CLOSE", 1, 10), 5.0);
        QCOMPARE(memory.Average("CLOSE", 10, 3), 0.0);
        QCOMPARE(memory.Average("CLOSE", -2, 3), 79.5);
    }

    void emptyPriceFileGivesNumbers()
    {
        TTestEnv env;
        TDataBase file(env.path("EMPTY.stk"));
        TDataBaseStatistics onFile(file);
        QCOMPARE(onFile.LastIndex(), -1);
        QCOMPARE(EvaluateExpression("CURRENT(CLOSE) + HIGHEST(HIGH)", onFile), 0.0);
    }
};

QTEST_GUILESS_MAIN(TestFileScreening)
#include "tst_FileScreening.moc"
