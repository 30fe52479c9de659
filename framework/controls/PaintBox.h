#pragma once
// TPaintBox: an area of its parent that the program draws on in OnPaint (or at any time on
// Canvas; what is drawn outside a paint shows at once and is drawn over at the next paint).

#include "framework/controls/GraphicControl.h"

namespace dsp {

class TPaintBox : public TGraphicControl {
public:
    explicit TPaintBox(TComponent* owner);
    ~TPaintBox() override;

    TNotifyEvent OnPaint;

protected:
    // Prepares the canvas (Font, a brush of Color) and raises OnPaint; fills nothing.
    void Paint() override;
};

}  // namespace dsp
