// Nine band tables built of the standard controls, as the editor's main window holds them: per
// row three edit boxes, a type list, a bypass button, a number label and three hidden up-downs,
// fifty rows per table of which eight or nine show. Reports the first life (build, show and
// paint, destruction) in a fresh process and the warm lives apart, each with its parts and the
// growth of the process's resident memory; the warm one also with the native windows that exist
// once it is painted (hidden boxes and lists must make none).

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

constexpr const char* kBandTables = "band_tables";

void BM_BandTablesFirstInFreshProcess(benchmark::State& state) {
    bench::BenchFirstInFreshProcess(state, kBandTables);
}
BENCHMARK(BM_BandTablesFirstInFreshProcess)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(5);

void BM_BandTablesWarm(benchmark::State& state) {
    int controls = 0;
    int nativeWindows = 0;
    bench::BenchWarm(state, BuildTables, [&](TForm& form) {
        controls = CountControls(form);
        nativeWindows = static_cast<int>(HostWidget(form)->findChildren<QWidget*>().size());
    });
    state.counters["controls"] = controls;
    state.counters["native_windows"] = nativeWindows;
}
BENCHMARK(BM_BandTablesWarm)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);

}  // namespace
}  // namespace dsp

int main(int argc, char** argv) {
    return dsp::bench::RunControlsBenchmarks(argc, argv, {{dsp::kBandTables, dsp::BuildTables}});
}
