#include "framework/runtime/Thread.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <system_error>

#include "framework/core/Exceptions.h"
#include "framework/runtime/Clock.h"
#include "framework/runtime/MainThread.h"
#include "framework/runtime/MainThreadQueue.h"

namespace dsp {
namespace {

class TAnonymousThread : public TThread {
public:
    explicit TAnonymousThread(std::function<void()> procedure) : procedure_(std::move(procedure)) {}
    ~TAnonymousThread() override { Stop(); }

protected:
    void Execute() override { procedure_(); }

private:
    std::function<void()> procedure_;
};

}  // namespace

bool IsMainThread() { return ::syscall(SYS_gettid) == ::getpid(); }

TThread::TThread() = default;

TThread::~TThread() { Stop(); }

void TThread::Stop() {
    if (!started_) return;
    Terminate();
    if (!WaitFor(WaitInfinite, TPendingCalls::Cancel)) {
        std::fputs("TThread: destroyed while it waits for a call the UI thread is running\n",
                   stderr);
        std::abort();
    }
}

void TThread::Start() {
    if (started_.exchange(true)) return;
    try {
        thread_ = std::thread([this] { Run(); });
        threadId_.store(thread_.get_id());
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

bool TThread::WaitFor(unsigned timeoutMs, TPendingCalls calls) {
    if (!started_) return true;
    const std::thread::id worker = threadId_.load();
    if (std::this_thread::get_id() == worker) return false;
    if (!IsMainThread()) {
        if (!finishedEvent_.WaitFor(timeoutMs)) return false;
        Join();
        return true;
    }
    TMainThreadQueue::TWaitScope scope(worker, calls);
    if (scope.WorkerBlockedByCaller()) return false;
    const bool infinite = timeoutMs == WaitInfinite;
    const TClockTime deadline =
        infinite ? TClockTime::max() : MonotonicTime() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        unsigned left = WaitInfinite;
        if (!infinite) {
            const auto remaining = std::chrono::ceil<std::chrono::milliseconds>(
                std::max(deadline - MonotonicTime(), TClockTime::zero()));
            left = static_cast<unsigned>(remaining.count());
        }
        switch (WaitForMultiple({finishedEvent_, scope.CallWaiting()}, left)) {
            case 0: Join(); return true;
            case 1: scope.ServeCall(); break;
            default: return false;
        }
    }
}

bool TThread::Synchronize(std::function<void()> method) {
    return CallOnMainThread(std::move(method));
}

void TThread::Join() {
    std::lock_guard lock(joinMutex_);
    if (thread_.joinable()) thread_.join();
}

std::unique_ptr<TThread> TThread::CreateAnonymousThread(std::function<void()> procedure) {
    return std::make_unique<TAnonymousThread>(std::move(procedure));
}

}  // namespace dsp
