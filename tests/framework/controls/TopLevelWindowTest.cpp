// Top-level window features: the layered picture at each step of the capability ladder (read
// back as the window shows it), window regions, staying on top and showing without activation.

#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <memory>

#include "framework/controls/TopLevelWindow.h"
#include "framework/controls/WindowHost.h"
#include "framework/graphics/GdiPlus.h"
#include "framework/graphics/Region.h"
#include "tests/framework/controls/ControlTestSupport.h"

namespace dsp {
namespace {

using namespace Gdiplus;
using test::MakeForm;

// Forces a step of the ladder for one test and asks the desktop again afterwards.
struct TForcedMode {
    explicit TForcedMode(TLayeredMode mode) { ForceLayeredMode(mode); }
    ~TForcedMode() { ForceLayeredMode(std::nullopt); }
};

struct TBitmapDeleter {
    void operator()(GpBitmap* b) const { GdipDisposeImage(b); }
};
using TBitmapPtr = std::unique_ptr<GpBitmap, TBitmapDeleter>;

// A 4 x 1 picture: opaque red, blue at alpha 200, green at alpha 100, nothing.
constexpr ARGB kRed = 0xFFFF0000;
constexpr ARGB kBlue200 = 0xC80000FF;
constexpr ARGB kGreen100 = 0x6400FF00;
TBitmapPtr SamplePicture() {
    GpBitmap* bitmap = nullptr;
    GdipCreateBitmapFromScan0(4, 1, 0, PixelFormat32bppARGB, nullptr, &bitmap);
    GdipBitmapSetPixel(bitmap, 0, 0, kRed);
    GdipBitmapSetPixel(bitmap, 1, 0, kBlue200);
    GdipBitmapSetPixel(bitmap, 2, 0, kGreen100);
    GdipBitmapSetPixel(bitmap, 3, 0, 0);
    return TBitmapPtr(bitmap);
}

// c over white, as an opaque colour.
std::uint32_t OverWhite(ARGB c) {
    const unsigned a = c >> 24;
    auto mix = [a](unsigned v) { return (v * a + 255 * (255 - a) + 127) / 255; };
    return 0xFF000000u | (mix((c >> 16) & 0xFF) << 16) | (mix((c >> 8) & 0xFF) << 8) |
           mix(c & 0xFF);
}

bool Near(std::uint32_t a, std::uint32_t b) {
    for (int shift = 0; shift < 32; shift += 8) {
        const int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        if (d < -2 || d > 2) return false;
    }
    return true;
}

std::unique_ptr<TForm> LayeredForm(int width, int height) {
    auto form = MakeForm(width, height, clWhite);
    form->SetBorderStyle(bsNone);
    form->SetClientSize(width, height);
    return form;
}

TEST(TopLevelWindowTest, EachStepOfTheLadderComposesThePictureAsItsWindowShowsIt) {
    struct Pixel {
        bool inside;
        std::uint32_t argb;
    };
    struct Case {
        TLayeredMode mode;
        Pixel expected[5];  // the picture's four pixels, then one beyond the picture
    };
    const Case cases[] = {
        // Per-pixel alpha: the picture as it is; beyond it nothing.
        {TLayeredMode::Translucent,
         {{true, kRed}, {true, kBlue200}, {true, kGreen100}, {true, 0}, {true, 0}}},
        // Cut to the pixels of alpha 128 and above, blended over white.
        {TLayeredMode::ShapedOpaque,
         {{true, kRed}, {true, OverWhite(kBlue200)}, {false, 0}, {false, 0}, {false, 0}}},
        // An opaque rectangle over white.
        {TLayeredMode::Plain,
         {{true, kRed},
          {true, OverWhite(kBlue200)},
          {true, OverWhite(kGreen100)},
          {true, 0xFFFFFFFF},
          {true, 0xFFFFFFFF}}},
    };
    for (const Case& c : cases) {
        TForcedMode forced(c.mode);
        auto form = LayeredForm(5, 1);
        SetLayered(*form, true);
        EXPECT_EQ(LayeredMode(*form), c.mode);
        form->SetVisible(true);
        UpdateLayeredImage(*form, SamplePicture().get());
        const TComposedWindowImage shown = ComposedLayeredImage(*form);
        ASSERT_EQ(shown.width, 5);
        ASSERT_EQ(shown.height, 1);
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(shown.Inside(x, 0), c.expected[x].inside)
                << "mode " << static_cast<int>(c.mode) << " x " << x;
            EXPECT_TRUE(Near(shown.Pixel(x, 0), c.expected[x].argb))
                << "mode " << static_cast<int>(c.mode) << " x " << x << ": " << std::hex
                << shown.Pixel(x, 0) << " for " << c.expected[x].argb;
        }
        // The window's own pixels are the composed ones.
        QWidget* frame = HostWidget(*form)->window();
        const QImage grabbed = frame->grab().toImage().convertToFormat(QImage::Format_ARGB32);
        for (int x = 0; x < 5; ++x) {
            if (!c.expected[x].inside) continue;
            EXPECT_TRUE(Near(grabbed.pixel(x, 0), c.expected[x].argb))
                << "shown by the window, mode " << static_cast<int>(c.mode) << " x " << x << ": "
                << std::hex << grabbed.pixel(x, 0);
        }
        EXPECT_EQ(frame->mask().isEmpty(), c.mode != TLayeredMode::ShapedOpaque);
    }
}

TEST(TopLevelWindowTest, APictureHandedOverBeforeTheWindowShowsIsWhatItShows) {
    TForcedMode forced(TLayeredMode::Plain);
    auto form = LayeredForm(5, 1);
    SetLayered(*form, true);
    const TRegion region = CreateRectRgn(0, 0, 2, 1);
    SetWindowRegion(*form, &region);
    UpdateLayeredImage(*form, SamplePicture().get());
    form->SetVisible(true);
    QWidget* frame = HostWidget(*form)->window();
    const QImage grabbed = frame->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_TRUE(Near(grabbed.pixel(0, 0), kRed));
    EXPECT_TRUE(Near(grabbed.pixel(1, 0), OverWhite(kBlue200)));
    EXPECT_EQ(frame->mask(), QRegion(0, 0, 2, 1));
}

TEST(TopLevelWindowTest, AFormMadeLayeredAfterItsWindowShowedTakesTheShapedStepAtBest) {
    TForcedMode forced(TLayeredMode::Translucent);
    auto form = LayeredForm(5, 1);
    form->SetVisible(true);
    SetLayered(*form, true);
    EXPECT_EQ(LayeredMode(*form), TLayeredMode::ShapedOpaque);
    SetLayered(*form, false);
    EXPECT_FALSE(IsLayered(*form));
    EXPECT_EQ(ComposedLayeredImage(*form).width, 0);
}

TEST(TopLevelWindowTest, AWindowRegionCutsTheWindowAndItsLayeredPicture) {
    TForcedMode forced(TLayeredMode::Translucent);
    auto form = LayeredForm(5, 1);
    SetLayered(*form, true);
    form->SetVisible(true);
    const TRegion region = CreateRectRgn(1, 0, 3, 1);
    SetWindowRegion(*form, &region);
    EXPECT_TRUE(HasWindowRegion(*form));
    UpdateLayeredImage(*form, SamplePicture().get());
    const TComposedWindowImage shown = ComposedLayeredImage(*form);
    const bool expected[5] = {false, true, true, false, false};
    for (int x = 0; x < 5; ++x) EXPECT_EQ(shown.Inside(x, 0), expected[x]) << x;
    QWidget* frame = HostWidget(*form)->window();
    EXPECT_EQ(frame->mask(), QRegion(1, 0, 2, 1));
    SetWindowRegion(*form, nullptr);
    EXPECT_TRUE(frame->mask().isEmpty());
}

TEST(TopLevelWindowTest, StayOnTopAndNoActivationReachTheWindowAndSurviveFrameChanges) {
    auto form = MakeForm(40, 30);
    SetStayOnTop(*form, true);
    SetShowWithoutActivation(*form, true);
    form->SetVisible(true);
    QWidget* frame = HostWidget(*form)->window();
    auto check = [&](const char* when) {
        EXPECT_TRUE(frame->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) << when;
        EXPECT_TRUE(frame->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus)) << when;
        EXPECT_TRUE(frame->testAttribute(Qt::WA_ShowWithoutActivating)) << when;
    };
    check("shown");
    form->SetBorderStyle(bsDialog);
    form->SetCaption("Another caption");
    check("after the frame changed");
    SetStayOnTop(*form, false);
    EXPECT_FALSE(frame->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST(TopLevelWindowTest, AClickInAFormThatShowsWithoutActivationLeavesTheActiveFormActive) {
    auto main = MakeForm(60, 40);
    main->Show();
    ASSERT_EQ(ActiveForm(), main.get());
    auto splash = MakeForm(40, 30);
    SetShowWithoutActivation(*splash, true);
    splash->SetVisible(true);
    test::Click(*splash, 5, 5);
    EXPECT_EQ(ActiveForm(), main.get());
    // Without the feature the click activates.
    SetShowWithoutActivation(*splash, false);
    test::Click(*splash, 5, 5);
    EXPECT_EQ(ActiveForm(), splash.get());
}

TEST(TopLevelWindowTest, WaitingForExposureEndsOnceTheWindowShowsAndNeverForAHiddenOne) {
    auto form = MakeForm(40, 30);
    EXPECT_FALSE(WaitForWindowExposed(*form, 50));
    form->SetVisible(true);
    EXPECT_TRUE(WaitForWindowExposed(*form, 200));
}

}  // namespace
}  // namespace dsp
