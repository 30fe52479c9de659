#include "framework/runtime/ManualClock.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>

#include "framework/runtime/MainThread.h"
#include "framework/runtime/Thread.h"
#include "framework/runtime/TimerQueue.h"

namespace dsp {
namespace {

std::atomic<TManualClock*> currentClock{nullptr};

void SetWakeHandle(int handle) {
    const std::uint64_t one = 1;
    // A full counter still wakes the waiter, so a failed write needs no handling.
    [[maybe_unused]] auto written = ::write(handle, &one, sizeof one);
}

}  // namespace

TManualClock::TManualClock() : now_(std::chrono::hours(1)) {
    TManualClock* expected = nullptr;
    if (!currentClock.compare_exchange_strong(expected, this)) {
        std::fputs("TManualClock: a manual clock is already in force\n", stderr);
        std::abort();
    }
    if (IsMainThread()) TTimerQueue::Instance().ClockChanged();
}

TManualClock::~TManualClock() {
    currentClock.store(nullptr);
    if (IsMainThread()) TTimerQueue::Instance().ClockChanged();
}

TManualClock* TManualClock::Current() { return currentClock.load(std::memory_order_acquire); }

TClockTime TManualClock::Now() const {
    std::lock_guard lock(mutex_);
    return now_;
}

void TManualClock::Advance(std::chrono::milliseconds by) {
    if (by.count() <= 0) return;
    const TClockTime target = Now() + by;
    if (!IsMainThread()) {
        // Timers belong to the UI thread: they fire there, at its next turn.
        MoveTo(target);
        PostToMainThread([] { TTimerQueue::Instance().FireDue(false); });
        return;
    }
    TTimerQueue& timers = TTimerQueue::Instance();
    while (std::optional<TClockTime> next = timers.NextDue()) {
        if (*next > target) break;
        MoveTo(*next);
        timers.FireDue(false);
    }
    MoveTo(target);
}

void TManualClock::MoveTo(TClockTime time) {
    std::lock_guard lock(mutex_);
    if (time <= now_) return;
    now_ = time;
    for (const TWaiter& waiter : waiters_) {
        if (waiter.deadline <= now_) SetWakeHandle(waiter.wakeHandle);
    }
    waitersChanged_.notify_all();
}

TClockTime TManualClock::RegisterWaiter(TClockTime timeout, int wakeHandle, TWaiterId& id) {
    std::lock_guard lock(mutex_);
    const TClockTime deadline = timeout == TClockTime::max() ? TClockTime::max() : now_ + timeout;
    id.value = nextWaiterId_++;
    waiters_.push_back({id.value, deadline, wakeHandle});
    waitersChanged_.notify_all();
    return deadline;
}

void TManualClock::UnregisterWaiter(TWaiterId id) {
    std::lock_guard lock(mutex_);
    std::erase_if(waiters_, [&](const TWaiter& w) { return w.id == id.value; });
    waitersChanged_.notify_all();
}

bool TManualClock::WaitForWaiters(int count, std::chrono::milliseconds limit) const {
    std::unique_lock lock(mutex_);
    return waitersChanged_.wait_for(lock, limit, [&] {
        return std::count_if(waiters_.begin(), waiters_.end(),
                             [&](const TWaiter& w) { return w.deadline > now_; }) >= count;
    });
}

}  // namespace dsp
