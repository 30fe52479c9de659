// Limits: lines, bands and poly bands drawn on their axes, grabbed within five pixels of a line
// and dragged, with the mouse cursor and the position events.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "framework/core/Exceptions.h"
#include "plot/engine/iPlotLimit.h"
#include "plot/engine/iXYPlot.h"
#include "tests/plot/engine/PlotTestSupport.h"
#include "tests/plot/engine/RecordingCanvas.h"

namespace dsp {
namespace {

// An XY plot with its axes fixed on 0..100 and the toolbar's select mode on, so that limits
// answer the mouse.
class PlotLimitTest : public ::testing::Test {
protected:
    PlotLimitTest() {
        plot_.SetBounds(0, 0, 400, 300);
        for (TiPlotAxis* axis : {static_cast<TiPlotAxis*>(plot_.GetXAxis(0)),
                                 static_cast<TiPlotAxis*>(plot_.GetYAxis(0))}) {
            axis->SetTrackingEnabled(false);
        }
        plot_.SetSelectMode(true);
        limit_ = plot_.GetLimit(plot_.AddLimit());
        Paint();
    }
    test::TRecordingCanvas& Paint() {
        canvas_.ClearCalls();
        plot_.PaintToCanvas(&canvas_);
        return canvas_;
    }
    // The calls in the limit's colour among the data view's contents (each clipped to it).
    std::vector<test::TCanvasCall> LimitCalls(const std::string& op) {
        const std::vector<test::TCanvasCall> calls = Paint().CallsOf(op);
        const TRect view = plot_.GetDataView(0)->DrawRect();
        const TRect clip{view.Left, view.Top, view.Right + 1, view.Bottom + 1};
        std::vector<test::TCanvasCall> found;
        for (const test::TCanvasCall& call : calls) {
            if (call.clip == clip &&
                (call.pen == limit_->Color() || call.brush == limit_->Color())) {
                found.push_back(call);
            }
        }
        return found;
    }
    int Xp(double v) const { return plot_.GetXAxis(0)->PositionToPixels(v); }
    int Yp(double v) const { return plot_.GetYAxis(0)->PositionToPixels(v); }

    TiXYPlot plot_{nullptr};
    TiPlotLimit* limit_ = nullptr;
    test::TRecordingCanvas canvas_{400, 300};
};

TEST_F(PlotLimitTest, DefaultLimitIsARedLineAtYFiftyGrabbedFourPixelsAway) {
    EXPECT_EQ(limit_->Name(), "Limit 1");
    EXPECT_EQ(limit_->XAxisName(), "X-Axis 1");
    EXPECT_EQ(limit_->YAxisName(), "Y-Axis 1");
    EXPECT_FALSE(limit_->HasFill());
    const std::vector<test::TCanvasCall> lines = LimitCalls("Polyline");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].pen, clRed);
    EXPECT_EQ(lines[0].points, (std::vector<TPoint>{{Xp(0), Yp(50)}, {Xp(100), Yp(50)}}));

    const TPoint near{Xp(50), Yp(50) - 4};
    EXPECT_EQ(limit_->CheckMouseOver(near), crDefault);  // not movable yet
    limit_->SetUserCanMove(true);
    EXPECT_EQ(limit_->CheckMouseOver(near), crHandPoint);
    plot_.iMouseDown(mbLeft, {}, near.X, near.Y);
    EXPECT_EQ(plot_.MouseDownObject(), limit_);
    plot_.iMouseMove(TShiftState{ssLeft}, near.X, Yp(75));
    plot_.iMouseUp(mbLeft, {}, near.X, Yp(75));
    EXPECT_NEAR(limit_->Line1Position(), 75, 0.5);
}

TEST_F(PlotLimitTest, ALineOutsideItsAxisIsNeitherDrawnNorGrabbed) {
    limit_->SetStyle(iplsLineX);
    limit_->SetLine1Position(150);
    limit_->SetUserCanMove(true);
    EXPECT_TRUE(LimitCalls("Polyline").empty());
    EXPECT_FALSE(limit_->Line1Shown());
    EXPECT_FALSE(limit_->HitTest(Xp(100), Yp(50)));
    // Back inside, a vertical line across the Y range.
    limit_->SetLine1Position(25);
    const std::vector<test::TCanvasCall> lines = LimitCalls("Polyline");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].points, (std::vector<TPoint>{{Xp(25), Yp(0)}, {Xp(25), Yp(100)}}));
    EXPECT_TRUE(limit_->HitTest(Xp(25) + 4, Yp(50)));
    EXPECT_FALSE(limit_->HitTest(Xp(25) + 5, Yp(50)));
}

TEST_F(PlotLimitTest, ClickThroughOutsideSelectModeUnlessAskedOtherwise) {
    plot_.SetSelectMode(false);
    EXPECT_FALSE(limit_->HitTest(Xp(50), Yp(50)));
    limit_->SetSelectModeOnlyInteraction(false);
    EXPECT_TRUE(limit_->HitTest(Xp(50), Yp(50)));
}

TEST_F(PlotLimitTest, BandsFillOrOutlineByTheirFillStyle) {
    limit_->SetStyle(iplsBandY);
    limit_->SetLine1Position(20);
    limit_->SetLine2Position(60);
    limit_->SetLineWidth(3);

    // Solid: one filled rectangle with a one-pixel outline, below the grid.
    EXPECT_TRUE(limit_->HasFill());
    std::vector<test::TCanvasCall> boxes = LimitCalls("Rectangle");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rect, NormalizedRect(Xp(0), Yp(20), Xp(100), Yp(60)));
    EXPECT_EQ(boxes[0].penWidth, 1);
    EXPECT_TRUE(LimitCalls("Polyline").empty());

    // Clear: the two edges in the line width, no fill, above the grid.
    limit_->SetFillStyle(bsClear);
    EXPECT_FALSE(limit_->HasFill());
    EXPECT_TRUE(LimitCalls("Rectangle").empty());
    const std::vector<test::TCanvasCall> edges = LimitCalls("Polyline");
    ASSERT_EQ(edges.size(), 2u);
    EXPECT_EQ(edges[0].points, (std::vector<TPoint>{{Xp(0), Yp(20)}, {Xp(100), Yp(20)}}));
    EXPECT_EQ(edges[1].points, (std::vector<TPoint>{{Xp(0), Yp(60)}, {Xp(100), Yp(60)}}));
    EXPECT_EQ(edges[0].penWidth, 3);

    // Hatched: the area without outline, then both edges one pixel wide.
    limit_->SetFillStyle(bsCross);
    EXPECT_EQ(LimitCalls("Rectangle").size(), 1u);
    EXPECT_EQ(LimitCalls("Polyline").size(), 2u);

    // Both edges shown: the cursor says which way they move, turned with the axes.
    limit_->SetUserCanMove(true);
    EXPECT_EQ(limit_->CheckMouseOver({0, 0}), crSizeNS);
    plot_.SetXYAxesReverse(true);
    Paint();
    EXPECT_EQ(limit_->CheckMouseOver({0, 0}), crSizeWE);
    limit_->SetStyle(iplsBandX);
    Paint();
    EXPECT_EQ(limit_->CheckMouseOver({0, 0}), crSizeNS);
}

struct TPolyBandCase {
    const char* name;
    double min;
    double span;
    int pairsDrawn;
};
void PrintTo(const TPolyBandCase& c, std::ostream* os) { *os << c.name; }

class PlotPolyBand : public PlotLimitTest, public ::testing::WithParamInterface<TPolyBandCase> {};

TEST_P(PlotPolyBand, PairsBelowTheAxisAreSkippedAndThoseBeyondItEndTheLoop) {
    limit_->SetStyle(iplsPolyBandY);
    limit_->AddBandElement(0, 3, 1);
    limit_->AddBandElement(10, 4, 2);
    limit_->AddBandElement(20, 5, 0);
    plot_.GetXAxis(0)->SetMinSpan(GetParam().min, GetParam().span);
    EXPECT_EQ(static_cast<int>(LimitCalls("Polygon").size()), GetParam().pairsDrawn);
    // A poly band can be neither hit nor grabbed.
    EXPECT_FALSE(limit_->Line1Shown());
    EXPECT_FALSE(limit_->Line2Shown());
}

// clang-format off
const TPolyBandCase kPolyBandCases[] = {
    {"AxisInsideTheElements", 5, 10, 2},
    {"AxisBeyondTheElements", 25, 15, 0},
    {"AxisBelowTheElements", -50, 10, 0},
    {"AxisOverTheFirstPair", 0, 5, 1},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Limits, PlotPolyBand, ::testing::ValuesIn(kPolyBandCases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(PlotLimitTest, PolyBandCornersAndItsHatchedEdges) {
    limit_->SetStyle(iplsPolyBandY);
    limit_->AddBandElement(10, 30, 20);
    limit_->AddBandElement(40, 60, 50);
    const std::vector<test::TCanvasCall> quads = LimitCalls("Polygon");
    ASSERT_EQ(quads.size(), 1u);
    EXPECT_EQ(quads[0].points,
              (std::vector<TPoint>{
                  {Xp(10), Yp(30)}, {Xp(40), Yp(60)}, {Xp(40), Yp(50)}, {Xp(10), Yp(20)}}));
    limit_->SetFillStyle(bsFDiagonal);
    const std::vector<test::TCanvasCall> edges = LimitCalls("Polyline");
    ASSERT_EQ(edges.size(), 2u);
    EXPECT_EQ(edges[0].points, (std::vector<TPoint>{{Xp(10), Yp(30)}, {Xp(40), Yp(60)}}));
    EXPECT_EQ(edges[1].points, (std::vector<TPoint>{{Xp(10), Yp(20)}, {Xp(40), Yp(50)}}));
    // An X poly band turns the roles: positions on Y, limits on X.
    limit_->SetStyle(iplsPolyBandX);
    limit_->SetFillStyle(bsSolid);
    const std::vector<test::TCanvasCall> turned = LimitCalls("Polygon");
    ASSERT_EQ(turned.size(), 1u);
    EXPECT_EQ(turned[0].points[0], (TPoint{Xp(30), Yp(10)}));
}

TEST_F(PlotLimitTest, ElementsMustHaveTheUpperLimitAtOrAboveTheLower) {
    try {
        limit_->AddBandElement(1, 2, 3);
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "the Upper Limit must be greater than or equal to the Lower Limit");
    }
    EXPECT_EQ(limit_->ElementCount(), 0);
    limit_->AddBandElement(1, 3, 3);
    EXPECT_EQ(limit_->ElementUpperLimit(0), 3);
    EXPECT_THROW(limit_->ElementPosition(1), Exception);
}

TEST_F(PlotLimitTest, DraggingTheSecondEdgeReportsEveryMoveThenAClick) {
    limit_->SetStyle(iplsBandX);
    limit_->SetLine1Position(20);
    limit_->SetLine2Position(60);
    limit_->SetUserCanMove(true);
    Paint();
    std::vector<std::pair<double, double>> moves;
    plot_.OnLimitLine2PositionChange = [&](int index, double oldValue, double newValue) {
        EXPECT_EQ(index, 0);
        moves.emplace_back(oldValue, newValue);
    };
    int clicks = 0;
    plot_.OnClickLimit = [&](int) { ++clicks; };
    const int y = Yp(50);
    // The window repaints between the moves, so the edge's click rectangle goes along.
    plot_.iMouseDown(mbLeft, {}, Xp(60) + 3, y);
    plot_.iMouseMove(TShiftState{ssLeft}, Xp(70), y);
    Paint();
    plot_.iMouseMove(TShiftState{ssLeft}, Xp(80), y);
    Paint();
    plot_.iMouseUp(mbLeft, {}, Xp(80), y);
    ASSERT_EQ(moves.size(), 2u);
    EXPECT_EQ(moves[0].first, 60);
    EXPECT_NEAR(moves[0].second, 70, 0.5);
    EXPECT_EQ(moves[1].first, moves[0].second);
    EXPECT_NEAR(moves[1].second, 80, 0.5);
    EXPECT_EQ(limit_->Line1Position(), 20);
    EXPECT_EQ(clicks, 1);  // the release still meets the edge, which moved along
}

TEST_F(PlotLimitTest, RenamedOrChangedAxisTakesTheLimitAlong) {
    const int second = plot_.AddYAxis();
    TiPlotYAxis* other = plot_.GetYAxis(second);
    other->SetMinSpan(0, 200);
    limit_->SetYAxisName(other->Name());
    std::vector<test::TCanvasCall> lines = LimitCalls("Polyline");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].points[0].Y, other->PositionToPixels(50));
    other->SetName("Level");
    EXPECT_EQ(limit_->YAxisName(), "Level");
    plot_.DeleteYAxis(second);
    EXPECT_TRUE(LimitCalls("Polyline").empty());
    EXPECT_EQ(limit_->GetYAxis(), nullptr);
}

}  // namespace
}  // namespace dsp
