#pragma once
// TEdit: a one-line text box, drawn by the framework in the classic look and edited by the
// framework's own rules:
// - MaxLength limits what the user types or pastes, never Text set by the program;
// - setting Text leaves the caret at the start with nothing selected and raises OnChange when
//   the text differs; so does every change the user makes;
// - CharCase turns letters typed or set to capitals or small letters; PasswordChar shows every
//   character as that one; ReadOnly lets the user select and copy only; NumbersOnly takes
//   digits only;
// - OnKeyDown sees virtual-key codes and OnKeyPress characters before the box acts on them;
//   a handler that sets the key to 0 keeps the box from acting;
// - the key messages the program performs act as typed keys (WM_KEYDOWN with VK_END moves
//   the caret to the end);
// - AutoSelect selects the whole text when the focus comes by the keyboard.
// No native editor is made: a hidden box costs its text and nothing else.

#include <memory>
#include <string>

#include "framework/controls/EditField.h"
#include "framework/controls/StdControlTypes.h"
#include "framework/controls/WinControl.h"

namespace dsp {

class TCustomEdit : public TWinControl {
    DSP_PUBLISHED(TCustomEdit, TWinControl) {
        using P = Published<TCustomEdit>;
        return {
            P::Property("Alignment", &TCustomEdit::Alignment, &TCustomEdit::SetAlignment)
                .Default(taLeftJustify),
            P::Property("AutoSelect", &TCustomEdit::AutoSelect, &TCustomEdit::SetAutoSelect)
                .Default(true),
            P::Property("AutoSize", &TCustomEdit::AutoSize, &TCustomEdit::SetAutoSize)
                .Default(true),
            P::Property("BorderStyle", &TCustomEdit::BorderStyle, &TCustomEdit::SetBorderStyle)
                .Default(bsSingle),
            P::Property("CharCase", &TCustomEdit::CharCase, &TCustomEdit::SetCharCase)
                .Default(ecNormal),
            P::Property("HideSelection", &TCustomEdit::HideSelection,
                        &TCustomEdit::SetHideSelection)
                .Default(true),
            P::Property("ImeMode", &TCustomEdit::ImeMode, &TCustomEdit::SetImeMode)
                .Default(imDontCare),
            P::Property("ImeName", &TCustomEdit::ImeName, &TCustomEdit::SetImeName),
            P::Property("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength)
                .Default(0),
            P::Property("NumbersOnly", &TCustomEdit::NumbersOnly, &TCustomEdit::SetNumbersOnly)
                .Default(false),
            P::Property("OEMConvert", &TCustomEdit::OEMConvert, &TCustomEdit::SetOEMConvert)
                .Default(false),
            P::Property("PasswordChar", &TCustomEdit::PasswordChar, &TCustomEdit::SetPasswordChar)
                .Default(0),
            P::Property("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly)
                .Default(false),
            P::Property("Text", &TCustomEdit::Text, &TCustomEdit::SetText),
            P::Property("TextHint", &TCustomEdit::TextHint, &TCustomEdit::SetTextHint),
        };
    }

public:
    explicit TCustomEdit(TComponent* owner);
    ~TCustomEdit() override;

    TAlignment Alignment() const { return field_.alignment; }
    void SetAlignment(TAlignment value);
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool value) { autoSelect_ = value; }
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    TEditCharCase CharCase() const { return field_.charCase; }
    // Also turns the text there is.
    void SetCharCase(TEditCharCase value);
    bool HideSelection() const { return field_.hideSelection; }
    void SetHideSelection(bool value);
    int MaxLength() const { return field_.maxLength; }
    void SetMaxLength(int value) { field_.maxLength = value < 0 ? 0 : value; }
    bool NumbersOnly() const { return field_.numbersOnly; }
    void SetNumbersOnly(bool value) { field_.numbersOnly = value; }
    bool OEMConvert() const { return oemConvert_; }
    void SetOEMConvert(bool value) { oemConvert_ = value; }
    char16_t PasswordChar() const { return field_.passwordChar; }
    void SetPasswordChar(char16_t value);
    bool ReadOnly() const { return field_.readOnly; }
    void SetReadOnly(bool value);
    TImeMode ImeMode() const { return imeMode_; }
    void SetImeMode(TImeMode value) { imeMode_ = value; }
    const std::string& ImeName() const { return imeName_; }
    void SetImeName(const std::string& value) { imeName_ = value; }
    // Shown grey while the box is empty and has not the focus.
    const std::string& TextHint() const { return field_.textHint; }
    void SetTextHint(const std::string& value);

    // Selection, in characters.
    int SelStart() const { return field_.Buffer().SelStart(); }
    void SetSelStart(int value) { field_.SetSelection(value, 0); }
    int SelLength() const { return field_.Buffer().SelLength(); }
    void SetSelLength(int value) { field_.SetSelection(SelStart(), value); }
    std::string SelText() const { return field_.Buffer().SelText(); }
    // Replaces the selection as the program does (no length limit); raises OnChange.
    void SetSelText(const std::string& value);
    void SelectAll() { field_.SelectAll(); }
    void ClearSelection() { field_.DeleteSelection(); }
    void Clear() { SetText(""); }
    int GetTextLen() const { return field_.Buffer().Length(); }

    void CopyToClipboard() { field_.Copy(); }
    void CutToClipboard() { field_.Cut(); }
    void PasteFromClipboard() { field_.Paste(); }
    bool CanUndo() const { return field_.Buffer().CanUndo(); }
    void Undo() { field_.Undo(); }
    void ClearUndo() { field_.ClearUndo(); }

    // Set by every change the user makes, cleared when the program sets Text.
    bool Modified() const { return modified_; }
    void SetModified(bool value) { modified_ = value; }

    // Caret position in characters.
    int CaretPos() const { return field_.Buffer().Caret(); }

    TNotifyEvent OnChange;

protected:
    // Raises OnChange.
    virtual void Change();
    void Dispatch(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;
    void PaintWindow(TCanvas& canvas) override;
    void DoEnter() override;

    // The area the text scrolls in, in client coordinates.
    virtual TRect TextRect() const;
    // The box's own height for its font (AutoSize).
    int AutoHeight() const;
    void AdjustHeight();

    TEditField& Field() { return field_; }
    const TEditField& Field() const { return field_; }

private:
    void LayoutField();

    TEditField field_;
    bool autoSelect_ = true;
    bool autoSize_ = true;
    TBorderStyle borderStyle_ = bsSingle;
    bool oemConvert_ = false;
    TImeMode imeMode_ = imDontCare;
    std::string imeName_;
    bool modified_ = false;
};

class TEdit : public TCustomEdit {
public:
    using TCustomEdit::TCustomEdit;
};

}  // namespace dsp
