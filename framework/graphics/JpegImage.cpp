#include "framework/graphics/JpegImage.h"

#include <algorithm>

#include "framework/core/FrameworkAccess.h"
#include "framework/graphics/BitmapQt.h"
#include "framework/graphics/JpegCodec.h"

namespace dsp {

TJPEGImage::TJPEGImage() = default;
TJPEGImage::~TJPEGImage() = default;

void TJPEGImage::SetCompressionQuality(int value) { quality_ = std::clamp(value, 1, 100); }

bool TJPEGImage::Empty() const { return data_.empty() && (!bitmap_ || bitmap_->Empty()); }
int TJPEGImage::Width() const { return width_; }
int TJPEGImage::Height() const { return height_; }

void TJPEGImage::Decode() {
    if (bitmap_ || data_.empty()) return;
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->Internal(kFrameworkKey).image = jpeg::Decode(data_);
    bitmap->PixelsReplaced(kFrameworkKey);
    width_ = bitmap->Width();
    height_ = bitmap->Height();
    bitmap_ = std::move(bitmap);
}

TBitmap* TJPEGImage::Bitmap() {
    Decode();
    if (!bitmap_) bitmap_ = std::make_unique<TBitmap>();
    return bitmap_.get();
}

void TJPEGImage::Compress() {
    if (!bitmap_ || bitmap_->Empty()) return;
    jpeg::EncodeOptions options;
    options.quality = quality_;
    options.progressive = progressive_;
    options.grayscale = grayscale_;
    options.bestQuality = performance_ == jpBestQuality;
    data_ = jpeg::Encode(bitmap_->Internal(kFrameworkKey).image, options);
}

void TJPEGImage::Draw(TCanvas* canvas, const TRect& r) {
    if (canvas == nullptr || Empty()) return;
    Decode();
    if (bitmap_) bitmap_->Draw(canvas, r);
}

void TJPEGImage::LoadFromBytes(const std::vector<std::uint8_t>& data) {
    int width = 0;
    int height = 0;
    if (!data.empty() && !jpeg::ReadSize(data, width, height)) jpeg::Decode(data);  // raises
    data_ = data;
    bitmap_.reset();
    width_ = width;
    height_ = height;
    Changed();
}

std::vector<std::uint8_t> TJPEGImage::SaveToBytes() const {
    if (data_.empty() && bitmap_ && !bitmap_->Empty()) const_cast<TJPEGImage*>(this)->Compress();
    return data_;
}

void TJPEGImage::Assign(TPersistent* source) {
    if (source == nullptr) {
        data_.clear();
        bitmap_.reset();
        width_ = height_ = 0;
        Changed();
        return;
    }
    if (auto* other = dynamic_cast<TJPEGImage*>(source)) {
        if (other == this) return;
        data_ = other->data_;
        bitmap_.reset();
        if (other->bitmap_) {
            bitmap_ = std::make_unique<TBitmap>();
            bitmap_->Assign(other->bitmap_.get());
        }
        width_ = other->width_;
        height_ = other->height_;
        quality_ = other->quality_;
        progressive_ = other->progressive_;
        grayscale_ = other->grayscale_;
        performance_ = other->performance_;
        Changed();
        return;
    }
    if (auto* bitmap = dynamic_cast<TBitmap*>(source)) {
        data_.clear();
        bitmap_ = std::make_unique<TBitmap>();
        bitmap_->Assign(bitmap);
        bitmap_->SetTransparent(false);
        width_ = bitmap_->Width();
        height_ = bitmap_->Height();
        Changed();
        return;
    }
    TGraphic::Assign(source);
}

void TJPEGImage::AssignTo(TPersistent* dest) {
    if (auto* bitmap = dynamic_cast<TBitmap*>(dest)) {
        Decode();
        if (bitmap_)
            bitmap->Assign(bitmap_.get());
        else
            bitmap->Assign(nullptr);
        return;
    }
    TGraphic::AssignTo(dest);
}

}  // namespace dsp
