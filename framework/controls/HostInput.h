#pragma once
// Framework-internal: the host toolkit's input events as the controls' messages. Mouse
// events go to the control under the mouse (or the one holding the capture), with the
// windowless children found by the parent; key events go to the window that has the focus,
// through the dialog-key and dialog-character checks first; the framework tracks which
// control the mouse is over and sends CM_MOUSEENTER and CM_MOUSELEAVE. Forms barred by a
// modal form and disabled controls take no input.

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace dsp {

class TControl;
class TWinControl;
class TWindowHost;

class TCustomForm;
class TFormFrame;

// Handles an event of a control's native window; true when it was taken.
bool HandleHostEvent(TWinControl& control, TWindowHost& host, QEvent* event);
// Handles an event of a form's top-level window; true when it was taken.
bool HandleFrameEvent(TCustomForm& form, TFormFrame& frame, QEvent* event);

// Key events of a native widget embedded in a control (a text editor) go through this too:
// it sends the key messages to target. While they are handled, CurrentKeyEvent gives the
// event, so that the control's DefaultHandler can pass what nobody consumed to its widget.
void DeliverKeyEvent(TWinControl& target, QKeyEvent* event);
const QKeyEvent* CurrentKeyEvent();

// Mouse events of a control's native window (or of a widget embedded in it), in its client
// coordinates.
void DeliverMouseEvent(TWinControl& control, QMouseEvent* event);

// From now on, every popup window of the toolkit that opens (a dropped list, a menu) takes the
// capture from the control holding it (WM_CANCELMODE) and counts in TInputState::popupsOpened.
// Once per application; the native windows call it as they are made.
void WatchToolkitPopups();

// Makes the control the one the mouse is over (null: none), with the leave and enter
// messages, and shows its cursor.
void SetMouseControl(TControl* control);
// Shows the control's cursor on the native window it is drawn in.
void ApplyHostCursor(TControl& control);

}  // namespace dsp
