#include "portfolio/TransEntry.h"

#include "frame/NumberFormat.h"
#include "frame/StdUnitDates.h"
#include "records/TransDatabase.h"
#include "securities/SymbolChecks.h"

#include <algorithm>
#include <cmath>

namespace {

// One number field: "" when fine, else its line.
QString amountProblem(const QString &text, const QString &notANumber, const QString &belowZero,
                      const QString &tooLarge)
{
    double v = 0;
    if (!ReadNumberText(text, &v) || !std::isfinite(v))
        return notANumber;
    if (v < 0)
        return belowZero;
    if (v > kMaxAmount)
        return tooLarge;
    return {};
}

QString tooLargeLine(const QString &field)
{
    return field + QStringLiteral(" Cannot Be More Than 1000000000000.");
}

void symbolAndDate(const QString &symbol, const QString &date, QStringList &lines)
{
    if (symbol.trimmed().isEmpty())
        lines << QStringLiteral("No Symbol Entered.");
    else if (const QString p = SymbolProblem(symbol); !p.isEmpty())
        lines << p;
    if (!IsValidDateText(kFormMM_DD_YYYY, date))
        lines << QStringLiteral("Invalid Date Entered.");
}

double number(const QString &text)
{
    double v = 0;
    return ReadNumberText(text, &v) && std::isfinite(v) ? v : 0.0;
}

void add(QStringList &lines, const QString &line)
{
    if (!line.isEmpty())
        lines << line;
}

} // namespace

QStringList TransactionProblems(const TTransInput &in)
{
    QStringList lines;
    symbolAndDate(in.Symbol, in.Date, lines);
    add(lines, amountProblem(in.Shares, QStringLiteral("Invalid Value For Shares."),
                             QStringLiteral("Shares Cannot Be Less Than 0."),
                             tooLargeLine(QStringLiteral("Shares"))));
    add(lines,
        amountProblem(in.Price, QStringLiteral("Invalid Value For Price."),
                      QStringLiteral("Price Cannot Be Less Than 0."), tooLargeLine(QStringLiteral("Price"))));
    add(lines,
        amountProblem(in.Fee, QStringLiteral("Invalid Value For Fee."),
                      QStringLiteral("Fee Cannot Be Less Than 0."), tooLargeLine(QStringLiteral("Fee"))));
    return lines;
}

QStringList DividendProblems(const TDividendInput &in)
{
    QStringList lines;
    symbolAndDate(in.Symbol, in.Date, lines);
    add(lines, amountProblem(in.Amount, QStringLiteral("Invalid Value For Dividend"),
                             QStringLiteral("Dividend Cannot Be Less Than 0."),
                             tooLargeLine(QStringLiteral("Dividend"))));
    return lines;
}

void InputToTransaction(const TTransInput &in, TTransRecord &rec)
{
    rec.Symbol = in.Symbol;
    rec.Date = DisplayToStoredDate(in.Date);
    const double shares = number(in.Shares);
    rec.Shares = in.Sold ? -shares : shares;
    rec.Price = number(in.Price);
    rec.Fee = number(in.Fee);
}

TTransInput TransactionToInput(const TTransRecord &rec)
{
    TTransInput in;
    in.Symbol = rec.Symbol.text();
    in.Date = ConvertDate(kFormYYYYMMDD, kFormMM_DD_YYYY, rec.Date.text());
    in.Shares = GeneralText(std::fabs(rec.Shares));
    in.Price = GeneralText(rec.Price);
    in.Fee = GeneralText(rec.Fee);
    in.Sold = rec.Shares < 0;
    return in;
}

void InputToDividend(const TDividendInput &in, TTransRecord &rec)
{
    rec.Symbol = in.Symbol;
    rec.Date = DisplayToStoredDate(in.Date);
    const double amount = number(in.Amount);
    rec.Price = in.Distributed ? -amount : amount;
    rec.Shares = 0;
    rec.Fee = 0;
}

TDividendInput DividendToInput(const TTransRecord &rec)
{
    TDividendInput in;
    in.Symbol = rec.Symbol.text();
    in.Date = ConvertDate(kFormYYYYMMDD, kFormMM_DD_YYYY, rec.Date.text());
    in.Amount = GeneralText(std::fabs(rec.Price));
    in.Distributed = rec.Price < 0;
    return in;
}

QString TransactionTotalText(const TTransInput &in)
{
    const double shares = number(in.Shares);
    const double value = shares * number(in.Price);
    const double total = (in.Sold ? value : -value) - number(in.Fee);
    return MoneyText(total, 2);
}

double TransactionTotal(const TTransRecord &rec)
{
    return -rec.Shares * rec.Price - rec.Fee;
}

TSaveOutcome AddRecord(TTransBase &file, TTransRecord &rec)
{
    if (!file.IsOpen())
        return TSaveOutcome::Failed;
    if (file.Insert(rec))
        return TSaveOutcome::Saved;
    return (file.Status() & IoError) || !file.IsOpen() ? TSaveOutcome::Failed : TSaveOutcome::AlreadyOnFile;
}

TSaveOutcome EditRecord(TTransBase &file, int index, const TTransRecord &original, TTransRecord edited)
{
    if (!file.IsOpen() || index < 0 || index > file.LastIndex() || file.RecordCount() == 0)
        return TSaveOutcome::Failed;
    const bool moved =
        edited.Symbol.bytes() != original.Symbol.bytes() || edited.Date.bytes() != original.Date.bytes();
    if (!moved) {
        TTransRecord stored;
        file.ReadAt(stored, index);
        if (file.Status() & IoError)
            return TSaveOutcome::Failed;
        file.WriteCurrent(edited);
        return file.Status() & IoError ? TSaveOutcome::Failed : TSaveOutcome::Saved;
    }
    const int before = file.RecordCount();
    file.Delete(index);
    if (file.RecordCount() == before)
        return TSaveOutcome::Failed;
    if (file.Insert(edited))
        return TSaveOutcome::Saved;
    TTransRecord back = original;
    file.Insert(back);
    return TSaveOutcome::AlreadyOnFile;
}

int ClampedIndex(const TTransBase &file, int index)
{
    if (file.RecordCount() == 0)
        return -1;
    return std::clamp(index, 0, file.LastIndex());
}
