// Scrolling forms and the frame around a form's client area.

#include <gtest/gtest.h>

#include <QScrollBar>
#include <QWidget>

#include "framework/controls/WindowHost.h"
#include "framework/controls/WindowImpl.h"
#include "framework/core/FrameworkAccess.h"
#include "tests/framework/controls/ControlTestSupport.h"

namespace dsp {
namespace {

using test::MakeForm;
using test::Place;
using test::TProbeControl;

TEST(ScrollTest, ChildrenBeyondTheClientAreaBringScrollBarsThatMoveThem) {
    auto form = MakeForm(200, 100, clWhite);
    auto* far = Place(new TProbeControl(form.get()), form.get(), 150, 50, 100, 100);
    far->fill = clRed;
    test::ShowAndPaint(*form);
    ASSERT_TRUE(form->HorzScrollBar()->IsScrollBarVisible());
    ASSERT_TRUE(form->VertScrollBar()->IsScrollBarVisible());
    EXPECT_EQ(form->HorzScrollBar()->Range(), 250);
    EXPECT_EQ(form->VertScrollBar()->Range(), 150);
    EXPECT_EQ(form->ClientWidth(), 200 - kScrollBarSize);
    EXPECT_EQ(form->ClientHeight(), 100 - kScrollBarSize);

    // The position stops where the far edge meets the client area's edge.
    form->HorzScrollBar()->SetPosition(1000);
    EXPECT_EQ(form->HorzScrollBar()->Position(), 250 - form->ClientWidth());
    EXPECT_EQ(far->Left(), 150 - form->HorzScrollBar()->Position());
    EXPECT_EQ(form->HorzScrollBar()->Range(), 250) << "the range does not move with the children";

    // The toolkit's bar shows the same and moves the children too.
    const auto bars = HostWidget(*form)->findChildren<QScrollBar*>();
    ASSERT_EQ(bars.size(), 2);
    QScrollBar* vertical = bars[0]->orientation() == Qt::Vertical ? bars[0] : bars[1];
    vertical->setValue(20);
    EXPECT_EQ(form->VertScrollBar()->Position(), 20);
    EXPECT_EQ(far->Top(), 30);
    test::PaintPending(*form);
    EXPECT_EQ(test::ShownPixel(*far, 1, 1), ResolveColor(clRed));

    // Without AutoScroll the bars go and the children return to their places.
    form->SetAutoScroll(false);
    EXPECT_FALSE(form->HorzScrollBar()->IsScrollBarVisible());
    EXPECT_FALSE(form->VertScrollBar()->IsScrollBarVisible());
    EXPECT_EQ(far->BoundsRect(), Bounds(150, 50, 100, 100));
    EXPECT_EQ(form->ClientWidth(), 200);
}

TEST(ScrollTest, AFocusedControlIsScrolledIntoView) {
    auto form = MakeForm(200, 100);
    auto* first = Place(new TProbeControl(form.get()), form.get(), 10, 10, 50, 20);
    auto* low = Place(new TProbeControl(form.get()), form.get(), 10, 300, 50, 20);
    first->SetTabStop(true);
    low->SetTabStop(true);
    form->Show();
    ASSERT_TRUE(first->Focused());
    EXPECT_EQ(form->VertScrollBar()->Position(), 0);
    low->SetFocus();
    EXPECT_EQ(low->Top() + low->Height(), form->ClientHeight());
    first->SetFocus();
    EXPECT_EQ(first->Top(), 0);
}

TEST(ScrollTest, AlignedChildrenFillTheScrolledArea) {
    auto form = MakeForm(200, 100);
    auto* header = Place(new TProbeControl(form.get()), form.get(), 0, 0, 10, 30);
    header->SetAlign(alTop);
    Place(new TProbeControl(form.get()), form.get(), 0, 40, 300, 20);
    form->Show();
    ASSERT_TRUE(form->HorzScrollBar()->IsScrollBarVisible());
    EXPECT_EQ(header->Width(), 300) << "as wide as the scrolled area";
    form->HorzScrollBar()->SetPosition(50);
    EXPECT_EQ(header->Left(), -50);
}

TEST(ScrollTest, RangesCountChildrenPlacedFromTheNearEdgeAndAddThoseAlignedToTheFar) {
    struct Case {
        TAlign align;
        TAnchors anchors;
        int horizontal;
        int vertical;
    };
    // One child at (150, 60), 100 x 50, in a client area of 200 x 100.
    const Case cases[] = {
        {alNone, {akLeft, akTop}, 250, 110},
        {alNone, {akRight, akBottom}, 0, 0},         // follows the far edges
        {alNone, {akLeft, akRight, akTop}, 0, 110},  // stretches with the width
        {alRight, {}, 100, 0},
        {alBottom, {}, 0, 50},
    };
    for (const Case& c : cases) {
        auto form = MakeForm(200, 100);
        form->Show();
        auto* child = Place(new TProbeControl(form.get()), form.get(), 150, 60, 100, 50);
        child->SetAlign(c.align);
        if (c.align == alNone) child->SetAnchors(c.anchors);
        form->Realign();
        EXPECT_EQ(form->HorzScrollBar()->Range(), c.horizontal) << c.align;
        EXPECT_EQ(form->VertScrollBar()->Range(), c.vertical) << c.align;
    }
}

TEST(FormFrameTest, AMenuBarTakesItsHeightFromTheClientArea) {
    auto form = MakeForm(300, 200);
    const int outerHeight = form->Height();
    const TPoint origin = form->ClientOrigin();
    form->Show();
    QWidget* bar = nullptr;
    SetFormMenuBar(
        *form, [&bar](QWidget* frame) { return bar = new QWidget(frame); }, 19);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(form->Height(), outerHeight);
    EXPECT_EQ(form->ClientHeight(), 200 - 19);
    EXPECT_EQ(form->ClientOrigin().Y, origin.Y + 19);
    EXPECT_EQ(bar->geometry(), QRect(0, 0, 300, 19));
    EXPECT_EQ(HostWidget(*form)->geometry(), QRect(0, 19, 300, 181));
    EXPECT_EQ(HostWidget(*form)->window(), bar->window());

    // The bar is made again when the window is.
    form->RecreateWnd();
    EXPECT_NE(form->Window(kFrameworkKey).menuBar, nullptr);
    SetFormMenuBar(*form, nullptr, 0);
    EXPECT_EQ(form->ClientHeight(), 200);
}

}  // namespace
}  // namespace dsp
