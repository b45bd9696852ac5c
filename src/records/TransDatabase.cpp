#include "records/TransDatabase.h"

#include "frame/Clock.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {
constexpr int kSecondsPerDay = 24 * 60 * 60;
constexpr qint64 kMsPerDay = qint64(kSecondsPerDay) * 1000;
} // namespace

TTransBase::TTransBase(const QString &path, TOpenMode mode) : TRecordFileOf<TTransRecord>(path, mode) {}

bool TTransBase::Find(TTransRecord &rec, const TTransRecord &probe)
{
    return find(&rec, SearchKey(probe), TFindResult::Flag);
}

bool TTransBase::Insert(TTransRecord &rec)
{
    if (!IsOpen())
        return false;
    rec.EntryTime = ToDateTime(Clock::Now());
    // Two records of one symbol and trade date entered within the same second
    // would share the full key, and the second would be lost (an import of
    // several trades of one day, a quick second entry). It takes the next
    // free second instead; only a file that cannot be changed refuses it.
    // The engine's search looks at one record of the search key, so the
    // taken seconds are gathered from all records of that key first.
    const QSet<QByteArray> taken = fullKeysLike(rec);
    for (int second = 0; second < kSecondsPerDay && taken.contains(FullKey(rec)); ++second)
        rec.EntryTime = NextSecond(rec.EntryTime);
    return insert(&rec, TDuplicate::Refuse);
}

QSet<QByteArray> TTransBase::fullKeysLike(const TTransRecord &rec)
{
    QSet<QByteArray> keys;
    TTransRecord work;
    if (RecordCount() == 0 || !find(&work, SearchKey(rec), TFindResult::Boolean))
        return keys;
    const QByteArray wanted = SearchKey(rec);
    const int found = CurrentIndex();
    for (int i = found; i >= 0; --i) {
        ReadAt(work, i);
        if ((Status() & IoError) || SearchKey(work) != wanted)
            break;
        keys.insert(FullKey(work));
    }
    for (int i = found + 1; i <= LastIndex(); ++i) {
        ReadAt(work, i);
        if ((Status() & IoError) || SearchKey(work) != wanted)
            break;
        keys.insert(FullKey(work));
    }
    return keys;
}

double TTransBase::NextSecond(double dateTime)
{
    return dateTime + 1.0 / double(kSecondsPerDay);
}

QByteArray TTransBase::SearchKey(const TTransRecord &rec)
{
    return rec.Symbol.bytes() + rec.Date.bytes();
}

QByteArray TTransBase::FullKey(const TTransRecord &rec)
{
    return SearchKey(rec) + EntryTimeText(rec.EntryTime);
}

QByteArray TTransBase::EntryTimeText(double dateTime)
{
    // The date part does not take part; the fraction is the time of day,
    // rounded to the millisecond and then cut to whole seconds.
    double fraction = std::fabs(dateTime - std::trunc(dateTime));
    if (!std::isfinite(fraction))
        fraction = 0;
    qint64 ms = std::llround(fraction * double(kMsPerDay));
    ms = std::clamp<qint64>(ms, 0, kMsPerDay - 1);
    const qint64 s = ms / 1000;
    char text[9];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", int(s / 3600), int(s / 60 % 60), int(s % 60));
    return QByteArray(text, 8);
}

double TTransBase::ToDateTime(const QDateTime &moment)
{
    static const QDate epoch(1899, 12, 30);
    const double days = double(epoch.daysTo(moment.date()));
    const double fraction = double(moment.time().msecsSinceStartOfDay()) / double(kMsPerDay);
    // Before the epoch the fraction still counts forward from midnight, as
    // stored date-times write it.
    return days >= 0 ? days + fraction : days - fraction;
}
