#pragma once
// The text caret, shared by the text controls as the platform shares one caret: only the
// control that has the focus shows it, blinking every 500 ms (on the clock in force). The
// control draws the caret itself whenever CaretShown says so.

#include "framework/graphics/Geometry.h"

namespace dsp {

class TWinControl;

// The control takes the caret, at rect (client coordinates); it shows at once and starts
// blinking afresh.
void CaretPlace(TWinControl& owner, const TRect& rect);
// The control lets the caret go (it lost the focus, or is going away).
void CaretRelease(TWinControl& owner);
// Whether the control should draw its caret now.
bool CaretShown(const TWinControl& owner);

}  // namespace dsp
