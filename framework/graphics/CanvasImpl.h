#pragma once
// Framework-internal: the state behind a TCanvas, shared by the files that implement it.

#include <optional>
#include <vector>

#include "framework/graphics/Canvas.h"
#include "framework/graphics/CanvasQt.h"
#include "framework/graphics/Raster.h"

namespace dsp {

struct TCanvas::Impl {
    struct DeviceState {
        QPoint viewport;
        QPoint window;
        std::optional<QRegion> clip;
        TColorRef textColor;
        bool textNone;
        TColorRef bkColor;
        int bkMode;
        unsigned textAlign;
        TPoint penPos;
        TPolyFillMode polyFill;
    };

    std::unique_ptr<TPen> pen;
    std::unique_ptr<TBrush> brush;
    std::unique_ptr<TFont> font;
    TCanvasSurface surface;
    bool hasSurface = false;

    QPoint viewport;
    QPoint window;
    std::optional<QRegion> clip;  // the clip region, image coordinates
    std::vector<DeviceState> saved;
    struct ClipCache {
        QSize imageSize;
        QRegion region;
        raster::Writer::Rects rects;
    };
    mutable std::optional<ClipCache> clipCache;

    // Text and background colours follow the font and brush lazily, as the drawing calls need them.
    mutable TColorRef textColor = 0;
    mutable bool textNone = false;  // the text colour is clNone: glyphs are not drawn
    mutable bool fontChanged = true;
    mutable TColorRef bkColor = 0xFFFFFF;
    mutable int bkMode = OPAQUE;
    mutable bool brushChanged = true;
    unsigned textAlign = TA_LEFT | TA_TOP;
    TPoint penPos;
    TCopyMode copyMode = SRCCOPY;
    TPolyFillMode polyFill = ALTERNATE;
    int dashPhase = 0;  // position in the pen style, carried from one LineTo to the next

    bool Drawable() const {
        return hasSurface && surface.image != nullptr && !surface.image->isNull();
    }
    QPoint Offset() const { return surface.origin + viewport - window; }
    QPoint ToDevice(int x, int y) const;
    QRect ToDevice(const TRect& r) const;
    QRegion BaseClip() const;
    // The visible part of the image now: the surface's clip and the clip region, inside the
    // image. Kept until the clip, the surface or the image's size changes.
    const QRegion& EffectiveClip() const;
    raster::Writer::Rects EffectiveRects() const;
    void ClipChanged() { clipCache.reset(); }
    // Applies the pending effects of brush and font changes on the background and text colours.
    void Realize() const;
    raster::Writer MakeWriter() const;
    raster::Paint BrushPaint() const;
    raster::Paint SolidPaint(TColorRef color) const;
    int Rop2() const { return PenModeToRop2(pen->Mode()); }
    DeviceState Capture() const;
    void Apply(const DeviceState& state);
};

namespace raster {
// Whether blits that need no per-pixel mapping (unmasked, unstretched, colour to colour, source
// and destination only) copy whole spans; on by default. Tests switch it off to compare the
// spans with the general per-pixel loop.
void SetBlitSpanPath(bool on);
}  // namespace raster

// Brackets a drawing call: the canvas's change events around it and the realization of brush
// and font before it.
class TCanvasChange {
public:
    explicit TCanvasChange(TCanvas& canvas);
    ~TCanvasChange();
    TCanvasChange(const TCanvasChange&) = delete;
    TCanvasChange& operator=(const TCanvasChange&) = delete;

private:
    TCanvas& canvas_;
};

// Copies source's (0, 0, width, height) stretched into r of dest, leaving out the source
// pixels of colour key (a transparent bitmap).
void DrawKeyed(TCanvas& dest, const TRect& r, const TCanvas& source, int width, int height,
               TColorRef key);

// Coordinates beyond this are clamped, as a device context does, so that pixel arithmetic
// cannot overflow.
constexpr int kCoordinateLimit = 1 << 27;
int ClampCoordinate(long long value);

}  // namespace dsp
