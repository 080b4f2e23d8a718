#pragma once
// A small PDF writer for tests and benchmarks, so they can build their own fixtures
// instead of shipping binary files. Plain C++, no Qt, no poppler.
//
// Fonts: a text run whose characters all exist in Windows-1252 is written with the
// built-in Helvetica and /WinAnsiEncoding. Any other run (Greek, Cyrillic, CJK, emoji...)
// goes, as a whole, through one Type0 font with /Identity-H: each distinct character
// gets its own two-byte CID, a /ToUnicode CMap maps it back, and /W gives each CID a
// width (1000 for East Asian wide characters). No font program is embedded, so viewers
// render with a substitute font, but text extraction returns exactly the input text.
// Options::fontMode = FontMode::AlwaysUnicode sends every run through the Type0 font.
//
// Encryption: the standard security handler, 40-bit RC4 (V 1, R 2). It is switched on
// when either password is non-empty. An empty user password lets anyone open the file;
// the owner password then guards the permissions, so a copy restriction only means
// something with a non-empty owner password (an empty one falls back to the user
// password, as the handler prescribes).
//
// Output is deterministic: the same pages and options give the same bytes.
#include <string>
#include <vector>

namespace testpdf {

// One line of text. x, y is the start of the baseline in points, origin bottom-left.
struct TextRun {
    double x = 0;
    double y = 0;
    double size = 11;
    std::string text; // UTF-8
};

// A filled rectangle in points, origin bottom-left; gray 0 is black, 1 is white.
struct Rect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
    double gray = 0.5;
};

// A grey image (8 bits a pixel, rows top-down without padding) drawn into a rectangle in
// points, origin bottom-left. Stored run-length encoded.
struct Picture {
    int columns = 0;
    int rows = 0;
    std::vector<unsigned char> pixels;
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
};

struct Page {
    double width = 612; // US Letter
    double height = 792;
    std::vector<TextRun> runs; // written in this order, which is what raw extraction sees
    std::vector<Rect> rects;
    std::vector<Picture> pictures; // drawn first, under the rest

    Page& text(double x, double y, double size, const std::string& utf8);
    Page& rect(double x, double y, double width, double height, double gray = 0.5);
};

enum class FontMode {
    Auto,         // Helvetica/WinAnsi when a run fits Windows-1252, else the Type0 font
    AlwaysUnicode // every run through the Type0 font
};

struct Options {
    // Passwords go in as bytes; keep them ASCII so every reader agrees on them.
    std::string userPassword;  // non-empty: the file cannot be opened without it
    std::string ownerPassword; // non-empty: guards the permissions below
    bool allowCopy = true;     // only meaningful when encrypted
    bool allowPrint = true;    // only meaningful when encrypted
    FontMode fontMode = FontMode::Auto;
    bool inlineHelvetica = false; // Helvetica written into each page's font dictionary
    std::string title;  // document information, omitted when empty
    std::string author;
};

// Margins and sizes the helpers below use.
inline constexpr double kMargin = 54;
inline constexpr double kColumnGap = 36;

// Width in points of the text at the given size, with Helvetica metrics for ASCII and
// the widths the Type0 font declares for the rest (close enough for Latin accents).
double textWidth(const std::string& utf8, double size);

// Lines top-down at the left margin, leading 1.3 x size. 45 lines fit at size 11.
Page linesPage(const std::vector<std::string>& lines, double size = 11);

// Two columns side by side (left starts at the margin, right at the middle plus half
// the gap). The content stream interleaves them line by line, so an extractor only
// gets the left column before the right one if it really analyses the layout; physical
// layout puts line i of both on one output line, and so does raw extraction, which
// follows the content stream. Keep lines within a column, textWidth <=
// (612 - 2 * kMargin - kColumnGap) / 2, or the columns touch.
Page twoColumnPage(const std::vector<std::string>& left, const std::vector<std::string>& right,
                   double size = 11);

// A table: each row's cells on one baseline, each column at its own x, a blank row's
// height between the rows.
Page tablePage(const std::vector<std::vector<std::string>>& rows, double size = 12);

// A book cover: a grey photograph over the whole page, a pale sky above a harbour busy with
// marks the size of letters, and the title in large letters on the sky; no other text. The
// same every time.
Page photographPage(const std::string& title, double size = 36);

// A page with no text layer at all, only gray bars where text would be: stands for a
// scanned page.
Page scannedPage();

// The complete file. Empty only if the document uses more than 65535 distinct
// characters outside Windows-1252, which two-byte codes cannot address.
std::string makePdf(const std::vector<Page>& pages, const Options& options = {});

// A hand-made object: its dictionary's entries without << >>, and a stream when isStream.
// runLength stores a stream's data run-length encoded, so that a large map of few values
// stays small in the file.
struct RawObject {
    std::string dict;
    bool isStream = false;
    std::string data;
    bool runLength = false;
    std::string value; // instead of a dictionary: an array, a number
};

RawObject dictObject(std::string dict);
RawObject streamObject(std::string dict, std::string data, bool runLength = false);
RawObject valueObject(std::string value);

// Hand-made objects, numbered from 1 in order, as a whole file; object 1 is the catalog. For
// what the page builder does not draw: marked content, forms, fonts of unusual sizes.
std::string assemblePdf(const std::vector<RawObject>& objects);

// Pages that each show "Page N" (from 1), or the texts given, in a Type0 font whose tables can
// be chosen small in the file and large once read: a CIDToGIDMap of cidToGidBytes (stored
// run-length encoded), a /W array of widthEntries CIDs, a ToUnicode map of toUnicodeCodes
// codes (code = Unicode). Page i names font i % fonts; each table is one object all fonts
// share, or each font's own.
struct CidFontsOptions {
    int pages = 1;
    int fonts = 1;
    size_t cidToGidBytes = 0; // 0: /Identity
    bool sharedCidToGid = true;
    int widthEntries = 0;
    bool sharedWidths = true;
    int toUnicodeCodes = 65536;
    bool sharedToUnicode = true;
    // When given, the pages and what each shows instead: UTF-16 code units, each its own
    // code, a line break starting the next line. Any unit is shown, U+0000 too.
    std::vector<std::u16string> pageTexts;
};
std::string cidFontsPdf(const CidFontsOptions& options);

// Writes the bytes, replacing any existing file. False on any failure.
bool writeFile(const std::string& path, const std::string& bytes);

} // namespace testpdf
