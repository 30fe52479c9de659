// TAdvGDIPPicture, the shared decoding step of the widget pack's pictures and the picture header
// readers.

#include <algorithm>
#include <atomic>
#include <cstring>
#include <new>

#include "framework/core/Resources.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Picture.h"
#include "framework/text/FileNames.h"
#include "framework/text/Filer.h"
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

void TAdvGDIPPicture::DefineProperties(TFiler* filer) {
    TGraphic::DefineProperties(filer);
    filer->DefineBinaryProperty(
        "Data", [this](TStream& stream) { ReadData(&stream); },
        [this](TStream& stream) { WriteData(&stream); }, !FIsEmpty);
}

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

void TAdvGDIPPicture::LoadFromResourceName(const std::string& resName) {
    // A picture file among the program's resources (data, else a bitmap); a missing resource
    // loads nothing.
    const TResourceEntry* entry = FindResource(HInstance, resName, RT_RCDATA);
    if (entry == nullptr) entry = FindResource(HInstance, resName, RT_BITMAP);
    if (entry == nullptr || entry->size == 0) return;
    TMemoryStream bytes;
    bytes.WriteBuffer(entry->data, static_cast<std::int64_t>(entry->size));
    LoadFromStream(&bytes);
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
