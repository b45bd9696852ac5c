#include "frame/Stockcfg.h"

#include "frame/Messages.h"
#include "frame/SettingsData.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cstring>

TListRecord CurrentPortfolio;
TConfigRecord ConfigRecord;

namespace {

QString g_baseFolder;
QString g_programFolder;

QString configPath()
{
    return g_baseFolder + QLatin1String(kConfigFileName);
}

// ---- block defaults, field by field; unnamed fields keep their value -----

void defaultVersion(TConfigRecord &c)
{
    c.Version = QStringLiteral("Version 3.1");
}

void defaultStartup(TConfigRecord &c)
{
    TListRecord &p = c.Startup.Portfolio;
    p.FileName.clear();
    p.Name = QStringLiteral("No Portfolio");
    p.NoteFile.clear();
    p.Password.clear();
    p.Protected2.clear();
    p.SecurityCode = 0;
    c.Startup.OpenOnStartup = 0;
    std::memset(c.Startup.Reserved, 0, sizeof c.Startup.Reserved);
}

void defaultFolders(TConfigRecord &c)
{
    const QString p = WithBackslash(g_programFolder);
    c.Folders.Symbol = p + QStringLiteral("symbol/");
    c.Folders.Watch = p + QStringLiteral("watch/");
    c.Folders.Notes = p + QStringLiteral("notes/");
    c.Folders.Data = p + QStringLiteral("data/");
    c.Folders.Portfolio = p + QStringLiteral("port/");
}

void defaultFiles(TConfigRecord &c)
{
    const QString p = WithBackslash(g_programFolder);
    c.Files.Background = p + QStringLiteral("stock.bmp");
    c.Files.StartupSound = p + QStringLiteral("scanid.wav");
    // The desktop's own choice of text viewer and its calculator stand in for
    // the fixed program paths of other platforms.
    c.Files.NoteViewer = QStringLiteral("xdg-open");
    c.Files.NoteFile = p + QStringLiteral("Stock.txt");
    c.Files.Calculator = QStringLiteral("gnome-calculator");
    c.Files.CalendarFolder.clear();
}

void defaultRunWatch(TConfigRecord &c)
{
    c.RunWatch = TRunWatchOptions{0, 0, 0, 0, 5};
}

void defaultReserved(TConfigRecord &) {}

void defaultGraph(TConfigRecord &c)
{
    TGraphSettings &g = c.Graph;
    g.DefaultRecords = 150;
    g.RecordsToSkip = 1;
    g.Average1 = 5;
    g.Average2 = 15;
    g.StdDev1 = 2;
    g.StdDev2 = 2;
    g.Options = 0;
    std::memset(g.Reserved1, 0, sizeof g.Reserved1);
    g.FontName = QStringLiteral("Times New Roman");
    g.Reserved2 = 0;
    g.TitleFontSize = 20;
    g.PriceFontSize = 10;
    std::memset(g.Reserved3, 0, sizeof g.Reserved3);
    static const uint32_t colors[gcColorCount] = {
        0x000000, 0x000000, 0xFFFFFF, 0x000000, 0xFFFFFF, 0x008000, 0xFFFFFF, 0x000000,
        0xFF0000, 0xFF0000, 0xFF0000, 0x00FF00, 0x00FFFF, 0x0000FF, 0xFF00FF, 0x808000,
        0x800000, 0x00FF00, 0x0000FF, 0x000000, 0xFF0000, 0x008000, 0x800080, 0xFFFF00,
    };
    std::memcpy(g.Colors, colors, sizeof colors);
    g.PricePercent = 70.0;
    g.VolumePercent = 30.0;
    g.Width = 500;
    g.Height = 480;
    g.DontRememberSize = 1;
    std::memset(g.Reserved4, 0, sizeof g.Reserved4);
}

void defaultCommission(TConfigRecord &c)
{
    c.CommissionSchedule = 0;
}

void defaultStatistics(TConfigRecord &c)
{
    c.Statistics = TStatisticsOptions{0, {0, 0, 0}, 260, 0x00FF00, 0x0000FF};
}

void defaultPortGraph(TConfigRecord &c)
{
    c.PortGraph = TPortfolioGraphOptions{pgSellAll, pgSummary};
}

void defaultInput(TConfigRecord &c)
{
    c.Input = TInputOptions{0, {0, 0, 0}, 0};
}

void defaultPercent(TConfigRecord &c)
{
    c.Percent.Rate = 0.0;
    c.Percent.Broker.clear();
    std::memset(c.Percent.Reserved, 0, sizeof c.Percent.Reserved);
}

struct TBlock
{
    size_t offset;
    size_t size;
    void (*applyDefaults)(TConfigRecord &);
};

const TBlock kBlocks[] = {
    {offsetof(TConfigRecord, Version), sizeof(TConfigRecord::Version), defaultVersion},
    {offsetof(TConfigRecord, Startup), sizeof(TConfigRecord::Startup), defaultStartup},
    {offsetof(TConfigRecord, Folders), sizeof(TConfigRecord::Folders), defaultFolders},
    {offsetof(TConfigRecord, Files), sizeof(TConfigRecord::Files), defaultFiles},
    {offsetof(TConfigRecord, RunWatch), sizeof(TConfigRecord::RunWatch), defaultRunWatch},
    {offsetof(TConfigRecord, Reserved), sizeof(TConfigRecord::Reserved), defaultReserved},
    {offsetof(TConfigRecord, Graph), sizeof(TConfigRecord::Graph), defaultGraph},
    {offsetof(TConfigRecord, CommissionSchedule), sizeof(TConfigRecord::CommissionSchedule),
     defaultCommission},
    {offsetof(TConfigRecord, Statistics), sizeof(TConfigRecord::Statistics), defaultStatistics},
    {offsetof(TConfigRecord, PortGraph), sizeof(TConfigRecord::PortGraph), defaultPortGraph},
    {offsetof(TConfigRecord, Input), sizeof(TConfigRecord::Input), defaultInput},
    {offsetof(TConfigRecord, Percent), sizeof(TConfigRecord::Percent), defaultPercent},
};

QString pathOf(const TCountedString<255> &s)
{
    return s.text();
}

} // namespace

QString BaseFolder()
{
    return g_baseFolder;
}

void SetBaseFolder(const QString &folder)
{
    g_baseFolder = folder;
}

QString ProgramFolder()
{
    return g_programFolder;
}

void SetProgramFolder(const QString &folder)
{
    g_programFolder = folder;
}

QString WithBackslash(const QString &path)
{
    if (path.isEmpty() || path.endsWith(QLatin1Char('/')))
        return path;
    return path + QLatin1Char('/');
}

void LoadConfig()
{
    g_baseFolder = WithBackslash(g_baseFolder);
    QFile file(configPath());
    bool readable = file.open(QIODevice::ReadOnly);
    auto *bytes = reinterpret_cast<char *>(&ConfigRecord);
    for (const TBlock &b : kBlocks) {
        if (readable) {
            const qint64 got = file.read(bytes + b.offset, qint64(b.size));
            if (got != qint64(b.size))
                readable = false;
        }
        if (!readable)
            b.applyDefaults(ConfigRecord);
        if (b.applyDefaults == defaultVersion &&
            ConfigRecord.Version.bytes().left(7) != QByteArrayLiteral("Version"))
            ConfigRecord.Version = QStringLiteral("Version 1.0");
    }
}

bool SaveConfig()
{
    g_baseFolder = WithBackslash(g_baseFolder);
    const QString path = configPath();
    // Written to a temporary file and renamed over the old one, so a failed
    // save leaves the previous settings intact instead of a truncated file.
    // Unbuffered, and the count checked: a write that the disk only half
    // took must not be committed (a buffered failure only shows at close,
    // after the rename has been decided).
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        const qint64 size = qint64(sizeof ConfigRecord);
        if (file.write(reinterpret_cast<const char *>(&ConfigRecord), size) == size && file.commit())
            return true;
        file.cancelWriting();
    }
    ShowError(QStringLiteral("Error, Could Not Save The Settings File %1\n%2")
                  .arg(QDir::toNativeSeparators(path), file.errorString()));
    return false;
}

TStartupPortfolio GetStartupPortfolio()
{
    LoadConfig();
    return ConfigRecord.Startup;
}

TFolderPaths GetFolders()
{
    LoadConfig();
    const TFolders &f = ConfigRecord.Folders;
    return TFolderPaths{WithBackslash(pathOf(f.Symbol)), WithBackslash(pathOf(f.Watch)),
                        WithBackslash(pathOf(f.Notes)), WithBackslash(pathOf(f.Data)),
                        WithBackslash(pathOf(f.Portfolio))};
}

TFilePaths GetFiles()
{
    LoadConfig();
    const TFiles &f = ConfigRecord.Files;
    return TFilePaths{pathOf(f.Background), pathOf(f.StartupSound), pathOf(f.NoteViewer),
                      pathOf(f.NoteFile),   pathOf(f.Calculator),   WithBackslash(pathOf(f.CalendarFolder))};
}

TRunWatchOptions GetRunWatchOptions()
{
    LoadConfig();
    return ConfigRecord.RunWatch;
}

TGraphSettings GetGraphSettings()
{
    LoadConfig();
    return ConfigRecord.Graph;
}

bool SetGraphSettings(const TGraphSettings &settings)
{
    LoadConfig();
    ConfigRecord.Graph = settings;
    return SaveConfig();
}

int16_t GetCommissionSchedule()
{
    LoadConfig();
    return ConfigRecord.CommissionSchedule;
}

TStatisticsOptions GetStatisticsOptions()
{
    LoadConfig();
    TStatisticsOptions s = ConfigRecord.Statistics;
    if (s.RecordCount <= 0)
        s.RecordCount = 1;
    return s;
}

TPortfolioGraphOptions GetPortfolioGraphOptions()
{
    LoadConfig();
    return ConfigRecord.PortGraph;
}

bool SetPortfolioGraphOptions(const TPortfolioGraphOptions &options)
{
    LoadConfig();
    ConfigRecord.PortGraph = options;
    return SaveConfig();
}

TInputOptions GetInputOptions()
{
    LoadConfig();
    TInputOptions options = ConfigRecord.Input;
    // A damaged file must not propose a date years away (or past what a date
    // box can hold): the day offset is held to the range the dialog allows.
    options.AddDays = std::clamp<int32_t>(options.AddDays, kAddDaysRange.Min, kAddDaysRange.Max);
    return options;
}

TPercentCommission GetPercentCommission()
{
    LoadConfig();
    return ConfigRecord.Percent;
}

void CreateMissingFolders()
{
    const TFolderPaths f = GetFolders();
    for (const QString &folder : {f.Symbol, f.Watch, f.Notes, f.Data, f.Portfolio}) {
        if (folder.isEmpty())
            continue;
        QFileInfo info(QDir::cleanPath(folder));
        if (!info.exists() && info.dir().exists())
            QDir().mkdir(info.filePath());
    }
}

void ResetConfigState()
{
    g_baseFolder.clear();
    g_programFolder.clear();
    CurrentPortfolio = TListRecord{};
    ConfigRecord = TConfigRecord{};
}
