// The editor's linked setters against the simulator: the frames an edit sends must change the
// processor's settings exactly as they change the editor's image, whichever channel of a link
// group the edit comes from.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "model/Constants.h"
#include "model/Lunitcontrol.h"
#include "tests/model/RecordingHost.h"
#include "tools/sim/ProcessorSimulator.h"

namespace dsp::sim {
namespace {

struct LinkedSetterCase {
    const char* name;
    // Edits channel ch (a follower of its group) as the strip of that channel would.
    std::function<void(LUnitControl&, int ch)> edit;
    bool inputs;
    bool outputs;
};

void PrintTo(const LinkedSetterCase& c, std::ostream* os) { *os << c.name; }

class LinkedSetters : public ::testing::TestWithParam<LinkedSetterCase> {
protected:
    // Hands every frame sent so far to the simulator, which must take each without a fault.
    void Deliver() {
        for (const testing::SentFrame& frame : host_.sent) sim_.Receive(frame.bytes);
        host_.sent.clear();
        ASSERT_EQ(sim_.FaultCount(), 0u) << sim_.Faults()[0];
    }
    void ExpectSameSettings() {
        const auto editor = model_.GetImage().Bytes();
        const MemoryImage processor = sim_.Memory().current;
        const auto [differs, _] = std::mismatch(editor.begin(), editor.end(), processor.begin());
        EXPECT_EQ(differs, editor.end())
            << "first difference at image byte " << (differs - editor.begin());
    }

    testing::RecordingHost host_;
    LUnitControl model_{host_};
    ProcessorSimulator sim_;
};

// Input A leads input B; output 2 leads outputs 4 and 5; the others stand alone.
constexpr int kInputFollower = 1;
constexpr int kOutputFollower = 7;

TEST_P(LinkedSetters, AnEditFromAFollowerChangesTheProcessorAsItChangesTheEditor) {
    const LinkedSetterCase& c = GetParam();
    model_.SetLinkMask(0, 0b011);
    model_.SetLinkMask(1, 0);
    model_.SetLinkMask(4, 0b011010);
    model_.SetLinkMask(6, 0);
    model_.SetLinkMask(7, 0);
    Deliver();
    ExpectSameSettings();

    if (c.inputs) c.edit(model_, kInputFollower);
    if (c.outputs) c.edit(model_, kOutputFollower);
    Deliver();

    ExpectSameSettings();
}

INSTANTIATE_TEST_SUITE_P(
    EveryLinkedSetter, LinkedSetters,
    ::testing::Values(
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
        LinkedSetterCase{"Mute", [](LUnitControl& m, int ch) { m.SetMute(ch, 1); }, true, true}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace dsp::sim
