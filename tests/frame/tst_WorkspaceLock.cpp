// One program per workspace: a second lock on the same folder is refused
// while the first program runs, and the lock of a program that died (or a
// lock file damaged beyond reading) is taken over.

#include "TestEnv.h"

#include "frame/WorkspaceLock.h"

#include <QFile>
#include <QtTest>
#include <sys/wait.h>
#include <unistd.h>

class TestWorkspaceLock : public QObject
{
    Q_OBJECT

private slots:
    void secondProgramOnTheSameFolderIsRefused()
    {
        TTestEnv env;
        QTemporaryDir other;
        {
            TWorkspaceLock first(env.dir());
            QVERIFY(first.acquired());
            TWorkspaceLock second(env.dir());
            QVERIFY(!second.acquired());
            // Another folder is another workspace.
            TWorkspaceLock elsewhere(other.path());
            QVERIFY(elsewhere.acquired());
        }
        TWorkspaceLock afterExit(env.dir());
        QVERIFY(afterExit.acquired());
        QCOMPARE(kAlreadyRunningText, QStringLiteral("The Quorvane Is Already Running In This Folder."));
    }

    void lockOfACrashedProgramIsTakenOver()
    {
        TTestEnv env;
        const pid_t pid = ::fork();
        if (pid == 0) {
            TWorkspaceLock lock(env.dir());
            ::_exit(lock.acquired() ? 0 : 1); // dies holding the lock
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        QVERIFY(QFile::exists(TWorkspaceLock::lockFileName(env.dir())));
        TWorkspaceLock lock(env.dir());
        QVERIFY(lock.acquired());
    }

    void damagedLockFileIsTakenOver_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("garbage") << QByteArray("\x01\x02 not a lock\n");
    }
    void damagedLockFileIsTakenOver()
    {
        QFETCH(QByteArray, content);
        TTestEnv env;
        QFile f(TWorkspaceLock::lockFileName(env.dir()));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
        f.close();
        TWorkspaceLock lock(env.dir());
        QVERIFY(lock.acquired());
    }
};

QTEST_GUILESS_MAIN(TestWorkspaceLock)
#include "tst_WorkspaceLock.moc"
