#include "dialogs/DialogLook.h"

#include "framework/controls/Form.h"
#include "framework/controls/FormBuilder.h"
#include "framework/controls/Image.h"
#include "framework/controls/Label.h"
#include "framework/controls/Panel.h"
#include "framework/core/Resources.h"
#include "framework/graphics/Bitmap.h"
#include "widgets/panels/RzBmpBtn.h"

namespace dsp::dialoglook {

namespace {

void SetFont(TFont& font, int height, TColor colour, bool bold) {
    font.SetName(kFontName);
    font.SetHeight(-height);
    font.SetColor(colour);
    font.SetStyle(bold ? TFontStyles{fsBold} : TFontStyles{});
}

TRzBmpButton* StripButton(TFormBuilder& build, const std::string& name, TWinControl* parent,
                          int left, int top, int width, int height, const std::string& caption,
                          const char* strip) {
    auto* button = build.Add<TRzBmpButton>(name, parent, left, top, width, height);
    TBitmap pictures;
    pictures.LoadFromResourceName(HInstance, strip);
    button->Bitmaps()->SetTransparentColor(clTeal);
    button->Bitmaps()->AssignStrip(pictures, 4);
    button->SetButtonSize(bszStretchToButton);
    button->SetShowFocus(false);
    button->SetParentFont(false);
    SetFont(*button->Font(), 12, clWhite, true);
    button->SetCaption(caption);
    return button;
}

}  // namespace

void SetUpDialog(TForm& form, int width, int height) {
    form.SetBorderStyle(bsDialog);
    form.SetBorderIcons({biSystemMenu});
    form.SetPosition(poScreenCenter);
    form.SetColor(kField);
    form.Font()->SetName(kFontName);
    form.Font()->SetHeight(-11);
    form.SetClientSize(width, height);
}

TImage* AddBackground(TFormBuilder& build, TForm& form, const std::string& picture) {
    auto* image =
        build.Add<TImage>("imBackground", &form, 0, 0, form.ClientWidth(), form.ClientHeight());
    image->Picture()->LoadFromResourceName(HInstance, picture);
    image->SetStretch(true);
    return image;
}

TLabel* AddText(TFormBuilder& build, const std::string& name, TWinControl* parent, int left,
                int top, int width, int height, const std::string& caption, int fontHeight,
                bool bold, TAlignment alignment, TColor colour) {
    auto* label = build.Add<TLabel>(name, parent, left, top, width, height);
    label->SetAutoSize(false);
    label->SetTransparent(true);
    label->SetAlignment(alignment);
    label->SetLayout(tlCenter);
    label->SetParentFont(false);
    SetFont(*label->Font(), fontHeight, colour, bold);
    label->SetCaption(caption);
    return label;
}

TPanel* AddField(TFormBuilder& build, const std::string& name, TWinControl* parent, int left,
                 int top, int width, int height) {
    auto* panel = build.Add<TPanel>(name, parent, left, top, width, height);
    panel->SetBevelOuter(bvLowered);
    panel->SetBevelInner(bvNone);
    panel->SetColor(kField);
    panel->SetParentBackground(false);
    panel->SetShowCaption(false);
    panel->SetCaption("");
    panel->SetParentFont(false);
    SetFont(*panel->Font(), 12, kText, false);
    return panel;
}

TRzBmpButton* AddButton(TFormBuilder& build, const std::string& name, TWinControl* parent, int left,
                        int top, const std::string& caption) {
    return StripButton(build, name, parent, left, top, 80, 26, caption, "BTN_DIALOG");
}

TRzBmpButton* AddToggle(TFormBuilder& build, const std::string& name, TWinControl* parent, int left,
                        int top, int width, int height, const std::string& caption, int groupIndex,
                        bool allowAllUp, int tag) {
    TRzBmpButton* button =
        StripButton(build, name, parent, left, top, width, height, caption, "BTN_ROUTE");
    TBitmap disabled;
    disabled.LoadFromResourceName(HInstance, "BTN_ROUTE_DISABLED");
    button->Bitmaps()->SetDisabled(&disabled);
    button->SetGroupIndex(groupIndex);
    button->SetAllowAllUp(allowAllUp);
    button->SetTag(tag);
    return button;
}

}  // namespace dsp::dialoglook
