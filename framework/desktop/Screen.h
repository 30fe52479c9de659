#pragma once
// The screen: the desktop's size and work area, the monitors, the logical resolution, the
// mouse cursor's position, and the cursor shape that overrides every window while the program
// is busy. One TScreen exists for the program's lifetime, reached through the global Screen;
// it asks the host toolkit at every call, so it always tells the current layout.

#include <memory>
#include <vector>

#include "framework/core/Component.h"
#include "framework/core/FrameworkKey.h"
#include "framework/desktop/Cursors.h"
#include "framework/graphics/Geometry.h"

namespace dsp {

class TBitmap;

// Which monitor a query for a point or rectangle off every monitor gives.
enum TMonitorDefaultTo { mdNearest, mdNull, mdPrimary };

class TMonitor {
public:
    int MonitorNum() const { return monitorNum_; }
    bool Primary() const { return primary_; }
    // The whole monitor, and the part of it that windows may cover (without panels and bars),
    // in desktop coordinates.
    const TRect& BoundsRect() const { return bounds_; }
    const TRect& WorkareaRect() const { return workarea_; }
    int Left() const { return bounds_.Left; }
    int Top() const { return bounds_.Top; }
    int Width() const { return bounds_.Width(); }
    int Height() const { return bounds_.Height(); }
    int PixelsPerInch() const { return pixelsPerInch_; }

private:
    friend class TScreen;
    int monitorNum_ = 0;
    bool primary_ = false;
    TRect bounds_;
    TRect workarea_;
    int pixelsPerInch_ = 96;
};

class TScreen : public TComponent {
public:
    explicit TScreen(TComponent* owner);
    ~TScreen() override;

    // The primary monitor's size, work area and logical resolution.
    int Width() const;
    int Height() const;
    TRect WorkAreaRect() const;
    int WorkAreaLeft() const { return WorkAreaRect().Left; }
    int WorkAreaTop() const { return WorkAreaRect().Top; }
    int WorkAreaWidth() const { return WorkAreaRect().Width(); }
    int WorkAreaHeight() const { return WorkAreaRect().Height(); }
    int PixelsPerInch() const;

    // The rectangle around every monitor.
    TRect DesktopRect() const;
    int DesktopWidth() const { return DesktopRect().Width(); }
    int DesktopHeight() const { return DesktopRect().Height(); }

    // Monitors in the host's order, the primary one first. The objects live as long as the
    // screen; their rectangles are brought up to date at every query.
    int MonitorCount() const;
    TMonitor* Monitors(int index) const;
    TMonitor* PrimaryMonitor() const;
    // The monitor holding the point (or most of the rectangle); off every monitor the nearest
    // one, the primary one or null, as `fallback` says.
    TMonitor* MonitorFromPoint(TPoint point, TMonitorDefaultTo fallback = mdNearest) const;
    TMonitor* MonitorFromRect(const TRect& rect, TMonitorDefaultTo fallback = mdNearest) const;

    // The cursor shown over every window of the program, crDefault for none (each window
    // shows its own). Setting crHourGlass while working and crDefault afterwards is the
    // usual pattern.
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor value);

    // Registers a picture as cursor number `index` (a positive number); its pixels of the
    // bitmap's transparent colour are left out when the bitmap is transparent. Null removes it.
    void SetCursors(TCursor index, const TBitmap* picture, TPoint hotSpot = {});
    bool HasCursor(TCursor index) const;

    struct Impl;
    Impl& Internal(TFrameworkKey) const { return *impl_; }

private:
    void RefreshMonitors() const;

    TCursor cursor_ = crDefault;
    std::unique_ptr<Impl> impl_;
};

// The program's screen.
extern TScreen* Screen;

// The mouse cursor's position in desktop coordinates.
bool GetCursorPos(TPoint& point);
TPoint CursorPos();
// Moves the mouse cursor (tests use it to put the mouse over a control).
bool SetCursorPos(int x, int y);

// Of the rectangles, the index of the one that holds the point, else of the one nearest to it
// (the first of equally near ones); -1 for no rectangles.
int NearestRectIndex(const std::vector<TRect>& rects, TPoint point);
// Of the rectangles, the index of the one that shares the largest area with r (the first of
// equal ones); -1 when none meets r.
int LargestOverlapIndex(const std::vector<TRect>& rects, const TRect& r);

}  // namespace dsp
