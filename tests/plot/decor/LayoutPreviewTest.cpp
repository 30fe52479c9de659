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
        viewer_.SetBounds(0, 0, 400, 300);
        viewer_.SetLayoutManager(plot_.Master()->LayoutManager());
        Paint();
    }
    void Paint() { viewer_.PaintToCanvas(canvas_.Canvas()); }
    TPoint Centre(const TiPlotLayoutObject* o) {
        const TRect r = o->LayoutRect();
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    void Press(int x, int y, TMouseButton button = mbLeft) {
        viewer_.iMouseDown(button, button == mbLeft ? TShiftState{ssLeft} : TShiftState{ssRight}, x,
                           y);
    }
    void Move(int x, int y, bool left = true) {
        viewer_.iMouseMove(left ? TShiftState{ssLeft} : TShiftState{}, x, y);
    }
    void Release(int x, int y) {
        viewer_.iMouseUp(mbLeft, {}, x, y);
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

    test::TAxesPlot plot_{nullptr};
    TiPlotLayoutViewer viewer_{nullptr};
    TBitmap canvas_{400, 300};
    int changes_ = 0;
};

TEST_F(LayoutViewerTest, BandsAreOneCellThickAroundTheDataView) {
    TBitmap measure(1, 1);
    measure.Canvas()->Font()->SetName("Arial");
    measure.Canvas()->Font()->SetSize(10);
    const int cell = static_cast<int>(Round(measure.Canvas()->TextHeight("ABC") * 1.1));
    EXPECT_EQ(viewer_.CellWidth(), cell);
    const TRect x = plot_.GetXAxis(0)->LayoutRect();
    const TRect y = plot_.GetYAxis(0)->LayoutRect();
    EXPECT_EQ(x.Bottom - x.Top, cell);
    EXPECT_EQ(y.Right - y.Left, cell);
    EXPECT_EQ(x.Top, viewer_.DataViewRect().Bottom) << "below the data view";
    EXPECT_EQ(y.Right, viewer_.DataViewRect().Left) << "left of the data view";
    // Two bands above (toolbar, title), one below, one left, one right.
    EXPECT_EQ(viewer_.DataViewRect(), (TRect{5 + cell, 5 + 2 * cell, 395 - cell, 295 - cell}));
    EXPECT_EQ(viewer_.GetMouseOverBlock(Centre(plot_.GetXAxis(0)).X, Centre(plot_.GetXAxis(0)).Y),
              plot_.GetXAxis(0));
    EXPECT_EQ(viewer_.GetMouseOverBlock(2, 2), nullptr);
}

TEST_F(LayoutViewerTest, HoveringNearAnEndArmsASizeDragThatSnapsToStepsOfOneAndAQuarter) {
    TiPlotXAxis* axis = plot_.GetXAxis(0);
    const TRect r = axis->LayoutRect();
    const int y = (r.Top + r.Bottom) / 2;
    Move(r.Left + 7, y, false);
    EXPECT_EQ(viewer_.ResizeBlock(), nullptr);
    EXPECT_EQ(viewer_.Cursor(), crDefault);
    Move(r.Left + 6, y, false);
    EXPECT_EQ(viewer_.ResizeBlock(), axis);
    EXPECT_EQ(viewer_.Cursor(), crSizeWE);

    Press(r.Left + 6, y);
    EXPECT_EQ(viewer_.EditMode(), ilemSize) << "a press on an armed end sizes";
    Release(r.Left + 6, y);
    const int width = viewer_.DataViewRect().Right - viewer_.DataViewRect().Left;
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
        const int moved = static_cast<int>(c.percent * width / 100);
        // The pixel that best gives the percentage.
        const double p = moved * 100.0 / width;
        Move(r.Left + 2 + moved, y);
        Release(r.Left + 2 + moved, y);
        EXPECT_DOUBLE_EQ(axis->StartPercent(), Round(p / 1.25) * 1.25) << c.percent;
    }
    EXPECT_EQ(viewer_.EditMode(), ilemNone);
}

TEST_F(LayoutViewerTest, ALabelDroppedInTheMiddleOfAnotherLabelsBandSharesIt) {
    const int index = plot_.AddLabel();
    TiPlotLabel* added = plot_.GetLabel(index);
    Paint();
    viewer_.OnChange = [this](TObject*) { ++changes_; };
    TiPlotLabel* title = plot_.GetLabel(0);
    const TRect band = title->LayoutRect();
    Drag(added, (band.Left + band.Right) / 2, (band.Top + band.Bottom) / 2);
    EXPECT_EQ(changes_, 1);
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
    viewer_.OnChange = [this](TObject*) { ++changes_; };
    TiPlotXAxis* axis = plot_.GetXAxis(0);
    const int zOrder = axis->ZOrder();
    const TPoint yAxis = Centre(plot_.GetYAxis(0));
    const TPoint c = Centre(axis);
    Press(c.X, c.Y);
    Move(yAxis.X, yAxis.Y);
    EXPECT_EQ(viewer_.DragOverBlock(), nullptr) << "no marker over a vertical band";
    Release(yAxis.X, yAxis.Y);
    EXPECT_EQ(changes_, 0);
    EXPECT_TRUE(axis->IsHorz());

    // Alone in its band, dropped on its own lower half: the band stays, the span is whole.
    axis->SetStartStopPercent(20, 60);
    Paint();
    const TRect r = axis->LayoutRect();
    Drag(axis, (r.Left + r.Right) / 2, r.Bottom - 2);
    EXPECT_EQ(changes_, 1);
    EXPECT_EQ(axis->ZOrder(), zOrder);
    EXPECT_EQ(axis->StartPercent(), 0);
    EXPECT_EQ(axis->StopPercent(), 100);
}

TEST_F(LayoutViewerTest, RightPressSelectsWithoutDraggingAndSomeBlocksNeverMove) {
    const TPoint legend = Centre(plot_.GetLegend(0));
    Press(legend.X, legend.Y, mbRight);
    EXPECT_EQ(viewer_.SelectedBlock(), plot_.GetLegend(0));
    EXPECT_EQ(viewer_.InsertDirection(), iidMerge);
    Move(Centre(plot_.GetYAxis(0)).X, Centre(plot_.GetYAxis(0)).Y, false);
    EXPECT_EQ(viewer_.DragOverBlock(), nullptr) << "the drag follows only the left button";
    viewer_.iMouseUp(mbRight, {}, 0, 0);
    EXPECT_TRUE(plot_.GetLegend(0)->IsVert());

    const TPoint toolBar = Centre(plot_.GetToolBar(0));
    Press(toolBar.X, toolBar.Y);
    EXPECT_EQ(viewer_.SelectedBlock(), nullptr);
    viewer_.iMouseUp(mbLeft, {}, toolBar.X, toolBar.Y);
    const TPoint dataView = Centre(plot_.GetDataView(0));
    Press(dataView.X, dataView.Y);
    EXPECT_EQ(viewer_.SelectedBlock(), nullptr);
}

TEST_F(LayoutViewerTest, ALegendMovesIntoTheHorizontalStackBesideItsOccupant) {
    viewer_.OnChange = [this](TObject*) { ++changes_; };
    TiPlotLegend* legend = plot_.GetLegend(0);
    const TRect x = plot_.GetXAxis(0)->LayoutRect();
    Drag(legend, (x.Left + x.Right) / 2, x.Bottom - 2);
    EXPECT_EQ(changes_, 1);
    EXPECT_TRUE(legend->IsHorz());
    EXPECT_LT(legend->ZOrder(), plot_.GetXAxis(0)->ZOrder()) << "below the X axis";
}

// ---- the print preview

TEST(PlotPreviewTest, PageFitsTheAreaWithTheRightPixelsPerInch) {
    // A4 portrait in 816 by 488: the height limits.
    TiPreviewPage page = CalcPreviewPage(816, 488, 3, poPortrait, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(page.pageHeight, 468);
    EXPECT_EQ(page.pageWidth, 331);
    EXPECT_EQ(page.pixelsPerInch, 40);
    EXPECT_EQ(page.page,
              (TRect{816 / 2 - 165 - 5, 488 / 2 - 234 - 5, 816 / 2 + 165 - 5, 488 / 2 + 234 - 5}));

    // Landscape turns the paper first.
    page = CalcPreviewPage(816, 488, 3, poLandscape, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(page.pageWidth, 662);
    EXPECT_EQ(page.pageHeight, 468);

    // One inch all round at 40 pixels per inch; a 400 by 200 picture fills the width.
    page = CalcPreviewPage(816, 488, 3, poPortrait, 1, 1, 1, 1, 400, 200);
    EXPECT_EQ(page.printableWidth, 331 - 80);
    EXPECT_EQ(page.printableHeight, 468 - 80);
    EXPECT_EQ(page.picture.Left, page.page.Left + 40);
    EXPECT_EQ(page.picture.Top, page.page.Top + 40);
    EXPECT_EQ(page.picture.Right - page.picture.Left, 251);
    EXPECT_EQ(page.picture.Bottom - page.picture.Top, 125) << "keeping its proportions";

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
    const TRect r = CalcPreviewPage(816, 488, 0, poPortrait, 1, 1, 1, 1, 300, 200).page;
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
