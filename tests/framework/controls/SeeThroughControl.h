#pragma once
// A windowed control whose erase paints its parent's background and content into its own
// pixels, the way a transparent panel does; what it paints itself comes on top.

#include "framework/controls/CustomControl.h"
#include "framework/controls/StdControlSupport.h"

namespace dsp::test {

class TSeeThroughControl : public TCustomControl {
public:
    using TCustomControl::TCustomControl;

protected:
    void Dispatch(TMessage& message) override {
        if (message.Msg == WM_ERASEBKGND && Parent() != nullptr) {
            PaintParentBackground(*this, *MessageCanvas(message));
            message.Result = 1;
            return;
        }
        TCustomControl::Dispatch(message);
    }
};

}  // namespace dsp::test
