#pragma once
// Which Tesseract language data is installed. Shared by the helper, which recognises with it,
// and the program, which checks the user's choice against it. Plain C++, no Tesseract.
#include <string>
#include <vector>

namespace RecognitionLanguages {

// The folder of the *.traineddata files: $TESSDATA_PREFIX when set, else the system's.
std::string dataDirectory();

// The installed recognition languages, sorted; "osd" (orientation only) is not one of them.
std::vector<std::string> installed();

// The codes of a "+"-joined list, in order, empty ones left out.
std::vector<std::string> split(const std::string &languages);

// Whether the languages read the script, a script as Tesseract's orientation step names it
// ("Latin", "Han", "Cyrillic" ...). True when that cannot be told: a script or a language
// this list does not know.
bool canRead(const std::vector<std::string> &languages, const std::string &script);
// The Debian package of the data that reads the script best ("tesseract-ocr-chi-sim" for
// "Han"), or of a language code; empty for a script this list does not know.
std::string packageForScript(const std::string &script);
std::string packageForLanguage(const std::string &language);

}
