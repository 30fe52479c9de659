#include "link/forms/DialogKit.h"

#include "framework/controls/Edit.h"
#include "framework/controls/Form.h"
#include "framework/controls/FormBuilder.h"
#include "framework/controls/Image.h"
#include "framework/controls/Label.h"
#include "link/forms/SessionForms.h"
#include "widgets/panels/RzBmpBtn.h"

namespace dsp::dialogkit {

namespace {

constexpr int kButtonWidth = 96;
constexpr int kButtonHeight = 28;

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
    LoadPicture(*image, picture);
    return image;
}

TRzBmpButton* AddButton(TFormBuilder& build, const std::string& name, TWinControl* parent, int left,
                        int top, const std::string& caption) {
    auto* button = build.Add<TRzBmpButton>(name, parent, left, top, kButtonWidth, kButtonHeight);
    StyleDialogButton(*button);
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
    control.Font()->SetName("Verdana");
    control.Font()->SetHeight(-fontHeight);
    control.Font()->SetStyle(bold ? TFontStyles{fsBold} : TFontStyles{});
    control.Font()->SetColor(color);
}

TLockControls AddLockControls(TFormBuilder& build, TForm& form, const std::string& cancelName) {
    TLockControls parts;
    SetUpForm(form, 300, 150);
    parts.background = AddBackground(build, form, "imBackground", "LOCK_BACKGROUND");
    parts.sign = build.Add<TImage>("imSign", &form, 28, 35, 40, 40);
    parts.sign->SetTransparent(true);
    LoadPicture(*parts.sign, "SIGN_LOCK");
    parts.label = AddLabel(build, "lblLockPassword", &form, 84, 20, 190, 20, 13, true);
    parts.edit = build.Add<TEdit>("edName", &form, 84, 46, 124, 36);
    parts.edit->SetMaxLength(4);
    parts.edit->SetCharCase(ecUpperCase);
    parts.edit->SetAlignment(taCenter);
    SetFont(*parts.edit, 24, true, clBlack);
    parts.ok = AddButton(build, "btnOK", &form, 46, 110, "OK");
    parts.cancel = AddButton(build, cancelName, &form, 158, 110, "Cancel");
    return parts;
}

}  // namespace dsp::dialogkit
