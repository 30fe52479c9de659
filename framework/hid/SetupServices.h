#pragma once
// Listing the present HID interfaces: a snapshot of the interfaces of a class, walked by index,
// each with its path, its device-instance identity and its properties.

#include <cstdint>

#include "framework/hid/HidTypes.h"

namespace dsp {

inline constexpr std::uint32_t ERROR_INVALID_USER_BUFFER = 1784;

// The services themselves, reached by name through the built-in setup library.
namespace hidservices {

// A snapshot of the present interfaces of the class (only HID interfaces exist here);
// InvalidDeviceInfoSet() when it cannot be taken.
HDEVINFO SetupDiGetClassDevsW(const TGUID* classGuid, const char16_t* enumerator,
                              void* parentWindow, std::uint32_t flags);
// The interface at memberIndex; false with ERROR_NO_MORE_ITEMS past the last one.
bool SetupDiEnumDeviceInterfaces(HDEVINFO deviceInfoSet, SP_DEVINFO_DATA* deviceInfoData,
                                 const TGUID* interfaceClassGuid, std::uint32_t memberIndex,
                                 SP_DEVICE_INTERFACE_DATA* deviceInterfaceData);
// The interface's path behind the record's size field (which must hold
// kDeviceInterfaceDetailDataASize) and its device-instance record. Without a buffer large enough
// it fails with ERROR_INSUFFICIENT_BUFFER and tells the size needed.
bool SetupDiGetDeviceInterfaceDetailA(HDEVINFO deviceInfoSet,
                                      SP_DEVICE_INTERFACE_DATA* deviceInterfaceData,
                                      SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail,
                                      std::uint32_t detailSize, std::uint32_t* requiredSize,
                                      SP_DEVINFO_DATA* deviceInfoData);
// A property of the device (SPDRP_ codes): UTF-16 text, a list of texts each zero-terminated and
// ended by an empty one, or a 32-bit number. False with ERROR_INVALID_DATA when the device has none.
bool SetupDiGetDeviceRegistryPropertyW(HDEVINFO deviceInfoSet, SP_DEVINFO_DATA* deviceInfoData,
                                       std::uint32_t property, std::uint32_t* propertyRegDataType,
                                       std::uint8_t* propertyBuffer,
                                       std::uint32_t propertyBufferSize,
                                       std::uint32_t* requiredSize);
bool SetupDiDestroyDeviceInfoList(HDEVINFO deviceInfoSet);

}  // namespace hidservices
}  // namespace dsp
