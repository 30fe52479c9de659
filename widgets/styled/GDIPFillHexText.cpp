// The text form of a fill's pictures: two hexadecimal digits per byte.

#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/text/Streams.h"
#include "widgets/styled/GDIPFill.h"

namespace dsp {

std::string StreamToHexText(TStream& stream) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    stream.SetPosition(0);
    const std::string bytes = stream.ReadRest();
    std::string text;
    text.reserve(bytes.size() * 2);
    for (unsigned char b : bytes) {
        text += kDigits[b >> 4];
        text += kDigits[b & 15];
    }
    return text;
}

std::uint8_t HexPairToByte(const std::string& text) {
    if (text.size() < 2) throw EConvertError("No Hex-Number");
    int value = 0;
    for (int i = 0; i < 2; ++i) {
        const char c = text[static_cast<std::size_t>(i)];
        int digit = 0;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else if (c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else {
            throw EConvertError("No Hex-Number");
        }
        value = value * 16 + digit;
    }
    return static_cast<std::uint8_t>(value);
}

void HexTextToStream(const std::string& text, TStream& stream) {
    stream.SetSize(0);
    stream.SetPosition(0);
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size() / 2);
    for (std::size_t i = 0; i + 1 < text.size(); i += 2)
        bytes.push_back(HexPairToByte(text.substr(i, 2)));
    if (!bytes.empty()) stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
}

}  // namespace dsp
