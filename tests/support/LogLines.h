#pragma once
// The texts of the activity log's lines, without their time stamps.
#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <QtEndian>

inline QStringList logTexts(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = file.readAll();
    if (bytes.startsWith("\xFF\xFE"))
        bytes.remove(0, 2);
    QString text(bytes.size() / 2, Qt::Uninitialized);
    qFromLittleEndian<char16_t>(bytes.constData(), bytes.size() / 2, text.data());
    QStringList lines = text.split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    static const QRegularExpression stamp(QStringLiteral("^\\[[^\\]]*\\]: "));
    for (QString &line : lines)
        line.remove(stamp);
    return lines;
}
