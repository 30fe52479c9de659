// TiPlotAnnotation: its model, reference frames, conversions and mouse editing. The drawing
// lives in iPlotAnnotationDraw.cpp.

#include "plot/engine/iPlotAnnotation.h"

#include <cmath>

#include "framework/core/Exceptions.h"
#include "plot/engine/iPlotAxis.h"
#include "plot/engine/iPlotChannelCustom.h"
#include "plot/engine/iPlotComponent.h"
#include "plot/engine/iPlotDataView.h"

namespace dsp {

TiPlotAnnotation::TiPlotAnnotation(TObject* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                                   TNotifyEvent onRemove, TNotifyEvent onRename)
    : TiPlotManagerObject(owner, std::move(onChange), std::move(onInsert), std::move(onRemove),
                          std::move(onRename)),
      FFont(std::make_unique<TFont>()) {
    FFont->SetName("Arial");
    FFont->SetColor(clWhite);
    FFont->OnChange = [this](TObject*) { DoChange(); };
}

TiPlotAnnotation::~TiPlotAnnotation() { FFont->OnChange = nullptr; }

// ---- properties

void TiPlotAnnotation::CoordinatesChanged() {
    if (Plot() != nullptr) Plot()->DoAnnotationCoordinatesChange(this);
}

void TiPlotAnnotation::SetCoordinate(double value, double& field) {
    if (value == field) return;
    field = value;
    DoChange();
    CoordinatesChanged();
}

void TiPlotAnnotation::SetChannelName(const std::string& value) {
    if (value == FChannelName) return;
    FChannelName = value;
    FChannel = nullptr;
    DoChange();
}

int TiPlotAnnotation::PolyPointAdd(double x, double y) {
    FPolyPoints.push_back({x, y});
    return GetPolyPointsCount() - 1;
}

void TiPlotAnnotation::PolyPointsClear() { FPolyPoints.clear(); }

TiPlotAnnotationPoint TiPlotAnnotation::PolyPoint(int index) const {
    if (index < 0 || index >= GetPolyPointsCount()) throw EListError::IndexOutOfBounds(index);
    return FPolyPoints[static_cast<std::size_t>(index)];
}

void TiPlotAnnotation::SetImage(TBitmap* value) {
    if (value == nullptr) {
        FImage.reset();
    } else {
        if (!FImage) FImage = std::make_unique<TBitmap>();
        FImage->Assign(value);
    }
    DoChange();
}

void TiPlotAnnotation::ImageClear() {
    FImage.reset();
    DoChange();
}

void TiPlotAnnotation::ImageLoadFromFile(const std::string& fileName) {
    TBitmap bitmap;
    bitmap.LoadFromFile(fileName);
    SetImage(&bitmap);
}

// ---- references

bool TiPlotAnnotation::PositionXUsesChannel() const {
    return FReferencePositionX == ipriChannel ||
           (FReferencePositionX == ipriAuto &&
            (FReference == iprtChannel || FReference == iprtXChannelYDataView));
}

bool TiPlotAnnotation::SizeXUsesChannel() const {
    return FReferenceSizeX == ipriChannel ||
           (FReferenceSizeX == ipriAuto &&
            (FReference == iprtChannel || FReference == iprtXChannelYDataView));
}

bool TiPlotAnnotation::PositionYUsesChannel() const {
    return FReferencePositionY == ipriChannel ||
           (FReferencePositionY == ipriAuto &&
            (FReference == iprtChannel || FReference == iprtXDataViewYChannel));
}

bool TiPlotAnnotation::SizeYUsesChannel() const {
    return FReferenceSizeY == ipriChannel ||
           (FReferenceSizeY == ipriAuto &&
            (FReference == iprtChannel || FReference == iprtXDataViewYChannel));
}

TiPlotChannelCustom* TiPlotAnnotation::GetChannel() const {
    if (FChannel == nullptr && Plot() != nullptr) FChannel = Plot()->GetChannelByName(FChannelName);
    return FChannel;
}

bool TiPlotAnnotation::ReferencesPresent() const {
    const bool channel = PositionXUsesChannel() || PositionYUsesChannel() || SizeXUsesChannel() ||
                         SizeYUsesChannel();
    const bool dataView = !PositionXUsesChannel() || !PositionYUsesChannel() ||
                          !SizeXUsesChannel() || !SizeYUsesChannel();
    if (dataView && FDataView == nullptr) return false;
    if (!channel) return true;
    const TiPlotChannelCustom* c = GetChannel();
    return c != nullptr && c->GetXAxis() != nullptr && c->GetYAxis() != nullptr;
}

// ---- conversions

namespace {

// The channel's axis of one direction, or null when the channel or either of its axes is
// missing (a channel reference needs both).
TiPlotAxis* ChannelAxis(const TiPlotChannelCustom* channel, bool xAxis) {
    if (channel == nullptr || channel->GetXAxis() == nullptr || channel->GetYAxis() == nullptr) {
        return nullptr;
    }
    return xAxis ? static_cast<TiPlotAxis*>(channel->GetXAxis()) : channel->GetYAxis();
}

}  // namespace

int TiPlotAnnotation::PositionXToPixels(double value) const {
    if (PositionXUsesChannel()) {
        const TiPlotAxis* axis = ChannelAxis(GetChannel(), true);
        return axis != nullptr ? axis->PositionToPixels(value) : 0;
    }
    if (FDataView == nullptr) return 0;
    return XYAxesReversed() ? FDataView->PositionPercentToPixelsY(value)
                            : FDataView->PositionPercentToPixelsX(value);
}

int TiPlotAnnotation::PositionYToPixels(double value) const {
    if (PositionYUsesChannel()) {
        const TiPlotAxis* axis = ChannelAxis(GetChannel(), false);
        return axis != nullptr ? axis->PositionToPixels(value) : 0;
    }
    if (FDataView == nullptr) return 0;
    return XYAxesReversed() ? FDataView->PositionPercentToPixelsX(value)
                            : FDataView->PositionPercentToPixelsY(value);
}

namespace {

// Pixels to a value along one direction, through the channel's axis or the data view.
double PixelsToValue(int pixels, bool channel, bool xDirection, bool reversed,
                     const TiPlotChannelCustom* c, const TiPlotDataView* dataView) {
    if (channel) {
        const TiPlotAxis* axis = ChannelAxis(c, xDirection);
        return axis != nullptr ? axis->PixelsToPosition(pixels) : 0;
    }
    if (dataView == nullptr) return 0;
    // X runs across the data view unless the plot shows X vertically.
    return xDirection != reversed ? dataView->PixelsXToPositionPercent(pixels)
                                  : dataView->PixelsYToPositionPercent(pixels);
}

}  // namespace

double TiPlotAnnotation::PixelsXToPosition(int value) const {
    return PixelsToValue(value, PositionXUsesChannel(), true, XYAxesReversed(), GetChannel(),
                         FDataView);
}

double TiPlotAnnotation::PixelsYToPosition(int value) const {
    return PixelsToValue(value, PositionYUsesChannel(), false, XYAxesReversed(), GetChannel(),
                         FDataView);
}

double TiPlotAnnotation::PixelsXToSize(int value) const {
    return PixelsToValue(value, SizeXUsesChannel(), true, XYAxesReversed(), GetChannel(),
                         FDataView);
}

double TiPlotAnnotation::PixelsYToSize(int value) const {
    return PixelsToValue(value, SizeYUsesChannel(), false, XYAxesReversed(), GetChannel(),
                         FDataView);
}

int TiPlotAnnotation::WidthToPixels(double value) const {
    if (SizeXUsesChannel()) {
        const TiPlotAxis* axis = ChannelAxis(GetChannel(), true);
        if (axis == nullptr) return 0;
        return std::abs(axis->PositionToPixels(value + axis->Min()) -
                        axis->PositionToPixels(axis->Min()));
    }
    if (FDataView == nullptr) return 0;
    if (XYAxesReversed()) {
        return std::abs(FDataView->PositionPercentToPixelsY(value) -
                        FDataView->PositionPercentToPixelsY(0));
    }
    return std::abs(FDataView->PositionPercentToPixelsX(value) -
                    FDataView->PositionPercentToPixelsX(0));
}

int TiPlotAnnotation::HeightToPixels(double value) const {
    if (SizeYUsesChannel()) {
        const TiPlotAxis* axis = ChannelAxis(GetChannel(), false);
        if (axis == nullptr) return 0;
        return std::abs(axis->PositionToPixels(value + axis->Min()) -
                        axis->PositionToPixels(axis->Min()));
    }
    if (FDataView == nullptr) return 0;
    if (XYAxesReversed()) {
        return std::abs(FDataView->PositionPercentToPixelsX(value) -
                        FDataView->PositionPercentToPixelsX(0));
    }
    return std::abs(FDataView->PositionPercentToPixelsY(value) -
                    FDataView->PositionPercentToPixelsY(0));
}

TRect TiPlotAnnotation::BoxRect() const {
    if (FStyle == ipasEllipse || FStyle == ipasRectangle2) {
        return {PositionXToPixels(FX), PositionYToPixels(FY), PositionXToPixels(FX2),
                PositionYToPixels(FY2)};
    }
    const int x = PositionXToPixels(FX);
    const int y = PositionYToPixels(FY);
    const int w = WidthToPixels(FWidth / 2);
    const int h = HeightToPixels(FHeight / 2);
    return {x - w, y - h, x + w, y + h};
}

void TiPlotAnnotation::SetHandleRects(const TRect& r) {
    const TRect area = FDataView != nullptr ? FDataView->DrawRect() : TRect{};
    const auto handle = [&area](int x, int y) {
        return IntersectRect(TRect{x - 3, y - 3, x + 3, y + 3}, area);
    };
    FSizeTopLeftRect = handle(r.Left, r.Top);
    FSizeTopRightRect = handle(r.Right, r.Top);
    FSizeBottomLeftRect = handle(r.Left, r.Bottom);
    FSizeBottomRightRect = handle(r.Right, r.Bottom);
}

void TiPlotAnnotation::SetPixelRect(const TRect& r) {
    // With X shown vertically, X comes from the vertical pixels and Y from the horizontal ones.
    const bool reversed = XYAxesReversed();
    const int xFrom = reversed ? r.Top : r.Left;
    const int xTo = reversed ? r.Bottom : r.Right;
    const int yFrom = reversed ? r.Left : r.Top;
    const int yTo = reversed ? r.Right : r.Bottom;
    if (FStyle == ipasEllipse || FStyle == ipasRectangle2) {
        FX = PixelsXToPosition(xFrom);
        FY = PixelsYToPosition(yFrom);
        FX2 = PixelsXToPosition(xTo);
        FY2 = PixelsYToPosition(yTo);
    } else {
        FX = (PixelsXToPosition(xFrom) + PixelsXToPosition(xTo)) / 2;
        FY = (PixelsYToPosition(yFrom) + PixelsYToPosition(yTo)) / 2;
        if (reversed) {
            FWidth = std::abs(PixelsXToPosition(xTo) - PixelsXToPosition(xFrom));
            FHeight = std::abs(PixelsYToPosition(yTo) - PixelsYToPosition(yFrom));
        } else {
            FWidth = std::abs(PixelsXToSize(xTo) - PixelsXToSize(xFrom));
            FHeight = std::abs(PixelsYToSize(yTo) - PixelsYToSize(yFrom));
        }
    }
    FRectChange = true;
    DoChange();
    CoordinatesChanged();
}

// ---- notifications

void TiPlotAnnotation::NotificationRemove(TiPlotObject* sender) {
    if (sender == nullptr) return;
    if (sender == FDataView) FDataView = nullptr;
    if (sender == FChannel) FChannel = nullptr;
}

void TiPlotAnnotation::NotificationRename(TiPlotObject* sender) {
    if (sender != nullptr && sender == FChannel) FChannelName = sender->Name();
}

void TiPlotAnnotation::NotificationSetFocus(TiPlotObject* sender) {
    if (sender != nullptr && sender != this && sender->UserSelected()) SetUserSelected(false);
}

// ---- mouse

bool TiPlotAnnotation::CanSize() const {
    if (!FUserCanSize) return false;
    switch (FStyle) {
        case ipasRectangle:
        case ipasTextRectangle:
        case ipasEllipse:
        case ipasEllipse2:
        case ipasRectangle2: return true;
        default: return false;
    }
}

bool TiPlotAnnotation::MouseHitTest(const TiPlotMouseData& mouseData) {
    if (FSelectModeOnlyInteraction && (Plot() == nullptr || !Plot()->GetSelectMode())) {
        return false;
    }
    if (!FShowing) return false;
    const TPoint p{mouseData.X, mouseData.Y};
    return PtInRect(FClickRect, p) || PtInRect(FSizeTopLeftRect, p) ||
           PtInRect(FSizeTopRightRect, p) || PtInRect(FSizeBottomLeftRect, p) ||
           PtInRect(FSizeBottomRightRect, p);
}

TCursor TiPlotAnnotation::CheckMouseOver(TPoint point) {
    TCursor cursor = crHandPoint;
    if (CanSize() && UserSelected()) {
        if (PtInRect(FSizeTopLeftRect, point) || PtInRect(FSizeBottomRightRect, point)) {
            cursor = crSizeNWSE;
        } else if (PtInRect(FSizeTopRightRect, point) || PtInRect(FSizeBottomLeftRect, point)) {
            cursor = crSizeNESW;
        }
    }
    if (Plot() != nullptr) Plot()->DoObjectGetMouseCursor(this, cursor);
    return cursor;
}

void TiPlotAnnotation::DoMouseLeft(const TiPlotMouseData& mouseData) {
    if (!FShowing) return;
    const TPoint p{mouseData.X, mouseData.Y};
    FSelectStyle = ipassNone;
    if (CanSize()) {
        if (PtInRect(FSizeTopLeftRect, p)) {
            FSelectStyle = ipassSizeTopLeft;
        } else if (PtInRect(FSizeBottomRightRect, p)) {
            FSelectStyle = ipassSizeBottomRight;
        } else if (PtInRect(FSizeTopRightRect, p)) {
            FSelectStyle = ipassSizeTopRight;
        } else if (PtInRect(FSizeBottomLeftRect, p)) {
            FSelectStyle = ipassSizeBottomLeft;
        }
    }
    if (FSelectStyle == ipassNone && FUserCanMove) FSelectStyle = ipassMove;
    pressTaken_ = true;
    FMouseDownRect = FDrawRect;
    FRectChange = false;
    FMouseDownXValue = FX;
    FMouseDownYValue = FY;
    FMouseDownX2Value = FX2;
    FMouseDownY2Value = FY2;
    FMouseDownWidth = FWidth;
    FMouseDownHeight = FHeight;
    FMouseDownX = mouseData.X;
    FMouseDownY = mouseData.Y;
    if (XYAxesReversed()) {
        FMouseDownPositionPixelsX = PositionYToPixels(FY);
        FMouseDownPositionPixelsY = PositionXToPixels(FX);
    } else {
        FMouseDownPositionPixelsX = PositionXToPixels(FX);
        FMouseDownPositionPixelsY = PositionYToPixels(FY);
    }
}

void TiPlotAnnotation::DoMouseMove(const TiPlotMouseData& mouseData) {
    if (!UserSelected() || !pressTaken_) return;
    const int dx = mouseData.X - FMouseDownX;
    const int dy = mouseData.Y - FMouseDownY;
    const int pixelX = FMouseDownPositionPixelsX + dx;
    const int pixelY = FMouseDownPositionPixelsY + dy;
    const bool reversed = XYAxesReversed();
    switch (FSelectStyle) {
        case ipassMove: {
            const double x = PixelsXToPosition(reversed ? pixelY : pixelX);
            const double y = PixelsYToPosition(reversed ? pixelX : pixelY);
            SetX(x);
            SetY(y);
            if (FStyle == ipasEllipse || FStyle == ipasRectangle2) {
                SetX2(FMouseDownX2Value - FMouseDownXValue + x);
                SetY2(FMouseDownY2Value - FMouseDownYValue + y);
            }
            FRectChange = true;
            DoChange();
            if (Plot() != nullptr) {
                Plot()->DoAnnotationMoveUser(this);
                Plot()->DoAnnotationCoordinatesChange(this);
            }
            break;
        }
        case ipassSizeTopLeft:
        case ipassSizeTopRight:
        case ipassSizeBottomLeft:
        case ipassSizeBottomRight: {
            TRect r = FMouseDownRect;
            if (FSelectStyle == ipassSizeTopLeft || FSelectStyle == ipassSizeTopRight) {
                r.Top += dy;
            } else {
                r.Bottom += dy;
            }
            if (FSelectStyle == ipassSizeTopLeft || FSelectStyle == ipassSizeBottomLeft) {
                r.Left += dx;
            } else {
                r.Right += dx;
            }
            SetPixelRect(r);
            if (Plot() != nullptr) Plot()->DoAnnotationResizeUser(this);
            break;
        }
        case ipassNone: break;
    }
    DoChange();
}

void TiPlotAnnotation::DoMouseUp(const TiPlotMouseData& mouseData) {
    if (!pressTaken_) return;
    pressTaken_ = false;
    if (Plot() != nullptr) {
        if (MouseHitTest(mouseData)) Plot()->DoObjectClick(this);
        if (FRectChange) Plot()->DoAnnotationCoordinatesChangeFinished(this);
    }
    FSelectStyle = ipassNone;
}

}  // namespace dsp
