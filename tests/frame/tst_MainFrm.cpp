#include "TestEnv.h"

#include "frame/AboutFrm.h"
#include "frame/MainFrm.h"
#include "frame/ModalUi.h"
#include "frame/PortfolioAccessUi.h"
#include "frame/Splash.h"
#include "frame/StatusFrm.h"
#include "frame/StdUnit.h"
#include "frame/Stockcfg.h"
#include "frame/WindowListFrm.h"
#include "portfolio/commissionfrm.h"
#include "records/WatchBase.h"
#include "securities/SymbolListFrm.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

namespace {

void saveStartupPortfolio(const QString &fileName, const QString &name, bool openOnStartup)
{
    LoadConfig();
    ConfigRecord.Startup.Portfolio.FileName = fileName;
    ConfigRecord.Startup.Portfolio.Name = name;
    ConfigRecord.Startup.OpenOnStartup = openOnStartup ? 1 : 0;
    ConfigRecord.Files.NoteViewer = QStringLiteral("/bin/true");
    SaveConfig();
    // The access check looks the startup portfolio up in the portfolio list.
    if (!fileName.isEmpty()) {
        QDir().mkpath(QFileInfo(PortfolioListPath()).path());
        TWatchDatabase list(PortfolioListPath());
        TListRecord entry = ConfigRecord.Startup.Portfolio;
        list.Insert(entry);
    }
}

// Counts how often the portfolio window would have been opened.
struct TOpenCounter
{
    int opened = 0;
    TOpenCounter()
    {
        SetPortfolioWindowOpener([this](QWidget *) { ++opened; });
    }
    ~TOpenCounter() { SetPortfolioWindowOpener({}); }
};

} // namespace

class TestMainFrm : public QObject
{
    Q_OBJECT

private slots:
    void menuCarriesEveryItemWithItsCaption_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        const char *rows[][2] = {
            {"PrinterSetup1", "P&rinter Setup"},   {"ViewErrorLog1", "Err&or Log"},
            {"DeleteErrorLog1", "&Delete Error Log"}, {"ViewLoadData1", "S&ummary File"},
            {"DeleteSummaryFile1", "D&elete Summary File"}, {"Settings1", "&Settings"},
            {"Exit1", "E&xit"},                    {"CommissionCalculator1", "&Commission Calculator"},
            {"ReturnEstimator1", "&Return Estimator"}, {"Calander1", "C&alander"},
            {"Calculator1", "Ca&lculator"},        {"NotePad1", "&Note Pad"},
            {"Watch1", "&Watch Data"},             {"RunWatch1", "R&un Watch"},
            {"DataConversion1", "&Data Conversion"}, {"StockData1", "View &Stock Data"},
            {"ViewPortfilio1", "&View Current Portfilio"}, {"Portfilio1", "Select &Portfilios"},
            {"Symbols1", "View S&ymbols"},         {"PurgeData1", "P&urge Data"},
            {"List1", "&List"},                    {"Index1", "&Index"},
            {"About1", "&About"},
        };
        for (const auto &r : rows)
            QTest::newRow(r[0]) << QString(r[0]) << QString(r[1]);
    }
    void menuCarriesEveryItemWithItsCaption()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        TTestEnv env;
        TMainForm form;
        auto *action = form.findChild<QAction *>(name);
        QVERIFY(action);
        QCOMPARE(action->text(), caption);
        QCOMPARE(form.windowTitle(), QStringLiteral("The Quorvane"));
        QCOMPARE(form.size(), QSize(644, 480));
    }

    void newInstallationShowsNoPortfolioAndNoLogs()
    {
        TTestEnv env;
        TMainForm form;
        QCOMPARE(form.statusPanelText(0), QStringLiteral("Portfolio: No Portfolio"));
        QCOMPARE(form.statusPanelText(1), QString());
        QVERIFY(!form.ViewPortfilio1->isEnabled());
        QVERIFY(!form.ViewErrorLog1->isEnabled());
        QVERIFY(!form.DeleteErrorLog1->isEnabled());
        QVERIFY(!form.ViewLoadData1->isEnabled());
        QVERIFY(!form.DeleteSummaryFile1->isEnabled());
        QVERIFY(form.Settings1->isEnabled());
        QVERIFY(form.backgroundBitmap().isNull());
        // No error log: the first activation asks nothing.
        form.FormActivate();
        QV_VERIFY_ENV(env);
    }

    void logFilesEnableTheirItems()
    {
        TTestEnv env;
        env.writeFile("Stock.err", "x\r\n");
        env.writeFile("Summary.txt", "y\r\n");
        TMainForm form;
        QVERIFY(form.ViewErrorLog1->isEnabled());
        QVERIFY(form.DeleteErrorLog1->isEnabled());
        QVERIFY(form.ViewLoadData1->isEnabled());
        QVERIFY(form.DeleteSummaryFile1->isEnabled());
        env.messages.expectQuestion("Error Log Exists, View Error Log?", false);
        form.FormActivate();
        QV_VERIFY_ENV(env);
    }

    void deletingALogAsksFirst()
    {
        TTestEnv env;
        env.writeFile("Stock.err", "x\r\n");
        env.writeFile("Summary.txt", "y\r\n");
        TMainForm form;
        env.messages.expectQuestion("Are You Sure You Want To Delete The Error Log?", false);
        form.DeleteErrorLog1->trigger();
        QVERIFY(QFile::exists(env.path("Stock.err")));
        QVERIFY(form.ViewErrorLog1->isEnabled() && form.DeleteErrorLog1->isEnabled());

        env.messages.expectQuestion("Are You Sure You Want To Delete The Error Log?", true);
        form.DeleteErrorLog1->trigger();
        QVERIFY(!QFile::exists(env.path("Stock.err")));
        QVERIFY(!form.ViewErrorLog1->isEnabled() && !form.DeleteErrorLog1->isEnabled());
        QVERIFY(form.ViewLoadData1->isEnabled());

        env.messages.expectQuestion("Are You Sure You Want To Delete The Summary File?", true);
        form.DeleteSummaryFile1->trigger();
        QVERIFY(!QFile::exists(env.path("Summary.txt")));
        QVERIFY(!form.ViewLoadData1->isEnabled() && !form.DeleteSummaryFile1->isEnabled());
        QV_VERIFY_ENV(env);
    }

    void errorLogQuestionIsAskedOnceAndCanOpenTheLog()
    {
        TTestEnv env;
        saveStartupPortfolio(QString(), QStringLiteral("No Portfolio"), false);
        env.writeFile("Stock.err", "x\r\n");
        TMainForm form;
        QVERIFY(form.firstActivationPending());
        env.messages.expectQuestion("Error Log Exists, View Error Log?", true);
        form.FormActivate();
        form.FormActivate();
        form.FormActivate();
        QVERIFY(!form.firstActivationPending());
        QCOMPARE(env.messages.said.size(), 1);
        QV_VERIFY_ENV(env);
    }

    void startupPortfolioIsCurrentAndOpensOnFirstActivation()
    {
        TTestEnv env;
        TOpenCounter counter;
        saveStartupPortfolio(QStringLiteral("RETIRE"), QStringLiteral("Retirement"), true);
        TMainForm form;
        QCOMPARE(form.statusPanelText(0), QStringLiteral("Portfolio: Retirement"));
        QVERIFY(form.ViewPortfilio1->isEnabled());
        QCOMPARE(CurrentPortfolio.FileName.text(), QStringLiteral("RETIRE"));
        QCOMPARE(counter.opened, 0);
        form.FormActivate();
        QCOMPARE(counter.opened, 1);
        form.FormActivate();
        QCOMPARE(counter.opened, 1);
        form.ViewPortfilio1->trigger();
        QCOMPARE(counter.opened, 2);
    }

    void settingsAcceptedTakesTheNewStartupPortfolio()
    {
        TTestEnv env;
        TOpenCounter counter;
        TMainForm form;
        QCOMPARE(form.statusPanelText(0), QStringLiteral("Portfolio: No Portfolio"));
        saveStartupPortfolio(QStringLiteral("TRADE"), QStringLiteral("Trading"), true);
        form.SettingsAccepted();
        QCOMPARE(form.statusPanelText(0), QStringLiteral("Portfolio: Trading"));
        QVERIFY(form.ViewPortfilio1->isEnabled());
        QCOMPARE(counter.opened, 1); // opened at once, not on a later activation
        saveStartupPortfolio(QString(), QStringLiteral("No Portfolio"), false);
        form.SettingsAccepted();
        QCOMPARE(form.statusPanelText(0), QStringLiteral("Portfolio: No Portfolio"));
        QVERIFY(!form.ViewPortfilio1->isEnabled());
        QCOMPARE(counter.opened, 1);
    }

    void backgroundFromConfiguration()
    {
        TTestEnv env;
        QImage img(30, 20, QImage::Format_RGB32);
        img.fill(Qt::blue);
        QVERIFY(img.save(env.path("stock.bmp"), "BMP"));
        {
            TMainForm form;
            QCOMPARE(form.backgroundBitmap().size(), QSize(30, 20));
        }
        // An undecodable picture is reported and not drawn.
        env.writeFile("stock.bmp", "not a picture");
        TMainForm form;
        QVERIFY(form.backgroundBitmap().isNull());
        QCOMPARE(env.messages.said.size(), 1);
        QCOMPARE(env.messages.said[0].icon, TMsgIcon::Error);
    }

    void windowListHoldsEachCaptionOnce()
    {
        TTestEnv env;
        TWindowListForm list;
        WindowListForm = &list;
        QWidget a, b, c;
        a.setWindowTitle("Symbols");
        b.setWindowTitle("Commission Calculator ");
        c.setWindowTitle("Symbols");
        WindowListAdd(&a);
        WindowListAdd(&b);
        WindowListAdd(&a);
        WindowListAdd(&c);
        QCOMPARE(list.captions(), QStringList({"Commission Calculator ", "Symbols"}));
        QCOMPARE(WindowListFind("Symbols"), &a);
        WindowListRemove(&a);
        QCOMPARE(list.captions(), QStringList({"Commission Calculator "}));
        QCOMPARE(WindowListFind("Symbols"), nullptr);
        WindowListForm = nullptr;
        WindowListAdd(&a); // no list: nothing happens
    }

    void listCommandShowsTheChosenWindow()
    {
        TTestEnv env;
        TMainForm form;
        TWindowListForm list;
        WindowListForm = &list;
        QWidget hidden;
        hidden.setWindowTitle("Portfolio Retirement");
        WindowListAdd(&hidden);
        QueueModalScript([](QDialog *d) {
            auto *l = d->findChild<QListWidget *>("WindowList");
            l->setCurrentRow(0);
            return int(QDialog::Accepted);
        });
        form.List1->trigger();
        QVERIFY(hidden.isVisible());
        WindowListForm = nullptr;
        QV_VERIFY_ENV(env);
    }

    void toolsAndSecuritiesItemsShowTheirWindows()
    {
        TTestEnv env;
        TMainForm form;
        TWindowListForm list;
        WindowListForm = &list;
        TSymbolListForm symbols;
        SymbolListForm = &symbols;
        form.Symbols1->trigger();
        form.Symbols1->trigger();
        QVERIFY(symbols.isVisible());
        QCOMPARE(list.captions(), QStringList({"Symbol List"}));
        symbols.CloseBtn->click();
        QVERIFY(!symbols.isVisible());
        QCOMPARE(list.captions(), QStringList());
        SymbolListForm = nullptr;

        TCommissionForm calculator;
        CommissionForm = &calculator;
        form.CommissionCalculator1->trigger();
        QVERIFY(calculator.isVisible());
        QCOMPARE(list.captions(), QStringList({"Commission Calculator "}));
        CommissionForm = nullptr;
        WindowListForm = nullptr;
    }

    void aboutWindowShowsNameAndVersion()
    {
        TTestEnv env;
        TMainForm form;
        QString version;
        QueueModalScript([&](QDialog *d) {
            version = d->findChild<QLabel *>("Version")->text();
            return int(QDialog::Accepted);
        });
        form.About1->trigger();
        QCOMPARE(version, QStringLiteral("Version 3.1"));
        TAboutBox box;
        QCOMPARE(box.windowTitle(), QStringLiteral("The Quorvane"));
        QVERIFY(QFontMetrics(box.ProductName->font()).horizontalAdvance("The Quorvane") <= 273);
        QV_VERIFY_ENV(env);
    }

    void splashGaugeAdvancesOnlyWhenShown()
    {
        TSplashForm splash(6);
        QCOMPARE(splash.windowTitle(), QStringLiteral("The Quorvane"));
        QCOMPARE(splash.Gauge1->maximum(), 6);
        for (int i = 0; i < 8; ++i)
            AdvanceSplash(&splash);
        QCOMPARE(splash.Gauge1->value(), 6);
        TSplashForm none(0);
        QVERIFY(none.Gauge1->isHidden());
        none.advance();
        QCOMPARE(none.Gauge1->value(), -1); // never started
        AdvanceSplash(nullptr);
    }

    void progressWindowCarriesTheMessage()
    {
        TStatusTalk talk(nullptr, "The Quorvane", "Please Wait");
        QCOMPARE(talk.form()->size(), QSize(397, 150));
        QCOMPARE(talk.form()->message(), QStringLiteral("Please Wait"));
        talk.progress("IBM");
        QCOMPARE(talk.form()->message(), QStringLiteral("IBM"));
    }
};

QTEST_MAIN(TestMainFrm)
#include "tst_MainFrm.moc"
