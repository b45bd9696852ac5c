#pragma once
// The three percent-change reports: the value of each holding of a
// portfolio on two dates, the closes of each security of the watch list on
// two dates, and the portfolio report followed by a day-by-day table of each
// security's prices and volumes.

#include "reports/ReportData.h"

#include <QDate>
#include <QString>

class TReportPage;
class TWatchDatabase;

struct TPercentChangeInputs
{
    QString Subject;      // the portfolio window's caption
    double Threshold = 0; // percent
    QDate Start;
    QDate End;
    QString PortfolioFile; // the portfolio's file name
};

class TPercentChangeReport
{
public:
    TPercentChangeReport(TReportPage &page, const TPercentChangeInputs &inputs);
    void Write();
    // The same with the records already read (the detail report reads once).
    void Write(const TPortfolioRecords &records, TReportNames &names);

private:
    void heading();
    void line(const TPercentChangeLine &line);
    void totalLine(const TPercentChangeLine &total);

    TReportPage &m_page;
    TPercentChangeInputs m_in;
};

class TStockPercentChangeReport
{
public:
    // The threshold is a whole number of percent.
    TStockPercentChangeReport(TReportPage &page, TWatchDatabase &watch, double threshold, const QDate &start,
                              const QDate &end);
    void Write();

private:
    TReportPage &m_page;
    TWatchDatabase &m_watch;
    double m_threshold;
    QDate m_start;
    QDate m_end;
};

class TPercentChangeReportDetail
{
public:
    TPercentChangeReportDetail(TReportPage &page, const TPercentChangeInputs &inputs);
    void Write();
    // One section per symbol, each on a page of its own.
    void WriteSections(const QStringList &symbols, TReportNames &names);

private:
    void sectionHeading(const TDayChangeSection &section);
    void dayLine(const TDayChangeSection &section, const TDayChangeLine &line);

    TReportPage &m_page;
    TPercentChangeInputs m_in;
};
