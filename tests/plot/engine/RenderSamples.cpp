// Renders the plot samples to PNG files for people to look at (not a test):
//   plot_render_samples <folder>

#include <cstdlib>
#include <iostream>
#include <string>

#include "framework/graphics/PngImage.h"
#include "framework/runtime/Application.h"
#include "tests/plot/engine/PlotTestSupport.h"

namespace dsp {
namespace {

void Save(TiPlotComponent& plot, const std::string& file) {
    std::unique_ptr<TBitmap> bitmap = test::RenderPlot(plot);
    TPngImage png;
    png.Assign(bitmap.get());
    png.SaveToFile(file);
}

}  // namespace
}  // namespace dsp

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: plot_render_samples <folder>\n";
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 0);
    setenv("QT_SCALE_FACTOR", "1", 0);
    setenv("QT_FONT_DPI", "96", 0);
    dsp::TApplication application;
    application.Initialize();
    const std::string folder = argv[1];
    {
        dsp::test::TAxesPlot plot(nullptr);
        plot.SetBounds(0, 0, 800, 400);
        plot.GetToolBar(0)->SetVisible(false);
        plot.GetLegend(0)->SetVisible(false);
        plot.GetXAxis(0)->SetTitleShow(true);
        plot.GetYAxis(0)->SetTitleShow(true);
        dsp::Save(plot, folder + "/plot_axes_default.png");
    }
    {
        dsp::test::TAxesPlot plot(nullptr);
        plot.SetBounds(0, 0, 620, 230);
        dsp::test::ConfigureAsTransferPlot(plot);
        dsp::Save(plot, folder + "/plot_transfer_axes.png");
    }
    return 0;
}
