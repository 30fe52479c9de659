#include <gtest/gtest.h>

#include <poll.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <chrono>

#include "framework/runtime/Clock.h"
#include "framework/runtime/Event.h"
#include "framework/runtime/ManualClock.h"
#include "framework/runtime/Thread.h"

namespace dsp {
namespace {

// A pipe whose read end a wait can watch.
class TPipe {
public:
    TPipe() { EXPECT_EQ(::pipe(ends_.data()), 0); }
    ~TPipe() {
        Close(0);
        Close(1);
    }
    int ReadEnd() const { return ends_[0]; }
    void Put() { EXPECT_EQ(::write(ends_[1], "x", 1), 1); }
    void Close(int end) {
        if (ends_[end] >= 0) ::close(ends_[end]);
        ends_[end] = -1;
    }

private:
    std::array<int, 2> ends_{-1, -1};
};

TEST(WaitForMultipleTest, LowestSignalledHandleWinsAndOnlyItResets) {
    TEvent received, send, quit;
    send.SetEvent();
    quit.SetEvent();
    EXPECT_EQ(WaitForMultiple({received, send, quit}, 0), 1);
    EXPECT_EQ(WaitForMultiple({received, send, quit}, 0), 2);
    EXPECT_EQ(WaitForMultiple({received, send, quit}, 0), wrTimeout);
}

TEST(WaitForMultipleTest, SettingASignalledEventLeavesOneSignal) {
    TEvent event;
    event.SetEvent();
    event.SetEvent();
    EXPECT_TRUE(event.WaitFor(0));
    EXPECT_FALSE(event.WaitFor(0));
    event.SetEvent();
    event.ResetEvent();
    EXPECT_FALSE(event.WaitFor(0));
}

TEST(WaitForMultipleTest, ManualResetEventStaysSignalledUntilReset) {
    TEvent ended(TEventReset::Manual);
    ended.SetEvent();
    EXPECT_TRUE(ended.WaitFor(0));
    EXPECT_TRUE(ended.WaitFor(0));
    ended.ResetEvent();
    EXPECT_FALSE(ended.WaitFor(0));
}

TEST(WaitForMultipleTest, ReadableDescriptorTakesItsPlaceInTheOrder) {
    TPipe port;
    TEvent send;
    port.Put();
    send.SetEvent();
    short readiness = 0;
    EXPECT_EQ(WaitForMultiple({TWaitable::Readable(port.ReadEnd()), send}, 0, &readiness), 0);
    EXPECT_TRUE(readiness & POLLIN);
    // A descriptor is not reset by the wait: it stays readable until it is read, and the event
    // after it is still signalled.
    EXPECT_EQ(WaitForMultiple({TWaitable::Readable(port.ReadEnd()), send}, 0), 0);
    EXPECT_EQ(WaitForMultiple({send, TWaitable::Readable(port.ReadEnd())}, 0), 0);
    EXPECT_EQ(WaitForMultiple({send, TWaitable::Readable(port.ReadEnd())}, 0), 1);
}

TEST(WaitForMultipleTest, HangUpOfADescriptorEndsTheWait) {
    TPipe port;
    port.Close(1);
    short readiness = 0;
    EXPECT_EQ(WaitForMultiple({TWaitable::Readable(port.ReadEnd())}, 0, &readiness), 0);
    EXPECT_TRUE(readiness & POLLHUP);
}

TEST(WaitForMultipleTest, InvalidHandlesFailTheWait) {
    TEvent quit;
    EXPECT_EQ(WaitForMultiple({quit, TWaitable::Readable(-1)}, 0), wrFailed);
    int closed;
    {
        TPipe pipe;
        closed = pipe.ReadEnd();
    }
    EXPECT_EQ(WaitForMultiple({quit, TWaitable::Readable(closed)}, WaitInfinite), wrFailed);
}

TEST(WaitForMultipleTest, RealTimeOutPassesWithoutASignal) {
    TEvent never;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(WaitForMultiple({never}, 20), wrTimeout);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(20));
}

TEST(WaitForMultipleTest, EventSetOnAnotherThreadEndsAnEndlessWait) {
    TEvent received, send;
    auto worker = TThread::CreateAnonymousThread([&] { send.SetEvent(); });
    worker->Start();
    EXPECT_EQ(WaitForMultiple({received, send}, WaitInfinite), 1);
}

class ManualClockWaitTest : public ::testing::Test {
protected:
    TManualClock clock_;
};

TEST_F(ManualClockWaitTest, TimeOutPassesOnlyWhenTheClockReachesIt) {
    TEvent never;
    std::atomic<int> result{1};
    auto worker = TThread::CreateAnonymousThread([&] { result = WaitForMultiple({never}, 800); });
    worker->Start();
    ASSERT_TRUE(clock_.WaitForWaiters(1));
    clock_.Advance(std::chrono::milliseconds(799));
    // Still waiting: its deadline lies ahead of the clock.
    ASSERT_TRUE(clock_.WaitForWaiters(1));
    EXPECT_EQ(result.load(), 1);
    clock_.Advance(std::chrono::milliseconds(1));
    ASSERT_TRUE(worker->WaitFor());
    EXPECT_EQ(result.load(), wrTimeout);
}

TEST_F(ManualClockWaitTest, OneSignalWakesOneOfTwoWaiters) {
    TEvent send;
    std::atomic<int> woken{0}, timedOut{0};
    auto wait = [&] {
        const int r = WaitForMultiple({send}, 1000);
        (r == 0 ? woken : timedOut)++;
    };
    auto first = TThread::CreateAnonymousThread(wait);
    auto second = TThread::CreateAnonymousThread(wait);
    first->Start();
    second->Start();
    ASSERT_TRUE(clock_.WaitForWaiters(2));
    send.SetEvent();
    clock_.Advance(std::chrono::milliseconds(1000));
    ASSERT_TRUE(first->WaitFor());
    ASSERT_TRUE(second->WaitFor());
    EXPECT_EQ(woken.load(), 1);
    EXPECT_EQ(timedOut.load(), 1);
}

TEST_F(ManualClockWaitTest, PerformanceCounterFollowsTheClock) {
    const auto sent = PerformanceCounter();
    clock_.Advance(std::chrono::milliseconds(1500));
    EXPECT_EQ((PerformanceCounter() - sent) * 1000 / PerformanceFrequency(), 1500);
    EXPECT_EQ(MonotonicMs(),
              std::chrono::duration_cast<std::chrono::milliseconds>(clock_.Now()).count());
}

}  // namespace
}  // namespace dsp
