#pragma once
// The widgets the plot engine's editor dialogs are built from, and the form they derive from.
// They share one set of conventions:
// - typed value properties (AsString, AsInteger, AsFloat, AsBoolean, ...) whose setters change
//   the value without raising the widget's change event (the event is detached for the call);
// - after every change the user makes, the owning editor form is told (UserChange);
// - Tab and Shift+Tab move the focus through the owning form, done by the widget itself;
// - Disable and Enable, which also change the look (and Disable clears the value).
// The picker buttons (font, open, save, value converter) open a dialog and keep its result.

#include <functional>
#include <memory>
#include <string>

#include "framework/controls/Button.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/CustomControl.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Form.h"
#include "framework/controls/GraphicControl.h"
#include "framework/controls/GroupBox.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/PageControl.h"
#include "framework/graphics/Font.h"
#include "framework/text/DateTime.h"
#include "framework/text/StringList.h"
#include "plot/decor/iCheckBox.h"
#include "plot/decor/iRadioGroup.h"

namespace dsp {

class TTimer;

// The base form of the editor dialogs: every editor widget owned by it calls UserChange after a
// change the user made.
class TiCustomEditorForm : public TForm {
public:
    using TForm::TForm;
    virtual void UserChange() {}
};

// Tells the owning editor form (if the owner is one) of a change the user made.
void EditorUserChange(TComponent* widget);

// An edit box with typed values. Its text is committed (OnUpdate, then the owning form's
// UserChange) when it differs from the last committed text: on Enter, when the box loses the
// focus and from the ...WithEvent setters. Escape puts the last committed text back.
class TiComponentEditorEdit : public TCustomEdit {
public:
    explicit TiComponentEditorEdit(TComponent* owner);

    std::string AsString() const { return Text(); }
    void SetAsString(const std::string& value);
    // The trimmed text as a number; 0 for an empty or unreadable text.
    int AsInteger() const;
    void SetAsInteger(int value);
    double AsFloat() const;
    void SetAsFloat(double value);
    // The trimmed text as a date-time; EConvertError for an unreadable text.
    TDateTime AsDateTime() const;
    void SetAsDateTime(TDateTime value);

    // As if the user had typed the value: the owning form is told, then the text committed.
    void SetStringWithEvent(const std::string& value);
    void SetIntegerWithEvent(int value);
    void SetDoubleWithEvent(double value);
    // The commit step: a text other than the last committed one becomes the committed one and
    // fires OnUpdate, then (unless events are blocked) the owning form's UserChange.
    void DoUpdate();
    const std::string& OriginalText() const { return FOriginalText; }
    bool BlockingEvents() const { return FBlockingEvents; }

    // Emptied (its committed text too), greyed and disabled; DisableNoClear keeps the text.
    void Disable();
    void DisableNoClear();
    void Enable();
    void SetEnabled(bool value) override;

    TNotifyEvent OnUpdate;

protected:
    void Dispatch(TMessage& message) override;
    void KeyDown(TKeyCode& key, TShiftState shift) override;
    void KeyPress(char16_t& key) override;

private:
    // Writes the text with OnChange detached, as the committed text.
    void SetSilently(const std::string& text);

    bool FBlockingEvents = false;
    std::string FOriginalText;
};

// Spin buttons that step an edit box: the up button adds Increment, the down button (and a
// press on neither) takes it away; held down, they repeat after 500 ms every 50 ms. With Min or
// Max other than 0 the value is kept within Min..Max.
class TiUpDown : public TGraphicControl {
public:
    explicit TiUpDown(TComponent* owner);
    ~TiUpDown() override;

    TiComponentEditorEdit* Associate() const { return FAssociate; }
    // Moves to the edit's right edge and takes its height.
    void SetAssociate(TiComponentEditorEdit* value);
    int Min() const { return FMin; }
    void SetMin(int value) { FMin = static_cast<std::int16_t>(value); }
    int Max() const { return FMax; }
    void SetMax(int value) { FMax = static_cast<std::int16_t>(value); }
    int Increment() const { return FIncrement; }
    void SetIncrement(int value) { FIncrement = value; }
    // The associate's value; 0 without associate.
    int AsInteger() const;
    // Clamped, then written into the associate: committed as typed while the user steps,
    // silently otherwise. Nothing without associate.
    void SetAsInteger(int value);

    void Disable();
    void Enable();

    // The button rectangles of the current size and the pressed state of each.
    void CalcButtonRects();
    const TRect& UpButtonRect() const { return FUpButtonRect; }
    const TRect& DownButtonRect() const { return FDownButtonRect; }
    bool UpButtonPressed() const { return FUpButtonPressed; }
    bool DownButtonPressed() const { return FDownButtonPressed; }
    TTimer* Timer() const { return FTimer.get(); }
    void TimerTick();

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    void DrawButton(TCanvas& canvas, const TRect& r, bool pressed, bool up);
    void Step();

    std::unique_ptr<TTimer> FTimer;
    bool FFirstTimerMessage = false;
    TiComponentEditorEdit* FAssociate = nullptr;
    std::int16_t FMin = 0;
    std::int16_t FMax = 100;
    int FIncrement = 1;
    bool FMouseDown = false;
    int FMouseDownX = 0;
    int FMouseDownY = 0;
    bool FUpButtonPressed = false;
    bool FDownButtonPressed = false;
    TRect FUpButtonRect{};
    TRect FDownButtonRect{};
    bool FUserGenerated = false;
};

class TiComponentEditorPageControl : public TPageControl {
public:
    using TPageControl::TPageControl;
    // Kept for forms that store it; the control does not act on it.
    int TabIndexValue() const { return FTabIndex; }
    void SetTabIndexValue(int value) { FTabIndex = value; }

protected:
    void Dispatch(TMessage& message) override;
    void KeyPress(char16_t& key) override;

private:
    int FTabIndex = 0;
};

class TiComponentEditorButton : public TButton {
public:
    using TButton::TButton;

protected:
    void KeyPress(char16_t& key) override;
};

class TiComponentEditorCheckBox : public TiCheckBox {
public:
    using TiCheckBox::TiCheckBox;
    bool AsBoolean() const { return Checked(); }
    // Sets Checked with OnClick detached: OnChange still fires, UserChange and OnClick do not.
    void SetAsBoolean(bool value);
    // Unchecked and disabled with OnClick detached.
    void Disable();
    void Enable();
    bool BlockingEvents() const { return FBlockingEvents; }
    // OnClick comes with the change of Checked (DoChange), not with the mouse.
    void Click() override {}

protected:
    // The check box's change, then the owning form's UserChange, then OnClick.
    void DoChange() override;
    void Dispatch(TMessage& message) override;
    void KeyPress(char16_t& key) override;

private:
    bool FBlockingEvents = false;
};

class TiComponentEditorRadioGroup : public TiRadioGroup {
public:
    using TiRadioGroup::TiRadioGroup;
    int AsInteger() const { return ItemIndex(); }
    // Sets ItemIndex with OnClick and OnChange detached.
    void SetAsInteger(int value);
    // No selection and disabled, with OnClick detached.
    void Disable();
    void Enable();

    void Click() override;

protected:
    void KeyPress(char16_t& key) override;

private:
    bool FBlockingEvents = false;
};

class TiComponentEditorComboBox : public TComboBox {
public:
    using TComboBox::TComboBox;
    int AsInteger() const { return ItemIndex(); }
    void SetAsInteger(int value);
    std::string AsString() const { return Text(); }
    void SetAsString(const std::string& value);
    // No selection, no text, greyed and disabled, with OnChange detached.
    void Disable();
    void Enable();
    bool BlockingEvents() const { return FBlockingEvents; }

    // The user's choice tells the owning form; OnClick is not raised.
    void Click() override;

protected:
    void Dispatch(TMessage& message) override;
    void KeyPress(char16_t& key) override;

private:
    bool FBlockingEvents = false;
};

// What a list box shows of an item: its text, and whether and in which colour it has a box.
using TiListBoxGetDataEvent =
    std::function<void(int index, bool& drawColorBox, TColor& color, std::string& text)>;

// An owner-drawn list whose items carry objects: each drawn as a colour box and a text (from
// OnGetData), reordered by dragging, and deleted with or without freeing their object.
class TiComponentEditorListBox : public TCustomListBox {
public:
    explicit TiComponentEditorListBox(TComponent* owner);

    void SelectLast();
    // Deletes the selected item and frees its object (through OnFreeObject when set); the
    // selection stays at its index, or moves to the new last item. EStringListError when there
    // are items but none is selected.
    void DeleteSelectedObject();
    // Deletes the item of the object without freeing it; the selection stays where it was if
    // it still can, else moves to the last item.
    void DeleteObjectIndex(TObject* object);

    TiListBoxGetDataEvent OnGetData;
    TNotifyEvent OnItemMove;
    std::function<void(TObject* object)> OnFreeObject;

    void DragOver(TObject* source, int x, int y, TDragState state, bool& accept) override;
    void DragDrop(TObject* source, int x, int y) override;

protected:
    void DrawItem(int index, const TRect& rect, TOwnerDrawState state) override;
    void Dispatch(TMessage& message) override;
    void KeyPress(char16_t& key) override;
};

// A colour shown as a filled box with a "..." button that opens the colour dialog (a double
// click on the box does too).
class TiComponentEditorColorPicker : public TCustomControl {
public:
    explicit TiComponentEditorColorPicker(TComponent* owner);
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    void SetBounds(int left, int top, int width, int height) override;
    // The colour dialog on Color; a confirmed colour is stored, the form told, OnChange fired.
    void PickColor();
    void Disable();
    void Enable();
    TButton* Button() const { return FButton; }

    TNotifyEvent OnChange;

protected:
    void Paint() override;
    void Dispatch(TMessage& message) override;
    void KeyPress(char16_t& key) override;
    void DblClick() override;

private:
    TButton* FButton;
    TColor FColor = clRed;
};

class TiComponentEditorGroupBox : public TGroupBox {
public:
    using TGroupBox::TGroupBox;
};

// A double-buffered, opaque surface that its OnPaint handler draws.
class TiPaintBox : public TCustomControl {
public:
    explicit TiPaintBox(TComponent* owner);
    using TCustomControl::Canvas;
    TNotifyEvent OnPaint;

protected:
    void Paint() override;
};

// ---- picker buttons

enum TiValueConverterPageType { ivcptInterval, ivcptDateTime, ivcptPrice32nd };
DSP_ENUM_NAMES(TiValueConverterPageType, "ivcptInterval", "ivcptDateTime", "ivcptPrice32nd")

// Translates a form's texts before it is shown.
using TFormTranslationMethod = std::function<void(TCustomForm* form)>;

// The common ending of a confirmed pick: the owning form told, the button repainted, OnChange.
class TiComponentEditorPickerButton : public TiComponentEditorButton {
public:
    explicit TiComponentEditorPickerButton(TComponent* owner);
    void Disable() { SetEnabled(false); }
    void Enable() { SetEnabled(true); }
    TNotifyEvent OnChange;

protected:
    void Dispatch(TMessage& message) override;
    void PickConfirmed();
};

class TiComponentEditorFontPicker : public TiComponentEditorPickerButton {
public:
    explicit TiComponentEditorFontPicker(TComponent* owner);
    ~TiComponentEditorFontPicker() override;
    TFont* Font() const { return FFont.get(); }
    // Copies value.
    void SetFont(TFont* value) { FFont->Assign(value); }
    void PickFont();
    void Click() override;

private:
    std::unique_ptr<TFont> FFont;
};

// A folder name ends in "/": the dialogs then start on "Untitled" in it.
std::string PickerStartName(const std::string& fileName);

class TiComponentEditorOpenPicker : public TiComponentEditorPickerButton {
public:
    explicit TiComponentEditorOpenPicker(TComponent* owner);
    ~TiComponentEditorOpenPicker() override;
    const std::string& FileName() const { return FFileName; }
    void SetFileName(const std::string& value) { FFileName = value; }
    const std::string& Filter() const { return FFilter; }
    void SetFilter(const std::string& value) { FFilter = value; }
    const std::string& DefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const std::string& value) { FDefaultExt = value; }
    const std::string& DefaultDir() const { return FDefaultDir; }
    void SetDefaultDir(const std::string& value) { FDefaultDir = value; }
    bool FileMustExist() const { return FFileMustExist; }
    void SetFileMustExist(bool value) { FFileMustExist = value; }
    bool AllowMultiSelect() const { return FAllowMultiSelect; }
    void SetAllowMultiSelect(bool value) { FAllowMultiSelect = value; }
    TStrings* Files() const { return FFiles.get(); }
    // The open dialog, in DefaultDir every time.
    void PickFile();
    void Click() override;

private:
    std::string FFileName;
    std::string FFilter;
    std::string FDefaultExt;
    std::string FDefaultDir;
    bool FDefaultDirUsed = false;
    bool FFileMustExist = false;
    bool FAllowMultiSelect = false;
    std::unique_ptr<TStringList> FFiles;
};

class TiComponentEditorSavePicker : public TiComponentEditorPickerButton {
public:
    explicit TiComponentEditorSavePicker(TComponent* owner);
    const std::string& FileName() const { return FFileName; }
    void SetFileName(const std::string& value) { FFileName = value; }
    const std::string& Filter() const { return FFilter; }
    void SetFilter(const std::string& value) { FFilter = value; }
    int FilterIndex() const { return FFilterIndex; }
    void SetFilterIndex(int value) { FFilterIndex = value; }
    const std::string& DefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const std::string& value) { FDefaultExt = value; }
    const std::string& DefaultDir() const { return FDefaultDir; }
    void SetDefaultDir(const std::string& value) { FDefaultDir = value; }
    // The save dialog (in DefaultDir only the first time); true with FileName set when the
    // user confirmed. The filter the user chose is not kept as FilterIndex.
    bool Execute();
    // The filter the user chose in the last confirmed dialog (from 1); 0 before one.
    int ChosenFilterIndex() const { return chosenFilterIndex_; }
    void Click() override;

private:
    std::string FFileName;
    std::string FFilter;
    std::string FDefaultExt;
    std::string FDefaultDir;
    int FFilterIndex = 0;
    int chosenFilterIndex_ = 0;
    bool FDefaultDirUsed = false;
};

class TiComponentEditorValueConverterPicker : public TiComponentEditorPickerButton {
public:
    explicit TiComponentEditorValueConverterPicker(TComponent* owner);
    TiComponentEditorEdit* Associate() const { return FAssociate; }
    // Moves to the edit's right edge and takes its height.
    void SetAssociate(TiComponentEditorEdit* value);
    double DateTime() const { return FDateTime; }
    void SetDateTime(double value) { FDateTime = value; }
    TiValueConverterPageType DefaultPage() const { return FDefaultPage; }
    void SetDefaultPage(TiValueConverterPageType value) { FDefaultPage = value; }
    const TFormTranslationMethod& TranslationMethod() const { return FTranslationMethod; }
    void SetTranslationMethod(TFormTranslationMethod value) {
        FTranslationMethod = std::move(value);
    }
    // The value converter on the associate's number (else DateTime); after OK the number is
    // kept and committed into the associate as if typed, then OnChange.
    void Click() override;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    double FDateTime = 0;
    TiComponentEditorEdit* FAssociate = nullptr;
    TiValueConverterPageType FDefaultPage = ivcptInterval;
    TFormTranslationMethod FTranslationMethod;
};

}  // namespace dsp
