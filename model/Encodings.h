#pragma once
// Conversions between the values a user sees or types and the integer codes of the parameter
// image: frequency index, EQ gain index, Q index and delay in samples. Free functions without
// state; the index to Q direction is QTable[index] (model/Constants.h).
//
// Where a result is an integer, a value outside the range of int (or not a number) saturates to
// the nearest end of that range (not a number gives 0), so no input is undefined behaviour.

#include "model/Constants.h"

namespace dsp {

// Hz of a frequency index: 1000 * FreqStep^(index - 170).
double FreqIndexToHz(int index);

// Frequency index nearest to a frequency in Hz; an exact half rounds down, and values below
// index 0 truncate toward zero. Not clamped to 0..300.
int FreqHzToIndex(double hz);

// dB of an EQ gain index: (index - 120) * 0.1, in extended precision.
long double GainIndexToDb(int index);

// EQ gain index of a dB value: the dB times ten, rounded to double and truncated, plus 120.
int GainDbToIndex(double db);

// Q index of a Q value, the inverse of QTable[index]; not clamped (callers clamp to 0..100).
int QValueToIndex(double q);

// Delay in samples of a value in the given unit (duMilliseconds, duMetres, duFeet), truncated.
// Any other unit gives 0.
int DelayToSamples(double value, int unit);

}  // namespace dsp
