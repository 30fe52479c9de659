// The session's small rules: traffic text, frame lengths in chunks, frame boundaries across
// reads, serial port numbers, and the meters' scale.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "mainwindow/SessionRules.h"
#include "tools/sim/ProcessorSimulator.h"

namespace dsp {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(SessionRules, TrafficTextIsUpperCaseHexWithABlankAfterEachByte) {
    const Bytes b{0x10, 0x02, 0xAB, 0x0F};
    EXPECT_EQ(HexBytes(b.data(), b.size()), "10 02 AB 0F ");
    EXPECT_EQ(HexByte(0), "00");
}

TEST(SessionRules, AFrameTakesItsLengthByteAndEightBytesOfAChunk) {
    Bytes report(64, 0);
    report[4] = 5;
    EXPECT_EQ(FrameLengthIn(report.data(), report.size()), 13u);
    report[4] = 200;  // more than the chunk holds
    EXPECT_EQ(FrameLengthIn(report.data(), report.size()), 64u);
    // Too short to hold a length byte: only what is there.
    EXPECT_EQ(FrameLengthIn(report.data(), 4), 4u);
}

TEST(SessionRules, FrameBoundariesAreFollowedAcrossReads) {
    const Bytes frame{0x10, 0x02, 1, 0, 2, 20, 3, 0x10, 0x03, 0x2B};  // 10 bytes, length 2
    std::vector<std::uint8_t> partial;
    TrackNetFrames(partial, frame.data(), 7);
    EXPECT_EQ(partial.size(), 7u);
    TrackNetFrames(partial, frame.data() + 7, 3);
    EXPECT_TRUE(partial.empty());
    // A frame and the head of the next in one read; bytes between frames are passed over.
    Bytes two = frame;
    two.insert(two.end(), {0x55, 0x10, 0x02, 1});
    TrackNetFrames(partial, two.data(), two.size());
    EXPECT_EQ(partial, (Bytes{0x10, 0x02, 1}));
    partial.clear();
    const Bytes noise{0x55, 0x66};
    TrackNetFrames(partial, noise.data(), noise.size());
    EXPECT_TRUE(partial.empty());
}

TEST(SessionRules, SerialPortNumbersComeFromTheName) {
    EXPECT_EQ(SerialPortNumber("COM3"), 3);
    EXPECT_EQ(SerialPortNumber("COM12"), 12);
    EXPECT_EQ(SerialPortNumber("\\\\.\\COM12"), 12);
    EXPECT_EQ(SerialPortNumber("COMx"), 0);
    EXPECT_EQ(SerialPortNumber("ttyS"), 0);
    EXPECT_EQ(SerialPortNumber(""), 0);
}

TEST(SessionRules, ALevelOf0dBLightsEightInputAndSevenOutputSegments) {
    Bytes reply(kLevelReplySize, 0);
    reply[0] = 0x80;  // 1.0f: bytes 1, 0, 2 are the float's top three bytes 3F 80 00
    reply[1] = 0x3F;
    EXPECT_EQ(UnpackLevel(reply, 0), 1.0f);
    EXPECT_EQ(MeterPosition(LevelDb(1.0f), LevelMeterSteps), 8);
    EXPECT_EQ(MeterPosition(LevelDb(1.0f), GateMeterSteps), 7);
    sim::ProcessorSimulator::PackLevel(reply, 5, 0.25f);
    EXPECT_EQ(UnpackLevel(reply, 5), 0.25f);
}

TEST(SessionRules, SilenceAndLevelsWithoutALogarithmReadMinus140dB) {
    for (float v : {0.0f, -1.0f, std::numeric_limits<float>::quiet_NaN(),
                    std::numeric_limits<float>::infinity()}) {
        EXPECT_EQ(LevelDb(v), -140.0) << v;
        EXPECT_EQ(MeterPosition(LevelDb(v), LevelMeterSteps), 0) << v;
    }
    // Loud levels light every segment.
    EXPECT_EQ(MeterPosition(LevelDb(100.0f), LevelMeterSteps), 9);
    EXPECT_EQ(MeterPosition(LevelDb(100.0f), GateMeterSteps), 8);
}

}  // namespace
}  // namespace dsp
