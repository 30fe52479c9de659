#include "link/forms/DialogKit.h"

#include "framework/controls/Edit.h"
#include "framework/controls/Form.h"
#include "framework/controls/FormBuilder.h"
#include "framework/controls/Image.h"
#include "framework/controls/Label.h"
#include "framework/core/Resources.h"
#include "framework/graphics/Bitmap.h"
#include "widgets/panels/RzBmpBtn.h"

namespace dsp::dialogkit {

namespace {

constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 26;
constexpr char kButtonPictures[] = "BTN_DIALOG";

}  // namespace

void SetUpForm(TForm& form, int width, int height) {
    form.SetBorderStyle(bsDialog);
    form.SetBorderIcons({});
    form.SetPosition(poScreenCenter);
    form.SetClientSize(width, height);
}

TImage* AddBackground(TFormBuilder& build, TForm& form, const std::string& name,
                      const std::string& picture) {
    auto* image = build.Add<TImage>(name, &form, 0, 0, form.ClientWidth(), form.ClientHeight());
    image->SetStretch(true);
    if (FindResource(HInstance, picture, RT_RCDATA) != nullptr ||
        FindResource(HInstance, picture, RT_BITMAP) != nullptr) {
        image->Picture()->LoadFromResourceName(HInstance, picture);
    }
    return image;
}

TRzBmpButton* AddButton(TFormBuilder& build, const std::string& name, TWinControl* parent, int left,
                        int top, const std::string& caption) {
    auto* button = build.Add<TRzBmpButton>(name, parent, left, top, kButtonWidth, kButtonHeight);
    // A program without the button pictures still gets working buttons, in the plain look.
    if (FindResource(HInstance, kButtonPictures, RT_BITMAP) != nullptr) {
        TBitmap pictures;
        pictures.LoadFromResourceName(HInstance, kButtonPictures);
        button->Bitmaps()->SetTransparentColor(clTeal);
        button->Bitmaps()->AssignStrip(pictures, 4);
    }
    button->SetButtonSize(bszStretchToButton);
    SetFont(*button, 12, true, clWhite);
    button->SetCaption(caption);
    return button;
}

TLabel* AddLabel(TFormBuilder& build, const std::string& name, TWinControl* parent, int left,
                 int top, int width, int height, int fontHeight, bool bold, TColor color) {
    auto* label = build.Add<TLabel>(name, parent, left, top, width, height);
    label->SetAutoSize(false);
    label->SetTransparent(true);
    SetFont(*label, fontHeight, bold, color);
    return label;
}

void SetFont(TControl& control, int fontHeight, bool bold, TColor color) {
    control.SetParentFont(false);
    control.Font()->SetName("Tahoma");
    control.Font()->SetHeight(-fontHeight);
    control.Font()->SetStyle(bold ? TFontStyles{fsBold} : TFontStyles{});
    control.Font()->SetColor(color);
}

TLockControls AddLockControls(TFormBuilder& build, TForm& form, const std::string& cancelName) {
    TLockControls parts;
    SetUpForm(form, 300, 150);
    parts.background = AddBackground(build, form, "imBackground", "LOCK_BACKGROUND");
    parts.sign = build.Add<TImage>("imSign", &form, 26, 33, 40, 40);
    parts.sign->SetTransparent(true);
    if (FindResource(HInstance, "SIGN_LOCK", RT_BITMAP) != nullptr) {
        parts.sign->Picture()->LoadFromResourceName(HInstance, "SIGN_LOCK");
    }
    parts.label = AddLabel(build, "lblLockPassword", &form, 84, 18, 190, 20, 13, true);
    parts.edit = build.Add<TEdit>("edName", &form, 84, 44, 124, 36);
    parts.edit->SetMaxLength(4);
    parts.edit->SetCharCase(ecUpperCase);
    parts.edit->SetAlignment(taCenter);
    SetFont(*parts.edit, 24, true, clBlack);
    parts.ok = AddButton(build, "btnOK", &form, 58, 110, "OK");
    parts.cancel = AddButton(build, cancelName, &form, 162, 110, "Cancel");
    return parts;
}

}  // namespace dsp::dialogkit
