#pragma once
// What the two report dialogs decide without a window: which option boxes a
// choice uses, and the checks "P&review" and "&Print" run before anything
// else.

#include "reports/ReportRuns.h"

#include <QString>
#include <QStringList>

bool ReportUsesPercent(TPortfolioReportKind kind);
bool ReportUsesDates(TPortfolioReportKind kind);
bool ReportUsesDates(TStockReportKind kind);

// The option boxes as the dialog shows them: whether each is enabled and
// what it holds.
struct TReportOptionTexts
{
    bool DatesEnabled = false;
    QString Start;
    QString End;
    bool PercentEnabled = false;
    QString Percent;
};

// A date box text that reads as a real calendar day in the month/day/year
// form ("02/29/2100" does not).
bool IsReportDateText(const QString &text);
// One line per failed check, in the dialog's order; empty when all pass.
QStringList ReportOptionProblems(const TReportOptionTexts &texts);
