#pragma once
// What a portfolio holds: one row per symbol it has traded, with the shares
// still held, the net money of its trades, its dividends, the market value at
// the latest close and the overall result, and the totals of those rows.

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>
#include <functional>

class TTransBase;

struct THoldingRow
{
    QString Symbol;
    double Shares = 0;
    double Cash = 0; // −shares × price − fee over the trades
    double Dividends = 0;
    double Close = 0;
    double Holdings = 0; // close × shares
    double Position = 0; // cash + dividends + holdings
};

struct THoldings
{
    QList<THoldingRow> Rows;
    double Shares = 0;
    double Dividends = 0;
    double Holdings = 0;
    double Position = 0;
};

// The close of the last record of the symbol's price file; 0 when it has
// none, cannot be read or the symbol cannot name a file.
double LatestClose(const QString &symbol);

// Rows in order of each symbol's first transaction, even where the file's
// key order interleaves symbols such as A and A20; dividends are gathered in
// one pass and counted once. Values that are not finite count as 0.
THoldings ComputeHoldings(TTransBase &trades, TTransBase *dividends,
                          const std::function<double(const QString &)> &latestClose);
// The same for the portfolio's files in the portfolio folder.
THoldings ComputeHoldings(const QString &portfolioFileName);

// Black when the amount, rounded to cents, is 0 or more; red otherwise.
uint32_t AmountColor(double value);
