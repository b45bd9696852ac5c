#include "frame/SettingsData.h"

#include "frame/NumberFormat.h"
#include "portfolio/Commission.h"
#include "records/WatchBase.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

QString cut(const QString &text, int length)
{
    return text.left(length);
}

// A whole number held to the range, or the fallback for anything else.
int wholeOr(const QString &text, int fallback, TSettingsRange range)
{
    bool ok = false;
    const qlonglong value = text.trimmed().toLongLong(&ok);
    if (!ok)
        return fallback;
    return int(std::clamp<qlonglong>(value, range.Min, range.Max));
}

int held(int value, TSettingsRange range)
{
    return std::clamp(value, range.Min, range.Max);
}

} // namespace

TSettingsValues LoadSettingsValues()
{
    LoadConfig();
    const TConfigRecord c = ConfigRecord;
    TSettingsValues v;
    const TFolderPaths folders = GetFolders();
    v.SymbolDir = folders.Symbol;
    v.WatchDir = folders.Watch;
    v.NoteDir = folders.Notes;
    v.DataDir = folders.Data;
    v.PortfolioDir = folders.Portfolio;

    v.Schedule = c.CommissionSchedule;
    v.PercentCommission = PercentCommissionText(v.Schedule);
    v.BrokerName = BrokerNameFor(v.Schedule);

    v.Background = c.Files.Background.text();
    v.StartupSound = c.Files.StartupSound.text();
    v.NoteViewer = c.Files.NoteViewer.text();
    v.NoteFile = c.Files.NoteFile.text();
    v.Calculator = c.Files.Calculator.text();
    v.CalendarDir = c.Files.CalendarFolder.text();

    v.LimitRecords = c.Statistics.LimitRecords != 0;
    v.RecordsToRead = IntegerText(c.Statistics.RecordCount);
    v.PlusColor = c.Statistics.PlusColor;
    v.MinusColor = c.Statistics.MinusColor;
    v.FieldOrder = c.Input.FieldOrder == 1 ? 1 : 0;
    v.AddDays = c.Input.AddDays;

    v.DefaultPortfolio = c.Startup.Portfolio.Name.text();
    v.OpenPortfolio = c.Startup.OpenOnStartup != 0;

    const TGraphSettings &g = c.Graph;
    v.DefaultRecords = IntegerText(g.DefaultRecords);
    v.RecordsToSkip = IntegerText(g.RecordsToSkip);
    v.Average1 = IntegerText(g.Average1);
    v.Average2 = IntegerText(g.Average2);
    v.StdDev1 = IntegerText(g.StdDev1);
    v.StdDev2 = IntegerText(g.StdDev2);
    v.GraphOptions = g.Options;
    v.FontName = g.FontName.text();
    v.TitleFontSize = g.TitleFontSize;
    v.PriceFontSize = g.PriceFontSize;
    // The colours sit unaligned inside the packed settings block: copied as
    // bytes, never through references to its elements.
    static_assert(sizeof(g.Colors) == sizeof(v.Colors));
    std::memcpy(v.Colors.data(), g.Colors, sizeof(g.Colors));
    v.PriceBoxSize = std::isfinite(g.PricePercent) ? int(std::trunc(g.PricePercent)) : kPriceBoxRange.Min;
    v.RememberGraphSize = g.DontRememberSize == 0;

    v.RunWatchAfterImport = c.RunWatch.RunWatchAfterImport != 0;
    v.OpenStockForm = c.RunWatch.OpenStockForm != 0;
    v.OpenGraph = c.RunWatch.OpenGraph != 0;
    v.MaxRunWatch = c.RunWatch.WindowsToOpen;
    return v;
}

QString PercentCommissionText(int schedule)
{
    return schedule == csPercent ? GeneralText(GetPercentCommission().Rate) : QString();
}

QString BrokerNameFor(int schedule)
{
    return ScheduleBroker(schedule);
}

QStringList PortfolioNamesIn(const QString &folderText)
{
    QStringList names;
    const QString path = folderText + QStringLiteral("Port.sbl");
    if (folderText.isEmpty() || !QFileInfo(path).isFile())
        return names;
    TWatchDatabase list(path);
    if (!list.IsOpen())
        return names;
    TListRecord rec;
    for (int i = 0; i < list.RecordCount(); ++i) {
        list.ReadAt(rec, i);
        names << rec.Name.text();
    }
    return names;
}

TPortfolioChoice PortfolioChoiceIn(const QString &folderText, const QString &startupName)
{
    TPortfolioChoice choice;
    choice.Items = PortfolioNamesIn(folderText);
    if (choice.Items.isEmpty())
        return choice;
    choice.Selected = choice.Items.contains(startupName) ? startupName : kNoPortfolio;
    choice.Items << kNoPortfolio;
    return choice;
}

void StoreSettingsValues(const TSettingsValues &v, TConfigRecord &c)
{
    c.Folders.Symbol.setText(cut(v.SymbolDir, 255));
    c.Folders.Watch.setText(cut(v.WatchDir, 255));
    c.Folders.Notes.setText(cut(v.NoteDir, 255));
    c.Folders.Data.setText(cut(v.DataDir, 255));
    c.Folders.Portfolio.setText(cut(v.PortfolioDir, 255));
    c.Files.Background.setText(cut(v.Background, 255));
    c.Files.StartupSound.setText(cut(v.StartupSound, 255));
    c.Files.NoteViewer.setText(cut(v.NoteViewer, 255));
    c.Files.NoteFile.setText(cut(v.NoteFile, 255));
    c.Files.Calculator.setText(cut(v.Calculator, 255));
    c.Files.CalendarFolder.setText(cut(v.CalendarDir, 255));

    c.RunWatch.RunWatchAfterImport = v.RunWatchAfterImport ? 1 : 0;
    c.RunWatch.OpenStockForm = v.OpenStockForm ? 1 : 0;
    c.RunWatch.OpenGraph = v.OpenGraph ? 1 : 0;
    c.RunWatch.WindowsToOpen = held(v.MaxRunWatch, kMaxRunWatchRange);

    c.Statistics.LimitRecords = v.LimitRecords ? 1 : 0;
    c.Statistics.RecordCount = wholeOr(v.RecordsToRead, 0, kRecordsToReadRange);
    c.Statistics.PlusColor = v.PlusColor;
    c.Statistics.MinusColor = v.MinusColor;

    c.CommissionSchedule = int16_t(v.Schedule);
    if (v.Schedule == csPercent) {
        double rate = 0;
        if (!ReadNumberText(v.PercentCommission, &rate) || !std::isfinite(rate))
            rate = 0;
        // Typed as a percentage above 1 ("1.5" is 1.5 %), as a fraction below.
        if (rate > 1)
            rate /= 100;
        c.Percent.Rate = rate;
        c.Percent.Broker.setText(cut(v.BrokerName, 40));
    }

    // The startup portfolio is a copy of its list entry, except the
    // protected texts: nothing reads them here (the access check reads the
    // portfolio list), and the configuration file is plain text.
    TListRecord &startup = c.Startup.Portfolio;
    startup = TListRecord{};
    startup.Name.setText(kNoPortfolio);
    const QString path = v.PortfolioDir + QStringLiteral("Port.sbl");
    if (!v.PortfolioDir.isEmpty() && v.DefaultPortfolio != kNoPortfolio && QFileInfo(path).isFile()) {
        TWatchDatabase list(path);
        TListRecord rec;
        for (int i = 0; list.IsOpen() && i < list.RecordCount(); ++i) {
            list.ReadAt(rec, i);
            if (rec.Name.text() == v.DefaultPortfolio) {
                startup = rec;
                startup.Password.clear();
                startup.Protected2.clear();
                break;
            }
        }
    }
    c.Startup.OpenOnStartup = v.OpenPortfolio ? 1 : 0;

    TGraphSettings &g = c.Graph;
    g.DefaultRecords = wholeOr(v.DefaultRecords, 120, kDefaultRecordsRange);
    g.RecordsToSkip = wholeOr(v.RecordsToSkip, 1, kRecordsToSkipRange);
    g.Average1 = wholeOr(v.Average1, 5, kAverageRange);
    g.Average2 = wholeOr(v.Average2, 15, kAverageRange);
    g.StdDev1 = wholeOr(v.StdDev1, 2, kStdDevRange);
    g.StdDev2 = wholeOr(v.StdDev2, 2, kStdDevRange);

    c.Input.AddDays = held(v.AddDays, kAddDaysRange);
    c.Input.FieldOrder = v.FieldOrder == 1 ? 1 : 0;

    g.Options = v.GraphOptions & 63;
    g.FontName.setText(cut(v.FontName, 40));
    g.TitleFontSize = uint16_t(held(v.TitleFontSize, kFontSizeRange));
    g.PriceFontSize = uint16_t(held(v.PriceFontSize, kFontSizeRange));
    std::memcpy(g.Colors, v.Colors.data(), sizeof(g.Colors));
    const int priceBox = held(v.PriceBoxSize, kPriceBoxRange);
    g.PricePercent = priceBox;
    g.VolumePercent = 100 - priceBox;
    g.DontRememberSize = v.RememberGraphSize ? 0 : 1;
}

bool SaveSettingsValues(const TSettingsValues &values)
{
    LoadConfig();
    StoreSettingsValues(values, ConfigRecord);
    return SaveConfig();
}

QString FolderDialogStart(const QString &editText)
{
    const QFileInfo info(editText);
    if (!editText.isEmpty() && info.isDir() && info.isExecutable())
        return QDir::cleanPath(info.absoluteFilePath());
    return QDir::currentPath();
}

QString FolderDialogResult(const QString &chosen, bool portfolio)
{
    QString folder = QDir::cleanPath(chosen); // no trailing separator except at the root
    if (portfolio && !folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}
