#include <gtest/gtest.h>

#include <QEvent>

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
