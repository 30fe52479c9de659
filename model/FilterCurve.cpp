#include "model/FilterCurve.h"

#include <cmath>
#include <limits>
#include <numbers>

#include "model/Constants.h"
#include "model/CurveKernel.h"

namespace dsp {

namespace {

// Every coefficient divided by the normaliser d.
BiquadCoefficients Normalised(double d, double b0, double b1, double b2, double a1, double a2) {
    return {b0 / d, b1 / d, b2 / d, a1 / d, a2 / d};
}

bool IsDesignedKind(std::int32_t kind) { return kind >= fkPeak && kind <= fkAllpass2; }

}  // namespace

ComplexValue ComplexAdd(double re1, double im1, double re2, double im2) {
    return {re1 + re2, im1 + im2};
}

double ComplexMagnitude(double re, double im) {
    const double squares = re * re + im * im;
    if (squares >= std::numeric_limits<double>::min() &&
        squares <= std::numeric_limits<double>::max()) {
        return std::sqrt(squares);
    }
    // The squares overflowed or lost their precision below the normal range (or a part is not
    // finite): the library's scaled form.
    return std::hypot(re, im);
}

PhaseFold PhaseFoldOf(std::int32_t kind, double gainDb) {
    switch (kind) {
        case fkHighPass2:
        case fkAllpass1:
        case fkHighPassProto2:
        case fkHighPassProto2b: return PhaseFold::LiftNegative;
        case fkLowPass2:
        case fkLowPassProto2:
        case fkLowPassProto2b: return PhaseFold::DropPositive;
        case fkAllpass2: return PhaseFold::Allpass2;
        case fkLowShelf:
            if (gainDb > 0) return PhaseFold::DropPositive;
            if (gainDb < 0) return PhaseFold::LiftNegative;
            return PhaseFold::None;
        case fkHighShelf:
            if (gainDb > 0) return PhaseFold::LiftNegative;
            if (gainDb < 0) return PhaseFold::DropPositive;
            return PhaseFold::None;
        default: return PhaseFold::None;
    }
}

double FoldPhase(PhaseFold fold, double v, double freqHz, double centreHz) {
    switch (fold) {
        case PhaseFold::None: break;
        case PhaseFold::LiftNegative:
            if (v < 0) v += 18;
            break;
        case PhaseFold::DropPositive:
            if (v > 0) v -= 18;
            break;
        case PhaseFold::Allpass2:
            if (v > 0) v -= 18;
            if (freqHz > centreHz) v += 18;
            break;
    }
    return v;
}

void FilterCurve::SetFilter(double gainDb, double freqHz, double q, std::int32_t kind) {
    GainDb = gainDb;
    FreqHz = freqHz;
    Qf = q;
    Kind = kind;
    ComputeResponse();
}

void FilterCurve::SetSection(double gainDb, double freqHz, double q, std::int32_t kind, float a,
                             float b) {
    ProtoA = a;
    ProtoB = b;
    SetFilter(gainDb, freqHz, q, kind);
}

void FilterCurve::ComputeResponse() {
    if (Kind == fkFlat || !IsDesignedKind(Kind)) {
        // Unity: 0 dB and no phase at every point, exactly what the evaluation would give.
        Points.fill(0.0);
        return;
    }
    const BiquadCoefficients c = DesignBiquad();
    if (ShowPhase != 0) {
        ComputePhase(c);
    } else {
        ComputeMagnitude(c);
    }
}

// The expressions keep the grouping of the design formulas as written, term by term from the
// left, so that the coefficients are the same bits a direct evaluation of the formulas gives.
BiquadCoefficients FilterCurve::DesignBiquad() const {
    const double K = std::tan(std::numbers::pi * FreqHz / ResponseSampleRateHz);
    const double K2 = K * K;
    const double Q = Qf;
    const double V = std::pow(10.0, std::fabs(GainDb) / 20.0);
    const double sqrtV = std::sqrt(V);
    const double a = ProtoA;
    const double b = ProtoB;
    const bool boost = GainDb >= 0;

    switch (Kind) {
        case fkPeak:
            if (boost) {
                return Normalised(K2 + K / Q + 1, K2 + V * K / Q + 1, 2 * (K2 - 1),
                                  K2 + 1 - V * K / Q, 2 * (K2 - 1), K2 + 1 - K / Q);
            }
            return Normalised(K2 + V * K / Q + 1, K2 + K / Q + 1, 2 * (K2 - 1), K2 + 1 - K / Q,
                              2 * (K2 - 1), K2 + 1 - V * K / Q);
        case fkLowShelf:
            if (boost) {
                return Normalised(K2 + K / Q + 1, V * K2 + sqrtV * K / Q + 1, 2 * (V * K2 - 1),
                                  V * K2 + 1 - sqrtV * K / Q, 2 * (K2 - 1), K2 + 1 - K / Q);
            }
            return Normalised(V * K2 + sqrtV * K / Q + 1, K2 + K / Q + 1, 2 * (K2 - 1),
                              K2 + 1 - K / Q, 2 * (V * K2 - 1), V * K2 + 1 - sqrtV * K / Q);
        case fkHighShelf: {
            if (boost) {
                return Normalised(K2 + K / Q + 1, K2 + sqrtV * K / Q + V, 2 * (K2 - V),
                                  K2 + V - sqrtV * K / Q, 2 * (K2 - 1), K2 + 1 - K / Q);
            }
            // A cut needs two normalisers: the numerator's and the denominator's own.
            const double d1 = K2 + sqrtV * K / Q + V;
            const double sqrtInvV = std::sqrt(1 / V);
            const double d2 = K2 / V + sqrtInvV * K / Q + 1;
            return {(K2 + K / Q + 1) / d1, 2 * (K2 - 1) / d1, (K2 + 1 - K / Q) / d1,
                    2 * (K2 / V - 1) / d2, (K2 / V + 1 - sqrtInvV * K / Q) / d2};
        }
        case fkHighPass2: return Normalised(K2 + K / Q + 1, 1, -2, 1, 2 * (K2 - 1), K2 + 1 - K / Q);
        case fkLowPass2:
            return Normalised(K2 + K / Q + 1, K2, 2 * K2, K2, 2 * (K2 - 1), K2 + 1 - K / Q);
        case fkBandPass2:
            return Normalised(Q * K2 + K + Q, 2 * K, 0, -2 * K, 2 * Q * (K2 - 1), Q * K2 + Q - K);
        case fkAllpass1: return {(1 - K) / (1 + K), -1, 0, (K - 1) / (1 + K), 0};
        case fkLowPass1: return Normalised(K + 1, K, K, 0, K - 1, 0);
        case fkHighPass1: return Normalised(K + 1, -1, 1, 0, K - 1, 0);
        case fkLowPassProto1: {
            const double u = K / a;
            return Normalised(u + 1, u, u, 0, u - 1, 0);
        }
        case fkLowPassProto2:
            return Normalised(K2 + a * K + 1, K2, 2 * K2, K2, 2 * (K2 - 1), K2 + 1 - a * K);
        case fkLowPassProto2b:
            return Normalised(K2 / b + (a / b) * K + 1, K2 / b, 2 * K2 / b, K2 / b,
                              2 * (K2 / b - 1), K2 / b + 1 - (a / b) * K);
        case fkHighPassProto1: return Normalised(a * K + 1, 1, -1, 0, a * K - 1, 0);
        case fkHighPassProto2:
            return Normalised(K2 + a * K + 1, 1, -2, 1, 2 * (K2 - 1), K2 + 1 - a * K);
        case fkHighPassProto2b:
            return Normalised(b * K2 + a * K + 1, 1, -2, 1, 2 * (b * K2 - 1), b * K2 + 1 - a * K);
        case fkAllpass2:
            return Normalised(K2 + K / Q + 1, K2 + 1 - K / Q, 2 * (K2 - 1), K2 + K / Q + 1,
                              2 * (K2 - 1), K2 + 1 - K / Q);
        default: return {};
    }
}

// 20 log10(|B| / |A|), taken as 10 log10(|B|^2 / |A|^2): one logarithm per point.
void FilterCurve::ComputeMagnitude(const BiquadCoefficients& c) {
    CurveMagnitudeDb(c, ResponseGrid(), Points.data());
}

// The phase of B/A from the single-argument arctangent of Im(B/A) / Re(B/A), in units where
// 18 is 180 degrees, folded per kind.
void FilterCurve::ComputePhase(const BiquadCoefficients& c) {
    CurvePhase(c, PhaseFoldOf(Kind, GainDb), FreqHz, ResponseGrid(), Points.data());
}

}  // namespace dsp
