#include "LinePage.h"
#include "ReportTestData.h"

#include "reports/PercentChangeReports.h"
#include "reports/PositionReports.h"
#include "reports/ReportRuns.h"
#include "reports/Reports.h"

#include <QFontMetrics>

#include <QtTest>

namespace {

const uint32_t kRed = 0x0000FF;
const QString kSubject = QStringLiteral("Portfolio Main");
const QString kFile = QStringLiteral("main");
// Lines 0 to 2 of every page are the page header; a report starts on line 3.
constexpr int kFirst = 3;

void pinToday(TTestEnv &env)
{
    env.pinClock(QDateTime(QDate(2026, 12, 10), QTime(10, 0)));
}

const TRecordedItem *recorded(const TRecordingTarget &rec, const QString &text, int nth = 0)
{
    for (const TRecordedItem &i : rec.items)
        if (i.kind == TRecordedItem::Text && i.text == text && nth-- == 0)
            return &i;
    return nullptr;
}

TPercentChangeInputs inputs(double threshold, QDate start = QDate(2026, 11, 30),
                            QDate end = QDate(2026, 12, 10))
{
    return {kSubject, threshold, start, end, kFile};
}

} // namespace

class TestReportLayouts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { SetRecordFileSync(false); }

    void summaryLinesTotalAndColours()
    {
        TTestEnv env;
        pinToday(env);
        MakeFolders(env);
        AddSymbol("UP", "UP CORP");
        AddPrice("UP", "20261201", 12);
        AddPrice("DN", "20261201", 8);
        AddTrade(TransactionFilePath(kFile), Trade("UP", "20260101", 100, 10, 0));
        AddTrade(TransactionFilePath(kFile), Trade("DN", "20260101", 100, 10, 0));
        TLinePage page;
        TSummaryReport(page, kSubject, kFile).Write();

        QCOMPARE(page.texts(1, kFirst), (QStringList{"Position Summary@0.5", "Printed: 12/10/2026@8>"}));
        QCOMPARE(page.texts(1, kFirst + 1), (QStringList{"Portfolio Main@0.5", "Page:@7.5>", "1@8>"}));
        QCOMPARE(page.texts(1, kFirst + 2),
                 (QStringList{"Issue@0.75", "Shares@3", "Dividends@4", "Holdings@5.25", "Position@6.75"}));
        QCOMPARE(page.kinds(1, kFirst + 2).mid(0, 3),
                 (QStringList{"shade 0.5-8", "top 0.5-8", "bottom 0.5-8"}));
        QCOMPARE(page.rules(1, kFirst + 2), (QList<double>{0.5, 8, 2.95, 3.95, 5.2, 6.7}));
        QCOMPARE(page.texts(1, kFirst + 3), (QStringList{"DN Not On File@0.52", "100.00@3.9>", "$0.00@5.15>",
                                                         "$800.00@6.65>", "($200.00)@7.95>"}));
        QCOMPARE(page.find("DN Not On File")->colour, kRed);
        QCOMPARE(page.find("$800.00")->colour, 0u);
        QCOMPARE(page.find("($200.00)")->colour, kRed);
        QCOMPARE(page.texts(1, kFirst + 4), (QStringList{"UP CORP@0.52", "100.00@3.9>", "$0.00@5.15>",
                                                         "$1,200.00@6.65>", "$200.00@7.95>"}));
        QCOMPARE(page.find("$200.00")->colour, 0u);
        // The total line is black even though the line before it ended in red.
        QCOMPARE(page.texts(1, kFirst + 5),
                 (QStringList{"Total@0.75", "200.00@3.9>", "$0.00@5.15>", "$2,000.00@6.65>", "$0.00@7.95>"}));
        QCOMPARE(page.find("Total")->colour, 0u);
        QCOMPARE(page.find("$0.00", 2)->colour, 0u);
    }

    void summaryTotalGainRedWhenALoss()
    {
        TTestEnv env;
        pinToday(env);
        MakeFolders(env);
        AddPrice("DN", "20261201", 8);
        AddTrade(TransactionFilePath(kFile), Trade("DN", "20260101", 100, 10, 0));
        TLinePage page;
        TSummaryReport(page, kSubject, kFile).Write();
        const QStringList total = page.texts(1, kFirst + 4);
        QCOMPARE(total.first(), QStringLiteral("Total@0.75"));
        QCOMPARE(page.find("Total")->colour, 0u);
        QCOMPARE(page.find("$800.00", 1)->colour, 0u);
        QCOMPARE(page.find("($200.00)", 1)->colour, kRed);
    }

    void summaryRepeatsItsHeadingButNotBeforeTheTotal_data()
    {
        QTest::addColumn<int>("securities");
        QTest::addColumn<int>("totalPage");
        QTest::addColumn<int>("totalLine");
        // Ten lines a page: lines 6 to 8 take data; the heading fills 3 to 5.
        QTest::newRow("total below the data") << 5 << 2 << 8;
        QTest::newRow("total alone on a new page") << 6 << 3 << kFirst;
    }
    void summaryRepeatsItsHeadingButNotBeforeTheTotal()
    {
        QFETCH(int, securities);
        QFETCH(int, totalPage);
        QFETCH(int, totalLine);
        TTestEnv env;
        pinToday(env);
        MakeFolders(env);
        const char *symbols[] = {"A", "B", "C", "D", "E", "F"};
        for (int i = 0; i < securities; ++i)
            AddTrade(TransactionFilePath(kFile), Trade(symbols[i], "20260101", 1, 1, 0));
        TLinePage page(10);
        TSummaryReport(page, kSubject, kFile).Write();
        QCOMPARE(page.count("Position Summary"), 2);
        QCOMPARE(page.texts(2, kFirst + 1), (QStringList{"Portfolio Main@0.5", "Page:@7.5>", "2@8>"}));
        QCOMPARE(page.texts(2, kFirst + 3).first(), QStringLiteral("D Not On File@0.52"));
        QCOMPARE(page.find("Total")->page, totalPage);
        QCOMPARE(page.find("Total")->line, totalLine);
        QCOMPARE(page.lastLine(totalPage), totalLine);
    }

    void detailTradesClosingSaleResultAndEmptyDividendTable()
    {
        TTestEnv env;
        pinToday(env);
        MakeFolders(env);
        AddPrice("XYZ", "20261201", 12);
        AddTrade(TransactionFilePath(kFile), Trade("XYZ", "20260105", 100, 10, 5));
        TLinePage page;
        TDetailReport(page, kSubject, kFile).Write();

        // The summary fills page 1; the security starts page 2.
        QCOMPARE(page.find("Position Summary")->page, 1);
        QCOMPARE(page.texts(2, kFirst),
                 (QStringList{"Issue:@0.5", "XYZ Not On File@1", "Printed: 12/10/2026@8>"}));
        QCOMPARE(page.find("XYZ Not On File", 1)->colour, kRed);
        QCOMPARE(page.find("Printed: 12/10/2026", 1)->colour, 0u);
        QCOMPARE(page.texts(2, kFirst + 1), (QStringList{"Portfolio Main@0.5", "Page:@7.5>", "2@8>"}));
        QCOMPARE(page.texts(2, kFirst + 2), (QStringList{"Date@0.55", "Status@1.55", "Shares@2.05",
                                                         "Price@3.55", "Fee@5.05", "Total@6.55"}));
        QCOMPARE(page.rules(2, kFirst + 2), (QList<double>{0.5, 8, 1.5, 2, 3.5, 5, 6.5}));
        QCOMPARE(page.texts(2, kFirst + 3),
                 (QStringList{"01/05/2026@0.55", "Bought@1.55", "100.0000@3.45>", "$10.00@4.95>",
                              "$5.00@6.45>", "($1,005.00)@7.95>"}));
        QCOMPARE(page.texts(2, kFirst + 4), (QStringList{"12/10/2026@0.55", "Sold@1.55", "100.0000@3.45>",
                                                         "$12.00@4.95>", "$29.95@6.45>", "$1,170.05@7.95>"}));
        QCOMPARE(page.kinds(2, kFirst + 4),
                 (QStringList{"vrule 0-0.5", "vrule 0-8", "vrule 0-1.5", "vrule 0-2", "vrule 0-3.5",
                              "vrule 0-5", "vrule 0-6.5", "bottom 0.5-8"}));
        QCOMPARE(page.texts(2, kFirst + 5), (QStringList{"Net On Trades:@6.45>", "$165.05@7.95>"}));
        QCOMPARE(page.texts(2, kFirst + 6), (QStringList{"Total Dividends:@6.45>", "$0.00@7.95>"}));
        QCOMPARE(page.kinds(2, kFirst + 6), (QStringList{"bottom 6.5-8"}));
        QCOMPARE(page.texts(2, kFirst + 7),
                 (QStringList{"$165.05@7.95>", "Final Position:@4.95>", "16.42%@6.5>"}));
        QCOMPARE(page.texts(2, kFirst + 10), (QStringList{"XYZ Not On File Dividends@0.5-7.5"}));
        QCOMPARE(page.texts(2, kFirst + 11), (QStringList{"Date@0.55", "Status@1.55", "Dividend@2.55",
                                                          "Date@4.05", "Status@5.05", "Dividend@6.05"}));
        QCOMPARE(page.kinds(2, kFirst + 12), (QStringList{"top 0.5-7.5"}));
        QCOMPARE(page.texts(2, kFirst + 13), (QStringList{"Total Dividends: $0.00@0.5-7.5"}));
        QCOMPARE(page.lastLine(2), kFirst + 13);
        for (const TLineItem &i : page.items)
            if (i.page == 2 && i.line >= kFirst + 3 && i.line <= kFirst + 4)
                QVERIFY(i.colour == 0 && !i.bold);
    }

    void detailThreeDividendsOnTwoLinesAndEachSecurityOnItsOwnPage()
    {
        TTestEnv env;
        pinToday(env);
        MakeFolders(env);
        AddTrade(TransactionFilePath(kFile), Trade("AAA", "20260105", 10, 10, 0));
        AddTrade(TransactionFilePath(kFile), Trade("AAA", "20260205", -10, 10, 0));
        AddTrade(TransactionFilePath(kFile), Trade("BBB", "20260105", 10, 10, 0));
        AddTrade(TransactionFilePath(kFile), Trade("BBB", "20260205", -10, 10, 0));
        AddDividend(kFile, "AAA", "20260301", 1);
        AddDividend(kFile, "AAA", "20260401", -2);
        AddDividend(kFile, "AAA", "20260501", 3);
        TLinePage page;
        TDetailReport(page, kSubject, kFile).Write();

        QCOMPARE(page.find("AAA Not On File", 1)->page, 2);
        QCOMPARE(page.find("BBB Not On File", 1)->page, 3);
        // Two trades, no closing sale: the table starts three lines further up.
        const int table = kFirst + 12;
        QCOMPARE(page.texts(2, table), (QStringList{"03/01/2026@0.55", "Received@1.55", "$1.00@4>",
                                                    "04/01/2026@4.05", "Distributed@5.05", "$2.00@7.5>"}));
        QCOMPARE(page.rules(2, table), (QList<double>{0.5, 7.5, 1.5, 2.5, 4, 5, 6}));
        QCOMPARE(page.texts(2, table + 1), (QStringList{"05/01/2026@0.55", "Received@1.55", "$3.00@4>"}));
        QCOMPARE(page.kinds(2, table + 2), (QStringList{"top 0.5-7.5"}));
        QCOMPARE(page.texts(2, table + 3), (QStringList{"Total Dividends: $2.00@0.5-7.5"}));
        QCOMPARE(page.lastLine(2), table + 3);
    }

    void detailRepeatsTheSectionHeadingOnANewPage()
    {
        TTestEnv env;
        pinToday(env);
        MakeFolders(env);
        for (int d = 1; d <= 8; ++d)
            AddTrade(
                TransactionFilePath(kFile),
                Trade("XYZ", QStringLiteral("202601%1").arg(d, 2, 10, QLatin1Char('0')).toLatin1(), 1, 1, 0));
        AddTrade(TransactionFilePath(kFile), Trade("XYZ", "20260201", -8, 1, 0));
        TLinePage page(12);
        TDetailReport(page, kSubject, kFile).Write();
        // Page 2 holds trades on lines 6 to 10; page 3 repeats the heading.
        QCOMPARE(page.texts(3, kFirst),
                 (QStringList{"Issue:@0.5", "XYZ Not On File@1", "Printed: 12/10/2026@8>"}));
        QCOMPARE(page.texts(3, kFirst + 1), (QStringList{"Portfolio Main@0.5", "Page:@7.5>", "3@8>"}));
        QCOMPARE(page.texts(3, kFirst + 3).first(), QStringLiteral("01/06/2026@0.55"));
        QCOMPARE(page.count("Net On Trades:"), 1);
    }

    void detailOfAPortfolioWithoutTransactionsIsTheSummaryAlone()
    {
        TTestEnv env;
        pinToday(env);
        MakeFolders(env);
        TLinePage page;
        TDetailReport(page, kSubject, kFile).Write();
        QCOMPARE(page.PageNumber(), 1);
        QCOMPARE(page.count("Net On Trades:"), 0);
        QCOMPARE(page.texts(1, kFirst + 3).first(), QStringLiteral("Total@0.75"));
    }

    void percentChangeLinesBoldRedAndTotal()
    {
        TTestEnv env;
        pinToday(env);
        MakeFolders(env);
        AddPrice("XYZ", "20261130", 10);
        AddPrice("XYZ", "20261201", 9.40);
        AddPrice("NEW", "20261201", 5);
        AddTrade(TransactionFilePath(kFile), Trade("XYZ", "20260101", 100, 8, 1));
        AddTrade(TransactionFilePath(kFile), Trade("NEW", "20261201", 10, 5, 0));
        TLinePage page;
        TPercentChangeReport(page, inputs(5)).Write();

        QCOMPARE(page.texts(1, kFirst),
                 (QStringList{"Precent Change In Stocks@0.5", "Printed: 12/10/2026@8>"}));
        QCOMPARE(page.texts(1, kFirst + 2), (QStringList{"Issue@0.55", "Holdings On@3", "Holdings On@4.25",
                                                         "Dollar@5.5", "Precent@6.75"}));
        QCOMPARE(page.texts(1, kFirst + 3),
                 (QStringList{"11/30/2026@3", "12/10/2026@4.25", "Change@5.5", "Change@6.75"}));
        QCOMPARE(page.kinds(1, kFirst + 3).first(), QStringLiteral("shade 0.5-8"));
        QVERIFY(page.kinds(1, kFirst + 3).contains("bottom 0.5-8"));
        QCOMPARE(page.texts(1, kFirst + 4),
                 (QStringList{"NEW Not On File@0.55", "$0.00@3", "$50.00@4.25", "$50.00@5.5", "N/A@6.75"}));
        QVERIFY(!page.find("N/A")->bold);
        QCOMPARE(page.texts(1, kFirst + 5), (QStringList{"XYZ Not On File@0.55", "$1,000.00@3",
                                                         "$940.00@4.25", "($60.00)@5.5", "-6.00%@6.75"}));
        const TLineItem *fall = page.find("-6.00%");
        QVERIFY(fall->bold);
        QCOMPARE(fall->colour, kRed);
        QVERIFY(page.find("$940.00")->bold);
        QCOMPARE(page.find("$940.00")->colour, 0u);
        QCOMPARE(page.texts(1, kFirst + 6), (QStringList{"Portfolio@0.55", "$1,000.00@3", "$990.00@4.25",
                                                         "($10.00)@5.5", "-1.00%@6.75"}));
        QVERIFY(!page.find("Portfolio")->bold);
        QCOMPARE(page.find("($10.00)")->colour, kRed);
    }

    void stockReportHeadingOnceNumbersRightAlignedAndBlack()
    {
        TTestEnv env;
        pinToday(env);
        MakeFolders(env);
        AddPrice("AAA", "20261130", 100);
        AddPrice("AAA", "20261210", 94);
        AddPrice("BBB", "20261130", 100);
        AddPrice("BBB", "20261210", 105);
        for (const char *s : {"AAA", "BBB", "CCC", "DDD", "EEE", "FFF"})
            AddWatch(s, s);
        TWatchDatabase watch(WatchListPath());
        TLinePage page(10);
        TStockPercentChangeReport(page, watch, 5, QDate(2026, 11, 30), QDate(2026, 12, 10)).Write();

        QCOMPARE(page.texts(1, kFirst + 1), (QStringList{"Page:@7.5>", "1@8>"}));
        QCOMPARE(page.texts(1, kFirst + 2),
                 (QStringList{"Issue@0.55", "Price On@3", "Price On@4.25", "Dollar@5.5", "Precent@6.75"}));
        QCOMPARE(page.texts(1, kFirst + 4), (QStringList{"AAA Not On File@0.55", "$100.00@4.15>",
                                                         "$94.00@5.4>", "($6.00)@6.65>", "-6.00%@7.95>"}));
        QVERIFY(!page.find("-6.00%")->bold);
        QCOMPARE(page.find("($6.00)")->colour, 0u);
        QVERIFY(page.find("5.00%")->bold);
        // Lines 7 and 8 take data; page 2 carries lines without a heading.
        QCOMPARE(page.count("Precent Change In Stocks"), 1);
        QCOMPARE(page.texts(2, kFirst), (QStringList{"CCC Not On File@0.55", "$0.00@4.15>", "$0.00@5.4>",
                                                     "$0.00@6.65>", "N/A@7.95>"}));
        QCOMPARE(page.kinds(2, kFirst + 4), (QStringList{"top 0.5-8"}));
        QCOMPARE(page.lastLine(2), kFirst + 4);
    }

    void percentChangeDetailSectionsPerSecurity()
    {
        TTestEnv env;
        pinToday(env);
        MakeFolders(env);
        AddDay("XYZ", "20261130", 10, 1000);
        AddDay("XYZ", "20261201", 10.5, 1100);
        AddDay("XYZ", "20261202", 9.5, 900);
        AddDay("ABC", "20261130", 20, 100);
        AddTrade(TransactionFilePath(kFile), Trade("XYZ", "20260101", 100, 8, 1));
        AddTrade(TransactionFilePath(kFile), Trade("ABC", "20260101", 1, 8, 1));
        TLinePage page;
        TPercentChangeReportDetail(page, inputs(5, QDate(2026, 11, 30), QDate(2026, 12, 2))).Write();

        QCOMPARE(page.PageNumber(), 3);
        QCOMPARE(page.texts(2, kFirst + 2), (QStringList{"Issue: ABC Not On File@0.55"}));
        QCOMPARE(page.texts(3, kFirst + 2), (QStringList{"Issue: XYZ Not On File@0.55"}));
        QCOMPARE(page.texts(3, kFirst + 3),
                 (QStringList{"Current@1.5-3.75", "Precent Change@3.75-6", "Total Precent Change@6-8"}));
        QCOMPARE(page.texts(3, kFirst + 4),
                 (QStringList{"Date@0.5-1.5", "Price@1.5-2.625", "Volume@2.625-3.75", "Price@3.75-4.875",
                              "Volume@4.875-6", "Price@6-7.125", "Volume@7.125-8"}));
        QCOMPARE(page.texts(3, kFirst + 5),
                 (QStringList{"11/30/2026@0.5-1.5", "$10.0000@1.5-2.625", "1000@2.625-3.75",
                              "0.000%@3.75-4.875", "0.000%@4.875-6", "0.000%@6-7.125", "0.000%@7.125-8"}));
        QCOMPARE(page.rules(3, kFirst + 5), (QList<double>{0.5, 8, 1.5, 2.625, 3.75, 4.875, 6, 7.125}));
        // 5.000 % equals the threshold: not bold.
        QVERIFY(!page.find("5.000%")->bold);
        const TLineItem *fall = page.find("-9.524%");
        QVERIFY(fall->bold);
        QCOMPARE(fall->colour, kRed);
        QCOMPARE(page.find("-5.000%")->colour, kRed); // from the first day
        QCOMPARE(page.kinds(3, kFirst + 7).last(), QStringLiteral("bottom 0.5-8"));
        QCOMPARE(page.lastLine(3), kFirst + 7);
    }

    void percentChangeDetailRepeatsTheSectionHeading()
    {
        TTestEnv env;
        pinToday(env);
        MakeFolders(env);
        for (int d = 1; d <= 9; ++d)
            AddDay("XYZ", QStringLiteral("202611%1").arg(d, 2, 10, QLatin1Char('0')).toLatin1(), 10 + d, 100);
        AddTrade(TransactionFilePath(kFile), Trade("XYZ", "20260101", 100, 8, 1));
        TLinePage page(12);
        TPercentChangeReportDetail(page, inputs(5, QDate(2026, 11, 1), QDate(2026, 11, 9))).Write();
        // Page 2: heading lines 3 to 7, days on 8 to 10; page 3 repeats it.
        QCOMPARE(page.texts(3, kFirst + 2), (QStringList{"Issue: XYZ Not On File@0.55"}));
        QCOMPARE(page.texts(3, kFirst + 1), (QStringList{"Portfolio Main@0.5", "Page:@7.5>", "3@8>"}));
        QCOMPARE(page.texts(3, kFirst + 5).first(), QStringLiteral("11/04/2026@0.5-1.5"));
    }

    void thresholdOfThePercentText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("threshold");
        QTest::newRow("whole") << "5" << 5.0;
        QTest::newRow("negative") << "-3" << -3.0;
        QTest::newRow("cleared") << "" << 0.0;
        QTest::newRow("no number") << "five" << 0.0;
    }
    void thresholdOfThePercentText()
    {
        QFETCH(QString, text);
        QFETCH(double, threshold);
        QCOMPARE(ThresholdFromText(text), threshold);
    }

    void oneDayOnAMondayComparesSundayWithMonday()
    {
        TTestEnv env;
        env.pinClock(QDateTime(QDate(2026, 12, 7), QTime(9, 0))); // a Monday
        MakeFolders(env);
        AddPrice("XYZ", "20261204", 10); // Friday
        AddPrice("XYZ", "20261207", 11);
        AddTrade(TransactionFilePath(kFile), Trade("XYZ", "20260101", 100, 8, 0));
        TLinePage page;
        TPortfolioReportRequest r;
        r.Kind = TPortfolioReportKind::OneDay;
        r.Caption = kSubject;
        r.FileName = kFile;
        r.Start = QDate(2000, 1, 1); // the dialog's dates are not used
        r.End = QDate(2000, 1, 2);
        WritePortfolioReport(page, r);
        QCOMPARE(page.texts(1, kFirst + 3),
                 (QStringList{"12/06/2026@3", "12/07/2026@4.25", "Change@5.5", "Change@6.75"}));
        QCOMPARE(page.texts(1, kFirst + 4).mid(2, 1), (QStringList{"$1,100.00@4.25"}));
    }

    void eachChoiceWritesItsReport_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("pages");
        QTest::newRow("summary") << int(TPortfolioReportKind::Summary) << "Position Summary" << 1;
        QTest::newRow("detail") << int(TPortfolioReportKind::Detail) << "Position Summary" << 2;
        QTest::newRow("range summary")
            << int(TPortfolioReportKind::RangeSummary) << "Precent Change In Stocks" << 1;
        QTest::newRow("range detail")
            << int(TPortfolioReportKind::RangeDetail) << "Precent Change In Stocks" << 2;
    }
    void eachChoiceWritesItsReport()
    {
        QFETCH(int, kind);
        QFETCH(QString, title);
        QFETCH(int, pages);
        TTestEnv env;
        pinToday(env);
        MakeFolders(env);
        AddDay("XYZ", "20261201", 10, 100);
        AddTrade(TransactionFilePath(kFile), Trade("XYZ", "20260101", 100, 8, 0));
        TLinePage page;
        WritePortfolioReport(
            page, {TPortfolioReportKind(kind), kSubject, kFile, 0, QDate(2026, 11, 1), QDate(2026, 12, 10)});
        QCOMPARE(page.texts(1, kFirst).first(), title + QStringLiteral("@0.5"));
        QCOMPARE(page.PageNumber(), pages);
    }

    void stockChoicesOneDayAndDetail()
    {
        TTestEnv env;
        pinToday(env);
        MakeFolders(env);
        AddDay("AAA", "20261209", 10, 100);
        AddDay("AAA", "20261210", 11, 100);
        AddWatch("AAA", "AAA");
        AddWatch("BBB", "BBB");
        TWatchDatabase watch(WatchListPath());
        {
            TLinePage page;
            WriteStockReport(page, TStockReportKind::OneDay, watch, 5, QDate(2000, 1, 1), QDate(2000, 1, 1));
            QCOMPARE(page.texts(1, kFirst + 3).mid(0, 2), (QStringList{"12/09/2026@3", "12/10/2026@4.25"}));
            QCOMPARE(page.find("10.00%")->page, 1);
            QCOMPARE(page.PageNumber(), 1);
        }
        TLinePage page;
        WriteStockReport(page, TStockReportKind::RangeDetail, watch, 5, QDate(2026, 12, 9),
                         QDate(2026, 12, 10));
        QCOMPARE(page.PageNumber(), 3);
        QCOMPARE(page.texts(2, kFirst + 2), (QStringList{"Issue: AAA Not On File@0.55"}));
        QCOMPARE(page.texts(2, kFirst + 1), (QStringList{"Page:@7.5>", "2@8>"}));
        QVERIFY(page.find("10.000%")->bold);
        QCOMPARE(page.texts(3, kFirst + 2), (QStringList{"Issue: BBB Not On File@0.55"}));
    }

    void summaryOnThePageModelAtScreenResolution()
    {
        TTestEnv env;
        pinToday(env);
        MakeFolders(env);
        AddPrice("DN", "20261201", 8);
        AddTrade(TransactionFilePath(kFile), Trade("DN", "20260101", 100, 10, 0));
        TRecordingTarget rec(96);
        TReports page;
        QVERIFY(page.Begin(&rec, nullptr));
        TSummaryReport(page, kSubject, kFile).Write();
        QVERIFY(page.End());

        const TRecordedItem *total = recorded(rec, "Total");
        QVERIFY(total);
        QCOMPARE(total->x, 72); // 0.75 in
        QCOMPARE(total->colour, QColor(Qt::black));
        QVERIFY(!total->bold);
        const TRecordedItem *loss = recorded(rec, "($200.00)", 1);
        QCOMPARE(loss->colour, QColor(Qt::red));
        // Right-aligned at 7.95 in: the text ends at pixel 763.
        QFont font(QStringLiteral("Times New Roman"));
        font.setPixelSize(loss->pixelSize);
        QCOMPARE(loss->x + QFontMetrics(font).horizontalAdvance(loss->text), 763);
        const TRecordedItem *name = recorded(rec, "DN Not On File");
        QCOMPARE(name->x, 49); // trunc(0.52 × 96)
        QCOMPARE(name->colour, QColor(Qt::red));
        // The data line lies one line below the column titles.
        QCOMPARE(name->y - recorded(rec, "Issue")->y, page.LineHeight());
    }

    // The text offset grows with the resolution (0 at 96 ppi, 18 at 600 for
    // 10 pt); the line must still hold the whole text, or the rule under a
    // line cuts through its descenders on paper.
    void textStaysInsideItsLineAtEveryResolution_data()
    {
        QTest::addColumn<int>("ppi");
        QTest::addColumn<int>("offset");
        QTest::newRow("screen") << 96 << 0;
        QTest::newRow("600") << 600 << 18;
        QTest::newRow("1200") << 1200 << 39;
    }
    void textStaysInsideItsLineAtEveryResolution()
    {
        QFETCH(int, ppi);
        QFETCH(int, offset);
        TRecordingTarget rec(ppi, 0, ppi * 17 / 2, ppi * 11);
        TReports page;
        QVERIFY(page.Begin(&rec, nullptr));
        page.SetFont(10, 0, false);
        QCOMPARE(page.TextOffset(), offset);
        QFont font(QStringLiteral("Times New Roman"));
        font.setPixelSize(std::max(1, int(std::lround(10.0 * ppi / 72))));
        QVERIFY(page.LineHeight() >= offset + QFontMetrics(font).height() - 1);
        QVERIFY(page.End());
    }

    void detailOnThePageModelGivesEachSecurityItsPages()
    {
        TTestEnv env;
        pinToday(env);
        MakeFolders(env);
        for (int d = 1; d <= 28; ++d)
            for (const char *s : {"AAA", "BBB"})
                AddTrade(
                    TransactionFilePath(kFile),
                    Trade(s, QStringLiteral("202602%1").arg(d, 2, 10, QLatin1Char('0')).toLatin1(), 1, 1, 0));
        AddTrade(TransactionFilePath(kFile), Trade("AAA", "20260301", -28, 1, 0));
        // A short page of 300 pixels holds only a few lines below the header.
        TRecordingTarget rec(96, 0, 816, 300);
        TReports page;
        QVERIFY(page.Begin(&rec, nullptr));
        TDetailReport(page, kSubject, kFile).Write();
        QVERIFY(page.End());
        const TRecordedItem *aaa = recorded(rec, "Issue:");
        const TRecordedItem *bbb = nullptr;
        int headings = 0;
        for (const TRecordedItem &i : rec.items) {
            if (i.text != QLatin1String("Issue:"))
                continue;
            ++headings;
            if (!bbb && i.page > aaa->page && recorded(rec, "Net On Trades:")->page < i.page)
                bbb = &i;
        }
        QVERIFY(headings > 4); // repeated on every page of both sections
        QVERIFY(bbb);
        // Every page that holds trades starts with its section heading.
        int tradePages = 0;
        for (int p = aaa->page; p <= page.PageNumber(); ++p) {
            const QStringList texts = rec.texts(p);
            if (!texts.contains(QStringLiteral("Bought")))
                continue;
            ++tradePages;
            QCOMPARE(texts.value(0), QStringLiteral("The Quorvane"));
            QCOMPARE(texts.value(2), QStringLiteral("Issue:"));
        }
        QCOMPARE(tradePages, headings);
    }
};

QTEST_MAIN(TestReportLayouts)
#include "tst_ReportLayouts.moc"
