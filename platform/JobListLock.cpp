#include "platform/JobListLock.h"

#include "platform/FileSystem.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A plain file of its own opened by name: never through a link, never blocking on a pipe,
// never a second name of somebody else's file, never a file another user made (in a program
// folder others may write to, that user's lock would keep this one out).
int openLockFile(const QByteArray &name)
{
    const int fd = FileSystem::openOwnFile(name, O_RDWR | O_CREAT);
    if (fd >= 0 && !FileSystem::isSoleNameOfOwnFile(fd)) {
        close(fd);
        return -1;
    }
    return fd;
}

} // namespace

JobListLock::JobListLock(const QString &jobFilePath) : lockPath(jobFilePath + QStringLiteral(".lock")) {}

JobListLock::~JobListLock()
{
    if (fd < 0)
        return;
    // Removed while still held, so that nobody locks a file that is on its way out.
    unlink(FileSystem::encodePath(lockPath).constData());
    close(fd);
}

JobListLock::Result JobListLock::tryLock()
{
    if (fd >= 0)
        return Result::Locked;
    const QByteArray name = FileSystem::encodePath(lockPath);
    if (name.contains('\0'))
        return Result::Unavailable;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const int candidate = openLockFile(name);
        if (candidate < 0)
            return Result::Unavailable;
        if (flock(candidate, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            close(candidate);
            return error == EWOULDBLOCK ? Result::HeldByOther : Result::Unavailable;
        }
        // The holder before us may have removed the file between our open and our lock: the
        // lock is ours only if the name still leads to the file we locked.
        struct stat locked{}, named{};
        if (fstat(candidate, &locked) == 0 && lstat(name.constData(), &named) == 0 && locked.st_dev == named.st_dev
            && locked.st_ino == named.st_ino) {
            fd = candidate;
            const QByteArray pid = QByteArray::number(qint64(getpid())) + '\n';
            if (ftruncate(fd, 0) == 0) // the holder's pid only informs whoever looks at the file
                (void)FileSystem::writeAll(fd, pid.constData(), size_t(pid.size()));
            return Result::Locked;
        }
        close(candidate);
    }
    return Result::Unavailable;
}

qint64 JobListLock::holder() const
{
    const IoResult<QByteArray> text = FileSystem::readFile(lockPath, 64);
    return text ? text->trimmed().toLongLong() : 0;
}
