#pragma once
// The look the main window's own dialogs share with it: a fixed dialog frame centred on the
// screen over a graphite plate of the artwork, light Tahoma text, dark sunken fields that hold
// the inputs, and the artwork's button strips (BTN_DIALOG for actions, BTN_ROUTE for buttons
// that stay down).

#include <string>

#include "framework/controls/StdControlTypes.h"
#include "framework/graphics/Colors.h"

namespace dsp {

class TForm;
class TFormBuilder;
class TImage;
class TLabel;
class TPanel;
class TRzBmpButton;
class TWinControl;

namespace dialoglook {

inline constexpr TColor kText = static_cast<TColor>(RGB(206, 212, 222));
inline constexpr TColor kHeading = static_cast<TColor>(RGB(236, 240, 246));
// The sunken fields' face, which the controls on them take as their colour.
inline constexpr TColor kField = static_cast<TColor>(RGB(26, 29, 36));
inline constexpr char kFontName[] = "Tahoma";

// A dialog frame without minimize and maximize, centred on the screen, with this client size.
void SetUpDialog(TForm& form, int width, int height);

// The picture of that resource name stretched over the whole client area, behind everything
// made after it.
TImage* AddBackground(TFormBuilder& build, TForm& form, const std::string& picture);

// A transparent label in Tahoma of that pixel height.
TLabel* AddText(TFormBuilder& build, const std::string& name, TWinControl* parent, int left,
                int top, int width, int height, const std::string& caption, int fontHeight,
                bool bold, TAlignment alignment = taLeftJustify, TColor colour = kText);

// A sunken field (a panel of the field colour with a lowered bevel).
TPanel* AddField(TFormBuilder& build, const std::string& name, TWinControl* parent, int left,
                 int top, int width, int height);

// An action button, 80 x 26, bold white caption.
TRzBmpButton* AddButton(TFormBuilder& build, const std::string& name, TWinControl* parent, int left,
                        int top, const std::string& caption);

// A button that stays down (green when down), in a group of its parent's buttons; groupIndex 0
// makes it a push button.
TRzBmpButton* AddToggle(TFormBuilder& build, const std::string& name, TWinControl* parent, int left,
                        int top, int width, int height, const std::string& caption, int groupIndex,
                        bool allowAllUp, int tag);

}  // namespace dialoglook
}  // namespace dsp
