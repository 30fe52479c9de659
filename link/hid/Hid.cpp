#include "link/hid/Hid.h"

#include <type_traits>

#include "framework/hid/HidDeviceServices.h"
#include "framework/hid/HidLibraries.h"
#include "framework/hid/HidParser.h"

namespace dsp {

const char* const HidModuleName = kHidLibraryName;

// The entry types must match what the library exports under each name.
#define DSP_SAME_TYPE(name)                                              \
    static_assert(std::is_same_v<T##name, decltype(&hidservices::name)>, \
                  #name " has another signature")
DSP_SAME_TYPE(HidD_Hello);
DSP_SAME_TYPE(HidD_GetHidGuid);
DSP_SAME_TYPE(HidD_GetPreparsedData);
DSP_SAME_TYPE(HidD_FreePreparsedData);
DSP_SAME_TYPE(HidD_GetConfiguration);
DSP_SAME_TYPE(HidD_SetConfiguration);
DSP_SAME_TYPE(HidD_FlushQueue);
DSP_SAME_TYPE(HidD_GetFeature);
DSP_SAME_TYPE(HidD_SetFeature);
DSP_SAME_TYPE(HidD_GetNumInputBuffers);
DSP_SAME_TYPE(HidD_SetNumInputBuffers);
DSP_SAME_TYPE(HidD_GetAttributes);
DSP_SAME_TYPE(HidD_GetManufacturerString);
DSP_SAME_TYPE(HidD_GetProductString);
DSP_SAME_TYPE(HidD_GetSerialNumberString);
DSP_SAME_TYPE(HidD_GetPhysicalDescriptor);
DSP_SAME_TYPE(HidD_GetIndexedString);
DSP_SAME_TYPE(HidD_GetInputReport);
DSP_SAME_TYPE(HidD_SetOutputReport);
DSP_SAME_TYPE(HidP_GetCaps);
DSP_SAME_TYPE(HidP_GetLinkCollectionNodes);
DSP_SAME_TYPE(HidP_GetSpecificButtonCaps);
DSP_SAME_TYPE(HidP_GetSpecificValueCaps);
DSP_SAME_TYPE(HidP_GetData);
DSP_SAME_TYPE(HidP_SetData);
DSP_SAME_TYPE(HidP_MaxDataListLength);
DSP_SAME_TYPE(HidP_GetUsages);
DSP_SAME_TYPE(HidP_GetUsagesEx);
DSP_SAME_TYPE(HidP_SetUsages);
DSP_SAME_TYPE(HidP_UnsetUsages);
DSP_SAME_TYPE(HidP_MaxUsageListLength);
DSP_SAME_TYPE(HidP_GetUsageValue);
DSP_SAME_TYPE(HidP_GetScaledUsageValue);
DSP_SAME_TYPE(HidP_GetUsageValueArray);
DSP_SAME_TYPE(HidP_SetUsageValue);
DSP_SAME_TYPE(HidP_SetScaledUsageValue);
DSP_SAME_TYPE(HidP_SetUsageValueArray);
DSP_SAME_TYPE(HidP_UsageListDifference);
DSP_SAME_TYPE(HidP_TranslateUsagesToI8042ScanCodes);
DSP_SAME_TYPE(HidP_GetExtendedAttributes);
DSP_SAME_TYPE(HidP_InitializeReportForID);
#undef DSP_SAME_TYPE

THidD_Hello HidD_Hello = nullptr;
THidD_GetHidGuid HidD_GetHidGuid = nullptr;
THidD_GetPreparsedData HidD_GetPreparsedData = nullptr;
THidD_FreePreparsedData HidD_FreePreparsedData = nullptr;
THidD_GetConfiguration HidD_GetConfiguration = nullptr;
THidD_SetConfiguration HidD_SetConfiguration = nullptr;
THidD_FlushQueue HidD_FlushQueue = nullptr;
THidD_GetFeature HidD_GetFeature = nullptr;
THidD_SetFeature HidD_SetFeature = nullptr;
THidD_GetNumInputBuffers HidD_GetNumInputBuffers = nullptr;
THidD_SetNumInputBuffers HidD_SetNumInputBuffers = nullptr;
THidD_GetAttributes HidD_GetAttributes = nullptr;
THidD_GetManufacturerString HidD_GetManufacturerString = nullptr;
THidD_GetProductString HidD_GetProductString = nullptr;
THidD_GetSerialNumberString HidD_GetSerialNumberString = nullptr;
THidD_GetPhysicalDescriptor HidD_GetPhysicalDescriptor = nullptr;
THidD_GetIndexedString HidD_GetIndexedString = nullptr;
THidD_GetInputReport HidD_GetInputReport = nullptr;
THidD_SetOutputReport HidD_SetOutputReport = nullptr;
THidP_GetCaps HidP_GetCaps = nullptr;
THidP_GetLinkCollectionNodes HidP_GetLinkCollectionNodes = nullptr;
THidP_GetSpecificButtonCaps HidP_GetSpecificButtonCaps = nullptr;
THidP_GetSpecificValueCaps HidP_GetSpecificValueCaps = nullptr;
THidP_GetData HidP_GetData = nullptr;
THidP_SetData HidP_SetData = nullptr;
THidP_MaxDataListLength HidP_MaxDataListLength = nullptr;
THidP_GetUsages HidP_GetUsages = nullptr;
THidP_GetButtons HidP_GetButtons = nullptr;
THidP_GetUsagesEx HidP_GetUsagesEx = nullptr;
THidP_GetButtonsEx HidP_GetButtonsEx = nullptr;
THidP_SetUsages HidP_SetUsages = nullptr;
THidP_SetButtons HidP_SetButtons = nullptr;
THidP_UnsetUsages HidP_UnsetUsages = nullptr;
THidP_UnsetButtons HidP_UnsetButtons = nullptr;
THidP_MaxUsageListLength HidP_MaxUsageListLength = nullptr;
THidP_MaxButtonListLength HidP_MaxButtonListLength = nullptr;
THidP_GetUsageValue HidP_GetUsageValue = nullptr;
THidP_GetScaledUsageValue HidP_GetScaledUsageValue = nullptr;
THidP_GetUsageValueArray HidP_GetUsageValueArray = nullptr;
THidP_SetUsageValue HidP_SetUsageValue = nullptr;
THidP_SetScaledUsageValue HidP_SetScaledUsageValue = nullptr;
THidP_SetUsageValueArray HidP_SetUsageValueArray = nullptr;
THidP_UsageListDifference HidP_UsageListDifference = nullptr;
THidP_TranslateUsagesToI8042ScanCodes HidP_TranslateUsagesToI8042ScanCodes = nullptr;
THidP_GetExtendedAttributes HidP_GetExtendedAttributes = nullptr;
THidP_InitializeReportForID HidP_InitializeReportForID = nullptr;

namespace {

TModuleHandle hidModule = nullptr;

template <typename F>
void Bind(F& entry, const char* name, bool& accu) {
    entry = reinterpret_cast<F>(GetModuleSymbolEx(hidModule, name, accu));
}

// Whether the library can ask devices for input reports and send output reports outside the
// report stream; the two entries that do so are bound only then.
bool OffersDirectReports() {
    using TQuery = bool (*)();
    auto query = reinterpret_cast<TQuery>(GetModuleSymbol(hidModule, "HidDirectReportsAvailable"));
    return query != nullptr && query();
}

}  // namespace

bool LoadHid() {
    if (!LoadModule(hidModule, HidModuleName)) return false;
    bool accu = true;
    Bind(HidD_Hello, "HidD_Hello", accu);
    Bind(HidD_GetHidGuid, "HidD_GetHidGuid", accu);
    Bind(HidD_GetPreparsedData, "HidD_GetPreparsedData", accu);
    Bind(HidD_FreePreparsedData, "HidD_FreePreparsedData", accu);
    Bind(HidD_GetConfiguration, "HidD_GetConfiguration", accu);
    Bind(HidD_SetConfiguration, "HidD_SetConfiguration", accu);
    Bind(HidD_FlushQueue, "HidD_FlushQueue", accu);
    Bind(HidD_GetFeature, "HidD_GetFeature", accu);
    Bind(HidD_SetFeature, "HidD_SetFeature", accu);
    Bind(HidD_GetNumInputBuffers, "HidD_GetNumInputBuffers", accu);
    Bind(HidD_SetNumInputBuffers, "HidD_SetNumInputBuffers", accu);
    Bind(HidD_GetAttributes, "HidD_GetAttributes", accu);
    Bind(HidD_GetManufacturerString, "HidD_GetManufacturerString", accu);
    Bind(HidD_GetProductString, "HidD_GetProductString", accu);
    Bind(HidD_GetSerialNumberString, "HidD_GetSerialNumberString", accu);
    Bind(HidD_GetPhysicalDescriptor, "HidD_GetPhysicalDescriptor", accu);
    Bind(HidD_GetIndexedString, "HidD_GetIndexedString", accu);
    if (OffersDirectReports()) {
        Bind(HidD_GetInputReport, "HidD_GetInputReport", accu);
        Bind(HidD_SetOutputReport, "HidD_SetOutputReport", accu);
    } else {
        HidD_GetInputReport = nullptr;
        HidD_SetOutputReport = nullptr;
    }
    Bind(HidP_GetCaps, "HidP_GetCaps", accu);
    Bind(HidP_GetLinkCollectionNodes, "HidP_GetLinkCollectionNodes", accu);
    Bind(HidP_GetSpecificButtonCaps, "HidP_GetSpecificButtonCaps", accu);
    Bind(HidP_GetSpecificValueCaps, "HidP_GetSpecificValueCaps", accu);
    Bind(HidP_GetData, "HidP_GetData", accu);
    Bind(HidP_SetData, "HidP_SetData", accu);
    Bind(HidP_MaxDataListLength, "HidP_MaxDataListLength", accu);
    Bind(HidP_GetUsages, "HidP_GetUsages", accu);
    Bind(HidP_GetButtons, "HidP_GetUsages", accu);
    Bind(HidP_GetUsagesEx, "HidP_GetUsagesEx", accu);
    Bind(HidP_GetButtonsEx, "HidP_GetUsagesEx", accu);
    Bind(HidP_SetUsages, "HidP_SetUsages", accu);
    Bind(HidP_SetButtons, "HidP_SetUsages", accu);
    Bind(HidP_UnsetUsages, "HidP_UnsetUsages", accu);
    Bind(HidP_UnsetButtons, "HidP_UnsetUsages", accu);
    Bind(HidP_MaxUsageListLength, "HidP_MaxUsageListLength", accu);
    Bind(HidP_MaxButtonListLength, "HidP_MaxUsageListLength", accu);
    Bind(HidP_GetUsageValue, "HidP_GetUsageValue", accu);
    Bind(HidP_GetScaledUsageValue, "HidP_GetScaledUsageValue", accu);
    Bind(HidP_GetUsageValueArray, "HidP_GetUsageValueArray", accu);
    Bind(HidP_SetUsageValue, "HidP_SetUsageValue", accu);
    Bind(HidP_SetScaledUsageValue, "HidP_SetScaledUsageValue", accu);
    Bind(HidP_SetUsageValueArray, "HidP_SetUsageValueArray", accu);
    Bind(HidP_UsageListDifference, "HidP_UsageListDifference", accu);
    Bind(HidP_TranslateUsagesToI8042ScanCodes, "HidP_TranslateUsagesToI8042ScanCodes", accu);
    // The report-descriptor parser of this platform always has the extended attributes and the
    // report initialisation.
    Bind(HidP_GetExtendedAttributes, "HidP_GetExtendedAttributes", accu);
    Bind(HidP_InitializeReportForID, "HidP_InitializeReportForID", accu);
    if (!accu) UnloadHid();
    return accu;
}

void UnloadHid() {
    UnloadModule(hidModule);
    HidD_Hello = nullptr;
    HidD_GetHidGuid = nullptr;
    HidD_GetPreparsedData = nullptr;
    HidD_FreePreparsedData = nullptr;
    HidD_GetConfiguration = nullptr;
    HidD_SetConfiguration = nullptr;
    HidD_FlushQueue = nullptr;
    HidD_GetFeature = nullptr;
    HidD_SetFeature = nullptr;
    HidD_GetNumInputBuffers = nullptr;
    HidD_SetNumInputBuffers = nullptr;
    HidD_GetAttributes = nullptr;
    HidD_GetManufacturerString = nullptr;
    HidD_GetProductString = nullptr;
    HidD_GetSerialNumberString = nullptr;
    HidD_GetPhysicalDescriptor = nullptr;
    HidD_GetIndexedString = nullptr;
    HidD_GetInputReport = nullptr;
    HidD_SetOutputReport = nullptr;
    HidP_GetCaps = nullptr;
    HidP_GetLinkCollectionNodes = nullptr;
    HidP_GetSpecificButtonCaps = nullptr;
    HidP_GetSpecificValueCaps = nullptr;
    HidP_GetData = nullptr;
    HidP_SetData = nullptr;
    HidP_MaxDataListLength = nullptr;
    HidP_GetUsages = nullptr;
    HidP_GetButtons = nullptr;
    HidP_GetUsagesEx = nullptr;
    HidP_GetButtonsEx = nullptr;
    HidP_SetUsages = nullptr;
    HidP_SetButtons = nullptr;
    HidP_UnsetUsages = nullptr;
    HidP_UnsetButtons = nullptr;
    HidP_MaxUsageListLength = nullptr;
    HidP_MaxButtonListLength = nullptr;
    HidP_GetUsageValue = nullptr;
    HidP_GetScaledUsageValue = nullptr;
    HidP_GetUsageValueArray = nullptr;
    HidP_SetUsageValue = nullptr;
    HidP_SetScaledUsageValue = nullptr;
    HidP_SetUsageValueArray = nullptr;
    HidP_UsageListDifference = nullptr;
    HidP_TranslateUsagesToI8042ScanCodes = nullptr;
    HidP_GetExtendedAttributes = nullptr;
    HidP_InitializeReportForID = nullptr;
}

bool IsHidLoaded() { return hidModule != nullptr; }

NTSTATUS HidP_GetButtonCaps_(HIDP_REPORT_TYPE reportType, HIDP_BUTTON_CAPS* buttonCaps,
                             std::uint16_t* buttonCapsLength, PHIDP_PREPARSED_DATA preparsedData) {
    return HidP_GetSpecificButtonCaps(reportType, 0, 0, 0, buttonCaps, buttonCapsLength,
                                      preparsedData);
}

NTSTATUS HidP_GetValueCaps_(HIDP_REPORT_TYPE reportType, HIDP_VALUE_CAPS* valueCaps,
                            std::uint16_t* valueCapsLength, PHIDP_PREPARSED_DATA preparsedData) {
    return HidP_GetSpecificValueCaps(reportType, 0, 0, 0, valueCaps, valueCapsLength,
                                     preparsedData);
}

bool HidP_IsSameUsageAndPage_(const USAGE_AND_PAGE& u1, const USAGE_AND_PAGE& u2) {
    return u1.Usage == u2.Usage && u1.UsagePage == u2.UsagePage;
}

}  // namespace dsp
