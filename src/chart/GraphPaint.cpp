// The thin painter of the price chart: it follows a drawing list and knows
// nothing of prices.

#include "chart/GraphChart.h"

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QPainter>

namespace {

QFont chartFont(const QString &name, int points)
{
    QFont font(name.isEmpty() ? QStringLiteral("Times New Roman") : name);
    font.setPointSize(std::max(1, points));
    return font;
}

QPainter::CompositionMode compositionOf(TDrawMode mode)
{
    switch (mode) {
    case TDrawMode::NotXor:
        return QPainter::RasterOp_NotSourceXorDestination;
    case TDrawMode::And:
        return QPainter::RasterOp_SourceAndDestination;
    case TDrawMode::Copy:
        break;
    }
    return QPainter::CompositionMode_SourceOver;
}

} // namespace

// Looking a font up is far dearer than measuring with it, and a drawing
// measures with the same two fonts again and again.
const QFontMetrics &TFontTextMetrics::metrics(const QString &fontName, int points) const
{
    const QString key = fontName + QLatin1Char('/') + QString::number(points);
    auto it = m_cache.find(key);
    if (it == m_cache.end())
        it = m_cache.insert(key, QFontMetrics(chartFont(fontName, points)));
    return *it;
}

int TFontTextMetrics::textWidth(const QString &fontName, int points, const QString &text) const
{
    return metrics(fontName, points).horizontalAdvance(text);
}

int TFontTextMetrics::textHeight(const QString &fontName, int points) const
{
    return metrics(fontName, points).height();
}

bool TChartTransFile::ReadAll(TTransRecord *out)
{
    if (RecordCount() == 0)
        return true;
    TTransRecord buffer;
    int k = 0;
    return scan(0, LastIndex(), &buffer,
                [&](const void *p) { out[k++] = *static_cast<const TTransRecord *>(p); });
}

void PaintDrawList(QImage &image, const TDrawList &list, const QString &fontName)
{
    if (image.isNull())
        return;
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    QHash<int, QFont> fonts;
    int fontSize = -1;
    int ascent = 0;
    for (const TDrawItem &item : list) {
        painter.setCompositionMode(compositionOf(item.mode));
        painter.setPen(QPen(ChartColor(item.pen), 0));
        painter.setBrush(item.filled ? QBrush(ChartColor(item.brush)) : QBrush(Qt::NoBrush));
        switch (item.kind) {
        case TDrawItem::FillRect: {
            if (item.points.size() < 2)
                break;
            // The right and bottom edges are outside, as the boxes are laid out.
            const QRect r = QRect(item.points[0], item.points[1] - QPoint(1, 1)).normalized();
            painter.drawRect(r);
            break;
        }
        case TDrawItem::Line:
            if (item.points.size() >= 2)
                painter.drawLine(item.points[0], item.points[1]);
            break;
        case TDrawItem::Polyline:
            if (item.points.size() == 1)
                painter.drawPoint(item.points[0]);
            else
                painter.drawPolyline(item.points.constData(), int(item.points.size()));
            break;
        case TDrawItem::Ellipse:
            if (!item.points.isEmpty())
                painter.drawEllipse(item.points[0], item.radius, item.radius);
            break;
        case TDrawItem::Text:
        case TDrawItem::UpText: {
            if (item.points.isEmpty())
                break;
            if (item.points_ != fontSize) {
                auto it = fonts.find(item.points_);
                if (it == fonts.end())
                    it = fonts.insert(item.points_, chartFont(fontName, item.points_));
                painter.setFont(*it);
                ascent = painter.fontMetrics().ascent();
                fontSize = item.points_;
            }
            if (item.kind == TDrawItem::Text) {
                painter.drawText(item.points[0] + QPoint(0, ascent), item.text);
            } else {
                painter.save();
                painter.translate(item.points[0]);
                painter.rotate(-90);
                painter.drawText(QPoint(0, ascent), item.text);
                painter.restore();
            }
            break;
        }
        }
    }
}
