#pragma once
// A clock that stands still until a test moves it. While one exists it is the clock in force for
// the whole process: MonotonicTime, the performance counter, the time-outs of every wait and the
// timers all follow it. Create it before the threads and timers that should follow it, and
// destroy it after they are gone.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <vector>

#include "framework/runtime/Clock.h"

namespace dsp {

class TManualClock {
public:
    TManualClock();
    TManualClock(const TManualClock&) = delete;
    TManualClock& operator=(const TManualClock&) = delete;
    ~TManualClock();

    TClockTime Now() const;

    // Moves the clock forward. Waits whose time-out passes on the way are woken. On the UI thread,
    // timers that fall due on the way fire in the order they fall due, each with the clock
    // standing at its due time.
    void Advance(std::chrono::milliseconds by);

    // Blocks (in real time, at most `limit`) until at least `count` threads are waiting with a
    // time-out that has not passed yet. A test that steps a worker's time-outs calls it after each
    // Advance, so the next step starts from the worker's next wait and not from the one before.
    bool WaitForWaiters(int count,
                        std::chrono::milliseconds limit = std::chrono::seconds(10)) const;

    // For the waits: a thread registers the deadline of its wait and the handle to set when the
    // clock reaches it. Register returns the deadline, now + timeout, taken under the clock's own
    // lock so that no Advance falls between reading the time and registering.
    struct TWaiterId {
        std::uint64_t value;
    };
    TClockTime RegisterWaiter(TClockTime timeout, int wakeHandle, TWaiterId& id);
    void UnregisterWaiter(TWaiterId id);

    // The manual clock in force, or null when real time runs.
    static TManualClock* Current();

    // How often the program has read the time (MonotonicTime and what stands on it) since this
    // clock came in force: a test can show that a path reads no clock at all.
    std::uint64_t TimeReads() const { return timeReads_.load(); }

private:
    struct TWaiter {
        std::uint64_t id;
        TClockTime deadline;
        int wakeHandle;
    };
    void MoveTo(TClockTime time);
    friend TClockTime MonotonicTime();

    mutable std::mutex mutex_;
    mutable std::condition_variable waitersChanged_;
    TClockTime now_;
    std::uint64_t nextWaiterId_ = 1;
    std::vector<TWaiter> waiters_;
    std::atomic<std::uint64_t> timeReads_{0};
};

}  // namespace dsp
