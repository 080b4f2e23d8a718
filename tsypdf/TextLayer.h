#pragma once
// A PDF's pages for tsypdf-worker, read with poppler's own classes rather than poppler-cpp's:
// their text layers, and grey pictures of them for recognition. One document, one text device
// and one painter serve a whole request, so what poppler keeps in a device (colour transforms
// above all) and the fonts are made once per file, not once per page. A page's text is byte
// for byte what poppler-cpp's page::text() gives.
#include "base/WorkerProtocol.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class Dict;
class FontCache;
class GfxFontDict;
class GooString;
class PDFDoc;
class Page;
class SplashOutputDev;

struct GreyImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels; // rows without padding
};

// A page painted without paper: each pixel's grey, and how opaque what is drawn there is (0
// where nothing is).
struct PaintedImage {
    GreyImage grey;
    std::vector<uint8_t> alpha;

    // Pixel i as poppler lays it on paper of that grey at the end of a page.
    int onPaper(size_t i, int paper) const
    {
        const int mixed = (255 - alpha[i]) * paper + alpha[i] * grey.pixels[i];
        return (mixed + (mixed >> 8) + 0x80) >> 8;
    }
};
class TextOutputDev;

// Each pixel the mean of a square of four.
GreyImage halvedImage(const GreyImage &image);

// Sets poppler's global parameters up for the rest of the process. poppler-cpp would tear
// them down whenever none of its documents is open and build them again for the next one.
void keepPopplerParameters();

class TextLayer {
public:
    // The file's document, or nullptr with result saying why (a WorkerProtocol result code).
    // The password, when not empty, is tried as the user's and as the owner's, as typed
    // (UTF-8) and in PDFDocEncoding.
    static std::unique_ptr<TextLayer> open(const std::string &path, std::string_view password, int32_t &result);
    ~TextLayer();

    int pages() const;

    // The page's text (UTF-8, ended by poppler's form feed) in the order; false when the
    // document has no such page.
    bool read(int index, WorkerProtocol::TextOrder order, std::vector<char> &text);
    // Whether the page read() read last shows text in a font poppler could not make (named
    // but missing, in a collection without its data, or broken): that text is not in it.
    bool lostTextToFonts() const { return lostText; }

    // The page's crop box in square points; 0 when there is no such page.
    double area(int index);
    // Whether the page's own resources hold an image, as a scanned page's do.
    bool namesImage(int index);
    // A grey picture of the page at dpi on white paper, as poppler-cpp's renderer paints it
    // with antialiasing; empty when there is no such page.
    GreyImage render(int index, double dpi);
    // The same without paper, so that one picture tells both what shows on white paper and
    // where the paper shows through at all.
    PaintedImage paint(int index, double dpi);
    // A scanned page's picture as it was scanned, in grey at its own resolution (set in dpi),
    // when the page draws nothing but that picture, opaque, of 8 bits or more a component,
    // upright or mirrored, filling the page, at a resolution to read text at (pictures of
    // twice or four times that are halved); empty otherwise. Nothing is rendered: scaling and
    // painting the picture cost as much again as decoding it.
    GreyImage scannedPicture(int index, double &dpi);

private:
    TextLayer();
    static std::unique_ptr<TextLayer> openWith(const std::string &path, std::string_view password, int32_t &result);
    void display(Page &page);
    bool fontsMadeOnce(Dict &resources) const;
    void fillFonts(Dict &resources, GfxFontDict &empty);

    std::unique_ptr<PDFDoc> document;
    std::unique_ptr<GooString> written;
    std::unique_ptr<TextOutputDev> device;
    WorkerProtocol::TextOrder deviceOrder = WorkerProtocol::TextOrder::Reading;
    std::unique_ptr<FontCache> fonts;
    bool lostText = false;
    GreyImage renderWith(std::unique_ptr<SplashOutputDev> &device, bool onPaper, int index, double dpi,
                         std::vector<uint8_t> *alpha);

    std::unique_ptr<SplashOutputDev> painter;     // on white paper
    std::unique_ptr<SplashOutputDev> paperless;   // keeps each pixel's opacity
};
