#pragma once
// TiXYPlot: the plot whose channels are free (X, Y) pairs drawn in list order; its channel
// class TiXYPlotChannel draws the trace and markers, gives its extents to zoom-to-fit and the
// values at a data cursor's pointers. A new XY plot holds a toolbar, a legend, an X and a Y
// axis, one channel, a data view, a data cursor and the title label.

#include <memory>

#include "plot/engine/iPlotChannelCustom.h"
#include "plot/engine/iPlotChannelOPC.h"
#include "plot/engine/iPlotComponent.h"

namespace dsp {

class TiXYPlotChannel : public TiPlotChannelCustom {
    DSP_PUBLISHED(TiXYPlotChannel, TiPlotChannelCustom) {
        using C = TiXYPlotChannel;
        using P = Published<TiXYPlotChannel>;
        return {
            P::Property("OPCComputerName", &C::OPCComputerName, &C::SetOPCComputerName),
            P::Property("OPCServerName", &C::OPCServerName, &C::SetOPCServerName),
            P::Property("OPCItemName", &C::OPCItemName, &C::SetOPCItemName),
            P::Property("OPCItem2Name", &C::OPCItem2Name, &C::SetOPCItem2Name),
            P::Property("OPCUpdateRate", &C::OPCUpdateRate, &C::SetOPCUpdateRate).Default(500),
            P::Property("OPCAutoConnect", &C::OPCAutoConnect, &C::SetOPCAutoConnect).Default(false),
            P::Property("OPCScalar", &C::OPCScalar, &C::SetOPCScalar),
            P::Property("OPCOffset", &C::OPCOffset, &C::SetOPCOffset),
            P::Property("OPCScalar2", &C::OPCScalar2, &C::SetOPCScalar2),
            P::Property("OPCOffset2", &C::OPCOffset2, &C::SetOPCOffset2),
        };
    }

public:
    TiXYPlotChannel(TObject* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                    TNotifyEvent onRemove, TNotifyEvent onRename);
    ~TiXYPlotChannel() override;

    // A Null (or Empty) point at (0, 0); returns its index.
    int AddNull();
    int AddEmpty();

    void PrepareDraw(TCanvas* canvas) override;
    void Draw(TCanvas* canvas, TColor backGroundColor) override;
    void DoInsert() override;
    void CalcStartIndex() override;
    void CalcStopIndex() override;
    // The valid points' extremes widened by the marker margin; -1e300 / 1e300 without any.
    double GetFitXMax() override;
    double GetFitXMin() override;
    double GetFitYMax() override;
    double GetFitYMin() override;
    void UpdateDataCursorValues(TiPlotDataCursor* cursor) override;
    // Clears the cursor texts and stores the values, then builds the hint text of the style.
    void FormatDataCursorText(TiPlotDataCursorStyle style, TiPlotDataPointStatus status,
                              std::string& text, double valueY, double valueX);

    // ---- OPC: item 0 feeds X, item 1 feeds Y, both in the channel's own group; every update
    // of the group adds the point (item 0, item 1). Without the OPC support library the items
    // stay inactive.
    // Nothing while the plot is designed; else both items deactivated, the channel's group made
    // anew and the items activated in it, item 0 first.
    void OPCActivate();
    void OPCDeactivate();
    void OPCActivateSuspend();
    void OPCUpdateSuspend();
    void OPCUpdateResume();
    bool OPCActive() const;
    bool OPCQualityGood() const;
    TiOPCItemManager* OPCItemManager() const { return FOPC.ItemManager(); }
    TiOPCManager* OPCManager() const { return FOPC.Manager(); }
    const std::string& OPCComputerName() const { return Item(0)->ComputerName(); }
    void SetOPCComputerName(const std::string& value) { Item(0)->SetComputerName(value); }
    const std::string& OPCServerName() const { return Item(0)->ServerName(); }
    void SetOPCServerName(const std::string& value) { Item(0)->SetServerName(value); }
    const std::string& OPCItemName() const { return Item(0)->ItemName(); }
    void SetOPCItemName(const std::string& value) { Item(0)->SetItemName(value); }
    const std::string& OPCItem2Name() const { return Item(1)->ItemName(); }
    void SetOPCItem2Name(const std::string& value) { Item(1)->SetItemName(value); }
    int OPCUpdateRate() const { return Item(0)->UpdateRate(); }
    void SetOPCUpdateRate(int value) { Item(0)->SetUpdateRate(value); }
    bool OPCAutoConnect() const { return Item(0)->AutoConnect(); }
    void SetOPCAutoConnect(bool value) { Item(0)->SetAutoConnect(value); }
    double OPCScalar() const { return Item(0)->Scalar(); }
    void SetOPCScalar(double value) { Item(0)->SetScalar(value); }
    double OPCOffset() const { return Item(0)->Offset(); }
    void SetOPCOffset(double value) { Item(0)->SetOffset(value); }
    double OPCScalar2() const { return Item(1)->Scalar(); }
    void SetOPCScalar2(double value) { Item(1)->SetScalar(value); }
    double OPCOffset2() const { return Item(1)->Offset(); }
    void SetOPCOffset2(double value) { Item(1)->SetOffset(value); }
    // What a group update of the two items does: AddXY (item 0, item 1).
    void DoOPCGroupUpdate();

private:
    TiOPCItem* Item(int index) const { return FOPC.Item(index); }
    // The extreme of the valid points' marker extents.
    template <typename Extent, typename Better>
    double FitExtent(double start, Extent extent, Better better);

    TiPlotChannelOPC FOPC;
};

class TiXYPlot : public TiPlotComponent {
public:
    explicit TiXYPlot(TComponent* owner);

    // Channel index as an XY channel: the list's index error outside the channels,
    // EInvalidCast for a channel of another class.
    TiXYPlotChannel* GetChannel(int index) const;
};

}  // namespace dsp
