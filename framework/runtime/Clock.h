#pragma once
// Monotonic time for intervals, time-outs and round trips. Tests put a clock they advance by hand
// in its place (TManualClock), so nothing in the framework measures real time behind their back.
// Wall-clock date and time is a different service, used only where a value is shown.

#include <chrono>
#include <cstdint>

namespace dsp {

// Time since an arbitrary start; it never goes back.
using TClockTime = std::chrono::nanoseconds;

// The current time of the clock in force.
TClockTime MonotonicTime();
// The same in whole milliseconds.
std::int64_t MonotonicMs();

// The high-resolution performance counter and its counts per second.
std::int64_t PerformanceCounter();
std::int64_t PerformanceFrequency();

}  // namespace dsp
