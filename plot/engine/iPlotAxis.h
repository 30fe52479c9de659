#pragma once
// TiPlotAxis: a plot's axis, with the concrete TiPlotXAxis and TiPlotYAxis. Its scale (Min,
// Span, the derived Max and Mid) with the plot events that scale changes raise; the mappings
// between values, pixels and fractions that channels, limits, cursors and the data view use;
// the tick list (generated from the scale, or filled by the user); its geometry inside the
// rectangle the layout gives it, the thickness it asks of the layout, and its drawing: scale
// line, ticks, labels, title, grid lines; and the texts of its values in six format styles.
//
// Non-finite values never reach the scale: the Min, Span and DesiredIncrement setters ignore
// them, so tick generation always ends and every pixel stays within +-32000.

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "framework/graphics/Font.h"
#include "framework/graphics/Pen.h"
#include "plot/engine/iPlotObjects.h"
#include "plot/engine/iTypes.h"

namespace dsp {

// Rounds halves to even without overflowing: values beyond a pixel range clamp first. Every
// point a channel draws comes through here, so the conversion is the processor's own (which
// rounds halves to even in the default rounding mode) where there is one.
inline long long PixelRoundClamped(double value) {
    if (std::isnan(value)) return 0;
    value = std::clamp(value, -1e15, 1e15);
#if defined(__SSE2__)
    return _mm_cvtsd_si64(_mm_set_sd(value));
#else
    return std::llrint(value);
#endif
}

inline int PixelClamped(long long value) {
    return static_cast<int>(std::clamp<long long>(value, -32000, 32000));
}

enum TiPlotTrackingStyle {
    iptsScaleMinMax,
    iptsScaleMax,
    iptsScaleMin,
    iptsScrollSmooth,
    iptsScrollPage,
    iptsExpandCollapse,
    iptsExpandCollapseFast,
    iptsExpandMinMax,
};
DSP_ENUM_NAMES(TiPlotTrackingStyle, "iptsScaleMinMax", "iptsScaleMax", "iptsScaleMin",
               "iptsScrollSmooth", "iptsScrollPage", "iptsExpandCollapse", "iptsExpandCollapseFast",
               "iptsExpandMinMax")

enum TiPlotTrackingIncrementStyle { iptisMinimum, iptisMajor, iptisMinor };
DSP_ENUM_NAMES(TiPlotTrackingIncrementStyle, "iptisMinimum", "iptisMajor", "iptisMinor")

enum TiPlotAlignFirstStyle { ipafsMin, ipafsMax, ipafsAuto, ipafsNone };
DSP_ENUM_NAMES(TiPlotAlignFirstStyle, "ipafsMin", "ipafsMax", "ipafsAuto", "ipafsNone")

enum TiPlotScaleType { ipstLinear, ipstLog10 };
DSP_ENUM_NAMES(TiPlotScaleType, "ipstLinear", "ipstLog10")

enum TiPlotTextFormat {
    iptfValue,
    iptfExponent,
    iptfPrefix,
    iptfDateTime,
    iptfPrice32nds,
    iptfThousands,
};
DSP_ENUM_NAMES(TiPlotTextFormat, "iptfValue", "iptfExponent", "iptfPrefix", "iptfDateTime",
               "iptfPrice32nds", "iptfThousands")

enum TiPlotAxisMode { ipamScroll, ipamZoom };
DSP_ENUM_NAMES(TiPlotAxisMode, "ipamScroll", "ipamZoom")

enum TiPlotCartesianStyle { ipcsNone, ipcsMaster, ipcsChild };
DSP_ENUM_NAMES(TiPlotCartesianStyle, "ipcsNone", "ipcsMaster", "ipcsChild")

enum TiPlotGridLineStyle { ipglsSolid, ipglsDash, ipglsDot };
DSP_ENUM_NAMES(TiPlotGridLineStyle, "ipglsSolid", "ipglsDash", "ipglsDot")

// The side of the data view an axis stands on.
enum TiQuadSide { iqsLeft, iqsTop, iqsRight, iqsBottom };

enum TiPlotTickType { ipttMajor, ipttMinor };

struct TiPlotTickObject {
    TiPlotTickType TickType = ipttMajor;
    double Position = 0;
    int PositionPixels = 0;
    std::string Text;
    bool Show = false;
};

class TiPlotAxis : public TiPlotLayoutObject {
    DSP_PUBLISHED(TiPlotAxis, TiPlotLayoutObject) {
        using A = TiPlotAxis;
        using P = Published<TiPlotAxis>;
        return {
            P::Property("Span", &A::Span, &A::SetSpan),
            P::Property("Min", &A::Min, &A::SetMin),
            P::Property("ReverseScale", &A::FReverseScale, &A::SetReverseScale).Default(false),
            P::Property("InnerMargin", &A::FInnerMargin, &A::SetInnerMargin).Default(5),
            P::Property("OuterMargin", &A::FOuterMargin, &A::SetOuterMargin).Default(5),
            P::Property("StackingEndsMargin", &A::FStackingEndsMargin, &A::SetStackingEndsMargin),
            P::Property("MinorLength", &A::FMinorLength, &A::SetMinorLength).Default(3),
            P::Property("MajorLength", &A::FMajorLength, &A::SetMajorLength).Default(7),
            P::Property("MinorCount", &A::FMinorCount, &A::SetMinorCount).Default(1),
            P::Property("LabelsVisible", &A::FLabelsVisible, &A::SetLabelsVisible).Default(true),
            P::Property("LabelsMargin", &A::FLabelsMargin, &A::SetLabelsMargin),
            P::Property("LabelsPrecision", &A::FLabelsPrecision, &A::SetLabelsPrecision).Default(3),
            P::Property("LabelsPrecisionStyle", &A::FLabelsPrecisionStyle,
                        &A::SetLabelsPrecisionStyle)
                .Default(ipsSignificantDigits),
            P::Property("LabelsFont", &A::LabelsFont, &A::SetLabelsFont),
            P::Property("LabelsMinLength", &A::FLabelsMinLength, &A::SetLabelsMinLength),
            P::Property("LabelsMinLengthAutoAdjust", &A::FLabelsMinLengthAutoAdjust,
                        &A::SetLabelsMinLengthAutoAdjust)
                .Default(false),
            P::Property("LabelSeparation", &A::FLabelSeparation, &A::SetLabelSeparation),
            P::Property("TitleMargin", &A::FTitleMargin, &A::SetTitleMargin),
            P::Property("TitleFont", &A::TitleFont, &A::SetTitleFont),
            P::Property("TitleShow", &A::FTitleShow, &A::SetTitleShow).Default(false),
            P::Property("Title", &A::FTitle, &A::SetTitle),
            P::Property("TitleRotated", &A::FTitleRotated, &A::SetTitleRotated).Default(false),
            P::Property("ScaleLineShow", &A::FScaleLineShow, &A::SetScaleLineShow).Default(true),
            P::Property("ScaleLinesColor", &A::FScaleLinesColor, &A::SetScaleLinesColor)
                .Default(clWhite),
            P::Property("TrackingEnabled", &A::FTrackingEnabled, &A::SetTrackingEnabled)
                .Default(true),
            P::Property("TrackingStyle", &A::FTrackingStyle, &A::SetTrackingStyle),
            P::Property("TrackingIncrementStyle", &A::FTrackingIncrementStyle,
                        &A::SetTrackingIncrementStyle)
                .Default(iptisMinimum),
            P::Property("TrackingScrollCompressMax", &A::FTrackingScrollCompressMax,
                        &A::SetTrackingScrollCompressMax),
            P::Property("TrackingSpanMinimum", &A::FTrackingSpanMinimum,
                        &A::SetTrackingSpanMinimum),
            P::Property("TrackingMaxMargin", &A::FTrackingMaxMargin, &A::SetTrackingMaxMargin),
            P::Property("TrackingMinMargin", &A::FTrackingMinMargin, &A::SetTrackingMinMargin),
            P::Property("TrackingAlignFirstStyle", &A::FTrackingAlignFirstStyle,
                        &A::SetTrackingAlignFirstStyle),
            P::Property("ScaleType", &A::FScaleType, &A::SetScaleType).Default(ipstLinear),
            P::Property("DateTimeFormat", &A::FDateTimeFormat, &A::SetDateTimeFormat),
            P::Property("LabelsFormatStyle", &A::FLabelsFormatStyle, &A::SetLabelsFormatStyle)
                .Default(iptfValue),
            P::Property("DesiredIncrement", &A::FDesiredIncrement, &A::SetDesiredIncrement),
            P::Property("CursorScaler", &A::FCursorScaler, &A::SetCursorScaler),
            P::Property("RestoreValuesOnResume", &A::FRestoreValuesOnResume,
                        &A::SetRestoreValuesOnResume)
                .Default(true),
            P::Property("ScrollMin", &A::FScrollMin, &A::SetScrollMin),
            P::Property("ScrollMax", &A::FScrollMax, &A::SetScrollMax),
            P::Property("ScrollMinMaxEnabled", &A::FScrollMinMaxEnabled, &A::SetScrollMinMaxEnabled)
                .Default(false),
            P::Property("MasterUIInput", &A::FMasterUIInput, &A::SetMasterUIInput).Default(false),
            P::Property("DesiredStart", &A::FDesiredStart, &A::SetDesiredStart),
            P::Property("CartesianStyle", &A::FCartesianStyle, &A::SetCartesianStyle)
                .Default(ipcsNone),
            P::Property("CartesianChildRefValue", &A::FCartesianChildRefValue,
                        &A::SetCartesianChildRefValue),
            P::Property("CartesianChildRefAxisName", &A::FCartesianChildRefAxisName,
                        &A::SetCartesianChildRefAxisName),
            P::Property("GridLinesVisible", &A::FGridLinesVisible, &A::SetGridLinesVisible)
                .Default(true),
            P::Property("ScaleLinesShow", &A::FScaleLinesShow, &A::SetScaleLinesShow).Default(true),
            P::Property("CursorUseDefaultFormat", &A::FCursorUseDefaultFormat,
                        &A::SetCursorUseDefaultFormat)
                .Default(true),
            P::Property("CursorDateTimeFormat", &A::FCursorDateTimeFormat,
                        &A::SetCursorDateTimeFormat),
            P::Property("CursorFormatStyle", &A::FCursorFormatStyle, &A::SetCursorFormatStyle)
                .Default(iptfValue),
            P::Property("CursorPrecisionStyle", &A::FCursorPrecisionStyle,
                        &A::SetCursorPrecisionStyle)
                .Default(ipsSignificantDigits),
            P::Property("CursorPrecision", &A::FCursorPrecision, &A::SetCursorPrecision).Default(3),
            P::Property("CursorMinLengthAutoAdjust", &A::FCursorMinLengthAutoAdjust,
                        &A::SetCursorMinLengthAutoAdjust)
                .Default(false),
            P::Property("CursorMinLength", &A::FCursorMinLength, &A::SetCursorMinLength),
            P::Property("LegendUseDefaultFormat", &A::FLegendUseDefaultFormat,
                        &A::SetLegendUseDefaultFormat)
                .Default(true),
            P::Property("LegendFormatStyle", &A::FLegendFormatStyle, &A::SetLegendFormatStyle)
                .Default(iptfValue),
            P::Property("LegendDateTimeFormat", &A::FLegendDateTimeFormat,
                        &A::SetLegendDateTimeFormat),
            P::Property("LegendPrecisionStyle", &A::FLegendPrecisionStyle,
                        &A::SetLegendPrecisionStyle)
                .Default(ipsSignificantDigits),
            P::Property("LegendPrecision", &A::FLegendPrecision, &A::SetLegendPrecision).Default(3),
            P::Property("LegendMinLength", &A::FLegendMinLength, &A::SetLegendMinLength),
            P::Property("LegendMinLengthAutoAdjust", &A::FLegendMinLengthAutoAdjust,
                        &A::SetLegendMinLengthAutoAdjust)
                .Default(false),
            P::Property("AlignRefAxisName", &A::FAlignRefAxisName, &A::SetAlignRefAxisName),
            P::Property("LabelsRotation", &A::FLabelsRotation, &A::SetLabelsRotation)
                .Default(ira000),
            P::Property("ForceStacking", &A::ForceStacking, &A::SetForceStacking).Default(false),
        };
    }

public:
    TiPlotAxis(TObject* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
               TNotifyEvent onRename);
    ~TiPlotAxis() override;

    // True for an X axis, false for a Y axis.
    virtual bool IsXAxis() const = 0;

    // ---- scale
    double Min() const { return FMin; }
    double Span() const { return FSpan; }
    double Max() const;
    double Mid() const { return FSpan / 2 + FMin; }
    // Clamped to +-1e300; the plot's Min-change and Min/Span-change events follow.
    void SetMin(double value);
    // Clamped to 1e-300..1e300; the plot's Span-change and Min/Span-change events follow.
    void SetSpan(double value);
    // Both at once; one set of events at the end.
    void SetMinSpan(double newMin, double newSpan);
    void UpdateResumeValues();
    // Zooms to the box a zoom drag drew (pixels of the plot).
    void ZoomToRect(const TRect& rect);
    void ResetFirstAlign() { FFirstAlignDone = false; }
    bool FirstAlignDone() const { return FFirstAlignDone; }
    // Linear: the span times the factor about the middle (the factor must be above 0, else
    // "Linear Scale Zoom Factor must be Greater than Zero"); log10: by that many decades.
    void Zoom(double value);
    // While set, Min and Span changes raise no plot events.
    void SetBlockMinSpanEvents(bool value) { FBlockMinSpanEvents = value; }

    // ---- tracking, zoom and scroll
    // Adapts the range to a new data value by TrackingStyle; nothing while tracking is off.
    // The first value after ResetFirstAlign is placed by TrackingAlignFirstStyle instead.
    void NewTrackingData(double value);
    // Widens the range outward to multiples of the last major or minor increment.
    void AlignToIncrement();
    // Fits the range to the channels on this axis (their points, or their running extremes).
    void ZoomToFit();
    void ZoomToFitFast();
    // Linear: the span divided by 10^factor about the middle; log10: by decades.
    void ZoomByPower(double min, double span, double max, double factor);
    // Moves the range by a fraction of its span, within ScrollMin..ScrollMax when enabled.
    void ScrollByFraction(double min, double span, double max, double fraction);
    // Mode, turned over (scroll and zoom) while Ctrl is held.
    TiPlotAxisMode GetEffectiveMode(TShiftState shift) const;

    // ---- mapping
    int PositionToPixels(double value) const;
    // The conversion of a linear axis as plain numbers, for loops over many values: where
    // Linear is true it gives what PositionToPixels gives, without a call per value.
    struct TLinearPixels {
        bool Linear;
        int Start;
        double Min;
        double PixelsPerUnit;
        int operator()(double value) const {
            return PixelClamped(Start - PixelRoundClamped((value - Min) * PixelsPerUnit));
        }
    };
    TLinearPixels LinearPixels() const;
    // The pixels of a run of values many of which fall on the pixel of the value before (a
    // trace's points, many to a pixel column). The conversion never turns back as values grow,
    // so a value between two values of one pixel has that pixel: each pixel's first value is
    // converted, with the far end of the pixel's range (checked by converting it too), and
    // the values up to that end take the pixel without a conversion.
    class TPixelRun {
    public:
        explicit TPixelRun(const TLinearPixels& map) : map_(map) {}
        int operator()(double value) {
            if (value >= lo_ && value <= hi_) return pixel_;
            pixel_ = map_(value);
            lo_ = value;
            hi_ = value;
            if (map_.PixelsPerUnit != 0) {
                const double k = map_.Start - pixel_;
                const double a = map_.Min + (k - 0.5) / map_.PixelsPerUnit;
                const double b = map_.Min + (k + 0.5) / map_.PixelsPerUnit;
                // A millionth of a pixel short of the rounding edge.
                const double end = std::max(a, b) - std::abs(b - a) * 1e-6;
                if (end > value && map_(end) == pixel_) hi_ = end;
            }
            return pixel_;
        }

    private:
        TLinearPixels map_;
        double lo_ = 1;
        double hi_ = 0;  // no range yet
        int pixel_ = 0;
    };
    double PixelsToPosition(int value) const;
    int WidthToPixels(double value) const;
    // A fraction 0..1 of the span.
    double PositionToPercent(double value) const;
    // From a fraction 0..1 of the data view.
    double PercentToPosition(double value) const;
    bool PointOnScale(double value) const;
    bool ValueOnScale(double value) const { return PointOnScale(value); }
    int GetScaleLength() const;
    int GetMinPixels() const { return PositionToPixels(FMin); }
    int GetMaxPixels() const { return PositionToPixels(Max()); }

    // ---- ticks
    void TickListClear();
    // Raises "Log Scale Requires Position to be Greater Than Zero" on a log axis for a value
    // that is not above 0.
    int TickListAdd(double position, const std::string& label, TiPlotTickType style);
    int TickListCount() const { return static_cast<int>(FTickList.size()); }
    const TiPlotTickObject& GetTick(int index) const;
    bool TickListCustom() const { return FTickListCustom; }
    void SetTickListCustom(bool value) { FTickListCustom = value; }
    double MajorIncrement() const { return FMajorIncrement; }
    double MinorIncrement() const { return FMinorIncrement; }
    // The scale rectangle, then the automatic tick list; always ends with UpdateTickPixels.
    void GenerateTicks(TCanvas* canvas);
    void UpdateTickPixels();
    // Computes the side, scale rectangle, focus rectangle and pixel mapping from the draw
    // rectangle.
    void CalcScaleRect(TCanvas* canvas);
    const TRect& ScaleRect() const { return FScaleRect; }
    const TRect& FocusRect() const { return FFocusRect; }
    TiQuadSide QuadSide() const { return FQuadSide; }
    int ActualStart() const { return FActualStart; }
    int ActualStop() const { return FActualStop; }

    // ---- layout and drawing
    int GetRequiredWidth(TCanvas* canvas) override;
    int GetRequiredEndMargin(TCanvas* canvas) override;
    int GetLabelsMaxWidth(TCanvas* canvas, TFont* font);
    void PrepareDraw(TCanvas* canvas) override;
    void Draw(TCanvas* canvas, TColor backGroundColor) override;
    void DrawGridLines(TCanvas* canvas, const TRect& rect, int minorWidth, int majorWidth,
                       TColor minorColor, TColor majorColor, TiPlotGridLineStyle minorStyle,
                       TiPlotGridLineStyle majorStyle, bool showMinors, bool showMajors);

    // ---- value texts
    std::string GetLabelText(double value);
    std::string GetLabelTextAdjusting(double value);
    std::string GetCursorText(double value);
    std::string GetCursorValueText(double value);
    std::string GetLegendText(double value);
    int GetLegendMinTextWidth(TCanvas* canvas, TFont* font);
    int GetCursorMinTextWidth(TCanvas* canvas, TFont* font);
    const std::string& CustomizeLabelEventText() const { return FCustomizeLabelEventText; }
    void SetCustomizeLabelEventText(const std::string& value);

    // ---- other axes
    TiPlotAxis* GetCartesianRefAxis();
    TiPlotAxis* GetAlignRefAxis();
    // The form stream's extras: "Span_2" and "Span" read into the span without a notification
    // (an older stream's name for it), "LabelSeparation" and "TitleMargin" written when 0 (the
    // float default the published properties leave out) and read into their fields.
    void DefineProperties(TFiler* filer) override;
    void NotificationRemove(TiPlotObject* sender) override;
    void NotificationRename(TiPlotObject* sender) override;
    void NotificationSetFocus(TiPlotObject* sender) override;
    bool MouseHitTest(const TiPlotMouseData& mouseData) override;

    // ---- the user's control: drag (scroll or zoom), wheel, keys, hint, cursor, pop-up menu.
    // Every user action switches tracking off; with MasterUIInput the other axes of the same
    // kind get the same input.
    void DoMouseLeft(const TiPlotMouseData& mouseData) override;
    void DoMouseMove(const TiPlotMouseData& mouseData) override;
    void DoMouseUp(const TiPlotMouseData& mouseData) override;
    bool DoMouseWheel(int wheelDelta, TShiftState shift, int x, int y) override;
    void DoKeyDown(TKeyCode& key, TShiftState shift, TPopupMenu* popupMenu) override;
    void DoMouseHint(const TiPlotMouseData& mouseData, TiHintData& hintData) override;
    TCursor CheckMouseOver(TPoint point) override;
    void ClearPopupMenuItems(TPopupMenu* popupMenu) override;
    bool Dragging() const { return axisMouseDown_; }

    // ---- settings
    TFont* LabelsFont() const { return FLabelsFont.get(); }
    void SetLabelsFont(TFont* value) { FLabelsFont->Assign(value); }
    TFont* TitleFont() const { return FTitleFont.get(); }
    void SetTitleFont(TFont* value) { FTitleFont->Assign(value); }
    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& value) { SetStringProperty(value, FTitle, &A::DoChange); }
    bool TrackingEnabled() const { return FTrackingEnabled; }
    void SetTrackingEnabled(bool value);
    TiPlotScaleType ScaleType() const { return FScaleType; }
    void SetScaleType(TiPlotScaleType value);
    void SetDesiredIncrement(double value);
    double DesiredIncrement() const { return FDesiredIncrement; }
    double DesiredStart() const { return FDesiredStart; }
    TiPlotCartesianStyle CartesianStyle() const { return FCartesianStyle; }
    double CartesianChildRefValue() const { return FCartesianChildRefValue; }
    const std::string& CartesianChildRefAxisName() const { return FCartesianChildRefAxisName; }
    void SetCartesianChildRefAxisName(const std::string& value);
    const std::string& AlignRefAxisName() const { return FAlignRefAxisName; }
    void SetAlignRefAxisName(const std::string& value);
    void SetForceStacking(bool value) {
        SetBooleanProperty(value, FForceStacking, &A::DoLayoutChange);
    }
    TiPlotAxisMode Mode() const { return FMode; }
    void SetMode(TiPlotAxisMode value);
    bool GridLinesVisible() const { return FGridLinesVisible; }
    bool LabelsVisible() const { return FLabelsVisible; }
    double LabelsMinLength() const { return FLabelsMinLength; }
    TiPlotTrackingStyle TrackingStyle() const { return FTrackingStyle; }
    TiPlotAlignFirstStyle TrackingAlignFirstStyle() const { return FTrackingAlignFirstStyle; }
    TiPlotTrackingIncrementStyle TrackingIncrementStyle() const { return FTrackingIncrementStyle; }
    bool ReverseScale() const { return FReverseScale; }
    TiPlotTextFormat LabelsFormatStyle() const { return FLabelsFormatStyle; }
    int MinorCount() const { return FMinorCount; }
    double CursorScaler() const { return FCursorScaler; }
    bool MasterUIInput() const { return FMasterUIInput; }
    bool ScrollMinMaxEnabled() const { return FScrollMinMaxEnabled; }
    double ScrollMin() const { return FScrollMin; }
    double ScrollMax() const { return FScrollMax; }
    double TrackingSpanMinimum() const { return FTrackingSpanMinimum; }
    double TrackingMinMargin() const { return FTrackingMinMargin; }
    double TrackingMaxMargin() const { return FTrackingMaxMargin; }
    double TrackingScrollCompressMax() const { return FTrackingScrollCompressMax; }
    int MajorLength() const { return FMajorLength; }
    int MinorLength() const { return FMinorLength; }

#define DSP_AXIS_SETTER(Name, Type, Field, Notify) \
    void Set##Name(Type value) { Store(value, Field, &A::Notify); }
    DSP_AXIS_SETTER(ReverseScale, bool, FReverseScale, DoChange)
    DSP_AXIS_SETTER(InnerMargin, int, FInnerMargin, DoChange)
    DSP_AXIS_SETTER(OuterMargin, int, FOuterMargin, DoChange)
    DSP_AXIS_SETTER(StackingEndsMargin, double, FStackingEndsMargin, DoChange)
    DSP_AXIS_SETTER(MinorLength, int, FMinorLength, DoChange)
    DSP_AXIS_SETTER(MajorLength, int, FMajorLength, DoChange)
    DSP_AXIS_SETTER(MinorCount, int, FMinorCount, DoChange)
    DSP_AXIS_SETTER(LabelsVisible, bool, FLabelsVisible, DoChange)
    DSP_AXIS_SETTER(LabelsMargin, double, FLabelsMargin, DoChange)
    DSP_AXIS_SETTER(LabelsPrecision, int, FLabelsPrecision, DoChange)
    DSP_AXIS_SETTER(LabelsPrecisionStyle, TiPrecisionStyle, FLabelsPrecisionStyle, DoChange)
    DSP_AXIS_SETTER(LabelsMinLength, double, FLabelsMinLength, DoChange)
    DSP_AXIS_SETTER(LabelsMinLengthAutoAdjust, bool, FLabelsMinLengthAutoAdjust, DoChange)
    DSP_AXIS_SETTER(LabelSeparation, double, FLabelSeparation, DoChange)
    DSP_AXIS_SETTER(TitleMargin, double, FTitleMargin, DoChange)
    DSP_AXIS_SETTER(TitleShow, bool, FTitleShow, DoChange)
    DSP_AXIS_SETTER(TitleRotated, bool, FTitleRotated, DoChange)
    DSP_AXIS_SETTER(ScaleLineShow, bool, FScaleLineShow, DoChange)
    DSP_AXIS_SETTER(ScaleLinesColor, TColor, FScaleLinesColor, DoChange)
    DSP_AXIS_SETTER(TrackingStyle, TiPlotTrackingStyle, FTrackingStyle, DoChange)
    DSP_AXIS_SETTER(TrackingIncrementStyle, TiPlotTrackingIncrementStyle, FTrackingIncrementStyle,
                    DoChange)
    DSP_AXIS_SETTER(TrackingScrollCompressMax, double, FTrackingScrollCompressMax, DoChange)
    DSP_AXIS_SETTER(TrackingSpanMinimum, double, FTrackingSpanMinimum, DoChange)
    DSP_AXIS_SETTER(TrackingMaxMargin, double, FTrackingMaxMargin, DoChange)
    DSP_AXIS_SETTER(TrackingMinMargin, double, FTrackingMinMargin, DoChange)
    DSP_AXIS_SETTER(TrackingAlignFirstStyle, TiPlotAlignFirstStyle, FTrackingAlignFirstStyle,
                    DoChange)
    DSP_AXIS_SETTER(DateTimeFormat, const std::string&, FDateTimeFormat, DoChange)
    DSP_AXIS_SETTER(LabelsFormatStyle, TiPlotTextFormat, FLabelsFormatStyle, DoChange)
    DSP_AXIS_SETTER(CursorScaler, double, FCursorScaler, DoChange)
    DSP_AXIS_SETTER(RestoreValuesOnResume, bool, FRestoreValuesOnResume, DoChange)
    DSP_AXIS_SETTER(ScrollMin, double, FScrollMin, DoChange)
    DSP_AXIS_SETTER(ScrollMax, double, FScrollMax, DoChange)
    DSP_AXIS_SETTER(ScrollMinMaxEnabled, bool, FScrollMinMaxEnabled, DoChange)
    DSP_AXIS_SETTER(MasterUIInput, bool, FMasterUIInput, DoChange)
    DSP_AXIS_SETTER(DesiredStart, double, FDesiredStart, DoChange)
    DSP_AXIS_SETTER(CartesianStyle, TiPlotCartesianStyle, FCartesianStyle, DoChange)
    DSP_AXIS_SETTER(CartesianChildRefValue, double, FCartesianChildRefValue, DoChange)
    DSP_AXIS_SETTER(GridLinesVisible, bool, FGridLinesVisible, DoChange)
    DSP_AXIS_SETTER(ScaleLinesShow, bool, FScaleLinesShow, DoChange)
    DSP_AXIS_SETTER(CursorUseDefaultFormat, bool, FCursorUseDefaultFormat, DoChange)
    DSP_AXIS_SETTER(CursorDateTimeFormat, const std::string&, FCursorDateTimeFormat, DoChange)
    DSP_AXIS_SETTER(CursorFormatStyle, TiPlotTextFormat, FCursorFormatStyle, DoChange)
    DSP_AXIS_SETTER(CursorPrecisionStyle, TiPrecisionStyle, FCursorPrecisionStyle, DoChange)
    DSP_AXIS_SETTER(CursorPrecision, int, FCursorPrecision, DoChange)
    DSP_AXIS_SETTER(CursorMinLengthAutoAdjust, bool, FCursorMinLengthAutoAdjust, DoChange)
    DSP_AXIS_SETTER(CursorMinLength, double, FCursorMinLength, DoChange)
    DSP_AXIS_SETTER(LegendUseDefaultFormat, bool, FLegendUseDefaultFormat, DoChange)
    DSP_AXIS_SETTER(LegendFormatStyle, TiPlotTextFormat, FLegendFormatStyle, DoChange)
    DSP_AXIS_SETTER(LegendDateTimeFormat, const std::string&, FLegendDateTimeFormat, DoChange)
    DSP_AXIS_SETTER(LegendPrecisionStyle, TiPrecisionStyle, FLegendPrecisionStyle, DoChange)
    DSP_AXIS_SETTER(LegendPrecision, int, FLegendPrecision, DoChange)
    DSP_AXIS_SETTER(LegendMinLength, double, FLegendMinLength, DoChange)
    DSP_AXIS_SETTER(LegendMinLengthAutoAdjust, bool, FLegendMinLengthAutoAdjust, DoChange)
    DSP_AXIS_SETTER(LabelsRotation, TiRotationAngle, FLabelsRotation, DoChange)
#undef DSP_AXIS_SETTER

private:
    using A = TiPlotAxis;
    template <typename T>
    void Store(T value, T& field, Notify notify) {
        if (value == field) return;
        field = value;
        (this->*notify)();
    }
    void Store(const std::string& value, std::string& field, Notify notify) {
        SetStringProperty(value, field, notify);
    }

    // The text of a value in one group of format settings; minLength may grow while the widest
    // label is measured.
    std::string FormatValueText(TiPlotTextFormat formatStyle, const std::string& dateTimeFormat,
                                double& minLength, bool minLengthAutoAdjust, int precision,
                                TiPrecisionStyle precisionStyle, double value);
    std::string FormatValue(TiPlotTextFormat formatStyle, const std::string& dateTimeFormat,
                            int precision, TiPrecisionStyle precisionStyle, double value,
                            bool& unknownLog);
    void AddAutoTick(TiPlotTickType tickType, double value);
    void CalcValueIncrement(int& n, int& k);
    void CalcPrice32ndsIncrement(int n, int& k);
    void CalcDateTimeIncrement(int n, int& k);
    void GenerateLog10Ticks(int n);
    void GenerateTickList(TCanvas* canvas);
    void DrawScale(TCanvas* canvas);
    void DrawScaleLine(TCanvas* canvas);
    void DrawTickLine(TCanvas* canvas, int pixel, int b, int c);
    void DrawMajorTick(TCanvas* canvas, int pixel);
    void DrawMinorTick(TCanvas* canvas, int pixel);
    void DrawLabel(TCanvas* canvas, const TiPlotTickObject& tick);
    void DrawTitle(TCanvas* canvas);
    int TextWidth(TCanvas* canvas, const std::string& text);
    int TextHeight(TCanvas* canvas, const std::string& text);

    // The range at the press and where the mouse was since, while dragged.
    bool axisMouseDown_ = false;
    int FMouseDownX = 0;
    int FMouseDownY = 0;
    double FMouseDownMin = 0;
    double FMouseDownSpan = 0;
    int FActualStart = 0;
    int FActualStop = 0;
    double FPixelsPerSpanUnit = 0;
    TiPlotAxis* FCartesianRefAxis = nullptr;
    TiPlotAxis* FAlignRefAxis = nullptr;
    bool FBlockMinSpanEvents = false;
    std::vector<TiPlotTickObject> FTickList;
    TiQuadSide FQuadSide = iqsBottom;
    bool FFirstAlignDone = false;
    TRect FScaleRect{};
    TRect FFocusRect{};
    int FRequiredWidth = 0;
    int FTitleOffset = 0;
    double FPreviousMin = 0;
    double FPreviousSpan = 100;
    double FPreviousLabelsMinLength = 0;
    bool FAllowLabelMinAdjust = false;
    double FSpan = 100;
    double FMin = 0;
    bool FReverseScale = false;
    int FInnerMargin = 5;
    int FOuterMargin = 5;
    double FStackingEndsMargin = 0.5;
    int FMinorLength = 3;
    int FMajorLength = 7;
    int FMinorCount = 1;
    bool FLabelsVisible = true;
    double FLabelsMargin = 0.25;
    int FLabelsPrecision = 3;
    TiPrecisionStyle FLabelsPrecisionStyle = ipsSignificantDigits;
    std::unique_ptr<TFont> FLabelsFont;
    double FLabelsMinLength = 5;
    bool FLabelsMinLengthAutoAdjust = false;
    double FLabelSeparation = 2;
    double FTitleMargin = 0.25;
    std::unique_ptr<TFont> FTitleFont;
    bool FTitleShow = false;
    std::string FTitle;
    bool FTitleRotated = false;
    bool FScaleLineShow = true;
    TColor FScaleLinesColor = clWhite;
    bool FTrackingEnabled = true;
    TiPlotTrackingStyle FTrackingStyle = iptsScaleMinMax;
    TiPlotTrackingIncrementStyle FTrackingIncrementStyle = iptisMinimum;
    double FTrackingScrollCompressMax = 0;
    double FTrackingSpanMinimum = 0;
    double FTrackingMaxMargin = 0;
    double FTrackingMinMargin = 0;
    TiPlotAlignFirstStyle FTrackingAlignFirstStyle = ipafsNone;
    TiPlotScaleType FScaleType = ipstLinear;
    std::string FDateTimeFormat = "hh:nn:ss";
    TiPlotTextFormat FLabelsFormatStyle = iptfValue;
    TiPlotAxisMode FMode = ipamScroll;
    double FDesiredIncrement = 0;
    double FCursorScaler = 1;
    bool FRestoreValuesOnResume = true;
    double FScrollMin = 0;
    double FScrollMax = 100;
    bool FScrollMinMaxEnabled = false;
    bool FMasterUIInput = false;
    double FDesiredStart = 0;
    bool FMonthModeEnabled = false;
    bool FYearModeEnabled = false;
    double FMajorIncrement = 0;
    double FMinorIncrement = 0;
    TiPlotCartesianStyle FCartesianStyle = ipcsNone;
    double FCartesianChildRefValue = 0;
    std::string FCartesianChildRefAxisName = "<None>";
    bool FGridLinesVisible = true;
    bool FScaleLinesShow = true;
    bool FCursorUseDefaultFormat = true;
    std::string FCursorDateTimeFormat = "hh:nn:ss";
    TiPlotTextFormat FCursorFormatStyle = iptfValue;
    TiPrecisionStyle FCursorPrecisionStyle = ipsSignificantDigits;
    int FCursorPrecision = 3;
    bool FCursorMinLengthAutoAdjust = false;
    double FCursorMinLength = 5;
    bool FLegendUseDefaultFormat = true;
    TiPlotTextFormat FLegendFormatStyle = iptfValue;
    std::string FLegendDateTimeFormat = "hh:nn:ss";
    TiPrecisionStyle FLegendPrecisionStyle = ipsSignificantDigits;
    int FLegendPrecision = 3;
    double FLegendMinLength = 5;
    bool FLegendMinLengthAutoAdjust = false;
    bool FTickListCustom = false;
    std::string FAlignRefAxisName = "<None>";
    TiRotationAngle FLabelsRotation = ira000;
    std::string FCustomizeLabelEventText;
    bool FCustomizeLabelEventModified = false;
};

class TiPlotXAxis : public TiPlotAxis {
public:
    TiPlotXAxis(TObject* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                TNotifyEvent onRename);
    TiPlotObjectKind Kind() const override { return TiPlotObjectKind::XAxis; }
    bool IsXAxis() const override { return true; }
};

class TiPlotYAxis : public TiPlotAxis {
public:
    TiPlotYAxis(TObject* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                TNotifyEvent onRename);
    TiPlotObjectKind Kind() const override { return TiPlotObjectKind::YAxis; }
    bool IsXAxis() const override { return false; }
};

}  // namespace dsp
