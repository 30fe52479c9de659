#include "link/LinkWindow.h"

#include "framework/runtime/Timer.h"

namespace dsp {

namespace {

class LFrameworkTimer : public ILinkTimer {
public:
    LFrameworkTimer(TComponent* owner, unsigned intervalMs, std::function<void()> onTimer)
        : timer_(new TTimer(owner)) {
        timer_->SetInterval(intervalMs);
        timer_->SetOnTimer([handler = std::move(onTimer)](TObject*) { handler(); });
        timer_->SetEnabled(true);
    }
    ~LFrameworkTimer() override { delete timer_; }
    void Restart() override {
        timer_->SetEnabled(false);
        timer_->SetEnabled(true);
    }
    void Stop() override { timer_->SetEnabled(false); }

private:
    TTimer* timer_;
};

}  // namespace

void LLinkWindow::PostLinkMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) {
    PostMessage(window_, msg, wParam, lParam);
}

bool LLinkWindow::SendLinkMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) {
    bool delivered = false;
    SendMessage(window_, msg, wParam, lParam, &delivered);
    return delivered;
}

std::unique_ptr<ILinkTimer> LLinkWindow::CreateTimer(unsigned intervalMs,
                                                     std::function<void()> onTimer) {
    return std::make_unique<LFrameworkTimer>(timerOwner_, intervalMs, std::move(onTimer));
}

}  // namespace dsp
