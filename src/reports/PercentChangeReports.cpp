#include "reports/PercentChangeReports.h"

#include "frame/NumberFormat.h"
#include "frame/StdUnitDates.h"
#include "records/WatchBase.h"
#include "reports/ReportLayout.h"
#include "reports/ReportPage.h"

using namespace ReportLayout;

namespace {

const QString kTitle = QStringLiteral("Precent Change In Stocks");

// Lines 3 and 4 of the percent-change headings: the column titles, with the
// two dates under the two value columns.
void columnTitles(TReportPage &page, const QString &valueTitle, const QDate &start, const QDate &end)
{
    page.NewLine();
    Shade(page, 0.5, 8);
    Pen(page);
    page.HorizontalRule(true, 8, 0.5);
    Rules(page, {0.5, 8});
    page.TextLeft(QStringLiteral("Issue"), 0.55);
    page.VerticalRule(2.95);
    page.TextLeft(valueTitle, 3.0);
    page.VerticalRule(4.2);
    page.TextLeft(valueTitle, 4.25);
    page.VerticalRule(5.45);
    page.TextLeft(QStringLiteral("Dollar"), 5.5);
    page.VerticalRule(6.7);
    page.TextLeft(QStringLiteral("Precent"), 6.75);

    page.NewLine();
    Shade(page, 0.5, 8);
    Pen(page);
    Rules(page, {0.5, 8});
    page.HorizontalRule(false, 8, 0.5);
    page.VerticalRule(2.95);
    page.TextLeft(DisplayDateText(start), 3.0);
    page.VerticalRule(4.2);
    page.TextLeft(DisplayDateText(end), 4.25);
    page.VerticalRule(5.45);
    page.TextLeft(QStringLiteral("Change"), 5.5);
    page.VerticalRule(6.7);
    page.TextLeft(QStringLiteral("Change"), 6.75);
}

} // namespace

// ---- portfolio percent change ---------------------------------------------

TPercentChangeReport::TPercentChangeReport(TReportPage &page, const TPercentChangeInputs &inputs)
    : m_page(page), m_in(inputs)
{
}

void TPercentChangeReport::heading()
{
    PrintedLine(m_page, kTitle);
    m_page.NewLine();
    PageLine(m_page, m_in.Subject);
    columnTitles(m_page, QStringLiteral("Holdings On"), m_in.Start, m_in.End);
}

void TPercentChangeReport::line(const TPercentChangeLine &l)
{
    NextLine(m_page, [this] { heading(); });
    Pen(m_page);
    Rules(m_page, {0.5, 8});
    m_page.SetFont(10, l.NameColor, l.Bold);
    m_page.TextLeft(l.Name, 0.55);
    m_page.SetFont(10, kBlack, l.Bold);
    m_page.VerticalRule(2.95);
    m_page.TextLeft(MoneyText(l.StartValue), 3.0);
    m_page.VerticalRule(4.2);
    m_page.TextLeft(MoneyText(l.EndValue), 4.25);
    m_page.VerticalRule(5.45);
    m_page.SetFont(10, l.ChangeColor, l.Bold);
    m_page.TextLeft(MoneyText(l.Change), 5.5);
    m_page.VerticalRule(6.7);
    m_page.TextLeft(l.Percent.Text, 6.75);
}

void TPercentChangeReport::totalLine(const TPercentChangeLine &t)
{
    m_page.NewLine();
    Shade(m_page, 0.5, 8);
    Pen(m_page);
    m_page.HorizontalRule(true, 8, 0.5);
    m_page.HorizontalRule(false, 8, 0.5);
    Rules(m_page, {0.5, 8});
    m_page.SetFont(10, kBlack, t.Bold);
    m_page.TextLeft(t.Name, 0.55);
    m_page.VerticalRule(2.95);
    m_page.TextLeft(MoneyText(t.StartValue), 3.0);
    m_page.VerticalRule(4.2);
    m_page.TextLeft(MoneyText(t.EndValue), 4.25);
    m_page.VerticalRule(5.45);
    m_page.SetFont(10, t.ChangeColor, t.Bold);
    m_page.TextLeft(MoneyText(t.Change), 5.5);
    m_page.VerticalRule(6.7);
    m_page.TextLeft(t.Percent.Text, 6.75);
}

void TPercentChangeReport::Write(const TPortfolioRecords &records, TReportNames &names)
{
    const TPercentChangeData data =
        ComputePercentChange(records, m_in.Start, m_in.End, m_in.Threshold, names);
    heading();
    for (const TPercentChangeLine &l : data.Lines)
        line(l);
    totalLine(data.Total);
}

void TPercentChangeReport::Write()
{
    TReportNames names;
    Write(ReadPortfolioRecords(m_in.PortfolioFile), names);
}

// ---- stock percent change -------------------------------------------------

TStockPercentChangeReport::TStockPercentChangeReport(TReportPage &page, TWatchDatabase &watch,
                                                     double threshold, const QDate &start, const QDate &end)
    : m_page(page), m_watch(watch), m_threshold(threshold), m_start(start), m_end(end)
{
}

void TStockPercentChangeReport::Write()
{
    const QList<TStockChangeLine> lines = ComputeStockPercentChange(m_watch, m_start, m_end, m_threshold);
    // The heading is written once: the list of a watch list is read as one
    // table, not page by page.
    PrintedLine(m_page, kTitle);
    m_page.NewLine();
    PageLine(m_page, QString());
    columnTitles(m_page, QStringLiteral("Price On"), m_start, m_end);

    for (const TStockChangeLine &l : lines) {
        m_page.NewLine();
        Pen(m_page);
        Rules(m_page, {0.5, 8});
        m_page.SetFont(10, l.NameColor, l.Bold);
        m_page.TextLeft(l.Name, 0.55);
        m_page.SetFont(10, kBlack, l.Bold);
        Pen(m_page);
        m_page.VerticalRule(2.95);
        m_page.TextRight(MoneyText(l.Start), 4.15);
        m_page.VerticalRule(4.2);
        m_page.TextRight(MoneyText(l.End), 5.4);
        m_page.VerticalRule(5.45);
        m_page.TextRight(MoneyText(l.End - l.Start), 6.65);
        m_page.VerticalRule(6.7);
        m_page.TextRight(l.Percent.Text, 7.95);
    }
    m_page.NewLine();
    Pen(m_page);
    m_page.HorizontalRule(true, 8, 0.5);
}

// ---- percent change in detail ---------------------------------------------

TPercentChangeReportDetail::TPercentChangeReportDetail(TReportPage &page, const TPercentChangeInputs &inputs)
    : m_page(page), m_in(inputs)
{
}

void TPercentChangeReportDetail::sectionHeading(const TDayChangeSection &section)
{
    PrintedLine(m_page, kTitle);
    m_page.NewLine();
    PageLine(m_page, m_in.Subject);

    m_page.NewLine();
    Shade(m_page, 0.5, 8);
    Pen(m_page);
    m_page.HorizontalRule(true, 8, 0.5);
    m_page.HorizontalRule(false, 8, 0.5);
    Rules(m_page, {0.5, 8});
    m_page.SetFont(10, section.NameColor, false);
    m_page.TextLeft(QStringLiteral("Issue: ") + section.Name, 0.55);
    m_page.SetFont(10, kBlack, false);

    m_page.NewLine();
    Shade(m_page, 0.5, 8);
    Pen(m_page);
    Rules(m_page, {0.5, 8});
    m_page.HorizontalRule(true, 8, 0.5);
    m_page.HorizontalRule(false, 8, 1.5);
    m_page.VerticalRule(1.5);
    m_page.TextCentered(QStringLiteral("Current"), 3.75, 1.5);
    m_page.VerticalRule(3.75);
    m_page.TextCentered(QStringLiteral("Precent Change"), 6, 3.75);
    m_page.VerticalRule(6);
    m_page.TextCentered(QStringLiteral("Total Precent Change"), 8, 6);

    m_page.NewLine();
    Shade(m_page, 0.5, 8);
    Pen(m_page);
    Rules(m_page, {0.5, 8});
    m_page.HorizontalRule(true, 8, 1.5);
    m_page.HorizontalRule(false, 8, 0.5);
    m_page.TextCentered(QStringLiteral("Date"), 1.5, 0.5);
    m_page.VerticalRule(1.5);
    m_page.TextCentered(QStringLiteral("Price"), 2.625, 1.5);
    m_page.VerticalRule(2.625);
    m_page.TextCentered(QStringLiteral("Volume"), 3.75, 2.625);
    m_page.VerticalRule(3.75);
    m_page.TextCentered(QStringLiteral("Price"), 4.875, 3.75);
    m_page.VerticalRule(4.875);
    m_page.TextCentered(QStringLiteral("Volume"), 6, 4.875);
    m_page.VerticalRule(6);
    m_page.TextCentered(QStringLiteral("Price"), 7.125, 6);
    m_page.VerticalRule(7.125);
    m_page.TextCentered(QStringLiteral("Volume"), 8, 7.125);
}

void TPercentChangeReportDetail::dayLine(const TDayChangeSection &section, const TDayChangeLine &l)
{
    NextLine(m_page, [&] { sectionHeading(section); });
    Rules(m_page, {0.5, 8});
    m_page.SetFont(10, kBlack, l.Bold);
    m_page.TextCentered(l.Date, 1.5, 0.5);
    m_page.VerticalRule(1.5);
    m_page.TextCentered(MoneyText(l.Close, 4), 2.625, 1.5);
    m_page.VerticalRule(2.625);
    m_page.TextCentered(FixedText(l.Volume, 0), 3.75, 2.625);
    m_page.VerticalRule(3.75);
    static const double kColumns[5] = {3.75, 4.875, 6, 7.125, 8};
    for (int i = 0; i < 4; ++i) {
        m_page.SetFont(10, l.Percent[i].Value < 0 ? 0x0000FFu : kBlack, l.Bold);
        m_page.TextCentered(l.Percent[i].Text, kColumns[i + 1], kColumns[i]);
        if (i < 3)
            m_page.VerticalRule(kColumns[i + 1]);
    }
}

void TPercentChangeReportDetail::WriteSections(const QStringList &symbols, TReportNames &names)
{
    for (const QString &symbol : symbols) {
        const TDayChangeSection section =
            ComputeDayChanges(symbol, m_in.Start, m_in.End, m_in.Threshold, names);
        m_page.NewPage();
        sectionHeading(section);
        for (const TDayChangeLine &l : section.Lines)
            dayLine(section, l);
        if (!section.Lines.isEmpty())
            m_page.HorizontalRule(false, 8, 0.5);
    }
}

void TPercentChangeReportDetail::Write()
{
    TReportNames names;
    const TPortfolioRecords records = ReadPortfolioRecords(m_in.PortfolioFile);
    TPercentChangeReport(m_page, m_in).Write(records, names);
    // A portfolio without securities has no sections: no empty page follows.
    WriteSections(records.Symbols, names);
}
