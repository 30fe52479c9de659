#include "plot/engine/iPlotDataView.h"

#include <cmath>
#include <cstdlib>

#include "framework/controls/KeyMap.h"
#include "framework/text/Numbers.h"
#include "framework/text/StrUtils.h"
#include "plot/engine/iPlotComponent.h"
#include "plot/engine/iPlotToolBar.h"
#include "plot/engine/iPlotUtils.h"

namespace dsp {

TiPlotDataView::TiPlotDataView(TObject* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                               TNotifyEvent onRemove, TNotifyEvent onRename)
    : TiPlotLayoutObject(owner, std::move(onChange), std::move(onInsert), std::move(onRemove),
                         std::move(onRename)) {}

// ---- percent coordinates

double TiPlotDataView::PixelsXToPositionPercent(int value) const {
    // A data view squeezed to nothing has no percent scale: its left edge stands for all.
    if (Width() <= 0) return 0;
    return static_cast<double>(value - Left()) / Width() * 100;
}

double TiPlotDataView::PixelsYToPositionPercent(int value) const {
    if (Height() <= 0) return 0;
    return (1 - static_cast<double>(value - Top()) / Height()) * 100;
}

int TiPlotDataView::PositionPercentToPixelsX(double value) const {
    if (!std::isfinite(value)) return Left();
    return static_cast<int>(Round(std::clamp(Width() * value / 100 + Left(), -1e9, 1e9)));
}

int TiPlotDataView::PositionPercentToPixelsY(double value) const {
    if (!std::isfinite(value)) return Bottom();
    return static_cast<int>(Round(std::clamp(Height() * (100 - value) / 100 + Top(), -1e9, 1e9)));
}

// ---- drawing

void TiPlotDataView::DrawBackground(TCanvas* canvas) {
    if (FBackgroundTransparent) return;
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(FBackgroundColor);
    canvas->FillRect(DrawRect());
}

void TiPlotDataView::DrawAxisGrid(TCanvas* canvas, TiPlotAxis* axis, const TGridLineSettings& major,
                                  const TGridLineSettings& minor, bool showMajors,
                                  bool showMinors) {
    if (axis == nullptr) return;
    axis->DrawGridLines(canvas, DrawRect(), minor.width, major.width, minor.color, major.color,
                        minor.style, major.style, showMinors, showMajors);
}

template <typename F>
void TiPlotDataView::ForEachAxis(bool xAxes, F&& f) {
    if (Plot() == nullptr) return;
    const int count = xAxes ? Plot()->XAxisCount() : Plot()->YAxisCount();
    for (int i = 0; i < count; ++i) {
        f(xAxes ? static_cast<TiPlotAxis*>(Plot()->GetXAxis(i))
                : static_cast<TiPlotAxis*>(Plot()->GetYAxis(i)));
    }
}

void TiPlotDataView::DrawGrid(TCanvas* canvas, TColor backGroundColor) {
    if (!FGridShow) return;
    canvas->Brush()->SetColor(backGroundColor);

    const TGridLineSettings xMajor =
        FGridLineXMajorCustom
            ? TGridLineSettings{FGridLineXMajorColor, FGridLineXMajorWidth, FGridLineXMajorStyle}
            : TGridLineSettings{FGridLineColor, 0, FGridLineMajorStyle};
    const TGridLineSettings xMinor =
        FGridLineXMinorCustom
            ? TGridLineSettings{FGridLineXMinorColor, FGridLineXMinorWidth, FGridLineXMinorStyle}
            : TGridLineSettings{FGridLineColor, 0, FGridLineMinorStyle};
    if (UpperCase(FGridXAxisName) != "<ALL>") {
        DrawAxisGrid(canvas, GetGridXAxis(), xMajor, xMinor, FGridLineShowXMajors,
                     FGridLineShowXMinors);
    } else {
        ForEachAxis(true, [&](TiPlotAxis* axis) {
            DrawAxisGrid(canvas, axis, xMajor, xMinor, FGridLineShowXMajors, FGridLineShowXMinors);
        });
    }

    const TGridLineSettings yMajor =
        FGridLineYMajorCustom
            ? TGridLineSettings{FGridLineYMajorColor, FGridLineYMajorWidth, FGridLineYMajorStyle}
            : TGridLineSettings{FGridLineColor, 0, FGridLineMajorStyle};
    const TGridLineSettings yMinor =
        FGridLineYMinorCustom
            ? TGridLineSettings{FGridLineYMinorColor, FGridLineYMinorWidth, FGridLineYMinorStyle}
            : TGridLineSettings{FGridLineColor, 0, FGridLineMinorStyle};
    if (UpperCase(FGridYAxisName) != "<ALL>") {
        DrawAxisGrid(canvas, GetGridYAxis(), yMajor, yMinor, FGridLineShowYMajors,
                     FGridLineShowYMinors);
    } else {
        ForEachAxis(false, [&](TiPlotAxis* axis) {
            DrawAxisGrid(canvas, axis, yMajor, yMinor, FGridLineShowYMajors, FGridLineShowYMinors);
        });
    }

    canvas->Pen()->SetColor(FGridLineColor);
    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetWidth(0);
    const TRect r = DrawRect();
    if (FGridLineShowLeft) canvas->Polyline({{r.Left, r.Top}, {r.Left, r.Bottom}});
    if (FGridLineShowRight) canvas->Polyline({{r.Right, r.Top}, {r.Right, r.Bottom}});
    if (FGridLineShowTop) canvas->Polyline({{r.Left, r.Top}, {r.Right, r.Top}});
    if (FGridLineShowBottom) canvas->Polyline({{r.Left, r.Bottom}, {r.Right + 1, r.Bottom}});
}

void TiPlotDataView::Draw(TCanvas* canvas, TColor backGroundColor) {
    TiPlotLayoutObject::Draw(canvas, backGroundColor);
    DrawGrid(canvas, backGroundColor);
    if (!UserSelected()) return;
    canvas->Pen()->SetColor(backGroundColor);
    canvas->Brush()->SetColor(backGroundColor);
    canvas->Brush()->SetStyle(bsClear);
    const TRect r = DrawRect();
    canvas->Polyline({{r.Left, r.Top}, {r.Left, r.Bottom}});
    canvas->Polyline({{r.Right, r.Top}, {r.Right, r.Bottom}});
    canvas->Polyline({{r.Left, r.Top}, {r.Right, r.Top}});
    canvas->Polyline({{r.Left, r.Bottom}, {r.Right + 1, r.Bottom}});
    canvas->Font()->SetColor(clWhite);
    DrawFocusRectangle(canvas, {r.Left, r.Top, r.Right + 1, r.Bottom + 1});
}

void TiPlotDataView::DrawZoomBox(TCanvas* canvas) {
    if (!FZoomBoxActive) return;
    canvas->Font()->SetColor(clWhite);
    DrawFocusRectangle(canvas, NormalizedRect(FMouseDownX, FMouseDownY, FMouseMoveX, FMouseMoveY));
}

TiPlotXAxis* TiPlotDataView::GetGridXAxis() {
    if (FXAxis == nullptr && Plot() != nullptr) FXAxis = Plot()->GetXAxisByName(FGridXAxisName);
    return FXAxis;
}

TiPlotYAxis* TiPlotDataView::GetGridYAxis() {
    if (FYAxis == nullptr && Plot() != nullptr) FYAxis = Plot()->GetYAxisByName(FGridYAxisName);
    return FYAxis;
}

void TiPlotDataView::SetGridXAxisName(const std::string& value) {
    if (value == FGridXAxisName) return;
    FGridXAxisName = value;
    FXAxis = nullptr;
    DoChange();
}

void TiPlotDataView::SetGridYAxisName(const std::string& value) {
    if (value == FGridYAxisName) return;
    FGridYAxisName = value;
    FYAxis = nullptr;
    DoChange();
}

int TiPlotDataView::GetControlMode() const {
    TiPlotToolBar* toolBar =
        Plot() != nullptr && Plot()->ToolBarCount() > 0 ? Plot()->GetToolBar(0) : nullptr;
    if (toolBar != nullptr && toolBar->SelectActive() && !FAxesControlAllowInSelectMode) return 2;
    if (toolBar != nullptr && toolBar->ZoomBoxActive()) return 1;
    if (FAxesControlEnabled) return 3;
    return 0;
}

void TiPlotDataView::ZoomAxesToRect(const TRect& rect) {
    TRect zoom = rect;
    bool cancel = false;
    if (Plot() != nullptr && Plot()->OnBeforeZoomBox) Plot()->OnBeforeZoomBox(zoom, cancel);
    if (cancel) return;
    ForEachAxis(true, [&](TiPlotAxis* axis) { axis->ZoomToRect(zoom); });
    ForEachAxis(false, [&](TiPlotAxis* axis) { axis->ZoomToRect(zoom); });
}

// ---- input

void TiPlotDataView::DoMouseLeft(const TiPlotMouseData& mouseData) {
    FDirectionLock = false;
    FMouseDown = true;
    switch (GetControlMode()) {
        case 1:
            if (Plot() != nullptr) Plot()->DisableAllTracking();
            FMouseDownX = FMouseMoveX = mouseData.X;
            FMouseDownY = FMouseMoveY = mouseData.Y;
            FZoomBoxActive = true;
            InvalidateNow();
            break;
        case 3:
            FMouseDownX = mouseData.X;
            FMouseDownY = mouseData.Y;
            ForEachAxis(true, [&](TiPlotAxis* axis) { axis->DoMouseLeft(mouseData); });
            ForEachAxis(false, [&](TiPlotAxis* axis) { axis->DoMouseLeft(mouseData); });
            break;
        default: break;
    }
}

void TiPlotDataView::DoMouseRight(const TiPlotMouseData& mouseData) {
    if (GetControlMode() != 3) return;
    FMouseDownRight = true;
    FMouseDownX = FMouseMoveX = mouseData.X;
    FMouseDownY = FMouseMoveY = mouseData.Y;
}

void TiPlotDataView::DoMouseMove(const TiPlotMouseData& mouseData) {
    if (!FMouseDown && !FMouseDownRight) return;
    if (FZoomBoxActive) {
        if (mouseData.DblClickActive) return;
        FMouseMoveX = mouseData.X;
        FMouseMoveY = mouseData.Y;
        InvalidateNow();
        return;
    }
    if (GetControlMode() != 3) return;
    const bool shift = mouseData.Shift.Contains(ssShift);
    if (!FMouseDownRight || FZoomBoxActive) {
        switch (FAxesControlMouseStyle) {
            case ipacsXAxis:
                FDirectionLock = true;
                FDirectionLockXAxis = !shift;
                break;
            case ipacsYAxis:
                FDirectionLock = true;
                FDirectionLockXAxis = shift;
                break;
            case ipacsBoth:
                if (shift && !FDirectionLock) {
                    if (std::abs(mouseData.X - FMouseDownX) > 3) {
                        FDirectionLock = true;
                        FDirectionLockXAxis = true;
                    }
                    if (std::abs(mouseData.Y - FMouseDownY) > 3) {
                        FDirectionLock = true;
                        FDirectionLockXAxis = false;
                    }
                }
                break;
            case ipacsNone: return;
        }
        if (!(FDirectionLock && !FDirectionLockXAxis)) {
            ForEachAxis(true, [&](TiPlotAxis* axis) { axis->DoMouseMove(mouseData); });
        }
        if (!(FDirectionLock && FDirectionLockXAxis)) {
            ForEachAxis(false, [&](TiPlotAxis* axis) { axis->DoMouseMove(mouseData); });
        }
        return;
    }
    if (std::abs(mouseData.X - FMouseDownX) <= 5 && std::abs(mouseData.Y - FMouseDownY) <= 5) {
        return;
    }
    FMouseMoveX = mouseData.X;
    FMouseMoveY = mouseData.Y;
    FZoomBoxActive = true;
    CancelPopup();
    if (Plot() != nullptr) Plot()->DisableAllTracking();
    InvalidateNow();
}

void TiPlotDataView::DoMouseUp(const TiPlotMouseData& mouseData) {
    if (!FMouseDown && !FMouseDownRight) return;
    if (FZoomBoxActive) {
        if (!mouseData.DblClickActive && FMouseDownX < FMouseMoveX && FMouseDownY < FMouseMoveY) {
            ZoomAxesToRect({FMouseDownX, FMouseDownY, FMouseMoveX, FMouseMoveY});
            InvalidateNow();
        }
    } else if (GetControlMode() == 3) {
        ForEachAxis(true, [&](TiPlotAxis* axis) { axis->DoMouseUp(mouseData); });
        ForEachAxis(false, [&](TiPlotAxis* axis) { axis->DoMouseUp(mouseData); });
    }
    if (PtInRect(DrawRect(), {mouseData.X, mouseData.Y}) && Plot() != nullptr) {
        Plot()->DoObjectClick(this);
    }
    FMouseDown = false;
    FMouseDownRight = false;
    FZoomBoxActive = false;
    InvalidateNow();
}

bool TiPlotDataView::DoMouseWheel(int wheelDelta, TShiftState shift, int x, int y) {
    if (GetControlMode() != 3) return false;
    const bool shifted = shift.Contains(ssShift);
    bool lock = true;
    bool lockX = true;
    switch (FAxesControlWheelStyle) {
        case ipacsXAxis: lockX = !shifted; break;
        case ipacsYAxis: lockX = shifted; break;
        case ipacsBoth: lock = false; break;
        case ipacsNone: return false;
    }
    if (!(lock && !lockX)) {
        ForEachAxis(true, [&](TiPlotAxis* axis) { axis->DoMouseWheel(wheelDelta, shift, x, y); });
    }
    if (!(lock && lockX)) {
        ForEachAxis(false, [&](TiPlotAxis* axis) { axis->DoMouseWheel(wheelDelta, shift, x, y); });
    }
    return true;
}

void TiPlotDataView::DoKeyDown(TKeyCode& charCode, TShiftState shift, TPopupMenu* popupMenu) {
    TiPlotLayoutObject::DoKeyDown(charCode, shift, popupMenu);
    if (charCode == VK_ESCAPE) {
        FZoomBoxActive = false;
        InvalidateNow();
    }
}

TiPlotObject* TiPlotDataView::SetMouseOverObject(int x, int y) {
    return TiPlotLayoutObject::SetMouseOverObject(x, y);
}

TCursor TiPlotDataView::CheckMouseOver(TPoint point) {
    TCursor cursor = TiPlotLayoutObject::CheckMouseOver(point);
    if (MouseOverObject() != this) return cursor;
    switch (GetControlMode()) {
        case 1: cursor = crDrag; break;
        case 3: cursor = crHandPoint; break;
        default: cursor = crDefault; break;
    }
    if (Plot() != nullptr) Plot()->DoObjectGetMouseCursor(this, cursor);
    return cursor;
}

void TiPlotDataView::ClearPopupMenuItems(TPopupMenu* popupMenu) {
    TiPlotLayoutObject::ClearPopupMenuItems(popupMenu);
    AddEditMenuItem(popupMenu);
}

void TiPlotDataView::NotificationRemove(TiPlotObject* sender) {
    if (sender == FXAxis) FXAxis = nullptr;
    if (sender == FYAxis) FYAxis = nullptr;
    if (sender == FMouseDownObject) FMouseDownObject = nullptr;
}

void TiPlotDataView::NotificationRename(TiPlotObject* sender) {
    if (sender == nullptr) return;
    if (sender == FXAxis) FGridXAxisName = sender->Name();
    if (sender == FYAxis) FGridYAxisName = sender->Name();
}

void TiPlotDataView::NotificationSetFocus(TiPlotObject* sender) {
    if (sender != this && sender != nullptr && sender->UserSelected()) SetUserSelected(false);
}

}  // namespace dsp
