// Arbitrary quote files through the data conversion run: the first byte picks
// the layout, the date form, the lines to skip and the volume divisor, the
// rest is the file. Every price file the run leaves must hold valid stored
// dates in strictly ascending order, and nothing may be created outside the
// data folder.

#include "frame/RunTalk.h"
#include "frame/StdUnit.h"
#include "frame/Stockcfg.h"
#include "records/Database.h"
#include "transfer/DataConversion.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>

namespace {

class TSilentTalk : public TRunTalk
{
public:
    void progress(const QString &) override {}
    void error(const QString &) override {}
    void information(const QString &) override {}
    bool askYesNoInformation(const QString &) override { return false; }
    QString replacementDate(const QString &) override { return QStringLiteral("20010102"); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    QTemporaryDir dir;
    const QString base = dir.path() + QLatin1Char('/');
    SetBaseFolder(base);
    SetProgramFolder(base);
    QDir().mkpath(base + QStringLiteral("data"));
    QDir().mkpath(base + QStringLiteral("symbol"));
    const QString quotes = base + QStringLiteral("q.txt");
    {
        QFile f(quotes);
        if (!f.open(QIODevice::WriteOnly))
            return 0;
        f.write(reinterpret_cast<const char *>(data + 1), qint64(size - 1));
    }
    const uint8_t sel = data[0];
    TConvRecord rec;
    rec.FileName.setText(quotes);
    rec.Layout = sel % 3;
    rec.DateForm = (sel / 3) % 9;
    rec.LinesToSkip = (sel / 27) % 2;
    const double divisors[] = {1, 0, 7, -1};
    rec.VolumeDivisor = divisors[(sel / 54) % 4];
    rec.Summary = 1;
    for (int i = 0; i < 6; ++i)
        rec.FieldMap[i].setText(QStringLiteral("Field %1").arg(i + 1));
    TSilentTalk talk;
    RunDataConversion(rec, talk);

    const QStringList top = QDir(base).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QString &name : top)
        if (!QStringList{"data", "symbol", "q.txt", "Summary.txt", "Stock.err"}.contains(name))
            __builtin_trap();
    for (const QString &name : QDir(base + QStringLiteral("data")).entryList(QDir::Files)) {
        TDataBase db(base + QStringLiteral("data/") + name, TOpenMode::ReadOnly);
        QString previous;
        TPriceRecord r;
        for (int i = 0; i < db.RecordCount(); ++i) {
            db.ReadAt(r, i);
            const QString date = r.Date.text();
            if (!IsStrictStoredDate(date) || date <= previous)
                __builtin_trap();
            previous = date;
        }
    }
    return 0;
}
