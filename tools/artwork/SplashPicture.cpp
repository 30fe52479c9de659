// The start-up splash picture, 620 x 350 with alpha: a rounded dark-blue panel with a soft
// shadow, a glow in its upper left corner, the maker's mark, a gradient rule under the place of
// the product's name, level bars of the three inputs and six outputs, and frequency-response
// curves over a faint plot grid. The splash screen writes the product's name, version and
// "Loading Program...." over it; those places stay calm and dark.
//
// Drawn with the anti-aliased layer (per-pixel alpha, gradients, splines) and encoded as PNG.

#include "tools/artwork/SplashPicture.h"

#include "tools/artwork/Artwork.h"

#include <cmath>
#include <vector>

#include "framework/graphics/GdiPlus.h"

namespace dsp::artwork {

namespace {

using namespace Gdiplus;

constexpr INT kWidth = 620;
constexpr INT kHeight = 350;
// The panel inside the picture: the rest is its shadow.
constexpr REAL kPanelX = 6;
constexpr REAL kPanelY = 4;
constexpr REAL kPanelW = 608;
constexpr REAL kPanelH = 336;
constexpr REAL kRadius = 16;

ARGB Argb(unsigned a, unsigned r, unsigned g, unsigned b) {
    return (static_cast<ARGB>(a) << 24) | (r << 16) | (g << 8) | b;
}

// Owners of the layer's handles, freed at the end of their scope.
struct TPath {
    TPath() { GdipCreatePath(FillModeAlternate, &path); }
    ~TPath() { GdipDeletePath(path); }
    GpPath* path = nullptr;
};
struct TBrush {
    ~TBrush() { GdipDeleteBrush(brush); }
    GpBrush* brush = nullptr;
};
struct TPen {
    TPen(ARGB color, REAL width) { GdipCreatePen1(color, width, UnitPixel, &pen); }
    ~TPen() { GdipDeletePen(pen); }
    GpPen* pen = nullptr;
};

void AddRoundRect(GpPath* path, REAL x, REAL y, REAL w, REAL h, REAL r) {
    const REAL d = 2 * r;
    GdipAddPathArc(path, x, y, d, d, 180, 90);
    GdipAddPathArc(path, x + w - d, y, d, d, 270, 90);
    GdipAddPathArc(path, x + w - d, y + h - d, d, d, 0, 90);
    GdipAddPathArc(path, x, y + h - d, d, d, 90, 90);
    GdipClosePathFigure(path);
}

void FillSolid(GpGraphics* g, GpPath* path, ARGB color) {
    GpSolidFill* fill = nullptr;
    GdipCreateSolidFill(color, &fill);
    GdipFillPath(g, fill, path);
    GdipDeleteBrush(fill);
}

// A vertical gradient of several stops over the rectangle.
void FillVertical(GpGraphics* g, GpPath* path, REAL y, REAL h, const std::vector<ARGB>& colors,
                  const std::vector<REAL>& positions) {
    const GpPointF from{0, y - 1};
    const GpPointF to{0, y + h + 1};
    GpLineGradient* brush = nullptr;
    GdipCreateLineBrush(&from, &to, colors.front(), colors.back(), WrapModeTile, &brush);
    GdipSetLinePresetBlend(brush, colors.data(), positions.data(), static_cast<INT>(colors.size()));
    GdipFillPath(g, brush, path);
    GdipDeleteBrush(brush);
}

void Shadow(GpGraphics* g) {
    // Rings of falling alpha around the panel, a little lower than it.
    for (int i = 6; i >= 1; --i) {
        TPath ring;
        const REAL grow = static_cast<REAL>(i);
        AddRoundRect(ring.path, kPanelX - grow, kPanelY - grow + 3, kPanelW + 2 * grow,
                     kPanelH + 2 * grow, kRadius + grow);
        FillSolid(g, ring.path, Argb(static_cast<unsigned>(10 + (6 - i) * 7), 0, 8, 24));
    }
}

void Panel(GpGraphics* g, GpPath* panel) {
    FillVertical(g, panel, kPanelY, kPanelH,
                 {Argb(255, 28, 62, 118), Argb(255, 18, 42, 86), Argb(255, 10, 24, 52),
                  Argb(255, 7, 16, 36)},
                 {0.0f, 0.38f, 0.78f, 1.0f});
    GdipSetClipPath(g, panel, CombineModeReplace);
    // A glow from the upper left corner.
    {
        TPath ellipse;
        GdipAddPathEllipse(ellipse.path, -170, -210, 560, 430);
        GpPathGradient* glow = nullptr;
        GdipCreatePathGradientFromPath(ellipse.path, &glow);
        GdipSetPathGradientCenterColor(glow, Argb(120, 90, 160, 255));
        ARGB edge = Argb(0, 90, 160, 255);
        INT count = 1;
        GdipSetPathGradientSurroundColorsWithCount(glow, &edge, &count);
        GdipFillPath(g, glow, ellipse.path);
        GdipDeleteBrush(glow);
    }
    // A faint sheen over the upper third.
    {
        TPath sheen;
        GdipAddPathRectangle(sheen.path, kPanelX, kPanelY, kPanelW, 110);
        FillVertical(g, sheen.path, kPanelY, 110, {Argb(34, 255, 255, 255), Argb(0, 255, 255, 255)},
                     {0.0f, 1.0f});
    }
}

// The maker's mark: a rounded square with three and six bars, and the maker's name beside it.
void Mark(GpGraphics* g) {
    TPath square;
    AddRoundRect(square.path, 30, 26, 42, 42, 9);
    FillVertical(g, square.path, 26, 42, {Argb(255, 72, 196, 255), Argb(255, 30, 96, 210)},
                 {0.0f, 1.0f});
    TPen edge(Argb(110, 255, 255, 255), 1);
    GdipDrawPath(g, edge.pen, square.path);
    GpSolidFill* white = nullptr;
    GdipCreateSolidFill(Argb(235, 255, 255, 255), &white);
    const REAL inputs[] = {14, 22, 18};
    for (int i = 0; i < 3; ++i) {
        GdipFillRectangle(g, white, 37.0f + i * 4.0f, 60.0f - inputs[i], 2.5f, inputs[i]);
    }
    const REAL outputs[] = {26, 20, 30, 16, 24, 19};
    for (int i = 0; i < 6; ++i) {
        GdipFillRectangle(g, white, 51.0f + i * 3.5f, 60.0f - outputs[i], 2.0f, outputs[i]);
    }
    GdipDeleteBrush(white);

    GpFontFamily* family = nullptr;
    GdipCreateFontFamilyFromName("Arial", nullptr, &family);
    GpFont* bold = nullptr;
    GdipCreateFont(family, 15, FontStyleBold, UnitPixel, &bold);
    GpFont* small = nullptr;
    GdipCreateFont(family, 10, FontStyleRegular, UnitPixel, &small);
    GpSolidFill* text = nullptr;
    GdipCreateSolidFill(Argb(240, 235, 244, 255), &text);
    GpSolidFill* dim = nullptr;
    GdipCreateSolidFill(Argb(170, 170, 200, 240), &dim);
    const GpRectF name{80, 28, 300, 22};
    GdipDrawString(g, "W Q J   A U D I O", -1, bold, &name, nullptr, text);
    const GpRectF line{81, 50, 400, 16};
    GdipDrawString(g, "D I G I T A L   L O U D S P E A K E R   P R O C E S S O R", -1, small, &line,
                   nullptr, dim);
    GdipDeleteBrush(dim);
    GdipDeleteBrush(text);
    GdipDeleteFont(small);
    GdipDeleteFont(bold);
    GdipDeleteFontFamily(family);
}

// A rule under the product's name, bright at its left and fading out.
void Rule(GpGraphics* g) {
    const GpPointF from{85, 0};
    const GpPointF to{560, 0};
    GpLineGradient* brush = nullptr;
    GdipCreateLineBrush(&from, &to, Argb(230, 72, 196, 255), Argb(0, 72, 196, 255), WrapModeTile,
                        &brush);
    GdipFillRectangle(g, brush, 85, 183, 475, 2);
    GdipDeleteBrush(brush);
}

// Level bars: three inputs and six outputs, green to amber to red from the bottom.
void Meters(GpGraphics* g) {
    constexpr REAL kBottom = 252;
    constexpr REAL kTop = 196;
    const REAL levels[] = {0.62f, 0.8f, 0.48f, 0.9f, 0.7f, 0.55f, 0.84f, 0.4f, 0.66f};
    const GpPointF from{0, kBottom};
    const GpPointF to{0, kTop};
    GpLineGradient* lit = nullptr;
    GdipCreateLineBrush(&from, &to, Argb(255, 46, 220, 130), Argb(255, 255, 70, 60), WrapModeTile,
                        &lit);
    const ARGB stops[] = {Argb(255, 46, 220, 130), Argb(255, 160, 230, 80), Argb(255, 255, 190, 60),
                          Argb(255, 255, 70, 60)};
    const REAL positions[] = {0.0f, 0.55f, 0.8f, 1.0f};
    GdipSetLinePresetBlend(lit, stops, positions, 4);
    GpSolidFill* unlit = nullptr;
    GdipCreateSolidFill(Argb(46, 150, 190, 255), &unlit);
    for (int i = 0; i < 9; ++i) {
        // A gap between the inputs and the outputs.
        const REAL x = 478 + i * 13.0f + (i >= 3 ? 8.0f : 0.0f);
        GdipFillRectangle(g, unlit, x, kTop, 8, kBottom - kTop);
        // Segments of three pixels with a gap of one.
        const REAL height = (kBottom - kTop) * levels[i];
        for (REAL y = kBottom - 3; y >= kBottom - height; y -= 4) {
            GdipFillRectangle(g, lit, x, y, 8, 3);
        }
    }
    GdipDeleteBrush(unlit);
    GdipDeleteBrush(lit);
    GpFontFamily* family = nullptr;
    GdipCreateFontFamilyFromName("Arial", nullptr, &family);
    GpFont* tiny = nullptr;
    GdipCreateFont(family, 8, FontStyleRegular, UnitPixel, &tiny);
    GpSolidFill* text = nullptr;
    GdipCreateSolidFill(Argb(150, 170, 200, 240), &text);
    const GpRectF in{476, 256, 40, 12};
    GdipDrawString(g, "IN", -1, tiny, &in, nullptr, text);
    const GpRectF out{525, 256, 60, 12};
    GdipDrawString(g, "OUT", -1, tiny, &out, nullptr, text);
    GdipDeleteBrush(text);
    GdipDeleteFont(tiny);
    GdipDeleteFontFamily(family);
}

// x of a frequency on the plot's logarithmic axis (20 Hz to 20 kHz over [left, right]).
REAL FrequencyX(double hz, REAL left, REAL right) {
    return left + static_cast<REAL>((std::log10(hz) - std::log10(20.0)) / 3.0) * (right - left);
}

// The plot along the bottom: a grid, then three response curves.
void Curves(GpGraphics* g) {
    constexpr REAL kLeft = 20;
    constexpr REAL kRight = 600;
    constexpr REAL kTop = 268;
    constexpr REAL kBottom = 334;
    constexpr REAL kMid = (kTop + kBottom) / 2;
    TPen grid(Argb(26, 140, 185, 255), 1);
    for (REAL y = kTop; y <= kBottom; y += 11) GdipDrawLine(g, grid.pen, kLeft, y, kRight, y);
    for (double decade : {20.0, 200.0, 2000.0, 20000.0}) {
        for (int k = 1; k < 10 && decade * k <= 20000.0; ++k) {
            const REAL x = FrequencyX(decade * k, kLeft, kRight);
            TPen line(k == 1 ? Argb(46, 140, 185, 255) : Argb(18, 140, 185, 255), 1);
            GdipDrawLine(g, line.pen, x, kTop, x, kBottom);
        }
    }
    struct TBand {
        double hz;
        double gain;   // pixels up
        double width;  // in decades
    };
    struct TCurve {
        std::vector<TBand> bands;
        ARGB color;
        REAL width;
        bool filled;
    };
    const TCurve curves[] = {
        {{{60, 14, 0.35}, {900, -9, 0.3}, {5000, 11, 0.4}}, Argb(235, 70, 210, 255), 2.2f, true},
        {{{120, -8, 0.45}, {2500, 13, 0.35}, {12000, -10, 0.3}},
         Argb(190, 70, 230, 150),
         1.6f,
         false},
        {{{300, 7, 0.6}, {8000, 6, 0.5}}, Argb(130, 255, 190, 80), 1.2f, false},
    };
    for (const TCurve& c : curves) {
        std::vector<GpPointF> points;
        for (int i = 0; i <= 58; ++i) {
            const double decades = 3.0 * i / 58;
            const double hz = 20.0 * std::pow(10.0, decades);
            double y = 0;
            for (const TBand& b : c.bands) {
                const double d = (std::log10(hz) - std::log10(b.hz)) / b.width;
                y += b.gain * std::exp(-d * d);
            }
            points.push_back({FrequencyX(hz, kLeft, kRight), static_cast<REAL>(kMid - y)});
        }
        TPath path;
        GdipAddPathCurve(path.path, points.data(), static_cast<INT>(points.size()));
        if (c.filled) {
            TPath area;
            GdipAddPathCurve(area.path, points.data(), static_cast<INT>(points.size()));
            GdipAddPathLine(area.path, kRight, points.back().Y, kRight, kBottom);
            GdipAddPathLine(area.path, kRight, kBottom, kLeft, kBottom);
            GdipClosePathFigure(area.path);
            FillVertical(g, area.path, kTop, kBottom - kTop,
                         {Argb(70, 70, 210, 255), Argb(0, 70, 210, 255)}, {0.0f, 1.0f});
        }
        TPen pen(c.color, c.width);
        GdipDrawPath(g, pen.pen, path.path);
    }
}

}  // namespace

std::vector<std::uint8_t> SplashPicturePng() {
    GpBitmap* bitmap = nullptr;
    GdipCreateBitmapFromScan0(kWidth, kHeight, 0, PixelFormat32bppARGB, nullptr, &bitmap);
    GpGraphics* g = nullptr;
    GdipGetImageGraphicsContext(bitmap, &g);
    GdipGraphicsClear(g, 0);
    GdipSetSmoothingMode(g, SmoothingModeAntiAlias);
    GdipSetTextRenderingHint(g, TextRenderingHintAntiAlias);
    Shadow(g);
    TPath panel;
    AddRoundRect(panel.path, kPanelX, kPanelY, kPanelW, kPanelH, kRadius);
    Panel(g, panel.path);
    Curves(g);
    Meters(g);
    Rule(g);
    Mark(g);
    GdipResetClip(g);
    TPen rim(Argb(60, 160, 200, 255), 1);
    GdipDrawPath(g, rim.pen, panel.path);
    GdipDeleteGraphics(g);
    IStream file;
    GdipSaveImageToStream(bitmap, &file, &EncoderPng, nullptr);
    GdipDisposeImage(bitmap);
    return file.data;
}

std::vector<TPictureDef> SplashPictures() {
    TPictureDef splash;
    splash.name = "SPLASH";
    splash.kind = TFileKind::Png;
    splash.encode = SplashPicturePng;
    return {splash};
}

}  // namespace dsp::artwork
