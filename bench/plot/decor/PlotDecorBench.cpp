// The plot editor and the plot out of the window.
//
// BM_EditorOpen makes the property editor of a plot with 10 channels and 4 axes, fills its lists
// and loads every page and the plot-wide settings (what opening the editor does before it
// shows), then frees it.
// BM_SavePng, BM_SaveJpg and BM_PrintPdf write the same 800 x 400 scene (two axes with titles
// and the grid, 10 XY channels of 200 points) alternately with the engine and with QCustomPlot
// (savePng, saveJpg, savePdf) and report both times and the ratio.
// PNG: the engine at compression level 6 next to QCustomPlot's default; JPEG: quality 75 on
// both; PDF: the engine prints on the PDF printer at 300 and at 72 pixels per inch (its pages
// are pictures of that resolution; QCustomPlot writes vectors). Without QCustomPlot only the
// engine runs.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <string>

#include "framework/desktop/Printers.h"
#include "framework/runtime/Application.h"
#include "plot/decor/iPlotEditor.h"
#include "plot/engine/iPlotAxis.h"
#include "plot/engine/iPlotLabel.h"
#include "plot/engine/iPlotLegend.h"
#include "plot/engine/iPlotToolBar.h"
#include "plot/engine/iXYPlot.h"
#include "tests/support/TempFolder.h"

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
constexpr int kChannels = 10;
constexpr int kPoints = 200;

double Wave(int channel, int i) { return 50 + 40 * std::sin(i * 0.05 + channel * 0.6); }

// The channels' colours, red, green, blue on both sides.
constexpr unsigned char kPalette[kChannels][3] = {
    {255, 0, 0},   {0, 255, 0},   {255, 255, 0}, {0, 128, 255},   {255, 0, 255},
    {0, 255, 255}, {255, 128, 0}, {128, 255, 0}, {255, 255, 255}, {128, 128, 255}};

// The scene: the axes with their titles, the grid, 10 XY channels of 200 points; no toolbar,
// legend or title.
void SetUpEngineScene(TiXYPlot& plot) {
    plot.SetBounds(0, 0, kWidth, kHeight);
    plot.GetToolBar(0)->SetVisible(false);
    plot.GetLegend(0)->SetVisible(false);
    plot.GetLabel(0)->SetVisible(false);
    plot.GetXAxis(0)->SetTitleShow(true);
    plot.GetYAxis(0)->SetTitleShow(true);
    plot.GetXAxis(0)->SetSpan(kPoints);
    while (plot.ChannelCount() < kChannels) plot.AddChannel();
    for (int c = 0; c < kChannels; ++c) {
        TiXYPlotChannel* channel = plot.GetChannel(c);
        channel->SetColor(static_cast<TColor>(RGB(kPalette[c][0], kPalette[c][1], kPalette[c][2])));
        channel->SetXAxisTrackingEnabled(false);
        channel->SetYAxisTrackingEnabled(false);
        for (int i = 0; i < kPoints; ++i) channel->AddXY(i, Wave(c, i));
    }
}

#ifdef DSP_HAVE_QCUSTOMPLOT
void SetUpQCustomPlotScene(QCustomPlot& plot) {
    plot.resize(kWidth, kHeight);
    plot.setNotAntialiasedElements(QCP::aeAll);
    plot.setBackground(Qt::black);
    for (QCPAxis* axis : {plot.xAxis, plot.yAxis}) {
        axis->setBasePen(QPen(Qt::white));
        axis->setTickPen(QPen(Qt::white));
        axis->setSubTickPen(QPen(Qt::white));
        axis->setTickLabelColor(Qt::white);
        axis->setLabelColor(Qt::white);
        axis->grid()->setPen(QPen(QColor(0, 128, 0)));
    }
    plot.xAxis->setRange(0, kPoints);
    plot.yAxis->setRange(0, 100);
    plot.xAxis->setLabel("X-Axis 1");
    plot.yAxis->setLabel("Y-Axis 1");
    for (int c = 0; c < kChannels; ++c) {
        QCPGraph* graph = plot.addGraph();
        graph->setPen(QPen(QColor(kPalette[c][0], kPalette[c][1], kPalette[c][2])));
        for (int i = 0; i < kPoints; ++i) graph->addData(i, Wave(c, i));
    }
    plot.replot();
}
#endif

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d, benchmark::State& state) {
    return std::chrono::duration<double, std::milli>(d).count() /
           static_cast<double>(state.iterations());
}

void BM_EditorOpen(benchmark::State& state) {
    EnsureApplication();
    TiXYPlot plot(nullptr);
    plot.AddXAxis();
    plot.AddYAxis();
    while (plot.ChannelCount() < kChannels) plot.AddChannel();
    for (auto _ : state) {
        TiPlotEditorForm* editor = CreatePlotEditorForm(plot.Master());
        editor->UpdateAll();
        editor->LoadControlPage();
        benchmark::DoNotOptimize(editor->ComponentCount());
        delete editor;
    }
}
BENCHMARK(BM_EditorOpen)->Unit(benchmark::kMillisecond);

// One export side by side: the engine's write, then QCustomPlot's.
template <typename Engine, typename Other>
void SideBySide(benchmark::State& state, Engine engineWrite, Other otherWrite) {
    Clock::duration engineTime{};
    Clock::duration otherTime{};
    for (auto _ : state) {
        const auto t0 = Clock::now();
        engineWrite();
        const auto t1 = Clock::now();
        otherWrite();
        const auto t2 = Clock::now();
        engineTime += t1 - t0;
        otherTime += t2 - t1;
    }
    state.counters["engine_ms"] = Ms(engineTime, state);
#ifdef DSP_HAVE_QCUSTOMPLOT
    state.counters["qcustomplot_ms"] = Ms(otherTime, state);
    state.counters["engine_per_qcustomplot"] =
        std::chrono::duration<double>(engineTime) / std::chrono::duration<double>(otherTime);
#else
    (void)otherTime;
#endif
}

void BM_SavePng(benchmark::State& state) {
    EnsureApplication();
    test::TTempFolder folder;
    TiXYPlot engine(nullptr);
    SetUpEngineScene(engine);
#ifdef DSP_HAVE_QCUSTOMPLOT
    QCustomPlot qcp;
    SetUpQCustomPlotScene(qcp);
    const QString qcpFile = QString::fromStdString(folder.File("qcp.png"));
    const auto other = [&] { qcp.savePng(qcpFile, kWidth, kHeight); };
#else
    const auto other = [] {};
#endif
    SideBySide(
        state, [&] { engine.SaveImageToPNG(folder.File("engine.png"), 6); }, other);
}
BENCHMARK(BM_SavePng)->Unit(benchmark::kMillisecond);

void BM_SaveJpg(benchmark::State& state) {
    EnsureApplication();
    test::TTempFolder folder;
    TiXYPlot engine(nullptr);
    SetUpEngineScene(engine);
#ifdef DSP_HAVE_QCUSTOMPLOT
    QCustomPlot qcp;
    SetUpQCustomPlotScene(qcp);
    const QString qcpFile = QString::fromStdString(folder.File("qcp.jpg"));
    const auto other = [&] { qcp.saveJpg(qcpFile, kWidth, kHeight, 1.0, 75); };
#else
    const auto other = [] {};
#endif
    SideBySide(
        state, [&] { engine.SaveImageToJPEG(folder.File("engine.jpg"), 75, false); }, other);
}
BENCHMARK(BM_SaveJpg)->Unit(benchmark::kMillisecond);

void BM_PrintPdf(benchmark::State& state) {
    EnsureApplication();
    test::TTempFolder folder;
    TiXYPlot engine(nullptr);
    SetUpEngineScene(engine);
    engine.SetPrintShowDialog(false);
    TPrinter* printer = Printer();
    printer->SetPrinterIndex(printer->Printers()->IndexOf(kPdfPrinterName));
    printer->SetPdfResolution(static_cast<int>(state.range(0)));
    printer->SetFileName(folder.File("engine.pdf"));
#ifdef DSP_HAVE_QCUSTOMPLOT
    QCustomPlot qcp;
    SetUpQCustomPlotScene(qcp);
    const QString qcpFile = QString::fromStdString(folder.File("qcp.pdf"));
    const auto other = [&] { qcp.savePdf(qcpFile, kWidth, kHeight); };
#else
    const auto other = [] {};
#endif
    SideBySide(
        state, [&] { engine.PrintChart(); }, other);
    printer->SetFileName("");
}
// The printer draws each page at its resolution before the page goes into the file.
BENCHMARK(BM_PrintPdf)->Arg(300)->Arg(72)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace dsp
