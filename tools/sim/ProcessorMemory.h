#pragma once
// What the processor keeps: its device bytes, the current settings, the 30 user presets with
// their used flags, the current preset number and the operation lock; and how each editing
// command changes them.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace dsp::sim {

constexpr int kMemoryImageSize = 800;  // the settings image and two spare bytes
constexpr int kDeviceBytes = 18;
constexpr int kPresetSlots = 30;
constexpr int kBlockSize = 50;
constexpr int kBlocks = 16;

using MemoryImage = std::array<std::uint8_t, kMemoryImageSize>;

class ProcessorMemory {
public:
    // defaultImage: the factory settings (at least the 798 image bytes).
    explicit ProcessorMemory(const std::vector<std::uint8_t>& defaultImage);

    MemoryImage current{};
    std::array<MemoryImage, kPresetSlots> presets{};
    std::array<bool, kPresetSlots> presetUsed{};
    std::array<std::uint8_t, kDeviceBytes> device{};
    std::uint8_t presetNumber = 0;    // 0 factory preset, 1 to 30 user presets
    std::uint8_t selectedPreset = 1;  // the user preset that preset block reads come from
    std::array<std::uint8_t, 4> password{};
    bool locked = false;

    const MemoryImage& FactoryImage() const { return factory_; }

    // Applies one command with its payload. Returns false, changing nothing, when the payload
    // is too short for the command or names a channel, band, block or slot that does not exist;
    // why is put in fault.
    bool Apply(std::uint8_t code, const std::vector<std::uint8_t>& payload, std::string& fault);

    // Factory reset: current settings from the factory image, every user preset cleared.
    void FactoryReset();

    // Channel copy (a onto b, same side): masks first, then the channel's parameters; name,
    // routing and link mask of b stay.
    void CopyChannel(int from, int to);

    // Reads of image fields, for tests and checks.
    std::uint16_t Word(int offset) const;
    static int ChannelOffset(int ch);  // start of the channel's record in the image

private:
    void SetWord(int offset, std::uint16_t value);
    void SetBit(int offset, int bit, bool on);
    // Channels written by an edit of ch: those of its side whose bit is set in ch's link mask.
    std::vector<int> LinkGroup(int ch) const;

    MemoryImage factory_{};
};

}  // namespace dsp::sim
