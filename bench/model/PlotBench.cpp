// Curve computation speed.
//
// CurveSideBySide times one 4096-point curve computed by the calculator and by the direct
// per-point evaluation (a power for the grid frequency, four cos/sin pairs, a logarithm or
// arctangent per point), alternately in the same iterations, and reports their ratio.
// AllChannelViewsAfterImage does the curve work of showing a whole image: for each of the nine
// channel views its nine bands, both crossover filters with all five sections each, the
// crossover totals and the channel total.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <vector>

#include "model/FilterCurve.h"
#include "model/Plot.h"
#include "model/ResponseTables.h"
#include "tests/model/PlotReference.h"

namespace dsp {
namespace {

// A view that draws nothing: only the calculator's own work is measured.
class SilentView : public IResponseView {
public:
    bool FFTDraw(const double*, int, int, ViewColour, TMyPlotStyle) override { return false; }
    bool RemovePlot(int) override { return false; }
    void DrawBlock(double, double, ViewColour, int, bool, int) override {}
    int SetBlockParameter(int n, double, double, double, int) override { return n; }
    void DrawParam(int, double, double, float, double, ViewColour) override {}
    void DrawCurveFill(int, const double*, int) override {}
    void SetCurveDisplay(bool) override {}
};

// Band settings that cover the kinds and ranges bands take.
const reference::Section Bands[] = {
    {fkPeak, 6.0, 1000.0, 1.0},      {fkPeak, -12.0, 40.3, 128.0},
    {fkLowShelf, 4.5, 101.5, 0.71},  {fkHighShelf, -7.0, 10079.0, 0.4},
    {fkLowPass2, 0.0, 14254.0, 3.0}, {fkHighPass2, 0.0, 19.69, 0.71},
    {fkAllpass1, 0.0, 758.0, 3.0},   {fkAllpass2, 0.0, 3325.0, 12.0},
    {fkPeak, 2.5, 20159.0, 40.0},
};

void CurveSideBySide(benchmark::State& state) {
    const bool phase = state.range(0) != 0;
    using Clock = std::chrono::steady_clock;
    Clock::duration direct{};
    Clock::duration tabled{};
    FilterCurve curve;
    curve.ShowPhase = phase ? 1 : 0;
    std::size_t band = 0;
    for (auto _ : state) {
        const reference::Section& s = Bands[band];
        band = (band + 1) % std::size(Bands);

        const auto t0 = Clock::now();
        std::vector<double> expected = reference::Curve(s, phase);
        benchmark::DoNotOptimize(expected.data());
        const auto t1 = Clock::now();
        curve.SetFilter(s.gainDb, s.freqHz, s.q, s.kind);
        benchmark::DoNotOptimize(curve.Points.data());
        benchmark::ClobberMemory();
        const auto t2 = Clock::now();

        direct += t1 - t0;
        tabled += t2 - t1;
    }
    const auto us = [&](Clock::duration d) {
        return std::chrono::duration<double, std::micro>(d).count() /
               static_cast<double>(state.iterations());
    };
    state.counters["direct_us"] = us(direct);
    state.counters["tabled_us"] = us(tabled);
    state.counters["tabled_per_direct"] =
        std::chrono::duration<double>(tabled) / std::chrono::duration<double>(direct);
}
BENCHMARK(CurveSideBySide)->ArgName("phase")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// One crossover filter as the channel strip builds it: five sections into slots 13 to 17,
// their sum into the filter's total, and its handle marker.
void DesignCrossover(Plot& plot, bool highPass, int row, double cornerHz) {
    const std::int32_t k1 = highPass ? fkHighPassProto1 : fkLowPassProto1;
    const std::int32_t k2 = highPass ? fkHighPassProto2 : fkLowPassProto2;
    const std::int32_t k2b = highPass ? fkHighPassProto2b : fkLowPassProto2b;
    const int totalSlot = highPass ? Plot::HighPassTotalSlot : Plot::LowPassTotalSlot;
    for (std::size_t i = 0; i < CrossoverSectionCount; ++i) {
        FilterCurve& section = plot.Curve(Plot::FirstSectionSlot + static_cast<int>(i));
        if (row >= FirstBesselRow) {
            const BesselSection& b = BesselCoefficients[static_cast<std::size_t>(row - 8)][i];
            if (b.a == 0) {
                section.SetSection(0.0, 1000.0, 0.05, fkFlat, 0, 0);
            } else {
                section.SetSection(0.0, cornerHz, 0.05, i == 0 ? k1 : k2b, b.a, b.b);
            }
        } else {
            const float a = ButterworthCoefficients[static_cast<std::size_t>(row)][i];
            if (a == 0) {
                section.SetSection(0.0, 1000.0, 0.05, fkFlat, 0, 0);
            } else {
                section.SetSection(0.0, cornerHz, 0.05, i == 0 ? k1 : k2, a, 0);
            }
        }
    }
    FilterCurve& total = plot.Curve(totalSlot);
    total.SetSection(0.0, cornerHz, 0.05, fkFlat, 0, 0);
    for (int s = 0; s < static_cast<int>(CrossoverSectionCount); ++s) {
        const auto& points = plot.Curve(Plot::FirstSectionSlot + s).Points;
        for (std::size_t i = 0; i < CurvePointCount; ++i) total.Points[i] += points[i];
    }
    plot.DrawBandMarker(totalSlot, 0.0, highPass ? BlockHighPassHandle : BlockLowPassHandle);
}

void AllChannelViewsAfterImage(benchmark::State& state) {
    const std::uint8_t phase = state.range(0) != 0 ? 1 : 0;
    SilentView view;
    std::vector<std::unique_ptr<Plot>> plots;
    for (int ch = 0; ch < 9; ++ch) {
        plots.push_back(std::make_unique<Plot>(&view));
        plots.back()->SetPhaseMode(phase);
    }
    for (auto _ : state) {
        for (int ch = 0; ch < 9; ++ch) {
            Plot& plot = *plots[static_cast<std::size_t>(ch)];
            for (int b = 0; b < 9; ++b) {
                const reference::Section& s = Bands[static_cast<std::size_t>(b)];
                plot.Curve(b).SetFilter(s.gainDb, s.freqHz, s.q, s.kind);
                plot.DrawBandMarker(b, s.gainDb, BlockBand);
            }
            DesignCrossover(plot, true, 8, 80.0);      // Butterworth 48 dB: four sections
            DesignCrossover(plot, false, 16, 2000.0);  // Bessel 48 dB: four sections
            plot.UpdateTotalCurve(ch);
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(AllChannelViewsAfterImage)
    ->ArgName("phase")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace dsp
