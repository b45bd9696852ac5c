#pragma once
// The transaction and dividend dialogs without their windows: what the
// dialog's fields become in a record and back, the checks of "&Save" with
// their texts, and the changes to the open file that add, edit and delete
// make.

#include <QString>
#include <QStringList>
#include <cstdint>

class TTransBase;
struct TTransRecord;

// Amounts, share counts and fees above this are refused: their products and
// sums would no longer be finite money.
inline constexpr double kMaxAmount = 1e12;

struct TTransInput
{
    QString Symbol;
    QString Date; // the date box, "MM/DD/YYYY"
    QString Shares;
    QString Price;
    QString Fee;
    bool Sold = false;
};

struct TDividendInput
{
    QString Symbol;
    QString Date;
    QString Amount;
    bool Distributed = false;
};

// The lines for the invalid-fields box, in the order the dialog checks them.
QStringList TransactionProblems(const TTransInput &in);
QStringList DividendProblems(const TDividendInput &in);

// Fills the dialog's fields of `rec`; entry time and security code stay.
void InputToTransaction(const TTransInput &in, TTransRecord &rec);
TTransInput TransactionToInput(const TTransRecord &rec);
void InputToDividend(const TDividendInput &in, TTransRecord &rec);
TDividendInput DividendToInput(const TTransRecord &rec);

// The "Total:" field: −shares × price − fee for a purchase, shares × price −
// fee for a sale; a value that is not a number counts as 0.
QString TransactionTotalText(const TTransInput &in);
// A stored record's total, −shares × price − fee.
double TransactionTotal(const TTransRecord &rec);

enum class TSaveOutcome { Saved, AlreadyOnFile, Failed };

// Inserts a new record (a taken second moves it to the next free one).
TSaveOutcome AddRecord(TTransBase &file, TTransRecord &rec);
// Writes the edited record of position `index`: in place when symbol and
// date are unchanged, else delete and insert, putting `original` back when
// the insert is refused.
TSaveOutcome EditRecord(TTransBase &file, int index, const TTransRecord &original, TTransRecord edited);
// A position inside the file for a wished-for one (−1 for an empty file).
int ClampedIndex(const TTransBase &file, int index);
