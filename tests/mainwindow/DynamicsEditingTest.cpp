// The compressor and gate pages on the main window: the value texts, the linked strips, the
// transfer curves and their titles, what goes into the image and to the send path; and the
// values typed into their nine kinds of box, with the texts that used to raise.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "framework/controls/Edit.h"
#include "framework/controls/Label.h"
#include "framework/controls/MessageParams.h"
#include "framework/controls/UpDown.h"
#include "model/Lcmd.h"
#include "model/Lunitcontrol.h"
#include "plot/engine/iXYPlot.h"
#include "tests/mainwindow/EditingFixture.h"
#include "widgets/styled/AdvTrackBar.h"
#include "widgets/styled/CurvyControls.h"

namespace dsp {
namespace {

constexpr int kInA = 0;
constexpr int kInB = 1;
constexpr int kInC = 2;
constexpr int kOut1 = 3;
constexpr int kOut2 = 4;
constexpr int kOut3 = 5;
constexpr int kOut5 = 7;

struct TPoint2 {
    double x, y;
};

// The points, to the last digits of their arithmetic.
void ExpectPoints(const std::vector<TPoint2>& shown, const std::vector<TPoint2>& expected) {
    ASSERT_EQ(shown.size(), expected.size());
    for (std::size_t i = 0; i < shown.size(); ++i) {
        EXPECT_NEAR(shown[i].x, expected[i].x, 1e-6) << "point " << i;
        EXPECT_NEAR(shown[i].y, expected[i].y, 1e-6) << "point " << i;
    }
}

class Dynamics : public testing::Test {
protected:
    template <typename T>
    T& Get(std::string_view stem, int channel) {
        return f_.Get<T>(stem, channel);
    }
    std::string Box(std::string_view stem, int ch) { return Get<TCurvyEdit>(stem, ch).Text(); }
    // The points of a transfer plot's channel (0 the curve, 1 the threshold marker).
    std::vector<TPoint2> PointsOf(const char* plot, int channel) {
        TiXYPlotChannel* c = f_.Get<TiXYPlot>(plot).GetChannel(channel);
        std::vector<TPoint2> points;
        for (int i = 0; i < c->Count(); ++i) points.push_back({c->GetDataX(i), c->GetDataY(i)});
        return points;
    }
    std::string Caption(const char* label) { return f_.Get<TLabel>(label).Caption(); }
    // Links two channels of one side into a group led by the first, in the image alone.
    void Link(int leader, int follower) {
        const int base = leader < 3 ? 0 : 3;
        w_.ApplyingImage() = true;
        w_.Model().SetLinkMask(leader, (1u << (leader - base)) | (1u << (follower - base)));
        w_.Model().SetLinkMask(follower, 0);
        w_.ApplyingImage() = false;
    }
    void MouseDown(TCurvyEdit& box) {
        box.Edit()->Perform(MakeMouseMessage(WM_LBUTTONDOWN, MK_LBUTTON, {4, 4}));
        box.Edit()->Perform(MakeMouseMessage(WM_LBUTTONUP, 0, {4, 4}));
    }

    test::TEditingFixture f_;
    test::TEditingWindow& w_ = f_.Window();
};

// ---- compressor

TEST_F(Dynamics, AThresholdGoesToTheLinkedStripsAndTheCurveFollowsAtTheTick) {
    Link(kOut3, kOut3 + 1);
    Get<TAdvTrackBar>("isCompThreshold", kOut3).SetPosition(-21);
    EXPECT_EQ(w_.Model().GetCompressor(kOut3).Threshold, 159);
    EXPECT_EQ(w_.Model().GetCompressor(kOut3 + 1).Threshold, 159);
    for (int ch : {kOut3, kOut3 + 1}) {
        EXPECT_EQ(Box("cvdCompThreshold", ch), "-10.5dB");
        EXPECT_EQ(Get<TAdvTrackBar>("isCompThreshold", ch).Position(), -21);
    }
    const auto sent = f_.SentWithCode(CommandCode::CM_MCS_COMP);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].data[0], kOut3);
    EXPECT_EQ(w_.CompChannel(), kOut3);
    f_.Tick();
    EXPECT_EQ(Caption("lbCompName"), "Out 3  Compressor");
    EXPECT_EQ(Caption("lbHeadCompOut"), "Out 3");
    ExpectPoints(PointsOf("ipComp", 1), {{-10.3, -10.9}});
}

TEST_F(Dynamics, CompressorTextsFollowTheirPositions) {
    struct TCase {
        const char* stem;
        int position;
        const char* text;
    };
    const TCase cases[] = {{"Threshold", 0, "+0.0dB"},     {"Threshold", 40, "+20.0dB"},
                           {"Threshold", -180, "-90.0dB"}, {"Attack", 49, " 50ms"},
                           {"Release", 9, " 10ms"},        {"Release", 2999, "3000ms"}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.stem) + " " + std::to_string(c.position));
        auto& fader = Get<TAdvTrackBar>(std::string("isComp") + c.stem, kOut2);
        fader.SetPosition(c.position + 1);
        fader.SetPosition(c.position);
        EXPECT_EQ(Box(std::string("cvdComp") + c.stem, kOut2), c.text);
    }
}

TEST_F(Dynamics, TheCompressorCurveBendsAtTheKneeAndIsFlatWhenLimiting) {
    auto& threshold = Get<TAdvTrackBar>("isCompThreshold", kOut2);
    auto& ratio = Get<TUpDown>("udCompRatio", kOut2);
    auto& knee = Get<TUpDown>("udCompKnee", kOut2);
    threshold.SetPosition(-40);
    ratio.SetPosition(9);
    knee.SetPosition(4);
    f_.Tick();
    ExpectPoints(PointsOf("ipComp", 0), {{20, -10}, {-16, -19}, {-24, -24}, {-100, -100}});
    ExpectPoints(PointsOf("ipComp", 1), {{-19.8, -20.4}});
    EXPECT_EQ(Box("cvdCompRatio", kOut2), "1:4.0");
    EXPECT_EQ(Box("cvdCompKnee", kOut2), "4dB");

    ratio.SetPosition(15);
    knee.SetPosition(0);
    f_.Tick();
    ExpectPoints(PointsOf("ipComp", 0), {{20, -20}, {-20, -20}, {-20, -20}, {-100, -100}});
    EXPECT_EQ(Box("cvdCompRatio", kOut2), "Limit");
    EXPECT_EQ(w_.Model().GetCompressor(kOut2).Ratio, 15);
    ratio.SetPosition(14);
    EXPECT_EQ(Box("cvdCompRatio", kOut2), "1:20");
}

TEST_F(Dynamics, AStepBeyondTheRatiosChangesNothing) {
    auto& ratio = Get<TUpDown>("udCompRatio", kOut2);
    ratio.SetPosition(15);
    f_.ClearSent();
    Get<TCurvyEdit>("cvdCompRatio", kOut2).SetText("kept");
    ratio.Step(btNext);
    EXPECT_EQ(ratio.Position(), 15);
    EXPECT_EQ(Box("cvdCompRatio", kOut2), "kept");
    EXPECT_TRUE(w_.sent.empty());
}

TEST_F(Dynamics, ALinkedRatioMovesTheOtherStripsAndLeavesItsOwnStepper) {
    Link(kOut1, kOut2);
    auto& own = Get<TUpDown>("udCompRatio", kOut2);
    own.Step(btNext);
    EXPECT_EQ(own.Position(), 1);
    EXPECT_EQ(Get<TUpDown>("udCompRatio", kOut1).Position(), 1);
    EXPECT_EQ(Box("cvdCompRatio", kOut1), "1:1.1");
    EXPECT_EQ(Box("cvdCompRatio", kOut2), "1:1.1");
    EXPECT_EQ(w_.Model().GetCompressor(kOut1).Ratio, 1);
    EXPECT_EQ(w_.CompChannel(), kOut2);
    // An attack of the follower shows on the group and is handed to the model for it.
    Get<TAdvTrackBar>("isCompAttack", kOut2).SetPosition(49);
    EXPECT_EQ(Box("cvdCompAttack", kOut1), " 50ms");
    EXPECT_EQ(w_.Model().GetCompressor(kOut1).Attack, 49);
}

TEST_F(Dynamics, AMouseDownOnABoxShowsItsOutputAtOnceAndSendsNothing) {
    MouseDown(Get<TCurvyEdit>("cvdCompKnee", kOut5));
    EXPECT_EQ(Caption("lbCompName"), "Out 5  Compressor");
    EXPECT_EQ(w_.CompChannel(), kOut5);
    f_.Get<TLabel>("lbCompOut2").OnMouseDown(&f_.Get<TLabel>("lbCompOut2"), mbRight, {}, 1, 1);
    EXPECT_EQ(Caption("lbHeadCompOut"), "Out 2");
    EXPECT_TRUE(w_.sent.empty());
}

// ---- gate

TEST_F(Dynamics, TheGateCurveDropsAtItsThreshold) {
    auto& threshold = Get<TAdvTrackBar>("isGateThreshold", kInA);
    threshold.SetPosition(-10);
    threshold.SetPosition(-180);
    EXPECT_EQ(w_.Model().GetGate(kInA).Threshold, 0);
    EXPECT_EQ(Box("cvdGateThreshold", kInA), "-90.0dB");
    ExpectPoints(PointsOf("ipGate", 0), {{20, 20}, {-90, -90}, {-90, -100}});
    ExpectPoints(PointsOf("ipGate", 1), {{-89.8, -90.4}});
    threshold.SetPosition(0);
    EXPECT_EQ(Box("cvdGateThreshold", kInA), "+0.0dB");
    ExpectPoints(PointsOf("ipGate", 0), {{20, 20}, {0, 0}, {0, -100}});
}

TEST_F(Dynamics, AGateTimeShowsOnTheGroupAndMakesItsInputTheOneShown) {
    Link(kInA, kInB);
    Get<TAdvTrackBar>("isGateHold", kInB).SetPosition(199);
    f_.ClearSent();
    Get<TAdvTrackBar>("isGateHold", kInA).SetPosition(20);  // InA shown
    f_.ClearSent();
    Get<TAdvTrackBar>("isGateHold", kInB).SetPosition(99);
    EXPECT_EQ(w_.Model().GetGate(kInB).Hold, 99);
    EXPECT_EQ(w_.Model().GetGate(kInA).Hold, 99);
    EXPECT_EQ(Box("cvdGateHold", kInA), "100ms");
    EXPECT_EQ(Box("cvdGateHold", kInB), "100ms");
    EXPECT_EQ(w_.GateChannel(), kInB);
    EXPECT_EQ(Caption("lbGateName"), "In B  Gate");
    EXPECT_EQ(Caption("lbHeadGateIn"), "In B");
    ASSERT_EQ(f_.SentWithCode(CommandCode::CM_MCS_GATE).size(), 1u);

    Get<TAdvTrackBar>("isGateAttack", kInC).SetPosition(5);
    Get<TAdvTrackBar>("isGateAttack", kInC).SetPosition(0);
    EXPECT_EQ(Box("cvdGateAttack", kInC), "1ms");
}

TEST_F(Dynamics, TheGateLabelOfTheRoutingPageOpensTheGatePageAsItWas) {
    MouseDown(Get<TCurvyEdit>("cvdGateRelease", kInB));
    EXPECT_EQ(w_.GateChannel(), kInB);
    EXPECT_TRUE(w_.sent.empty());
    f_.OpenPage(TfmMain::kPageMatrix);
    auto& label = f_.Get<TLabel>("lbMatrixGateInC");
    label.OnClick(&label);
    EXPECT_EQ(w_.Page(), TfmMain::kPageGate);
    EXPECT_EQ(w_.GateChannel(), kInB);
    EXPECT_EQ(Caption("lbGateName"), "In B  Gate");
}

// ---- typed values

struct TTypedCase {
    std::string name;
    std::string box;    // the box, by its whole name
    std::string typed;  // what the user typed
    bool enter;         // Enter, or leaving the box
    std::string shown;  // the box afterwards
    bool sent;          // whether a record went out
};

void PrintTo(const TTypedCase& c, std::ostream* os) { *os << c.name; }

class TypedValues : public Dynamics, public testing::WithParamInterface<TTypedCase> {};

TEST_P(TypedValues, SetTheControlOrShowTheValueAgain) {
    const TTypedCase& c = GetParam();
    auto& box = f_.Get<TCurvyEdit>(c.box);
    // Known values first: attack 50 ms, knee 6 dB, ratio Limit, thresholds -10 dB.
    Get<TAdvTrackBar>("isCompAttack", kOut1).SetPosition(49);
    Get<TUpDown>("udCompKnee", kOut1).SetPosition(6);
    Get<TUpDown>("udCompRatio", kOut1).SetPosition(15);
    Get<TAdvTrackBar>("isCompThreshold", kOut1).SetPosition(-20);
    Get<TAdvTrackBar>("isGateThreshold", kInA).SetPosition(-20);
    f_.ClearSent();
    box.SetText(c.typed);
    if (c.enter) {
        box.Edit()->Perform(WM_KEYDOWN, 13, 0);
    } else {
        box.OnExit(&box);
    }
    EXPECT_EQ(box.Text(), c.shown);
    EXPECT_EQ(!w_.sent.empty(), c.sent);
}

INSTANTIATE_TEST_SUITE_P(
    Dynamics, TypedValues,
    testing::Values(
        TTypedCase{"CompThreshold", "cvdCompThresholdOut1", "-12.3dB", true, "-12.0dB", true},
        TTypedCase{"CompThresholdAboveTheTop", "cvdCompThresholdOut1", "25", true, "+20.0dB", true},
        TTypedCase{"GateThresholdHeldByItsFader", "cvdGateThresholdInA", "+10", true, "+0.0dB",
                   true},
        TTypedCase{"AttackZero", "cvdCompAttackOut1", "0", false, "1ms", true},
        TTypedCase{"AttackAlreadySet", "cvdCompAttackOut1", "50", true, "50ms", false},
        TTypedCase{"AttackShownWithItsBlank", "cvdCompAttackOut1", " 50ms", false, "50ms", false},
        TTypedCase{"ReleaseBelowItsRange", "cvdCompReleaseOut1", "5ms", true, "10ms", true},
        TTypedCase{"GateHoldAboveItsRange", "cvdGateHoldInA", "2000", true, "999ms", true},
        TTypedCase{"GateReleaseHuge", "cvdGateReleaseInA", "99999999999999999999999", true,
                   "3000ms", true},
        TTypedCase{"AttackWithAPoint", "cvdCompAttackOut1", "50.5", true, "50ms", false},
        TTypedCase{"KneeTruncated", "cvdCompKneeOut1", "3.7", true, "3dB", true},
        TTypedCase{"KneeAboveItsRange", "cvdCompKneeOut1", "15dB", false, "12dB", true},
        TTypedCase{"RatioOneToTwo", "cvdCompRatioOut1", "1:2", true, "1:2.0", true},
        TTypedCase{"RatioColonAfterAnotherDigit", "cvdCompRatioOut1", "2:1", true, "Limit", false},
        TTypedCase{"RatioLimitInLetters", "cvdCompRatioOut1", "Limit", false, "Limit", false},
        TTypedCase{"RatioUnitAfterTheColon", "cvdCompRatioOut1", "1:4dB", true, "Limit", false},
        TTypedCase{"ThresholdTwoPoints", "cvdCompThresholdOut1", "1.2.3", true, "-10.0dB", false},
        TTypedCase{"ThresholdPointAlone", "cvdCompThresholdOut1", ".", true, "-10.0dB", false},
        TTypedCase{"ThresholdPlusAlone", "cvdGateThresholdInA", "+", true, "-10.0dB", false},
        TTypedCase{"ThresholdSignAfterADigit", "cvdCompThresholdOut1", "5-", false, "-10.0dB",
                   false},
        TTypedCase{"ThresholdPointThree", "cvdGateThresholdInA", ".3", true, "-10.0dB", false},
        TTypedCase{"ThresholdHuge", "cvdCompThresholdOut1", "1" + std::string(400, '0'), true,
                   "-10.0dB", false},
        TTypedCase{"KneeTwoPoints", "cvdCompKneeOut1", "1.2.3", true, "6dB", false}),
    [](const testing::TestParamInfo<TTypedCase>& row) { return row.param.name; });

TEST_F(Dynamics, OnlyEnterTakesATypedValue) {
    auto& box = Get<TCurvyEdit>("cvdCompKnee", kOut1);
    box.SetText("5");
    box.Edit()->Perform(WM_KEYDOWN, 65, 0);
    EXPECT_EQ(box.Text(), "5");
    EXPECT_TRUE(w_.sent.empty());
    box.Edit()->Perform(WM_KEYDOWN, 13, 0);
    EXPECT_EQ(Get<TUpDown>("udCompKnee", kOut1).Position(), 5);
    EXPECT_EQ(box.Text(), "5dB");
}

TEST_F(Dynamics, ARejectedTextLeavesTheCaretAtTheEndOfTheValue) {
    auto& box = Get<TCurvyEdit>("cvdCompRatio", kOut1);
    box.SetText("abc");
    box.OnExit(&box);
    EXPECT_EQ(box.Text(), "1:1.0");
    EXPECT_EQ(box.Edit()->SelStart(), 5);
}

}  // namespace
}  // namespace dsp
