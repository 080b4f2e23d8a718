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
