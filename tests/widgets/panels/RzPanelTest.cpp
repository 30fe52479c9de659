#include <gtest/gtest.h>

#include "framework/graphics/Bitmap.h"
#include "tests/framework/controls/ControlTestSupport.h"
#include "tests/framework/graphics/PixelMap.h"
#include "tests/support/RunLoop.h"
#include "tests/widgets/panels/PanelTestSupport.h"
#include "widgets/panels/RzPanel.h"

namespace dsp {
namespace {

using test::Place;
using test::TPictureControl;

std::unique_ptr<TBitmap> PaintAlone(TWinControl& control) {
    auto b = std::make_unique<TBitmap>(control.Width(), control.Height());
    b->Canvas()->Brush()->SetColor(clYellow);
    b->Canvas()->FillRect(Rect(0, 0, control.Width(), control.Height()));
    control.PaintTo(*b->Canvas(), 0, 0);
    return b;
}

int TextHeightOf(TFont* font, const std::string& text) {
    TCanvas c;
    c.SetFont(font);
    return c.TextHeight(text);
}

TEST(RzGroupBox, TransparentCustomBoxShowsExactlyItsParentsPixels) {
    auto form = test::MakeForm(160, 120);
    auto* picture = Place(new TPictureControl(form.get()), form.get(), 0, 0, 160, 120);
    test::ShowAndPaint(*form);
    const auto before = test::Render(*form);

    auto* box = Place(new TRzGroupBox(form.get()), picture, 13, 7, 70, 50);
    box->SetGroupStyle(gsCustom);
    box->SetTransparent(true);
    int painted = 0;
    box->OnPaint = [&](TObject*) { ++painted; };
    test::ShowAndPaint(*form);
    EXPECT_EQ(test::DifferingPixels(*before, *test::Render(*form)), 0);
    EXPECT_GT(painted, 0);
    // The same on the screen: the box's window shows the parent's picture under it.
    for (const TPoint p : {Point(0, 0), Point(69, 49), Point(31, 17)}) {
        EXPECT_EQ(test::ShownPixel(*box, p.X, p.Y),
                  static_cast<TColorRef>(TPictureControl::PixelColor(13 + p.X, 7 + p.Y)));
    }

    // Opaque, the box fills all of itself with its colour (the main window's preset bar).
    box->SetTransparent(false);
    box->SetColor(0x00898989);
    test::PaintPending(*form);
    const auto opaque = test::Render(*form);
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 160; ++x) {
            const bool inside = PtInRect(box->BoundsRect(), {x, y});
            ASSERT_EQ(opaque->PixelAt(x, y), inside ? 0x898989u : before->PixelAt(x, y))
                << x << "," << y;
        }
}

TEST(RzGroupBox, TransparentBoxOnAPlainParentSettles) {
    auto form = test::MakeForm(120, 90);
    auto* plain = Place(new test::TPlainParent(form.get()), form.get(), 0, 0, 120, 90);
    plain->SetColor(clTeal);
    auto* box = Place(new TRzGroupBox(form.get()), plain, 10, 10, 60, 40);
    box->SetGroupStyle(gsCustom);
    box->SetTransparent(true);
    auto* inner = Place(new TRzGroupBox(form.get()), box, 5, 5, 30, 20);
    inner->SetGroupStyle(gsCustom);
    inner->SetTransparent(true);
    test::ShowAndPaint(*form);

    // Painting the boxes again marks the plain parent once; then nothing more happens.
    for (int round = 0; round < 3; ++round) {
        const int before = plain->paints;
        box->Invalidate();
        inner->Invalidate();
        test::PaintPending(*form);
        test::RunPendingEvents();
        test::PaintPending(*form);
        const int paints = plain->paints;
        EXPECT_GT(paints, before) << round;
        for (int i = 0; i < 5; ++i) {
            test::RunPendingEvents();
            test::PaintPending(*form);
        }
        EXPECT_EQ(plain->paints, paints) << round;
    }
    EXPECT_EQ(test::ShownPixel(*inner, 3, 3), static_cast<TColorRef>(clTeal));
}

TEST(RzGroupBox, ClientAreaFollowsTheGroupStyleAndCaption) {
    auto form = test::MakeForm(200, 200);
    auto* box = Place(new TRzGroupBox(form.get()), form.get(), 0, 0, 100, 80);
    box->SetGroupStyle(gsCustom);
    auto* child = Place(new test::TProbeControl(form.get()), box, 0, 0, 10, 10);
    child->SetAlign(alClient);
    test::ShowAndPaint(*form);
    EXPECT_EQ(child->BoundsRect(), Rect(2, 2, 98, 78));

    const int h = TextHeightOf(box->Font(), "Yy");
    box->SetCaption("Levels");
    box->Realign();
    EXPECT_EQ(child->BoundsRect(), Rect(2, 2 + h, 98, 78));

    // A banner as high as the caption and 6 more; the children start 8 below the text height.
    box->SetGroupStyle(gsBanner);
    EXPECT_EQ(child->BoundsRect(), Rect(0, h + 8, 100, 80));
    const auto painted = PaintAlone(*box);
    const int cy = TextHeightOf(box->CaptionFont(), "Levels");
    const TColorRef frame = static_cast<TColorRef>(DarkerColor(clBtnFace, 40));
    EXPECT_EQ(painted->PixelAt(50, 0), frame);
    EXPECT_EQ(painted->PixelAt(50, cy + 5), frame);
    EXPECT_NE(painted->PixelAt(50, cy + 6), frame);

    // The standard style: an etched frame whose top runs through the caption's middle.
    box->SetGroupStyle(gsStandard);
    const auto standard = PaintAlone(*box);
    const int top = TextHeightOf(box->CaptionFont(), "Pp") / 2 - 1;
    EXPECT_EQ(standard->PixelAt(0, top + 5), 0x808080u);
    EXPECT_EQ(standard->PixelAt(1, top + 5), 0xFFFFFFu);
    EXPECT_EQ(standard->PixelAt(98, 60), 0x808080u);
    EXPECT_EQ(standard->PixelAt(99, 60), 0xFFFFFFu);
}

TEST(RzPanel, DisablingRemembersWhichChildrenWereEnabled) {
    auto form = test::MakeForm(200, 100);
    auto* panel = Place(new TRzPanel(form.get()), form.get(), 0, 0, 200, 100);
    std::vector<test::TProbeControl*> children;
    for (int i = 0; i < 3; ++i) {
        children.push_back(Place(new test::TProbeControl(form.get()), panel, i * 50, 0, 40, 40));
    }
    children[1]->SetEnabled(false);
    panel->SetEnabled(false);
    for (auto* c : children) EXPECT_FALSE(c->Enabled());

    // A child added in between comes up enabled; one removed in between is simply gone.
    auto* later = Place(new test::TProbeControl(form.get()), panel, 160, 0, 30, 30);
    later->SetEnabled(false);
    children[2]->SetParent(nullptr);
    panel->SetEnabled(true);
    EXPECT_TRUE(children[0]->Enabled());
    EXPECT_FALSE(children[1]->Enabled());
    EXPECT_FALSE(children[2]->Enabled());
    EXPECT_TRUE(later->Enabled());
}

TEST(RzPanel, BottomAndRightAlignedPanelsKeepTheirEdge) {
    TRzPanel panel(nullptr);
    panel.SetBounds(10, 100, 80, 40);
    panel.SetAlign(alBottom);
    panel.SetBounds(10, 100, 80, 50);
    EXPECT_EQ(panel.BoundsRect(), Rect(10, 90, 90, 140));
    panel.SetAlign(alRight);
    panel.SetBounds(10, 90, 100, 50);
    EXPECT_EQ(panel.BoundsRect(), Rect(-10, 90, 90, 140));
}

TEST(RzPanel, FramesFillGridAndCaptionInTheirOrder) {
    TRzPanel panel(nullptr);
    panel.SetBounds(0, 0, 40, 30);
    panel.SetBorderOuter(fsFlat);
    panel.SetFlatColor(clRed);
    panel.SetFlatColorAdjustment(0);
    panel.SetColor(clWhite);
    panel.SetShowGrid(true);
    panel.SetGridColor(clBlue);
    int painted = 0;
    panel.OnPaint = [&](TObject*) { ++painted; };
    auto b = PaintAlone(panel);
    EXPECT_EQ(painted, 1);
    EXPECT_EQ(b->PixelAt(0, 0), 0x0000FFu);
    EXPECT_EQ(b->PixelAt(39, 29), 0x0000FFu);
    // Dots at Left + 8i - 1 and Top + 8j - 1 inside the frame: (8, 8), (16, 8), ...
    EXPECT_EQ(b->PixelAt(8, 8), 0xFF0000u);
    EXPECT_EQ(b->PixelAt(16, 24), 0xFF0000u);
    EXPECT_EQ(b->PixelAt(9, 8), 0xFFFFFFu);
    EXPECT_EQ(testing::CountPixels(*b, 0xFF0000), 4 * 3);
    // The client area lies inside the frame.
    EXPECT_EQ(panel.ClientRect(), Rect(1, 1, 39, 29));

    // A grid size of 0 draws no lines in that direction.
    panel.SetGridSize(0, 8);
    EXPECT_EQ(testing::CountPixels(*PaintAlone(panel), 0xFF0000), 0);
    panel.SetGridStyle(gsSolidLines);
    panel.SetGridSize(0, 10);
    EXPECT_EQ(testing::CountPixels(*PaintAlone(panel), 0xFF0000), 2 * 38);

    // The caption lies at the top, the middle or the bottom of the client area.
    panel.SetShowGrid(false);
    panel.SetBorderOuter(fsNone);
    panel.SetCaption("Gain");
    panel.Font()->SetColor(clBlack);
    panel.SetBounds(0, 0, 80, 60);
    auto ink = [&](TAlignmentVertical v) {
        panel.SetAlignmentVertical(v);
        auto painting = PaintAlone(panel);
        return testing::InkBounds(*painting, 0xFFFFFF);
    };
    const TRect topInk = ink(avTop);
    const TRect middleInk = ink(avCenter);
    const TRect bottomInk = ink(avBottom);
    EXPECT_LT(topInk.Top, middleInk.Top);
    EXPECT_LT(middleInk.Top, bottomInk.Top);
    EXPECT_EQ(topInk.Left, middleInk.Left);
    EXPECT_LT(std::abs((topInk.Left + topInk.Right) - 80), 4);
}

TEST(RzPanel, RoundedFrameCutsItsCornersInTheFlatColour) {
    TRzPanel panel(nullptr);
    panel.SetBounds(0, 0, 10, 8);
    panel.SetBorderOuter(fsFlatRounded);
    panel.SetFlatColor(clRed);
    panel.SetFlatColorAdjustment(0);
    panel.SetColor(clWhite);
    const auto b = PaintAlone(panel);
    // The fill reaches under the frame's rounded corners; the corner pixel (1, 1) is the frame's.
    EXPECT_EQ(b->PixelAt(1, 1), 0x0000FFu);
    EXPECT_EQ(b->PixelAt(2, 2), 0xFFFFFFu);
    EXPECT_EQ(b->PixelAt(4, 0), 0x0000FFu);
    EXPECT_EQ(b->PixelAt(5, 4), 0xFFFFFFu);
}

}  // namespace
}  // namespace dsp

namespace dsp {
namespace {

TEST(RzPanelDockManager, DockSitesGetCaptionGrabbers) {
    auto form = test::MakeForm(300, 200);
    auto* panel = test::Place(new TRzPanel(form.get()), form.get(), 0, 0, 300, 120);
    panel->SetBorderOuter(fsNone);
    panel->SetDockSite(true);
    EXPECT_EQ(panel->DockManager(), nullptr);
    EXPECT_FALSE(panel->DoubleBuffered());
    panel->SetUseDockManager(true);
    ASSERT_NE(dynamic_cast<TRzPanelDockManager*>(panel->DockManager()), nullptr);
    EXPECT_TRUE(panel->DoubleBuffered());

    auto* client = test::Place(new test::TProbeControl(form.get()), form.get(), 0, 150, 80, 40);
    client->fill = clWhite;
    client->SetCaption("Levels");
    test::ShowAndPaint(*form);
    ASSERT_TRUE(client->ManualDock(panel));
    // A 14-pixel grabber on top of the control, in the inactive caption colour.
    EXPECT_EQ(client->Top(), 14);
    test::PaintPending(*form);
    const auto b = test::Render(*form);
    EXPECT_EQ(b->PixelAt(150, 3), static_cast<TColorRef>(ResolveColor(clInactiveCaption)));
    client->SetFocus();
    panel->Repaint();
    EXPECT_EQ(test::Render(*form)->PixelAt(150, 3),
              static_cast<TColorRef>(ResolveColor(clActiveCaption)));

    // Aligned at the top, the grabbers go to the left of the controls.
    panel->SetAlign(alTop);
    panel->DockManager()->ResetBounds(true);
    EXPECT_EQ(client->Left(), 14);
    EXPECT_EQ(client->Top(), 0);

    // Without client captions the framework's own grabbers show.
    panel->SetAlign(alNone);
    panel->DockManager()->ResetBounds(true);
    panel->SetShowDockClientCaptions(false);
    test::PaintPending(*form);
    const TColorRef plain = test::Render(*form)->PixelAt(150, 3);
    EXPECT_NE(plain, static_cast<TColorRef>(ResolveColor(clActiveCaption)));
    EXPECT_NE(plain, static_cast<TColorRef>(ResolveColor(clInactiveCaption)));
}

}  // namespace
}  // namespace dsp
