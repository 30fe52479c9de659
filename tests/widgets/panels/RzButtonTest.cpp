#include <gtest/gtest.h>

#include <QEvent>

#include "framework/core/Resources.h"
#include "tests/framework/controls/ControlTestSupport.h"
#include "tests/framework/graphics/PixelMap.h"
#include "tests/widgets/panels/PanelTestSupport.h"
#include "widgets/panels/RzButton.h"

namespace dsp {
namespace {

using test::Place;

std::unique_ptr<TBitmap> PaintAlone(TWinControl& control) {
    auto b = std::make_unique<TBitmap>(control.Width(), control.Height());
    control.PaintTo(*b->Canvas(), 0, 0);
    return b;
}

TEST(RzButton, DownNeedsAGroupAndAGroupKeepsOneDown) {
    auto form = test::MakeForm(300, 100);
    auto* lone = Place(new TRzButton(form.get()), form.get(), 0, 0, 75, 25);
    lone->SetDown(true);
    EXPECT_FALSE(lone->Down());

    auto* first = Place(new TRzButton(form.get()), form.get(), 0, 30, 75, 25);
    auto* second = Place(new TRzButton(form.get()), form.get(), 80, 30, 75, 25);
    first->SetGroupIndex(1);
    second->SetGroupIndex(1);
    first->SetDown(true);
    test::ShowAndPaint(*form);
    int clicks = 0;
    second->OnClick = [&](TObject*) { ++clicks; };
    test::Click(*second, 10, 10);
    EXPECT_TRUE(second->Down());
    EXPECT_FALSE(first->Down());
    EXPECT_EQ(second->State(), bsExclusive);
    EXPECT_EQ(clicks, 1);
    // Without AllowAllUp a down button stays down, by the user's click or by the program.
    test::Click(*second, 10, 10);
    EXPECT_TRUE(second->Down());
    EXPECT_EQ(clicks, 2);
    second->SetDown(false);
    EXPECT_TRUE(second->Down());
    // AllowAllUp travels to the whole group.
    first->SetAllowAllUp(true);
    EXPECT_TRUE(second->AllowAllUp());
    second->SetDown(false);
    EXPECT_FALSE(second->Down());

    // The same group index on another parent is another group.
    auto* other = Place(new test::TProbeControl(form.get()), form.get(), 160, 30, 100, 60);
    auto* elsewhere = Place(new TRzButton(form.get()), other, 0, 0, 75, 25);
    elsewhere->SetGroupIndex(1);
    first->SetDown(true);
    elsewhere->SetDown(true);
    EXPECT_TRUE(first->Down());
    EXPECT_TRUE(elsewhere->Down());
}

TEST(RzButton, ClicksOnlyOnReleaseInsideOrSpace) {
    auto form = test::MakeForm(300, 100);
    auto* b = Place(new TRzButton(form.get()), form.get(), 10, 10, 75, 25);
    test::ShowAndPaint(*form);
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    test::SendMouse(*b, QEvent::MouseButtonPress, 10, 10, Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(b->ShowDownVersion());
    test::SendMouse(*b, QEvent::MouseMove, 200, 60, Qt::NoButton, Qt::LeftButton);
    EXPECT_FALSE(b->ShowDownVersion());
    test::SendMouse(*b, QEvent::MouseButtonRelease, 200, 60, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(clicks, 0);
    test::Click(*b, 10, 10);
    EXPECT_EQ(clicks, 1);
    test::SendKey(*b, Qt::Key_Space, " ");
    EXPECT_EQ(clicks, 2);
    // The framework's default-button rule: Enter clicks the active (focused) button.
    test::SendKey(*b, Qt::Key_Return, "\r");
    EXPECT_EQ(clicks, 3);
}

TEST(RzButton, ColouredFaceWithFrameRingsAndFocusDots) {
    auto form = test::MakeForm(200, 60);
    auto* b = Place(new TRzButton(form.get()), form.get(), 10, 10, 79, 21);
    auto* other = Place(new TRzButton(form.get()), form.get(), 100, 10, 79, 21);
    const TColor face = static_cast<TColor>(RGB(255, 160, 160));
    b->SetColor(face);
    test::ShowAndPaint(*form);
    b->SetFocus();
    const auto p = PaintAlone(*b);
    // Outer line in the window frame colour, then the rings shaded from the face colour.
    EXPECT_EQ(p->PixelAt(0, 0), static_cast<TColorRef>(ResolveColor(clWindowFrame)));
    EXPECT_EQ(p->PixelAt(78, 20), static_cast<TColorRef>(ResolveColor(clWindowFrame)));
    EXPECT_EQ(p->PixelAt(1, 5), static_cast<TColorRef>(LighterColor(face, 100)));
    EXPECT_EQ(p->PixelAt(77, 5), static_cast<TColorRef>(DarkerColor(face, 100)));
    EXPECT_EQ(p->PixelAt(2, 5), static_cast<TColorRef>(LighterColor(face, 40)));
    EXPECT_EQ(p->PixelAt(76, 5), static_cast<TColorRef>(DarkerColor(face, 50)));
    EXPECT_EQ(p->PixelAt(3, 10), static_cast<TColorRef>(face));
    // The dotted focus frame inset by 4: every other pixel from one after the corner.
    EXPECT_EQ(p->PixelAt(4, 5), 0u);
    EXPECT_EQ(p->PixelAt(4, 6), static_cast<TColorRef>(face));
    EXPECT_EQ(p->PixelAt(5, 4), 0u);
    // Without the focus (another button has it): no frame line and no dots.
    other->SetFocus();
    const auto unfocused = PaintAlone(*b);
    EXPECT_EQ(unfocused->PixelAt(0, 0), static_cast<TColorRef>(LighterColor(face, 100)));
    EXPECT_EQ(unfocused->PixelAt(4, 5), static_cast<TColorRef>(face));

    // The classic face on clBtnFace: raised, and two dark rings while pressed.
    b->SetColor(clBtnFace);
    const auto classic = PaintAlone(*b);
    EXPECT_EQ(classic->PixelAt(0, 5), 0xFFFFFFu);
    EXPECT_EQ(classic->PixelAt(78, 5), 0x404040u);
}

}  // namespace
}  // namespace dsp

namespace dsp {
namespace {

std::unique_ptr<TBitmap> Knob() {
    auto knob = std::make_unique<TBitmap>();
    knob->LoadFromResourceName(HInstance, "SHP_KNOB");
    return knob;
}

TEST(RzShapeButton, WithoutBevelOrBorderBothPicturesAreTheBitmap) {
    const auto knob = Knob();
    TRzShapeButton b(nullptr);
    b.SetBevelWidth(0);
    b.SetBorderStyle(bsNone);
    b.SetBitmap(knob.get());
    EXPECT_EQ(b.Width(), knob->Width() + 4);
    for (int y = 0; y < knob->Height(); ++y)
        for (int x = 0; x < knob->Width(); ++x) {
            ASSERT_EQ(b.BitmapUp()->PixelAt(x, y), knob->PixelAt(x, y));
            ASSERT_EQ(b.BitmapDown()->PixelAt(x, y), knob->PixelAt(x, y));
        }
    // The shape: the knob's pixels, not the white around it.
    EXPECT_TRUE(b.IsOnButton({14, 14}));
    EXPECT_FALSE(b.IsOnButton({0, 0}));
    EXPECT_FALSE(b.IsOnButton({60, 60}));
}

TEST(RzShapeButton, BevelsAreTracedAroundTheShape) {
    const auto knob = Knob();
    TRzShapeButton b(nullptr);
    b.SetBitmap(knob.get());
    // Two bevel rings and a border ring: light above and left, dark below and right, the border
    // outside both; pressed, the bevel colours swap.
    const TBitmap& up = *b.BitmapUp();
    const TBitmap& down = *b.BitmapDown();
    // The highlight is white, the knob's transparent colour: it is drawn a shade darker so that
    // it does not read as transparent.
    const TColorRef light = ResolveColor(DarkerColor(clBtnHighlight, 1));
    EXPECT_NE(light, 0xFFFFFFu);
    const TColorRef dark = ResolveColor(clBtnShadow);
    const TColorRef border = ResolveColor(cl3DDkShadow);
    // Along the middle row, from the left: border, then the two bevel rings, then the shape.
    int x = 0;
    while (x < 28 && up.PixelAt(x, 14) == 0xFFFFFF) ++x;
    EXPECT_EQ(up.PixelAt(x, 14), border);
    EXPECT_EQ(up.PixelAt(x + 1, 14), light);
    EXPECT_EQ(up.PixelAt(x + 2, 14), light);
    EXPECT_EQ(down.PixelAt(x + 1, 14), dark);
    int right = 27;
    while (right > 0 && up.PixelAt(right, 14) == 0xFFFFFF) --right;
    EXPECT_EQ(up.PixelAt(right, 14), border);
    EXPECT_EQ(up.PixelAt(right - 1, 14), dark);
    // The pressed picture leaves out the lower-right half of the border ring.
    EXPECT_EQ(down.PixelAt(right, 14), 0xFFFFFFu);
}

TEST(RzShapeButton, PreciseClicksOnlyOverTheShape) {
    auto form = test::MakeForm(100, 60);
    auto* b = Place(new TRzShapeButton(form.get()), form.get(), 10, 10, 10, 10);
    const auto knob = Knob();
    b->SetBitmap(knob.get());
    test::ShowAndPaint(*form);
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    // A press on a transparent corner reaches the form, not the button.
    test::Click(*form, 11, 11);
    EXPECT_EQ(clicks, 0);
    test::Click(*form, 24, 24);
    EXPECT_EQ(clicks, 1);
    // Pressed on the shape and released off it: no click.
    test::SendMouse(*form, QEvent::MouseButtonPress, 24, 24, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(b->State(), bsDown);
    test::SendMouse(*form, QEvent::MouseMove, 90, 50, Qt::NoButton, Qt::LeftButton);
    test::SendMouse(*form, QEvent::MouseButtonRelease, 90, 50, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(b->State(), bsUp);
}

}  // namespace
}  // namespace dsp
