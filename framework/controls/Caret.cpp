#include "framework/controls/Caret.h"

#include "framework/controls/WinControl.h"
#include "framework/runtime/Timer.h"

namespace dsp {

namespace {

constexpr unsigned kBlinkInterval = 500;

struct TCaretState {
    TWinControl* owner = nullptr;
    TRect rect;
    bool on = false;
    // Made at the first use and kept for the program's life (it must not outlive the timer
    // queue at exit, so it is never freed).
    TTimer* timer = nullptr;
};

TCaretState& Caret() {
    static TCaretState state;
    return state;
}

void InvalidateCaret() {
    TCaretState& c = Caret();
    if (c.owner != nullptr) c.owner->InvalidateRect(&c.rect, false);
}

void Blink() {
    TCaretState& c = Caret();
    c.on = !c.on;
    InvalidateCaret();
}

}  // namespace

void CaretPlace(TWinControl& owner, const TRect& rect) {
    TCaretState& c = Caret();
    if (c.owner != nullptr && c.owner != &owner) InvalidateCaret();
    if (c.owner == &owner && c.rect != rect) InvalidateCaret();
    c.owner = &owner;
    c.rect = rect;
    c.on = true;
    InvalidateCaret();
    if (!c.timer) {
        c.timer = new TTimer(nullptr);
        c.timer->SetInterval(kBlinkInterval);
        c.timer->SetOnTimer([](TObject*) { Blink(); });
    }
    // Disabling and enabling restarts the interval, so the caret stays on while it moves.
    c.timer->SetEnabled(false);
    c.timer->SetEnabled(true);
}

void CaretRelease(TWinControl& owner) {
    TCaretState& c = Caret();
    if (c.owner != &owner) return;
    InvalidateCaret();
    c.owner = nullptr;
    c.on = false;
    if (c.timer) c.timer->SetEnabled(false);
}

bool CaretShown(const TWinControl& owner) {
    const TCaretState& c = Caret();
    return c.owner == &owner && c.on;
}

}  // namespace dsp
