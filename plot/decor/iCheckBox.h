#pragma once
// TiCheckBox: the plot engine's owner-drawn check box: a sunken box with a tick and a caption on
// the see-through background of the component family. A press and a release over the control,
// or Space pressed and released while it has the focus, toggle it; losing the focus cancels a
// press. A change of Checked may be refused by the component's request-edit handler and is
// told to OPC items bound to "Checked".

#include <memory>
#include <string>

#include "framework/controls/StdControlTypes.h"
#include "framework/graphics/Font.h"
#include "plot/engine/iVCLComponent.h"

namespace dsp {

class TiCheckBox : public TiCustomComponent {
    DSP_PUBLISHED(TiCheckBox, TiCustomComponent) {
        using P = Published<TiCheckBox>;
        return {
            P::Property("Caption", &TiCheckBox::Caption, &TiCheckBox::SetCaption),
            P::Property("Checked", &TiCheckBox::Checked, &TiCheckBox::SetChecked).Default(false),
            P::Property("Alignment", &TiCheckBox::Alignment, &TiCheckBox::SetAlignment)
                .Default(taRightJustify),
            P::Property("AutoSize", &TiCheckBox::AutoSize, &TiCheckBox::SetAutoSize).Default(true),
            P::Property("Font", &TiCheckBox::Font, &TiCheckBox::SetFont),
            P::Property("BackGroundColor", &TiCheckBox::GetBackGroundColor,
                        &TiCheckBox::SetBackGroundColor)
                .Default(clBtnFace),
        };
    }

public:
    explicit TiCheckBox(TComponent* owner);
    ~TiCheckBox() override;

    // The caption is the control's text, so texts set by name or translated reach it.
    std::string Caption() const { return Text(); }
    void SetCaption(const std::string& value);
    bool Checked() const { return FChecked; }
    // A different value is first offered to OnRequestEdit ("Checked"); a refused edit changes
    // nothing.
    void SetChecked(bool value);
    // taLeftJustify: caption left, box right; taRightJustify: box left, caption right.
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* value) { FFont->Assign(value); }

    // Fired by every change of Checked (not while loading): OnChangeProtected("Checked"),
    // OnChange, and OnChangeUser when the user made it.
    TNotifyEvent OnChange;
    TNotifyEvent OnChangeUser;

    void PaintToCanvas(TCanvas* canvas) override;
    void iMouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void iMouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void iKeyDown(TKeyCode& key, TShiftState shift) override;
    void iKeyUp(TKeyCode& key, TShiftState shift) override;
    void GainFocus() override;
    void LoseFocus() override;

    bool Pressed() const { return FMouseDown || FKeyDown; }

protected:
    virtual void DoChange();
    void Dispatch(TMessage& message) override;

private:
    // Sizes the control to its caption: text width + 20 by text height + 4, keeping the edge
    // the box sits on when the caption is left of it.
    void DoAutoSize();
    void FontChange();
    void Toggle();

    bool FMouseDown = false;
    bool FKeyDown = false;
    bool FUserGenerated = false;
    bool FDoingAutoSize = false;
    bool FChecked = false;
    bool FAutoSize = true;
    std::unique_ptr<TFont> FFont;
    TAlignment FAlignment = taRightJustify;
};

}  // namespace dsp
