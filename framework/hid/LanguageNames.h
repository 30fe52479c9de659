#pragma once
// Names of the language IDs that USB devices list for their strings.

#include <cstdint>
#include <string>

namespace dsp {

// "English (United States)" for 0x0409; empty for an ID the table does not know.
std::string LanguageName(std::uint16_t languageId);

}  // namespace dsp
