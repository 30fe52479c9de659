#include "plot/engine/iPlotLimit.h"

#include "framework/core/Exceptions.h"
#include "plot/engine/iPlotAxis.h"
#include "plot/engine/iPlotComponent.h"
#include "plot/engine/iPlotUtils.h"

namespace dsp {

TiPlotLimit::TiPlotLimit(TObject* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                         TNotifyEvent onRemove, TNotifyEvent onRename)
    : TiPlotManagerObject(owner, std::move(onChange), std::move(onInsert), std::move(onRemove),
                          std::move(onRename)) {}

// ---- elements

void TiPlotLimit::AddBandElement(double position, double upperLimit, double lowerLimit) {
    if (lowerLimit > upperLimit) {
        throw Exception("the Upper Limit must be greater than or equal to the Lower Limit");
    }
    FPointList.Add(position, upperLimit, lowerLimit);
    DoChange();
}

void TiPlotLimit::ClearAllElements() {
    FPointList.Clear();
    DoChange();
}

// ---- properties

void TiPlotLimit::SetXAxisName(const std::string& value) {
    if (value == FXAxisName) return;
    FXAxisName = value;
    FXAxis = nullptr;
    DoChange();
}

void TiPlotLimit::SetYAxisName(const std::string& value) {
    if (value == FYAxisName) return;
    FYAxisName = value;
    FYAxis = nullptr;
    DoChange();
}

void TiPlotLimit::SetStyle(TiPlotLimitStyle value) {
    if (value == FStyle) return;
    FStyle = value;
    DoChange();
}

void TiPlotLimit::SetLineStyle(TPenStyle value) {
    if (value == FLineStyle) return;
    FLineStyle = value;
    DoChange();
}

void TiPlotLimit::SetFillStyle(TBrushStyle value) {
    if (value == FFillStyle) return;
    FFillStyle = value;
    DoChange();
}

void TiPlotLimit::SetLine1Position(double value) {
    if (value == FLine1Position) return;
    const double old = FLine1Position;
    FLine1Position = value;
    DoChange();
    if (Plot() != nullptr) Plot()->DoLimitLine1PositionChange(this, old, value);
}

void TiPlotLimit::SetLine2Position(double value) {
    if (value == FLine2Position) return;
    const double old = FLine2Position;
    FLine2Position = value;
    DoChange();
    if (Plot() != nullptr) Plot()->DoLimitLine2PositionChange(this, old, value);
}

bool TiPlotLimit::HasFill() const {
    switch (FStyle) {
        case iplsBandX:
        case iplsBandY: return FFillStyle != bsClear;
        case iplsPolyBandX:
        case iplsPolyBandY: return true;
        default: return false;
    }
}

TiPlotXAxis* TiPlotLimit::GetXAxis() const {
    if (FXAxis == nullptr && Plot() != nullptr) FXAxis = Plot()->GetXAxisByName(FXAxisName);
    return FXAxis;
}

TiPlotYAxis* TiPlotLimit::GetYAxis() const {
    if (FYAxis == nullptr && Plot() != nullptr) FYAxis = Plot()->GetYAxisByName(FYAxisName);
    return FYAxis;
}

// ---- notifications

void TiPlotLimit::NotificationRemove(TiPlotObject* sender) {
    if (sender == nullptr) return;
    if (sender == FXAxis) FXAxis = nullptr;
    if (sender == FYAxis) FYAxis = nullptr;
}

void TiPlotLimit::NotificationRename(TiPlotObject* sender) {
    if (sender == nullptr) return;
    if (sender == FXAxis) FXAxisName = sender->Name();
    if (sender == FYAxis) FYAxisName = sender->Name();
}

void TiPlotLimit::NotificationSetFocus(TiPlotObject* sender) {
    if (sender != nullptr && sender != this && sender->UserSelected()) SetUserSelected(false);
}

// ---- drawing

void TiPlotLimit::Draw(TCanvas* canvas, TColor backGroundColor) {
    FLine1Show = false;
    FLine2Show = false;
    if (!Visible()) return;
    TiPlotXAxis* x = GetXAxis();
    TiPlotYAxis* y = GetYAxis();
    if (x == nullptr || y == nullptr) return;
    const bool swap = XYAxesReversed();
    if (FClipToAxes) {
        const TRect r = MakeOrientedRect(swap, x->GetMinPixels(), y->GetMinPixels(),
                                         x->GetMaxPixels(), y->GetMaxPixels());
        canvas->IntersectClipRect(r.Left, r.Top, r.Right, r.Bottom);
    }
    switch (FStyle) {
        case iplsLineX:
        case iplsLineY: DrawLine(canvas, backGroundColor, x, y); break;
        case iplsBandX:
        case iplsBandY: DrawBand(canvas, x, y); break;
        case iplsPolyBandX:
        case iplsPolyBandY: DrawPolyBand(canvas, x, y); break;
    }
}

namespace {

// A line between two logical points, turned when the plot shows X vertically.
void OrientedLine(TCanvas* canvas, bool swap, int x1, int y1, int x2, int y2) {
    const TPoint a = MakeOrientedPoint(swap, x1, y1);
    const TPoint b = MakeOrientedPoint(swap, x2, y2);
    canvas->Polyline({a, b});
}

}  // namespace

void TiPlotLimit::DrawLine(TCanvas* canvas, TColor backGroundColor, TiPlotXAxis* x,
                           TiPlotYAxis* y) {
    // The line's axis and the axis it runs across.
    const bool xStyle = FStyle == iplsLineX;
    TiPlotAxis* on = xStyle ? static_cast<TiPlotAxis*>(x) : y;
    TiPlotAxis* across = xStyle ? static_cast<TiPlotAxis*>(y) : x;
    if (!(on->Min() <= FLine1Position && FLine1Position <= on->Max())) return;
    canvas->Pen()->SetColor(FColor);
    canvas->Pen()->SetWidth(FLineWidth);
    canvas->Pen()->SetStyle(FLineStyle);
    canvas->Brush()->SetColor(backGroundColor);
    const bool swap = XYAxesReversed();
    const int a = on->PositionToPixels(FLine1Position);
    const int from = across->PositionToPixels(across->Min());
    const int to = across->PositionToPixels(across->Max());
    if (xStyle) {
        OrientedLine(canvas, swap, a, from, a, to);
        FLine1ClickRect = MakeOrientedRect(swap, a - 5, from, a + 5, to);
    } else {
        OrientedLine(canvas, swap, from, a, to, a);
        FLine1ClickRect = MakeOrientedRect(swap, from, a - 5, to, a + 5);
    }
    FLine1Show = true;
}

void TiPlotLimit::DrawBand(TCanvas* canvas, TiPlotXAxis* x, TiPlotYAxis* y) {
    const bool xStyle = FStyle == iplsBandX;
    TiPlotAxis* on = xStyle ? static_cast<TiPlotAxis*>(x) : y;
    TiPlotAxis* across = xStyle ? static_cast<TiPlotAxis*>(y) : x;
    const bool swap = XYAxesReversed();
    const int a = on->PositionToPixels(FLine1Position);
    const int b = on->PositionToPixels(FLine2Position);
    const int c0 = across->PositionToPixels(across->Min());
    const int c1 = across->PositionToPixels(across->Max());
    // Logical (X, Y) of a point at p on the band's axis and q across it.
    const auto point = [xStyle](int p, int q) { return xStyle ? TPoint{p, q} : TPoint{q, p}; };
    const auto rect = [&](int p1, int q1, int p2, int q2) {
        const TPoint s = point(p1, q1);
        const TPoint e = point(p2, q2);
        return MakeOrientedRect(swap, s.X, s.Y, e.X, e.Y);
    };
    const auto line = [&](int p) {
        const TPoint s = point(p, c0);
        const TPoint e = point(p, c1);
        OrientedLine(canvas, swap, s.X, s.Y, e.X, e.Y);
    };
    FLine1ClickRect = rect(a - 5, c0, a + 5, c1);
    FLine2ClickRect = rect(b - 5, c0, b + 5, c1);
    FLine1Show = true;
    FLine2Show = true;

    canvas->Pen()->SetColor(FColor);
    canvas->Brush()->SetColor(FColor);
    canvas->Brush()->SetStyle(FFillStyle);
    if (FFillStyle == bsSolid) {
        canvas->Pen()->SetStyle(FLineStyle);
        canvas->Pen()->SetWidth(1);
        canvas->Rectangle(rect(a, c0, b, c1));
    } else if (FFillStyle == bsClear) {
        canvas->Pen()->SetStyle(FLineStyle);
        canvas->Pen()->SetWidth(FLineWidth);
        line(a);
        line(b);
    } else {
        canvas->Pen()->SetStyle(psClear);
        canvas->Rectangle(rect(a, c0, b, c1));
        canvas->Pen()->SetStyle(FLineStyle);
        canvas->Pen()->SetWidth(1);
        line(a);
        line(b);
    }
}

void TiPlotLimit::DrawPolyBand(TCanvas* canvas, TiPlotXAxis* x, TiPlotYAxis* y) {
    if (FPointList.Count() < 2) return;
    const bool xStyle = FStyle == iplsPolyBandX;
    // Positions run along the "position" axis, the limits along the other one.
    TiPlotAxis* positionAxis = xStyle ? static_cast<TiPlotAxis*>(y) : x;
    TiPlotAxis* limitAxis = xStyle ? static_cast<TiPlotAxis*>(x) : y;
    const bool swap = XYAxesReversed();
    const auto corner = [&](double position, double limit) {
        const int p = positionAxis->PositionToPixels(position);
        const int l = limitAxis->PositionToPixels(limit);
        return xStyle ? MakeOrientedPoint(swap, l, p) : MakeOrientedPoint(swap, p, l);
    };
    canvas->Pen()->SetColor(FColor);
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetStyle(psSolid);
    canvas->Brush()->SetColor(FColor);
    canvas->Brush()->SetStyle(FFillStyle);
    const double min = positionAxis->Min();
    const double max = positionAxis->Max();
    for (int i = 1; i < FPointList.Count(); ++i) {
        const double p0 = FPointList.Value1(i - 1);
        const double p1 = FPointList.Value1(i);
        if (p0 < min && p1 < min) continue;
        if (p0 > max) break;
        const TPoint upper0 = corner(p0, FPointList.Value2(i - 1));
        const TPoint upper1 = corner(p1, FPointList.Value2(i));
        const TPoint lower1 = corner(p1, FPointList.Value3(i));
        const TPoint lower0 = corner(p0, FPointList.Value3(i - 1));
        if (FFillStyle == bsSolid) {
            canvas->Polygon({upper0, upper1, lower1, lower0});
        } else {
            canvas->Pen()->SetStyle(psClear);
            canvas->Polygon({upper0, upper1, lower1, lower0});
            canvas->Pen()->SetStyle(psSolid);
            canvas->Polyline({upper0, upper1});
            canvas->Polyline({lower0, lower1});
        }
    }
}

// ---- mouse

bool TiPlotLimit::InClickRect(int line, int x, int y) const {
    const TPoint p{x, y};
    return line == 1 ? FLine1Show && PtInRect(FLine1ClickRect, p)
                     : FLine2Show && PtInRect(FLine2ClickRect, p);
}

bool TiPlotLimit::MouseHitTest(const TiPlotMouseData& mouseData) {
    if (FSelectModeOnlyInteraction && (Plot() == nullptr || !Plot()->GetSelectMode())) {
        return false;
    }
    return InClickRect(1, mouseData.X, mouseData.Y) || InClickRect(2, mouseData.X, mouseData.Y);
}

void TiPlotLimit::DoMouseLeft(const TiPlotMouseData& mouseData) {
    if (!FUserCanMove) return;
    if (InClickRect(1, mouseData.X, mouseData.Y)) {
        FMouseDownLine1 = true;
    } else if (InClickRect(2, mouseData.X, mouseData.Y)) {
        FMouseDownLine2 = true;
    }
    if (FMouseDownLine1 || FMouseDownLine2) InvalidateNow();
}

void TiPlotLimit::DoMouseMove(const TiPlotMouseData& mouseData) {
    if (!FMouseDownLine1 && !FMouseDownLine2) return;
    TiPlotAxis* axis =
        IsXStyle() ? static_cast<TiPlotAxis*>(GetXAxis()) : static_cast<TiPlotAxis*>(GetYAxis());
    if (axis == nullptr) return;
    const double value =
        axis->PixelsToPosition(IsXStyle() ? mouseData.XAxisPixels : mouseData.YAxisPixels);
    if (FMouseDownLine1) SetLine1Position(value);
    if (FMouseDownLine2) SetLine2Position(value);
}

void TiPlotLimit::DoMouseUp(const TiPlotMouseData& mouseData) {
    if (!FMouseDownLine1 && !FMouseDownLine2) return;
    FMouseDownLine1 = false;
    FMouseDownLine2 = false;
    if (MouseHitTest(mouseData) && Plot() != nullptr) Plot()->DoObjectClick(this);
}

TCursor TiPlotLimit::CheckMouseOver(TPoint) {
    TCursor cursor = crDefault;
    if (FUserCanMove) {
        cursor = crHandPoint;
        if (FLine1Show && FLine2Show) {
            // Across an X band the edges move sideways; with the axes exchanged, up and down.
            const bool sideways = IsXStyle() != XYAxesReversed();
            cursor = sideways ? crSizeWE : crSizeNS;
        }
    }
    if (Plot() != nullptr) Plot()->DoObjectGetMouseCursor(this, cursor);
    return cursor;
}

void TiPlotLimit::ClearPopupMenuItems(TPopupMenu* popupMenu) {
    TiPlotManagerObject::ClearPopupMenuItems(popupMenu);
    AddEditMenuItem(popupMenu);
}

}  // namespace dsp
