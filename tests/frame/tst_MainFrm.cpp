#include "TestEnv.h"

#include "frame/AboutFrm.h"
#include "frame/AppIdentity.h"
#include "frame/MainFrm.h"
#include "frame/ModalUi.h"
#include "frame/PortfolioAccessUi.h"
#include "frame/PrinterUi.h"
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
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
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
            {"PrinterSetup1", "P&rinter Setup"},
            {"ViewErrorLog1", "Err&or Log"},
            {"DeleteErrorLog1", "&Delete Error Log"},
            {"ViewLoadData1", "S&ummary File"},
            {"DeleteSummaryFile1", "D&elete Summary File"},
            {"Settings1", "&Settings"},
            {"Exit1", "E&xit"},
            {"CommissionCalculator1", "&Commission Calculator"},
            {"ReturnEstimator1", "&Return Estimator"},
            {"Calander1", "C&alander"},
            {"Calculator1", "Ca&lculator"},
            {"NotePad1", "&Note Pad"},
            {"Watch1", "&Watch Data"},
            {"RunWatch1", "R&un Watch"},
            {"DataConversion1", "&Data Conversion"},
            {"StockData1", "View &Stock Data"},
            {"ViewPortfilio1", "&View Current Portfilio"},
            {"Portfilio1", "Select &Portfilios"},
            {"Symbols1", "View S&ymbols"},
            {"PurgeData1", "P&urge Data"},
            {"List1", "&List"},
            {"Index1", "&Index"},
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

    // Minimising hides a window without closing it: it stays listed (so no
    // second window of its caption opens), is restored when brought forward,
    // and an entry never hands out a window that has been deleted.
    void windowListKeepsMinimisedWindowsAndDropsDeletedOnes()
    {
        struct Listed : QWidget
        {
            void showEvent(QShowEvent *) override { WindowListAdd(this); }
            void hideEvent(QHideEvent *) override { WindowListRemove(this); }
        };
        TTestEnv env;
        TWindowListForm list;
        WindowListForm = &list;
        Listed a;
        a.setWindowTitle("ACME (ACME)");
        a.show();
        QCOMPARE(list.captions(), QStringList{"ACME (ACME)"});
        a.setWindowState(Qt::WindowMinimized);
        QVERIFY(a.isMinimized());
        QCOMPARE(WindowListFind("ACME (ACME)"), &a);
        BringWindowForward(&a);
        QVERIFY(!a.isMinimized());
        QVERIFY(a.isVisible());
        a.hide();
        QVERIFY(list.captions().isEmpty());

        auto *gone = new QWidget;
        gone->setWindowTitle("Gone");
        WindowListAdd(gone);
        delete gone; // deleted without hiding first
        QCOMPARE(WindowListFind("Gone"), nullptr);
        QVERIFY(list.captions().isEmpty());
        WindowListForm = nullptr;
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

    // Without a window manager no activation arrives: once the splash is gone
    // the error-log question still comes, once, however many activations follow.
    void errorLogQuestionComesWithoutActivationAndOnlyOnce()
    {
        TTestEnv env;
        env.writeFile("Stock.err", "x\r\n");
        TMainForm form; // never shown, so never activated
        env.messages.expectQuestion("Error Log Exists, View Error Log?", false);
        form.SplashClosed();
        QVERIFY(form.firstActivationPending()); // not before the event loop runs
        QTRY_VERIFY(!form.firstActivationPending());
        form.FormActivate();
        QApplication::processEvents();
        QCOMPARE(env.messages.said.size(), 1);
        QV_VERIFY_ENV(env);
    }

    // Closing the main window, by its close box or "E&xit", ends the program:
    // the symbol list and the calculator close with it and the event loop ends.
    void closingTheMainWindowClosesEveryWindow_data()
    {
        QTest::addColumn<bool>("byExit");
        QTest::newRow("close box") << false;
        QTest::newRow("Exit") << true;
    }
    void closingTheMainWindowClosesEveryWindow()
    {
        QFETCH(bool, byExit);
        TTestEnv env;
        TMainForm form;
        TWindowListForm list(&form);
        WindowListForm = &list;
        TSymbolListForm symbols;
        SymbolListForm = &symbols;
        TCommissionForm calculator;
        CommissionForm = &calculator;
        form.show();
        form.Symbols1->trigger();
        form.CommissionCalculator1->trigger();
        QVERIFY(symbols.isVisible() && calculator.isVisible());
        QTimer::singleShot(0, &form, [&] {
            if (byExit)
                form.Exit1->trigger();
            else
                form.close();
        });
        // A loop that the close does not end would hang here: the guard ends
        // it and the check below fails.
        bool guarded = false;
        QTimer::singleShot(20000, &form, [&] {
            guarded = true;
            QCoreApplication::exit(1);
        });
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!guarded);
        QVERIFY(!form.isVisible());
        QVERIFY(!symbols.isVisible());
        QVERIFY(!calculator.isVisible());
        QCOMPARE(list.captions(), QStringList());
        SymbolListForm = nullptr;
        CommissionForm = nullptr;
        WindowListForm = nullptr;
        QV_VERIFY_ENV(env);
    }

    // "P&rinter Setup" offers the printer choice: the print dialog on the
    // program's one printer.
    void printerSetupChoosesThePrinter()
    {
        TTestEnv env;
        TMainForm form;
        QPrinter *shown = nullptr;
        QueueModalScript([&](QDialog *d) {
            auto *dialog = qobject_cast<QPrintDialog *>(d);
            shown = dialog ? dialog->printer() : nullptr;
            return int(QDialog::Rejected);
        });
        form.PrinterSetup1->trigger();
        QCOMPARE(shown, AppPrinter());
        QCOMPARE(PendingModalScripts(), 0);
        QV_VERIFY_ENV(env);
    }

    // Captions read exactly as given: no application display name is set,
    // which the desktop would append to every caption but the main one.
    void captionsCarryNoApplicationName()
    {
        TTestEnv env;
        const QString savedName = QGuiApplication::applicationName();
        InstallApplicationIdentity();
        QCOMPARE(QGuiApplication::applicationName(), QStringLiteral("The Quorvane"));
        // A display name that was never set follows the application name.
        QGuiApplication::setApplicationName(QStringLiteral("probe"));
        QCOMPARE(QGuiApplication::applicationDisplayName(), QStringLiteral("probe"));
        QGuiApplication::setApplicationName(savedName);
        TSymbolListForm symbols;
        TCommissionForm calculator;
        TMainForm form;
        for (QWidget *w : {static_cast<QWidget *>(&symbols), static_cast<QWidget *>(&calculator),
                           static_cast<QWidget *>(&form)})
            w->show();
        QCOMPARE(symbols.windowHandle()->title(), QStringLiteral("Symbol List"));
        QCOMPARE(calculator.windowHandle()->title(), QStringLiteral("Commission Calculator "));
        QCOMPARE(form.windowHandle()->title(), QStringLiteral("The Quorvane"));
        QV_VERIFY_ENV(env);
    }

    // The sample workspace's start-up sound: a valid PCM wave file of a
    // fraction of a second, under the name the configuration defaults to.
    void sampleStartupSoundIsAShortPcmWave()
    {
        TTestEnv env;
        const QString path = QFileInfo(SampleCsvPath()).absolutePath() + "/scanid.wav";
        const QByteArray wav = TTestEnv::readFile(path);
        QVERIFY(wav.size() > 44);
        QCOMPARE(wav.left(4), QByteArray("RIFF"));
        QCOMPARE(wav.mid(8, 8), QByteArray("WAVEfmt "));
        auto u16 = [&](int at) { return int(uchar(wav[at])) | int(uchar(wav[at + 1])) << 8; };
        auto u32 = [&](int at) { return qint64(u16(at)) | qint64(u16(at + 2)) << 16; };
        QCOMPARE(u32(4), qint64(wav.size() - 8));
        QCOMPARE(u16(20), 1); // PCM
        const int channels = u16(22);
        const qint64 rate = u32(24);
        const int bits = u16(34);
        QCOMPARE(wav.mid(36, 4), QByteArray("data"));
        const qint64 bytes = u32(40);
        QCOMPARE(bytes, qint64(wav.size() - 44));
        const double seconds = double(bytes) / (rate * channels * (bits / 8));
        QVERIFY(seconds > 0.1 && seconds < 1.0);
        LoadConfig();
        QCOMPARE(QFileInfo(GetFiles().StartupSound).fileName(), QStringLiteral("scanid.wav"));
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

        // The closing message and an error box come without the progress
        // window behind them; the run's next step shows it again.
        struct TSeesProgress : TMessageResponder
        {
            TStatusForm *form = nullptr;
            QList<bool> shown;
            TMsgResult respond(TMsgIcon, const QString &, TMsgButtons) override
            {
                shown << form->isVisible();
                return TMsgResult::Ok;
            }
        } sees;
        sees.form = talk.form();
        TMessageResponder *before = MessageResponder();
        SetMessageResponder(&sees);
        talk.error("Error");
        QVERIFY(talk.form()->isHidden());
        talk.progress("MSFT");
        QVERIFY(talk.form()->isVisible());
        talk.information("Done");
        SetMessageResponder(before);
        QCOMPARE(sees.shown, QList<bool>({false, false}));
    }
};

QTEST_MAIN(TestMainFrm)
#include "tst_MainFrm.moc"
