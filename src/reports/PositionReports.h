#pragma once
// The two position reports of a portfolio as of today: the summary of what
// each security holds, and the summary followed by each security's trades,
// a closing sale of what is still held, its result and its dividends.

#include "reports/PositionData.h"

#include <QString>

class TReportPage;

class TSummaryReport
{
public:
    // `subject` is the portfolio window's caption.
    TSummaryReport(TReportPage &page, const QString &subject, const QString &portfolioFile);
    void Write();
    void Write(const TPortfolioRecords &records, TReportNames &names);

private:
    void heading();

    TReportPage &m_page;
    QString m_subject;
    QString m_file;
};

class TDetailReport
{
public:
    TDetailReport(TReportPage &page, const QString &subject, const QString &portfolioFile);
    void Write();

private:
    void sectionHeading(const TDetailSection &section);
    void tradeLine(const TDetailSection &section, const TDetailTrade &trade);
    void sectionEnd(const TDetailSection &section);
    void dividendHeading(const TDetailSection &section);
    void dividendTable(const TDetailSection &section);

    TReportPage &m_page;
    QString m_subject;
    QString m_file;
};
