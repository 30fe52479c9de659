#include "framework/controls/WindowHost.h"

#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include <exception>

#include "framework/controls/FocusModel.h"
#include "framework/controls/Form.h"
#include "framework/controls/HostInput.h"
#include "framework/controls/WindowImpl.h"
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
        if (icons.Contains(biSystemMenu)) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if (icons.Contains(biMinimize)) flags |= Qt::WindowMinimizeButtonHint;
        if (icons.Contains(biMaximize) && form.BorderStyle() == bsSizeable) {
            flags |= Qt::WindowMaximizeButtonHint;
        }
    }
    return flags;
}

bool IsSizeable(const TCustomForm& form) {
    return form.BorderStyle() == bsSizeable || form.BorderStyle() == bsSizeToolWin;
}

}  // namespace

TWindowHost::TWindowHost(TWinControl& control, QWidget* parent)
    : QWidget(parent), control_(control) {
    // The pixels come from the control's own paint cycle; Qt paints no background.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
}

TWindowHost::~TWindowHost() = default;

void TWindowHost::paintEvent(QPaintEvent* event) {
    TWindowImpl& window = control_.Window();
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
    TWinControl& control = window.control;
    QWidget* parentWidget = nullptr;
    if (TWinControl* parent = control.Parent()) {
        parentWidget = parent->Window().host;
        if (parentWidget == nullptr) return;
    }
    auto* host = new TWindowHost(control, parentWidget);
    window.host = host;
    if (auto* form = dynamic_cast<TCustomForm*>(&control)) {
        UpdateFormHost(*form);
    }
    host->setVisible(false);
    PlaceHost(window);
    RestackHost(window);
    ApplyHostCursor(control);
}

void DestroyHost(TWindowImpl& window) {
    // The children's native windows live inside this one: they go first.
    for (TWinControl* child : window.control.WinControls()) {
        if (child->Window().host != nullptr) DestroyHost(child->Window());
    }
    if (window.host == nullptr) return;
    TWindowHost* host = window.host;
    window.host = nullptr;
    delete host;
}

void PlaceHost(TWindowImpl& window) {
    TWindowHost* host = window.host;
    if (host == nullptr) return;
    TWinControl& control = window.control;
    struct TPlacing {
        TWindowHost* host;
        ~TPlacing() { host->EndPlacing(); }
    } placing{host};
    host->BeginPlacing();
    if (auto* form = dynamic_cast<TCustomForm*>(&control)) {
        const TPoint origin = form->ClientOrigin();
        const QSize size(form->ClientWidth(), form->ClientHeight());
        host->setGeometry(QRect(QPoint(origin.X, origin.Y), size));
        if (!IsSizeable(*form)) {
            host->setFixedSize(size);
        } else {
            host->setMinimumSize(0, 0);
            host->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        }
        return;
    }
    host->setGeometry(control.Left(), control.Top(), control.Width(), control.Height());
}

void ShowHost(TWindowImpl& window, bool show) {
    if (show) {
        if (window.host == nullptr) CreateHost(window);
        if (window.host == nullptr) return;
        PlaceHost(window);
        const TSize size = {window.host->width(), window.host->height()};
        window.Invalidate(QRegion(0, 0, size.cx, size.cy), true);
        window.host->setVisible(true);
    } else {
        if (window.host != nullptr) window.host->setVisible(false);
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
        if (above && sibling->Window().host != nullptr) {
            host->stackUnder(sibling->Window().host);
            return;
        }
        if (sibling == &window.control) above = true;
    }
    RaiseNativeWindow(host);
}

void RaiseNativeWindow(QWidget* widget) {
    if (widget == nullptr) return;
    // The headless platform keeps no stacking of top-level windows and says so at each try.
    if (widget->isWindow() && QGuiApplication::platformName() == QLatin1String("offscreen")) {
        return;
    }
    widget->raise();
}

void UpdateFormHost(TCustomForm& form) {
    TWindowHost* host = form.Window().host;
    if (host == nullptr) return;
    const Qt::WindowFlags flags = FormWindowFlags(form);
    if (host->windowFlags() != flags) {
        const bool visible = host->isVisible();
        host->setWindowFlags(flags);
        if (visible) host->show();
    }
    host->setWindowTitle(QString::fromStdString(form.Caption()));
}

QWidget* HostWidget(const TWinControl& control) { return control.Window().host; }

}  // namespace dsp
