#include "framework/graphics/PngImage.h"

#include <QPainter>

#include <algorithm>

#include "framework/core/FrameworkAccess.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/BitmapQt.h"
#include "framework/graphics/CanvasImpl.h"
#include "framework/graphics/PngCodec.h"

namespace dsp {

struct TPngImage::Impl {
    QImage image;  // Format_ARGB32 with alpha, Format_RGB32 without
};

TPngImage::TPngImage() : impl_(std::make_unique<Impl>()) {}
TPngImage::~TPngImage() = default;

void TPngImage::SetCompressionLevel(int value) { level_ = std::clamp(value, 0, 9); }
bool TPngImage::HasAlpha() const { return impl_->image.hasAlphaChannel(); }
bool TPngImage::Empty() const { return impl_->image.isNull(); }
int TPngImage::Width() const { return impl_->image.width(); }
int TPngImage::Height() const { return impl_->image.height(); }

std::uint32_t TPngImage::PixelWithAlpha(int x, int y) const {
    if (!impl_->image.valid(x, y)) return 0;
    const QRgb p = impl_->image.pixel(x, y);
    return (static_cast<std::uint32_t>(qAlpha(p)) << 24) | raster::FromQRgb(p);
}

void TPngImage::Draw(TCanvas* canvas, const TRect& r) {
    if (canvas == nullptr || Empty() || IsRectEmpty(NormalizeRect(r))) return;
    TCanvas::Impl& d = canvas->Internal(kFrameworkKey);
    if (!d.Drawable()) return;
    TCanvasChange change(*canvas);
    const QRegion clip = d.EffectiveClip();
    const QPoint o = d.Offset();
    const QRect target(r.Left + o.x(), r.Top + o.y(), r.Width(), r.Height());
    {
        QPainter painter(d.surface.image);
        painter.setClipRegion(clip);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        // Mirrored when the rectangle is given right to left or bottom to top.
        const QImage& image = impl_->image;
        const QImage shown = (r.Width() < 0 || r.Height() < 0)
                                 ? image.mirrored(r.Width() < 0, r.Height() < 0)
                                 : image;
        painter.drawImage(target.normalized(), shown);
    }
    if (d.surface.monochrome) {
        for (const QRect& part : clip.intersected(target.normalized())) {
            for (int y = part.top(); y <= part.bottom(); ++y) {
                auto* line = reinterpret_cast<QRgb*>(d.surface.image->scanLine(y));
                for (int x = part.left(); x <= part.right(); ++x)
                    line[x] = raster::Quantize(line[x]);
            }
        }
    }
}

void TPngImage::LoadFromBytes(const std::vector<std::uint8_t>& data) {
    impl_->image = data.empty() ? QImage() : png::Decode(data);
    Changed();
}

std::vector<std::uint8_t> TPngImage::SaveToBytes() const {
    if (Empty()) return {};
    return png::Encode(impl_->image, level_);
}

void TPngImage::Assign(TPersistent* source) {
    if (source == nullptr) {
        impl_->image = QImage();
        Changed();
        return;
    }
    if (auto* other = dynamic_cast<TPngImage*>(source)) {
        if (other == this) return;
        impl_->image = other->impl_->image;
        level_ = other->level_;
        Changed();
        return;
    }
    if (auto* bitmap = dynamic_cast<TBitmap*>(source)) {
        impl_->image = bitmap->Internal(kFrameworkKey).image.copy();
        Changed();
        return;
    }
    TGraphic::Assign(source);
}

void TPngImage::AssignTo(TPersistent* dest) {
    if (auto* bitmap = dynamic_cast<TBitmap*>(dest)) {
        if (Empty()) {
            bitmap->Assign(nullptr);
            return;
        }
        TBitmap copy;
        copy.Internal(kFrameworkKey).image = ToBitmapFormat(impl_->image);
        copy.PixelsReplaced(kFrameworkKey);
        bitmap->Assign(&copy);
        return;
    }
    TGraphic::AssignTo(dest);
}

}  // namespace dsp
