// A full disk (the file size limit here) never passes unnoticed: the settings
// file keeps its old contents and the box names it, and the error log raises
// its error instead of losing the line in a buffer.

#include "TestEnv.h"

#include "frame/IoError.h"
#include "frame/StdUnit.h"
#include "frame/Stockcfg.h"

#include <QFile>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>

namespace {

// Holds every file at `bytes` for as long as it lives.
class TSizeLimit
{
public:
    explicit TSizeLimit(qint64 bytes)
    {
        m_signal = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        struct rlimit limit = m_saved;
        limit.rlim_cur = rlim_t(bytes);
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~TSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_signal);
    }

private:
    struct rlimit m_saved;
    void (*m_signal)(int);
};

} // namespace

class TestWriteFailures : public QObject
{
    Q_OBJECT

private slots:
    void settingsThatCannotBeSavedAreReportedAndKept()
    {
        TTestEnv env;
        LoadConfig();
        QVERIFY(SaveConfig());
        const QString path = env.path(QStringLiteral("Stocks.cfg"));
        const QByteArray before = TTestEnv::readFile(path);
        QCOMPARE(before.size(), 3848);
        ConfigRecord.CommissionSchedule = 2;
        bool saved = true;
        {
            TSizeLimit limit(1000);
            saved = SaveConfig();
        }
        QVERIFY(!saved);
        QCOMPARE(env.messages.said.size(), 1);
        QCOMPARE(env.messages.said[0].icon, TMsgIcon::Error);
        QVERIFY(env.messages.said[0].text.contains(path));
        QCOMPARE(TTestEnv::readFile(path), before);
        env.messages.said.clear();
    }

    void errorLogThatCannotBeWrittenRaises()
    {
        TTestEnv env;
        LoadConfig();
        LogError(QStringLiteral("first"));
        const QString path = ErrorLogPath();
        const QByteArray before = TTestEnv::readFile(path);
        bool raised = false;
        {
            TSizeLimit limit(before.size());
            try {
                LogError(QStringLiteral("a line the disk has no room for"));
            } catch (const EInOutError &e) {
                raised = e.message().contains(path);
            }
        }
        QVERIFY(raised);
    }
};

QTEST_GUILESS_MAIN(TestWriteFailures)
#include "tst_WriteFailures.moc"
