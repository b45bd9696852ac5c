#include "TestEnv.h"

#include "frame/StdUnit.h"
#include "frame/Stockcfg.h"
#include "records/Database.h"
#include "records/TransDatabase.h"
#include "records/WatchBase.h"

#include <QDir>
#include <QFile>
#include <QtTest>

namespace {

void makeFolders(const TTestEnv &env)
{
    for (const char *f : {"symbol", "watch", "notes", "data", "port"})
        QDir().mkpath(env.path(f));
}

void addPrice(const QString &symbol, const char *date, double close)
{
    TDataBase db(PriceFilePath(symbol));
    TPriceRecord r;
    r.Date = QString::fromLatin1(date);
    r.High = close + 1;
    r.Low = close - 1;
    r.Close = close;
    r.Volume = 100;
    QVERIFY(db.Insert(r));
}

void addTrans(const QString &path, const char *symbol, const char *date, double shares, double price, double fee)
{
    TTransBase db(path);
    TTransRecord r;
    r.Symbol = QString::fromLatin1(symbol);
    r.Date = QString::fromLatin1(date);
    r.Shares = shares;
    r.Price = price;
    r.Fee = fee;
    QVERIFY(db.Insert(r));
}

void addListEntry(const QString &path, const char *fileName, const char *name)
{
    TWatchDatabase db(path);
    TListRecord r;
    r.FileName = QString::fromLatin1(fileName);
    r.Name = QString::fromLatin1(name);
    db.Insert(r);
}

QStringList symbolsOf(const QString &transPath)
{
    TTransBase db(transPath);
    QStringList out;
    TTransRecord r;
    for (int i = 0; i < db.RecordCount(); ++i) {
        db.ReadAt(r, i);
        out << r.Symbol.text();
    }
    return out;
}

} // namespace

class TestStdUnitLookups : public QObject
{
    Q_OBJECT

private slots:
    void renameKeepsTheReplacedHistoryAsOld()
    {
        TTestEnv env;
        makeFolders(env);
        addPrice("A", "20240102", 10);
        addPrice("B", "20240103", 20);
        env.writeFile("data/B.old", "older backup");
        RenameSymbol("A", "B", nullptr);
        QVERIFY(!QFile::exists(PriceFilePath("A")));
        QCOMPARE(ClosePriceOn("B", "20240102"), 10.0);
        TDataBase old(OldPriceFilePath("B"));
        QCOMPARE(old.RecordCount(), 1); // the former B.stk, not the older backup
    }

    void renameReachesPortfoliosAndWatchList()
    {
        TTestEnv env;
        makeFolders(env);
        addListEntry(PortfolioListPath(), "P1", "First");
        addListEntry(PortfolioListPath(), "P2", "Second");
        addTrans(TransactionFilePath("P1"), "OLD", "20240105", 10, 5, 1);
        addTrans(TransactionFilePath("P1"), "KEEP", "20240105", 1, 1, 0);
        addTrans(DividendFilePath("P2"), "OLD", "20240301", 0, 2, 0);
        addTrans(DividendFilePath("P2"), "OLDER", "20240301", 0, 2, 0);
        addListEntry(WatchListPath(), "OLD", "Old Company");
        addListEntry(WatchListPath(), "OTHER", "Other Company");
        RenameSymbol("OLD", "NEWSYMBOLX", nullptr);
        // Rewritten in place: the order of the file stays as it was.
        QCOMPARE(symbolsOf(TransactionFilePath("P1")), QStringList({"KEEP", "NEWSYMB"}));
        QCOMPARE(symbolsOf(DividendFilePath("P2")), QStringList({"NEWSYMB", "OLDER"}));
        TWatchDatabase watch(WatchListPath());
        TListRecord r;
        QVERIFY(watch.Find(r, "Old Company"));
        QCOMPARE(r.FileName.text(), QStringLiteral("NEWSYMB"));
        QVERIFY(watch.Find(r, "Other Company"));
        QCOMPARE(r.FileName.text(), QStringLiteral("OTHER"));
    }

    void renameWithoutPortfoliosUsesTheOpenWatchList()
    {
        TTestEnv env;
        makeFolders(env);
        addPrice("A", "20240102", 10);
        addListEntry(WatchListPath(), "A", "Alpha");
        {
            TWatchDatabase open(WatchListPath());
            RenameSymbol("A", "Z", &open);
        }
        QVERIFY(QFile::exists(PriceFilePath("Z")));
        TWatchDatabase watch(WatchListPath());
        TListRecord r;
        QVERIFY(watch.Find(r, "Alpha"));
        QCOMPARE(r.FileName.text(), QStringLiteral("Z"));
    }

    void closeOnADateOrItsNeighbour()
    {
        TTestEnv env;
        makeFolders(env);
        QCOMPARE(ClosePriceOn("NONE", "20240101"), 0.0);
        addPrice("C", "20240102", 10);
        addPrice("C", "20240110", 12);
        QCOMPARE(ClosePriceOn("C", "20240110"), 12.0);
        const double between = ClosePriceOn("C", "20240105");
        QVERIFY(between == 10.0 || between == 12.0);
    }

    void dividendsUpToIncludeTheDayItself()
    {
        TTestEnv env;
        makeFolders(env);
        addTrans(DividendFilePath("P"), "X", "20240315", 0, 1.5, 0);
        addTrans(DividendFilePath("P"), "X", "20240101", 0, 0.5, 0);
        addTrans(DividendFilePath("P"), "Y", "20240101", 0, 9, 0);
        QCOMPARE(DividendsUpTo("X", "20240315", "P"), 2.0);
        QCOMPARE(DividendsUpTo("X", "20240314", "P"), 0.5);
        QCOMPARE(DividendsUpTo("X", "20231231", "P"), 0.0);
    }

    void positionOnADate()
    {
        TTestEnv env;
        makeFolders(env);
        addTrans(TransactionFilePath("P"), "X", "20240102", 10, 5, 1);
        addTrans(TransactionFilePath("P"), "X", "20240201", -4, 6, 1);
        addTrans(TransactionFilePath("P"), "X", "20250101", 100, 1, 1); // after the date
        addTrans(DividendFilePath("P"), "X", "20240301", 0, 2, 0);
        addPrice("X", "20240601", 7);
        TTransBase trans(TransactionFilePath("P"));
        TPosition pos;
        PositionOn("P", "20240601", "X", pos, trans);
        QCOMPARE(pos.Shares, 6.0);
        QCOMPARE(pos.Value, 42.0);
        QCOMPARE(pos.Dividends, 2.0);
        QCOMPARE(pos.Gain, 16.0);

        TTransBase empty(TransactionFilePath("EMPTY"));
        pos.Dividends = 99;
        PositionOn("EMPTY", "20240601", "X", pos, empty);
        QCOMPARE(pos.Shares, 0.0);
        QCOMPARE(pos.Dividends, 0.0);
        QCOMPARE(pos.Gain, 0.0);
    }
};

QTEST_GUILESS_MAIN(TestStdUnitLookups)
#include "tst_StdUnitLookups.moc"
