#include "framework/runtime/Thread.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <string>
#include <system_error>

#include "framework/core/Exceptions.h"

namespace dsp {
namespace {

class TAnonymousThread : public TThread {
public:
    explicit TAnonymousThread(std::function<void()> procedure) : procedure_(std::move(procedure)) {}
    ~TAnonymousThread() override {
        Terminate();
        WaitFor();
    }

protected:
    void Execute() override { procedure_(); }

private:
    std::function<void()> procedure_;
};

}  // namespace

bool IsMainThread() {
    return ::syscall(SYS_gettid) == ::getpid();
}

TThread::TThread() = default;

TThread::~TThread() {
    if (!started_) return;
    Terminate();
    WaitFor();
}

void TThread::Start() {
    if (started_.exchange(true)) return;
    try {
        thread_ = std::thread([this] { Run(); });
    } catch (const std::system_error& e) {
        started_ = false;
        throw EOSError(std::string("Cannot start a thread: ") + e.what(), e.code().value());
    }
}

void TThread::Run() {
    threadId_.store(std::this_thread::get_id());
    try {
        Execute();
    } catch (...) {
        fatalException_ = std::current_exception();
    }
    finished_.store(true);
    finishedEvent_.SetEvent();
}

bool TThread::WaitFor(unsigned timeoutMs) {
    if (!started_) return true;
    if (std::this_thread::get_id() == threadId_.load()) return false;
    if (!finishedEvent_.WaitFor(timeoutMs)) return false;
    Join();
    return true;
}

void TThread::Join() {
    std::lock_guard lock(joinMutex_);
    if (thread_.joinable()) thread_.join();
}

std::unique_ptr<TThread> TThread::CreateAnonymousThread(std::function<void()> procedure) {
    return std::make_unique<TAnonymousThread>(std::move(procedure));
}

}  // namespace dsp
