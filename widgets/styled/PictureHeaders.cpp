// The picture header readers: a picture file's size from its header, without decoding.

#include <cstring>

#include "framework/text/Streams.h"
#include "widgets/styled/AdvGDIP.h"

namespace dsp {

namespace {

// ---- header readers over a file

class THeaderReader {
public:
    explicit THeaderReader(TStream& s) : s_(s) {}
    bool Byte(int& b) {
        std::uint8_t v = 0;
        if (s_.Read(&v, 1) != 1) return false;
        b = v;
        return true;
    }
    bool Bytes(std::uint8_t* out, int n) { return s_.Read(out, n) == n; }
    bool Skip(std::int64_t n) {
        if (n < 0) return false;
        const std::int64_t target = s_.Position() + n;
        if (target > s_.Size()) return false;
        s_.Seek(target, soBeginning);
        return true;
    }
    bool Seek(std::int64_t position) {
        if (position < 0 || position > s_.Size()) return false;
        s_.Seek(position, soBeginning);
        return true;
    }
    bool BigEndian16(int& v) {
        std::uint8_t b[2];
        if (!Bytes(b, 2)) return false;
        v = (b[0] << 8) | b[1];
        return true;
    }
    bool LittleEndian16(int& v) {
        std::uint8_t b[2];
        if (!Bytes(b, 2)) return false;
        v = b[0] | (b[1] << 8);
        return true;
    }
    bool LittleEndian32(std::int32_t& v) {
        std::uint8_t b[4];
        if (!Bytes(b, 4)) return false;
        v = static_cast<std::int32_t>(static_cast<std::uint32_t>(b[0]) | (b[1] << 8) |
                                      (b[2] << 16) | (static_cast<std::uint32_t>(b[3]) << 24));
        return true;
    }

private:
    TStream& s_;
};

TPictureHeaderSize JpegHeader(THeaderReader& r) {
    int a = 0;
    int b = 0;
    if (!r.Byte(a) || !r.Byte(b) || a != 0xFF || b != 0xD8) return {};
    int next = 0;
    if (!r.Byte(next)) return {};
    while (next == 0xFF) {
        int marker = 0;
        if (!r.Byte(marker)) return {};
        for (;;) {
            if (marker == 0xFF) {  // fill bytes
                if (!r.Byte(marker)) return {};
                continue;
            }
            if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
                // No segment: the next byte is the next marker code.
                if (!r.Byte(marker)) return {};
                if (marker == 0xFF) break;
                continue;
            }
            break;
        }
        if (marker == 0xFF) {
            next = 0xFF;
            continue;
        }
        if (marker == 0xC0 || marker == 0xC1 || marker == 0xC2) {
            int height = 0;
            int width = 0;
            if (!r.Skip(3) || !r.BigEndian16(height) || !r.BigEndian16(width)) return {};
            return {width, height};
        }
        int length = 0;
        if (!r.BigEndian16(length)) return {};
        // A segment length below 2 would move the scan backwards: the header is broken.
        if (length < 2 || !r.Skip(length - 2)) return {};
        if (!r.Byte(next)) return {};
    }
    return {};
}

TPictureHeaderSize PngHeader(THeaderReader& r) {
    static constexpr std::uint8_t kSignature[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
    std::uint8_t head[24];
    if (!r.Bytes(head, 24) || std::memcmp(head, kSignature, 8) != 0) return {};
    return {(head[18] << 8) | head[19], (head[22] << 8) | head[23]};
}

TPictureHeaderSize BmpHeader(THeaderReader& r) {
    std::uint8_t bm[2];
    if (!r.Bytes(bm, 2) || bm[0] != 'B' || bm[1] != 'M') return {};
    std::int32_t v[6];
    for (std::int32_t& x : v)
        if (!r.LittleEndian32(x)) return {};
    // A top-down file states a negative height.
    auto low16 = [](std::int32_t x) {
        const std::int64_t a = x < 0 ? -static_cast<std::int64_t>(x) : x;
        return static_cast<int>(a & 0xFFFF);
    };
    return {low16(v[4]), low16(v[5])};
}

TPictureHeaderSize TiffHeader(THeaderReader& r) {
    std::uint8_t head[8];
    if (!r.Bytes(head, 8)) return {};
    const std::int64_t directory = static_cast<std::int64_t>(head[4]) | (head[5] << 8) |
                                   (head[6] << 16) | (static_cast<std::int64_t>(head[7]) << 24);
    if (!r.Seek(directory)) return {};
    int count = 0;
    if (!r.LittleEndian16(count)) return {};
    std::int64_t width = 0;
    std::int64_t height = 0;
    bool haveWidth = false;
    bool haveHeight = false;
    // Never more entries than the directory holds.
    for (int i = 0; i < count && !(haveWidth && haveHeight); ++i) {
        std::uint8_t e[12];
        if (!r.Bytes(e, 12)) break;
        const int tag = e[0] | (e[1] << 8);
        const auto value =
            static_cast<std::int32_t>(static_cast<std::uint32_t>(e[8]) | (e[9] << 8) |
                                      (e[10] << 16) | (static_cast<std::uint32_t>(e[11]) << 24));
        const std::int64_t magnitude = value < 0 ? -static_cast<std::int64_t>(value) : value;
        if (tag == 256) {
            width = magnitude;
            haveWidth = true;
        } else if (tag == 257) {
            height = magnitude;
            haveHeight = true;
        }
    }
    return {static_cast<int>(width & 0xFFFF), static_cast<int>(height & 0xFFFF)};
}

TPictureHeaderSize GifHeader(THeaderReader& r) {
    std::uint8_t head[13];
    if (!r.Bytes(head, 13) || head[0] != 'G' || head[1] != 'I' || head[2] != 'F') return {};
    if ((head[10] & 0x80) != 0 && !r.Skip(3 * (1 << ((head[10] & 7) + 1)))) return {};
    int b = 0;
    while (r.Byte(b)) {
        if (b != 0x2C) continue;
        std::uint8_t d[10];
        if (!r.Bytes(d, 10)) return {};
        return {d[4] | (d[5] << 8), d[6] | (d[7] << 8)};
    }
    return {};
}

}  // namespace

TPictureHeaderSize ReadPictureHeaderSize(const std::string& kind, TStream& file) {
    THeaderReader r(file);
    if (kind == ".JPG" || kind == ".JPEG") return JpegHeader(r);
    if (kind == ".PNG") return PngHeader(r);
    if (kind == ".BMP") return BmpHeader(r);
    if (kind == ".TIFF") return TiffHeader(r);
    if (kind == ".GIF") return GifHeader(r);
    return {};
}

}  // namespace dsp
