#include "TestEnv.h"

#include "frame/DirectoryListFrm.h"
#include "frame/ModalUi.h"
#include "frame/SettingsFrm.h"
#include "records/WatchBase.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QtTest>

class TestSettingsFrm : public QObject
{
    Q_OBJECT

private slots:
    void pagesInTabOrder()
    {
        TTestEnv env;
        TSettingsForm form;
        QCOMPARE(form.windowTitle(), QStringLiteral("Settings"));
        QStringList tabs;
        for (int i = 0; i < form.PageControl1->count(); ++i)
            tabs << form.PageControl1->tabText(i);
        QCOMPARE(tabs, (QStringList{"Directories", "Commission Calculators", "Stock", "Stock Graph Data",
                                    "Stock Graph Colors", "Portfolio", "Run Watch", "Misc."}));
        QCOMPARE(form.Portfolio->text(), env.dir() + "port/");
        QCOMPARE(form.RecordsToRead->maximum(), 20000);
        QVERIFY(!form.RecordsToRead->isEnabled()); // limit unticked by default
        form.LimitRecords->setChecked(true);
        QVERIFY(form.RecordsToRead->isEnabled());
        QVERIFY(!form.MaxRunWatch->isEnabled());
        form.OpenGraph->setChecked(true);
        QVERIFY(form.MaxRunWatch->isEnabled());
        QV_VERIFY_ENV(env);
    }

    void percentScheduleRoundTripsThroughTheDialog_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("1.5") << "1.5"
                             << "0.015";
        QTest::newRow("0.5") << "0.5"
                             << "0.5";
    }
    void percentScheduleRoundTripsThroughTheDialog()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        TTestEnv env;
        {
            TSettingsForm form;
            QVERIFY(!form.PrecentCommission->isEnabled());
            form.Commissions->setCurrentIndex(2);
            QVERIFY(form.PrecentCommission->isEnabled());
            form.PrecentCommission->setText(typed);
            QVERIFY(form.store());
        }
        TSettingsForm again;
        QCOMPARE(again.Commissions->currentIndex(), 2);
        QTEST(again.PrecentCommission->text(), "shown");
        again.Commissions->setCurrentIndex(0);
        QVERIFY(again.PrecentCommission->text().isEmpty());
        QV_VERIFY_ENV(env);
    }

    void portfolioPageListsTheTypedFolder()
    {
        TTestEnv env;
        const QString other = env.dir() + "other/";
        QDir().mkpath(other);
        {
            TWatchDatabase list(other + "Port.sbl");
            TListRecord rec;
            rec.Name.setText("Growth");
            rec.FileName.setText("GROW");
            list.Insert(rec);
        }
        TSettingsForm form;
        QVERIFY(!form.ComboBox1->isEnabled());
        QVERIFY(!form.OpenPort->isEnabled());
        form.Portfolio->setText(other);
        form.PageControl1->setCurrentIndex(5);
        QVERIFY(form.ComboBox1->isEnabled());
        QCOMPARE(form.ComboBox1->count(), 2);
        QCOMPARE(form.ComboBox1->currentText(), QStringLiteral("No Portfolio"));
        QV_VERIFY_ENV(env);
    }

    void missingFontLeavesTheListEmpty()
    {
        TTestEnv env;
        LoadConfig();
        ConfigRecord.Graph.FontName.setText("No Such Font Qv");
        QVERIFY(SaveConfig());
        TSettingsForm form;
        QCOMPARE(form.FontList->currentText(), QString());
        QVERIFY(form.store());
        QCOMPARE(GetGraphSettings().FontName.text(), QString());
        QV_VERIFY_ENV(env);
    }

    void cancelLeavesTheFileUntouchedAndOkStores()
    {
        TTestEnv env;
        LoadConfig();
        QVERIFY(SaveConfig());
        const QByteArray before = TTestEnv::readFile(env.path("Stocks.cfg"));
        SetModalStrict(true);
        QueueModalScript([](QDialog *d) {
            auto *f = qobject_cast<TSettingsForm *>(d);
            f->NoteViewer->setText("/opt/viewer");
            return int(QDialog::Rejected);
        });
        QVERIFY(!RunSettingsDialog(nullptr));
        QCOMPARE(TTestEnv::readFile(env.path("Stocks.cfg")), before);

        QueueModalScript([](QDialog *d) {
            auto *f = qobject_cast<TSettingsForm *>(d);
            f->NoteViewer->setText("/opt/viewer");
            return int(QDialog::Accepted);
        });
        QVERIFY(RunSettingsDialog(nullptr));
        QCOMPARE(GetFiles().NoteViewer, QStringLiteral("/opt/viewer"));
        SetModalStrict(false);
        QV_VERIFY_ENV(env);
    }

    void folderDialogKeepsTypedValuesAndAddsTheSeparator()
    {
        TTestEnv env;
        SetModalStrict(true);
        TSettingsForm form;
        form.NoteViewer->setText("typed, not stored");
        QString purpose;
        QueueModalScript([&purpose, &env](QDialog *d) {
            auto *f = qobject_cast<TDirectoryForm *>(d);
            purpose = f->PurposeLabel->text();
            f->selectFolder(QDir::cleanPath(env.dir()));
            return int(QDialog::Accepted);
        });
        const QString working = QDir::currentPath();
        form.findChild<QPushButton *>("PortfolioBtn")->click();
        QCOMPARE(purpose, QStringLiteral("Portfilios"));
        QCOMPARE(form.Portfolio->text(), QDir::cleanPath(env.dir()) + "/");
        QCOMPARE(form.NoteViewer->text(), QStringLiteral("typed, not stored"));
        QCOMPARE(QDir::currentPath(), working);
        SetModalStrict(false);
        QV_VERIFY_ENV(env);
    }
};

QTEST_MAIN(TestSettingsFrm)
#include "tst_SettingsFrm.moc"
