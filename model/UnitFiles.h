#pragma once
// Layouts of the files and memory blocks that carry whole parameter images:
//   preset file (".prs", 804 bytes): header, image bytes 2 to 787, CR LF;
//   unit file (".unt", 24,034 bytes): header, the 18 device bytes, then 30 records of 800 bytes,
//     each the slot number, image bytes 0 to 796 and CR LF (an empty slot: 798 bytes 0x64, CR LF);
//   memory blocks: an image in device memory is 800 bytes moved as 16 blocks of 50.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/UnitImage.h"

namespace dsp {

// The header both file kinds start with. The view looks into one array that the whole program
// shares: a view of a string literal may point into a copy that each unit keeps for itself, and
// a begin() from one unit's copy with an end() from another's is no range at all.
inline constexpr char FileHeaderChars[] = "*****WQJV010****";
inline constexpr std::size_t FileHeaderSize = 16;
inline constexpr std::string_view FileHeader{FileHeaderChars, FileHeaderSize};
static_assert(FileHeader.size() == FileHeaderSize);

// Preset file: the body is image bytes PresetBodyStart to PresetBodyStart + PresetBodySize - 1
// (preset name through the band-bypass masks).
inline constexpr std::size_t PresetBodyStart = 2;
inline constexpr std::size_t PresetBodySize = 786;
inline constexpr std::size_t PresetFileSize = FileHeaderSize + PresetBodySize + 2;  // 804

// Device memory: one image is 16 blocks of 50 bytes; a reply carrying a block has the block
// number first, then the block's bytes.
inline constexpr std::size_t MemoryBlockSize = 50;
inline constexpr int MemoryBlockCount = 16;
inline constexpr std::size_t DeviceMemorySize = MemoryBlockSize * MemoryBlockCount;  // 800

// The processor's device bytes 0 to 17, kept in a unit file.
inline constexpr std::size_t DeviceBlockSize = 18;

// Unit file.
inline constexpr int PresetSlotCount = 30;
inline constexpr std::size_t UnitFileRecordSize = 800;
inline constexpr std::size_t UnitRecordImageBytes = 797;  // image bytes 0 to 796
inline constexpr std::uint8_t EmptySlotByte = 0x64;
inline constexpr std::size_t UnitFileSize =
    FileHeaderSize + DeviceBlockSize + UnitFileRecordSize * PresetSlotCount;  // 24,034
inline constexpr std::uint8_t PresetSlotInUse = 0xFF;  // PresetStatus of a stored preset

// A user preset read from the processor: its preset number (1 to 30) and image.
struct PresetSlot {
    std::uint8_t SlotNumber = 0;
    std::array<std::uint8_t, UnitImageSize> Image{};
};

// A preset file as the editor writes it: exactly PresetFileSize bytes that start with the header.
bool IsPresetFile(std::span<const std::uint8_t> file);

// A unit file read back for writing into the processor.
struct UnitFileContent {
    std::array<std::uint8_t, DeviceBlockSize> DeviceBlock{};
    // Records 1 to 30, UnitFileRecordSize bytes each, in file order.
    std::vector<std::uint8_t> Records;

    std::span<const std::uint8_t> Record(int p) const {
        return std::span<const std::uint8_t>(Records).subspan(
            static_cast<std::size_t>(p - 1) * UnitFileRecordSize, UnitFileRecordSize);
    }
    // A record is in use when its preset status byte says a preset is stored.
    bool InUse(int p) const { return Record(p)[1] == PresetSlotInUse; }
    // The preset number (1 to 30) a record in use is written to.
    int Slot(int p) const { return Record(p)[0]; }
    int UsedCount() const;
};

// Decodes a unit file for writing into the processor, or nothing when it is not one the
// processor may take: not exactly UnitFileSize bytes (a cut file would put zero bytes into a
// preset), a wrong header, or a record in use whose preset number is outside 1 to 30 or named
// by another record in use too (a restore must never write a wrong or doubled slot).
std::optional<UnitFileContent> DecodeUnitFile(std::span<const std::uint8_t> file);

// The name a file is written under, for the name chosen in a save dialog: the chosen name as it
// is when its file name has an extension of its own ("a.unt", "a.UNT", "a.unt.old"), else the
// name with "." and extension appended ("a" gives "a.unt"). Nothing is ever cut away: a name
// that only contains the extension somewhere ("a.unt.old") is another file, not "a.unt". Only
// the last path component is looked at: a folder named "x.unt" changes nothing.
std::string FileNameWithExtension(std::string_view chosen, std::string_view extension);
inline std::string UnitFileName(std::string_view chosen) {
    return FileNameWithExtension(chosen, "unt");
}
inline std::string PresetFileName(std::string_view chosen) {
    return FileNameWithExtension(chosen, "prs");
}

}  // namespace dsp
