#pragma once
// Framework-internal: JPEG through libjpeg.

#include <QImage>

#include <cstdint>
#include <vector>

namespace dsp::jpeg {

struct EncodeOptions {
    int quality = 90;  // 1 to 100
    bool progressive = false;
    bool grayscale = false;
    bool bestQuality = true;  // the accurate transform rather than the fast one
};

// Size from the header alone; false when the data is not a readable JPEG header.
bool ReadSize(const std::vector<std::uint8_t>& data, int& width, int& height);
// The decoded picture (Format_RGB32); raises EInvalidGraphic when the data cannot be decoded.
QImage Decode(const std::vector<std::uint8_t>& data);
std::vector<std::uint8_t> Encode(const QImage& image, const EncodeOptions& options);

}  // namespace dsp::jpeg
