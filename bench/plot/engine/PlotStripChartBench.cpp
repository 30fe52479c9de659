// The strip chart next to QCustomPlot 2.1, side by side in one run, without anti-aliasing on
// either side, 800 x 400:
//
// BM_FastTrace/N    a strip-chart channel of N points (a noisy sine over the whole X axis)
//                   painted with the fast trace, against a QCPGraph of the same points, each
//                   painting its whole plot off screen.
// BM_Streaming/W    60 frames of scrolling data: a ring of W points, 1,000 new points and a
//                   repaint per frame, against QCPGraph::addData + removeBefore + a repaint.
// BM_GatedPaints    10,000 points a second, one at a time, for ten seconds on the manual clock,
//                   the frame-rate gate on (60 a second): the paints made per second (the gate's
//                   frames plus any backstop tick) and the real time a point and a paint cost.
// BM_DataFile       1e6 points saved to a text data file and loaded back (no QCustomPlot
//                   counterpart: against writing and parsing the same numbers in a plain loop).

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "framework/runtime/Application.h"
#include "framework/runtime/ManualClock.h"
#include "framework/text/Numbers.h"
#include "framework/text/WholeFile.h"
#include "plot/engine/iPlot.h"
#include "tests/plot/engine/PlotTestSupport.h"

#ifdef DSP_HAVE_QCUSTOMPLOT
#include <qcustomplot.h>
#endif

namespace dsp {
namespace {

using Clock = std::chrono::steady_clock;

void StartApplication() {
    static bool started = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        setenv("QT_FONT_DPI", "96", 0);
        auto* application = new TApplication();
        application->Initialize();
        return true;
    }();
    (void)started;
}

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

constexpr int kWidth = 800;
constexpr int kHeight = 400;

double Signal(int i, std::mt19937& random) {
    std::normal_distribution<double> noise(0, 3);
    return 50 + 40 * std::sin(i * 0.001) + noise(random);
}

void SetUpStripChart(TiPlot& plot, double span) {
    plot.SetBounds(0, 0, kWidth, kHeight);
    plot.GetToolBar(0)->SetVisible(false);
    plot.GetLegend(0)->SetVisible(false);
    plot.GetLabel(0)->SetVisible(false);
    plot.GetXAxis(0)->SetTrackingEnabled(false);
    plot.GetYAxis(0)->SetTrackingEnabled(false);
    plot.GetXAxis(0)->SetMinSpan(0, span);
    plot.GetYAxis(0)->SetMinSpan(0, 100);
}

#ifdef DSP_HAVE_QCUSTOMPLOT
void SetUpQcpPlot(QCustomPlot& plot, double span) {
    plot.resize(kWidth, kHeight);
    plot.setNotAntialiasedElements(QCP::aeAll);
    plot.setBackground(Qt::black);
    plot.xAxis->setRange(0, span);
    plot.yAxis->setRange(0, 100);
}
#endif

void BM_FastTrace(benchmark::State& state) {
    StartApplication();
    const int n = static_cast<int>(state.range(0));
    std::mt19937 random(3);
    std::vector<double> ys(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) ys[static_cast<std::size_t>(i)] = Signal(i, random);
    TiPlot engine(nullptr);
    SetUpStripChart(engine, n);
    TiPlotChannel* channel = engine.GetChannel(0);
    channel->SetCount(n);
    for (int i = 0; i < n; ++i) channel->AddXY(i, ys[static_cast<std::size_t>(i)]);
    TBitmap image(kWidth, kHeight);
#ifdef DSP_HAVE_QCUSTOMPLOT
    QCustomPlot qcp;
    SetUpQcpPlot(qcp, n);
    QCPGraph* graph = qcp.addGraph();
    for (int i = 0; i < n; ++i) graph->addData(i, ys[static_cast<std::size_t>(i)]);
    Clock::duration qcpTime{};
#endif
    Clock::duration engineTime{};
    for (auto _ : state) {
        const auto t0 = Clock::now();
        engine.PaintToCanvas(image.Canvas());
        engineTime += Clock::now() - t0;
#ifdef DSP_HAVE_QCUSTOMPLOT
        const auto t1 = Clock::now();
        QPixmap pixmap = qcp.toPixmap(kWidth, kHeight);
        qcpTime += Clock::now() - t1;
        benchmark::DoNotOptimize(pixmap.width());
#endif
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["engine_ms"] = Ms(engineTime) / iterations;
#ifdef DSP_HAVE_QCUSTOMPLOT
    state.counters["qcpgraph_ms"] = Ms(qcpTime) / iterations;
    state.counters["engine_per_qcpgraph"] = Ms(engineTime) / Ms(qcpTime);
#endif
}
BENCHMARK(BM_FastTrace)
    ->Arg(1'000)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond);

void BM_Streaming(benchmark::State& state) {
    StartApplication();
    const int window = static_cast<int>(state.range(0));
    constexpr int kPerFrame = 1'000;
    constexpr int kFrames = 60;
    std::mt19937 random(5);
    Clock::duration engineTime{};
#ifdef DSP_HAVE_QCUSTOMPLOT
    Clock::duration qcpTime{};
#endif
    for (auto _ : state) {
        {
            TiPlot engine(nullptr);
            SetUpStripChart(engine, window);
            TiPlotChannel* channel = engine.GetChannel(0);
            channel->SetRingBufferSize(window);
            TBitmap image(kWidth, kHeight);
            int next = 0;
            for (; next < window; ++next) channel->AddXY(next, Signal(next, random));
            const auto t0 = Clock::now();
            for (int frame = 0; frame < kFrames; ++frame) {
                for (int k = 0; k < kPerFrame; ++k, ++next)
                    channel->AddXY(next, Signal(next, random));
                engine.GetXAxis(0)->SetMin(next - window);
                engine.PaintToCanvas(image.Canvas());
            }
            engineTime += Clock::now() - t0;
        }
#ifdef DSP_HAVE_QCUSTOMPLOT
        {
            QCustomPlot qcp;
            SetUpQcpPlot(qcp, window);
            QCPGraph* graph = qcp.addGraph();
            int next = 0;
            for (; next < window; ++next) graph->addData(next, Signal(next, random));
            const auto t0 = Clock::now();
            for (int frame = 0; frame < kFrames; ++frame) {
                for (int k = 0; k < kPerFrame; ++k, ++next)
                    graph->addData(next, Signal(next, random));
                graph->data()->removeBefore(next - window);
                qcp.xAxis->setRange(next - window, next);
                QPixmap pixmap = qcp.toPixmap(kWidth, kHeight);
                benchmark::DoNotOptimize(pixmap.width());
            }
            qcpTime += Clock::now() - t0;
        }
#endif
    }
    const double frames = static_cast<double>(state.iterations()) * kFrames;
    state.counters["engine_ms_per_frame"] = Ms(engineTime) / frames;
#ifdef DSP_HAVE_QCUSTOMPLOT
    state.counters["qcpgraph_ms_per_frame"] = Ms(qcpTime) / frames;
    state.counters["engine_per_qcpgraph"] = Ms(engineTime) / Ms(qcpTime);
#endif
}
BENCHMARK(BM_Streaming)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond)->Iterations(2);

// A strip chart whose every repaint paints into an off-screen image, and is counted.
class TCountingPlot : public TiPlot {
public:
    using TiPlot::TiPlot;
    void RepaintNow() override {
        ++paints;
        PaintToCanvas(image.Canvas());
        TiPlot::RepaintNow();
    }
    TBitmap image{kWidth, kHeight};
    long long paints = 0;
};

void BM_GatedPaints(benchmark::State& state) {
    StartApplication();
    constexpr int kSeconds = 10;
    constexpr int kPointsPerMs = 10;  // 10 kHz
    std::mt19937 random(9);
    long long paints = 0;
    Clock::duration wall{};
    for (auto _ : state) {
        TManualClock clock;
        TCountingPlot plot(nullptr);
        SetUpStripChart(plot, kSeconds * 1000.0 * kPointsPerMs);
        plot.SetAutoFrameRate(true);
        TiPlotChannel* channel = plot.GetChannel(0);
        channel->SetCount(kSeconds * 1000 * kPointsPerMs);
        int next = 0;
        const auto t0 = Clock::now();
        for (int ms = 0; ms < kSeconds * 1000; ++ms) {
            for (int k = 0; k < kPointsPerMs; ++k, ++next) {
                channel->AddXY(next, Signal(next, random));
            }
            clock.Advance(std::chrono::milliseconds(1));
        }
        wall += Clock::now() - t0;
        paints += plot.paints;
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["paints_per_second"] = static_cast<double>(paints) / runs / kSeconds;
    state.counters["real_ms_per_simulated_second"] = Ms(wall) / runs / kSeconds;
}
BENCHMARK(BM_GatedPaints)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_DataFile(benchmark::State& state) {
    StartApplication();
    constexpr int kPoints = 1'000'000;
    const std::string file = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") +
                             "/plot-bench-data.txt";
    Clock::duration saveTime{};
    Clock::duration loadTime{};
    Clock::duration plainTime{};
    for (auto _ : state) {
        TiPlot plot(nullptr);
        TiPlotChannel* channel = plot.GetChannel(0);
        for (int i = 0; i < kPoints; ++i) channel->AddXY(i * 0.001, std::sin(i * 0.01));
        const auto t0 = Clock::now();
        plot.SaveDataToFile(file);
        saveTime += Clock::now() - t0;
        TiPlot reader(nullptr);
        const auto t1 = Clock::now();
        reader.LoadDataFromFile(file);
        loadTime += Clock::now() - t1;
        benchmark::DoNotOptimize(reader.GetChannel(0)->Count());
        // The same numbers written and parsed in a plain loop.
        const auto t2 = Clock::now();
        std::string text;
        for (int i = 0; i < kPoints; ++i) {
            text += FloatToStr(i * 0.001) + "\t" + FloatToStr(std::sin(i * 0.01)) + "\r\n";
        }
        double sum = 0;
        std::size_t pos = 0;
        while (pos < text.size()) {
            const std::size_t end = text.find('\n', pos);
            sum += std::strtod(text.c_str() + pos, nullptr);
            pos = end + 1;
        }
        plainTime += Clock::now() - t2;
        benchmark::DoNotOptimize(sum);
    }
    std::remove(file.c_str());
    const double iterations = static_cast<double>(state.iterations());
    state.counters["save_ms"] = Ms(saveTime) / iterations;
    state.counters["load_ms"] = Ms(loadTime) / iterations;
    state.counters["plain_format_and_parse_ms"] = Ms(plainTime) / iterations;
}
BENCHMARK(BM_DataFile)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace dsp
