#include "framework/hid/SetupServices.h"

#include <cstddef>
#include <cstring>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "framework/hid/HidBackend.h"
#include "framework/hid/Utf16.h"

namespace dsp {
namespace hidservices {
namespace {

struct InterfaceSnapshot {
    std::vector<THidInterfaceRecord> interfaces;
};

std::mutex setsLock;
std::set<InterfaceSnapshot*>& LiveSets() {
    static auto* sets = new std::set<InterfaceSnapshot*>;
    return *sets;
}

InterfaceSnapshot* SnapshotOf(HDEVINFO set) {
    std::lock_guard<std::mutex> guard(setsLock);
    auto* snapshot = static_cast<InterfaceSnapshot*>(set);
    if (LiveSets().count(snapshot) == 0) {
        HidSetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return snapshot;
}

// The record a devinfo or interface record points at (its Reserved field holds the index).
const THidInterfaceRecord* RecordAt(InterfaceSnapshot* snapshot, std::uintptr_t index) {
    if (snapshot == nullptr) return nullptr;
    if (index >= snapshot->interfaces.size()) {
        HidSetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return &snapshot->interfaces[index];
}

std::vector<std::uint8_t> Encode(const THidProperty& value, std::uint32_t* type) {
    std::vector<std::uint8_t> bytes;
    auto appendText = [&bytes](const std::string& text) {
        std::u16string wide = Utf8ToUtf16(text);
        wide.push_back(u'\0');
        const auto* raw = reinterpret_cast<const std::uint8_t*>(wide.data());
        bytes.insert(bytes.end(), raw, raw + wide.size() * sizeof(char16_t));
    };
    if (const auto* text = std::get_if<std::string>(&value)) {
        *type = REG_SZ;
        appendText(*text);
    } else if (const auto* list = std::get_if<std::vector<std::string>>(&value)) {
        *type = REG_MULTI_SZ;
        for (const std::string& entry : *list) appendText(entry);
        appendText("");
    } else {
        *type = REG_DWORD;
        const std::uint32_t number = std::get<std::uint32_t>(value);
        bytes.resize(sizeof number);
        std::memcpy(bytes.data(), &number, sizeof number);
    }
    return bytes;
}

}  // namespace

HDEVINFO SetupDiGetClassDevsW(const TGUID* classGuid, const char16_t*, void*, std::uint32_t flags) {
    if ((flags & DIGCF_DEVICEINTERFACE) == 0 || classGuid == nullptr) {
        HidSetLastError(ERROR_INVALID_PARAMETER);
        return InvalidDeviceInfoSet();
    }
    auto* snapshot = new InterfaceSnapshot;
    if (*classGuid == kHidInterfaceGuid)
        snapshot->interfaces = CurrentHidBackend()->EnumerateInterfaces();
    std::lock_guard<std::mutex> guard(setsLock);
    LiveSets().insert(snapshot);
    return snapshot;
}

bool SetupDiEnumDeviceInterfaces(HDEVINFO deviceInfoSet, SP_DEVINFO_DATA*,
                                 const TGUID* interfaceClassGuid, std::uint32_t memberIndex,
                                 SP_DEVICE_INTERFACE_DATA* deviceInterfaceData) {
    InterfaceSnapshot* snapshot = SnapshotOf(deviceInfoSet);
    if (snapshot == nullptr) return false;
    if (deviceInterfaceData == nullptr || interfaceClassGuid == nullptr) {
        HidSetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    if (*interfaceClassGuid != kHidInterfaceGuid || memberIndex >= snapshot->interfaces.size()) {
        HidSetLastError(ERROR_NO_MORE_ITEMS);
        return false;
    }
    deviceInterfaceData->InterfaceClassGuid = kHidInterfaceGuid;
    deviceInterfaceData->Flags = 1;  // active
    deviceInterfaceData->Reserved = memberIndex;
    return true;
}

bool SetupDiGetDeviceInterfaceDetailA(HDEVINFO deviceInfoSet,
                                      SP_DEVICE_INTERFACE_DATA* deviceInterfaceData,
                                      SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail,
                                      std::uint32_t detailSize, std::uint32_t* requiredSize,
                                      SP_DEVINFO_DATA* deviceInfoData) {
    if (deviceInterfaceData == nullptr) {
        HidSetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    const THidInterfaceRecord* record =
        RecordAt(SnapshotOf(deviceInfoSet), deviceInterfaceData->Reserved);
    if (record == nullptr) return false;
    constexpr std::uint32_t pathOffset = offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath);
    const auto needed = std::uint32_t(pathOffset + record->path.size() + 1);
    if (requiredSize != nullptr) *requiredSize = needed;
    if (detail == nullptr || detailSize < needed) {
        HidSetLastError(ERROR_INSUFFICIENT_BUFFER);
        return false;
    }
    if (detail->cbSize != kDeviceInterfaceDetailDataASize) {
        HidSetLastError(ERROR_INVALID_USER_BUFFER);
        return false;
    }
    std::memcpy(reinterpret_cast<char*>(detail) + pathOffset, record->path.c_str(),
                record->path.size() + 1);
    if (deviceInfoData != nullptr) {
        deviceInfoData->ClassGuid = kHidInterfaceGuid;
        deviceInfoData->DevInst = record->instanceId;
        deviceInfoData->Reserved = deviceInterfaceData->Reserved;
    }
    return true;
}

bool SetupDiGetDeviceRegistryPropertyW(HDEVINFO deviceInfoSet, SP_DEVINFO_DATA* deviceInfoData,
                                       std::uint32_t property, std::uint32_t* propertyRegDataType,
                                       std::uint8_t* propertyBuffer,
                                       std::uint32_t propertyBufferSize,
                                       std::uint32_t* requiredSize) {
    if (deviceInfoData == nullptr) {
        HidSetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    const THidInterfaceRecord* record =
        RecordAt(SnapshotOf(deviceInfoSet), deviceInfoData->Reserved);
    if (record == nullptr) return false;
    auto found = record->properties.find(property);
    if (found == record->properties.end()) {
        HidSetLastError(ERROR_INVALID_DATA);
        return false;
    }
    std::uint32_t type = 0;
    std::vector<std::uint8_t> bytes = Encode(found->second, &type);
    if (propertyRegDataType != nullptr) *propertyRegDataType = type;
    if (requiredSize != nullptr) *requiredSize = std::uint32_t(bytes.size());
    if (propertyBuffer == nullptr || propertyBufferSize < bytes.size()) {
        HidSetLastError(ERROR_INSUFFICIENT_BUFFER);
        return false;
    }
    std::memcpy(propertyBuffer, bytes.data(), bytes.size());
    return true;
}

bool SetupDiDestroyDeviceInfoList(HDEVINFO deviceInfoSet) {
    InterfaceSnapshot* snapshot = SnapshotOf(deviceInfoSet);
    if (snapshot == nullptr) return false;
    {
        std::lock_guard<std::mutex> guard(setsLock);
        LiveSets().erase(snapshot);
    }
    delete snapshot;
    return true;
}

}  // namespace hidservices
}  // namespace dsp
