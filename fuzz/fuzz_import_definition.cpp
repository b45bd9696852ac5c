// Arbitrary .imp files through the definition loader and back: whatever a
// damaged or foreign file holds, the settings taken over stay in range and a
// re-saved definition loads again with the same settings.

#include "frame/Stockcfg.h"
#include "records/RecordFile.h"
#include "transfer/ImportDefinition.h"

#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {
QTemporaryDir &dir()
{
    static QTemporaryDir d;
    return d;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool once = [] {
        SetRecordFileSync(false);
        return true;
    }();
    (void)once;
    const QString path = dir().path() + QStringLiteral("/def.imp");
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    writeFile(path, bytes);
    // Load with the tag the file itself carries, so the checks past the tag run.
    QString tag;
    if (size > 51)
        tag = QString::fromLatin1(bytes.mid(52, std::min<int>(uint8_t(bytes[51]), 50)));
    TImportDefinition loaded;
    const TDefinitionLoad result = LoadImportDefinition(path, tag, loaded);
    if (size < sizeof(TImportDefinition)) {
        if (result != TDefinitionLoad::TooShort)
            __builtin_trap();
        return 0;
    }
    if (result != TDefinitionLoad::Loaded)
        __builtin_trap();
    const QStringList rows = ImportKindInfo(TImportKind(data[0] % 5)).FieldRows;
    const TImportSettings s = SettingsFromDefinition(loaded, rows);
    if (s.Layout < -1 || s.Layout > 2 || s.DateForm < -1 || s.DateForm > 8 || s.LinesToSkip < 0 ||
        s.LinesToSkip > 100 || !std::isfinite(s.VolumeDivisor) || s.Assignments.size() != rows.size())
        __builtin_trap();
    for (const QString &a : s.Assignments)
        AssignedFieldNumber(a);
    const QString again = dir().path() + QStringLiteral("/again.imp");
    if (!SaveImportDefinition(again, BuildImportDefinition(s)))
        return 0;
    TImportDefinition reread;
    if (LoadImportDefinition(again, s.KindTag, reread) != TDefinitionLoad::Loaded)
        __builtin_trap();
    const TImportSettings t = SettingsFromDefinition(reread, rows);
    if (t.Layout != s.Layout || t.DateForm != s.DateForm || t.LinesToSkip != s.LinesToSkip ||
        t.Assignments.size() != s.Assignments.size())
        __builtin_trap();
    for (int i = 0; i < t.Assignments.size(); ++i)
        if (t.Assignments[i] != s.Assignments[i].left(10))
            __builtin_trap();
    return 0;
}
