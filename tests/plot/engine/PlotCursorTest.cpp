// The data cursor: its pointers and their layout, values and hint, dragging and keys, and its
// pop-up menu.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "framework/controls/KeyMap.h"
#include "plot/engine/iXYPlot.h"
#include "tests/plot/engine/PlotTestSupport.h"
#include "tests/plot/engine/RecordingCanvas.h"

namespace dsp {
namespace {

// A plot the cursor takes for a strip chart.
class TStripPlot : public test::TAxesPlot {
public:
    using test::TAxesPlot::TAxesPlot;
    bool IsStripChart() const override { return true; }
};

class PlotCursorTest : public ::testing::Test {
protected:
    PlotCursorTest() {
        plot.SetBounds(0, 0, 400, 300);
        for (TiPlotAxis* axis : {static_cast<TiPlotAxis*>(plot.GetXAxis(0)),
                                 static_cast<TiPlotAxis*>(plot.GetYAxis(0))}) {
            axis->SetTrackingEnabled(false);
        }
        cursor = plot.GetDataCursor(0);
        cursor->SetVisible(true);
    }
    test::TRecordingCanvas& Paint() {
        canvas.ClearCalls();
        plot.PaintToCanvas(&canvas);
        return canvas;
    }
    TiPlotMouseData Mouse(TPoint p) const {
        TiPlotMouseData data;
        data.X = p.X;
        data.Y = p.Y;
        return data;
    }
    TPoint Centre(const TRect& r) const { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }
    TiXYPlot plot{nullptr};
    TiPlotDataCursor* cursor = nullptr;
    test::TRecordingCanvas canvas{400, 300};
};

TEST_F(PlotCursorTest, NewCursorIsHiddenFollowsTheFirstChannelAndDrawsInItsColour) {
    TiXYPlot fresh(nullptr);
    TiPlotDataCursor* c = fresh.GetDataCursor(0);
    EXPECT_FALSE(c->Visible());
    EXPECT_EQ(c->ChannelName(), "Channel 1");
    EXPECT_EQ(c->Pointer1Position(), 50);
    EXPECT_EQ(c->Pointer2Position(), 60);
    EXPECT_EQ(c->HintPosition(), 50);
    plot.GetChannel(0)->SetColor(clFuchsia);
    const std::vector<test::TCanvasCall> lines = Paint().CallsOf("Polyline");
    const TRect view = plot.GetDataView(0)->DrawRect();
    bool vertical = false;
    for (const test::TCanvasCall& call : lines) {
        if (call.points.size() == 2 && call.points[0].Y == view.Top &&
            call.points[1].Y == view.Bottom && call.pen == clFuchsia) {
            vertical = true;
        }
    }
    EXPECT_TRUE(vertical);
}

TEST_F(PlotCursorTest, PointerPositionsStayWithinTheViewAndOnlyChangesNotify) {
    int changes = 0;
    auto none = [](TObject*) {};
    TiPlotDataCursor own(
        &plot, [&](TObject*) { ++changes; }, none, none, none);
    const double nan = std::nan("");
    for (const auto& [value, stored] :
         {std::pair{-3.0, 0.0}, std::pair{nan, 0.0}, std::pair{250.0, 100.0}}) {
        own.SetPointer1Position(value);
        EXPECT_EQ(own.Pointer1Position(), stored);
    }
    changes = 0;
    own.SetPointer2Position(42);
    own.SetPointer2Position(42);
    EXPECT_EQ(changes, 1);
}

TEST_F(PlotCursorTest, PointerLayoutByStyleOwnerAndAxesDirection) {
    struct TCase {
        TiPlotDataCursorStyle style;
        bool strip;
        bool p1;
        bool p2;
        TiOrientation o1;
        TiOrientation o2;
        TiOrientation hint;
    };
    const TCase cases[] = {
        {ipcsValueXY, false, true, true, ioVertical, ioHorizontal, ioVertical},
        {ipcsValueX, false, true, false, ioVertical, ioVertical, ioVertical},
        {ipcsValueY, false, false, true, ioVertical, ioHorizontal, ioHorizontal},
        {ipcsDeltaX, false, true, true, ioVertical, ioVertical, ioVertical},
        {ipcsInverseDeltaX, false, true, true, ioVertical, ioVertical, ioVertical},
        {ipcsDeltaY, false, true, true, ioHorizontal, ioHorizontal, ioHorizontal},
        {ipcsValueXY, true, true, false, ioVertical, ioVertical, ioVertical},
        {ipcsValueY, true, true, false, ioVertical, ioVertical, ioVertical},
        {ipcsDeltaY, true, true, true, ioHorizontal, ioHorizontal, ioHorizontal},
    };
    TStripPlot strip(nullptr);
    auto none = [](TObject*) {};
    for (const TCase& c : cases) {
        for (bool reversed : {false, true}) {
            SCOPED_TRACE(std::to_string(c.style) + (c.strip ? " strip" : " xy") +
                         (reversed ? " reversed" : ""));
            TiPlotDataCursor own(c.strip ? static_cast<TObject*>(&strip) : &plot, none, none, none,
                                 none);
            own.SetXYAxesReversed(reversed);
            own.SetStyle(c.style);
            EXPECT_EQ(own.Pointer1Show(), c.p1);
            EXPECT_EQ(own.Pointer2Show(), c.p2);
            const auto turned = [&](TiOrientation o) {
                return reversed ? (o == ioVertical ? ioHorizontal : ioVertical) : o;
            };
            if (c.p1) {
                EXPECT_EQ(own.Pointer1Orientation(), turned(c.o1));
            }
            if (c.p2) {
                EXPECT_EQ(own.Pointer2Orientation(), turned(c.o2));
            }
            EXPECT_EQ(own.HintOrientation(), turned(c.hint));
        }
    }
}

TEST_F(PlotCursorTest, HintFlipsToTheFreeSideOfItsPointer) {
    cursor->SetStyle(ipcsValueX);
    cursor->SetPointer1Position(97);
    Paint();
    ASSERT_TRUE(cursor->HintShowing());
    EXPECT_EQ(cursor->HintOrientationSide(), iosTopLeft);
    EXPECT_LT(cursor->HintRect().Right, cursor->Pointer1Rect().Left + 5);
    cursor->SetPointer1Position(2);
    Paint();
    EXPECT_EQ(cursor->HintOrientationSide(), iosBottomRight);
    EXPECT_GT(cursor->HintRect().Left, Centre(cursor->Pointer1Rect()).X);
    const TRect view = plot.GetDataView(0)->DrawRect();
    EXPECT_GE(cursor->HintRect().Left, view.Left);
    EXPECT_LE(cursor->HintRect().Right, view.Right);
}

TEST_F(PlotCursorTest, AllChannelsComputeValuesButShowNoHint) {
    TiXYPlotChannel* second = plot.GetChannel(plot.AddChannel());
    cursor->SetChannelName("<All>");
    Paint();
    EXPECT_FALSE(cursor->HintShowing());
    EXPECT_FALSE(plot.GetChannel(0)->DataCursorXText().empty());
    EXPECT_FALSE(second->DataCursorXText().empty());
    EXPECT_TRUE(plot.GetLegend(0)->CursorAllChannels());
    for (const char* name : {"<All>", "<all>"}) {
        cursor->SetChannelName(name);
        cursor->ClearPopupMenuItems(plot.PopupMenu());
        TMenuItem* options = plot.PopupMenu()->Items()->Find("Options");
        ASSERT_NE(options, nullptr);
        EXPECT_FALSE(options->Find("Flip Alignment")->Enabled()) << name;
    }
}

TEST_F(PlotCursorTest, DraggingAPointerDrawsItThinAndMovesItWithoutNotifying) {
    cursor->SetStyle(ipcsValueX);
    cursor->SetPointerPenWidth(3);
    cursor->SetHintHideOnRelease(true);
    Paint();
    EXPECT_FALSE(cursor->HintShowing());
    const TRect view = plot.GetDataView(0)->DrawRect();
    auto pointerWidth = [&](test::TRecordingCanvas& c) {
        for (const test::TCanvasCall& call : c.CallsOf("Polyline")) {
            if (call.points.size() == 2 && call.points[0].Y == view.Top &&
                call.points[1].Y == view.Bottom && call.pen == plot.GetChannel(0)->Color()) {
                return call.penWidth;
            }
        }
        return -1;
    };
    EXPECT_EQ(pointerWidth(canvas), 3);
    const TPoint grab = Centre(cursor->Pointer1Rect());
    cursor->DoMouseLeft(Mouse(grab));
    ASSERT_TRUE(cursor->Dragging());
    cursor->DoMouseMove(Mouse({grab.X - 40, grab.Y}));
    EXPECT_LT(cursor->Pointer1Position(), 50);
    EXPECT_EQ(pointerWidth(Paint()), 0);
    EXPECT_TRUE(cursor->HintShowing());
    cursor->DoMouseUp(Mouse({grab.X - 40, grab.Y}));
    EXPECT_EQ(pointerWidth(Paint()), 3);
    EXPECT_FALSE(cursor->HintShowing());

    // Dragging only the hint does not show a hint hidden on release.
    cursor->SetHintHideOnRelease(false);
    Paint();
    cursor->SetHintHideOnRelease(true);
    cursor->DoMouseLeft(Mouse(Centre(cursor->HintRect())));
    Paint();
    EXPECT_FALSE(cursor->HintShowing());
}

TEST_F(PlotCursorTest, KeysStepThePointersByPixelsAndJumpToTheEnds) {
    cursor->SetStyle(ipcsValueX);
    Paint();
    TKeyCode key = VK_END;
    cursor->DoKeyDown(key, {}, nullptr);
    EXPECT_EQ(cursor->Pointer1Position(), 100);
    key = VK_HOME;
    cursor->DoKeyDown(key, {}, nullptr);
    EXPECT_EQ(cursor->Pointer1Position(), 0);
    key = VK_PRIOR;
    cursor->DoKeyDown(key, {}, nullptr);
    const TiPlotDataView* view = plot.GetDataView(0);
    const double pixel =
        std::abs(view->PixelsXToPositionPercent(101) - view->PixelsXToPositionPercent(100));
    EXPECT_NEAR(cursor->Pointer1Position(), 5 * pixel, 1e-9);
    key = VK_NEXT;
    cursor->DoKeyDown(key, {}, nullptr);
    cursor->DoKeyDown(key, {}, nullptr);
    EXPECT_EQ(cursor->Pointer1Position(), 0);
    // Pointer 2 is not shown in this style: Ctrl moves nothing.
    key = VK_END;
    cursor->DoKeyDown(key, TShiftState{ssCtrl}, nullptr);
    EXPECT_EQ(cursor->Pointer2Position(), 60);
}

TEST_F(PlotCursorTest, UnchangedValuesRaiseNoChangeEvent) {
    int changes = 0;
    plot.OnDataCursorChange = [&](int) { ++changes; };
    cursor->StoreCursorValues(ipdpsValid, 1, 2);
    cursor->StoreCursorValues(ipdpsValid, 1, 2);
    EXPECT_EQ(changes, 1);
    cursor->StoreCursorValues(ipdpsNull, 1, 2);
    EXPECT_EQ(changes, 2);
}

TEST_F(PlotCursorTest, InterpolationOfAnUnknownOrXYChannelLeavesTheCursorAlone) {
    double y = 5;
    EXPECT_EQ(cursor->GetInterpolatedYValue("nothing", 3, y), ipdpsNull);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(cursor->GetInterpolatedYValue("Channel 1", 3, y), ipdpsNull);
    EXPECT_TRUE(cursor->Visible());
    EXPECT_EQ(cursor->ChannelName(), "Channel 1");
}

TEST_F(PlotCursorTest, MenuChoosesTheChannelAndTheStyle) {
    TiXYPlotChannel* second = plot.GetChannel(plot.AddChannel());
    second->SetTitleText("Second\r\nline");
    cursor->ClearPopupMenuItems(plot.PopupMenu());
    TMenuItem* channels = plot.PopupMenu()->Items()->Find("Channel");
    ASSERT_NE(channels, nullptr);
    ASSERT_EQ(channels->Count(), 3);
    EXPECT_EQ(channels->Items(0)->Caption(), "<All>");
    EXPECT_TRUE(channels->Items(1)->Checked());
    EXPECT_EQ(channels->Items(2)->Caption(), "Secondline");
    channels->Items(2)->Click();
    EXPECT_EQ(cursor->ChannelName(), second->Name());
    EXPECT_TRUE(second->UserSelected());

    TMenuItem* styles = plot.PopupMenu()->Items()->Find("Style");
    ASSERT_EQ(styles->Count(), 6);
    EXPECT_EQ(styles->Items(4)->Caption(), "Peak-Peak");
    styles->Items(4)->Click();
    EXPECT_EQ(cursor->Style(), ipcsDeltaY);
    // An XY plot offers no snapping.
    EXPECT_EQ(plot.PopupMenu()->Items()->Find("Snap to Data-Point"), nullptr);
}

}  // namespace
}  // namespace dsp
