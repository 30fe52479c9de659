// The data cursor: its pointers and their layout, values and hint, dragging and keys, and its
// pop-up menu.

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
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
        plot_.SetBounds(0, 0, 400, 300);
        for (TiPlotAxis* axis : {static_cast<TiPlotAxis*>(plot_.GetXAxis(0)),
                                 static_cast<TiPlotAxis*>(plot_.GetYAxis(0))}) {
            axis->SetTrackingEnabled(false);
        }
        cursor_ = plot_.GetDataCursor(0);
        cursor_->SetVisible(true);
    }
    test::TRecordingCanvas& Paint() {
        canvas_.ClearCalls();
        plot_.PaintToCanvas(&canvas_);
        return canvas_;
    }
    TiPlotMouseData Mouse(TPoint p) const {
        TiPlotMouseData data;
        data.X = p.X;
        data.Y = p.Y;
        return data;
    }
    TPoint Centre(const TRect& r) const { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }
    TiXYPlot plot_{nullptr};
    TiPlotDataCursor* cursor_ = nullptr;
    test::TRecordingCanvas canvas_{400, 300};
};

TEST_F(PlotCursorTest, NewCursorIsHiddenFollowsTheFirstChannelAndDrawsInItsColour) {
    TiXYPlot fresh(nullptr);
    TiPlotDataCursor* c = fresh.GetDataCursor(0);
    EXPECT_FALSE(c->Visible());
    EXPECT_EQ(c->ChannelName(), "Channel 1");
    EXPECT_EQ(c->Pointer1Position(), 50);
    EXPECT_EQ(c->Pointer2Position(), 60);
    EXPECT_EQ(c->HintPosition(), 50);
    plot_.GetChannel(0)->SetColor(clFuchsia);
    const std::vector<test::TCanvasCall> lines = Paint().CallsOf("Polyline");
    const TRect view = plot_.GetDataView(0)->DrawRect();
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
        &plot_, [&](TObject*) { ++changes; }, none, none, none);
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

struct LayoutCase {
    const char* name;
    TiPlotDataCursorStyle style;
    bool strip;
    bool p1;
    bool p2;
    TiOrientation o1;
    TiOrientation o2;
    TiOrientation hint;
};

void PrintTo(const LayoutCase& c, std::ostream* os) { *os << c.name; }

// clang-format off
const LayoutCase kLayoutCases[] = {
    {"XYValueXY", ipcsValueXY, false, true, true, ioVertical, ioHorizontal, ioVertical},
    {"XYValueX", ipcsValueX, false, true, false, ioVertical, ioVertical, ioVertical},
    {"XYValueY", ipcsValueY, false, false, true, ioVertical, ioHorizontal, ioHorizontal},
    {"XYDeltaX", ipcsDeltaX, false, true, true, ioVertical, ioVertical, ioVertical},
    {"XYInverseDeltaX", ipcsInverseDeltaX, false, true, true, ioVertical, ioVertical, ioVertical},
    {"XYDeltaY", ipcsDeltaY, false, true, true, ioHorizontal, ioHorizontal, ioHorizontal},
    {"StripValueXY", ipcsValueXY, true, true, false, ioVertical, ioVertical, ioVertical},
    {"StripValueY", ipcsValueY, true, true, false, ioVertical, ioVertical, ioVertical},
    {"StripDeltaY", ipcsDeltaY, true, true, true, ioHorizontal, ioHorizontal, ioHorizontal},
};
// clang-format on

class PlotCursorLayout : public ::testing::TestWithParam<LayoutCase> {};

// Each pointer shown or not by style and plot, and every orientation turned with reversed axes.
TEST_P(PlotCursorLayout, PointersAndHintByStyleOwnerAndAxesDirection) {
    const LayoutCase& c = GetParam();
    TiXYPlot xy(nullptr);
    TStripPlot strip(nullptr);
    auto none = [](TObject*) {};
    for (bool reversed : {false, true}) {
        SCOPED_TRACE(reversed ? "reversed" : "upright");
        TiPlotDataCursor own(c.strip ? static_cast<TObject*>(&strip) : &xy, none, none, none, none);
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

INSTANTIATE_TEST_SUITE_P(Styles, PlotCursorLayout, ::testing::ValuesIn(kLayoutCases),
                         [](const ::testing::TestParamInfo<LayoutCase>& row) {
                             return std::string(row.param.name);
                         });

TEST_F(PlotCursorTest, HintFlipsToTheFreeSideOfItsPointer) {
    cursor_->SetStyle(ipcsValueX);
    cursor_->SetPointer1Position(97);
    Paint();
    ASSERT_TRUE(cursor_->HintShowing());
    EXPECT_EQ(cursor_->HintOrientationSide(), iosTopLeft);
    EXPECT_LT(cursor_->HintRect().Right, cursor_->Pointer1Rect().Left + 5);
    cursor_->SetPointer1Position(2);
    Paint();
    EXPECT_EQ(cursor_->HintOrientationSide(), iosBottomRight);
    EXPECT_GT(cursor_->HintRect().Left, Centre(cursor_->Pointer1Rect()).X);
    const TRect view = plot_.GetDataView(0)->DrawRect();
    EXPECT_GE(cursor_->HintRect().Left, view.Left);
    EXPECT_LE(cursor_->HintRect().Right, view.Right);
}

TEST_F(PlotCursorTest, AllChannelsComputeValuesButShowNoHint) {
    TiXYPlotChannel* second = plot_.GetChannel(plot_.AddChannel());
    cursor_->SetChannelName("<All>");
    Paint();
    EXPECT_FALSE(cursor_->HintShowing());
    EXPECT_FALSE(plot_.GetChannel(0)->DataCursorXText().empty());
    EXPECT_FALSE(second->DataCursorXText().empty());
    EXPECT_TRUE(plot_.GetLegend(0)->CursorAllChannels());
    for (const char* name : {"<All>", "<all>"}) {
        cursor_->SetChannelName(name);
        cursor_->ClearPopupMenuItems(plot_.PopupMenu());
        TMenuItem* options = plot_.PopupMenu()->Items()->Find("Options");
        ASSERT_NE(options, nullptr);
        EXPECT_FALSE(options->Find("Flip Alignment")->Enabled()) << name;
    }
}

TEST_F(PlotCursorTest, DraggingAPointerDrawsItThinAndMovesItWithoutNotifying) {
    cursor_->SetStyle(ipcsValueX);
    cursor_->SetPointerPenWidth(3);
    cursor_->SetHintHideOnRelease(true);
    Paint();
    EXPECT_FALSE(cursor_->HintShowing());
    const TRect view = plot_.GetDataView(0)->DrawRect();
    auto pointerWidth = [&](test::TRecordingCanvas& c) {
        for (const test::TCanvasCall& call : c.CallsOf("Polyline")) {
            if (call.points.size() == 2 && call.points[0].Y == view.Top &&
                call.points[1].Y == view.Bottom && call.pen == plot_.GetChannel(0)->Color()) {
                return call.penWidth;
            }
        }
        return -1;
    };
    EXPECT_EQ(pointerWidth(canvas_), 3);
    const TPoint grab = Centre(cursor_->Pointer1Rect());
    cursor_->DoMouseLeft(Mouse(grab));
    ASSERT_TRUE(cursor_->Dragging());
    cursor_->DoMouseMove(Mouse({grab.X - 40, grab.Y}));
    EXPECT_LT(cursor_->Pointer1Position(), 50);
    EXPECT_EQ(pointerWidth(Paint()), 0);
    EXPECT_TRUE(cursor_->HintShowing());
    cursor_->DoMouseUp(Mouse({grab.X - 40, grab.Y}));
    EXPECT_EQ(pointerWidth(Paint()), 3);
    EXPECT_FALSE(cursor_->HintShowing());

    // Dragging only the hint does not show a hint hidden on release.
    cursor_->SetHintHideOnRelease(false);
    Paint();
    cursor_->SetHintHideOnRelease(true);
    cursor_->DoMouseLeft(Mouse(Centre(cursor_->HintRect())));
    Paint();
    EXPECT_FALSE(cursor_->HintShowing());
}

TEST_F(PlotCursorTest, KeysStepThePointersByPixelsAndJumpToTheEnds) {
    cursor_->SetStyle(ipcsValueX);
    Paint();
    TKeyCode key = VK_END;
    cursor_->DoKeyDown(key, {}, nullptr);
    EXPECT_EQ(cursor_->Pointer1Position(), 100);
    key = VK_HOME;
    cursor_->DoKeyDown(key, {}, nullptr);
    EXPECT_EQ(cursor_->Pointer1Position(), 0);
    key = VK_PRIOR;
    cursor_->DoKeyDown(key, {}, nullptr);
    const TiPlotDataView* view = plot_.GetDataView(0);
    const double pixel =
        std::abs(view->PixelsXToPositionPercent(101) - view->PixelsXToPositionPercent(100));
    EXPECT_NEAR(cursor_->Pointer1Position(), 5 * pixel, 1e-9);
    key = VK_NEXT;
    cursor_->DoKeyDown(key, {}, nullptr);
    cursor_->DoKeyDown(key, {}, nullptr);
    EXPECT_EQ(cursor_->Pointer1Position(), 0);
    // Pointer 2 is not shown in this style: Ctrl moves nothing.
    key = VK_END;
    cursor_->DoKeyDown(key, TShiftState{ssCtrl}, nullptr);
    EXPECT_EQ(cursor_->Pointer2Position(), 60);
}

TEST_F(PlotCursorTest, UnchangedValuesRaiseNoChangeEvent) {
    int changes = 0;
    plot_.OnDataCursorChange = [&](int) { ++changes; };
    cursor_->StoreCursorValues(ipdpsValid, 1, 2);
    cursor_->StoreCursorValues(ipdpsValid, 1, 2);
    EXPECT_EQ(changes, 1);
    cursor_->StoreCursorValues(ipdpsNull, 1, 2);
    EXPECT_EQ(changes, 2);
}

TEST_F(PlotCursorTest, InterpolationOfAnUnknownOrXYChannelLeavesTheCursorAlone) {
    double y = 5;
    EXPECT_EQ(cursor_->GetInterpolatedYValue("nothing", 3, y), ipdpsNull);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(cursor_->GetInterpolatedYValue("Channel 1", 3, y), ipdpsNull);
    EXPECT_TRUE(cursor_->Visible());
    EXPECT_EQ(cursor_->ChannelName(), "Channel 1");
}

TEST_F(PlotCursorTest, MenuChoosesTheChannelAndTheStyle) {
    TiXYPlotChannel* second = plot_.GetChannel(plot_.AddChannel());
    second->SetTitleText("Second\r\nline");
    cursor_->ClearPopupMenuItems(plot_.PopupMenu());
    TMenuItem* channels = plot_.PopupMenu()->Items()->Find("Channel");
    ASSERT_NE(channels, nullptr);
    ASSERT_EQ(channels->Count(), 3);
    EXPECT_EQ(channels->Items(0)->Caption(), "<All>");
    EXPECT_TRUE(channels->Items(1)->Checked());
    EXPECT_EQ(channels->Items(2)->Caption(), "Secondline");
    channels->Items(2)->Click();
    EXPECT_EQ(cursor_->ChannelName(), second->Name());
    EXPECT_TRUE(second->UserSelected());

    TMenuItem* styles = plot_.PopupMenu()->Items()->Find("Style");
    ASSERT_EQ(styles->Count(), 6);
    EXPECT_EQ(styles->Items(4)->Caption(), "Peak-Peak");
    styles->Items(4)->Click();
    EXPECT_EQ(cursor_->Style(), ipcsDeltaY);
    // An XY plot_ offers no snapping.
    EXPECT_EQ(plot_.PopupMenu()->Items()->Find("Snap to Data-Point"), nullptr);
}

}  // namespace
}  // namespace dsp
