#include "frame/WorkspaceLock.h"

#include <QDir>

QString TWorkspaceLock::lockFileName(const QString &folder)
{
    return QDir(folder).filePath(QStringLiteral("Quorvane.lck"));
}

TWorkspaceLock::TWorkspaceLock(const QString &folder)
    : m_lock(std::make_unique<QLockFile>(lockFileName(folder)))
{
    // A running program keeps its lock however long it runs: no age makes it
    // stale. Only a lock whose process is gone is (QLockFile checks that).
    m_lock->setStaleLockTime(0);
    m_acquired = m_lock->tryLock(0);
    if (!m_acquired && m_lock->error() == QLockFile::LockFailedError) {
        // A lock file that names no process (emptied or damaged by a crash)
        // would otherwise keep the folder locked for ever.
        qint64 pid = 0;
        QString host;
        QString app;
        if (!m_lock->getLockInfo(&pid, &host, &app) && m_lock->removeStaleLockFile())
            m_acquired = m_lock->tryLock(0);
    }
}
