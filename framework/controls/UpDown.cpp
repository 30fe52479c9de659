#include "framework/controls/UpDown.h"

#include <algorithm>
#include <string>

#include "framework/controls/ClassicDraw.h"
#include "framework/controls/KeyMap.h"
#include "framework/controls/MessageParams.h"
#include "framework/runtime/Timer.h"
#include "framework/text/Numbers.h"

namespace dsp {

namespace {

constexpr unsigned kFirstRepeat = 400;
constexpr unsigned kNextRepeat = 100;

std::string PositionText(int value, bool thousands) {
    const std::string digits = std::to_string(value < 0 ? -static_cast<long long>(value) : value);
    std::string out = value < 0 ? "-" : "";
    const std::size_t n = digits.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (thousands && i > 0 && (n - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

// The integer an associate shows (thousands separators allowed), or false.
bool ParsePosition(const std::string& text, int& value) {
    std::string digits;
    for (char c : text)
        if (c != ',') digits += c;
    try {
        value = StrToInt(digits);
        return true;
    } catch (const Exception&) {
        return false;
    }
}

}  // namespace

TCustomUpDown::TCustomUpDown(TComponent* owner) : TWinControl(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csCaptureMouse, csOpaque});
    SetBounds(0, 0, 17, 25);
    SetParentColor(false);
    SetColor(clBtnFace);
}

TCustomUpDown::~TCustomUpDown() {
    Destroying();
    StopRepeat();
    UnhookAssociate();
    delete repeat_;
}

int TCustomUpDown::Limited(int value) const {
    const int lo = std::min(min_, max_);
    const int hi = std::max(min_, max_);
    return std::clamp(value, lo, hi);
}

void TCustomUpDown::StorePosition(int value) {
    // Without a window the value is kept as it is given; a window keeps it within the range.
    position_ = HandleAllocated() ? Limited(value) : value;
    UpdateAssociate();
}

void TCustomUpDown::SetMin(int value) {
    if (min_ == value) return;
    min_ = value;
    if (HandleAllocated()) StorePosition(position_);
    Invalidate();
}

void TCustomUpDown::SetMax(int value) {
    if (max_ == value) return;
    max_ = value;
    if (HandleAllocated()) StorePosition(position_);
    Invalidate();
}

void TCustomUpDown::SetPosition(int value) {
    if (value == position_) return;
    if (!ComponentState().Contains(csLoading) &&
        !DoCanChange(value, value > position_ ? updUp : updDown)) {
        return;
    }
    StorePosition(value);
}

void TCustomUpDown::SetThousands(bool value) {
    if (thousands_ == value) return;
    thousands_ = value;
    UpdateAssociate();
}

void TCustomUpDown::SetOrientation(TUDOrientation value) {
    if (orientation_ == value) return;
    orientation_ = value;
    SetBounds(Left(), Top(), Height(), Width());
    Invalidate();
}

void TCustomUpDown::SetAlignButton(TUDAlignButton value) {
    if (alignButton_ == value) return;
    alignButton_ = value;
    PlaceBesideAssociate();
}

bool TCustomUpDown::DoCanChange(int newValue, TUpDownDirection direction) {
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    if (OnChangingEx) OnChangingEx(this, allow, newValue, direction);
    return allow;
}

void TCustomUpDown::DoClick(TUDBtnType button) {
    if (OnClick) OnClick(this, button);
}

void TCustomUpDown::Step(TUDBtnType button) {
    int current = position_;
    // The associate's text is the position as the user may have typed it.
    if (associate_ != nullptr) {
        int typed = 0;
        if (ParsePosition(associate_->Text(), typed)) current = typed;
    }
    const bool up = button == btNext;
    int proposed = up ? current + increment_ : current - increment_;
    if (wrap_) {
        if (proposed > max_) proposed = min_;
        if (proposed < min_) proposed = max_;
    }
    // The proposal goes out as it is, in range or not; the position then stays in the range.
    if (DoCanChange(proposed, up ? updUp : updDown)) {
        position_ = Limited(proposed);
        UpdateAssociate();
        Invalidate();
    }
    DoClick(button);
}

// ---- associate

void TCustomUpDown::UpdateAssociate() {
    if (associate_ == nullptr) return;
    associate_->SetText(PositionText(position_, thousands_));
}

void TCustomUpDown::PlaceBesideAssociate() {
    if (associate_ == nullptr) return;
    if (associate_->Parent() != nullptr && Parent() != associate_->Parent()) {
        SetParent(associate_->Parent());
    }
    const int left = alignButton_ == udRight ? associate_->Left() + associate_->Width()
                                             : associate_->Left() - Width();
    SetBounds(left, associate_->Top(), Width(), associate_->Height());
}

void TCustomUpDown::HookAssociate() {
    if (associate_ == nullptr) return;
    associateProc_ = associate_->WindowProc();
    associate_->SetWindowProc([this](TMessage& message) {
        const unsigned key = KeyParamsOf(message).key;
        if (message.Msg == WM_KEYDOWN && arrowKeys_ && (key == VK_UP || key == VK_DOWN)) {
            Step(key == VK_UP ? btNext : btPrev);
            return;
        }
        associateProc_(message);
    });
}

void TCustomUpDown::UnhookAssociate() {
    if (associate_ == nullptr) return;
    associate_->SetWindowProc(associateProc_);
    associateProc_ = nullptr;
}

void TCustomUpDown::SetAssociate(TWinControl* value) {
    if (associate_ == value || value == this) return;
    if (associate_ != nullptr) {
        UnhookAssociate();
        associate_->RemoveFreeNotification(this);
    }
    associate_ = value;
    if (associate_ == nullptr) return;
    associate_->FreeNotification(this);
    HookAssociate();
    PlaceBesideAssociate();
    UpdateAssociate();
}

void TCustomUpDown::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == opRemove && component == associate_) {
        // Its window procedure goes with it.
        associate_ = nullptr;
        associateProc_ = nullptr;
    }
}

void TCustomUpDown::Loaded() {
    TWinControl::Loaded();
    UpdateAssociate();
}

void TCustomUpDown::CreateWnd() {
    TWinControl::CreateWnd();
    position_ = Limited(position_);
}

// ---- buttons and repeat

TRect TCustomUpDown::ButtonRect(TUDBtnType button) const {
    const TRect r = ClientRect();
    if (orientation_ == udVertical) {
        const int half = r.Height() / 2;
        return button == btNext ? Rect(0, 0, r.Width(), half)
                                : Rect(0, half, r.Width(), r.Height());
    }
    const int half = r.Width() / 2;
    return button == btPrev ? Rect(0, 0, half, r.Height()) : Rect(half, 0, r.Width(), r.Height());
}

int TCustomUpDown::ButtonAt(TPoint p) const {
    if (PtInRect(ButtonRect(btNext), p)) return btNext;
    if (PtInRect(ButtonRect(btPrev), p)) return btPrev;
    return -1;
}

void TCustomUpDown::StartRepeat() {
    if (repeat_ == nullptr) {
        repeat_ = new TTimer(nullptr);
        repeat_->SetEnabled(false);
        repeat_->SetOnTimer([this](TObject*) {
            repeat_->SetInterval(kNextRepeat);
            if (pressed_ >= 0 && overPressed_) Step(static_cast<TUDBtnType>(pressed_));
        });
    }
    repeat_->SetEnabled(false);
    repeat_->SetInterval(kFirstRepeat);
    repeat_->SetEnabled(true);
}

void TCustomUpDown::StopRepeat() {
    if (repeat_ != nullptr) repeat_->SetEnabled(false);
}

void TCustomUpDown::PaintWindow(TCanvas& canvas) {
    const bool vertical = orientation_ == udVertical;
    const bool enabled = Enabled();
    DrawArrowButton(canvas, ButtonRect(btNext),
                    vertical ? TArrowDirection::Up : TArrowDirection::Right,
                    pressed_ == btNext && overPressed_, enabled);
    DrawArrowButton(canvas, ButtonRect(btPrev),
                    vertical ? TArrowDirection::Down : TArrowDirection::Left,
                    pressed_ == btPrev && overPressed_, enabled);
}

void TCustomUpDown::DefaultHandler(TMessage& message) {
    switch (message.Msg) {
        case WM_PAINT:
            if (TCanvas* dc = MessageCanvas(message)) PaintWindow(*dc);
            return;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            const int button = ButtonAt(MouseParamsOf(message).pos);
            if (button < 0) return;
            // The associated control takes the focus, as the platform's up-down gives it, before
            // the step.
            if (associate_ != nullptr && !associate_->Focused() && associate_->CanFocus()) {
                associate_->SetFocus();
            }
            pressed_ = button;
            overPressed_ = true;
            Invalidate();
            Step(static_cast<TUDBtnType>(button));
            StartRepeat();
            return;
        }
        case WM_MOUSEMOVE:
            if (pressed_ >= 0) {
                const bool over = ButtonAt(MouseParamsOf(message).pos) == pressed_;
                if (over != overPressed_) {
                    overPressed_ = over;
                    Invalidate();
                }
            }
            return;
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
        case WM_CANCELMODE:
            if (pressed_ >= 0) {
                pressed_ = -1;
                StopRepeat();
                Invalidate();
            }
            return;
        case WM_GETDLGCODE: message.Result = DLGC_WANTARROWS; return;
        case WM_KEYDOWN: {
            const unsigned key = KeyParamsOf(message).key;
            if (arrowKeys_ && (key == VK_UP || key == VK_RIGHT)) {
                Step(btNext);
            } else if (arrowKeys_ && (key == VK_DOWN || key == VK_LEFT)) {
                Step(btPrev);
            }
            return;
        }
        default: TWinControl::DefaultHandler(message); return;
    }
}

}  // namespace dsp
