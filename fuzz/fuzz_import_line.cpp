// Arbitrary import files through the preview and the price and symbol runs.
// The first byte chooses layout, date form and lines to skip, the second the
// field assignments. Whatever the file holds, the price file ends in strictly
// ascending order of storable dates and the symbol file holds only symbols
// that can name a file, in ascending order.

#include "frame/RunTalk.h"
#include "frame/StdUnitDates.h"
#include "frame/StdUnitFields.h"
#include "frame/StdUnitFiles.h"
#include "frame/Stockcfg.h"
#include "records/Database.h"
#include "records/SblBase.h"
#include "transfer/ImportPreview.h"
#include "transfer/ImportRun.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdint>

namespace {

class TQuietTalk : public TRunTalk
{
public:
    void progress(const QString &) override {}
    void error(const QString &) override {}
    void warning(const QString &) override {}
    void information(const QString &) override {}
};

QTemporaryDir &dir()
{
    static QTemporaryDir d;
    return d;
}

QString path(const char *name)
{
    return dir().path() + QLatin1Char('/') + QLatin1String(name);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool once = [] {
        SetRecordFileSync(false);
        SetBaseFolder(dir().path() + QLatin1Char('/'));
        return true;
    }();
    (void)once;
    if (size < 2)
        return 0;
    {
        QFile f(path("input.txt"));
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        f.write(reinterpret_cast<const char *>(data + 2), qint64(size - 2));
    }
    TImportSettings s;
    s.FileName = path("input.txt");
    s.Layout = data[0] % 3;
    s.DateForm = (data[0] / 3) % 9;
    s.LinesToSkip = (data[0] / 27) % 3;
    s.Append = (data[1] & 0x80) != 0;
    const TImportPreview preview = BuildImportPreview(s.FileName, s.layoutName(), s.LinesToSkip);
    if (preview.Rows.size() > kPreviewLines || preview.Columns > kMaxPreviewColumns)
        __builtin_trap();
    for (const QStringList &row : preview.Rows)
        if (row.size() != preview.Columns)
            __builtin_trap();

    TQuietTalk talk;
    const auto assign = [&](TImportKind kind) {
        s.KindTag = ImportKindInfo(kind).Tag;
        s.FieldRows = ImportKindInfo(kind).FieldRows;
        s.Assignments.clear();
        for (int r = 0; r < s.FieldRows.size(); ++r) {
            const int field = (data[1] >> (r % 7)) % 4; // 0 leaves the row unassigned
            s.Assignments << (field == 0 ? QString() : QStringLiteral("Field %1").arg(field));
        }
    };

    assign(TImportKind::Prices);
    {
        QFile::remove(path("P.stk"));
        TDataBase db(path("P.stk"));
        RunPriceImport(s, db, talk);
        TPriceRecord r;
        QString previous;
        for (int i = 0; i < db.RecordCount(); ++i) {
            db.ReadAt(r, i);
            const QString date = r.Date.text();
            if (!IsStorableDate(date) || date <= previous)
                __builtin_trap();
            previous = date;
        }
    }
    assign(TImportKind::Symbols);
    {
        QFile::remove(path("Stocks.sbl"));
        TSymbolDataBase db(path("Stocks.sbl"));
        RunSymbolImport(s, db, talk);
        TSymbolRecord r;
        QByteArray previous;
        for (int i = 0; i < db.RecordCount(); ++i) {
            db.ReadAt(r, i);
            const QByteArray symbol = r.Symbol.bytes();
            if (symbol.isEmpty() || !IsSafeFileNamePart(r.Symbol.text()) || (i > 0 && symbol <= previous))
                __builtin_trap();
            previous = symbol;
        }
    }
    return 0;
}
