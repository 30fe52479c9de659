#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <set>
#include <utility>

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

namespace dsp {
namespace {

// A one-pixel line's pixels are stepped along its longer axis, the other coordinate rounded from
// the exact line; the drawing keeps that rounding as a running remainder. Random lines, some
// reaching far outside a clipped canvas, draw the pixels the rounding gives at each step.
TEST(CanvasLines, SteppedLinesDrawThePixelsOfTheRoundedExactLine) {
    std::mt19937 random(17);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    for (int n = 0; n < 300; ++n) {
        const int ax = pick(-60, 100);
        const int ay = pick(-60, 100);
        const int bx = n % 7 == 0 ? ax + pick(-3, 3) : pick(-60, 100);
        const int by = n % 5 == 0 ? ay + pick(-3, 3) : pick(-60, 100);
        SCOPED_TRACE(::testing::Message() << ax << "," << ay << " -> " << bx << "," << by);
        TBitmap bitmap(40, 30);
        TCanvas* canvas = bitmap.Canvas();
        canvas->Brush()->SetColor(clWhite);
        canvas->FillRect(TRect{0, 0, 40, 30});
        canvas->IntersectClipRect(3, 2, 37, 27);
        canvas->Pen()->SetColor(clBlack);
        canvas->MoveTo(ax, ay);
        canvas->LineTo(bx, by);
        std::set<std::pair<int, int>> expected;
        const long long dx = bx - ax;
        const long long dy = by - ay;
        const long long steps = std::max(std::llabs(dx), std::llabs(dy));
        for (long long i = 0; i < steps; ++i) {
            int x;
            int y;
            if (std::llabs(dx) >= std::llabs(dy)) {
                x = static_cast<int>(ax + (dx < 0 ? -i : i));
                const long long off =
                    (2 * i * std::llabs(dy) + std::llabs(dx)) / (2 * std::llabs(dx));
                y = static_cast<int>(ay + (dy < 0 ? -off : off));
            } else {
                y = static_cast<int>(ay + (dy < 0 ? -i : i));
                const long long off =
                    (2 * i * std::llabs(dx) + std::llabs(dy)) / (2 * std::llabs(dy));
                x = static_cast<int>(ax + (dx < 0 ? -off : off));
            }
            if (x >= 3 && x < 37 && y >= 2 && y < 27) expected.insert({x, y});
        }
        std::set<std::pair<int, int>> drawn;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x)
                if ((canvas->Pixels(x, y) & 0xFFFFFF) == 0) drawn.insert({x, y});
        ASSERT_EQ(drawn, expected);
    }
}

}  // namespace
}  // namespace dsp

namespace dsp {
namespace {

// Several polylines drawn by one call give the pixels of each drawn on its own: with every kind
// of pen, and inside a clip of one rectangle as well as one of several.
TEST(CanvasLines, PolyPolylineDrawsThePixelsOfItsPolylinesOneByOne) {
    struct PenCase {
        const char* name;
        TPenStyle style;
        int width;
        TPenMode mode;
    };
    const PenCase pens[] = {{"solid", psSolid, 1, pmCopy},
                            {"dotted", psDot, 1, pmCopy},
                            {"wide", psSolid, 3, pmCopy},
                            {"xor", psSolid, 1, pmXor}};
    std::mt19937 random(23);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    for (const PenCase& pen : pens) {
        for (const bool holed : {false, true}) {
            SCOPED_TRACE(::testing::Message() << pen.name << (holed ? " holed clip" : ""));
            std::vector<TPoint> points;
            std::vector<int> counts;
            for (int line = 0; line < 30; ++line) {
                counts.push_back(pick(1, 4));
                for (int k = 0; k < counts.back(); ++k)
                    points.push_back({pick(-10, 50), pick(-10, 40)});
            }
            counts.push_back(5);  // runs past the points: ends the drawing
            auto draw = [&](bool together) {
                auto bitmap = std::make_unique<TBitmap>(40, 30);
                TCanvas* canvas = bitmap->Canvas();
                canvas->IntersectClipRect(2, 1, 37, 28);
                if (holed) canvas->ExcludeClipRect(10, 8, 20, 16);
                canvas->Pen()->SetColor(clRed);
                canvas->Pen()->SetStyle(pen.style);
                canvas->Pen()->SetWidth(pen.width);
                canvas->Pen()->SetMode(pen.mode);
                if (together) {
                    canvas->PolyPolyline(points, counts);
                    return bitmap;
                }
                std::size_t at = 0;
                for (std::size_t k = 0; k + 1 < counts.size(); ++k) {
                    const auto begin = points.begin() + static_cast<std::ptrdiff_t>(at);
                    canvas->Polyline(std::vector<TPoint>(begin, begin + counts[k]));
                    at += static_cast<std::size_t>(counts[k]);
                }
                return bitmap;
            };
            const auto together = draw(true);
            const auto apart = draw(false);
            for (int y = 0; y < 30; ++y)
                for (int x = 0; x < 40; ++x)
                    ASSERT_EQ(together->PixelAt(x, y), apart->PixelAt(x, y)) << x << "," << y;
        }
    }
}

}  // namespace
}  // namespace dsp
