#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>

#include "framework/runtime/CriticalSection.h"
#include "framework/runtime/Event.h"
#include "framework/runtime/ManualClock.h"
#include "framework/runtime/Thread.h"

namespace dsp {
namespace {

// Counts turns until asked to stop, waiting on its own event between turns.
class TTicker : public TThread {
public:
    ~TTicker() override {
        Terminate();
        wake.SetEvent();
        WaitFor();
    }
    std::atomic<int> turns{0};
    TEvent wake, turned;

protected:
    void Execute() override {
        while (!Terminated()) {
            ++turns;
            turned.SetEvent();
            wake.WaitFor(WaitInfinite);
        }
    }
};

TEST(ThreadTest, RunsExecuteAfterStartUntilTerminated) {
    TTicker ticker;
    EXPECT_TRUE(ticker.WaitFor(0)) << "a thread never started counts as ended";
    ticker.Start();
    ticker.Start();
    ASSERT_TRUE(ticker.turned.WaitFor(WaitInfinite));
    ticker.wake.SetEvent();
    ASSERT_TRUE(ticker.turned.WaitFor(WaitInfinite));
    ticker.Terminate();
    ticker.wake.SetEvent();
    EXPECT_TRUE(ticker.WaitFor());
    EXPECT_TRUE(ticker.Finished());
    EXPECT_EQ(ticker.turns.load(), 2) << "a second Start must not run Execute again";
    EXPECT_EQ(ticker.FatalException(), nullptr);
}

TEST(ThreadTest, DestroyingARunningThreadStopsIt) {
    auto ticker = std::make_unique<TTicker>();
    ticker->Start();
    ticker.reset();  // must not hang or leave the thread running
}

TEST(ThreadTest, ExceptionEndingExecuteIsKept) {
    auto thread = TThread::CreateAnonymousThread([] { throw std::runtime_error("port gone"); });
    thread->Start();
    ASSERT_TRUE(thread->WaitFor());
    ASSERT_NE(thread->FatalException(), nullptr);
    EXPECT_THROW(std::rethrow_exception(thread->FatalException()), std::runtime_error);
}

TEST(ThreadTest, WaitingForItselfReturnsAtOnce) {
    std::atomic<bool> result{true};
    TThread* self = nullptr;
    auto thread = TThread::CreateAnonymousThread([&] { result = self->WaitFor(); });
    self = thread.get();
    thread->Start();
    ASSERT_TRUE(thread->WaitFor());
    EXPECT_FALSE(result.load());
}

TEST(ThreadTest, WaitForGivesUpWhenTheTimeOutPassesOnTheClock) {
    TManualClock clock;
    TEvent release;
    auto stuck = TThread::CreateAnonymousThread([&] { release.WaitFor(WaitInfinite); });
    stuck->Start();
    auto advancer = TThread::CreateAnonymousThread([&] {
        clock.WaitForWaiters(2);  // the stuck thread and the wait for it
        clock.Advance(std::chrono::milliseconds(5000));
    });
    advancer->Start();
    EXPECT_FALSE(stuck->WaitFor(5000));
    EXPECT_FALSE(stuck->Finished());
    release.SetEvent();
    EXPECT_TRUE(stuck->WaitFor());
    advancer->WaitFor();
}

TEST(ThreadTest, MainThreadIsTheFirstThread) {
    EXPECT_TRUE(IsMainThread());
    std::atomic<bool> onWorker{true};
    auto thread = TThread::CreateAnonymousThread([&] { onWorker = IsMainThread(); });
    thread->Start();
    thread->WaitFor();
    EXPECT_FALSE(onWorker.load());
}

TEST(CriticalSectionTest, HolderMayEnterAgainOthersMayNot) {
    TCriticalSection lock;
    lock.Enter();
    EXPECT_TRUE(lock.TryEnter());
    lock.Leave();
    std::atomic<bool> otherGotIn{true};
    auto other = TThread::CreateAnonymousThread([&] { otherGotIn = lock.TryEnter(); });
    other->Start();
    other->WaitFor();
    EXPECT_FALSE(otherGotIn.load());
    lock.Leave();
    auto later = TThread::CreateAnonymousThread([&] {
        std::lock_guard guard(lock);
        otherGotIn = true;
    });
    later->Start();
    later->WaitFor();
    EXPECT_TRUE(otherGotIn.load());
}

}  // namespace
}  // namespace dsp
