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

// What the UI thread does, while it waits for a worker, with the calls that worker makes to it
// (Synchronize, CallOnMainThread, SendMessage).
enum class TPendingCalls {
    Serve,   // runs them, so the worker can go on and end
    Cancel,  // refuses them: the worker's call returns false without running, now and until the
             // wait ends
};

class TThread {
public:
    TThread();
    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;
    // Asks a running thread to stop and waits for it, cancelling its calls to the UI thread. A
    // thread that waits for a call the UI thread is running cannot be waited for, and destroying
    // it then ends the program with a message. A class whose Execute uses members of its
    // own must stop the thread in its own destructor (Stop), because those members are gone by
    // the time this one runs.
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
    // the time-out (on the clock in force) passed first. On the UI thread the wait serves or
    // cancels the thread's calls to the UI thread as `calls` says, and returns false at once when
    // the thread waits for a call that the UI thread is running further up its own stack, since
    // the thread cannot end before that call returns. Called on the thread itself it returns
    // false at once.
    bool WaitFor(unsigned timeoutMs = WaitInfinite, TPendingCalls calls = TPendingCalls::Serve);

    // Runs method on the UI thread and waits for it (see CallOnMainThread); any thread. False
    // when the UI thread cancelled the call.
    static bool Synchronize(std::function<void()> method);

    // The exception that ended Execute, if one did.
    std::exception_ptr FatalException() const { return fatalException_; }

    // The thread's identity while it runs (a default identity before).
    std::thread::id ThreadID() const { return threadId_.load(); }

    // A thread that runs the given procedure as its Execute.
    static std::unique_ptr<TThread> CreateAnonymousThread(std::function<void()> procedure);

protected:
    virtual void Execute() = 0;

    // What the destructor does: Terminate, then wait for the thread cancelling its calls. For the
    // destructors of derived classes whose Execute uses their own members.
    void Stop();

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
