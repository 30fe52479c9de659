#pragma once
// A thread of the program's own: Execute runs on it after Start, Terminate asks it to stop (it
// looks at Terminated), WaitFor waits for it to end.

#include <atomic>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "framework/runtime/Event.h"

namespace dsp {

// True on the program's UI thread (its first thread).
bool IsMainThread();

class TThread {
public:
    TThread();
    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;
    // Asks a running thread to stop and waits for it. A class whose Execute uses members of its
    // own must stop the thread in its own destructor (Terminate, then WaitFor), because those
    // members are gone by the time this one runs.
    virtual ~TThread();

    // Starts Execute on a new thread; a second call does nothing. EOSError when no thread can be
    // started.
    void Start();
    bool Started() const { return started_; }

    void Terminate() { terminated_.store(true); }
    bool Terminated() const { return terminated_.load(); }

    // True once Execute has returned.
    bool Finished() const { return finished_.load(); }

    // Waits until Execute has returned; true when it has (also when it never started), false when
    // the time-out passed first. Called on the thread itself it returns false at once.
    bool WaitFor(unsigned timeoutMs = WaitInfinite);

    // The exception that ended Execute, if one did.
    std::exception_ptr FatalException() const { return fatalException_; }

    // The thread's identity while it runs (a default identity before).
    std::thread::id ThreadID() const { return threadId_.load(); }

    // A thread that runs the given procedure as its Execute.
    static std::unique_ptr<TThread> CreateAnonymousThread(std::function<void()> procedure);

protected:
    virtual void Execute() = 0;

private:
    void Run();
    void Join();

    std::thread thread_;
    std::atomic<std::thread::id> threadId_{};
    std::mutex joinMutex_;
    TEvent finishedEvent_{TEventReset::Manual};
    std::atomic<bool> started_{false};
    std::atomic<bool> terminated_{false};
    std::atomic<bool> finished_{false};
    std::exception_ptr fatalException_;
};

}  // namespace dsp
