#include "plot/decor/iEditorBasicComponents.h"

#include <algorithm>
#include <utility>

#include "framework/controls/ControlMessages.h"
#include "framework/controls/KeyMap.h"
#include "framework/controls/MessageParams.h"
#include "framework/core/Exceptions.h"
#include "framework/runtime/Timer.h"
#include "framework/text/Numbers.h"
#include "framework/text/StrUtils.h"
#include "plot/decor/iColorDialog.h"
#include "plot/decor/iFontDialog.h"
#include "plot/decor/iOpenDialog.h"
#include "plot/decor/iSaveDialog.h"
#include "plot/decor/iValueConverterEdit.h"
#include "plot/engine/iPlotUtils.h"

namespace dsp {

namespace {

// Detaches an event and raises a blocking flag for one scope; both come back at its end, also
// when it ends with an exception.
template <typename Event>
class TDetached {
public:
    TDetached(Event& event, bool& blocking)
        : event_(event), saved_(std::move(event)), blocking_(blocking), wasBlocking_(blocking) {
        event_ = nullptr;
        blocking_ = true;
    }
    ~TDetached() {
        event_ = std::move(saved_);
        blocking_ = wasBlocking_;
    }
    TDetached(const TDetached&) = delete;
    TDetached& operator=(const TDetached&) = delete;

private:
    Event& event_;
    Event saved_;
    bool& blocking_;
    bool wasBlocking_;
};

// Tab and Shift+Tab move the focus through the owning form; the Tab character goes no further.
void TabNavigation(TComponent* widget, char16_t& key) {
    if (key != u'\t') return;
    key = 0;
    auto* form = dynamic_cast<TCustomForm*>(widget->Owner());
    if (form == nullptr) return;
    form->SelectNext(form->ActiveControl(), !IsShiftDown(), true);
}

bool WantsLeftOrRight(const TMessage& message) {
    const unsigned key = KeyParamsOf(message).key;
    return key == VK_LEFT || key == VK_RIGHT;
}

constexpr LRESULT kWantTabAndAllKeys = DLGC_WANTTAB | DLGC_WANTALLKEYS;

}  // namespace

void EditorUserChange(TComponent* widget) {
    if (auto* form = dynamic_cast<TiCustomEditorForm*>(widget->Owner())) form->UserChange();
}

// ---- edit box

TiComponentEditorEdit::TiComponentEditorEdit(TComponent* owner) : TCustomEdit(owner) {
    SetBounds(Left(), Top(), Width(), 21);
}

void TiComponentEditorEdit::SetSilently(const std::string& text) {
    TDetached detach(OnChange, FBlockingEvents);
    SetText(text);
    FOriginalText = text;
}

void TiComponentEditorEdit::SetAsString(const std::string& value) { SetSilently(value); }

int TiComponentEditorEdit::AsInteger() const { return TryStrToInt(Trim(Text())).value_or(0); }

void TiComponentEditorEdit::SetAsInteger(int value) { SetSilently(IntToStr(value)); }

double TiComponentEditorEdit::AsFloat() const { return TryStrToFloat(Trim(Text())).value_or(0.0); }

void TiComponentEditorEdit::SetAsFloat(double value) { SetSilently(FloatToStr(value)); }

TDateTime TiComponentEditorEdit::AsDateTime() const { return StrToDateTime(Trim(Text())); }

void TiComponentEditorEdit::SetAsDateTime(TDateTime value) { SetSilently(DateTimeToStr(value)); }

void TiComponentEditorEdit::SetStringWithEvent(const std::string& value) {
    SetText(value);
    EditorUserChange(this);
    DoUpdate();
}

void TiComponentEditorEdit::SetIntegerWithEvent(int value) { SetStringWithEvent(IntToStr(value)); }

void TiComponentEditorEdit::SetDoubleWithEvent(double value) {
    SetStringWithEvent(FloatToStr(value));
}

void TiComponentEditorEdit::DoUpdate() {
    // A box that goes away with its form commits nothing on the way.
    if (ComponentState().Contains(csDestroying)) return;
    if (Owner() != nullptr && Owner()->ComponentState().Contains(csDestroying)) return;
    const std::string text = Text();
    if (text == FOriginalText) return;
    FOriginalText = text;
    if (OnUpdate) OnUpdate(this);
    if (!FBlockingEvents) EditorUserChange(this);
}

void TiComponentEditorEdit::Disable() {
    TDetached detach(OnChange, FBlockingEvents);
    SetEnabled(false);
    SetText("");
    FOriginalText.clear();
}

void TiComponentEditorEdit::DisableNoClear() {
    TDetached detach(OnChange, FBlockingEvents);
    SetEnabled(false);
}

void TiComponentEditorEdit::Enable() { SetEnabled(true); }

void TiComponentEditorEdit::SetEnabled(bool value) {
    TCustomEdit::SetEnabled(value);
    SetColor(value ? clWindow : clBtnFace);
}

void TiComponentEditorEdit::Dispatch(TMessage& message) {
    switch (message.Msg) {
        case WM_KILLFOCUS:
        case CM_EXIT:
            TCustomEdit::Dispatch(message);
            DoUpdate();
            return;
        case WM_GETDLGCODE:
            TCustomEdit::Dispatch(message);
            // Added, not or'ed: the arrows bit the edit already wants carries into "all keys".
            message.Result += DLGC_WANTARROWS | DLGC_WANTTAB;
            return;
        case CM_WANTSPECIALKEY:
            if (WantsLeftOrRight(message)) {
                message.Result = 1;
                return;
            }
            TCustomEdit::Dispatch(message);
            return;
        default: TCustomEdit::Dispatch(message); return;
    }
}

void TiComponentEditorEdit::KeyDown(TKeyCode& key, TShiftState shift) {
    if (key == VK_RETURN) {
        DoUpdate();
        key = 0;
        SelectAll();
    }
    TCustomEdit::KeyDown(key, shift);
}

void TiComponentEditorEdit::KeyPress(char16_t& key) {
    switch (key) {
        case u'\n': key = 0; break;
        case u'\r':
            DoUpdate();
            key = 0;
            SelectAll();
            break;
        case u'\t': TabNavigation(this, key); break;
        case 27:
            key = 0;
            SetText(FOriginalText);
            SelectAll();
            break;
        default: break;
    }
    TCustomEdit::KeyPress(key);
}

// ---- spin buttons

TiUpDown::TiUpDown(TComponent* owner)
    : TGraphicControl(owner), FTimer(std::make_unique<TTimer>(nullptr)) {
    SetControlStyle(ControlStyle() + TControlStyle{csCaptureMouse});
    SetBounds(Left(), Top(), 15, 21);
    FTimer->SetEnabled(false);
    FTimer->SetOnTimer([this](TObject*) { TimerTick(); });
}

TiUpDown::~TiUpDown() = default;

void TiUpDown::SetAssociate(TiComponentEditorEdit* value) {
    if (FAssociate != nullptr) FAssociate->RemoveFreeNotification(this);
    FAssociate = value;
    if (value == nullptr) return;
    value->FreeNotification(this);
    SetBounds(value->Left() + value->Width(), value->Top(), Width(), value->Height());
}

void TiUpDown::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation == opRemove && component == FAssociate) FAssociate = nullptr;
}

int TiUpDown::AsInteger() const { return FAssociate != nullptr ? FAssociate->AsInteger() : 0; }

void TiUpDown::SetAsInteger(int value) {
    if (FAssociate == nullptr) return;
    if (FMax != 0 || FMin != 0) {
        value = std::min<int>(value, FMax);
        value = std::max<int>(value, FMin);
    }
    if (FUserGenerated) {
        FAssociate->SetIntegerWithEvent(value);
    } else {
        FAssociate->SetAsInteger(value);
    }
}

void TiUpDown::Disable() {
    SetEnabled(false);
    if (FAssociate != nullptr) FAssociate->Disable();
    Invalidate();
}

void TiUpDown::Enable() {
    SetEnabled(true);
    if (FAssociate != nullptr) FAssociate->Enable();
    Invalidate();
}

void TiUpDown::CalcButtonRects() {
    const int h = ClientHeight();
    const int w = ClientWidth();
    const int c = (h - 1) / 2;
    FUpButtonRect = {0, 0, w, c};
    FDownButtonRect = {0, h - c, w, h};
    const TPoint p{FMouseDownX, FMouseDownY};
    FUpButtonPressed = FMouseDown && PtInRect(FUpButtonRect, p);
    FDownButtonPressed = FMouseDown && PtInRect(FDownButtonRect, p);
}

void TiUpDown::DrawButton(TCanvas& canvas, const TRect& r, bool pressed, bool up) {
    DrawFrameEdge(&canvas, r, pressed ? 0 : 1);
    const TColor color = Enabled() ? clBlack : static_cast<TColor>(0x808080);
    canvas.Pen()->SetStyle(psSolid);
    canvas.Pen()->SetColor(color);
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(color);
    const int s = std::min(Height() / 2, Width()) / 7;
    const int x = (r.Left + r.Right) / 2;
    const int y = (r.Top + r.Bottom) / 2;
    if (up) {
        canvas.Polygon({{x - 2 * s, y + s}, {x, y - s}, {x + 2 * s, y + s}});
    } else {
        canvas.Polygon({{x - 2 * s, y - s}, {x + 2 * s, y - s}, {x, y + s}});
    }
}

void TiUpDown::Paint() {
    CalcButtonRects();
    TCanvas& canvas = *Canvas();
    DrawButton(canvas, FUpButtonRect, FUpButtonPressed, true);
    DrawButton(canvas, FDownButtonRect, FDownButtonPressed, false);
}

void TiUpDown::Step() {
    const bool was = FUserGenerated;
    FUserGenerated = true;
    try {
        SetAsInteger(FUpButtonPressed ? AsInteger() + FIncrement : AsInteger() - FIncrement);
    } catch (...) {
        FUserGenerated = was;
        throw;
    }
    FUserGenerated = was;
}

void TiUpDown::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button != mbLeft) return;
    FMouseDown = true;
    FMouseDownX = x;
    FMouseDownY = y;
    CalcButtonRects();
    FTimer->SetInterval(500);
    FTimer->SetEnabled(true);
    FFirstTimerMessage = true;
    Step();
    Invalidate();
}

void TiUpDown::MouseMove(TShiftState shift, int x, int y) {
    TGraphicControl::MouseMove(shift, x, y);
    FMouseDownX = x;
    FMouseDownY = y;
    if (FMouseDown) {
        CalcButtonRects();
        Invalidate();
    }
}

void TiUpDown::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseUp(button, shift, x, y);
    if (!FMouseDown) return;
    FMouseDown = false;
    FTimer->SetEnabled(false);
    CalcButtonRects();
    Invalidate();
}

void TiUpDown::TimerTick() {
    if (FFirstTimerMessage) {
        FTimer->SetInterval(50);
        FFirstTimerMessage = false;
    }
    CalcButtonRects();
    Step();
}

// ---- page control and button

void TiComponentEditorPageControl::Dispatch(TMessage& message) {
    TPageControl::Dispatch(message);
    if (message.Msg == WM_GETDLGCODE) message.Result += DLGC_WANTTAB | DLGC_WANTALLKEYS;
}

void TiComponentEditorPageControl::KeyPress(char16_t& key) {
    TabNavigation(this, key);
    TPageControl::KeyPress(key);
}

void TiComponentEditorButton::KeyPress(char16_t& key) {
    TabNavigation(this, key);
    TButton::KeyPress(key);
}

// ---- check box and radio group

void TiComponentEditorCheckBox::SetAsBoolean(bool value) {
    TDetached detach(OnClick, FBlockingEvents);
    SetChecked(value);
}

void TiComponentEditorCheckBox::Disable() {
    TDetached detach(OnClick, FBlockingEvents);
    SetEnabled(false);
    SetChecked(false);
}

void TiComponentEditorCheckBox::Enable() { SetEnabled(true); }

void TiComponentEditorCheckBox::DoChange() {
    TiCheckBox::DoChange();
    if (!FBlockingEvents) EditorUserChange(this);
    if (OnClick) OnClick(this);
}

void TiComponentEditorCheckBox::Dispatch(TMessage& message) {
    TiCheckBox::Dispatch(message);
    if (message.Msg == WM_GETDLGCODE) message.Result = kWantTabAndAllKeys;
}

void TiComponentEditorCheckBox::KeyPress(char16_t& key) {
    TabNavigation(this, key);
    TiCheckBox::KeyPress(key);
}

void TiComponentEditorRadioGroup::SetAsInteger(int value) {
    TDetached detachClick(OnClick, FBlockingEvents);
    TDetached detachChange(OnChange, FBlockingEvents);
    SetItemIndex(value);
}

void TiComponentEditorRadioGroup::Disable() {
    TDetached detach(OnClick, FBlockingEvents);
    SetEnabled(false);
    SetItemIndex(-1);
}

void TiComponentEditorRadioGroup::Enable() { SetEnabled(true); }

void TiComponentEditorRadioGroup::Click() {
    TiRadioGroup::Click();
    if (!FBlockingEvents) EditorUserChange(this);
}

void TiComponentEditorRadioGroup::KeyPress(char16_t& key) {
    TabNavigation(this, key);
    TiRadioGroup::KeyPress(key);
}

// ---- combo box

void TiComponentEditorComboBox::SetAsInteger(int value) {
    TDetached detach(OnChange, FBlockingEvents);
    SetItemIndex(value);
}

void TiComponentEditorComboBox::SetAsString(const std::string& value) {
    TDetached detach(OnChange, FBlockingEvents);
    SetText(value);
}

void TiComponentEditorComboBox::Disable() {
    TDetached detach(OnChange, FBlockingEvents);
    SetEnabled(false);
    SetColor(clBtnFace);
    SetItemIndex(-1);
    SetText("");
}

void TiComponentEditorComboBox::Enable() {
    SetEnabled(true);
    SetColor(clWindow);
}

void TiComponentEditorComboBox::Click() {
    if (!FBlockingEvents) EditorUserChange(this);
}

void TiComponentEditorComboBox::Dispatch(TMessage& message) {
    switch (message.Msg) {
        case WM_GETDLGCODE:
            TComboBox::Dispatch(message);
            message.Result += DLGC_WANTARROWS | DLGC_WANTTAB;
            return;
        case CM_WANTSPECIALKEY:
            if (WantsLeftOrRight(message)) {
                message.Result = 1;
                return;
            }
            TComboBox::Dispatch(message);
            return;
        default: TComboBox::Dispatch(message); return;
    }
}

void TiComponentEditorComboBox::KeyPress(char16_t& key) {
    TabNavigation(this, key);
    TComboBox::KeyPress(key);
}

// ---- list box

TiComponentEditorListBox::TiComponentEditorListBox(TComponent* owner) : TCustomListBox(owner) {
    SetStyle(lbOwnerDrawFixed);
    SetItemHeight(16);
    SetDragMode(dmAutomatic);
}

void TiComponentEditorListBox::DrawItem(int index, const TRect& rect, TOwnerDrawState state) {
    if (OnDrawItem) {
        TCustomListBox::DrawItem(index, rect, state);
        return;
    }
    bool drawColorBox = true;
    TColor color = clRed;
    std::string text = Items()->Strings(index);
    if (OnGetData) OnGetData(index, drawColorBox, color, text);
    TCanvas& canvas = *Canvas();
    const bool selected = state.Contains(odSelected);
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(selected ? clTeal : clWindow);
    canvas.Font()->SetColor(selected ? clWhite : clBlack);
    canvas.FillRect(rect);
    if (drawColorBox) {
        canvas.TextOut(rect.Left + 22, rect.Top, text);
        canvas.Pen()->SetStyle(psSolid);
        canvas.Pen()->SetColor(clBlack);
        canvas.Brush()->SetColor(color);
        canvas.Rectangle(rect.Left + 2, rect.Top + 1, rect.Left + 18, rect.Bottom - 1);
    } else {
        canvas.TextOut(rect.Left + 2, rect.Top, text);
    }
}

void TiComponentEditorListBox::DragOver(TObject* source, int, int, TDragState, bool& accept) {
    accept = source == this;
}

void TiComponentEditorListBox::DragDrop(TObject*, int, int y) {
    if (Count() == 0) return;
    const int height = std::max(ItemHeight(), 1);
    const int target = std::min((y + TopIndex() * height) / height, Count() - 1);
    const int current = ItemIndex();
    if (target == current || current < 0) return;
    Items()->Move(current, target);
    SetItemIndex(target);
    if (OnItemMove) OnItemMove(this);
}

void TiComponentEditorListBox::SelectLast() { SetItemIndex(Count() - 1); }

void TiComponentEditorListBox::DeleteSelectedObject() {
    if (Count() == 0) return;
    const int index = ItemIndex();
    TObject* object = Items()->Objects(index);  // EStringListError without a selection
    Items()->Delete(index);
    if (object != nullptr) {
        if (OnFreeObject) {
            OnFreeObject(object);
        } else {
            delete object;
        }
    }
    if (Count() > 0) SetItemIndex(std::min(index, Count() - 1));
}

void TiComponentEditorListBox::DeleteObjectIndex(TObject* object) {
    const int index = Items()->IndexOfObject(object);
    if (index < 0) return;
    const int selected = ItemIndex();
    Items()->Delete(index);
    if (Count() == 0) return;
    SetItemIndex(selected >= 0 && selected < Count() ? selected : Count() - 1);
}

void TiComponentEditorListBox::Dispatch(TMessage& message) {
    TCustomListBox::Dispatch(message);
    if (message.Msg == WM_GETDLGCODE) message.Result = kWantTabAndAllKeys;
}

void TiComponentEditorListBox::KeyPress(char16_t& key) {
    TabNavigation(this, key);
    TCustomListBox::KeyPress(key);
}

// ---- colour picker

TiComponentEditorColorPicker::TiComponentEditorColorPicker(TComponent* owner)
    : TCustomControl(owner), FButton(new TButton(this)) {
    SetControlStyle(
        TControlStyle{csCaptureMouse, csClickEvents, csOpaque, csDoubleClicks, csReplicatable});
    SetTabStop(true);
    FButton->SetParent(this);
    FButton->SetCaption("...");
    FButton->Font()->SetStyle(TFontStyles{fsBold});
    FButton->OnClick = [this](TObject*) { PickColor(); };
    SetBounds(Left(), Top(), 47, 21);
}

void TiComponentEditorColorPicker::SetColor(TColor value) {
    if (value == FColor) return;
    FColor = value;
    Invalidate();
}

void TiComponentEditorColorPicker::SetBounds(int left, int top, int width, int height) {
    TCustomControl::SetBounds(left, top, width, height);
    if (FButton != nullptr) FButton->SetBounds(Width() - 21, 0, 21, Height());
}

void TiComponentEditorColorPicker::Paint() {
    TCanvas& canvas = *Canvas();
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(clBtnFace);
    canvas.FillRect({0, 0, Width(), Height()});
    canvas.Pen()->SetStyle(psSolid);
    canvas.Pen()->SetColor(clBlack);
    canvas.Pen()->SetWidth(1);
    canvas.Brush()->SetColor(Enabled() ? FColor : clBtnFace);
    canvas.Rectangle(0, 0, Width() - FButton->Width() - 1, Height());
}

void TiComponentEditorColorPicker::PickColor() {
    TiColorDialog dialog(this);
    dialog.SetColor(FColor);
    if (!dialog.Execute()) return;
    FColor = dialog.Color();
    EditorUserChange(this);
    Invalidate();
    if (OnChange) OnChange(this);
}

void TiComponentEditorColorPicker::Disable() {
    SetEnabled(false);
    FButton->SetEnabled(false);
    Invalidate();
}

void TiComponentEditorColorPicker::Enable() {
    SetEnabled(true);
    FButton->SetEnabled(true);
    Invalidate();
}

void TiComponentEditorColorPicker::DblClick() {
    TCustomControl::DblClick();
    PickColor();
}

void TiComponentEditorColorPicker::Dispatch(TMessage& message) {
    TCustomControl::Dispatch(message);
    if (message.Msg == WM_GETDLGCODE) message.Result = kWantTabAndAllKeys;
}

void TiComponentEditorColorPicker::KeyPress(char16_t& key) {
    TabNavigation(this, key);
    TCustomControl::KeyPress(key);
}

// ---- paint box

TiPaintBox::TiPaintBox(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csOpaque});
}

void TiPaintBox::Paint() {
    if (OnPaint) OnPaint(this);
}

// ---- picker buttons

TiComponentEditorPickerButton::TiComponentEditorPickerButton(TComponent* owner)
    : TiComponentEditorButton(owner) {
    SetTabStop(true);
}

void TiComponentEditorPickerButton::Dispatch(TMessage& message) {
    TiComponentEditorButton::Dispatch(message);
    if (message.Msg == WM_GETDLGCODE) message.Result = kWantTabAndAllKeys;
}

void TiComponentEditorPickerButton::PickConfirmed() {
    EditorUserChange(this);
    Invalidate();
    if (OnChange) OnChange(this);
}

TiComponentEditorFontPicker::TiComponentEditorFontPicker(TComponent* owner)
    : TiComponentEditorPickerButton(owner), FFont(std::make_unique<TFont>()) {
    SetBounds(Left(), Top(), 75, 25);
    SetCaption("Font");
}

TiComponentEditorFontPicker::~TiComponentEditorFontPicker() = default;

void TiComponentEditorFontPicker::PickFont() {
    TiFontDialog dialog(this);
    dialog.SetFont(FFont.get());
    if (!dialog.Execute()) return;
    FFont->Assign(dialog.Font());
    PickConfirmed();
}

void TiComponentEditorFontPicker::Click() {
    TiComponentEditorPickerButton::Click();
    PickFont();
}

std::string PickerStartName(const std::string& fileName) {
    if (!fileName.empty() && fileName.back() == '/') return fileName + "Untitled";
    return fileName;
}

TiComponentEditorOpenPicker::TiComponentEditorOpenPicker(TComponent* owner)
    : TiComponentEditorPickerButton(owner), FFiles(std::make_unique<TStringList>()) {
    SetBounds(Left(), Top(), 75, 25);
    SetCaption("Open");
}

TiComponentEditorOpenPicker::~TiComponentEditorOpenPicker() = default;

void TiComponentEditorOpenPicker::PickFile() {
    TiOpenDialog dialog(this);
    dialog.SetFileMustExist(FFileMustExist);
    dialog.SetFileName(PickerStartName(FFileName));
    dialog.SetFilter(FFilter);
    dialog.SetDefaultExt(FDefaultExt);
    dialog.SetDefaultDir(FDefaultDir);
    dialog.SetAllowMultiSelect(FAllowMultiSelect);
    if (!FDefaultDirUsed) {
        dialog.SetDefaultDir(FDefaultDir);
        FDefaultDirUsed = true;
    }
    if (!dialog.Execute()) return;
    FFileName = dialog.FileName();
    FFiles->Assign(dialog.Files());
    PickConfirmed();
}

void TiComponentEditorOpenPicker::Click() {
    TiComponentEditorPickerButton::Click();
    PickFile();
}

TiComponentEditorSavePicker::TiComponentEditorSavePicker(TComponent* owner)
    : TiComponentEditorPickerButton(owner) {
    SetBounds(Left(), Top(), 75, 25);
    SetCaption("Save");
}

bool TiComponentEditorSavePicker::Execute() {
    TiSaveDialog dialog(this);
    dialog.SetFileName(PickerStartName(FFileName));
    dialog.SetFilter(FFilter);
    // The dialogs count filters from 1; 0 shows the first.
    dialog.SetFilterIndex(std::max(FFilterIndex, 1));
    dialog.SetDefaultExt(FDefaultExt);
    if (!FDefaultDirUsed) {
        dialog.SetDefaultDir(FDefaultDir);
        FDefaultDirUsed = true;
    }
    if (!dialog.Execute()) return false;
    FFileName = dialog.FileName();
    chosenFilterIndex_ = dialog.FilterIndex();
    PickConfirmed();
    return true;
}

void TiComponentEditorSavePicker::Click() {
    TiComponentEditorPickerButton::Click();
    Execute();
}

TiComponentEditorValueConverterPicker::TiComponentEditorValueConverterPicker(TComponent* owner)
    : TiComponentEditorPickerButton(owner) {
    SetBounds(Left(), Top(), 21, 21);
    SetCaption("...");
}

void TiComponentEditorValueConverterPicker::SetAssociate(TiComponentEditorEdit* value) {
    if (FAssociate != nullptr) FAssociate->RemoveFreeNotification(this);
    FAssociate = value;
    if (value == nullptr) return;
    value->FreeNotification(this);
    SetBounds(value->Left() + value->Width(), value->Top(), Width(), value->Height());
}

void TiComponentEditorValueConverterPicker::Notification(TComponent* component,
                                                         TOperation operation) {
    TiComponentEditorPickerButton::Notification(component, operation);
    if (operation == opRemove && component == FAssociate) FAssociate = nullptr;
}

void TiComponentEditorValueConverterPicker::Click() {
    TiComponentEditorPickerButton::Click();
    auto form = std::make_unique<TiValueConverterEditForm>(this);
    form->AfterConstruction();
    iValueConverterEditForm = form.get();
    struct TForget {
        ~TForget() { iValueConverterEditForm = nullptr; }
    } forget;
    form->ShowPage(FDefaultPage);
    if (FTranslationMethod) FTranslationMethod(form.get());
    form->SetValue(FAssociate != nullptr ? FAssociate->AsFloat() : FDateTime);
    if (form->ShowModal() != mrOk) return;
    FDateTime = form->Value();
    if (FAssociate != nullptr) FAssociate->SetDoubleWithEvent(FDateTime);
    if (OnChange) OnChange(this);
}

}  // namespace dsp
