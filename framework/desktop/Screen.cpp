#include "framework/desktop/Screen.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <algorithm>
#include <climits>
#include <cmath>

#include "framework/core/FrameworkAccess.h"
#include "framework/desktop/CursorQt.h"
#include "framework/desktop/ScreenQt.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/BitmapQt.h"

namespace dsp {

namespace {

TRect ToRect(const QRect& r) { return Bounds(r.x(), r.y(), r.width(), r.height()); }

bool HaveGui() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

QList<QScreen*> HostScreens() {
    if (!HaveGui()) return {};
    QList<QScreen*> screens = QGuiApplication::screens();
    QScreen* primary = QGuiApplication::primaryScreen();
    // The primary monitor is monitor 0, as on the desktops the program was designed for.
    if (primary != nullptr && screens.removeOne(primary)) screens.prepend(primary);
    return screens;
}

long long DistanceSquared(const TRect& r, TPoint p) {
    const long long dx = p.X < r.Left ? r.Left - p.X : (p.X >= r.Right ? p.X - (r.Right - 1) : 0);
    const long long dy = p.Y < r.Top ? r.Top - p.Y : (p.Y >= r.Bottom ? p.Y - (r.Bottom - 1) : 0);
    return dx * dx + dy * dy;
}

}  // namespace

int NearestRectIndex(const std::vector<TRect>& rects, TPoint point) {
    int best = -1;
    long long bestDistance = LLONG_MAX;
    for (std::size_t i = 0; i < rects.size(); ++i) {
        const long long d = DistanceSquared(rects[i], point);
        if (d < bestDistance) {
            bestDistance = d;
            best = static_cast<int>(i);
        }
    }
    return best;
}

int LargestOverlapIndex(const std::vector<TRect>& rects, const TRect& r) {
    int best = -1;
    long long bestArea = 0;
    for (std::size_t i = 0; i < rects.size(); ++i) {
        const TRect common = IntersectRect(rects[i], NormalizeRect(r));
        const long long area = static_cast<long long>(common.Width()) * common.Height();
        if (area > bestArea) {
            bestArea = area;
            best = static_cast<int>(i);
        }
    }
    return best;
}

TScreen::TScreen(TComponent* owner) : TComponent(owner), impl_(std::make_unique<Impl>()) {}

TScreen::~TScreen() = default;

void TScreen::RefreshMonitors() const {
    const QList<QScreen*> screens = HostScreens();
    auto& monitors = impl_->monitors;
    while (monitors.size() < static_cast<std::size_t>(screens.size()))
        monitors.push_back(std::make_unique<TMonitor>());
    for (int i = 0; i < screens.size(); ++i) {
        TMonitor& m = *monitors[static_cast<std::size_t>(i)];
        m.monitorNum_ = i;
        m.primary_ = i == 0;
        m.bounds_ = ToRect(screens[i]->geometry());
        m.workarea_ = ToRect(screens[i]->availableGeometry());
        m.pixelsPerInch_ = static_cast<int>(std::lround(screens[i]->logicalDotsPerInch()));
    }
    impl_->monitorCount = static_cast<int>(screens.size());
}

int TScreen::MonitorCount() const {
    RefreshMonitors();
    return impl_->monitorCount;
}

TMonitor* TScreen::Monitors(int index) const {
    RefreshMonitors();
    if (index < 0 || index >= impl_->monitorCount) throw EListError::IndexOutOfBounds(index);
    return impl_->monitors[static_cast<std::size_t>(index)].get();
}

TMonitor* TScreen::PrimaryMonitor() const {
    RefreshMonitors();
    return impl_->monitorCount > 0 ? impl_->monitors[0].get() : nullptr;
}

int TScreen::Width() const {
    const TMonitor* m = PrimaryMonitor();
    return m ? m->Width() : 0;
}

int TScreen::Height() const {
    const TMonitor* m = PrimaryMonitor();
    return m ? m->Height() : 0;
}

TRect TScreen::WorkAreaRect() const {
    const TMonitor* m = PrimaryMonitor();
    return m ? m->WorkareaRect() : TRect{};
}

int TScreen::PixelsPerInch() const {
    const TMonitor* m = PrimaryMonitor();
    return m ? m->PixelsPerInch() : 96;
}

TRect TScreen::DesktopRect() const {
    RefreshMonitors();
    TRect all;
    for (int i = 0; i < impl_->monitorCount; ++i)
        all = UnionRect(all, impl_->monitors[static_cast<std::size_t>(i)]->BoundsRect());
    return all;
}

namespace {

TMonitor* Fallback(const TScreen& screen, TMonitorDefaultTo fallback, int nearest) {
    switch (fallback) {
        case mdNull: return nullptr;
        case mdPrimary: return screen.PrimaryMonitor();
        case mdNearest: return nearest >= 0 ? screen.Monitors(nearest) : nullptr;
    }
    return nullptr;
}

}  // namespace

TMonitor* TScreen::MonitorFromPoint(TPoint point, TMonitorDefaultTo fallback) const {
    RefreshMonitors();
    std::vector<TRect> rects;
    for (int i = 0; i < impl_->monitorCount; ++i) {
        const TRect& r = impl_->monitors[static_cast<std::size_t>(i)]->BoundsRect();
        if (PtInRect(r, point)) return impl_->monitors[static_cast<std::size_t>(i)].get();
        rects.push_back(r);
    }
    return Fallback(*this, fallback, NearestRectIndex(rects, point));
}

TMonitor* TScreen::MonitorFromRect(const TRect& rect, TMonitorDefaultTo fallback) const {
    RefreshMonitors();
    std::vector<TRect> rects;
    for (int i = 0; i < impl_->monitorCount; ++i)
        rects.push_back(impl_->monitors[static_cast<std::size_t>(i)]->BoundsRect());
    const int overlap = LargestOverlapIndex(rects, rect);
    if (overlap >= 0) return impl_->monitors[static_cast<std::size_t>(overlap)].get();
    const TRect n = NormalizeRect(rect);
    const TPoint centre{n.Left + n.Width() / 2, n.Top + n.Height() / 2};
    return Fallback(*this, fallback, NearestRectIndex(rects, centre));
}

void TScreen::SetCursor(TCursor value) {
    if (value == cursor_) return;
    cursor_ = value;
    if (!HaveGui()) return;
    if (value == crDefault) {
        if (impl_->overriding) QGuiApplication::restoreOverrideCursor();
        impl_->overriding = false;
    } else if (impl_->overriding) {
        QGuiApplication::changeOverrideCursor(ToQCursor(value));
    } else {
        QGuiApplication::setOverrideCursor(ToQCursor(value));
        impl_->overriding = true;
    }
}

void TScreen::SetCursors(TCursor index, const TBitmap* picture, TPoint hotSpot) {
    if (picture == nullptr || picture->Empty()) {
        impl_->registeredCursors.erase(index);
        return;
    }
    QImage image = picture->Internal(kFrameworkKey).image.convertToFormat(QImage::Format_ARGB32);
    if (picture->Transparent()) {
        const TColorRef key = picture->TransparentMode() == tmFixed
                                  ? ResolveColor(picture->TransparentColor())
                                  : picture->PixelAt(0, picture->Height() - 1);
        const QRgb keyRgb = qRgb(GetRValue(key), GetGValue(key), GetBValue(key));
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                if ((line[x] & 0xFFFFFFu) == (keyRgb & 0xFFFFFFu)) line[x] = 0;
        }
    }
    impl_->registeredCursors[index] = QCursor(QPixmap::fromImage(image), hotSpot.X, hotSpot.Y);
}

bool TScreen::HasCursor(TCursor index) const { return impl_->registeredCursors.count(index) != 0; }

namespace {
TScreen screenInstance(nullptr);
}  // namespace

TScreen* Screen = &screenInstance;

bool GetCursorPos(TPoint& point) {
    if (!HaveGui()) return false;
    const QPoint p = QCursor::pos();
    point = {p.x(), p.y()};
    return true;
}

TPoint CursorPos() {
    TPoint p;
    GetCursorPos(p);
    return p;
}

bool SetCursorPos(int x, int y) {
    if (!HaveGui()) return false;
    QCursor::setPos(x, y);
    return true;
}

}  // namespace dsp
