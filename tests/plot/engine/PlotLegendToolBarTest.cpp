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
        plot_.SetBounds(0, 0, 500, 300);
        legend_ = plot_.GetLegend(0);
        for (TiPlotAxis* axis : {static_cast<TiPlotAxis*>(plot_.GetXAxis(0)),
                                 static_cast<TiPlotAxis*>(plot_.GetYAxis(0))}) {
            axis->SetTrackingEnabled(false);
        }
    }
    test::TRecordingCanvas& Paint() {
        canvas_.ClearCalls();
        plot_.PaintToCanvas(&canvas_);
        return canvas_;
    }
    TiXYPlot plot_{nullptr};
    TiPlotLegend* legend_ = nullptr;
    test::TRecordingCanvas canvas_{500, 300};
};

TEST_F(PlotLegendDrawTest, EachNameBecomesItsChannelsLegendRowAndClicksReachTheChannel) {
    TiXYPlotChannel* second = plot_.GetChannel(plot_.AddChannel());
    second->SetTitleText("Operating point");
    Paint();
    const TRect first = plot_.GetChannel(0)->LegendRect();
    const TRect row = second->LegendRect();
    ASSERT_FALSE(IsRectEmpty(first));
    EXPECT_GT(row.Top, first.Top);
    EXPECT_GE(canvas_.IndexOfText("Operating point"), 0);
    EXPECT_TRUE(PtInRect(legend_->DrawRect(), {row.Left, row.Top}));
    const TPoint inside{row.Left + 2, row.Top + 2};
    EXPECT_EQ(legend_->SetMouseOverObject(inside.X, inside.Y), second);

    std::vector<std::string> clicks;
    plot_.OnClickChannel = [&](int index) { clicks.push_back("channel " + std::to_string(index)); };
    plot_.OnClickLegend = [&](int index) { clicks.push_back("legend_ " + std::to_string(index)); };
    plot_.iMouseDown(mbLeft, {}, inside.X, inside.Y);
    plot_.iMouseUp(mbLeft, {}, inside.X, inside.Y);
    EXPECT_EQ(clicks, (std::vector<std::string>{"channel 1"}));
    EXPECT_TRUE(second->UserSelected());
}

TEST_F(PlotLegendDrawTest, LineSamplesRepeatTheStylePatternOnEveryRow) {
    TiXYPlotChannel* channel = plot_.GetChannel(0);
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
        const TRect area = legend_->DrawRect();
        for (const test::TCanvasCall& call : calls) {
            lines += call.pen == clFuchsia && PtInRect(area, call.points[0]);
        }
        EXPECT_EQ(lines, c.runs * 4) << c.style;  // LineColumnHeight 3: four rows
    }
}

TEST_F(PlotLegendDrawTest, ScrollButtonsPageThroughAndDrawTheirArrows) {
    for (int i = 0; i < 30; ++i) plot_.AddChannel();
    Paint();
    ASSERT_TRUE(legend_->DownButton()->Visible());
    EXPECT_EQ(legend_->ItemViewStartIndex(), 0);
    std::size_t arrows = 0;
    for (const test::TCanvasCall& call : canvas_.CallsOf("Polygon")) {
        arrows += call.points.size() == 3 &&
                  (PtInRect(legend_->UpButton()->DrawRect(), call.points[2]) ||
                   PtInRect(legend_->DownButton()->DrawRect(), call.points[2]));
    }
    EXPECT_EQ(arrows, 2u);
    const TRect down = legend_->DownButton()->DrawRect();
    plot_.iMouseDown(mbLeft, {}, down.Left + 3, down.Top + 3);
    plot_.iMouseUp(mbLeft, {}, down.Left + 3, down.Top + 3);
    EXPECT_EQ(legend_->ItemViewStartIndex(), 1);
    Paint();
    EXPECT_TRUE(IsRectEmpty(plot_.GetChannel(0)->LegendRect()));
    EXPECT_TRUE(legend_->UpButton()->Enabled());
}

TEST_F(PlotLegendDrawTest, RemovedChannelLeavesTheLegendAtOnce) {
    plot_.AddChannel();
    Paint();
    const TRect row = plot_.GetChannel(1)->LegendRect();
    plot_.DeleteChannel(1);
    EXPECT_EQ(legend_->SetMouseOverObject(row.Left + 2, row.Top + 2), legend_);
}

// ---- toolbar

class PlotToolBarTest : public ::testing::Test {
protected:
    PlotToolBarTest() {
        plot_.SetBounds(0, 0, 600, 300);
        bar_ = plot_.GetToolBar(0);
    }
    test::TRecordingCanvas& Paint() {
        canvas_.ClearCalls();
        plot_.PaintToCanvas(&canvas_);
        return canvas_;
    }
    TiXYPlot plot_{nullptr};
    TiPlotToolBar* bar_ = nullptr;
    test::TRecordingCanvas canvas_{600, 300};
};

TEST_F(PlotToolBarTest, ZoomInPausesTrackingFirstInsideItsOwnEvents) {
    std::vector<std::string> events;
    plot_.OnBeforeToolBarButtonClick = [&](int, TiPlotToolBarButtonType type, bool&) {
        events.push_back("before " + std::to_string(type));
    };
    plot_.OnToolBarButtonClick = [&](int, TiPlotToolBarButtonType type) {
        events.push_back("after " + std::to_string(type));
    };
    plot_.GetXAxis(0)->SetMinSpan(0, 100);
    bar_->SetZoomInOutFactor(4);
    bar_->DoButtonClickZoomIn();
    EXPECT_EQ(events, (std::vector<std::string>{"before 4", "before 1", "after 1", "after 4"}));
    EXPECT_FALSE(plot_.GetXAxis(0)->TrackingEnabled());
    EXPECT_EQ(plot_.GetXAxis(0)->Span(), 25);
    EXPECT_EQ(plot_.GetXAxis(0)->Mid(), 50);
}

// Zoom Out widens a linear axis by the factor about its middle and a log axis by a decade at
// each end; Zoom In undoes both. Both pause tracking first.
TEST_F(PlotToolBarTest, ZoomOutAndInScaleLinearAxesByTheFactorAndLogAxesByADecade) {
    TiPlotAxis* x = plot_.GetXAxis(0);
    TiPlotAxis* y = plot_.GetYAxis(0);
    x->SetMinSpan(0, 100);
    y->SetScaleType(ipstLog10);
    y->SetMinSpan(1, 100);
    bar_->SetZoomInOutFactor(4);
    bar_->DoButtonClickZoomOut();
    EXPECT_FALSE(x->TrackingEnabled());
    EXPECT_FALSE(y->TrackingEnabled());
    EXPECT_DOUBLE_EQ(x->Min(), -150);
    EXPECT_DOUBLE_EQ(x->Span(), 400);
    EXPECT_DOUBLE_EQ(y->Min(), 0.1);
    EXPECT_DOUBLE_EQ(y->Span(), 1000);
    bar_->DoButtonClickZoomIn();
    EXPECT_DOUBLE_EQ(x->Min(), 0);
    EXPECT_DOUBLE_EQ(x->Span(), 100);
    EXPECT_DOUBLE_EQ(y->Min(), 1);
    EXPECT_DOUBLE_EQ(y->Span(), 100);
}

// Resume lifts the cursor and select modes, clears what the user selected and tracks again.
TEST_F(PlotToolBarTest, ResumeEndsCursorAndSelectModesAndTracksAgain) {
    bar_->DoButtonClickCursor();
    bar_->DoButtonClickSelect();
    ASSERT_TRUE(plot_.GetSelectMode());
    ASSERT_TRUE(plot_.GetDataCursor(0)->UserSelected());
    ASSERT_FALSE(plot_.GetXAxis(0)->TrackingEnabled());
    bar_->DoButtonClickResume();
    EXPECT_FALSE(bar_->CursorActive());
    EXPECT_FALSE(plot_.GetDataCursor(0)->Visible());
    EXPECT_FALSE(plot_.GetSelectMode());
    EXPECT_FALSE(plot_.GetDataCursor(0)->UserSelected());
    EXPECT_TRUE(plot_.GetXAxis(0)->TrackingEnabled());
    EXPECT_TRUE(plot_.GetYAxis(0)->TrackingEnabled());
}

TEST_F(PlotToolBarTest, CancelledCursorClickChangesNothing) {
    plot_.OnBeforeToolBarButtonClick = [&](int, TiPlotToolBarButtonType type, bool& cancel) {
        cancel = type == iptbbtCursor;
    };
    bool after = false;
    plot_.OnToolBarButtonClick = [&](int, TiPlotToolBarButtonType) { after = true; };
    bar_->DoButtonClickCursor();
    EXPECT_FALSE(bar_->CursorActive());
    EXPECT_FALSE(plot_.GetDataCursor(0)->Visible());
    EXPECT_FALSE(after);
    plot_.OnBeforeToolBarButtonClick = nullptr;
    bar_->DoButtonClickCursor();
    EXPECT_TRUE(plot_.GetDataCursor(0)->Visible());
    EXPECT_TRUE(plot_.GetDataCursor(0)->UserSelected());
    EXPECT_FALSE(plot_.GetXAxis(0)->TrackingEnabled());
}

TEST_F(PlotToolBarTest, ButtonsLineUpWithSpacersBetweenShownGroups) {
    Paint();
    const TRect area = bar_->DrawRect();
    EXPECT_EQ(area.Height(), 36);
    int x = area.Left + 3;
    for (const auto& entry : bar_->Buttons()) {
        if (!entry->Visible()) continue;
        const int w = entry->Style() == iptbbsSpacer ? 10 : 30;
        EXPECT_EQ(entry->DrawRect(), (TRect{x, area.Top + 3, x + w, area.Top + 33}));
        x += w;
    }
    // Pause is enabled while an axis tracks, Resume only when one does not.
    EXPECT_TRUE(bar_->Button(iptbbtPause)->Enabled());
    EXPECT_FALSE(bar_->Button(iptbbtResume)->Enabled());

    bar_->SetSmallButtons(true);
    Paint();
    EXPECT_EQ(bar_->DrawRect().Height(), 28);
    EXPECT_EQ(bar_->Button(iptbbtResume)->DrawRect().Height(), 22);

    bar_->SetShowResumeButton(false);
    bar_->SetShowPauseButton(false);
    bar_->SetShowAxesModeButtons(false);
    bar_->SetShowZoomInOutButtons(false);
    bar_->SetShowZoomBoxButton(false);
    bar_->SetShowCursorButton(false);
    bar_->SetShowEditButton(false);
    bar_->SetShowCopyButton(false);
    bar_->SetShowSaveButton(false);
    bar_->SetShowPrintButton(false);
    Paint();
    for (const auto& entry : bar_->Buttons()) EXPECT_FALSE(entry->Visible());
    std::size_t edges = 0;
    for (const test::TCanvasCall& call : canvas_.CallsOf("DrawEdge")) {
        edges += PtInRect(bar_->DrawRect(), {call.rect.Left, call.rect.Top});
    }
    EXPECT_EQ(edges, 1u);  // the bar_'s own frame only
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
    TiPlotToolBarButton* zoomOut = bar_->Button(iptbbtZoomOut);
    plot_.OnToolBarCustomizeHint = [](int, std::string& text) { text += "!"; };
    TiHintData hint;
    zoomOut->DoMouseHint({}, hint);
    EXPECT_EQ(hint.Text, "Zoom Out All Axes!");
    EXPECT_EQ(hint.Top, zoomOut->Bottom() + 3);
    EXPECT_EQ(hint.Left, zoomOut->Left());
    EXPECT_GT(hint.Width, 4);
}

TEST_F(PlotToolBarTest, FlatButtonShowsItsEdgeOnlyUnderTheMouse) {
    bar_->SetFlatButtons(true);
    Paint();
    TiPlotToolBarButton* copy = bar_->Button(iptbbtCopy);
    const TRect r = copy->DrawRect();
    auto edgeStrokes = [&] {
        std::size_t strokes = 0;
        for (const test::TCanvasCall& call : canvas_.CallsOf("Polyline")) {
            strokes += call.points.size() == 3 && call.points[0] == TPoint{r.Left, r.Bottom - 1};
        }
        return strokes;
    };
    EXPECT_EQ(edgeStrokes(), 0u);
    plot_.iMouseMove({}, r.Left + 5, r.Top + 5);
    EXPECT_TRUE(copy->MouseOver());
    Paint();
    EXPECT_EQ(edgeStrokes(), 1u);
    plot_.iMouseMove({}, 300, 200);
    EXPECT_FALSE(copy->MouseOver());
}

// The glyphs come from the program's pictures on the first draw, once, and again in the other
// size when the buttons change size.
TEST_F(PlotToolBarTest, GlyphsLoadOnceAndAgainInTheOtherSize) {
    Paint();
    TiPlotToolBarButton* copy = bar_->Button(iptbbtCopy);
    ASSERT_GE(copy->ImageIndex(), 0);
    EXPECT_EQ(bar_->ImageList()->Width(), 24);
    const int glyphs = bar_->ImageList()->Count();
    EXPECT_EQ(glyphs, 12);  // the shown buttons
    Paint();
    EXPECT_EQ(bar_->ImageList()->Count(), glyphs);
    // The glyph stands in the middle of its button; teal is transparent.
    const TRect r = copy->DrawRect();
    const TPoint centre{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    int keyPixels = 0;
    for (int y = r.Top; y < r.Bottom; ++y) {
        for (int x = r.Left; x < r.Right; ++x) {
            keyPixels += (canvas_.Bitmap().PixelAt(x, y) & 0xFFFFFF) == 0x808000;
        }
    }
    EXPECT_EQ(keyPixels, 0);
    EXPECT_NE(canvas_.Bitmap().PixelAt(centre.X, centre.Y) & 0xFFFFFF,
              static_cast<TColorRef>(ResolveColor(clBtnFace)) & 0xFFFFFF);

    bar_->SetSmallButtons(true);
    EXPECT_EQ(copy->ImageIndex(), -1);
    Paint();
    EXPECT_EQ(bar_->ImageList()->Width(), 16);
    EXPECT_GE(copy->ImageIndex(), 0);
    EXPECT_EQ(copy->ImageName(), "SMALLCOPY");
}

// Every button has a picture in both sizes: 16 colours, square, with the transparent key.
TEST_F(PlotToolBarTest, EveryButtonHasItsGlyphInBothSizes) {
    for (bool small : {false, true}) {
        bar_->SetSmallButtons(small);
        for (const auto& entry : bar_->Buttons()) {
            if (entry->Style() != iptbbsButton) continue;
            SCOPED_TRACE(entry->ImageName());
            std::unique_ptr<TBitmap> glyph = LoadToolBarGlyph(entry->ImageName());
            ASSERT_NE(glyph, nullptr);
            EXPECT_EQ(glyph->Width(), small ? 16 : 24);
            EXPECT_EQ(glyph->Height(), small ? 16 : 24);
            EXPECT_EQ(glyph->PixelFormat(), pf4bit);
            EXPECT_EQ(glyph->PixelAt(0, 0) & 0xFFFFFF, 0x808000u);
        }
    }
    EXPECT_EQ(LoadToolBarGlyph("NOSUCHGLYPH"), nullptr);
}

// A button under the mouse goes with its toolbar: the plot forgets it.
TEST_F(PlotToolBarTest, RemovedToolBarLeavesNoButtonUnderTheMouse) {
    Paint();
    const TRect r = bar_->Button(iptbbtCopy)->DrawRect();
    plot_.iMouseMove({}, r.Left + 5, r.Top + 5);
    plot_.iMouseDown(mbLeft, {}, r.Left + 5, r.Top + 5);
    ASSERT_EQ(plot_.LastMouseOverObject(), bar_->Button(iptbbtCopy));
    plot_.DeleteToolBar(0);
    EXPECT_EQ(plot_.LastMouseOverObject(), nullptr);
    EXPECT_EQ(plot_.MouseDownObject(), nullptr);
    plot_.iMouseMove({}, 300, 200);
    plot_.iMouseUp(mbLeft, {}, 300, 200);
}

}  // namespace
}  // namespace dsp
