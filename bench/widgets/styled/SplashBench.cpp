// What the splash screen costs, each next to a reference drawn in the same run so that the
// times read as ratios:
// - one layered redraw of the program's splash (its PNG picture decoded, the window's picture
//   composed with its texts and handed to the window, at each step of the desktop's ladder),
//   against decoding and drawing the picture alone; the redraw should stay under 20 ms;
// - measuring the splash's list line with the mini-HTML renderer, against measuring its text
//   once with the drawing layer.

#include <benchmark/benchmark.h>

#include <memory>

#include "bench/framework/controls/BenchForms.h"
#include "framework/controls/TopLevelWindow.h"
#include "tests/widgets/styled/SplashSamples.h"
#include "tests/widgets/styled/StyledTestSupport.h"
#include "widgets/styled/AdvSmoothSplashScreen.h"
#include "widgets/styled/MiniHtml.h"

namespace dsp {
namespace {

constexpr const char* kListLine =
    "<FONT size=\"20\" color=\"clWhite\">Loading Program....</FONT><br>";

void BM_SplashLayeredRedraw(benchmark::State& state) {
    bench::EnsureApplication();
    ForceLayeredMode(static_cast<TLayeredMode>(state.range(0)));
    TForm main(nullptr);
    main.AfterConstruction();
    auto* splash = new TAdvSmoothSplashScreen(&main);
    test::ConfigureProgramSplash(*splash, test::ProgramSplashPicture());
    splash->Show();
    TSplashScreenWindow* window = splash->SplashWindow();
    for (auto _ : state) {
        window->Refresh();
        benchmark::DoNotOptimize(window->MainBuffer());
    }
    splash->Hide();
    ForceLayeredMode(std::nullopt);
    state.SetLabel(state.range(0) == 0   ? "translucent"
                   : state.range(0) == 1 ? "shaped over white"
                                         : "plain over white");
}
BENCHMARK(BM_SplashLayeredRedraw)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_SplashPictureAlone(benchmark::State& state) {
    bench::EnsureApplication();
    TAdvGDIPPicture picture;
    test::LoadPicture(picture, test::ProgramSplashPicture());
    TGPBitmap buffer(622, 352, PixelFormat32bppARGB);
    for (auto _ : state) {
        TGPGraphics g(&buffer);
        g.Clear(0);
        picture.GDIPDraw(&g, Rect(0, 1, 620, 351));
        benchmark::DoNotOptimize(buffer.nativeImage);
    }
}
BENCHMARK(BM_SplashPictureAlone)->Unit(benchmark::kMillisecond);

void BM_MiniHtmlMeasureListLine(benchmark::State& state) {
    bench::EnsureApplication();
    TGPBitmap buffer(622, 352, PixelFormat32bppARGB);
    TGPGraphics g(&buffer);
    TFont font;
    font.SetName("Tahoma");
    font.SetHeight(-11);
    TMiniHtmlParams p;
    p.Graphics = &g;
    p.Font = &font;
    p.Text = kListLine;
    p.Rect = Rect(0, 0, 500, 250);
    p.WordWrap = true;
    p.LineSpacing = 2;
    p.MeasureOnly = true;
    for (auto _ : state) {
        TMiniHtmlResult result;
        RenderMiniHtml(p, result);
        benchmark::DoNotOptimize(result.SizeY);
    }
}
BENCHMARK(BM_MiniHtmlMeasureListLine)->Unit(benchmark::kMicrosecond);

void BM_TextWidthOfTheListLine(benchmark::State& state) {
    bench::EnsureApplication();
    TGPBitmap buffer(622, 352, PixelFormat32bppARGB);
    TGPGraphics g(&buffer);
    TFont font;
    font.SetName("Tahoma");
    font.SetSize(20);
    for (auto _ : state) benchmark::DoNotOptimize(g.TextWidth("Loading Program....", &font));
}
BENCHMARK(BM_TextWidthOfTheListLine)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace dsp
