#pragma once
// Stocks.cfg: every setting of the program in one file of twelve fixed blocks
// (3,848 bytes), and the three process-wide values (base folder, program
// folder, current portfolio). Nothing is cached: each Get… reloads the file so
// that a setting saved by one window is seen by the next reader.

#include "frame/CountedString.h"

#include <QString>

#include <cstddef>
#include <cstdint>

// The name that stands for "no portfolio current" wherever one is chosen.
inline const QString kNoPortfolio = QStringLiteral("No Portfolio");

#pragma pack(push, 1)

// One entry of Port.sbl and of Watch.sbl, and the current portfolio.
struct TListRecord
{
    TCountedString<7> FileName;   // portfolio file base name / watch-list symbol
    TCountedString<40> Name;      // the key of both lists
    TCountedString<255> NoteFile;
    TCountedString<40> Password;  // scrambled on disk, plain in memory
    TCountedString<40> Protected2;
    TCountedString<255> WebSite;  // broker web site
    uint8_t Reserved = 0;
    int32_t SecurityCode = 0;
};

struct TStartupPortfolio
{
    TListRecord Portfolio;
    uint8_t OpenOnStartup = 0;
    uint8_t Reserved[3] = {};
};

struct TFolders
{
    TCountedString<255> Symbol;
    TCountedString<255> Watch;
    TCountedString<255> Notes;
    TCountedString<255> Data;
    TCountedString<255> Portfolio;
};

struct TFiles
{
    TCountedString<255> Background;
    TCountedString<255> StartupSound;
    TCountedString<255> NoteViewer;
    TCountedString<255> NoteFile;
    TCountedString<255> Calculator;
    TCountedString<255> CalendarFolder;
};

struct TRunWatchOptions
{
    uint8_t RunWatchAfterImport = 0;
    uint8_t OpenStockForm = 0;
    uint8_t OpenGraph = 0;
    uint8_t Reserved = 0;
    int32_t WindowsToOpen = 0; // 0 = no limit
};

// The 24 chart colours in file order.
enum TGraphColor {
    gcVolumeBoxLine,
    gcTitleFont,
    gcVolumeBoxFill,
    gcPriceBoxLine,
    gcPriceBoxFill,
    gcPrice,
    gcPaper,
    gcClose,
    gcHighLow,
    gcVolumeLine,
    gcVolumeFill,
    gcMonth,
    gcPriceLine,
    gcAverage1,
    gcAverage2,
    gcStdDev1,
    gcStdDev2,
    gcBuy,
    gcSell,
    gcZoomLine,
    gcZoomFill,
    gcOverlay,
    gcHighestHigh,
    gcLowestLow,
    gcColorCount
};

// Option bits of the chart settings: which overlays a new chart shows.
enum TGraphOption : uint16_t {
    goStdDev1 = 1,
    goStdDev2 = 2,
    goMovingAverages = 4,
    goBuySellPoints = 8,
    goHighLow = 16,
    goHighestLowest = 32,
};

struct TGraphSettings
{
    int32_t DefaultRecords = 0;
    int32_t RecordsToSkip = 0;
    int32_t Average1 = 0;
    int32_t Average2 = 0;
    int32_t StdDev1 = 0;
    int32_t StdDev2 = 0;
    uint16_t Options = 0;
    uint8_t Reserved1[6] = {};
    TCountedString<40> FontName;
    uint8_t Reserved2 = 0;
    uint16_t TitleFontSize = 0;
    uint16_t PriceFontSize = 0;
    uint8_t Reserved3[2] = {};
    uint32_t Colors[gcColorCount] = {};
    double PricePercent = 0;
    double VolumePercent = 0; // written, never read
    uint16_t Width = 0;
    uint16_t Height = 0;
    uint8_t DontRememberSize = 0;
    uint8_t Reserved4[3] = {};
};

struct TStatisticsOptions
{
    uint8_t LimitRecords = 0;
    uint8_t Reserved[3] = {};
    int32_t RecordCount = 0;
    uint32_t PlusColor = 0;
    uint32_t MinusColor = 0;
};

enum TPortfolioGraphOption : uint16_t { pgIncludeDividends = 1, pgSellAll = 2 };
enum TPortfolioGraphType : uint16_t { pgSummary = 1, pgCurrentYear = 2, pgYearly = 3 };

struct TPortfolioGraphOptions
{
    uint16_t Options = 0;
    uint16_t GraphType = 0;
};

struct TInputOptions
{
    uint8_t FieldOrder = 0; // 0 = high low close volume, 1 = volume high low close
    uint8_t Reserved[3] = {};
    int32_t AddDays = 0;
};

struct TPercentCommission
{
    double Rate = 0; // fraction of the total price
    TCountedString<40> Broker;
    uint8_t Reserved[7] = {};
};

struct TConfigRecord
{
    TCountedString<13> Version;       // block 1
    TStartupPortfolio Startup;        // block 2
    TFolders Folders;                 // block 3
    TFiles Files;                     // block 4
    TRunWatchOptions RunWatch;        // block 5
    uint8_t Reserved[72] = {};        // block 6
    TGraphSettings Graph;             // block 7
    int16_t CommissionSchedule = 0;   // block 8
    TStatisticsOptions Statistics;    // block 9
    TPortfolioGraphOptions PortGraph; // block 10
    TInputOptions Input;              // block 11
    TPercentCommission Percent;       // block 12
};

#pragma pack(pop)

static_assert(sizeof(TListRecord) == 648);
static_assert(offsetof(TListRecord, Name) == 8);
static_assert(offsetof(TListRecord, NoteFile) == 49);
static_assert(offsetof(TListRecord, Password) == 305);
static_assert(offsetof(TListRecord, Protected2) == 346);
static_assert(offsetof(TListRecord, WebSite) == 387);
static_assert(offsetof(TListRecord, Reserved) == 643);
static_assert(offsetof(TListRecord, SecurityCode) == 644);
static_assert(sizeof(TStartupPortfolio) == 652);
static_assert(sizeof(TFolders) == 1280);
static_assert(sizeof(TFiles) == 1536);
static_assert(sizeof(TRunWatchOptions) == 8);
static_assert(sizeof(TGraphSettings) == 200);
static_assert(offsetof(TGraphSettings, Options) == 24);
static_assert(offsetof(TGraphSettings, FontName) == 32);
static_assert(offsetof(TGraphSettings, TitleFontSize) == 74);
static_assert(offsetof(TGraphSettings, PriceFontSize) == 76);
static_assert(offsetof(TGraphSettings, Colors) == 80);
static_assert(offsetof(TGraphSettings, PricePercent) == 176);
static_assert(offsetof(TGraphSettings, VolumePercent) == 184);
static_assert(offsetof(TGraphSettings, Width) == 192);
static_assert(offsetof(TGraphSettings, DontRememberSize) == 196);
static_assert(sizeof(TStatisticsOptions) == 16);
static_assert(sizeof(TPortfolioGraphOptions) == 4);
static_assert(sizeof(TInputOptions) == 8);
static_assert(sizeof(TPercentCommission) == 56);
static_assert(offsetof(TConfigRecord, Startup) == 14);
static_assert(offsetof(TConfigRecord, Folders) == 666);
static_assert(offsetof(TConfigRecord, Files) == 1946);
static_assert(offsetof(TConfigRecord, RunWatch) == 3482);
static_assert(offsetof(TConfigRecord, Reserved) == 3490);
static_assert(offsetof(TConfigRecord, Graph) == 3562);
static_assert(offsetof(TConfigRecord, CommissionSchedule) == 3762);
static_assert(offsetof(TConfigRecord, Statistics) == 3764);
static_assert(offsetof(TConfigRecord, PortGraph) == 3780);
static_assert(offsetof(TConfigRecord, Input) == 3784);
static_assert(offsetof(TConfigRecord, Percent) == 3792);
static_assert(sizeof(TConfigRecord) == 3848);

// The folders and files with the separator rule applied, ready to be
// followed directly by a file name.
struct TFolderPaths
{
    QString Symbol, Watch, Notes, Data, Portfolio;
};

struct TFilePaths
{
    QString Background, StartupSound, NoteViewer, NoteFile, Calculator, CalendarFolder;
};

inline constexpr const char *kConfigFileName = "Stocks.cfg";

// ---- process-wide values -------------------------------------------------
QString BaseFolder();
void SetBaseFolder(const QString &folder);
QString ProgramFolder();
void SetProgramFolder(const QString &folder);

extern TListRecord CurrentPortfolio;
extern TConfigRecord ConfigRecord; // the in-memory record of the last load

// ---- operations ----------------------------------------------------------
// A folder ends in the native separator once; an empty path stays empty.
QString WithBackslash(const QString &path);

void LoadConfig();
// Writes the whole in-memory record. Never leaves a half-written file; when
// the file cannot be written the user is told (error box with the path) and
// false is returned.
bool SaveConfig();

TStartupPortfolio GetStartupPortfolio();
TFolderPaths GetFolders();
TFilePaths GetFiles();
TRunWatchOptions GetRunWatchOptions();
TGraphSettings GetGraphSettings();
bool SetGraphSettings(const TGraphSettings &settings);
int16_t GetCommissionSchedule();
TStatisticsOptions GetStatisticsOptions();
TPortfolioGraphOptions GetPortfolioGraphOptions();
bool SetPortfolioGraphOptions(const TPortfolioGraphOptions &options);
TInputOptions GetInputOptions();
TPercentCommission GetPercentCommission();

// Creates each configured data folder that is missing while its parent
// exists, so that a new installation can store data at once.
void CreateMissingFolders();

// Restores all process-wide values to their state before start-up (tests).
void ResetConfigState();
