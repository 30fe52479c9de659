// Nine band tables built of the standard controls, as the editor's main window holds them: per
// row three edit boxes, a type list, a bypass button, a number label and three hidden up-downs,
// fifty rows per table of which eight or nine show. Reports one build-show-paint and, as
// counters, the native windows that exist afterwards (hidden boxes and lists must make none)
// and the growth of the process's resident memory.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QWidget>

#include <algorithm>
#include <memory>
#include <string>

#include "bench/framework/controls/BenchForms.h"
#include "framework/controls/Button.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Form.h"
#include "framework/controls/GroupBox.h"
#include "framework/controls/Label.h"
#include "framework/controls/UpDown.h"
#include "framework/controls/WindowHost.h"

namespace dsp {
namespace {

using bench::Add;
using bench::EnsureApplication;
using bench::PaintAll;
using bench::ResidentMegabytes;

constexpr int kTables = 9;
constexpr int kRows = 50;

std::unique_ptr<TForm> BuildTables() {
    auto form = std::make_unique<TForm>(nullptr);
    TForm* owner = form.get();
    BeginLoading(*form);
    form->SetBounds(0, 0, 1118, 720);
    for (int t = 0; t < kTables; ++t) {
        // Only the first table's page shows; the others wait on hidden pages.
        auto* table = Add<TGroupBox>(owner, form.get(), 10 + (t % 2) * 540, 10, 536, 270);
        table->SetVisible(t == 0);
        const int shown = t < 3 ? 8 : 9;
        for (int r = 0; r < kRows; ++r) {
            const bool visible = r < shown;
            const int top = visible ? 23 + r * 29 : 10000;
            auto* number = Add<TLabel>(owner, table, 12, top + 1, 20, 17);
            number->SetCaption(std::to_string(r + 1));
            number->SetVisible(visible);
            for (int c = 0; c < 3; ++c) {
                auto* box = Add<TEdit>(owner, table, 40 + c * 101, top, 93, 21);
                box->SetMaxLength(7);
                box->SetAlignment(taCenter);
                box->SetText(c == 2 ? "0dB" : "1.00KHz");
                box->SetVisible(visible);
                auto* stepper = Add<TUpDown>(owner, table, 0, 0, 17, 21);
                stepper->SetVisible(false);
                stepper->SetPosition(-170);
            }
            auto* type = Add<TComboBox>(owner, table, 343, top, 101, 21);
            type->SetStyle(csDropDownList);
            type->Items()->SetCommaText(
                "\" Peak       \",\" Low Shelf  \",\" High Shelf \",\" Low Cut    \","
                "\" High Cut   \",\" Allpass 1  \",\" Allpass 2  \"");
            type->SetItemIndex(0);
            type->SetVisible(visible);
            auto* bypass = Add<TButton>(owner, table, 450, top, 79, 21);
            bypass->SetCaption("   BYPASS   ");
            bypass->SetVisible(visible);
        }
    }
    EndLoading(*form);
    form->AfterConstruction();
    return form;
}

int CountControls(const TWinControl& control) {
    int n = control.ControlCount();
    for (TWinControl* child : control.WinControls()) n += CountControls(*child);
    return n;
}

void BM_BandTablesBuildShowFirstPaint(benchmark::State& state) {
    EnsureApplication();
    double residentGrowth = 0;
    int controls = 0;
    int nativeWindows = 0;
    for (auto _ : state) {
        const double before = ResidentMegabytes();
        auto form = BuildTables();
        form->Show();
        PaintAll(*form);
        QCoreApplication::processEvents();
        state.PauseTiming();
        controls = CountControls(*form);
        nativeWindows = static_cast<int>(HostWidget(*form)->findChildren<QWidget*>().size());
        residentGrowth = std::max(residentGrowth, ResidentMegabytes() - before);
        form.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["controls"] = controls;
    state.counters["native_windows"] = nativeWindows;
    state.counters["rss_growth_MB"] = residentGrowth;
}
BENCHMARK(BM_BandTablesBuildShowFirstPaint)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace dsp
