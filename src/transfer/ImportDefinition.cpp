#include "transfer/ImportDefinition.h"

#include "frame/NumberFormat.h"
#include "frame/StdUnitDates.h"
#include "frame/StdUnitFields.h"
#include "records/RecordFile.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

TImportKindInfo makeInfo(const char *caption, const char *tag, QStringList rows, QStringList optional,
                         bool dateForms, const char *question, const char *progress, const char *closing)
{
    TImportKindInfo info;
    info.Caption = QString::fromLatin1(caption);
    info.Tag = QString::fromLatin1(tag);
    info.FieldRows = std::move(rows);
    info.OptionalRows = std::move(optional);
    info.DateForms = dateForms;
    info.OverwriteQuestion = QString::fromLatin1(question);
    info.ProgressCaption = QString::fromLatin1(progress);
    info.ClosingMessage = QString::fromLatin1(closing);
    return info;
}

int indexOrNone(int index, int count)
{
    return index >= 0 && index < count ? index : -1;
}

} // namespace

const TImportKindInfo &ImportKindInfo(TImportKind kind)
{
    static const TImportKindInfo infos[] = {
        makeInfo("Import Symbol Information", "Quorvane Symbol Import", {"Symbol", "Name", "Web Link"},
                 {"Web Link"}, false, "Warning, This will overwrite the current Symbol File, Proceed?",
                 "Importing Symbol Information", "Symbol Information Imported"),
        makeInfo("Import Stock Data Information", "Quorvane Stock Data Import",
                 {"Date", "High", "Low", "Close", "Volume"}, {}, true,
                 "Warning, This will overwrite the current Stock Data File, Proceed?",
                 "Importing Stock Data Information", "Stock Data Information Imported"),
        makeInfo("Import Transation Information", "Quorvane Transation Data Import",
                 {"Symbol", "Date", "Shares", "Price", "Fee"}, {}, true,
                 "Warning, This will overwrite the current Transation File, Proceed?",
                 "Importing Transation Data Information", "Transation Data Information Imported"),
        makeInfo("Import Dividend Information", "Quorvane Dividend Data Import",
                 {"Symbol", "Date", "Dividend"}, {}, true,
                 "Warning, This will overwrite the current Dividend File, Proceed?",
                 "Importing Dividend Data Information", "Dividend Data Information Imported"),
        makeInfo("Define Data Conversion Information", "Quorvane Data Conversion",
                 {"Symbol", "Date", "High", "Low", "Close", "Volume"}, {}, true, "",
                 "Importing Stock Data Information", "Stock Data Information Imported"),
    };
    return infos[int(kind)];
}

QString TImportSettings::layoutName() const
{
    return TextLayoutNames().value(Layout);
}

QString TImportSettings::dateFormName() const
{
    return DateFormNames().value(DateForm);
}

QString TImportSettings::assignment(const QString &row) const
{
    const int i = int(FieldRows.indexOf(row));
    return i < 0 ? QString() : Assignments.value(i);
}

int AssignedFieldNumber(const QString &assignment)
{
    if (!assignment.startsWith(kImportFieldPrefix))
        return -1;
    bool ok = false;
    const int n = assignment.mid(kImportFieldPrefix.size()).toInt(&ok);
    return ok && n >= 1 ? n - 1 : -1;
}

bool RequiredRowsAssigned(const TImportSettings &settings, const QStringList &optionalRows)
{
    for (int r = 0; r < settings.FieldRows.size(); ++r)
        if (!optionalRows.contains(settings.FieldRows[r]) && settings.Assignments.value(r).isEmpty())
            return false;
    return true;
}

double VolumeDivisorFromText(const QString &text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(v) ? v : 1.0;
}

QString VolumeDivisorText(double divisor)
{
    return GeneralText(divisor);
}

TImportDefinition BuildImportDefinition(const TImportSettings &s)
{
    TImportDefinition d;
    d.Description = s.Description;
    d.KindTag = s.KindTag;
    d.FileName = s.FileName;
    d.Layout = s.Layout;
    d.DateForm = s.DateForm;
    d.Append = s.Append ? 1 : 0;
    d.LinesToSkip = std::clamp(s.LinesToSkip, 0, kMaxLinesToSkip);
    d.VolumeDivisor = std::isfinite(s.VolumeDivisor) ? s.VolumeDivisor : 1.0;
    d.Summary = s.Summary ? 1 : 0;
    // The map always ends with one empty entry, so a full map keeps room for it.
    const int rows = std::min<int>(int(s.FieldRows.size()), kFieldMapEntries - 1);
    d.FieldRowCount = rows;
    for (int r = 0; r < rows; ++r)
        d.FieldMap[r] = s.Assignments.value(r);
    return d;
}

TImportSettings SettingsFromDefinition(const TImportDefinition &d, const QStringList &fieldRows)
{
    TImportSettings s;
    s.Description = d.Description.text();
    s.KindTag = d.KindTag.text();
    s.FileName = d.FileName.text();
    s.Layout = indexOrNone(d.Layout, int(TextLayoutNames().size()));
    s.DateForm = indexOrNone(d.DateForm, int(DateFormNames().size()));
    s.Append = d.Append != 0;
    s.LinesToSkip = std::clamp<int>(d.LinesToSkip, 0, kMaxLinesToSkip);
    s.VolumeDivisor = std::isfinite(d.VolumeDivisor) ? d.VolumeDivisor : 1.0;
    s.Summary = d.Summary != 0;
    s.FieldRows = fieldRows;
    // The stored entries fill the rows from the top; a damaged row count
    // never reads past the map.
    const int stored = std::clamp<int>(d.FieldRowCount, 0, kFieldMapEntries);
    for (int r = 0; r < fieldRows.size(); ++r)
        s.Assignments << (r < stored ? d.FieldMap[r].text() : QString());
    return s;
}

bool SaveImportDefinition(const QString &path, const TImportDefinition &definition, QString *error)
{
    // Unused bytes go out as zeros whatever the caller's record holds there.
    TImportDefinition out = definition;
    std::memset(out.Unused1, 0, sizeof out.Unused1);
    std::memset(out.Unused2, 0, sizeof out.Unused2);
    std::memset(out.Unused3, 0, sizeof out.Unused3);
    std::memset(out.Unused4, 0, sizeof out.Unused4);
    const int entries = std::clamp<int>(out.FieldRowCount + 1, 0, kFieldMapEntries);
    for (int i = entries; i < kFieldMapEntries; ++i)
        out.FieldMap[i] = TCountedString<10>{};
    const QByteArray bytes(reinterpret_cast<const char *>(&out), int(sizeof out));
    return ReplaceFileContents(path, bytes, error);
}

TDefinitionLoad LoadImportDefinition(const QString &path, const QString &expectedTag,
                                     TImportDefinition &definition, QString *error)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return TDefinitionLoad::CannotOpen;
    const QByteArray bytes = file.read(qint64(sizeof(TImportDefinition)));
    if (bytes.size() < qsizetype(sizeof(TImportDefinition))) {
        if (error)
            *error = file.error() != QFileDevice::NoError ? file.errorString()
                                                          : QStringLiteral("Read beyond end of file");
        return TDefinitionLoad::TooShort;
    }
    TImportDefinition read;
    std::memcpy(&read, bytes.constData(), sizeof read);
    if (read.KindTag.text() != expectedTag)
        return TDefinitionLoad::WrongKind;
    definition = read;
    return TDefinitionLoad::Loaded;
}

QString DefinitionLoadMessage(TDefinitionLoad result, const QString &ioError)
{
    switch (result) {
    case TDefinitionLoad::Loaded:
        return {};
    case TDefinitionLoad::CannotOpen:
        return kCannotOpenDefinition;
    case TDefinitionLoad::TooShort:
        return ioError.isEmpty() ? QStringLiteral("Read beyond end of file") : ioError;
    case TDefinitionLoad::WrongKind:
        return kWrongKindDefinition;
    }
    return {};
}
