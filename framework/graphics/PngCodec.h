#pragma once
// Framework-internal: PNG through libpng and zlib.

#include <QImage>

#include <cstdint>
#include <vector>

namespace dsp::png {

// The decoded picture: Format_ARGB32 when the file has transparency (an alpha channel or a
// transparent colour), Format_RGB32 otherwise. Raises EInvalidGraphic when the data cannot be
// decoded.
QImage Decode(const std::vector<std::uint8_t>& data);
// Size and transparency from the chunks before the pixels alone; false when they are not a
// readable PNG header or the picture is larger than Decode reads.
bool ReadSize(const std::vector<std::uint8_t>& data, int& width, int& height, bool& transparent);
// RGBA when the image has an alpha channel, RGB otherwise; level 0 (none) to 9 (best).
std::vector<std::uint8_t> Encode(const QImage& image, int compressionLevel);

}  // namespace dsp::png
