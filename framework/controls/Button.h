#pragma once
// Push buttons, check boxes and radio buttons in the classic look.
// - TButton: a click (mouse released over it, Space released, Enter while it is the focused or
//   default button, Escape on a Cancel button, its accelerator) first sets its form's
//   ModalResult to its own, then raises OnClick.
// - TCheckBox: a click steps its state (unchecked, checked, grayed when AllowGrayed). Setting
//   Checked or State by program raises OnClick when the state changes, just as a click does.
// - TRadioButton: checking it (by click or program) unchecks the other radio buttons of its
//   parent and raises OnClick; being unchecked raises nothing.

#include <string>

#include "framework/controls/StdControlTypes.h"
#include "framework/controls/WinControl.h"

namespace dsp {

// What the buttons share: a caption, a checked state kept by the derived class, and a way to
// change that state without raising OnClick.
class TButtonControl : public TWinControl {
    DSP_PUBLISHED(TButtonControl, TWinControl) {
        using P = Published<TButtonControl>;
        return {
            P::Property("WordWrap", &TButtonControl::WordWrap, &TButtonControl::SetWordWrap)
                .Default(false),
        };
    }

public:
    explicit TButtonControl(TComponent* owner);
    ~TButtonControl() override;

    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);

    virtual bool Checked() const { return false; }
    virtual void SetChecked(bool) {}

protected:
    // While clicks are disabled, a state set by program raises no OnClick.
    bool ClicksDisabled() const { return clicksDisabled_ > 0; }
    void DisableClicks() { ++clicksDisabled_; }
    void EnableClicks() { --clicksDisabled_; }

    // The look while the mouse or Space holds the button.
    bool Pressed() const { return pressed_; }
    void SetPressed(bool value);
    // A mouse press and release over the button, or Space pressed and released on it: the
    // derived class decides what a click does.
    virtual void UserClick() = 0;
    void DefaultHandler(TMessage& message) override;
    void Dispatch(TMessage& message) override;

private:
    bool wordWrap_ = false;
    int clicksDisabled_ = 0;
    bool pressed_ = false;
    bool tracking_ = false;  // the left button went down on the button
    bool spaceDown_ = false;
};

class TButton : public TButtonControl {
    DSP_PUBLISHED(TButton, TButtonControl) {
        using P = Published<TButton>;
        return {
            P::Property("Cancel", &TButton::Cancel, &TButton::SetCancel).Default(false),
            P::Property("Default", &TButton::IsDefault, &TButton::SetDefault).Default(false),
            P::Property("ModalResult", &TButton::ModalResult, &TButton::SetModalResult).Default(0),
        };
    }

public:
    explicit TButton(TComponent* owner);
    ~TButton() override;

    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }
    bool IsDefault() const { return default_; }
    void SetDefault(bool value);
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult value) { modalResult_ = value; }
    // Whether Enter clicks the button now: it has the focus, or it is the default button and
    // no other button has the focus.
    bool Active() const { return active_; }

    // Sets the form's ModalResult to the button's, then raises OnClick.
    void Click() override;

protected:
    void UserClick() override { Click(); }
    void Dispatch(TMessage& message) override;
    void PaintWindow(TCanvas& canvas) override;
    // Draws what the face shows (the caption) inside content, moved by a pixel while pressed.
    virtual void PaintContent(TCanvas& canvas, const TRect& content);

private:
    void UpdateActive(const TWinControl* focused);

    bool cancel_ = false;
    bool default_ = false;
    bool active_ = false;
    TModalResult modalResult_ = mrNone;
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
DSP_ENUM_NAMES(TCheckBoxState, "cbUnchecked", "cbChecked", "cbGrayed")

// Check boxes and radio buttons: a glyph and a caption beside it.
class TCustomCheckBox : public TButtonControl {
    DSP_PUBLISHED(TCustomCheckBox, TButtonControl) {
        using P = Published<TCustomCheckBox>;
        return {
            P::Property("Alignment", &TCustomCheckBox::Alignment, &TCustomCheckBox::SetAlignment)
                .Default(taRightJustify),
            P::Property("AllowGrayed", &TCustomCheckBox::AllowGrayed,
                        &TCustomCheckBox::SetAllowGrayed)
                .Default(false),
            P::Property("State", &TCustomCheckBox::State, &TCustomCheckBox::SetState)
                .Default(cbUnchecked),
            P::Property("Checked", &TCustomCheckBox::Checked, &TCustomCheckBox::SetChecked)
                .Stored(false),
        };
    }

public:
    explicit TCustomCheckBox(TComponent* owner);
    ~TCustomCheckBox() override;

    // taRightJustify puts the caption right of the box, taLeftJustify left of it.
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool value) { allowGrayed_ = value; }
    TCheckBoxState State() const { return state_; }
    void SetState(TCheckBoxState value);
    bool Checked() const override { return state_ == cbChecked; }
    void SetChecked(bool value) override { SetState(value ? cbChecked : cbUnchecked); }

protected:
    // The next state of a click.
    virtual void Toggle();
    void UserClick() override { Toggle(); }
    void PaintWindow(TCanvas& canvas) override;
    void Dispatch(TMessage& message) override;
    // Draws the glyph with its top-left corner at (x, y).
    virtual void DrawGlyph(TCanvas& canvas, int x, int y);
    virtual int GlyphSize() const;

private:
    TAlignment alignment_ = taRightJustify;
    bool allowGrayed_ = false;
    TCheckBoxState state_ = cbUnchecked;
};

class TCheckBox : public TCustomCheckBox {
public:
    using TCustomCheckBox::TCustomCheckBox;
};

class TRadioButton : public TCustomCheckBox {
    DSP_PUBLISHED(TRadioButton, TCustomCheckBox) {
        using P = Published<TRadioButton>;
        return {
            P::Property("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked)
                .Default(false),
        };
    }

public:
    explicit TRadioButton(TComponent* owner);
    ~TRadioButton() override;

    bool Checked() const override { return checked_; }
    void SetChecked(bool value) override;

protected:
    void Toggle() override { SetChecked(true); }
    void Dispatch(TMessage& message) override;
    void DrawGlyph(TCanvas& canvas, int x, int y) override;
    int GlyphSize() const override;

private:
    bool checked_ = false;
};

}  // namespace dsp
