// libFuzzer target over the frame codec. Every input is used four ways:
//   1. parsed as a received frame: no read outside the bytes, and the record obeys the frame
//      rules (a device ID only for a well formed frame, the payload as Length says);
//   2. taken as device ID, code and payload of a record, encoded and parsed back: the same code
//      and payload, and a check byte that makes the XOR of the whole frame 0;
//   3. as the arguments of one of the record classes, encoded and parsed back;
//   4. as values for the conversions of the value encodings (no undefined behaviour).
// A broken rule aborts, which libFuzzer reports as a crash.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "model/Encodings.h"
#include "model/Lcmd.h"

namespace dsp {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Check(bool condition) {
    if (!condition) std::abort();
}

// A record with any code and payload.
class FuzzRecord : public LCmd {
public:
    FuzzRecord(std::uint8_t id, std::uint8_t code, const std::uint8_t* data, std::size_t size)
        : LCmd(id, code) {
        AppendBytes(std::span<const std::uint8_t>(data, size));
    }
};

void CheckParse(const Bytes& bytes) {
    const LCmd record(bytes, FrameMode::Frame);
    const std::size_t n = bytes.size();
    const Bytes& data = record.GetData();
    if (record.HasId()) {
        Check(n >= Frame::MinSize);
        Check(bytes[0] == Frame::DLE && bytes[1] == Frame::STX);
        Check(bytes[n - 3] == Frame::DLE && bytes[n - 2] == Frame::ETX);
        Check(bytes[Frame::LengthIndex] >= 1);
        Check(n >= bytes[Frame::LengthIndex] + Frame::Overhead);
        Check(*record.GetId() == bytes[Frame::SenderIndex]);
        Check(record.GetCode() == bytes[Frame::CodeIndex]);
        Check(data.size() + 1 == bytes[Frame::LengthIndex]);
    } else {
        for (int id = 0; id <= 255; ++id) Check(!record.IsFrom(static_cast<std::uint8_t>(id)));
        Check(record.GetCode() == (n > 0 ? bytes[0] : 0));
    }
    const std::size_t start = std::min(Frame::PayloadIndex, n);
    Check(data.size() <= n - start);
    Check(std::equal(data.begin(), data.end(), bytes.begin() + static_cast<std::ptrdiff_t>(start)));

    // A parsed record encodes again to a frame with the same code and payload.
    const Bytes again = LCmd::EncodeFrame(record, FrameMode::Frame);
    Check(again.size() == data.size() + Frame::MinSize);
    Check(again[Frame::CodeIndex] == record.GetCode());

    const LCmd payload(bytes, FrameMode::Payload);
    Check(!payload.HasId() && payload.GetData() == bytes);
    const LCmd other(bytes, 2);
    Check(!other.HasId() && other.GetData().empty());
}

void CheckRoundTrip(const LCmd& record) {
    const Bytes frame = LCmd::EncodeFrame(record, FrameMode::Frame);
    const Bytes& data = record.GetData();
    Check(frame.size() == data.size() + Frame::MinSize);
    std::uint8_t all = 0;
    for (std::uint8_t b : frame) all ^= b;
    Check(all == 0);
    Check(frame[Frame::ReceiverIndex] == record.GetId().value_or(0));
    Check(LCmd::EncodeFrame(record, FrameMode::Payload) == data);
    Check(LCmd::EncodeFrame(record, 3).empty());

    const LCmd parsed(frame, FrameMode::Frame);
    if (data.size() <= 254) {
        Check(parsed.IsFrom(Frame::EditorId));
        Check(parsed.GetCode() == record.GetCode());
        Check(parsed.GetData() == data);
    }
    CheckParse(frame);
}

// One record class chosen and filled from the input; its payload has the size its layout gives.
void CheckRecordClass(FuzzedDataProvider& in) {
    const std::uint8_t id = in.ConsumeIntegral<std::uint8_t>();
    const std::uint8_t ch = in.ConsumeIntegral<std::uint8_t>();
    const auto u8 = [&] { return in.ConsumeIntegral<std::uint8_t>(); };
    const auto u16 = [&] { return in.ConsumeIntegral<std::uint16_t>(); };
    PeqBandParams peq{Le16(u16()), Le16(u16()), u8(), u8()};
    GateParams gate{Le16(u16()), Le16(u16()), Le16(u16()), Le16(u16())};
    CompressorParams comp{u8(), u8(), Le16(u16()), Le16(u16()), Le16(u16())};
    ChannelNameBytes channelName{};
    PresetNameBytes presetName{};
    for (auto& b : channelName) b = u8();
    for (auto& b : presetName) b = u8();
    const std::string password = in.ConsumeRandomLengthString(8);
    const std::uint8_t count = u8();
    const Bytes blob =
        in.ConsumeBytes<std::uint8_t>(in.ConsumeIntegralInRange<std::size_t>(0, 300));

    const auto check = [](const LCmd& record, std::uint8_t code, std::size_t size) {
        Check(record.GetCode() == code);
        Check(record.GetData().size() == size);
        CheckRoundTrip(record);
    };
    namespace cc = CommandCode;
    switch (in.ConsumeIntegralInRange<int>(0, 22)) {
        case 0: check(CM_MCS_COMP(id, ch, comp), cc::CM_MCS_COMP, 9); break;
        case 1: check(CM_MCS_GATE(id, ch, gate), cc::CM_MCS_GATE, 9); break;
        case 2: {
            const CM_MCS_POLARITY record(id, ch, in.ConsumeIntegral<int>());
            check(record, cc::CM_MCS_POLARITY, 2);
            Check(record.GetData()[1] <= 1);
            break;
        }
        case 3: check(CM_MCS_PEQ(id, ch, u8(), peq, u8()), cc::CM_MCS_PEQ, 9); break;
        case 4: check(CM_MCS_HIGH_PASS(id, ch, u16(), u8()), cc::CM_MCS_HIGH_PASS, 4); break;
        case 5: check(CM_MCS_LOW_PASS(id, ch, u16(), u8()), cc::CM_MCS_LOW_PASS, 4); break;
        case 6: check(CM_MCS_GAIN(id, ch, u16()), cc::CM_MCS_GAIN, 3); break;
        case 7: check(CM_MCS_DELAY(id, ch, u16()), cc::CM_MCS_DELAY, 3); break;
        case 8: check(CM_MCS_DELAYUNIT(id, ch), cc::CM_MCS_DELAYUNIT, 1); break;
        case 9: check(CM_MCS_MATRIX(id, ch, u16()), cc::CM_MCS_MATRIX, 2); break;
        case 10: check(CM_MCS_MUTE(id, ch, u8()), cc::CM_MCS_MUTE, 2); break;
        case 11: check(CM_MCS_CHANNEL_NAME(id, ch, channelName), cc::CM_MCS_CHANNEL_NAME, 9); break;
        case 12: check(CM_MCS_PRESETNAME(id, presetName), cc::CM_MCS_PRESETNAME, 14); break;
        case 13: check(CM_MCS_READ_EEPROM(id, u16(), count), cc::CM_MCS_READ_EEPROM, 3); break;
        case 14:
            check(CM_MCS_WRITE_EEPROM(id, u16(), count, blob), cc::CM_MCS_WRITE_EEPROM, 3u + count);
            break;
        case 15:
            check(CM_MCS_DOWNLOAD(id, ch, u8(), count, blob), cc::CM_MCS_DOWNLOAD, 2u + count);
            break;
        case 16: check(CM_MCS_MCU_RESET(id), cc::CM_MCS_MCU_RESET, 0); break;
        case 17: check(CM_MCS_SET_LOCK(id, password), cc::CM_MCS_SET_LOCK, 4); break;
        case 18: check(CM_MCS_PASS_SUBMIT(id, password), cc::CM_MCS_PASS_SUBMIT, 5); break;
        case 19: check(CM_MCS_WORK_MODE(id, ch, u8()), cc::CM_MCS_WORK_MODE, 2); break;
        case 20: check(CM_MCS_CMD(id, ch), ch, 0); break;
        case 21: check(CM_MCS_CMD(id, ch, u8()), ch, 1); break;
        default: check(CM_MCS_CMD(id, ch, u8(), u8()), ch, 2); break;
    }
}

void CheckEncodings(FuzzedDataProvider& in) {
    const double x = in.ConsumeFloatingPoint<double>();
    const int i = in.ConsumeIntegral<int>();
    (void)FreqIndexToHz(i);
    (void)FreqHzToIndex(x);
    (void)GainIndexToDb(i);
    (void)GainDbToIndex(x);
    (void)QValueToIndex(x);
    (void)DelayToSamples(x, i);
    (void)DelayToSamples(x, in.ConsumeIntegralInRange<int>(0, 2));
    if (i >= 0 && i <= 300) Check(FreqHzToIndex(FreqIndexToHz(i)) == i);
    if (i >= 0 && i <= 100) Check(QValueToIndex(QTable[static_cast<std::size_t>(i)]) == i);
}

}  // namespace
}  // namespace dsp

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace dsp;
    const Bytes bytes(data, data + size);
    CheckParse(bytes);
    if (size >= 2) CheckRoundTrip(FuzzRecord(data[0], data[1], data + 2, size - 2));
    FuzzedDataProvider in(data, size);
    CheckRecordClass(in);
    FuzzedDataProvider values(data, size);
    CheckEncodings(values);
    return 0;
}
