#include "securities/PriceRuns.h"

#include "frame/NumberFormat.h"
#include "frame/StdUnitDates.h"
#include "frame/StdUnitFiles.h"
#include "frame/Stockcfg.h"
#include "records/Database.h"
#include "records/TransDatabase.h"
#include "records/WatchBase.h"
#include "transfer/ProgressThrottle.h"

#include <QDir>

#include <cmath>
#include <cstring>

namespace {

QString openProblem(const QString &path)
{
    return QStringLiteral("Error, Could Not Open File: ") + path;
}

} // namespace

// ---- split -------------------------------------------------------------

QStringList CheckSplitEntry(const TSplitEntry &entry)
{
    QStringList failed;
    if (!IsValidDateText(kFormMM_DD_YYYY, entry.Date))
        failed << QStringLiteral("Invalid Date Entered.");
    double after = 0, before = 0;
    if (!ReadNumberText(entry.After, &after) || !std::isfinite(after)) {
        after = 0;
        failed << QStringLiteral("After Split Value Invalid.");
    }
    if (!(after > 0))
        failed << QStringLiteral("After Split Must Be Greater Than 0.");
    if (!ReadNumberText(entry.Before, &before) || !std::isfinite(before)) {
        before = 0;
        failed << QStringLiteral("Before Split Value Invalid.");
    }
    if (!(before > 0))
        failed << QStringLiteral("Before Split Must Be Greater Then 0.");
    if (after > 0 && before > 0) {
        const double factor = before / after;
        const double inverse = 1 / factor;
        if (!std::isfinite(factor) || !std::isfinite(inverse) || factor == 0 || inverse == 0)
            failed << QStringLiteral("The Split Ratio Is Out Of Range.");
    }
    return failed;
}

double SplitFactor(const TSplitEntry &entry)
{
    double after = 0, before = 0;
    ReadNumberText(entry.After, &after);
    ReadNumberText(entry.Before, &before);
    return before / after;
}

namespace {

// Which records a split changes, in one place for the range check and the
// two stages: prices dated strictly before the split day, and the security's
// trades dated on or before it.
bool splitsPrice(const TPriceRecord &rec, const QByteArray &stop)
{
    return rec.Date.bytes() < stop;
}

bool splitsTrade(const TTransRecord &t, const QByteArray &key, const QByteArray &stop)
{
    return t.Symbol.bytes() == key && t.Date.bytes() <= stop;
}

// A product that a stored number cannot come back from: out of range, or a
// non-zero value gone to 0. Values already damaged on file are left to the
// windows that show them; the split does not make them worse.
bool lostByProduct(double value, double product)
{
    return std::isfinite(value) && (!std::isfinite(product) || (value != 0 && product == 0));
}

QString outOfRangeProblem(const QString &path)
{
    return QStringLiteral("The Split Ratio Is Out Of Range For File: ") + QDir::toNativeSeparators(path);
}

} // namespace

bool SplitKeepsEveryValue(TDataBase &file, const QString &symbol, const QString &splitDate, double factor,
                          TRunTalk &talk)
{
    // The same records, in the same way, as the two stages will change them.
    const QByteArray stop = splitDate.toLatin1();
    bool before = true, lost = false;
    file.ScanRange(0, file.LastIndex(), [&](const TPriceRecord &rec) {
        before = before && splitsPrice(rec, stop);
        if (before)
            for (const double v : {rec.High, rec.Low, rec.Close})
                lost = lost || lostByProduct(v, v * factor);
    });
    if (lost) {
        talk.error(outOfRangeProblem(file.path()));
        return false;
    }
    // Files that cannot be read here are reported by the stage that needs them.
    TWatchDatabase portfolios(PortfolioListPath(), TOpenMode::ReadOnly);
    const QByteArray key = symbol.toLatin1();
    TListRecord entry;
    for (int p = 0; p < portfolios.RecordCount(); ++p) {
        portfolios.ReadAt(entry, p);
        if (portfolios.Status() & (IoError | Boundary))
            break;
        const QString fileName = entry.FileName.text();
        if (fileName.isEmpty() || !IsSafeFileNamePart(fileName))
            continue;
        TTransBase trans(TransactionFilePath(fileName), TOpenMode::ReadOnly);
        trans.ScanAll([&](const TTransRecord &t) {
            if (splitsTrade(t, key, stop))
                lost = lost || lostByProduct(t.Shares, t.Shares * (1 / factor)) ||
                       lostByProduct(t.Price, t.Price * factor);
        });
        if (lost) {
            talk.error(outOfRangeProblem(trans.path()));
            return false;
        }
    }
    return true;
}

bool SplitPriceFile(TDataBase &file, const QString &splitDate, double factor, TRunTalk &talk)
{
    const QString path = file.path();
    if (!file.IsWritable()) {
        talk.error(openProblem(path));
        return false;
    }
    QByteArray image;
    if (!file.StoredImage(image)) {
        talk.error(CannotReadFileMessage(path));
        return false;
    }
    const QByteArray stop = splitDate.toLatin1();
    TProgressThrottle progress(talk);
    int n = 0;
    QByteArray adjusted;
    for (; n < file.RecordCount(); ++n) {
        TPriceRecord rec;
        char *stored = image.data() + qsizetype(n) * qsizetype(sizeof(TPriceRecord));
        std::memcpy(&rec, stored, sizeof rec);
        if (!splitsPrice(rec, stop))
            break;
        ApplyPriceRule(rec); // as a read delivers it
        rec.High *= factor;
        rec.Low *= factor;
        rec.Close *= factor;
        adjusted.clear();
        file.AppendImage(adjusted, rec);
        std::memcpy(stored, adjusted.constData(), sizeof rec);
        progress.progressLazy(
            [k = n + 1] { return QStringLiteral("Spliting Record: ") + QString::number(k); });
    }
    progress.flush();
    if (n == 0)
        return true;
    if (!file.ReplaceAll(image)) {
        talk.error(CannotWriteToFileMessage(path));
        return false;
    }
    return true;
}

bool SplitPortfolios(const QString &symbol, const QString &splitDate, double factor, TRunTalk &talk)
{
    TWatchDatabase portfolios(PortfolioListPath());
    if (!portfolios.IsOpen()) {
        talk.error(openProblem(PortfolioListPath()));
        return false;
    }
    const QByteArray key = symbol.toLatin1();
    const QByteArray stop = splitDate.toLatin1();
    TListRecord entry;
    for (int p = 0; p < portfolios.RecordCount(); ++p) {
        portfolios.ReadAt(entry, p);
        if (portfolios.Status() & (IoError | Boundary)) {
            talk.error(CannotReadFileMessage(PortfolioListPath()));
            return false;
        }
        const QString fileName = entry.FileName.text();
        if (fileName.isEmpty() || !IsSafeFileNamePart(fileName))
            continue;
        const QString path = TransactionFilePath(fileName);
        TTransBase trans(path);
        talk.progress(QStringLiteral("Spliting Portfolio: ") + entry.Name.text());
        if (!trans.IsWritable()) {
            talk.error(openProblem(path));
            return false;
        }
        QByteArray image;
        if (!trans.StoredImage(image)) {
            talk.error(CannotReadFileMessage(path));
            return false;
        }
        bool changed = false;
        QByteArray adjusted;
        for (int i = 0; i < trans.RecordCount(); ++i) {
            TTransRecord t;
            char *stored = image.data() + qsizetype(i) * qsizetype(sizeof(TTransRecord));
            std::memcpy(&t, stored, sizeof t);
            if (!splitsTrade(t, key, stop))
                continue;
            t.Shares *= 1 / factor;
            t.Price *= factor;
            adjusted.clear();
            trans.AppendImage(adjusted, t);
            std::memcpy(stored, adjusted.constData(), sizeof t);
            changed = true;
        }
        if (changed && !trans.ReplaceAll(image)) {
            talk.error(CannotWriteToFileMessage(path));
            return false;
        }
    }
    return true;
}

// ---- purge -------------------------------------------------------------

namespace {
// About 270 years: a damaged setting still gives a four-digit year.
constexpr int kMaxDaysBack = 100000;
} // namespace

QString PurgePresetDate()
{
    const TStatisticsOptions s = GetStatisticsOptions();
    // A damaged setting could ask for a day before the calendar begins.
    const int days = s.LimitRecords ? std::clamp<int>(s.RecordCount, 1, kMaxDaysBack) : 365;
    return TodayText(-days);
}

bool PurgePriceFile(const QString &path, const QString &stopDate, TRunTalk &talk)
{
    TDataBase file(path);
    if (!file.IsOpen()) {
        talk.error(openProblem(path));
        return false;
    }
    if (file.RecordCount() == 0)
        return true;
    TPriceRecord rec;
    file.Find(rec, stopDate);
    if (file.Status() & IoError)
        return true; // nothing is removed on a search that did not finish
    int position = file.CurrentIndex();
    const QByteArray stop = stopDate.toLatin1();
    if (rec.Date.bytes() > stop && position > 0) {
        --position;
        file.ReadAt(rec, position);
        if (file.Status() & (IoError | Boundary))
            return true;
    }
    if (rec.Date.bytes() > stop)
        return true;
    // What DeleteThrough would leave: the newer records, each written back as
    // reading and writing it stores it, at the front of the file.
    QByteArray image;
    image.reserve(qsizetype(file.LastIndex() - position) * qsizetype(sizeof(TPriceRecord)));
    const bool read = file.ScanRange(position + 1, file.LastIndex(), [&](const TPriceRecord &r) {
        TPriceRecord kept = r;
        file.AppendImage(image, kept);
    });
    if (!read) {
        talk.error(CannotReadFileMessage(path));
        return false;
    }
    if (!file.IsWritable() || !file.ReplaceAll(image)) {
        talk.error(CannotWriteToFileMessage(path));
        return false;
    }
    return true;
}

bool PurgeAll(TWatchDatabase &watch, const QString &stopDate, TRunTalk &talk)
{
    // A list that cannot be opened or read would otherwise end the purge
    // as if every security had been done.
    if (!watch.IsOpen()) {
        talk.error(openProblem(watch.path()));
        return false;
    }
    TListRecord entry;
    TProgressThrottle progress(talk);
    const int saved = watch.CurrentIndex();
    bool ok = true;
    for (int i = 0; i < watch.RecordCount() && ok; ++i) {
        watch.ReadAt(entry, i);
        if (watch.Status() & (IoError | Boundary)) {
            progress.flush();
            talk.error(CannotReadFileMessage(watch.path()));
            ok = false;
            break;
        }
        progress.progress(QStringLiteral("Purging Data For: ") + entry.Name.text());
        const QString symbol = entry.FileName.text();
        if (symbol.isEmpty() || !IsSafeFileNamePart(symbol))
            continue;
        ok = PurgePriceFile(PriceFilePath(symbol), stopDate, talk);
    }
    progress.flush();
    watch.SetCurrentIndex(saved);
    return ok;
}
