#pragma once
// Exceptions that escape queued work, timers or message handlers fail the running test, unless a
// recorder is in scope to collect them.

#include <string>
#include <vector>

namespace dsp::test {

// Makes every unexpected exception a test failure (the test main installs it).
void FailOnUnexpectedExceptions();

class TUnexpectedExceptionRecorder {
public:
    TUnexpectedExceptionRecorder();
    ~TUnexpectedExceptionRecorder();
    TUnexpectedExceptionRecorder(const TUnexpectedExceptionRecorder&) = delete;
    TUnexpectedExceptionRecorder& operator=(const TUnexpectedExceptionRecorder&) = delete;

    // The messages of the exceptions caught so far.
    const std::vector<std::string>& Messages() const { return messages_; }

private:
    std::vector<std::string> messages_;
};

}  // namespace dsp::test
