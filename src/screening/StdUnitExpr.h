#pragma once
// The screening expression language: tokens, fields and functions, the
// syntax check the function editor runs before a function is stored, and the
// evaluation of expressions, conditions and whole functions against one
// security's price history.
//
// Values pass between the evaluation steps as value texts (at most 15
// significant digits), so every function value and every intermediate result
// is rounded to 15 significant digits, as the stored functions have always
// been evaluated.

#include "records/FunctionBase.h"
#include "screening/PriceStatistics.h"

#include <QString>
#include <QStringList>
#include <array>
#include <stdexcept>

// ---- the language's tables ------------------------------------------------
inline constexpr int kFunctionCount = 9;
// The function names and the signatures the editor offers, in table order.
extern const std::array<const char *, kFunctionCount> kFunctionNames;
extern const std::array<const char *, kFunctionCount> kFunctionSignatures;
// "High", "Low", "Close", "Volume".
extern const std::array<const char *, 4> kFieldNames;
// "=", "<>", ">", ">=", "<", "<=".
extern const std::array<const char *, 6> kComparisonOperators;
// " ", "And", "Or": the first joins nothing.
extern const std::array<const char *, 3> kLogicalOperators;

// The evaluation stacks hold at most this many pending entries, and a number
// typed into an expression may have at most this many characters (its sign
// included). Expressions beyond either limit are refused by CheckExpression
// and raise EConvertError on evaluation instead of giving a wrong number.
inline constexpr int kStackLimit = 30;
inline constexpr int kNumberTextLimit = 20;

// ---- errors ---------------------------------------------------------------
// A text that had to be read as a number and is not one, or an expression
// too large for the evaluation stacks. The watch run shows message() and
// stops.
class EConvertError : public std::runtime_error
{
public:
    EConvertError(const QString &text, const QString &message)
        : std::runtime_error(message.toStdString()), m_text(text), m_message(message)
    {
    }
    // The offending text (a token, or the whole expression for a stack overflow).
    QString text() const { return m_text; }
    QString message() const { return m_message; }

private:
    QString m_text;
    QString m_message;
};

// ---- tokens, names and value texts -----------------------------------------
// True for the blank, "(", ")", "*", "+", ",", "-", "/", "[" and "]".
bool IsExpressionDelimiter(QChar c);
// Cuts an expression into tokens from left to right: each delimiter is a
// token of its own, any other run of characters is one token; blanks are
// dropped. "-" always stands alone here; joining a sign to its number is
// done by the evaluation.
QStringList TokenizeExpression(const QString &text);
// ASCII letters to capitals, everything else as it is.
QString AsciiUpper(const QString &text);
// 1..9 for a function name (any case), 0 otherwise.
int FunctionNumber(const QString &token);
// True for High, Low, Close or Volume in any case.
bool IsFieldName(const QString &token);
// Reads a whole text as a finite number: an optional "-", digits with an
// optional decimal point, an optional exponent ("E" or "e", optional sign,
// digits). Nothing else is accepted: no blanks, no "+" in front, no "inf".
bool ReadNumber(const QString &text, double &value);
// Reads a whole text of digits as a whole number up to 2147483647.
bool ReadWholeNumber(const QString &text, int32_t &value);
// The shortest text of at most 15 significant digits with "." as decimal
// point; plain when 0.00001 <= |v| < 1E15, else exponent form ("1E20", "-1.5E-6").
QString ValueText(double value);

// ---- check ----------------------------------------------------------------
// Checks an expression as the function editor does before storing it. Each
// problem adds one line to `message`, each line ending with a carriage
// return. Returns true when the expression passes.
bool CheckExpression(const QString &text, QString &message);

// ---- evaluation -------------------------------------------------------------
// The value of an expression for one security. Raises EConvertError when a
// text that must be read as a number is not one.
//
// Functions never fail on short histories: over an empty price history every
// function is 0, and VALUE, AVERAGEONDAY and STDONDAY are 0 when their window
// reaches before the first record (as VALUE(F,0) and a window of no days are).
double EvaluateExpression(const QString &text, TPriceStatistics &prices);

// One condition row of a screening function, as texts (the stored form is
// the TConditionRow of the function file).
struct TConditionText
{
    QString LogicalOperator; // "And", "Or" or anything else (joins nothing)
    QString Expression1;
    QString Comparison; // one of kComparisonOperators
    QString Expression2;
};
using TConditionTexts = std::array<TConditionText, kConditionRows>;

bool EvaluateCondition(const TConditionText &row, const QString &symbol, TPriceStatistics &prices);
// Condition 1, then every later row whose expression 1 is not empty, combined
// strictly from top to bottom (no precedence between And and Or).
bool EvaluateFunction(const TConditionTexts &rows, const QString &symbol, TPriceStatistics &prices);
// The same for a stored screening function.
TConditionTexts ConditionTexts(const TFunctionRecord &function);
bool EvaluateFunction(const TFunctionRecord &function, const QString &symbol, TPriceStatistics &prices);
