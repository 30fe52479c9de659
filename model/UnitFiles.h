#pragma once
// Layouts of the files and memory blocks that carry whole parameter images:
//   preset file (".prs", 804 bytes): header, image bytes 2 to 787, CR LF;
//   unit file (".unt", 24,034 bytes): header, the 18 device bytes, then 30 records of 800 bytes,
//     each the slot number, image bytes 0 to 796 and CR LF (an empty slot: 798 bytes 0x64, CR LF);
//   memory blocks: an image in device memory is 800 bytes moved as 16 blocks of 50.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

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

// The name a unit file is written under, for the name chosen in the save dialog: the chosen
// file name up to the first "." followed by "unt" or "UNT", then ".unt". So "a.unt" and "a.UNT"
// give "a.unt", "a" gives "a.unt" and "a.Unt" gives "a.Unt.unt". Only the last path component
// is looked at: a folder named "x.unt" does not cut the path.
std::string UnitFileName(std::string_view chosen);

}  // namespace dsp
