#include "conversion/JobFile.h"

#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "settings/DocumentTypes.h"

#include <QtEndian>
#include <algorithm>
#include <cerrno>

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
        appendUInt16(out, quint16(JobList::TextCount + e.moreTexts.size()));
        char state[4];
        qToLittleEndian(e.state, state);
        out.append(state, 4);
        appendText(out, e.caption);
        for (int text = 0; text < JobList::TextCount; ++text)
            appendText(out, JobList::storedText(e, JobList::Text(text)));
        for (const QString &text : e.moreTexts)
            appendText(out, text);
    }
    return out;
}

JobList::Entry entryOf(qint32 state, const QString &caption, QStringList texts)
{
    JobList::Entry e;
    e.state = state;
    e.caption = caption;
    e.name = texts[JobList::Name];
    e.source = texts[JobList::Source];
    bool ok = false;
    e.size = texts[JobList::Size].toLongLong(&ok, 10);
    if (!ok || QString::number(e.size) != texts[JobList::Size])
        e.sizeText = texts[JobList::Size];
    for (int type = 1; type <= DocumentTypeCount && e.type == 0; ++type)
        e.type = texts[JobList::Type] == QLatin1String(DocumentType(type).TypeName) ? type : 0;
    if (e.type == 0)
        e.typeText = texts[JobList::Type];
    e.target = texts[JobList::Target];
    e.outcome = JobList::Outcome::of(texts[JobList::Message]);
    e.moreTexts = texts.mid(JobList::TextCount);
    return e;
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
        const int textCount = reader.uint16();
        const qint32 state = reader.int32();
        const QString caption = reader.text();
        QStringList texts;
        for (int t = 0; t < textCount && !reader.failed(); ++t)
            texts.append(reader.text());
        if (reader.failed())
            break; // cut short: every complete entry before it stays
        // Every part of the program counts on six texts; an entry with fewer gets empty ones.
        if (texts.size() < JobList::TextCount) {
            entryShortOfTexts = true;
            texts.resize(JobList::TextCount);
        }
        decoded.entries.append(entryOf(state, caption, texts));
    }
    decoded.damaged = reader.failed() || !reader.atEnd() || entryShortOfTexts || reader.oddTextSeen()
                      || decoded.entries.size() != announced;
    return decoded;
}

namespace {

Loaded loaded(const Decoded &decoded)
{
    return {decoded.damaged ? LoadResult::Damaged : LoadResult::Loaded, decoded.entries};
}

} // namespace

Loaded LoadJobFile(const QString &fileName)
{
    const IoResult<QByteArray> bytes = FileSystem::readFile(fileName);
    if (!bytes)
        return {bytes.error().errorNumber == ENOENT ? LoadResult::Missing : LoadResult::Unreadable, {}};
    const std::optional<Format> format = formatOf(*bytes);
    if (!format)
        return {LoadResult::UnknownMarker, {}};
    if (*format == Format::EightBit)
        return LoadOldJobFile(fileName);
    return loaded(decode(*bytes, *format));
}

Loaded LoadOldJobFile(const QString &fileName)
{
    const IoResult<QByteArray> bytes = FileSystem::readFile(fileName);
    if (!bytes)
        return {LoadResult::Unreadable, {}};
    return loaded(decode(*bytes, Format::EightBit));
}

IoResult<void> SaveJobFile(const QString &fileName, const QList<JobList::Entry> &entries)
{
    return FileSystem::replaceFile(fileName, encode(entries));
}

QString keepDamagedFile(const QString &fileName)
{
    const QByteArray from = FileSystem::encodePath(fileName);
    for (int n = 0; n < 1000; ++n) {
        const QString kept = n == 0 ? fileName + QStringLiteral(".bak") : fileName + QStringLiteral(".%1.bak").arg(n);
        const int error = FileSystem::renameInto(from, FileSystem::encodePath(kept), false);
        if (error != EEXIST)
            return error == 0 ? kept : QString();
    }
    return {};
}

} // namespace JobFile
