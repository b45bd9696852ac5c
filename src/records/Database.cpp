#include "records/Database.h"

#include "frame/Stockcfg.h"

#include <cmath>

namespace {

enum class TPriceField { None, High, Low, Close, Volume };

// The program's field-name table; each entry is compared upper-cased (ASCII
// letters only) with the name the caller passes.
TPriceField fieldByName(const QString &name)
{
    static const struct
    {
        const char *text;
        TPriceField field;
    } table[] = {{"Date", TPriceField::None},
                 {"High", TPriceField::High},
                 {"Low", TPriceField::Low},
                 {"Close", TPriceField::Close},
                 {"Volume", TPriceField::Volume}};
    for (const auto &entry : table) {
        QByteArray upper(entry.text);
        for (char &c : upper)
            if (c >= 'a' && c <= 'z')
                c = char(c - 'a' + 'A');
        if (name == QLatin1String(upper))
            return entry.field;
    }
    return TPriceField::None;
}

double valueOf(const TPriceRecord &rec, TPriceField field)
{
    switch (field) {
    case TPriceField::High:
        return rec.High;
    case TPriceField::Low:
        return rec.Low;
    case TPriceField::Close:
        return rec.Close;
    case TPriceField::Volume:
        return double(rec.Volume);
    case TPriceField::None:
        break;
    }
    return 0.0;
}

} // namespace

void ApplyPriceRule(TPriceRecord &rec)
{
    if (!(rec.High >= rec.Low))
        rec.High = rec.Close;
    if (rec.Low <= 0.001)
        rec.Low = rec.Close;
}

double PriceFieldValue(const TPriceRecord &rec, const QString &field)
{
    return valueOf(rec, fieldByName(field));
}

TDataBase::TDataBase(const QString &path, TOpenMode mode) : TRecordFileOf<TPriceRecord>(path, mode) {}

bool TDataBase::Find(TPriceRecord &rec, const QString &date)
{
    return find(&rec, date.toLatin1(), TFindResult::Flag);
}

void TDataBase::readWindowStart(TPriceRecord &rec)
{
    // Reloads Stocks.cfg, so a changed statistics option counts at once.
    const TStatisticsOptions options = GetStatisticsOptions();
    const int n = std::max(1, int(options.RecordCount));
    if (options.LimitRecords && n < LastIndex())
        ReadAt(rec, LastIndex() - n);
    else
        First(rec);
}

double TDataBase::StartValue(const QString &field)
{
    TPriceRecord rec; // an empty file reads nothing and yields 0
    readWindowStart(rec);
    return PriceFieldValue(rec, field);
}

double TDataBase::ValueBack(const QString &field, int n)
{
    TPriceRecord rec;
    ReadAt(rec, LastIndex() - n);
    return PriceFieldValue(rec, field);
}

double TDataBase::extreme(const QString &field, bool highest)
{
    const TPriceField f = fieldByName(field);
    TPriceRecord rec;
    readWindowStart(rec);
    double result = valueOf(rec, f);
    if (!IsOpen())
        return result;
    // The window is read in blocks rather than record by record; the result
    // and the final position (the last record, read again at the boundary)
    // are those of stepping through it with Next.
    if (CurrentIndex() < LastIndex()) {
        const bool whole = scan(CurrentIndex() + 1, LastIndex(), &rec, [&](const void *r) {
            const double v = valueOf(*static_cast<const TPriceRecord *>(r), f);
            if (highest ? v > result : v < result)
                result = v;
        });
        if (!whole)
            return result;
    }
    Next(rec);
    return result;
}

double TDataBase::Lowest(const QString &field)
{
    return extreme(field, false);
}

double TDataBase::Highest(const QString &field)
{
    return extreme(field, true);
}

// Sum over the window LastIndex - skip - count .. LastIndex - skip - 1, of
// the values or of their squared distances from `mean`. Positions outside
// the file (a window reaching past the first record) read nothing and are
// not counted, so a short history averages what it has instead of mixing in
// zeros or a stale record.
double TDataBase::windowSum(const QString &field, int skip, int count, double mean, bool squares, int *read)
{
    const TPriceField f = fieldByName(field);
    const qint64 start = qint64(LastIndex()) - skip - count;
    const qint64 from = std::max<qint64>(start, 0);
    const qint64 to = std::min<qint64>(start + count - 1, LastIndex());
    double sum = 0.0;
    *read = 0;
    if (from > to)
        return sum;
    TPriceRecord rec;
    scan(int(from), int(to), &rec, [&](const void *r) {
        const double v = valueOf(*static_cast<const TPriceRecord *>(r), f);
        sum += squares ? (v - mean) * (v - mean) : v;
        ++*read;
    });
    return sum;
}

double TDataBase::Average(const QString &field, int skip, int count)
{
    if (count <= 0 || !IsOpen())
        return 0.0;
    int read = 0;
    const double sum = windowSum(field, skip, count, 0.0, false, &read);
    return read > 0 ? sum / read : 0.0;
}

double TDataBase::StdDev(const QString &field, int skip, int count)
{
    if (count <= 0 || !IsOpen())
        return 0.0;
    const double mean = Average(field, skip, count);
    int read = 0;
    const double sum = windowSum(field, skip, count, mean, true, &read);
    return read > 0 ? std::sqrt(sum / read) : 0.0;
}
