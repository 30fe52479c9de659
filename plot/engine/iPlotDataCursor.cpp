#include "plot/engine/iPlotDataCursor.h"

#include <climits>
#include <cmath>

#include "framework/controls/KeyMap.h"
#include "framework/desktop/Cursors.h"
#include "framework/text/StrUtils.h"
#include "plot/engine/iPlotAxis.h"
#include "plot/engine/iPlotComponent.h"
#include "plot/engine/iPlotDataView.h"
#include "plot/engine/iPlotUtils.h"

namespace dsp {

namespace {

constexpr const char* kAll = "<All>";

}  // namespace

TiPlotDataCursor::TiPlotDataCursor(TObject* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                                   TNotifyEvent onRemove, TNotifyEvent onRename)
    : TiPlotManagerObject(owner, std::move(onChange), std::move(onInsert), std::move(onRemove),
                          std::move(onRename)),
      FFont(std::make_unique<TFont>()) {
    FFont->OnChange = [this](TObject*) { DoChange(); };
    FVisible = false;
    FEnabled = true;
    UpdatePointerLayout();
}

TiPlotDataCursor::~TiPlotDataCursor() { FFont->OnChange = nullptr; }

bool TiPlotDataCursor::OwnerIsXYPlot() const {
    return Plot() != nullptr && !Plot()->IsStripChart();
}

// ---- channel

void TiPlotDataCursor::SetChannelName(const std::string& value) {
    if (value == FChannelName) return;
    FChannelName = value;
    FChannel = nullptr;
    DoChange();
}

TiPlotChannelCustom* TiPlotDataCursor::GetChannel() {
    if (FChannel == nullptr && Plot() != nullptr) FChannel = Plot()->GetChannelByName(FChannelName);
    return FChannel;
}

void TiPlotDataCursor::SetChannelShowAllInLegend(bool value) {
    SetBooleanProperty(value, FChannelShowAllInLegend, &TiPlotObject::DoChange);
}

void TiPlotDataCursor::SetChannelAllowAll(bool value) {
    SetBooleanProperty(value, FChannelAllowAll, &TiPlotObject::DoChange);
}

// ---- values

void TiPlotDataCursor::StoreCursorValues(TiPlotDataPointStatus status, double y, double x) {
    // NaN never equals itself: compare bit for bit so that a NaN value does not fire forever.
    const auto same = [](double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); };
    if (same(x, FValueX) && same(y, FValueY) && status == FStatus) return;
    FValueX = x;
    FValueY = y;
    FStatus = status;
    if (Plot() != nullptr) Plot()->DoDataCursorChange(this);
}

void TiPlotDataCursor::UpdateCursor() {
    if (Plot() == nullptr) return;
    Plot()->DoBeforeDataCursorUpdate(this);
    if (FChannelName == kAll) {
        for (int i = 0; i < Plot()->ChannelCount(); ++i) {
            Plot()->GetChannel(i)->UpdateDataCursorValues(this);
        }
        return;
    }
    if (TiPlotChannelCustom* channel = GetChannel()) channel->UpdateDataCursorValues(this);
}

// ---- settings

void TiPlotDataCursor::SetStyle(TiPlotDataCursorStyle value) {
    if (value == FStyle) return;
    FStyle = value;
    UpdatePointerLayout();
    DoChange();
}

void TiPlotDataCursor::SetPointer1Position(double value) {
    SetDoubleProperty(ClampPercent(value), FPointer1Position, &TiPlotObject::DoChange);
}

void TiPlotDataCursor::SetPointer2Position(double value) {
    SetDoubleProperty(ClampPercent(value), FPointer2Position, &TiPlotObject::DoChange);
}

void TiPlotDataCursor::SetHintOrientationSide(TiOrientationSide value) {
    if (value == FHintOrientationSide) return;
    FHintOrientationSide = value;
    DoChange();
}

std::string& TiPlotDataCursor::MenuItemCaption(TiPlotDataCursorStyle style) {
    switch (style) {
        case ipcsValueX: return FMenuItemCaptionValueX;
        case ipcsValueY: return FMenuItemCaptionValueY;
        case ipcsDeltaX: return FMenuItemCaptionDeltaX;
        case ipcsDeltaY: return FMenuItemCaptionDeltaY;
        case ipcsInverseDeltaX: return FMenuItemCaptionInverseDeltaX;
        case ipcsValueXY:
        default: return FMenuItemCaptionValueXY;
    }
}

bool& TiPlotDataCursor::MenuItemVisible(TiPlotDataCursorStyle style) {
    switch (style) {
        case ipcsValueX: return FMenuItemVisibleValueX;
        case ipcsValueY: return FMenuItemVisibleValueY;
        case ipcsDeltaX: return FMenuItemVisibleDeltaX;
        case ipcsDeltaY: return FMenuItemVisibleDeltaY;
        case ipcsInverseDeltaX: return FMenuItemVisibleInverseDeltaX;
        case ipcsValueXY:
        default: return FMenuItemVisibleValueXY;
    }
}

// ---- layout of the pointers

void TiPlotDataCursor::UpdatePointerLayout() {
    const bool xy = OwnerIsXYPlot();
    switch (FStyle) {
        case ipcsValueXY:
            FPointer1Show = true;
            FPointer1Orientation = ioVertical;
            FPointer2Show = xy;
            if (xy) FPointer2Orientation = ioHorizontal;
            FHintOrientation = ioVertical;
            break;
        case ipcsValueX:
            FPointer1Show = true;
            FPointer1Orientation = ioVertical;
            FPointer2Show = false;
            FHintOrientation = ioVertical;
            break;
        case ipcsValueY:
            if (xy) {
                FPointer1Show = false;
                FPointer2Show = true;
                FPointer2Orientation = ioHorizontal;
                FHintOrientation = ioHorizontal;
            } else {
                FPointer1Show = true;
                FPointer1Orientation = ioVertical;
                FPointer2Show = false;
                FHintOrientation = ioVertical;
            }
            break;
        case ipcsDeltaX:
        case ipcsInverseDeltaX:
            FPointer1Show = true;
            FPointer2Show = true;
            FPointer1Orientation = ioVertical;
            FPointer2Orientation = ioVertical;
            FHintOrientation = ioVertical;
            break;
        case ipcsDeltaY:
            FPointer1Show = true;
            FPointer2Show = true;
            FPointer1Orientation = ioHorizontal;
            FPointer2Orientation = ioHorizontal;
            FHintOrientation = ioHorizontal;
            break;
    }
    if (XYAxesReversed()) {
        const auto turn = [](TiOrientation o) {
            return o == ioVertical ? ioHorizontal : ioVertical;
        };
        FPointer1Orientation = turn(FPointer1Orientation);
        FPointer2Orientation = turn(FPointer2Orientation);
        FHintOrientation = turn(FHintOrientation);
    }
}

void TiPlotDataCursor::SetVisible(bool value) {
    TiPlotManagerObject::SetVisible(value);
    if (value) UpdateCursor();
}

void TiPlotDataCursor::SetXYAxesReversed(bool value) {
    TiPlotManagerObject::SetXYAxesReversed(value);
    UpdatePointerLayout();
}

// ---- notifications

void TiPlotDataCursor::NotificationRemove(TiPlotObject* sender) {
    if (sender == FDataView) FDataView = nullptr;
    if (sender == FChannel) FChannel = nullptr;
}

void TiPlotDataCursor::NotificationRename(TiPlotObject* sender) {
    if (sender != nullptr && sender == FChannel) FChannelName = sender->Name();
}

void TiPlotDataCursor::NotificationSetFocus(TiPlotObject* sender) {
    if (sender == nullptr || sender == this || !sender->UserSelected()) return;
    if (sender->Kind() == TiPlotObjectKind::Channel) {
        if (sender == GetChannel()) return;
        if (UserSelected()) {
            SetChannelName(sender->Name());
            return;
        }
    }
    SetUserSelected(false);
}

void TiPlotDataCursor::DoGotFocus() {
    TiPlotManagerObject::DoGotFocus();
    if (TiPlotChannelCustom* channel = GetChannel()) channel->SetUserSelected(true);
}

TCursor TiPlotDataCursor::CheckMouseOver(TPoint) {
    TCursor cursor = crHandPoint;
    if (Plot() != nullptr) Plot()->DoObjectGetMouseCursor(this, cursor);
    return cursor;
}

bool TiPlotDataCursor::GetPopupCenter(TPoint& center) const {
    const TRect& r = FPointer1Show ? FPointer1Rect : FPointer2Rect;
    center = {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    return FDataView != nullptr;
}

// ---- drawing

TColor TiPlotDataCursor::DrawColor() {
    if (FUseChannelColor) {
        if (TiPlotChannelCustom* channel = GetChannel()) return channel->Color();
    }
    return FColor;
}

void TiPlotDataCursor::Draw(TCanvas* canvas, TColor) {
    if (FDataView == nullptr || !Visible()) return;
    UpdateCursor();
    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetColor(DrawColor());
    if (FPointer1Show) {
        canvas->Pen()->SetWidth(FMouseDownPointer1 ? 0 : FPointerPenWidth);
        DrawPointer(canvas, FPointer1Orientation, FPointer1Rect, FPointer1Position);
    }
    if (FPointer2Show) {
        canvas->Pen()->SetWidth(FMouseDownPointer2 ? 0 : FPointerPenWidth);
        DrawPointer(canvas, FPointer2Orientation, FPointer2Rect, FPointer2Position);
    }
    FHintShowing = FHintShow;
    if (FChannelName == kAll) FHintShowing = false;
    if (FHintHideOnRelease && !FMouseDownPointer1 && !FMouseDownPointer2) FHintShowing = false;
    if (FHintShowing) DrawHint(canvas);
}

void TiPlotDataCursor::DrawPointer(TCanvas* canvas, TiOrientation orientation, TRect& rect,
                                   double position) {
    const TRect d = FDataView->DrawRect();
    if (orientation == ioVertical) {
        const int x = FDataView->PositionPercentToPixelsX(position);
        canvas->Polyline({{x, d.Top}, {x, d.Bottom}});
        rect = {x - 5, d.Top, x + 6, d.Bottom};
    } else {
        const int y = FDataView->PositionPercentToPixelsY(position);
        canvas->Polyline({{d.Left, y}, {d.Right, y}});
        rect = {d.Left, y - 5, d.Right, y + 6};
    }
}

void TiPlotDataCursor::DrawHint(TCanvas* canvas) {
    std::string text = GetChannel() != nullptr ? FCursorDisplayText : TranslateString("No Channel");
    if (Plot() != nullptr) Plot()->DoDataCursorCustomizeHint(this, text);

    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetWidth(0);
    canvas->Font()->Assign(FFont.get());
    const int w = GetMaxLineWidth(canvas, text);
    TRect measure{0, 0, w, 0};
    const int h =
        DrawTextFormatted(canvas, text, measure, kTextWordBreak | kTextCalcRect, true, clBtnFace);
    const int a = canvas->TextWidth("A");
    FHintHeight = a / 2 + h;
    FHintWidth = w + a;
    const int hh = FHintHeight;
    const int hw = FHintWidth;
    const TRect v = FDataView->DrawRect();
    const TRect& p1 = FPointer1Rect;
    const TRect& p2 = FPointer2Rect;

    if (FHintOrientation == ioVertical) {
        const TRect& own = FPointer1Show ? p1 : p2;
        const int r = (own.Left + own.Right) / 2;
        if (r + 5 + a + w > v.Right) FHintOrientationSide = iosTopLeft;
        if (r - 5 - a - w < v.Left) FHintOrientationSide = iosBottomRight;
        const int y = FDataView->PositionPercentToPixelsY(FHintPosition);
        if (IsDeltaStyle()) {
            const int c = (p1.Left + p1.Right + p2.Left + p2.Right) / 4;
            FHintRect = {c - hw / 2, y - hh / 2, c + hw / 2, y + hh / 2};
        } else if (FHintOrientationSide == iosBottomRight) {
            FHintRect = {r + 5, y - hh / 2, r + 5 + w + a, y + hh / 2};
        } else {
            FHintRect = {r - 5 - w - a, y - hh / 2, r - 5, y + hh / 2};
        }
    } else {
        const TRect& own = FPointer1Show ? p1 : p2;
        const int r = (own.Top + own.Bottom) / 2;
        if (r + a + h > v.Bottom) FHintOrientationSide = iosTopLeft;
        if (r - a - h < v.Top) FHintOrientationSide = iosBottomRight;
        const int x = FDataView->PositionPercentToPixelsX(FHintPosition);
        if (IsDeltaStyle()) {
            const int c = (p1.Top + p1.Bottom + p2.Top + p2.Bottom) / 4;
            FHintRect = {x - hw / 2, c - hh / 2, x + hw / 2, c + hh / 2};
        } else if (FHintOrientationSide == iosBottomRight) {
            FHintRect = {x - hw / 2, r + 5, x + hw / 2, r + 5 + hh};
        } else {
            FHintRect = {x - hw / 2, r - 5 - hh, x + hw / 2, r - 5};
        }
    }
    // Kept inside the data view; a box larger than the view ends flush right or at the bottom.
    if (FHintRect.Left < v.Left) FHintRect = OffsetRect(FHintRect, v.Left - FHintRect.Left, 0);
    if (FHintRect.Right > v.Right) FHintRect = OffsetRect(FHintRect, v.Right - FHintRect.Right, 0);
    if (FHintRect.Top < v.Top) FHintRect = OffsetRect(FHintRect, 0, v.Top - FHintRect.Top);
    if (FHintRect.Bottom > v.Bottom)
        FHintRect = OffsetRect(FHintRect, 0, v.Bottom - FHintRect.Bottom);

    const bool channelColor = FUseChannelColor && GetChannel() != nullptr;
    if (IsDeltaStyle()) {
        canvas->Pen()->SetStyle(psDot);
        canvas->Pen()->SetColor(DrawColor());
        canvas->Brush()->SetStyle(bsClear);
        if (FHintOrientation == ioVertical) {
            const int cy = (FHintRect.Top + FHintRect.Bottom) / 2;
            canvas->Polyline({{(p1.Left + p1.Right) / 2, cy}, {(p2.Left + p2.Right) / 2, cy}});
        } else {
            const int cx = (FHintRect.Left + FHintRect.Right) / 2;
            canvas->Polyline({{cx, (p1.Top + p1.Bottom) / 2}, {cx, (p2.Top + p2.Bottom) / 2}});
        }
    }
    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetColor(channelColor ? GetChannel()->Color() : clBlack);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(clInfoBk);
    canvas->Font()->SetColor(clInfoText);
    canvas->Rectangle(FHintRect);
    TRect textRect{FHintRect.Left + 2, FHintRect.Top + 1, FHintRect.Right, FHintRect.Bottom};
    DrawTextFormatted(canvas, text, textRect, kTextLeft | kTextVCenter, true, clBtnFace);
    canvas->Brush()->SetStyle(bsClear);
    canvas->Rectangle(FHintRect);

    if (UserSelected()) {
        const TRect focus = InflateRect(FHintRect, 2, 2);
        canvas->Font()->SetColor(clWhite);
        canvas->Pen()->SetColor(clWhite);
        canvas->Brush()->SetStyle(bsClear);
        DrawFocusRectangle(canvas, focus);
    }
}

// ---- mouse

bool TiPlotDataCursor::MouseHitTest(const TiPlotMouseData& mouseData) {
    if (FDataView == nullptr) return false;
    const TPoint p{mouseData.X, mouseData.Y};
    return (FPointer1Show && PtInRect(FPointer1Rect, p)) ||
           (FPointer2Show && PtInRect(FPointer2Rect, p)) ||
           (FHintShowing && PtInRect(FHintRect, p));
}

void TiPlotDataCursor::DoMouseLeft(const TiPlotMouseData& mouseData) {
    TiPlotManagerObject::DoMouseLeft(mouseData);
    FMouseDownX = mouseData.X;
    FMouseDownY = mouseData.Y;
    if (FDataView == nullptr) return;
    const TPoint p{mouseData.X, mouseData.Y};
    auto start = [&](bool& flag, double position, bool pointer) {
        FMouseDownXPixels = FDataView->PositionPercentToPixelsX(position);
        FMouseDownYPixels = FDataView->PositionPercentToPixelsY(position);
        flag = true;
        InvalidateNow();
        if (pointer) UpdateCursor();
    };
    // The hint box as last drawn; a hidden box cannot be grabbed.
    if (FHintShowing && PtInRect(FHintRect, p)) {
        start(FMouseDownHint, FHintPosition, false);
    } else if (FPointer1Show && PtInRect(FPointer1Rect, p)) {
        start(FMouseDownPointer1, FPointer1Position, true);
    } else if (FPointer2Show && PtInRect(FPointer2Rect, p)) {
        start(FMouseDownPointer2, FPointer2Position, true);
    }
}

void TiPlotDataCursor::DoMouseMove(const TiPlotMouseData& mouseData) {
    if (FDataView == nullptr) return;
    // From X across the view, or from Y up the view.
    auto at = [&](bool fromX) {
        if (fromX) {
            return FDataView->PixelsXToPositionPercent(mouseData.X + FMouseDownXPixels -
                                                       FMouseDownX);
        }
        return FDataView->PixelsYToPositionPercent(mouseData.Y + FMouseDownYPixels - FMouseDownY);
    };
    // The hint moves along its pointer; a pointer moves across it.
    if (FMouseDownHint) {
        FHintPosition = ClampPercent(at(FHintOrientation == ioHorizontal));
    } else if (FMouseDownPointer1) {
        FPointer1Position = ClampPercent(at(FPointer1Orientation == ioVertical));
    } else if (FMouseDownPointer2) {
        FPointer2Position = ClampPercent(at(FPointer2Orientation == ioVertical));
    } else {
        return;
    }
    UpdateCursor();
    InvalidateNow();
}

void TiPlotDataCursor::DoMouseUp(const TiPlotMouseData& mouseData) {
    if (!Dragging()) return;
    if (FMouseDownPointer1) {
        SnapPointer(1);
    } else if (FMouseDownPointer2) {
        SnapPointer(2);
    }
    FMouseDownHint = false;
    FMouseDownPointer1 = false;
    FMouseDownPointer2 = false;
    InvalidateNow();
    if (FMouseDown && MouseHitTest(mouseData) && Plot() != nullptr) Plot()->DoObjectClick(this);
}

// ---- keys

double TiPlotDataCursor::PixelPercentX() const {
    return std::abs(FDataView->PixelsXToPositionPercent(101) -
                    FDataView->PixelsXToPositionPercent(100));
}

double TiPlotDataCursor::PixelPercentY() const {
    return std::abs(FDataView->PixelsYToPositionPercent(100) -
                    FDataView->PixelsYToPositionPercent(101));
}

void TiPlotDataCursor::DoKeyDown(TKeyCode& key, TShiftState shift, TPopupMenu* popupMenu) {
    TiPlotManagerObject::DoKeyDown(key, shift, popupMenu);
    if (FDataView == nullptr) return;
    if (FSnapToDataPoint) {
        SnapKeyDown(key, shift);
        return;
    }
    const double e = PixelPercentX();
    const double a = PixelPercentY();
    const auto step = [&](TiOrientation o) { return o == ioVertical ? e : a; };
    if (shift.Contains(ssCtrl)) {
        if (!FPointer2Show) return;
        double& p = FPointer2Position;
        const TiOrientation o = FPointer2Orientation;
        switch (key) {
            case VK_PRIOR: p += 5 * step(o); break;
            case VK_NEXT: p -= 5 * step(o); break;
            case VK_END: p = 100; break;
            case VK_HOME: p = 0; break;
            case VK_LEFT:
                if (o == ioVertical) p -= e;
                break;
            case VK_UP:
                if (o == ioHorizontal) p += a;
                break;
            case VK_RIGHT:
                if (o == ioVertical) p += e;
                break;
            case VK_DOWN:
                if (o == ioHorizontal) p -= a;
                break;
            default: return;
        }
    } else {
        double& p = FPointer1Position;
        const TiOrientation o = FPointer1Orientation;
        const bool hintHorizontal = FHintOrientation == ioHorizontal;
        switch (key) {
            case VK_PRIOR: p += 5 * step(o); break;
            case VK_NEXT: p -= 5 * step(o); break;
            case VK_END: p = 100; break;
            case VK_HOME: p = 0; break;
            case VK_LEFT:
                if (FHintShow && hintHorizontal) FHintPosition -= e;
                if (FPointer1Show && o == ioVertical) p -= e;
                break;
            case VK_UP:
                if (FHintShow && !hintHorizontal) FHintPosition += a;
                if (FPointer1Show && o == ioHorizontal) p += a;
                break;
            case VK_RIGHT:
                if (FHintShow && hintHorizontal) FHintPosition += e;
                if (FPointer1Show && o == ioVertical) p += e;
                break;
            case VK_DOWN:
                if (FHintShow && !hintHorizontal) FHintPosition -= a;
                if (FPointer1Show && o == ioHorizontal) p -= a;
                break;
            default: return;
        }
    }
    FHintPosition = ClampPercent(FHintPosition);
    FPointer1Position = ClampPercent(FPointer1Position);
    FPointer2Position = ClampPercent(FPointer2Position);
    InvalidateNow();
}

void TiPlotDataCursor::SnapKeyDown(TKeyCode key, TShiftState shift) {
    const bool ctrl = shift.Contains(ssCtrl);
    if (ctrl && !FPointer2Show) return;
    const int pointer = ctrl ? 2 : 1;
    const bool reversed = XYAxesReversed();
    auto offset = [&](int by) {
        MoveToDataIndex(FSnapToIndexChannel, FSnapToIndexData, by, pointer);
    };
    switch (key) {
        case VK_PRIOR:
            SnapPointer(pointer);
            offset(5);
            break;
        case VK_NEXT:
            SnapPointer(pointer);
            offset(-5);
            break;
        case VK_END:
            SnapPointer(pointer);
            MoveToDataIndex(FSnapToIndexChannel, INT_MAX, 0, pointer);
            break;
        case VK_HOME:
            SnapPointer(pointer);
            MoveToDataIndex(FSnapToIndexChannel, 0, 0, pointer);
            break;
        case VK_LEFT:
            SnapPointer(pointer);
            if (reversed)
                MoveHint(false);
            else
                offset(-1);
            break;
        case VK_UP:
            SnapPointer(pointer);
            if (reversed)
                offset(1);
            else
                MoveHint(true);
            break;
        case VK_RIGHT:
            SnapPointer(pointer);
            if (reversed)
                MoveHint(true);
            else
                offset(1);
            break;
        case VK_DOWN:
            SnapPointer(pointer);
            if (reversed)
                offset(-1);
            else
                MoveHint(false);
            break;
        default: break;
    }
}

void TiPlotDataCursor::MoveHint(bool up) {
    if (FDataView == nullptr) return;
    const double step = FHintOrientation == ioHorizontal ? PixelPercentX() : PixelPercentY();
    FHintPosition = ClampPercent(FHintPosition + (up ? step : -step));
    InvalidateNow();
}

// ---- snapping (strip charts)

void TiPlotDataCursor::DoSnapToDataPoint() {
    SnapPointer(1);
    SnapPointer(2);
}

void TiPlotDataCursor::SnapPointer(int pointer) {
    if (!FSnapToDataPoint || Plot() == nullptr || !Plot()->IsStripChart() || FStyle == ipcsDeltaY) {
        return;
    }
    const double position = pointer == 1 ? FPointer1Position : FPointer2Position;
    if (FChannelName != kAll) {
        TiPlotChannelCustom* channel = GetChannel();
        if (channel == nullptr || channel->GetXAxis() == nullptr) return;
        const double x = channel->GetXAxis()->PercentToPosition(position / 100);
        double distance = 0;
        const int index = FindNearestIndex(channel, position, x, distance);
        FSnapToIndexChannel = Plot()->GetChannelIndexByName(FChannelName);
        FSnapToIndexData = index;
    } else {
        int bestChannel = -1;
        int bestIndex = -1;
        double bestDistance = 1e300;
        for (int i = 0; i < Plot()->ChannelCount(); ++i) {
            TiPlotChannelCustom* channel = Plot()->GetChannel(i);
            if (channel->GetXAxis() == nullptr) continue;
            const double x = channel->GetXAxis()->PercentToPosition(position / 100);
            double distance = 0;
            const int index = FindNearestIndex(channel, position, x, distance);
            if (index == -1) continue;
            if (distance < bestDistance) {
                bestChannel = i;
                bestIndex = index;
                bestDistance = distance;
            }
        }
        FSnapToIndexChannel = bestChannel;
        FSnapToIndexData = bestIndex;
    }
    MoveToDataIndex(FSnapToIndexChannel, FSnapToIndexData, 0, pointer);
}

int TiPlotDataCursor::FindNearestIndex(TiPlotChannelCustom* channel, double position, double xValue,
                                       double& distance) {
    const int count = channel->Count();
    if (count == 0) return -1;
    if (xValue >= channel->GetDataX(count - 1)) {
        distance = std::abs(xValue - channel->GetDataX(count - 1));
        return count - 1;
    }
    if (xValue <= channel->GetDataX(0)) {
        distance = std::abs(xValue - channel->GetDataX(0));
        return 0;
    }
    const int i = channel->GetXAxis() != nullptr
                      ? channel->CalcIndex(channel->GetXAxis()->PercentToPosition(position / 100))
                      : -1;
    if (i < 0 || i >= count) {
        distance = 1e300;
        return -1;
    }
    int best = i;
    double d = std::abs(xValue - channel->GetDataX(i));
    if (i > 0 && std::abs(xValue - channel->GetDataX(i - 1)) < d) {
        best = i - 1;
        d = std::abs(xValue - channel->GetDataX(i - 1));
    }
    if (i < count - 1 && std::abs(xValue - channel->GetDataX(i + 1)) < d) {
        best = i + 1;
        d = std::abs(xValue - channel->GetDataX(i + 1));
    }
    distance = d;
    return best;
}

void TiPlotDataCursor::MoveToDataIndex(int channelIndex, int dataIndex, int offset, int pointer) {
    if (Plot() == nullptr || !Plot()->IsStripChart()) return;
    if (channelIndex < 0 || channelIndex >= Plot()->ChannelCount()) return;
    TiPlotChannelCustom* channel = Plot()->GetChannel(channelIndex);
    TiPlotXAxis* axis = channel != nullptr ? channel->GetXAxis() : nullptr;
    if (axis == nullptr || channel->Count() == 0) return;
    const long long moved = axis->ReverseScale() ? static_cast<long long>(dataIndex) - offset
                                                 : static_cast<long long>(dataIndex) + offset;
    const int i = static_cast<int>(std::clamp<long long>(moved, 0, channel->Count() - 1));
    const double x = channel->GetDataX(i);
    if (x > axis->Max()) axis->SetMin(x - axis->Span() + axis->Span() / 40);
    if (x < axis->Min()) axis->SetMin(x - axis->Span() / 40);
    const double percent = axis->PositionToPercent(x) * 100;
    if (pointer == 1) {
        SetPointer1Position(percent);
    } else {
        SetPointer2Position(percent);
    }
}

// ---- interpolation

TiPlotDataPointStatus TiPlotDataCursor::GetInterpolatedYValue(const std::string& channelName,
                                                              double xValue, double& yValue) {
    yValue = 0;
    if (Plot() == nullptr) return ipdpsNull;
    TiPlotChannelCustom* channel = Plot()->GetChannelByName(channelName);
    if (channel == nullptr || !channel->IsStripChart() || channel->GetXAxis() == nullptr) {
        return ipdpsNull;
    }
    TiPlotXAxis* axis = channel->GetXAxis();
    const bool wasVisible = Visible();
    const TiPlotDataCursorStyle wasStyle = FStyle;
    const std::string wasChannel = FChannelName;
    const double wasPointer = FPointer1Position;
    const double wasMin = axis->Min();
    axis->SetBlockMinSpanEvents(true);
    struct TRestore {
        TiPlotDataCursor& cursor;
        TiPlotXAxis* axis;
        bool visible;
        TiPlotDataCursorStyle style;
        std::string channel;
        double pointer;
        double min;
        ~TRestore() {
            cursor.SetVisible(visible);
            cursor.SetStyle(style);
            cursor.SetChannelName(channel);
            cursor.SetPointer1Position(pointer);
            axis->SetMin(min);
            axis->SetBlockMinSpanEvents(false);
        }
    } restore{*this, axis, wasVisible, wasStyle, wasChannel, wasPointer, wasMin};
    SetVisible(true);
    SetStyle(ipcsValueXY);
    SetChannelName(channelName);
    if (FUseCachedInterpolatedData) {
        SetPointer1Position(axis->PositionToPercent(xValue) * 100);
        UpdateCursor();
    } else {
        SetPointer1Position(0);
        axis->SetMin(xValue);
        Plot()->ReCalcLayout();
    }
    yValue = FValueY;
    return FStatus;
}

// ---- pop-up menu

void TiPlotDataCursor::ClearPopupMenuItems(TPopupMenu* popupMenu) {
    TiPlotManagerObject::ClearPopupMenuItems(popupMenu);
    if (Plot() == nullptr) return;
    auto item = [&](TMenuItem* parent, const std::string& caption) {
        auto* menuItem = new TiMenuItem(popupMenu);
        menuItem->SetCaption(caption);
        parent->Add(menuItem);
        return menuItem;
    };

    TMenuItem* channels = item(popupMenu->Items(), TranslateString("Channel"));
    if (FChannelAllowAll) {
        TiMenuItem* all = item(channels, TranslateString(kAll));
        all->SetChecked(FChannelName == kAll);
        all->OnClick = [this](TObject*) {
            SetChannelName(kAll);
            for (int i = 0; Plot() != nullptr && i < Plot()->ChannelCount(); ++i) {
                Plot()->GetChannel(i)->SetUserSelected(false);
            }
        };
    }
    for (int i = 0; i < Plot()->ChannelCount(); ++i) {
        TiPlotChannelCustom* channel = Plot()->GetChannel(i);
        if (!channel->Visible()) continue;
        std::string caption = channel->TitleText();
        for (std::size_t at = caption.find("\r\n"); at != std::string::npos;
             at = caption.find("\r\n")) {
            caption.erase(at, 2);
        }
        TiMenuItem* entry = item(channels, caption);
        entry->AString = channel->Name();
        entry->SetChecked(channel->Name() == FChannelName);
        entry->OnClick = [this, entry](TObject*) {
            SetChannelName(entry->AString);
            if (TiPlotChannelCustom* chosen = GetChannel()) chosen->SetUserSelected(true);
            DoSnapToDataPoint();
        };
    }

    TMenuItem* styles = item(popupMenu->Items(), TranslateString("Style"));
    for (int s = ipcsValueXY; s <= ipcsInverseDeltaX; ++s) {
        const auto style = static_cast<TiPlotDataCursorStyle>(s);
        TiMenuItem* entry = item(styles, TranslateString(MenuItemCaption(style)));
        entry->SetChecked(FStyle == style);
        entry->SetVisible(MenuItemVisible(style));
        entry->OnClick = [this, style](TObject*) { SetStyle(style); };
    }

    if (FMenuUserCanChangeOptions) {
        TMenuItem* options = item(popupMenu->Items(), TranslateString("Options"));
        TiMenuItem* useColor = item(options, TranslateString("Use Channel Color"));
        useColor->SetChecked(FUseChannelColor);
        useColor->OnClick = [this](TObject*) {
            FUseChannelColor = !FUseChannelColor;
            InvalidateNow();
        };
        TiMenuItem* hideHint = item(options, TranslateString("Hide Hint On Release"));
        hideHint->SetChecked(FHintHideOnRelease);
        hideHint->OnClick = [this](TObject*) {
            FHintHideOnRelease = !FHintHideOnRelease;
            InvalidateNow();
        };
        TiMenuItem* flip = item(options, TranslateString("Flip Alignment"));
        const bool valueStyle =
            FStyle == ipcsValueXY || FStyle == ipcsValueX || FStyle == ipcsValueY;
        flip->SetEnabled(valueStyle && !SameText(FChannelName, kAll));
        flip->OnClick = [this](TObject*) {
            FHintOrientationSide =
                FHintOrientationSide == iosBottomRight ? iosTopLeft : iosBottomRight;
            InvalidateNow();
        };
    }

    if (!OwnerIsXYPlot()) {
        TiMenuItem* snap = item(popupMenu->Items(), TranslateString("Snap to Data-Point"));
        snap->SetChecked(FSnapToDataPoint);
        snap->OnClick = [this](TObject*) {
            FSnapToDataPoint = !FSnapToDataPoint;
            if (FSnapToDataPoint) DoSnapToDataPoint();
        };
    }
    AddEditMenuItem(popupMenu);
}

}  // namespace dsp
