// The editor's linked setters against the simulator: the frames an edit sends must change the
// processor's settings exactly as they change the editor's image, whichever channel of a link
// group the edit comes from.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "model/Lunitcontrol.h"
#include "tests/model/LinkedSetterCases.h"
#include "tests/model/RecordingHost.h"
#include "tools/sim/ProcessorSimulator.h"

namespace dsp::sim {
namespace {

class LinkedSetters : public ::testing::TestWithParam<test::LinkedSetterCase> {
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

TEST_P(LinkedSetters, AnEditFromAFollowerChangesTheProcessorAsItChangesTheEditor) {
    const test::LinkedSetterCase& c = GetParam();
    test::LinkForTheCases(model_);
    Deliver();
    ExpectSameSettings();

    if (c.inputs) c.edit(model_, test::kInputFollower);
    if (c.outputs) c.edit(model_, test::kOutputFollower);
    Deliver();

    ExpectSameSettings();
}

INSTANTIATE_TEST_SUITE_P(EveryLinkedSetter, LinkedSetters,
                         ::testing::ValuesIn(test::LinkedSetterCases()),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace dsp::sim
