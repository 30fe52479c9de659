#pragma once
// The text of an edit box with its caret, selection and one step of undo, kept apart from the
// drawing so that the rules can be seen and tested on their own:
// - text set by the program is taken whole (a maximum length limits only what is typed or
//   pasted) and leaves the caret at the start with nothing selected;
// - typing replaces the selection; a typed text that would pass the maximum length is cut to what
//   fits, and nothing is inserted when nothing fits;
// - one step of undo, as the classic edit control has: undoing twice restores the undone text.
// Positions count characters (code points), not bytes.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace dsp {

class EditBuffer {
public:
    const std::u32string& Chars() const { return text_; }
    std::string Text() const;
    int Length() const { return static_cast<int>(text_.size()); }

    // Replaces the text as the program does; caret at 0, no selection, undo forgotten. Line
    // breaks become LF.
    void SetText(std::string_view utf8);

    int Caret() const { return caret_; }
    int Anchor() const { return anchor_; }
    int SelStart() const { return caret_ < anchor_ ? caret_ : anchor_; }
    int SelLength() const { return caret_ < anchor_ ? anchor_ - caret_ : caret_ - anchor_; }
    bool HasSelection() const { return caret_ != anchor_; }
    std::string SelText() const;
    // Selects length characters from start (both limited to the text); the caret goes to the
    // end of the selection.
    void SetSelection(int start, int length);
    void SelectAll() { SetSelection(0, Length()); }
    // Moves the caret to pos; with extend the anchor stays, so the selection grows or shrinks.
    void MoveCaret(int pos, bool extend);

    // Typing or pasting: replaces the selection by as much of text as maxLength allows (0: no
    // limit). False when nothing changed.
    bool Insert(std::string_view utf8, int maxLength);
    // Replaces the selection with text as the program does (no limit); undo can take it back.
    void ReplaceSelection(std::string_view utf8);
    // Removes the selection, or the character before (Backspace) or after (Delete) the caret.
    bool DeleteBackward();
    bool DeleteForward();
    // Removes the selection; false when there was none.
    bool DeleteSelection();

    bool CanUndo() const { return hasUndo_; }
    // Swaps the text with the one before the last change.
    bool Undo();

    // Lines, for multi-line text (LF separates them; CR LF and lone CR come in as LF).
    int LineCount() const;
    int LineStart(int line) const;
    // Characters of the line without its line break.
    int LineLength(int line) const;
    int LineOf(int pos) const;

    // Word boundaries for Ctrl+Left/Right and double clicks: the start of the word at or before
    // pos, and the start of the next word after pos.
    int PreviousWordStart(int pos) const;
    int NextWordStart(int pos) const;
    // The word around pos: [start, end).
    void WordAt(int pos, int& start, int& end) const;

private:
    void Remember();
    int Clamp(int pos) const;
    void Changed() { lineStarts_.clear(); }
    const std::vector<int>& LineStarts() const;

    std::u32string text_;
    int caret_ = 0;
    int anchor_ = 0;
    bool hasUndo_ = false;
    std::u32string undoText_;
    int undoCaret_ = 0;
    mutable std::vector<int> lineStarts_;  // empty until asked for after a change
};

// Typed characters as they come in character messages: one UTF-16 unit each, so a character
// beyond the basic plane (an emoji, a rare Chinese character) comes as two halves. Every text
// control takes its typing through one of these, so all of them join the halves alike.
class TTypedUnits {
public:
    // The character the unit completes; 0 while the first half waits for its second. A half
    // without its partner is dropped.
    char32_t Take(char16_t unit);
    // Forgets a waiting first half (the control lost the focus).
    void Reset() { high_ = 0; }

private:
    char16_t high_ = 0;
};

// Bytes that are not UTF-8 pass through both conversions unchanged.
std::u32string Utf8ToChars(std::string_view utf8);
std::string CharsToUtf8(std::u32string_view chars);

}  // namespace dsp
