#pragma once
// TTimer: raises OnTimer on the UI thread every Interval milliseconds while Enabled. The rules
// callers rely on: enabling an enabled timer does not restart it, nor does setting the interval it
// already has; disabling and enabling again, setting a different interval or setting the handler
// restart it. A timer with interval 0 or without a handler does not run. A timer of 1 ms runs at
// the next turn of the event loop; a handler that disables its timer makes it a one-shot. Timers
// run in nested loops of modal forms too, and follow the clock in force (see TManualClock).

#include "framework/core/Component.h"
#include "framework/core/Object.h"

namespace dsp {

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);

    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned value);

    const TNotifyEvent& OnTimer() const { return onTimer_; }
    void SetOnTimer(TNotifyEvent handler);

    // Raises OnTimer; the timer queue calls it when the timer is due.
    virtual void Timer();

private:
    void UpdateTimer();

    bool enabled_ = true;
    unsigned interval_ = 1000;
    TNotifyEvent onTimer_;
};

}  // namespace dsp
