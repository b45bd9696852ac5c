// The start-up sequence: splash window, the long-lived windows, at least five
// seconds of splash, then the event loop until the main window closes.

#include "frame/AboutFrm.h"
#include "frame/AppIdentity.h"
#include "frame/Clock.h"
#include "frame/ConnectionsUi.h"
#include "frame/FixedLayoutUi.h"
#include "frame/MainFrm.h"
#include "frame/Messages.h"
#include "frame/ModalUi.h"
#include "frame/Pictures.h"
#include "frame/Splash.h"
#include "frame/Stockcfg.h"
#include "frame/WindowListFrm.h"
#include "frame/WorkspaceLock.h"
#include "portfolio/commissionfrm.h"
#include "securities/StockDataFrm.h"
#include "securities/SymbolListFrm.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QPixmap>
#include <QThread>
#include <csignal>
#include <memory>

int main(int argc, char **argv)
{
    // Dates are shown month/day/four-digit year everywhere; the date helpers
    // of the shared unit fix that form, so there is no locale setting to make.
    const qint64 started = Clock::TickCount();
    QApplication app(argc, argv);
    SetBaseFolder(QDir::currentPath());
    SetProgramFolder(QDir::currentPath());
    // A file that reaches the size limit must fail its write (and be rolled
    // back), not end the program half-way through a change.
    std::signal(SIGXFSZ, SIG_IGN);

    InstallMessageBoxes();
    TWorkspaceLock workspaceLock(QDir::currentPath());
    if (!workspaceLock.acquired()) {
        ShowError(kAlreadyRunningText);
        return 1;
    }
    // A new installation gets its data folders before any window opens a
    // file in them: the symbol list keeps Stocks.sbl open from here on.
    CreateMissingFolders();

    auto splash = std::make_unique<TSplashForm>(6);
    splash->show();
    splash->repaint();
    QApplication::processEvents();

    InstallApplicationIdentity();
    InstallMessageBoxes();
    // Windows drawn in fixed pixels widen where the desktop font needs it.
    InstallTextFitting();

    InstallWindowConnections();
    TMainForm mainForm;
    AdvanceSplash(splash.get());
    auto windowList = std::make_unique<TWindowListForm>(&mainForm);
    WindowListForm = windowList.get();
    AdvanceSplash(splash.get());
    auto commission = std::make_unique<TCommissionForm>();
    CommissionForm = commission.get();
    AdvanceSplash(splash.get());
    auto about = std::make_unique<TAboutBox>(&mainForm);
    AdvanceSplash(splash.get());
    auto symbolList = std::make_unique<TSymbolListForm>();
    SymbolListForm = symbolList.get();
    AdvanceSplash(splash.get());
    auto stockData = std::make_unique<TStockDataForm>();
    StockDataForm = stockData.get();
    AdvanceSplash(splash.get()); // stock data window

    while (Clock::TickCount() < started + 5000) {
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 50);
        QThread::msleep(20);
    }
    AdvanceSplash(splash.get());

    SetProgramFolder(WithBackslash(QApplication::applicationDirPath()));
    CreateMissingFolders();
    splash->hide();
    splash.reset();

    mainForm.show();
    mainForm.SplashClosed();
    const int rc = QApplication::exec();
    WindowListForm = nullptr;
    SymbolListForm = nullptr;
    StockDataForm = nullptr;
    CommissionForm = nullptr;
    return rc;
}
