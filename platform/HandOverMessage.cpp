#include "platform/HandOverMessage.h"

#include <QDataStream>
#include <QIODevice>
#include <QtEndian>

namespace HandOverMessage {

QByteArray encode(const QStringList &files, const QByteArray &activationToken)
{
    QByteArray message;
    QDataStream out(&message, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << files.mid(0, MostFiles) << activationToken;
    return message;
}

namespace {

// Reads Qt's data stream form without trusting a count: each is weighed against what is left.
class Reader {
public:
    explicit Reader(QByteArrayView bytes) : bytes(bytes) {}

    bool atEnd() const { return at == bytes.size(); }

    bool count(quint32 &value)
    {
        if (bytes.size() - at < 4)
            return false;
        value = qFromBigEndian<quint32>(bytes.data() + at);
        at += 4;
        return true;
    }

    // A byte array's bytes, or a string's UTF-16 code units (big-endian); 0xFFFFFFFF is null.
    bool block(QByteArrayView &value)
    {
        quint32 length = 0;
        if (!count(length))
            return false;
        if (length == 0xFFFFFFFFu)
            length = 0;
        if (qsizetype(length) > bytes.size() - at)
            return false;
        value = bytes.sliced(at, length);
        at += length;
        return true;
    }

    bool string(QString &value)
    {
        QByteArrayView units;
        if (!block(units) || units.size() % 2 != 0)
            return false;
        value.resize(units.size() / 2);
        qFromBigEndian<char16_t>(units.data(), units.size() / 2, value.data());
        return true;
    }

private:
    QByteArrayView bytes;
    qsizetype at = 0;
};

// No file of a longer name can be opened: the system's limit for a whole path.
constexpr qsizetype MostPathUnits = 4096;

bool plausiblePath(const QString &path)
{
    return path.startsWith(u'/') && path.size() <= MostPathUnits && !path.contains(QChar(0));
}

} // namespace

bool decode(QByteArrayView bytes, QStringList &files, QByteArray &activationToken)
{
    Reader in(bytes);
    quint32 count = 0;
    // Every name takes four bytes at least: a count beyond that is not of a real list.
    if (!in.count(count) || qsizetype(count) > bytes.size() / 4 || qsizetype(count) > MostFiles)
        return false;
    QStringList names;
    names.reserve(qsizetype(count));
    for (quint32 i = 0; i < count; ++i) {
        QString name;
        if (!in.string(name) || !plausiblePath(name))
            return false;
        names << name;
    }
    QByteArrayView token;
    if (!in.atEnd() && !in.block(token))
        return false;
    if (!in.atEnd())
        return false;
    files = names;
    activationToken = token.toByteArray();
    return true;
}

}
