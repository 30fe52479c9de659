#include "framework/controls/ControlCanvas.h"

#include "framework/controls/PaintBinding.h"
#include "framework/controls/WindowImpl.h"
#include "framework/core/FrameworkAccess.h"

namespace dsp {

void TControlCanvas::BindOutsidePaint(TFrameworkKey) {
    if (paintDepth_ > 0) return;
    const std::optional<TCanvasSurface> wanted = OutsidePaintSurface(control_);
    const TCanvasSurface* current = Surface();
    if (!wanted) {
        if (current != nullptr) SetSurface(nullptr);
        return;
    }
    // Rebinding starts the device state afresh; a canvas already on these pixels keeps it.
    if (current != nullptr && current->image == wanted->image &&
        current->origin == wanted->origin && current->clip == wanted->clip) {
        return;
    }
    SetSurface(&*wanted);
}

void TControlCanvas::Changed() {
    TCanvas::Changed();
    if (paintDepth_ == 0) FlushControl(control_);
}

TPaintBinding::TPaintBinding(TControlCanvas& canvas, const TCanvas& dc) : canvas_(canvas) {
    if (const TCanvasSurface* current = canvas.Surface()) {
        hadSurface_ = true;
        saved_ = *current;
        state_ = canvas.Internal(kFrameworkKey).Capture();
        stack_ = canvas.Internal(kFrameworkKey).saved;
    }
    const TCanvasSurface surface = CurrentSurface(dc);
    canvas.SetSurface(&surface);
    canvas.EnterPaint(kFrameworkKey);
}

TPaintBinding::~TPaintBinding() {
    canvas_.LeavePaint(kFrameworkKey);
    if (hadSurface_) {
        canvas_.SetSurface(&saved_);
        canvas_.Internal(kFrameworkKey).Apply(state_);
        canvas_.Internal(kFrameworkKey).saved = stack_;
    } else {
        canvas_.SetSurface(nullptr);
    }
}

}  // namespace dsp
