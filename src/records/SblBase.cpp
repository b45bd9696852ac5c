#include "records/SblBase.h"

namespace {

template <int N> void upperCaseAndCut(TCountedString<N> &s)
{
    s.Length = uint8_t(s.length());
    for (int i = 0; i < s.length(); ++i)
        if (s.Chars[i] >= 'a' && s.Chars[i] <= 'z')
            s.Chars[i] = char(s.Chars[i] - 'a' + 'A');
}

} // namespace

TSymbolDataBase::TSymbolDataBase(const QString &path, TOpenMode mode)
    : TRecordFileOf<TSymbolRecord>(path, mode)
{
}

bool TSymbolDataBase::Find(TSymbolRecord &rec, const QString &symbol)
{
    return find(&rec, symbol.toLatin1(), TFindResult::Boolean);
}

void TSymbolDataBase::normalize(TSymbolRecord &rec)
{
    upperCaseAndCut(rec.Symbol);
    upperCaseAndCut(rec.Name);
}
