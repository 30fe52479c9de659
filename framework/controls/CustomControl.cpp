#include "framework/controls/CustomControl.h"

#include "framework/controls/PaintBinding.h"
#include "framework/core/FrameworkAccess.h"

namespace dsp {

TCustomControl::TCustomControl(TComponent* owner)
    : TWinControl(owner), canvas_(std::make_unique<TControlCanvas>(*this)) {}

TCustomControl::~TCustomControl() = default;

TCanvas* TCustomControl::Canvas() const {
    canvas_->BindOutsidePaint(kFrameworkKey);
    return canvas_.get();
}

void TCustomControl::PaintWindow(TCanvas& canvas) {
    TPaintBinding binding(*canvas_, canvas);
    Paint();
}

void TCustomControl::Dispatch(TMessage& message) {
    if (message.Msg == WM_PAINT) {
        TControlState state = ControlState();
        SetControlState(state.Include(csCustomPaint));
        TWinControl::Dispatch(message);
        state = ControlState();
        SetControlState(state.Exclude(csCustomPaint));
        return;
    }
    TWinControl::Dispatch(message);
}

}  // namespace dsp
