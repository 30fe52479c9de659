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

#include "framework/controls/EditBuffer.h"
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
            P::Property("PasswordChar", &TCustomEdit::PasswordChar,
                        &TCustomEdit::SetPasswordChar)
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

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool value) { autoSelect_ = value; }
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    TEditCharCase CharCase() const { return charCase_; }
    // Also turns the text there is.
    void SetCharCase(TEditCharCase value);
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool value);
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int value) { maxLength_ = value < 0 ? 0 : value; }
    bool NumbersOnly() const { return numbersOnly_; }
    void SetNumbersOnly(bool value) { numbersOnly_ = value; }
    bool OEMConvert() const { return oemConvert_; }
    void SetOEMConvert(bool value) { oemConvert_ = value; }
    char16_t PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(char16_t value);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    TImeMode ImeMode() const { return imeMode_; }
    void SetImeMode(TImeMode value) { imeMode_ = value; }
    const std::string& ImeName() const { return imeName_; }
    void SetImeName(const std::string& value) { imeName_ = value; }
    // Shown grey while the box is empty.
    const std::string& TextHint() const { return textHint_; }
    void SetTextHint(const std::string& value);

    // Selection, in characters.
    int SelStart() const { return buffer_.SelStart(); }
    void SetSelStart(int value);
    int SelLength() const { return buffer_.SelLength(); }
    void SetSelLength(int value);
    std::string SelText() const { return buffer_.SelText(); }
    // Replaces the selection as the program does (no length limit).
    void SetSelText(const std::string& value);
    void SelectAll();
    void ClearSelection();
    void Clear() { SetText(""); }
    int GetTextLen() const { return buffer_.Length(); }

    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    bool CanUndo() const { return buffer_.CanUndo(); }
    void Undo();
    void ClearUndo();

    // Set by every change the user makes, cleared when the program sets Text.
    bool Modified() const { return modified_; }
    void SetModified(bool value) { modified_ = value; }

    // Caret position in characters.
    int CaretPos() const { return buffer_.Caret(); }

    TNotifyEvent OnChange;

protected:
    // Raises OnChange.
    virtual void Change();
    void Dispatch(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;
    void PaintWindow(TCanvas& canvas) override;
    void DoEnter() override;
    void DoExit() override;

    // The area the text scrolls in, in client coordinates.
    virtual TRect TextRect() const;
    // The box's own height for its font (AutoSize).
    int AutoHeight() const;
    void AdjustHeight();

    const EditBuffer& Buffer() const { return buffer_; }

    // Editing as the user does it: each returns whether the text changed (then OnChange ran).
    bool TypeText(const std::string& text);
    bool HandleEditKey(unsigned key, TShiftState shift);
    bool HandleChar(char16_t ch);

private:
    std::string shownText() const;
    std::string caseFolded(const std::string& text) const;
    void userChanged();
    void changedByProgram();
    int xOfChar(int index) const;
    int charAtX(int x) const;
    void scrollToCaret();
    void caretMoved();
    void invalidateText();

    EditBuffer buffer_;
    TAlignment alignment_ = taLeftJustify;
    bool autoSelect_ = true;
    bool autoSize_ = true;
    TBorderStyle borderStyle_ = bsSingle;
    TEditCharCase charCase_ = ecNormal;
    bool hideSelection_ = true;
    int maxLength_ = 0;
    bool numbersOnly_ = false;
    bool oemConvert_ = false;
    char16_t passwordChar_ = 0;
    bool readOnly_ = false;
    TImeMode imeMode_ = imDontCare;
    std::string imeName_;
    std::string textHint_;
    bool modified_ = false;
    bool selecting_ = false;       // the left button is held to select
    char16_t pendingSurrogate_ = 0;
    int scrollX_ = 0;              // pixels scrolled to the left
};

class TEdit : public TCustomEdit {
public:
    using TCustomEdit::TCustomEdit;
};

}  // namespace dsp
