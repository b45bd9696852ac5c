#pragma once
// The yearly profit and loss of a portfolio, as the portfolio graph shows it:
// per symbol one year entry for every year from the portfolio's first year to
// the current year, filled from the transactions and dividends, and the
// realised results of matching sales against purchases first in, first out.
// From those tables come the three views (summary, one year, all years) as
// plain bars with a heading and a footer; the graph window only draws them.
//
// The .tra and .div files are read once into memory; every sum is then taken
// from there, so a build costs one pass over each file whatever the number
// of symbols and years.

#include "records/TransDatabase.h"

#include <QHash>
#include <QString>
#include <QVector>
#include <functional>

struct TPortGraphYear
{
    QString Year;
    double Dividends = 0;
    double Realised = 0;
    double NetShares = 0;
    double Bought = 0;
    double Sold = 0;
    double CashFlow = 0;
};

struct TPortGraphSymbol
{
    QString Symbol;
    QVector<TPortGraphYear> Years; // first year .. current year, oldest first
};

struct TPortGraphTables
{
    QString FirstYear; // empty when the portfolio has no dated transaction
    QString CurrentYear;
    QVector<TPortGraphSymbol> Symbols; // each symbol once, in order of first appearance
};

// Everything a build needs, read beforehand so that the build touches no file.
struct TPortGraphInput
{
    QVector<TTransRecord> Transactions; // in file order
    QVector<TTransRecord> Dividends;
    // The close of the last price record of a symbol; 0 when it has none.
    std::function<double(const QString &symbol)> LastClose;
    QString CurrentYear; // "YYYY"
    QString Today;       // stored date text of the closing lots
    bool IncludeDividends = false;
    bool SellAll = false;
};

enum class TPortGraphViewKind { Summary, CurrentYear, Yearly };

struct TPortGraphBar
{
    QString Label;
    double Value = 0;
};

inline constexpr int kPortGraphBarsPerPage = 10;

struct TPortGraphView
{
    QString Heading;     // first title line
    QString SecondTitle; // "Dividends Included" / "Dividends Not Included"
    QVector<TPortGraphBar> Bars;
    QString Footer;
    // Pages of at most ten bars; an empty chart is one page.
    int pageCount() const;
    QVector<TPortGraphBar> page(int index) const;
};

TPortGraphTables BuildPortGraphTables(const TPortGraphInput &input);

// "Profit: " when the total is above 0, otherwise "Loss: ", then the total
// in the desktop's currency format.
QString PortGraphProfitText(double total);

// The value axis: "$#,##0.###" (thousands separated, up to three decimals,
// no trailing zeros), and the bar marks: "$#,##0.#0" (two decimals).
QString PortGraphAxisText(double value);
QString PortGraphBarText(double value);

// Round tick values (steps of 1, 2 or 5 times a power of ten) covering
// [low, high] with 0 among them; at least two ticks, at most about eight.
QVector<double> PortGraphAxisTicks(double low, double high);

TPortGraphView PortGraphYearlyView(const TPortGraphTables &tables, const QString &caption,
                                   bool includeDividends);
TPortGraphView PortGraphYearView(const TPortGraphTables &tables, const QString &year, const QString &caption,
                                 bool includeDividends);
TPortGraphView PortGraphSummaryView(const TPortGraphTables &tables, const QString &caption,
                                    bool includeDividends);

// Reads the portfolio's .tra and .div files and the last closes from the
// price files; nothing is created. `today` gives the current year and the
// date of the closing lots.
TPortGraphInput ReadPortGraphInput(const QString &portfolioFileName, const QDate &today,
                                   bool includeDividends, bool sellAll);

// One whole build: tables, then the chosen view. `year` is used by the
// current-year view only.
TPortGraphView BuildPortGraphView(const TPortGraphInput &input, TPortGraphViewKind kind, const QString &year,
                                  const QString &caption);
