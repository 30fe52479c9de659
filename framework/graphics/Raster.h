#pragma once
// Framework-internal: the pixel rules of the canvas. Shapes become horizontal spans in device
// (image) coordinates; a writer lays a paint (solid, hatch or pattern) through a binary raster
// operation onto the pixels of a 32-bit image, inside a clip region.

#include <QImage>
#include <QRegion>
#include <QRgb>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "framework/graphics/Brush.h"
#include "framework/graphics/Colors.h"

namespace dsp::raster {

// Pixels [x0, x1) of row y.
struct Span {
    int y;
    int x0;
    int x1;
};
using SpanList = std::vector<Span>;

// A shape with at most one span per row, rows top .. top + rows.size() - 1.
struct RowShape {
    int top = 0;
    std::vector<std::array<int, 2>> rows;  // [x0, x1); empty when x0 >= x1
    bool Empty() const { return rows.empty(); }
};

RowShape RectShape(int left, int top, int right, int bottom);
RowShape EllipseShape(int left, int top, int right, int bottom);
// A rectangle with corners cut by quarters of an ellipse cornerWidth x cornerHeight.
RowShape RoundRectShape(int left, int top, int right, int bottom, int cornerWidth,
                        int cornerHeight);

SpanList ShapeSpans(const RowShape& shape);
// The pixels of the shape that touch its outside (a closed one-pixel outline), and the rest.
void SplitOutline(const RowShape& shape, SpanList& outline, SpanList& interior);
// The pixels of outer that are not in inner.
SpanList Ring(const RowShape& outer, const RowShape& inner);
// The outline pixels in order around the shape, counter-clockwise from the right-most point.
std::vector<QPoint> OrderedOutline(const RowShape& shape);

// Interior of a polygon by pixel centres: alternate (even-odd) or winding fill.
SpanList PolygonSpans(const std::vector<QPoint>& points, bool winding);

// Pixels of a one-pixel line from a towards b, b itself left out, in drawing order.
// Only the pixels inside bounds are listed; index gives each pixel's step from a, for styles.
struct LinePixel {
    int x;
    int y;
    int index;
};
std::vector<LinePixel> ThinLinePixels(QPoint a, QPoint b, const QRect& bounds);

// The same pixels handed one by one to visit(x, y, index), without building a list.
template <class Visit>
void ForEachThinLinePixel(QPoint a, QPoint b, const QRect& bounds, Visit&& visit) {
    const std::int64_t dx = std::int64_t{b.x()} - a.x();
    const std::int64_t dy = std::int64_t{b.y()} - a.y();
    const std::int64_t adx = dx < 0 ? -dx : dx;
    const std::int64_t ady = dy < 0 ? -dy : dy;
    const std::int64_t n = std::max(adx, ady);
    if (n == 0 || bounds.isEmpty()) return;
    const int sx = dx < 0 ? -1 : 1;
    const int sy = dy < 0 ? -1 : 1;
    const bool xMajor = adx >= ady;
    // Steps along the major axis that stay inside the bounds.
    std::int64_t first = 0;
    std::int64_t last = n - 1;
    const int major0 = xMajor ? a.x() : a.y();
    const int s = xMajor ? sx : sy;
    const int lo = xMajor ? bounds.left() : bounds.top();
    const int hi = xMajor ? bounds.right() : bounds.bottom();
    if (s > 0) {
        first = std::max<std::int64_t>(first, std::int64_t{lo} - major0);
        last = std::min<std::int64_t>(last, std::int64_t{hi} - major0);
    } else {
        first = std::max<std::int64_t>(first, std::int64_t{major0} - hi);
        last = std::min<std::int64_t>(last, std::int64_t{major0} - lo);
    }
    const int left = bounds.left();
    const int right = bounds.right();
    const int top = bounds.top();
    const int bottom = bounds.bottom();
    if (first > last) return;
    // Step i's minor offset is (2 * i * minor + major) / (2 * major), rounded down; it is kept
    // as quotient and remainder and stepped, which gives the same pixels without a division
    // per pixel.
    const std::int64_t major = xMajor ? adx : ady;
    const std::int64_t minor = xMajor ? ady : adx;
    const std::int64_t denominator = 2 * major;
    const std::int64_t step = 2 * minor;
    std::int64_t numerator = first * step + major;
    std::int64_t quotient = numerator / denominator;
    std::int64_t remainder = numerator - quotient * denominator;
    for (std::int64_t i = first; i <= last; ++i) {
        int x;
        int y;
        if (xMajor) {
            x = static_cast<int>(a.x() + i * sx);
            y = static_cast<int>(a.y() + sy * quotient);
        } else {
            y = static_cast<int>(a.y() + i * sy);
            x = static_cast<int>(a.x() + sx * quotient);
        }
        remainder += step;
        if (remainder >= denominator) {
            remainder -= denominator;
            ++quotient;
        }
        if (x < left || x > right || y < top || y > bottom) continue;
        visit(x, y, static_cast<int>(i));
    }
}

// The pixels within width/2 of the segment a-b (round ends), for pens wider than one pixel.
SpanList WideLineSpans(QPoint a, QPoint b, int width, const QRect& bounds);

// Sorts spans by row and merges overlaps, so that every pixel is listed once.
SpanList UnionSpans(SpanList spans);

QRegion RegionFromSpans(const SpanList& spans);
// The rectangles of the part of region inside bounds.
std::shared_ptr<const std::vector<QRect>> VisibleRects(const QRegion& region, const QRect& bounds);

// ---- colours

inline QRgb ToQRgb(TColorRef c) {
    return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
inline TColorRef FromQRgb(QRgb p) {
    return ((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16);
}
// Black or white, whichever the colour is closer to in brightness.
inline QRgb Quantize(QRgb p) {
    const int luma = (qRed(p) * 30 + qGreen(p) * 59 + qBlue(p) * 11) / 100;
    return luma >= 128 ? 0xFFFFFFFFu : 0xFF000000u;
}

// Result of a binary raster operation (code 1 to 16) on pen colour p and pixel d.
inline QRgb ApplyRop2(int rop2, QRgb p, QRgb d) {
    const unsigned table = static_cast<unsigned>(rop2 - 1) & 15u;
    QRgb r = 0;
    if (table & 1u) r |= ~p & ~d;
    if (table & 2u) r |= ~p & d;
    if (table & 4u) r |= p & ~d;
    if (table & 8u) r |= p & d;
    return 0xFF000000u | (r & 0xFFFFFFu);
}

// Result of a ternary raster operation (the index byte of a ROP code) on pattern p, source s
// and destination d.
inline QRgb ApplyRop3(unsigned index, QRgb p, QRgb s, QRgb d) {
    QRgb r = 0;
    for (unsigned i = 0; i < 8; ++i) {
        if (!((index >> i) & 1u)) continue;
        r |= ((i & 4u) ? p : ~p) & ((i & 2u) ? s : ~s) & ((i & 1u) ? d : ~d);
    }
    return 0xFF000000u | (r & 0xFFFFFFu);
}
inline bool Rop3UsesPattern(unsigned index) { return ((index >> 4) & 0x0Fu) != (index & 0x0Fu); }
inline bool Rop3UsesSource(unsigned index) { return ((index >> 2) & 0x33u) != (index & 0x33u); }

enum { R2_COPYPEN = 13, R2_NOT = 6, R2_XORPEN = 7 };

// What a fill lays down at each device pixel.
struct Paint {
    enum Kind { None, Solid, Hatch, Pattern, Gradient } kind = None;
    QRgb fore = 0xFF000000u;  // solid colour, hatch lines, monochrome pattern's black
    bool backOpaque = false;  // hatch gaps drawn in back
    QRgb back = 0xFFFFFFFFu;  // hatch gaps, monochrome pattern's white
    TBrushStyle hatch = bsHorizontal;
    const TBrushPattern* pattern = nullptr;
    // Gradient: fore at position origin, going towards back at origin + length, along x
    // (horizontal) or y.
    int origin = 0;
    int length = 1;
    bool horizontal = true;

    // The colour at device pixel (x, y), or false when the pixel is left alone.
    bool At(int x, int y, QRgb& out) const;
};

// Sets every pixel of [begin, end) to c, four at a time where the processor has 16-byte stores
// (the compiler leaves a plain loop at one pixel a store).
inline void FillPixels(QRgb* begin, QRgb* end, QRgb c) {
#if defined(__SSE2__)
    const __m128i four = _mm_set1_epi32(static_cast<int>(c));
    for (; end - begin >= 4; begin += 4) _mm_storeu_si128(reinterpret_cast<__m128i*>(begin), four);
#endif
    for (; begin < end; ++begin) *begin = c;
}

// Writes pixels into a 32-bit image, inside a clip region (device coordinates).
class Writer {
public:
    using Rects = std::shared_ptr<const std::vector<QRect>>;
    Writer(QImage& image, const QRegion& clip, bool monochrome);
    // rects: the visible parts of the image, already inside its bounds.
    Writer(QImage& image, Rects rects, bool monochrome);

    void SetPaint(const Paint& paint, int rop2 = R2_COPYPEN) {
        paint_ = paint;
        rop2_ = rop2;
    }
    void Fill(const SpanList& spans);
    void FillSpan(int y, int x0, int x1);
    void PaintPixel(int x, int y);
    void PutPixel(int x, int y, QRgb color, int rop2) {
        if (Visible(x, y)) Put(Line(y), x, y, color, rop2);
    }
    bool Visible(int x, int y) const {
        for (const QRect& r : *rects_)
            if (x >= r.left() && x <= r.right() && y >= r.top() && y <= r.bottom()) return true;
        return false;
    }
    QRgb Get(int x, int y) const;
    bool Monochrome() const { return monochrome_; }
    const std::vector<QRect>& ClipRects() const { return *rects_; }
    // Row y of the image, for callers that write whole spans inside ClipRects themselves. The
    // image is detached once, on the first write.
    QRgb* Line(int y) {
        if (bits_ == nullptr) {
            bits_ = image_.bits();
            stride_ = image_.bytesPerLine();
        }
        return reinterpret_cast<QRgb*>(bits_ + static_cast<qsizetype>(y) * stride_);
    }

private:
    void Put(QRgb* line, int x, int /*y*/, QRgb color, int rop2) {
        if (monochrome_) color = Quantize(color);
        QRgb& pixel = line[x];
        pixel = rop2 == R2_COPYPEN ? (color | 0xFF000000u) : ApplyRop2(rop2, color, pixel);
    }
    QImage& image_;
    uchar* bits_ = nullptr;
    qsizetype stride_ = 0;
    Rects rects_;
    bool monochrome_;
    Paint paint_;
    int rop2_ = R2_COPYPEN;
};

}  // namespace dsp::raster
