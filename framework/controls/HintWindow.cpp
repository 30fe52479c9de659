#include "framework/controls/HintWindow.h"

#include <algorithm>
#include <memory>

#include "framework/controls/HintControl.h"
#include "framework/controls/InputState.h"
#include "framework/controls/MessageParams.h"
#include "framework/desktop/Screen.h"
#include "framework/runtime/Application.h"
#include "framework/runtime/Timer.h"

namespace dsp {

// ---- THintWindow

THintWindow::THintWindow(TComponent* owner) : TCustomControl(owner) {
    SetVisible(false);
    SetColor(clInfoBk);
    Font()->SetColor(clInfoText);
}

THintWindow::~THintWindow() { HintWindowGone(this); }

TRect THintWindow::CalcHintRect(int maxWidth, const std::string& hint) {
    TCanvas* canvas = Canvas();
    canvas->Font()->Assign(Font());
    TRect r = Rect(0, 0, maxWidth, 0);
    canvas->DrawText(hint, r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    r.Right += 6;
    r.Bottom += 2;
    return r;
}

void THintWindow::ActivateHint(TRect rect, const std::string& hint) {
    SetCaption(hint);
    rect.Bottom += 4;
    const TRect desktop = Screen->DesktopRect();
    int left = std::min(rect.Left, desktop.Right - rect.Width());
    int top = std::min(rect.Top, desktop.Bottom - rect.Height());
    left = std::max(left, desktop.Left);
    top = std::max(top, desktop.Top);
    SetBounds(left, top, rect.Width(), rect.Height());
    SetVisible(true);
    Invalidate();
}

void THintWindow::ReleaseHandle() {
    SetVisible(false);
    DestroyHandle();
}

void THintWindow::Paint() {
    TCanvas* canvas = Canvas();
    TRect r = ClientRect();
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(r);
    canvas->Brush()->SetColor(clBlack);
    canvas->FrameRect(r);
    r = InflateRect(r, -2, -2);
    canvas->Brush()->SetStyle(bsClear);
    canvas->Font()->Assign(Font());
    canvas->DrawText(Caption(), r, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}

// ---- hint texts

std::string GetShortHint(const std::string& hint) {
    const auto bar = hint.find('|');
    return bar == std::string::npos ? hint : hint.substr(0, bar);
}

std::string GetLongHint(const std::string& hint) {
    const auto bar = hint.find('|');
    return bar == std::string::npos ? hint : hint.substr(bar + 1);
}

// ---- the application's hints

namespace {

struct THintState {
    std::unique_ptr<TTimer> showTimer;
    std::unique_ptr<TTimer> hideTimer;
    // Owned by the application, so that it goes with the other windows.
    THintWindow* window = nullptr;
    TControl* control = nullptr;  // the control whose hint waits or shows
    TPoint cursor;                // screen position of the mouse at the last move
    bool showing = false;
};

THintState& State() {
    static auto* state = new THintState;
    return *state;
}

bool WantsHint(const TControl* control) {
    return control != nullptr && control->ShowHint() && !control->Hint().empty() &&
           ApplicationHints().ShowHint;
}

void HideTimerFired() {
    THintState& s = State();
    s.hideTimer->SetEnabled(false);
    if (s.window) s.window->ReleaseHandle();
    s.showing = false;
}

void ShowTimerFired() {
    THintState& s = State();
    s.showTimer->SetEnabled(false);
    TControl* control = s.control;
    if (control == nullptr || Input().mouseControl != control || !WantsHint(control)) return;
    THintInfo info;
    info.HintControl = control;
    info.CursorPos = control->ScreenToClient(s.cursor);
    info.CursorRect = control->ClientRect();
    info.HintPos = {s.cursor.X, s.cursor.Y + 20};
    info.HintMaxWidth = Screen->Width();
    info.HintColor = ApplicationHints().HintColor;
    info.HintStr = GetShortHint(control->Hint());
    info.HideTimeout = ApplicationHints().HintHidePause;
    if (control->Perform(CM_HINTSHOW, 0, HintInfoParam(info)) != 0) return;
    if (info.HintStr.empty()) return;
    if (s.window == nullptr) s.window = new THintWindow(Application);
    s.window->SetColor(info.HintColor);
    const TRect size = s.window->CalcHintRect(info.HintMaxWidth, info.HintStr);
    s.window->ActivateHint(OffsetRect(size, info.HintPos.X, info.HintPos.Y), info.HintStr);
    s.showing = true;
    if (info.HideTimeout > 0) {
        s.hideTimer->SetInterval(static_cast<unsigned>(info.HideTimeout));
        s.hideTimer->SetEnabled(true);
    }
}

void EnsureTimers() {
    THintState& s = State();
    if (s.showTimer) return;
    s.showTimer = std::make_unique<TTimer>(nullptr);
    s.showTimer->SetEnabled(false);
    s.showTimer->SetOnTimer([](TObject*) { ShowTimerFired(); });
    s.hideTimer = std::make_unique<TTimer>(nullptr);
    s.hideTimer->SetEnabled(false);
    s.hideTimer->SetOnTimer([](TObject*) { HideTimerFired(); });
}

}  // namespace

THintSettings& ApplicationHints() {
    static THintSettings settings;
    return settings;
}

THintWindow* ActiveHintWindow() {
    const THintState& s = State();
    return s.showing ? s.window : nullptr;
}

void CancelHint() {
    THintState& s = State();
    if (s.showTimer) s.showTimer->SetEnabled(false);
    if (s.hideTimer) s.hideTimer->SetEnabled(false);
    if (s.showing && s.window) s.window->ReleaseHandle();
    s.showing = false;
}

void HintMouseMoved(TControl* control, TPoint screen) {
    THintState& s = State();
    s.cursor = screen;
    if (control == s.control) return;
    CancelHint();
    s.control = control;
    if (!WantsHint(control)) return;
    EnsureTimers();
    s.showTimer->SetInterval(static_cast<unsigned>(std::max(ApplicationHints().HintPause, 1)));
    s.showTimer->SetEnabled(true);
}

void HintInputPressed() { CancelHint(); }

void HintWindowGone(const THintWindow* window) {
    THintState& s = State();
    if (s.window != window) return;
    s.window = nullptr;
    s.showing = false;
}

void HintControlGone(const TControl* control) {
    THintState& s = State();
    if (s.control != control) return;
    CancelHint();
    s.control = nullptr;
}

}  // namespace dsp
