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

// A grid column laid out in pixels for the designed 8-point face: the same
// column in the font in use, widened by how much wider that font's digits
// are, and never narrower than its header. Money like "($11,010.99)" and
// headers like "Symbol" then show whole under a larger desktop font.
int DesignedColumnWidth(const QFont &font, int designWidth, const QString &header);
