#include "tests/realwindow/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sstream>

extern char** environ;

namespace dsp::realwindow {

namespace {

std::vector<std::string> MergedEnvironment(const std::vector<std::string>& overrides) {
    std::vector<std::string> merged;
    auto nameOf = [](const std::string& entry) { return entry.substr(0, entry.find('=')); };
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry = *e;
        bool replaced = false;
        for (const std::string& o : overrides) replaced = replaced || nameOf(o) == nameOf(entry);
        if (!replaced) merged.push_back(entry);
    }
    merged.insert(merged.end(), overrides.begin(), overrides.end());
    return merged;
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
    std::vector<char*> out;
    for (std::string& s : strings) out.push_back(s.data());
    out.push_back(nullptr);
    return out;
}

}  // namespace

bool ProgramInstalled(const std::string& name) {
    const char* path = std::getenv("PATH");
    if (path == nullptr) return false;
    std::stringstream folders(path);
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        if (!folder.empty() && access((folder + "/" + name).c_str(), X_OK) == 0) return true;
    }
    return false;
}

TChildProcess::~TChildProcess() {
    Stop();
    if (readEnd_ >= 0) close(readEnd_);
}

bool TChildProcess::Start(const TChildOptions& options, std::string& error) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    int pipeFds[2] = {-1, -1};
    if (options.pipeOutput) {
        if (pipe2(pipeFds, O_CLOEXEC) != 0) {
            error = std::strerror(errno);
            posix_spawn_file_actions_destroy(&actions);
            return false;
        }
        posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    } else if (!options.outputFile.empty()) {
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, options.outputFile.c_str(),
                                         O_WRONLY | O_CREAT | O_APPEND, 0644);
    }
    if (!options.outputFile.empty()) {
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, options.outputFile.c_str(),
                                         O_WRONLY | O_CREAT | O_APPEND, 0644);
    }
    if (options.inheritFd >= 0) {
        posix_spawn_file_actions_adddup2(&actions, options.inheritFd, options.inheritAs);
    }
    std::vector<std::string> args = options.args;
    std::vector<std::string> env = MergedEnvironment(options.environment);
    std::vector<char*> argv = Pointers(args);
    std::vector<char*> envp = Pointers(env);
    pid_t pid = -1;
    const int result = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (pipeFds[1] >= 0) close(pipeFds[1]);
    if (result != 0) {
        error = options.args.front() + ": " + std::strerror(result);
        if (pipeFds[0] >= 0) close(pipeFds[0]);
        return false;
    }
    pid_ = pid;
    pidFd_ = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
    readEnd_ = pipeFds[0];
    return true;
}

void TChildProcess::Reap(int status) {
    exitStatus_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    pid_ = -1;
    if (pidFd_ >= 0) close(pidFd_);
    pidFd_ = -1;
}

bool TChildProcess::Running() {
    if (pid_ < 0) return false;
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) Reap(status);
    return pid_ >= 0;
}

std::optional<int> TChildProcess::WaitForExit(std::chrono::milliseconds limit) {
    if (pid_ < 0) return exitStatus_;
    // The process descriptor becomes readable when the program ends.
    pollfd entry{pidFd_, POLLIN, 0};
    if (pidFd_ >= 0 && poll(&entry, 1, static_cast<int>(limit.count())) <= 0) {
        if (!Running()) return exitStatus_;
        return std::nullopt;
    }
    int status = 0;
    if (waitpid(pid_, &status, pidFd_ >= 0 ? 0 : WNOHANG) == pid_) Reap(status);
    return pid_ < 0 ? exitStatus_ : std::nullopt;
}

void TChildProcess::Stop(std::chrono::milliseconds limit) {
    if (!Running()) return;
    kill(pid_, SIGTERM);
    if (WaitForExit(limit)) return;
    kill(pid_, SIGKILL);
    WaitForExit(std::chrono::seconds(5));
}

}  // namespace dsp::realwindow
