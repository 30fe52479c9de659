#pragma once
// TiPlotDataCursor: the base of the plot's data cursors. What the plot's frame needs of a cursor
// lives here: the channel it follows ("<All>" for every channel), whether the legend shows the
// cursor values of all channels, the data view it lies on, and the update the plot runs at the
// start of every paint. Pointers, hint and values come with the cursor class itself.

#include <string>

#include "plot/engine/iPlotObjects.h"

namespace dsp {

class TiPlotDataView;

class TiPlotDataCursor : public TiPlotManagerObject {
public:
    TiPlotDataCursor(TObject* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                     TNotifyEvent onRemove, TNotifyEvent onRename);

    TiPlotObjectKind Kind() const override { return TiPlotObjectKind::DataCursor; }

    const std::string& ChannelName() const { return FChannelName; }
    virtual void SetChannelName(const std::string& value);
    bool ChannelShowAllInLegend() const { return FChannelShowAllInLegend; }
    void SetChannelShowAllInLegend(bool value);
    TiPlotDataView* DataView() const { return FDataView; }
    void SetDataView(TiPlotDataView* value) { FDataView = value; }

    // Run by every paint, visible or not: tells the plot (OnBeforeDataCursorUpdate), then lets
    // the channels compute the cursor's values.
    virtual void UpdateCursor();
    void NotificationRemove(TiPlotObject* sender) override;

protected:
    std::string FChannelName;
    bool FChannelShowAllInLegend = true;
    TiPlotDataView* FDataView = nullptr;
};

}  // namespace dsp
