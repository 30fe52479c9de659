#pragma once
// Running the UI thread's event loop from a test.

#include <chrono>
#include <functional>

namespace dsp::test {

// Runs the event loop until condition holds; false when it still does not hold after `limit` of
// real time, so that a failing test ends instead of hanging.
bool RunLoopUntil(const std::function<bool()>& condition,
                  std::chrono::milliseconds limit = std::chrono::seconds(20));

// Runs the event loop over what is pending now, without waiting for more.
void RunPendingEvents();

}  // namespace dsp::test
