#include "widgets/panels/RzBmpBtn.h"

#include <algorithm>

#include "framework/controls/ClassicDraw.h"
#include "framework/controls/Form.h"
#include "framework/controls/KeyMap.h"
#include "framework/controls/MessageParams.h"
#include "framework/controls/StdControlSupport.h"
#include "framework/runtime/SystemInfo.h"

namespace dsp {

// ---- pictures

TRzButtonBitmaps::TRzButtonBitmaps()
    : up_(std::make_unique<TBitmap>()),
      upAndFocused_(std::make_unique<TBitmap>()),
      disabled_(std::make_unique<TBitmap>()),
      down_(std::make_unique<TBitmap>()),
      stayDown_(std::make_unique<TBitmap>()),
      hot_(std::make_unique<TBitmap>()) {
    for (TBitmap* b : {up_.get(), upAndFocused_.get(), disabled_.get(), down_.get(),
                       stayDown_.get(), hot_.get()}) {
        b->OnChange = [this](TObject*) { Changed(); };
    }
}

TRzButtonBitmaps::~TRzButtonBitmaps() = default;

void TRzButtonBitmaps::Changed() {
    if (!assigning_ && OnChange) OnChange(this);
}

void TRzButtonBitmaps::SetTransparentColor(TColor value) {
    if (transparentColor_ == value) return;
    transparentColor_ = value;
    Changed();
}

void TRzButtonBitmaps::AssignStrip(const TBitmap& strip, int frames) {
    if (frames <= 0 || strip.Empty()) return;
    const int w = strip.Width() / frames;
    const int h = strip.Height();
    assigning_ = true;
    TBitmap* targets[] = {up_.get(), hot_.get(), down_.get(), stayDown_.get()};
    for (int i = 0; i < frames && i < 4; ++i) {
        TBitmap& target = *targets[i];
        target.SetSize(w, h);
        target.Canvas()->BitBlt(0, 0, w, h, strip.Canvas(), i * w, 0, SRCCOPY);
    }
    assigning_ = false;
    Changed();
}

void TRzButtonBitmaps::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TRzButtonBitmaps*>(source);
    if (other == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    assigning_ = true;
    up_->Assign(other->up_.get());
    upAndFocused_->Assign(other->upAndFocused_.get());
    disabled_->Assign(other->disabled_.get());
    down_->Assign(other->down_.get());
    stayDown_->Assign(other->stayDown_.get());
    hot_->Assign(other->hot_.get());
    transparentColor_ = other->transparentColor_;
    assigning_ = false;
    Changed();
}

std::unique_ptr<TBitmap> MakeDisabledCopy(const TBitmap& up) {
    const int w = up.Width();
    const int h = up.Height();
    auto grey = std::make_unique<TBitmap>(w, h);
    TCanvas& c = *grey->Canvas();
    c.Brush()->SetColor(clBtnFace);
    c.FillRect(Rect(0, 0, w, h));
    // The white edge first, then the glyph over it.
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (up.PixelAt(x, y) == 0) c.SetPixels(x + 1, y + 1, clWhite);
        }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (up.PixelAt(x, y) == 0) c.SetPixels(x, y, clBtnShadow);
        }
    return grey;
}

// ---- the button

namespace {

// The stay-down pattern of every bitmap button: clBtnFace and white in alternate pixels. Made
// when first needed and kept while bitmap buttons exist.
int& LiveButtons() {
    static int count = 0;
    return count;
}

std::unique_ptr<TBitmap>& SharedPattern() {
    static std::unique_ptr<TBitmap> pattern;
    return pattern;
}

const TBitmap& DownPattern() {
    std::unique_ptr<TBitmap>& pattern = SharedPattern();
    if (!pattern) {
        pattern = std::make_unique<TBitmap>(8, 8);
        TCanvas& c = *pattern->Canvas();
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) c.SetPixels(x, y, (x + y) % 2 == 0 ? clWhite : clBtnFace);
    }
    return *pattern;
}

}  // namespace

TRzBmpButton::TRzBmpButton(TComponent* owner)
    : TCustomControl(owner),
      bitmaps_(std::make_unique<TRzButtonBitmaps>()),
      face_(std::make_unique<TBitmap>()) {
    ++LiveButtons();
    bitmaps_->OnChange = [this](TObject*) {
        FitSize();
        Invalidate();
    };
    SetControlStyle(TControlStyle{csCaptureMouse, csOpaque, csDoubleClicks});
    SetBounds(Left(), Top(), 80, 30);
    SetParentFont(true);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clBtnFace);
}

TRzBmpButton::~TRzBmpButton() {
    if (--LiveButtons() == 0) SharedPattern().reset();
}

// ---- settings

void TRzBmpButton::SetAllowAllUp(bool value) {
    if (allowAllUp_ == value) return;
    allowAllUp_ = value;
    NotifyGroup();
}

void TRzBmpButton::SetBitmaps(TRzButtonBitmaps* value) {
    if (value != nullptr) bitmaps_->Assign(value);
}

void TRzBmpButton::SetButtonBorder(TButtonBorder value) {
    if (buttonBorder_ == value) return;
    buttonBorder_ = value;
    FitSize();
    Invalidate();
}

void TRzBmpButton::SetButtonSize(TBtnSize value) {
    if (buttonSize_ == value) return;
    buttonSize_ = value;
    FitSize();
    Invalidate();
}

void TRzBmpButton::SetButtonStyle(TButtonStyle value) {
    if (buttonStyle_ == value) return;
    buttonStyle_ = value;
    FitSize();
    Invalidate();
}

void TRzBmpButton::SetCaptionDownOffset(int value) {
    if (captionDownOffset_ == value) return;
    captionDownOffset_ = value;
    Invalidate();
}

void TRzBmpButton::SetLayout(TButtonLayout value) {
    if (layout_ == value) return;
    layout_ = value;
    Invalidate();
}

void TRzBmpButton::SetMargin(int value) {
    if (value < -1 || margin_ == value) return;
    margin_ = value;
    Invalidate();
}

void TRzBmpButton::SetShowDownPattern(bool value) {
    if (showDownPattern_ == value) return;
    showDownPattern_ = value;
    Invalidate();
}

void TRzBmpButton::SetShowFocus(bool value) {
    if (showFocus_ == value) return;
    showFocus_ = value;
    Invalidate();
}

void TRzBmpButton::SetSpacing(int value) {
    if (spacing_ == value) return;
    spacing_ = value;
    Invalidate();
}

bool TRzBmpButton::NewStyle() const {
    return buttonStyle_ == bsNew || (buttonStyle_ == bsAutoDetect && NewStyleControls());
}

int TRzBmpButton::BorderWidth() const {
    switch (buttonBorder_) {
        case bbSingle: return 1;
        case bbButton: return NewStyle() ? 2 : 3;
        default: return 0;
    }
}

void TRzBmpButton::FitSize() {
    if (ComponentState().Contains(csLoading) || buttonSize_ == bszNeither ||
        bitmaps_->Up()->Empty()) {
        return;
    }
    if (buttonSize_ == bszButtonToBitmap) {
        const int b = BorderWidth();
        SetBounds(Left(), Top(), bitmaps_->Up()->Width() + 2 * b, bitmaps_->Up()->Height() + 2 * b);
    }
    Invalidate();
}

void TRzBmpButton::Loaded() {
    TCustomControl::Loaded();
    FitSize();
}

// ---- group

void TRzBmpButton::SetDown(bool value) {
    if (groupIndex_ == 0) value = false;
    if (value == down_) return;
    if (down_ && !allowAllUp_) return;
    down_ = value;
    state_ = value ? bsExclusive : bsUp;
    Invalidate();
    if (value) NotifyGroup();
}

void TRzBmpButton::SetGroupIndex(int value) {
    if (groupIndex_ == value) return;
    groupIndex_ = value;
    NotifyGroup();
}

void TRzBmpButton::NotifyGroup() {
    if (groupIndex_ == 0 || Parent() == nullptr) {
        SetState(bsUp);
        return;
    }
    TMessage message = MakeGroupNoticeMessage(kRzBmpButtonPressed, groupIndex_, this);
    TWinControl* parent = Parent();
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* sibling = parent->Controls(i);
        if (sibling == this) continue;
        message.Result = 0;
        sibling->PerformMessage(message);
    }
}

void TRzBmpButton::SetState(TButtonState value) {
    if (state_ == value) return;
    state_ = value;
    Invalidate();
}

// ---- clicks

void TRzBmpButton::Click() {
    if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(modalResult_);
    TCustomControl::Click();
}

void TRzBmpButton::DblClick() {
    if (down_) TCustomControl::DblClick();
}

void TRzBmpButton::EndTracking(bool inside) {
    dragging_ = false;
    if (groupIndex_ == 0 || Parent() == nullptr) {
        SetState(bsUp);
    } else {
        NotifyGroup();
    }
    if (inside) {
        if (groupIndex_ != 0) {
            SetDown(!down_);
        } else {
            Invalidate();
        }
        Click();
        return;
    }
    if (groupIndex_ != 0 && down_) SetState(bsExclusive);
    Invalidate();
}

// ---- painting

const TBitmap* TRzBmpButton::ChoosePicture(std::unique_ptr<TBitmap>& grey) const {
    const TRzButtonBitmaps& b = *bitmaps_;
    const bool hasUp = !b.Up()->Empty();
    switch (state_) {
        case bsDisabled:
            if (!b.Disabled()->Empty()) return b.Disabled();
            if (!hasUp) return nullptr;
            grey = MakeDisabledCopy(*b.Up());
            return grey.get();
        case bsUp:
            if (!hasUp) return nullptr;
            if (mouseOverButton_ && !b.Hot()->Empty()) return b.Hot();
            if (isFocused_ && showFocus_ && !b.UpAndFocused()->Empty()) return b.UpAndFocused();
            return b.Up();
        case bsDown:
            if (!hasUp) return nullptr;
            return b.Down()->Empty() ? b.Up() : b.Down();
        case bsExclusive:
            if (!hasUp) return nullptr;
            if (!b.StayDown()->Empty()) return b.StayDown();
            return b.Down()->Empty() ? b.Up() : b.Down();
    }
    return nullptr;
}

void TRzBmpButton::Paint() {
    const bool designing = ComponentState().Contains(csDesigning);
    if (!Enabled() && !designing) {
        state_ = bsDisabled;
        dragging_ = false;
    } else if (state_ == bsDisabled) {
        state_ = down_ ? bsExclusive : bsUp;
    }
    const int w = Width();
    const int h = Height();
    if (w <= 0 || h <= 0) return;
    if (face_->Width() != w || face_->Height() != h) face_->SetSize(w, h);
    TCanvas& c = *face_->Canvas();
    const TRect client = Rect(0, 0, w, h);
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(Color());
    const bool pressed = state_ == bsDown || state_ == bsExclusive;

    // Background and border.
    TRect work = client;
    switch (buttonBorder_) {
        case bbNone:
            // The parent shows around the picture.
            c.FillRect(client);
            PaintParentBackground(*this, c, false);
            break;
        case bbSingle:
            c.FillRect(client);
            c.Brush()->SetColor(clBlack);
            c.FrameRect(client);
            work = InflateRect(client, -1, -1);
            break;
        case bbButton: {
            TRect face = client;
            DrawButtonFace(c, face, pressed, isFocused_ && showFocus_);
            work = InflateRect(face, -1, -1);
            break;
        }
    }
    // The stay-down fill of a bordered button.
    if (state_ == bsExclusive && buttonBorder_ != bbNone) {
        TRect fill = work;
        const int in = NewStyle() ? 1 : 2;
        const int out = NewStyle() ? 1 : 2;
        fill.Right -= in;
        fill.Bottom -= in;
        fill = InflateRect(fill, out, out);
        if (showDownPattern_) {
            const TBitmap& pattern = DownPattern();
            for (int y = fill.Top; y < fill.Bottom; ++y)
                for (int x = fill.Left; x < fill.Right; ++x) {
                    c.SetPixels(x, y, static_cast<TColor>(pattern.PixelAt(x & 7, y & 7)));
                }
        } else {
            c.Brush()->SetColor(Color());
            c.FillRect(fill);
        }
    }

    std::unique_ptr<TBitmap> grey;
    const TBitmap* picture = ChoosePicture(grey);

    // Layout of the picture (at its own size only) and the caption in the working rectangle.
    const int ww = work.Width();
    const int wh = work.Height();
    const bool ownSize = buttonSize_ == bszNeither && picture != nullptr;
    const int gw = ownSize ? picture->Width() : 0;
    const int gh = ownSize ? picture->Height() : 0;
    const std::string caption = Caption();
    c.SetFont(Font());
    int tw = 0;
    int th = 0;
    if (!caption.empty()) {
        TRect measured = Rect(0, 0, ww, 0);
        c.DrawText(caption, measured, DT_CALCRECT | DT_SINGLELINE);
        tw = measured.Width();
        th = measured.Height();
    }
    const bool vertical = layout_ == blGlyphTop || layout_ == blGlyphBottom;
    TPoint glyph;
    TPoint text;
    if (vertical) {
        glyph.X = ww / 2 - gw / 2;
        text.X = ww / 2 - tw / 2;
    } else {
        glyph.Y = wh / 2 - gh / 2;
        text.Y = wh / 2 - th / 2;
    }
    int s = spacing_;
    int m = margin_;
    if (tw == 0 || gw == 0) s = 0;
    const int length = vertical ? wh : ww;
    const int g = vertical ? gh : gw;
    const int t = vertical ? th : tw;
    if (m == -1 && s == -1) {
        m = s = (length - (g + t)) / 3;
    } else if (m == -1) {
        m = length / 2 - (g + s + t) / 2;
    } else if (s == -1) {
        s = (length - m - g) / 2 - t / 2;
    }
    switch (layout_) {
        case blGlyphLeft:
            glyph.X = m;
            text.X = m + gw + s;
            break;
        case blGlyphRight:
            glyph.X = ww - m - gw;
            text.X = glyph.X - s - tw;
            break;
        case blGlyphTop:
            glyph.Y = m;
            text.Y = m + gh + s;
            break;
        case blGlyphBottom:
            glyph.Y = wh - m - gh;
            text.Y = glyph.Y - s - th;
            break;
    }
    const TRect glyphRect = Bounds(work.Left + glyph.X, work.Top + glyph.Y, gw, gh);
    TRect textRect = Bounds(work.Left + text.X, work.Top + text.Y, tw, th);

    // The picture, with its transparent colour left out.
    if (picture != nullptr) {
        const TColor key = bitmaps_->TransparentColor();
        const TRect whole = Rect(0, 0, picture->Width(), picture->Height());
        switch (buttonSize_) {
            case bszNeither: DrawBitmapTransparentPart(c, *picture, glyphRect, key, whole); break;
            case bszButtonToBitmap:
                StretchBitmapTransparentPart(c, *picture, work, key, whole);
                break;
            case bszStretchToButton: StretchBitmapTransparent(c, *picture, work, key); break;
            case bszTileToButton: TileBitmapTransparent(c, *picture, work, key); break;
        }
    }

    // The caption.
    if (!caption.empty()) {
        c.Brush()->SetStyle(bsClear);
        const unsigned flags = DT_SINGLELINE | DT_CENTER | DT_VCENTER;
        if (state_ == bsDisabled) {
            TRect shadow = OffsetRect(textRect, 1, 1);
            c.Font()->SetColor(clWhite);
            c.DrawText(caption, shadow, flags);
            c.Font()->SetColor(clGray);
            c.DrawText(caption, textRect, flags);
        } else {
            if (pressed) textRect = OffsetRect(textRect, captionDownOffset_, captionDownOffset_);
            c.Font()->SetColor(Font()->Color());
            c.DrawText(caption, textRect, flags);
        }
        c.Brush()->SetStyle(bsSolid);
        if (isFocused_ && showFocus_) {
            c.Brush()->SetColor(clBtnFace);
            c.DrawFocusRect(InflateRect(textRect, 2, 2));
        }
    }
    Canvas()->BitBlt(0, 0, w, h, &c, 0, 0, SRCCOPY);
}

// ---- messages

void TRzBmpButton::Dispatch(TMessage& message) {
    switch (message.Msg) {
        case WM_ERASEBKGND: message.Result = 1; return;
        case kRzBmpButtonPressed: {
            const TGroupNotice notice = GroupNoticeOf(message);
            auto* sender = dynamic_cast<TRzBmpButton*>(notice.sender);
            if (sender == nullptr || sender == this || notice.groupIndex != groupIndex_) return;
            if (sender->Down() && down_) {
                down_ = false;
                SetState(bsUp);
                Invalidate();
            }
            allowAllUp_ = sender->AllowAllUp();
            return;
        }
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            if (Enabled() && Visible() && !Focused() && CanFocus()) SetFocus();
            TCustomControl::Dispatch(message);
            const bool left = message.Msg == WM_LBUTTONDOWN || message.Msg == WM_LBUTTONDBLCLK;
            if (left && Enabled() && Focused()) {
                if (!down_) SetState(bsDown);
                dragging_ = true;
            }
            return;
        }
        case WM_MOUSEMOVE:
            TCustomControl::Dispatch(message);
            if (dragging_) {
                const bool inside = PtInRect(ClientRect(), MouseParamsOf(message).pos);
                SetState(down_ ? bsExclusive : inside ? bsDown : bsUp);
            }
            return;
        case WM_LBUTTONUP: {
            // The release ends the capture first: the tracking ends here, not at its notice.
            const bool tracking = dragging_ && !spaceTracking_;
            if (tracking) dragging_ = false;
            TCustomControl::Dispatch(message);
            if (tracking) EndTracking(PtInRect(ClientRect(), MouseParamsOf(message).pos));
            return;
        }
        case WM_CAPTURECHANGED:
            TCustomControl::Dispatch(message);
            if (dragging_ && !spaceTracking_ && !MouseCapture()) {
                dragging_ = false;
                SetState(down_ ? bsExclusive : bsUp);
            }
            return;
        case WM_KEYDOWN: {
            const unsigned key = KeyParamsOf(message).key;
            if (key == VK_RETURN) {
                Click();
                return;
            }
            if (key == VK_SPACE && Enabled() && !spaceTracking_) {
                if (!down_) SetState(bsDown);
                dragging_ = true;
                spaceTracking_ = true;
                return;
            }
            TCustomControl::Dispatch(message);
            return;
        }
        case WM_KEYUP:
            if (KeyParamsOf(message).key == VK_SPACE && spaceTracking_) {
                spaceTracking_ = false;
                dragging_ = false;
                if (groupIndex_ != 0) {
                    SetDown(!down_);
                    SetState(down_ ? bsExclusive : bsUp);
                } else {
                    SetState(bsUp);
                }
                Invalidate();
                Click();
                return;
            }
            TCustomControl::Dispatch(message);
            return;
        case CM_DIALOGCHAR:
            if (Enabled() && IsAccelerator(CharOf(message), Caption())) {
                Click();
                message.Result = 1;
                return;
            }
            TCustomControl::Dispatch(message);
            return;
        case CM_MOUSEENTER:
        case CM_MOUSELEAVE:
            TCustomControl::Dispatch(message);
            if (MouseChildOf(message) != nullptr) return;
            if (message.Msg == CM_MOUSEENTER && ComponentState().Contains(csDesigning)) return;
            mouseOverButton_ = message.Msg == CM_MOUSEENTER;
            // Only a Hot picture changes with the pointer.
            if (!bitmaps_->Hot()->Empty()) Invalidate();
            return;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            isFocused_ = message.Msg == WM_SETFOCUS;
            TCustomControl::Dispatch(message);
            Invalidate();
            return;
        case CM_ENABLEDCHANGED:
        case CM_FONTCHANGED:
        case CM_TEXTCHANGED:
        case CM_SYSCOLORCHANGE:
            TCustomControl::Dispatch(message);
            Invalidate();
            return;
        case WM_SIZE:
            TCustomControl::Dispatch(message);
            Invalidate();
            return;
        default: TCustomControl::Dispatch(message); return;
    }
}

}  // namespace dsp
