#pragma once
// The application under test, seen from the test: a program started on the test's display whose
// standard output is its log, one line per event (JourneyApp.h writes it). The test waits on
// the log, never on the clock.

#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tests/realwindow/ChildProcess.h"
#include "tests/realwindow/XSession.h"

namespace dsp::realwindow {

class TJourneyProcess {
public:
    // Starts the program with its arguments on the display, with its run-time files in
    // runtimeFolder; false with the reason in error.
    bool Start(const std::string& program, const std::vector<std::string>& args,
               const std::string& display, const std::string& runtimeFolder, std::string& error);
    // Ends the program if it still runs.
    void Stop();

    // Every line logged so far (after reading what has come).
    const std::vector<std::string>& Lines();
    // The lines logged from position `from` on.
    std::vector<std::string> LinesSince(std::size_t from);
    // Waits until a line from position `from` on satisfies match; its position, or nothing when
    // none does within the limit or the program ends first.
    std::optional<std::size_t> WaitFor(const std::function<bool(const std::string&)>& match,
                                       std::size_t from = 0,
                                       std::chrono::milliseconds limit = kWaitLimit);
    // The same for a line that reads exactly `line`.
    std::optional<std::size_t> WaitForLine(const std::string& line, std::size_t from = 0,
                                           std::chrono::milliseconds limit = kWaitLimit);
    bool Running();
    // Waits for the program to end; its exit status, or nothing when it still runs.
    std::optional<int> WaitForExit(std::chrono::milliseconds limit = kWaitLimit);

private:
    // Reads what the program has written, waiting up to waitMs for something to come: 1 when
    // something came, 0 when nothing did, -1 at the end of the log (the program closed it).
    int Read(int waitMs);

    TChildProcess process_;
    std::vector<std::string> lines_;
    std::string partial_;
    bool ended_ = false;
};

}  // namespace dsp::realwindow
