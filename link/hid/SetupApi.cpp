#include "link/hid/SetupApi.h"

#include <type_traits>

#include "framework/hid/HidLibraries.h"
#include "framework/hid/SetupServices.h"

namespace dsp {

const char* const SetupApiModuleName = kSetupLibraryName;

static_assert(std::is_same_v<TSetupDiGetClassDevsW, decltype(&hidservices::SetupDiGetClassDevsW)>);
static_assert(std::is_same_v<TSetupDiEnumDeviceInterfaces,
                             decltype(&hidservices::SetupDiEnumDeviceInterfaces)>);
static_assert(std::is_same_v<TSetupDiGetDeviceInterfaceDetailA,
                             decltype(&hidservices::SetupDiGetDeviceInterfaceDetailA)>);
static_assert(std::is_same_v<TSetupDiGetDeviceRegistryPropertyW,
                             decltype(&hidservices::SetupDiGetDeviceRegistryPropertyW)>);
static_assert(std::is_same_v<TSetupDiDestroyDeviceInfoList,
                             decltype(&hidservices::SetupDiDestroyDeviceInfoList)>);

TSetupDiGetClassDevsW SetupDiGetClassDevsW = nullptr;
TSetupDiEnumDeviceInterfaces SetupDiEnumDeviceInterfaces = nullptr;
TSetupDiGetDeviceInterfaceDetailA SetupDiGetDeviceInterfaceDetailA = nullptr;
TSetupDiGetDeviceInterfaceDetail SetupDiGetDeviceInterfaceDetail = nullptr;
TSetupDiGetDeviceRegistryPropertyW SetupDiGetDeviceRegistryPropertyW = nullptr;
TSetupDiDestroyDeviceInfoList SetupDiDestroyDeviceInfoList = nullptr;

namespace {

TModuleHandle setupModule = nullptr;
std::int32_t setupReferences = 0;

template <typename F>
void Bind(F& entry, const char* name, bool& accu) {
    entry = reinterpret_cast<F>(GetModuleSymbolEx(setupModule, name, accu));
}

}  // namespace

bool LoadSetupApi() {
    ++setupReferences;
    if (setupModule != nullptr) return true;
    if (!LoadModule(setupModule, SetupApiModuleName)) {
        --setupReferences;
        return false;
    }
    bool accu = true;
    Bind(SetupDiGetClassDevsW, "SetupDiGetClassDevsW", accu);
    Bind(SetupDiEnumDeviceInterfaces, "SetupDiEnumDeviceInterfaces", accu);
    Bind(SetupDiGetDeviceInterfaceDetailA, "SetupDiGetDeviceInterfaceDetailA", accu);
    Bind(SetupDiGetDeviceInterfaceDetail, "SetupDiGetDeviceInterfaceDetailA", accu);
    Bind(SetupDiGetDeviceRegistryPropertyW, "SetupDiGetDeviceRegistryPropertyW", accu);
    Bind(SetupDiDestroyDeviceInfoList, "SetupDiDestroyDeviceInfoList", accu);
    if (!accu) UnloadSetupApi();
    return accu;
}

void UnloadSetupApi() {
    --setupReferences;
    if (setupReferences > 0) return;
    setupReferences = 0;
    UnloadModule(setupModule);
    SetupDiGetClassDevsW = nullptr;
    SetupDiEnumDeviceInterfaces = nullptr;
    SetupDiGetDeviceInterfaceDetailA = nullptr;
    SetupDiGetDeviceInterfaceDetail = nullptr;
    SetupDiGetDeviceRegistryPropertyW = nullptr;
    SetupDiDestroyDeviceInfoList = nullptr;
}

bool IsSetupApiLoaded() { return setupModule != nullptr; }

TModuleHandle GetSetupApiModuleHandle() { return setupModule; }

}  // namespace dsp
