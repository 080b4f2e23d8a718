#include "platform/TemporaryFiles.h"

#include "platform/FileSystem.h"

#include <QCryptographicHash>
#include <QList>
#include <cctype>
#include <cerrno>
#include <mutex>
#include <cstdio>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace FileSystem {

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
// good, as ids are reused. 0 when there is no such process, or it cannot be looked into.
quint64 processStart(qint64 pid)
{
    const IoResult<QByteArray> read = readFile(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!read)
        return 0;
    const QByteArray &stat = *read;
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
        QByteArray id = readFile(QStringLiteral("/proc/sys/kernel/random/boot_id"), 4096).value_or(QByteArray());
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
    if (!temporary.placed || temporary.machine != machineTag() || temporary.pidNamespace != pidNamespace())
        return false;
    const quint64 start = processStart(temporary.pid);
    if (start != 0)
        return start != temporary.start; // another process has the id now
    // No process of that id to be seen: it ended, or /proc hides it (mounted with hidepid, a
    // process that may not be looked into, as one that holds passwords). One that answers a
    // signal is alive.
    return kill(pid_t(temporary.pid), 0) != 0 && errno == ESRCH;
}

} // namespace FileSystem
