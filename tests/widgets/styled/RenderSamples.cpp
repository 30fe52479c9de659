// Renders a sheet of the styled pack's drawing (shapes of the anti-aliased layer, fills, pictures
// and level progress bars) to a PNG file for people to look at (not a test):
//   styled_render_samples <folder>      writes <folder>/styled_samples.png

#include <QGuiApplication>

#include <cmath>
#include <iostream>
#include <string>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/FontSet.h"
#include "framework/graphics/PngImage.h"
#include "tests/widgets/styled/StyledTestSupport.h"
#include "widgets/styled/AdvProgressBar.h"
#include "widgets/styled/GDIPFill.h"

namespace dsp {
namespace {

REAL F(int v) { return static_cast<REAL>(v); }

void Label(TCanvas* c, int x, int y, const std::string& text) {
    c->Brush()->SetStyle(bsClear);
    c->Font()->SetName("Tahoma");
    c->Font()->SetHeight(-11);
    c->Font()->SetColor(clBlack);
    c->TextOut(x, y, text);
    c->Brush()->SetStyle(bsSolid);
}

void Shapes(TBitmap& b, int top) {
    TCanvas* c = b.Canvas();
    Label(c, 10, top, "Shapes (aliased left, anti-aliased right of each pair), arcs, spline fill");
    TGPGraphics g(c);
    TGPPen pen(0xFF000080, 1);
    TGPPen thick(0xFFC00000, 3);
    TGPSolidBrush yellow(0xFFFFD000);
    for (int i = 0; i < 2; ++i) {
        g.SetSmoothingMode(i == 0 ? SmoothingModeNone : SmoothingModeAntiAlias);
        const REAL x = 10.0f + i * 130;
        g.FillEllipse(&yellow, x, top + 20.0f, 50.0f, 40.0f);
        g.DrawEllipse(&pen, x, top + 20.0f, 50.0f, 40.0f);
        g.DrawArc(&thick, x + 60, top + 20.0f, 50, 40, 30, 240);
        g.DrawLine(&pen, x, top + 70.0f, x + 110, top + 90.0f);
    }
    // A response-view fill: a cardinal spline through 600 points, closed to the bottom, in a
    // translucent grey over black, aliased, with its outline.
    TGPSolidBrush black(0xFF000000);
    g.SetSmoothingMode(SmoothingModeNone);
    g.FillRectangle(&black, 280.0f, top + 18.0f, 600, 80);
    std::vector<TGPPoint> pts;
    for (int i = 0; i < 600; ++i)
        pts.push_back(
            {280 + i, top + 60 - static_cast<int>(30 * std::sin(i / 40.0) * std::exp(-i / 400.0))});
    TGPGraphicsPath curve;
    curve.AddCurve(pts.data(), static_cast<INT>(pts.size()), 0.5f);
    curve.AddLine(879.0f, top + 60.0f, 879.0f, top + 97.0f);
    curve.AddLine(879.0f, top + 97.0f, 280.0f, top + 97.0f);
    TGPSolidBrush mist(0x1E808080);
    TGPPen mistPen(0x1E808080, 1);
    g.FillPath(&mist, &curve);
    g.DrawPath(&mistPen, &curve);
    TGPPen white(0xFFFFFFFF, 1);
    TGPGraphicsPath line;
    line.AddCurve(pts.data(), static_cast<INT>(pts.size()), 0.5f);
    g.DrawPath(&white, &line);
}

void Fills(TBitmap& b, int top) {
    TCanvas* c = b.Canvas();
    Label(c, 10, top, "Fills: default, edit boxes (80 x 21), hatch, radial, mirror, glow, shadow");
    TGPGraphics g(c);
    g.SetSmoothingMode(SmoothingModeAntiAlias);
    int x = 10;
    const int y = top + 20;
    auto next = [&](int w) {
        const int at = x;
        x += w + 12;
        return at;
    };
    {
        TGDIPFill fill;
        fill.Fill(&g, TGPRectF{F(next(100)), F(y), 100, 20});
    }
    for (TColor color : {clWhite, static_cast<TColor>(0xE0FFFF), static_cast<TColor>(0xFFE0E0)}) {
        TGDIPFill fill;
        fill.SetColor(color);
        fill.SetColorTo(color);
        fill.SetColorMirror(color);
        fill.SetColorMirrorTo(color);
        fill.SetRounding(6);
        fill.SetBorderColor(clGray);
        fill.Fill(&g, TGPRectF{F(next(80)), F(y), 79, 20});
    }
    {
        TGDIPFill fill;
        fill.SetGradientType(gtHatch);
        fill.SetHatchStyle(HatchStyleDiagonalCross);
        fill.SetColor(clNavy);
        fill.SetColorTo(clWhite);
        fill.SetBorderColor(clNavy);
        fill.Fill(&g, TGPRectF{F(next(72)), F(y), 72, 40});
    }
    {
        TGDIPFill fill;
        fill.SetGradientType(gtRadial);
        fill.SetColor(clWhite);
        fill.SetColorTo(clTeal);
        fill.SetRounding(8);
        fill.Fill(&g, TGPRectF{F(next(72)), F(y), 72, 40});
    }
    {
        TGDIPFill fill;
        fill.SetColor(0xF0D8C0);
        fill.SetColorTo(0xE0B080);
        fill.SetColorMirror(0xC08040);
        fill.SetColorMirrorTo(0xE0C0A0);
        fill.SetGradientMirrorType(gtVertical);
        fill.SetRounding(5);
        fill.SetBorderColor(0x804000);
        fill.Fill(&g, TGPRectF{F(next(72)), F(y), 72, 40});
    }
    {
        TGDIPFill fill;
        fill.SetColor(clNavy);
        fill.SetColorTo(clBlue);
        fill.SetGlow(gmRadialGradient);
        fill.SetRounding(6);
        fill.Fill(&g, TGPRectF{F(next(72)), F(y), 72, 40});
    }
    for (TShadowType type : {stRightBottom, stBottom, stSurround}) {
        TGDIPFill fill;
        fill.SetShadowOffset(6);
        fill.SetShadowType(type);
        fill.SetRounding(6);
        fill.SetColor(clWhite);
        fill.SetColorTo(clSilver);
        fill.SetBorderColor(clGray);
        fill.Fill(&g, TGPRectF{F(next(56)), F(y), 56, 40});
    }
}

void Pictures(TBitmap& b, int top) {
    TCanvas* c = b.Canvas();
    Label(c, 10, top,
          "Pictures: fader thumb BMP (teal corner transparent), translucent PNG stretched, "
          "placements in a box");
    c->Brush()->SetColor(0xC0E0C0);
    c->FillRect(Rect(10, top + 20, 200, top + 80));
    TAdvGDIPPicture thumb;
    test::LoadPicture(thumb, test::BmpFile(16, 29, clSilver, clTeal));
    thumb.SetTransparent(true);
    TGPGraphics g(c);
    for (int i = 0; i < 4; ++i) thumb.GDIPDraw(&g, Bounds(20 + i * 24, top + 30, 16, 29));
    TAdvGDIPPicture glass;
    test::LoadPicture(glass, test::PngFile(4, 4, 0x800000FF));
    glass.GDIPDraw(&g, Rect(120, top + 25, 190, top + 75));
    TAdvGDIPPicture dot;
    test::LoadPicture(dot, test::PngFile(20, 12, 0xFFC00000));
    const TFillPicturePosition positions[] = {ppTopLeft,    ppTopCenter,    ppTopRight,
                                              ppCenterLeft, ppCenterCenter, ppCenterRight,
                                              ppBottomLeft, ppBottomCenter, ppBottomRight};
    const TRect box = Rect(230, top + 20, 390, top + 100);
    c->Brush()->SetColor(clWhite);
    c->FillRect(box);
    for (TFillPicturePosition p : positions)
        DrawFillPicture(&g, false, pmStretch, 0, 0, box, 12, 20, p, &dot);
    TAdvGDIPPicture wide;
    test::LoadPicture(wide, test::PngFile(60, 20, 0xFF008000));
    const TRect stretch = Rect(410, top + 20, 530, top + 100);
    c->FillRect(stretch);
    DrawFillPicture(&g, true, pmStretch, 0, 0, stretch, 20, 60, ppStretched, &wide);
}

void Bars(TBitmap& b, int top) {
    TCanvas* c = b.Canvas();
    Label(c, 10, top,
          "Level progress bars (431 x 41): 0, 2, 30, 69, 70, 90, 100 %; stacked; "
          "smooth; vertical; infinite");
    TFont font;
    font.SetName("Verdana");
    font.SetHeight(-13);
    int y = top + 20;
    for (int percent : {0, 2, 30, 69, 70, 90, 100}) {
        TGaugeSettings s;
        s.Level0Color = 0x00FF00;
        s.Level0ColorTo = 0xE1FFE1;
        s.Level1Color = 0x00FFFF;
        s.Level1ColorTo = 0xCAFFFF;
        s.Level2Color = 0x53A9FF;
        s.Level2ColorTo = 0xA8D3FF;
        s.Level3Color = 0x0000FF;
        s.Level3ColorTo = 0xCACAFF;
        s.Font = &font;
        s.Position = percent;
        s.Value = percent;
        TBitmap bar(431, 41);
        PaintGaugeBar(bar.Canvas(), Rect(0, 0, 431, 41), s);
        bar.SetTransparent(true);
        c->Draw(10, y, &bar);
        y += 46;
    }
    auto extra = [&](int x, int yy, int w, int h, auto tweak) {
        TGaugeSettings s;
        s.Level0Color = 0x00FF00;
        s.Level0ColorTo = 0xE1FFE1;
        s.Level1Color = 0x00FFFF;
        s.Level1ColorTo = 0xCAFFFF;
        s.Level2Color = 0x53A9FF;
        s.Level2ColorTo = 0xA8D3FF;
        s.Level3Color = 0x0000FF;
        s.Level3ColorTo = 0xCACAFF;
        s.Font = &font;
        tweak(s);
        TBitmap bar(w, h);
        PaintGaugeBar(bar.Canvas(), Rect(0, 0, w, h), s);
        bar.SetTransparent(true);
        c->Draw(x, yy, &bar);
    };
    extra(460, top + 20, 431, 41, [](TGaugeSettings& s) {
        s.Stacked = true;
        s.Position = 95;
        s.Value = 95;
    });
    extra(460, top + 66, 431, 41, [](TGaugeSettings& s) {
        s.CompletionSmooth = true;
        s.Position = 60;
        s.Value = 60;
        s.Level0BkColor = 0xF0F0F0;
        s.Level1BkColor = 0xE0F8F8;
        s.Level2BkColor = 0xE0E0F8;
    });
    extra(460, top + 112, 431, 41, [](TGaugeSettings& s) {
        s.Infinite = true;
        s.InfinitePos = 40;
    });
    extra(460, top + 158, 431, 41, [](TGaugeSettings& s) {
        s.Position = 45;
        s.Value = 90;
        s.Max = 200;
        s.Format = "%d of %d blocks";
    });
    extra(900, top + 20, 41, 300, [](TGaugeSettings& s) {
        s.Orientation = goVertical;
        s.Position = 75;
        s.Value = 75;
    });
}

}  // namespace
}  // namespace dsp

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: styled_render_samples <folder>\n";
        return 2;
    }
    dsp::PinFontSet();
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    dsp::TBitmap sheet(960, 720);
    sheet.Canvas()->Brush()->SetColor(dsp::clBtnFace);
    sheet.Canvas()->FillRect(dsp::Rect(0, 0, 960, 720));
    dsp::Shapes(sheet, 5);
    dsp::Fills(sheet, 110);
    dsp::Pictures(sheet, 190);
    dsp::Bars(sheet, 300);
    dsp::TPngImage png;
    png.Assign(&sheet);
    const std::string file = std::string(argv[1]) + "/styled_samples.png";
    png.SaveToFile(file);
    std::cout << file << "\n";
    // The fills' row four times enlarged, to judge edges pixel by pixel.
    dsp::TBitmap zoom(4 * 480, 4 * 60);
    zoom.Canvas()->StretchBlt(0, 0, 4 * 480, 4 * 60, sheet.Canvas(), 0, 125, 480, 60, dsp::SRCCOPY);
    dsp::TPngImage zoomed;
    zoomed.Assign(&zoom);
    const std::string zoomFile = std::string(argv[1]) + "/styled_samples_zoom.png";
    zoomed.SaveToFile(zoomFile);
    std::cout << zoomFile << "\n";
    return 0;
}
