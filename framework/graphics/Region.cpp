#include "framework/graphics/Region.h"

#include "framework/graphics/Raster.h"
#include "framework/graphics/RegionQt.h"

namespace dsp {

TRegion::TRegion() : data_(std::make_unique<TRegionData>()) {}
TRegion::TRegion(const TRegion& other) : data_(std::make_unique<TRegionData>(*other.data_)) {}
TRegion& TRegion::operator=(const TRegion& other) {
    if (this != &other) *data_ = *other.data_;
    return *this;
}
TRegion::TRegion(TRegion&& other) noexcept : data_(std::make_unique<TRegionData>()) {
    data_.swap(other.data_);
}
TRegion& TRegion::operator=(TRegion&& other) noexcept {
    data_.swap(other.data_);
    return *this;
}
TRegion::~TRegion() = default;

bool TRegion::Empty() const { return data_->region.isEmpty(); }

TRegionKind TRegion::Kind() const {
    if (data_->region.isEmpty()) return NULLREGION;
    return data_->region.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

TRect TRegion::BoundingBox() const {
    if (data_->region.isEmpty()) return {};
    const QRect b = data_->region.boundingRect();
    return {b.left(), b.top(), b.right() + 1, b.bottom() + 1};
}

bool TRegion::Contains(int x, int y) const { return data_->region.contains(QPoint(x, y)); }

void TRegion::Offset(int dx, int dy) { data_->region.translate(dx, dy); }

bool TRegion::operator==(const TRegion& other) const {
    return data_->region == other.data_->region;
}

TRegion CreateRectRgn(int left, int top, int right, int bottom) {
    const TRect r = NormalizeRect({left, top, right, bottom});
    if (IsRectEmpty(r)) return {};
    return RegionFromQt(QRegion(r.Left, r.Top, r.Width(), r.Height()));
}

TRegion CreateRectRgnIndirect(const TRect& r) {
    return CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom);
}

TRegion CreateEllipticRgn(int left, int top, int right, int bottom) {
    const TRect r = NormalizeRect({left, top, right, bottom});
    return RegionFromQt(raster::RegionFromSpans(
        raster::ShapeSpans(raster::EllipseShape(r.Left, r.Top, r.Right, r.Bottom))));
}

TRegion CreateRoundRectRgn(int left, int top, int right, int bottom, int cornerWidth,
                           int cornerHeight) {
    const TRect r = NormalizeRect({left, top, right, bottom});
    return RegionFromQt(raster::RegionFromSpans(raster::ShapeSpans(
        raster::RoundRectShape(r.Left, r.Top, r.Right, r.Bottom, cornerWidth, cornerHeight))));
}

TRegion CreatePolygonRgn(const std::vector<TPoint>& points, TPolyFillMode mode) {
    std::vector<QPoint> qpoints;
    qpoints.reserve(points.size());
    for (const TPoint& p : points) qpoints.emplace_back(p.X, p.Y);
    return RegionFromQt(raster::RegionFromSpans(raster::PolygonSpans(qpoints, mode == WINDING)));
}

TRegionKind CombineRgn(TRegion& dest, const TRegion& a, const TRegion& b, TCombineMode mode) {
    const QRegion& qa = a.Data().region;
    const QRegion& qb = b.Data().region;
    QRegion result;
    switch (mode) {
        case RGN_AND: result = qa.intersected(qb); break;
        case RGN_OR: result = qa.united(qb); break;
        case RGN_XOR: result = qa.xored(qb); break;
        case RGN_DIFF: result = qa.subtracted(qb); break;
        case RGN_COPY: result = qa; break;
    }
    dest.Data().region = result;
    return dest.Kind();
}

TRect GetRgnBox(const TRegion& region) { return region.BoundingBox(); }

bool PtInRegion(const TRegion& region, int x, int y) { return region.Contains(x, y); }

void OffsetRgn(TRegion& region, int dx, int dy) { region.Offset(dx, dy); }

}  // namespace dsp
