#pragma once
// TComboBox: an edit field or a selected line with a list that drops down, in the classic look.
// The rules the program relies on:
// - setting ItemIndex (or Text) by program shows the line and raises nothing;
// - the user's choice of a line (in the dropped list, with the arrow keys or the wheel, or by
//   typing in a list-style combo) shows it, then raises OnClick and OnSelect (OnChange instead
//   when OnSelect is not set); typing in an editable combo raises OnChange;
// - in the dropped list the arrow keys only move the highlight: the line is chosen by Enter, a
//   click, Alt+Up/Down or F4 (one choice, one event), Escape closes without a choice;
// - OnDropDown runs before the list opens (it may still fill Items), OnCloseUp after it closed;
// - list styles find lines by their beginning: with AutoComplete the characters typed within
//   half a second make one prefix, otherwise each character finds the next line starting with
//   it; FindString is that prefix search (first line from the top, without case). There is no
//   other completion;
// - DroppedWidth widens the list beyond the combo; TopIndex is the first line the list shows.
// The dropped list is a window of its own, made when it opens; a closed combo costs no window.

#include <functional>
#include <memory>

#include "framework/controls/ControlCanvas.h"
#include "framework/controls/EditField.h"
#include "framework/controls/ItemStrings.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/WinControl.h"
#include "framework/core/FrameworkKey.h"

namespace dsp {

class TComboPopup;

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
DSP_ENUM_NAMES(TComboBoxStyle, "csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed",
               "csOwnerDrawVariable")

class TCustomComboBox : public TWinControl {
    DSP_PUBLISHED(TCustomComboBox, TWinControl) {
        using P = Published<TCustomComboBox>;
        return {
            P::Property("AutoCloseUp", &TCustomComboBox::AutoCloseUp,
                        &TCustomComboBox::SetAutoCloseUp)
                .Default(false),
            P::Property("AutoComplete", &TCustomComboBox::AutoComplete,
                        &TCustomComboBox::SetAutoComplete)
                .Default(true),
            P::Property("AutoDropDown", &TCustomComboBox::AutoDropDown,
                        &TCustomComboBox::SetAutoDropDown)
                .Default(false),
            P::Property("CharCase", &TCustomComboBox::CharCase, &TCustomComboBox::SetCharCase)
                .Default(ecNormal),
            P::Property("DropDownCount", &TCustomComboBox::DropDownCount,
                        &TCustomComboBox::SetDropDownCount)
                .Default(8),
            P::Property("ItemHeight", &TCustomComboBox::ItemHeight, &TCustomComboBox::SetItemHeight)
                .Default(16),
            P::Property("Items", &TCustomComboBox::Items, &TCustomComboBox::SetItems),
            P::Property("ItemIndex", &TCustomComboBox::ItemIndex, &TCustomComboBox::SetItemIndex)
                .Default(-1),
            P::Property("MaxLength", &TCustomComboBox::MaxLength, &TCustomComboBox::SetMaxLength)
                .Default(0),
            P::Property("Sorted", &TCustomComboBox::Sorted, &TCustomComboBox::SetSorted)
                .Default(false),
            P::Property("Style", &TCustomComboBox::Style, &TCustomComboBox::SetStyle)
                .Default(csDropDown),
            P::Property("Text", &TCustomComboBox::Text, &TCustomComboBox::SetText),
            P::Property("TextHint", &TCustomComboBox::TextHint, &TCustomComboBox::SetTextHint),
        };
    }

public:
    explicit TCustomComboBox(TComponent* owner);
    ~TCustomComboBox() override;

    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle value);
    // An edit field instead of a selected line (csDropDown, csSimple).
    bool IsEditable() const { return style_ == csDropDown || style_ == csSimple; }

    TStrings* Items() const { return items_.get(); }
    void SetItems(TStrings* value);
    void AddItem(const std::string& text, TObject* object) { items_->AddObject(text, object); }
    void Clear();
    int ItemIndex() const { return itemIndex_; }
    // Selects a line and shows its text; -1 selects none (an editable combo keeps its text).
    // Raises nothing.
    void SetItemIndex(int value);
    void ClearSelection() { SetItemIndex(-1); }

    // The first line from after `after` (going round) whose text begins with prefix, without
    // case; -1 for none or an empty prefix.
    int FindString(const std::string& prefix, int after = -1) const;
    int FindStringExact(const std::string& text, int after = -1) const;

    bool DroppedDown() const { return popup_ != nullptr; }
    // Opens (OnDropDown first) or closes (OnCloseUp after) the list.
    void SetDroppedDown(bool value);
    // Width of the dropped list; the combo's width when smaller.
    int DroppedWidth() const { return droppedWidth_ > 0 ? droppedWidth_ : Width(); }
    void SetDroppedWidth(int value) { droppedWidth_ = value; }
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int value) { dropDownCount_ = value < 1 ? 1 : value; }
    // The first line the list shows.
    int TopIndex() const { return topIndex_; }
    void SetTopIndex(int value);

    int ItemHeight() const;
    void SetItemHeight(int value);
    bool Sorted() const { return items_->Sorted(); }
    void SetSorted(bool value) { items_->SetSorted(value); }
    bool AutoComplete() const { return autoComplete_; }
    void SetAutoComplete(bool value) { autoComplete_ = value; }
    bool AutoDropDown() const { return autoDropDown_; }
    void SetAutoDropDown(bool value) { autoDropDown_ = value; }
    bool AutoCloseUp() const { return autoCloseUp_; }
    void SetAutoCloseUp(bool value) { autoCloseUp_ = value; }
    TEditCharCase CharCase() const { return field_.charCase; }
    void SetCharCase(TEditCharCase value);
    int MaxLength() const { return field_.maxLength; }
    void SetMaxLength(int value) { field_.maxLength = value < 0 ? 0 : value; }
    const std::string& TextHint() const { return field_.textHint; }
    void SetTextHint(const std::string& value);

    // The edit field's selection (editable styles).
    int SelStart() const { return field_.Buffer().SelStart(); }
    void SetSelStart(int value) { field_.SetSelection(value, 0); }
    int SelLength() const { return field_.Buffer().SelLength(); }
    void SetSelLength(int value) { field_.SetSelection(SelStart(), value); }
    std::string SelText() const { return field_.Buffer().SelText(); }
    void SelectAll() { field_.SelectAll(); }

    // The canvas OnDrawItem draws on.
    TCanvas* Canvas() const;

    // Except in the simple style, the height follows the font (or ItemHeight when owner-drawn),
    // whatever height is asked for.
    void SetBounds(int left, int top, int width, int height) override;

    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;
    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

    // ---- what the dropped list needs
    int ListRowHeight(TFrameworkKey, int index) const;
    void DrawListItem(TFrameworkKey, TCanvas& dc, int index, const TRect& rect,
                      TOwnerDrawState state);
    // The user chose a line in the dropped list (or closed it with Escape: -1).
    void ListChosen(TFrameworkKey, int index);
    void ListClosed(TFrameworkKey);
    TComboPopup* Popup(TFrameworkKey) const { return popup_.get(); }

protected:
    virtual void Change();
    // The user's selection: OnSelect when set, otherwise OnChange.
    virtual void Select();
    virtual void DropDown();
    virtual void CloseUp();
    // The dropped list closes with a line chosen (before its text shows) or without one.
    virtual void SelEndOk() {}
    virtual void SelEndCancel() {}
    virtual void DrawItem(int index, const TRect& rect, TOwnerDrawState state);
    virtual void MeasureItem(int index, int& height);
    // Shows a line chosen by the user: text, OnClick, OnSelect.
    void UserSelect(int index);

    void Dispatch(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;
    void PaintWindow(TCanvas& canvas) override;
    bool DoMouseWheelDown(TShiftState shift, TPoint mousePos) override;
    bool DoMouseWheelUp(TShiftState shift, TPoint mousePos) override;

    // Where the button and the edit part lie (client coordinates).
    TRect ButtonRect() const;
    TRect EditRect() const;
    TEditField& Field() { return field_; }

private:
    void ItemsChanged(TItemChange change, int index, int other);
    void ShowItemText();
    void LayoutField();
    void HandleKeyDown(unsigned key, TShiftState shift);
    void TypeSearch(char16_t ch);
    void StepSelection(int delta);
    void PaintSelectedLine(TCanvas& canvas, const TRect& r, bool focused);
    int AutoHeight() const;

    std::unique_ptr<TItemStrings> items_;
    std::unique_ptr<TControlCanvas> canvas_;
    std::unique_ptr<TComboPopup> popup_;
    TEditField field_;
    TComboBoxStyle style_ = csDropDown;
    int itemIndex_ = -1;
    int topIndex_ = 0;
    int itemHeight_ = 16;
    int dropDownCount_ = 8;
    int droppedWidth_ = 0;
    bool autoComplete_ = true;
    bool autoDropDown_ = false;
    bool autoCloseUp_ = false;
    bool buttonDown_ = false;
    bool closing_ = false;
    std::string search_;
    long long lastSearchMs_ = 0;
    std::string listText_;  // the text of a list-style combo: its selected line
};

class TComboBox : public TCustomComboBox {
public:
    using TCustomComboBox::TCustomComboBox;
};

}  // namespace dsp
