#include "plot/engine/iPlot.h"

#include <cmath>
#include <limits>

#include "framework/core/Exceptions.h"
#include "framework/text/DateTime.h"
#include "framework/text/StrUtils.h"
#include "plot/engine/iPlotAxis.h"
#include "plot/engine/iPlotDataCursor.h"
#include "plot/engine/iPlotDataView.h"
#include "plot/engine/iPlotLabel.h"
#include "plot/engine/iPlotLegend.h"
#include "plot/engine/iPlotManagers.h"
#include "plot/engine/iPlotToolBar.h"

namespace dsp {

TiPlotChannel::TiPlotChannel(TObject* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                             TNotifyEvent onRemove, TNotifyEvent onRename)
    : TiPlotChannelCustom(owner, std::move(onChange), std::move(onInsert), std::move(onRemove),
                          std::move(onRename)),
      FElapsedStartTime(Now()),
      FOPC(*this) {
    FOPC.OnNewData = [this](TiOPCItem* item) {
        if (item != FOPC.Item(0)) return;
        const double value = item->Data().AsDouble();
        switch (FOPCXValueSource) {
            case iopcxvsOPCServerTimeStamp: AddPoint(item->TimeStamp(), value, false, false); break;
            case iopcxvsSystemTimeStamp: AddPoint(Now(), value, false, false); break;
            case iopcxvsElapsedTime: AddYElapsedTime(value); break;
            case iopcxvsElapsedSeconds: AddYElapsedSeconds(value); break;
            case iopcxvsOPCItem: break;  // the group's update adds the point
        }
    };
    FOPC.OnGroupUpdated = [this] {
        AddXY(FOPC.Item(0)->Data().AsDouble(), FOPC.Item(1)->Data().AsDouble());
    };
}

// ---- OPC

void TiPlotChannel::DoInsert() {
    TiPlotChannelCustom::DoInsert();
    if (FOPC.Item(0)->AutoConnect()) OPCActivate();
}

void TiPlotChannel::OPCActivate() {
    if (FOPC.Designing()) return;
    FOPC.DeactivateBoth();
    TiOPCItem* first = FOPC.Item(0);
    if (FOPCXValueSource != iopcxvsOPCItem) {
        first->Activate();
        return;
    }
    FOPC.Manager()->GroupClear();
    if (FOPC.Manager()->GetGroupIndex(first->GroupName()) == -1 &&
        !Trim(first->ServerName()).empty()) {
        FOPC.AddOwnGroup();
        first->SetGroupName(FOPC.OwnGroupName());
    }
    FOPC.Item(1)->SetGroupName(first->GroupName());
    first->Activate();
    FOPC.Item(1)->Activate();
}

void TiPlotChannel::OPCActivateSuspend() {
    OPCActivate();
    OPCUpdateSuspend();
}

// ---- adding

void TiPlotChannel::ResetElapsedStartTime() { FElapsedStartTime = Now(); }

void TiPlotChannel::StartTimeRule() {
    if (FResetStartTimeOnFirstDataPoint && Count() == 0) ResetElapsedStartTime();
}

void TiPlotChannel::CheckXOrder(double x) const {
    if (FAllowOutOfOrderXValues || Count() <= 1) return;
    const double last = GetDataX(Count() - 1);
    if (GetDataX(1) >= GetDataX(0)) {
        if (x < last) throw Exception("New Data-Point X-Value is out of order");
    } else if (x > last) {
        throw Exception("New Data-Point X-Value is out of order.");
    }
}

int TiPlotChannel::AddXY(double x, double y) {
    StartTimeRule();
    CheckXOrder(x);
    return AddPoint(x, y, false, false);
}

int TiPlotChannel::AddXNull(double x) {
    StartTimeRule();
    CheckXOrder(x);
    return AddPoint(x, 0, true, false);
}

int TiPlotChannel::AddXEmpty(double x) {
    StartTimeRule();
    CheckXOrder(x);
    return AddPoint(x, 0, false, true);
}

int TiPlotChannel::AddHighLow(double x, double high, double low, double open, double close) {
    StartTimeRule();
    CheckXOrder(x);
    const int index = FDataList->Add(x, 0, false, false);
    FDataList->SetHigh(index, high);
    FDataList->SetLow(index, low);
    FDataList->SetOpen(index, open);
    FDataList->SetClose(index, close);
    if (FXAxisTrackingEnabled && GetXAxis() != nullptr) GetXAxis()->NewTrackingData(x);
    if (FYAxisTrackingEnabled && GetYAxis() != nullptr) {
        for (double v : {high, low, open, close}) GetYAxis()->NewTrackingData(v);
    }
    PointsChanged();
    return index;
}

int TiPlotChannel::AddYElapsedTime(double y) {
    StartTimeRule();
    return AddPoint(Now() - FElapsedStartTime, y, false, false);
}

int TiPlotChannel::AddYElapsedSeconds(double y) {
    StartTimeRule();
    return AddPoint((Now() - FElapsedStartTime) * 60 * 60 * 24, y, false, false);
}

int TiPlotChannel::AddYNow(double y) {
    StartTimeRule();
    return AddPoint(Now(), y, false, false);
}

void TiPlotChannel::AddYArray(double xInterval, const TVariant& yData) {
    if (VarArrayDimCount(yData) != 1) throw Exception("Y-Data array must be 1 dimensional");
    StartTimeRule();
    const double base = Count() > 0 ? XLast() : 0;
    const int low = yData.LowBound(1);
    for (int k = low; k <= yData.HighBound(1); ++k) {
        AddPoint(base + (k - low) * xInterval, yData[k].AsDouble(), false, false);
    }
}

// ---- finding

int TiPlotChannel::Search(double target, bool upward) const {
    int lo = 0;
    int hi = Count() - 1;
    int mid = -1;
    while (lo <= hi) {
        mid = (lo + hi) / 2;
        const double x = GetDataX(mid);
        if (x == target) break;
        if ((target < x) == upward) {
            hi = mid - 1;
        } else {
            lo = mid + 1;
        }
    }
    return mid;
}

int TiPlotChannel::CalcIndex(double t) const {
    if (GetXAxis() == nullptr || Count() == 0) return -1;
    const double first = GetDataX(0);
    const double last = GetDataX(Count() - 1);
    const bool upward = Count() < 3 || GetDataX(1) >= first;
    int i = 0;
    if (upward) {
        if (t < first || t > last) return -1;
        i = Search(t, true);
        if (t > GetDataX(i)) ++i;
    } else {
        if (t > first || t < last) return -1;
        i = Search(t, false);
        if (t > GetDataX(i)) --i;
    }
    return std::clamp(i, 0, Count() - 1);
}

void TiPlotChannel::CalcStartIndex() {
    FStartIndex = -1;
    TiPlotXAxis* axis = GetXAxis();
    if (axis == nullptr || Count() == 0) return;
    int i = 0;
    if (FDrawOutOfOrderXValues) {
        i = Count() - 1;
        for (int k = Count() - 1; k >= 0; --k) {
            if (axis->PointOnScale(GetDataX(k))) i = k;
        }
        --i;
    } else if (FXIncreasing) {
        i = Search(axis->Min(), true);
        if (GetDataX(i) > axis->Min()) --i;
    } else {
        i = Search(axis->Max(), false);
        if (axis->Max() > GetDataX(i)) --i;
    }
    FStartIndex = std::clamp(i, 0, Count() - 1);
}

void TiPlotChannel::CalcStopIndex() {
    FStopIndex = -1;
    TiPlotXAxis* axis = GetXAxis();
    if (axis == nullptr || Count() == 0) return;
    int i = 0;
    if (FDrawOutOfOrderXValues) {
        i = -1;
        for (int k = 0; k < Count(); ++k) {
            if (axis->PointOnScale(GetDataX(k))) i = k;
        }
        ++i;
    } else if (FXIncreasing) {
        i = Search(axis->Max(), true);
        if (axis->Max() > GetDataX(i)) ++i;
    } else {
        i = Search(axis->Min(), false);
        if (GetDataX(i) > axis->Min()) ++i;
    }
    FStopIndex = std::clamp(i, 0, Count() - 1);
}

bool TiPlotChannel::GetYInterpolated(double xValue, double& yValue) const {
    if (Count() == 0) return false;
    if (GetDataValid(0) && GetDataX(0) == xValue) {
        yValue = GetDataY(0);
        return true;
    }
    if (GetDataValid(Count() - 1) && GetDataX(Count() - 1) == xValue) {
        yValue = GetDataY(Count() - 1);
        return true;
    }
    yValue = 0;
    const int i = CalcIndex(xValue);
    const bool upward = Count() < 3 || GetDataX(1) >= GetDataX(0);
    const int j = upward ? i - 1 : i + 1;
    if (i == -1 || j == -1 || j >= Count()) return false;
    if (FDigitalEnabled) {
        yValue = GetDataY(j);
        return true;
    }
    if (xValue == GetDataX(i)) {
        yValue = GetDataY(i);
        return true;
    }
    if (i < 1 || GetDataNull(i) || GetDataNull(j)) return false;
    const TiPlotXAxis* axis = GetXAxis();
    const int pi = axis->PositionToPixels(GetDataX(i));
    const int pj = axis->PositionToPixels(GetDataX(j));
    const int px = axis->PositionToPixels(xValue);
    if (pj - pi != 0 && px - pi != 0) {
        yValue = GetDataY(i) + (px - pi) * (GetDataY(j) - GetDataY(i)) / (pj - pi);
    } else {
        yValue = GetDataY(i);
    }
    return true;
}

TiPlotDataPointStatus TiPlotChannel::GetCursorValue(double xValue, double& yValue) const {
    yValue = 0;
    if (Count() == 0) return ipdpsEmpty;
    if ((xValue == XFirst() && GetDataValid(0)) ||
        (xValue == XLast() && GetDataValid(Count() - 1))) {
        yValue = xValue == XFirst() && GetDataValid(0) ? YFirst() : YLast();
        return ipdpsValid;
    }
    const TiPlotInterpolationStyle style =
        FDigitalEnabled ? ipistStraightLine : FInterpolationStyle;
    switch (style) {
        case ipistStraightLine: return GetYInterpolated(xValue, yValue) ? ipdpsValid : ipdpsEmpty;
        case ipistCubicSpline:
        case ipistPolynomial:
        case ipistRational: {
            if (GetXAxis() == nullptr || (FPixelListStart == 0 && FPixelListStop == 0))
                return ipdpsEmpty;
            const int pixel = GetXAxis()->PositionToPixels(xValue);
            if (pixel < FPixelListStart || pixel > FPixelListStop) return ipdpsEmpty;
            if (xValue < std::min(XFirst(), XLast()) || xValue > std::max(XFirst(), XLast()))
                return ipdpsEmpty;
            const TiPlotPixelPoint& entry =
                FPixelList[static_cast<std::size_t>(pixel - FPixelListStart)];
            yValue = entry.YValue;
            return entry.Null ? ipdpsNull : ipdpsValid;
        }
        case ipistDifferential:
        case ipistDifferentialTerminated: {
            const int j = CalcIndex(xValue) - 1;
            if (j < 0) {
                if (style == ipistDifferential && xValue > XLast() && GetDataValid(Count() - 1)) {
                    yValue = YLast();
                    return ipdpsValid;
                }
                return ipdpsEmpty;
            }
            yValue = GetDataY(j);
            return ipdpsValid;
        }
    }
    return ipdpsEmpty;
}

void TiPlotChannel::UpdateDataCursorValues(TiPlotDataCursor* cursor) {
    TiPlotXAxis* xAxis = GetXAxis();
    TiPlotYAxis* yAxis = GetYAxis();
    const TiPlotDataView* view = cursor->DataView();
    if (xAxis == nullptr || yAxis == nullptr || view == nullptr) return;
    const double x1 =
        xAxis->PixelsToPosition(view->PositionPercentToPixelsX(cursor->Pointer1Position()));
    const double x2 =
        xAxis->PixelsToPosition(view->PositionPercentToPixelsX(cursor->Pointer2Position()));
    double valueX = 0;
    double valueY = 0;
    TiPlotDataPointStatus status = ipdpsValid;
    switch (cursor->Style()) {
        case ipcsValueXY:
        case ipcsValueX:
        case ipcsValueY:
            valueX = x1;
            status = GetCursorValue(x1, valueY);
            break;
        case ipcsDeltaX: valueX = xAxis->CursorScaler() * std::abs(x1 - x2); break;
        case ipcsDeltaY: {
            // The pointers' distance in Y units, through the vertical percent conversion.
            const double y1 =
                yAxis->PixelsToPosition(view->PositionPercentToPixelsY(cursor->Pointer1Position()));
            const double y2 =
                yAxis->PixelsToPosition(view->PositionPercentToPixelsY(cursor->Pointer2Position()));
            valueY = std::abs(y1 - y2);
            break;
        }
        case ipcsInverseDeltaX: {
            const double distance = std::abs(x1 - x2);
            valueX = distance == 0 || xAxis->CursorScaler() == 0
                         ? std::numeric_limits<double>::infinity()
                         : 1 / (distance * xAxis->CursorScaler());
            break;
        }
    }
    cursor->StoreCursorValues(status, valueY, valueX);
    FDataCursorXText.clear();
    FDataCursorYText.clear();
    FDataCursorXValue = valueX;
    FDataCursorYValue = valueY;
    FDataCursorStatus = status;
    std::string yText;
    if (FDigitalEnabled && status == ipdpsValid) {
        yText = TranslateString(valueY != 0 ? "High" : "Low");
    } else if (status == ipdpsValid) {
        yText = GetYValueText(valueY);
    } else {
        yText = TranslateString(status == ipdpsNull ? "Null" : "Empty");
    }
    std::string text;
    switch (cursor->Style()) {
        case ipcsValueXY:
            FDataCursorXText = GetXValueText(valueX);
            FDataCursorYText = yText;
            text = FDataCursorXText + ", " + yText;
            break;
        case ipcsValueX:
        case ipcsDeltaX: text = FDataCursorXText = GetXValueText(valueX); break;
        case ipcsValueY: text = FDataCursorYText = yText; break;
        case ipcsDeltaY: text = FDataCursorYText = GetYValueText(valueY); break;
        case ipcsInverseDeltaX:
            text = FDataCursorXText =
                valueX >= 1e301 ? TranslateString("Infinite") : xAxis->GetCursorValueText(valueX);
            break;
    }
    cursor->SetCursorDisplayText(text);
}

// ---- fit extents

double TiPlotChannel::GetFitXMax() {
    if (Count() == 0 || !Visible() || GetXAxis() == nullptr || GetYAxis() == nullptr) return -1e300;
    UpdateXIncreasing();
    if (FXIncreasing) {
        for (int i = Count() - 1; i >= 0; --i) {
            if (GetDataValid(i)) return GetMarkerExtentXMax(i);
        }
    } else {
        for (int i = 0; i < Count(); ++i) {
            if (GetDataValid(i)) return GetMarkerExtentXMax(i);
        }
    }
    return -1e300;
}

double TiPlotChannel::GetFitXMin() {
    if (Count() == 0 || !Visible() || GetXAxis() == nullptr || GetYAxis() == nullptr) return 1e300;
    UpdateXIncreasing();
    if (FXIncreasing) {
        for (int i = 0; i < Count(); ++i) {
            if (GetDataValid(i)) return GetMarkerExtentXMin(i);
        }
    } else {
        for (int i = Count() - 1; i >= 0; --i) {
            if (GetDataValid(i)) return GetMarkerExtentXMin(i);
        }
    }
    return 1e300;
}

double TiPlotChannel::GetFitYMax() {
    double best = -1e300;
    if (Count() == 0 || !Visible() || GetXAxis() == nullptr || GetYAxis() == nullptr) return best;
    CalcStartIndex();
    CalcStopIndex();
    if (FStartIndex < 0) return best;
    for (int i = FStartIndex; i <= FStopIndex; ++i) {
        if (GetDataValid(i)) best = std::max(best, GetMarkerExtentYMax(i));
    }
    return best;
}

double TiPlotChannel::GetFitYMin() {
    double best = 1e300;
    if (Count() == 0 || !Visible() || GetXAxis() == nullptr || GetYAxis() == nullptr) return best;
    CalcStartIndex();
    CalcStopIndex();
    if (FStartIndex < 0) return best;
    for (int i = FStartIndex; i <= FStopIndex; ++i) {
        if (GetDataValid(i)) best = std::min(best, GetMarkerExtentYMin(i));
    }
    return best;
}

// ---- TiPlot

TiPlot::TiPlot(TComponent* owner) : TiPlotComponent(owner) {
    BeginUpdate();
    try {
        Master()->SetChannelClass(PlotObjectFactory<TiPlotChannel>());
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
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

TiPlotChannel* TiPlot::GetChannel(int index) const {
    auto* channel = dynamic_cast<TiPlotChannel*>(TiPlotComponent::GetChannel(index));
    if (channel == nullptr) throw EInvalidCast("Invalid class typecast");
    return channel;
}

}  // namespace dsp
