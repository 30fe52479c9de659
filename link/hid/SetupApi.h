#pragma once
// The device-interface enumeration functions, bound by name from the platform's setup library.
// Loading is counted: each successful LoadSetupApi needs its UnloadSetupApi.

#include <cstdint>

#include "framework/hid/HidTypes.h"
#include "link/hid/ModuleLoader.h"

namespace dsp {

extern const char* const SetupApiModuleName;

using TSetupDiGetClassDevsW = HDEVINFO (*)(const TGUID* classGuid, const char16_t* enumerator,
                                           void* hwndParent, std::uint32_t flags);
using TSetupDiEnumDeviceInterfaces = bool (*)(HDEVINFO deviceInfoSet,
                                              SP_DEVINFO_DATA* deviceInfoData,
                                              const TGUID* interfaceClassGuid,
                                              std::uint32_t memberIndex,
                                              SP_DEVICE_INTERFACE_DATA* deviceInterfaceData);
using TSetupDiGetDeviceInterfaceDetailA =
    bool (*)(HDEVINFO deviceInfoSet, SP_DEVICE_INTERFACE_DATA* deviceInterfaceData,
             SP_DEVICE_INTERFACE_DETAIL_DATA_A* deviceInterfaceDetailData,
             std::uint32_t deviceInterfaceDetailDataSize, std::uint32_t* requiredSize,
             SP_DEVINFO_DATA* deviceInfoData);
using TSetupDiGetDeviceInterfaceDetail = TSetupDiGetDeviceInterfaceDetailA;
using TSetupDiGetDeviceRegistryPropertyW =
    bool (*)(HDEVINFO deviceInfoSet, SP_DEVINFO_DATA* deviceInfoData, std::uint32_t property,
             std::uint32_t* propertyRegDataType, std::uint8_t* propertyBuffer,
             std::uint32_t propertyBufferSize, std::uint32_t* requiredSize);
using TSetupDiDestroyDeviceInfoList = bool (*)(HDEVINFO deviceInfoSet);

extern TSetupDiGetClassDevsW SetupDiGetClassDevsW;
extern TSetupDiEnumDeviceInterfaces SetupDiEnumDeviceInterfaces;
extern TSetupDiGetDeviceInterfaceDetailA SetupDiGetDeviceInterfaceDetailA;
// The plain name is bound to the 8-bit form, so paths come back as 8-bit text.
extern TSetupDiGetDeviceInterfaceDetail SetupDiGetDeviceInterfaceDetail;
extern TSetupDiGetDeviceRegistryPropertyW SetupDiGetDeviceRegistryPropertyW;
extern TSetupDiDestroyDeviceInfoList SetupDiDestroyDeviceInfoList;

// Counts the caller; loads and binds every entry on the first call. When the library or any
// entry is missing, the count is taken back, nothing stays bound and the result is false.
bool LoadSetupApi();
// Takes one count away; at 0 frees the library and sets every entry to null.
void UnloadSetupApi();
bool IsSetupApiLoaded();
TModuleHandle GetSetupApiModuleHandle();

}  // namespace dsp
