// The combo box: settings, state colours, painting, drop-down width, wheel and item values (the
// keyboard search and completion: RzCmboBxSearch.cpp).

#include "widgets/panels/RzCmboBx.h"

#include <algorithm>

#include "framework/controls/ClassicDraw.h"
#include "framework/controls/EditBuffer.h"
#include "framework/controls/MessageParams.h"
#include "framework/controls/StdControlSupport.h"
#include "framework/runtime/SystemInfo.h"
#include "framework/text/Filer.h"

namespace dsp {

namespace {

// The wheel's scroll-line count: lines the dropped list moves per notch.
constexpr int kWheelScrollLines = 3;

}  // namespace

TRzCustomComboBox::TRzCustomComboBox(TComponent* owner)
    : TCustomComboBox(owner), timer_(std::make_unique<TTimer>(nullptr)) {
    timer_->SetEnabled(false);
    timer_->SetInterval(1500);
    timer_->SetOnTimer([this](TObject*) { SearchTimerFired(); });
}

TRzCustomComboBox::~TRzCustomComboBox() {
    Destroying();
    frameController_.Set(nullptr);
}

// ---- settings

void TRzCustomComboBox::SetDisabledColor(TColor value) {
    if (disabledColor_ == value) return;
    disabledColor_ = value;
    if (!Enabled()) UpdateColors();
}

void TRzCustomComboBox::SetFocusColor(TColor value) {
    if (focusColor_ == value) return;
    focusColor_ = value;
    if (inControl_) UpdateColors();
}

void TRzCustomComboBox::SetReadOnlyColor(TColor value) {
    if (readOnlyColor_ == value) return;
    readOnlyColor_ = value;
    if (readOnly_) UpdateColors();
}

void TRzCustomComboBox::SetReadOnlyColorOnFocus(bool value) {
    if (readOnlyColorOnFocus_ == value) return;
    readOnlyColorOnFocus_ = value;
    UpdateColors();
}

void TRzCustomComboBox::SetReadOnly(bool value) {
    if (readOnly_ == value) return;
    readOnly_ = value;
    Field().readOnly = value;
    UpdateColors();
    Invalidate();
}

void TRzCustomComboBox::SetFlatButtonColor(TColor value) {
    if (flatButtonColor_ == value) return;
    flatButtonColor_ = value;
    Invalidate();
}

void TRzCustomComboBox::SetFlatButtons(bool value) {
    if (flatButtons_ == value) return;
    flatButtons_ = value;
    Invalidate();
}

void TRzCustomComboBox::SetFrameColor(TColor value) {
    if (frameColor_ == value) return;
    frameColor_ = value;
    Invalidate();
}

void TRzCustomComboBox::SetFrameHotColor(TColor value) {
    if (frameHotColor_ == value) return;
    frameHotColor_ = value;
    Invalidate();
}

void TRzCustomComboBox::SetFrameHotTrack(bool value) {
    if (frameHotTrack_ == value) return;
    frameHotTrack_ = value;
    if (value) {
        SetFrameVisible(true);
        if (!ComponentState().Contains(csLoading)) frameSides_ = kAllSides;
    }
    Invalidate();
}

void TRzCustomComboBox::SetFrameHotStyle(TFrameStyle value) {
    if (frameHotStyle_ == value) return;
    frameHotStyle_ = value;
    Invalidate();
}

void TRzCustomComboBox::SetFrameSides(TSides value) {
    if (frameSides_ == value) return;
    frameSides_ = value;
    Invalidate();
}

void TRzCustomComboBox::SetFrameStyle(TFrameStyle value) {
    if (frameStyle_ == value) return;
    frameStyle_ = value;
    Invalidate();
}

void TRzCustomComboBox::SetFrameVisible(bool value) {
    if (frameVisible_ == value) return;
    frameVisible_ = value;
    Invalidate();
}

void TRzCustomComboBox::SetFramingPreference(TFramingPreference value) {
    if (framingPreference_ == value) return;
    framingPreference_ = value;
    Invalidate();
}

bool TRzCustomComboBox::UseThemes() const {
    return framingPreference_ == fpXPThemes && ThemesActive();
}

// ---- state colour

void TRzCustomComboBox::UpdateColors() {
    if (ComponentState().Contains(csLoading)) return;
    TColor color = normalColor_;
    if (!Enabled()) {
        color = disabledColor_;
    } else if (inControl_) {
        color = readOnly_ && readOnlyColorOnFocus_ ? readOnlyColor_ : focusColor_;
    } else if (readOnly_) {
        color = readOnlyColor_;
    }
    updatingColor_ = true;
    SetColor(color);
    updatingColor_ = false;
}

void TRzCustomComboBox::Loaded() {
    TCustomComboBox::Loaded();
    UpdateColors();
}

void TRzCustomComboBox::HotStateChanged() {
    if ((flatButtons_ || frameHotTrack_) && !DroppedDown()) {
        if (frameHotTrack_) {
            InvalidateRect(nullptr, false);
        } else {
            const TRect strip = Rect(Width() - kScrollBarSize - 2, 0, Width(), Height());
            InvalidateRect(&strip, false);
        }
    }
    UpdateColors();
}

// ---- painting

void TRzCustomComboBox::PaintWindow(TCanvas& dc) {
    TCustomComboBox::PaintWindow(dc);
    if (Style() == csSimple) return;
    const bool themes = UseThemes();
    const int margin = themes ? 1 : 2;
    const TRect button =
        Rect(Width() - kScrollBarSize - margin, margin, Width() - margin, Height() - margin);
    const TRect client = Rect(0, 0, Width(), Height());
    dc.Pen()->SetStyle(psSolid);
    dc.Brush()->SetStyle(bsSolid);
    if (!themes && frameVisible_) StrokeSidesRepeated(dc, client, Color(), Color(), 2, kAllSides);
    if (flatButtons_ && !readOnly_) {
        if (!inControl_ && !overControl_) {
            dc.Brush()->SetColor(Color());
            dc.FillRect(button);
            DrawDropDownArrow(dc, button, TDropDownArrowStyle::Classic, Enabled());
        } else {
            TRect r = button;
            const bool dropped = DroppedDown();
            if (flatButtonColor_ == clBtnFace) {
                r = dropped ? StrokeSidesRepeated(dc, r, clBtnShadow, clBtnHighlight, 1, kAllSides)
                            : StrokeSidesRepeated(dc, r, clBtnHighlight, clBtnShadow, 1, kAllSides);
            } else {
                r = DrawColoredFrameStyle(dc, r, flatButtonColor_, dropped ? fsStatus : fsPopup);
            }
            dc.Brush()->SetColor(flatButtonColor_);
            dc.FillRect(r);
            DrawDropDownArrow(dc, r, TDropDownArrowStyle::Classic, Enabled());
        }
    }
    if (readOnly_) {
        dc.Brush()->SetColor(Color());
        dc.FillRect(button);
    }
    if (frameVisible_ && !themes) {
        const bool hot = frameHotTrack_ && (inControl_ || overControl_);
        const TFrameStyle style = hot ? frameHotStyle_ : frameStyle_;
        const TColor color = hot ? frameHotColor_ : frameColor_;
        switch (style) {
            case fsFlat: StrokeSides(dc, client, color, color, frameSides_); break;
            case fsFlatBold: StrokeSidesRepeated(dc, client, color, color, 2, frameSides_); break;
            default:
                if (Color() == clWindow) {
                    DrawFrameStyleSides(dc, client, style, frameSides_);
                } else {
                    DrawColoredFrameStyleSides(dc, client, Color(), style, frameSides_);
                }
                break;
        }
    }
}

// ---- dropping down

void TRzCustomComboBox::DropDown() {
    if (dropDownWidth_ > 0) {
        SetDroppedWidth(dropDownWidth_);
    } else {
        TCanvas measure;
        measure.SetFont(Font());
        int widest = 0;
        for (int i = 0; i < Count(); ++i) {
            widest = std::max(widest, measure.TextWidth(Items()->Strings(i)));
        }
        int width = widest + (Count() > DropDownCount() ? kScrollBarSize : 0) + 8;
        SetDroppedWidth(std::max(width, Width()));
    }
    TCustomComboBox::DropDown();
}

void TRzCustomComboBox::CloseUp() {
    // A line chosen in the list is the widget's own change of the text.
    typing_ = false;
    TCustomComboBox::CloseUp();
    Invalidate();
}

void TRzCustomComboBox::SelEndOk() {
    typing_ = true;
    if (OnSelEndOk) OnSelEndOk(this);
}

void TRzCustomComboBox::SelEndCancel() {
    if (OnSelEndCancel) OnSelEndCancel(this);
}

// ---- wheel

bool TRzCustomComboBox::DoMouseWheelDown(TShiftState shift, TPoint mousePos) {
    if (TWinControl::DoMouseWheelDown(shift, mousePos)) return true;
    if (readOnly_) return true;
    if (DroppedDown()) {
        SetTopIndex(TopIndex() + kWheelScrollLines);
        return true;
    }
    if (Count() == 0 || ItemIndex() >= Count() - 1) return true;
    SetItemIndex(ItemIndex() + 1);
    Click();
    Change();
    return true;
}

bool TRzCustomComboBox::DoMouseWheelUp(TShiftState shift, TPoint mousePos) {
    if (TWinControl::DoMouseWheelUp(shift, mousePos)) return true;
    if (readOnly_) return true;
    if (DroppedDown()) {
        SetTopIndex(std::max(TopIndex() - kWheelScrollLines, 0));
        return true;
    }
    if (Count() == 0) return true;
    if (ItemIndex() <= 0) {
        // At the top (or with nothing chosen) the first line shows, quietly.
        SetItemIndex(0);
        return true;
    }
    SetItemIndex(ItemIndex() - 1);
    Click();
    Change();
    return true;
}

// ---- messages

void TRzCustomComboBox::Notification(TComponent* component, TOperation operation) {
    TCustomComboBox::Notification(component, operation);
    if (operation == opRemove) frameController_.Removed(component);
}

void TRzCustomComboBox::DefineProperties(TFiler* filer) {
    TCustomComboBox::DefineProperties(filer);
    filer->DefineProperty(
        "FrameFlat",
        [this](TReader& reader) {
            const bool flat = reader.ReadBoolean();
            SetFrameHotTrack(flat);
            if (flat) {
                frameStyle_ = fsStatus;
                frameHotStyle_ = fsLowered;
            }
        },
        nullptr, false);
    filer->DefineProperty(
        "FrameFocusStyle",
        [this](TReader& reader) {
            const int value =
                EnumTypeInfo(static_cast<TFrameStyleEx*>(nullptr)).ValueOf(reader.ReadIdent());
            if (value >= fsNone && value <= fsFlatBold) frameHotStyle_ = TFrameStyle(value);
        },
        nullptr, false);
    DefineOldProperty(filer, "FrameFlatStyle", &TRzOldPropReader::ReadOldEnumProp);
}

void TRzCustomComboBox::Dispatch(TMessage& message) {
    switch (message.Msg) {
        case CM_COLORCHANGED:
            // A colour from outside (the form, the parent) becomes the normal colour, and the
            // focus colour too while the two were the same.
            if (!updatingColor_) {
                if (focusColor_ == normalColor_) focusColor_ = Color();
                normalColor_ = Color();
            }
            TCustomComboBox::Dispatch(message);
            return;
        case CM_ENABLEDCHANGED:
            TCustomComboBox::Dispatch(message);
            UpdateColors();
            return;
        case WM_SETFOCUS:
            TCustomComboBox::Dispatch(message);
            inControl_ = true;
            HotStateChanged();
            return;
        case WM_KILLFOCUS:
            TCustomComboBox::Dispatch(message);
            inControl_ = false;
            ClearSearchString();
            HotStateChanged();
            return;
        case CM_MOUSEENTER:
        case CM_MOUSELEAVE:
            TCustomComboBox::Dispatch(message);
            if (MouseChildOf(message) != nullptr || ComponentState().Contains(csDesigning)) return;
            overControl_ = message.Msg == CM_MOUSEENTER;
            HotStateChanged();
            return;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (readOnly_) {
                if (!Focused() && CanFocus()) SetFocus();
                return;
            }
            if (Style() == csDropDown) searchString_ = Utf8ToChars(Text());
            TCustomComboBox::Dispatch(message);
            return;
        case WM_SETTEXT:
            TCustomComboBox::Dispatch(message);
            CompleteText();
            return;
        case WM_SIZE:
            TCustomComboBox::Dispatch(message);
            if (frameVisible_ && !UseThemes()) Invalidate();
            return;
        default: TCustomComboBox::Dispatch(message); return;
    }
}

// ---- item values

TRzComboBox::TRzComboBox(TComponent* owner)
    : TRzCustomComboBox(owner), values_(std::make_unique<TStringList>()) {
    values_->OnChange = [this](TObject*) { ValuesChanged(); };
}

TRzComboBox::~TRzComboBox() = default;

void TRzComboBox::SetValues(TStrings* value) {
    if (value != nullptr && value != values_.get()) values_->Assign(value);
}

std::string TRzComboBox::ValueOfItem(int index) const {
    if (index >= 0 && index < values_->Count() && !values_->Strings(index).empty()) {
        return values_->Strings(index);
    }
    if (index >= 0 && index < Count()) return Items()->Strings(index);
    return {};
}

std::string TRzComboBox::Value() const {
    int index = ItemIndex();
    if (IsEditable()) {
        const std::string text = Text();
        index = text.empty() ? -1 : IndexOf(text);
    }
    if (index >= 0 && index < values_->Count() && !values_->Strings(index).empty()) {
        return values_->Strings(index);
    }
    return Text();
}

void TRzComboBox::SetValue(const std::string& value) {
    if (value == value_ && !forceSetValue_) return;
    inSetValue_ = true;
    int found = -1;
    for (int i = 0; i < Count() && found < 0; ++i) {
        if (ValueOfItem(i) == value) found = i;
    }
    SetItemIndex(found);
    value_ = value;
    inSetValue_ = false;
}

void TRzComboBox::ValuesChanged() {
    forceSetValue_ = true;
    SetValue(Value());
    forceSetValue_ = false;
}

void TRzComboBox::Click() {
    TRzCustomComboBox::Click();
    if (!inSetValue_ && ItemIndex() >= 0) SetValue(ValueOfItem(ItemIndex()));
}

void TRzComboBox::Change() {
    TRzCustomComboBox::Change();
    if (!inSetValue_ && !forceSetValue_ && ItemIndex() >= 0) SetValue(ValueOfItem(ItemIndex()));
}

void TRzComboBox::ClearItemsValues() {
    Items()->Clear();
    values_->Clear();
}

void TRzComboBox::AddItemValue(const std::string& item, const std::string& value) {
    Items()->Add(item);
    values_->Add(value);
}

void TRzComboBox::InsertItemValue(int index, const std::string& item, const std::string& value) {
    Items()->Insert(index, item);
    values_->Insert(index, value);
}

void TRzComboBox::DeleteItemValue(int index) {
    Items()->Delete(index);
    values_->Delete(index);
}

}  // namespace dsp
