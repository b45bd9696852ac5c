#include "transfer/ImportRun.h"

#include "frame/IoError.h"
#include "frame/RunTalk.h"
#include "frame/StdUnitDates.h"
#include "frame/StdUnitFields.h"
#include "frame/StdUnitFiles.h"
#include "frame/Stockcfg.h"
#include "records/Database.h"
#include "records/SblBase.h"
#include "securities/SymbolChecks.h"
#include "transfer/TransferMessages.h"

#include <QFile>
#include <QFileInfo>
#include <cmath>
#include <map>

namespace {

std::function<void()> g_runWatchHook;

// The target must take the whole result in one replacement; a file that did
// not open for writing is named before anything is read.
bool targetWritable(const TRecordFile &target, TRunTalk &talk)
{
    if (target.IsWritable())
        return true;
    QString text = CannotOpenFileMessage(target.path());
    if (!target.OpenProblem().isEmpty())
        text += QStringLiteral("\n") + target.OpenProblem();
    talk.error(text);
    return false;
}

bool replaceTarget(TRecordFile &target, const QByteArray &records, TRunTalk &talk)
{
    if (target.ReplaceAll(records))
        return true;
    talk.error(CannotWriteFileMessage(target.path()));
    return false;
}

// Reads every record of the target into `visit`; false (after an error naming
// the file) when a record could not be read.
template <class Rec, class File>
bool readTarget(File &target, TRunTalk &talk, const std::function<void(Rec &)> &visit)
{
    const int count = target.RecordCount();
    Rec rec;
    for (int i = 0; i < count; ++i) {
        if (i == 0)
            target.First(rec);
        else
            target.Next(rec);
        if (target.Status() & (IoError | Boundary)) {
            talk.error(CannotReadFileMessage(target.path()));
            return false;
        }
        visit(rec);
    }
    return true;
}

void logSkippedSymbol(const QString &symbol, int line)
{
    try {
        LogError(QStringLiteral("Symbol Import: Line %1 Not Imported, \"%2\" Is Not A Valid Symbol")
                     .arg(line)
                     .arg(symbol));
    } catch (const EInOutError &) {
        // The log is a courtesy here; the symbol is skipped either way.
    }
}

} // namespace

bool ConfirmImportOverwrite(TImportKind kind, const TImportSettings &settings, TRunTalk &talk)
{
    if (settings.Append)
        return true;
    return talk.askYesNoWarning(ImportKindInfo(kind).OverwriteQuestion);
}

TImportLineCutter::TImportLineCutter(const TImportSettings &settings)
    : m_layout(settings.layoutName()), m_rows(settings.FieldRows)
{
    for (int r = 0; r < m_rows.size(); ++r)
        m_fields << AssignedFieldNumber(settings.Assignments.value(r));
}

QString TImportLineCutter::value(const QString &line, int row) const
{
    const int field = m_fields.value(row, -1);
    return field < 0 ? QString() : TrimSpaces(CutField(line, m_layout, field));
}

QString ImportDateValue(const QString &dateForm, const QString &value)
{
    return ConvertDate(dateForm, kFormYYYYMMDD, value).left(10);
}

bool IsStorableDate(const QString &date)
{
    if (date.size() != 8)
        return false;
    for (const QChar c : date)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return IsValidDateText(kFormYYYYMMDD, date);
}

double ImportNumber(const QString &value)
{
    bool ok = false;
    const double v = value.toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0.0;
}

int32_t ImportInteger(const QString &value)
{
    bool ok = false;
    const int v = value.toInt(&ok);
    return ok ? int32_t(v) : 0;
}

bool ForEachImportLine(const TImportSettings &settings, TRunTalk &talk,
                       const std::function<void(const QString &line, int number)> &visit)
{
    QFile file(settings.FileName);
    if (settings.FileName.isEmpty() || QFileInfo(settings.FileName).isDir() ||
        !file.open(QIODevice::ReadOnly)) {
        talk.error(kCannotOpenImportFile);
        return false;
    }
    // The column table belongs to whichever file was counted last; counting
    // this one gives the table its preview built.
    if (settings.layoutName() == kLayoutFixed)
        CountFields(settings.FileName, kLayoutFixed, settings.LinesToSkip);
    TTextLineReader reader(file);
    for (int i = 0; i < settings.LinesToSkip && !reader.atEnd(); ++i)
        reader.readLine();
    int number = 0;
    while (!reader.atEnd()) {
        const QString line = reader.readLine();
        visit(line, ++number);
        talk.progress(kImportingRecord + QString::number(number));
    }
    return true;
}

TImportOutcome RunSymbolImport(const TImportSettings &settings, TSymbolDataBase &target, TRunTalk &talk)
{
    TImportOutcome outcome;
    if (!targetWritable(target, talk))
        return outcome;
    std::map<QByteArray, TSymbolRecord> merged;
    QByteArray scratch;
    const auto keep = [&](TSymbolRecord &rec) {
        scratch.clear();
        target.AppendImage(scratch, rec); // upper-cases and cuts as the file will
        merged[rec.Symbol.bytes()] = rec;
    };
    const TImportLineCutter cut(settings);
    const int symbolRow = cut.row(QStringLiteral("Symbol"));
    const int nameRow = cut.row(QStringLiteral("Name"));
    const int webRow = cut.row(QStringLiteral("Web Link"));
    std::map<QByteArray, TSymbolRecord> imported;
    int lines = 0;
    const bool read = ForEachImportLine(settings, talk, [&](const QString &line, int number) {
        lines = number;
        TSymbolRecord rec;
        rec.Symbol = cut.value(line, symbolRow);
        rec.Name = cut.value(line, nameRow);
        rec.WebAddress = cut.value(line, webRow);
        scratch.clear();
        target.AppendImage(scratch, rec);
        if (!SymbolProblem(rec.Symbol.text()).isEmpty()) {
            logSkippedSymbol(rec.Symbol.text(), number);
            return;
        }
        imported[rec.Symbol.bytes()] = rec; // a later line of the same symbol replaces it
        ++outcome.Stored;
    });
    outcome.Lines = lines;
    if (!read)
        return outcome;
    if (!settings.Append && imported.empty()) {
        talk.warning(kNothingToImport);
        return outcome;
    }
    if (settings.Append && !readTarget<TSymbolRecord>(target, talk, keep))
        return outcome;
    for (auto &[key, rec] : imported)
        merged[key] = rec;
    QByteArray records;
    records.reserve(qsizetype(merged.size() * sizeof(TSymbolRecord)));
    for (auto &[key, rec] : merged)
        target.AppendImage(records, rec);
    if (!replaceTarget(target, records, talk))
        return outcome;
    talk.information(ImportKindInfo(TImportKind::Symbols).ClosingMessage);
    outcome.Completed = true;
    return outcome;
}

TImportOutcome RunPriceImport(const TImportSettings &settings, TDataBase &target, TRunTalk &talk)
{
    TImportOutcome outcome;
    if (!targetWritable(target, talk))
        return outcome;
    const TImportLineCutter cut(settings);
    const QString form = settings.dateFormName();
    const int dateRow = cut.row(QStringLiteral("Date"));
    const int highRow = cut.row(QStringLiteral("High"));
    const int lowRow = cut.row(QStringLiteral("Low"));
    const int closeRow = cut.row(QStringLiteral("Close"));
    const int volumeRow = cut.row(QStringLiteral("Volume"));
    std::map<QByteArray, TPriceRecord> imported;
    int lines = 0;
    const bool read = ForEachImportLine(settings, talk, [&](const QString &line, int number) {
        lines = number;
        TPriceRecord rec;
        const QString date = ImportDateValue(form, cut.value(line, dateRow));
        if (!IsStorableDate(date))
            return; // an invalid date skips the line without a word
        rec.Date = date;
        rec.High = ImportNumber(cut.value(line, highRow));
        rec.Low = ImportNumber(cut.value(line, lowRow));
        rec.Close = ImportNumber(cut.value(line, closeRow));
        rec.Volume = ImportInteger(cut.value(line, volumeRow));
        imported.emplace(rec.Date.bytes(), rec); // the first line of a date wins
    });
    outcome.Lines = lines;
    if (!read)
        return outcome;
    if (!settings.Append && imported.empty()) {
        talk.warning(kNothingToImport);
        return outcome;
    }
    std::map<QByteArray, TPriceRecord> merged;
    if (settings.Append && !readTarget<TPriceRecord>(target, talk, [&](TPriceRecord &rec) {
            merged.emplace(rec.Date.bytes(), rec);
        }))
        return outcome;
    for (auto &[key, rec] : imported)
        if (merged.emplace(key, rec).second)
            ++outcome.Stored;
    QByteArray records;
    records.reserve(qsizetype(merged.size() * sizeof(TPriceRecord)));
    for (auto &[key, rec] : merged)
        target.AppendImage(records, rec);
    if (!replaceTarget(target, records, talk))
        return outcome;
    talk.information(ImportKindInfo(TImportKind::Prices).ClosingMessage);
    outcome.Completed = true;
    return outcome;
}

void SetRunWatchAfterImportHook(std::function<void()> hook)
{
    g_runWatchHook = std::move(hook);
}

bool RunWatchAfterImport()
{
    if (!g_runWatchHook || !GetRunWatchOptions().RunWatchAfterImport)
        return false;
    g_runWatchHook();
    return true;
}
