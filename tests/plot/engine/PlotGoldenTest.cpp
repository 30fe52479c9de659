// Empty axes plots painted headless and compared pixel for pixel with their golden pictures.
// A mismatch writes the picture and a diff (red where pixels differ) next to the test program.
// DSP_UPDATE_GOLDEN=1 writes the pictures as the new golden ones instead.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "framework/graphics/PngImage.h"
#include "tests/plot/engine/PlotTestSupport.h"

namespace dsp {
namespace {

void SavePng(TBitmap& bitmap, const std::string& file) {
    TPngImage png;
    png.Assign(&bitmap);
    png.SaveToFile(file);
}

// The picture beside its golden one: exact, or a diff written and the count of differences.
void ExpectGolden(TiPlotComponent& plot, const std::string& name) {
    std::unique_ptr<TBitmap> actual = test::RenderPlot(plot);
    const std::string golden = std::string(DSP_PLOT_GOLDEN_DIR) + "/" + name + ".png";
    const char* update = std::getenv("DSP_UPDATE_GOLDEN");
    if (update != nullptr && std::string(update) == "1") {
        SavePng(*actual, golden);
        GTEST_SKIP() << "golden picture written: " << golden;
    }
    ASSERT_TRUE(std::filesystem::exists(golden)) << golden;
    TPngImage png;
    png.LoadFromFile(golden);
    TBitmap expected;
    expected.Assign(&png);
    const std::filesystem::path folder = DSP_PLOT_DIFF_DIR;
    std::filesystem::create_directories(folder);
    if (expected.Width() != actual->Width() || expected.Height() != actual->Height()) {
        SavePng(*actual, (folder / (name + ".actual.png")).string());
        FAIL() << "the picture is " << actual->Width() << "x" << actual->Height() << ", " << golden
               << " " << expected.Width() << "x" << expected.Height();
    }

    TBitmap diff(actual->Width(), actual->Height());
    int differences = 0;
    for (int y = 0; y < actual->Height(); ++y) {
        for (int x = 0; x < actual->Width(); ++x) {
            const TColorRef a = actual->PixelAt(x, y) & 0xFFFFFF;
            const TColorRef e = expected.PixelAt(x, y) & 0xFFFFFF;
            const int grey = (GetRValue(e) + GetGValue(e) + GetBValue(e)) / 12;
            diff.Canvas()->SetPixels(x, y,
                                     a == e ? static_cast<TColor>(RGB(grey, grey, grey)) : clRed);
            differences += a != e;
        }
    }
    if (differences == 0) return;
    SavePng(*actual, (folder / (name + ".actual.png")).string());
    SavePng(diff, (folder / (name + ".diff.png")).string());
    ADD_FAILURE() << differences << " pixels differ from " << golden << "; see "
                  << (folder / (name + ".diff.png")).string();
}

TEST(PlotGoldenTest, DefaultAxesWithTitles) {
    test::TAxesPlot plot(nullptr);
    plot.SetBounds(0, 0, 800, 400);
    plot.GetToolBar(0)->SetVisible(false);
    plot.GetLegend(0)->SetVisible(false);
    plot.GetXAxis(0)->SetTitleShow(true);
    plot.GetYAxis(0)->SetTitleShow(true);
    ExpectGolden(plot, "axes_default_800x400");
}

TEST(PlotGoldenTest, TransferPlotAxes) {
    test::TAxesPlot plot(nullptr);
    plot.SetBounds(0, 0, 620, 230);
    test::ConfigureAsTransferPlot(plot);
    ExpectGolden(plot, "axes_transfer_620x230");
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
    ExpectGolden(plot, "axes_cartesian_400x300");
}

}  // namespace
}  // namespace dsp
