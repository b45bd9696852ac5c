#include "frame/Background.h"

#include <QFileInfo>
#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImageReader>

bool IsJpegPath(const QString &path)
{
    return path.toUpper().contains(QLatin1String(".JPG"));
}

TBackgroundLoad LoadBackgroundPicture(const QString &path)
{
    TBackgroundLoad out;
    out.exists = !path.isEmpty() && QFileInfo(path).isFile();
    if (!out.exists)
        return out;
    QImageReader reader(path, IsJpegPath(path) ? QByteArrayLiteral("jpg") : QByteArrayLiteral("bmp"));
    reader.setDecideFormatFromContent(false);
    out.image = reader.read();
    if (out.image.isNull())
        out.error = QStringLiteral("Unable To Load The Background Picture %1: %2").arg(path, reader.errorString());
    return out;
}

QList<QPoint> TileOrigins(const QSize &picture, const QSize &area)
{
    QList<QPoint> out;
    if (picture.width() < 2 || picture.height() < 2)
        return out;
    for (int y = 0; y < area.height(); y += picture.height() - 1)
        for (int x = 0; x < area.width(); x += picture.width() - 1)
            out.append(QPoint(x, y));
    return out;
}

QFont FitFontToWidth(const QFont &font, const QString &text, int maxWidth)
{
    QFont f = font;
    qreal points = QFontInfo(f).pointSizeF();
    while (QFontMetrics(f).horizontalAdvance(text) > maxWidth && points > 1) {
        points -= 1;
        f.setPointSizeF(points);
    }
    return f;
}
