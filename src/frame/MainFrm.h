#pragma once
// The main window: menu bar that opens every other window, status bar naming
// the current portfolio, and the tiled background picture.

#include <QImage>
#include <QMainWindow>

class QAction;
class QLabel;
class QMenu;

class TMainForm : public QMainWindow
{
    Q_OBJECT
public:
    explicit TMainForm(QWidget *parent = nullptr);
    ~TMainForm() override;

    // Re-reads the background path from the configuration and decodes it.
    void LoadBackground();
    // The duties of the first activation (error-log question, startup portfolio).
    void FormActivate();
    // Called once the splash window is gone: makes sure the first
    // activation's duties run even when no activation event ever arrives.
    void SplashClosed();
    // What follows an accepted settings dialog: background, current portfolio
    // and its access check, status bar, and opening its window when asked.
    void SettingsAccepted();
    // Enables the error-log and summary items from the files' existence.
    void UpdateLogMenuStates();
    // Status panel 0 from the current portfolio.
    void ShowCurrentPortfolio();

    QString statusPanelText(int panel) const;
    const QImage &backgroundBitmap() const { return m_background; }
    bool firstActivationPending() const { return m_firstActivationPending; }

    // Menus and items, named as the menu table names them.
    QMenu *File1 = nullptr, *Tools1 = nullptr, *Securities1 = nullptr, *Window1 = nullptr, *Help1 = nullptr;
    QAction *PrinterSetup1 = nullptr, *ViewErrorLog1 = nullptr, *DeleteErrorLog1 = nullptr,
            *ViewLoadData1 = nullptr, *DeleteSummaryFile1 = nullptr, *Settings1 = nullptr, *Exit1 = nullptr;
    QAction *CommissionCalculator1 = nullptr, *ReturnEstimator1 = nullptr, *Calander1 = nullptr,
            *Calculator1 = nullptr, *NotePad1 = nullptr, *Watch1 = nullptr, *RunWatch1 = nullptr,
            *DataConversion1 = nullptr;
    QAction *StockData1 = nullptr, *ViewPortfilio1 = nullptr, *Portfilio1 = nullptr, *Symbols1 = nullptr,
            *PurgeData1 = nullptr;
    QAction *List1 = nullptr, *Index1 = nullptr, *About1 = nullptr;

    QLabel *StatusPanel0 = nullptr;
    QLabel *StatusPanel1 = nullptr;

public slots:
    void PrinterSetup1Click();
    void ViewErrorLog1Click();
    void DeleteErrorLog1Click();
    void ViewLoadData1Click();
    void DeleteSummaryFile1Click();
    void Calculator1Click();
    void NotePad1Click();
    void ViewPortfilio1Click();
    void CommissionCalculator1Click();
    void Symbols1Click();
    void List1Click();
    void About1Click();

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QAction *addItem(QMenu *menu, const char *name, const QString &caption);
    void buildMenus();
    // Sets the current portfolio from the startup portfolio after its access
    // check; returns the startup portfolio's open-on-start-up byte when one is current.
    bool takeStartupPortfolio(bool *openOnStartup);

    QImage m_background;
    QString m_backgroundPath;
    bool m_firstActivationPending = false;
    bool m_openPortfolioPending = false;
    friend class TBackgroundArea;
};
