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

using THidD_Hello = std::uint32_t (*)(char* Buffer, std::uint32_t BufferLength);
using THidD_GetHidGuid = void (*)(TGUID* HidGuid);
using THidD_GetPreparsedData = bool (*)(THidHandle HidDeviceObject,
                                        PHIDP_PREPARSED_DATA* PreparsedData);
using THidD_FreePreparsedData = bool (*)(PHIDP_PREPARSED_DATA PreparsedData);
using THidD_GetConfiguration = bool (*)(THidHandle HidDeviceObject,
                                        HIDD_CONFIGURATION* Configuration,
                                        std::uint32_t ConfigurationLength);
using THidD_SetConfiguration = bool (*)(THidHandle HidDeviceObject,
                                        const HIDD_CONFIGURATION* Configuration,
                                        std::uint32_t ConfigurationLength);
using THidD_FlushQueue = bool (*)(THidHandle HidDeviceObject);
using THidD_GetFeature = bool (*)(THidHandle HidDeviceObject, void* ReportBuffer,
                                  std::uint32_t ReportBufferLength);
using THidD_SetFeature = THidD_GetFeature;
using THidD_GetNumInputBuffers = bool (*)(THidHandle HidDeviceObject, std::uint32_t* NumBufs);
using THidD_SetNumInputBuffers = bool (*)(THidHandle HidDeviceObject, std::uint32_t NumBufs);
using THidD_GetAttributes = bool (*)(THidHandle HidDeviceObject, HIDD_ATTRIBUTES* HidAttrs);
using THidD_GetString = bool (*)(THidHandle HidDeviceObject, void* Buffer,
                                 std::uint32_t BufferLength);
using THidD_GetManufacturerString = THidD_GetString;
using THidD_GetProductString = THidD_GetString;
using THidD_GetSerialNumberString = THidD_GetString;
using THidD_GetPhysicalDescriptor = THidD_GetString;
using THidD_GetIndexedString = bool (*)(THidHandle HidDeviceObject, std::uint32_t StringIndex,
                                        void* Buffer, std::uint32_t BufferLength);
using THidD_GetInputReport = THidD_GetFeature;
using THidD_SetOutputReport = THidD_GetFeature;

using THidP_GetCaps = NTSTATUS (*)(PHIDP_PREPARSED_DATA PreparsedData, HIDP_CAPS* Capabilities);
using THidP_GetLinkCollectionNodes = NTSTATUS (*)(HIDP_LINK_COLLECTION_NODE* LinkCollectionNodes,
                                                  std::uint32_t* LinkCollectionNodesLength,
                                                  PHIDP_PREPARSED_DATA PreparsedData);
using THidP_GetSpecificButtonCaps = NTSTATUS (*)(HIDP_REPORT_TYPE ReportType, USAGE UsagePage,
                                                 std::uint16_t LinkCollection, USAGE Usage,
                                                 HIDP_BUTTON_CAPS* ButtonCaps,
                                                 std::uint16_t* ButtonCapsLength,
                                                 PHIDP_PREPARSED_DATA PreparsedData);
using THidP_GetSpecificValueCaps = NTSTATUS (*)(HIDP_REPORT_TYPE ReportType, USAGE UsagePage,
                                                std::uint16_t LinkCollection, USAGE Usage,
                                                HIDP_VALUE_CAPS* ValueCaps,
                                                std::uint16_t* ValueCapsLength,
                                                PHIDP_PREPARSED_DATA PreparsedData);
using THidP_GetData = NTSTATUS (*)(HIDP_REPORT_TYPE ReportType, HIDP_DATA* DataList,
                                   std::uint32_t* DataLength, PHIDP_PREPARSED_DATA PreparsedData,
                                   std::uint8_t* Report, std::uint32_t ReportLength);
using THidP_SetData = THidP_GetData;
using THidP_MaxDataListLength = std::uint32_t (*)(HIDP_REPORT_TYPE ReportType,
                                                  PHIDP_PREPARSED_DATA PreparsedData);
using THidP_GetUsages = NTSTATUS (*)(HIDP_REPORT_TYPE ReportType, USAGE UsagePage,
                                     std::uint16_t LinkCollection, USAGE* UsageList,
                                     std::uint32_t* UsageLength, PHIDP_PREPARSED_DATA PreparsedData,
                                     std::uint8_t* Report, std::uint32_t ReportLength);
using THidP_GetButtons = THidP_GetUsages;
using THidP_GetUsagesEx = NTSTATUS (*)(HIDP_REPORT_TYPE ReportType, std::uint16_t LinkCollection,
                                       USAGE_AND_PAGE* ButtonList, std::uint32_t* UsageLength,
                                       PHIDP_PREPARSED_DATA PreparsedData, std::uint8_t* Report,
                                       std::uint32_t ReportLength);
using THidP_GetButtonsEx = THidP_GetUsagesEx;
using THidP_SetUsages = THidP_GetUsages;
using THidP_SetButtons = THidP_GetUsages;
using THidP_UnsetUsages = THidP_GetUsages;
using THidP_UnsetButtons = THidP_GetUsages;
using THidP_MaxUsageListLength = std::uint32_t (*)(HIDP_REPORT_TYPE ReportType, USAGE UsagePage,
                                                   PHIDP_PREPARSED_DATA PreparsedData);
using THidP_MaxButtonListLength = THidP_MaxUsageListLength;
using THidP_GetUsageValue = NTSTATUS (*)(HIDP_REPORT_TYPE ReportType, USAGE UsagePage,
                                         std::uint16_t LinkCollection, USAGE Usage,
                                         std::uint32_t* UsageValue,
                                         PHIDP_PREPARSED_DATA PreparsedData, std::uint8_t* Report,
                                         std::uint32_t ReportLength);
using THidP_GetScaledUsageValue = NTSTATUS (*)(HIDP_REPORT_TYPE ReportType, USAGE UsagePage,
                                               std::uint16_t LinkCollection, USAGE Usage,
                                               std::int32_t* UsageValue,
                                               PHIDP_PREPARSED_DATA PreparsedData,
                                               std::uint8_t* Report, std::uint32_t ReportLength);
using THidP_GetUsageValueArray = NTSTATUS (*)(HIDP_REPORT_TYPE ReportType, USAGE UsagePage,
                                              std::uint16_t LinkCollection, USAGE Usage,
                                              std::uint8_t* UsageValue,
                                              std::uint16_t UsageValueByteLength,
                                              PHIDP_PREPARSED_DATA PreparsedData,
                                              std::uint8_t* Report, std::uint32_t ReportLength);
using THidP_SetUsageValue = NTSTATUS (*)(HIDP_REPORT_TYPE ReportType, USAGE UsagePage,
                                         std::uint16_t LinkCollection, USAGE Usage,
                                         std::uint32_t UsageValue,
                                         PHIDP_PREPARSED_DATA PreparsedData, std::uint8_t* Report,
                                         std::uint32_t ReportLength);
using THidP_SetScaledUsageValue = NTSTATUS (*)(HIDP_REPORT_TYPE ReportType, USAGE UsagePage,
                                               std::uint16_t LinkCollection, USAGE Usage,
                                               std::int32_t UsageValue,
                                               PHIDP_PREPARSED_DATA PreparsedData,
                                               std::uint8_t* Report, std::uint32_t ReportLength);
using THidP_SetUsageValueArray = THidP_GetUsageValueArray;
using THidP_UsageListDifference = NTSTATUS (*)(USAGE* PreviousUsageList, USAGE* CurrentUsageList,
                                               USAGE* BreakUsageList, USAGE* MakeUsageList,
                                               std::uint32_t UsageListLength);
using THidP_TranslateUsagesToI8042ScanCodes =
    NTSTATUS (*)(USAGE* ChangedUsageList, std::uint32_t UsageListLength,
                 HIDP_KEYBOARD_DIRECTION KeyAction, HIDP_KEYBOARD_MODIFIER_STATE* ModifierState,
                 PHIDP_INSERT_SCANCODES InsertCodesProcedure, void* InsertCodesContext);
using THidP_GetExtendedAttributes = NTSTATUS (*)(HIDP_REPORT_TYPE ReportType,
                                                 std::uint16_t DataIndex,
                                                 PHIDP_PREPARSED_DATA PreparsedData,
                                                 HIDP_EXTENDED_ATTRIBUTES* Attributes,
                                                 std::uint32_t* LengthAttributes);
using THidP_InitializeReportForID = NTSTATUS (*)(HIDP_REPORT_TYPE ReportType, std::uint8_t ReportID,
                                                 PHIDP_PREPARSED_DATA PreparsedData,
                                                 std::uint8_t* Report, std::uint32_t ReportLength);

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
NTSTATUS HidP_GetButtonCaps_(HIDP_REPORT_TYPE ReportType, HIDP_BUTTON_CAPS* ButtonCaps,
                             std::uint16_t* ButtonCapsLength, PHIDP_PREPARSED_DATA PreparsedData);
NTSTATUS HidP_GetValueCaps_(HIDP_REPORT_TYPE ReportType, HIDP_VALUE_CAPS* ValueCaps,
                            std::uint16_t* ValueCapsLength, PHIDP_PREPARSED_DATA PreparsedData);
bool HidP_IsSameUsageAndPage_(const USAGE_AND_PAGE& u1, const USAGE_AND_PAGE& u2);

}  // namespace dsp
