// What editing costs on the real main window (shown, every control painted), each figure beside
// the repaint it ends in, measured in the same run so that the times read as ratios:
// - one drag step of a band on Out1's view: the mouse move (band into the table, the image and
//   the send path), the 1 ms tick (band curve, channel total, marker, selected band's fill,
//   fields) and the window's paint, beside the view's own recompose and paint;
// - one compressor threshold change: the fader moved (image, send path, linked strips), the
//   tick that redraws the transfer plot, and the paint, beside the plot's repaint alone.
// Without a link the records stop at the send path.

#include <benchmark/benchmark.h>

#include <chrono>

#include "bench/framework/controls/BenchForms.h"
#include "components/LMyFFTDrawPhase.h"
#include "framework/controls/MessageParams.h"
#include "framework/runtime/ManualClock.h"
#include "mainwindow/FMain.h"
#include "model/Plot.h"
#include "plot/engine/iXYPlot.h"
#include "tests/support/RunLoop.h"
#include "widgets/panels/RzBmpBtn.h"
#include "widgets/styled/AdvTrackBar.h"

namespace dsp {
namespace {

// The main window made, created, shown and painted, on a page.
class TShownWindow {
public:
    explicit TShownWindow(int page) {
        bench::EnsureApplication();
        window_ = new TfmMain(nullptr);
        fmMain = window_;
        window_->AfterConstruction();
        window_->Show();
        auto* button = window_->Control<TRzBmpButton>("rzbMenu" + TfmMain::PageName(page));
        button->SetDown(true);
        button->Click();
        Settle();
    }
    ~TShownWindow() { delete window_; }
    TShownWindow(const TShownWindow&) = delete;
    TShownWindow& operator=(const TShownWindow&) = delete;

    TfmMain& Window() { return *window_; }
    // A frame at 60 Hz on (the editing timers' 1 ms one-shots fall due and the transfer plots,
    // which repaint at most 60 times a second, may repaint), the event loop's turn and every
    // pending paint.
    void Settle() {
        clock_.Advance(std::chrono::milliseconds(17));
        test::RunPendingEvents();
        bench::PaintAll(*window_);
    }

private:
    // The window's timers follow this clock, so a step does not wait for a real millisecond.
    TManualClock clock_;
    TfmMain* window_ = nullptr;
};

constexpr int kOut1 = 3;

void BM_DragStepOnTheMainWindow(benchmark::State& state) {
    TShownWindow shown(kOut1);
    auto& view = *shown.Window().Control<LMyFFTDrawPhase>("fftDrawOut1");
    const TPoint marker{view.GetBlockPos(2).X + view.GetPlotLeft(),
                        view.GetBlockPos(2).Y + view.GetPlotTop()};
    view.Perform(MakeMouseMessage(WM_LBUTTONDOWN, MK_LBUTTON, marker));
    shown.Settle();
    int step = 0;
    for (auto _ : state) {
        step = (step + 1) % 40;
        view.Perform(
            MakeMouseMessage(WM_MOUSEMOVE, MK_LBUTTON, {marker.X + step * 3, marker.Y - step}));
        shown.Settle();
    }
    view.Perform(MakeMouseMessage(WM_LBUTTONUP, 0, marker));
}
BENCHMARK(BM_DragStepOnTheMainWindow)->Unit(benchmark::kMillisecond);

void BM_ChannelViewRepaint(benchmark::State& state) {
    TShownWindow shown(kOut1);
    auto& view = *shown.Window().Control<LMyFFTDrawPhase>("fftDrawOut1");
    for (auto _ : state) {
        view.UpdateCurvePage();
        view.Invalidate();
        shown.Settle();
    }
}
BENCHMARK(BM_ChannelViewRepaint)->Unit(benchmark::kMillisecond);

void BM_CompressorThresholdChange(benchmark::State& state) {
    TShownWindow shown(TfmMain::kPageComp);
    auto& fader = *shown.Window().Control<TAdvTrackBar>("isCompThresholdOut1");
    int position = -40;
    for (auto _ : state) {
        position = position < 0 ? position + 1 : -40;
        fader.SetPosition(position);
        shown.Settle();
    }
}
BENCHMARK(BM_CompressorThresholdChange)->Unit(benchmark::kMillisecond);

void BM_TransferPlotRepaint(benchmark::State& state) {
    TShownWindow shown(TfmMain::kPageComp);
    auto& plot = *shown.Window().Control<TiXYPlot>("ipComp");
    for (auto _ : state) {
        plot.Invalidate();
        shown.Settle();
    }
}
BENCHMARK(BM_TransferPlotRepaint)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace dsp
