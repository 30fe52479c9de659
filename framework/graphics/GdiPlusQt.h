#pragma once
// Framework-internal: what stands behind the handles of the anti-aliased drawing layer
// (GdiPlus.h), shared by the files that implement it, and the pixels of its bitmaps for other
// framework services (the layered splash window takes a bitmap's ARGB pixels from here).

#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QTransform>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/graphics/CanvasQt.h"
#include "framework/graphics/GdiPlus.h"

namespace dsp::Gdiplus {

struct GpMatrix {
    QTransform m;
};

struct GpPath {
    QPainterPath path;
    FillMode fillMode = FillModeAlternate;
    bool newFigure = true;  // the next element starts a figure of its own
    // Set while the path is exactly one ellipse (path gradients over it are radial gradients).
    std::optional<QRectF> soleEllipse;
    bool anythingElse = false;
};

// A picture of the layer. As in GDI+, one loaded from PNG or JPEG file bytes reads only its
// header at first: its size and kinds are known at once, and its pixels are decoded from the
// bytes it keeps when something first needs them (a picture that is only measured is never
// decoded). Pixels are null when the rest of such a file cannot be read.
struct GpImage {
    GUID rawFormat = ImageFormatMemoryBMP;
    PixelFormat pixelFormat = PixelFormat32bppARGB;
    int busy = 0;  // graphics drawing on it through a canvas (GdipGetDC)

    // Format_ARGB32_Premultiplied or Format_RGB32, decoded first where need be.
    QImage& Pixels();
    int Width() const { return undecoded_.empty() ? pixels_.width() : headerWidth_; }
    int Height() const { return undecoded_.empty() ? pixels_.height() : headerHeight_; }
    // A picture known by its header alone, to be decoded from bytes when first drawn.
    void SetUndecoded(std::vector<std::uint8_t> bytes, int width, int height);

private:
    QImage pixels_;
    std::vector<std::uint8_t> undecoded_;
    int headerWidth_ = 0;
    int headerHeight_ = 0;
};

enum class BrushKind { Solid, Hatch, Texture, Linear, PathGradient };

struct GpBrush {
    BrushKind kind = BrushKind::Solid;
    ARGB color = 0;      // solid; hatch foreground
    ARGB backColor = 0;  // hatch background
    HatchStyle hatch = HatchStyleHorizontal;
    WrapMode wrap = WrapModeTile;
    // Texture: the picture (attributes applied) and its transform.
    QImage texture;
    QTransform transform;
    // Linear gradient: the line from start to end in the brush's space, mapped by transform.
    QPointF start;
    QPointF end;
    ARGB color2 = 0;
    QRectF rect;
    bool gamma = false;
    std::vector<std::pair<REAL, ARGB>> blend;  // preset blend, positions 0 to 1
    // Path gradient.
    QPainterPath path;
    std::optional<QRectF> ellipse;
    int pointCount = 0;
    QPointF center;
    std::vector<ARGB> surround;
};

struct GpPen {
    std::unique_ptr<GpBrush> brush;
    REAL width = 1;
    Unit unit = UnitWorld;
    DashStyle dash = DashStyleSolid;
    LineCap endCap = LineCapFlat;
};

struct GpFontFamily {
    std::string name;     // as asked for
    QString family;       // the installed family that draws it
    bool shared = false;  // one of the generic families, never deleted
};

struct GpFontCollection {};

struct GpFont {
    QFont font;
    GpFontFamily family;
    REAL emSize = 0;
    REAL pixelSize = 0;
    INT style = 0;
    Unit unit = UnitPoint;
};

struct GpStringFormat {
    INT flags = 0;
    LANGID language = 0;
    StringAlignment align = StringAlignmentNear;
    StringAlignment lineAlign = StringAlignmentNear;
    StringTrimming trimming = StringTrimmingCharacter;
    INT hotkeyPrefix = HotkeyPrefixNone;
};

struct GpRegion {
    QPainterPath path;
    bool infinite = false;
};

// One kind of colour adjustment (bitmaps, brushes, pens, text, or the default for all).
struct ColorAdjustment {
    bool noOp = false;
    std::optional<ColorMatrix> matrix;
    std::optional<ColorMatrix> grayMatrix;
    ColorMatrixFlags matrixFlags = ColorMatrixFlagsDefault;
    std::optional<REAL> threshold;
    std::optional<REAL> gamma;
    std::optional<std::pair<ARGB, ARGB>> colorKey;
    std::vector<ColorMap> remap;
    bool Any() const { return noOp || matrix || threshold || gamma || colorKey || !remap.empty(); }
};

struct GpImageAttributes {
    std::array<ColorAdjustment, ColorAdjustTypeCount> kinds;
    WrapMode wrap = WrapModeClamp;
    ARGB wrapColor = 0;
};

struct GpGraphics {
    TCanvas* canvas = nullptr;  // draws where the canvas draws, or
    GpImage* image = nullptr;   // on a bitmap's pixels
    QTransform world;
    std::optional<QPainterPath> clip;  // device coordinates (surface origin at 0, 0)
    SmoothingMode smoothing = SmoothingModeNone;
    TextRenderingHint textHint = TextRenderingHintSystemDefault;
    CompositingQuality compositing = CompositingQualityDefault;
    bool busy = false;  // a canvas handed out by GdipGetDC is in use
    std::unique_ptr<TCanvasSurface> dcSurface;
    std::unique_ptr<TCanvas> dc;
    ~GpGraphics();
};

// The pixels of a bitmap of this layer; null for a null handle.
const QImage* ImagePixels(const GpImage* image);

// ---- shared between the implementation files
QColor ToQColor(ARGB color);
// The brush as the host toolkit paints it in world coordinates; null for path gradients over
// arbitrary outlines, which PaintPathGradient draws.
std::optional<QBrush> ToQBrush(const GpBrush& brush);
// The 8 x 8 pattern of a hatch style: bit (7 - x) of row y set where the foreground shows.
std::array<std::uint8_t, 8> HatchPattern(HatchStyle style);
// The picture with the adjustments of the given kind applied (the default kind where that kind
// has none of its own).
QImage ApplyAttributes(const QImage& image, const GpImageAttributes* attributes,
                       ColorAdjustType type);
// The clip that results from combining the current one (none: everything) with a shape.
std::optional<QPainterPath> CombineClip(const std::optional<QPainterPath>& current,
                                        const QPainterPath& shape, CombineMode mode);
// Reads image file bytes by their signature (PNG and JPEG pictures their header only, the others
// whole); false when they are not a readable picture.
bool DecodeImage(const std::vector<std::uint8_t>& bytes, GpImage& out);
// The cubic segments of a cardinal spline through points (k = tension / 3 for the control
// points), appended to path (which already stands at points[0] or is joined to it).
void AddCardinalSpline(QPainterPath& path, const std::vector<QPointF>& points, REAL tension);

}  // namespace dsp::Gdiplus
