#pragma once
// File names on Linux are bytes; inside the program, paths are UTF-16 text. Bytes that are
// not valid UTF-8 travel as the lone surrogates U+DC80..U+DCFF, so every name the file
// system can hold survives the trip into the job list and back to the file system.
// Plain C++ so that the converter library shares the very same rule.
#include <string>
#include <string_view>

namespace PathCodec {

std::u16string decode(std::string_view bytes);
std::string encode(std::u16string_view text);

}
