#include "tools/sim/ProcessorMemory.h"

#include <algorithm>
#include <cstddef>

#include "model/UnitImage.h"
#include "tools/sim/SimCommands.h"

namespace dsp::sim {

namespace {

// Where the fields lie in the settings image: the editor's image layout.
constexpr int kPresetStatus = offsetof(UnitImage, PresetStatus);
constexpr int kPresetName = offsetof(UnitImage, PresetName);
constexpr int kPresetNameSize = sizeof(PresetNameBytes);
constexpr int kInputMuteMask = offsetof(UnitImage, InputMuteMask);
constexpr int kOutputMuteMask = offsetof(UnitImage, OutputMuteMask);
constexpr int kBandBypassMasks = offsetof(UnitImage, BandBypassMasks);
constexpr int kTestSignalMode = offsetof(UnitImage, TestSignalMode);
constexpr int kSineIndex = offsetof(UnitImage, SineIndex);
constexpr int kDelayUnit = offsetof(UnitImage, DelayUnit);
constexpr int kInputEqBypassMask = offsetof(UnitImage, InputEqBypassMask);
constexpr int kOutputEqBypassMask = offsetof(UnitImage, OutputEqBypassMask);
constexpr int kImageBytes = UnitImageSize;

struct ChannelLayout {
    int gate, bands, crossover, compressor, gain, polarity, delay, linkMask, routing, copyFrom,
        copyTo;
};
// Offsets within a channel's record; -1 where the side has no such field. A copy takes the
// record from its first parameter up to (not including) the link mask.
using In = InputChannelParams;
using Out = OutputChannelParams;
constexpr ChannelLayout kInput{
    offsetof(In, Gate),     offsetof(In, Bands), offsetof(In, Crossover), -1, offsetof(In, Gain),
    offsetof(In, Polarity), offsetof(In, Delay), offsetof(In, LinkMask),  -1, offsetof(In, Gate),
    offsetof(In, LinkMask)};
constexpr ChannelLayout kOutput{-1,
                                offsetof(Out, Bands),
                                offsetof(Out, Crossover),
                                offsetof(Out, Compressor),
                                offsetof(Out, Gain),
                                offsetof(Out, Polarity),
                                offsetof(Out, Delay),
                                offsetof(Out, LinkMask),
                                offsetof(Out, RoutingMask),
                                offsetof(Out, Crossover),
                                offsetof(Out, LinkMask)};
constexpr int kInputBands = InputBandCount;
constexpr int kOutputBands = OutputBandCount;

bool IsInput(int ch) { return ch >= 0 && ch <= 2; }
bool IsOutput(int ch) { return ch >= 3 && ch <= 8; }
const ChannelLayout& LayoutOf(int ch) { return IsInput(ch) ? kInput : kOutput; }

std::uint16_t Le16(const std::vector<std::uint8_t>& p, std::size_t i) {
    return static_cast<std::uint16_t>(p[i] | (p[i + 1] << 8));
}

}  // namespace

ProcessorMemory::ProcessorMemory(const std::vector<std::uint8_t>& defaultImage) {
    std::copy_n(defaultImage.begin(), std::min<std::size_t>(defaultImage.size(), kImageBytes),
                factory_.begin());
    current = factory_;
    for (MemoryImage& p : presets) p = factory_;
}

int ProcessorMemory::ChannelOffset(int ch) {
    return IsInput(ch) ? static_cast<int>(offsetof(UnitImage, Inputs) + sizeof(In) * ch)
                       : static_cast<int>(offsetof(UnitImage, Outputs) + sizeof(Out) * (ch - 3));
}

std::uint16_t ProcessorMemory::Word(int offset) const {
    return static_cast<std::uint16_t>(current[offset] | (current[offset + 1] << 8));
}

void ProcessorMemory::SetWord(int offset, std::uint16_t value) {
    current[offset] = static_cast<std::uint8_t>(value & 0xFF);
    current[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

void ProcessorMemory::SetBit(int offset, int bit, bool on) {
    std::uint16_t w = Word(offset);
    w = on ? static_cast<std::uint16_t>(w | (1u << bit))
           : static_cast<std::uint16_t>(w & ~(1u << bit));
    SetWord(offset, w);
}

std::vector<int> ProcessorMemory::LinkGroup(int ch) const {
    const int first = IsInput(ch) ? 0 : 3;
    const int count = IsInput(ch) ? 3 : 6;
    const std::uint16_t mask = Word(ChannelOffset(ch) + LayoutOf(ch).linkMask);
    std::vector<int> group;
    for (int i = 0; i < count; ++i) {
        if ((mask & (1u << i)) != 0) group.push_back(first + i);
    }
    return group;
}

void ProcessorMemory::FactoryReset() {
    current = factory_;
    for (MemoryImage& p : presets) p = factory_;
    presetUsed.fill(false);
    presetNumber = 0;
}

void ProcessorMemory::CopyChannel(int from, int to) {
    SetWord(kBandBypassMasks + 2 * to, Word(kBandBypassMasks + 2 * from));
    const bool input = IsInput(from);
    const int bitFrom = input ? from : from - 3;
    const int bitTo = input ? to : to - 3;
    for (int mask : {input ? kInputMuteMask : kOutputMuteMask,
                     input ? kInputEqBypassMask : kOutputEqBypassMask}) {
        SetBit(mask, bitTo, (Word(mask) & (1u << bitFrom)) != 0);
    }
    const ChannelLayout& l = LayoutOf(from);
    std::copy(current.begin() + ChannelOffset(from) + l.copyFrom,
              current.begin() + ChannelOffset(from) + l.copyTo,
              current.begin() + ChannelOffset(to) + l.copyFrom);
}

bool ProcessorMemory::Apply(std::uint8_t code, const std::vector<std::uint8_t>& p,
                            std::string& fault) {
    auto need = [&](std::size_t n) {
        if (p.size() >= n) return true;
        fault = "command " + std::to_string(code) + " with " + std::to_string(p.size()) +
                " payload bytes, needs " + std::to_string(n);
        return false;
    };
    auto channel = [&](bool inputs, bool outputs) {
        const int ch = p[0];
        if ((inputs && IsInput(ch)) || (outputs && IsOutput(ch))) return true;
        fault = "command " + std::to_string(code) + " for channel " + std::to_string(ch);
        return false;
    };
    // Writes len payload bytes from index from into the field at offset of every linked channel.
    auto toGroup = [&](int fieldOffset, std::size_t from, std::size_t len) {
        for (int c : LinkGroup(p[0])) {
            std::copy_n(p.begin() + static_cast<long>(from), len,
                        current.begin() + ChannelOffset(c) + fieldOffset);
        }
    };

    switch (code) {
        case command::kCompressor:
            if (!need(9) || !channel(false, true)) return false;
            toGroup(kOutput.compressor, 1, 8);
            return true;
        case command::kGate:
            if (!need(9) || !channel(true, false)) return false;
            toGroup(kInput.gate, 1, 8);
            return true;
        case command::kPolarity: {
            if (!need(2) || !channel(true, true)) return false;
            for (int c : LinkGroup(p[0])) SetWord(ChannelOffset(c) + LayoutOf(c).polarity, p[1]);
            return true;
        }
        case command::kEqBand: {
            if (!need(9) || !channel(true, true)) return false;
            const int band = p[1];
            if (band >= (IsInput(p[0]) ? kInputBands : kOutputBands)) {
                fault = "EQ band " + std::to_string(band) + " for channel " + std::to_string(p[0]);
                return false;
            }
            for (int c : LinkGroup(p[0])) {
                std::copy_n(p.begin() + 2, 6,
                            current.begin() + ChannelOffset(c) + LayoutOf(c).bands + 6 * band);
                SetBit(kBandBypassMasks + 2 * c, band, p[8] != 0);
            }
            return true;
        }
        case command::kHighPass:
        case command::kLowPass: {
            if (!need(4) || !channel(true, true)) return false;
            const bool high = code == command::kHighPass;
            for (int c : LinkGroup(p[0])) {
                const int x = ChannelOffset(c) + LayoutOf(c).crossover;
                SetWord(x + (high ? 0 : 2), Le16(p, 1));
                current[x + (high ? 4 : 5)] = p[3];
            }
            return true;
        }
        case command::kGain:
            if (!need(3) || !channel(true, true)) return false;
            for (int c : LinkGroup(p[0])) SetWord(ChannelOffset(c) + LayoutOf(c).gain, Le16(p, 1));
            return true;
        case command::kDelay:
            if (!need(3) || !channel(true, true)) return false;
            for (int c : LinkGroup(p[0])) SetWord(ChannelOffset(c) + LayoutOf(c).delay, Le16(p, 1));
            return true;
        case command::kMute:
            if (!need(2) || !channel(true, true)) return false;
            for (int c : LinkGroup(p[0])) {
                SetBit(IsInput(c) ? kInputMuteMask : kOutputMuteMask, IsInput(c) ? c : c - 3,
                       p[1] != 0);
            }
            return true;
        case command::kRouting:
            if (!need(2) || !channel(false, true)) return false;
            SetWord(ChannelOffset(p[0]) + kOutput.routing, p[1]);
            return true;
        case command::kLinkMask:
            if (!need(2) || !channel(true, true)) return false;
            SetWord(ChannelOffset(p[0]) + LayoutOf(p[0]).linkMask, p[1]);
            return true;
        case command::kEqBypass:  // the whole EQ
            if (!need(2) || !channel(true, true)) return false;
            SetBit(IsInput(p[0]) ? kInputEqBypassMask : kOutputEqBypassMask,
                   IsInput(p[0]) ? p[0] : p[0] - 3, p[1] != 0);
            return true;
        case command::kChannelName:
            if (!need(9) || !channel(true, true)) return false;
            std::copy_n(p.begin() + 1, 8, current.begin() + ChannelOffset(p[0]));
            return true;
        case command::kDelayUnit:
            if (!need(1)) return false;
            SetWord(kDelayUnit, p[0]);
            return true;
        case command::kTestSignal:
            if (!need(2)) return false;
            SetWord(kTestSignalMode, p[0]);
            SetWord(kSineIndex, p[1]);
            return true;
        case command::kCopyChannel: {
            if (!need(2)) return false;
            const int a = p[0], b = p[1];
            if (!((IsInput(a) && IsInput(b)) || (IsOutput(a) && IsOutput(b)))) {
                fault = "channel copy from " + std::to_string(a) + " to " + std::to_string(b);
                return false;
            }
            CopyChannel(a, b);
            return true;
        }
        case command::kRecall: {
            if (!need(1)) return false;
            const int n = p[0];
            if (n > kPresetSlots) {
                fault = "recall of preset " + std::to_string(n);
                return false;
            }
            if (n == 0) {
                current = factory_;
            } else if (presetUsed[n - 1]) {
                current = presets[n - 1];
            }
            presetNumber = static_cast<std::uint8_t>(n);
            return true;
        }
        case command::kPresetName:
            if (!need(kPresetNameSize)) return false;
            std::copy_n(p.begin(), kPresetNameSize, current.begin() + kPresetName);
            return true;
        case command::kStore: {
            if (!need(1)) return false;
            const int n = p[0];
            if (n < 1 || n > kPresetSlots) {
                fault = "store into preset " + std::to_string(n);
                return false;
            }
            presets[n - 1] = current;
            presets[n - 1][kPresetStatus] = 0xFF;
            presetUsed[n - 1] = true;
            presetNumber = static_cast<std::uint8_t>(n);
            return true;
        }
        case command::kFactoryReset: FactoryReset(); return true;
        case command::kWriteDevice: {
            if (!need(3)) return false;
            const int address = Le16(p, 0), count = p[2];
            if (address + count > kDeviceBytes || p.size() < 3u + count) {
                fault = "device write of " + std::to_string(count) + " bytes at " +
                        std::to_string(address);
                return false;
            }
            std::copy_n(p.begin() + 3, count, device.begin() + address);
            return true;
        }
        case command::kSelectPreset: {  // for block reads
            if (!need(1)) return false;
            if (p[0] < 1 || p[0] > kPresetSlots) {
                fault = "selection of preset " + std::to_string(p[0]);
                return false;
            }
            selectedPreset = p[0];
            return true;
        }
        case command::kDownloadBlock: {  // a preset block
            if (!need(2 + kBlockSize)) return false;
            const int block = p[0], slot = p[1];
            if (block >= kBlocks || slot >= kPresetSlots) {
                fault = "download of block " + std::to_string(block) + " into slot " +
                        std::to_string(slot);
                return false;
            }
            std::copy_n(p.begin() + 2, kBlockSize, presets[slot].begin() + kBlockSize * block);
            presetUsed[slot] = presets[slot][kPresetStatus] == 0xFF;
            return true;
        }
        case command::kSetPassword:
            if (!need(4)) return false;
            std::copy_n(p.begin(), 4, password.begin());
            locked = std::any_of(password.begin(), password.end(), [](auto b) { return b != 0; });
            return true;
        default: return true;
    }
}

}  // namespace dsp::sim
