#pragma once
// Operations that work across several record files at once: renaming a
// symbol everywhere it is stored, and the look-ups of the reports (close on a
// date, dividends up to a date, the position held on a date).

#include <QString>

class TWatchDatabase;
class TTransBase;

struct TPosition
{
    double Shares = 0;
    double Dividends = 0;
    double Value = 0;
    double Gain = 0;
};

// The watch list the stock data window keeps open for the whole run; symbol
// renaming, the purge, the chart's overlay choice and the watch run walk it.
// nullptr while no such window exists.
TWatchDatabase *SharedWatchList();
void SetSharedWatchList(TWatchDatabase *watch);

// Moves everything stored under oldSymbol to newSymbol: the price file (an
// existing one of newSymbol is kept as .old), every portfolio's dividend and
// transaction records, and the watch-list entries. With no open watch list
// given, Watch.sbl is opened for the pass. Failed renames are skipped.
void RenameSymbol(const QString &oldSymbol, const QString &newSymbol, TWatchDatabase *watch);

// The close of the record found for the date (a neighbour when the date is
// not on file); 0 when the security has no prices.
double ClosePriceOn(const QString &symbol, const QString &date);

// Sum of the dividends of the symbol dated on or before the date.
double DividendsUpTo(const QString &symbol, const QString &date, const QString &portfolio);

// The position in the symbol on the date from the open transaction file.
void PositionOn(const QString &portfolio, const QString &date, const QString &symbol, TPosition &position,
                TTransBase &trans);
