// TCanvas: lines, shapes and brush fills.

#include <algorithm>
#include <array>
#include <optional>

#include "framework/graphics/Canvas.h"
#include "framework/graphics/CanvasImpl.h"
#include "framework/graphics/RegionQt.h"

namespace dsp {

namespace {

using raster::Span;
using raster::SpanList;

// The spans of a device rectangle, its right and bottom pixels included.
SpanList BoxSpans(const QRect& box) {
    return raster::ShapeSpans(
        raster::RectShape(box.left(), box.top(), box.right() + 1, box.bottom() + 1));
}

// The one-pixel ring along the inside of a device rectangle.
SpanList BoxOutline(const QRect& box) {
    SpanList outline;
    SpanList interior;
    raster::SplitOutline(
        raster::RectShape(box.left(), box.top(), box.right() + 1, box.bottom() + 1), outline,
        interior);
    return outline;
}

// Run lengths (on, off, on, off, ...) of the pen styles, in pixels.
const std::vector<int>* DashRuns(TPenStyle style) {
    static const std::vector<int> dash{18, 6};
    static const std::vector<int> dot{3, 3};
    static const std::vector<int> dashDot{9, 6, 3, 6};
    static const std::vector<int> dashDotDot{9, 3, 3, 3, 3, 3};
    static const std::vector<int> alternate{1, 1};
    switch (style) {
        case psDash: return &dash;
        case psDot: return &dot;
        case psDashDot: return &dashDot;
        case psDashDotDot: return &dashDotDot;
        case psAlternate: return &alternate;
        default: return nullptr;
    }
}

bool DashOn(const std::vector<int>& runs, int step) {
    int total = 0;
    for (int r : runs) total += r;
    int pos = step % total;
    if (pos < 0) pos += total;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        if (pos < runs[i]) return i % 2 == 0;
        pos -= runs[i];
    }
    return false;
}

// Draws with the canvas pen in device coordinates.
class PenDrawer {
public:
    explicit PenDrawer(const TCanvas::Impl& d) : d_(d), writer_(d.MakeWriter()), rop2_(d.Rop2()) {
        const TPen& pen = *d.pen;
        none_ = pen.Style() == psClear || pen.Color() == clNone;
        color_ = raster::ToQRgb(ResolveColor(pen.Color()));
        width_ = std::max(1, pen.Width());
        runs_ = DashRuns(pen.Style());
        if (width_ > 1) runs_ = nullptr;  // a wide styled pen draws solid lines
        gapsOpaque_ = d.bkMode == OPAQUE;
        gapColor_ = raster::ToQRgb(d.bkColor);
        const QRegion clip = d.EffectiveClip();
        bounds_ = clip.boundingRect();
        // A solid pen that copies its colour into one visible rectangle writes its pixels
        // straight into the rows: every pixel inside that rectangle is visible.
        const std::vector<QRect>& rects = writer_.ClipRects();
        direct_ = !none_ && runs_ == nullptr && rop2_ == raster::R2_COPYPEN &&
                  !writer_.Monochrome() && rects.size() == 1;
        if (direct_) directBounds_ = rects.front();
    }

    bool None() const { return none_; }
    bool Wide() const { return width_ > 1; }
    bool Styled() const { return runs_ != nullptr; }
    int Width() const { return width_; }

    // A one-pixel line from a towards b, b left out; the style continues from phase.
    void Thin(QPoint a, QPoint b, int& phase) {
        if (none_) {
            phase += Steps(a, b);
            return;
        }
        if (direct_) {
            Direct(a, b);
            phase += Steps(a, b);
            return;
        }
        raster::ForEachThinLinePixel(a, b, bounds_, [&](int x, int y, int index) {
            if (runs_ == nullptr || DashOn(*runs_, phase + index)) {
                writer_.PutPixel(x, y, color_, rop2_);
            } else if (gapsOpaque_) {
                writer_.PutPixel(x, y, gapColor_, rop2_);
            }
        });
        phase += Steps(a, b);
    }

    // Pixels in order (an outline traced around a shape), styled from phase 0.
    void Trace(const std::vector<QPoint>& pixels) {
        if (none_) return;
        int step = 0;
        for (const QPoint& p : pixels) {
            if (runs_ == nullptr || DashOn(*runs_, step)) {
                writer_.PutPixel(p.x(), p.y(), color_, rop2_);
            } else if (gapsOpaque_) {
                writer_.PutPixel(p.x(), p.y(), gapColor_, rop2_);
            }
            ++step;
        }
    }

    SpanList WideSpans(QPoint a, QPoint b) const {
        return raster::WideLineSpans(a, b, width_, bounds_.adjusted(-1, -1, 1, 1));
    }

    void FillSpans(const SpanList& spans) {
        if (none_) return;
        writer_.SetPaint(d_.SolidPaint(raster::FromQRgb(color_)), rop2_);
        writer_.Fill(spans);
    }

    // Brush over the spans, with the pen's mix mode.
    void FillBrush(const SpanList& spans) {
        writer_.SetPaint(d_.BrushPaint(), rop2_);
        writer_.Fill(spans);
    }

    // The pixels of the lines through the points (closed: back to the first), each once.
    void Lines(const std::vector<QPoint>& points, bool closed) {
        if (points.size() < 2) return;
        const std::size_t segments = closed ? points.size() : points.size() - 1;
        if (Wide()) {
            SpanList spans;
            for (std::size_t i = 0; i < segments; ++i) {
                SpanList s = WideSpans(points[i], points[(i + 1) % points.size()]);
                spans.insert(spans.end(), s.begin(), s.end());
            }
            FillSpans(raster::UnionSpans(std::move(spans)));
            return;
        }
        int phase = 0;
        for (std::size_t i = 0; i < segments; ++i)
            Thin(points[i], points[(i + 1) % points.size()], phase);
    }

private:
    // A line of the direct case: straight ones as runs of rows or columns.
    void Direct(QPoint a, QPoint b) {
        const QRect& r = directBounds_;
        if (a.x() == b.x() && a.y() != b.y()) {
            if (a.x() < r.left() || a.x() > r.right()) return;
            // From a towards b, b left out.
            const int from = std::max(r.top(), a.y() < b.y() ? a.y() : b.y() + 1);
            const int to = std::min(r.bottom(), a.y() < b.y() ? b.y() - 1 : a.y());
            for (int y = from; y <= to; ++y) writer_.Line(y)[a.x()] = color_;
            return;
        }
        if (a.y() == b.y() && a.x() != b.x()) {
            if (a.y() < r.top() || a.y() > r.bottom()) return;
            const int from = std::max(r.left(), a.x() < b.x() ? a.x() : b.x() + 1);
            const int to = std::min(r.right(), a.x() < b.x() ? b.x() - 1 : a.x());
            if (from > to) return;
            QRgb* line = writer_.Line(a.y());
            raster::FillPixels(line + from, line + to + 1, color_);
            return;
        }
        raster::ForEachThinLinePixel(a, b, r,
                                     [&](int x, int y, int) { writer_.Line(y)[x] = color_; });
    }

    static int Steps(QPoint a, QPoint b) {
        return std::max(std::abs(b.x() - a.x()), std::abs(b.y() - a.y()));
    }

    const TCanvas::Impl& d_;
    raster::Writer writer_;
    int rop2_;
    bool none_ = false;
    QRgb color_ = 0;
    int width_ = 1;
    const std::vector<int>* runs_ = nullptr;
    bool gapsOpaque_ = false;
    QRgb gapColor_ = 0;
    QRect bounds_;
    bool direct_ = false;
    QRect directBounds_;
};

enum class ShapeKind { Rectangle, RoundRect, Ellipse };

raster::RowShape MakeShape(ShapeKind kind, int l, int t, int r, int b, int cw, int ch) {
    switch (kind) {
        case ShapeKind::Rectangle: return raster::RectShape(l, t, r, b);
        case ShapeKind::RoundRect: return raster::RoundRectShape(l, t, r, b, cw, ch);
        case ShapeKind::Ellipse: return raster::EllipseShape(l, t, r, b);
    }
    return {};
}

}  // namespace

void TCanvas::MoveTo(int x, int y) {
    impl_->penPos = {x, y};
    impl_->dashPhase = 0;
}

void TCanvas::LineTo(int x, int y) {
    Impl& d = *impl_;
    const TPoint from = d.penPos;
    d.penPos = {x, y};
    if (!d.Drawable()) return;
    TCanvasChange change(*this);
    PenDrawer pen(d);
    const QPoint a = d.ToDevice(from.X, from.Y);
    const QPoint b = d.ToDevice(x, y);
    if (pen.Wide()) {
        pen.FillSpans(pen.WideSpans(a, b));
    } else {
        pen.Thin(a, b, d.dashPhase);
    }
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
    Impl& d = *impl_;
    if (!d.Drawable() || points.size() < 2) return;
    TCanvasChange change(*this);
    std::vector<QPoint> device;
    device.reserve(points.size());
    for (const TPoint& p : points) device.push_back(d.ToDevice(p.X, p.Y));
    PenDrawer(d).Lines(device, false);
}

void TCanvas::PolylinesOneByOne(const std::vector<TPoint>& points, const std::vector<int>& counts) {
    std::size_t at = 0;
    for (const int count : counts) {
        if (count < 0 || static_cast<std::size_t>(count) > points.size() - at) return;
        const auto begin = points.begin() + static_cast<std::ptrdiff_t>(at);
        Polyline(std::vector<TPoint>(begin, begin + count));
        at += static_cast<std::size_t>(count);
    }
}

void TCanvas::PolyPolyline(const std::vector<TPoint>& points, const std::vector<int>& counts) {
    Impl& d = *impl_;
    if (!d.Drawable()) return;
    TCanvasChange change(*this);
    PenDrawer pen(d);
    std::vector<QPoint> device;
    std::size_t at = 0;
    for (const int count : counts) {
        if (count < 0 || static_cast<std::size_t>(count) > points.size() - at) return;
        device.clear();
        for (std::size_t i = at; i < at + static_cast<std::size_t>(count); ++i)
            device.push_back(d.ToDevice(points[i].X, points[i].Y));
        pen.Lines(device, false);
        at += static_cast<std::size_t>(count);
    }
}

namespace {

// Outline by the pen and inside by the brush of a rectangle, rounded rectangle or ellipse in
// device coordinates.
void DrawShape(const TCanvas::Impl& d, ShapeKind kind, QRect box, int cw, int ch) {
    PenDrawer pen(d);
    const int l = box.left();
    const int t = box.top();
    const int r = box.right() + 1;
    const int b = box.bottom() + 1;
    if (d.pen->Style() == psClear) {
        // Without a pen the inside reaches one pixel less to the right and bottom.
        pen.FillBrush(raster::ShapeSpans(MakeShape(kind, l, t, r - 1, b - 1, cw, ch)));
        return;
    }
    if (pen.Wide()) {
        const int w = pen.Width();
        const bool inside = d.pen->Style() == psInsideFrame;
        const int lo = inside ? 0 : w / 2;
        const int hi = inside ? 0 : (w - 1) / 2;
        const int grow = inside ? 0 : w;
        const raster::RowShape outer =
            MakeShape(kind, l - lo, t - lo, r + hi, b + hi, cw + grow, ch + grow);
        const raster::RowShape inner =
            MakeShape(kind, l - lo + w, t - lo + w, r + hi - w, b + hi - w,
                      std::max(0, cw + grow - 2 * w), std::max(0, ch + grow - 2 * w));
        pen.FillBrush(raster::ShapeSpans(inner));
        pen.FillSpans(raster::Ring(outer, inner));
        return;
    }
    const raster::RowShape shape = MakeShape(kind, l, t, r, b, cw, ch);
    SpanList outline;
    SpanList interior;
    raster::SplitOutline(shape, outline, interior);
    pen.FillBrush(interior);
    if (!pen.Styled()) {
        pen.FillSpans(outline);
    } else if (kind == ShapeKind::Rectangle) {
        int phase = 0;
        const std::array<QPoint, 4> corners = {QPoint(l, t), QPoint(r - 1, t), QPoint(r - 1, b - 1),
                                               QPoint(l, b - 1)};
        for (std::size_t i = 0; i < 4; ++i) pen.Thin(corners[i], corners[(i + 1) % 4], phase);
        if (r - l == 1 || b - t == 1) pen.FillSpans(outline);
    } else {
        pen.Trace(raster::OrderedOutline(shape));
    }
}

}  // namespace

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
    if (!impl_->Drawable()) return;
    TCanvasChange change(*this);
    const TRect n = NormalizeRect({left, top, right, bottom});
    if (IsRectEmpty(n)) return;
    DrawShape(*impl_, ShapeKind::Rectangle, impl_->ToDevice(n), 0, 0);
}

void TCanvas::RoundRect(int left, int top, int right, int bottom, int cornerWidth,
                        int cornerHeight) {
    if (!impl_->Drawable()) return;
    TCanvasChange change(*this);
    const TRect n = NormalizeRect({left, top, right, bottom});
    if (IsRectEmpty(n)) return;
    DrawShape(*impl_, ShapeKind::RoundRect, impl_->ToDevice(n), std::abs(cornerWidth),
              std::abs(cornerHeight));
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
    if (!impl_->Drawable()) return;
    TCanvasChange change(*this);
    const TRect n = NormalizeRect({left, top, right, bottom});
    if (IsRectEmpty(n)) return;
    DrawShape(*impl_, ShapeKind::Ellipse, impl_->ToDevice(n), 0, 0);
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
    Impl& d = *impl_;
    if (!d.Drawable() || points.size() < 2) return;
    TCanvasChange change(*this);
    std::vector<QPoint> device;
    device.reserve(points.size());
    for (const TPoint& p : points) device.push_back(d.ToDevice(p.X, p.Y));
    PenDrawer pen(d);
    pen.FillBrush(raster::PolygonSpans(device, d.polyFill == WINDING));
    pen.Lines(device, true);
}

void TCanvas::FillRect(const TRect& r) {
    Impl& d = *impl_;
    if (!d.Drawable() || IsRectEmpty(r)) return;
    TCanvasChange change(*this);
    raster::Writer w = d.MakeWriter();
    w.SetPaint(d.BrushPaint());
    w.Fill(BoxSpans(d.ToDevice(r)));
}

void TCanvas::FrameRect(const TRect& r) {
    Impl& d = *impl_;
    if (!d.Drawable() || IsRectEmpty(r)) return;
    TCanvasChange change(*this);
    raster::Writer w = d.MakeWriter();
    w.SetPaint(d.BrushPaint());
    w.Fill(BoxOutline(d.ToDevice(r)));
}

void TCanvas::FillRgn(const TRegion& region) {
    Impl& d = *impl_;
    if (!d.Drawable()) return;
    TCanvasChange change(*this);
    raster::Writer w = d.MakeWriter();
    w.SetPaint(d.BrushPaint());
    const QRegion device = region.Data().region.translated(d.surface.origin);
    for (const QRect& r : device)
        for (int y = r.top(); y <= r.bottom(); ++y) w.FillSpan(y, r.left(), r.right() + 1);
}

bool TCanvas::PatBlt(int x, int y, int width, int height, TCopyMode rop) {
    Impl& d = *impl_;
    if (!d.Drawable()) return false;
    const unsigned index = (rop >> 16) & 0xFF;
    if (raster::Rop3UsesSource(index)) return false;
    TCanvasChange change(*this);
    const TRect n = NormalizeRect(Bounds(x, y, width, height));
    if (IsRectEmpty(n)) return true;
    const raster::Paint paint = d.BrushPaint();
    const bool usesPattern = raster::Rop3UsesPattern(index);
    if (usesPattern && paint.kind == raster::Paint::None) return true;
    raster::Writer w = d.MakeWriter();
    const QRect box = d.ToDevice(n);
    for (const QRect& clip : w.ClipRects()) {
        const QRect part = clip.intersected(box);
        for (int py = part.top(); py <= part.bottom(); ++py)
            for (int px = part.left(); px <= part.right(); ++px) {
                QRgb p = 0;
                if (usesPattern && !paint.At(px, py, p)) continue;
                if (w.Monochrome()) p = raster::Quantize(p);
                w.PutPixel(px, py, raster::ApplyRop3(index, p, 0, w.Get(px, py)),
                           raster::R2_COPYPEN);
            }
    }
    return true;
}

void TCanvas::GradientFill(const TRect& r, TColor start, TColor stop, unsigned mode) {
    Impl& d = *impl_;
    if (!d.Drawable() || IsRectEmpty(r) || start == clNone || stop == clNone) return;
    TCanvasChange change(*this);
    const QRect box = d.ToDevice(r);
    raster::Paint paint;
    paint.kind = raster::Paint::Gradient;
    paint.fore = raster::ToQRgb(ResolveColor(start));
    paint.back = raster::ToQRgb(ResolveColor(stop));
    paint.horizontal = mode == GRADIENT_FILL_RECT_H;
    paint.origin = paint.horizontal ? box.left() : box.top();
    paint.length = paint.horizontal ? box.width() : box.height();
    raster::Writer w = d.MakeWriter();
    w.SetPaint(paint);
    w.Fill(BoxSpans(box));
}

void TCanvas::DrawFocusRect(const TRect& r) {
    Impl& d = *impl_;
    if (!d.Drawable() || IsRectEmpty(r)) return;
    TCanvasChange change(*this);
    raster::Writer w = d.MakeWriter();
    for (const Span& s : BoxOutline(d.ToDevice(r)))
        for (int x = s.x0; x < s.x1; ++x)
            if (((x + s.y) & 1) == 0) w.PutPixel(x, s.y, 0xFFFFFFFFu, raster::R2_XORPEN);
}

void TCanvas::InvertRect(const TRect& r) {
    Impl& d = *impl_;
    if (!d.Drawable() || IsRectEmpty(r)) return;
    TCanvasChange change(*this);
    raster::Writer w = d.MakeWriter();
    w.SetPaint(d.SolidPaint(0), raster::R2_NOT);
    w.Fill(BoxSpans(d.ToDevice(r)));
}

bool TCanvas::DrawEdge(TRect& r, unsigned edge, unsigned flags) {
    Impl& d = *impl_;
    TRect inside = r;
    struct Ring {
        unsigned raised;
        unsigned sunken;
        TColor raisedUL, raisedLR, sunkenUL, sunkenLR;
    };
    // Outer ring, then inner ring: upper-left and lower-right colours.
    const std::array<Ring, 2> rings = {{
        {BDR_RAISEDOUTER, BDR_SUNKENOUTER, cl3DLight, cl3DDkShadow, clBtnShadow, clBtnHighlight},
        {BDR_RAISEDINNER, BDR_SUNKENINNER, clBtnHighlight, clBtnShadow, cl3DDkShadow, cl3DLight},
    }};
    const bool draw = d.Drawable();
    std::optional<TCanvasChange> change;
    if (draw) change.emplace(*this);
    std::optional<raster::Writer> writer;
    if (draw) writer.emplace(d.MakeWriter());
    for (const Ring& ring : rings) {
        if (!(edge & (ring.raised | ring.sunken))) continue;
        if (IsRectEmpty(inside)) break;
        const bool raised = (edge & ring.raised) != 0;
        const TColor ul = raised ? ring.raisedUL : ring.sunkenUL;
        const TColor lr = raised ? ring.raisedLR : ring.sunkenLR;
        if (draw) {
            raster::Writer& w = *writer;
            const QRect b = d.ToDevice(inside);
            const int l = b.left(), t = b.top(), rr = b.right(), bb = b.bottom();
            w.SetPaint(d.SolidPaint(ResolveColor(ul)));
            if (flags & BF_LEFT)
                for (int y = t; y <= bb; ++y) w.FillSpan(y, l, l + 1);
            if (flags & BF_TOP) w.FillSpan(t, l, rr + 1);
            w.SetPaint(d.SolidPaint(ResolveColor(lr)));
            if (flags & BF_RIGHT)
                for (int y = t; y <= bb; ++y) w.FillSpan(y, rr, rr + 1);
            if (flags & BF_BOTTOM) w.FillSpan(bb, l, rr + 1);
        }
        if (flags & BF_LEFT) ++inside.Left;
        if (flags & BF_TOP) ++inside.Top;
        if (flags & BF_RIGHT) --inside.Right;
        if (flags & BF_BOTTOM) --inside.Bottom;
    }
    if (draw && (flags & BF_MIDDLE) && !IsRectEmpty(inside)) {
        const QRect b = d.ToDevice(inside);
        raster::Writer& w = *writer;
        w.SetPaint(d.SolidPaint(ResolveColor(clBtnFace)));
        for (int y = b.top(); y <= b.bottom(); ++y) w.FillSpan(y, b.left(), b.right() + 1);
    }
    if (flags & BF_ADJUST) r = inside;
    return true;
}

}  // namespace dsp
