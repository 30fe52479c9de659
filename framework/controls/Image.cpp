#include "framework/controls/Image.h"

#include "framework/controls/ControlErrors.h"
#include "framework/controls/StdControlSupport.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"

namespace dsp {

TImage::TImage(TComponent* owner) : TGraphicControl(owner), picture_(std::make_unique<TPicture>()) {
    SetControlStyle(ControlStyle() + TControlStyle{csReplicatable});
    picture_->OnChange = [this](TObject*) { PictureChanged(); };
    SetBounds(0, 0, 105, 105);
}

TImage::~TImage() { picture_->OnChange = nullptr; }

void TImage::SetPicture(TPicture* value) {
    if (value != picture_.get()) picture_->Assign(value);
}

void TImage::PictureChanged() {
    if (autoSize_ && picture_->Width() > 0 && picture_->Height() > 0) {
        SetBounds(Left(), Top(), picture_->Width(), picture_->Height());
    }
    if (TGraphic* graphic = picture_->Graphic()) graphic->SetTransparent(transparent_);
    // Opaque only when the picture covers the control and leaves nothing out.
    const TRect d = DestRect();
    const bool covers = picture_->Graphic() != nullptr && !transparent_ && d.Left <= 0 &&
                        d.Top <= 0 && d.Right >= Width() && d.Bottom >= Height();
    SetOpaque(*this, covers);
    if (!drawing_) Invalidate();
}

void TImage::SetAutoSize(bool value) {
    if (autoSize_ == value) return;
    autoSize_ = value;
    PictureChanged();
}

void TImage::SetCenter(bool value) {
    if (center_ == value) return;
    center_ = value;
    PictureChanged();
}

void TImage::SetStretch(bool value) {
    if (stretch_ == value) return;
    stretch_ = value;
    PictureChanged();
}

void TImage::SetProportional(bool value) {
    if (proportional_ == value) return;
    proportional_ = value;
    PictureChanged();
}

void TImage::SetTransparent(bool value) {
    if (transparent_ == value) return;
    transparent_ = value;
    PictureChanged();
}

TRect TImage::DestRect() const {
    int w = picture_->Width();
    int h = picture_->Height();
    const int cw = Width();
    const int ch = Height();
    if (stretch_ || (proportional_ && (w > cw || h > ch))) {
        if (proportional_ && w > 0 && h > 0) {
            // As large as fits, keeping the picture's proportions.
            if (static_cast<long long>(cw) * h > static_cast<long long>(ch) * w) {
                w = static_cast<int>(static_cast<long long>(w) * ch / h);
                h = ch;
            } else {
                h = static_cast<int>(static_cast<long long>(h) * cw / w);
                w = cw;
            }
        } else {
            w = cw;
            h = ch;
        }
    }
    TRect r = Rect(0, 0, w, h);
    if (center_) r = OffsetRect(r, (cw - w) / 2, (ch - h) / 2);
    return r;
}

TCanvas* TImage::Canvas() const {
    if (picture_->Graphic() == nullptr) {
        auto bitmap = std::make_unique<TBitmap>(Width(), Height());
        picture_->SetGraphic(bitmap.get());
    }
    auto* bitmap = dynamic_cast<TBitmap*>(picture_->Graphic());
    if (bitmap == nullptr) {
        throw EInvalidOperation("Can only modify an image if it contains a bitmap");
    }
    // Drawing on the bitmap shows at once.
    bitmap->Canvas()->OnChange = [this](TObject*) { const_cast<TImage*>(this)->Invalidate(); };
    return bitmap->Canvas();
}

void TImage::Paint() {
    TGraphic* graphic = picture_->Graphic();
    if (graphic == nullptr || graphic->Empty()) return;
    drawing_ = true;
    graphic->SetTransparent(transparent_);
    TGraphicControl::Canvas()->StretchDraw(DestRect(), graphic);
    drawing_ = false;
}

}  // namespace dsp
