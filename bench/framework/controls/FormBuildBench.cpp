// Building a form of 1,000 named controls in code, as the main window's layout does, and
// finding them by name as its handlers do (a handler composes a name and looks it up).
// Side by side in one run:
// - the build with names against the same build without names: what naming costs;
// - FindComponent of names spread over the whole form, and of the first and of the last
//   control made: a lookup whose time grows with the control's place is a linear scan.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bench/framework/controls/BenchForms.h"
#include "framework/controls/Form.h"
#include "framework/controls/FormBuilder.h"
#include "framework/controls/PaintBox.h"
#include "framework/controls/Panel.h"

namespace dsp {
namespace {

using bench::EnsureApplication;

constexpr int kPages = 20;
constexpr int kPerPage = 49;  // with the pages: 1,000 controls
const char* const kStems[] = {"lbGain",  "rzbMute", "isDelay", "cvdFreq",
                              "pbLevel", "udRatio", "spLink"};
const char* const kChannels[] = {"InA",  "InB",  "InC",  "Out1", "Out2",
                                 "Out3", "Out4", "Out5", "Out6"};

// The names of the form: per page a stem, a channel and a band number, as the layout composes
// them ("rzbMuteOut3_12").
std::vector<std::string> ControlNames() {
    std::vector<std::string> names;
    for (int p = 0; p < kPages; ++p) {
        names.push_back("pnPage" + std::to_string(p));
        for (int i = 0; i < kPerPage; ++i) {
            names.push_back(std::string(kStems[i % 7]) + kChannels[(p + i) % 9] + "_" +
                            std::to_string(p * kPerPage + i));
        }
    }
    return names;
}

std::unique_ptr<TForm> BuildForm(const std::vector<std::string>* names) {
    auto form = std::make_unique<TForm>(nullptr);
    TFormBuilder build(*form);
    auto name = [&](std::size_t index) { return names != nullptr ? (*names)[index] : ""; };
    std::size_t next = 0;
    for (int p = 0; p < kPages; ++p) {
        auto* page = build.Add<TPanel>(name(next++), form.get(), 0, 20, 1100, 600);
        page->SetVisible(p == 0);
        for (int i = 0; i < kPerPage; ++i) {
            const int left = 10 + (i % 7) * 150;
            const int top = 10 + (i / 7) * 80;
            if (i % 2 == 0) {
                build.Add<TPanel>(name(next++), page, left, top, 140, 70);
            } else {
                build.Add<TPaintBox>(name(next++), page, left, top, 140, 70);
            }
        }
    }
    build.Finish();
    return form;
}

void BM_BuildNamedControls(benchmark::State& state) {
    EnsureApplication();
    const bool named = state.range(0) != 0;
    const std::vector<std::string> names = ControlNames();
    for (auto _ : state) {
        auto form = BuildForm(named ? &names : nullptr);
        state.PauseTiming();
        form.reset();
        state.ResumeTiming();
    }
    state.counters["controls"] = static_cast<double>(names.size());
    state.SetLabel(named ? "named" : "unnamed");
}
BENCHMARK(BM_BuildNamedControls)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// Looks up names in a fixed shuffled order, half of them in other letter case.
void BM_FindComponentAcrossTheForm(benchmark::State& state) {
    EnsureApplication();
    const std::vector<std::string> names = ControlNames();
    auto form = BuildForm(&names);
    std::vector<std::string> lookups = names;
    std::mt19937 random(7);
    std::shuffle(lookups.begin(), lookups.end(), random);
    for (std::size_t i = 0; i < lookups.size(); i += 2) lookups[i] = Upper(lookups[i]);
    for (auto _ : state) {
        for (const std::string& n : lookups) benchmark::DoNotOptimize(form->FindComponent(n));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(lookups.size()));
}
BENCHMARK(BM_FindComponentAcrossTheForm);

// The first and the last control made, looked up 1,000 times each.
void BM_FindComponentByPlace(benchmark::State& state) {
    EnsureApplication();
    const std::vector<std::string> names = ControlNames();
    auto form = BuildForm(&names);
    const std::string& name = state.range(0) == 0 ? names.front() : names.back();
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i) benchmark::DoNotOptimize(form->FindComponent(name));
    }
    state.SetItemsProcessed(state.iterations() * 1000);
    state.SetLabel(state.range(0) == 0 ? "first" : "last");
}
BENCHMARK(BM_FindComponentByPlace)->Arg(0)->Arg(1);

}  // namespace
}  // namespace dsp
