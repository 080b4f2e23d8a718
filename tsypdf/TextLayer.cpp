#include "tsypdf/TextLayer.h"
#include "tsypdf/FontCache.h"
#include "tsypdf/PopplerReach.h"

#include <poppler-global.h>

#include <Annot.h>
#include <Catalog.h>
#include <Error.h>
#include <ErrorCodes.h>
#include <Gfx.h>
#include <GfxFont.h>
#include <GlobalParams.h>
#include <PDFDoc.h>
#include <Page.h>
#include <SplashOutputDev.h>
#include <splash/SplashBitmap.h>
#include <TextOutputDev.h>
#include <XRef.h>
#include <goo/GooString.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

using namespace WorkerProtocol;

// poppler makes a page's fonts afresh for every page, reading and parsing each embedded font
// program again, and that is most of its work on a page; it offers no way to hand fonts in.
// These reach the three members through which a page's fonts are found.
ORDVANE_REACH(ResourcesOfGfx, GfxResources *, Gfx, res);
ORDVANE_REACH(FontsOfResources, GfxFontDict *, GfxResources, fonts);
ORDVANE_REACH(FontsOfDictionary, std::vector<std::shared_ptr<GfxFont>>, GfxFontDict, fonts);

namespace {

// Text shown while no font is set (poppler unsets one it could not make) is left out of the
// page; counted here, as poppler tells of it only in an error.
unsigned textWithoutFont = 0;

void silentErrors(ErrorCategory, Goffset, const char *message)
{
    if (message && std::strncmp(message, "No font in ", 11) == 0)
        ++textWithoutFont;
}

void append(void *written, const char *text, int length)
{
    static_cast<GooString *>(written)->append(text, length);
}

// Whether the text is well-formed UTF-8 without a NUL byte and without the characters that
// byte order marks are made of: text that poppler-cpp passes on unchanged.
bool plainUtf8(const unsigned char *text, size_t size)
{
    size_t i = 0;
    while (i < size) {
        const unsigned char c = text[i];
        if (c >= 0x01 && c <= 0x7f) {
            ++i;
            continue;
        }
        size_t length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xbf;
        if (c >= 0xc2 && c <= 0xdf) {
            length = 2;
        } else if (c >= 0xe0 && c <= 0xef) {
            length = 3;
            low = c == 0xe0 ? 0xa0 : 0x80;
            high = c == 0xed ? 0x9f : 0xbf; // no surrogates
        } else if (c >= 0xf0 && c <= 0xf4) {
            length = 4;
            low = c == 0xf0 ? 0x90 : 0x80;
            high = c == 0xf4 ? 0x8f : 0xbf;
        } else {
            return false; // NUL, a stray continuation byte, or a lead byte UTF-8 never uses
        }
        if (size - i < length || text[i + 1] < low || text[i + 1] > high)
            return false;
        for (size_t k = 2; k < length; ++k) {
            if (text[i + k] < 0x80 || text[i + k] > 0xbf)
                return false;
        }
        if (c == 0xef && ((text[i + 1] == 0xbb && text[i + 2] == 0xbf) || (text[i + 1] == 0xbf && text[i + 2] >= 0xbe)))
            return false; // U+FEFF, U+FFFE, U+FFFF
        i += length;
    }
    return true;
}

// poppler-cpp hands a page's text on through UTF-16, which ends it at the first bytes that are
// not UTF-8. Plain text comes through that unchanged; anything else takes poppler-cpp's own
// way, so that it comes out as it always has. Its way also ends the text at a NUL, which
// poppler gives for a U+0000 of replacement text or of a many-character ToUnicode entry:
// here each stretch between NULs takes that way alone, and the NULs stay, as poppler's own
// command-line tool writes them.
void takeText(const GooString &written, std::vector<char> &text)
{
    const char *data = written.c_str();
    const size_t size = size_t(written.getLength());
    text.clear();
    for (size_t start = 0;;) {
        const void *nul = std::memchr(data + start, '\0', size - start);
        const size_t end = nul ? size_t(static_cast<const char *>(nul) - data) : size;
        if (plainUtf8(reinterpret_cast<const unsigned char *>(data + start), end - start)) {
            text.insert(text.end(), data + start, data + end);
        } else {
            const poppler::byte_array converted = poppler::ustring::from_utf8(data + start, int(end - start)).to_utf8();
            text.insert(text.end(), converted.begin(), converted.end());
        }
        if (end == size)
            return;
        text.push_back('\0');
        start = end + 1;
    }
}

// A text device whose pages and forms each start without an open span of replacement text.
// poppler's device carries a span that a page leaves open (a BDC with /ActualText and no EMC)
// on to the pages after it, which then give no text until some span closes. Here the end of
// the form or page that opened a span closes it as an EMC would, so its replacement text stays
// where the glyphs it replaces are, and what follows is read as it is.
class PageTextDevice : public TextOutputDev {
public:
    using TextOutputDev::TextOutputDev;

    void beginActualText(GfxState *state, const GooString *text) override
    {
        TextOutputDev::beginActualText(state, text);
        spanOpen = true;
        spanForms = forms;
        spanState.reset();
    }
    void endActualText(GfxState *state) override
    {
        TextOutputDev::endActualText(state);
        spanOpen = false;
        spanState.reset();
    }
    void drawChar(GfxState *state, double x, double y, double dx, double dy, double originX, double originY,
                  CharCode c, int nBytes, const Unicode *u, int uLen) override
    {
        // The replacement text takes the font and place of the span's first glyph, as it
        // would take those in force at the span's EMC.
        if (spanOpen && !spanState)
            spanState.reset(state->copy(true)); // a copy without its own path would free the page's
        TextOutputDev::drawChar(state, x, y, dx, dy, originX, originY, c, nBytes, u, uLen);
    }
    void beginForm(Ref id) override
    {
        ++forms;
        TextOutputDev::beginForm(id);
    }
    void endForm(Ref id) override
    {
        closeSpanOf(forms--);
        TextOutputDev::endForm(id);
    }
    void endPage() override
    {
        closeSpanOf(0);
        forms = 0;
        TextOutputDev::endPage();
    }

private:
    void closeSpanOf(int form)
    {
        // A span without a glyph adds nothing, and poppler reads no state for it.
        if (spanOpen && spanForms >= form)
            endActualText(spanState.get());
    }

    int forms = 0;     // forms being drawn, one inside another
    int spanForms = 0; // of these, those the open span began in
    bool spanOpen = false;
    std::unique_ptr<GfxState> spanState;
};

// A document's own output profile only steers colours, and the text has none; yet poppler
// builds colour transforms from it for every page. The document in memory forgets it.
void forgetOutputProfile(PDFDoc &document)
{
    XRef *xref = document.getXRef();
    Object catalog = xref->getCatalog();
    if (!catalog.isDict() || catalog.dictLookupNF("OutputIntents").isNull())
        return;
    Object withoutProfile(catalog.getDict()->copy(xref));
    withoutProfile.getDict()->remove("OutputIntents");
    xref->setModifiedObject(&withoutProfile, { xref->getRootNum(), xref->getRootGen() });
}

} // namespace

void keepPopplerParameters()
{
    // Kept till the helper ends, whatever documents come and go.
    static const GlobalParamsIniter parameters(silentErrors);
}

TextLayer::TextLayer() : written(std::make_unique<GooString>()) {}

double TextLayer::area(int index)
{
    Page *page = index >= 0 && index < document->getNumPages() ? document->getPage(index + 1) : nullptr;
    return page ? page->getCropWidth() * page->getCropHeight() : 0;
}

bool TextLayer::namesImage(int index)
{
    Page *page = index >= 0 && index < document->getNumPages() ? document->getPage(index + 1) : nullptr;
    Dict *resources = page ? page->getResourceDict() : nullptr;
    const Object pictures = resources ? resources->lookup("XObject") : Object();
    if (!pictures.isDict())
        return false;
    for (int i = 0; i < pictures.getDict()->getLength(); ++i) {
        const Object picture = pictures.getDict()->getVal(i);
        if (picture.isStream() && picture.streamGetDict()->lookup("Subtype").isName("Image"))
            return true;
    }
    return false;
}

GreyImage TextLayer::render(int index, double dpi)
{
    return renderWith(painter, true, index, dpi, nullptr);
}

PaintedImage TextLayer::paint(int index, double dpi)
{
    PaintedImage painted;
    painted.grey = renderWith(paperless, false, index, dpi, &painted.alpha);
    if (painted.alpha.size() != painted.grey.pixels.size())
        painted = {};
    return painted;
}

GreyImage TextLayer::renderWith(std::unique_ptr<SplashOutputDev> &device, bool onPaper, int index, double dpi,
                                std::vector<uint8_t> *alpha)
{
    GreyImage grey;
    if (index < 0 || index >= document->getNumPages() || !document->getPage(index + 1))
        return grey;
    if (!device) {
        SplashColor white{};
        std::memset(white, 255, sizeof white);
        // Without a paper colour poppler keeps the opacity of every pixel.
        device = std::make_unique<SplashOutputDev>(splashModeMono8, 4, false, onPaper ? white : nullptr, true);
        device->setFontAntialias(true);
        device->setFreeTypeHinting(false, false);
        device->setVectorAntialias(true);
        device->startDoc(document.get());
    }
    document->displayPageSlice(device.get(), index + 1, dpi, dpi, 0, false, true, false, -1, -1, -1, -1);
    const SplashBitmap *bitmap = device->getBitmap();
    if (!bitmap || bitmap->getMode() != splashModeMono8 || bitmap->getWidth() <= 0 || bitmap->getHeight() <= 0)
        return grey;
    grey.width = bitmap->getWidth();
    grey.height = bitmap->getHeight();
    const size_t width = size_t(grey.width);
    grey.pixels.resize(width * size_t(grey.height));
    for (int y = 0; y < grey.height; ++y)
        std::memcpy(grey.pixels.data() + size_t(y) * width, bitmap->getDataPtr() + size_t(y) * size_t(bitmap->getRowSize()), width);
    if (alpha && bitmap->getAlphaPtr())
        alpha->assign(bitmap->getAlphaPtr(), bitmap->getAlphaPtr() + grey.pixels.size()); // rows without padding
    return grey;
}

namespace {

// Resolutions a scan is read at as it is; a picture of twice these is halved first, others are
// rendered at the reading resolution.
constexpr double LeastScanDpi = 200, MostScanDpi = 400;

// Looks at what a page draws, at 72 dpi, and keeps the one picture of a page that is nothing
// but a scan in grey. Anything else drawn, or a second picture, and the page is not one.
class ScanDevice : public OutputDev {
public:
    GreyImage picture;
    double dpi = 0;
    bool other = false;

    bool upsideDown() override { return true; }
    bool useDrawChar() override { return false; }
    bool interpretType3Chars() override { return false; }
    void stroke(GfxState *) override { other = true; }
    void fill(GfxState *) override { other = true; }
    void eoFill(GfxState *) override { other = true; }
    void drawString(GfxState *state, const GooString *) override { other = other || state->getRender() != 3; }
    void beginString(GfxState *state, const GooString *) override { other = other || state->getRender() != 3; }
    bool beginType3Char(GfxState *, double, double, double, double, CharCode, const Unicode *, int) override
    {
        other = true;
        return true;
    }
    void drawImageMask(GfxState *, Object *, Stream *, int, int, bool, bool, bool) override { other = true; }
    void setSoftMaskFromImageMask(GfxState *, Object *, Stream *, int, int, bool, bool, double *) override { other = true; }
    void drawMaskedImage(GfxState *, Object *, Stream *, int, int, GfxImageColorMap *, bool, Stream *, int, int, bool, bool) override
    {
        other = true;
    }
    void drawSoftMaskedImage(GfxState *, Object *, Stream *, int, int, GfxImageColorMap *, bool, Stream *, int, int, GfxImageColorMap *,
                             bool) override
    {
        other = true;
    }
    void beginTransparencyGroup(GfxState *, const double *, GfxColorSpace *, bool, bool, bool) override { other = true; }
    void setSoftMask(GfxState *, const double *, bool, Function *, GfxColor *) override { other = true; }

    void drawImage(GfxState *state, Object *, Stream *str, int width, int height, GfxImageColorMap *colorMap, bool, const int *maskColors,
                   bool) override
    {
        // A picture of a few greys, as a black-and-white scan is, reads better rendered: poppler
        // softens its edges as it scales.
        if (other || !picture.pixels.empty() || maskColors || state->getFillOpacity() < 1 || state->getBlendMode() != gfxBlendNormal
            || width <= 0 || height <= 0 || colorMap->getBits() < 8) {
            other = true;
            return;
        }
        // The picture's corners on the page, in points: upright or mirrored, not turned.
        const double *m = state->getCTM();
        const double pageWidth = state->getPageWidth(), pageHeight = state->getPageHeight();
        double clipLeft = 0, clipTop = 0, clipRight = 0, clipBottom = 0;
        state->getClipBBox(&clipLeft, &clipTop, &clipRight, &clipBottom);
        const double left = std::min(m[4], m[4] + m[0]), right = std::max(m[4], m[4] + m[0]);
        const double top = std::min(m[5], m[5] + m[3]), bottom = std::max(m[5], m[5] + m[3]);
        const double slack = 0.01 * std::max(pageWidth, pageHeight);
        const auto near = [slack](double a, double b) { return std::abs(a - b) <= slack; };
        if (std::abs(m[1]) > 1e-6 || std::abs(m[2]) > 1e-6 || !near(left, 0) || !near(top, 0) || !near(right, pageWidth)
            || !near(bottom, pageHeight) || clipLeft > slack || clipTop > slack || clipRight < pageWidth - slack
            || clipBottom < pageHeight - slack) {
            other = true;
            return;
        }
        const double across = width * 72 / (right - left), down = height * 72 / (bottom - top);
        const int halvings = across > 2 * MostScanDpi ? 2 : across > MostScanDpi ? 1 : 0;
        if (std::abs(across - down) > 0.02 * down || across / (1 << halvings) < LeastScanDpi || across > 4 * MostScanDpi
            || double(width) * height > 64e6) {
            other = true;
            return;
        }
        GreyImage grey;
        grey.width = width;
        grey.height = height;
        grey.pixels.resize(size_t(width) * size_t(height));
        ImageStream rows(str, width, colorMap->getNumPixelComps(), colorMap->getBits());
        rows.reset();
        // Row 0 of a picture is its top; the page may show it mirrored either way.
        const bool flipped = m[3] > 0, mirrored = m[0] < 0;
        for (int y = 0; y < height; ++y) {
            unsigned char *line = rows.getLine();
            if (!line) { // a picture cut short: rendering shows what there is
                other = true;
                break;
            }
            uint8_t *row = grey.pixels.data() + size_t(flipped ? height - 1 - y : y) * size_t(width);
            colorMap->getGrayLine(line, row, width);
            if (mirrored)
                std::reverse(row, row + width);
        }
        rows.close();
        if (other)
            return;
        dpi = across;
        for (int i = 0; i < halvings; ++i) {
            grey = halvedImage(grey);
            dpi /= 2;
        }
        picture = std::move(grey);
    }
};

}

GreyImage halvedImage(const GreyImage &image)
{
    GreyImage half;
    half.width = image.width / 2;
    half.height = image.height / 2;
    half.pixels.resize(size_t(half.width) * size_t(half.height));
    for (int y = 0; y < half.height; ++y) {
        const uint8_t *top = image.pixels.data() + size_t(2 * y) * size_t(image.width);
        const uint8_t *bottom = top + image.width;
        for (int x = 0; x < half.width; ++x)
            half.pixels[size_t(y) * size_t(half.width) + size_t(x)] =
                uint8_t((top[2 * x] + top[2 * x + 1] + bottom[2 * x] + bottom[2 * x + 1] + 2) / 4);
    }
    return half;
}

GreyImage TextLayer::scannedPicture(int index, double &dpi)
{
    if (index < 0 || index >= document->getNumPages() || !document->getPage(index + 1))
        return {};
    ScanDevice scan;
    // Once anything else is drawn the page is not a lone scan: poppler stops there.
    const auto seenOther = [](void *device) { return static_cast<ScanDevice *>(device)->other; };
    document->displayPageSlice(&scan, index + 1, 72, 72, 0, false, true, false, -1, -1, -1, -1, seenOther, &scan);
    if (scan.other || scan.picture.pixels.empty())
        return {};
    dpi = scan.dpi;
    return std::move(scan.picture);
}

TextLayer::~TextLayer() = default;

namespace {

// The characters that PDFDocEncoding puts where Latin-1 has control characters, from 0x18,
// and from 0x80 to 0xA0 (0x9F has none).
constexpr char16_t DocEncodingLow[8] = {0x02D8, 0x02C7, 0x02C6, 0x02D9, 0x02DD, 0x02DB, 0x02DA, 0x02DC};
constexpr char16_t DocEncodingHigh[33] = {0x2022, 0x2020, 0x2021, 0x2026, 0x2014, 0x2013, 0x0192, 0x2044, 0x2039, 0x203A, 0x2212,
                                          0x2030, 0x201E, 0x201C, 0x201D, 0x2018, 0x2019, 0x201A, 0x2122, 0xFB01, 0xFB02, 0x0141,
                                          0x0152, 0x0160, 0x0178, 0x017D, 0x0131, 0x0142, 0x0153, 0x0161, 0x017E, 0x0000, 0x20AC};

// A password typed as UTF-8 in the form the standard security handler of revisions 2 to 4
// takes, PDFDocEncoding, when it holds characters beyond ASCII that all have a place there;
// empty otherwise. Revisions 5 and 6 take UTF-8 as it is.
SecretString docEncoded(std::string_view utf8)
{
    SecretString encoded;
    bool beyondAscii = false;
    for (size_t i = 0; i < utf8.size();) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        char32_t cp = 0;
        size_t length = 1;
        if (byte < 0x80) {
            cp = byte;
        } else if ((byte & 0xE0) == 0xC0 && i + 1 < utf8.size()) {
            cp = char32_t(byte & 0x1F) << 6 | (utf8[i + 1] & 0x3F), length = 2;
        } else if ((byte & 0xF0) == 0xE0 && i + 2 < utf8.size()) {
            cp = char32_t(byte & 0x0F) << 12 | char32_t(utf8[i + 1] & 0x3F) << 6 | (utf8[i + 2] & 0x3F), length = 3;
        } else {
            return {}; // not UTF-8, or beyond the BMP: nothing PDFDocEncoding holds
        }
        i += length;
        beyondAscii = beyondAscii || cp >= 0x80;
        int code = -1;
        if (cp < 0x18 || (cp >= 0x20 && cp < 0x7F) || (cp >= 0xA1 && cp <= 0xFF && cp != 0xAD))
            code = int(cp);
        for (int k = 0; code < 0 && k < 8; ++k)
            code = cp == DocEncodingLow[k] ? 0x18 + k : -1;
        for (int k = 0; code < 0 && k < 33; ++k)
            code = cp != 0 && cp == DocEncodingHigh[k] ? 0x80 + k : -1;
        if (code < 0)
            return {};
        encoded.push_back(char(code));
    }
    if (!beyondAscii)
        encoded.clear();
    return encoded;
}

} // namespace

std::unique_ptr<TextLayer> TextLayer::open(const std::string &path, std::string_view password, int32_t &result)
{
    std::unique_ptr<TextLayer> layer = openWith(path, password, result);
    if (layer || (result != ResultNeedsPassword && result != ResultCopyNotPermitted))
        return layer;
    // A password with letters beyond ASCII, as typed, opens only documents of the newer
    // encryption; the older takes it in PDFDocEncoding.
    const SecretString docForm = docEncoded(password);
    if (docForm.empty())
        return nullptr;
    int32_t docResult = ResultOtherFailure;
    layer = openWith(path, docForm, docResult);
    if (layer || docResult == ResultCopyNotPermitted) // opened, as the user at least
        result = docResult;
    return layer;
}

std::unique_ptr<TextLayer> TextLayer::openWith(const std::string &path, std::string_view password, int32_t &result)
{
    std::unique_ptr<TextLayer> layer(new TextLayer);
    // Empty passwords, as poppler-cpp gives them, when none is given: an empty owner password
    // is tried too. poppler keeps no copy of them past the opening.
    std::optional<GooString> owner(std::in_place, password.data(), password.size()),
        user(std::in_place, password.data(), password.size());
    layer->document = std::make_unique<PDFDoc>(std::make_unique<GooString>(path), owner, user);
    for (std::optional<GooString> *secret : {&owner, &user})
        explicit_bzero(const_cast<char *>((*secret)->c_str()), size_t((*secret)->getLength()));
    if (!layer->document->isOk()) {
        // A locked document is never asked for its pages: that crashes poppler.
        result = layer->document->getErrorCode() == errEncrypted ? ResultNeedsPassword : ResultOtherFailure;
        return nullptr;
    }
    if (!layer->document->okToCopy()) {
        result = ResultCopyNotPermitted;
        return nullptr;
    }
    forgetOutputProfile(*layer->document);
    layer->fonts = std::make_unique<FontCache>(layer->document->getXRef());
    result = ResultOk;
    return layer;
}

int TextLayer::pages() const
{
    return document->getNumPages();
}

bool TextLayer::read(int index, TextOrder order, std::vector<char> &text)
{
    text.clear();
    if (index < 0 || index >= document->getNumPages() || !document->getCatalog()->getPage(index + 1))
        return false;
    if (!device || deviceOrder != order) {
        device = std::make_unique<PageTextDevice>(append, written.get(), order == TextOrder::Physical, 0,
                                                  order == TextOrder::Raw, false);
        deviceOrder = order;
    }
    written->clear();
    const unsigned before = textWithoutFont;
    display(*document->getPage(index + 1));
    lostText = textWithoutFont != before;
    takeText(*written, text);
    return true;
}

// What PDFDoc::displayPage does at 72 dpi, cropped, unrotated, not printing, with the page's
// fonts taken from those this document has made already.
void TextLayer::display(Page &page)
{
    TextOutputDev *out = device.get();
    if (!out->checkPageSlice(&page, 72, 72, 0, false, true, -1, -1, -1, -1, false))
        return;
    const int rotate = ((page.getRotate() % 360) + 360) % 360;
    PDFRectangle box;
    bool crop = true;
    page.makeBox(72, 72, rotate, false, out->upsideDown(), -1, -1, -1, -1, &box, &crop);

    // Where the page's fonts can come from those made already, poppler gets an empty font
    // dictionary to make (it keeps its dictionaries to itself) and that is filled. Should
    // poppler not have made one, the page is done again in poppler's own way.
    Dict *resources = page.getResourceDict();
    Object fontsLater;
    if (resources && fontsMadeOnce(*resources)) {
        fontsLater = Object(resources->copy(document->getXRef()));
        fontsLater.getDict()->set("Font", Object(new Dict(document->getXRef())));
    }
    std::optional<Gfx> gfx;
    const auto makeGfx = [&](Dict *pageResources) {
        gfx.emplace(document.get(), out, page.getNum(), pageResources, 72, 72, &box, crop ? page.getCropBox() : nullptr,
                    rotate);
    };
    makeGfx(fontsLater.isDict() ? fontsLater.getDict() : resources);
    if (fontsLater.isDict()) {
        GfxResources *made = *gfx.*memberOf(ResourcesOfGfx {});
        GfxFontDict *empty = made ? made->*memberOf(FontsOfResources {}) : nullptr;
        if (empty) {
            fillFonts(*resources, *empty);
        } else {
            gfx.reset(); // ends the page poppler began: its empty text goes
            written->clear();
            makeGfx(resources);
        }
    }

    Object contents = page.getContents();
    if (!contents.isNull()) {
        gfx->saveState();
        gfx->display(&contents);
        gfx->restoreState();
    } else {
        out->dump();
    }
    const std::vector<Annot *> &annotations = page.getAnnots()->getAnnots();
    if (!annotations.empty()) {
        for (Annot *annotation : annotations)
            annotation->draw(&*gfx, false);
        out->dump();
    }
    gfx.reset(); // ends the page
    fonts->pageDone();
}

// Whether the fonts of a page's resources are all named by reference, so that each can be made
// once per document: a font is the same on every page that names it by the same reference and
// tag. A font written into the dictionary is named by poppler in ways of its own.
bool TextLayer::fontsMadeOnce(Dict &resources) const
{
    const Object &entry = resources.lookupNF("Font");
    if (!entry.isRef() && !entry.isDict())
        return false;
    const Object fonts = entry.fetch(document->getXRef());
    if (!fonts.isDict())
        return false;
    for (int i = 0; i < fonts.getDict()->getLength(); ++i) {
        if (!fonts.getDict()->getValNF(i).isRef())
            return false;
    }
    return true;
}

// Fills the empty font dictionary poppler made for a page as poppler would have filled it.
void TextLayer::fillFonts(Dict &resources, GfxFontDict &empty)
{
    const Object named = resources.lookupNF("Font").fetch(document->getXRef());
    std::vector<std::shared_ptr<GfxFont>> &made = empty.*memberOf(FontsOfDictionary {});
    for (int i = 0; i < named.getDict()->getLength(); ++i)
        made.push_back(fonts->font(named.getDict()->getKey(i), named.getDict()->getValNF(i).getRef()));
}
