#include "framework/controls/TopLevelWindow.h"

#include <QtGui/qguiapplication_platform.h>
#include <QBitmap>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <QWindow>

#include <dlfcn.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "framework/controls/Form.h"
#include "framework/controls/TopLevelWindowQt.h"
#include "framework/controls/WindowHost.h"
#include "framework/controls/WindowImpl.h"
#include "framework/core/FrameworkAccess.h"
#include "framework/graphics/GdiPlusQt.h"
#include "framework/graphics/RegionQt.h"

namespace dsp {

struct TTopLevelFeatures {
    bool stayOnTop = false;
    bool noActivate = false;
    std::optional<QRegion> region;  // client coordinates
    bool layered = false;
    TLayeredMode mode = TLayeredMode::Plain;
    QImage picture;   // as handed over, premultiplied ARGB
    QImage composed;  // as the window shows it: premultiplied ARGB, or RGB32 when opaque
    std::optional<QRegion> shape;  // the part of the client area that belongs to the window
    QPointer<QWidget> view;
};

namespace {

std::optional<TLayeredMode>& ForcedMode() {
    static std::optional<TLayeredMode> mode;
    return mode;
}

TTopLevelFeatures& Features(TCustomForm& form) {
    auto& features = form.Window(kFrameworkKey).topLevel;
    if (!features) features = std::make_shared<TTopLevelFeatures>();
    return *features;
}

const TTopLevelFeatures* FindFeatures(const TCustomForm& form) {
    return form.Window(kFrameworkKey).topLevel.get();
}

// ---- X11: is a compositing manager running?

// The X protocol's cookies and replies as libxcb lays them out. libxcb is loaded by the
// toolkit's X11 plugin already; it is looked up at run time so that the program does not need it
// anywhere else.
struct TXcbCookie {
    unsigned sequence;
};
struct TXcbInternAtomReply {
    std::uint8_t responseType;
    std::uint8_t pad0;
    std::uint16_t sequence;
    std::uint32_t length;
    std::uint32_t atom;
};
struct TXcbSelectionOwnerReply {
    std::uint8_t responseType;
    std::uint8_t pad0;
    std::uint16_t sequence;
    std::uint32_t length;
    std::uint32_t owner;
};

// The screen number of the X display ("host:display.screen"), 0 when it names none.
int X11ScreenNumber() {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr) return 0;
    const std::string text(display);
    const auto colon = text.rfind(':');
    const auto dot = text.find('.', colon == std::string::npos ? 0 : colon);
    if (dot == std::string::npos) return 0;
    return std::atoi(text.c_str() + dot + 1);
}

// A compositing manager owns the selection _NET_WM_CM_S<screen> while it runs.
bool X11CompositorRunning() {
#if QT_CONFIG(xcb)
    auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                                   : nullptr;
    if (x11 == nullptr || x11->connection() == nullptr) return false;
    void* library = dlopen("libxcb.so.1", RTLD_LAZY | RTLD_LOCAL);
    if (library == nullptr) return false;
    using InternAtom = TXcbCookie (*)(void*, std::uint8_t, std::uint16_t, const char*);
    using InternAtomReply = TXcbInternAtomReply* (*)(void*, TXcbCookie, void**);
    using GetSelectionOwner = TXcbCookie (*)(void*, std::uint32_t);
    using GetSelectionOwnerReply = TXcbSelectionOwnerReply* (*)(void*, TXcbCookie, void**);
    auto internAtom = reinterpret_cast<InternAtom>(dlsym(library, "xcb_intern_atom"));
    auto internAtomReply =
        reinterpret_cast<InternAtomReply>(dlsym(library, "xcb_intern_atom_reply"));
    auto getOwner = reinterpret_cast<GetSelectionOwner>(dlsym(library, "xcb_get_selection_owner"));
    auto getOwnerReply =
        reinterpret_cast<GetSelectionOwnerReply>(dlsym(library, "xcb_get_selection_owner_reply"));
    bool running = false;
    if (internAtom != nullptr && internAtomReply != nullptr && getOwner != nullptr &&
        getOwnerReply != nullptr) {
        void* connection = x11->connection();
        const std::string name = "_NET_WM_CM_S" + std::to_string(X11ScreenNumber());
        void* error = nullptr;
        TXcbInternAtomReply* atom = internAtomReply(
            connection,
            internAtom(connection, 0, static_cast<std::uint16_t>(name.size()), name.c_str()),
            &error);
        std::free(error);
        error = nullptr;
        if (atom != nullptr && atom->atom != 0) {
            TXcbSelectionOwnerReply* owner =
                getOwnerReply(connection, getOwner(connection, atom->atom), &error);
            std::free(error);
            running = owner != nullptr && owner->owner != 0;
            std::free(owner);
        }
        std::free(atom);
    }
    dlclose(library);
    return running;
#else
    return false;
#endif
}

// ---- the view that shows a layered picture

// A child of the form's frame that covers the client window and shows the composed picture,
// replacing (not blending with) the pixels below it. Mouse input passes through it to the
// client window, so the form hears clicks as before.
class TLayeredView : public QWidget {
public:
    TLayeredView(QWidget* frame, QWidget* host, std::weak_ptr<TTopLevelFeatures> features)
        : QWidget(frame), host_(host), features_(std::move(features)) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setAttribute(Qt::WA_NoSystemBackground);
        host->installEventFilter(this);
        setGeometry(host->geometry());
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == host_ &&
            (event->type() == QEvent::Move || event->type() == QEvent::Resize)) {
            setGeometry(host_->geometry());
        }
        return false;
    }

    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        const auto features = features_.lock();
        const QImage* image = features != nullptr ? &features->composed : nullptr;
        const bool translucent = features != nullptr && features->mode == TLayeredMode::Translucent;
        for (const QRect& r : event->region()) {
            painter.fillRect(r, translucent ? QColor(Qt::transparent) : QColor(Qt::white));
            if (image != nullptr && !image->isNull()) painter.drawImage(r.topLeft(), *image, r);
        }
    }

private:
    QPointer<QWidget> host_;
    std::weak_ptr<TTopLevelFeatures> features_;
};

QSize ClientSize(const TCustomForm& form) {
    const TSize size = form.WindowClientSize();
    return {size.cx, size.cy};
}

// Composes the picture for the form's step: the image the window shows and its shape.
void Compose(TCustomForm& form, TTopLevelFeatures& f) {
    const QSize size = ClientSize(form);
    f.shape = f.region;
    if (f.picture.isNull() || size.isEmpty()) {
        f.composed = QImage();
        return;
    }
    if (f.mode == TLayeredMode::Translucent) {
        f.composed = QImage(size, QImage::Format_ARGB32_Premultiplied);
        f.composed.fill(Qt::transparent);
    } else {
        f.composed = QImage(size, QImage::Format_RGB32);
        f.composed.fill(Qt::white);
    }
    {
        QPainter painter(&f.composed);
        painter.drawImage(0, 0, f.picture);
    }
    if (f.mode != TLayeredMode::ShapedOpaque) return;
    // The mask: the picture's pixels of alpha 128 and above.
    QImage mask(size, QImage::Format_MonoLSB);
    mask.setColorCount(2);
    mask.setColor(0, qRgb(255, 255, 255));
    mask.setColor(1, qRgb(0, 0, 0));
    mask.fill(0);
    const int width = std::min(size.width(), f.picture.width());
    const int height = std::min(size.height(), f.picture.height());
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(f.picture.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            if (qAlpha(line[x]) >= 128) mask.setPixel(x, y, 1);
        }
    }
    QRegion shape(QBitmap::fromImage(mask, Qt::MonoOnly | Qt::ThresholdDither));
    if (f.region) shape &= *f.region;
    f.shape = shape;
}

// Brings the frame's view and mask in line with the features.
void SyncFrame(TCustomForm& form, TTopLevelFeatures& f) {
    TWindowImpl& window = form.Window(kFrameworkKey);
    QWidget* frame = window.frame;
    QWidget* host = window.host;
    if (frame == nullptr || host == nullptr) return;
    if (f.layered) {
        if (f.view == nullptr) {
            f.view = new TLayeredView(frame, host, window.topLevel);
            f.view->show();
        }
        f.view->raise();
        f.view->update();
    } else if (f.view != nullptr) {
        delete f.view.data();
    }
    if (f.shape) {
        frame->setMask(f.shape->translated(host->pos()));
    } else {
        frame->clearMask();
    }
}

void Refresh(TCustomForm& form) {
    TTopLevelFeatures& f = Features(form);
    Compose(form, f);
    SyncFrame(form, f);
}

}  // namespace

// ---- the desktop's step

TLayeredMode DesktopLayeredMode() {
    if (ForcedMode()) return *ForcedMode();
    const QString platform = QGuiApplication::platformName();
    if (platform.startsWith(QLatin1String("wayland"))) return TLayeredMode::Translucent;
    if (platform == QLatin1String("xcb")) {
        return X11CompositorRunning() ? TLayeredMode::Translucent : TLayeredMode::ShapedOpaque;
    }
    // The headless platform keeps every window's pixels with their alpha.
    if (platform == QLatin1String("offscreen")) return TLayeredMode::Translucent;
    return TLayeredMode::Plain;
}

void ForceLayeredMode(std::optional<TLayeredMode> mode) { ForcedMode() = mode; }

// ---- the features

void ApplyTopLevelFeatures(TCustomForm& form, QWidget& frame, Qt::WindowFlags& flags) {
    if (!form.Window(kFrameworkKey).topLevel) return;
    TTopLevelFeatures& f = *form.Window(kFrameworkKey).topLevel;
    if (f.stayOnTop) flags |= Qt::WindowStaysOnTopHint;
    if (f.noActivate) flags |= Qt::WindowDoesNotAcceptFocus;
    frame.setAttribute(Qt::WA_ShowWithoutActivating, f.noActivate);
    if (f.layered && f.mode == TLayeredMode::Translucent &&
        !frame.testAttribute(Qt::WA_WState_Created)) {
        frame.setAttribute(Qt::WA_TranslucentBackground);
    }
    // A frame made after the features were set gets its view and shape now.
    SyncFrame(form, f);
}

void SetStayOnTop(TCustomForm& form, bool value) {
    TTopLevelFeatures& f = Features(form);
    if (f.stayOnTop == value) return;
    f.stayOnTop = value;
    UpdateFormHost(form);
}

bool StaysOnTop(const TCustomForm& form) {
    const TTopLevelFeatures* f = FindFeatures(form);
    return f != nullptr && f->stayOnTop;
}

void SetShowWithoutActivation(TCustomForm& form, bool value) {
    TTopLevelFeatures& f = Features(form);
    if (f.noActivate == value) return;
    f.noActivate = value;
    UpdateFormHost(form);
}

bool ShowsWithoutActivation(const TCustomForm& form) {
    const TTopLevelFeatures* f = FindFeatures(form);
    return f != nullptr && f->noActivate;
}

void SetWindowRegion(TCustomForm& form, const TRegion* region) {
    TTopLevelFeatures& f = Features(form);
    if (region != nullptr) {
        f.region = region->Data().region;
    } else {
        f.region.reset();
    }
    Refresh(form);
}

bool HasWindowRegion(const TCustomForm& form) {
    const TTopLevelFeatures* f = FindFeatures(form);
    return f != nullptr && f->region.has_value();
}

void SetLayered(TCustomForm& form, bool layered) {
    TTopLevelFeatures& f = Features(form);
    f.layered = layered;
    if (!layered) {
        f.mode = TLayeredMode::Plain;
        f.picture = QImage();
        Refresh(form);
        return;
    }
    TLayeredMode mode = DesktopLayeredMode();
    QWidget* frame = form.Window(kFrameworkKey).frame;
    if (mode == TLayeredMode::Translucent && frame != nullptr &&
        frame->testAttribute(Qt::WA_WState_Created) &&
        !frame->testAttribute(Qt::WA_TranslucentBackground)) {
        mode = TLayeredMode::ShapedOpaque;
    }
    f.mode = mode;
    UpdateFormHost(form);
    Refresh(form);
}

bool IsLayered(const TCustomForm& form) {
    const TTopLevelFeatures* f = FindFeatures(form);
    return f != nullptr && f->layered;
}

TLayeredMode LayeredMode(const TCustomForm& form) {
    const TTopLevelFeatures* f = FindFeatures(form);
    return f != nullptr && f->layered ? f->mode : TLayeredMode::Plain;
}

void UpdateLayeredImage(TCustomForm& form, Gdiplus::GpImage* image) {
    TTopLevelFeatures& f = Features(form);
    const QImage* pixels = Gdiplus::ImagePixels(image);
    if (!f.layered || pixels == nullptr) return;
    f.picture = pixels->convertToFormat(QImage::Format_ARGB32_Premultiplied);
    Refresh(form);
}

TComposedWindowImage ComposedLayeredImage(const TCustomForm& form) {
    TComposedWindowImage result;
    const TTopLevelFeatures* f = FindFeatures(form);
    if (f == nullptr || !f->layered || f->composed.isNull()) return result;
    const QImage straight = f->composed.convertToFormat(QImage::Format_ARGB32);
    result.width = straight.width();
    result.height = straight.height();
    const auto count = static_cast<std::size_t>(result.width) * result.height;
    result.pixels.resize(count);
    result.inside.resize(count);
    std::size_t i = 0;
    for (int y = 0; y < result.height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(straight.constScanLine(y));
        for (int x = 0; x < result.width; ++x, ++i) {
            const bool inside = !f->shape || f->shape->contains(QPoint(x, y));
            result.inside[i] = inside;
            result.pixels[i] = inside ? line[x] : 0u;
        }
    }
    return result;
}

bool WaitForWindowExposed(TCustomForm& form, int capMs) {
    QWidget* frame = form.Window(kFrameworkKey).frame;
    if (frame == nullptr || !frame->isVisible()) return false;
    auto exposed = [frame] {
        QWindow* window = frame->windowHandle();
        return window != nullptr && window->isExposed();
    };
    if (!exposed()) {
        QEventLoop loop;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (exposed()) loop.quit();
        });
        poll.start(2);
        QTimer::singleShot(std::max(capMs, 0), &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (!exposed()) return false;
    frame->repaint();
    return true;
}

}  // namespace dsp
