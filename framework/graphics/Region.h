#pragma once
// TRegion: a set of pixels for clipping, in the device coordinates of a canvas (relative to
// its surface origin, not moved by the viewport origin). Shapes cover the same pixels as the
// canvas fills them.

#include <memory>
#include <vector>

#include "framework/graphics/Geometry.h"

namespace dsp {

// Result kinds of region operations.
enum TRegionKind { NULLREGION = 1, SIMPLEREGION = 2, COMPLEXREGION = 3 };
// Combining modes.
enum TCombineMode { RGN_AND = 1, RGN_OR = 2, RGN_XOR = 3, RGN_DIFF = 4, RGN_COPY = 5 };
// Polygon fill modes.
enum TPolyFillMode { ALTERNATE = 1, WINDING = 2 };

struct TRegionData;  // the host toolkit's region

class TRegion {
public:
    TRegion();  // empty
    TRegion(const TRegion& other);
    TRegion& operator=(const TRegion& other);
    TRegion(TRegion&&) noexcept;
    TRegion& operator=(TRegion&&) noexcept;
    ~TRegion();

    bool Empty() const;
    // NULLREGION, SIMPLEREGION (one rectangle) or COMPLEXREGION.
    TRegionKind Kind() const;
    // The smallest rectangle that holds the region; all zero when it is empty.
    TRect BoundingBox() const;
    bool Contains(int x, int y) const;
    void Offset(int dx, int dy);
    bool operator==(const TRegion& other) const;

    const TRegionData& Data() const { return *data_; }
    TRegionData& Data() { return *data_; }

private:
    std::unique_ptr<TRegionData> data_;
};

TRegion CreateRectRgn(int left, int top, int right, int bottom);
TRegion CreateRectRgnIndirect(const TRect& r);
TRegion CreateEllipticRgn(int left, int top, int right, int bottom);
// The rectangle with corners cut by quarters of an ellipse of cornerWidth x cornerHeight.
TRegion CreateRoundRectRgn(int left, int top, int right, int bottom, int cornerWidth,
                           int cornerHeight);
TRegion CreatePolygonRgn(const std::vector<TPoint>& points, TPolyFillMode mode);
// dest := a (mode) b; returns the kind of the result.
TRegionKind CombineRgn(TRegion& dest, const TRegion& a, const TRegion& b, TCombineMode mode);
TRect GetRgnBox(const TRegion& region);
bool PtInRegion(const TRegion& region, int x, int y);
void OffsetRgn(TRegion& region, int dx, int dy);

}  // namespace dsp
