#include "conversion/JobFile.h"

#include "platform/CodePage.h"

#include <QtEndian>
#include <algorithm>

namespace JobFile {

namespace {

const QByteArray WideMarker = "LFW";
const QByteArray EightBitMarker = "LVF";

void appendUInt16(QByteArray &out, quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

void appendText(QByteArray &out, const QString &text)
{
    // The length field is 16 bits: a longer text is cut at what it can count.
    const qsizetype units = std::min<qsizetype>(text.size(), JobList::MaxTextUnits);
    appendUInt16(out, quint16(units * 2));
    const qsizetype start = out.size();
    out.resize(start + units * 2);
    qToLittleEndian<char16_t>(text.utf16(), units, out.data() + start);
}

// Reads the job file's fields; any read past the end marks the file as cut short.
class Reader {
public:
    Reader(QByteArrayView bytes, bool eightBit) : bytes(bytes), eightBit(eightBit) {}

    bool failed() const { return shortOfBytes; }
    bool atEnd() const { return position >= bytes.size(); }
    bool oddTextSeen() const { return oddText; }

    quint16 uint16() { return take<quint16>(); }
    qint32 int32() { return take<qint32>(); }

    QString text()
    {
        const quint16 size = uint16();
        if (!available(size))
            return {};
        const char *data = bytes.data() + position;
        position += size;
        if (!eightBit) {
            oddText = oddText || size % 2 != 0;
            QString text(size / 2, Qt::Uninitialized);
            qFromLittleEndian<char16_t>(data, size / 2, text.data());
            return text;
        }
        // Old files hold 8-bit text in the system code page; a zero byte ends it early.
        const qsizetype length = qsizetype(std::find(data, data + size, '\0') - data);
        return CodePage::toUnicode(QByteArrayView(data, length), CodePage::System);
    }

private:
    template <typename T>
    T take()
    {
        if (!available(sizeof(T)))
            return 0;
        const T value = qFromLittleEndian<T>(bytes.data() + position);
        position += sizeof(T);
        return value;
    }

    bool available(qsizetype size)
    {
        if (shortOfBytes || bytes.size() - position < size)
            shortOfBytes = true;
        return !shortOfBytes;
    }

    QByteArrayView bytes;
    bool eightBit;
    qsizetype position = 3; // past the marker
    bool shortOfBytes = false;
    bool oddText = false;
};

} // namespace

std::optional<Format> formatOf(QByteArrayView bytes)
{
    if (bytes.startsWith(EightBitMarker))
        return Format::EightBit;
    if (bytes.startsWith(WideMarker))
        return Format::Wide;
    return std::nullopt;
}

QByteArray encode(const QList<JobList::Entry> &entries)
{
    const qsizetype count = std::min<qsizetype>(entries.size(), JobList::MaxEntries);
    QByteArray out = WideMarker;
    appendUInt16(out, quint16(count));
    for (const JobList::Entry &e : entries.first(count)) {
        appendUInt16(out, quint16(e.texts.size()));
        char state[4];
        qToLittleEndian(e.state, state);
        out.append(state, 4);
        appendText(out, e.caption);
        for (const QString &text : e.texts)
            appendText(out, text);
    }
    return out;
}

Decoded decode(QByteArrayView bytes, Format format)
{
    Reader reader(bytes, format == Format::EightBit);
    const int announced = reader.uint16();
    Decoded decoded;
    decoded.entries.reserve(announced);
    bool entryShortOfTexts = false;
    // Entries beyond the announced count are read too: a count that wrapped past 65535 or
    // was damaged must not lose them. Whatever is left then marks the file as damaged.
    for (int i = 0; (i < announced || !reader.atEnd()) && !reader.failed() && decoded.entries.size() < JobList::MaxEntries; ++i) {
        JobList::Entry e;
        const int textCount = reader.uint16();
        e.state = reader.int32();
        e.caption = reader.text();
        for (int t = 0; t < textCount && !reader.failed(); ++t)
            e.texts.append(reader.text());
        if (reader.failed())
            break; // cut short: every complete entry before it stays
        // Every part of the program counts on six texts; an entry with fewer gets empty ones.
        if (e.texts.size() < JobList::TextCount) {
            entryShortOfTexts = true;
            e.texts.resize(JobList::TextCount);
        }
        decoded.entries.append(std::move(e));
    }
    decoded.damaged = reader.failed() || !reader.atEnd() || entryShortOfTexts || reader.oddTextSeen()
                      || decoded.entries.size() != announced;
    return decoded;
}

} // namespace JobFile
