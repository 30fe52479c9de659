// Renders the plot samples to PNG files for people to look at (not a test):
//   plot_render_samples <folder>

#include <cmath>
#include <cstdlib>
#include <iostream>
#include <string>

#include "framework/graphics/PngImage.h"
#include "framework/runtime/Application.h"
#include "plot/engine/iPlotAnnotation.h"
#include "plot/engine/iPlotLimit.h"
#include "plot/engine/iPlotTable.h"
#include "plot/engine/iXYPlot.h"
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
    {
        dsp::TiXYPlot plot(nullptr);
        dsp::ConfigureTransferPlot(plot);
        plot.SetBounds(0, 0, dsp::kGatePlotWidth, dsp::kTransferPlotHeight);
        dsp::ReplaceTransferPoints(plot, dsp::kGateStartCurve, dsp::kGateStartOperatingPoint);
        dsp::Save(plot, folder + "/plot_transfer_gate.png");
    }
    {
        dsp::TiXYPlot plot(nullptr);
        dsp::ConfigureTransferPlot(plot);
        plot.SetBounds(0, 0, dsp::kCompressorPlotWidth, dsp::kTransferPlotHeight);
        // A compressor at -30 dB with a ratio of 4 and a knee of 6 dB, and its operating point.
        const dsp::TiDoublePoint curve[] = {
            {20, -30 + 50.0 / 4}, {-24, -30 + 6.0 / 4}, {-36, -36}, {-100, -100}};
        dsp::ReplaceTransferPoints(plot, curve, {-29.8, -30.4});
        dsp::Save(plot, folder + "/plot_transfer_compressor.png");
    }
    {
        // The toolbar, the legend and a data cursor on a plot of three channels.
        dsp::TiXYPlot plot(nullptr);
        plot.SetBounds(0, 0, 640, 320);
        plot.GetLabel(0)->SetCaption("Toolbar, legend and cursor");
        plot.GetLegend(0)->SetShowColumnMarker(true);
        plot.GetLegend(0)->SetShowColumnYValue(true);
        const dsp::TiPlotLineStyle styles[] = {dsp::iplsSolid, dsp::iplsDash, dsp::iplsDot};
        const dsp::TiPlotMarkerStyle markers[] = {dsp::ipmsCircle, dsp::ipmsTriangleUp,
                                                  dsp::ipmsDiamond};
        for (int c = 0; c < 3; ++c) {
            if (c > 0) plot.AddChannel();
            dsp::TiXYPlotChannel* channel = plot.GetChannel(c);
            channel->SetTraceLineStyle(styles[c]);
            channel->SetMarkersVisible(true);
            channel->SetMarkersStyle(markers[c]);
            for (int i = 0; i <= 10; ++i) channel->AddXY(i * 10, 20 + c * 25 + (i % 3) * 6);
        }
        dsp::TiPlotDataCursor* cursor = plot.GetDataCursor(0);
        cursor->SetVisible(true);
        cursor->SetPointer1Position(42);
        cursor->SetPointer2Position(55);
        plot.GetToolBar(0)->DoButtonClickZoomBox();
        dsp::Save(plot, folder + "/plot_toolbar_legend_cursor.png");
    }
    {
        // Limits, annotations and a table around one channel.
        dsp::TiXYPlot plot(nullptr);
        plot.SetBounds(0, 0, 760, 380);
        plot.GetLabel(0)->SetCaption("Limits, annotations and a table");
        plot.GetToolBar(0)->SetVisible(false);
        plot.GetLegend(0)->SetVisible(false);
        for (int i = 0; i <= 40; ++i)
            plot.GetChannel(0)->AddXY(i * 2.5, 50 + 30 * std::sin(i / 4.0));
        plot.GetChannel(0)->SetColor(dsp::clWhite);

        dsp::TiPlotLimit* band = plot.GetLimit(plot.AddLimit());
        band->SetStyle(dsp::iplsBandY);
        band->SetLine1Position(70);
        band->SetLine2Position(90);
        band->SetColor(0x303070);
        dsp::TiPlotLimit* poly = plot.GetLimit(plot.AddLimit());
        poly->SetStyle(dsp::iplsPolyBandY);
        poly->SetColor(0x305030);
        poly->SetFillStyle(dsp::bsFDiagonal);
        for (int i = 0; i <= 10; ++i) poly->AddBandElement(i * 10, 18 + (i % 4) * 3, 5 + (i % 3));
        dsp::TiPlotLimit* line = plot.GetLimit(plot.AddLimit());
        line->SetStyle(dsp::iplsLineX);
        line->SetLine1Position(62);
        line->SetLineStyle(dsp::psDash);
        line->SetColor(dsp::clYellow);

        const auto add = [&plot](dsp::TiPlotAnnotationStyle style, double x, double y) {
            dsp::TiPlotAnnotation* note = plot.GetAnnotation(plot.AddAnnotation());
            note->SetStyle(style);
            note->SetX(x);
            note->SetY(y);
            return note;
        };
        dsp::TiPlotAnnotation* text = add(dsp::ipasTextBox, 25, 88);
        text->SetText("Alarm band");
        text->SetOuterMargin(4);
        text->SetBrushColor(0x303070);
        text->SetPenColor(dsp::clSilver);
        dsp::TiPlotAnnotation* box = add(dsp::ipasEllipse2, 80, 40);
        box->SetWidth(14);
        box->SetHeight(22);
        box->SetBrushStyle(dsp::bsClear);
        box->SetPenColor(dsp::clAqua);
        box->SetPenWidth(2);
        dsp::TiPlotAnnotation* label = add(dsp::ipasText, 80, 55);
        label->SetText("Dip");
        label->SetTextVertAlignment(dsp::iavBottom);
        label->Font()->SetColor(dsp::clAqua);
        dsp::TiPlotAnnotation* arrow = add(dsp::ipasLine, 64, 60);
        arrow->SetX2(75);
        arrow->SetY2(45);
        arrow->SetPenColor(dsp::clYellow);
        dsp::TiPlotAnnotation* frame = add(dsp::ipasRectangle, 35, 30);
        frame->SetWidth(16);
        frame->SetHeight(14);
        frame->SetBrushStyle(dsp::bsClear);
        frame->SetPenColor(dsp::clFuchsia);
        frame->SetUserSelected(true);

        dsp::TiPlotTable* table = plot.GetTable(plot.AddTable());
        table->AddColumn("Limit");
        table->AddColumn("Low");
        table->AddColumn("High");
        const char* rows[][3] = {{"Alarm", "70", "90"}, {"Floor", "5", "27"}, {"Mark", "62", ""}};
        for (const auto& row : rows) {
            const int r = table->AddRow();
            for (int c = 0; c < 3; ++c) table->SetCellText(c, r, row[c]);
        }
        dsp::Save(plot, folder + "/plot_limits_annotations_table.png");
    }
    return 0;
}
