#include "framework/graphics/PngCodec.h"

#include <png.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "framework/graphics/Graphic.h"

namespace dsp::png {

namespace {

constexpr unsigned long long kMaxPixels =
    1ULL << 26;  // 8192 x 8192: far beyond any picture of the program
constexpr std::size_t kMessageSize = 256;

// libpng reports fatal errors by a long jump back to the entry point; the functions that set
// the jump point hold only plain data, so that the jump skips no destructor.
struct Source {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t pos;
    char message[kMessageSize];
};

struct Sink {
    std::uint8_t* data;
    std::size_t size;
    std::size_t capacity;
    char message[kMessageSize];
};

void ReadData(png_structp png, png_bytep out, png_size_t count) {
    auto* source = static_cast<Source*>(png_get_io_ptr(png));
    if (count > source->size - source->pos) png_error(png, "the data ends early");
    std::memcpy(out, source->data + source->pos, count);
    source->pos += count;
}

void WriteData(png_structp png, png_bytep in, png_size_t count) {
    auto* sink = static_cast<Sink*>(png_get_io_ptr(png));
    if (count > sink->capacity - sink->size) {
        std::size_t capacity = std::max<std::size_t>(sink->capacity * 2, 4096);
        while (capacity - sink->size < count) capacity *= 2;
        auto* grown = static_cast<std::uint8_t*>(std::realloc(sink->data, capacity));
        if (grown == nullptr) png_error(png, "out of memory");
        sink->data = grown;
        sink->capacity = capacity;
    }
    std::memcpy(sink->data + sink->size, in, count);
    sink->size += count;
}

void FlushData(png_structp) {}

void KeepMessage(png_structp png, png_const_charp text) {
    char* message = static_cast<char*>(png_get_error_ptr(png));
    std::strncpy(message, text, kMessageSize - 1);
    message[kMessageSize - 1] = '\0';
    png_longjmp(png, 1);
}

void IgnoreWarning(png_structp, png_const_charp) {}

// Reads the header and, when image is not null, the pixels.
bool DecodeInto(Source* source, QImage* image, int* headerWidth, int* headerHeight,
                bool* transparent) {
    png_structp png =
        png_create_read_struct(PNG_LIBPNG_VER_STRING, source->message, KeepMessage, IgnoreWarning);
    if (png == nullptr) {
        std::strcpy(source->message, "out of memory");
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        std::strcpy(source->message, "out of memory");
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, source, ReadData);
    png_set_user_limits(png, 32767, 32767);
    png_read_info(png, info);
    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    if (static_cast<unsigned long long>(width) * height > kMaxPixels)
        png_error(png, "picture too large");
    const int colorType = png_get_color_type(png, info);
    const bool alpha =
        (colorType & PNG_COLOR_MASK_ALPHA) != 0 || png_get_valid(png, info, PNG_INFO_tRNS);
    *headerWidth = static_cast<int>(width);
    *headerHeight = static_cast<int>(height);
    *transparent = alpha;
    if (image == nullptr) {
        png_destroy_read_struct(&png, &info, nullptr);
        return true;
    }
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    if (!alpha) png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_bgr(png);  // B, G, R, A in memory: a 32-bit ARGB value on this machine
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != static_cast<png_size_t>(width) * 4)
        png_error(png, "unexpected layout");
    *image = QImage(static_cast<int>(width), static_cast<int>(height),
                    alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (image->isNull()) png_error(png, "out of memory");
    for (int pass = 0; pass < passes; ++pass)
        for (png_uint_32 y = 0; y < height; ++y)
            png_read_row(png, image->scanLine(static_cast<int>(y)), nullptr);
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

bool EncodeInto(const QImage* image, int level, Sink* sink) {
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, sink->message, KeepMessage, IgnoreWarning);
    if (png == nullptr) {
        std::strcpy(sink->message, "out of memory");
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        std::strcpy(sink->message, "out of memory");
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    const bool alpha = image->hasAlphaChannel();
    png_set_write_fn(png, sink, WriteData, FlushData);
    png_set_compression_level(png, level);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image->width()),
                 static_cast<png_uint_32>(image->height()), 8,
                 alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_pHYs(png, info, 3780, 3780, PNG_RESOLUTION_METER);  // 96 dots per inch
    png_write_info(png, info);
    png_set_bgr(png);
    if (!alpha) png_set_filler(png, 0, PNG_FILLER_AFTER);
    for (int y = 0; y < image->height(); ++y)
        png_write_row(png, const_cast<png_bytep>(image->constScanLine(y)));
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool ReadSize(const std::vector<std::uint8_t>& data, int& width, int& height, bool& transparent) {
    if (data.size() < 8 || png_sig_cmp(data.data(), 0, 8) != 0) return false;
    Source source{data.data(), data.size(), 0, {}};
    return DecodeInto(&source, nullptr, &width, &height, &transparent);
}

QImage Decode(const std::vector<std::uint8_t>& data) {
    if (data.size() < 8 || png_sig_cmp(data.data(), 0, 8) != 0)
        throw EInvalidGraphic("PNG error: not a PNG picture");
    Source source{data.data(), data.size(), 0, {}};
    QImage image;
    int width = 0;
    int height = 0;
    bool transparent = false;
    if (!DecodeInto(&source, &image, &width, &height, &transparent))
        throw EInvalidGraphic(std::string("PNG error: ") + source.message);
    return image;
}

std::vector<std::uint8_t> Encode(const QImage& source, int compressionLevel) {
    if (source.isNull()) throw EInvalidGraphicOperation("Cannot compress an empty picture");
    const QImage image = source.convertToFormat(source.hasAlphaChannel() ? QImage::Format_ARGB32
                                                                         : QImage::Format_RGB32);
    Sink sink{nullptr, 0, 0, {}};
    const bool ok = EncodeInto(&image, std::clamp(compressionLevel, 0, 9), &sink);
    std::vector<std::uint8_t> bytes;
    if (ok) bytes.assign(sink.data, sink.data + sink.size);
    std::free(sink.data);
    if (!ok) throw EInvalidGraphic(std::string("PNG error: ") + sink.message);
    return bytes;
}

}  // namespace dsp::png
