#pragma once
// TiVCLComponent: a complete window-backed component of the plot engine. It supplies the
// painting lock (re-entrant, taken around every paint), an internal timer (a first interval, then
// a repeat interval), the handling of the window messages that bring keys, focus and buttons to
// the hooks of TiComponent, bounds changes that resize the buffers, and the component's OPC
// items. TiCustomComponent adds nothing and is the base of the plot component.
//
// Keys reach the key hooks once, from the key handlers with the real shift state.

#include <functional>
#include <memory>
#include <string>

#include "framework/runtime/CriticalSection.h"
#include "plot/engine/iComponent.h"
#include "plot/engine/iOPCItem.h"

namespace dsp {

class TTimer;

class TiVCLComponent : public TiComponent {
public:
    explicit TiVCLComponent(TComponent* owner);
    ~TiVCLComponent() override;

    void Lock() override;
    void Unlock() override;

    bool InternalTimerRunning() const override;
    // Nothing while a timer runs. Otherwise fires after initialDelay ms and then every interval
    // ms (every interval ms from the start when initialDelay is 0; not at all when both are 0).
    void InternalTimerStart(int initialDelay, int interval) override;
    void InternalTimerStop() override;
    TNotifyEvent OnInternalTimer;

    void RepaintAll() override;
    void SetBounds(int left, int top, int width, int height) override;

    TiOPCItemManager* OPCItemManager() const { return FOPCItemManager.get(); }
    int OPCAddItem();
    int OPCItemCount() const;
    void OPCRemoveAllItems();
    void OPCDeleteItem(int index);
    void OPCItemActivate(int index);
    void OPCItemDeactivate(int index);
    void OPCItemUpdateResume(int index);
    void OPCItemUpdateSuspend(int index);
    void OPCItemLoaded(int index);
    void SetOPCItemData(int index, const TVariant& value);
    TVariant GetOPCItemData(int index) const;
    void SetOPCItemComputerName(int index, const std::string& value);
    void SetOPCItemServerName(int index, const std::string& value);
    void SetOPCItemItemName(int index, const std::string& value);
    void SetOPCItemPropertyName(int index, const std::string& value);
    std::string GetOPCItemComputerName(int index) const;
    std::string GetOPCItemServerName(int index) const;
    std::string GetOPCItemItemName(int index) const;
    std::string GetOPCItemPropertyName(int index) const;
    void SetOPCItemAutoConnect(int index, bool value);
    bool GetOPCItemAutoConnect(int index) const;
    void SetOPCItemUpdateRate(int index, int value);
    int GetOPCItemUpdateRate(int index) const;
    int GetOPCItemQuality(int index) const;
    double GetOPCItemTimeStamp(int index) const;

    // An OPC item delivered a value: handlers may change it first, then (when good) it is
    // written into the item's property, which does not echo it back to the server.
    void OPCNewData(TiOPCItem* item);
    bool OPCPropertyChanged(const std::string& propName, const TVariant& value) override;
    // Writes the value into the published property whose dotted path (from path) equals target,
    // compared without case: numbers from the value's text, "True"/"False" for enumerations,
    // any text but "0" for a Boolean. Object properties are searched through. A path that
    // names nothing changes nothing; a value that does not convert raises EConvertError.
    static void SetPropertyByPath(TObject* instance, const std::string& path, const TVariant& value,
                                  const std::string& target);

    std::function<void(int index)> OnNewOPCData;
    std::function<void(int index, TVariant& data)> OnBeforeNewOPCData;

    // The design-time query the OPC items ask: never in this program, unless OnGetDesigning
    // says otherwise.
    bool OPCGetDesigning();
    // The kind of the first writable, non-object published property whose dotted path equals
    // propName (compared without case); tkUnknown when there is none.
    TTypeKind OPCGetPropertyKind(const std::string& propName);

protected:
    void Dispatch(TMessage& message) override;
    bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;

private:
    void TimerTick();

    TCriticalSection FDataCriticalSection;
    std::unique_ptr<TiOPCItemManager> FOPCItemManager;
    std::unique_ptr<TTimer> FTimer;
    bool FOPCIncomingActive = false;
    bool FTimerFirstMessage = false;
    int FTimerInterval = 0;
};

class TiCustomComponent : public TiVCLComponent {
public:
    using TiVCLComponent::TiVCLComponent;
};

}  // namespace dsp
