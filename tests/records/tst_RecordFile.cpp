// The conventions every register shares, exercised on the price history file
// (and on the symbol and watch files where their text fields matter): order
// of inserts, refusal of duplicates, navigation at the ends, deletion, and
// what happens with files that cannot be opened or are damaged.

#include "RecordImages.h"
#include "TestEnv.h"

#include "frame/IoError.h"
#include "records/Database.h"
#include "records/SblBase.h"
#include "records/WatchBase.h"

#include <QDir>
#include <QtTest>
#include <sys/stat.h>
#include <unistd.h>

namespace {

TPriceRecord price(const char *date, double close, qint32 volume = 100)
{
    TPriceRecord r;
    r.Date = QString::fromLatin1(date);
    r.High = close + 1;
    r.Low = close - 0.5;
    r.Close = close;
    r.Volume = volume;
    return r;
}

QByteArray image(const char *date, double close, qint32 volume = 100)
{
    return PriceImage(date, close + 1, close - 0.5, close, volume);
}

// A file of records dated 20060101, 20060102, … with closes 1, 2, …
void fill(TDataBase &db, int count)
{
    for (int i = 1; i <= count; ++i) {
        TPriceRecord r = price(qPrintable(QStringLiteral("200601%1").arg(i, 2, 10, QLatin1Char('0'))), i);
        QVERIFY(db.Insert(r));
    }
}

QStringList dates(TDataBase &db)
{
    QStringList out;
    TPriceRecord r;
    db.First(r);
    while (db.Status() == 0) {
        out << r.Date.text();
        db.Next(r);
    }
    return out;
}

} // namespace

class TestRecordFile : public QObject
{
    Q_OBJECT

private slots:
    void insertKeepsDateOrderAndReportsLandingIndex_data()
    {
        QTest::addColumn<QStringList>("inserted");
        QTest::addColumn<QList<int>>("landed");
        QTest::newRow("3rd, 1st, 2nd")
            << QStringList{"20060103", "20060101", "20060102"} << QList<int>{0, 0, 1};
        QTest::newRow("ascending") << QStringList{"20060101", "20060102", "20060103"} << QList<int>{0, 1, 2};
        QTest::newRow("descending") << QStringList{"20060103", "20060102", "20060101"} << QList<int>{0, 0, 0};
        QTest::newRow("middle last") << QStringList{"20060101", "20060105", "20060103", "20060104"}
                                     << QList<int>{0, 1, 1, 2};
    }
    void insertKeepsDateOrderAndReportsLandingIndex()
    {
        QFETCH(QStringList, inserted);
        QFETCH(QList<int>, landed);
        TTestEnv env;
        const QString path = env.path("T.stk");
        {
            TDataBase db(path);
            QVERIFY(db.IsOpen());
            QCOMPARE(db.LastIndex(), -1);
            for (int i = 0; i < inserted.size(); ++i) {
                TPriceRecord r = price(qPrintable(inserted[i]), 10 + i);
                QVERIFY(db.Insert(r));
                QCOMPARE(db.CurrentIndex(), landed[i]);
                QCOMPARE(db.LastIndex(), i);
            }
        }
        QStringList sorted = inserted;
        sorted.sort();
        QByteArray expected;
        for (const QString &d : sorted)
            expected += image(qPrintable(d), 10 + inserted.indexOf(d));
        QCOMPARE(FileBytes(path), expected);
    }

    void duplicateIsRefusedAndFileUnchanged_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("date");
        QTest::newRow("one record") << 1 << "20060101";
        QTest::newRow("first of three") << 3 << "20060101";
        QTest::newRow("last of three") << 3 << "20060103";
    }
    void duplicateIsRefusedAndFileUnchanged()
    {
        QFETCH(int, stored);
        QFETCH(QString, date);
        TTestEnv env;
        TDataBase db(env.path("T.stk"));
        fill(db, stored);
        const QByteArray before = FileBytes(env.path("T.stk"));
        TPriceRecord dup = price(qPrintable(date), 99);
        bool added = true;
        db.Insert(dup, added);
        QVERIFY(!added);
        QCOMPARE(db.LastIndex(), stored - 1);
        QCOMPARE(FileBytes(env.path("T.stk")), before);
    }

    void findLeavesTheLastRecordExamined_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QStringList>("acceptable"); // what the buffer may hold afterwards
        QTest::newRow("stored") << "20060104" << true << QStringList{"20060104"};
        QTest::newRow("between 2nd and 3rd") << "20060102x" << false << QStringList{"20060102", "20060103"};
        QTest::newRow("before the first") << "20051231" << false << QStringList{"20060101"};
        QTest::newRow("after the last") << "20070101" << false << QStringList{"20060107"};
    }
    void findLeavesTheLastRecordExamined()
    {
        QFETCH(QString, key);
        QFETCH(bool, found);
        QFETCH(QStringList, acceptable);
        TTestEnv env;
        TDataBase db(env.path("T.stk"));
        fill(db, 7);
        TPriceRecord r;
        QCOMPARE(db.Find(r, key), found);
        QCOMPARE(db.Status(), quint16(found ? 0 : NotFound));
        QVERIFY2(acceptable.contains(r.Date.text()), qPrintable(r.Date.text()));
        QCOMPARE(db.CurrentIndex(), r.Date.text().right(2).toInt() - 1);
    }

    void navigationStopsAtTheEndsAndRereads()
    {
        TTestEnv env;
        TDataBase db(env.path("T.stk"));
        fill(db, 3);
        TPriceRecord r;
        db.Last(r);
        QCOMPARE(db.Status(), quint16(0));
        db.Next(r);
        QCOMPARE(db.Status(), quint16(Boundary));
        QCOMPARE(db.CurrentIndex(), 2);
        QCOMPARE(r.Date.text(), QStringLiteral("20060103"));

        db.First(r);
        db.Prior(r);
        QCOMPARE(db.Status(), quint16(Boundary));
        QCOMPARE(db.CurrentIndex(), 0);
        QCOMPARE(r.Date.text(), QStringLiteral("20060101"));

        db.Next(r, 2);
        QCOMPARE(db.Status(), quint16(0));
        QCOMPARE(r.Date.text(), QStringLiteral("20060103"));
        db.Prior(r, 5);
        QCOMPARE(db.Status(), quint16(Boundary));
        QCOMPARE(db.CurrentIndex(), 0);
        db.First(r);
        db.Next(r, 3);
        QCOMPARE(db.Status(), quint16(Boundary));
        QCOMPARE(db.CurrentIndex(), 2);
    }

    void readAtOutsideTheFileReadsNothing_data()
    {
        QTest::addColumn<int>("index");
        QTest::newRow("negative") << -1;
        QTest::newRow("past the end") << 3;
    }
    void readAtOutsideTheFileReadsNothing()
    {
        QFETCH(int, index);
        TTestEnv env;
        TDataBase db(env.path("T.stk"));
        fill(db, 3);
        TPriceRecord r;
        db.ReadAt(r, 1);
        TPriceRecord probe = price("sentinel", 42);
        db.ReadAt(probe, index);
        QCOMPARE(db.Status(), quint16(Boundary));
        QCOMPARE(db.CurrentIndex(), 1);
        QCOMPARE(probe.Date.text(), QStringLiteral("sentinel"));
        // A good index keeps the flags as they were.
        db.ReadAt(probe, 2);
        QCOMPARE(db.Status(), quint16(Boundary));
        QCOMPARE(probe.Date.text(), QStringLiteral("20060103"));
    }

    void sequentialPassOverAnEmptyFileProcessesNothing()
    {
        TTestEnv env;
        TDataBase db(env.path("T.stk"));
        TPriceRecord r = price("untouched", 1);
        db.First(r);
        QCOMPARE(db.Status(), quint16(IoError));
        QCOMPARE(r.Date.text(), QStringLiteral("untouched"));
        QCOMPARE(dates(db), QStringList());
    }

    void deleteShiftsAndShortens_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("left"); // days that remain
        QTest::newRow("last") << 4 << "1234";
        QTest::newRow("first") << 0 << "2345";
        QTest::newRow("middle") << 2 << "1245";
        QTest::newRow("past the end") << 5 << "12345";
        QTest::newRow("negative") << -1 << "12345";
    }
    void deleteShiftsAndShortens()
    {
        QFETCH(int, index);
        QFETCH(QString, left);
        TTestEnv env;
        TDataBase db(env.path("T.stk"));
        fill(db, 5);
        db.Delete(index);
        QByteArray expected;
        for (QChar c : left)
            expected += image(qPrintable(QStringLiteral("2006010") + c), c.digitValue());
        QCOMPARE(FileBytes(env.path("T.stk")), expected);
        QCOMPARE(db.LastIndex(), int(left.size()) - 1);
    }

    void deleteThroughRemovesTheFront_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("left");
        QTest::newRow("LastIndex empties") << 4 << "";
        QTest::newRow("beyond empties") << 9 << "";
        QTest::newRow("first two") << 1 << "345";
        QTest::newRow("only the first") << 0 << "2345";
        QTest::newRow("negative keeps all") << -1 << "12345";
    }
    void deleteThroughRemovesTheFront()
    {
        QFETCH(int, index);
        QFETCH(QString, left);
        TTestEnv env;
        TDataBase db(env.path("T.stk"));
        fill(db, 5);
        db.DeleteThrough(index);
        QByteArray expected;
        for (QChar c : left)
            expected += image(qPrintable(QStringLiteral("2006010") + c), c.digitValue());
        QCOMPARE(FileBytes(env.path("T.stk")), expected);
        QCOMPARE(db.LastIndex(), int(left.size()) - 1);
        if (index >= 0)
            QCOMPARE(db.CurrentIndex(), db.LastIndex());
    }

    void clearEmptiesTheFile()
    {
        TTestEnv env;
        TDataBase db(env.path("T.stk"));
        fill(db, 3);
        db.Clear();
        QCOMPARE(db.LastIndex(), -1);
        QCOMPARE(db.CurrentIndex(), -1);
        QCOMPARE(FileBytes(env.path("T.stk")).size(), 0);
        TPriceRecord r = price("20060109", 9);
        QVERIFY(db.Insert(r));
        QCOMPARE(FileBytes(env.path("T.stk")), image("20060109", 9));
    }

    void missingFolderLeavesTheObjectClosedAndCreatesNothing()
    {
        TTestEnv env;
        const QString path = env.path("nowhere/T.stk");
        TDataBase db(path);
        QVERIFY(!db.IsOpen());
        QCOMPARE(db.Status(), quint16(NotOpen));
        QCOMPARE(db.LastIndex(), 0);
        QCOMPARE(db.CurrentIndex(), 0);
        TPriceRecord r = price("20060101", 1);
        QVERIFY(!db.Insert(r));
        db.WriteCurrent(r);
        db.First(r);
        db.Next(r);
        QVERIFY(!db.Find(r, "20060101"));
        db.Delete(0);
        db.DeleteThrough(0);
        db.Clear();
        QCOMPARE(db.Status(), quint16(NotOpen));
        QCOMPARE(db.LastIndex(), 0);
        QCOMPARE(db.Average("CLOSE", 0, 5), 0.0);
        QCOMPARE(db.readCalls() + db.writeCalls(), qint64(0));
        QVERIFY(!QFileInfo::exists(path));

        TSymbolDataBase sbl(env.path("nowhere/Stocks.sbl"));
        TSymbolRecord s;
        s.Symbol = QStringLiteral("ABC");
        QVERIFY(!sbl.Find(s, "ABC"));
        sbl.Insert(s);
        QCOMPARE(sbl.Status(), quint16(NotOpen));
        QVERIFY(!QFileInfo::exists(env.path("nowhere/Stocks.sbl")));
    }

    // Construction never destroys data: an existing file that cannot be
    // opened for writing is not re-created (which would truncate it).
    void existingFileThatCannotBeOpenedIsNeitherCreatedNorTouched()
    {
        TTestEnv env;
        const QString dirPath = env.path("Folder.stk");
        QVERIFY(QDir().mkpath(dirPath));
        {
            TDataBase db(dirPath);
            QVERIFY(!db.IsOpen());
            QCOMPARE(db.Status(), quint16(NotOpen));
        }
        QVERIFY(QFileInfo(dirPath).isDir());

        if (::geteuid() == 0)
            QSKIP("permissions do not bind the superuser");
        const QString path = env.path("ReadOnly.stk");
        const QByteArray content = image("20060101", 1) + image("20060102", 2);
        WriteBytes(path, content);
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0444) == 0);
        {
            TDataBase db(path);
            QVERIFY(!db.IsOpen());
            TPriceRecord r = price("20060103", 3);
            QVERIFY(!db.Insert(r));
            db.Clear();
            db.Delete(0);
        }
        QCOMPARE(FileBytes(path), content);
    }

    // A torn last record is not counted, never read, and an append writes
    // over it; counted strings with impossible length bytes are clamped.
    void damagedFilesAreReadWithinBounds()
    {
        TTestEnv env;
        const QString path = env.path("T.stk");
        QByteArray bad = image("20060101", 1);
        bad[0] = char(200); // length byte beyond the 10-character field
        WriteBytes(path, bad + image("20060102", 2) + QByteArray(20, 'x'));
        TDataBase db(path);
        QCOMPARE(db.LastIndex(), 1);
        TPriceRecord r;
        db.First(r);
        QCOMPARE(r.Date.length(), 10);
        QCOMPARE(r.Date.text().left(8), QStringLiteral("20060101"));
        QCOMPARE(dates(db).size(), 2);
        QVERIFY(db.Find(r, "20060102"));
        TPriceRecord add = price("20060103", 3);
        QVERIFY(db.Insert(add));
        QCOMPARE(db.CurrentIndex(), 2);
        QCOMPARE(FileBytes(path).size(), 3 * 48);
        QCOMPARE(FileBytes(path).mid(96), image("20060103", 3));

        // Same for the list file, whose protected texts are unscrambled on read.
        QByteArray entry(648, '\0');
        entry[8] = char(255);
        entry[305] = char(250);
        entry[346] = char(99);
        WriteBytes(env.path("Watch.sbl"), entry);
        TWatchDatabase list(env.path("Watch.sbl"));
        TListRecord e;
        list.First(e);
        QCOMPARE(list.Status(), quint16(0));
        QCOMPARE(e.Name.length(), 40);
        QVERIFY(e.Password.length() <= 40);
    }

    void twoObjectsOnOneFileSeeEachOthersWrites()
    {
        TTestEnv env;
        TDataBase a(env.path("T.stk"));
        TDataBase b(env.path("T.stk"));
        fill(a, 2);
        TPriceRecord r;
        b.ReadAt(r, 0); // b's LastIndex is still that of an empty file
        QCOMPARE(b.Status(), quint16(Boundary));
        b.SetCurrentIndex(1);
        b.ReadCurrent(r);
        QCOMPARE(r.Date.text(), QStringLiteral("20060102"));
        r.Close = 77;
        b.WriteCurrent(r);
        a.ReadAt(r, 1);
        QCOMPARE(r.Close, 77.0);
    }

    // An insert behind the last record moves nothing: one look at the last
    // record, one write. An insert at the front moves every record once,
    // each with one read and one write; the search itself fetches a small
    // range in one read.
    void insertCostsFewCallsAtEitherEnd()
    {
        TTestEnv env;
        TDataBase db(env.path("T.stk"));
        fill(db, 8);
        TPriceRecord r = price("20060120", 20);
        const qint64 reads = db.readCalls();
        const qint64 writes = db.writeCalls();
        QVERIFY(db.Insert(r));
        QCOMPARE(db.Status(), quint16(NotFound));
        QCOMPARE(db.CurrentIndex(), 8);
        QCOMPARE(db.writeCalls() - writes, qint64(1));
        QCOMPARE(db.readCalls() - reads, qint64(1));
        TPriceRecord front = price("20050101", 1);
        const qint64 reads2 = db.readCalls();
        const qint64 writes2 = db.writeCalls();
        QVERIFY(db.Insert(front));
        QCOMPARE(db.CurrentIndex(), 0);
        // The nine records moved up as one block, then the new one placed.
        QCOMPARE(db.writeCalls() - writes2, qint64(2));
        QVERIFY(db.readCalls() - reads2 <= 8);
        TPriceRecord dupLast = price("20060120", 5);
        QVERIFY(!db.Insert(dupLast));
        QCOMPARE(db.CurrentIndex(), 9);
        QCOMPARE(db.Status(), quint16(0));
    }

    // Records are moved in blocks: a large file keeps every record, in order,
    // whether one lands at the front, in the middle or is deleted there.
    void movesAcrossBlocksKeepEveryRecord()
    {
        TTestEnv env;
        TDataBase db(env.path("T.stk"));
        const int n = 1000; // about three blocks of 341 price records
        for (int i = 0; i < n; ++i) {
            TPriceRecord r = price(qPrintable(QString::number(20000000 + 2 * i + 2)), i + 1);
            QVERIFY(db.Insert(r));
        }
        const qint64 writes = db.writeCalls();
        TPriceRecord front = price("19991231", 0.5);
        QVERIFY(db.Insert(front));
        QVERIFY(db.writeCalls() - writes < 10);
        TPriceRecord middle = price("20001001", 0.75); // between 20001000 and 20001002
        QVERIFY(db.Insert(middle));
        QCOMPARE(db.CurrentIndex(), 501);
        QCOMPARE(db.RecordCount(), n + 2);
        TPriceRecord r, prev;
        db.ReadAt(prev, 0);
        for (int i = 1; i < db.RecordCount(); ++i) {
            db.ReadAt(r, i);
            QVERIFY2(prev.Date.bytes() < r.Date.bytes(), qPrintable(QString::number(i)));
            prev = r;
        }
        db.Delete(0);
        db.Delete(500);
        QCOMPARE(db.RecordCount(), n);
        for (int i = 0; i < n; ++i) {
            db.ReadAt(r, i);
            QCOMPARE(r.Close, double(i + 1));
        }
        db.DeleteThrough(400);
        QCOMPARE(db.RecordCount(), n - 401);
        db.ReadAt(r, 0);
        QCOMPARE(r.Close, 402.0);
        db.Last(r);
        QCOMPARE(r.Close, double(n));
    }

    // The search over a larger file: every stored key at its index, every
    // absent key beside one of its neighbours, in far fewer reads than probes.
    void findOverALargerFile()
    {
        TTestEnv env;
        TDataBase db(env.path("T.stk"));
        for (int i = 0; i < 600; ++i) {
            TPriceRecord r = price(qPrintable(QString::number(20000000 + 2 * i)), i + 1);
            QVERIFY(db.Insert(r));
        }
        TPriceRecord r;
        for (int i = 0; i < 600; ++i) {
            QVERIFY(db.Find(r, QString::number(20000000 + 2 * i)));
            QCOMPARE(db.CurrentIndex(), i);
            QCOMPARE(r.Close, double(i + 1));
            const qint64 before = db.readCalls();
            QVERIFY(!db.Find(r, QString::number(20000000 + 2 * i + 1)));
            QVERIFY(db.readCalls() - before <= 4);
            QCOMPARE(db.Status(), quint16(NotFound));
            QVERIFY(db.CurrentIndex() == i || db.CurrentIndex() == i + 1);
            QCOMPARE(r.Date.text(), QString::number(20000000 + 2 * db.CurrentIndex()));
        }
    }
};

QTEST_GUILESS_MAIN(TestRecordFile)
#include "tst_RecordFile.moc"
