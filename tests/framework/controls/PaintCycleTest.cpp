// The paint cycle: what is painted when, where the pixels go, and what a control that does not
// show costs.

#include <gtest/gtest.h>

#include "framework/controls/WindowHost.h"
#include "framework/controls/WindowImpl.h"
#include "framework/core/FrameworkAccess.h"
#include "tests/framework/controls/ControlTestSupport.h"
#include "tests/framework/controls/SeeThroughControl.h"
#include "tests/support/RunLoop.h"

namespace dsp {
namespace {

using test::MakeForm;
using test::PaintPending;
using test::Place;
using test::ShowAndPaint;
using test::TEventLog;
using test::TProbeControl;
using test::TProbeGraphic;

// A control that shows its parent's pixels, with a green square in its middle.
class TTransparentBox : public test::TSeeThroughControl {
public:
    using TSeeThroughControl::TSeeThroughControl;

protected:
    void Paint() override {
        Canvas()->Brush()->SetColor(clLime);
        Canvas()->FillRect(Bounds(Width() / 2 - 2, Height() / 2 - 2, 4, 4));
    }
};

// A parent that paints its left half red and its right half blue.
class TTwoToneParent : public TCustomControl {
public:
    using TCustomControl::TCustomControl;

protected:
    void Paint() override {
        Canvas()->Brush()->SetColor(clRed);
        Canvas()->FillRect(Rect(0, 0, Width() / 2, Height()));
        Canvas()->Brush()->SetColor(clBlue);
        Canvas()->FillRect(Rect(Width() / 2, 0, Width(), Height()));
    }
};

class PaintCycleTest : public ::testing::Test {
protected:
    std::unique_ptr<TForm> form_ = MakeForm(200, 150, clWhite);
};

TEST_F(PaintCycleTest, WindowlessChildIsPaintedOnlyWhereTheClipMeetsIt) {
    auto* left = Place(new TProbeGraphic(form_.get()), form_.get(), 10, 10, 20, 20);
    auto* right = Place(new TProbeGraphic(form_.get()), form_.get(), 150, 10, 20, 20);
    ShowAndPaint(*form_);
    ASSERT_EQ(left->paints, 1);
    ASSERT_EQ(right->paints, 1);

    struct Case {
        TRect invalid;
        int leftPaints;
        int rightPaints;
    };
    const Case cases[] = {
        {Rect(0, 0, 40, 40), 1, 0},     // covers the left child
        {Rect(25, 25, 26, 26), 1, 0},   // one pixel of it
        {Rect(30, 10, 150, 30), 0, 0},  // the gap between the two: touches neither
        {Rect(160, 0, 200, 15), 0, 1},  // part of the right child
        {Rect(0, 0, 200, 150), 1, 1},   // everything
    };
    for (const Case& c : cases) {
        left->paints = 0;
        right->paints = 0;
        form_->InvalidateRect(&c.invalid, true);
        form_->Update();
        EXPECT_EQ(left->paints, c.leftPaints) << c.invalid.Left << "," << c.invalid.Top;
        EXPECT_EQ(right->paints, c.rightPaints) << c.invalid.Left << "," << c.invalid.Top;
    }

    // Invalidating a windowless control marks its own area on the parent, and nothing else.
    left->paints = 0;
    right->paints = 0;
    right->Invalidate();
    form_->Update();
    EXPECT_EQ(left->paints, 0);
    EXPECT_EQ(right->paints, 1);

    // A hidden one is not painted at all.
    right->Hide();
    right->paints = 0;
    form_->Repaint();
    EXPECT_EQ(right->paints, 0);
}

TEST_F(PaintCycleTest, MarksMadeBeforeAPaintArePaintedOnce) {
    auto* box = Place(new TProbeControl(form_.get()), form_.get(), 10, 10, 50, 50);
    ShowAndPaint(*form_);
    box->paints = 0;
    for (int i = 0; i < 5; ++i) box->Invalidate();
    PaintPending(*form_);
    EXPECT_EQ(box->paints, 1);
    PaintPending(*form_);
    EXPECT_EQ(box->paints, 1) << "nothing waits any more";

    // The native window's own paint runs the cycle too, once.
    box->Invalidate();
    box->Invalidate();
    ASSERT_TRUE(test::RunLoopUntil([&] { return box->paints == 2; }));
    test::RunPendingEvents();
    EXPECT_EQ(box->paints, 2);
}

TEST_F(PaintCycleTest, EraseFillsWithColorUnlessTheControlIsOpaque) {
    auto* box = Place(new TProbeControl(form_.get()), form_.get(), 10, 10, 40, 30);
    box->SetColor(clYellow);
    ShowAndPaint(*form_);
    auto image = form_->RenderToImage();
    EXPECT_EQ(test::PixelOf(*image, 20, 20), ResolveColor(clYellow));
    EXPECT_EQ(test::PixelOf(*image, 5, 5), ResolveColor(clWhite));
    EXPECT_EQ(test::ShownPixel(*box, 5, 5), ResolveColor(clYellow));

    box->erases = 0;
    box->Invalidate();
    box->Update();
    EXPECT_EQ(box->erases, 1);

    // An opaque control paints all of itself: marking it asks for no erase.
    box->SetControlStyle(box->ControlStyle() + TControlStyle{csOpaque});
    box->erases = 0;
    box->paints = 0;
    box->Invalidate();
    box->Update();
    EXPECT_EQ(box->erases, 0);
    EXPECT_EQ(box->paints, 1);
}

TEST_F(PaintCycleTest, TransparentChildShowsItsParentsPixels) {
    auto* parent = Place(new TTwoToneParent(form_.get()), form_.get(), 20, 20, 160, 100);
    auto* box = Place(new TTransparentBox(form_.get()), parent, 40, 30, 80, 40);
    ShowAndPaint(*form_);

    // Left part of the box over the red half, right part over the blue half, the box's own
    // green square in its middle; read from the pixels as they show and from a rendering.
    struct Sample {
        int x;
        int y;
        TColor expected;
    };
    const Sample inBox[] = {
        {2, 2, clRed}, {30, 20, clRed}, {41, 5, clBlue}, {78, 38, clBlue}, {40, 20, clLime}};
    for (const Sample& s : inBox) {
        EXPECT_EQ(test::ShownPixel(*box, s.x, s.y), ResolveColor(s.expected)) << s.x << "," << s.y;
    }
    auto image = form_->RenderToImage();
    for (const Sample& s : inBox) {
        EXPECT_EQ(test::PixelOf(*image, 20 + 40 + s.x, 20 + 30 + s.y), ResolveColor(s.expected))
            << s.x << "," << s.y;
    }
}

TEST_F(PaintCycleTest, DrawingOutsideAPaintShowsWithoutRepainting) {
    auto* box = Place(new TProbeControl(form_.get()), form_.get(), 10, 10, 40, 30);
    box->fill = clYellow;
    ShowAndPaint(*form_);
    test::RunPendingEvents();
    const int paints = box->paints;

    box->Canvas()->Brush()->SetColor(clNavy);
    box->Canvas()->FillRect(Rect(0, 0, 10, 10));
    test::RunPendingEvents();
    EXPECT_EQ(test::ShownPixel(*box, 5, 5), ResolveColor(clNavy));
    EXPECT_EQ(test::ShownPixel(*box, 20, 20), ResolveColor(clYellow));
    EXPECT_EQ(box->paints, paints) << "drawing outside a paint does not run one";

    // The next paint of that area paints over it.
    box->Invalidate();
    box->Update();
    EXPECT_EQ(test::ShownPixel(*box, 5, 5), ResolveColor(clYellow));
}

TEST_F(PaintCycleTest, WindowlessCanvasOutsideAPaintDrawsOnTheParentClippedToTheControl) {
    auto* label = Place(new TProbeGraphic(form_.get()), form_.get(), 30, 30, 20, 20);
    label->fill = clWhite;
    ShowAndPaint(*form_);
    label->Canvas()->Brush()->SetColor(clPurple);
    label->Canvas()->FillRect(Rect(-10, -10, 100, 100));
    EXPECT_EQ(test::ShownPixel(*form_, 35, 35), ResolveColor(clPurple));
    EXPECT_EQ(test::ShownPixel(*form_, 29, 35), ResolveColor(clWhite)) << "clipped to the control";
    EXPECT_EQ(test::ShownPixel(*form_, 50, 35), ResolveColor(clWhite)) << "clipped to the control";
}

TEST_F(PaintCycleTest, OpaqueWindowlessRepaintDoesNotRepaintTheParent) {
    auto* parent = Place(new TProbeControl(form_.get()), form_.get(), 0, 0, 200, 150);
    auto* graphic = Place(new TProbeGraphic(form_.get()), parent, 10, 10, 20, 20);
    graphic->SetControlStyle(graphic->ControlStyle() + TControlStyle{csOpaque});
    ShowAndPaint(*form_);
    parent->paints = 0;
    graphic->paints = 0;
    graphic->fill = clTeal;
    graphic->Repaint();
    EXPECT_EQ(graphic->paints, 1);
    EXPECT_EQ(parent->paints, 0);
    EXPECT_EQ(test::ShownPixel(*parent, 15, 15), ResolveColor(clTeal));
}

TEST_F(PaintCycleTest, ControlsThatDoNotShowCostNoWindowNoPixelsNoHandle) {
    auto* hiddenPanel = Place(new TProbeControl(form_.get()), form_.get(), 0, 0, 100, 100);
    hiddenPanel->Hide();
    std::vector<TProbeControl*> rows;
    for (int i = 0; i < 50; ++i) {
        rows.push_back(Place(new TProbeControl(form_.get()), hiddenPanel, 0, i * 2, 100, 2));
    }
    auto* shown = Place(new TProbeControl(form_.get()), form_.get(), 100, 0, 50, 50);
    ShowAndPaint(*form_);

    EXPECT_NE(HostWidget(*shown), nullptr);
    EXPECT_FALSE(shown->Window(kFrameworkKey).surface.isNull());
    EXPECT_EQ(HostWidget(*hiddenPanel), nullptr);
    EXPECT_FALSE(hiddenPanel->HandleAllocated());
    for (TProbeControl* row : rows) {
        EXPECT_FALSE(row->HandleAllocated());
        EXPECT_EQ(row->paints, 0);
    }

    // Showing it makes windows and pixels at the first paint; hiding it again drops the
    // pixels but keeps the handles.
    hiddenPanel->Show();
    EXPECT_TRUE(rows.back()->HandleAllocated());
    EXPECT_TRUE(rows.back()->Window(kFrameworkKey).surface.isNull())
        << "pixels wait for the first paint";
    PaintPending(*form_);
    EXPECT_EQ(rows.back()->paints, 1);
    EXPECT_FALSE(rows.back()->Window(kFrameworkKey).surface.isNull());
    hiddenPanel->Hide();
    EXPECT_TRUE(rows.back()->Window(kFrameworkKey).surface.isNull());
    EXPECT_TRUE(rows.back()->HandleAllocated());
}

TEST_F(PaintCycleTest, RenderToImagePaintsChildrenInZOrder) {
    auto* bottom = Place(new TProbeControl(form_.get()), form_.get(), 10, 10, 50, 50);
    auto* top = Place(new TProbeControl(form_.get()), form_.get(), 30, 30, 50, 50);
    auto* graphic = Place(new TProbeGraphic(form_.get()), form_.get(), 0, 0, 200, 5);
    bottom->fill = clRed;
    top->fill = clBlue;
    graphic->fill = clGreen;
    auto image = form_->RenderToImage();  // works before the form shows
    EXPECT_EQ(test::PixelOf(*image, 35, 35), ResolveColor(clBlue));
    EXPECT_EQ(test::PixelOf(*image, 15, 15), ResolveColor(clRed));
    EXPECT_EQ(test::PixelOf(*image, 100, 2), ResolveColor(clGreen));
    EXPECT_EQ(test::PixelOf(*image, 100, 100), ResolveColor(clWhite));

    top->SendToBack();
    image = form_->RenderToImage();
    EXPECT_EQ(test::PixelOf(*image, 35, 35), ResolveColor(clRed));
}

}  // namespace
}  // namespace dsp
