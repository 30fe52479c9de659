#include "framework/controls/Form.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <algorithm>

#include "framework/controls/ControlErrors.h"
#include "framework/controls/FocusModel.h"
#include "framework/controls/InputState.h"
#include "framework/controls/KeyMap.h"
#include "framework/controls/MessageParams.h"
#include "framework/controls/WindowHost.h"
#include "framework/controls/WindowImpl.h"
#include "framework/core/FrameworkAccess.h"
#include "framework/desktop/Screen.h"
#include "framework/runtime/Application.h"

namespace dsp {

namespace {

// The classic frame at 96 dots per inch: border widths and caption heights.
constexpr int kSizingFrame = 4;
constexpr int kFixedFrame = 3;
constexpr int kCaptionHeight = 19;
constexpr int kToolCaptionHeight = 15;

struct TFormRegistry {
    std::vector<TCustomForm*> forms;  // in creation order
    TCustomForm* mainForm = nullptr;
};

TFormRegistry& Registry() {
    static auto* registry = new TFormRegistry;
    return *registry;
}

}  // namespace

// ---- the forms of the application

int FormCount() { return static_cast<int>(Registry().forms.size()); }

TCustomForm* Forms(int index) {
    if (index < 0 || index >= FormCount()) throw EListError::IndexOutOfBounds(index);
    return Registry().forms[static_cast<std::size_t>(index)];
}

TCustomForm* MainForm() { return Registry().mainForm; }
void SetMainForm(TCustomForm* form) { Registry().mainForm = form; }

namespace detail {

TComponent* FormOwner() { return Application; }

void FormCreated(TCustomForm* form) {
    if (Registry().mainForm == nullptr) Registry().mainForm = form;
    form->AfterConstruction();
}

}  // namespace detail

namespace {

void SendToWindows(TWinControl& control, unsigned msg) {
    if (!control.HandleAllocated()) return;
    control.Perform(msg);
    // A handler may add or remove children: walk a copy.
    const std::vector<TWinControl*> children = control.WinControls();
    for (TWinControl* child : children) SendToWindows(*child, msg);
}

}  // namespace

void BroadcastThemeChanged() {
    const std::vector<TCustomForm*> forms = Registry().forms;
    for (TCustomForm* form : forms) SendToWindows(*form, WM_THEMECHANGED);
}

void RunApplication() {
    if (Application == nullptr) return;
    if (TCustomForm* main = MainForm(); main != nullptr && Application->ShowMainForm()) {
        main->Show();
    }
    Application->Run();
}

// ---- construction

TCustomForm::TCustomForm(TComponent* owner) : TScrollingWinControl(owner) {
    visible_ = false;
    SetControlStyle(
        {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
    SetColor(clBtnFace);
    SetBounds(0, 0, 320, 240);
    Registry().forms.push_back(this);
}

TCustomForm::~TCustomForm() {
    Destroying();
    if (OnDestroy) OnDestroy(this);
    auto& forms = Registry().forms;
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
    if (Registry().mainForm == this) Registry().mainForm = nullptr;
    FocusModel().FormGone(this);
}

void TCustomForm::AfterConstruction() {
    if (created_) return;
    created_ = true;
    HandleNeeded();
    DoCreate();
}

void TCustomForm::DoCreate() {
    if (OnCreate) OnCreate(this);
}

// ---- frame and place

TRect TCustomForm::FrameInsets() const {
    int frame = 0;
    int caption = 0;
    switch (borderStyle_) {
        case bsNone: break;
        case bsSingle:
        case bsDialog:
            frame = kFixedFrame;
            caption = kCaptionHeight;
            break;
        case bsSizeable:
            frame = kSizingFrame;
            caption = kCaptionHeight;
            break;
        case bsToolWindow:
            frame = kFixedFrame;
            caption = kToolCaptionHeight;
            break;
        case bsSizeToolWin:
            frame = kSizingFrame;
            caption = kToolCaptionHeight;
            break;
    }
    return {frame, frame + caption + menuBarHeight_, frame, frame};
}

TRect TCustomForm::ClientRectWithoutBars() const {
    const TRect f = FrameInsets();
    return Rect(0, 0, std::max(Width() - f.Left - f.Right, 0),
                std::max(Height() - f.Top - f.Bottom, 0));
}

TSize TCustomForm::WindowClientSize() const {
    const TRect r = ClientRectWithoutBars();
    return {r.Width(), r.Height()};
}

void TCustomForm::SetClientSize(int width, int height) {
    const TRect f = FrameInsets();
    // The scroll bars that show stay and keep their part.
    const int bars = VertScrollBar()->IsScrollBarVisible() ? kScrollBarSize : 0;
    const int barsBelow = HorzScrollBar()->IsScrollBarVisible() ? kScrollBarSize : 0;
    SetBounds(Left(), Top(), width + bars + f.Left + f.Right,
              height + barsBelow + f.Top + f.Bottom);
}

void TCustomForm::SetWindowClientSize(int width, int height) {
    const TRect f = FrameInsets();
    SetBounds(Left(), Top(), width + f.Left + f.Right, height + f.Top + f.Bottom);
}

TPoint TCustomForm::ClientOrigin() const {
    const TRect f = FrameInsets();
    return {Left() + f.Left, Top() + f.Top};
}

void TCustomForm::SetBorderStyle(TFormBorderStyle value) {
    if (borderStyle_ == value) return;
    borderStyle_ = value;
    Window(kFrameworkKey)
        .Invalidate(QRegion(0, 0, WindowClientSize().cx, WindowClientSize().cy), true);
    if (Window(kFrameworkKey).host != nullptr) {
        UpdateFormHost(*this);
        PlaceHost(Window(kFrameworkKey));
    }
    Realign();
}

void TCustomForm::SetBorderIcons(TBorderIcons value) {
    if (borderIcons_ == value) return;
    borderIcons_ = value;
    if (Window(kFrameworkKey).host != nullptr) UpdateFormHost(*this);
}

void TCustomForm::SetWindowState(TWindowState value) {
    if (windowState_ == value) return;
    windowState_ = value;
    if (Window(kFrameworkKey).host != nullptr) ApplyFormWindowState(*this);
}

void TCustomForm::WindowStateFollowed(TWindowState state) {
    if (windowState_ == state) return;
    windowState_ = state;
    WPARAM kind = SIZE_RESTORED;
    if (state == wsMinimized) kind = SIZE_MINIMIZED;
    if (state == wsMaximized) kind = SIZE_MAXIMIZED;
    Perform(WM_SIZE, kind, MakeLParam(ClientWidth(), ClientHeight()));
}

void TCustomForm::SetMenuBarHeight(int value) {
    if (menuBarHeight_ == value) return;
    menuBarHeight_ = std::max(value, 0);
    if (Window(kFrameworkKey).host != nullptr) PlaceHost(Window(kFrameworkKey));
    Realign();
}

void TCustomForm::ApplyPosition() {
    TRect area{0, 0, 0, 0};
    const TRect screen = Rect(0, 0, Screen->Width(), Screen->Height());
    const TCustomForm* over = nullptr;
    switch (position_) {
        case poScreenCenter: area = screen; break;
        case poDesktopCenter: area = Screen->DesktopRect(); break;
        case poMainFormCenter: over = MainForm(); break;
        case poOwnerFormCenter:
            over = dynamic_cast<const TCustomForm*>(Owner());
            if (over == nullptr) over = MainForm();
            break;
        default: return;
    }
    if (over != nullptr && over != this) {
        area = over->BoundsRect();
    } else if (IsRectEmpty(area)) {
        area = screen;
    }
    SetBounds(area.Left + (area.Width() - Width()) / 2, area.Top + (area.Height() - Height()) / 2,
              Width(), Height());
}

std::unique_ptr<TBitmap> TCustomForm::RenderToImage() {
    const TSize size = WindowClientSize();
    auto bitmap = std::make_unique<TBitmap>(size.cx, size.cy);
    PaintTo(*bitmap->Canvas(), 0, 0);
    return bitmap;
}

// ---- showing and closing

void TCustomForm::Show() {
    SetVisible(true);
    RaiseNativeWindow(Window(kFrameworkKey).host);
    if (FormTakesInput(this)) FocusModel().ActivateForm(this);
}

void TCustomForm::Hide() { SetVisible(false); }

void TCustomForm::DoShow() {
    if (OnShow) OnShow(this);
}

void TCustomForm::DoHide() {
    if (OnHide) OnHide(this);
}

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::DoClose(TCloseAction& action) {
    if (OnClose) OnClose(this, action);
}

void TCustomForm::Close() {
    if (formState_.Contains(fsModal)) {
        modalResult_ = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone) return;
    if (MainForm() == this && Application != nullptr) {
        Application->Terminate();
    } else if (action == caHide) {
        Hide();
    } else if (action == caMinimize) {
        SetWindowState(wsMinimized);
    } else {
        Release();
    }
}

void TCustomForm::Release() { PostMessage(Handle(), CM_RELEASE, 0, 0); }

void TCustomForm::CloseModal() {
    TCloseAction action = caNone;
    if (CloseQuery()) {
        action = caHide;
        DoClose(action);
    }
    if (action == caNone) {
        modalResult_ = mrNone;
    } else if (action == caFree) {
        Release();
    }
}

TModalResult TCustomForm::ShowModal() {
    if (Visible() || !Enabled() || formState_.Contains(fsModal)) {
        throw EInvalidOperation("Cannot make a visible window modal");
    }
    if (TControl* capture = Input().captureControl) capture->SetMouseCapture(false);
    formState_.Include(fsModal);
    TCustomForm* previous = ActiveForm();
    // The window belongs to the form it bars first: the active one, or else the main form.
    TCustomForm* owner = previous != nullptr && previous->Showing() ? previous : MainForm();
    if (owner == this || (owner != nullptr && !owner->Showing())) owner = nullptr;
    SetFormModalOwner(*this, owner);
    // Every form shown now is barred from input while this one is modal; forms shown later
    // are not.
    std::vector<TCustomForm*> barred;
    for (TCustomForm* form : Registry().forms) {
        if (form != this && form->Visible()) {
            ++form->modalBarred_;
            barred.push_back(form);
        }
    }
    auto unbar = [&] {
        for (TCustomForm* form : barred) {
            if (std::find(Registry().forms.begin(), Registry().forms.end(), form) !=
                Registry().forms.end()) {
                --form->modalBarred_;
            }
        }
        barred.clear();
    };
    modalResult_ = mrNone;
    try {
        Show();
        while (modalResult_ == mrNone) {
            if (Application != nullptr && Application->Terminated()) {
                modalResult_ = mrCancel;
                break;
            }
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            if (modalResult_ != mrNone) CloseModal();
        }
    } catch (...) {
        unbar();
        formState_.Exclude(fsModal);
        Hide();
        SetFormModalOwner(*this, nullptr);
        throw;
    }
    unbar();
    // The form that was active before takes the focus back, then this one goes.
    if (previous != nullptr && previous != this && previous->Showing() &&
        FormTakesInput(previous)) {
        FocusModel().ActivateForm(previous);
    }
    Hide();
    SetFormModalOwner(*this, nullptr);
    formState_.Exclude(fsModal);
    return modalResult_;
}

bool FormTakesInput(const TCustomForm* form) {
    return form != nullptr && form->modalBarred_ == 0 && form->Enabled();
}

// ---- focus

void TCustomForm::SetActiveControl(TWinControl* control) {
    if (activeControl_ == control) return;
    const bool loading = ComponentState().Contains(csLoading);
    if (control != nullptr &&
        (control == this || GetParentForm(control) != this || (!loading && !control->CanFocus()))) {
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    }
    activeControl_ = control;
    if (!loading && active_) SetWindowFocus();
}

void TCustomForm::FocusControl(TWinControl* control) {
    const bool wasActive = active_;
    SetActiveControl(control);
    if (!wasActive) SetFocus();
}

void TCustomForm::SetFocus() {
    if (active_) return;
    if (!Visible() || !Enabled()) {
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    }
    FocusModel().ActivateForm(this);
}

void TCustomForm::SetWindowFocus() {
    TWinControl* target =
        activeControl_ != nullptr && activeControl_->Showing() ? activeControl_ : this;
    FocusModel().FocusWindow(target);
}

void TCustomForm::DefocusControl(TWinControl* control, bool removing) {
    if (control == nullptr) return;
    if (removing && control->ContainsControl(focusedControl_)) {
        focusedControl_ = control->Parent();
    }
    if (control->ContainsControl(activeControl_)) {
        activeControl_ = nullptr;
        if (active_) SetWindowFocus();
    }
}

bool TCustomForm::SetFocusedControl(TWinControl* control) {
    TFocusModel& model = FocusModel();
    const int count = model.FocusCount();
    activeControl_ = control != this ? control : nullptr;
    TControlState state = control->ControlState();
    if (state.Contains(csFocusing)) return false;
    control->SetControlState(state.Include(csFocusing));
    struct TFocusingMark {
        TWinControl* control;
        ~TFocusingMark() {
            TControlState s = control->ControlState();
            control->SetControlState(s.Exclude(csFocusing));
        }
    } mark{control};
    // The focus comes from another form: that one is deactivated, this one activated.
    if (model.FocusedForm() != this) {
        if (TCustomForm* old = model.FocusedForm()) {
            model.SetFocusedForm(nullptr);
            old->Perform(CM_DEACTIVATE);
            if (model.FocusCount() != count) return false;
        }
        model.SetFocusedForm(this);
        Perform(CM_ACTIVATE);
        if (model.FocusCount() != count) return false;
    }
    if (focusedControl_ == nullptr) focusedControl_ = this;
    if (focusedControl_ == control) return true;
    // Leave the controls that do not hold the new one, innermost first...
    while (focusedControl_ != nullptr && !focusedControl_->ContainsControl(control)) {
        TWinControl* leaving = focusedControl_;
        focusedControl_ = focusedControl_->Parent();
        leaving->Perform(CM_EXIT);
        if (model.FocusCount() != count) return false;
    }
    // ...then enter those that hold it, outermost first.
    while (focusedControl_ != control) {
        TWinControl* entering = control;
        while (entering->Parent() != focusedControl_) entering = entering->Parent();
        focusedControl_ = entering;
        entering->Perform(CM_ENTER);
        if (model.FocusCount() != count) return false;
    }
    // Every scrolling parent brings the focused control into view.
    for (TWinControl* p = control->Parent(); p != nullptr; p = p->Parent()) {
        if (auto* scrolling = dynamic_cast<TScrollingWinControl*>(p)) {
            if (!ComponentState().Contains(csLoading)) scrolling->ScrollInView(control);
        }
    }
    Perform(CM_FOCUSCHANGED, 0, FocusedControlParam(control));
    return true;
}

bool TCustomForm::IsShortCut(TKeyCode key, TShiftState shift) {
    bool handled = false;
    if (OnShortCut) OnShortCut(key, shift, handled);
    if (handled) return true;
    // A handler may add or remove handlers: walk a copy.
    const auto handlers = shortCutHandlers_;
    for (const auto& entry : handlers) {
        if (entry.second(key, shift)) return true;
    }
    return false;
}

void TCustomForm::AddShortCutHandler(const void* owner, TShortCutHandler handler) {
    RemoveShortCutHandler(owner);
    shortCutHandlers_.emplace_back(owner, std::move(handler));
}

void TCustomForm::RemoveShortCutHandler(const void* owner) {
    std::erase_if(shortCutHandlers_, [owner](const auto& entry) { return entry.first == owner; });
}

void TCustomForm::Activate() {
    if (OnActivate) OnActivate(this);
}

void TCustomForm::Deactivate() {
    if (OnDeactivate) OnDeactivate(this);
}

void TCustomForm::MouseWheelHandler(TMessage& message) {
    if (focusedControl_ != nullptr && focusedControl_ != this) {
        message.Result = focusedControl_->Perform(CM_MOUSEWHEEL, message.WParam, message.LParam);
    } else {
        message.Result = Perform(CM_MOUSEWHEEL, message.WParam, message.LParam);
    }
}

// ---- messages

void TCustomForm::Dispatch(TMessage& message) {
    switch (message.Msg) {
        case CM_SHOWINGCHANGED:
            if (Showing()) {
                if (!positioned_) {
                    positioned_ = true;
                    ApplyPosition();
                }
                formState_.Include(fsShowing);
                DoShow();
                TScrollingWinControl::Dispatch(message);
            } else {
                DoHide();
                TScrollingWinControl::Dispatch(message);
                formState_.Exclude(fsShowing);
                FocusModel().FormHidden(this);
            }
            return;
        case CM_ACTIVATE:
            active_ = true;
            Activate();
            return;
        case CM_DEACTIVATE:
            active_ = false;
            Deactivate();
            return;
        case CM_DIALOGKEY:
            if (GetKeyState(VK_MENU) >= 0) {
                const auto key = static_cast<int>(KeyParamsOf(message).key);
                if (key == VK_TAB && GetKeyState(VK_CONTROL) >= 0) {
                    SelectNext(activeControl_, GetKeyState(VK_SHIFT) >= 0, true);
                    message.Result = 1;
                    return;
                }
                if (key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN) {
                    if (activeControl_ != nullptr && activeControl_->Parent() != nullptr) {
                        activeControl_->Parent()->SelectNext(
                            activeControl_, key == VK_RIGHT || key == VK_DOWN, false);
                        message.Result = 1;
                    }
                    return;
                }
            }
            TScrollingWinControl::Dispatch(message);
            return;
        case CM_TEXTCHANGED:
            TScrollingWinControl::Dispatch(message);
            if (Window(kFrameworkKey).host != nullptr) UpdateFormHost(*this);
            return;
        case WM_CLOSE: Close(); return;
        case CM_RELEASE: delete this; return;
        default: TScrollingWinControl::Dispatch(message); return;
    }
}

}  // namespace dsp
