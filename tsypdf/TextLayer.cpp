#include "tsypdf/TextLayer.h"

#include <poppler-global.h>

#include <Catalog.h>
#include <Error.h>
#include <ErrorCodes.h>
#include <GlobalParams.h>
#include <PDFDoc.h>
#include <TextOutputDev.h>
#include <goo/GooString.h>

using namespace WorkerProtocol;

namespace {

void silentErrors(ErrorCategory, Goffset, const char *) {}

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

// poppler-cpp hands a page's text on through UTF-16, which ends it at the first NUL byte and
// at the first bytes that are not UTF-8. Plain text comes through that unchanged; anything
// else takes poppler-cpp's own way, so that it comes out as it always has.
void takeText(const GooString &written, std::vector<char> &text)
{
    const char *data = written.c_str();
    const size_t size = size_t(written.getLength());
    if (plainUtf8(reinterpret_cast<const unsigned char *>(data), size)) {
        text.assign(data, data + size);
        return;
    }
    text = poppler::ustring::from_utf8(data).to_utf8();
}

} // namespace

void keepPopplerParameters()
{
    // Kept till the helper ends: poppler-cpp's documents count on top of this one.
    static const GlobalParamsIniter parameters(silentErrors);
}

TextLayer::TextLayer() : written(std::make_unique<GooString>()) {}

TextLayer::~TextLayer() = default;

std::unique_ptr<TextLayer> TextLayer::open(const std::string &path, int32_t &result)
{
    std::unique_ptr<TextLayer> layer(new TextLayer);
    // Empty passwords, as poppler-cpp gives them: an empty owner password is tried too.
    layer->document = std::make_unique<PDFDoc>(std::make_unique<GooString>(path), GooString(""), GooString(""));
    if (!layer->document->isOk()) {
        // A locked document is never asked for its pages: that crashes poppler.
        result = layer->document->getErrorCode() == errEncrypted ? ResultCannotOpen : ResultOtherFailure;
        return nullptr;
    }
    if (!layer->document->okToCopy()) {
        result = ResultCopyNotPermitted;
        return nullptr;
    }
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
        device = std::make_unique<TextOutputDev>(append, written.get(), order == TextOrder::Physical, 0,
                                                 order == TextOrder::Raw, false);
        deviceOrder = order;
    }
    written->clear();
    document->displayPage(device.get(), index + 1, 72, 72, 0, false, true, false);
    takeText(*written, text);
    return true;
}
