#pragma once
// Framework-internal: holds a control's canvas on a paint's device context for the length of a
// paint, and gives it back afterwards as it was.

#include <vector>

#include "framework/controls/ControlCanvas.h"
#include "framework/graphics/CanvasImpl.h"

namespace dsp {

class TPaintBinding {
public:
    TPaintBinding(TControlCanvas& canvas, const TCanvas& dc);
    ~TPaintBinding();
    TPaintBinding(const TPaintBinding&) = delete;
    TPaintBinding& operator=(const TPaintBinding&) = delete;

private:
    TControlCanvas& canvas_;
    bool hadSurface_ = false;
    TCanvasSurface saved_;
    TCanvas::Impl::DeviceState state_{};
    std::vector<TCanvas::Impl::DeviceState> stack_;
};

}  // namespace dsp
