#pragma once
// The processor's complete parameter set: a packed, little-endian image of 798 bytes. The same
// bytes are the processor's memory layout; they travel whole in device memory blocks, unit files
// and preset slots. Every field has typed access through the structs below, whose layout is the
// byte layout (all members have alignment 1), and the whole image has a byte view.
//
// Channel index ch: 0 to 2 are the inputs InA to InC, 3 to 8 the outputs Out1 to Out6.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <type_traits>

namespace dsp {

// An unsigned 16-bit field stored low byte first, with alignment 1. It reads as std::uint16_t
// and takes a std::uint16_t by assignment.
class Le16 {
public:
    Le16() = default;
    constexpr explicit Le16(std::uint16_t value) { *this = value; }

    constexpr operator std::uint16_t() const {
        return static_cast<std::uint16_t>(bytes_[0] | (bytes_[1] << 8));
    }
    constexpr Le16& operator=(std::uint16_t value) {
        bytes_[0] = static_cast<std::uint8_t>(value & 0xFF);
        bytes_[1] = static_cast<std::uint8_t>(value >> 8);
        return *this;
    }
    constexpr std::uint8_t Low() const { return bytes_[0]; }
    constexpr std::uint8_t High() const { return bytes_[1]; }

    constexpr bool operator==(const Le16&) const = default;

private:
    std::uint8_t bytes_[2];
};

using ChannelNameBytes = std::array<std::uint8_t, 8>;  // zero padded 8-bit characters
using PresetNameBytes = std::array<std::uint8_t, 14>;  // zero padded, no terminator at 14

// One EQ band (6 bytes): Gain is the EQ gain index (0 to 240, 120 = 0 dB), Freq the frequency
// index (0 to 300), Q the Q index (0 to 100), Type a PeqType (0 to 6).
struct PeqBandParams {
    Le16 Gain;
    Le16 Freq;
    std::uint8_t Q;
    std::uint8_t Type;
    constexpr bool operator==(const PeqBandParams&) const = default;
};

// The crossover of a channel (6 bytes): frequency indexes and slope codes (0 = filter off).
struct CrossoverParams {
    Le16 HighPassFreq;
    Le16 LowPassFreq;
    std::uint8_t HighPassSlope;
    std::uint8_t LowPassSlope;
    constexpr bool operator==(const CrossoverParams&) const = default;
};

// The noise gate of an input (8 bytes). Times are shown as value + 1 ms; the threshold in dB is
// (value - 180) / 2.
struct GateParams {
    Le16 Attack;
    Le16 Release;
    Le16 Hold;
    Le16 Threshold;
    constexpr bool operator==(const GateParams&) const = default;
};

// The compressor of an output (8 bytes): Ratio indexes RatioNames/RatioValues, Knee in dB.
struct CompressorParams {
    std::uint8_t Ratio;
    std::uint8_t Knee;
    Le16 Attack;
    Le16 Release;
    Le16 Threshold;
    constexpr bool operator==(const CompressorParams&) const = default;
};

inline constexpr int InputBandCount = 8;
inline constexpr int OutputBandCount = 9;

// An input channel (78 bytes).
struct InputChannelParams {
    ChannelNameBytes Name;
    GateParams Gate;
    std::array<PeqBandParams, InputBandCount> Bands;
    CrossoverParams Crossover;
    Le16 Gain;      // channel gain code: 280 = 0 dB
    Le16 Polarity;  // 0 normal, 1 inverted
    Le16 Delay;     // samples at 96 kHz
    Le16 LinkMask;  // bit i: input i
    constexpr bool operator==(const InputChannelParams&) const = default;
};

// An output channel (86 bytes).
struct OutputChannelParams {
    ChannelNameBytes Name;
    Le16 RoutingMask;  // bit i: input i feeds this output
    CrossoverParams Crossover;
    std::array<PeqBandParams, OutputBandCount> Bands;
    CompressorParams Compressor;
    Le16 Gain;
    Le16 Polarity;
    Le16 Delay;
    Le16 LinkMask;  // bit j: output j + 1
    constexpr bool operator==(const OutputChannelParams&) const = default;
};

inline constexpr int InputCount = 3;
inline constexpr int OutputCount = 6;
inline constexpr int ChannelCount = InputCount + OutputCount;
inline constexpr std::size_t UnitImageSize = 798;

// The whole image (798 bytes).
struct UnitImage {
    std::uint8_t PresetStatus;  // 0xFF in a stored preset slot that is in use
    std::uint8_t Reserved;
    PresetNameBytes PresetName;
    std::array<InputChannelParams, InputCount> Inputs;
    std::array<OutputChannelParams, OutputCount> Outputs;
    Le16 InputMuteMask;                              // bit i: input i muted
    Le16 OutputMuteMask;                             // bit j: output j + 1 muted
    std::array<Le16, ChannelCount> BandBypassMasks;  // by channel index; bit b: band b bypassed
    Le16 TestSignalMode;      // 0 analog input, 1 pink noise, 2 white noise, 3 sine
    Le16 SineIndex;           // 0 to 30, third-octave series from 20 Hz
    Le16 DelayUnit;           // DelayUnitCode
    Le16 InputEqBypassMask;   // bit i: whole EQ of input i bypassed
    Le16 OutputEqBypassMask;  // bit j: whole EQ of output j + 1 bypassed

    constexpr bool operator==(const UnitImage&) const = default;

    // The image as its 798 bytes, in place.
    std::span<std::uint8_t, UnitImageSize> Bytes() {
        return std::span<std::uint8_t, UnitImageSize>(reinterpret_cast<std::uint8_t*>(this),
                                                      UnitImageSize);
    }
    std::span<const std::uint8_t, UnitImageSize> Bytes() const {
        return std::span<const std::uint8_t, UnitImageSize>(
            reinterpret_cast<const std::uint8_t*>(this), UnitImageSize);
    }
    // An image holding a copy of the given 798 bytes.
    static UnitImage FromBytes(std::span<const std::uint8_t, UnitImageSize> bytes);

    // Fields that inputs and outputs both have, by channel index 0 to 8. A channel index outside
    // 0 to 8, or a band outside the channel's bands, raises EListError.
    static bool IsInput(int ch) { return ch >= 0 && ch < InputCount; }
    static int BandCount(int ch);
    ChannelNameBytes& Name(int ch);
    const ChannelNameBytes& Name(int ch) const;
    CrossoverParams& Crossover(int ch);
    const CrossoverParams& Crossover(int ch) const;
    PeqBandParams& Band(int ch, int band);
    const PeqBandParams& Band(int ch, int band) const;
    Le16& Gain(int ch);
    const Le16& Gain(int ch) const;
    Le16& Polarity(int ch);
    const Le16& Polarity(int ch) const;
    Le16& Delay(int ch);
    const Le16& Delay(int ch) const;
    Le16& LinkMask(int ch);
    const Le16& LinkMask(int ch) const;
};

// The layout is the byte layout: no padding anywhere, alignment 1.
static_assert(sizeof(Le16) == 2 && alignof(Le16) == 1);
static_assert(sizeof(PeqBandParams) == 6 && alignof(PeqBandParams) == 1);
static_assert(sizeof(CrossoverParams) == 6 && alignof(CrossoverParams) == 1);
static_assert(sizeof(GateParams) == 8 && alignof(GateParams) == 1);
static_assert(sizeof(CompressorParams) == 8 && alignof(CompressorParams) == 1);
static_assert(sizeof(InputChannelParams) == 78 && alignof(InputChannelParams) == 1);
static_assert(sizeof(OutputChannelParams) == 86 && alignof(OutputChannelParams) == 1);
static_assert(sizeof(UnitImage) == UnitImageSize && alignof(UnitImage) == 1);
static_assert(std::is_trivially_copyable_v<UnitImage> && std::is_standard_layout_v<UnitImage>);

static_assert(offsetof(PeqBandParams, Freq) == 2 && offsetof(PeqBandParams, Q) == 4 &&
              offsetof(PeqBandParams, Type) == 5);
static_assert(offsetof(CrossoverParams, LowPassFreq) == 2 &&
              offsetof(CrossoverParams, HighPassSlope) == 4 &&
              offsetof(CrossoverParams, LowPassSlope) == 5);
static_assert(offsetof(GateParams, Release) == 2 && offsetof(GateParams, Hold) == 4 &&
              offsetof(GateParams, Threshold) == 6);
static_assert(offsetof(CompressorParams, Knee) == 1 && offsetof(CompressorParams, Attack) == 2 &&
              offsetof(CompressorParams, Release) == 4 &&
              offsetof(CompressorParams, Threshold) == 6);
static_assert(offsetof(InputChannelParams, Gate) == 8 &&
              offsetof(InputChannelParams, Bands) == 16 &&
              offsetof(InputChannelParams, Crossover) == 64 &&
              offsetof(InputChannelParams, Gain) == 70 &&
              offsetof(InputChannelParams, Polarity) == 72 &&
              offsetof(InputChannelParams, Delay) == 74 &&
              offsetof(InputChannelParams, LinkMask) == 76);
static_assert(offsetof(OutputChannelParams, RoutingMask) == 8 &&
              offsetof(OutputChannelParams, Crossover) == 10 &&
              offsetof(OutputChannelParams, Bands) == 16 &&
              offsetof(OutputChannelParams, Compressor) == 70 &&
              offsetof(OutputChannelParams, Gain) == 78 &&
              offsetof(OutputChannelParams, Polarity) == 80 &&
              offsetof(OutputChannelParams, Delay) == 82 &&
              offsetof(OutputChannelParams, LinkMask) == 84);
static_assert(offsetof(UnitImage, PresetName) == 2 && offsetof(UnitImage, Inputs) == 16 &&
              offsetof(UnitImage, Outputs) == 250 && offsetof(UnitImage, InputMuteMask) == 766 &&
              offsetof(UnitImage, OutputMuteMask) == 768 &&
              offsetof(UnitImage, BandBypassMasks) == 770 &&
              offsetof(UnitImage, TestSignalMode) == 788 && offsetof(UnitImage, SineIndex) == 790 &&
              offsetof(UnitImage, DelayUnit) == 792 &&
              offsetof(UnitImage, InputEqBypassMask) == 794 &&
              offsetof(UnitImage, OutputEqBypassMask) == 796);

// The built-in default image: its 798 bytes followed by CR LF, which belong to the table and
// not to the image.
inline constexpr std::size_t DefaultImageTableSize = UnitImageSize + 2;
extern const std::array<std::uint8_t, DefaultImageTableSize> DefaultImageTable;

// The default image (the first 798 bytes of DefaultImageTable).
UnitImage DefaultUnitImage();

}  // namespace dsp
