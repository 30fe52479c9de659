#include "framework/runtime/MainThreadQueue.h"

#include <algorithm>
#include <cstdio>

#include "framework/core/Exceptions.h"
#include "framework/runtime/MainThread.h"
#include "framework/runtime/Thread.h"

namespace dsp {

struct TMainThreadQueue::TCall {
    enum TState { Pending, Running, Done, Cancelled };
    std::thread::id caller;
    std::uint64_t window = 0;
    TState state = Pending;
};

TMainThreadQueue& TMainThreadQueue::Instance() {
    // Never destroyed: workers and static objects may still post while the program ends.
    static auto* queue = new TMainThreadQueue;
    return *queue;
}

void TMainThreadQueue::Post(std::function<void()> work) {
    std::lock_guard lock(mutex_);
    items_.push_back({std::move(work), nullptr});
    wake_.SetEvent();
}

bool TMainThreadQueue::Call(std::function<void()> work, std::uint64_t window,
                            const std::function<bool()>& stillWanted) {
    if (IsMainThread()) {
        work();
        return true;
    }
    auto call = std::make_shared<TCall>();
    call->caller = std::this_thread::get_id();
    call->window = window;
    std::unique_lock lock(mutex_);
    const TWaitFrame* frame = FindFrame(call->caller);
    if (frame && frame->calls == TPendingCalls::Cancel) return false;
    if (stillWanted && !stillWanted()) return false;
    items_.push_back({std::move(work), call});
    wake_.SetEvent();
    if (frame) frame->callWaiting->SetEvent();
    callEnded_.wait(lock,
                    [&] { return call->state == TCall::Done || call->state == TCall::Cancelled; });
    return call->state == TCall::Done;
}

bool TMainThreadQueue::DispatchOne() {
    TItem item;
    {
        std::lock_guard lock(mutex_);
        wake_.ResetEvent();
        if (items_.empty()) return false;
        item = std::move(items_.front());
        items_.pop_front();
        // Whatever else waits is left signalled, so a nested loop started by this work goes on
        // running the queue.
        if (!items_.empty()) wake_.SetEvent();
        if (item.call) {
            item.call->state = TCall::Running;
            running_.push_back(item.call->caller);
        }
    }
    Run(item);
    return true;
}

std::size_t TMainThreadQueue::Waiting() const {
    std::lock_guard lock(mutex_);
    return items_.size();
}

void TMainThreadQueue::Run(TItem& item) {
    try {
        item.work();
    } catch (...) {
        HandleUnexpectedException(std::current_exception());
    }
    // The work is released before the caller learns that it ran: what it captured may belong to
    // the caller.
    item.work = nullptr;
    if (!item.call) return;
    std::lock_guard lock(mutex_);
    item.call->state = TCall::Done;
    running_.erase(std::find(running_.begin(), running_.end(), item.call->caller));
    callEnded_.notify_all();
}

void TMainThreadQueue::CancelCallsFor(std::uint64_t window) {
    std::lock_guard lock(mutex_);
    CancelLocked([&](const TCall& call) { return call.window == window; });
}

void TMainThreadQueue::CancelLocked(const std::function<bool(const TCall&)>& which) {
    bool cancelled = false;
    std::erase_if(items_, [&](const TItem& item) {
        if (!item.call || item.call->state != TCall::Pending || !which(*item.call)) return false;
        item.call->state = TCall::Cancelled;
        cancelled = true;
        return true;
    });
    if (cancelled) callEnded_.notify_all();
}

const TMainThreadQueue::TWaitFrame* TMainThreadQueue::FindFrame(std::thread::id worker) const {
    for (auto frame = frames_.rbegin(); frame != frames_.rend(); ++frame) {
        if (frame->worker == worker) return &*frame;
    }
    return nullptr;
}

TMainThreadQueue::TWaitScope::TWaitScope(std::thread::id worker, TPendingCalls calls)
    : worker_(worker), calls_(calls) {
    TMainThreadQueue& queue = Instance();
    std::lock_guard lock(queue.mutex_);
    queue.frames_.push_back({worker_, calls_, &callWaiting_});
    if (calls_ == TPendingCalls::Cancel) {
        queue.CancelLocked([&](const TCall& call) { return call.caller == worker_; });
    } else if (std::any_of(queue.items_.begin(), queue.items_.end(), [&](const TItem& item) {
                   return item.call && item.call->caller == worker_;
               })) {
        callWaiting_.SetEvent();
    }
}

TMainThreadQueue::TWaitScope::~TWaitScope() {
    TMainThreadQueue& queue = Instance();
    std::lock_guard lock(queue.mutex_);
    queue.frames_.pop_back();
}

void TMainThreadQueue::TWaitScope::ServeCall() {
    TMainThreadQueue& queue = Instance();
    TItem item;
    {
        std::lock_guard lock(queue.mutex_);
        auto found = std::find_if(queue.items_.begin(), queue.items_.end(), [&](const TItem& i) {
            return i.call && i.call->caller == worker_ && i.call->state == TCall::Pending;
        });
        if (found == queue.items_.end()) return;
        item = std::move(*found);
        queue.items_.erase(found);
        item.call->state = TCall::Running;
        queue.running_.push_back(worker_);
    }
    queue.Run(item);
}

bool TMainThreadQueue::TWaitScope::WorkerBlockedByCaller() const {
    TMainThreadQueue& queue = Instance();
    std::lock_guard lock(queue.mutex_);
    return std::find(queue.running_.begin(), queue.running_.end(), worker_) != queue.running_.end();
}

// ---- MainThread.h ----

namespace {

std::mutex handlerMutex;
TUnexpectedExceptionHandler unexpectedExceptionHandler;

}  // namespace

void PostToMainThread(std::function<void()> work) {
    TMainThreadQueue::Instance().Post(std::move(work));
}

bool CallOnMainThread(std::function<void()> work) {
    return TMainThreadQueue::Instance().Call(std::move(work), 0);
}

bool CheckSynchronize() {
    if (!IsMainThread()) return false;
    TMainThreadQueue& queue = TMainThreadQueue::Instance();
    // Work queued while this runs waits for the next turn, so work that queues itself again
    // cannot keep the caller here for ever.
    bool ran = false;
    for (std::size_t n = queue.Waiting(); n > 0 && queue.DispatchOne(); --n) ran = true;
    return ran;
}

void SetUnexpectedExceptionHandler(TUnexpectedExceptionHandler handler) {
    std::lock_guard lock(handlerMutex);
    unexpectedExceptionHandler = std::move(handler);
}

void HandleUnexpectedException(std::exception_ptr exception) {
    TUnexpectedExceptionHandler handler;
    {
        std::lock_guard lock(handlerMutex);
        handler = unexpectedExceptionHandler;
    }
    if (handler) {
        handler(exception);
        return;
    }
    try {
        std::rethrow_exception(exception);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Unexpected exception: %s\n", e.what());
    } catch (...) {
        std::fputs("Unexpected exception\n", stderr);
    }
}

}  // namespace dsp
