#include <gtest/gtest.h>

#include <functional>
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
TEST(LcmdTest, RecordPayloads) {
    const PeqBandParams peq{Le16(0x0178), Le16(0x012C), 35, ptHighShelf};
    const GateParams gate{Le16(1), Le16(0x0203), Le16(0x0405), Le16(180)};
    const CompressorParams comp{15, 12, Le16(998), Le16(2999), Le16(220)};
    const ChannelNameBytes channelName{'O', 'u', 't', '1', 0, 0, 0, 0};
    const PresetNameBytes presetName{'D', 'e', 'f', 'a', 'u', 'l', 't',
                                     ' ', 'P', 'r', 'e', 's', 'e', 't'};
    const std::uint8_t eeprom[17] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17};
    Bytes block(50);
    for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<std::uint8_t>(100 + i);
    Bytes download{15, 4};
    download.insert(download.end(), block.begin(), block.end());

    struct Case {
        const char* name;
        std::function<LCmd()> make;
        std::uint8_t code;
        Bytes payload;
    };
    const Case cases[] = {
        {"COMP",
         [&] { return CM_MCS_COMP(1, 3, comp); },
         48,
         {3, 15, 12, 0xE6, 0x03, 0xB7, 0x0B, 220, 0}},
        {"GATE", [&] { return CM_MCS_GATE(1, 0, gate); }, 62, {0, 1, 0, 3, 2, 5, 4, 180, 0}},
        {"POLARITY 1", [] { return CM_MCS_POLARITY(1, 8, 1); }, 54, {8, 1}},
        {"POLARITY 2", [] { return CM_MCS_POLARITY(1, 8, 2); }, 54, {8, 1}},
        {"POLARITY 0", [] { return CM_MCS_POLARITY(1, 8, 0); }, 54, {8, 0}},
        {"PEQ",
         [&] { return CM_MCS_PEQ(1, 2, 7, peq, 7); },
         51,
         {2, 7, 0x78, 0x01, 0x2C, 0x01, 35, 2, 7}},
        {"HIGH_PASS", [] { return CM_MCS_HIGH_PASS(1, 4, 300, 20); }, 50, {4, 0x2C, 0x01, 20}},
        {"LOW_PASS", [] { return CM_MCS_LOW_PASS(1, 4, 0, 3); }, 49, {4, 0, 0, 3}},
        {"GAIN", [] { return CM_MCS_GAIN(1, 0, 400); }, 52, {0, 0x90, 0x01}},
        {"DELAY", [] { return CM_MCS_DELAY(1, 5, 65280); }, 56, {5, 0x00, 0xFF}},
        {"DELAYUNIT", [] { return CM_MCS_DELAYUNIT(1, 2); }, 21, {2}},
        {"MATRIX", [] { return CM_MCS_MATRIX(1, 3, 0x0105); }, 58, {3, 0x05}},
        {"MUTE", [] { return CM_MCS_MUTE(1, 6, 5); }, 53, {6, 5}},
        {"CHANNEL_NAME",
         [&] { return CM_MCS_CHANNEL_NAME(1, 3, channelName); },
         61,
         {3, 'O', 'u', 't', '1', 0, 0, 0, 0}},
        {"PRESETNAME", [&] { return CM_MCS_PRESETNAME(1, presetName); }, 38,
         Bytes(presetName.begin(), presetName.end())},
        {"READ_EEPROM", [] { return CM_MCS_READ_EEPROM(1, 0, 18); }, 25, {0, 0, 18}},
        {"WRITE_EEPROM",
         [&] { return CM_MCS_WRITE_EEPROM(1, 0x0201, 17, eeprom); },
         26,
         {0x01, 0x02, 17, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17}},
        {"WRITE_EEPROM short data",
         [&] { return CM_MCS_WRITE_EEPROM(1, 1, 3, Bytes{9}); },
         26,
         {1, 0, 3, 9, 0, 0}},
        {"DOWNLOAD", [&] { return CM_MCS_DOWNLOAD(1, 4, 15, 50, block); }, 37, download},
        {"MCU_RESET", [] { return CM_MCS_MCU_RESET(1); }, 4, {}},
        {"SET_LOCK", [] { return CM_MCS_SET_LOCK(1, "12"); }, 47, {'1', '2', 0, 0}},
        {"SET_LOCK long", [] { return CM_MCS_SET_LOCK(1, "123456"); }, 47, {'1', '2', '3', '4'}},
        {"PASS_SUBMIT", [] { return CM_MCS_PASS_SUBMIT(1, "abcd"); }, 45, {0, 'a', 'b', 'c', 'd'}},
        {"PASS_SUBMIT empty", [] { return CM_MCS_PASS_SUBMIT(1, ""); }, 45, {0, 0, 0, 0, 0}},
        {"WORK_MODE", [] { return CM_MCS_WORK_MODE(1, 3, 30); }, 57, {3, 30}},
        {"CMD 0", [] { return CM_MCS_CMD(1, CommandCode::MCS_GET_STATUS); }, 44, {}},
        {"CMD 1", [] { return CM_MCS_CMD(1, CommandCode::MCS_RECALL_PRESET, 30); }, 32, {30}},
        {"CMD 2", [] { return CM_MCS_CMD(1, CommandCode::MCS_COPY_CHANNEL, 3, 8); }, 42, {3, 8}},
    };
    for (const Case& c : cases) {
        const LCmd record = c.make();
        EXPECT_EQ(record.GetId(), std::optional<std::uint8_t>(1)) << c.name;
        EXPECT_EQ(record.GetCode(), c.code) << c.name;
        EXPECT_EQ(record.GetData(), c.payload) << c.name;

        // The frame carries it all, and parses back to code and payload.
        const Bytes frame = Frame(record);
        ASSERT_EQ(frame.size(), c.payload.size() + 9) << c.name;
        EXPECT_EQ(frame[3], 1) << c.name;
        EXPECT_EQ(frame[4], c.payload.size() + 1) << c.name;
        const LCmd parsed(frame, FrameMode::Frame);
        EXPECT_EQ(parsed.GetId(), std::optional<std::uint8_t>(0)) << c.name;  // the sender
        EXPECT_EQ(parsed.GetCode(), c.code) << c.name;
        EXPECT_EQ(parsed.GetData(), c.payload) << c.name;
    }
}

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
TEST(LcmdTest, MalformedFramesHaveNoDeviceId) {
    const Bytes good{0x10, 0x02, 0x01, 0x00, 0x03, 0x40, 0xAA, 0xBB, 0x10, 0x03, 0x00};
    struct Case {
        const char* name;
        Bytes bytes;
        std::uint8_t code;
        Bytes data;
    };
    auto with = [&](std::size_t index, std::uint8_t value) {
        Bytes b = good;
        b[index] = value;
        return b;
    };
    const Case cases[] = {
        {"first byte not DLE", with(0, 0x11), 0x11, {0xAA, 0xBB}},
        {"second byte not STX", with(1, 0x03), 0x10, {0xAA, 0xBB}},
        {"no DLE before ETX", with(8, 0x11), 0x10, {0xAA, 0xBB}},
        {"no ETX", with(9, 0x02), 0x10, {0xAA, 0xBB}},
        {"length claims more than there is", with(4, 0x04), 0x10, {0xAA, 0xBB, 0x10}},
        {"length far beyond the end", with(4, 0xFF), 0x10, {0xAA, 0xBB, 0x10, 0x03, 0x00}},
        {"length zero", with(4, 0x00), 0x10, {}},
        {"eight bytes", {0x10, 0x02, 0x01, 0x00, 0x01, 0x10, 0x10, 0x03}, 0x10, {}},
        {"seven bytes", {0x10, 0x02, 0x01, 0x00, 0x05, 0x10, 0x03}, 0x10, {0x03}},
        {"five bytes", {0x10, 0x02, 0x01, 0x00, 0x05}, 0x10, {}},
        {"one byte", {0x10}, 0x10, {}},
        {"empty", {}, 0, {}},
    };
    for (const Case& c : cases) {
        const LCmd record(c.bytes, FrameMode::Frame);
        EXPECT_FALSE(record.HasId()) << c.name;
        EXPECT_FALSE(record.GetId().has_value()) << c.name;
        for (int id = 0; id <= 255; ++id) {
            EXPECT_FALSE(record.IsFrom(static_cast<std::uint8_t>(id))) << c.name;
        }
        EXPECT_EQ(record.GetCode(), c.code) << c.name;
        EXPECT_EQ(record.GetData(), c.data) << c.name;
    }
    EXPECT_TRUE(LCmd(good, FrameMode::Frame).IsFrom(1));
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

TEST(LcmdTest, CommandCodes) {
    namespace cc = CommandCode;
    const std::pair<std::uint8_t, int> codes[] = {
        {cc::MCS_ACK, 1},
        {cc::CM_MCS_MCU_RESET, 4},
        {cc::MCS_CONNECT, 16},
        {cc::MCS_DISCONNECT, 17},
        {cc::MCS_KEEP_ALIVE, 18},
        {cc::MCS_GET_IDENTITY, 19},
        {cc::MCS_GET_PRESET_NUMBER, 20},
        {cc::CM_MCS_DELAYUNIT, 21},
        {cc::CM_MCS_READ_EEPROM, 25},
        {cc::CM_MCS_WRITE_EEPROM, 26},
        {cc::MCS_RECALL_PRESET, 32},
        {cc::MCS_STORE_PRESET, 33},
        {cc::MCS_GET_PRESET_MAP, 34},
        {cc::MCS_FACTORY_RESET, 35},
        {cc::MCS_SELECT_PRESET, 36},
        {cc::CM_MCS_DOWNLOAD, 37},
        {cc::CM_MCS_PRESETNAME, 38},
        {cc::MCS_READ_SETTINGS_BLOCK, 39},
        {cc::MCS_READ_PRESET_BLOCK, 40},
        {cc::MCS_GET_PRESET_NAME, 41},
        {cc::MCS_COPY_CHANNEL, 42},
        {cc::MCS_GET_STATUS, 44},
        {cc::CM_MCS_PASS_SUBMIT, 45},
        {cc::CM_MCS_SET_LOCK, 47},
        {cc::CM_MCS_COMP, 48},
        {cc::CM_MCS_LOW_PASS, 49},
        {cc::CM_MCS_HIGH_PASS, 50},
        {cc::CM_MCS_PEQ, 51},
        {cc::CM_MCS_GAIN, 52},
        {cc::CM_MCS_MUTE, 53},
        {cc::CM_MCS_POLARITY, 54},
        {cc::CM_MCS_DELAY, 56},
        {cc::CM_MCS_WORK_MODE, 57},
        {cc::CM_MCS_MATRIX, 58},
        {cc::MCS_SET_LINK, 59},
        {cc::MCS_SET_EQ_BYPASS, 60},
        {cc::CM_MCS_CHANNEL_NAME, 61},
        {cc::CM_MCS_GATE, 62},
        {cc::MCS_GET_LEVELS, 64},
    };
    for (const auto& [code, value] : codes) EXPECT_EQ(code, value);
}

}  // namespace
}  // namespace dsp
