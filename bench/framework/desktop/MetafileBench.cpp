// What a metafile snapshot costs next to drawing the same plot straight on a bitmap: recording
// (which also draws), playing back at the same size, and playing back at five times the size
// as a printed page does. The times of one run read as ratios.

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cmath>
#include <string>

#include "framework/desktop/Metafile.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/FontSet.h"

namespace dsp {
namespace {

constexpr int kWidth = 600;
constexpr int kHeight = 400;

// A response plot: background, grid, 30 axis labels and a curve of 4096 segments.
void DrawPlot(TCanvas& c) {
    c.Brush()->SetColor(clBlack);
    c.FillRect(Rect(0, 0, kWidth, kHeight));
    c.Pen()->SetColor(clGray);
    c.Pen()->SetStyle(psDot);
    for (int i = 1; i < 10; ++i) {
        c.MoveTo(i * kWidth / 10, 0);
        c.LineTo(i * kWidth / 10, kHeight);
        c.MoveTo(0, i * kHeight / 10);
        c.LineTo(kWidth, i * kHeight / 10);
    }
    c.Brush()->SetStyle(bsClear);
    c.Font()->SetColor(clWhite);
    for (int i = 0; i < 30; ++i)
        c.TextOut(5 + (i % 10) * 60, 5 + (i / 10) * 130, std::to_string(i * 100) + " Hz");
    c.Pen()->SetStyle(psSolid);
    c.Pen()->SetColor(clYellow);
    c.MoveTo(0, kHeight / 2);
    for (int i = 0; i < 4096; ++i)
        c.LineTo(i * kWidth / 4096, kHeight / 2 + static_cast<int>(120 * std::sin(i / 400.0)));
}

void BM_PlotOnBitmap(benchmark::State& state) {
    TBitmap b(kWidth, kHeight);
    for (auto _ : state) {
        DrawPlot(*b.Canvas());
        benchmark::DoNotOptimize(b.PixelAt(0, 0));
    }
}
BENCHMARK(BM_PlotOnBitmap);

void BM_PlotRecorded(benchmark::State& state) {
    TMetafile metafile;
    for (auto _ : state) {
        metafile.SetSize(kWidth, kHeight);
        TMetafileCanvas canvas(&metafile);
        DrawPlot(canvas);
    }
}
BENCHMARK(BM_PlotRecorded);

void BM_PlotPlayedBack(benchmark::State& state) {
    const int scale = static_cast<int>(state.range(0));
    TMetafile metafile;
    metafile.SetSize(kWidth, kHeight);
    {
        TMetafileCanvas canvas(&metafile);
        DrawPlot(canvas);
    }
    TBitmap page(kWidth * scale, kHeight * scale);
    for (auto _ : state) {
        page.Canvas()->StretchDraw(Rect(0, 0, kWidth * scale, kHeight * scale), &metafile);
        benchmark::DoNotOptimize(page.PixelAt(0, 0));
    }
}
BENCHMARK(BM_PlotPlayedBack)->Arg(1)->Arg(5);

}  // namespace
}  // namespace dsp

// Text needs the host toolkit's application object, on the headless platform.
int main(int argc, char** argv) {
    dsp::PinFontSet();
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
