#include "framework/text/Utf8.h"

namespace dsp {

namespace {

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The length in bytes of the character starting at text[i].
std::size_t CharLength(std::string_view text, std::size_t i) {
    std::size_t n = 1;
    while (i + n < text.size() && IsContinuation(text[i + n])) ++n;
    return n;
}

}  // namespace

std::size_t Utf8Length(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); i += CharLength(text, i)) ++count;
    return count;
}

std::string Utf8Left(std::string_view text, std::size_t count) {
    std::size_t i = 0;
    for (std::size_t n = 0; n < count && i < text.size(); ++n) i += CharLength(text, i);
    return std::string(text.substr(0, i));
}

std::string Utf8CutBytes(std::string_view text, std::size_t maxBytes) {
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t next = i + CharLength(text, i);
        if (next > maxBytes) break;
        i = next;
    }
    return std::string(text.substr(0, i));
}

}  // namespace dsp
