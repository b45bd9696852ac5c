#pragma once
// The figures of the security summary window: price movement, extremes,
// average and spread of close and volume over the statistics window, and the
// position held in the current portfolio. Everything is computed here as the
// texts of the window's labels, keyed by the labels' names; the window only
// puts them up.

#include "frame/Stockcfg.h"

#include <QHash>
#include <QString>
#include <cstdint>

class TDataBase;
class TTransBase;

struct TPriceSummary
{
    int RecordCount = 0; // records on file
    int WindowCount = 0; // records in the statistics window
    double StartClose = 0;
    QString StartDate; // stored date texts
    double EndClose = 0;
    QString EndDate;
    double HighestHigh = 0;
    QString HighestDate;
    double LowestLow = 0;
    QString LowestDate;
    int64_t VolumeSum = 0;
    double AverageVolume = 0;
    double AverageClose = 0;
    double StdVolume = 0; // rounded to a whole number, halves to even
    double StdClose = 0;
    bool ReadFailed = false; // the window could not be read: no figures
};

// Two passes over the statistics window: the last N + 1 records when the
// limit is on and N is below the last index, else the whole file. Records
// whose prices are not finite numbers are left out of the figures.
TPriceSummary SummarizePrices(TDataBase &file, const TStatisticsOptions &options);

struct TSecurityPosition
{
    bool HasTransactions = false;
    double Shares = 0;
    double Fees = 0;
    double Cost = 0;
    double Dividends = 0;
    QString ReadFailed; // the path of a file that could not be read, if any
};

// The current position in `symbol` from the portfolio's transaction file in
// file order; fees and cost start again whenever the shares come back to
// exactly 0. Dividends are summed over all dates when any transaction exists.
// A portfolio whose file name could leave its folder holds nothing. A
// transaction or dividend file that is there but cannot be read to its end
// gives no position, only its path in ReadFailed.
TSecurityPosition HoldingsOf(const QString &symbol, const QString &portfolioFileName);
// The dividends paid on `symbol` in an open dividend file, all dates. False,
// and 0, when the file is not open or a read failed part-way.
bool SumDividends(TTransBase &dividends, const QString &symbol, double *sum);

struct TStockSummaryTexts
{
    QHash<QString, QString> Labels;
    QString Status; // "Records On File: n"
    bool GraphEnabled = false;
    bool ShowHoldings = false;  // false: "No Holdings" instead
    uint32_t HoldingsColor = 0; // 0x00BBGGRR
    // A file that could not be read; the figures it would have given are
    // left at their design texts rather than shown from part of the file.
    QString Problem;
};

// Every value label with the text it has before anything is computed.
const QHash<QString, QString> &StockSummaryDesignTexts();

// Everything the window shows for the symbol: price file from the data
// folder, settings from the configuration, holdings from CurrentPortfolio.
TStockSummaryTexts ComputeStockSummary(const QString &symbol);
