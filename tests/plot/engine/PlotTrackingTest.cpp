// Axis tracking of new data, increment alignment, zoom to fit, and the user's control of an axis
// by drag, wheel, keys and its pop-up menu.

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "framework/controls/KeyMap.h"
#include "plot/engine/iXYPlot.h"
#include "tests/plot/engine/PlotTestSupport.h"

namespace dsp {
namespace {

class PlotTrackingTest : public ::testing::Test {
protected:
    PlotTrackingTest() {
        plot_.SetBounds(0, 0, 400, 300);
        x_ = plot_.GetXAxis(0);
        y_ = plot_.GetYAxis(0);
        Layout();
    }
    void Layout() {
        TBitmap scratch(400, 300);
        plot_.PaintToCanvas(scratch.Canvas());
    }
    TiPlotMouseData At(int px, int py, TShiftState shift = {}) const {
        TiPlotMouseData data;
        data.X = px;
        data.Y = py;
        data.Shift = shift;
        return data;
    }
    TiXYPlot plot_{nullptr};
    TiPlotXAxis* x_ = nullptr;
    TiPlotYAxis* y_ = nullptr;
};

struct StyleCase {
    const char* name;
    TiPlotTrackingStyle style;
    double compressMax;
    std::vector<double> values;  // after a first value inside 0..100
    double min;
    double max;
};

void PrintTo(const StyleCase& c, std::ostream* os) { *os << c.name; }

const StyleCase kStyleCases[] = {
    {"ScaleMinMaxGrows", iptsScaleMinMax, 0, {150}, 0, 150},
    {"ScaleMinMaxMovesDownKeepingTheSpan", iptsScaleMinMax, 0, {150, -20}, -20, 130},
    {"ScrollSmooth", iptsScrollSmooth, 0, {130}, 30, 130},
    {"ScrollPage", iptsScrollPage, 0, {130}, 100, 200},
    {"ScrollSmoothCompressing", iptsScrollSmooth, 200, {150}, 0, 150},
    {"ScaleMax", iptsScaleMax, 0, {120, -50}, 0, 120},
    {"ScaleMin", iptsScaleMin, 0, {-30}, -30, 100},
    {"ExpandMinMax", iptsExpandMinMax, 0, {110, -10}, -10, 110},
};

class PlotTrackingStyle : public PlotTrackingTest,
                          public ::testing::WithParamInterface<StyleCase> {};

TEST_P(PlotTrackingStyle, LaterValuesMoveTheRange) {
    const StyleCase& c = GetParam();
    x_->SetMinSpan(0, 100);
    x_->SetTrackingStyle(c.style);
    x_->SetTrackingScrollCompressMax(c.compressMax);
    x_->SetTrackingEnabled(true);
    x_->ResetFirstAlign();
    x_->NewTrackingData(50);  // ipafsAuto: inside the range, nothing moves
    EXPECT_EQ(x_->Min(), 0);
    for (double v : c.values) x_->NewTrackingData(v);
    EXPECT_DOUBLE_EQ(x_->Min(), c.min);
    EXPECT_DOUBLE_EQ(x_->Max(), c.max);
}

INSTANTIATE_TEST_SUITE_P(Styles, PlotTrackingStyle, ::testing::ValuesIn(kStyleCases),
                         [](const ::testing::TestParamInfo<StyleCase>& row) {
                             return std::string(row.param.name);
                         });

struct FirstCase {
    const char* name;
    TiPlotAlignFirstStyle style;
    double value;
    double min;
};

void PrintTo(const FirstCase& c, std::ostream* os) { *os << c.name; }

const FirstCase kFirstCases[] = {{"AutoInsideStays", ipafsAuto, 40, 0},
                                 {"AutoOutsideMovesMin", ipafsAuto, 140, 140},
                                 {"Min", ipafsMin, 40, 40},
                                 {"Max", ipafsMax, 40, -60},
                                 {"None", ipafsNone, 140, 0}};

class PlotTrackingFirst : public PlotTrackingTest,
                          public ::testing::WithParamInterface<FirstCase> {};

TEST_P(PlotTrackingFirst, FirstValueIsPlacedByTheAlignStyle) {
    const FirstCase& c = GetParam();
    x_->SetMinSpan(0, 100);
    x_->SetTrackingEnabled(true);
    x_->SetTrackingAlignFirstStyle(c.style);
    x_->ResetFirstAlign();
    x_->NewTrackingData(c.value);
    EXPECT_EQ(x_->Min(), c.min);
    EXPECT_TRUE(x_->FirstAlignDone());
}

INSTANTIATE_TEST_SUITE_P(Styles, PlotTrackingFirst, ::testing::ValuesIn(kFirstCases),
                         [](const ::testing::TestParamInfo<FirstCase>& row) {
                             return std::string(row.param.name);
                         });

TEST_F(PlotTrackingTest, WithoutTrackingNoValueCounts) {
    x_->SetTrackingEnabled(false);
    x_->ResetFirstAlign();
    x_->NewTrackingData(500);
    EXPECT_FALSE(x_->FirstAlignDone());
    EXPECT_EQ(x_->Min(), 0);
}

TEST_F(PlotTrackingTest, AlignmentWidensToWholeIncrements) {
    x_->SetTrackingEnabled(false);
    x_->SetDesiredIncrement(10);
    x_->SetMinSpan(-15, 52);           // -15 .. 37
    plot_.SetBounds(0, 0, 1200, 300);  // room for a label every 10
    TBitmap wide(1200, 300);
    plot_.PaintToCanvas(wide.Canvas());
    ASSERT_EQ(x_->MajorIncrement(), 10);
    x_->SetTrackingIncrementStyle(iptisMajor);
    x_->AlignToIncrement();
    EXPECT_EQ(x_->Min(), -20);
    EXPECT_EQ(x_->Max(), 40);
    int changes = 0;
    plot_.OnXAxisMinSpanChange = [&](int, double, double, double, double) { ++changes; };
    x_->AlignToIncrement();
    EXPECT_EQ(changes, 0);
}

TEST_F(PlotTrackingTest, ZoomToFitTakesTheChannelsOnTheAxisOnly) {
    x_->SetMinSpan(0, 100);
    x_->SetTrackingEnabled(false);
    x_->ZoomToFit();  // an empty channel: nothing
    EXPECT_EQ(x_->Min(), 0);
    TiXYPlotChannel* channel = plot_.GetChannel(0);
    channel->SetXAxisTrackingEnabled(false);
    channel->AddXY(-5, 1);
    channel->AddXY(15, 2);
    x_->SetTrackingMinMargin(1);
    x_->ZoomToFit();
    EXPECT_EQ(x_->Min(), -6);
    EXPECT_EQ(x_->Max(), 15);
    channel->SetXAxisName("elsewhere");
    x_->SetMinSpan(0, 100);
    x_->ZoomToFit();
    EXPECT_EQ(x_->Min(), 0);
}

TEST_F(PlotTrackingTest, ScrollingStopsAtTheScrollLimits) {
    x_->SetMinSpan(10, 20);
    x_->SetScrollMinMaxEnabled(true);
    x_->SetScrollMin(0);
    x_->SetScrollMax(100);
    x_->ScrollByFraction(x_->Min(), x_->Span(), x_->Max(), -5);
    EXPECT_EQ(x_->Min(), 0);
    x_->ScrollByFraction(x_->Min(), x_->Span(), x_->Max(), 50);
    EXPECT_EQ(x_->Min(), 80);
}

TEST_F(PlotTrackingTest, WheelZoomsAboutTheMiddleAndSwitchesTrackingOff) {
    x_->SetMinSpan(0, 100);
    x_->SetTrackingEnabled(true);
    x_->SetMode(ipamZoom);
    EXPECT_TRUE(x_->DoMouseWheel(120, {}, 0, 0));
    EXPECT_FALSE(x_->TrackingEnabled());
    EXPECT_NEAR(x_->Span(), 100 / std::pow(10.0, 0.025), 1e-9);
    EXPECT_NEAR(x_->Mid(), 50, 1e-9);
    x_->DoMouseWheel(-120, {}, 0, 0);
    EXPECT_NEAR(x_->Span(), 100, 1e-9);
    x_->SetMode(ipamScroll);
    x_->DoMouseWheel(-120, {}, 0, 0);
    EXPECT_NEAR(x_->Min(), -5, 1e-9);
}

TEST_F(PlotTrackingTest, DragScrollsOrWithCtrlZoomsAndReportsTheEnd) {
    x_->SetMinSpan(0, 100);
    std::vector<std::string> events;
    plot_.OnXAxisMinSpanChangeFinished = [&](int, double oldMin, double oldSpan, double newMin,
                                             double) {
        events.push_back("finished " + std::to_string(static_cast<int>(oldMin)) + " " +
                         std::to_string(static_cast<int>(oldSpan)) + " " +
                         std::to_string(static_cast<int>(std::lround(newMin))));
    };
    const int length = x_->GetScaleLength();
    const int y0 = x_->FocusRect().Top + 1;
    x_->DoMouseLeft(At(200, y0));
    const double f = static_cast<double>(length / 10) / length;  // about a tenth of the scale
    x_->DoMouseMove(At(200 + length / 10, y0));
    EXPECT_NEAR(x_->Min(), -100 * f, 1e-9);
    EXPECT_FALSE(x_->TrackingEnabled());
    x_->DoMouseUp(At(200 + length / 10, y0));
    EXPECT_EQ(events, (std::vector<std::string>{"finished 0 100 -10"}));

    x_->SetMinSpan(0, 100);
    x_->DoMouseLeft(At(200, y0));
    x_->DoMouseMove(At(200 + length / 10, y0, TShiftState{ssCtrl}));
    EXPECT_NEAR(x_->Span(), 100 / std::pow(10.0, f / 4), 1e-9);
    x_->DoMouseUp(At(200 + length / 10, y0));
    EXPECT_FALSE(x_->Dragging());
}

struct KeyCase {
    const char* name;
    TKeyCode key;
    double min;
};

void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.name; }

const KeyCase kKeyCases[] = {{"PageUpAWholeSpan", VK_PRIOR, 100},
                             {"HomeAWholeSpanBack", VK_HOME, -100},
                             {"UpAHundredth", VK_UP, 1},
                             {"LeftAHundredthBack", VK_LEFT, -1},
                             {"OtherKeysNothing", VK_SPACE, 0}};

class PlotTrackingKey : public PlotTrackingTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(PlotTrackingKey, KeyScrollsAndSwitchesTrackingOff) {
    const KeyCase& c = GetParam();
    x_->SetMinSpan(0, 100);
    x_->SetTrackingEnabled(true);
    TKeyCode key = c.key;
    x_->DoKeyDown(key, {}, nullptr);
    EXPECT_NEAR(x_->Min(), c.min, 1e-9);
    EXPECT_FALSE(x_->TrackingEnabled());
}

INSTANTIATE_TEST_SUITE_P(Keys, PlotTrackingKey, ::testing::ValuesIn(kKeyCases),
                         [](const ::testing::TestParamInfo<KeyCase>& row) {
                             return std::string(row.param.name);
                         });

TEST_F(PlotTrackingTest, PopupOffersTrackingResumeAndFitFirst) {
    x_->SetTrackingEnabled(false);
    x_->ClearPopupMenuItems(plot_.PopupMenu());
    TMenuItem* items = plot_.PopupMenu()->Items();
    ASSERT_EQ(items->Count(), 4);
    EXPECT_EQ(items->Items(0)->Caption(), "Tracking Enabled");
    EXPECT_FALSE(items->Items(0)->Checked());
    EXPECT_EQ(items->Items(1)->Caption(), "Update Resume Values");
    EXPECT_EQ(items->Items(2)->Caption(), "Zoom to Fit");
    EXPECT_EQ(items->Items(3)->Caption(), "Edit...");
    items->Items(0)->Click();
    EXPECT_TRUE(x_->TrackingEnabled());
}

TEST_F(PlotTrackingTest, MouseCursorFollowsTheModeNotCtrl) {
    EXPECT_EQ(x_->CheckMouseOver({}), crHandPoint);
    x_->SetMode(ipamZoom);
    EXPECT_EQ(x_->CheckMouseOver({}), crSizeWE);
    y_->SetMode(ipamZoom);
    EXPECT_EQ(y_->CheckMouseOver({}), crSizeNS);
    plot_.OnGetMouseCursorYAxis = [](int, TCursor& cursor) { cursor = crCross; };
    EXPECT_EQ(y_->CheckMouseOver({}), crCross);
}

}  // namespace
}  // namespace dsp
