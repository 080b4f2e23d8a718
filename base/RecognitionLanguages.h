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

}
