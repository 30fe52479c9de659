// A Plot's curve slots, its channel total and what it draws on its response view.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "framework/core/Exceptions.h"
#include "model/Plot.h"
#include "model/ResponseTables.h"
#include "tests/model/PlotRecordingView.h"

namespace dsp {
namespace {

using testing_support::RecordingView;

class PlotTest : public testing::Test {
protected:
    RecordingView view_;
    Plot plot_{&view_};

    // Fills a slot's points directly, as the overlay copies do.
    void FillSlot(int n, double value) { plot_.Curve(n).Points.fill(value); }
};

TEST_F(PlotTest, StartsWith27FlatSlotsInMagnitudeModeWithoutDrawing) {
    EXPECT_EQ(plot_.CurveCount(), 27);
    EXPECT_EQ(plot_.GetPhaseMode(), 0);
    EXPECT_EQ(plot_.View(), &view_);
    for (int n = 0; n < plot_.CurveCount(); ++n) {
        FilterCurve& curve = plot_.Curve(n);
        EXPECT_EQ(curve.Kind, fkHighShelf) << n;
        EXPECT_EQ(curve.FreqHz, 1000.0) << n;
        EXPECT_EQ(curve.GainDb, 0.0) << n;
        EXPECT_EQ(curve.Qf, 0.4) << n;
        for (double p : curve.Points) ASSERT_EQ(p, 0.0) << "slot " << n;
        curve.ShowPhase = 1;
        curve.ComputeResponse();
        for (double p : curve.Points) ASSERT_EQ(p, 0.0) << "slot " << n << " in phase";
    }
    EXPECT_TRUE(view_.calls.empty());
}

TEST_F(PlotTest, SlotsOutsideTheTableAreAListError) {
    EXPECT_THROW(plot_.Curve(-1), EListError);
    EXPECT_THROW(plot_.Curve(27), EListError);
    const Plot& constant = plot_;
    EXPECT_THROW(constant.Curve(27), EListError);
}

TEST_F(PlotTest, PhaseModeSwitchesEveryCurveAndLeavesThePointsForTheCaller) {
    plot_.Curve(3).SetFilter(6.0, 500.0, 2.0, fkPeak);
    const auto before = plot_.Curve(3).Points;

    plot_.SetPhaseMode(1);
    EXPECT_EQ(plot_.GetPhaseMode(), 1);
    for (int n = 0; n < plot_.CurveCount(); ++n) EXPECT_EQ(plot_.Curve(n).ShowPhase, 1) << n;
    EXPECT_EQ(plot_.Curve(3).Points, before);

    plot_.Curve(3).ComputeResponse();  // the caller's recompute now gives phase
    EXPECT_NE(plot_.Curve(3).Points, before);
    plot_.SetPhaseMode(0);
    for (int n = 0; n < plot_.CurveCount(); ++n) EXPECT_EQ(plot_.Curve(n).ShowPhase, 0) << n;
}

TEST_F(PlotTest, BandMarkerSitsAtTheCurvesFrequencyWithTheGivenGainAndCarriesTheCurve) {
    struct Case {
        int n;
        double freqHz;
        double curveGain;
        std::int32_t kind;
        double markerGain;  // a bypassed band keeps its marker at its own gain
        int type;
        double x;  // position on the 4096-point axis
        ViewColour colour;
    };
    const Case cases[] = {
        {0, 1000.0, 4.5, fkPeak, 4.5, BlockBand, 2624.94, 0x0000FF},
        {8, 48000.0, 0.0, fkFlat, -7.5, BlockBand, 4096.0, 0x808000},
        {Plot::HighPassTotalSlot, 1.0, 0.0, fkHighPassProto2, 0.0, BlockHighPassHandle, 0.0,
         0xF0FBFF},
        // The colour table ends at slot 10; the low-pass handle takes its last colour.
        {Plot::LowPassTotalSlot, 100.0, 0.0, fkLowPassProto2, 0.0, BlockLowPassHandle, 1749.96,
         0xF0FBFF},
    };
    for (const Case& c : cases) {
        view_.blocks.clear();
        view_.blockParameters.clear();
        view_.calls.clear();
        plot_.Curve(c.n).SetFilter(c.curveGain, c.freqHz, 2.5, c.kind);
        plot_.DrawBandMarker(c.n, c.markerGain, c.type);

        ASSERT_EQ(view_.calls, (std::vector<std::string>{"DrawBlock", "SetBlockParameter"}));
        const auto& block = view_.blocks[0];
        EXPECT_EQ(block.y, c.markerGain) << c.n;
        EXPECT_NEAR(block.x, c.x, 0.01) << c.n;
        EXPECT_EQ(block.colour, c.colour) << c.n;
        EXPECT_EQ(block.n, c.n);
        EXPECT_FALSE(block.hidden);
        EXPECT_EQ(block.type, c.type);
        const auto& parameters = view_.blockParameters[0];
        EXPECT_EQ(parameters.n, c.n);
        EXPECT_EQ(parameters.freqHz, c.freqHz);
        EXPECT_EQ(parameters.gainDb, c.curveGain);
        EXPECT_EQ(parameters.q, 2.5);
        EXPECT_EQ(parameters.kind, c.kind);
    }
}

TEST_F(PlotTest, TotalIsTheSumOfBandsAndCrossoverTotalsDrawnInTheChannelColour) {
    for (int n = 0; n <= 11; ++n) FillSlot(n, n + 1);   // 1 + 2 + ... + 12 = 78
    FillSlot(Plot::ChannelTotalSlot, 1000.0);           // the old total does not count
    for (int n = 13; n < 27; ++n) FillSlot(n, 1000.0);  // nor sections and overlays

    const struct {
        int c;
        ViewColour colour;
    } cases[] = {{0, 0x800080}, {4, 0x00FF00}, {8, 0xFFFF00}, {10, 0xF0FBFF}};
    for (const auto& c : cases) {
        view_.curves.clear();
        plot_.UpdateTotalCurve(c.c);
        for (double p : plot_.Curve(Plot::ChannelTotalSlot).Points) ASSERT_EQ(p, 78.0);
        ASSERT_EQ(view_.curves.size(), 1u);
        EXPECT_EQ(view_.curves[0].id, Plot::ChannelTotalSlot);
        EXPECT_EQ(view_.curves[0].colour, c.colour);
        EXPECT_EQ(view_.curves[0].style, mpsLine);
        EXPECT_EQ(view_.curves[0].points.size(), 4096u);
        EXPECT_EQ(view_.curves[0].points.front(), 78.0);
    }
}

TEST_F(PlotTest, TotalOfAPlotNumberWithoutAColourIsComputedButNotDrawn) {
    FillSlot(2, -4.0);
    for (int c : {-1, 11}) {
        plot_.UpdateTotalCurve(c);
        EXPECT_EQ(plot_.Curve(Plot::ChannelTotalSlot).Points[100], -4.0);
    }
    EXPECT_TRUE(view_.calls.empty());
}

// In phase mode every sum comes back into -18 to 18, however many half turns the twelve slots
// add up to; in magnitude mode sums are left alone.
TEST_F(PlotTest, TotalInPhaseModeWrapsEverySumIntoHalfATurnEachWay) {
    const struct {
        double sum;
        double phase;
        double magnitude;
    } cases[] = {
        {0, 0, 0},      {18, 18, 18},  {-18, -18, -18}, {20, -16, 20},
        {-20, 16, -20}, {54, 18, 54},  {60, -12, 60},   {-100, 8, -100},
        {100, -8, 100}, {216, 0, 216}, {-210, 6, -210},
    };
    for (std::uint8_t mode : {1, 0}) {
        plot_.SetPhaseMode(mode);
        for (const auto& c : cases) {
            // Spread the sum over all twelve slots, as twelve curves of up to half a turn would.
            for (int n = 0; n <= 11; ++n) FillSlot(n, c.sum / 12);
            plot_.UpdateTotalCurve(0);
            const double expected = mode != 0 ? c.phase : c.magnitude;
            EXPECT_NEAR(plot_.Curve(Plot::ChannelTotalSlot).Points[7], expected, 1e-9)
                << "sum " << c.sum << ", mode " << int(mode);
        }
    }
}

TEST_F(PlotTest, TotalOfRealPhaseCurvesStaysWithinHalfATurn) {
    plot_.SetPhaseMode(1);
    // Twelve high-passes near the top of the band: each close to half a turn down low.
    for (int n = 0; n <= 11; ++n) plot_.Curve(n).SetFilter(0.0, 18000.0, 0.5 + n, fkHighPass2);
    plot_.UpdateTotalCurve(3);
    double raw = 0;
    for (int n = 0; n <= 11; ++n) raw += plot_.Curve(n).Points[10];
    EXPECT_GT(raw, 54.0);  // beyond what two folds could bring back
    for (double p : plot_.Curve(Plot::ChannelTotalSlot).Points) {
        ASSERT_GE(p, -18.0);
        ASSERT_LE(p, 18.0);
    }
    const double turns = (raw - plot_.Curve(Plot::ChannelTotalSlot).Points[10]) / 36;
    EXPECT_NEAR(turns, std::round(turns), 1e-9);
}

TEST_F(PlotTest, ShowAndHideCurveDrawAndRemoveTheSlotsPlot) {
    plot_.Curve(20).SetFilter(-6.0, 2000.0, 1.0, fkLowShelf);
    plot_.ShowCurve(20, 0x123456);
    ASSERT_EQ(view_.curves.size(), 1u);
    EXPECT_EQ(view_.curves[0].id, 20);
    EXPECT_EQ(view_.curves[0].colour, 0x123456);
    EXPECT_EQ(view_.curves[0].style, mpsLine);
    EXPECT_EQ(view_.curves[0].points,
              std::vector<double>(plot_.Curve(20).Points.begin(), plot_.Curve(20).Points.end()));

    plot_.HideCurve(20);
    EXPECT_EQ(view_.removed, std::vector<int>{20});

    plot_.ShowCurve(27, 0);  // no such slot: nothing drawn
    plot_.ShowCurve(-1, 0);
    EXPECT_EQ(view_.curves.size(), 1u);
}

TEST_F(PlotTest, SelectedBandShowsCaptionsThenTheFilledCurveThenSwitchesTheDisplayOn) {
    plot_.Curve(5).SetFilter(3.0, 1000.0, 4.0, fkPeak);
    plot_.ShowSelectedBand(ptPeak, 5, 3.2, 4.5, true);

    EXPECT_EQ(view_.calls,
              (std::vector<std::string>{"DrawParam", "DrawCurveFill", "SetCurveDisplay"}));
    const auto& param = view_.params.at(0);
    EXPECT_EQ(param.kind, ptPeak);
    EXPECT_EQ(param.gainDb, 3.2);  // the given gain and Q, not the curve's
    EXPECT_EQ(param.q, 4.5);
    EXPECT_NEAR(param.x, 2624.94, 0.01);
    EXPECT_EQ(param.freqHz, 1000.0f);
    EXPECT_EQ(param.colour, 0x00FFFF);
    EXPECT_EQ(view_.fills.at(0).kind, ptPeak);
    EXPECT_EQ(view_.fills.at(0).values,
              std::vector<double>(plot_.Curve(5).Points.begin(), plot_.Curve(5).Points.end()));
    EXPECT_EQ(view_.curveDisplay, std::vector<bool>{true});
}

TEST_F(PlotTest, SelectedBandWithANegativeSlotShowsSlotZero) {
    plot_.Curve(0).SetFilter(-5.0, 63.0, 1.0, fkLowShelf);
    plot_.ShowSelectedBand(ptLowShelf, -3, -5.0, 1.0, true);
    ASSERT_EQ(view_.params.size(), 1u);
    EXPECT_EQ(view_.params[0].freqHz, 63.0f);
    EXPECT_EQ(view_.fills.at(0).values.front(), plot_.Curve(0).Points.front());
}

TEST_F(PlotTest, SelectedBandSwitchedOffOnlyStopsTheDisplay) {
    plot_.ShowSelectedBand(ptPeak, 2, 1.0, 1.0, false);
    EXPECT_EQ(view_.calls, std::vector<std::string>{"SetCurveDisplay"});
    EXPECT_EQ(view_.curveDisplay, std::vector<bool>{false});

    view_.calls.clear();
    plot_.ShowSelectedBand(ptPeak, 40, 1.0, 1.0, true);  // no such slot
    EXPECT_TRUE(view_.calls.empty());
}

TEST(PlotWithoutView, ComputesEverythingAndDrawsNothing) {
    Plot plot(nullptr);
    plot.Curve(1).SetFilter(6.0, 1000.0, 1.0, fkPeak);
    plot.DrawBandMarker(1, 6.0, BlockBand);
    plot.ShowCurve(1, 0);
    plot.HideCurve(1);
    plot.ShowSelectedBand(ptPeak, 1, 6.0, 1.0, true);
    plot.ShowSelectedBand(ptPeak, 1, 6.0, 1.0, false);
    plot.UpdateTotalCurve(0);
    EXPECT_EQ(plot.Curve(Plot::ChannelTotalSlot).Points[2625], plot.Curve(1).Points[2625]);
}

}  // namespace
}  // namespace dsp
