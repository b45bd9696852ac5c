#pragma once
// Rules for a symbol typed or imported by the user, and the texts the symbol
// list shows about symbols.

#include <QString>
#include <QStringList>

// Empty when the symbol may be stored; otherwise the line for the invalid
// fields box. A symbol names its price file, so it may not be empty and may
// not leave the data folder.
QString SymbolProblem(const QString &symbol);

// The duplicate message, line breaks as carriage returns.
QString DuplicateSymbolMessage(const QString &storedSymbol, const QString &storedName);

// One step of the symbol list's search: from `position` (a grid row, 1 = first
// data row) onwards, find the first cell containing `text` with ASCII letters
// compared upper-cased. `cells` holds the searched column, cells[0] = row 1.
struct TSearchStep
{
    int matchRow = 0;     // 0 when the rows ran out
    int nextPosition = 0; // where the following step starts
};
TSearchStep SearchStep(const QStringList &cells, const QString &text, int position);
