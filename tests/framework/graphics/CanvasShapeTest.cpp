#include <gtest/gtest.h>

#include "framework/graphics/Bitmap.h"
#include "tests/framework/graphics/PixelMap.h"

namespace dsp {
namespace {

using testing::Map;
using Rows = std::vector<std::string>;

// A canvas with a black pen and a red brush on white.
class CanvasShapes : public ::testing::Test {
protected:
    void SetUp() override {
        bitmap_ = std::make_unique<TBitmap>(6, 5);
        canvas_ = bitmap_->Canvas();
        canvas_->Brush()->SetColor(clRed);
    }
    std::unique_ptr<TBitmap> bitmap_;
    TCanvas* canvas_ = nullptr;
};

TEST_F(CanvasShapes, RectangleOutlinesTheBoxWithoutItsRightAndBottomEdges) {
    canvas_->Rectangle(1, 1, 5, 4);
    EXPECT_EQ(Map(*bitmap_), (Rows{"......", ".####.", ".#rr#.", ".####.", "......"}));
}

TEST_F(CanvasShapes, ARectangleWithoutPenFillsOnePixelLessRightAndBelow) {
    canvas_->Pen()->SetStyle(psClear);
    canvas_->Rectangle(1, 1, 5, 4);
    EXPECT_EQ(Map(*bitmap_), (Rows{"......", ".rrr..", ".rrr..", "......", "......"}));
}

TEST_F(CanvasShapes, RectangleCornersGivenInAnyOrderDrawTheSameBox) {
    canvas_->Rectangle(5, 4, 1, 1);
    EXPECT_EQ(Map(*bitmap_), (Rows{"......", ".####.", ".#rr#.", ".####.", "......"}));
}

TEST_F(CanvasShapes, FillRectAndFrameRectUseTheBrushOnly) {
    canvas_->FillRect(Rect(0, 0, 2, 2));
    canvas_->Brush()->SetColor(clBlue);
    canvas_->FrameRect(Rect(2, 1, 6, 5));
    canvas_->FillRect(Rect(4, 0, 3, 1));  // inverted: nothing
    EXPECT_EQ(Map(*bitmap_), (Rows{"rr....", "rrbbbb", "..b..b", "..b..b", "..bbbb"}));
}

TEST_F(CanvasShapes, InsideFramePensKeepWideOutlinesInsideTheBox) {
    TBitmap b(8, 8);
    b.Canvas()->Brush()->SetStyle(bsClear);
    b.Canvas()->Pen()->SetWidth(2);
    b.Canvas()->Pen()->SetStyle(psInsideFrame);
    b.Canvas()->Rectangle(1, 1, 7, 7);
    EXPECT_EQ(Map(b), (Rows{"........", ".######.", ".######.", ".##..##.", ".##..##.", ".######.",
                            ".######.", "........"}));
    // A centred wide pen reaches half its width outside.
    TBitmap c(8, 8);
    c.Canvas()->Brush()->SetStyle(bsClear);
    c.Canvas()->Pen()->SetWidth(3);
    c.Canvas()->Rectangle(2, 2, 6, 6);
    EXPECT_EQ(testing::InkBounds(c), Rect(1, 1, 7, 7));
}

TEST_F(CanvasShapes, EllipsesStayInsideTheirBoxAndAreSymmetric) {
    for (const TRect box :
         {Rect(0, 0, 7, 7), Rect(1, 2, 11, 7), Rect(0, 0, 6, 6), Rect(2, 1, 3, 9)}) {
        TBitmap b(12, 10);
        b.Canvas()->Brush()->SetColor(clRed);
        b.Canvas()->Ellipse(box);
        EXPECT_EQ(testing::InkBounds(b), box);
        const Rows rows = Map(b);
        for (int y = box.Top; y < box.Bottom; ++y) {
            const std::string row = rows[static_cast<std::size_t>(y)].substr(
                static_cast<std::size_t>(box.Left), static_cast<std::size_t>(box.Width()));
            EXPECT_EQ(row, std::string(row.rbegin(), row.rend())) << "row " << y;
            EXPECT_EQ(row, rows[static_cast<std::size_t>(box.Top + box.Bottom - 1 - y)].substr(
                               static_cast<std::size_t>(box.Left),
                               static_cast<std::size_t>(box.Width())));
        }
    }
}

TEST_F(CanvasShapes, SmallEllipseHasAClosedOutlineAroundItsInside) {
    TBitmap b(7, 7);
    b.Canvas()->Brush()->SetColor(clRed);
    b.Canvas()->Ellipse(0, 0, 7, 7);
    EXPECT_EQ(Map(b),
              (Rows{"..###..", ".#rrr#.", "#rrrrr#", "#rrrrr#", "#rrrrr#", ".#rrr#.", "..###.."}));
}

TEST_F(CanvasShapes, RoundRectCutsItsCornersByTheCornerEllipse) {
    TBitmap b(8, 6);
    b.Canvas()->Brush()->SetColor(clRed);
    b.Canvas()->RoundRect(0, 0, 8, 6, 4, 4);
    EXPECT_EQ(Map(b),
              (Rows{".######.", "#rrrrrr#", "#rrrrrr#", "#rrrrrr#", "#rrrrrr#", ".######."}));
    // Corners as large as the box make an ellipse; corners of 0 a rectangle.
    TBitmap e(8, 6), f(8, 6);
    e.Canvas()->RoundRect(0, 0, 8, 6, 8, 6);
    f.Canvas()->Ellipse(0, 0, 8, 6);
    EXPECT_EQ(Map(e), Map(f));
    TBitmap g(8, 6), h(8, 6);
    g.Canvas()->RoundRect(0, 0, 8, 6, 0, 0);
    h.Canvas()->Rectangle(0, 0, 8, 6);
    EXPECT_EQ(Map(g), Map(h));
}

TEST_F(CanvasShapes, PolygonsFillByTheAlternateOrWindingRule) {
    // A five-pointed star drawn in one stroke: its middle is inside only by the winding rule.
    const std::vector<TPoint> star = {{10, 0}, {16, 19}, {0, 7}, {20, 7}, {4, 19}};
    for (TPolyFillMode mode : {ALTERNATE, WINDING}) {
        TBitmap b(21, 21);
        b.Canvas()->Pen()->SetStyle(psClear);
        b.Canvas()->Brush()->SetColor(clRed);
        b.Canvas()->SetPolyFillMode(mode);
        b.Canvas()->Polygon(star);
        EXPECT_EQ(b.PixelAt(10, 11), mode == WINDING ? 0x0000FFu : 0xFFFFFFu) << "mode " << mode;
        EXPECT_EQ(b.PixelAt(10, 3), 0x0000FFu) << "a point of the star is filled either way";
    }
}

TEST_F(CanvasShapes, PolygonFillLeavesOutRightAndBottomEdgesButTheOutlineDrawsThem) {
    canvas_->Pen()->SetStyle(psClear);
    canvas_->Polygon({{1, 1}, {4, 1}, {4, 4}, {1, 4}});
    EXPECT_EQ(Map(*bitmap_), (Rows{"......", ".rrr..", ".rrr..", ".rrr..", "......"}));
    canvas_->Pen()->SetStyle(psSolid);
    canvas_->Brush()->SetStyle(bsClear);
    canvas_->Polygon({{1, 1}, {4, 1}, {4, 4}, {1, 4}});
    EXPECT_EQ(Map(*bitmap_), (Rows{"......", ".####.", ".#rr#.", ".#rr#.", ".####."}));
}

TEST_F(CanvasShapes, HatchBrushesDrawLinesOverWhatIsThereUnlessTheBackgroundIsMadeOpaque) {
    TBitmap b(8, 2);
    TCanvas* c = b.Canvas();
    c->Brush()->SetColor(clBlue);
    c->FillRect(Rect(0, 0, 8, 2));
    c->Brush()->SetColor(clRed);
    c->Brush()->SetStyle(bsVertical);
    c->FillRect(Rect(0, 0, 8, 1));
    c->SetBkMode(OPAQUE);
    c->SetBkColor(clWhite);
    c->FillRect(Rect(0, 1, 8, 2));
    EXPECT_EQ(Map(b), (Rows{"rbbbbbbb", "r......."}));
    // A new brush setting couples the background mode again: hatches are transparent.
    c->Brush()->SetStyle(bsCross);
    EXPECT_EQ(c->BkMode(), TRANSPARENT);
    c->Brush()->SetStyle(bsSolid);
    EXPECT_EQ(c->BkMode(), OPAQUE);
    EXPECT_EQ(c->BkColor(), 0x0000FFu);
}

TEST_F(CanvasShapes, HatchesAreAlignedToTheSurfaceNotToTheShape) {
    TBitmap b(16, 16);
    b.Canvas()->Brush()->SetColor(clBlack);
    b.Canvas()->Brush()->SetStyle(bsHorizontal);
    b.Canvas()->FillRect(Rect(3, 3, 16, 16));
    for (int y = 3; y < 16; ++y) EXPECT_EQ(b.PixelAt(5, y), (y % 8 == 0) ? 0u : 0xFFFFFFu) << y;
}

TEST_F(CanvasShapes, MonochromePatternBrushesTakeTheTextAndBackgroundColours) {
    TBitmap pattern(2, 2);
    pattern.Canvas()->SetPixels(0, 0, clBlack);
    pattern.Canvas()->SetPixels(1, 1, clBlack);
    pattern.SetMonochrome(true);
    TBitmap b(4, 2);
    b.Canvas()->Brush()->SetBitmap(&pattern);
    b.Canvas()->SetTextColor(clRed);
    b.Canvas()->SetBkColor(clBlue);
    b.Canvas()->FillRect(Rect(0, 0, 4, 2));
    EXPECT_EQ(Map(b), (Rows{"rbrb", "brbr"}));
    // The brush keeps its own copy of the pattern.
    pattern.Canvas()->SetPixels(0, 0, clWhite);
    b.Canvas()->FillRect(Rect(0, 0, 4, 2));
    EXPECT_EQ(Map(b), (Rows{"rbrb", "brbr"}));
}

TEST_F(CanvasShapes, FocusRectanglesInvertEveryOtherPixelAndUndoThemselves) {
    TBitmap b(6, 4);
    b.Canvas()->DrawFocusRect(Rect(0, 0, 6, 4));
    EXPECT_EQ(Map(b), (Rows{"#.#.#.", ".....#", "#.....", ".#.#.#"}));
    b.Canvas()->DrawFocusRect(Rect(0, 0, 6, 4));
    EXPECT_EQ(testing::CountPixels(b, 0xFFFFFF), 24);
}

TEST_F(CanvasShapes, InvertRectInvertsEveryPixelInside) {
    canvas_->FillRect(Rect(0, 0, 3, 5));
    canvas_->InvertRect(Rect(2, 1, 4, 3));
    EXPECT_EQ(Map(*bitmap_, {{0xFFFFFF, '.'}, {0x0000FF, 'r'}, {0xFFFF00, 'c'}, {0x000000, '#'}}),
              (Rows{"rrr...", "rrc#..", "rrc#..", "rrr...", "rrr..."}));
}

TEST_F(CanvasShapes, GradientFillStartsAtTheFirstColumnOrRow) {
    TBitmap b(4, 4);
    b.Canvas()->GradientFill(Rect(0, 0, 4, 4), clBlack, RGB(200, 100, 40), GRADIENT_FILL_RECT_H);
    EXPECT_EQ(b.PixelAt(0, 3), 0u);
    EXPECT_EQ(b.PixelAt(2, 0), RGB(100, 50, 20));
    EXPECT_EQ(b.PixelAt(3, 2), RGB(150, 75, 30));
    TBitmap one(3, 1);
    one.Canvas()->GradientFill(Rect(0, 0, 3, 1), clRed, clBlue, GRADIENT_FILL_RECT_V);
    EXPECT_EQ(Map(one)[0], "rrr") << "a one-row vertical gradient shows only the start colour";
}

TEST_F(CanvasShapes, DrawEdgeDrawsTwoRingsInTheSystemColoursAndAdjusts) {
    TBitmap b(5, 5);
    TRect r = Rect(0, 0, 5, 5);
    b.Canvas()->DrawEdge(r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    EXPECT_EQ(r, Rect(2, 2, 3, 3));
    EXPECT_EQ(b.PixelAt(0, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(b.PixelAt(4, 4), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(b.PixelAt(1, 1), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(b.PixelAt(3, 3), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(b.PixelAt(2, 2), 0xFFFFFFu);
}

TEST_F(CanvasShapes, NoneColouredBrushesFillNothing) {
    canvas_->Brush()->SetColor(clNone);
    canvas_->FillRect(Rect(0, 0, 6, 5));
    canvas_->Rectangle(0, 0, 6, 5);
    EXPECT_EQ(Map(*bitmap_), (Rows{"######", "#....#", "#....#", "#....#", "######"}));
}

}  // namespace
}  // namespace dsp
