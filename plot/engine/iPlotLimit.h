#pragma once
// TiPlotLimit: a boundary or tolerance zone on two named axes of its plot: a line at one X or Y
// value, a band between two X or two Y values, or a poly band whose upper and lower bounds vary
// point by point along the other axis. Lines and the edges of a band can be dragged with the
// mouse when UserCanMove is set; a poly band cannot be grabbed. Filled limits (HasFill) are
// drawn below the data view's grid of their layer, the others above it.

#include <string>

#include "framework/graphics/Brush.h"
#include "framework/graphics/Pen.h"
#include "plot/engine/iClasses.h"
#include "plot/engine/iPlotObjects.h"

namespace dsp {

class TiPlotXAxis;
class TiPlotYAxis;

enum TiPlotLimitStyle { iplsLineX, iplsLineY, iplsBandX, iplsBandY, iplsPolyBandX, iplsPolyBandY };
DSP_ENUM_NAMES(TiPlotLimitStyle, "iplsLineX", "iplsLineY", "iplsBandX", "iplsBandY",
               "iplsPolyBandX", "iplsPolyBandY")

class TiPlotLimit : public TiPlotManagerObject {
    DSP_PUBLISHED(TiPlotLimit, TiPlotManagerObject) {
        using C = TiPlotLimit;
        using P = Published<TiPlotLimit>;
        return {
            P::Property("YAxisName", &C::YAxisName, &C::SetYAxisName),
            P::Property("XAxisName", &C::XAxisName, &C::SetXAxisName),
            P::Property("Style", &C::Style, &C::SetStyle).Default(iplsLineY),
            P::Property("Color", &C::Color, &C::SetColor).Default(clRed),
            P::Property("LineWidth", &C::LineWidth, &C::SetLineWidth).Default(0),
            P::Property("LineStyle", &C::LineStyle, &C::SetLineStyle).Default(psSolid),
            P::Property("FillStyle", &C::FillStyle, &C::SetFillStyle).Default(bsSolid),
            P::Property("Line1Position", &C::Line1Position, &C::SetLine1Position),
            P::Property("Line2Position", &C::Line2Position, &C::SetLine2Position),
            P::Property("UserCanMove", &C::UserCanMove, &C::SetUserCanMove).Default(false),
            P::Property("SelectModeOnlyInteraction", &C::FSelectModeOnlyInteraction,
                        &C::FSelectModeOnlyInteraction)
                .Default(true),
            P::Property("ClipToAxes", &C::ClipToAxes, &C::SetClipToAxes).Default(false),
        };
    }

public:
    TiPlotLimit(TObject* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                TNotifyEvent onRename);

    TiPlotObjectKind Kind() const override { return TiPlotObjectKind::Limit; }

    // ---- poly-band elements (Position, UpperLimit, LowerLimit), used in the order added
    // Raises "the Upper Limit must be greater than or equal to the Lower Limit" and adds nothing
    // when lowerLimit > upperLimit.
    void AddBandElement(double position, double upperLimit, double lowerLimit);
    void ClearAllElements();
    int ElementCount() const { return FPointList.Count(); }
    // Raise "Index out of Bounds" outside the elements.
    double ElementPosition(int index) const { return FPointList.Value1(index); }
    double ElementUpperLimit(int index) const { return FPointList.Value2(index); }
    double ElementLowerLimit(int index) const { return FPointList.Value3(index); }

    // ---- properties
    const std::string& XAxisName() const { return FXAxisName; }
    void SetXAxisName(const std::string& value);
    const std::string& YAxisName() const { return FYAxisName; }
    void SetYAxisName(const std::string& value);
    TiPlotLimitStyle Style() const { return FStyle; }
    void SetStyle(TiPlotLimitStyle value);
    TColor Color() const { return FColor; }
    void SetColor(TColor value) { SetColorProperty(value, FColor, &TiPlotObject::DoChange); }
    int LineWidth() const { return FLineWidth; }
    void SetLineWidth(int value) { SetIntegerProperty(value, FLineWidth, &TiPlotObject::DoChange); }
    TPenStyle LineStyle() const { return FLineStyle; }
    void SetLineStyle(TPenStyle value);
    TBrushStyle FillStyle() const { return FFillStyle; }
    void SetFillStyle(TBrushStyle value);
    double Line1Position() const { return FLine1Position; }
    void SetLine1Position(double value);
    double Line2Position() const { return FLine2Position; }
    void SetLine2Position(double value);
    bool UserCanMove() const { return FUserCanMove; }
    void SetUserCanMove(bool value) {
        SetBooleanProperty(value, FUserCanMove, &TiPlotObject::DoChange);
    }
    bool SelectModeOnlyInteraction() const { return FSelectModeOnlyInteraction; }
    void SetSelectModeOnlyInteraction(bool value) { FSelectModeOnlyInteraction = value; }
    bool ClipToAxes() const { return FClipToAxes; }
    void SetClipToAxes(bool value) {
        SetBooleanProperty(value, FClipToAxes, &TiPlotObject::DoChange);
    }

    // A band filled with a brush: drawn below the data view's grid of the same layer.
    virtual bool HasFill() const;
    // The axes the limit is drawn on; null when the plot has no axis of that name.
    TiPlotXAxis* GetXAxis() const;
    TiPlotYAxis* GetYAxis() const;

    // Where a press grabs each line, from the last paint; a line not drawn then has none.
    bool Line1Shown() const { return FLine1Show; }
    bool Line2Shown() const { return FLine2Show; }
    TRect Line1ClickRect() const { return FLine1ClickRect; }
    TRect Line2ClickRect() const { return FLine2ClickRect; }

    void NotificationRemove(TiPlotObject* sender) override;
    void NotificationRename(TiPlotObject* sender) override;
    void NotificationSetFocus(TiPlotObject* sender) override;
    void Draw(TCanvas* canvas, TColor backGroundColor) override;
    bool MouseHitTest(const TiPlotMouseData& mouseData) override;
    void DoMouseLeft(const TiPlotMouseData& mouseData) override;
    void DoMouseMove(const TiPlotMouseData& mouseData) override;
    void DoMouseUp(const TiPlotMouseData& mouseData) override;
    TCursor CheckMouseOver(TPoint point) override;
    void ClearPopupMenuItems(TPopupMenu* popupMenu) override;

private:
    bool IsXStyle() const {
        return FStyle == iplsLineX || FStyle == iplsBandX || FStyle == iplsPolyBandX;
    }
    bool InClickRect(int line, int x, int y) const;
    void DrawLine(TCanvas* canvas, TColor backGroundColor, TiPlotXAxis* x, TiPlotYAxis* y);
    void DrawBand(TCanvas* canvas, TiPlotXAxis* x, TiPlotYAxis* y);
    void DrawPolyBand(TCanvas* canvas, TiPlotXAxis* x, TiPlotYAxis* y);

    TiLimitDataList FPointList;
    bool FMouseDownLine1 = false;
    bool FMouseDownLine2 = false;
    mutable TiPlotXAxis* FXAxis = nullptr;
    mutable TiPlotYAxis* FYAxis = nullptr;
    std::string FYAxisName;
    std::string FXAxisName;
    TiPlotLimitStyle FStyle = iplsLineY;
    TColor FColor = clRed;
    int FLineWidth = 0;
    TPenStyle FLineStyle = psSolid;
    TBrushStyle FFillStyle = bsSolid;
    bool FLine1Show = false;
    bool FLine2Show = false;
    double FLine1Position = 50;
    double FLine2Position = 50;
    TRect FLine1ClickRect{};
    TRect FLine2ClickRect{};
    bool FUserCanMove = false;
    bool FSelectModeOnlyInteraction = true;
    bool FClipToAxes = false;
};

}  // namespace dsp
