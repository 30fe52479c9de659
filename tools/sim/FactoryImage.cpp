#include "tools/sim/FactoryImage.h"

#include "model/UnitImage.h"

namespace dsp::sim {

std::vector<std::uint8_t> FactoryImage() {
    const UnitImage image = DefaultUnitImage();
    return std::vector<std::uint8_t>(image.Bytes().begin(), image.Bytes().end());
}

}  // namespace dsp::sim
