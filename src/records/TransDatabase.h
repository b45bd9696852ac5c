#pragma once
// A portfolio's transaction file (.tra) and dividend file (.div): 64-byte
// records ordered by symbol, trade date and the time of day at which each
// record was inserted, which the insert stamps into the record itself.

#include "frame/CountedString.h"
#include "records/RecordFile.h"

#include <QDateTime>
#include <QSet>
#include <cstddef>
#include <cstdint>
#include <functional>

#pragma pack(push, 1)
struct TTransRecord
{
    TCountedString<7> Symbol;
    TCountedString<10> Date; // trade date "YYYYMMDD"
    uint8_t Reserved1[5] = {};
    double EntryTime = 0; // days since 1899-12-30; set by Insert
    double Shares = 0;    // bought > 0, sold < 0; unused by dividends
    double Price = 0;     // per share; a dividend's amount
    double Fee = 0;       // unused by dividends
    int32_t SecurityCode = 0;
    uint8_t Reserved2[4] = {};
};
#pragma pack(pop)

static_assert(sizeof(TTransRecord) == 64);
static_assert(offsetof(TTransRecord, Symbol) == 0);
static_assert(offsetof(TTransRecord, Date) == 8);
static_assert(offsetof(TTransRecord, Reserved1) == 19);
static_assert(offsetof(TTransRecord, EntryTime) == 24);
static_assert(offsetof(TTransRecord, Shares) == 32);
static_assert(offsetof(TTransRecord, Price) == 40);
static_assert(offsetof(TTransRecord, Fee) == 48);
static_assert(offsetof(TTransRecord, SecurityCode) == 56);
static_assert(offsetof(TTransRecord, Reserved2) == 60);

class TTransBase : public TRecordFileOf<TTransRecord>
{
public:
    explicit TTransBase(const QString &path, TOpenMode mode = TOpenMode::ReadWrite);

    // Searches for the symbol and trade date of `probe`; adds NotFound to
    // Status when no record has them.
    bool Find(TTransRecord &rec, const TTransRecord &probe);
    // Stamps the entry time of `rec` with the current moment (the caller's
    // record shows it afterwards), then inserts by the full key. When that
    // key is taken, the next free second is stamped. Returns `added`: false
    // only when the file could not take the record.
    bool Insert(TTransRecord &rec);
    void Insert(TTransRecord &rec, bool &added) { added = Insert(rec); }
    void Clear() { clear(); }
    // Hands every record, first to last, to `visit`, reading a block at a
    // time. False when a read failed (IoError is then in Status).
    bool ScanAll(const std::function<void(const TTransRecord &)> &visit)
    {
        if (RecordCount() == 0)
            return IsOpen();
        TTransRecord rec;
        return scan(0, LastIndex(), &rec,
                    [&visit](const void *r) { visit(*static_cast<const TTransRecord *>(r)); });
    }

    // Symbol followed directly by the trade date.
    static QByteArray SearchKey(const TTransRecord &rec);
    // The search key followed by the entry time's time of day, "HH:mm:ss".
    static QByteArray FullKey(const TTransRecord &rec);
    // The time of day of a stored date-time, 24-hour and zero-padded, so that
    // text order is time order.
    static QByteArray EntryTimeText(double dateTime);
    static double ToDateTime(const QDateTime &moment);
    // The stored date-time one second later.
    static double NextSecond(double dateTime);

protected:
    // The full keys of every stored record with the search key of `rec`.
    QSet<QByteArray> fullKeysLike(const TTransRecord &rec);
    QByteArray searchKey(const TTransRecord &rec) const override { return SearchKey(rec); }
    QByteArray orderKey(const TTransRecord &rec) const override { return FullKey(rec); }
};
