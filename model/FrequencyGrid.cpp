#include "model/FrequencyGrid.h"

#include <cmath>
#include <memory>
#include <numbers>

namespace dsp {

namespace {

std::unique_ptr<FrequencyGrid> BuildGrid() {
    auto grid = std::make_unique<FrequencyGrid>();
    const double decades = std::log10(ResponseNyquistHz);
    for (std::size_t i = 0; i < CurvePointCount; ++i) {
        const double f = std::pow(10.0, decades * static_cast<double>(i) / 4096.0);
        const double w = std::numbers::pi * f / ResponseNyquistHz;
        grid->freqHz[i] = f;
        // cos(2w) is taken from the library, not from cos(w): near 0 Hz a high-pass numerator
        // cancels almost completely, and the grid must give the very values a direct
        // evaluation at the point would use.
        grid->cos1[i] = std::cos(-w);
        grid->sin1[i] = std::sin(-w);
        grid->cos2[i] = std::cos(-2.0 * w);
        grid->sin2[i] = std::sin(-2.0 * w);
    }
    return grid;
}

}  // namespace

const FrequencyGrid& ResponseGrid() {
    static const std::unique_ptr<FrequencyGrid> grid = BuildGrid();
    return *grid;
}

double GridPosition(double freqHz) {
    return 4096.0 * std::log10(freqHz) / std::log10(ResponseNyquistHz);
}

}  // namespace dsp
