#pragma once
// The texts of the channel pages' EQ and crossover boxes, and the parse of the values a user
// types into the dynamics boxes (compressor and gate pages).
//
// A typed value is read in one of four ways (levels, times, knees, ratios). Each parse ends with
// the control position the text names, or with nothing: the text is rejected, names the value
// already set, or does not convert as a number, and the box shows the current value again.
// No text raises.

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace dsp {

// A frequency in Hz as the band and crossover boxes show it: "%4.2fKHz" of the kHz from
// 1000 Hz up, otherwise " %4.1fHz" (with its leading blank).
std::string EqFrequencyText(double hz);
// An EQ gain fader position 0..240 (120 = 0 dB, 0.1 dB steps): "+%3.1fdB" from 120 up,
// "%4.1fdB" below.
std::string EqGainText(int position);
// A Q fader position 0..100: "%3.2f" of its Q value.
std::string EqQText(int position);

// The text with the unit removed: for each spelling found anywhere in it, in the order given,
// its last two characters go.
std::string WithoutUnit(std::string text, std::span<const std::string_view> spellings);

// Levels (thresholds), in half-dB fader positions: the typed dB, held within -90..+20 and
// truncated toward zero to the half-dB grid. Nothing when the text names position already.
std::optional<int> ParseTypedLevel(std::string_view text, int position);
// Times, as fader positions min..max that show position + 1 ms: the typed milliseconds held
// within min + 1 .. max + 1. Nothing when the text names position already.
std::optional<int> ParseTypedTime(std::string_view text, int min, int max, int position);
// Knees 0..12 dB: the typed dB held within 0..12, truncated. Nothing when it names position.
std::optional<int> ParseTypedKnee(std::string_view text, int position);
// Ratios: text is the box's text without its unit, typed the box's text as typed. "1:" and a
// number, or a number alone, gives the index of the first ratio at or above it, 15 ("Limit")
// above them all.
std::optional<int> ParseTypedRatio(std::string_view text, std::string_view typed);

}  // namespace dsp
