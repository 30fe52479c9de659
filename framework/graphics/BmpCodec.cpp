#include "framework/graphics/BmpCodec.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdlib>
#include <limits>
#include <string>

namespace dsp::bmp {

namespace {

constexpr std::uint32_t BI_RGB = 0;
constexpr std::uint32_t BI_BITFIELDS = 3;
constexpr std::uint32_t BI_ALPHABITFIELDS = 6;
constexpr long long kMaxPixels = 1LL << 28;
constexpr int kPixelsPerMetre = 3780;  // 96 dots per inch

[[noreturn]] void Invalid() { throw EInvalidGraphic("Bitmap image is not valid"); }

class Reader {
public:
    explicit Reader(const std::vector<std::uint8_t>& data) : data_(data) {}
    std::uint32_t U8(std::size_t at) const {
        Need(at, 1);
        return data_[at];
    }
    std::uint32_t U16(std::size_t at) const {
        Need(at, 2);
        return data_[at] | (std::uint32_t{data_[at + 1]} << 8);
    }
    std::uint32_t U32(std::size_t at) const {
        Need(at, 4);
        return data_[at] | (data_[at + 1] << 8) | (data_[at + 2] << 16) |
               (std::uint32_t{data_[at + 3]} << 24);
    }
    std::int32_t S32(std::size_t at) const { return static_cast<std::int32_t>(U32(at)); }
    void Need(std::size_t at, std::size_t count) const {
        if (at > data_.size() || count > data_.size() - at) Invalid();
    }
    const std::uint8_t* At(std::size_t at) const { return data_.data() + at; }

private:
    const std::vector<std::uint8_t>& data_;
};

// A channel of a bit-field pixel scaled to 8 bits.
struct Field {
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;
    explicit Field(std::uint32_t m) : mask(m) {
        if (m == 0) return;
        shift = std::countr_zero(m);
        bits = std::popcount(m);
    }
    int Get(std::uint32_t pixel) const {
        if (bits == 0) return 0;
        const std::uint32_t v = (pixel & mask) >> shift;
        const std::uint32_t max = bits >= 32 ? 0xFFFFFFFFu : ((1u << bits) - 1);
        return static_cast<int>((v * 255u + max / 2) / max);
    }
};

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

}  // namespace

Decoded Decode(const std::vector<std::uint8_t>& data) {
    const Reader r(data);
    if (data.size() < 26 || data[0] != 'B' || data[1] != 'M') Invalid();
    const std::uint32_t offBits = r.U32(10);
    const std::uint32_t headerSize = r.U32(14);
    const std::size_t header = 14;
    int width;
    int height;
    int bpp;
    std::uint32_t compression = BI_RGB;
    std::uint32_t colorsUsed = 0;
    std::size_t paletteAt;
    int paletteEntrySize = 4;
    std::array<std::uint32_t, 4> masks{};
    if (headerSize == 12) {
        width = static_cast<int>(r.U16(header + 4));
        height = static_cast<int>(static_cast<std::int16_t>(r.U16(header + 6)));
        if (r.U16(header + 8) != 1) Invalid();
        bpp = static_cast<int>(r.U16(header + 10));
        paletteAt = header + 12;
        paletteEntrySize = 3;
    } else if (headerSize >= 40 && headerSize <= 124) {
        width = r.S32(header + 4);
        height = r.S32(header + 8);
        if (r.U16(header + 12) != 1) Invalid();
        bpp = static_cast<int>(r.U16(header + 14));
        compression = r.U32(header + 16);
        colorsUsed = r.U32(header + 32);
        paletteAt = header + headerSize;
        if (compression == BI_BITFIELDS || compression == BI_ALPHABITFIELDS) {
            const int count = compression == BI_ALPHABITFIELDS ? 4 : 3;
            const std::size_t at = header + 40;
            for (int i = 0; i < count; ++i) masks[static_cast<std::size_t>(i)] = r.U32(at + 4 * i);
            if (headerSize == 40) paletteAt += 4 * count;
        }
    } else {
        Invalid();
    }
    const bool topDown = height < 0;
    if (height == std::numeric_limits<int>::min()) Invalid();
    height = std::abs(height);
    if (width <= 0 || height <= 0 || static_cast<long long>(width) * height > kMaxPixels) Invalid();
    const bool bitFields = compression == BI_BITFIELDS || compression == BI_ALPHABITFIELDS;
    switch (bpp) {
        case 1:
        case 4:
        case 8:
        case 24:
            if (compression != BI_RGB) Invalid();
            break;
        case 16:
        case 32:
            if (compression != BI_RGB && !bitFields) Invalid();
            break;
        default: Invalid();
    }
    if (!bitFields) {
        if (bpp == 16) masks = {0x7C00, 0x03E0, 0x001F, 0};
        if (bpp == 32) masks = {0xFF0000, 0xFF00, 0xFF, 0};
    }

    std::vector<QRgb> palette;
    if (bpp <= 8) {
        std::uint32_t count = colorsUsed == 0 ? (1u << bpp) : colorsUsed;
        if (count > (1u << bpp)) count = 1u << bpp;
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::size_t at = paletteAt + i * paletteEntrySize;
            palette.push_back(qRgb(static_cast<int>(r.U8(at + 2)), static_cast<int>(r.U8(at + 1)),
                                   static_cast<int>(r.U8(at))));
        }
    }

    const std::size_t stride = ((static_cast<std::size_t>(width) * bpp + 31) / 32) * 4;
    r.Need(offBits, stride * static_cast<std::size_t>(height));

    Decoded out;
    out.image = QImage(width, height, QImage::Format_RGB32);
    if (out.image.isNull()) Invalid();
    const Field red(masks[0]), green(masks[1]), blue(masks[2]);
    for (int row = 0; row < height; ++row) {
        const int y = topDown ? row : height - 1 - row;
        const std::uint8_t* src = r.At(offBits + stride * static_cast<std::size_t>(row));
        auto* dst = reinterpret_cast<QRgb*>(out.image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            QRgb p = 0xFF000000u;
            switch (bpp) {
                case 1:
                case 4:
                case 8: {
                    const int bitPos = x * bpp;
                    const int byte = src[bitPos / 8];
                    const int index = (byte >> (8 - bpp - bitPos % 8)) & ((1 << bpp) - 1);
                    p = index < static_cast<int>(palette.size())
                            ? palette[static_cast<std::size_t>(index)]
                            : 0xFF000000u;
                    break;
                }
                case 16: {
                    const std::uint32_t v = src[2 * x] | (src[2 * x + 1] << 8);
                    p = qRgb(red.Get(v), green.Get(v), blue.Get(v));
                    break;
                }
                case 24: p = qRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]); break;
                case 32: {
                    const std::uint32_t v = src[4 * x] | (src[4 * x + 1] << 8) |
                                            (src[4 * x + 2] << 16) |
                                            (std::uint32_t{src[4 * x + 3]} << 24);
                    p = qRgb(red.Get(v), green.Get(v), blue.Get(v));
                    break;
                }
            }
            dst[x] = p | 0xFF000000u;
        }
    }
    out.monochrome = bpp == 1 && std::all_of(palette.begin(), palette.end(), [](QRgb c) {
                         return (c & 0xFFFFFFu) == 0 || (c & 0xFFFFFFu) == 0xFFFFFFu;
                     });
    switch (bpp) {
        case 1: out.format = pf1bit; break;
        case 4: out.format = pf4bit; break;
        case 8: out.format = pf8bit; break;
        case 16: out.format = pf16bit; break;
        case 24: out.format = pf24bit; break;
        default: out.format = pf32bit; break;
    }
    return out;
}

namespace {

const std::array<QRgb, 16>& SixteenColors() {
    // clang-format off
    static const std::array<QRgb, 16> colors = {
        0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
        0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
    };
    // clang-format on
    return colors;
}

int NearestOfSixteen(QRgb p) {
    int best = 0;
    int bestDistance = 1 << 30;
    for (int i = 0; i < 16; ++i) {
        const QRgb c = SixteenColors()[static_cast<std::size_t>(i)];
        const int dr = qRed(p) - qRed(c);
        const int dg = qGreen(p) - qGreen(c);
        const int db = qBlue(p) - qBlue(c);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

}  // namespace

std::vector<std::uint8_t> Encode(const QImage& image, int bitsPerPixel) {
    const int width = image.width();
    const int height = image.height();
    const int bpp =
        bitsPerPixel == 1 || bitsPerPixel == 4 || bitsPerPixel == 32 ? bitsPerPixel : 24;
    const std::size_t stride = ((static_cast<std::size_t>(width) * bpp + 31) / 32) * 4;
    const std::uint32_t paletteSize = bpp == 1 ? 8 : bpp == 4 ? 64 : 0;
    const std::uint32_t offBits = 14 + 40 + paletteSize;
    const std::size_t imageSize = stride * static_cast<std::size_t>(height);
    std::vector<std::uint8_t> out;
    out.reserve(offBits + imageSize);
    out.push_back('B');
    out.push_back('M');
    Put32(out, static_cast<std::uint32_t>(offBits + imageSize));
    Put32(out, 0);
    Put32(out, offBits);
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(width));
    Put32(out, static_cast<std::uint32_t>(height));
    Put16(out, 1);
    Put16(out, static_cast<std::uint32_t>(bpp));
    Put32(out, BI_RGB);
    Put32(out, static_cast<std::uint32_t>(imageSize));
    Put32(out, kPixelsPerMetre);
    Put32(out, kPixelsPerMetre);
    Put32(out, bpp == 1 ? 2 : bpp == 4 ? 16 : 0);
    Put32(out, 0);
    if (bpp == 1) {
        Put32(out, 0x000000);
        Put32(out, 0xFFFFFF);
    }
    if (bpp == 4) {
        for (QRgb c : SixteenColors()) Put32(out, c & 0xFFFFFFu);
    }
    for (int row = 0; row < height; ++row) {
        const int y = height - 1 - row;
        const auto* src = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        const std::size_t start = out.size();
        out.resize(start + stride, 0);
        std::uint8_t* dst = out.data() + start;
        for (int x = 0; x < width; ++x) {
            const QRgb p = src[x];
            switch (bpp) {
                case 1:
                    if ((p & 0xFFFFFFu) == 0xFFFFFFu)
                        dst[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
                    break;
                case 4:
                    dst[x / 2] |=
                        static_cast<std::uint8_t>(NearestOfSixteen(p) << (x % 2 == 0 ? 4 : 0));
                    break;
                case 24:
                    dst[3 * x] = static_cast<std::uint8_t>(qBlue(p));
                    dst[3 * x + 1] = static_cast<std::uint8_t>(qGreen(p));
                    dst[3 * x + 2] = static_cast<std::uint8_t>(qRed(p));
                    break;
                default:
                    dst[4 * x] = static_cast<std::uint8_t>(qBlue(p));
                    dst[4 * x + 1] = static_cast<std::uint8_t>(qGreen(p));
                    dst[4 * x + 2] = static_cast<std::uint8_t>(qRed(p));
                    dst[4 * x + 3] = 0;
                    break;
            }
        }
    }
    return out;
}

}  // namespace dsp::bmp
