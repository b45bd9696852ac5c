#pragma once
// The drawing habits every report shares: the report pen, shaded header
// bands, column rules, the "Printed:" and "Page:" lines of a heading block,
// and the line advance that repeats a heading when it has started a page.

#include <QString>
#include <cstdint>
#include <functional>

class TReportPage;

namespace ReportLayout {

inline constexpr uint32_t kBlack = 0x000000;

// Pen width 1, black, solid.
void Pen(TReportPage &page);
// Shades the current line from `left` to `right` in the button-face colour.
void Shade(TReportPage &page, double left, double right);
// Vertical rules at each position, in the order given.
void Rules(TReportPage &page, std::initializer_list<double> xs);
// `title` at 0.5 in (unless empty) and "Printed: " with today's date
// right-aligned at 8 in.
void PrintedLine(TReportPage &page, const QString &title);
// `subject` at 0.5 in (unless empty), "Page:" right-aligned at 7.5 in and
// the page number right-aligned at 8 in.
void PageLine(TReportPage &page, const QString &subject);
// The advance before a line of a table: when it started a new page the
// heading is written again and one more line advanced, so the line comes
// below it.
void NextLine(TReportPage &page, const std::function<void()> &heading);

} // namespace ReportLayout
