#pragma once
// One program per workspace. Two programs on one base folder would both shift
// the same record files under each other, so the first takes a lock file in
// the folder for as long as it runs and a second start is refused. The lock
// of a program that crashed is taken over: the lock file names the process,
// and a process that no longer runs holds nothing.

#include <QLockFile>
#include <QString>
#include <memory>

inline const QString kAlreadyRunningText = QStringLiteral("The Quorvane Is Already Running In This Folder.");

class TWorkspaceLock
{
public:
    explicit TWorkspaceLock(const QString &folder);
    // False when another running program holds the folder (or the lock file
    // cannot be written at all).
    bool acquired() const { return m_acquired; }
    static QString lockFileName(const QString &folder);

private:
    std::unique_ptr<QLockFile> m_lock;
    bool m_acquired = false;
};
