// Editing against the processor simulator over the real link: what the window edits ends in the
// processor's memory byte for byte, a read-back shows it again, and a drag does not flood the
// link.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "components/LMyFFTDrawPhase.h"
#include "components/MyPEQAllpass.h"
#include "dialogs/FPeqRst.h"
#include "framework/controls/Edit.h"
#include "framework/controls/MessageParams.h"
#include "framework/controls/UpDown.h"
#include "framework/runtime/Timer.h"
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

    // A left click in the middle of a button.
    static void Press(TControl& button) {
        const TPoint middle{button.Width() / 2, button.Height() / 2};
        button.Perform(MakeMouseMessage(WM_LBUTTONDOWN, MK_LBUTTON, middle));
        button.Perform(MakeMouseMessage(WM_LBUTTONUP, 0, middle));
    }
    // Confirms the EQ reset dialog from inside its modal loop.
    void ConfirmResetDialog() {
        confirm_ = std::make_unique<TTimer>(nullptr);
        confirm_->SetInterval(5);
        confirm_->SetOnTimer([](TObject*) {
            if (fmPeqRst != nullptr && fmPeqRst->Visible()) fmPeqRst->OkButton()->Click();
        });
        confirm_->SetEnabled(true);
    }
    bool OwnBit(std::uint16_t mask, int channel) { return ((mask >> (channel - kOut1)) & 1u) != 0; }

    TEditingSession s_;
    TEditingWindow& w_ = s_.Window();
    std::unique_ptr<TTimer> confirm_;
};

// Edits made the ways a user makes them (a band button and the arrow keys, a slope chosen with
// its filter switched on, values typed into the dynamics boxes) reach the processor, and a
// read-back brings each of them into the window again.
TEST_F(EditingEndToEnd, EditsByMouseKeysAndTypedValuesComeBackFromTheProcessor) {
    auto& bandButton = Get<TRzBmpButton>("rzbEq2Out1");
    bandButton.SetDown(true);
    bandButton.Click();
    auto& keys = Get<TCurvyEdit>("cvdEqFreqOut1");
    for (TKeyCode key : {38, 38, 38, 39, 39, 107}) keys.Edit()->Perform(WM_KEYDOWN, key, 0);
    auto& filterOff = Get<TRzBmpButton>("rzbLowCutBypassOut1");
    if (filterOff.Down()) {
        filterOff.SetDown(false);
        filterOff.Click();
    }
    auto& slope = Get<TRzComboBox>("rzcLowCutSlopOut1");
    slope.SetItemIndex(9);
    slope.OnChange(&slope);
    struct TTyped {
        const char* box;
        const char* text;
        const char* shown;
    };
    const TTyped typed[] = {{"cvdCompThresholdOut1", "-12", "-12.0dB"},
                            {"cvdCompRatioOut1", "1:4", "1:4.0"},
                            {"cvdCompKneeOut1", "6", "6dB"},
                            {"cvdGateThresholdInA", "-60", "-60.0dB"},
                            {"cvdGateReleaseInA", "250", "250ms"}};
    for (const TTyped& t : typed) Type(t.box, t.text);
    ASSERT_TRUE(Agreed());

    auto& table = Get<TMyPEQAllpass>("peqPeqOut1");
    const double gain = table.GetGainValue(1);
    const double freq = table.GetFreqValue(1);
    const double q = table.GetQValue(1);
    EXPECT_NE(w_.Model().GetPeqBand(kOut1, 1), w_.Model().GetDefaultPeqBand(kOut1, 1));
    for (const TTyped& t : typed) EXPECT_EQ(Get<TCurvyEdit>(t.box).Text(), t.shown) << t.box;

    ASSERT_TRUE(s_.ReadBack());
    EXPECT_DOUBLE_EQ(table.GetGainValue(1), gain);
    EXPECT_DOUBLE_EQ(table.GetFreqValue(1), freq);
    EXPECT_DOUBLE_EQ(table.GetQValue(1), q);
    EXPECT_EQ(slope.ItemIndex(), 9);
    EXPECT_FALSE(filterOff.Down());
    for (const TTyped& t : typed) EXPECT_EQ(Get<TCurvyEdit>(t.box).Text(), t.shown) << t.box;
}

TEST_F(EditingEndToEnd, AResetLeavesTheFactoryBandsInTheProcessorForTheWholeGroup) {
    LinkOut1AndOut2();
    PeqBandParams edited{};
    edited.Gain = static_cast<std::uint16_t>(GainDbToIndex(-7.5));
    edited.Freq = static_cast<std::uint16_t>(FreqHzToIndex(5000.0));
    edited.Q = 60;
    edited.Type = ptHighShelf;
    for (int b = 0; b < OutputBandCount; ++b) w_.Model().SetPeqBand(kOut1, b, edited, b == 4);
    ASSERT_TRUE(Agreed());
    ASSERT_NE(w_.Model().GetPeqBand(kOut2, 6), w_.Model().GetDefaultPeqBand(kOut2, 6));

    auto ownedDialog = std::make_unique<TfmPeqRst>(nullptr);
    ownedDialog->AfterConstruction();
    fmPeqRst = ownedDialog.get();
    ConfirmResetDialog();
    Press(Get<TVrDemoButton>("vrbEqResetOut1"));
    confirm_.reset();
    fmPeqRst = nullptr;
    ASSERT_TRUE(Agreed());

    // What the processor holds comes back into the window: the factory bands on both members.
    ASSERT_TRUE(s_.ReadBack());
    for (int ch : {kOut1, kOut2}) {
        for (int b = 0; b < OutputBandCount; ++b) {
            SCOPED_TRACE(std::to_string(ch) + " band " + std::to_string(b + 1));
            EXPECT_EQ(w_.Model().GetPeqBand(ch, b), w_.Model().GetDefaultPeqBand(ch, b));
            EXPECT_FALSE(w_.Model().IsBandBypassed(ch, b));
        }
    }
    auto& table = Get<TMyPEQAllpass>("peqPeqOut1");
    EXPECT_EQ(FreqHzToIndex(table.GetFreqValue(6)), w_.Model().GetDefaultPeqBand(kOut1, 6).Freq);
}

TEST_F(EditingEndToEnd, AWholeEqBypassOfAGroupStaysOnEveryMemberAfterAReadBack) {
    LinkOut1AndOut2();
    ASSERT_TRUE(Agreed());
    auto& bypass = Get<TVrDemoButton>("vrbEqBypassOut1");
    for (bool on : {true, false}) {
        SCOPED_TRACE(on);
        Press(bypass);
        ASSERT_TRUE(Agreed());
        ASSERT_TRUE(s_.ReadBack());
        for (int ch : {kOut1, kOut2}) {
            EXPECT_EQ(OwnBit(w_.Model().GetEqBypassMask(ch), ch), on) << ch;
        }
        EXPECT_FALSE(OwnBit(w_.Model().GetEqBypassMask(kOut4), kOut4));
    }
}

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
