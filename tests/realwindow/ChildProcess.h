#pragma once
// A program the real-window tests start: the X server, the window manager, the application
// under test. It ends with this object (asked to terminate, killed when it does not), so no test
// leaves a process behind.

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace dsp::realwindow {

struct TChildOptions {
    std::vector<std::string> args;  // the program first
    // Variables set for the child (NAME=value), on top of this process's environment.
    std::vector<std::string> environment;
    // Where its standard output and error go: a file, or (empty) where ours go.
    std::string outputFile;
    // A descriptor of ours the child gets as descriptor `inheritAs` (-1: none).
    int inheritFd = -1;
    int inheritAs = -1;
    // Its standard output is the write end of a new pipe; ours is the read end (ReadEnd()).
    bool pipeOutput = false;
};

class TChildProcess {
public:
    TChildProcess() = default;
    ~TChildProcess();
    TChildProcess(const TChildProcess&) = delete;
    TChildProcess& operator=(const TChildProcess&) = delete;

    // Starts the program; false with the reason in error when it cannot.
    bool Start(const TChildOptions& options, std::string& error);
    bool Running();
    // Waits for the program to end by itself; its exit status (128 + signal when a signal ended
    // it), or nothing when it still runs after the limit.
    std::optional<int> WaitForExit(std::chrono::milliseconds limit);
    // Asks the program to end and waits for it; kills it when it does not end within the limit.
    void Stop(std::chrono::milliseconds limit = std::chrono::seconds(5));
    // The read end of the output pipe (pipeOutput), -1 without one.
    int ReadEnd() const { return readEnd_; }
    // Its process id, -1 before a start.
    int Pid() const { return pid_; }

private:
    void Reap(int status);

    int pid_ = -1;
    int pidFd_ = -1;
    int readEnd_ = -1;
    std::optional<int> exitStatus_;
};

// Whether a program of this name is on the PATH.
bool ProgramInstalled(const std::string& name);

}  // namespace dsp::realwindow
