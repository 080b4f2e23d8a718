#pragma once
// The program's file-system stand-ins: paths as UTF-16 text, turned into the bytes that the
// file system holds in one place, plus the textual path rules every part shares.
#include <QByteArray>
#include <QString>

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
// Position of the extension's dot: the last "." after the last separator, or -1.
qsizetype extensionPosition(const QString &path);

// stat, following links.
bool isDirectoryPath(const QString &path);
bool isExistingFile(const QString &path); // exists and is not a directory
bool exists(const QString &path);
qint64 fileSize(const QString &path);     // 0 when there is no such file

// Creates the directory and every missing one above it. Returns errno, 0 on success.
int makeDirectories(const QString &path);

// Writes all bytes to an open descriptor. Returns errno, 0 on success.
int writeAll(int fd, const char *data, size_t size);

// Reads a whole file. Returns errno, 0 on success; ENOENT for a missing file.
int readFile(const QString &path, QByteArray &contents);

// Replaces the file with contents through a temporary file in the same directory and a
// rename, so a failure leaves the old file whole. Returns errno, 0 on success.
int replaceFile(const QString &path, QByteArrayView contents);

}
