#include "platform/IniFile.h"

#include "platform/FileSystem.h"
#include "platform/IoError.h"

#include <QCoreApplication>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

QByteArrayView trimmed(QByteArrayView text)
{
    while (!text.isEmpty() && (isBlank(text.front()) || text.front() == '\r'))
        text = text.sliced(1);
    while (!text.isEmpty() && (isBlank(text.back()) || text.back() == '\r'))
        text.chop(1);
    return text;
}

bool sameName(QByteArrayView a, QByteArrayView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// "[name]" gives name; anything else gives nothing.
std::optional<QByteArrayView> sectionName(QByteArrayView line)
{
    line = trimmed(line);
    if (!line.startsWith('['))
        return std::nullopt;
    const qsizetype close = line.indexOf(']');
    if (close < 0)
        return std::nullopt;
    return trimmed(line.sliced(1, close - 1));
}

bool isEnclosedInQuotes(QByteArrayView text)
{
    return text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front();
}

} // namespace

IniFile::IniFile(const QString &path) : filePath(path)
{
    if (const IoResult<QByteArray> contents = FileSystem::readFile(path))
        parse(*contents);
}

IniFile::IniFile(const QString &path, QByteArrayView contents) : filePath(path)
{
    parse(contents);
}

void IniFile::parse(QByteArrayView contents)
{
    if (contents.isEmpty())
        return;
    const qsizetype firstBreak = contents.indexOf('\n');
    if (firstBreak > 0 && contents.at(firstBreak - 1) != '\r')
        lineEnd = "\n"; // keep the line ends the file already has
    lines = contents.toByteArray().split('\n');
    for (QByteArray &line : lines)
        if (line.endsWith('\r'))
            line.chop(1);
    if (lines.last().isEmpty())
        lines.removeLast();
}

qsizetype IniFile::findSection(QByteArrayView section) const
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const auto name = sectionName(lines[i]);
        if (name && sameName(*name, section))
            return i;
    }
    return -1;
}

qsizetype IniFile::findKey(qsizetype sectionLine, QByteArrayView key) const
{
    for (qsizetype i = sectionLine + 1; i < lines.size() && !sectionName(lines[i]); ++i) {
        const qsizetype equals = lines[i].indexOf('=');
        if (equals > 0 && sameName(trimmed(QByteArrayView(lines[i]).first(equals)), key))
            return i;
    }
    return -1;
}

std::optional<QByteArray> IniFile::value(QByteArrayView section, QByteArrayView key) const
{
    const qsizetype sectionLine = findSection(section);
    const qsizetype keyLine = sectionLine < 0 ? -1 : findKey(sectionLine, key);
    if (keyLine < 0)
        return std::nullopt;
    const QByteArrayView line = lines[keyLine];
    QByteArrayView text = trimmed(line.sliced(line.indexOf('=') + 1));
    if (isEnclosedInQuotes(text))
        text = text.sliced(1, text.size() - 2);
    return text.first(std::min(text.size(), MaxValueBytes)).toByteArray();
}

void IniFile::setValue(QByteArrayView section, QByteArrayView key, QByteArrayView value)
{
    // A line break would end the value and start a line of its own.
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == '\r' || value[i] == '\n') {
            value = value.first(i);
            break;
        }
    }
    QByteArray written = value.toByteArray();
    // Quote what reading would otherwise trim, so that every value reads back as written.
    if (!value.isEmpty() && (isBlank(value.front()) || isBlank(value.back()) || isEnclosedInQuotes(value)))
        written = '"' + written + '"';
    const QByteArray line = key.toByteArray() + '=' + written;

    qsizetype sectionLine = findSection(section);
    if (sectionLine < 0) {
        lines.append('[' + section.toByteArray() + ']');
        lines.append(line);
        return;
    }
    const qsizetype keyLine = findKey(sectionLine, key);
    if (keyLine >= 0) {
        lines[keyLine] = line;
        return;
    }
    // After the section's last key, before the blank lines that part it from the next one.
    qsizetype insertAt = sectionLine + 1;
    for (qsizetype i = sectionLine + 1; i < lines.size() && !sectionName(lines[i]); ++i)
        if (!trimmed(lines[i]).isEmpty())
            insertAt = i + 1;
    lines.insert(insertAt, line);
}

QString IniFile::unableToWrite(const IoFailure &failure)
{
    return QCoreApplication::translate("IniFile", "Unable to write to %1").arg(failure.path);
}

IoResult<void> IniFile::save() const
{
    QByteArray contents;
    for (const QByteArray &line : lines)
        contents += line + lineEnd;
    return FileSystem::replaceFile(filePath, contents);
}
