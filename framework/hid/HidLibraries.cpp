#include "framework/hid/HidLibraries.h"

#include "framework/hid/HidDeviceServices.h"
#include "framework/hid/HidParser.h"
#include "framework/hid/SetupServices.h"

namespace dsp {

std::vector<std::pair<std::string, std::vector<TLibraryExport>>> BuiltinHidLibraries() {
#define DSP_EXPORT(f) TLibraryExport{#f, ExportAddress(&hidservices::f)}
    std::vector<TLibraryExport> hid{
        DSP_EXPORT(HidD_Hello),
        DSP_EXPORT(HidD_GetHidGuid),
        DSP_EXPORT(HidD_GetPreparsedData),
        DSP_EXPORT(HidD_FreePreparsedData),
        DSP_EXPORT(HidD_GetConfiguration),
        DSP_EXPORT(HidD_SetConfiguration),
        DSP_EXPORT(HidD_FlushQueue),
        DSP_EXPORT(HidD_GetFeature),
        DSP_EXPORT(HidD_SetFeature),
        DSP_EXPORT(HidD_GetNumInputBuffers),
        DSP_EXPORT(HidD_SetNumInputBuffers),
        DSP_EXPORT(HidD_GetAttributes),
        DSP_EXPORT(HidD_GetManufacturerString),
        DSP_EXPORT(HidD_GetProductString),
        DSP_EXPORT(HidD_GetSerialNumberString),
        DSP_EXPORT(HidD_GetPhysicalDescriptor),
        DSP_EXPORT(HidD_GetIndexedString),
        DSP_EXPORT(HidD_GetInputReport),
        DSP_EXPORT(HidD_SetOutputReport),
        DSP_EXPORT(HidP_GetCaps),
        DSP_EXPORT(HidP_GetLinkCollectionNodes),
        DSP_EXPORT(HidP_GetSpecificButtonCaps),
        DSP_EXPORT(HidP_GetSpecificValueCaps),
        DSP_EXPORT(HidP_GetData),
        DSP_EXPORT(HidP_SetData),
        DSP_EXPORT(HidP_MaxDataListLength),
        DSP_EXPORT(HidP_GetUsages),
        DSP_EXPORT(HidP_GetUsagesEx),
        DSP_EXPORT(HidP_SetUsages),
        DSP_EXPORT(HidP_UnsetUsages),
        DSP_EXPORT(HidP_MaxUsageListLength),
        DSP_EXPORT(HidP_GetUsageValue),
        DSP_EXPORT(HidP_GetScaledUsageValue),
        DSP_EXPORT(HidP_GetUsageValueArray),
        DSP_EXPORT(HidP_SetUsageValue),
        DSP_EXPORT(HidP_SetScaledUsageValue),
        DSP_EXPORT(HidP_SetUsageValueArray),
        DSP_EXPORT(HidP_UsageListDifference),
        DSP_EXPORT(HidP_TranslateUsagesToI8042ScanCodes),
        DSP_EXPORT(HidP_GetExtendedAttributes),
        DSP_EXPORT(HidP_InitializeReportForID),
        DSP_EXPORT(HidDirectReportsAvailable),
        DSP_EXPORT(HidServicesVersion),
    };
    std::vector<TLibraryExport> setup{
        DSP_EXPORT(SetupDiGetClassDevsW),
        DSP_EXPORT(SetupDiEnumDeviceInterfaces),
        DSP_EXPORT(SetupDiGetDeviceInterfaceDetailA),
        DSP_EXPORT(SetupDiGetDeviceRegistryPropertyW),
        DSP_EXPORT(SetupDiDestroyDeviceInfoList),
    };
#undef DSP_EXPORT
    return {{kHidLibraryName, std::move(hid)}, {kSetupLibraryName, std::move(setup)}};
}

}  // namespace dsp
