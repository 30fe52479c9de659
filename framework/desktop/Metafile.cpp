#include "framework/desktop/Metafile.h"

#include "framework/desktop/MetafileData.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Picture.h"

namespace dsp {

namespace {

// Metafile files open through TPicture like the other kinds of picture.
const bool registered = [] {
    TPicture::RegisterFileFormat(
        "emf", "Enhanced Metafile", [] { return std::make_unique<TMetafile>(); },
        [](const std::vector<std::uint8_t>& data) { return IsMetafileData(data); });
    return true;
}();

}  // namespace

TMetafile::TMetafile() { (void)registered; }

TMetafile::~TMetafile() = default;

bool TMetafile::Empty() const { return data_ == nullptr; }

void TMetafile::SetSize(int width, int height) {
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == width_ && height == height_) return;
    width_ = width;
    height_ = height;
    Changed();
}

int TMetafile::RecordCount() const { return data_ ? static_cast<int>(data_->records.size()) : 0; }

void TMetafile::Clear() {
    data_.reset();
    createdBy_.clear();
    description_.clear();
    Changed();
}

void TMetafile::TakeRecording(std::shared_ptr<const TMetafileData> data,
                              const std::string& createdBy, const std::string& description) {
    data_ = std::move(data);
    width_ = data_->width;
    height_ = data_->height;
    createdBy_ = createdBy;
    description_ = description;
    Changed();
}

void TMetafile::Draw(TCanvas* canvas, const TRect& r) {
    if (canvas == nullptr || !data_) return;
    PlayMetafile(*data_, *canvas, r);
}

void TMetafile::LoadFromBytes(const std::vector<std::uint8_t>& data) {
    TDecodedMetafile decoded = DecodeMetafile(data);
    data_ = std::move(decoded.data);
    width_ = data_->width;
    height_ = data_->height;
    createdBy_ = std::move(decoded.createdBy);
    description_ = std::move(decoded.description);
    Changed();
}

std::vector<std::uint8_t> TMetafile::SaveToBytes() const {
    if (!data_) return {};
    return EncodeMetafile(*data_, createdBy_, description_);
}

void TMetafile::Assign(TPersistent* source) {
    if (source == nullptr) {
        data_.reset();
        width_ = height_ = 0;
        createdBy_.clear();
        description_.clear();
        Changed();
        return;
    }
    if (auto* other = dynamic_cast<TMetafile*>(source)) {
        if (other == this) return;
        data_ = other->data_;  // a recording never changes once made
        width_ = other->width_;
        height_ = other->height_;
        createdBy_ = other->createdBy_;
        description_ = other->description_;
        Changed();
        return;
    }
    TGraphic::Assign(source);
}

void TMetafile::AssignTo(TPersistent* dest) {
    if (auto* bitmap = dynamic_cast<TBitmap*>(dest)) {
        bitmap->Assign(nullptr);
        bitmap->SetSize(width_, height_);
        bitmap->Canvas()->Brush()->SetColor(clWhite);
        bitmap->Canvas()->Brush()->SetStyle(bsSolid);
        bitmap->Canvas()->FillRect(Rect(0, 0, width_, height_));
        Draw(bitmap->Canvas(), Rect(0, 0, width_, height_));
        return;
    }
    TGraphic::AssignTo(dest);
}

}  // namespace dsp
