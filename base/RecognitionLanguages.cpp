#include "base/RecognitionLanguages.h"

#include <algorithm>
#include <cstdlib>
#include <dirent.h>
#include <string_view>

#ifndef ORDVANE_TESSDATA_DIR
#define ORDVANE_TESSDATA_DIR "/usr/share/tesseract-ocr/5/tessdata"
#endif

namespace RecognitionLanguages {

std::string dataDirectory()
{
    const char *prefix = std::getenv("TESSDATA_PREFIX");
    std::string directory = prefix && *prefix ? prefix : ORDVANE_TESSDATA_DIR;
    if (directory.back() != '/')
        directory += '/';
    return directory;
}

std::vector<std::string> installed()
{
    std::vector<std::string> languages;
    DIR *folder = opendir(dataDirectory().c_str());
    if (!folder)
        return languages;
    constexpr std::string_view Suffix = ".traineddata";
    while (const dirent *entry = readdir(folder)) {
        const std::string_view name = entry->d_name;
        if (name.size() > Suffix.size() && name.ends_with(Suffix) && name[0] != '.') {
            std::string code(name.substr(0, name.size() - Suffix.size()));
            if (code != "osd")
                languages.push_back(std::move(code));
        }
    }
    closedir(folder);
    std::sort(languages.begin(), languages.end());
    return languages;
}

namespace {

struct Script {
    std::string_view name;
    std::vector<std::string_view> languages; // the first reads it best
};

// Tesseract's language data by the script it reads, as its orientation step names scripts.
const std::vector<Script> &scripts()
{
    static const std::vector<Script> table = {
        {"Latin", {"eng", "afr", "aze", "bos", "bre", "cat", "ceb", "ces", "cos", "cym", "dan", "deu", "enm", "epo",
                   "est", "eus", "fao", "fil", "fin", "fra", "frk", "frm", "fry", "gla", "gle", "glg", "hat", "hrv",
                   "hun", "ind", "isl", "ita", "ita_old", "jav", "kmr", "lat", "lav", "lit", "ltz", "mlt", "mri", "msa",
                   "nld", "nor", "oci", "pol", "por", "que", "ron", "slk", "slv", "spa", "spa_old", "sqi", "srp_latn",
                   "sun", "swa", "swe", "ton", "tur", "uzb", "vie", "yor"}},
        {"Fraktur", {"frk", "deu"}},
        {"Cyrillic", {"rus", "aze_cyrl", "bel", "bul", "kaz", "kir", "mkd", "mon", "srp", "tat", "tgk", "ukr", "uzb_cyrl"}},
        {"Greek", {"ell", "grc"}},
        {"Arabic", {"ara", "fas", "pus", "snd", "uig", "urd"}},
        {"Hebrew", {"heb", "yid"}},
        {"Han", {"chi_sim", "chi_tra", "chi_sim_vert", "chi_tra_vert", "jpn", "jpn_vert"}},
        {"Japanese", {"jpn", "jpn_vert"}},
        {"Hiragana", {"jpn", "jpn_vert"}},
        {"Katakana", {"jpn", "jpn_vert"}},
        {"Hangul", {"kor", "kor_vert"}},
        {"Korean", {"kor", "kor_vert"}},
        {"Devanagari", {"hin", "mar", "nep", "san"}},
        {"Bengali", {"ben", "asm"}},
        {"Gurmukhi", {"pan"}},
        {"Gujarati", {"guj"}},
        {"Oriya", {"ori"}},
        {"Tamil", {"tam"}},
        {"Telugu", {"tel"}},
        {"Kannada", {"kan"}},
        {"Malayalam", {"mal"}},
        {"Sinhala", {"sin"}},
        {"Thai", {"tha"}},
        {"Lao", {"lao"}},
        {"Khmer", {"khm"}},
        {"Myanmar", {"mya"}},
        {"Tibetan", {"bod", "dzo"}},
        {"Georgian", {"kat", "kat_old"}},
        {"Armenian", {"hye"}},
        {"Ethiopic", {"amh", "tir"}},
        {"Syriac", {"syr"}},
        {"Thaana", {"div"}},
        {"Cherokee", {"chr"}},
        {"Canadian_Aboriginal", {"iku"}},
    };
    return table;
}

const Script *scriptNamed(const std::string &name)
{
    for (const Script &script : scripts())
        if (script.name == name)
            return &script;
    return nullptr;
}

bool knownLanguage(const std::string &language)
{
    return std::any_of(scripts().begin(), scripts().end(), [&](const Script &script) {
        return std::find(script.languages.begin(), script.languages.end(), language) != script.languages.end();
    });
}

} // namespace

bool canRead(const std::vector<std::string> &languages, const std::string &script)
{
    const Script *known = scriptNamed(script);
    if (!known)
        return true;
    return std::any_of(languages.begin(), languages.end(), [&](const std::string &language) {
        return !knownLanguage(language)
            || std::find(known->languages.begin(), known->languages.end(), language) != known->languages.end();
    });
}

std::string packageForLanguage(const std::string &language)
{
    std::string package = "tesseract-ocr-" + language;
    std::replace(package.begin(), package.end(), '_', '-');
    return package;
}

std::string packageForScript(const std::string &script)
{
    const Script *known = scriptNamed(script);
    return known ? packageForLanguage(std::string(known->languages.front())) : std::string();
}

std::vector<std::string> split(const std::string &languages)
{
    std::vector<std::string> codes;
    size_t start = 0;
    while (start <= languages.size()) {
        const size_t plus = std::min(languages.find('+', start), languages.size());
        if (plus > start)
            codes.push_back(languages.substr(start, plus - start));
        start = plus + 1;
    }
    return codes;
}

}
