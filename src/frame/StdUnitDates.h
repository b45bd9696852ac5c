#pragma once
// Every date of the program travels as text. Record files keep the stored
// date text "YYYYMMDD" (ordinal comparison is time order), date boxes and
// grids show the display date text "MM/DD/YYYY", and foreign text files use
// one of nine named date forms. These helpers convert between them.
//
// Reading a date form cuts its parts by character position and never looks
// at the characters in between, so any separator reads alike. Nothing here
// checks a date on conversion: a text that does not fit its form gives
// meaningless parts, and callers ask IsValidDateText before storing.

#include <QDate>
#include <QString>
#include <QStringList>
#include <cstdint>

// The nine date forms, by the names stored in import definitions and
// conversion formats (names are compared exactly, case-sensitively).
inline const QString kFormYYYY_MM_DD = QStringLiteral("YYYY-MM-DD");
inline const QString kFormYY_MM_DD = QStringLiteral("YY-MM-DD");
inline const QString kFormMM_DD_YYYY = QStringLiteral("MM-DD-YYYY"); // writes the display date text
inline const QString kFormMM_DD_YY = QStringLiteral("MM-DD-YY");
inline const QString kFormYYYYMMDD = QStringLiteral("YYYYMMDD"); // the stored date text
inline const QString kFormYYMMDD = QStringLiteral("YYMMDD");
inline const QString kFormMM_DD = QStringLiteral("MM-DD");
inline const QString kFormDD_MMM_YY = QStringLiteral("DD-MMM-YY");
inline const QString kFormDD_MMM_YYYY = QStringLiteral("DD-MMM-YYYY");

// The nine names in the order the import and export dialogs offer them.
QStringList DateFormNames();
bool IsDateFormName(const QString &form);

// The text of an empty date box.
inline const QString kEmptyDateBoxText = QStringLiteral("  /  /    ");

struct TDateParts
{
    QString Month; // two digits (the month-name forms give digits too)
    QString Day;
    QString Year; // four digits: expanded, or the current year for "MM-DD"
    bool operator==(const TDateParts &) const = default;
};

// Cuts a date text of the given form into its parts; an unknown form gives
// empty parts. A month name that matches none stays as its upper-cased text.
TDateParts SplitDateText(const QString &form, const QString &text);
// Builds a date text of the given form; an unknown form gives an empty text.
QString JoinDateText(const QString &form, const QString &month, const QString &day, const QString &year);
QString ConvertDate(const QString &fromForm, const QString &toForm, const QString &text);

// Two-digit years below "50" (as text) are 20xx, the others 19xx.
QString ExpandYear(const QString &twoDigits);
// "1999" -> "99": the text without its first two characters.
QString ShortenYear(const QString &year);

// Years from 1900, months 1-12, days within the month; February has 29 days
// in every year divisible by 4 (1900 and 2100 included, as the stored files
// have always counted them).
bool IsValidDate(uint16_t year, uint16_t month, uint16_t day);
// Converts to the stored form and checks its three numeric parts.
bool IsValidDateText(const QString &form, const QString &text);

// Date-time values count days since 30 December 1899; the time of day is the
// fraction and is ignored here.
double DateToValue(const QDate &date);
QDate ValueToDate(double value); // invalid for NaN, infinities and far-off values

// The stored date text of a calendar date; empty for an invalid date or a
// year outside 0..9999.
QString DateToStoredText(const QDate &date);
QString DateToStoredText(double value);
// The stored date text of a display date text, "" when it is not a valid
// date: month, day and year read as numbers, written with 2, 2 and 4 digits.
// A date box typed in part (" 1/ 5/2001") is valid, and pasting its parts
// together as ConvertDate does would store blanks in the key; every text that
// is stored or compared with stored dates goes through this instead.
QString DisplayToStoredDate(const QString &display);
// The calendar date of a stored date text; invalid when it is not one.
QDate StoredTextToDate(const QString &stored);
// The first four characters of a stored date text.
QString StoredYear(const QString &stored);

// Today plus the given days as "MM/DD/YYYY" (the year as a plain number).
QString TodayText(int days = 0);

// ---- the program's short date format, "mm/dd/yyyy" -------------------------
// Display date text of a calendar date: "12/31/1999".
QString DisplayDateText(const QDate &date);
// Reads a date box text the way the short date format reads: month, day and
// year separated by "/", blanks around the numbers allowed, a year of one or
// two digits expanded by the two-digit-year window. Invalid when it is not a
// date, as the empty box "  /  /    " is not.
QDate ReadDisplayDate(const QString &text);
