#include "framework/controls/GraphicControl.h"

#include "framework/controls/PaintBinding.h"
#include "framework/core/FrameworkAccess.h"

namespace dsp {

TGraphicControl::TGraphicControl(TComponent* owner)
    : TControl(owner), canvas_(std::make_unique<TControlCanvas>(*this)) {}

TGraphicControl::~TGraphicControl() {
    // Leave the parent while the canvas still exists: leaving marks the area for painting.
    Destroying();
    SetParent(nullptr);
}

TCanvas* TGraphicControl::Canvas() const {
    canvas_->BindOutsidePaint(kFrameworkKey);
    return canvas_.get();
}

void TGraphicControl::Dispatch(TMessage& message) {
    if (message.Msg == WM_PAINT) {
        TCanvas* dc = MessageCanvas(message);
        if (dc != nullptr && !ComponentState().Contains(csDestroying)) {
            TPaintBinding binding(*canvas_, *dc);
            Paint();
        }
        return;
    }
    TControl::Dispatch(message);
}

}  // namespace dsp
