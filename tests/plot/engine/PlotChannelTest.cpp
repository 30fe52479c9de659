// Channels: points and statistics, tracking, files and logging, the trace with its clipping and
// its joined runs, markers, the mouse over points, and the XY plot's channel and defaults.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/text/StringList.h"
#include "framework/text/Variant.h"
#include "framework/text/WholeFile.h"
#include "plot/engine/iXYPlot.h"
#include "tests/plot/engine/PlotTestSupport.h"
#include "tests/plot/engine/RecordingCanvas.h"
#include "tests/support/TempFolder.h"

namespace dsp {
namespace {

class PlotChannelTest : public ::testing::Test {
protected:
    PlotChannelTest() {
        plot_.SetBounds(0, 0, 400, 300);
        for (TiPlotAxis* axis : {static_cast<TiPlotAxis*>(plot_.GetXAxis(0)),
                                 static_cast<TiPlotAxis*>(plot_.GetYAxis(0))}) {
            axis->SetTrackingEnabled(false);
        }
        plot_.GetLegend(0)->SetVisible(false);  // its line samples share the channel_'s colour
        channel_ = plot_.GetChannel(0);
    }
    // Lays the plot_ out (the axes get their pixels) and gives the calls of a paint.
    std::vector<test::TCanvasCall> Paint() {
        test::TRecordingCanvas canvas(400, 300);
        plot_.PaintToCanvas(&canvas);
        std::vector<test::TCanvasCall> calls;
        for (const test::TCanvasCall& call : canvas.Calls()) {
            if (call.pen == channel_->Color()) calls.push_back(call);
        }
        return calls;
    }
    TPoint Pixel(double x, double y) const {
        return {plot_.GetXAxis(0)->PositionToPixels(x), plot_.GetYAxis(0)->PositionToPixels(y)};
    }
    TiXYPlot plot_{nullptr};
    TiXYPlotChannel* channel_ = nullptr;
};

// ---- points and statistics

TEST_F(PlotChannelTest, DeletingEveryPointClearsOneMoreRaisesTheListsError) {
    for (int i = 0; i < 3; ++i) channel_->AddXY(i, i);
    try {
        channel_->DeletePoints(4);
        ADD_FAILURE() << "deleted four of three";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Delete size out of Range");
    }
    EXPECT_EQ(channel_->Count(), 3);
    channel_->DeletePoints(3);
    EXPECT_EQ(channel_->Count(), 0);
    EXPECT_EQ(channel_->XFirst(), -1);
    EXPECT_EQ(channel_->YLast(), -1);
    EXPECT_EQ(channel_->IndexFirst(), -1);
    EXPECT_EQ(channel_->IndexLast(), -1);
}

TEST_F(PlotChannelTest, RunningStatisticsOutliveDeletionsUntilRecomputed) {
    channel_->AddXY(2, 5);
    EXPECT_EQ(channel_->RunningXMin(), 2);
    EXPECT_EQ(channel_->RunningXMax(), 2);
    EXPECT_EQ(channel_->RunningXMean(), 2);
    EXPECT_EQ(channel_->RunningYMean(), 5);
    channel_->Clear();
    channel_->AddXY(1, 1);
    channel_->AddXY(3, 3);
    channel_->DeletePoints(1);
    EXPECT_EQ(channel_->RunningXMin(), 1);
    EXPECT_EQ(channel_->RunningXMean(), 2);
    EXPECT_EQ(channel_->GetXMin(), 3);
    EXPECT_EQ(channel_->RunningXMin(), 3);
    channel_->AddNull();
    channel_->ReCalcRunningMinMaxMean();
    EXPECT_EQ(channel_->RunningYMean(), 3);
    channel_->Clear();
    EXPECT_EQ(channel_->RunningXMax(), -1e300);
    EXPECT_EQ(channel_->RunningYMin(), 1e300);
}

TEST_F(PlotChannelTest, NewDataStyleDropsThePointsAndKeepsStylesAndRingSize) {
    channel_->SetColor(clLime);
    channel_->SetRingBufferSize(7);
    channel_->AddXY(1, 1);
    channel_->SetDataStyle(ipdsCompact);
    EXPECT_EQ(channel_->Count(), 0);
    EXPECT_EQ(channel_->Color(), clLime);
    EXPECT_EQ(channel_->RingBufferSize(), 7);
    EXPECT_EQ(channel_->DataPointSize(), 8);
}

TEST_F(PlotChannelTest, VariantArraysAddEveryPairOrNothing) {
    TVariant xs = VarArrayCreate({1, 3}, varDouble);
    TVariant ys = VarArrayCreate({1, 3}, varDouble);
    for (int i = 1; i <= 3; ++i) {
        xs.PutElement({i}, i * 10.0);
        ys.PutElement({i}, -i);
    }
    channel_->AddXYArrays(xs, ys);
    ASSERT_EQ(channel_->Count(), 3);
    EXPECT_EQ(channel_->GetDataX(2), 30);
    EXPECT_EQ(channel_->GetDataY(2), -3);

    TVariant pairs = VarArrayCreate({0, 1, 0, 1}, varVariant);
    pairs.PutElement({0, 1}, 7);
    pairs.PutElement({1, 1}, 8);
    channel_->AddXYArray(pairs);
    EXPECT_EQ(channel_->GetDataX(4), 7);
    EXPECT_EQ(channel_->GetDataY(4), 8);

    struct TCase {
        TVariant x;
        TVariant y;
        const char* message;
    };
    const TCase cases[] = {
        {TVariant(1.0), ys, "X-Data array must be 1 dimensional"},
        {xs, VarArrayCreate({0, 1, 0, 1}, varDouble), "Y-Data array must be 1 dimensional"},
        {xs, VarArrayCreate({0, 2}, varDouble), "X-Data and Y-Data low bound dimension must match"},
        {xs, VarArrayCreate({1, 4}, varDouble),
         "X-Data and Y-Data hogh bound dimension must match"},
    };
    for (const TCase& c : cases) {
        try {
            channel_->AddXYArrays(c.x, c.y);
            ADD_FAILURE() << c.message;
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
    }
    for (const auto& [data, message] : {std::pair{xs, "Array Must Be 2 Dimensional"},
                                        std::pair{VarArrayCreate({0, 2, 0, 1}, varDouble),
                                                  "Array First Dimension Must Be 2 Elements"}}) {
        try {
            channel_->AddXYArray(data);
            ADD_FAILURE() << message;
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), message);
        }
    }
    EXPECT_EQ(channel_->Count(), 5);
}

// ---- tracking

TEST_F(PlotChannelTest, NewPointsReachTheAxesTrackingAndNullsSpareTheYAxis) {
    TiPlotXAxis* x = plot_.GetXAxis(0);
    TiPlotYAxis* y = plot_.GetYAxis(0);
    for (TiPlotAxis* axis : {static_cast<TiPlotAxis*>(x), static_cast<TiPlotAxis*>(y)}) {
        axis->SetTrackingAlignFirstStyle(ipafsMin);
        axis->SetTrackingEnabled(true);
    }
    test::TTempFolder folder;
    ASSERT_TRUE(WriteWholeFile(folder.File("null.txt"), "30\tnULL\r\n"));
    channel_->LoadDataFromFile(folder.File("null.txt"), true);
    EXPECT_EQ(x->Min(), 30);
    EXPECT_EQ(y->Min(), 0);
    EXPECT_TRUE(channel_->GetDataNull(0));

    // With markers the axes make room for them around the point.
    Paint();  // the axes get their pixels: the marker margin is a span of pixels
    channel_->SetMarkersVisible(true);
    channel_->AddXY(200, 50);
    EXPECT_GT(x->Max(), 200);
    EXPECT_LT(y->Min(), 50);
    // An axis without tracking is left alone.
    x->SetTrackingEnabled(false);
    const double max = x->Max();
    channel_->AddXY(1000, 50);
    EXPECT_EQ(x->Max(), max);
}

// ---- files and logging

TEST_F(PlotChannelTest, DataFileRoundTripLeavesEmptyPointsOutAndKeepsNulls) {
    test::TTempFolder folder;
    channel_->AddXY(1.5, -2);
    channel_->AddNull();
    channel_->AddEmpty();
    channel_->AddXY(3, 1e-7);
    channel_->SaveDataToFile(folder.File("data.txt"));
    EXPECT_EQ(ReadWholeFile(folder.File("data.txt")).value_or(""),
              "1.5\t-2\r\n0\tNull\r\n3\t1E-7\r\n");

    TiXYPlotChannel* other = plot_.GetChannel(plot_.AddChannel());
    other->LoadDataFromFile(folder.File("data.txt"), true);
    ASSERT_EQ(other->Count(), 3);
    EXPECT_EQ(other->LoadingSeparator(), '\t');
    EXPECT_TRUE(other->GetDataNull(1));
    EXPECT_EQ(other->GetDataY(2), 1e-7);

    plot_.SetDataFileColumnSeparator(ipdfcsComma);
    channel_->SaveDataToFile(folder.File("comma.txt"));
    other->LoadDataFromFile(folder.File("comma.txt"), false);
    EXPECT_EQ(other->LoadingSeparator(), ',');
    EXPECT_EQ(other->Count(), 6);
}

TEST_F(PlotChannelTest, BadNumberStopsTheLoadKeepingThePointsBeforeIt) {
    test::TTempFolder folder;
    ASSERT_TRUE(WriteWholeFile(folder.File("bad.txt"), "1,2\n\n,5\n3,x\n4,4\n"));
    EXPECT_THROW(channel_->LoadDataFromFile(folder.File("bad.txt"), true), EConvertError);
    ASSERT_EQ(channel_->Count(), 1);
    EXPECT_EQ(channel_->GetDataY(0), 2);
}

TEST_F(PlotChannelTest, LogWritesEveryPointOnceAtItsBufferSize) {
    test::TTempFolder folder;
    try {
        channel_->LogActivate(false);
        ADD_FAILURE() << "logging without a file";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Log File Name not Defined");
    }
    channel_->SetLogFileName(folder.File("log.txt"));
    channel_->LogActivate(false);
    EXPECT_THROW(channel_->LogActivate(false), Exception);
    EXPECT_THROW(channel_->SetLogFileName("other.txt"), Exception);
    channel_->AddXY(1, 2);  // buffer size 0: every point at once
    EXPECT_EQ(ReadWholeFile(folder.File("log.txt")).value_or(""), "1\t2\r\n");
    channel_->SetLogBufferSize(3);
    channel_->AddXY(2, 3);
    channel_->AddXY(3, 4);
    EXPECT_EQ(ReadWholeFile(folder.File("log.txt")).value_or(""), "1\t2\r\n");
    channel_->LogDeactivate();
    EXPECT_EQ(ReadWholeFile(folder.File("log.txt")).value_or(""), "1\t2\r\n2\t3\r\n3\t4\r\n");
    EXPECT_THROW(channel_->LogDeactivate(), Exception);

    // A ring that dropped buffered points writes those it still holds.
    channel_->Clear();
    channel_->SetRingBufferSize(2);
    channel_->SetLogBufferSize(10);
    channel_->LogActivate(true);
    for (int i = 0; i < 4; ++i) channel_->AddXY(10 + i, 0);
    channel_->LogDeactivate();
    EXPECT_EQ(ReadWholeFile(folder.File("log.txt")).value_or(""),
              "1\t2\r\n2\t3\r\n3\t4\r\n12\t0\r\n13\t0\r\n");

    // A new data style drops the points: those buffered are written first, and logging goes on.
    channel_->LogActivate(false);
    channel_->AddXY(20, 1);
    channel_->SetDataStyle(ipdsCompact);
    EXPECT_TRUE(channel_->LoggingActive());
    channel_->AddXY(21, 2);
    channel_->LogDeactivate();
    EXPECT_EQ(ReadWholeFile(folder.File("log.txt")).value_or(""), "20\t1\r\n21\t2\r\n");
}

TEST_F(PlotChannelTest, PropertiesFileRoundTripsAndRefusesOtherFiles) {
    test::TTempFolder folder;
    channel_->SetColor(clAqua);
    channel_->SetMarkersStyle(ipmsDiamond);
    channel_->SetTitleText("Curve");
    channel_->SavePropertiesToFile(folder.File("channel_.txt"));
    const std::string text = ReadWholeFile(folder.File("channel_.txt")).value_or("");
    EXPECT_EQ(text.rfind("File Type = Plot Channel Config\r\n", 0), 0u);
    EXPECT_EQ(text.find("Channel.Name"), std::string::npos);

    TiXYPlotChannel* other = plot_.GetChannel(plot_.AddChannel());
    other->LoadPropertiesFromFile(folder.File("channel_.txt"));
    EXPECT_EQ(other->Color(), clAqua);
    EXPECT_EQ(other->MarkersStyle(), ipmsDiamond);
    EXPECT_EQ(other->TitleText(), "Curve");

    ASSERT_TRUE(WriteWholeFile(folder.File("other.txt"), "File Type = Plot Config\r\n"));
    try {
        other->LoadPropertiesFromFile(folder.File("other.txt"));
        ADD_FAILURE() << "loaded another file type";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(),
                  "Error Loading Properties - Incompatible Plot Channel Configuration File Type");
    }
}

// ---- trace

struct ClipCase {
    const char* name;
    bool clipToAxes;
    double x1, y1, x2, y2;
    bool drawn;
    double fx, fy, tx, ty;  // the drawn ends in values, left first
};

void PrintTo(const ClipCase& c, std::ostream* os) { *os << c.name; }

// clang-format off
const ClipCase kClipCases[] = {
    {"LeftEndMovesToMinOnTheLine", false, -10, 0, 10, 20, true, 0, 10, 10, 20},
    {"RightEndMovesToMax", false, 90, 0, 110, 20, true, 90, 0, 100, 10},
    {"DrawnLeftToRight", false, 60, 5, 40, 25, true, 40, 25, 60, 5},
    {"EqualXTheFirstGivenIsTheLeftEnd", false, 50, 80, 50, 20, true, 50, 80, 50, 20},
    {"BothBeyondMin", false, -20, 0, -10, 50, false, 0, 0, 0, 0},
    {"SpanningTheWholeAxis", false, -100, 0, 200, 30, true, 0, 10, 100, 20},
    {"YBeyondTheAxisIsKeptWithoutClipping", false, 20, 150, 30, 160, true, 20, 150, 30, 160},
    {"YBeyondTheAxisIsDroppedWithClipping", true, 20, 150, 30, 160, false, 0, 0, 0, 0},
    {"YClippedToMaxWithClipping", true, 20, 50, 30, 150, true, 20, 50, 25, 100},
    {"YClippedToMinWithClipping", true, 20, -50, 40, 50, true, 30, 0, 40, 50},
};
// clang-format on

class PlotSegmentClipping : public PlotChannelTest,
                            public ::testing::WithParamInterface<ClipCase> {};

TEST_P(PlotSegmentClipping, SegmentIsClippedInValueSpace) {
    const ClipCase& c = GetParam();
    channel_->SetClipToAxes(c.clipToAxes);
    channel_->AddXY(c.x1, c.y1);
    channel_->AddXY(c.x2, c.y2);
    std::vector<std::vector<TPoint>> lines;
    for (const test::TCanvasCall& call : Paint()) {
        if (call.op == "Polyline") lines.push_back(call.points);
    }
    if (!c.drawn) {
        EXPECT_TRUE(lines.empty());
        return;
    }
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], (std::vector<TPoint>{Pixel(c.fx, c.fy), Pixel(c.tx, c.ty)}));
}

INSTANTIATE_TEST_SUITE_P(Segments, PlotSegmentClipping, ::testing::ValuesIn(kClipCases),
                         [](const ::testing::TestParamInfo<ClipCase>& row) {
                             return std::string(row.param.name);
                         });

TEST_F(PlotChannelTest, NullBreaksTheTraceEmptyIsSkippedNonFiniteIsNeverDrawn) {
    channel_->SetTraceBatching(false);
    auto lines = [&] {
        std::vector<std::vector<TPoint>> found;
        for (const test::TCanvasCall& call : Paint()) {
            if (call.op == "Polyline") found.push_back(call.points);
        }
        return found;
    };
    channel_->AddXY(0, 0);
    channel_->AddXY(10, 10);
    channel_->AddNull();
    channel_->AddXY(20, 0);
    EXPECT_EQ(lines().size(), 1u);

    channel_->Clear();
    channel_->AddXY(0, 0);
    channel_->AddXY(10, 10);
    channel_->AddEmpty();
    channel_->AddXY(20, 0);
    const auto withEmpty = lines();
    ASSERT_EQ(withEmpty.size(), 2u);
    EXPECT_EQ(withEmpty[1], (std::vector<TPoint>{Pixel(10, 10), Pixel(20, 0)}));

    channel_->Clear();
    const double inf = std::numeric_limits<double>::infinity();
    channel_->AddXY(0, 0);
    channel_->AddXY(std::nan(""), 10);
    channel_->AddXY(20, inf);
    channel_->AddXY(30, 30);
    channel_->AddXY(40, 40);
    const auto finite = lines();
    ASSERT_EQ(finite.size(), 1u);
    EXPECT_EQ(finite[0], (std::vector<TPoint>{Pixel(30, 30), Pixel(40, 40)}));
}

// Drawing the trace in joined runs must give exactly the pixels of drawing every segment on
// its own.
TEST_F(PlotChannelTest, JoinedRunsDrawTheSamePixelsAsSingleSegments) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        std::uniform_real_distribution<double> step(-6, 6);
        channel_->Clear();
        channel_->SetClipToAxes(seed % 2 == 0);
        plot_.SetXYAxesReverse(seed % 3 == 0);
        const double scale = seed % 4 == 0 ? 0.05 : 1;  // many points per pixel
        double x = 50;
        double y = 50;
        for (int i = 0; i < 3000; ++i) {
            x += step(random) * scale;
            y += step(random) * scale * 3;
            if (i % 97 == 0) {
                channel_->AddNull();
            } else if (i % 89 == 0) {
                channel_->AddEmpty();
            } else if (i % 61 == 0) {
                channel_->AddXY(x, std::numeric_limits<double>::infinity());
            } else {
                channel_->AddXY(x, y);
            }
        }
        auto render = [&](bool batching) {
            channel_->SetTraceBatching(batching);
            auto bitmap = std::make_unique<TBitmap>(400, 300);
            plot_.PaintToCanvas(bitmap->Canvas());
            return bitmap;
        };
        const auto single = render(false);
        const auto joined = render(true);
        int differences = 0;
        int traced = 0;
        for (int py = 0; py < 300; ++py) {
            for (int px = 0; px < 400; ++px) {
                differences += single->PixelAt(px, py) != joined->PixelAt(px, py);
                traced += (single->PixelAt(px, py) & 0xFFFFFF) == 0x0000FF;
            }
        }
        EXPECT_EQ(differences, 0);
        EXPECT_GT(traced, 100);  // the trace (red) was really drawn
    }
}

TEST_F(PlotChannelTest, TraceWidthOneDrawsTheThinnestPen) {
    channel_->AddXY(10, 10);
    channel_->AddXY(20, 20);
    for (const auto& [width, pen] : {std::pair{1, 0}, std::pair{3, 3}}) {
        channel_->SetTraceLineWidth(width);
        const auto calls = Paint();
        ASSERT_FALSE(calls.empty());
        EXPECT_EQ(calls.back().penWidth, pen);
    }
}

// ---- markers

TEST_F(PlotChannelTest, MarkerShapesTurnOffLimitAndLegendSampleSize) {
    test::TRecordingCanvas canvas(100, 100);
    channel_->SetMarkersVisible(true);
    channel_->SetMarkersStyle(ipmsTriangleUp);
    channel_->SetMarkersSize(3);
    channel_->DrawMarker(&canvas, -1, clBlack, {50, 50});
    ASSERT_EQ(canvas.CallsOf("Polygon").size(), 1u);
    EXPECT_EQ(canvas.CallsOf("Polygon")[0].points,
              (std::vector<TPoint>{{47, 53}, {50, 50}, {53, 53}}));

    channel_->SetMarkersStyle(ipmsCircle);
    channel_->SetMarkersSize(9);
    canvas.ClearCalls();
    channel_->DrawMarker(&canvas, -1, clBlack, {50, 50});
    EXPECT_EQ(canvas.CallsOf("Ellipse")[0].rect, (TRect{44, 44, 56, 56}));

    for (const auto& [points, drawn] : {std::pair{11, 11u}, std::pair{12, 0u}}) {
        channel_->Clear();
        channel_->SetMarkersTurnOffLimit(10);
        for (int i = 0; i < points; ++i) channel_->AddXY(i * 5, 50);
        std::size_t ellipses = 0;
        for (const test::TCanvasCall& call : Paint()) ellipses += call.op == "Ellipse";
        EXPECT_EQ(ellipses, drawn) << points << " points";
    }
}

TEST_F(PlotChannelTest, IndividualMarkersTakeThePointsStyleAndVisibility) {
    channel_->SetMarkersVisible(true);
    channel_->SetMarkersAllowIndividual(true);
    channel_->AddXY(20, 20);
    channel_->AddXY(40, 40);
    channel_->DataList()->SetMarkerStyle(1, ipmsSquare);
    channel_->DataList()->SetMarkerVisible(0, false);
    const auto calls = Paint();
    int ellipses = 0;
    int squares = 0;
    for (const test::TCanvasCall& call : calls) {
        ellipses += call.op == "Ellipse";
        squares += call.op == "Rectangle";
    }
    EXPECT_EQ(ellipses, 0);
    EXPECT_EQ(squares, 1);
}

// ---- mouse

struct HintCase {
    const char* name;
    double x;
    double y;
};

void PrintTo(const HintCase& c, std::ostream* os) { *os << c.name; }

const HintCase kHintCases[] = {
    {"Above", 50, 50}, {"BelowNearTheTop", 50, 99.5}, {"RightNearTheLeftEdge", 0.5, 50}};

class PlotPointHint : public PlotChannelTest, public ::testing::WithParamInterface<HintCase> {};

TEST_P(PlotPointHint, HintStandsAboveElseBelowOrBesideThePoint) {
    const HintCase& c = GetParam();
    channel_->SetMarkersVisible(true);
    channel_->SetShowDataPointHints(true);
    plot_.SetSelectMode(true);
    channel_->AddXY(c.x, c.y);
    Paint();
    const TRect view = plot_.GetDataView(0)->DrawRect();
    TiPlotMouseData mouse;
    const TPoint p = Pixel(c.x, c.y);
    mouse.X = p.X;
    mouse.Y = p.Y;
    ASSERT_TRUE(channel_->MouseHitTest(mouse));
    TiHintData hint;
    channel_->DoMouseHint(mouse, hint);
    EXPECT_EQ(hint.Text,
              plot_.GetXAxis(0)->GetLabelText(c.x) + ", " + plot_.GetYAxis(0)->GetLabelText(c.y));
    const std::string where = c.name;
    if (where == "Above") {
        EXPECT_LT(hint.Top + hint.Height, p.Y);
    } else if (where == "BelowNearTheTop") {
        EXPECT_GT(hint.Top, p.Y);
    } else {
        EXPECT_GT(hint.Left, p.X);
    }
    EXPECT_GE(hint.Top, view.Top);
}

INSTANTIATE_TEST_SUITE_P(Points, PlotPointHint, ::testing::ValuesIn(kHintCases),
                         [](const ::testing::TestParamInfo<HintCase>& row) {
                             return std::string(row.param.name);
                         });

TEST_F(PlotChannelTest, DraggedPointMovesAndReportsItsMove) {
    channel_->SetMarkersVisible(true);
    channel_->SetUserCanMoveDataPoints(true);
    channel_->SetUserCanMoveDataPointsStyle(ipcdpmsYOnly);
    plot_.SetSelectMode(true);
    channel_->AddXY(50, 50);
    Paint();
    std::vector<std::string> events;
    plot_.OnClickDataPoint = [&](int c, int d) {
        events.push_back("click " + std::to_string(c) + " " + std::to_string(d));
    };
    plot_.OnDataPointMoved = [&](int, int, double oldX, double oldY, double newX, double newY) {
        events.push_back("moved " + std::to_string(oldX == newX) + std::to_string(oldY != newY));
    };
    const TPoint p = Pixel(50, 50);
    plot_.iMouseDown(mbLeft, {}, p.X, p.Y);
    plot_.iMouseMove(TShiftState{ssLeft}, p.X + 20, p.Y - 30);
    plot_.iMouseUp(mbLeft, {}, p.X + 20, p.Y - 30);
    EXPECT_EQ(channel_->GetDataX(0), 50);
    EXPECT_GT(channel_->GetDataY(0), 50);
    EXPECT_EQ(events, (std::vector<std::string>{"moved 11"}));
}

// ---- plot-wide rows

TEST_F(PlotChannelTest, DataArrayAddsOneValuePerChannelAndMarkersAddNullOrEmpty) {
    plot_.AddChannel();
    plot_.AddChannel();
    plot_.AddDataArray(5, VarArrayOf({1.0, 5e-301, 5e-302}));
    EXPECT_EQ(plot_.GetChannel(0)->GetDataX(0), 5);
    EXPECT_EQ(plot_.GetChannel(0)->GetDataY(0), 1);
    EXPECT_TRUE(plot_.GetChannel(1)->GetDataNull(0));
    EXPECT_TRUE(plot_.GetChannel(2)->GetDataEmpty(0));
    EXPECT_EQ(plot_.LogBufferCount(), 1);
    plot_.AddDataArray(7, VarArrayOf({1e-300, 2.0, 3.0}));
    EXPECT_EQ(plot_.GetChannel(0)->GetDataY(1), 1e-300);

    // Rows: each at its channel_'s last X plus the step; an empty channel_ starts at 0.
    TiXYPlot rows(nullptr);
    rows.GetChannel(0)->AddXY(10, 0);
    rows.AddChannel();
    TVariant block = VarArrayCreate({0, 1, 0, 3}, varDouble);
    rows.AddDataArray(1, block);
    EXPECT_EQ(rows.GetChannel(0)->XLast(), 14);
    EXPECT_EQ(rows.GetChannel(1)->GetDataX(0), 0);
    EXPECT_EQ(rows.GetChannel(1)->XLast(), 3);
    EXPECT_EQ(rows.LogBufferCount(), 4);
    try {
        rows.AddDataArray(0, VarArrayCreate({0, 1, 0, 1, 0, 1}, varDouble));
        ADD_FAILURE() << "three dimensions";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Data Array must be 1 or 2 Dimensions");
    }
}

// A channel index beyond the channels used to raise half-way, with points already added to the
// first channels and the log's row count not advanced.
TEST_F(PlotChannelTest, ABadDataArrayAddsNothing) {
    plot_.AddChannel();
    // A channel the plot does not have.
    EXPECT_THROW(plot_.AddDataArray(1, VarArrayOf({1.0, 2.0, 3.0})), EListError);
    EXPECT_THROW(plot_.AddDataArray(1, VarArrayCreate({1, 2, 0, 0}, varDouble)), EListError);
    // An element that is not a number, after one that is.
    EXPECT_THROW(plot_.AddDataArray(1, VarArrayOf({1.0, "high"})), Exception);
    TVariant rows = VarArrayCreate({0, 1, 0, 1}, varVariant);
    for (int c = 0; c <= 1; ++c) {
        for (int r = 0; r <= 1; ++r) rows.PutElement({c, r}, c + r);
    }
    rows.PutElement({1, 1}, "high");
    EXPECT_THROW(plot_.AddDataArray(1, rows), Exception);
    EXPECT_EQ(plot_.GetChannel(0)->Count(), 0);
    EXPECT_EQ(plot_.GetChannel(1)->Count(), 0);
    EXPECT_EQ(plot_.LogBufferCount(), 0);
}

TEST_F(PlotChannelTest, TransferCopiesPointsWithTheirFlags) {
    TiXYPlotChannel* other = plot_.GetChannel(plot_.AddChannel());
    channel_->AddXY(1, 1);
    channel_->AddNull();
    channel_->AddXY(3, 3);
    plot_.TransferChannelData(0, 1, 2, 1);
    EXPECT_EQ(other->Count(), 0);
    plot_.TransferChannelData(0, 1, 0, 2);
    ASSERT_EQ(other->Count(), 3);
    EXPECT_TRUE(other->GetDataNull(1));
    EXPECT_EQ(other->GetDataX(2), 3);
    try {
        plot_.TransferChannelData(0, 1, -1, 0);
        ADD_FAILURE() << "negative start";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Start Index Must be 0 or Greater");
    }
    EXPECT_THROW(plot_.TransferChannelData(0, 1, 0, 3), Exception);
    EXPECT_THROW(plot_.TransferChannelData(0, 5, 0, 0), EListError);
}

// ---- XY plot

TEST(XYPlotTest, NewPlotHoldsTheDefaultObjects) {
    TiXYPlot plot(nullptr);
    EXPECT_EQ(plot.ToolBarCount(), 1);
    EXPECT_EQ(plot.GetToolBar(0)->ZOrder(), 3);
    EXPECT_EQ(plot.GetLegend(0)->ZOrder(), 2);
    EXPECT_EQ(plot.XAxisCount(), 1);
    EXPECT_EQ(plot.YAxisCount(), 1);
    EXPECT_EQ(plot.ChannelCount(), 1);
    EXPECT_EQ(plot.DataViewCount(), 1);
    EXPECT_EQ(plot.DataCursorCount(), 1);
    EXPECT_FALSE(plot.GetDataCursor(0)->Visible());
    TiPlotLabel* title = plot.GetLabel(0);
    EXPECT_EQ(title->Name(), "Title");
    EXPECT_EQ(title->Caption(), "Untitled");
    EXPECT_EQ(title->ZOrder(), 2);
    EXPECT_EQ(title->MarginBottom(), 0);
    EXPECT_EQ(plot.GetChannel(plot.AddChannel())->Name(), "Channel 2");
    EXPECT_EQ(plot.GetDataCursor(0)->ChannelName(), "Channel 1");
}

TEST(XYPlotTest, GetChannelRefusesABadIndexAndAnotherClass) {
    TiXYPlot plot(nullptr);
    EXPECT_THROW(plot.GetChannel(1), EListError);
    plot.Master()->SetChannelClass(PlotObjectFactory<test::TFakeChannel>());
    plot.AddChannel();
    EXPECT_THROW(plot.GetChannel(1), EInvalidCast);
}

TEST(XYPlotTest, OnlyAVisibleChannelWithPointsAndAxesDraws) {
    TiXYPlot plot(nullptr);
    TiXYPlotChannel* channel = plot.GetChannel(0);
    TBitmap scratch(10, 10);
    channel->PrepareDraw(scratch.Canvas());
    EXPECT_FALSE(channel->CanDraw());
    channel->AddXY(1, 1);
    channel->PrepareDraw(scratch.Canvas());
    EXPECT_TRUE(channel->CanDraw());
    channel->SetVisible(false);
    channel->PrepareDraw(scratch.Canvas());
    EXPECT_FALSE(channel->CanDraw());
    channel->SetVisible(true);
    channel->SetYAxisName("none");
    channel->PrepareDraw(scratch.Canvas());
    EXPECT_FALSE(channel->CanDraw());
}

TEST(XYPlotTest, FitExtentsSkipNullsAndWidenByTheMarkers) {
    TiXYPlot plot(nullptr);
    TiXYPlotChannel* channel = plot.GetChannel(0);
    channel->AddNull();
    channel->AddNull();
    EXPECT_EQ(channel->GetFitXMax(), -1e300);
    EXPECT_EQ(channel->GetFitYMin(), 1e300);
    channel->AddXY(3, 4);
    channel->AddXY(-1, 9);
    EXPECT_EQ(channel->GetFitXMax(), 3);
    EXPECT_EQ(channel->GetFitXMin(), -1);
    EXPECT_EQ(channel->GetFitYMax(), 9);
    plot.SetBounds(0, 0, 400, 300);
    TBitmap scratch(400, 300);
    plot.PaintToCanvas(scratch.Canvas());
    channel->SetMarkersVisible(true);
    EXPECT_GT(channel->GetFitXMax(), 3);
    EXPECT_LT(channel->GetFitYMin(), 4);
}

struct CursorCase {
    const char* name;
    TiPlotDataCursorStyle style;
    double x;
    double y;
    const char* text;  // null: the X axis's cursor text of x
};

void PrintTo(const CursorCase& c, std::ostream* os) { *os << c.name; }

// Pointer 1 at 20 %, pointer 2 at 70 % of axes from 0 to 100.
const CursorCase kCursorCases[] = {
    {"ValueXY", ipcsValueXY, 20, 70, "20, 70"},
    {"ValueX", ipcsValueX, 20, 0, "20"},
    {"ValueY", ipcsValueY, 0, 70, "70"},
    {"DeltaX", ipcsDeltaX, 50, 0, "50"},
    {"DeltaY", ipcsDeltaY, 0, 50, "50"},
    {"InverseDeltaX", ipcsInverseDeltaX, 0.02, 0, nullptr},
};

class XYCursorValues : public ::testing::TestWithParam<CursorCase> {};

TEST_P(XYCursorValues, ValuesAndTextByStyle) {
    const CursorCase& c = GetParam();
    TiXYPlot plot(nullptr);
    plot.SetBounds(0, 0, 400, 300);
    TiPlotDataCursor* cursor = plot.GetDataCursor(0);
    cursor->SetPointer1Position(20);
    cursor->SetPointer2Position(70);
    cursor->SetStyle(c.style);
    cursor->UpdateCursor();
    EXPECT_DOUBLE_EQ(cursor->ValueX(), c.x);
    EXPECT_DOUBLE_EQ(cursor->ValueY(), c.y);
    const std::string text = c.text != nullptr ? c.text : plot.GetXAxis(0)->GetCursorText(c.x);
    EXPECT_EQ(cursor->CursorDisplayText(), text);
}

INSTANTIATE_TEST_SUITE_P(Styles, XYCursorValues, ::testing::ValuesIn(kCursorCases),
                         [](const ::testing::TestParamInfo<CursorCase>& row) {
                             return std::string(row.param.name);
                         });

TEST(XYPlotTest, InverseDeltaWithoutADistanceOrScalerIsInfiniteAndNoAxisIsSaid) {
    TiXYPlot plot(nullptr);
    plot.SetBounds(0, 0, 400, 300);
    TiXYPlotChannel* channel = plot.GetChannel(0);
    TiPlotDataCursor* cursor = plot.GetDataCursor(0);
    cursor->SetStyle(ipcsInverseDeltaX);
    cursor->SetPointer1Position(20);
    cursor->SetPointer2Position(20);
    cursor->UpdateCursor();
    EXPECT_EQ(cursor->CursorDisplayText(), "Infinite");
    cursor->SetPointer2Position(70);
    plot.GetXAxis(0)->SetCursorScaler(0);
    cursor->UpdateCursor();
    EXPECT_EQ(cursor->CursorDisplayText(), "Infinite");
    channel->SetXAxisName("gone");
    cursor->UpdateCursor();
    EXPECT_EQ(cursor->CursorDisplayText(), "No X-Axis");
    EXPECT_EQ(cursor->ValueX(), 0);
}

}  // namespace
}  // namespace dsp
