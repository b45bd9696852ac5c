#pragma once
// What a report writes on: the line and page operations of the page model,
// seen from the reports. Horizontal positions are inches from the paper's
// left edge; the current line runs from the page model's y to y + line
// height. Colours are 0x00BBGGRR.

#include <QString>
#include <cstdint>

class TReportPage
{
public:
    virtual ~TReportPage() = default;

    // Font "Times New Roman" at `size` points, in `colour`, regular or bold.
    virtual void SetFont(int size, uint32_t colour, bool bold) = 0;
    // A solid pen of `width` pixels for the rules.
    virtual void SetPen(int width, uint32_t colour) = 0;
    virtual void TextLeft(const QString &text, double x) = 0;
    virtual void TextRight(const QString &text, double x) = 0;
    // Centred between `left` and `right` (note the order: right first).
    virtual void TextCentered(const QString &text, double right, double left) = 0;
    // Fills the line's band from `left` to `right`; the pen is left alone.
    virtual void ShadeLine(uint32_t colour, double right, double left) = 0;
    virtual void VerticalRule(double x) = 0;
    virtual void HorizontalRule(bool atTop, double right, double left) = 0;
    // Advances one line; breaks the page when the line would end within a
    // line height of the bottom.
    virtual void NewLine() = 0;
    // Ends the page and starts the next with the page header.
    virtual void NewPage() = 0;
    virtual int PageNumber() const = 0;
    // True while no line has been advanced since the page header.
    virtual bool FreshPage() const = 0;
    // The platform's button-face colour, for shaded header bands.
    virtual uint32_t ButtonFace() const { return 0xF0F0F0; }
};
