// The strip chart: X order, time stamps, high/low points and Y arrays; finding points and
// interpolating at an X; and its drawing tables on the recording canvas: the fast trace's
// columns, steps, the digital trace, interpolated traces and their limits, candlesticks.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/text/DateTime.h"
#include "framework/text/Variant.h"
#include "plot/engine/iPlot.h"
#include "tests/plot/engine/PlotTestSupport.h"
#include "tests/plot/engine/RecordingCanvas.h"

namespace dsp {
namespace {

std::string MessageOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const Exception& e) {
        return e.Message();
    }
    return "(no exception)";
}

// A colour nothing else of the plot draws with.
constexpr TColor kTraceColor = 0x123456;

class PlotStripChartTest : public ::testing::Test {
protected:
    PlotStripChartTest() {
        plot_.SetBounds(0, 0, 400, 300);
        for (TiPlotAxis* axis : {static_cast<TiPlotAxis*>(plot_.GetXAxis(0)),
                                 static_cast<TiPlotAxis*>(plot_.GetYAxis(0))}) {
            axis->SetTrackingEnabled(false);
        }
        plot_.GetXAxis(0)->SetMin(0);
        plot_.GetXAxis(0)->SetSpan(10);
        plot_.GetYAxis(0)->SetMin(0);
        plot_.GetYAxis(0)->SetSpan(100);
        plot_.GetLegend(0)->SetVisible(false);
        channel_ = plot_.GetChannel(0);
        channel_->SetColor(kTraceColor);
    }
    // The calls of a paint drawn with the channel's colour (or the given one).
    // The trace's lines of a paint.
    std::vector<test::TCanvasCall> Paint() {
        test::TRecordingCanvas canvas(400, 300);
        plot_.PaintToCanvas(&canvas);
        std::vector<test::TCanvasCall> calls;
        for (const test::TCanvasCall& call : canvas.Calls()) {
            if (call.op == "Polyline" && call.pen == kTraceColor) calls.push_back(call);
        }
        return calls;
    }
    TPoint Pixel(double x, double y) const {
        return {plot_.GetXAxis(0)->PositionToPixels(x), plot_.GetYAxis(0)->PositionToPixels(y)};
    }
    std::vector<TPoint> Segment(double x1, double y1, double x2, double y2) const {
        return {Pixel(x1, y1), Pixel(x2, y2)};
    }
    TiPlot plot_{nullptr};
    TiPlotChannel* channel_ = nullptr;
};

// ---- adding and finding

TEST_F(PlotStripChartTest, NewPlotHoldsTheDefaultObjects) {
    EXPECT_EQ(plot_.ToolBarCount(), 1);
    EXPECT_EQ(plot_.LegendCount(), 1);
    EXPECT_EQ(plot_.ChannelCount(), 1);
    EXPECT_EQ(plot_.DataCursorCount(), 1);
    EXPECT_EQ(plot_.GetLabel(0)->Name(), "Title");
    EXPECT_EQ(plot_.GetLabel(0)->Caption(), "Untitled");
    EXPECT_FALSE(plot_.GetUpdateActive());
    EXPECT_EQ(channel_->HighLowBarColor(), 16776960);
}

TEST_F(PlotStripChartTest, OutOfOrderXIsRefusedByTheDirectionOfTheFirstPoints) {
    channel_->SetAllowOutOfOrderXValues(false);
    for (double x : {1.0, 2.0, 2.0}) channel_->AddXY(x, 0);
    EXPECT_EQ(MessageOf([&] { channel_->AddXY(1.5, 0); }),
              "New Data-Point X-Value is out of order");
    EXPECT_EQ(channel_->Count(), 3);
    channel_->Clear();
    channel_->AddXY(3, 0);
    channel_->AddXNull(2);
    EXPECT_EQ(MessageOf([&] { channel_->AddXEmpty(2.5); }),
              "New Data-Point X-Value is out of order.");
    channel_->SetAllowOutOfOrderXValues(true);
    channel_->AddXY(2.5, 0);
    EXPECT_EQ(channel_->Count(), 3);
}

TEST_F(PlotStripChartTest, ArraysTimeStampsAndHighLowPoints) {
    channel_->AddXY(10, 1);
    channel_->AddYArray(0.5, VarArrayOf({7.0, 8.0, 9.0}));
    EXPECT_EQ(channel_->Count(), 4);
    EXPECT_EQ(channel_->GetDataX(1), 10);
    EXPECT_EQ(channel_->GetDataX(3), 11);
    EXPECT_EQ(MessageOf([&] {
                  channel_->AddYArray(1, VarArrayCreate({0, 1, 0, 1}, varDouble));
              }),
              "Y-Data array must be 1 dimensional");

    channel_->ResetElapsedStartTime();
    const int index = channel_->AddYElapsedSeconds(5);
    EXPECT_NEAR(channel_->GetDataX(index), 0, 5);
    EXPECT_NEAR(channel_->GetDataX(channel_->AddYNow(1)), Now(), 1e-3);

    channel_->SetDataStyle(ipdsFullFeature);
    const double before = channel_->RunningYMax();
    const int hl = channel_->AddHighLow(20, 50, 10, 20, 40);
    EXPECT_EQ(channel_->GetDataHigh(hl), 50);
    EXPECT_EQ(channel_->GetDataClose(hl), 40);
    EXPECT_EQ(channel_->RunningYMax(), before);  // no statistics for high/low points
}

TEST_F(PlotStripChartTest, IndexSearchAndInterpolationBetweenPoints) {
    for (int i = 0; i < 5; ++i) channel_->AddXY(i * 2, i * 10);
    plot_.ReCalcLayout();
    // clang-format off
    const std::pair<double, int> indexes[] = {{-1, -1}, {0, 0}, {3, 2}, {4, 2}, {4.5, 3}, {8, 4}, {9, -1}};
    // clang-format on
    for (const auto& [x, index] : indexes) EXPECT_EQ(channel_->CalcIndex(x), index) << x;
    double y = 0;
    ASSERT_TRUE(channel_->GetYInterpolated(3, y));
    EXPECT_NEAR(y, 15, 1);
    channel_->SetDataNull(2, true);
    EXPECT_FALSE(channel_->GetYInterpolated(3, y));
    EXPECT_EQ(channel_->GetCursorValue(0, y), ipdpsValid);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(channel_->GetCursorValue(-5, y), ipdpsEmpty);
    channel_->SetInterpolationStyle(ipistDifferential);
    EXPECT_EQ(channel_->GetCursorValue(7, y), ipdpsValid);
    EXPECT_EQ(y, 30);
    EXPECT_EQ(channel_->GetCursorValue(20, y), ipdpsValid);
    EXPECT_EQ(y, 40);
    channel_->SetInterpolationStyle(ipistDifferentialTerminated);
    EXPECT_EQ(channel_->GetCursorValue(20, y), ipdpsEmpty);
}

// ---- drawing tables

TEST_F(PlotStripChartTest, ThousandPointsInOneColumnDrawOneSegment) {
    // One pixel column at X = 5 (plus a neighbour each side to make a draw range).
    for (int i = 0; i < 1000; ++i) channel_->AddXY(5 + i * 1e-6, (i * 37) % 91);
    const std::vector<test::TCanvasCall> calls = Paint();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].points, Segment(5, 90, 5, 0));
}

TEST_F(PlotStripChartTest, FastTraceJoinsColumnsAndBreaksAtNull) {
    for (double x : {1.0, 2.0}) channel_->AddXY(x, 10);
    channel_->AddXNull(3);
    channel_->AddXY(4, 20);
    channel_->AddXY(5, 30);
    const std::vector<test::TCanvasCall> calls = Paint();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].points, Segment(1, 10, 2, 10));
    EXPECT_EQ(calls[1].points, Segment(4, 20, 5, 30));
}

TEST_F(PlotStripChartTest, StepTraceRunsToTheAxisEndOnlyWhenNotTerminated) {
    channel_->AddXY(0, 10);
    channel_->AddXY(1, 20);
    channel_->SetInterpolationStyle(ipistDifferential);
    std::vector<test::TCanvasCall> calls = Paint();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].points, Segment(0, 10, 1, 10));
    EXPECT_EQ(calls[1].points, Segment(1, 10, 1, 20));
    EXPECT_EQ(calls[2].points, Segment(1, 20, 10, 20));
    channel_->SetInterpolationStyle(ipistDifferentialTerminated);
    calls = Paint();
    EXPECT_EQ(calls.size(), 2u);
}

TEST_F(PlotStripChartTest, DigitalTraceDrawsRunsAndEdgesAtItsLevels) {
    const double ys[] = {0, 0, 5, 5, 0};
    for (int i = 0; i < 5; ++i) channel_->AddXY(i + 1, ys[i]);
    channel_->SetDigitalEnabled(true);
    const std::vector<test::TCanvasCall> calls = Paint();
    std::vector<std::vector<TPoint>> drawn;
    for (const test::TCanvasCall& c : calls) drawn.push_back(c.points);
    const std::vector<std::vector<TPoint>> expected = {
        Segment(1, 10, 3, 10), Segment(3, 10, 3, 90),  // low run, rising edge
        Segment(3, 90, 5, 90), Segment(5, 90, 5, 10),  // high run, falling edge
    };
    EXPECT_EQ(drawn, expected);
}

TEST_F(PlotStripChartTest, OnePointDrawsNoTraceInAnyStyle) {
    channel_->AddXY(5, 50);
    for (TiPlotInterpolationStyle style : {ipistStraightLine, ipistCubicSpline}) {
        channel_->SetInterpolationStyle(style);
        EXPECT_TRUE(Paint().empty()) << style;
    }
    channel_->SetInterpolationStyle(ipistStraightLine);
    channel_->SetDigitalEnabled(true);
    EXPECT_TRUE(Paint().empty());
}

TEST_F(PlotStripChartTest, SplineRunsSkipNullsAndEqualXEndsARunQuietly) {
    for (int i = 0; i <= 4; ++i) channel_->AddXY(i, i * i);
    channel_->AddXNull(5);
    channel_->AddXY(6, 10);
    channel_->AddXY(6, 20);  // a run whose two X are equal: not drawn, no error
    channel_->SetInterpolationStyle(ipistCubicSpline);
    const std::vector<test::TCanvasCall> calls = Paint();
    ASSERT_FALSE(calls.empty());
    for (const test::TCanvasCall& c : calls) {
        EXPECT_LE(c.points[1].X, Pixel(4, 0).X);  // nothing beyond the first run
    }
    // The cursor reads the drawn curve from the pixel cache.
    double y = 0;
    EXPECT_EQ(channel_->GetCursorValue(2, y), ipdpsValid);
    EXPECT_NEAR(y, 4, 0.5);
}

// A polynomial through every point of a large channel cost a paint seconds and its Null
// points bent the curve.
TEST_F(PlotStripChartTest, InterpolationBeyondItsPointLimitDrawsStraightLines) {
    for (int i = 0; i < 5000; ++i) channel_->AddXY(i * 0.002, (i % 7) * 10);
    channel_->SetInterpolationStyle(ipistPolynomial);
    const std::vector<test::TCanvasCall> calls = Paint();
    EXPECT_FALSE(calls.empty());
    EXPECT_LE(calls.size(), 3u * 400);  // columns, not points
}

TEST_F(PlotStripChartTest, CandleStickBodyColourFollowsOpenAndClose) {
    channel_->SetHighLowEnabled(true);
    channel_->SetHighLowStyle(iphlsCandleStick);
    channel_->SetTraceVisible(false);
    channel_->SetDataStyle(ipdsFullFeature);
    channel_->AddHighLow(3, 80, 10, 50, 30);  // falls: bearish
    channel_->AddHighLow(6, 80, 10, 30, 50);  // rises: bullish
    test::TRecordingCanvas canvas(400, 300);
    plot_.PaintToCanvas(&canvas);
    std::vector<TColor> bodies;
    std::vector<std::vector<TPoint>> shadows;
    for (const test::TCanvasCall& call : canvas.Calls()) {
        if (call.op == "Rectangle" && call.pen == channel_->HighLowShadowColor()) {
            bodies.push_back(call.brush);
        }
        if (call.op == "Polyline" && call.pen == channel_->HighLowShadowColor()) {
            shadows.push_back(call.points);
        }
    }
    EXPECT_EQ(bodies, (std::vector<TColor>{channel_->HighLowBearishColor(),
                                           channel_->HighLowBullishColor()}));
    ASSERT_EQ(shadows.size(), 2u);
    EXPECT_EQ(shadows[0], Segment(3, 80, 3, 10));
}

}  // namespace
}  // namespace dsp
