#pragma once
// A form's main menu: the menu bar in the form's frame, above its client area, and the menu's
// shortcuts, which the form offers the menu before the focused control sees a key. The bar
// follows every change of the menu's items; choosing an item runs its Click.

#include "framework/controls/Form.h"
#include "framework/controls/Menus.h"

namespace dsp {

// The height of the menu bar in the frame.
inline constexpr int kMenuBarHeight = 19;

// Gives the form the menu (null: none). The binding ends when the form or the menu goes.
void SetFormMenu(TCustomForm& form, TMainMenu* menu);
// The form's menu, or null.
TMainMenu* FormMenu(const TCustomForm& form);

}  // namespace dsp
