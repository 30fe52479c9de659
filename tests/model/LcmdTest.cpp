#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "model/Constants.h"
#include "model/Lcmd.h"

namespace dsp {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Frame(const LCmd& record) { return LCmd::EncodeFrame(record, FrameMode::Frame); }

TEST(LcmdTest, WorkedFrames) {
    EXPECT_EQ(Frame(LCmd(1, CommandCode::MCS_KEEP_ALIVE)),
              (Bytes{0x10, 0x02, 0x00, 0x01, 0x01, 0x12, 0x10, 0x03, 0x13}));
    EXPECT_EQ(Frame(CM_MCS_GAIN(1, 3, 280)),
              (Bytes{0x10, 0x02, 0x00, 0x01, 0x04, 0x34, 0x03, 0x18, 0x01, 0x10, 0x03, 0x2A}));
    EXPECT_EQ(Frame(CM_MCS_CMD(1, CommandCode::MCS_SET_LINK, 7, 0x10)),
              (Bytes{0x10, 0x02, 0x00, 0x01, 0x03, 0x3B, 0x07, 0x10, 0x10, 0x03, 0x2F}));
}

TEST(LcmdTest, EmptyPayloadFrameHasLengthOne) {
    const Bytes frame = Frame(CM_MCS_CMD(5, CommandCode::MCS_CONNECT));
    EXPECT_EQ(frame, (Bytes{0x10, 0x02, 0x00, 0x05, 0x01, 0x10, 0x10, 0x03, 0x15}));
    EXPECT_EQ(frame[Frame::LengthIndex], 1);
    EXPECT_EQ(frame.size(), Frame::MinSize);
}

TEST(LcmdTest, CheckByteIsTheXorOfEveryByteBefore) {
    const std::uint8_t data[50] = {0x10, 0x03, 0x10, 0x02, 0xFF};
    const Bytes frame = Frame(CM_MCS_DOWNLOAD(254, 29, 15, 50, data));
    ASSERT_EQ(frame.size(), 52u + 9u);
    std::uint8_t all = 0;
    for (std::uint8_t b : frame) all ^= b;
    EXPECT_EQ(all, 0);
}

TEST(LcmdTest, EncodeModes) {
    const CM_MCS_GAIN record(1, 3, 280);
    EXPECT_EQ(LCmd::EncodeFrame(record, FrameMode::Payload), (Bytes{0x03, 0x18, 0x01}));
    EXPECT_TRUE(LCmd::EncodeFrame(record, 2).empty());
    EXPECT_TRUE(LCmd::EncodeFrame(record, -1).empty());
}

// Every record class: its code and payload.
struct RecordCase {
    const char* name;
    std::function<LCmd()> make;
    std::uint8_t code;
    Bytes payload;
};

void PrintTo(const RecordCase& c, std::ostream* os) { *os << c.name; }

const PeqBandParams kPeq{Le16(0x0178), Le16(0x012C), 35, ptHighShelf};
const GateParams kGate{Le16(1), Le16(0x0203), Le16(0x0405), Le16(180)};
const CompressorParams kComp{15, 12, Le16(998), Le16(2999), Le16(220)};
const ChannelNameBytes kChannelName{'O', 'u', 't', '1', 0, 0, 0, 0};
const PresetNameBytes kPresetName{'D', 'e', 'f', 'a', 'u', 'l', 't',
                                  ' ', 'P', 'r', 'e', 's', 'e', 't'};
const std::uint8_t kEeprom[17] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17};

Bytes Block() {
    Bytes block(50);
    for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<std::uint8_t>(100 + i);
    return block;
}

Bytes DownloadPayload() {
    Bytes download{15, 4};
    const Bytes block = Block();
    download.insert(download.end(), block.begin(), block.end());
    return download;
}

const RecordCase kRecordCases[] = {
    {"Comp",
     [] { return CM_MCS_COMP(1, 3, kComp); },
     48,
     {3, 15, 12, 0xE6, 0x03, 0xB7, 0x0B, 220, 0}},
    {"Gate", [] { return CM_MCS_GATE(1, 0, kGate); }, 62, {0, 1, 0, 3, 2, 5, 4, 180, 0}},
    {"Polarity1", [] { return CM_MCS_POLARITY(1, 8, 1); }, 54, {8, 1}},
    {"Polarity2", [] { return CM_MCS_POLARITY(1, 8, 2); }, 54, {8, 1}},
    {"Polarity0", [] { return CM_MCS_POLARITY(1, 8, 0); }, 54, {8, 0}},
    {"Peq",
     [] { return CM_MCS_PEQ(1, 2, 7, kPeq, 7); },
     51,
     {2, 7, 0x78, 0x01, 0x2C, 0x01, 35, 2, 7}},
    {"HighPass", [] { return CM_MCS_HIGH_PASS(1, 4, 300, 20); }, 50, {4, 0x2C, 0x01, 20}},
    {"LowPass", [] { return CM_MCS_LOW_PASS(1, 4, 0, 3); }, 49, {4, 0, 0, 3}},
    {"Gain", [] { return CM_MCS_GAIN(1, 0, 400); }, 52, {0, 0x90, 0x01}},
    {"Delay", [] { return CM_MCS_DELAY(1, 5, 65280); }, 56, {5, 0x00, 0xFF}},
    {"DelayUnit", [] { return CM_MCS_DELAYUNIT(1, 2); }, 21, {2}},
    {"Matrix", [] { return CM_MCS_MATRIX(1, 3, 0x0105); }, 58, {3, 0x05}},
    {"Mute", [] { return CM_MCS_MUTE(1, 6, 5); }, 53, {6, 5}},
    {"ChannelName",
     [] { return CM_MCS_CHANNEL_NAME(1, 3, kChannelName); },
     61,
     {3, 'O', 'u', 't', '1', 0, 0, 0, 0}},
    {"PresetName", [] { return CM_MCS_PRESETNAME(1, kPresetName); }, 38,
     Bytes(kPresetName.begin(), kPresetName.end())},
    {"ReadEeprom", [] { return CM_MCS_READ_EEPROM(1, 0, 18); }, 25, {0, 0, 18}},
    {"WriteEeprom",
     [] { return CM_MCS_WRITE_EEPROM(1, 0x0201, 17, kEeprom); },
     26,
     {0x01, 0x02, 17, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17}},
    {"WriteEepromShortData",
     [] { return CM_MCS_WRITE_EEPROM(1, 1, 3, Bytes{9}); },
     26,
     {1, 0, 3, 9, 0, 0}},
    {"Download", [] { return CM_MCS_DOWNLOAD(1, 4, 15, 50, Block()); }, 37, DownloadPayload()},
    {"McuReset", [] { return CM_MCS_MCU_RESET(1); }, 4, {}},
    {"SetLock", [] { return CM_MCS_SET_LOCK(1, "12"); }, 47, {'1', '2', 0, 0}},
    {"SetLockLong", [] { return CM_MCS_SET_LOCK(1, "123456"); }, 47, {'1', '2', '3', '4'}},
    {"PassSubmit", [] { return CM_MCS_PASS_SUBMIT(1, "abcd"); }, 45, {0, 'a', 'b', 'c', 'd'}},
    {"PassSubmitEmpty", [] { return CM_MCS_PASS_SUBMIT(1, ""); }, 45, {0, 0, 0, 0, 0}},
    {"WorkMode", [] { return CM_MCS_WORK_MODE(1, 3, 30); }, 57, {3, 30}},
    {"CmdWithoutArguments", [] { return CM_MCS_CMD(1, CommandCode::MCS_GET_STATUS); }, 44, {}},
    {"CmdWithOneArgument",
     [] { return CM_MCS_CMD(1, CommandCode::MCS_RECALL_PRESET, 30); },
     32,
     {30}},
    {"CmdWithTwoArguments",
     [] { return CM_MCS_CMD(1, CommandCode::MCS_COPY_CHANNEL, 3, 8); },
     42,
     {3, 8}},
};

class RecordPayloads : public ::testing::TestWithParam<RecordCase> {};

TEST_P(RecordPayloads, CarryTheirCodeAndPayloadThroughTheFrame) {
    const RecordCase& c = GetParam();
    const LCmd record = c.make();
    EXPECT_EQ(record.GetId(), std::optional<std::uint8_t>(1));
    EXPECT_EQ(record.GetCode(), c.code);
    EXPECT_EQ(record.GetData(), c.payload);

    // The frame carries it all, and parses back to code and payload.
    const Bytes frame = Frame(record);
    ASSERT_EQ(frame.size(), c.payload.size() + 9);
    EXPECT_EQ(frame[3], 1);
    EXPECT_EQ(frame[4], c.payload.size() + 1);
    const LCmd parsed(frame, FrameMode::Frame);
    EXPECT_EQ(parsed.GetId(), std::optional<std::uint8_t>(0));  // the sender
    EXPECT_EQ(parsed.GetCode(), c.code);
    EXPECT_EQ(parsed.GetData(), c.payload);
}

INSTANTIATE_TEST_SUITE_P(EveryRecordClass, RecordPayloads, ::testing::ValuesIn(kRecordCases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(LcmdTest, BuiltRecordsHaveTheirDeviceId) {
    EXPECT_EQ(LCmd().GetId(), std::optional<std::uint8_t>(0));
    EXPECT_EQ(LCmd().GetCode(), 0);
    EXPECT_TRUE(LCmd().GetData().empty());
    const LCmd keepAlive(7, CommandCode::MCS_KEEP_ALIVE);
    EXPECT_TRUE(keepAlive.HasId());
    EXPECT_TRUE(keepAlive.IsFrom(7));
    EXPECT_FALSE(keepAlive.IsFrom(1));
}

TEST(LcmdTest, ParsesAReplyByItsLength) {
    // A reply from device 9 whose payload holds DLE ETX: found by Length, not by searching.
    const Bytes reply{0x10, 0x02, 0x09, 0x00, 0x05, 0x29, 0x04, 0x10, 0x03, 0x10, 0x10, 0x03, 0x00};
    const LCmd record(reply, FrameMode::Frame);
    EXPECT_EQ(record.GetId(), std::optional<std::uint8_t>(9));
    EXPECT_TRUE(record.IsFrom(9));
    EXPECT_EQ(record.GetCode(), CommandCode::MCS_GET_PRESET_NAME);
    EXPECT_EQ(record.GetData(), (Bytes{0x04, 0x10, 0x03, 0x10}));
}

TEST(LcmdTest, CheckByteIsNotVerified) {
    Bytes frame = Frame(CM_MCS_GAIN(1, 3, 280));
    frame[0] = 0x10;
    const LCmd right(frame, FrameMode::Frame);
    frame.back() ^= 0x5A;
    const LCmd wrong(frame, FrameMode::Frame);
    EXPECT_EQ(wrong.GetId(), right.GetId());
    EXPECT_EQ(wrong.GetCode(), right.GetCode());
    EXPECT_EQ(wrong.GetData(), right.GetData());
    EXPECT_TRUE(wrong.HasId());
}

// A record that is not a well formed frame has no device ID: it matches no device and is never
// a reply 16, though its code is the first byte (0x10, the connect code, for a frame that starts
// with DLE).
struct MalformedCase {
    const char* name;
    Bytes bytes;
    std::uint8_t code;
    Bytes data;
};

void PrintTo(const MalformedCase& c, std::ostream* os) { *os << c.name; }

const Bytes kGoodFrame{0x10, 0x02, 0x01, 0x00, 0x03, 0x40, 0xAA, 0xBB, 0x10, 0x03, 0x00};

Bytes GoodFrameWith(std::size_t index, std::uint8_t value) {
    Bytes b = kGoodFrame;
    b[index] = value;
    return b;
}

const MalformedCase kMalformedCases[] = {
    {"FirstByteNotDle", GoodFrameWith(0, 0x11), 0x11, {0xAA, 0xBB}},
    {"SecondByteNotStx", GoodFrameWith(1, 0x03), 0x10, {0xAA, 0xBB}},
    {"NoDleBeforeEtx", GoodFrameWith(8, 0x11), 0x10, {0xAA, 0xBB}},
    {"NoEtx", GoodFrameWith(9, 0x02), 0x10, {0xAA, 0xBB}},
    {"LengthClaimsMoreThanThereIs", GoodFrameWith(4, 0x04), 0x10, {0xAA, 0xBB, 0x10}},
    {"LengthFarBeyondTheEnd", GoodFrameWith(4, 0xFF), 0x10, {0xAA, 0xBB, 0x10, 0x03, 0x00}},
    {"LengthZero", GoodFrameWith(4, 0x00), 0x10, {}},
    {"EightBytes", {0x10, 0x02, 0x01, 0x00, 0x01, 0x10, 0x10, 0x03}, 0x10, {}},
    {"SevenBytes", {0x10, 0x02, 0x01, 0x00, 0x05, 0x10, 0x03}, 0x10, {0x03}},
    {"FiveBytes", {0x10, 0x02, 0x01, 0x00, 0x05}, 0x10, {}},
    {"OneByte", {0x10}, 0x10, {}},
    {"Empty", {}, 0, {}},
};

class MalformedFrames : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedFrames, HaveNoDeviceId) {
    const MalformedCase& c = GetParam();
    const LCmd record(c.bytes, FrameMode::Frame);
    EXPECT_FALSE(record.HasId());
    EXPECT_FALSE(record.GetId().has_value());
    for (int id = 0; id <= 255; ++id) {
        EXPECT_FALSE(record.IsFrom(static_cast<std::uint8_t>(id))) << "device " << id;
    }
    EXPECT_EQ(record.GetCode(), c.code);
    EXPECT_EQ(record.GetData(), c.data);
}

INSTANTIATE_TEST_SUITE_P(Cases, MalformedFrames, ::testing::ValuesIn(kMalformedCases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(LcmdTest, TheWellFormedFrameOfTheMalformedCasesHasItsDeviceId) {
    EXPECT_TRUE(LCmd(kGoodFrame, FrameMode::Frame).IsFrom(1));
}

TEST(LcmdTest, ParseModes) {
    const Bytes bytes{0x10, 0x02, 0x01, 0x00, 0x01, 0x12, 0x10, 0x03, 0x00};
    const LCmd payload(bytes, FrameMode::Payload);
    EXPECT_FALSE(payload.HasId());
    EXPECT_EQ(payload.GetCode(), 0);
    EXPECT_EQ(payload.GetData(), bytes);

    const LCmd other(bytes, 7);
    EXPECT_FALSE(other.HasId());
    EXPECT_EQ(other.GetCode(), 0);
    EXPECT_TRUE(other.GetData().empty());
}

}  // namespace
}  // namespace dsp
