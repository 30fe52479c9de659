// Page switching: one page's panels at a time, the captions' colours, and a follower in a link
// group opening its leader's panels under its own name, its total curve in its own colour.

#include <gtest/gtest.h>

#include "components/LMyFFTDrawPhase.h"
#include "model/Lunitcontrol.h"
#include "model/Plot.h"
#include "model/ResponseTables.h"
#include "tests/mainwindow/MainWindowFixture.h"
#include "widgets/panels/RzBmpBtn.h"
#include "widgets/panels/RzPanel.h"

namespace dsp {
namespace {

class MainWindowPageSwitch : public ::testing::Test {
protected:
    TfmMain& Window() { return fixture_.Window(); }
    bool Shown(const std::string& panel) { return Window().Control<TControl>(panel)->Visible(); }
    TColor CaptionColour(const std::string& button) {
        return Window().Control<TRzBmpButton>(button)->Font()->Color();
    }
    TColor TotalCurveColour(const std::string& view) {
        TColor colour = clNone;
        Window().Control<LMyFFTDrawPhase>(view)->GetPlotColor(colour, Plot::ChannelTotalSlot);
        return colour;
    }

    test::TMainWindowFixture fixture_;
};

TEST_F(MainWindowPageSwitch, StartsOnTheGainPageAndShowsOnePageAtATime) {
    EXPECT_EQ(Window().Page(), TfmMain::kPageGain);
    EXPECT_TRUE(Window().Control<TRzBmpButton>("rzbMenuGain")->Down());
    EXPECT_TRUE(Shown("rzgFftGain"));
    EXPECT_TRUE(Shown("rzgParamGain"));
    EXPECT_EQ(CaptionColour("rzbMenuGain"), clLime);

    // The page already shown: nothing at all.
    fixture_.OpenPage(TfmMain::kPageGain);
    EXPECT_TRUE(Shown("rzgParamGain"));

    fixture_.OpenPage(TfmMain::kPageDelay);
    EXPECT_EQ(Window().Page(), TfmMain::kPageDelay);
    EXPECT_FALSE(Shown("rzgFftGain"));
    EXPECT_FALSE(Shown("rzgParamGain"));
    EXPECT_TRUE(Shown("rzgFftDelay"));
    EXPECT_TRUE(Shown("rzgParamDelay"));
    EXPECT_EQ(CaptionColour("rzbMenuGain"), clWhite);
    EXPECT_EQ(CaptionColour("rzbMenuDelay"), clLime);

    fixture_.OpenPage(4);
    EXPECT_FALSE(Shown("rzgParamDelay"));
    EXPECT_TRUE(Shown("rzgFftOut2"));
    EXPECT_TRUE(Shown("rzgParamOut2"));
    EXPECT_EQ(Window().Control<TControl>("lbFftChannelOut2")->Caption(), "Out2");
}

TEST_F(MainWindowPageSwitch, AFollowerOpensItsLeadersPageUnderItsOwnName) {
    LUnitControl& image = Window().UnitControl();
    image.SetLinkMask(3, 0x3);  // Out1 leads Out2
    image.SetLinkMask(4, 0x0);
    fixture_.OpenPage(4);
    EXPECT_EQ(Window().Page(), 4);
    EXPECT_TRUE(Shown("rzgFftOut1"));
    EXPECT_TRUE(Shown("rzgParamOut1"));
    EXPECT_FALSE(Shown("rzgParamOut2"));
    EXPECT_EQ(Window().Control<TControl>("lbFftChannelOut1")->Caption(), "Out2");
    EXPECT_EQ(Window().Control<TControl>("lbGainNameOut1")->Caption(), "Out2");
    EXPECT_EQ(TotalCurveColour("fftDrawOut1"), static_cast<TColor>(ChannelColours[4]));

    fixture_.OpenPage(3);
    EXPECT_EQ(Window().Page(), 3);
    EXPECT_TRUE(Shown("rzgParamOut1"));
    EXPECT_EQ(Window().Control<TControl>("lbFftChannelOut1")->Caption(), "Out1");
    EXPECT_EQ(TotalCurveColour("fftDrawOut1"), static_cast<TColor>(ChannelColours[3]));
}

TEST_F(MainWindowPageSwitch, AChannelInNoGroupLeavesThePageAsItWas) {
    LUnitControl& image = Window().UnitControl();
    image.SetLinkMask(0, 0x1);
    image.SetLinkMask(1, 0x0);  // InB: in no input's mask
    fixture_.OpenPage(1);
    EXPECT_EQ(Window().Page(), TfmMain::kPageGain);
    EXPECT_TRUE(Shown("rzgParamGain"));
    EXPECT_FALSE(Shown("rzgParamInB"));
}

TEST_F(MainWindowPageSwitch, AStageOfTheRoutingPageOpensItsPage) {
    fixture_.OpenPage(TfmMain::kPageMatrix);
    struct TStage {
        const char* label;
        int page;
    };
    for (const TStage& stage : {TStage{"lbMatrixPhaseOut3", 5}, TStage{"lbMatrixPeqInB", 1},
                                TStage{"lbMatrixDelayOut6", TfmMain::kPageDelay},
                                TStage{"lbMatrixCompOut2", TfmMain::kPageComp}}) {
        fixture_.OpenPage(TfmMain::kPageMatrix);
        Window().Control<TControl>(stage.label)->Click();
        EXPECT_EQ(Window().Page(), stage.page) << stage.label;
        EXPECT_TRUE(
            Window().Control<TRzBmpButton>("rzbMenu" + TfmMain::PageName(stage.page))->Down())
            << stage.label;
        EXPECT_FALSE(Window().Control<TRzBmpButton>("rzbMenuMatrix")->Down()) << stage.label;
    }
}

}  // namespace
}  // namespace dsp
