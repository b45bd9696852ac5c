#pragma once
// The portfolio list Port.sbl and the watch list Watch.sbl: TListRecord
// entries in ascending order of their name, a name at most once. The two
// protected text fields (a portfolio's password) are scrambled on disk and
// plain in memory; callers only ever see plain text.

#include "frame/Stockcfg.h"
#include "records/RecordFile.h"

// The fixed key of both lists.
inline constexpr char kListKey[] = "tq615kwn847rzmep;xo[vcy";

class TWatchDatabase : public TRecordFileOf<TListRecord>
{
public:
    explicit TWatchDatabase(const QString &path, TOpenMode mode = TOpenMode::ReadWrite);

    QByteArray key() const { return m_key; }

    // True when an entry with exactly this name is stored. Leaves Status
    // alone; `rec` holds the last entry examined.
    bool Find(TListRecord &rec, const QString &name);
    // Stores `rec` in name order, or over the stored entry of its name.
    void Insert(TListRecord &rec) { insert(&rec, TDuplicate::Replace); }
    // A delete the disk refused keeps its IoError for the caller to report.
    void Delete(int index)
    {
        deleteAt(index);
        if (!(Status() & IoError))
            clearStatus();
    }

protected:
    QByteArray searchKey(const TListRecord &rec) const override { return rec.Name.bytes(); }
    void afterRead(TListRecord &rec) override;
    // Scrambles a copy; the caller's record keeps its plain texts.
    const TListRecord *diskImage(const TListRecord &rec) override;

private:
    QByteArray m_key;
    TListRecord m_disk;
};
