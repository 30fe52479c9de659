// The fader's value model, input handling and geometry.

#include "widgets/styled/AdvTrackBar.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "framework/controls/KeyMap.h"
#include "framework/controls/MessageParams.h"
#include "framework/desktop/Screen.h"
#include "framework/graphics/ImageList.h"
#include "framework/runtime/Timer.h"
#include "framework/text/Numbers.h"
#include "widgets/styled/UserFormat.h"

namespace dsp {

TCustomTrackBar::TCustomTrackBar(TComponent* owner) : TCustomControl(owner) {
    FThumb = std::make_unique<TTrackBarThumb>(this);
    FSlider = std::make_unique<TTrackBarSlider>(this);
    FTickMark = std::make_unique<TTrackBarTick>(this);
    FButtons = std::make_unique<TTrackBarButtons>(this);
    FTrackLabel = std::make_unique<TTrackBarLabel>(this);
    auto invalidate = [this](TObject*) { PartChanged(); };
    FThumb->OnChange = invalidate;
    FSlider->OnChange = invalidate;
    FButtons->OnChange = invalidate;
    FTrackLabel->OnChange = invalidate;
    FTickMark->OnChange = [this](TObject*) {
        MeasureTickText();
        PartChanged();
    };
    auto picture = [this] {
        auto p = std::make_unique<TGDIPPicture>();
        p->OnChange = [this](TObject*) { PartChanged(); };
        return p;
    };
    FIBackGround = picture();
    FIBackGroundDisabled = picture();
    FIRateActive = picture();
    FIRateInActive = picture();
    SetColor(clNone);
    SetBounds(Left(), Top(), 150, 26);
    SetTabStop(true);
    SetControlStyle(ControlStyle() - TControlStyle{csDoubleClicks});
    SetDoubleBuffered(true);
    FTrackHint = ShowHint();
    FTrackHintWnd = new TTrackHintWindow(this);
}

TCustomTrackBar::~TCustomTrackBar() = default;

// ---- value model

void TCustomTrackBar::SetPosition(int value) {
    if (value == FPosition) return;
    int v = value;
    if (v < FMin) {
        v = FMin;
    } else if (v > FMax) {
        v = FMax;
    }
    if (FMin > FMax) v = FMin;
    const TRect oldThumb = ThumbRect();
    const int oldPosition = FPosition;
    FPosition = v;
    const TRect newThumb = ThumbRect();
    if (ComponentState().Contains(csDesigning)) {
        Invalidate();
        return;
    }
    if (RatingMode()) {
        const int step = v >= oldPosition ? 1 : -1;
        for (int i = oldPosition;; i += step) {
            const TRect cell = RateCellRect(i);
            if (cell != kNoRect) InvalidateRect(&cell, true);
            if (i == v) break;
        }
    } else {
        const TRect a = InflateRect(oldThumb, 1, 1);
        const TRect b = InflateRect(newThumb, 1, 1);
        TRect area = UnionRect(a, b);
        if (FSlider->ColorCompleted() != clNone || !FSlider->PictureCompleted()->Empty()) {
            const TRect s = SliderRect();
            if (s != kNoRect) area = UnionRect(area, s);
        }
        if (FTickMark->ShowImageAtThumbOnly()) {
            const TRect i = InnerRect();
            for (const TRect& t : {b, a}) {
                const TRect band = Vertical() ? TRect{i.Left, t.Top, i.Right, t.Bottom}
                                              : TRect{t.Left, i.Top, t.Right, i.Bottom};
                area = UnionRect(area, band);
            }
        }
        InvalidateRect(&area, true);
        InvalidateTrackLabel();
    }
    Change();
}

void TCustomTrackBar::Change() {
    if (OnChange) OnChange(this);
}

void TCustomTrackBar::SetMin(int value) {
    if (value == FMin) return;
    FMin = value;
    if (FPosition < FMin) SetPosition(FMin);
    Invalidate();
}

void TCustomTrackBar::SetMax(int value) {
    if (value == FMax) return;
    FMax = value;
    if (FMax < FPosition) SetPosition(FMax);
    Invalidate();
}

void TCustomTrackBar::SetOrientation(TTrackBarOrientation value) {
    if (value == FOrientation) return;
    FOrientation = value;
    if (!ComponentState().Contains(csLoading)) SetBounds(Left(), Top(), Height(), Width());
    if (HandleAllocated()) RecreateWnd();
    Invalidate();
}

void TCustomTrackBar::SetTickImages(TCustomImageList* value) {
    if (value == FImages) return;
    if (FImages != nullptr) FImages->RemoveFreeNotification(this);
    FImages = value;
    if (FImages != nullptr) FImages->FreeNotification(this);
    Invalidate();
}

std::string TCustomTrackBar::Version() const { return "1.3.0.0"; }

void TCustomTrackBar::GetTrackLabelText(std::string& text) const {
    text = TryUserFormat(FTrackLabel->Format(), FPosition).value_or(IntToStr(FPosition));
    if (OnGetTrackLabelText)
        OnGetTrackLabelText(const_cast<TCustomTrackBar*>(this), FPosition, text);
}

void TCustomTrackBar::Loaded() {
    TCustomControl::Loaded();
    MeasureTickText();
    FButtons->SizeFromPictures();
    FThumb->SizeFromPicture();
}

void TCustomTrackBar::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation == opRemove && component == FImages && !ComponentState().Contains(csDestroying)) {
        FImages = nullptr;
        Invalidate();
    }
}

void TCustomTrackBar::MeasureTickText() {
    int w = 0;
    int h = 0;
    MeasureText(Canvas(), FTickMark->Font(), "gh", w, h);
    FTextHeight = h + 2 * FTickTextOffset;
}

void TCustomTrackBar::PartChanged() { Invalidate(); }

bool TCustomTrackBar::CanChangeThumbPointer(TTrackBarThumb*, TThumbPointer&) { return true; }

int TCustomTrackBar::GetThumbLength() const { return FThumb->Width(); }

// ---- steps

void TCustomTrackBar::DoMinButtonStep() {
    if (FMin < FPosition) SetPosition(FPosition - FButtons->Step());
}

void TCustomTrackBar::DoMaxButtonStep() {
    if (FPosition < FMax) SetPosition(FPosition + FButtons->Step());
}

int TCustomTrackBar::PageStepDirection() const {
    const TRect inner = InnerRect();
    const int length = UsableLength();
    const double scale = FMax == FMin ? 0.0 : static_cast<double>(length) / (FMax - FMin);
    const auto p = static_cast<int>(Round((FPosition - FMin) * scale));
    if (Vertical()) {
        const int b = inner.Bottom - p;
        int y = FSliderDownPt.Y;
        if (y >= b) y += PointerOffset();
        if (std::abs(y - b) < scale) return 0;
        return FSliderDownPt.Y < b ? 1 : -1;
    }
    const int b = inner.Left + p;
    int x = FSliderDownPt.X;
    if (x < b) x -= PointerOffset();
    if (std::abs(x - b) < scale) return 0;
    return FSliderDownPt.X < b ? -1 : 1;
}

void TCustomTrackBar::DoPageStep() {
    const int direction = PageStepDirection();
    if (direction == 0) return;
    if (pageDirection_ == 0) {
        // The first step of a press goes where the press is, whatever follows.
        pageDirection_ = direction;
    } else {
        // A repeat never reverses and never steps past the press point: one that would leave
        // the thumb on the far side of it, or not move it at all, ends the stepping.
        const int from = FPosition;
        int to = from + direction * FPageSize;
        to = FMin > FMax ? FMin : std::clamp(to, FMin, FMax);
        bool stop = direction != pageDirection_ || to == from;
        if (!stop) {
            FPosition = to;
            stop = PageStepDirection() == -pageDirection_;
            FPosition = from;
        }
        if (stop) {
            StopRepeatTimer();
            return;
        }
    }
    SetPosition(FPosition + direction * FPageSize);
}

// ---- repeat timer

void TCustomTrackBar::StartRepeatTimer() {
    if (FRepeatTimer == nullptr) {
        FRepeatTimer = new TTimer(this);
        FRepeatTimer->SetEnabled(false);
        FRepeatTimer->SetOnTimer([this](TObject*) { RepeatTimerTick(); });
    }
    FRepeatTimer->SetEnabled(false);
    FRepeatTimer->SetInterval(static_cast<unsigned>(std::max(1, FButtons->InitRepeatPause())));
    FRepeatTimer->SetEnabled(true);
}

void TCustomTrackBar::StopRepeatTimer() {
    if (FRepeatTimer != nullptr) FRepeatTimer->SetEnabled(false);
}

bool TCustomTrackBar::RepeatTimerRunning() const {
    return FRepeatTimer != nullptr && FRepeatTimer->Enabled();
}

void TCustomTrackBar::RepeatTimerTick() {
    FRepeatTimer->SetInterval(static_cast<unsigned>(std::max(1, FButtons->RepeatPause())));
    if (!MouseCapture()) return;
    try {
        if (FSliderButtonDown) {
            DoPageStep();
        } else if (FMinButtonDown) {
            DoMinButtonStep();
        } else if (FMaxButtonDown) {
            DoMaxButtonStep();
        } else {
            StopRepeatTimer();
        }
    } catch (...) {
        StopRepeatTimer();
        throw;
    }
}

void TCustomTrackBar::CaptureLost() {
    StopRepeatTimer();
    FSliderButtonDown = false;
    pageDirection_ = 0;
    if (FSliding || FThumbDown) {
        FSliding = false;
        FThumbDown = false;
        HideTrackHint();
        InvalidateThumb();
    }
    if (FMinButtonDown) {
        FMinButtonDown = false;
        InvalidateButton(true);
    }
    if (FMaxButtonDown) {
        FMaxButtonDown = false;
        InvalidateButton(false);
    }
}

// ---- messages and input

void TCustomTrackBar::Dispatch(TMessage& message) {
    switch (message.Msg) {
        case WM_GETDLGCODE: message.Result = DLGC_WANTARROWS; return;
        case WM_ERASEBKGND:
            TCustomControl::Dispatch(message);
            if (FTransparent) message.Result = 1;
            return;
        case WM_LBUTTONUP: {
            // The release gives the capture back before the fader hears it: that is no loss.
            const bool releasing = releasing_;
            releasing_ = true;
            try {
                TCustomControl::Dispatch(message);
            } catch (...) {
                releasing_ = releasing;
                throw;
            }
            releasing_ = releasing;
            return;
        }
        case WM_CAPTURECHANGED:
            TCustomControl::Dispatch(message);
            if (!releasing_ && !MouseCapture()) CaptureLost();
            return;
        case CM_MOUSELEAVE:
            TCustomControl::Dispatch(message);
            if (MouseChildOf(message) != nullptr) return;
            if (FMinButtonHot || FMinButtonDown) {
                FMinButtonHot = false;
                FMinButtonDown = false;
                InvalidateButton(true);
            }
            if (FMaxButtonHot || FMaxButtonDown) {
                FMaxButtonHot = false;
                FMaxButtonDown = false;
                InvalidateButton(false);
            }
            if ((FThumbHot || FThumbDown) && !FSliding) {
                FThumbHot = false;
                FThumbDown = false;
                InvalidateThumb();
            }
            return;
        case CM_ENABLEDCHANGED:
            TCustomControl::Dispatch(message);
            Invalidate();
            return;
        default: TCustomControl::Dispatch(message);
    }
}

void TCustomTrackBar::DoEnter() {
    TCustomControl::DoEnter();
    Repaint();
}

void TCustomTrackBar::DoExit() {
    TCustomControl::DoExit();
    Repaint();
}

void TCustomTrackBar::KeyDown(TKeyCode& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    if (shift.Contains(ssShift)) return;
    switch (key) {
        case VK_PRIOR: SetPosition(FPosition + FPageSize); break;
        case VK_NEXT: SetPosition(FPosition - FPageSize); break;
        case VK_END: SetPosition(Vertical() ? GetMinPosition() : GetMaxPosition()); break;
        case VK_HOME: SetPosition(Vertical() ? GetMaxPosition() : GetMinPosition()); break;
        case VK_UP:
        case VK_RIGHT:
            if (FPosition < FMax) SetPosition(FPosition + 1);
            break;
        case VK_LEFT:
        case VK_DOWN:
            if (FPosition > FMin) SetPosition(FPosition - 1);
            break;
        default: break;
    }
}

bool TCustomTrackBar::DoMouseWheelDown(TShiftState shift, TPoint mousePos) {
    TCustomControl::DoMouseWheelDown(shift, mousePos);
    if (FMin < FPosition) SetPosition(FPosition - 1);
    return true;
}

bool TCustomTrackBar::DoMouseWheelUp(TShiftState shift, TPoint mousePos) {
    TCustomControl::DoMouseWheelUp(shift, mousePos);
    if (FPosition < FMax) SetPosition(FPosition + 1);
    return true;
}

int TCustomTrackBar::ValueAtOffset(double d) const {
    const int length = UsableLength();
    if (length <= 0) return FMin;
    const double raw = d / length * (static_cast<double>(FMax) - FMin) + FMin;
    if (!std::isfinite(raw) || std::abs(raw) > 4e18) return FPosition;
    auto v = Round(raw);
    if (v > FMax) v = FMax;
    if (v < FMin) v = FMin;
    const int value = static_cast<int>(v);
    return IsValidPosition(value) ? value : FPosition;
}

void TCustomTrackBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (!Focused() && CanFocus()) SetFocus();
    const TPoint p{x, y};
    const TRect inner = InnerRect();
    const TRect around = InflateRect(inner, 4, 4);
    bool inMin = false;
    bool inMax = false;
    if (FButtons->Visible()) {
        inMin = PtInRect(MinButtonRect(), p);
        inMax = PtInRect(MaxButtonRect(), p);
    }
    TRect thumb;
    GetThumbRect(true, thumb);
    const bool onThumb = PtInRect(thumb, p);
    const bool rating = RatingMode();
    if (!rating && !onThumb && button == mbLeft &&
        (FMoveOnClick == mcMove || FMoveOnClick == mcMoveSlide) && !inMin && !inMax) {
        const int w = FThumb->Width();
        const double d = Vertical() ? inner.Bottom - w - y : x - inner.Left - PointerOffset();
        SetPosition(ValueAtOffset(d));
        if (FMoveOnClick == mcMoveSlide) {
            FThumbDown = true;
            FSliding = true;
        }
        return;
    }
    if (button != mbLeft || rating) return;
    if (!onThumb) {
        if (PtInRect(around, p) && CanClickSlider()) {
            FSliderButtonDown = true;
            FSliderDownPt = p;
            pageDirection_ = 0;
            DoPageStep();
            StartRepeatTimer();
        } else if (FButtons->Visible()) {
            if (inMin && !FMinButtonDown) {
                FMinButtonDown = true;
                InvalidateButton(true);
                if (FButtons->RepeatClick()) StartRepeatTimer();
            }
            if (inMax && !FMaxButtonDown) {
                FMaxButtonDown = true;
                InvalidateButton(false);
                if (FButtons->RepeatClick()) StartRepeatTimer();
            }
        }
        return;
    }
    if (CanDragThumb()) {
        FSliding = true;
        FThumbDown = true;
        InvalidateThumb();
        FThumbCenterOffsetX = x - (thumb.Left + thumb.Width() / 2);
        FThumbCenterOffsetY = y - (thumb.Top + thumb.Height() / 2);
    }
}

void TCustomTrackBar::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    if (RatingMode()) return;
    const TPoint p{x, y};
    if (FSliding) {
        const TRect inner = InnerRect();
        const int w = FThumb->Width();
        const double d = Vertical() ? inner.Bottom - w - (y - FThumbCenterOffsetY - w / 2)
                                    : x - inner.Left - FThumbCenterOffsetX - w / 2;
        const int v = ValueAtOffset(d);
        if (v != FPosition && FTrackHint && v != FHintTickIndex) ShowTrackHint(v);
        FSliderButtonDown = false;
        SetPosition(v);
        return;
    }
    if (FButtons->Visible()) {
        const bool inMin = PtInRect(MinButtonRect(), p);
        if (inMin && !FMinButtonHot) {
            FMinButtonHot = true;
            InvalidateButton(true);
        } else if (!inMin && FMinButtonHot) {
            FMinButtonHot = false;
            FMinButtonDown = false;
            InvalidateButton(true);
        }
        const bool inMax = PtInRect(MaxButtonRect(), p);
        if (inMax && !FMaxButtonHot) {
            FMaxButtonHot = true;
            InvalidateButton(false);
        } else if (!inMax && FMaxButtonHot) {
            FMaxButtonHot = false;
            FMaxButtonDown = false;
            InvalidateButton(false);
        }
    }
    TRect thumb;
    GetThumbRect(true, thumb);
    if (PtInRect(thumb, p) && CanDragThumb()) {
        if (!FThumbHot) {
            FThumbHot = true;
            InvalidateThumb();
        }
    } else if (FThumbHot) {
        FThumbHot = false;
        FThumbDown = false;
        InvalidateThumb();
    }
}

void TCustomTrackBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    StopRepeatTimer();
    FSliderButtonDown = false;
    pageDirection_ = 0;
    const TPoint p{x, y};
    if (RatingMode()) {
        if (button == mbLeft) {
            const int value = RateCellAt(p);
            if (value != -1) {
                SetPosition(value);
            } else {
                const TRect first = RateCellRect(FMin + 1);
                if (first != kNoRect && x >= first.Left - 4 && x < first.Left && y >= first.Top &&
                    y < first.Bottom) {
                    SetPosition(FMin);
                }
            }
        }
    } else if (button == mbLeft) {
        HideTrackHint();
        FSliding = false;
        if (FThumbDown) {
            FThumbDown = false;
            TRect thumb;
            GetThumbRect(true, thumb);
            if (!PtInRect(thumb, p)) FThumbHot = false;
            InvalidateThumb();
        }
        if (FButtons->Visible()) {
            if (PtInRect(MinButtonRect(), p) && FMinButtonDown) {
                FMinButtonDown = false;
                InvalidateButton(true);
                DoMinButtonStep();
            }
            if (PtInRect(MaxButtonRect(), p) && FMaxButtonDown) {
                FMaxButtonDown = false;
                InvalidateButton(false);
                DoMaxButtonStep();
            }
        }
    }
    TCustomControl::MouseUp(button, shift, x, y);
}

void TCustomTrackBar::ShowTrackHint(int value) {
    FHintTickIndex = value;
    std::string text = IntToStr(value);
    if (OnGetTrackHint) OnGetTrackHint(this, value, text);
    FTrackHintWnd->SetColor(clInfoBk);
    const TPoint cursor = CursorPos();
    FTrackHintWnd->ActivateHint(Rect(cursor.X + 10, cursor.Y, cursor.X + 10, cursor.Y), text);
    FTrackHintShow = true;
}

void TCustomTrackBar::HideTrackHint() {
    if (!FTrackHintShow) return;
    FTrackHintWnd->ReleaseHandle();
    FTrackHintShow = false;
}

void TCustomTrackBar::InvalidateThumb() {
    TRect thumb;
    GetThumbRect(false, thumb);
    const TRect r = InflateRect(thumb, 1, 1);
    InvalidateRect(&r, true);
}

void TCustomTrackBar::InvalidateButton(bool minButton) {
    const TRect r = minButton ? MinButtonRect() : MaxButtonRect();
    InvalidateRect(&r, true);
}

void TCustomTrackBar::InvalidateTrackLabel() {
    if (!FTrackLabel->Visible()) return;
    TRect r = TrackLabelRect(!IsTrackLabelTextCustom());
    if (r == kNoRect) return;
    if (Vertical()) {
        r = {r.Left, std::min(r.Top, r.Bottom) + 10, r.Right, std::max(r.Top, r.Bottom) - 10};
    } else {
        r = InflateRect(r, 5, 0);
    }
    InvalidateRect(&r, true);
}

// ---- geometry

bool TCustomTrackBar::TicksTopLeft() const {
    return FTickMark->Style() != tsNone &&
           (FTickMark->Position() == tmTopLeft || FTickMark->Position() == tmBoth);
}

bool TCustomTrackBar::TicksBottomRight() const {
    return FTickMark->Style() != tsNone &&
           (FTickMark->Position() == tmBottomRight || FTickMark->Position() == tmBoth);
}

bool TCustomTrackBar::SliderShown() const { return FSlider->Visible() && FSlider->Size() > 0; }

TRect TCustomTrackBar::ContentRect() const {
    const int d = FBorderWidth + FOffset;
    return InflateRect(ClientRect(), -d, -d);
}

TRect TCustomTrackBar::MaxButtonRect() const {
    const TRect k = ContentRect();
    const int size = FButtons->Size();
    if (Vertical()) return {k.Left, k.Top, k.Right, k.Top + size};
    return {k.Right - size, k.Top, k.Right, k.Bottom};
}

TRect TCustomTrackBar::MinButtonRect() const {
    const TRect k = ContentRect();
    const int size = FButtons->Size();
    if (Vertical()) return {k.Left, k.Bottom - size, k.Right, k.Bottom};
    return {k.Left, k.Top, k.Left + size, k.Bottom};
}

TRect TCustomTrackBar::InnerRect() const {
    TRect r = ContentRect();
    if (Vertical()) {
        r.Left += FSlider->Offset();
    } else {
        r.Top += FSlider->Offset();
    }
    const TLabelPosition lp = FTrackLabel->Position();
    if (FTrackLabel->Visible() && (lp == lpTopCenter || lp == lpTopLeft || lp == lpTopRight)) {
        const TRect label = TrackLabelRect(false);
        if (Vertical()) {
            r.Left += label.Width() + 1;
        } else {
            r.Top += label.Height() + 1;
        }
    }
    if (FButtons->Visible()) {
        const int spacing = FButtons->Spacing();
        if (Vertical()) {
            r.Bottom = MinButtonRect().Top - spacing;
            r.Top = MaxButtonRect().Bottom + spacing;
        } else {
            r.Left = MinButtonRect().Right + spacing;
            r.Right = MaxButtonRect().Left - spacing;
        }
    }
    return r;
}

int TCustomTrackBar::UsableLength() const {
    const TRect inner = InnerRect();
    return (Vertical() ? inner.Height() : inner.Width()) - FThumb->Width();
}

int TCustomTrackBar::PointerOffset() const {
    const int w = FThumb->Width();
    if (w <= 0) return 0;
    switch (FThumb->ThumbPointer()) {
        case tpLeft: return 0;
        case tpCenter: return w / 2;
        case tpRight: return w;
    }
    return 0;
}

void TCustomTrackBar::GetTickRectTopLeft(TRect& r) const {
    if (!TicksTopLeft()) {
        r = kNoRect;
        return;
    }
    const TRect inner = InnerRect();
    const int a = PointerOffset();
    const int t = FTickMark->ShowText() ? FTextHeight : 0;
    if (Vertical()) {
        r = {inner.Left, inner.Top + a, inner.Left + t + FTickMark->Size(), inner.Bottom - a};
    } else {
        r = {inner.Left + a, inner.Top, inner.Right - a, inner.Top + t + FTickMark->Size()};
    }
}

TRect TCustomTrackBar::SliderRect() const {
    if (!SliderShown()) return kNoRect;
    const TRect inner = InnerRect();
    TRect s = inner;
    if (Vertical()) {
        s.Left = TicksTopLeft() ? TickRectTopLeft().Right + FTickMark->Spacing() : inner.Left;
        s.Right = s.Left + FSlider->Size();
    } else {
        s.Top = TicksTopLeft() ? TickRectTopLeft().Bottom + FTickMark->Spacing() : inner.Top;
        s.Bottom = s.Top + FSlider->Size();
    }
    return s;
}

void TCustomTrackBar::GetTickRectBottomRight(TRect& r) const {
    if (!TicksBottomRight()) {
        r = kNoRect;
        return;
    }
    const TRect inner = InnerRect();
    const int a = PointerOffset();
    const int t = FTickMark->ShowText() ? FTextHeight : 0;
    const int e = t + FTickMark->Size();
    int b = 0;
    if (SliderShown()) {
        const TRect s = SliderRect();
        b = (Vertical() ? s.Right : s.Bottom) - (FSlider->Border3D() ? 1 : 0) +
            FTickMark->Spacing();
    } else if (TicksTopLeft()) {
        const TRect tl = TickRectTopLeft();
        b = (Vertical() ? tl.Right : tl.Bottom) + 2 * FTickMark->Spacing();
    } else {
        b = Vertical() ? inner.Left : inner.Top;
    }
    if (Vertical()) {
        r = {b, inner.Top + a, b + e, inner.Bottom - a};
    } else {
        r = {inner.Left + a, b, inner.Right - a, b + e};
    }
}

void TCustomTrackBar::GetThumbRect(bool /*hitTest*/, TRect& r) const {
    const TRect inner = InnerRect();
    const int z = FThumb->Size();
    int low = 0;
    if (SliderShown()) {
        const TRect s = SliderRect();
        low = Vertical() ? s.Left + s.Width() / 2 - z / 2 : s.Top + s.Height() / 2 - z / 2;
    } else if (FTickMark->Style() == tsNone) {
        low = Vertical() ? inner.Left : inner.Top;
    } else if (TicksBottomRight() && !TicksTopLeft()) {
        const TRect br = TickRectBottomRight();
        low = Vertical() ? br.Left : br.Top;
    } else {
        const TRect tl = TickRectTopLeft();
        low = (Vertical() ? tl.Left : tl.Top) + FTickMark->Spacing() - z / 2;
    }
    const int w = FThumb->Width();
    const int length = UsableLength();
    const int p = FMax == FMin ? 0
                               : static_cast<int>(Round(static_cast<double>(length) *
                                                        (FPosition - FMin) / (FMax - FMin)));
    if (Vertical()) {
        r.Left = low;
        r.Right = low + z;
        r.Bottom = inner.Bottom - p;
        r.Top = r.Bottom - w;
    } else {
        r.Top = low;
        r.Bottom = low + z;
        r.Left = inner.Left + p;
        r.Right = r.Left + w;
    }
    if (FThumb->Shape() == tsLine && FThumb->Picture()->Empty()) {
        const TRect k = ContentRect();
        if (Vertical()) {
            r.Left = k.Left;
            r.Right = Width() - FBorderWidth;
        } else {
            r.Top = k.Top;
            r.Bottom = Height() - FBorderWidth;
        }
    }
}

TRect TCustomTrackBar::TrackLabelRect(bool rotated) const {
    if (!FTrackLabel->Visible()) return kNoRect;
    std::string text;
    GetTrackLabelText(text);
    if (text.empty() && OnGetTrackLabelText) text = "Pos";
    int w = 0;
    int h = 0;
    MeasureText(Canvas(), FTrackLabel->Font(), text, w, h);
    const int s = FTrackLabel->Spacing();
    const TRect k = ContentRect();
    TRect r = k;
    const TLabelPosition lp = FTrackLabel->Position();
    const bool bottom = lp == lpBottomCenter || lp == lpBottomLeft || lp == lpBottomRight;
    if (bottom) {
        const TRect band = TickRectBottomRight();
        if (Vertical()) {
            r.Left = band.Right + 1;
            r.Right = r.Left + h + s;
        } else {
            r.Top = band.Bottom + 1;
            r.Bottom = r.Top + h + s;
        }
    } else if (Vertical()) {
        r.Left = k.Left + FSlider->Offset();
        r.Right = r.Left + h + s;
    } else {
        r.Top = k.Top + FSlider->Offset();
        r.Bottom = r.Top + h + s;
    }
    if (!rotated) return r;
    const bool left = lp == lpTopLeft || lp == lpBottomLeft;
    const bool right = lp == lpTopRight || lp == lpBottomRight;
    if (Vertical()) {
        if (left) {
            const int oldBottom = r.Bottom;
            r.Top = oldBottom;
            r.Bottom = oldBottom - w - 5;
        } else if (right) {
            const int oldTop = r.Top;
            r.Bottom = oldTop;
            r.Top = oldTop + w + 5;
        } else {
            const int m = r.Top + (r.Height() - w) / 2;
            r.Bottom = m;
            r.Top = m + w + 5;
        }
    } else if (left) {
        r.Right = r.Left + w + 5;
    } else if (right) {
        r.Left = r.Right - w - 5;
    } else {
        r.Left = r.Left + (r.Width() - w) / 2;
        r.Right = r.Left + w + 5;
    }
    return r;
}

bool TCustomTrackBar::RatingMode() const {
    return !FIRateActive->Empty() && !FIRateInActive->Empty();
}

TRect TCustomTrackBar::RateCellRect(int value) const {
    if (!RatingMode() || value <= FMin || value > FMax) return kNoRect;
    FIRateActive->GetImageSizes();
    FIRateInActive->GetImageSizes();
    const int w = std::max(FIRateActive->Width(), FIRateInActive->Width());
    const int h = std::max(FIRateActive->Height(), FIRateInActive->Height());
    const TRect inner = InnerRect();
    int x = inner.Left;
    int y = inner.Top;
    for (int v = FMin + 1; v < value; ++v) {
        if (inner.Right < x + 2 * w) {
            x = inner.Left;
            y += h;
        } else {
            x += w;
        }
    }
    if (y > inner.Bottom) return kNoRect;
    return {x, y, x + w, y + h};
}

int TCustomTrackBar::RateCellAt(TPoint p) const {
    for (int v = FMin + 1; v <= FMax; ++v) {
        const TRect cell = RateCellRect(v);
        if (cell != kNoRect && PtInRect(cell, p)) return v;
    }
    return -1;
}

TAdvTrackBar::TAdvTrackBar(TComponent* owner) : TCustomTrackBar(owner) {}

TAdvTrackBar::~TAdvTrackBar() = default;

}  // namespace dsp
