#include "framework/controls/UpDown.h"

#include <algorithm>
#include <string>

#include "framework/controls/ClassicDraw.h"
#include "framework/controls/KeyMap.h"
#include "framework/runtime/Timer.h"
#include "framework/text/Numbers.h"

namespace dsp {

namespace {

constexpr unsigned kFirstRepeat = 400;
constexpr unsigned kNextRepeat = 100;

std::string positionText(int value, bool thousands) {
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
bool parsePosition(const std::string& text, int& value) {
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
    stopRepeat();
    unhookAssociate();
    delete repeat_;
}

int TCustomUpDown::limited(int value) const {
    const int lo = std::min(min_, max_);
    const int hi = std::max(min_, max_);
    return std::clamp(value, lo, hi);
}

void TCustomUpDown::storePosition(int value) {
    // Without a window the value is kept as it is given; a window keeps it within the range.
    position_ = HandleAllocated() ? limited(value) : value;
    updateAssociate();
}

void TCustomUpDown::SetMin(int value) {
    if (min_ == value) return;
    min_ = value;
    if (HandleAllocated()) storePosition(position_);
    Invalidate();
}

void TCustomUpDown::SetMax(int value) {
    if (max_ == value) return;
    max_ = value;
    if (HandleAllocated()) storePosition(position_);
    Invalidate();
}

void TCustomUpDown::SetPosition(int value) {
    if (value == position_) return;
    if (!ComponentState().Contains(csLoading) &&
        !DoCanChange(value, value > position_ ? updUp : updDown)) {
        return;
    }
    storePosition(value);
}

void TCustomUpDown::SetThousands(bool value) {
    if (thousands_ == value) return;
    thousands_ = value;
    updateAssociate();
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
    placeBesideAssociate();
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
        if (parsePosition(associate_->Text(), typed)) current = typed;
    }
    const bool up = button == btNext;
    int proposed = up ? current + increment_ : current - increment_;
    if (wrap_) {
        if (proposed > max_) proposed = min_;
        if (proposed < min_) proposed = max_;
    }
    // The proposal goes out as it is, in range or not; the position then stays in the range.
    if (DoCanChange(proposed, up ? updUp : updDown)) {
        position_ = limited(proposed);
        updateAssociate();
        Invalidate();
    }
    DoClick(button);
}

// ---- associate

void TCustomUpDown::updateAssociate() {
    if (associate_ == nullptr) return;
    associate_->SetText(positionText(position_, thousands_));
}

void TCustomUpDown::placeBesideAssociate() {
    if (associate_ == nullptr) return;
    if (associate_->Parent() != nullptr && Parent() != associate_->Parent()) {
        SetParent(associate_->Parent());
    }
    const int left = alignButton_ == udRight ? associate_->Left() + associate_->Width()
                                             : associate_->Left() - Width();
    SetBounds(left, associate_->Top(), Width(), associate_->Height());
}

void TCustomUpDown::hookAssociate() {
    if (associate_ == nullptr) return;
    associateProc_ = associate_->WindowProc();
    associate_->SetWindowProc([this](TMessage& message) {
        if (message.Msg == WM_KEYDOWN && arrowKeys_ &&
            (message.WParam == VK_UP || message.WParam == VK_DOWN)) {
            Step(message.WParam == VK_UP ? btNext : btPrev);
            return;
        }
        associateProc_(message);
    });
}

void TCustomUpDown::unhookAssociate() {
    if (associate_ == nullptr) return;
    associate_->SetWindowProc(associateProc_);
    associateProc_ = nullptr;
}

void TCustomUpDown::SetAssociate(TWinControl* value) {
    if (associate_ == value || value == this) return;
    if (associate_ != nullptr) {
        unhookAssociate();
        associate_->RemoveFreeNotification(this);
    }
    associate_ = value;
    if (associate_ == nullptr) return;
    associate_->FreeNotification(this);
    hookAssociate();
    placeBesideAssociate();
    updateAssociate();
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
    updateAssociate();
}

void TCustomUpDown::CreateWnd() {
    TWinControl::CreateWnd();
    position_ = limited(position_);
}

// ---- buttons and repeat

TRect TCustomUpDown::buttonRect(TUDBtnType button) const {
    const TRect r = ClientRect();
    if (orientation_ == udVertical) {
        const int half = r.Height() / 2;
        return button == btNext ? Rect(0, 0, r.Width(), half)
                                : Rect(0, half, r.Width(), r.Height());
    }
    const int half = r.Width() / 2;
    return button == btPrev ? Rect(0, 0, half, r.Height()) : Rect(half, 0, r.Width(), r.Height());
}

int TCustomUpDown::buttonAt(TPoint p) const {
    if (PtInRect(buttonRect(btNext), p)) return btNext;
    if (PtInRect(buttonRect(btPrev), p)) return btPrev;
    return -1;
}

void TCustomUpDown::startRepeat() {
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

void TCustomUpDown::stopRepeat() {
    if (repeat_ != nullptr) repeat_->SetEnabled(false);
}

void TCustomUpDown::PaintWindow(TCanvas& canvas) {
    const bool vertical = orientation_ == udVertical;
    const bool enabled = Enabled();
    DrawArrowButton(canvas, buttonRect(btNext),
                    vertical ? TArrowDirection::Up : TArrowDirection::Right,
                    pressed_ == btNext && overPressed_, enabled);
    DrawArrowButton(canvas, buttonRect(btPrev),
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
            const int button = buttonAt(LParamToPoint(message.LParam));
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
            startRepeat();
            return;
        }
        case WM_MOUSEMOVE:
            if (pressed_ >= 0) {
                const bool over = buttonAt(LParamToPoint(message.LParam)) == pressed_;
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
                stopRepeat();
                Invalidate();
            }
            return;
        case WM_GETDLGCODE: message.Result = DLGC_WANTARROWS; return;
        case WM_KEYDOWN:
            if (arrowKeys_ && (message.WParam == VK_UP || message.WParam == VK_RIGHT)) {
                Step(btNext);
            } else if (arrowKeys_ && (message.WParam == VK_DOWN || message.WParam == VK_LEFT)) {
                Step(btPrev);
            }
            return;
        default: TWinControl::DefaultHandler(message); return;
    }
}

}  // namespace dsp
