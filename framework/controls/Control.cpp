#include "framework/controls/Control.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "framework/controls/ControlErrors.h"
#include "framework/controls/Form.h"
#include "framework/controls/HostInput.h"
#include "framework/controls/InputState.h"
#include "framework/controls/KeyMap.h"
#include "framework/controls/MessageParams.h"
#include "framework/controls/WinControl.h"

namespace dsp {

namespace {

// The anchors an alignment implies.
TAnchors AnchorsForAlign(TAlign align) {
    switch (align) {
        case alTop: return {akLeft, akTop, akRight};
        case alBottom: return {akLeft, akRight, akBottom};
        case alLeft: return {akLeft, akTop, akBottom};
        case alRight: return {akRight, akTop, akBottom};
        case alClient: return {akLeft, akTop, akRight, akBottom};
        default: return {akLeft, akTop};
    }
}

}  // namespace

TShiftState KeysToShiftState(unsigned keys) {
    TShiftState shift;
    if (keys & MK_SHIFT) shift.Include(ssShift);
    if (keys & MK_CONTROL) shift.Include(ssCtrl);
    if (keys & MK_LBUTTON) shift.Include(ssLeft);
    if (keys & MK_RBUTTON) shift.Include(ssRight);
    if (keys & MK_MBUTTON) shift.Include(ssMiddle);
    if (GetKeyState(VK_MENU) < 0) shift.Include(ssAlt);
    return shift;
}

TCustomForm* GetParentForm(const TControl* control) {
    if (control == nullptr) return nullptr;
    while (control->Parent() != nullptr) control = control->Parent();
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(control));
}

TControl::TControl(TComponent* owner) : TComponent(owner), font_(std::make_unique<TFont>()) {
    font_->OnChange = [this](TObject*) { FontChanged(); };
    controlStyle_ = {csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
}

TControl::~TControl() {
    Destroying();
    ForgetControl(this);
    if (parent_ != nullptr) parent_->RemoveControl(this);
    font_->OnChange = nullptr;
}

// ---- parent

void TControl::SetParent(TWinControl* parent) {
    if (parent_ == parent) return;
    if (parent == this) throw EInvalidOperation("A control cannot have itself as its parent");
    if (auto* self = dynamic_cast<TWinControl*>(this);
        self != nullptr && parent != nullptr && self->ContainsControl(parent)) {
        throw EInvalidOperation("A control cannot have one of its children as its parent");
    }
    if (parent_ != nullptr) parent_->RemoveControl(this);
    if (parent != nullptr) parent->InsertControl(this);
}

TCustomForm* TControl::ParentForm() const { return GetParentForm(this); }

// ---- bounds

void TControl::SetBounds(int left, int top, int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    InvalidateControl(visible_, false);
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    UpdateAnchorRules();
    Invalidate();
    Perform(WM_WINDOWPOSCHANGED, 0, 0);
    RequestAlign();
    if (!ComponentState().Contains(csLoading)) Resize();
}

TRect TControl::GetClientRect() const { return Rect(0, 0, width_, height_); }

void TControl::SetClientSize(int width, int height) {
    const TRect client = GetClientRect();
    SetBounds(left_, top_, width_ + width - client.Width(), height_ + height - client.Height());
}

TPoint TControl::ClientOrigin() const {
    if (parent_ == nullptr) return {left_, top_};
    const TPoint origin = parent_->ClientOrigin();
    return {origin.X + left_, origin.Y + top_};
}

TPoint TControl::ClientToScreen(TPoint p) const {
    const TPoint origin = ClientOrigin();
    return {p.X + origin.X, p.Y + origin.Y};
}

TPoint TControl::ScreenToClient(TPoint p) const {
    const TPoint origin = ClientOrigin();
    return {p.X - origin.X, p.Y - origin.Y};
}

TPoint TControl::ClientToParent(TPoint p, const TWinControl* ancestor) const {
    if (ancestor == nullptr) ancestor = parent_;
    const TControl* control = this;
    while (control != ancestor) {
        if (control == nullptr || control->parent_ == nullptr) {
            throw EInvalidOperation("The control is not a child of the given control");
        }
        p = {p.X + control->left_, p.Y + control->top_};
        control = control->parent_;
    }
    return p;
}

TPoint TControl::ParentToClient(TPoint p, const TWinControl* ancestor) const {
    const TPoint zero = ClientToParent({0, 0}, ancestor);
    return {p.X - zero.X, p.Y - zero.Y};
}

void TControl::SetAlign(TAlign value) {
    if (align_ == value) return;
    align_ = value;
    anchors_ = AnchorsForAlign(value);
    RequestAlign();
}

void TControl::SetAnchors(TAnchors value) {
    if (anchors_ == value) return;
    anchors_ = value;
    UpdateAnchorRules();
    RequestAlign();
}

void TControl::UpdateAnchorRules() {
    if (anchorMove_ || ComponentState().Contains(csLoading)) return;
    if (anchors_ == TAnchors{akLeft, akTop}) {
        originalParentSize_ = {0, 0};
        return;
    }
    if (anchors_.Contains(akRight)) {
        anchorRules_.X = anchors_.Contains(akLeft) ? width_ : left_;
    } else {
        anchorRules_.X = left_ + width_ / 2;
    }
    if (anchors_.Contains(akBottom)) {
        anchorRules_.Y = anchors_.Contains(akTop) ? height_ : top_;
    } else {
        anchorRules_.Y = top_ + height_ / 2;
    }
    if (parent_ != nullptr) {
        const TRect client = parent_->ClientRect();
        originalParentSize_ = {client.Right, client.Bottom};
    }
}

void TControl::Loaded() {
    TComponent::Loaded();
    UpdateAnchorRules();
}

void TControl::RequestAlign() {
    if (parent_ != nullptr) parent_->AlignControl(this);
}

void TControl::Resize() {
    if (OnResize) OnResize(this);
}

// ---- state

void TControl::SetVisible(bool value) {
    if (visible_ == value) return;
    VisibleChanging();
    visible_ = value;
    Perform(CM_VISIBLECHANGED, value ? 1 : 0, 0);
    RequestAlign();
}

void TControl::Show() { SetVisible(true); }
void TControl::Hide() { SetVisible(false); }

bool TControl::Showing() const { return visible_ && parent_ != nullptr && parent_->Showing(); }

void TControl::SetEnabled(bool value) {
    if (enabled_ == value) return;
    enabled_ = value;
    Perform(CM_ENABLEDCHANGED);
}

void TControl::SetColor(TColor value) {
    if (color_ == value) return;
    color_ = value;
    parentColor_ = false;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool value) {
    if (parentColor_ == value) return;
    parentColor_ = value;
    if (parent_ != nullptr && !ComponentState().Contains(csReading)) {
        Perform(CM_PARENTCOLORCHANGED);
    }
}

void TControl::SetFont(TFont* value) {
    if (value != nullptr) font_->Assign(value);
}

void TControl::FontChanged() {
    parentFont_ = false;
    Perform(CM_FONTCHANGED);
}

void TControl::SetParentFont(bool value) {
    if (parentFont_ == value) return;
    parentFont_ = value;
    if (parent_ != nullptr && !ComponentState().Contains(csReading)) {
        Perform(CM_PARENTFONTCHANGED);
    }
}

std::string TControl::Text() const {
    std::string text;
    const_cast<TControl*>(this)->Perform(WM_GETTEXT, 0, GetTextParam(text));
    return text;
}

void TControl::SetText(const std::string& value) {
    if (Text() == value) return;
    Perform(WM_SETTEXT, 0, SetTextParam(value));
    Perform(CM_TEXTCHANGED);
}

void TControl::SetShowHint(bool value) {
    if (showHint_ == value) return;
    showHint_ = value;
    parentShowHint_ = false;
    Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool value) {
    if (parentShowHint_ == value) return;
    parentShowHint_ = value;
    if (parent_ != nullptr && !ComponentState().Contains(csReading)) {
        Perform(CM_PARENTSHOWHINTCHANGED);
    }
}

void TControl::SetCursor(TCursor value) {
    if (cursor_ == value) return;
    cursor_ = value;
    Perform(CM_CURSORCHANGED);
}

// ---- painting

void TControl::InvalidateControl(bool isVisible, bool isOpaque) {
    if (!isVisible || parent_ == nullptr) return;
    const TRect r = BoundsRect();
    parent_->InvalidateRect(&r, !(isOpaque || parent_->ControlStyle().Contains(csOpaque)));
}

void TControl::Invalidate() { InvalidateControl(visible_, controlStyle_.Contains(csOpaque)); }

void TControl::Update() {
    if (parent_ != nullptr) parent_->Update();
}

void TControl::Repaint() {
    if (!visible_ || parent_ == nullptr || !parent_->Showing()) return;
    if (controlStyle_.Contains(csOpaque)) {
        // An opaque control covers its area: it and the controls above it are painted over
        // the parent's pixels at once, without the parent painting underneath.
        parent_->PaintControlsNow(this);
    } else {
        Invalidate();
        Update();
    }
}

void TControl::BringToFront() {
    if (parent_ != nullptr) parent_->SetChildZOrder(this, true);
}

void TControl::SendToBack() {
    if (parent_ != nullptr) parent_->SetChildZOrder(this, false);
}

// ---- messages

LRESULT TControl::Perform(unsigned msg, WPARAM wParam, LPARAM lParam) {
    TMessage message{msg, wParam, lParam, 0};
    PerformMessage(message);
    return message.Result;
}

void TControl::PerformMessage(TMessage& message) {
    if (windowProc_) {
        windowProc_(message);
    } else {
        WndProc(message);
    }
}

TWndMethod TControl::WindowProc() const {
    if (windowProc_) return windowProc_;
    auto* self = const_cast<TControl*>(this);
    return [self](TMessage& message) { self->WndProc(message); };
}

void TControl::WndProc(TMessage& message) {
    if (message.Msg >= WM_MOUSEFIRST && message.Msg <= WM_MOUSELAST) {
        // Without double clicks, the second press of a double click is a press.
        if (!controlStyle_.Contains(csDoubleClicks)) {
            switch (message.Msg) {
                case WM_LBUTTONDBLCLK:
                case WM_RBUTTONDBLCLK:
                case WM_MBUTTONDBLCLK: message.Msg -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN; break;
                default: break;
            }
        }
        if (message.Msg == WM_LBUTTONDOWN || message.Msg == WM_LBUTTONDBLCLK) {
            controlState_.Include(csLButtonDown);
        } else if (message.Msg == WM_LBUTTONUP) {
            controlState_.Exclude(csLButtonDown);
        }
    }
    Dispatch(message);
}

void TControl::Dispatch(TMessage& message) {
    switch (message.Msg) {
        case WM_LBUTTONDOWN: HandleMouseButton(message, mbLeft, true, false); return;
        case WM_LBUTTONDBLCLK: HandleMouseButton(message, mbLeft, true, true); return;
        case WM_LBUTTONUP: HandleMouseButton(message, mbLeft, false, false); return;
        case WM_RBUTTONDOWN: HandleMouseButton(message, mbRight, true, false); return;
        case WM_RBUTTONDBLCLK: HandleMouseButton(message, mbRight, true, true); return;
        case WM_RBUTTONUP: HandleMouseButton(message, mbRight, false, false); return;
        case WM_MBUTTONDOWN: HandleMouseButton(message, mbMiddle, true, false); return;
        case WM_MBUTTONDBLCLK: HandleMouseButton(message, mbMiddle, true, true); return;
        case WM_MBUTTONUP: HandleMouseButton(message, mbMiddle, false, false); return;
        case WM_MOUSEMOVE: {
            DefaultHandler(message);
            if (!controlStyle_.Contains(csNoStdEvents)) {
                const TMouseParams mouse = MouseParamsOf(message);
                MouseMove(mouse.Shift(), mouse.pos.X, mouse.pos.Y);
            }
            return;
        }
        case WM_MOUSEWHEEL: MouseWheelHandler(message); return;
        case CM_MOUSEWHEEL: HandleMouseWheel(message); return;
        case WM_CANCELMODE:
        case CM_CANCELMODE:
            // The press in progress ends without a click.
            controlState_.Exclude(csClicked);
            if (MouseCapture()) SetMouseCapture(false);
            return;
        case CM_ENABLEDCHANGED:
        case CM_COLORCHANGED:
        case CM_FONTCHANGED: Invalidate(); return;
        case CM_VISIBLECHANGED:
            InvalidateControl(true, visible_ && controlStyle_.Contains(csOpaque));
            return;
        case CM_PARENTCOLORCHANGED: {
            const std::optional<TColor> handed = ParentColorOf(message);
            if (parentColor_ && (handed || parent_ != nullptr)) {
                SetColor(handed ? *handed : parent_->Color());
                parentColor_ = true;
            }
            return;
        }
        case CM_PARENTFONTCHANGED: {
            TFont* handed = ParentFontOf(message);
            if (parentFont_ && (handed != nullptr || parent_ != nullptr)) {
                SetFont(handed != nullptr ? handed : parent_->Font());
                parentFont_ = true;
            }
            return;
        }
        case CM_PARENTSHOWHINTCHANGED:
            if (parentShowHint_ && parent_ != nullptr) {
                SetShowHint(parent_->ShowHint());
                parentShowHint_ = true;
            }
            return;
        case CM_MOUSEENTER:
        case CM_MOUSELEAVE: {
            // The parent hears of it with the child in LParam; the control's own event only
            // runs for its own entering and leaving.
            if (parent_ != nullptr) {
                parent_->Perform(message.Msg, 0, MouseChildParam(this));
            }
            if (MouseChildOf(message) == nullptr) {
                const TNotifyEvent& event =
                    message.Msg == CM_MOUSEENTER ? OnMouseEnter : OnMouseLeave;
                if (event) event(this);
            }
            return;
        }
        case CM_HITTEST: message.Result = HTCLIENT; return;
        case CM_CURSORCHANGED:
            // A windowed control shows its cursor at once; a windowless one while the mouse
            // is over it.
            if (dynamic_cast<TWinControl*>(this) != nullptr || Input().mouseControl == this) {
                ApplyHostCursor(*this);
            }
            return;
        default: DefaultHandler(message); return;
    }
}

void TControl::DefaultHandler(TMessage& message) {
    switch (message.Msg) {
        case WM_GETTEXT: AnswerGetText(message, text_); return;
        case WM_SETTEXT:
            if (const std::string* in = SetTextOf(message)) {
                text_ = *in;
                message.Result = 1;
            }
            return;
        default: return;
    }
}

// ---- mouse

void TControl::HandleMouseButton(TMessage& message, TMouseButton button, bool down, bool isDouble) {
    const int popups = Input().popupsOpened;
    DefaultHandler(message);
    const TMouseParams mouse = MouseParamsOf(message);
    const TPoint p = mouse.pos;
    TShiftState shift = mouse.Shift();
    if (down) {
        // A press that opened a popup (a dropped list, a menu) gave the pointer to it: the
        // release goes there, so this control neither captures the mouse nor waits for a click.
        if (button == mbLeft && Input().popupsOpened == popups) {
            if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(true);
            if (controlStyle_.Contains(csClickEvents)) {
                if (isDouble) {
                    DblClick();
                } else {
                    controlState_.Include(csClicked);
                }
            }
        }
        if (isDouble) shift.Include(ssDouble);
        if (!controlStyle_.Contains(csNoStdEvents)) MouseDown(button, shift, p.X, p.Y);
        return;
    }
    if (button == mbLeft) {
        if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(false);
        if (controlState_.Contains(csClicked)) {
            controlState_.Exclude(csClicked);
            if (PtInRect(GetClientRect(), p)) Click();
        }
    }
    if (!controlStyle_.Contains(csNoStdEvents)) MouseUp(button, shift, p.X, p.Y);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

bool TControl::MouseCapture() const { return Input().captureControl == this; }

void TControl::SetMouseCapture(bool value) {
    TInputState& input = Input();
    if (value) {
        if (input.captureControl == this) return;
        TControl* previous = input.captureControl;
        input.captureControl = this;
        if (previous != nullptr) previous->Perform(WM_CAPTURECHANGED);
    } else if (input.captureControl == this) {
        input.captureControl = nullptr;
        Perform(WM_CAPTURECHANGED);
    }
}

void TControl::MouseWheelHandler(TMessage& message) {
    TCustomForm* form = GetParentForm(this);
    if (form != nullptr && form != this) {
        static_cast<TControl*>(form)->MouseWheelHandler(message);
    } else {
        message.Result = Perform(CM_MOUSEWHEEL, message.WParam, message.LParam);
    }
}

void TControl::HandleMouseWheel(TMessage& message) {
    const TWheelParams wheel = WheelParamsOf(message);
    message.Result = 0;
    if (DoMouseWheel(wheel.Shift(), wheel.delta, wheel.screenPos)) {
        message.Result = 1;
    } else if (parent_ != nullptr) {
        message.Result = parent_->Perform(CM_MOUSEWHEEL, message.WParam, message.LParam);
    }
}

bool TControl::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
    bool handled = false;
    if (OnMouseWheel) OnMouseWheel(this, shift, wheelDelta, mousePos, handled);
    if (handled) return true;
    // Whole notches step up or down; what is left of a fine wheel waits for the next turn.
    wheelAccumulator_ += wheelDelta;
    while (std::abs(wheelAccumulator_) >= WHEEL_DELTA) {
        const bool down = wheelAccumulator_ < 0;
        wheelAccumulator_ += down ? WHEEL_DELTA : -WHEEL_DELTA;
        handled = down ? DoMouseWheelDown(shift, mousePos) : DoMouseWheelUp(shift, mousePos);
    }
    return handled;
}

bool TControl::DoMouseWheelDown(TShiftState shift, TPoint mousePos) {
    bool handled = false;
    if (OnMouseWheelDown) OnMouseWheelDown(this, shift, mousePos, handled);
    return handled || WheelScroll(kWheelRows);
}

bool TControl::DoMouseWheelUp(TShiftState shift, TPoint mousePos) {
    bool handled = false;
    if (OnMouseWheelUp) OnMouseWheelUp(this, shift, mousePos, handled);
    return handled || WheelScroll(-kWheelRows);
}

}  // namespace dsp
