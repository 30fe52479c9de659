#include <gtest/gtest.h>

#include <chrono>

#include "framework/graphics/Bitmap.h"
#include "framework/runtime/ManualClock.h"
#include "tests/framework/controls/ControlTestSupport.h"
#include "tests/framework/graphics/PixelMap.h"
#include "widgets/styled/AdvProgressBar.h"

namespace dsp {
namespace {

// The settings of the program's bar with plain colours and no text, to measure its blocks.
TGaugeSettings PlainBar(int percent) {
    TGaugeSettings s;
    s.Level0Color = clLime;
    s.Level1Color = clYellow;
    s.Level2Color = 0x53A9FF;
    s.Level3Color = clRed;
    s.ShowGradient = false;
    s.ShowPosition = false;
    s.Position = percent;
    return s;
}

// Runs of the colour along a row: (start, length) pairs.
std::vector<std::pair<int, int>> Runs(const TBitmap& b, int y, TColorRef color) {
    std::vector<std::pair<int, int>> runs;
    for (int x = 0; x < b.Width(); ++x) {
        if (b.PixelAt(x, y) != color) continue;
        if (!runs.empty() && runs.back().first + runs.back().second == x) {
            ++runs.back().second;
        } else {
            runs.emplace_back(x, 1);
        }
    }
    return runs;
}

TEST(GaugeBar, BlocksAreSevenPixelsWithTwoPixelGaps) {
    struct Case {
        int percent;
        int fullBlocks;
        int lastBlock;  // 0: none
    };
    // 431 wide: 429 pixels of length.
    const Case cases[] = {{30, 14, 2}, {2, 0, 8}, {0, 0, 0}, {100, 47, 5}};
    for (const Case& c : cases) {
        TBitmap b(431, 41);
        PaintGaugeBar(b.Canvas(), Rect(0, 0, 431, 41), PlainBar(c.percent));
        const TColorRef color = c.percent == 100 ? 0x0000FFu : 0x00FF00u;
        const auto runs = Runs(b, 20, color);
        int full = 0;
        for (const auto& [start, length] : runs) full += length == 7;
        EXPECT_EQ(full, c.fullBlocks) << c.percent;
        const int last =
            runs.empty() || (c.fullBlocks > 0 && runs.back().second == 7) ? 0 : runs.back().second;
        EXPECT_EQ(last, c.lastBlock) << c.percent;
        if (!runs.empty()) {
            EXPECT_EQ(runs.front().first, 2) << c.percent;
        }
    }
    // The 30 % bar in detail: block k spans 2 + 9k .. 8 + 9k, the last one 128 .. 129.
    TBitmap b(431, 41);
    PaintGaugeBar(b.Canvas(), Rect(0, 0, 431, 41), PlainBar(30));
    EXPECT_EQ(Runs(b, 20, 0x00FF00u).back(), (std::pair<int, int>{128, 2}));
    EXPECT_EQ(Runs(b, 2, 0x00FF00u).size(), 15u);
    EXPECT_TRUE(Runs(b, 1, 0x00FF00u).empty());
    EXPECT_TRUE(Runs(b, 39, 0x00FF00u).empty());
}

TEST(GaugeBar, LevelsChangeAtTheirThresholds) {
    struct Case {
        int percent;
        TColorRef color;
    };
    const Case cases[] = {{69, 0x00FF00}, {70, 0x00FFFF}, {89, 0x00FFFF},
                          {90, 0x53A9FF}, {99, 0x53A9FF}, {100, 0x0000FF}};
    for (const Case& c : cases) {
        TBitmap b(200, 20);
        PaintGaugeBar(b.Canvas(), Rect(0, 0, 200, 20), PlainBar(c.percent));
        EXPECT_EQ(b.PixelAt(5, 10), c.color) << c.percent;
    }
}

TEST(GaugeBar, RoundedBarsMarkTheirCornersForTransparency) {
    TGaugeSettings s = PlainBar(50);
    TBitmap rounded(60, 20);
    PaintGaugeBar(rounded.Canvas(), Rect(0, 0, 60, 20), s);
    EXPECT_EQ(rounded.PixelAt(0, 0), 0xFF00FFu);
    EXPECT_EQ(rounded.PixelAt(0, 19), 0xFF00FFu);
    EXPECT_EQ(rounded.PixelAt(59, 19), 0xFF00FFu);
    s.Rounded = false;
    TBitmap square(60, 20);
    PaintGaugeBar(square.Canvas(), Rect(0, 0, 60, 20), s);
    EXPECT_EQ(testing::CountPixels(square, 0xFF00FF), 0);
    EXPECT_EQ(square.PixelAt(0, 0), 0x808080u);  // the border
}

TEST(GaugeBar, GradientsAreStrongestInTheMiddleOfTheThickness) {
    TGaugeSettings s = PlainBar(50);
    s.ShowGradient = true;
    s.Level0Color = clBlack;
    s.Level0ColorTo = clWhite;
    TBitmap b(100, 42);
    PaintGaugeBar(b.Canvas(), Rect(0, 0, 100, 42), s);
    const int top = GetRValue(b.PixelAt(5, 3));
    const int middle = GetRValue(b.PixelAt(5, 21));
    const int bottom = GetRValue(b.PixelAt(5, 38));
    EXPECT_LT(middle, top);
    EXPECT_LT(middle, bottom);
    // Steps 0 is one stripe per half: the far colour in the first half, the near one after.
    s.Steps = 0;
    TBitmap one(100, 42);
    PaintGaugeBar(one.Canvas(), Rect(0, 0, 100, 42), s);
    EXPECT_EQ(one.PixelAt(5, 5), 0xFFFFFFu);
    EXPECT_EQ(one.PixelAt(5, 35), 0x000000u);
}

TEST(GaugeBar, TextsFollowTheSettingsAndBadFormatsFallBack) {
    struct Case {
        const char* name;
        std::string format;
        bool percentage;
        std::string text;
    };
    const Case cases[] = {{"percentage", "", true, "15%"},
                          {"position", "", false, "30"},
                          {"two integers", "%d of %d", true, "30 of 200"},
                          {"a text where an integer stands", "%s", true, "15%"},
                          {"too many conversions", "%d %d %d", true, "15%"},
                          {"a huge width", "%999999999d", true, "15%"}};
    for (const Case& c : cases) {
        TGaugeSettings s;
        s.Position = 15;
        s.Value = 30;
        s.Max = 200;
        s.Format = c.format;
        s.ShowPercentage = c.percentage;
        EXPECT_EQ(GaugeText(s), c.text) << c.name;
    }
    // The text stands centred in the bar.
    TGaugeSettings s = PlainBar(0);
    s.ShowPosition = true;
    TFont font;
    font.SetName("Verdana");
    font.SetHeight(-13);
    font.SetColor(clBlack);
    s.Font = &font;
    TBitmap b(431, 41);
    PaintGaugeBar(b.Canvas(), Rect(0, 0, 431, 41), s);
    TBitmap blank(431, 41);
    s.ShowPosition = false;
    PaintGaugeBar(blank.Canvas(), Rect(0, 0, 431, 41), s);
    int left = 431;
    int right = 0;
    for (int y = 2; y < 39; ++y)
        for (int x = 2; x < 429; ++x)
            if (b.PixelAt(x, y) != blank.PixelAt(x, y)) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    EXPECT_NEAR((left + right + 1) / 2.0, 215.5, 3);
    EXPECT_GT(right - left, 10);
}

// A bar that counts its paints.
class TCountingBar : public TAdvProgressBar {
public:
    using TAdvProgressBar::TAdvProgressBar;
    int paints = 0;

protected:
    void Paint() override {
        ++paints;
        TAdvProgressBar::Paint();
    }
};

TEST(AdvProgressBar, PositionsRepaintOnlyWhenTheyShowSomethingNew) {
    auto form = test::MakeForm(460, 80);
    auto* bar = test::Place(new TCountingBar(form.get()), form.get(), 12, 14, 431, 41);
    struct Step {
        int value;
        bool paints;
    };
    struct Case {
        int max;
        std::vector<Step> steps;
        int stored;
    };
    const Case cases[] = {
        // Ranges below 100 have no step: every value in range paints.
        {50, {{1, true}, {1, true}, {49, true}, {50, true}, {51, false}}, 50},
        // A step of 20: multiples, new blocks and new percentages paint.
        {2000, {{1, false}, {20, true}, {21, false}, {31, true}, {150, true}, {-5, false}}, 0},
        {100, {{0, true}, {150, false}}, 100},
    };
    for (const Case& c : cases) {
        bar->SetMax(c.max);
        bar->SetPosition(0);
        for (const Step& s : c.steps) {
            const int before = bar->paints;
            bar->SetPosition(s.value);
            EXPECT_EQ(bar->paints > before, s.paints) << c.max << ": " << s.value;
        }
        EXPECT_EQ(bar->Position(), c.stored) << c.max;
    }
}

TEST(AdvProgressBar, PercentagesRoundHalfToEven) {
    TAdvProgressBar bar(nullptr);
    struct Case {
        int min, max, position, percent;
    };
    const Case cases[] = {{0, 200, 1, 0}, {0, 200, 3, 2}, {50, 150, 100, 50}, {5, 5, 5, 0}};
    for (const Case& c : cases) {
        bar.SetMin(c.min);
        bar.SetMax(c.max);
        bar.SetPosition(c.position);
        EXPECT_EQ(bar.Percentage(), c.percent) << c.position << " of " << c.min << ".." << c.max;
    }
}

TEST(AdvProgressBar, RoundedCornersShowTheParent) {
    auto form = test::MakeForm(460, 80, clNavy);
    auto* bar = test::Place(new TAdvProgressBar(form.get()), form.get(), 12, 14, 431, 41);
    bar->SetPosition(30);
    test::ShowAndPaint(*form);
    EXPECT_EQ(test::ShownPixel(*form, 12, 14), 0x800000u);
    EXPECT_EQ(test::ShownPixel(*form, 12 + 430, 14 + 40), 0x800000u);
    EXPECT_EQ(test::ShownPixel(*form, 12 + 200, 14 + 1), 0xFFFFFFu);  // the bar's background
}

TEST(AdvProgressBar, TheInfiniteSweepRunsBackAndForthOnTheTimer) {
    TManualClock clock;
    auto form = test::MakeForm(200, 40);
    auto* bar = test::Place(new TAdvProgressBar(form.get()), form.get(), 0, 0, 150, 18);
    bar->SetInfinite(true);
    bar->SetAnimated(true);
    std::vector<int> positions;
    for (int i = 0; i < 30; ++i) {
        clock.Advance(std::chrono::milliseconds(50));
        positions.push_back(bar->InfinitePos());
    }
    std::vector<int> expected = {0};
    for (int p = 4; p <= 100; p += 4) expected.push_back(p);
    expected.insert(expected.end(), {96, 92, 88, 84});
    EXPECT_EQ(positions, expected);
    bar->SetAnimated(false);
    clock.Advance(std::chrono::milliseconds(500));
    EXPECT_EQ(bar->InfinitePos(), 84);
    bar->SetInfinite(false);
    bar->SetInfinite(true);
    EXPECT_EQ(bar->InfinitePos(), 0);
}

TEST(GaugeBar, TheSweepWindowLeavesAboutTwentyFourPixelsOfBar) {
    TGaugeSettings s = PlainBar(0);
    s.Infinite = true;
    s.InfinitePos = 50;
    TBitmap b(204, 20);
    PaintGaugeBar(b.Canvas(), Rect(0, 0, 204, 20), s);
    // P = 100: the bar shows from P - 12 to P + 12 only.
    for (const auto& [start, length] : Runs(b, 10, 0x00FF00u)) {
        if (start >= 200) continue;  // the cover stops two pixels short of the far end
        EXPECT_GE(start, 100 - 12);
        EXPECT_LE(start + length, 102 + 12);
    }
    EXPECT_FALSE(Runs(b, 10, 0x00FF00u).empty());
}

}  // namespace
}  // namespace dsp
