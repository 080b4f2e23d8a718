#include "settings/SettingsFile.h"

namespace {

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

} // namespace

bool ParseInteger(QStringView text, qint32 &value)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    int base = 10;
    if (text.mid(i).startsWith(u"0x", Qt::CaseInsensitive))
        base = 16, i += 2;
    else if (i < text.size() && (text[i] == u'$' || text[i] == u'x' || text[i] == u'X'))
        base = 16, i += 1;
    if (i >= text.size())
        return false;
    quint64 magnitude = 0;
    for (; i < text.size(); ++i) {
        const int digit = base == 16 ? hexDigit(text[i]) : (text[i].isDigit() && text[i].unicode() < 128 ? text[i].unicode() - '0' : -1);
        if (digit < 0)
            return false;
        magnitude = magnitude * quint64(base) + quint64(digit);
        if (magnitude > 0xFFFFFFFFull)
            return false;
    }
    if (base == 16) {
        // Hexadecimal spells the 32 bits themselves: $FFFFFFFF is -1.
        const qint32 bits = qint32(quint32(magnitude));
        value = negative ? qint32(0u - quint32(bits)) : bits;
        return true;
    }
    if (magnitude > (negative ? 0x80000000ull : 0x7FFFFFFFull))
        return false;
    value = negative ? qint32(-qint64(magnitude)) : qint32(magnitude);
    return true;
}

bool SettingsReader::boolean(QByteArrayView section, QByteArrayView key, bool fallback) const
{
    return integer(section, key, fallback ? 1 : 0) != 0;
}

qint32 SettingsReader::integer(QByteArrayView section, QByteArrayView key, qint32 fallback) const
{
    const auto text = file.value(section, key);
    qint32 value = 0;
    return text && ParseInteger(QString::fromLatin1(*text), value) ? value : fallback;
}

QString SettingsReader::path(QByteArrayView section, QByteArrayView key, const QString &fallback) const
{
    const auto text = file.value(section, key);
    if (!text)
        return fallback;
    return QByteArrayView(*text).isValidUtf8() ? QString::fromUtf8(*text) : QString();
}

QByteArray SettingsReader::bytes(QByteArrayView section, QByteArrayView key) const
{
    return file.value(section, key).value_or(QByteArray());
}
