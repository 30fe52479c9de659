// Compiled once per instruction set by the SIMD library's dispatch (this file includes itself
// through hwy/foreach_target.h), and without contraction of multiplies and adds into fused
// multiply-adds (see CMakeLists.txt): a fused operation rounds once where the point-by-point
// evaluation rounds twice, and near 0 Hz, where a high-pass numerator cancels to 1e-9 of its
// terms, that one rounding moves the curve by 1e-7 dB.

#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "model/CurveKernel.cpp"
#include <hwy/foreach_target.h>  // IWYU pragma: keep

#include <hwy/contrib/math/math-inl.h>
#include <hwy/highway.h>

#include <cmath>
#include <cstddef>
#include <limits>
#include <numbers>

#include "model/Constants.h"
#include "model/CurveKernel.h"

#ifndef DSP_MODEL_CURVE_KERNEL_CONSTANTS
#define DSP_MODEL_CURVE_KERNEL_CONSTANTS
namespace dsp::curve_kernel {

constexpr double kDbPerNeper = 10.0 / std::numbers::ln10;  // 10 log10(x) = kDbPerNeper ln(x)
constexpr double kPhaseUnitsPerRadian = static_cast<double>(PhaseScale);
// The vectorised logarithm takes positive normal numbers; anything else (0, below the normal
// range, infinity, not a number) goes to the library's scalar logarithm.
constexpr double kSmallestNormal = std::numeric_limits<double>::min();
constexpr double kLargestFinite = std::numeric_limits<double>::max();

}  // namespace dsp::curve_kernel
#endif

HWY_BEFORE_NAMESPACE();
namespace dsp {
namespace HWY_NAMESPACE {

namespace hn = hwy::HWY_NAMESPACE;
using D = hn::ScalableTag<double>;
using V = hn::Vec<D>;

// Whether the logarithm and arctangent are taken in vectors. On the x86 targets of one or two
// lanes, which have no conversion between 64-bit integers and doubles, the vector functions lose
// to the C library's scalar ones (measured: a curve 18 us against 21 us on SSE4, 22 us against
// 36 us without vectors); there the vector pass only stores the ratios or tangents, and the
// scalar functions follow in a pass of their own.
#if HWY_TARGET == HWY_SCALAR || HWY_TARGET == HWY_EMU128 || HWY_TARGET == HWY_SSSE3 || \
    HWY_TARGET == HWY_SSE4
constexpr bool kVectorMath = false;
#else
constexpr bool kVectorMath = true;
#endif

// The five coefficients, once per curve in every lane.
struct Coefficients {
    V b0, b1, b2, a1, a2, one;
};

Coefficients Broadcast(D d, const BiquadCoefficients& c) {
    return {hn::Set(d, c.b0), hn::Set(d, c.b1), hn::Set(d, c.b2),
            hn::Set(d, c.a1), hn::Set(d, c.a2), hn::Set(d, 1.0)};
}

struct Sums {
    V br, bi, ar, ai;
};

// B = b0 + b1 e^-jw + b2 e^-2jw and A = 1 + a1 e^-jw + a2 e^-2jw at the points i to i + N - 1,
// each part summed from the left as the direct evaluation sums it.
HWY_INLINE Sums Evaluate(D d, const Coefficients& k, const FrequencyGrid& grid, std::size_t i) {
    const V cos1 = hn::LoadU(d, grid.cos1.data() + i);
    const V sin1 = hn::LoadU(d, grid.sin1.data() + i);
    const V cos2 = hn::LoadU(d, grid.cos2.data() + i);
    const V sin2 = hn::LoadU(d, grid.sin2.data() + i);
    return {hn::Add(hn::Add(k.b0, hn::Mul(k.b1, cos1)), hn::Mul(k.b2, cos2)),
            hn::Add(hn::Mul(k.b1, sin1), hn::Mul(k.b2, sin2)),
            hn::Add(hn::Add(k.one, hn::Mul(k.a1, cos1)), hn::Mul(k.a2, cos2)),
            hn::Add(hn::Mul(k.a1, sin1), hn::Mul(k.a2, sin2))};
}

// |B|^2 / |A|^2, whose one logarithm gives 20 log10(|B| / |A|).
HWY_INLINE V PowerRatio(const Sums& s) {
    return hn::Div(hn::Add(hn::Mul(s.br, s.br), hn::Mul(s.bi, s.bi)),
                   hn::Add(hn::Mul(s.ar, s.ar), hn::Mul(s.ai, s.ai)));
}

// Im(B/A) / Re(B/A), from B times the conjugate of A: the common |A|^2 cancels.
HWY_INLINE V Tangent(const Sums& s) {
    return hn::Div(hn::Sub(hn::Mul(s.bi, s.ar), hn::Mul(s.br, s.ai)),
                   hn::Add(hn::Mul(s.br, s.ar), hn::Mul(s.bi, s.ai)));
}

void MagnitudeDb(const BiquadCoefficients& c, const FrequencyGrid& grid, double* HWY_RESTRICT out) {
    const D d;
    const std::size_t n = hn::Lanes(d);  // a power of two, so it divides the 4096 points
    const Coefficients k = Broadcast(d, c);
    if constexpr (!kVectorMath) {
        for (std::size_t i = 0; i < CurvePointCount; i += n) {
            hn::StoreU(PowerRatio(Evaluate(d, k, grid, i)), d, out + i);
        }
        for (std::size_t i = 0; i < CurvePointCount; ++i) {
            out[i] = curve_kernel::kDbPerNeper * std::log(out[i]);
        }
        return;
    }
    const V scale = hn::Set(d, curve_kernel::kDbPerNeper);
    const V smallest = hn::Set(d, curve_kernel::kSmallestNormal);
    const V largest = hn::Set(d, curve_kernel::kLargestFinite);
    HWY_ALIGN double ratios[hn::MaxLanes(D())];
    for (std::size_t i = 0; i < CurvePointCount; i += n) {
        const V ratio = PowerRatio(Evaluate(d, k, grid, i));
        hn::StoreU(hn::Mul(scale, hn::Log(d, ratio)), d, out + i);
        const auto normal = hn::And(hn::Ge(ratio, smallest), hn::Le(ratio, largest));
        if (HWY_UNLIKELY(!hn::AllTrue(d, normal))) {
            hn::Store(ratio, d, ratios);
            for (std::size_t lane = 0; lane < n; ++lane) {
                const double r = ratios[lane];
                if (!(r >= curve_kernel::kSmallestNormal && r <= curve_kernel::kLargestFinite)) {
                    out[i + lane] = curve_kernel::kDbPerNeper * std::log(r);
                }
            }
        }
    }
}

// The phase of B/A folded by the kind's rule; the fold is chosen once per curve.
template <PhaseFold Fold>
void FoldedPhase(const BiquadCoefficients& c, double centreHz, const FrequencyGrid& grid,
                 double* HWY_RESTRICT out) {
    const D d;
    const std::size_t n = hn::Lanes(d);
    const Coefficients k = Broadcast(d, c);
    if constexpr (!kVectorMath) {
        for (std::size_t i = 0; i < CurvePointCount; i += n) {
            hn::StoreU(Tangent(Evaluate(d, k, grid, i)), d, out + i);
        }
        for (std::size_t i = 0; i < CurvePointCount; ++i) {
            out[i] = FoldPhase(Fold, std::atan(out[i]) * curve_kernel::kPhaseUnitsPerRadian,
                               grid.freqHz[i], centreHz);
        }
        return;
    }
    const V units = hn::Set(d, curve_kernel::kPhaseUnitsPerRadian);
    const V zero = hn::Zero(d);
    const V halfTurn = hn::Set(d, 18.0);
    const V centre = hn::Set(d, centreHz);
    const V infinity = hn::Set(d, std::numeric_limits<double>::infinity());
    HWY_ALIGN double tangents[hn::MaxLanes(D())];
    HWY_ALIGN double angles[hn::MaxLanes(D())];
    for (std::size_t i = 0; i < CurvePointCount; i += n) {
        const V tangent = Tangent(Evaluate(d, k, grid, i));
        V angle = hn::Atan(d, tangent);
        if (HWY_UNLIKELY(!hn::AllTrue(d, hn::Lt(hn::Abs(tangent), infinity)))) {
            // An infinite or undefined tangent: the library's scalar arctangent says what it is.
            hn::Store(tangent, d, tangents);
            hn::Store(angle, d, angles);
            for (std::size_t lane = 0; lane < n; ++lane) {
                if (!std::isfinite(tangents[lane])) angles[lane] = std::atan(tangents[lane]);
            }
            angle = hn::Load(d, angles);
        }
        V v = hn::Mul(angle, units);
        if constexpr (Fold == PhaseFold::LiftNegative) {
            v = hn::IfThenElse(hn::Lt(v, zero), hn::Add(v, halfTurn), v);
        }
        if constexpr (Fold == PhaseFold::DropPositive || Fold == PhaseFold::Allpass2) {
            v = hn::IfThenElse(hn::Gt(v, zero), hn::Sub(v, halfTurn), v);
        }
        if constexpr (Fold == PhaseFold::Allpass2) {
            const V freq = hn::LoadU(d, grid.freqHz.data() + i);
            v = hn::IfThenElse(hn::Gt(freq, centre), hn::Add(v, halfTurn), v);
        }
        hn::StoreU(v, d, out + i);
    }
}

void Phase(const BiquadCoefficients& c, PhaseFold fold, double centreHz, const FrequencyGrid& grid,
           double* HWY_RESTRICT out) {
    switch (fold) {
        case PhaseFold::None: return FoldedPhase<PhaseFold::None>(c, centreHz, grid, out);
        case PhaseFold::LiftNegative:
            return FoldedPhase<PhaseFold::LiftNegative>(c, centreHz, grid, out);
        case PhaseFold::DropPositive:
            return FoldedPhase<PhaseFold::DropPositive>(c, centreHz, grid, out);
        case PhaseFold::Allpass2: return FoldedPhase<PhaseFold::Allpass2>(c, centreHz, grid, out);
    }
}

// The instruction set this copy of the code was compiled for.
CurveInstructionSet CompiledFor() { return HWY_TARGET; }

}  // namespace HWY_NAMESPACE
}  // namespace dsp
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace dsp {

HWY_EXPORT(MagnitudeDb);
HWY_EXPORT(Phase);
HWY_EXPORT(CompiledFor);

void CurveMagnitudeDb(const BiquadCoefficients& c, const FrequencyGrid& grid, double* out) {
    HWY_DYNAMIC_DISPATCH(MagnitudeDb)(c, grid, out);
}

void CurvePhase(const BiquadCoefficients& c, PhaseFold fold, double centreHz,
                const FrequencyGrid& grid, double* out) {
    HWY_DYNAMIC_DISPATCH(Phase)(c, fold, centreHz, grid, out);
}

std::vector<CurveInstructionSet> CurveInstructionSets() {
    // Better instruction sets have lower bits.
    std::vector<CurveInstructionSet> sets;
    for (const std::int64_t set : hwy::SupportedAndGeneratedTargets()) sets.push_back(set);
    return sets;
}

CurveInstructionSet ChosenCurveInstructionSet() { return HWY_DYNAMIC_DISPATCH(CompiledFor)(); }

std::string CurveInstructionSetName(CurveInstructionSet set) { return hwy::TargetName(set); }

void RestrictCurveInstructionSet(CurveInstructionSet set) { hwy::SetSupportedTargetsForTest(set); }

}  // namespace dsp
#endif
