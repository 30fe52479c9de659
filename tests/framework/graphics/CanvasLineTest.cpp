#include <gtest/gtest.h>

#include "framework/graphics/Bitmap.h"
#include "tests/framework/graphics/PixelMap.h"

namespace dsp {
namespace {

using testing::Map;

struct LineCase {
    const char* name;
    TPoint from;
    TPoint to;
    std::vector<std::string> expected;
};

void PrintTo(const LineCase& c, std::ostream* os) { *os << c.name; }

class LineEndPoint : public ::testing::TestWithParam<LineCase> {};

TEST_P(LineEndPoint, LineToLeavesOutTheEndPoint) {
    const LineCase& c = GetParam();
    TBitmap b(5, 5);
    b.Canvas()->MoveTo(c.from.X, c.from.Y);
    b.Canvas()->LineTo(c.to.X, c.to.Y);
    EXPECT_EQ(Map(b), c.expected);
    EXPECT_EQ(b.Canvas()->PenPos(), c.to);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, LineEndPoint,
    ::testing::Values(
        LineCase{"right", {0, 1}, {4, 1}, {".....", "####.", ".....", ".....", "....."}},
        LineCase{"left", {4, 1}, {0, 1}, {".....", ".####", ".....", ".....", "....."}},
        LineCase{"down", {2, 0}, {2, 3}, {"..#..", "..#..", "..#..", ".....", "....."}},
        LineCase{"up", {2, 4}, {2, 0}, {".....", "..#..", "..#..", "..#..", "..#.."}},
        LineCase{"diagonal", {0, 0}, {4, 4}, {"#....", ".#...", "..#..", "...#.", "....."}},
        LineCase{"shallow", {0, 0}, {4, 2}, {"#....", ".##..", "...#.", ".....", "....."}},
        LineCase{"nowhere", {2, 2}, {2, 2}, {".....", ".....", ".....", ".....", "....."}}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(CanvasLines, PenWidthsZeroAndOneDrawTheSameOnePixelLine) {
    for (int width : {0, 1}) {
        TBitmap b(4, 3);
        b.Canvas()->Pen()->SetWidth(width);
        b.Canvas()->MoveTo(0, 1);
        b.Canvas()->LineTo(4, 1);
        EXPECT_EQ(Map(b), (std::vector<std::string>{"....", "####", "...."})) << "width " << width;
    }
}

TEST(CanvasLines, WidePensCoverTheirWidthAcrossTheLine) {
    for (int width = 2; width <= 5; ++width) {
        TBitmap b(21, 21);
        b.Canvas()->Pen()->SetWidth(width);
        b.Canvas()->MoveTo(3, 10);
        b.Canvas()->LineTo(17, 10);
        b.Canvas()->MoveTo(10, 3);
        b.Canvas()->LineTo(10, 17);
        int across = 0;
        int down = 0;
        for (int i = 0; i < 21; ++i) {
            across += b.PixelAt(5, i) == 0;
            down += b.PixelAt(i, 5) == 0;
        }
        EXPECT_EQ(across, width);
        EXPECT_EQ(down, width);
        // Round ends reach beyond the end points by half the width.
        EXPECT_EQ(b.PixelAt(17 + (width - 1) / 2, 10), 0u) << "width " << width;
        EXPECT_EQ(b.PixelAt(17 + width / 2 + 1, 10), 0xFFFFFFu) << "width " << width;
    }
}

TEST(CanvasLines, StyledPensDashOnePixelLinesAndGapsFollowTheBrush) {
    struct Case {
        TPenStyle style;
        TBrushStyle brush;
        const char* expected;
    };
    // A solid brush makes the gaps opaque in the background (brush) colour, a clear brush
    // leaves them alone.
    for (const Case& c :
         {Case{psDot, bsClear, "###...###...###."}, Case{psDot, bsSolid, "###rrr###rrr###r"},
          Case{psAlternate, bsClear, "#.#.#.#.#.#.#.#."},
          Case{psDashDot, bsClear, "#########......#"}}) {
        TBitmap b(16, 1);
        TCanvas* canvas = b.Canvas();
        canvas->Brush()->SetColor(clRed);
        canvas->Brush()->SetStyle(c.brush);
        canvas->Pen()->SetStyle(c.style);
        canvas->MoveTo(0, 0);
        canvas->LineTo(17, 0);
        // The white of the untouched pixels differs from the red of the opaque gaps.
        EXPECT_EQ(Map(b)[0], c.expected) << "style " << c.style << " brush " << c.brush;
    }
}

TEST(CanvasLines, TheDashPatternRunsOnAcrossLineToCalls) {
    TBitmap b(12, 1);
    TCanvas* canvas = b.Canvas();
    canvas->Brush()->SetStyle(bsClear);
    canvas->Pen()->SetStyle(psDot);
    canvas->MoveTo(0, 0);
    canvas->LineTo(4, 0);
    canvas->LineTo(12, 0);
    EXPECT_EQ(Map(b)[0], "###...###...");
    canvas->MoveTo(0, 0);  // a move starts the pattern afresh
    EXPECT_EQ(Map(b)[0], "###...###...");
}

TEST(CanvasLines, ClearPensAndNoneColoursDrawNothing) {
    TBitmap b(4, 1);
    b.Canvas()->Pen()->SetStyle(psClear);
    b.Canvas()->MoveTo(0, 0);
    b.Canvas()->LineTo(4, 0);
    b.Canvas()->Pen()->SetStyle(psSolid);
    b.Canvas()->Pen()->SetColor(clNone);
    b.Canvas()->Pen()->SetWidth(3);
    b.Canvas()->MoveTo(0, 0);
    b.Canvas()->LineTo(4, 0);
    EXPECT_EQ(Map(b)[0], "....");
}

TEST(CanvasLines, XorModeDrawnTwiceRestoresThePixels) {
    TBitmap b(4, 2);
    TCanvas* canvas = b.Canvas();
    canvas->Pen()->SetColor(clRed);
    canvas->MoveTo(0, 0);
    canvas->LineTo(4, 0);
    canvas->Pen()->SetMode(pmXor);
    canvas->Pen()->SetColor(clWhite);
    canvas->MoveTo(0, 0);
    canvas->LineTo(4, 1);  // crosses both rows
    const auto once = Map(b, {{0xFFFFFF, '.'}, {0x0000FF, 'r'}, {0xFFFF00, 'c'}, {0x000000, '#'}});
    EXPECT_EQ(once, (std::vector<std::string>{"ccrr", "..##"}));
    canvas->MoveTo(0, 0);
    canvas->LineTo(4, 1);
    EXPECT_EQ(Map(b), (std::vector<std::string>{"rrrr", "...."}));
}

TEST(CanvasLines, PolylineLeavesOutOnlyItsLastPoint) {
    TBitmap b(4, 4);
    b.Canvas()->Polyline({{0, 0}, {3, 0}, {3, 3}});
    EXPECT_EQ(Map(b), (std::vector<std::string>{"####", "...#", "...#", "...."}));
    EXPECT_EQ(b.Canvas()->PenPos(), (TPoint{0, 0}));  // the pen position is not used or moved
}

}  // namespace
}  // namespace dsp
