#include "framework/graphics/ImageList.h"

#include <QPainter>

#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/core/FrameworkAccess.h"
#include "framework/graphics/BitmapQt.h"
#include "framework/graphics/CanvasImpl.h"

namespace dsp {

struct TImageList::Impl {
    std::vector<QImage> images;  // Format_ARGB32: alpha 0 transparent, 255 opaque
};

namespace {

bool Dark(QRgb p) { return (qRed(p) * 30 + qGreen(p) * 59 + qBlue(p) * 11) / 100 < 128; }

}  // namespace

TImageList::TImageList(TComponent* owner) : TComponent(owner), impl_(std::make_unique<Impl>()) {}

TImageList::~TImageList() = default;

void TImageList::Changed() {
    if (OnChange) OnChange(this);
}

void TImageList::SetSize(int width, int height) {
    width = std::max(1, width);
    height = std::max(1, height);
    if (width == width_ && height == height_) return;
    width_ = width;
    height_ = height;
    impl_->images.clear();
    Changed();
}

int TImageList::Count() const { return static_cast<int>(impl_->images.size()); }

namespace {

// Pieces of the list's size from source; transparent(x, y) in source coordinates decides.
template <typename Transparent>
int AddPieces(std::vector<QImage>& images, const QImage& source, int width, int height,
              Transparent transparent) {
    if (source.isNull() || source.width() < width) return -1;
    const int first = static_cast<int>(images.size());
    for (int left = 0; left + width <= source.width(); left += width) {
        QImage piece(width, height, QImage::Format_ARGB32);
        piece.fill(0);
        for (int y = 0; y < std::min(height, source.height()); ++y) {
            const auto* src = reinterpret_cast<const QRgb*>(source.constScanLine(y));
            auto* dst = reinterpret_cast<QRgb*>(piece.scanLine(y));
            for (int x = 0; x < width; ++x)
                dst[x] = transparent(left + x, y) ? 0u : (src[left + x] | 0xFF000000u);
        }
        images.push_back(std::move(piece));
    }
    return first;
}

}  // namespace

int TImageList::Add(TBitmap* image, TBitmap* mask) {
    if (image == nullptr) return -1;
    const QImage& pixels = image->Internal(kFrameworkKey).image;
    const QImage* maskPixels = mask != nullptr ? &mask->Internal(kFrameworkKey).image : nullptr;
    const int index = AddPieces(impl_->images, pixels, width_, height_, [&](int x, int y) {
        if (maskPixels == nullptr || !maskPixels->valid(x, y)) return false;
        return (reinterpret_cast<const QRgb*>(maskPixels->constScanLine(y))[x] & 0xFFFFFFu) ==
               0xFFFFFFu;
    });
    if (index >= 0) Changed();
    return index;
}

int TImageList::AddMasked(TBitmap* image, TColor maskColor) {
    if (image == nullptr) return -1;
    const QImage& pixels = image->Internal(kFrameworkKey).image;
    if (maskColor == clDefault && !image->Empty())
        maskColor = static_cast<TColor>(image->PixelAt(0, image->Height() - 1));
    const bool keyed = maskColor != clNone && maskColor != clDefault;
    const QRgb key = raster::ToQRgb(ResolveColor(maskColor)) & 0xFFFFFFu;
    const int index = AddPieces(impl_->images, pixels, width_, height_, [&](int x, int y) {
        return keyed &&
               (reinterpret_cast<const QRgb*>(pixels.constScanLine(y))[x] & 0xFFFFFFu) == key;
    });
    if (index >= 0) Changed();
    return index;
}

void TImageList::Delete(int index) {
    if (index < 0 || index >= Count()) throw EListError::IndexOutOfBounds(index);
    impl_->images.erase(impl_->images.begin() + index);
    Changed();
}

void TImageList::Clear() {
    if (impl_->images.empty()) return;
    impl_->images.clear();
    Changed();
}

bool TImageList::GetBitmap(int index, TBitmap* image) const {
    if (image == nullptr || index < 0 || index >= Count()) return false;
    const QImage& piece = impl_->images[static_cast<std::size_t>(index)];
    QImage plain(piece.size(), QImage::Format_RGB32);
    const QRgb back = bkColor_ == clNone ? 0xFFFFFFFFu : raster::ToQRgb(ResolveColor(bkColor_));
    for (int y = 0; y < piece.height(); ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(piece.constScanLine(y));
        auto* dst = reinterpret_cast<QRgb*>(plain.scanLine(y));
        for (int x = 0; x < piece.width(); ++x)
            dst[x] = qAlpha(src[x]) ? (src[x] | 0xFF000000u) : back;
    }
    image->Internal(kFrameworkKey).image = std::move(plain);
    image->Internal(kFrameworkKey).monochrome = false;
    image->PixelsReplaced(kFrameworkKey);
    return true;
}

void TImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) const {
    if (canvas == nullptr || index < 0 || index >= Count()) return;
    TCanvas::Impl& d = canvas->Internal(kFrameworkKey);
    if (!d.Drawable()) return;
    TCanvasChange change(*canvas);
    const QImage& piece = impl_->images[static_cast<std::size_t>(index)];
    raster::Writer w = d.MakeWriter();
    auto put = [&](int dx, int dy, auto colourOf) {
        const QPoint origin = d.ToDevice(x + dx, y + dy);
        for (int py = 0; py < piece.height(); ++py) {
            const auto* src = reinterpret_cast<const QRgb*>(piece.constScanLine(py));
            for (int px = 0; px < piece.width(); ++px) {
                QRgb colour;
                if (colourOf(src[px], colour))
                    w.PutPixel(origin.x() + px, origin.y() + py, colour, raster::R2_COPYPEN);
            }
        }
    };
    if (bkColor_ != clNone) {
        w.SetPaint(d.SolidPaint(ResolveColor(bkColor_)));
        const QPoint o = d.ToDevice(x, y);
        for (int py = 0; py < height_; ++py) w.FillSpan(o.y() + py, o.x(), o.x() + width_);
    }
    if (enabled) {
        put(0, 0, [](QRgb p, QRgb& out) {
            if (qAlpha(p) == 0) return false;
            out = p;
            return true;
        });
        return;
    }
    const QRgb highlight = raster::ToQRgb(ResolveColor(clBtnHighlight));
    const QRgb shadow = raster::ToQRgb(ResolveColor(clBtnShadow));
    put(1, 1, [&](QRgb p, QRgb& out) {
        if (qAlpha(p) == 0 || !Dark(p)) return false;
        out = highlight;
        return true;
    });
    put(0, 0, [&](QRgb p, QRgb& out) {
        if (qAlpha(p) == 0 || !Dark(p)) return false;
        out = shadow;
        return true;
    });
}

}  // namespace dsp
