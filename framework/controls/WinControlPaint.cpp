// The painting side of TWinControl: marking, the default erase, the paint handler with its
// windowless children, and painting a control tree into any canvas.

#include "framework/controls/WinControl.h"

#include <algorithm>

#include "framework/controls/WindowImpl.h"
#include "framework/graphics/Canvas.h"

namespace dsp {

// Goes through CM_INVALIDATE, so that a control (and each of its parents, told with WParam 1)
// can react to being marked for painting.
void TWinControl::Invalidate() { Perform(CM_INVALIDATE, 0, 0); }

void TWinControl::InvalidateRect(const TRect* rect, bool erase) {
    if (!window_->showing) return;
    const TSize size = WindowClientSize();
    const QRect area = rect != nullptr ? QRect(rect->Left, rect->Top, rect->Width(), rect->Height())
                                       : QRect(0, 0, size.cx, size.cy);
    window_->Invalidate(QRegion(area), erase);
}

void TWinControl::Update() { window_->PaintPending(); }

void TWinControl::Repaint() {
    Invalidate();
    Update();
}

void TWinControl::DoEraseBackground(TMessage& message) {
    TCanvas* dc = MessageCanvas(message);
    if (dc == nullptr) return;
    // The caller's canvas keeps its own brush: the fill goes through a canvas on the same
    // pixels, origin and clip.
    TCanvas canvas;
    const TCanvasSurface surface = CurrentSurface(*dc);
    canvas.SetSurface(&surface);
    canvas.Brush()->Assign(brush_.get());
    const TSize size = WindowClientSize();
    canvas.FillRect(Rect(0, 0, size.cx, size.cy));
    message.Result = 1;
}

void TWinControl::PaintWindow(TCanvas&) {}

void TWinControl::PaintHandler(TCanvas& canvas) {
    const int saved = canvas.SaveDC();
    // Opaque windowless children cover their area: the control need not paint under them.
    for (TControl* child : controls_) {
        if (!child->Visible() || !child->ControlStyle().Contains(csOpaque)) continue;
        const TRect r = child->BoundsRect();
        if (canvas.RectVisible(r)) canvas.ExcludeClipRect(r.Left, r.Top, r.Right, r.Bottom);
    }
    PaintWindow(canvas);
    canvas.RestoreDC(saved);
    PaintControls(canvas, nullptr);
}

void TWinControl::PaintControls(TCanvas& canvas, TControl* first) {
    std::size_t start = 0;
    if (first != nullptr) {
        auto found = std::find(controls_.begin(), controls_.end(), first);
        if (found == controls_.end()) return;
        start = static_cast<std::size_t>(found - controls_.begin());
    }
    // A child's painting may add or remove children; walk by index over what is there.
    for (std::size_t i = start; i < controls_.size(); ++i) {
        TControl* child = controls_[i];
        if (!child->Visible()) continue;
        const TRect r = child->BoundsRect();
        if (IsRectEmpty(r) || !canvas.RectVisible(r)) continue;
        const int saved = canvas.SaveDC();
        const TPoint org = canvas.WindowOrg();
        canvas.SetWindowOrg(org.X - r.Left, org.Y - r.Top);
        canvas.IntersectClipRect(0, 0, r.Width(), r.Height());
        child->Perform(WM_PAINT, CanvasParam(&canvas), 0);
        canvas.RestoreDC(saved);
    }
}

void TWinControl::PaintControlsNow(TControl* first) {
    if (!window_->showing) return;
    if (window_->EnsureSurface() || !window_->invalid.isEmpty()) {
        window_->PaintPending();
        if (window_->surface.isNull()) return;
    }
    const TRect r = first->BoundsRect();
    const QRegion area(QRect(r.Left, r.Top, r.Width(), r.Height()));
    TCanvas canvas;
    TCanvasSurface surface;
    surface.image = &window_->surface;
    surface.clip = area;
    canvas.SetSurface(&surface);
    PaintControls(canvas, first);
    window_->Flush(area);
}

void TWinControl::PaintTo(TCanvas& canvas, int x, int y) {
    TControlState state = ControlState();
    SetControlState(state.Include(csPaintCopy));
    const int saved = canvas.SaveDC();
    const TPoint org = canvas.WindowOrg();
    canvas.SetWindowOrg(org.X - x, org.Y - y);
    const TSize size = WindowClientSize();
    canvas.IntersectClipRect(0, 0, size.cx, size.cy);
    Perform(WM_ERASEBKGND, CanvasParam(&canvas), 0);
    Perform(WM_PAINT, CanvasParam(&canvas), 0);
    for (std::size_t i = 0; i < winControls_.size(); ++i) {
        TWinControl* child = winControls_[i];
        if (child->Visible()) child->PaintTo(canvas, child->Left(), child->Top());
    }
    canvas.RestoreDC(saved);
    state = ControlState();
    SetControlState(state.Exclude(csPaintCopy));
}

}  // namespace dsp
