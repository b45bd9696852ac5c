#pragma once
// The figures of the position summary and the position detail: what each
// security of a portfolio holds today, and for the detail every trade, a
// closing sale of what is still held at today's close less the commission,
// the net money of the trades, the return and the dividends.

#include "reports/ReportData.h"

#include <QDate>
#include <QList>
#include <QString>

struct TSummaryLine
{
    QString Symbol;
    QString Name;
    uint32_t NameColor = 0;
    TPosition Position;
    uint32_t GainColor = 0;
};

struct TSummaryData
{
    QList<TSummaryLine> Lines;
    TPosition Total;
};

TSummaryData ComputeSummary(const TPortfolioRecords &records, const QDate &today, TReportNames &names);

struct TDetailTrade
{
    QString Date; // display date text
    bool Bought = false;
    double Shares = 0; // as a positive count
    double Price = 0;
    double Fee = 0;
    double Amount = 0; // −shares × price − fee: negative for a purchase
};

struct TDividendEntry
{
    QString Date; // display date text
    bool Received = false;
    double Amount = 0; // as a positive amount
};

struct TDetailSection
{
    QString Symbol;
    QString Name;
    uint32_t NameColor = 0;
    QList<TDetailTrade> Trades; // the security's records in file order, then the closing sale
    bool ClosingSale = false;   // the last trade is the sale of what is still held
    double Shares = 0;          // held before the closing sale
    double Net = 0;             // sum of the amounts
    double Bought = 0;          // money paid for purchases
    double Sold = 0;            // money a sale brought, a fee above its proceeds counting against it
    double Dividends = 0;       // up to today
    double FinalPosition = 0;   // dividends + net
    TPercentCell Return;        // ((sold + dividends) / bought − 1) × 100; "N/A" without purchases
    QList<TDividendEntry> DividendEntries; // every dividend of the security on file, in file order
};

// One section per security in order of first appearance. `schedule` is the
// configuration's commission schedule.
QList<TDetailSection> ComputeDetail(const TPortfolioRecords &records, const QDate &today, int schedule,
                                    TReportNames &names);
