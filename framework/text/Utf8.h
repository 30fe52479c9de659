#pragma once
// Character-wise views of UTF-8 text: lengths and cuts that never split a character.

#include <cstddef>
#include <string>
#include <string_view>

namespace dsp {

// The number of characters (code points); a stray byte counts as one.
std::size_t Utf8Length(std::string_view text);
// The first `count` characters.
std::string Utf8Left(std::string_view text, std::size_t count);
// At most `maxBytes` bytes, cut before a character that would not fit whole.
std::string Utf8CutBytes(std::string_view text, std::size_t maxBytes);

}  // namespace dsp
