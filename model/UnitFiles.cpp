#include "model/UnitFiles.h"

#include <algorithm>
#include <bitset>

namespace dsp {

bool IsPresetFile(std::span<const std::uint8_t> file) {
    return file.size() == PresetFileSize &&
           std::equal(FileHeader.begin(), FileHeader.end(), file.begin());
}

int UnitFileContent::UsedCount() const {
    int used = 0;
    for (int p = 1; p <= PresetSlotCount; ++p) used += InUse(p) ? 1 : 0;
    return used;
}

std::optional<UnitFileContent> DecodeUnitFile(std::span<const std::uint8_t> file) {
    if (file.size() != UnitFileSize ||
        !std::equal(FileHeader.begin(), FileHeader.end(), file.begin())) {
        return std::nullopt;
    }
    UnitFileContent content;
    const auto device = file.subspan(FileHeaderSize, DeviceBlockSize);
    std::copy(device.begin(), device.end(), content.DeviceBlock.begin());
    const auto records = file.subspan(FileHeaderSize + DeviceBlockSize);
    content.Records.assign(records.begin(), records.end());
    std::bitset<PresetSlotCount + 1> named;
    for (int p = 1; p <= PresetSlotCount; ++p) {
        if (!content.InUse(p)) continue;
        const int slot = content.Slot(p);
        if (slot < 1 || slot > PresetSlotCount || named[static_cast<std::size_t>(slot)]) {
            return std::nullopt;
        }
        named.set(static_cast<std::size_t>(slot));
    }
    return content;
}

std::string FileNameWithExtension(std::string_view chosen, std::string_view extension) {
    const std::size_t slash = chosen.rfind('/');
    const std::string_view name = chosen.substr(slash == std::string_view::npos ? 0 : slash + 1);
    // A leading point starts a hidden file's name, not an extension.
    const std::size_t point = name.rfind('.');
    if (point != std::string_view::npos && point > 0 && point + 1 < name.size()) {
        return std::string(chosen);
    }
    std::string written(chosen);
    if (written.empty() || written.back() != '.') written += '.';
    written += extension;
    return written;
}

}  // namespace dsp
