#include "platform/CodePage.h"

#include <QHash>
#include <QtEndian>
#include <QtGlobal>
#include <array>
#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <langinfo.h>
#include <memory>
#include <mutex>

namespace CodePage {

namespace {

constexpr const char *HostUtf16 = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? "UTF-16LE" : "UTF-16BE";

struct NamedPage {
    int number;
    const char *charset;
};

// Code pages whose iconv name is not "CP" followed by the number.
constexpr NamedPage NamedPages[] = {
    {1200, "UTF-16LE"},     {1201, "UTF-16BE"},     {20127, "ANSI_X3.4-1968"},
    {20866, "KOI8-R"},      {21866, "KOI8-U"},      {20932, "EUC-JP"},
    {28591, "ISO-8859-1"},  {28592, "ISO-8859-2"},  {28593, "ISO-8859-3"},
    {28594, "ISO-8859-4"},  {28595, "ISO-8859-5"},  {28596, "ISO-8859-6"},
    {28597, "ISO-8859-7"},  {28598, "ISO-8859-8"},  {28599, "ISO-8859-9"},
    {28603, "ISO-8859-13"}, {28605, "ISO-8859-15"}, {51949, "EUC-KR"},
    {54936, "GB18030"},     {65001, "UTF-8"},
};

// Locale character sets that carry another name for a page above.
constexpr NamedPage CharsetAliases[] = {
    {932, "SHIFT_JIS"}, {936, "GB2312"}, {936, "GBK"}, {950, "BIG5"}, {949, "UHC"},
    {20127, "ASCII"},   {65001, "UTF8"},
};

QByteArray charsetOf(int codePage)
{
    if (codePage == System)
        return systemCharset();
    if (codePage < 0)
        return {};
    for (const NamedPage &page : NamedPages)
        if (page.number == codePage)
            return page.charset;
    return "CP" + QByteArray::number(codePage);
}

class Converter {
public:
    Converter(const char *to, const char *from) : handle(iconv_open(to, from)) {}
    ~Converter()
    {
        if (valid())
            iconv_close(handle);
    }
    bool valid() const { return handle != iconv_t(-1); }

    // Converts all of input; unitSize is how far to step over an input it cannot take.
    template <typename Substitute>
    QByteArray run(const char *input, size_t size, size_t unitSize, Substitute substitute)
    {
        QByteArray out(qsizetype(size + size / 2 + 16), Qt::Uninitialized);
        size_t used = 0;
        auto convert = [&](char **in, size_t *inLeft) {
            char *dst = out.data() + used;
            size_t dstLeft = size_t(out.size()) - used;
            const size_t r = iconv(handle, in, inLeft, &dst, &dstLeft);
            used = size_t(dst - out.data());
            if (r != size_t(-1))
                return 0;
            if (errno == E2BIG)
                out.resize(out.size() * 2 + 16);
            return errno;
        };
        char *in = const_cast<char *>(input);
        size_t inLeft = size;
        while (inLeft > 0) {
            const int error = convert(&in, &inLeft);
            if (error != 0 && error != E2BIG) { // one input unit it cannot take
                const size_t skip = std::min(inLeft, stepFor(in, inLeft, unitSize));
                in += skip;
                inLeft -= skip;
                const QByteArray sub = substitute();
                if (size_t(out.size()) - used < size_t(sub.size()))
                    out.resize(out.size() * 2 + sub.size());
                std::memcpy(out.data() + used, sub.constData(), size_t(sub.size()));
                used += size_t(sub.size());
            }
        }
        while (convert(nullptr, nullptr) == E2BIG) { // a stateful encoding closes its shift state
        }
        out.resize(qsizetype(used));
        return out;
    }

private:
    // Unmappable UTF-16 input is a whole character, a surrogate pair when it is one.
    static size_t stepFor(const char *in, size_t left, size_t unitSize)
    {
        if (unitSize != 2 || left < 4)
            return unitSize;
        char16_t first;
        std::memcpy(&first, in, 2);
        return (first >= 0xD800 && first <= 0xDBFF) ? 4 : 2;
    }

    iconv_t handle;
};

// Encoding into a plain one-byte-per-character page is a table lookup, far faster than
// iconv; the table is read off iconv itself, so both give the same bytes.
class SingleByteTable {
public:
    static const SingleByteTable *of(const QByteArray &charset)
    {
        static std::mutex mutex;
        static QHash<QByteArray, std::shared_ptr<SingleByteTable>> tables;
        std::lock_guard lock(mutex);
        auto found = tables.find(charset);
        if (found == tables.end())
            found = tables.insert(charset, isPlainSingleByte(charset) ? build(charset) : nullptr);
        return found->get();
    }

    QByteArray encode(QStringView text) const
    {
        QByteArray out(text.size(), Qt::Uninitialized);
        qsizetype used = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t unit = text[i].unicode();
            if (QChar::isHighSurrogate(unit) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode()))
                ++i; // one character, one substitute
            out[used++] = mapped[unit] ? char(bytes[unit]) : '?';
        }
        out.truncate(used);
        return out;
    }

private:
    // Pages whose characters are one byte each and carry no state (iconv's Hebrew 1255 and
    // Vietnamese 1258 compose and decompose characters, so they keep going through iconv).
    static bool isPlainSingleByte(const QByteArray &charset)
    {
        return (charset.startsWith("CP125") && charset != "CP1255" && charset != "CP1258") || charset == "CP874"
               || charset.startsWith("ISO-8859-") || charset.startsWith("KOI8-") || charset == "ANSI_X3.4-1968";
    }

    static std::shared_ptr<SingleByteTable> build(const QByteArray &charset)
    {
        Converter converter(HostUtf16, charset.constData());
        if (!converter.valid())
            return nullptr;
        auto table = std::make_shared<SingleByteTable>();
        for (int byte = 0; byte < 256; ++byte) {
            const char input = char(byte);
            const QByteArray unit = converter.run(&input, 1, 1, [] { return QByteArray(); });
            if (unit.size() == 2) {
                char16_t u;
                std::memcpy(&u, unit.constData(), 2);
                if (!table->mapped[u]) {
                    table->mapped[u] = true;
                    table->bytes[u] = quint8(byte);
                }
            }
        }
        return table;
    }

    std::array<quint8, 65536> bytes{};
    std::array<bool, 65536> mapped{};
};

} // namespace

QByteArray systemCharset()
{
    const char *name = nl_langinfo(CODESET);
    return QByteArray(name && *name ? name : "ANSI_X3.4-1968");
}

bool systemIsUtf8()
{
    const QByteArray name = systemCharset().toUpper();
    return name == "UTF-8" || name == "UTF8";
}

int windowsNumberOfCharset(QByteArrayView charset)
{
    const QByteArray name = charset.toByteArray().toUpper();
    for (const NamedPage &page : NamedPages)
        if (name == page.charset)
            return page.number;
    for (const NamedPage &alias : CharsetAliases)
        if (name == alias.charset)
            return alias.number;
    if (name.startsWith("CP")) {
        bool ok = false;
        const int number = name.mid(2).toInt(&ok);
        if (ok && number > 0)
            return number;
    }
    return 0;
}

int localeAnsiCodePage()
{
    return systemIsUtf8() ? 0 : windowsNumberOfCharset(systemCharset());
}

bool hasConverter(int codePage)
{
    if (codePage == Utf8 || codePage == Utf16LE || (codePage == System && systemIsUtf8()))
        return true;
    const QByteArray charset = charsetOf(codePage);
    return !charset.isEmpty() && Converter(charset.constData(), HostUtf16).valid();
}

QByteArray fromUnicode(QStringView text, int codePage, bool *ok)
{
    if (ok)
        *ok = true;
    if (codePage == Utf8 || (codePage == System && systemIsUtf8()))
        return text.toUtf8();
    if (codePage == Utf16LE) {
        QByteArray out(text.size() * 2, Qt::Uninitialized);
        qToLittleEndian<char16_t>(text.utf16(), text.size(), out.data());
        return out;
    }
    const QByteArray charset = charsetOf(codePage);
    if (const SingleByteTable *table = charset.isEmpty() ? nullptr : SingleByteTable::of(charset))
        return table->encode(text);
    Converter converter(charset.constData(), HostUtf16);
    if (charset.isEmpty() || !converter.valid()) {
        if (ok)
            *ok = false;
        return {};
    }
    return converter.run(reinterpret_cast<const char *>(text.utf16()), size_t(text.size()) * 2, 2,
                         [] { return QByteArray("?"); });
}

QString toUnicode(QByteArrayView bytes, int codePage, bool *ok)
{
    if (ok)
        *ok = true;
    if (codePage == Utf8 || (codePage == System && systemIsUtf8()))
        return QString::fromUtf8(bytes);
    const QByteArray charset = charsetOf(codePage);
    Converter converter(HostUtf16, charset.constData());
    if (charset.isEmpty() || !converter.valid()) {
        if (ok)
            *ok = false;
        return {};
    }
    static constexpr char16_t Replacement = 0xFFFD;
    const QByteArray utf16 = converter.run(bytes.data(), size_t(bytes.size()), 1, [] {
        return QByteArray(reinterpret_cast<const char *>(&Replacement), 2);
    });
    return QString(reinterpret_cast<const QChar *>(utf16.constData()), utf16.size() / 2);
}

} // namespace CodePage
