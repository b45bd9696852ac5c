#pragma once
// The program's own pictures (splash, About window, window icon), drawn
// rather than shipped so they stay sharp at any size.

#include <QImage>

// A rising price line over a paper-coloured card; the corners are white so
// that windows may treat white as transparent.
QImage ProductPicture(int size);
