#pragma once
// Long runs tell the progress window about every record, but repainting it
// thousands of times a second costs more than the run itself. This passes at
// most about 20 messages a second on and always the last one, so the window
// ends on the exact final text.

#include "frame/Clock.h"
#include "frame/RunTalk.h"

#include <functional>

class TProgressThrottle
{
public:
    explicit TProgressThrottle(TRunTalk &talk, qint64 intervalMs = 50) : m_talk(talk), m_interval(intervalMs)
    {
    }
    ~TProgressThrottle() { flush(); }

    void progress(const QString &message)
    {
        m_pending = message;
        m_hasPending = true;
        m_lazy = {};
        const qint64 now = Clock::TickCount();
        if (!m_shownOnce || now - m_last >= m_interval) {
            m_shownOnce = true;
            m_last = now;
            flush();
        }
    }
    // The same for a message that is costly to build: `make` runs only when
    // the message is shown, at the latest at flush().
    void progressLazy(std::function<QString()> make)
    {
        const qint64 now = Clock::TickCount();
        if (!m_shownOnce || now - m_last >= m_interval) {
            m_shownOnce = true;
            m_last = now;
            m_hasPending = false;
            m_lazy = {};
            m_talk.progress(make());
        } else {
            m_hasPending = false;
            m_lazy = std::move(make);
        }
    }
    // Shows the last message if it has not been shown yet.
    void flush()
    {
        if (m_hasPending) {
            m_hasPending = false;
            m_talk.progress(m_pending);
        } else if (m_lazy) {
            const auto make = std::move(m_lazy);
            m_lazy = {};
            m_talk.progress(make());
        }
    }

private:
    TRunTalk &m_talk;
    qint64 m_interval;
    qint64 m_last = 0;
    bool m_shownOnce = false;
    bool m_hasPending = false;
    QString m_pending;
    std::function<QString()> m_lazy;
};
