#include "mainwindow/SessionRules.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace dsp {

namespace {
constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr std::uint8_t kDle = 0x10;
constexpr std::uint8_t kStx = 0x02;
constexpr std::size_t kLengthIndex = 4;
constexpr std::size_t kFrameOverhead = 8;
}  // namespace

std::string HexByte(std::uint8_t byte) {
    return std::string{kHexDigits[byte >> 4], kHexDigits[byte & 0x0F]};
}

std::string HexBytes(const std::uint8_t* bytes, std::size_t count) {
    std::string text;
    text.reserve(count * 3);
    for (std::size_t i = 0; i < count; ++i) {
        text += HexByte(bytes[i]);
        text += ' ';
    }
    return text;
}

std::size_t FrameLengthIn(const std::uint8_t* bytes, std::size_t count) {
    if (count <= kLengthIndex) return count;
    return std::min<std::size_t>(bytes[kLengthIndex] + kFrameOverhead, count);
}

void TrackNetFrames(std::vector<std::uint8_t>& partial, const std::uint8_t* bytes,
                    std::size_t count) {
    partial.insert(partial.end(), bytes, bytes + count);
    for (;;) {
        // Up to the next frame start (a lone DLE at the end may begin one).
        std::size_t start = 0;
        while (start < partial.size() &&
               !(partial[start] == kDle &&
                 (start + 1 == partial.size() || partial[start + 1] == kStx))) {
            ++start;
        }
        partial.erase(partial.begin(), partial.begin() + static_cast<std::ptrdiff_t>(start));
        if (partial.size() <= kLengthIndex) return;
        const std::size_t total = partial[kLengthIndex] + kFrameOverhead;
        if (partial.size() < total) return;
        partial.erase(partial.begin(), partial.begin() + static_cast<std::ptrdiff_t>(total));
    }
}

int SerialPortNumber(const std::string& portName) {
    // "\\.\COM12": the two characters after "\\.\COM"; "COM3": everything after "COM".
    const std::string digits = portName.size() > 5
                                   ? portName.substr(std::min<std::size_t>(7, portName.size()), 2)
                                   : portName.substr(std::min<std::size_t>(3, portName.size()));
    if (digits.empty()) return 0;
    int number = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return 0;
        number = number * 10 + (c - '0');
    }
    return number;
}

float UnpackLevel(std::span<const std::uint8_t> reply, int i) {
    const std::size_t k = static_cast<std::size_t>(i) * 3;
    const std::uint32_t bits = (std::uint32_t{reply[k + 1]} << 24) |
                               (std::uint32_t{reply[k]} << 16) | (std::uint32_t{reply[k + 2]} << 8);
    return std::bit_cast<float>(bits);
}

double LevelDb(float v) {
    if (!std::isfinite(v) || v <= 0.0f) return kSilentLevelDb;
    return 20.0 * std::log10(static_cast<double>(v));
}

int MeterPosition(double levelDb, std::span<const float> thresholds) {
    int position = 0;
    for (float t : thresholds) {
        if (static_cast<double>(t) - 15.0 >= levelDb) break;
        ++position;
    }
    return position;
}

}  // namespace dsp
