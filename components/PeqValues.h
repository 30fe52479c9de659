#pragma once
// The values of an EQ band table's rows: the texts its boxes show for the stored positions and
// the rules that turn a typed entry into a position.
//
// A row holds three integer positions: frequency p (1000 * FreqStep^p Hz; -170 to 130 when
// typed), gain g (g / 10 dB; -120 to 120 when typed) and Q q (QTable[q], 0 to 100).

#include <optional>
#include <string>

namespace dsp {

// "1.00KHz" from 1000 Hz up ("%4.2f" of the kHz), "19.7Hz" below ("%4.1f").
std::string PeqFrequencyText(int p);
// QTable[q] rounded to three significant digits, with two decimals: "0.40", "12.70", "128.00".
// q is clamped to 0..100.
std::string PeqQText(int q);
// The shortest form of the value and "dB": "0dB", "-3.5dB".
std::string PeqGainText(double db);

// The position of a frequency: 30 log2(hz / 1000) rounded to three significant digits, then a
// first decimal of 6 to 9 moves it one step away from zero and anything less is cut off. Grid
// frequencies give their own position. A frequency of 0 or less (or not a number) gives -170.
int PeqFrequencyPosition(double hz);

// The frequency index (0 to 300) of a typed number, in kHz with kilo: nearest index, an exact
// half rounding down; 0 for 0.
int FreqEntryToIndex(double value, bool kilo);

// Typed entries: the new position, or nothing when the entry is rejected (the box then shows
// the old value again). Clamped entries are accepted at the limit.
// Frequency: digits, "." and "," with an optional unit ("Hz" in any case) and "k"/"K".
std::optional<int> PeqFrequencyEntry(const std::string& text);
// Q: digits, "." and ","; 0.4 to 128.
std::optional<int> PeqQEntry(const std::string& text);
// Gain: digits, ".", "," and "-" with an optional "dB" in any case; one decimal kept; -12 to
// 12 dB.
std::optional<int> PeqGainEntry(const std::string& text);

}  // namespace dsp
