#include <gtest/gtest.h>

#include <QEvent>

#include "tests/framework/controls/ControlTestSupport.h"
#include "tests/framework/graphics/PixelMap.h"
#include "tests/widgets/panels/PanelTestSupport.h"
#include "widgets/panels/VrButtons.h"

namespace dsp {
namespace {

using test::Place;

// A power button as the main window sets them: black, no bevel or outline, olive and yellow.
TVrPowerButton* MainWindowPowerButton(TForm& form, int left, int top) {
    auto* b = Place(new TVrPowerButton(&form), &form, left, top, 47, 16);
    b->SetColor(clBlack);
    b->SetBevelWidth(0);
    b->SetOutlineWidth(0);
    b->Palette()->SetLow(clOlive);
    b->Palette()->SetHigh(clYellow);
    b->Font()->SetName("Tahoma");
    b->Font()->SetHeight(-11);
    b->Font()->SetColor(clAqua);
    b->SetCaption("InA");
    return b;
}

std::unique_ptr<TBitmap> PaintAlone(TWinControl& control) {
    auto b = std::make_unique<TBitmap>(control.Width(), control.Height());
    control.PaintTo(*b->Canvas(), 0, 0);
    return b;
}

TColorRef LedCentre(TVrPowerButton& b) {
    const TRect led = b.ImageRect();
    return PaintAlone(b)->PixelAt((led.Left + led.Right) / 2, (led.Top + led.Bottom) / 2);
}

TEST(VrPowerButton, LedShowsHighLowOrTheButtonColour) {
    auto form = test::MakeForm(100, 40);
    TVrPowerButton* b = MainWindowPowerButton(*form, 0, 0);
    // The LED is 12 x 12, centred vertically, a margin from the left that centres LED and text.
    EXPECT_EQ(b->ImageRect().Width(), 12);
    EXPECT_EQ(b->ImageRect().Top, 2);
    EXPECT_EQ(b->TextBounds().Left, b->ImageRect().Right + 5);
    EXPECT_EQ(LedCentre(*b), static_cast<TColorRef>(clOlive));
    b->SetActive(true);
    EXPECT_EQ(LedCentre(*b), static_cast<TColorRef>(clYellow));
    const auto on = PaintAlone(*b);
    const TRect led = b->ImageRect();
    // A sunken ring (shadow above and left, highlight below and right), then a black ring.
    EXPECT_EQ(on->PixelAt(led.Left, led.Top + 3), 0x808080u);
    EXPECT_EQ(on->PixelAt(led.Right - 1, led.Top + 3), 0xFFFFFFu);
    EXPECT_EQ(on->PixelAt(led.Left + 1, led.Top + 3), 0x000000u);
    EXPECT_EQ(testing::CountPixels(*on, 0x00FFFF), 8 * 8);

    // Disabled: the lamp takes the button's colour and the caption is embossed.
    b->SetEnabled(false);
    EXPECT_EQ(LedCentre(*b), static_cast<TColorRef>(clBlack));
    const auto disabled = PaintAlone(*b);
    auto inCaption = [&](TColorRef color) {
        int n = 0;
        const TRect t = b->TextBounds();
        for (int y = t.Top; y < t.Bottom + 1; ++y)
            for (int x = t.Left; x < t.Right + 1; ++x) n += disabled->PixelAt(x, y) == color;
        return n;
    };
    EXPECT_GT(inCaption(0x808080), 4);
    EXPECT_GT(inCaption(0xFFFFFF), 4);
    EXPECT_EQ(inCaption(0xFFFF00), 0);
}

TEST(VrPowerButton, ClicksToggleFirstThenTellAndPressesReleasedOutsideDoNothing) {
    auto form = test::MakeForm(200, 60);
    TVrPowerButton* b = MainWindowPowerButton(*form, 10, 10);
    test::ShowAndPaint(*form);
    std::vector<bool> seen;
    b->OnClick = [&](TObject*) { seen.push_back(b->Active()); };

    test::Click(*b, 20, 8);
    EXPECT_EQ(seen, (std::vector<bool>{true}));
    EXPECT_EQ(test::ShownPixel(*b, b->ImageRect().Left + 6, b->ImageRect().Top + 6),
              static_cast<TColorRef>(clYellow));

    // Pressed, moved out, released outside: nothing changes.
    test::SendMouse(*b, QEvent::MouseButtonPress, 20, 8, Qt::LeftButton, Qt::LeftButton);
    test::SendMouse(*b, QEvent::MouseMove, 120, 30, Qt::NoButton, Qt::LeftButton);
    test::SendMouse(*b, QEvent::MouseButtonRelease, 120, 30, Qt::LeftButton, Qt::NoButton);
    EXPECT_TRUE(b->Active());
    EXPECT_EQ(seen.size(), 1u);

    // Setting the state by program raises nothing.
    b->SetActive(false);
    b->SetActive(false);
    EXPECT_EQ(seen.size(), 1u);
    // The framework's own click does nothing either.
    b->Click();
    EXPECT_EQ(seen.size(), 1u);

    // Space toggles like a click.
    b->SetTabStop(true);
    b->SetFocus();
    test::SendKey(*b, Qt::Key_Space, " ");
    EXPECT_EQ(seen, (std::vector<bool>{true, true}));
}

TEST(VrPowerButton, AStrayEndUpdateDoesNotStopRefreshing) {
    auto form = test::MakeForm(100, 40);
    TVrPowerButton* b = MainWindowPowerButton(*form, 0, 0);
    test::ShowAndPaint(*form);
    const TPoint led{b->ImageRect().Left + 6, b->ImageRect().Top + 6};
    b->EndUpdate();
    EXPECT_EQ(b->UpdateCount(), 0);
    b->SetActive(true);
    EXPECT_EQ(test::ShownPixel(*b, led.X, led.Y), static_cast<TColorRef>(clYellow));
    // Inside an update the change waits for its end.
    b->BeginUpdate();
    b->SetActive(false);
    EXPECT_EQ(test::ShownPixel(*b, led.X, led.Y), static_cast<TColorRef>(clYellow));
    b->EndUpdate();
    EXPECT_EQ(test::ShownPixel(*b, led.X, led.Y), static_cast<TColorRef>(clOlive));
}

TEST(VrPowerButton, MarginAndSpacingShareOutTheSpaceWhenBothAreFree) {
    auto form = test::MakeForm(200, 40);
    TVrPowerButton* b = MainWindowPowerButton(*form, 0, 0);
    b->SetBounds(0, 0, 118, 16);
    b->SetMargin(-1);
    b->SetSpacing(-1);
    const int t = b->TextBounds().Width();
    const int share = (118 - (12 + t)) / 3;
    EXPECT_EQ(b->ImageRect().Left, share);
    EXPECT_EQ(b->TextBounds().Left, share + 12 + share);
    b->SetLayout(ImageRight);
    EXPECT_EQ(b->ImageRect().Right, 118 - share);
}

TEST(VrDemoButton, FlatButtonsShowTheirBevelOnlyUnderThePointer) {
    auto form = test::MakeForm(100, 40);
    auto* b = Place(new TVrDemoButton(form.get()), form.get(), 0, 0, 65, 17);
    b->SetColor(clBlack);
    b->SetBevelWidth(1);
    b->SetOutlineWidth(0);
    b->SetCaption("Reset");
    b->SetFlat(true);
    const auto away = PaintAlone(*b);
    EXPECT_EQ(away->PixelAt(0, 0), 0x000000u);
    b->Perform(CM_MOUSEENTER);
    EXPECT_TRUE(b->HasMouse());
    const auto over = PaintAlone(*b);
    EXPECT_EQ(over->PixelAt(0, 0), 0xFFFFFFu);
    EXPECT_EQ(over->PixelAt(64, 16), 0x808080u);
    b->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(PaintAlone(*b)->PixelAt(0, 0), 0x000000u);
    // The hover font while the pointer is over it (red), the other one otherwise (black).
    b->SetColor(clWhite);
    b->Perform(CM_MOUSEENTER);
    EXPECT_GT(testing::CountPixels(*PaintAlone(*b), 0x0000FF), 0);
    b->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(testing::CountPixels(*PaintAlone(*b), 0x0000FF), 0);
}

TEST(VrDemoButton, ClicksOnlyWhenReleasedInside) {
    auto form = test::MakeForm(200, 60);
    auto* b = Place(new TVrDemoButton(form.get()), form.get(), 10, 10, 65, 17);
    test::ShowAndPaint(*form);
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    test::Click(*b, 30, 8);
    EXPECT_EQ(clicks, 1);
    test::SendMouse(*b, QEvent::MouseButtonPress, 30, 8, Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(b->Down());
    test::SendMouse(*b, QEvent::MouseMove, 150, 40, Qt::NoButton, Qt::LeftButton);
    EXPECT_FALSE(b->Down());
    EXPECT_TRUE(b->Pressed());
    test::SendMouse(*b, QEvent::MouseButtonRelease, 150, 40, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(b->Pressed());
}

TEST(VrFont3D, ShadowCopySitsItsDepthRightAndDown) {
    TVrFont3D font3D;
    font3D.SetStyle(f3dShadow);
    font3D.SetShadowDepth(2);
    font3D.SetShadowColor(clRed);
    TBitmap text(60, 30);
    TBitmap shadow(60, 30);
    for (TBitmap* b : {&text, &shadow}) {
        b->Canvas()->Font()->SetName("Arial");
        b->Canvas()->Font()->SetHeight(-14);
        b->Canvas()->Font()->SetColor(clBlack);
    }
    TVrFont3D plain;
    plain.Paint(*text.Canvas(), Rect(0, 0, 60, 30), DT_SINGLELINE, "IH");
    font3D.Paint(*shadow.Canvas(), Rect(0, 0, 60, 30), DT_SINGLELINE, "IH");
    // Where the shadow shows (red, smoothed against white), the plain text has its ink two
    // pixels up and left.
    int red = 0;
    for (int y = 2; y < 30; ++y)
        for (int x = 2; x < 60; ++x) {
            const TColorRef p = shadow.PixelAt(x, y);
            if (GetRValue(p) - GetGValue(p) < 100 || GetRValue(p) - GetBValue(p) < 100) continue;
            ++red;
            EXPECT_NE(text.PixelAt(x - 2, y - 2), 0xFFFFFFu) << x << "," << y;
        }
    EXPECT_GT(red, 10);
}

}  // namespace
}  // namespace dsp
