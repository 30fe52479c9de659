#include "widgets/panels/VrButtons.h"

#include "framework/controls/KeyMap.h"
#include "framework/controls/MessageParams.h"
#include "framework/controls/StdControlSupport.h"

namespace dsp {

// ---- LED power button

TVrPowerButton::TVrPowerButton(TComponent* owner)
    : TVrCustomImageControl(owner), palette_(std::make_unique<TVrPalette>()) {
    palette_->OnChange = [this](TObject*) { UpdateControlCanvas(); };
    SetControlStyle(ControlStyle() + TControlStyle{csCaptureMouse, csClickEvents, csSetCaption,
                                                   csOpaque, csReplicatable});
    SetBounds(Left(), Top(), 125, 25);
    SetParentColor(false);
    SetColor(clBtnFace);
    SetTabStop(false);
    UpdateLayout();
}

TVrPowerButton::~TVrPowerButton() = default;

void TVrPowerButton::SetActive(bool value) {
    if (active_ == value) return;
    active_ = value;
    UpdateControlCanvas();
}

void TVrPowerButton::SetBevelWidth(int value) {
    value = std::clamp(value, 0, 255);
    if (bevelWidth_ == value) return;
    bevelWidth_ = value;
    UpdateLayout();
}

void TVrPowerButton::SetFocusColor(TColor value) {
    if (focusColor_ == value) return;
    focusColor_ = value;
    UpdateControlCanvas();
}

void TVrPowerButton::SetHighlightColor(TColor value) {
    if (highlightColor_ == value) return;
    highlightColor_ = value;
    UpdateControlCanvas();
}

void TVrPowerButton::SetLayout(TVrImageTextLayout value) {
    if (layout_ == value) return;
    layout_ = value;
    UpdateLayout();
}

void TVrPowerButton::SetLedHeight(int value) {
    if (ledHeight_ == value) return;
    ledHeight_ = value;
    UpdateLayout();
}

void TVrPowerButton::SetLedWidth(int value) {
    if (ledWidth_ == value) return;
    ledWidth_ = value;
    UpdateLayout();
}

void TVrPowerButton::SetMargin(int value) {
    if (margin_ == value) return;
    margin_ = value;
    UpdateLayout();
}

void TVrPowerButton::SetOutlineColor(TColor value) {
    if (outlineColor_ == value) return;
    outlineColor_ = value;
    UpdateControlCanvas();
}

void TVrPowerButton::SetOutlineWidth(int value) {
    value = std::clamp(value, 0, 255);
    if (outlineWidth_ == value) return;
    outlineWidth_ = value;
    UpdateLayout();
}

void TVrPowerButton::SetPalette(TVrPalette* value) {
    if (value != nullptr) palette_->Assign(value);
}

void TVrPowerButton::SetShadowColor(TColor value) {
    if (shadowColor_ == value) return;
    shadowColor_ = value;
    UpdateControlCanvas();
}

void TVrPowerButton::SetSpacing(int value) {
    if (spacing_ == value) return;
    spacing_ = value;
    UpdateLayout();
}

void TVrPowerButton::UpdateLayout() {
    CalcLayout();
    UpdateControlCanvas();
}

void TVrPowerButton::CalcLayout() {
    TCanvas measure;
    measure.SetFont(Font());
    const int inset = bevelWidth_ + outlineWidth_;
    const TRect r = InflateRect(Rect(0, 0, Width(), Height()), -inset, -inset);
    const TImageTextPlaces places = LayoutImageAndText(measure, r, {ledWidth_, ledHeight_},
                                                       Caption(), spacing_, margin_, layout_);
    imageRect_ = places.image;
    textBounds_ = places.text;
}

void TVrPowerButton::PaintImage() {
    // The size may have changed without a message (a control without a window yet).
    CalcLayout();
    TCanvas& c = BitmapCanvas();
    const TRect client = Rect(0, 0, Width(), Height());
    TRect r = client;
    const TColor outline = focused_ ? focusColor_ : outlineColor_;
    DrawFrameRings(c, r, outline, outline, outlineWidth_);
    if (pressed_) {
        r = client;
        DrawFrameRings(c, r, outlineColor_, highlightColor_, outlineWidth_);
        DrawFrameRings(c, r, shadowColor_, outlineColor_, bevelWidth_);
    } else {
        DrawFrameRings(c, r, highlightColor_, shadowColor_, bevelWidth_);
    }
    // The LED: a sunken ring, a black ring and the lamp.
    TRect led = imageRect_;
    DrawFrameRings(c, led, shadowColor_, highlightColor_, 1);
    DrawFrameRings(c, led, clBlack, clBlack, 1);
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(!Enabled() ? Color() : active_ ? palette_->High() : palette_->Low());
    c.FillRect(led);
    // The caption.
    c.SetFont(Font());
    c.Brush()->SetStyle(bsClear);
    const std::string caption = Caption();
    if (Enabled()) {
        TRect place = textBounds_;
        c.DrawText(caption, place, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    } else {
        TRect moved = OffsetRect(textBounds_, 1, 1);
        c.Font()->SetColor(clBtnHighlight);
        c.DrawText(caption, moved, DT_SINGLELINE);
        TRect place = textBounds_;
        c.Font()->SetColor(clBtnShadow);
        c.DrawText(caption, place, DT_SINGLELINE);
    }
    c.Brush()->SetStyle(bsSolid);
}

void TVrPowerButton::SetPressed(bool value) {
    if (pressed_ == value) return;
    pressed_ = value;
    UpdateControlCanvas();
}

void TVrPowerButton::Toggle() {
    SetActive(!active_);
    if (OnClick) OnClick(this);
}

void TVrPowerButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        down_ = true;
        pressed_ = true;
        UpdateControlCanvas();
        if (TabStop() && CanFocus()) SetFocus();
    }
    TVrCustomImageControl::MouseDown(button, shift, x, y);
}

void TVrPowerButton::MouseMove(TShiftState shift, int x, int y) {
    // While held, the press follows the pointer in and out of the button.
    if (down_) SetPressed(PtInRect(Rect(0, 0, Width(), Height()), {x, y}));
    TVrCustomImageControl::MouseMove(shift, x, y);
}

void TVrPowerButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    down_ = false;
    if (!pressed_) {
        TVrCustomImageControl::MouseUp(button, shift, x, y);
        return;
    }
    pressed_ = false;
    SetActive(!active_);
    TVrCustomImageControl::MouseUp(button, shift, x, y);
    if (OnClick) OnClick(this);
}

void TVrPowerButton::KeyDown(TKeyCode& key, TShiftState shift) {
    if (key == VK_SPACE) SetPressed(true);
    TVrCustomImageControl::KeyDown(key, shift);
}

void TVrPowerButton::KeyUp(TKeyCode& key, TShiftState shift) {
    if (key == VK_SPACE && pressed_) {
        SetMouseCapture(false);
        pressed_ = false;
        Toggle();
    }
    TVrCustomImageControl::KeyUp(key, shift);
}

void TVrPowerButton::Dispatch(TMessage& message) {
    switch (message.Msg) {
        case CM_MOUSEENTER:
        case CM_MOUSELEAVE:
            TVrCustomImageControl::Dispatch(message);
            if (MouseChildOf(message) != nullptr) return;
            if (down_) pressed_ = message.Msg == CM_MOUSEENTER;
            UpdateControlCanvas();
            return;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            focused_ = message.Msg == WM_SETFOCUS;
            TVrCustomImageControl::Dispatch(message);
            UpdateControlCanvas();
            return;
        case CM_ENABLEDCHANGED:
            TVrCustomImageControl::Dispatch(message);
            UpdateControlCanvas();
            return;
        case CM_TEXTCHANGED:
        case CM_FONTCHANGED:
        case WM_SIZE:
            TVrCustomImageControl::Dispatch(message);
            UpdateLayout();
            return;
        case CM_DIALOGCHAR:
            if (Enabled() && IsAccelerator(CharOf(message), Caption())) {
                if (OnClick) OnClick(this);
                message.Result = 1;
                return;
            }
            TVrCustomImageControl::Dispatch(message);
            return;
        default: TVrCustomImageControl::Dispatch(message); return;
    }
}

// ---- demo button

namespace {

unsigned AlignmentFormat(TVrTextAlignment alignment) {
    switch (alignment) {
        case vtaLeft: return DT_LEFT | DT_VCENTER;
        case vtaCenter: return DT_CENTER | DT_VCENTER;
        case vtaRight: return DT_RIGHT | DT_VCENTER;
        case vtaTopLeft: return DT_LEFT | DT_TOP;
        case vtaTop: return DT_CENTER | DT_TOP;
        case vtaTopRight: return DT_RIGHT | DT_TOP;
        case vtaBottomLeft: return DT_LEFT | DT_BOTTOM;
        case vtaBottom: return DT_CENTER | DT_BOTTOM;
        case vtaBottomRight: return DT_RIGHT | DT_BOTTOM;
    }
    return DT_CENTER | DT_VCENTER;
}

std::unique_ptr<TFont> DemoFont(TColor color) {
    auto font = std::make_unique<TFont>();
    font->SetName("Arial");
    font->SetSize(12);
    font->SetStyle({fsBold});
    font->SetColor(color);
    return font;
}

}  // namespace

TVrDemoButton::TVrDemoButton(TComponent* owner)
    : TVrCustomImageControl(owner),
      bitmap_(std::make_unique<TBitmap>()),
      fontEnter_(DemoFont(clRed)),
      fontLeave_(DemoFont(clBlack)),
      font3D_(std::make_unique<TVrFont3D>()) {
    auto repaint = [this](TObject*) { UpdateControlCanvas(); };
    bitmap_->OnChange = repaint;
    fontEnter_->OnChange = repaint;
    fontLeave_->OnChange = repaint;
    font3D_->OnChange = repaint;
    TControlStyle style = ControlStyle() + TControlStyle{csOpaque};
    style.Exclude(csDoubleClicks);
    SetControlStyle(style);
    SetBounds(Left(), Top(), 150, 25);
    SetParentColor(false);
    SetColor(clBtnFace);
}

TVrDemoButton::~TVrDemoButton() = default;

void TVrDemoButton::SetBitmap(TBitmap* value) { bitmap_->Assign(value); }

void TVrDemoButton::SetBevelWidth(int value) {
    value = std::clamp(value, 0, 255);
    if (bevelWidth_ == value) return;
    bevelWidth_ = value;
    UpdateControlCanvas();
}

void TVrDemoButton::SetDisabledTextColor(TColor value) {
    if (disabledTextColor_ == value) return;
    disabledTextColor_ = value;
    UpdateControlCanvas();
}

void TVrDemoButton::SetFlat(bool value) {
    if (flat_ == value) return;
    flat_ = value;
    UpdateControlCanvas();
}

void TVrDemoButton::SetFocusColor(TColor value) {
    if (focusColor_ == value) return;
    focusColor_ = value;
    UpdateControlCanvas();
}

void TVrDemoButton::SetFont3D(TVrFont3D* value) {
    if (value != nullptr) font3D_->Assign(value);
}

void TVrDemoButton::SetFontEnter(TFont* value) {
    if (value != nullptr) fontEnter_->Assign(value);
}

void TVrDemoButton::SetFontLeave(TFont* value) {
    if (value != nullptr) fontLeave_->Assign(value);
}

void TVrDemoButton::SetHighlightColor(TColor value) {
    if (highlightColor_ == value) return;
    highlightColor_ = value;
    UpdateControlCanvas();
}

void TVrDemoButton::SetOutlineColor(TColor value) {
    if (outlineColor_ == value) return;
    outlineColor_ = value;
    UpdateControlCanvas();
}

void TVrDemoButton::SetOutlineWidth(int value) {
    value = std::clamp(value, 0, 255);
    if (outlineWidth_ == value) return;
    outlineWidth_ = value;
    UpdateControlCanvas();
}

void TVrDemoButton::SetShadowColor(TColor value) {
    if (shadowColor_ == value) return;
    shadowColor_ = value;
    UpdateControlCanvas();
}

void TVrDemoButton::SetTextAlignment(TVrTextAlignment value) {
    if (textAlignment_ == value) return;
    textAlignment_ = value;
    UpdateControlCanvas();
}

void TVrDemoButton::PaintImage() {
    TCanvas& c = BitmapCanvas();
    const TRect client = Rect(0, 0, Width(), Height());
    const TRect work = down_ ? OffsetRect(client, 1, 1) : client;
    if (!bitmap_->Empty()) {
        for (int y = work.Top; y < work.Bottom; y += bitmap_->Height())
            for (int x = work.Left; x < work.Right; x += bitmap_->Width())
                c.Draw(x, y, bitmap_.get());
    }
    TRect r = client;
    const TColor outline = focused_ ? focusColor_ : outlineColor_;
    DrawFrameRings(c, r, outline, outline, outlineWidth_);
    if (down_) {
        DrawFrameRings(c, r, shadowColor_, highlightColor_, bevelWidth_);
    } else if (!flat_ || hasMouse_) {
        DrawFrameRings(c, r, highlightColor_, shadowColor_, bevelWidth_);
    } else {
        r = InflateRect(r, -bevelWidth_, -bevelWidth_);
    }
    c.SetFont(hasMouse_ && Enabled() ? fontEnter_.get() : fontLeave_.get());
    if (!Enabled()) c.Font()->SetColor(disabledTextColor_);
    c.Brush()->SetStyle(bsClear);
    if (down_) r = OffsetRect(r, 1, 1);
    font3D_->Paint(c, r, AlignmentFormat(textAlignment_) | DT_SINGLELINE, Caption());
    c.Brush()->SetStyle(bsSolid);
}

void TVrDemoButton::SetDownLook(bool value) {
    if (down_ == value) return;
    down_ = value;
    UpdateControlCanvas();
}

void TVrDemoButton::Press() {
    pressed_ = true;
    down_ = true;
    SetMouseCapture(true);
    if (TabStop() && CanFocus()) SetFocus();
    UpdateControlCanvas();
}

void TVrDemoButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft && PtInRect(Rect(0, 0, Width(), Height()), {x, y})) Press();
    TVrCustomImageControl::MouseDown(button, shift, x, y);
}

void TVrDemoButton::MouseMove(TShiftState shift, int x, int y) {
    if (pressed_) SetDownLook(PtInRect(Rect(0, 0, Width(), Height()), {x, y}));
    TVrCustomImageControl::MouseMove(shift, x, y);
}

void TVrDemoButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button != mbLeft) {
        TVrCustomImageControl::MouseUp(button, shift, x, y);
        return;
    }
    SetMouseCapture(false);
    const bool click = pressed_ && down_;
    pressed_ = false;
    if (down_) {
        down_ = false;
        UpdateControlCanvas();
    }
    TVrCustomImageControl::MouseUp(button, shift, x, y);
    if (click && OnClick) OnClick(this);
}

void TVrDemoButton::KeyDown(TKeyCode& key, TShiftState shift) {
    if (key == VK_SPACE && !down_) Press();
    TVrCustomImageControl::KeyDown(key, shift);
}

void TVrDemoButton::KeyUp(TKeyCode& key, TShiftState shift) {
    if (key == VK_SPACE) {
        SetMouseCapture(false);
        const bool click = pressed_ && down_;
        pressed_ = false;
        if (click) {
            down_ = false;
            UpdateControlCanvas();
            if (OnClick) OnClick(this);
        }
    }
    TVrCustomImageControl::KeyUp(key, shift);
}

void TVrDemoButton::Dispatch(TMessage& message) {
    switch (message.Msg) {
        case CM_MOUSEENTER:
        case CM_MOUSELEAVE:
            TVrCustomImageControl::Dispatch(message);
            if (MouseChildOf(message) != nullptr) return;
            hasMouse_ = message.Msg == CM_MOUSEENTER;
            UpdateControlCanvas();
            return;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            focused_ = message.Msg == WM_SETFOCUS;
            TVrCustomImageControl::Dispatch(message);
            UpdateControlCanvas();
            return;
        case CM_ENABLEDCHANGED:
        case CM_TEXTCHANGED:
            TVrCustomImageControl::Dispatch(message);
            UpdateControlCanvas();
            return;
        case CM_DIALOGCHAR:
            if (Enabled() && IsAccelerator(CharOf(message), Caption())) {
                if (OnClick) OnClick(this);
                message.Result = 1;
                return;
            }
            TVrCustomImageControl::Dispatch(message);
            return;
        default: TVrCustomImageControl::Dispatch(message); return;
    }
}

}  // namespace dsp
