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

TCaretState& caret() {
    static TCaretState state;
    return state;
}

void invalidateCaret() {
    TCaretState& c = caret();
    if (c.owner != nullptr) c.owner->InvalidateRect(&c.rect, false);
}

void blink() {
    TCaretState& c = caret();
    c.on = !c.on;
    invalidateCaret();
}

}  // namespace

void CaretPlace(TWinControl& owner, const TRect& rect) {
    TCaretState& c = caret();
    if (c.owner != nullptr && c.owner != &owner) invalidateCaret();
    if (c.owner == &owner && c.rect != rect) invalidateCaret();
    c.owner = &owner;
    c.rect = rect;
    c.on = true;
    invalidateCaret();
    if (!c.timer) {
        c.timer = new TTimer(nullptr);
        c.timer->SetInterval(kBlinkInterval);
        c.timer->SetOnTimer([](TObject*) { blink(); });
    }
    // Disabling and enabling restarts the interval, so the caret stays on while it moves.
    c.timer->SetEnabled(false);
    c.timer->SetEnabled(true);
}

void CaretRelease(TWinControl& owner) {
    TCaretState& c = caret();
    if (c.owner != &owner) return;
    invalidateCaret();
    c.owner = nullptr;
    c.on = false;
    if (c.timer) c.timer->SetEnabled(false);
}

bool CaretShown(const TWinControl& owner) {
    const TCaretState& c = caret();
    return c.owner == &owner && c.on;
}

}  // namespace dsp
