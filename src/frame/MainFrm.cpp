#include "frame/MainFrm.h"

#include "frame/AboutFrm.h"
#include "frame/Background.h"
#include "frame/Messages.h"
#include "frame/ModalUi.h"
#include "frame/PortfolioAccessUi.h"
#include "frame/PrinterUi.h"
#include "frame/StdUnit.h"
#include "frame/StdUnitShellUi.h"
#include "frame/Stockcfg.h"
#include "frame/SettingsFrm.h"
#include "frame/WindowListFrm.h"
#include "portfolio/PortfilioListFrm.h"
#include "portfolio/ReturnEstfrm.h"
#include "portfolio/commissionfrm.h"
#include "tools/Calendarfrm.h"
#include "screening/runwatchfrm.h"
#include "screening/scanfrm.h"
#include "securities/StockDataFrm.h"
#include "securities/SymbolListFrm.h"
#include "securities/purgefrm.h"
#include "transfer/dataconversionfrm.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QStatusBar>
#include <QTimer>

// The client area: paints the background picture tiled with one pixel of
// overlap, and nothing while the picture's file is gone.
class TBackgroundArea : public QWidget
{
public:
    explicit TBackgroundArea(TMainForm *form)
        : QWidget(form), m_form(form)
    {
        setObjectName(QStringLiteral("BackgroundArea"));
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        if (m_form->m_backgroundPath.isEmpty() || !QFile::exists(m_form->m_backgroundPath))
            return;
        QPainter p(this);
        for (const QPoint &at : TileOrigins(m_form->m_background.size(), size()))
            p.drawImage(at, m_form->m_background);
    }

private:
    TMainForm *m_form;
};

TMainForm::TMainForm(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(kAppTitle);
    resize(644, 480);
    setCentralWidget(new TBackgroundArea(this));
    buildMenus();

    auto *bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    StatusPanel0 = new QLabel(bar);
    StatusPanel0->setObjectName(QStringLiteral("StatusPanel0"));
    StatusPanel0->setFixedWidth(250);
    StatusPanel1 = new QLabel(bar);
    StatusPanel1->setObjectName(QStringLiteral("StatusPanel1"));
    StatusPanel1->setFixedWidth(50);
    bar->addWidget(StatusPanel0);
    bar->addWidget(StatusPanel1);
    setStatusBar(bar);

    LoadBackground();
    bool openOnStartup = false;
    const bool hasPortfolio = takeStartupPortfolio(&openOnStartup);
    PlaySoundFile(GetFiles().StartupSound, false);
    if (hasPortfolio)
        m_openPortfolioPending = openOnStartup;
    ShowCurrentPortfolio();
    ViewPortfilio1->setEnabled(hasPortfolio);
    UpdateLogMenuStates();
    m_firstActivationPending = true;
}

TMainForm::~TMainForm() = default;

QAction *TMainForm::addItem(QMenu *menu, const char *name, const QString &caption)
{
    QAction *a = menu->addAction(caption);
    a->setObjectName(QLatin1String(name));
    return a;
}

void TMainForm::buildMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    File1 = bar->addMenu(QStringLiteral("&File"));
    File1->setObjectName(QStringLiteral("File1"));
    PrinterSetup1 = addItem(File1, "PrinterSetup1", QStringLiteral("P&rinter Setup"));
    File1->addSeparator();
    ViewErrorLog1 = addItem(File1, "ViewErrorLog1", QStringLiteral("Err&or Log"));
    DeleteErrorLog1 = addItem(File1, "DeleteErrorLog1", QStringLiteral("&Delete Error Log"));
    File1->addSeparator();
    ViewLoadData1 = addItem(File1, "ViewLoadData1", QStringLiteral("S&ummary File"));
    DeleteSummaryFile1 = addItem(File1, "DeleteSummaryFile1", QStringLiteral("D&elete Summary File"));
    File1->addSeparator();
    Settings1 = addItem(File1, "Settings1", QStringLiteral("&Settings"));
    File1->addSeparator();
    Exit1 = addItem(File1, "Exit1", QStringLiteral("E&xit"));

    Tools1 = bar->addMenu(QStringLiteral("&Tools"));
    Tools1->setObjectName(QStringLiteral("Tools1"));
    CommissionCalculator1 = addItem(Tools1, "CommissionCalculator1", QStringLiteral("&Commission Calculator"));
    ReturnEstimator1 = addItem(Tools1, "ReturnEstimator1", QStringLiteral("&Return Estimator"));
    Tools1->addSeparator();
    Calander1 = addItem(Tools1, "Calander1", QStringLiteral("C&alander"));
    Calculator1 = addItem(Tools1, "Calculator1", QStringLiteral("Ca&lculator"));
    NotePad1 = addItem(Tools1, "NotePad1", QStringLiteral("&Note Pad"));
    Tools1->addSeparator();
    Watch1 = addItem(Tools1, "Watch1", QStringLiteral("&Watch Data"));
    RunWatch1 = addItem(Tools1, "RunWatch1", QStringLiteral("R&un Watch"));
    Tools1->addSeparator();
    DataConversion1 = addItem(Tools1, "DataConversion1", QStringLiteral("&Data Conversion"));

    Securities1 = bar->addMenu(QStringLiteral("&Securities"));
    Securities1->setObjectName(QStringLiteral("Securities1"));
    StockData1 = addItem(Securities1, "StockData1", QStringLiteral("View &Stock Data"));
    ViewPortfilio1 = addItem(Securities1, "ViewPortfilio1", QStringLiteral("&View Current Portfilio"));
    Portfilio1 = addItem(Securities1, "Portfilio1", QStringLiteral("Select &Portfilios"));
    Symbols1 = addItem(Securities1, "Symbols1", QStringLiteral("View S&ymbols"));
    Securities1->addSeparator();
    PurgeData1 = addItem(Securities1, "PurgeData1", QStringLiteral("P&urge Data"));

    Window1 = bar->addMenu(QStringLiteral("&Window"));
    Window1->setObjectName(QStringLiteral("Window1"));
    List1 = addItem(Window1, "List1", QStringLiteral("&List"));

    Help1 = bar->addMenu(QStringLiteral("&Help"));
    Help1->setObjectName(QStringLiteral("Help1"));
    Index1 = addItem(Help1, "Index1", QStringLiteral("&Index")); // no help viewer on this platform
    Help1->addSeparator();
    About1 = addItem(Help1, "About1", QStringLiteral("&About"));

    connect(PrinterSetup1, &QAction::triggered, this, &TMainForm::PrinterSetup1Click);
    connect(ViewErrorLog1, &QAction::triggered, this, &TMainForm::ViewErrorLog1Click);
    connect(DeleteErrorLog1, &QAction::triggered, this, &TMainForm::DeleteErrorLog1Click);
    connect(ViewLoadData1, &QAction::triggered, this, &TMainForm::ViewLoadData1Click);
    connect(DeleteSummaryFile1, &QAction::triggered, this, &TMainForm::DeleteSummaryFile1Click);
    connect(Exit1, &QAction::triggered, this, &QWidget::close);
    connect(Calculator1, &QAction::triggered, this, &TMainForm::Calculator1Click);
    connect(NotePad1, &QAction::triggered, this, &TMainForm::NotePad1Click);
    connect(ViewPortfilio1, &QAction::triggered, this, &TMainForm::ViewPortfilio1Click);
    connect(Portfilio1, &QAction::triggered, this, [this] {
        ShowPortfolioList(this);
        ShowCurrentPortfolio();
        ViewPortfilio1->setEnabled(!CurrentPortfolio.FileName.isEmpty());
    });
    connect(CommissionCalculator1, &QAction::triggered, this, &TMainForm::CommissionCalculator1Click);
    connect(Symbols1, &QAction::triggered, this, &TMainForm::Symbols1Click);
    connect(StockData1, &QAction::triggered, this, [] {
        if (!StockDataForm)
            return;
        StockDataForm->Refresh(); // picks up renames and a changed folder
        BringWindowForward(StockDataForm);
    });
    connect(PurgeData1, &QAction::triggered, this, [this] { PurgeData(this); });
    connect(List1, &QAction::triggered, this, &TMainForm::List1Click);
    connect(About1, &QAction::triggered, this, &TMainForm::About1Click);
    connect(DataConversion1, &QAction::triggered, this, [this] {
        TDataConversionform dialog(this);
        ExecModal(&dialog);
        UpdateLogMenuStates();
    });
    connect(ReturnEstimator1, &QAction::triggered, this, [this] { ShowReturnEstimator(this); });
    connect(Calander1, &QAction::triggered, this, [this] { ShowCalendar(this); });
    connect(Settings1, &QAction::triggered, this, [this] {
        if (RunSettingsDialog(this))
            SettingsAccepted();
    });
    connect(Watch1, &QAction::triggered, this, [this] {
        TScanForm form(this);
        ExecModal(&form);
    });
    connect(RunWatch1, &QAction::triggered, this, [this] { ShowRunWatchForm(this); });
}

void TMainForm::LoadBackground()
{
    m_background = QImage();
    m_backgroundPath = GetFiles().Background;
    TBackgroundLoad load = LoadBackgroundPicture(m_backgroundPath);
    if (!load.error.isEmpty())
        ShowError(load.error);
    m_background = load.image;
    if (centralWidget())
        centralWidget()->update();
}

bool TMainForm::takeStartupPortfolio(bool *openOnStartup)
{
    const TStartupPortfolio startup = GetStartupPortfolio();
    CurrentPortfolio = startup.Portfolio;
    bool named = !startup.Portfolio.FileName.isEmpty();
    if (!CurrentPortfolioAccessAllowed(this)) {
        CurrentPortfolio.FileName.clear();
        CurrentPortfolio.Name.clear();
        named = false;
    }
    *openOnStartup = named && startup.OpenOnStartup != 0;
    return named;
}

void TMainForm::ShowCurrentPortfolio()
{
    const bool named = !CurrentPortfolio.FileName.isEmpty();
    StatusPanel0->setText(QStringLiteral("Portfolio: ")
                          + (named ? CurrentPortfolio.Name.text() : QStringLiteral("No Portfolio")));
}

QString TMainForm::statusPanelText(int panel) const
{
    return panel == 0 ? StatusPanel0->text() : StatusPanel1->text();
}

void TMainForm::UpdateLogMenuStates()
{
    const bool log = QFile::exists(ErrorLogPath());
    ViewErrorLog1->setEnabled(log);
    DeleteErrorLog1->setEnabled(log);
    const bool summary = QFile::exists(SummaryFilePath());
    ViewLoadData1->setEnabled(summary);
    DeleteSummaryFile1->setEnabled(summary);
}

void TMainForm::SplashClosed()
{
    // Without a window manager no activation ever arrives; the first
    // activation's duties then run as soon as the event loop does. FormActivate
    // runs each duty only once, so a real activation later asks nothing again.
    QTimer::singleShot(0, this, &TMainForm::FormActivate);
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    QMainWindow::closeEvent(event);
    if (!event->isAccepted())
        return;
    // The program ends with the main window: the symbol list, the calculator
    // and every other window close with it, so none is left on screen and
    // the event loop ends.
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *w : windows) {
        if (w != this && w->isVisible())
            w->close();
    }
    QCoreApplication::exit(0);
}

void TMainForm::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TMainForm::FormActivate()
{
    if (m_firstActivationPending) {
        m_firstActivationPending = false;
        if (QFile::exists(ErrorLogPath()) && AskYesNo(QStringLiteral("Error Log Exists, View Error Log?")))
            OpenDocument(this, ErrorLogPath());
    }
    if (m_openPortfolioPending) {
        m_openPortfolioPending = false;
        OpenCurrentPortfolioWindow(this);
    }
}

void TMainForm::SettingsAccepted()
{
    LoadBackground();
    bool openOnStartup = false;
    const bool hasPortfolio = takeStartupPortfolio(&openOnStartup);
    ShowCurrentPortfolio();
    ViewPortfilio1->setEnabled(hasPortfolio);
    if (hasPortfolio && openOnStartup)
        OpenCurrentPortfolioWindow(this);
    repaint();
}

void TMainForm::PrinterSetup1Click()
{
    PrinterSetup(this);
}

void TMainForm::ViewErrorLog1Click()
{
    OpenDocument(this, ErrorLogPath());
}

void TMainForm::DeleteErrorLog1Click()
{
    if (!AskYesNo(QStringLiteral("Are You Sure You Want To Delete The Error Log?")))
        return;
    QFile::remove(ErrorLogPath());
    ViewErrorLog1->setEnabled(false);
    DeleteErrorLog1->setEnabled(false);
}

void TMainForm::ViewLoadData1Click()
{
    OpenDocument(this, SummaryFilePath());
}

void TMainForm::DeleteSummaryFile1Click()
{
    if (!AskYesNo(QStringLiteral("Are You Sure You Want To Delete The Summary File?")))
        return;
    QFile::remove(SummaryFilePath());
    ViewLoadData1->setEnabled(false);
    DeleteSummaryFile1->setEnabled(false);
}

void TMainForm::Calculator1Click()
{
    RunProgram(this, GetFiles().Calculator);
}

void TMainForm::NotePad1Click()
{
    OpenDocument(this, GetFiles().NoteFile);
}

void TMainForm::ViewPortfilio1Click()
{
    OpenCurrentPortfolioWindow(this);
}

void TMainForm::CommissionCalculator1Click()
{
    BringWindowForward(CommissionForm);
}

void TMainForm::Symbols1Click()
{
    BringWindowForward(SymbolListForm);
}

void TMainForm::List1Click()
{
    if (!WindowListForm)
        return;
    if (ExecModal(WindowListForm) != QDialog::Accepted)
        return;
    BringWindowForward(WindowListForm->selectedWindow());
}

void TMainForm::About1Click()
{
    TAboutBox box(this);
    ExecModal(&box);
}
