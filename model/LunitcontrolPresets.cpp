// The processor's preset slots and the names shown in the two preset dialogs.

#include <algorithm>
#include <string>

#include "framework/core/Exceptions.h"
#include "framework/text/Gbk.h"
#include "model/Lunitcontrol.h"

namespace dsp {

namespace {

// Reply bytes that mark a used slot in the preset map.
constexpr std::uint8_t PresetMapUsed = 0xFF;
constexpr std::string_view DefaultPresetName = "Default Preset";

}  // namespace

bool LUnitControl::SetPresetMap(std::span<const std::uint8_t> payload) {
    if (payload.size() < FPresetUsed.size()) return false;
    for (std::size_t k = 0; k < FPresetUsed.size(); ++k) {
        FPresetUsed[k] = payload[k] == PresetMapUsed ? 1 : 0;
    }
    return true;
}

void LUnitControl::SetPresetUsed(int k) {
    if (k < 0 || k >= PresetSlotCount) throw EListError::IndexOutOfBounds(k);
    FPresetUsed[static_cast<std::size_t>(k)] = 1;
}

bool LUnitControl::SetPresetName(std::span<const std::uint8_t> name) {
    if (name.size() < FImage.PresetName.size()) return false;
    std::copy_n(name.begin(), FImage.PresetName.size(), FImage.PresetName.begin());
    return true;
}

bool LUnitControl::ShowPresetName(int n, std::span<const std::uint8_t> payload) {
    constexpr std::size_t nameSize = sizeof(PresetNameBytes);
    if (payload.size() < 1 + nameSize || n < 1 || n > PresetSlotCount) return false;
    std::string gbk(nameSize, ' ');
    for (std::size_t i = 0; i < nameSize; ++i) {
        const std::uint8_t c = payload[1 + i];
        if (c != 0) gbk[i] = static_cast<char>(c);
    }
    const std::string text = GbkToUtf8(gbk);
    host_.SetRecallPresetName(n, text);
    host_.SetStorePresetName(n - 1, text);
    return true;
}

void LUnitControl::ResetPresetGrids() {
    const std::string name(DefaultPresetName);
    for (int n = 1; n <= PresetSlotCount; ++n) {
        host_.SetRecallPresetName(n, name);
        host_.SetStorePresetName(n - 1, name);
    }
}

}  // namespace dsp
