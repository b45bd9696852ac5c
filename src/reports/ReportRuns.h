#pragma once
// Which report a choice of the report dialogs writes, with which dates: the
// one place that turns a dialog's result into report calls, so that the
// dialogs, the preview and the developer tool all run the same thing.

#include <QDate>
#include <QString>

class TReportPage;
class TWatchDatabase;

// The choices of the portfolio report dialog, top to bottom.
enum class TPortfolioReportKind { Summary, Detail, OneDay, RangeSummary, RangeDetail };
// The choices of the stock report dialog, top to bottom.
enum class TStockReportKind { OneDay, RangeSummary, RangeDetail };

struct TPortfolioReportRequest
{
    TPortfolioReportKind Kind = TPortfolioReportKind::Summary;
    QString Caption;  // the portfolio window's caption, "Portfolio " and the name
    QString FileName; // the portfolio's file name
    double Threshold = 0;
    QDate Start; // used by the two range choices
    QDate End;
};

// The threshold of a "Percent Change:" text: the number it holds, 0 when it
// holds none.
double ThresholdFromText(const QString &text);

// The start and end dates a choice compares: yesterday and today (calendar
// days, so a Monday compares Sunday with Monday) for the one-day report,
// the given dates for the range reports.
void ReportDates(bool oneDay, const QDate &start, const QDate &end, QDate *from, QDate *to);

void WritePortfolioReport(TReportPage &page, const TPortfolioReportRequest &request);

// Over every entry of the watch list. One day compares yesterday with today;
// the range detail follows the summary with each security's days.
void WriteStockReport(TReportPage &page, TStockReportKind kind, TWatchDatabase &watch, double threshold,
                      const QDate &start, const QDate &end);
