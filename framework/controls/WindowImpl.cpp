#include "framework/controls/WindowImpl.h"

#include "framework/controls/WindowHost.h"
#include "framework/core/FrameworkAccess.h"
#include "framework/graphics/Canvas.h"

namespace dsp {

namespace {

// Beyond this many rectangles a waiting region becomes its bounding box: marking stays cheap
// when hundreds of children move, at the price of painting a little more.
constexpr int kMaxInvalidRects = 16;

QRegion Simplified(const QRegion& region) {
    return region.rectCount() > kMaxInvalidRects ? QRegion(region.boundingRect()) : region;
}

class TPaintingFlag {
public:
    explicit TPaintingFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~TPaintingFlag() { flag_ = false; }
    TPaintingFlag(const TPaintingFlag&) = delete;
    TPaintingFlag& operator=(const TPaintingFlag&) = delete;

private:
    bool& flag_;
};

}  // namespace

void TWindowImpl::Invalidate(const QRegion& region, bool withErase) {
    if (!showing) return;
    const TSize size = control.WindowClientSize();
    const QRegion area = region & QRect(0, 0, size.cx, size.cy);
    if (area.isEmpty()) return;
    invalid = Simplified(invalid + area);
    if (withErase) erase = Simplified(erase + area);
    if (host != nullptr) host->update(area);
}

bool TWindowImpl::EnsureSurface() {
    const TSize size = control.WindowClientSize();
    if (!surface.isNull() && surface.width() == size.cx && surface.height() == size.cy) {
        return false;
    }
    if (size.cx <= 0 || size.cy <= 0) {
        surface = QImage();
        return false;
    }
    // The same image object keeps its address, so canvases that point at it stay valid.
    surface = QImage(size.cx, size.cy, QImage::Format_RGB32);
    surface.fill(Qt::white);
    invalid = QRegion(0, 0, size.cx, size.cy);
    erase = invalid;
    return true;
}

void TWindowImpl::DropSurface() {
    surface = QImage();
    invalid = QRegion();
    erase = QRegion();
}

void TWindowImpl::PaintPending() {
    if (!showing || painting) return;
    EnsureSurface();
    if (surface.isNull() || invalid.isEmpty()) return;
    const QRegion region = invalid & surface.rect();
    const bool withErase = erase.intersects(region);
    invalid = QRegion();
    erase = QRegion();
    TPaintingFlag flag(painting);
    TCanvas dc;
    TCanvasSurface target;
    target.image = &surface;
    target.clip = region;
    dc.SetSurface(&target);
    if (withErase) control.Perform(WM_ERASEBKGND, CanvasParam(&dc), 0);
    control.Perform(WM_PAINT, CanvasParam(&dc), 0);
}

void TWindowImpl::Flush() {
    if (host != nullptr) host->update();
}

void TWindowImpl::Flush(const QRegion& region) {
    if (host != nullptr) host->update(region);
}

std::optional<TCanvasSurface> OutsidePaintSurface(TControl& control) {
    if (auto* windowed = dynamic_cast<TWinControl*>(&control)) {
        TWindowImpl& window = windowed->Window(kFrameworkKey);
        if (!window.showing) return std::nullopt;
        window.EnsureSurface();
        if (window.surface.isNull()) return std::nullopt;
        TCanvasSurface surface;
        surface.image = &window.surface;
        return surface;
    }
    TWinControl* parent = control.Parent();
    if (parent == nullptr || !control.Showing()) return std::nullopt;
    TWindowImpl& window = parent->Window(kFrameworkKey);
    window.EnsureSurface();
    if (window.surface.isNull()) return std::nullopt;
    TCanvasSurface surface;
    surface.image = &window.surface;
    surface.origin = QPoint(control.Left(), control.Top());
    surface.clip = QRegion(control.Left(), control.Top(), control.Width(), control.Height()) &
                   window.surface.rect();
    return surface;
}

void FlushControl(TControl& control) {
    if (auto* windowed = dynamic_cast<TWinControl*>(&control)) {
        windowed->Window(kFrameworkKey).Flush();
    } else if (TWinControl* parent = control.Parent()) {
        parent->Window(kFrameworkKey)
            .Flush(QRegion(control.Left(), control.Top(), control.Width(), control.Height()));
    }
}

}  // namespace dsp
