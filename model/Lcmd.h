#pragma once
// Command records and their frame codec. Every exchange with the processor is an LCmd: device ID,
// command code and payload bytes. Each command sent with parameters has a record class (prefix
// CM_MCS_) whose constructor lays out the payload; CM_MCS_CMD covers commands with at most two
// parameter bytes. LCmd::EncodeFrame turns a record into a frame, the parse constructor turns a
// received frame back into a record.
//
// Frame (n payload bytes, Length = n + 1, Length + 8 bytes in all, no byte stuffing):
//   0x10 0x02 sender receiver Length code payload... 0x10 0x03 check
// where check is the XOR of every byte before it. The editor sends as sender 0.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "model/UnitImage.h"

namespace dsp {

// Command codes: every code the editor sends or acts on. Codes that have a record class of their
// own carry the class's name.
namespace CommandCode {
inline constexpr std::uint8_t MCS_ACK = 1;  // acknowledgement, from the processor
inline constexpr std::uint8_t CM_MCS_MCU_RESET = 4;
inline constexpr std::uint8_t MCS_CONNECT = 16;
inline constexpr std::uint8_t MCS_DISCONNECT = 17;
inline constexpr std::uint8_t MCS_KEEP_ALIVE = 18;
inline constexpr std::uint8_t MCS_GET_IDENTITY = 19;
inline constexpr std::uint8_t MCS_GET_PRESET_NUMBER = 20;
inline constexpr std::uint8_t CM_MCS_DELAYUNIT = 21;
inline constexpr std::uint8_t CM_MCS_READ_EEPROM = 25;
inline constexpr std::uint8_t CM_MCS_WRITE_EEPROM = 26;
inline constexpr std::uint8_t MCS_RECALL_PRESET = 32;  // preset number 0 to 30
inline constexpr std::uint8_t MCS_STORE_PRESET = 33;   // preset number 1 to 30
inline constexpr std::uint8_t MCS_GET_PRESET_MAP = 34;
inline constexpr std::uint8_t MCS_FACTORY_RESET = 35;
inline constexpr std::uint8_t MCS_SELECT_PRESET = 36;  // preset number 1 to 30
inline constexpr std::uint8_t CM_MCS_DOWNLOAD = 37;
inline constexpr std::uint8_t CM_MCS_PRESETNAME = 38;
inline constexpr std::uint8_t MCS_READ_SETTINGS_BLOCK = 39;  // block 0 to 15; answered by code 36
inline constexpr std::uint8_t MCS_READ_PRESET_BLOCK = 40;    // block 0 to 15
inline constexpr std::uint8_t MCS_GET_PRESET_NAME = 41;      // slot index 0 to 29
inline constexpr std::uint8_t MCS_COPY_CHANNEL = 42;         // source channel, target channel
inline constexpr std::uint8_t MCS_GET_STATUS = 44;  // no payload; reply byte 5 != 0: locked
inline constexpr std::uint8_t CM_MCS_PASS_SUBMIT = 45;
inline constexpr std::uint8_t CM_MCS_SET_LOCK = 47;
inline constexpr std::uint8_t CM_MCS_COMP = 48;
inline constexpr std::uint8_t CM_MCS_LOW_PASS = 49;
inline constexpr std::uint8_t CM_MCS_HIGH_PASS = 50;
inline constexpr std::uint8_t CM_MCS_PEQ = 51;
inline constexpr std::uint8_t CM_MCS_GAIN = 52;
inline constexpr std::uint8_t CM_MCS_MUTE = 53;
inline constexpr std::uint8_t CM_MCS_POLARITY = 54;
inline constexpr std::uint8_t CM_MCS_DELAY = 56;
inline constexpr std::uint8_t CM_MCS_WORK_MODE = 57;
inline constexpr std::uint8_t CM_MCS_MATRIX = 58;
inline constexpr std::uint8_t MCS_SET_LINK = 59;       // channel, low byte of the link mask
inline constexpr std::uint8_t MCS_SET_EQ_BYPASS = 60;  // channel, 1 bypassed or 0
inline constexpr std::uint8_t CM_MCS_CHANNEL_NAME = 61;
inline constexpr std::uint8_t CM_MCS_GATE = 62;
inline constexpr std::uint8_t MCS_GET_LEVELS = 64;
}  // namespace CommandCode

// Frame markers and sizes.
namespace Frame {
inline constexpr std::uint8_t DLE = 0x10;
inline constexpr std::uint8_t STX = 0x02;
inline constexpr std::uint8_t ETX = 0x03;
inline constexpr std::size_t SenderIndex = 2;
inline constexpr std::size_t ReceiverIndex = 3;
inline constexpr std::size_t LengthIndex = 4;  // Length: the code byte and the payload
inline constexpr std::size_t CodeIndex = 5;
inline constexpr std::size_t PayloadIndex = 6;
inline constexpr std::size_t Overhead = 8;   // frame size = Length + Overhead
inline constexpr std::size_t MinSize = 9;    // an empty payload: Length 1
inline constexpr std::uint8_t EditorId = 0;  // sender ID of every frame from the editor
}  // namespace Frame

// Modes of LCmd::EncodeFrame and of the parse constructor.
namespace FrameMode {
inline constexpr int Payload = 0;  // the payload bytes alone
inline constexpr int Frame = 1;    // a whole frame
}  // namespace FrameMode

class LCmd {
public:
    // Device ID 0, code 0, empty payload.
    LCmd();
    // A record with an empty payload.
    LCmd(std::uint8_t id, std::uint8_t code);
    // A record from received bytes. FrameMode::Frame parses a frame: a well formed one gives the
    // sender's device ID, its code and its payload; one that is not well formed (wrong markers,
    // fewer than 9 bytes, fewer bytes than its Length byte claims, Length 0) gives a record
    // without a device ID (GetId() is empty), the first byte as its code and whatever payload
    // bytes are there. FrameMode::Payload makes the whole vector the payload of a record without
    // a device ID and with code 0; any other mode gives that record with an empty payload.
    // No byte outside the vector is read, and the check byte is not verified.
    LCmd(const std::vector<std::uint8_t>& bytes, int mode);

    LCmd(const LCmd&) = default;
    LCmd& operator=(const LCmd&) = default;
    LCmd(LCmd&&) = default;
    LCmd& operator=(LCmd&&) = default;
    virtual ~LCmd();

    // The device ID: the processor a command goes to, or in a parsed reply the one that sent
    // it. Empty for a record parsed from bytes that were not a well formed frame, so such a
    // record never matches a device ID and is never taken for a reply.
    std::optional<std::uint8_t> GetId() const { return FId; }
    bool HasId() const { return FId.has_value(); }
    // True when the record has a device ID and it equals id.
    bool IsFrom(std::uint8_t id) const { return FId == id; }
    std::uint8_t GetCode() const { return FCode; }
    const std::vector<std::uint8_t>& GetData() const { return FData; }

    // FrameMode::Payload: the payload alone; FrameMode::Frame: the whole frame, sent as sender 0
    // to the record's device ID (0 for a record without one); any other mode: empty.
    static std::vector<std::uint8_t> EncodeFrame(const LCmd& record, int mode);

protected:
    void Append(std::uint8_t byte) { FData.push_back(byte); }
    void Append16(std::uint16_t value);
    void AppendBytes(std::span<const std::uint8_t> bytes) {
        FData.insert(FData.end(), bytes.begin(), bytes.end());
    }
    // The first count bytes of bytes, zero filled beyond its end.
    void AppendPadded(std::span<const std::uint8_t> bytes, std::size_t count);

    std::optional<std::uint8_t> FId;
    std::uint8_t FCode = 0;
    std::vector<std::uint8_t> FData;
};

// Channel indexes: 0 to 2 InA to InC, 3 to 8 Out1 to Out6. Every 16-bit value goes low byte first.

// 48: channel, Ratio, Knee, Attack, Release, Threshold (9 bytes).
class CM_MCS_COMP : public LCmd {
public:
    CM_MCS_COMP(std::uint8_t id, std::uint8_t channel, const CompressorParams& comp);
    ~CM_MCS_COMP() override;
};

// 62: channel, Attack, Release, Hold, Threshold (9 bytes).
class CM_MCS_GATE : public LCmd {
public:
    CM_MCS_GATE(std::uint8_t id, std::uint8_t channel, const GateParams& gate);
    ~CM_MCS_GATE() override;
};

// 54: channel, 1 when polarity is not 0 else 0 (2 bytes).
class CM_MCS_POLARITY : public LCmd {
public:
    CM_MCS_POLARITY(std::uint8_t id, std::uint8_t channel, int polarity);
    ~CM_MCS_POLARITY() override;
};

// 51: channel, band, Gain, Freq, Q, Type, the bypass flag unchanged (9 bytes).
class CM_MCS_PEQ : public LCmd {
public:
    CM_MCS_PEQ(std::uint8_t id, std::uint8_t channel, std::uint8_t band, const PeqBandParams& peq,
               std::uint8_t bypass);
    ~CM_MCS_PEQ() override;
};

// 50: channel, frequency index, slope (4 bytes).
class CM_MCS_HIGH_PASS : public LCmd {
public:
    CM_MCS_HIGH_PASS(std::uint8_t id, std::uint8_t channel, std::uint16_t freq, std::uint8_t slope);
    ~CM_MCS_HIGH_PASS() override;
};

// 49: channel, frequency index, slope (4 bytes).
class CM_MCS_LOW_PASS : public LCmd {
public:
    CM_MCS_LOW_PASS(std::uint8_t id, std::uint8_t channel, std::uint16_t freq, std::uint8_t slope);
    ~CM_MCS_LOW_PASS() override;
};

// 52: channel, channel gain code (3 bytes).
class CM_MCS_GAIN : public LCmd {
public:
    CM_MCS_GAIN(std::uint8_t id, std::uint8_t channel, std::uint16_t gain);
    ~CM_MCS_GAIN() override;
};

// 56: channel, delay in samples (3 bytes).
class CM_MCS_DELAY : public LCmd {
public:
    CM_MCS_DELAY(std::uint8_t id, std::uint8_t channel, std::uint16_t delay);
    ~CM_MCS_DELAY() override;
};

// 21: delay unit 0 ms, 1 metres, 2 feet (1 byte).
class CM_MCS_DELAYUNIT : public LCmd {
public:
    CM_MCS_DELAYUNIT(std::uint8_t id, std::uint8_t unit);
    ~CM_MCS_DELAYUNIT() override;
};

// 58: output channel, low byte of the routing mask (2 bytes).
class CM_MCS_MATRIX : public LCmd {
public:
    CM_MCS_MATRIX(std::uint8_t id, std::uint8_t channel, std::uint16_t mask);
    ~CM_MCS_MATRIX() override;
};

// 53: channel, the mute flag unchanged (2 bytes).
class CM_MCS_MUTE : public LCmd {
public:
    CM_MCS_MUTE(std::uint8_t id, std::uint8_t channel, std::uint8_t mute);
    ~CM_MCS_MUTE() override;
};

// 61: channel, the 8 name bytes (9 bytes).
class CM_MCS_CHANNEL_NAME : public LCmd {
public:
    CM_MCS_CHANNEL_NAME(std::uint8_t id, std::uint8_t channel, const ChannelNameBytes& name);
    ~CM_MCS_CHANNEL_NAME() override;
};

// 38: the 14 preset name bytes.
class CM_MCS_PRESETNAME : public LCmd {
public:
    CM_MCS_PRESETNAME(std::uint8_t id, const PresetNameBytes& name);
    ~CM_MCS_PRESETNAME() override;
};

// 25: device memory address, count (3 bytes).
class CM_MCS_READ_EEPROM : public LCmd {
public:
    CM_MCS_READ_EEPROM(std::uint8_t id, std::uint16_t address, std::uint8_t count);
    ~CM_MCS_READ_EEPROM() override;
};

// 26: device memory address, count (0 to 127), then count bytes of data (zero filled when data
// is shorter).
class CM_MCS_WRITE_EEPROM : public LCmd {
public:
    CM_MCS_WRITE_EEPROM(std::uint8_t id, std::uint16_t address, std::uint8_t count,
                        std::span<const std::uint8_t> data);
    ~CM_MCS_WRITE_EEPROM() override;
};

// 37: block, slot index, then count bytes of data (zero filled when data is shorter). Note the
// arguments take the slot before the block; the wire has the block first.
class CM_MCS_DOWNLOAD : public LCmd {
public:
    CM_MCS_DOWNLOAD(std::uint8_t id, std::uint8_t slot, std::uint8_t block, std::uint8_t count,
                    std::span<const std::uint8_t> data);
    ~CM_MCS_DOWNLOAD() override;
};

// 4: no payload.
class CM_MCS_MCU_RESET : public LCmd {
public:
    explicit CM_MCS_MCU_RESET(std::uint8_t id);
    ~CM_MCS_MCU_RESET() override;
};

// 47: the first four bytes of the password text, zero padded (4 bytes).
class CM_MCS_SET_LOCK : public LCmd {
public:
    CM_MCS_SET_LOCK(std::uint8_t id, std::string_view password);
    ~CM_MCS_SET_LOCK() override;
};

// 45: 0, then the first four bytes of the password text, zero padded (5 bytes).
class CM_MCS_PASS_SUBMIT : public LCmd {
public:
    CM_MCS_PASS_SUBMIT(std::uint8_t id, std::string_view password);
    ~CM_MCS_PASS_SUBMIT() override;
};

// 57: mode (0 analog input, 1 pink noise, 2 white noise, 3 sine), sine index 0 to 30 (2 bytes).
class CM_MCS_WORK_MODE : public LCmd {
public:
    CM_MCS_WORK_MODE(std::uint8_t id, std::uint8_t mode, std::uint8_t sineIndex);
    ~CM_MCS_WORK_MODE() override;
};

// Any code with no, one or two parameter bytes, in argument order.
class CM_MCS_CMD : public LCmd {
public:
    CM_MCS_CMD(std::uint8_t id, std::uint8_t code);
    CM_MCS_CMD(std::uint8_t id, std::uint8_t code, std::uint8_t p1);
    CM_MCS_CMD(std::uint8_t id, std::uint8_t code, std::uint8_t p1, std::uint8_t p2);
    ~CM_MCS_CMD() override;
};

}  // namespace dsp
