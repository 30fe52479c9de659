#include "link/FrameQueue.h"

#include <gtest/gtest.h>

#include "model/Lcmd.h"

namespace dsp {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A frame from the editor to device 1.
Bytes F(std::uint8_t code, Bytes payload = {}) {
    struct Raw : LCmd {
        Raw(std::uint8_t c, const Bytes& p) : LCmd(1, c) { AppendBytes(p); }
    };
    return LCmd::EncodeFrame(Raw(code, payload), FrameMode::Frame);
}

Bytes Gain(std::uint8_t ch, std::uint16_t code) {
    return F(CommandCode::CM_MCS_GAIN,
             {ch, static_cast<std::uint8_t>(code), static_cast<std::uint8_t>(code >> 8)});
}
Bytes Peq(std::uint8_t ch, std::uint8_t band, std::uint8_t gain) {
    return F(CommandCode::CM_MCS_PEQ, {ch, band, gain, 0, 170, 0, 35, 0, 0});
}

// A queue with a frame in flight.
class Busy : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(q_.QueueFrame(F(16), true), LFrameQueue::qaSendNow); }
    std::vector<Bytes> Waiting() const { return {q_.Frames().begin(), q_.Frames().end()}; }
    LFrameQueue q_;
};

TEST(FrameQueue, IdleSendsAtOnceAndTheReplyEndsTheWait) {
    LFrameQueue q;
    EXPECT_FALSE(q.AwaitingReply());
    EXPECT_EQ(q.QueueFrame(Gain(3, 1), false), LFrameQueue::qaSendNow);
    EXPECT_TRUE(q.AwaitingReply());
    EXPECT_FALSE(q.TakeNext().has_value());
    EXPECT_FALSE(q.AwaitingReply());
}

TEST_F(Busy, EditsOfOneParameterCollapseIntoTheLast) {
    EXPECT_EQ(q_.QueueFrame(Gain(3, 1), false), LFrameQueue::qaAppended);
    EXPECT_EQ(q_.QueueFrame(Gain(3, 2), false), LFrameQueue::qaReplaced);
    EXPECT_EQ(q_.QueueFrame(Gain(3, 3), false), LFrameQueue::qaReplaced);
    EXPECT_EQ(Waiting(), std::vector<Bytes>{Gain(3, 3)});
    EXPECT_EQ(q_.TakeNext(), Gain(3, 3));
    EXPECT_TRUE(q_.AwaitingReply());
}

// The replace rule names the parameter: another channel, another band or another command
// is appended, so that no edit is lost.
struct TargetCase {
    const char* name;
    Bytes first;
    Bytes second;
    bool replaces;
};

void PrintTo(const TargetCase& c, std::ostream* os) { *os << c.name; }

class ReplaceTarget : public Busy, public ::testing::WithParamInterface<TargetCase> {};

TEST_P(ReplaceTarget, ReplacesOnlyTheSameParameter) {
    const TargetCase& c = GetParam();
    q_.QueueFrame(c.first, false);
    q_.QueueFrame(c.second, false);
    if (c.replaces) {
        EXPECT_EQ(Waiting(), std::vector<Bytes>{c.second});
    } else {
        EXPECT_EQ(Waiting(), (std::vector<Bytes>{c.first, c.second}));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReplaceTarget,
    ::testing::Values(TargetCase{"same_gain_channel", Gain(4, 10), Gain(4, 11), true},
                      TargetCase{"other_gain_channel", Gain(4, 10), Gain(5, 10), false},
                      TargetCase{"same_band", Peq(0, 2, 100), Peq(0, 2, 130), true},
                      TargetCase{"other_band_same_channel", Peq(0, 2, 100), Peq(0, 3, 100), false},
                      TargetCase{"same_band_other_channel", Peq(0, 2, 100), Peq(1, 2, 100), false},
                      TargetCase{"other_command_same_channel", Gain(3, 1),
                                 F(CommandCode::CM_MCS_DELAY, {3, 1, 0}), false},
                      TargetCase{"compressor_same_channel", F(48, {5, 1, 2, 3, 0, 4, 0, 5, 0}),
                                 F(48, {5, 9, 2, 3, 0, 4, 0, 5, 0}), true},
                      TargetCase{"gate_other_channel", F(62, {0, 1, 0, 2, 0, 3, 0, 4, 0}),
                                 F(62, {1, 1, 0, 2, 0, 3, 0, 4, 0}), false},
                      TargetCase{"level_polls", F(64), F(64), true},
                      TargetCase{"keep_alives", F(18), F(18), true},
                      TargetCase{"delay_unit", F(21, {0}), F(21, {2}), true},
                      TargetCase{"work_mode", F(57, {1, 0}), F(57, {3, 12}), true},
                      TargetCase{"poll_then_keep_alive", F(64), F(18), false}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(Busy, AMarkMovesToTheNewestReplaceableFrame) {
    // code A (marked), code B (appended, marked), code B again: replaces the second.
    q_.QueueFrame(Gain(3, 1), false);
    q_.QueueFrame(F(CommandCode::CM_MCS_DELAY, {3, 1, 0}), false);
    q_.QueueFrame(F(CommandCode::CM_MCS_DELAY, {3, 9, 0}), false);
    EXPECT_EQ(Waiting(), (std::vector<Bytes>{Gain(3, 1), F(CommandCode::CM_MCS_DELAY, {3, 9, 0})}));
}

TEST_F(Busy, AFrameAfterAnUnreplaceableOneNeverReplacesAcrossIt) {
    // A coalescable delay (marked), a delay with noCoalesce set, then a coalescable gain:
    // the gain addresses neither waiting frame, and the marked delay is not replaced by a
    // frame of another command. Nothing is lost and the order holds.
    q_.QueueFrame(F(CommandCode::CM_MCS_DELAY, {3, 1, 0}), false);
    q_.QueueFrame(Gain(3, 5), true);
    q_.QueueFrame(Gain(3, 6), false);
    EXPECT_EQ(Waiting(), (std::vector<Bytes>{F(CommandCode::CM_MCS_DELAY, {3, 1, 0}), Gain(3, 5),
                                             Gain(3, 6)}));
}

TEST_F(Busy, AnEditAfterAnUnreplaceableOneOfItsKindIsNotMovedBeforeIt) {
    // Gain of Out1 (marked), gain of Out1 with noCoalesce (say, from a preset file), gain of
    // Out1 again: merging it into the first would put it before the second, which would then
    // undo it on the processor. It is appended.
    q_.QueueFrame(Gain(3, 1), false);
    q_.QueueFrame(Gain(3, 2), true);
    q_.QueueFrame(Gain(3, 3), false);
    EXPECT_EQ(Waiting(), (std::vector<Bytes>{Gain(3, 1), Gain(3, 2), Gain(3, 3)}));
}

TEST_F(Busy, UnreplaceableFramesStayAsTheyAre) {
    q_.QueueFrame(Gain(3, 1), true);
    q_.QueueFrame(Gain(3, 2), false);
    EXPECT_EQ(Waiting(), (std::vector<Bytes>{Gain(3, 1), Gain(3, 2)}));
    EXPECT_EQ(q_.Marked(), 1u);
}

TEST_F(Busy, AFrameSentLeavesTheMarkBehind) {
    q_.QueueFrame(Gain(3, 1), false);
    EXPECT_EQ(q_.TakeNext(), Gain(3, 1));
    EXPECT_FALSE(q_.Marked().has_value());
    EXPECT_EQ(q_.QueueFrame(Gain(3, 2), false), LFrameQueue::qaAppended);
    EXPECT_EQ(Waiting(), std::vector<Bytes>{Gain(3, 2)});
}

TEST_F(Busy, TheMarkFollowsItsFrameAsFramesLeave) {
    q_.QueueFrame(F(16), true);
    q_.QueueFrame(Gain(3, 1), false);
    EXPECT_EQ(q_.Marked(), 1u);
    q_.TakeNext();
    EXPECT_EQ(q_.Marked(), 0u);
    q_.QueueFrame(Gain(3, 2), false);
    EXPECT_EQ(Waiting(), std::vector<Bytes>{Gain(3, 2)});
}

TEST_F(Busy, TwoHundredEditsOfOneChannelThenAnotherLeaveOneEach) {
    for (int i = 0; i < 200; ++i) q_.QueueFrame(Gain(3, static_cast<std::uint16_t>(i)), false);
    for (int i = 0; i < 200; ++i)
        q_.QueueFrame(Gain(4, static_cast<std::uint16_t>(1000 + i)), false);
    EXPECT_EQ(Waiting(), (std::vector<Bytes>{Gain(3, 199), Gain(4, 1199)}));
}

TEST_F(Busy, ClearDropsWaitingFramesButNotTheFrameInFlight) {
    q_.QueueFrame(Gain(3, 1), false);
    q_.Clear();
    EXPECT_EQ(q_.Waiting(), 0u);
    EXPECT_FALSE(q_.Marked().has_value());
    EXPECT_TRUE(q_.AwaitingReply());
}

TEST(FrameQueue, FramesTooShortToNameATargetAreNotMerged) {
    EXPECT_FALSE(
        LFrameQueue::AddressesSameTarget({0x10, 0x02, 0, 1, 1, 52}, {0x10, 0x02, 0, 1, 1, 52}));
    EXPECT_TRUE(LFrameQueue::AddressesSameTarget(F(64), F(64)));
}

}  // namespace
}  // namespace dsp
