// The legend's and the toolbar's drawing and mouse, and the toolbar's actions on the plot.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "plot/engine/iXYPlot.h"
#include "tests/plot/engine/PlotTestSupport.h"
#include "tests/plot/engine/RecordingCanvas.h"

namespace dsp {
namespace {

class PlotLegendDrawTest : public ::testing::Test {
protected:
    PlotLegendDrawTest() {
        plot.SetBounds(0, 0, 500, 300);
        legend = plot.GetLegend(0);
        for (TiPlotAxis* axis : {static_cast<TiPlotAxis*>(plot.GetXAxis(0)),
                                 static_cast<TiPlotAxis*>(plot.GetYAxis(0))}) {
            axis->SetTrackingEnabled(false);
        }
    }
    test::TRecordingCanvas& Paint() {
        canvas.ClearCalls();
        plot.PaintToCanvas(&canvas);
        return canvas;
    }
    TiXYPlot plot{nullptr};
    TiPlotLegend* legend = nullptr;
    test::TRecordingCanvas canvas{500, 300};
};

TEST_F(PlotLegendDrawTest, EachNameBecomesItsChannelsLegendRowAndClicksReachTheChannel) {
    TiXYPlotChannel* second = plot.GetChannel(plot.AddChannel());
    second->SetTitleText("Operating point");
    Paint();
    const TRect first = plot.GetChannel(0)->LegendRect();
    const TRect row = second->LegendRect();
    ASSERT_FALSE(IsRectEmpty(first));
    EXPECT_GT(row.Top, first.Top);
    EXPECT_GE(canvas.IndexOfText("Operating point"), 0);
    EXPECT_TRUE(PtInRect(legend->DrawRect(), {row.Left, row.Top}));
    const TPoint inside{row.Left + 2, row.Top + 2};
    EXPECT_EQ(legend->SetMouseOverObject(inside.X, inside.Y), second);

    std::vector<std::string> clicks;
    plot.OnClickChannel = [&](int index) { clicks.push_back("channel " + std::to_string(index)); };
    plot.OnClickLegend = [&](int index) { clicks.push_back("legend " + std::to_string(index)); };
    plot.iMouseDown(mbLeft, {}, inside.X, inside.Y);
    plot.iMouseUp(mbLeft, {}, inside.X, inside.Y);
    EXPECT_EQ(clicks, (std::vector<std::string>{"channel 1"}));
    EXPECT_TRUE(second->UserSelected());
}

TEST_F(PlotLegendDrawTest, LineSamplesRepeatTheStylePatternOnEveryRow) {
    TiXYPlotChannel* channel = plot.GetChannel(0);
    channel->SetColor(clFuchsia);
    struct TCase {
        TiPlotLineStyle style;
        std::size_t runs;
    };
    for (const TCase& c : {TCase{iplsSolid, 1}, TCase{iplsDash, 2}, TCase{iplsDot, 3},
                           TCase{iplsDashDot, 2}, TCase{iplsDashDotDot, 3}}) {
        channel->SetTraceLineStyle(c.style);
        std::size_t lines = 0;
        const std::vector<test::TCanvasCall> calls = Paint().CallsOf("Polyline");
        const TRect area = legend->DrawRect();
        for (const test::TCanvasCall& call : calls) {
            lines += call.pen == clFuchsia && PtInRect(area, call.points[0]);
        }
        EXPECT_EQ(lines, c.runs * 4) << c.style;  // LineColumnHeight 3: four rows
    }
}

TEST_F(PlotLegendDrawTest, ScrollButtonsPageThroughAndDrawTheirArrows) {
    for (int i = 0; i < 30; ++i) plot.AddChannel();
    Paint();
    ASSERT_TRUE(legend->DownButton()->Visible());
    EXPECT_EQ(legend->ItemViewStartIndex(), 0);
    std::size_t arrows = 0;
    for (const test::TCanvasCall& call : canvas.CallsOf("Polygon")) {
        arrows +=
            call.points.size() == 3 && (PtInRect(legend->UpButton()->DrawRect(), call.points[2]) ||
                                        PtInRect(legend->DownButton()->DrawRect(), call.points[2]));
    }
    EXPECT_EQ(arrows, 2u);
    const TRect down = legend->DownButton()->DrawRect();
    plot.iMouseDown(mbLeft, {}, down.Left + 3, down.Top + 3);
    plot.iMouseUp(mbLeft, {}, down.Left + 3, down.Top + 3);
    EXPECT_EQ(legend->ItemViewStartIndex(), 1);
    Paint();
    EXPECT_TRUE(IsRectEmpty(plot.GetChannel(0)->LegendRect()));
    EXPECT_TRUE(legend->UpButton()->Enabled());
}

TEST_F(PlotLegendDrawTest, RemovedChannelLeavesTheLegendAtOnce) {
    plot.AddChannel();
    Paint();
    const TRect row = plot.GetChannel(1)->LegendRect();
    plot.DeleteChannel(1);
    EXPECT_EQ(legend->SetMouseOverObject(row.Left + 2, row.Top + 2), legend);
}

// ---- toolbar

class PlotToolBarTest : public ::testing::Test {
protected:
    PlotToolBarTest() {
        plot.SetBounds(0, 0, 600, 300);
        bar = plot.GetToolBar(0);
    }
    test::TRecordingCanvas& Paint() {
        canvas.ClearCalls();
        plot.PaintToCanvas(&canvas);
        return canvas;
    }
    TiXYPlot plot{nullptr};
    TiPlotToolBar* bar = nullptr;
    test::TRecordingCanvas canvas{600, 300};
};

TEST_F(PlotToolBarTest, ZoomInPausesTrackingFirstInsideItsOwnEvents) {
    std::vector<std::string> events;
    plot.OnBeforeToolBarButtonClick = [&](int, TiPlotToolBarButtonType type, bool&) {
        events.push_back("before " + std::to_string(type));
    };
    plot.OnToolBarButtonClick = [&](int, TiPlotToolBarButtonType type) {
        events.push_back("after " + std::to_string(type));
    };
    plot.GetXAxis(0)->SetMinSpan(0, 100);
    bar->SetZoomInOutFactor(4);
    bar->DoButtonClickZoomIn();
    EXPECT_EQ(events, (std::vector<std::string>{"before 4", "before 1", "after 1", "after 4"}));
    EXPECT_FALSE(plot.GetXAxis(0)->TrackingEnabled());
    EXPECT_EQ(plot.GetXAxis(0)->Span(), 25);
    EXPECT_EQ(plot.GetXAxis(0)->Mid(), 50);
}

TEST_F(PlotToolBarTest, CancelledCursorClickChangesNothing) {
    plot.OnBeforeToolBarButtonClick = [&](int, TiPlotToolBarButtonType type, bool& cancel) {
        cancel = type == iptbbtCursor;
    };
    bool after = false;
    plot.OnToolBarButtonClick = [&](int, TiPlotToolBarButtonType) { after = true; };
    bar->DoButtonClickCursor();
    EXPECT_FALSE(bar->CursorActive());
    EXPECT_FALSE(plot.GetDataCursor(0)->Visible());
    EXPECT_FALSE(after);
    plot.OnBeforeToolBarButtonClick = nullptr;
    bar->DoButtonClickCursor();
    EXPECT_TRUE(plot.GetDataCursor(0)->Visible());
    EXPECT_TRUE(plot.GetDataCursor(0)->UserSelected());
    EXPECT_FALSE(plot.GetXAxis(0)->TrackingEnabled());
}

TEST_F(PlotToolBarTest, ButtonsLineUpWithSpacersBetweenShownGroups) {
    Paint();
    const TRect area = bar->DrawRect();
    EXPECT_EQ(area.Height(), 36);
    int x = area.Left + 3;
    for (const auto& entry : bar->Buttons()) {
        if (!entry->Visible()) continue;
        const int w = entry->Style() == iptbbsSpacer ? 10 : 30;
        EXPECT_EQ(entry->DrawRect(), (TRect{x, area.Top + 3, x + w, area.Top + 33}));
        x += w;
    }
    // Pause is enabled while an axis tracks, Resume only when one does not.
    EXPECT_TRUE(bar->Button(iptbbtPause)->Enabled());
    EXPECT_FALSE(bar->Button(iptbbtResume)->Enabled());

    bar->SetSmallButtons(true);
    Paint();
    EXPECT_EQ(bar->DrawRect().Height(), 28);
    EXPECT_EQ(bar->Button(iptbbtResume)->DrawRect().Height(), 22);

    bar->SetShowResumeButton(false);
    bar->SetShowPauseButton(false);
    bar->SetShowAxesModeButtons(false);
    bar->SetShowZoomInOutButtons(false);
    bar->SetShowZoomBoxButton(false);
    bar->SetShowCursorButton(false);
    bar->SetShowEditButton(false);
    bar->SetShowCopyButton(false);
    bar->SetShowSaveButton(false);
    bar->SetShowPrintButton(false);
    Paint();
    for (const auto& entry : bar->Buttons()) EXPECT_FALSE(entry->Visible());
    std::size_t edges = 0;
    for (const test::TCanvasCall& call : canvas.CallsOf("DrawEdge")) {
        edges += PtInRect(bar->DrawRect(), {call.rect.Left, call.rect.Top});
    }
    EXPECT_EQ(edges, 1u);  // the bar's own frame only
}

TEST_F(PlotToolBarTest, WithoutAxesNeitherResumeNorPause) {
    test::TAxesPlot bare(nullptr);
    bare.SetBounds(0, 0, 600, 300);
    bare.RemoveAllXAxes();
    bare.RemoveAllYAxes();
    TBitmap scratch(600, 300);
    bare.PaintToCanvas(scratch.Canvas());
    EXPECT_FALSE(bare.GetToolBar(0)->Button(iptbbtResume)->Enabled());
    EXPECT_FALSE(bare.GetToolBar(0)->Button(iptbbtPause)->Enabled());
}

TEST_F(PlotToolBarTest, ButtonHintStandsBelowItAndCanBeChanged) {
    Paint();
    TiPlotToolBarButton* zoomOut = bar->Button(iptbbtZoomOut);
    plot.OnToolBarCustomizeHint = [](int, std::string& text) { text += "!"; };
    TiHintData hint;
    zoomOut->DoMouseHint({}, hint);
    EXPECT_EQ(hint.Text, "Zoom Out All Axes!");
    EXPECT_EQ(hint.Top, zoomOut->Bottom() + 3);
    EXPECT_EQ(hint.Left, zoomOut->Left());
    EXPECT_GT(hint.Width, 4);
}

TEST_F(PlotToolBarTest, FlatButtonShowsItsEdgeOnlyUnderTheMouse) {
    bar->SetFlatButtons(true);
    Paint();
    TiPlotToolBarButton* copy = bar->Button(iptbbtCopy);
    const TRect r = copy->DrawRect();
    auto edgeStrokes = [&] {
        std::size_t strokes = 0;
        for (const test::TCanvasCall& call : canvas.CallsOf("Polyline")) {
            strokes += call.points.size() == 3 && call.points[0] == TPoint{r.Left, r.Bottom - 1};
        }
        return strokes;
    };
    EXPECT_EQ(edgeStrokes(), 0u);
    plot.iMouseMove({}, r.Left + 5, r.Top + 5);
    EXPECT_TRUE(copy->MouseOver());
    Paint();
    EXPECT_EQ(edgeStrokes(), 1u);
    plot.iMouseMove({}, 300, 200);
    EXPECT_FALSE(copy->MouseOver());
}

// A button under the mouse goes with its toolbar: the plot forgets it.
TEST_F(PlotToolBarTest, RemovedToolBarLeavesNoButtonUnderTheMouse) {
    Paint();
    const TRect r = bar->Button(iptbbtCopy)->DrawRect();
    plot.iMouseMove({}, r.Left + 5, r.Top + 5);
    plot.iMouseDown(mbLeft, {}, r.Left + 5, r.Top + 5);
    ASSERT_EQ(plot.LastMouseOverObject(), bar->Button(iptbbtCopy));
    plot.DeleteToolBar(0);
    EXPECT_EQ(plot.LastMouseOverObject(), nullptr);
    EXPECT_EQ(plot.MouseDownObject(), nullptr);
    plot.iMouseMove({}, 300, 200);
    plot.iMouseUp(mbLeft, {}, 300, 200);
}

}  // namespace
}  // namespace dsp
