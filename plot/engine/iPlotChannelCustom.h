#pragma once
// TiPlotChannelCustom: the base of every plot channel. It owns the channel's point list, binds
// the channel to one X and one Y axis by name, appends and removes points, keeps running
// minimum, maximum and mean values, hands new values to its axes' tracking, writes a log file
// while logging is on, saves and loads its points and its properties as text files, and asks
// the plot for a repaint on every change (the plot paints later, once per frame).
//
// Drawing (iPlotChannelCustomDraw.cpp): the straight-line trace clipped to the axes in value
// space, the twelve marker shapes, the filled quadrilateral of fill areas; and the mouse: hit
// tests of points and of the legend row, data-point hints, clicking and dragging points.
//
// The trace of a solid pen one pixel wide is drawn in runs: segments that continue where the
// previous one ended go out as one polyline, segments that meet in no pixel are dropped. The
// pixels are those of drawing every segment on its own; dashed and wider pens draw segment by
// segment. Points with a coordinate that is not a finite number are never drawn.

#include <cmath>
#include <memory>
#include <string>

#include "framework/graphics/Font.h"
#include "framework/graphics/Pen.h"
#include "framework/text/Variant.h"
#include "plot/engine/iPlotDataList.h"
#include "plot/engine/iPlotObjects.h"
#include "plot/engine/iPlotUtils.h"

namespace dsp {

class TiPlotAxis;
class TiPlotXAxis;
class TiPlotYAxis;
class TiPlotDataCursor;
class TFileStream;

enum TiPlotChannelDataPointMoveStyle { ipcdpmsXandY, ipcdpmsXOnly, ipcdpmsYOnly };
DSP_ENUM_NAMES(TiPlotChannelDataPointMoveStyle, "ipcdpmsXandY", "ipcdpmsXOnly", "ipcdpmsYOnly")

enum TiPlotDataPointStatus { ipdpsValid, ipdpsNull, ipdpsEmpty };
DSP_ENUM_NAMES(TiPlotDataPointStatus, "ipdpsValid", "ipdpsNull", "ipdpsEmpty")

enum TiPlotDataCursorStyle {
    ipcsValueXY,
    ipcsValueX,
    ipcsValueY,
    ipcsDeltaX,
    ipcsDeltaY,
    ipcsInverseDeltaX,
};
DSP_ENUM_NAMES(TiPlotDataCursorStyle, "ipcsValueXY", "ipcsValueX", "ipcsValueY", "ipcsDeltaX",
               "ipcsDeltaY", "ipcsInverseDeltaX")

// A running sum kept to about twice the precision of a double (compensated summation): as
// exact as an 80-bit sum for the statistics, at the speed of plain doubles. Infinities stay.
class TiRunningTotal {
public:
    TiRunningTotal& operator+=(double value) {
        // The rounding error of each addition (Knuth's two-sum) goes into the correction.
        const double t = sum_ + value;
        const double back = t - sum_;
        correction_ += (sum_ - (t - back)) + (value - back);
        sum_ = t;
        return *this;
    }
    void Reset() {
        sum_ = 0;
        correction_ = 0;
    }
    // An infinite or undefined sum leaves the correction undefined: the sum stands alone.
    double Value() const { return std::isfinite(sum_) ? sum_ + correction_ : sum_; }

private:
    double sum_ = 0;
    double correction_ = 0;
};

class TiPlotChannelCustom : public TiPlotManagerObject {
    DSP_PUBLISHED(TiPlotChannelCustom, TiPlotManagerObject) {
        using C = TiPlotChannelCustom;
        using P = Published<TiPlotChannelCustom>;
        return {
            P::Property("TitleText", &C::TitleText, &C::SetTitleText),
            P::Property("VisibleInLegend", &C::FVisibleInLegend, &C::SetVisibleInLegend)
                .Default(true),
            P::Property("ClipToAxes", &C::FClipToAxes, &C::SetClipToAxes).Default(false),
            P::Property("ShowDataPointHints", &C::FShowDataPointHints, &C::FShowDataPointHints)
                .Default(false),
            P::Property("UserCanMoveDataPoints", &C::FUserCanMoveDataPoints,
                        &C::FUserCanMoveDataPoints)
                .Default(false),
            P::Property("UserCanMoveDataPointsStyle", &C::FUserCanMoveDataPointsStyle,
                        &C::FUserCanMoveDataPointsStyle)
                .Default(ipcdpmsXandY),
            P::Property("RingBufferSize", &C::RingBufferSize, &C::SetRingBufferSize),
            P::Property("TraceVisible", &C::FTraceVisible, &C::SetTraceVisible).Default(true),
            P::Property("Color", &C::Color, &C::SetColor),
            P::Property("TraceLineStyle", &C::TraceLineStyle, &C::SetTraceLineStyle)
                .Default(iplsSolid),
            P::Property("TraceLineWidth", &C::TraceLineWidth, &C::SetTraceLineWidth),
            P::Property("MarkersAllowIndividual", &C::FMarkersAllowIndividual,
                        &C::SetMarkersAllowIndividual)
                .Default(false),
            P::Property("MarkersPenUseChannelColor", &C::FMarkersPenUseChannelColor,
                        &C::SetMarkersPenUseChannelColor)
                .Default(true),
            P::Property("MarkersBrushUseChannelColor", &C::FMarkersBrushUseChannelColor,
                        &C::SetMarkersBrushUseChannelColor)
                .Default(true),
            P::Property("MarkersTurnOffLimit", &C::FMarkersTurnOffLimit, &C::SetMarkersTurnOffLimit)
                .Default(0),
            P::Property("MarkersVisible", &C::MarkersVisible, &C::SetMarkersVisible).Default(false),
            P::Property("MarkersSize", &C::MarkersSize, &C::SetMarkersSize).Default(3),
            P::Property("MarkersStyle", &C::MarkersStyle, &C::SetMarkersStyle).Default(ipmsCircle),
            P::Property("MarkersPenColor", &C::MarkersPenColor, &C::SetMarkersPenColor),
            P::Property("MarkersPenStyle", &C::MarkersPenStyle, &C::SetMarkersPenStyle)
                .Default(psSolid),
            P::Property("MarkersPenWidth", &C::MarkersPenWidth, &C::SetMarkersPenWidth).Default(0),
            P::Property("MarkersBrushColor", &C::MarkersBrushColor, &C::SetMarkersBrushColor),
            P::Property("MarkersBrushStyle", &C::MarkersBrushStyle, &C::SetMarkersBrushStyle)
                .Default(bsSolid),
            P::Property("MarkersFont", &C::MarkersFont, &C::SetMarkersFont),
            P::Property("XAxisName", &C::XAxisName, &C::SetXAxisName),
            P::Property("YAxisName", &C::YAxisName, &C::SetYAxisName),
            P::Property("XAxisTrackingEnabled", &C::FXAxisTrackingEnabled,
                        &C::SetXAxisTrackingEnabled)
                .Default(true),
            P::Property("YAxisTrackingEnabled", &C::FYAxisTrackingEnabled,
                        &C::SetYAxisTrackingEnabled)
                .Default(true),
            P::Property("LogFileName", &C::LogFileName, &C::SetLogFileName),
            P::Property("LogBufferSize", &C::FLogBufferSize, &C::FLogBufferSize).Default(0),
            P::Property("LoggingActive", &C::LoggingActive),
            P::Property("DataStyle", &C::DataStyle, &C::SetDataStyle).Default(ipdsStandard),
        };
    }

public:
    TiPlotChannelCustom(TObject* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                        TNotifyEvent onRemove, TNotifyEvent onRename);
    ~TiPlotChannelCustom() override;

    TiPlotObjectKind Kind() const override { return TiPlotObjectKind::Channel; }
    // Strip-chart channels report the wheel to the plot; XY channels do not.
    virtual bool IsStripChart() const { return false; }
    // Strip-chart channels with bars hit-test their bars instead of their markers.
    virtual bool HasBars() const { return false; }
    virtual TRect BarRect(int) const { return {}; }
    // The index of the point at or before X in a channel kept in X order (strip charts), or -1.
    virtual int CalcIndex(double) const { return -1; }

    // ---- points
    // Appends a valid point; returns its index.
    virtual int AddXY(double x, double y);
    // A Null or Empty point for a plot-wide row at X: XY channels put it at (0, 0), strip-chart
    // channels at X.
    virtual int AddNullPoint(double x);
    virtual int AddEmptyPoint(double x);
    // Both one-dimensional with the same bounds: "X-Data array must be 1 dimensional", "Y-Data
    // array must be 1 dimensional", "X-Data and Y-Data low bound dimension must match", "X-Data
    // and Y-Data hogh bound dimension must match"; nothing is added on an error.
    void AddXYArrays(const TVariant& xData, const TVariant& yData);
    // Two dimensions, the first of two elements (X, Y): "Array Must Be 2 Dimensional", "Array
    // First Dimension Must Be 2 Elements".
    void AddXYArray(const TVariant& data);
    // Deleting every point clears the channel; otherwise the list's bounds hold. The running
    // statistics keep describing every point added since the last clear.
    void DeletePoints(int size);
    virtual void Clear();
    void GetXYEmptyNull(int index, double& x, double& y, bool& empty, bool& null) const {
        FDataList->GetXYEmptyNull(index, x, y, empty, null);
    }
    int GetCount() const { return FDataList->Count(); }
    int Count() const { return FDataList->Count(); }
    // Sets the list's capacity (cutting the points beyond it).
    void SetCount(int value);
    TiPlotDataCustomList* DataList() const { return FDataList.get(); }

    double XFirst() const { return Count() == 0 ? -1 : GetDataX(0); }
    double XLast() const { return Count() == 0 ? -1 : GetDataX(Count() - 1); }
    double YFirst() const { return Count() == 0 ? -1 : GetDataY(0); }
    double YLast() const { return Count() == 0 ? -1 : GetDataY(Count() - 1); }
    int IndexFirst() const { return Count() == 0 ? -1 : 0; }
    int IndexLast() const { return Count() - 1; }
    int DrawStartIndex() const { return FStartIndex; }
    int DrawStopIndex() const { return FStopIndex; }
    int DataPointSize() const { return FDataList->DataPointSize(); }
    int MaxDataPoints() const { return FDataList->MaxDataPoints(); }
    int Capacity() const { return FDataList->Capacity(); }
    long long MemoryUsed() const { return FDataList->MemoryUsed(); }

    // Per-point values; the setters notify.
    double GetDataX(int index) const { return FDataList->GetX(index); }
    double GetDataY(int index) const { return FDataList->GetY(index); }
    bool GetDataNull(int index) const { return FDataList->GetNull(index); }
    bool GetDataEmpty(int index) const { return FDataList->GetEmpty(index); }
    bool GetDataValid(int index) const { return !GetDataNull(index) && !GetDataEmpty(index); }
    void SetDataX(int index, double value);
    void SetDataY(int index, double value);
    void SetDataNull(int index, bool value);
    void SetDataEmpty(int index, bool value);
    bool GetDataMarkerVisible(int index) const { return FDataList->GetMarkerVisible(index); }
    TiPlotMarkerStyle GetDataMarkerStyle(int index) const {
        return FDataList->GetMarkerStyle(index);
    }
    int GetDataMarkerSize(int index) const { return FDataList->GetMarkerSize(index); }
    TColor GetDataMarkerPenColor(int index) const { return FDataList->GetMarkerPenColor(index); }
    TPenStyle GetDataMarkerPenStyle(int index) const { return FDataList->GetMarkerPenStyle(index); }
    int GetDataMarkerPenWidth(int index) const { return FDataList->GetMarkerPenWidth(index); }
    TColor GetDataMarkerBrushColor(int index) const {
        return FDataList->GetMarkerBrushColor(index);
    }
    TBrushStyle GetDataMarkerBrushStyle(int index) const {
        return FDataList->GetMarkerBrushStyle(index);
    }
    char16_t GetDataMarkerCharacter(int index) const {
        return FDataList->GetMarkerCharacter(index);
    }
    TColor GetDataTraceLineColor(int index) const { return FDataList->GetTraceLineColor(index); }
    TiPlotLineStyle GetDataTraceLineStyle(int index) const {
        return FDataList->GetTraceLineStyle(index);
    }
    int GetDataTraceLineWidth(int index) const { return FDataList->GetTraceLineWidth(index); }

    // ---- statistics
    double RunningXMin() const { return FRunningXMin; }
    double RunningXMax() const { return FRunningXMax; }
    // The running means are worked out when read (from the running totals), not per point.
    double RunningXMean() const {
        return meansStale_ ? FRunningXTotal.Value() / FRunningCount : FRunningXMean;
    }
    double RunningYMin() const { return FRunningYMin; }
    double RunningYMax() const { return FRunningYMax; }
    double RunningYMean() const {
        return meansStale_ ? FRunningYTotal.Value() / FRunningCount : FRunningYMean;
    }
    // Scans the valid points; each stores its answer in its running value.
    double GetXMin();
    double GetXMax();
    double GetXMean();
    double GetYMin();
    double GetYMax();
    double GetYMean();
    void ReCalcRunningMinMaxMean();

    // ---- axes
    // The bound axes, found by name in the plot and kept until removed or renamed; null
    // without one.
    TiPlotXAxis* GetXAxis() const { return FXAxis != nullptr ? FXAxis : FindXAxis(); }
    TiPlotYAxis* GetYAxis() const { return FYAxis != nullptr ? FYAxis : FindYAxis(); }
    TiPlotXAxis* XAxis() const { return GetXAxis(); }
    TiPlotYAxis* YAxis() const { return GetYAxis(); }
    // The bound axis's cursor text of the value, or "No X-Axis" / "No Y-Axis".
    std::string GetXValueText(double value) const;
    std::string GetYValueText(double value) const;
    // The value of point index widened by the marker margin: "Data Point Null", "X-Axis not
    // assigned", "Y-Axis not assigned".
    double GetMarkerExtentXMax(int index) const;
    double GetMarkerExtentXMin(int index) const;
    double GetMarkerExtentYMax(int index) const;
    double GetMarkerExtentYMin(int index) const;

    // ---- what the subclasses fill
    virtual void CalcStartIndex();
    virtual void CalcStopIndex();
    virtual double GetFitXMax();
    virtual double GetFitXMin();
    virtual double GetFitYMax();
    virtual double GetFitYMin();
    virtual void UpdateDataCursorValues(TiPlotDataCursor* cursor);

    // ---- drawing
    virtual void DrawTrace(TCanvas* canvas, bool reversed, TColor backGroundColor);
    virtual void DrawMarkers(TCanvas* canvas, bool reversed, TColor backGroundColor);
    // One marker centred on the pixel point; index -1 draws the legend sample.
    void DrawMarker(TCanvas* canvas, int index, TColor backGroundColor, TPoint point);
    // One line between two value points, clipped to the axes; with percent the Y values are
    // percentages of the first data view.
    void DrawClippedSegment(TCanvas* canvas, bool reversed, bool percent, double x1, double y1,
                            double x2, double y2);
    // The four value points as one polygon with the canvas's pen and brush.
    void FillQuad(TCanvas* canvas, bool reversed, const TiDoublePoint& p1, const TiDoublePoint& p2,
                  const TiDoublePoint& p3, const TiDoublePoint& p4);
    static double LineYAtX(double x, double x1, double y1, double x2, double y2);
    static double LineXAtY(double y, double x1, double y1, double x2, double y2);
    bool IsMarkerDrawable(int index) const;
    TPoint PointToPixels(int index) const;
    TRect MarkerRect(int index) const;
    TRect ValueRectToPixels(double x1, double y1, double x2, double y2) const;
    // Trace runs joined into polylines (the default), or every segment on its own; both give
    // the same pixels.
    bool TraceBatching() const { return traceBatching_; }
    void SetTraceBatching(bool value) { traceBatching_ = value; }

    // ---- mouse
    bool MouseHitTest(const TiPlotMouseData& mouseData) override;
    void DoMouseHint(const TiPlotMouseData& mouseData, TiHintData& hintData) override;
    void DoMouseLeft(const TiPlotMouseData& mouseData) override;
    void DoMouseMove(const TiPlotMouseData& mouseData) override;
    void DoMouseUp(const TiPlotMouseData& mouseData) override;
    TCursor CheckMouseOver(TPoint point) override;
    void ClearPopupMenuItems(TPopupMenu* popupMenu) override;
    int SelectDataIndex() const { return FSelectDataIndex; }

    // ---- notifications
    void NotificationRemove(TiPlotObject* sender) override;
    void NotificationRename(TiPlotObject* sender) override;
    void NotificationSetFocus(TiPlotObject* sender) override;

    // ---- logging and files
    void LogActivate(bool append);
    void LogDeactivate();
    bool LoggingActive() const { return FLoggingActive; }
    const std::string& LogFileName() const { return FLogFileName; }
    void SetLogFileName(const std::string& value);
    int LogBufferSize() const { return FLogBufferSize; }
    void SetLogBufferSize(int value) { FLogBufferSize = value; }
    // One line per point, oldest first: X, the plot's column separator, Y (or "Null"); empty
    // points are left out. The file is written whole or not at all.
    void SaveDataToFile(const std::string& fileName);
    // Lines of X and Y (or "Null"), tab- or comma-separated as the first line shows; a bad
    // number stops the load and keeps the points added before it.
    void LoadDataFromFile(const std::string& fileName, bool clearPreviousData);
    void SavePropertiesToFile(const std::string& fileName);
    void LoadPropertiesFromFile(const std::string& fileName);
    char LoadingSeparator() const { return FLoadingSeparator; }

    // ---- legend and cursor texts
    const TRect& LegendRect() const { return FLegendRect; }
    void SetLegendRect(const TRect& value) { FLegendRect = value; }
    bool GetPopupCenter(TPoint& center) const override;
    const std::string& DataCursorXText() const { return FDataCursorXText; }
    const std::string& DataCursorYText() const { return FDataCursorYText; }
    double DataCursorXValue() const { return FDataCursorXValue; }
    double DataCursorYValue() const { return FDataCursorYValue; }
    TiPlotDataPointStatus DataCursorStatus() const { return FDataCursorStatus; }

    // ---- properties
    const std::string& TitleText() const { return FTitleText; }
    void SetTitleText(const std::string& value);
    bool VisibleInLegend() const { return FVisibleInLegend; }
    void SetVisibleInLegend(bool value);
    bool ClipToAxes() const { return FClipToAxes; }
    void SetClipToAxes(bool value);
    bool ShowDataPointHints() const { return FShowDataPointHints; }
    void SetShowDataPointHints(bool value) { FShowDataPointHints = value; }
    bool UserCanMoveDataPoints() const { return FUserCanMoveDataPoints; }
    void SetUserCanMoveDataPoints(bool value) { FUserCanMoveDataPoints = value; }
    TiPlotChannelDataPointMoveStyle UserCanMoveDataPointsStyle() const {
        return FUserCanMoveDataPointsStyle;
    }
    void SetUserCanMoveDataPointsStyle(TiPlotChannelDataPointMoveStyle value) {
        FUserCanMoveDataPointsStyle = value;
    }
    int RingBufferSize() const { return FDataList->RingBufferSize(); }
    void SetRingBufferSize(int value);
    bool TraceVisible() const { return FTraceVisible; }
    void SetTraceVisible(bool value);
    // The list-backed styles notify on every write.
    TColor Color() const { return FDataList->StoredTraceLineColor(); }
    void SetColor(TColor value);
    TiPlotLineStyle TraceLineStyle() const { return FDataList->StoredTraceLineStyle(); }
    void SetTraceLineStyle(TiPlotLineStyle value);
    int TraceLineWidth() const { return FDataList->StoredTraceLineWidth(); }
    void SetTraceLineWidth(int value);
    bool MarkersAllowIndividual() const { return FMarkersAllowIndividual; }
    void SetMarkersAllowIndividual(bool value);
    bool MarkersPenUseChannelColor() const { return FMarkersPenUseChannelColor; }
    void SetMarkersPenUseChannelColor(bool value);
    bool MarkersBrushUseChannelColor() const { return FMarkersBrushUseChannelColor; }
    void SetMarkersBrushUseChannelColor(bool value);
    int MarkersTurnOffLimit() const { return FMarkersTurnOffLimit; }
    void SetMarkersTurnOffLimit(int value);
    bool MarkersVisible() const { return FDataList->StoredMarkerVisible(); }
    void SetMarkersVisible(bool value);
    int MarkersSize() const { return FDataList->StoredMarkerSize(); }
    void SetMarkersSize(int value);
    TiPlotMarkerStyle MarkersStyle() const { return FDataList->StoredMarkerStyle(); }
    void SetMarkersStyle(TiPlotMarkerStyle value);
    TColor MarkersPenColor() const { return FDataList->StoredMarkerPenColor(); }
    void SetMarkersPenColor(TColor value);
    TPenStyle MarkersPenStyle() const { return FDataList->StoredMarkerPenStyle(); }
    void SetMarkersPenStyle(TPenStyle value);
    int MarkersPenWidth() const { return FDataList->StoredMarkerPenWidth(); }
    void SetMarkersPenWidth(int value);
    TColor MarkersBrushColor() const { return FDataList->StoredMarkerBrushColor(); }
    void SetMarkersBrushColor(TColor value);
    TBrushStyle MarkersBrushStyle() const { return FDataList->StoredMarkerBrushStyle(); }
    void SetMarkersBrushStyle(TBrushStyle value);
    TFont* MarkersFont() const { return FMarkersFont.get(); }
    void SetMarkersFont(TFont* value) { FMarkersFont->Assign(value); }
    const std::string& XAxisName() const { return FXAxisName; }
    void SetXAxisName(const std::string& value);
    const std::string& YAxisName() const { return FYAxisName; }
    void SetYAxisName(const std::string& value);
    bool XAxisTrackingEnabled() const { return FXAxisTrackingEnabled; }
    void SetXAxisTrackingEnabled(bool value);
    bool YAxisTrackingEnabled() const { return FYAxisTrackingEnabled; }
    void SetYAxisTrackingEnabled(bool value);
    // A new style drops every point and keeps the stored defaults and the ring size.
    TiPlotDataStyle DataStyle() const { return FDataStyle; }
    void SetDataStyle(TiPlotDataStyle value);
    const TVariant& Tag() const { return FTag; }
    void SetTag(const TVariant& value) { FTag = value; }

protected:
    // Appends a point: the list, the running statistics, the axes' tracking, the log, and
    // the plot asked for a repaint.
    int AddPoint(double x, double y, bool null, bool empty);
    // The change notification of new or removed points. The plot answers a change with a
    // repaint request, so while its repaint is held pending the notification is left out: the
    // pending repaint shows the points (a point then costs no call through the managers).
    void PointsChanged();
    // A list-backed style written: the plot repaints whether it changed or not.
    template <typename T>
    void SetListStyle(void (TiPlotDataCustomList::*setter)(T), T value) {
        (FDataList.get()->*setter)(value);
        DoChange();
    }
    void ResetRunningStatistics();
    // The bound axes looked up by name (and kept when found).
    TiPlotXAxis* FindXAxis() const;
    TiPlotYAxis* FindYAxis() const;
    // Stores the running means of the totals so far.
    void SettleMeans();
    // The value span of the marker size on the axis (0 without markers).
    double MarkerMargin(const TiPlotAxis* axis) const;
    // The trace segment by segment, as the design draws it (the batched drawing's reference).
    void DrawTraceSegments(TCanvas* canvas, bool reversed, TColor backGroundColor);
    void DrawTraceBatched(TCanvas* canvas, bool reversed, TColor backGroundColor);
    // The clipped segment's end pixels, left end first; false when nothing is drawn.
    bool ClipSegment(bool reversed, bool percent, double x1, double y1, double x2, double y2,
                     TPoint& from, TPoint& to) const;
    void ApplyTracePen(TCanvas* canvas, TColor color, TiPlotLineStyle style, int width) const;
    void WriteLogBuffer();

    mutable TiPlotXAxis* FXAxis = nullptr;
    mutable TiPlotYAxis* FYAxis = nullptr;
    int FSelectDataIndex = -1;
    TRect FSelectHitTestRect{};
    bool FSelectMouseDown = false;
    int FSelectMouseDownIndex = 0;
    int FMouseDownDataIndex = -1;
    TRect FSelectDownRect{};
    double FMouseDownValueX = 0;
    double FMouseDownValueY = 0;
    int FMouseDownPixelX = 0;
    int FMouseDownPixelY = 0;
    int FStartIndex = -1;
    int FStopIndex = -1;
    std::unique_ptr<TiPlotDataCustomList> FDataList;
    std::string FTitleText;
    std::string FYAxisName;
    std::string FXAxisName;
    bool FXAxisTrackingEnabled = true;
    bool FYAxisTrackingEnabled = true;
    bool FLoggingActive = false;
    int FLogBufferCount = 0;
    bool FMarkersAllowIndividual = false;
    int FMarkersTurnOffLimit = 0;
    TRect FLegendRect{};
    bool FVisibleInLegend = true;
    bool FClipToAxes = false;
    bool FShowDataPointHints = false;
    bool FUserCanMoveDataPoints = false;
    TiPlotChannelDataPointMoveStyle FUserCanMoveDataPointsStyle = ipcdpmsXandY;
    bool FMarkersBrushUseChannelColor = true;
    bool FMarkersPenUseChannelColor = true;
    bool FTraceVisible = true;
    int FLogBufferSize = 0;
    std::string FLogFileName;
    TVariant FTag;
    int FRunningCount = 0;
    double FRunningXMin = 1e300;
    double FRunningXMax = -1e300;
    double FRunningXMean = 0;
    TiRunningTotal FRunningXTotal;
    double FRunningYMin = 1e300;
    double FRunningYMax = -1e300;
    double FRunningYMean = 0;
    TiRunningTotal FRunningYTotal;
    TiPlotDataStyle FDataStyle = ipdsStandard;
    std::unique_ptr<TFont> FMarkersFont;
    char FLoadingSeparator = '\t';
    std::string FDataCursorXText;
    std::string FDataCursorYText;
    double FDataCursorYValue = 0;
    double FDataCursorXValue = 0;
    TiPlotDataPointStatus FDataCursorStatus = ipdpsValid;

private:
    bool traceBatching_ = true;
    bool meansStale_ = false;
};

}  // namespace dsp
