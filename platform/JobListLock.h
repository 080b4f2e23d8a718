#pragma once
// The lock on a job list: an advisory lock held on "<job file>.lock" for as long as its holder
// lives. The kernel lets it go when the holder ends, however it ends, so a lock never goes
// stale, whatever process id the file names. The file names the holder for messages only.
#include <QString>

class JobListLock {
public:
    enum class Result { Locked, HeldByOther, Unavailable };

    explicit JobListLock(const QString &jobFilePath);
    ~JobListLock(); // lets go, and removes the file
    JobListLock(const JobListLock &) = delete;
    JobListLock &operator=(const JobListLock &) = delete;

    // Unavailable: the lock file cannot be made or is not a plain file of ours (a folder
    // nobody may write to, a link or a pipe in its place).
    Result tryLock();
    // The process that holds the lock, as its file names it; 0 when unknown.
    qint64 holder() const;
    QString path() const { return lockPath; }

private:
    QString lockPath;
    int fd = -1;
};
