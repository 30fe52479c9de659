// The anti-aliased drawing layer: start-up, graphics, drawing and text. Every drawing call opens
// one painter on the surface, applies the graphics' state and ends the painter before it
// returns, so that canvas calls may follow at once.

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPathStroker>
#include <QRadialGradient>
#include <QTextLayout>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>

#include "framework/graphics/Canvas.h"
#include "framework/graphics/CanvasQt.h"
#include "framework/graphics/GdiPlusQt.h"

namespace dsp::Gdiplus {

namespace {

std::atomic<int> startups{0};
std::atomic<ULONG_PTR> nextToken{1};

// Where one drawing call draws.
struct Target {
    QImage* image = nullptr;
    QPoint offset;                // image position of the graphics' (0, 0)
    std::optional<QRegion> clip;  // image coordinates
};

// ObjectBusy while a canvas handed out by GdipGetDC is in use; Ok with a null image when there
// is nothing to draw on.
Status Resolve(const GpGraphics* g, Target& t) {
    if (g == nullptr) return InvalidParameter;
    if (g->busy) return ObjectBusy;
    if (g->image != nullptr) {
        t.image = g->image->Pixels().isNull() ? nullptr : &g->image->Pixels();
        return Ok;
    }
    if (g->canvas == nullptr) return Ok;
    const TCanvasSurface s = CurrentSurface(*g->canvas);
    if (s.image == nullptr || s.image->isNull()) return Ok;
    t.image = s.image;
    t.offset = s.origin;
    t.clip = s.clip;
    return Ok;
}

bool AntiAliased(SmoothingMode mode) {
    return mode == SmoothingModeHighQuality || mode == SmoothingModeAntiAlias ||
           mode == SmoothingModeAntiAlias8x8;
}

// The world-to-image transform. Shapes take pixel centres on integer world coordinates: the
// anti-aliasing rasterizer samples pixel areas, so it is moved half a pixel; the aliased one
// already samples at integer coordinates. Pictures keep pixel corners on integer coordinates.
QTransform DeviceTransform(const GpGraphics& g, const Target& t, bool shapes) {
    const double half = shapes && AntiAliased(g.smoothing) ? 0.5 : 0.0;
    return g.world * QTransform::fromTranslate(t.offset.x() + half, t.offset.y() + half);
}

// A painter set up for one call on the target.
class CallPainter {
public:
    CallPainter(const GpGraphics& g, const Target& t, bool shapes) : p_(t.image) {
        if (t.clip) p_.setClipRegion(*t.clip);
        if (g.clip) {
            // Clips are never anti-aliased.
            p_.setRenderHint(QPainter::Antialiasing, false);
            p_.setTransform(QTransform::fromTranslate(t.offset.x(), t.offset.y()));
            p_.setClipPath(*g.clip, t.clip ? Qt::IntersectClip : Qt::ReplaceClip);
        }
        p_.setTransform(DeviceTransform(g, t, shapes));
        p_.setRenderHint(QPainter::Antialiasing, AntiAliased(g.smoothing));
    }
    QPainter& operator*() { return p_; }
    QPainter* operator->() { return &p_; }

private:
    QPainter p_;
};

double ToLinear(double c) {
    c /= 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}
int FromLinear(double c) {
    c = c <= 0.0031308 ? c * 12.92 : 1.055 * std::pow(c, 1.0 / 2.4) - 0.055;
    return std::clamp(static_cast<int>(std::lround(c * 255.0)), 0, 255);
}

// Colour stops of a gradient from c1 to c2, or of its preset blend; gamma-corrected gradients
// interpolate in linear light.
QGradientStops Stops(const GpBrush& b, ARGB c1, ARGB c2, bool reverse) {
    QGradientStops stops;
    auto add = [&](double pos, ARGB c) { stops.append({reverse ? 1.0 - pos : pos, ToQColor(c)}); };
    if (b.blend.size() >= 2) {
        for (const auto& [pos, c] : b.blend) add(pos, c);
    } else if (b.gamma && c1 != c2) {
        constexpr int kSteps = 16;
        for (int i = 0; i <= kSteps; ++i) {
            const double f = static_cast<double>(i) / kSteps;
            auto mix = [&](int shift) {
                const double a = ToLinear((c1 >> shift) & 0xFF);
                const double z = ToLinear((c2 >> shift) & 0xFF);
                return FromLinear(a + (z - a) * f);
            };
            const int alpha = static_cast<int>(
                std::lround(((c1 >> 24) & 0xFF) * (1 - f) + ((c2 >> 24) & 0xFF) * f));
            add(f, (static_cast<ARGB>(alpha) << 24) | (static_cast<ARGB>(mix(16)) << 16) |
                       (static_cast<ARGB>(mix(8)) << 8) | static_cast<ARGB>(mix(0)));
        }
    } else {
        add(0, c1);
        add(1, c2);
    }
    std::sort(stops.begin(), stops.end(),
              [](const QGradientStop& a, const QGradientStop& z) { return a.first < z.first; });
    return stops;
}

QGradient::Spread Spread(WrapMode wrap) {
    switch (wrap) {
        case WrapModeTile: return QGradient::RepeatSpread;
        case WrapModeClamp: return QGradient::PadSpread;
        default: return QGradient::ReflectSpread;
    }
}

QImage FlippedTile(const QImage& image, WrapMode wrap) {
    const bool fx = wrap == WrapModeTileFlipX || wrap == WrapModeTileFlipXY;
    const bool fy = wrap == WrapModeTileFlipY || wrap == WrapModeTileFlipXY;
    if (!fx && !fy) return image;
    const int w = image.width();
    const int h = image.height();
    QImage tile(w * (fx ? 2 : 1), h * (fy ? 2 : 1), QImage::Format_ARGB32_Premultiplied);
    QPainter p(&tile);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(0, 0, image);
    if (fx) p.drawImage(w, 0, image.mirrored(true, false));
    if (fy) p.drawImage(0, h, image.mirrored(false, true));
    if (fx && fy) p.drawImage(w, h, image.mirrored(true, true));
    return tile;
}

// The colour of a path gradient at t (0 at the outline, 1 at the centre point).
QColor PathGradientColor(const GpBrush& b, double t, ARGB surround) {
    std::vector<std::pair<double, ARGB>> stops;
    if (b.blend.size() >= 2) {
        for (const auto& [pos, c] : b.blend) stops.emplace_back(pos, c);
    } else {
        stops = {{0.0, surround}, {1.0, b.color}};
    }
    std::sort(stops.begin(), stops.end());
    if (t <= stops.front().first) return ToQColor(stops.front().second);
    for (std::size_t i = 1; i < stops.size(); ++i) {
        if (t <= stops[i].first) {
            const double p0 = stops[i - 1].first, p1 = stops[i].first;
            const auto c0 = stops[i - 1].second, c1 = stops[i].second;
            const double f = p1 > p0 ? (t - p0) / (p1 - p0) : 1.0;
            auto mix = [&](int shift) {
                return static_cast<int>(
                    std::lround(((c0 >> shift) & 0xFF) * (1 - f) + ((c1 >> shift) & 0xFF) * f));
            };
            return QColor(mix(16), mix(8), mix(0), mix(24));
        }
    }
    return ToQColor(stops.back().second);
}

ARGB AverageColor(const std::vector<ARGB>& colors) {
    if (colors.empty()) return 0;
    std::uint64_t sum[4] = {};
    for (ARGB c : colors)
        for (int k = 0; k < 4; ++k) sum[k] += (c >> (8 * k)) & 0xFF;
    ARGB out = 0;
    for (int k = 0; k < 4; ++k) out |= static_cast<ARGB>(sum[k] / colors.size()) << (8 * k);
    return out;
}

// A path gradient over any outline, rendered per device pixel into a picture of the area
// (device coordinates): t runs from the outline to the centre point along the ray through
// each pixel.
QImage RenderPathGradient(const GpBrush& b, const QTransform& toDevice, const QRect& area) {
    QImage out(area.size(), QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    const QList<QPolygonF> polygons = b.path.toSubpathPolygons();
    const QTransform toWorld = toDevice.inverted();
    const QPointF c = b.center;
    const ARGB surround = AverageColor(b.surround);
    for (int y = 0; y < area.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < area.width(); ++x) {
            const QPointF p = toWorld.map(QPointF(area.x() + x + 0.5, area.y() + y + 0.5));
            const QPointF d = p - c;
            double nearest = 1e300;  // boundary at c + u d, smallest u > 0
            for (const QPolygonF& poly : polygons) {
                for (qsizetype i = 0; i + 1 < poly.size(); ++i) {
                    const QPointF a = poly[i];
                    const QPointF e = poly[i + 1] - a;
                    const double den = d.x() * e.y() - d.y() * e.x();
                    if (std::abs(den) < 1e-12) continue;
                    const QPointF ac = a - c;
                    const double u = (ac.x() * e.y() - ac.y() * e.x()) / den;
                    const double s = (ac.x() * d.y() - ac.y() * d.x()) / den;
                    if (u > 1e-9 && s >= 0 && s <= 1) nearest = std::min(nearest, u);
                }
            }
            const double t = nearest >= 1e299 ? 1.0 : std::clamp(1.0 - 1.0 / nearest, 0.0, 1.0);
            line[x] = PathGradientColor(b, t, surround).rgba();
            line[x] = qPremultiply(line[x]);
        }
    }
    return out;
}

QPen MakePen(const GpPen& pen, const QTransform& world, bool antiAliased) {
    QPen q;
    const std::optional<QBrush> brush = ToQBrush(*pen.brush);
    q.setBrush(brush ? *brush : QBrush(ToQColor(AverageColor(pen.brush->surround))));
    const bool plain = world.type() <= QTransform::TxTranslate;
    if (plain && pen.width <= 1.0f && !antiAliased) {
        q.setWidth(0);  // one pixel: the fast cosmetic pen
    } else if (plain && pen.width < 1.0f) {
        q.setWidthF(1.0);  // thinner pens still cover one pixel
    } else {
        q.setWidthF(std::max<double>(pen.width, 0.01));
    }
    q.setCapStyle(pen.endCap == LineCapSquare  ? Qt::SquareCap
                  : pen.endCap == LineCapRound ? Qt::RoundCap
                                               : Qt::FlatCap);
    // Aliased one-pixel lines include their end point; the toolkit's cosmetic lines do so with
    // square caps only.
    if (q.widthF() == 0 && !antiAliased) q.setCapStyle(Qt::SquareCap);
    q.setJoinStyle(Qt::MiterJoin);
    q.setMiterLimit(10);
    switch (pen.dash) {
        case DashStyleDash: q.setDashPattern({3, 1}); break;
        case DashStyleDot: q.setDashPattern({1, 1}); break;
        case DashStyleDashDot: q.setDashPattern({3, 1, 1, 1}); break;
        case DashStyleDashDotDot: q.setDashPattern({3, 1, 1, 1, 1, 1}); break;
        default: break;
    }
    return q;
}

Status Fill(GpGraphics* g, const GpBrush* brush, const QPainterPath& shape) {
    if (brush == nullptr) return InvalidParameter;
    Target t;
    if (Status s = Resolve(g, t); s != Ok || t.image == nullptr) return s;
    CallPainter p(*g, t, true);
    if (brush->kind == BrushKind::PathGradient) {
        // A path gradient paints only inside its own outline.
        const bool aa = p->testRenderHint(QPainter::Antialiasing);
        p->setRenderHint(QPainter::Antialiasing, false);
        p->setClipPath(brush->path, Qt::IntersectClip);
        p->setRenderHint(QPainter::Antialiasing, aa);
        if (const std::optional<QBrush> q = ToQBrush(*brush)) {
            p->fillPath(shape, *q);
            return Ok;
        }
        // Pixel centres of the image in world coordinates, whatever the smoothing.
        const QTransform centres =
            g->world * QTransform::fromTranslate(t.offset.x() + 0.5, t.offset.y() + 0.5);
        const QRect area =
            centres.mapRect(shape.boundingRect().intersected(brush->path.boundingRect()))
                .toAlignedRect()
                .adjusted(-1, -1, 1, 1)
                .intersected(t.image->rect());
        if (area.isEmpty()) return Ok;
        const QTransform toDevice = p->transform();
        QBrush q(RenderPathGradient(*brush, centres, area));
        q.setTransform(QTransform::fromTranslate(area.x(), area.y()) * toDevice.inverted());
        p->fillPath(shape, q);
        return Ok;
    }
    if (brush->kind == BrushKind::Texture && brush->wrap == WrapModeClamp) {
        p->setClipPath(shape, Qt::IntersectClip);
        p->setTransform(brush->transform * p->transform());
        p->drawImage(0, 0, brush->texture);
        return Ok;
    }
    std::optional<QBrush> q = ToQBrush(*brush);
    if (!q) return Ok;
    if (brush->kind == BrushKind::Hatch) {
        // Hatches line up with the surface's pixels.
        q->setTransform(QTransform::fromTranslate(t.offset.x(), t.offset.y()) *
                        p->transform().inverted());
    }
    p->fillPath(shape, *q);
    return Ok;
}

Status Stroke(GpGraphics* g, const GpPen* pen, const QPainterPath& shape) {
    if (pen == nullptr) return InvalidParameter;
    Target t;
    if (Status s = Resolve(g, t); s != Ok || t.image == nullptr) return s;
    CallPainter p(*g, t, true);
    const QPen q = MakePen(*pen, g->world, AntiAliased(g->smoothing));
    if (q.widthF() == 0) {
        p->strokePath(shape, q);
        return Ok;
    }
    // The outline of the stroke filled by the winding rule: the toolkit's own wide strokes
    // leave the corners of joins partly uncovered.
    QPainterPathStroker stroker;
    stroker.setWidth(q.widthF());
    stroker.setCapStyle(q.capStyle());
    stroker.setJoinStyle(q.joinStyle());
    stroker.setMiterLimit(q.miterLimit());
    if (q.style() == Qt::CustomDashLine) stroker.setDashPattern(q.dashPattern());
    QPainterPath outline = stroker.createStroke(shape);
    outline.setFillRule(Qt::WindingFill);
    p->fillPath(outline, q.brush());
    return Ok;
}

QPainterPath ShapeOf(const GpPath& path) {
    QPainterPath shape = path.path;
    shape.setFillRule(path.fillMode == FillModeWinding ? Qt::WindingFill : Qt::OddEvenFill);
    return shape;
}

// ---- text

struct LaidLine {
    QString text;
    double width = 0;  // natural width without trailing blanks
};

struct TextBlock {
    std::vector<LaidLine> lines;
    double pad = 0;
    double lineHeight = 0;
    double ascent = 0;
    int fitted = 0;
};

QString TextOf(const char* string, INT length, INT hotkeyPrefix) {
    QString text = QString::fromUtf8(string, length < 0 ? -1 : length);
    if (hotkeyPrefix != HotkeyPrefixNone) {
        QString plain;
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i] == u'&' && i + 1 < text.size()) ++i;
            plain += text[i];
        }
        text = plain;
    }
    return text;
}

QFont EffectiveFont(const GpFont& font, TextRenderingHint hint) {
    QFont f = font.font;
    if (hint == TextRenderingHintSingleBitPerPixel ||
        hint == TextRenderingHintSingleBitPerPixelGridFit) {
        f.setStyleStrategy(QFont::NoAntialias);
    } else {
        f.setStyleStrategy(QFont::PreferAntialias);
    }
    return f;
}

TextBlock LayOut(const QString& text, const QFont& font, double pixelSize, const QRectF& layout,
                 INT flags) {
    TextBlock block;
    const QFontMetricsF metrics(font);
    block.pad = pixelSize / 6.0;
    block.lineHeight = metrics.lineSpacing();
    block.ascent = metrics.ascent();
    const bool wrap = layout.width() > 0 && (flags & StringFormatFlagsNoWrap) == 0;
    const double lineWidth = std::max(1.0, layout.width() - 2 * block.pad);
    const QStringList paragraphs =
        QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(u'\n');
    for (const QString& paragraph : paragraphs) {
        QTextLayout tl(paragraph, font);
        QTextOption option;
        option.setWrapMode(wrap ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
        if (flags & StringFormatFlagsMeasureTrailingSpaces)
            option.setFlags(QTextOption::IncludeTrailingSpaces);
        tl.setTextOption(option);
        tl.beginLayout();
        for (;;) {
            QTextLine line = tl.createLine();
            if (!line.isValid()) break;
            line.setLineWidth(wrap ? lineWidth : 1e7);
            block.lines.push_back(
                {paragraph.mid(line.textStart(), line.textLength()), line.naturalTextWidth()});
            block.fitted += line.textLength();
        }
        tl.endLayout();
        if (paragraph.isEmpty()) block.lines.push_back({QString(), 0});
    }
    return block;
}

double AlignOffset(StringAlignment align, double available, double used) {
    switch (align) {
        case StringAlignmentCenter: return (available - used) / 2;
        case StringAlignmentFar: return available - used;
        default: return 0;
    }
}

}  // namespace

QColor ToQColor(ARGB c) { return QColor::fromRgba(c); }

std::optional<QBrush> ToQBrush(const GpBrush& b) {
    switch (b.kind) {
        case BrushKind::Solid: return QBrush(ToQColor(b.color));
        case BrushKind::Hatch: {
            QImage tile(8, 8, QImage::Format_ARGB32_Premultiplied);
            const auto pattern = HatchPattern(b.hatch);
            const QRgb fore = qPremultiply(b.color);
            const QRgb back = qPremultiply(b.backColor);
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 8; ++x)
                    tile.setPixel(x, y, (pattern[y] >> (7 - x)) & 1 ? fore : back);
            return QBrush(tile);
        }
        case BrushKind::Texture: {
            QBrush q(FlippedTile(b.texture, b.wrap));
            q.setTransform(b.transform);
            return q;
        }
        case BrushKind::Linear: {
            QLinearGradient g(b.start, b.end);
            g.setStops(Stops(b, b.color, b.color2, false));
            g.setSpread(Spread(b.wrap));
            QBrush q(g);
            q.setTransform(b.transform);
            return q;
        }
        case BrushKind::PathGradient: {
            if (!b.ellipse || b.ellipse->width() <= 0 || b.ellipse->height() <= 0)
                return std::nullopt;
            // Over one ellipse a path gradient is a radial gradient of the unit circle, its focal
            // point the centre point, stretched onto the ellipse.
            const QRectF e = *b.ellipse;
            const QTransform unit(e.width() / 2, 0, 0, e.height() / 2, e.center().x(),
                                  e.center().y());
            const QPointF focal = unit.inverted().map(b.center);
            QRadialGradient g(QPointF(0, 0), 1.0, focal);
            if (b.blend.size() >= 2) {
                // Blend positions run from the outline (0) to the centre (1).
                g.setStops(Stops(b, 0, 0, true));
            } else {
                g.setStops(Stops(b, b.color, AverageColor(b.surround), false));
            }
            g.setSpread(QGradient::PadSpread);
            QBrush q(g);
            q.setTransform(unit);
            return q;
        }
    }
    return std::nullopt;
}

GpGraphics::~GpGraphics() = default;

const QImage* ImagePixels(const GpImage* image) {
    // Decoding the pixels of a picture known by its header does not change what it is.
    return image == nullptr ? nullptr : &const_cast<GpImage*>(image)->Pixels();
}

// ---- start-up and memory

Status GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input,
                      GdiplusStartupOutput* output) {
    if (token == nullptr || input == nullptr) return InvalidParameter;
    if (input->GdiplusVersion != 1) return UnsupportedGdiplusVersion;
    if (output != nullptr) *output = {};
    ++startups;
    *token = nextToken++;
    return Ok;
}

void GdiplusShutdown(ULONG_PTR /*token*/) {
    int n = startups.load();
    while (n > 0 && !startups.compare_exchange_weak(n, n - 1)) {}
}

void* GdipAlloc(std::size_t size) {
    if (startups.load() <= 0) return nullptr;
    return std::malloc(size == 0 ? 1 : size);
}

void GdipFree(void* ptr) { std::free(ptr); }

// ---- graphics

Status GdipCreateFromHDC(HDC hdc, GpGraphics** graphics) {
    if (graphics == nullptr) return InvalidParameter;
    *graphics = nullptr;
    if (hdc == nullptr) return OutOfMemory;
    *graphics = new GpGraphics;
    (*graphics)->canvas = hdc;
    return Ok;
}

Status GdipGetImageGraphicsContext(GpImage* image, GpGraphics** graphics) {
    if (image == nullptr || graphics == nullptr) return InvalidParameter;
    *graphics = nullptr;
    if (image->Pixels().isNull()) return OutOfMemory;
    if (image->Pixels().format() != QImage::Format_ARGB32_Premultiplied &&
        image->Pixels().format() != QImage::Format_RGB32)
        image->Pixels() = image->Pixels().convertToFormat(image->Pixels().hasAlphaChannel()
                                                              ? QImage::Format_ARGB32_Premultiplied
                                                              : QImage::Format_RGB32);
    *graphics = new GpGraphics;
    (*graphics)->image = image;
    return Ok;
}

Status GdipDeleteGraphics(GpGraphics* graphics) {
    if (graphics == nullptr) return InvalidParameter;
    delete graphics;
    return Ok;
}

Status GdipFlush(GpGraphics* graphics, FlushIntention /*intention*/) {
    return graphics == nullptr ? InvalidParameter : Ok;
}

Status GdipGraphicsClear(GpGraphics* graphics, ARGB color) {
    Target t;
    if (Status s = Resolve(graphics, t); s != Ok || t.image == nullptr) return s;
    QPainter p(t.image);
    if (t.clip) p.setClipRegion(*t.clip);
    if (graphics->clip) {
        p.setTransform(QTransform::fromTranslate(t.offset.x(), t.offset.y()));
        p.setClipPath(*graphics->clip, t.clip ? Qt::IntersectClip : Qt::ReplaceClip);
        p.resetTransform();
    }
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(t.image->rect(), ToQColor(color));
    return Ok;
}

Status GdipGetDC(GpGraphics* graphics, HDC* hdc) {
    if (graphics == nullptr || hdc == nullptr) return InvalidParameter;
    if (graphics->busy) return ObjectBusy;
    if (graphics->image != nullptr) {
        graphics->dcSurface = std::make_unique<TCanvasSurface>();
        graphics->dcSurface->image = &graphics->image->Pixels();
        graphics->dc = std::make_unique<TCanvas>();
        graphics->dc->SetSurface(graphics->dcSurface.get());
        *hdc = graphics->dc.get();
    } else {
        *hdc = graphics->canvas;
    }
    graphics->busy = true;
    return Ok;
}

Status GdipReleaseDC(GpGraphics* graphics, HDC hdc) {
    if (graphics == nullptr || !graphics->busy) return InvalidParameter;
    if (hdc != graphics->dc.get() && hdc != graphics->canvas) return InvalidParameter;
    graphics->dc.reset();
    graphics->dcSurface.reset();
    graphics->busy = false;
    return Ok;
}

Status GdipSetWorldTransform(GpGraphics* graphics, GpMatrix* matrix) {
    if (graphics == nullptr || matrix == nullptr) return InvalidParameter;
    graphics->world = matrix->m;
    return Ok;
}

Status GdipResetWorldTransform(GpGraphics* graphics) {
    if (graphics == nullptr) return InvalidParameter;
    graphics->world.reset();
    return Ok;
}

Status GdipSetTextRenderingHint(GpGraphics* graphics, TextRenderingHint mode) {
    if (graphics == nullptr || mode < TextRenderingHintSystemDefault ||
        mode > TextRenderingHintClearTypeGridFit)
        return InvalidParameter;
    graphics->textHint = mode;
    return Ok;
}

Status GdipGetTextRenderingHint(GpGraphics* graphics, TextRenderingHint* mode) {
    if (graphics == nullptr || mode == nullptr) return InvalidParameter;
    *mode = graphics->textHint;
    return Ok;
}

Status GdipSetSmoothingMode(GpGraphics* graphics, SmoothingMode mode) {
    if (graphics == nullptr || mode < SmoothingModeDefault || mode > SmoothingModeAntiAlias8x8)
        return InvalidParameter;
    graphics->smoothing = mode;
    return Ok;
}

Status GdipGetSmoothingMode(GpGraphics* graphics, SmoothingMode* mode) {
    if (graphics == nullptr || mode == nullptr) return InvalidParameter;
    *mode = graphics->smoothing;
    return Ok;
}

Status GdipSetCompositingQuality(GpGraphics* graphics, CompositingQuality quality) {
    if (graphics == nullptr || quality < CompositingQualityDefault ||
        quality > CompositingQualityAssumeLinear)
        return InvalidParameter;
    graphics->compositing = quality;
    return Ok;
}

Status GdipGetCompositingQuality(GpGraphics* graphics, CompositingQuality* quality) {
    if (graphics == nullptr || quality == nullptr) return InvalidParameter;
    *quality = graphics->compositing;
    return Ok;
}

namespace {
Status SetClip(GpGraphics* g, const QPainterPath& world, CombineMode mode) {
    if (g == nullptr || mode < CombineModeReplace || mode > CombineModeComplement)
        return InvalidParameter;
    g->clip = CombineClip(g->clip, g->world.map(world), mode);
    return Ok;
}
}  // namespace

Status GdipSetClipRect(GpGraphics* graphics, REAL x, REAL y, REAL width, REAL height,
                       CombineMode mode) {
    QPainterPath p;
    p.addRect(QRectF(x, y, width, height).normalized());
    return SetClip(graphics, p, mode);
}

Status GdipSetClipPath(GpGraphics* graphics, GpPath* path, CombineMode mode) {
    if (path == nullptr) return InvalidParameter;
    return SetClip(graphics, ShapeOf(*path), mode);
}

Status GdipSetClipRegion(GpGraphics* graphics, GpRegion* region, CombineMode mode) {
    if (region == nullptr) return InvalidParameter;
    if (region->infinite) {
        if (graphics == nullptr) return InvalidParameter;
        if (mode == CombineModeReplace || mode == CombineModeUnion) graphics->clip.reset();
        if (mode != CombineModeExclude) return Ok;
        graphics->clip = QPainterPath();
        return Ok;
    }
    return SetClip(graphics, region->path, mode);
}

Status GdipResetClip(GpGraphics* graphics) {
    if (graphics == nullptr) return InvalidParameter;
    graphics->clip.reset();
    return Ok;
}

// ---- drawing

Status GdipDrawLine(GpGraphics* graphics, GpPen* pen, REAL x1, REAL y1, REAL x2, REAL y2) {
    QPainterPath p;
    p.moveTo(x1, y1);
    p.lineTo(x2, y2);
    return Stroke(graphics, pen, p);
}

Status GdipDrawArc(GpGraphics* graphics, GpPen* pen, REAL x, REAL y, REAL width, REAL height,
                   REAL startAngle, REAL sweepAngle) {
    GpPath path;
    if (Status s = GdipAddPathArc(&path, x, y, width, height, startAngle, sweepAngle); s != Ok)
        return s;
    return Stroke(graphics, pen, path.path);
}

Status GdipDrawRectangle(GpGraphics* graphics, GpPen* pen, REAL x, REAL y, REAL width,
                         REAL height) {
    QPainterPath p;
    p.addRect(x, y, width, height);
    return Stroke(graphics, pen, p);
}

Status GdipDrawEllipse(GpGraphics* graphics, GpPen* pen, REAL x, REAL y, REAL width, REAL height) {
    QPainterPath p;
    p.addEllipse(x, y, width, height);
    return Stroke(graphics, pen, p);
}

Status GdipDrawEllipseI(GpGraphics* graphics, GpPen* pen, INT x, INT y, INT width, INT height) {
    return GdipDrawEllipse(graphics, pen, static_cast<REAL>(x), static_cast<REAL>(y),
                           static_cast<REAL>(width), static_cast<REAL>(height));
}

Status GdipDrawPath(GpGraphics* graphics, GpPen* pen, GpPath* path) {
    if (path == nullptr) return InvalidParameter;
    return Stroke(graphics, pen, path->path);
}

Status GdipFillRectangle(GpGraphics* graphics, GpBrush* brush, REAL x, REAL y, REAL width,
                         REAL height) {
    QPainterPath p;
    p.addRect(x, y, width, height);
    return Fill(graphics, brush, p);
}

Status GdipFillPolygon(GpGraphics* graphics, GpBrush* brush, const GpPointF* points, INT count,
                       FillMode fillMode) {
    if (points == nullptr || count <= 0) return InvalidParameter;
    QPolygonF poly;
    for (INT i = 0; i < count; ++i) poly << QPointF(points[i].X, points[i].Y);
    QPainterPath p;
    p.addPolygon(poly);
    p.closeSubpath();
    p.setFillRule(fillMode == FillModeWinding ? Qt::WindingFill : Qt::OddEvenFill);
    return Fill(graphics, brush, p);
}

Status GdipFillPolygonI(GpGraphics* graphics, GpBrush* brush, const GpPoint* points, INT count,
                        FillMode fillMode) {
    if (points == nullptr || count <= 0) return InvalidParameter;
    std::vector<GpPointF> f(static_cast<std::size_t>(count));
    for (INT i = 0; i < count; ++i)
        f[static_cast<std::size_t>(i)] = {static_cast<REAL>(points[i].X),
                                          static_cast<REAL>(points[i].Y)};
    return GdipFillPolygon(graphics, brush, f.data(), count, fillMode);
}

Status GdipFillEllipse(GpGraphics* graphics, GpBrush* brush, REAL x, REAL y, REAL width,
                       REAL height) {
    QPainterPath p;
    p.addEllipse(x, y, width, height);
    return Fill(graphics, brush, p);
}

Status GdipFillEllipseI(GpGraphics* graphics, GpBrush* brush, INT x, INT y, INT width, INT height) {
    return GdipFillEllipse(graphics, brush, static_cast<REAL>(x), static_cast<REAL>(y),
                           static_cast<REAL>(width), static_cast<REAL>(height));
}

Status GdipFillPath(GpGraphics* graphics, GpBrush* brush, GpPath* path) {
    if (path == nullptr) return InvalidParameter;
    return Fill(graphics, brush, ShapeOf(*path));
}

// ---- pictures

Status GdipDrawImageI(GpGraphics* graphics, GpImage* image, INT x, INT y) {
    if (image == nullptr) return InvalidParameter;
    return GdipDrawImageRect(graphics, image, static_cast<REAL>(x), static_cast<REAL>(y),
                             static_cast<REAL>(image->Pixels().width()),
                             static_cast<REAL>(image->Pixels().height()));
}

Status GdipDrawImageRect(GpGraphics* graphics, GpImage* image, REAL x, REAL y, REAL width,
                         REAL height) {
    if (image == nullptr) return InvalidParameter;
    return GdipDrawImageRectRect(
        graphics, image, x, y, width, height, 0, 0, static_cast<REAL>(image->Pixels().width()),
        static_cast<REAL>(image->Pixels().height()), UnitPixel, nullptr, nullptr, nullptr);
}

Status GdipDrawImageRectRect(GpGraphics* graphics, GpImage* image, REAL dstx, REAL dsty,
                             REAL dstwidth, REAL dstheight, REAL srcx, REAL srcy, REAL srcwidth,
                             REAL srcheight, Unit srcUnit, const GpImageAttributes* attributes,
                             DrawImageAbort callback, void* callbackData) {
    if (graphics == nullptr || image == nullptr) return InvalidParameter;
    if (srcUnit != UnitPixel && srcUnit != UnitWorld) return NotImplemented;
    if (image->Pixels().isNull()) return InvalidParameter;
    if (callback != nullptr && callback(callbackData) != 0) return Aborted;
    Target t;
    if (Status s = Resolve(graphics, t); s != Ok || t.image == nullptr) return s;
    if (dstwidth == 0 || dstheight == 0 || srcwidth <= 0 || srcheight <= 0) return Ok;
    const QImage picture = ApplyAttributes(image->Pixels(), attributes, ColorAdjustTypeBitmap);
    CallPainter p(*graphics, t, false);
    const QRectF target(dstx, dsty, dstwidth, dstheight);
    const QRectF source(srcx, srcy, srcwidth, srcheight);
    const bool unscaled = std::abs(dstwidth - srcwidth) < 1e-4 &&
                          std::abs(dstheight - srcheight) < 1e-4 &&
                          graphics->world.type() <= QTransform::TxTranslate;
    p->setRenderHint(QPainter::SmoothPixmapTransform, !unscaled);
    p->drawImage(
        target.normalized(),
        dstwidth < 0 || dstheight < 0 ? picture.mirrored(dstwidth < 0, dstheight < 0) : picture,
        source);
    return Ok;
}

// ---- text

Status GdipMeasureString(GpGraphics* graphics, const char* string, INT length, const GpFont* font,
                         const GpRectF* layoutRect, const GpStringFormat* format,
                         GpRectF* boundingBox, INT* codepointsFitted, INT* linesFilled) {
    if (graphics == nullptr || string == nullptr || font == nullptr || layoutRect == nullptr ||
        boundingBox == nullptr)
        return InvalidParameter;
    const GpStringFormat plain;
    const GpStringFormat& f = format != nullptr ? *format : plain;
    const QString text = TextOf(string, length, f.hotkeyPrefix);
    const QRectF layout(layoutRect->X, layoutRect->Y, layoutRect->Width, layoutRect->Height);
    if (text.isEmpty()) {
        *boundingBox = {layoutRect->X, layoutRect->Y, 0, 0};
        if (codepointsFitted != nullptr) *codepointsFitted = 0;
        if (linesFilled != nullptr) *linesFilled = 0;
        return Ok;
    }
    const QFont qfont = EffectiveFont(*font, graphics->textHint);
    const TextBlock block = LayOut(text, qfont, font->pixelSize, layout, f.flags);
    double widest = 0;
    for (const LaidLine& line : block.lines) widest = std::max(widest, line.width);
    double w = widest + 2 * block.pad;
    if (layout.width() > 0) w = std::min(w, layout.width());
    double h = block.lineHeight * static_cast<double>(block.lines.size());
    if (layout.height() > 0) h = std::min(h, layout.height());
    const double x = layout.x() + AlignOffset(f.align, std::max(0.0, layout.width()), w);
    const double y = layout.y() + AlignOffset(f.lineAlign, std::max(0.0, layout.height()), h);
    *boundingBox = {static_cast<REAL>(x), static_cast<REAL>(y), static_cast<REAL>(w),
                    static_cast<REAL>(h)};
    if (codepointsFitted != nullptr) *codepointsFitted = block.fitted;
    if (linesFilled != nullptr) *linesFilled = static_cast<INT>(block.lines.size());
    return Ok;
}

Status GdipDrawString(GpGraphics* graphics, const char* string, INT length, const GpFont* font,
                      const GpRectF* layoutRect, const GpStringFormat* format,
                      const GpBrush* brush) {
    if (graphics == nullptr || string == nullptr || font == nullptr || layoutRect == nullptr ||
        brush == nullptr)
        return InvalidParameter;
    const GpStringFormat plain;
    const GpStringFormat& f = format != nullptr ? *format : plain;
    const QString text = TextOf(string, length, f.hotkeyPrefix);
    Target t;
    if (Status s = Resolve(graphics, t); s != Ok || t.image == nullptr) return s;
    if (text.isEmpty()) return Ok;
    const QRectF layout(layoutRect->X, layoutRect->Y, layoutRect->Width, layoutRect->Height);
    const QFont qfont = EffectiveFont(*font, graphics->textHint);
    const TextBlock block = LayOut(text, qfont, font->pixelSize, layout, f.flags);
    CallPainter p(*graphics, t, false);
    const bool clipped =
        layout.width() > 0 && layout.height() > 0 && (f.flags & StringFormatFlagsNoClip) == 0;
    if (clipped) p->setClipRect(layout, Qt::IntersectClip);
    const bool aa = font->font.styleStrategy() != QFont::NoAntialias &&
                    graphics->textHint != TextRenderingHintSingleBitPerPixel &&
                    graphics->textHint != TextRenderingHintSingleBitPerPixelGridFit;
    p->setRenderHint(QPainter::TextAntialiasing, aa);
    p->setFont(qfont);
    const std::optional<QBrush> qb = ToQBrush(*brush);
    p->setPen(QPen(qb ? *qb : QBrush(Qt::black), 0));
    const double total = block.lineHeight * static_cast<double>(block.lines.size());
    double y = layout.y() + AlignOffset(f.lineAlign, std::max(0.0, layout.height()), total);
    for (const LaidLine& line : block.lines) {
        const double used = line.width + 2 * block.pad;
        const double x =
            layout.x() + block.pad + AlignOffset(f.align, std::max(0.0, layout.width()), used);
        p->drawText(QPointF(x, y + block.ascent), line.text);
        y += block.lineHeight;
    }
    return Ok;
}

}  // namespace dsp::Gdiplus
