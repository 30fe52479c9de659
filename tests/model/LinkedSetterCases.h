#pragma once
// The setters that follow link groups, each as the strip of a follower's channel edits it, and
// the link layout the cases are written for. The editor's own tests and its tests against the
// processor simulator share them, so that each covers every linked setter.

#include <functional>
#include <ostream>
#include <vector>

#include "model/Constants.h"
#include "model/Lunitcontrol.h"
#include "model/UnitImage.h"

namespace dsp::test {

struct LinkedSetterCase {
    const char* name;
    // Edits channel ch (a follower of its group) as the strip of that channel would.
    std::function<void(LUnitControl&, int ch)> edit;
    bool inputs;
    bool outputs;
};

inline void PrintTo(const LinkedSetterCase& c, std::ostream* os) { *os << c.name; }

// Input A leads input B; output 2 leads outputs 4 and 5; the others stand alone.
inline constexpr int kInputFollower = 1;
inline constexpr int kOutputFollower = 7;

inline void LinkForTheCases(LUnitControl& model) {
    model.SetLinkMask(0, 0b011);
    model.SetLinkMask(1, 0);
    model.SetLinkMask(4, 0b011010);
    model.SetLinkMask(6, 0);
    model.SetLinkMask(7, 0);
}

inline std::vector<LinkedSetterCase> LinkedSetterCases() {
    return {
        LinkedSetterCase{"Gate",
                         [](LUnitControl& m, int ch) {
                             m.SetGate(ch, GateParams{Le16(5), Le16(60), Le16(70), Le16(80)});
                         },
                         true, false},
        LinkedSetterCase{
            "Compressor",
            [](LUnitControl& m, int ch) {
                m.SetCompressor(ch, CompressorParams{9, 6, Le16(40), Le16(900), Le16(150)});
            },
            false, true},
        LinkedSetterCase{"Polarity", [](LUnitControl& m, int ch) { m.SetPolarity(ch, 1); }, true,
                         true},
        LinkedSetterCase{
            "PeqBand",
            [](LUnitControl& m, int ch) {
                m.SetPeqBand(ch, 3, PeqBandParams{Le16(130), Le16(250), 40, ptAllpass2}, 1);
            },
            true, true},
        LinkedSetterCase{"HighPass",
                         [](LUnitControl& m, int ch) {
                             m.SetHighPass(ch, CrossoverParams{Le16(55), Le16(66), 7, 8});
                         },
                         true, true},
        LinkedSetterCase{"LowPass",
                         [](LUnitControl& m, int ch) {
                             m.SetLowPass(ch, CrossoverParams{Le16(55), Le16(200), 7, 8});
                         },
                         true, true},
        LinkedSetterCase{"Gain", [](LUnitControl& m, int ch) { m.SetGain(ch, 321); }, true, true},
        LinkedSetterCase{"Delay", [](LUnitControl& m, int ch) { m.SetDelay(ch, 4321); }, true,
                         true},
        LinkedSetterCase{"Mute", [](LUnitControl& m, int ch) { m.SetMute(ch, 1); }, true, true}};
}

}  // namespace dsp::test
