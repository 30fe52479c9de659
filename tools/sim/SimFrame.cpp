#include "tools/sim/SimFrame.h"

#include <cstdio>

namespace dsp::sim {

namespace {
constexpr std::uint8_t kDle = 0x10;
constexpr std::uint8_t kStx = 0x02;
constexpr std::uint8_t kEtx = 0x03;
}  // namespace

std::vector<std::uint8_t> BuildFrame(std::uint8_t sender, std::uint8_t receiver, std::uint8_t code,
                                     const std::vector<std::uint8_t>& payload) {
    std::vector<std::uint8_t> f;
    f.reserve(payload.size() + 9);
    f.push_back(kDle);
    f.push_back(kStx);
    f.push_back(sender);
    f.push_back(receiver);
    f.push_back(static_cast<std::uint8_t>(payload.size() + 1));
    f.push_back(code);
    f.insert(f.end(), payload.begin(), payload.end());
    f.push_back(kDle);
    f.push_back(kEtx);
    std::uint8_t check = 0;
    for (std::uint8_t b : f) check ^= b;
    f.push_back(check);
    return f;
}

void StrictFrameReader::Feed(const std::uint8_t* data, std::size_t length,
                             std::vector<SimFrame>& frames, std::vector<std::string>& faults) {
    std::size_t stray = 0;
    auto reportStray = [&] {
        if (stray > 0) faults.push_back(std::to_string(stray) + " byte(s) outside any frame");
        stray = 0;
    };
    for (std::size_t i = 0; i < length; ++i) {
        const std::uint8_t b = data[i];
        if (buffer_.empty() && b != kDle) {
            ++stray;
            continue;
        }
        if (buffer_.size() == 1 && b != kStx) {
            stray += (b == kDle) ? 1 : 2;
            buffer_.clear();
            if (b == kDle) buffer_.push_back(b);
            continue;
        }
        buffer_.push_back(b);
        if (buffer_.size() == 5 && buffer_[4] == 0) {
            reportStray();
            faults.push_back("frame with length byte 0: " + HexBytes(buffer_));
            buffer_.clear();
            continue;
        }
        if (buffer_.size() < 5 || buffer_.size() < static_cast<std::size_t>(buffer_[4]) + 8) {
            continue;
        }
        reportStray();
        const std::size_t n = buffer_.size();
        std::uint8_t check = 0;
        for (std::size_t k = 0; k + 1 < n; ++k) check ^= buffer_[k];
        if (buffer_[n - 3] != kDle || buffer_[n - 2] != kEtx) {
            faults.push_back("frame without DLE ETX at its end: " + HexBytes(buffer_));
        } else if (check != buffer_[n - 1]) {
            char text[64];
            std::snprintf(text, sizeof text,
                          "wrong check byte (%02X, expected %02X): ", buffer_[n - 1], check);
            faults.push_back(text + HexBytes(buffer_));
        } else {
            SimFrame f;
            f.sender = buffer_[2];
            f.receiver = buffer_[3];
            f.code = buffer_[5];
            f.payload.assign(buffer_.begin() + 6, buffer_.end() - 3);
            f.bytes = buffer_;
            frames.push_back(std::move(f));
        }
        buffer_.clear();
    }
    reportStray();
}

std::string HexBytes(const std::vector<std::uint8_t>& bytes) {
    std::string text;
    text.reserve(bytes.size() * 3);
    static const char digits[] = "0123456789ABCDEF";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0) text.push_back(' ');
        text.push_back(digits[bytes[i] >> 4]);
        text.push_back(digits[bytes[i] & 0x0F]);
    }
    return text;
}

}  // namespace dsp::sim
