#include "tests/realwindow/JourneyProcess.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

namespace dsp::realwindow {

namespace {

using Clock = std::chrono::steady_clock;

}  // namespace

bool TJourneyProcess::Start(const std::string& program, const std::vector<std::string>& args,
                            const std::string& display, const std::string& runtimeFolder,
                            std::string& error) {
    TChildOptions options;
    options.args = {program};
    options.args.insert(options.args.end(), args.begin(), args.end());
    // A real display at 96 dots per inch without scaling, the C locale in UTF-8, and no desktop
    // services (accessibility bus, input method daemons) the test display does not have.
    options.environment = {"DISPLAY=" + display,
                           "QT_QPA_PLATFORM=xcb",
                           "QT_ENABLE_HIGHDPI_SCALING=0",
                           "QT_SCALE_FACTOR=1",
                           "QT_FONT_DPI=96",
                           "QT_ACCESSIBILITY=0",
                           "QT_IM_MODULE=",
                           "NO_AT_BRIDGE=1",
                           "LC_ALL=C.UTF-8",
                           "XDG_RUNTIME_DIR=" + runtimeFolder};
    // Under the leak checker, what the toolkit's system libraries keep is not ours.
    const char* leakOptions = std::getenv("LSAN_OPTIONS");
    options.environment.push_back(std::string("LSAN_OPTIONS=") +
                                  (leakOptions != nullptr ? std::string(leakOptions) + ":" : "") +
                                  "suppressions=" DSP_LSAN_SUPPRESSIONS ":print_suppressions=0");
    options.pipeOutput = true;
    return process_.Start(options, error);
}

void TJourneyProcess::Stop() { process_.Stop(); }

int TJourneyProcess::Read(int waitMs) {
    const int fd = process_.ReadEnd();
    if (fd < 0 || ended_) return -1;
    pollfd entry{fd, POLLIN, 0};
    if (poll(&entry, 1, waitMs) <= 0) return 0;
    char buffer[4096];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n <= 0) {
        ended_ = true;
        return -1;
    }
    partial_.append(buffer, static_cast<std::size_t>(n));
    for (std::size_t end = partial_.find('\n'); end != std::string::npos;
         end = partial_.find('\n')) {
        lines_.push_back(partial_.substr(0, end));
        partial_.erase(0, end + 1);
    }
    return 1;
}

const std::vector<std::string>& TJourneyProcess::Lines() {
    while (Read(0) > 0) {}
    return lines_;
}

std::vector<std::string> TJourneyProcess::LinesSince(std::size_t from) {
    const std::vector<std::string>& all = Lines();
    if (from >= all.size()) return {};
    return {all.begin() + static_cast<std::ptrdiff_t>(from), all.end()};
}

std::optional<std::size_t> TJourneyProcess::WaitFor(
    const std::function<bool(const std::string&)>& match, std::size_t from,
    std::chrono::milliseconds limit) {
    const auto end = Clock::now() + limit;
    std::size_t next = from;
    for (;;) {
        Lines();
        for (; next < lines_.size(); ++next) {
            if (match(lines_[next])) return next;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
        if (left <= 0 || Read(static_cast<int>(left)) < 0) {
            // Whatever came last may still hold the line.
            for (; next < lines_.size(); ++next) {
                if (match(lines_[next])) return next;
            }
            return std::nullopt;
        }
    }
}

std::optional<std::size_t> TJourneyProcess::WaitForLine(const std::string& line, std::size_t from,
                                                        std::chrono::milliseconds limit) {
    return WaitFor([&](const std::string& l) { return l == line; }, from, limit);
}

bool TJourneyProcess::Running() { return process_.Running(); }

std::optional<int> TJourneyProcess::WaitForExit(std::chrono::milliseconds limit) {
    const auto status = process_.WaitForExit(limit);
    Lines();
    return status;
}

}  // namespace dsp::realwindow
