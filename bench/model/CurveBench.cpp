// Curve computation speed.
//
// BM_Curve sets one section after another over every kind and computes its 4096 points three ways,
// side by side in the same iterations: the response calculator (FilterCurve), a plain per-point
// evaluation given the same grid (the cosines and sines of every point, so that neither side
// pays for the grid) and the same coefficients, and a reference kernel written for this
// benchmark alone and compiled for the best instruction set of the machine. The time column is
// the calculator's; the counters give each side's time per curve on its own and the ratios.
//
// CurveOnInstructionSet gives the calculator's time on each instruction set the processor runs.
//
// BM_ImageCurveArithmetic is the curve arithmetic of showing a whole image: for each of the nine
// channels, each with settings of its own, its bands, both crossover filters section by section,
// the crossover totals and the channel total. Nothing is drawn.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "bench/model/ReferenceKernel.h"
#include "model/CurveKernel.h"
#include "model/Encodings.h"
#include "model/FilterCurve.h"
#include "model/FrequencyGrid.h"
#include "model/Plot.h"
#include "model/ResponseTables.h"

namespace dsp {
namespace {

struct Setting {
    std::int32_t kind;
    double gainDb;
    double freqHz;
    double q;
    float a = 0.0f;
    float b = 0.0f;
};

// Every kind but the flat one, over the ranges bands and crossover sections take.
const Setting kSettings[] = {
    {fkPeak, 6.0, 1000.0, 1.0},
    {fkPeak, -12.0, 40.3, 128.0},
    {fkLowShelf, 4.5, 101.5, 0.71},
    {fkHighShelf, -7.0, 10079.0, 0.4},
    {fkHighPass2, 0.0, 19.69, 0.71},
    {fkLowPass2, 0.0, 14254.0, 3.0},
    {fkBandPass2, 0.0, 500.0, 2.0},
    {fkAllpass1, 0.0, 758.0, 3.0},
    {fkLowPass1, 0.0, 3000.0, 1.0},
    {fkHighPass1, 0.0, 60.0, 1.0},
    {fkLowPassProto1, 0.0, 2000.0, 0.05, 0.5937f},
    {fkLowPassProto2, 0.0, 2000.0, 0.05, 1.4142f},
    {fkLowPassProto2b, 0.0, 2000.0, 0.05, 0.9754f, 0.2979f},
    {fkHighPassProto1, 0.0, 80.0, 0.05, 1.0f},
    {fkHighPassProto2, 0.0, 80.0, 0.05, 0.7654f},
    {fkHighPassProto2b, 0.0, 80.0, 0.05, 1.3397f, 0.4889f},
    {fkAllpass2, 0.0, 3325.0, 12.0},
    {fkPeak, 2.5, 20159.0, 40.0},
};

// The plain evaluation of the curve: point by point, B and A as complex sums, then
// 20 log10(|B| / |A|), or the arctangent of Im(B/A) / Re(B/A) folded for the kind.
void PerPointCurve(const BiquadCoefficients& c, bool phase, PhaseFold fold, double centreHz,
                   const FrequencyGrid& grid, double* out) {
    for (std::size_t i = 0; i < CurvePointCount; ++i) {
        ComplexValue b{c.b0, 0.0};
        b = ComplexAdd(b.re, b.im, c.b1 * grid.cos1[i], c.b1 * grid.sin1[i]);
        b = ComplexAdd(b.re, b.im, c.b2 * grid.cos2[i], c.b2 * grid.sin2[i]);
        ComplexValue a{1.0, 0.0};
        a = ComplexAdd(a.re, a.im, c.a1 * grid.cos1[i], c.a1 * grid.sin1[i]);
        a = ComplexAdd(a.re, a.im, c.a2 * grid.cos2[i], c.a2 * grid.sin2[i]);
        if (!phase) {
            out[i] = 20.0 * std::log10(ComplexMagnitude(b.re, b.im) / ComplexMagnitude(a.re, a.im));
            continue;
        }
        const double d = a.re * a.re + a.im * a.im;
        const double re = (b.re * a.re + b.im * a.im) / d;
        const double im = (b.im * a.re - b.re * a.im) / d;
        out[i] =
            FoldPhase(fold, std::atan(im / re) * 18.0 / std::numbers::pi, grid.freqHz[i], centreHz);
    }
}

void ReferenceCurve(const BiquadCoefficients& c, bool phase, PhaseFold fold, double centreHz,
                    const FrequencyGrid& grid, double* out) {
    const double coefficients[] = {c.b0, c.b1, c.b2, c.a1, c.a2};
    const int count = static_cast<int>(CurvePointCount);
    if (!phase) {
        bench::ReferenceMagnitudeDb(coefficients, grid.cos1.data(), grid.sin1.data(),
                                    grid.cos2.data(), grid.sin2.data(), count, out);
        return;
    }
    bench::ReferencePhase(coefficients, grid.cos1.data(), grid.sin1.data(), grid.cos2.data(),
                          grid.sin2.data(), grid.freqHz.data(), static_cast<int>(fold), centreHz,
                          count, out);
}

void SetCurve(FilterCurve& curve, const Setting& s) {
    curve.GainDb = s.gainDb;
    curve.FreqHz = s.freqHz;
    curve.Qf = s.q;
    curve.Kind = s.kind;
    curve.ProtoA = s.a;
    curve.ProtoB = s.b;
}

// Largest difference between two curves; the three sides must compute the same curve.
double LargestDifference(const double* x, const double* y) {
    double largest = 0.0;
    for (std::size_t i = 0; i < CurvePointCount; ++i) {
        largest = std::max(largest, std::fabs(x[i] - y[i]));
    }
    return largest;
}

// Which instruction sets the two vectorised sides run on, in the run's context.
const bool kContextAdded = [] {
    benchmark::AddCustomContext("curve_instruction_set",
                                CurveInstructionSetName(ChosenCurveInstructionSet()));
    benchmark::AddCustomContext("reference_instruction_set", bench::ReferenceInstructionSet());
    return true;
}();

void BM_Curve(benchmark::State& state) {
    const bool phase = state.range(0) != 0;
    using Clock = std::chrono::steady_clock;
    const FrequencyGrid& grid = ResponseGrid();
    FilterCurve curve;
    curve.ShowPhase = phase ? 1 : 0;
    std::vector<double> perPoint(CurvePointCount);
    std::vector<double> reference(CurvePointCount);

    for (const Setting& s : kSettings) {
        SetCurve(curve, s);
        curve.ComputeResponse();
        const BiquadCoefficients c = curve.DesignBiquad();
        const PhaseFold fold = PhaseFoldOf(s.kind, s.gainDb);
        PerPointCurve(c, phase, fold, s.freqHz, grid, perPoint.data());
        ReferenceCurve(c, phase, fold, s.freqHz, grid, reference.data());
        if (LargestDifference(curve.Points.data(), perPoint.data()) > 1e-9 ||
            LargestDifference(curve.Points.data(), reference.data()) > 1e-6) {
            state.SkipWithError("the three evaluations disagree");
            return;
        }
    }

    Clock::duration project{};
    Clock::duration plain{};
    Clock::duration kernel{};
    std::size_t next = 0;
    for (auto _ : state) {
        const Setting& s = kSettings[next];
        next = (next + 1) % std::size(kSettings);
        SetCurve(curve, s);
        const BiquadCoefficients c = curve.DesignBiquad();
        const PhaseFold fold = PhaseFoldOf(s.kind, s.gainDb);

        const auto t0 = Clock::now();
        curve.ComputeResponse();
        benchmark::DoNotOptimize(curve.Points.data());
        benchmark::ClobberMemory();
        const auto t1 = Clock::now();
        PerPointCurve(c, phase, fold, s.freqHz, grid, perPoint.data());
        benchmark::DoNotOptimize(perPoint.data());
        benchmark::ClobberMemory();
        const auto t2 = Clock::now();
        ReferenceCurve(c, phase, fold, s.freqHz, grid, reference.data());
        benchmark::DoNotOptimize(reference.data());
        benchmark::ClobberMemory();
        const auto t3 = Clock::now();

        state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
        project += t1 - t0;
        plain += t2 - t1;
        kernel += t3 - t2;
    }
    const auto us = [&](Clock::duration d) {
        return std::chrono::duration<double, std::micro>(d).count() /
               static_cast<double>(state.iterations());
    };
    const auto ratio = [](Clock::duration x, Clock::duration y) {
        return std::chrono::duration<double>(x) / std::chrono::duration<double>(y);
    };
    state.counters["project_us"] = us(project);
    state.counters["per_point_us"] = us(plain);
    state.counters["reference_us"] = us(kernel);
    state.counters["per_point/project"] = ratio(plain, project);
    state.counters["project/reference"] = ratio(project, kernel);
}
BENCHMARK(BM_Curve)->ArgName("phase")->Arg(0)->Arg(1)->UseManualTime()->Unit(
    benchmark::kMicrosecond);

// The calculator's curve on each instruction set this processor runs, forced in turn: what a
// machine without the best of them gets.
void CurveOnInstructionSet(benchmark::State& state, CurveInstructionSet set) {
    RestrictCurveInstructionSet(set);
    FilterCurve curve;
    curve.ShowPhase = state.range(0) != 0 ? 1 : 0;
    std::size_t next = 0;
    for (auto _ : state) {
        SetCurve(curve, kSettings[next]);
        next = (next + 1) % std::size(kSettings);
        curve.ComputeResponse();
        benchmark::DoNotOptimize(curve.Points.data());
        benchmark::ClobberMemory();
    }
    RestrictCurveInstructionSet(0);
}

const bool kEachInstructionSetRegistered = [] {
    for (const CurveInstructionSet set : CurveInstructionSets()) {
        const std::string name = "CurveOnInstructionSet/" + CurveInstructionSetName(set);
        benchmark::RegisterBenchmark(name.c_str(), CurveOnInstructionSet, set)
            ->ArgName("phase")
            ->Arg(0)
            ->Arg(1)
            ->Unit(benchmark::kMicrosecond);
    }
    return true;
}();

// One crossover filter as the channel strip builds it: its sections into slots 13 to 17 and
// their sum into the filter's total (a Linkwitz-Riley filter is its Butterworth half twice).
void DesignCrossover(Plot& plot, bool highPass, int slopeCode, double cornerHz) {
    const int totalSlot = highPass ? Plot::HighPassTotalSlot : Plot::LowPassTotalSlot;
    FilterCurve& total = plot.Curve(totalSlot);
    total.SetSection(0.0, cornerHz, 0.05, fkFlat, 0, 0);
    int row = SlopeDesignRows[static_cast<std::size_t>(slopeCode)];
    if (row == 0) return;
    const int repeat = row >= FirstLinkwitzRileyRow ? 2 : 1;
    if (repeat == 2) row -= FirstLinkwitzRileyRow - FirstButterworthRow;

    const std::int32_t k1 = highPass ? fkHighPassProto1 : fkLowPassProto1;
    const std::int32_t k2 = highPass ? fkHighPassProto2 : fkLowPassProto2;
    const std::int32_t k2b = highPass ? fkHighPassProto2b : fkLowPassProto2b;
    for (std::size_t i = 0; i < CrossoverSectionCount; ++i) {
        FilterCurve& section = plot.Curve(Plot::FirstSectionSlot + static_cast<int>(i));
        float a = 0;
        float b = 0;
        std::int32_t kind = i == 0 ? k1 : k2;
        if (row >= FirstBesselRow) {
            const BesselSection& bessel =
                BesselCoefficients[static_cast<std::size_t>(row - FirstBesselRow + 1)][i];
            a = bessel.a;
            b = bessel.b;
            if (i != 0) kind = k2b;
        } else {
            a = ButterworthCoefficients[static_cast<std::size_t>(row)][i];
        }
        if (a == 0) kind = fkFlat;
        section.SetSection(0.0, cornerHz, 0.05, kind, a, b);
        for (int r = 0; r < repeat; ++r) {
            for (std::size_t p = 0; p < CurvePointCount; ++p) total.Points[p] += section.Points[p];
        }
    }
}

void BM_ImageCurveArithmetic(benchmark::State& state) {
    const std::uint8_t phase = state.range(0) != 0 ? 1 : 0;
    std::vector<std::unique_ptr<Plot>> plots;
    for (int ch = 0; ch < 9; ++ch) {
        plots.push_back(std::make_unique<Plot>(nullptr));
        plots.back()->SetPhaseMode(phase);
    }
    std::size_t curves = 0;
    for (auto _ : state) {
        for (int ch = 0; ch < 9; ++ch) {
            Plot& plot = *plots[static_cast<std::size_t>(ch)];
            // Inputs have eight bands, outputs nine; every channel its own types, frequencies,
            // gains and Qs, and on every third channel one band bypassed.
            const int bandCount = ch < 3 ? 8 : 9;
            for (int b = 0; b < bandCount; ++b) {
                const std::int32_t kind =
                    (ch % 3 == 0 && b == 4) ? fkFlat : PeqKindTable[(b + ch) % PeqTypeCount];
                const double freqHz = FreqIndexToHz((b * 37 + ch * 11) % 301);
                const double gainDb = ((b * 5 + ch * 3) % 25 - 12) * 1.0;
                const double q = QTable[static_cast<std::size_t>((b * 13 + ch * 7) % 101)];
                plot.Curve(b).SetFilter(gainDb, freqHz, q, kind);
            }
            DesignCrossover(plot, true, (ch * 3 + 1) % 21, FreqIndexToHz(20 + ch * 9));
            DesignCrossover(plot, false, (ch * 5 + 2) % 21, FreqIndexToHz(220 + ch * 7));
            plot.UpdateTotalCurve(ch);
            curves += static_cast<std::size_t>(bandCount) + 2 * CrossoverSectionCount;
        }
        benchmark::ClobberMemory();
    }
    state.counters["curves_per_image"] =
        static_cast<double>(curves) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_ImageCurveArithmetic)->ArgName("phase")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace dsp
