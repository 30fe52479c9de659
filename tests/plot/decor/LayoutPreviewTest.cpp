// The layout viewer's bands, hit tests, drags, merges, swaps and size drags, and the print
// preview's page arithmetic and settings.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/desktop/Cursors.h"
#include "framework/runtime/MainThread.h"
#include "framework/text/Numbers.h"
#include "plot/decor/iPlotEditor.h"
#include "plot/decor/iPlotLayoutViewer.h"
#include "plot/decor/iPlotPreview.h"
#include "plot/engine/iPlotMasterManager.h"
#include "tests/plot/engine/PlotTestSupport.h"

namespace dsp {
namespace {

// A viewer of 400 by 300 over a plot: toolbar and title above the data view, the Y axis left of
// it, the legend right of it, the X axis below it.
class LayoutViewerTest : public ::testing::Test {
protected:
    LayoutViewerTest() {
        viewer.SetBounds(0, 0, 400, 300);
        viewer.SetLayoutManager(plot.Master()->LayoutManager());
        Paint();
    }
    void Paint() { viewer.PaintToCanvas(canvas.Canvas()); }
    TPoint Centre(const TiPlotLayoutObject* o) {
        const TRect r = o->LayoutRect();
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    void Press(int x, int y, TMouseButton button = mbLeft) {
        viewer.iMouseDown(button, button == mbLeft ? TShiftState{ssLeft} : TShiftState{ssRight}, x,
                          y);
    }
    void Move(int x, int y, bool left = true) {
        viewer.iMouseMove(left ? TShiftState{ssLeft} : TShiftState{}, x, y);
    }
    void Release(int x, int y) {
        viewer.iMouseUp(mbLeft, {}, x, y);
        Paint();
    }
    // A drag of the object from its centre to the point.
    void Drag(const TiPlotLayoutObject* o, int x, int y) {
        const TPoint c = Centre(o);
        Move(c.X, c.Y, false);  // hovering
        Press(c.X, c.Y);
        Move(x, y);
        Release(x, y);
    }

    test::TAxesPlot plot{nullptr};
    TiPlotLayoutViewer viewer{nullptr};
    TBitmap canvas{400, 300};
    int changes = 0;
};

TEST_F(LayoutViewerTest, BandsAreOneCellThickAroundTheDataView) {
    TBitmap measure(1, 1);
    measure.Canvas()->Font()->SetName("Arial");
    measure.Canvas()->Font()->SetSize(10);
    const int cell = static_cast<int>(Round(measure.Canvas()->TextHeight("ABC") * 1.1));
    EXPECT_EQ(viewer.CellWidth(), cell);
    const TRect x = plot.GetXAxis(0)->LayoutRect();
    const TRect y = plot.GetYAxis(0)->LayoutRect();
    EXPECT_EQ(x.Bottom - x.Top, cell);
    EXPECT_EQ(y.Right - y.Left, cell);
    EXPECT_EQ(x.Top, viewer.DataViewRect().Bottom) << "below the data view";
    EXPECT_EQ(y.Right, viewer.DataViewRect().Left) << "left of the data view";
    // Two bands above (toolbar, title), one below, one left, one right.
    EXPECT_EQ(viewer.DataViewRect(), (TRect{5 + cell, 5 + 2 * cell, 395 - cell, 295 - cell}));
    EXPECT_EQ(viewer.GetMouseOverBlock(Centre(plot.GetXAxis(0)).X, Centre(plot.GetXAxis(0)).Y),
              plot.GetXAxis(0));
    EXPECT_EQ(viewer.GetMouseOverBlock(2, 2), nullptr);
}

TEST_F(LayoutViewerTest, HoveringNearAnEndArmsASizeDragThatSnapsToStepsOfOneAndAQuarter) {
    TiPlotXAxis* axis = plot.GetXAxis(0);
    const TRect r = axis->LayoutRect();
    const int y = (r.Top + r.Bottom) / 2;
    Move(r.Left + 7, y, false);
    EXPECT_EQ(viewer.ResizeBlock(), nullptr);
    EXPECT_EQ(viewer.Cursor(), crDefault);
    Move(r.Left + 6, y, false);
    EXPECT_EQ(viewer.ResizeBlock(), axis);
    EXPECT_EQ(viewer.Cursor(), crSizeWE);

    const int width = viewer.DataViewRect().Right - viewer.DataViewRect().Left;
    struct Case {
        double percent;
        double start;
    };
    // 10 % adds 10; 0.6 % rounds to nothing; 0.7 % to one step.
    const Case cases[] = {{10, 10}, {0.6, 0}, {0.7, 1.25}};
    for (const Case& c : cases) {
        axis->SetStartPercent(0);
        Paint();
        Move(r.Left + 2, y, false);
        Press(r.Left + 2, y);
        EXPECT_EQ(viewer.EditMode(), ilemSize);
        const int moved = static_cast<int>(c.percent * width / 100);
        // The pixel that best gives the percentage.
        const double p = moved * 100.0 / width;
        Move(r.Left + 2 + moved, y);
        Release(r.Left + 2 + moved, y);
        EXPECT_DOUBLE_EQ(axis->StartPercent(), Round(p / 1.25) * 1.25) << c.percent;
    }
    EXPECT_EQ(viewer.EditMode(), ilemNone);
}

TEST_F(LayoutViewerTest, ALabelDroppedInTheMiddleOfAnotherLabelsBandSharesIt) {
    const int index = plot.AddLabel();
    TiPlotLabel* added = plot.GetLabel(index);
    Paint();
    viewer.OnChange = [this](TObject*) { ++changes; };
    TiPlotLabel* title = plot.GetLabel(0);
    const TRect band = title->LayoutRect();
    Drag(added, (band.Left + band.Right) / 2, (band.Top + band.Bottom) / 2);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(added->ZOrder(), title->ZOrder());
    EXPECT_EQ(title->StartPercent(), 0);
    EXPECT_EQ(title->StopPercent(), 50);
    EXPECT_EQ(added->StartPercent(), 50) << "the dropped label second";
    EXPECT_EQ(added->StopPercent(), 100);

    // Two blocks of one band swap their shares.
    Drag(added, Centre(title).X, Centre(title).Y);
    EXPECT_EQ(title->StartPercent(), 50);
    EXPECT_EQ(added->StartPercent(), 0);
}

TEST_F(LayoutViewerTest, AxesStayInTheirStackAndBlocksAloneKeepTheirBand) {
    viewer.OnChange = [this](TObject*) { ++changes; };
    TiPlotXAxis* axis = plot.GetXAxis(0);
    const int zOrder = axis->ZOrder();
    const TPoint yAxis = Centre(plot.GetYAxis(0));
    const TPoint c = Centre(axis);
    Press(c.X, c.Y);
    Move(yAxis.X, yAxis.Y);
    EXPECT_EQ(viewer.DragOverBlock(), nullptr) << "no marker over a vertical band";
    Release(yAxis.X, yAxis.Y);
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(axis->IsHorz());

    // Alone in its band, dropped on its own lower half: the band stays, the span is whole.
    axis->SetStartStopPercent(20, 60);
    Paint();
    const TRect r = axis->LayoutRect();
    Drag(axis, (r.Left + r.Right) / 2, r.Bottom - 2);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(axis->ZOrder(), zOrder);
    EXPECT_EQ(axis->StartPercent(), 0);
    EXPECT_EQ(axis->StopPercent(), 100);
}

TEST_F(LayoutViewerTest, RightPressSelectsWithoutDraggingAndSomeBlocksNeverMove) {
    const TPoint legend = Centre(plot.GetLegend(0));
    Press(legend.X, legend.Y, mbRight);
    EXPECT_EQ(viewer.SelectedBlock(), plot.GetLegend(0));
    EXPECT_EQ(viewer.InsertDirection(), iidMerge);
    Move(Centre(plot.GetYAxis(0)).X, Centre(plot.GetYAxis(0)).Y, false);
    EXPECT_EQ(viewer.DragOverBlock(), nullptr) << "the drag follows only the left button";
    viewer.iMouseUp(mbRight, {}, 0, 0);
    EXPECT_TRUE(plot.GetLegend(0)->IsVert());

    const TPoint toolBar = Centre(plot.GetToolBar(0));
    Press(toolBar.X, toolBar.Y);
    EXPECT_EQ(viewer.SelectedBlock(), nullptr);
    viewer.iMouseUp(mbLeft, {}, toolBar.X, toolBar.Y);
    const TPoint dataView = Centre(plot.GetDataView(0));
    Press(dataView.X, dataView.Y);
    EXPECT_EQ(viewer.SelectedBlock(), nullptr);
}

TEST_F(LayoutViewerTest, ALegendMovesIntoTheHorizontalStackBesideItsOccupant) {
    viewer.OnChange = [this](TObject*) { ++changes; };
    TiPlotLegend* legend = plot.GetLegend(0);
    const TRect x = plot.GetXAxis(0)->LayoutRect();
    Drag(legend, (x.Left + x.Right) / 2, x.Bottom - 2);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(legend->IsHorz());
    EXPECT_LT(legend->ZOrder(), plot.GetXAxis(0)->ZOrder()) << "below the X axis";
}

// ---- the print preview

TEST(PlotPreviewTest, PageFitsTheAreaWithTheRightPixelsPerInch) {
    // A4 portrait in 816 by 488: the height limits.
    TiPreviewPage page = CalcPreviewPage(816, 488, 3, poPortrait, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(page.PageHeight, 468);
    EXPECT_EQ(page.PageWidth, 331);
    EXPECT_EQ(page.PixelsPerInch, 40);
    EXPECT_EQ(page.Page,
              (TRect{816 / 2 - 165 - 5, 488 / 2 - 234 - 5, 816 / 2 + 165 - 5, 488 / 2 + 234 - 5}));

    // Landscape turns the paper first.
    page = CalcPreviewPage(816, 488, 3, poLandscape, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(page.PageWidth, 662);
    EXPECT_EQ(page.PageHeight, 468);

    // One inch all round at 40 pixels per inch; a 400 by 200 picture fills the width.
    page = CalcPreviewPage(816, 488, 3, poPortrait, 1, 1, 1, 1, 400, 200);
    EXPECT_EQ(page.PrintableWidth, 331 - 80);
    EXPECT_EQ(page.PrintableHeight, 468 - 80);
    EXPECT_EQ(page.Picture.Left, page.Page.Left + 40);
    EXPECT_EQ(page.Picture.Top, page.Page.Top + 40);
    EXPECT_EQ(page.Picture.Right - page.Picture.Left, 251);
    EXPECT_EQ(page.Picture.Bottom - page.Picture.Top, 125) << "keeping its proportions";

    EXPECT_EQ(PreviewPaperCode(4), DMPAPER_A5);
    EXPECT_EQ(PreviewPaperCode(9), DMPAPER_LETTER);
}

TEST(PlotPreviewTest, SettingsGoToThePlotOnOkAndThePaperStaysWithThePreview) {
    test::TAxesPlot plot(nullptr);
    plot.SetBounds(0, 0, 300, 200);
    TiPlotPreviewForm preview(nullptr);
    preview.AfterConstruction();
    preview.iComponent = &plot;
    preview.PrintDocumentName = "Untitled";

    const auto answer = [](TModalResult result) {
        PostToMainThread([result] {
            auto* settings = dynamic_cast<TiPlotPreviewSettingsForm*>(ActiveForm());
            ASSERT_NE(settings, nullptr);
            settings->PrintDocumentNameEdit->SetText("Gate");
            settings->PrintMarginLeftEdit->SetText("0.5");
            settings->PrintOrientationRadioGroup->SetItemIndex(0);
            settings->PrintPaperSizeComboBox->SetItemIndex(4);
            settings->SetModalResult(result);
        });
    };
    answer(mrCancel);
    preview.SettingsButtonClick(nullptr);
    EXPECT_EQ(plot.PrintDocumentName(), "Untitled");
    EXPECT_EQ(preview.PrintSize, 0);

    answer(mrOk);
    preview.SettingsButtonClick(nullptr);
    EXPECT_EQ(plot.PrintDocumentName(), "Gate");
    EXPECT_EQ(plot.PrintMarginLeft(), 0.5);
    EXPECT_EQ(plot.PrintOrientation(), poPortrait);
    EXPECT_EQ(preview.PrintSize, 4) << "A5, for this preview only";
    EXPECT_EQ(preview.Caption(), "Gate (Preview)");
}

TEST(PlotPreviewTest, PaintingHidesTheToolbarAndTellsThePlot) {
    test::TAxesPlot plot(nullptr);
    plot.SetBounds(0, 0, 300, 200);
    TiPlotPreviewForm preview(nullptr);
    preview.AfterConstruction();
    preview.iComponent = &plot;
    std::vector<std::string> events;
    plot.OnBeforePrint = [&](TObject* sender) {
        events.push_back(sender == &preview ? "before" : "?");
        EXPECT_FALSE(plot.GetToolBar(0)->Visible());
    };
    plot.OnAfterPrint = [&](TObject*) { events.push_back("after"); };
    preview.PreviewPaint(nullptr);
    EXPECT_EQ(events, (std::vector<std::string>{"before", "after"}));
    EXPECT_TRUE(plot.GetToolBar(0)->Visible());

    TBitmap page(816, 488);
    preview.DrawPage(page.Canvas(), 816, 488);
    const TRect r = CalcPreviewPage(816, 488, 0, poPortrait, 1, 1, 1, 1, 300, 200).Page;
    EXPECT_EQ(page.PixelAt(r.Left + 2, r.Bottom - 3), 0xFFFFFFu) << "the white page";
    EXPECT_EQ(page.PixelAt(r.Right + 3, r.Bottom + 3), 0u) << "its shadow";
    EXPECT_EQ(page.PixelAt(2, 2), ColorToRGB(clBtnFace));
}

TEST(PlotPreviewTest, PreviewChartShowsThePreviewModallyWithTheDocumentName) {
    InstallPlotDecor();
    test::TAxesPlot plot(nullptr);
    plot.SetPrintDocumentName("Compressor");
    std::string caption;
    PostToMainThread([&] {
        caption = iPlotPreviewForm->Caption();
        iPlotPreviewForm->CloseButtonClick(nullptr);
    });
    plot.PreviewChart();
    EXPECT_EQ(caption, "Compressor (Preview)");
    EXPECT_EQ(iPlotPreviewForm, nullptr);
}

}  // namespace
}  // namespace dsp
