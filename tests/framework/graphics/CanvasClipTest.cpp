#include <gtest/gtest.h>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/BitmapQt.h"
#include "framework/graphics/CanvasQt.h"
#include "tests/framework/graphics/PixelMap.h"

namespace dsp {
namespace {

using testing::Map;
using Rows = std::vector<std::string>;

// A red brush on a 6 x 4 white bitmap; Fill paints the whole logical area the test names.
class CanvasClipping : public ::testing::Test {
protected:
    void SetUp() override {
        bitmap_ = std::make_unique<TBitmap>(6, 4);
        canvas_ = bitmap_->Canvas();
        canvas_->Brush()->SetColor(clRed);
    }
    void FillAll() { canvas_->FillRect(Rect(-100, -100, 100, 100)); }
    std::unique_ptr<TBitmap> bitmap_;
    TCanvas* canvas_ = nullptr;
};

TEST_F(CanvasClipping, IntersectAndExcludeNarrowTheDrawingArea) {
    EXPECT_EQ(canvas_->IntersectClipRect(1, 0, 5, 4), SIMPLEREGION);
    EXPECT_EQ(canvas_->ExcludeClipRect(2, 1, 4, 3), COMPLEXREGION);
    FillAll();
    EXPECT_EQ(Map(*bitmap_), (Rows{".rrrr.", ".r..r.", ".r..r.", ".rrrr."}));
    EXPECT_EQ(canvas_->ClipRect(), Rect(1, 0, 5, 4));
    EXPECT_FALSE(canvas_->PtVisible(2, 1));
    EXPECT_TRUE(canvas_->PtVisible(1, 1));
    EXPECT_EQ(canvas_->Pixels(2, 1), CLR_INVALID);
    EXPECT_EQ(canvas_->Pixels(1, 1), static_cast<TColor>(0x0000FF));
}

TEST_F(CanvasClipping, SelectClipRgnReplacesTheRegionAndNullRemovesIt) {
    canvas_->IntersectClipRect(0, 0, 1, 1);
    const TRegion region = CreateRectRgn(4, 2, 6, 4);
    EXPECT_EQ(canvas_->SelectClipRgn(&region), SIMPLEREGION);
    FillAll();
    EXPECT_EQ(Map(*bitmap_), (Rows{"......", "......", "....rr", "....rr"}));
    canvas_->SelectClipRgn(nullptr);
    FillAll();
    EXPECT_EQ(testing::CountPixels(*bitmap_, 0x0000FF), 24);
}

TEST_F(CanvasClipping, ClipRectanglesAreFixedWhereTheViewportWasWhenTheyWereSet) {
    canvas_->SetViewportOrg(2, 1);
    canvas_->IntersectClipRect(0, 0, 2, 2);  // device (2, 1) to (4, 3)
    canvas_->SetViewportOrg(0, 0);
    FillAll();
    EXPECT_EQ(Map(*bitmap_), (Rows{"......", "..rr..", "..rr..", "......"}));
    EXPECT_EQ(canvas_->ClipRect(), Rect(2, 1, 4, 3));
}

TEST_F(CanvasClipping, RegionsAreInDeviceCoordinatesWhateverTheViewport) {
    canvas_->SetViewportOrg(3, 0);
    const TRegion region = CreateRectRgn(0, 0, 2, 1);
    canvas_->SelectClipRgn(&region);
    FillAll();
    EXPECT_EQ(Map(*bitmap_), (Rows{"rr....", "......", "......", "......"}));
}

TEST_F(CanvasClipping, ViewportAndWindowOriginsMoveEverythingDrawn) {
    EXPECT_EQ(canvas_->SetViewportOrg(2, 1), (TPoint{0, 0}));
    canvas_->SetPixels(0, 0, clBlack);
    canvas_->MoveTo(0, 2);
    canvas_->LineTo(2, 2);
    EXPECT_EQ(canvas_->Pixels(0, 0), clBlack);
    canvas_->SetWindowOrg(1, 0);  // logical (1, 0) now lands on the viewport origin
    canvas_->SetPixels(1, 1, clRed);
    EXPECT_EQ(Map(*bitmap_), (Rows{"......", "..#...", "..r...", "..##.."}));
    EXPECT_EQ(canvas_->OffsetViewportOrg(1, 1), (TPoint{2, 1}));
    EXPECT_EQ(canvas_->ViewportOrg(), (TPoint{3, 2}));
}

TEST_F(CanvasClipping, RestoreDCBringsBackClipViewportAndColours) {
    const int saved = canvas_->SaveDC();
    EXPECT_EQ(saved, 1);
    canvas_->SetViewportOrg(5, 5);
    canvas_->IntersectClipRect(0, 0, 1, 1);
    canvas_->SetTextColor(clBlue);
    EXPECT_EQ(canvas_->SaveDC(), 2);
    canvas_->SetBkMode(TRANSPARENT);
    EXPECT_TRUE(canvas_->RestoreDC(saved));  // drops state 2 as well
    EXPECT_FALSE(canvas_->RestoreDC(2));
    EXPECT_EQ(canvas_->ViewportOrg(), (TPoint{0, 0}));
    EXPECT_EQ(canvas_->TextColor(), 0u);
    EXPECT_EQ(canvas_->BkMode(), OPAQUE);
    FillAll();
    EXPECT_EQ(testing::CountPixels(*bitmap_, 0x0000FF), 24);
    EXPECT_FALSE(canvas_->RestoreDC(-1));
}

TEST_F(CanvasClipping, ACanvasOverPartOfAnImageDrawsOnlyThereAndSurvivesRetargeting) {
    QImage image(8, 4, QImage::Format_RGB32);
    image.fill(0xFFFFFFFFu);
    TCanvasSurface part;
    part.image = &image;
    part.origin = QPoint(2, 1);
    part.clip = QRegion(2, 1, 3, 2);  // the part's own area of the image
    TCanvas canvasOverPart;
    canvasOverPart.Brush()->SetColor(clBlue);
    canvasOverPart.Pen()->SetColor(clRed);
    canvasOverPart.SetSurface(&part);
    canvasOverPart.FillRect(Rect(-10, -10, 10, 10));
    canvasOverPart.SetPixels(0, 0, clBlack);
    EXPECT_EQ(canvasOverPart.ClipRect(), Rect(0, 0, 3, 2));
    // A resized surface: the same canvas, pen and brush kept, device state afresh.
    canvasOverPart.SetViewportOrg(1, 1);
    QImage bigger(10, 6, QImage::Format_RGB32);
    bigger.fill(0xFFFFFFFFu);
    part.image = &bigger;
    part.clip.reset();
    canvasOverPart.SetSurface(&part);
    EXPECT_EQ(canvasOverPart.ViewportOrg(), (TPoint{0, 0}));
    canvasOverPart.MoveTo(0, 0);
    canvasOverPart.LineTo(2, 0);
    EXPECT_EQ(bigger.pixel(2, 1) & 0xFFFFFFu, 0xFF0000u);  // red, as Qt writes it
    EXPECT_EQ(image.pixel(2, 1) & 0xFFFFFFu, 0u);
    EXPECT_EQ(image.pixel(4, 2) & 0xFFFFFFu, 0x0000FFu);
    EXPECT_EQ(image.pixel(5, 2) & 0xFFFFFFu, 0xFFFFFFu);
    EXPECT_EQ(image.pixel(2, 3) & 0xFFFFFFu, 0xFFFFFFu);
}

TEST_F(CanvasClipping, AnotherCanvasPaintsIntoTheCurrentSurfaceWithTheSameOffsetAndClip) {
    // A child asks its parent to paint the background under it: the parent's drawing lands
    // moved by the child's position and cut to the child's area.
    canvas_->SaveDC();
    canvas_->SetViewportOrg(-2, -1);  // the child sits at (2, 1) in its parent
    canvas_->IntersectClipRect(2, 1, 5, 3);
    TCanvas parent;
    const TCanvasSurface here = CurrentSurface(*canvas_);
    parent.SetSurface(&here);
    parent.Brush()->SetColor(clBlue);
    parent.FillRect(Rect(0, 0, 100, 100));
    parent.SetPixels(2, 1, clBlack);  // the parent's pixel under the child's corner
    canvas_->RestoreDC(-1);
    EXPECT_EQ(Map(*bitmap_), (Rows{"#bb...", "bbb...", "......", "......"}));
}

TEST_F(CanvasClipping, ACanvasWithoutSurfaceMeasuresButDrawsNothing) {
    TCanvas loose;
    loose.FillRect(Rect(0, 0, 10, 10));
    loose.LineTo(5, 5);
    EXPECT_EQ(loose.PenPos(), (TPoint{5, 5}));
    EXPECT_EQ(loose.Pixels(0, 0), CLR_INVALID);
    EXPECT_GT(loose.TextWidth("abc"), 0);
    EXPECT_FALSE(loose.HandleAllocated());
    EXPECT_EQ(loose.DeviceCaps(LOGPIXELSY), 96);
    EXPECT_EQ(loose.DeviceCaps(NUMCOLORS), -1);
    EXPECT_EQ(canvas_->DeviceCaps(HORZRES), 6);
}

TEST_F(CanvasClipping, HugeCoordinatesAreClampedInsteadOfOverflowing) {
    canvas_->SetViewportOrg(2000000000, 0);
    canvas_->FillRect(Rect(-2000000000, 0, 2000000000, 4));
    canvas_->SetViewportOrg(0, 0);
    canvas_->MoveTo(-2147483647, 1);
    canvas_->LineTo(2147483647, 1);
    EXPECT_EQ(Map(*bitmap_)[1], "######");
}

TEST(CanvasRegions, ShapesCoverTheSamePixelsAsTheirFills) {
    const TRegion round = CreateRoundRectRgn(0, 0, 8, 6, 4, 4);
    EXPECT_EQ(round.BoundingBox(), Rect(0, 0, 8, 6));
    EXPECT_FALSE(round.Contains(0, 0));
    EXPECT_TRUE(round.Contains(1, 0));
    const TRegion polygon = CreatePolygonRgn({{0, 0}, {4, 0}, {4, 4}, {0, 4}}, WINDING);
    EXPECT_EQ(GetRgnBox(polygon), Rect(0, 0, 4, 4));
    TRegion both;
    EXPECT_EQ(CombineRgn(both, polygon, CreateRectRgn(2, 2, 6, 6), RGN_OR), COMPLEXREGION);
    EXPECT_EQ(CombineRgn(both, polygon, CreateRectRgn(2, 2, 6, 6), RGN_AND), SIMPLEREGION);
    EXPECT_EQ(both.BoundingBox(), Rect(2, 2, 4, 4));
    OffsetRgn(both, 1, 1);
    EXPECT_TRUE(PtInRegion(both, 4, 4));
    EXPECT_EQ(CombineRgn(both, polygon, polygon, RGN_DIFF), NULLREGION);
}

}  // namespace
}  // namespace dsp
