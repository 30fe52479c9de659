// The anti-aliased drawing layer: paths, matrices, pens, brushes, regions, string formats and
// fonts.

#include <QFontDatabase>
#include <QFontMetricsF>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "framework/graphics/FontSet.h"
#include "framework/graphics/GdiPlusQt.h"

namespace dsp::Gdiplus {

namespace {

constexpr double kDegrees = std::numbers::pi / 180.0;

template <typename T, typename... Args>
Status Create(T** out, Args&&... args) {
    if (out == nullptr) return InvalidParameter;
    *out = new T{std::forward<Args>(args)...};
    return Ok;
}

void Touch(GpPath& p) {
    p.anythingElse = true;
    p.soleEllipse.reset();
}

// Starts a figure at pt, or joins pt to the open figure with a straight line.
void StartOrJoin(GpPath& p, QPointF pt) {
    if (p.newFigure) {
        p.path.moveTo(pt);
        p.newFigure = false;
    } else {
        p.path.lineTo(pt);
    }
}

// The parametric angle (degrees, clockwise on screen) of the ellipse point that lies at the
// geometric angle theta from the centre, unwrapped to stay near theta.
double ParametricAngle(double theta, double a, double b) {
    if (a <= 0 || b <= 0 || a == b) return theta;
    const double t =
        std::atan2(a * std::sin(theta * kDegrees), b * std::cos(theta * kDegrees)) / kDegrees;
    return t + 360.0 * std::round((theta - t) / 360.0);
}

// Appends the arc of the box from startAngle over sweepAngle (degrees, clockwise, geometric),
// joined to the open figure by a straight line.
void AppendArc(GpPath& p, const QRectF& box, double startAngle, double sweepAngle) {
    sweepAngle = std::clamp(sweepAngle, -360.0, 360.0);
    const double a = box.width() / 2;
    const double b = box.height() / 2;
    const double t0 = ParametricAngle(startAngle, a, b);
    double t1 = ParametricAngle(startAngle + sweepAngle, a, b);
    if (std::abs(sweepAngle) >= 360.0) t1 = t0 + sweepAngle;
    // The host toolkit counts angles counter-clockwise.
    if (p.newFigure) {
        p.path.arcMoveTo(box, -t0);
        p.newFigure = false;
    }
    p.path.arcTo(box, -t0, -(t1 - t0));
}

std::vector<QPointF> ToPoints(const GpPointF* points, INT count) {
    std::vector<QPointF> v;
    v.reserve(static_cast<std::size_t>(count));
    for (INT i = 0; i < count; ++i) v.emplace_back(points[i].X, points[i].Y);
    return v;
}

std::vector<QPointF> ToPoints(const GpPoint* points, INT count) {
    std::vector<QPointF> v;
    v.reserve(static_cast<std::size_t>(count));
    for (INT i = 0; i < count; ++i) v.emplace_back(points[i].X, points[i].Y);
    return v;
}

Status AddCurve(GpPath* path, std::vector<QPointF> pts, REAL tension) {
    if (path == nullptr || pts.size() < 2) return InvalidParameter;
    Touch(*path);
    StartOrJoin(*path, pts.front());
    AddCardinalSpline(path->path, pts, tension);
    return Ok;
}

Status AddPolygon(GpPath* path, const std::vector<QPointF>& pts) {
    if (path == nullptr || pts.size() < 2) return InvalidParameter;
    Touch(*path);
    path->path.moveTo(pts.front());
    for (std::size_t i = 1; i < pts.size(); ++i) path->path.lineTo(pts[i]);
    path->path.closeSubpath();
    path->newFigure = true;
    return Ok;
}

QTransform Combine(const QTransform& m, const QTransform& op, MatrixOrder order) {
    return order == MatrixOrderAppend ? m * op : op * m;
}

// The gradient line of a rectangle at an angle (degrees clockwise): the rectangle's corners
// project onto 0 and 1.
void AngleLine(const QRectF& r, double angle, QPointF& start, QPointF& end) {
    const QPointF d(std::cos(angle * kDegrees), std::sin(angle * kDegrees));
    const QPointF corners[] = {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()};
    double lo = 1e300;
    double hi = -1e300;
    for (const QPointF& c : corners) {
        const double p = c.x() * d.x() + c.y() * d.y();
        lo = std::min(lo, p);
        hi = std::max(hi, p);
    }
    start = d * lo;
    end = d * hi;
}

Status MakeLine(GpLineGradient** out, const QRectF& rect, QPointF start, QPointF end,
                QTransform transform, ARGB c1, ARGB c2, WrapMode wrap) {
    if (out == nullptr) return InvalidParameter;
    if (wrap == WrapModeClamp) return InvalidParameter;
    auto* b = new GpBrush;
    b->kind = BrushKind::Linear;
    b->rect = rect;
    b->start = start;
    b->end = end;
    b->transform = transform;
    b->color = c1;
    b->color2 = c2;
    b->wrap = wrap;
    *out = b;
    return Ok;
}

Status LineFromRect(const QRectF& r, ARGB c1, ARGB c2, LinearGradientMode mode, WrapMode wrap,
                    GpLineGradient** out) {
    if (r.width() <= 0 || r.height() <= 0) return out ? (*out = nullptr, OutOfMemory) : OutOfMemory;
    // Diagonals run corner to corner with isolines along the other diagonal: a 45-degree
    // gradient of the unit square stretched over the rectangle.
    const QTransform unit(r.width(), 0, 0, r.height(), r.x(), r.y());
    switch (mode) {
        case LinearGradientModeHorizontal:
            return MakeLine(out, r, r.topLeft(), r.topRight(), {}, c1, c2, wrap);
        case LinearGradientModeVertical:
            return MakeLine(out, r, r.topLeft(), r.bottomLeft(), {}, c1, c2, wrap);
        case LinearGradientModeForwardDiagonal:
            return MakeLine(out, r, {0, 0}, {1, 1}, unit, c1, c2, wrap);
        case LinearGradientModeBackwardDiagonal:
            return MakeLine(out, r, {1, 0}, {0, 1}, unit, c1, c2, wrap);
    }
    return InvalidParameter;
}

Status LineFromAngle(const QRectF& r, ARGB c1, ARGB c2, REAL angle, BOOL scalable, WrapMode wrap,
                     GpLineGradient** out) {
    if (r.width() <= 0 || r.height() <= 0) return out ? (*out = nullptr, OutOfMemory) : OutOfMemory;
    QPointF start;
    QPointF end;
    if (scalable) {
        AngleLine(QRectF(0, 0, 1, 1), angle, start, end);
        return MakeLine(out, r, start, end, QTransform(r.width(), 0, 0, r.height(), r.x(), r.y()),
                        c1, c2, wrap);
    }
    AngleLine(r, angle, start, end);
    return MakeLine(out, r, start, end, {}, c1, c2, wrap);
}

Status SetBlend(std::vector<std::pair<REAL, ARGB>>& blend, const ARGB* colors,
                const REAL* positions, INT count) {
    if (colors == nullptr || positions == nullptr || count < 2) return InvalidParameter;
    blend.clear();
    for (INT i = 0; i < count; ++i)
        blend.emplace_back(std::clamp(positions[i], 0.0f, 1.0f), colors[i]);
    return Ok;
}

QPainterPath Materialize(const GpRegion& r) {
    if (!r.infinite) return r.path;
    QPainterPath p;
    constexpr double kHuge = 1 << 22;
    p.addRect(-kHuge, -kHuge, 2 * kHuge, 2 * kHuge);
    return p;
}

void CombineInto(GpRegion& target, const GpRegion& other, CombineMode mode) {
    switch (mode) {
        case CombineModeReplace: target = other; return;
        case CombineModeIntersect:
            if (target.infinite) {
                target = other;
            } else if (!other.infinite) {
                target.path = target.path.intersected(other.path);
            }
            return;
        case CombineModeUnion:
            if (target.infinite || other.infinite) {
                target.infinite = true;
                target.path = {};
            } else {
                target.path = target.path.united(other.path);
            }
            return;
        case CombineModeXor: {
            const QPainterPath a = Materialize(target);
            const QPainterPath b = Materialize(other);
            target.path = a.united(b).subtracted(a.intersected(b));
            target.infinite = false;
            return;
        }
        case CombineModeExclude:
            target.path = Materialize(target).subtracted(Materialize(other));
            target.infinite = false;
            return;
        case CombineModeComplement:
            target.path = Materialize(other).subtracted(Materialize(target));
            target.infinite = false;
            return;
    }
}

REAL PixelsPerUnit(Unit unit) {
    switch (unit) {
        case UnitWorld:
        case UnitPixel: return 1.0f;
        case UnitPoint: return 96.0f / 72.0f;
        case UnitInch: return 96.0f;
        case UnitDocument: return 96.0f / 300.0f;
        case UnitMillimeter: return 96.0f / 25.4f;
        case UnitDisplay: break;
    }
    return 0.0f;
}

}  // namespace

void AddCardinalSpline(QPainterPath& path, const std::vector<QPointF>& pts, REAL tension) {
    const double k = tension / 3.0;
    const std::size_t n = pts.size();
    for (std::size_t i = 0; i + 1 < n; ++i) {
        const QPointF& p0 = pts[i];
        const QPointF& p1 = pts[i + 1];
        const QPointF& before = pts[i == 0 ? 0 : i - 1];
        const QPointF& after = pts[i + 2 < n ? i + 2 : n - 1];
        path.cubicTo(p0 + k * (p1 - before), p1 - k * (after - p0), p1);
    }
}

// ---- paths

Status GdipCreatePath(FillMode fillMode, GpPath** path) {
    if (path == nullptr) return InvalidParameter;
    *path = new GpPath;
    (*path)->fillMode = fillMode;
    return Ok;
}

Status GdipDeletePath(GpPath* path) {
    if (path == nullptr) return InvalidParameter;
    delete path;
    return Ok;
}

Status GdipResetPath(GpPath* path) {
    if (path == nullptr) return InvalidParameter;
    const FillMode mode = path->fillMode;
    *path = GpPath{};
    path->fillMode = mode;
    return Ok;
}

Status GdipClosePathFigure(GpPath* path) {
    if (path == nullptr) return InvalidParameter;
    if (!path->newFigure) path->path.closeSubpath();
    path->newFigure = true;
    return Ok;
}

Status GdipGetPointCount(GpPath* path, INT* count) {
    if (path == nullptr || count == nullptr) return InvalidParameter;
    *count = path->path.elementCount();
    return Ok;
}

Status GdipAddPathLine(GpPath* path, REAL x1, REAL y1, REAL x2, REAL y2) {
    if (path == nullptr) return InvalidParameter;
    Touch(*path);
    StartOrJoin(*path, {x1, y1});
    path->path.lineTo(x2, y2);
    return Ok;
}

Status GdipAddPathLine2I(GpPath* path, const GpPoint* points, INT count) {
    if (path == nullptr || points == nullptr || count < 1) return InvalidParameter;
    Touch(*path);
    StartOrJoin(*path, QPointF(points[0].X, points[0].Y));
    for (INT i = 1; i < count; ++i) path->path.lineTo(points[i].X, points[i].Y);
    return Ok;
}

Status GdipAddPathArc(GpPath* path, REAL x, REAL y, REAL width, REAL height, REAL startAngle,
                      REAL sweepAngle) {
    if (path == nullptr) return InvalidParameter;
    if (width <= 0 || height <= 0) return InvalidParameter;
    Touch(*path);
    AppendArc(*path, QRectF(x, y, width, height), startAngle, sweepAngle);
    return Ok;
}

Status GdipAddPathRectangle(GpPath* path, REAL x, REAL y, REAL width, REAL height) {
    if (path == nullptr) return InvalidParameter;
    if (width <= 0 || height <= 0) return Ok;
    Touch(*path);
    return AddPolygon(path, {{x, y}, {x + width, y}, {x + width, y + height}, {x, y + height}});
}

Status GdipAddPathRectangleI(GpPath* path, INT x, INT y, INT width, INT height) {
    return GdipAddPathRectangle(path, static_cast<REAL>(x), static_cast<REAL>(y),
                                static_cast<REAL>(width), static_cast<REAL>(height));
}

Status GdipAddPathEllipse(GpPath* path, REAL x, REAL y, REAL width, REAL height) {
    if (path == nullptr) return InvalidParameter;
    const bool first = path->path.elementCount() == 0 && !path->anythingElse;
    Touch(*path);
    const QRectF box(x, y, width, height);
    path->path.addEllipse(box);
    path->newFigure = true;
    if (first) path->soleEllipse = box;
    return Ok;
}

Status GdipAddPathPie(GpPath* path, REAL x, REAL y, REAL width, REAL height, REAL startAngle,
                      REAL sweepAngle) {
    if (path == nullptr || width <= 0 || height <= 0) return InvalidParameter;
    Touch(*path);
    const QRectF box(x, y, width, height);
    path->path.moveTo(box.center());
    path->newFigure = false;
    AppendArc(*path, box, startAngle, sweepAngle);
    path->path.closeSubpath();
    path->newFigure = true;
    return Ok;
}

Status GdipAddPathPolygon(GpPath* path, const GpPointF* points, INT count) {
    if (points == nullptr || count < 2) return InvalidParameter;
    return AddPolygon(path, ToPoints(points, count));
}

Status GdipAddPathPolygonI(GpPath* path, const GpPoint* points, INT count) {
    if (points == nullptr || count < 2) return InvalidParameter;
    return AddPolygon(path, ToPoints(points, count));
}

Status GdipAddPathCurve(GpPath* path, const GpPointF* points, INT count) {
    if (points == nullptr || count < 2) return InvalidParameter;
    return AddCurve(path, ToPoints(points, count), 0.5f);
}

Status GdipAddPathCurveI(GpPath* path, const GpPoint* points, INT count) {
    if (points == nullptr || count < 2) return InvalidParameter;
    return AddCurve(path, ToPoints(points, count), 0.5f);
}

Status GdipAddPathCurve2I(GpPath* path, const GpPoint* points, INT count, REAL tension) {
    if (points == nullptr || count < 2 || !(tension >= 0)) return InvalidParameter;
    return AddCurve(path, ToPoints(points, count), tension);
}

Status GdipAddPathBezier(GpPath* path, REAL x1, REAL y1, REAL x2, REAL y2, REAL x3, REAL y3,
                         REAL x4, REAL y4) {
    if (path == nullptr) return InvalidParameter;
    Touch(*path);
    StartOrJoin(*path, {x1, y1});
    path->path.cubicTo(x2, y2, x3, y3, x4, y4);
    return Ok;
}

Status GdipAddPathString(GpPath* path, const char* string, INT length, const GpFontFamily* family,
                         INT style, REAL emSize, const GpRectF* layoutRect,
                         const GpStringFormat* /*format*/) {
    if (path == nullptr || string == nullptr || family == nullptr || layoutRect == nullptr ||
        !(emSize > 0))
        return InvalidParameter;
    const QString text = QString::fromUtf8(string, length < 0 ? -1 : length);
    QFont font(family->family);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(emSize))));
    font.setBold((style & FontStyleBold) != 0);
    font.setItalic((style & FontStyleItalic) != 0);
    const QFontMetricsF metrics(font);
    Touch(*path);
    path->path.addText(layoutRect->X + emSize / 6.0, layoutRect->Y + metrics.ascent(), font, text);
    path->newFigure = true;
    return Ok;
}

// ---- matrices

Status GdipCreateMatrix(GpMatrix** matrix) { return Create(matrix); }

Status GdipCreateMatrix2(REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy,
                         GpMatrix** matrix) {
    return Create(matrix, QTransform(m11, m12, m21, m22, dx, dy));
}

Status GdipCreateMatrix3(const GpRectF* rect, const GpPointF* dstplg, GpMatrix** matrix) {
    if (rect == nullptr || dstplg == nullptr || rect->Width == 0 || rect->Height == 0)
        return InvalidParameter;
    const double sx = 1.0 / rect->Width;
    const double sy = 1.0 / rect->Height;
    const QPointF o(dstplg[0].X, dstplg[0].Y);
    const QPointF ux = (QPointF(dstplg[1].X, dstplg[1].Y) - o) * sx;
    const QPointF uy = (QPointF(dstplg[2].X, dstplg[2].Y) - o) * sy;
    const QTransform toUnit = QTransform::fromTranslate(-rect->X, -rect->Y);
    return Create(matrix, toUnit * QTransform(ux.x(), ux.y(), uy.x(), uy.y(), o.x(), o.y()));
}

Status GdipCreateMatrix3I(const GpRect* rect, const GpPoint* dstplg, GpMatrix** matrix) {
    if (rect == nullptr || dstplg == nullptr) return InvalidParameter;
    const GpRectF r{static_cast<REAL>(rect->X), static_cast<REAL>(rect->Y),
                    static_cast<REAL>(rect->Width), static_cast<REAL>(rect->Height)};
    GpPointF p[3];
    for (int i = 0; i < 3; ++i)
        p[i] = {static_cast<REAL>(dstplg[i].X), static_cast<REAL>(dstplg[i].Y)};
    return GdipCreateMatrix3(&r, p, matrix);
}

Status GdipCloneMatrix(GpMatrix* matrix, GpMatrix** cloneMatrix) {
    if (matrix == nullptr) return InvalidParameter;
    return Create(cloneMatrix, matrix->m);
}

Status GdipDeleteMatrix(GpMatrix* matrix) {
    if (matrix == nullptr) return InvalidParameter;
    delete matrix;
    return Ok;
}

Status GdipGetMatrixElements(const GpMatrix* matrix, REAL* out) {
    if (matrix == nullptr || out == nullptr) return InvalidParameter;
    const QTransform& m = matrix->m;
    const double v[6] = {m.m11(), m.m12(), m.m21(), m.m22(), m.dx(), m.dy()};
    for (int i = 0; i < 6; ++i) out[i] = static_cast<REAL>(v[i]);
    return Ok;
}

Status GdipSetMatrixElements(GpMatrix* matrix, REAL m11, REAL m12, REAL m21, REAL m22, REAL dx,
                             REAL dy) {
    if (matrix == nullptr) return InvalidParameter;
    matrix->m = QTransform(m11, m12, m21, m22, dx, dy);
    return Ok;
}

Status GdipMultiplyMatrix(GpMatrix* matrix, GpMatrix* matrix2, MatrixOrder order) {
    if (matrix == nullptr || matrix2 == nullptr) return InvalidParameter;
    matrix->m = Combine(matrix->m, matrix2->m, order);
    return Ok;
}

Status GdipTranslateMatrix(GpMatrix* matrix, REAL offsetX, REAL offsetY, MatrixOrder order) {
    if (matrix == nullptr) return InvalidParameter;
    matrix->m = Combine(matrix->m, QTransform::fromTranslate(offsetX, offsetY), order);
    return Ok;
}

Status GdipScaleMatrix(GpMatrix* matrix, REAL scaleX, REAL scaleY, MatrixOrder order) {
    if (matrix == nullptr) return InvalidParameter;
    matrix->m = Combine(matrix->m, QTransform::fromScale(scaleX, scaleY), order);
    return Ok;
}

Status GdipRotateMatrix(GpMatrix* matrix, REAL angle, MatrixOrder order) {
    if (matrix == nullptr) return InvalidParameter;
    matrix->m = Combine(matrix->m, QTransform().rotate(angle), order);
    return Ok;
}

Status GdipShearMatrix(GpMatrix* matrix, REAL shearX, REAL shearY, MatrixOrder order) {
    if (matrix == nullptr) return InvalidParameter;
    matrix->m = Combine(matrix->m, QTransform().shear(shearX, shearY), order);
    return Ok;
}

Status GdipInvertMatrix(GpMatrix* matrix) {
    if (matrix == nullptr) return InvalidParameter;
    bool invertible = false;
    const QTransform inverse = matrix->m.inverted(&invertible);
    if (!invertible) return InvalidParameter;
    matrix->m = inverse;
    return Ok;
}

Status GdipTransformMatrixPoints(GpMatrix* matrix, GpPointF* points, INT count) {
    if (matrix == nullptr || points == nullptr || count <= 0) return InvalidParameter;
    for (INT i = 0; i < count; ++i) {
        const QPointF p = matrix->m.map(QPointF(points[i].X, points[i].Y));
        points[i] = {static_cast<REAL>(p.x()), static_cast<REAL>(p.y())};
    }
    return Ok;
}

Status GdipTransformMatrixPointsI(GpMatrix* matrix, GpPoint* points, INT count) {
    if (matrix == nullptr || points == nullptr || count <= 0) return InvalidParameter;
    for (INT i = 0; i < count; ++i) {
        const QPointF p = matrix->m.map(QPointF(points[i].X, points[i].Y));
        points[i] = {static_cast<INT>(std::lround(p.x())), static_cast<INT>(std::lround(p.y()))};
    }
    return Ok;
}

Status GdipVectorTransformMatrixPoints(GpMatrix* matrix, GpPointF* points, INT count) {
    if (matrix == nullptr || points == nullptr || count <= 0) return InvalidParameter;
    const QTransform& m = matrix->m;
    for (INT i = 0; i < count; ++i) {
        const double x = points[i].X;
        const double y = points[i].Y;
        points[i] = {static_cast<REAL>(x * m.m11() + y * m.m21()),
                     static_cast<REAL>(x * m.m12() + y * m.m22())};
    }
    return Ok;
}

Status GdipVectorTransformMatrixPointsI(GpMatrix* matrix, GpPoint* points, INT count) {
    if (matrix == nullptr || points == nullptr || count <= 0) return InvalidParameter;
    const QTransform& m = matrix->m;
    for (INT i = 0; i < count; ++i) {
        const double x = points[i].X;
        const double y = points[i].Y;
        points[i] = {static_cast<INT>(std::lround(x * m.m11() + y * m.m21())),
                     static_cast<INT>(std::lround(x * m.m12() + y * m.m22()))};
    }
    return Ok;
}

Status GdipIsMatrixInvertible(const GpMatrix* matrix, BOOL* result) {
    if (matrix == nullptr || result == nullptr) return InvalidParameter;
    *result = matrix->m.isInvertible() ? 1 : 0;
    return Ok;
}

Status GdipIsMatrixIdentity(const GpMatrix* matrix, BOOL* result) {
    if (matrix == nullptr || result == nullptr) return InvalidParameter;
    *result = matrix->m.isIdentity() ? 1 : 0;
    return Ok;
}

// ---- pens

Status GdipCreatePen1(ARGB color, REAL width, Unit unit, GpPen** pen) {
    if (pen == nullptr || unit == UnitDisplay) return InvalidParameter;
    *pen = new GpPen;
    (*pen)->brush = std::make_unique<GpBrush>();
    (*pen)->brush->color = color;
    (*pen)->width = width;
    (*pen)->unit = unit;
    return Ok;
}

Status GdipCreatePen2(GpBrush* brush, REAL width, Unit unit, GpPen** pen) {
    if (pen == nullptr || brush == nullptr || unit == UnitDisplay) return InvalidParameter;
    *pen = new GpPen;
    (*pen)->brush = std::make_unique<GpBrush>(*brush);
    (*pen)->width = width;
    (*pen)->unit = unit;
    return Ok;
}

Status GdipDeletePen(GpPen* pen) {
    if (pen == nullptr) return InvalidParameter;
    delete pen;
    return Ok;
}

Status GdipSetPenBrushFill(GpPen* pen, GpBrush* brush) {
    if (pen == nullptr || brush == nullptr) return InvalidParameter;
    pen->brush = std::make_unique<GpBrush>(*brush);
    return Ok;
}

Status GdipGetPenBrushFill(GpPen* pen, GpBrush** brush) {
    if (pen == nullptr || brush == nullptr) return InvalidParameter;
    *brush = new GpBrush(*pen->brush);
    return Ok;
}

Status GdipGetPenFillType(GpPen* pen, PenType* type) {
    if (pen == nullptr || type == nullptr) return InvalidParameter;
    switch (pen->brush->kind) {
        case BrushKind::Solid: *type = PenTypeSolidColor; break;
        case BrushKind::Hatch: *type = PenTypeHatchFill; break;
        case BrushKind::Texture: *type = PenTypeTextureFill; break;
        case BrushKind::PathGradient: *type = PenTypePathGradient; break;
        case BrushKind::Linear: *type = PenTypeLinearGradient; break;
    }
    return Ok;
}

Status GdipSetPenDashStyle(GpPen* pen, DashStyle dashStyle) {
    if (pen == nullptr || dashStyle < DashStyleSolid || dashStyle > DashStyleCustom)
        return InvalidParameter;
    pen->dash = dashStyle;
    return Ok;
}

Status GdipGetPenDashStyle(GpPen* pen, DashStyle* dashStyle) {
    if (pen == nullptr || dashStyle == nullptr) return InvalidParameter;
    *dashStyle = pen->dash;
    return Ok;
}

Status GdipSetPenEndCap(GpPen* pen, LineCap endCap) {
    if (pen == nullptr) return InvalidParameter;
    pen->endCap = endCap;
    return Ok;
}

// ---- brushes

Status GdipDeleteBrush(GpBrush* brush) {
    if (brush == nullptr) return InvalidParameter;
    delete brush;
    return Ok;
}

Status GdipCreateSolidFill(ARGB color, GpSolidFill** brush) {
    if (brush == nullptr) return InvalidParameter;
    *brush = new GpBrush;
    (*brush)->color = color;
    return Ok;
}

Status GdipCreateHatchBrush(HatchStyle hatchStyle, ARGB foreColor, ARGB backColor,
                            GpHatch** brush) {
    if (brush == nullptr) return InvalidParameter;
    if (hatchStyle < HatchStyleMin || hatchStyle > HatchStyleMax) {
        *brush = nullptr;
        return InvalidParameter;
    }
    *brush = new GpBrush;
    (*brush)->kind = BrushKind::Hatch;
    (*brush)->hatch = hatchStyle;
    (*brush)->color = foreColor;
    (*brush)->backColor = backColor;
    return Ok;
}

Status GdipGetHatchStyle(GpHatch* brush, HatchStyle* hatchStyle) {
    if (brush == nullptr || hatchStyle == nullptr || brush->kind != BrushKind::Hatch)
        return InvalidParameter;
    *hatchStyle = brush->hatch;
    return Ok;
}

Status GdipGetHatchForegroundColor(GpHatch* brush, ARGB* color) {
    if (brush == nullptr || color == nullptr || brush->kind != BrushKind::Hatch)
        return InvalidParameter;
    *color = brush->color;
    return Ok;
}

Status GdipGetHatchBackgroundColor(GpHatch* brush, ARGB* color) {
    if (brush == nullptr || color == nullptr || brush->kind != BrushKind::Hatch)
        return InvalidParameter;
    *color = brush->backColor;
    return Ok;
}

namespace {

Status MakeTexture(GpImage* image, const GpImageAttributes* attributes, WrapMode wrap,
                   const QRectF& part, GpTexture** texture) {
    if (texture == nullptr) return InvalidParameter;
    *texture = nullptr;
    if (image == nullptr || image->Pixels().isNull()) return InvalidParameter;
    QImage picture = image->Pixels();
    if (!part.isNull()) {
        const QRect r = part.toRect().intersected(picture.rect());
        if (r.isEmpty()) return OutOfMemory;
        picture = picture.copy(r);
    }
    auto* b = new GpBrush;
    b->kind = BrushKind::Texture;
    b->texture = ApplyAttributes(picture, attributes, ColorAdjustTypeBrush)
                     .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    b->wrap = wrap;
    *texture = b;
    return Ok;
}

}  // namespace

Status GdipCreateTexture(GpImage* image, WrapMode wrapMode, GpTexture** texture) {
    return MakeTexture(image, nullptr, wrapMode, {}, texture);
}

Status GdipCreateTexture2(GpImage* image, WrapMode wrapMode, REAL x, REAL y, REAL width,
                          REAL height, GpTexture** texture) {
    return MakeTexture(image, nullptr, wrapMode, QRectF(x, y, width, height), texture);
}

Status GdipCreateTexture2I(GpImage* image, WrapMode wrapMode, INT x, INT y, INT width, INT height,
                           GpTexture** texture) {
    return MakeTexture(image, nullptr, wrapMode, QRectF(x, y, width, height), texture);
}

Status GdipCreateTextureIA(GpImage* image, const GpImageAttributes* attributes, REAL x, REAL y,
                           REAL width, REAL height, GpTexture** texture) {
    const WrapMode wrap = attributes != nullptr ? attributes->wrap : WrapModeTile;
    return MakeTexture(image, attributes, wrap == WrapModeClamp ? WrapModeTile : wrap,
                       QRectF(x, y, width, height), texture);
}

Status GdipCreateTextureIAI(GpImage* image, const GpImageAttributes* attributes, INT x, INT y,
                            INT width, INT height, GpTexture** texture) {
    return GdipCreateTextureIA(image, attributes, static_cast<REAL>(x), static_cast<REAL>(y),
                               static_cast<REAL>(width), static_cast<REAL>(height), texture);
}

namespace {
bool IsTexture(const GpBrush* b) { return b != nullptr && b->kind == BrushKind::Texture; }
}  // namespace

Status GdipResetTextureTransform(GpTexture* brush) {
    if (!IsTexture(brush)) return InvalidParameter;
    brush->transform.reset();
    return Ok;
}

Status GdipTranslateTextureTransform(GpTexture* brush, REAL dx, REAL dy, MatrixOrder order) {
    if (!IsTexture(brush)) return InvalidParameter;
    brush->transform = Combine(brush->transform, QTransform::fromTranslate(dx, dy), order);
    return Ok;
}

Status GdipScaleTextureTransform(GpTexture* brush, REAL sx, REAL sy, MatrixOrder order) {
    if (!IsTexture(brush)) return InvalidParameter;
    brush->transform = Combine(brush->transform, QTransform::fromScale(sx, sy), order);
    return Ok;
}

Status GdipRotateTextureTransform(GpTexture* brush, REAL angle, MatrixOrder order) {
    if (!IsTexture(brush)) return InvalidParameter;
    brush->transform = Combine(brush->transform, QTransform().rotate(angle), order);
    return Ok;
}

Status GdipSetTextureWrapMode(GpTexture* brush, WrapMode wrapMode) {
    if (!IsTexture(brush) || wrapMode < WrapModeTile || wrapMode > WrapModeClamp)
        return InvalidParameter;
    brush->wrap = wrapMode;
    return Ok;
}

Status GdipGetTextureWrapMode(GpTexture* brush, WrapMode* wrapMode) {
    if (!IsTexture(brush) || wrapMode == nullptr) return InvalidParameter;
    *wrapMode = brush->wrap;
    return Ok;
}

Status GdipGetTextureImage(GpTexture* brush, GpImage** image) {
    if (!IsTexture(brush) || image == nullptr) return InvalidParameter;
    *image = new GpImage;
    (*image)->Pixels() = brush->texture;
    (*image)->pixelFormat = PixelFormat32bppARGB;
    return Ok;
}

Status GdipCreateLineBrush(const GpPointF* point1, const GpPointF* point2, ARGB color1, ARGB color2,
                           WrapMode wrapMode, GpLineGradient** lineGradient) {
    if (point1 == nullptr || point2 == nullptr) return InvalidParameter;
    const QPointF a(point1->X, point1->Y);
    const QPointF b(point2->X, point2->Y);
    if (a == b) return OutOfMemory;
    return MakeLine(lineGradient, QRectF(a, b).normalized(), a, b, {}, color1, color2, wrapMode);
}

Status GdipCreateLineBrushI(const GpPoint* point1, const GpPoint* point2, ARGB color1, ARGB color2,
                            WrapMode wrapMode, GpLineGradient** lineGradient) {
    if (point1 == nullptr || point2 == nullptr) return InvalidParameter;
    const GpPointF a{static_cast<REAL>(point1->X), static_cast<REAL>(point1->Y)};
    const GpPointF b{static_cast<REAL>(point2->X), static_cast<REAL>(point2->Y)};
    return GdipCreateLineBrush(&a, &b, color1, color2, wrapMode, lineGradient);
}

Status GdipCreateLineBrushFromRect(const GpRectF* rect, ARGB color1, ARGB color2,
                                   LinearGradientMode mode, WrapMode wrapMode,
                                   GpLineGradient** lineGradient) {
    if (rect == nullptr) return InvalidParameter;
    return LineFromRect(QRectF(rect->X, rect->Y, rect->Width, rect->Height), color1, color2, mode,
                        wrapMode, lineGradient);
}

Status GdipCreateLineBrushFromRectI(const GpRect* rect, ARGB color1, ARGB color2,
                                    LinearGradientMode mode, WrapMode wrapMode,
                                    GpLineGradient** lineGradient) {
    if (rect == nullptr) return InvalidParameter;
    return LineFromRect(QRectF(rect->X, rect->Y, rect->Width, rect->Height), color1, color2, mode,
                        wrapMode, lineGradient);
}

Status GdipCreateLineBrushFromRectWithAngle(const GpRectF* rect, ARGB color1, ARGB color2,
                                            REAL angle, BOOL isAngleScalable, WrapMode wrapMode,
                                            GpLineGradient** lineGradient) {
    if (rect == nullptr) return InvalidParameter;
    return LineFromAngle(QRectF(rect->X, rect->Y, rect->Width, rect->Height), color1, color2, angle,
                         isAngleScalable, wrapMode, lineGradient);
}

Status GdipCreateLineBrushFromRectWithAngleI(const GpRect* rect, ARGB color1, ARGB color2,
                                             REAL angle, BOOL isAngleScalable, WrapMode wrapMode,
                                             GpLineGradient** lineGradient) {
    if (rect == nullptr) return InvalidParameter;
    return LineFromAngle(QRectF(rect->X, rect->Y, rect->Width, rect->Height), color1, color2, angle,
                         isAngleScalable, wrapMode, lineGradient);
}

Status GdipSetLineGammaCorrection(GpLineGradient* brush, BOOL useGammaCorrection) {
    if (brush == nullptr || brush->kind != BrushKind::Linear) return InvalidParameter;
    brush->gamma = useGammaCorrection != 0;
    return Ok;
}

Status GdipSetLinePresetBlend(GpLineGradient* brush, const ARGB* blend, const REAL* positions,
                              INT count) {
    if (brush == nullptr || brush->kind != BrushKind::Linear) return InvalidParameter;
    return SetBlend(brush->blend, blend, positions, count);
}

Status GdipCreatePathGradientFromPath(const GpPath* path, GpPathGradient** brush) {
    if (path == nullptr || brush == nullptr) return InvalidParameter;
    *brush = nullptr;
    const int points = path->path.elementCount();
    if (points < 2) return OutOfMemory;
    auto* b = new GpBrush;
    b->kind = BrushKind::PathGradient;
    b->path = path->path;
    b->path.setFillRule(path->fillMode == FillModeWinding ? Qt::WindingFill : Qt::OddEvenFill);
    b->ellipse = path->soleEllipse;
    b->pointCount = points;
    b->rect = path->path.boundingRect();
    if (b->ellipse) {
        b->center = b->ellipse->center();
    } else {
        // The centroid of the outline's area.
        double area = 0;
        QPointF moment;
        for (const QPolygonF& poly : path->path.toSubpathPolygons()) {
            for (qsizetype i = 0; i < poly.size(); ++i) {
                const QPointF a = poly[i];
                const QPointF z = poly[(i + 1) % poly.size()];
                const double cross = a.x() * z.y() - z.x() * a.y();
                area += cross;
                moment += (a + z) * cross;
            }
        }
        b->center = std::abs(area) > 1e-9 ? moment / (3.0 * area) : b->rect.center();
    }
    b->color = 0xFFFFFFFF;
    b->surround = {0xFFFFFFFF};
    b->wrap = WrapModeClamp;
    *brush = b;
    return Ok;
}

namespace {
bool IsPathGradient(const GpBrush* b) { return b != nullptr && b->kind == BrushKind::PathGradient; }
}  // namespace

Status GdipGetPathGradientCenterColor(GpPathGradient* brush, ARGB* color) {
    if (!IsPathGradient(brush) || color == nullptr) return InvalidParameter;
    *color = brush->color;
    return Ok;
}

Status GdipSetPathGradientCenterColor(GpPathGradient* brush, ARGB color) {
    if (!IsPathGradient(brush)) return InvalidParameter;
    brush->color = color;
    return Ok;
}

Status GdipGetPathGradientPointCount(GpPathGradient* brush, INT* count) {
    if (!IsPathGradient(brush) || count == nullptr) return InvalidParameter;
    *count = brush->pointCount;
    return Ok;
}

Status GdipGetPathGradientSurroundColorCount(GpPathGradient* brush, INT* count) {
    if (!IsPathGradient(brush) || count == nullptr) return InvalidParameter;
    *count = static_cast<INT>(brush->surround.size());
    return Ok;
}

Status GdipGetPathGradientSurroundColorsWithCount(GpPathGradient* brush, ARGB* colors, INT* count) {
    if (!IsPathGradient(brush) || colors == nullptr || count == nullptr) return InvalidParameter;
    const INT have = static_cast<INT>(brush->surround.size());
    if (*count < have) return InsufficientBuffer;
    std::copy(brush->surround.begin(), brush->surround.end(), colors);
    *count = have;
    return Ok;
}

Status GdipSetPathGradientSurroundColorsWithCount(GpPathGradient* brush, const ARGB* colors,
                                                  INT* count) {
    if (!IsPathGradient(brush) || colors == nullptr || count == nullptr || *count <= 0 ||
        *count > brush->pointCount)
        return InvalidParameter;
    brush->surround.assign(colors, colors + *count);
    return Ok;
}

Status GdipGetPathGradientCenterPoint(GpPathGradient* brush, GpPointF* point) {
    if (!IsPathGradient(brush) || point == nullptr) return InvalidParameter;
    *point = {static_cast<REAL>(brush->center.x()), static_cast<REAL>(brush->center.y())};
    return Ok;
}

Status GdipGetPathGradientCenterPointI(GpPathGradient* brush, GpPoint* point) {
    if (!IsPathGradient(brush) || point == nullptr) return InvalidParameter;
    *point = {static_cast<INT>(std::lround(brush->center.x())),
              static_cast<INT>(std::lround(brush->center.y()))};
    return Ok;
}

Status GdipSetPathGradientCenterPoint(GpPathGradient* brush, const GpPointF* point) {
    if (!IsPathGradient(brush) || point == nullptr) return InvalidParameter;
    brush->center = QPointF(point->X, point->Y);
    return Ok;
}

Status GdipSetPathGradientCenterPointI(GpPathGradient* brush, const GpPoint* point) {
    if (!IsPathGradient(brush) || point == nullptr) return InvalidParameter;
    brush->center = QPointF(point->X, point->Y);
    return Ok;
}

Status GdipSetPathGradientWrapMode(GpPathGradient* brush, WrapMode wrapMode) {
    if (!IsPathGradient(brush)) return InvalidParameter;
    brush->wrap = wrapMode;
    return Ok;
}

Status GdipSetPathGradientGammaCorrection(GpPathGradient* brush, BOOL useGammaCorrection) {
    if (!IsPathGradient(brush)) return InvalidParameter;
    brush->gamma = useGammaCorrection != 0;
    return Ok;
}

Status GdipSetPathGradientPresetBlend(GpPathGradient* brush, const ARGB* blend,
                                      const REAL* positions, INT count) {
    if (!IsPathGradient(brush)) return InvalidParameter;
    return SetBlend(brush->blend, blend, positions, count);
}

// ---- regions

Status GdipCreateRegionRect(const GpRectF* rect, GpRegion** region) {
    if (rect == nullptr || region == nullptr) return InvalidParameter;
    *region = new GpRegion;
    (*region)->path.addRect(rect->X, rect->Y, rect->Width, rect->Height);
    return Ok;
}

Status GdipCreateRegionPath(GpPath* path, GpRegion** region) {
    if (path == nullptr || region == nullptr) return InvalidParameter;
    *region = new GpRegion;
    (*region)->path = path->path;
    (*region)->path.setFillRule(path->fillMode == FillModeWinding ? Qt::WindingFill
                                                                  : Qt::OddEvenFill);
    return Ok;
}

Status GdipDeleteRegion(GpRegion* region) {
    if (region == nullptr) return InvalidParameter;
    delete region;
    return Ok;
}

Status GdipCombineRegionPath(GpRegion* region, GpPath* path, CombineMode mode) {
    if (region == nullptr || path == nullptr || mode < CombineModeReplace ||
        mode > CombineModeComplement)
        return InvalidParameter;
    GpRegion other;
    other.path = path->path;
    other.path.setFillRule(path->fillMode == FillModeWinding ? Qt::WindingFill : Qt::OddEvenFill);
    CombineInto(*region, other, mode);
    return Ok;
}

Status GdipCombineRegionRegion(GpRegion* region, GpRegion* region2, CombineMode mode) {
    if (region == nullptr || region2 == nullptr || mode < CombineModeReplace ||
        mode > CombineModeComplement)
        return InvalidParameter;
    const GpRegion other = *region2;
    CombineInto(*region, other, mode);
    return Ok;
}

// The clip that results from combining the current one (none: everything) with a shape.
std::optional<QPainterPath> CombineClip(const std::optional<QPainterPath>& current,
                                        const QPainterPath& shape, CombineMode mode) {
    GpRegion target;
    if (current) {
        target.path = *current;
    } else {
        target.infinite = true;
    }
    GpRegion other;
    other.path = shape;
    CombineInto(target, other, mode);
    if (target.infinite) return std::nullopt;
    return target.path;
}

// ---- string formats

Status GdipCreateStringFormat(INT formatAttributes, LANGID language, GpStringFormat** format) {
    if (format == nullptr) return InvalidParameter;
    *format = new GpStringFormat;
    (*format)->flags = formatAttributes;
    (*format)->language = language;
    return Ok;
}

Status GdipCloneStringFormat(const GpStringFormat* format, GpStringFormat** newFormat) {
    if (format == nullptr || newFormat == nullptr) return InvalidParameter;
    *newFormat = new GpStringFormat(*format);
    return Ok;
}

Status GdipDeleteStringFormat(GpStringFormat* format) {
    if (format == nullptr) return InvalidParameter;
    delete format;
    return Ok;
}

Status GdipSetStringFormatAlign(GpStringFormat* format, StringAlignment align) {
    if (format == nullptr || align < StringAlignmentNear || align > StringAlignmentFar)
        return InvalidParameter;
    format->align = align;
    return Ok;
}

Status GdipGetStringFormatAlign(GpStringFormat* format, StringAlignment* align) {
    if (format == nullptr || align == nullptr) return InvalidParameter;
    *align = format->align;
    return Ok;
}

Status GdipSetStringFormatLineAlign(GpStringFormat* format, StringAlignment align) {
    if (format == nullptr || align < StringAlignmentNear || align > StringAlignmentFar)
        return InvalidParameter;
    format->lineAlign = align;
    return Ok;
}

Status GdipGetStringFormatLineAlign(GpStringFormat* format, StringAlignment* align) {
    if (format == nullptr || align == nullptr) return InvalidParameter;
    *align = format->lineAlign;
    return Ok;
}

Status GdipSetStringFormatFlags(GpStringFormat* format, INT flags) {
    if (format == nullptr) return InvalidParameter;
    format->flags = flags;
    return Ok;
}

Status GdipGetStringFormatFlags(GpStringFormat* format, INT* flags) {
    if (format == nullptr || flags == nullptr) return InvalidParameter;
    *flags = format->flags;
    return Ok;
}

Status GdipSetStringFormatTrimming(GpStringFormat* format, StringTrimming trimming) {
    if (format == nullptr || trimming < StringTrimmingNone || trimming > StringTrimmingEllipsisPath)
        return InvalidParameter;
    format->trimming = trimming;
    return Ok;
}

Status GdipGetStringFormatTrimming(GpStringFormat* format, StringTrimming* trimming) {
    if (format == nullptr || trimming == nullptr) return InvalidParameter;
    *trimming = format->trimming;
    return Ok;
}

Status GdipSetStringFormatHotkeyPrefix(GpStringFormat* format, INT hotkeyPrefix) {
    if (format == nullptr || hotkeyPrefix < HotkeyPrefixNone || hotkeyPrefix > HotkeyPrefixHide)
        return InvalidParameter;
    format->hotkeyPrefix = hotkeyPrefix;
    return Ok;
}

Status GdipGetStringFormatHotkeyPrefix(GpStringFormat* format, INT* hotkeyPrefix) {
    if (format == nullptr || hotkeyPrefix == nullptr) return InvalidParameter;
    *hotkeyPrefix = format->hotkeyPrefix;
    return Ok;
}

// ---- fonts

Status GdipCreateFontFamilyFromName(const char* name, GpFontCollection* /*fontCollection*/,
                                    GpFontFamily** fontFamily) {
    if (name == nullptr || fontFamily == nullptr) return InvalidParameter;
    *fontFamily = nullptr;
    if (!IsFontFamilyInstalled(name)) return FontFamilyNotFound;
    *fontFamily = new GpFontFamily{name, QString::fromStdString(SubstituteFontFamily(name))};
    return Ok;
}

Status GdipDeleteFontFamily(GpFontFamily* fontFamily) {
    if (fontFamily == nullptr) return InvalidParameter;
    if (!fontFamily->shared) delete fontFamily;
    return Ok;
}

namespace {
Status Generic(GpFontFamily** out, const char* face) {
    if (out == nullptr) return InvalidParameter;
    // The generic families live as long as the program; deleting them does nothing.
    static GpFontFamily sans{"Microsoft Sans Serif",
                             QString::fromStdString(SubstituteFontFamily("Microsoft Sans Serif")),
                             true};
    static GpFontFamily serif{
        "Times New Roman", QString::fromStdString(SubstituteFontFamily("Times New Roman")), true};
    static GpFontFamily mono{"Courier New",
                             QString::fromStdString(SubstituteFontFamily("Courier New")), true};
    const std::string f = face;
    *out = f == "sans" ? &sans : f == "serif" ? &serif : &mono;
    return Ok;
}
}  // namespace

Status GdipGetGenericFontFamilySansSerif(GpFontFamily** fontFamily) {
    return Generic(fontFamily, "sans");
}
Status GdipGetGenericFontFamilySerif(GpFontFamily** fontFamily) {
    return Generic(fontFamily, "serif");
}
Status GdipGetGenericFontFamilyMonospace(GpFontFamily** fontFamily) {
    return Generic(fontFamily, "mono");
}

Status GdipCreateFont(const GpFontFamily* fontFamily, REAL emSize, INT style, INT unit,
                      GpFont** font) {
    if (font == nullptr) return InvalidParameter;
    *font = nullptr;
    const REAL perUnit = PixelsPerUnit(static_cast<Unit>(unit));
    if (fontFamily == nullptr || !(emSize > 0) || perUnit <= 0) return InvalidParameter;
    auto* f = new GpFont;
    f->family = *fontFamily;
    f->family.shared = false;
    f->emSize = emSize;
    f->pixelSize = emSize * perUnit;
    f->style = style;
    f->unit = static_cast<Unit>(unit);
    f->font = QFont(fontFamily->family);
    f->font.setPixelSize(std::max(1, static_cast<int>(std::lround(f->pixelSize))));
    f->font.setBold((style & FontStyleBold) != 0);
    f->font.setItalic((style & FontStyleItalic) != 0);
    f->font.setUnderline((style & FontStyleUnderline) != 0);
    f->font.setStrikeOut((style & FontStyleStrikeout) != 0);
    *font = f;
    return Ok;
}

Status GdipDeleteFont(GpFont* font) {
    if (font == nullptr) return InvalidParameter;
    delete font;
    return Ok;
}

}  // namespace dsp::Gdiplus
