#pragma once
// What a transport needs of the window that owns it: messages posted to it, replies handed to it
// synchronously from the worker thread (a hand-over the closing UI thread can cancel), and the
// keep-alive timer.

#include <cstdint>
#include <functional>
#include <memory>

namespace dsp {

// A UI-thread timer that the owner keeps for a transport (its keep-alive).
class LLinkTimer {
public:
    virtual ~LLinkTimer() = default;
    // The next tick is due a whole interval from now (also when the timer was stopped).
    virtual void Restart() = 0;
    virtual void Stop() = 0;
};

class LLinkOwner {
public:
    virtual ~LLinkOwner() = default;

    // Any thread: the message is handled later on the UI thread.
    virtual void PostLinkMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) = 0;

    // Worker thread: has the UI thread handle the message and waits until it has. Returns false,
    // without the message handled, when the delivery was cancelled (CancelDeliveries) before
    // the UI thread took it up. On the UI thread itself the message is handled at once.
    virtual bool SendLinkMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam,
                                 const void* sender) = 0;

    // UI thread: every delivery that sender has waiting is cancelled, and until AcceptDeliveries
    // every further one from it returns false at once; none is taken up after this returns.
    virtual void CancelDeliveries(const void* sender) = 0;
    // UI thread: deliveries from sender are taken again (a link that opens calls it).
    virtual void AcceptDeliveries(const void* sender) = 0;

    // UI thread: a running timer, owned by the owner, that calls onTimer every intervalMs on
    // the UI thread until stopped or destroyed.
    virtual std::unique_ptr<LLinkTimer> CreateTimer(unsigned intervalMs,
                                                    std::function<void()> onTimer) = 0;
};

}  // namespace dsp
