#pragma once
// TiPlot: the strip-chart plot, and TiPlotChannel, its channel for data that arrive in X order
// (typically against time). The channel checks the order of new X values, stamps points with
// the time, keeps high/low/open/close values, finds points by X with a halving search,
// interpolates Y at any X for the data cursor, and draws (iPlotChannelDraw.cpp) a fill, bars,
// a trace in one of its styles (fast min-max columns, straight lines, steps, cubic spline,
// polynomial or rational interpolation, a two-level digital signal), markers and high/low
// bars.
//
// The fast trace draws at most two segments per pixel column, however many points share it.
// Interpolated traces take only the valid points of the draw range, at most
// kMaxInterpolationPoints of them (a polynomial through thousands of points is noise and costs
// a paint seconds); a run with two equal X values ends without drawing on.

#include <memory>
#include <vector>

#include "framework/graphics/Brush.h"
#include "framework/text/Variant.h"
#include "plot/engine/iPlotChannelCustom.h"
#include "plot/engine/iPlotChannelOPC.h"
#include "plot/engine/iPlotComponent.h"

namespace dsp {

enum TiPlotInterpolationStyle {
    ipistStraightLine,
    ipistCubicSpline,
    ipistPolynomial,
    ipistRational,
    ipistDifferential,
    ipistDifferentialTerminated,
};
DSP_ENUM_NAMES(TiPlotInterpolationStyle, "ipistStraightLine", "ipistCubicSpline", "ipistPolynomial",
               "ipistRational", "ipistDifferential", "ipistDifferentialTerminated")
enum TiPlotHighLowStyle { iphlsOpenClose, iphlsCandleStick };
DSP_ENUM_NAMES(TiPlotHighLowStyle, "iphlsOpenClose", "iphlsCandleStick")
enum TiPlotDigitalReferenceStyle { ipdrScale, ipdrPercent };
DSP_ENUM_NAMES(TiPlotDigitalReferenceStyle, "ipdrScale", "ipdrPercent")
// Where the X of a value from the channel's OPC item comes from.
enum TiOPCXValueSourceStyle {
    iopcxvsOPCServerTimeStamp,
    iopcxvsSystemTimeStamp,
    iopcxvsElapsedTime,
    iopcxvsElapsedSeconds,
    iopcxvsOPCItem,
};
DSP_ENUM_NAMES(TiOPCXValueSourceStyle, "iopcxvsOPCServerTimeStamp", "iopcxvsSystemTimeStamp",
               "iopcxvsElapsedTime", "iopcxvsElapsedSeconds", "iopcxvsOPCItem")

// One X pixel of the interpolated traces' cache.
struct TiPlotPixelPoint {
    bool Null = true;
    int XPixel = 0;
    double YValue = 0;
};

class TiPlotChannel : public TiPlotChannelCustom {
    DSP_PUBLISHED(TiPlotChannel, TiPlotChannelCustom) {
        using C = TiPlotChannel;
        using P = Published<TiPlotChannel>;
        return {
            P::Property("FastDrawEnabled", &C::FFastDrawEnabled, &C::SetFastDrawEnabled)
                .Default(true),
            P::Property("AllowOutOfOrderXValues", &C::FAllowOutOfOrderXValues,
                        &C::FAllowOutOfOrderXValues)
                .Default(true),
            P::Property("DrawOutOfOrderXValues", &C::FDrawOutOfOrderXValues,
                        &C::SetDrawOutOfOrderXValues)
                .Default(false),
            P::Property("ResetStartTimeOnFirstDataPoint", &C::FResetStartTimeOnFirstDataPoint,
                        &C::FResetStartTimeOnFirstDataPoint)
                .Default(false),
            P::Property("InterpolationStyle", &C::FInterpolationStyle, &C::SetInterpolationStyle)
                .Default(ipistStraightLine),
            P::Property("FillEnabled", &C::FFillEnabled, &C::SetFillEnabled).Default(false),
            P::Property("FillReference", &C::FFillReference, &C::SetFillReference),
            P::Property("FillStyle", &C::FFillStyle, &C::SetFillStyle).Default(bsSolid),
            P::Property("FillColor", &C::FFillColor, &C::SetFillColor).Default(0),
            P::Property("FillUseChannelColor", &C::FFillUseChannelColor, &C::SetFillUseChannelColor)
                .Default(true),
            P::Property("DigitalEnabled", &C::FDigitalEnabled, &C::SetDigitalEnabled)
                .Default(false),
            P::Property("DigitalReferenceStyle", &C::FDigitalReferenceStyle,
                        &C::SetDigitalReferenceStyle)
                .Default(ipdrScale),
            P::Property("DigitalReferenceLow", &C::FDigitalReferenceLow,
                        &C::SetDigitalReferenceLow),
            P::Property("DigitalReferenceHigh", &C::FDigitalReferenceHigh,
                        &C::SetDigitalReferenceHigh),
            P::Property("HighLowStyle", &C::FHighLowStyle, &C::SetHighLowStyle)
                .Default(iphlsOpenClose),
            P::Property("HighLowEnabled", &C::FHighLowEnabled, &C::SetHighLowEnabled)
                .Default(false),
            P::Property("HighLowBarColor", &C::FHighLowBarColor, &C::SetHighLowBarColor)
                .Default(16711680),
            P::Property("HighLowBarWidth", &C::FHighLowBarWidth, &C::SetHighLowBarWidth),
            P::Property("HighLowOpenShow", &C::FHighLowOpenShow, &C::SetHighLowOpenShow)
                .Default(true),
            P::Property("HighLowOpenColor", &C::FHighLowOpenColor, &C::SetHighLowOpenColor)
                .Default(32768),
            P::Property("HighLowOpenWidth", &C::FHighLowOpenWidth, &C::SetHighLowOpenWidth),
            P::Property("HighLowOpenHeight", &C::FHighLowOpenHeight, &C::SetHighLowOpenHeight),
            P::Property("HighLowCloseShow", &C::FHighLowCloseShow, &C::SetHighLowCloseShow)
                .Default(true),
            P::Property("HighLowCloseColor", &C::FHighLowCloseColor, &C::SetHighLowCloseColor)
                .Default(255),
            P::Property("HighLowCloseWidth", &C::FHighLowCloseWidth, &C::SetHighLowCloseWidth),
            P::Property("HighLowCloseHeight", &C::FHighLowCloseHeight, &C::SetHighLowCloseHeight),
            P::Property("HighLowShadowColor", &C::FHighLowShadowColor, &C::SetHighLowShadowColor)
                .Default(8421504),
            P::Property("HighLowBullishColor", &C::FHighLowBullishColor, &C::SetHighLowBullishColor)
                .Default(16777215),
            P::Property("HighLowBearishColor", &C::FHighLowBearishColor, &C::SetHighLowBearishColor)
                .Default(8421504),
            P::Property("BarEnabled", &C::FBarEnabled, &C::SetBarEnabled).Default(false),
            P::Property("BarPenUseChannelColor", &C::FBarPenUseChannelColor,
                        &C::SetBarPenUseChannelColor)
                .Default(true),
            P::Property("BarBrushUseChannelColor", &C::FBarBrushUseChannelColor,
                        &C::SetBarBrushUseChannelColor)
                .Default(true),
            P::Property("OPCGroupName", &C::OPCGroupName, &C::SetOPCGroupName),
            P::Property("OPCComputerName", &C::OPCComputerName, &C::SetOPCComputerName),
            P::Property("OPCServerName", &C::OPCServerName, &C::SetOPCServerName),
            P::Property("OPCItemName", &C::OPCItemName, &C::SetOPCItemName),
            P::Property("OPCUpdateRate", &C::OPCUpdateRate, &C::SetOPCUpdateRate).Default(500),
            P::Property("OPCScalar", &C::OPCScalar, &C::SetOPCScalar),
            P::Property("OPCOffset", &C::OPCOffset, &C::SetOPCOffset),
            P::Property("OPCAutoConnect", &C::OPCAutoConnect, &C::SetOPCAutoConnect).Default(false),
            P::Property("OPCItem2Name", &C::OPCItem2Name, &C::SetOPCItem2Name),
            P::Property("OPCScalar2", &C::OPCScalar2, &C::SetOPCScalar2),
            P::Property("OPCOffset2", &C::OPCOffset2, &C::SetOPCOffset2),
            P::Property("OPCXValueSource", &C::FOPCXValueSource, &C::FOPCXValueSource)
                .Default(iopcxvsOPCServerTimeStamp),
        };
    }

public:
    // The most points an interpolated trace is drawn through.
    static constexpr int kMaxInterpolationPoints = 64;

    TiPlotChannel(TObject* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                  TNotifyEvent onRemove, TNotifyEvent onRename);

    bool IsStripChart() const override { return true; }
    bool HasBars() const override { return FBarEnabled; }
    TRect BarRect(int index) const override;

    // ---- adding. With AllowOutOfOrderXValues off, an X against the direction of the first
    // two points raises "New Data-Point X-Value is out of order" (upward data) or "... order."
    // (downward data); nothing is added.
    int AddXY(double x, double y) override;
    int AddNullPoint(double x) override { return AddXNull(x); }
    int AddEmptyPoint(double x) override { return AddXEmpty(x); }
    int AddXNull(double x);
    int AddXEmpty(double x);
    // Bypasses the statistics and the log; the axes track all four values.
    int AddHighLow(double x, double high, double low, double open, double close);
    int AddYElapsedTime(double y);
    int AddYElapsedSeconds(double y);
    int AddYNow(double y);
    // The values at the last X (0 for an empty channel) and on by xInterval each;
    // "Y-Data array must be 1 dimensional".
    void AddYArray(double xInterval, const TVariant& yData);
    void ResetElapsedStartTime();
    double ElapsedStartTime() const { return FElapsedStartTime; }
    void SetElapsedStartTime(double value) { FElapsedStartTime = value; }

    double GetDataHigh(int index) const { return FDataList->GetHigh(index); }
    double GetDataLow(int index) const { return FDataList->GetLow(index); }
    double GetDataOpen(int index) const { return FDataList->GetOpen(index); }
    double GetDataClose(int index) const { return FDataList->GetClose(index); }

    // ---- finding
    int CalcIndex(double targetValue) const override;
    bool GetYInterpolated(double xValue, double& yValue) const;
    TiPlotDataPointStatus GetCursorValue(double xValue, double& yValue) const;
    bool XIncreasing() const { return FXIncreasing; }

    void CalcStartIndex() override;
    void CalcStopIndex() override;
    double GetFitXMax() override;
    double GetFitXMin() override;
    double GetFitYMax() override;
    double GetFitYMin() override;
    void UpdateDataCursorValues(TiPlotDataCursor* cursor) override;

    // ---- drawing (iPlotChannelDraw.cpp)
    void PrepareDraw(TCanvas* canvas) override;
    // Whatever fails while drawing ends the drawing there; nothing escapes.
    void Draw(TCanvas* canvas, TColor backGroundColor) override;
    void DrawTrace(TCanvas* canvas, bool reversed, TColor backGroundColor) override;
    void DrawMarkers(TCanvas* canvas, bool reversed, TColor backGroundColor) override;
    // "Pixel List XPixel out of Range" outside the cache.
    void PixelCacheSet(int xPixel, double y);
    const std::vector<TiPlotPixelPoint>& PixelList() const { return FPixelList; }

    // ---- properties
    bool FastDrawEnabled() const { return FFastDrawEnabled; }
    void SetFastDrawEnabled(bool value) { Store(value, FFastDrawEnabled); }
    bool AllowOutOfOrderXValues() const { return FAllowOutOfOrderXValues; }
    void SetAllowOutOfOrderXValues(bool value) { FAllowOutOfOrderXValues = value; }
    bool DrawOutOfOrderXValues() const { return FDrawOutOfOrderXValues; }
    void SetDrawOutOfOrderXValues(bool value) { Store(value, FDrawOutOfOrderXValues); }
    bool ResetStartTimeOnFirstDataPoint() const { return FResetStartTimeOnFirstDataPoint; }
    void SetResetStartTimeOnFirstDataPoint(bool value) { FResetStartTimeOnFirstDataPoint = value; }
    TiPlotInterpolationStyle InterpolationStyle() const { return FInterpolationStyle; }
    void SetInterpolationStyle(TiPlotInterpolationStyle value) {
        Store(value, FInterpolationStyle);
    }
    bool FillEnabled() const { return FFillEnabled; }
    void SetFillEnabled(bool value) { Store(value, FFillEnabled); }
    double FillReference() const { return FFillReference; }
    void SetFillReference(double value) { Store(value, FFillReference); }
    TBrushStyle FillStyle() const { return FFillStyle; }
    void SetFillStyle(TBrushStyle value) { Store(value, FFillStyle); }
    TColor FillColor() const { return FFillColor; }
    void SetFillColor(TColor value) { Store(value, FFillColor); }
    bool FillUseChannelColor() const { return FFillUseChannelColor; }
    void SetFillUseChannelColor(bool value) { Store(value, FFillUseChannelColor); }
    bool DigitalEnabled() const { return FDigitalEnabled; }
    void SetDigitalEnabled(bool value) { Store(value, FDigitalEnabled); }
    TiPlotDigitalReferenceStyle DigitalReferenceStyle() const { return FDigitalReferenceStyle; }
    void SetDigitalReferenceStyle(TiPlotDigitalReferenceStyle value) {
        Store(value, FDigitalReferenceStyle);
    }
    double DigitalReferenceLow() const { return FDigitalReferenceLow; }
    void SetDigitalReferenceLow(double value) { Store(value, FDigitalReferenceLow); }
    double DigitalReferenceHigh() const { return FDigitalReferenceHigh; }
    void SetDigitalReferenceHigh(double value) { Store(value, FDigitalReferenceHigh); }
    TiPlotHighLowStyle HighLowStyle() const { return FHighLowStyle; }
    void SetHighLowStyle(TiPlotHighLowStyle value) { Store(value, FHighLowStyle); }
    bool HighLowEnabled() const { return FHighLowEnabled; }
    void SetHighLowEnabled(bool value) { Store(value, FHighLowEnabled); }
    TColor HighLowBarColor() const { return FHighLowBarColor; }
    void SetHighLowBarColor(TColor value) { Store(value, FHighLowBarColor); }
    double HighLowBarWidth() const { return FHighLowBarWidth; }
    void SetHighLowBarWidth(double value) { Store(value, FHighLowBarWidth); }
    bool HighLowOpenShow() const { return FHighLowOpenShow; }
    void SetHighLowOpenShow(bool value) { Store(value, FHighLowOpenShow); }
    TColor HighLowOpenColor() const { return FHighLowOpenColor; }
    void SetHighLowOpenColor(TColor value) { Store(value, FHighLowOpenColor); }
    double HighLowOpenWidth() const { return FHighLowOpenWidth; }
    void SetHighLowOpenWidth(double value) { Store(value, FHighLowOpenWidth); }
    double HighLowOpenHeight() const { return FHighLowOpenHeight; }
    void SetHighLowOpenHeight(double value) { Store(value, FHighLowOpenHeight); }
    bool HighLowCloseShow() const { return FHighLowCloseShow; }
    void SetHighLowCloseShow(bool value) { Store(value, FHighLowCloseShow); }
    TColor HighLowCloseColor() const { return FHighLowCloseColor; }
    void SetHighLowCloseColor(TColor value) { Store(value, FHighLowCloseColor); }
    double HighLowCloseWidth() const { return FHighLowCloseWidth; }
    void SetHighLowCloseWidth(double value) { Store(value, FHighLowCloseWidth); }
    double HighLowCloseHeight() const { return FHighLowCloseHeight; }
    void SetHighLowCloseHeight(double value) { Store(value, FHighLowCloseHeight); }
    TColor HighLowShadowColor() const { return FHighLowShadowColor; }
    void SetHighLowShadowColor(TColor value) { Store(value, FHighLowShadowColor); }
    TColor HighLowBullishColor() const { return FHighLowBullishColor; }
    void SetHighLowBullishColor(TColor value) { Store(value, FHighLowBullishColor); }
    TColor HighLowBearishColor() const { return FHighLowBearishColor; }
    void SetHighLowBearishColor(TColor value) { Store(value, FHighLowBearishColor); }
    bool BarEnabled() const { return FBarEnabled; }
    void SetBarEnabled(bool value) { Store(value, FBarEnabled); }
    bool BarPenUseChannelColor() const { return FBarPenUseChannelColor; }
    void SetBarPenUseChannelColor(bool value) { Store(value, FBarPenUseChannelColor); }
    bool BarBrushUseChannelColor() const { return FBarBrushUseChannelColor; }
    void SetBarBrushUseChannelColor(bool value) { Store(value, FBarBrushUseChannelColor); }

    // ---- OPC: item 0 gives the values, each added at an X of OPCXValueSource; with
    // iopcxvsOPCItem, item 1 gives Y and every update of the channel's group adds the point
    // (item 0, item 1). Without the OPC support library the items stay inactive.
    // Nothing while the plot is designed. Else both items deactivated; with iopcxvsOPCItem the
    // groups cleared, the channel's own group added when none has item 0's group name and item
    // 0 names a server, both items in item 0's group and activated; otherwise item 0 alone.
    void OPCActivate();
    void OPCActivateSuspend();
    void OPCDeactivate() { FOPC.Item(0)->Deactivate(); }
    void OPCUpdateSuspend() { FOPC.Item(0)->UpdateSuspend(); }
    void OPCUpdateResume() { FOPC.Item(0)->UpdateResume(); }
    bool OPCActive() const { return FOPC.Item(0)->Active(); }
    bool OPCQualityGood() const { return FOPC.Item(0)->QualityGood(); }
    TiOPCItemManager* OPCItemManager() const { return FOPC.ItemManager(); }
    TiOPCManager* OPCManager() const { return FOPC.Manager(); }
    void DoInsert() override;
    const std::string& OPCGroupName() const { return FOPC.Item(0)->GroupName(); }
    void SetOPCGroupName(const std::string& value) { FOPC.Item(0)->SetGroupName(value); }
    const std::string& OPCComputerName() const { return FOPC.Item(0)->ComputerName(); }
    void SetOPCComputerName(const std::string& value) { FOPC.Item(0)->SetComputerName(value); }
    const std::string& OPCServerName() const { return FOPC.Item(0)->ServerName(); }
    void SetOPCServerName(const std::string& value) { FOPC.Item(0)->SetServerName(value); }
    const std::string& OPCItemName() const { return FOPC.Item(0)->ItemName(); }
    void SetOPCItemName(const std::string& value) { FOPC.Item(0)->SetItemName(value); }
    int OPCUpdateRate() const { return FOPC.Item(0)->UpdateRate(); }
    void SetOPCUpdateRate(int value) { FOPC.Item(0)->SetUpdateRate(value); }
    double OPCScalar() const { return FOPC.Item(0)->Scalar(); }
    void SetOPCScalar(double value) { FOPC.Item(0)->SetScalar(value); }
    double OPCOffset() const { return FOPC.Item(0)->Offset(); }
    void SetOPCOffset(double value) { FOPC.Item(0)->SetOffset(value); }
    bool OPCAutoConnect() const { return FOPC.Item(0)->AutoConnect(); }
    void SetOPCAutoConnect(bool value) { FOPC.Item(0)->SetAutoConnect(value); }
    const std::string& OPCItem2Name() const { return FOPC.Item(1)->ItemName(); }
    void SetOPCItem2Name(const std::string& value) { FOPC.Item(1)->SetItemName(value); }
    double OPCScalar2() const { return FOPC.Item(1)->Scalar(); }
    void SetOPCScalar2(double value) { FOPC.Item(1)->SetScalar(value); }
    double OPCOffset2() const { return FOPC.Item(1)->Offset(); }
    void SetOPCOffset2(double value) { FOPC.Item(1)->SetOffset(value); }
    TiOPCXValueSourceStyle OPCXValueSource() const { return FOPCXValueSource; }
    void SetOPCXValueSource(TiOPCXValueSourceStyle value) { FOPCXValueSource = value; }

private:
    template <typename T>
    void Store(T value, T& field) {
        if (value == field) return;
        field = value;
        DoChange();
    }
    void StartTimeRule();
    void CheckXOrder(double x) const;
    // The halving search over X; the index last looked at, -1 without points.
    int Search(double target, bool upward) const;
    void UpdateXIncreasing() { FXIncreasing = Count() < 3 || GetDataX(1) >= GetDataX(0); }
    TColor FillBrushColor() const { return FFillUseChannelColor ? Color() : FFillColor; }

    // Drawing steps.
    void DrawFill(TCanvas* canvas, bool reversed, TColor backGroundColor);
    void DrawBars(TCanvas* canvas, bool reversed, TColor backGroundColor);
    void DrawFastTrace(TCanvas* canvas, bool reversed);
    void DrawStepTrace(TCanvas* canvas, bool reversed);
    void DrawInterpolatedTrace(TCanvas* canvas, bool reversed);
    void DrawInterpolatedRun(TCanvas* canvas, bool reversed, const std::vector<double>& xs,
                             const std::vector<double>& ys);
    void DrawDigitalTrace(TCanvas* canvas, bool reversed);
    void DrawOpenClose(TCanvas* canvas, bool reversed, TColor backGroundColor);
    void DrawCandleSticks(TCanvas* canvas, bool reversed, TColor backGroundColor);

    std::vector<TiPlotPixelPoint> FPixelList;
    int FPixelListStart = 0;
    int FPixelListStop = 0;
    int FPixelsHigh = 0;
    int FPixelsLow = 0;
    bool FXIncreasing = true;
    bool FFastDrawEnabled = true;
    bool FAllowOutOfOrderXValues = true;
    bool FDrawOutOfOrderXValues = false;
    bool FResetStartTimeOnFirstDataPoint = false;
    TiPlotInterpolationStyle FInterpolationStyle = ipistStraightLine;
    double FElapsedStartTime = 0;
    bool FFillEnabled = false;
    double FFillReference = 0;
    bool FFillUseChannelColor = true;
    TBrushStyle FFillStyle = bsSolid;
    TColor FFillColor = 0;
    TiPlotHighLowStyle FHighLowStyle = iphlsOpenClose;
    bool FHighLowEnabled = false;
    TColor FHighLowBarColor = 16776960;
    double FHighLowBarWidth = 0.5;
    bool FHighLowOpenShow = true;
    TColor FHighLowOpenColor = 65280;
    double FHighLowOpenWidth = 1.0;
    double FHighLowOpenHeight = 1.0;
    bool FHighLowCloseShow = true;
    TColor FHighLowCloseColor = 255;
    double FHighLowCloseWidth = 1.0;
    double FHighLowCloseHeight = 1.0;
    TColor FHighLowShadowColor = 8421504;
    TColor FHighLowBullishColor = 16777215;
    TColor FHighLowBearishColor = 8421504;
    bool FDigitalEnabled = false;
    double FDigitalReferenceLow = 10.0;
    double FDigitalReferenceHigh = 90.0;
    TiPlotDigitalReferenceStyle FDigitalReferenceStyle = ipdrScale;
    bool FBarEnabled = false;
    bool FBarPenUseChannelColor = true;
    bool FBarBrushUseChannelColor = true;
    TiOPCXValueSourceStyle FOPCXValueSource = iopcxvsOPCServerTimeStamp;
    TiPlotChannelOPC FOPC;
};

class TiPlot : public TiPlotComponent {
public:
    explicit TiPlot(TComponent* owner);
    bool IsStripChart() const override { return true; }
    // The list's index error outside the channels, EInvalidCast for another class.
    TiPlotChannel* GetChannel(int index) const;
};

}  // namespace dsp
