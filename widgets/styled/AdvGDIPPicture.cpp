// TAdvGDIPPicture, the shared decoding step of the widget pack's pictures and the picture header
// readers.

#include <algorithm>
#include <atomic>
#include <cstring>
#include <new>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Picture.h"
#include "framework/text/FileNames.h"
#include "framework/text/StrUtils.h"
#include "framework/text/Streams.h"
#include "widgets/styled/AdvGDIP.h"
#include "widgets/styled/PictureData.h"

namespace dsp {

namespace {

std::atomic<std::size_t> memoryLimit{std::size_t{64} << 20};

IStream CopyForDecoding(const TMemoryStream& data) {
    const std::vector<std::uint8_t>& bytes = data.Bytes();
    if (bytes.size() > memoryLimit.load()) throw Exception("Could not allocate memory for image");
    try {
        return IStream{bytes};
    } catch (const std::bad_alloc&) {
        throw Exception("Could not allocate memory for image");
    }
}

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

bool IsBmp(TGPImage& image) { return image.GetFormat() == ifBMP; }

}  // namespace

void SetPictureMemoryLimit(std::size_t bytes) { memoryLimit = bytes; }
std::size_t PictureMemoryLimit() { return memoryLimit.load(); }

std::unique_ptr<TGPImage> DecodePictureData(const TMemoryStream& data) {
    if (data.Bytes().empty()) return nullptr;
    IStream stream = CopyForDecoding(data);
    return std::make_unique<TGPImage>(&stream, false);
}

std::unique_ptr<TGPBitmap> DecodePictureBitmap(const TMemoryStream& data) {
    if (data.Bytes().empty()) return nullptr;
    IStream stream = CopyForDecoding(data);
    return std::make_unique<TGPBitmap>(&stream, false);
}

TPictureHeaderSize ReadPictureHeaderSize(const std::string& kind, TStream& file) {
    THeaderReader r(file);
    if (kind == ".JPG" || kind == ".JPEG") return JpegHeader(r);
    if (kind == ".PNG") return PngHeader(r);
    if (kind == ".BMP") return BmpHeader(r);
    if (kind == ".TIFF") return TiffHeader(r);
    if (kind == ".GIF") return GifHeader(r);
    return {};
}

// ---- TAdvGDIPPicture

TAdvGDIPPicture::TAdvGDIPPicture() : FDatastream(std::make_unique<TMemoryStream>()) {
    SetTransparent(false);
}

TAdvGDIPPicture::~TAdvGDIPPicture() = default;

std::unique_ptr<TGraphic> TAdvGDIPPicture::CreateNew() const {
    return std::make_unique<TAdvGDIPPicture>();
}

void TAdvGDIPPicture::Changed() { TGraphic::Changed(); }

void TAdvGDIPPicture::DoClear() {
    if (OnClear) OnClear(this);
}

void TAdvGDIPPicture::LoadFromBytes(const std::vector<std::uint8_t>& data) {
    TMemoryStream s;
    if (!data.empty()) s.WriteBuffer(data.data(), static_cast<std::int64_t>(data.size()));
    LoadFromStream(&s);
}

std::vector<std::uint8_t> TAdvGDIPPicture::SaveToBytes() const { return FDatastream->Bytes(); }

void TAdvGDIPPicture::ReadData(TStream* stream) {
    if (stream == nullptr || stream->Size() == 0) return;
    stream->SetPosition(0);
    FDatastream->LoadFromStream(*stream);
    FIsEmpty = false;
    GetImageSizes();
}

void TAdvGDIPPicture::WriteData(TStream* stream) {
    if (stream != nullptr) FDatastream->SaveToStream(*stream);
}

void TAdvGDIPPicture::SaveToStream(TStream* stream) { WriteData(stream); }

void TAdvGDIPPicture::LoadFromStream(TStream* stream) {
    if (stream == nullptr || stream->Size() == 0) return;
    stream->SetPosition(0);
    FDatastream->LoadFromStream(*stream);
    FIsEmpty = false;
    GetImageSizes();
    Changed();
}

void TAdvGDIPPicture::LoadFromFile(const std::string& fileName) {
    try {
        FDatastream->LoadFromFile(fileName);
        FIsEmpty = false;
        DoClear();
        GetImageSizesFromFileName(fileName);
        Changed();
    } catch (...) {
        FIsEmpty = true;
    }
}

void TAdvGDIPPicture::LoadFromResourceName(const std::string& /*resName*/) {
    // The program carries no resources of this kind: a missing resource loads nothing.
}

void TAdvGDIPPicture::LoadFromURL(const std::string& url) {
    const std::string upper = UpperCase(url);
    if (upper.rfind("RES://", 0) == 0) {
        if (url.size() > 6) LoadFromResourceName(url.substr(6));
    } else if (upper.rfind("FILE://", 0) == 0) {
        if (url.size() > 7) LoadFromFile(url.substr(7));
    }
}

void TAdvGDIPPicture::Assign(TPersistent* source) {
    FIsEmpty = true;
    if (source == nullptr) {
        FDatastream->Clear();
        Changed();
        DoClear();
        return;
    }
    auto take = [&](const std::vector<std::uint8_t>& bytes) {
        FDatastream->Clear();
        if (!bytes.empty())
            FDatastream->WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
        FDatastream->SetPosition(0);
        FIsEmpty = bytes.empty();
        Changed();
    };
    TGraphic* graphic = dynamic_cast<TGraphic*>(source);
    if (auto* picture = dynamic_cast<TPicture*>(source)) graphic = picture->Graphic();
    if (auto* same = dynamic_cast<TAdvGDIPPicture*>(graphic)) {
        if (same != this) take(same->FDatastream->Bytes());
        FIsEmpty = FDatastream->Size() == 0;
    } else if (graphic != nullptr && !graphic->Empty()) {
        take(graphic->SaveToBytes());
    }
    GetImageSizes();
}

bool TAdvGDIPPicture::GetImageSizes() {
    if (FIsEmpty || FDatastream->Size() == 0) return false;
    try {
        std::unique_ptr<TGPImage> image = DecodePictureData(*FDatastream);
        FWidth = static_cast<int>(image->GetWidth());
        FHeight = static_cast<int>(image->GetHeight());
        return true;
    } catch (const Exception&) {
        return false;
    }
}

void TAdvGDIPPicture::GetImageSizesFromFileName(const std::string& fileName) {
    if (FIsEmpty || FDatastream->Size() == 0) return;
    const std::string ext = UpperCase(ExtractFileExt(fileName));
    TPictureHeaderSize size;
    try {
        TFileStream file(fileName, fmOpenRead | fmShareDenyNone);
        size = ReadPictureHeaderSize(ext, file);
    } catch (const Exception&) {
        size = {};
    }
    FWidth = size.width & 0xFFFF;
    FHeight = size.height & 0xFFFF;
}

void TAdvGDIPPicture::Draw(TCanvas* canvas, const TRect& r) {
    if (FIsEmpty || canvas == nullptr) return;
    try {
        std::unique_ptr<TGPImage> image = DecodePictureData(*FDatastream);
        if (!image) return;
        TGPGraphics graphics(canvas);
        if (IsBmp(*image)) {
            TBitmap bitmap;
            bitmap.LoadFromBytes(FDatastream->Bytes());
            bitmap.SetTransparentMode(tmAuto);
            bitmap.SetTransparent(true);
            canvas->Draw(r.Left, r.Top, &bitmap);
        } else {
            FWidth = static_cast<int>(image->GetWidth());
            FHeight = static_cast<int>(image->GetHeight());
            graphics.DrawImageRect(image.get(), r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
        }
    } catch (const Exception&) {
        // A picture that cannot be decoded, or no memory to decode it: nothing is drawn.
    }
}

void TAdvGDIPPicture::GDIPDraw(TGPGraphics* graphics, const TRect& rect) {
    if (FIsEmpty || graphics == nullptr) return;
    try {
        std::unique_ptr<TGPImage> image = DecodePictureData(*FDatastream);
        if (!image) return;
        FHasAlpha = image->HasAlphaChannel();
        FHasPalette = image->HasPalette();
        FPixelDepth = image->GetPixelDepth();
        FPixelFormat = image->GetPixelFormat();
        FWidth = static_cast<int>(image->GetWidth());
        FHeight = static_cast<int>(image->GetHeight());
        if (IsBmp(*image) && Transparent()) {
            TGPImageAttributes attributes;
            ARGB key = 0;
            if (FBitmapTransparentMode == tmFixed) {
                key = ColorToArgbWithAlpha(255, FBitmapTransparentColor);
            } else {
                std::unique_ptr<TGPBitmap> pixels = DecodePictureBitmap(*FDatastream);
                pixels->GetPixel(0, FHeight - 1, key);
            }
            attributes.SetColorKey(key, key);
            graphics->DrawImage(image.get(),
                                TGPRectF{static_cast<REAL>(rect.Left), static_cast<REAL>(rect.Top),
                                         static_cast<REAL>(FWidth), static_cast<REAL>(FHeight)},
                                0, 0, static_cast<REAL>(FWidth), static_cast<REAL>(FHeight),
                                UnitPixel, &attributes);
        } else {
            graphics->DrawImageRect(image.get(), rect.Left, rect.Top, rect.Right - rect.Left,
                                    rect.Bottom - rect.Top);
        }
    } catch (const Exception&) {}
}

void TAdvGDIPPicture::GDIPDraw(TGPGraphics* graphics, const TGPRectF& rect) {
    if (FDrawing || FIsEmpty || graphics == nullptr) return;
    FDrawing = true;
    try {
        std::unique_ptr<TGPImage> image = DecodePictureData(*FDatastream);
        if (image) {
            FHasAlpha = image->HasAlphaChannel();
            FHasPalette = image->HasPalette();
            FPixelDepth = image->GetPixelDepth();
            FPixelFormat = image->GetPixelFormat();
            FWidth = static_cast<int>(image->GetWidth());
            FHeight = static_cast<int>(image->GetHeight());
            if (IsBmp(*image) && Transparent()) {
                TGPImageAttributes attributes;
                ARGB key = 0;
                if (FBitmapTransparentMode == tmFixed) {
                    key = ColorToArgbWithAlpha(255, FBitmapTransparentColor);
                } else {
                    std::unique_ptr<TGPBitmap> pixels = DecodePictureBitmap(*FDatastream);
                    pixels->GetPixel(0, FHeight - 1, key);
                }
                attributes.SetColorKey(key, key);
                graphics->DrawImage(image.get(), rect, 0, 0, static_cast<REAL>(FWidth),
                                    static_cast<REAL>(FHeight), UnitPixel, &attributes);
            } else {
                graphics->DrawImageRect(image.get(), rect);
            }
        }
    } catch (const Exception&) {}
    FDrawing = false;
}

void TAdvGDIPPicture::FillRect(TGPGraphics* graphics, const TGPRectF& r) {
    if (FIsEmpty || graphics == nullptr) return;
    try {
        std::unique_ptr<TGPImage> image = DecodePictureData(*FDatastream);
        if (!image) return;
        TGPTextureBrush brush(image.get(), WrapModeTile);
        graphics->FillRectangle(&brush, r);
    } catch (const Exception&) {}
}

void TAdvGDIPPicture::FillPath(TGPGraphics* graphics, TGPGraphicsPath* path) {
    if (FIsEmpty || graphics == nullptr) return;
    try {
        std::unique_ptr<TGPImage> image = DecodePictureData(*FDatastream);
        if (!image) return;
        TGPTextureBrush brush(image.get(), WrapModeTile);
        graphics->FillPath(&brush, path);
    } catch (const Exception&) {}
}

}  // namespace dsp
