#include <gtest/gtest.h>

#include "framework/graphics/Bitmap.h"
#include "tests/framework/graphics/PixelMap.h"
#include "tests/widgets/styled/StyledTestSupport.h"
#include "widgets/styled/GDIPFill.h"

namespace dsp {
namespace {

int Red(const TBitmap& b, int x, int y) { return GetRValue(b.PixelAt(x, y)); }

// A white surface with the edit box's background around the fill.
std::unique_ptr<TBitmap> Surface(int w, int h, TColor background = clWhite) {
    auto b = std::make_unique<TBitmap>(w, h);
    b->Canvas()->Brush()->SetColor(background);
    b->Canvas()->FillRect(Rect(0, 0, w, h));
    return b;
}

TEST(GDIPFill, TheDefaultFillIsAVerticalGradientFromSilverToGray) {
    auto b = Surface(100, 20);
    TGPGraphics g(b->Canvas());
    TGDIPFill fill;
    const TGPRectF body = fill.Fill(&g, TGPRectF{0, 0, 100, 20});
    EXPECT_EQ(body.Width, 100);
    // The brush spans one pixel beyond the rectangle on each side.
    EXPECT_NEAR(Red(*b, 50, 0), 0xC0 - (0xC0 - 0x80) * 1 / 22, 4);
    EXPECT_NEAR(Red(*b, 50, 19), 0x80 + (0xC0 - 0x80) * 2 / 22, 4);
    EXPECT_GT(Red(*b, 50, 0), Red(*b, 50, 10));
    EXPECT_GT(Red(*b, 50, 10), Red(*b, 50, 19));
    EXPECT_EQ(b->PixelAt(0, 0), b->PixelAt(99, 0));  // square corners, no border
}

// The rounded edit box: four equal colours, rtBoth, its radius and border colour.
void EditBody(TGDIPFill& fill, TColor color, TColor border, int rounding) {
    fill.SetColor(color);
    fill.SetColorTo(color);
    fill.SetColorMirror(color);
    fill.SetColorMirrorTo(color);
    fill.SetRoundingType(rtBoth);
    fill.SetRounding(rounding);
    fill.SetBorderColor(border);
}

TEST(GDIPFill, TheEditBoxBodyHasCrispBordersAndRoundCorners) {
    auto b = Surface(80, 21, clRed);
    TGPGraphics g(b->Canvas());
    g.SetSmoothingMode(SmoothingModeAntiAlias);
    TGDIPFill fill;
    EditBody(fill, clWhite, clBlack, 6);
    fill.Fill(&g, TGPRectF{0, 0, 79, 20});
    EXPECT_EQ(b->PixelAt(0, 0), 0x0000FFu);    // outside the corner: the background
    EXPECT_EQ(b->PixelAt(79, 20), 0x0000FFu);  // and at the far corner
    EXPECT_EQ(b->PixelAt(40, 10), 0xFFFFFFu);  // the body in the box colour
    for (int x : {10, 40, 68}) {
        EXPECT_EQ(b->PixelAt(x, 0), 0x000000u) << x;  // straight borders on whole pixels
        EXPECT_EQ(b->PixelAt(x, 20), 0x000000u) << x;
        EXPECT_EQ(b->PixelAt(x, 1), 0xFFFFFFu) << x;
    }
    EXPECT_EQ(b->PixelAt(0, 10), 0x000000u);
    EXPECT_EQ(b->PixelAt(79, 10), 0x000000u);
    // The overlap of the two parts leaves no seam in the middle.
    for (int y = 2; y < 19; ++y) EXPECT_EQ(b->PixelAt(40, y), 0xFFFFFFu) << y;
}

TEST(GDIPFill, RoundingTypesRoundOnlyTheirCorners) {
    struct Case {
        TFillRoundingType type;
        bool topLeft, topRight, bottomLeft, bottomRight;  // corner rounded
    };
    const Case cases[] = {
        {rtNone, false, false, false, false}, {rtTop, true, true, false, false},
        {rtBottom, false, false, true, true}, {rtBoth, true, true, true, true},
        {rtLeft, true, false, true, false},   {rtRight, false, true, false, true}};
    for (const Case& c : cases) {
        auto b = Surface(30, 20, clRed);
        TGPGraphics g(b->Canvas());
        std::unique_ptr<TGPGraphicsPath> path(CreateRoundedPath(TGPRectF{0, 0, 29, 19}, 8, c.type));
        TGPSolidBrush black(0xFF000000);
        g.FillPath(&black, path.get());
        auto rounded = [&](int x, int y) { return b->PixelAt(x, y) == 0x0000FFu; };
        EXPECT_EQ(rounded(0, 0), c.topLeft) << c.type;
        EXPECT_EQ(rounded(28, 0), c.topRight) << c.type;
        EXPECT_EQ(rounded(0, 18), c.bottomLeft) << c.type;
        EXPECT_EQ(rounded(28, 18), c.bottomRight) << c.type;
        EXPECT_EQ(b->PixelAt(15, 10), 0x000000u);
    }
    // Any other value the type can hold gives an empty figure.
    auto b = Surface(10, 10);
    TGPGraphics g(b->Canvas());
    std::unique_ptr<TGPGraphicsPath> none(
        CreateRoundedPath(TGPRectF{0, 0, 9, 9}, 2, static_cast<TFillRoundingType>(7)));
    TGPSolidBrush black(0xFF000000);
    g.FillPath(&black, none.get());
    EXPECT_EQ(testing::CountPixels(*b, 0xFFFFFF), 100);
}

TEST(GDIPFill, ThinRectanglesAreLines) {
    auto b = Surface(20, 5);
    TGPGraphics g(b->Canvas());
    TGDIPFill fill;
    fill.SetBorderColor(clBlack);
    fill.Fill(&g, TGPRectF{2, 1, 10, 1});  // from (2, 1) to (12, 2)
    EXPECT_EQ(testing::InkBounds(*b), Rect(2, 1, 13, 3));
    EXPECT_EQ(testing::CountPixels(*b, 0x000000), 11);
}

TEST(GDIPFill, OpacityArgumentsOf255StandForTheProperties) {
    TGDIPFill fill;
    fill.SetGradientType(gtSolid);
    fill.SetColor(clBlack);
    fill.SetOpacity(0);
    auto b = Surface(4, 4);
    TGPGraphics g(b->Canvas());
    fill.Fill(&g, TGPRectF{0, 0, 4, 4});
    EXPECT_EQ(b->PixelAt(2, 2), 0xFFFFFFu);  // the property's 0
    fill.Fill(&g, TGPRectF{0, 0, 4, 4}, 255, 128);
    EXPECT_NEAR(Red(*b, 2, 2), 127, 2);  // the argument's 128
}

TEST(GDIPFill, ShadowsTakeTheirRoomFromTheBody) {
    struct Case {
        TShadowType type;
        TGPRectF body;
    };
    const Case cases[] = {{stSurround, TGPRectF{4, 4, 32, 22}},
                          {stRightBottom, TGPRectF{0, 0, 36, 26}},
                          {stBottom, TGPRectF{0, 0, 40, 26}}};
    for (const Case& c : cases) {
        auto b = Surface(40, 30);
        TGPGraphics g(b->Canvas());
        TGDIPFill fill;
        fill.SetShadowOffset(4);
        fill.SetShadowType(c.type);
        const TGPRectF body = fill.Fill(&g, TGPRectF{0, 0, 40, 30});
        EXPECT_EQ(body.X, c.body.X) << c.type;
        EXPECT_EQ(body.Y, c.body.Y) << c.type;
        EXPECT_EQ(body.Width, c.body.Width) << c.type;
        EXPECT_EQ(body.Height, c.body.Height) << c.type;
    }
}

TEST(GDIPFill, MissingColoursDowngradeTheParts) {
    auto paint = [](TColor color, TColor colorTo, TAdvGradientType type) {
        auto b = Surface(10, 30);
        TGPGraphics g(b->Canvas());
        TGDIPFill fill;
        fill.SetColor(color);
        fill.SetColorTo(colorTo);
        fill.SetGradientType(type);
        fill.Fill(&g, TGPRectF{0, 0, 10, 30});
        return b;
    };
    auto solid = paint(clBlack, clNone, gtVertical);
    EXPECT_EQ(solid->PixelAt(5, 0), 0x000000u);
    EXPECT_EQ(solid->PixelAt(5, 29), 0x000000u);
    EXPECT_EQ(testing::CountPixels(*paint(clNone, clBlack, gtVertical), 0xFFFFFF), 300);
    EXPECT_EQ(testing::CountPixels(*paint(clBlack, clBlack, gtPath), 0xFFFFFF), 300);
    EXPECT_EQ(testing::CountPixels(*paint(clBlack, clBlack, gtNone), 0xFFFFFF), 300);
    // A radial body without a mirror colour covers the whole rectangle: dark at the top edge's
    // middle (the second colour at the centre point), the first colour towards the sides.
    auto radial = paint(clWhite, clBlack, gtRadial);
    EXPECT_LT(Red(*radial, 5, 0), 60);
    EXPECT_EQ(radial->PixelAt(0, 29), 0xFFFFFFu);
}

TEST(GDIPFill, ChangesAreAnnouncedOutsideUpdatesOnly) {
    TGDIPFill fill;
    int changes = 0;
    fill.OnChange = [&](TObject*) { ++changes; };
    fill.SetColor(clRed);
    fill.SetColor(clRed);  // unchanged: no event
    EXPECT_EQ(changes, 1);
    fill.BeginUpdate();
    fill.SetColor(clBlue);
    fill.SetRounding(3);
    fill.EndUpdate();
    EXPECT_EQ(changes, 1);
    TGDIPFill other;
    test::LoadPicture(*other.Picture(), test::PngFile(2, 2, 0xFF000000));
    other.SetFocus(true);
    other.SetShadowType(stBottom);
    fill.Assign(&other);
    EXPECT_EQ(changes, 2);  // once for the whole copy, pictures included
    EXPECT_EQ(fill.Color(), clSilver);
    EXPECT_EQ(fill.ShadowType(), stBottom);
    EXPECT_FALSE(fill.Focus());
    EXPECT_EQ(fill.Picture()->SaveToBytes(), other.Picture()->SaveToBytes());
}

TEST(GDIPFill, FocusOutlinesAreDottedAndLeaveTheSmoothingAsItWas) {
    auto b = Surface(30, 20);
    TGPGraphics g(b->Canvas());
    g.SetSmoothingMode(SmoothingModeAntiAlias);
    TGDIPFill fill;
    fill.SetGradientType(gtNone);
    fill.SetFocus(true);
    fill.SetRoundingType(rtNone);
    fill.Fill(&g, TGPRectF{0, 0, 30, 20});
    EXPECT_EQ(g.GetSmoothingMode(), SmoothingModeAntiAlias);
    EXPECT_EQ(fill.FocusRect().X, 1);
    EXPECT_EQ(fill.FocusRect().Width, 28);
    // Every other pixel along the top of the focus rectangle.
    EXPECT_NE(b->PixelAt(5, 1), b->PixelAt(6, 1));
    EXPECT_EQ(b->PixelAt(5, 1), b->PixelAt(7, 1));
}

TEST(GDIPFillPlacement, PicturesLandByPosition) {
    TAdvGDIPPicture picture;
    test::LoadPicture(picture, test::PngFile(300, 100, 0xFF000000));
    struct Case {
        TFillPicturePosition position;
        TRect ink;
    };
    const Case cases[] = {
        {ppTopLeft, Rect(0, 0, 300, 100)},          {ppTopCenter, Rect(170, 0, 470, 100)},
        {ppTopRight, Rect(340, 0, 640, 100)},       {ppBottomLeft, Rect(0, 300, 300, 400)},
        {ppBottomCenter, Rect(170, 300, 470, 400)}, {ppBottomRight, Rect(340, 300, 640, 400)},
        {ppCenterLeft, Rect(0, 150, 300, 250)},     {ppCenterCenter, Rect(170, 150, 470, 250)},
        {ppCenterRight, Rect(340, 150, 640, 250)},  {ppCustom, Rect(7, 9, 307, 109)},
        {ppStretched, Rect(0, 0, 640, 400)},        {ppTiled, TRect{}}};
    for (const Case& c : cases) {
        TBitmap b(640, 400);
        TGPGraphics g(b.Canvas());
        DrawFillPicture(&g, false, pmStretch, 9, 7, Rect(0, 0, 640, 400), 100, 300, c.position,
                        &picture);
        EXPECT_EQ(testing::InkBounds(b), c.ink) << c.position;
    }
    // Stretched with its proportions kept, centred in the box.
    TBitmap b(640, 400);
    TGPGraphics g(b.Canvas());
    DrawFillPicture(&g, true, pmStretch, 0, 0, Rect(0, 0, 640, 400), 100, 300, ppStretched,
                    &picture);
    EXPECT_EQ(testing::InkBounds(b), Rect(0, 93, 640, 306));
}

TEST(GDIPFillPlacement, FitPictureSizeKeepsProportions) {
    struct Case {
        TPictureMode mode;
        double w, h, bw, bh;
        std::pair<double, double> fit;
    };
    const Case cases[] = {
        {pmNormal, 40, 20, 100, 100, {40, 20}},   {pmStretch, 40, 20, 100, 100, {100, 50}},
        {pmNormal, 200, 50, 100, 100, {100, 25}}, {pmStretch, 20, 40, 100, 100, {50, 100}},
        {pmStretch, 0, 40, 100, 100, {0, 0}},     {pmStretch, 20, 40, 100, -1, {0, 0}}};
    for (const Case& c : cases)
        EXPECT_EQ(FitPictureSize(c.mode, c.w, c.h, c.bw, c.bh), c.fit) << c.w << "x" << c.h;
}

TEST(GDIPFill, TheSplashFillPaintsOnlyItsPictureAtTheBottomCentre) {
    TGDIPFill fill;
    fill.SetColor(clNone);
    fill.SetColorTo(clNone);
    fill.SetColorMirror(clNone);
    fill.SetColorMirrorTo(clNone);
    fill.SetBorderColor(clNone);
    fill.SetOpacity(249);
    fill.SetPicturePosition(ppBottomCenter);
    TAdvGDIPPicture picture;
    test::LoadPicture(picture, test::PngFile(20, 10, 0xFF000000));
    fill.SetPicture(&picture);
    auto b = Surface(22, 12);
    TGPGraphics g(b->Canvas());
    fill.Fill(&g, TGPRectF{0, 0, 21, 11});
    EXPECT_EQ(testing::InkBounds(*b), Rect(0, 1, 20, 11));
    EXPECT_EQ(testing::CountPixels(*b, 0x000000), 200);
}

TEST(GDIPFill, GlowStaysInsideTheRectangle) {
    auto none = Surface(40, 20);
    TGPGraphics g0(none->Canvas());
    TGDIPFill plain;
    plain.DrawGlow(&g0, TGPRectF{0, 0, 40, 20});
    EXPECT_EQ(testing::CountPixels(*none, 0xFFFFFF), 800);

    auto b = Surface(60, 40, clBlack);
    TGPGraphics g(b->Canvas());
    TGDIPFill fill;
    fill.SetGlow(gmRadialGradient);
    fill.DrawGlow(&g, TGPRectF{10, 10, 40, 20});
    const TRect ink = testing::InkBounds(*b, 0x000000);
    EXPECT_GE(ink.Left, 10);
    EXPECT_GE(ink.Top, 10);
    EXPECT_LE(ink.Right, 50);
    EXPECT_LE(ink.Bottom, 30);
    EXPECT_GT(Red(*b, 30, 11), 100);  // the top sheen
}

}  // namespace
}  // namespace dsp
