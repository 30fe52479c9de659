#pragma once
// A vectorised curve evaluation written for the benchmark alone, as the yardstick of what the
// machine can do: compiled for the instruction set of the machine it is built on, fused
// multiply-adds wherever they fall, and a logarithm and arctangent of one division each,
// accurate to about 1e-12. It does only the work of ordinary points: all values finite,
// |B| and |A| normal. The interface uses plain types, so that no inline function of the
// program is compiled for the machine's instruction set here.

namespace dsp::bench {

// The instruction set the kernel was compiled for ("AVX-512", "AVX2", ...).
const char* ReferenceInstructionSet();

// b0, b1, b2, a1, a2 of the section; cos and sin of -w and -2w at each of the count points
// (count a multiple of 8); the result in dB.
void ReferenceMagnitudeDb(const double* coefficients, const double* cos1, const double* sin1,
                          const double* cos2, const double* sin2, int count, double* out);

// As above, the phase in units where 18 is 180 degrees. fold: 0 none, 1 lift negative values by
// 18, 2 drop positive values by 18, 3 drop positive values and lift those above centreHz.
void ReferencePhase(const double* coefficients, const double* cos1, const double* sin1,
                    const double* cos2, const double* sin2, const double* freqHz, int fold,
                    double centreHz, int count, double* out);

}  // namespace dsp::bench
