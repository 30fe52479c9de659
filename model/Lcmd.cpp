#include "model/Lcmd.h"

#include <algorithm>

namespace dsp {

LCmd::LCmd() : FId(std::uint8_t{0}) {}

LCmd::LCmd(std::uint8_t id, std::uint8_t code) : FId(id), FCode(code) {}

LCmd::LCmd(const std::vector<std::uint8_t>& bytes, int mode) {
    if (mode == FrameMode::Payload) {
        FData = bytes;
        return;
    }
    if (mode != FrameMode::Frame) return;

    const std::size_t n = bytes.size();
    const std::size_t length = n > Frame::LengthIndex ? bytes[Frame::LengthIndex] : 0;
    const bool wellFormed = n >= Frame::MinSize && length > 0 && n >= length + Frame::Overhead &&
                            bytes[0] == Frame::DLE && bytes[1] == Frame::STX &&
                            bytes[n - 3] == Frame::DLE && bytes[n - 2] == Frame::ETX;
    if (wellFormed) {
        FId = bytes[Frame::SenderIndex];
        FCode = bytes[Frame::CodeIndex];
    } else {
        // No device ID; the code is the first byte (0x10 for anything the transports deliver).
        FCode = n > 0 ? bytes[0] : 0;
    }
    // The payload: the Length - 1 bytes from byte 6 on, as far as the vector holds them.
    const std::size_t start = std::min(Frame::PayloadIndex, n);
    const std::size_t count = std::min(length > 0 ? length - 1 : 0, n - start);
    FData.assign(bytes.begin() + static_cast<std::ptrdiff_t>(start),
                 bytes.begin() + static_cast<std::ptrdiff_t>(start + count));
}

LCmd::~LCmd() = default;

void LCmd::Append16(std::uint16_t value) {
    FData.push_back(static_cast<std::uint8_t>(value & 0xFF));
    FData.push_back(static_cast<std::uint8_t>(value >> 8));
}

void LCmd::AppendPadded(std::span<const std::uint8_t> bytes, std::size_t count) {
    const std::size_t copied = std::min(count, bytes.size());
    FData.insert(FData.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(copied));
    FData.insert(FData.end(), count - copied, 0);
}

std::vector<std::uint8_t> LCmd::EncodeFrame(const LCmd& record, int mode) {
    if (mode == FrameMode::Payload) return record.FData;
    if (mode != FrameMode::Frame) return {};

    std::vector<std::uint8_t> frame;
    frame.reserve(record.FData.size() + Frame::Overhead);
    std::uint8_t check = 0;
    const auto put = [&](std::uint8_t byte) {
        frame.push_back(byte);
        check ^= byte;
    };
    put(Frame::DLE);
    put(Frame::STX);
    put(Frame::EditorId);
    put(record.FId.value_or(0));
    put(static_cast<std::uint8_t>(record.FData.size() + 1));
    put(record.FCode);
    for (std::uint8_t byte : record.FData) put(byte);
    put(Frame::DLE);
    put(Frame::ETX);
    frame.push_back(check);
    return frame;
}

namespace {

// The first four bytes of a password text, zero padded.
std::array<std::uint8_t, 4> PasswordBytes(std::string_view password) {
    std::array<std::uint8_t, 4> bytes{};
    for (std::size_t i = 0; i < bytes.size() && i < password.size(); ++i) {
        bytes[i] = static_cast<std::uint8_t>(password[i]);
    }
    return bytes;
}

}  // namespace

CM_MCS_COMP::CM_MCS_COMP(std::uint8_t id, std::uint8_t channel, const CompressorParams& comp)
    : LCmd(id, CommandCode::CM_MCS_COMP) {
    Append(channel);
    Append(comp.Ratio);
    Append(comp.Knee);
    Append16(comp.Attack);
    Append16(comp.Release);
    Append16(comp.Threshold);
}
CM_MCS_COMP::~CM_MCS_COMP() = default;

CM_MCS_GATE::CM_MCS_GATE(std::uint8_t id, std::uint8_t channel, const GateParams& gate)
    : LCmd(id, CommandCode::CM_MCS_GATE) {
    Append(channel);
    Append16(gate.Attack);
    Append16(gate.Release);
    Append16(gate.Hold);
    Append16(gate.Threshold);
}
CM_MCS_GATE::~CM_MCS_GATE() = default;

CM_MCS_POLARITY::CM_MCS_POLARITY(std::uint8_t id, std::uint8_t channel, int polarity)
    : LCmd(id, CommandCode::CM_MCS_POLARITY) {
    Append(channel);
    Append(polarity != 0 ? 1 : 0);
}
CM_MCS_POLARITY::~CM_MCS_POLARITY() = default;

CM_MCS_PEQ::CM_MCS_PEQ(std::uint8_t id, std::uint8_t channel, std::uint8_t band,
                       const PeqBandParams& peq, std::uint8_t bypass)
    : LCmd(id, CommandCode::CM_MCS_PEQ) {
    Append(channel);
    Append(band);
    Append16(peq.Gain);
    Append16(peq.Freq);
    Append(peq.Q);
    Append(peq.Type);
    Append(bypass);
}
CM_MCS_PEQ::~CM_MCS_PEQ() = default;

CM_MCS_HIGH_PASS::CM_MCS_HIGH_PASS(std::uint8_t id, std::uint8_t channel, std::uint16_t freq,
                                   std::uint8_t slope)
    : LCmd(id, CommandCode::CM_MCS_HIGH_PASS) {
    Append(channel);
    Append16(freq);
    Append(slope);
}
CM_MCS_HIGH_PASS::~CM_MCS_HIGH_PASS() = default;

CM_MCS_LOW_PASS::CM_MCS_LOW_PASS(std::uint8_t id, std::uint8_t channel, std::uint16_t freq,
                                 std::uint8_t slope)
    : LCmd(id, CommandCode::CM_MCS_LOW_PASS) {
    Append(channel);
    Append16(freq);
    Append(slope);
}
CM_MCS_LOW_PASS::~CM_MCS_LOW_PASS() = default;

CM_MCS_GAIN::CM_MCS_GAIN(std::uint8_t id, std::uint8_t channel, std::uint16_t gain)
    : LCmd(id, CommandCode::CM_MCS_GAIN) {
    Append(channel);
    Append16(gain);
}
CM_MCS_GAIN::~CM_MCS_GAIN() = default;

CM_MCS_DELAY::CM_MCS_DELAY(std::uint8_t id, std::uint8_t channel, std::uint16_t delay)
    : LCmd(id, CommandCode::CM_MCS_DELAY) {
    Append(channel);
    Append16(delay);
}
CM_MCS_DELAY::~CM_MCS_DELAY() = default;

CM_MCS_DELAYUNIT::CM_MCS_DELAYUNIT(std::uint8_t id, std::uint8_t unit)
    : LCmd(id, CommandCode::CM_MCS_DELAYUNIT) {
    Append(unit);
}
CM_MCS_DELAYUNIT::~CM_MCS_DELAYUNIT() = default;

CM_MCS_MATRIX::CM_MCS_MATRIX(std::uint8_t id, std::uint8_t channel, std::uint16_t mask)
    : LCmd(id, CommandCode::CM_MCS_MATRIX) {
    Append(channel);
    Append(static_cast<std::uint8_t>(mask & 0xFF));
}
CM_MCS_MATRIX::~CM_MCS_MATRIX() = default;

CM_MCS_MUTE::CM_MCS_MUTE(std::uint8_t id, std::uint8_t channel, std::uint8_t mute)
    : LCmd(id, CommandCode::CM_MCS_MUTE) {
    Append(channel);
    Append(mute);
}
CM_MCS_MUTE::~CM_MCS_MUTE() = default;

CM_MCS_CHANNEL_NAME::CM_MCS_CHANNEL_NAME(std::uint8_t id, std::uint8_t channel,
                                         const ChannelNameBytes& name)
    : LCmd(id, CommandCode::CM_MCS_CHANNEL_NAME) {
    Append(channel);
    AppendBytes(name);
}
CM_MCS_CHANNEL_NAME::~CM_MCS_CHANNEL_NAME() = default;

CM_MCS_PRESETNAME::CM_MCS_PRESETNAME(std::uint8_t id, const PresetNameBytes& name)
    : LCmd(id, CommandCode::CM_MCS_PRESETNAME) {
    AppendBytes(name);
}
CM_MCS_PRESETNAME::~CM_MCS_PRESETNAME() = default;

CM_MCS_READ_EEPROM::CM_MCS_READ_EEPROM(std::uint8_t id, std::uint16_t address, std::uint8_t count)
    : LCmd(id, CommandCode::CM_MCS_READ_EEPROM) {
    Append16(address);
    Append(count);
}
CM_MCS_READ_EEPROM::~CM_MCS_READ_EEPROM() = default;

CM_MCS_WRITE_EEPROM::CM_MCS_WRITE_EEPROM(std::uint8_t id, std::uint16_t address, std::uint8_t count,
                                         std::span<const std::uint8_t> data)
    : LCmd(id, CommandCode::CM_MCS_WRITE_EEPROM) {
    Append16(address);
    Append(count);
    AppendPadded(data, count);
}
CM_MCS_WRITE_EEPROM::~CM_MCS_WRITE_EEPROM() = default;

CM_MCS_DOWNLOAD::CM_MCS_DOWNLOAD(std::uint8_t id, std::uint8_t slot, std::uint8_t block,
                                 std::uint8_t count, std::span<const std::uint8_t> data)
    : LCmd(id, CommandCode::CM_MCS_DOWNLOAD) {
    Append(block);
    Append(slot);
    AppendPadded(data, count);
}
CM_MCS_DOWNLOAD::~CM_MCS_DOWNLOAD() = default;

CM_MCS_MCU_RESET::CM_MCS_MCU_RESET(std::uint8_t id) : LCmd(id, CommandCode::CM_MCS_MCU_RESET) {}
CM_MCS_MCU_RESET::~CM_MCS_MCU_RESET() = default;

CM_MCS_SET_LOCK::CM_MCS_SET_LOCK(std::uint8_t id, std::string_view password)
    : LCmd(id, CommandCode::CM_MCS_SET_LOCK) {
    AppendBytes(PasswordBytes(password));
}
CM_MCS_SET_LOCK::~CM_MCS_SET_LOCK() = default;

CM_MCS_PASS_SUBMIT::CM_MCS_PASS_SUBMIT(std::uint8_t id, std::string_view password)
    : LCmd(id, CommandCode::CM_MCS_PASS_SUBMIT) {
    Append(0);
    AppendBytes(PasswordBytes(password));
}
CM_MCS_PASS_SUBMIT::~CM_MCS_PASS_SUBMIT() = default;

CM_MCS_WORK_MODE::CM_MCS_WORK_MODE(std::uint8_t id, std::uint8_t mode, std::uint8_t sineIndex)
    : LCmd(id, CommandCode::CM_MCS_WORK_MODE) {
    Append(mode);
    Append(sineIndex);
}
CM_MCS_WORK_MODE::~CM_MCS_WORK_MODE() = default;

CM_MCS_CMD::CM_MCS_CMD(std::uint8_t id, std::uint8_t code) : LCmd(id, code) {}
CM_MCS_CMD::CM_MCS_CMD(std::uint8_t id, std::uint8_t code, std::uint8_t p1) : LCmd(id, code) {
    Append(p1);
}
CM_MCS_CMD::CM_MCS_CMD(std::uint8_t id, std::uint8_t code, std::uint8_t p1, std::uint8_t p2)
    : LCmd(id, code) {
    Append(p1);
    Append(p2);
}
CM_MCS_CMD::~CM_MCS_CMD() = default;

}  // namespace dsp
