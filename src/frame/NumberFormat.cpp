#include "frame/NumberFormat.h"

#include <QLocale>
#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>
#include <cmath>
#include <string>

namespace {

// The most places any caller asks for is 6; more than this is a caller's
// mistake and would only make a long text.
constexpr int kMaxDecimals = 30;

// A decimal number 0.d1d2d3... x 10^exponent with no leading or trailing
// zero digits; no digits means zero.
struct TDecimal
{
    bool negative = false;
    std::string digits;
    int exponent = 0;
    bool isZero() const { return digits.empty(); }
};

void stripTrailingZeros(TDecimal &d)
{
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
}

// The shortest digits that read back as the same double.
TDecimal toDecimal(double value)
{
    TDecimal d;
    d.negative = std::signbit(value);
    const double magnitude = std::fabs(value);
    if (magnitude == 0)
        return d;
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific);
    const std::string text(buffer, result.ptr);
    const size_t e = text.find('e');
    for (size_t i = 0; i < e; ++i) {
        if (text[i] != '.')
            d.digits += text[i];
    }
    d.exponent = std::stoi(text.substr(e + 1)) + 1;
    stripTrailingZeros(d);
    return d;
}

// Keeps the first `keep` digits, rounding half away from zero on the digit
// after them. keep <= 0 leaves zero or a single carried 1.
void roundDigits(TDecimal &d, int keep)
{
    if (int(d.digits.size()) <= keep)
        return;
    if (keep < 0) {
        d.digits.clear();
        return;
    }
    const bool up = d.digits[size_t(keep)] >= '5';
    d.digits.resize(size_t(keep));
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[size_t(i)] == '9') {
            d.digits[size_t(i)] = '0';
            --i;
        }
        if (i < 0) {
            d.digits.insert(d.digits.begin(), '1');
            d.exponent += 1;
        } else {
            d.digits[size_t(i)] += 1;
        }
    }
    stripTrailingZeros(d);
}

char digitAt(const TDecimal &d, int position)
{
    return position >= 0 && position < int(d.digits.size()) ? d.digits[size_t(position)] : '0';
}

// Integer and fraction digits of a value rounded for fixed notation.
struct TFixedDigits
{
    bool negative = false;
    std::string integer;
    std::string fraction;
};

TFixedDigits fixedDigits(double value, int decimals, int precision)
{
    decimals = std::clamp(decimals, 0, kMaxDecimals);
    TDecimal d = toDecimal(value);
    roundDigits(d, std::clamp(precision, 1, kMaxPrecision));
    roundDigits(d, d.exponent + decimals);
    TFixedDigits out;
    out.negative = d.negative && !d.isZero();
    if (d.isZero() || d.exponent <= 0)
        out.integer = "0";
    for (int i = 0; i < d.exponent && !d.isZero(); ++i)
        out.integer += digitAt(d, i);
    for (int j = 0; j < decimals; ++j)
        out.fraction += digitAt(d, d.exponent + j);
    return out;
}

QString nonNumberText(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

// ASCII digits in the locale's own digits.
QString localDigits(const QLocale &locale, const std::string &digits)
{
    const QString zero = locale.zeroDigit();
    QString out = QString::fromLatin1(digits.c_str());
    if (zero == QLatin1String("0") || zero.size() != 1)
        return out;
    for (QChar &c : out)
        c = QChar(zero[0].unicode() + (c.unicode() - '0'));
    return out;
}

} // namespace

QString GeneralText(double value)
{
    if (!std::isfinite(value))
        return nonNumberText(value);
    TDecimal d = toDecimal(value);
    roundDigits(d, kMaxPrecision);
    if (d.isZero())
        return QStringLiteral("0");
    std::string out = d.negative ? "-" : "";
    const int size = int(d.digits.size());
    if (d.exponent >= -4 && d.exponent <= kMaxPrecision) {
        if (d.exponent <= 0) {
            out += "0." + std::string(size_t(-d.exponent), '0') + d.digits;
        } else {
            for (int i = 0; i < d.exponent; ++i)
                out += digitAt(d, i);
            if (size > d.exponent)
                out += "." + d.digits.substr(size_t(d.exponent));
        }
    } else {
        out += d.digits[0];
        if (size > 1)
            out += "." + d.digits.substr(1);
        out += "E" + std::to_string(d.exponent - 1);
    }
    return QString::fromLatin1(out.c_str());
}

QString FixedText(double value, int decimals, int precision)
{
    if (!std::isfinite(value))
        return nonNumberText(value);
    const TFixedDigits f = fixedDigits(value, decimals, precision);
    std::string out = (f.negative ? "-" : "") + f.integer;
    if (!f.fraction.empty())
        out += "." + f.fraction;
    return QString::fromLatin1(out.c_str());
}

QString FixedWidthText(double value, int width, int decimals)
{
    const QString text = FixedText(value, decimals);
    return text.size() < width ? QString(width - text.size(), QLatin1Char(' ')) + text : text;
}

QString MoneyText(double value, int decimals, int precision)
{
    if (!std::isfinite(value))
        return nonNumberText(value);
    // A desktop without a currency (the C locale) would show bare numbers
    // that cannot be told from other figures; money then reads as
    // English/United States dollars.
    QLocale locale;
    if (locale.currencySymbol().isEmpty())
        locale = QLocale(QLocale::English, QLocale::UnitedStates);
    const TFixedDigits f = fixedDigits(value, decimals, precision);
    // The integer part through the locale for its grouping; beyond a 64-bit
    // integer (no sensible amount of money) it goes ungrouped.
    QString amount;
    if (f.integer.size() <= 18)
        amount = locale.toString(qlonglong(std::stoll(f.integer)));
    else
        amount = localDigits(locale, f.integer);
    if (!f.fraction.empty())
        amount += locale.decimalPoint() + localDigits(locale, f.fraction);
    // The locale's currency pattern (symbol place, negative form) taken from
    // a one-unit amount, with the amount put in place of its digit.
    const QString pattern = locale.toCurrencyString(f.negative ? -1.0 : 1.0, locale.currencySymbol(), 0);
    const QString one = locale.toString(1);
    const qsizetype at = pattern.indexOf(one);
    if (at < 0)
        return (f.negative ? QStringLiteral("-") : QString()) + locale.currencySymbol() + amount;
    return QString(pattern).replace(at, one.size(), amount);
}

QString PercentText(double value, int decimals, int precision)
{
    return FixedText(value, decimals, precision) + QLatin1Char('%');
}

QString PercentChangeText(double base, double value, int decimals, int precision)
{
    if (base == 0)
        return kNotAvailable;
    return PercentText((value / base - 1) * 100, decimals, precision);
}

QString PercentOfText(double part, double base, int decimals, int precision)
{
    if (base == 0)
        return kNotAvailable;
    return PercentText(part / base * 100, decimals, precision);
}

bool ReadNumberText(const QString &text, double *value)
{
    const QString trimmed = text.trimmed();
    std::string s;
    s.reserve(size_t(trimmed.size()));
    for (QChar c : trimmed) {
        if (c.unicode() > 0x7F)
            return false;
        s += char(c.unicode());
    }
    // Checked by hand first: the library readers also take "nan", "inf" and
    // hexadecimal forms.
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    size_t digits = 0;
    for (; i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])); ++i)
        ++digits;
    if (i < s.size() && s[i] == '.') {
        for (++i; i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])); ++i)
            ++digits;
    }
    if (digits == 0)
        return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        size_t exponentDigits = 0;
        for (; i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])); ++i)
            ++exponentDigits;
        if (exponentDigits == 0)
            return false;
    }
    if (i != s.size())
        return false;
    // from_chars, unlike strtod, does not follow the C locale's decimal
    // point, which the application sets from the desktop.
    const size_t start = s[0] == '+' ? 1 : 0;
    double v = 0;
    const auto result = std::from_chars(s.data() + start, s.data() + s.size(), v);
    if (result.ec != std::errc() || result.ptr != s.data() + s.size() || !std::isfinite(v))
        return false; // beyond the range of a double
    *value = v;
    return true;
}

QString IntegerText(int64_t value)
{
    return QString::number(value);
}

double RoundHalfEven(double value)
{
    return std::nearbyint(value);
}

int RoundToInt(double value)
{
    if (std::isnan(value))
        return 0;
    const double r = std::nearbyint(value);
    if (r >= double(INT_MAX))
        return INT_MAX;
    if (r <= double(INT_MIN))
        return INT_MIN;
    return int(r);
}
