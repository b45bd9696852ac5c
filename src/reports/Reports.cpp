#include "reports/Reports.h"

#include "frame/RunTalk.h"

#include <QDir>
#include <QFontMetrics>
#include <QPainter>
#include <cmath>

namespace {

const QString kFontName = QStringLiteral("Times New Roman");

// The font's height in device pixels for a size in points, rounded the way
// the printer drivers size fonts.
int fontPixels(int points, int resolution)
{
    return int((int64_t(points) * resolution + 36) / 72);
}

// trunc(resolution × inches); NaN and far-off positions end at the edges.
int truncPixels(int resolution, double inches)
{
    const double px = std::trunc(resolution * inches);
    if (std::isnan(px) || px < 0)
        return 0;
    if (px > 1e9)
        return 1000000000;
    return int(px);
}

} // namespace

QColor ReportColor(uint32_t colour)
{
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

// ---- painter targets -------------------------------------------------------

void TPainterTarget::Text(int x, int top, const QString &text, const QFont &font, const QColor &colour)
{
    QPainter *p = painter();
    if (!p)
        return;
    p->setFont(font);
    p->setPen(colour);
    p->setBackgroundMode(Qt::TransparentMode);
    p->drawText(QPoint(x, top + QFontMetrics(font).ascent()), text);
}

void TPainterTarget::Fill(const QRect &band, const QColor &colour)
{
    if (QPainter *p = painter())
        p->fillRect(band, colour);
}

void TPainterTarget::Line(const QPoint &from, const QPoint &to, const QPen &pen)
{
    if (QPainter *p = painter()) {
        p->setPen(pen);
        p->drawLine(from, to);
    }
}

TPreviewImageTarget::TPreviewImageTarget(const QString &folder, int resolution)
    : m_folder(folder), m_resolution(resolution > 0 ? resolution : 96)
{
}

TPreviewImageTarget::~TPreviewImageTarget()
{
    if (m_painter)
        m_painter->end();
}

int TPreviewImageTarget::PageWidth() const
{
    return truncPixels(m_resolution, 8.5);
}

int TPreviewImageTarget::PageHeight() const
{
    return truncPixels(m_resolution, 11);
}

QString TPreviewImageTarget::pageFile(int page) const
{
    return QDir(m_folder).filePath(QString::number(page) + QStringLiteral(".jpg"));
}

void TPreviewImageTarget::newSheet()
{
    m_painter.reset();
    m_image = QImage(PageWidth(), PageHeight(), QImage::Format_RGB32);
    const int perMetre = int(std::lround(m_resolution / 0.0254));
    m_image.setDotsPerMeterX(perMetre);
    m_image.setDotsPerMeterY(perMetre);
    m_image.fill(Qt::white);
    m_painter = std::make_unique<QPainter>(&m_image);
}

bool TPreviewImageTarget::Start(QString &error)
{
    if (m_folder.isEmpty() || !QDir(m_folder).exists()) {
        error = QStringLiteral("The folder for the preview pages could not be made: %1").arg(m_folder);
        return false;
    }
    newSheet();
    return true;
}

bool TPreviewImageTarget::store(int page, QString &error)
{
    if (m_painter)
        m_painter->end();
    m_painter.reset();
    const QString file = pageFile(page);
    if (m_image.isNull() || !m_image.save(file, "JPG")) {
        error = QStringLiteral("The preview page could not be written to %1").arg(file);
        return false;
    }
    return true;
}

bool TPreviewImageTarget::EndPage(int page, QString &error)
{
    if (!store(page, error))
        return false;
    newSheet();
    return true;
}

bool TPreviewImageTarget::Finish(int page, QString &error)
{
    return store(page, error);
}

// ---- recording target ------------------------------------------------------

TRecordingTarget::TRecordingTarget(int resolution, int leftOffset, int pageWidth, int pageHeight)
    : m_resolution(resolution), m_leftOffset(leftOffset),
      m_width(pageWidth >= 0 ? pageWidth : truncPixels(resolution, 8.5)),
      m_height(pageHeight >= 0 ? pageHeight : truncPixels(resolution, 11))
{
}

bool TRecordingTarget::Start(QString &error)
{
    m_page = 1;
    if (!failStartWith.isEmpty()) {
        error = failStartWith;
        return false;
    }
    return true;
}

bool TRecordingTarget::EndPage(int page, QString &error)
{
    TRecordedItem item;
    item.kind = TRecordedItem::PageEnd;
    item.page = page;
    items.append(item);
    if (page == failAtPage) {
        error = QStringLiteral("page %1 refused").arg(page);
        return false;
    }
    m_page = page + 1;
    return true;
}

bool TRecordingTarget::Finish(int page, QString &error)
{
    (void)error;
    TRecordedItem item;
    item.kind = TRecordedItem::PageEnd;
    item.page = page;
    items.append(item);
    finished = true;
    return true;
}

void TRecordingTarget::Text(int x, int top, const QString &text, const QFont &font, const QColor &colour)
{
    TRecordedItem item;
    item.kind = TRecordedItem::Text;
    item.page = m_page;
    item.x = x;
    item.y = top;
    item.text = text;
    item.pixelSize = font.pixelSize();
    item.bold = font.bold();
    item.colour = colour;
    items.append(item);
}

void TRecordingTarget::Fill(const QRect &band, const QColor &colour)
{
    TRecordedItem item;
    item.kind = TRecordedItem::Fill;
    item.page = m_page;
    item.x = band.left();
    item.y = band.top();
    item.x2 = band.left() + band.width();
    item.y2 = band.top() + band.height();
    item.colour = colour;
    items.append(item);
}

void TRecordingTarget::Line(const QPoint &from, const QPoint &to, const QPen &pen)
{
    TRecordedItem item;
    item.kind = TRecordedItem::Line;
    item.page = m_page;
    item.x = from.x();
    item.y = from.y();
    item.x2 = to.x();
    item.y2 = to.y();
    item.colour = pen.color();
    items.append(item);
}

QStringList TRecordingTarget::texts(int page) const
{
    QStringList out;
    for (const TRecordedItem &item : items)
        if (item.kind == TRecordedItem::Text && item.page == page)
            out << item.text;
    return out;
}

// ---- page model ------------------------------------------------------------

bool TReports::Begin(TReportTarget *target, TRunTalk *talk)
{
    m_target = target;
    m_talk = talk;
    m_error.clear();
    m_y = 0;
    m_pageCount = 1;
    m_textOffset = 0;
    m_pageWidth = 0;
    m_fresh = false;
    m_inHeader = false;
    m_pen = QPen(Qt::black, 1, Qt::SolidLine);
    if (!m_target) {
        fail(QStringLiteral("No printer or preview page to write the report on."));
        return false;
    }
    QString error;
    if (!m_target->Start(error)) {
        fail(error);
        return false;
    }
    m_pageWidth = m_target->PageWidth();
    pageHeader();
    return !Failed();
}

bool TReports::End()
{
    if (m_target) {
        QString error;
        // A failed printer document is still ended so that nothing half
        // made is left open; its error is the one reported.
        if (!m_target->Finish(m_pageCount, error) && !Failed())
            fail(error);
    }
    m_target = nullptr;
    if (Failed() && m_talk)
        m_talk->error(m_error);
    return !Failed();
}

void TReports::fail(const QString &error)
{
    if (m_error.isEmpty())
        m_error = error.isEmpty() ? QStringLiteral("The report could not be written.") : error;
}

void TReports::SetFont(int size, uint32_t colour, bool bold)
{
    const int resolution = m_target ? m_target->ResolutionY() : 96;
    const int height = std::max(1, fontPixels(size, resolution));
    m_font = QFont(kFontName);
    m_font.setPixelSize(height);
    m_font.setBold(bold);
    m_colour = ReportColor(colour);
    m_textOffset = (height - size) / 4;
    // The offset moves the text down inside its line; the line grows by the
    // same amount so that descenders stay above the rule under the line at
    // printer resolutions, where the offset is tens of pixels.
    m_lineHeight = QFontMetrics(m_font).height() + m_textOffset;
}

void TReports::SetPen(int width, uint32_t colour)
{
    m_pen = QPen(ReportColor(colour), std::max(0, width), Qt::SolidLine);
}

int TReports::PixelX(double inches) const
{
    const int resolution = m_target ? m_target->ResolutionX() : 96;
    const int offset = m_target ? m_target->LeftOffset() : 0;
    int px = truncPixels(resolution, inches) - offset;
    if (px < 0)
        px = 0;
    if (m_pageWidth > 0 && px > m_pageWidth)
        px = m_pageWidth;
    return px;
}

int TReports::textWidth(const QString &text) const
{
    return QFontMetrics(m_font).horizontalAdvance(text);
}

void TReports::text(const QString &text, int x)
{
    if (drawing())
        m_target->Text(x, m_y + m_textOffset, text, m_font, m_colour);
}

void TReports::TextLeft(const QString &text, double x)
{
    this->text(text, PixelX(x));
}

void TReports::TextRight(const QString &text, double x)
{
    this->text(text, PixelX(x) - textWidth(text));
}

void TReports::TextCentered(const QString &text, double right, double left)
{
    const int l = PixelX(left);
    const int r = PixelX(right);
    this->text(text, l + (r - l) / 2 - textWidth(text) / 2);
}

void TReports::ShadeLine(uint32_t colour, double right, double left)
{
    if (!drawing())
        return;
    const int l = PixelX(left);
    const int r = PixelX(right);
    m_target->Fill(QRect(l, m_y, r - l, m_lineHeight), ReportColor(colour));
}

void TReports::VerticalRule(double x)
{
    if (!drawing())
        return;
    const int px = PixelX(x);
    m_target->Line(QPoint(px, m_y), QPoint(px, m_y + m_lineHeight), m_pen);
}

void TReports::HorizontalRule(bool atTop, double right, double left)
{
    if (!drawing())
        return;
    const int y = atTop ? m_y : m_y + m_lineHeight;
    m_target->Line(QPoint(PixelX(left), y), QPoint(PixelX(right), y), m_pen);
}

void TReports::NewLine()
{
    if (!drawing())
        return;
    m_y += m_lineHeight;
    // The header's own lines never break a page: a page too small for it is
    // refused once the header is written.
    if (m_inHeader)
        return;
    if (m_y < m_target->PageHeight() - m_lineHeight)
        m_fresh = false;
    else
        NewPage();
}

void TReports::NewPage()
{
    if (!drawing() || m_inHeader)
        return;
    QString error;
    if (!m_target->EndPage(m_pageCount, error)) {
        fail(error);
        return;
    }
    m_y = 0;
    ++m_pageCount;
    pageHeader();
}

void TReports::pageHeader()
{
    if (m_talk)
        m_talk->progress(QStringLiteral("Sending Page: ") + QString::number(m_pageCount) + QStringLiteral(" To") +
                         (m_target->IsPrinter() ? QStringLiteral(" Printer.") : QStringLiteral(" Preview.")));
    m_inHeader = true;
    SetFont(24, 0x000000, false);
    TextCentered(QStringLiteral("The Quorvane"), 8, 0.5);
    NewLine();
    SetFont(14, 0x000000, false);
    TextCentered(QStringLiteral("Version 3.1"), 8, 0.5);
    NewLine();
    SetFont(10, 0x000000, false);
    NewLine();
    m_inHeader = false;
    m_fresh = true;
    // Every page must take at least one line below its header; otherwise
    // each line would start a page of its own without end.
    if (m_y + m_lineHeight >= m_target->PageHeight() - m_lineHeight)
        fail(QStringLiteral("The page is too small to hold the page header and one line of the report."));
}
