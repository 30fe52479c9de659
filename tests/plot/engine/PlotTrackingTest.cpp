// Axis tracking of new data, increment alignment, zoom to fit, and the user's control of an axis
// by drag, wheel, keys and its pop-up menu.

#include <gtest/gtest.h>

#include <cmath>
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
        plot.SetBounds(0, 0, 400, 300);
        x = plot.GetXAxis(0);
        y = plot.GetYAxis(0);
        Layout();
    }
    void Layout() {
        TBitmap scratch(400, 300);
        plot.PaintToCanvas(scratch.Canvas());
    }
    TiPlotMouseData At(int px, int py, TShiftState shift = {}) const {
        TiPlotMouseData data;
        data.X = px;
        data.Y = py;
        data.Shift = shift;
        return data;
    }
    TiXYPlot plot{nullptr};
    TiPlotXAxis* x = nullptr;
    TiPlotYAxis* y = nullptr;
};

TEST_F(PlotTrackingTest, TrackingStylesMoveTheRangeAfterTheFirstValue) {
    struct TCase {
        const char* name;
        TiPlotTrackingStyle style;
        double compressMax;
        std::vector<double> values;  // after a first value inside 0..100
        double min;
        double max;
    };
    const TCase cases[] = {
        {"scale min-max grows", iptsScaleMinMax, 0, {150}, 0, 150},
        {"scale min-max moves down keeping the span", iptsScaleMinMax, 0, {150, -20}, -20, 130},
        {"scroll smooth", iptsScrollSmooth, 0, {130}, 30, 130},
        {"scroll page", iptsScrollPage, 0, {130}, 100, 200},
        {"scroll smooth compressing", iptsScrollSmooth, 200, {150}, 0, 150},
        {"scale max", iptsScaleMax, 0, {120, -50}, 0, 120},
        {"scale min", iptsScaleMin, 0, {-30}, -30, 100},
        {"expand min-max", iptsExpandMinMax, 0, {110, -10}, -10, 110},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        x->SetMinSpan(0, 100);
        x->SetTrackingStyle(c.style);
        x->SetTrackingScrollCompressMax(c.compressMax);
        x->SetTrackingEnabled(true);
        x->ResetFirstAlign();
        x->NewTrackingData(50);  // ipafsAuto: inside the range, nothing moves
        EXPECT_EQ(x->Min(), 0);
        for (double v : c.values) x->NewTrackingData(v);
        EXPECT_DOUBLE_EQ(x->Min(), c.min);
        EXPECT_DOUBLE_EQ(x->Max(), c.max);
    }
}

TEST_F(PlotTrackingTest, FirstValueIsPlacedByTheAlignStyle) {
    struct TCase {
        TiPlotAlignFirstStyle style;
        double value;
        double min;
    };
    for (const TCase& c :
         {TCase{ipafsAuto, 40, 0}, TCase{ipafsAuto, 140, 140}, TCase{ipafsMin, 40, 40},
          TCase{ipafsMax, 40, -60}, TCase{ipafsNone, 140, 0}}) {
        x->SetMinSpan(0, 100);
        x->SetTrackingEnabled(true);
        x->SetTrackingAlignFirstStyle(c.style);
        x->ResetFirstAlign();
        x->NewTrackingData(c.value);
        EXPECT_EQ(x->Min(), c.min) << c.style << " " << c.value;
        EXPECT_TRUE(x->FirstAlignDone());
    }
    x->SetTrackingEnabled(false);
    x->ResetFirstAlign();
    x->NewTrackingData(500);
    EXPECT_FALSE(x->FirstAlignDone());
}

TEST_F(PlotTrackingTest, AlignmentWidensToWholeIncrements) {
    x->SetTrackingEnabled(false);
    x->SetDesiredIncrement(10);
    x->SetMinSpan(-15, 52);           // -15 .. 37
    plot.SetBounds(0, 0, 1200, 300);  // room for a label every 10
    TBitmap wide(1200, 300);
    plot.PaintToCanvas(wide.Canvas());
    ASSERT_EQ(x->MajorIncrement(), 10);
    x->SetTrackingIncrementStyle(iptisMajor);
    x->AlignToIncrement();
    EXPECT_EQ(x->Min(), -20);
    EXPECT_EQ(x->Max(), 40);
    int changes = 0;
    plot.OnXAxisMinSpanChange = [&](int, double, double, double, double) { ++changes; };
    x->AlignToIncrement();
    EXPECT_EQ(changes, 0);
}

TEST_F(PlotTrackingTest, ZoomToFitTakesTheChannelsOnTheAxisOnly) {
    x->SetMinSpan(0, 100);
    x->SetTrackingEnabled(false);
    x->ZoomToFit();  // an empty channel: nothing
    EXPECT_EQ(x->Min(), 0);
    TiXYPlotChannel* channel = plot.GetChannel(0);
    channel->SetXAxisTrackingEnabled(false);
    channel->AddXY(-5, 1);
    channel->AddXY(15, 2);
    x->SetTrackingMinMargin(1);
    x->ZoomToFit();
    EXPECT_EQ(x->Min(), -6);
    EXPECT_EQ(x->Max(), 15);
    channel->SetXAxisName("elsewhere");
    x->SetMinSpan(0, 100);
    x->ZoomToFit();
    EXPECT_EQ(x->Min(), 0);
}

TEST_F(PlotTrackingTest, ScrollingStopsAtTheScrollLimits) {
    x->SetMinSpan(10, 20);
    x->SetScrollMinMaxEnabled(true);
    x->SetScrollMin(0);
    x->SetScrollMax(100);
    x->ScrollByFraction(x->Min(), x->Span(), x->Max(), -5);
    EXPECT_EQ(x->Min(), 0);
    x->ScrollByFraction(x->Min(), x->Span(), x->Max(), 50);
    EXPECT_EQ(x->Min(), 80);
}

TEST_F(PlotTrackingTest, WheelZoomsAboutTheMiddleAndSwitchesTrackingOff) {
    x->SetMinSpan(0, 100);
    x->SetTrackingEnabled(true);
    x->SetMode(ipamZoom);
    EXPECT_TRUE(x->DoMouseWheel(120, {}, 0, 0));
    EXPECT_FALSE(x->TrackingEnabled());
    EXPECT_NEAR(x->Span(), 100 / std::pow(10.0, 0.025), 1e-9);
    EXPECT_NEAR(x->Mid(), 50, 1e-9);
    x->DoMouseWheel(-120, {}, 0, 0);
    EXPECT_NEAR(x->Span(), 100, 1e-9);
    x->SetMode(ipamScroll);
    x->DoMouseWheel(-120, {}, 0, 0);
    EXPECT_NEAR(x->Min(), -5, 1e-9);
}

TEST_F(PlotTrackingTest, DragScrollsOrWithCtrlZoomsAndReportsTheEnd) {
    x->SetMinSpan(0, 100);
    std::vector<std::string> events;
    plot.OnXAxisMinSpanChangeFinished = [&](int, double oldMin, double oldSpan, double newMin,
                                            double) {
        events.push_back("finished " + std::to_string(static_cast<int>(oldMin)) + " " +
                         std::to_string(static_cast<int>(oldSpan)) + " " +
                         std::to_string(static_cast<int>(std::lround(newMin))));
    };
    const int length = x->GetScaleLength();
    const int y0 = x->FocusRect().Top + 1;
    x->DoMouseLeft(At(200, y0));
    const double f = static_cast<double>(length / 10) / length;  // about a tenth of the scale
    x->DoMouseMove(At(200 + length / 10, y0));
    EXPECT_NEAR(x->Min(), -100 * f, 1e-9);
    EXPECT_FALSE(x->TrackingEnabled());
    x->DoMouseUp(At(200 + length / 10, y0));
    EXPECT_EQ(events, (std::vector<std::string>{"finished 0 100 -10"}));

    x->SetMinSpan(0, 100);
    x->DoMouseLeft(At(200, y0));
    x->DoMouseMove(At(200 + length / 10, y0, TShiftState{ssCtrl}));
    EXPECT_NEAR(x->Span(), 100 / std::pow(10.0, f / 4), 1e-9);
    x->DoMouseUp(At(200 + length / 10, y0));
    EXPECT_FALSE(x->Dragging());
}

TEST_F(PlotTrackingTest, KeysScrollWholeAndHundredthSpans) {
    struct TCase {
        TKeyCode key;
        double min;
    };
    for (const TCase& c : {TCase{VK_PRIOR, 100}, TCase{VK_HOME, -100}, TCase{VK_UP, 1},
                           TCase{VK_LEFT, -1}, TCase{VK_SPACE, 0}}) {
        x->SetMinSpan(0, 100);
        x->SetTrackingEnabled(true);
        TKeyCode key = c.key;
        x->DoKeyDown(key, {}, nullptr);
        EXPECT_NEAR(x->Min(), c.min, 1e-9) << c.key;
        EXPECT_FALSE(x->TrackingEnabled());
    }
}

TEST_F(PlotTrackingTest, PopupOffersTrackingResumeAndFitFirst) {
    x->SetTrackingEnabled(false);
    x->ClearPopupMenuItems(plot.PopupMenu());
    TMenuItem* items = plot.PopupMenu()->Items();
    ASSERT_EQ(items->Count(), 4);
    EXPECT_EQ(items->Items(0)->Caption(), "Tracking Enabled");
    EXPECT_FALSE(items->Items(0)->Checked());
    EXPECT_EQ(items->Items(1)->Caption(), "Update Resume Values");
    EXPECT_EQ(items->Items(2)->Caption(), "Zoom to Fit");
    EXPECT_EQ(items->Items(3)->Caption(), "Edit...");
    items->Items(0)->Click();
    EXPECT_TRUE(x->TrackingEnabled());
}

TEST_F(PlotTrackingTest, MouseCursorFollowsTheModeNotCtrl) {
    EXPECT_EQ(x->CheckMouseOver({}), crHandPoint);
    x->SetMode(ipamZoom);
    EXPECT_EQ(x->CheckMouseOver({}), crSizeWE);
    y->SetMode(ipamZoom);
    EXPECT_EQ(y->CheckMouseOver({}), crSizeNS);
    plot.OnGetMouseCursorYAxis = [](int, TCursor& cursor) { cursor = crCross; };
    EXPECT_EQ(y->CheckMouseOver({}), crCross);
}

}  // namespace
}  // namespace dsp
