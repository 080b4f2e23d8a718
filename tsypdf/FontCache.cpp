#include "tsypdf/FontCache.h"
#include "tsypdf/PopplerReach.h"

#include <CMap.h>
#include <CharCodeToUnicode.h>
#include <GfxFont.h>
#include <XRef.h>

#include <tuple>

// poppler's CMap.cc keeps the layout of a CMap's code tree to itself; this is the same
// definition, so that a tree can be weighed. Checked with the poppler versions the build takes.
struct CMapVectorEntry {
    bool isVector;
    union {
        CMapVectorEntry *vector;
        CID cid;
    };
};

ORDVANE_REACH(WidthsOfCidFont, GfxFontCIDWidths, GfxCIDFont, widths);
ORDVANE_REACH(CodesOfCidFont, std::shared_ptr<CMap>, GfxCIDFont, cMap);
ORDVANE_REACH(TreeOfCMap, CMapVectorEntry *, CMap, vector);
ORDVANE_REACH(StringsOfToUnicode, int, CharCodeToUnicode, sMapSize);

namespace {

// What a font object itself holds beside its tables: names, an 8-bit font's 256 widths and
// glyph names, a Type 3 font's procedures. Generous, so many small fonts still count.
constexpr size_t FontBaseBytes = 8 * 1024;

size_t treeBytes(const CMapVectorEntry *vector)
{
    size_t bytes = 256 * sizeof(CMapVectorEntry);
    for (int i = 0; i < 256; ++i) {
        if (vector[i].isVector && vector[i].vector)
            bytes += treeBytes(vector[i].vector);
    }
    return bytes;
}

size_t toUnicodeBytes(const CharCodeToUnicode &map)
{
    // A string entry holds its code, a pointer and a length, and a few characters beside.
    constexpr size_t StringEntryBytes = 48;
    return sizeof map + size_t(map.getLength()) * sizeof(Unicode)
        + size_t(std::max(0, map.*memberOf(StringsOfToUnicode {}))) * StringEntryBytes;
}

} // namespace

bool FontCache::Key::operator<(const Key &other) const
{
    return std::tie(ref.num, ref.gen, tag) < std::tie(other.ref.num, other.ref.gen, other.tag);
}

FontCache::Weight FontCache::weigh(const GfxFont &font)
{
    Weight weight;
    weight.own = FontBaseBytes;
    // Maps poppler takes from its caches (a collection's or a named CMap's) are shared by
    // every font that names them, and a font's own are counted by their address all the same.
    if (const CharCodeToUnicode *toUnicode = font.getToUnicode())
        weight.shared.emplace(toUnicode, toUnicodeBytes(*toUnicode));
    if (!font.isCIDFont())
        return weight;
    const auto &cid = static_cast<const GfxCIDFont &>(font);
    weight.own += size_t(cid.getCIDToGIDLen()) * sizeof(int);
    const GfxFontCIDWidths &widths = cid.*memberOf(WidthsOfCidFont {});
    weight.own += size_t(std::max(0, widths.nExceps)) * sizeof(GfxFontCIDWidthExcep)
        + size_t(std::max(0, widths.nExcepsV)) * sizeof(GfxFontCIDWidthExcepV);
    const std::shared_ptr<CMap> &codes = cid.*memberOf(CodesOfCidFont {});
    if (codes) {
        const CMapVectorEntry *tree = codes.get()->*memberOf(TreeOfCMap {});
        weight.shared.emplace(codes.get(), sizeof(CMap) + (tree ? treeBytes(tree) : 0));
    }
    return weight;
}

FontCache::FontCache(XRef *xrefA, Limits limitsA) : xref(xrefA), limits(limitsA) {}

FontCache::~FontCache() = default;

std::shared_ptr<GfxFont> FontCache::font(const std::string &tag, Ref ref)
{
    Key key{ref, tag};
    if (const auto found = byKey.find(key); found != byKey.end()) {
        found->second->lastPage = page;
        fonts.splice(fonts.end(), fonts, found->second);
        return found->second->font;
    }
    std::shared_ptr<GfxFont> made;
    const Object dictionary = xref->fetch(ref);
    if (dictionary.isDict()) {
        made = GfxFont::makeFont(xref, tag.c_str(), ref, dictionary.getDict());
        if (made && !made->isOk())
            made = nullptr;
    }
    // A font poppler could not make is remembered too, so it is not tried on every page.
    Made entry{std::move(key), made, made ? weigh(*made) : Weight {}, page};
    hold(entry.weight);
    fonts.push_back(std::move(entry));
    byKey.emplace(fonts.back().key, std::prev(fonts.end()));
    return made;
}

void FontCache::pageDone()
{
    for (auto oldest = fonts.begin(); oldest != fonts.end() && oldest->lastPage != page;) {
        const bool overBudget = heldBytes > limits.budgetBytes || fonts.size() > limits.maxFonts;
        const bool idle = heldBytes > limits.idleBytes && oldest->lastPage + limits.idlePages <= page;
        if (!overBudget && !idle)
            break;
        release(oldest->weight);
        byKey.erase(oldest->key);
        oldest = fonts.erase(oldest);
    }
    ++page;
}

void FontCache::hold(const Weight &weight)
{
    heldBytes += weight.own;
    for (const auto &[address, bytes] : weight.shared) {
        auto &[heldOnce, users] = sharedHeld[address];
        if (users++ == 0) {
            heldOnce = bytes;
            heldBytes += bytes;
        }
    }
}

void FontCache::release(const Weight &weight)
{
    heldBytes -= weight.own;
    for (const auto &[address, bytes] : weight.shared) {
        const auto found = sharedHeld.find(address);
        if (found != sharedHeld.end() && --found->second.second == 0) {
            heldBytes -= found->second.first;
            sharedHeld.erase(found);
        }
    }
}
