#pragma once
// What the controls benchmarks share: the application started headless, controls placed on a
// form, a form painted at once, the process's resident memory, and the measuring of one form's
// life (build, first show and paint, destruction), in this process or in a fresh one.

#include <functional>
#include <map>
#include <memory>
#include <string>

#include <benchmark/benchmark.h>

#include "framework/controls/Form.h"

namespace dsp::bench {

// Starts the framework's application once (offscreen, 96 dpi, the project's fonts).
void EnsureApplication();

template <typename T>
T* Add(TComponent* owner, TWinControl* parent, int left, int top, int width, int height) {
    auto* control = new T(owner);
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
}

// Paints what waits to be painted in the control and every windowed control below it.
void PaintAll(TWinControl& control);

double ResidentMegabytes();

using TFormBuilder = std::function<std::unique_ptr<TForm>()>;

// One form's life: building it, showing and painting it the first time, destroying it, and how
// much the process's resident memory grew from before the build to after the paint.
struct TFormLife {
    double buildMs = 0;
    double showPaintMs = 0;
    double destroyMs = 0;
    double residentGrowthMB = 0;
};

// Lives one form's life; inspect (not timed) sees the form between its paint and its end.
TFormLife LiveOnce(const TFormBuilder& build, const std::function<void(TForm&)>& inspect = nullptr);

// The forms a benchmark program can build, by name.
using TFormTable = std::map<std::string, TFormBuilder>;

// Each iteration starts a fresh copy of this program that lives the named form's life once as
// its first form and reports it; the time is the build, show and paint. Counters: the mean of
// each part and of the memory growth.
void BenchFirstInFreshProcess(benchmark::State& state, const std::string& form);

// Lives the form's life a few times unmeasured, then once per iteration; the time is the whole
// life, destruction included. Counters: the mean of each part and of the memory growth.
void BenchWarm(benchmark::State& state, const TFormBuilder& build,
               const std::function<void(TForm&)>& inspect = nullptr);

// The main of a controls benchmark program: started as a fresh copy for one form's first life,
// it lives it and prints the figures; otherwise it runs the benchmarks.
int RunControlsBenchmarks(int argc, char** argv, const TFormTable& forms);

}  // namespace dsp::bench
