#pragma once
// The frequency grid every response curve is computed on: 4096 points spaced logarithmically
// from 1 Hz up to just below 48 kHz, half the processor's 96 kHz sample rate. The grid and the
// cosines and sines a biquad needs at each point are computed once for the program, so that a
// curve costs only its polynomial evaluation and one logarithm or arctangent per point.

#include <array>
#include <cstddef>

namespace dsp {

inline constexpr std::size_t CurvePointCount = 4096;
inline constexpr double ResponseSampleRateHz = 96000.0;
inline constexpr double ResponseNyquistHz = 48000.0;

struct FrequencyGrid {
    using Column = std::array<double, CurvePointCount>;

    // Each column starts on a cache line, where the curve code's vector loads run fastest.
    alignas(64) Column freqHz;  // f(i) = 10^(log10(48000) * i / 4096)
    // With w = pi * f(i) / 48000, the angle of the point at the 96 kHz sample rate:
    alignas(64) Column cos1;  // cos(-w)
    alignas(64) Column sin1;  // sin(-w)
    alignas(64) Column cos2;  // cos(-2w)
    alignas(64) Column sin2;  // sin(-2w)
};

// The one grid of the program, built on first use (thread-safe).
const FrequencyGrid& ResponseGrid();

// Position of a frequency on the grid's index axis (0 to 4096), where markers are placed.
double GridPosition(double freqHz);

}  // namespace dsp
