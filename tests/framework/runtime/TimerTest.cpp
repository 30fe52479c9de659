#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/runtime/Clock.h"
#include "framework/runtime/MainThread.h"
#include "framework/runtime/ManualClock.h"
#include "framework/runtime/Timer.h"
#include "tests/support/RunLoop.h"
#include "tests/support/UnexpectedExceptions.h"

namespace dsp {
namespace {

using std::chrono::milliseconds;
using test::RunLoopUntil;

// Timers on a clock that moves only when the test says; every firing is journaled as
// "name@ms", ms counted from the fixture's start.
class TimerTest : public ::testing::Test {
protected:
    std::unique_ptr<TTimer> MakeTimer(const std::string& name, unsigned interval) {
        auto timer = std::make_unique<TTimer>(nullptr);
        timer->SetInterval(interval);
        timer->SetOnTimer([this, name](TObject*) { Record(name); });
        return timer;
    }
    void Record(const std::string& name) {
        journal_.push_back(name + "@" + std::to_string(Elapsed()));
    }
    long long Elapsed() const { return MonotonicMs() - start_; }

    TManualClock clock_;
    std::vector<std::string> journal_;

private:
    long long start_ = MonotonicMs();
};

struct TRestartCase {
    const char* name;
    std::function<void(TTimer&)> at200;
    std::vector<std::string> firings;  // within the first 1000 ms
};

TEST_F(TimerTest, WhatRestartsARunningTimer) {
    const TRestartCase cases[] = {
        {"enabling an enabled timer",
         [](TTimer& t) { t.SetEnabled(true); },
         {"t@300", "t@600", "t@900"}},
        {"setting the same interval",
         [](TTimer& t) { t.SetInterval(300); },
         {"t@300", "t@600", "t@900"}},
        {"disabling and enabling",
         [](TTimer& t) {
             t.SetEnabled(false);
             t.SetEnabled(true);
         },
         {"t@500", "t@800"}},
        {"setting another interval", [](TTimer& t) { t.SetInterval(400); }, {"t@600", "t@1000"}},
        {"setting the handler",
         [this](TTimer& t) { t.SetOnTimer([this](TObject*) { Record("t"); }); },
         {"t@500", "t@800"}},
        {"setting interval 0", [](TTimer& t) { t.SetInterval(0); }, {}},
        {"removing the handler", [](TTimer& t) { t.SetOnTimer(nullptr); }, {}},
        {"disabling", [](TTimer& t) { t.SetEnabled(false); }, {}},
    };
    for (const TRestartCase& c : cases) {
        SCOPED_TRACE(c.name);
        journal_.clear();
        const long long begin = Elapsed();
        auto timer = MakeTimer("t", 300);
        clock_.Advance(milliseconds(200));
        c.at200(*timer);
        clock_.Advance(milliseconds(800));
        std::vector<std::string> relative;
        for (const std::string& entry : journal_) {
            const auto at = entry.find('@');
            relative.push_back(entry.substr(0, at + 1) +
                               std::to_string(std::stoll(entry.substr(at + 1)) - begin));
        }
        EXPECT_EQ(relative, c.firings);
    }
}

TEST_F(TimerTest, NewTimerIsEnabledWithOneSecond) {
    TTimer timer(nullptr);
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 1000u);
    timer.SetOnTimer([this](TObject*) { Record("t"); });
    clock_.Advance(milliseconds(2500));
    EXPECT_EQ(journal_, (std::vector<std::string>{"t@1000", "t@2000"}));
}

TEST_F(TimerTest, AdvancingFiresTimersInDueOrderAtTheirDueTimes) {
    auto slow = MakeTimer("slow", 250);
    auto fast = MakeTimer("fast", 100);
    clock_.Advance(milliseconds(500));
    EXPECT_EQ(journal_, (std::vector<std::string>{"fast@100", "fast@200", "slow@250", "fast@300",
                                                  "fast@400", "slow@500", "fast@500"}));
}

TEST_F(TimerTest, HandlerThatDisablesItsTimerMakesAOneShot) {
    TTimer connect(nullptr);
    connect.SetInterval(300);
    connect.SetOnTimer([&](TObject* sender) {
        static_cast<TTimer*>(sender)->SetEnabled(false);
        Record("connect");
    });
    clock_.Advance(milliseconds(1000));
    EXPECT_EQ(journal_, (std::vector<std::string>{"connect@300"}));
    connect.SetEnabled(true);  // started again, it fires once more
    clock_.Advance(milliseconds(1000));
    EXPECT_EQ(journal_, (std::vector<std::string>{"connect@300", "connect@1300"}));
}

TEST_F(TimerTest, OneMillisecondTimerRunsAtTheNextTurnOfTheLoop) {
    TTimer curve(nullptr);
    curve.SetEnabled(false);
    curve.SetInterval(1);
    curve.SetOnTimer([&](TObject*) {
        curve.SetEnabled(false);
        Record("curve");
    });
    bool handlerReturned = false;
    PostToMainThread([&] {
        curve.SetEnabled(true);  // as an edit handler does
        EXPECT_TRUE(journal_.empty()) << "not inside the handler that started it";
        handlerReturned = true;
    });
    ASSERT_TRUE(RunLoopUntil([&] { return !journal_.empty(); }));
    EXPECT_TRUE(handlerReturned);
    EXPECT_EQ(journal_, (std::vector<std::string>{"curve@0"})) << "the clock need not move";
    test::RunPendingEvents();
    EXPECT_EQ(journal_.size(), 1u);
}

TEST_F(TimerTest, HandlerMayDestroyATimerThatIsDueToo) {
    std::unique_ptr<TTimer> second;
    TTimer first(nullptr);
    first.SetInterval(100);
    first.SetOnTimer([&](TObject*) {
        Record("first");
        second.reset();
    });
    second = MakeTimer("second", 100);  // due at the same time, after the first
    clock_.Advance(milliseconds(250));
    EXPECT_EQ(journal_, (std::vector<std::string>{"first@100", "first@200"}));
}

TEST_F(TimerTest, OwnerFreesItsTimersAndTheyStop) {
    auto form = std::make_unique<TComponent>(nullptr);
    auto* timer = new TTimer(form.get());
    timer->SetOnTimer([this](TObject*) { Record("t"); });
    form.reset();
    clock_.Advance(milliseconds(5000));
    EXPECT_TRUE(journal_.empty());
}

TEST_F(TimerTest, ExceptionInAHandlerIsReportedAndTheTimerGoesOn) {
    test::TUnexpectedExceptionRecorder recorder;
    TTimer timer(nullptr);
    timer.SetInterval(100);
    timer.SetOnTimer([&](TObject*) {
        Record("t");
        throw std::runtime_error("tick failed");
    });
    clock_.Advance(milliseconds(200));
    EXPECT_EQ(journal_, (std::vector<std::string>{"t@100", "t@200"}));
    EXPECT_EQ(recorder.Messages(), (std::vector<std::string>{"tick failed", "tick failed"}));
}

TEST(RealClockTimerTest, TimerFiresFromTheEventLoop) {
    int ticks = 0;
    TTimer timer(nullptr);
    timer.SetInterval(10);
    timer.SetOnTimer([&](TObject*) { ++ticks; });
    const long long start = MonotonicMs();
    ASSERT_TRUE(RunLoopUntil([&] { return ticks >= 2; }));
    EXPECT_GE(MonotonicMs() - start, 20);
}

TEST(RealClockTimerTest, TimersGoOnInANestedLoopOfAHandlerThatTouchesNoTimer) {
    int ticks = 0;
    TTimer keepAlive(nullptr);
    keepAlive.SetInterval(10);
    keepAlive.SetOnTimer([&](TObject*) { ++ticks; });
    bool shown = false, sawTicks = false;
    TTimer showDialog(nullptr);
    showDialog.SetInterval(5);
    showDialog.SetOnTimer([&](TObject*) {
        if (shown) return;
        shown = true;
        const int before = ticks;
        sawTicks = RunLoopUntil([&] { return ticks >= before + 3; }, std::chrono::seconds(5));
    });
    ASSERT_TRUE(RunLoopUntil([&] { return shown; }));
    EXPECT_TRUE(sawTicks);
}

}  // namespace
}  // namespace dsp
