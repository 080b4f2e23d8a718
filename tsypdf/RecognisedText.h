#pragma once
// The words recognition read on a page, made into text: the noise rules that leave out what a
// picture gives, the words a page's own text layer lacks, and the three text orders. Plain
// C++ on the engine's words and boxes, so that its rules are tested on made-up lines.
#include <string>
#include <vector>

namespace RecognisedText {

struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;
};

struct Word {
    std::string text;  // UTF-8
    float confidence = 0; // 0 to 100
    Box box;           // in pixels, y downwards
};

struct Line {
    std::vector<Word> words;
    Box box;
    int baseline = 0;  // y of the baseline at the line's middle
    int paragraph = 0; // lines of one paragraph share it
};

// What the engine takes for a line in a picture is read with little confidence on the whole,
// and holds no word that is surely read: two letters or digits with high confidence, or a
// long run of them with any. A line of text nearly always is or has one, even a line of a
// code listing the engine finds odd. Within a line, a mark or a lone character below
// WordConfidence is a speck, not writing; a word of letters stays, as a page of text must
// not lose words.
constexpr float WordConfidence = 20;
constexpr float LineConfidence = 60;
constexpr float SureConfidence = 90;
constexpr int LongWord = 6;
constexpr float LongWordConfidence = 10;
// Lines of far more punctuation than letters and digits are stray marks too.
constexpr int MarksPerLetter = 2;
// Recognised lines added to a text layer hold a surely read word of this many letters.
constexpr int CoverWordLetters = 4;

// In the layout order: lines whose baselines are closer than this share of a line's height
// share a row; a gap of more than this many characters' widths between words of one line is
// a table's next cell; at most this many line ends between rows (four blank lines).
constexpr double SameRowHeights = 0.5;
constexpr double CellGapGlyphs = 2;
constexpr int MostLineEnds = 5;

// Characters, not bytes, of UTF-8 text.
int characters(const std::string &text);

// Leaves out the lines of stray marks, and the words the engine is unsure of.
void dropNoise(std::vector<Line> &lines);

// On a page with a text layer of its own (a cover's title over its photograph, a stamped
// number on a scan), the recognised lines that bring words it lacks. The page is painted with
// the layer's text, so recognition reads that too: a word the layer already holds is not given
// twice. What is left of a line must hold a word of some length surely read, for what a
// photograph gives is mostly stray letters.
void keepWordsTheLayerLacks(std::vector<Line> &lines, const std::string &layer);

// Lines as the engine put them together, its paragraphs apart by a blank line.
std::string inReadingOrder(const std::vector<Line> &lines);
// Lines as found, one after the other.
std::string inRawOrder(const std::vector<Line> &lines);
// The words on a grid of characters, as the layout order places a text layer's: a column is
// a typical character's width (from the words' boxes), lines that share a baseline share a
// row whatever block the engine put them in, so columns and table cells stay side by side,
// and a line height of space between rows is a blank line. Each line has words.
std::string inPhysicalLayout(std::vector<Line> lines);

}
