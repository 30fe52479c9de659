// TCanvas: bit-block transfers between canvases, and drawing pictures.

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <optional>

#include "framework/core/FrameworkAccess.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/CanvasImpl.h"
#include "framework/graphics/Graphic.h"

namespace dsp {

namespace {

constexpr QRgb kWhite = 0xFFFFFFFFu;
constexpr QRgb kBlack = 0xFF000000u;

bool IsWhite(QRgb p) { return (p & 0xFFFFFFu) == 0xFFFFFFu; }

// Maps destination offsets to source offsets of a stretched, possibly mirrored copy.
struct Axis {
    int destStart = 0;  // first destination pixel (device)
    int destCount = 0;
    int srcStart = 0;  // first source pixel (device)
    int srcCount = 0;
    bool mirror = false;

    Axis(int dest, int destExtent, int src, int srcExtent) {
        destStart = destExtent >= 0 ? dest : dest + destExtent;
        destCount = std::abs(destExtent);
        srcStart = srcExtent >= 0 ? src : src + srcExtent;
        srcCount = std::abs(srcExtent);
        mirror = (destExtent < 0) != (srcExtent < 0);
    }
    // Offset within the source part for destination offset i.
    int SourceOffset(int i) const {
        int j = static_cast<int>((2LL * i + 1) * srcCount / (2LL * destCount));
        j = std::clamp(j, 0, srcCount - 1);
        return mirror ? srcCount - 1 - j : j;
    }
};

// One source pixel converted for the destination: monochrome sources take the destination's
// text colour for black and background colour for white; colour sources going to a monochrome
// destination become white where they match the source's background colour, black elsewhere.
struct SourceReader {
    const QImage* image;
    QRect bounds;
    bool monoToColour;
    bool colourToMono;
    QRgb textColour;
    QRgb backColour;
    QRgb sourceBack;

    bool Raw(int x, int y, QRgb& out) const {
        if (!bounds.contains(x, y)) return false;
        out = reinterpret_cast<const QRgb*>(
            image->constScanLine(y - bounds.top()))[x - bounds.left()];
        return true;
    }

    bool Read(int x, int y, QRgb& out) const {
        if (!bounds.contains(x, y)) return false;
        const QRgb p = reinterpret_cast<const QRgb*>(
                           image->constScanLine(y - bounds.top()))[x - bounds.left()] |
                       kBlack;
        if (monoToColour)
            out = IsWhite(p) ? backColour : textColour;
        else if (colourToMono)
            out = (p & 0xFFFFFFu) == (sourceBack & 0xFFFFFFu) ? kWhite : kBlack;
        else
            out = p;
        return true;
    }
};

SourceReader MakeReader(const TCanvas::Impl& dest, const TCanvas::Impl& source, const QImage* image,
                        QPoint shift) {
    dest.Realize();
    source.Realize();
    SourceReader r;
    r.image = image;
    r.bounds = image->rect().translated(shift);
    r.monoToColour = source.surface.monochrome && !dest.surface.monochrome;
    r.colourToMono = !source.surface.monochrome && dest.surface.monochrome;
    r.textColour = raster::ToQRgb(dest.textColor);
    r.backColour = raster::ToQRgb(dest.bkColor);
    r.sourceBack = raster::ToQRgb(source.bkColor);
    return r;
}

// The source pixels, copied first when source and destination share an image so that an
// overlapping copy reads the pixels as they were.
struct SourceImage {
    QImage copy;
    const QImage* image = nullptr;
    QPoint shift;  // device position of the image's (0, 0)

    SourceImage(const TCanvas::Impl& dest, const TCanvas::Impl& source, const QRect& needed) {
        image = source.surface.image;
        if (image == dest.surface.image) {
            const QRect part = needed.intersected(image->rect());
            copy = image->copy(part);
            image = &copy;
            shift = part.topLeft();
        }
    }
};

std::atomic<bool> spanPath{true};

// dest[i] = op(source[i], dest[i]) over n pixels, opaque. Eight at a time through local copies,
// which the compiler turns into vector operations without alias checks or loop versioning.
template <typename Op>
void MixSpan(QRgb* dest, const QRgb* source, int n, Op op) {
    constexpr int kBlock = 8;
    int i = 0;
    for (; i + kBlock <= n; i += kBlock) {
        QRgb s[kBlock];
        QRgb d[kBlock];
        for (int k = 0; k < kBlock; ++k) s[k] = source[i + k];
        for (int k = 0; k < kBlock; ++k) d[k] = dest[i + k];
        for (int k = 0; k < kBlock; ++k) dest[i + k] = op(s[k], d[k]) | kBlack;
    }
    for (; i < n; ++i) dest[i] = op(source[i], dest[i]) | kBlack;
}

void MixSpan(unsigned index, QRgb* dest, const QRgb* source, int n) {
    switch (index) {
        case 0xCC: return MixSpan(dest, source, n, [](QRgb s, QRgb) { return s; });
        case 0x33: return MixSpan(dest, source, n, [](QRgb s, QRgb) { return ~s; });
        case 0xEE: return MixSpan(dest, source, n, [](QRgb s, QRgb d) { return s | d; });
        case 0x88: return MixSpan(dest, source, n, [](QRgb s, QRgb d) { return s & d; });
        case 0x66: return MixSpan(dest, source, n, [](QRgb s, QRgb d) { return s ^ d; });
        case 0x44: return MixSpan(dest, source, n, [](QRgb s, QRgb d) { return s & ~d; });
        case 0xBB: return MixSpan(dest, source, n, [](QRgb s, QRgb d) { return ~s | d; });
        default:
            return MixSpan(dest, source, n, [index](QRgb s, QRgb d) {
                return raster::ApplyRop3(index, 0, s | kBlack, d | kBlack);
            });
    }
}

// A blit whose destination pixels each take the source pixel at the same offset, by an
// operation of source and destination alone: done span by span over each clip rectangle.
bool SpanBlit(raster::Writer& w, const Axis& ax, const Axis& ay, const SourceReader& reader,
              unsigned index) {
    if (ax.srcCount != ax.destCount || ay.srcCount != ay.destCount || ax.mirror || ay.mirror ||
        reader.monoToColour || reader.colourToMono || w.Monochrome())
        return false;
    const QPoint shift(ax.destStart - ax.srcStart, ay.destStart - ay.srcStart);
    const QRect box = QRect(ax.destStart, ay.destStart, ax.destCount, ay.destCount)
                          .intersected(reader.bounds.translated(shift));
    for (const QRect& clip : w.ClipRects()) {
        const QRect part = clip.intersected(box);
        if (part.isEmpty()) continue;
        const int sx = part.left() - shift.x() - reader.bounds.left();
        for (int y = part.top(); y <= part.bottom(); ++y) {
            const int sy = y - shift.y() - reader.bounds.top();
            const auto* source = reinterpret_cast<const QRgb*>(reader.image->constScanLine(sy));
            MixSpan(index, w.Line(y) + part.left(), source + sx, part.width());
        }
    }
    return true;
}

// The blit itself: for each visible destination pixel the source pixel it maps to, mixed
// with the brush and the destination by the raster operation.
void Blit(const TCanvas::Impl& d, const Axis& ax, const Axis& ay, const TCanvas::Impl& s,
          unsigned index, const TCanvas::Impl* mask, QPoint maskOrigin,
          std::optional<QRgb> key = std::nullopt) {
    if (ax.destCount == 0 || ay.destCount == 0 || ax.srcCount == 0 || ay.srcCount == 0) return;
    const QRect needed(ax.srcStart, ay.srcStart, ax.srcCount, ay.srcCount);
    const SourceImage source(d, s, needed);
    const SourceReader reader = MakeReader(d, s, source.image, source.shift);
    const bool usesSource = raster::Rop3UsesSource(index);
    const bool usesPattern = raster::Rop3UsesPattern(index);
    const raster::Paint pattern = d.BrushPaint();
    if (usesPattern && pattern.kind == raster::Paint::None) return;
    raster::Writer w = d.MakeWriter();
    if (mask == nullptr && !key && usesSource && !usesPattern &&
        spanPath.load(std::memory_order_relaxed) && SpanBlit(w, ax, ay, reader, index))
        return;
    const QRect box(ax.destStart, ay.destStart, ax.destCount, ay.destCount);
    for (const QRect& clip : w.ClipRects()) {
        const QRect part = clip.intersected(box);
        for (int y = part.top(); y <= part.bottom(); ++y) {
            const int k = ay.SourceOffset(y - ay.destStart);
            const int sy = ay.srcStart + k;
            for (int x = part.left(); x <= part.right(); ++x) {
                const int j = ax.SourceOffset(x - ax.destStart);
                const int sx = ax.srcStart + j;
                if (mask != nullptr) {
                    const QPoint m(maskOrigin.x() + j, maskOrigin.y() + k);
                    const QImage& mi = *mask->surface.image;
                    if (!mi.rect().contains(m)) continue;
                    if (IsWhite(reinterpret_cast<const QRgb*>(mi.constScanLine(m.y()))[m.x()]))
                        continue;
                }
                QRgb sp = 0;
                if (key && reader.Raw(sx, sy, sp) && (sp & 0xFFFFFFu) == (*key & 0xFFFFFFu))
                    continue;
                if (usesSource && !reader.Read(sx, sy, sp)) continue;
                QRgb pp = 0;
                if (usesPattern && !pattern.At(x, y, pp)) continue;
                if (w.Monochrome()) pp = raster::Quantize(pp);
                const QRgb result =
                    index == 0xCC ? sp : raster::ApplyRop3(index, pp, sp, w.Get(x, y));
                w.PutPixel(x, y, result, raster::R2_COPYPEN);
            }
        }
    }
}

}  // namespace

void raster::SetBlitSpanPath(bool on) { spanPath.store(on, std::memory_order_relaxed); }

bool TCanvas::StretchBlt(int x, int y, int width, int height, const TCanvas* source, int sx, int sy,
                         int sw, int sh, TCopyMode rop) {
    Impl& d = *impl_;
    const unsigned index = (rop >> 16) & 0xFF;
    if (!d.Drawable()) return false;
    if (!raster::Rop3UsesSource(index)) return PatBlt(x, y, width, height, rop);
    if (source == nullptr || !source->impl_->Drawable()) return false;
    TCanvasChange change(*this);
    const Impl& s = *source->impl_;
    const QPoint dp = d.ToDevice(x, y);
    const QPoint sp = s.ToDevice(sx, sy);
    Blit(d, Axis(dp.x(), width, sp.x(), sw), Axis(dp.y(), height, sp.y(), sh), s, index, nullptr,
         {});
    return true;
}

bool TCanvas::BitBlt(int x, int y, int width, int height, const TCanvas* source, int sx, int sy,
                     TCopyMode rop) {
    return StretchBlt(x, y, width, height, source, sx, sy, width, height, rop);
}

void TCanvas::TransparentStretchBlt(const TRect& dest, const TCanvas* source,
                                    const TRect& sourceRect, const TCanvas* mask,
                                    TPoint maskOrigin) {
    Impl& d = *impl_;
    if (!d.Drawable() || source == nullptr || mask == nullptr || !source->impl_->Drawable() ||
        !mask->impl_->Drawable())
        return;
    TCanvasChange change(*this);
    const Impl& s = *source->impl_;
    const Impl& m = *mask->impl_;
    const QPoint dp = d.ToDevice(dest.Left, dest.Top);
    const QPoint sp = s.ToDevice(sourceRect.Left, sourceRect.Top);
    const QPoint mp = m.ToDevice(maskOrigin.X, maskOrigin.Y);
    Blit(d, Axis(dp.x(), dest.Width(), sp.x(), sourceRect.Width()),
         Axis(dp.y(), dest.Height(), sp.y(), sourceRect.Height()), s, 0xCC, &m, mp);
}

void DrawKeyed(TCanvas& dest, const TRect& r, const TCanvas& source, int width, int height,
               TColorRef key) {
    TCanvas::Impl& d = dest.Internal(kFrameworkKey);
    const TCanvas::Impl& s = source.Internal(kFrameworkKey);
    if (!d.Drawable() || !s.Drawable()) return;
    TCanvasChange change(dest);
    const QPoint dp = d.ToDevice(r.Left, r.Top);
    const QPoint sp = s.ToDevice(0, 0);
    Blit(d, Axis(dp.x(), r.Width(), sp.x(), width), Axis(dp.y(), r.Height(), sp.y(), height), s,
         0xCC, nullptr, {}, raster::ToQRgb(key));
}

void TCanvas::CopyRect(const TRect& dest, const TCanvas* source, const TRect& sourceRect) {
    StretchBlt(dest.Left, dest.Top, dest.Width(), dest.Height(), source, sourceRect.Left,
               sourceRect.Top, sourceRect.Width(), sourceRect.Height(), impl_->copyMode);
}

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
    if (graphic == nullptr || graphic->Empty()) return;
    graphic->Draw(this, Bounds(x, y, graphic->Width(), graphic->Height()));
}

void TCanvas::StretchDraw(const TRect& r, TGraphic* graphic) {
    if (graphic == nullptr || graphic->Empty()) return;
    graphic->Draw(this, r);
}

}  // namespace dsp
