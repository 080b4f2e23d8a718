#pragma once
// Typed reading of the settings file: integers, switches, paths and raw bytes, each with the
// value that stands when the key is missing or unreadable.
#include "platform/IniFile.h"

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <utility>

// Integers as the settings file and the code-page box read them: leading blanks, an optional
// sign, then decimal digits or hexadecimal ones after "$", "x", "X", "0x" or "0X"; nothing may
// follow, and the value must fit 32 bits.
bool ParseInteger(QStringView text, qint32 &value);

class SettingsReader {
public:
    explicit SettingsReader(const QString &path) : file(path) {}
    explicit SettingsReader(IniFile file) : file(std::move(file)) {}

    bool boolean(QByteArrayView section, QByteArrayView key, bool fallback) const;
    qint32 integer(QByteArrayView section, QByteArrayView key, qint32 fallback) const;
    // A path the file holds as UTF-8; one that is not valid UTF-8 reads as empty text.
    QString path(QByteArrayView section, QByteArrayView key, const QString &fallback) const;
    QByteArray bytes(QByteArrayView section, QByteArrayView key) const;

private:
    IniFile file;
};
