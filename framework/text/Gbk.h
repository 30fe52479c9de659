#pragma once
// 8-bit text for the processor, its frames and its files is GBK (the Simplified Chinese code
// page); inside the program text is UTF-8.

#include <cstddef>
#include <string>
#include <string_view>

namespace dsp {

// A character GBK lacks, or a byte that is not UTF-8, becomes "?".
std::string Utf8ToGbk(std::string_view utf8);
// A byte sequence that is not GBK becomes "?".
std::string GbkToUtf8(std::string_view gbk);

// At most maxBytes of GBK, never ending in the first half of a two-byte character.
std::string GbkCut(std::string_view gbk, std::size_t maxBytes);
// A text converted for a fixed-size field (a preset name of 14 bytes, a channel name of 8).
std::string Utf8ToGbkField(std::string_view utf8, std::size_t maxBytes);

}  // namespace dsp
