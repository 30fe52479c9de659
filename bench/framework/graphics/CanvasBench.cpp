// What the classic pixel rules cost next to drawing straight with the host toolkit on the same
// image: each pair runs the same work both ways, so their times read as a ratio.

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include <cmath>
#include <memory>
#include <vector>

#include "framework/core/FrameworkAccess.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/BitmapQt.h"
#include "framework/graphics/CanvasImpl.h"

namespace dsp {
namespace {

constexpr int kSize = 512;

// A response curve of 4096 points across the page, as the response view draws it.
std::vector<TPoint> Curve() {
    std::vector<TPoint> points;
    for (int i = 0; i < 4096; ++i)
        points.push_back(
            {i * kSize / 4096, kSize / 2 + static_cast<int>(100 * std::sin(i / 300.0))});
    return points;
}

void BM_CurveCanvas(benchmark::State& state) {
    TBitmap b(kSize, kSize);
    b.Canvas()->Pen()->SetWidth(static_cast<int>(state.range(0)));
    const auto points = Curve();
    for (auto _ : state) {
        b.Canvas()->MoveTo(points[0].X, points[0].Y);
        for (const TPoint& p : points) b.Canvas()->LineTo(p.X, p.Y);
        benchmark::DoNotOptimize(b.PixelAt(0, 0));
    }
}
BENCHMARK(BM_CurveCanvas)->Arg(1)->Arg(2);

void BM_CurveQPainter(benchmark::State& state) {
    QImage image(kSize, kSize, QImage::Format_RGB32);
    const auto points = Curve();
    QPen pen(Qt::black, static_cast<int>(state.range(0)), Qt::SolidLine, Qt::RoundCap);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.setPen(pen);
        for (std::size_t i = 1; i < points.size(); ++i)
            painter.drawLine(points[i - 1].X, points[i - 1].Y, points[i].X, points[i].Y);
        painter.end();
        benchmark::DoNotOptimize(image.pixel(0, 0));
    }
}
BENCHMARK(BM_CurveQPainter)->Arg(1)->Arg(2);

void BM_FillCanvas(benchmark::State& state) {
    TBitmap b(kSize, kSize);
    b.Canvas()->Brush()->SetColor(clBtnFace);
    for (auto _ : state) b.Canvas()->FillRect(Rect(0, 0, kSize, kSize));
}
BENCHMARK(BM_FillCanvas);

void BM_FillQImage(benchmark::State& state) {
    QImage image(kSize, kSize, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.fillRect(0, 0, kSize, kSize, QColor(212, 208, 200));
    }
}
BENCHMARK(BM_FillQImage);

void BM_PixelsCanvas(benchmark::State& state) {
    TBitmap b(64, 64);
    for (auto _ : state)
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) b.Canvas()->SetPixels(x, y, static_cast<TColor>(x * y));
}
BENCHMARK(BM_PixelsCanvas);

void BM_PixelsQImage(benchmark::State& state) {
    QImage image(64, 64, QImage::Format_RGB32);
    for (auto _ : state)
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) image.setPixel(x, y, static_cast<QRgb>(x * y));
}
BENCHMARK(BM_PixelsQImage);

// A page of a response view (1028 x 238) copied whole, as every drag step copies the composed
// page and every button paints through an off-screen copy: the span path of BitBlt, CopyRect and
// Draw, the per-pixel loop it replaces, a fill of the same page, and the host toolkit's copies.
constexpr int kPageWidth = 1028;
constexpr int kPageHeight = 238;

std::unique_ptr<TBitmap> Page() {
    auto page = std::make_unique<TBitmap>(kPageWidth, kPageHeight);
    for (int y = 0; y < kPageHeight; y += 7)
        for (int x = 0; x < kPageWidth; x += 5)
            page->Canvas()->SetPixels(x, y, static_cast<TColor>(x * 2654435761u + y));
    return page;
}

void BM_PageBitBlt(benchmark::State& state) {
    raster::SetBlitSpanPath(state.range(0) != 0);
    auto source = Page();
    TBitmap dest(kPageWidth, kPageHeight);
    for (auto _ : state) {
        dest.Canvas()->BitBlt(0, 0, kPageWidth, kPageHeight, source->Canvas(), 0, 0, SRCCOPY);
        benchmark::DoNotOptimize(dest.PixelAt(0, 0));
    }
    raster::SetBlitSpanPath(true);
}
BENCHMARK(BM_PageBitBlt)->ArgName("spans")->Arg(1)->Arg(0);

void BM_PageCopyRect(benchmark::State& state) {
    auto source = Page();
    TBitmap dest(kPageWidth, kPageHeight);
    const TRect r = Rect(0, 0, kPageWidth, kPageHeight);
    for (auto _ : state) {
        dest.Canvas()->CopyRect(r, source->Canvas(), r);
        benchmark::DoNotOptimize(dest.PixelAt(0, 0));
    }
}
BENCHMARK(BM_PageCopyRect);

void BM_PageDrawBitmap(benchmark::State& state) {
    auto source = Page();
    TBitmap dest(kPageWidth, kPageHeight);
    for (auto _ : state) {
        dest.Canvas()->Draw(0, 0, source.get());
        benchmark::DoNotOptimize(dest.PixelAt(0, 0));
    }
}
BENCHMARK(BM_PageDrawBitmap);

void BM_PageFillRect(benchmark::State& state) {
    TBitmap dest(kPageWidth, kPageHeight);
    dest.Canvas()->Brush()->SetColor(clBtnFace);
    for (auto _ : state) {
        dest.Canvas()->FillRect(Rect(0, 0, kPageWidth, kPageHeight));
        benchmark::DoNotOptimize(dest.PixelAt(0, 0));
    }
}
BENCHMARK(BM_PageFillRect);

void BM_PageQImageCopy(benchmark::State& state) {
    auto source = Page();
    const QImage& image = source->Internal(kFrameworkKey).image;
    for (auto _ : state) {
        QImage copy = image.copy();
        benchmark::DoNotOptimize(copy.bits());
    }
}
BENCHMARK(BM_PageQImageCopy);

void BM_PageQPainterDrawImage(benchmark::State& state) {
    auto source = Page();
    const QImage& image = source->Internal(kFrameworkKey).image;
    QImage dest(kPageWidth, kPageHeight, image.format());
    for (auto _ : state) {
        QPainter painter(&dest);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, image);
        painter.end();
        benchmark::DoNotOptimize(dest.bits());
    }
}
BENCHMARK(BM_PageQPainterDrawImage);

}  // namespace
}  // namespace dsp
