#pragma once
// A direct evaluation of a biquad section's response, point by point, the way the design and
// response formulas read: the grid frequency from a power, cos and sin of -w and -2w for each
// term of numerator and denominator, complex sums, |B| / |A| and a logarithm, or the phase from
// the single-argument arctangent of B/A. Slow and plain on purpose: the curve calculator is
// checked against it, and the benchmark measures the calculator against it.

#include <cstdint>
#include <vector>

namespace dsp::reference {

struct Section {
    std::int32_t kind = 10;
    double gainDb = 0.0;
    double freqHz = 1000.0;
    double q = 1.0;
    float a = 0.0f;
    float b = 0.0f;
};

// The 4096 points of the section: dB, or phase (18 = 180 degrees) when phase is true.
std::vector<double> Curve(const Section& section, bool phase);

}  // namespace dsp::reference
