#pragma once
// The look the session's dialogs share: pictures from the program's artwork, text on the dialog
// backgrounds, and the dialogs' bitmap buttons.

#include <string>

namespace dsp {

class TImage;
class TLabel;
class TRzBmpButton;

// Puts the artwork picture of that resource name into the image.
void LoadPicture(TImage& image, const std::string& resourceName);
// Text on a dialog's dark background: Verdana, white (bold for the main line), transparent.
void StyleDialogText(TLabel& label, bool bold);
// A dialog button: the picture strip "BTN_SESSION" (up, hot, down, stay-down) and
// "BTN_SESSION_DISABLED", key colour teal, stretched to the button, its caption centred on the
// face in white.
void StyleDialogButton(TRzBmpButton& button);

}  // namespace dsp
