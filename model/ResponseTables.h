#pragma once
// The tables of the response curves: which filter kind an EQ band type draws with, the
// crossover designs behind the slope choices, and the colours of markers and channel totals.

#include <array>
#include <cstddef>
#include <cstdint>

#include "model/Constants.h"
#include "model/FilterCurve.h"
#include "model/ResponseView.h"

namespace dsp {

// FilterKind of a band, indexed by its PeqType. A bypassed band is drawn fkFlat.
inline constexpr std::array<std::int32_t, PeqTypeCount> PeqKindTable = {
    fkPeak, fkLowShelf, fkHighShelf, fkLowPass2, fkHighPass2, fkAllpass1, fkAllpass2,
};

// Design row of a crossover slope code (0 = off, 1 to 20 in the slope selector's order:
// Butterworth -6, Bessel -6, Butterworth -12, Bessel -12, Linkwitz-Riley -12, and so on to -48).
// Row 0 is no filter, rows 1 to 8 Butterworth of order 1 to 8, rows 9 to 16 Bessel of order
// 1 to 8, rows 17 to 20 Linkwitz-Riley of 12, 24, 36 and 48 dB per octave.
inline constexpr std::size_t SlopeCodeCount = 21;
inline constexpr std::array<int, SlopeCodeCount> SlopeDesignRows = {
    0, 1, 9, 2, 10, 17, 3, 11, 4, 12, 18, 5, 13, 6, 14, 19, 7, 15, 8, 16, 20,
};
inline constexpr int FirstButterworthRow = 1;
inline constexpr int FirstBesselRow = 9;
inline constexpr int FirstLinkwitzRileyRow = 17;

// Largest crossover order; a design has at most one first-order and four second-order sections.
inline constexpr std::size_t MaxCrossoverOrder = 8;
inline constexpr std::size_t CrossoverSectionCount = 5;

// Butterworth prototypes by order (row 0 unused): entry 0 is 1 when the design has a
// first-order section s + 1, else 0; entries 1 to 4 are the a of the second-order sections
// s^2 + a s + 1, 0 for none.
inline constexpr std::array<std::array<float, CrossoverSectionCount>, MaxCrossoverOrder + 1>
    ButterworthCoefficients = {{
        {0, 0, 0, 0, 0},
        {1, 0, 0, 0, 0},
        {0, 1.4142f, 0, 0, 0},
        {1, 1.0f, 0, 0, 0},
        {0, 0.7654f, 1.8478f, 0, 0},
        {1, 0.618f, 1.618f, 0, 0},
        {0, 0.5176f, 1.4142f, 1.9319f, 0},
        {1, 0.445f, 1.247f, 1.8019f, 0},
        {0, 0.3902f, 1.1111f, 1.6629f, 1.9616f},
    }};

// One section of a Bessel prototype: the first-order section a s + 1 (b is 0), or the
// second-order section b s^2 + a s + 1. a = 0: no section.
struct BesselSection {
    float a;
    float b;
};

// Bessel prototypes by order (row 0 unused): section 0 is the first-order one, 1 to 4 the
// second-order ones.
inline constexpr std::array<std::array<BesselSection, CrossoverSectionCount>, MaxCrossoverOrder + 1>
    BesselCoefficients = {{
        {{{0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}},
        {{{1.0f, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}},
        {{{0, 0}, {1.3617f, 0.618f}, {0, 0}, {0, 0}, {0, 0}}},
        {{{0.756f, 0}, {0.9996f, 0.4772f}, {0, 0}, {0, 0}, {0, 0}}},
        {{{0, 0}, {1.3397f, 0.4889f}, {0.7743f, 0.389f}, {0, 0}, {0, 0}}},
        {{{0.6656f, 0}, {1.1402f, 0.4128f}, {0.6216f, 0.3245f}, {0, 0}, {0, 0}}},
        {{{0, 0}, {1.2217f, 0.3887f}, {0.9686f, 0.3505f}, {0.5131f, 0.2756f}, {0, 0}}},
        {{{0.5937f, 0}, {1.0944f, 0.3395f}, {0.8304f, 0.3011f}, {0.4332f, 0.2381f}, {0, 0}}},
        {{{0, 0}, {1.1112f, 0.3126f}, {0.9754f, 0.2979f}, {0.7202f, 0.2621f}, {0.3728f, 0.2087f}}},
    }};

// Marker colours by marker slot: the EQ bands 0 to 8, then 9 and the high-pass handle 10.
inline constexpr std::array<ViewColour, 11> BandColours = {
    0x0000FF, 0x00FFFF, 0xFF00FF, 0xFFFF00, 0x00FF00, 0xFF0000,
    0xF0CAA6, 0x800080, 0x808000, 0x000080, 0xF0FBFF,
};

// Curve colours by plot number: the channel views InA to Out6 (0 to 8), then the inputs (9)
// and outputs (10) overviews.
inline constexpr std::array<ViewColour, 11> ChannelColours = {
    0x800080, 0x008080, 0x808000, 0x0000FF, 0x00FF00, 0x00FFFF,
    0xFF0000, 0xFF00FF, 0xFFFF00, 0xF0CAA6, 0xF0FBFF,
};

}  // namespace dsp
