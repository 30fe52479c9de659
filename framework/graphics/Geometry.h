#pragma once
// Points, sizes and rectangles of the drawing layer. A rectangle is (Left, Top, Right, Bottom)
// with Right and Bottom exclusive: (0, 0, 2, 2) covers four pixels.

#include <algorithm>

namespace dsp {

struct TPoint {
    int X = 0;
    int Y = 0;
    constexpr bool operator==(const TPoint&) const = default;
};

struct TSize {
    int cx = 0;
    int cy = 0;
    constexpr bool operator==(const TSize&) const = default;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
    constexpr TPoint TopLeft() const { return {Left, Top}; }
    constexpr TPoint BottomRight() const { return {Right, Bottom}; }
    constexpr bool operator==(const TRect&) const = default;
};

constexpr TPoint Point(int x, int y) { return {x, y}; }
constexpr TRect Rect(int left, int top, int right, int bottom) {
    return {left, top, right, bottom};
}
// The rectangle of the given width and height whose top-left corner is (left, top).
constexpr TRect Bounds(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

// True when the rectangle covers no pixel (its right is not beyond its left, or its bottom
// not below its top).
constexpr bool IsRectEmpty(const TRect& r) { return r.Right <= r.Left || r.Bottom <= r.Top; }

constexpr bool PtInRect(const TRect& r, TPoint p) {
    return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

// Grows the rectangle by dx on the left and right and by dy on the top and bottom (negative
// values shrink it).
constexpr TRect InflateRect(TRect r, int dx, int dy) {
    return {r.Left - dx, r.Top - dy, r.Right + dx, r.Bottom + dy};
}

constexpr TRect OffsetRect(TRect r, int dx, int dy) {
    return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}

// The common part of two rectangles; an empty rectangle (all zero) when they do not meet.
constexpr TRect IntersectRect(const TRect& a, const TRect& b) {
    TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom)};
    return IsRectEmpty(r) ? TRect{} : r;
}

// The smallest rectangle holding both; an empty rectangle does not count.
constexpr TRect UnionRect(const TRect& a, const TRect& b) {
    if (IsRectEmpty(a)) return IsRectEmpty(b) ? TRect{} : b;
    if (IsRectEmpty(b)) return a;
    return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
            std::max(a.Bottom, b.Bottom)};
}

// The rectangle with Left <= Right and Top <= Bottom.
constexpr TRect NormalizeRect(const TRect& r) {
    return {std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
            std::max(r.Top, r.Bottom)};
}

}  // namespace dsp
