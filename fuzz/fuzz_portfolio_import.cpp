// Arbitrary text through the transaction and dividend imports: the first
// byte picks the kind, layout, date form, skipped lines and whether to
// append; the rest is the import file. Every stored record must carry a
// valid date, a symbol that names no path and finite amounts.

#include "frame/RunTalk.h"
#include "frame/StdUnitDates.h"
#include "frame/StdUnitFields.h"
#include "frame/StdUnitFiles.h"
#include "frame/Stockcfg.h"
#include "portfolio/PortfolioTransfer.h"
#include "records/TransDatabase.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <cstdint>

namespace {

QTemporaryDir &workDir()
{
    static QTemporaryDir dir;
    return dir;
}

class TQuietTalk : public TRunTalk
{
public:
    void progress(const QString &) override {}
    bool askYesNo(const QString &) override { return true; }
    bool askYesNoWarning(const QString &) override { return true; }
    void error(const QString &) override {}
    void information(const QString &) override {}
    void warning(const QString &) override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QString base = workDir().path() + QLatin1Char('/');
    SetBaseFolder(base);
    SetProgramFolder(base);
    QDir().mkpath(base + QStringLiteral("port"));
    const uint8_t selector = data[0];
    const QString input = base + QStringLiteral("in.txt");
    {
        QFile f(input);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        f.write(reinterpret_cast<const char *>(data + 1), qint64(size - 1));
    }
    const TTransferKind kind = (selector & 1) ? TTransferKind::Dividends : TTransferKind::Transactions;
    TTransferImportSettings s;
    s.FilePath = input;
    s.Layout = TextLayoutNames()[(selector >> 1) % 3];
    s.DateForm = DateFormNames()[(selector >> 3) % 9];
    s.SkipLines = (selector >> 6) & 1;
    s.Append = (selector >> 7) & 1;
    const int fields = kind == TTransferKind::Transactions ? 5 : 3;
    for (int i = 0; i < fields; ++i)
        s.FieldNumbers << (i + (selector >> 4) % 3) % fields + 1;

    TTransBase file(TransactionFilePath(QStringLiteral("FZ")));
    TQuietTalk talk;
    ImportTransfer(kind, file, 7, s, talk);

    TTransRecord r;
    for (int i = 0; i < file.RecordCount(); ++i) {
        file.ReadAt(r, i);
        const QString symbol = r.Symbol.text();
        if (symbol.isEmpty() || !IsSafeFileNamePart(symbol) ||
            !IsValidDateText(kFormYYYYMMDD, r.Date.text()) || !std::isfinite(r.Shares) ||
            !std::isfinite(r.Price) || !std::isfinite(r.Fee) || r.SecurityCode != 7)
            __builtin_trap();
    }
    // Keep the file small between runs.
    if (file.RecordCount() > 2000)
        file.Clear();
    return 0;
}
