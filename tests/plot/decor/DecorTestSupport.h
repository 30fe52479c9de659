#pragma once
// Input for the decor tests as the window messages a control receives: mouse presses, moves
// and releases at a point, and keys pressed and released.

#include "framework/controls/ControlMessages.h"
#include "framework/controls/WinControl.h"

namespace dsp::test {

inline void MouseDownAt(TControl& c, int x, int y) {
    c.Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam({x, y}));
}
inline void MouseMoveTo(TControl& c, int x, int y, bool held = true) {
    c.Perform(WM_MOUSEMOVE, held ? MK_LBUTTON : 0, PointToLParam({x, y}));
}
inline void MouseUpAt(TControl& c, int x, int y) {
    c.Perform(WM_LBUTTONUP, 0, PointToLParam({x, y}));
}
inline void ClickAt(TControl& c, int x, int y) {
    MouseDownAt(c, x, y);
    MouseUpAt(c, x, y);
}
inline void KeyDown(TControl& c, int key) { c.Perform(WM_KEYDOWN, static_cast<WPARAM>(key), 0); }
inline void KeyUp(TControl& c, int key) { c.Perform(WM_KEYUP, static_cast<WPARAM>(key), 0); }
inline void KeyChar(TControl& c, char16_t ch) { c.Perform(WM_CHAR, static_cast<WPARAM>(ch), 0); }

}  // namespace dsp::test
