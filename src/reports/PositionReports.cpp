#include "reports/PositionReports.h"

#include "frame/Clock.h"
#include "frame/NumberFormat.h"
#include "frame/Stockcfg.h"
#include "portfolio/Holdings.h"
#include "reports/ReportLayout.h"
#include "reports/ReportPage.h"

using namespace ReportLayout;

// ---- position summary -----------------------------------------------------

TSummaryReport::TSummaryReport(TReportPage &page, const QString &subject, const QString &portfolioFile)
    : m_page(page), m_subject(subject), m_file(portfolioFile)
{
}

void TSummaryReport::heading()
{
    PrintedLine(m_page, QStringLiteral("Position Summary"));
    m_page.NewLine();
    PageLine(m_page, m_subject);
    m_page.NewLine();
    Shade(m_page, 0.5, 8);
    Pen(m_page);
    m_page.HorizontalRule(true, 8, 0.5);
    m_page.HorizontalRule(false, 8, 0.5);
    Rules(m_page, {0.5, 8});
    m_page.TextLeft(QStringLiteral("Issue"), 0.75);
    m_page.VerticalRule(2.95);
    m_page.TextLeft(QStringLiteral("Shares"), 3.0);
    m_page.VerticalRule(3.95);
    m_page.TextLeft(QStringLiteral("Dividends"), 4.0);
    m_page.VerticalRule(5.2);
    m_page.TextLeft(QStringLiteral("Holdings"), 5.25);
    m_page.VerticalRule(6.7);
    m_page.TextLeft(QStringLiteral("Position"), 6.75);
}

void TSummaryReport::Write(const TPortfolioRecords &records, TReportNames &names)
{
    const TSummaryData data = ComputeSummary(records, Clock::Today(), names);
    heading();
    for (const TSummaryLine &l : data.Lines) {
        NextLine(m_page, [this] { heading(); });
        Pen(m_page);
        Rules(m_page, {0.5, 8});
        m_page.SetFont(10, l.NameColor, false);
        m_page.TextLeft(l.Name, 0.52);
        m_page.SetFont(10, kBlack, false);
        m_page.VerticalRule(2.95);
        m_page.TextRight(FixedText(l.Position.Shares, 2), 3.9);
        m_page.VerticalRule(3.95);
        m_page.TextRight(MoneyText(l.Position.Dividends), 5.15);
        m_page.VerticalRule(5.2);
        m_page.TextRight(MoneyText(l.Position.Value), 6.65);
        m_page.VerticalRule(6.7);
        m_page.SetFont(10, l.GainColor, false);
        m_page.TextRight(MoneyText(l.Position.Gain), 7.95);
    }

    m_page.NewLine();
    Shade(m_page, 0.5, 8);
    Pen(m_page);
    m_page.HorizontalRule(true, 8, 0.5);
    m_page.HorizontalRule(false, 8, 0.5);
    Rules(m_page, {0.5, 8});
    // The total line starts black whatever colour the last gain had; its own
    // gain is red when it is a loss, as every gain of the reports is.
    m_page.SetFont(10, kBlack, false);
    m_page.TextLeft(QStringLiteral("Total"), 0.75);
    m_page.VerticalRule(2.95);
    m_page.TextRight(FixedText(data.Total.Shares, 2), 3.9);
    m_page.VerticalRule(3.95);
    m_page.TextRight(MoneyText(data.Total.Dividends), 5.15);
    m_page.VerticalRule(5.2);
    m_page.TextRight(MoneyText(data.Total.Value), 6.65);
    m_page.VerticalRule(6.7);
    m_page.SetFont(10, AmountColor(data.Total.Gain), false);
    m_page.TextRight(MoneyText(data.Total.Gain), 7.95);
    m_page.SetFont(10, kBlack, false);
}

void TSummaryReport::Write()
{
    TReportNames names;
    Write(ReadPortfolioRecords(m_file), names);
}

// ---- position detail ------------------------------------------------------

TDetailReport::TDetailReport(TReportPage &page, const QString &subject, const QString &portfolioFile)
    : m_page(page), m_subject(subject), m_file(portfolioFile)
{
}

void TDetailReport::sectionHeading(const TDetailSection &section)
{
    m_page.TextLeft(QStringLiteral("Issue:"), 0.5);
    m_page.SetFont(10, section.NameColor, false);
    m_page.TextLeft(section.Name, 1.0);
    m_page.SetFont(10, kBlack, false);
    PrintedLine(m_page, QString());
    m_page.NewLine();
    PageLine(m_page, m_subject);
    m_page.NewLine();
    Shade(m_page, 0.5, 8);
    Pen(m_page);
    m_page.HorizontalRule(true, 8, 0.5);
    m_page.HorizontalRule(false, 8, 0.5);
    Rules(m_page, {0.5, 8});
    m_page.TextLeft(QStringLiteral("Date"), 0.55);
    m_page.VerticalRule(1.5);
    m_page.TextLeft(QStringLiteral("Status"), 1.55);
    m_page.VerticalRule(2);
    m_page.TextLeft(QStringLiteral("Shares"), 2.05);
    m_page.VerticalRule(3.5);
    m_page.TextLeft(QStringLiteral("Price"), 3.55);
    m_page.VerticalRule(5);
    m_page.TextLeft(QStringLiteral("Fee"), 5.05);
    m_page.VerticalRule(6.5);
    m_page.TextLeft(QStringLiteral("Total"), 6.55);
}

void TDetailReport::tradeLine(const TDetailSection &section, const TDetailTrade &t)
{
    NextLine(m_page, [&] { sectionHeading(section); });
    Rules(m_page, {0.5, 8});
    m_page.TextLeft(t.Date, 0.55);
    m_page.VerticalRule(1.5);
    m_page.TextLeft(t.Bought ? QStringLiteral("Bought") : QStringLiteral("Sold"), 1.55);
    m_page.VerticalRule(2);
    m_page.TextRight(FixedText(t.Shares, 4), 3.45);
    m_page.VerticalRule(3.5);
    m_page.TextRight(MoneyText(t.Price), 4.95);
    m_page.VerticalRule(5);
    m_page.TextRight(MoneyText(t.Fee), 6.45);
    m_page.VerticalRule(6.5);
    m_page.TextRight(MoneyText(t.Amount), 7.95);
}

void TDetailReport::sectionEnd(const TDetailSection &s)
{
    m_page.HorizontalRule(false, 8, 0.5);
    m_page.NewLine();
    m_page.TextRight(QStringLiteral("Net On Trades:"), 6.45);
    m_page.TextRight(MoneyText(s.Net), 7.95);
    m_page.NewLine();
    m_page.TextRight(QStringLiteral("Total Dividends:"), 6.45);
    m_page.TextRight(MoneyText(s.Dividends), 7.95);
    m_page.HorizontalRule(false, 8, 6.5);
    m_page.NewLine();
    m_page.TextRight(MoneyText(s.FinalPosition), 7.95);
    m_page.TextRight(QStringLiteral("Final Position:"), 4.95);
    m_page.TextRight(s.Return.Text, 6.5);
    m_page.NewLine();
    m_page.NewLine();
}

void TDetailReport::dividendHeading(const TDetailSection &s)
{
    m_page.NewLine();
    m_page.SetFont(10, s.NameColor, false);
    m_page.TextCentered(s.Name + QStringLiteral(" Dividends"), 7.5, 0.5);
    m_page.SetFont(10, kBlack, false);
    m_page.NewLine();
    Shade(m_page, 0.5, 7.5);
    Pen(m_page);
    m_page.HorizontalRule(true, 7.5, 0.5);
    m_page.HorizontalRule(false, 7.5, 0.5);
    Rules(m_page, {0.5, 7.5});
    m_page.TextLeft(QStringLiteral("Date"), 0.55);
    m_page.VerticalRule(1.5);
    m_page.TextLeft(QStringLiteral("Status"), 1.55);
    m_page.VerticalRule(2.5);
    m_page.TextLeft(QStringLiteral("Dividend"), 2.55);
    m_page.VerticalRule(4);
    m_page.TextLeft(QStringLiteral("Date"), 4.05);
    m_page.VerticalRule(5);
    m_page.TextLeft(QStringLiteral("Status"), 5.05);
    m_page.VerticalRule(6);
    m_page.TextLeft(QStringLiteral("Dividend"), 6.05);
    m_page.NewLine();
}

void TDetailReport::dividendTable(const TDetailSection &s)
{
    dividendHeading(s);
    bool left = true;
    for (const TDividendEntry &d : s.DividendEntries) {
        const double offset = left ? 0 : 3.5;
        if (left)
            Rules(m_page, {0.5, 7.5, 1.5, 2.5, 4, 5, 6});
        m_page.TextLeft(d.Date, offset + 0.55);
        m_page.TextLeft(d.Received ? QStringLiteral("Received") : QStringLiteral("Distributed"),
                        offset + 1.55);
        m_page.TextRight(MoneyText(d.Amount), offset + 4);
        if (!left) {
            m_page.NewLine();
            if (m_page.FreshPage())
                dividendHeading(s);
        }
        left = !left;
    }
    if (!left) // the last entry stands alone on the left
        m_page.NewLine();
    m_page.HorizontalRule(true, 7.5, 0.5);
    m_page.NewLine();
    m_page.TextCentered(QStringLiteral("Total Dividends: ") + MoneyText(s.Dividends), 7.5, 0.5);
}

void TDetailReport::Write()
{
    TReportNames names;
    const TPortfolioRecords records = ReadPortfolioRecords(m_file);
    TSummaryReport(m_page, m_subject, m_file).Write(records, names);
    const QList<TDetailSection> sections =
        ComputeDetail(records, Clock::Today(), GetCommissionSchedule(), names);
    // A portfolio without transactions has nothing to detail: no page with a
    // section of zeros for no security follows its summary.
    for (int i = 0; i < sections.size(); ++i) {
        const TDetailSection &s = sections[i];
        m_page.NewPage();
        sectionHeading(s);
        for (const TDetailTrade &t : s.Trades)
            tradeLine(s, t);
        sectionEnd(s);
        dividendTable(s);
    }
}
