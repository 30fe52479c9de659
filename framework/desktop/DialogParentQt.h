#pragma once
// Framework-internal: the window a dialog is shown over. The dialog components know their
// owner only as a window handle; the controls tell the dialogs which widget stands behind a
// handle.

#include <functional>

#include "framework/runtime/MessageWindow.h"

class QWidget;

namespace dsp {

using TWindowWidgetResolver = std::function<QWidget*(HWND)>;

// Set by the controls when they start; null removes it.
void SetWindowWidgetResolver(TWindowWidgetResolver resolver);

// The widget behind owner, else the program's active window, else null.
QWidget* DialogParent(HWND owner);

}  // namespace dsp
