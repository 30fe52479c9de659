#include "plot/engine/iPlotChannelOPC.h"

#include <cstdint>

#include "framework/text/Numbers.h"
#include "plot/engine/iPlotComponent.h"

namespace dsp {

TiPlotChannelOPC::TiPlotChannelOPC(TiPlotObject& channel)
    : FOPCManager(std::make_unique<TiOPCManager>(nullptr)),
      FOPCItemManager(std::make_unique<TiOPCItemManager>(channel.Plot())) {
    FOPCManager->OnAfterGroupUpdate = [this](TObject*, const std::string&) {
        if (OnGroupUpdated) OnGroupUpdated();
    };
    FOPCItemManager->OnGetDesigning = [&channel](TObject*, bool& designing) {
        designing = channel.Plot() != nullptr && channel.Plot()->OPCGetDesigning();
    };
    FOPCItemManager->OnNewData = [this](TObject* item) {
        if (OnNewData) OnNewData(static_cast<TiOPCItem*>(item));
    };
    for (int i = 0; i < 2; ++i) Item(FOPCItemManager->Add())->SetPropertyName("Data");
}

TiPlotChannelOPC::~TiPlotChannelOPC() {
    FOPCItemManager.reset();
    FOPCManager.reset();
}

std::string TiPlotChannelOPC::OwnGroupName() const {
    return IntToHex(static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(FOPCManager.get())),
                    16);
}

void TiPlotChannelOPC::AddOwnGroup() {
    FOPCManager->GroupClear();
    const TiOPCItem* first = Item(0);
    FOPCManager->GroupAdd(OwnGroupName(), first->ComputerName(), first->ServerName(),
                          first->UpdateRate());
}

void TiPlotChannelOPC::DeactivateBoth() {
    Item(0)->Deactivate();
    Item(1)->Deactivate();
}

}  // namespace dsp
