#pragma once
// The HID report-descriptor parser: capabilities of a device and the reading and writing of
// buttons, usages, values and data lists in report buffers. The first byte of every report buffer
// is its report ID (0 when the device uses none).

#include <cstdint>

#include "framework/hid/HidTypes.h"

namespace dsp {
// The services themselves, reached by name through the built-in HID library.
namespace hidservices {

NTSTATUS HidP_GetCaps(PHIDP_PREPARSED_DATA data, HIDP_CAPS* caps);
NTSTATUS HidP_GetLinkCollectionNodes(HIDP_LINK_COLLECTION_NODE* nodes, std::uint32_t* length,
                                     PHIDP_PREPARSED_DATA data);
// A usage page, link collection or usage of 0 matches every one.
NTSTATUS HidP_GetSpecificButtonCaps(HIDP_REPORT_TYPE type, USAGE usagePage,
                                    std::uint16_t linkCollection, USAGE usage,
                                    HIDP_BUTTON_CAPS* caps, std::uint16_t* length,
                                    PHIDP_PREPARSED_DATA data);
NTSTATUS HidP_GetSpecificValueCaps(HIDP_REPORT_TYPE type, USAGE usagePage,
                                   std::uint16_t linkCollection, USAGE usage, HIDP_VALUE_CAPS* caps,
                                   std::uint16_t* length, PHIDP_PREPARSED_DATA data);

NTSTATUS HidP_GetData(HIDP_REPORT_TYPE type, HIDP_DATA* dataList, std::uint32_t* dataLength,
                      PHIDP_PREPARSED_DATA data, std::uint8_t* report, std::uint32_t reportLength);
NTSTATUS HidP_SetData(HIDP_REPORT_TYPE type, HIDP_DATA* dataList, std::uint32_t* dataLength,
                      PHIDP_PREPARSED_DATA data, std::uint8_t* report, std::uint32_t reportLength);
std::uint32_t HidP_MaxDataListLength(HIDP_REPORT_TYPE type, PHIDP_PREPARSED_DATA data);

NTSTATUS HidP_GetUsages(HIDP_REPORT_TYPE type, USAGE usagePage, std::uint16_t linkCollection,
                        USAGE* usageList, std::uint32_t* usageLength, PHIDP_PREPARSED_DATA data,
                        std::uint8_t* report, std::uint32_t reportLength);
NTSTATUS HidP_GetUsagesEx(HIDP_REPORT_TYPE type, std::uint16_t linkCollection,
                          USAGE_AND_PAGE* usageList, std::uint32_t* usageLength,
                          PHIDP_PREPARSED_DATA data, std::uint8_t* report,
                          std::uint32_t reportLength);
NTSTATUS HidP_SetUsages(HIDP_REPORT_TYPE type, USAGE usagePage, std::uint16_t linkCollection,
                        USAGE* usageList, std::uint32_t* usageLength, PHIDP_PREPARSED_DATA data,
                        std::uint8_t* report, std::uint32_t reportLength);
NTSTATUS HidP_UnsetUsages(HIDP_REPORT_TYPE type, USAGE usagePage, std::uint16_t linkCollection,
                          USAGE* usageList, std::uint32_t* usageLength, PHIDP_PREPARSED_DATA data,
                          std::uint8_t* report, std::uint32_t reportLength);
// A usage page of 0 counts the buttons of every page.
std::uint32_t HidP_MaxUsageListLength(HIDP_REPORT_TYPE type, USAGE usagePage,
                                      PHIDP_PREPARSED_DATA data);

NTSTATUS HidP_GetUsageValue(HIDP_REPORT_TYPE type, USAGE usagePage, std::uint16_t linkCollection,
                            USAGE usage, std::uint32_t* usageValue, PHIDP_PREPARSED_DATA data,
                            std::uint8_t* report, std::uint32_t reportLength);
NTSTATUS HidP_GetScaledUsageValue(HIDP_REPORT_TYPE type, USAGE usagePage,
                                  std::uint16_t linkCollection, USAGE usage,
                                  std::int32_t* usageValue, PHIDP_PREPARSED_DATA data,
                                  std::uint8_t* report, std::uint32_t reportLength);
NTSTATUS HidP_GetUsageValueArray(HIDP_REPORT_TYPE type, USAGE usagePage,
                                 std::uint16_t linkCollection, USAGE usage,
                                 std::uint8_t* usageValue, std::uint16_t usageValueByteLength,
                                 PHIDP_PREPARSED_DATA data, std::uint8_t* report,
                                 std::uint32_t reportLength);
NTSTATUS HidP_SetUsageValue(HIDP_REPORT_TYPE type, USAGE usagePage, std::uint16_t linkCollection,
                            USAGE usage, std::uint32_t usageValue, PHIDP_PREPARSED_DATA data,
                            std::uint8_t* report, std::uint32_t reportLength);
NTSTATUS HidP_SetScaledUsageValue(HIDP_REPORT_TYPE type, USAGE usagePage,
                                  std::uint16_t linkCollection, USAGE usage,
                                  std::int32_t usageValue, PHIDP_PREPARSED_DATA data,
                                  std::uint8_t* report, std::uint32_t reportLength);
NTSTATUS HidP_SetUsageValueArray(HIDP_REPORT_TYPE type, USAGE usagePage,
                                 std::uint16_t linkCollection, USAGE usage,
                                 std::uint8_t* usageValue, std::uint16_t usageValueByteLength,
                                 PHIDP_PREPARSED_DATA data, std::uint8_t* report,
                                 std::uint32_t reportLength);

// Usages in the previous list but not the current one are breaks, the reverse are makes; the
// lists hold up to length usages and end early at a 0.
NTSTATUS HidP_UsageListDifference(USAGE* previousUsageList, USAGE* currentUsageList,
                                  USAGE* breakUsageList, USAGE* makeUsageList,
                                  std::uint32_t usageListLength);

// Turns keyboard usages (page 7) going down or up into the scan codes of a PC keyboard's
// controller (set 1), handing each key's codes to insertCodesProcedure, and keeps the modifier
// state: the modifier keys held and the lock keys toggled on. The list holds up to
// usageListLength usages and ends early at a 0. A usage without scan codes stops the
// translation with HIDP_STATUS_I8042_TRANS_UNKNOWN; the keys before it have been handed over. A
// null procedure drops the codes; a null state counts as no modifiers and keeps nothing.
NTSTATUS HidP_TranslateUsagesToI8042ScanCodes(USAGE* changedUsageList,
                                              std::uint32_t usageListLength,
                                              HIDP_KEYBOARD_DIRECTION keyAction,
                                              HIDP_KEYBOARD_MODIFIER_STATE* modifierState,
                                              PHIDP_INSERT_SCANCODES insertCodesProcedure,
                                              void* insertCodesContext);

NTSTATUS HidP_GetExtendedAttributes(HIDP_REPORT_TYPE type, std::uint16_t dataIndex,
                                    PHIDP_PREPARSED_DATA data, HIDP_EXTENDED_ATTRIBUTES* attributes,
                                    std::uint32_t* lengthAttributes);
// Clears a report of the type to its resting state (no buttons, null values) and sets its ID.
NTSTATUS HidP_InitializeReportForID(HIDP_REPORT_TYPE type, std::uint8_t reportId,
                                    PHIDP_PREPARSED_DATA data, std::uint8_t* report,
                                    std::uint32_t reportLength);

}  // namespace hidservices
}  // namespace dsp
