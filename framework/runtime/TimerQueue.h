#pragma once
// The timers that run, in due order: the runtime's own use (TTimer, the manual clock, the event
// loop). UI thread only.

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "framework/runtime/Clock.h"

namespace dsp {

class TTimer;

class TTimerQueue {
public:
    static TTimerQueue& Instance();

    // (Re)starts a timer: due `interval` ms from now, or at the next turn of the loop for 1 ms.
    void Arm(TTimer* timer, unsigned interval);
    void Disarm(TTimer* timer);

    // Fires the timers due by the clock in force, in the order they fell due; with `nextTurn`
    // also those waiting for the next turn of the loop. Each timer fires at most once a call.
    void FireDue(bool nextTurn);

    // The earliest due time of the timers that wait for the clock.
    std::optional<TClockTime> NextDue() const;
    bool HasNextTurnTimers() const;

    // Restarts every running timer from the time of a clock that has just come into force.
    void ClockChanged();

    // Told whenever the set of running timers or their due times change (the event loop then
    // sets its wake-up).
    void SetScheduleChanged(std::function<void()> handler) { scheduleChanged_ = std::move(handler); }

private:
    struct TEntry {
        TTimer* timer;
        std::uint64_t serial;  // new at every (re)start: tells a restarted timer from the old run
        unsigned interval;
        bool nextTurn;
        TClockTime due;
        std::uint64_t fired = 0;  // firings so far: tells a timer that fired in a nested loop
    };
    TTimerQueue() = default;
    TEntry* Find(TTimer* timer, std::uint64_t serial, std::uint64_t fired);
    void Changed() const;

    std::vector<TEntry> entries_;
    std::uint64_t nextSerial_ = 1;
    std::function<void()> scheduleChanged_;
};

}  // namespace dsp
