#include <gtest/gtest.h>

#include <memory>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/GdiPlus.h"
#include "framework/graphics/PngImage.h"
#include "tests/framework/graphics/PixelMap.h"

namespace dsp {
namespace {

using namespace Gdiplus;
using testing::Map;
using Rows = std::vector<std::string>;

// Owners of the layer's handles, so that a failing assertion leaks nothing.
struct Deleter {
    void operator()(GpGraphics* p) const { GdipDeleteGraphics(p); }
    void operator()(GpPath* p) const { GdipDeletePath(p); }
    void operator()(GpBrush* p) const { GdipDeleteBrush(p); }
    void operator()(GpPen* p) const { GdipDeletePen(p); }
    void operator()(GpImage* p) const { GdipDisposeImage(p); }
    void operator()(GpFont* p) const { GdipDeleteFont(p); }
    void operator()(GpFontFamily* p) const { GdipDeleteFontFamily(p); }
    void operator()(GpImageAttributes* p) const { GdipDisposeImageAttributes(p); }
    void operator()(GpMatrix* p) const { GdipDeleteMatrix(p); }
    void operator()(GpRegion* p) const { GdipDeleteRegion(p); }
};
template <typename T>
using Owned = std::unique_ptr<T, Deleter>;

template <typename T, typename F>
Owned<T> Make(F create) {
    T* p = nullptr;
    EXPECT_EQ(create(&p), Ok);
    return Owned<T>(p);
}

Owned<GpGraphics> On(TBitmap& bitmap, bool antiAlias) {
    auto g =
        Make<GpGraphics>([&](GpGraphics** p) { return GdipCreateFromHDC(bitmap.Canvas(), p); });
    if (antiAlias) GdipSetSmoothingMode(g.get(), SmoothingModeAntiAlias);
    return g;
}

Owned<GpBrush> Solid(ARGB color) {
    return Make<GpBrush>([&](GpBrush** p) { return GdipCreateSolidFill(color, p); });
}

Owned<GpPen> PenOf(ARGB color, REAL width = 1) {
    return Make<GpPen>([&](GpPen** p) { return GdipCreatePen1(color, width, UnitWorld, p); });
}

Owned<GpPath> NewPath(FillMode mode = FillModeAlternate) {
    return Make<GpPath>([&](GpPath** p) { return GdipCreatePath(mode, p); });
}

constexpr ARGB kBlack = 0xFF000000;
constexpr ARGB kRed = 0xFFFF0000;

int Gray(const TBitmap& b, int x, int y) { return GetRValue(b.PixelAt(x, y)); }

TEST(GdiPlusPixels, PixelCentresLieOnIntegerCoordinates) {
    // Anti-aliased: the edge columns and rows of an integer rectangle are half covered.
    TBitmap aa(14, 14);
    GdipFillRectangle(On(aa, true).get(), Solid(kBlack).get(), 2, 2, 10, 10);
    EXPECT_EQ(aa.PixelAt(6, 6), 0x000000u);
    for (auto [x, y] : {std::pair{2, 6}, {12, 6}, {6, 2}, {6, 12}}) {
        EXPECT_NEAR(Gray(aa, x, y), 128, 3) << x << "," << y;
    }
    EXPECT_EQ(aa.PixelAt(13, 6), 0xFFFFFFu);
    EXPECT_EQ(aa.PixelAt(1, 6), 0xFFFFFFu);

    // Aliased: exactly the pixels whose centres lie inside, [2, 12).
    TBitmap plain(14, 14);
    GdipFillRectangle(On(plain, false).get(), Solid(kBlack).get(), 2, 2, 10, 10);
    EXPECT_EQ(testing::InkBounds(plain), Rect(2, 2, 12, 12));
    EXPECT_EQ(testing::CountPixels(plain, 0x000000), 100);
}

TEST(GdiPlusPixels, OnePixelPensAlongIntegerLinesAreCrispWithAndWithoutSmoothing) {
    // Aliased lines take both end points.
    TBitmap plain(8, 5);
    GdipDrawLine(On(plain, false).get(), PenOf(kBlack).get(), 1, 2, 6, 2);
    EXPECT_EQ(Map(plain), (Rows{"........", "........", ".######.", "........", "........"}));
    // Anti-aliased: one row only; the flat ends stop at the end points' centres.
    TBitmap aa(8, 5);
    GdipDrawLine(On(aa, true).get(), PenOf(kBlack).get(), 1, 2, 6, 2);
    EXPECT_EQ(Map(aa)[1], "........");
    EXPECT_EQ(Map(aa)[3], "........");
    EXPECT_EQ(Map(aa)[2].substr(2, 4), "####");
    EXPECT_NEAR(Gray(aa, 1, 2), 128, 4);
    EXPECT_NEAR(Gray(aa, 6, 2), 128, 4);
    // A rectangle outline of width 1 covers its edges' pixels, the far edges included.
    for (bool antiAlias : {false, true}) {
        TBitmap r(7, 6);
        GdipDrawRectangle(On(r, antiAlias).get(), PenOf(kBlack).get(), 1, 1, 4, 3);
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 7; ++x) {
                const bool edge =
                    (x == 1 || x == 5 || y == 1 || y == 4) && x >= 1 && x <= 5 && y >= 1 && y <= 4;
                EXPECT_EQ(Gray(r, x, y) < 20, edge) << antiAlias << " " << x << "," << y;
                EXPECT_EQ(Gray(r, x, y) == 255, !edge) << antiAlias << " " << x << "," << y;
            }
    }
}

TEST(GdiPlusPixels, CanvasCallsAndLayerCallsShareTheCanvasOriginAndClip) {
    TBitmap b(12, 8);
    TCanvas* c = b.Canvas();
    c->Brush()->SetColor(clRed);
    c->FillRect(Rect(0, 0, 12, 8));
    c->SetViewportOrg(3, 2);
    c->IntersectClipRect(0, 0, 6, 4);
    auto g = On(b, false);
    GdipFillRectangle(g.get(), Solid(kBlack).get(), -5, -5, 30, 30);  // clipped to (3,2)-(9,6)
    c->Brush()->SetColor(clLime);
    c->FillRect(Rect(0, 0, 1, 1));  // the canvas goes on drawing after the layer's call
    EXPECT_EQ(Map(b), (Rows{"rrrrrrrrrrrr", "rrrrrrrrrrrr", "rrrg#####rrr", "rrr######rrr",
                            "rrr######rrr", "rrr######rrr", "rrrrrrrrrrrr", "rrrrrrrrrrrr"}));
}

TEST(GdiPlusPixels, FillModesDecideTheInsideOfOverlappingFigures) {
    for (auto [mode, centre] : {std::pair{FillModeAlternate, '.'}, {FillModeWinding, '#'}}) {
        TBitmap b(9, 9);
        auto path = NewPath(mode);
        GdipAddPathRectangle(path.get(), 1, 1, 7, 7);
        GdipAddPathRectangle(path.get(), 3, 3, 3, 3);
        GdipFillPath(On(b, false).get(), Solid(kBlack).get(), path.get());
        EXPECT_EQ(Map(b)[4][4], centre) << mode;
        EXPECT_EQ(Map(b)[1][1], '#');
    }
}

TEST(GdiPlusPixels, OpenFiguresStayOpenWhenStrokedAndCloseWhenFilled) {
    auto path = NewPath();
    GdipAddPathLine(path.get(), 1, 1, 9, 1);
    GdipAddPathLine(path.get(), 9, 1, 9, 9);  // joined: one open figure of two sides
    TBitmap stroked(11, 11);
    GdipDrawPath(On(stroked, false).get(), PenOf(kBlack).get(), path.get());
    EXPECT_EQ(Map(stroked)[5][5], '.');  // no closing diagonal
    EXPECT_EQ(Map(stroked)[1][5], '#');
    EXPECT_EQ(Map(stroked)[5][9], '#');
    TBitmap filled(11, 11);
    GdipFillPath(On(filled, false).get(), Solid(kBlack).get(), path.get());
    EXPECT_EQ(Map(filled)[3][7], '#');  // inside the triangle the fill closes
    EXPECT_EQ(Map(filled)[7][3], '.');

    // A second line after CloseFigure starts a figure of its own: nothing joins them.
    GdipClosePathFigure(path.get());
    GdipAddPathLine(path.get(), 1, 9, 3, 9);
    TBitmap two(11, 11);
    GdipDrawPath(On(two, false).get(), PenOf(kBlack).get(), path.get());
    EXPECT_EQ(Map(two)[9][2], '#');
    EXPECT_EQ(Map(two)[5][5], '#');  // the closing diagonal of the first figure
    EXPECT_EQ(Map(two)[9][6], '.');  // no join from (1,1) figure to the new line
}

TEST(GdiPlusPixels, ArcsRunClockwiseFromTheXAxis) {
    // A quarter from 0 degrees over 90 is the lower right quarter of the circle.
    TBitmap b(21, 21);
    GdipDrawArc(On(b, false).get(), PenOf(kBlack).get(), 2, 2, 16, 16, 0, 90);
    const TRect ink = testing::InkBounds(b);
    EXPECT_GE(ink.Left, 9);
    EXPECT_GE(ink.Top, 9);
    EXPECT_EQ(ink.Right, 19);
    EXPECT_EQ(ink.Bottom, 19);
}

TEST(GdiPlusPixels, CardinalSplinesPassThroughTheirPoints) {
    const GpPoint pts[] = {{2, 10}, {8, 2}, {14, 10}, {20, 2}};
    auto path = NewPath();
    ASSERT_EQ(GdipAddPathCurveI(path.get(), pts, 4), Ok);
    TBitmap b(23, 13);
    GdipDrawPath(On(b, false).get(), PenOf(kBlack).get(), path.get());
    for (const GpPoint& p : pts) EXPECT_EQ(b.PixelAt(p.X, p.Y), 0x000000u) << p.X;
    // Collinear points give the straight line itself.
    const GpPoint line[] = {{1, 4}, {5, 4}, {9, 4}};
    auto straight = NewPath();
    GdipAddPathCurveI(straight.get(), line, 3);
    TBitmap s(11, 9);
    GdipDrawPath(On(s, false).get(), PenOf(kBlack).get(), straight.get());
    EXPECT_EQ(testing::InkBounds(s), Rect(1, 4, 10, 5));
    EXPECT_EQ(GdipAddPathCurveI(straight.get(), line, 1), InvalidParameter);
}

TEST(GdiPlusPixels, TheResponseFillIsATranslucentAliasedSplineArea) {
    // As the response view fills under a curve: a spline through integer points, closed down
    // to the bottom, filled and outlined in ARGB (30, 128, 128, 128) without smoothing.
    TBitmap b(60, 30);
    b.Canvas()->Brush()->SetColor(clBlack);
    b.Canvas()->FillRect(Rect(0, 0, 60, 30));
    std::vector<GpPoint> curve;
    for (int x = 0; x < 60; x += 2) curve.push_back({x, 10 + (x / 2) % 5});
    auto path = NewPath();
    GdipAddPathCurveI(path.get(), curve.data(), static_cast<INT>(curve.size()));
    GdipAddPathLine(path.get(), 58, 14, 58, 29);
    GdipAddPathLine(path.get(), 58, 29, 0, 29);
    auto g = On(b, false);
    constexpr ARGB kMist = 0x1E808080;
    GdipFillPath(g.get(), Solid(kMist).get(), path.get());
    GdipDrawPath(g.get(), PenOf(kMist).get(), path.get());
    EXPECT_EQ(b.PixelAt(30, 22), RGB(15, 15, 15));  // inside: 30/255 of 128 over black
    EXPECT_EQ(b.PixelAt(30, 2), 0x000000u);         // above the curve nothing
    EXPECT_EQ(b.PixelAt(59, 22), 0x000000u);        // beyond the closing segment
}

TEST(GdiPlusPixels, LineBrushesRunAlongTheirPoints) {
    // The splash's text brush: from one point to another, tiled beyond them.
    const GpPointF a{0, 0};
    const GpPointF z{10, 0};
    auto brush = Make<GpBrush>([&](GpBrush** p) {
        return GdipCreateLineBrush(&a, &z, kBlack, 0xFFFFFFFF, WrapModeTile, p);
    });
    TBitmap b(20, 2);
    GdipFillRectangle(On(b, false).get(), brush.get(), 0, 0, 20, 2);
    EXPECT_LT(Gray(b, 0, 0), 20);
    EXPECT_GT(Gray(b, 9, 0), 220);
    EXPECT_LT(Gray(b, 10, 0), 20);  // the next tile starts again
    EXPECT_EQ(b.PixelAt(4, 0), b.PixelAt(4, 1));
    GpBrush* same = nullptr;
    EXPECT_EQ(GdipCreateLineBrush(&a, &a, kBlack, kBlack, WrapModeTile, &same), OutOfMemory);
}

TEST(GdiPlusPixels, VerticalGradientRunsFromTheFirstColourAtTheTopToTheSecondAtTheBottom) {
    TBitmap b(10, 21);
    const GpRectF r{0, -1, 10, 22};
    auto brush = Make<GpBrush>([&](GpBrush** p) {
        return GdipCreateLineBrushFromRect(&r, 0xFFFFFFFF, kBlack, LinearGradientModeVertical,
                                           WrapModeTile, p);
    });
    GdipFillRectangle(On(b, false).get(), brush.get(), 0, 0, 10, 21);
    EXPECT_GT(Gray(b, 5, 0), 235);
    EXPECT_LT(Gray(b, 5, 20), 20);
    EXPECT_NEAR(Gray(b, 5, 10), 128, 8);
    EXPECT_EQ(b.PixelAt(0, 10), b.PixelAt(9, 10));  // isolines are horizontal
}

TEST(GdiPlusPixels, PathGradientOverAnEllipseShadesFromTheCentrePointOutward) {
    auto ellipse = NewPath();
    GdipAddPathEllipse(ellipse.get(), 0, 0, 20, 20);
    auto brush = Make<GpBrush>(
        [&](GpBrush** p) { return GdipCreatePathGradientFromPath(ellipse.get(), p); });
    INT points = 0;
    GdipGetPathGradientPointCount(brush.get(), &points);
    EXPECT_EQ(points, 13);
    GdipSetPathGradientCenterColor(brush.get(), kBlack);
    INT one = 1;
    const ARGB white = 0xFFFFFFFF;
    ASSERT_EQ(GdipSetPathGradientSurroundColorsWithCount(brush.get(), &white, &one), Ok);
    INT tooMany = 14;
    const ARGB many[14] = {};
    EXPECT_EQ(GdipSetPathGradientSurroundColorsWithCount(brush.get(), many, &tooMany),
              InvalidParameter);
    TBitmap b(21, 21);
    b.Canvas()->Brush()->SetColor(clRed);
    b.Canvas()->FillRect(Rect(0, 0, 21, 21));
    GdipFillRectangle(On(b, false).get(), brush.get(), 0, 0, 20, 20);
    EXPECT_LT(Gray(b, 10, 10), 30);
    EXPECT_GT(Gray(b, 10, 1), 200);
    EXPECT_EQ(b.PixelAt(0, 0), 0x0000FFu);  // outside the ellipse nothing is painted

    // Any other outline is shaded along the rays from the centre point as well.
    auto square = NewPath();
    GdipAddPathRectangle(square.get(), 0, 0, 20, 20);
    auto general =
        Make<GpBrush>([&](GpBrush** p) { return GdipCreatePathGradientFromPath(square.get(), p); });
    GdipSetPathGradientCenterColor(general.get(), kBlack);
    GdipSetPathGradientSurroundColorsWithCount(general.get(), &white, &one);
    TBitmap s(21, 21);
    GdipFillPath(On(s, false).get(), general.get(), square.get());
    EXPECT_LT(Gray(s, 10, 10), 30);
    EXPECT_GT(Gray(s, 0, 10), 200);
    EXPECT_GT(Gray(s, 0, 0), 200);  // corners are outline too
    EXPECT_NEAR(Gray(s, 5, 10), 128, 20);
}

TEST(GdiPlusPixels, HatchBrushesPaintTheirPatternInTheTwoColours) {
    TBitmap b(8, 8);
    auto brush = Make<GpBrush>(
        [](GpBrush** p) { return GdipCreateHatchBrush(HatchStyleCross, kBlack, 0xFFFFFFFF, p); });
    GdipFillRectangle(On(b, false).get(), brush.get(), 0, 0, 8, 8);
    EXPECT_EQ(Map(b), (Rows{"########", "#.......", "#.......", "#.......", "#.......", "#.......",
                            "#.......", "#......."}));
    GpBrush* bad = nullptr;
    EXPECT_EQ(GdipCreateHatchBrush(HatchStyleTotal, kBlack, kBlack, &bad), InvalidParameter);
    EXPECT_EQ(bad, nullptr);
}

// A small picture file made with the framework's own codecs.
std::vector<std::uint8_t> BmpFile(int w, int h, TColor body, TColor corner) {
    TBitmap b(w, h);
    b.Canvas()->Brush()->SetColor(body);
    b.Canvas()->FillRect(Rect(0, 0, w, h));
    b.Canvas()->SetPixels(0, h - 1, corner);
    b.SetPixelFormat(pf24bit);
    return b.SaveToBytes();
}

// The size and kinds a loaded picture reports.
void ExpectPicture(GpImage* image, UINT width, UINT height, const GUID& rawFormat,
                   PixelFormat pixelFormat) {
    UINT w = 0;
    UINT h = 0;
    GdipGetImageWidth(image, &w);
    GdipGetImageHeight(image, &h);
    EXPECT_EQ(w, width);
    EXPECT_EQ(h, height);
    GUID format;
    GdipGetImageRawFormat(image, &format);
    EXPECT_TRUE(format == rawFormat);
    PixelFormat pixels = 0;
    GdipGetImagePixelFormat(image, &pixels);
    EXPECT_EQ(pixels, pixelFormat);
}

TEST(GdiPlusImages, DecodedPicturesKeepTheirFormatSizeAndPixels) {
    IStream stream{BmpFile(16, 29, clLime, clTeal)};
    auto image = Make<GpImage>([&](GpImage** p) { return GdipLoadImageFromStream(&stream, p); });
    ExpectPicture(image.get(), 16, 29, ImageFormatBMP, PixelFormat24bppRGB);
    ARGB corner = 0;
    GdipBitmapGetPixel(image.get(), 0, 28, &corner);
    EXPECT_EQ(corner, 0xFF008080u);

    // Drawn unscaled at its pixel size, exactly where asked.
    TBitmap b(20, 32);
    GdipDrawImageI(On(b, true).get(), image.get(), 2, 1);
    EXPECT_EQ(testing::InkBounds(b), Rect(2, 1, 18, 30));
    EXPECT_EQ(b.PixelAt(2, 1), 0x00FF00u);

    IStream junk{{'B', 'M', 1, 2, 3}};
    GpImage* none = reinterpret_cast<GpImage*>(1);
    EXPECT_EQ(GdipLoadImageFromStream(&junk, &none), UnknownImageFormat);
    EXPECT_EQ(none, nullptr);
}

// As in GDI+, a PNG or JPEG picture is known by its header when it is loaded and decoded when it
// is first drawn: one whose pixels cannot be read has its size but draws nothing.
TEST(GdiPlusImages, PicturesAreMeasuredByTheirHeadersAndDecodedWhenDrawn) {
    auto source = Make<GpImage>([](GpImage** p) {
        return GdipCreateBitmapFromScan0(10, 6, 0, PixelFormat32bppARGB, nullptr, p);
    });
    for (INT y = 0; y < 6; ++y)
        for (INT x = 0; x < 10; ++x) GdipBitmapSetPixel(source.get(), x, y, 0xFFFF0000);
    GdipBitmapSetPixel(source.get(), 9, 5, 0x00000000);
    struct Case {
        const char* name;
        const CLSID* encoder;
        GUID format;
        PixelFormat pixels;
    };
    for (const Case& c : {Case{"png", &EncoderPng, ImageFormatPNG, PixelFormat32bppARGB},
                          Case{"jpeg", &EncoderJpeg, ImageFormatJPEG, PixelFormat24bppRGB}}) {
        SCOPED_TRACE(c.name);
        IStream file;
        ASSERT_EQ(GdipSaveImageToStream(source.get(), &file, c.encoder, nullptr), Ok);
        auto image = Make<GpImage>([&](GpImage** p) { return GdipLoadImageFromStream(&file, p); });
        ExpectPicture(image.get(), 10, 6, c.format, c.pixels);
        TBitmap b(12, 8);
        EXPECT_EQ(GdipDrawImageI(On(b, false).get(), image.get(), 1, 1), Ok);
        EXPECT_NEAR(GetRValue(b.PixelAt(1, 1)), 255, 8);
        EXPECT_NEAR(GetGValue(b.PixelAt(1, 1)), 0, 8);
        EXPECT_EQ(b.PixelAt(0, 0), 0xFFFFFFu);
    }

    IStream png;
    ASSERT_EQ(GdipSaveImageToStream(source.get(), &png, &EncoderPng, nullptr), Ok);
    const std::string bytes(png.data.begin(), png.data.end());
    const std::size_t pixelsStart = bytes.find("IDAT");
    ASSERT_NE(pixelsStart, std::string::npos);
    IStream cut{std::vector<std::uint8_t>(png.data.begin(), png.data.begin() + pixelsStart + 6)};
    auto broken = Make<GpImage>([&](GpImage** p) { return GdipLoadImageFromStream(&cut, p); });
    UINT w = 0;
    GdipGetImageWidth(broken.get(), &w);
    EXPECT_EQ(w, 10u);
    TBitmap b(12, 8);
    EXPECT_NE(GdipDrawImageI(On(b, false).get(), broken.get(), 1, 1), Ok);
    EXPECT_EQ(testing::InkBounds(b), TRect{}) << "nothing is drawn";
    ARGB pixel = 0;
    EXPECT_EQ(GdipBitmapGetPixel(broken.get(), 0, 0, &pixel), InvalidParameter);
}

TEST(GdiPlusImages, ColourKeysMakeMatchingPixelsTransparent) {
    IStream stream{BmpFile(4, 3, clLime, clTeal)};
    auto image = Make<GpImage>([&](GpImage** p) { return GdipLoadImageFromStream(&stream, p); });
    auto attributes =
        Make<GpImageAttributes>([](GpImageAttributes** p) { return GdipCreateImageAttributes(p); });
    GdipSetImageAttributesColorKeys(attributes.get(), ColorAdjustTypeDefault, 1, 0xFF008080,
                                    0xFF008080);
    TBitmap b(4, 3);
    b.Canvas()->Brush()->SetColor(clRed);
    b.Canvas()->FillRect(Rect(0, 0, 4, 3));
    GdipDrawImageRectRect(On(b, false).get(), image.get(), 0, 0, 4, 3, 0, 0, 4, 3, UnitPixel,
                          attributes.get(), nullptr, nullptr);
    EXPECT_EQ(Map(b), (Rows{"gggg", "gggg", "rggg"}));
}

TEST(GdiPlusImages, PngAlphaBlendsOverTheSurface) {
    TPngImage png;
    {
        TBitmap opaque(2, 1);
        opaque.Canvas()->Brush()->SetColor(clBlack);
        opaque.Canvas()->FillRect(Rect(0, 0, 2, 1));
        png.Assign(&opaque);
    }
    auto bitmap = Make<GpImage>([](GpImage** p) {
        return GdipCreateBitmapFromScan0(2, 1, 0, PixelFormat32bppARGB, nullptr, p);
    });
    GdipBitmapSetPixel(bitmap.get(), 0, 0, 0x80000000);  // half-transparent black
    GdipBitmapSetPixel(bitmap.get(), 1, 0, 0x00000000);
    IStream file;
    ASSERT_EQ(GdipSaveImageToStream(bitmap.get(), &file, &EncoderPng, nullptr), Ok);
    auto decoded = Make<GpImage>([&](GpImage** p) { return GdipLoadImageFromStream(&file, p); });
    TBitmap b(2, 1);
    GdipDrawImageI(On(b, false).get(), decoded.get(), 0, 0);
    EXPECT_NEAR(Gray(b, 0, 0), 127, 2);
    EXPECT_EQ(b.PixelAt(1, 0), 0xFFFFFFu);
}

TEST(GdiPlusImages, StretchedDrawsFillTheTargetRectangle) {
    IStream stream{BmpFile(2, 2, clBlack, clBlack)};
    auto image = Make<GpImage>([&](GpImage** p) { return GdipLoadImageFromStream(&stream, p); });
    TBitmap b(12, 12);
    GdipDrawImageRect(On(b, false).get(), image.get(), 0, 2, 10, 11);
    EXPECT_EQ(testing::InkBounds(b), Rect(0, 2, 10, 12));
}

TEST(GdiPlusImages, BitmapsOfTheLayerTakeDrawingAndGiveTheirPixelsBack) {
    auto bitmap = Make<GpImage>([](GpImage** p) {
        return GdipCreateBitmapFromScan0(10, 6, 0, PixelFormat32bppARGB, nullptr, p);
    });
    auto g = Make<GpGraphics>(
        [&](GpGraphics** p) { return GdipGetImageGraphicsContext(bitmap.get(), p); });
    GdipGraphicsClear(g.get(), 0x00000000);
    GdipFillRectangle(g.get(), Solid(kRed).get(), 0, 0, 5, 6);
    ARGB left = 0;
    ARGB right = 0;
    GdipBitmapGetPixel(bitmap.get(), 2, 2, &left);
    GdipBitmapGetPixel(bitmap.get(), 7, 2, &right);
    EXPECT_EQ(left, kRed);
    EXPECT_EQ(right, 0u);

    // While a canvas is handed out the graphics is busy.
    HDC dc = nullptr;
    ASSERT_EQ(GdipGetDC(g.get(), &dc), Ok);
    EXPECT_EQ(GdipFillRectangle(g.get(), Solid(kRed).get(), 0, 0, 1, 1), ObjectBusy);
    dc->Brush()->SetColor(clBlue);
    dc->FillRect(Rect(9, 5, 10, 6));
    ASSERT_EQ(GdipReleaseDC(g.get(), dc), Ok);
    GdipBitmapGetPixel(bitmap.get(), 9, 5, &right);
    EXPECT_EQ(right, 0xFF0000FFu);

    HBITMAP gdi = nullptr;
    ASSERT_EQ(GdipCreateHBITMAPFromBitmap(bitmap.get(), &gdi, 0xFFFFFFFF), Ok);
    std::unique_ptr<TBitmap> owned(gdi);
    EXPECT_EQ(owned->PixelAt(2, 2), 0x0000FFu);
    EXPECT_EQ(owned->PixelAt(7, 2), 0xFFFFFFu);  // transparent pixels over the background
}

TEST(GdiPlusText, MeasuredBoxesHoldTheDrawnInkWithTheDefaultPadding) {
    auto family = Make<GpFontFamily>(
        [](GpFontFamily** p) { return GdipCreateFontFamilyFromName("Tahoma", nullptr, p); });
    auto font = Make<GpFont>([&](GpFont** p) {
        return GdipCreateFont(family.get(), 12, FontStyleRegular, UnitPixel, p);
    });
    TBitmap b(120, 30);
    auto g = On(b, true);
    const GpRectF origin{10, 5, 0, 0};
    GpRectF box;
    INT fitted = 0;
    INT lines = 0;
    ASSERT_EQ(GdipMeasureString(g.get(), "Hello", -1, font.get(), &origin, nullptr, &box, &fitted,
                                &lines),
              Ok);
    EXPECT_EQ(fitted, 5);
    EXPECT_EQ(lines, 1);
    EXPECT_GT(box.Width, 25);
    EXPECT_NEAR(box.Height, 14, 2);
    GdipDrawString(g.get(), "Hello", -1, font.get(), &origin, nullptr, Solid(kBlack).get());
    const TRect ink = testing::InkBounds(b);
    EXPECT_GE(ink.Left, 11);  // the padding stands before the first glyph
    EXPECT_LE(ink.Right, static_cast<int>(box.X + box.Width) + 1);
    EXPECT_GE(ink.Top, 5);
    EXPECT_LE(ink.Bottom, static_cast<int>(box.Y + box.Height) + 1);

    GpRectF empty;
    GdipMeasureString(g.get(), "", -1, font.get(), &origin, nullptr, &empty, nullptr, nullptr);
    EXPECT_EQ(empty.Width, 0);

    GpFontFamily* missing = nullptr;
    EXPECT_EQ(GdipCreateFontFamilyFromName("No Such Face", nullptr, &missing), FontFamilyNotFound);
    EXPECT_EQ(missing, nullptr);
}

TEST(GdiPlusStatus, NullHandlesAndUnsupportedCallsAnswerWithoutDrawing) {
    TBitmap b(4, 4);
    auto g = On(b, false);
    EXPECT_EQ(GdipFillRectangle(g.get(), nullptr, 0, 0, 4, 4), InvalidParameter);
    EXPECT_EQ(GdipDrawPath(g.get(), PenOf(kBlack).get(), nullptr), InvalidParameter);
    EXPECT_EQ(GdipFillRectangle(nullptr, Solid(kBlack).get(), 0, 0, 4, 4), InvalidParameter);
    auto attributes =
        Make<GpImageAttributes>([](GpImageAttributes** p) { return GdipCreateImageAttributes(p); });
    EXPECT_EQ(GdipSetImageAttributesOutputChannel(attributes.get(), ColorAdjustTypeDefault, 1,
                                                  ColorChannelFlagsC),
              NotImplemented);
    EXPECT_EQ(GdipSetImageAttributesOutputChannelColorProfile(attributes.get(),
                                                              ColorAdjustTypeDefault, 1, "x.icc"),
              NotImplemented);
    IStream stream{BmpFile(2, 2, clBlack, clBlack)};
    auto image = Make<GpImage>([&](GpImage** p) { return GdipLoadImageFromStream(&stream, p); });
    EXPECT_EQ(GdipSaveAddImage(image.get(), image.get(), nullptr), NotImplemented);
    EXPECT_EQ(testing::CountPixels(b, 0xFFFFFF), 16);
}

TEST(GdiPlusStatus, AllocationNeedsAStartedLayer) {
    // Tests run without a start; allocation answers null until one is open.
    EXPECT_EQ(GdipAlloc(16), nullptr);
    GdiplusStartupInput input;
    ULONG_PTR token = 0;
    ASSERT_EQ(GdiplusStartup(&token, &input, nullptr), Ok);
    void* p = GdipAlloc(16);
    EXPECT_NE(p, nullptr);
    GdipFree(p);
    GdiplusShutdown(token);
    EXPECT_EQ(GdipAlloc(16), nullptr);
    input.GdiplusVersion = 2;
    EXPECT_EQ(GdiplusStartup(&token, &input, nullptr), UnsupportedGdiplusVersion);
}

TEST(GdiPlusMatrix, OrdersAndRotationsFollowTheRowVectorConvention) {
    auto m = Make<GpMatrix>([](GpMatrix** p) { return GdipCreateMatrix(p); });
    GdipTranslateMatrix(m.get(), 10, 0, MatrixOrderPrepend);
    GdipRotateMatrix(m.get(), 90, MatrixOrderAppend);  // then turn clockwise on screen
    GpPointF p{1, 0};
    GdipTransformMatrixPoints(m.get(), &p, 1);
    EXPECT_NEAR(p.X, 0, 1e-4);
    EXPECT_NEAR(p.Y, 11, 1e-4);
    auto singular =
        Make<GpMatrix>([](GpMatrix** q) { return GdipCreateMatrix2(1, 2, 2, 4, 0, 0, q); });
    EXPECT_EQ(GdipInvertMatrix(singular.get()), InvalidParameter);
}

}  // namespace
}  // namespace dsp
