// Empty axes plots painted headless and compared pixel for pixel with their golden pictures.
// A mismatch writes the picture and a diff (red where pixels differ) next to the test program.
// DSP_UPDATE_GOLDEN=1 writes the pictures as the new golden ones instead.

#include <gtest/gtest.h>

#include "tests/plot/engine/PlotGolden.h"
#include "tests/plot/engine/PlotTestSupport.h"

namespace dsp {
namespace {

TEST(PlotGoldenTest, DefaultAxesWithTitles) {
    test::TAxesPlot plot(nullptr);
    plot.SetBounds(0, 0, 800, 400);
    plot.GetToolBar(0)->SetVisible(false);
    plot.GetLegend(0)->SetVisible(false);
    plot.GetXAxis(0)->SetTitleShow(true);
    plot.GetYAxis(0)->SetTitleShow(true);
    test::ExpectGolden(plot, "axes_default_800x400");
}

TEST(PlotGoldenTest, TransferPlotAxes) {
    test::TAxesPlot plot(nullptr);
    plot.SetBounds(0, 0, 620, 230);
    test::ConfigureAsTransferPlot(plot);
    test::ExpectGolden(plot, "axes_transfer_620x230");
}

TEST(PlotGoldenTest, CrossingCartesianAxesOnAFilledDataView) {
    test::TAxesPlot plot(nullptr);
    plot.SetBounds(0, 0, 400, 300);
    plot.GetToolBar(0)->SetVisible(false);
    plot.GetLegend(0)->SetVisible(false);
    plot.SetBorderStyle(ibsRaised);
    TiPlotXAxis* x = plot.GetXAxis(0);
    TiPlotYAxis* y = plot.GetYAxis(0);
    for (TiPlotAxis* axis : {static_cast<TiPlotAxis*>(x), static_cast<TiPlotAxis*>(y)}) {
        axis->SetMinSpan(-50, 100);
        axis->SetCartesianStyle(ipcsMaster);
    }
    x->SetScaleLinesColor(clYellow);
    y->SetScaleLinesColor(clAqua);
    TiPlotDataView* view = plot.GetDataView(0);
    view->SetBackgroundTransparent(false);
    view->SetGridLineShowXMinors(true);
    view->SetGridLineMinorStyle(ipglsDot);
    plot.GetLabel(0)->SetCaption("Cartesian");
    plot.GetLabel(0)->SetAlignment(iahLeft);
    test::ExpectGolden(plot, "axes_cartesian_400x300");
}

}  // namespace
}  // namespace dsp
