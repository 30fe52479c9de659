#pragma once
// The main window's two text tables, English and Simplified Chinese, and the lookup of a text by
// its key. A table is a list of lines: a line beginning with "SID_" is a key, the line after it
// that key's text; lines beginning with "//" group the keys. Lines are whole: texts keep their
// leading and trailing blanks.

#include <string>
#include <vector>

namespace dsp {

// The language names the main window selects a table by.
inline constexpr char kLanguageEnglish[] = "English";
inline constexpr char kLanguageChineseGB[] = "ChineseGB";

const std::vector<std::string>& EnglishTextLines();
const std::vector<std::string>& SimplifiedTextLines();

// The table of a language name: "ChineseGB" selects the Simplified Chinese table, any other
// name the English one.
const std::vector<std::string>& TextLinesOf(const std::string& language);

// The text of key in lines: the line after the first line equal to key, compared whole without
// regard to letter case. A key found on the last line gives an empty text; a key not found gives
// the table's first line.
std::string LookUpText(const std::vector<std::string>& lines, const std::string& key);
inline std::string LookUpText(const std::string& language, const std::string& key) {
    return LookUpText(TextLinesOf(language), key);
}

}  // namespace dsp
