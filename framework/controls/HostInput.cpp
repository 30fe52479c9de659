#include "framework/controls/HostInput.h"

#include <QCoreApplication>
#include <QCursor>
#include <QInputMethodEvent>
#include <QPointer>
#include <QWheelEvent>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <exception>

#include "framework/controls/FocusModel.h"
#include "framework/controls/Form.h"
#include "framework/controls/HintControl.h"
#include "framework/controls/InputState.h"
#include "framework/controls/KeyMap.h"
#include "framework/controls/KeyMapQt.h"
#include "framework/controls/MessageParams.h"
#include "framework/controls/TopLevelWindow.h"
#include "framework/controls/WindowHost.h"
#include "framework/controls/WindowImpl.h"
#include "framework/core/FrameworkAccess.h"
#include "framework/desktop/CursorQt.h"
#include "framework/runtime/MainThread.h"

namespace dsp {

namespace {

const QKeyEvent* currentKeyEvent = nullptr;

// The double-click area of the classic platform: a second quick press farther than this from
// the first (in either direction) is a press of its own, so two quick clicks on two controls
// are two clicks. The toolkit measures only the time.
constexpr int kDoubleClickSlop = 2;
QPointF lastPress(-1e9, -1e9);

class TCurrentKeyEvent {
public:
    explicit TCurrentKeyEvent(const QKeyEvent* event) : previous_(currentKeyEvent) {
        currentKeyEvent = event;
    }
    ~TCurrentKeyEvent() { currentKeyEvent = previous_; }
    TCurrentKeyEvent(const TCurrentKeyEvent&) = delete;
    TCurrentKeyEvent& operator=(const TCurrentKeyEvent&) = delete;

private:
    const QKeyEvent* previous_;
};

// A control takes input when its form does and it and its parents are enabled.
bool TakesInput(const TControl& control) {
    for (const TControl* c = &control; c != nullptr; c = c->Parent()) {
        if (!c->Enabled()) return false;
    }
    const TCustomForm* form = GetParentForm(&control);
    return form != nullptr && FormTakesInput(form);
}

unsigned MouseKeys(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    unsigned keys = 0;
    if (buttons & Qt::LeftButton) keys |= MK_LBUTTON;
    if (buttons & Qt::RightButton) keys |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton) keys |= MK_MBUTTON;
    if (modifiers & Qt::ShiftModifier) keys |= MK_SHIFT;
    if (modifiers & Qt::ControlModifier) keys |= MK_CONTROL;
    return keys;
}

// The message of a button event, and the virtual key of the button.
bool ButtonMessage(const QMouseEvent& event, unsigned& msg, int& virtualKey) {
    unsigned base = 0;
    switch (event.button()) {
        case Qt::LeftButton:
            base = WM_LBUTTONDOWN;
            virtualKey = VK_LBUTTON;
            break;
        case Qt::RightButton:
            base = WM_RBUTTONDOWN;
            virtualKey = VK_RBUTTON;
            break;
        case Qt::MiddleButton:
            base = WM_MBUTTONDOWN;
            virtualKey = VK_MBUTTON;
            break;
        default: return false;
    }
    switch (event.type()) {
        case QEvent::MouseButtonPress: msg = base; break;
        case QEvent::MouseButtonRelease: msg = base + 1; break;
        case QEvent::MouseButtonDblClick: msg = base + 2; break;
        default: return false;
    }
    return true;
}

// A click in a form that is not active activates it first, unless the form shows without
// activation.
void ActivateOnClick(TWinControl& control) {
    TCustomForm* form = GetParentForm(&control);
    if (form != nullptr && ActiveForm() != form && form->Showing() &&
        !ShowsWithoutActivation(*form)) {
        FocusModel().ActivateForm(form);
    }
}

void DeliverWheel(TWinControl& control, QWheelEvent* event) {
    event->accept();
    SyncModifierKeys(event->modifiers());
    if (!TakesInput(control)) return;
    const int delta =
        event->angleDelta().y() != 0 ? event->angleDelta().y() : event->angleDelta().x();
    if (delta == 0) return;
    const QPointF position = event->position();
    const TPoint screen =
        control.ClientToScreen({static_cast<int>(position.x()), static_cast<int>(position.y())});
    const unsigned keys = MouseKeys(event->buttons(), event->modifiers());
    control.Perform(MakeWheelMessage(WM_MOUSEWHEEL, keys, delta, screen));
}

// A top-level window the window manager moved or resized: the form takes the place of the
// window's client area (its menu bar and client window, without the decoration the window
// manager adds), and leaves the window where it is.
void FollowNativeGeometry(TCustomForm& form, TFormFrame& frame) {
    if (!frame.isVisible() || frame.Placing() || frame.Following()) return;
    const QRect native = frame.geometry();
    const int menu = form.MenuBarHeight();
    const TPoint origin = form.ClientOrigin();
    const TSize client = form.WindowClientSize();
    const int dx = native.x() - origin.X;
    const int dy = native.y() + menu - origin.Y;
    const int dw = native.width() - client.cx;
    const int dh = std::max(native.height() - menu, 0) - client.cy;
    if (dx == 0 && dy == 0 && dw == 0 && dh == 0) return;
    frame.BeginFollowing();
    struct TEnd {
        TFormFrame& frame;
        ~TEnd() { frame.EndFollowing(); }
    } end{frame};
    form.SetBounds(form.Left() + dx, form.Top() + dy, form.Width() + dw, form.Height() + dh);
}

// The window manager minimized, maximized or restored the window: the form follows.
void FollowNativeState(TCustomForm& form, const TFormFrame& frame) {
    const Qt::WindowStates native = frame.windowState();
    TWindowState state = wsNormal;
    if (native & Qt::WindowMinimized) {
        state = wsMinimized;
    } else if (native & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
        state = wsMaximized;
    }
    form.WindowStateFollowed(state);
}

// The control under the mouse: the innermost one showing at that point of the control's form,
// windowless ones included; null outside the form's client area.
TControl* ControlUnderMouse(TWinControl& control, TPoint pos) {
    TCustomForm* form = GetParentForm(&control);
    if (form == nullptr) return &control;
    TPoint p = form->ScreenToClient(control.ClientToScreen(pos));
    if (!PtInRect(form->ClientRect(), p)) return nullptr;
    TWinControl* parent = form;
    for (;;) {
        TControl* child = parent->ControlAtPos(p, true, true);
        if (child == nullptr) return parent;
        p = {p.X - child->Left(), p.Y - child->Top()};
        auto* windowed = dynamic_cast<TWinControl*>(child);
        if (windowed == nullptr) return child;
        parent = windowed;
    }
}

void DeliverCharacters(TWinControl& target, const QString& text, bool alt, LPARAM data) {
    const HWND handle = target.Handle();
    auto alive = [&] { return FindControl(handle) == &target; };
    for (const QChar ch : text) {
        const char16_t unit = ch.unicode();
        if (unit == 0x7F || !alive()) continue;
        if (alt) {
            target.Perform(MakeCharMessage(CN_SYSCHAR, unit, data));
        } else if (target.Perform(MakeCharMessage(CN_CHAR, unit, data)) == 0 && alive()) {
            target.Perform(MakeCharMessage(WM_CHAR, unit, data));
        }
    }
}

void DeliverInputMethodEvent(TWinControl& target, QInputMethodEvent* event) {
    // An input method (Chinese names, say) hands over whole composed text; the framework's
    // controls take it as the characters a keyboard would have typed.
    event->accept();
    if (event->commitString().isEmpty() || !TakesInput(target)) return;
    HintInputPressed();
    DeliverCharacters(target, event->commitString(), false, MakeKeyData(false, false, false));
}

// A popup window takes the pointer as it shows: the press that may have opened it ends without
// its release, so nobody keeps the capture.
class TPopupWatch : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Show || !watched->isWidgetType()) return false;
        const auto* widget = static_cast<const QWidget*>(watched);
        if (!widget->isWindow() || widget->windowType() != Qt::Popup) return false;
        try {
            TInputState& input = Input();
            ++input.popupsOpened;
            if (TControl* capture = input.captureControl) capture->Perform(WM_CANCELMODE);
        } catch (...) {
            HandleUnexpectedException(std::current_exception());
        }
        return false;
    }
};

}  // namespace

void WatchToolkitPopups() {
    static QPointer<QObject> watch;
    QCoreApplication* application = QCoreApplication::instance();
    if (watch != nullptr || application == nullptr) return;
    watch = new TPopupWatch(application);
    application->installEventFilter(watch);
}

const QKeyEvent* CurrentKeyEvent() { return currentKeyEvent; }

void ApplyHostCursor(TControl& control) {
    auto* windowed = dynamic_cast<TWinControl*>(&control);
    TWinControl* holder = windowed != nullptr ? windowed : control.Parent();
    if (holder == nullptr || holder->Window(kFrameworkKey).host == nullptr) return;
    const TCursor cursor = control.Cursor() != crDefault ? control.Cursor() : holder->Cursor();
    holder->Window(kFrameworkKey).host->setCursor(ToQCursor(cursor));
}

void SetMouseControl(TControl* control) {
    TInputState& input = Input();
    TControl* old = input.mouseControl;
    if (old == control) return;
    input.mouseControl = control;
    if (old != nullptr) {
        old->Perform(CM_MOUSELEAVE);
        // The cursor of a windowless control was shown on its parent's window.
        if (Input().mouseControl != old && dynamic_cast<TWinControl*>(old) == nullptr &&
            old->Parent() != nullptr) {
            ApplyHostCursor(*old->Parent());
        }
    }
    if (control != nullptr && Input().mouseControl == control) {
        control->Perform(CM_MOUSEENTER);
        if (Input().mouseControl == control) ApplyHostCursor(*control);
    }
}

void DeliverMouseEvent(TWinControl& control, QMouseEvent* event) {
    event->accept();
    SyncModifierKeys(event->modifiers());
    const TPoint pos{static_cast<int>(event->position().x()),
                     static_cast<int>(event->position().y())};
    unsigned msg = WM_MOUSEMOVE;
    int virtualKey = 0;
    if (event->type() != QEvent::MouseMove) {
        if (!ButtonMessage(*event, msg, virtualKey)) return;
        SetKeyState(kFrameworkKey, virtualKey, event->type() != QEvent::MouseButtonRelease);
        if (event->type() != QEvent::MouseButtonRelease) {
            const QPointF at = event->globalPosition();
            if (event->type() == QEvent::MouseButtonDblClick &&
                (std::abs(at.x() - lastPress.x()) > kDoubleClickSlop ||
                 std::abs(at.y() - lastPress.y()) > kDoubleClickSlop)) {
                msg -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
            }
            lastPress = at;
        }
    }
    if (!TakesInput(control)) return;
    if (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN ||
        msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK) {
        HintInputPressed();
        ActivateOnClick(control);
    }
    // While a control holds the capture it receives every mouse message, in its parent's
    // coordinates when it is windowless (the parent hands it on).
    TWinControl* receiver = &control;
    TPoint p = pos;
    if (TControl* capture = Input().captureControl) {
        auto* windowed = dynamic_cast<TWinControl*>(capture);
        receiver = windowed != nullptr ? windowed : capture->Parent();
        if (receiver == nullptr) receiver = &control;
        p = receiver->ScreenToClient(control.ClientToScreen(pos));
    }
    const unsigned keys = MouseKeys(event->buttons(), event->modifiers());
    receiver->Perform(MakeMouseMessage(msg, keys, p));
    if (msg == WM_MOUSEMOVE && FindControl(control.Window(kFrameworkKey).handle) == &control) {
        TControl* over = ControlUnderMouse(control, pos);
        SetMouseControl(over);
        HintMouseMoved(Input().mouseControl, control.ClientToScreen(pos));
    }
}

void DeliverKeyEvent(TWinControl& target, QKeyEvent* event) {
    event->accept();
    TCurrentKeyEvent current(event);
    SyncModifierKeys(event->modifiers());
    const int virtualKey = VirtualKeyOf(*event);
    const bool alt = (event->modifiers() & Qt::AltModifier) != 0;
    if (event->type() == QEvent::KeyRelease) {
        // Held keys repeat their key-down only, as the platform's keyboard does.
        if (event->isAutoRepeat()) return;
        SetKeyState(kFrameworkKey, virtualKey, false);
        if (virtualKey == 0 || !TakesInput(target)) return;
        target.Perform(MakeKeyMessage(alt ? WM_SYSKEYUP : WM_KEYUP,
                                      static_cast<unsigned>(virtualKey),
                                      MakeKeyData(alt, true, true)));
        return;
    }
    const bool wasDown = virtualKey != 0 && GetKeyState(virtualKey) < 0;
    SetKeyState(kFrameworkKey, virtualKey, true);
    HintInputPressed();
    if (!TakesInput(target)) return;
    const LPARAM data = MakeKeyData(alt, wasDown || event->isAutoRepeat(), false);
    const HWND handle = target.Handle();
    auto alive = [&] { return FindControl(handle) == &target; };
    if (virtualKey != 0) {
        // A dialog key (Tab, arrows, Enter, Escape) or shortcut taken by the form gives no
        // key-down and no character.
        const auto key = static_cast<unsigned>(virtualKey);
        if (target.Perform(MakeKeyMessage(alt ? CN_SYSKEYDOWN : CN_KEYDOWN, key, data)) != 0) {
            return;
        }
        if (!alive()) return;
        target.Perform(MakeKeyMessage(alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, data));
    }
    DeliverCharacters(target, event->text(), alt, data);
}

bool HandleHostEvent(TWinControl& control, TWindowHost&, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
            DeliverMouseEvent(control, static_cast<QMouseEvent*>(event));
            return true;
        case QEvent::Wheel: DeliverWheel(control, static_cast<QWheelEvent*>(event)); return true;
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            // Keys go to the window that has the framework's focus, whichever native window
            // the toolkit gave them to.
            TWinControl* target = FocusedWindow();
            DeliverKeyEvent(target != nullptr ? *target : control, static_cast<QKeyEvent*>(event));
            return true;
        }
        case QEvent::InputMethod: {
            TWinControl* target = FocusedWindow();
            DeliverInputMethodEvent(target != nullptr ? *target : control,
                                    static_cast<QInputMethodEvent*>(event));
            return true;
        }
        default: return false;
    }
}

bool HandleFrameEvent(TCustomForm& form, TFormFrame& frame, QEvent* event) {
    switch (event->type()) {
        case QEvent::Leave:
            if (const TControl* over = Input().mouseControl;
                over != nullptr && GetParentForm(over) == &form) {
                SetMouseControl(nullptr);
                HintMouseMoved(nullptr, {});
            }
            return false;
        case QEvent::Close:
            event->ignore();
            // A form barred by a modal form takes no close request, as it takes no input.
            if (FormTakesInput(&form)) form.Perform(WM_CLOSE);
            return true;
        case QEvent::WindowStateChange: FollowNativeState(form, frame); return false;
        case QEvent::ThemeChange:
            // Every top-level window hears it; the first shown form tells them all.
            for (int i = 0; i < FormCount(); ++i) {
                if (Forms(i)->Window(kFrameworkKey).frame == nullptr) continue;
                if (Forms(i) == &form) BroadcastThemeChanged();
                break;
            }
            return false;
        case QEvent::Resize:
        case QEvent::Move: FollowNativeGeometry(form, frame); return false;
        default: return false;
    }
}

}  // namespace dsp
