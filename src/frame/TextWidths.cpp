#include "frame/TextWidths.h"

#include <QFontMetrics>
#include <QString>

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
