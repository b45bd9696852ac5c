#pragma once
// How numbers are written for every window, report and export.
//
// Rounding: a value is first taken at its shortest decimal form (the digits
// that read back as the same double, which is what the user typed or the
// file held), then rounded with halves away from zero, first to `precision`
// significant digits, then to `decimals` places. So 2.675 with 2 decimals
// is 2.68 and 12.345 at precision 3 with 3 decimals is 12.300. A result that
// rounds to zero carries no minus sign. Pixel arithmetic is different and
// rounds halves to even (RoundHalfEven).
//
// Plain and fixed texts always use "." and no thousands separators, so that
// exports and value texts read back the same on every desktop. Money follows
// the desktop's currency format (QLocale(), which tests pin to
// English/United States: "$1,234.50", "($1,234.50)"); a desktop locale without
// a currency symbol (the C locale) gets the English/United States format.

#include <QString>
#include <cstdint>

inline const QString kNotAvailable = QStringLiteral("N/A");
inline constexpr int kMaxPrecision = 15;

// The shortest text of at most 15 significant digits: plain between 0.00001
// and 15 integer digits ("0.5", "-12.25", "100000"), exponent form outside
// ("1E20", "1E-6", "-2.5E15"). "NAN", "INF" and "-INF" for the non-numbers.
QString GeneralText(double value);

// Fixed-point with `decimals` places after rounding to `precision`
// significant digits (1..15). Past `precision` integer digits the places are
// filled with zeros: 123456789 at precision 8 is "123456790".
QString FixedText(double value, int decimals, int precision = kMaxPrecision);

// Right-aligned in `width` characters: FixedText padded with blanks on the
// left ("%5.2f" style; a longer text is kept whole).
QString FixedWidthText(double value, int width, int decimals);

// The desktop's currency format with `decimals` places, thousands separators
// and its way of showing negative amounts.
QString MoneyText(double value, int decimals = 2, int precision = kMaxPrecision);

// Fixed text followed by "%".
QString PercentText(double value, int decimals, int precision = kMaxPrecision);
// (value / base - 1) x 100 as a percentage; "N/A" when base is 0.
QString PercentChangeText(double base, double value, int decimals, int precision = kMaxPrecision);
// part / base x 100 as a percentage; "N/A" when base is 0.
QString PercentOfText(double part, double base, int decimals, int precision = kMaxPrecision);

// Reads a number as the entry dialogs take it: blanks around it allowed, an
// optional sign, digits with "." as decimal point (as FixedText writes), an
// optional exponent ("1E20", "2.5e-3"). No thousands separators, no "NAN" or
// "INF". False, with *value untouched, for anything else.
bool ReadNumberText(const QString &text, double *value);

// Whole numbers as plain decimal text.
QString IntegerText(int64_t value);

// Halves to even, as the chart's pixel arithmetic and picture sizes round.
double RoundHalfEven(double value);
// RoundHalfEven into an int, clamped to the int range (NaN gives 0).
int RoundToInt(double value);
