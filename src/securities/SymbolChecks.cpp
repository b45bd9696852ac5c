#include "securities/SymbolChecks.h"

#include "frame/StdUnitFiles.h"

QString SymbolProblem(const QString &symbol)
{
    if (symbol.trimmed().isEmpty())
        return QStringLiteral("Securities Symbol: A Symbol Is Required");
    if (!IsSafeFileNamePart(symbol))
        return QStringLiteral("Securities Symbol: May Not Contain \"/\" Or Be \".\" Or \"..\"");
    return QString();
}

QString DuplicateSymbolMessage(const QString &storedSymbol, const QString &storedName)
{
    return QStringLiteral("The Following Error Has Occured:\r\rSymbol: ") + storedSymbol
        + QStringLiteral("\rDescription: ") + storedName
        + QStringLiteral("\r\rSymbol Already On File In Database, Symbol Data Not Added!");
}

namespace {
QByteArray asciiUpper(const QString &s)
{
    QByteArray b = s.toLatin1();
    for (char &c : b)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return b;
}
} // namespace

TSearchStep SearchStep(const QStringList &cells, const QString &text, int position)
{
    const QByteArray needle = asciiUpper(text);
    int row = std::max(position, 1);
    while (row <= cells.size()) {
        const bool hit = asciiUpper(cells[row - 1]).contains(needle);
        ++row;
        if (hit)
            return {row - 1, row};
    }
    return {0, row};
}
