#include "frame/Clock.h"

#include <QElapsedTimer>
#include <optional>

namespace {
std::optional<QDateTime> g_pinned;
}

namespace Clock {

QDateTime Now()
{
    return g_pinned ? *g_pinned : QDateTime::currentDateTime();
}

QDate Today()
{
    return Now().date();
}

void Pin(const QDateTime &moment)
{
    g_pinned = moment;
}

void Unpin()
{
    g_pinned.reset();
}

qint64 TickCount()
{
    static QElapsedTimer timer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return timer.elapsed();
}

} // namespace Clock
