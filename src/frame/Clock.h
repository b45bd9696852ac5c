#pragma once
// The one source of "today" and "now" for the whole program, so that tests can
// pin the date and time and every date rule can be checked on a known day.

#include <QDate>
#include <QDateTime>

namespace Clock {
QDateTime Now();
QDate Today();
// Pins Now() to the given moment until Unpin(); the pinned time does not run.
void Pin(const QDateTime &moment);
void Unpin();
// Milliseconds from an arbitrary start, for the program's timed waits.
qint64 TickCount();
} // namespace Clock
