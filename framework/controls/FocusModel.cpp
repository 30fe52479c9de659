#include "framework/controls/FocusModel.h"

#include <algorithm>

#include "framework/controls/Form.h"
#include "framework/controls/HintControl.h"
#include "framework/controls/InputState.h"
#include "framework/controls/MessageParams.h"
#include "framework/controls/WindowHost.h"
#include "framework/controls/WindowImpl.h"
#include "framework/core/FrameworkAccess.h"

namespace dsp {

TFocusModel& FocusModel() {
    static auto* model = new TFocusModel;
    return *model;
}

TInputState& Input() {
    static TInputState state;
    return state;
}

void ForgetControl(const TControl* control) {
    HintControlGone(control);
    TInputState& input = Input();
    if (input.captureControl == control) input.captureControl = nullptr;
    if (input.mouseControl == control) input.mouseControl = nullptr;
    if (input.focusedWindow == control) input.focusedWindow = nullptr;
}

TWinControl* FocusedWindow() { return Input().focusedWindow; }

TCustomForm* ActiveForm() { return FocusModel().FocusedForm(); }

void TFocusModel::FocusWindow(TWinControl* window) {
    TInputState& input = Input();
    TWinControl* old = input.focusedWindow;
    if (old == window) return;
    ++focusCount_;
    if (old != nullptr) {
        const HWND next = window != nullptr ? window->Window(kFrameworkKey).handle : HWND{};
        old->Perform(MakeFocusMessage(WM_KILLFOCUS, next));
    }
    input.focusedWindow = window;
    if (window == nullptr) return;
    if (window->Window(kFrameworkKey).host != nullptr)
        window->Window(kFrameworkKey).host->setFocus(Qt::OtherFocusReason);
    const HWND previous = old != nullptr ? old->Window(kFrameworkKey).handle : HWND{};
    window->Perform(MakeFocusMessage(WM_SETFOCUS, previous));
}

void TFocusModel::ActivateForm(TCustomForm* form) {
    if (form == nullptr || !form->Showing()) return;
    history_.erase(std::remove(history_.begin(), history_.end(), form), history_.end());
    history_.push_back(form);
    if (form->Window(kFrameworkKey).host != nullptr) {
        RaiseNativeWindow(form->Window(kFrameworkKey).host);
        form->Window(kFrameworkKey).host->window()->activateWindow();
    }
    form->active_ = true;
    if (form->activeControl_ == nullptr) {
        form->activeControl_ = form->FindNextControl(nullptr, true, true, false);
    }
    form->SetWindowFocus();
}

void TFocusModel::FormHidden(TCustomForm* form) {
    history_.erase(std::remove(history_.begin(), history_.end(), form), history_.end());
    TWinControl* focused = Input().focusedWindow;
    const bool hadFocus =
        focusedForm_ == form || (focused != nullptr && GetParentForm(focused) == form);
    form->active_ = false;
    if (!hadFocus) return;
    for (auto it = history_.rbegin(); it != history_.rend(); ++it) {
        if ((*it)->Showing() && FormTakesInput(*it)) {
            ActivateForm(*it);
            return;
        }
    }
    FocusWindow(nullptr);
    if (focusedForm_ == form) {
        focusedForm_ = nullptr;
        form->Perform(CM_DEACTIVATE);
    }
}

void TFocusModel::FormGone(TCustomForm* form) {
    history_.erase(std::remove(history_.begin(), history_.end(), form), history_.end());
    if (focusedForm_ == form) focusedForm_ = nullptr;
}

}  // namespace dsp
