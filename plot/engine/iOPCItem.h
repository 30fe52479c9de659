#pragma once
// OPC items: each binds one published property of a window-backed component to an item of an
// OPC server, through the OPC support library (iOPCLibrary.h). Without the library every item
// stays inactive: activation, deactivation and the state queries do nothing or answer false.
// The library's new-data callbacks reach the item on the UI thread, whichever thread the library
// calls from; a callback for an item that has gone meanwhile is dropped.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/Object.h"
#include "framework/core/TypeInfo.h"
#include "framework/text/Variant.h"
#include "plot/engine/iOPCLibrary.h"

namespace dsp {

class TComponent;
class TReader;
class TWriter;
class TiOPCItemManager;

class TiOPCItem : public TPersistent {
    DSP_PUBLISHED(TiOPCItem, TPersistent) {
        using P = Published<TiOPCItem>;
        return {
            P::Property("PropertyName", &TiOPCItem::FPropertyName, &TiOPCItem::SetPropertyName),
            P::Property("GroupName", &TiOPCItem::FGroupName, &TiOPCItem::SetGroupName),
            P::Property("ServerName", &TiOPCItem::FServerName, &TiOPCItem::SetServerName),
            P::Property("ComputerName", &TiOPCItem::FComputerName, &TiOPCItem::SetComputerName),
            P::Property("ItemName", &TiOPCItem::FItemName, &TiOPCItem::SetItemName),
            P::Property("AutoConnect", &TiOPCItem::FAutoConnect, &TiOPCItem::SetAutoConnect),
            P::Property("UpdateRate", &TiOPCItem::FUpdateRate, &TiOPCItem::SetUpdateRate)
                .Default(500),
            P::Property("Scalar", &TiOPCItem::FScalar, &TiOPCItem::FScalar),
            P::Property("Offset", &TiOPCItem::FOffset, &TiOPCItem::FOffset),
            P::Property("AutoError", &TiOPCItem::FAutoError, &TiOPCItem::SetAutoError)
                .Default(false),
            P::Property("UpdateSuspended", &TiOPCItem::UpdateSuspended),
        };
    }

public:
    explicit TiOPCItem(TiOPCItemManager* owner);
    ~TiOPCItem() override;

    void Activate();
    void ActivateSuspend();
    void Deactivate();
    void UpdateResume();
    void UpdateSuspend();
    void Loaded();

    bool Active() const;
    bool UpdateSuspended() const;
    // The last value received, and a value to send to the server (nothing without library).
    const TVariant& Data() const { return FData; }
    void SetData(const TVariant& value);
    // Fetches the value now; without library the result is empty and quality stays as passed.
    TVariant GetDataNow(int& quality);
    // The library's callback, on the UI thread: the new value, its time stamp and quality
    // fetched, the value scaled when good, then the manager's OnNewData.
    void NewData();
    // A good value scaled: integers multiplied and offset in floating point, rounded to a 32-bit
    // integer; floating values to a double; anything else as it is.
    TVariant ScaleIncoming(const TVariant& value) const;
    bool QualityGood() const { return (FQuality & 0xC0) == 0xC0; }

    const std::string& PropertyName() const { return FPropertyName; }
    void SetPropertyName(const std::string& value);
    const std::string& GroupName() const { return FGroupName; }
    void SetGroupName(const std::string& value);
    const std::string& ServerName() const { return FServerName; }
    void SetServerName(const std::string& value);
    const std::string& ComputerName() const { return FComputerName; }
    void SetComputerName(const std::string& value);
    const std::string& ItemName() const { return FItemName; }
    void SetItemName(const std::string& value);
    bool AutoConnect() const { return FAutoConnect; }
    void SetAutoConnect(bool value);
    int UpdateRate() const { return FUpdateRate; }
    void SetUpdateRate(int value);
    bool AutoError() const { return FAutoError; }
    void SetAutoError(bool value);
    double Scalar() const { return FScalar; }
    void SetScalar(double value) { FScalar = value; }
    double Offset() const { return FOffset; }
    void SetOffset(double value) { FOffset = value; }
    void SetQuality(int value) { FQuality = value; }
    int Quality() const { return FQuality; }
    double TimeStamp() const { return FTimeStamp; }
    TTypeKind PropertyType() const { return FPropertyType; }
    TiOPCItemManager* Owner() const { return FOwner; }

    int SignalHandle() const { return FSignalHandle; }

private:
    void Activate(bool startSuspended);
    void UpdateError();
    void FetchData();

    std::string FPropertyName;
    TTypeKind FPropertyType = tkUnknown;
    std::string FGroupName;
    std::string FServerName;
    std::string FComputerName = "Local";
    std::string FItemName;
    bool FAutoConnect = false;
    int FUpdateRate = 500;
    double FScalar = 0;
    double FOffset = 0;
    int FSignalHandle = 0;
    TVariant FData;
    double FTimeStamp = 0;
    int FQuality = 0;
    TiOPCItemManager* FOwner;
    bool FAutoError = false;
    // The item as its callback sees it: gone when the item is.
    std::shared_ptr<TiOPCItem*> self_;
    std::shared_ptr<IOPCSignalCallback> callback_;
};

using TOPCItemGetDataTypeEvent = std::function<void(const std::string& propertyName, TTypeKind&)>;

// The items of one component; owns them.
class TiOPCItemManager : public TObject {
public:
    explicit TiOPCItemManager(TComponent* owner);
    ~TiOPCItemManager() override;

    int Add();
    void Clear();
    void Delete(int index);
    int Count() const { return static_cast<int>(FList.size()); }
    TiOPCItem* Item(int index) const;
    int FindIndex(const TiOPCItem* item) const;
    bool DoWriteToStream() const { return Count() > 0; }
    // The form stream's collection of the items with their stored published properties.
    void WriteToStream(TWriter& writer) const;
    // Clears the manager, then makes one item per item of a collection value, reads its
    // properties and runs its Loaded (which may activate it). Any other value leaves it empty.
    void ReadFromStream(TReader& reader);
    bool IsDesigning();
    TComponent* Owner() const { return FOwner; }

    std::function<void(TObject* sender, bool& designing)> OnGetDesigning;
    TNotifyEvent OnNewData;
    TOPCItemGetDataTypeEvent OnGetType;

private:
    std::vector<std::unique_ptr<TiOPCItem>> FList;
    TComponent* FOwner;
};

}  // namespace dsp
