// What the channel-strip components cost, each figure beside a reference measured in the same
// run so that the times read as ratios:
// - one drag step of a band (curve recomputed, channel total, marker, selected band's fill,
//   the channel view and its side's overview copied to the screen) beside the curve
//   computation alone;
// - the full repaint of nine channel views and two overviews, with the fast paths (cached grid
//   layer and label pages, invisible curve segments left out) and without them;
// - a page of 102 faders: the first paint, one fader moved (its thumb areas repainted), beside
//   one whole fader repainted;
// - 114 rounded value boxes painted beside 114 plain edits;
// - nine band tables loaded with their 78 bands (each change read back as the main window does,
//   and the band's controls repainted) beside the same load without a change handler.

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "bench/framework/controls/BenchForms.h"
#include "components/LMyFFTDrawPhase.h"
#include "components/MyPEQAllpass.h"
#include "framework/controls/Edit.h"
#include "model/Plot.h"
#include "model/ResponseTables.h"
#include "tests/components/ComponentSamples.h"
#include "widgets/styled/AdvTrackBar.h"
#include "widgets/styled/CurvyControls.h"

namespace dsp {
namespace {

// A channel view and its overview on a shown form, each with its calculator.
struct TDragScene {
    TForm form{nullptr};
    LMyFFTDrawPhase* channel = nullptr;
    LMyFFTDrawPhase* overview = nullptr;
    std::unique_ptr<Plot> channelPlot;
    std::unique_ptr<Plot> overviewPlot;

    TDragScene() {
        form.AfterConstruction();
        form.SetClientWidth(1630);
        form.SetClientHeight(280);
        channel = test::MakeMainWindowView(&form, 10, 10, 1070);
        overview = test::MakeMainWindowView(&form, 1090, 10, 530);
        channelPlot = std::make_unique<Plot>(channel);
        overviewPlot = std::make_unique<Plot>(overview);
        test::DrawSampleChannel(*channelPlot, true);
        test::DrawSampleChannel(*overviewPlot, false);
        form.Show();
        bench::PaintAll(form);
    }
};

void BM_DragStep(benchmark::State& state) {
    bench::EnsureApplication();
    TDragScene scene;
    Plot& plot = *scene.channelPlot;
    double gain = -4.0;
    for (auto _ : state) {
        gain = gain < 6.0 ? gain + 0.5 : -6.0;
        plot.Curve(1).SetFilter(gain, 1000.0, 2.0, fkPeak);
        plot.ShowCurve(1, BandColours[1]);
        plot.DrawBandMarker(1, gain, BlockBand);
        plot.ShowSelectedBand(0, 1, gain, 2.0, true);
        plot.UpdateTotalCurve(0);
        scene.channel->UpdateCurvePage();
        scene.overviewPlot->Curve(0).Points = plot.Curve(Plot::ChannelTotalSlot).Points;
        scene.overviewPlot->ShowCurve(0, ChannelColours[0]);
        scene.overview->UpdateCurvePage();
    }
}
BENCHMARK(BM_DragStep)->Unit(benchmark::kMillisecond);

void BM_DragStepCurveOnly(benchmark::State& state) {
    Plot plot(nullptr);
    double gain = -4.0;
    for (auto _ : state) {
        gain = gain < 6.0 ? gain + 0.5 : -6.0;
        plot.Curve(1).SetFilter(gain, 1000.0, 2.0, fkPeak);
        plot.UpdateTotalCurve(0);
        benchmark::DoNotOptimize(plot.Curve(Plot::ChannelTotalSlot).Points[100]);
    }
}
BENCHMARK(BM_DragStepCurveOnly)->Unit(benchmark::kMillisecond);

// Nine channel views and two overviews, each with a sample channel; every iteration repaints
// them all as after an image is shown.
void BM_FullRepaint(benchmark::State& state) {
    bench::EnsureApplication();
    TForm form(nullptr);
    form.AfterConstruction();
    form.SetClientWidth(1630);
    form.SetClientHeight(6 * 260);
    std::vector<LMyFFTDrawPhase*> views;
    std::vector<std::unique_ptr<Plot>> plots;
    for (int i = 0; i < 11; ++i) {
        LMyFFTDrawPhase* view = i < 9 ? test::MakeMainWindowView(&form, 0, (i % 6) * 260, 1070)
                                      : test::MakeMainWindowView(&form, 1090, (i - 9) * 260, 530);
        view->SetLeft(i < 9 && i >= 6 ? 1090 : view->Left());
        view->SetFastPaths(state.range(0) != 0);
        views.push_back(view);
        plots.push_back(std::make_unique<Plot>(view));
        test::DrawSampleChannel(*plots.back(), i == 0);
    }
    form.Show();
    bench::PaintAll(form);
    for (auto _ : state) {
        for (LMyFFTDrawPhase* view : views) view->Invalidate();
        bench::PaintAll(form);
    }
    state.SetLabel(state.range(0) != 0 ? "fast paths" : "everything drawn every time");
}
BENCHMARK(BM_FullRepaint)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// 102 faders in six rows on a form.
struct TFaderPage {
    TForm form{nullptr};
    std::vector<TAdvTrackBar*> faders;
    TFaderPage() {
        form.AfterConstruction();
        form.SetClientWidth(17 * 40 + 20);
        form.SetClientHeight(6 * 140 + 20);
        for (int i = 0; i < 102; ++i)
            faders.push_back(
                test::MakeMainWindowFader(&form, 10 + (i % 17) * 40, 10 + (i / 17) * 140));
    }
};

void BM_FaderPageFirstPaint(benchmark::State& state) {
    bench::EnsureApplication();
    for (auto _ : state) {
        state.PauseTiming();
        auto page = std::make_unique<TFaderPage>();
        page->form.Show();
        state.ResumeTiming();
        bench::PaintAll(page->form);
        state.PauseTiming();
        page.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FaderPageFirstPaint)->Unit(benchmark::kMillisecond);

void BM_FaderMoved(benchmark::State& state) {
    bench::EnsureApplication();
    TFaderPage page;
    page.form.Show();
    bench::PaintAll(page.form);
    TAdvTrackBar* fader = page.faders[40];
    int position = 0;
    for (auto _ : state) {
        position = position < 100 ? position + 3 : -200;
        fader->SetPosition(position);
        bench::PaintAll(page.form);
    }
}
BENCHMARK(BM_FaderMoved)->Unit(benchmark::kMicrosecond);

void BM_FaderWholeRepaint(benchmark::State& state) {
    bench::EnsureApplication();
    TFaderPage page;
    page.form.Show();
    bench::PaintAll(page.form);
    TAdvTrackBar* fader = page.faders[40];
    for (auto _ : state) {
        fader->Invalidate();
        bench::PaintAll(page.form);
    }
}
BENCHMARK(BM_FaderWholeRepaint)->Unit(benchmark::kMicrosecond);

template <typename Make>
void BoxesPainted(benchmark::State& state, Make make) {
    bench::EnsureApplication();
    TForm form(nullptr);
    form.AfterConstruction();
    form.SetClientWidth(12 * 70 + 20);
    form.SetClientHeight(10 * 30 + 20);
    std::vector<TWinControl*> boxes;
    for (int i = 0; i < 114; ++i)
        boxes.push_back(make(form, 10 + (i % 12) * 70, 10 + (i / 12) * 30));
    form.Show();
    bench::PaintAll(form);
    for (auto _ : state) {
        for (TWinControl* box : boxes) box->Invalidate();
        bench::PaintAll(form);
    }
}

void BM_ValueBoxesPainted(benchmark::State& state) {
    BoxesPainted(state, [](TForm& form, int x, int y) -> TWinControl* {
        return test::MakeValueBox(&form, x, y, "+0.0dB");
    });
}
BENCHMARK(BM_ValueBoxesPainted)->Unit(benchmark::kMillisecond);

void BM_PlainEditsPainted(benchmark::State& state) {
    BoxesPainted(state, [](TForm& form, int x, int y) -> TWinControl* {
        auto* edit = bench::Add<TEdit>(&form, &form, x, y, 58, 21);
        edit->SetText("+0.0dB");
        return edit;
    });
}
BENCHMARK(BM_PlainEditsPainted)->Unit(benchmark::kMillisecond);

// Nine band tables on a shown form (three of eight rows, six of nine); every iteration loads all
// 78 bands.
void BM_NineTablesLoaded(benchmark::State& state) {
    bench::EnsureApplication();
    TForm form(nullptr);
    form.AfterConstruction();
    form.SetClientWidth(3 * 540 + 20);
    form.SetClientHeight(3 * 275 + 20);
    std::vector<TMyPEQAllpass*> tables;
    double sink = 0;
    for (int t = 0; t < 9; ++t) {
        auto* table = bench::Add<TMyPEQAllpass>(&form, &form, 10 + (t % 3) * 540,
                                                10 + (t / 3) * 275, 536, 270);
        table->SetChannelNumber(t < 3 ? 8 : 9);
        table->SetEditBackColor(clWhite);
        table->SetBypassBackColor(clSilver);
        if (state.range(0) != 0) {
            table->OnChange = [table, &sink](TObject*) {
                const int row = table->GetNowIndex();
                sink += table->GetFreqValue(row) + table->GetQValue(row) +
                        table->GetGainValue(row) + table->GetTypeValue(row) +
                        static_cast<double>(table->GetBypassValue(row));
            };
        }
        tables.push_back(table);
    }
    form.Show();
    bench::PaintAll(form);
    int round = 0;
    for (auto _ : state) {
        ++round;
        for (TMyPEQAllpass* table : tables) {
            for (int r = 0; r < table->ChannelNumber(); ++r) {
                table->SetEqParamValue(r, 100.0 * (r + 1) + round % 7, 20 + r, (r - 4) * 1.5, r % 7,
                                       (r + round) % 5 == 0);
            }
        }
        bench::PaintAll(form);
    }
    benchmark::DoNotOptimize(sink);
    state.SetLabel(state.range(0) != 0 ? "changes read back" : "no change handler");
}
BENCHMARK(BM_NineTablesLoaded)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace dsp
