// The keyboard side of TWinControl: focus, tab order, and the key messages with their dialog
// keys, preview by the form and key events.

#include "framework/controls/WinControl.h"

#include <algorithm>

#include "framework/controls/ControlErrors.h"
#include "framework/controls/FocusModel.h"
#include "framework/controls/Form.h"
#include "framework/controls/InputState.h"
#include "framework/controls/KeyMap.h"
#include "framework/controls/MessageParams.h"
#include "framework/controls/WindowImpl.h"

namespace dsp {

namespace {

// Dialog navigation keys and the WM_GETDLGCODE flag by which a control keeps each.
LRESULT DialogCodeFor(int key) {
    switch (key) {
        case VK_TAB: return DLGC_WANTTAB;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN: return DLGC_WANTARROWS;
        case VK_RETURN:
        case VK_EXECUTE:
        case VK_ESCAPE:
        case VK_CANCEL: return DLGC_WANTALLKEYS;
        default: return 0;
    }
}

}  // namespace

bool TWinControl::Focused() const { return HandleAllocated() && Input().focusedWindow == this; }

bool TWinControl::CanFocus() const {
    const TCustomForm* form = GetParentForm(this);
    if (form == nullptr) return false;
    for (const TControl* control = this; control != form; control = control->Parent()) {
        if (!control->Visible() || !control->Enabled()) return false;
    }
    return form->Visible() && form->Enabled();
}

void TWinControl::SetFocus() {
    TCustomForm* form = GetParentForm(this);
    if (form == nullptr) throw EInvalidOperation("The control has no parent form");
    form->FocusControl(this);
}

int TWinControl::TabOrder() const {
    if (Parent() == nullptr) return -1;
    const auto& list = Parent()->tabList_;
    const auto found = std::find(list.begin(), list.end(), this);
    return found == list.end() ? -1 : static_cast<int>(found - list.begin());
}

void TWinControl::SetTabOrder(int value) {
    if (Parent() == nullptr) return;
    auto& list = Parent()->tabList_;
    const auto found = std::find(list.begin(), list.end(), this);
    if (found == list.end()) return;
    list.erase(found);
    if (value < 0 || value >= static_cast<int>(list.size())) {
        list.push_back(this);
    } else {
        list.insert(list.begin() + value, this);
    }
}

void TWinControl::SetTabStop(bool value) {
    if (tabStop_ == value) return;
    tabStop_ = value;
    Perform(CM_TABSTOPCHANGED);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
    for (TWinControl* child : tabList_) {
        list.push_back(child);
        child->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                          bool checkParent) const {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return nullptr;
    const auto count = static_cast<int>(list.size());
    const auto found = std::find(list.begin(), list.end(), current);
    int start =
        found == list.end() ? (goForward ? count - 1 : 0) : static_cast<int>(found - list.begin());
    int i = start;
    do {
        i = goForward ? (i + 1) % count : (i + count - 1) % count;
        TWinControl* candidate = list[static_cast<std::size_t>(i)];
        if (candidate != current && candidate->CanFocus() &&
            (!checkTabStop || candidate->TabStop()) &&
            (!checkParent || candidate->Parent() == this)) {
            return candidate;
        }
    } while (i != start);
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop) {
    if (TWinControl* next = FindNextControl(current, goForward, checkTabStop, !checkTabStop)) {
        next->SetFocus();
    }
}

// ---- key and focus messages

bool TWinControl::DispatchKeyboard(TMessage& message) {
    switch (message.Msg) {
        case CN_KEYDOWN:
        case CN_SYSKEYDOWN: {
            message.Result = 1;
            if (Perform(MakeChildKeyMessage(KeyParamsOf(message).key, this)) != 0) {
                return true;
            }
            TCustomForm* form = GetParentForm(this);
            const int key = static_cast<int>(KeyParamsOf(message).key);
            if (form != nullptr &&
                form->IsShortCut(static_cast<TKeyCode>(key), KeyParamsOf(message).Shift())) {
                return true;
            }
            const LRESULT mask = DialogCodeFor(key);
            if (mask != 0 && form != nullptr &&
                Perform(CM_WANTSPECIALKEY, message.WParam, message.LParam) == 0 &&
                (Perform(WM_GETDLGCODE) & mask) == 0 &&
                form->Perform(CM_DIALOGKEY, message.WParam, message.LParam) != 0) {
                return true;
            }
            message.Result = 0;
            return true;
        }
        case CN_CHAR: {
            message.Result = 1;
            TCustomForm* form = GetParentForm(this);
            if (form != nullptr && (Perform(WM_GETDLGCODE) & DLGC_WANTCHARS) == 0 &&
                form->Perform(CM_DIALOGCHAR, message.WParam, message.LParam) != 0) {
                return true;
            }
            message.Result = 0;
            return true;
        }
        case CN_SYSCHAR: {
            TCustomForm* form = GetParentForm(this);
            message.Result = 0;
            if (form != nullptr && CharOf(message) != VK_SPACE) {
                message.Result = form->Perform(CM_DIALOGCHAR, message.WParam, message.LParam);
            }
            return true;
        }
        case CM_CHILDKEY:
            if (Parent() != nullptr) message.Result = Parent()->PerformMessageResult(message);
            return true;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (!DoKeyDown(message)) DefaultHandler(message);
            return true;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            if (!DoKeyUp(message)) DefaultHandler(message);
            return true;
        case WM_CHAR:
            if (!DoKeyPress(message)) DefaultHandler(message);
            return true;
        case WM_SETFOCUS: {
            TCustomForm* form = GetParentForm(this);
            if (form != nullptr && !form->SetFocusedControl(this)) return true;
            DefaultHandler(message);
            return true;
        }
        case CM_ENTER: DoEnter(); return true;
        case CM_EXIT: DoExit(); return true;
        case CM_DIALOGKEY:
        case CM_DIALOGCHAR:
        case CM_FOCUSCHANGED: Broadcast(message); return true;
        default: return false;
    }
}

LRESULT TWinControl::PerformMessageResult(TMessage message) {
    PerformMessage(message);
    return message.Result;
}

bool TWinControl::DoKeyDown(TMessage& message) {
    TCustomForm* form = GetParentForm(this);
    if (form != nullptr && form != this && form->KeyPreview() &&
        static_cast<TWinControl*>(form)->DoKeyDown(message)) {
        return true;
    }
    if (ControlStyle().Contains(csNoStdEvents)) return false;
    auto key = static_cast<TKeyCode>(KeyParamsOf(message).key);
    KeyDown(key, KeyParamsOf(message).Shift());
    message.WParam = key;
    return key == 0;
}

bool TWinControl::DoKeyUp(TMessage& message) {
    TCustomForm* form = GetParentForm(this);
    if (form != nullptr && form != this && form->KeyPreview() &&
        static_cast<TWinControl*>(form)->DoKeyUp(message)) {
        return true;
    }
    if (ControlStyle().Contains(csNoStdEvents)) return false;
    auto key = static_cast<TKeyCode>(KeyParamsOf(message).key);
    KeyUp(key, KeyParamsOf(message).Shift());
    message.WParam = key;
    return key == 0;
}

bool TWinControl::DoKeyPress(TMessage& message) {
    TCustomForm* form = GetParentForm(this);
    if (form != nullptr && form != this && form->KeyPreview() &&
        static_cast<TWinControl*>(form)->DoKeyPress(message)) {
        return true;
    }
    if (ControlStyle().Contains(csNoStdEvents)) return false;
    auto ch = CharOf(message);
    KeyPress(ch);
    message.WParam = ch;
    return ch == 0;
}

void TWinControl::KeyDown(TKeyCode& key, TShiftState shift) {
    if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(TKeyCode& key, TShiftState shift) {
    if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char16_t& key) {
    if (OnKeyPress) OnKeyPress(this, key);
}

void TWinControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit) OnExit(this);
}

void TWinControl::RemoveFocus(bool removing) {
    if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(this, removing);
}

}  // namespace dsp
