#pragma once
// A report page for tests that counts in lines instead of pixels: every line
// is one unit high and a page holds `linesPerPage` of them. It follows the
// page model's line and page rules (the three-line page header, the break
// when a line would end within a line of the bottom, the fresh-page flag)
// and writes down every call with the page and line it landed on.

#include "reports/ReportPage.h"

#include <QList>
#include <QString>
#include <QStringList>

struct TLineItem
{
    int page = 0;
    int line = 0;
    QString kind; // "L", "R", "C", "shade", "vrule", "top", "bottom"
    QString text;
    double x = 0;    // the position of left/right texts and vertical rules; right edge otherwise
    double left = 0; // the left edge of centred texts, shades and horizontal rules
    uint32_t colour = 0;
    bool bold = false;
};

class TLinePage : public TReportPage
{
public:
    explicit TLinePage(int linesPerPage = 60) : m_linesPerPage(linesPerPage) { header(); }

    void SetFont(int size, uint32_t colour, bool bold) override
    {
        m_size = size;
        m_colour = colour;
        m_bold = bold;
    }
    void SetPen(int width, uint32_t colour) override
    {
        penWidth = width;
        penColour = colour;
    }
    void TextLeft(const QString &text, double x) override { add("L", text, x, 0); }
    void TextRight(const QString &text, double x) override { add("R", text, x, 0); }
    void TextCentered(const QString &text, double right, double left) override
    {
        add("C", text, right, left);
    }
    void ShadeLine(uint32_t colour, double right, double left) override
    {
        add("shade", {}, right, left);
        items.last().colour = colour;
    }
    void VerticalRule(double x) override { add("vrule", {}, x, 0); }
    void HorizontalRule(bool atTop, double right, double left) override
    {
        add(atTop ? "top" : "bottom", {}, right, left);
    }
    void NewLine() override
    {
        ++m_line;
        if (m_line < m_linesPerPage - 1)
            m_fresh = false;
        else
            NewPage();
    }
    void NewPage() override
    {
        ++m_page;
        m_line = 0;
        header();
    }
    int PageNumber() const override { return m_page; }
    bool FreshPage() const override { return m_fresh; }

    // Texts of one line in the order written, each as "text@x" (right-aligned
    // texts as "text@x>" and centred ones as "text@left-right").
    QStringList texts(int page, int line) const
    {
        QStringList out;
        for (const TLineItem &i : items) {
            if (i.page != page || i.line != line)
                continue;
            if (i.kind == "L")
                out << QStringLiteral("%1@%2").arg(i.text).arg(i.x);
            else if (i.kind == "R")
                out << QStringLiteral("%1@%2>").arg(i.text).arg(i.x);
            else if (i.kind == "C")
                out << QStringLiteral("%1@%2-%3").arg(i.text).arg(i.left).arg(i.x);
        }
        return out;
    }
    // The positions of the vertical rules of one line, in the order drawn.
    QList<double> rules(int page, int line) const
    {
        QList<double> out;
        for (const TLineItem &i : items)
            if (i.page == page && i.line == line && i.kind == "vrule")
                out << i.x;
        return out;
    }
    QStringList kinds(int page, int line) const
    {
        QStringList out;
        for (const TLineItem &i : items)
            if (i.page == page && i.line == line && i.kind != "L" && i.kind != "R" && i.kind != "C")
                out << QStringLiteral("%1 %2-%3").arg(i.kind).arg(i.left).arg(i.x);
        return out;
    }
    const TLineItem *find(const QString &text, int nth = 0) const
    {
        for (const TLineItem &i : items)
            if (i.text == text && nth-- == 0)
                return &i;
        return nullptr;
    }
    int count(const QString &text) const
    {
        int n = 0;
        for (const TLineItem &i : items)
            n += i.text == text;
        return n;
    }
    int lastLine(int page) const
    {
        int last = -1;
        for (const TLineItem &i : items)
            if (i.page == page)
                last = std::max(last, i.line);
        return last;
    }

    QList<TLineItem> items;
    int penWidth = 0;
    uint32_t penColour = 0xFFFFFFFF;

private:
    void add(const char *kind, const QString &text, double x, double left)
    {
        TLineItem i;
        i.page = m_page;
        i.line = m_line;
        i.kind = QString::fromLatin1(kind);
        i.text = text;
        i.x = x;
        i.left = left;
        i.colour = m_colour;
        i.bold = m_bold;
        items << i;
    }
    void header()
    {
        SetFont(24, 0, false);
        TextCentered(QStringLiteral("The Quorvane"), 8, 0.5);
        NewLine();
        SetFont(14, 0, false);
        TextCentered(QStringLiteral("Version 3.1"), 8, 0.5);
        NewLine();
        SetFont(10, 0, false);
        NewLine();
        m_fresh = true;
    }

    int m_linesPerPage;
    int m_page = 1;
    int m_line = 0;
    bool m_fresh = true;
    int m_size = 10;
    uint32_t m_colour = 0;
    bool m_bold = false;
};
