#pragma once
// The OPC binding of a channel: two OPC items (item 0 feeds X or the value, item 1 feeds Y),
// each bound to the channel's property "Data", and the channel's own OPC group manager, whose
// group the two items share. The strip-chart and XY channels own one each; without the OPC
// support library the items stay inactive.

#include <functional>
#include <memory>
#include <string>

#include "plot/engine/iOPCItem.h"
#include "plot/engine/iOPCManager.h"

namespace dsp {

class TiPlotObject;

class TiPlotChannelOPC {
public:
    // The items ask the channel's plot whether it is being designed.
    explicit TiPlotChannelOPC(TiPlotObject& channel);
    ~TiPlotChannelOPC();

    TiOPCItem* Item(int index) const { return FOPCItemManager->Item(index); }
    TiOPCItemManager* ItemManager() const { return FOPCItemManager.get(); }
    TiOPCManager* Manager() const { return FOPCManager.get(); }
    bool Designing() const { return FOPCItemManager->IsDesigning(); }
    // The name of the channel's own group: the manager's address in hexadecimal.
    std::string OwnGroupName() const;
    // The manager's groups cleared and the channel's own group added, on item 0's computer,
    // update rate and server.
    void AddOwnGroup();
    void DeactivateBoth();

    // The manager finished an update of a group (on the UI thread).
    std::function<void()> OnGroupUpdated;
    // An item delivered data (on the UI thread).
    std::function<void(TiOPCItem* item)> OnNewData;

private:
    std::unique_ptr<TiOPCManager> FOPCManager;
    std::unique_ptr<TiOPCItemManager> FOPCItemManager;
};

}  // namespace dsp
