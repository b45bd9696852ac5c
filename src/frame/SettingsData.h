#pragma once
// What the settings dialog edits, as plain values: read from Stocks.cfg when
// the dialog opens and written back in one save on OK. The dialog only moves
// these values in and out of its controls, so every rule of filling and
// storing lives here.

#include "frame/Stockcfg.h"

#include <QString>
#include <QStringList>
#include <array>

struct TSettingsValues
{
    // Directories (each ending in a separator when not empty)
    QString SymbolDir, WatchDir, NoteDir, DataDir, PortfolioDir;
    // Commission Calculators
    int Schedule = 0;
    QString PercentCommission; // shown only for the percent schedule
    QString BrokerName;
    // Misc.
    QString Background, StartupSound, NoteViewer, Calculator, NoteFile, CalendarDir;
    // Stock
    bool LimitRecords = false;
    QString RecordsToRead;
    uint32_t PlusColor = 0, MinusColor = 0;
    int FieldOrder = 0; // 0 high low close volume, 1 volume high low close
    int AddDays = 0;
    // Portfolio
    QString DefaultPortfolio; // a name of the list, or "No Portfolio"
    bool OpenPortfolio = false;
    // Stock Graph Data
    QString DefaultRecords, RecordsToSkip, Average1, Average2, StdDev1, StdDev2;
    uint16_t GraphOptions = 0;
    // Stock Graph Colors
    QString FontName;
    int TitleFontSize = 0, PriceFontSize = 0;
    std::array<uint32_t, gcColorCount> Colors{};
    int PriceBoxSize = 0;
    bool RememberGraphSize = false;
    // Run Watch
    bool RunWatchAfterImport = false, OpenStockForm = false, OpenGraph = false;
    int MaxRunWatch = 0;
};


// The ranges of the dialog's spin boxes; typed numbers are held to them.
struct TSettingsRange
{
    int Min, Max;
};
inline constexpr TSettingsRange kRecordsToReadRange{10, 20000};
inline constexpr TSettingsRange kAddDaysRange{-100, 100};
inline constexpr TSettingsRange kDefaultRecordsRange{50, 5000};
inline constexpr TSettingsRange kRecordsToSkipRange{1, 100};
inline constexpr TSettingsRange kAverageRange{2, 20000};
inline constexpr TSettingsRange kStdDevRange{1, 3};
inline constexpr TSettingsRange kFontSizeRange{6, 24};
inline constexpr TSettingsRange kPriceBoxRange{20, 80};
inline constexpr TSettingsRange kMaxRunWatchRange{0, 100};

// Reads Stocks.cfg afresh. The portfolio page is not filled here: it
// depends on the folder typed on the first page (PortfolioNamesIn).
TSettingsValues LoadSettingsValues();

// The text of the percent edit for a schedule: the stored rate in the
// general form for the percent schedule, empty for the others.
QString PercentCommissionText(int schedule);
QString BrokerNameFor(int schedule);

// The names of Port.sbl in the folder typed (the text followed directly by
// "Port.sbl"), in file order. A folder without the list gives none; nothing
// is created there.
QStringList PortfolioNamesIn(const QString &folderText);

// The portfolio page's list: the names, then "No Portfolio" when there is
// at least one, and the item to select.
struct TPortfolioChoice
{
    QStringList Items;
    QString Selected; // empty when the list is empty
};
TPortfolioChoice PortfolioChoiceIn(const QString &folderText, const QString &startupName);

// Stores everything into the in-memory configuration (freshly loaded, so
// the values this dialog does not edit are written back as they are on
// file) and saves once. False when the save failed (the user was told).
bool SaveSettingsValues(const TSettingsValues &values);
// The storing itself, without loading or saving.
void StoreSettingsValues(const TSettingsValues &values, TConfigRecord &config);

// Where the folder dialog opens: the edit's folder when it can be entered,
// otherwise the working folder.
QString FolderDialogStart(const QString &editText);
// The edit's new text for a folder chosen with the folder dialog: without a
// trailing separator except at the root; the portfolio folder always ends
// in one.
QString FolderDialogResult(const QString &chosen, bool portfolio);
