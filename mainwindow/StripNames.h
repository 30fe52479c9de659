#pragma once
// How the main window names the controls of its channel strips: a stem, the side word ("In" or
// "Out") and the channel character ('A' + ch for an input, '1' + ch - 3 for an output), so that
// one handler serves every strip of a kind and finds a strip's other controls by name. Channel
// indices: 0 to 2 are InA to InC, 3 to 8 are Out1 to Out6.

#include <string>
#include <string_view>

namespace dsp {

inline constexpr int kInputCount = 3;
inline constexpr int kOutputCount = 6;
inline constexpr int kChannelCount = kInputCount + kOutputCount;

constexpr bool IsInput(int ch) { return ch < kInputCount; }
// 'A'..'C' for inputs, '1'..'6' for outputs (ch + 46).
constexpr char ChannelChar(int ch) {
    return IsInput(ch) ? static_cast<char>('A' + ch) : static_cast<char>(ch + 46);
}
constexpr std::string_view SideWord(int ch) { return IsInput(ch) ? "In" : "Out"; }
// The channel's bit within its side's masks.
constexpr int SideBit(int ch) { return IsInput(ch) ? ch : ch - kInputCount; }
// The first channel of ch's side and the one after its last.
constexpr int SideBegin(int ch) { return IsInput(ch) ? 0 : kInputCount; }
constexpr int SideEnd(int ch) { return IsInput(ch) ? kInputCount : kChannelCount; }

// "InA" .. "InC", "Out1" .. "Out6".
inline std::string ChannelName(int ch) { return std::string(SideWord(ch)) + ChannelChar(ch); }
// stem + side word + channel character: StripName("isGain", 1) is "isGainInB".
inline std::string StripName(std::string_view stem, int ch) {
    return std::string(stem) + ChannelName(ch);
}

}  // namespace dsp
