// What the styled pack's drawing costs, each next to a reference drawn in the same run so that
// the times read as ratios:
// - 114 rounded edit-box bodies (fresh fill per paint, as the main window paints them) against
//   114 plain canvas round rectangles of the same boxes;
// - 306 fader thumbs decoded from their BMP bytes and drawn, against the same thumbs drawn from
//   bitmaps decoded once;
// - one call of the anti-aliased layer against the same small fill through the canvas;
// - a 4096-point spline fill of a response page, anti-aliased against aliased.

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/text/Streams.h"
#include "widgets/styled/GDIPFill.h"
#include "widgets/styled/GDIPicture.h"

namespace dsp {
namespace {

constexpr int kEditBoxes = 114;
constexpr int kThumbs = 306;

TRect EditBox(int i) { return Bounds(10 + (i % 12) * 82, 10 + (i / 12) * 26, 80, 21); }

void BM_EditBoxesFill(benchmark::State& state) {
    TBitmap page(1000, 280);
    for (auto _ : state) {
        TGPGraphics g(page.Canvas());
        g.SetSmoothingMode(SmoothingModeAntiAlias);
        for (int i = 0; i < kEditBoxes; ++i) {
            const TRect r = EditBox(i);
            TGDIPFill fill;
            fill.SetColor(clWhite);
            fill.SetColorTo(clWhite);
            fill.SetColorMirror(clWhite);
            fill.SetColorMirrorTo(clWhite);
            fill.SetRounding(6);
            fill.SetBorderColor(clGray);
            fill.Fill(
                &g, TGPRectF{static_cast<REAL>(r.Left), static_cast<REAL>(r.Top),
                             static_cast<REAL>(r.Width() - 1), static_cast<REAL>(r.Height() - 1)});
        }
        benchmark::DoNotOptimize(page.PixelAt(0, 0));
    }
}
BENCHMARK(BM_EditBoxesFill)->Unit(benchmark::kMicrosecond);

void BM_EditBoxesCanvasRoundRect(benchmark::State& state) {
    TBitmap page(1000, 280);
    TCanvas* c = page.Canvas();
    c->Pen()->SetColor(clGray);
    c->Brush()->SetColor(clWhite);
    for (auto _ : state) {
        for (int i = 0; i < kEditBoxes; ++i) {
            const TRect r = EditBox(i);
            c->RoundRect(r.Left, r.Top, r.Right, r.Bottom, 12, 12);
        }
        benchmark::DoNotOptimize(page.PixelAt(0, 0));
    }
}
BENCHMARK(BM_EditBoxesCanvasRoundRect)->Unit(benchmark::kMicrosecond);

std::vector<std::uint8_t> ThumbFile() {
    TBitmap b(16, 29);
    b.Canvas()->Brush()->SetColor(clSilver);
    b.Canvas()->FillRect(Rect(0, 0, 16, 29));
    b.Canvas()->SetPixels(0, 28, clTeal);
    b.SetPixelFormat(pf24bit);
    return b.SaveToBytes();
}

TPoint ThumbAt(int i) { return {4 + (i % 34) * 29, 4 + (i / 34) * 33}; }

void BM_ThumbsDecodedPerDraw(benchmark::State& state) {
    const std::vector<std::uint8_t> file = ThumbFile();
    std::vector<std::unique_ptr<TGDIPPicture>> thumbs;
    for (int i = 0; i < kThumbs; ++i) {
        thumbs.push_back(std::make_unique<TGDIPPicture>());
        thumbs.back()->LoadFromBytes(file);
    }
    TBitmap page(1000, 310);
    for (auto _ : state) {
        for (int i = 0; i < kThumbs; ++i) {
            const TPoint p = ThumbAt(i);
            thumbs[static_cast<std::size_t>(i)]->GetImageSizes();
            page.Canvas()->Draw(p.X, p.Y, thumbs[static_cast<std::size_t>(i)].get());
        }
        benchmark::DoNotOptimize(page.PixelAt(0, 0));
    }
}
BENCHMARK(BM_ThumbsDecodedPerDraw)->Unit(benchmark::kMicrosecond);

void BM_ThumbsFromDecodedBitmaps(benchmark::State& state) {
    const std::vector<std::uint8_t> file = ThumbFile();
    std::vector<std::unique_ptr<TBitmap>> thumbs;
    for (int i = 0; i < kThumbs; ++i) {
        thumbs.push_back(std::make_unique<TBitmap>());
        thumbs.back()->LoadFromBytes(file);
        thumbs.back()->SetTransparent(true);
    }
    TBitmap page(1000, 310);
    for (auto _ : state) {
        for (int i = 0; i < kThumbs; ++i) {
            const TPoint p = ThumbAt(i);
            page.Canvas()->Draw(p.X, p.Y, thumbs[static_cast<std::size_t>(i)].get());
        }
        benchmark::DoNotOptimize(page.PixelAt(0, 0));
    }
}
BENCHMARK(BM_ThumbsFromDecodedBitmaps)->Unit(benchmark::kMicrosecond);

void BM_OneLayerCall(benchmark::State& state) {
    TBitmap page(200, 200);
    TGPGraphics g(page.Canvas());
    TGPSolidBrush brush(0xFF808080);
    for (auto _ : state) g.FillRectangle(&brush, 20.0f, 20.0f, 16.0f, 16.0f);
}
BENCHMARK(BM_OneLayerCall);

void BM_OneCanvasCall(benchmark::State& state) {
    TBitmap page(200, 200);
    page.Canvas()->Brush()->SetColor(clGray);
    for (auto _ : state) page.Canvas()->FillRect(Rect(20, 20, 36, 36));
}
BENCHMARK(BM_OneCanvasCall);

// The response view's fill: a spline through 4096 integer points across a 1028 x 238 page,
// closed along the bottom, translucent grey.
void BM_SplineFill(benchmark::State& state) {
    TBitmap page(1028, 238);
    std::vector<TGPPoint> points;
    for (int i = 0; i < 4096; ++i)
        points.push_back({i * 1028 / 4096, 119 + static_cast<int>(80 * std::sin(i / 250.0))});
    TGPGraphicsPath path;
    path.AddCurve(points.data(), static_cast<INT>(points.size()), 0.5f);
    path.AddLine(1027.0f, 119.0f, 1027.0f, 237.0f);
    path.AddLine(1027.0f, 237.0f, 0.0f, 237.0f);
    TGPSolidBrush brush(0x1E808080);
    TGPGraphics g(page.Canvas());
    g.SetSmoothingMode(state.range(0) != 0 ? SmoothingModeAntiAlias : SmoothingModeNone);
    for (auto _ : state) {
        g.FillPath(&brush, &path);
        benchmark::DoNotOptimize(page.PixelAt(0, 0));
    }
    state.SetLabel(state.range(0) != 0 ? "anti-aliased" : "aliased");
}
BENCHMARK(BM_SplineFill)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace dsp
