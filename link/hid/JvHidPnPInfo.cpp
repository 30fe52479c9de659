#include "link/hid/JvHidPnPInfo.h"

#include <vector>

#include "framework/hid/Utf16.h"
#include "link/hid/SetupApi.h"

namespace dsp {
namespace {

// The UTF-16 text at the start of a buffer, up to its terminator.
std::u16string WideText(const std::vector<char16_t>& buffer, std::size_t from = 0) {
    std::u16string text;
    for (std::size_t i = from; i < buffer.size() && buffer[i] != 0; ++i) text.push_back(buffer[i]);
    return text;
}

bool ReadProperty(HDEVINFO handle, const SP_DEVINFO_DATA& data, std::uint32_t prop, void* buffer,
                  std::uint32_t size) {
    if (SetupDiGetDeviceRegistryPropertyW == nullptr) return false;
    SP_DEVINFO_DATA record = data;
    std::uint32_t type = 0;
    return SetupDiGetDeviceRegistryPropertyW(handle, &record, prop, &type,
                                             static_cast<std::uint8_t*>(buffer), size, nullptr);
}

}  // namespace

std::string TJvHidPnPInfo::GetRegistryPropertyString(HDEVINFO pnPHandle,
                                                     const SP_DEVINFO_DATA& devData,
                                                     std::uint32_t prop) {
    std::vector<char16_t> buffer(1024, 0);
    if (!ReadProperty(pnPHandle, devData, prop, buffer.data(),
                      std::uint32_t(buffer.size() * sizeof(char16_t))))
        return {};
    buffer.back() = 0;
    return Utf16ToUtf8(WideText(buffer));
}

std::vector<std::string> TJvHidPnPInfo::GetRegistryPropertyStringList(
    HDEVINFO pnPHandle, const SP_DEVINFO_DATA& devData, std::uint32_t prop) {
    std::vector<char16_t> buffer(32768 / sizeof(char16_t), 0);
    std::vector<std::string> list;
    if (!ReadProperty(pnPHandle, devData, prop, buffer.data(), 32768)) return list;
    buffer.back() = 0;
    for (std::size_t at = 0; at < buffer.size() && buffer[at] != 0;) {
        std::u16string entry = WideText(buffer, at);
        at += entry.size() + 1;
        list.push_back(Utf16ToUtf8(entry));
    }
    return list;
}

std::uint32_t TJvHidPnPInfo::GetRegistryPropertyDWord(HDEVINFO pnPHandle,
                                                      const SP_DEVINFO_DATA& devData,
                                                      std::uint32_t prop) {
    std::uint32_t value = 0;
    if (!ReadProperty(pnPHandle, devData, prop, &value, sizeof value)) return 0;
    return value;
}

TJvHidPnPInfo::TJvHidPnPInfo(HDEVINFO pnpHandle, const SP_DEVINFO_DATA& devData,
                             const std::string& devicePath)
    : FDeviceID(devData.DevInst), FDevicePath(devicePath) {
    auto text = [&](std::uint32_t p) { return GetRegistryPropertyString(pnpHandle, devData, p); };
    auto list = [&](std::uint32_t p) {
        return GetRegistryPropertyStringList(pnpHandle, devData, p);
    };
    auto number = [&](std::uint32_t p) { return GetRegistryPropertyDWord(pnpHandle, devData, p); };
    Capabilities = number(SPDRP_CAPABILITIES);
    ClassDescr = text(SPDRP_CLASS);
    ClassGUID = text(SPDRP_CLASSGUID);
    CompatibleIDs = list(SPDRP_COMPATIBLEIDS);
    ConfigFlags = number(SPDRP_CONFIGFLAGS);
    DeviceDescr = text(SPDRP_DEVICEDESC);
    Driver = text(SPDRP_DRIVER);
    FriendlyName = text(SPDRP_FRIENDLYNAME);
    HardwareID = list(SPDRP_HARDWAREID);
    LowerFilters = list(SPDRP_LOWERFILTERS);
    Mfg = text(SPDRP_MFG);
    UpperFilters = list(SPDRP_UPPERFILTERS);
    Service = text(SPDRP_SERVICE);
    Address = text(SPDRP_ADDRESS);
    BusNumber = number(SPDRP_BUSNUMBER);
    BusType = text(SPDRP_BUSTYPEGUID);
    Characteristics = text(SPDRP_CHARACTERISTICS);
    DevType = number(SPDRP_DEVTYPE);
    EnumeratorName = text(SPDRP_ENUMERATOR_NAME);
    Exclusive = number(SPDRP_EXCLUSIVE);
    LegacyBusType = number(SPDRP_LEGACYBUSTYPE);
    LocationInfo = text(SPDRP_LOCATION_INFORMATION);
    PhysDevObjName = text(SPDRP_PHYSICAL_DEVICE_OBJECT_NAME);
    SecuritySDS = text(SPDRP_SECURITY_SDS);
    UINumber = number(SPDRP_UI_NUMBER);
    UINumberFormat = text(SPDRP_UI_NUMBER_DESC_FORMAT);
}

}  // namespace dsp
