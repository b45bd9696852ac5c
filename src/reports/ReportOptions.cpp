#include "reports/ReportOptions.h"

#include "frame/NumberFormat.h"
#include "frame/StdUnitDates.h"

bool ReportUsesPercent(TPortfolioReportKind kind)
{
    return kind != TPortfolioReportKind::Summary && kind != TPortfolioReportKind::Detail;
}

bool ReportUsesDates(TPortfolioReportKind kind)
{
    return kind == TPortfolioReportKind::RangeSummary || kind == TPortfolioReportKind::RangeDetail;
}

bool ReportUsesDates(TStockReportKind kind)
{
    return kind != TStockReportKind::OneDay;
}

bool IsReportDateText(const QString &text)
{
    // The stored-date check lets 29 February through in every fourth year;
    // a report range must also be a real calendar day, or the report would
    // run over an invalid date.
    return IsValidDateText(kFormMM_DD_YYYY, text) && ReadDisplayDate(text).isValid();
}

QStringList ReportOptionProblems(const TReportOptionTexts &texts)
{
    QStringList lines;
    const bool startOk = IsReportDateText(texts.Start);
    const bool endOk = IsReportDateText(texts.End);
    if (texts.DatesEnabled && !startOk)
        lines << QStringLiteral("Invalid Start Date Entered.");
    if (texts.DatesEnabled && !endOk)
        lines << QStringLiteral("Invalid End Date Entered.");
    double percent = 0;
    if (texts.PercentEnabled && !ReadNumberText(texts.Percent, &percent))
        lines << QStringLiteral("Invalid Value For Precent Change.");
    if (texts.DatesEnabled && startOk && endOk && ReadDisplayDate(texts.End) < ReadDisplayDate(texts.Start))
        lines << QStringLiteral("Start Date Must Be Less than Stop Date.");
    return lines;
}
