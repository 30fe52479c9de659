#include "plot/engine/iXYPlot.h"

#include <cmath>
#include <limits>

#include "framework/core/Exceptions.h"
#include "plot/engine/iPlotAxis.h"
#include "plot/engine/iPlotDataCursor.h"
#include "plot/engine/iPlotDataView.h"
#include "plot/engine/iPlotLabel.h"
#include "plot/engine/iPlotLegend.h"
#include "plot/engine/iPlotManagers.h"
#include "plot/engine/iPlotToolBar.h"

namespace dsp {

// ---- TiXYPlotChannel

TiXYPlotChannel::TiXYPlotChannel(TObject* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                                 TNotifyEvent onRemove, TNotifyEvent onRename)
    : TiPlotChannelCustom(owner, std::move(onChange), std::move(onInsert), std::move(onRemove),
                          std::move(onRename)),
      FOPC(*this) {
    FOPC.OnGroupUpdated = [this] { DoOPCGroupUpdate(); };
}

TiXYPlotChannel::~TiXYPlotChannel() = default;

int TiXYPlotChannel::AddNull() { return AddNullPoint(0); }

int TiXYPlotChannel::AddEmpty() { return AddEmptyPoint(0); }

void TiXYPlotChannel::DoInsert() {
    TiPlotChannelCustom::DoInsert();
    if (Item(0)->AutoConnect()) OPCActivate();
}

void TiXYPlotChannel::CalcStartIndex() { FStartIndex = 0; }

void TiXYPlotChannel::CalcStopIndex() { FStopIndex = Count() - 1; }

void TiXYPlotChannel::PrepareDraw(TCanvas*) {
    FCanDraw = false;
    if (GetXAxis() == nullptr || GetYAxis() == nullptr || !Visible() || Count() == 0) return;
    CalcStartIndex();
    CalcStopIndex();
    FCanDraw = FStartIndex != -1 && FStopIndex != -1;
}

void TiXYPlotChannel::Draw(TCanvas* canvas, TColor backGroundColor) {
    const bool reversed = XYAxesReversed();
    if (FClipToAxes && GetXAxis() != nullptr && GetYAxis() != nullptr) {
        const TiPlotXAxis* x = GetXAxis();
        const TiPlotYAxis* y = GetYAxis();
        const TRect clip = reversed ? NormalizedRect(y->GetMinPixels(), x->GetMinPixels(),
                                                     y->GetMaxPixels(), x->GetMaxPixels())
                                    : NormalizedRect(x->GetMinPixels(), y->GetMinPixels(),
                                                     x->GetMaxPixels(), y->GetMaxPixels());
        canvas->IntersectClipRect(clip.Left, clip.Top, clip.Right, clip.Bottom);
    }
    DrawTrace(canvas, reversed, backGroundColor);
    DrawMarkers(canvas, reversed, backGroundColor);
}

template <typename Extent, typename Better>
double TiXYPlotChannel::FitExtent(double start, Extent extent, Better better) {
    CalcStartIndex();
    CalcStopIndex();
    double best = start;
    if (GetXAxis() == nullptr || GetYAxis() == nullptr || !Visible() || FStartIndex == -1 ||
        FStopIndex == -1) {
        return best;
    }
    for (int i = 0; i < Count(); ++i) {
        if (!GetDataValid(i)) continue;
        const double value = (this->*extent)(i);
        if (better(value, best)) best = value;
    }
    return best;
}

double TiXYPlotChannel::GetFitXMax() {
    return FitExtent(-1e300, &TiXYPlotChannel::GetMarkerExtentXMax,
                     [](double v, double best) { return v > best; });
}

double TiXYPlotChannel::GetFitXMin() {
    return FitExtent(1e300, &TiXYPlotChannel::GetMarkerExtentXMin,
                     [](double v, double best) { return v < best; });
}

double TiXYPlotChannel::GetFitYMax() {
    return FitExtent(-1e300, &TiXYPlotChannel::GetMarkerExtentYMax,
                     [](double v, double best) { return v > best; });
}

double TiXYPlotChannel::GetFitYMin() {
    return FitExtent(1e300, &TiXYPlotChannel::GetMarkerExtentYMin,
                     [](double v, double best) { return v < best; });
}

void TiXYPlotChannel::UpdateDataCursorValues(TiPlotDataCursor* cursor) {
    double valueX = 0;
    double valueY = 0;
    TiPlotXAxis* xAxis = GetXAxis();
    TiPlotYAxis* yAxis = GetYAxis();
    if (xAxis != nullptr && yAxis != nullptr) {
        const double p1 = cursor->Pointer1Position();
        const double p2 = cursor->Pointer2Position();
        double x1 = xAxis->PercentToPosition(p1 / 100);
        double x2 = xAxis->PercentToPosition(p2 / 100);
        double y1 = yAxis->PercentToPosition(p1 / 100);
        double y2 = yAxis->PercentToPosition(p2 / 100);
        if (const TiPlotDataView* view = cursor->DataView()) {
            if (xAxis->StartPercent() != 0 && xAxis->StopPercent() != 100) {
                x1 = xAxis->PixelsToPosition(view->PositionPercentToPixelsX(p1));
                x2 = xAxis->PixelsToPosition(view->PositionPercentToPixelsX(p2));
            }
            if (yAxis->StartPercent() != 0 && yAxis->StopPercent() != 100) {
                y1 = yAxis->PixelsToPosition(view->PositionPercentToPixelsY(p1));
                y2 = yAxis->PixelsToPosition(view->PositionPercentToPixelsY(p2));
            }
        }
        switch (cursor->Style()) {
            case ipcsValueXY:
                valueX = x1;
                valueY = y2;
                break;
            case ipcsValueX: valueX = x1; break;
            case ipcsValueY: valueY = y2; break;
            case ipcsDeltaX: valueX = std::abs(x1 - x2); break;
            case ipcsDeltaY: valueY = std::abs(y1 - y2); break;
            case ipcsInverseDeltaX:
                if (x1 - x2 == 0 || xAxis->CursorScaler() == 0) {
                    valueX = std::numeric_limits<double>::infinity();
                } else {
                    valueX = std::abs(1 / (xAxis->CursorScaler() * (x1 - x2)));
                }
                break;
        }
    }
    cursor->StoreCursorValues(ipdpsValid, valueY, valueX);
    std::string text;
    FormatDataCursorText(cursor->Style(), ipdpsValid, text, valueY, valueX);
    cursor->SetCursorDisplayText(text);
}

void TiXYPlotChannel::FormatDataCursorText(TiPlotDataCursorStyle style,
                                           TiPlotDataPointStatus status, std::string& text,
                                           double valueY, double valueX) {
    FDataCursorXText.clear();
    FDataCursorYText.clear();
    FDataCursorXValue = valueX;
    FDataCursorYValue = valueY;
    FDataCursorStatus = status;
    const auto yRule = [&] {
        if (GetYAxis() == nullptr) return std::string("No Y-Axis");
        switch (status) {
            case ipdpsNull: return TranslateString("Null");
            case ipdpsEmpty: return TranslateString("Empty");
            case ipdpsValid:
            default: return GetYValueText(valueY);
        }
    };
    if (GetXAxis() == nullptr) {
        FDataCursorXText = TranslateString("No X-Axis");
        text = FDataCursorXText;
        return;
    }
    switch (style) {
        case ipcsValueXY:
            FDataCursorXText = GetXValueText(valueX);
            FDataCursorYText = yRule();
            text = FDataCursorXText + ", " + FDataCursorYText;
            break;
        case ipcsValueX:
        case ipcsDeltaX:
            FDataCursorXText = GetXValueText(valueX);
            text = FDataCursorXText;
            break;
        case ipcsValueY:
            FDataCursorYText = yRule();
            text = FDataCursorYText;
            break;
        case ipcsDeltaY:
            FDataCursorYText =
                GetYAxis() == nullptr ? std::string("No Y-Axis") : GetYValueText(valueY);
            text = FDataCursorYText;
            break;
        case ipcsInverseDeltaX:
            FDataCursorXText = valueX < 1e301 ? GetXValueText(valueX) : TranslateString("Infinite");
            text = FDataCursorXText;
            break;
    }
}

// ---- OPC

void TiXYPlotChannel::OPCActivate() {
    if (FOPC.Designing()) return;
    FOPC.DeactivateBoth();
    FOPC.AddOwnGroup();
    Item(0)->SetGroupName(FOPC.OwnGroupName());
    Item(1)->SetGroupName(FOPC.OwnGroupName());
    Item(0)->Activate();
    Item(1)->Activate();
}

void TiXYPlotChannel::OPCDeactivate() { FOPC.DeactivateBoth(); }

void TiXYPlotChannel::OPCActivateSuspend() {
    OPCActivate();
    OPCUpdateSuspend();
}

void TiXYPlotChannel::OPCUpdateSuspend() { FOPC.Manager()->GetGroup(0)->Suspend(); }

void TiXYPlotChannel::OPCUpdateResume() { FOPC.Manager()->GetGroup(0)->Resume(); }

bool TiXYPlotChannel::OPCActive() const { return Item(0)->Active(); }

bool TiXYPlotChannel::OPCQualityGood() const { return Item(0)->QualityGood(); }

void TiXYPlotChannel::DoOPCGroupUpdate() {
    AddXY(Item(0)->Data().AsDouble(), Item(1)->Data().AsDouble());
}

// ---- TiXYPlot

TiXYPlot::TiXYPlot(TComponent* owner) : TiPlotComponent(owner) {
    Master()->SetChannelClass(PlotObjectFactory<TiXYPlotChannel>());
    DisableLayoutManager();
    try {
        GetToolBar(AddToolBar())->SetZOrder(3);
        GetLegend(AddLegend())->SetZOrder(2);
        AddXAxis();
        AddYAxis();
        AddChannel();
        AddDataView();
        AddDataCursor();
        TiPlotLabel* title = GetLabel(AddLabel());
        title->SetZOrder(2);
        title->SetName("Title");
        title->SetCaption("Untitled");
        title->SetMarginBottom(0);
    } catch (...) {
        EnableLayoutManager();
        throw;
    }
    EnableLayoutManager();
}

TiXYPlotChannel* TiXYPlot::GetChannel(int index) const {
    TiPlotChannelCustom* channel = TiPlotComponent::GetChannel(index);
    auto* xy = dynamic_cast<TiXYPlotChannel*>(channel);
    if (xy == nullptr) throw EInvalidCast("Invalid class typecast");
    return xy;
}

}  // namespace dsp
