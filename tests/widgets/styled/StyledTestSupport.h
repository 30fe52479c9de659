#pragma once
// Small picture files made with the framework's own codecs, for the styled pack's tests and
// sample renders.

#include <cstdint>
#include <vector>

#include "framework/graphics/Colors.h"
#include "widgets/styled/AdvGDIP.h"

namespace dsp::test {

// A 24-bit BMP file of one colour with its bottom-left pixel in another.
std::vector<std::uint8_t> BmpFile(int width, int height, TColor body, TColor bottomLeft);
// A PNG file of one colour (ARGB, so alpha below 255 gives a translucent picture).
std::vector<std::uint8_t> PngFile(int width, int height, ARGB color);
// A JPEG file of one colour.
std::vector<std::uint8_t> JpegFile(int width, int height, TColor color);

// A picture of the styled pack holding the file.
void LoadPicture(TAdvGDIPPicture& picture, const std::vector<std::uint8_t>& file);

}  // namespace dsp::test
