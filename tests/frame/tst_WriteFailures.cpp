// A full disk (the file size limit here) never passes unnoticed: the settings
// file keeps its old contents and the box names it, and the error log raises
// its error instead of losing the line in a buffer.

#include "SizeLimit.h"
#include "TestEnv.h"

#include "frame/IoError.h"
#include "frame/StdUnit.h"
#include "frame/Stockcfg.h"

#include <QFile>
#include <QtTest>

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
