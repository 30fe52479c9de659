#include "tests/link/TestLinkOwner.h"

#include <algorithm>

#include "framework/runtime/MainThread.h"

namespace dsp {

class TestLinkOwner::Timer : public ILinkTimer {
public:
    Timer(TestLinkOwner& owner, unsigned intervalMs, std::function<void()> onTimer)
        : owner_(owner),
          interval_(std::chrono::milliseconds(intervalMs)),
          onTimer_(std::move(onTimer)) {
        Restart();
    }
    ~Timer() override {
        auto& t = owner_.timers_;
        t.erase(std::remove(t.begin(), t.end(), this), t.end());
    }
    void Restart() override {
        due_ = MonotonicTime() + interval_;
        active_ = true;
    }
    void Stop() override { active_ = false; }

    TestLinkOwner& owner_;
    TClockTime interval_;
    std::function<void()> onTimer_;
    TClockTime due_{};
    bool active_ = false;
};

TestLinkOwner::~TestLinkOwner() = default;

void TestLinkOwner::PostLinkMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) {
    std::lock_guard<std::mutex> guard(mutex_);
    posted_.push_back({msg, wParam, lParam});
    changed_.notify_all();
}

void TestLinkOwner::Handle(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) {
    // The worker waits, so its frame buffer holds still while the reply is handled.
    Reply r{msg, ReplyFrameOf(wParam), static_cast<std::uint32_t>(lParam)};
    {
        std::lock_guard<std::mutex> guard(mutex_);
        replies_.push_back(r);
    }
    if (OnReply) OnReply(r);
}

bool TestLinkOwner::SendLinkMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) {
    if (std::this_thread::get_id() == uiThread_) {
        Handle(msg, wParam, lParam);
        return true;
    }
    {
        std::lock_guard<std::mutex> guard(mutex_);
        ++deliveriesWaiting_;
        changed_.notify_all();
    }
    const bool handled = CallOnMainThread([&] { Handle(msg, wParam, lParam); });
    std::lock_guard<std::mutex> guard(mutex_);
    --deliveriesWaiting_;
    return handled;
}

int TestLinkOwner::Pump() {
    int handled = 0;
    while (CheckSynchronize()) ++handled;
    return handled;
}

bool TestLinkOwner::PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (Pump() > 0) continue;
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return true;
}

bool TestLinkOwner::WaitForDelivery(std::chrono::milliseconds limit) {
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, limit, [&] { return deliveriesWaiting_ > 0; });
}

std::vector<TestLinkOwner::Reply> TestLinkOwner::Replies() {
    std::lock_guard<std::mutex> guard(mutex_);
    return replies_;
}

std::vector<TestLinkOwner::Message> TestLinkOwner::Posted() {
    std::lock_guard<std::mutex> guard(mutex_);
    return posted_;
}

std::vector<TestLinkOwner::Message> TestLinkOwner::LinkStates() {
    std::vector<Message> states;
    for (const Message& m : Posted()) {
        if (m.msg == WM_LINK_STATE) states.push_back(m);
    }
    return states;
}

std::unique_ptr<ILinkTimer> TestLinkOwner::CreateTimer(unsigned intervalMs,
                                                       std::function<void()> onTimer) {
    auto timer = std::make_unique<Timer>(*this, intervalMs, std::move(onTimer));
    timers_.push_back(timer.get());
    return timer;
}

void TestLinkOwner::FireDueTimers() {
    for (;;) {
        Timer* next = nullptr;
        for (Timer* t : timers_) {
            if (t->active_ && t->due_ <= MonotonicTime() && (!next || t->due_ < next->due_))
                next = t;
        }
        if (!next) return;
        next->due_ += next->interval_;
        next->onTimer_();
    }
}

int TestLinkOwner::ActiveTimers() {
    return static_cast<int>(
        std::count_if(timers_.begin(), timers_.end(), [](Timer* t) { return t->active_; }));
}

}  // namespace dsp
