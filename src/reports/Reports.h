#pragma once
// The page model every report writes through: lines of proportional text at
// positions in inches, shaded header bands and rules, page breaks with the
// standard page header. What it draws goes to a target (a printer sheet, a
// preview page picture, or a recorder in tests); the target supplies the
// resolution, the page size and what happens when a page ends.

#include "reports/ReportPage.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QPen>
#include <QString>
#include <memory>

class QPainter;
class TRunTalk;

// 0x00BBGGRR, the colour form the reports use.
QColor ReportColor(uint32_t colour);

class TReportTarget
{
public:
    virtual ~TReportTarget() = default;

    virtual bool IsPrinter() const = 0;
    virtual int ResolutionX() const = 0;
    virtual int ResolutionY() const = 0;
    // The unprintable margin at the left, in pixels (0 on a preview page).
    virtual int LeftOffset() const { return 0; }
    virtual int PageWidth() const = 0;
    virtual int PageHeight() const = 0;

    // Starts the document and its first page; false with `error` set when
    // the device refuses.
    virtual bool Start(QString &error) = 0;
    // Page `page` is finished and the next one begins.
    virtual bool EndPage(int page, QString &error) = 0;
    // The run is over; `page` is the last page.
    virtual bool Finish(int page, QString &error) = 0;

    // Drawing primitives in device pixels of the printable area. `top` is the
    // top of the letters (not the baseline).
    virtual void Text(int x, int top, const QString &text, const QFont &font, const QColor &colour) = 0;
    virtual void Fill(const QRect &band, const QColor &colour) = 0;
    virtual void Line(const QPoint &from, const QPoint &to, const QPen &pen) = 0;
};

// A target that draws with a painter; subclasses own the device.
class TPainterTarget : public TReportTarget
{
public:
    void Text(int x, int top, const QString &text, const QFont &font, const QColor &colour) override;
    void Fill(const QRect &band, const QColor &colour) override;
    void Line(const QPoint &from, const QPoint &to, const QPen &pen) override;

protected:
    virtual QPainter *painter() = 0;
};

// Preview pages: an 8.5 by 11 inch white picture per page at the screen's
// resolution, each finished page stored as <page>.jpg in `folder`.
class TPreviewImageTarget : public TPainterTarget
{
public:
    TPreviewImageTarget(const QString &folder, int resolution = 96);
    ~TPreviewImageTarget() override;

    bool IsPrinter() const override { return false; }
    int ResolutionX() const override { return m_resolution; }
    int ResolutionY() const override { return m_resolution; }
    int PageWidth() const override;
    int PageHeight() const override;
    bool Start(QString &error) override;
    bool EndPage(int page, QString &error) override;
    bool Finish(int page, QString &error) override;

    QString pageFile(int page) const;

protected:
    QPainter *painter() override { return m_painter.get(); }

private:
    void newSheet();
    bool store(int page, QString &error);

    QString m_folder;
    int m_resolution;
    QImage m_image;
    std::unique_ptr<QPainter> m_painter;
};

// What a test reads back: every primitive in drawing order.
struct TRecordedItem
{
    enum Kind { Text, Fill, Line, PageEnd } kind = Text;
    int page = 1;
    int x = 0, y = 0; // left/top (Text, Fill), start (Line)
    int x2 = 0, y2 = 0; // right/bottom (Fill), end (Line)
    QString text;
    int pixelSize = 0;
    bool bold = false;
    QColor colour;
};

class TRecordingTarget : public TReportTarget
{
public:
    TRecordingTarget(int resolution = 96, int leftOffset = 0, int pageWidth = -1, int pageHeight = -1);

    bool IsPrinter() const override { return m_printer; }
    int ResolutionX() const override { return m_resolution; }
    int ResolutionY() const override { return m_resolution; }
    int LeftOffset() const override { return m_leftOffset; }
    int PageWidth() const override { return m_width; }
    int PageHeight() const override { return m_height; }
    bool Start(QString &error) override;
    bool EndPage(int page, QString &error) override;
    bool Finish(int page, QString &error) override;
    void Text(int x, int top, const QString &text, const QFont &font, const QColor &colour) override;
    void Fill(const QRect &band, const QColor &colour) override;
    void Line(const QPoint &from, const QPoint &to, const QPen &pen) override;

    // The texts of one page in drawing order.
    QStringList texts(int page) const;

    QList<TRecordedItem> items;
    bool m_printer = false;
    bool finished = false;
    QString failStartWith; // makes Start fail with this text (tests)
    int failAtPage = 0;    // makes EndPage of this page fail (tests)

private:
    int m_resolution;
    int m_leftOffset;
    int m_width;
    int m_height;
    int m_page = 1;
};

// The page model. It owns no target; a run hands it one between Begin and
// End. After a failure it draws nothing more and remembers the first error.
class TReports : public TReportPage
{
public:
    TReports() = default;

    // Resets the state, starts the target and writes page 1's header.
    bool Begin(TReportTarget *target, TRunTalk *talk);
    // Ends the document; false when anything failed on the way.
    bool End();
    bool Failed() const { return !m_error.isEmpty(); }
    QString Error() const { return m_error; }

    void SetFont(int size, uint32_t colour, bool bold) override;
    void SetPen(int width, uint32_t colour) override;
    void TextLeft(const QString &text, double x) override;
    void TextRight(const QString &text, double x) override;
    void TextCentered(const QString &text, double right, double left) override;
    void ShadeLine(uint32_t colour, double right, double left) override;
    void VerticalRule(double x) override;
    void HorizontalRule(bool atTop, double right, double left) override;
    void NewLine() override;
    void NewPage() override;
    int PageNumber() const override { return m_pageCount; }
    bool FreshPage() const override { return m_fresh; }

    // Pixel x of a position in inches from the paper's edge, clamped to the page.
    int PixelX(double inches) const;
    int Y() const { return m_y; }
    int LineHeight() const { return m_lineHeight; }
    int TextOffset() const { return m_textOffset; }
    const QFont &Font() const { return m_font; }

private:
    void pageHeader();
    void fail(const QString &error);
    bool drawing() const { return m_target && !Failed(); }
    int textWidth(const QString &text) const;
    void text(const QString &text, int x);

    TReportTarget *m_target = nullptr;
    TRunTalk *m_talk = nullptr;
    QString m_error;
    QFont m_font;
    QColor m_colour;
    QPen m_pen;
    int m_y = 0;
    int m_lineHeight = 0;
    int m_textOffset = 0;
    int m_pageCount = 1;
    int m_pageWidth = 0;
    bool m_fresh = false;
    bool m_inHeader = false;
};
