#include "platform/FileSystem.h"

#include "base/Descriptors.h"
#include "platform/TemporaryFiles.h"

#include <QDeadlineTimer>
#include <QtEndian>
#include <algorithm>
#include <bit>
#include <cerrno>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace FileSystem {

namespace {

bool statPath(const QString &path, struct stat &info)
{
    const QByteArray bytes = encodePath(path);
    return !bytes.isEmpty() && !bytes.contains('\0') && stat(bytes.constData(), &info) == 0;
}

Identity identityOfStat(const struct stat &info)
{
    const auto nanoseconds = [](const timespec &t) { return qint64(t.tv_sec) * 1'000'000'000 + t.tv_nsec; };
    return {quint64(info.st_dev), quint64(info.st_ino), qint64(info.st_size), nanoseconds(info.st_mtim), nanoseconds(info.st_ctim), 0};
}

// The path's bytes for a system call, or empty for a path no call can take.
QByteArray callablePath(const QString &path)
{
    const QByteArray bytes = encodePath(path);
    return bytes.contains('\0') ? QByteArray() : bytes;
}

} // namespace

void failWritesPastSizeLimit()
{
    signal(SIGXFSZ, SIG_IGN);
}

int writeAll(int fd, const char *data, size_t size)
{
    return Descriptors::writeFully(fd, data, size);
}

bool isDirectoryPath(const QString &path)
{
    struct stat info{};
    return statPath(path, info) && S_ISDIR(info.st_mode);
}

bool isExistingFile(const QString &path)
{
    struct stat info{};
    return statPath(path, info) && !S_ISDIR(info.st_mode);
}

bool exists(const QString &path)
{
    struct stat info{};
    return statPath(path, info);
}

bool isSpecialFile(const QString &path)
{
    return kindOf(path) == Kind::Special;
}

Kind kindOf(const QString &path, qint64 *size)
{
    struct stat info{};
    if (!statPath(path, info))
        return Kind::None;
    if (size)
        *size = info.st_size;
    return S_ISREG(info.st_mode) ? Kind::File : S_ISDIR(info.st_mode) ? Kind::Directory : Kind::Special;
}

qint64 fileSize(const QString &path)
{
    struct stat info{};
    return statPath(path, info) && !S_ISDIR(info.st_mode) ? qint64(info.st_size) : 0;
}

namespace {

// A digest that tells one content from another, as a check of changes needs, not against
// someone who makes two contents alike on purpose: eight bytes at a time, a multiply and a
// rotation each, the same on every machine.
quint64 mix(quint64 hash, const char *data, size_t size)
{
    constexpr quint64 Prime1 = 0x87C37B91114253D5ull, Prime2 = 0x4CF5AD432745937Full;
    const auto add = [&](quint64 word) { hash = std::rotl(hash ^ (word * Prime1), 31) * Prime2; };
    size_t i = 0;
    for (; i + 8 <= size; i += 8)
        add(qFromLittleEndian<quint64>(data + i));
    quint64 tail = 0;
    for (size_t shift = 0; i < size; ++i, shift += 8)
        tail |= quint64(uchar(data[i])) << shift;
    add(tail ^ (quint64(size) << 56));
    return hash;
}

// Times can be set back, and some file systems keep them coarsely: a few blocks of the
// content, from its start, middle and end, tell a file rewritten in place all the same.
quint64 sampleOf(const QByteArray &name, qint64 size, bool followLinks)
{
    const int fd = open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | (followLinks ? 0 : O_NOFOLLOW));
    if (fd < 0)
        return 0;
    constexpr qint64 Block = 4096;
    char buffer[3 * Block];
    quint64 hash = 0x9E3779B97F4A7C15ull ^ quint64(size);
    if (size <= qint64(sizeof buffer)) { // the whole of a small file, read once
        const ssize_t got = pread(fd, buffer, sizeof buffer, 0);
        hash = mix(hash, buffer, got > 0 ? size_t(got) : 0);
    } else {
        for (const qint64 at : {qint64(0), size / 2 - Block / 2, size - Block}) {
            const ssize_t got = pread(fd, buffer, Block, at);
            hash = mix(hash, buffer, got > 0 ? size_t(got) : 0);
        }
    }
    close(fd);
    hash ^= hash >> 33; // the bits of the last words reach every bit
    hash *= 0xFF51AFD7ED558CCDull;
    hash ^= hash >> 33;
    return hash;
}

} // namespace

Writers writersOf(const QString &path)
{
    // Should a writer open the file in the moment the lease is held, the kernel signals the
    // holder (SIGIO, which would end the program) and holds the writer until it is let go.
    static const bool signalIgnored = (std::signal(SIGIO, SIG_IGN), true);
    (void)signalIgnored;
    const QByteArray bytes = callablePath(path);
    const int fd = bytes.isEmpty() ? -1 : open(bytes.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return Writers::Unknown;
    Writers writers = Writers::Unknown;
    if (fcntl(fd, F_SETLEASE, F_RDLCK) == 0) {
        fcntl(fd, F_SETLEASE, F_UNLCK);
        writers = Writers::None;
    } else if (errno == EAGAIN) {
        writers = Writers::Some;
    }
    close(fd);
    return writers;
}

Identity identityOf(const QString &path, Sampling sampling)
{
    struct stat info{};
    if (!statPath(path, info))
        return {};
    Identity identity = identityOfStat(info);
    if (sampling == Sampling::Sampled && S_ISREG(info.st_mode))
        identity.sample = sampleOf(callablePath(path), identity.size, true);
    return identity;
}

Identity entryIdentity(const QString &path, Sampling sampling)
{
    const QByteArray name = callablePath(path);
    struct stat info{};
    if (name.isEmpty() || lstat(name.constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return {};
    Identity identity = identityOfStat(info);
    if (sampling == Sampling::Sampled)
        identity.sample = sampleOf(name, identity.size, false);
    return identity;
}

int setAttribute(const QString &path, const char *name, QByteArrayView value)
{
    const QByteArray file = callablePath(path);
    if (file.isEmpty())
        return ENOENT;
    return lsetxattr(file.constData(), name, value.data(), size_t(value.size()), 0) == 0 ? 0 : errno;
}

int readAttribute(const QString &path, const char *name, QByteArray &value, int maxBytes)
{
    value.clear();
    const QByteArray file = callablePath(path);
    if (file.isEmpty())
        return ENOENT;
    QByteArray buffer(maxBytes, Qt::Uninitialized);
    const ssize_t got = lgetxattr(file.constData(), name, buffer.data(), size_t(buffer.size()));
    if (got < 0)
        return errno;
    buffer.truncate(got);
    value = buffer;
    return 0;
}

QStringList namesIn(const QString &folder)
{
    const QByteArray bytes = callablePath(folder);
    DIR *listing = bytes.isEmpty() ? nullptr : opendir(bytes.constData());
    QStringList names;
    if (!listing)
        return names;
    while (const dirent *entry = readdir(listing)) {
        const QByteArrayView name(entry->d_name);
        if (name != "." && name != "..")
            names << decodePath(name);
    }
    closedir(listing);
    return names;
}

qint64 fileModified(const QString &path, bool followLinks)
{
    struct stat info{};
    const QByteArray name = encodePath(path);
    if (name.isEmpty() || name.contains('\0') || (followLinks ? stat(name.constData(), &info) : lstat(name.constData(), &info)) != 0
        || !S_ISREG(info.st_mode))
        return -1;
    return qint64(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
}

IoResult<void> makeDirectories(const QString &path)
{
    QByteArray bytes = encodePath(path);
    while (bytes.size() > 1 && bytes.endsWith('/'))
        bytes.chop(1);
    if (bytes.isEmpty() || bytes.contains('\0'))
        return ioFailure(ENOENT, path);
    struct stat info{};
    if (stat(bytes.constData(), &info) == 0)
        return S_ISDIR(info.st_mode) ? IoResult<void>() : ioFailure(ENOTDIR, path);
    const qsizetype slash = bytes.lastIndexOf('/');
    if (slash > 0) {
        if (IoResult<void> above = makeDirectories(decodePath(bytes.left(slash))); !above)
            return above;
    }
    if (mkdir(bytes.constData(), 0777) != 0 && errno != EEXIST)
        return ioFailure(errno, path);
    return {};
}

int openOwnFile(const QByteArray &path, int flags, mode_t mode)
{
    if (path.isEmpty() || path.contains('\0')) {
        errno = ENOENT;
        return -1;
    }
    const int fd = open(path.constData(), flags | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, mode);
    if (fd < 0)
        return -1;
    struct stat info{};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        errno = EINVAL;
        return -1;
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

bool isSoleNameOfOwnFile(int fd)
{
    struct stat info{};
    return fstat(fd, &info) == 0 && info.st_nlink == 1 && info.st_uid == geteuid();
}

bool lockWithin(int fd, int operation, int milliseconds)
{
    QDeadlineTimer deadline(milliseconds);
    for (;;) {
        if (flock(fd, operation | LOCK_NB) == 0)
            return true;
        if (errno != EWOULDBLOCK && errno != EINTR)
            return false;
        if (deadline.hasExpired())
            return false;
        usleep(10'000);
    }
}

IoResult<QByteArray> readFile(const QString &path, qint64 maxBytes)
{
    const int fd = openOwnFile(encodePath(path), O_RDONLY);
    if (fd < 0)
        return ioFailure(errno, path);
    // A file too large is refused before a byte of it is read; one that grows while it is
    // read is stopped at the limit below.
    struct stat info{};
    if (fstat(fd, &info) == 0 && info.st_size > maxBytes) {
        close(fd);
        return ioFailure(EFBIG, path);
    }
    QByteArray contents;
    char buffer[65536];
    Descriptors::ReadResult result = Descriptors::ReadResult::Complete;
    int error = 0;
    while (result == Descriptors::ReadResult::Complete) {
        size_t got = 0;
        result = Descriptors::readFully(fd, buffer, sizeof buffer, got);
        if (contents.size() + qint64(got) > maxBytes) {
            error = EFBIG;
            break;
        }
        contents.append(buffer, qsizetype(got));
    }
    if (result == Descriptors::ReadResult::Failed)
        error = errno;
    close(fd);
    if (error)
        return ioFailure(error, path);
    return contents;
}

int copyAll(int from, int to, qint64 &copied)
{
    copied = 0;
    bool kernelCopy = true;
    char buffer[65536];
    for (;;) {
        ssize_t n = -1;
        if (kernelCopy) {
            n = copy_file_range(from, nullptr, to, nullptr, 1 << 30, 0);
            if (n < 0 && (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP)) {
                kernelCopy = false;
                continue;
            }
        } else {
            n = read(from, buffer, sizeof buffer);
            if (n > 0) {
                if (const int error = writeAll(to, buffer, size_t(n)))
                    return error;
            }
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return 0;
        copied += n;
    }
}

int renameInto(const QByteArray &from, const QByteArray &to, bool replace)
{
    if (replace) // rename replaces a link itself, never what it points at
        return rename(from.constData(), to.constData()) == 0 ? 0 : errno;
    if (renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // A file system without the flag: a hard link also refuses a taken name.
    if (link(from.constData(), to.constData()) != 0)
        return errno;
    unlink(from.constData());
    return 0;
}

Entry entryAt(const QString &path)
{
    const QByteArray bytes = encodePath(path);
    struct stat info{};
    if (bytes.isEmpty() || bytes.contains('\0') || lstat(bytes.constData(), &info) != 0)
        return Entry::None;
    return S_ISDIR(info.st_mode) ? Entry::Directory : Entry::Other;
}

IoResult<void> replaceFile(const QString &path, QByteArrayView contents)
{
    const QByteArray target = encodePath(path);
    if (target.contains('\0'))
        return ioFailure(EINVAL, path);
    const qsizetype slash = target.lastIndexOf('/');
    QByteArray temporary;
    const int fd = createTemporary(slash < 0 ? QByteArray("./") : target.left(slash + 1), temporary);
    if (fd < 0)
        return ioFailure(errno, path);
    // Keep the permissions of the file being replaced, if there is one.
    struct stat old{};
    fchmod(fd, stat(target.constData(), &old) == 0 ? old.st_mode & 07777 : newFileMode());
    int error = writeAll(fd, contents.data(), size_t(contents.size()));
    if (!error && fsync(fd) != 0)
        error = errno;
    if (close(fd) != 0 && !error)
        error = errno;
    if (!error && rename(temporary.constData(), target.constData()) != 0)
        error = errno;
    if (!error)
        return {};
    unlink(temporary.constData());
    return ioFailure(error, path);
}

} // namespace FileSystem
