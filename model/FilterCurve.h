#pragma once
// One digital biquad section of a response view and its 4096 computed points: an EQ band, a
// crossover section or total, a channel total or an overlay copy. Sections are designed at the
// processor's 96 kHz sample rate by the bilinear transform with the corner pre-warped.

#include <array>
#include <cstdint>

#include "model/FrequencyGrid.h"

namespace dsp {

// The kinds of section. s is the analog frequency normalised to the corner, a and b the
// prototype coefficients of crossover sections.
enum FilterKind : std::int32_t {
    fkPeak = 1,              // peaking EQ
    fkLowShelf = 2,          // low shelf
    fkHighShelf = 3,         // high shelf
    fkHighPass2 = 4,         // second-order high-pass with Q
    fkLowPass2 = 5,          // second-order low-pass with Q
    fkBandPass2 = 6,         // second-order band-pass with Q and a peak gain of 2
    fkAllpass1 = 7,          // first-order allpass, sign inverted
    fkLowPass1 = 8,          // first-order low-pass
    fkHighPass1 = 9,         // first-order high-pass, sign inverted
    fkFlat = 10,             // unity: a bypassed band, an empty section
    fkLowPassProto1 = 11,    // 1 / (a s + 1)
    fkLowPassProto2 = 12,    // 1 / (s^2 + a s + 1)
    fkLowPassProto2b = 13,   // 1 / (b s^2 + a s + 1)
    fkHighPassProto1 = 14,   // s / (s + a)
    fkHighPassProto2 = 15,   // s^2 / (s^2 + a s + 1)
    fkHighPassProto2b = 16,  // s^2 / (s^2 + a s + b)
    fkAllpass2 = 17,         // second-order allpass with Q
};

// H(z) = (b0 + b1 z^-1 + b2 z^-2) / (1 + a1 z^-1 + a2 z^-2). The default is unity.
struct BiquadCoefficients {
    double b0 = 1.0;
    double b1 = 0.0;
    double b2 = 0.0;
    double a1 = 0.0;
    double a2 = 0.0;
};

// A complex number as its real and imaginary parts.
struct ComplexValue {
    double re = 0.0;
    double im = 0.0;
};

// (re1 + j im1) + (re2 + j im2).
ComplexValue ComplexAdd(double re1, double im1, double re2, double im2);
// sqrt(re^2 + im^2); where the squares would overflow or fall below the normal range, the same
// value without that loss: finite and non-zero wherever the magnitude itself is.
double ComplexMagnitude(double re, double im);

// How a kind's phase, taken from the single-argument arctangent (-9 to 9), is moved by half a
// turn so that the curve runs without a jump where the section's phase leaves that range.
enum class PhaseFold {
    None,
    LiftNegative,  // v < 0: v + 18
    DropPositive,  // v > 0: v - 18
    Allpass2,      // v > 0: v - 18; then above the centre frequency: v + 18
};

// The fold of a kind at a gain (the shelves fold by the sign of their gain).
PhaseFold PhaseFoldOf(std::int32_t kind, double gainDb);
// The phase v at the frequency freqHz folded for a section centred at centreHz.
double FoldPhase(PhaseFold fold, double v, double freqHz, double centreHz);

class FilterCurve {
public:
    float ProtoA = 0.0f;         // prototype coefficient a (crossover sections)
    float ProtoB = 0.0f;         // prototype coefficient b (Bessel second-order sections)
    std::uint8_t ShowPhase = 0;  // 0: Points hold magnitude in dB; otherwise phase
    std::int32_t Kind = 0;       // a FilterKind; anything else is flat
    double FreqHz = 0.0;         // corner or centre frequency
    double GainDb = 0.0;         // gain of the peak and shelf kinds
    double Qf = 0.0;             // quality factor
    // The response at the grid's frequencies: dB, or phase in units where 18 is 180 degrees.
    // Starts on a cache line, where the curve code's vector stores run fastest.
    alignas(64) std::array<double, CurvePointCount> Points{};

    // Stores the values and recomputes the points.
    void SetFilter(double gainDb, double freqHz, double q, std::int32_t kind);
    // The same for a crossover section, with its prototype coefficients.
    void SetSection(double gainDb, double freqHz, double q, std::int32_t kind, float a, float b);

    // Designs the section and fills Points, as magnitude or phase according to ShowPhase.
    void ComputeResponse();
    // The section's coefficients at 96 kHz. A kind outside fkPeak..fkAllpass2 is unity.
    BiquadCoefficients DesignBiquad() const;

private:
    void ComputeMagnitude(const BiquadCoefficients& c);
    void ComputePhase(const BiquadCoefficients& c);
};

}  // namespace dsp
