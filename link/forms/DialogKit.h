#pragma once
// The look the dialogs of the processor operations share: a fixed dialog frame centred on the
// screen, a background picture behind the whole client area, light bold text and the dialogs'
// bitmap buttons.

#include <string>

#include "framework/graphics/Colors.h"

namespace dsp {

class TForm;
class TFormBuilder;
class TImage;
class TLabel;
class TRzBmpButton;
class TWinControl;
class TControl;
class TEdit;

namespace dialogkit {

// The light text on the dialogs' dark plates.
inline constexpr TColor kText = static_cast<TColor>(RGB(236, 240, 246));

// A dialog frame without border icons, centred on the screen, with this client size.
void SetUpForm(TForm& form, int width, int height);

// The picture of that name stretched over the client area, behind everything made after it.
TImage* AddBackground(TFormBuilder& build, TForm& form, const std::string& name,
                      const std::string& picture);

// A bitmap button in the session dialogs' look (StyleDialogButton), 96 x 28.
TRzBmpButton* AddButton(TFormBuilder& build, const std::string& name, TWinControl* parent, int left,
                        int top, const std::string& caption);

// A transparent label with its own font: Verdana of that pixel height, bold or not, in colour.
TLabel* AddLabel(TFormBuilder& build, const std::string& name, TWinControl* parent, int left,
                 int top, int width, int height, int fontHeight, bool bold, TColor color = kText);

// Verdana of that pixel height, bold or not, in colour, for any control.
void SetFont(TControl& control, int fontHeight, bool bold, TColor color);

// The two lock dialogs' common layout (300 x 150): the padlock sign, the label above the
// password box, the box (at most 4 characters, capitals, bold and centred) and OK and Cancel.
struct TLockControls {
    TImage* background = nullptr;
    TImage* sign = nullptr;
    TLabel* label = nullptr;
    TEdit* edit = nullptr;
    TRzBmpButton* ok = nullptr;
    TRzBmpButton* cancel = nullptr;
};
TLockControls AddLockControls(TFormBuilder& build, TForm& form, const std::string& cancelName);

}  // namespace dialogkit
}  // namespace dsp
