#include "framework/graphics/Bitmap.h"

#include <QPainter>

#include "framework/graphics/BitmapQt.h"
#include "framework/graphics/BmpCodec.h"
#include "framework/graphics/CanvasImpl.h"

namespace dsp {

namespace {

constexpr QRgb kWhite = 0xFFFFFFFFu;

void Retarget(TBitmap::Impl& d) {
    d.surface = TCanvasSurface{};
    d.surface.image = &d.image;
    d.surface.monochrome = d.monochrome;
    d.canvas->SetSurface(&d.surface);
}

}  // namespace

QImage ToBitmapFormat(const QImage& image) {
    if (image.isNull()) return {};
    if (image.format() == QImage::Format_RGB32) return image;
    if (image.hasAlphaChannel()) {
        // Drop the alpha, keeping each pixel's own colour.
        QImage plain = image.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < plain.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(plain.scanLine(y));
            for (int x = 0; x < plain.width(); ++x) line[x] |= 0xFF000000u;
        }
        return plain.convertToFormat(QImage::Format_RGB32);
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

TBitmap::TBitmap() : impl_(std::make_unique<Impl>()) {
    impl_->canvas = std::make_unique<TCanvas>();
    impl_->canvas->OnChange = [this](TObject*) { Changed(); };
    Retarget(*impl_);
}

TBitmap::TBitmap(int width, int height) : TBitmap() { SetSize(width, height); }

TBitmap::~TBitmap() = default;

TCanvas* TBitmap::Canvas() const { return impl_->canvas.get(); }

bool TBitmap::Empty() const { return impl_->image.isNull(); }
int TBitmap::Width() const { return impl_->image.width(); }
int TBitmap::Height() const { return impl_->image.height(); }

void TBitmap::SetSize(int width, int height) {
    Impl& d = *impl_;
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == Width() && height == Height()) return;
    QImage image;
    if (width > 0 && height > 0) {
        image = QImage(width, height, QImage::Format_RGB32);
        if (image.isNull()) throw EInvalidGraphicOperation("Out of system resources");
        image.fill(kWhite);
        if (!d.image.isNull()) {
            QPainter painter(&image);
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.drawImage(0, 0, d.image);
        }
    }
    d.image = std::move(image);
    Retarget(d);
    Changed();
}

bool TBitmap::Monochrome() const { return impl_->monochrome; }

void TBitmap::SetMonochrome(bool value) {
    Impl& d = *impl_;
    if (value == d.monochrome) return;
    if (value) {
        for (int y = 0; y < d.image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(d.image.scanLine(y));
            for (int x = 0; x < d.image.width(); ++x)
                line[x] = (line[x] & 0xFFFFFFu) == 0xFFFFFFu ? kWhite : 0xFF000000u;
        }
        d.format = pf1bit;
    } else if (d.format == pf1bit) {
        d.format = pfDevice;
    }
    d.monochrome = value;
    Retarget(d);
    Changed();
}

TPixelFormat TBitmap::PixelFormat() const { return impl_->format; }

void TBitmap::SetPixelFormat(TPixelFormat value) {
    if (value == impl_->format) return;
    if (value == pf1bit) {
        SetMonochrome(true);
        return;
    }
    if (impl_->monochrome) SetMonochrome(false);
    impl_->format = value;
    Changed();
}

TColor TBitmap::TransparentColor() const {
    if (impl_->transparentMode == tmFixed) return impl_->transparentColor;
    if (Empty()) return clDefault;
    return static_cast<TColor>(PixelAt(0, Height() - 1));
}

void TBitmap::SetTransparentColor(TColor value) {
    impl_->transparentColor = value;
    impl_->transparentMode = value == clDefault ? tmAuto : tmFixed;
    Changed();
}

TTransparentMode TBitmap::TransparentMode() const { return impl_->transparentMode; }

void TBitmap::SetTransparentMode(TTransparentMode value) {
    if (value == impl_->transparentMode) return;
    if (value == tmFixed) impl_->transparentColor = TransparentColor();
    impl_->transparentMode = value;
    Changed();
}

TColorRef TBitmap::PixelAt(int x, int y) const {
    if (!impl_->image.valid(x, y)) return 0;
    return raster::FromQRgb(reinterpret_cast<const QRgb*>(impl_->image.constScanLine(y))[x]);
}

void TBitmap::Draw(TCanvas* canvas, const TRect& r) {
    if (canvas == nullptr || Empty()) return;
    if (Transparent()) {
        const TColor key = TransparentColor();
        if (key != clNone && key != clDefault) {
            DrawKeyed(*canvas, r, *Canvas(), Width(), Height(), ResolveColor(key));
            return;
        }
    }
    canvas->StretchBlt(r.Left, r.Top, r.Width(), r.Height(), Canvas(), 0, 0, Width(), Height(),
                       canvas->CopyMode());
}

void TBitmap::LoadFromBytes(const std::vector<std::uint8_t>& data) {
    if (data.empty()) {
        Assign(nullptr);
        return;
    }
    bmp::Decoded decoded = bmp::Decode(data);
    Impl& d = *impl_;
    d.image = std::move(decoded.image);
    d.monochrome = decoded.monochrome;
    d.format = decoded.monochrome ? pf1bit : decoded.format;
    Retarget(d);
    Changed();
}

std::vector<std::uint8_t> TBitmap::SaveToBytes() const {
    const Impl& d = *impl_;
    // An empty bitmap has no file content; loading no bytes gives an empty bitmap again.
    if (d.image.isNull()) return {};
    const int bits = d.monochrome ? 1 : d.format == pf32bit ? 32 : d.format == pf4bit ? 4 : 24;
    return bmp::Encode(d.image, bits);
}

void TBitmap::Assign(TPersistent* source) {
    Impl& d = *impl_;
    if (source == nullptr) {
        d.image = QImage();
        d.monochrome = false;
        d.format = pfDevice;
        Retarget(d);
        Changed();
        return;
    }
    if (auto* other = dynamic_cast<TBitmap*>(source)) {
        if (other == this) return;
        d.image = other->impl_->image.copy();
        d.monochrome = other->impl_->monochrome;
        d.format = other->impl_->format;
        d.transparentColor = other->impl_->transparentColor;
        d.transparentMode = other->impl_->transparentMode;
        Retarget(d);
        TGraphic::SetTransparent(other->Transparent());
        Changed();
        return;
    }
    TGraphic::Assign(source);
}

void TBitmap::PixelsReplaced(TFrameworkKey) {
    Impl& d = *impl_;
    d.image = ToBitmapFormat(d.image);
    Retarget(d);
    Changed();
}

}  // namespace dsp
