#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/runtime/Event.h"
#include "framework/runtime/MainThread.h"
#include "framework/runtime/MessageWindow.h"
#include "framework/runtime/Thread.h"
#include "tests/support/RunLoop.h"
#include "tests/support/UnexpectedExceptions.h"

namespace dsp {
namespace {

using test::RunLoopUntil;

TEST(MainThreadTest, PostedWorkRunsLaterOnTheUiThreadInOrder) {
    std::vector<std::string> journal;
    std::atomic<bool> workerDone{false};
    PostToMainThread([&] { journal.push_back("ui 1"); });
    auto worker = TThread::CreateAnonymousThread([&] {
        for (int i = 1; i <= 3; ++i) {
            PostToMainThread([&, i] {
                EXPECT_TRUE(IsMainThread());
                journal.push_back("worker " + std::to_string(i));
            });
        }
        workerDone = true;
    });
    worker->Start();
    ASSERT_TRUE(worker->WaitFor());
    PostToMainThread([&] { journal.push_back("ui 2"); });
    EXPECT_TRUE(journal.empty()) << "posting never runs the work at once";
    ASSERT_TRUE(RunLoopUntil([&] { return journal.size() == 5; }));
    EXPECT_EQ(journal,
              (std::vector<std::string>{"ui 1", "worker 1", "worker 2", "worker 3", "ui 2"}));
}

TEST(MainThreadTest, CallFromAWorkerWaitsUntilTheUiThreadRanIt) {
    int value = 0;  // touched only on the UI thread, and read by the worker after the call
    std::atomic<int> seenByWorker{-1};
    std::atomic<bool> ranOnUiThread{false};
    auto worker = TThread::CreateAnonymousThread([&] {
        const bool delivered = TThread::Synchronize([&] {
            ranOnUiThread = IsMainThread();
            value = 42;
        });
        seenByWorker = delivered ? value : -2;
    });
    worker->Start();
    ASSERT_TRUE(RunLoopUntil([&] { return seenByWorker.load() != -1; }));
    EXPECT_EQ(seenByWorker.load(), 42);
    EXPECT_TRUE(ranOnUiThread.load());
}

TEST(MainThreadTest, CallOnTheUiThreadRunsAtOnce) {
    bool ran = false;
    EXPECT_TRUE(CallOnMainThread([&] { ran = true; }));
    EXPECT_TRUE(ran);
}

TEST(MainThreadTest, NestedLoopOfQueuedWorkServesAWorkersCall) {
    std::atomic<bool> called{false}, nestedLoopSawIt{false}, outerDone{false};
    PostToMainThread([&] {
        // Like a modal form shown by a handler: the loop inside must go on serving calls.
        nestedLoopSawIt = RunLoopUntil([&] { return called.load(); });
        outerDone = true;
    });
    auto worker =
        TThread::CreateAnonymousThread([&] { TThread::Synchronize([&] { called = true; }); });
    worker->Start();
    ASSERT_TRUE(RunLoopUntil([&] { return outerDone.load(); }));
    EXPECT_TRUE(nestedLoopSawIt.load());
    EXPECT_TRUE(worker->WaitFor());
}

// A worker that hands the UI thread `calls` synchronised calls and then ends.
class TReporter : public TThread {
public:
    explicit TReporter(int calls) : calls_(calls) {}
    ~TReporter() override {
        Terminate();
        WaitFor(WaitInfinite, TPendingCalls::Cancel);
    }
    std::vector<int> delivered;  // UI thread only
    std::atomic<int> refused{0};

protected:
    void Execute() override {
        for (int i = 0; i < calls_; ++i) {
            if (!Synchronize([this, i] { delivered.push_back(i); })) ++refused;
        }
    }

private:
    int calls_;
};

TEST(MainThreadTest, WaitForOnTheUiThreadServesTheThreadsCalls) {
    TReporter reporter(3);
    reporter.Start();
    // No event loop runs here: without serving the calls this wait would never end.
    ASSERT_TRUE(reporter.WaitFor());
    EXPECT_EQ(reporter.delivered, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(reporter.refused.load(), 0);
}

TEST(MainThreadTest, CancelledCallsNeverRunAndTheWorkerEnds) {
    // The worker blocks in its first call; the UI thread stops it without serving it.
    TReporter reporter(3);
    reporter.Start();
    ASSERT_TRUE(reporter.WaitFor(WaitInfinite, TPendingCalls::Cancel));
    EXPECT_TRUE(reporter.delivered.empty());
    EXPECT_EQ(reporter.refused.load(), 3);
    test::RunPendingEvents();
    EXPECT_TRUE(reporter.delivered.empty()) << "a cancelled call must not run later";
}

TEST(MainThreadTest, CancellingRacesWithTheCallsWithoutHarm) {
    // Whatever point the worker has reached, stopping it ends it, and its object may go at once.
    for (int round = 0; round < 50; ++round) {
        auto reporter = std::make_unique<TReporter>(1 + round % 4);
        reporter->Start();
        if (round % 3 == 0) test::RunPendingEvents();
        EXPECT_TRUE(reporter->WaitFor(WaitInfinite, TPendingCalls::Cancel));
        const std::size_t ran = reporter->delivered.size();
        EXPECT_EQ(static_cast<int>(ran) + reporter->refused.load(), 1 + round % 4);
        reporter.reset();
    }
    test::RunPendingEvents();
}

TEST(MainThreadTest, WaitingForAThreadBlockedByTheCallerGivesUpAtOnce) {
    // The worker's call is running on the UI thread, and inside it the UI thread waits for that
    // very worker: it cannot end until the call returns, so the wait must not block.
    std::unique_ptr<TThread> worker;
    std::atomic<bool> waitResult{true}, callEnded{false};
    worker = TThread::CreateAnonymousThread([&] {
        TThread::Synchronize([&] {
            waitResult = worker->WaitFor(5000, TPendingCalls::Cancel);
            callEnded = true;
        });
    });
    worker->Start();
    ASSERT_TRUE(RunLoopUntil([&] { return callEnded.load(); }));
    EXPECT_FALSE(waitResult.load());
    EXPECT_TRUE(worker->WaitFor());
}

TEST(MainThreadTest, ExceptionsOfQueuedWorkGoToTheHandlerAndTheQueueGoesOn) {
    test::TUnexpectedExceptionRecorder recorder;
    bool nextRan = false;
    PostToMainThread([] { throw std::runtime_error("handler failed"); });
    PostToMainThread([&] { nextRan = true; });
    ASSERT_TRUE(RunLoopUntil([&] { return nextRan; }));
    EXPECT_EQ(recorder.Messages(), (std::vector<std::string>{"handler failed"}));
}

TEST(MainThreadTest, CheckSynchronizeRunsWhatIsQueuedWithoutALoop) {
    int runs = 0;
    std::function<void()> requeue = [&] {
        ++runs;
        PostToMainThread(requeue);
    };
    PostToMainThread(requeue);
    EXPECT_TRUE(CheckSynchronize());
    EXPECT_EQ(runs, 1) << "work queued while it runs waits for the next turn";
    EXPECT_TRUE(CheckSynchronize());
    EXPECT_EQ(runs, 2);
    // Leave nothing behind for the next test.
    requeue = [] {};
    CheckSynchronize();
}

}  // namespace
}  // namespace dsp
