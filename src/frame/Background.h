#pragma once
// The main window's background picture: which decoder a path gets, and where
// the copies of a tiled picture go. Kept apart from the window so the rules
// can be checked without one.

#include <QImage>
#include <QList>
#include <QPoint>
#include <QSize>
#include <QString>

// A path whose upper-cased text contains ".JPG" anywhere is decoded as JPEG
// (so "x.jpg.bmp" is too); everything else as a bitmap.
bool IsJpegPath(const QString &path);

struct TBackgroundLoad
{
    bool exists = false; // a file of that path exists
    QImage image;        // null when missing or undecodable
    QString error;       // set when the file exists but could not be decoded
};
TBackgroundLoad LoadBackgroundPicture(const QString &path);

// Top-left corners of the copies that cover an area: rows and columns advance
// by the picture's size minus one, so neighbouring copies overlap by a pixel.
// A picture smaller than 2 pixels in either direction is not tiled at all.
QList<QPoint> TileOrigins(const QSize &picture, const QSize &area);

// The largest font, starting from the given one and made one point smaller at
// a time, whose rendering of text is at most maxWidth pixels wide.
class QFont;
QFont FitFontToWidth(const QFont &font, const QString &text, int maxWidth);
