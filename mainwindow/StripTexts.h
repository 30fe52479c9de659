#pragma once
// How the channel strips write their values: the texts of gains, delays, crossover frequencies
// and the dynamics' levels, times, ratios and knees, and the test of a typed number's characters.
// Numbers are formatted by the framework ("." whatever the locale).

#include <string>
#include <string_view>

namespace dsp {

// A gain fader position -280..120: "+%3.1fdB" of p / 10 from 0 up; below 0, 0.1 dB steps down
// to -20 dB and 0.5 dB steps from there to -60 dB at -280, "-%3.1fdB".
std::string GainText(int position);

// A delay position (counts of 1/96 ms) in a unit: 0 "%4.3f ms", 1 "%4.3f m" (at 343.5 m/s),
// 2 "%4.3f ft" (3.2808 ft per metre). Another unit is shown in milliseconds.
std::string DelayText(int position, int unit);

// The dashed delay line up to a marker: 132 "-" cut to (markerLeft - 40) / 6 characters, none
// for a marker at or left of the line's start.
std::string DelayLineText(int markerLeft);

// A crossover frequency index as an image shows it: "%4.2fKHz" from 1000 Hz up, "%4.1fHz" below.
std::string CrossoverFrequencyText(int index);

// The dynamics: a threshold position (half dB) "%+1.1fdB"; compressor times "%3dms" and gate
// times "%dms" of position + 1; a ratio index "1:" and its name ("Limit" at 15); a knee "%ddB".
std::string ThresholdText(int position);
std::string CompressorTimeText(int position);
std::string GateTimeText(int position);
std::string RatioText(int index);
std::string KneeText(int position);

// True when every character is a decimal digit or a point; an empty text passes (callers test
// the length themselves), and so do two points ("1.2.3").
bool IsNumericText(std::string_view text);

}  // namespace dsp
