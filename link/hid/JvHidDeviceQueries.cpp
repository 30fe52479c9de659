// The report-descriptor queries of TJvHidDevice: thin wrappers over the parser entries with the
// device's parsed descriptor and query parameters.

#include "link/hid/Hid.h"
#include "link/hid/JvHidDevice.h"

namespace dsp {

bool TJvHidDevice::QueryReady(NTSTATUS& Status) {
    if (IsAccessible()) return true;
    Status = HIDP_STATUS_NULL;
    return false;
}

void TJvHidDevice::RecomputeLimits() {
    if (!IsAccessible()) return;
    PHIDP_PREPARSED_DATA data = PreparsedData();
    FMaxDataListLength = HidP_MaxDataListLength(FReportTypeParam, data);
    FMaxUsageListLength = HidP_MaxUsageListLength(FReportTypeParam, FUsagePageParam, data);
    FMaxButtonListLength = HidP_MaxButtonListLength(FReportTypeParam, FUsagePageParam, data);
}

void TJvHidDevice::SetReportTypeParam(HIDP_REPORT_TYPE Value) {
    FReportTypeParam = Value;
    RecomputeLimits();
}

void TJvHidDevice::SetUsagePageParam(USAGE Value) {
    FUsagePageParam = Value;
    RecomputeLimits();
}

NTSTATUS TJvHidDevice::GetButtonCaps(HIDP_BUTTON_CAPS* ButtonCaps, std::uint16_t& Count) {
    NTSTATUS status;
    if (!QueryReady(status)) return status;
    return HidP_GetButtonCaps_(FReportTypeParam, ButtonCaps, &Count, PreparsedData());
}

NTSTATUS TJvHidDevice::GetSpecificButtonCaps(HIDP_BUTTON_CAPS* ButtonCaps, std::uint16_t& Count) {
    NTSTATUS status;
    if (!QueryReady(status)) return status;
    return HidP_GetSpecificButtonCaps(FReportTypeParam, FUsagePageParam, FLinkCollectionParam,
                                      FUsageParam, ButtonCaps, &Count, PreparsedData());
}

NTSTATUS TJvHidDevice::GetValueCaps(HIDP_VALUE_CAPS* ValueCaps, std::uint16_t& Count) {
    NTSTATUS status;
    if (!QueryReady(status)) return status;
    return HidP_GetValueCaps_(FReportTypeParam, ValueCaps, &Count, PreparsedData());
}

NTSTATUS TJvHidDevice::GetSpecificValueCaps(HIDP_VALUE_CAPS* ValueCaps, std::uint16_t& Count) {
    NTSTATUS status;
    if (!QueryReady(status)) return status;
    return HidP_GetSpecificValueCaps(FReportTypeParam, FUsagePageParam, FLinkCollectionParam,
                                     FUsageParam, ValueCaps, &Count, PreparsedData());
}

NTSTATUS TJvHidDevice::GetData(HIDP_DATA* DataList, std::uint32_t& DataLength, std::uint8_t* Report,
                               std::uint32_t ReportLength) {
    NTSTATUS status;
    if (!QueryReady(status)) return status;
    return HidP_GetData(FReportTypeParam, DataList, &DataLength, PreparsedData(), Report,
                        ReportLength);
}

NTSTATUS TJvHidDevice::SetData(HIDP_DATA* DataList, std::uint32_t& DataLength, std::uint8_t* Report,
                               std::uint32_t ReportLength) {
    NTSTATUS status;
    if (!QueryReady(status)) return status;
    return HidP_SetData(FReportTypeParam, DataList, &DataLength, PreparsedData(), Report,
                        ReportLength);
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

NTSTATUS TJvHidDevice::GetUsagesEx(USAGE_AND_PAGE* UsageList, std::uint32_t& UsageLength,
                                   std::uint8_t* Report, std::uint32_t ReportLength) {
    NTSTATUS status;
    if (!QueryReady(status)) return status;
    return HidP_GetUsagesEx(FReportTypeParam, FLinkCollectionParam, UsageList, &UsageLength,
                            PreparsedData(), Report, ReportLength);
}

NTSTATUS TJvHidDevice::GetButtonsEx(USAGE_AND_PAGE* UsageList, std::uint32_t& UsageLength,
                                    std::uint8_t* Report, std::uint32_t ReportLength) {
    NTSTATUS status;
    if (!QueryReady(status)) return status;
    return HidP_GetButtonsEx(FReportTypeParam, FLinkCollectionParam, UsageList, &UsageLength,
                             PreparsedData(), Report, ReportLength);
}

NTSTATUS TJvHidDevice::GetUsageValue(std::uint32_t& UsageValue, std::uint8_t* Report,
                                     std::uint32_t ReportLength) {
    NTSTATUS status;
    if (!QueryReady(status)) return status;
    return HidP_GetUsageValue(FReportTypeParam, FUsagePageParam, FLinkCollectionParam, FUsageParam,
                              &UsageValue, PreparsedData(), Report, ReportLength);
}

NTSTATUS TJvHidDevice::GetScaledUsageValue(std::int32_t& UsageValue, std::uint8_t* Report,
                                           std::uint32_t ReportLength) {
    NTSTATUS status;
    if (!QueryReady(status)) return status;
    return HidP_GetScaledUsageValue(FReportTypeParam, FUsagePageParam, FLinkCollectionParam,
                                    FUsageParam, &UsageValue, PreparsedData(), Report,
                                    ReportLength);
}

NTSTATUS TJvHidDevice::SetUsageValue(std::uint32_t UsageValue, std::uint8_t* Report,
                                     std::uint32_t ReportLength) {
    NTSTATUS status;
    if (!QueryReady(status)) return status;
    return HidP_SetUsageValue(FReportTypeParam, FUsagePageParam, FLinkCollectionParam, FUsageParam,
                              UsageValue, PreparsedData(), Report, ReportLength);
}

NTSTATUS TJvHidDevice::SetScaledUsageValue(std::int32_t UsageValue, std::uint8_t* Report,
                                           std::uint32_t ReportLength) {
    NTSTATUS status;
    if (!QueryReady(status)) return status;
    return HidP_SetScaledUsageValue(FReportTypeParam, FUsagePageParam, FLinkCollectionParam,
                                    FUsageParam, UsageValue, PreparsedData(), Report, ReportLength);
}

NTSTATUS TJvHidDevice::GetUsageValueArray(std::uint8_t* UsageValue,
                                          std::uint16_t UsageValueByteLength, std::uint8_t* Report,
                                          std::uint32_t ReportLength) {
    NTSTATUS status;
    if (!QueryReady(status)) return status;
    return HidP_GetUsageValueArray(FReportTypeParam, FUsagePageParam, FLinkCollectionParam,
                                   FUsageParam, UsageValue, UsageValueByteLength, PreparsedData(),
                                   Report, ReportLength);
}

NTSTATUS TJvHidDevice::SetUsageValueArray(std::uint8_t* UsageValue,
                                          std::uint16_t UsageValueByteLength, std::uint8_t* Report,
                                          std::uint32_t ReportLength) {
    NTSTATUS status;
    if (!QueryReady(status)) return status;
    return HidP_SetUsageValueArray(FReportTypeParam, FUsagePageParam, FLinkCollectionParam,
                                   FUsageParam, UsageValue, UsageValueByteLength, PreparsedData(),
                                   Report, ReportLength);
}

NTSTATUS TJvHidDevice::GetExtendedAttributes(HIDP_REPORT_TYPE ReportType, std::uint16_t DataIndex,
                                             HIDP_EXTENDED_ATTRIBUTES* Attributes,
                                             std::uint32_t& LengthAttributes) {
    if (HidP_GetExtendedAttributes == nullptr) return HIDP_STATUS_NOT_IMPLEMENTED;
    return HidP_GetExtendedAttributes(ReportType, DataIndex, PreparsedData(), Attributes,
                                      &LengthAttributes);
}

NTSTATUS TJvHidDevice::InitializeReportForID(HIDP_REPORT_TYPE ReportType, std::uint8_t ReportID,
                                             std::uint8_t* Report, std::uint32_t ReportLength) {
    if (HidP_InitializeReportForID == nullptr) return HIDP_STATUS_NOT_IMPLEMENTED;
    return HidP_InitializeReportForID(ReportType, ReportID, PreparsedData(), Report, ReportLength);
}

HIDP_LINK_COLLECTION_NODE TJvHidDevice::GetLinkCollectionNode(std::uint16_t Idx) {
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
    if (Idx < FLinkCollection.size()) return FLinkCollection[Idx];
    return HIDP_LINK_COLLECTION_NODE{};
}

}  // namespace dsp
