#include "ReportTestData.h"

#include "portfolio/Commission.h"
#include "reports/PositionData.h"
#include "reports/ReportData.h"

#include <QFile>
#include <QtTest>

namespace {

const uint32_t kRed = 0x0000FF;
const QDate kToday(2026, 12, 10); // a Thursday

QString pf()
{
    return QStringLiteral("main");
}

} // namespace

class TestReportData : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { SetRecordFileSync(false); }

    void percentCellsRoundAndRefuseBadBases_data()
    {
        QTest::addColumn<double>("base");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("shown");
        QTest::newRow("rise") << 100.0 << 105.0 << 2 << "5.00%" << 5.0;
        QTest::newRow("all lost") << 250.0 << 0.0 << 2 << "-100.00%" << -100.0;
        QTest::newRow("zero base") << 0.0 << 12.0 << 2 << "N/A" << 0.0;
        QTest::newRow("nan base") << kNaN << 12.0 << 2 << "N/A" << 0.0;
        QTest::newRow("infinite value") << 10.0 << kInf << 3 << "N/A" << 0.0;
        QTest::newRow("rounds to shown") << 100000.0 << 105000.4 << 3 << "5.000%" << 5.0;
        QTest::newRow("tiny fall has no sign") << 100000.0 << 99999.9999 << 3 << "0.000%" << 0.0;
    }
    void percentCellsRoundAndRefuseBadBases()
    {
        QFETCH(double, base);
        QFETCH(double, value);
        QFETCH(int, decimals);
        QFETCH(QString, text);
        QFETCH(double, shown);
        const TPercentCell cell = PercentChangeCell(base, value, decimals);
        QCOMPARE(cell.Text, text);
        QCOMPARE(cell.Value, shown);
        QCOMPARE(cell.Available, text != QLatin1String("N/A"));
    }

    void eachSymbolListedOnceInOrderOfFirstAppearance()
    {
        TTestEnv env;
        MakeFolders(env);
        // Key order puts A's late trade behind A20: "A20210101" > "A2020030101".
        AddTrade(TransactionFilePath(pf()), Trade("A", "20040101", 100, 10, 0));
        AddTrade(TransactionFilePath(pf()), Trade("A20", "20030101", 10, 5, 0));
        AddTrade(TransactionFilePath(pf()), Trade("A", "20210101", 50, 10, 0));
        AddDividend(pf(), "A", "20050101", 7);
        AddPrice("A", "20200101", 20);
        AddPrice("A20", "20200101", 6);

        const TPortfolioRecords records = ReadPortfolioRecords(pf());
        QCOMPARE(records.Symbols, (QStringList{"A", "A20"}));
        QCOMPARE(records.Trades.value("A").size(), 2);

        TReportNames names;
        const TSummaryData summary = ComputeSummary(records, kToday, names);
        QCOMPARE(summary.Lines.size(), 2);
        QCOMPARE(summary.Lines[0].Position.Shares, 150.0);
        QCOMPARE(summary.Lines[0].Position.Dividends, 7.0);
        QCOMPARE(summary.Total.Shares, 160.0);
        QCOMPARE(summary.Total.Value, 150 * 20.0 + 10 * 6.0);

        const TPercentChangeData change = ComputePercentChange(records, QDate(2019, 1, 1), kToday, 0, names);
        QCOMPARE(change.Lines.size(), 2);
        QCOMPARE(change.Total.EndValue, 3060.0);
        QCOMPARE(change.Total.StartValue, 100 * 20.0 + 10 * 6.0);
        QCOMPARE(ComputeDetail(records, kToday, csWeb, names).size(), 2);
    }

    void percentChangeLines_data()
    {
        QTest::addColumn<QString>("buyDate");
        QTest::addColumn<QString>("sellDate");
        QTest::addColumn<double>("threshold");
        QTest::addColumn<double>("startValue");
        QTest::addColumn<double>("endValue");
        QTest::addColumn<QString>("percent");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("red");
        // Closes: 10 until 2026-11-30, 9.40 on 2026-12-01.
        QTest::newRow("fall of six is bold at five")
            << "20260101"
            << "" << 5.0 << 1000.0 << 940.0 << "-6.00%" << true << true;
        QTest::newRow("fall of six not bold at seven")
            << "20260101"
            << "" << 7.0 << 1000.0 << 940.0 << "-6.00%" << false << true;
        QTest::newRow("bought after start") << "20261201"
                                            << "" << 5.0 << 0.0 << 940.0 << "N/A" << false << false;
        QTest::newRow("bought after start, threshold 0")
            << "20261201"
            << "" << 0.0 << 0.0 << 940.0 << "N/A" << true << false;
        QTest::newRow("sold out before end")
            << "20260101"
            << "20261202" << 5.0 << 1000.0 << 0.0 << "-100.00%" << true << true;
    }
    void percentChangeLines()
    {
        QFETCH(QString, buyDate);
        QFETCH(QString, sellDate);
        QFETCH(double, threshold);
        QFETCH(double, startValue);
        QFETCH(double, endValue);
        QFETCH(QString, percent);
        QFETCH(bool, bold);
        QFETCH(bool, red);
        TTestEnv env;
        MakeFolders(env);
        AddPrice("XYZ", "20261130", 10);
        AddPrice("XYZ", "20261201", 9.40);
        AddTrade(TransactionFilePath(pf()), Trade("XYZ", buyDate.toLatin1(), 100, 8, 1));
        if (!sellDate.isEmpty())
            AddTrade(TransactionFilePath(pf()), Trade("XYZ", sellDate.toLatin1(), -100, 9.40, 1));

        const TPercentChangeData data = ComputePercentChange(pf(), QDate(2026, 11, 30), kToday, threshold);
        QCOMPARE(data.Lines.size(), 1);
        const TPercentChangeLine &line = data.Lines[0];
        QCOMPARE(line.StartValue, startValue);
        QCOMPARE(line.EndValue, endValue);
        QCOMPARE(line.Change, endValue - startValue);
        QCOMPARE(line.Percent.Text, percent);
        QCOMPARE(line.Bold, bold);
        QCOMPARE(line.ChangeColor, red ? kRed : 0u);
        QCOMPARE(line.Name, QStringLiteral("XYZ Not On File"));
        QCOMPARE(line.NameColor, kRed);
        // One security: the "Portfolio" line says the same.
        QCOMPARE(data.Total.Name, QStringLiteral("Portfolio"));
        QCOMPARE(data.Total.Percent.Text, percent);
        QCOMPARE(data.Total.Bold, bold);
    }

    void oneDayOnAMondayPricesSundayAtTheCloseFound()
    {
        TTestEnv env;
        MakeFolders(env);
        AddSymbol("XYZ", "Xyz Industries");
        AddPrice("XYZ", "20261204", 10); // Friday
        AddPrice("XYZ", "20261207", 11); // Monday
        AddTrade(TransactionFilePath(pf()), Trade("XYZ", "20261101", 100, 8, 0));
        const QDate monday(2026, 12, 7);
        const TPercentChangeData data = ComputePercentChange(pf(), monday.addDays(-1), monday, 0);
        QCOMPARE(data.Lines.size(), 1);
        QCOMPARE(data.Lines[0].Name, QStringLiteral("XYZ INDUSTRIES"));
        QCOMPARE(data.Lines[0].NameColor, 0u);
        QCOMPARE(data.Lines[0].EndValue, 1100.0);
        // Sunday is not on file: the search stops at Friday or Monday.
        QVERIFY(data.Lines[0].StartValue == 1000.0 || data.Lines[0].StartValue == 1100.0);
    }

    void badNumbersInTheFilesCountAsZero()
    {
        TTestEnv env;
        MakeFolders(env);
        AddPrice("XYZ", "20261201", 10);
        AddPrice("BAD", "20261201", kNaN);
        AddTrade(TransactionFilePath(pf()), Trade("XYZ", "20260101", 100, kNaN, kInf));
        AddTrade(TransactionFilePath(pf()), Trade("BAD", "20260101", 10, 5, 0));
        AddTrade(TransactionFilePath(pf()), Trade("NAN", "20260101", kNaN, 5, 0));
        AddDividend(pf(), "XYZ", "20260601", kNaN);
        TReportNames names;
        const TPortfolioRecords records = ReadPortfolioRecords(pf());
        const TSummaryData summary = ComputeSummary(records, kToday, names);
        QCOMPARE(records.Symbols, (QStringList{"BAD", "NAN", "XYZ"}));
        QCOMPARE(summary.Lines.size(), 3);
        QCOMPARE(summary.Lines[2].Position.Value, 1000.0);
        QCOMPARE(summary.Lines[2].Position.Gain, 1000.0);
        QCOMPARE(summary.Lines[0].Position.Value, 0.0);
        QVERIFY(std::isfinite(summary.Total.Gain));
        QCOMPARE(summary.Total.Dividends, 0.0);
        const QList<TDetailSection> detail = ComputeDetail(records, kToday, csWeb, names);
        for (const TDetailSection &s : detail) {
            QVERIFY(std::isfinite(s.Net));
            QVERIFY(std::isfinite(s.FinalPosition));
        }
        const TPercentChangeData change = ComputePercentChange(records, QDate(2026, 1, 1), kToday, 0, names);
        QCOMPARE(change.Lines[0].Percent.Text, QStringLiteral("N/A"));
        QCOMPARE(change.Lines[1].Percent.Text, QStringLiteral("N/A"));
        QCOMPARE(change.Lines[2].Percent.Text, QStringLiteral("0.00%"));
    }

    void fileNamesThatLeaveTheFolderOpenNoFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("empty") << "";
        QTest::newRow("dot") << ".";
        QTest::newRow("dot dot") << "..";
        QTest::newRow("slash") << "../main";
        QTest::newRow("nul") << QStringLiteral("ma") + QChar(0) + QStringLiteral("in");
    }
    void fileNamesThatLeaveTheFolderOpenNoFile()
    {
        QFETCH(QString, name);
        TTestEnv env;
        MakeFolders(env);
        AddTrade(TransactionFilePath(pf()), Trade("XYZ", "20260101", 100, 8, 0));
        const QStringList before = QDir(env.dir()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        QVERIFY(ReadPortfolioRecords(name).Symbols.isEmpty());
        QCOMPARE(ReportCloseOn(name, "20260101"), 0.0);
        TReportNames names;
        QVERIFY(ComputeDayChanges(name, QDate(2026, 1, 1), kToday, 0, names).Lines.isEmpty());
        QCOMPARE(QDir(env.dir()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
        QVERIFY(!QFile::exists(env.path("port/.tra")));
        QVERIFY(!QFile::exists(env.path("data/..stk")));
    }

    void missingPortfolioFilesGiveNothingAndCreateNothing()
    {
        TTestEnv env;
        MakeFolders(env);
        QVERIFY(ReadPortfolioRecords(pf()).Symbols.isEmpty());
        QVERIFY(!QFile::exists(TransactionFilePath(pf())));
        QVERIFY(!QFile::exists(DividendFilePath(pf())));
        TReportNames names;
        QVERIFY(ComputeDetail(ReadPortfolioRecords(pf()), kToday, csWeb, names).isEmpty());
    }

    void stockChangeLines()
    {
        TTestEnv env;
        MakeFolders(env);
        AddSymbol("AAA", "Alpha");
        AddPrice("AAA", "20261130", 100);
        AddPrice("AAA", "20261210", 94); // fall of 6
        AddPrice("BBB", "20261130", 100);
        AddPrice("BBB", "20261210", 105); // rise of 5
        AddPrice("CCC", "20261130", 100);
        AddPrice("CCC", "20261210", 104.996); // shows 5.00%
        {
            TDataBase empty(PriceFilePath("DDD"));
        } // an empty price file
        AddWatch("AAA", "A Alpha");
        AddWatch("BBB", "B Beta");
        AddWatch("CCC", "C Gamma");
        AddWatch("DDD", "D Delta");
        AddWatch("EEE", "E Epsilon"); // no price file at all
        AddWatch("..", "F Zeta");

        TWatchDatabase watch(WatchListPath());
        TListRecord rec;
        watch.ReadAt(rec, 2);
        const QList<TStockChangeLine> lines =
            ComputeStockPercentChange(watch, QDate(2026, 11, 30), kToday, 5);
        QCOMPARE(watch.CurrentIndex(), 2);
        QCOMPARE(lines.size(), 6);
        QCOMPARE(lines[0].Name, QStringLiteral("ALPHA"));
        QCOMPARE(lines[0].Percent.Text, QStringLiteral("-6.00%"));
        QVERIFY(!lines[0].Bold); // the sign counts in the stock report
        QCOMPARE(lines[1].Percent.Text, QStringLiteral("5.00%"));
        QVERIFY(lines[1].Bold);
        QCOMPARE(lines[2].Percent.Text, QStringLiteral("5.00%"));
        QVERIFY(lines[2].Bold);
        for (int i = 3; i < 6; ++i) {
            QCOMPARE(lines[i].Start, 0.0);
            QCOMPARE(lines[i].End, 0.0);
            QCOMPARE(lines[i].Percent.Text, QStringLiteral("N/A"));
            QVERIFY(!lines[i].Bold);
        }
        QCOMPARE(lines[4].NameColor, kRed);
        QVERIFY(!QFile::exists(PriceFilePath("EEE")));
    }

    void stockReportStartOnAWeekendTakesANeighbour()
    {
        TTestEnv env;
        MakeFolders(env);
        AddPrice("AAA", "20261204", 10); // Friday
        AddPrice("AAA", "20261207", 20); // Monday
        AddPrice("AAA", "20261208", 30);
        AddWatch("AAA", "Alpha");
        TWatchDatabase watch(WatchListPath());
        const QList<TStockChangeLine> lines =
            ComputeStockPercentChange(watch, QDate(2026, 12, 5), QDate(2026, 12, 8), 0);
        QCOMPARE(lines.size(), 1);
        QVERIFY(lines[0].Start == 10 || lines[0].Start == 20);
        QCOMPARE(lines[0].End, 30.0);
    }

    void dayChanges()
    {
        TTestEnv env;
        MakeFolders(env);
        AddDay("XYZ", "20261130", 10, 1000);
        AddDay("XYZ", "20261201", 10.5, 0);       // +5 %: equal to the threshold
        AddDay("XYZ", "20261202", 11.02504, 500); // +5.0004 %: shows 5.000 %
        AddDay("XYZ", "20261203", 9, 600);
        AddDay("XYZ", "20261204", 12, 700); // after the end date
        TReportNames names;
        const TDayChangeSection s =
            ComputeDayChanges("XYZ", QDate(2026, 11, 30), QDate(2026, 12, 3), 5, names);
        QCOMPARE(s.Lines.size(), 4);
        QCOMPARE(s.Lines[0].Date, QStringLiteral("11/30/2026"));
        for (const TPercentCell &p : s.Lines[0].Percent)
            QCOMPARE(p.Text, QStringLiteral("0.000%"));
        QCOMPARE(s.Lines[1].Percent[0].Text, QStringLiteral("5.000%"));
        QVERIFY(!s.Lines[1].Bold);
        QCOMPARE(s.Lines[1].Percent[1].Text, QStringLiteral("-100.000%"));
        QCOMPARE(s.Lines[2].Percent[0].Text, QStringLiteral("5.000%"));
        QVERIFY(!s.Lines[2].Bold);
        QCOMPARE(s.Lines[2].Percent[1].Text, QStringLiteral("N/A")); // the day before had no volume
        QCOMPARE(s.Lines[2].Percent[3].Text, QStringLiteral("-50.000%"));
        QCOMPARE(s.Lines[3].Percent[0].Text, QStringLiteral("-18.368%"));
        QVERIFY(s.Lines[3].Bold);
        QCOMPARE(s.Lines[3].Percent[2].Text, QStringLiteral("-10.000%"));
    }

    void dayChangesOfAnEmptyOrMissingHistory()
    {
        TTestEnv env;
        MakeFolders(env);
        {
            TDataBase empty(PriceFilePath("EMP"));
        }
        TReportNames names;
        QVERIFY(ComputeDayChanges("EMP", QDate(2026, 1, 1), kToday, 0, names).Lines.isEmpty());
        QVERIFY(ComputeDayChanges("MIS", QDate(2026, 1, 1), kToday, 0, names).Lines.isEmpty());
        QVERIFY(!QFile::exists(PriceFilePath("MIS")));
    }

    void datesOutOfOrderOrInvalidGiveNoDays_data()
    {
        QTest::addColumn<QDate>("start");
        QTest::addColumn<QDate>("end");
        QTest::newRow("end before start") << QDate(2026, 12, 3) << QDate(2026, 12, 1);
        QTest::newRow("invalid start") << QDate() << QDate(2026, 12, 3);
        QTest::newRow("invalid end") << QDate(2026, 12, 1) << QDate();
    }
    void datesOutOfOrderOrInvalidGiveNoDays()
    {
        QFETCH(QDate, start);
        QFETCH(QDate, end);
        TTestEnv env;
        MakeFolders(env);
        AddDay("XYZ", "20261201", 10, 100);
        AddDay("XYZ", "20261202", 11, 100);
        AddTrade(TransactionFilePath(pf()), Trade("XYZ", "20260101", 10, 8, 0));
        TReportNames names;
        QVERIFY(ComputeDayChanges("XYZ", start, end, 0, names).Lines.isEmpty());
        const TPercentChangeData data = ComputePercentChange(pf(), start, end, 0);
        QCOMPARE(data.Lines.size(), 1);
        QVERIFY(std::isfinite(data.Total.Change));
    }

    void summaryGainRedOnlyWhenNegative()
    {
        TTestEnv env;
        MakeFolders(env);
        AddPrice("UP", "20261201", 12);
        AddPrice("DN", "20261201", 8);
        AddTrade(TransactionFilePath(pf()), Trade("UP", "20260101", 100, 10, 0));
        AddTrade(TransactionFilePath(pf()), Trade("DN", "20260101", 100, 10, 0));
        TReportNames names;
        const TSummaryData s = ComputeSummary(ReadPortfolioRecords(pf()), kToday, names);
        QCOMPARE(s.Lines.size(), 2);
        const TSummaryLine &dn = s.Lines[0].Symbol == "DN" ? s.Lines[0] : s.Lines[1];
        const TSummaryLine &up = s.Lines[0].Symbol == "UP" ? s.Lines[0] : s.Lines[1];
        QCOMPARE(dn.Position.Gain, -200.0);
        QCOMPARE(dn.GainColor, kRed);
        QCOMPARE(up.Position.Gain, 200.0);
        QCOMPARE(up.GainColor, 0u);
        QCOMPARE(s.Total.Gain, 0.0);
    }

    void detailClosingSaleAndReturn()
    {
        TTestEnv env;
        MakeFolders(env);
        AddPrice("XYZ", "20261201", 12);
        AddTrade(TransactionFilePath(pf()), Trade("XYZ", "20260105", 100, 10, 5));
        TReportNames names;
        const QList<TDetailSection> d = ComputeDetail(ReadPortfolioRecords(pf()), kToday, csWeb, names);
        QCOMPARE(d.size(), 1);
        const TDetailSection &s = d[0];
        QCOMPARE(s.Trades.size(), 2);
        QCOMPARE(s.Trades[0].Date, QStringLiteral("01/05/2026"));
        QVERIFY(s.Trades[0].Bought);
        QCOMPARE(s.Trades[0].Amount, -1005.0);
        QVERIFY(s.ClosingSale);
        const TDetailTrade &close = s.Trades[1];
        QCOMPARE(close.Date, QStringLiteral("12/10/2026"));
        QVERIFY(!close.Bought);
        QCOMPARE(close.Shares, 100.0);
        QCOMPARE(close.Price, 12.0);
        QCOMPARE(close.Fee, 29.95); // the web schedule for 100 shares
        QCOMPARE(close.Amount, 1200 - 29.95);
        QVERIFY(qFuzzyCompare(s.Net, 1200 - 29.95 - 1005));
        QCOMPARE(s.Bought, 1005.0);
        QCOMPARE(s.Return.Text, QStringLiteral("16.42%"));
        QVERIFY(qFuzzyCompare(s.FinalPosition, s.Net));
    }

    void detailFullySoldHasNoClosingSale()
    {
        TTestEnv env;
        MakeFolders(env);
        AddPrice("XYZ", "20261201", 12);
        AddTrade(TransactionFilePath(pf()), Trade("XYZ", "20260105", 100, 10, 0));
        AddTrade(TransactionFilePath(pf()), Trade("XYZ", "20260605", -100, 11, 0));
        TReportNames names;
        const QList<TDetailSection> d = ComputeDetail(ReadPortfolioRecords(pf()), kToday, csWeb, names);
        QCOMPARE(d[0].Trades.size(), 2);
        QVERIFY(!d[0].ClosingSale);
        QCOMPARE(d[0].Sold, 1100.0);
        QCOMPARE(d[0].Return.Text, QStringLiteral("10.00%"));
    }

    void aSaleWhoseFeeExceedsItsProceedsLowersTheReturn()
    {
        TTestEnv env;
        MakeFolders(env);
        AddTrade(TransactionFilePath(pf()), Trade("XYZ", "20260105", 100, 10, 0));
        AddTrade(TransactionFilePath(pf()), Trade("XYZ", "20260605", -50, 20, 0));
        AddTrade(TransactionFilePath(pf()), Trade("XYZ", "20260705", -50, 0.01, 20.5)); // costs 20
        TReportNames names;
        const QList<TDetailSection> d = ComputeDetail(ReadPortfolioRecords(pf()), kToday, csWeb, names);
        QCOMPARE(d[0].Sold, 980.0);
        QCOMPARE(d[0].Net, -20.0);
        QCOMPARE(d[0].Return.Text, QStringLiteral("-2.00%"));
    }

    void detailDividendsListedAllTotalledUpToToday()
    {
        TTestEnv env;
        MakeFolders(env);
        AddTrade(TransactionFilePath(pf()), Trade("XYZ", "20260105", 10, 10, 0));
        AddTrade(TransactionFilePath(pf()), Trade("XYZ", "20260205", -10, 10, 0));
        AddDividend(pf(), "XYZ", "20260301", 4);
        AddDividend(pf(), "OTH", "20260301", 99);
        AddDividend(pf(), "XYZ", "20260601", -1.5);
        AddDividend(pf(), "XYZ", "20270101", 3); // after today: listed, not totalled
        TReportNames names;
        const QList<TDetailSection> d = ComputeDetail(ReadPortfolioRecords(pf()), kToday, csWeb, names);
        QCOMPARE(d.size(), 1);
        QCOMPARE(d[0].DividendEntries.size(), 3);
        QVERIFY(d[0].DividendEntries[0].Received);
        QVERIFY(!d[0].DividendEntries[1].Received);
        QCOMPARE(d[0].DividendEntries[1].Amount, 1.5);
        QCOMPARE(d[0].Dividends, 2.5);
        QCOMPARE(d[0].FinalPosition, 2.5);
        QCOMPARE(d[0].Return.Text, QStringLiteral("2.50%"));
    }

    void detailWithoutPurchasesHasNoReturn()
    {
        TTestEnv env;
        MakeFolders(env);
        AddTrade(TransactionFilePath(pf()), Trade("XYZ", "20260105", -10, 10, 0));
        TReportNames names;
        const QList<TDetailSection> d = ComputeDetail(ReadPortfolioRecords(pf()), kToday, csWeb, names);
        QCOMPARE(d[0].Return.Text, QStringLiteral("N/A"));
        QVERIFY(!d[0].ClosingSale);
    }
};

QTEST_GUILESS_MAIN(TestReportData)
#include "tst_ReportData.moc"
