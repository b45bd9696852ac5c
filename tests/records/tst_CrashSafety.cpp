// A record file never ends half-changed: a change is killed after each of
// its disk steps in turn (in a child process, so the kill is real), and the
// file reopened afterwards must hold exactly the old or exactly the new
// records. Also: journals that are torn, foreign or cannot be applied, a
// full disk (the file size limit), the read-only mode and whole-file
// replacement.

#include "RecordImages.h"
#include "TestEnv.h"

#include "records/Database.h"
#include "records/SblBase.h"
#include "records/TransDatabase.h"

#include <QDir>
#include <QFileInfo>
#include <QtTest>
#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QByteArray dayImage(int i)
{
    const QByteArray date = QDate(1990, 1, 1).addDays(2 * i).toString(QStringLiteral("yyyyMMdd")).toLatin1();
    return PriceImage(date, i + 1.0, i + 0.5, i + 0.75, 1000 + i);
}

// Records on every second day, so that a record fits between any two. 1,200
// records span several of the engine's 16 KB blocks.
QByteArray history(int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += dayImage(i);
    return bytes;
}

TPriceRecord priceOn(const QString &date, double close)
{
    TPriceRecord r;
    r.Date = date;
    r.High = close + 1;
    r.Low = close - 1;
    r.Close = close;
    r.Volume = 7;
    return r;
}

using TChange = std::function<void(TDataBase &)>;

int g_stepsLeft = 0;
void countStep()
{
    if (--g_stepsLeft == 0)
        ::raise(SIGKILL);
}

// Runs `change` on the file in a child process that is killed right after
// its k-th disk step. Returns true when the child was killed, false when the
// change finished before step k.
bool runKilledAfter(const QString &path, const TChange &change, int k)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        // Flushes count as steps too, as on a real run.
        SetRecordFileSync(true);
        g_stepsLeft = k;
        SetRecordIoObserver(countStep);
        {
            TDataBase db(path);
            change(db);
        }
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

// Runs `body` in a child under a file size limit of `limit` bytes; the child's
// exit code is what `body` returned (0 = all checks held).
int runLimited(qint64 limit, const std::function<int()> &body)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        struct rlimit rl;
        rl.rlim_cur = rl.rlim_max = rlim_t(limit);
        ::setrlimit(RLIMIT_FSIZE, &rl);
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100;
}

} // namespace

class TestCrashSafety : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { SetRecordFileSync(false); }

    void killedAtAnyStepLeavesOldOrNew_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("kind");
        // kind: 0 insert before the first, 1 insert in the middle, 2 delete
        // in the middle, 3 delete-through, 4 clear, 5 whole-file replacement
        QTest::newRow("insert before first") << 1200 << 0;
        QTest::newRow("insert in middle") << 1200 << 1;
        QTest::newRow("delete") << 1200 << 2;
        QTest::newRow("delete first of two") << 2 << 2;
        QTest::newRow("delete through") << 1200 << 3;
        QTest::newRow("clear") << 1200 << 4;
        QTest::newRow("replace all") << 1200 << 5;
    }
    void killedAtAnyStepLeavesOldOrNew()
    {
        QFETCH(int, count);
        QFETCH(int, kind);
        TTestEnv env;
        const QByteArray before = history(count);
        const TChange change = [kind](TDataBase &db) {
            TPriceRecord r;
            switch (kind) {
            case 0:
                r = priceOn(QStringLiteral("19800101"), 5);
                db.Insert(r);
                break;
            case 1:
                r = priceOn(QDate(1990, 1, 2).addDays(2 * 700).toString(QStringLiteral("yyyyMMdd")), 5);
                db.Insert(r);
                break;
            case 2:
                db.Delete(0);
                break;
            case 3:
                db.DeleteThrough(400);
                break;
            case 4:
                db.Clear();
                break;
            case 5:
                db.ReplaceAll(history(300));
                break;
            }
        };

        // The file as the change leaves it when nothing interrupts it.
        const QString reference = env.writeFile(QStringLiteral("ref.stk"), before);
        {
            TDataBase db(reference);
            change(db);
            QCOMPARE(db.Status() & IoError, 0);
        }
        const QByteArray after = TTestEnv::readFile(reference);
        QVERIFY(after != before);

        const QString path = env.path(QStringLiteral("T.stk"));
        int kills = 0;
        int oldSeen = 0;
        for (int k = 1; k < 200; ++k) {
            env.writeFile(QStringLiteral("T.stk"), before);
            QFile::remove(path + QStringLiteral(".jnl"));
            const bool killed = runKilledAfter(path, change, k);
            {
                TDataBase reopened(path); // undoes an unfinished change
                QVERIFY(reopened.IsWritable());
            }
            const QByteArray now = TTestEnv::readFile(path);
            QVERIFY2(now == before || now == after,
                     qPrintable(QStringLiteral("killed after step %1").arg(k)));
            QVERIFY(!QFileInfo::exists(path + QStringLiteral(".jnl")));
            if (!killed) {
                QCOMPARE(now, after);
                break;
            }
            ++kills;
            oldSeen += now == before;
        }
        QVERIFY(kills >= 2);
        QVERIFY(oldSeen >= 1);
        qInfo("%d kills, %d left the old records", kills, oldSeen);
    }

    void tornOrForeignJournalIsDroppedAndTheFileKept_data()
    {
        QTest::addColumn<QByteArray>("journal");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("foreign") << QByteArray("not a journal at all, just some text\n");
        // A whole journal of the right form, cut short as a crash would.
        QByteArray real;
        {
            TTestEnv env;
            SetRecordIoObserver(nullptr);
            const QString p = env.writeFile(QStringLiteral("J.stk"), history(20));
            const pid_t pid = ::fork();
            if (pid == 0) {
                g_stepsLeft = 3; // journal created, written, then killed
                SetRecordIoObserver(countStep);
                TDataBase db(p);
                TPriceRecord r = priceOn(QStringLiteral("19800101"), 1);
                db.Insert(r);
                ::_exit(0);
            }
            int status = 0;
            ::waitpid(pid, &status, 0);
            real = TTestEnv::readFile(p + QStringLiteral(".jnl"));
        }
        QVERIFY(real.size() > 100);
        QTest::newRow("torn") << real.left(real.size() - 5);
        QByteArray otherSize = real;
        otherSize[8] = char(64); // written for another record size
        QTest::newRow("other record size") << otherSize;
    }
    void tornOrForeignJournalIsDroppedAndTheFileKept()
    {
        QFETCH(QByteArray, journal);
        TTestEnv env;
        const QByteArray content = history(20);
        const QString path = env.writeFile(QStringLiteral("J.stk"), content);
        env.writeFile(QStringLiteral("J.stk.jnl"), journal);
        {
            TDataBase db(path);
            QVERIFY(db.IsWritable());
            QCOMPARE(db.RecordCount(), 20);
        }
        QCOMPARE(TTestEnv::readFile(path), content);
        QVERIFY(!QFileInfo::exists(path + QStringLiteral(".jnl")));
    }

    // A journal whose bytes cannot be put back (here: the file may not grow
    // back to its old size) keeps the file closed for writing and says so.
    void journalThatCannotBeAppliedKeepsTheFileReadOnly()
    {
        TTestEnv env;
        const QString path = env.writeFile(QStringLiteral("R.stk"), history(100));
        // Leave a complete journal of a delete-through that was killed after
        // it shortened the file.
        QVERIFY(runKilledAfter(
            path, [](TDataBase &db) { db.DeleteThrough(98); }, 5));
        QVERIFY(QFileInfo::exists(path + QStringLiteral(".jnl")));
        QVERIFY(QFileInfo(path).size() < 100 * 48);
        const int rc = runLimited(48 * 10, [&]() {
            TDataBase db(path);
            if (!db.IsOpen() || db.IsWritable() || db.OpenProblem().isEmpty())
                return 1;
            if (!db.OpenProblem().contains(path))
                return 2;
            TPriceRecord r = priceOn(QStringLiteral("20500101"), 1);
            if (db.Insert(r) || !(db.Status() & IoError))
                return 3;
            return QFileInfo::exists(path + QStringLiteral(".jnl")) ? 0 : 4;
        });
        QCOMPARE(rc, 0);
        // Without the limit the next open puts everything back.
        {
            TDataBase db(path);
            QVERIFY(db.IsWritable());
        }
        QCOMPARE(TTestEnv::readFile(path), history(100));
    }

    // With the disk full (the file size limit reached) every change leaves
    // the file exactly as it was and the caller's status says so.
    void writeFailuresLeaveTheFileAsItWas_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("append") << 0;
        QTest::newRow("insert before first") << 1;
        QTest::newRow("delete first") << 2;
        QTest::newRow("delete through") << 3;
        QTest::newRow("replace all") << 4;
    }
    void writeFailuresLeaveTheFileAsItWas()
    {
        QFETCH(int, kind);
        TTestEnv env;
        const QByteArray content = history(500);
        const QString path = env.writeFile(QStringLiteral("F.stk"), content);
        const int rc = runLimited(content.size(), [&]() {
            TDataBase db(path);
            TPriceRecord r;
            bool ok = true;
            switch (kind) {
            case 0:
                r = priceOn(QStringLiteral("20500101"), 1);
                ok = db.Insert(r);
                break;
            case 1:
                r = priceOn(QStringLiteral("19800101"), 1);
                ok = db.Insert(r);
                break;
            case 2:
                db.Delete(0);
                break;
            case 3:
                db.DeleteThrough(10);
                break;
            case 4:
                ok = db.ReplaceAll(content + dayImage(600));
                break;
            }
            if (ok && kind != 2 && kind != 3)
                return 1;
            if (!(db.Status() & IoError))
                return 2;
            if (db.RecordCount() != 500)
                return 3;
            return 0;
        });
        QCOMPARE(rc, 0);
        QCOMPARE(TTestEnv::readFile(path), content);
        QVERIFY(!QFileInfo::exists(path + QStringLiteral(".jnl")));
        QVERIFY(!QFileInfo::exists(path + QStringLiteral(".new")));
    }

    void readOnlyNeverCreatesNorChanges()
    {
        TTestEnv env;
        {
            TDataBase missing(env.path(QStringLiteral("None.stk")), TOpenMode::ReadOnly);
            QVERIFY(!missing.IsOpen());
            QCOMPARE(missing.Status(), quint16(NotOpen));
        }
        QVERIFY(!QFileInfo::exists(env.path(QStringLiteral("None.stk"))));

        const QByteArray content = history(30);
        const QString path = env.writeFile(QStringLiteral("RO.stk"), content);
        TDataBase db(path, TOpenMode::ReadOnly);
        QVERIFY(db.IsOpen());
        QVERIFY(!db.IsWritable());
        TPriceRecord r;
        db.Last(r);
        QCOMPARE(db.Status(), quint16(0));
        QCOMPARE(r.Close, 29.75);
        r.Close = 1;
        db.WriteCurrent(r);
        QVERIFY(db.Status() & IoError);
        TPriceRecord front = priceOn(QStringLiteral("19800101"), 1);
        QVERIFY(!db.Insert(front));
        db.Delete(0);
        db.DeleteThrough(5);
        db.Clear();
        QVERIFY(!db.ReplaceAll(QByteArray()));
        QCOMPARE(db.RecordCount(), 30);
        QCOMPARE(TTestEnv::readFile(path), content);
    }

    void replaceAllSwapsTheWholeFileAndKeepsItsPermissions()
    {
        TTestEnv env;
        const QString path = env.writeFile(QStringLiteral("P.stk"), history(50));
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0640) == 0);
        TDataBase db(path);
        TDataBase other(path);
        QVERIFY(!db.ReplaceAll(QByteArray(47, 'x'))); // not a whole record
        QVERIFY(db.Status() & IoError);
        QCOMPARE(TTestEnv::readFile(path), history(50));

        // Built through the typed images, the price rule applies as on writing.
        QByteArray images;
        TPriceRecord r = priceOn(QStringLiteral("20000103"), 10);
        r.High = 1; // below Low: becomes Close
        db.AppendImage(images, r);
        QCOMPARE(r.High, 10.0);
        QVERIFY(db.ReplaceAll(images + dayImage(5000)));
        QCOMPARE(db.RecordCount(), 2);
        QCOMPARE(db.CurrentIndex(), 0);
        TPriceRecord got;
        db.First(got);
        QCOMPARE(got.High, 10.0);
        struct stat st;
        QVERIFY(::stat(QFile::encodeName(path).constData(), &st) == 0);
        QCOMPARE(int(st.st_mode & 0777), 0640);
        QVERIFY(!QFileInfo::exists(path + QStringLiteral(".new")));

        QString error;
        QVERIFY(
            !ReplaceFileContents(env.path(QStringLiteral("no/such/folder/X.stk")), QByteArray("x"), &error));
        QVERIFY(error.contains(QStringLiteral("no/such/folder/X.stk")));
    }

    // Every register goes through the same journal: a transaction file
    // killed half-way through a delete comes back whole.
    void transactionFileDeleteIsJournalledToo()
    {
        TTestEnv env;
        const QString path = env.path(QStringLiteral("P.tra"));
        {
            TTransBase tra(path);
            for (int i = 0; i < 40; ++i) {
                TTransRecord t;
                t.Symbol = QStringLiteral("S%1").arg(i % 7);
                t.Date = QStringLiteral("2001%1").arg(1001 + i);
                tra.Insert(t);
            }
            QCOMPARE(tra.RecordCount(), 40);
        }
        const QByteArray before = TTestEnv::readFile(path);
        const pid_t pid = ::fork();
        if (pid == 0) {
            g_stepsLeft = 4;
            SetRecordIoObserver(countStep);
            TTransBase tra(path);
            tra.Delete(0);
            ::_exit(0);
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        QVERIFY(WIFSIGNALED(status));
        {
            TTransBase tra(path);
            QCOMPARE(tra.RecordCount(), 40);
        }
        QCOMPARE(TTestEnv::readFile(path), before);
    }
};

QTEST_GUILESS_MAIN(TestCrashSafety)
#include "tst_CrashSafety.moc"
