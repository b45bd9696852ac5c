// Evaluation of expressions, conditions and screening functions.
//
// Step 1 replaces each function by its value text, step 2 works the
// arithmetic in postfix order. Values pass between the steps as tokens rather
// than as one re-cut text, so that a value text in exponent form ("1.5E-6")
// stays one number instead of being split at its minus sign; the rounding to
// 15 significant digits is the same.

#include "screening/StdUnitExprEngine.h"

#include <cmath>

namespace ExprEngine {

namespace {

enum TFunction {
    fnCurrent = 1,
    fnAverage,
    fnLowest,
    fnHighest,
    fnStarting,
    fnStdDev,
    fnAbs,
    fnValue,
    fnSymbol
};

// ABS inside ABS is evaluated by recursion; stored expressions are short,
// but a text from elsewhere must not exhaust the machine stack.
constexpr int kAbsNestingLimit = 100;

QString formatMessage(const QString &text, int function)
{
    return QStringLiteral("\"%1\" Does Not Fit, The Correct Format Is %2")
        .arg(text, QLatin1String(kFunctionSignatures[size_t(function - 1)]));
}

// The value of one function. Short histories give 0 rather than reading
// records that do not exist: an empty history, and windows of VALUE,
// AVERAGEONDAY and STDONDAY that begin before the first record.
double functionValue(int function, const QString &field, int32_t day, int32_t days, TPriceStatistics &prices)
{
    const int32_t last = prices.LastIndex();
    if (last < 0)
        return 0;
    switch (function) {
    case fnCurrent:
        return prices.LastValue(field);
    case fnAverage:
    case fnStdDev:
        if (days <= 0 || int64_t(day) + days > last)
            return 0;
        return function == fnAverage ? prices.Average(field, day, days) : prices.StdDev(field, day, days);
    case fnLowest:
        return prices.Lowest(field);
    case fnHighest:
        return prices.Highest(field);
    case fnStarting:
        return prices.StartValue(field);
    case fnValue:
        if (days <= 0 || days > last)
            return 0;
        return prices.ValueBack(field, days);
    default:
        return 0;
    }
}

bool isTyped(const TToken &t, const char *text)
{
    return t.kind == TToken::Typed && t.text == QLatin1String(text);
}

bool isBinaryOperator(const TToken &t)
{
    return t.kind == TToken::Typed && t.text.size() == 1 &&
           (t.text == QLatin1String("+") || t.text == QLatin1String("-") || t.text == QLatin1String("*") ||
            t.text == QLatin1String("/"));
}

bool isMultiplicative(const TToken &t)
{
    return isTyped(t, "*") || isTyped(t, "/");
}

// Whether the operator on top of the stack must be output before `op` is pushed.
bool bindsAtLeastAsTightly(const TToken &top, const TToken &op)
{
    if (top.kind == TToken::Negate)
        return true;
    if (isMultiplicative(op))
        return isMultiplicative(top);
    return isBinaryOperator(top);
}

// A "-" is a sign when it stands first or follows an opening bracket or an operator.
bool isSignPosition(const TTokens &seq, size_t i)
{
    if (i == 0)
        return true;
    const TToken &prev = seq[i - 1];
    return isTyped(prev, "(") || isTyped(prev, "[") || isBinaryOperator(prev);
}

TToken negated(const TToken &t)
{
    if (t.kind == TToken::Value && t.text.startsWith(QLatin1Char('-')))
        return {t.text.mid(1), t.kind};
    return {QLatin1Char('-') + t.text, t.kind};
}

// A comma outside an argument list, or a sign with no number to join: the
// dry run cannot read numbers, but these can never be one.
bool isStrayDelimiter(const TToken &t)
{
    if (t.kind != TToken::Typed)
        return false;
    const QString bare = t.text.startsWith(QLatin1Char('-')) ? t.text.mid(1) : t.text;
    return bare.isEmpty() || IsExpressionDelimiter(bare.front());
}

double roundedTo15(double v)
{
    double r = 0;
    ReadNumber(ValueText(v), r);
    return r;
}

double arithmetic(const TTokens &tokens, bool dry, int nesting);

// Step 2.1: every ABS(...) evaluated on its own and replaced by its value.
TTokens resolveAbs(const TTokens &tokens, bool dry, int nesting)
{
    TTokens seq;
    seq.reserve(tokens.size());
    for (size_t i = 0; i < tokens.size(); ++i) {
        if (!isTyped(tokens[i], "ABS")) {
            seq.push_back(tokens[i]);
            continue;
        }
        if (i + 1 >= tokens.size() || !isTyped(tokens[i + 1], "("))
            throw EConvertError(QStringLiteral("ABS"), formatMessage(QStringLiteral("ABS"), fnAbs));
        size_t close = 0;
        int depth = 0;
        for (size_t k = i + 1; k < tokens.size() && close == 0; ++k) {
            if (isTyped(tokens[k], "("))
                ++depth;
            else if (isTyped(tokens[k], ")") && --depth == 0)
                close = k;
        }
        if (close == 0)
            throw EConvertError(QStringLiteral("ABS"), formatMessage(QStringLiteral("ABS"), fnAbs));
        if (nesting >= kAbsNestingLimit)
            throw EConvertError(QStringLiteral("ABS"), StackOverflowMessage());
        const TTokens inner(tokens.begin() + qsizetype(i) + 2, tokens.begin() + qsizetype(close));
        const double v = arithmetic(inner, dry, nesting + 1);
        seq.push_back({ValueText(std::fabs(v)), TToken::Value});
        i = close;
    }
    return seq;
}

class TPostfix
{
public:
    explicit TPostfix(bool dry) : m_dry(dry) {}

    // Step 2.2: conversion to postfix order with the operator stack.
    void convert(const TTokens &seq)
    {
        for (size_t i = 0; i < seq.size();) {
            const TToken &t = seq[i];
            if (isTyped(t, "-") && isSignPosition(seq, i)) {
                if (i + 1 < seq.size()) {
                    const TToken &next = seq[i + 1];
                    if (isTyped(next, "(") || isTyped(next, "[") || isTyped(next, "-")) {
                        // A sign in front of a bracket negates the bracket's value.
                        pushOperator({QString(), TToken::Negate});
                        ++i;
                    } else {
                        output(negated(next));
                        i += 2;
                    }
                    continue;
                }
                output(t); // a lone sign at the end: fails as a number
                ++i;
                continue;
            }
            if (isTyped(t, "(") || isTyped(t, "[")) {
                pushOperator(t);
            } else if (isTyped(t, ")") || isTyped(t, "]")) {
                const char *open = isTyped(t, ")") ? "(" : "[";
                while (!m_operators.empty()) {
                    const TToken top = m_operators.back();
                    m_operators.pop_back();
                    if (isTyped(top, open))
                        break;
                    output(top);
                }
            } else if (isBinaryOperator(t)) {
                while (!m_operators.empty() && bindsAtLeastAsTightly(m_operators.back(), t)) {
                    output(m_operators.back());
                    m_operators.pop_back();
                }
                pushOperator(t);
            } else {
                output(t);
            }
            ++i;
        }
        while (!m_operators.empty()) {
            output(m_operators.back());
            m_operators.pop_back();
        }
    }

    // Step 2.3: the calculation over the value stack.
    double calculate() const
    {
        std::vector<double> values;
        values.reserve(kStackLimit);
        for (const TToken &t : m_output) {
            if (t.kind == TToken::Negate) {
                if (values.empty())
                    throw EConvertError(QStringLiteral("-"), MissingOperandMessage());
                values.back() = -values.back();
                continue;
            }
            if (isBinaryOperator(t)) {
                if (values.size() < 2)
                    throw EConvertError(t.text, MissingOperandMessage());
                const double right = values.back();
                values.pop_back();
                const double left = values.back();
                values.back() = m_dry ? 0 : compute(left, t.text.at(0).toLatin1(), right);
                continue;
            }
            double v = 0;
            if (m_dry ? isStrayDelimiter(t) : !ReadNumber(t.text, v))
                throw EConvertError(t.text, NotANumberMessage(t.text));
            if (int(values.size()) >= kStackLimit)
                throw EConvertError(t.text, StackOverflowMessage());
            values.push_back(v);
        }
        if (values.empty())
            throw EConvertError(QString(), NotANumberMessage(QString()));
        if (values.size() > 1)
            throw EConvertError(QString(), MissingOperandMessage());
        return values.back();
    }

private:
    static double compute(double left, char op, double right)
    {
        double r = 0;
        switch (op) {
        case '+':
            r = left + right;
            break;
        case '-':
            r = left - right;
            break;
        case '*':
            r = left * right;
            break;
        default:
            r = right == 0 ? 0 : left / right;
            break;
        }
        if (!std::isfinite(r)) {
            const QString text = ValueText(r);
            throw EConvertError(text, QStringLiteral("%1 %2 %3 Is Too Large To Evaluate")
                                          .arg(ValueText(left), QChar::fromLatin1(op), ValueText(right)));
        }
        return roundedTo15(r);
    }

    void pushOperator(const TToken &t)
    {
        if (int(m_operators.size()) >= kStackLimit)
            throw EConvertError(t.text, StackOverflowMessage());
        m_operators.push_back(t);
    }

    void output(const TToken &t)
    {
        if (int(m_output.size()) >= kStackLimit)
            throw EConvertError(t.text, StackOverflowMessage());
        // A typed number longer than a stack entry would have been cut.
        double ignored = 0;
        if (t.kind == TToken::Typed && t.text.size() > kNumberTextLimit && ReadNumber(t.text, ignored))
            throw EConvertError(t.text, NumberTooLongMessage(t.text));
        m_output.push_back(t);
    }

    bool m_dry;
    std::vector<TToken> m_operators;
    TTokens m_output;
};

double arithmetic(const TTokens &tokens, bool dry, int nesting)
{
    TPostfix postfix(dry);
    postfix.convert(resolveAbs(tokens, dry, nesting));
    return postfix.calculate();
}

} // namespace

QString NotANumberMessage(const QString &text)
{
    return QStringLiteral("\"%1\" Is Not A Valid Number").arg(text);
}

QString StackOverflowMessage()
{
    return QStringLiteral("Expression Too Long Or Nested Too Deeply To Evaluate");
}

QString NumberTooLongMessage(const QString &text)
{
    return QStringLiteral("%1 Is Too Long, A Number May Have At Most %2 Characters")
        .arg(text)
        .arg(kNumberTextLimit);
}

QString MissingOperandMessage()
{
    return QStringLiteral("A Number Or An Operator Is Missing");
}

TTokens FunctionValues(const QString &text, TPriceStatistics *prices)
{
    const QStringList raw = TokenizeExpression(AsciiUpper(text.trimmed()));
    TTokens out;
    out.reserve(size_t(raw.size()));
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QString &name = raw[i];
        const int function = FunctionNumber(name);
        if (function == 0 || function == fnAbs) {
            out.push_back({name, TToken::Typed});
            continue;
        }
        if (function == fnSymbol)
            continue;
        // The arguments are read in the order of the signature.
        const QStringList signature =
            TokenizeExpression(QLatin1String(kFunctionSignatures[size_t(function - 1)]));
        QString field;
        bool fieldKnown = false;
        int32_t day = 0;
        int32_t days = 0;
        for (qsizetype j = 1; j < signature.size(); ++j) {
            if (++i >= raw.size())
                throw EConvertError(name, formatMessage(name, function));
            const QString &arg = raw[i];
            const QString &wanted = signature[j];
            if (wanted == QLatin1String("FIELD")) {
                field = arg;
                fieldKnown = IsFieldName(arg);
            } else if (wanted == QLatin1String("DAY") || wanted == QLatin1String("DAYS")) {
                int32_t n = 0;
                if (!ReadWholeNumber(arg, n))
                    throw EConvertError(arg, NotANumberMessage(arg));
                (wanted == QLatin1String("DAY") ? day : days) = n;
            } else if (arg != wanted) {
                throw EConvertError(arg, formatMessage(arg, function));
            }
        }
        double value = 1; // placeholder of a dry run
        if (prices)
            value = fieldKnown ? functionValue(function, field, day, days, *prices) : 0;
        out.push_back({ValueText(value), TToken::Value});
    }
    return out;
}

double Arithmetic(const TTokens &tokens, bool dry)
{
    return arithmetic(tokens, dry, 0);
}

} // namespace ExprEngine

// ---- public ---------------------------------------------------------------

double EvaluateExpression(const QString &text, TPriceStatistics &prices)
{
    return ExprEngine::Arithmetic(ExprEngine::FunctionValues(text, &prices), false);
}

namespace {

bool isQuote(QChar c)
{
    return c == QLatin1Char('"') || c == QLatin1Char('\'');
}

// A text side of a condition: the word STOCKSYMBOL (in capitals) standing for
// the symbol, or a quoted text standing for its inner characters.
bool textSide(const QString &expression, const QString &symbol, QString &text)
{
    if (expression == QLatin1String("STOCKSYMBOL")) {
        text = AsciiUpper(symbol);
        return true;
    }
    if (!expression.isEmpty() && isQuote(expression.front()) && isQuote(expression.back())) {
        text = expression.size() >= 2 ? AsciiUpper(expression.mid(1, expression.size() - 2)) : QString();
        return true;
    }
    return false;
}

template <typename Less, typename T> bool compare(const QString &op, const T &a, const T &b, Less less)
{
    if (op == QLatin1String("="))
        return !less(a, b) && !less(b, a);
    if (op == QLatin1String("<>"))
        return less(a, b) || less(b, a);
    if (op == QLatin1String(">"))
        return less(b, a);
    if (op == QLatin1String(">="))
        return !less(a, b);
    if (op == QLatin1String("<"))
        return less(a, b);
    if (op == QLatin1String("<="))
        return !less(b, a);
    return false;
}

} // namespace

bool EvaluateCondition(const TConditionText &row, const QString &symbol, TPriceStatistics &prices)
{
    QString left;
    if (textSide(row.Expression1, symbol, left)) {
        QString right;
        if (!textSide(row.Expression2, symbol, right))
            right = row.Expression2;
        // Texts from records are single-byte, so code-unit order is byte order.
        return compare(row.Comparison, left, right,
                       [](const QString &a, const QString &b) { return QString::compare(a, b) < 0; });
    }
    const double a = EvaluateExpression(row.Expression1, prices);
    const double b = EvaluateExpression(row.Expression2, prices);
    return compare(row.Comparison, a, b, [](double x, double y) { return x < y; });
}

bool EvaluateFunction(const TConditionTexts &rows, const QString &symbol, TPriceStatistics &prices)
{
    bool result = EvaluateCondition(rows[0], symbol, prices);
    for (size_t i = 1; i < rows.size(); ++i) {
        const TConditionText &row = rows[i];
        if (row.Expression1.isEmpty())
            continue;
        const bool verdict = EvaluateCondition(row, symbol, prices);
        if (row.LogicalOperator == QLatin1String("And"))
            result = result && verdict;
        else if (row.LogicalOperator == QLatin1String("Or"))
            result = result || verdict;
    }
    return result;
}

TConditionTexts ConditionTexts(const TFunctionRecord &function)
{
    TConditionTexts rows;
    for (int i = 0; i < kConditionRows; ++i) {
        const TConditionRow &stored = function.Rows[i];
        rows[size_t(i)] = TConditionText{stored.LogicalOperator.text(), stored.Expression1.text(),
                                         stored.Comparison.text(), stored.Expression2.text()};
    }
    return rows;
}

bool EvaluateFunction(const TFunctionRecord &function, const QString &symbol, TPriceStatistics &prices)
{
    return EvaluateFunction(ConditionTexts(function), symbol, prices);
}
