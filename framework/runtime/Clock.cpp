#include "framework/runtime/Clock.h"

#include "framework/runtime/ManualClock.h"

namespace dsp {

TClockTime MonotonicTime() {
    if (TManualClock* manual = TManualClock::Current()) {
        ++manual->timeReads_;
        return manual->Now();
    }
    return std::chrono::duration_cast<TClockTime>(
        std::chrono::steady_clock::now().time_since_epoch());
}

std::int64_t MonotonicMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(MonotonicTime()).count();
}

std::int64_t PerformanceCounter() { return MonotonicTime().count(); }

std::int64_t PerformanceFrequency() {
    return std::chrono::duration_cast<TClockTime>(std::chrono::seconds(1)).count();
}

}  // namespace dsp
