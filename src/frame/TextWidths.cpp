#include "frame/TextWidths.h"

#include <QFontMetrics>
#include <QString>

#include <algorithm>

int WidestTextWidth(const QFont &font, int length)
{
    if (length <= 0)
        return 0;
    return QFontMetrics(font).horizontalAdvance(QString(length, QLatin1Char('W')));
}

int TextBoxWidth(const QFont &font, int length)
{
    // Frame, inner margins and the text cursor of a line edit or a grid cell
    // take at most this much beside the text in the styles Qt ships.
    constexpr int kBoxMargin = 14;
    return WidestTextWidth(font, length) + kBoxMargin;
}

int DesignedColumnWidth(const QFont &font, int designWidth, const QString &header)
{
    // Digits of the designed face are 6 pixels wide; the cell keeps 4 pixels
    // on either side of its text.
    constexpr int kDesignDigitWidth = 6;
    constexpr int kCellMargin = 8;
    const QFontMetrics metrics(font);
    const int digit = metrics.horizontalAdvance(QStringLiteral("0123456789")) / 10;
    const int scaled = digit > kDesignDigitWidth
                           ? (designWidth * digit + kDesignDigitWidth - 1) / kDesignDigitWidth
                           : designWidth;
    return std::max(scaled, metrics.horizontalAdvance(header) + kCellMargin);
}
