#include "plot/engine/TransferPlotSetup.h"

#include "plot/engine/iPlotAxis.h"
#include "plot/engine/iPlotDataCursor.h"
#include "plot/engine/iPlotDataView.h"
#include "plot/engine/iPlotLabel.h"
#include "plot/engine/iPlotLegend.h"
#include "plot/engine/iPlotToolBar.h"

namespace dsp {

void ConfigureTransferPlotFrame(TiPlotComponent& plot) {
    TiPlotToolBar* toolBar = plot.GetToolBar(0);
    toolBar->SetVisible(false);
    toolBar->SetHorizontal(true);
    toolBar->SetZOrder(3);

    TiPlotLegend* legend = plot.GetLegend(0);
    legend->SetVisible(false);
    legend->SetEnabled(false);
    legend->SetPopupEnabled(false);
    legend->SetCanFocus(false);
    legend->SetHorizontal(false);
    legend->SetZOrder(2);

    TiPlotLabel* title = plot.GetLabel(0);
    title->SetVisible(false);
    title->SetHorizontal(true);
    title->SetZOrder(2);
    title->SetCaption("Untitled");

    for (TiPlotAxis* axis :
         {static_cast<TiPlotAxis*>(plot.GetXAxis(0)), static_cast<TiPlotAxis*>(plot.GetYAxis(0))}) {
        axis->SetEnabled(false);
        axis->SetPopupEnabled(false);
        axis->SetCanFocus(false);
        axis->SetZOrder(0);
        axis->SetStopPercent(100);
        axis->SetMin(-100);
        axis->SetSpan(120);
        axis->SetDesiredStart(20);
        axis->SetTitleMargin(1);
        axis->TitleFont()->SetName("Arial");
        axis->TitleFont()->SetColor(clWhite);
        axis->TitleFont()->SetStyle(TFontStyles{fsBold});
        axis->TitleFont()->SetHeight(-13);
        axis->LabelsFont()->SetName("MS Sans Serif");
        axis->LabelsFont()->SetColor(clYellow);
        axis->LabelsFont()->SetHeight(-11);
        axis->SetLabelsPrecision(2);
        axis->SetScaleLinesShow(false);
        axis->SetTrackingEnabled(false);
        axis->SetRestoreValuesOnResume(false);
        axis->SetCursorScaler(1);
        axis->SetScrollMax(100);
        axis->SetLabelsMargin(0.25);
        axis->SetAlignRefAxisName(axis->Name());
    }
    TiPlotXAxis* x = plot.GetXAxis(0);
    x->SetDesiredIncrement(20);
    x->SetMajorLength(9);
    x->SetMinorLength(13);
    x->SetMinorCount(4);
    x->SetLabelsMinLength(5);
    x->SetScaleLinesColor(8454143);
    x->SetStackingEndsMargin(1);
    x->SetTrackingIncrementStyle(iptisMajor);
    x->SetTrackingAlignFirstStyle(ipafsAuto);
    x->SetCursorPrecision(3);
    x->SetCursorMinLength(5);
    x->SetLegendPrecision(3);
    x->SetLegendMinLength(5);
    x->SetLabelSeparation(0);
    TiPlotYAxis* y = plot.GetYAxis(0);
    y->SetDesiredIncrement(10);
    y->SetMinorLength(8);
    y->SetLabelSeparation(1);
    y->SetLabelsMinLength(3);
    y->SetStackingEndsMargin(0.5);
    y->SetTrackingIncrementStyle(iptisMinimum);
    y->SetTrackingAlignFirstStyle(ipafsNone);
    y->SetCursorPrecision(2);
    y->SetCursorMinLength(1);
    y->SetLegendPrecision(2);
    y->SetLegendMinLength(1);

    TiPlotDataView* view = plot.GetDataView(0);
    view->SetLayer(0);
    view->SetPopupEnabled(false);
    view->SetCanFocus(false);
    view->SetHorizontal(false);
    view->SetZOrder(0);
    view->SetStopPercent(100);
    view->SetGridXAxisName(x->Name());
    view->SetGridYAxisName(y->Name());
    view->SetAxesControlEnabled(false);
    view->SetAxesControlMouseStyle(ipacsBoth);
    view->SetAxesControlWheelStyle(ipacsXAxis);
    plot.SetDataViewZHorz(1);
    plot.SetDataViewZVert(1);
}

void ConfigureTransferPlot(TiXYPlot& plot) {
    plot.BeginUpdate();
    struct TEnd {
        TiXYPlot& plot;
        ~TEnd() { plot.EndUpdate(); }
    } end{plot};
    plot.SetBackGroundColor(clBlack);
    plot.SetBorderStyle(ibsNone);
    plot.SetUserCanEditObjects(false);
    ConfigureTransferPlotFrame(plot);

    while (plot.ChannelCount() < 2) plot.AddChannel();
    const std::string xAxis = plot.GetXAxis(0)->Name();
    const std::string yAxis = plot.GetYAxis(0)->Name();
    for (int i = 0; i < 2; ++i) {
        TiXYPlotChannel* channel = plot.GetChannel(i);
        channel->SetDataStyle(ipdsStandard);
        channel->SetXAxisName(xAxis);
        channel->SetYAxisName(yAxis);
        channel->SetOPCComputerName("Local");
    }
    TiXYPlotChannel* curve = plot.GetChannel(0);
    curve->SetColor(clWhite);
    curve->SetTraceLineWidth(2);
    TiXYPlotChannel* operatingPoint = plot.GetChannel(1);
    operatingPoint->SetColor(8421631);
    operatingPoint->SetTraceLineStyle(iplsDot);
    operatingPoint->SetTraceLineWidth(5);
    operatingPoint->SetMarkersVisible(true);
    operatingPoint->SetMarkersSize(5);
    operatingPoint->SetMarkersPenWidth(3);
    operatingPoint->SetMarkersAllowIndividual(true);

    plot.GetDataCursor(0)->SetVisible(false);
}

void ReplaceTransferPoints(TiXYPlot& plot, std::span<const TiDoublePoint> curve,
                           TiDoublePoint operatingPoint) {
    TiXYPlotChannel* line = plot.GetChannel(0);
    line->DeletePoints(line->Count());
    for (const TiDoublePoint& p : curve) line->AddXY(p.X, p.Y);
    TiXYPlotChannel* point = plot.GetChannel(1);
    point->DeletePoints(point->Count());
    point->AddXY(operatingPoint.X, operatingPoint.Y);
}

}  // namespace dsp
