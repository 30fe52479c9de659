#pragma once
// The queue behind MainThread.h, message windows and TThread: the runtime's own use only.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "framework/runtime/Event.h"
#include "framework/runtime/Thread.h"

namespace dsp {

class TMainThreadQueue {
public:
    static TMainThreadQueue& Instance();

    void Post(std::function<void()> work);
    // A blocking call from a worker; `window` is the message window it is for (0 for none), so
    // that freeing the window cancels it. `stillWanted`, when given, is asked under the queue's
    // lock just before the call is queued: false refuses it, which closes the gap between the
    // caller's own check and a cancellation that ran before the call was queued.
    bool Call(std::function<void()> work, std::uint64_t window,
              const std::function<bool()>& stillWanted = nullptr);

    // UI thread: runs the oldest queued work; false when nothing waits.
    bool DispatchOne();
    std::size_t Waiting() const;
    // Readable while work waits: the event loop watches it.
    int WakeHandle() const { return wake_.Handle(); }

    // Cancels the calls waiting for a window that is being freed.
    void CancelCallsFor(std::uint64_t window);

    // UI thread, while it waits for a worker: what it does with that worker's calls.
    class TWaitScope {
    public:
        TWaitScope(std::thread::id worker, TPendingCalls calls);
        ~TWaitScope();
        TWaitScope(const TWaitScope&) = delete;
        TWaitScope& operator=(const TWaitScope&) = delete;
        // Signalled when the worker has a call waiting to be served.
        const TEvent& CallWaiting() const { return callWaiting_; }
        // Runs the worker's waiting call, if any.
        void ServeCall();
        // True when the worker waits for a call that the UI thread is running further up its
        // own stack: the worker cannot end before the UI thread returns there.
        bool WorkerBlockedByCaller() const;

    private:
        std::thread::id worker_;
        TPendingCalls calls_;
        TEvent callWaiting_;
    };

private:
    struct TCall;
    struct TItem {
        std::function<void()> work;
        std::shared_ptr<TCall> call;  // null for posted work
    };
    struct TWaitFrame {
        std::thread::id worker;
        TPendingCalls calls;
        TEvent* callWaiting;
    };

    TMainThreadQueue() = default;
    const TWaitFrame* FindFrame(std::thread::id worker) const;
    void Run(TItem& item);
    void CancelLocked(const std::function<bool(const TCall&)>& which);

    mutable std::mutex mutex_;
    std::condition_variable callEnded_;
    std::deque<TItem> items_;
    std::vector<TWaitFrame> frames_;
    std::vector<std::thread::id> running_;
    TEvent wake_;
};

}  // namespace dsp
