// The workers' resend and give-up timing, stepped on the manual clock.

#include <gtest/gtest.h>

#include <mutex>

#include "framework/os/PseudoTerminal.h"
#include "framework/os/SerialPortList.h"
#include "framework/runtime/ManualClock.h"
#include "link/Lcomm.h"
#include "link/Lnet.h"
#include "link/Lusb.h"
#include "model/Lcmd.h"
#include "tests/link/TestLinkOwner.h"

namespace dsp {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

const Bytes kKeepAlive = {0x10, 0x02, 0x00, 0x01, 0x01, 0x12, 0x10, 0x03, 0x13};
const Bytes kGain = {0x10, 0x02, 0x00, 0x07, 0x04, 0x34, 0x03, 0x18, 0x01, 0x10, 0x03, 0x2C};

// What a worker did, by time-out step: frames written and link states posted.
struct Timeline {
    std::vector<int> writesAt;  // step at which each write happened (0: before any)
    std::vector<int> replyTimeoutsAt;
};

// Drives a USB or network link through its time-outs.
template <class Link>
class ChunkLinkTiming {
public:
    ChunkLinkTiming() {
        link.SetWriteRoutine([this](const std::uint8_t* bytes, std::size_t count) {
            std::lock_guard<std::mutex> guard(mutex);
            written.emplace_back(bytes, bytes + count);
            timeline.writesAt.push_back(step);
        });
    }
    bool Open() { return link.OpenLink(); }
    // Hands a frame to the worker and waits until it was written.
    void Send(const Bytes& frame) {
        const std::size_t before = Writes();
        link.SendBytes(frame);
        ASSERT_TRUE(owner.PumpUntil([&] { return Writes() > before; }));
    }
    std::size_t Writes() {
        std::lock_guard<std::mutex> guard(mutex);
        return written.size();
    }
    // One time-out: the worker waits, the clock passes its time-out, the worker waits again.
    void Step() {
        ASSERT_TRUE(clock.WaitForWaiters(1));
        {
            std::lock_guard<std::mutex> guard(mutex);
            ++step;
        }
        clock.Advance(std::chrono::milliseconds(link.GetWaitTimeout()));
        ASSERT_TRUE(clock.WaitForWaiters(1));
        const auto states = owner.LinkStates();
        while (seenStates < states.size()) {
            if (states[seenStates].wParam == lsReplyTimeout) {
                timeline.replyTimeoutsAt.push_back(step);
                lastReceiver = static_cast<int>(states[seenStates].lParam);
            }
            ++seenStates;
        }
    }

    TManualClock clock;
    TestLinkOwner owner;
    std::mutex mutex;
    std::vector<Bytes> written;
    Timeline timeline;
    int step = 0;
    std::size_t seenStates = 0;
    int lastReceiver = -1;
    Link link{&owner};  // last: its worker stops before the rest goes
};

TEST(UsbLinkTiming, RewritesTwiceThenGivesUpAtTheSeventhTimeOut) {
    ChunkLinkTiming<LUsb> t;
    ASSERT_TRUE(t.Open());
    t.Send(kGain);
    for (int i = 0; i < 7; ++i) t.Step();
    EXPECT_EQ(t.timeline.writesAt, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(t.timeline.replyTimeoutsAt, std::vector<int>{7});
    EXPECT_EQ(t.lastReceiver, 7);  // the frame's receiver ID
    EXPECT_EQ(t.written.back(), kGain);
}

TEST(NetLinkTiming, AnAnswerDoesNotStopTheRewritesNorTheGiveUp) {
    ChunkLinkTiming<LNet> t;
    ASSERT_TRUE(t.Open());
    t.Send(kKeepAlive);
    const Bytes ack = {0x10, 0x02, 0x01, 0x00, 0x01, 0x01, 0x10, 0x03, 0x12};
    t.link.PutReceived(ack.data(), ack.size());  // within the first wait
    // The base link posts each byte: wait until the worker has taken them all.
    ASSERT_TRUE(t.owner.PumpUntil([&] { return t.owner.Posted().size() >= ack.size(); }));
    ASSERT_EQ(t.owner.Posted().size(), ack.size());
    EXPECT_EQ(t.owner.Posted()[0].msg, WM_LINK_RXBYTE);
    for (int i = 0; i < 7; ++i) t.Step();
    EXPECT_EQ(t.timeline.writesAt, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(t.timeline.replyTimeoutsAt, std::vector<int>{7});
}

TEST(UsbLinkTiming, ANewFrameStartsTheCountAgain) {
    ChunkLinkTiming<LUsb> t;
    ASSERT_TRUE(t.Open());
    t.Send(kGain);
    t.Step();
    t.Step();
    t.Step();  // the first miss
    t.Send(kKeepAlive);
    for (int i = 0; i < 7; ++i) t.Step();
    EXPECT_EQ(t.timeline.writesAt, (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(t.timeline.replyTimeoutsAt, std::vector<int>{10});
    EXPECT_EQ(t.lastReceiver, 1);
}

TEST(UsbLinkTiming, WithoutResendsEveryTimeOutFromTheFifthGivesUp) {
    ChunkLinkTiming<LUsb> t;
    t.link.SetMaxResends(0);
    ASSERT_TRUE(t.Open());
    t.Send(kGain);
    for (int i = 0; i < 7; ++i) t.Step();
    EXPECT_EQ(t.timeline.writesAt, std::vector<int>{0});
    EXPECT_EQ(t.timeline.replyTimeoutsAt, (std::vector<int>{5, 6, 7}));
}

TEST(UsbLinkTiming, AfterAGiveUpTheEmptyBufferIsNotWrittenAgain) {
    ChunkLinkTiming<LUsb> t;
    ASSERT_TRUE(t.Open());
    t.Send(kGain);
    for (int i = 0; i < 14; ++i) t.Step();
    // Two silent resend steps on the empty buffer (they reset the miss count), then the
    // misses again.
    EXPECT_EQ(t.timeline.writesAt, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(t.timeline.replyTimeoutsAt, (std::vector<int>{7, 14}));
}

TEST(UsbLinkTiming, ATimeOutChangeTakesEffectAtTheNextWait) {
    ChunkLinkTiming<LUsb> t;
    ASSERT_TRUE(t.Open());
    t.link.SetWaitTimeout(5000);
    t.Send(kGain);
    ASSERT_TRUE(t.clock.WaitForWaiters(1));
    t.clock.Advance(4999ms);
    EXPECT_EQ(t.Writes(), 1u);
    t.clock.Advance(1ms);
    ASSERT_TRUE(t.clock.WaitForWaiters(1));
    EXPECT_EQ(t.Writes(), 2u);
}

TEST(UsbLink, ClosingAnIdleLinkEndsTheWorkerAndLaterSendsDoNothing) {
    TestLinkOwner owner;
    LUsb link(&owner);
    int writes = 0;
    link.SetWriteRoutine([&](const std::uint8_t*, std::size_t) { ++writes; });
    ASSERT_TRUE(link.OpenLink());
    EXPECT_FALSE(link.OpenLink());
    link.CloseLink();
    EXPECT_FALSE(link.IsOpen());
    link.SendBytes(kGain);
    EXPECT_EQ(writes, 0);
    EXPECT_TRUE(owner.LinkStates().empty());
    ASSERT_TRUE(link.OpenLink());  // a closed link opens again
    link.CloseLink();
}

// The serial worker on a pseudo-terminal named COM5.
class SerialTiming : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pty_.Open());
        AddSerialPortOverride("COM5", pty_.SlavePath());
        link_ = std::make_unique<LComm>(&owner_);
    }
    void TearDown() override {
        link_.reset();
        RemoveSerialPortOverride("COM5");
    }
    // Frames the far end has received so far.
    int FramesOnLine() {
        for (;;) {
            Bytes b = pty_.Read(20);
            if (b.empty()) break;
            line_.insert(line_.end(), b.begin(), b.end());
        }
        return static_cast<int>(line_.size() / kGain.size());
    }
    void Step() {
        ASSERT_TRUE(clock_.WaitForWaiters(1));
        ++step_;
        clock_.Advance(std::chrono::milliseconds(link_->GetWaitTimeout()));
        ASSERT_TRUE(clock_.WaitForWaiters(1));
        writesAfter_.push_back(FramesOnLine());
        timeoutsAfter_.push_back(static_cast<int>(owner_.LinkStates().size()));
    }

    TManualClock clock_;
    PseudoTerminal pty_;
    TestLinkOwner owner_;
    std::unique_ptr<LComm> link_;
    Bytes line_;
    int step_ = 0;
    std::vector<int> writesAfter_;
    std::vector<int> timeoutsAfter_;
};

TEST_F(SerialTiming, RepeatThenResendThenGiveUp) {
    link_->SetMaxResends(1);
    link_->SetRepeatCount(1);
    ASSERT_TRUE(link_->OpenLink(5, 115200, 8, 0, 0));
    link_->SendBytes(kGain);
    ASSERT_TRUE(owner_.PumpUntil([&] { return FramesOnLine() >= 1; }));
    for (int i = 0; i < 3; ++i) Step();
    EXPECT_EQ(writesAfter_, (std::vector<int>{2, 3, 3}));
    EXPECT_EQ(timeoutsAfter_, (std::vector<int>{0, 0, 1}));
    ASSERT_EQ(owner_.LinkStates().size(), 1u);
    EXPECT_EQ(owner_.LinkStates()[0].wParam, static_cast<std::uintptr_t>(lsReplyTimeout));
    EXPECT_EQ(owner_.LinkStates()[0].lParam, 7);
}

TEST_F(SerialTiming, GivesUpAtTheFirstTimeOutAfterItsResends) {
    ASSERT_TRUE(link_->OpenLink(5, 115200, 8, 0, 0));
    link_->SendBytes(kGain);
    ASSERT_TRUE(owner_.PumpUntil([&] { return FramesOnLine() >= 1; }));
    for (int i = 0; i < 4; ++i) Step();
    EXPECT_EQ(writesAfter_, (std::vector<int>{2, 3, 3, 3}));
    EXPECT_EQ(timeoutsAfter_, (std::vector<int>{0, 0, 1, 1}));
}

}  // namespace
}  // namespace dsp
