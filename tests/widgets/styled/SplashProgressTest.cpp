// The splash progress bar: clamping, easing and the glow on the framework clock, the value text
// (the user's format never reaches anything but the checked formatter), and where the text goes.

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "framework/runtime/ManualClock.h"
#include "tests/framework/controls/ControlTestSupport.h"
#include "tests/widgets/styled/SplashSamples.h"
#include "widgets/styled/AdvSmoothSplashScreen.h"

namespace dsp {
namespace {

using namespace std::chrono_literals;

TEST(SplashProgressTest, PositionsAreClampedToTheRange) {
    TAdvSplashProgressBar bar(nullptr);
    std::vector<double> reported;
    bar.OnPositionChanged = [&](TObject*, double v) { reported.push_back(v); };
    bar.SetPosition(150);
    EXPECT_EQ(bar.Position(), 100);
    bar.SetPosition(-3);
    EXPECT_EQ(bar.Position(), 0);
    EXPECT_EQ(reported, (std::vector<double>{100, 0}));
    bar.SetPosition(60);
    bar.SetMaximum(40);
    EXPECT_EQ(bar.Position(), 40) << "a maximum below the position takes it along";
    bar.SetMinimum(45);
    EXPECT_EQ(bar.Position(), 45);
}

TEST(SplashProgressTest, AnimationEasesTheShownPositionAFifteenthOfTheRestPerTick) {
    TManualClock clock;
    TAdvSplashProgressBar bar(nullptr);
    bar.SetProgressAnimation(true);
    int reports = 0;
    bar.OnPositionChanged = [&](TObject*, double) { ++reports; };
    bar.SetPosition(100);
    EXPECT_EQ(reports, 0) << "the timer reports the eased steps";
    EXPECT_TRUE(bar.AnimationInProgress());
    clock.Advance(10ms);
    EXPECT_NEAR(bar.Position(), 100.0 / 15, 1e-9);
    const double first = bar.Position();
    clock.Advance(10ms);
    EXPECT_NEAR(bar.Position(), first + (100 - first) / 15, 1e-9);
    EXPECT_EQ(reports, 2);
    clock.Advance(5000ms);
    EXPECT_NEAR(bar.Position(), 100, 1e-5);
    EXPECT_FALSE(bar.AnimationInProgress());
    EXPECT_GT(reports, 2) << "raised on every tick while animation is on";
}

TEST(SplashProgressTest, TheGlowCrossesTheDonePartThenWaitsAHundredAndFiftyTicks) {
    TManualClock clock;
    TAdvSplashProgressBar bar(nullptr);
    bar.SetBounds(0, 0, 101, 17);  // an inner width of 100
    bar.SetPosition(30);           // a done part 30 wide
    bar.SetGlowAnimation(true);
    clock.Advance(10ms);
    EXPECT_EQ(bar.GlowPos(), -37) << "the first pass starts at once";
    // It moves 3 a tick until it passes the done part's width...
    int ticks = 1;
    while (bar.GlowPos() > -40 && ticks < 100) {
        clock.Advance(10ms);
        ++ticks;
    }
    EXPECT_EQ(bar.GlowCount(), 0);
    EXPECT_EQ(ticks, 24);  // -40 + 3 x 23 = 29 is the last place inside, 32 is beyond
    // ...then stands for 150 ticks.
    clock.Advance(1500ms);
    EXPECT_EQ(bar.GlowPos(), -40);
    clock.Advance(10ms);
    EXPECT_EQ(bar.GlowPos(), -37);
}

TEST(SplashProgressTest, ValueTextsUseTheCheckedFormatterAndFallBackToThePercentage) {
    TGDIPSplashProgress p;
    struct Case {
        const char* format;
        TGDIPProgressValueType type;
        double min;
        double max;
        double position;
        const char* text;
    };
    const Case cases[] = {
        {"%.0f%%", vtAbsolute, 0, 100, 42.4, "42%"},
        {"%.0f%%", vtPercentage, 50, 150, 100, "50%"},
        {"%.1f units", vtAbsolute, 0, 100, 12.24, "12.2 units"},
        {"%.0f%%", vtAbsolute, 0, 100, 250, "100%"},  // clamped first
        {"%.0f%%", vtPercentage, 10, 10, 10, "10%"},  // an empty range gives its maximum
        // Formats that do not fit one floating-point value give the default text.
        {"%d", vtAbsolute, 0, 100, 42, "42%"},
        {"%s and %s", vtAbsolute, 0, 100, 42, "42%"},
        {"%99999.0f", vtAbsolute, 0, 100, 42, "42%"},
        {"%", vtAbsolute, 0, 100, 42, "42%"},
    };
    for (const Case& c : cases) {
        p.SetValueFormat(c.format);
        p.SetValueType(c.type);
        EXPECT_EQ(p.ValueText(c.min, c.max, c.position), c.text) << c.format;
    }
}

TEST(SplashProgressTest, TheDonePartFollowsTheRangeInsideTheBorder) {
    TGDIPSplashProgress p;
    p.BackGroundFill()->SetBorderColor(clBlack);
    p.BackGroundFill()->SetBorderWidth(1);
    // The inner rectangle leaves out the last column and row, then the border.
    const TRect r = Rect(10, 20, 111, 37);
    const TGPRectF inner = p.GetInsideRectF(r);
    EXPECT_EQ(inner.X, 11);
    EXPECT_EQ(inner.Y, 21);
    EXPECT_EQ(inner.Width, 98);
    EXPECT_EQ(inner.Height, 14);
    EXPECT_EQ(p.CalculateProgressRectangle(r, 0, 100, 50).Width, 49);
    EXPECT_EQ(p.CalculateProgressRectangle(r, 0, 100, 500).Width, 98);
    EXPECT_EQ(p.CalculateProgressRectangle(r, 100, 100, 50).Width, 0) << "an empty range";
    EXPECT_EQ(p.CalculateProgressRectangle(r, 0, 100, -50).Width, 0) << "below the range";
}

TEST(SplashProgressTest, AValueCentredOnANarrowDonePartStartsAtItsLeftEdge) {
    auto form = test::MakeForm(320, 40, clWhite);
    auto* bar = new TAdvSplashProgressBar(form.get());
    bar->SetParent(form.get());
    TGDIPSplashProgress& a = *bar->Appearance();
    a.SetLeft(10);
    a.SetTop(10);
    a.SetWidth(300);
    a.SetHeight(20);
    a.SetVisible(true);
    a.BackGroundFill()->SetColor(clBlack);
    a.BackGroundFill()->SetColorTo(clBlack);
    a.ProgressFill()->SetColor(clNavy);
    a.ProgressFill()->SetColorTo(clNavy);
    a.Font()->SetColor(clWhite);
    a.Font()->SetSize(10);
    a.ProgressFont()->SetColor(clWhite);
    a.ProgressFont()->SetSize(10);
    a.SetValueVisible(true);
    a.SetPosition(5);
    auto textLeft = [&] {
        const std::unique_ptr<TBitmap> image = form->RenderToImage();
        return test::WhiteBox(Rect(10, 10, 310, 30),
                              [&](int x, int y) {
                                  return 0xFF000000u | static_cast<std::uint32_t>(
                                                           (GetRValue(image->PixelAt(x, y)) << 16) |
                                                           (GetGValue(image->PixelAt(x, y)) << 8) |
                                                           GetBValue(image->PixelAt(x, y)));
                              })
            .Left;
    };
    a.SetValuePosition(vpCenter);
    EXPECT_GT(textLeft(), 130);
    a.SetValuePosition(vpProgressCenter);
    EXPECT_LT(textLeft(), 20);
}

TEST(SplashProgressTest, AppearanceAppliesBoundsRangeAndVisibilityToTheControl) {
    TAdvSplashProgressBar bar(nullptr);
    TGDIPSplashProgress settings;
    settings.SetLeft(160);
    settings.SetTop(220);
    settings.SetWidth(300);
    settings.SetHeight(12);
    settings.SetMaximum(200);
    settings.SetPosition(150);
    settings.SetVisible(true);
    bar.SetAppearance(&settings);
    EXPECT_EQ(bar.BoundsRect(), Rect(160, 220, 460, 232));
    EXPECT_EQ(bar.Maximum(), 200);
    EXPECT_EQ(bar.Position(), 150);
    EXPECT_TRUE(bar.Visible());
    bar.SetComponentStyle(tsOffice2007Luna);
    EXPECT_EQ(bar.Appearance()->ProgressFill()->Color(), 0xFFEFE3);
    EXPECT_EQ(bar.Appearance()->ProgressFill()->ColorMirrorTo(), 0xFFDBC0);
    EXPECT_EQ(bar.Appearance()->BackGroundFill()->BorderColor(), 0xC0C0C0);
    EXPECT_EQ(bar.Version(), "1.0.1.0");
}

}  // namespace
}  // namespace dsp
