// Link groups, copies, names, routing and the delay marker on the main window with no processor:
// a link Set copies a new follower's settings onto it alone, a copy from the copy dialog reaches
// the target's whole group, the page captions and overlay lamps follow the groups, names show
// on the routing page, the routing lines are drawn in their input's colour and the delay marker
// is dragged along its line.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "dialogs/FLinkSel.h"
#include "framework/controls/Label.h"
#include "framework/desktop/Cursors.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Colors.h"
#include "model/Lunitcontrol.h"
#include "tests/mainwindow/MainWindowFixture.h"
#include "widgets/panels/RzBmpBtn.h"
#include "widgets/panels/VrButtons.h"
#include "widgets/styled/AdvTrackBar.h"

namespace dsp {
namespace {

class MainWindowLinks : public ::testing::Test {
protected:
    test::TTestMainWindow& Window() { return fixture_.Window(); }
    LUnitControl& Model() { return Window().UnitControl(); }
    template <typename T>
    T& At(const std::string& name) {
        T* control = Window().Control<T>(name);
        EXPECT_NE(control, nullptr) << name;
        return *control;
    }
    // Gains of Out1, Out2 and Out3 told apart, then the masks.
    void Prepare(std::uint16_t out1, std::uint16_t out2, std::uint16_t out3) {
        for (int ch = 3; ch <= 5; ++ch) Model().SetGain(ch, static_cast<std::uint16_t>(ch * 50));
        Model().SetLinkMask(3, out1);
        Model().SetLinkMask(4, out2);
        Model().SetLinkMask(5, out3);
        Window().ApplyUnitImage();
    }

    test::TMainWindowFixture fixture_;
};

TEST_F(MainWindowLinks, ALinkSetWithoutAProcessorCopiesOntoTheNewFollowerAlone) {
    Prepare(1, 6, 0);  // Out2 leads Out3
    auto linkSel = std::make_unique<TfmLinkSel>(nullptr);
    linkSel->AfterConstruction();
    fmLinkSel = linkSel.get();
    for (int ch = 0; ch < ChannelCount; ++ch) linkSel->ShowLinkMask(ch, Model().GetLinkMask(ch));
    linkSel->Show();
    // Out2 follows Out1: Out3, which followed Out2, stands alone.
    TRzBmpButton* cell = linkSel->GridButton(4, 3);
    cell->SetDown(true);
    cell->Click();
    linkSel->bnSetClick(linkSel->bnSet);
    EXPECT_EQ(Model().GetLinkMask(3), 3);
    EXPECT_EQ(Model().GetLinkMask(4), 0);
    EXPECT_EQ(Model().GetLinkMask(5), 4);
    EXPECT_EQ(Model().GetGain(4), 150) << "Out2 took Out1's settings";
    EXPECT_EQ(Model().GetGain(5), 250) << "Out3 kept its own";
    EXPECT_EQ(At<TRzBmpButton>("rzbMenuOut2").Caption(), "2=1");
    EXPECT_EQ(At<TRzBmpButton>("rzbMenuOut3").Caption(), "Out3");
    EXPECT_FALSE(At<TVrPowerButton>("vrbShow2Gain").Visible());
    EXPECT_TRUE(At<TVrPowerButton>("vrbShow3Gain").Visible());
    EXPECT_TRUE(At<TRzBmpButton>("rzbMenuGain").Down());
    fmLinkSel = nullptr;
}

TEST_F(MainWindowLinks, ACopyWithoutAProcessorReachesTheTargetsGroupAndShowsIt) {
    Prepare(3, 0, 4);  // Out1 leads Out2
    const UnitImage before = Model().GetImage();
    Window().CopyChannel(4, 4, 1);
    EXPECT_EQ(Model().GetImage(), before);
    Window().CopyChannel(5, 4, 1);
    EXPECT_EQ(Model().GetGain(3), 250);
    EXPECT_EQ(Model().GetGain(4), 250);
    EXPECT_EQ(Model().GetLinkMask(3), 3) << "links stay";
    EXPECT_EQ(At<TAdvTrackBar>("isGainOut1").Position(), -30);
    EXPECT_EQ(At<TAdvTrackBar>("isGainBackupOut2").Position(), -30);
}

TEST_F(MainWindowLinks, CaptionsAndOverlayLampsFollowTheGroups) {
    Window().ShowLinkCaption(3, 5);
    EXPECT_EQ(At<TRzBmpButton>("rzbMenuOut3").Caption(), "3=1");
    Window().ShowLinkCaption(1, 1);
    EXPECT_EQ(At<TRzBmpButton>("rzbMenuInB").Caption(), "InB");
    for (const char* lamp : {"vrbShowBGain", "vrbShowBInA", "vrbShowBInC"}) {
        At<TVrPowerButton>(lamp).SetActive(true);
    }
    Window().ShowOverlayButtons(1, false);
    for (const char* lamp : {"vrbShowBGain", "vrbShowBInA", "vrbShowBInC"}) {
        EXPECT_FALSE(At<TVrPowerButton>(lamp).Visible()) << lamp;
        EXPECT_FALSE(At<TVrPowerButton>(lamp).Active()) << lamp;
    }
    for (int mask : {0, 2, 9}) EXPECT_EQ((Window().OverlayMask(mask) >> 1) & 1u, 0u) << mask;
    EXPECT_TRUE(At<TVrPowerButton>("vrbShowAInB").Visible());
    Window().ShowOverlayButtons(1, true);
    EXPECT_TRUE(At<TVrPowerButton>("vrbShowBInC").Visible());
}

TEST_F(MainWindowLinks, ANameShowsOnTheRoutingPageAndAsThePageButtonsHint) {
    const ChannelNameBytes bass{'B', 'a', 's', 's', 0, 0, 0, 0};
    Window().SetChannelName(4, bass);
    EXPECT_EQ(At<TLabel>("lbMatrixChNameOut2").Caption(), "Bass");
    EXPECT_EQ(At<TRzBmpButton>("rzbMenuOut2").Hint(), "Bass");
    EXPECT_EQ(Model().GetChannelName(4), bass);
    const ChannelNameBytes full{'S', 'u', 'b', 'w', 'o', 'o', 'f', 'e'};
    Window().SetChannelName(8, full);
    EXPECT_EQ(At<TLabel>("lbMatrixChNameOut6").Caption(), "Subwoofe");
}

TEST_F(MainWindowLinks, RoutingLinesRunInTheirInputsColour) {
    fixture_.OpenPage(TfmMain::kPageMatrix);
    auto& button = At<TRzBmpButton>("rzbCMatrixOut1");
    button.SetDown(true);
    button.Click();
    EXPECT_EQ(Model().GetRoutingMask(3), 5);
    auto& box = At<TControl>("pbMatrix");
    const TRect place = fixture_.PlaceOf(box);
    auto picture = fixture_.Render();
    test::TMainWindowFixture::KeepPicture(*picture, "matrix_routing");
    // InC's line from its row (175) to Out1's (0), halfway along; InA's to Out1 from 31.
    auto near = [&](int x, int y, TColorRef colour) {
        for (int dy = -3; dy <= 3; ++dy) {
            if (picture->PixelAt(place.Left + x, place.Top + y + dy) == colour) return true;
        }
        return false;
    };
    const int w = box.Width();
    EXPECT_TRUE(near(w / 2, 175 / 2, RGB(0, 128, 128)));
    EXPECT_TRUE(near(w / 2, 31 / 2, RGB(128, 0, 128)));
    // Released again: no teal line left.
    button.SetDown(false);
    button.Click();
    picture = fixture_.Render();
    EXPECT_FALSE(near(w / 2, 175 / 2, RGB(0, 128, 128)));
}

TEST_F(MainWindowLinks, TheDelayMarkerIsDraggedAlongItsLine) {
    fixture_.OpenPage(TfmMain::kPageDelay);
    auto& line = At<TLabel>("lbDelayLineInB");
    auto& marker = At<TControl>("imDelayInB");
    auto& fader = At<TAdvTrackBar>("isDelayInB");
    const int middle = line.Height() / 2;
    // Too far left of the marker's middle: no drag, the default cursor.
    line.OnMouseMove(&line, {}, marker.Left() - 25 - 20, middle);
    EXPECT_EQ(line.Cursor(), crDefault);
    line.OnMouseDown(&line, mbLeft, {}, marker.Left() - 25 - 20, middle);
    line.OnMouseMove(&line, {}, 200, middle);
    EXPECT_EQ(fader.Position(), 0);
    line.OnMouseUp(&line, mbLeft, {}, 200, middle);
    // On it: the hand, then the drag moves the fader and the marker.
    line.OnMouseMove(&line, {}, marker.Left() - 25, middle);
    EXPECT_EQ(line.Cursor(), crHandPoint);
    line.OnMouseDown(&line, mbLeft, {}, marker.Left() - 25, middle);
    const int w = line.Width();
    line.OnMouseMove(&line, {}, 200, middle);
    EXPECT_EQ(fader.Position(), (200 - 15) * 65280 / (w - 90));
    EXPECT_EQ(Model().GetDelay(1), fader.Position());
    EXPECT_EQ(marker.Left(), fader.Position() * (w - 90) / 65280 + 40);
    // Beyond the right end it stops at the fader's end.
    line.OnMouseMove(&line, {}, w + 50, middle);
    EXPECT_EQ(fader.Position(), 65280);
    line.OnMouseUp(&line, mbLeft, {}, w + 50, middle);
    line.OnMouseMove(&line, {}, 100, middle);
    EXPECT_EQ(fader.Position(), 65280);
}

}  // namespace
}  // namespace dsp
