#include "reports/ReportLayout.h"

#include "frame/Clock.h"
#include "frame/StdUnitDates.h"
#include "reports/ReportPage.h"

namespace ReportLayout {

void Pen(TReportPage &page)
{
    page.SetPen(1, kBlack);
}

void Shade(TReportPage &page, double left, double right)
{
    page.ShadeLine(page.ButtonFace(), right, left);
}

void Rules(TReportPage &page, std::initializer_list<double> xs)
{
    for (double x : xs)
        page.VerticalRule(x);
}

void PrintedLine(TReportPage &page, const QString &title)
{
    if (!title.isEmpty())
        page.TextLeft(title, 0.5);
    page.TextRight(QStringLiteral("Printed: ") + DisplayDateText(Clock::Today()), 8);
}

void PageLine(TReportPage &page, const QString &subject)
{
    if (!subject.isEmpty())
        page.TextLeft(subject, 0.5);
    page.TextRight(QStringLiteral("Page:"), 7.5);
    page.TextRight(QString::number(page.PageNumber()), 8);
}

void NextLine(TReportPage &page, const std::function<void()> &heading)
{
    page.NewLine();
    if (page.FreshPage()) {
        heading();
        page.NewLine();
    }
}

} // namespace ReportLayout
