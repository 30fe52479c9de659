// Progress bars and status bars: their rules, and their classic look sampled pixel by pixel.

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "framework/controls/ControlErrors.h"
#include "framework/controls/ProgressBar.h"
#include "framework/controls/StatusBar.h"
#include "framework/graphics/Bitmap.h"
#include "framework/runtime/SystemInfo.h"
#include "framework/text/Filer.h"
#include "framework/text/Streams.h"
#include "tests/framework/controls/ControlTestSupport.h"

namespace dsp {
namespace {

using test::MakeForm;
using test::Place;

TColorRef Sys(int index) { return GetSysColor(index); }

// Whether any pixel of the rectangle differs from the colour.
bool HasInk(const TBitmap& image, const TRect& r, TColorRef background) {
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            if (image.PixelAt(x, y) != background) return true;
    return false;
}

TEST(StdProgressBar, PositionStaysWithinTheRange) {
    struct Case {
        int min, max, position;
        int expected;
    };
    const std::vector<Case> cases = {
        {0, 100, 50, 50}, {0, 100, 101, 100}, {0, 100, -1, 0},
        {10, 20, 5, 10},  {0, 0, 3, 0},       {-5, 5, -5, -5},
    };
    auto form = MakeForm(200, 50);
    for (const Case& c : cases) {
        TProgressBar bar(form.get());
        bar.SetRange(c.min, c.max);
        bar.SetPosition(c.position);
        EXPECT_EQ(bar.Position(), c.expected) << c.min << ".." << c.max << " set " << c.position;
    }
    TProgressBar bar(form.get());
    bar.SetPosition(80);
    bar.SetMax(60);
    EXPECT_EQ(bar.Position(), 60) << "narrowing the range pulls the position in";
    EXPECT_THROW(bar.SetMin(70), EInvalidOperation);
    EXPECT_EQ(bar.Min(), 0) << "max below min is refused before anything changes";
    EXPECT_EQ(bar.Position(), 60);
}

TEST(StdProgressBar, MaxBelowMinIsRefusedExceptWhileLoading) {
    auto form = MakeForm(200, 50);
    TProgressBar bar(form.get());
    EXPECT_THROW(bar.SetMax(-1), EInvalidOperation);
    EXPECT_EQ(bar.Max(), 100);

    // A form sets Min before Max: for a moment the range may be upside down.
    TForm loading(nullptr);
    BeginLoading(loading);
    auto* stored = new TProgressBar(&loading);
    stored->SetMin(200);
    stored->SetMax(300);
    stored->SetPosition(250);
    EndLoading(loading);
    EXPECT_EQ(stored->Min(), 200);
    EXPECT_EQ(stored->Max(), 300);
    EXPECT_EQ(stored->Position(), 250);
}

TEST(StdProgressBar, StepItStartsAgainAndStepByStopsAtTheEnds) {
    auto form = MakeForm(200, 50);
    TProgressBar bar(form.get());
    bar.SetMax(25);
    std::vector<int> seen;
    for (int i = 0; i < 4; ++i) {
        bar.StepIt();
        seen.push_back(bar.Position());
    }
    EXPECT_EQ(seen, (std::vector<int>{10, 20, 0, 10}));
    bar.StepBy(100);
    EXPECT_EQ(bar.Position(), 25);
    bar.StepBy(-100);
    EXPECT_EQ(bar.Position(), 0);

    // The widest range there is: no arithmetic overflows on the way.
    bar.SetRange(INT_MIN, INT_MAX);
    bar.SetStep(INT_MAX);
    bar.SetPosition(INT_MAX - 1);
    bar.StepIt();
    EXPECT_EQ(bar.Position(), INT_MIN);
    bar.StepBy(INT_MIN);
    EXPECT_EQ(bar.Position(), INT_MIN);
    bar.SetPosition(0);
    EXPECT_EQ(bar.DoneRect().Width(), 78)
        << "half of 146 pixels, to the end of the 8-pixel block that starts at 70";
}

TEST(StdProgressBar, BlocksSmoothBarsAndUprightBarsDrawTheirPart) {
    auto form = MakeForm(300, 150);
    auto* blocks = Place(new TProgressBar(form.get()), form.get(), 10, 10, 150, 18);
    blocks->SetMax(4);
    blocks->SetPosition(2);
    auto* smooth = Place(new TProgressBar(form.get()), form.get(), 10, 40, 150, 18);
    smooth->SetSmooth(true);
    smooth->SetPosition(50);
    smooth->SetBarColor(clRed);
    auto* upright = new TProgressBar(form.get());
    upright->SetOrientation(pbVertical);
    EXPECT_EQ(upright->Width(), 16) << "turning the bar swaps its width and height";
    Place(upright, form.get(), 200, 10, 18, 100);
    upright->SetSmooth(true);
    upright->SetPosition(25);
    auto* empty = Place(new TProgressBar(form.get()), form.get(), 10, 70, 150, 18);
    form->Show();
    auto image = form->RenderToImage();

    // The sunken frame, then the background one pixel inside it.
    EXPECT_EQ(image->PixelAt(10, 10), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(image->PixelAt(159, 27), Sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(image->PixelAt(11, 11), Sys(COLOR_BTNFACE));

    // Half of the 146-pixel inside in blocks 9 pixels wide (2/3 of 14) and 2 apart.
    const TRect done = blocks->DoneRect();
    EXPECT_EQ(done.Left, 2);
    EXPECT_GE(done.Right, 2 + 73);
    EXPECT_LT(done.Right, 2 + 73 + 9);
    EXPECT_EQ(image->PixelAt(10 + 2, 20), Sys(COLOR_HIGHLIGHT));
    EXPECT_EQ(image->PixelAt(10 + 2 + 8, 20), Sys(COLOR_HIGHLIGHT));
    EXPECT_EQ(image->PixelAt(10 + 2 + 9, 20), Sys(COLOR_BTNFACE)) << "the gap between blocks";
    EXPECT_EQ(image->PixelAt(10 + 2 + 11, 20), Sys(COLOR_HIGHLIGHT));
    EXPECT_EQ(image->PixelAt(10 + 140, 20), Sys(COLOR_BTNFACE));

    // Smooth: exactly half, in the bar colour.
    EXPECT_EQ(smooth->DoneRect(), Rect(2, 2, 2 + 73, 16));
    EXPECT_EQ(image->PixelAt(10 + 2 + 72, 50), RGB(255, 0, 0));
    EXPECT_EQ(image->PixelAt(10 + 2 + 73, 50), Sys(COLOR_BTNFACE));

    // Upright: the lowest quarter.
    EXPECT_EQ(upright->DoneRect(), Rect(2, 98 - 24, 16, 98));
    EXPECT_EQ(image->PixelAt(208, 10 + 97), Sys(COLOR_HIGHLIGHT));
    EXPECT_EQ(image->PixelAt(208, 10 + 60), Sys(COLOR_BTNFACE));

    EXPECT_TRUE(IsRectEmpty(empty->DoneRect()));
    EXPECT_FALSE(HasInk(*image, Rect(12, 72, 158, 86), Sys(COLOR_BTNFACE)));
}

TEST(StdStatusBar, PanelsLieSideBySideAndTheLastTakesTheRest) {
    auto form = MakeForm(400, 100);
    auto* bar = Place(new TStatusBar(form.get()), form.get(), 0, 0, 400, 19);
    for (int width : {60, 100, 30}) bar->Panels()->Add()->SetWidth(width);
    EXPECT_EQ(bar->BoundsRect(), Rect(0, 81, 400, 100)) << "aligned at the bottom";
    EXPECT_TRUE(bar->ShowsSizeGrip());
    EXPECT_EQ(bar->PanelRect(0), Rect(0, 2, 60, 19));
    EXPECT_EQ(bar->PanelRect(1), Rect(62, 2, 162, 19));
    EXPECT_EQ(bar->PanelRect(2), Rect(164, 2, 400 - 17, 19));
    EXPECT_EQ(bar->PanelRect(-1), Rect(0, 2, 400 - 17, 19));

    bar->SetSizeGrip(false);
    EXPECT_EQ(bar->PanelRect(2).Right, 400);
    bar->SetSizeGrip(true);
    form->SetBorderStyle(bsDialog);
    EXPECT_FALSE(bar->ShowsSizeGrip()) << "a dialog's border cannot be dragged";

    bar->Panels()->Items(0)->SetWidth(500);
    EXPECT_TRUE(IsRectEmpty(bar->PanelRect(1))) << "a panel beyond the right edge";
}

TEST(StdStatusBar, TextsBevelsSimpleModeAndOwnerDrawing) {
    auto form = MakeForm(400, 100);
    auto* bar = Place(new TStatusBar(form.get()), form.get(), 0, 0, 400, 19);
    bar->Panels()->Add()->SetWidth(80);
    TStatusPanel* text = bar->Panels()->Add();
    text->SetWidth(120);
    text->SetText("Uploading");
    TStatusPanel* drawn = bar->Panels()->Add();
    drawn->SetStyle(psOwnerDraw);
    drawn->SetBevel(pbRaised);
    std::vector<TRect> drawnRects;
    bar->OnDrawPanel = [&](TStatusBar* sender, TStatusPanel* panel, const TRect& r) {
        EXPECT_EQ(panel, drawn);
        drawnRects.push_back(r);
        sender->Canvas()->Brush()->SetColor(clRed);
        sender->Canvas()->FillRect(r);
    };
    form->Show();
    auto image = form->RenderToImage();
    const int top = bar->Top();
    const TColorRef face = Sys(COLOR_BTNFACE);

    EXPECT_EQ(image->PixelAt(0, top + 2), Sys(COLOR_BTNSHADOW)) << "a lowered box";
    EXPECT_EQ(image->PixelAt(79, top + 18), Sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(image->PixelAt(5, top + 1), face) << "the gap above the boxes";
    EXPECT_FALSE(HasInk(*image, Rect(2, top + 4, 78, top + 17), face)) << "an empty panel";
    EXPECT_TRUE(HasInk(*image, Rect(84, top + 4, 200, top + 17), face));

    ASSERT_FALSE(drawnRects.empty());
    EXPECT_EQ(drawnRects.back(), Rect(205, 3, 400 - 17 - 1, 18));
    EXPECT_EQ(image->PixelAt(204, top + 2), Sys(COLOR_BTNHIGHLIGHT)) << "a raised box";
    EXPECT_EQ(image->PixelAt(250, top + 10), RGB(255, 0, 0));
    // The size grip's ridges in the corner.
    EXPECT_TRUE(HasInk(*image, Rect(400 - 12, top + 7, 400, top + 19), face));

    bar->SetSimplePanel(true);
    bar->SetSimpleText("SID_STORE_PRESET");
    image = form->RenderToImage();
    EXPECT_TRUE(HasInk(*image, Rect(3, top + 4, 80, top + 17), face));
    EXPECT_EQ(image->PixelAt(250, top + 10), face) << "the panels do not show in simple mode";
    EXPECT_EQ(bar->Panels()->Count(), 3);
    EXPECT_EQ(text->Text(), "Uploading");

    bar->SetSimplePanel(false);
    text->SetText("");
    image = form->RenderToImage();
    EXPECT_FALSE(HasInk(*image, Rect(84, top + 4, 200, top + 17), face));
}

TEST(StdStatusBar, PanelsCopyFromAnotherBar) {
    auto form = MakeForm(300, 100);
    TStatusBar a(form.get());
    TStatusPanel* p = a.Panels()->Add();
    p->SetText("One");
    p->SetWidth(70);
    p->SetAlignment(taCenter);
    a.Panels()->Add()->SetText("Two");
    TStatusBar b(form.get());
    b.SetPanels(a.Panels());
    ASSERT_EQ(b.Panels()->Count(), 2);
    EXPECT_EQ(b.Panels()->Items(0)->Text(), "One");
    EXPECT_EQ(b.Panels()->Items(0)->Width(), 70);
    EXPECT_EQ(b.Panels()->Items(0)->Alignment(), taCenter);
    EXPECT_EQ(b.Panels()->Items(1)->Text(), "Two");
}

TEST(StdStatusBar, BarsTravelInAFormStreamWithTheirPanels) {
    auto form = MakeForm(300, 100);
    TStatusBar bar(form.get());
    bar.SetSimplePanel(true);
    bar.SetSimpleText("SID_LOAD_PRESET");
    bar.SetSizeGrip(false);
    TStatusPanel* first = bar.Panels()->Add();
    first->SetText("Online");
    first->SetWidth(80);
    first->SetBevel(pbRaised);
    TStatusPanel* second = bar.Panels()->Add();
    second->SetAlignment(taRightJustify);
    second->SetStyle(psOwnerDraw);
    TProgressBar progress(form.get());
    progress.SetRange(-5, 16);
    progress.SetPosition(9);
    progress.SetSmooth(true);
    progress.SetBarColor(clRed);

    TMemoryStream stream;
    WriteComponentStream(stream, bar);
    WriteComponentStream(stream, progress);
    stream.SetPosition(0);
    TStatusBar barCopy(form.get());
    barCopy.Panels()->Add()->SetText("dropped on reading");
    ReadComponentStream(stream, barCopy);
    TProgressBar progressCopy(form.get());
    ReadComponentStream(stream, progressCopy);

    EXPECT_TRUE(barCopy.SimplePanel());
    EXPECT_EQ(barCopy.SimpleText(), "SID_LOAD_PRESET");
    EXPECT_FALSE(barCopy.SizeGrip());
    ASSERT_EQ(barCopy.Panels()->Count(), 2);
    EXPECT_EQ(barCopy.Panels()->Items(0)->Text(), "Online");
    EXPECT_EQ(barCopy.Panels()->Items(0)->Width(), 80);
    EXPECT_EQ(barCopy.Panels()->Items(0)->Bevel(), pbRaised);
    EXPECT_EQ(barCopy.Panels()->Items(1)->Alignment(), taRightJustify);
    EXPECT_EQ(barCopy.Panels()->Items(1)->Style(), psOwnerDraw);
    EXPECT_EQ(progressCopy.Min(), -5);
    EXPECT_EQ(progressCopy.Max(), 16);
    EXPECT_EQ(progressCopy.Position(), 9);
    EXPECT_TRUE(progressCopy.Smooth());
    EXPECT_EQ(progressCopy.BarColor(), clRed);
}

TEST(SystemAnswers, AgreeWithWhatTheControlsAndCanvasesDo) {
    EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), kScrollBarSize);
    EXPECT_EQ(GetSystemMetrics(SM_CYHSCROLL), kScrollBarSize);
    TBitmap page(4, 4);
    EXPECT_EQ(ScreenDeviceCaps(NUMCOLORS), page.Canvas()->DeviceCaps(NUMCOLORS));
    EXPECT_EQ(ScreenDeviceCaps(BITSPIXEL), page.Canvas()->DeviceCaps(BITSPIXEL));
    EXPECT_FALSE(ThemesActive());
    EXPECT_EQ(ThemeColorName(), "");
    EXPECT_EQ(Win32Platform(), VER_PLATFORM_WIN32_NT);
    EXPECT_EQ(Win32MajorVersion() * 10 + Win32MinorVersion(), 61);

    TSystemAnswers themed;
    themed.themesActive = true;
    themed.themeColorName = "HOMESTEAD";
    SetSystemAnswers(themed);
    EXPECT_TRUE(ThemesActive());
    EXPECT_EQ(ThemeColorName(), "HOMESTEAD");
    SetSystemAnswers({});
    EXPECT_FALSE(ThemesActive());
}

}  // namespace
}  // namespace dsp
