#include "widgets/styled/AdvOfficeImage.h"

#include "framework/controls/ControlMessages.h"
#include "widgets/styled/GDIPPictureContainer.h"

namespace dsp {

namespace {
constexpr std::uint32_t kImageVersion = 0x01010000;  // 1.1.0.0
}  // namespace

TAdvOfficeImage::TAdvOfficeImage(TComponent* owner)
    : TGraphicControl(owner),
      FOfficeHint(std::make_unique<TAdvHintInfo>()),
      FIPicture(std::make_unique<TGDIPPicture>()) {
    FIPicture->OnChange = [this](TObject*) { Invalidate(); };
    SetControlStyle({csCaptureMouse, csClickEvents, csDoubleClicks});
    SetShowHint(false);
    SetBounds(Left(), Top(), 128, 128);
}

TAdvOfficeImage::~TAdvOfficeImage() { FIPicture->OnChange = nullptr; }

std::uint32_t TAdvOfficeImage::GetVersionNr() const { return kImageVersion; }

std::string TAdvOfficeImage::Version() const { return VersionText(GetVersionNr()); }

void TAdvOfficeImage::SetPicture(TGDIPPicture* value) {
    FIPicture->Assign(value);
    Invalidate();
}

void TAdvOfficeImage::SetCenter(bool value) {
    if (FCenter == value) return;
    FCenter = value;
    Invalidate();
}

void TAdvOfficeImage::SetStretch(bool value) {
    if (FStretch == value) return;
    FStretch = value;
    Invalidate();
}

void TAdvOfficeImage::Dispatch(TMessage& message) {
    TGraphicControl::Dispatch(message);
    if (ComponentState().Contains(csDesigning)) return;
    if (message.Msg == CM_MOUSEENTER) {
        FMouseInControl = true;
        if (OnMouseEnter) OnMouseEnter(this);
    } else if (message.Msg == CM_MOUSELEAVE) {
        FMouseInControl = false;
        if (OnMouseLeave) OnMouseLeave(this);
    }
}

void TAdvOfficeImage::Paint() {
    TGraphicControl::Paint();
    DrawPicture(Canvas());
}

void TAdvOfficeImage::DrawPicture(TCanvas* canvas) {
    if (!FIPicture->Empty()) {
        FIPicture->GetImageSizes();
        if (FStretch) {
            canvas->StretchDraw(Rect(0, 0, Width(), Height()), FIPicture.get());
            return;
        }
        int x = 0;
        int y = 0;
        if (FCenter) {
            // Halves round toward zero: a picture larger than the control starts left of it.
            x = (Width() - FIPicture->Width()) / 2;
            y = (Height() - FIPicture->Height()) / 2;
        }
        canvas->Draw(x, y, FIPicture.get());
        return;
    }
    if (ComponentState().Contains(csDesigning)) {
        canvas->Pen()->SetColor(clBlue);
        canvas->Pen()->SetStyle(psDot);
        canvas->Brush()->SetStyle(bsClear);
        canvas->Rectangle(0, 0, Width(), Height());
    }
}

}  // namespace dsp
