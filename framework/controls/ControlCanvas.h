#pragma once
// TControlCanvas: the canvas of a control. During a paint it draws on the device context the
// paint cycle hands over (clipped to what is being painted); outside a paint it draws on the
// pixels the control shows (its window's, or its parent's for a windowless control), and what
// it draws shows at the next paint of the native window. A control that does not show has no
// pixels: its canvas then measures text but draws nothing.

#include "framework/core/FrameworkKey.h"
#include "framework/graphics/Canvas.h"

namespace dsp {

class TControl;

class TControlCanvas : public TCanvas {
public:
    explicit TControlCanvas(TControl& control) : control_(control) {}

    TControl& Control() const { return control_; }

    // Points the canvas at the pixels it draws on outside a paint, unless a paint holds it.
    void BindOutsidePaint(TFrameworkKey);
    // A paint holds the canvas while at least one binding is open.
    int PaintDepth(TFrameworkKey) const { return paintDepth_; }
    void EnterPaint(TFrameworkKey) { ++paintDepth_; }
    void LeavePaint(TFrameworkKey) { --paintDepth_; }

protected:
    void Changed() override;

private:
    TControl& control_;
    int paintDepth_ = 0;
};

}  // namespace dsp
