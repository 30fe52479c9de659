#include "plot/engine/iPlotObjects.h"

#include <algorithm>
#include <cmath>

#include "framework/controls/KeyMap.h"
#include "framework/core/Exceptions.h"
#include "framework/runtime/Timer.h"
#include "framework/text/Numbers.h"
#include "plot/engine/iPlotComponent.h"
#include "plot/engine/iPlotTranslation.h"

namespace dsp {

namespace {

std::string PadLeft(long long value, std::size_t width) {
    std::string text = IntToStr(value);
    if (text.size() < width) text.insert(0, width - text.size(), '0');
    return text;
}

}  // namespace

// ---- TiPlotObject

TiPlotObject::TiPlotObject(TObject* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                           TNotifyEvent onRemove, TNotifyEvent onRename)
    : FOwner(owner),
      plot_(dynamic_cast<TiPlotComponent*>(owner)),
      FOnChange(std::move(onChange)),
      FOnRemove(std::move(onRemove)),
      FOnInsert(std::move(onInsert)),
      FOnRename(std::move(onRename)) {}

TiPlotObject::~TiPlotObject() { AnnounceRemoval(); }

void TiPlotObject::FreeObject(TiPlotObject* object) {
    if (object == nullptr) return;
    object->AnnounceRemoval();
    delete object;
}

void TiPlotObject::AnnounceRemoval() {
    if (removalAnnounced_) return;
    removalAnnounced_ = true;
    if (FOnRemove) FOnRemove(this);
    if (FOnLayoutChange) FOnLayoutChange(this);
    if (FOnChange) FOnChange(this);
}

void TiPlotObject::NotifyLayoutChange() {
    if (FOnLayoutChange) FOnLayoutChange(this);
}

void TiPlotObject::DetachNotifications() {
    FOnRemove = nullptr;
    FOnLayoutChange = nullptr;
    FOnChange = nullptr;
}

void TiPlotObject::SetName(const std::string& value) {
    if (value == FName) return;
    FNameOld = FName;
    FName = value;
    DoRename();
}

void TiPlotObject::SetVisible(bool value) {
    SetBooleanProperty(value, FVisible, &TiPlotObject::DoChange);
}

void TiPlotObject::SetEnabled(bool value) {
    if (value == FEnabled) return;
    FEnabled = value;
    if (!value) {
        FMouseDown = false;
        SetUserSelected(false);
    }
    DoChange();
}

void TiPlotObject::SetUserSelected(bool value) {
    if (value == FUserSelected) return;
    FUserSelected = value;
    InvalidateNow();
    if (value) {
        DoSetFocus();
        DoGotFocus();
    } else {
        DoLostFocus();
    }
}

void TiPlotObject::SetBooleanProperty(bool value, bool& field, Notify notify) {
    if (value == field) return;
    field = value;
    if (notify != nullptr) (this->*notify)();
}

void TiPlotObject::SetIntegerProperty(int value, int& field, Notify notify) {
    if (value == field) return;
    field = value;
    if (notify != nullptr) (this->*notify)();
}

void TiPlotObject::SetColorProperty(TColor value, TColor& field, Notify notify) {
    if (value == field) return;
    field = value;
    if (notify != nullptr) (this->*notify)();
}

void TiPlotObject::SetDoubleProperty(double value, double& field, Notify notify) {
    if (value == field) return;
    field = value;
    if (notify != nullptr) (this->*notify)();
}

void TiPlotObject::SetStringProperty(const std::string& value, std::string& field, Notify notify) {
    if (value == field) return;
    field = value;
    if (notify != nullptr) (this->*notify)();
}

void TiPlotObject::DoChange() {
    if (FOnChange) FOnChange(this);
}

void TiPlotObject::DoLayoutChange() {
    NotifyLayoutChange();
    DoChange();
}

void TiPlotObject::DoInsert() {
    if (FOnInsert) FOnInsert(this);
}

void TiPlotObject::DoRename() {
    if (FOnRename) FOnRename(this);
    DoChange();
}

void TiPlotObject::DoSetFocus() {
    if (FOnSetFocus) FOnSetFocus(this);
}

void TiPlotObject::InvalidateNow() {
    if (FOnInvalidateNow) FOnInvalidateNow(this);
}

void TiPlotObject::DoEdit() {
    if (FOnEdit) FOnEdit(this);
}

void TiPlotObject::NotificationRemove(TiPlotObject*) {}
void TiPlotObject::NotificationRename(TiPlotObject*) {}
void TiPlotObject::NotificationSetFocus(TiPlotObject*) {}

void TiPlotObject::PrepareDraw(TCanvas*) { FCanDraw = true; }

void TiPlotObject::Draw(TCanvas*, TColor) {}

std::string TiPlotObject::GetLayerKey() const { return PadLeft(FLayer, 6); }

TiPlotMouseData TiPlotObject::MakeMouseData(int x, int y, int screenX, int screenY,
                                            TShiftState shift, TMouseButton button,
                                            bool dblClickActive) const {
    TiPlotMouseData data;
    data.X = x;
    data.Y = y;
    data.ScreenX = screenX;
    data.ScreenY = screenY;
    const TPoint axis = FXYAxesReversed ? TPoint{y, x} : TPoint{x, y};
    data.XAxisPixels = axis.X;
    data.YAxisPixels = axis.Y;
    data.Shift = shift;
    data.Button = button;
    data.DblClickActive = dblClickActive;
    return data;
}

void TiPlotObject::DoMouseDown(TMouseButton button, TShiftState shift, int x, int y, int screenX,
                               int screenY, TPopupMenu*) {
    if (!FEnabled) return;
    const TiPlotMouseData data = MakeMouseData(x, y, screenX, screenY, shift, button, false);
    FMouseDownPopup = false;
    if (button == mbRight) {
        FMouseDownPopup = FPopupEnabled;
        FMouseDown = true;
        DoMouseRight(data);
    } else if (button == mbLeft) {
        FMouseDown = true;
        DoMouseLeft(data);
    }
    if (MouseHitTest(data) && plot_ != nullptr) plot_->DoObjectMouseDown(this, button, shift, x, y);
}

void TiPlotObject::iMouseMove(TiHintData& hintData, TShiftState shift, int x, int y, int screenX,
                              int screenY, bool dblClickActive) {
    const TiPlotMouseData data =
        MakeMouseData(x, y, screenX, screenY, shift, mbLeft, dblClickActive);
    if (FMouseDown) {
        DoMouseMove(data);
    } else {
        DoMouseHint(data, hintData);
    }
    if (MouseHitTest(data) && plot_ != nullptr) plot_->DoObjectMouseMove(this, shift, x, y);
}

void TiPlotObject::DoMouseRelease(TMouseButton button, TShiftState shift, int x, int y, int screenX,
                                  int screenY, bool dblClickActive, TPopupMenu* popupMenu) {
    const TiPlotMouseData data =
        MakeMouseData(x, y, screenX, screenY, shift, button, dblClickActive);
    if (FMouseDownPopup && MouseHitTest(data)) {
        bool cancel = false;
        if (plot_ != nullptr) plot_->DoObjectPopupMenu(this, cancel, screenX, screenY);
        if (!cancel && popupMenu != nullptr) {
            ClearPopupMenuItems(popupMenu);
            PopupMenuAt(popupMenu, screenX, screenY);
        }
    }
    FMouseDownPopup = false;
    DoMouseUp(data);
    if (FMouseDown) {
        FMouseDown = false;
        if (plot_ != nullptr) plot_->DoObjectMouseUp(this, button, shift, x, y);
    }
}

void TiPlotObject::PopupMenuAt(TPopupMenu* popupMenu, int screenX, int screenY) {
    if (popupMenu->Items()->Count() == 0) return;
    popupMenu->Popup(screenX, screenY);
}

bool TiPlotObject::MouseHitTest(const TiPlotMouseData&) { return false; }

bool TiPlotObject::iMouseWheel(int wheelDelta, TShiftState shift, TPoint mousePos) {
    const bool result = DoMouseWheel(wheelDelta, shift, mousePos.X, mousePos.Y);
    if (plot_ != nullptr) {
        plot_->DoObjectMouseWheel(this, wheelDelta, shift, mousePos.X, mousePos.Y);
    }
    return result;
}

void TiPlotObject::DoMouseHint(const TiPlotMouseData&, TiHintData&) {}
void TiPlotObject::DoMouseLeft(const TiPlotMouseData&) {}
void TiPlotObject::DoMouseRight(const TiPlotMouseData&) {}
void TiPlotObject::DoMouseMove(const TiPlotMouseData&) {}
void TiPlotObject::DoMouseUp(const TiPlotMouseData&) {}
bool TiPlotObject::DoMouseWheel(int, TShiftState, int, int) { return false; }

void TiPlotObject::DoGotFocus() {
    if (plot_ != nullptr) plot_->DoObjectGotFocus(this);
}

void TiPlotObject::DoLostFocus() {
    if (plot_ != nullptr) plot_->DoObjectLostFocus(this);
}

void TiPlotObject::DoMouseNotOver() {}

TiPlotObject* TiPlotObject::SetMouseOverObject(int, int) {
    FMouseOverObject = this;
    return this;
}

TCursor TiPlotObject::CheckMouseOver(TPoint point) {
    if (FMouseOverObject == nullptr) {
        FMouseOverObject = this;
        return crDefault;
    }
    if (FMouseOverObject == this) return crDefault;
    return FMouseOverObject->CheckMouseOver(point);
}

bool TiPlotObject::GetPopupCenter(TPoint&) const { return false; }

void TiPlotObject::DoKeyDown(TKeyCode& charCode, TShiftState shift, TPopupMenu* popupMenu) {
    const bool shiftF10 = charCode == VK_F10 && shift.Contains(ssShift);
    if (!(shiftF10 || charCode == VK_APPS) || !FPopupEnabled) return;
    bool cancel = false;
    if (plot_ != nullptr) plot_->DoObjectPopupMenu(this, cancel, 0, 0);
    if (cancel || popupMenu == nullptr) return;
    ClearPopupMenuItems(popupMenu);
    TPoint center;
    if (!GetPopupCenter(center)) return;
    if (plot_ != nullptr) center = plot_->ClientToScreen(center);
    PopupMenuAt(popupMenu, center.X, center.Y);
}

void TiPlotObject::ClearPopupMenuItems(TPopupMenu* popupMenu) {
    TMenuItem* items = popupMenu->Items();
    while (items->Count() > 0) items->Delete(items->Count() - 1);
}

bool TiPlotObject::HitTest(int x, int y) {
    TiPlotMouseData data;
    data.X = x;
    data.Y = y;
    return MouseHitTest(data);
}

std::string TiPlotObject::TranslateString(const std::string& text) const {
    if (plot_ == nullptr || plot_->GetTranslationManager() == nullptr) return text;
    return plot_->GetTranslationManager()->FindReplacement(text);
}

void TiPlotObject::AddEditMenuItem(TPopupMenu* popupMenu) {
    if (!FUserCanEdit) return;
    auto* item = new TiMenuItem(popupMenu);
    item->SetCaption(TranslateString("Edit..."));
    item->SetVisible(true);
    item->OnClick = [this](TObject*) { DoEdit(); };
    popupMenu->Items()->Add(item);
}

// ---- TiPlotManagerObject

namespace {

TObject* CheckedOwner(TObject* owner, const TNotifyEvent& onChange, const TNotifyEvent& onInsert,
                      const TNotifyEvent& onRemove, const TNotifyEvent& onRename) {
    if (owner == nullptr) throw Exception("Owner must be assigned");
    if (!onChange) throw Exception("OnChange event handler can not be null");
    if (!onInsert) throw Exception("OnInsert event handler can not be null");
    if (!onRemove) throw Exception("OnRemove event handler can not be null");
    if (!onRename) throw Exception("AOnRename event handler can not be null");
    return owner;
}

}  // namespace

TiPlotManagerObject::TiPlotManagerObject(TObject* owner, TNotifyEvent onChange,
                                         TNotifyEvent onInsert, TNotifyEvent onRemove,
                                         TNotifyEvent onRename)
    // The handlers are copied: the check reads them while the base is being initialised.
    : TiPlotObject(CheckedOwner(owner, onChange, onInsert, onRemove, onRename), onChange, onInsert,
                   onRemove, onRename) {}

// ---- TiPlotLayoutObject

TiPlotLayoutObject::TiPlotLayoutObject(TObject* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                                       TNotifyEvent onRemove, TNotifyEvent onRename)
    : TiPlotManagerObject(owner, std::move(onChange), std::move(onInsert), std::move(onRemove),
                          std::move(onRename)) {}

void TiPlotLayoutObject::SetStartPercent(double value) {
    if (std::isnan(value)) return;
    value = std::clamp(value, 0.0, 100.0);
    if (FStopPercent - value < 1) {
        FStopPercent = value + 1;
        if (FStopPercent > 100) {
            FStopPercent = 100;
            value = 99;
        }
    }
    SetDoubleProperty(value, FStartPercent, &TiPlotObject::DoChange);
}

void TiPlotLayoutObject::SetStopPercent(double value) {
    if (std::isnan(value)) return;
    value = std::clamp(value, 0.0, 100.0);
    if (value - FStartPercent < 1) {
        FStartPercent = value - 1;
        if (FStartPercent < 0) {
            FStartPercent = 0;
            value = 1;
        }
    }
    SetDoubleProperty(value, FStopPercent, &TiPlotObject::DoChange);
}

void TiPlotLayoutObject::SetStartStopPercent(double start, double stop) {
    FStartPercent = start;
    FStopPercent = stop;
    DoChange();
}

int TiPlotLayoutObject::GetRequiredWidth(TCanvas*) { return 0; }

int TiPlotLayoutObject::GetRequiredEndMargin(TCanvas*) { return 0; }

void TiPlotLayoutObject::SetDrawRect(const TRect& r) {
    FLeft = r.Left;
    FTop = r.Top;
    FRight = r.Right;
    FBottom = r.Bottom;
}

void TiPlotLayoutObject::SetLayoutRect(const TRect& r) {
    FLayoutLeft = r.Left;
    FLayoutTop = r.Top;
    FLayoutRight = r.Right;
    FLayoutBottom = r.Bottom;
}

std::string TiPlotLayoutObject::GetZOrderKey() const { return PadLeft(FZOrder, 3); }

std::string TiPlotLayoutObject::GetStartPercentKey() const {
    return PadLeft(Round(FStartPercent), 3);
}

bool TiPlotLayoutObject::MouseHitTest(const TiPlotMouseData& mouseData) {
    return PtInRect(DrawRect(), {mouseData.X, mouseData.Y});
}

void TiPlotLayoutObject::DoInsert() {
    TiPlotObject::DoInsert();
    NotifyLayoutChange();
}

bool TiPlotLayoutObject::GetPopupCenter(TPoint& center) const {
    center = {(FLeft + FRight) / 2, (FTop + FBottom) / 2};
    return true;
}

// ---- TiPlotButton

TiPlotButton::TiPlotButton(TObject* owner, TNotifyEvent onChange)
    : TiPlotObject(owner, std::move(onChange), nullptr, nullptr, nullptr) {
    FEnabled = true;
}

TiPlotButton::~TiPlotButton() { FTimer.reset(); }

void TiPlotButton::SetDrawRect(const TRect& r) {
    FLeft = r.Left;
    FTop = r.Top;
    FRight = r.Right;
    FBottom = r.Bottom;
}

void TiPlotButton::SetDown(bool value) {
    if (value == FDown) return;
    FDown = value;
    DoInvalidate();
    if (OnDownChange) OnDownChange(this);
}

void TiPlotButton::DoInvalidate() {
    if (OnInvalidate) OnInvalidate(this);
}

void TiPlotButton::SetEnabled(bool value) {
    TiPlotObject::SetEnabled(value);
    if (!FEnabled) FTimer.reset();
}

void TiPlotButton::DoMouseLeft(const TiPlotMouseData&) {
    if (FTimerEnabled) {
        if (!FTimer) {
            FTimer = std::make_unique<TTimer>(nullptr);
            FTimer->SetEnabled(false);
            FTimer->SetOnTimer([this](TObject*) { TimerTick(); });
        }
        FTimer->SetInterval(500);
        FTimer->SetEnabled(true);
        FFirstTimerMessage = true;
    }
    DoInvalidate();
}

void TiPlotButton::TimerTick() {
    if (FFirstTimerMessage) {
        FTimer->SetInterval(50);
        FFirstTimerMessage = false;
    }
    if (OnClick) OnClick(this);
    DoInvalidate();
}

void TiPlotButton::DoMouseMove(const TiPlotMouseData&) {}

void TiPlotButton::DoMouseUp(const TiPlotMouseData& mouseData) {
    if (!FMouseDown) return;
    FMouseDown = false;
    FTimer.reset();
    DoInvalidate();
    if (!PtInRect(DrawRect(), {mouseData.X, mouseData.Y})) return;
    if (FGroupIndex != 0 && OnGroupClick) OnGroupClick(this);
    if (OnClick) OnClick(this);
}

}  // namespace dsp
