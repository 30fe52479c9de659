// Gradient fills and bitmaps drawn with a transparent colour left out.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "widgets/panels/RzCommon.h"

namespace dsp {

namespace {

// A colour as three 16.16 fixed-point channels, stepped linearly towards another colour.
struct TFixedColor {
    std::array<std::int64_t, 3> channel{};

    static TFixedColor Of(TColorRef c) {
        return {{std::int64_t{GetRValue(c)} << 16, std::int64_t{GetGValue(c)} << 16,
                 std::int64_t{GetBValue(c)} << 16}};
    }
    TColor Color() const {
        auto part = [](std::int64_t v) {
            return static_cast<int>(std::clamp<std::int64_t>(v >> 16, 0, 255));
        };
        return static_cast<TColor>(RGB(part(channel[0]), part(channel[1]), part(channel[2])));
    }
};

std::array<std::int64_t, 3> StepTowards(TColorRef from, TColorRef to, int steps) {
    const TFixedColor a = TFixedColor::Of(from);
    const TFixedColor b = TFixedColor::Of(to);
    std::array<std::int64_t, 3> step{};
    for (int i = 0; i < 3; ++i) step[i] = (b.channel[i] - a.channel[i]) / std::max(steps, 1);
    return step;
}

void FillBand(TCanvas& c, const TRect& r, TColor color) {
    c.Brush()->SetColor(color);
    c.FillRect(r);
}

// Positions lo..hi-1 along one axis (rows with alongY, else columns) filled in bands of at least
// k pixels: the colour starts at atHi at position hi and steps towards atLo at position lo, one
// step per pixel; each band takes the colour at its far (high) edge and goes on while the colour
// stays the same.
void FillLinearBands(TCanvas& c, bool alongY, int lo, int hi, TColorRef atHi, TColorRef atLo,
                     int across, int k) {
    if (hi <= lo) return;
    TFixedColor acc = TFixedColor::Of(atHi);
    const auto step = StepTowards(atHi, atLo, hi - lo);
    int pos = hi;
    while (pos > lo) {
        const TColor color = acc.Color();
        const int bandHigh = pos;
        int count = 0;
        do {
            for (int i = 0; i < 3; ++i) acc.channel[i] += step[i];
            --pos;
            ++count;
        } while (pos > lo && (count < k || acc.Color() == color));
        FillBand(c, alongY ? Rect(0, pos, across, bandHigh) : Rect(pos, 0, bandHigh, across),
                 color);
    }
}

// The upper-left quadrant of a box gradient in nested bands, stopColor at the centre (and over
// the offset centre bar) to startColor at the outer corner, then mirrored into the other three.
void FillBoxBands(TCanvas& c, int w, int h, TColorRef start, TColorRef stop, int xOffset,
                  int yOffset) {
    if (w < 5 || h < 5 || start == stop) {
        FillBand(c, Rect(0, 0, w + 1, h + 1), static_cast<TColor>(start));
        return;
    }
    const int qh = (w - 1) / 2;
    const int ql = (h - 1) / 2;
    const int cx = std::max(qh - xOffset, 0);
    const int cy = std::max(ql - yOffset, 0);
    const int n = std::max(cx, cy) + 1;
    const auto step = StepTowards(stop, start, n);
    // The band corners move from (cx, cy) to (0, 0) in n steps. From the outer corner inwards:
    // each band covers what lies below and right of its corner; the next, nearer the centre,
    // covers the rest of it.
    for (int i = n; i >= 0; --i) {
        const int x = static_cast<int>(((std::int64_t{cx} << 16) * i / n) >> 16);
        const int y = static_cast<int>(((std::int64_t{cy} << 16) * i / n) >> 16);
        TFixedColor color = TFixedColor::Of(stop);
        for (int j = 0; j < 3; ++j) color.channel[j] += step[j] * i;
        FillBand(c, Rect(cx - x, cy - y, qh + 1, ql + 1), color.Color());
    }
    // Mirror: the lower rows from the upper ones, then the right half from the left one.
    const int halfH = h / 2;
    const int halfW = w / 2;
    c.StretchBlt(0, h, qh + 1, -halfH, &c, 0, 0, qh + 1, halfH, SRCCOPY);
    c.StretchBlt(w, 0, -halfW, h, &c, 0, 0, halfW, h, SRCCOPY);
}

// Diagonal bands from the lower-left corner (first colour) to the upper-right (second), in two
// halves of boundaries sweeping across the rectangle.
void FillDiagonalBands(TCanvas& c, int w, int h, TColorRef first, TColorRef second) {
    const int n = static_cast<int>(std::sqrt(double(w) * w + double(h) * h)) + 1;
    const int half = std::max(n / 2, 1);
    TFixedColor acc = TFixedColor::Of(first);
    const auto colorStep = StepTowards(first, second, n);
    const std::int64_t dx = (std::int64_t{w} << 16) / half;
    const std::int64_t dy = (std::int64_t{h} << 16) / half;
    auto at = [](std::int64_t v) { return static_cast<int>(v >> 16); };
    auto band = [&](const std::vector<TPoint>& points) {
        const TColor color = acc.Color();
        c.Pen()->SetColor(color);
        c.Brush()->SetColor(color);
        c.Polygon(points);
        for (int i = 0; i < 3; ++i) acc.channel[i] += colorStep[i];
    };
    c.Pen()->SetStyle(psSolid);
    for (int k = 0; k < half; ++k) {
        const int x0 = at(dx * k);
        const int y0 = at(dy * k);
        if (k + 1 == half) {
            band({{0, h - y0}, {x0, h}, {w, h}, {0, 0}});
        } else {
            const int x1 = at(dx * (k + 1));
            const int y1 = at(dy * (k + 1));
            band({{0, h - y0}, {x0, h}, {x1, h}, {0, h - y1}});
        }
    }
    for (int k = 0; k < half; ++k) {
        const int x0 = at(dx * k);
        const int y0 = at(dy * k);
        if (k + 1 == half) {
            band({{x0, 0}, {w, h - y0}, {w, 0}});
        } else {
            const int x1 = at(dx * (k + 1));
            const int y1 = at(dy * (k + 1));
            band({{x0, 0}, {w, h - y0}, {w, h - y1}, {x1, 0}});
        }
    }
}

}  // namespace

void FillGradientRect(TCanvas& canvas, TRect r, TGradientDirection direction, TColor startColor,
                      TColor stopColor, int steps) {
    switch (direction) {
        case gdHorizontalEnd:
            canvas.GradientFill(r, startColor, stopColor, GRADIENT_FILL_RECT_V);
            return;
        case gdVerticalEnd:
            canvas.GradientFill(r, startColor, stopColor, GRADIENT_FILL_RECT_H);
            return;
        default: FillGradientBanded(canvas, r, direction, startColor, stopColor, steps); return;
    }
}

void FillGradientBanded(TCanvas& canvas, TRect r, TGradientDirection direction, TColor startColor,
                        TColor stopColor, int steps) {
    const int w = std::abs(r.Right - r.Left);
    const int h = std::abs(r.Bottom - r.Top);
    if (w == 0 || h == 0) return;
    const TColorRef start = ResolveColor(startColor);
    const TColorRef stop = ResolveColor(stopColor);
    const int k = std::max(steps > 8 ? 255 / steps + 1 : steps, 1);
    TBitmap bitmap(w, h);
    TCanvas& c = *bitmap.Canvas();
    c.Pen()->SetWidth(1);
    c.Pen()->SetStyle(psClear);
    c.SetCopyMode(SRCCOPY);
    c.Brush()->SetStyle(bsSolid);
    switch (direction) {
        case gdDiagonalUp:
        case gdDiagonalDown:
            if (start == stop) {
                FillBand(c, Rect(0, 0, w, h), static_cast<TColor>(start));
            } else if (direction == gdDiagonalUp) {
                FillDiagonalBands(c, w, h, start, stop);
            } else {
                // The same mirrored left to right, with stopColor at the lower-right corner.
                FillDiagonalBands(c, w, h, stop, start);
                c.StretchBlt(w, 0, -w, h, &c, 0, 0, w, h, SRCCOPY);
            }
            break;
        case gdHorizontalEnd: FillLinearBands(c, true, 0, h, stop, start, w, k); break;
        case gdVerticalEnd: FillLinearBands(c, false, 0, w, stop, start, h, k); break;
        case gdHorizontalCenter:
            // The upper half towards the middle, the lower half its mirror image.
            FillLinearBands(c, true, 0, (h + 1) / 2, stop, start, w, k);
            c.StretchBlt(0, h, w, -(h / 2), &c, 0, 0, w, h / 2, SRCCOPY);
            break;
        case gdVerticalCenter:
            FillLinearBands(c, false, 0, (w + 1) / 2, stop, start, h, k);
            c.StretchBlt(w, 0, -(w / 2), h, &c, 0, 0, w / 2, h, SRCCOPY);
            break;
        case gdHorizontalBox:
        case gdVerticalBox:
        case gdSquareBox:
        case gdBigSquareBox: {
            FillBand(c, Rect(0, 0, w, h), static_cast<TColor>(start));
            const bool horizontal = direction == gdHorizontalBox || direction == gdBigSquareBox;
            const bool vertical = direction == gdVerticalBox || direction == gdBigSquareBox;
            FillBoxBands(c, w, h, start, stop, horizontal ? w / 4 : 0, vertical ? h / 4 : 0);
            break;
        }
    }
    canvas.BitBlt(r.Left, r.Top, w, h, &c, 0, 0, SRCCOPY);
}

void PaintGradientRing(TCanvas& canvas, TRect r, TGradientDirection direction, TColor startColor,
                       TColor stopColor) {
    if (!ScreenIsFullColor()) return;
    const int saved = canvas.SaveDC();
    const TRect inner = InflateRect(r, -2, -2);
    canvas.ExcludeClipRect(inner.Left, inner.Top, inner.Right, inner.Bottom);
    FillGradientRect(canvas, r, direction, startColor, stopColor, 1);
    canvas.RestoreDC(saved);
}

// ---- bitmaps

namespace {

// A copy of the bitmap's part that leaves out the transparent colour when drawn.
void KeyedCopy(TBitmap& copy, const TBitmap& bitmap, const TRect& source) {
    if (source == Rect(0, 0, bitmap.Width(), bitmap.Height())) {
        copy.Assign(const_cast<TBitmap*>(&bitmap));
    } else {
        copy.SetSize(source.Width(), source.Height());
        copy.Canvas()->BitBlt(0, 0, source.Width(), source.Height(), bitmap.Canvas(), source.Left,
                              source.Top, SRCCOPY);
    }
}

void DrawKeyed(TCanvas& canvas, TBitmap& picture, const TRect& dest, TColor transparentColor) {
    if (transparentColor == clNone) {
        picture.SetTransparent(false);
    } else {
        picture.SetTransparentColor(ColorToRGB(transparentColor));
        picture.SetTransparent(true);
    }
    canvas.StretchDraw(dest, &picture);
}

}  // namespace

void DrawBitmapTransparentPart(TCanvas& canvas, const TBitmap& bitmap, TRect dest,
                               TColor transparentColor, TRect source) {
    if (bitmap.Empty() || IsRectEmpty(NormalizeRect(dest)) || IsRectEmpty(source)) return;
    TBitmap picture;
    KeyedCopy(picture, bitmap, source);
    DrawKeyed(canvas, picture, dest, transparentColor);
}

void StretchBitmapTransparentPart(TCanvas& canvas, const TBitmap& bitmap, TRect dest,
                                  TColor transparentColor, TRect source) {
    if (bitmap.Empty() || IsRectEmpty(dest) || IsRectEmpty(source)) return;
    TBitmap stretched(dest.Width(), dest.Height());
    stretched.Canvas()->StretchBlt(0, 0, dest.Width(), dest.Height(), bitmap.Canvas(), source.Left,
                                   source.Top, source.Width(), source.Height(), SRCCOPY);
    // The stretched image's part of the source's size, drawn over the destination's size at the
    // canvas origin.
    const TRect part = IntersectRect(Rect(0, 0, source.Width(), source.Height()),
                                     Rect(0, 0, dest.Width(), dest.Height()));
    DrawBitmapTransparentPart(canvas, stretched, Rect(0, 0, dest.Width(), dest.Height()),
                              transparentColor, part);
}

void StretchBitmapTransparent(TCanvas& canvas, const TBitmap& bitmap, TRect dest,
                              TColor transparentColor) {
    DrawBitmapTransparentPart(canvas, bitmap, dest, transparentColor,
                              Rect(0, 0, bitmap.Width(), bitmap.Height()));
}

void TileBitmapTransparent(TCanvas& canvas, const TBitmap& bitmap, TRect dest,
                           TColor transparentColor) {
    const int bw = bitmap.Width();
    const int bh = bitmap.Height();
    if (bw <= 0 || bh <= 0) return;
    for (int y = dest.Top; y < dest.Bottom; y += bh) {
        for (int x = dest.Left; x < dest.Right; x += bw) {
            const int tw = std::min(bw, dest.Right - x);
            const int th = std::min(bh, dest.Bottom - y);
            DrawBitmapTransparentPart(canvas, bitmap, Bounds(x, y, tw, th), transparentColor,
                                      Rect(0, 0, tw, th));
        }
    }
}

}  // namespace dsp
