#pragma once
// Paths as UTF-16 text, turned into the bytes that the file system holds in one place, and
// the textual path rules every part shares.
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
// The folder of a path: up to its last separator, which stays only for the root; empty
// text for a bare name.
QString folderOf(const QString &path);
// The folder ending in a separator, as the program keeps folders; empty text is the root.
QString withTrailingSeparator(QString folder);
// A name in a folder, whether or not the folder ends in a separator.
QString joinPath(const QString &folder, const QString &name);
// Position of the extension's dot: the last "." after the last separator, or -1.
qsizetype extensionPosition(const QString &path);

}
