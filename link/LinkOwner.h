#pragma once
// What a transport needs of the window that owns it: messages posted to it, replies handed to it
// synchronously from the worker thread (a hand-over the closing UI thread cancels), and the
// keep-alive timer. LLinkWindow is the owner the program uses.

#include <cstdint>
#include <functional>
#include <memory>

namespace dsp {

// A UI-thread timer that the owner keeps for a transport (its keep-alive).
class ILinkTimer {
public:
    virtual ~ILinkTimer() = default;
    // The next tick is due a whole interval from now (also when the timer was stopped).
    virtual void Restart() = 0;
    virtual void Stop() = 0;
};

class ILinkOwner {
public:
    virtual ~ILinkOwner() = default;

    // Any thread: the message is handled later on the UI thread.
    virtual void PostLinkMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) = 0;

    // Worker thread: has the UI thread handle the message and waits until it has (a blocking
    // call to the UI thread). Returns false, with the message not handled, when the UI thread
    // cancelled the call: it does so while it waits for the worker to end (a closing link). On
    // the UI thread itself the message is handled at once.
    virtual bool SendLinkMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) = 0;

    // UI thread: a running timer, owned by the owner, that calls onTimer every intervalMs on
    // the UI thread until stopped or destroyed.
    virtual std::unique_ptr<ILinkTimer> CreateTimer(unsigned intervalMs,
                                                    std::function<void()> onTimer) = 0;
};

}  // namespace dsp
