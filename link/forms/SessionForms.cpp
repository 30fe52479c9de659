#include "link/forms/SessionForms.h"

#include "framework/controls/Image.h"
#include "framework/controls/Label.h"
#include "framework/core/Resources.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Picture.h"
#include "widgets/panels/RzBmpBtn.h"

namespace dsp {

void LoadPicture(TImage& image, const std::string& resourceName) {
    image.Picture()->LoadFromResourceName(HInstance, resourceName);
}

void StyleDialogText(TLabel& label, bool bold) {
    label.SetTransparent(true);
    label.Font()->SetName("Verdana");
    label.Font()->SetSize(9);
    label.Font()->SetColor(clWhite);
    if (bold) label.Font()->SetStyle({fsBold});
}

void StyleDialogButton(TRzBmpButton& button) {
    TBitmap strip;
    strip.LoadFromResourceName(HInstance, "BTN_SESSION");
    button.Bitmaps()->AssignStrip(strip, 4);
    TBitmap disabled;
    disabled.LoadFromResourceName(HInstance, "BTN_SESSION_DISABLED");
    button.Bitmaps()->SetDisabled(&disabled);
    button.Bitmaps()->SetTransparentColor(clTeal);
    button.SetButtonSize(bszStretchToButton);
    button.SetLayout(blGlyphTop);
    button.SetSpacing(0);
    button.Font()->SetName("Verdana");
    button.Font()->SetSize(9);
    button.Font()->SetStyle({fsBold});
    button.Font()->SetColor(clWhite);
}

}  // namespace dsp
