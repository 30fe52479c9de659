#pragma once
// Framework-internal: the window behind a TWinControl (its handle, its native window when it
// shows, its pixels and what of them waits to be painted), and the paint cycle that keeps the
// pixels current. Only code inside framework/ includes it.

#include <QImage>
#include <QRegion>

#include <functional>
#include <memory>
#include <optional>

#include "framework/controls/WinControl.h"
#include "framework/graphics/CanvasQt.h"

class QWidget;

namespace dsp {

class TWindowHost;
struct TTopLevelFeatures;

struct TWindowImpl {
    explicit TWindowImpl(TWinControl& owner) : control(owner) {}

    TWinControl& control;
    HWND handle{};
    // The native window, made when the control first shows; owned by the parent's native
    // window (a form's by this state).
    TWindowHost* host = nullptr;
    // A form's top-level window, holding its menu bar and its client window (host).
    QWidget* frame = nullptr;
    // Makes a form's menu bar inside the frame, whenever the frame is made.
    std::function<QWidget*(QWidget* frame)> menuBarFactory;
    QWidget* menuBar = nullptr;
    // A form's top-level window features (TopLevelWindow.h), made when one is first set.
    std::shared_ptr<TTopLevelFeatures> topLevel;
    bool showing = false;
    // The window's pixels (client area), made at the first paint.
    QImage surface;
    // What waits to be painted, and the part of it to be erased first (client coordinates).
    QRegion invalid;
    QRegion erase;
    bool painting = false;

    // Marks a part of the client area for painting and asks the native window to show it.
    void Invalidate(const QRegion& region, bool withErase);
    // Runs the paint cycle over what is marked, if anything: WM_ERASEBKGND, WM_PAINT.
    void PaintPending();
    // Makes the pixels the size of the client area; true when they were made afresh.
    bool EnsureSurface();
    void DropSurface();
    // Asks the native window to show the pixels again (after drawing outside a paint).
    void Flush();
    void Flush(const QRegion& region);
};

// The surface a control's canvas draws on outside a paint: the window's own pixels for a
// windowed control, the parent's pixels clipped to the control for a windowless one; none
// when the control does not show.
std::optional<TCanvasSurface> OutsidePaintSurface(TControl& control);

// Asks the window that holds a control's pixels to show them again.
void FlushControl(TControl& control);

}  // namespace dsp
