// The layout on resize: the height and width tables at, above and below the design size, the
// meter scales and the delay markers.

#include <gtest/gtest.h>

#include <string>

#include "tests/mainwindow/MainWindowFixture.h"
#include "widgets/styled/AdvTrackBar.h"

namespace dsp {
namespace {

enum class TEdge { Left, Top, Width, Height };

struct TRule {
    const char* control;
    TEdge edge;
    int atDesign;  // 1118 x 720
    int larger;    // 1418 x 810: dx 300, dy 90
};

// clang-format off
constexpr TRule kRules[] = {
    {"rzgMain", TEdge::Height, 629, 719},
    {"imLeftUpBase", TEdge::Height, 256, 346},
    {"imRightDownBase", TEdge::Top, 256, 346},
    {"rzgPreset", TEdge::Top, 626, 716},
    {"rzgFftInA", TEdge::Height, 284, 374},
    {"rzgFftMatrix", TEdge::Height, 284, 374},
    {"rzgParamOut3", TEdge::Top, 292, 382},
    {"fftDrawOut2", TEdge::Height, 255, 345},
    {"fftDrawGainIn", TEdge::Height, 255, 345},
    {"plFftDelayOut", TEdge::Height, 234, 324},
    {"ipComp", TEdge::Height, 230, 320},
    {"pbMatrix", TEdge::Top, 42, 52},
    {"pbMatrix", TEdge::Height, 206, 296},
    {"plLevelGateInB", TEdge::Height, 247, 337},
    {"pbLevelCompOut", TEdge::Height, 185, 265},
    {"pbLevelCompOut", TEdge::Top, 43, 53},
    {"pbLevelCompOut3", TEdge::Top, 55, 65},
    {"pbLimitCompOut5", TEdge::Height, 22, 32},
    {"pbLevelGateInC", TEdge::Height, 208, 288},
    {"pbLevelGateIn", TEdge::Top, 32, 42},
    {"lbLimitCompOut", TEdge::Top, 22, 32},
    {"lb12CompOut", TEdge::Top, 68, 98},
    {"lbN60CompOut6", TEdge::Top, 222, 312},
    {"lbClipGateIn", TEdge::Top, 36, 46},
    {"lbN20GateInA", TEdge::Top, 175, 245},
    {"imDelayInB", TEdge::Top, 102, 146},
    {"lbDelayLineInC", TEdge::Top, 156, 222},
    {"lbDelayShowInA", TEdge::Top, 44, 66},
    {"imDelayOut6", TEdge::Top, 188, 260},
    {"lbDelayShowOut1", TEdge::Top, 14, 26},
    {"plMatrixInC", TEdge::Top, 200, 266},
    {"plMatrixOut2", TEdge::Top, 70, 94},
    {"rzbMenuLink", TEdge::Left, 1040, 1340},
    {"rzgFunction", TEdge::Width, 1115, 1415},
    {"rzgFftOut4", TEdge::Width, 1112, 1412},
    {"imRightUpBase", TEdge::Left, 1077, 1377},
    {"imLeftDownBase", TEdge::Width, 1082, 1382},
    {"rzgPreset", TEdge::Left, 10, 160},
    {"rzgParamDelay", TEdge::Left, 20, 170},
    {"fftDrawInC", TEdge::Width, 1070, 1370},
    {"vrbEqBypassOut1", TEdge::Left, 776, 1076},
    {"vrbEqShowAllInB", TEdge::Left, 934, 1234},
    {"rzgFftShowChInB", TEdge::Left, 500, 650},
    {"rzgFftShowChOut5", TEdge::Width, 260, 260},
    {"fftDrawGainOut", TEdge::Left, 550, 700},
    {"fftDrawGainIn", TEdge::Width, 530, 680},
    {"rzgFftShowChOut", TEdge::Left, 720, 1020},
    {"lbFftGainOut", TEdge::Left, 600, 750},
    {"plFftDelayOut", TEdge::Left, 560, 710},
    {"lbFftDelayIn", TEdge::Width, 520, 670},
    {"lbDelayLineOut1", TEdge::Width, 475, 625},
    {"ipGate", TEdge::Width, 855, 1155},
    {"lbCompName", TEdge::Width, 538, 838},
    {"plLevelCompOut2", TEdge::Left, 764, 1064},
    {"plLevelGateInC", TEdge::Left, 1032, 1332},
    {"pbMatrix", TEdge::Left, 465, 565},
    {"plMatrixInA", TEdge::Width, 415, 515},
    {"plMatrixOut1", TEdge::Left, 561, 761},
    {"plMatrixOut1", TEdge::Width, 510, 610},
    {"lbMatrixGateInA", TEdge::Left, 134, 171},
    {"spMatrixDelayInB", TEdge::Width, 50, 64},
    {"lbMatrixChNameInC", TEdge::Width, 70, 84},
    {"spMatrixCompOut4", TEdge::Left, 180, 213},
    {"lbMatrixNameOut1", TEdge::Left, 418, 495},
    {"lbMatrixChNameOut2", TEdge::Width, 80, 92},
    {"spMatrixNameOut3", TEdge::Width, 58, 70},
};
// clang-format on

int EdgeOf(const TControl& control, TEdge edge) {
    switch (edge) {
        case TEdge::Left: return control.Left();
        case TEdge::Top: return control.Top();
        case TEdge::Width: return control.Width();
        case TEdge::Height: return control.Height();
    }
    return 0;
}

class MainWindowResize : public ::testing::Test {
protected:
    void Resize(int width, int height) {
        TfmMain& window = fixture_.Window();
        window.SetBounds(window.Left(), window.Top(), width, height);
        ASSERT_EQ(window.Width(), width);
        ASSERT_EQ(window.Height(), height);
    }
    // Every rule's value at one of the two sizes.
    void ExpectRules(bool larger, const std::string& size) {
        for (const TRule& rule : kRules) {
            auto* control = fixture_.Window().Control<TControl>(rule.control);
            ASSERT_NE(control, nullptr) << rule.control;
            EXPECT_EQ(EdgeOf(*control, rule.edge), larger ? rule.larger : rule.atDesign)
                << rule.control << " edge " << static_cast<int>(rule.edge) << " at " << size;
        }
    }

    test::TMainWindowFixture fixture_;
};

TEST_F(MainWindowResize, AtTheDesignSizeEveryRuleGivesItsBase) {
    ExpectRules(false, "1118 x 720");
    EXPECT_FALSE(fixture_.Window().AutoScroll());
    EXPECT_EQ(fixture_.Window().ExtraHeight(), 0);
}

TEST_F(MainWindowResize, ALargerWindowStretchesThePagesAndASmallerOneScrolls) {
    Resize(1418, 810);
    ExpectRules(true, "1418 x 810");
    EXPECT_FALSE(fixture_.Window().AutoScroll());
    EXPECT_EQ(fixture_.Window().ExtraHeight(), 90);

    // Below the design size: the last layout stays and the window scrolls.
    Resize(1000, 700);
    ExpectRules(true, "1000 x 700");
    EXPECT_TRUE(fixture_.Window().AutoScroll());
    EXPECT_EQ(fixture_.Window().ExtraHeight(), 90);

    Resize(1418, 810);
    Resize(1117, 720);
    EXPECT_TRUE(fixture_.Window().AutoScroll());
    EXPECT_EQ(fixture_.Window().ExtraHeight(), 0);
    EXPECT_EQ(fixture_.Window().Control<TControl>("rzgMain")->Height(), 629);
    EXPECT_EQ(fixture_.Window().Control<TControl>("rzbMenuLink")->Left(), 1340);
}

TEST_F(MainWindowResize, DelayMarkersSitOnTheirLines) {
    TfmMain& window = fixture_.Window();
    window.Control<TAdvTrackBar>("isDelayInB")->SetPosition(65280);
    window.Control<TAdvTrackBar>("isDelayOut2")->SetPosition(4800);
    Resize(1118, 720);
    Resize(1418, 810);
    // The line is 625 wide: at the fader's end the marker stands 50 from the line's end.
    EXPECT_EQ(window.Control<TControl>("imDelayInB")->Left(), 625 - 50);
    EXPECT_EQ(window.Control<TControl>("imDelayOut2")->Left(), 4800 * 535 / 65280 + 40);
    EXPECT_EQ(window.Control<TControl>("imDelayInA")->Left(), 40);
    const TControl& marker = *window.Control<TControl>("imDelayInB");
    const TControl& time = *window.Control<TControl>("lbFftDelayTimeInB");
    EXPECT_EQ(time.Left(), marker.Left() + 30);
    EXPECT_EQ(time.Top(), marker.Top() + marker.Height() / 4);
}

}  // namespace
}  // namespace dsp
