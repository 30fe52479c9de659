#pragma once
// The HID device and report-descriptor functions, bound by name from the platform's HID library
// when the device controller is created. Every entry is null until LoadHid bound them all.

#include <cstdint>
#include <string>

#include "framework/hid/HidTypes.h"
#include "link/hid/ModuleLoader.h"

namespace dsp {

// The platform library that holds the HID functions.
extern const char* const HidModuleName;

using THidD_Hello = std::uint32_t (*)(char* buffer, std::uint32_t bufferLength);
using THidD_GetHidGuid = void (*)(TGUID* hidGuid);
using THidD_GetPreparsedData = bool (*)(THidHandle hidDeviceObject,
                                        PHIDP_PREPARSED_DATA* preparsedData);
using THidD_FreePreparsedData = bool (*)(PHIDP_PREPARSED_DATA preparsedData);
using THidD_GetConfiguration = bool (*)(THidHandle hidDeviceObject,
                                        HIDD_CONFIGURATION* configuration,
                                        std::uint32_t configurationLength);
using THidD_SetConfiguration = bool (*)(THidHandle hidDeviceObject,
                                        const HIDD_CONFIGURATION* configuration,
                                        std::uint32_t configurationLength);
using THidD_FlushQueue = bool (*)(THidHandle hidDeviceObject);
using THidD_GetFeature = bool (*)(THidHandle hidDeviceObject, void* reportBuffer,
                                  std::uint32_t reportBufferLength);
using THidD_SetFeature = THidD_GetFeature;
using THidD_GetNumInputBuffers = bool (*)(THidHandle hidDeviceObject, std::uint32_t* numBufs);
using THidD_SetNumInputBuffers = bool (*)(THidHandle hidDeviceObject, std::uint32_t numBufs);
using THidD_GetAttributes = bool (*)(THidHandle hidDeviceObject, HIDD_ATTRIBUTES* hidAttrs);
using THidD_GetString = bool (*)(THidHandle hidDeviceObject, void* buffer,
                                 std::uint32_t bufferLength);
using THidD_GetManufacturerString = THidD_GetString;
using THidD_GetProductString = THidD_GetString;
using THidD_GetSerialNumberString = THidD_GetString;
using THidD_GetPhysicalDescriptor = THidD_GetString;
using THidD_GetIndexedString = bool (*)(THidHandle hidDeviceObject, std::uint32_t stringIndex,
                                        void* buffer, std::uint32_t bufferLength);
using THidD_GetInputReport = THidD_GetFeature;
using THidD_SetOutputReport = THidD_GetFeature;

using THidP_GetCaps = NTSTATUS (*)(PHIDP_PREPARSED_DATA preparsedData, HIDP_CAPS* capabilities);
using THidP_GetLinkCollectionNodes = NTSTATUS (*)(HIDP_LINK_COLLECTION_NODE* linkCollectionNodes,
                                                  std::uint32_t* linkCollectionNodesLength,
                                                  PHIDP_PREPARSED_DATA preparsedData);
using THidP_GetSpecificButtonCaps = NTSTATUS (*)(HIDP_REPORT_TYPE reportType, USAGE usagePage,
                                                 std::uint16_t linkCollection, USAGE usage,
                                                 HIDP_BUTTON_CAPS* buttonCaps,
                                                 std::uint16_t* buttonCapsLength,
                                                 PHIDP_PREPARSED_DATA preparsedData);
using THidP_GetSpecificValueCaps = NTSTATUS (*)(HIDP_REPORT_TYPE reportType, USAGE usagePage,
                                                std::uint16_t linkCollection, USAGE usage,
                                                HIDP_VALUE_CAPS* valueCaps,
                                                std::uint16_t* valueCapsLength,
                                                PHIDP_PREPARSED_DATA preparsedData);
using THidP_GetData = NTSTATUS (*)(HIDP_REPORT_TYPE reportType, HIDP_DATA* dataList,
                                   std::uint32_t* dataLength, PHIDP_PREPARSED_DATA preparsedData,
                                   std::uint8_t* report, std::uint32_t reportLength);
using THidP_SetData = THidP_GetData;
using THidP_MaxDataListLength = std::uint32_t (*)(HIDP_REPORT_TYPE reportType,
                                                  PHIDP_PREPARSED_DATA preparsedData);
using THidP_GetUsages = NTSTATUS (*)(HIDP_REPORT_TYPE reportType, USAGE usagePage,
                                     std::uint16_t linkCollection, USAGE* usageList,
                                     std::uint32_t* usageLength, PHIDP_PREPARSED_DATA preparsedData,
                                     std::uint8_t* report, std::uint32_t reportLength);
using THidP_GetButtons = THidP_GetUsages;
using THidP_GetUsagesEx = NTSTATUS (*)(HIDP_REPORT_TYPE reportType, std::uint16_t linkCollection,
                                       USAGE_AND_PAGE* buttonList, std::uint32_t* usageLength,
                                       PHIDP_PREPARSED_DATA preparsedData, std::uint8_t* report,
                                       std::uint32_t reportLength);
using THidP_GetButtonsEx = THidP_GetUsagesEx;
using THidP_SetUsages = THidP_GetUsages;
using THidP_SetButtons = THidP_GetUsages;
using THidP_UnsetUsages = THidP_GetUsages;
using THidP_UnsetButtons = THidP_GetUsages;
using THidP_MaxUsageListLength = std::uint32_t (*)(HIDP_REPORT_TYPE reportType, USAGE usagePage,
                                                   PHIDP_PREPARSED_DATA preparsedData);
using THidP_MaxButtonListLength = THidP_MaxUsageListLength;
using THidP_GetUsageValue = NTSTATUS (*)(HIDP_REPORT_TYPE reportType, USAGE usagePage,
                                         std::uint16_t linkCollection, USAGE usage,
                                         std::uint32_t* usageValue,
                                         PHIDP_PREPARSED_DATA preparsedData, std::uint8_t* report,
                                         std::uint32_t reportLength);
using THidP_GetScaledUsageValue = NTSTATUS (*)(HIDP_REPORT_TYPE reportType, USAGE usagePage,
                                               std::uint16_t linkCollection, USAGE usage,
                                               std::int32_t* usageValue,
                                               PHIDP_PREPARSED_DATA preparsedData,
                                               std::uint8_t* report, std::uint32_t reportLength);
using THidP_GetUsageValueArray = NTSTATUS (*)(HIDP_REPORT_TYPE reportType, USAGE usagePage,
                                              std::uint16_t linkCollection, USAGE usage,
                                              std::uint8_t* usageValue,
                                              std::uint16_t usageValueByteLength,
                                              PHIDP_PREPARSED_DATA preparsedData,
                                              std::uint8_t* report, std::uint32_t reportLength);
using THidP_SetUsageValue = NTSTATUS (*)(HIDP_REPORT_TYPE reportType, USAGE usagePage,
                                         std::uint16_t linkCollection, USAGE usage,
                                         std::uint32_t usageValue,
                                         PHIDP_PREPARSED_DATA preparsedData, std::uint8_t* report,
                                         std::uint32_t reportLength);
using THidP_SetScaledUsageValue = NTSTATUS (*)(HIDP_REPORT_TYPE reportType, USAGE usagePage,
                                               std::uint16_t linkCollection, USAGE usage,
                                               std::int32_t usageValue,
                                               PHIDP_PREPARSED_DATA preparsedData,
                                               std::uint8_t* report, std::uint32_t reportLength);
using THidP_SetUsageValueArray = THidP_GetUsageValueArray;
using THidP_UsageListDifference = NTSTATUS (*)(USAGE* previousUsageList, USAGE* currentUsageList,
                                               USAGE* breakUsageList, USAGE* makeUsageList,
                                               std::uint32_t usageListLength);
using THidP_TranslateUsagesToI8042ScanCodes =
    NTSTATUS (*)(USAGE* changedUsageList, std::uint32_t usageListLength,
                 HIDP_KEYBOARD_DIRECTION keyAction, HIDP_KEYBOARD_MODIFIER_STATE* modifierState,
                 PHIDP_INSERT_SCANCODES insertCodesProcedure, void* insertCodesContext);
using THidP_GetExtendedAttributes = NTSTATUS (*)(HIDP_REPORT_TYPE reportType,
                                                 std::uint16_t dataIndex,
                                                 PHIDP_PREPARSED_DATA preparsedData,
                                                 HIDP_EXTENDED_ATTRIBUTES* attributes,
                                                 std::uint32_t* lengthAttributes);
using THidP_InitializeReportForID = NTSTATUS (*)(HIDP_REPORT_TYPE reportType, std::uint8_t reportId,
                                                 PHIDP_PREPARSED_DATA preparsedData,
                                                 std::uint8_t* report, std::uint32_t reportLength);

extern THidD_Hello HidD_Hello;
extern THidD_GetHidGuid HidD_GetHidGuid;
extern THidD_GetPreparsedData HidD_GetPreparsedData;
extern THidD_FreePreparsedData HidD_FreePreparsedData;
extern THidD_GetConfiguration HidD_GetConfiguration;
extern THidD_SetConfiguration HidD_SetConfiguration;
extern THidD_FlushQueue HidD_FlushQueue;
extern THidD_GetFeature HidD_GetFeature;
extern THidD_SetFeature HidD_SetFeature;
extern THidD_GetNumInputBuffers HidD_GetNumInputBuffers;
extern THidD_SetNumInputBuffers HidD_SetNumInputBuffers;
extern THidD_GetAttributes HidD_GetAttributes;
extern THidD_GetManufacturerString HidD_GetManufacturerString;
extern THidD_GetProductString HidD_GetProductString;
extern THidD_GetSerialNumberString HidD_GetSerialNumberString;
extern THidD_GetPhysicalDescriptor HidD_GetPhysicalDescriptor;
extern THidD_GetIndexedString HidD_GetIndexedString;
extern THidD_GetInputReport HidD_GetInputReport;    // null where the platform lacks direct reports
extern THidD_SetOutputReport HidD_SetOutputReport;  // likewise
extern THidP_GetCaps HidP_GetCaps;
extern THidP_GetLinkCollectionNodes HidP_GetLinkCollectionNodes;
extern THidP_GetSpecificButtonCaps HidP_GetSpecificButtonCaps;
extern THidP_GetSpecificValueCaps HidP_GetSpecificValueCaps;
extern THidP_GetData HidP_GetData;
extern THidP_SetData HidP_SetData;
extern THidP_MaxDataListLength HidP_MaxDataListLength;
extern THidP_GetUsages HidP_GetUsages;
extern THidP_GetButtons HidP_GetButtons;
extern THidP_GetUsagesEx HidP_GetUsagesEx;
extern THidP_GetButtonsEx HidP_GetButtonsEx;
extern THidP_SetUsages HidP_SetUsages;
extern THidP_SetButtons HidP_SetButtons;
extern THidP_UnsetUsages HidP_UnsetUsages;
extern THidP_UnsetButtons HidP_UnsetButtons;
extern THidP_MaxUsageListLength HidP_MaxUsageListLength;
extern THidP_MaxButtonListLength HidP_MaxButtonListLength;
extern THidP_GetUsageValue HidP_GetUsageValue;
extern THidP_GetScaledUsageValue HidP_GetScaledUsageValue;
extern THidP_GetUsageValueArray HidP_GetUsageValueArray;
extern THidP_SetUsageValue HidP_SetUsageValue;
extern THidP_SetScaledUsageValue HidP_SetScaledUsageValue;
extern THidP_SetUsageValueArray HidP_SetUsageValueArray;
extern THidP_UsageListDifference HidP_UsageListDifference;
extern THidP_TranslateUsagesToI8042ScanCodes HidP_TranslateUsagesToI8042ScanCodes;
extern THidP_GetExtendedAttributes HidP_GetExtendedAttributes;  // null where the parser lacks them
extern THidP_InitializeReportForID HidP_InitializeReportForID;  // likewise

// Binds every entry; when the library or any entry the platform offers is missing, nothing stays
// bound and the result is false. Calling it again while loaded binds the same entries again.
bool LoadHid();
// Frees the library and sets every entry to null.
void UnloadHid();
bool IsHidLoaded();

// The specific capability queries with usage page, link collection and usage 0: every capability.
NTSTATUS HidP_GetButtonCaps_(HIDP_REPORT_TYPE reportType, HIDP_BUTTON_CAPS* buttonCaps,
                             std::uint16_t* buttonCapsLength, PHIDP_PREPARSED_DATA preparsedData);
NTSTATUS HidP_GetValueCaps_(HIDP_REPORT_TYPE reportType, HIDP_VALUE_CAPS* valueCaps,
                            std::uint16_t* valueCapsLength, PHIDP_PREPARSED_DATA preparsedData);
bool HidP_IsSameUsageAndPage_(const USAGE_AND_PAGE& u1, const USAGE_AND_PAGE& u2);

}  // namespace dsp
