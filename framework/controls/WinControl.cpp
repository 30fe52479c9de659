#include "framework/controls/WinControl.h"

#include <algorithm>
#include <unordered_map>

#include "framework/controls/ControlErrors.h"
#include "framework/controls/Docking.h"
#include "framework/controls/InputState.h"
#include "framework/controls/MessageParams.h"
#include "framework/controls/WindowHost.h"
#include "framework/controls/WindowImpl.h"

namespace dsp {

namespace {

// Handles are looked up on the UI thread only (messages from workers arrive there).
std::unordered_map<std::uint64_t, TWinControl*>& HandleMap() {
    static auto* map = new std::unordered_map<std::uint64_t, TWinControl*>;
    return *map;
}

template <typename T>
void EraseFrom(std::vector<T*>& list, const TControl* item) {
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

}  // namespace

TWinControl* FindControl(HWND handle) {
    auto found = HandleMap().find(static_cast<std::uint64_t>(handle));
    return found == HandleMap().end() ? nullptr : found->second;
}

TWinControl::TWinControl(TComponent* owner)
    : TControl(owner),
      window_(std::make_unique<TWindowImpl>(*this)),
      brush_(std::make_unique<TBrush>()) {
    brush_->SetColor(Color());
}

TWinControl::~TWinControl() {
    Destroying();
    if (Parent() != nullptr) Parent()->RemoveControl(this);
    // The children go with their parent, topmost first.
    while (!winControls_.empty() || !controls_.empty()) {
        TControl* child =
            !winControls_.empty() ? static_cast<TControl*>(winControls_.back()) : controls_.back();
        RemoveControl(child);
        delete child;
    }
    DestroyHandle();
    ForgetControl(this);
}

// ---- children

int TWinControl::ControlCount() const {
    return static_cast<int>(controls_.size() + winControls_.size());
}

TControl* TWinControl::Controls(int index) const {
    if (index < 0 || index >= ControlCount()) throw EListError::IndexOutOfBounds(index);
    const auto i = static_cast<std::size_t>(index);
    if (i < controls_.size()) return controls_[i];
    return winControls_[i - controls_.size()];
}

bool TWinControl::ContainsControl(const TControl* control) const {
    while (control != nullptr && control != this) control = control->Parent();
    return control == this;
}

TControl* TWinControl::ControlAtPos(TPoint pos, bool allowDisabled, bool allowWinControls) const {
    auto hit = [&](TControl* control) {
        if (!control->Visible() || (!control->Enabled() && !allowDisabled)) return false;
        const TRect r = control->BoundsRect();
        if (!PtInRect(r, pos)) return false;
        const TPoint local{pos.X - r.Left, pos.Y - r.Top};
        return control->Perform(CM_HITTEST, 0, PointToLParam(local)) != 0;
    };
    if (allowWinControls) {
        for (auto it = winControls_.rbegin(); it != winControls_.rend(); ++it) {
            if (hit(*it)) return *it;
        }
    }
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        if (hit(*it)) return *it;
    }
    return nullptr;
}

void TWinControl::InsertControl(TControl* control) {
    if (control == nullptr || control->parent_ == this) return;
    if (control->parent_ != nullptr) control->parent_->RemoveControl(control);
    control->parent_ = this;
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
        winControls_.push_back(windowed);
        tabList_.push_back(windowed);
    } else {
        controls_.push_back(control);
    }
    // The child takes what it follows from its new parent.
    control->Perform(CM_PARENTCOLORCHANGED);
    control->Perform(CM_PARENTFONTCHANGED);
    control->Perform(CM_PARENTSHOWHINTCHANGED);
    Perform(MakeControlChangeMessage(CM_CONTROLLISTCHANGE, control, true));
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
        windowed->UpdateControlState();
    } else {
        control->Invalidate();
    }
    control->UpdateAnchorRules();
    if (control->Align() != alNone || !(control->Anchors() == TAnchors{akLeft, akTop})) {
        AlignControl(control);
    }
    Perform(MakeControlChangeMessage(CM_CONTROLCHANGE, control, true));
}

void TWinControl::RemoveControl(TControl* control) {
    if (control == nullptr || control->parent_ != this) return;
    if (control->hostDockSite_ == this) ForgetDockClient(control);
    const bool destroying = ComponentState().Contains(csDestroying);
    if (!destroying) Perform(MakeControlChangeMessage(CM_CONTROLCHANGE, control, false));
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
        if (!destroying) windowed->RemoveFocus(true);
        // Its native windows lived inside ours; they go, its handle stays.
        windowed->DestroyHostTree();
        EraseFrom(winControls_, control);
        EraseFrom(tabList_, control);
    } else {
        control->InvalidateControl(control->Visible(), false);
        EraseFrom(controls_, control);
    }
    ForgetControl(control);
    control->parent_ = nullptr;
    if (!destroying) {
        Perform(MakeControlChangeMessage(CM_CONTROLLISTCHANGE, control, false));
        if (control->Align() != alNone) Realign();
    }
}

void TWinControl::SetChildZOrder(TControl* control, bool top) {
    auto move = [&](auto& list) {
        auto it = std::find(list.begin(), list.end(), control);
        if (it == list.end()) return false;
        auto* item = *it;
        list.erase(it);
        if (top) {
            list.push_back(item);
        } else {
            list.insert(list.begin(), item);
        }
        return true;
    };
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
        if (!move(winControls_)) return;
        RestackHost(*windowed->window_);
    } else {
        if (!move(controls_)) return;
        control->Invalidate();
    }
}

void TWinControl::Broadcast(TMessage& message) {
    for (int i = 0; i < ControlCount(); ++i) {
        Controls(i)->PerformMessage(message);
        if (message.Result != 0) return;
    }
}

void TWinControl::NotifyControls(unsigned msg) {
    TMessage message{msg, 0, 0, 0};
    Broadcast(message);
}

// ---- the window

HWND TWinControl::Handle() {
    HandleNeeded();
    return window_->handle;
}

bool TWinControl::HandleAllocated() const { return window_->handle != HWND{}; }

void TWinControl::HandleNeeded() {
    if (HandleAllocated()) return;
    if (Parent() != nullptr) Parent()->HandleNeeded();
    CreateHandle();
}

void TWinControl::CreateHandle() {
    if (HandleAllocated()) return;
    TControlState state = ControlState();
    SetControlState(state.Include(csCreating));
    try {
        CreateWnd();
    } catch (...) {
        state = ControlState();
        SetControlState(state.Exclude(csCreating));
        throw;
    }
    state = ControlState();
    SetControlState(state.Exclude(csCreating));
}

void TWinControl::CreateWnd() {
    window_->handle = AllocateHWnd([this](TMessage& message) { PerformMessage(message); });
    HandleMap()[static_cast<std::uint64_t>(window_->handle)] = this;
    // A new window hears its size at once: the children are aligned in it.
    const TRect client = GetClientRect();
    Perform(MakeSizeMessage(SIZE_RESTORED, client.Width(), client.Height()));
}

void TWinControl::DestroyHandle() {
    if (!HandleAllocated()) return;
    TControlState state = ControlState();
    SetControlState(state.Include(csDestroyingHandle));
    for (TWinControl* child : winControls_) child->DestroyHandle();
    DestroyWnd();
    state = ControlState();
    SetControlState(state.Exclude(csDestroyingHandle));
}

void TWinControl::DestroyWnd() {
    DestroyHost(*window_);
    window_->DropSurface();
    window_->showing = false;
    if (Input().focusedWindow == this) Input().focusedWindow = nullptr;
    HandleMap().erase(static_cast<std::uint64_t>(window_->handle));
    DeallocateHWnd(window_->handle);
    window_->handle = HWND{};
}

void TWinControl::DestroyHostTree() {
    for (TWinControl* child : winControls_) child->DestroyHostTree();
    if (window_->host != nullptr) {
        DestroyHost(*window_);
        window_->DropSurface();
    }
    window_->showing = false;
}

void TWinControl::RecreateWnd() {
    if (!HandleAllocated()) return;
    const bool wasFocused = Focused();
    DestroyHandle();
    UpdateControlState();
    if (wasFocused && HandleAllocated() && CanFocus()) SetFocus();
}

bool TWinControl::Showing() const { return window_->showing; }

void TWinControl::UpdateControlState() {
    for (const TWinControl* p = Parent(); p != nullptr; p = p->Parent()) {
        if (!p->Showing()) return;
    }
    if (Parent() == nullptr && !IsTopLevelWindow()) return;
    UpdateShowing();
}

void TWinControl::UpdateShowing() {
    const bool parentShows = Parent() != nullptr ? Parent()->Showing() : IsTopLevelWindow();
    const bool show = Visible() && parentShows && !ControlState().Contains(csReadingState);
    if (show) {
        HandleNeeded();
        if (window_->host == nullptr) CreateHost(*window_);
    }
    const bool changed = window_->showing != show;
    window_->showing = show;
    // Children first while showing: the native window appears with its children in place.
    if (show) {
        for (TWinControl* child : winControls_) child->UpdateShowing();
    }
    if (changed && HandleAllocated()) Perform(CM_SHOWINGCHANGED);
    if (!show) {
        for (TWinControl* child : winControls_) child->UpdateShowing();
    }
}

// ---- bounds

void TWinControl::SetBounds(int left, int top, int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (left == Left() && top == Top() && width == Width() && height == Height()) return;
    if (HandleAllocated()) {
        TWindowPos pos{window_->handle, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE};
        Perform(WM_WINDOWPOSCHANGED, 0, WindowPosParam(pos));
    } else {
        left_ = left;
        top_ = top;
        width_ = width;
        height_ = height;
    }
    UpdateAnchorRules();
    RequestAlign();
}

void TWinControl::DoWindowPosChanged(TMessage& message) {
    const TWindowPos* pos = WindowPosOf(message);
    if (pos == nullptr) return;
    const bool moved = !(pos->flags & SWP_NOMOVE) && (pos->x != left_ || pos->y != top_);
    const bool resized = !(pos->flags & SWP_NOSIZE) && (pos->cx != width_ || pos->cy != height_);
    if (!moved && !resized) return;
    const QRect oldArea(0, 0, width_, height_);
    if (moved) {
        left_ = pos->x;
        top_ = pos->y;
    }
    if (resized) {
        width_ = std::max(pos->cx, 0);
        height_ = std::max(pos->cy, 0);
    }
    PlaceHost(*window_);
    if (resized) {
        const QRegion area(0, 0, width_, height_);
        window_->Invalidate(RedrawOnResize() ? area : area - oldArea, true);
        const TRect client = GetClientRect();
        Perform(MakeSizeMessage(SIZE_RESTORED, client.Width(), client.Height()));
    }
}

// ---- messages

void TWinControl::WndProc(TMessage& message) {
    if (message.Msg >= WM_MOUSEFIRST && message.Msg <= WM_MOUSELAST &&
        message.Msg != WM_MOUSEWHEEL) {
        // A windowless child under the mouse (or holding the capture) takes the message.
        TControl* target = nullptr;
        TControl* capture = Input().captureControl;
        if (capture != nullptr && capture != this && capture->Parent() == this &&
            dynamic_cast<TWinControl*>(capture) == nullptr) {
            target = capture;
        } else if (capture == nullptr || capture == this) {
            target = ControlAtPos(MouseParamsOf(message).pos, false);
        }
        if (target != nullptr && target != this) {
            const TPoint p = MouseParamsOf(message).pos;
            message.Result =
                target->Perform(message.Msg, message.WParam,
                                PointToLParam({p.X - target->Left(), p.Y - target->Top()}));
            return;
        }
    }
    TControl::WndProc(message);
}

void TWinControl::Dispatch(TMessage& message) {
    if (DispatchKeyboard(message)) return;
    switch (message.Msg) {
        case WM_PAINT:
            if (TCanvas* dc = MessageCanvas(message)) {
                if (ControlState().Contains(csCustomPaint) || ControlCount() > 0) {
                    PaintHandler(*dc);
                } else {
                    DefaultHandler(message);
                }
            } else {
                window_->Invalidate(QRegion(0, 0, width_, height_), false);
                Update();
            }
            return;
        case WM_ERASEBKGND: DoEraseBackground(message); return;
        case WM_PRINTCLIENT:
            if (TCanvas* dc = MessageCanvas(message)) {
                if (!(message.LParam & PRF_CHECKVISIBLE) || Visible()) PaintHandler(*dc);
            }
            return;
        case WM_WINDOWPOSCHANGED: DoWindowPosChanged(message); return;
        case WM_SIZE:
            Realign();
            if (!ComponentState().Contains(csLoading)) Resize();
            return;
        case CM_SHOWINGCHANGED: ShowHost(*window_, window_->showing); return;
        case CM_VISIBLECHANGED:
            if (!Visible() && Parent() != nullptr) RemoveFocus(false);
            UpdateControlState();
            return;
        case CM_ENABLEDCHANGED:
            if (!Enabled() && Parent() != nullptr) RemoveFocus(false);
            if (HandleAllocated()) Perform(WM_ENABLE, Enabled() ? 1 : 0, 0);
            TControl::Dispatch(message);
            return;
        case CM_INVALIDATE:
            if (HandleAllocated()) {
                if (Parent() != nullptr) Parent()->Perform(CM_INVALIDATE, 1, 0);
                if (message.WParam == 0) {
                    InvalidateRect(nullptr, !ControlStyle().Contains(csOpaque));
                }
            }
            return;
        case CM_COLORCHANGED:
            brush_->SetColor(Color());
            TControl::Dispatch(message);
            NotifyControls(CM_PARENTCOLORCHANGED);
            return;
        case CM_FONTCHANGED:
            TControl::Dispatch(message);
            NotifyControls(CM_PARENTFONTCHANGED);
            return;
        case CM_SHOWHINTCHANGED:
            TControl::Dispatch(message);
            NotifyControls(CM_PARENTSHOWHINTCHANGED);
            return;
        default: TControl::Dispatch(message); return;
    }
}

void TWinControl::DefaultHandler(TMessage& message) { TControl::DefaultHandler(message); }

void TWinControl::Loaded() {
    TControl::Loaded();
    if (ControlState().Contains(csAlignmentNeeded)) Realign();
}

}  // namespace dsp
