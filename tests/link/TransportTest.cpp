// The transports' send side and reply side: one frame in flight, queueing and replacing,
// assembly, delivery with the round trip, keep-alive, and closing while a reply is handed over.

#include <gtest/gtest.h>

#include <mutex>

#include "framework/runtime/ManualClock.h"
#include "link/Lnet.h"
#include "link/Lusb.h"
#include "model/Lcmd.h"
#include "tests/link/TestLinkOwner.h"

namespace dsp {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

Bytes Frame(std::uint8_t code, Bytes payload = {}, std::uint8_t sender = 0,
            std::uint8_t receiver = 1) {
    Bytes f;
    f.reserve(payload.size() + 9);
    for (std::uint8_t b : {std::uint8_t{0x10}, std::uint8_t{0x02}, sender, receiver,
                           static_cast<std::uint8_t>(payload.size() + 1), code}) {
        f.push_back(b);
    }
    for (std::uint8_t b : payload) f.push_back(b);
    f.push_back(0x10);
    f.push_back(0x03);
    std::uint8_t x = 0;
    for (std::uint8_t b : f) x ^= b;
    f.push_back(x);
    return f;
}
Bytes Reply(std::uint8_t code, Bytes payload = {}) { return Frame(code, std::move(payload), 1, 0); }

// A network transport whose writes are recorded; the test's thread plays the UI thread.
template <class Transport>
class TransportFixture {
public:
    TransportFixture() {
        link.SetWriteRoutine([this](const std::uint8_t* bytes, std::size_t count) {
            std::lock_guard<std::mutex> guard(mutex);
            writes.emplace_back(bytes, bytes + count);
        });
    }
    std::vector<Bytes> Writes() {
        std::lock_guard<std::mutex> guard(mutex);
        return writes;
    }
    bool WaitForWrites(std::size_t n) {
        return owner.PumpUntil([&] { return Writes().size() >= n; });
    }
    // The device answers: the bytes arrive, the worker assembles and hands over the reply.
    void Answer(const Bytes& bytes) { link.PutReceived(bytes.data(), bytes.size()); }
    bool WaitForReplies(std::size_t n) {
        return owner.PumpUntil([&] { return owner.Replies().size() >= n; });
    }

    // The transport goes first: its worker may write until it is stopped.
    TestLinkOwner owner;
    std::mutex mutex;
    std::vector<Bytes> writes;
    Transport link{&owner};
};

class NetTransport : public ::testing::Test, public TransportFixture<LNetProc> {
protected:
    void SetUp() override { ASSERT_TRUE(link.OpenLink()); }
};

TEST_F(NetTransport, OneFrameInFlightTheRestInTurn) {
    link.QueueFrame(Frame(16), true);
    ASSERT_TRUE(WaitForWrites(1));
    EXPECT_TRUE(link.AwaitingReply());
    link.QueueFrame(Frame(19), true);
    link.QueueFrame(Frame(34), true);
    // Held back: a frame sent early would reach the line before the 19 that follows the reply.
    EXPECT_EQ(link.WaitingFrames(), (std::vector<Bytes>{Frame(19), Frame(34)}));

    Answer(Reply(16));
    ASSERT_TRUE(WaitForReplies(1));
    ASSERT_TRUE(WaitForWrites(2));
    EXPECT_EQ(Writes()[1], Frame(19));
    Answer(Reply(19, {'W', 'Q', 'J'}));
    Answer(Reply(34, Bytes(30, 0)));  // a second reply in the same breath
    ASSERT_TRUE(WaitForReplies(3));
    ASSERT_TRUE(WaitForWrites(3));
    EXPECT_EQ(Writes()[2], Frame(34));
    EXPECT_FALSE(link.AwaitingReply());
    const auto replies = owner.Replies();
    EXPECT_EQ(replies[0].msg, WM_LINK_REPLY);
    EXPECT_EQ(replies[0].frame, Reply(16));
    EXPECT_EQ(replies[2].frame, Reply(34, Bytes(30, 0)));
}

TEST_F(NetTransport, AWaitingEditCollapsesAndGoesOutAfterTheReply) {
    link.QueueFrame(Frame(64), false);
    ASSERT_TRUE(WaitForWrites(1));
    for (std::uint8_t v = 1; v <= 3; ++v)
        link.QueueFrame(Frame(0x33, {4, 2, v}), false);  // one EQ band
    EXPECT_EQ(link.WaitingFrames(), std::vector<Bytes>{Frame(0x33, {4, 2, 3})});
    Answer(Reply(64, Bytes(37, 0)));
    ASSERT_TRUE(WaitForWrites(2));
    EXPECT_EQ(Writes()[1], Frame(0x33, {4, 2, 3}));
    // The collapsed edit is the one in flight; nothing else waits to follow it.
    EXPECT_TRUE(link.AwaitingReply());
    EXPECT_TRUE(link.WaitingFrames().empty());
}

TEST_F(NetTransport, FramesOfTheReplyHandlerFollowAtOnce) {
    // The handler asks for the next name as the session does; the worker is still waiting in
    // the delivery, so the request is queued and goes out when the handler returns.
    owner.OnReply = [&](const TestLinkOwner::Reply& r) {
        if (r.frame[5] == 41 && r.frame[6] < 2)
            link.QueueFrame(Frame(41, {static_cast<std::uint8_t>(r.frame[6] + 1)}), true);
    };
    link.QueueFrame(Frame(41, {0}), true);
    for (std::uint8_t s = 0; s < 3; ++s) {
        ASSERT_TRUE(WaitForWrites(s + 1u));
        EXPECT_EQ(Writes()[s], Frame(41, {s}));
        Answer(Reply(41, {s}));
        ASSERT_TRUE(WaitForReplies(s + 1u));
    }
    ASSERT_TRUE(owner.PumpUntil([&] { return !link.AwaitingReply(); }));
    EXPECT_EQ(Writes().size(), 3u);
}

TEST_F(NetTransport, DropsBytesBeforeTheFrameAndResynchronisesAfterALengthZero) {
    link.QueueFrame(Frame(16), true);
    ASSERT_TRUE(WaitForWrites(1));
    Bytes noise = {0x55, 0x10, 0x41, 0x10, 0x02, 0x01, 0x00, 0x00};  // a frame that never ends
    Answer(noise);
    Answer(Reply(16));
    ASSERT_TRUE(WaitForReplies(1));
    EXPECT_EQ(owner.Replies()[0].frame, Reply(16));
}

TEST_F(NetTransport, ChunksHandedInBeforeTheWorkerTookTheFirstAreKept) {
    link.QueueFrame(Frame(19), true);
    ASSERT_TRUE(WaitForWrites(1));
    const Bytes reply = Reply(19, {'W', 'Q', 'J', ' ', 'V', '0', '1', '0'});
    {
        // While the lock is held the worker cannot drain: both chunks wait together.
        std::lock_guard<TCriticalSection> hold(link.Lock());
        link.PutReceived(reply.data(), 6);
        link.PutReceived(reply.data() + 6, reply.size() - 6);
    }
    ASSERT_TRUE(WaitForReplies(1));
    EXPECT_EQ(owner.Replies()[0].frame, reply);
}

TEST(UsbTransport, SixtyFourBytesBeforeTheFirstFrameAreOneRawReply) {
    TransportFixture<LUsbProc> t;
    ASSERT_TRUE(t.link.OpenLink());
    Bytes raw(64);
    for (int i = 0; i < 64; ++i) raw[i] = static_cast<std::uint8_t>(i);
    t.Answer(raw);
    ASSERT_TRUE(t.WaitForReplies(1));
    EXPECT_EQ(t.owner.Replies()[0].frame, raw);
    EXPECT_EQ(t.owner.Replies()[0].roundTripMs, 0u);
    EXPECT_FALSE(t.link.Framed());
    t.link.QueueFrame(Frame(16), true);
    EXPECT_TRUE(t.link.Framed());
}

TEST(UsbTransport, FramesHandedToAClosedTransportAreDropped) {
    TransportFixture<LUsbProc> t;
    t.link.QueueFrame(Frame(16), true);
    EXPECT_FALSE(t.link.AwaitingReply());
    ASSERT_TRUE(t.link.OpenLink());
    t.link.CloseLink();
    t.link.QueueFrame(Frame(16), true);
    EXPECT_TRUE(t.Writes().empty());
    EXPECT_EQ(t.owner.ActiveTimers(), 0);
}

// Keep-alive and round trip on the manual clock (created before the transport's worker).
TEST(NetTransportClock, KeepAliveTwoSecondsAfterTheLastFrame) {
    TManualClock clock;
    TransportFixture<LNetProc> t;
    t.link.SetWaitTimeout(100000);
    ASSERT_TRUE(t.link.OpenLink());
    auto advance = [&](std::chrono::milliseconds by) {
        clock.Advance(by);
        t.owner.FireDueTimers();
    };
    // An idle open link: the first keep-alive at 2000 ms. The timer runs on this thread, so a
    // keep-alive handed over shows in the transport's state at once.
    advance(1999ms);
    EXPECT_FALSE(t.link.AwaitingReply());
    EXPECT_TRUE(t.Writes().empty());
    advance(1ms);
    ASSERT_TRUE(t.WaitForWrites(1));
    EXPECT_EQ(t.Writes()[0], Frame(18));
    EXPECT_EQ(t.link.GetWaitTimeout(), 5000u);
    // Awaited: no keep-alive, not even one waiting its turn.
    advance(2000ms);
    EXPECT_TRUE(t.link.WaitingFrames().empty());
    EXPECT_EQ(t.Writes().size(), 1u);
    t.Answer(Reply(1));
    ASSERT_TRUE(t.WaitForReplies(1));
    ASSERT_TRUE(t.owner.PumpUntil([&] { return !t.link.AwaitingReply(); }));
    // A frame handed over 1900 ms into the next interval postpones the keep-alive to 3900.
    t.link.SetWaitTimeout(100000);
    t.link.QueueFrame(Frame(16), true);  // at 4000: next keep-alive due at 6000
    ASSERT_TRUE(t.WaitForWrites(2));
    t.Answer(Reply(16));
    ASSERT_TRUE(t.owner.PumpUntil([&] { return !t.link.AwaitingReply(); }));
    advance(1900ms);
    t.link.QueueFrame(Frame(64), false);  // at 5900: due at 7900
    ASSERT_TRUE(t.WaitForWrites(3));
    t.Answer(Reply(64, Bytes(37, 0)));
    ASSERT_TRUE(t.owner.PumpUntil([&] { return !t.link.AwaitingReply(); }));
    advance(1999ms);
    EXPECT_FALSE(t.link.AwaitingReply());
    EXPECT_EQ(t.Writes().size(), 3u);
    advance(1ms);
    ASSERT_TRUE(t.WaitForWrites(4));
    EXPECT_EQ(t.Writes()[3], Frame(18));
    t.link.SetWaitTimeout(100000);
    t.Answer(Reply(1));
    ASSERT_TRUE(t.owner.PumpUntil([&] { return !t.link.AwaitingReply(); }));
    // Paused: none.
    t.link.SetPaused(true);
    advance(4000ms);
    EXPECT_FALSE(t.link.AwaitingReply());
    EXPECT_EQ(t.Writes().size(), 4u);
    // The device ID of keep-alives follows the session's.
    t.link.SetPaused(false);
    t.link.SetDeviceId(9);
    advance(2000ms);
    ASSERT_TRUE(t.WaitForWrites(5));
    EXPECT_EQ(t.Writes()[4], Frame(18, {}, 0, 9));
}

TEST(NetTransportClock, ReplyCarriesItsRoundTrip) {
    TManualClock clock;
    TransportFixture<LNetProc> t;
    t.link.SetWaitTimeout(100000);
    ASSERT_TRUE(t.link.OpenLink());
    t.link.QueueFrame(Frame(16), true);
    ASSERT_TRUE(t.WaitForWrites(1));
    clock.Advance(1500ms);
    t.Answer(Reply(16));
    ASSERT_TRUE(t.WaitForReplies(1));
    EXPECT_EQ(t.owner.Replies()[0].roundTripMs, 1500u);
}

// Closing from the UI thread while the worker waits for that very thread to take a reply: the
// delivery is abandoned, the close does not wait out its limit, nothing is called on freed
// memory afterwards.
TEST(NetTransportClose, ClosingDuringADeliveryNeitherHangsNorTouchesFreedMemory) {
    for (int round = 0; round < 20; ++round) {
        TestLinkOwner owner;
        auto link = std::make_unique<LNetProc>(&owner);
        link->SetWriteRoutine([](const std::uint8_t*, std::size_t) {});
        ASSERT_TRUE(link->OpenLink());
        link->QueueFrame(Frame(16), true);
        link->QueueFrame(Frame(19), true);
        const Bytes reply = Reply(16);
        link->PutReceived(reply.data(), reply.size());
        ASSERT_TRUE(owner.WaitForDelivery());
        const auto start = std::chrono::steady_clock::now();
        link->CloseLink();
        EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
        EXPECT_FALSE(link->IsOpen());
        link.reset();
        EXPECT_EQ(owner.Pump(), 0);
        EXPECT_TRUE(owner.Replies().empty());
        EXPECT_TRUE(owner.LinkStates().empty());  // no stop time-out
    }
}

TEST(NetTransportClose, DestroyingAnOpenTransportStopsItsWorker) {
    TestLinkOwner owner;
    auto link = std::make_unique<LNetProc>(&owner);
    link->SetWriteRoutine([](const std::uint8_t*, std::size_t) {});
    ASSERT_TRUE(link->OpenLink());
    link->QueueFrame(Frame(16), true);
    const Bytes reply = Reply(16);
    link->PutReceived(reply.data(), reply.size());
    ASSERT_TRUE(owner.WaitForDelivery());
    link.reset();
    EXPECT_TRUE(owner.Replies().empty());
}

}  // namespace
}  // namespace dsp
