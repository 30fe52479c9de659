#pragma once
// The lines a child program writes on its standard output (the read end of a pipe), read as they
// come, each wait with a time limit.

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace dsp::realwindow {

class TLineReader {
public:
    explicit TLineReader(int fd) : fd_(fd) {}
    // The next line, or nothing when none comes within the limit.
    std::optional<std::string> Next(std::chrono::milliseconds limit);
    // Waits for a line that begins with prefix; false when it does not come in time.
    bool WaitFor(const std::string& prefix, std::chrono::milliseconds limit);
    // Every line WaitFor has read, in order.
    const std::vector<std::string>& Seen() const { return lines_; }

private:
    int fd_;
    std::string buffer_;
    std::vector<std::string> lines_;
};

}  // namespace dsp::realwindow
