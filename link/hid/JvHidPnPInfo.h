#pragma once
// The identity of one HID interface as the enumeration found it: the path that opens it, the
// device-instance identity the controller compares devices by, and the device's properties, read
// once when the interface is found.

#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/Object.h"
#include "framework/hid/HidTypes.h"

namespace dsp {

class TJvHidPnPInfo : public TObject {
public:
    // Reads the properties of the device the record names from the interface set.
    TJvHidPnPInfo(HDEVINFO pnpHandle, const SP_DEVINFO_DATA& devData,
                  const std::string& devicePath);

    std::uint32_t DeviceID() const { return FDeviceID; }
    const std::string& DevicePath() const { return FDevicePath; }

    std::uint32_t Capabilities = 0;
    std::string ClassDescr;
    std::string ClassGUID;
    std::vector<std::string> CompatibleIDs;
    std::uint32_t ConfigFlags = 0;
    std::string DeviceDescr;
    std::string Driver;
    std::string FriendlyName;
    std::vector<std::string> HardwareID;
    std::vector<std::string> LowerFilters;
    std::string Mfg;
    std::vector<std::string> UpperFilters;
    std::string Service;
    std::string Address;
    std::uint32_t BusNumber = 0;
    std::string BusType;
    std::string Characteristics;
    std::uint32_t DevType = 0;
    std::string EnumeratorName;
    std::uint32_t Exclusive = 0;
    std::uint32_t LegacyBusType = 0;
    std::string LocationInfo;
    std::string PhysDevObjName;
    std::string SecuritySDS;
    std::uint32_t UINumber = 0;
    std::string UINumberFormat;

    // Readers of one property: empty text, an empty list or 0 when it cannot be read.
    static std::string GetRegistryPropertyString(HDEVINFO pnPHandle, const SP_DEVINFO_DATA& devData,
                                                 std::uint32_t prop);
    static std::vector<std::string> GetRegistryPropertyStringList(HDEVINFO pnPHandle,
                                                                  const SP_DEVINFO_DATA& devData,
                                                                  std::uint32_t prop);
    static std::uint32_t GetRegistryPropertyDWord(HDEVINFO pnPHandle,
                                                  const SP_DEVINFO_DATA& devData,
                                                  std::uint32_t prop);

private:
    std::uint32_t FDeviceID = 0;
    std::string FDevicePath;
};

}  // namespace dsp
