#pragma once
// Framework-internal: what the input side tells the hints.

#include "framework/graphics/Geometry.h"

namespace dsp {

class TControl;
class THintWindow;

// The mouse moved over control (null: off the forms) at a screen point.
void HintMouseMoved(TControl* control, TPoint screen);
// A button or key was pressed: a showing or waiting hint goes.
void HintInputPressed();
// The control goes away.
void HintControlGone(const TControl* control);
void HintWindowGone(const THintWindow* window);

}  // namespace dsp
