#include "reports/ReportRuns.h"

#include "frame/Clock.h"
#include "frame/NumberFormat.h"
#include "records/WatchBase.h"
#include "reports/PercentChangeReports.h"
#include "reports/PositionReports.h"

double ThresholdFromText(const QString &text)
{
    double value = 0;
    return ReadNumberText(text, &value) ? value : 0;
}

void ReportDates(bool oneDay, const QDate &start, const QDate &end, QDate *from, QDate *to)
{
    if (oneDay) {
        const QDate today = Clock::Today();
        *from = today.addDays(-1);
        *to = today;
    } else {
        *from = start;
        *to = end;
    }
}

void WritePortfolioReport(TReportPage &page, const TPortfolioReportRequest &r)
{
    TPercentChangeInputs in{r.Caption, r.Threshold, {}, {}, r.FileName};
    ReportDates(r.Kind == TPortfolioReportKind::OneDay, r.Start, r.End, &in.Start, &in.End);
    switch (r.Kind) {
    case TPortfolioReportKind::Summary:
        TSummaryReport(page, r.Caption, r.FileName).Write();
        break;
    case TPortfolioReportKind::Detail:
        TDetailReport(page, r.Caption, r.FileName).Write();
        break;
    case TPortfolioReportKind::OneDay:
    case TPortfolioReportKind::RangeSummary:
        TPercentChangeReport(page, in).Write();
        break;
    case TPortfolioReportKind::RangeDetail:
        TPercentChangeReportDetail(page, in).Write();
        break;
    }
}

void WriteStockReport(TReportPage &page, TStockReportKind kind, TWatchDatabase &watch, double threshold,
                      const QDate &start, const QDate &end)
{
    QDate from, to;
    ReportDates(kind == TStockReportKind::OneDay, start, end, &from, &to);
    TStockPercentChangeReport(page, watch, threshold, from, to).Write();
    if (kind != TStockReportKind::RangeDetail)
        return;
    QStringList symbols;
    const int saved = watch.CurrentIndex();
    TListRecord entry;
    for (int i = 0; i < watch.RecordCount(); ++i) {
        watch.ReadAt(entry, i);
        symbols << entry.FileName.text();
    }
    watch.SetCurrentIndex(saved);
    TReportNames names;
    TPercentChangeReportDetail(page, {QString(), threshold, from, to, QString()})
        .WriteSections(symbols, names);
}
