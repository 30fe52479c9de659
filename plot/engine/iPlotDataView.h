#pragma once
// TiPlotDataView: the plotting area the layout leaves between the axes, toolbars, legends and
// labels. It paints its background and its grid (the tick lines of its grid axes and four border
// lines), converts between pixels and percentages of its area, and, when axes control is on,
// turns drags and the wheel over it into scrolling and zooming of the axes and right-button
// drags into a zoom box; in the toolbar's zoom-box mode a left drag draws the box.

#include <string>

#include "plot/engine/iPlotAxis.h"
#include "plot/engine/iPlotObjects.h"

namespace dsp {

enum TiPlotAxesControlStyle { ipacsXAxis, ipacsYAxis, ipacsBoth, ipacsNone };
DSP_ENUM_NAMES(TiPlotAxesControlStyle, "ipacsXAxis", "ipacsYAxis", "ipacsBoth", "ipacsNone")

class TiPlotDataView : public TiPlotLayoutObject {
    DSP_PUBLISHED(TiPlotDataView, TiPlotLayoutObject) {
        using D = TiPlotDataView;
        using P = Published<TiPlotDataView>;
        return {
            P::Property("Title", &D::FTitle, &D::SetTitle),
            P::Property("BackgroundTransparent", &D::FBackgroundTransparent,
                        &D::SetBackgroundTransparent)
                .Default(true),
            P::Property("BackgroundColor", &D::FBackgroundColor, &D::SetBackgroundColor)
                .Default(8421376),
            P::Property("GridShow", &D::FGridShow, &D::SetGridShow).Default(true),
            P::Property("AxesControlEnabled", &D::FAxesControlEnabled, &D::FAxesControlEnabled)
                .Default(false),
            P::Property("AxesControlWheelStyle", &D::FAxesControlWheelStyle,
                        &D::FAxesControlWheelStyle)
                .Default(ipacsXAxis),
            P::Property("AxesControlMouseStyle", &D::FAxesControlMouseStyle,
                        &D::FAxesControlMouseStyle)
                .Default(ipacsBoth),
            P::Property("GridYAxisName", &D::FGridYAxisName, &D::SetGridYAxisName),
            P::Property("GridXAxisName", &D::FGridXAxisName, &D::SetGridXAxisName),
            P::Property("GridLineColor", &D::FGridLineColor, &D::SetGridLineColor).Default(32768),
            P::Property("GridLineShowLeft", &D::FGridLineShowLeft, &D::SetGridLineShowLeft)
                .Default(true),
            P::Property("GridLineShowTop", &D::FGridLineShowTop, &D::SetGridLineShowTop)
                .Default(true),
            P::Property("GridLineShowRight", &D::FGridLineShowRight, &D::SetGridLineShowRight)
                .Default(true),
            P::Property("GridLineShowBottom", &D::FGridLineShowBottom, &D::SetGridLineShowBottom)
                .Default(true),
            P::Property("GridLineShowXMajors", &D::FGridLineShowXMajors, &D::SetGridLineShowXMajors)
                .Default(true),
            P::Property("GridLineShowXMinors", &D::FGridLineShowXMinors, &D::SetGridLineShowXMinors)
                .Default(false),
            P::Property("GridLineShowYMajors", &D::FGridLineShowYMajors, &D::SetGridLineShowYMajors)
                .Default(true),
            P::Property("GridLineShowYMinors", &D::FGridLineShowYMinors, &D::SetGridLineShowYMinors)
                .Default(false),
            P::Property("GridLineMajorStyle", &D::FGridLineMajorStyle, &D::SetGridLineMajorStyle)
                .Default(ipglsSolid),
            P::Property("GridLineMinorStyle", &D::FGridLineMinorStyle, &D::SetGridLineMinorStyle)
                .Default(ipglsSolid),
            P::Property("GridLineXMajorCustom", &D::FGridLineXMajorCustom,
                        &D::SetGridLineXMajorCustom)
                .Default(false),
            P::Property("GridLineXMajorColor", &D::FGridLineXMajorColor, &D::SetGridLineXMajorColor)
                .Default(32768),
            P::Property("GridLineXMajorWidth", &D::FGridLineXMajorWidth, &D::SetGridLineXMajorWidth)
                .Default(0),
            P::Property("GridLineXMajorStyle", &D::FGridLineXMajorStyle, &D::SetGridLineXMajorStyle)
                .Default(ipglsSolid),
            P::Property("GridLineXMinorCustom", &D::FGridLineXMinorCustom,
                        &D::SetGridLineXMinorCustom)
                .Default(false),
            P::Property("GridLineXMinorColor", &D::FGridLineXMinorColor, &D::SetGridLineXMinorColor)
                .Default(32768),
            P::Property("GridLineXMinorWidth", &D::FGridLineXMinorWidth, &D::SetGridLineXMinorWidth)
                .Default(0),
            P::Property("GridLineXMinorStyle", &D::FGridLineXMinorStyle, &D::SetGridLineXMinorStyle)
                .Default(ipglsSolid),
            P::Property("GridLineYMajorCustom", &D::FGridLineYMajorCustom,
                        &D::SetGridLineYMajorCustom)
                .Default(false),
            P::Property("GridLineYMajorColor", &D::FGridLineYMajorColor, &D::SetGridLineYMajorColor)
                .Default(32768),
            P::Property("GridLineYMajorWidth", &D::FGridLineYMajorWidth, &D::SetGridLineYMajorWidth)
                .Default(0),
            P::Property("GridLineYMajorStyle", &D::FGridLineYMajorStyle, &D::SetGridLineYMajorStyle)
                .Default(ipglsSolid),
            P::Property("GridLineYMinorCustom", &D::FGridLineYMinorCustom,
                        &D::SetGridLineYMinorCustom)
                .Default(false),
            P::Property("GridLineYMinorColor", &D::FGridLineYMinorColor, &D::SetGridLineYMinorColor)
                .Default(32768),
            P::Property("GridLineYMinorWidth", &D::FGridLineYMinorWidth, &D::SetGridLineYMinorWidth)
                .Default(0),
            P::Property("GridLineYMinorStyle", &D::FGridLineYMinorStyle, &D::SetGridLineYMinorStyle)
                .Default(ipglsSolid),
            P::Property("AxesControlAllowInSelectMode", &D::FAxesControlAllowInSelectMode,
                        &D::SetAxesControlAllowInSelectMode)
                .Default(false),
        };
    }

public:
    TiPlotDataView(TObject* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                   TNotifyEvent onRemove, TNotifyEvent onRename);

    TiPlotObjectKind Kind() const override { return TiPlotObjectKind::DataView; }

    // ---- percent coordinates (0..100 across the area; Y upward from the bottom edge)
    double PixelsXToPositionPercent(int value) const;
    double PixelsYToPositionPercent(int value) const;
    int PositionPercentToPixelsX(double value) const;
    int PositionPercentToPixelsY(double value) const;

    // ---- drawing
    // Fills the area with the background colour unless transparent.
    void DrawBackground(TCanvas* canvas);
    void DrawGrid(TCanvas* canvas, TColor backGroundColor);
    // The focus rectangle of a zoom box being dragged.
    void DrawZoomBox(TCanvas* canvas);
    void Draw(TCanvas* canvas, TColor backGroundColor) override;

    TiPlotXAxis* GetGridXAxis();
    TiPlotYAxis* GetGridYAxis();
    // 2 select, 1 zoom box, 3 axes control, 0 none (from the plot's first toolbar).
    int GetControlMode() const;
    void ZoomAxesToRect(const TRect& rect);
    bool ZoomBoxActive() const { return FZoomBoxActive; }

    // ---- input
    void DoMouseLeft(const TiPlotMouseData& mouseData) override;
    void DoMouseRight(const TiPlotMouseData& mouseData) override;
    void DoMouseMove(const TiPlotMouseData& mouseData) override;
    void DoMouseUp(const TiPlotMouseData& mouseData) override;
    bool DoMouseWheel(int wheelDelta, TShiftState shift, int x, int y) override;
    void DoKeyDown(TKeyCode& charCode, TShiftState shift, TPopupMenu* popupMenu) override;
    TiPlotObject* SetMouseOverObject(int x, int y) override;
    TCursor CheckMouseOver(TPoint point) override;
    void ClearPopupMenuItems(TPopupMenu* popupMenu) override;
    void NotificationRemove(TiPlotObject* sender) override;
    void NotificationRename(TiPlotObject* sender) override;
    void NotificationSetFocus(TiPlotObject* sender) override;

    // ---- settings
    bool BackgroundTransparent() const { return FBackgroundTransparent; }
    TColor BackgroundColor() const { return FBackgroundColor; }
    const std::string& GridXAxisName() const { return FGridXAxisName; }
    const std::string& GridYAxisName() const { return FGridYAxisName; }
    void SetGridXAxisName(const std::string& value);
    void SetGridYAxisName(const std::string& value);
    bool AxesControlEnabled() const { return FAxesControlEnabled; }
    void SetAxesControlEnabled(bool value) { FAxesControlEnabled = value; }
    void SetAxesControlMouseStyle(TiPlotAxesControlStyle value) { FAxesControlMouseStyle = value; }
    void SetAxesControlWheelStyle(TiPlotAxesControlStyle value) { FAxesControlWheelStyle = value; }

    void SetTitle(const std::string& value) { SetStringProperty(value, FTitle, &D::DoChange); }
#define DSP_DATAVIEW_SETTER(Name, Type, Field) \
    void Set##Name(Type value) { Store(value, Field); }
    DSP_DATAVIEW_SETTER(BackgroundTransparent, bool, FBackgroundTransparent)
    DSP_DATAVIEW_SETTER(BackgroundColor, TColor, FBackgroundColor)
    DSP_DATAVIEW_SETTER(GridShow, bool, FGridShow)
    DSP_DATAVIEW_SETTER(GridLineColor, TColor, FGridLineColor)
    DSP_DATAVIEW_SETTER(GridLineShowLeft, bool, FGridLineShowLeft)
    DSP_DATAVIEW_SETTER(GridLineShowTop, bool, FGridLineShowTop)
    DSP_DATAVIEW_SETTER(GridLineShowRight, bool, FGridLineShowRight)
    DSP_DATAVIEW_SETTER(GridLineShowBottom, bool, FGridLineShowBottom)
    DSP_DATAVIEW_SETTER(GridLineShowXMajors, bool, FGridLineShowXMajors)
    DSP_DATAVIEW_SETTER(GridLineShowXMinors, bool, FGridLineShowXMinors)
    DSP_DATAVIEW_SETTER(GridLineShowYMajors, bool, FGridLineShowYMajors)
    DSP_DATAVIEW_SETTER(GridLineShowYMinors, bool, FGridLineShowYMinors)
    DSP_DATAVIEW_SETTER(GridLineMajorStyle, TiPlotGridLineStyle, FGridLineMajorStyle)
    DSP_DATAVIEW_SETTER(GridLineMinorStyle, TiPlotGridLineStyle, FGridLineMinorStyle)
    DSP_DATAVIEW_SETTER(GridLineXMajorCustom, bool, FGridLineXMajorCustom)
    DSP_DATAVIEW_SETTER(GridLineXMajorColor, TColor, FGridLineXMajorColor)
    DSP_DATAVIEW_SETTER(GridLineXMajorWidth, int, FGridLineXMajorWidth)
    DSP_DATAVIEW_SETTER(GridLineXMajorStyle, TiPlotGridLineStyle, FGridLineXMajorStyle)
    DSP_DATAVIEW_SETTER(GridLineXMinorCustom, bool, FGridLineXMinorCustom)
    DSP_DATAVIEW_SETTER(GridLineXMinorColor, TColor, FGridLineXMinorColor)
    DSP_DATAVIEW_SETTER(GridLineXMinorWidth, int, FGridLineXMinorWidth)
    DSP_DATAVIEW_SETTER(GridLineXMinorStyle, TiPlotGridLineStyle, FGridLineXMinorStyle)
    DSP_DATAVIEW_SETTER(GridLineYMajorCustom, bool, FGridLineYMajorCustom)
    DSP_DATAVIEW_SETTER(GridLineYMajorColor, TColor, FGridLineYMajorColor)
    DSP_DATAVIEW_SETTER(GridLineYMajorWidth, int, FGridLineYMajorWidth)
    DSP_DATAVIEW_SETTER(GridLineYMajorStyle, TiPlotGridLineStyle, FGridLineYMajorStyle)
    DSP_DATAVIEW_SETTER(GridLineYMinorCustom, bool, FGridLineYMinorCustom)
    DSP_DATAVIEW_SETTER(GridLineYMinorColor, TColor, FGridLineYMinorColor)
    DSP_DATAVIEW_SETTER(GridLineYMinorWidth, int, FGridLineYMinorWidth)
    DSP_DATAVIEW_SETTER(GridLineYMinorStyle, TiPlotGridLineStyle, FGridLineYMinorStyle)
    DSP_DATAVIEW_SETTER(AxesControlAllowInSelectMode, bool, FAxesControlAllowInSelectMode)
#undef DSP_DATAVIEW_SETTER

private:
    using D = TiPlotDataView;
    // The colour, width and style one kind of grid line is drawn with.
    struct TGridLineSettings {
        TColor color;
        int width;
        TiPlotGridLineStyle style;
    };
    template <typename T>
    void Store(T value, T& field) {
        if (value == field) return;
        field = value;
        DoChange();
    }
    void DrawAxisGrid(TCanvas* canvas, TiPlotAxis* axis, const TGridLineSettings& major,
                      const TGridLineSettings& minor, bool showMajors, bool showMinors);
    template <typename F>
    void ForEachAxis(bool xAxes, F&& f);

    TiPlotXAxis* FXAxis = nullptr;
    TiPlotYAxis* FYAxis = nullptr;
    TiPlotObject* FMouseDownObject = nullptr;
    bool FMouseDown = false;
    bool FMouseDownRight = false;
    bool FZoomBoxActive = false;
    int FMouseDownX = 0;
    int FMouseDownY = 0;
    int FMouseMoveX = 0;
    int FMouseMoveY = 0;
    bool FDirectionLock = false;
    bool FDirectionLockXAxis = false;
    std::string FTitle;
    bool FBackgroundTransparent = true;
    TColor FBackgroundColor = 8421376;
    bool FGridShow = true;
    bool FAxesControlEnabled = false;
    TiPlotAxesControlStyle FAxesControlWheelStyle = ipacsXAxis;
    TiPlotAxesControlStyle FAxesControlMouseStyle = ipacsBoth;
    std::string FGridYAxisName;
    std::string FGridXAxisName;
    TColor FGridLineColor = 32768;
    bool FGridLineShowLeft = true;
    bool FGridLineShowTop = true;
    bool FGridLineShowRight = true;
    bool FGridLineShowBottom = true;
    bool FGridLineShowXMajors = true;
    bool FGridLineShowXMinors = false;
    bool FGridLineShowYMajors = true;
    bool FGridLineShowYMinors = false;
    TiPlotGridLineStyle FGridLineMajorStyle = ipglsSolid;
    TiPlotGridLineStyle FGridLineMinorStyle = ipglsSolid;
    bool FGridLineXMajorCustom = false;
    TColor FGridLineXMajorColor = 32768;
    int FGridLineXMajorWidth = 0;
    TiPlotGridLineStyle FGridLineXMajorStyle = ipglsSolid;
    bool FGridLineXMinorCustom = false;
    TColor FGridLineXMinorColor = 32768;
    int FGridLineXMinorWidth = 0;
    TiPlotGridLineStyle FGridLineXMinorStyle = ipglsSolid;
    bool FGridLineYMajorCustom = false;
    TColor FGridLineYMajorColor = 32768;
    int FGridLineYMajorWidth = 0;
    TiPlotGridLineStyle FGridLineYMajorStyle = ipglsSolid;
    bool FGridLineYMinorCustom = false;
    TColor FGridLineYMinorColor = 32768;
    int FGridLineYMinorWidth = 0;
    TiPlotGridLineStyle FGridLineYMinorStyle = ipglsSolid;
    bool FAxesControlAllowInSelectMode = false;
};

}  // namespace dsp
