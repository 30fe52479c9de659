// The fader's painting and its drawing kit.

#include <algorithm>
#include <cmath>

#include "framework/controls/StdControlSupport.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/ImageList.h"
#include "framework/text/Numbers.h"
#include "widgets/styled/AdvTrackBar.h"

namespace dsp {

namespace {

constexpr TColor kHighlight = 16777215;  // white

struct TRgb {
    int r, g, b;
};

TRgb RgbOf(TColor color) {
    const auto c = static_cast<TColorRef>(ColorToRGB(color));
    return {GetRValue(c), GetGValue(c), GetBValue(c)};
}

int RoundChannel(double v) { return static_cast<int>(Round(v)); }

// Runs draw with the canvas clipped (also) to the region, given in the canvas's logical
// coordinates.
template <typename Draw>
void WithClipRegion(TCanvas* canvas, TRegion region, Draw draw) {
    const int saved = canvas->SaveDC();
    const TPoint viewport = canvas->ViewportOrg();
    const TPoint window = canvas->WindowOrg();
    region.Offset(viewport.X - window.X, viewport.Y - window.Y);
    TRegion current;
    if (canvas->GetClipRgn(current)) CombineRgn(region, region, current, RGN_AND);
    canvas->SelectClipRgn(&region);
    draw();
    canvas->RestoreDC(saved);
}

TGPRectF RectF(const TRect& r) {
    return MakeGPRectF(static_cast<REAL>(r.Left), static_cast<REAL>(r.Top),
                       static_cast<REAL>(r.Width()), static_cast<REAL>(r.Height()));
}

void DrawPicture(TCanvas* canvas, TGDIPPicture* picture, int x, int y) {
    if (picture->Width() <= 0 || picture->Height() <= 0) picture->GetImageSizes();
    picture->SetTransparent(true);
    picture->Draw(canvas, Rect(x, y, x + picture->Width(), y + picture->Height()));
}

void Line(TCanvas* canvas, int x1, int y1, int x2, int y2) {
    canvas->MoveTo(x1, y1);
    canvas->LineTo(x2, y2);
}

}  // namespace

// ---- the drawing kit

void DrawGradientBands(TCanvas* canvas, TColor from, TColor to, bool horizontal, const TRect& r,
                       int bands) {
    const int n = bands <= 0 ? 1 : bands;
    const TRgb a = RgbOf(from);
    const TRgb b = RgbOf(to);
    TRect area = r;
    if (horizontal) {
        --area.Right;
    } else {
        --area.Bottom;
    }
    const double extent = horizontal ? area.Width() : area.Height();
    const double d = extent / n;
    const int start = horizontal ? area.Left : area.Top;
    const int size = static_cast<int>(Round(d)) + 1;
    canvas->Brush()->SetStyle(bsSolid);
    for (int k = 0; k < n; ++k) {
        const TColor c =
            static_cast<TColor>(RGB(RoundChannel(a.r + (b.r - a.r) * static_cast<double>(k) / n),
                                    RoundChannel(a.g + (b.g - a.g) * static_cast<double>(k) / n),
                                    RoundChannel(a.b + (b.b - a.b) * static_cast<double>(k) / n)));
        canvas->Pen()->SetColor(c);
        canvas->Brush()->SetColor(c);
        const int from0 = start + static_cast<int>(Round(k * d));
        const TRect band = horizontal ? TRect{from0, area.Top, from0 + size, area.Bottom}
                                      : TRect{area.Left, from0, area.Right, from0 + size};
        canvas->FillRect(band);
    }
}

void DrawDirectionalGradient(TCanvas* canvas, TColor from, TColor to,
                             advtrackbar::TGradientDirection direction, const TRect& r, int bands) {
    switch (direction) {
        case gdHorizontal: DrawGradientBands(canvas, from, to, true, r, bands); break;
        case gdVertical: DrawGradientBands(canvas, from, to, false, r, bands); break;
        case gdHorizontalInOut: {
            const int mid = r.Left + r.Width() / 2;
            DrawGradientBands(canvas, from, to, true, {r.Left, r.Top, mid, r.Bottom}, bands);
            DrawGradientBands(canvas, to, from, true, {mid - 1, r.Top, r.Right, r.Bottom}, bands);
            break;
        }
        case gdVerticalInOut: {
            const int mid = r.Top + r.Height() / 2;
            DrawGradientBands(canvas, from, to, false, {r.Left, r.Top, r.Right, mid}, bands);
            DrawGradientBands(canvas, to, from, false, {r.Left, mid - 1, r.Right, r.Bottom}, bands);
            break;
        }
    }
}

void MeasureText(TCanvas* canvas, TFont* font, const std::string& text, int& width, int& height) {
    TFont saved;
    saved.Assign(canvas->Font());
    canvas->Font()->Assign(font);
    const TSize extent = canvas->TextExtent(text);
    width = extent.cx;
    height = extent.cy;
    canvas->Font()->Assign(&saved);
}

TColor advtrackbar::MixColors(TColor color1, TColor color2, int percent) {
    if (percent >= 100) return static_cast<TColor>(ColorToRGB(color1));
    if (percent <= 0) return static_cast<TColor>(ColorToRGB(color2));
    const TRgb a = RgbOf(color1);
    const TRgb b = RgbOf(color2);
    const double p = percent / 100.0;
    return static_cast<TColor>(RGB(RoundChannel(a.r * p + b.r * (1 - p)),
                                   RoundChannel(a.g * p + b.g * (1 - p)),
                                   RoundChannel(a.b * p + b.b * (1 - p))));
}

void DrawFrame3D(TCanvas* canvas, const TRect& r, bool flag, TColor color1, TColor color2) {
    const TColor first = flag ? color2 : color1;
    const TColor second = flag ? color1 : color2;
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetColor(first);
    if (r.Height() > 2) Line(canvas, r.Left, r.Top, r.Left, r.Bottom);
    Line(canvas, r.Left, r.Top, r.Right, r.Top);
    Line(canvas, r.Right - 2, r.Top, r.Right - 2, r.Bottom - 2);
    Line(canvas, r.Right - 2, r.Bottom - 2, r.Left, r.Bottom - 2);
    const TRect s{r.Left + 1, r.Top, r.Right, r.Bottom - 1};
    canvas->Pen()->SetColor(second);
    Line(canvas, s.Left, s.Bottom, s.Right - 1, s.Bottom);
    Line(canvas, s.Right - 1, s.Bottom, s.Right - 1, s.Top - 1);
    Line(canvas, s.Left, s.Bottom, s.Left, s.Top + 1);
    Line(canvas, s.Left, s.Top + 1, s.Right - 2, s.Top + 1);
}

ARGB MakeGDIPColor(TColor color) {
    const TRgb c = RgbOf(color);
    return OpaqueArgb(static_cast<std::uint8_t>(c.r), static_cast<std::uint8_t>(c.g),
                      static_cast<std::uint8_t>(c.b));
}

TGPGraphicsPath* CreateRoundRectPath(int x, int y, int width, int height, int radius) {
    auto* path = new TGPGraphicsPath(FillModeAlternate);
    const auto fx = static_cast<REAL>(x);
    const auto fy = static_cast<REAL>(y);
    const auto w = static_cast<REAL>(width);
    const auto h = static_cast<REAL>(height);
    const auto r = static_cast<REAL>(radius);
    if (radius <= 0) {
        path->AddRectangle(MakeGPRectF(fx, fy, w, h));
        return path;
    }
    const REAL d = 2 * r;
    path->AddArc(fx, fy, d, d, 180, 90);
    path->AddLine(fx + r, fy, fx + w - r, fy);
    path->AddArc(fx + w - d, fy, d, d, 270, 90);
    path->AddLine(fx + w, fy + r, fx + w, fy + h - r);
    path->AddArc(fx + w - d, fy + h - d, d, d, 0, 90);
    path->AddLine(fx + w - r, fy + h, fx + r, fy + h);
    path->AddArc(fx, fy + h - d, d, d, 90, 90);
    path->AddLine(fx, fy + h - r, fx, fy + r);
    path->CloseFigure();
    return path;
}

void DrawRoundRectPath(TGPGraphics* graphics, int x, int y, int width, int height, int radius,
                       TColor color) {
    if (graphics == nullptr) return;
    std::unique_ptr<TGPGraphicsPath> path(CreateRoundRectPath(x, y, width, height, radius));
    TGPPen pen(MakeGDIPColor(color), 1);
    graphics->DrawPath(&pen, path.get());
}

std::vector<TPoint> PointerOutline(const TRect& r, TTickMark ticks,
                                   TTrackBarOrientation orientation) {
    const bool topLeft = ticks == tmTopLeft || ticks == tmBoth;
    const bool bottomRight = ticks == tmBottomRight || ticks == tmBoth;
    std::vector<TPoint> points;
    if (orientation == trVertical) {
        const int h = r.Height() / 2;
        const int left = topLeft ? r.Left + h : r.Left;
        const int right = bottomRight ? r.Right - h : r.Right;
        points.push_back({left, r.Top});
        points.push_back({right, r.Top});
        if (bottomRight) points.push_back({r.Right, r.Bottom - h});
        points.push_back({right, r.Bottom});
        points.push_back({left, r.Bottom});
        if (topLeft) points.push_back({r.Left, r.Top + h});
    } else {
        const int h = r.Width() / 2;
        const int top = topLeft ? r.Top + h : r.Top;
        const int bottom = bottomRight ? r.Bottom - h : r.Bottom;
        points.push_back({r.Left, top});
        if (topLeft) points.push_back({r.Left + h, r.Top});
        points.push_back({r.Right, top});
        points.push_back({r.Right, bottom});
        if (bottomRight) points.push_back({r.Left + h, r.Bottom});
        points.push_back({r.Left, bottom});
    }
    return points;
}

TGPGraphicsPath* CreatePointerPath(const TRect& r, TTickMark ticks,
                                   TTrackBarOrientation orientation) {
    const std::vector<TPoint> outline = PointerOutline(r, ticks, orientation);
    std::vector<TGPPoint> points;
    for (const TPoint& p : outline) points.push_back(MakeGPPoint(p.X, p.Y));
    auto* path = new TGPGraphicsPath(FillModeAlternate);
    path->AddPolygon(points.data(), static_cast<INT>(points.size()));
    return path;
}

void FillMirrorHalf(TGPGraphics* graphics, const TRect& r, TColor colorA, bool upper,
                    TGDIPGradient gradient, TColor colorB) {
    const int w = r.Width();
    const int h = r.Height();
    if (gradient == ggRadial) {
        TGPSolidBrush solid(MakeGDIPColor(upper ? colorA : colorB));
        graphics->FillRectangle(&solid, RectF(r));
        TGPGraphicsPath ellipse;
        const int y = upper ? r.Top - h / 2 + 2 : r.Top;
        ellipse.AddEllipse(static_cast<REAL>(r.Left), static_cast<REAL>(y), static_cast<REAL>(w),
                           static_cast<REAL>(h));
        TGPPathGradientBrush brush(&ellipse);
        brush.SetCenterPoint(MakeGPPointF(static_cast<REAL>(r.Left + w / 2),
                                          static_cast<REAL>(upper ? r.Top : r.Bottom)));
        const ARGB centre = MakeGDIPColor(upper ? colorB : colorA);
        const ARGB surround = MakeGDIPColor(upper ? colorA : colorB);
        brush.SetCenterColor(centre);
        INT count = 1;
        brush.SetSurroundColors(&surround, count);
        graphics->FillRectangle(&brush, RectF(r));
        return;
    }
    const LinearGradientMode mode = gradient == ggVertical ? LinearGradientModeVertical
                                    : gradient == ggDiagonalForward
                                        ? LinearGradientModeForwardDiagonal
                                        : LinearGradientModeBackwardDiagonal;
    TGPLinearGradientBrush brush(RectF(r), MakeGDIPColor(colorA), MakeGDIPColor(colorB), mode);
    graphics->FillRectangle(&brush, RectF(r));
}

void DrawMirrorBorder(TGPGraphics* graphics, const TRect& r, int shape, bool vertical,
                      TColor borderColor, TColor highlightColor) {
    const int w = r.Width();
    const int h = r.Height();
    if (highlightColor != clNone) {
        if (shape == 0) {
            if (vertical) {
                DrawRoundRectPath(graphics, r.Left + (w - h) / 2, r.Top, w, h, h / 2,
                                  highlightColor);
            } else {
                DrawRoundRectPath(graphics, r.Left, r.Top + (h - w) / 2, w, h, w / 2,
                                  highlightColor);
            }
        } else {
            DrawRoundRectPath(graphics, r.Left, r.Top, w, h, 0, highlightColor);
        }
    }
    if (borderColor != clNone) {
        if (shape == 0) {
            if (vertical) {
                const int x = r.Left + (w - h) / 2;
                DrawRoundRectPath(graphics, x + 1, r.Top + 1, w - 2, h - 2, (h - 2) / 2,
                                  borderColor);
            } else {
                const int y = r.Top + (h - w) / 2;
                DrawRoundRectPath(graphics, r.Left + 1, y + 1, w - 2, h - 2, (w - 2) / 2,
                                  borderColor);
            }
        } else {
            DrawRoundRectPath(graphics, r.Left, r.Top, w, h, 0, borderColor);
        }
    }
}

void DrawMirrorFill(TGPGraphics* graphics, TCanvas* canvas, const TRect& r, bool vertical,
                    TGDIPGradient gradientMirror, TGDIPGradient gradient, TColor mirrorColorTo,
                    TColor mirrorColor, TColor colorTo, TColor color, TColor borderColor,
                    TColor highlightColor, int shape) {
    std::unique_ptr<TGPGraphics> own;
    if (graphics == nullptr) {
        if (canvas == nullptr) return;
        own = std::make_unique<TGPGraphics>(canvas);
        graphics = own.get();
    }
    graphics->SetSmoothingMode(SmoothingModeAntiAlias);
    const int h = r.Height();
    if (color != clNone && colorTo != clNone && mirrorColor != clNone && mirrorColorTo != clNone) {
        FillMirrorHalf(graphics, {r.Left, r.Top + h / 2 - 1, r.Right, r.Bottom}, mirrorColorTo,
                       false, gradientMirror, mirrorColor);
        FillMirrorHalf(graphics, {r.Left, r.Top, r.Right, r.Bottom - h / 2 + 1}, color, true,
                       gradient, colorTo);
    }
    DrawMirrorBorder(graphics, r, shape, vertical, borderColor, highlightColor);
}

void DrawDottedFocus(TCanvas* canvas, const TRect& r, TColor color) {
    const TColor c = static_cast<TColor>(ColorToRGB(color));
    int step = 0;
    auto run = [&](int x0, int y0, int x1, int y1) {
        const int dx = (x1 > x0) - (x1 < x0);
        const int dy = (y1 > y0) - (y1 < y0);
        for (int x = x0, y = y0; x != x1 || y != y1; x += dx, y += dy) {
            if (step % 2 == 0) canvas->SetPixels(x, y, c);
            ++step;
        }
    };
    run(r.Left, r.Top, r.Right, r.Top);
    run(r.Right, r.Top, r.Right, r.Bottom);
    run(r.Right, r.Bottom, r.Left, r.Bottom);
    run(r.Left, r.Bottom, r.Left, r.Top);
}

namespace {

advtrackbar::TGradientDirection DirectionOf(TGDIPGradient gradient) {
    switch (gradient) {
        case ggRadial: return gdHorizontal;
        case ggVertical: return gdVertical;
        case ggDiagonalForward: return gdHorizontalInOut;
        case ggDiagonalBackward: return gdVertical;
    }
    return gdVertical;
}

void Outline(TCanvas* canvas, const std::vector<TPoint>& points, TColor color) {
    if (points.empty()) return;
    canvas->Pen()->SetColor(color);
    canvas->Pen()->SetWidth(1);
    canvas->MoveTo(points.front().X, points.front().Y);
    for (std::size_t i = 1; i < points.size(); ++i) canvas->LineTo(points[i].X, points[i].Y);
    canvas->LineTo(points.front().X, points.front().Y);
}

// Fills the shape of a thumb by the rule its four filled shapes share.
void FillThumbBody(TCanvas* canvas, const TRect& r, const TRegion& gdiRegion,
                   TGPGraphicsPath* gdipPath, const TRect& mirrorRect, const TThumbColours& c,
                   bool vertical, TGDIPGradient gradient, TGDIPGradient gradientMirror, int steps,
                   TColor mirrorBorder, TColor mirrorHighlight, int shape) {
    if (c.color == clNone) return;
    if (c.colorTo != clNone) {
        if (c.mirror == clNone || c.mirrorTo == clNone) {
            WithClipRegion(canvas, gdiRegion, [&] {
                DrawDirectionalGradient(canvas, c.color, c.colorTo, DirectionOf(gradient), r,
                                        steps);
            });
        } else {
            TGPGraphics graphics(canvas);
            graphics.SetClip(gdipPath);
            DrawMirrorFill(&graphics, canvas, mirrorRect, vertical, gradientMirror, gradient,
                           c.mirrorTo, c.mirror, c.colorTo, c.color, mirrorBorder, mirrorHighlight,
                           shape);
            graphics.ResetClip();
        }
        return;
    }
    WithClipRegion(canvas, gdiRegion, [&] {
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(c.color);
        canvas->FillRect(r);
    });
}

std::vector<TPoint> PolygonThumb(const TRect& r, TThumbShape shape, int kind) {
    const int l = r.Left;
    const int t = r.Top;
    const int rr = r.Right;
    const int b = r.Bottom;
    const int hw = r.Width() / 2;
    const int hh = r.Height() / 2;
    if (shape == tsTriangle || shape == tsTriangleLeft || shape == tsTriangleRight) {
        switch (kind) {
            case 0: return {{l, b}, {l, t}, {rr, t + hh}};
            case 1: return {{l, t + hh}, {rr, t}, {rr, b}};
            case 2: return {{l, b}, {l + hw, t}, {rr, b}};
            case 3: return {{l, t}, {rr, t}, {l + hw, b}};
            default: return {{l, t + hh}, {l + hw, t}, {rr, t + hh}, {l + hw, b}};
        }
    }
    // Right-up pointer; the left-up pointer swaps kinds 0 and 1 and mirrors 2, 3 and 5.
    if (shape == tsPointerLeftUp) {
        switch (kind) {
            case 0: return {{l, t}, {rr, t}, {rr - hh, b}, {l, b}};
            case 1: return {{l, t}, {rr, t}, {rr, b}, {l + hh, b}};
            case 2: return {{l, t}, {rr, t + hw}, {rr, b}, {l, b}};
            case 3: return {{l, t}, {rr, t}, {rr, b - hw}, {l, b}};
            case 4: return {{l, t}, {rr, t}, {rr - hh, b}, {l + hh, b}};
            default: return {{l, t}, {rr, t + hw}, {rr, b - hw}, {l, b}};
        }
    }
    switch (kind) {
        case 0: return {{l, t}, {rr, t}, {rr, b}, {l + hh, b}};
        case 1: return {{l, t}, {rr, t}, {rr - hh, b}, {l, b}};
        case 2: return {{l, t + hw}, {rr, t}, {rr, b}, {l, b}};
        case 3: return {{l, t}, {rr, t}, {rr, b}, {l, b - hw}};
        case 4: return {{l, t}, {rr, t}, {rr - hh, b}, {l + hh, b}};
        default: return {{l, t + hw}, {rr, t}, {rr, b}, {l, b - hw}};
    }
}

// The polygon pulled towards its centre by d pixels (the inner outlines of a thumb).
std::vector<TPoint> Shrunk(const std::vector<TPoint>& points, int d) {
    long sx = 0;
    long sy = 0;
    for (const TPoint& p : points) {
        sx += p.X;
        sy += p.Y;
    }
    const auto n = static_cast<long>(points.size());
    const double cx = static_cast<double>(sx) / n;
    const double cy = static_cast<double>(sy) / n;
    std::vector<TPoint> out;
    for (const TPoint& p : points) {
        const int dx = p.X < cx - 0.5 ? d : (p.X > cx + 0.5 ? -d : 0);
        const int dy = p.Y < cy - 0.5 ? d : (p.Y > cy + 0.5 ? -d : 0);
        out.push_back({p.X + dx, p.Y + dy});
    }
    return out;
}

}  // namespace

void DrawThumbShape(TCanvas* canvas, const TRect& r, TThumbShape shape, const TThumbColours& c,
                    TTrackBarOrientation orientation, TTickMark ticks, TGDIPGradient gradient,
                    TGDIPGradient gradientMirror, int steps, int thumbSize) {
    const bool vertical = orientation == trVertical;
    const int w = r.Width();
    const int h = r.Height();
    switch (shape) {
        case tsPointer: {
            const std::vector<TPoint> outline = PointerOutline(r, ticks, orientation);
            std::unique_ptr<TGPGraphicsPath> path(CreatePointerPath(r, ticks, orientation));
            FillThumbBody(canvas, r, CreatePolygonRgn(outline, ALTERNATE), path.get(),
                          {r.Left, r.Top, r.Right - 1, r.Bottom - 1}, c, vertical, gradient,
                          gradientMirror, steps, clNone, clNone, 1);
            if (c.border != clNone) {
                for (int inset = 0; inset < 3; ++inset) {
                    const TRect in = InflateRect(r, -inset, -inset);
                    Outline(canvas, PointerOutline(in, ticks, orientation),
                            inset == 1 ? c.border : kHighlight);
                }
                canvas->Pen()->SetColor(c.border);
                if (vertical) {
                    const int g = w / 2 - 3;
                    const int x = r.Left + (w + 1 - g) / 2;
                    Line(canvas, x, r.Top + h / 2, x + g, r.Top + h / 2);
                } else {
                    const int e = h / 2 - 2;
                    const std::vector<TPoint> body = PointerOutline(r, ticks, orientation);
                    const int x = r.Left + w / 2;
                    Line(canvas, x, r.Top + (h - e) / 2, x, r.Top + (h - e) / 2 + e);
                }
            }
            return;
        }
        case tsRectangle:
        case tsRoundRect:
        case tsRound: {
            const int corner =
                shape == tsRectangle ? 1 : (shape == tsRoundRect ? 8 : thumbSize / 2);
            std::unique_ptr<TGPGraphicsPath> path(CreateRoundRectPath(r.Left, r.Top, w, h, corner));
            const bool round = shape == tsRound;
            FillThumbBody(canvas, r,
                          CreateRoundRectRgn(r.Left, r.Top, r.Right, r.Bottom, corner, corner),
                          path.get(), {r.Left, r.Top, r.Right - 1, r.Bottom - 1}, c, vertical,
                          gradient, gradientMirror, steps, round ? c.border : clNone,
                          round ? kHighlight : clNone, round ? 0 : 1);
            if (!round) {
                if (c.border != clNone) {
                    canvas->Brush()->SetStyle(bsClear);
                    canvas->Pen()->SetColor(kHighlight);
                    canvas->RoundRect(r.Left, r.Top, r.Right, r.Bottom, corner, corner);
                    const TRect in = InflateRect(r, -1, -1);
                    canvas->Pen()->SetColor(c.border);
                    canvas->RoundRect(in.Left, in.Top, in.Right, in.Bottom, corner, corner);
                    if (shape == tsRectangle) {
                        const TRect in2 = InflateRect(r, -2, -2);
                        canvas->Pen()->SetColor(kHighlight);
                        canvas->Rectangle(in2);
                    }
                    canvas->Brush()->SetStyle(bsSolid);
                }
                canvas->Pen()->SetColor(c.border);
                if (vertical) {
                    const int g = w / 2 - 2;
                    const int x = r.Left + (w - g) / 2;
                    Line(canvas, x, r.Top + h / 2, x + g, r.Top + h / 2);
                } else {
                    const int e = h / 2 - 2;
                    const int x = r.Left + w / 2;
                    Line(canvas, x, r.Top + (h - e) / 2, x, r.Top + (h - e) / 2 + e);
                }
            } else if (c.border != clNone) {
                TGPGraphics graphics(canvas);
                graphics.SetSmoothingMode(SmoothingModeAntiAlias);
                std::unique_ptr<TGPGraphicsPath> grip(
                    CreateRoundRectPath(r.Left + w / 2 + 1 - 2, r.Top + h / 2 + 1 - 2, 4, 4, 2));
                TGPSolidBrush brush(MakeGDIPColor(c.border));
                graphics.FillPath(&brush, grip.get());
            }
            return;
        }
        case tsLine: {
            const int m = vertical ? h / 2 : w / 2;
            const TColor colours[4] = {c.colorTo, c.color,
                                       advtrackbar::MixColors(c.color, clWhite, 60),
                                       advtrackbar::MixColors(c.color, clWhite, 10)};
            for (int i = 0; i < 4; ++i) {
                const int at = m - 1 + i;
                canvas->Pen()->SetColor(colours[i]);
                if (vertical) {
                    Line(canvas, r.Left, r.Top + at, r.Right, r.Top + at);
                } else {
                    Line(canvas, r.Left + at, r.Top, r.Left + at, r.Bottom);
                }
            }
            return;
        }
        default: {
            int kind = 0;
            if (shape == tsTriangleLeft) {
                kind = vertical ? 2 : 0;
            } else if (shape == tsTriangleRight) {
                kind = vertical ? 3 : 1;
            } else if (ticks == tmTopLeft) {
                kind = vertical ? 0 : 2;
            } else if (ticks == tmBoth) {
                kind = vertical ? 4 : 5;
            } else {
                kind = vertical ? 1 : 3;
            }
            const std::vector<TPoint> polygon = PolygonThumb(r, shape, kind);
            if (c.color != clNone && c.colorTo != clNone) {
                WithClipRegion(canvas, CreatePolygonRgn(polygon, ALTERNATE), [&] {
                    DrawDirectionalGradient(canvas, c.color, c.colorTo, DirectionOf(gradient), r,
                                            steps);
                });
            }
            Outline(canvas, polygon, kHighlight);
            if (c.border != clNone) {
                Outline(canvas, Shrunk(polygon, 1), c.border);
                canvas->Pen()->SetColor(c.border);
                if (vertical) {
                    Line(canvas, r.Left + w / 4, r.Top + h / 2, r.Right - w / 4, r.Top + h / 2);
                } else {
                    Line(canvas, r.Left + w / 2, r.Top + h / 4, r.Left + w / 2, r.Bottom - h / 4);
                }
            }
            return;
        }
    }
}

// ---- painting

void TCustomTrackBar::Paint() {
    TCanvas* canvas = Canvas();
    if (FTransparent && Parent() != nullptr) {
        const int saved = canvas->SaveDC();
        const TRect client = ClientRect();
        canvas->IntersectClipRect(client.Left, client.Top, client.Right, client.Bottom);
        PaintParentBackground(*this, *canvas);
        canvas->RestoreDC(saved);
    }
    PaintBackground();
    if (RatingMode()) {
        PaintRatingCells();
        return;
    }
    PaintTrackLabel();
    DrawSlider();
    PaintTicks();
    DrawThumb();
    PaintButtons();
    if (Focused() && FShowFocus) PaintFocus();
}

void TCustomTrackBar::PaintBackground() {
    TCanvas* canvas = Canvas();
    const bool enabled = Enabled();
    TGDIPPicture* picture = FIBackGround.get();
    TColor border = FBorderColor;
    TColor color = Color();
    TColor colorTo = FColorTo;
    if (!enabled) {
        if (!FIBackGroundDisabled->Empty()) picture = FIBackGroundDisabled.get();
        border = FBorderColorDisabled;
        color = FColorDisabled;
        colorTo = FColorDisabledTo;
    }
    const TRect r = ClientRect();
    if (!picture->Empty()) {
        if (FBackGroundStretched) {
            picture->GetImageSizes();
            TBitmap bitmap;
            bitmap.SetSize(picture->Width(), picture->Height());
            bitmap.Canvas()->Brush()->SetColor(clWhite);
            bitmap.Canvas()->FillRect(Rect(0, 0, picture->Width(), picture->Height()));
            picture->Draw(bitmap.Canvas(), Rect(0, 0, picture->Width(), picture->Height()));
            bitmap.SetTransparent(true);
            canvas->StretchDraw(r, &bitmap);
        } else {
            DrawPicture(canvas, picture, r.Left, r.Top);
        }
    } else if (!FTransparent && (color != clNone || colorTo != clNone)) {
        if (color != clNone && colorTo != clNone) {
            DrawDirectionalGradient(canvas, color, colorTo, FDirection, r, 80);
        } else if (color != clNone) {
            canvas->Brush()->SetStyle(bsSolid);
            canvas->Brush()->SetColor(color);
            canvas->FillRect(r);
        }
    }
    if (border != clNone && FBorderWidth >= 1) {
        canvas->Pen()->SetColor(border);
        canvas->Pen()->SetWidth(FBorderWidth);
        canvas->Brush()->SetStyle(bsClear);
        canvas->Rectangle(r);
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Pen()->SetWidth(1);
    }
}

void TCustomTrackBar::PaintTrackLabel() {
    if (!FTrackLabel->Visible()) return;
    TCanvas* canvas = Canvas();
    std::string text;
    GetTrackLabelText(text);
    canvas->Font()->Assign(FTrackLabel->Font());
    canvas->Brush()->SetStyle(bsClear);
    const TLabelPosition lp = FTrackLabel->Position();
    if (!Vertical()) {
        TRect r = TrackLabelRect(false);
        unsigned format = DT_SINGLELINE | DT_NOPREFIX;
        if (lp == lpTopLeft || lp == lpBottomLeft) {
            format |= DT_LEFT;
        } else if (lp == lpTopRight || lp == lpBottomRight) {
            format |= DT_RIGHT;
        } else {
            format |= DT_CENTER;
        }
        format |=
            (lp == lpTopCenter || lp == lpTopLeft || lp == lpTopRight) ? DT_VCENTER : DT_BOTTOM;
        canvas->DrawText(text, r, format);
    } else {
        const TRect r = TrackLabelRect(true);
        canvas->Font()->SetOrientation(900);
        canvas->TextOut(r.Left + 3, r.Top, text);
        canvas->Font()->SetOrientation(0);
    }
    canvas->Brush()->SetStyle(bsSolid);
}

void TCustomTrackBar::DrawSlider() {
    if (RatingMode() || !SliderShown()) return;
    TCanvas* canvas = Canvas();
    const bool enabled = Enabled();
    TTrackBarSlider& s = *FSlider;
    TGDIPPicture* picture = s.Picture();
    TGDIPPicture* completedPicture = s.PictureCompleted();
    TColor border = s.BorderColor();
    TColor color = s.Color();
    TColor colorTo = s.ColorTo();
    TColor completed = s.ColorCompleted();
    TColor completedTo = s.ColorCompletedTo();
    if (!enabled) {
        if (!s.PictureDisabled()->Empty()) picture = s.PictureDisabled();
        completedPicture = s.PictureCompletedDisabled();
        border = s.BorderColorDisabled();
        color = s.ColorDisabled();
        colorTo = s.ColorDisabledTo();
        completed = s.ColorCompletedDisabled();
        completedTo = s.ColorCompletedDisabledTo();
    }
    const TRect track = SliderRect();
    const bool hasCompleted = completed != clNone || !completedPicture->Empty();
    TRect done{0, 0, 0, 0};
    TRect rest = track;
    if (hasCompleted) {
        const TRect thumb = ThumbRect();
        const int mid = (Vertical() ? thumb.Top : thumb.Left) + FThumb->Width() / 2;
        if (FPosition == FMin) {
            rest = track;
        } else if (FPosition == FMax) {
            done = track;
            rest = {0, 0, 0, 0};
        } else if (Vertical()) {
            done = {track.Left, mid, track.Right, track.Bottom};
            rest = {track.Left, track.Top, track.Right, mid + 1};
        } else {
            done = {track.Left, track.Top, mid, track.Bottom};
            rest = {mid - 1, track.Top, track.Right, track.Bottom};
        }
    }
    const int saved = canvas->SaveDC();
    if (s.Rounded() && picture->Empty()) {
        TRegion round = CreateRoundRectRgn(track.Left, track.Top, track.Right, track.Bottom, 7, 7);
        const TPoint viewport = canvas->ViewportOrg();
        const TPoint window = canvas->WindowOrg();
        round.Offset(viewport.X - window.X, viewport.Y - window.Y);
        TRegion current;
        if (canvas->GetClipRgn(current)) CombineRgn(round, round, current, RGN_AND);
        canvas->SelectClipRgn(&round);
    }
    auto fill = [&](const TRect& r, TColor a, TColor b, int bands) {
        if (IsRectEmpty(r)) return;
        if (a != clNone && b != clNone) {
            DrawDirectionalGradient(canvas, a, b, s.Direction(), r, bands);
        } else {
            canvas->Brush()->SetStyle(bsSolid);
            canvas->Brush()->SetColor(a);
            canvas->FillRect(r);
        }
    };
    auto place = [&](TGDIPPicture* p, const TRect& r) {
        if (p->Empty() || IsRectEmpty(r)) return;
        p->GetImageSizes();
        if (s.PictureStretched()) {
            TBitmap bitmap;
            bitmap.SetSize(p->Width(), p->Height());
            p->Draw(bitmap.Canvas(), Rect(0, 0, p->Width(), p->Height()));
            bitmap.SetTransparent(true);
            canvas->StretchDraw(r, &bitmap);
        } else if (r.Left > 0 && r.Right > 0) {
            const int inner = canvas->SaveDC();
            canvas->IntersectClipRect(r.Left, r.Top, r.Right, r.Bottom);
            DrawPicture(canvas, p, track.Left, track.Top);
            canvas->RestoreDC(inner);
        }
    };
    if (picture->Empty()) {
        if (hasCompleted && (completed != clNone || completedTo != clNone))
            fill(done, completed, completedTo, s.Steps());
        if (color != clNone || colorTo != clNone) fill(rest, color, colorTo, s.Steps());
    } else {
        if (hasCompleted) place(completedPicture, done);
        place(picture, rest);
    }
    canvas->RestoreDC(saved);
    if (border == clNone) return;
    if (s.Rounded()) {
        canvas->Pen()->SetColor(border);
        canvas->Brush()->SetStyle(bsClear);
        canvas->RoundRect(track.Left, track.Top, track.Right, track.Bottom, 7, 7);
        if (s.Border3D()) {
            const TRect in = InflateRect(track, -1, -1);
            canvas->Pen()->SetColor(kHighlight);
            canvas->RoundRect(in.Left, in.Top, in.Right, in.Bottom, 7, 7);
        }
        canvas->Brush()->SetStyle(bsSolid);
    } else if (s.Border3D()) {
        DrawFrame3D(canvas, track, true, advtrackbar::MixColors(border, clWhite, 10), border);
    } else {
        canvas->Pen()->SetColor(border);
        canvas->Brush()->SetStyle(bsClear);
        canvas->Rectangle(track);
        canvas->Brush()->SetStyle(bsSolid);
    }
}

void TCustomTrackBar::PaintTicks() {
    if (FTickMark->Style() != tsAuto || FTickMark->Size() <= 0) return;
    TCanvas* canvas = Canvas();
    TRect topLeft = TickRectTopLeft();
    TRect bottomRight = TickRectBottomRight();
    const TRect topLeftWhole = topLeft;
    const TRect bottomRightWhole = bottomRight;
    const bool showText = FTickMark->ShowText();
    if (showText) {
        if (Vertical()) {
            if (topLeft != kNoRect) topLeft.Left += FTextHeight;
            if (bottomRight != kNoRect) bottomRight.Right -= FTextHeight;
        } else {
            if (topLeft != kNoRect) topLeft.Top += FTextHeight;
            if (bottomRight != kNoRect) bottomRight.Bottom -= FTextHeight;
        }
    }
    // The range end: a fine scale over the track unless every value is asked for.
    const TRect startBand = TicksTopLeft() && !TicksBottomRight() ? topLeftWhole : bottomRightWhole;
    const int bandStart = Vertical() ? startBand.Top : startBand.Left;
    const int n = (std::max(Width(), Height()) - 2 * bandStart) / 2;
    const int end = (OnDrawTick || showText || FMax < n) ? FMax : n;
    const double factor = end == FMin ? 0.0 : static_cast<double>(UsableLength()) / (end - FMin);
    const TColor tickColor = Enabled() ? FTickMark->Color() : FTickMark->ColorDisabled();
    int lastOffset = 0;
    bool first = true;
    for (int i = FMin; i <= end; ++i) {
        const int offset = static_cast<int>((i - FMin) * factor);
        if (!OnDrawTick && !first && offset <= lastOffset + 1) continue;
        first = false;
        lastOffset = offset;
        for (int side = 0; side < 2; ++side) {
            const bool isTopLeft = side == 0;
            const TRect band = isTopLeft ? topLeft : bottomRight;
            const TRect whole = isTopLeft ? topLeftWhole : bottomRightWhole;
            if (band == kNoRect) continue;
            bool defaultDraw = true;
            int length = FTickMark->Size();
            TColor color = tickColor;
            TColor textColor = FTickMark->Font()->Color();
            std::string text;
            if (showText) {
                text = IntToStr(i);
                if (OnGetTickMarkText) OnGetTickMarkText(this, i, text);
            }
            const int y = band.Bottom - offset;
            const int x = band.Left + offset;
            TPoint location;
            if (Vertical()) {
                location = isTopLeft ? TPoint{band.Left, y} : TPoint{band.Right - length, y};
            } else {
                location = {x, band.Top};
            }
            if (OnDrawTick) {
                OnDrawTick(this, canvas, location, i, isTopLeft ? tmTopLeft : tmBottomRight, length,
                           color, textColor, text, defaultDraw);
            }
            canvas->Pen()->SetColor(color);
            if (FTickMark->ShowImageAtThumbOnly() && i != FPosition) defaultDraw = false;
            if (FTickMark->ShowImageAtSteps() > 1 && i % FTickMark->ShowImageAtSteps() != 0)
                defaultDraw = false;
            if (defaultDraw) {
                if (FImages == nullptr || FImages->Count() == 0) {
                    if (Vertical()) {
                        if (isTopLeft) {
                            Line(canvas, band.Left, y, band.Left + length, y);
                        } else {
                            Line(canvas, band.Right - length, y, band.Right, y);
                        }
                    } else if (isTopLeft) {
                        Line(canvas, x, band.Top, x, band.Top + length);
                    } else {
                        Line(canvas, x, band.Bottom - length, x, band.Bottom);
                    }
                    if (FTickMark->Line3D()) {
                        canvas->Pen()->SetColor(advtrackbar::MixColors(color, clWhite, 10));
                        if (Vertical()) {
                            const int x0 = isTopLeft ? band.Left : band.Right - length;
                            Line(canvas, x0, y - 1, x0 + length, y - 1);
                        } else {
                            const int y0 = isTopLeft ? band.Top : band.Bottom - length;
                            Line(canvas, x + 1, y0, x + 1, y0 + length);
                        }
                    }
                } else {
                    const int index = i < FImages->Count() && i >= 0 ? i : 0;
                    if (Vertical()) {
                        const int x0 = isTopLeft ? band.Left : band.Right - length;
                        FImages->Draw(canvas, x0, y - FImages->Height() / 2, index, Enabled());
                    } else {
                        FImages->Draw(canvas, x - FImages->Width() / 2, band.Top, index, Enabled());
                    }
                }
            }
            if (showText) {
                int tw = 0;
                int th = 0;
                MeasureText(canvas, FTickMark->Font(), text, tw, th);
                canvas->Font()->Assign(FTickMark->Font());
                canvas->Font()->SetColor(textColor);
                canvas->Brush()->SetStyle(bsClear);
                if (Vertical()) {
                    if (isTopLeft) {
                        if (FTickMark->RotateFontVert()) {
                            canvas->Font()->SetOrientation(900);
                            canvas->TextOut(whole.Left + FTickTextOffset, y + tw / 2, text);
                        } else {
                            canvas->TextOut(whole.Left + FTextHeight - tw - FTickTextOffset,
                                            y - FTextHeight / 2, text);
                        }
                    } else if (FTickMark->RotateFontVert()) {
                        canvas->Font()->SetOrientation(2700);
                        canvas->TextOut(whole.Right, y - tw / 2, text);
                    } else {
                        canvas->TextOut(band.Left + FTickMark->Size() + FTickTextOffset,
                                        y - FTextHeight / 2, text);
                    }
                    canvas->Font()->SetOrientation(0);
                } else if (isTopLeft) {
                    canvas->TextOut(x - tw / 2, whole.Top + FTickTextOffset, text);
                } else {
                    canvas->TextOut(x - tw / 2, whole.Bottom - FTextHeight + FTickTextOffset, text);
                }
                canvas->Brush()->SetStyle(bsSolid);
            }
        }
    }
}

void TCustomTrackBar::DrawThumb() {
    if (RatingMode() || FThumb->Size() < 1) return;
    if (!FThumb->ShowAtMinMax() && (FPosition == FMin || FPosition == FMax)) return;
    TTrackBarThumb& t = *FThumb;
    TGDIPPicture* picture = t.Picture();
    TThumbColours c{t.Color(), t.ColorTo(), t.ColorMirror(), t.ColorMirrorTo(), t.BorderColor()};
    if (FThumbDown) {
        if (!t.PictureDown()->Empty()) picture = t.PictureDown();
        c = {t.ColorDown(), t.ColorDownTo(), t.ColorMirrorDown(), t.ColorMirrorDownTo(),
             t.BorderColorDown()};
    } else if (FThumbHot) {
        if (!t.PictureHot()->Empty()) picture = t.PictureHot();
        c = {t.ColorHot(), t.ColorHotTo(), t.ColorMirrorHot(), t.ColorMirrorHotTo(),
             t.BorderColorHot()};
    }
    if (!Enabled()) {
        if (!t.PictureDisabled()->Empty()) picture = t.PictureDisabled();
        c = {t.ColorDisabled(), t.ColorDisabledTo(), t.ColorMirrorDisabled(),
             t.ColorMirrorDisabledTo(), t.BorderColorDisabled()};
    }
    const TRect r = ThumbRect();
    if (!picture->Empty()) {
        DrawPicture(Canvas(), picture, r.Left, r.Top);
        return;
    }
    DrawThumbShape(Canvas(), r, t.Shape(), c, FOrientation, FTickMark->Position(), t.Gradient(),
                   t.GradientMirror(), t.Steps(), t.Size());
}

void TCustomTrackBar::PaintButtons() {
    if (!FButtons->Visible()) return;
    PaintButton(true);
    PaintButton(false);
}

void TCustomTrackBar::PaintButton(bool minButton) {
    TCanvas* canvas = Canvas();
    TTrackBarButtons& b = *FButtons;
    const bool down = minButton ? FMinButtonDown : FMaxButtonDown;
    const bool hot = minButton ? FMinButtonHot : FMaxButtonHot;
    TColor border = b.BorderColor();
    TColor color = b.Color();
    TColor colorTo = b.ColorTo();
    TColor mirror = b.ColorMirror();
    TColor mirrorTo = b.ColorMirrorTo();
    TGDIPPicture* picture = minButton ? b.MinPicture() : b.MaxPicture();
    if (down) {
        border = b.BorderColorDown();
        color = b.ColorDown();
        colorTo = b.ColorDownTo();
        mirror = b.ColorMirrorDown();
        mirrorTo = b.ColorMirrorDownTo();
        picture = minButton ? b.MinPictureDown() : b.MaxPictureDown();
    } else if (hot) {
        border = b.BorderColorHot();
        color = b.ColorHot();
        colorTo = b.ColorHotTo();
        mirror = b.ColorMirrorHot();
        mirrorTo = b.ColorMirrorHotTo();
        picture = minButton ? b.MinPictureHot() : b.MaxPictureHot();
    }
    const TRect r = minButton ? MinButtonRect() : MaxButtonRect();
    if (!picture->Empty()) {
        picture->GetImageSizes();
        if (Vertical()) {
            int top = r.Top;
            if (!minButton && picture->Height() > b.Size()) top = r.Bottom - picture->Height();
            DrawPicture(canvas, picture, r.Left, top);
        } else {
            const int saved = canvas->SaveDC();
            canvas->IntersectClipRect(r.Left, r.Top, r.Right, r.Bottom);
            DrawPicture(canvas, picture, r.Left, r.Top);
            canvas->RestoreDC(saved);
        }
        return;
    }
    const TColor highlight = advtrackbar::MixColors(border, clWhite, 30);
    const int size = b.Size();
    TRect face = r;
    TGPGraphics graphics(canvas);
    graphics.SetSmoothingMode(SmoothingModeAntiAlias);
    if (b.Shape() == bsRound) {
        if (Vertical()) {
            face = Bounds(r.Left + (r.Width() - size) / 2, r.Top, size, size);
        } else {
            face = Bounds(r.Left, r.Top + (r.Height() - size) / 2, size, size);
        }
        std::unique_ptr<TGPGraphicsPath> clip(
            CreateRoundRectPath(face.Left, face.Top, size, size, size / 2));
        graphics.SetClip(clip.get());
        const TRect fillRect = Vertical() ? TRect{face.Left, face.Top, face.Right, r.Bottom}
                                          : TRect{face.Left, face.Top, r.Right, face.Bottom};
        DrawMirrorFill(&graphics, canvas, fillRect, Vertical(), b.GradientMirror(), b.Gradient(),
                       mirrorTo, mirror, colorTo, color, clNone, clNone, 0);
        graphics.ResetClip();
        DrawMirrorBorder(&graphics, face, 0, Vertical(), border, highlight);
    } else {
        DrawMirrorFill(&graphics, canvas, r, Vertical(), b.GradientMirror(), b.Gradient(), mirrorTo,
                       mirror, colorTo, color, border, highlight, 1);
    }
    // The glyph: a minus on the min button, a plus on the max button.
    const int half = size / 2 - 4;
    const int cx = face.Left + face.Width() / 2;
    const int cy = face.Top + face.Height() / 2;
    auto bar = [&](bool horizontal) {
        const TRect outline = horizontal
                                  ? TRect{cx - (half + 4) / 2, cy - 2, cx + (half + 4) / 2, cy + 2}
                                  : TRect{cx - 2, cy - (half + 4) / 2, cx + 2, cy + (half + 4) / 2};
        canvas->Brush()->SetStyle(bsClear);
        canvas->Pen()->SetColor(color);
        canvas->Rectangle(outline);
        canvas->Pen()->SetColor(border);
        if (horizontal) {
            Line(canvas, outline.Left + 1, cy - 1, outline.Right - 1, cy - 1);
            Line(canvas, outline.Left + 1, cy, outline.Right - 1, cy);
        } else {
            Line(canvas, cx - 1, outline.Top + 1, cx - 1, outline.Bottom - 1);
            Line(canvas, cx, outline.Top + 1, cx, outline.Bottom - 1);
        }
        canvas->Brush()->SetStyle(bsSolid);
    };
    if (minButton) {
        bar(!(Vertical() && b.RotateText()));
    } else {
        bar(true);
        bar(false);
    }
}

void TCustomTrackBar::PaintRatingCells() {
    TCanvas* canvas = Canvas();
    for (int v = FMin + 1; v <= FMax; ++v) {
        const TRect cell = RateCellRect(v);
        if (cell == kNoRect || cell.Left <= 0 || cell.Bottom <= 0) continue;
        TGDIPPicture* picture = FPosition < v ? FIRateInActive.get() : FIRateActive.get();
        if (picture->Empty()) continue;
        DrawPicture(canvas, picture, cell.Left, cell.Top);
    }
}

void TCustomTrackBar::PaintFocus() {
    TRect r = ClientRect();
    --r.Right;
    --r.Bottom;
    DrawDottedFocus(Canvas(), r, clBlack);
}

}  // namespace dsp
