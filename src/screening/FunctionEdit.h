#pragma once
// What the function dialog does without needing a window: turning its texts
// into a stored screening function and back, the checks run on "&Save", and
// the rule that keeps typed, pasted and inserted text storable.

#include "records/FunctionBase.h"

#include <QString>
#include <array>
#include <cstdint>

// The dialog's contents as texts. A drop-down list that shows nothing
// chosen gives an empty text; the blank logical operator " " is a choice.
struct TFunctionTexts
{
    QString Description;
    uint32_t Color = 0; // 0x00BBGGRR
    // Expression 2n - 1 is row n's expression 1, expression 2n its expression 2.
    std::array<QString, 2 * kConditionRows> Expressions;
    std::array<QString, kConditionRows> Comparisons;
    // Index 0 (row 1) is never shown and never stored.
    std::array<QString, kConditionRows> LogicalOperators;
};

inline constexpr int kDescriptionLimit = 40;
inline constexpr int kExpressionLimit = 255;

// A fresh, zeroed record filled from the texts: row 1's logical operator
// empty, every text cut to its field, the colour without a top byte.
TFunctionRecord BuildFunctionRecord(const TFunctionTexts &texts);
// The texts a stored function fills the dialog with.
TFunctionTexts FunctionTexts(const TFunctionRecord &function);

// The checks of "&Save": empty when the function may be stored, else the one
// message the error box shows (line breaks as carriage returns).
//
// Every row whose expression 1 is filled is checked, also below an empty
// row, because the watch run evaluates it all the same. A quoted text or
// STOCKSYMBOL on a side that is calculated is refused here: it would stop
// every run with a conversion error.
QString CheckFunctionTexts(const TFunctionTexts &texts);

// "Error In Expression 1:" … "Error In Expression 10:" (n from 1).
QString ExpressionLabel(int n);

// What an edit limited to `limit` characters keeps of `text` when it is
// typed, pasted or inserted: characters outside Latin-1 are dropped (a
// record stores single bytes) and the rest is cut to what fits.
QString StorableText(const QString &text, int limit);

// What an edit that held `previous` keeps when its text became `current`
// with room for `limit` characters. Only the characters that came in (typed,
// pasted or inserted at the caret) are filtered to Latin-1 and cut to the
// room left, so text already in the edit is never pushed out at its end.
// `caret` gets the position just after what was kept of the new characters.
QString FitEditedText(const QString &previous, const QString &current, int limit, int &caret);

// True when expression 1 of a row is compared as a text: exactly STOCKSYMBOL,
// or enclosed in single or double quotes.
bool IsTextSide(const QString &expression);

// ---- storing in Scan.dat --------------------------------------------------
// Each returns empty on success, else the text of the error box. A duplicate
// description is refused with a message (the dialog stays open with the
// user's input), and a file that cannot be written is named.
QString DuplicateFunctionMessage(const QString &description);
QString AddFunction(TFunctionBase &scan, TFunctionRecord &function);
// Replaces the function at `index`: in place when the description is kept,
// else the new record is inserted before the old one is deleted, so a
// failed insert loses nothing.
QString EditFunction(TFunctionBase &scan, int index, TFunctionRecord &function);
QString DeleteFunction(TFunctionBase &scan, int index);
