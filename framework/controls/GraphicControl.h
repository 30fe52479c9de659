#pragma once
// TGraphicControl: a control without a window. Its parent paints it (WM_PAINT with the
// parent's device context moved to the control's corner and clipped to it), finds it under
// the mouse and hands it the mouse messages; the framework tells it when the mouse enters
// and leaves it. Invalidating it marks its area on the parent.

#include <memory>

#include "framework/controls/Control.h"
#include "framework/controls/ControlCanvas.h"

namespace dsp {

class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;

    // The canvas to draw on: during Paint, the paint's device context; otherwise the pixels
    // the control shows on its parent.
    TCanvas* Canvas() const;

protected:
    // Draws the control; the default draws nothing.
    virtual void Paint() {}
    void Dispatch(TMessage& message) override;

private:
    std::unique_ptr<TControlCanvas> canvas_;
};

}  // namespace dsp
