// Channels next to QCustomPlot 2.1, side by side in one run, without anti-aliasing on either side:
//
// BM_AppendOneByOne     1e6 points added one at a time: an XY channel's AddXY (axis tracking
//                       off, as in the program's plots, a repaint pending) against
//                       QCPGraph::addData; also the allocations AddXY makes once the list has
//                       room (expected 0). The heap gives its free memory back before each side,
//                       so that neither writes into pages the other has already touched: on a
//                       virtual machine the first touch of a page costs more than the append.
// BM_MemoryPerPoint     heap bytes per point at 1e6 points (malloc's own count, so both sides are
//                       measured alike; the capacity kept for growth included, and the engine's
//                       page-mapped point arrays added whole pages): the standard and
//                       the compact layouts against QCPCurve and QCPGraph.
// BM_PaintXYChannel/N/J an 800 x 400 plot with one XY channel of N points drawn in list order (a
//                       Lissajous figure, with noise of J tenths when J > 0) against QCPCurve,
//                       each painting its whole plot off screen.
// BM_CircleMarkers/N    N circle markers (the operating point's style: size 5, pen width 3)
//                       against a QCPGraph scatter of circles.
// BM_TransferPlotScene  the compressor plot at its design size: its 4 + 1 points replaced as the
//                       main window replaces them, then the whole plot painted off screen; also
//                       the window's paint (the off-screen image copied onto the window).

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <new>
#include <random>
#include <vector>

#include "framework/core/GrowableBlock.h"
#include "framework/runtime/Application.h"
#include "plot/engine/TransferPlotSetup.h"
#include "plot/engine/iXYPlot.h"
#include "tests/plot/engine/PlotTestSupport.h"

#ifdef DSP_HAVE_QCUSTOMPLOT
#include <qcustomplot.h>
#endif

// Every operator new of the program is counted, so that the allocations of one call can be read.
namespace {
std::atomic<long long> gNewCalls{0};
}  // namespace

void* operator new(std::size_t size) {
    ++gNewCalls;
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace dsp {
namespace {

using Clock = std::chrono::steady_clock;

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

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// Bytes the heap has handed out (capacity reserved by growth included), and the engine's
// large point arrays, which are pages of their own outside the heap's count.
std::size_t HeapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd + LargeBlockBytes();
}

// Heap bytes per point of building a container of points.
template <typename Build>
double HeapPerPoint(int points, Build build) {
    const std::size_t before = HeapInUse();
    build();
    return static_cast<double>(HeapInUse() - before) / points;
}

// The points of the paint scenes: a Lissajous figure in 0..100 both ways, optionally with noise
// (a standard deviation of noise value units) around it.
std::vector<std::pair<double, double>> Figure(int n, double noise = 0) {
    std::vector<std::pair<double, double>> points;
    points.reserve(static_cast<std::size_t>(n));
    std::mt19937 random(7);
    std::normal_distribution<double> jitter(0, noise > 0 ? noise : 1);
    for (int i = 0; i < n; ++i) {
        const double t = 2 * M_PI * i / n;
        const double dx = noise > 0 ? jitter(random) : 0;
        const double dy = noise > 0 ? jitter(random) : 0;
        points.emplace_back(50 + 45 * std::sin(3 * t) + dx, 50 + 45 * std::sin(4 * t) + dy);
    }
    return points;
}

constexpr int kWidth = 800;
constexpr int kHeight = 400;

// An XY plot with only its axes and the channel, the axes fixed on 0..100.
void SetUpEnginePlot(TiXYPlot& plot) {
    plot.SetBounds(0, 0, kWidth, kHeight);
    plot.GetToolBar(0)->SetVisible(false);
    plot.GetLegend(0)->SetVisible(false);
    plot.GetLabel(0)->SetVisible(false);
    for (TiPlotAxis* axis :
         {static_cast<TiPlotAxis*>(plot.GetXAxis(0)), static_cast<TiPlotAxis*>(plot.GetYAxis(0))}) {
        axis->SetTrackingEnabled(false);
        axis->SetMinSpan(0, 100);
    }
}

#ifdef DSP_HAVE_QCUSTOMPLOT
void SetUpQcpPlot(QCustomPlot& plot) {
    plot.resize(kWidth, kHeight);
    plot.setNotAntialiasedElements(QCP::aeAll);
    plot.setBackground(Qt::black);
    plot.xAxis->setRange(0, 100);
    plot.yAxis->setRange(0, 100);
}
#endif

void BM_AppendOneByOne(benchmark::State& state) {
    EnsureApplication();
    constexpr int kPoints = 1'000'000;
    Clock::duration engineTime{};
    Clock::duration roomTime{};
    Clock::duration compactTime{};
    long long allocations = 0;
#ifdef DSP_HAVE_QCUSTOMPLOT
    Clock::duration qcpTime{};
#endif
    for (auto _ : state) {
        {
            TiXYPlot plot(nullptr);
            SetUpEnginePlot(plot);
            plot.RepaintNow();
            plot.RequestRepaint();  // held back by the frame gate: a repaint is pending
            TiXYPlotChannel* channel = plot.GetChannel(0);
            malloc_trim(0);
            const auto t0 = Clock::now();
            for (int i = 0; i < kPoints; ++i) channel->AddXY(i, i & 1023);
            engineTime += Clock::now() - t0;
            benchmark::DoNotOptimize(channel->Count());
            // With room in the list a point costs no allocation at all.
            channel->Clear();
            channel->SetCount(kPoints);
            const long long before = gNewCalls.load();
            const auto t1 = Clock::now();
            for (int i = 0; i < kPoints; ++i) channel->AddXY(i, i & 1023);
            roomTime += Clock::now() - t1;
            allocations += gNewCalls.load() - before;
            // The compact layout (8 bytes a point).
            channel->SetDataStyle(ipdsCompact);
            const auto t2 = Clock::now();
            for (int i = 0; i < kPoints; ++i) channel->AddXY(i, i & 1023);
            compactTime += Clock::now() - t2;
        }
#ifdef DSP_HAVE_QCUSTOMPLOT
        {
            QCustomPlot plot;
            QCPGraph* graph = plot.addGraph();
            malloc_trim(0);
            const auto t0 = Clock::now();
            for (int i = 0; i < kPoints; ++i) graph->addData(i, i & 1023);
            qcpTime += Clock::now() - t0;
            benchmark::DoNotOptimize(graph->dataCount());
        }
#endif
    }
    const double n = static_cast<double>(state.iterations()) * kPoints;
    state.counters["engine_ns_per_point"] = Ms(engineTime) * 1e6 / n;
    state.counters["engine_allocations_per_point"] = static_cast<double>(allocations) / n;
    state.counters["engine_ns_per_point_with_room"] = Ms(roomTime) * 1e6 / n;
    state.counters["engine_compact_ns_per_point"] = Ms(compactTime) * 1e6 / n;
#ifdef DSP_HAVE_QCUSTOMPLOT
    state.counters["qcpgraph_ns_per_point"] = Ms(qcpTime) * 1e6 / n;
    state.counters["engine_per_qcpgraph"] =
        std::chrono::duration<double>(engineTime) / std::chrono::duration<double>(qcpTime);
#endif
}
BENCHMARK(BM_AppendOneByOne)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_MemoryPerPoint(benchmark::State& state) {
    EnsureApplication();
    constexpr int kPoints = 1'000'000;
    double standard = 0;
    double compact = 0;
    for (auto _ : state) {
        TiXYPlot plot(nullptr);
        SetUpEnginePlot(plot);
        for (TiPlotDataStyle style : {ipdsStandard, ipdsCompact}) {
            TiXYPlotChannel* channel = plot.GetChannel(plot.AddChannel());
            channel->SetDataStyle(style);
            const double bytes = HeapPerPoint(kPoints, [&] {
                for (int i = 0; i < kPoints; ++i) channel->AddXY(i, i);
            });
            (style == ipdsStandard ? standard : compact) = bytes;
            // What the points themselves take, without the capacity kept for growth.
            state.counters[style == ipdsStandard ? "engine_standard_record_bytes"
                                                 : "engine_compact_record_bytes"] =
                channel->DataPointSize();
        }
    }
    state.counters["engine_standard_bytes"] = standard;
    state.counters["engine_compact_bytes"] = compact;
#ifdef DSP_HAVE_QCUSTOMPLOT
    QCustomPlot plot;
    const double graph = HeapPerPoint(kPoints, [&] {
        QCPGraph* g = plot.addGraph();
        for (int i = 0; i < kPoints; ++i) g->addData(i, i);
    });
    const double curve = HeapPerPoint(kPoints, [&] {
        auto* c = new QCPCurve(plot.xAxis, plot.yAxis);
        for (int i = 0; i < kPoints; ++i) c->addData(i, i);
    });
    state.counters["qcpcurve_bytes"] = curve;
    state.counters["qcpgraph_bytes"] = graph;
    state.counters["standard_per_qcpcurve"] = standard / curve;
    state.counters["compact_per_qcpgraph"] = compact / graph;
#endif
}
BENCHMARK(BM_MemoryPerPoint)->Iterations(1);

void BM_PaintXYChannel(benchmark::State& state) {
    EnsureApplication();
    const int n = static_cast<int>(state.range(0));
    // The second argument: noise in tenths of a value unit (a jagged trace).
    const auto points = Figure(n, static_cast<double>(state.range(1)) / 10);
    TiXYPlot engine(nullptr);
    SetUpEnginePlot(engine);
    TiXYPlotChannel* channel = engine.GetChannel(0);
    for (const auto& [x, y] : points) channel->AddXY(x, y);
    TBitmap image(kWidth, kHeight);
    Clock::duration engineTime{};
#ifdef DSP_HAVE_QCUSTOMPLOT
    QCustomPlot qcp;
    SetUpQcpPlot(qcp);
    auto* curve = new QCPCurve(qcp.xAxis, qcp.yAxis);
    curve->setPen(QPen(Qt::red));
    QVector<double> keys;
    QVector<double> values;
    for (const auto& [x, y] : points) {
        keys.push_back(x);
        values.push_back(y);
    }
    curve->setData(keys, values);
    Clock::duration qcpTime{};
#endif
    for (auto _ : state) {
        const auto t0 = Clock::now();
        engine.PaintToCanvas(image.Canvas());
        benchmark::DoNotOptimize(image.PixelAt(kWidth / 2, kHeight / 2));
        const auto t1 = Clock::now();
        engineTime += t1 - t0;
#ifdef DSP_HAVE_QCUSTOMPLOT
        QPixmap pixmap = qcp.toPixmap(kWidth, kHeight);
        benchmark::DoNotOptimize(pixmap.cacheKey());
        qcpTime += Clock::now() - t1;
#endif
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["engine_ms"] = Ms(engineTime) / iterations;
#ifdef DSP_HAVE_QCUSTOMPLOT
    state.counters["qcpcurve_ms"] = Ms(qcpTime) / iterations;
    state.counters["engine_per_qcpcurve"] =
        std::chrono::duration<double>(engineTime) / std::chrono::duration<double>(qcpTime);
#endif
}
BENCHMARK(BM_PaintXYChannel)
    ->Args({1'000, 0})
    ->Args({10'000, 0})
    ->Args({100'000, 0})
    ->Args({1'000'000, 0})
    ->Args({100'000, 3})
    ->Unit(benchmark::kMillisecond);

void BM_CircleMarkers(benchmark::State& state) {
    EnsureApplication();
    const int n = static_cast<int>(state.range(0));
    const auto points = Figure(n);
    TiXYPlot engine(nullptr);
    SetUpEnginePlot(engine);
    TiXYPlotChannel* channel = engine.GetChannel(0);
    channel->SetTraceVisible(false);
    channel->SetMarkersVisible(true);
    channel->SetMarkersSize(5);
    channel->SetMarkersPenWidth(3);
    for (const auto& [x, y] : points) channel->AddXY(x, y);
    TBitmap image(kWidth, kHeight);
    Clock::duration engineTime{};
#ifdef DSP_HAVE_QCUSTOMPLOT
    QCustomPlot qcp;
    SetUpQcpPlot(qcp);
    QCPGraph* graph = qcp.addGraph();
    graph->setLineStyle(QCPGraph::lsNone);
    graph->setScatterStyle(
        QCPScatterStyle(QCPScatterStyle::ssCircle, QPen(Qt::red, 3), QBrush(Qt::red), 10));
    for (const auto& [x, y] : points) graph->addData(x, y);
    Clock::duration qcpTime{};
#endif
    for (auto _ : state) {
        const auto t0 = Clock::now();
        engine.PaintToCanvas(image.Canvas());
        benchmark::DoNotOptimize(image.PixelAt(kWidth / 2, kHeight / 2));
        const auto t1 = Clock::now();
        engineTime += t1 - t0;
#ifdef DSP_HAVE_QCUSTOMPLOT
        QPixmap pixmap = qcp.toPixmap(kWidth, kHeight);
        benchmark::DoNotOptimize(pixmap.cacheKey());
        qcpTime += Clock::now() - t1;
#endif
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["engine_ms"] = Ms(engineTime) / iterations;
#ifdef DSP_HAVE_QCUSTOMPLOT
    state.counters["qcpgraph_ms"] = Ms(qcpTime) / iterations;
    state.counters["engine_per_qcpgraph"] =
        std::chrono::duration<double>(engineTime) / std::chrono::duration<double>(qcpTime);
#endif
}
BENCHMARK(BM_CircleMarkers)->Arg(1'000)->Arg(10'000)->Unit(benchmark::kMillisecond);

void BM_TransferPlotScene(benchmark::State& state) {
    EnsureApplication();
    TiXYPlot plot(nullptr);
    ConfigureTransferPlot(plot);
    plot.SetBounds(0, 0, kCompressorPlotWidth, kTransferPlotHeight);
    ReplaceTransferPoints(plot, kCompressorStartCurve, kCompressorStartOperatingPoint);
    TBitmap image(kCompressorPlotWidth, kTransferPlotHeight);
    double threshold = -40;
    Clock::duration replaceAndPaint{};
    Clock::duration windowCopy{};
    for (auto _ : state) {
        threshold = threshold >= 0 ? -40 : threshold + 0.5;
        const TiDoublePoint curve[] = {{20, threshold + (20 - threshold) / 4},
                                       {threshold + 3, threshold + 0.75},
                                       {threshold - 3, threshold - 3},
                                       {-100, -100}};
        const auto t0 = Clock::now();
        ReplaceTransferPoints(plot, curve, {threshold + 0.2, threshold - 0.4});
        plot.PaintToCanvas(image.Canvas());
        benchmark::DoNotOptimize(image.PixelAt(10, 10));
        const auto t1 = Clock::now();
        // The window's paint: the same, through the off-screen bitmap onto the window.
        plot.PaintTo(*image.Canvas(), 0, 0);
        benchmark::DoNotOptimize(image.PixelAt(10, 10));
        replaceAndPaint += t1 - t0;
        windowCopy += Clock::now() - t1;
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["replace_and_paint_ms"] = Ms(replaceAndPaint) / iterations;
    state.counters["window_paint_ms"] = Ms(windowCopy) / iterations;
}
BENCHMARK(BM_TransferPlotScene)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace dsp
