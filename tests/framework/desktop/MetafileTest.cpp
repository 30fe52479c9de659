#include <gtest/gtest.h>

#include "framework/desktop/Metafile.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Picture.h"
#include "tests/support/TempFolder.h"

namespace dsp {
namespace {

std::unique_ptr<TBitmap> WhiteBitmap(int width, int height) {
    auto b = std::make_unique<TBitmap>(width, height);
    return b;
}

// Where the bitmap differs from white.
TRect Ink(const TBitmap& b, TColorRef background = 0xFFFFFF) {
    TRect r{b.Width(), b.Height(), 0, 0};
    bool any = false;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (b.PixelAt(x, y) != background) {
                any = true;
                r = {std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1),
                     std::max(r.Bottom, y + 1)};
            }
    return any ? r : TRect{};
}

int DifferentPixels(const TBitmap& a, const TBitmap& b) {
    int n = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x) n += a.PixelAt(x, y) != b.PixelAt(x, y);
    return n;
}

// A drawing that uses every kind of call and most of the state a call depends on.
void DrawScene(TCanvas& c) {
    TBitmap sprite(6, 4);
    sprite.Canvas()->Brush()->SetColor(clLime);
    sprite.Canvas()->FillRect(Rect(0, 0, 6, 4));
    sprite.Canvas()->SetPixels(2, 1, clRed);
    sprite.Canvas()->SetPixels(0, 3, clFuchsia);  // the transparent colour
    TBitmap pattern(8, 8);
    pattern.Canvas()->Brush()->SetColor(clBlack);
    pattern.Canvas()->FillRect(Rect(0, 0, 4, 8));

    c.Brush()->SetColor(clSilver);
    c.FillRect(Rect(0, 0, 120, 80));
    c.Pen()->SetColor(clNavy);
    c.Pen()->SetWidth(3);
    c.MoveTo(5, 5);
    c.LineTo(60, 20);
    c.Pen()->SetWidth(1);
    c.Pen()->SetStyle(psDot);
    c.Polyline({{5, 30}, {40, 30}, {40, 45}});
    c.PolyPolyline({{5, 77}, {40, 77}, {50, 79}, {60, 76}, {90, 78}}, {2, 3});
    c.Pen()->SetStyle(psSolid);
    c.Brush()->SetStyle(bsDiagCross);
    c.Brush()->SetColor(clMaroon);
    c.Rectangle(65, 5, 100, 30);
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(clYellow);
    c.Ellipse(70, 35, 110, 60);
    c.RoundRect(5, 50, 35, 75, 8, 8);
    c.Brush()->SetBitmap(&pattern);
    c.Polygon({{40, 50}, {60, 75}, {65, 50}});
    c.Brush()->SetBitmap(nullptr);
    c.GradientFill(Rect(100, 60, 118, 78), clRed, clBlue, GRADIENT_FILL_RECT_H);
    c.SetPixels(3, 78, clRed);

    c.SetViewportOrg(10, 2);  // the rest is moved
    c.IntersectClipRect(0, 0, 90, 70);
    c.Font()->SetColor(clGreen);
    c.Brush()->SetStyle(bsClear);
    c.TextOut(45, 32, "Gain");
    TRect box = Rect(0, 10, 50, 28);
    c.DrawText("Out 1", box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(clWhite);
    TRect edge = Rect(80, 40, 100, 55);
    c.DrawEdge(edge, EDGE_RAISED, BF_RECT | BF_ADJUST);
    c.Draw(55, 60, &sprite);
    sprite.SetTransparent(true);
    c.StretchDraw(Rect(70, 62, 82, 70), &sprite);
    c.BitBlt(20, 60, 6, 4, sprite.Canvas(), 0, 0, SRCINVERT);
    c.DrawFocusRect(Rect(2, 2, 30, 12));
    c.Pen()->SetMode(pmXor);
    c.Pen()->SetColor(clWhite);
    c.MoveTo(0, 40);
    c.LineTo(100, 40);
    c.SetViewportOrg(0, 0);
    c.SelectClipRgn(nullptr);
    TRegion region = CreateRectRgn(100, 2, 110, 12);
    CombineRgn(region, region, CreateRectRgn(105, 10, 118, 20), RGN_OR);
    c.Brush()->SetColor(clTeal);
    c.FillRgn(region);
    c.InvertRect(Rect(112, 0, 120, 6));
}

std::unique_ptr<TMetafile> RecordScene(int width = 120, int height = 80) {
    auto metafile = std::make_unique<TMetafile>();
    metafile->SetSize(width, height);
    {
        TMetafileCanvas canvas(metafile.get(), "PlotEngine", "Scene");
        DrawScene(canvas);
    }
    return metafile;
}

TEST(Metafile, PlayedAtItsOwnSizeItDrawsWhatWasDrawnPixelForPixel) {
    auto direct = WhiteBitmap(120, 80);
    DrawScene(*direct->Canvas());
    ASSERT_NE(Ink(*direct), TRect{});

    auto owned = RecordScene();
    TMetafile& metafile = *owned;
    EXPECT_EQ(metafile.Width(), 120);
    EXPECT_EQ(metafile.Height(), 80);
    EXPECT_EQ(metafile.CreatedBy(), "PlotEngine");
    EXPECT_EQ(metafile.Description(), "Scene");
    auto played = WhiteBitmap(120, 80);
    played->Canvas()->Draw(0, 0, &metafile);
    EXPECT_EQ(DifferentPixels(*direct, *played), 0);
}

TEST(Metafile, EachCallIsRecordedOnceEvenWhenItDrawsThroughOtherCalls) {
    TMetafile metafile;
    metafile.SetSize(40, 40);
    TBitmap sprite(4, 4);
    {
        TMetafileCanvas canvas(&metafile);
        TRect r = Rect(0, 0, 20, 20);
        canvas.DrawEdge(r, EDGE_SUNKEN, BF_RECT | BF_MIDDLE);
        canvas.StretchDraw(Rect(20, 20, 40, 40), &sprite);
        canvas.CopyRect(Rect(0, 20, 10, 30), sprite.Canvas(), Rect(0, 0, 4, 4));
        canvas.Rectangle(Rect(1, 1, 5, 5));
        TRect measure = Rect(0, 0, 0, 0);
        canvas.DrawText("measured only", measure, DT_CALCRECT);
        EXPECT_GT(canvas.TextWidth("measured"), 0);  // measuring draws nothing
    }
    EXPECT_EQ(metafile.RecordCount(), 4);
}

TEST(Metafile, PlayingScalesIntoTheRectangle) {
    TMetafile metafile;
    metafile.SetSize(100, 50);
    {
        TMetafileCanvas canvas(&metafile);
        canvas.Brush()->SetColor(clBlack);
        canvas.FillRect(Rect(10, 10, 50, 30));
    }
    auto target = WhiteBitmap(300, 200);
    target->Canvas()->StretchDraw(Rect(30, 40, 230, 140), &metafile);
    EXPECT_EQ(Ink(*target), Rect(50, 60, 130, 100));

    // Width and Height are the size it is drawn at by Draw.
    metafile.SetSize(50, 25);
    auto small = WhiteBitmap(100, 100);
    small->Canvas()->Draw(10, 10, &metafile);
    EXPECT_EQ(Ink(*small), Rect(15, 15, 35, 25));
}

TEST(Metafile, PensAndFontsGrowWithThePicture) {
    TMetafile metafile;
    metafile.SetSize(60, 40);
    {
        TMetafileCanvas canvas(&metafile);
        canvas.Pen()->SetWidth(1);
        canvas.MoveTo(5, 5);
        canvas.LineTo(55, 5);
        canvas.Pen()->SetStyle(psDash);
        canvas.MoveTo(5, 10);
        canvas.LineTo(55, 10);
        canvas.Brush()->SetStyle(bsClear);
        canvas.Font()->SetHeight(-10);
        canvas.TextOut(5, 15, "Hz");
    }
    auto once = WhiteBitmap(60, 40);
    once->Canvas()->Draw(0, 0, &metafile);
    auto thrice = WhiteBitmap(180, 120);
    thrice->Canvas()->StretchDraw(Rect(0, 0, 180, 120), &metafile);

    auto column = [](const TBitmap& b, int x, int y0, int y1) {
        int n = 0;
        for (int y = y0; y < y1; ++y) n += b.PixelAt(x, y) != 0xFFFFFF;
        return n;
    };
    EXPECT_EQ(column(*once, 30, 0, 8), 1);
    EXPECT_EQ(column(*thrice, 90, 0, 24), 3);   // the solid line is three pixels thick
    EXPECT_EQ(column(*thrice, 93, 24, 40), 1);  // the dashed one stays one pixel
    const TRect textOnce = IntersectRect(Ink(*once), Rect(0, 12, 60, 40));
    const TRect textThrice = IntersectRect(Ink(*thrice), Rect(0, 36, 180, 120));
    EXPECT_NEAR(textThrice.Height(), 3 * textOnce.Height(), 3);
    EXPECT_NEAR(textThrice.Width(), 3 * textOnce.Width(), 4);
}

TEST(Metafile, PlayingKeepsToThePictureTheTargetsClipAndLeavesTheTargetAsItWas) {
    TMetafile metafile;
    metafile.SetSize(50, 50);
    {
        TMetafileCanvas canvas(&metafile);
        canvas.Pen()->SetColor(clRed);
        canvas.MoveTo(-100, 25);  // reaches far beyond the picture on both sides
        canvas.LineTo(200, 25);
        canvas.Brush()->SetColor(clBlue);
        canvas.FillRect(Rect(-20, -20, 10, 10));
    }
    auto target = WhiteBitmap(200, 100);
    TCanvas& c = *target->Canvas();
    c.Pen()->SetColor(clLime);
    c.Pen()->SetWidth(2);
    c.Brush()->SetColor(clYellow);
    c.Font()->SetName("Arial");
    c.SetTextColor(clGreen);
    c.SetViewportOrg(5, 0);
    c.IntersectClipRect(0, 0, 70, 100);  // device 5 .. 75
    c.StretchDraw(Rect(20, 10, 120, 60), &metafile);
    // The line runs from the picture's left edge (device 25) to the clip's edge (device 75).
    EXPECT_EQ(Ink(*target), Rect(25, 10, 75, 36));
    EXPECT_EQ(target->PixelAt(25, 10), 0xFF0000u);
    EXPECT_EQ(c.Pen()->Color(), clLime);
    EXPECT_EQ(c.Pen()->Width(), 2);
    EXPECT_EQ(c.Brush()->Color(), clYellow);
    EXPECT_EQ(c.Font()->Name(), "Arial");
    EXPECT_EQ(c.TextColor(), static_cast<TColorRef>(clGreen));
    EXPECT_EQ(c.ViewportOrg(), Point(5, 0));
    EXPECT_EQ(c.ClipRect(), Rect(0, 0, 70, 100));
}

TEST(Metafile, ABitmapTakesThePicturePlayedOnWhite) {
    auto owned = RecordScene();
    TMetafile& metafile = *owned;
    TBitmap bitmap;
    bitmap.Assign(&metafile);
    auto direct = WhiteBitmap(120, 80);
    DrawScene(*direct->Canvas());
    ASSERT_EQ(bitmap.Width(), 120);
    EXPECT_EQ(DifferentPixels(bitmap, *direct), 0);
}

TEST(Metafile, CopiesShareTheRecordingAndANewRecordingReplacesTheOld) {
    auto owned = RecordScene();
    TMetafile& metafile = *owned;
    const int recorded = metafile.RecordCount();
    // One record for each drawing call of the scene; the PolyPolyline one for each polyline.
    EXPECT_EQ(recorded, 21);
    TMetafile copy;
    copy.Assign(&metafile);
    EXPECT_EQ(copy.Recording(), metafile.Recording());
    EXPECT_EQ(copy.Width(), 120);
    {
        TMetafileCanvas canvas(&metafile);
        canvas.FillRect(Rect(0, 0, 5, 5));
    }
    EXPECT_EQ(metafile.RecordCount(), 1);
    EXPECT_EQ(copy.RecordCount(), recorded);
    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty());
}

TEST(Metafile, SavedAndLoadedItDrawsTheSame) {
    auto owned = RecordScene();
    TMetafile& metafile = *owned;
    TMetafile loaded;
    loaded.LoadFromBytes(metafile.SaveToBytes());
    EXPECT_EQ(loaded.RecordCount(), metafile.RecordCount());
    EXPECT_EQ(loaded.CreatedBy(), "PlotEngine");
    auto a = WhiteBitmap(240, 160);
    auto b = WhiteBitmap(240, 160);
    a->Canvas()->StretchDraw(Rect(0, 0, 240, 160), &metafile);
    b->Canvas()->StretchDraw(Rect(0, 0, 240, 160), &loaded);
    EXPECT_EQ(DifferentPixels(*a, *b), 0);

    // A file opens through a picture by its extension.
    test::TTempFolder folder;
    metafile.SaveToFile(folder.File("plot.emf"));
    TPicture picture;
    picture.LoadFromFile(folder.File("plot.emf"));
    ASSERT_NE(dynamic_cast<TMetafile*>(picture.Graphic()), nullptr);
    EXPECT_EQ(picture.Width(), 120);
}

TEST(Metafile, DamagedDataIsRefusedAtEveryLength) {
    auto owned = RecordScene(30, 20);
    TMetafile& metafile = *owned;
    const std::vector<std::uint8_t> bytes = metafile.SaveToBytes();
    for (std::size_t n = 0; n < bytes.size(); n += 1 + n / 64) {
        TMetafile loaded;
        EXPECT_THROW(
            loaded.LoadFromBytes({bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n)}),
            EInvalidGraphic)
            << n;
        EXPECT_TRUE(loaded.Empty());
    }
    std::vector<std::uint8_t> trailing = bytes;
    trailing.push_back(0);
    TMetafile loaded;
    EXPECT_THROW(loaded.LoadFromBytes(trailing), EInvalidGraphic);
    EXPECT_THROW(loaded.LoadFromBytes({'B', 'M', 0, 0}), EInvalidGraphic);
}

}  // namespace
}  // namespace dsp
