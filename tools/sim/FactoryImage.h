#pragma once
// The settings a new processor starts with: the editor's built-in default image.

#include <cstdint>
#include <vector>

namespace dsp::sim {

std::vector<std::uint8_t> FactoryImage();

}  // namespace dsp::sim
