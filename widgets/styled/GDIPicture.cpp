#include "widgets/styled/GDIPicture.h"

#include "framework/core/Resources.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Picture.h"
#include "framework/text/Filer.h"
#include "framework/text/StrUtils.h"
#include "framework/text/Streams.h"
#include "widgets/styled/PictureData.h"

namespace dsp {

TGDIPPicture::TGDIPPicture() : FDatastream(std::make_unique<TMemoryStream>()) {}

TGDIPPicture::~TGDIPPicture() = default;

std::unique_ptr<TGraphic> TGDIPPicture::CreateNew() const {
    return std::make_unique<TGDIPPicture>();
}

void TGDIPPicture::DoClear() {
    if (OnClear) OnClear(this);
}

void TGDIPPicture::LoadFromBytes(const std::vector<std::uint8_t>& data) {
    TMemoryStream s;
    if (!data.empty()) s.WriteBuffer(data.data(), static_cast<std::int64_t>(data.size()));
    LoadFromStream(&s);
}

std::vector<std::uint8_t> TGDIPPicture::SaveToBytes() const { return FDatastream->Bytes(); }

void TGDIPPicture::DefineProperties(TFiler* filer) {
    TGraphic::DefineProperties(filer);
    filer->DefineBinaryProperty(
        "Data", [this](TStream& stream) { ReadData(&stream); },
        [this](TStream& stream) { WriteData(&stream); }, !FIsEmpty);
}

void TGDIPPicture::ReadData(TStream* stream) {
    if (stream == nullptr) return;
    stream->SetPosition(0);
    FDatastream->LoadFromStream(*stream);
    FIsEmpty = false;
}

void TGDIPPicture::WriteData(TStream* stream) {
    if (stream != nullptr) FDatastream->SaveToStream(*stream);
}

void TGDIPPicture::SaveToStream(TStream* stream) { WriteData(stream); }

void TGDIPPicture::LoadFromStream(TStream* stream) {
    if (stream == nullptr) return;
    stream->SetPosition(0);
    FDatastream->LoadFromStream(*stream);
    FIsEmpty = false;
    GetImageSizes();
    Changed();
}

void TGDIPPicture::LoadFromFile(const std::string& fileName) {
    try {
        FDatastream->LoadFromFile(fileName);
        FIsEmpty = false;
        DoClear();
        GetImageSizes();
        Changed();
    } catch (...) {
        FIsEmpty = true;
    }
}

void TGDIPPicture::LoadFromResourceName(const std::string& resName) {
    // A picture file among the program's resources (data, else a bitmap); a missing resource
    // loads nothing.
    const TResourceEntry* entry = FindResource(HInstance, resName, RT_RCDATA);
    if (entry == nullptr) entry = FindResource(HInstance, resName, RT_BITMAP);
    if (entry == nullptr || entry->size == 0) return;
    TMemoryStream bytes;
    bytes.WriteBuffer(entry->data, static_cast<std::int64_t>(entry->size));
    LoadFromStream(&bytes);
}

void TGDIPPicture::LoadFromURL(const std::string& url) {
    const std::string upper = UpperCase(url);
    if (upper.rfind("RES://", 0) == 0) {
        if (url.size() > 6) LoadFromResourceName(url.substr(6));
    } else if (upper.rfind("FILE://", 0) == 0) {
        if (url.size() > 7) LoadFromFile(url.substr(7));
    }
}

void TGDIPPicture::Assign(TPersistent* source) {
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
    if (auto* same = dynamic_cast<TGDIPPicture*>(graphic)) {
        if (same != this) take(same->FDatastream->Bytes());
        FIsEmpty = FDatastream->Size() == 0;
    } else if (auto* bitmap = dynamic_cast<TBitmap*>(graphic);
               bitmap != nullptr && !bitmap->Empty()) {
        take(bitmap->SaveToBytes());
    }
    GetImageSizes();
}

bool TGDIPPicture::GetImageSizes() {
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

void TGDIPPicture::Draw(TCanvas* canvas, const TRect& r) {
    if (FIsEmpty || canvas == nullptr) return;
    try {
        std::unique_ptr<TGPImage> image = DecodePictureData(*FDatastream);
        if (!image) return;
        TGPGraphics graphics(canvas);
        if (image->GetFormat() == ifBMP) {
            TBitmap bitmap;
            bitmap.LoadFromBytes(FDatastream->Bytes());
            bitmap.SetTransparentMode(tmAuto);
            bitmap.SetTransparent(true);
            canvas->StretchDraw(r, &bitmap);
        } else {
            FWidth = static_cast<int>(image->GetWidth());
            FHeight = static_cast<int>(image->GetHeight());
            graphics.DrawImageRect(image.get(), r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
        }
    } catch (const Exception&) {
        // A picture that cannot be decoded, or no memory to decode it: nothing is drawn.
    }
}

void TGDIPPicture::DrawImage(TGPGraphics* graphics, int x, int y) {
    if (FIsEmpty || graphics == nullptr) return;
    try {
        if (std::unique_ptr<TGPImage> image = DecodePictureData(*FDatastream))
            graphics->DrawImage(image.get(), x, y);
    } catch (const Exception&) {}
}

void TGDIPPicture::DrawImageRect(TGPGraphics* graphics, int x, int y, int w, int h) {
    if (FIsEmpty || graphics == nullptr) return;
    try {
        if (std::unique_ptr<TGPImage> image = DecodePictureData(*FDatastream))
            graphics->DrawImageRect(image.get(), x, y, w, h);
    } catch (const Exception&) {}
}

}  // namespace dsp
