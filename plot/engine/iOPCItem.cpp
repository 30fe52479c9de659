#include "plot/engine/iOPCItem.h"

#include "framework/core/Component.h"
#include "framework/core/Exceptions.h"
#include "framework/runtime/MainThread.h"
#include "framework/text/Filer.h"
#include "framework/text/Numbers.h"
#include "framework/text/StrUtils.h"
#include "plot/engine/iComponent.h"

namespace dsp {

namespace {

// Hands the library's call over to the UI thread, where the item (if it is still there) takes
// its data.
class TItemCallback final : public IOPCSignalCallback {
public:
    explicit TItemCallback(std::weak_ptr<TiOPCItem*> item) : item_(std::move(item)) {}
    void NewDataReady(int) override {
        PostToMainThread([item = item_] {
            if (const std::shared_ptr<TiOPCItem*> alive = item.lock()) (*alive)->NewData();
        });
    }

private:
    const std::weak_ptr<TiOPCItem*> item_;
};

}  // namespace

// ---- TiOPCItem

TiOPCItem::TiOPCItem(TiOPCItemManager* owner)
    : FOwner(owner), self_(std::make_shared<TiOPCItem*>(this)) {
    callback_ = std::make_shared<TItemCallback>(self_);
}

TiOPCItem::~TiOPCItem() {
    self_.reset();
    try {
        Deactivate();
    } catch (...) {
        // A failing library does not keep an item alive.
    }
}

void TiOPCItem::Activate() { Activate(false); }

void TiOPCItem::ActivateSuspend() { Activate(true); }

void TiOPCItem::Activate(bool startSuspended) {
    if (OPCLibraryMissing() || FOwner == nullptr || FOwner->IsDesigning()) return;
    if (FAutoError) UpdateError();
    if (FSignalHandle != 0) Deactivate();
    if (Trim(FPropertyName).empty() || (Trim(FGroupName).empty() && Trim(FServerName).empty()) ||
        Trim(FItemName).empty()) {
        return;
    }
    if (Active()) Deactivate();
    const int dataType = FPropertyType == tkString ? varOleStr : varEmpty;
    FSignalHandle = opc::SignalAdd(FComputerName, FServerName, FItemName, FGroupName, FUpdateRate,
                                   startSuspended, dataType, callback_);
}

void TiOPCItem::Deactivate() {
    if (OPCLibraryMissing()) return;
    if (FOwner == nullptr || FOwner->IsDesigning()) return;
    const int handle = FSignalHandle;
    FSignalHandle = 0;
    if (handle != 0) opc::SignalRemove(handle);
}

void TiOPCItem::SetData(const TVariant& value) {
    if (!OPCLibraryMissing()) opc::SignalSendData(FSignalHandle, value);
}

void TiOPCItem::FetchData() {
    FData = opc::SignalGetData(FSignalHandle);
    FTimeStamp = opc::SignalGetTimeStamp(FSignalHandle);
    FQuality = opc::SignalGetQuality(FSignalHandle);
}

TVariant TiOPCItem::GetDataNow(int& quality) {
    if (OPCLibraryMissing()) return {};
    opc::SignalGetDataNow(FSignalHandle);
    FetchData();
    quality = FQuality;
    return FData;
}

void TiOPCItem::NewData() {
    if (!OPCLibraryMissing()) FetchData();
    if (QualityGood()) FData = ScaleIncoming(FData);
    if (FAutoError) UpdateError();
    if (FOwner != nullptr && FOwner->OnNewData) FOwner->OnNewData(this);
}

TVariant TiOPCItem::ScaleIncoming(const TVariant& value) const {
    if (!QualityGood()) return value;
    switch (value.VarType()) {
        case varSmallint:
        case varInteger:
        case varShortInt:
        case varByte:
        case varWord:
        case varLongWord:
        case varInt64: {
            double v = static_cast<double>(static_cast<std::int32_t>(value.AsInt64()));
            if (FScalar != 0) v *= FScalar;
            if (FOffset != 0) v += FOffset;
            return TVariant(static_cast<int>(Round(v)));
        }
        case varSingle:
        case varDouble: {
            double v = value.AsDouble();
            if (FScalar != 0) v *= FScalar;
            if (FOffset != 0) v += FOffset;
            return TVariant(v);
        }
        default: return value;
    }
}

void TiOPCItem::UpdateResume() {
    if (!OPCLibraryMissing()) opc::SignalResume(FSignalHandle);
}

void TiOPCItem::UpdateSuspend() {
    if (!OPCLibraryMissing()) opc::SignalSuspend(FSignalHandle);
}

bool TiOPCItem::Active() const {
    if (FOwner == nullptr || FOwner->IsDesigning() || OPCLibraryMissing()) return false;
    return opc::SignalGetActive(FSignalHandle);
}

bool TiOPCItem::UpdateSuspended() const {
    if (OPCLibraryMissing() || FSignalHandle == 0) return false;
    return opc::SignalGetUpdateSuspended(FSignalHandle);
}

void TiOPCItem::UpdateError() {
    if (!Active()) return;
    if (auto* component = dynamic_cast<TiComponent*>(FOwner->Owner())) {
        component->SetErrorActive(!QualityGood());
    }
}

void TiOPCItem::Loaded() {
    try {
        if (FAutoError) UpdateError();
        if (FAutoConnect && FOwner != nullptr && !FOwner->IsDesigning()) Activate();
    } catch (...) {
        // A missing library or an unreachable server never stops a form from loading.
    }
}

void TiOPCItem::SetPropertyName(const std::string& value) {
    FPropertyName = value;
    if (FOwner != nullptr && FOwner->OnGetType) FOwner->OnGetType(value, FPropertyType);
}

void TiOPCItem::SetGroupName(const std::string& value) {
    FGroupName = value;
    if (Active()) Activate();
}

void TiOPCItem::SetServerName(const std::string& value) {
    FServerName = value;
    if (!OPCLibraryMissing() && Active()) Activate();
}

void TiOPCItem::SetComputerName(const std::string& value) {
    FComputerName = value;
    if (!OPCLibraryMissing() && Active()) Activate();
}

void TiOPCItem::SetItemName(const std::string& value) {
    FItemName = value;
    if (!OPCLibraryMissing() && Active()) Activate();
}

void TiOPCItem::SetUpdateRate(int value) {
    FUpdateRate = value;
    if (!OPCLibraryMissing() && Active()) Activate();
}

void TiOPCItem::SetAutoConnect(bool value) {
    FAutoConnect = value;
    if (OPCLibraryMissing() || FOwner == nullptr) return;
    auto* component = dynamic_cast<TiComponent*>(FOwner->Owner());
    if (component != nullptr && !component->IsLoading() && value) Activate();
}

void TiOPCItem::SetAutoError(bool value) {
    if (value == FAutoError) return;
    FAutoError = value;
    if (value) UpdateError();
}

// ---- TiOPCItemManager

TiOPCItemManager::TiOPCItemManager(TComponent* owner) : FOwner(owner) {}

TiOPCItemManager::~TiOPCItemManager() { Clear(); }

int TiOPCItemManager::Add() {
    FList.push_back(std::make_unique<TiOPCItem>(this));
    return Count() - 1;
}

void TiOPCItemManager::Clear() {
    while (!FList.empty()) FList.erase(FList.begin());
}

void TiOPCItemManager::Delete(int index) {
    Item(index);
    FList.erase(FList.begin() + index);
}

TiOPCItem* TiOPCItemManager::Item(int index) const {
    if (index < 0 || index >= Count()) throw EListError::IndexOutOfBounds(index);
    return FList[static_cast<std::size_t>(index)].get();
}

int TiOPCItemManager::FindIndex(const TiOPCItem* item) const {
    for (int i = 0; i < Count(); ++i) {
        if (FList[static_cast<std::size_t>(i)].get() == item) return i;
    }
    return -1;
}

void TiOPCItemManager::WriteToStream(TWriter& writer) const {
    writer.WriteValue(vaCollection);
    for (const auto& item : FList) {
        writer.WriteListBegin();
        writer.WriteProperties(*item);
        writer.WriteListEnd();
    }
    writer.WriteListEnd();
}

void TiOPCItemManager::ReadFromStream(TReader& reader) {
    Clear();
    if (reader.ReadValue() != vaCollection) return;
    while (!reader.EndOfList()) {
        TiOPCItem* item = Item(Add());
        reader.ReadListBegin();
        while (!reader.EndOfList()) reader.ReadProperty(*item);
        reader.ReadListEnd();
        item->Loaded();
    }
    reader.ReadListEnd();
}

bool TiOPCItemManager::IsDesigning() {
    bool designing = false;
    if (OnGetDesigning) OnGetDesigning(this, designing);
    return designing;
}

}  // namespace dsp
