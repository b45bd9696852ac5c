#pragma once
// A full disk, as the tests make one: every file of the process is held at
// `bytes` for as long as the guard lives, and SIGXFSZ is ignored so that a
// write past the limit fails instead of ending the test.

#include <QtGlobal>
#include <csignal>
#include <sys/resource.h>

class TSizeLimit
{
public:
    explicit TSizeLimit(qint64 bytes)
    {
        m_signal = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        struct rlimit limit = m_saved;
        limit.rlim_cur = rlim_t(bytes);
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~TSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_signal);
    }
    TSizeLimit(const TSizeLimit &) = delete;
    TSizeLimit &operator=(const TSizeLimit &) = delete;

private:
    struct rlimit m_saved;
    void (*m_signal)(int);
};
