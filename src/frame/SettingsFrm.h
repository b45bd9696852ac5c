#pragma once
// The settings dialog: every block of Stocks.cfg on eight pages. The pages
// are filled once, when the dialog is made, so that closing one of its own
// dialogs (folder, file, colour) never throws away what the user typed; OK
// stores everything in one save (SettingsData), Cancel leaves the file alone.

#include "frame/SettingsData.h"

#include <QDialog>
#include <QFrame>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;

// A colour square: a left double click opens the colour dialog on it.
class TColorSquare : public QFrame
{
    Q_OBJECT
public:
    explicit TColorSquare(QWidget *parent = nullptr);
    uint32_t color() const { return m_color; } // 0x00BBGGRR
    void setColor(uint32_t color);

protected:
    void mouseDoubleClickEvent(QMouseEvent *e) override;

private:
    uint32_t m_color = 0;
};

class TSettingsForm : public QDialog
{
    Q_OBJECT
public:
    explicit TSettingsForm(QWidget *parent = nullptr);

    void fill(const TSettingsValues &v);
    TSettingsValues values() const;
    // Stores and saves; false when the save failed (the user was told).
    bool store() const;

    // The schedule rule of the commission page.
    void CommissionsChange(int index);
    // Refills "Default Portfolio:" from the folder typed on the first page.
    void FillPortfolioPage();
    void UpdateEnabling();

    QTabWidget *PageControl1 = nullptr;
    QLineEdit *Edit1 = nullptr, *WatchList = nullptr, *NoteDirectory = nullptr, *DataDir = nullptr,
              *Portfolio = nullptr;
    QComboBox *Commissions = nullptr;
    QLineEdit *PrecentCommission = nullptr, *BrokrageName = nullptr;
    QPlainTextEdit *CommissionMemo = nullptr;
    QCheckBox *LimitRecords = nullptr;
    QSpinBox *RecordsToRead = nullptr, *AddDays = nullptr;
    TColorSquare *PlusColor = nullptr, *MinusColor = nullptr;
    QRadioButton *HighLowCloseVolume = nullptr, *VolumeHighLowClose = nullptr;
    QSpinBox *DefaultRecords = nullptr, *RecordsToSkip = nullptr, *Average1 = nullptr, *Average2 = nullptr,
             *StdDev1 = nullptr, *StdDev2 = nullptr;
    QCheckBox *GraphOption[6] = {};
    TColorSquare *GraphColor[gcColorCount] = {};
    QComboBox *FontList = nullptr;
    QSpinBox *TitleFontSize = nullptr, *PriceFontSize = nullptr, *PriceBoxSize = nullptr;
    QCheckBox *RememberGraphSize = nullptr;
    QComboBox *ComboBox1 = nullptr;
    QCheckBox *OpenPort = nullptr;
    QCheckBox *RunWatchAfterImport = nullptr, *OpenStockForm = nullptr, *OpenGraph = nullptr;
    QSpinBox *MaxRunWatch = nullptr;
    QLineEdit *BackgroundImage = nullptr, *StartupSound = nullptr, *NoteViewer = nullptr,
              *Calculator = nullptr, *NoteFile = nullptr, *CalendarDir = nullptr;
    QPushButton *OKBtn = nullptr, *CancelBtn = nullptr;

private:
    QWidget *directoriesPage();
    QWidget *commissionPage();
    QWidget *stockPage();
    QWidget *graphDataPage();
    QWidget *graphColorsPage();
    QWidget *portfolioPage();
    QWidget *runWatchPage();
    QWidget *miscPage();
    void browseFolder(QLineEdit *edit, const QString &purpose);
    void browseFile(QLineEdit *edit, const QString &title, const QString &filter);

    QString m_startupName;
};

// "&Settings": shows the dialog; on OK stores and saves once. Returns whether
// the settings were stored (the caller then applies them).
bool RunSettingsDialog(QWidget *owner);
