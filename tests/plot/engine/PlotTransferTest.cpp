// The main window's transfer plots: configured as the window configures them, their pictures
// compared with golden ones, and a burst of point changes painted once per frame.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <vector>

#include "framework/runtime/ManualClock.h"
#include "plot/engine/TransferPlotSetup.h"
#include "tests/plot/engine/PlotGolden.h"
#include "tests/plot/engine/PlotTestSupport.h"

namespace dsp {
namespace {

using std::chrono::milliseconds;

TEST(PlotTransferTest, ConfiguredAsTheWindowHasThem) {
    TiXYPlot plot(nullptr);
    ConfigureTransferPlot(plot);
    EXPECT_EQ(plot.GetBorderStyle(), ibsNone);
    EXPECT_FALSE(plot.UserCanEditObjects());
    EXPECT_FALSE(plot.GetToolBar(0)->Visible());
    EXPECT_FALSE(plot.GetLegend(0)->Visible());
    EXPECT_FALSE(plot.GetLabel(0)->Visible());
    EXPECT_FALSE(plot.GetDataCursor(0)->Visible());
    ASSERT_EQ(plot.ChannelCount(), 2);
    TiXYPlotChannel* curve = plot.GetChannel(0);
    EXPECT_EQ(curve->Name(), "Channel 1");
    EXPECT_EQ(curve->Color(), clWhite);
    EXPECT_EQ(curve->TraceLineWidth(), 2);
    TiXYPlotChannel* point = plot.GetChannel(1);
    EXPECT_EQ(point->Name(), "Channel 2");
    EXPECT_EQ(point->Color(), 8421631);
    EXPECT_EQ(point->TraceLineStyle(), iplsDot);
    EXPECT_TRUE(point->MarkersVisible());
    EXPECT_TRUE(point->MarkersAllowIndividual());
    EXPECT_EQ(point->XAxisName(), "X-Axis 1");
    EXPECT_EQ(point->YAxisName(), "Y-Axis 1");
    for (TiPlotAxis* axis :
         {static_cast<TiPlotAxis*>(plot.GetXAxis(0)), static_cast<TiPlotAxis*>(plot.GetYAxis(0))}) {
        EXPECT_FALSE(axis->Enabled());
        EXPECT_FALSE(axis->TrackingEnabled());
        EXPECT_EQ(axis->Min(), -100);
        EXPECT_EQ(axis->Span(), 120);
    }
    EXPECT_FALSE(plot.GetDataView(0)->AxesControlEnabled());

    // Points never move the axes: tracking is off.
    ReplaceTransferPoints(plot, kCompressorStartCurve, kCompressorStartOperatingPoint);
    EXPECT_EQ(curve->Count(), 4);
    EXPECT_EQ(point->Count(), 1);
    EXPECT_EQ(plot.GetXAxis(0)->Min(), -100);
    ReplaceTransferPoints(plot, kCompressorStartCurve, {0, -3});
    EXPECT_EQ(curve->Count(), 4);
    EXPECT_EQ(point->GetDataX(0), 0);
}

TEST(PlotTransferTest, GatePlotWithItsStartPoints) {
    TiXYPlot plot(nullptr);
    ConfigureTransferPlot(plot);
    plot.SetBounds(0, 0, kGatePlotWidth, kTransferPlotHeight);
    ReplaceTransferPoints(plot, kGateStartCurve, kGateStartOperatingPoint);
    test::ExpectGolden(plot, "transfer_gate_855x230");
}

TEST(PlotTransferTest, CompressorPlotWithAKneeAndItsOperatingPoint) {
    TiXYPlot plot(nullptr);
    ConfigureTransferPlot(plot);
    plot.SetBounds(0, 0, kCompressorPlotWidth, kTransferPlotHeight);
    // Threshold -30 dB, ratio 4, knee 6 dB, as the compressor page computes its four points.
    const double t = -30;
    const double k = 6;
    const double r = 4;
    const TiDoublePoint curve[] = {
        {20, t + (20 - t) / r}, {t + k, t + k / r}, {t - k, t - k}, {-100, -100}};
    ReplaceTransferPoints(plot, curve, {t + 0.2, t - 0.4});
    test::ExpectGolden(plot, "transfer_compressor_620x230");
}

// A plot that counts its paints.
class TCountingXYPlot : public TiXYPlot {
public:
    using TiXYPlot::TiXYPlot;
    void RepaintNow() override {
        ++paints;
        TiXYPlot::RepaintNow();
    }
    int paints = 0;
};

TEST(PlotTransferTest, BurstOfPointChangesPaintsOncePerFrame) {
    TManualClock clock;
    TCountingXYPlot plot(nullptr);
    ConfigureTransferPlot(plot);
    plot.SetBounds(0, 0, kCompressorPlotWidth, kTransferPlotHeight);
    plot.RepaintNow();
    plot.paints = 0;

    // Inside the frame gap: nothing now, one paint at the end of the gap.
    clock.Advance(milliseconds(5));
    ReplaceTransferPoints(plot, kCompressorStartCurve, {0, 0});
    // Once a repaint is pending, changing points reads no clock.
    const std::uint64_t reads = clock.TimeReads();
    for (int burst = 1; burst < 10; ++burst) {
        ReplaceTransferPoints(plot, kCompressorStartCurve, {burst * 1.0, burst * 1.0});
    }
    EXPECT_EQ(clock.TimeReads(), reads);
    EXPECT_EQ(plot.paints, 0);
    EXPECT_TRUE(plot.GetNeedsRepaint());
    clock.Advance(milliseconds(12));
    EXPECT_EQ(plot.paints, 1);
    EXPECT_FALSE(plot.GetNeedsRepaint());

    // After the gap: the first change paints at once, the rest of the burst waits one frame.
    clock.Advance(milliseconds(40));
    ReplaceTransferPoints(plot, kGateStartCurve, kGateStartOperatingPoint);
    EXPECT_EQ(plot.paints, 2);
    EXPECT_TRUE(plot.GetNeedsRepaint());
    clock.Advance(milliseconds(17));
    EXPECT_EQ(plot.paints, 3);
    clock.Advance(milliseconds(2000));
    EXPECT_EQ(plot.paints, 3);
}

}  // namespace
}  // namespace dsp
