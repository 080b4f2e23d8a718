#pragma once
// What a later start hands the running instance: the files and the activation token, in Qt's
// data stream form (a start from before tokens sends no token). The peer is another process:
// its bytes are read with every count checked against the bytes there are before anything is
// made of them.
#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>

namespace HandOverMessage {

// No job list holds more files: a message that names more is not a real start's.
constexpr qsizetype MostFiles = 65535;

// Names the first MostFiles of the files.
QByteArray encode(const QStringList &files, const QByteArray &activationToken);

// False when the bytes are not such a message, name more than MostFiles, or name a file no
// start could mean: an empty or relative path, one with a NUL, or one longer than any path
// the system opens (a start sends absolute paths).
bool decode(QByteArrayView bytes, QStringList &files, QByteArray &activationToken);

}
