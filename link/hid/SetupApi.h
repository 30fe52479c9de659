#pragma once
// The device-interface enumeration functions, bound by name from the platform's setup library.
// Loading is counted: each successful LoadSetupApi needs its UnloadSetupApi.

#include <cstdint>

#include "framework/hid/HidTypes.h"
#include "link/hid/ModuleLoader.h"

namespace dsp {

extern const char* const SetupApiModuleName;

using TSetupDiGetClassDevsW = HDEVINFO (*)(const TGUID* ClassGuid, const char16_t* Enumerator,
                                           void* hwndParent, std::uint32_t Flags);
using TSetupDiEnumDeviceInterfaces = bool (*)(HDEVINFO DeviceInfoSet,
                                              SP_DEVINFO_DATA* DeviceInfoData,
                                              const TGUID* InterfaceClassGuid,
                                              std::uint32_t MemberIndex,
                                              SP_DEVICE_INTERFACE_DATA* DeviceInterfaceData);
using TSetupDiGetDeviceInterfaceDetailA =
    bool (*)(HDEVINFO DeviceInfoSet, SP_DEVICE_INTERFACE_DATA* DeviceInterfaceData,
             SP_DEVICE_INTERFACE_DETAIL_DATA_A* DeviceInterfaceDetailData,
             std::uint32_t DeviceInterfaceDetailDataSize, std::uint32_t* RequiredSize,
             SP_DEVINFO_DATA* DeviceInfoData);
using TSetupDiGetDeviceInterfaceDetail = TSetupDiGetDeviceInterfaceDetailA;
using TSetupDiGetDeviceRegistryPropertyW =
    bool (*)(HDEVINFO DeviceInfoSet, SP_DEVINFO_DATA* DeviceInfoData, std::uint32_t Property,
             std::uint32_t* PropertyRegDataType, std::uint8_t* PropertyBuffer,
             std::uint32_t PropertyBufferSize, std::uint32_t* RequiredSize);
using TSetupDiDestroyDeviceInfoList = bool (*)(HDEVINFO DeviceInfoSet);

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
