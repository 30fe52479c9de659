#include "framework/runtime/Timer.h"

#include "framework/runtime/TimerQueue.h"

namespace dsp {

TTimer::TTimer(TComponent* owner) : TComponent(owner) {}

TTimer::~TTimer() { TTimerQueue::Instance().Disarm(this); }

void TTimer::SetEnabled(bool value) {
    if (value == enabled_) return;
    enabled_ = value;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned value) {
    if (value == interval_) return;
    interval_ = value;
    UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
    onTimer_ = std::move(handler);
    UpdateTimer();
}

void TTimer::Timer() {
    // A copy: the handler may destroy this timer or give it another handler.
    if (TNotifyEvent handler = onTimer_) handler(this);
}

void TTimer::UpdateTimer() {
    TTimerQueue& queue = TTimerQueue::Instance();
    if (enabled_ && interval_ > 0 && onTimer_) {
        queue.Arm(this, interval_);
    } else {
        queue.Disarm(this);
    }
}

}  // namespace dsp
