// The syntax check the function editor runs before it stores a function.

#include "screening/StdUnitExprEngine.h"

#include <vector>

namespace {

bool isToken(const QString &token, const char *text)
{
    return token == QLatin1String(text);
}

bool isOpening(const QString &t)
{
    return isToken(t, "(") || isToken(t, "[");
}

bool isClosing(const QString &t)
{
    return isToken(t, ")") || isToken(t, "]");
}

bool isQuoted(const QString &t)
{
    auto quote = [](QChar c) { return c == QLatin1Char('"') || c == QLatin1Char('\''); };
    return !t.isEmpty() && quote(t.front()) && quote(t.back());
}

// Matches the tokens after the function name at `at` with the function's
// signature. Consumes nothing: the caller checks every argument token again.
bool argumentsFit(const QStringList &tokens, qsizetype at, int function)
{
    const QStringList signature =
        TokenizeExpression(QLatin1String(kFunctionSignatures[size_t(function - 1)]));
    const qsizetype n = tokens.size();
    qsizetype p = at + 1;
    QString lastOpening;
    for (qsizetype j = 1; j < signature.size(); ++j) {
        const QString &wanted = signature[j];
        if (wanted == QLatin1String("EXPRESSION")) {
            // Everything up to the bracket that closes the one matched just
            // before, at least one token.
            if (lastOpening.isEmpty())
                return false;
            const QString closing = isToken(lastOpening, "(") ? QStringLiteral(")") : QStringLiteral("]");
            int depth = 1;
            qsizetype k = p;
            for (; k < n; ++k) {
                if (tokens[k] == lastOpening)
                    ++depth;
                else if (tokens[k] == closing && --depth == 0)
                    break;
            }
            if (k >= n || k == p)
                return false;
            p = k;
            continue;
        }
        if (p >= n)
            return false;
        const QString &arg = tokens[p];
        int32_t whole = 0;
        if (wanted == QLatin1String("FIELD")) {
            if (!IsFieldName(arg))
                return false;
        } else if (wanted == QLatin1String("DAY") || wanted == QLatin1String("DAYS")) {
            if (!ReadWholeNumber(arg, whole))
                return false;
        } else {
            if (arg != wanted)
                return false;
            if (isOpening(wanted))
                lastOpening = wanted;
        }
        ++p;
    }
    return true;
}

// Each closing bracket must close the nearest open bracket of its own kind.
bool bracketsPair(const QStringList &tokens)
{
    std::vector<QString> open;
    for (const QString &t : tokens) {
        if (isOpening(t)) {
            open.push_back(t);
        } else if (isClosing(t)) {
            const char *wanted = isToken(t, ")") ? "(" : "[";
            if (open.empty() || !isToken(open.back(), wanted))
                return false;
            open.pop_back();
        }
    }
    return open.empty();
}

} // namespace

bool CheckExpression(const QString &text, QString &message)
{
    message.clear();
    const QStringList tokens = TokenizeExpression(AsciiUpper(text));
    bool valid = true;

    int opening = 0;
    int closing = 0;
    for (const QString &t : tokens) {
        opening += isOpening(t) ? 1 : 0;
        closing += isClosing(t) ? 1 : 0;
    }
    if (closing < opening) {
        message += QStringLiteral("Missing One or More ) or ]\r");
        valid = false;
    }
    if (opening < closing) {
        message += QStringLiteral("Missing One or More ( or [\r");
        valid = false;
    }

    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const QString &t = tokens[i];
        if (t.size() == 1 && IsExpressionDelimiter(t.front()))
            continue;
        if (const int function = FunctionNumber(t)) {
            if (!argumentsFit(tokens, i, function)) {
                message += QStringLiteral("The Correct Format Is ") +
                           QLatin1String(kFunctionSignatures[size_t(function - 1)]) + QLatin1Char('\r');
                valid = false;
            }
            continue;
        }
        double number = 0;
        if (IsFieldName(t) || ReadNumber(t, number) || isQuoted(t))
            continue;
        message += t + QStringLiteral(" Is not a Valid Number, Function, Field, Or String \r");
        valid = false;
    }
    if (!valid)
        return false;

    // Beyond the token rules: refuse what the evaluation could never compute,
    // rather than let the watch run stop on it (or, worse, compute a number
    // from an expression the stacks had to cut short).
    if (!bracketsPair(tokens)) {
        message += QStringLiteral("Brackets Do Not Pair, Close ( With ) And [ With ]\r");
        return false;
    }
    if (text == QLatin1String("STOCKSYMBOL"))
        return true; // the text side of a condition, not arithmetic
    if (tokens.contains(QLatin1String("STOCKSYMBOL"))) {
        // Anywhere else it adds nothing to the arithmetic, and in small
        // letters it is no text side, so the evaluation could only fail.
        message += QStringLiteral("STOCKSYMBOL Must Stand Alone, In Capitals\r");
        return false;
    }
    try {
        ExprEngine::Arithmetic(ExprEngine::FunctionValues(text, nullptr), true);
    } catch (const EConvertError &e) {
        message += e.message() + QLatin1Char('\r');
        return false;
    }
    return true;
}
