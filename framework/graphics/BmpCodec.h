#pragma once
// Framework-internal: reading and writing BMP files.

#include <QImage>

#include <cstdint>
#include <vector>

#include "framework/graphics/Bitmap.h"

namespace dsp::bmp {

struct Decoded {
    QImage image;             // Format_RGB32
    bool monochrome = false;  // one bit per pixel with a black and white palette
    TPixelFormat format = pf24bit;
};

// Raises EInvalidGraphic for anything that is not a readable BMP.
Decoded Decode(const std::vector<std::uint8_t>& data);
// bitsPerPixel 1 (black where the pixel is not white), 4 (each pixel as the nearest of the 16
// standard colours), 24 or 32.
std::vector<std::uint8_t> Encode(const QImage& image, int bitsPerPixel);

}  // namespace dsp::bmp
