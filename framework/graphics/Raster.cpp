#include "framework/graphics/Raster.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace dsp::raster {

namespace {

constexpr double kEpsilon = 1e-9;

// Pixels whose centre x + 0.5 lies in [lo, hi].
std::array<int, 2> CentresWithin(double lo, double hi) {
    const int x0 = static_cast<int>(std::ceil(lo - 0.5 - kEpsilon));
    const int x1 = static_cast<int>(std::floor(hi - 0.5 + kEpsilon)) + 1;
    return {x0, x1};
}

std::array<int, 2> Span1(const RowShape& s, int y) {
    const int i = y - s.top;
    if (i < 0 || i >= static_cast<int>(s.rows.size())) return {0, 0};
    return s.rows[static_cast<std::size_t>(i)];
}

bool HatchOn(TBrushStyle style, int x, int y) {
    const bool horizontal = (y & 7) == 0;
    const bool vertical = (x & 7) == 0;
    const bool forward = ((x - y) & 7) == 0;
    const bool backward = ((x + y) & 7) == 0;
    switch (style) {
        case bsHorizontal: return horizontal;
        case bsVertical: return vertical;
        case bsFDiagonal: return forward;
        case bsBDiagonal: return backward;
        case bsCross: return horizontal || vertical;
        case bsDiagCross: return forward || backward;
        default: return true;
    }
}

int PositiveMod(int a, int m) {
    const int r = a % m;
    return r < 0 ? r + m : r;
}

}  // namespace

RowShape RectShape(int left, int top, int right, int bottom) {
    RowShape s;
    if (right <= left || bottom <= top) return s;
    s.top = top;
    s.rows.assign(static_cast<std::size_t>(bottom - top), {left, right});
    return s;
}

RowShape EllipseShape(int left, int top, int right, int bottom) {
    RowShape s;
    if (right <= left || bottom <= top) return s;
    const double a = (right - left) / 2.0;
    const double b = (bottom - top) / 2.0;
    const double cx = left + a;
    const double cy = top + b;
    s.top = top;
    s.rows.reserve(static_cast<std::size_t>(bottom - top));
    for (int y = top; y < bottom; ++y) {
        const double dy = (y + 0.5 - cy) / b;
        const double q = 1.0 - dy * dy;
        if (q < 0) {
            s.rows.push_back({0, 0});
            continue;
        }
        const double half = a * std::sqrt(q);
        s.rows.push_back(CentresWithin(cx - half, cx + half));
    }
    return s;
}

RowShape RoundRectShape(int left, int top, int right, int bottom, int cornerWidth,
                        int cornerHeight) {
    const int w = right - left;
    const int h = bottom - top;
    const int ew = std::clamp(cornerWidth, 0, std::max(w, 0));
    const int eh = std::clamp(cornerHeight, 0, std::max(h, 0));
    if (ew == 0 || eh == 0) return RectShape(left, top, right, bottom);
    RowShape s;
    if (w <= 0 || h <= 0) return s;
    const double ra = ew / 2.0;
    const double rb = eh / 2.0;
    const double topCentre = top + rb;
    const double bottomCentre = bottom - rb;
    s.top = top;
    s.rows.reserve(static_cast<std::size_t>(h));
    for (int y = top; y < bottom; ++y) {
        const double py = y + 0.5;
        double inset = 0;
        double dy = 0;
        bool corner = false;
        if (py < topCentre) {
            dy = (py - topCentre) / rb;
            corner = true;
        } else if (py > bottomCentre) {
            dy = (py - bottomCentre) / rb;
            corner = true;
        }
        if (corner) {
            const double q = 1.0 - dy * dy;
            if (q < 0) {
                s.rows.push_back({0, 0});
                continue;
            }
            inset = ra - ra * std::sqrt(q);
        }
        s.rows.push_back(CentresWithin(left + inset, right - inset));
    }
    return s;
}

SpanList ShapeSpans(const RowShape& shape) {
    SpanList spans;
    spans.reserve(shape.rows.size());
    for (std::size_t i = 0; i < shape.rows.size(); ++i) {
        const auto& r = shape.rows[i];
        if (r[0] < r[1]) spans.push_back({shape.top + static_cast<int>(i), r[0], r[1]});
    }
    return spans;
}

void SplitOutline(const RowShape& shape, SpanList& outline, SpanList& interior) {
    for (std::size_t i = 0; i < shape.rows.size(); ++i) {
        const int y = shape.top + static_cast<int>(i);
        const auto [a, b] = shape.rows[i];
        if (a >= b) continue;
        const auto up = Span1(shape, y - 1);
        const auto down = Span1(shape, y + 1);
        int ia = a + 1;
        int ib = b - 1;
        if (up[0] >= up[1] || down[0] >= down[1]) {
            ia = ib = 0;
        } else {
            ia = std::max({ia, up[0], down[0]});
            ib = std::min({ib, up[1], down[1]});
        }
        if (ia >= ib) {
            outline.push_back({y, a, b});
            continue;
        }
        outline.push_back({y, a, ia});
        if (ib < b) outline.push_back({y, ib, b});
        interior.push_back({y, ia, ib});
    }
}

SpanList Ring(const RowShape& outer, const RowShape& inner) {
    SpanList spans;
    for (std::size_t i = 0; i < outer.rows.size(); ++i) {
        const int y = outer.top + static_cast<int>(i);
        const auto [a, b] = outer.rows[i];
        if (a >= b) continue;
        const auto [c, d] = Span1(inner, y);
        if (c >= d || d <= a || c >= b) {
            spans.push_back({y, a, b});
            continue;
        }
        if (a < c) spans.push_back({y, a, c});
        if (d < b) spans.push_back({y, d, b});
    }
    return spans;
}

std::vector<QPoint> OrderedOutline(const RowShape& shape) {
    SpanList outline;
    SpanList interior;
    SplitOutline(shape, outline, interior);
    double cx = 0;
    double cy = 0;
    if (!shape.rows.empty()) {
        int minX = shape.rows.front()[0];
        int maxX = shape.rows.front()[1];
        for (const auto& r : shape.rows)
            if (r[0] < r[1]) {
                minX = std::min(minX, r[0]);
                maxX = std::max(maxX, r[1]);
            }
        cx = (minX + maxX) / 2.0;
        cy = shape.top + shape.rows.size() / 2.0;
    }
    std::vector<std::pair<double, QPoint>> points;
    for (const Span& s : outline)
        for (int x = s.x0; x < s.x1; ++x) {
            double angle = std::atan2(-(s.y + 0.5 - cy), x + 0.5 - cx);
            if (angle < 0) angle += 2 * std::numbers::pi;
            points.push_back({angle, QPoint(x, s.y)});
        }
    std::stable_sort(points.begin(), points.end(),
                     [](const auto& l, const auto& r) { return l.first < r.first; });
    std::vector<QPoint> result;
    result.reserve(points.size());
    for (const auto& p : points) result.push_back(p.second);
    return result;
}

SpanList PolygonSpans(const std::vector<QPoint>& points, bool winding) {
    SpanList spans;
    const std::size_t n = points.size();
    if (n < 3) return spans;
    int minY = points[0].y();
    int maxY = points[0].y();
    for (const QPoint& p : points) {
        minY = std::min(minY, p.y());
        maxY = std::max(maxY, p.y());
    }
    std::vector<std::pair<double, int>> crossings;
    for (int y = minY; y < maxY; ++y) {
        const double cy = y + 0.5;
        crossings.clear();
        for (std::size_t i = 0; i < n; ++i) {
            const QPoint& p = points[i];
            const QPoint& q = points[(i + 1) % n];
            if (p.y() == q.y()) continue;
            const double y0 = std::min(p.y(), q.y());
            const double y1 = std::max(p.y(), q.y());
            if (cy < y0 || cy >= y1) continue;
            const double x = p.x() + (cy - p.y()) * (q.x() - p.x()) / double(q.y() - p.y());
            crossings.push_back({x, q.y() > p.y() ? 1 : -1});
        }
        std::sort(crossings.begin(), crossings.end(),
                  [](const auto& l, const auto& r) { return l.first < r.first; });
        int count = 0;
        for (std::size_t i = 0; i + 1 < crossings.size(); ++i) {
            count += winding ? crossings[i].second : 1;
            const bool inside = winding ? count != 0 : (count & 1) != 0;
            if (!inside) continue;
            const int x0 = static_cast<int>(std::ceil(crossings[i].first - 0.5));
            const int x1 = static_cast<int>(std::ceil(crossings[i + 1].first - 0.5));
            if (x0 < x1) spans.push_back({y, x0, x1});
        }
    }
    return UnionSpans(std::move(spans));
}

std::vector<LinePixel> ThinLinePixels(QPoint a, QPoint b, const QRect& bounds) {
    std::vector<LinePixel> pixels;
    ForEachThinLinePixel(a, b, bounds, [&](int x, int y, int index) {
        pixels.push_back({x, y, index});
    });
    return pixels;
}

SpanList WideLineSpans(QPoint a, QPoint b, int width, const QRect& bounds) {
    SpanList spans;
    if (a == b || width <= 1 || bounds.isEmpty()) return spans;
    // Odd widths centre the line on pixel centres, even widths on pixel corners, so that a
    // horizontal line of width w covers exactly w rows.
    const double shift = (width % 2 == 1) ? 0.5 : 0.0;
    const double ax = a.x() + shift;
    const double ay = a.y() + shift;
    const double bx = b.x() + shift;
    const double by = b.y() + shift;
    const double r = width / 2.0;
    const double len = std::hypot(bx - ax, by - ay);
    const double ux = (bx - ax) / len;
    const double uy = (by - ay) / len;
    const int yTop = std::max(bounds.top(), static_cast<int>(std::floor(std::min(ay, by) - r)) - 1);
    const int yBottom =
        std::min(bounds.bottom(), static_cast<int>(std::ceil(std::max(ay, by) + r)) + 1);
    for (int y = yTop; y <= yBottom; ++y) {
        const double cy = y + 0.5;
        double lo = 1e300;
        double hi = -1e300;
        auto add = [&](double l, double h) {
            if (l > h) return;
            lo = std::min(lo, l);
            hi = std::max(hi, h);
        };
        for (const auto& [px, py] : {std::pair{ax, ay}, std::pair{bx, by}}) {
            const double d = cy - py;
            if (std::abs(d) <= r + kEpsilon) {
                const double h = std::sqrt(std::max(0.0, r * r - d * d));
                add(px - h, px + h);
            }
        }
        // The band between the two ends: projection within [0, len], distance at most r.
        double bandLo = -1e300;
        double bandHi = 1e300;
        const double ry = cy - ay;
        if (std::abs(ux) > kEpsilon) {
            double t0 = ax + (0 - ry * uy) / ux;
            double t1 = ax + (len - ry * uy) / ux;
            if (t0 > t1) std::swap(t0, t1);
            bandLo = std::max(bandLo, t0);
            bandHi = std::min(bandHi, t1);
        } else if (ry * uy < -kEpsilon || ry * uy > len + kEpsilon) {
            bandLo = 1;
            bandHi = 0;
        }
        if (std::abs(uy) > kEpsilon) {
            double c0 = ax + (ux * ry - r) / uy;
            double c1 = ax + (ux * ry + r) / uy;
            if (c0 > c1) std::swap(c0, c1);
            bandLo = std::max(bandLo, c0);
            bandHi = std::min(bandHi, c1);
        } else if (std::abs(ux * ry) > r + kEpsilon) {
            bandLo = 1;
            bandHi = 0;
        }
        add(bandLo, bandHi);
        if (lo > hi) continue;
        auto [x0, x1] = CentresWithin(lo, hi);
        x0 = std::max(x0, bounds.left());
        x1 = std::min(x1, bounds.right() + 1);
        if (x0 < x1) spans.push_back({y, x0, x1});
    }
    return spans;
}

SpanList UnionSpans(SpanList spans) {
    std::sort(spans.begin(), spans.end(),
              [](const Span& l, const Span& r) { return l.y != r.y ? l.y < r.y : l.x0 < r.x0; });
    SpanList merged;
    for (const Span& s : spans) {
        if (s.x0 >= s.x1) continue;
        if (!merged.empty() && merged.back().y == s.y && s.x0 <= merged.back().x1) {
            merged.back().x1 = std::max(merged.back().x1, s.x1);
        } else {
            merged.push_back(s);
        }
    }
    return merged;
}

QRegion RegionFromSpans(const SpanList& spans) {
    const SpanList merged = UnionSpans(spans);
    std::vector<QRect> rects;
    rects.reserve(merged.size());
    for (const Span& s : merged) rects.emplace_back(s.x0, s.y, s.x1 - s.x0, 1);
    QRegion region;
    if (!rects.empty()) region.setRects(rects.data(), static_cast<int>(rects.size()));
    return region;
}

bool Paint::At(int x, int y, QRgb& out) const {
    switch (kind) {
        case None: return false;
        case Solid: out = fore; return true;
        case Hatch:
            if (HatchOn(hatch, x, y)) {
                out = fore;
                return true;
            }
            if (backOpaque) {
                out = back;
                return true;
            }
            return false;
        case Pattern: {
            const int px = PositiveMod(x, pattern->width);
            const int py = PositiveMod(y, pattern->height);
            const TColorRef c = pattern->pixels[static_cast<std::size_t>(py) * pattern->width + px];
            out = pattern->monochrome ? ((c & 0xFFFFFF) == 0 ? fore : back) : ToQRgb(c);
            return true;
        }
        case Gradient: {
            const long long i = std::clamp<long long>((horizontal ? x : y) - origin, 0, length);
            auto mix = [&](int a, int b) {
                return static_cast<int>((a * (length - i) + b * i) / length);
            };
            out = qRgb(mix(qRed(fore), qRed(back)), mix(qGreen(fore), qGreen(back)),
                       mix(qBlue(fore), qBlue(back)));
            return true;
        }
    }
    return false;
}

std::shared_ptr<const std::vector<QRect>> VisibleRects(const QRegion& region, const QRect& bounds) {
    const QRegion visible = region.intersected(bounds);
    return std::make_shared<const std::vector<QRect>>(visible.begin(), visible.end());
}

Writer::Writer(QImage& image, const QRegion& clip, bool monochrome)
    : image_(image), rects_(VisibleRects(clip, image.rect())), monochrome_(monochrome) {}

Writer::Writer(QImage& image, Rects rects, bool monochrome)
    : image_(image), rects_(std::move(rects)), monochrome_(monochrome) {}

QRgb Writer::Get(int x, int y) const {
    return reinterpret_cast<const QRgb*>(image_.constScanLine(y))[x] | 0xFF000000u;
}

void Writer::PaintPixel(int x, int y) {
    QRgb c;
    if (!paint_.At(x, y, c)) return;
    PutPixel(x, y, c, rop2_);
}

void Writer::FillSpan(int y, int x0, int x1) {
    if (paint_.kind == Paint::None || x0 >= x1) return;
    for (const QRect& r : *rects_) {
        if (y < r.top() || y > r.bottom()) continue;
        const int a = std::max(x0, r.left());
        const int b = std::min(x1, r.right() + 1);
        if (a >= b) continue;
        QRgb* line = Line(y);
        if (paint_.kind == Paint::Solid && rop2_ == R2_COPYPEN) {
            const QRgb c = (monochrome_ ? Quantize(paint_.fore) : paint_.fore) | 0xFF000000u;
            FillPixels(line + a, line + b, c);
            continue;
        }
        QRgb c;
        for (int x = a; x < b; ++x)
            if (paint_.At(x, y, c)) Put(line, x, y, c, rop2_);
    }
}

void Writer::Fill(const SpanList& spans) {
    for (const Span& s : spans) FillSpan(s.y, s.x0, s.x1);
}

}  // namespace dsp::raster
