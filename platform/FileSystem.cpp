#include "platform/FileSystem.h"

#include "base/Descriptors.h"
#include "base/PathCodec.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QList>
#include <QtEndian>
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace FileSystem {

QByteArray encodePath(const QString &path)
{
    const std::string bytes = PathCodec::encode(std::u16string_view(reinterpret_cast<const char16_t *>(path.utf16()), size_t(path.size())));
    return QByteArray(bytes.data(), qsizetype(bytes.size()));
}

QString decodePath(QByteArrayView bytes)
{
    const std::u16string text = PathCodec::decode(std::string_view(bytes.data(), size_t(bytes.size())));
    return QString(reinterpret_cast<const QChar *>(text.data()), qsizetype(text.size()));
}

bool samePath(const QString &a, const QString &b)
{
    return a == b;
}

QString pathKey(const QString &path)
{
    return path;
}

QString fileNamePart(const QString &path)
{
    return path.mid(path.lastIndexOf(Separator) + 1);
}

QString folderOf(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(Separator);
    if (slash < 0)
        return {};
    return slash == 0 ? QString(Separator) : path.left(slash);
}

QString withTrailingSeparator(QString folder)
{
    if (!folder.endsWith(Separator))
        folder += Separator;
    return folder;
}

QString joinPath(const QString &folder, const QString &name)
{
    return withTrailingSeparator(folder) + name;
}

qsizetype extensionPosition(const QString &path)
{
    const qsizetype dot = path.lastIndexOf(u'.');
    return dot > path.lastIndexOf(Separator) ? dot : -1;
}

namespace {

bool statPath(const QString &path, struct stat &info)
{
    const QByteArray bytes = encodePath(path);
    return !bytes.isEmpty() && !bytes.contains('\0') && stat(bytes.constData(), &info) == 0;
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
    struct stat info{};
    return statPath(path, info) && !S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode);
}

qint64 fileSize(const QString &path)
{
    struct stat info{};
    return statPath(path, info) && !S_ISDIR(info.st_mode) ? qint64(info.st_size) : 0;
}

Identity identityOf(const QString &path)
{
    struct stat info{};
    if (!statPath(path, info))
        return {};
    const auto nanoseconds = [](const timespec &t) { return qint64(t.tv_sec) * 1'000'000'000 + t.tv_nsec; };
    Identity identity{quint64(info.st_dev), quint64(info.st_ino), qint64(info.st_size), nanoseconds(info.st_mtim),
                      nanoseconds(info.st_ctim), 0};
    // Times can be set back, and some file systems keep them coarsely: a few blocks of the
    // content, from its start, middle and end, tell a file rewritten in place all the same.
    const QByteArray name = encodePath(path);
    const int fd = S_ISREG(info.st_mode) && !name.contains('\0') ? open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC) : -1;
    if (fd >= 0) {
        constexpr qint64 Block = 4096;
        QCryptographicHash digest(QCryptographicHash::Sha1);
        char buffer[Block];
        for (const qint64 at : {qint64(0), std::max<qint64>(0, info.st_size / 2 - Block / 2), std::max<qint64>(0, info.st_size - Block)}) {
            const ssize_t got = pread(fd, buffer, Block, at);
            digest.addData(QByteArrayView(buffer, got > 0 ? qsizetype(got) : 0));
        }
        close(fd);
        identity.sample = qFromLittleEndian<quint64>(digest.result().constData());
    }
    return identity;
}

int makeDirectories(const QString &path)
{
    QByteArray bytes = encodePath(path);
    while (bytes.size() > 1 && bytes.endsWith('/'))
        bytes.chop(1);
    if (bytes.isEmpty() || bytes.contains('\0'))
        return ENOENT;
    struct stat info{};
    if (stat(bytes.constData(), &info) == 0)
        return S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
    const qsizetype slash = bytes.lastIndexOf('/');
    if (slash > 0) {
        if (const int error = makeDirectories(decodePath(bytes.left(slash))))
            return error;
    }
    if (mkdir(bytes.constData(), 0777) != 0 && errno != EEXIST)
        return errno;
    return 0;
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

int readFile(const QString &path, QByteArray &contents, qint64 maxBytes)
{
    contents.clear();
    const int fd = openOwnFile(encodePath(path), O_RDONLY);
    if (fd < 0)
        return errno;
    // A file too large is refused before a byte of it is read; one that grows while it is
    // read is stopped at the limit below.
    struct stat info{};
    if (fstat(fd, &info) == 0 && info.st_size > maxBytes) {
        close(fd);
        return EFBIG;
    }
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
        contents.clear();
    return error;
}

namespace {

constexpr char TemporaryPrefix[] = ".kv-ordvane-";
constexpr char TemporarySuffix[] = ".part";

// The file-creation mask the program started with, which it never changes. umask() tells the
// mask only by setting another, and meanwhile other threads would create files and folders
// unmasked; the kernel's status file tells it without that.
mode_t maskAtStart()
{
    if (FILE *status = fopen("/proc/self/status", "re")) {
        char line[256];
        unsigned mask = 0;
        bool found = false;
        while (!found && fgets(line, sizeof line, status))
            found = sscanf(line, "Umask: %o", &mask) == 1;
        fclose(status);
        if (found)
            return mode_t(mask);
    }
    const mode_t mask = umask(0);
    umask(mask);
    return mask;
}

} // namespace

mode_t newFileMode()
{
    static const mode_t mode = 0666 & ~maskAtStart();
    return mode;
}

namespace {
// Where there is no status file, umask() is asked while the process has one thread.
[[maybe_unused]] const mode_t newFileModeBeforeMain = newFileMode();
}

namespace {

// When a process started, in clock ticks since boot: with its id, it names the process for
// good, as ids are reused. 0 when there is no such process.
quint64 processStart(qint64 pid)
{
    QByteArray stat;
    if (readFile(QStringLiteral("/proc/%1/stat").arg(pid), stat) != 0)
        return 0;
    // The fields after the command (which may hold anything but ends in the last ')'); the
    // start time is the 22nd field of the line, the 20th of these.
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    return fields.size() > 19 ? fields[19].toULongLong() : 0;
}

// This boot of this machine: the first eight hex digits of the kernel's boot id, which every
// container and process of the machine shares until it boots again, and no other machine has.
QByteArray machineTag()
{
    static const QByteArray tag = [] {
        QByteArray id;
        readFile(QStringLiteral("/proc/sys/kernel/random/boot_id"), id, 4096);
        id = id.trimmed().replace('-', "").toLower();
        if (id.size() >= 8 && std::all_of(id.begin(), id.begin() + 8, [](char c) { return std::isxdigit(uchar(c)); }))
            return id.left(8);
        char host[256] = {};
        gethostname(host, sizeof host - 1);
        return QCryptographicHash::hash(QByteArray(host) + "-no-boot-id", QCryptographicHash::Sha1).toHex().left(8);
    }();
    return tag;
}

// The PID namespace of this process: process ids mean something only within it.
quint64 pidNamespace()
{
    struct stat info{};
    return stat("/proc/self/ns/pid", &info) == 0 ? quint64(info.st_ino) : 0;
}

// "<machine>.<pid namespace>.<pid>.<start>-" of this process, which its temporary files carry;
// made again in a child after fork.
QByteArray processTag()
{
    static std::mutex mutex;
    static pid_t taggedProcess = 0;
    static QByteArray tag;
    std::lock_guard lock(mutex);
    if (taggedProcess != getpid()) {
        taggedProcess = getpid();
        tag = machineTag() + '.' + QByteArray::number(pidNamespace()) + '.' + QByteArray::number(qint64(taggedProcess))
            + '.' + QByteArray::number(processStart(taggedProcess)) + '-';
    }
    return tag;
}

} // namespace

int createTemporary(const QByteArray &folder, QByteArray &path)
{
    path = folder + TemporaryPrefix + processTag() + "XXXXXX" + TemporarySuffix;
    const int fd = mkostemps(path.data(), int(sizeof TemporarySuffix - 1), O_CLOEXEC);
    if (fd < 0) {
        path.clear();
        return -1;
    }
    return fd;
}

namespace {

// What a temporary file's name tells: whether it is one, and of which process. Only this
// program's present form names the machine and the PID namespace; older programs' forms are
// known by name, and their files never taken for leftovers, as nothing tells where their
// process ran.
struct TemporaryName {
    bool valid = false;
    bool placed = false; // the machine and namespace are known
    QByteArray machine;
    quint64 pidNamespace = 0;
    qint64 pid = -1;
    quint64 start = 0;
};

TemporaryName parseTemporaryName(QByteArrayView name)
{
    constexpr qsizetype prefix = sizeof TemporaryPrefix - 1, suffix = sizeof TemporarySuffix - 1;
    if (name.size() < prefix + 6 + suffix || !name.startsWith(TemporaryPrefix) || !name.endsWith(TemporarySuffix))
        return {};
    const QByteArrayView middle = name.sliced(prefix, name.size() - prefix - suffix);
    // mkostemps fills the X's with letters and digits.
    const QByteArrayView unique = middle.last(6);
    if (!std::all_of(unique.begin(), unique.end(), [](char c) { return std::isalnum(uchar(c)); }))
        return {};
    TemporaryName older;
    older.valid = true;
    if (middle.size() == 6)
        return older;
    if (middle.size() < 8 || middle[middle.size() - 7] != '-')
        return {};
    const QList<QByteArray> fields = middle.first(middle.size() - 7).toByteArray().split('.');
    const auto digits = [](const QByteArray &text) {
        return !text.isEmpty() && text.size() <= 20 && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (fields.size() == 2 && digits(fields[0]) && digits(fields[1]))
        return older;
    if (fields.size() != 4 || fields[0].size() != 8
        || !std::all_of(fields[0].begin(), fields[0].end(), [](char c) { return std::isxdigit(uchar(c)) && !std::isupper(uchar(c)); })
        || !digits(fields[1]) || !digits(fields[2]) || !digits(fields[3]))
        return {};
    return {true, true, fields[0], fields[1].toULongLong(), fields[2].toLongLong(), fields[3].toULongLong()};
}

} // namespace

bool isTemporaryName(QByteArrayView name)
{
    return parseTemporaryName(name).valid;
}

bool isLeftoverTemporary(QByteArrayView name)
{
    // Only a process of this boot and PID namespace can be seen to have ended: elsewhere its id
    // means another process or none, and not seeing it says nothing.
    const TemporaryName temporary = parseTemporaryName(name);
    return temporary.placed && temporary.machine == machineTag() && temporary.pidNamespace == pidNamespace()
        && processStart(temporary.pid) != temporary.start;
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

int replaceFile(const QString &path, QByteArrayView contents)
{
    const QByteArray target = encodePath(path);
    if (target.contains('\0'))
        return EINVAL;
    const qsizetype slash = target.lastIndexOf('/');
    QByteArray temporary;
    const int fd = createTemporary(slash < 0 ? QByteArray("./") : target.left(slash + 1), temporary);
    if (fd < 0)
        return errno;
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
    if (error)
        unlink(temporary.constData());
    return error;
}

} // namespace FileSystem
