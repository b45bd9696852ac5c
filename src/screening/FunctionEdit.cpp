#include "screening/FunctionEdit.h"

#include "frame/IoError.h"
#include "screening/StdUnitExpr.h"

#include <algorithm>

namespace {

const QString kCr = QStringLiteral("\r");

bool isQuote(QChar c)
{
    return c == QLatin1Char('"') || c == QLatin1Char('\'');
}

bool isQuoted(const QString &token)
{
    return !token.isEmpty() && isQuote(token.front()) && isQuote(token.back());
}

// The check of one expression under its label; empty when it passes.
QString expressionProblem(const QString &expression, int n, bool calculated)
{
    const QString label = ExpressionLabel(n) + kCr + kCr;
    if (expression.isEmpty())
        return label + QStringLiteral("No Expression Defined");
    QString lines;
    if (!CheckExpression(expression, lines))
        return label + lines;
    if (calculated) {
        // The calculation reads a text as a number and stops the run; STOCKSYMBOL
        // contributes nothing there and leaves an operator without its operand.
        for (const QString &token : TokenizeExpression(expression)) {
            if (isQuoted(token) || FunctionNumber(token) == kFunctionCount)
                return label + token + QStringLiteral(" Is A Text And Can Only Be Compared With A Text ") +
                       kCr;
        }
    }
    return {};
}

QString rowProblem(const TFunctionTexts &texts, int row)
{
    const QString &left = texts.Expressions[size_t(2 * row)];
    const bool textRow = IsTextSide(left);
    QString problem = expressionProblem(left, 2 * row + 1, !textRow);
    if (!problem.isEmpty())
        return problem;
    if (texts.Comparisons[size_t(row)].isEmpty())
        return QStringLiteral("Error, Please Select A Comparison Operator");
    // Against a text side, expression 2 is compared as typed; only a
    // calculated row reads it as a number.
    return expressionProblem(texts.Expressions[size_t(2 * row + 1)], 2 * row + 2, !textRow);
}

} // namespace

QString ExpressionLabel(int n)
{
    return QStringLiteral("Error In Expression %1:").arg(n);
}

bool IsTextSide(const QString &expression)
{
    return expression == QLatin1String("STOCKSYMBOL") || isQuoted(expression);
}

TFunctionRecord BuildFunctionRecord(const TFunctionTexts &texts)
{
    TFunctionRecord rec{};
    rec.Description = texts.Description;
    rec.Color = texts.Color & 0x00FFFFFFu;
    for (int row = 0; row < kConditionRows; ++row) {
        TConditionRow &r = rec.Rows[row];
        if (row > 0)
            r.LogicalOperator = texts.LogicalOperators[size_t(row)];
        r.Expression1 = texts.Expressions[size_t(2 * row)];
        r.Comparison = texts.Comparisons[size_t(row)];
        r.Expression2 = texts.Expressions[size_t(2 * row + 1)];
    }
    return rec;
}

TFunctionTexts FunctionTexts(const TFunctionRecord &function)
{
    TFunctionTexts texts;
    texts.Description = function.Description.text();
    texts.Color = function.Color & 0x00FFFFFFu;
    for (int row = 0; row < kConditionRows; ++row) {
        const TConditionRow &r = function.Rows[row];
        if (row > 0)
            texts.LogicalOperators[size_t(row)] = r.LogicalOperator.text();
        texts.Expressions[size_t(2 * row)] = r.Expression1.text();
        texts.Comparisons[size_t(row)] = r.Comparison.text();
        texts.Expressions[size_t(2 * row + 1)] = r.Expression2.text();
    }
    return texts;
}

QString CheckFunctionTexts(const TFunctionTexts &texts)
{
    QString problem = rowProblem(texts, 0);
    if (!problem.isEmpty())
        return problem;
    for (int row = 1; row < kConditionRows; ++row) {
        if (texts.Expressions[size_t(2 * row)].isEmpty())
            continue;
        if (texts.LogicalOperators[size_t(row)].isEmpty())
            return QStringLiteral("Error, Please Select A Logical Operator For Next Expression");
        problem = rowProblem(texts, row);
        if (!problem.isEmpty())
            return problem;
    }
    return {};
}

QString StorableText(const QString &text, int limit)
{
    QString out;
    out.reserve(std::min<qsizetype>(text.size(), limit));
    for (QChar c : text) {
        if (out.size() >= limit)
            break;
        if (c.unicode() <= 0xFF)
            out.append(c);
    }
    return out;
}

QString FitEditedText(const QString &previous, const QString &current, int limit, int &caret)
{
    // The changed stretch is what lies between the longest common start and
    // the longest common end of the two texts.
    const qsizetype shorter = std::min(previous.size(), current.size());
    qsizetype head = 0;
    while (head < shorter && previous[head] == current[head])
        ++head;
    qsizetype tail = 0;
    while (tail < shorter - head &&
           previous[previous.size() - 1 - tail] == current[current.size() - 1 - tail])
        ++tail;
    const QString before = current.left(head);
    const QString after = current.right(tail);
    const qsizetype room = limit - before.size() - after.size();
    if (room < 0 || StorableText(before + after, limit).size() != before.size() + after.size()) {
        // The text around the change does not fit either (it was set from
        // elsewhere): keep what can be stored from the start.
        const QString kept = StorableText(current, limit);
        caret = int(std::min<qsizetype>(head, kept.size()));
        return kept;
    }
    const QString inserted = StorableText(current.mid(head, current.size() - head - tail), int(room));
    caret = int(head + inserted.size());
    return before + inserted + after;
}

// ---- storing in Scan.dat --------------------------------------------------

namespace {

QString writeProblem(const TFunctionBase &scan)
{
    QString text = QStringLiteral("Error, Could Not Write ") + scan.path();
    if (!scan.OpenProblem().isEmpty())
        text += QStringLiteral("\r\r") + scan.OpenProblem();
    return text;
}

bool stored(TFunctionBase &scan, const QString &description)
{
    TFunctionRecord probe;
    return scan.RecordCount() > 0 && scan.Find(probe, description);
}

} // namespace

QString DuplicateFunctionMessage(const QString &description)
{
    return QStringLiteral("Error, A Function Named %1 Already Exists").arg(description);
}

QString AddFunction(TFunctionBase &scan, TFunctionRecord &function)
{
    if (!scan.IsWritable())
        return writeProblem(scan);
    if (stored(scan, function.Description.text()))
        return DuplicateFunctionMessage(function.Description.text());
    if (!scan.Insert(function) || (scan.Status() & IoError))
        return writeProblem(scan);
    return {};
}

QString EditFunction(TFunctionBase &scan, int index, TFunctionRecord &function)
{
    if (!scan.IsWritable())
        return writeProblem(scan);
    TFunctionRecord old;
    scan.ReadAt(old, index);
    if (scan.Status() & (IoError | Boundary))
        return writeProblem(scan);
    const QString oldDescription = old.Description.text();
    if (oldDescription == function.Description.text()) {
        scan.WriteCurrent(function);
        return (scan.Status() & IoError) ? writeProblem(scan) : QString();
    }
    if (stored(scan, function.Description.text()))
        return DuplicateFunctionMessage(function.Description.text());
    if (!scan.Insert(function) || (scan.Status() & IoError))
        return writeProblem(scan);
    // The insert may have moved the old record; find it again by its description.
    TFunctionRecord probe;
    if (!scan.Find(probe, oldDescription))
        return writeProblem(scan);
    return DeleteFunction(scan, scan.CurrentIndex());
}

QString DeleteFunction(TFunctionBase &scan, int index)
{
    if (!scan.IsWritable())
        return writeProblem(scan);
    try {
        scan.Delete(index);
    } catch (const EInOutError &e) {
        return writeProblem(scan) + QStringLiteral("\r\r") + e.message();
    }
    return (scan.Status() & IoError) ? writeProblem(scan) : QString();
}
