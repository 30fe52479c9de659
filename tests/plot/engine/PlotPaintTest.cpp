// The plot's layout and paint: where the layout objects go, the order and clipping of the paint
// read off a recording canvas, the axes' label collision list, the data view's percent scale
// and the legend's layout.

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/text/Numbers.h"
#include "tests/plot/engine/PlotTestSupport.h"
#include "tests/plot/engine/RecordingCanvas.h"

namespace dsp {
namespace {

class PlotPaintTest : public ::testing::Test {
protected:
    PlotPaintTest() {
        test::UseFakeClasses(plot_);
        plot_.SetBounds(0, 0, 400, 200);
        plot_.DisableLayoutManager();
        plot_.GetToolBar(plot_.AddToolBar())->SetVisible(false);
        plot_.GetLegend(plot_.AddLegend())->SetVisible(false);
        plot_.AddXAxis();
        plot_.AddYAxis();
        plot_.AddDataView();
        plot_.EnableLayoutManager();
    }
    // The index of the first call drawing this text, which must exist.
    static int At(const test::TRecordingCanvas& canvas, const std::string& text) {
        const int index = canvas.IndexOfText(text);
        EXPECT_GE(index, 0) << text;
        return index;
    }
    TiPlotComponent plot_{nullptr};
};

TEST_F(PlotPaintTest, DataViewContentsGoByLayerThenKindEachClippedToTheDataView) {
    auto* early = static_cast<test::TFakeChannel*>(plot_.GetChannel(plot_.AddChannel()));
    early->SetLayer(50);
    auto* band = static_cast<test::TFakeLimit*>(plot_.GetLimit(plot_.AddLimit()));
    band->filled = true;
    band->SetName("band");
    plot_.GetLimit(plot_.AddLimit())->SetName("line");
    plot_.AddChannel();
    plot_.AddChannel();
    for (const char* tag : {"note 0", "note 1"}) {
        static_cast<test::TFakeAnnotation*>(plot_.GetAnnotation(plot_.AddAnnotation()))->tag = tag;
    }
    plot_.AddDataCursor();

    test::TRecordingCanvas canvas(400, 200);
    plot_.PaintToCanvas(&canvas);

    const TRect dv = plot_.GetDataView(0)->DrawRect();
    int grid = -1;
    for (std::size_t i = 0; i < canvas.Calls().size(); ++i) {
        const test::TCanvasCall& call = canvas.Calls()[i];
        if (call.op == "Polyline" && call.pen == 32768) {
            grid = static_cast<int>(i);
            break;
        }
    }
    const std::vector<int> order = {
        At(canvas, "Channel 1"), At(canvas, "band"),      grid,
        At(canvas, "line"),      At(canvas, "Channel 3"), At(canvas, "Channel 2"),
        At(canvas, "note 1"),    At(canvas, "note 0"),    At(canvas, "Cursor 1")};
    for (std::size_t i = 1; i < order.size(); ++i) EXPECT_LT(order[i - 1], order[i]) << i;

    const TRect inside{dv.Left, dv.Top, dv.Right + 1, dv.Bottom + 1};
    for (const char* text : {"Channel 1", "band", "line", "Channel 3", "note 0"}) {
        EXPECT_EQ(canvas.Calls()[static_cast<std::size_t>(At(canvas, text))].clip, inside) << text;
    }
    // The axes' labels and the cursor come after, unclipped.
    const TRect all{0, 0, 400, 200};
    EXPECT_EQ(canvas.Calls()[static_cast<std::size_t>(At(canvas, "Cursor 1"))].clip, all);
    const auto texts = canvas.CallsOf("DrawText");
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.back().clip, all);
    EXPECT_EQ(static_cast<test::TFakeDataCursor*>(plot_.GetDataCursor(0))->updates, 1);
}

TEST_F(PlotPaintTest, NothingIsPaintedWithoutAToolbarALegendAndADataView) {
    plot_.DeleteLegend(0);
    test::TRecordingCanvas canvas(400, 200);
    plot_.PaintToCanvas(&canvas);
    EXPECT_TRUE(canvas.Calls().empty());
    EXPECT_FALSE(plot_.PaintingActive());
}

TEST_F(PlotPaintTest, FailingObjectLeavesNoClipBehind) {
    auto* channel = static_cast<test::TFakeChannel*>(plot_.GetChannel(plot_.AddChannel()));
    channel->failing = true;
    int afterPaint = 0;
    plot_.OnAfterPaint = [&](TObject*) { ++afterPaint; };
    test::TRecordingCanvas canvas(400, 200);
    EXPECT_THROW(plot_.PaintToCanvas(&canvas), Exception);
    EXPECT_EQ(canvas.ClipRect(), (TRect{0, 0, 400, 200}));
    EXPECT_FALSE(plot_.PaintingActive());
    EXPECT_EQ(afterPaint, 0);
    channel->failing = false;
    plot_.PaintToCanvas(&canvas);
    EXPECT_EQ(afterPaint, 1);
}

TEST_F(PlotPaintTest, CursorForAllChannelsFillsTheLegendOnlyWhenVisible) {
    TiPlotDataCursor* cursor = plot_.GetDataCursor(plot_.AddDataCursor());
    cursor->SetChannelName("<All>");
    cursor->SetVisible(true);
    test::TRecordingCanvas canvas(400, 200);
    plot_.PaintToCanvas(&canvas);
    EXPECT_TRUE(plot_.GetLegend(0)->CursorAllChannels());
    cursor->SetVisible(false);
    plot_.PaintToCanvas(&canvas);
    EXPECT_FALSE(plot_.GetLegend(0)->CursorAllChannels());
}

TEST_F(PlotPaintTest, GradientReplacesTheBackgroundButNotTheBorder) {
    test::TRecordingCanvas plain(400, 200);
    plot_.PaintToCanvas(&plain);
    ASSERT_FALSE(plain.CallsOf("FillRect").empty());
    EXPECT_EQ(plain.CallsOf("FillRect").front().rect, (TRect{0, 0, 400, 200}));

    plot_.SetBackGroundGradientEnabled(true);
    test::TRecordingCanvas gradient(400, 200);
    plot_.PaintToCanvas(&gradient);
    for (const test::TCanvasCall& call : gradient.CallsOf("FillRect")) {
        EXPECT_NE(call.rect, (TRect{0, 0, 400, 200}));
    }
    EXPECT_GE(gradient.CallsOf("LineTo").size(), 199u);
    EXPECT_FALSE(gradient.CallsOf("DrawEdge").empty());
    const TColorRef nearTop = gradient.Bitmap().PixelAt(200, 3);
    EXPECT_GT(GetBValue(nearTop), 240);
    EXPECT_EQ(GetRValue(nearTop), 0);
}

TEST_F(PlotPaintTest, CollisionListTakesTheFirstRectangleAnywhereThenOnlyFreeOnesInside) {
    test::TRecordingCanvas canvas(400, 200);
    plot_.PaintToCanvas(&canvas);
    plot_.ClearAxesCollisionList();
    const TRect dv = plot_.GetDataView(0)->DrawRect();
    const TRect outside{dv.Right + 5, dv.Top, dv.Right + 20, dv.Top + 10};
    EXPECT_TRUE(plot_.TryAddAxesCollisionRect(outside));
    EXPECT_FALSE(plot_.TryAddAxesCollisionRect(OffsetRect(outside, 30, 0)));
    const TRect inside{dv.Left + 10, dv.Top + 10, dv.Left + 30, dv.Top + 20};
    EXPECT_TRUE(plot_.TryAddAxesCollisionRect(inside));
    EXPECT_FALSE(plot_.TryAddAxesCollisionRect(OffsetRect(inside, 5, 5)));
    EXPECT_TRUE(plot_.TryAddAxesCollisionRect(OffsetRect(inside, 25, 0)));
}

TEST_F(PlotPaintTest, CartesianAxesCrossTheDataViewAndKeepTheirLabelsApart) {
    TiPlotXAxis* x = plot_.GetXAxis(0);
    TiPlotYAxis* y = plot_.GetYAxis(0);
    x->SetCartesianStyle(ipcsMaster);
    y->SetCartesianStyle(ipcsChild);
    y->SetCartesianChildRefAxisName(x->Name());
    y->SetCartesianChildRefValue(50);
    test::TRecordingCanvas canvas(400, 200);
    plot_.PaintToCanvas(&canvas);
    const TRect dv = plot_.GetDataView(0)->DrawRect();
    EXPECT_EQ(x->Top(), (dv.Top + dv.Bottom) / 2);
    EXPECT_EQ(x->Top(), x->Bottom());
    EXPECT_EQ(y->Left(), x->PositionToPixels(50));
    // Every label drawn for the crossing axes was accepted by the collision list: none overlap.
    std::vector<TRect> labels;
    for (const test::TCanvasCall& call : canvas.CallsOf("DrawText")) labels.push_back(call.rect);
    EXPECT_FALSE(labels.empty());
    const TRect inside{dv.Left, dv.Top, dv.Right + 1, dv.Bottom + 1};
    for (const test::TCanvasCall& call : canvas.CallsOf("DrawText")) {
        EXPECT_EQ(call.clip, inside);
    }
}

TEST_F(PlotPaintTest, HintIsDrawnLastInTheInfoColours) {
    plot_.GetLegend(0)->SetVisible(true);
    test::TRecordingCanvas canvas(400, 200);
    plot_.HintTimerFired();  // the pause has run out: the hint shows
    plot_.PaintToCanvas(&canvas);
    ASSERT_FALSE(canvas.Calls().empty());
    EXPECT_EQ(canvas.Calls().back().op, "DrawText");
    EXPECT_TRUE(plot_.HintShowing());
    plot_.HideHint();
    plot_.PaintToCanvas(&canvas);
    EXPECT_FALSE(plot_.HintShowing());
}

// ---- layout

class PlotLayoutTest : public ::testing::Test {
protected:
    PlotLayoutTest() { plot_.SetBounds(0, 0, 400, 300); }
    void Layout() {
        TBitmap scratch(10, 10);
        plot_.CalcLayout(scratch.Canvas());
    }
    TiPlotLabel* VerticalLabel(int zOrder, double start, double marginTop) {
        TiPlotLabel* label = plot_.GetLabel(plot_.AddLabel());
        label->SetHorizontal(false);
        label->SetZOrder(zOrder);
        label->SetStartPercent(start);
        label->SetMarginTop(marginTop);
        return label;
    }
    TiPlotComponent plot_{nullptr};
};

TEST_F(PlotLayoutTest, ObjectsOfOneBandShareOneColumnAsWideAsTheWidest) {
    plot_.AddDataView();
    plot_.DisableLayoutManager();
    TiPlotLabel* narrow = VerticalLabel(0, 0, 0);
    TiPlotLabel* wide = VerticalLabel(0, 50, 2);
    plot_.EnableLayoutManager();
    Layout();
    TBitmap scratch(10, 10);
    EXPECT_LT(narrow->GetRequiredWidth(scratch.Canvas()), wide->GetRequiredWidth(scratch.Canvas()));
    EXPECT_EQ(narrow->Left(), wide->Left());
    EXPECT_EQ(narrow->Right(), wide->Right());
    EXPECT_EQ(wide->Right() - wide->Left(), wide->GetRequiredWidth(scratch.Canvas()));
    EXPECT_TRUE(narrow->StopStacked());
    EXPECT_FALSE(narrow->StartStacked());
    EXPECT_TRUE(wide->StartStacked());
    EXPECT_EQ(wide->Left(), 2 + 5);  // border and outer margin
}

TEST_F(PlotLayoutTest, DataViewFillsWhatTheMarginsLeaveWithoutYAxesReadsReversedExtremes) {
    plot_.AddDataView();
    Layout();
    // No axes: the final rectangle is made of the empty extremes.
    const TRect dv = plot_.GetDataView(0)->DrawRect();
    EXPECT_EQ(dv, (TRect{400, 300, 0, 0}));

    plot_.AddXAxis();
    plot_.AddYAxis();
    plot_.SetBorderStyle(ibsNone);
    plot_.GetXAxis(0)->SetVisible(false);
    plot_.GetYAxis(0)->SetVisible(false);
    Layout();
    const TRect fill = plot_.GetDataView(0)->DrawRect();
    EXPECT_EQ(fill.Left, 5);
    EXPECT_EQ(fill.Top, 5);
    EXPECT_EQ(fill.Right, 400 - 5 - 1);
    EXPECT_EQ(fill.Bottom, 300 - 5 - 1);
}

TEST_F(PlotLayoutTest, ToolBarAloneOnTopSitsAtTheVeryTop) {
    plot_.AddDataView();
    plot_.DisableLayoutManager();
    TiPlotToolBar* bar = plot_.GetToolBar(plot_.AddToolBar());
    bar->SetZOrder(5);
    plot_.AddYAxis();
    plot_.EnableLayoutManager();
    Layout();
    EXPECT_EQ(bar->Top(), 2);
    EXPECT_EQ(bar->Bottom(), 38);
    EXPECT_EQ(bar->Left(), 2);
    EXPECT_EQ(bar->Right(), 400 - 2 - 1);
    TBitmap scratch(10, 10);
    const int topEnd = plot_.GetYAxis(0)->GetRequiredEndMargin(scratch.Canvas());
    EXPECT_GT(topEnd, 0);
    // The data view's top: the toolbar, border, margin, and the axis's end once more.
    EXPECT_EQ(plot_.GetYAxis(0)->Top(), 36 + 2 + 5 + topEnd);
}

TEST_F(PlotLayoutTest, HiddenObjectsTakeNoRoomButArePlacedAlongTheirSide) {
    test::UseFakeClasses(plot_);
    plot_.AddDataView();
    plot_.AddXAxis();
    plot_.AddYAxis();
    plot_.AddChannel();
    TiPlotLegend* legend = plot_.GetLegend(plot_.AddLegend());
    legend->SetStartStopPercent(25, 75);
    Layout();
    const TRect shown = plot_.GetDataView(0)->DrawRect();
    legend->SetVisible(false);
    Layout();
    const TRect dv = plot_.GetDataView(0)->DrawRect();
    EXPECT_LT(dv.Left, shown.Left);  // the hidden legend's column is gone
    const int height = dv.Bottom - dv.Top;
    EXPECT_EQ(legend->Top(), dv.Bottom - static_cast<int>(Round(height * 0.75)));
    EXPECT_EQ(legend->Bottom(), dv.Bottom - static_cast<int>(Round(height * 0.25)));
}

TEST_F(PlotLayoutTest, FullWidthLabelTakesOneBorderOff) {
    plot_.AddDataView();
    TiPlotLabel* label = plot_.GetLabel(plot_.AddLabel());
    label->SetZOrder(2);
    Layout();
    EXPECT_EQ(label->Left(), 2 + 5);
    EXPECT_EQ(label->Right(), 400 - 5);
}

TEST_F(PlotLayoutTest, AlignedAxisTakesItsReferencesEdges) {
    plot_.AddDataView();
    TiPlotYAxis* left = plot_.GetYAxis(plot_.AddYAxis());
    TiPlotYAxis* other = plot_.GetYAxis(plot_.AddYAxis());
    other->SetStartStopPercent(0, 50);
    other->SetAlignRefAxisName(left->Name());
    left->SetAlignRefAxisName(left->Name());
    Layout();
    EXPECT_EQ(other->Top(), left->Top());
    EXPECT_EQ(other->Bottom(), left->Bottom());
    EXPECT_EQ(other->ScaleRect().Top, left->ScaleRect().Top);
}

// ---- the data view's percent scale

TEST(PlotDataViewTest, PercentScaleCountsUpFromTheBottomAndSurvivesNoArea) {
    TiPlotComponent plot(nullptr);
    TiPlotDataView* view = plot.GetDataView(plot.AddDataView());
    view->SetDrawRect({100, 50, 300, 250});
    EXPECT_EQ(view->PositionPercentToPixelsY(0), 250);
    EXPECT_EQ(view->PositionPercentToPixelsY(100), 50);
    EXPECT_EQ(view->PixelsYToPositionPercent(50), 100);
    EXPECT_EQ(view->PixelsXToPositionPercent(200), 50);
    EXPECT_EQ(view->PositionPercentToPixelsX(0.25), 100);  // 0.5 pixel: halves to even
    view->SetDrawRect({100, 50, 100, 50});
    EXPECT_EQ(view->PixelsXToPositionPercent(120), 0);
    EXPECT_EQ(view->PixelsYToPositionPercent(60), 0);
    EXPECT_EQ(view->PositionPercentToPixelsX(std::numeric_limits<double>::quiet_NaN()), 100);
}

TEST(PlotDataViewTest, GridFollowsEveryAxisForAllInAnyCase) {
    TiPlotComponent plot(nullptr);
    plot.SetBounds(0, 0, 400, 300);
    plot.AddToolBar();
    plot.AddLegend();
    plot.AddXAxis();
    plot.GetXAxis(plot.AddXAxis())->SetMinSpan(0, 7);
    plot.AddYAxis();
    TiPlotDataView* view = plot.GetDataView(plot.AddDataView());
    view->SetGridLineShowLeft(false);
    view->SetGridLineShowRight(false);
    view->SetGridLineShowTop(false);
    view->SetGridLineShowBottom(false);
    view->SetGridLineShowYMajors(false);
    auto verticalLines = [&] {
        test::TRecordingCanvas canvas(400, 300);
        plot.PaintToCanvas(&canvas);
        int lines = 0;
        for (const test::TCanvasCall& call : canvas.CallsOf("Polyline")) {
            lines += call.pen == 32768 && call.points[0].X == call.points[1].X;
        }
        return lines;
    };
    const int first = verticalLines();
    EXPECT_GT(first, 0);
    view->SetGridXAxisName("<aLl>");
    EXPECT_GT(verticalLines(), first);
    view->SetGridXAxisName("no such axis");
    EXPECT_EQ(verticalLines(), 0);
}

// ---- the legend's layout

class PlotLegendTest : public ::testing::Test {
protected:
    PlotLegendTest() {
        test::UseFakeClasses(plot_);
        legend_ = plot_.GetLegend(plot_.AddLegend());
    }
    TiPlotComponent plot_{nullptr};
    TiPlotLegend* legend_ = nullptr;
    TBitmap scratch_{10, 10};
};

TEST_F(PlotLegendTest, TwelveChannelsInRoomForFiveRowsShowFiveAndTheScrollButtons) {
    for (int i = 0; i < 12; ++i) plot_.AddChannel();
    scratch_.Canvas()->Font()->Assign(legend_->Font());
    const int h0 = scratch_.Canvas()->TextHeight("0");
    const int row = h0 + static_cast<int>(Round(h0 * 0.25));
    legend_->SetDrawRect({0, 0, 200, 2 * h0 + 5 * row - static_cast<int>(Round(h0 * 0.25))});
    legend_->Layout(scratch_.Canvas());
    EXPECT_EQ(legend_->ItemViewStartIndex(), 0);
    EXPECT_EQ(legend_->ItemViewStopIndex(), 4);
    EXPECT_TRUE(legend_->UpButton()->Visible());
    EXPECT_FALSE(legend_->UpButton()->Enabled());
    EXPECT_TRUE(legend_->DownButton()->Enabled());
    const int withButtons = legend_->RequiredWidth();
    legend_->SetEnabled(false);
    legend_->Layout(scratch_.Canvas());
    EXPECT_EQ(legend_->RequiredWidth() + 25, withButtons);
    EXPECT_FALSE(legend_->DownButton()->Visible());
}

TEST_F(PlotLegendTest, TooFewRowsStillAskForThreeAndNoCountBelowOneDividesByZero) {
    for (int i = 0; i < 6; ++i) plot_.AddChannel();
    legend_->SetDrawRect({0, 0, 200, 10});
    legend_->Layout(scratch_.Canvas());
    scratch_.Canvas()->Font()->Assign(legend_->Font());
    const int h0 = scratch_.Canvas()->TextHeight("0");
    const int spacing = static_cast<int>(Round(h0 * 0.25));
    EXPECT_EQ(legend_->RequiredHeight(), 2 * h0 + 3 * (h0 + spacing) - spacing);

    legend_->SetWrapColAutoCountEnabled(true);
    legend_->SetWrapColAutoCountMax(0);
    legend_->SetWrapRowAutoCountMax(0);
    legend_->Layout(scratch_.Canvas());
    EXPECT_GE(legend_->ActualWrapColCount(), 1);
    legend_->SetHorizontal(true);
    legend_->Layout(scratch_.Canvas());
    EXPECT_GE(legend_->ActualWrapColCount(), 1);
    EXPECT_EQ(legend_->WrapColDesiredCount(), 1);
    legend_->SetWrapColDesiredCount(0);
    EXPECT_EQ(legend_->WrapColDesiredCount(), 1);
}

TEST_F(PlotLegendTest, ItemTextsNameTheChannelAndSayWhatIsMissing) {
    TiPlotChannelCustom* channel = plot_.GetChannel(plot_.AddChannel());
    channel->SetTitleText("  ");
    EXPECT_EQ(legend_->ChannelLabel(channel), "Channel 1");
    EXPECT_EQ(legend_->YAxisTitleText(channel), "None");
    EXPECT_EQ(legend_->YValueText(channel), "Empty");
    channel->AddXY(1, 2);
    EXPECT_EQ(legend_->YValueText(channel), "N/A");
    plot_.GetYAxis(plot_.AddYAxis());
    channel->SetYAxisName("Y-Axis 1");
    EXPECT_EQ(legend_->YValueText(channel), "2");
    EXPECT_EQ(legend_->YAxisTitleText(channel), "Y-Axis 1");
}

TEST_F(PlotLegendTest, LegendWithoutChannelsKeepsTheSizeOfItsLastLayout) {
    legend_->SetDrawRect({0, 0, 200, 100});
    EXPECT_EQ(legend_->GetRequiredWidth(scratch_.Canvas()), 0);  // never had an item
    TiPlotChannelCustom* channel = plot_.GetChannel(plot_.AddChannel());
    channel->SetVisibleInLegend(false);
    EXPECT_EQ(legend_->GetRequiredWidth(scratch_.Canvas()), 0);
    channel->SetVisibleInLegend(true);
    const int listed = legend_->GetRequiredWidth(scratch_.Canvas());
    EXPECT_GT(listed, 0);
    // No channel listed any more: the band keeps its room, as the legend always did.
    channel->SetVisibleInLegend(false);
    EXPECT_EQ(legend_->GetRequiredWidth(scratch_.Canvas()), listed);
}

}  // namespace
}  // namespace dsp
