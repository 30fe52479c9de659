#include "framework/controls/WindowHost.h"

#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <QWindow>

#include <exception>

#include "framework/controls/FocusModel.h"
#include "framework/controls/Form.h"
#include "framework/controls/HostInput.h"
#include "framework/controls/TopLevelWindowQt.h"
#include "framework/controls/WindowImpl.h"
#include "framework/core/FrameworkAccess.h"
#include "framework/desktop/DialogParentQt.h"
#include "framework/runtime/MainThread.h"

namespace dsp {

namespace {

// Qt's window flags for a form's frame.
Qt::WindowFlags FormWindowFlags(const TCustomForm& form) {
    Qt::WindowFlags flags = Qt::Window;
    switch (form.BorderStyle()) {
        case bsNone: flags |= Qt::FramelessWindowHint; break;
        case bsToolWindow:
        case bsSizeToolWin: flags = Qt::Tool; break;
        case bsDialog: flags = Qt::Dialog; break;
        default: break;
    }
    if (form.BorderStyle() != bsNone) {
        flags |= Qt::WindowTitleHint | Qt::CustomizeWindowHint;
        const TBorderIcons icons = form.BorderIcons();
        if (icons.Contains(biSystemMenu))
            flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        // Dialogs and tool windows are neither minimized nor maximized.
        const bool plain = form.BorderStyle() == bsSingle || form.BorderStyle() == bsSizeable;
        if (plain && icons.Contains(biMinimize)) flags |= Qt::WindowMinimizeButtonHint;
        if (icons.Contains(biMaximize) && form.BorderStyle() == bsSizeable) {
            flags |= Qt::WindowMaximizeButtonHint;
        }
    }
    return flags;
}

bool IsSizeable(const TCustomForm& form) {
    return form.BorderStyle() == bsSizeable || form.BorderStyle() == bsSizeToolWin;
}

// Dialogs shown over a window find its native window through its handle.
const bool kDialogParentsResolved = [] {
    SetWindowWidgetResolver([](HWND handle) -> QWidget* {
        TWinControl* control = FindControl(handle);
        QWidget* host = control != nullptr ? control->Window(kFrameworkKey).host : nullptr;
        return host != nullptr ? host->window() : nullptr;
    });
    return true;
}();

}  // namespace

TWindowHost::TWindowHost(TWinControl& control, QWidget* parent)
    : QWidget(parent), control_(control) {
    // The pixels come from the control's own paint cycle; Qt paints no background.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    // The focused control's window takes composed text from an input method.
    setAttribute(Qt::WA_InputMethodEnabled);
}

TWindowHost::~TWindowHost() = default;

void TWindowHost::paintEvent(QPaintEvent* event) {
    TWindowImpl& window = control_.Window(kFrameworkKey);
    try {
        window.PaintPending();
    } catch (...) {
        HandleUnexpectedException(std::current_exception());
    }
    QPainter painter(this);
    if (window.surface.isNull()) {
        painter.fillRect(event->rect(), Qt::white);
        return;
    }
    for (const QRect& r : event->region()) painter.drawImage(r.topLeft(), window.surface, r);
}

bool TWindowHost::event(QEvent* event) {
    try {
        if (HandleHostEvent(control_, *this, event)) return true;
    } catch (...) {
        HandleUnexpectedException(std::current_exception());
        return true;
    }
    return QWidget::event(event);
}

void CreateHost(TWindowImpl& window) {
    if (window.host != nullptr) return;
    WatchToolkitPopups();
    TWinControl& control = window.control;
    QWidget* parentWidget = nullptr;
    auto* form = dynamic_cast<TCustomForm*>(&control);
    if (form != nullptr) {
        window.frame = new TFormFrame(*form);
        parentWidget = window.frame;
    } else if (TWinControl* parent = control.Parent()) {
        parentWidget = parent->Window(kFrameworkKey).host;
        if (parentWidget == nullptr) return;
    }
    auto* host = new TWindowHost(control, parentWidget);
    window.host = host;
    if (form == nullptr && control.Parent() == nullptr) {
        // A window of its own that is not a form (a hint): no frame, no activation.
        host->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint);
        host->setAttribute(Qt::WA_ShowWithoutActivating);
    }
    host->setVisible(false);
    if (form != nullptr) {
        if (window.menuBarFactory) window.menuBar = window.menuBarFactory(window.frame);
        UpdateFormHost(*form);
        host->setVisible(true);  // shown and hidden with its frame
    }
    PlaceHost(window);
    RestackHost(window);
    ApplyHostCursor(control);
}

void DestroyHost(TWindowImpl& window) {
    // The children's native windows live inside this one: they go first.
    for (TWinControl* child : window.control.WinControls()) {
        if (child->Window(kFrameworkKey).host != nullptr) DestroyHost(child->Window(kFrameworkKey));
    }
    if (window.host == nullptr) return;
    TWindowHost* host = window.host;
    QWidget* frame = window.frame;
    window.host = nullptr;
    window.frame = nullptr;
    window.menuBar = nullptr;
    delete host;
    delete frame;
}

void PlaceHost(TWindowImpl& window) {
    TWindowHost* host = window.host;
    if (host == nullptr) return;
    TWinControl& control = window.control;
    struct TPlacing {
        TFormFrame* frame;
        ~TPlacing() {
            if (frame != nullptr) frame->EndPlacing();
        }
    } placing{static_cast<TFormFrame*>(window.frame)};
    if (placing.frame != nullptr) placing.frame->BeginPlacing();
    if (auto* form = dynamic_cast<TCustomForm*>(&control); form != nullptr && window.frame) {
        const TPoint origin = form->ClientOrigin();
        const int menu = form->MenuBarHeight();
        const TSize size = form->WindowClientSize();
        const QSize client(size.cx, size.cy);
        const QSize outer(client.width(), client.height() + menu);
        // The window's client area stands where the form's client origin says (less the menu
        // bar); the decoration is the window manager's. When the form follows the window
        // manager, the window is already there.
        if (!placing.frame->Following()) {
            window.frame->setGeometry(QRect(QPoint(origin.X, origin.Y - menu), outer));
            if (!IsSizeable(*form)) {
                window.frame->setFixedSize(outer);
            } else {
                window.frame->setMinimumSize(0, 0);
                window.frame->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
            }
        }
        if (window.menuBar != nullptr) window.menuBar->setGeometry(0, 0, client.width(), menu);
        host->setGeometry(0, menu, client.width(), client.height());
        return;
    }
    host->setGeometry(control.Left(), control.Top(), control.Width(), control.Height());
}

void ShowHost(TWindowImpl& window, bool show) {
    if (show) {
        if (window.host == nullptr) CreateHost(window);
        if (window.host == nullptr) return;
        PlaceHost(window);
        window.Invalidate(QRegion(window.host->rect()), true);
        if (auto* form = dynamic_cast<TCustomForm*>(&window.control)) ApplyFormWindowState(*form);
        (window.frame != nullptr ? window.frame : window.host)->setVisible(true);
    } else {
        if (window.host != nullptr) {
            (window.frame != nullptr ? window.frame : window.host)->setVisible(false);
        }
        window.DropSurface();
    }
}

void RestackHost(TWindowImpl& window) {
    TWindowHost* host = window.host;
    TWinControl* parent = window.control.Parent();
    if (host == nullptr || parent == nullptr) return;
    const auto& siblings = parent->WinControls();
    bool above = false;
    for (TWinControl* sibling : siblings) {
        if (above && sibling->Window(kFrameworkKey).host != nullptr) {
            host->stackUnder(sibling->Window(kFrameworkKey).host);
            return;
        }
        if (sibling == &window.control) above = true;
    }
    RaiseNativeWindow(host);
}

void RaiseNativeWindow(QWidget* widget) {
    if (widget == nullptr) return;
    widget = widget->window();
    // The headless platform keeps no stacking of top-level windows and says so at each try.
    if (widget->isWindow() && QGuiApplication::platformName() == QLatin1String("offscreen")) {
        return;
    }
    widget->raise();
}

void UpdateFormHost(TCustomForm& form) {
    QWidget* frame = form.Window(kFrameworkKey).frame;
    if (frame == nullptr) return;
    Qt::WindowFlags flags = FormWindowFlags(form);
    ApplyTopLevelFeatures(form, *frame, flags);
    if (frame->windowFlags() != flags) {
        const bool visible = frame->isVisible();
        frame->setWindowFlags(flags);
        if (visible) frame->show();
    }
    frame->setWindowTitle(QString::fromStdString(form.Caption()));
}

void SetFormModalOwner(TCustomForm& form, TCustomForm* owner) {
    TWindowImpl& window = form.Window(kFrameworkKey);
    if (window.host == nullptr) {
        form.HandleNeeded();
        CreateHost(window);
    }
    QWidget* frame = window.frame;
    if (frame == nullptr) return;
    QWidget* ownerFrame = owner != nullptr ? owner->Window(kFrameworkKey).frame : nullptr;
    // Window-modal: the toolkit bars the owner (and its owners), the window manager keeps the
    // form above it and gives the owner's focus to it.
    frame->setWindowModality(owner != nullptr ? Qt::WindowModal : Qt::NonModal);
    QWindow* ownerWindow = nullptr;
    if (ownerFrame != nullptr) {
        ownerFrame->winId();
        ownerWindow = ownerFrame->windowHandle();
    }
    frame->winId();
    if (QWindow* native = frame->windowHandle()) native->setTransientParent(ownerWindow);
}

void ApplyFormWindowState(TCustomForm& form) {
    QWidget* frame = form.Window(kFrameworkKey).frame;
    if (frame == nullptr) return;
    Qt::WindowStates state = frame->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    if (form.WindowState() == wsMinimized) state |= Qt::WindowMinimized;
    if (form.WindowState() == wsMaximized) state |= Qt::WindowMaximized;
    if (state != frame->windowState()) frame->setWindowState(state);
}

void SetFormMenuBar(TCustomForm& form, std::function<QWidget*(QWidget* frame)> factory,
                    int height) {
    TWindowImpl& window = form.Window(kFrameworkKey);
    delete window.menuBar;
    window.menuBar = nullptr;
    window.menuBarFactory = std::move(factory);
    if (window.frame != nullptr && window.menuBarFactory) {
        window.menuBar = window.menuBarFactory(window.frame);
        if (window.menuBar != nullptr) window.menuBar->show();
    }
    form.SetMenuBarHeight(window.menuBarFactory ? height : 0);
    PlaceHost(window);
}

TFormFrame::TFormFrame(TCustomForm& form) : QWidget(nullptr, Qt::Window), form_(form) {
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
}

TFormFrame::~TFormFrame() = default;

bool TFormFrame::event(QEvent* event) {
    try {
        if (HandleFrameEvent(form_, *this, event)) return true;
    } catch (...) {
        HandleUnexpectedException(std::current_exception());
        return true;
    }
    return QWidget::event(event);
}

QWidget* HostWidget(const TWinControl& control) { return control.Window(kFrameworkKey).host; }

}  // namespace dsp
