#pragma once
// A small owner for transports under test. The test's own thread plays the UI thread: posted
// messages are collected, replies that a worker hands over (a blocking call to the UI thread)
// wait until the test pumps them, and the keep-alive timers fire when the test says so (on the
// manual clock's time).

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "framework/runtime/Clock.h"
#include "link/LinkMessages.h"
#include "link/LinkOwner.h"

namespace dsp {

class TestLinkOwner : public ILinkOwner {
public:
    struct Message {
        unsigned msg;
        std::uintptr_t wParam;
        std::intptr_t lParam;
    };
    struct Reply {
        unsigned msg;
        std::vector<std::uint8_t> frame;
        std::uint32_t roundTripMs;
    };

    // Called on the test thread for each reply pumped, before the worker goes on.
    std::function<void(const Reply&)> OnReply;

    TestLinkOwner() : uiThread_(std::this_thread::get_id()) {}
    ~TestLinkOwner() override;

    void PostLinkMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) override;
    bool SendLinkMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) override;
    std::unique_ptr<ILinkTimer> CreateTimer(unsigned intervalMs,
                                            std::function<void()> onTimer) override;

    // Handles the deliveries waiting now; returns how many.
    int Pump();
    // Pumps until done() holds or limit (real time) passes; true when done() held.
    bool PumpUntil(const std::function<bool()>& done,
                   std::chrono::milliseconds limit = std::chrono::seconds(10));
    // Waits (real time) until a worker is blocked in a delivery.
    bool WaitForDelivery(std::chrono::milliseconds limit = std::chrono::seconds(10));

    std::vector<Reply> Replies();
    std::vector<Message> Posted();
    std::vector<Message> LinkStates();

    // Fires every timer due at the current clock time, in order, as often as due.
    void FireDueTimers();
    int ActiveTimers();

private:
    class Timer;
    void Handle(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam);

    std::thread::id uiThread_;
    std::mutex mutex_;
    std::condition_variable changed_;
    int deliveriesWaiting_ = 0;
    std::vector<Message> posted_;
    std::vector<Reply> replies_;
    std::vector<Timer*> timers_;
};

}  // namespace dsp
