#pragma once
// The program's file-system stand-ins: paths as UTF-16 text, turned into the bytes that the
// file system holds in one place, plus the textual path rules every part shares.
#include <QByteArray>
#include <QString>
#include <sys/types.h>

namespace FileSystem {

constexpr QChar Separator = u'/';

QByteArray encodePath(const QString &path);
QString decodePath(QByteArrayView bytes);

// Two paths name the same file. Linux file names are case-sensitive, so that is equality;
// pathKey is the matching hash key.
bool samePath(const QString &a, const QString &b);
QString pathKey(const QString &path);

// The file-name part: the text after the last separator.
QString fileNamePart(const QString &path);
// The folder of a path: up to its last separator, which stays only for the root; empty
// text for a bare name.
QString folderOf(const QString &path);
// The folder ending in a separator, as the program keeps folders; empty text is the root.
QString withTrailingSeparator(QString folder);
// A name in a folder, whether or not the folder ends in a separator.
QString joinPath(const QString &folder, const QString &name);
// Position of the extension's dot: the last "." after the last separator, or -1.
qsizetype extensionPosition(const QString &path);

// stat, following links.
bool isDirectoryPath(const QString &path);
bool isExistingFile(const QString &path); // exists and is not a directory
bool exists(const QString &path);
bool isSpecialFile(const QString &path);  // exists, and is neither a regular file nor a folder
qint64 fileSize(const QString &path);     // 0 when there is no such file
// What tells one state of a file from another: the file (device, inode), its size and the
// times of its last change. Equal states mean the same bytes, as far as the system can tell.
struct Identity {
    quint64 device = 0, inode = 0;
    qint64 size = -1, modified = 0, changed = 0; // times in nanoseconds
    quint64 sample = 0;                          // a digest of a few blocks of a regular file
    bool operator==(const Identity &) const = default;
};
Identity identityOf(const QString &path); // size -1 when there is no such file

// Creates the directory and every missing one above it. Returns errno, 0 on success.
int makeDirectories(const QString &path);

// Past a file-size limit (ulimit -f) a write then fails with EFBIG, as on a full disk,
// instead of the signal ending the program. Called once by each program at start.
void failWritesPastSizeLimit();

// Writes all bytes to an open descriptor. Returns errno, 0 on success.
int writeAll(int fd, const char *data, size_t size);

// Opens a file of the program's own by name (its bytes): never through a link, never waiting
// on a pipe or a device, and only a regular file (EINVAL otherwise). Returns the descriptor,
// or -1 with errno.
int openOwnFile(const QByteArray &path, int flags, mode_t mode = 0600);

// Whether the open file belongs to this user and has no other name (no hard link to it).
bool isSoleNameOfOwnFile(int fd);
// flock with a bound: tries until it has the lock or the time is up. False when it has not.
bool lockWithin(int fd, int operation, int milliseconds);

// Reads a whole regular file, opened as openOwnFile opens it, of at most maxBytes (EFBIG
// beyond). Returns errno, 0 on success; ENOENT for a missing file.
int readFile(const QString &path, QByteArray &contents, qint64 maxBytes = qint64(1) << 30);

// Creates a hidden temporary file of this program in the folder (its bytes, ending in "/"),
// readable and writable by the user alone until it is put in place. Returns the descriptor
// and sets path; -1 with errno when it cannot.
int createTemporary(const QByteArray &folder, QByteArray &path);
// The mode a new file of the user's gets: 0666 less the creation mask the program started with.
mode_t newFileMode();
// A file name that createTemporary makes, or that the program's own files are replaced
// through: ".kv-ordvane-<machine>.<pid namespace>.<pid>.<start>-XXXXXX.part", naming the
// process by this boot of the machine, its PID namespace, its id and its start time; or an
// older program's ".kv-ordvane-<pid>.<start>-XXXXXX.part" or ".kv-ordvane-XXXXXX.part".
bool isTemporaryName(QByteArrayView fileName);
// Such a name of a process that has provably ended: one of this boot and PID namespace that
// is gone. Nobody will finish or remove its file.
bool isLeftoverTemporary(QByteArrayView fileName);

// Copies from one descriptor's position to its end onto another. Returns errno, 0 on success.
int copyAll(int from, int to, qint64 &copied);

// Renames from onto to, never following a link at to. When replace is false, to must not
// exist. Returns errno, 0 on success.
int renameInto(const QByteArray &from, const QByteArray &to, bool replace);

// What holds a name, by lstat: a link, even a dangling one, is Other, whatever it leads to.
enum class Entry { None, Directory, Other };
Entry entryAt(const QString &path);

// Replaces the file with contents through a temporary file in the same directory and a
// rename, so a failure leaves the old file whole. Returns errno, 0 on success.
int replaceFile(const QString &path, QByteArrayView contents);

}
