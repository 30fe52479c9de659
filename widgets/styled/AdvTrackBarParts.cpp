// The fader's part settings, its drag-hint window and its colour styles.

#include <algorithm>

#include "framework/desktop/Screen.h"
#include "widgets/styled/AdvTrackBar.h"

namespace dsp {

namespace {

bool VerticalOwner(const TCustomTrackBar* owner) {
    return owner != nullptr && owner->Orientation() == trVertical;
}

std::unique_ptr<TFont> TahomaFont(std::function<void()> changed) {
    auto font = std::make_unique<TFont>();
    font->SetName("Tahoma");
    font->OnChange = [changed = std::move(changed)](TObject*) { changed(); };
    return font;
}

}  // namespace

std::unique_ptr<TGDIPPicture> TTrackBarPart::OwnedPicture(std::function<void()> handler) {
    auto picture = std::make_unique<TGDIPPicture>();
    picture->OnChange = [handler = std::move(handler)](TObject*) { handler(); };
    return picture;
}

// ---- thumb

TTrackBarThumb::TTrackBarThumb(TCustomTrackBar* owner) : TTrackBarPart(owner) {
    auto changed = [this] { PictureChanged(); };
    FIPicture = OwnedPicture(changed);
    FIPictureDisabled = OwnedPicture(changed);
    FIPictureDown = OwnedPicture(changed);
    FIPictureHot = OwnedPicture(changed);
}

TTrackBarThumb::~TTrackBarThumb() = default;

void TTrackBarThumb::SizeFromPicture() {
    if (FIPicture->Empty() || FAdvTrackBar == nullptr) return;
    FIPicture->GetImageSizes();
    if (VerticalOwner(FAdvTrackBar)) {
        FWidth = FIPicture->Height();
        FSize = FIPicture->Width();
    } else {
        FSize = FIPicture->Height();
        FWidth = FIPicture->Width();
    }
}

void TTrackBarThumb::PictureChanged() {
    SizeFromPicture();
    Changed();
}

void TTrackBarThumb::SetSize(int v) {
    if (FIPicture->Empty()) Store(FSize, v);
}

void TTrackBarThumb::SetWidth(int v) {
    if (FIPicture->Empty()) Store(FWidth, v);
}

void TTrackBarThumb::SetThumbPointer(TThumbPointer v) {
    if (v == FThumbPointer || FAdvTrackBar == nullptr) return;
    if (!FAdvTrackBar->CanChangeThumbPointer(this, v)) return;
    FThumbPointer = v;
    Changed();
}

void TTrackBarThumb::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TTrackBarThumb*>(source);
    if (other == nullptr) return;
    FColor = other->FColor;
    FColorTo = other->FColorTo;
    FBorderColor = other->FBorderColor;
    FColorHot = other->FColorHot;
    FColorHotTo = other->FColorHotTo;
    FBorderColorHot = other->FBorderColorHot;
    FColorDown = other->FColorDown;
    FColorDownTo = other->FColorDownTo;
    FBorderColorDown = other->FBorderColorDown;
    FColorDisabled = other->FColorDisabled;
    FColorDisabledTo = other->FColorDisabledTo;
    FBorderColorDisabled = other->FBorderColorDisabled;
    FColorMirror = other->FColorMirror;
    FColorMirrorTo = other->FColorMirrorTo;
    FColorMirrorHot = other->FColorMirrorHot;
    FColorMirrorHotTo = other->FColorMirrorHotTo;
    FColorMirrorDown = other->FColorMirrorDown;
    FColorMirrorDownTo = other->FColorMirrorDownTo;
    FColorMirrorDisabled = other->FColorMirrorDisabled;
    FColorMirrorDisabledTo = other->FColorMirrorDisabledTo;
    FSteps = other->FSteps;
    FGradient = other->FGradient;
    FGradientMirror = other->FGradientMirror;
    FIPicture->Assign(other->FIPicture.get());
    FIPictureHot->Assign(other->FIPictureHot.get());
    FIPictureDown->Assign(other->FIPictureDown.get());
    FIPictureDisabled->Assign(other->FIPictureDisabled.get());
    SetWidth(other->FWidth);
    SetShape(other->FShape);
    SetStyle(other->FStyle);
    SetSize(other->FSize);
    SetThumbPointer(other->FThumbPointer);
}

// ---- track

TTrackBarSlider::TTrackBarSlider(TCustomTrackBar* owner) : TTrackBarPart(owner) {
    auto changed = [this] { PictureChanged(); };
    FIPicture = OwnedPicture(changed);
    FIPictureDisabled = OwnedPicture(changed);
    FPictureCompleted = OwnedPicture(changed);
    FPictureCompletedDisabled = OwnedPicture(changed);
}

TTrackBarSlider::~TTrackBarSlider() = default;

void TTrackBarSlider::PictureChanged() {
    if (!FIPicture->Empty()) {
        FIPicture->GetImageSizes();
        FSize = VerticalOwner(FAdvTrackBar) ? FIPicture->Width() : FIPicture->Height();
        SetBorderColor(clNone);
    }
    Changed();
}

void TTrackBarSlider::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TTrackBarSlider*>(source);
    if (other == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    FColor = other->FColor;
    FColorTo = other->FColorTo;
    FBorderColor = other->FBorderColor;
    FColorDisabled = other->FColorDisabled;
    FColorDisabledTo = other->FColorDisabledTo;
    FBorderColorDisabled = other->FBorderColorDisabled;
    FColorCompleted = other->FColorCompleted;
    FColorCompletedTo = other->FColorCompletedTo;
    FColorCompletedDisabled = other->FColorCompletedDisabled;
    FColorCompletedDisabledTo = other->FColorCompletedDisabledTo;
    FSize = other->FSize;
    FRounded = other->FRounded;
    SetBorder3D(other->FBorder3D);
    SetVisible(other->FVisible);
    FIPicture->Assign(other->FIPicture.get());
    FIPictureDisabled->Assign(other->FIPictureDisabled.get());
    FPictureCompleted->Assign(other->FPictureCompleted.get());
    FPictureCompletedDisabled->Assign(other->FPictureCompletedDisabled.get());
    FPictureStretched = other->FPictureStretched;
    SetOffset(other->FOffset);
}

// ---- tick marks

TTrackBarTick::TTrackBarTick(TCustomTrackBar* owner) : TTrackBarPart(owner) {
    FIPicture = OwnedPicture([this] { Changed(); });
    FIPictureDisabled = OwnedPicture([this] { Changed(); });
    FFont = TahomaFont([this] { Changed(); });
}

TTrackBarTick::~TTrackBarTick() = default;

void TTrackBarTick::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TTrackBarTick*>(source);
    if (other == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    SetColor(other->FColor);
    SetColorDisabled(other->FColorDisabled);
    SetSize(other->FSize);
    SetPosition(other->FPosition);
    SetStyle(other->FStyle);
    FIPicture->Assign(other->FIPicture.get());
    FIPictureDisabled->Assign(other->FIPictureDisabled.get());
    FFont->Assign(other->FFont.get());
    SetShowText(other->FShowText);
    SetLine3D(other->FLine3D);
    FShowImageAtThumbOnly = other->FShowImageAtThumbOnly;
    FShowImageAtSteps = other->FShowImageAtSteps;
    SetSpacing(other->FSpacing);
}

// ---- end buttons

TTrackBarButtons::TTrackBarButtons(TCustomTrackBar* owner) : TTrackBarPart(owner) {
    auto sizing = [this] {
        SizeFromPictures();
        Changed();
    };
    auto quiet = [] {};
    FIMaxPictureHot = OwnedPicture(quiet);
    FIMaxPictureDown = OwnedPicture(quiet);
    FIMinPicture = OwnedPicture(sizing);
    FIMaxPicture = OwnedPicture(sizing);
    FIMinPictureHot = OwnedPicture(quiet);
    FIMinPictureDown = OwnedPicture(quiet);
}

TTrackBarButtons::~TTrackBarButtons() = default;

void TTrackBarButtons::SizeFromPictures() {
    if ((FIMinPicture->Empty() && FIMaxPicture->Empty()) || FAdvTrackBar == nullptr) return;
    TGDIPPicture* picture = FIMinPicture->Empty() ? FIMaxPicture.get() : FIMinPicture.get();
    picture->GetImageSizes();
    FSize = VerticalOwner(FAdvTrackBar) ? picture->Height() : picture->Width();
}

void TTrackBarButtons::SetSize(int v) {
    if (FIMinPicture->Empty() && FIMaxPicture->Empty()) Store(FSize, v);
}

void TTrackBarButtons::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TTrackBarButtons*>(source);
    if (other == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    SetBorderColor(other->FBorderColor);
    SetBorderColorHot(other->FBorderColorHot);
    SetBorderColorDown(other->FBorderColorDown);
    SetColor(other->FColor);
    SetColorTo(other->FColorTo);
    SetColorHot(other->FColorHot);
    SetColorHotTo(other->FColorHotTo);
    SetColorDown(other->FColorDown);
    SetColorDownTo(other->FColorDownTo);
    FColorMirror = other->FColorMirror;
    FColorMirrorTo = other->FColorMirrorTo;
    FColorMirrorHot = other->FColorMirrorHot;
    FColorMirrorHotTo = other->FColorMirrorHotTo;
    FColorMirrorDown = other->FColorMirrorDown;
    FColorMirrorDownTo = other->FColorMirrorDownTo;
    FIMinPicture->Assign(other->FIMinPicture.get());
    FIMinPictureHot->Assign(other->FIMinPictureHot.get());
    FIMinPictureDown->Assign(other->FIMinPictureDown.get());
    FIMaxPicture->Assign(other->FIMaxPicture.get());
    FIMaxPictureHot->Assign(other->FIMaxPictureHot.get());
    FIMaxPictureDown->Assign(other->FIMaxPictureDown.get());
    SetVisible(other->FVisible);
    SetSize(other->FSize);
    SetShape(other->FShape);
    SetCornerRadius(other->FCornerRadius);
    FRepeatClick = other->FRepeatClick;
    FRepeatPause = other->FRepeatPause;
    SetRotateText(other->FRotateText);
    FInitRepeatPause = other->FInitRepeatPause;
    SetSpacing(other->FSpacing);
    FStep = other->FStep;
}

// ---- value label

TTrackBarLabel::TTrackBarLabel(TCustomTrackBar* owner) : TTrackBarPart(owner) {
    FFont = TahomaFont([this] { Changed(); });
}

TTrackBarLabel::~TTrackBarLabel() = default;

void TTrackBarLabel::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TTrackBarLabel*>(source);
    if (other == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    FVisible = other->FVisible;
    FFormat = other->FFormat;
    FFont->Assign(other->FFont.get());
    SetPosition(other->FPosition);
}

// ---- drag hint

TTrackHintWindow::TTrackHintWindow(TComponent* owner) : THintWindow(owner) { SetColor(clInfoBk); }

TTrackHintWindow::~TTrackHintWindow() = default;

TRect TTrackHintWindow::CalcHintRect(int /*maxWidth*/, const std::string& /*hint*/) {
    TCanvas* canvas = Canvas();
    canvas->Font()->Assign(Font());
    const TSize extent = canvas->TextExtent(Caption());
    return Rect(0, 0, extent.cx, extent.cy);
}

void TTrackHintWindow::ActivateHint(TRect rect, const std::string& hint) {
    SetCaption(hint);
    TCanvas* canvas = Canvas();
    canvas->Font()->Assign(Font());
    const TSize extent = canvas->TextExtent(hint);
    FTextWidth = extent.cx;
    FTextHeight = extent.cy;
    rect.Right = rect.Left + FTextWidth + 16;
    rect.Bottom = rect.Top + FTextHeight + 4;
    if (Screen != nullptr) {
        if (const TMonitor* monitor = Screen->MonitorFromPoint({rect.Left, rect.Top})) {
            const TRect m = monitor->BoundsRect();
            if (rect.Right > m.Right) {
                rect.Left = m.Right - rect.Width() - 2;
                rect.Right = rect.Left + FTextWidth + 16;
            }
            if (rect.Bottom > m.Bottom) {
                rect.Bottom = m.Bottom - 2;
                rect.Top = rect.Bottom - FTextHeight - 4;
            }
        }
    }
    SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
    SetVisible(true);
    Invalidate();
}

void TTrackHintWindow::Paint() {
    TCanvas* canvas = Canvas();
    TRect r = ClientRect();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(r);
    canvas->Pen()->SetColor(cl3DLight);
    canvas->MoveTo(r.Left, r.Bottom - 2);
    canvas->LineTo(r.Left, r.Top);
    canvas->LineTo(r.Right - 1, r.Top);
    canvas->Pen()->SetColor(cl3DDkShadow);
    canvas->MoveTo(r.Left, r.Bottom - 1);
    canvas->LineTo(r.Right - 1, r.Bottom - 1);
    canvas->LineTo(r.Right - 1, r.Top - 1);
    canvas->Brush()->SetStyle(bsClear);
    canvas->Font()->Assign(Font());
    canvas->DrawText(Caption(), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void TTrackHintWindow::Dispatch(TMessage& message) {
    if (message.Msg == CM_TEXTCHANGED) {
        THintWindow::Dispatch(message);
        Invalidate();
        return;
    }
    THintWindow::Dispatch(message);
}

// ---- colour styles

namespace {

struct TNormalColours {
    TColor color, colorTo, mirror, mirrorTo, border;
};
struct TStateColours {
    TColor color, colorTo, mirror, mirrorTo, border;
};
struct TStyleRow {
    TNormalColours thumb;
    TNormalColours buttons;
    TColor sliderBorder;
    char group;
};
struct TGroupRow {
    TStateColours hot;
    TStateColours down;
};

// clang-format off
const TStyleRow kStyles[16] = {
    {{15653832, 16178633, 15586496, 16245200, 14727579}, {16706781, 16374724, 16706781, 14854529, 10248507}, 12752500, 'A'},
    {{15586496, 15128792, 15586496, 13152947, 9598070}, {15586496, 15128792, 15586496, 13152947, 9598070}, 9598070, 'A'},
    {{13627626, 13627626, 13627626, 9224369, 9224369}, {13627626, 13627626, 13627626, 9224369, 9224369}, 9224369, 'A'},
    {{16777215, 13226453, 16777215, 13226453, 0}, {16777215, 13226453, 16777215, 13226453, 0}, 9598070, 'B'},
    {{15653832, 16178633, 15586496, 16245200, 14727579}, {15653832, 16178633, 15586496, 16245200, 14727579}, 12752500, 'B'},
    {{14671574, 15000283, 14144974, 15197664, 12631218}, {14671574, 15000283, 14144974, 15197664, 12631218}, 12631218, 'B'},
    {{16777215, 12179676, 12179676, 12179676, 12179676}, {16777215, 12179676, 12179676, 12179676, 12179676}, 9598070, 'C'},
    {{16777215, 14675440, 14675440, 14675440, 10070188}, {16777215, 14675440, 14675440, 14675440, 10070188}, 9598070, 'A'},
    {{0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, 0, 0},  // tsCustom: unchanged
    {{15987697, 16119283, 15657703, 16316406, 13421257}, {15987697, 16119283, 15657703, 16316406, 13421257}, 13421257, 'B'},
    {{16776697, 16642263, clNone, clNone, 16703386}, {16776697, 16642263, 16776697, 16642263, 16703386}, 16703386, 'D'},
    {{16575452, 16571329, clNone, clNone, 13542013}, {16575452, 16571329, 16575452, 16571329, 13542013}, 13542013, 'E'},
    {{clBtnFace, clBtnFace, clNone, clNone, 0}, {clBtnFace, clBtnFace, clBtnFace, clBtnFace, 0}, 0, 'F'},
    {{16710905, 15391181, clNone, clNone, 10060659}, {16710905, 15391181, 15391181, 15391181, 10060659}, 10060659, 'G'},
    {{16645370, 16645370, clNone, clNone, 9734527}, {16645370, 16645370, 16645370, 16645370, 9734527}, 9734527, 'G'},
    {{13224393, 8421504, clNone, clNone, 2500134}, {13224393, 8421504, 8421504, 8421504, 2500134}, 2500134, 'G'},
};

const TGroupRow kGroups[7] = {
    {{13432063, 11332863, 5888767, 9556223, 10079963}, {7778289, 4296947, 946929, 5021693, 4548219}},
    {{15465983, 11332863, 5888767, 10807807, 10079963}, {7778289, 4296947, 946929, 5021693, 4548219}},
    {{15717318, 15717318, 15717318, 15717318, clHighlight}, {11899524, 11899524, 11899524, 11899524, clHighlight}},
    {{16776697, 16775920, clNone, clNone, 16703386}, {16710128, 16642263, clNone, clNone, 16703386}},
    {{16645114, 16643051, clNone, clNone, 14922381}, {16575452, 16571329, clNone, clNone, 13542013}},
    {{12632256, 12632256, clNone, clNone, 0}, {clHighlight, clHighlight, clNone, clNone, 0}},
    {{14678013, 7987195, 7987195, 14678013, 3457776}, {6670325, 9102591, 9102591, 6670325, 2914498}},
};
// clang-format on

template <typename Part>
void ApplyStateColours(Part& part, const TNormalColours& normal, const TGroupRow& group) {
    part.SetGradient(ggVertical);
    part.SetGradientMirror(ggVertical);
    part.SetColor(normal.color);
    part.SetColorTo(normal.colorTo);
    part.SetColorMirror(normal.mirror);
    part.SetColorMirrorTo(normal.mirrorTo);
    part.SetBorderColor(normal.border);
    part.SetColorHot(group.hot.color);
    part.SetColorHotTo(group.hot.colorTo);
    part.SetColorMirrorHot(group.hot.mirror);
    part.SetColorMirrorHotTo(group.hot.mirrorTo);
    part.SetBorderColorHot(group.hot.border);
    part.SetColorDown(group.down.color);
    part.SetColorDownTo(group.down.colorTo);
    part.SetColorMirrorDown(group.down.mirror);
    part.SetColorMirrorDownTo(group.down.mirrorTo);
    part.SetBorderColorDown(group.down.border);
}

}  // namespace

void TCustomTrackBar::SetComponentStyle(TTMSStyle style) {
    FSlider->SetOffset(10);
    FSlider->SetPicture(nullptr);
    FSlider->SetPictureCompleted(nullptr);
    FSlider->SetPictureDisabled(nullptr);
    FSlider->SetPictureCompletedDisabled(nullptr);
    FSlider->SetPictureStretched(false);
    FTickMark->SetPicture(nullptr);
    FTickMark->SetPictureDisabled(nullptr);
    FTickMark->SetPosition(tmBottomRight);
    FThumb->SetPicture(nullptr);
    FThumb->SetPictureHot(nullptr);
    FThumb->SetPictureDown(nullptr);
    FThumb->SetPictureDisabled(nullptr);
    FThumb->SetShape(tsPointer);
    FButtons->SetSpacing(2);
    const auto index = static_cast<int>(style);
    if (style == tsCustom || index < 0 || index >= 16) {
        Invalidate();
        return;
    }
    const TStyleRow& row = kStyles[index];
    const TGroupRow& group = kGroups[row.group - 'A'];
    ApplyStateColours(*FThumb, row.thumb, group);
    ApplyStateColours(*FButtons, row.buttons, group);
    FSlider->SetBorderColor(row.sliderBorder);
    FTickMark->SetColor(FSlider->BorderColor());
    Invalidate();
}

}  // namespace dsp
