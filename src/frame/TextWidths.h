#pragma once
// Pixel widths that boxes and grid columns need to show their longest
// allowed text whole, computed from the font in use rather than fixed, so a
// larger desktop font never cuts a symbol or a name.

#include <QFont>

// The width of `length` capital W's, the widest letter of the program's
// fonts: what a column or box holding up to `length` characters must show.
int WidestTextWidth(const QFont &font, int length);

// WidestTextWidth plus the room a cell or a line edit keeps around its text.
int TextBoxWidth(const QFont &font, int length);
