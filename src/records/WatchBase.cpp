#include "records/WatchBase.h"

#include "records/encryption.h"

#include <cstring>

namespace {

// The bytes behind a protected text's length are not significant, but they
// may still hold an earlier plain password (a shortened or cleared one):
// they are stored as zeros.
template <int N> void zeroTail(TCountedString<N> &s)
{
    std::memset(s.Chars + s.length(), 0, size_t(N - s.length()));
}

} // namespace

TWatchDatabase::TWatchDatabase(const QString &path, TOpenMode mode)
    : TRecordFileOf<TListRecord>(path, mode), m_key(kListKey)
{
}

bool TWatchDatabase::Find(TListRecord &rec, const QString &name)
{
    return find(&rec, name.toLatin1(), TFindResult::Boolean);
}

// An empty first protected text means the entry is not protected, and then
// both fields are stored as they are.
void TWatchDatabase::afterRead(TListRecord &rec)
{
    if (rec.Password.isEmpty())
        return;
    rec.Password.setBytes(Unscramble(m_key, rec.Password.bytes()).left(40));
    rec.Protected2.setBytes(Unscramble(m_key, rec.Protected2.bytes()).left(40));
}

const TListRecord *TWatchDatabase::diskImage(const TListRecord &rec)
{
    m_disk = rec;
    if (!rec.Password.isEmpty()) {
        m_disk.Password.setBytes(Scramble(m_key, rec.Password.bytes()));
        m_disk.Protected2.setBytes(Scramble(m_key, rec.Protected2.bytes()));
    }
    zeroTail(m_disk.Password);
    zeroTail(m_disk.Protected2);
    return &m_disk;
}
