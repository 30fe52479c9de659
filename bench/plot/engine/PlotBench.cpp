// The plot engine's paint and repaint requests.
//
// BM_EmptyAxesSideBySide paints an empty plot with two axes, their titles and the grid, 800 x 400,
// into an off-screen image, alternately with the engine and with QCustomPlot's toPixmap on the
// same scene, both without anti-aliasing, and reports both times and their ratio. It also times
// the engine's whole window paint (the off-screen image, then its copy to the window's pixels).
// Without QCustomPlot only the engine runs.
// BM_RepaintRequestWhilePending asks for a repaint while one is pending behind the frame-rate gate.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>

#include "framework/runtime/Application.h"
#include "tests/plot/engine/PlotTestSupport.h"

#ifdef DSP_HAVE_QCUSTOMPLOT
#include <qcustomplot.h>
#endif

namespace dsp {
namespace {

void EnsureApplication() {
    static bool started = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        setenv("QT_FONT_DPI", "96", 0);
        auto* application = new TApplication();
        application->Initialize();
        return true;
    }();
    (void)started;
}

constexpr int kWidth = 800;
constexpr int kHeight = 400;

// The engine's scene: the axes with their titles, the grid, no toolbar, legend or title.
void SetUpEngineScene(test::TAxesPlot& plot) {
    plot.SetBounds(0, 0, kWidth, kHeight);
    plot.GetToolBar(0)->SetVisible(false);
    plot.GetLegend(0)->SetVisible(false);
    plot.GetLabel(0)->SetVisible(false);
    plot.GetXAxis(0)->SetTitleShow(true);
    plot.GetYAxis(0)->SetTitleShow(true);
}

#ifdef DSP_HAVE_QCUSTOMPLOT
// The same scene in QCustomPlot: two axes from 0 to 100 with labels, ticks and the grid.
void SetUpQCustomPlotScene(QCustomPlot& plot) {
    plot.resize(kWidth, kHeight);
    plot.setNotAntialiasedElements(QCP::aeAll);
    plot.setBackground(Qt::black);
    for (QCPAxis* axis : {plot.xAxis, plot.yAxis}) {
        axis->setRange(0, 100);
        axis->setBasePen(QPen(Qt::white));
        axis->setTickPen(QPen(Qt::white));
        axis->setSubTickPen(QPen(Qt::white));
        axis->setTickLabelColor(Qt::white);
        axis->setLabelColor(Qt::white);
        axis->grid()->setPen(QPen(QColor(0, 128, 0)));
    }
    plot.xAxis->setLabel("X-Axis 1");
    plot.yAxis->setLabel("Y-Axis 1");
    plot.replot();
}
#endif

void BM_EmptyAxesSideBySide(benchmark::State& state) {
    EnsureApplication();
    using Clock = std::chrono::steady_clock;
    test::TAxesPlot engine(nullptr);
    SetUpEngineScene(engine);
    TBitmap image(kWidth, kHeight);
    Clock::duration engineTime{};
    Clock::duration windowTime{};
#ifdef DSP_HAVE_QCUSTOMPLOT
    QCustomPlot qcp;
    SetUpQCustomPlotScene(qcp);
    Clock::duration qcpTime{};
#endif
    for (auto _ : state) {
        const auto t0 = Clock::now();
        engine.PaintToCanvas(image.Canvas());
        benchmark::DoNotOptimize(image.PixelAt(kWidth / 2, kHeight / 2));
        const auto tw = Clock::now();
        engine.PaintTo(*image.Canvas(), 0, 0);
        benchmark::DoNotOptimize(image.PixelAt(kWidth / 2, kHeight / 2));
        const auto t1 = Clock::now();
        engineTime += tw - t0;
        windowTime += t1 - tw;
#ifdef DSP_HAVE_QCUSTOMPLOT
        QPixmap pixmap = qcp.toPixmap(kWidth, kHeight);
        benchmark::DoNotOptimize(pixmap.cacheKey());
        qcpTime += Clock::now() - t1;
#endif
    }
    const auto ms = [&](Clock::duration d) {
        return std::chrono::duration<double, std::milli>(d).count() /
               static_cast<double>(state.iterations());
    };
    state.counters["engine_ms"] = ms(engineTime);
    state.counters["engine_window_paint_ms"] = ms(windowTime);
#ifdef DSP_HAVE_QCUSTOMPLOT
    state.counters["qcustomplot_ms"] = ms(qcpTime);
    state.counters["engine_per_qcustomplot"] =
        std::chrono::duration<double>(engineTime) / std::chrono::duration<double>(qcpTime);
#endif
}
BENCHMARK(BM_EmptyAxesSideBySide)->Unit(benchmark::kMillisecond);

void BM_RepaintRequestWhilePending(benchmark::State& state) {
    EnsureApplication();
    test::TAxesPlot plot(nullptr);
    plot.SetAutoFrameRate(true);
    plot.RepaintNow();
    plot.RequestRepaint();  // inside the frame gap: held back, pending
    for (auto _ : state) {
        plot.RequestRepaint();
        benchmark::DoNotOptimize(plot.GetNeedsRepaint());
    }
    if (!plot.GetNeedsRepaint()) state.SkipWithError("the repaint was not pending");
}
BENCHMARK(BM_RepaintRequestWhilePending);

}  // namespace
}  // namespace dsp
