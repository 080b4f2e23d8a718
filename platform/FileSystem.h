#pragma once
// The program's file-system stand-ins: what is at a path, and reading and writing files of
// the program's own without being led elsewhere by links, pipes or second names.
#include "platform/IoError.h"
#include "platform/Paths.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <sys/types.h>

namespace FileSystem {

// stat, following links.
bool isDirectoryPath(const QString &path);
bool isExistingFile(const QString &path); // exists and is not a directory
bool exists(const QString &path);
bool isSpecialFile(const QString &path);  // exists, and is neither a regular file nor a folder
// What is at a path, in one look; size: a file's size.
enum class Kind { None, File, Directory, Special };
Kind kindOf(const QString &path, qint64 *size = nullptr);
qint64 fileSize(const QString &path);     // 0 when there is no such file
// What tells one state of a file from another: the file (device, inode), its size and the
// times of its last change. Equal states mean the same bytes, as far as the system can tell.
struct Identity {
    quint64 device = 0, inode = 0;
    qint64 size = -1, modified = 0, changed = 0; // times in nanoseconds
    quint64 sample = 0;                          // a digest of a few blocks of a regular file
    bool operator==(const Identity &) const = default;
};
// Size -1 when there is no such file. Unsampled: without the digest, which costs a few reads.
// Whether some process has the regular file open for writing, as far as the kernel tells its
// owner (a read lease is refused then); Unknown where it does not: another user's file, a
// file system without leases.
enum class Writers { None, Some, Unknown };
Writers writersOf(const QString &path);

enum class Sampling { Sampled, Unsampled };
Identity identityOf(const QString &path, Sampling sampling = Sampling::Sampled);
// The state of the entry itself, by lstat: a regular file's size and times; size -1 for
// anything else (none, a folder, a link).
Identity entryIdentity(const QString &path, Sampling sampling = Sampling::Unsampled);
// When a regular file was last changed, in nanoseconds; -1 for anything else (none, a folder,
// a device, and a link unless followLinks).
qint64 fileModified(const QString &path, bool followLinks);

// Creates the directory and every missing one above it.
IoResult<void> makeDirectories(const QString &path);

// Past a file-size limit (ulimit -f) a write then fails with EFBIG, as on a full disk,
// instead of the signal ending the program. Called once by each program at start.
void failWritesPastSizeLimit();

// Writes all bytes to an open descriptor. Returns errno, 0 on success.
[[nodiscard]] int writeAll(int fd, const char *data, size_t size);

// Opens a file of the program's own by name (its bytes): never through a link, never waiting
// on a pipe or a device, and only a regular file (EINVAL otherwise). Returns the descriptor,
// or -1 with errno.
int openOwnFile(const QByteArray &path, int flags, mode_t mode = 0600);

// Whether the open file belongs to this user and has no other name (no hard link to it).
bool isSoleNameOfOwnFile(int fd);
// flock with a bound: tries until it has the lock or the time is up. False when it has not.
bool lockWithin(int fd, int operation, int milliseconds);

// Reads a whole regular file, opened as openOwnFile opens it, of at most maxBytes (EFBIG
// beyond); ENOENT for a missing file.
IoResult<QByteArray> readFile(const QString &path, qint64 maxBytes = qint64(1) << 30);

// Copies from one descriptor's position to its end onto another. Returns errno, 0 on success.
[[nodiscard]] int copyAll(int from, int to, qint64 &copied);

// Renames from onto to, never following a link at to. When replace is false, to must not
// exist. Returns errno, 0 on success.
[[nodiscard]] int renameInto(const QByteArray &from, const QByteArray &to, bool replace);

// Extended attributes of the file at path itself, never of what a link there leads to.
// Return errno, 0 on success: ENOTSUP where the file system keeps none, ENODATA when the
// file has none of that name. A value beyond maxBytes is not read (ERANGE).
[[nodiscard]] int setAttribute(const QString &path, const char *name, QByteArrayView value);
[[nodiscard]] int readAttribute(const QString &path, const char *name, QByteArray &value, int maxBytes = 4096);

// The names in a folder (not "." and ".."), in the order the file system gives them; none
// when it cannot be read.
QStringList namesIn(const QString &folder);

// What holds a name, by lstat: a link, even a dangling one, is Other, whatever it leads to.
enum class Entry { None, Directory, Other };
Entry entryAt(const QString &path);

// Replaces the file with contents through a temporary file in the same directory and a
// rename, so a failure leaves the old file whole.
IoResult<void> replaceFile(const QString &path, QByteArrayView contents);

}
