// Every page of the main window rendered at its design size in both languages, kept as pictures
// for people to look at (build/artifacts/mainwindow/page_<page>_<language>.png), with a few
// controls of each page checked pixel by pixel: a bitmap button in its state, a fader's thumb,
// a row of an EQ table, a response view's grid, the chrome of a group of displays.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "components/MyPEQAllpass.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Menus.h"
#include "framework/controls/Panel.h"
#include "framework/core/Resources.h"
#include "framework/graphics/Bitmap.h"
#include "model/ResponseTables.h"
#include "tests/mainwindow/MainWindowFixture.h"
#include "widgets/panels/RzBmpBtn.h"
#include "widgets/panels/RzLabel.h"
#include "widgets/panels/RzPanel.h"
#include "widgets/styled/AdvTrackBar.h"

namespace dsp {
namespace {

enum class TLook { StayDown, Up, Thumb, TableRow, ViewGrid, Chrome };

struct TCheck {
    TLook look;
    std::string control;
};

struct TPageCase {
    int page;
    std::vector<TCheck> checks;
};

std::vector<TPageCase> Pages() {
    std::vector<TPageCase> pages = {
        {TfmMain::kPageGain,
         {{TLook::StayDown, "rzbMenuGain"},
          {TLook::Up, "rzbMenuInA"},
          {TLook::ViewGrid, "fftDrawGainIn"},
          {TLook::ViewGrid, "fftDrawGainOut"},
          {TLook::Thumb, "isGainBackupOut1"},
          {TLook::Chrome, "rzgFftShowChOut"}}},
        {TfmMain::kPageGate,
         {{TLook::StayDown, "rzbMenuGate"},
          {TLook::Thumb, "isGateThresholdInA"},
          {TLook::Chrome, "plLevelGateIn"}}},
        {TfmMain::kPageComp,
         {{TLook::Thumb, "isCompAttackOut3"}, {TLook::Chrome, "plLevelCompOut2"}}},
        {TfmMain::kPageDelay,
         {{TLook::StayDown, "rzbUnit0"},
          {TLook::Up, "rzbUnit1"},
          {TLook::Thumb, "isDelayOut6"},
          {TLook::Chrome, "plFftDelayIn"}}},
        {TfmMain::kPageMatrix,
         {{TLook::StayDown, "rzbAMatrixOut1"},
          {TLook::Up, "rzbBMatrixOut1"},
          {TLook::StayDown, "rzbCMatrixOut3"}}},
    };
    for (int ch = 0; ch < kChannelCount; ++ch) {
        pages.push_back({ch,
                         {{TLook::ViewGrid, StripName("fftDraw", ch)},
                          {TLook::TableRow, StripName("peqPeq", ch)},
                          {TLook::Thumb, StripName("isEqGain", ch)},
                          {TLook::Chrome, StripName("rzgFftShowCh", ch)},
                          {TLook::StayDown, StripName("rzbLowCutBypass", ch)}}});
    }
    return pages;
}

// The share of a block's pixels that equal a picture's (its key colour left out).
double Match(const TBitmap& shown, int left, int top, const TBitmap& picture, int pictureLeft,
             int width, int height) {
    const TColorRef key = picture.PixelAt(pictureLeft, height - 1);
    int compared = 0;
    int equal = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const TColorRef p = picture.PixelAt(pictureLeft + x, y);
            if (p == key) continue;
            ++compared;
            if (shown.PixelAt(left + x, top + y) == p) ++equal;
        }
    }
    return compared == 0 ? 0 : static_cast<double>(equal) / compared;
}

class MainWindowPages : public ::testing::Test {
protected:
    // Checks one control of the rendered page; failures name the page and the control.
    void Check(const TBitmap& shown, const TCheck& check, const std::string& where) {
        TfmMain& window = fixture_.Window();
        auto* control = window.Control<TControl>(check.control);
        ASSERT_NE(control, nullptr) << where << check.control;
        const TRect r = fixture_.PlaceOf(*control);
        switch (check.look) {
            case TLook::StayDown:
            case TLook::Up: {
                // The button's own pictures, stretched 1:1: most of a band through its middle
                // (clear of the caption) shows the state's picture.
                auto& button = static_cast<TRzBmpButton&>(*control);
                EXPECT_EQ(button.Down(), check.look == TLook::StayDown) << where << check.control;
                const TBitmap& picture = check.look == TLook::StayDown
                                             ? *button.Bitmaps()->StayDown()
                                             : *button.Bitmaps()->Up();
                int equal = 0;
                for (int x = 3; x < 8; ++x) {
                    const int y = r.Height() / 2;
                    if (shown.PixelAt(r.Left + x, r.Top + y) == picture.PixelAt(x, y)) ++equal;
                }
                EXPECT_GE(equal, 4) << where << check.control;
                break;
            }
            case TLook::Thumb: {
                // The thumb's picture where the position puts it (3 pixels of track end each
                // side; the thumb travels the rest).
                auto& fader = static_cast<TAdvTrackBar&>(*control);
                TBitmap thumb;
                thumb.LoadFromResourceName(HInstance, "FADER_THUMB");
                const int travel = fader.Height() - 6 - thumb.Height();
                const double share = static_cast<double>(fader.Max() - fader.Position()) /
                                     (fader.Max() - fader.Min());
                const int top = r.Top + 3 + static_cast<int>(share * travel + 0.5);
                const int left = r.Left + (fader.Width() - thumb.Width()) / 2;
                double best = 0;
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        best = std::max(best, Match(shown, left + dx, top + dy, thumb, 0,
                                                    thumb.Width(), thumb.Height()));
                    }
                }
                EXPECT_GT(best, 0.9) << where << check.control;
                break;
            }
            case TLook::TableRow: {
                // Row 1: its number in the first band colour, its frequency box white.
                auto& table = static_cast<TMyPEQAllpass&>(*control);
                const TRect number = OffsetRect(table.NumberLabel(0)->BoundsRect(), r.Left, r.Top);
                const TColorRef red = static_cast<TColorRef>(BandColours[0]);
                int inBandColour = 0;
                for (int y = number.Top; y < number.Bottom; ++y) {
                    for (int x = number.Left; x < number.Right; ++x) {
                        if (shown.PixelAt(x, y) == red) ++inBandColour;
                    }
                }
                EXPECT_GT(inBandColour, 5) << where << check.control;
                const TRect box = OffsetRect(table.FrequencyBox(0)->BoundsRect(), r.Left, r.Top);
                EXPECT_EQ(shown.PixelAt(box.Left + 3, box.Top + 3), RGB(255, 255, 255))
                    << where << check.control;
                break;
            }
            case TLook::ViewGrid: {
                // The dark green grid lines of the views.
                int grid = 0;
                for (int y = r.Top; y < r.Bottom; ++y) {
                    for (int x = r.Left; x < r.Right; ++x) {
                        if (shown.PixelAt(x, y) == RGB(0, 72, 0)) ++grid;
                    }
                }
                EXPECT_GT(grid, 1000) << where << check.control;
                EXPECT_EQ(shown.PixelAt(r.Left + 2, r.Top + 2), RGB(0, 0, 0))
                    << where << check.control;
                break;
            }
            case TLook::Chrome: {
                // A display group: a frame of its own round a black inside.
                const TColorRef inside = shown.PixelAt(r.Left + r.Width() / 2, r.Top + 3);
                EXPECT_EQ(inside, RGB(0, 0, 0)) << where << check.control;
                const TColorRef edge = shown.PixelAt(r.Left, r.Top + r.Height() / 2);
                EXPECT_NE(edge, inside) << where << check.control;
                break;
            }
        }
    }

    test::TMainWindowFixture fixture_;
};

TEST_F(MainWindowPages, EveryPageInBothLanguagesShowsItsControls) {
    TfmMain& window = fixture_.Window();
    ASSERT_EQ(window.Width(), TfmMain::kDesignWidth);
    ASSERT_EQ(window.Height(), TfmMain::kDesignHeight);
    struct TLanguage {
        const char* name;
        const char* menuItem;
    };
    for (const TLanguage language :
         {TLanguage{"en", "English"}, TLanguage{"zh", "ChineseSimplified"}}) {
        auto* item = window.Control<TMenuItem>(language.menuItem);
        ASSERT_NE(item, nullptr);
        item->Click();
        for (const TPageCase& page : Pages()) {
            fixture_.OpenPage(page.page);
            ASSERT_EQ(window.Page(), page.page);
            auto shown = fixture_.Render();
            const std::string name = "page_" + TfmMain::PageName(page.page) + "_" + language.name;
            test::TMainWindowFixture::KeepPicture(*shown, name);
            for (const TCheck& check : page.checks) Check(*shown, check, name + ": ");
        }
    }
}

}  // namespace
}  // namespace dsp
