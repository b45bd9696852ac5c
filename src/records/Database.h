#pragma once
// The price history of one security, <data folder><symbol>.stk: one 48-byte
// record per trading day in ascending date order, one record per date, and
// the statistics the expression language asks of it.

#include "frame/CountedString.h"
#include "records/RecordFile.h"

#include <cstddef>
#include <cstdint>
#include <functional>

#pragma pack(push, 1)
struct TPriceRecord
{
    TCountedString<10> Date;   // stored date text "YYYYMMDD"; the key
    uint8_t Reserved1[5] = {}; // written as the caller left it
    double High = 0;
    double Low = 0;
    double Close = 0;
    int32_t Volume = 0;
    uint8_t Reserved2[4] = {};
};
#pragma pack(pop)

static_assert(sizeof(TPriceRecord) == 48);
static_assert(offsetof(TPriceRecord, Date) == 0);
static_assert(offsetof(TPriceRecord, Reserved1) == 11);
static_assert(offsetof(TPriceRecord, High) == 16);
static_assert(offsetof(TPriceRecord, Low) == 24);
static_assert(offsetof(TPriceRecord, Close) == 32);
static_assert(offsetof(TPriceRecord, Volume) == 40);
static_assert(offsetof(TPriceRecord, Reserved2) == 44);

// The correction every price record gets on its way to and from the file:
// a high below the low becomes the close, then a low of 0.001 or less
// becomes the close.
void ApplyPriceRule(TPriceRecord &rec);

// The value of a field named by the upper-case form of "High", "Low",
// "Close" or "Volume"; 0 for any other name.
double PriceFieldValue(const TPriceRecord &rec, const QString &field);

class TDataBase : public TRecordFileOf<TPriceRecord>
{
public:
    explicit TDataBase(const QString &path, TOpenMode mode = TOpenMode::ReadWrite);

    // Adds NotFound to Status when no record carries exactly this date.
    bool Find(TPriceRecord &rec, const QString &date);
    // Returns `added`: false when the date is already on file.
    bool Insert(TPriceRecord &rec) { return insert(&rec, TDuplicate::Refuse); }
    void Insert(TPriceRecord &rec, bool &added) { added = Insert(rec); }

    void Prior(TPriceRecord &rec, int n = 1) { prior(&rec, n); }
    void Last(TPriceRecord &rec) { last(&rec); }
    void DeleteThrough(int index) { deleteThrough(index); }
    // Hands records from..to (within the file), as ReadAt delivers them, to
    // `visit`, reading a block at a time: the long runs read whole histories
    // and a read per record would cost more than their work. False when a
    // read failed (IoError is then in Status).
    bool ScanRange(int from, int to, const std::function<void(const TPriceRecord &)> &visit)
    {
        if (from > to)
            return IsOpen();
        TPriceRecord rec;
        return scan(from, to, &rec,
                    [&visit](const void *r) { visit(*static_cast<const TPriceRecord *>(r)); });
    }
    void Clear() { clear(); }

    // Statistics. Each one moves CurrentIndex and changes Status; a caller
    // that needs its own position reads it again afterwards. The window of
    // StartValue, Lowest and Highest follows the statistics options of the
    // configuration (the last N + 1 records when limited, else the file).
    double StartValue(const QString &field);
    double ValueBack(const QString &field, int n);
    double LastValue(const QString &field) { return ValueBack(field, 0); }
    double Average(const QString &field, int skip, int count);
    double StdDev(const QString &field, int skip, int count);
    double Lowest(const QString &field);
    double Highest(const QString &field);

protected:
    QByteArray searchKey(const TPriceRecord &rec) const override { return rec.Date.bytes(); }
    void normalize(TPriceRecord &rec) override { ApplyPriceRule(rec); }
    void afterRead(TPriceRecord &rec) override { ApplyPriceRule(rec); }

private:
    void readWindowStart(TPriceRecord &rec);
    double extreme(const QString &field, bool highest);
    double windowSum(const QString &field, int skip, int count, double mean, bool squares, int *read);
};
