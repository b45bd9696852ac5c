// Tables, tokens, numbers and value texts of the expression language.

#include "screening/StdUnitExpr.h"

#include <charconv>
#include <cmath>
#include <cstring>

const std::array<const char *, kFunctionCount> kFunctionNames = {
    "CURRENT", "AVERAGEONDAY", "LOWEST", "HIGHEST", "STARTING", "STDONDAY", "ABS", "VALUE", "STOCKSYMBOL"};

const std::array<const char *, kFunctionCount> kFunctionSignatures = {
    "CURRENT(FIELD)",  "AVERAGEONDAY(FIELD,DAY,DAYS)", "LOWEST(FIELD)",   "HIGHEST(FIELD)",
    "STARTING(FIELD)", "STDONDAY(FIELD,DAY,DAYS)",     "ABS(EXPRESSION)", "VALUE(FIELD,DAYS)",
    "STOCKSYMBOL"};

const std::array<const char *, 4> kFieldNames = {"High", "Low", "Close", "Volume"};
const std::array<const char *, 6> kComparisonOperators = {"=", "<>", ">", ">=", "<", "<="};
const std::array<const char *, 3> kLogicalOperators = {" ", "And", "Or"};

bool IsExpressionDelimiter(QChar c)
{
    switch (c.unicode()) {
    case ' ':
    case '(':
    case ')':
    case '*':
    case '+':
    case ',':
    case '-':
    case '/':
    case '[':
    case ']':
        return true;
    default:
        return false;
    }
}

QStringList TokenizeExpression(const QString &text)
{
    QStringList tokens;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = text.at(i);
        if (IsExpressionDelimiter(c)) {
            if (c != QLatin1Char(' '))
                tokens.append(QString(c));
            ++i;
            continue;
        }
        qsizetype j = i + 1;
        while (j < n && !IsExpressionDelimiter(text.at(j)))
            ++j;
        tokens.append(text.mid(i, j - i));
        i = j;
    }
    return tokens;
}

QString AsciiUpper(const QString &text)
{
    QString out = text;
    for (QChar &c : out) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - ('a' - 'A'));
    }
    return out;
}

int FunctionNumber(const QString &token)
{
    const QString upper = AsciiUpper(token);
    for (int i = 0; i < kFunctionCount; ++i) {
        if (upper == QLatin1String(kFunctionNames[size_t(i)]))
            return i + 1;
    }
    return 0;
}

bool IsFieldName(const QString &token)
{
    const QString upper = AsciiUpper(token);
    for (const char *name : kFieldNames) {
        if (upper == AsciiUpper(QLatin1String(name)))
            return true;
    }
    return false;
}

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The grammar of a number text, checked before the conversion so that the
// conversion routine's own leniencies ("inf", "nan", hex) never apply.
bool isNumberText(const QByteArray &s, bool &negativeExponent)
{
    qsizetype i = 0;
    const qsizetype n = s.size();
    if (i < n && s[i] == '-')
        ++i;
    int digits = 0;
    while (i < n && isDigit(s[i])) {
        ++i;
        ++digits;
    }
    if (i < n && s[i] == '.') {
        ++i;
        while (i < n && isDigit(s[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return false;
    negativeExponent = false;
    if (i < n && (s[i] == 'E' || s[i] == 'e')) {
        ++i;
        if (i < n && (s[i] == '+' || s[i] == '-')) {
            negativeExponent = s[i] == '-';
            ++i;
        }
        int expDigits = 0;
        while (i < n && isDigit(s[i])) {
            ++i;
            ++expDigits;
        }
        if (expDigits == 0)
            return false;
    }
    return i == n;
}

} // namespace

bool ReadNumber(const QString &text, double &value)
{
    // Non-Latin-1 characters become '?', which the grammar refuses.
    const QByteArray s = text.toLatin1();
    bool negativeExponent = false;
    if (!isNumberText(s, negativeExponent))
        return false;
    double v = 0;
    const auto [ptr, ec] = std::from_chars(s.constData(), s.constData() + s.size(), v);
    if (ec == std::errc::result_out_of_range) {
        // Too small to hold is zero; too large to hold is not a number.
        if (!negativeExponent)
            return false;
        v = 0;
    } else if (ec != std::errc() || ptr != s.constData() + s.size()) {
        return false;
    }
    if (!std::isfinite(v))
        return false;
    value = v;
    return true;
}

bool ReadWholeNumber(const QString &text, int32_t &value)
{
    if (text.isEmpty())
        return false;
    int64_t v = 0;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        v = v * 10 + (c.unicode() - '0');
        if (v > INT32_MAX)
            return false;
    }
    value = int32_t(v);
    return true;
}

QString ValueText(double value)
{
    if (value == 0)
        return QStringLiteral("0");
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");

    // Rounded to 15 significant digits first; the exponent after rounding
    // decides the form (9.999999999999999E-6 rounds up to 0.00001).
    char buf[48];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    const std::string_view sci(buf, size_t(res.ptr - buf));
    const bool negative = sci.front() == '-';
    const size_t mantStart = negative ? 1 : 0;
    const size_t ePos = sci.find('e');
    std::string digits;
    for (size_t i = mantStart; i < ePos; ++i) {
        if (sci[i] != '.')
            digits.push_back(sci[i]);
    }
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    int exponent = 0;
    std::from_chars(sci.data() + ePos + 1 + (sci[ePos + 1] == '+' ? 1 : 0), sci.data() + sci.size(),
                    exponent);

    std::string out;
    if (negative)
        out.push_back('-');
    const int nd = int(digits.size());
    if (exponent >= -5 && exponent < 15) {
        if (exponent >= 0) {
            for (int i = 0; i <= exponent; ++i)
                out.push_back(i < nd ? digits[size_t(i)] : '0');
            if (nd > exponent + 1) {
                out.push_back('.');
                out.append(digits, size_t(exponent + 1), std::string::npos);
            }
        } else {
            out.append("0.");
            out.append(size_t(-exponent - 1), '0');
            out.append(digits);
        }
    } else {
        out.push_back(digits[0]);
        if (nd > 1) {
            out.push_back('.');
            out.append(digits, 1, std::string::npos);
        }
        out.push_back('E');
        out.append(std::to_string(exponent));
    }
    return QString::fromLatin1(out.data(), qsizetype(out.size()));
}
