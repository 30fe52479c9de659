#pragma once
// The framework's small string routines. Case rules are ASCII: letters beyond ASCII keep their case
// and compare byte by byte, so comparisons never depend on the user's locale.

#include <string>
#include <string_view>

#include "framework/core/Set.h"

namespace dsp {

// Without the leading and trailing characters up to and including the blank (controls, spaces).
std::string Trim(std::string_view text);
std::string TrimLeft(std::string_view text);
std::string TrimRight(std::string_view text);

std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);
bool SameText(std::string_view a, std::string_view b);
// Below, at or above zero as a sorts before, with or after b.
int CompareText(std::string_view a, std::string_view b);
int CompareStr(std::string_view a, std::string_view b);

enum TReplaceFlag { rfReplaceAll, rfIgnoreCase };
using TReplaceFlags = Set<TReplaceFlag>;
std::string StringReplace(std::string_view text, std::string_view pattern,
                          std::string_view replacement, TReplaceFlags flags);

// The text in quote characters, each quote inside doubled: 'it''s'.
std::string AnsiQuotedStr(std::string_view text, char quote);
std::string QuotedStr(std::string_view text);
// Reads a quoted text at pos (which must point at the quote), undoubling inner quotes; pos ends
// after the closing quote, or at the end when there is none.
std::string AnsiExtractQuotedStr(std::string_view text, std::size_t& pos, char quote);

}  // namespace dsp
