#include "frame/StdUnitDates.h"

#include "frame/Clock.h"

#include <array>
#include <cmath>

namespace {

const std::array<const char *, 12> kMonthUpper = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                  "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
const std::array<const char *, 12> kMonthWritten = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                    "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// Characters `count` from position `pos` counted from 1; shorter or empty
// where the text ends first.
QString copyAt(const QString &text, int pos, int count)
{
    return text.mid(pos - 1, count);
}

// Upper-cases ASCII letters only: a foreign letter must not change the
// length of the text or match a month by accident.
QString asciiUpper(const QString &text)
{
    QString out = text;
    for (QChar &c : out) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 'a' + 'A');
    }
    return out;
}

QString monthFromName(const QString &name)
{
    const QString upper = asciiUpper(name);
    for (size_t i = 0; i < kMonthUpper.size(); ++i) {
        if (upper == QLatin1String(kMonthUpper[i]))
            return QStringLiteral("%1").arg(int(i) + 1, 2, 10, QLatin1Char('0'));
    }
    return upper;
}

QString monthToName(const QString &month)
{
    for (size_t i = 0; i < kMonthWritten.size(); ++i) {
        if (month == QStringLiteral("%1").arg(int(i) + 1, 2, 10, QLatin1Char('0')))
            return QLatin1String(kMonthWritten[i]);
    }
    return month;
}

// Leading blanks skipped, then decimal digits up to the first other
// character; no digit reads 0. Values past 65535 are clamped, which keeps
// them invalid as a year, month or day.
uint16_t readPart(const QString &text)
{
    int i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' '))
        ++i;
    uint32_t value = 0;
    for (; i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i) {
        value = value * 10 + uint32_t(text[i].unicode() - '0');
        if (value > 0xFFFF)
            value = 0xFFFF;
    }
    return uint16_t(value);
}

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// Digits only, at least one, no sign.
bool allDigits(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

const QDate kValueBase(1899, 12, 30);

} // namespace

QStringList DateFormNames()
{
    return {kFormYYYY_MM_DD, kFormYY_MM_DD, kFormMM_DD_YYYY, kFormMM_DD_YY,   kFormYYYYMMDD,
            kFormYYMMDD,     kFormMM_DD,    kFormDD_MMM_YY,  kFormDD_MMM_YYYY};
}

bool IsDateFormName(const QString &form)
{
    return DateFormNames().contains(form);
}

TDateParts SplitDateText(const QString &form, const QString &text)
{
    TDateParts p;
    if (form == kFormYYYY_MM_DD) {
        p = {copyAt(text, 6, 2), copyAt(text, 9, 2), copyAt(text, 1, 4)};
    } else if (form == kFormYY_MM_DD) {
        p = {copyAt(text, 4, 2), copyAt(text, 7, 2), ExpandYear(copyAt(text, 1, 2))};
    } else if (form == kFormMM_DD_YYYY) {
        p = {copyAt(text, 1, 2), copyAt(text, 4, 2), copyAt(text, 7, 4)};
    } else if (form == kFormMM_DD_YY) {
        p = {copyAt(text, 1, 2), copyAt(text, 4, 2), ExpandYear(copyAt(text, 7, 2))};
    } else if (form == kFormYYYYMMDD) {
        p = {copyAt(text, 5, 2), copyAt(text, 7, 2), copyAt(text, 1, 4)};
    } else if (form == kFormYYMMDD) {
        p = {copyAt(text, 3, 2), copyAt(text, 5, 2), ExpandYear(copyAt(text, 1, 2))};
    } else if (form == kFormMM_DD) {
        p = {copyAt(text, 1, 2), copyAt(text, 4, 2), QString::number(Clock::Today().year())};
    } else if (form == kFormDD_MMM_YY) {
        p = {monthFromName(copyAt(text, 4, 3)), copyAt(text, 1, 2), ExpandYear(copyAt(text, 8, 2))};
    } else if (form == kFormDD_MMM_YYYY) {
        p = {monthFromName(copyAt(text, 4, 3)), copyAt(text, 1, 2), copyAt(text, 8, 4)};
    }
    return p;
}

QString JoinDateText(const QString &form, const QString &month, const QString &day, const QString &year)
{
    const QChar slash = QLatin1Char('/');
    const QChar blank = QLatin1Char(' ');
    if (form == kFormYYYY_MM_DD)
        return year + slash + month + slash + day;
    if (form == kFormYY_MM_DD)
        return ShortenYear(year) + slash + month + slash + day;
    if (form == kFormMM_DD_YYYY)
        return month + slash + day + slash + year;
    if (form == kFormMM_DD_YY)
        return month + slash + day + slash + ShortenYear(year);
    if (form == kFormYYYYMMDD)
        return year + month + day;
    if (form == kFormYYMMDD)
        return ShortenYear(year) + month + day;
    if (form == kFormMM_DD)
        return month + slash + day;
    if (form == kFormDD_MMM_YY)
        return day + blank + monthToName(month) + blank + ShortenYear(year);
    if (form == kFormDD_MMM_YYYY)
        return day + blank + monthToName(month) + blank + year;
    return {};
}

QString ConvertDate(const QString &fromForm, const QString &toForm, const QString &text)
{
    const TDateParts p = SplitDateText(fromForm, text);
    return JoinDateText(toForm, p.Month, p.Day, p.Year);
}

QString ExpandYear(const QString &twoDigits)
{
    return (twoDigits < QLatin1String("50") ? QStringLiteral("20") : QStringLiteral("19")) + twoDigits;
}

QString ShortenYear(const QString &year)
{
    return year.mid(2);
}

bool IsValidDate(uint16_t year, uint16_t month, uint16_t day)
{
    static const int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1900 || month < 1 || month > 12 || day < 1)
        return false;
    int length = lengths[month - 1];
    if (month == 2 && year % 4 == 0)
        length = 29;
    return day <= length;
}

bool IsValidDateText(const QString &form, const QString &text)
{
    const QString stored = ConvertDate(form, kFormYYYYMMDD, text);
    return IsValidDate(readPart(copyAt(stored, 1, 4)), readPart(copyAt(stored, 5, 2)),
                       readPart(copyAt(stored, 7, 2)));
}

double DateToValue(const QDate &date)
{
    return date.isValid() ? double(kValueBase.daysTo(date)) : 0.0;
}

QDate ValueToDate(double value)
{
    // About ±27 million years either way is far beyond any calendar use and
    // keeps the day count exact in a 64-bit integer.
    if (!std::isfinite(value) || std::fabs(value) > 1e10)
        return {};
    return kValueBase.addDays(qint64(std::trunc(value)));
}

QString DateToStoredText(const QDate &date)
{
    if (!date.isValid() || date.year() < 0 || date.year() > 9999)
        return {};
    return QStringLiteral("%1%2%3")
        .arg(date.year(), 4, 10, QLatin1Char('0'))
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'));
}

QString DateToStoredText(double value)
{
    return DateToStoredText(ValueToDate(value));
}

QString DisplayToStoredDate(const QString &display)
{
    if (!IsValidDateText(kFormMM_DD_YYYY, display))
        return {};
    const TDateParts p = SplitDateText(kFormMM_DD_YYYY, display);
    const int year = p.Year.trimmed().toInt();
    const int month = p.Month.trimmed().toInt();
    const int day = p.Day.trimmed().toInt();
    return QStringLiteral("%1%2%3")
        .arg(year, 4, 10, QLatin1Char('0'))
        .arg(month, 2, 10, QLatin1Char('0'))
        .arg(day, 2, 10, QLatin1Char('0'));
}

QDate StoredTextToDate(const QString &stored)
{
    if (stored.size() != 8 || !allDigits(stored))
        return {};
    return QDate(stored.left(4).toInt(), stored.mid(4, 2).toInt(), stored.mid(6, 2).toInt());
}

QString StoredYear(const QString &stored)
{
    return stored.left(4);
}

QString TodayText(int days)
{
    const QDate d = Clock::Today().addDays(days);
    if (!d.isValid())
        return {};
    return twoDigits(d.month()) + QLatin1Char('/') + twoDigits(d.day()) + QLatin1Char('/') +
           QString::number(d.year());
}

QString DisplayDateText(const QDate &date)
{
    if (!date.isValid())
        return {};
    return twoDigits(date.month()) + QLatin1Char('/') + twoDigits(date.day()) + QLatin1Char('/') +
           QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
}

QDate ReadDisplayDate(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('/'));
    if (parts.size() != 3)
        return {};
    QString n[3];
    for (int i = 0; i < 3; ++i) {
        n[i] = parts[i].trimmed();
        if (!allDigits(n[i]) || n[i].size() > 4)
            return {};
    }
    if (n[0].size() > 2 || n[1].size() > 2)
        return {};
    QString year = n[2];
    if (year.size() <= 2)
        year = ExpandYear(year.rightJustified(2, QLatin1Char('0')));
    return QDate(year.toInt(), n[0].toInt(), n[1].toInt());
}
