#include <gtest/gtest.h>

#include "framework/graphics/Bitmap.h"
#include "tests/framework/graphics/PixelMap.h"
#include "widgets/styled/AdvGDIP.h"

namespace dsp {
namespace {

TEST(AdvGDIPColours, FrameworkColoursBecomeOpaqueArgb) {
    struct Case {
        TColor color;
        ARGB argb;
    };
    const Case cases[] = {
        {clRed, 0xFFFF0000},
        {clBlue, 0xFF0000FF},
        {clNone, 0xFFFFFFFF},
        {0x123456, 0xFF563412},
        {clBtnFace, 0xFFD4D0C8}};  // system colours resolve through the classic table
    for (const Case& c : cases) EXPECT_EQ(ColorToArgb(c.color), c.argb) << std::hex << c.color;
    EXPECT_EQ(ColorToArgbWithAlpha(128, clBlack), 0x80000000u);
    EXPECT_EQ(ComposeArgb(1, 2, 3, 4), 0x01020304u);
    EXPECT_EQ(ArgbRed(0x01020304), 2);
    EXPECT_EQ(ArgbGreen(0x01020304), 3);
    EXPECT_EQ(ArgbBlue(0x01020304), 4);
}

TEST(AdvGDIPStatus, AFailureSticksUntilItIsRead) {
    TBitmap b(4, 4);
    TGPGraphics g(b.Canvas());
    TGPSolidBrush brush(0xFF000000);
    EXPECT_EQ(g.FillRectangle(nullptr, 0, 0, 1, 1), InvalidParameter);
    EXPECT_EQ(g.FillRectangle(&brush, 0, 0, 1, 1), Ok);
    EXPECT_EQ(g.GetLastStatus(), InvalidParameter);  // the later success did not clear it
    EXPECT_EQ(g.GetLastStatus(), Ok);

    TGPBrush plain;
    EXPECT_EQ(plain.lastResult, NotImplemented);
    TGPPathGradientBrush noPath(nullptr);
    EXPECT_EQ(noPath.nativeBrush, nullptr);
    ARGB c = 0;
    EXPECT_EQ(noPath.GetCenterColor(c), InvalidParameter);  // a failed creation answers so

    // A linear brush handed back by a pen is made through the base constructor.
    TGPLinearGradientBrush line(TGPRectF{0, 0, 4, 4}, 0xFF000000, 0xFFFFFFFF,
                                LinearGradientModeVertical);
    TGPPen pen(&line, 1);
    std::unique_ptr<TGPBrush> fill(pen.GetBrush());
    ASSERT_NE(fill, nullptr);
    EXPECT_NE(dynamic_cast<TGPLinearGradientBrush*>(fill.get()), nullptr);
    EXPECT_EQ(fill->lastResult, NotImplemented);
    EXPECT_NE(fill->nativeBrush, nullptr);
}

TEST(AdvGDIPStatus, SurroundColoursAreCheckedAgainstThePath) {
    TGPGraphicsPath path;
    path.AddLine(0.0f, 0.0f, 10.0f, 0.0f);  // two points
    TGPPathGradientBrush brush(&path);
    ASSERT_EQ(brush.GetPointCount(), 2);
    const ARGB three[3] = {1, 2, 3};
    INT count = 3;
    EXPECT_EQ(brush.SetSurroundColors(three, count), InvalidParameter);
    EXPECT_EQ(count, 3);
    ARGB out[1];
    INT room = 0;
    EXPECT_EQ(brush.GetSurroundColors(out, room), InvalidParameter);  // the failure above sticks
    TGPPathGradientBrush fresh(&path);
    EXPECT_EQ(fresh.GetSurroundColors(out, room), InsufficientBuffer);
    TGPPathGradientBrush roomy(&path);
    room = 1;
    EXPECT_EQ(roomy.GetSurroundColors(out, room), Ok);
    EXPECT_EQ(room, 1);
    EXPECT_EQ(brush.SetInterpolationColors(nullptr, nullptr, 2), InvalidParameter);
}

TEST(AdvGDIPText, UnknownFacesFallBackAndTrailingBlanksAreMeasured) {
    TBitmap b(200, 40);
    TGPGraphics g(b.Canvas());
    TFont arial;
    arial.SetName("Arial");
    arial.SetSize(10);
    TFont unknown;
    unknown.SetName("No Such Face");
    unknown.SetSize(10);
    EXPECT_EQ(g.TextWidth("Splash", &unknown), g.TextWidth("Splash", &arial));
    EXPECT_GT(g.TextWidth("Splash", &arial), 30);
    EXPECT_EQ(g.TextWidth("", &arial), 0);

    // Measuring only: the rectangle grows to the text, nothing is drawn.
    TRect withBlank{10, 5, 20, 30};
    TRect withI{10, 5, 20, 30};
    const int height = g.DrawText("ab ", 3, withBlank, &arial, 0x400, clNone);
    g.DrawText("abi", 3, withI, &arial, 0x400, clNone);
    EXPECT_EQ(withBlank, withI);
    EXPECT_EQ(height, withBlank.Bottom - withBlank.Top);
    EXPECT_GT(withBlank.Right, withBlank.Left);
    EXPECT_EQ(testing::CountPixels(b, 0xFFFFFF), 200 * 40);

    // Drawing puts the ink inside the measured rectangle.
    TRect r{10, 5, 20, 30};
    arial.SetColor(clBlack);
    g.DrawText("Hello", 5, r, &arial, 0, clNone);
    const TRect ink = testing::InkBounds(b);
    EXPECT_GE(ink.Left, 10);
    EXPECT_GE(ink.Top, 5);
}

TEST(AdvGDIPShapes, FillShapeWithStyleFillsByKindAndStrokesTheBorder) {
    // A radial kind fills nothing here but still gets its border.
    TBitmap b(12, 12);
    TGPGraphics g(b.Canvas());
    FillShapeParams p;
    p.Graphics = &g;
    p.Rect = TGPRectF{1, 1, 9, 9};
    p.GradientType = gtRadial;
    p.Color = clRed;
    p.ColorTo = clBlue;
    p.BorderColor = clBlack;
    FillShapeWithStyle(p);
    EXPECT_EQ(b.PixelAt(1, 5), 0x000000u);
    EXPECT_EQ(b.PixelAt(10, 5), 0x000000u);
    EXPECT_EQ(b.PixelAt(5, 5), 0xFFFFFFu);

    // A vertical gradient over the rectangle grown by one, with the mirror strip on top.
    TBitmap v(10, 22);
    TGPGraphics gv(v.Canvas());
    p.Graphics = &gv;
    p.Rect = TGPRectF{0, 0, 10, 20};
    p.GradientType = gtVertical;
    p.Color = clWhite;
    p.ColorTo = clBlack;
    p.BorderColor = clNone;
    p.Mirror = true;
    FillShapeWithStyle(p);
    EXPECT_EQ(v.PixelAt(5, 0), 0xFFFFFFu);
    EXPECT_LT(GetRValue(v.PixelAt(5, 19)), 100);
    EXPECT_GT(GetRValue(v.PixelAt(5, 19)), 0);  // the gradient ends beyond the rectangle
    EXPECT_EQ(v.PixelAt(5, 21), 0xFFFFFFu);
}

TEST(AdvGDIPImages, FloatRectanglesRoundHalvesToEven) {
    IStream file;
    {
        TGPBitmap black(4, 4, PixelFormat32bppARGB);
        TGPGraphics g(&black);
        g.Clear(0xFF000000);
        black.Save(&file, EncoderPng);
    }
    TGPImage image(&file);
    TBitmap b(16, 16);
    TGPGraphics g(b.Canvas());
    EXPECT_EQ(g.DrawImageRect(&image, TGPRectF{0.5f, 1.5f, 10.4f, 10.6f}), Ok);
    EXPECT_EQ(testing::InkBounds(b), Rect(0, 2, 10, 13));
    EXPECT_EQ(image.GetFormat(), ifPNG);
    EXPECT_TRUE(image.HasAlphaChannel());
    EXPECT_EQ(image.GetPixelDepth(), 32);
}

TEST(AdvGDIPMatrix, RotateAtTurnsAroundTheCentre) {
    TGPMatrix m;
    m.RotateAt(90, TGPPointF{10, 10}, MatrixOrderAppend);
    TGPPointF p{20, 10};
    m.TransformPoints(&p);
    EXPECT_NEAR(p.X, 10, 1e-4);
    EXPECT_NEAR(p.Y, 20, 1e-4);
    std::unique_ptr<TGPMatrix> copy(m.Clone());
    ASSERT_NE(copy, nullptr);
    EXPECT_NEAR(copy->OffsetX(), m.OffsetX(), 1e-5);
    TGPMatrix singular(0, 0, 0, 0, 0, 0);
    EXPECT_FALSE(singular.IsInvertible());
    EXPECT_EQ(singular.Invert(), InvalidParameter);
    EXPECT_EQ(singular.GetLastStatus(), InvalidParameter);
}

}  // namespace
}  // namespace dsp
