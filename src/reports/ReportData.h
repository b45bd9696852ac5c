#pragma once
// The figures of the percent-change and position reports, computed before a
// line is drawn. Each report reads the portfolio's transaction and dividend
// files once per run and groups the records by symbol in order of each
// symbol's first appearance: the transaction file is ordered by symbol and
// date written together, so the records of "A" and "A20" can interleave, and
// a security must never be listed twice or have its records counted twice.
//
// Every double read from a file that is not finite counts as 0; a percentage
// whose base is 0 (or not finite) reads "N/A".

#include "frame/StdUnitLookups.h"
#include "records/TransDatabase.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>

class TSymbolDataBase;
class TWatchDatabase;

// A percentage as a report shows it.
struct TPercentCell
{
    QString Text;     // fixed text with its decimals and "%", or "N/A"
    double Value = 0; // the value as shown (rounded to its decimals); 0 for "N/A"
    bool Available = false;
};

// (value / base − 1) × 100 with `decimals` places; "N/A" when the base is 0
// or either value is not finite.
TPercentCell PercentChangeCell(double base, double value, int decimals);
// A ratio already in percent (for example a return) with `decimals` places.
TPercentCell PercentCell(double percent, int decimals);

// The records of one portfolio grouped by security.
struct TPortfolioRecords
{
    QStringList Symbols;                           // each once, in order of first appearance in the .tra
    QHash<QString, QList<TTransRecord>> Trades;    // per symbol, in file order
    QHash<QString, QList<TTransRecord>> Dividends; // per symbol, in file order
};

// Reads <portfolio>.tra and <portfolio>.div once each. A file name that could
// leave the portfolio folder, or files that do not exist, give no records;
// nothing is created.
TPortfolioRecords ReadPortfolioRecords(const QString &portfolioFileName);

// The close of the price record found for the stored date (a neighbour when
// the date is not on file); 0 when the symbol cannot name a file, the file is
// missing or empty, or the close is not finite. No file is created.
double ReportCloseOn(const QString &symbol, const QString &storedDate);

// The position held on the stored date, figured as PositionOn figures it:
// shares and trade money of the records dated on or before the date, the
// value at the close of that date, the dividends up to that date.
TPosition PositionFromRecords(const QList<TTransRecord> &trades, const QList<TTransRecord> &dividends,
                              const QString &storedDate, double close);

// The symbol file opened once for a whole run; names come from SymbolName.
class TReportNames
{
public:
    TReportNames();
    ~TReportNames();
    TReportNames(const TReportNames &) = delete;
    TReportNames &operator=(const TReportNames &) = delete;
    struct TName
    {
        QString Text;
        uint32_t Color = 0;
    };
    TName operator()(const QString &symbol);

private:
    TSymbolDataBase *m_file = nullptr;
    QHash<QString, TName> m_cache;
};

// ---- portfolio percent change ---------------------------------------------
struct TPercentChangeLine
{
    QString Symbol;
    QString Name;
    uint32_t NameColor = 0;
    double StartValue = 0;
    double EndValue = 0;
    double Change = 0; // end − start
    uint32_t ChangeColor = 0;
    TPercentCell Percent; // 2 decimals
    bool Bold = false;    // |percent as shown| ≥ threshold ("N/A" counts as 0)
};

struct TPercentChangeData
{
    QList<TPercentChangeLine> Lines;
    TPosition StartTotal;
    TPosition EndTotal;
    TPercentChangeLine Total; // the "Portfolio" line
};

TPercentChangeData ComputePercentChange(const QString &portfolioFileName, const QDate &start,
                                        const QDate &end, double threshold);
TPercentChangeData ComputePercentChange(const TPortfolioRecords &records, const QDate &start,
                                        const QDate &end, double threshold, TReportNames &names);

// ---- stock percent change -------------------------------------------------
struct TStockChangeLine
{
    QString Symbol;
    QString Name;
    uint32_t NameColor = 0;
    double Start = 0;
    double End = 0;
    TPercentCell Percent; // 2 decimals
    bool Bold = false;    // percent as shown ≥ threshold, sign counting; never for "N/A"
};

// One line per watch-list entry in file order. The list's current record is
// restored afterwards (the stock data window keeps walking it). An entry whose
// price file is missing or empty has closes of 0 and "N/A".
QList<TStockChangeLine> ComputeStockPercentChange(TWatchDatabase &watch, const QDate &start, const QDate &end,
                                                  double threshold);

// ---- day-by-day changes of one security -----------------------------------
struct TDayChangeLine
{
    QString Date; // display date text
    double Close = 0;
    double Volume = 0;
    TPercentCell Percent[4]; // price and volume from the day before, then from the first day; 3 decimals
    bool Bold = false;       // |price change from the day before, as shown| > threshold
};

struct TDayChangeSection
{
    QString Symbol;
    QString Name;
    uint32_t NameColor = 0;
    QList<TDayChangeLine> Lines;
};

// From the record the search for the start date stops at, up to the last
// record not after the end date.
TDayChangeSection ComputeDayChanges(const QString &symbol, const QDate &start, const QDate &end,
                                    double threshold, TReportNames &names);
