#pragma once
// Conversion between the program's UTF-8 text and the UTF-16 text of device strings.

#include <string>

namespace dsp {

std::u16string Utf8ToUtf16(const std::string& text);
// Unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(const std::u16string& text);

}  // namespace dsp
