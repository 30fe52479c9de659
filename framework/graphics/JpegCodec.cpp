#include "framework/graphics/JpegCodec.h"

// libjpeg's header needs size_t and FILE declared first.
#include <algorithm>
#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <jpeglib.h>

#include "framework/graphics/Graphic.h"

namespace dsp::jpeg {

namespace {

constexpr unsigned long long kMaxPixels =
    1ULL << 26;  // 8192 x 8192: far beyond any picture of the program

// libjpeg reports fatal errors through error_exit, which must not return: it jumps back to the
// entry point with the message. The functions that set the jump point hold only plain data, so
// that the jump skips no destructor.
struct Errors {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void ErrorExit(j_common_ptr info) {
    auto* errors = reinterpret_cast<Errors*>(info->err);
    (*info->err->format_message)(info, errors->message);
    std::longjmp(errors->jump, 1);
}

void IgnoreMessage(j_common_ptr) {}

// Clears the state of a decompressor or compressor and sends its errors to `errors`.
template <typename Info>
void InstallErrors(Info& info, Errors& errors) {
    std::memset(&info, 0, sizeof info);
    jpeg_std_error(&errors.manager);
    errors.manager.error_exit = ErrorExit;
    errors.manager.output_message = IgnoreMessage;
    errors.message[0] = '\0';
    info.err = &errors.manager;
}

void ReadRows(j_decompress_ptr info, QImage* image) {
    const int components = info->output_components;
    JSAMPARRAY row = (*info->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(info), JPOOL_IMAGE,
                                                info->output_width * components, 1);
    const bool adobeInverted = info->saw_Adobe_marker;
    while (info->output_scanline < info->output_height) {
        const int y = static_cast<int>(info->output_scanline);
        jpeg_read_scanlines(info, row, 1);
        auto* dst = reinterpret_cast<QRgb*>(image->scanLine(y));
        const JSAMPLE* src = row[0];
        for (JDIMENSION x = 0; x < info->output_width; ++x) {
            if (components == 4) {
                int c = src[4 * x], m = src[4 * x + 1], yy = src[4 * x + 2], k = src[4 * x + 3];
                if (!adobeInverted) {
                    c = 255 - c;
                    m = 255 - m;
                    yy = 255 - yy;
                    k = 255 - k;
                }
                dst[x] = qRgb(c * k / 255, m * k / 255, yy * k / 255);
            } else if (components == 3) {
                dst[x] = qRgb(src[3 * x], src[3 * x + 1], src[3 * x + 2]);
            } else {
                dst[x] = qRgb(src[x], src[x], src[x]);
            }
        }
    }
}

// Decodes into image (or only reads the size when image is null). False with a message on
// failure.
bool DecodeInto(const std::uint8_t* data, std::size_t size, QImage* image, int* width, int* height,
                char* message) {
    jpeg_decompress_struct info;
    Errors errors;
    InstallErrors(info, errors);
    if (setjmp(errors.jump)) {
        std::strcpy(message, errors.message);
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, const_cast<unsigned char*>(data), static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    *width = static_cast<int>(info.image_width);
    *height = static_cast<int>(info.image_height);
    if (static_cast<unsigned long long>(info.image_width) * info.image_height > kMaxPixels) {
        std::strcpy(message, "picture too large");
        jpeg_destroy_decompress(&info);
        return false;
    }
    if (image == nullptr) {
        jpeg_destroy_decompress(&info);
        return true;
    }
    info.out_color_space = (info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK)
                               ? JCS_CMYK
                           : info.jpeg_color_space == JCS_GRAYSCALE ? JCS_GRAYSCALE
                                                                    : JCS_RGB;
    info.dct_method = JDCT_ISLOW;
    jpeg_start_decompress(&info);
    *image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                    QImage::Format_RGB32);
    if (image->isNull()) {
        std::strcpy(message, "out of memory");
        jpeg_destroy_decompress(&info);
        return false;
    }
    ReadRows(&info, image);
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

void WriteRows(j_compress_ptr info, const QImage* image) {
    JSAMPARRAY row = (*info->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(info), JPOOL_IMAGE,
                                                info->image_width * 3, 1);
    while (info->next_scanline < info->image_height) {
        const auto* src = reinterpret_cast<const QRgb*>(
            image->constScanLine(static_cast<int>(info->next_scanline)));
        JSAMPLE* dst = row[0];
        for (JDIMENSION x = 0; x < info->image_width; ++x) {
            dst[3 * x] = static_cast<JSAMPLE>(qRed(src[x]));
            dst[3 * x + 1] = static_cast<JSAMPLE>(qGreen(src[x]));
            dst[3 * x + 2] = static_cast<JSAMPLE>(qBlue(src[x]));
        }
        jpeg_write_scanlines(info, row, 1);
    }
}

bool EncodeInto(const QImage* image, const EncodeOptions* options, unsigned char** buffer,
                unsigned long* size, char* message) {
    jpeg_compress_struct info;
    Errors errors;
    InstallErrors(info, errors);
    if (setjmp(errors.jump)) {
        std::strcpy(message, errors.message);
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, buffer, size);
    info.image_width = static_cast<JDIMENSION>(image->width());
    info.image_height = static_cast<JDIMENSION>(image->height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    if (options->grayscale) jpeg_set_colorspace(&info, JCS_GRAYSCALE);
    jpeg_set_quality(&info, options->quality, TRUE);
    info.dct_method = options->bestQuality ? JDCT_ISLOW : JDCT_IFAST;
    info.density_unit = 1;
    info.X_density = 96;
    info.Y_density = 96;
    if (options->progressive) jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    WriteRows(&info, image);
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

}  // namespace

bool ReadSize(const std::vector<std::uint8_t>& data, int& width, int& height) {
    if (data.empty()) return false;
    char message[JMSG_LENGTH_MAX];
    return DecodeInto(data.data(), data.size(), nullptr, &width, &height, message);
}

QImage Decode(const std::vector<std::uint8_t>& data) {
    if (data.empty()) throw EInvalidGraphic("JPEG error: empty data");
    QImage image;
    int width = 0;
    int height = 0;
    char message[JMSG_LENGTH_MAX];
    if (!DecodeInto(data.data(), data.size(), &image, &width, &height, message))
        throw EInvalidGraphic(std::string("JPEG error: ") + message);
    return image;
}

std::vector<std::uint8_t> Encode(const QImage& source, const EncodeOptions& options) {
    if (source.isNull()) throw EInvalidGraphicOperation("Cannot compress an empty picture");
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    EncodeOptions clamped = options;
    clamped.quality = std::clamp(options.quality, 1, 100);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    char message[JMSG_LENGTH_MAX];
    const bool ok = EncodeInto(&image, &clamped, &buffer, &size, message);
    std::vector<std::uint8_t> bytes;
    if (ok) bytes.assign(buffer, buffer + size);
    std::free(buffer);
    if (!ok) throw EInvalidGraphic(std::string("JPEG error: ") + message);
    return bytes;
}

}  // namespace dsp::jpeg
