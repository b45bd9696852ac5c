#pragma once
// The symbol file Stocks.sbl: one record per security the user follows, with
// its symbol, name and web address, in ascending order of the symbol. Symbol
// and name are stored in upper case; a second record for a stored symbol
// replaces the first.

#include "frame/CountedString.h"
#include "records/RecordFile.h"

#include <cstddef>

#pragma pack(push, 1)
struct TSymbolRecord
{
    TCountedString<7> Symbol; // the key; upper case
    TCountedString<40> Name;  // company name; upper case
    TCountedString<255> WebAddress;
};
#pragma pack(pop)

static_assert(sizeof(TSymbolRecord) == 305);
static_assert(offsetof(TSymbolRecord, Symbol) == 0);
static_assert(offsetof(TSymbolRecord, Name) == 8);
static_assert(offsetof(TSymbolRecord, WebAddress) == 49);

class TSymbolDataBase : public TRecordFileOf<TSymbolRecord>
{
public:
    explicit TSymbolDataBase(const QString &path, TOpenMode mode = TOpenMode::ReadWrite);

    // True when a record with exactly this symbol is stored (callers pass it
    // in upper case). Leaves Status alone; `rec` holds the last record
    // examined, a neighbour after a miss.
    bool Find(TSymbolRecord &rec, const QString &symbol);
    // Stores `rec` in symbol order, or over the stored record of its symbol.
    // False when it could not be written (IoError in Status).
    bool Insert(TSymbolRecord &rec) { return insert(&rec, TDuplicate::Replace); }
    // False, with IoError kept in Status, when the record could not be removed.
    bool Delete(int index)
    {
        deleteAt(index);
        if (Status() & IoError)
            return false;
        clearStatus();
        return true;
    }
    void Clear() { clear(); }

protected:
    QByteArray searchKey(const TSymbolRecord &rec) const override { return rec.Symbol.bytes(); }
    // Every write path upper-cases symbol and name and cuts them to their
    // fields; the caller's record is changed accordingly.
    void normalize(TSymbolRecord &rec) override;
};
