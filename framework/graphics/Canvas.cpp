#include "framework/graphics/Canvas.h"

#include <algorithm>

#include "framework/core/FrameworkAccess.h"
#include "framework/graphics/CanvasImpl.h"
#include "framework/graphics/RegionQt.h"

namespace dsp {

int ClampCoordinate(long long value) {
    return static_cast<int>(std::clamp<long long>(value, -kCoordinateLimit, kCoordinateLimit));
}

// ---- Impl

QPoint TCanvas::Impl::ToDevice(int x, int y) const {
    const QPoint o = Offset();
    return {ClampCoordinate(static_cast<long long>(x) + o.x()),
            ClampCoordinate(static_cast<long long>(y) + o.y())};
}

QRect TCanvas::Impl::ToDevice(const TRect& r) const {
    const QPoint a = ToDevice(r.Left, r.Top);
    const QPoint b = ToDevice(r.Right, r.Bottom);
    return QRect(a, b - QPoint(1, 1));
}

QRegion TCanvas::Impl::BaseClip() const {
    if (!Drawable()) return {};
    const QRegion all(surface.image->rect());
    return surface.clip ? surface.clip->intersected(all) : all;
}

const QRegion& TCanvas::Impl::EffectiveClip() const {
    const QSize size = Drawable() ? surface.image->size() : QSize();
    if (!clipCache || clipCache->imageSize != size) {
        QRegion region = BaseClip();
        if (clip) region &= *clip;
        const QRect bounds = Drawable() ? surface.image->rect() : QRect();
        clipCache = ClipCache{size, region, raster::VisibleRects(region, bounds)};
    }
    return clipCache->region;
}

raster::Writer::Rects TCanvas::Impl::EffectiveRects() const {
    EffectiveClip();
    return clipCache->rects;
}

void TCanvas::Impl::Realize() const {
    if (brushChanged) {
        brushChanged = false;
        if (brush->Style() == bsSolid) {
            bkMode = OPAQUE;
            if (brush->Color() != clNone) bkColor = ResolveColor(brush->Color());
        } else {
            bkMode = TRANSPARENT;
        }
    }
    if (fontChanged) {
        fontChanged = false;
        textNone = font->Color() == clNone;
        if (!textNone) textColor = ResolveColor(font->Color());
    }
}

raster::Writer TCanvas::Impl::MakeWriter() const {
    return raster::Writer(*surface.image, EffectiveRects(), surface.monochrome);
}

raster::Paint TCanvas::Impl::SolidPaint(TColorRef color) const {
    raster::Paint paint;
    paint.kind = raster::Paint::Solid;
    paint.fore = raster::ToQRgb(color);
    return paint;
}

raster::Paint TCanvas::Impl::BrushPaint() const {
    raster::Paint paint;
    if (const TBrushPattern* pattern = brush->Pattern()) {
        paint.kind = raster::Paint::Pattern;
        paint.pattern = pattern;
        paint.fore = raster::ToQRgb(textColor);
        paint.back = raster::ToQRgb(bkColor);
        return paint;
    }
    if (brush->Style() == bsClear || brush->Color() == clNone) return paint;
    paint.fore = raster::ToQRgb(ResolveColor(brush->Color()));
    if (brush->Style() == bsSolid) {
        paint.kind = raster::Paint::Solid;
    } else {
        paint.kind = raster::Paint::Hatch;
        paint.hatch = brush->Style();
        paint.backOpaque = bkMode == OPAQUE;
        paint.back = raster::ToQRgb(bkColor);
    }
    return paint;
}

TCanvas::Impl::DeviceState TCanvas::Impl::Capture() const {
    return {viewport, window, clip,      textColor, textNone,
            bkColor,  bkMode, textAlign, penPos,    polyFill};
}

void TCanvas::Impl::Apply(const DeviceState& state) {
    viewport = state.viewport;
    window = state.window;
    clip = state.clip;
    ClipChanged();
    textColor = state.textColor;
    textNone = state.textNone;
    bkColor = state.bkColor;
    bkMode = state.bkMode;
    textAlign = state.textAlign;
    penPos = state.penPos;
    polyFill = state.polyFill;
}

TCanvasChange::TCanvasChange(TCanvas& canvas) : canvas_(canvas) {
    canvas_.Changing();
    canvas_.Internal(kFrameworkKey).Realize();
}

TCanvasChange::~TCanvasChange() { canvas_.Changed(); }

// ---- framework-internal access

TCanvasSurface CurrentSurface(const TCanvas& canvas) {
    const TCanvas::Impl& impl = canvas.Internal(kFrameworkKey);
    TCanvasSurface s;
    if (!impl.Drawable()) return s;
    s.image = impl.surface.image;
    s.origin = impl.Offset();
    s.clip = impl.EffectiveClip();
    s.monochrome = impl.surface.monochrome;
    s.pixelsPerInch = impl.surface.pixelsPerInch;
    return s;
}

QPoint DeviceOffset(const TCanvas& canvas) { return canvas.Internal(kFrameworkKey).Offset(); }

QRegion DeviceClip(const TCanvas& canvas) { return canvas.Internal(kFrameworkKey).EffectiveClip(); }

// ---- TCanvas

TCanvas::TCanvas() : impl_(std::make_unique<Impl>()) {
    impl_->pen = std::make_unique<TPen>();
    impl_->brush = std::make_unique<TBrush>();
    impl_->font = std::make_unique<TFont>();
    impl_->brush->OnChange = [this](TObject*) { impl_->brushChanged = true; };
    impl_->font->OnChange = [this](TObject*) { impl_->fontChanged = true; };
    impl_->Realize();
}

TCanvas::~TCanvas() = default;

TPen* TCanvas::Pen() const { return impl_->pen.get(); }
TBrush* TCanvas::Brush() const { return impl_->brush.get(); }
TFont* TCanvas::Font() const { return impl_->font.get(); }
void TCanvas::SetPen(TPen* value) { impl_->pen->Assign(value); }
void TCanvas::SetBrush(TBrush* value) { impl_->brush->Assign(value); }
void TCanvas::SetFont(TFont* value) { impl_->font->Assign(value); }
TCopyMode TCanvas::CopyMode() const { return impl_->copyMode; }
void TCanvas::SetCopyMode(TCopyMode value) { impl_->copyMode = value; }
TPoint TCanvas::PenPos() const { return impl_->penPos; }

void TCanvas::SetPenPos(TPoint value) {
    impl_->penPos = value;
    impl_->dashPhase = 0;
}

void TCanvas::SetSurface(const TCanvasSurface* surface) {
    Impl& d = *impl_;
    d.hasSurface = surface != nullptr;
    d.surface = surface ? *surface : TCanvasSurface{};
    d.viewport = {};
    d.window = {};
    d.clip.reset();
    d.ClipChanged();
    d.saved.clear();
    d.textAlign = TA_LEFT | TA_TOP;
    d.polyFill = ALTERNATE;
    d.brushChanged = true;
    d.fontChanged = true;
    d.Realize();
}

const TCanvasSurface* TCanvas::Surface() const {
    return impl_->hasSurface ? &impl_->surface : nullptr;
}

bool TCanvas::HandleAllocated() const { return impl_->Drawable(); }

int TCanvas::DeviceCaps(int index) const {
    const Impl& d = *impl_;
    const bool mono = d.hasSurface && d.surface.monochrome;
    switch (index) {
        case LOGPIXELSX:
        case LOGPIXELSY:
            return d.hasSurface && d.surface.pixelsPerInch > 0 ? d.surface.pixelsPerInch
                                                               : kScreenPixelsPerInch;
        case HORZRES: return d.Drawable() ? d.surface.image->width() : 0;
        case VERTRES: return d.Drawable() ? d.surface.image->height() : 0;
        case BITSPIXEL: return mono ? 1 : 32;
        case PLANES: return 1;
        case NUMCOLORS: return mono ? 2 : -1;
        default: return 0;
    }
}

int TCanvas::SaveDC() {
    impl_->Realize();
    impl_->saved.push_back(impl_->Capture());
    return static_cast<int>(impl_->saved.size());
}

bool TCanvas::RestoreDC(int saved) {
    Impl& d = *impl_;
    const int count = static_cast<int>(d.saved.size());
    const int index = saved < 0 ? count + saved + 1 : saved;
    if (index < 1 || index > count) return false;
    d.Apply(d.saved[static_cast<std::size_t>(index - 1)]);
    d.saved.resize(static_cast<std::size_t>(index - 1));
    return true;
}

TPoint TCanvas::ViewportOrg() const { return {impl_->viewport.x(), impl_->viewport.y()}; }

TPoint TCanvas::SetViewportOrg(int x, int y) {
    const TPoint old = ViewportOrg();
    impl_->viewport = {ClampCoordinate(x), ClampCoordinate(y)};
    return old;
}

TPoint TCanvas::OffsetViewportOrg(int dx, int dy) {
    const TPoint old = ViewportOrg();
    SetViewportOrg(old.X + dx, old.Y + dy);
    return old;
}

TPoint TCanvas::WindowOrg() const { return {impl_->window.x(), impl_->window.y()}; }

TPoint TCanvas::SetWindowOrg(int x, int y) {
    const TPoint old = WindowOrg();
    impl_->window = {ClampCoordinate(x), ClampCoordinate(y)};
    return old;
}

TColorRef TCanvas::TextColor() const {
    impl_->Realize();
    return impl_->textColor;
}

TColorRef TCanvas::SetTextColor(TColor color) {
    impl_->Realize();
    const TColorRef old = impl_->textColor;
    impl_->textNone = color == clNone;
    if (!impl_->textNone) impl_->textColor = ResolveColor(color);
    return old;
}

TColorRef TCanvas::BkColor() const {
    impl_->Realize();
    return impl_->bkColor;
}

TColorRef TCanvas::SetBkColor(TColor color) {
    impl_->Realize();
    const TColorRef old = impl_->bkColor;
    impl_->bkColor = ResolveColor(color);
    return old;
}

int TCanvas::BkMode() const {
    impl_->Realize();
    return impl_->bkMode;
}

int TCanvas::SetBkMode(int mode) {
    impl_->Realize();
    const int old = impl_->bkMode;
    if (mode == TRANSPARENT || mode == OPAQUE) impl_->bkMode = mode;
    return old;
}

unsigned TCanvas::TextAlign() const { return impl_->textAlign; }

unsigned TCanvas::SetTextAlign(unsigned align) {
    const unsigned old = impl_->textAlign;
    impl_->textAlign = align;
    return old;
}

namespace {

TRegionKind KindOf(const QRegion& r) {
    if (r.isEmpty()) return NULLREGION;
    return r.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

}  // namespace

TRegionKind TCanvas::ExcludeClipRect(int left, int top, int right, int bottom) {
    Impl& d = *impl_;
    QRegion current = d.clip ? *d.clip : d.BaseClip();
    const TRect r = NormalizeRect({left, top, right, bottom});
    if (!IsRectEmpty(r)) current -= QRegion(d.ToDevice(r));
    d.clip = current;
    d.ClipChanged();
    return KindOf(d.EffectiveClip());
}

TRegionKind TCanvas::IntersectClipRect(int left, int top, int right, int bottom) {
    Impl& d = *impl_;
    QRegion current = d.clip ? *d.clip : d.BaseClip();
    const TRect r = NormalizeRect({left, top, right, bottom});
    current &= IsRectEmpty(r) ? QRegion() : QRegion(d.ToDevice(r));
    d.clip = current;
    d.ClipChanged();
    return KindOf(d.EffectiveClip());
}

TRegionKind TCanvas::SelectClipRgn(const TRegion* region) {
    Impl& d = *impl_;
    if (region == nullptr) {
        d.clip.reset();
    } else {
        d.clip = region->Data().region.translated(d.surface.origin);
    }
    d.ClipChanged();
    return KindOf(d.EffectiveClip());
}

bool TCanvas::GetClipRgn(TRegion& region) const {
    if (!impl_->clip) return false;
    region.Data().region = impl_->clip->translated(-impl_->surface.origin);
    return true;
}

TRect TCanvas::ClipRect() const {
    const QRegion visible = impl_->EffectiveClip();
    if (visible.isEmpty()) return {};
    const QRect b = visible.boundingRect();
    const QPoint o = impl_->Offset();
    return {b.left() - o.x(), b.top() - o.y(), b.right() + 1 - o.x(), b.bottom() + 1 - o.y()};
}

bool TCanvas::PtVisible(int x, int y) const {
    return impl_->Drawable() && impl_->EffectiveClip().contains(impl_->ToDevice(x, y));
}

bool TCanvas::RectVisible(const TRect& r) const {
    const TRect n = NormalizeRect(r);
    return impl_->Drawable() && !IsRectEmpty(n) &&
           impl_->EffectiveClip().intersects(impl_->ToDevice(n));
}

TColor TCanvas::Pixels(int x, int y) const {
    if (!impl_->Drawable()) return CLR_INVALID;
    const QPoint p = impl_->ToDevice(x, y);
    if (!impl_->EffectiveClip().contains(p)) return CLR_INVALID;
    const QRgb pixel =
        reinterpret_cast<const QRgb*>(impl_->surface.image->constScanLine(p.y()))[p.x()];
    return static_cast<TColor>(raster::FromQRgb(pixel));
}

void TCanvas::SetPixels(int x, int y, TColor color) {
    if (!impl_->Drawable() || color == clNone) return;
    TCanvasChange change(*this);
    const QPoint p = impl_->ToDevice(x, y);
    impl_->MakeWriter().PutPixel(p.x(), p.y(), raster::ToQRgb(ResolveColor(color)),
                                 raster::R2_COPYPEN);
}

TPolyFillMode TCanvas::PolyFillMode() const { return impl_->polyFill; }
void TCanvas::SetPolyFillMode(TPolyFillMode mode) { impl_->polyFill = mode; }

void TCanvas::Changing() {
    if (OnChanging) OnChanging(this);
}

void TCanvas::Changed() {
    if (OnChange) OnChange(this);
}

void TCanvas::Lock() { lock_.lock(); }
void TCanvas::Unlock() { lock_.unlock(); }
bool TCanvas::TryLock() { return lock_.try_lock(); }

}  // namespace dsp
