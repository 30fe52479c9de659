#pragma once
// The owner a transport reports to in the program: a window handle that receives WM_LINK_REPLY
// (sent, so the worker waits until the handler returned) and WM_LINK_STATE (posted), and
// framework timers owned by the owner's component.

#include "framework/core/Component.h"
#include "framework/runtime/MessageWindow.h"
#include "link/LinkOwner.h"

namespace dsp {

class LLinkWindow : public ILinkOwner {
public:
    // window: where the messages go (not owned); timerOwner: the component that owns the
    // keep-alive timers (may be null: the timers then belong to their transport alone).
    LLinkWindow(HWND window, TComponent* timerOwner) : window_(window), timerOwner_(timerOwner) {}

    HWND Window() const { return window_; }

    void PostLinkMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) override;
    bool SendLinkMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) override;
    std::unique_ptr<ILinkTimer> CreateTimer(unsigned intervalMs,
                                            std::function<void()> onTimer) override;

private:
    HWND window_;
    TComponent* timerOwner_;
};

}  // namespace dsp
