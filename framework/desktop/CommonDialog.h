#pragma once
// The base of the common dialog components: a component that shows a modal dialog through the
// dialog service when Execute is called, over the window given (or the active window).

#include "framework/core/Component.h"
#include "framework/runtime/MessageWindow.h"

namespace dsp {

class TCommonDialog : public TComponent {
public:
    using TComponent::TComponent;

    // True when the user confirmed the dialog; its properties then hold the answer.
    virtual bool Execute(HWND owner = HWND{}) = 0;

    TNotifyEvent OnShow;   // before the dialog appears
    TNotifyEvent OnClose;  // after it is gone, confirmed or not

protected:
    void DoShow() {
        if (OnShow) OnShow(this);
    }
    void DoClose() {
        if (OnClose) OnClose(this);
    }
};

}  // namespace dsp
