#pragma once
// The two evaluation steps of an expression, shared by the evaluation and by
// the syntax check (which runs them "dry", without a price history and
// without reading numbers, to find expressions the stacks cannot hold).
// Internal to the expression language.

#include "screening/StdUnitExpr.h"

#include <vector>

namespace ExprEngine {

struct TToken
{
    enum Kind : uint8_t {
        Typed,  // as it stands in the expression (capitals)
        Value,  // a value text made by the evaluation itself: never cut or split
        Negate, // a sign in front of a bracket or another sign
    };
    QString text;
    Kind kind = Typed;
};
using TTokens = std::vector<TToken>;

// Step 1: the expression in capitals with every function but ABS replaced
// by its value text. With `prices` null (a dry run) every function value is
// a placeholder and nothing is read.
TTokens FunctionValues(const QString &text, TPriceStatistics *prices);

// Step 2: ABS parts, conversion to postfix order and calculation. A dry run
// reads no numbers and computes nothing, but counts every stack as the real
// run does and raises the same errors for overflows and missing operands.
// Returns the result (0 in a dry run).
double Arithmetic(const TTokens &tokens, bool dry);

// Messages of the errors the steps raise; the check shows them as its lines.
QString NotANumberMessage(const QString &text);
QString StackOverflowMessage();
QString NumberTooLongMessage(const QString &text);
QString MissingOperandMessage();

} // namespace ExprEngine
