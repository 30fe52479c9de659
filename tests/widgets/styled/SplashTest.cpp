// The splash screen: its life beside the main form (the OnShow hook, the time-out, destruction
// while it shows), the picture its window shows at each step of the desktop's ladder, fades on
// the framework clock, the list's overflow, and its settings through the form stream.

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "framework/controls/TopLevelWindow.h"
#include "framework/graphics/Bitmap.h"
#include "framework/runtime/ManualClock.h"
#include "framework/text/Filer.h"
#include "framework/text/Streams.h"
#include "tests/support/RunLoop.h"
#include "tests/widgets/styled/SplashSamples.h"
#include "tests/widgets/styled/StyledTestSupport.h"
#include "widgets/styled/AdvSmoothSplashScreen.h"

namespace dsp {
namespace {

using namespace std::chrono_literals;

struct TForcedMode {
    explicit TForcedMode(TLayeredMode mode) { ForceLayeredMode(mode); }
    ~TForcedMode() { ForceLayeredMode(std::nullopt); }
};

// A main form that owns a splash set up as the program's, and the clock the splash's timers
// follow.
class SplashTest : public ::testing::Test {
protected:
    void SetUp() override {
        main_ = std::make_unique<TForm>(nullptr);
        main_->SetClientSize(400, 300);
        main_->AfterConstruction();
        splash_ = new TAdvSmoothSplashScreen(main_.get());
        test::ConfigureProgramSplash(*splash_, test::TestSplashPicture());
    }
    void TearDown() override {
        main_.reset();
        // Windows released by a hide go with the next turn of the loop.
        test::RunPendingEvents();
    }

    TManualClock clock_;
    TForcedMode forced_{TLayeredMode::Translucent};
    std::unique_ptr<TForm> main_;
    TAdvSmoothSplashScreen* splash_ = nullptr;  // owned by the main form
};

TEST_F(SplashTest, TheMainFormsShowHidesTheSplashThenRunsItsOwnHandlerOnce) {
    std::vector<std::string> log;
    main_->OnShow = [&](TObject* sender) {
        log.push_back(std::string(splash_->Showing() ? "showing" : "hidden") +
                      (sender == main_.get() ? " main" : " other"));
    };
    splash_->Loaded();  // as the form stream ends: AutoShow shows it
    ASSERT_TRUE(splash_->Showing());
    ASSERT_NE(splash_->SplashWindow(), nullptr);
    EXPECT_TRUE(splash_->SplashWindow()->Visible());
    main_->Show();
    EXPECT_EQ(log, std::vector<std::string>{"hidden main"});
    EXPECT_FALSE(splash_->Showing());
    EXPECT_EQ(splash_->SplashWindow(), nullptr);
    // The form has its own handler back: showing it again runs only that.
    main_->Hide();
    main_->Show();
    EXPECT_EQ(log.size(), 2u);
}

TEST_F(SplashTest, AMainFormWithoutHandlerHasNoneAgainAndNoHookWhenClosingOnShowIsOff) {
    splash_->Show();
    ASSERT_TRUE(main_->OnShow) << "hooked while the splash shows";
    main_->Show();
    EXPECT_FALSE(splash_->Showing());
    EXPECT_FALSE(main_->OnShow);

    main_->Hide();
    splash_->SetCloseOnMainFormShow(false);
    splash_->Show();
    EXPECT_FALSE(main_->OnShow);
    main_->Show();
    EXPECT_TRUE(splash_->Showing()) << "stays until hidden or timed out";
    splash_->Hide();
}

TEST_F(SplashTest, ClosesOnItsTimeOutOnTheFrameworkClock) {
    int closed = 0;
    splash_->OnClose = [&](TObject*) { ++closed; };
    splash_->SetCloseOnTimeout(true);
    splash_->Show();
    clock_.Advance(99ms);
    EXPECT_TRUE(splash_->Showing());
    clock_.Advance(1ms);
    EXPECT_FALSE(splash_->Showing());
    EXPECT_EQ(closed, 1);
    splash_->Hide();
    EXPECT_EQ(closed, 1) << "hiding a hidden splash does nothing";
}

TEST_F(SplashTest, DestroyingTheComponentWhileItShowsHidesTheWindowAndUnhooksTheForm) {
    main_->OnShow = [](TObject*) {};
    splash_->Show();
    TSplashScreenWindow* window = splash_->SplashWindow();
    ASSERT_NE(window, nullptr);
    const int formsShowing = FormCount();
    delete splash_;
    splash_ = nullptr;
    EXPECT_FALSE(window->Visible());
    test::RunPendingEvents();
    EXPECT_EQ(FormCount(), formsShowing - 1) << "the window is freed";
    ASSERT_TRUE(main_->OnShow);
    main_->Show();  // the form's own handler, nothing of the splash
}

TEST_F(SplashTest, TheWindowTakesThePicturesSizeCentresOnTheScreenAndNeverActivates) {
    main_->Show();
    ASSERT_EQ(ActiveForm(), main_.get());
    splash_->Show(300, 200);
    TSplashScreenWindow* window = splash_->SplashWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->ClientWidth(), 622);
    EXPECT_EQ(window->ClientHeight(), 352);
    const int left = window->Left();
    const int top = window->Top();
    EXPECT_EQ(ActiveForm(), main_.get());
    EXPECT_TRUE(ShowsWithoutActivation(*window));
    EXPECT_TRUE(StaysOnTop(*window));
    EXPECT_TRUE(window->ForcedTransparent()) << "the fill's opacity 249 makes it layered";
    EXPECT_EQ(window->Opacity(), 255) << "no fades: full constant alpha";
    splash_->Hide();
    splash_->Show();
    EXPECT_EQ(splash_->SplashWindow()->Left(), left) << "Show(X, Y) places as Show() does";
    EXPECT_EQ(splash_->SplashWindow()->Top(), top);
    splash_->Hide();
}

TEST_F(SplashTest, TheLayeredPictureShowsThePictureTextsAndListLineWhereTheyBelong) {
    splash_->Show();
    const TComposedWindowImage shown = ComposedLayeredImage(*splash_->SplashWindow());
    ASSERT_EQ(shown.width, 622);
    ASSERT_EQ(shown.height, 352);
    // The fill covers (0, 0)-(621, 351) and puts the picture at its bottom centre: (0, 1).
    EXPECT_EQ(shown.Pixel(300, 0) >> 24, 0u) << "row 0 is outside the picture";
    EXPECT_EQ(shown.Pixel(10, 1) & 0xFFFFFF, 0x142850u);
    EXPECT_EQ(shown.Pixel(619, 350) & 0xFFFFFF, 0x142850u);
    EXPECT_EQ(shown.Pixel(621, 20) >> 24, 0u) << "the picture is one pixel narrower than the fill";
    auto pixel = [&](int x, int y) { return shown.Pixel(x, y); };
    // The name from (85, 130), the version from (480, 140), the list line from (181, 210).
    const TRect name = test::WhiteBox(Rect(60, 110, 470, 180), pixel);
    EXPECT_GE(name.Left, 86);
    EXPECT_LE(name.Left, 95);
    EXPECT_GE(name.Top, 131);
    EXPECT_LE(name.Top, 145);
    EXPECT_GT(name.Right, 350);
    const TRect version = test::WhiteBox(Rect(470, 120, 622, 180), pixel);
    EXPECT_GE(version.Left, 481);
    EXPECT_LE(version.Left, 490);
    EXPECT_GE(version.Top, 141);
    EXPECT_LE(version.Top, 152);
    const TRect list = test::WhiteBox(Rect(150, 195, 622, 260), pixel);
    EXPECT_GE(list.Left, 182);
    EXPECT_LE(list.Left, 192);
    EXPECT_GE(list.Top, 211);
    EXPECT_LE(list.Top, 222);
    EXPECT_GT(list.Right, 380);
    splash_->Hide();
}

// An ARGB colour over white, as an opaque colour.
std::uint32_t OverWhite(std::uint32_t c) {
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

TEST_F(SplashTest, EachStepOfTheLadderShowsTheSplashAsTheDesktopCan) {
    // The picture's first columns have alpha 100 and 200; the fill's opacity of 249 only makes
    // the window layered and is not applied to the picture.
    constexpr std::uint32_t kEdge100 = 0x64142850;
    constexpr std::uint32_t kEdge200 = 0xC8142850;
    constexpr std::uint32_t kBody = 0xFF142850;
    struct Pixel {
        bool inside;
        std::uint32_t argb;
    };
    struct Case {
        TLayeredMode mode;
        Pixel rowZero;  // above the picture
        Pixel edge100;
        Pixel edge200;
    };
    const Case cases[] = {
        {TLayeredMode::Translucent, {true, 0}, {true, kEdge100}, {true, kEdge200}},
        {TLayeredMode::ShapedOpaque, {false, 0}, {false, 0}, {true, OverWhite(kEdge200)}},
        {TLayeredMode::Plain,
         {true, 0xFFFFFFFF},
         {true, OverWhite(kEdge100)},
         {true, OverWhite(kEdge200)}},
    };
    for (const Case& c : cases) {
        TForcedMode forced(c.mode);
        splash_->Show();
        TSplashScreenWindow* window = splash_->SplashWindow();
        EXPECT_EQ(LayeredMode(*window), c.mode);
        const TComposedWindowImage shown = ComposedLayeredImage(*window);
        const int mode = static_cast<int>(c.mode);
        auto check = [&](int x, int y, const Pixel& p) {
            EXPECT_EQ(shown.Inside(x, y), p.inside) << "mode " << mode << " at " << x << "," << y;
            EXPECT_TRUE(Near(shown.Pixel(x, y), p.argb))
                << "mode " << mode << " at " << x << "," << y << ": " << std::hex
                << shown.Pixel(x, y) << " for " << p.argb;
        };
        check(300, 0, c.rowZero);
        check(0, 100, c.edge100);
        check(1, 100, c.edge200);
        check(10, 100, {true, kBody});
        splash_->Hide();
    }
}

TEST_F(SplashTest, FadesStepTheConstantAlphaOnTheFrameworkClock) {
    // Layered: from 5 by 20 every 5 ms to 255.
    splash_->SetDisplayStyle(dsFadeInOut);
    splash_->Show();
    TSplashScreenWindow* window = splash_->SplashWindow();
    EXPECT_EQ(window->Opacity(), 5);
    const int alphaAt5 = static_cast<int>(ComposedLayeredImage(*window).Pixel(10, 100) >> 24);
    EXPECT_NEAR(alphaAt5, 5, 1) << "the constant alpha is multiplied into the picture";
    std::vector<int> steps;
    for (int i = 0; i < 14; ++i) {
        clock_.Advance(5ms);
        steps.push_back(window->Opacity());
    }
    EXPECT_EQ(steps,
              (std::vector<int>{25, 45, 65, 85, 105, 125, 145, 165, 185, 205, 225, 245, 255, 255}));
    EXPECT_EQ(ComposedLayeredImage(*window).Pixel(10, 100) >> 24, 255u);

    // Hiding fades out by 20 every 5 ms to 10 and frees the window; the splash is hidden at once.
    int closed = 0;
    splash_->OnClose = [&](TObject*) { ++closed; };
    splash_->Hide();
    EXPECT_FALSE(splash_->Showing());
    EXPECT_EQ(closed, 1);
    EXPECT_TRUE(window->Visible());
    clock_.Advance(5ms);
    EXPECT_EQ(window->Opacity(), 235);
    const int formsBefore = FormCount();
    clock_.Advance(100ms);
    EXPECT_FALSE(window->Visible());
    test::RunPendingEvents();
    EXPECT_EQ(FormCount(), formsBefore - 1);
}

TEST_F(SplashTest, WhereTheDesktopCannotBlendAFadingSplashShowsWhole) {
    TForcedMode forced(TLayeredMode::ShapedOpaque);
    splash_->SetDisplayStyle(dsFadeInOut);
    splash_->Show();
    TSplashScreenWindow* window = splash_->SplashWindow();
    EXPECT_EQ(window->Opacity(), 5);
    const TComposedWindowImage shown = ComposedLayeredImage(*window);
    EXPECT_TRUE(shown.Inside(10, 100));
    EXPECT_EQ(shown.Pixel(10, 100), 0xFF142850u) << "not washed out over white";
    splash_->Hide();
    clock_.Advance(200ms);
}

TEST_F(SplashTest, AnOpaqueSplashFadesInByFiveToItsMaximumOpacity) {
    splash_->Fill()->SetOpacity(255);
    splash_->SetDisplayStyle(dsFadeInOut);
    splash_->SetMaxOpacity(20);
    splash_->Show();
    TSplashScreenWindow* window = splash_->SplashWindow();
    std::vector<int> steps{window->Opacity()};
    for (int i = 0; i < 4; ++i) {
        clock_.Advance(5ms);
        steps.push_back(window->Opacity());
    }
    EXPECT_EQ(steps, (std::vector<int>{5, 10, 15, 20, 20}));
    splash_->Hide();
    clock_.Advance(200ms);
}

TEST_F(SplashTest, ASplashThatNeitherFadesNorIsTranslucentPaintsAsAPlainWindow) {
    splash_->Fill()->SetOpacity(255);
    splash_->Show();
    TSplashScreenWindow* window = splash_->SplashWindow();
    EXPECT_FALSE(window->ForcedTransparent());
    EXPECT_FALSE(IsLayered(*window));
    const std::unique_ptr<TBitmap> image = window->RenderToImage();
    EXPECT_EQ(image->PixelAt(10, 100), static_cast<TColorRef>(RGB(0x14, 0x28, 0x50)));
    EXPECT_EQ(image->PixelAt(300, 0), static_cast<TColorRef>(RGB(255, 255, 255)))
        << "the window's white shows above the picture";
    splash_->Hide();
}

TEST_F(SplashTest, ListLinesThatOverflowPushTheOldestOut) {
    TSplashListItems& lines = *splash_->ListItems();
    lines.Clear();
    for (const char* text : {"one", "two", "three"}) lines.Add()->SetHTMLText(text);
    EXPECT_EQ(lines.Items(2)->DisplayRect(), Rect(-1, -1, -1, -1)) << "until laid out";
    TSplashListItemsSettings& settings = *splash_->ListItemsSettings();
    settings.HTMLFont()->SetSize(8);
    settings.SetSpace(8);
    splash_->Show();
    const int height = lines.Items(0)->DisplayRect().Height();
    ASSERT_GT(height, 0);
    // Room for two lines, not three.
    settings.Rect()->SetHeight(2 * height + 8 + 2);
    splash_->Refresh();
    EXPECT_EQ(lines.Items(0)->DisplayRect(), Rect(-1, -1, -1, -1));
    EXPECT_EQ(lines.Items(1)->DisplayRect().Top, 210);
    EXPECT_EQ(lines.Items(2)->DisplayRect().Top, 210 + height + 8);
    splash_->Hide();
}

TEST_F(SplashTest, ClearingTheListRefreshesTheWindowAndAddingALineWaitsForTheNextRefresh) {
    splash_->Show();
    TSplashScreenWindow* window = splash_->SplashWindow();
    auto listText = [&] {
        const TComposedWindowImage shown = ComposedLayeredImage(*window);
        return test::WhiteBox(Rect(150, 195, 622, 300),
                              [&](int x, int y) { return shown.Pixel(x, y); });
    };
    ASSERT_FALSE(IsRectEmpty(listText()));
    splash_->ListItems()->Clear();
    EXPECT_TRUE(IsRectEmpty(listText()));
    splash_->ListItems()->Add()->SetHTMLText("<FONT color=\"clWhite\">Again</FONT>");
    EXPECT_TRUE(IsRectEmpty(listText()));
    splash_->Refresh();
    EXPECT_FALSE(IsRectEmpty(listText()));
    splash_->Hide();
}

TEST_F(SplashTest, AJpegItemIsNotDrawnButMovesItsText) {
    TSplashItem& item = *splash_->Items()->Add();
    test::LoadPicture(*item.Picture(), test::JpegFile(40, 20, clRed));
    item.SetPosX(20);
    item.SetPosY(20);
    item.SetText("Item");
    item.Font()->SetColor(clWhite);
    item.Font()->SetSize(12);
    splash_->Show();
    const TComposedWindowImage shown = ComposedLayeredImage(*splash_->SplashWindow());
    EXPECT_EQ(shown.Pixel(30, 30) & 0xFFFFFF, 0x142850u) << "no JPEG drawn";
    const TRect text =
        test::WhiteBox(Rect(0, 10, 200, 60), [&](int x, int y) { return shown.Pixel(x, y); });
    EXPECT_GE(text.Left, 20 + 40 + 5);
    EXPECT_LE(text.Left, 20 + 40 + 5 + 6);
    splash_->Hide();
}

TEST_F(SplashTest, ATopLayerTextPlacedByWindowCoordinates) {
    TAdvSplashTopLayerItem& item = *splash_->TopLayerItems()->Add();
    item.SetLeft(300);
    item.SetTop(20);
    item.SetWidth(100);
    item.SetHeight(40);
    item.Fill()->SetColor(clNone);
    item.Fill()->SetColorTo(clNone);
    item.Fill()->SetBorderColor(clNone);
    item.HTMLText()->SetText("<FONT color=\"clWhite\" size=\"12\">Top</FONT>");
    item.HTMLText()->SetLocation(cpCustom);
    item.HTMLText()->SetLeft(30);
    item.HTMLText()->SetTop(60);
    splash_->Show();
    const TComposedWindowImage shown = ComposedLayeredImage(*splash_->SplashWindow());
    const TRect text =
        test::WhiteBox(Rect(0, 0, 622, 120), [&](int x, int y) { return shown.Pixel(x, y); });
    EXPECT_GE(text.Left, 31);
    EXPECT_LE(text.Left, 40);
    EXPECT_GE(text.Top, 60);
    EXPECT_LE(text.Top, 70);
    splash_->Hide();
}

TEST_F(SplashTest, ProgressSettingsChangedWhileShowingReachTheWindowsBar) {
    splash_->Show();
    TSplashScreenWindow* window = splash_->SplashWindow();
    auto barArea = [&] {
        const TComposedWindowImage shown = ComposedLayeredImage(*window);
        return shown.Pixel(200, 226);
    };
    EXPECT_EQ(barArea() & 0xFFFFFF, 0x142850u) << "the bar is hidden at first";
    TGDIPSplashProgress& settings = *splash_->ProgressBar();
    settings.BackGroundFill()->SetColor(clWhite);
    settings.BackGroundFill()->SetColorTo(clWhite);
    settings.SetPosition(50);
    settings.SetVisible(true);
    TAdvSplashProgressBar* bar = window->ProgressBar();
    EXPECT_EQ(bar->Position(), 50);
    EXPECT_TRUE(bar->Visible());
    EXPECT_EQ(bar->BoundsRect(), Rect(160, 220, 460, 232));
    EXPECT_NE(barArea() & 0xFFFFFF, 0x142850u) << "drawn into the layered picture";
    splash_->Hide();
}

// Where the headings go by their locations: the name first, the version beside or below it.
TEST_F(SplashTest, HeadingsArePlacedByTheirLocations) {
    TBasicProgramInfo& info = *splash_->BasicProgramInfo();
    info.ProgramName()->SetLocation(ilTopLeft);
    info.ProgramVersion()->SetLocation(ilTopLeft);
    info.ProgramVersion()->SetColorStart(clRed);
    info.ProgramVersion()->SetColorEnd(clRed);
    splash_->ListItems()->Clear();
    splash_->Show();
    // The heading rectangle is the content (0, 0)-(621, 351) less 5 pixels on the right.
    TBitmap scratch(10, 10);
    TGPGraphics g(scratch.Canvas());
    TSize name;
    TSplashHeadingText& n = *info.ProgramName();
    DrawSplashText(&g, n.Text(), 0, 0, name, TextRenderingHintAntiAlias, 0, true, n.ColorEnd(),
                   n.ColorStart(), 255, 255, n.GetHatchStyle(), nullptr, n.GradientType(),
                   n.Font());
    const TComposedWindowImage shown = ComposedLayeredImage(*splash_->SplashWindow());
    auto red = [&](int x, int y) {
        const std::uint32_t c = shown.Pixel(x, y);
        return ((c >> 16) & 0xFF) > 200 && ((c >> 8) & 0xFF) < 80 && (c & 0xFF) < 80;
    };
    int left = shown.width;
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < shown.width; ++x) {
            if (red(x, y)) left = std::min(left, x);
        }
    }
    // The version follows the name (nw + 1) with the layer's padding before its first letter.
    EXPECT_GE(left, name.cx + 1);
    EXPECT_LE(left, name.cx + 1 + 8);
    splash_->Hide();

    info.ProgramName()->SetLocation(ilBottomRight);
    info.ProgramVersion()->SetLocation(ilBottomRight);
    splash_->Show();
    const TComposedWindowImage bottom = ComposedLayeredImage(*splash_->SplashWindow());
    const TRect white =
        test::WhiteBox(Rect(0, 200, 622, 352), [&](int x, int y) { return bottom.Pixel(x, y); });
    EXPECT_LE(white.Right, 616) << "the name ends left of the version at the right edge";
    EXPECT_GT(white.Bottom, 320);
    EXPECT_LE(white.Bottom, 351);
    splash_->Hide();
}

TEST_F(SplashTest, TheProgramsPictureComesFromTheResourcesAndSizesTheWindow) {
    TAdvGDIPPicture picture;
    picture.LoadFromURL("RES://SPLASH");
    ASSERT_FALSE(picture.Empty());
    EXPECT_EQ(picture.Width(), 620);
    EXPECT_EQ(picture.Height(), 350);
    splash_->Fill()->Picture()->Assign(&picture);
    splash_->Show();
    EXPECT_EQ(splash_->SplashWindow()->ClientWidth(), 622);
    EXPECT_EQ(splash_->SplashWindow()->ClientHeight(), 352);
    splash_->Hide();
    TAdvGDIPPicture missing;
    missing.LoadFromResourceName("NO_SUCH_PICTURE");
    EXPECT_TRUE(missing.Empty());
}

TEST_F(SplashTest, StylesSetTheFillAndVersionTextsAreFixed) {
    splash_->Fill()->SetColor(0x123456);
    splash_->Fill()->SetGradientType(gtSolid);
    splash_->SetComponentStyle(tsCustom);
    EXPECT_EQ(splash_->Fill()->GradientType(), gtVertical);
    EXPECT_EQ(splash_->Fill()->Color(), 0x123456);
    splash_->SetComponentStyle(tsOffice2007Luna);
    EXPECT_EQ(splash_->Fill()->ColorMirrorTo(), 0xFFF2E7);
    EXPECT_EQ(splash_->Fill()->GradientMirrorType(), gtVertical);
    EXPECT_EQ(splash_->Version(), "1.4.0.0");
    EXPECT_EQ(splash_->GetThemeID(), "TAdvSmoothSplashScreen");
}

TEST_F(SplashTest, FocusGoesToTheFormByActivatingItsWindowAfterTwentyMilliseconds) {
    auto other = std::make_unique<TForm>(nullptr);
    other->AfterConstruction();
    other->Show();
    main_->SetVisible(true);
    ASSERT_EQ(ActiveForm(), other.get());
    splash_->SetFocusToForm(main_.get());
    clock_.Advance(19ms);
    EXPECT_EQ(ActiveForm(), other.get());
    clock_.Advance(1ms);
    EXPECT_EQ(ActiveForm(), main_.get());
}

// ---- settings

TEST(SplashSettingsTest, ATopLayerLocationSurvivesTheFormStream) {
    for (TAdvSmoothSplashScreenLocation location : {cpTopLeft, cpCenterLeft, cpBottomRight}) {
        TAdvSmoothSplashScreen source(nullptr);
        source.SetName("Splash");
        source.SetAutoShow(false);
        TAdvSplashTopLayerItem* item = source.TopLayerItems()->Add();
        item->HTMLText()->SetLocation(location);
        item->HTMLText()->SetText("x");
        TMemoryStream stream;
        WriteComponentStream(stream, source);
        stream.SetPosition(0);
        TAdvSmoothSplashScreen copy(nullptr);
        copy.SetAutoShow(false);
        ReadComponentStream(stream, copy);
        ASSERT_EQ(copy.TopLayerItems()->Count(), 1);
        EXPECT_EQ(copy.TopLayerItems()->Items(0)->HTMLText()->Location(), location);
        EXPECT_EQ(copy.TopLayerItems()->Items(0)->HTMLText()->Text(), "x");
    }
}

TEST(SplashSettingsTest, HeadingTextsAnnounceOnlyTextChangesAndCopiesTakeEverything) {
    TBasicProgramInfo info;
    int changes = 0;
    info.OnChange = [&](TObject*) { ++changes; };
    info.ProgramName()->SetText("Name");
    info.ProgramName()->SetText("Name");
    info.ProgramVersion()->SetPosX(12);
    info.ProgramVersion()->SetText("V");
    EXPECT_EQ(changes, 2);
    TBasicProgramInfo copy;
    copy.Assign(&info);
    EXPECT_EQ(copy.ProgramName()->Text(), "Name");
    EXPECT_EQ(copy.ProgramVersion()->PosX(), 12);
    EXPECT_TRUE(copy.ProgramName()->Font()->Style().Contains(fsBold));
    EXPECT_EQ(copy.ProgramVersion()->Font()->Size(), 14);
}

}  // namespace
}  // namespace dsp
