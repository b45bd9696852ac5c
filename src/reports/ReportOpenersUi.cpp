#include "reports/ReportOpenersUi.h"

#include "frame/DateBoxUi.h"
#include "frame/ModalUi.h"
#include "portfolio/portfoliofrm.h"
#include "reports/ReportPreviewFrm.h"
#include "reports/ReportRuns.h"
#include "reports/ReportsFrm.h"

#include <QSpinBox>

namespace {

// Begins the run the dialog chose, lets `write` fill it and ends it; a
// preview that ended well is then shown. A failed run has said why already.
template <typename Write> void runReport(QWidget *owner, TReportResult result, Write write)
{
    TReportPreviewForm preview(owner);
    const bool forPreview = result == TReportResult::Preview;
    if (!preview.BeginRun(forPreview))
        return;
    write(preview.Page());
    if (preview.EndRun() && forPreview)
        preview.Execute();
}

} // namespace

void RunPortfolioReports(QWidget *owner, const TPortfolioInfo &portfolio)
{
    TPortReportsform dialog(owner);
    const auto result = TReportResult(ExecModal(&dialog));
    if (result != TReportResult::Preview && result != TReportResult::Print)
        return;
    TPortfolioReportRequest request;
    request.Kind = dialog.kind();
    request.Caption = owner ? owner->windowTitle() : QStringLiteral("Portfolio ") + portfolio.Name;
    request.FileName = portfolio.FileName;
    request.Threshold = ThresholdFromText(dialog.percentText());
    request.Start = dialog.StartDate->date();
    request.End = dialog.EndDate->date();
    runReport(owner, result, [&](TReportPage &page) { WritePortfolioReport(page, request); });
}

void RunStockReports(QWidget *owner, TWatchDatabase *list)
{
    TStockReportsForm dialog(owner);
    const auto result = TReportResult(ExecModal(&dialog));
    if (result != TReportResult::Preview && result != TReportResult::Print)
        return;
    const TStockReportKind kind = dialog.kind();
    const QDate start = dialog.StartDate->date(), end = dialog.EndDate->date();
    const double threshold = dialog.PercentEdit->value();
    runReport(owner, result, [&](TReportPage &page) {
        if (list)
            WriteStockReport(page, kind, *list, threshold, start, end);
    });
}
