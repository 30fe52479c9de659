#pragma once
// The session's small rules on bytes and numbers: traffic-monitor text, where a frame ends in a
// chunk of received bytes, the serial port number in a port name, and the level meters' scale.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace dsp {

// "%02X" of a byte, and "%02X " of each byte.
std::string HexByte(std::uint8_t byte);
std::string HexBytes(const std::uint8_t* bytes, std::size_t count);

// How many of count bytes belong to the frame they begin with: its length byte (index 4) + 8,
// at most count; all of them when there are too few to hold a length byte.
std::size_t FrameLengthIn(const std::uint8_t* bytes, std::size_t count);

// Follows frame boundaries across chunks read from a stream: partial holds the bytes of a frame
// begun but not complete (empty between frames). Bytes outside a frame (before DLE STX) are
// passed over.
void TrackNetFrames(std::vector<std::uint8_t>& partial, const std::uint8_t* bytes,
                    std::size_t count);

// The port number of a serial port name: "COM3" 3, "COM12" 12, "\\.\COM12" 12; 0 when the name
// holds no such number.
int SerialPortNumber(const std::string& portName);

// ---- levels
inline constexpr int kLevelCount = 12;
inline constexpr std::size_t kLevelReplySize = 37;  // twelve packed levels and the limit flags
inline constexpr double kSilentLevelDb = -140.0;

// The thresholds of the input and output meters, in dB.
inline constexpr std::array<float, 9> LevelMeterSteps{-50, -40, -30, -20, -5, 0, 5, 12, 15};
inline constexpr std::array<float, 8> GateMeterSteps{-50, -30, -10, -5, 0, 5, 12, 15};

// Level i of a level reply: a float whose bytes, most significant first, are bytes 3i+1, 3i and
// 3i+2 of the reply, then 0.
float UnpackLevel(std::span<const std::uint8_t> reply, int i);
// A level in dB: 20 log10(v); 0, negative and non-finite levels read as silence (-140 dB).
double LevelDb(float v);
// A meter's position for a level: how many leading thresholds T satisfy T - 15 < L.
int MeterPosition(double levelDb, std::span<const float> thresholds);

}  // namespace dsp
