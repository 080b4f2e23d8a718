#pragma once
// Reader and writer of INI text files, as the settings file uses them. Section and key names
// match without regard to case; a value is trimmed of blanks and of one pair of enclosing
// quotes; at most MaxValueBytes of a value arrive. Lines that others wrote are kept as they
// are. Changes stay in memory until save(), which replaces the file in one step.
#include "platform/IoError.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <optional>

class IniFile {
public:
    static constexpr qsizetype MaxValueBytes = 2047;

    // Reads the file at path; a missing or unreadable file reads as an empty one.
    explicit IniFile(const QString &path);
    // Reads these bytes as the file's contents; save() still writes to path.
    IniFile(const QString &path, QByteArrayView contents);

    std::optional<QByteArray> value(QByteArrayView section, QByteArrayView key) const;
    void setValue(QByteArrayView section, QByteArrayView key, QByteArrayView value);
    // Throws OrdvaneError("Unable to write to <path>") when the file cannot be replaced.
    [[nodiscard]] IoResult<void> save() const;
    // The message of a failed save: "Unable to write to <path>".
    static QString unableToWrite(const IoFailure &failure);

    QString path() const { return filePath; }

private:
    void parse(QByteArrayView contents);
    qsizetype findSection(QByteArrayView section) const;
    qsizetype findKey(qsizetype sectionLine, QByteArrayView key) const;

    QString filePath;
    QList<QByteArray> lines;
    QByteArray lineEnd = "\r\n";
};
