// What the main window costs a user, headless at its design size, each figure beside a reference
// measured in the same run so that the times read as ratios:
// - a full repaint of the window (the Gain page in front) beside an empty form of the same size:
//   the whole window drawn into one picture, and the shown window's controls each painting
//   their own surface again;
// - a page switch (the page's button pressed, then the window repainted), going round all
//   fourteen pages, beside the full repaint;
// - showing a whole processor image (every control of every page set from the image), two
//   images taken in turn so that every iteration changes what the controls show, alone and with
//   the repaint that follows it.
// The window is made as the program makes it, its timers on a manual clock that never moves.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

#include "bench/framework/controls/BenchForms.h"
#include "framework/graphics/Bitmap.h"
#include "mainwindow/FMain.h"
#include "model/Lunitcontrol.h"
#include "tests/mainwindow/MainWindowFixture.h"

namespace dsp {
namespace {

// The window once per process: building it is not what is measured.
test::TMainWindowFixture& Window() {
    bench::EnsureApplication();
    static auto* fixture = new test::TMainWindowFixture();
    return *fixture;
}

void BM_EmptyFormRepaint(benchmark::State& state) {
    bench::EnsureApplication();
    TForm form(nullptr);
    form.AfterConstruction();
    form.SetClientWidth(Window().Window().ClientWidth());
    form.SetClientHeight(Window().Window().ClientHeight());
    for (auto _ : state) benchmark::DoNotOptimize(form.RenderToImage());
}
BENCHMARK(BM_EmptyFormRepaint)->Unit(benchmark::kMillisecond);

void BM_FullRepaint(benchmark::State& state) {
    test::TMainWindowFixture& window = Window();
    window.OpenPage(TfmMain::kPageGain);
    for (auto _ : state) benchmark::DoNotOptimize(window.Render());
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMillisecond);

// The window on the (headless) screen: every windowed control invalidated and painted again into
// its own surface, as after the window was uncovered.
void InvalidateAll(TWinControl& control) {
    control.Invalidate();
    for (TWinControl* child : control.WinControls()) InvalidateAll(*child);
}

void BM_FullRepaintShown(benchmark::State& state) {
    test::TMainWindowFixture& window = Window();
    window.OpenPage(TfmMain::kPageGain);
    window.Window().Show();
    bench::PaintAll(window.Window());
    for (auto _ : state) {
        InvalidateAll(window.Window());
        bench::PaintAll(window.Window());
    }
}
BENCHMARK(BM_FullRepaintShown)->Unit(benchmark::kMillisecond);

void BM_PageSwitch(benchmark::State& state) {
    test::TMainWindowFixture& window = Window();
    int page = 0;
    for (auto _ : state) {
        window.OpenPage(page);
        benchmark::DoNotOptimize(window.Render());
        page = (page + 1) % TfmMain::kPageCount;
    }
    window.OpenPage(TfmMain::kPageGain);
}
BENCHMARK(BM_PageSwitch)->Unit(benchmark::kMillisecond);

// Every channel's gain, delay, mute, polarity and equaliser band gains moved away from the
// default image, or back to it.
void ToggleImage(LUnitControl& image, bool away) {
    for (int ch = 0; ch < 9; ++ch) {
        const std::uint16_t gain = image.GetGain(ch);
        image.SetGain(ch, static_cast<std::uint16_t>(away ? gain - 40 : gain + 40));
        image.SetDelay(ch, away ? 480 : 0);
        image.SetMute(ch, away ? 1 : 0);
        image.SetPolarity(ch, away ? 1 : 0);
        for (int band = 0; band < UnitImage::BandCount(ch); ++band) {
            PeqBandParams peq = image.GetPeqBand(ch, band);
            peq.Gain = static_cast<std::uint16_t>(away ? peq.Gain - 30 : peq.Gain + 30);
            image.SetPeqBand(ch, band, peq, image.IsBandBypassed(ch, band) ? 1 : 0);
        }
    }
}

void BM_ApplyWholeImage(benchmark::State& state, bool repaint) {
    test::TMainWindowFixture& window = Window();
    window.OpenPage(0);
    LUnitControl& image = window.Window().UnitControl();
    bool away = false;
    for (auto _ : state) {
        state.PauseTiming();
        away = !away;
        ToggleImage(image, away);
        state.ResumeTiming();
        window.Window().ApplyUnitImage();
        if (repaint) benchmark::DoNotOptimize(window.Render());
    }
    if (away) ToggleImage(image, false);
    window.Window().ApplyUnitImage();
    window.OpenPage(TfmMain::kPageGain);
}
BENCHMARK_CAPTURE(BM_ApplyWholeImage, Alone, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ApplyWholeImage, WithRepaint, true)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace dsp
