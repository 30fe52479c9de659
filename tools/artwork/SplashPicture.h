#pragma once
// The start-up splash picture: 620 x 350, with alpha, as a PNG file (the resource "SPLASH").

#include <cstdint>
#include <vector>

namespace dsp::artwork {

std::vector<std::uint8_t> SplashPicturePng();

}  // namespace dsp::artwork
