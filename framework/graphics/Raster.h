#pragma once
// Framework-internal: the pixel rules of the canvas. Shapes become horizontal spans in device
// (image) coordinates; a writer lays a paint (solid, hatch or pattern) through a binary raster
// operation onto the pixels of a 32-bit image, inside a clip region.

#include <QImage>
#include <QRegion>
#include <QRgb>

#include <array>
#include <memory>
#include <vector>

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
    void PutPixel(int x, int y, QRgb color, int rop2);
    bool Visible(int x, int y) const;
    QRgb Get(int x, int y) const;
    bool Monochrome() const { return monochrome_; }
    const std::vector<QRect>& ClipRects() const { return *rects_; }
    // Row y of the image, for callers that write whole spans inside ClipRects themselves.
    QRgb* Line(int y) { return reinterpret_cast<QRgb*>(image_.scanLine(y)); }

private:
    void Put(QRgb* line, int x, int y, QRgb color, int rop2);

    QImage& image_;
    Rects rects_;
    bool monochrome_;
    Paint paint_;
    int rop2_ = R2_COPYPEN;
};

}  // namespace dsp::raster
