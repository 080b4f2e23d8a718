#pragma once
// The fonts poppler has made for a document's pages, so that a font named on many pages is
// made once per document. What it keeps is bounded by the memory its fonts hold, estimated
// from their tables and maps, not by their number: one CID font may hold a hundred megabytes
// of glyph map, and a document may give every page fonts of its own.
#include <cstddef>
#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <string>

#include <Object.h>

class GfxFont;
class XRef;

class FontCache {
public:
    struct Limits {
        size_t maxFonts = 2000;
        // Never more than this, whatever the pages use.
        size_t budgetBytes = size_t(256) << 20;
        // Beyond this, fonts no page has used for idlePages pages go first: a document that
        // gives each page its own fonts keeps little more than the fonts of the last pages.
        size_t idleBytes = size_t(32) << 20;
        uint64_t idlePages = 16;
    };

    explicit FontCache(XRef *xref, Limits limits);
    explicit FontCache(XRef *xref) : FontCache(xref, Limits {}) {}
    ~FontCache();

    // The font a page names by tag and reference: made now unless it was made already; null
    // when poppler cannot make it.
    std::shared_ptr<GfxFont> font(const std::string &tag, Ref ref);
    // After each page: lets go of what the limits say, never a font of the page just done.
    void pageDone();

    size_t bytes() const { return heldBytes; }
    size_t size() const { return fonts.size(); }

    // What a font holds in memory: its own tables, and the maps poppler may share between
    // fonts, each with the address it is known by, to be counted once however many use it.
    struct Weight {
        size_t own = 0;
        std::map<const void *, size_t> shared;
    };
    static Weight weigh(const GfxFont &font);

private:
    struct Key {
        Ref ref;
        std::string tag;
        bool operator<(const Key &other) const;
    };
    struct Made {
        Key key;
        std::shared_ptr<GfxFont> font;
        Weight weight;
        uint64_t lastPage = 0;
    };
    void hold(const Weight &weight);
    void release(const Weight &weight);

    XRef *xref;
    Limits limits;
    uint64_t page = 1;
    size_t heldBytes = 0;
    std::list<Made> fonts;                          // least recently used first
    std::map<Key, std::list<Made>::iterator> byKey;
    std::map<const void *, std::pair<size_t, int>> sharedHeld; // bytes, users
};
