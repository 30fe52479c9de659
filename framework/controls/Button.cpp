#include "framework/controls/Button.h"

#include "framework/controls/ClassicDraw.h"
#include "framework/controls/Form.h"
#include "framework/controls/KeyMap.h"
#include "framework/controls/MessageParams.h"
#include "framework/controls/StdControlSupport.h"
#include "framework/graphics/Canvas.h"

namespace dsp {

// ---- TButtonControl

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) {
    // The click comes from the button's own tracking (and Space), not from the framework's
    // press-and-release rule.
    TControlStyle style = ControlStyle() + TControlStyle{csSetCaption, csCaptureMouse};
    style.Exclude(csClickEvents);
    SetControlStyle(style);
    SetTabStop(true);
}

TButtonControl::~TButtonControl() = default;

void TButtonControl::SetWordWrap(bool value) {
    if (wordWrap_ == value) return;
    wordWrap_ = value;
    Invalidate();
}

void TButtonControl::SetPressed(bool value) {
    if (pressed_ == value) return;
    pressed_ = value;
    Invalidate();
}

void TButtonControl::Dispatch(TMessage& message) {
    switch (message.Msg) {
        case CM_TEXTCHANGED: Invalidate(); return;
        default: TWinControl::Dispatch(message); return;
    }
}

void TButtonControl::DefaultHandler(TMessage& message) {
    switch (message.Msg) {
        case WM_PAINT:
            if (TCanvas* dc = MessageCanvas(message)) PaintWindow(*dc);
            return;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (CanFocus() && !Focused()) SetFocus();
            tracking_ = true;
            SetPressed(true);
            return;
        case WM_MOUSEMOVE:
            if (tracking_) SetPressed(PtInRect(ClientRect(), MouseParamsOf(message).pos));
            return;
        case WM_LBUTTONUP:
            if (tracking_) {
                tracking_ = false;
                const bool inside = PtInRect(ClientRect(), MouseParamsOf(message).pos);
                SetPressed(false);
                if (inside) UserClick();
            }
            return;
        case WM_CAPTURECHANGED:
            if (tracking_ && !MouseCapture()) {
                tracking_ = false;
                SetPressed(false);
            }
            return;
        case WM_KEYDOWN:
            if (KeyParamsOf(message).key == VK_SPACE) {
                spaceDown_ = true;
                SetPressed(true);
            }
            return;
        case WM_KEYUP:
            if (KeyParamsOf(message).key == VK_SPACE && spaceDown_) {
                spaceDown_ = false;
                SetPressed(false);
                UserClick();
            }
            return;
        case WM_SETFOCUS: Invalidate(); return;
        case WM_KILLFOCUS:
            spaceDown_ = false;
            if (!tracking_) SetPressed(false);
            Invalidate();
            return;
        default: TWinControl::DefaultHandler(message); return;
    }
}

// ---- TButton

TButton::TButton(TComponent* owner) : TButtonControl(owner) {
    SetBounds(0, 0, 75, 25);
    SetParentColor(false);
    SetColor(clBtnFace);
}

TButton::~TButton() = default;

void TButton::SetDefault(bool value) {
    if (default_ == value) return;
    default_ = value;
    UpdateActive(FocusedWindow());
}

void TButton::UpdateActive(const TWinControl* focused) {
    const bool active =
        focused == this || (default_ && dynamic_cast<const TButton*>(focused) == nullptr);
    if (active == active_) return;
    active_ = active;
    Invalidate();
}

void TButton::Click() {
    if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(modalResult_);
    TButtonControl::Click();
}

void TButton::Dispatch(TMessage& message) {
    switch (message.Msg) {
        case CM_DIALOGKEY: {
            const auto key = static_cast<int>(KeyParamsOf(message).key);
            const bool plain = KeyParamsOf(message).Shift().Empty();
            if (((key == VK_RETURN && active_) || (key == VK_ESCAPE && cancel_)) && plain &&
                CanFocus()) {
                Click();
                message.Result = 1;
                return;
            }
            TButtonControl::Dispatch(message);
            return;
        }
        case CM_DIALOGCHAR:
            if (IsAccelerator(CharOf(message), Caption()) && CanFocus()) {
                Click();
                message.Result = 1;
            }
            return;
        case CM_FOCUSCHANGED: UpdateActive(FocusedControlOf(message)); return;
        default: TButtonControl::Dispatch(message); return;
    }
}

void TButton::PaintWindow(TCanvas& canvas) {
    TRect r = ClientRect();
    const bool focused = Focused();
    DrawButtonFace(canvas, r, Pressed(), (active_ || focused) && Enabled());
    canvas.SetFont(Font());
    TRect content = InflateRect(ClientRect(), -4, -4);
    if (Pressed()) content = OffsetRect(content, 1, 1);
    PaintContent(canvas, content);
    if (focused) canvas.DrawFocusRect(InflateRect(ClientRect(), -4, -4));
}

void TButton::PaintContent(TCanvas& canvas, const TRect& content) {
    const unsigned flags = DT_CENTER | (WordWrap() ? DT_WORDBREAK : DT_SINGLELINE | DT_VCENTER);
    TRect text = content;
    if (WordWrap()) {
        TRect measured = text;
        canvas.DrawText(Caption(), measured, flags | DT_CALCRECT);
        const int dy = (text.Height() - measured.Height()) / 2;
        text.Top += dy;
    }
    canvas.Font()->SetColor(Font()->Color());
    DrawCaptionText(canvas, Caption(), text, flags, Enabled());
}

// ---- TCustomCheckBox

TCustomCheckBox::TCustomCheckBox(TComponent* owner) : TButtonControl(owner) {
    SetBounds(0, 0, 97, 17);
}

TCustomCheckBox::~TCustomCheckBox() = default;

void TCustomCheckBox::SetAlignment(TAlignment value) {
    if (alignment_ == value) return;
    alignment_ = value;
    Invalidate();
}

void TCustomCheckBox::SetState(TCheckBoxState value) {
    if (state_ == value) return;
    state_ = value;
    Invalidate();
    if (!ClicksDisabled()) Click();
}

void TCustomCheckBox::Toggle() {
    switch (state_) {
        case cbUnchecked: SetState(allowGrayed_ ? cbGrayed : cbChecked); break;
        case cbChecked: SetState(cbUnchecked); break;
        case cbGrayed: SetState(cbChecked); break;
    }
}

int TCustomCheckBox::GlyphSize() const { return kCheckBoxSize; }

void TCustomCheckBox::DrawGlyph(TCanvas& canvas, int x, int y) {
    const TCheckGlyphState glyph = state_ == cbChecked  ? TCheckGlyphState::Checked
                                   : state_ == cbGrayed ? TCheckGlyphState::Grayed
                                                        : TCheckGlyphState::Unchecked;
    DrawCheckGlyph(canvas, x, y, glyph, Enabled(), Pressed());
}

void TCustomCheckBox::PaintWindow(TCanvas& canvas) {
    const TRect client = ClientRect();
    const int size = GlyphSize();
    const bool glyphLeft = alignment_ == taRightJustify;
    const int glyphX = glyphLeft ? 0 : client.Right - size;
    DrawGlyph(canvas, glyphX, (client.Height() - size) / 2);

    canvas.SetFont(Font());
    const unsigned flags = DT_LEFT | (WordWrap() ? DT_WORDBREAK : DT_SINGLELINE);
    TRect text = glyphLeft ? Rect(size + 4, 0, client.Right, client.Bottom)
                           : Rect(0, 0, client.Right - size - 4, client.Bottom);
    TRect measured = text;
    canvas.DrawText(Caption().empty() ? std::string(" ") : Caption(), measured,
                    flags | DT_CALCRECT);
    const int dy = (text.Height() - measured.Height()) / 2;
    text.Top += dy;
    measured = OffsetRect(measured, 0, dy);
    canvas.Font()->SetColor(Font()->Color());
    DrawCaptionText(canvas, Caption(), text, flags, Enabled());
    if (Focused()) {
        measured = InflateRect(measured, 1, 1);
        measured.Right = std::min(measured.Right, client.Right);
        canvas.DrawFocusRect(measured);
    }
}

void TCustomCheckBox::Dispatch(TMessage& message) {
    switch (message.Msg) {
        case CM_DIALOGCHAR:
            if (IsAccelerator(CharOf(message), Caption()) && CanFocus()) {
                SetFocus();
                if (Focused()) Toggle();
                message.Result = 1;
            }
            return;
        default: TButtonControl::Dispatch(message); return;
    }
}

// ---- TRadioButton

TRadioButton::TRadioButton(TComponent* owner) : TCustomCheckBox(owner) {
    SetBounds(0, 0, 113, 17);
    SetTabStop(false);
}

TRadioButton::~TRadioButton() = default;

void TRadioButton::SetChecked(bool value) {
    if (checked_ == value) return;
    checked_ = value;
    // Only the checked button of a group is a tab stop; the arrows move within the group.
    SetTabStop(value);
    Invalidate();
    if (!value) return;
    if (TWinControl* parent = Parent()) {
        for (int i = 0; i < parent->ControlCount(); ++i) {
            auto* sibling = dynamic_cast<TRadioButton*>(parent->Controls(i));
            if (sibling != nullptr && sibling != this) sibling->SetChecked(false);
        }
    }
    if (!ClicksDisabled()) Click();
}

int TRadioButton::GlyphSize() const { return kRadioSize; }

void TRadioButton::DrawGlyph(TCanvas& canvas, int x, int y) {
    DrawRadioGlyph(canvas, x, y, checked_, Enabled(), Pressed());
}

void TRadioButton::Dispatch(TMessage& message) {
    if (message.Msg == CM_ENTER) {
        // Moving into a group with the arrow keys checks the button, as the platform does: the
        // button is entered first (OnEnter), then clicked (OnClick), unless OnEnter sent the
        // focus on.
        const bool byArrow = GetKeyState(VK_UP) < 0 || GetKeyState(VK_DOWN) < 0 ||
                             GetKeyState(VK_LEFT) < 0 || GetKeyState(VK_RIGHT) < 0;
        TCustomCheckBox::Dispatch(message);
        if (byArrow && !ControlState().Contains(csLButtonDown) && Focused()) SetChecked(true);
        return;
    }
    TCustomCheckBox::Dispatch(message);
}

}  // namespace dsp
