#include "link/LinkWorker.h"

namespace dsp {

bool LLinkWorker::Start(std::function<void()> proc, std::atomic<bool>& open) {
    Join();  // an earlier worker that ended on its own
    try {
        thread_ = TThread::CreateAnonymousThread(std::move(proc));
        open = true;
        thread_->Start();
    } catch (...) {
        open = false;
        thread_.reset();
        return false;
    }
    return true;
}

bool LLinkWorker::WaitStopped(unsigned limitMs) {
    if (!thread_ || thread_->Finished()) return true;
    return thread_->WaitFor(limitMs, TPendingCalls::Cancel);
}

bool LLinkWorker::Release() {
    if (thread_ && !thread_->Finished()) return false;
    thread_.reset();
    return true;
}

void LLinkWorker::Join() {
    if (!thread_) return;
    thread_->WaitFor(WaitInfinite, TPendingCalls::Cancel);
    thread_.reset();
}

}  // namespace dsp
