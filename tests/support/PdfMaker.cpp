#include "tests/support/PdfMaker.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <map>

namespace testpdf {

namespace {

// ---- Characters ----

std::u32string decodeUtf8(const std::string& s)
{
    std::u32string out;
    for (size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const int extra = b < 0x80 ? 0 : (b >> 5) == 6 ? 1 : (b >> 4) == 14 ? 2 : (b >> 3) == 30 ? 3 : -1;
        char32_t c = extra == 0 ? b : extra == 1 ? b & 0x1F : extra == 2 ? b & 0x0F : b & 0x07;
        bool ok = extra >= 0 && i + extra < s.size();
        for (int k = 1; ok && k <= extra; ++k) {
            const auto cont = static_cast<unsigned char>(s[i + k]);
            ok = (cont & 0xC0) == 0x80;
            c = (c << 6) | (cont & 0x3F);
        }
        if (!ok || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            out += U'\uFFFD'; // a stray byte must not swallow the characters after it
            ++i;
            continue;
        }
        out += c;
        i += extra + 1;
    }
    return out;
}

// The Windows-1252 byte for c, or -1. U+00A0 and U+00AD are left out on purpose: the
// WinAnsi glyph names for those bytes (space, hyphen) extract as U+0020 and U+002D.
int winAnsiByte(char32_t c)
{
    static constexpr char16_t k80[32] = {
        0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0, 0x017D, 0, 0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013,
        0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};
    if ((c >= 0x20 && c <= 0x7E) || (c >= 0xA1 && c <= 0xFF && c != 0xAD))
        return static_cast<int>(c);
    for (int i = 0; i < 32; ++i)
        if (k80[i] != 0 && k80[i] == c)
            return 0x80 + i;
    return -1;
}

bool isWide(char32_t c)
{
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3)
        || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60)
        || (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x1F300 && c <= 0x1FAFF) || c >= 0x20000;
}

// Advance in thousandths of the font size: Helvetica's for ASCII, so the Type0 font spaces
// Latin text like the built-in one does.
int glyphWidth(char32_t c)
{
    static constexpr short kHelvetica[95] = {
        278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278, 556, 556, 556,
        556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556, 1015, 667, 667, 722, 722, 667,
        611, 778, 722, 278, 500, 667, 556, 833, 722, 778, 667, 778, 722, 667, 611, 722, 667, 944, 667,
        667, 611, 278, 278, 278, 469, 556, 333, 556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500,
        222, 833, 556, 556, 556, 556, 333, 500, 278, 556, 500, 722, 500, 500, 500, 334, 260, 334, 584};
    if (c >= 0x20 && c <= 0x7E)
        return kHelvetica[c - 0x20];
    return isWide(c) ? 1000 : 556;
}

void appendUtf16be(std::string& out, char32_t c)
{
    auto unit = [&out](unsigned u) {
        out += static_cast<char>(u >> 8);
        out += static_cast<char>(u & 0xFF);
    };
    if (c >= 0x10000) {
        unit(0xD800 + ((c - 0x10000) >> 10));
        unit(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
        unit(c);
    }
}

// A PDF text string: the bytes themselves for ASCII, otherwise UTF-16BE with a BOM.
std::string textStringBytes(const std::string& utf8)
{
    if (std::all_of(utf8.begin(), utf8.end(), [](char ch) { return ch >= 0x20 && ch < 0x7F; }))
        return utf8;
    std::string out = "\xFE\xFF";
    for (char32_t c : decodeUtf8(utf8))
        appendUtf16be(out, c);
    return out;
}

// ---- Syntax ----

std::string num(double v)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.3f", v);
    std::string s = buf;
    s.erase(s.find_last_not_of('0') + 1);
    if (s.back() == '.')
        s.pop_back();
    return s == "-0" ? "0" : s;
}

std::string hex(const std::string& bytes)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char b : bytes) {
        out += kDigits[b >> 4];
        out += kDigits[b & 15];
    }
    return out;
}

std::string literal(const std::string& bytes)
{
    std::string out = "(";
    for (unsigned char b : bytes) {
        if (b == '(' || b == ')' || b == '\\') {
            out += '\\';
            out += static_cast<char>(b);
        } else if (b < 0x20 || b >= 0x7F) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\%03o", b);
            out += buf;
        } else {
            out += static_cast<char>(b);
        }
    }
    return out + ")";
}

// ---- The standard security handler's primitives ----

uint32_t rotl(uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

std::string md5(std::string m)
{
    static constexpr uint32_t kK[64] = {
        0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
        0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
        0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
        0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
        0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
        0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
        0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
        0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};
    static constexpr int kShift[16] = {7, 12, 17, 22, 5, 9, 14, 20, 4, 11, 16, 23, 6, 10, 15, 21};
    const uint64_t bits = static_cast<uint64_t>(m.size()) * 8;
    m += '\x80';
    while (m.size() % 64 != 56)
        m += '\0';
    for (int i = 0; i < 8; ++i)
        m += static_cast<char>(bits >> (8 * i));
    uint32_t h[4] = {0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476};
    for (size_t off = 0; off < m.size(); off += 64) {
        uint32_t w[16];
        for (int i = 0; i < 16; ++i) {
            w[i] = 0;
            for (int k = 3; k >= 0; --k)
                w[i] = (w[i] << 8) | static_cast<unsigned char>(m[off + 4 * i + k]);
        }
        uint32_t a = h[0], b = h[1], c = h[2], d = h[3];
        for (int i = 0; i < 64; ++i) {
            uint32_t f;
            int g;
            if (i < 16) {
                f = (b & c) | (~b & d);
                g = i;
            } else if (i < 32) {
                f = (d & b) | (~d & c);
                g = (5 * i + 1) % 16;
            } else if (i < 48) {
                f = b ^ c ^ d;
                g = (3 * i + 5) % 16;
            } else {
                f = c ^ (b | ~d);
                g = (7 * i) % 16;
            }
            const uint32_t t = d;
            d = c;
            c = b;
            b += rotl(a + f + kK[i] + w[g], kShift[(i / 16) * 4 + i % 4]);
            a = t;
        }
        h[0] += a, h[1] += b, h[2] += c, h[3] += d;
    }
    std::string out;
    for (uint32_t v : h)
        for (int k = 0; k < 4; ++k)
            out += static_cast<char>(v >> (8 * k));
    return out;
}

std::string rc4(const std::string& key, std::string data)
{
    unsigned char s[256];
    for (int i = 0; i < 256; ++i)
        s[i] = static_cast<unsigned char>(i);
    for (int i = 0, j = 0; i < 256; ++i) {
        j = (j + s[i] + static_cast<unsigned char>(key[i % key.size()])) & 255;
        std::swap(s[i], s[j]);
    }
    int i = 0, j = 0;
    for (char& ch : data) {
        i = (i + 1) & 255;
        j = (j + s[i]) & 255;
        std::swap(s[i], s[j]);
        ch = static_cast<char>(ch ^ s[(s[i] + s[j]) & 255]);
    }
    return data;
}

std::string padPassword(const std::string& password)
{
    static const std::string kPad("\x28\xBF\x4E\x5E\x4E\x75\x8A\x41\x64\x00\x4E\x56\xFF\xFA\x01\x08"
                                  "\x2E\x2E\x00\xB6\xD0\x68\x3E\x80\x2F\x0C\xA9\xFE\x64\x53\x69\x7A",
                                  32);
    return (password + kPad).substr(0, 32);
}

std::string le32(int32_t v)
{
    std::string out;
    for (int k = 0; k < 4; ++k)
        out += static_cast<char>(static_cast<uint32_t>(v) >> (8 * k));
    return out;
}

// PDF's RunLengthDecode: a length byte n < 128 copies n + 1 bytes, n > 128 repeats the next
// byte 257 - n times, 128 ends the data.
std::string runLength(const std::vector<unsigned char>& data)
{
    std::string out;
    size_t i = 0;
    while (i < data.size()) {
        size_t run = 1;
        while (i + run < data.size() && run < 128 && data[i + run] == data[i])
            ++run;
        if (run >= 2) {
            out += static_cast<char>(257 - run);
            out += static_cast<char>(data[i]);
            i += run;
            continue;
        }
        size_t literalEnd = i + 1;
        while (literalEnd < data.size() && literalEnd - i < 128
               && !(literalEnd + 1 < data.size() && data[literalEnd + 1] == data[literalEnd]))
            ++literalEnd;
        out += static_cast<char>(literalEnd - i - 1);
        out.append(reinterpret_cast<const char*>(data.data()) + i, literalEnd - i);
        i = literalEnd;
    }
    return out + static_cast<char>(128);
}

struct Object {
    std::string dict; // entries without the << >>
    bool isStream = false;
    std::string data;
    std::string value; // instead of a dictionary: an array, a number
};

// The objects (from 1; objects[0] is unused, objects[1] the catalog) as a whole file with its
// cross-reference table. prepareStream may encrypt a stream's data in place.
std::string serialise(std::vector<Object>& objects, const std::string& trailerExtra,
                      const std::function<void(int, std::string&)>& prepareStream)
{
    // The binary comment line tells transfer tools the file is not text.
    std::string out = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    const int next = static_cast<int>(objects.size());
    std::vector<size_t> offsets(next, 0);
    for (int n = 1; n < next; ++n) {
        offsets[n] = out.size();
        Object& obj = objects[n];
        out += std::to_string(n) + " 0 obj\n";
        if (!obj.value.empty()) {
            out += obj.value + "\nendobj\n";
            continue;
        }
        out += "<< " + obj.dict;
        if (obj.isStream) {
            prepareStream(n, obj.data);
            out += (obj.dict.empty() ? "/Length " : " /Length ") + std::to_string(obj.data.size())
                + " >>\nstream\n" + obj.data + "\nendstream\nendobj\n";
        } else {
            out += " >>\nendobj\n";
        }
    }
    const size_t xref = out.size();
    out += "xref\n0 " + std::to_string(next) + "\n0000000000 65535 f \n";
    for (int n = 1; n < next; ++n) {
        char line[24];
        std::snprintf(line, sizeof line, "%010zu 00000 n \n", offsets[n]);
        out += line;
    }
    out += "trailer\n<< /Size " + std::to_string(next) + " /Root 1 0 R" + trailerExtra + " >>\nstartxref\n"
        + std::to_string(xref) + "\n%%EOF\n";
    return out;
}

const char* const kUnicodeFontName = "/ArialUnicodeMS"; // a name viewers know how to substitute

} // namespace

Page& Page::text(double x, double y, double size, const std::string& utf8)
{
    runs.push_back({x, y, size, utf8});
    return *this;
}

Page& Page::rect(double x, double y, double w, double h, double gray)
{
    rects.push_back({x, y, w, h, gray});
    return *this;
}

double textWidth(const std::string& utf8, double size)
{
    double units = 0;
    for (char32_t c : decodeUtf8(utf8))
        units += glyphWidth(c);
    return units * size / 1000;
}

Page linesPage(const std::vector<std::string>& lines, double size)
{
    Page page;
    const double top = page.height - kMargin - size;
    for (size_t i = 0; i < lines.size(); ++i)
        page.text(kMargin, top - i * size * 1.3, size, lines[i]);
    return page;
}

Page twoColumnPage(const std::vector<std::string>& left, const std::vector<std::string>& right, double size)
{
    Page page;
    const double top = page.height - kMargin - size;
    const double rightX = kMargin + (page.width - 2 * kMargin - kColumnGap) / 2 + kColumnGap;
    for (size_t i = 0; i < std::max(left.size(), right.size()); ++i) {
        const double y = top - i * size * 1.3;
        if (i < left.size())
            page.text(kMargin, y, size, left[i]);
        if (i < right.size())
            page.text(rightX, y, size, right[i]);
    }
    return page;
}

Page tablePage(const std::vector<std::vector<std::string>>& rows, double size)
{
    Page page;
    size_t columns = 1;
    for (const std::vector<std::string>& row : rows)
        columns = std::max(columns, row.size());
    const double columnWidth = (page.width - 2 * kMargin) / double(columns);
    for (size_t i = 0; i < rows.size(); ++i)
        for (size_t j = 0; j < rows[i].size(); ++j)
            page.text(kMargin + double(j) * columnWidth, page.height - kMargin - size - double(i) * size * 2.6, size, rows[i][j]);
    return page;
}

Page photographPage(const std::string& title, double size)
{
    Page page;
    Picture photo; // the whole page: a pale sky over a harbour
    photo.columns = 1020;
    photo.rows = 1320;
    photo.width = page.width;
    photo.height = page.height;
    uint32_t seed = 19;
    const auto random = [&seed] { // 0 to 1
        seed = seed * 1664525u + 1013904223u;
        return double(seed >> 8) / double(1u << 24);
    };
    const int horizon = photo.rows * 3 / 10;
    std::vector<double> grey(size_t(photo.columns) * size_t(photo.rows));
    for (int y = 0; y < photo.rows; ++y)
        for (int x = 0; x < photo.columns; ++x)
            grey[size_t(y) * size_t(photo.columns) + size_t(x)] =
                y < horizon ? 235 - 25.0 * y / horizon + 6 * (random() - 0.5)
                            : 185 + 25 * std::sin(x / 41.0) * std::cos(y / 57.0) + 15 * std::sin((x + 2 * y) / 17.0) + 20 * (random() - 0.5);
    const auto dab = [&](double cx, double cy, double rx, double ry, double shade, bool ring) {
        for (int y = std::max(0, int(cy - ry)); y < std::min(photo.rows, int(cy + ry) + 1); ++y)
            for (int x = std::max(0, int(cx - rx)); x < std::min(photo.columns, int(cx + rx) + 1); ++x) {
                const double d = (x - cx) * (x - cx) / (rx * rx) + (y - cy) * (y - cy) / (ry * ry);
                if (d <= 1 && (!ring || d >= 0.45))
                    grey[size_t(y) * size_t(photo.columns) + size_t(x)] = shade;
            }
    };
    // Below the horizon: boats, gulls, ropes and ripples, marks the size of letters in loose
    // rows, which is what the engine takes for lines of text.
    for (double cy = horizon + 20; cy < photo.rows - 20; cy += 22 + 20 * random())
        for (double cx = 10 + 60 * random(); cx < photo.columns - 10; cx += 6 + 40 * random()) {
            const double rx = 1.5 + 6 * random(), ry = 2 + 8 * random();
            const double kind = random();
            if (kind < 0.3)
                dab(cx, cy, rx, ry, 25, true);
            else if (kind < 0.6)
                dab(cx, cy, rx, ry, 25 + 30 * random(), false);
            else if (kind < 0.8)
                dab(cx, cy, 1.2, ry + 3, 30, false);
            else
                dab(cx, cy + ry, rx + 3, 1.2, 30, false);
        }
    photo.pixels.reserve(grey.size());
    for (const double g : grey)
        photo.pixels.push_back((unsigned char)std::clamp(g, 0.0, 255.0));
    page.pictures.push_back(std::move(photo));
    page.text(kMargin, page.height - kMargin - size, size, title);
    return page;
}

Page scannedPage()
{
    Page page;
    page.rect(0, 0, page.width, page.height, 0.96); // the paper
    for (int i = 0; i < 40; ++i) {
        const double width = (page.width - 2 * kMargin) * (0.55 + 0.45 * ((i * 37) % 11) / 10.0);
        page.rect(kMargin, page.height - kMargin - 14 - i * 15.5, width, 7, 0.25);
    }
    return page;
}

std::string makePdf(const std::vector<Page>& pages, const Options& options)
{
    // Content streams first: they decide which fonts exist and which CIDs the Type0 font has.
    std::map<char32_t, int> cidOf;
    std::u32string charOfCid(1, U'\0'); // CID 0 stays .notdef
    bool usesHelvetica = false, usesUnicode = false;
    std::vector<std::string> contents;
    for (const Page& page : pages) {
        std::string c;
        for (size_t k = 0; k < page.pictures.size(); ++k) {
            const Picture& p = page.pictures[k];
            c += "q " + num(p.width) + " 0 0 " + num(p.height) + ' ' + num(p.x) + ' ' + num(p.y) + " cm /Im"
                + std::to_string(k) + " Do Q\n";
        }
        for (const Rect& r : page.rects)
            c += "q " + num(r.gray) + " g " + num(r.x) + ' ' + num(r.y) + ' ' + num(r.width) + ' '
                + num(r.height) + " re f Q\n";
        for (const TextRun& run : page.runs) {
            const std::u32string chars = decodeUtf8(run.text);
            if (chars.empty())
                continue;
            const bool ansi = options.fontMode == FontMode::Auto
                && std::all_of(chars.begin(), chars.end(), [](char32_t ch) { return winAnsiByte(ch) >= 0; });
            std::string shown;
            if (ansi) {
                usesHelvetica = true;
                std::string bytes;
                for (char32_t ch : chars)
                    bytes += static_cast<char>(winAnsiByte(ch));
                shown = literal(bytes);
            } else {
                usesUnicode = true;
                std::string codes;
                for (char32_t ch : chars) {
                    auto [it, added] = cidOf.try_emplace(ch, static_cast<int>(charOfCid.size()));
                    if (added)
                        charOfCid += ch;
                    codes += static_cast<char>(it->second >> 8);
                    codes += static_cast<char>(it->second & 0xFF);
                }
                shown = '<' + hex(codes) + '>';
            }
            c += std::string("BT ") + (ansi ? "/F1 " : "/F2 ") + num(run.size) + " Tf " + num(run.x) + ' '
                + num(run.y) + " Td " + shown + " Tj ET\n";
        }
        contents.push_back(std::move(c));
    }
    // 65535 CIDs is the most two-byte codes can address; more would be silently corrupt.
    if (charOfCid.size() > 0x10000)
        return {};

    // Object numbers, fixed up front because encryption keys depend on them.
    int next = 1;
    const int catalog = next++, tree = next++;
    const int helvetica = usesHelvetica ? next++ : 0;
    const int type0 = usesUnicode ? next++ : 0;
    const int cidFont = usesUnicode ? next++ : 0;
    const int descriptor = usesUnicode ? next++ : 0;
    const int toUnicode = usesUnicode ? next++ : 0;
    const int firstPage = next;
    next += 2 * static_cast<int>(pages.size());
    std::vector<int> firstPicture; // of each page
    for (const Page& page : pages) {
        firstPicture.push_back(next);
        next += static_cast<int>(page.pictures.size());
    }
    const int info = next++;
    const bool encrypted = !options.userPassword.empty() || !options.ownerPassword.empty();
    const int encrypt = encrypted ? next++ : 0;
    std::vector<Object> objects(next);
    auto ref = [](int n) { return std::to_string(n) + " 0 R"; };

    // Same input, same file: the ID is a digest of everything that goes in.
    std::string seed = options.title + '\n' + options.author + '\n' + options.userPassword + '\n'
        + options.ownerPassword + '\n';
    for (const std::string& c : contents)
        seed += c;
    const std::string id = md5(seed);

    int32_t permissions = ~0x3F | 8 | 32; // modifying and annotating always allowed
    if (options.allowPrint)
        permissions |= 4;
    if (options.allowCopy)
        permissions |= 16;
    std::string fileKey, ownerEntry, userEntry;
    if (encrypted) {
        const std::string& owner = options.ownerPassword.empty() ? options.userPassword : options.ownerPassword;
        ownerEntry = rc4(md5(padPassword(owner)).substr(0, 5), padPassword(options.userPassword));
        fileKey = md5(padPassword(options.userPassword) + ownerEntry + le32(permissions) + id).substr(0, 5);
        userEntry = rc4(fileKey, padPassword(""));
    }
    auto objectKey = [&](int n) {
        return md5(fileKey + std::string{static_cast<char>(n), static_cast<char>(n >> 8), static_cast<char>(n >> 16), 0, 0})
            .substr(0, 10);
    };
    // Every string outside the encryption dictionary and the ID is encrypted with its object's key.
    auto pdfString = [&](int n, const std::string& bytes) {
        return encrypted ? '<' + hex(rc4(objectKey(n), bytes)) + '>' : literal(bytes);
    };

    objects[catalog].dict = "/Type /Catalog /Pages " + ref(tree);
    std::string kids;
    for (size_t i = 0; i < pages.size(); ++i)
        kids += (i ? " " : "") + ref(firstPage + 2 * static_cast<int>(i));
    objects[tree].dict = "/Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pages.size());
    const std::string helveticaDict = "/Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding";
    if (usesHelvetica)
        objects[helvetica].dict = helveticaDict;
    if (usesUnicode) {
        objects[type0].dict = std::string("/Type /Font /Subtype /Type0 /BaseFont ") + kUnicodeFontName
            + " /Encoding /Identity-H /DescendantFonts [" + ref(cidFont) + "] /ToUnicode " + ref(toUnicode);
        std::string widths;
        for (size_t cid = 1; cid < charOfCid.size(); ++cid)
            widths += (cid > 1 ? " " : "") + std::to_string(glyphWidth(charOfCid[cid]));
        objects[cidFont].dict = std::string("/Type /Font /Subtype /CIDFontType2 /BaseFont ") + kUnicodeFontName
            + " /CIDSystemInfo << /Registry " + pdfString(cidFont, "Adobe") + " /Ordering " + pdfString(cidFont, "Identity")
            + " /Supplement 0 >> /FontDescriptor " + ref(descriptor) + " /DW 1000 /W [1 [" + widths
            + "]] /CIDToGIDMap /Identity";
        objects[descriptor].dict = std::string("/Type /FontDescriptor /FontName ") + kUnicodeFontName
            + " /Flags 4 /FontBBox [-200 -250 1200 950] /ItalicAngle 0 /Ascent 900 /Descent -250"
              " /CapHeight 700 /StemV 80";
        std::string cmap = "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                           "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
                           "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
                           "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
        for (size_t first = 1; first < charOfCid.size(); first += 100) { // at most 100 entries a block
            const size_t last = std::min(charOfCid.size(), first + 100);
            cmap += std::to_string(last - first) + " beginbfchar\n";
            for (size_t cid = first; cid < last; ++cid) {
                std::string unicode;
                appendUtf16be(unicode, charOfCid[cid]);
                cmap += '<' + hex(std::string{static_cast<char>(cid >> 8), static_cast<char>(cid & 0xFF)}) + "> <"
                    + hex(unicode) + ">\n";
            }
            cmap += "endbfchar\n";
        }
        cmap += "endcmap\nCMapName currentdict /CMapName get exch defineresource pop\nend\nend\n";
        objects[toUnicode] = {"", true, cmap, {}};
    }
    std::string fonts;
    if (usesHelvetica)
        fonts += "/F1 " + (options.inlineHelvetica ? "<< " + helveticaDict + " >>" : ref(helvetica));
    if (usesUnicode)
        fonts += (fonts.empty() ? "/F2 " : " /F2 ") + ref(type0);
    for (size_t i = 0; i < pages.size(); ++i) {
        const int pageObj = firstPage + 2 * static_cast<int>(i);
        objects[pageObj].dict = "/Type /Page /Parent " + ref(tree) + " /MediaBox [0 0 " + num(pages[i].width) + ' '
            + num(pages[i].height) + "] /Resources << /Font << " + fonts + " >>";
        std::string pictures;
        for (size_t k = 0; k < pages[i].pictures.size(); ++k) {
            const Picture& p = pages[i].pictures[k];
            const int n = firstPicture[i] + static_cast<int>(k);
            pictures += " /Im" + std::to_string(k) + ' ' + ref(n);
            objects[n] = {"/Type /XObject /Subtype /Image /Width " + std::to_string(p.columns) + " /Height "
                              + std::to_string(p.rows) + " /ColorSpace /DeviceGray /BitsPerComponent 8 /Filter /RunLengthDecode",
                          true, runLength(p.pixels), {}};
        }
        if (!pictures.empty())
            objects[pageObj].dict += " /XObject <<" + pictures + " >>";
        objects[pageObj].dict += " >> /Contents " + ref(pageObj + 1);
        objects[pageObj + 1] = {"", true, contents[i], {}};
    }
    objects[info].dict = "/Producer " + pdfString(info, "KV-Ordvane test fixtures");
    if (!options.title.empty())
        objects[info].dict += " /Title " + pdfString(info, textStringBytes(options.title));
    if (!options.author.empty())
        objects[info].dict += " /Author " + pdfString(info, textStringBytes(options.author));
    if (encrypted)
        objects[encrypt].dict = "/Filter /Standard /V 1 /R 2 /O <" + hex(ownerEntry) + "> /U <" + hex(userEntry)
            + "> /P " + std::to_string(permissions);

    return serialise(objects, " /Info " + ref(info) + " /ID [<" + hex(id) + "> <" + hex(id) + ">]"
                                  + (encrypted ? " /Encrypt " + ref(encrypt) : std::string()),
                     [&](int n, std::string& data) {
                         if (encrypted)
                             data = rc4(objectKey(n), data);
                     });
}

RawObject dictObject(std::string dict)
{
    return {std::move(dict), false, {}, false, {}};
}

RawObject streamObject(std::string dict, std::string data, bool runLength)
{
    return {std::move(dict), true, std::move(data), runLength, {}};
}

RawObject valueObject(std::string value)
{
    return {{}, false, {}, false, std::move(value)};
}

std::string assemblePdf(const std::vector<RawObject>& raw)
{
    std::vector<Object> objects(1);
    for (const RawObject& o : raw)
        objects.push_back(o.runLength ? Object{o.dict + " /Filter /RunLengthDecode", true,
                                               runLength(std::vector<unsigned char>(o.data.begin(), o.data.end())), {}}
                                      : Object{o.dict, o.isStream, o.data, o.value});
    return serialise(objects, {}, [](int, std::string&) {});
}

std::string cidFontsPdf(const CidFontsOptions& o)
{
    // 1 catalog, 2 page tree, 3 descriptor, then the shared tables, the fonts, the pages.
    std::vector<RawObject> objects(3);
    const auto ref = [](size_t n) { return std::to_string(n) + " 0 R"; };
    const auto add = [&](RawObject object) {
        objects.push_back(std::move(object));
        return objects.size();
    };
    objects[0].dict = "/Type /Catalog /Pages 2 0 R";
    objects[2].dict = "/Type /FontDescriptor /FontName /Large /Flags 4 /FontBBox [0 -200 1000 900] /ItalicAngle 0"
                      " /Ascent 900 /Descent -200 /CapHeight 700 /StemV 80";
    const auto cidToGid = [&] {
        return o.cidToGidBytes == 0 ? std::string("/Identity")
                                    : ref(add(streamObject("", std::string(o.cidToGidBytes, '\0'), true)));
    };
    const auto widths = [&] {
        std::string w = "[0 [";
        for (int i = 0; i < o.widthEntries; ++i)
            w += i ? " 500" : "500";
        return ref(add(valueObject(w + "]]")));
    };
    const auto toUnicode = [&] {
        std::string cmap = "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                           "/CMapName /Large-UCS def\n/CMapType 2 def\n1 begincodespacerange\n<0000> <FFFF>\n"
                           "endcodespacerange\n";
        char range[64];
        std::snprintf(range, sizeof range, "1 beginbfrange\n<0000> <%04X> <0000>\nendbfrange\n",
                      unsigned(std::clamp(o.toUnicodeCodes, 1, 65536) - 1));
        cmap += std::string(range) + "endcmap\nCMapName currentdict /CMapName get exch defineresource pop\nend\nend\n";
        return ref(add(streamObject("", cmap)));
    };
    const std::string sharedMap = o.sharedCidToGid ? cidToGid() : "";
    const std::string sharedW = o.widthEntries > 0 && o.sharedWidths ? widths() : "";
    const std::string sharedToUnicode = o.sharedToUnicode ? toUnicode() : "";
    std::vector<size_t> fonts;
    for (int f = 0; f < o.fonts; ++f) {
        std::string descendant = "/Type /Font /Subtype /CIDFontType2 /BaseFont /Large /CIDSystemInfo << /Registry (Adobe)"
                                 " /Ordering (Identity) /Supplement 0 >> /FontDescriptor 3 0 R /DW 600 /CIDToGIDMap "
            + (o.sharedCidToGid ? sharedMap : cidToGid());
        if (o.widthEntries > 0)
            descendant += " /W " + (o.sharedWidths ? sharedW : widths());
        const size_t cidFont = add(dictObject(descendant));
        const std::string map = o.sharedToUnicode ? sharedToUnicode : toUnicode();
        fonts.push_back(add(dictObject("/Type /Font /Subtype /Type0 /BaseFont /Large /Encoding /Identity-H /DescendantFonts ["
                             + ref(cidFont) + "] /ToUnicode " + map)));
    }
    std::string kids;
    const int pages = o.pageTexts.empty() ? o.pages : int(o.pageTexts.size());
    for (int p = 0; p < pages; ++p) {
        std::u16string text;
        if (o.pageTexts.empty()) {
            for (char c : "Page " + std::to_string(p + 1))
                text += char16_t(c);
        } else {
            text = o.pageTexts[size_t(p)];
        }
        std::string content = "BT /F 12 Tf 72 720 Td 14 TL <";
        for (char16_t c : text) {
            if (c == u'\n')
                content += "> Tj T* <";
            else
                content += hex(std::string{char(c >> 8), char(c & 0xFF)});
        }
        const size_t contents = add(streamObject("", content + "> Tj ET\n"));
        kids += ref(add(dictObject("/Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Resources << /Font << /F "
                         + ref(fonts[size_t(p % std::max(1, o.fonts))]) + " >> >> /Contents " + ref(contents))))
            + ' ';
    }
    objects[1].dict = "/Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pages);
    return assemblePdf(objects);
}

bool writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    return !file.fail();
}

} // namespace testpdf
