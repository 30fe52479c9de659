// The pages a user edits, rendered after the edits as they make them (a band dragged on Out1's
// view, both crossover filters on with their slopes, the compressor and the gate set by typed
// values) and kept as pictures for people to look at (build/artifacts/mainwindow/edited_<page>.png).
// Each edit has to show where it was made: the view, the table row, the transfer plot.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "components/LMyFFTDrawPhase.h"
#include "components/MyPEQAllpass.h"
#include "framework/controls/Edit.h"
#include "framework/controls/MessageParams.h"
#include "framework/graphics/Bitmap.h"
#include "mainwindow/EditTexts.h"
#include "plot/engine/iXYPlot.h"
#include "tests/mainwindow/EditingFixture.h"
#include "tests/mainwindow/MainWindowFixture.h"
#include "widgets/panels/RzBmpBtn.h"
#include "widgets/panels/RzCmboBx.h"
#include "widgets/styled/CurvyControls.h"

namespace dsp {
namespace {

constexpr int kInA = 0;
constexpr int kOut1 = 3;

class EditedPages : public testing::Test {
protected:
    template <typename T>
    T& Get(const std::string& name) {
        return f_.Get<T>(name);
    }
    std::unique_ptr<TBitmap> Render() { return w_.RenderToImage(); }
    // A control's bounds in the window's client area.
    TRect PlaceOf(const TControl& control) const {
        TRect r = control.BoundsRect();
        for (const TControl* p = control.Parent(); p != nullptr && p != &w_; p = p->Parent()) {
            r = OffsetRect(r, p->Left(), p->Top());
        }
        return r;
    }
    static int Differing(const TBitmap& a, const TBitmap& b, const TRect& r) {
        int n = 0;
        for (int y = r.Top; y < r.Bottom; ++y) {
            for (int x = r.Left; x < r.Right; ++x) n += a.PixelAt(x, y) != b.PixelAt(x, y) ? 1 : 0;
        }
        return n;
    }
    void Type(const std::string& box, const std::string& text) {
        auto& b = Get<TCurvyEdit>(box);
        b.SetText(text);
        b.Edit()->Perform(WM_KEYDOWN, 13, 0);
    }
    void ChooseSlope(const std::string& selector, int item) {
        auto& box = Get<TRzComboBox>(selector);
        box.SetItemIndex(item);
        box.OnChange(&box);
    }
    // Ticks enough for the editing timers to draw what they hold.
    void Settle() {
        for (int i = 0; i < 3; ++i) f_.Tick();
    }

    test::TEditingFixture f_;
    test::TEditingWindow& w_ = f_.Window();
};

TEST_F(EditedPages, AChannelPageShowsADraggedBandAndItsCrossoverFilters) {
    f_.OpenPage(kOut1);
    Settle();
    const auto before = Render();
    auto& view = Get<LMyFFTDrawPhase>("fftDrawOut1");
    auto& table = Get<TMyPEQAllpass>("peqPeqOut1");

    // Both filters on with their slopes (the factory image has them bypassed).
    for (const char* bypass : {"rzbLowCutBypassOut1", "rzbHighCutBypassOut1"}) {
        auto& button = Get<TRzBmpButton>(bypass);
        if (button.Down()) {
            button.SetDown(false);
            button.Click();
        }
    }
    ChooseSlope("rzcLowCutSlopOut1", 9);
    ChooseSlope("rzcHighCutSlopOut1", 17);
    // Band 3 dragged up and to the right.
    const TPoint marker{view.GetBlockPos(2).X + view.GetPlotLeft(),
                        view.GetBlockPos(2).Y + view.GetPlotTop()};
    const TPoint to{marker.X + 60, marker.Y - 40};
    view.Perform(MakeMouseMessage(WM_LBUTTONDOWN, MK_LBUTTON, marker));
    view.Perform(MakeMouseMessage(WM_MOUSEMOVE, MK_LBUTTON, {marker.X + 30, marker.Y - 20}));
    view.Perform(MakeMouseMessage(WM_MOUSEMOVE, MK_LBUTTON, to));
    view.Perform(MakeMouseMessage(WM_LBUTTONUP, 0, to));
    Settle();
    const auto after = Render();
    test::TMainWindowFixture::KeepPicture(*after, "edited_Out1");

    EXPECT_GT(table.GetGainValue(2), 3.0);
    EXPECT_EQ(Get<TCurvyEdit>("cvdEqGainOut1").Text(),
              EqGainText(static_cast<int>(std::lround(table.GetGainValue(2) * 10)) + 120));
    EXPECT_GT(Differing(*before, *after, PlaceOf(view)), 500);
    EXPECT_GT(Differing(*before, *after, PlaceOf(table)), 0);
}

TEST_F(EditedPages, TheDynamicsPagesShowTheirTypedValuesOnTheTransferPlots) {
    struct TPage {
        int page;
        const char* plot;
        const char* name;
        std::vector<std::pair<const char*, const char*>> typed;
    };
    const TPage pages[] = {
        {TfmMain::kPageComp,
         "ipComp",
         "edited_Comp",
         {{"cvdCompThresholdOut1", "-20"}, {"cvdCompRatioOut1", "1:4"}, {"cvdCompKneeOut1", "6"}}},
        {TfmMain::kPageGate, "ipGate", "edited_Gate", {{"cvdGateThresholdInA", "-40"}}},
    };
    for (const TPage& p : pages) {
        SCOPED_TRACE(p.name);
        f_.OpenPage(p.page);
        Settle();
        const auto before = Render();
        for (const auto& [box, text] : p.typed) Type(box, text);
        Settle();
        const auto after = Render();
        test::TMainWindowFixture::KeepPicture(*after, p.name);
        EXPECT_GT(Differing(*before, *after, PlaceOf(Get<TiXYPlot>(p.plot))), 100);
    }
    EXPECT_EQ(w_.GateChannel(), kInA);
}

}  // namespace
}  // namespace dsp
