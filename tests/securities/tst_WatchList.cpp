// Watch.sbl as the stock data window keeps it: names in step with the symbol
// file, never two entries of one name, always in name order, and the entry
// checks that keep a symbol from naming a file outside the data folder.

#include "SecuritiesTestData.h"
#include "SizeLimit.h"
#include "securities/PriceRuns.h"
#include "securities/WatchList.h"

#include <QtTest>

using namespace qvtest;

namespace {

QString symbolFile()
{
    return GetFolders().Symbol + QStringLiteral("Stocks.sbl");
}

QStringList stored(TWatchDatabase &watch)
{
    QStringList out;
    TListRecord r;
    for (int i = 0; i < watch.RecordCount(); ++i) {
        watch.ReadAt(r, i);
        out << r.FileName.text() + "=" + r.Name.text();
    }
    return out;
}

// Writes the entries exactly in the given order (as a damaged or foreign
// file could hold them), past the insert that would sort them.
void writeRaw(const QList<TListRecord> &entries)
{
    TWatchDatabase watch(WatchListPath());
    QByteArray image;
    for (TListRecord e : entries)
        watch.AppendImage(image, e);
    QVERIFY(watch.ReplaceAll(image));
}

} // namespace

class TestWatchList : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { SetRecordFileSync(false); }

    void refreshRenamesSortsAndSkipsCollisions_data()
    {
        QTest::addColumn<QStringList>("symbols"); // symbol=name pairs of Stocks.sbl
        QTest::addColumn<QStringList>("entries"); // symbol=name pairs, file order
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<bool>("rewritten");
        QTest::newRow("names in step: untouched")
            << QStringList{"A=ALPHA", "B=BETA"} << QStringList{"A=ALPHA", "B=BETA"}
            << QStringList{"A=ALPHA", "B=BETA"} << false;
        QTest::newRow("rename moves the entry to its sorted place")
            << QStringList{"A=ZULU", "B=BETA"} << QStringList{"A=ALPHA", "B=BETA"}
            << QStringList{"B=BETA", "A=ZULU"} << true;
        QTest::newRow("removed symbol becomes Not On File")
            << QStringList{"B=BETA"} << QStringList{"A=ALPHA", "B=BETA"}
            << QStringList{"A=A Not On File", "B=BETA"} << true;
        QTest::newRow("rename onto a kept name is skipped")
            << QStringList{"A=BETA", "B=BETA"} << QStringList{"A=ALPHA", "B=BETA"}
            << QStringList{"A=ALPHA", "B=BETA"} << false;
        QTest::newRow("two renames onto one new name are both skipped")
            << QStringList{"A=SAME", "B=SAME"} << QStringList{"A=ALPHA", "B=BETA"}
            << QStringList{"A=ALPHA", "B=BETA"} << false;
        QTest::newRow("swapped names") << QStringList{"A=BETA", "B=ALPHA"} << QStringList{"A=ALPHA", "B=BETA"}
                                       << QStringList{"B=ALPHA", "A=BETA"} << true;
        QTest::newRow("unsorted file is put in order")
            << QStringList{"A=ALPHA", "B=BETA", "C=GAMMA"} << QStringList{"C=GAMMA", "A=ALPHA", "B=BETA"}
            << QStringList{"A=ALPHA", "B=BETA", "C=GAMMA"} << true;
        QTest::newRow("seven-letter symbol not on file")
            << QStringList{} << QStringList{"ABCDEFG=OLD"} << QStringList{"ABCDEFG=ABCDEFG Not On File"}
            << true;
    }
    void refreshRenamesSortsAndSkipsCollisions()
    {
        QFETCH(QStringList, symbols);
        QFETCH(QStringList, entries);
        QFETCH(QStringList, expected);
        QFETCH(bool, rewritten);
        TTestEnv env;
        makeFolders(env);
        for (const QString &s : symbols)
            addSymbol(qPrintable(s.section('=', 0, 0)), qPrintable(s.section('=', 1)));
        QList<TListRecord> list;
        for (const QString &e : entries)
            list << listEntry(qPrintable(e.section('=', 0, 0)), qPrintable(e.section('=', 1)));
        writeRaw(list);

        TWatchDatabase watch(WatchListPath());
        TSymbolDataBase file(symbolFile(), TOpenMode::ReadOnly);
        bool wasRewritten = !rewritten, failed = true;
        const QStringList names = RefreshWatchList(watch, file, &wasRewritten, &failed);
        QCOMPARE(wasRewritten, rewritten);
        QVERIFY(!failed);
        QCOMPARE(stored(watch), expected);
        QStringList expectedNames;
        for (const QString &e : expected)
            expectedNames << e.section('=', 1);
        QCOMPARE(names, expectedNames);
    }

    void refreshKeepsTheBytesItDoesNotChange()
    {
        TTestEnv env;
        makeFolders(env);
        addSymbol("A", "ALPHA NEW");
        TListRecord a = listEntry("A", "ALPHA", "/notes/a.txt");
        a.SecurityCode = 4242;
        a.WebSite = QStringLiteral("http://broker.example");
        writeRaw({a});
        TWatchDatabase watch(WatchListPath());
        TSymbolDataBase file(symbolFile(), TOpenMode::ReadOnly);
        RefreshWatchList(watch, file);
        TListRecord after;
        watch.ReadAt(after, 0);
        QCOMPARE(after.Name.text(), QStringLiteral("ALPHA NEW"));
        QCOMPARE(after.NoteFile.text(), QStringLiteral("/notes/a.txt"));
        QCOMPARE(after.SecurityCode, 4242);
        QCOMPARE(after.WebSite.text(), QStringLiteral("http://broker.example"));
    }

    // A torn last record (the file cut inside a record) is not read; the
    // whole entries before it still are.
    void refreshReadsADamagedFileSafely()
    {
        TTestEnv env;
        makeFolders(env);
        addSymbol("A", "ALPHA");
        writeRaw({listEntry("A", "ALPHA"), listEntry("B", "BETA")});
        {
            QFile f(WatchListPath());
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.resize(f.size() - 17));
        }
        TWatchDatabase watch(WatchListPath());
        TSymbolDataBase file(symbolFile(), TOpenMode::ReadOnly);
        QCOMPARE(RefreshWatchList(watch, file), QStringList{"ALPHA"});
    }

    void entryChecks_data()
    {
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<QString>("note");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("fine") << "ACME"
                              << "/notes/ACME.txt" << QStringList();
        QTest::newRow("empty symbol") << "   "
                                      << "" << QStringList{"Securities Symbol: A Symbol Is Required"};
        QTest::newRow("dot dot") << ".."
                                 << ""
                                 << QStringList{
                                        "Securities Symbol: May Not Contain \"/\" Or Be \".\" Or \"..\""};
        QTest::newRow("slash") << "A/B"
                               << ""
                               << QStringList{
                                      "Securities Symbol: May Not Contain \"/\" Or Be \".\" Or \"..\""};
        QTest::newRow("dot dot behind a blank") << " .."
                                                << ""
                                                << QStringList{
                                                       "Securities Symbol: May Not Contain \"/\" Or Be \".\" Or \"..\""};
        QTest::newRow("dot before a blank") << ". "
                                            << ""
                                            << QStringList{
                                                   "Securities Symbol: May Not Contain \"/\" Or Be \".\" Or \"..\""};
        QTest::newRow("symbol not single-byte")
            << QString::fromUtf8("\u20acX") << "" << QStringList{"Securities Symbol: The Symbol Cannot Be Stored"};
        QTest::newRow("note path not single-byte")
            << "ACME" << QString::fromUtf8("/notes/\u20ac.txt")
            << QStringList{"Securities Note File: The Path Cannot Be Stored"};
        QTest::newRow("latin-1 note path")
            << "ACME" << QString::fromUtf8("/notes/caf\u00e9.txt") << QStringList();
    }
    void entryChecks()
    {
        QFETCH(QString, symbol);
        QFETCH(QString, note);
        QFETCH(QStringList, messages);
        QCOMPARE(CheckWatchEntry({symbol, "NAME", note}), messages);
    }

    void nameTakenLooksPastTheEditedEntry()
    {
        TTestEnv env;
        makeFolders(env);
        TWatchDatabase watch(WatchListPath());
        QVERIFY(!WatchNameTaken(watch, "ALPHA"));
        const int alpha = InsertWatchEntry(watch, listEntry("A", "ALPHA"));
        const int beta = InsertWatchEntry(watch, listEntry("B", "BETA"));
        QCOMPARE(alpha, 0);
        QCOMPARE(beta, 1);
        QCOMPARE(InsertWatchEntry(watch, listEntry("AA", "AARDVARK")), 0);
        QVERIFY(WatchNameTaken(watch, "BETA"));
        QVERIFY(!WatchNameTaken(watch, "BETA", 2)); // editing BETA itself
        QVERIFY(WatchNameTaken(watch, "BETA", 1));
        QVERIFY(!WatchNameTaken(watch, "GAMMA"));
        QCOMPARE(stored(watch), QStringList({"AA=AARDVARK", "A=ALPHA", "B=BETA"}));
    }

    // A list that cannot be read to its end is shown as far as it was read
    // but never rewritten: the rewrite would keep only those entries.
    void refreshNeverRewritesAListItCouldNotRead()
    {
        TTestEnv env;
        makeFolders(env);
        addSymbol("A", "ALPHA NEW");
        writeRaw({listEntry("A", "ALPHA"), listEntry("B", "BETA"), listEntry("C", "GAMMA")});
        TWatchDatabase watch(WatchListPath());
        TSymbolDataBase file(symbolFile(), TOpenMode::ReadOnly);
        // The file shrinks under the open list (another program, a full disk).
        QVERIFY(QFile::resize(WatchListPath(), qint64(sizeof(TListRecord))));
        bool rewritten = true, failed = true, unreadable = false;
        const QStringList names = RefreshWatchList(watch, file, &rewritten, &failed, &unreadable);
        QVERIFY(unreadable);
        QVERIFY(!rewritten);
        QVERIFY(!failed);
        QCOMPARE(names, QStringList{"ALPHA NEW"}); // shown renamed, not stored
        QCOMPARE(QFileInfo(WatchListPath()).size(), qint64(sizeof(TListRecord)));
    }

    void replaceMovesTheEntryInOneStep()
    {
        TTestEnv env;
        makeFolders(env);
        TWatchDatabase watch(WatchListPath());
        for (const char *n : {"ALPHA", "BETA", "GAMMA"})
            QVERIFY(InsertWatchEntry(watch, listEntry(n, n)) >= 0);
        QCOMPARE(ReplaceWatchEntry(watch, 0, listEntry("Z", "ZULU")), 2);
        QCOMPARE(stored(watch), QStringList({"BETA=BETA", "GAMMA=GAMMA", "Z=ZULU"}));
        QCOMPARE(ReplaceWatchEntry(watch, 2, listEntry("A", "ALPHA")), 0);
        QCOMPARE(stored(watch), QStringList({"A=ALPHA", "BETA=BETA", "GAMMA=GAMMA"}));
        QCOMPARE(ReplaceWatchEntry(watch, 3, listEntry("X", "X")), -1); // no such entry
        QCOMPARE(watch.RecordCount(), 3);

        TWatchDatabase readOnly(WatchListPath(), TOpenMode::ReadOnly);
        QCOMPARE(ReplaceWatchEntry(readOnly, 0, listEntry("Z", "ZULU")), -1);
        QCOMPARE(stored(readOnly), QStringList({"A=ALPHA", "BETA=BETA", "GAMMA=GAMMA"}));
    }

    // On a full disk every change fails whole and says so, and leaves no
    // IoError behind on the list: the purge walks this same list object and
    // would otherwise stop at once on "Could Not Read The File".
    void failedChangesLeaveTheListReadable()
    {
        TTestEnv env;
        makeFolders(env);
        TWatchDatabase watch(WatchListPath());
        for (const char *n : {"ALPHA", "BETA"})
            QVERIFY(InsertWatchEntry(watch, listEntry(n, n)) >= 0);
        const QByteArray before = TTestEnv::readFile(WatchListPath());
        {
            TSizeLimit full(before.size() - 1); // not even the same list again
            QCOMPARE(InsertWatchEntry(watch, listEntry("AA", "AARDVARK")), -1);
            QCOMPARE(watch.Status(), uint16_t(0));
            QVERIFY(!DeleteWatchEntry(watch, 0));
            QCOMPARE(watch.Status(), uint16_t(0));
            QCOMPARE(ReplaceWatchEntry(watch, 0, listEntry("Z", "ZULU")), -1);
            QCOMPARE(watch.Status(), uint16_t(0));
        }
        QCOMPARE(TTestEnv::readFile(WatchListPath()), before);
        TRecordingTalk talk;
        QVERIFY(PurgeAll(watch, "19990101", talk));
        QCOMPARE(talk.errors, QStringList());
        QVERIFY(DeleteWatchEntry(watch, 0));
        QCOMPARE(stored(watch), QStringList{"BETA=BETA"});
    }
};

QTEST_GUILESS_MAIN(TestWatchList)
#include "tst_WatchList.moc"
