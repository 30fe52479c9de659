#pragma once
// The evaluation of a section's response at every point of the frequency grid, vectorised and
// compiled for several instruction sets; the first call picks the best one the processor runs,
// so the program runs on any x86-64 (and builds wherever the SIMD library does).
//
// B and A are summed exactly as a point-by-point evaluation sums them, operation for operation,
// so every point stays within rounding of the logarithm or arctangent of the direct evaluation,
// also where a numerator cancels almost completely (a high-pass near 0 Hz).

#include <cstdint>
#include <string>
#include <vector>

#include "model/FilterCurve.h"
#include "model/FrequencyGrid.h"

namespace dsp {

// 10 log10(|B|^2 / |A|^2) at every grid point, into out (CurvePointCount values).
void CurveMagnitudeDb(const BiquadCoefficients& c, const FrequencyGrid& grid, double* out);

// atan(Im(B/A) / Re(B/A)) in units where 18 is 180 degrees, folded for a section centred at
// centreHz, at every grid point.
void CurvePhase(const BiquadCoefficients& c, PhaseFold fold, double centreHz,
                const FrequencyGrid& grid, double* out);

// An instruction set the curve code is compiled for, as the dispatcher's target bit.
using CurveInstructionSet = std::int64_t;

// The instruction sets compiled in that this processor runs, best first.
std::vector<CurveInstructionSet> CurveInstructionSets();
// The one the curves are computed with now.
CurveInstructionSet ChosenCurveInstructionSet();
// Its name ("AVX3" for AVX-512, "AVX2", "SSE4", "SSSE3", "SCALAR", ...).
std::string CurveInstructionSetName(CurveInstructionSet set);
// Makes the dispatcher use only the given instruction set from the next curve on, so that tests
// can check each one; 0 gives the choice back to the dispatcher.
void RestrictCurveInstructionSet(CurveInstructionSet set);

}  // namespace dsp
