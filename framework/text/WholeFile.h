#pragma once
// Files written whole or not at all: the new content goes to a temporary file in the target's
// folder, reaches the disk, and only then replaces the target by a rename. A failure at any step
// leaves the target as it was and is reported, never taken for success.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dsp {

// True when the whole content was written; otherwise false and, when error is given, the reason.
// An existing target keeps its permissions; a symbolic link is followed, not replaced.
[[nodiscard]] bool WriteWholeFile(const std::string& fileName, std::string_view bytes,
                                  std::string* error = nullptr);
[[nodiscard]] bool WriteWholeFile(const std::string& fileName,
                                  const std::vector<std::uint8_t>& bytes,
                                  std::string* error = nullptr);

// The whole content of a file, or nothing (and the reason) when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& fileName, std::string* error = nullptr);

}  // namespace dsp
