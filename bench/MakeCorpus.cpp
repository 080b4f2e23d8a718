// Fills a folder with PDFs for the benchmarks: make_corpus <folder> [files=40] [pages=25].
// The prose is pseudo-random but seeded, so every run writes the same bytes and timings
// stay comparable between builds.
#include "tests/support/PdfMaker.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int kLinesPerPage = 45;
constexpr double kFontSize = 11;

// Our own generator rather than <random>'s distributions, whose results differ between
// standard libraries.
class Rng {
public:
    explicit Rng(uint64_t seed) : state_(seed) {}
    uint64_t next()
    {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    size_t below(size_t n) { return static_cast<size_t>(next() % n); }

private:
    uint64_t state_;
};

const std::vector<std::string> kWords = {
    "the", "of", "and", "to", "in", "a", "is", "that", "for", "it", "as", "was", "with", "be", "by", "on",
    "not", "this", "are", "from", "or", "have", "an", "they", "which", "one", "all", "were", "their",
    "report", "market", "customer", "delivery", "quarter", "invoice", "contract", "meeting", "project",
    "schedule", "budget", "office", "weather", "harbour", "river", "village", "committee", "proposal",
    "analysis", "results", "request", "shipment", "warehouse", "council", "summary", "estimate",
    "agreement", "department", "evidence", "season", "language", "library", "building", "morning",
    "evening", "journey", "question", "answer", "problem", "decision", "approval", "revision",
    "important", "careful", "previous", "following", "several", "different", "available", "possible",
    "quickly", "finally", "usually", "probably", "carefully", "already", "perhaps", "however",
    "describes", "confirms", "requires", "suggests", "includes", "remains", "explains", "receives",
    "prepared", "reviewed", "approved", "delayed", "increased", "reduced", "arrived", "returned",
    "between", "during", "without", "against", "before", "after", "under", "within", "across",
    "café", "naïve", "Müller", "Straße", "über", "façade", "résumé", "déjà", "Zürich", "señor", "€"};

std::string sentence(Rng& rng)
{
    std::string s;
    const size_t count = 6 + rng.below(11);
    for (size_t i = 0; i < count; ++i) {
        std::string word = kWords[rng.below(kWords.size())];
        if (word == "€")
            word += ' ' + std::to_string(10 + rng.below(990)); // amounts read like "€ 250"
        if (i == 0 && word[0] >= 'a' && word[0] <= 'z')
            word[0] = static_cast<char>(word[0] - 'a' + 'A');
        s += (i ? " " : "") + word;
        if (i + 2 < count && rng.below(9) == 0)
            s += ',';
    }
    return s + (rng.below(12) == 0 ? "?" : ".");
}

// Prose wrapped to the width, with a blank line between paragraphs, exactly `count` lines.
std::vector<std::string> prose(Rng& rng, size_t count, double width)
{
    std::vector<std::string> lines;
    std::string line;
    while (lines.size() < count) {
        const size_t sentences = 2 + rng.below(5);
        for (size_t k = 0; k < sentences && lines.size() < count; ++k) {
            std::string rest = sentence(rng);
            while (!rest.empty() && lines.size() < count) {
                const size_t space = rest.find(' ');
                const std::string word = rest.substr(0, space);
                rest = space == std::string::npos ? "" : rest.substr(space + 1);
                const std::string candidate = line.empty() ? word : line + ' ' + word;
                if (!line.empty() && testpdf::textWidth(candidate, kFontSize) > width) {
                    lines.push_back(line);
                    line = word;
                } else {
                    line = candidate;
                }
            }
        }
        if (!line.empty() && lines.size() < count)
            lines.push_back(line);
        line.clear();
        if (lines.size() < count)
            lines.emplace_back(); // paragraph break
    }
    return lines;
}

int parseCount(const char* text, const char* what)
{
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (*end != '\0' || value < 1 || value > 100000) {
        std::fprintf(stderr, "make_corpus: %s must be a number from 1 to 100000, not '%s'\n", what, text);
        std::exit(2);
    }
    return static_cast<int>(value);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 4) {
        std::fprintf(stderr, "usage: make_corpus <folder> [files=40] [pages=25]\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    const int files = argc > 2 ? parseCount(argv[2], "files") : 40;
    const int pages = argc > 3 ? parseCount(argv[3], "pages") : 25;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        std::fprintf(stderr, "make_corpus: cannot create %s: %s\n", folder.c_str(), error.message().c_str());
        return 1;
    }

    const testpdf::Page letter;
    const double fullWidth = letter.width - 2 * testpdf::kMargin;
    const double columnWidth = (fullWidth - testpdf::kColumnGap) / 2;
    Rng rng(20240601);
    uintmax_t totalBytes = 0;
    int totalTwoColumn = 0;
    for (int f = 1; f <= files; ++f) {
        std::vector<testpdf::Page> document;
        int twoColumn = 0;
        for (int p = 0; p < pages; ++p) {
            // Roughly one page in eight is set in two columns, never the first.
            if (p % 8 == 5) {
                const auto left = prose(rng, kLinesPerPage, columnWidth);
                document.push_back(testpdf::twoColumnPage(left, prose(rng, kLinesPerPage, columnWidth), kFontSize));
                ++twoColumn;
            } else {
                document.push_back(testpdf::linesPage(prose(rng, kLinesPerPage, fullWidth), kFontSize));
            }
        }
        testpdf::Options options;
        options.title = "Benchmark document " + std::to_string(f);
        const std::string bytes = testpdf::makePdf(document, options);
        char name[32];
        std::snprintf(name, sizeof name, "corpus_%03d.pdf", f);
        const std::filesystem::path path = folder / name;
        if (!testpdf::writeFile(path.string(), bytes)) {
            std::fprintf(stderr, "make_corpus: cannot write %s\n", path.c_str());
            return 1;
        }
        std::printf("%s  %d pages (%d two-column)  %zu bytes\n", path.c_str(), pages, twoColumn, bytes.size());
        totalBytes += bytes.size();
        totalTwoColumn += twoColumn;
    }
    std::printf("wrote %d files, %d pages (%d two-column), %ju bytes in %s\n", files, files * pages, totalTwoColumn,
                totalBytes, folder.c_str());
    return 0;
}
