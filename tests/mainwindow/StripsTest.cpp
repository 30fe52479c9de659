// The channel strips' conventions: the names composed for a channel, the texts of gains, delays
// and the dynamics, the numeric-text test, and the linked display on a link group with the
// applying flag set while the linked faders move and cleared after.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/controls/Label.h"
#include "framework/desktop/Cursors.h"
#include "mainwindow/StripNames.h"
#include "mainwindow/StripTexts.h"
#include "model/Lunitcontrol.h"
#include "tests/mainwindow/MainWindowFixture.h"
#include "widgets/panels/RzBmpBtn.h"
#include "widgets/styled/AdvTrackBar.h"
#include "widgets/styled/CurvyControls.h"

namespace dsp {
namespace {

TEST(StripConventions, NamesComposeStemSideAndCharacter) {
    EXPECT_EQ(StripName("isGain", 1), "isGainInB");
    EXPECT_EQ(StripName("cvdDelay", 6), "cvdDelayOut4");
    EXPECT_EQ(ChannelName(8), "Out6");
    EXPECT_EQ(ChannelChar(3), '1');
    EXPECT_EQ(SideBit(5), 2);
}

TEST(StripTexts, GainsStepByATenthThenByAHalfBelowMinusTwenty) {
    const std::pair<int, const char*> cases[] = {
        {120, "+12.0dB"},  {0, "+0.0dB"},     {-1, "-0.1dB"},    {-200, "-20.0dB"},
        {-201, "-20.5dB"}, {-202, "-21.0dB"}, {-240, "-40.0dB"}, {-280, "-60.0dB"}};
    for (const auto& [position, text] : cases) EXPECT_EQ(GainText(position), text) << position;
}

TEST(StripTexts, DelaysInEachUnit) {
    struct TCase {
        int position;
        const char* ms;
        const char* metres;
        const char* feet;
    };
    for (const TCase& c : {TCase{96, "1.000 ms", "0.344 m", "1.127 ft"},
                           TCase{960, "10.000 ms", "3.435 m", "11.270 ft"},
                           TCase{65280, "680.000 ms", "233.580 m", "766.329 ft"}}) {
        EXPECT_EQ(DelayText(c.position, 0), c.ms);
        EXPECT_EQ(DelayText(c.position, 1), c.metres);
        EXPECT_EQ(DelayText(c.position, 2), c.feet);
    }
    EXPECT_EQ(DelayText(96, 7), "1.000 ms");
    EXPECT_EQ(DelayLineText(40), "");
    EXPECT_EQ(DelayLineText(68), "----");
    EXPECT_EQ(DelayLineText(2000).size(), 132u);
}

TEST(StripTexts, FrequenciesAndDynamics) {
    EXPECT_EQ(CrossoverFrequencyText(170), "1.00KHz");
    EXPECT_EQ(CrossoverFrequencyText(0), "19.7Hz");
    EXPECT_EQ(CrossoverFrequencyText(300), "20.16KHz");
    EXPECT_EQ(ThresholdText(-180), "-90.0dB");
    EXPECT_EQ(ThresholdText(40), "+20.0dB");
    EXPECT_EQ(CompressorTimeText(49), " 50ms");
    EXPECT_EQ(GateTimeText(0), "1ms");
    EXPECT_EQ(RatioText(15), "Limit");
    EXPECT_EQ(RatioText(0), "1:1.0");
    EXPECT_EQ(RatioText(13), "1:10");
    EXPECT_EQ(KneeText(12), "12dB");
}

TEST(StripTexts, NumericTextTakesDigitsAndPointsOnly) {
    for (const char* text : {"", "12.5", "1.2.3", "."}) EXPECT_TRUE(IsNumericText(text)) << text;
    for (const char* text : {"-3", "1,5", "12 ", "1e3", "+"}) {
        EXPECT_FALSE(IsNumericText(text)) << text;
    }
}

class LinkedDisplay : public ::testing::Test {
protected:
    LinkedDisplay() {
        // Out1 leads Out2.
        Window().UnitControl().SetLinkMask(3, 0x3);
        Window().UnitControl().SetLinkMask(4, 0x0);
    }
    test::TTestMainWindow& Window() { return fixture_.Window(); }
    std::string TextOf(const std::string& name) {
        return Window().Control<TCurvyEdit>(name)->Text();
    }
    int PositionOf(const std::string& name) {
        return Window().Control<TAdvTrackBar>(name)->Position();
    }
    bool Down(const std::string& name) { return Window().Control<TRzBmpButton>(name)->Down(); }

    test::TMainWindowFixture fixture_;
};

TEST_F(LinkedDisplay, AGainShowsOnEveryStripOfTheGroupUnderTheFlag) {
    std::vector<std::string> changes;
    for (const char* name : {"isGainOut1", "isGainOut2", "isGainBackupOut1", "isGainOut3"}) {
        Window().Control<TAdvTrackBar>(name)->OnChange = [&, name](TObject*) {
            changes.push_back(std::string(name) + (Window().IsApplyingImage() ? " 1" : " 0"));
        };
    }
    Window().ShowLinkedGain(4, -60);
    EXPECT_FALSE(Window().IsApplyingImage());
    for (const char* strip : {"Out1", "Out2"}) {
        EXPECT_EQ(PositionOf(std::string("isGain") + strip), -60) << strip;
        EXPECT_EQ(PositionOf(std::string("isGainBackup") + strip), -60) << strip;
        EXPECT_EQ(TextOf(std::string("cvdGain") + strip), "-6.0dB") << strip;
        EXPECT_EQ(TextOf(std::string("cvdGainBackup") + strip), "-6.0dB") << strip;
    }
    EXPECT_EQ(PositionOf("isGainOut3"), 0);
    EXPECT_EQ(changes,
              (std::vector<std::string>{"isGainOut1 1", "isGainBackupOut1 1", "isGainOut2 1"}));
}

TEST_F(LinkedDisplay, ADelayMovesMarkersLinesAndTexts) {
    Window().ShowLinkedDelay(3, 4800, 68);
    EXPECT_FALSE(Window().IsApplyingImage());
    for (int ch : {3, 4}) {
        EXPECT_EQ(Window().StripControl<TControl>("imDelay", ch)->Left(), 68);
        EXPECT_EQ(Window().StripControl<TControl>("lbFftDelayTime", ch)->Left(), 98);
        EXPECT_EQ(Window().StripControl<TLabel>("lbDelayLine", ch)->Caption(), "----");
        EXPECT_EQ(Window().StripControl<TControl>("lbFftDelayTime", ch)->Caption(), "50.000 ms");
        EXPECT_EQ(Window().StripControl<TCurvyEdit>("cvdDelay", ch)->Text(), "50.000 ms");
        EXPECT_EQ(Window().StripControl<TAdvTrackBar>("isDelay", ch)->Position(), 4800);
    }
    EXPECT_EQ(Window().StripControl<TAdvTrackBar>("isDelay", 5)->Position(), 0);
}

TEST_F(LinkedDisplay, MuteAndPolarityOnTheGroupOnly) {
    Window().ShowLinkedMute(3, true);
    Window().ShowLinkedPolarity(4, true);
    for (const char* strip : {"Out1", "Out2"}) {
        EXPECT_TRUE(Down(std::string("rzbMute") + strip)) << strip;
        EXPECT_TRUE(Down(std::string("rzbMuteBackup") + strip)) << strip;
        EXPECT_TRUE(Down(std::string("rzbPhaseBackup") + strip)) << strip;
        EXPECT_EQ(Window().Control<TControl>(std::string("rzbPhase") + strip)->Caption(),
                  "Inverse");
    }
    EXPECT_FALSE(Down("rzbMuteOut3"));
    // Default masks: each channel is a group by itself.
    Window().ShowLinkedMute(1, true);
    EXPECT_TRUE(Down("rzbMuteInB"));
    EXPECT_FALSE(Down("rzbMuteInA"));
    EXPECT_FALSE(Down("rzbMuteInC"));
}

TEST_F(LinkedDisplay, StageLabelsShowTheHandOverThem) {
    for (const char* name : {"lbMatrixPeqOut5", "lbMatrixChNameInA", "lbMatrixGateInC"}) {
        auto* label = Window().Control<TLabel>(name);
        label->OnMouseMove(label, {}, 3, 3);
        EXPECT_EQ(label->Cursor(), crHandPoint) << name;
        label->OnMouseLeave(label);
        EXPECT_EQ(label->Cursor(), crDefault) << name;
    }
    // Another sender is ignored.
    Window().lbMatrixChNameInAMouseMove(&Window(), {}, 0, 0);
    EXPECT_EQ(Window().Cursor(), crDefault);
}

}  // namespace
}  // namespace dsp
