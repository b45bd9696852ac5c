#include "TestEnv.h"

#include "frame/StdUnitFiles.h"
#include "frame/Stockcfg.h"
#include "portfolio/PortGraph.h"
#include "records/Database.h"

#include <QtTest>

namespace {

TTransRecord trans(const char *symbol, const char *date, double shares, double price, double fee = 0)
{
    TTransRecord rec;
    rec.Symbol.setText(QString::fromLatin1(symbol));
    rec.Date.setText(QString::fromLatin1(date));
    rec.Shares = shares;
    rec.Price = price;
    rec.Fee = fee;
    return rec;
}

TTransRecord dividend(const char *symbol, const char *date, double amount)
{
    return trans(symbol, date, 0, amount);
}

TPortGraphInput input(QVector<TTransRecord> transactions, bool sellAll = false, bool dividends = false,
                      double close = 0)
{
    TPortGraphInput in;
    in.Transactions = std::move(transactions);
    in.CurrentYear = QStringLiteral("2004");
    in.Today = QStringLiteral("20040615");
    in.SellAll = sellAll;
    in.IncludeDividends = dividends;
    in.LastClose = [close](const QString &) { return close; };
    return in;
}

const TPortGraphYear *yearEntry(const TPortGraphTables &t, const QString &symbol, const QString &year)
{
    for (const TPortGraphSymbol &s : t.Symbols)
        if (s.Symbol == symbol)
            for (const TPortGraphYear &e : s.Years)
                if (e.Year == year)
                    return &e;
    return nullptr;
}

QStringList labels(const TPortGraphView &view)
{
    QStringList out;
    for (const TPortGraphBar &b : view.Bars)
        out << b.Label;
    return out;
}

const QString kCaption = QStringLiteral("Portfolio Growth");

} // namespace

class TestPortGraph : public QObject
{
    Q_OBJECT

private slots:
    void roundTripIsRealisedInTheYearOfTheSale()
    {
        TTestEnv env;
        const auto in =
            input({trans("IBM", "20010105", 100, 10, 10), trans("IBM", "20020105", -100, 12, 10)});
        const TPortGraphTables t = BuildPortGraphTables(in);
        QCOMPARE(t.FirstYear, QStringLiteral("2001"));
        QCOMPARE(t.Symbols.size(), 1);
        QCOMPARE(t.Symbols[0].Years.size(), 4); // 2001 .. 2004
        QCOMPARE(yearEntry(t, "IBM", "2002")->Realised, 180.0);
        QCOMPARE(yearEntry(t, "IBM", "2001")->Realised, 0.0);
        QCOMPARE(yearEntry(t, "IBM", "2001")->Bought, 1010.0);
        QCOMPARE(yearEntry(t, "IBM", "2003")->Sold, 1190.0);
        QCOMPARE(yearEntry(t, "IBM", "2003")->NetShares, 0.0);
        QCOMPARE(yearEntry(t, "IBM", "2004")->CashFlow, 180.0);

        const TPortGraphView view = PortGraphYearlyView(t, kCaption, false);
        QCOMPARE(view.Heading, QStringLiteral("Yearly Data For: Portfolio Growth"));
        QCOMPARE(view.SecondTitle, QStringLiteral("Dividends Not Included"));
        QCOMPARE(view.Bars.size(), 1);
        QCOMPARE(view.Bars[0].Label, QStringLiteral("2002"));
        QCOMPARE(view.Bars[0].Value, 180.0);
        QCOMPARE(view.Footer, QStringLiteral("Profit: $180.00"));
    }

    void shortSaleIsBookedInThePurchaseYear()
    {
        TTestEnv env;
        const auto in = input({trans("X", "20010301", -10, 20), trans("X", "20030301", 10, 15)});
        const TPortGraphTables t = BuildPortGraphTables(in);
        QCOMPARE(yearEntry(t, "X", "2003")->Realised, 50.0);
        QCOMPARE(yearEntry(t, "X", "2001")->Realised, 0.0);
    }

    void heldSharesRealiseOnlyWithSellAll_data()
    {
        QTest::addColumn<bool>("sellAll");
        QTest::addColumn<double>("realised2004");
        QTest::addColumn<double>("sold2004");
        QTest::newRow("off: open position has no result") << false << 0.0 << 0.0;
        QTest::newRow("on: sold at the latest close today") << true << 100.0 << 1100.0;
    }
    void heldSharesRealiseOnlyWithSellAll()
    {
        QFETCH(bool, sellAll);
        QFETCH(double, realised2004);
        QFETCH(double, sold2004);
        TTestEnv env;
        const auto in = input({trans("Q", "20020101", 100, 9.9, 10)}, sellAll, false, 11);
        const TPortGraphTables t = BuildPortGraphTables(in);
        QCOMPARE(yearEntry(t, "Q", "2004")->Realised, realised2004);
        QCOMPARE(yearEntry(t, "Q", "2004")->Sold, sold2004);
        QCOMPARE(yearEntry(t, "Q", "2003")->Sold, 0.0);
        QCOMPARE(PortGraphYearlyView(t, kCaption, false).Bars.size(), sellAll ? 1 : 0);
    }

    void dividendsCountInTheirYearOnly()
    {
        TTestEnv env;
        auto in = input({trans("D", "20020101", 10, 10)});
        in.Dividends = {dividend("D", "20030310", 7), dividend("D", "20030910", 3),
                        dividend("E", "20030910", 50)};
        TPortGraphTables t = BuildPortGraphTables(in);
        QCOMPARE(yearEntry(t, "D", "2003")->Dividends, 10.0);
        QCOMPARE(yearEntry(t, "D", "2002")->Dividends, 0.0);
        QCOMPARE(yearEntry(t, "D", "2004")->Dividends, 0.0);

        const TPortGraphView with = PortGraphYearlyView(t, kCaption, true);
        QCOMPARE(labels(with), QStringList{"2003"});
        QCOMPARE(with.Bars[0].Value, 10.0);
        QCOMPARE(with.SecondTitle, QStringLiteral("Dividends Included"));
        QVERIFY(PortGraphYearlyView(t, kCaption, false).Bars.isEmpty());
        QCOMPARE(PortGraphYearView(t, "2003", kCaption, true).Bars.size(), 1);
        QVERIFY(PortGraphYearView(t, "2003", kCaption, false).Bars.isEmpty());
    }

    void summaryValuesHeldSharesAtTheLatestClose()
    {
        TTestEnv env;
        const auto in = input({trans("S", "20030505", 100, 9.9, 10)}, true, false, 11);
        const TPortGraphView view = BuildPortGraphView(in, TPortGraphViewKind::Summary, {}, kCaption);
        QCOMPARE(view.Heading, QStringLiteral("Summary: Portfolio Growth"));
        QCOMPARE(view.Bars.size(), 1);
        QCOMPARE(view.Bars[0].Label, QStringLiteral("S"));
        QCOMPARE(view.Bars[0].Value, 100.0);
        QCOMPARE(view.Footer, QStringLiteral("Profit: $100.00    Return: 10.000%"));
    }

    void summaryWithoutPurchasesShowsNotAvailable_data()
    {
        QTest::addColumn<QVector<TTransRecord>>("records");
        QTest::addColumn<QString>("footer");
        QTest::addColumn<int>("bars");
        QTest::newRow("empty portfolio") << QVector<TTransRecord>{} << "Loss: $0.00    Return: N/A" << 0;
        QTest::newRow("only after the current year")
            << QVector<TTransRecord>{trans("F", "20070101", 10, 1)} << "Loss: $0.00    Return: N/A" << 0;
        QTest::newRow("sales only") << QVector<TTransRecord>{trans("G", "20030101", -10, 5)}
                                    << "Profit: $50.00    Return: N/A" << 1;
    }
    void summaryWithoutPurchasesShowsNotAvailable()
    {
        QFETCH(QVector<TTransRecord>, records);
        QFETCH(QString, footer);
        QFETCH(int, bars);
        TTestEnv env;
        const TPortGraphView view =
            BuildPortGraphView(input(records, false, false, 0), TPortGraphViewKind::Summary, {}, kCaption);
        QCOMPARE(view.Footer, footer);
        QCOMPARE(view.Bars.size(), bars);
        // nothing is realised: the yearly view is an empty chart with a loss of 0
        const TPortGraphView yearly =
            BuildPortGraphView(input(records), TPortGraphViewKind::Yearly, {}, kCaption);
        QCOMPARE(yearly.Footer, QStringLiteral("Loss: $0.00"));
        QVERIFY(yearly.Bars.isEmpty());
    }

    void zeroYearHasNoBarAndPagesHoldTenBars()
    {
        TTestEnv env;
        QVector<TTransRecord> records;
        // 1980 .. 1991: twelve years with a profit of 1 each, 1992 a wash.
        for (int y = 1980; y <= 1991; ++y) {
            const QByteArray date = QByteArray::number(y) + "0101";
            records << trans("P", date.constData(), 1, 1)
                    << trans("P", (QByteArray::number(y) + "0202").constData(), -1, 2);
        }
        records << trans("P", "19920101", 1, 5) << trans("P", "19920202", -1, 5);
        const TPortGraphView view =
            BuildPortGraphView(input(records), TPortGraphViewKind::Yearly, {}, kCaption);
        QCOMPARE(view.Bars.size(), 12);
        QVERIFY(!labels(view).contains("1992"));
        QCOMPARE(view.Bars.first().Label, QStringLiteral("1991")); // newest first
        QCOMPARE(view.pageCount(), 2);
        QCOMPARE(view.page(0).size(), 10);
        QCOMPARE(view.page(1).size(), 2);
        QCOMPARE(view.Footer, QStringLiteral("Profit: $12.00"));
        QCOMPARE(TPortGraphView{}.pageCount(), 1);
    }

    void splitLotCountsItsFeeOnce()
    {
        TTestEnv env;
        // 300 bought with a fee of 30, sold in three parts of 100 without fees.
        const auto in = input({trans("L", "20010101", 300, 10, 30), trans("L", "20020101", -100, 11),
                               trans("L", "20030101", -100, 11), trans("L", "20040101", -100, 11)});
        const TPortGraphTables t = BuildPortGraphTables(in);
        QCOMPARE(yearEntry(t, "L", "2002")->Realised, 90.0);
        QCOMPARE(yearEntry(t, "L", "2003")->Realised, 90.0);
        QCOMPARE(yearEntry(t, "L", "2004")->Realised, 90.0);
        QCOMPARE(PortGraphYearlyView(t, kCaption, false).Footer, QStringLiteral("Profit: $270.00"));
    }

    void interleavedSymbolsAreListedOnceEach()
    {
        TTestEnv env;
        const auto in = input({trans("A", "20010101", 10, 1), trans("A20", "20010102", 10, 1),
                               trans("A", "20010103", -10, 2), trans("A20", "20010104", -10, 3)});
        const TPortGraphTables t = BuildPortGraphTables(in);
        QCOMPARE(t.Symbols.size(), 2);
        QCOMPARE(yearEntry(t, "A", "2001")->Realised, 10.0);
        QCOMPARE(yearEntry(t, "A20", "2001")->Realised, 20.0);
        const TPortGraphView year = PortGraphYearView(t, "2001", kCaption, false);
        QCOMPARE(year.Heading, QStringLiteral("Year 2001 Data For: Portfolio Growth"));
        QCOMPARE(labels(year), (QStringList{"A", "A20"}));
        QCOMPARE(year.Footer, QStringLiteral("Profit: $30.00"));
    }

    void lossesAndBadRecordsDoNotBreakTheBuild()
    {
        TTestEnv env;
        TTransRecord nan = trans("N", "20020101", 10, 1);
        nan.Price = std::numeric_limits<double>::quiet_NaN();
        const auto in = input({trans("M", "20010101", 10, 5), trans("M", "20020101", -10, 3), nan,
                               trans("M", "ab##0101", 5, 1), trans("M", "20090101", -3, 1),
                               trans("Z", "20020101", 0, 1, 2)});
        const TPortGraphTables t = BuildPortGraphTables(in);
        const TPortGraphView view = PortGraphYearlyView(t, kCaption, false);
        QCOMPARE(view.Footer, QStringLiteral("Loss: ($20.00)"));
        QCOMPARE(yearEntry(t, "M", "2002")->Realised, -20.0);
        QCOMPARE(yearEntry(t, "N", "2002")->Bought, 0.0);
    }

    void readsTheFilesOnceWithoutCreatingAny()
    {
        TTestEnv env;
        LoadConfig();
        const TFolderPaths folders = GetFolders();
        QDir().mkpath(folders.Portfolio);
        QDir().mkpath(folders.Data);
        QByteArray tra;
        for (const TTransRecord &r :
             {trans("T", "20010105", 100, 10, 10), trans("T", "20020105", -50, 12, 5)})
            tra.append(reinterpret_cast<const char *>(&r), sizeof r);
        tra.append("torn", 4);
        env.writeFile(QDir(env.dir()).relativeFilePath(TransactionFilePath("GROW")), tra);
        TPriceRecord price;
        price.Date.setText("20040101");
        price.Close = 20;
        env.writeFile(QDir(env.dir()).relativeFilePath(PriceFilePath("T")),
                      QByteArray(reinterpret_cast<const char *>(&price), sizeof price));

        const TPortGraphInput in = ReadPortGraphInput("GROW", QDate(2004, 6, 15), true, true);
        QCOMPARE(in.Transactions.size(), 2);
        QCOMPARE(in.CurrentYear, QStringLiteral("2004"));
        QCOMPARE(in.LastClose("T"), 20.0);
        QCOMPARE(in.LastClose("NONE"), 0.0);
        QVERIFY(!QFile::exists(PriceFilePath("NONE")));
        QVERIFY(!QFile::exists(DividendFilePath("GROW")));
        // 2002: 50 x 12 - 5 - (50 x 10 + 5) = 90; 2004: the 50 still held at 20.
        const TPortGraphView view = BuildPortGraphView(in, TPortGraphViewKind::Yearly, {}, kCaption);
        QCOMPARE(labels(view), (QStringList{"2004", "2002"}));
        QCOMPARE(view.Bars[0].Value, 495.0);
        QCOMPARE(view.Bars[1].Value, 90.0);
        QVERIFY(ReadPortGraphInput("../x", QDate(2004, 1, 1), false, false).Transactions.isEmpty());
    }
    void axisAndMarkTexts_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("axis");
        QTest::addColumn<QString>("mark");
        QTest::newRow("thousands") << 11049.52 << "$11,049.52" << "$11,049.52";
        QTest::newRow("whole") << 2000.0 << "$2,000" << "$2,000.00";
        QTest::newRow("three decimals") << 0.125 << "$0.125" << "$0.13";
        QTest::newRow("millions") << 1234567.5 << "$1,234,567.5" << "$1,234,567.50";
        QTest::newRow("loss") << -1500.25 << "-$1,500.25" << "-$1,500.25";
        QTest::newRow("zero") << 0.0 << "$0" << "$0.00";
        QTest::newRow("minus zero") << -0.0001 << "$0" << "$0.00";
        QTest::newRow("nan") << qQNaN() << "N/A" << "N/A";
    }

    void axisAndMarkTexts()
    {
        QFETCH(double, value);
        QFETCH(QString, axis);
        QFETCH(QString, mark);
        QCOMPARE(PortGraphAxisText(value), axis);
        QCOMPARE(PortGraphBarText(value), mark);
    }

    void axisTicksAreRoundAndCoverTheValues_data()
    {
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<QVector<double>>("ticks");
        QTest::newRow("summary") << 0.0 << 11049.52 << QVector<double>{0, 5000, 10000, 15000};
        QTest::newRow("small") << 0.0 << 9.0 << QVector<double>{0, 2, 4, 6, 8, 10};
        QTest::newRow("losses") << -450.0 << 900.0 << QVector<double>{-500, 0, 500, 1000};
        QTest::newRow("empty") << 0.0 << 0.0 << QVector<double>{0, 0.2, 0.4, 0.6, 0.8, 1};
        QTest::newRow("infinite") << 0.0 << qInf() << QVector<double>{0, 0.2, 0.4, 0.6, 0.8, 1};
    }

    void axisTicksAreRoundAndCoverTheValues()
    {
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(QVector<double>, ticks);
        const QVector<double> got = PortGraphAxisTicks(low, high);
        QCOMPARE(got.size(), ticks.size());
        for (int i = 0; i < got.size(); ++i)
            QVERIFY2(qAbs(got[i] - ticks[i]) < 1e-9, qPrintable(QString::number(got[i])));
    }
};

QTEST_GUILESS_MAIN(TestPortGraph)
#include "tst_PortGraph.moc"
