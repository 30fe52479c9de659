#pragma once
// TRzComboBox: the framework's combo box with
// - a background colour that follows its state: DisabledColor, FocusColor (or ReadOnlyColor with
//   ReadOnlyColorOnFocus), ReadOnlyColor, else the normal colour. A colour set from outside
//   becomes the normal colour (and the focus colour when the two were equal), so a form that sets
//   only Color shows it focused and unfocused;
// - a flat drop-down button (FlatButtons) that shows a ring while the combo is focused or
//   hovered, sunken while the list is dropped down, and an optional flat frame;
// - a drop-down list at least as wide as its widest item (or DropDownWidth);
// - its own keyboard search: the list styles select by a typed prefix that lasts 1500 ms after the
//   last key (a key that finds nothing beeps and changes nothing); the editable styles complete
//   what is typed against the items and select the completion's tail;
// - OnNotInList when the focus leaves an editable combo whose non-empty text is no item;
// - item values (Values, Value) beside the items.
//
// Read-only combos keep their selection from keys, mouse presses and the wheel.

#include <functional>
#include <memory>
#include <string>

#include "framework/controls/ComboBox.h"
#include "framework/runtime/Timer.h"
#include "framework/text/StringList.h"
#include "widgets/panels/RzCommon.h"
#include "widgets/panels/RzFrameController.h"

namespace dsp {

class TRzCustomComboBox : public TCustomComboBox {
    DSP_PUBLISHED(TRzCustomComboBox, TCustomComboBox) {
        using P = Published<TRzCustomComboBox>;
        using C = TRzCustomComboBox;
        return {
            P::Property("AllowEdit", &C::AllowEdit, &C::SetAllowEdit).Default(true),
            P::Property("BeepOnInvalidKey", &C::BeepOnInvalidKey, &C::SetBeepOnInvalidKey)
                .Default(true),
            P::Property("DisabledColor", &C::DisabledColor, &C::SetDisabledColor)
                .Default(clBtnFace),
            P::Property("DropDownWidth", &C::DropDownWidth, &C::SetDropDownWidth).Default(0),
            P::Property("FlatButtonColor", &C::FlatButtonColor, &C::SetFlatButtonColor)
                .Default(clBtnFace),
            P::Property("FlatButtons", &C::FlatButtons, &C::SetFlatButtons).Default(false),
            P::Property("FocusColor", &C::FocusColor, &C::SetFocusColor)
                .Stored(&C::IsFocusColorStored),
            P::Property("FrameColor", &C::FrameColor, &C::SetFrameColor).Default(clBtnShadow),
            P::Property("FrameController", &C::FrameController, &C::SetFrameController),
            P::Property("FrameControllerNotifications", &C::FrameControllerNotifications,
                        &C::SetFrameControllerNotifications)
                .Default(kAllFrameNotifications),
            P::Property("FrameHotColor", &C::FrameHotColor, &C::SetFrameHotColor)
                .Default(clBtnShadow),
            P::Property("FrameHotTrack", &C::FrameHotTrack, &C::SetFrameHotTrack).Default(false),
            P::Property("FrameHotStyle", &C::FrameHotStyle, &C::SetFrameHotStyle)
                .Default(fsFlatBold),
            P::Property("FrameSides", &C::FrameSides, &C::SetFrameSides).Default(kAllSides),
            P::Property("FrameStyle", &C::FrameStyle, &C::SetFrameStyle).Default(fsFlat),
            P::Property("FrameVisible", &C::FrameVisible, &C::SetFrameVisible).Default(false),
            P::Property("FramingPreference", &C::FramingPreference, &C::SetFramingPreference)
                .Default(fpXPThemes),
            P::Property("KeepSearchCase", &C::KeepSearchCase, &C::SetKeepSearchCase).Default(false),
            P::Property("ReadOnly", &C::ReadOnly, &C::SetReadOnly).Default(false),
            P::Property("ReadOnlyColor", &C::ReadOnlyColor, &C::SetReadOnlyColor).Default(clInfoBk),
            P::Property("ReadOnlyColorOnFocus", &C::ReadOnlyColorOnFocus,
                        &C::SetReadOnlyColorOnFocus)
                .Default(false),
            P::Property("TabOnEnter", &C::TabOnEnter, &C::SetTabOnEnter).Default(false),
        };
    }

public:
    explicit TRzCustomComboBox(TComponent* owner);
    ~TRzCustomComboBox() override;

    // ---- settings
    bool AllowEdit() const { return allowEdit_; }
    void SetAllowEdit(bool value) { allowEdit_ = value; }
    bool BeepOnInvalidKey() const { return beepOnInvalidKey_; }
    void SetBeepOnInvalidKey(bool value) { beepOnInvalidKey_ = value; }
    TColor DisabledColor() const { return disabledColor_; }
    void SetDisabledColor(TColor value);
    int DropDownWidth() const { return dropDownWidth_; }
    void SetDropDownWidth(int value) { dropDownWidth_ = value; }
    TColor FlatButtonColor() const { return flatButtonColor_; }
    void SetFlatButtonColor(TColor value);
    bool FlatButtons() const { return flatButtons_; }
    void SetFlatButtons(bool value);
    TColor FocusColor() const { return focusColor_; }
    void SetFocusColor(TColor value);
    TColor FrameColor() const { return frameColor_; }
    void SetFrameColor(TColor value);
    TRzFrameController* FrameController() const { return frameController_.Get(); }
    void SetFrameController(TRzFrameController* value) { frameController_.Set(value); }
    TRzFrameControllerNotifications FrameControllerNotifications() const {
        return frameNotifications_;
    }
    void SetFrameControllerNotifications(TRzFrameControllerNotifications value) {
        frameNotifications_ = value;
    }
    TColor FrameHotColor() const { return frameHotColor_; }
    void SetFrameHotColor(TColor value);
    bool FrameHotTrack() const { return frameHotTrack_; }
    void SetFrameHotTrack(bool value);
    TFrameStyle FrameHotStyle() const { return frameHotStyle_; }
    void SetFrameHotStyle(TFrameStyle value);
    TSides FrameSides() const { return frameSides_; }
    void SetFrameSides(TSides value);
    TFrameStyle FrameStyle() const { return frameStyle_; }
    void SetFrameStyle(TFrameStyle value);
    bool FrameVisible() const { return frameVisible_; }
    void SetFrameVisible(bool value);
    TFramingPreference FramingPreference() const { return framingPreference_; }
    void SetFramingPreference(TFramingPreference value);
    bool KeepSearchCase() const { return keepSearchCase_; }
    void SetKeepSearchCase(bool value) { keepSearchCase_ = value; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    TColor ReadOnlyColor() const { return readOnlyColor_; }
    void SetReadOnlyColor(TColor value);
    bool ReadOnlyColorOnFocus() const { return readOnlyColorOnFocus_; }
    void SetReadOnlyColorOnFocus(bool value);
    bool TabOnEnter() const { return tabOnEnter_; }
    void SetTabOnEnter(bool value) { tabOnEnter_ = value; }

    // ---- items
    int Add(const std::string& text) { return Items()->Add(text); }
    int AddObject(const std::string& text, TObject* object) {
        return Items()->AddObject(text, object);
    }
    void Delete(int index) { Items()->Delete(index); }
    void ClearItems() { Items()->Clear(); }
    // Whole text, without case.
    int IndexOf(const std::string& text) const { return Items()->IndexOf(text); }
    void Insert(int index, const std::string& text) { Items()->Insert(index, text); }
    void InsertObject(int index, const std::string& text, TObject* object) {
        Items()->InsertObject(index, text, object);
    }
    int Count() const { return Items()->Count(); }
    // Selects the item equal to the text (without case); whether there was one.
    bool FindItem(const std::string& text);
    // Selects the first item from the top that begins with the text (without case).
    bool FindClosestItem(const std::string& text);

    // ---- search and completion
    // The text typed so far for search and completion.
    std::string SearchString() const;
    void ClearSearchString();
    // Sets Text without completing it.
    void ForceText(const std::string& text);
    bool UseThemes() const;
    // The colour the control has when nothing else applies.
    TColor NormalColor() const { return normalColor_; }
    // Whether the pointer is over the combo.
    bool OverControl() const { return overControl_; }

    // ---- events
    // A completion changed the selection.
    TNotifyEvent OnMatch;
    // The focus left an editable combo whose non-empty text is no item.
    TNotifyEvent OnNotInList;
    TNotifyEvent OnSelEndOk;
    TNotifyEvent OnSelEndCancel;

protected:
    void Loaded() override;
    void PaintWindow(TCanvas& canvas) override;
    void Dispatch(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;
    void KeyDown(TKeyCode& key, TShiftState shift) override;
    void KeyPress(char16_t& key) override;
    void DoExit() override;
    void DropDown() override;
    void CloseUp() override;
    void SelEndOk() override;
    void SelEndCancel() override;
    bool DoMouseWheelDown(TShiftState shift, TPoint mousePos) override;
    bool DoMouseWheelUp(TShiftState shift, TPoint mousePos) override;
    void Notification(TComponent* component, TOperation operation) override;
    void DefineProperties(TFiler* filer) override;

    // Completes the search text against the items; whether an item was found.
    bool DoAutoComplete(char16_t key);
    // Re-applies the state colour.
    void UpdateColors();

private:
    bool IsFocusColorStored() const { return focusColor_ != Color(); }
    bool ListStyle() const { return !IsEditable(); }
    void Beep();
    void RestartSearchTimer();
    void SearchTimerFired();
    void ListSearchKey(char16_t& key);
    void ListBackspace(char16_t& key);
    void EditableKey(char16_t& key);
    void RaiseKeyPress(char16_t& key);
    void SelectFound(int index);
    void HotStateChanged();
    void CompleteText();
    int CaretPos();

    bool allowEdit_ = true;
    bool beepOnInvalidKey_ = true;
    bool flatButtons_ = false;
    TColor flatButtonColor_ = clBtnFace;
    bool updatingColor_ = false;
    TColor disabledColor_ = clBtnFace;
    TColor readOnlyColor_ = clInfoBk;
    bool readOnlyColorOnFocus_ = false;
    TColor focusColor_ = clWindow;
    TColor normalColor_ = clWindow;
    TColor frameColor_ = clBtnShadow;
    TFrameControllerLink frameController_{*this};
    TRzFrameControllerNotifications frameNotifications_ = kAllFrameNotifications;
    TColor frameHotColor_ = clBtnShadow;
    bool frameHotTrack_ = false;
    TFrameStyle frameHotStyle_ = fsFlatBold;
    TSides frameSides_ = kAllSides;
    TFrameStyle frameStyle_ = fsFlat;
    bool frameVisible_ = false;
    TFramingPreference framingPreference_ = fpXPThemes;
    bool keepSearchCase_ = false;
    std::u32string searchString_;
    int dropDownWidth_ = 0;
    int keyCount_ = 0;
    std::unique_ptr<TTimer> timer_;
    bool tabOnEnter_ = false;
    bool typing_ = false;
    bool enterPressed_ = false;
    bool readOnly_ = false;
    bool sysKeyDown_ = false;
    bool pastePending_ = false;
    bool inControl_ = false;
    bool overControl_ = false;
    bool completing_ = true;
};

class TRzComboBox : public TRzCustomComboBox {
    DSP_PUBLISHED(TRzComboBox, TRzCustomComboBox) {
        using P = Published<TRzComboBox>;
        return {P::Property("Values", &TRzComboBox::Values, &TRzComboBox::SetValues)};
    }

public:
    explicit TRzComboBox(TComponent* owner);
    ~TRzComboBox() override;

    TStrings* Values() const { return values_.get(); }
    // Copies the list; the value is then set again from the current selection.
    void SetValues(TStrings* value);
    // The value of the selection: its Values entry when there is one, else Text.
    std::string Value() const;
    // Selects the first item whose value equals the text exactly, or none.
    void SetValue(const std::string& value);

    void ClearItemsValues();
    void AddItemValue(const std::string& item, const std::string& value);
    void InsertItemValue(int index, const std::string& item, const std::string& value);
    void DeleteItemValue(int index);

protected:
    void Click() override;
    void Change() override;

private:
    std::string ValueOfItem(int index) const;
    void ValuesChanged();

    std::string value_;
    std::unique_ptr<TStringList> values_;
    bool inSetValue_ = false;
    bool forceSetValue_ = false;
};

}  // namespace dsp
