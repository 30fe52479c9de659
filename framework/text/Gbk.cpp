#include "framework/text/Gbk.h"

#include <iconv.h>

#include <cerrno>
#include <memory>

#include "framework/core/Exceptions.h"

namespace dsp {

namespace {

struct IconvCloser {
    void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};

// The length of the character at the start of a text in the source encoding, for skipping a
// character the target lacks.
using CharLength = std::size_t (*)(std::string_view);

std::size_t Utf8CharLength(std::string_view s) {
    std::size_t n = 1;
    while (n < s.size() && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80) ++n;
    return n;
}

bool IsGbkLead(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

// A bad GBK pair loses only its first byte: the second may be a character of its own.
std::size_t OneByte(std::string_view) { return 1; }

std::string Convert(const char* to, const char* from, std::string_view input, CharLength skip) {
    std::unique_ptr<void, IconvCloser> cd(iconv_open(to, from));
    if (cd.get() == reinterpret_cast<void*>(static_cast<std::intptr_t>(-1))) {
        cd.release();
        throw EConvertError(std::string("No conversion from ") + from + " to " + to);
    }
    std::string out;
    char buffer[256];
    std::string_view rest = input;
    while (!rest.empty()) {
        char* in = const_cast<char*>(rest.data());
        std::size_t inLeft = rest.size();
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t result =
            iconv(static_cast<iconv_t>(cd.get()), &in, &inLeft, &outPtr, &outLeft);
        const int error = errno;
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        rest = rest.substr(rest.size() - inLeft);
        if (result != static_cast<std::size_t>(-1)) break;
        if (error == E2BIG) continue;
        // Not representable, not valid, or cut short at the end: one "?" for the character.
        out.push_back('?');
        rest = rest.substr(std::min(skip(rest), rest.size()));
        iconv(static_cast<iconv_t>(cd.get()), nullptr, nullptr, nullptr, nullptr);
    }
    return out;
}

}  // namespace

std::string Utf8ToGbk(std::string_view utf8) {
    return Convert("GBK", "UTF-8", utf8, Utf8CharLength);
}

std::string GbkToUtf8(std::string_view gbk) { return Convert("UTF-8", "GBK", gbk, OneByte); }

std::string GbkCut(std::string_view gbk, std::size_t maxBytes) {
    std::size_t i = 0;
    while (i < gbk.size()) {
        const std::size_t length = IsGbkLead(static_cast<unsigned char>(gbk[i])) ? 2 : 1;
        if (i + length > maxBytes) break;
        i += length;
    }
    return std::string(gbk.substr(0, std::min(i, gbk.size())));
}

std::string Utf8ToGbkField(std::string_view utf8, std::size_t maxBytes) {
    return GbkCut(Utf8ToGbk(utf8), maxBytes);
}

}  // namespace dsp
