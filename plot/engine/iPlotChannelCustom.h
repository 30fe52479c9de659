#pragma once
// TiPlotChannelCustom: the base of every plot channel. What the plot's frame needs of a channel
// lives here: its title, colour and axis names (which the channel manager sets on a new
// channel), its place in the legend, the values the legend and the cursors read, and the
// kind-specific answers the plot's dispatchers ask. Points, statistics and drawing come with the
// channel classes themselves.

#include <string>

#include "framework/graphics/Pen.h"
#include "plot/engine/iPlotObjects.h"

namespace dsp {

class TiPlotXAxis;
class TiPlotYAxis;

class TiPlotChannelCustom : public TiPlotManagerObject {
public:
    TiPlotChannelCustom(TObject* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                        TNotifyEvent onRemove, TNotifyEvent onRename);

    TiPlotObjectKind Kind() const override { return TiPlotObjectKind::Channel; }

    const std::string& TitleText() const { return FTitleText; }
    virtual void SetTitleText(const std::string& value);
    TColor Color() const { return FColor; }
    virtual void SetColor(TColor value);
    const std::string& XAxisName() const { return FXAxisName; }
    virtual void SetXAxisName(const std::string& value);
    const std::string& YAxisName() const { return FYAxisName; }
    virtual void SetYAxisName(const std::string& value);
    bool VisibleInLegend() const { return FVisibleInLegend; }
    void SetVisibleInLegend(bool value);
    TPenStyle TraceLineStyle() const { return traceLineStyle_; }

    // The channel's axes, found by name in the plot; null without one.
    TiPlotXAxis* GetXAxis() const;
    TiPlotYAxis* GetYAxis() const;

    virtual int GetCount() const { return 0; }
    virtual double GetDataX(int /*index*/) const { return 0; }
    virtual double GetDataY(int /*index*/) const { return 0; }
    // Deletes every point.
    virtual void Clear() {}
    // Strip-chart channels report the wheel to the plot; XY channels do not.
    virtual bool IsStripChart() const { return false; }

    double RunningYMax() const { return FRunningYMax; }
    double RunningYMin() const { return FRunningYMin; }
    double RunningYMean() const { return FRunningYMean; }
    const std::string& DataCursorXText() const { return FDataCursorXText; }
    const std::string& DataCursorYText() const { return FDataCursorYText; }

    // The channel's entry in the legend, where its pop-up menu opens from the keyboard.
    const TRect& LegendRect() const { return FLegendRect; }
    void SetLegendRect(const TRect& value) { FLegendRect = value; }
    bool GetPopupCenter(TPoint& center) const override;

protected:
    std::string FTitleText;
    TColor FColor = clRed;
    std::string FXAxisName;
    std::string FYAxisName;
    bool FVisibleInLegend = true;
    TPenStyle traceLineStyle_ = psSolid;
    TRect FLegendRect{};
    double FRunningYMax = 0;
    double FRunningYMin = 0;
    double FRunningYMean = 0;
    std::string FDataCursorXText;
    std::string FDataCursorYText;
};

}  // namespace dsp
