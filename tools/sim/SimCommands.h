#pragma once
// The command codes the processor knows, as the simulator names them. The simulator is an
// oracle beside the editor's protocol code, so it keeps its own names for them.

#include <cstdint>

namespace dsp::sim::command {

inline constexpr std::uint8_t kAck = 1;  // the processor's acknowledgement
inline constexpr std::uint8_t kRestart = 4;
inline constexpr std::uint8_t kConnect = 16;
inline constexpr std::uint8_t kKeepAlive = 18;
inline constexpr std::uint8_t kIdentity = 19;
inline constexpr std::uint8_t kPresetNumber = 20;
inline constexpr std::uint8_t kDelayUnit = 21;
inline constexpr std::uint8_t kReadDevice = 25;
inline constexpr std::uint8_t kWriteDevice = 26;
inline constexpr std::uint8_t kRecall = 32;
inline constexpr std::uint8_t kStore = 33;
inline constexpr std::uint8_t kPresetMap = 34;
inline constexpr std::uint8_t kFactoryReset = 35;
inline constexpr std::uint8_t kSelectPreset = 36;   // the preset block reads come from
inline constexpr std::uint8_t kSettingsBlock = 36;  // a settings block's answer carries this code
inline constexpr std::uint8_t kDownloadBlock = 37;
inline constexpr std::uint8_t kPresetName = 38;
inline constexpr std::uint8_t kReadSettingsBlock = 39;
inline constexpr std::uint8_t kReadPresetBlock = 40;
inline constexpr std::uint8_t kReadPresetName = 41;
inline constexpr std::uint8_t kCopyChannel = 42;
inline constexpr std::uint8_t kLockState = 44;
inline constexpr std::uint8_t kCheckPassword = 45;
inline constexpr std::uint8_t kSetPassword = 47;
inline constexpr std::uint8_t kCompressor = 48;
inline constexpr std::uint8_t kLowPass = 49;
inline constexpr std::uint8_t kHighPass = 50;
inline constexpr std::uint8_t kEqBand = 51;
inline constexpr std::uint8_t kGain = 52;
inline constexpr std::uint8_t kMute = 53;
inline constexpr std::uint8_t kPolarity = 54;
inline constexpr std::uint8_t kDelay = 56;
inline constexpr std::uint8_t kTestSignal = 57;
inline constexpr std::uint8_t kRouting = 58;
inline constexpr std::uint8_t kLinkMask = 59;
inline constexpr std::uint8_t kEqBypass = 60;
inline constexpr std::uint8_t kChannelName = 61;
inline constexpr std::uint8_t kGate = 62;
inline constexpr std::uint8_t kLevels = 64;

}  // namespace dsp::sim::command
