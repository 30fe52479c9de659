#pragma once
// The constants every unit of the main window shares: the program's title and version, the
// processor's default address, the value tables of the strips (ratios, Q values, the frequency
// step, the speed of sound), the unit words a typed value may end in, the crossover design rows,
// the band kinds, the channel colours and the level meters' steps. The model's and the
// session's tables are the same objects, named here as the main window names them.

#include <array>
#include <string_view>

#include "mainwindow/SessionRules.h"
#include "model/Constants.h"
#include "model/ResponseTables.h"

namespace dsp {

inline constexpr std::string_view AppTitle = TitleText;
inline constexpr std::string_view AppVersion = VersionText;
inline constexpr std::string_view DefaultDeviceAddress = DefaultAddressText;
inline constexpr double FreqStepRatio = FreqStep;

// The unit words removed from typed values: levels and knees ("dB"), times ("ms"), delays in
// milliseconds, metres and feet.
inline constexpr std::array<std::string_view, 4> DbSpellings = {"dB", "DB", "db", "Db"};
inline constexpr std::array<std::string_view, 4> MsSpellings = {"ms", "Ms", "mS", "MS"};
inline constexpr std::array<std::string_view, 4> DelayMsSpellings = MsSpellings;
inline constexpr std::array<std::string_view, 2> MetreSpellings = {"m", "M"};
inline constexpr std::array<std::string_view, 4> FootSpellings = {"ft", "Ft", "fT", "FT"};

// SlopeDesignRows, PeqKindTable, ButterworthCoefficients, BesselCoefficients and
// ChannelColours are the model's (model/ResponseTables.h).

}  // namespace dsp
