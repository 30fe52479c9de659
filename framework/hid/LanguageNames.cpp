#include "framework/hid/LanguageNames.h"

#include <map>

namespace dsp {

std::string LanguageName(std::uint16_t languageId) {
    static const std::map<std::uint16_t, const char*> names{
        {0x0404, "Chinese (Taiwan)"},
        {0x0804, "Chinese (PRC)"},
        {0x0C04, "Chinese (Hong Kong SAR)"},
        {0x0405, "Czech (Czech Republic)"},
        {0x0406, "Danish (Denmark)"},
        {0x0407, "German (Germany)"},
        {0x0807, "German (Switzerland)"},
        {0x0408, "Greek (Greece)"},
        {0x0409, "English (United States)"},
        {0x0809, "English (United Kingdom)"},
        {0x0C09, "English (Australia)"},
        {0x1009, "English (Canada)"},
        {0x040A, "Spanish (Traditional Sort)"},
        {0x0C0A, "Spanish (Spain)"},
        {0x040B, "Finnish (Finland)"},
        {0x040C, "French (France)"},
        {0x040E, "Hungarian (Hungary)"},
        {0x0410, "Italian (Italy)"},
        {0x0411, "Japanese (Japan)"},
        {0x0412, "Korean (Korea)"},
        {0x0413, "Dutch (Netherlands)"},
        {0x0414, "Norwegian, Bokmål (Norway)"},
        {0x0415, "Polish (Poland)"},
        {0x0416, "Portuguese (Brazil)"},
        {0x0816, "Portuguese (Portugal)"},
        {0x0419, "Russian (Russia)"},
        {0x041D, "Swedish (Sweden)"},
        {0x041F, "Turkish (Turkey)"},
    };
    auto found = names.find(languageId);
    return found == names.end() ? std::string() : std::string(found->second);
}

}  // namespace dsp
