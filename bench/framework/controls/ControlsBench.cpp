// A form as large as the editor's main window (about 3,000 windowed controls, most of them hidden
// on pages and in the rows of nine band tables beyond their eighth or ninth row, and about 200
// windowless ones): built, shown and painted the first time, and destroyed. The first life in a
// fresh process and the warm lives after a few others are reported apart, each with its parts
// and the growth of the process's resident memory; the warm one also with the windows made and
// the native windows and pixels that exist once it is painted.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>

#include <algorithm>
#include <memory>
#include <string>

#include "bench/framework/controls/BenchForms.h"
#include "framework/controls/CustomControl.h"
#include "framework/controls/Form.h"
#include "framework/controls/GraphicControl.h"
#include "framework/controls/WindowHost.h"
#include "framework/controls/WindowImpl.h"
#include "framework/core/FrameworkAccess.h"

namespace dsp {
namespace {

using bench::Add;

constexpr int kPages = 14;
constexpr int kWindowedPerPage = 54;
constexpr int kWindowlessPerPage = 14;
constexpr int kTables = 9;
constexpr int kRows = 50;
constexpr int kShownRows = 9;
constexpr int kControlsPerRow = 5;

// A box that paints a frame and a caption, as the widgets do.
class TBox : public TCustomControl {
public:
    using TCustomControl::TCustomControl;

protected:
    void Paint() override {
        TCanvas* canvas = Canvas();
        canvas->Brush()->SetColor(Color());
        canvas->Pen()->SetColor(clGray);
        canvas->Rectangle(ClientRect());
        canvas->TextOut(3, 3, Caption());
    }
};

class TMark : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;

protected:
    void Paint() override {
        Canvas()->Brush()->SetColor(clNavy);
        Canvas()->FillRect(ClientRect());
    }
};

std::unique_ptr<TForm> BuildMainWindow() {
    auto form = std::make_unique<TForm>(nullptr);
    TForm* owner = form.get();
    BeginLoading(*form);
    form->SetBounds(0, 0, 1118, 720);
    form->SetCaption("Main window");
    TBox* tablePages[kTables] = {};
    for (int p = 0; p < kPages; ++p) {
        auto* page = Add<TBox>(owner, form.get(), 0, 20, 1100, 600);
        page->SetVisible(p < 2);
        for (int i = 0; i < kWindowedPerPage; ++i) {
            auto* box = Add<TBox>(owner, page, 10 + (i % 9) * 120, 10 + (i / 9) * 60, 110, 50);
            box->SetCaption("Box " + std::to_string(i));
        }
        for (int i = 0; i < kWindowlessPerPage; ++i) {
            Add<TMark>(owner, page, 10 + i * 70, 570, 60, 20);
        }
        if (p == 0 || (p >= 2 && p < 2 + kTables - 1)) tablePages[p == 0 ? 0 : p - 1] = page;
    }
    for (TBox* page : tablePages) {
        auto* table = Add<TBox>(owner, page, 550, 300, 536, 270);
        for (int r = 0; r < kRows; ++r) {
            for (int c = 0; c < kControlsPerRow; ++c) {
                auto* cell = Add<TBox>(owner, table, 40 + c * 100, 23 + r * 26, 93, 22);
                cell->SetVisible(r < kShownRows);
            }
        }
    }
    EndLoading(*form);
    form->AfterConstruction();
    return form;
}

struct TCensus {
    int windowed = 0;
    int handles = 0;
    int nativeWindows = 0;
    long long surfaceBytes = 0;
};

void Count(TWinControl& control, TCensus& census) {
    ++census.windowed;
    if (control.HandleAllocated()) ++census.handles;
    if (HostWidget(control) != nullptr) ++census.nativeWindows;
    census.surfaceBytes += control.Window(kFrameworkKey).surface.sizeInBytes();
    for (TWinControl* child : control.WinControls()) Count(*child, census);
}

constexpr const char* kMainWindow = "main_window";

void BM_MainWindowFirstInFreshProcess(benchmark::State& state) {
    bench::BenchFirstInFreshProcess(state, kMainWindow);
}
BENCHMARK(BM_MainWindowFirstInFreshProcess)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(5);

void BM_MainWindowWarm(benchmark::State& state) {
    TCensus census;
    bench::BenchWarm(state, BuildMainWindow, [&](TForm& form) {
        census = TCensus{};
        Count(form, census);
    });
    state.counters["windowed"] = census.windowed;
    state.counters["handles"] = census.handles;
    state.counters["native_windows"] = census.nativeWindows;
    state.counters["pixels_MB"] = static_cast<double>(census.surfaceBytes) / (1024.0 * 1024.0);
}
BENCHMARK(BM_MainWindowWarm)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);

}  // namespace
}  // namespace dsp

int main(int argc, char** argv) {
    return dsp::bench::RunControlsBenchmarks(argc, argv,
                                             {{dsp::kMainWindow, dsp::BuildMainWindow}});
}
