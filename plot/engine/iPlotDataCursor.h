#pragma once
// TiPlotDataCursor: the plot's measuring cursor: one or two pointer lines across the data view,
// dragged with the mouse or moved with the keys, and a hint box with the values of a channel
// at the pointers: X and Y at one position, only X or only Y, the X or Y distance between two
// pointers, or the inverse of the X distance. The channels compute the values and the text
// (UpdateDataCursorValues); the cursor owns the pointers, their geometry and input, the hint
// box, snapping to data points of strip charts, its pop-up menu and GetInterpolatedYValue.
// Positions are percentages (0 to 100) of the data view and always stay within 0..100.
//
// Every paint runs UpdateCursor of every cursor, visible or not.

#include <algorithm>
#include <memory>
#include <string>

#include "framework/graphics/Font.h"
#include "plot/engine/iPlotChannelCustom.h"
#include "plot/engine/iPlotObjects.h"

namespace dsp {

class TiPlotDataView;

enum TiOrientation { ioVertical, ioHorizontal };
DSP_ENUM_NAMES(TiOrientation, "ioVertical", "ioHorizontal")

enum TiOrientationSide { iosBottomRight, iosTopLeft };
DSP_ENUM_NAMES(TiOrientationSide, "iosBottomRight", "iosTopLeft")

class TiPlotDataCursor : public TiPlotManagerObject {
    DSP_PUBLISHED(TiPlotDataCursor, TiPlotManagerObject) {
        using D = TiPlotDataCursor;
        using P = Published<TiPlotDataCursor>;
        return {
            P::Property("ChannelName", &D::ChannelName, &D::SetChannelName),
            P::Property("ChannelAllowAll", &D::FChannelAllowAll, &D::SetChannelAllowAll)
                .Default(true),
            P::Property("ChannelShowAllInLegend", &D::FChannelShowAllInLegend,
                        &D::SetChannelShowAllInLegend)
                .Default(true),
            P::Property("UseChannelColor", &D::FUseChannelColor, &D::SetUseChannelColor)
                .Default(true),
            P::Property("HintShow", &D::FHintShow, &D::SetHintShow).Default(true),
            P::Property("HintHideOnRelease", &D::FHintHideOnRelease, &D::SetHintHideOnRelease)
                .Default(false),
            P::Property("Style", &D::Style, &D::SetStyle).Default(ipcsValueXY),
            P::Property("Font", &D::Font, &D::SetFont),
            P::Property("Color", &D::FColor, &D::SetColor),
            P::Property("HintOrientationSide", &D::FHintOrientationSide, &D::SetHintOrientationSide)
                .Default(iosBottomRight),
            P::Property("HintPosition", &D::FHintPosition, &D::SetHintPosition),
            P::Property("Pointer1Position", &D::Pointer1Position, &D::SetPointer1Position),
            P::Property("Pointer2Position", &D::Pointer2Position, &D::SetPointer2Position),
            P::Property("PointerPenWidth", &D::FPointerPenWidth, &D::SetPointerPenWidth),
            P::Property("MenuUserCanChangeOptions", &D::FMenuUserCanChangeOptions,
                        &D::FMenuUserCanChangeOptions)
                .Default(true),
            P::Property("SnapToDataPoint", &D::FSnapToDataPoint, &D::FSnapToDataPoint)
                .Default(false),
            P::Property("UseCachedInterpolatedData", &D::FUseCachedInterpolatedData,
                        &D::FUseCachedInterpolatedData)
                .Default(false),
            P::Property("MenuItemVisibleValueXY", &D::FMenuItemVisibleValueXY,
                        &D::FMenuItemVisibleValueXY)
                .Default(true),
            P::Property("MenuItemVisibleValueX", &D::FMenuItemVisibleValueX,
                        &D::FMenuItemVisibleValueX)
                .Default(true),
            P::Property("MenuItemVisibleValueY", &D::FMenuItemVisibleValueY,
                        &D::FMenuItemVisibleValueY)
                .Default(true),
            P::Property("MenuItemVisibleDeltaX", &D::FMenuItemVisibleDeltaX,
                        &D::FMenuItemVisibleDeltaX)
                .Default(true),
            P::Property("MenuItemVisibleDeltaY", &D::FMenuItemVisibleDeltaY,
                        &D::FMenuItemVisibleDeltaY)
                .Default(true),
            P::Property("MenuItemVisibleInverseDeltaX", &D::FMenuItemVisibleInverseDeltaX,
                        &D::FMenuItemVisibleInverseDeltaX)
                .Default(true),
            P::Property("MenuItemCaptionValueXY", &D::FMenuItemCaptionValueXY,
                        &D::FMenuItemCaptionValueXY),
            P::Property("MenuItemCaptionValueX", &D::FMenuItemCaptionValueX,
                        &D::FMenuItemCaptionValueX),
            P::Property("MenuItemCaptionValueY", &D::FMenuItemCaptionValueY,
                        &D::FMenuItemCaptionValueY),
            P::Property("MenuItemCaptionDeltaX", &D::FMenuItemCaptionDeltaX,
                        &D::FMenuItemCaptionDeltaX),
            P::Property("MenuItemCaptionDeltaY", &D::FMenuItemCaptionDeltaY,
                        &D::FMenuItemCaptionDeltaY),
            P::Property("MenuItemCaptionInverseDeltaX", &D::FMenuItemCaptionInverseDeltaX,
                        &D::FMenuItemCaptionInverseDeltaX),
        };
    }

public:
    TiPlotDataCursor(TObject* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                     TNotifyEvent onRemove, TNotifyEvent onRename);
    ~TiPlotDataCursor() override;

    TiPlotObjectKind Kind() const override { return TiPlotObjectKind::DataCursor; }

    // ---- the channel followed ("<All>": every channel)
    const std::string& ChannelName() const { return FChannelName; }
    void SetChannelName(const std::string& value);
    // The channel of that name, kept until renamed or removed; null for "<All>" or none.
    TiPlotChannelCustom* GetChannel();
    bool ChannelShowAllInLegend() const { return FChannelShowAllInLegend; }
    void SetChannelShowAllInLegend(bool value);
    bool ChannelAllowAll() const { return FChannelAllowAll; }
    void SetChannelAllowAll(bool value);
    TiPlotDataView* DataView() const { return FDataView; }
    void SetDataView(TiPlotDataView* value) { FDataView = value; }

    // ---- values (computed by the channels)
    // Stores the three and tells the plot (OnDataCursorChange) when any of them changed.
    void StoreCursorValues(TiPlotDataPointStatus status, double y, double x);
    double ValueX() const { return FValueX; }
    double ValueY() const { return FValueY; }
    TiPlotDataPointStatus Status() const { return FStatus; }
    const std::string& CursorDisplayText() const { return FCursorDisplayText; }
    void SetCursorDisplayText(const std::string& value) { FCursorDisplayText = value; }
    // The Y of a strip-chart channel at an X, read through the cursor: ipdpsNull and 0 for a
    // channel that is not a strip-chart channel with an X axis. Leaves the cursor and the axis
    // as they were.
    TiPlotDataPointStatus GetInterpolatedYValue(const std::string& channelName, double xValue,
                                                double& yValue);

    // ---- pointers and hint
    void UpdatePointerLayout();
    // Runs before every paint: the plot's OnBeforeDataCursorUpdate, then the values of the
    // channel followed (or of every channel for "<All>").
    virtual void UpdateCursor();
    bool Pointer1Show() const { return FPointer1Show; }
    bool Pointer2Show() const { return FPointer2Show; }
    TiOrientation Pointer1Orientation() const { return FPointer1Orientation; }
    TiOrientation Pointer2Orientation() const { return FPointer2Orientation; }
    TiOrientation HintOrientation() const { return FHintOrientation; }
    const TRect& Pointer1Rect() const { return FPointer1Rect; }
    const TRect& Pointer2Rect() const { return FPointer2Rect; }
    const TRect& HintRect() const { return FHintRect; }
    bool HintShowing() const { return FHintShowing; }
    bool Dragging() const { return FMouseDownHint || FMouseDownPointer1 || FMouseDownPointer2; }
    // Snapping (strip charts): each pointer to the X of the nearest point.
    void DoSnapToDataPoint();
    void SnapPointer(int pointer);
    void MoveToDataIndex(int channelIndex, int dataIndex, int offset, int pointer);
    int FindNearestIndex(TiPlotChannelCustom* channel, double position, double xValue,
                         double& distance);
    void MoveHint(bool up);
    int SnapToIndexChannel() const { return FSnapToIndexChannel; }
    int SnapToIndexData() const { return FSnapToIndexData; }

    // ---- plot object
    void SetVisible(bool value) override;
    void SetXYAxesReversed(bool value) override;
    void NotificationRemove(TiPlotObject* sender) override;
    void NotificationRename(TiPlotObject* sender) override;
    void NotificationSetFocus(TiPlotObject* sender) override;
    void Draw(TCanvas* canvas, TColor backGroundColor) override;
    bool MouseHitTest(const TiPlotMouseData& mouseData) override;
    void DoMouseLeft(const TiPlotMouseData& mouseData) override;
    void DoMouseMove(const TiPlotMouseData& mouseData) override;
    void DoMouseUp(const TiPlotMouseData& mouseData) override;
    void DoGotFocus() override;
    TCursor CheckMouseOver(TPoint point) override;
    void DoKeyDown(TKeyCode& key, TShiftState shift, TPopupMenu* popupMenu) override;
    void ClearPopupMenuItems(TPopupMenu* popupMenu) override;
    bool GetPopupCenter(TPoint& center) const override;

    // ---- properties
    TiPlotDataCursorStyle Style() const { return FStyle; }
    void SetStyle(TiPlotDataCursorStyle value);
    // Not >= 0 (NaN too) becomes 0, above 100 becomes 100; a change notifies.
    double Pointer1Position() const { return FPointer1Position; }
    void SetPointer1Position(double value);
    double Pointer2Position() const { return FPointer2Position; }
    void SetPointer2Position(double value);
    double HintPosition() const { return FHintPosition; }
    void SetHintPosition(double value) {
        SetDoubleProperty(value, FHintPosition, &TiPlotObject::DoChange);
    }
    TiOrientationSide HintOrientationSide() const { return FHintOrientationSide; }
    void SetHintOrientationSide(TiOrientationSide value);
    bool UseChannelColor() const { return FUseChannelColor; }
    void SetUseChannelColor(bool value) {
        SetBooleanProperty(value, FUseChannelColor, &TiPlotObject::DoChange);
    }
    bool HintShow() const { return FHintShow; }
    void SetHintShow(bool value) { SetBooleanProperty(value, FHintShow, &TiPlotObject::DoChange); }
    bool HintHideOnRelease() const { return FHintHideOnRelease; }
    void SetHintHideOnRelease(bool value) {
        SetBooleanProperty(value, FHintHideOnRelease, &TiPlotObject::DoChange);
    }
    TColor Color() const { return FColor; }
    void SetColor(TColor value) { SetColorProperty(value, FColor, &TiPlotObject::DoChange); }
    int PointerPenWidth() const { return FPointerPenWidth; }
    void SetPointerPenWidth(int value) {
        SetIntegerProperty(value, FPointerPenWidth, &TiPlotObject::DoChange);
    }
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* value) { FFont->Assign(value); }
    bool SnapToDataPoint() const { return FSnapToDataPoint; }
    void SetSnapToDataPoint(bool value) { FSnapToDataPoint = value; }
    bool UseCachedInterpolatedData() const { return FUseCachedInterpolatedData; }
    void SetUseCachedInterpolatedData(bool value) { FUseCachedInterpolatedData = value; }
    bool MenuUserCanChangeOptions() const { return FMenuUserCanChangeOptions; }
    void SetMenuUserCanChangeOptions(bool value) { FMenuUserCanChangeOptions = value; }
    // The style menu: caption and visibility per style, in style order.
    std::string& MenuItemCaption(TiPlotDataCursorStyle style);
    bool& MenuItemVisible(TiPlotDataCursorStyle style);

private:
    bool IsDeltaStyle() const {
        return FStyle == ipcsDeltaX || FStyle == ipcsDeltaY || FStyle == ipcsInverseDeltaX;
    }
    bool OwnerIsXYPlot() const;
    TColor DrawColor();
    void DrawPointer(TCanvas* canvas, TiOrientation orientation, TRect& rect, double position);
    void DrawHint(TCanvas* canvas);
    void SnapKeyDown(TKeyCode key, TShiftState shift);
    // One pixel of the data view in percent, across (e) and along (a) its height.
    double PixelPercentX() const;
    double PixelPercentY() const;
    static double ClampPercent(double value) { return value >= 0 ? std::min(value, 100.0) : 0; }

    int FMouseDownXPixels = 0;
    int FMouseDownYPixels = 0;
    int FMouseDownX = 0;
    int FMouseDownY = 0;
    bool FMouseDownHint = false;
    bool FMouseDownPointer1 = false;
    bool FMouseDownPointer2 = false;
    TRect FPointer1Rect{};
    TRect FPointer2Rect{};
    bool FPointer1Show = false;
    bool FPointer2Show = false;
    TiOrientation FPointer1Orientation = ioVertical;
    TiOrientation FPointer2Orientation = ioVertical;
    TRect FHintRect{};
    TiOrientation FHintOrientation = ioVertical;
    bool FHintShowing = false;
    TiPlotChannelCustom* FChannel = nullptr;
    TiPlotDataView* FDataView = nullptr;
    std::string FChannelName;
    TiPlotDataCursorStyle FStyle = ipcsValueXY;
    bool FUseChannelColor = true;
    double FPointer1Position = 50;
    double FPointer2Position = 60;
    int FPointerPenWidth = 1;
    bool FChannelShowAllInLegend = true;
    bool FChannelAllowAll = true;
    TColor FColor = clYellow;
    std::unique_ptr<TFont> FFont;
    bool FHintShow = true;
    bool FHintHideOnRelease = false;
    TiOrientationSide FHintOrientationSide = iosBottomRight;
    int FHintHeight = 0;
    int FHintWidth = 0;
    double FHintPosition = 50;
    std::string FCursorDisplayText;
    double FValueX = 0;
    double FValueY = 0;
    TiPlotDataPointStatus FStatus = ipdpsValid;
    bool FSnapToDataPoint = false;
    bool FUseCachedInterpolatedData = false;
    int FSnapToIndexChannel = 0;
    int FSnapToIndexData = 0;
    std::string FMenuItemCaptionValueXY = "Value X-Y";
    std::string FMenuItemCaptionValueX = "Value X";
    std::string FMenuItemCaptionValueY = "Value Y";
    std::string FMenuItemCaptionDeltaX = "Period";
    std::string FMenuItemCaptionDeltaY = "Peak-Peak";
    std::string FMenuItemCaptionInverseDeltaX = "Frequency";
    bool FMenuItemVisibleDeltaX = true;
    bool FMenuItemVisibleDeltaY = true;
    bool FMenuItemVisibleValueXY = true;
    bool FMenuItemVisibleInverseDeltaX = true;
    bool FMenuItemVisibleValueX = true;
    bool FMenuItemVisibleValueY = true;
    bool FMenuUserCanChangeOptions = true;
};

}  // namespace dsp
