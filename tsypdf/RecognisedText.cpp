#include "tsypdf/RecognisedText.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstddef>
#include <utility>

namespace RecognisedText {

int characters(const std::string &text)
{
    return int(std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

namespace {

// Letters and digits, and the rest of the visible characters: anything past ASCII counts
// as a letter (accents, other scripts), ASCII punctuation and symbols as marks.
std::pair<int, int> lettersAndMarks(const std::string &text)
{
    int letters = 0, marks = 0;
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0xC0 || (u < 0x80 && std::isalnum(u)))
            ++letters;
        else if (u > ' ' && u < 0x80)
            ++marks;
    }
    return {letters, marks};
}

bool surelyRead(const Word &word)
{
    const int letters = lettersAndMarks(word.text).first;
    return (letters >= 2 && word.confidence >= SureConfidence) || (letters >= LongWord && word.confidence >= LongWordConfidence);
}

// Letters and digits only, ASCII in lower case: a word as it reads whatever its spacing and
// punctuation ("2021 / 3 / 31" and "2021/3/31" alike).
std::string readingKey(const std::string &text)
{
    std::string key;
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x80 || std::isalnum(u))
            key += char(u < 0x80 ? std::tolower(u) : u);
    }
    return key;
}

void appendWords(std::string &out, const Line &line)
{
    for (const Word &word : line.words) {
        if (&word != &line.words.front())
            out += ' ';
        out += word.text;
    }
    out += '\n';
}

int median(std::vector<int> values)
{
    if (values.empty())
        return 0;
    std::nth_element(values.begin(), values.begin() + std::ptrdiff_t(values.size() / 2), values.end());
    return values[values.size() / 2];
}

double glyphWidthOf(const Word &word)
{
    return std::max(1.0, double(word.box.right - word.box.left) / std::max(1, characters(word.text)));
}

} // namespace

void dropNoise(std::vector<Line> &lines)
{
    for (Line &line : lines) {
        int letters = 0, marks = 0, length = 0;
        double confidence = 0; // of the line's characters
        for (const Word &word : line.words) {
            const auto [l, m] = lettersAndMarks(word.text);
            letters += l;
            marks += m;
            length += characters(word.text);
            confidence += double(word.confidence) * characters(word.text);
        }
        const bool unsure = confidence < LineConfidence * length && std::none_of(line.words.begin(), line.words.end(), surelyRead);
        if (unsure || marks > MarksPerLetter * letters)
            line.words.clear();
        std::erase_if(line.words, [](const Word &word) {
            return word.confidence < WordConfidence && lettersAndMarks(word.text).first < 2;
        });
    }
    std::erase_if(lines, [](const Line &line) { return line.words.empty(); });
}

void keepWordsTheLayerLacks(std::vector<Line> &lines, const std::string &layer)
{
    const std::string layerKey = readingKey(layer);
    for (Line &line : lines) {
        std::erase_if(line.words, [&](const Word &word) {
            const std::string key = readingKey(word.text);
            return !key.empty() && layerKey.find(key) != std::string::npos;
        });
    }
    std::erase_if(lines, [](const Line &line) {
        return std::none_of(line.words.begin(), line.words.end(), [](const Word &word) {
            return surelyRead(word) && lettersAndMarks(word.text).first >= CoverWordLetters;
        });
    });
}

std::string inReadingOrder(const std::vector<Line> &lines)
{
    std::string out;
    for (size_t i = 0; i < lines.size(); ++i) {
        appendWords(out, lines[i]);
        if (i + 1 < lines.size() && lines[i + 1].paragraph != lines[i].paragraph)
            out += '\n';
    }
    return out;
}

std::string inRawOrder(const std::vector<Line> &lines)
{
    std::string out;
    for (const Line &line : lines)
        appendWords(out, line);
    return out;
}

std::string inPhysicalLayout(std::vector<Line> lines)
{
    if (lines.empty())
        return {};
    std::vector<int> glyphWidths, lineHeights;
    int pageLeft = lines.front().words.front().box.left;
    for (const Line &line : lines) {
        lineHeights.push_back(std::max(1, line.box.bottom - line.box.top));
        for (const Word &word : line.words) {
            glyphWidths.push_back(int(glyphWidthOf(word)));
            pageLeft = std::min(pageLeft, word.box.left);
        }
    }
    const double charWidth = std::max(1, median(glyphWidths));
    const double lineHeight = median(lineHeights);
    std::stable_sort(lines.begin(), lines.end(), [](const Line &a, const Line &b) { return a.baseline < b.baseline; });

    std::string out;
    std::vector<std::pair<int, int>> starts; // where each word placed so far starts: its left edge, its column
    for (size_t first = 0; first < lines.size();) {
        size_t end = first + 1;
        while (end < lines.size() && lines[end].baseline - lines[first].baseline <= lineHeight * SameRowHeights)
            ++end;
        struct Placed {
            const Word *word;
            size_t line;
        };
        std::vector<Placed> row;
        for (size_t i = first; i < end; ++i)
            for (const Word &word : lines[i].words)
                row.push_back({&word, i});
        std::stable_sort(row.begin(), row.end(), [](const Placed &a, const Placed &b) { return a.word->box.left < b.word->box.left; });
        int column = 0;
        for (size_t i = 0; i < row.size(); ++i) {
            const Word &word = *row[i].word;
            int at = int(std::lround((word.box.left - pageLeft) / charWidth));
            // A word that starts within half a character of where a word above started takes
            // its column: a table's cells stay in line though the ink of their first letters
            // starts a little apart.
            int nearest = int(charWidth / 2) + 1;
            for (const auto &[left, placedAt] : starts)
                if (std::abs(word.box.left - left) < nearest)
                    nearest = std::abs(word.box.left - left), at = placedAt;
            if (i > 0) {
                // The next word of the same line after an ordinary space (for its letters'
                // size: a heading's are wide) follows with one; after a wider gap, a table's
                // next cell, it goes to its own column.
                const Placed &before = row[i - 1];
                const double glyphWidth = std::max({charWidth, glyphWidthOf(word), glyphWidthOf(*before.word)});
                const bool spaced = before.line == row[i].line && word.box.left - before.word->box.right < CellGapGlyphs * glyphWidth;
                at = spaced ? column + 1 : std::max(at, column + 1);
            }
            out.append(size_t(std::max(0, at - column)), ' ');
            out += word.text;
            starts.emplace_back(word.box.left, std::max(at, column));
            column = std::max(at, column) + characters(word.text);
        }
        if (end < lines.size()) {
            const int gap = lines[end].baseline - lines[first].baseline;
            const int feeds = std::clamp(int(gap / std::max(1.0, lineHeight)), 1, MostLineEnds);
            out.append(size_t(feeds), '\n');
        } else {
            out += '\n';
        }
        first = end;
    }
    return out;
}

}
