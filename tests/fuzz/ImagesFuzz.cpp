// libFuzzer target over the BMP, JPEG and PNG readers. Every input goes to all three; each
// either refuses it with EInvalidGraphic or gives a picture, which is then written again in that
// format (with settings taken from the input) and read back:
//   - BMP (24 or 32 bits) and PNG come back pixel for pixel;
//   - JPEG comes back with the same size, and its header alone tells that size;
//   - a monochrome BMP written as one bit per pixel comes back as the same black and white.
// No reader may fail any other way, read outside the input or leave undefined behaviour. A
// broken rule aborts, which libFuzzer reports as a crash.

#include <fuzzer/FuzzedDataProvider.h>

#include <QImage>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "framework/graphics/BmpCodec.h"
#include "framework/graphics/Graphic.h"
#include "framework/graphics/JpegCodec.h"
#include "framework/graphics/PngCodec.h"

namespace dsp {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Pictures larger than this are read but not written again, to keep each run short.
constexpr int kMaxRewrittenPixels = 256 * 256;

// The line of the broken rule goes to the error stream before the abort.
void Check(bool condition, int line = __builtin_LINE()) {
    if (condition) return;
    std::fprintf(stderr, "broken rule at line %d\n", line);
    std::abort();
}

bool Small(const QImage& image) {
    return !image.isNull() &&
           static_cast<long long>(image.width()) * image.height() <= kMaxRewrittenPixels;
}

bool SamePixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) return false;
    return true;
}

void Bmp(const Bytes& data, FuzzedDataProvider& settings) {
    bmp::Decoded decoded;
    try {
        decoded = bmp::Decode(data);
    } catch (const EInvalidGraphic&) {
        return;
    }
    Check(decoded.image.format() == QImage::Format_RGB32);
    if (!Small(decoded.image)) return;
    const int bits = decoded.monochrome ? 1 : settings.ConsumeBool() ? 24 : 32;
    const bmp::Decoded again = bmp::Decode(bmp::Encode(decoded.image, bits));
    Check(SamePixels(again.image, decoded.image));
    Check(again.monochrome == decoded.monochrome);
}

void Png(const Bytes& data, FuzzedDataProvider& settings) {
    QImage image;
    try {
        image = png::Decode(data);
    } catch (const EInvalidGraphic&) {
        return;
    }
    Check(image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32);
    if (!Small(image)) return;
    const QImage again =
        png::Decode(png::Encode(image, settings.ConsumeIntegralInRange<int>(0, 9)));
    Check(again.format() == image.format());
    Check(SamePixels(again, image));
}

void Jpeg(const Bytes& data, FuzzedDataProvider& settings) {
    QImage image;
    try {
        image = jpeg::Decode(data);
    } catch (const EInvalidGraphic&) {
        return;
    }
    Check(image.format() == QImage::Format_RGB32);
    int width = 0, height = 0;
    Check(jpeg::ReadSize(data, width, height));
    Check(width == image.width() && height == image.height());
    if (!Small(image)) return;
    jpeg::EncodeOptions options;
    options.quality = settings.ConsumeIntegralInRange<int>(1, 100);
    options.progressive = settings.ConsumeBool();
    options.grayscale = settings.ConsumeBool();
    options.bestQuality = settings.ConsumeBool();
    const Bytes written = jpeg::Encode(image, options);
    const QImage again = jpeg::Decode(written);
    Check(again.size() == image.size());
    Check(jpeg::ReadSize(written, width, height) && width == image.width() &&
          height == image.height());
}

}  // namespace
}  // namespace dsp

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace dsp;
    const Bytes picture(data, data + size);
    // The writers' settings come from the input's last bytes, read from its end.
    FuzzedDataProvider settings(data, size);
    Bmp(picture, settings);
    Png(picture, settings);
    Jpeg(picture, settings);
    return 0;
}
