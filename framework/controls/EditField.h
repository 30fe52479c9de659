#pragma once
// The one-line text field inside edit boxes and editable combo boxes: the text with its caret
// and selection (EditBuffer), the rules of typing (length limit, letter case, read-only,
// digits only), the clipboard keys, the mouse, scrolling the text sideways to keep the caret in
// view, and drawing the text, selection, hint and caret. The control that holds it gives it its
// place, font and focus, and hears of every change the user makes.

#include <functional>
#include <string>

#include "framework/controls/ControlMessages.h"
#include "framework/controls/EditBuffer.h"
#include "framework/controls/StdControlTypes.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Font.h"

namespace dsp {

class TWinControl;

class TEditField {
public:
    // control: the window the field lives in (for the caret and repainting); font: its font.
    TEditField(TWinControl& control, const TFont& font);

    // ---- settings
    TAlignment alignment = taLeftJustify;
    TEditCharCase charCase = ecNormal;
    char16_t passwordChar = 0;
    bool readOnly = false;
    bool numbersOnly = false;
    bool hideSelection = true;
    int maxLength = 0;
    std::string textHint;

    // Where the text is drawn and scrolls (client coordinates).
    void SetRect(const TRect& rect);
    const TRect& TextRect() const { return rect_; }

    // Told after each change of the text made by the user (typing, deleting, pasting, undo).
    std::function<void()> OnUserChange;

    // ---- text
    const EditBuffer& Buffer() const { return buffer_; }
    std::string Text() const { return buffer_.Text(); }
    // As the program sets it: the letter case applies, the length limit does not; the caret
    // goes to the start. True when the text differs from before.
    bool SetText(const std::string& text);
    // The text in the field's letter case.
    std::string Folded(const std::string& text) const;
    // Turns the text there is to the letter case; true when it changed.
    bool ApplyCharCase();

    // ---- selection
    void SetSelection(int start, int length);
    void SelectAll();
    void ReplaceSelection(const std::string& text);  // as the program does
    bool DeleteSelection();                          // as the user does
    void ClearUndo();

    // ---- the user's editing; each returns whether it acted on the input
    bool Type(const std::string& text);
    bool Key(unsigned virtualKey, bool shift, bool ctrl);
    bool Char(char16_t ch);
    void Copy();
    void Cut();
    void Paste();
    void Undo();
    void MouseDown(int x, bool extend);
    void MouseMove(int x);
    void MouseUp();
    void DoubleClick(int x);
    // A mouse message of the control, taken as the calls above: a press places the caret
    // (Shift extends the selection), a double click selects a word, a move with the left
    // button held selects on, the release or the capture lost ends the selecting.
    void MouseMessage(const TMessage& message);
    void FocusLost();

    // ---- showing
    // Moves the caret of the control to the field's caret (when the control has the focus).
    void UpdateCaret();
    // Draws the text, selection and caret inside TextRect (the background is the caller's).
    void Paint(TCanvas& canvas, TColor textColor, bool enabled, bool focused);
    int XOfChar(int index) const;
    int CharAtX(int x) const;

private:
    std::string ShownText() const;
    void UserChanged();
    void CaretMoved();
    void ScrollToCaret();
    int TextHeight() const;

    TWinControl& control_;
    const TFont& font_;
    EditBuffer buffer_;
    TRect rect_;
    int scrollX_ = 0;
    bool selecting_ = false;
    TTypedUnits typed_;
};

}  // namespace dsp
