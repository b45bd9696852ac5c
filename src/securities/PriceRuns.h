#pragma once
// The runs that rewrite whole price and transaction files: the stock split
// adjustment and the purge of old prices. Each file is rewritten through the
// engine's whole-file replacement, so it is either adjusted completely or
// left as it was; a run stops at the first file it cannot change and names it.

#include "frame/RunTalk.h"

#include <QString>
#include <QStringList>

class TDataBase;
class TWatchDatabase;

// ---- split -------------------------------------------------------------
struct TSplitEntry
{
    QString Date; // display date text
    QString After;
    QString Before;
};
// The split dialog's checks in order. Beyond the described ones, a ratio
// whose factor (before / after) or its inverse is not a finite non-zero
// number is refused, so a split never stores infinities or zeros.
QStringList CheckSplitEntry(const TSplitEntry &entry);
// before / after for entries that passed the checks.
double SplitFactor(const TSplitEntry &entry);

// Run before either stage: false, after naming the file through
// talk.error(), when the split would turn a stored price or share count into
// an infinity, or a non-zero one into 0 (a ratio such as 1 For 1e300 passes
// the checks above but not every price on file). Nothing is written.
bool SplitKeepsEveryValue(TDataBase &file, const QString &symbol, const QString &splitDate, double factor,
                          TRunTalk &talk);
// Stage one: every record dated before `splitDate` (stored date text), from
// the first onwards up to the first that is not, gets high, low and close
// multiplied by `factor`; volumes stay. Progress "Spliting Record: n".
// The window that shows the file passes its open object, which sees the
// replaced file afterwards. Returns false after reporting the file through
// talk.error().
bool SplitPriceFile(TDataBase &file, const QString &splitDate, double factor, TRunTalk &talk);
// Stage two: in every portfolio of Port.sbl, every transaction in `symbol`
// dated on or before `splitDate` gets shares / factor and price x factor.
// A missing transaction file is created empty; portfolios whose file name
// could leave the folder are skipped. Progress "Spliting Portfolio: name".
bool SplitPortfolios(const QString &symbol, const QString &splitDate, double factor, TRunTalk &talk);

// ---- purge -------------------------------------------------------------
// The stop date the purge dialog starts with: today minus N days with the
// statistics limit on, else minus 365 days.
QString PurgePresetDate();
// Removes every record dated on or before `stopDate` (stored date text) from
// one price file (created empty when missing). An empty file or a search
// that failed is left alone. Returns false when the file could not be
// rewritten (reported through talk.error()).
bool PurgePriceFile(const QString &path, const QString &stopDate, TRunTalk &talk);
// The purge of every listed security, in list order, with the progress text
// "Purging Data For: name". Entries whose symbol could not name a file are
// skipped. Stops at the first failure and returns false.
bool PurgeAll(TWatchDatabase &watch, const QString &stopDate, TRunTalk &talk);
