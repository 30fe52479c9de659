#pragma once
// A control's context menu: releasing the right button over the control (or WM_CONTEXTMENU
// sent to it) shows the menu at the mouse when its AutoPopup is on, with the control as the
// menu's PopupComponent. The binding ends when the control or the menu goes.

#include "framework/controls/Control.h"
#include "framework/controls/Menus.h"

namespace dsp {

void SetPopupMenu(TControl& control, TPopupMenu* menu);
TPopupMenu* GetPopupMenu(const TControl& control);

}  // namespace dsp
