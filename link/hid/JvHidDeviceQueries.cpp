// The report-descriptor queries of TJvHidDevice: thin wrappers over the parser entries with the
// device's parsed descriptor and query parameters.

#include "link/hid/Hid.h"
#include "link/hid/JvHidDevice.h"

namespace dsp {

bool TJvHidDevice::QueryReady(NTSTATUS& status) {
    if (IsAccessible()) return true;
    status = HIDP_STATUS_NULL;
    return false;
}

void TJvHidDevice::RecomputeLimits() {
    if (!IsAccessible()) return;
    PHIDP_PREPARSED_DATA data = PreparsedData();
    FMaxDataListLength = HidP_MaxDataListLength(FReportTypeParam, data);
    FMaxUsageListLength = HidP_MaxUsageListLength(FReportTypeParam, FUsagePageParam, data);
    FMaxButtonListLength = HidP_MaxButtonListLength(FReportTypeParam, FUsagePageParam, data);
}

void TJvHidDevice::SetReportTypeParam(HIDP_REPORT_TYPE value) {
    FReportTypeParam = value;
    RecomputeLimits();
}

void TJvHidDevice::SetUsagePageParam(USAGE value) {
    FUsagePageParam = value;
    RecomputeLimits();
}

NTSTATUS TJvHidDevice::GetButtonCaps(HIDP_BUTTON_CAPS* buttonCaps, std::uint16_t& count) {
    NTSTATUS status;
    if (!QueryReady(status)) return status;
    return HidP_GetButtonCaps_(FReportTypeParam, buttonCaps, &count, PreparsedData());
}

NTSTATUS TJvHidDevice::GetSpecificButtonCaps(HIDP_BUTTON_CAPS* buttonCaps, std::uint16_t& count) {
    NTSTATUS status;
    if (!QueryReady(status)) return status;
    return HidP_GetSpecificButtonCaps(FReportTypeParam, FUsagePageParam, FLinkCollectionParam,
                                      FUsageParam, buttonCaps, &count, PreparsedData());
}

NTSTATUS TJvHidDevice::GetValueCaps(HIDP_VALUE_CAPS* valueCaps, std::uint16_t& count) {
    NTSTATUS status;
    if (!QueryReady(status)) return status;
    return HidP_GetValueCaps_(FReportTypeParam, valueCaps, &count, PreparsedData());
}

NTSTATUS TJvHidDevice::GetSpecificValueCaps(HIDP_VALUE_CAPS* valueCaps, std::uint16_t& count) {
    NTSTATUS status;
    if (!QueryReady(status)) return status;
    return HidP_GetSpecificValueCaps(FReportTypeParam, FUsagePageParam, FLinkCollectionParam,
                                     FUsageParam, valueCaps, &count, PreparsedData());
}

NTSTATUS TJvHidDevice::GetData(HIDP_DATA* dataList, std::uint32_t& dataLength, std::uint8_t* report,
                               std::uint32_t reportLength) {
    NTSTATUS status;
    if (!QueryReady(status)) return status;
    return HidP_GetData(FReportTypeParam, dataList, &dataLength, PreparsedData(), report,
                        reportLength);
}

NTSTATUS TJvHidDevice::SetData(HIDP_DATA* dataList, std::uint32_t& dataLength, std::uint8_t* report,
                               std::uint32_t reportLength) {
    NTSTATUS status;
    if (!QueryReady(status)) return status;
    return HidP_SetData(FReportTypeParam, dataList, &dataLength, PreparsedData(), report,
                        reportLength);
}

#define DSP_USAGE_QUERY(Name, Entry)                                                     \
    NTSTATUS TJvHidDevice::Name(USAGE* UsageList, std::uint32_t& UsageLength,            \
                                std::uint8_t* Report, std::uint32_t ReportLength) {      \
        NTSTATUS status;                                                                 \
        if (!QueryReady(status)) return status;                                          \
        return Entry(FReportTypeParam, FUsagePageParam, FLinkCollectionParam, UsageList, \
                     &UsageLength, PreparsedData(), Report, ReportLength);               \
    }
DSP_USAGE_QUERY(GetUsages, HidP_GetUsages)
DSP_USAGE_QUERY(GetButtons, HidP_GetButtons)
DSP_USAGE_QUERY(SetUsages, HidP_SetUsages)
DSP_USAGE_QUERY(SetButtons, HidP_SetButtons)
DSP_USAGE_QUERY(UnsetUsages, HidP_UnsetUsages)
DSP_USAGE_QUERY(UnsetButtons, HidP_UnsetButtons)
#undef DSP_USAGE_QUERY

NTSTATUS TJvHidDevice::GetUsagesEx(USAGE_AND_PAGE* usageList, std::uint32_t& usageLength,
                                   std::uint8_t* report, std::uint32_t reportLength) {
    NTSTATUS status;
    if (!QueryReady(status)) return status;
    return HidP_GetUsagesEx(FReportTypeParam, FLinkCollectionParam, usageList, &usageLength,
                            PreparsedData(), report, reportLength);
}

NTSTATUS TJvHidDevice::GetButtonsEx(USAGE_AND_PAGE* usageList, std::uint32_t& usageLength,
                                    std::uint8_t* report, std::uint32_t reportLength) {
    NTSTATUS status;
    if (!QueryReady(status)) return status;
    return HidP_GetButtonsEx(FReportTypeParam, FLinkCollectionParam, usageList, &usageLength,
                             PreparsedData(), report, reportLength);
}

NTSTATUS TJvHidDevice::GetUsageValue(std::uint32_t& usageValue, std::uint8_t* report,
                                     std::uint32_t reportLength) {
    NTSTATUS status;
    if (!QueryReady(status)) return status;
    return HidP_GetUsageValue(FReportTypeParam, FUsagePageParam, FLinkCollectionParam, FUsageParam,
                              &usageValue, PreparsedData(), report, reportLength);
}

NTSTATUS TJvHidDevice::GetScaledUsageValue(std::int32_t& usageValue, std::uint8_t* report,
                                           std::uint32_t reportLength) {
    NTSTATUS status;
    if (!QueryReady(status)) return status;
    return HidP_GetScaledUsageValue(FReportTypeParam, FUsagePageParam, FLinkCollectionParam,
                                    FUsageParam, &usageValue, PreparsedData(), report,
                                    reportLength);
}

NTSTATUS TJvHidDevice::SetUsageValue(std::uint32_t usageValue, std::uint8_t* report,
                                     std::uint32_t reportLength) {
    NTSTATUS status;
    if (!QueryReady(status)) return status;
    return HidP_SetUsageValue(FReportTypeParam, FUsagePageParam, FLinkCollectionParam, FUsageParam,
                              usageValue, PreparsedData(), report, reportLength);
}

NTSTATUS TJvHidDevice::SetScaledUsageValue(std::int32_t usageValue, std::uint8_t* report,
                                           std::uint32_t reportLength) {
    NTSTATUS status;
    if (!QueryReady(status)) return status;
    return HidP_SetScaledUsageValue(FReportTypeParam, FUsagePageParam, FLinkCollectionParam,
                                    FUsageParam, usageValue, PreparsedData(), report, reportLength);
}

NTSTATUS TJvHidDevice::GetUsageValueArray(std::uint8_t* usageValue,
                                          std::uint16_t usageValueByteLength, std::uint8_t* report,
                                          std::uint32_t reportLength) {
    NTSTATUS status;
    if (!QueryReady(status)) return status;
    return HidP_GetUsageValueArray(FReportTypeParam, FUsagePageParam, FLinkCollectionParam,
                                   FUsageParam, usageValue, usageValueByteLength, PreparsedData(),
                                   report, reportLength);
}

NTSTATUS TJvHidDevice::SetUsageValueArray(std::uint8_t* usageValue,
                                          std::uint16_t usageValueByteLength, std::uint8_t* report,
                                          std::uint32_t reportLength) {
    NTSTATUS status;
    if (!QueryReady(status)) return status;
    return HidP_SetUsageValueArray(FReportTypeParam, FUsagePageParam, FLinkCollectionParam,
                                   FUsageParam, usageValue, usageValueByteLength, PreparsedData(),
                                   report, reportLength);
}

NTSTATUS TJvHidDevice::GetExtendedAttributes(HIDP_REPORT_TYPE reportType, std::uint16_t dataIndex,
                                             HIDP_EXTENDED_ATTRIBUTES* attributes,
                                             std::uint32_t& lengthAttributes) {
    if (HidP_GetExtendedAttributes == nullptr) return HIDP_STATUS_NOT_IMPLEMENTED;
    return HidP_GetExtendedAttributes(reportType, dataIndex, PreparsedData(), attributes,
                                      &lengthAttributes);
}

NTSTATUS TJvHidDevice::InitializeReportForID(HIDP_REPORT_TYPE reportType, std::uint8_t reportId,
                                             std::uint8_t* report, std::uint32_t reportLength) {
    if (HidP_InitializeReportForID == nullptr) return HIDP_STATUS_NOT_IMPLEMENTED;
    return HidP_InitializeReportForID(reportType, reportId, PreparsedData(), report, reportLength);
}

HIDP_LINK_COLLECTION_NODE TJvHidDevice::GetLinkCollectionNode(std::uint16_t index) {
    if (FLinkCollection.empty()) {
        const HIDP_CAPS caps = GetCaps();
        if (PHIDP_PREPARSED_DATA data = FPreparsedData.load(); data != nullptr) {
            std::uint32_t count = caps.NumberLinkCollectionNodes;
            FLinkCollection.resize(count);
            if (count > 0 && HidP_GetLinkCollectionNodes(FLinkCollection.data(), &count, data) !=
                                 HIDP_STATUS_SUCCESS)
                FLinkCollection.clear();
        }
    }
    if (index < FLinkCollection.size()) return FLinkCollection[index];
    return HIDP_LINK_COLLECTION_NODE{};
}

}  // namespace dsp
