#include "framework/runtime/TimerQueue.h"

#include <algorithm>
#include <exception>

#include "framework/runtime/MainThread.h"
#include "framework/runtime/Timer.h"

namespace dsp {

TTimerQueue& TTimerQueue::Instance() {
    // Never destroyed: timers of static objects outlive everything else.
    static auto* queue = new TTimerQueue;
    return *queue;
}

void TTimerQueue::Arm(TTimer* timer, unsigned interval) {
    std::erase_if(entries_, [&](const TEntry& e) { return e.timer == timer; });
    const bool nextTurn = interval <= 1;
    const TClockTime now = MonotonicTime();
    entries_.push_back({timer, nextSerial_++, interval, nextTurn,
                        nextTurn ? now : now + std::chrono::milliseconds(interval)});
    Changed();
}

void TTimerQueue::Disarm(TTimer* timer) {
    if (std::erase_if(entries_, [&](const TEntry& e) { return e.timer == timer; }) > 0) Changed();
}

TTimerQueue::TEntry* TTimerQueue::Find(TTimer* timer, std::uint64_t serial, std::uint64_t fired) {
    auto found = std::find_if(entries_.begin(), entries_.end(), [&](const TEntry& e) {
        return e.timer == timer && e.serial == serial && e.fired == fired;
    });
    return found == entries_.end() ? nullptr : &*found;
}

void TTimerQueue::FireDue(bool nextTurn) {
    const TClockTime now = MonotonicTime();
    struct TDue {
        TTimer* timer;
        std::uint64_t serial;
        std::uint64_t fired;
        TClockTime due;
    };
    std::vector<TDue> due;
    for (const TEntry& e : entries_) {
        if (e.nextTurn ? nextTurn : e.due <= now)
            due.push_back({e.timer, e.serial, e.fired, e.due});
    }
    std::sort(due.begin(), due.end(), [](const TDue& a, const TDue& b) {
        return a.due != b.due ? a.due < b.due : a.serial < b.serial;
    });
    for (const TDue& d : due) {
        // A handler may have stopped, restarted or destroyed any timer of the list, or run a
        // nested loop in which it fired already.
        TEntry* entry = Find(d.timer, d.serial, d.fired);
        if (!entry) continue;
        entry->due = entry->nextTurn ? now : now + std::chrono::milliseconds(entry->interval);
        ++entry->fired;
        // The loop's wake-up is set before the handler runs: a handler that shows a modal form
        // runs a nested loop, in which the other timers go on.
        Changed();
        try {
            d.timer->Timer();
        } catch (...) {
            HandleUnexpectedException(std::current_exception());
        }
    }
}

std::optional<TClockTime> TTimerQueue::NextDue() const {
    std::optional<TClockTime> next;
    for (const TEntry& e : entries_) {
        if (!e.nextTurn && (!next || e.due < *next)) next = e.due;
    }
    return next;
}

bool TTimerQueue::HasNextTurnTimers() const {
    return std::any_of(entries_.begin(), entries_.end(),
                       [](const TEntry& e) { return e.nextTurn; });
}

void TTimerQueue::ClockChanged() {
    const TClockTime now = MonotonicTime();
    for (TEntry& e : entries_) {
        e.serial = nextSerial_++;
        e.due = e.nextTurn ? now : now + std::chrono::milliseconds(e.interval);
    }
    Changed();
}

void TTimerQueue::Changed() const {
    if (scheduleChanged_) scheduleChanged_();
}

}  // namespace dsp
