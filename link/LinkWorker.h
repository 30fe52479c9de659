#pragma once
// The worker thread of a link, as the serial link and the USB and network links run it. A new
// worker first collects the one before it (which ended on its own); a stop waits a limited
// time. Waiting cancels a call the worker is making into the waiting thread (a reply it hands
// over), so the worker drops the reply and ends.

#include <atomic>
#include <functional>
#include <memory>

#include "framework/runtime/Thread.h"

namespace dsp {

class LLinkWorker {
public:
    // Starts proc on a new thread. `open` is set before the thread starts (the worker clears it
    // as it ends). False, with `open` clear and no worker, when no thread can be had.
    bool Start(std::function<void()> proc, std::atomic<bool>& open);
    // Waits up to limitMs for a running worker to end; false when it still runs.
    bool WaitStopped(unsigned limitMs);
    // Lets a worker that has ended go; false while one still runs (what it uses must stay).
    bool Release();
    // Waits for the worker without limit and lets it go.
    void Join();
    // A worker was started and has not been let go.
    bool Exists() const { return thread_ != nullptr; }

private:
    std::unique_ptr<TThread> thread_;
};

}  // namespace dsp
