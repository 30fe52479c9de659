#pragma once
// TCustomControl: a windowed control that paints itself through Paint on its Canvas.

#include <memory>

#include "framework/controls/ControlCanvas.h"
#include "framework/controls/WinControl.h"

namespace dsp {

class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* owner);
    ~TCustomControl() override;

    // The canvas to draw on: during Paint, the paint's device context; otherwise the
    // window's own pixels.
    TCanvas* Canvas() const;

protected:
    // Draws the client area; the default draws nothing.
    virtual void Paint() {}
    void PaintWindow(TCanvas& canvas) override;
    void Dispatch(TMessage& message) override;

private:
    std::unique_ptr<TControlCanvas> canvas_;
};

}  // namespace dsp
