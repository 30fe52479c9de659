// The anti-aliased drawing layer: images, their codecs and colour adjustments, and the hatch
// patterns.

#include <QBuffer>
#include <QImageReader>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>

#include "framework/core/FrameworkAccess.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/BitmapQt.h"
#include "framework/graphics/BmpCodec.h"
#include "framework/graphics/GdiPlusQt.h"
#include "framework/graphics/JpegCodec.h"
#include "framework/graphics/PngCodec.h"

namespace dsp::Gdiplus {

bool GUID::operator==(const GUID& other) const {
    return Data1 == other.Data1 && Data2 == other.Data2 && Data3 == other.Data3 &&
           std::memcmp(Data4, other.Data4, sizeof Data4) == 0;
}

namespace {
constexpr GUID ImageFormatGuid(std::uint32_t first) {
    return {first, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
}
constexpr GUID EncoderGuid(std::uint32_t first) {
    return {first, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
}
}  // namespace

const GUID ImageFormatUndefined = ImageFormatGuid(0xb96b3ca9);
const GUID ImageFormatMemoryBMP = ImageFormatGuid(0xb96b3caa);
const GUID ImageFormatBMP = ImageFormatGuid(0xb96b3cab);
const GUID ImageFormatEMF = ImageFormatGuid(0xb96b3cac);
const GUID ImageFormatWMF = ImageFormatGuid(0xb96b3cad);
const GUID ImageFormatJPEG = ImageFormatGuid(0xb96b3cae);
const GUID ImageFormatPNG = ImageFormatGuid(0xb96b3caf);
const GUID ImageFormatGIF = ImageFormatGuid(0xb96b3cb0);
const GUID ImageFormatTIFF = ImageFormatGuid(0xb96b3cb1);
const GUID ImageFormatEXIF = ImageFormatGuid(0xb96b3cb2);
const GUID ImageFormatIcon = ImageFormatGuid(0xb96b3cb5);
const CLSID EncoderBmp = EncoderGuid(0x557cf400);
const CLSID EncoderJpeg = EncoderGuid(0x557cf401);
const CLSID EncoderGif = EncoderGuid(0x557cf402);
const CLSID EncoderTiff = EncoderGuid(0x557cf405);
const CLSID EncoderPng = EncoderGuid(0x557cf406);
const GUID EncoderQuality = {
    0x1d5be4b5, 0xfa4a, 0x452d, {0x9c, 0xdd, 0x5d, 0xb3, 0x51, 0x05, 0xe7, 0xeb}};

// ---- hatch patterns

std::array<std::uint8_t, 8> HatchPattern(HatchStyle style) {
    // Ordered-dither thresholds for the percentage patterns.
    static constexpr int kBayer[8][8] = {
        {0, 32, 8, 40, 2, 34, 10, 42},  {48, 16, 56, 24, 50, 18, 58, 26},
        {12, 44, 4, 36, 14, 46, 6, 38}, {60, 28, 52, 20, 62, 30, 54, 22},
        {3, 35, 11, 43, 1, 33, 9, 41},  {51, 19, 59, 27, 49, 17, 57, 25},
        {15, 47, 7, 39, 13, 45, 5, 37}, {63, 31, 55, 23, 61, 29, 53, 21}};
    static constexpr int kPercent[] = {5, 10, 20, 25, 30, 40, 50, 60, 70, 75, 80, 90};
    using Rows = std::array<std::uint8_t, 8>;
    auto byRule = [](auto rule) {
        Rows rows{};
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                if (rule(x, y)) rows[y] |= static_cast<std::uint8_t>(0x80 >> x);
        return rows;
    };
    auto mod = [](int v, int m) { return ((v % m) + m) % m; };
    if (style >= HatchStyle05Percent && style <= HatchStyle90Percent) {
        const int lit = kPercent[style - HatchStyle05Percent] * 64 / 100;
        return byRule([&](int x, int y) { return kBayer[y][x] < lit; });
    }
    switch (style) {
        case HatchStyleHorizontal: return byRule([](int, int y) { return y == 0; });
        case HatchStyleVertical: return byRule([](int x, int) { return x == 0; });
        case HatchStyleForwardDiagonal: return byRule([](int x, int y) { return x == y; });
        case HatchStyleBackwardDiagonal: return byRule([](int x, int y) { return x == 7 - y; });
        case HatchStyleCross: return byRule([](int x, int y) { return x == 0 || y == 0; });
        case HatchStyleDiagonalCross:
            return byRule([](int x, int y) { return x == y || x == 7 - y; });
        case HatchStyleLightDownwardDiagonal:
            return byRule([&](int x, int y) { return mod(x - y, 4) == 0; });
        case HatchStyleLightUpwardDiagonal:
            return byRule([&](int x, int y) { return mod(x + y, 4) == 3; });
        case HatchStyleDarkDownwardDiagonal:
            return byRule([&](int x, int y) { return mod(x - y, 4) < 2; });
        case HatchStyleDarkUpwardDiagonal:
            return byRule([&](int x, int y) { return mod(x + y, 4) < 2; });
        case HatchStyleWideDownwardDiagonal:
            return byRule([&](int x, int y) { return mod(x - y, 8) < 3; });
        case HatchStyleWideUpwardDiagonal:
            return byRule([&](int x, int y) { return mod(x + y, 8) < 3; });
        case HatchStyleLightVertical: return byRule([](int x, int) { return x % 4 == 0; });
        case HatchStyleLightHorizontal: return byRule([](int, int y) { return y % 4 == 0; });
        case HatchStyleNarrowVertical: return byRule([](int x, int) { return x % 2 == 0; });
        case HatchStyleNarrowHorizontal: return byRule([](int, int y) { return y % 2 == 0; });
        case HatchStyleDarkVertical: return byRule([](int x, int) { return x % 4 < 2; });
        case HatchStyleDarkHorizontal: return byRule([](int, int y) { return y % 4 < 2; });
        case HatchStyleDashedDownwardDiagonal:
            return byRule([&](int x, int y) { return y < 4 && mod(x - y, 4) == 0; });
        case HatchStyleDashedUpwardDiagonal:
            return byRule([&](int x, int y) { return y < 4 && mod(x + y, 4) == 3; });
        case HatchStyleDashedHorizontal:
            return byRule([](int x, int y) { return (y == 0 && x < 4) || (y == 4 && x >= 4); });
        case HatchStyleDashedVertical:
            return byRule([](int x, int y) { return (x == 0 && y < 4) || (x == 4 && y >= 4); });
        case HatchStyleSmallConfetti: return {0x80, 0x04, 0x40, 0x02, 0x20, 0x01, 0x10, 0x08};
        case HatchStyleLargeConfetti: return {0xB1, 0x30, 0x03, 0x1B, 0xD8, 0xC0, 0x0C, 0x8D};
        case HatchStyleZigZag: return {0x81, 0x42, 0x24, 0x18, 0x81, 0x42, 0x24, 0x18};
        case HatchStyleWave: return {0x00, 0x18, 0xA4, 0x03, 0x00, 0x18, 0xA4, 0x03};
        case HatchStyleDiagonalBrick: return {0x01, 0x02, 0x04, 0x08, 0x18, 0x24, 0x42, 0x81};
        case HatchStyleHorizontalBrick: return {0xFF, 0x80, 0x80, 0x80, 0xFF, 0x08, 0x08, 0x08};
        case HatchStyleWeave: return {0x88, 0x54, 0x22, 0x45, 0x88, 0x14, 0x22, 0x51};
        case HatchStylePlaid: return {0xAA, 0x55, 0xAA, 0x55, 0xF0, 0xF0, 0xF0, 0xF0};
        case HatchStyleDivot: return {0x00, 0x10, 0x08, 0x10, 0x00, 0x01, 0x80, 0x01};
        case HatchStyleDottedGrid: return {0xAA, 0x00, 0x80, 0x00, 0x80, 0x00, 0x80, 0x00};
        case HatchStyleDottedDiamond: return {0x80, 0x00, 0x22, 0x00, 0x08, 0x00, 0x22, 0x00};
        case HatchStyleShingle: return {0x03, 0x84, 0x48, 0x30, 0x0C, 0x02, 0x01, 0x01};
        case HatchStyleTrellis: return {0xFF, 0x66, 0xFF, 0x99, 0xFF, 0x66, 0xFF, 0x99};
        case HatchStyleSphere: return {0x77, 0x89, 0x8F, 0x8F, 0x77, 0x98, 0xF8, 0xF8};
        case HatchStyleSmallGrid:
            return byRule([](int x, int y) { return x % 4 == 0 || y % 4 == 0; });
        case HatchStyleSmallCheckerBoard:
            return byRule([](int x, int y) { return (x / 2 + y / 2) % 2 == 0; });
        case HatchStyleLargeCheckerBoard:
            return byRule([](int x, int y) { return (x / 4 + y / 4) % 2 == 0; });
        case HatchStyleOutlinedDiamond: return {0x41, 0x22, 0x14, 0x08, 0x14, 0x22, 0x41, 0x80};
        case HatchStyleSolidDiamond: return {0x10, 0x38, 0x7C, 0xFE, 0x7C, 0x38, 0x10, 0x00};
        default: return {};
    }
}

// ---- decoding

namespace {

bool StartsWith(const std::vector<std::uint8_t>& b, std::initializer_list<int> sig) {
    if (b.size() < sig.size()) return false;
    std::size_t i = 0;
    for (int v : sig)
        if (b[i++] != static_cast<std::uint8_t>(v)) return false;
    return true;
}

PixelFormat FromBitmapFormat(TPixelFormat format) {
    switch (format) {
        case pf1bit: return PixelFormat1bppIndexed;
        case pf4bit: return PixelFormat4bppIndexed;
        case pf8bit: return PixelFormat8bppIndexed;
        case pf15bit: return PixelFormat16bppRGB555;
        case pf16bit: return PixelFormat16bppRGB565;
        case pf32bit: return PixelFormat32bppRGB;
        default: return PixelFormat24bppRGB;
    }
}

QImage Drawable(QImage image) {
    // In place: a decoded picture is not shared, and premultiplying keeps its depth.
    image.convertTo(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                            : QImage::Format_RGB32);
    return image;
}

bool ReadFile(const char* filename, std::vector<std::uint8_t>& bytes) {
    std::ifstream in(filename, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

Status Load(const std::vector<std::uint8_t>& bytes, GpImage** image) {
    if (image == nullptr) return InvalidParameter;
    *image = nullptr;
    auto decoded = std::make_unique<GpImage>();
    if (!DecodeImage(bytes, *decoded)) return UnknownImageFormat;
    *image = decoded.release();
    return Ok;
}

Status LoadFile(const char* filename, GpImage** image) {
    if (filename == nullptr || image == nullptr) return InvalidParameter;
    *image = nullptr;
    std::vector<std::uint8_t> bytes;
    if (!ReadFile(filename, bytes)) return FileNotFound;
    return Load(bytes, image);
}

Status LoadStream(IStream* stream, GpImage** image) {
    if (stream == nullptr) return InvalidParameter;
    return Load(stream->data, image);
}

QRgb Unpremultiplied(const QImage& image, int x, int y) {
    const QRgb p = image.pixel(x, y);
    return image.format() == QImage::Format_ARGB32_Premultiplied ? qUnpremultiply(p) : p;
}

// The colour after one kind of adjustment; alpha 0 for a colour-keyed one.
QRgb Adjust(QRgb c, const ColorAdjustment& a) {
    if (a.colorKey) {
        const ARGB low = a.colorKey->first, high = a.colorKey->second;
        auto in = [&](int shift) {
            const int v = (c >> shift) & 0xFF;
            return v >= static_cast<int>((low >> shift) & 0xFF) &&
                   v <= static_cast<int>((high >> shift) & 0xFF);
        };
        if (in(16) && in(8) && in(0)) return 0;
    }
    for (const ColorMap& m : a.remap)
        if (c == m.oldColor) {
            c = m.newColor;
            break;
        }
    if (a.matrix) {
        const bool gray = qRed(c) == qGreen(c) && qGreen(c) == qBlue(c);
        const ColorMatrix* m = &*a.matrix;
        if (gray && a.matrixFlags == ColorMatrixFlagsSkipGrays) m = nullptr;
        if (gray && a.matrixFlags == ColorMatrixFlagsAltGray && a.grayMatrix) m = &*a.grayMatrix;
        if (m != nullptr) {
            const double in[5] = {qRed(c) / 255.0, qGreen(c) / 255.0, qBlue(c) / 255.0,
                                  qAlpha(c) / 255.0, 1.0};
            int out[4];
            for (int j = 0; j < 4; ++j) {
                double v = 0;
                for (int i = 0; i < 5; ++i) v += in[i] * m->m[i][j];
                out[j] = std::clamp(static_cast<int>(std::lround(v * 255.0)), 0, 255);
            }
            c = qRgba(out[0], out[1], out[2], out[3]);
        }
    }
    if (a.threshold) {
        const double t = *a.threshold * 255.0;
        auto cut = [&](int v) { return v > t ? 255 : 0; };
        c = qRgba(cut(qRed(c)), cut(qGreen(c)), cut(qBlue(c)), qAlpha(c));
    }
    if (a.gamma && *a.gamma > 0) {
        const double g = *a.gamma;
        auto curve = [&](int v) {
            return std::clamp(static_cast<int>(std::lround(std::pow(v / 255.0, g) * 255.0)), 0,
                              255);
        };
        c = qRgba(curve(qRed(c)), curve(qGreen(c)), curve(qBlue(c)), qAlpha(c));
    }
    return c;
}

const ColorAdjustment* AdjustmentFor(const GpImageAttributes* attributes, ColorAdjustType type) {
    if (attributes == nullptr) return nullptr;
    const ColorAdjustment& own = attributes->kinds[static_cast<std::size_t>(type)];
    const ColorAdjustment& fallback = attributes->kinds[ColorAdjustTypeDefault];
    const ColorAdjustment& a = own.Any() ? own : fallback;
    if (!a.Any() || a.noOp) return nullptr;
    return &a;
}

ColorAdjustment* KindOf(GpImageAttributes* attributes, ColorAdjustType type) {
    if (attributes == nullptr || type < ColorAdjustTypeDefault || type >= ColorAdjustTypeCount)
        return nullptr;
    return &attributes->kinds[static_cast<std::size_t>(type)];
}

Status Encode(GpImage* image, const CLSID* clsid, const EncoderParameters* params,
              std::vector<std::uint8_t>& out) {
    if (image == nullptr || clsid == nullptr || image->Pixels().isNull()) return InvalidParameter;
    const QImage plain = image->Pixels().convertToFormat(
        image->Pixels().hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    try {
        if (*clsid == EncoderBmp) {
            out = bmp::Encode(plain, plain.hasAlphaChannel() ? 32 : 24);
        } else if (*clsid == EncoderPng) {
            out = png::Encode(plain, 6);
        } else if (*clsid == EncoderJpeg) {
            jpeg::EncodeOptions options;
            const EncoderParameter* list = params != nullptr ? params->Parameter : nullptr;
            if (list != nullptr)
                for (UINT i = 0; i < params->Count; ++i) {
                    const EncoderParameter& p = list[i];
                    if (p.Guid == EncoderQuality && p.NumberOfValues >= 1 && p.Value != nullptr)
                        options.quality = std::clamp(
                            static_cast<int>(*static_cast<const UINT*>(p.Value)), 1, 100);
                }
            out = jpeg::Encode(plain, options);
        } else if (*clsid == EncoderGif || *clsid == EncoderTiff) {
            return NotImplemented;
        } else {
            return InvalidParameter;
        }
    } catch (...) {
        return GenericError;
    }
    return Ok;
}

}  // namespace

QImage& GpImage::Pixels() {
    if (!undecoded_.empty()) {
        const std::vector<std::uint8_t> bytes = std::move(undecoded_);
        undecoded_.clear();
        try {
            pixels_ =
                Drawable(rawFormat == ImageFormatPNG ? png::Decode(bytes) : jpeg::Decode(bytes));
        } catch (...) {
            // The rest of the file is unreadable, or there is no memory for its pixels: there
            // is nothing to draw.
            pixels_ = QImage();
        }
    }
    return pixels_;
}

void GpImage::SetUndecoded(std::vector<std::uint8_t> bytes, int width, int height) {
    pixels_ = QImage();
    undecoded_ = std::move(bytes);
    headerWidth_ = width;
    headerHeight_ = height;
}

bool DecodeImage(const std::vector<std::uint8_t>& bytes, GpImage& out) {
    try {
        if (StartsWith(bytes, {'B', 'M'})) {
            bmp::Decoded d = bmp::Decode(bytes);
            out.Pixels() = d.image.convertToFormat(QImage::Format_RGB32);
            out.rawFormat = ImageFormatBMP;
            out.pixelFormat = FromBitmapFormat(d.format);
            return !out.Pixels().isNull();
        }
        int width = 0;
        int height = 0;
        if (StartsWith(bytes, {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A})) {
            bool transparent = false;
            if (!png::ReadSize(bytes, width, height, transparent)) return false;
            out.rawFormat = ImageFormatPNG;
            out.pixelFormat = transparent ? PixelFormat32bppARGB : PixelFormat24bppRGB;
            out.SetUndecoded(bytes, width, height);
            return true;
        }
        if (StartsWith(bytes, {0xFF, 0xD8})) {
            if (!jpeg::ReadSize(bytes, width, height)) return false;
            out.rawFormat = ImageFormatJPEG;
            out.pixelFormat = PixelFormat24bppRGB;
            out.SetUndecoded(bytes, width, height);
            return true;
        }
        const char* hint = nullptr;
        GUID format;
        PixelFormat pixels = PixelFormat32bppARGB;
        if (StartsWith(bytes, {'G', 'I', 'F', '8'})) {
            hint = "gif";
            format = ImageFormatGIF;
            pixels = PixelFormat8bppIndexed;
        } else if (StartsWith(bytes, {'I', 'I', 42, 0}) || StartsWith(bytes, {'M', 'M', 0, 42})) {
            hint = "tiff";
            format = ImageFormatTIFF;
        } else if (StartsWith(bytes, {0, 0, 1, 0})) {
            hint = "ico";
            format = ImageFormatIcon;
        } else {
            return false;
        }
        QImage image;
        if (!image.loadFromData(bytes.data(), static_cast<int>(bytes.size()), hint)) return false;
        out.Pixels() = Drawable(image);
        out.rawFormat = format;
        out.pixelFormat = pixels;
        return !out.Pixels().isNull();
    } catch (...) {
        return false;
    }
}

QImage ApplyAttributes(const QImage& image, const GpImageAttributes* attributes,
                       ColorAdjustType type) {
    const ColorAdjustment* a = AdjustmentFor(attributes, type);
    if (a == nullptr) return image;
    QImage out(image.size(), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = qPremultiply(Adjust(Unpremultiplied(image, x, y), *a));
    }
    return out;
}

// ---- images

Status GdipLoadImageFromFile(const char* filename, GpImage** image) {
    return LoadFile(filename, image);
}
Status GdipLoadImageFromFileICM(const char* filename, GpImage** image) {
    return LoadFile(filename, image);
}
Status GdipLoadImageFromStream(IStream* stream, GpImage** image) {
    return LoadStream(stream, image);
}
Status GdipLoadImageFromStreamICM(IStream* stream, GpImage** image) {
    return LoadStream(stream, image);
}
Status GdipCreateBitmapFromStream(IStream* stream, GpBitmap** bitmap) {
    return LoadStream(stream, bitmap);
}
Status GdipCreateBitmapFromStreamICM(IStream* stream, GpBitmap** bitmap) {
    return LoadStream(stream, bitmap);
}

Status GdipCreateBitmapFromScan0(INT width, INT height, INT stride, PixelFormat format, BYTE* scan0,
                                 GpBitmap** bitmap) {
    if (bitmap == nullptr) return InvalidParameter;
    *bitmap = nullptr;
    if (width <= 0 || height <= 0 || width > 1 << 15 || height > 1 << 15) return InvalidParameter;
    const int depth = (format >> 8) & 0xFF;
    if (depth == 0) return InvalidParameter;
    if (scan0 != nullptr && (depth != 32 && depth != 24)) return NotImplemented;
    auto b = std::make_unique<GpImage>();
    const bool alpha = (format & PixelFormatAlpha) != 0;
    b->Pixels() =
        QImage(width, height, alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    if (b->Pixels().isNull()) return OutOfMemory;
    b->Pixels().fill(alpha ? Qt::transparent : Qt::black);
    b->pixelFormat = format;
    b->rawFormat = ImageFormatMemoryBMP;
    if (scan0 != nullptr) {
        // A copy of the caller's rows (B, G, R[, A] per pixel).
        for (int y = 0; y < height; ++y) {
            const BYTE* row = scan0 + static_cast<std::ptrdiff_t>(y) * stride;
            auto* line = reinterpret_cast<QRgb*>(b->Pixels().scanLine(y));
            for (int x = 0; x < width; ++x) {
                const BYTE* p = row + x * (depth / 8);
                const int a = depth == 32 && alpha ? p[3] : 255;
                const QRgb c = qRgba(p[2], p[1], p[0], a);
                line[x] = (format & PixelFormatPAlpha) != 0 ? c : qPremultiply(c);
            }
        }
    }
    *bitmap = b.release();
    return Ok;
}

Status GdipDisposeImage(GpImage* image) {
    if (image == nullptr) return InvalidParameter;
    delete image;
    return Ok;
}

Status GdipGetImageWidth(GpImage* image, UINT* width) {
    if (image == nullptr || width == nullptr) return InvalidParameter;
    *width = static_cast<UINT>(image->Width());
    return Ok;
}

Status GdipGetImageHeight(GpImage* image, UINT* height) {
    if (image == nullptr || height == nullptr) return InvalidParameter;
    *height = static_cast<UINT>(image->Height());
    return Ok;
}

Status GdipGetImagePixelFormat(GpImage* image, PixelFormat* format) {
    if (image == nullptr || format == nullptr) return InvalidParameter;
    *format = image->pixelFormat;
    return Ok;
}

Status GdipGetImageRawFormat(GpImage* image, GUID* format) {
    if (image == nullptr || format == nullptr) return InvalidParameter;
    *format = image->rawFormat;
    return Ok;
}

Status GdipGetImageThumbnail(GpImage* image, UINT thumbWidth, UINT thumbHeight,
                             GpImage** thumbImage, GetThumbnailImageAbort callback,
                             void* callbackData) {
    if (image == nullptr || thumbImage == nullptr) return InvalidParameter;
    *thumbImage = nullptr;
    if (callback != nullptr && callback(callbackData) != 0) return Aborted;
    const int w = thumbWidth == 0 ? 120 : static_cast<int>(std::min(thumbWidth, 1u << 15));
    const int h = thumbHeight == 0 ? 120 : static_cast<int>(std::min(thumbHeight, 1u << 15));
    auto t = std::make_unique<GpImage>();
    t->Pixels() = image->Pixels().scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    t->pixelFormat = PixelFormat32bppPARGB;
    *thumbImage = t.release();
    return Ok;
}

Status GdipSaveImageToFile(GpImage* image, const char* filename, const CLSID* clsidEncoder,
                           const EncoderParameters* encoderParams) {
    if (filename == nullptr) return InvalidParameter;
    std::vector<std::uint8_t> bytes;
    if (Status s = Encode(image, clsidEncoder, encoderParams, bytes); s != Ok) return s;
    std::ofstream out(filename, std::ios::binary | std::ios::trunc);
    if (!out) return Win32Error;
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return out ? Ok : Win32Error;
}

Status GdipSaveImageToStream(GpImage* image, IStream* stream, const CLSID* clsidEncoder,
                             const EncoderParameters* encoderParams) {
    if (stream == nullptr) return InvalidParameter;
    std::vector<std::uint8_t> bytes;
    if (Status s = Encode(image, clsidEncoder, encoderParams, bytes); s != Ok) return s;
    stream->data.insert(stream->data.end(), bytes.begin(), bytes.end());
    return Ok;
}

Status GdipSaveAddImage(GpImage* image, GpImage* newImage,
                        const EncoderParameters* /*encoderParams*/) {
    if (image == nullptr || newImage == nullptr) return InvalidParameter;
    return NotImplemented;  // multi-frame files are not written
}

Status GdipImageRotateFlip(GpImage* image, RotateFlipType rfType) {
    if (image == nullptr || rfType < RotateNoneFlipNone || rfType > Rotate270FlipX)
        return InvalidParameter;
    const int quarter = rfType & 3;
    if (quarter != 0)
        image->Pixels() = image->Pixels().transformed(QTransform().rotate(90 * quarter));
    if ((rfType & 4) != 0) image->Pixels() = image->Pixels().mirrored(true, false);
    return Ok;
}

Status GdipCreateHBITMAPFromBitmap(GpBitmap* bitmap, HBITMAP* hbmReturn, ARGB background) {
    if (bitmap == nullptr || hbmReturn == nullptr) return InvalidParameter;
    *hbmReturn = nullptr;
    if (bitmap->Pixels().isNull()) return InvalidParameter;
    auto result = std::make_unique<TBitmap>(bitmap->Pixels().width(), bitmap->Pixels().height());
    {
        QPainter p(&result->Internal(kFrameworkKey).image);
        p.fillRect(result->Internal(kFrameworkKey).image.rect(),
                   QColor::fromRgb(background | 0xFF000000u));
        p.drawImage(0, 0, bitmap->Pixels());
    }
    result->PixelsReplaced(kFrameworkKey);
    *hbmReturn = result.release();
    return Ok;
}

Status GdipBitmapGetPixel(GpBitmap* bitmap, INT x, INT y, ARGB* color) {
    if (bitmap == nullptr || color == nullptr) return InvalidParameter;
    if (!bitmap->Pixels().valid(x, y)) return InvalidParameter;
    *color = Unpremultiplied(bitmap->Pixels(), x, y);
    return Ok;
}

Status GdipBitmapSetPixel(GpBitmap* bitmap, INT x, INT y, ARGB color) {
    if (bitmap == nullptr) return InvalidParameter;
    if (!bitmap->Pixels().valid(x, y)) return InvalidParameter;
    if (bitmap->Pixels().format() == QImage::Format_ARGB32_Premultiplied) {
        bitmap->Pixels().setPixel(x, y, qPremultiply(color));
    } else {
        bitmap->Pixels().setPixel(x, y, color | 0xFF000000u);
    }
    return Ok;
}

// ---- image attributes

Status GdipCreateImageAttributes(GpImageAttributes** imageattr) {
    if (imageattr == nullptr) return InvalidParameter;
    *imageattr = new GpImageAttributes;
    return Ok;
}

Status GdipCloneImageAttributes(const GpImageAttributes* imageattr,
                                GpImageAttributes** cloneImageattr) {
    if (imageattr == nullptr || cloneImageattr == nullptr) return InvalidParameter;
    *cloneImageattr = new GpImageAttributes(*imageattr);
    return Ok;
}

Status GdipDisposeImageAttributes(GpImageAttributes* imageattr) {
    if (imageattr == nullptr) return InvalidParameter;
    delete imageattr;
    return Ok;
}

Status GdipSetImageAttributesToIdentity(GpImageAttributes* imageattr, ColorAdjustType type) {
    ColorAdjustment* a = KindOf(imageattr, type);
    if (a == nullptr) return InvalidParameter;
    *a = ColorAdjustment{};
    return Ok;
}

Status GdipResetImageAttributes(GpImageAttributes* imageattr, ColorAdjustType type) {
    return GdipSetImageAttributesToIdentity(imageattr, type);
}

Status GdipSetImageAttributesColorMatrix(GpImageAttributes* imageattr, ColorAdjustType type,
                                         BOOL enableFlag, const ColorMatrix* colorMatrix,
                                         const ColorMatrix* grayMatrix, ColorMatrixFlags flags) {
    ColorAdjustment* a = KindOf(imageattr, type);
    if (a == nullptr) return InvalidParameter;
    if (!enableFlag) {
        a->matrix.reset();
        a->grayMatrix.reset();
        return Ok;
    }
    if (colorMatrix == nullptr) return InvalidParameter;
    if (flags == ColorMatrixFlagsAltGray && grayMatrix == nullptr) return InvalidParameter;
    a->matrix = *colorMatrix;
    if (grayMatrix != nullptr) {
        a->grayMatrix = *grayMatrix;
    } else {
        a->grayMatrix.reset();
    }
    a->matrixFlags = flags;
    return Ok;
}

Status GdipSetImageAttributesThreshold(GpImageAttributes* imageattr, ColorAdjustType type,
                                       BOOL enableFlag, REAL threshold) {
    ColorAdjustment* a = KindOf(imageattr, type);
    if (a == nullptr) return InvalidParameter;
    if (enableFlag) {
        a->threshold = threshold;
    } else {
        a->threshold.reset();
    }
    return Ok;
}

Status GdipSetImageAttributesGamma(GpImageAttributes* imageattr, ColorAdjustType type,
                                   BOOL enableFlag, REAL gamma) {
    ColorAdjustment* a = KindOf(imageattr, type);
    if (a == nullptr) return InvalidParameter;
    if (!enableFlag) {
        a->gamma.reset();
        return Ok;
    }
    if (!(gamma > 0)) return InvalidParameter;
    a->gamma = gamma;
    return Ok;
}

Status GdipSetImageAttributesNoOp(GpImageAttributes* imageattr, ColorAdjustType type,
                                  BOOL enableFlag) {
    ColorAdjustment* a = KindOf(imageattr, type);
    if (a == nullptr) return InvalidParameter;
    a->noOp = enableFlag != 0;
    return Ok;
}

Status GdipSetImageAttributesColorKeys(GpImageAttributes* imageattr, ColorAdjustType type,
                                       BOOL enableFlag, ARGB colorLow, ARGB colorHigh) {
    ColorAdjustment* a = KindOf(imageattr, type);
    if (a == nullptr) return InvalidParameter;
    if (enableFlag) {
        a->colorKey = std::make_pair(colorLow, colorHigh);
    } else {
        a->colorKey.reset();
    }
    return Ok;
}

Status GdipSetImageAttributesOutputChannel(GpImageAttributes* imageattr, ColorAdjustType type,
                                           BOOL /*enableFlag*/, ColorChannelFlags /*flags*/) {
    if (KindOf(imageattr, type) == nullptr) return InvalidParameter;
    return NotImplemented;  // no CMYK separation
}

Status GdipSetImageAttributesOutputChannelColorProfile(GpImageAttributes* imageattr,
                                                       ColorAdjustType type, BOOL /*enableFlag*/,
                                                       const char* /*colorProfileFilename*/) {
    if (KindOf(imageattr, type) == nullptr) return InvalidParameter;
    return NotImplemented;  // no colour profiles
}

Status GdipSetImageAttributesRemapTable(GpImageAttributes* imageattr, ColorAdjustType type,
                                        BOOL enableFlag, UINT mapSize, const ColorMap* map) {
    ColorAdjustment* a = KindOf(imageattr, type);
    if (a == nullptr) return InvalidParameter;
    if (!enableFlag) {
        a->remap.clear();
        return Ok;
    }
    if (map == nullptr || mapSize == 0) return InvalidParameter;
    a->remap.assign(map, map + mapSize);
    return Ok;
}

Status GdipSetImageAttributesWrapMode(GpImageAttributes* imageAttr, WrapMode wrap, ARGB argb,
                                      BOOL /*clamp*/) {
    if (imageAttr == nullptr || wrap < WrapModeTile || wrap > WrapModeClamp)
        return InvalidParameter;
    imageAttr->wrap = wrap;
    imageAttr->wrapColor = argb;
    return Ok;
}

Status GdipGetImageAttributesAdjustedPalette(GpImageAttributes* imageAttr,
                                             ColorPalette* colorPalette,
                                             ColorAdjustType colorAdjustType) {
    if (imageAttr == nullptr || colorPalette == nullptr || colorPalette->Count == 0 ||
        colorAdjustType < ColorAdjustTypeBitmap || colorAdjustType >= ColorAdjustTypeCount)
        return InvalidParameter;
    const ColorAdjustment* a = AdjustmentFor(imageAttr, colorAdjustType);
    if (a == nullptr) return Ok;
    ARGB* entries = colorPalette->Entries;  // Count entries follow the header
    for (UINT i = 0; i < colorPalette->Count; ++i) entries[i] = Adjust(entries[i], *a);
    return Ok;
}

}  // namespace dsp::Gdiplus
