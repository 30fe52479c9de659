#pragma once
// Framework-internal: who holds the mouse and the keyboard. UI thread only.

namespace dsp {

class TControl;
class TWinControl;

struct TInputState {
    // The control that receives every mouse message while it holds the capture.
    TControl* captureControl = nullptr;
    // The control the mouse is over (entered and not yet left).
    TControl* mouseControl = nullptr;
    // The window that has the keyboard focus.
    TWinControl* focusedWindow = nullptr;
    // How many popup windows of the toolkit (dropped lists, menus) have opened so far. A popup
    // takes the pointer: the release of a press that opened one never comes back.
    int popupsOpened = 0;
};

TInputState& Input();

// A control that goes away (or stops showing) lets go of the mouse and the focus, without
// messages.
void ForgetControl(const TControl* control);

}  // namespace dsp
