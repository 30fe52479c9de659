// Editing against the processor simulator over the real link: what the window edits ends in the
// processor's memory byte for byte, a read-back shows it again, and a drag does not flood the
// link.

#include <gtest/gtest.h>

#include <string>

#include "components/LMyFFTDrawPhase.h"
#include "components/MyPEQAllpass.h"
#include "framework/controls/Edit.h"
#include "framework/controls/MessageParams.h"
#include "framework/controls/UpDown.h"
#include "model/Encodings.h"
#include "model/Lcmd.h"
#include "model/Lunitcontrol.h"
#include "tests/mainwindow/EditingSession.h"
#include "tests/support/RunLoop.h"
#include "widgets/panels/RzBmpBtn.h"
#include "widgets/panels/RzCmboBx.h"
#include "widgets/panels/VrButtons.h"
#include "widgets/styled/AdvTrackBar.h"
#include "widgets/styled/CurvyControls.h"

namespace dsp::test {
namespace {

constexpr int kInB = 1;
constexpr int kOut1 = 3;
constexpr int kOut2 = 4;
constexpr int kOut4 = 6;

class EditingEndToEnd : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(s_.Connect()); }

    template <typename T>
    T& Get(const std::string& name) {
        T* control = w_.Control<T>(name);
        if (control == nullptr) throw std::logic_error("no control " + name);
        return *control;
    }
    // Waits until the processor holds what the window's image holds.
    bool Agreed() {
        return s_.WaitUntil([&] { return s_.ProcessorAgrees(); });
    }
    // Out1 and Out2 linked, led by Out1, as the link dialog leaves them.
    void LinkOut1AndOut2() {
        w_.Model().SetLinkMask(kOut1, 0x3);
        w_.Model().SetLinkMask(kOut2, 0x0);
    }
    void Type(const std::string& box, const std::string& text) {
        auto& b = Get<TCurvyEdit>(box);
        b.SetText(text);
        b.Edit()->Perform(WM_KEYDOWN, 13, 0);
    }

    TEditingSession s_;
    TEditingWindow& w_ = s_.Window();
};

TEST_F(EditingEndToEnd, ADragOf200MovesEndsWithItsLastValueInFarFewerFrames) {
    auto& view = Get<LMyFFTDrawPhase>("fftDrawOut1");
    auto& table = Get<TMyPEQAllpass>("peqPeqOut1");
    const TPoint marker{view.GetBlockPos(2).X + view.GetPlotLeft(),
                        view.GetBlockPos(2).Y + view.GetPlotTop()};
    const int framesBefore = s_.FramesRead(CommandCode::CM_MCS_PEQ);
    view.Perform(MakeMouseMessage(WM_LBUTTONDOWN, MK_LBUTTON, marker));
    ASSERT_EQ(w_.SelectedBand(), 2);
    // The window system hands the moves over ten at a time while the window redraws.
    constexpr int kMoves = 200;
    constexpr int kBurst = 10;
    TPoint at = marker;
    for (int i = 1; i <= kMoves; ++i) {
        at = {marker.X + i, marker.Y - i / 3};
        view.Perform(MakeMouseMessage(WM_MOUSEMOVE, MK_LBUTTON, at));
        if (i % kBurst == 0) RunPendingEvents();
    }
    view.Perform(MakeMouseMessage(WM_LBUTTONUP, 0, at));
    ASSERT_TRUE(Agreed());
    const PeqBandParams band = w_.Model().GetPeqBand(kOut1, 2);
    EXPECT_EQ(band.Freq, FreqHzToIndex(table.GetFreqValue(2)));
    EXPECT_EQ(band.Gain, GainDbToIndex(table.GetGainValue(2)));
    EXPECT_GT(table.GetGainValue(2), 8.0);
    // At most the frame in flight and the one waiting, per turn of the event loop.
    const int frames = s_.FramesRead(CommandCode::CM_MCS_PEQ) - framesBefore;
    EXPECT_LE(frames, 2 * kMoves / kBurst + 2);
    EXPECT_GE(frames, 1);
}

}  // namespace
}  // namespace dsp::test
