#include "tsypdf/Recognition.h"

#include "base/RecognitionLanguages.h"
#include "tsypdf/RecognisedText.h"
#include "tsypdf/TextLayer.h"

#include <tesseract/baseapi.h>
#include <tesseract/ltrresultiterator.h>
#include <tesseract/ocrclass.h>
#include <tesseract/resultiterator.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

using RecognisedText::Box;
using RecognisedText::Line;
using RecognisedText::Word;
using WorkerProtocol::TextOrder;

namespace {

constexpr double ReadingDpi = 300;
// A page this large at 300 dpi is read at a lower resolution: the memory cap is for whole
// files, and one poster-sized page must not use it up.
constexpr double MostPixels = 40e6;
// Fewer visible characters than this count as "only a few".
constexpr int FewCharacters = 32;
constexpr double CheckDpi = 50;
// Fewer pixels than this across or down at the reading resolution hold no line of text.
constexpr int MinTextPixels = 32;
// The mean confidence of a page's characters from which its reading is taken as it is.
constexpr double WellReadConfidence = 80;
// The orientation step's confidence in a script from which it is believed.
constexpr float SureScript = 1.0f;

int visibleCharacters(const char *text, size_t size)
{
    int count = 0;
    for (size_t i = 0; i < size; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if ((c & 0xC0) != 0x80 && c > ' ') // a character's first byte, not a blank or control
            ++count;
    }
    return count;
}

// Turns the image clockwise by quarter turns.
GreyImage turned(const GreyImage &image, int quarterTurns)
{
    quarterTurns &= 3;
    if (quarterTurns == 0)
        return image;
    GreyImage out;
    const bool sideways = quarterTurns != 2;
    out.width = sideways ? image.height : image.width;
    out.height = sideways ? image.width : image.height;
    out.pixels.resize(image.pixels.size());
    for (int y = 0; y < image.height; ++y) {
        const uint8_t *row = image.pixels.data() + size_t(y) * size_t(image.width);
        for (int x = 0; x < image.width; ++x) {
            int nx = 0, ny = 0;
            switch (quarterTurns) {
            case 1: nx = image.height - 1 - y, ny = x; break;
            case 2: nx = image.width - 1 - x, ny = image.height - 1 - y; break;
            default: nx = y, ny = image.width - 1 - x; break;
            }
            out.pixels[size_t(ny) * size_t(out.width) + size_t(nx)] = row[x];
        }
    }
    return out;
}

// Tesseract reads a line it reads poorly a second time inverted, in case it is light text on
// a dark ground. A page without a dark patch as wide as a word and as tall as a line holds
// no such text, and is spared that second reading.
bool mayHoldLightOnDark(const GreyImage &image, double dpi)
{
    const int tile = std::max(4, int(dpi / 12)); // six points square: half a line of text
    const int across = image.width / tile, down = image.height / tile;
    std::vector<int> darkRun(size_t(std::max(across, 0)), 0);
    for (int ty = 0; ty < down; ++ty) {
        int run = 0;
        for (int tx = 0; tx < across; ++tx) {
            int sum = 0;
            for (int y = ty * tile; y < (ty + 1) * tile; ++y) {
                const uint8_t *row = image.pixels.data() + size_t(y) * size_t(image.width) + size_t(tx) * size_t(tile);
                for (int x = 0; x < tile; ++x)
                    sum += row[x];
            }
            const bool dark = sum < 128 * tile * tile;
            run = dark ? run + 1 : 0;
            // Dark tiles six across (half an inch) in two rows running.
            darkRun[size_t(tx)] = dark && run >= 6 ? darkRun[size_t(tx)] + 1 : 0;
            if (darkRun[size_t(tx)] >= 2)
                return true;
        }
    }
    return false;
}

// Otsu's threshold over a page's greys: the grey that parts them into the two most distinct
// classes, itself in the darker.
int otsuThreshold(const std::array<double, 256> &count, double pixels)
{
    double total = 0;
    for (int grey = 0; grey < 256; ++grey)
        total += grey * count[size_t(grey)];
    int threshold = 0;
    double darker = 0, darkerTotal = 0, best = -1;
    for (int grey = 0; grey < 255; ++grey) {
        darker += count[size_t(grey)];
        darkerTotal += grey * count[size_t(grey)];
        if (darker == 0 || darker == pixels)
            continue;
        const double apart = darkerTotal / darker - (total - darkerTotal) / (pixels - darker);
        if (const double score = darker * (pixels - darker) * apart * apart; score > best)
            best = score, threshold = grey;
    }
    return threshold;
}

// Tesseract splits ink from paper with one threshold for the whole page, Otsu's. On a page of
// black letters and pictures beside grey text (a light body type, a faded print) it falls
// between the black and the grey, and the grey text is dropped whole. Whether the page is
// mostly plain paper with such grey ink in three inch squares or more, each holding more of
// it than of ink the threshold keeps, and enough of it for a few letters.
bool dropsGreyInk(const GreyImage &image, double dpi)
{
    // Every other pixel of every other row tells as much, at a quarter of the time: strokes
    // are wider than that.
    constexpr int Step = 2;
    std::array<double, 256> count{};
    double pixels = 0;
    for (int y = 0; y < image.height; y += Step) {
        const uint8_t *row = image.pixels.data() + size_t(y) * size_t(image.width);
        for (int x = 0; x < image.width; x += Step)
            ++count[row[x]];
    }
    for (const double pixelsOfGrey : count)
        pixels += pixelsOfGrey;
    int paper = 128; // the commonest light grey
    for (int grey = paper; grey < 256; ++grey)
        paper = count[size_t(grey)] > count[size_t(paper)] ? grey : paper;
    int grain = paper; // how far the paper's own greys reach
    while (grain > 0 && count[size_t(grain - 1)] > count[size_t(paper)] / 2)
        --grain;
    constexpr int PaperLatitude = 20; // the grain of a scanned sheet, and its shading
    double plain = 0;
    for (int grey = paper - PaperLatitude; grey < 256; ++grey)
        plain += count[size_t(grey)];
    if (plain < pixels * 0.8) // a photograph, say: thresholds of its parts would make words of its shades
        return false;

    const int otsu = otsuThreshold(count, pixels);

    // Ink the threshold keeps, and grey ink it drops: lighter than the threshold but darker
    // than the paper by more than its grain. The soft edges of black letters make grey ink
    // too, about half as much as their ink.
    enum Kind : uint8_t { Paper, Kept, Dropped };
    std::array<Kind, 256> kind{};
    const int faintest = paper - std::max(3 * (paper - grain), 24);
    for (int grey = 0; grey < 256; ++grey)
        kind[size_t(grey)] = grey <= otsu ? Kept : grey < faintest ? Dropped : Paper;
    const int tile = std::max(16, int(dpi));
    std::vector<std::array<int, 3>> inTile(static_cast<size_t>((image.width + tile - 1) / tile));
    int greyPatches = 0;
    for (int top = 0; top < image.height; top += tile) {
        for (int y = top; y < std::min(image.height, top + tile); y += Step) {
            const uint8_t *row = image.pixels.data() + size_t(y) * size_t(image.width);
            for (int x = 0, across = 0; x < image.width; ++across)
                for (const int end = std::min(image.width, x + tile); x < end; x += Step)
                    ++inTile[size_t(across)][kind[row[x]]];
        }
        for (std::array<int, 3> &counts : inTile) {
            const int area = counts[Paper] + counts[Kept] + counts[Dropped];
            if (counts[Dropped] >= area / 50 && counts[Dropped] >= 2 * counts[Kept] && counts[Dropped] > 0)
                ++greyPatches;
            counts = {};
        }
        if (greyPatches >= 3) // a grey logo or a shaded box is one or two
            return true;
    }
    return false;
}

double readingDpi(double area)
{
    const double pixelsAt300 = area / (72 * 72) * ReadingDpi * ReadingDpi;
    if (!(pixelsAt300 > MostPixels))
        return ReadingDpi;
    return std::max(10.0, ReadingDpi * std::sqrt(MostPixels / pixelsAt300));
}

// Blocks the engine took for pictures or rules hold no text.
bool holdsText(tesseract::PolyBlockType type)
{
    switch (type) {
    case tesseract::PT_FLOWING_IMAGE:
    case tesseract::PT_HEADING_IMAGE:
    case tesseract::PT_PULLOUT_IMAGE:
    case tesseract::PT_HORZ_LINE:
    case tesseract::PT_VERT_LINE:
    case tesseract::PT_NOISE:
        return false;
    default:
        return true;
    }
}

// The page's lines with their words, in the iterator's order: the reading order of a
// ResultIterator, or the engine's own, left to right, of an LTRResultIterator.
std::vector<Line> linesOf(tesseract::LTRResultIterator &it)
{
    std::vector<Line> lines;
    int paragraph = 0;
    it.Begin();
    do {
        if (it.Empty(tesseract::RIL_WORD) || !holdsText(it.BlockType()))
            continue;
        if (it.IsAtBeginningOf(tesseract::RIL_PARA))
            ++paragraph;
        if (lines.empty() || it.IsAtBeginningOf(tesseract::RIL_TEXTLINE)) {
            Line line;
            line.paragraph = paragraph;
            Box &b = line.box;
            it.BoundingBox(tesseract::RIL_TEXTLINE, &b.left, &b.top, &b.right, &b.bottom);
            int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
            line.baseline = it.Baseline(tesseract::RIL_TEXTLINE, &x1, &y1, &x2, &y2) ? (y1 + y2) / 2 : b.bottom;
            lines.push_back(std::move(line));
        }
        const std::unique_ptr<char[]> text(it.GetUTF8Text(tesseract::RIL_WORD));
        if (!text || visibleCharacters(text.get(), std::strlen(text.get())) == 0)
            continue;
        Word word;
        word.text = text.get();
        word.confidence = it.Confidence(tesseract::RIL_WORD);
        it.BoundingBox(tesseract::RIL_WORD, &word.box.left, &word.box.top, &word.box.right, &word.box.bottom);
        lines.back().words.push_back(std::move(word));
    } while (it.Next(tesseract::RIL_WORD));
    return lines;
}

// Enough characters read with enough confidence, on the whole, to take the page as upright and
// in letters the languages read. Upright prose reads at about 90; a page turned or in other
// letters gives a few words, or noise below 70.
bool readsWell(const std::vector<Line> &lines)
{
    double weighted = 0;
    int characters = 0;
    for (const Line &line : lines)
        for (const Word &word : line.words) {
            const int count = visibleCharacters(word.text.data(), word.text.size());
            weighted += double(word.confidence) * count;
            characters += count;
        }
    return characters >= FewCharacters && weighted >= WellReadConfidence * characters;
}

// The characters of the words read with the confidence of upright prose.
int surelyRead(const std::vector<Line> &lines)
{
    int characters = 0;
    for (const Line &line : lines)
        for (const Word &word : line.words)
            characters += word.confidence >= WellReadConfidence ? visibleCharacters(word.text.data(), word.text.size()) : 0;
    return characters;
}

// The page as poppler lays it on white paper.
GreyImage onWhitePaper(PaintedImage painted)
{
    for (size_t i = 0; i < painted.grey.pixels.size(); ++i)
        painted.grey.pixels[i] = uint8_t(painted.onPaper(i, 255));
    return std::move(painted.grey);
}

// Anything darker than this on white paper is a mark, not the paper's own grain.
constexpr int MarkedGrey = 200;

bool marked(const GreyImage &image)
{
    return std::any_of(image.pixels.begin(), image.pixels.end(), [](uint8_t grey) { return grey < MarkedGrey; });
}

// Whether a page with the text layer may hold writing to read: one left blank on purpose has
// nothing; anything drawn on a page without text may be writing. Over a few characters, a
// picture must cover most of the page around them, as on a scan with a stamped number.
bool showsWriting(const PaintedImage &painted, const std::vector<char> &layerText)
{
    const size_t size = painted.grey.pixels.size();
    if (visibleCharacters(layerText.data(), layerText.size()) == 0) {
        for (size_t i = 0; i < size; ++i)
            if (painted.onPaper(i, 255) < MarkedGrey)
                return true;
        return false;
    }
    // Where something opaque is drawn, the paper's colour does not show: count the pixels
    // that look the same on white paper and on black.
    size_t covered = 0;
    for (size_t i = 0; i < size; ++i)
        covered += std::abs(painted.onPaper(i, 255) - painted.onPaper(i, 0)) <= 8 ? 1 : 0;
    return size > 0 && covered * 2 >= size;
}

} // namespace

struct Recogniser::Engines {
    tesseract::TessBaseAPI reader;
    std::string readerLanguages; // what reader was set up for; empty: not set up
    tesseract::TessBaseAPI orientation;
    bool orientationTried = false;
    bool orientationReady = false;

    bool prepareReader(const std::string &languages)
    {
        if (readerLanguages == languages)
            return true;
        readerLanguages.clear();
        if (languages.empty() || reader.Init(RecognitionLanguages::dataDirectory().c_str(), languages.c_str(), tesseract::OEM_LSTM_ONLY) != 0)
            return false;
        reader.SetPageSegMode(tesseract::PSM_AUTO);
        // Sauvola's threshold made to take faint ink: at Tesseract's 0.34 it leaves grey letters
        // out as it does paper.
        reader.SetVariable("thresholding_kfactor", "0.2");
        readerLanguages = languages;
        return true;
    }

    bool prepareOrientation()
    {
        if (!orientationTried) {
            orientationTried = true;
            orientationReady = orientation.Init(RecognitionLanguages::dataDirectory().c_str(), "osd", tesseract::OEM_TESSERACT_ONLY) == 0;
            if (orientationReady)
                orientation.SetPageSegMode(tesseract::PSM_OSD_ONLY);
        }
        return orientationReady;
    }

    // The page's lines as the reader reads the image, in the iterator's order for the text order.
    std::vector<Line> recognise(const GreyImage &image, double dpi, TextOrder order, tesseract::ETEXT_DESC &monitor)
    {
        reader.SetVariable("tessedit_do_invert", mayHoldLightOnDark(image, dpi) ? "1" : "0");
        // 2: Sauvola's, each pixel's threshold from the greys around it; 0: Otsu's over the page,
        // which reads the other pages best, and at a tenth less time.
        reader.SetVariable("thresholding_method", dropsGreyInk(image, dpi) ? "2" : "0");
        reader.SetImage(image.pixels.data(), image.width, image.height, 1, image.width);
        reader.SetSourceResolution(int(dpi));
        reader.Recognize(&monitor);
        std::vector<Line> lines;
        if (const std::unique_ptr<tesseract::ResultIterator> words(reader.GetIterator()); words) {
            if (order == TextOrder::Raw) {
                tesseract::LTRResultIterator engineOrder(*words); // without the reordering for reading
                lines = linesOf(engineOrder);
            } else {
                lines = linesOf(*words);
            }
        }
        reader.Clear();
        return lines;
    }

    struct Orientation {
        int uprightTurns = 0; // clockwise quarter turns that put the page the right way up
        std::string script;   // the script its letters are in; empty when that is unsure
    };
    // Half the resolution is plenty to tell which way the lines run and what script they are
    // in, and takes less time.
    Orientation orientationOf(const GreyImage &image, double dpi)
    {
        Orientation found;
        if (!prepareOrientation())
            return found;
        const GreyImage half = halvedImage(image);
        orientation.SetImage(half.pixels.data(), half.width, half.height, 1, half.width);
        orientation.SetSourceResolution(int(dpi / 2));
        int degrees = 0;
        float confidence = 0, scriptConfidence = 0;
        const char *script = nullptr;
        const bool detected = orientation.DetectOrientationScript(&degrees, &confidence, &script, &scriptConfidence);
        orientation.Clear();
        if (!detected)
            return found;
        if (script && scriptConfidence >= SureScript)
            found.script = script;
        // Too few letters for a firm answer: leave the page as it is.
        if (confidence >= 1.5f && degrees % 90 == 0)
            found.uprightTurns = (4 - degrees / 90) & 3;
        return found;
    }
};

Recogniser::Recogniser() = default;
Recogniser::~Recogniser() = default;

void Recogniser::setLanguages(const std::string &wanted)
{
    const std::vector<std::string> present = RecognitionLanguages::installed();
    languages.clear();
    for (const std::string &code : RecognitionLanguages::split(wanted)) {
        if (std::find(present.begin(), present.end(), code) != present.end())
            languages += (languages.empty() ? "" : "+") + code;
    }
}

bool Recogniser::mayWant(const std::vector<char> &layerText) const
{
    return !languages.empty() && visibleCharacters(layerText.data(), layerText.size()) < FewCharacters;
}

Recogniser::Need Recogniser::wanted(TextLayer &document, int page, const std::vector<char> &layerText) const
{
    if (!mayWant(layerText))
        return Need::None;
    if (document.namesImage(page))
        return Need::ReadingIfItShows;
    return showsWriting(document.paint(page, CheckDpi), layerText) ? Need::Reading : Need::None;
}

void Recogniser::prepare()
{
    if (!engines)
        engines = std::make_unique<Engines>();
    if (engines->prepareReader(languages))
        engines->prepareOrientation();
}

std::optional<Recogniser::Unread> Recogniser::read(TextLayer &document, int page, TextOrder order, std::vector<char> &text,
                                                   Need need)
{
    // The page's time counts from here: rendering and the orientation take their part of it.
    const auto started = std::chrono::steady_clock::now();
    prepare();
    if (engines->readerLanguages != languages)
        return {};
    double dpi = readingDpi(document.area(page));
    GreyImage image;
    if (need == Need::ReadingIfItShows) {
        // A scan is read from its own picture where it can be; one picture that fills the
        // page covers what few characters it has.
        double scanDpi = 0;
        if (GreyImage scan = document.scannedPicture(page, scanDpi); !scan.pixels.empty() && scan.pixels.size() <= MostPixels) {
            if (visibleCharacters(text.data(), text.size()) == 0 && !marked(scan))
                return {};
            image = std::move(scan);
            dpi = scanDpi;
        } else {
            PaintedImage painted = document.paint(page, dpi);
            if (!showsWriting(painted, text))
                return {};
            image = onWhitePaper(std::move(painted));
        }
    } else {
        image = document.render(page, dpi);
    }
    // A sliver of a page holds no line of text, and trips up the engines.
    if (image.width < MinTextPixels || image.height < MinTextPixels)
        return {};
    tesseract::ETEXT_DESC monitor; // past its deadline recognition stops; what it has read so far stays
    const auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started).count();
    monitor.set_deadline_msecs(int(std::max<long long>(1, budgetSeconds * 1000LL - spent)));
    std::vector<Line> lines = engines->recognise(image, dpi, order, monitor);
    // Most pages lie the right way up, in letters the languages read, and read well as they
    // are. Only a doubtful reading is worth the orientation step, which takes nearly as long
    // as a reading: a page turned, or in other letters, reads as little or as noise.
    if (!monitor.deadline_exceeded() && !readsWell(lines)) {
        const Engines::Orientation orientation = engines->orientationOf(image, dpi);
        // Read with data for other letters, a page gives words that are not on it.
        if (!RecognitionLanguages::canRead(RecognitionLanguages::split(languages), orientation.script))
            return Unread{WorkerProtocol::UnreadReason::NoLanguage, orientation.script};
        if (orientation.uprightTurns != 0) {
            std::vector<Line> turnedLines = engines->recognise(turned(image, orientation.uprightTurns), dpi, order, monitor);
            // With few letters to go by, as over a photograph, the orientation step may turn an
            // upright page: the reading sure of more characters stands.
            if (surelyRead(turnedLines) >= surelyRead(lines))
                lines = std::move(turnedLines);
        }
    }
    const std::optional<Unread> cut = monitor.deadline_exceeded() ? std::optional(Unread{WorkerProtocol::UnreadReason::CutShort, {}})
                                                                    : std::nullopt;
    RecognisedText::dropNoise(lines);
    std::string layer(text.begin(), text.end());
    while (!layer.empty() && static_cast<unsigned char>(layer.back()) <= ' ')
        layer.pop_back(); // blanks, line ends and poppler's form feed
    if (!layer.empty())
        RecognisedText::keepWordsTheLayerLacks(lines, layer);

    // The page's text ends in one line feed, as poppler's does.
    std::string recognised = order == TextOrder::Physical ? RecognisedText::inPhysicalLayout(std::move(lines))
                           : order == TextOrder::Raw      ? RecognisedText::inRawOrder(lines)
                                                          : RecognisedText::inReadingOrder(lines);
    while (!recognised.empty() && static_cast<unsigned char>(recognised.back()) <= ' ')
        recognised.pop_back();
    if (visibleCharacters(recognised.data(), recognised.size()) == 0)
        return cut;
    recognised = (layer.empty() ? "" : layer + "\n\n") + recognised + '\n';
    text.assign(recognised.begin(), recognised.end());
    return cut;
}
