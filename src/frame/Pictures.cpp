#include "frame/Pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

QImage ProductPicture(int size)
{
    QImage img(size, size, QImage::Format_ARGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    QLinearGradient g(0, 0, 0, s);
    g.setColorAt(0, QColor(0x1f, 0x3a, 0x68));
    g.setColorAt(1, QColor(0x0b, 0x1a, 0x33));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(s * 0.04, s * 0.04, s * 0.92, s * 0.92), s * 0.12, s * 0.12);
    // volume bars
    p.setBrush(QColor(0x5a, 0x7d, 0xb8));
    const qreal bars[] = {0.18, 0.3, 0.22, 0.36, 0.28, 0.42, 0.34};
    for (int i = 0; i < 7; ++i)
        p.drawRect(QRectF(s * (0.16 + i * 0.1), s * (0.86 - bars[i] * 0.4), s * 0.06, s * bars[i] * 0.4));
    // price line
    QPainterPath path;
    const qreal pts[][2] = {{0.14, 0.66}, {0.3, 0.54}, {0.42, 0.6}, {0.56, 0.4}, {0.68, 0.46}, {0.86, 0.2}};
    path.moveTo(s * pts[0][0], s * pts[0][1]);
    for (const auto &pt : pts)
        path.lineTo(s * pt[0], s * pt[1]);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x3c, 0xd0, 0x70), s * 0.055, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xd2, 0x4a));
    p.drawEllipse(QPointF(s * 0.86, s * 0.2), s * 0.05, s * 0.05);
    return img;
}
