#include "framework/hid/HidParser.h"

#include <algorithm>
#include <optional>
#include <set>
#include <type_traits>
#include <vector>

#include "framework/hid/ReportDescriptor.h"

namespace dsp {
namespace hidservices {
namespace {

bool ValidType(HIDP_REPORT_TYPE type) {
    return type == HidP_Input || type == HidP_Output || type == HidP_Feature;
}

// Checks a report buffer against the report type's length and report IDs.
NTSTATUS CheckReport(const THidPreparsedData* pp, HIDP_REPORT_TYPE type, const std::uint8_t* report,
                     std::uint32_t reportLength) {
    if (pp == nullptr) return HIDP_STATUS_INVALID_PREPARSED_DATA;
    if (!ValidType(type)) return HIDP_STATUS_INVALID_REPORT_TYPE;
    if (pp->reportByteLength[type] == 0) return HIDP_STATUS_REPORT_DOES_NOT_EXIST;
    if (report == nullptr || reportLength != pp->reportByteLength[type])
        return HIDP_STATUS_INVALID_REPORT_LENGTH;
    if (!pp->HasReportId(type, report[0])) return HIDP_STATUS_INCOMPATIBLE_REPORT_ID;
    return HIDP_STATUS_SUCCESS;
}

// Fields are packed little-endian from the first byte after the report ID.
std::uint32_t ReadBits(const std::uint8_t* report, std::uint32_t offset, std::uint32_t size) {
    std::uint32_t value = 0;
    for (std::uint32_t i = 0; i < size && i < 32; ++i) {
        std::uint32_t bit = offset + i;
        if ((report[1 + bit / 8] >> (bit % 8)) & 1u) value |= 1u << i;
    }
    return value;
}

void WriteBits(std::uint8_t* report, std::uint32_t offset, std::uint32_t size,
               std::uint32_t value) {
    for (std::uint32_t i = 0; i < size; ++i) {
        std::uint32_t bit = offset + i;
        std::uint8_t& byte = report[1 + bit / 8];
        const bool on = i < 32 && ((value >> i) & 1u);
        byte =
            on ? std::uint8_t(byte | (1u << (bit % 8))) : std::uint8_t(byte & ~(1u << (bit % 8)));
    }
}

std::int32_t SignExtend(std::uint32_t raw, std::uint32_t bits) {
    if (bits == 0 || bits >= 32) return static_cast<std::int32_t>(raw);
    const std::uint32_t sign = 1u << (bits - 1);
    return static_cast<std::int32_t>((raw ^ sign) - sign);
}

bool UsageIn(const THidCapsEntry& c, USAGE usage) {
    return usage >= c.usageMin && usage <= c.usageMax;
}

bool LinkMatches(const THidCapsEntry& c, std::uint16_t linkCollection) {
    return linkCollection == 0 || c.linkCollection == linkCollection;
}

// Copies what was found into the caller's list as far as it has room and sets the length to
// how many there are; the buffer is too small when they do not all fit.
template <typename T, typename Length>
NTSTATUS CopyOut(const std::vector<T>& found, T* list, Length* length) {
    const std::size_t room = list == nullptr ? 0 : *length;
    std::copy_n(found.begin(), std::min(room, found.size()), list);
    *length = Length(found.size());
    return found.size() > room ? HIDP_STATUS_BUFFER_TOO_SMALL : HIDP_STATUS_SUCCESS;
}

// The values a field can hold as the services read it: signed when the logical minimum is
// negative, unsigned otherwise; fields wider than 32 bits are read through their low 32.
struct FieldValues {
    std::int64_t lowest, highest;
};

FieldValues ValuesOf(const THidCapsEntry& c) {
    const std::uint32_t bits = std::min<std::uint32_t>(c.bitSize, 32);
    if (c.logicalMin < 0)
        return {-(std::int64_t(1) << (bits - 1)), (std::int64_t(1) << (bits - 1)) - 1};
    return {0, (std::int64_t(1) << bits) - 1};
}

std::int64_t FieldValue(const THidCapsEntry& c, std::uint32_t raw) {
    return c.logicalMin < 0 ? SignExtend(raw, c.bitSize) : std::int64_t(raw);
}

// A field value outside the logical range (the null state of a value, the "no usage" of an
// array), or none when the logical range takes every value the field can hold.
std::optional<std::uint32_t> OutsideValue(const THidCapsEntry& c) {
    const FieldValues field = ValuesOf(c);
    const std::int64_t above = std::int64_t(c.logicalMax) + 1;
    const std::int64_t below = std::int64_t(c.logicalMin) - 1;
    if (c.logicalMin > 0) return 0u;
    if (above <= field.highest) return std::uint32_t(above);
    if (below >= field.lowest) return std::uint32_t(below);
    return std::nullopt;
}

// The usage an array field's value stands for in this capability's span, or false.
bool ArrayUsage(const THidCapsEntry& c, std::uint32_t raw, USAGE* usage) {
    const std::int64_t value = FieldValue(c, raw);
    if (value < c.logicalMin || value > c.logicalMax) return false;
    const std::int64_t index = value - c.logicalMin - c.arrayUsageBase;
    if (index < 0 || index >= std::int64_t(c.UsageCount())) return false;
    *usage = USAGE(c.usageMin + index);
    return true;
}

std::uint32_t ArrayValueOf(const THidCapsEntry& c, USAGE usage) {
    return std::uint32_t(c.logicalMin + std::int64_t(c.arrayUsageBase) + (usage - c.usageMin));
}

// The field value an array uses for "no usage": 0, unless 0 stands for a real usage; none when
// every value the field holds stands for one.
std::optional<std::uint32_t> ArrayEmptyValue(const THidCapsEntry& c) {
    USAGE usage = 0;
    if (!ArrayUsage(c, 0, &usage) || usage == 0) return 0u;
    return OutsideValue(c);
}

// The fields a usage of a variable capability covers. A main item may have more fields than
// usages; the last usage then repeats for every field left over.
struct FieldSpan {
    std::uint32_t first, count;
};

FieldSpan FieldsOf(const THidCapsEntry& c, USAGE usage) {
    const std::uint32_t index = std::uint32_t(usage - c.usageMin);
    const std::uint32_t last = c.UsageCount() - 1;
    if (index < last) return {index, 1};
    return {last, c.reportCount > last ? c.reportCount - last : 1u};
}

bool AnyFieldSet(const THidCapsEntry& c, FieldSpan span, const std::uint8_t* report) {
    for (std::uint32_t i = 0; i < span.count; ++i)
        if (ReadBits(report, c.bitOffset + (span.first + i) * c.bitSize, 1)) return true;
    return false;
}

// Whether a button usage of a capability is pressed in a report.
bool IsPressed(const THidCapsEntry& c, USAGE usage, const std::uint8_t* report) {
    if (!c.isArray) return AnyFieldSet(c, FieldsOf(c, usage), report);
    const std::uint32_t mask = c.bitSize >= 32 ? 0xFFFFFFFFu : (1u << c.bitSize) - 1;
    const std::uint32_t value = ArrayValueOf(c, usage) & mask;
    for (std::uint32_t i = 0; i < c.reportCount; ++i)
        if (ReadBits(report, c.bitOffset + i * c.bitSize, c.bitSize) == value) return true;
    return false;
}

// Presses or releases one button usage of a capability.
NTSTATUS SetButton(const THidCapsEntry& c, USAGE usage, std::uint8_t* report, bool on) {
    if (!c.isArray) {
        const FieldSpan span = FieldsOf(c, usage);
        if (!on) {
            if (!AnyFieldSet(c, span, report)) return HIDP_STATUS_BUTTON_NOT_PRESSED;
            for (std::uint32_t i = 0; i < span.count; ++i)
                WriteBits(report, c.bitOffset + (span.first + i) * c.bitSize, 1, 0);
            return HIDP_STATUS_SUCCESS;
        }
        WriteBits(report, c.bitOffset + span.first * c.bitSize, 1, 1);
        return HIDP_STATUS_SUCCESS;
    }
    const std::uint32_t value = ArrayValueOf(c, usage);
    const std::uint32_t mask = c.bitSize >= 32 ? 0xFFFFFFFFu : (1u << c.bitSize) - 1;
    std::optional<std::uint32_t> holding;  // the field that holds the usage
    for (std::uint32_t i = 0; i < c.reportCount && !holding; ++i)
        if (ReadBits(report, c.bitOffset + i * c.bitSize, c.bitSize) == (value & mask)) holding = i;
    if (on && holding) return HIDP_STATUS_SUCCESS;
    if (!on && !holding) return HIDP_STATUS_BUTTON_NOT_PRESSED;
    // Without a value for "no usage" the array cannot be changed a usage at a time.
    const std::optional<std::uint32_t> emptyValue = ArrayEmptyValue(c);
    if (!emptyValue) return HIDP_STATUS_BAD_LOG_PHY_VALUES;
    if (!on) {
        WriteBits(report, c.bitOffset + *holding * c.bitSize, c.bitSize, *emptyValue);
        return HIDP_STATUS_SUCCESS;
    }
    const std::uint32_t empty = *emptyValue & mask;
    for (std::uint32_t i = 0; i < c.reportCount; ++i) {
        const std::uint32_t offset = c.bitOffset + i * c.bitSize;
        if (ReadBits(report, offset, c.bitSize) == empty) {
            WriteBits(report, offset, c.bitSize, value);
            return HIDP_STATUS_SUCCESS;
        }
    }
    return HIDP_STATUS_BUFFER_TOO_SMALL;
}

// The pressed usages of one button capability, in field order, each once for a variable item.
void PressedUsages(const THidCapsEntry& c, const std::uint8_t* report, std::vector<USAGE>& out) {
    if (c.isArray) {
        for (std::uint32_t i = 0; i < c.reportCount; ++i) {
            USAGE usage;
            if (ArrayUsage(c, ReadBits(report, c.bitOffset + i * c.bitSize, c.bitSize), &usage) &&
                usage != 0)
                out.push_back(usage);
        }
        return;
    }
    for (std::uint32_t u = c.usageMin; u <= c.usageMax; ++u)
        if (AnyFieldSet(c, FieldsOf(c, USAGE(u)), report)) out.push_back(USAGE(u));
}

template <typename Caps>
void FillCommon(const THidPreparsedData& pp, const THidCapsEntry& c, Caps& out) {
    out.UsagePage = c.usagePage;
    out.ReportID = c.reportId;
    out.BitField = c.bitField;
    out.LinkCollection = c.linkCollection;
    const HIDP_LINK_COLLECTION_NODE& node = pp.nodes[c.linkCollection];
    out.LinkUsage = node.LinkUsage;
    out.LinkUsagePage = node.LinkUsagePage;
    out.IsRange = c.isRange;
    out.IsStringRange = c.isStringRange;
    out.IsDesignatorRange = c.isDesignatorRange;
    out.IsAbsolute = c.isAbsolute;
    out.ReportCount = c.reportCount;
    if (c.isRange) {
        out.Range = HIDP_RANGE{c.usageMin,      c.usageMax,      c.stringMin,    c.stringMax,
                               c.designatorMin, c.designatorMax, c.dataIndexMin, c.dataIndexMax};
    } else {
        out.NotRange =
            HIDP_NOT_RANGE{c.usageMin, 0, c.stringMin, 0, c.designatorMin, 0, c.dataIndexMin, 0};
    }
}

template <typename Caps>
NTSTATUS SpecificCaps(bool buttons, HIDP_REPORT_TYPE type, USAGE usagePage,
                      std::uint16_t linkCollection, USAGE usage, Caps* caps, std::uint16_t* length,
                      PHIDP_PREPARSED_DATA data) {
    if (data == nullptr) return HIDP_STATUS_INVALID_PREPARSED_DATA;
    if (!ValidType(type)) return HIDP_STATUS_INVALID_REPORT_TYPE;
    if (length == nullptr) return HIDP_STATUS_BUFFER_TOO_SMALL;
    std::vector<Caps> found;
    for (const THidCapsEntry& c : data->Caps(type)) {
        if (c.isButton != buttons) continue;
        if (usagePage != 0 && c.usagePage != usagePage) continue;
        if (!LinkMatches(c, linkCollection)) continue;
        if (usage != 0 && !UsageIn(c, usage)) continue;
        Caps out{};
        FillCommon(*data, c, out);
        if constexpr (std::is_same_v<Caps, HIDP_VALUE_CAPS>) {
            out.HasNull = c.hasNull;
            out.BitSize = c.bitSize;
            out.UnitsExp = c.unitsExp;
            out.Units = c.units;
            out.LogicalMin = c.logicalMin;
            out.LogicalMax = c.logicalMax;
            out.PhysicalMin = c.physicalMin;
            out.PhysicalMax = c.physicalMax;
        }
        found.push_back(out);
    }
    if (found.empty()) {
        *length = 0;
        return HIDP_STATUS_USAGE_NOT_FOUND;
    }
    return CopyOut(found, caps, length);
}

// Finds the button (or value) capability of a usage for a report; the status tells why there
// is none.
NTSTATUS FindCaps(bool buttons, const THidPreparsedData& pp, HIDP_REPORT_TYPE type, USAGE usagePage,
                  std::uint16_t linkCollection, USAGE usage, std::uint8_t reportId,
                  const THidCapsEntry** found) {
    bool otherReport = false;
    for (const THidCapsEntry& c : pp.Caps(type)) {
        if (c.isButton != buttons || c.usagePage != usagePage || !LinkMatches(c, linkCollection) ||
            !UsageIn(c, usage))
            continue;
        if (c.reportId != reportId) {
            otherReport = true;
            continue;
        }
        *found = &c;
        return HIDP_STATUS_SUCCESS;
    }
    return otherReport ? HIDP_STATUS_INCOMPATIBLE_REPORT_ID : HIDP_STATUS_USAGE_NOT_FOUND;
}

// Checks the report, then finds the value capability of a usage for it: a value array where
// one is wanted, a single value otherwise.
NTSTATUS FindValueInReport(bool valueArray, HIDP_REPORT_TYPE type, USAGE usagePage,
                           std::uint16_t linkCollection, USAGE usage, PHIDP_PREPARSED_DATA data,
                           const std::uint8_t* report, std::uint32_t reportLength,
                           const THidCapsEntry** found) {
    NTSTATUS status = CheckReport(data, type, report, reportLength);
    if (status != HIDP_STATUS_SUCCESS) return status;
    status = FindCaps(false, *data, type, usagePage, linkCollection, usage, report[0], found);
    if (status != HIDP_STATUS_SUCCESS) return status;
    if ((*found)->IsValueArray() == valueArray) return HIDP_STATUS_SUCCESS;
    return valueArray ? HIDP_STATUS_NOT_VALUE_ARRAY : HIDP_STATUS_IS_VALUE_ARRAY;
}

std::uint32_t ValueOffset(const THidCapsEntry& c, USAGE usage) {
    return c.bitOffset + (c.isRange ? std::uint32_t(usage - c.usageMin) * c.bitSize : 0);
}

struct Extents {
    std::int64_t logMin, logMax, phyMin, phyMax;
};

bool ScalingExtents(const THidCapsEntry& c, Extents* e) {
    e->logMin = c.logicalMin;
    e->logMax = c.logicalMax;
    e->phyMin = c.physicalMin;
    e->phyMax = c.physicalMax;
    if (e->phyMin == 0 && e->phyMax == 0) {
        e->phyMin = e->logMin;
        e->phyMax = e->logMax;
    }
    return e->logMin < e->logMax && e->phyMin < e->phyMax;
}

// Maps v from [fromMin, fromMax] onto [toMin, toMax], rounding toward toMin. The ranges come
// from 32-bit items, so each span is below 2^32 and their product fits 64 unsigned bits.
std::int64_t Rescale(std::int64_t v, std::int64_t fromMin, std::int64_t fromMax, std::int64_t toMin,
                     std::int64_t toMax) {
    const std::uint64_t offset = std::uint64_t(v - fromMin);
    const std::uint64_t product = offset * std::uint64_t(toMax - toMin);
    return toMin + std::int64_t(product / std::uint64_t(fromMax - fromMin));
}

NTSTATUS ChangeUsages(HIDP_REPORT_TYPE type, USAGE usagePage, std::uint16_t linkCollection,
                      USAGE* usageList, std::uint32_t* usageLength, PHIDP_PREPARSED_DATA data,
                      std::uint8_t* report, std::uint32_t reportLength, bool on) {
    NTSTATUS status = CheckReport(data, type, report, reportLength);
    if (status != HIDP_STATUS_SUCCESS) return status;
    if (usageLength == nullptr || (usageList == nullptr && *usageLength != 0))
        return HIDP_STATUS_BUFFER_TOO_SMALL;
    for (std::uint32_t i = 0; i < *usageLength; ++i) {
        if (usageList[i] == 0) continue;
        const USAGE usage = usageList[i];
        const THidCapsEntry* first = nullptr;
        status = FindCaps(true, *data, type, usagePage, linkCollection, usage, report[0], &first);
        if (status == HIDP_STATUS_SUCCESS) {
            // A usage may lie in more than one capability of a report; the one that holds it
            // answers, so pressing a pressed usage changes nothing and releasing finds it.
            const THidCapsEntry* holder = nullptr;
            for (const THidCapsEntry& c : data->Caps(type)) {
                if (c.isButton && c.usagePage == usagePage && LinkMatches(c, linkCollection) &&
                    UsageIn(c, usage) && c.reportId == report[0] && IsPressed(c, usage, report)) {
                    holder = &c;
                    break;
                }
            }
            if (on) {
                status = holder != nullptr ? HIDP_STATUS_SUCCESS
                                           : SetButton(*first, usage, report, true);
            } else {
                status = holder != nullptr ? SetButton(*holder, usage, report, false)
                                           : HIDP_STATUS_BUTTON_NOT_PRESSED;
            }
        }
        if (status != HIDP_STATUS_SUCCESS) {
            *usageLength = i;
            return status;
        }
    }
    return HIDP_STATUS_SUCCESS;
}

}  // namespace

NTSTATUS HidP_GetCaps(PHIDP_PREPARSED_DATA data, HIDP_CAPS* caps) {
    if (data == nullptr) return HIDP_STATUS_INVALID_PREPARSED_DATA;
    *caps = HIDP_CAPS{};
    caps->Usage = data->nodes[0].LinkUsage;
    caps->UsagePage = data->nodes[0].LinkUsagePage;
    caps->InputReportByteLength = data->reportByteLength[HidP_Input];
    caps->OutputReportByteLength = data->reportByteLength[HidP_Output];
    caps->FeatureReportByteLength = data->reportByteLength[HidP_Feature];
    caps->NumberLinkCollectionNodes = std::uint16_t(data->nodes.size());
    std::uint16_t* counts[3][3] = {
        {&caps->NumberInputButtonCaps, &caps->NumberInputValueCaps, &caps->NumberInputDataIndices},
        {&caps->NumberOutputButtonCaps, &caps->NumberOutputValueCaps,
         &caps->NumberOutputDataIndices},
        {&caps->NumberFeatureButtonCaps, &caps->NumberFeatureValueCaps,
         &caps->NumberFeatureDataIndices}};
    for (int t = 0; t < 3; ++t) {
        for (const THidCapsEntry& c : data->caps[t]) ++*counts[t][c.isButton ? 0 : 1];
        *counts[t][2] = data->dataIndexCount[t];
    }
    return HIDP_STATUS_SUCCESS;
}

NTSTATUS HidP_GetLinkCollectionNodes(HIDP_LINK_COLLECTION_NODE* nodes, std::uint32_t* length,
                                     PHIDP_PREPARSED_DATA data) {
    if (data == nullptr) return HIDP_STATUS_INVALID_PREPARSED_DATA;
    return CopyOut(data->nodes, nodes, length);
}

NTSTATUS HidP_GetSpecificButtonCaps(HIDP_REPORT_TYPE type, USAGE usagePage,
                                    std::uint16_t linkCollection, USAGE usage,
                                    HIDP_BUTTON_CAPS* caps, std::uint16_t* length,
                                    PHIDP_PREPARSED_DATA data) {
    return SpecificCaps(true, type, usagePage, linkCollection, usage, caps, length, data);
}

NTSTATUS HidP_GetSpecificValueCaps(HIDP_REPORT_TYPE type, USAGE usagePage,
                                   std::uint16_t linkCollection, USAGE usage, HIDP_VALUE_CAPS* caps,
                                   std::uint16_t* length, PHIDP_PREPARSED_DATA data) {
    return SpecificCaps(false, type, usagePage, linkCollection, usage, caps, length, data);
}

NTSTATUS HidP_GetData(HIDP_REPORT_TYPE type, HIDP_DATA* dataList, std::uint32_t* dataLength,
                      PHIDP_PREPARSED_DATA data, std::uint8_t* report, std::uint32_t reportLength) {
    NTSTATUS status = CheckReport(data, type, report, reportLength);
    if (status != HIDP_STATUS_SUCCESS) return status;
    if (dataLength == nullptr) return HIDP_STATUS_BUFFER_TOO_SMALL;
    // One entry per data index at most, so the list fits MaxDataListLength: a usage pressed in
    // two fields of an array is listed once.
    std::vector<HIDP_DATA> found;
    std::set<std::uint16_t> listed;
    auto add = [&found, &listed](std::uint16_t index, std::uint32_t raw) {
        if (!listed.insert(index).second) return;
        HIDP_DATA d{};
        d.DataIndex = index;
        d.RawValue = raw;
        found.push_back(d);
    };
    for (const THidCapsEntry& c : data->Caps(type)) {
        if (c.reportId != report[0]) continue;
        if (c.isButton) {
            std::vector<USAGE> pressed;
            PressedUsages(c, report, pressed);
            for (USAGE u : pressed) add(std::uint16_t(c.dataIndexMin + (u - c.usageMin)), 1);
        } else if (!c.IsValueArray()) {
            for (std::uint32_t i = 0; i < c.UsageCount(); ++i)
                add(std::uint16_t(c.dataIndexMin + i),
                    ReadBits(report, c.bitOffset + i * c.bitSize, c.bitSize));
        }
    }
    return CopyOut(found, dataList, dataLength);
}

NTSTATUS HidP_SetData(HIDP_REPORT_TYPE type, HIDP_DATA* dataList, std::uint32_t* dataLength,
                      PHIDP_PREPARSED_DATA data, std::uint8_t* report, std::uint32_t reportLength) {
    NTSTATUS status = CheckReport(data, type, report, reportLength);
    if (status != HIDP_STATUS_SUCCESS) return status;
    if (dataLength == nullptr || (dataList == nullptr && *dataLength != 0))
        return HIDP_STATUS_BUFFER_TOO_SMALL;
    for (std::uint32_t i = 0; i < *dataLength; ++i) {
        const HIDP_DATA& d = dataList[i];
        const THidCapsEntry* c = nullptr;
        for (const THidCapsEntry& candidate : data->Caps(type))
            if (d.DataIndex >= candidate.dataIndexMin && d.DataIndex <= candidate.dataIndexMax)
                c = &candidate;
        if (c == nullptr)
            status = HIDP_STATUS_DATA_INDEX_NOT_FOUND;
        else if (c->reportId != report[0])
            status = HIDP_STATUS_INCOMPATIBLE_REPORT_ID;
        else if (c->IsValueArray())
            status = HIDP_STATUS_IS_VALUE_ARRAY;
        else if (c->isButton)
            status = SetButton(*c, USAGE(c->usageMin + (d.DataIndex - c->dataIndexMin)), report,
                               d.On != 0);
        else
            WriteBits(report,
                      c->bitOffset + std::uint32_t(d.DataIndex - c->dataIndexMin) * c->bitSize,
                      c->bitSize, d.RawValue);
        if (status == HIDP_STATUS_BUTTON_NOT_PRESSED)
            status = HIDP_STATUS_SUCCESS;  // already released
        if (status != HIDP_STATUS_SUCCESS) {
            *dataLength = i;
            return status;
        }
    }
    return HIDP_STATUS_SUCCESS;
}

std::uint32_t HidP_MaxDataListLength(HIDP_REPORT_TYPE type, PHIDP_PREPARSED_DATA data) {
    if (data == nullptr || !ValidType(type)) return 0;
    return data->dataIndexCount[type];
}

NTSTATUS HidP_GetUsages(HIDP_REPORT_TYPE type, USAGE usagePage, std::uint16_t linkCollection,
                        USAGE* usageList, std::uint32_t* usageLength, PHIDP_PREPARSED_DATA data,
                        std::uint8_t* report, std::uint32_t reportLength) {
    NTSTATUS status = CheckReport(data, type, report, reportLength);
    if (status != HIDP_STATUS_SUCCESS) return status;
    if (usageLength == nullptr) return HIDP_STATUS_BUFFER_TOO_SMALL;
    std::vector<USAGE> pressed;
    bool anyButtons = false;
    for (const THidCapsEntry& c : data->Caps(type)) {
        if (!c.isButton || c.usagePage != usagePage || !LinkMatches(c, linkCollection)) continue;
        anyButtons = true;
        if (c.reportId == report[0]) PressedUsages(c, report, pressed);
    }
    if (!anyButtons) return HIDP_STATUS_USAGE_NOT_FOUND;
    return CopyOut(pressed, usageList, usageLength);
}

NTSTATUS HidP_GetUsagesEx(HIDP_REPORT_TYPE type, std::uint16_t linkCollection,
                          USAGE_AND_PAGE* usageList, std::uint32_t* usageLength,
                          PHIDP_PREPARSED_DATA data, std::uint8_t* report,
                          std::uint32_t reportLength) {
    NTSTATUS status = CheckReport(data, type, report, reportLength);
    if (status != HIDP_STATUS_SUCCESS) return status;
    if (usageLength == nullptr) return HIDP_STATUS_BUFFER_TOO_SMALL;
    std::vector<USAGE_AND_PAGE> pressed;
    for (const THidCapsEntry& c : data->Caps(type)) {
        if (!c.isButton || c.reportId != report[0] || !LinkMatches(c, linkCollection)) continue;
        std::vector<USAGE> usages;
        PressedUsages(c, report, usages);
        for (USAGE u : usages) pressed.push_back({u, c.usagePage});
    }
    return CopyOut(pressed, usageList, usageLength);
}

NTSTATUS HidP_SetUsages(HIDP_REPORT_TYPE type, USAGE usagePage, std::uint16_t linkCollection,
                        USAGE* usageList, std::uint32_t* usageLength, PHIDP_PREPARSED_DATA data,
                        std::uint8_t* report, std::uint32_t reportLength) {
    return ChangeUsages(type, usagePage, linkCollection, usageList, usageLength, data, report,
                        reportLength, true);
}

NTSTATUS HidP_UnsetUsages(HIDP_REPORT_TYPE type, USAGE usagePage, std::uint16_t linkCollection,
                          USAGE* usageList, std::uint32_t* usageLength, PHIDP_PREPARSED_DATA data,
                          std::uint8_t* report, std::uint32_t reportLength) {
    return ChangeUsages(type, usagePage, linkCollection, usageList, usageLength, data, report,
                        reportLength, false);
}

std::uint32_t HidP_MaxUsageListLength(HIDP_REPORT_TYPE type, USAGE usagePage,
                                      PHIDP_PREPARSED_DATA data) {
    if (data == nullptr || !ValidType(type)) return 0;
    std::uint32_t total = 0;
    std::set<std::uint32_t> arrays;
    for (const THidCapsEntry& c : data->Caps(type)) {
        if (!c.isButton || (usagePage != 0 && c.usagePage != usagePage)) continue;
        if (c.isArray) {
            if (arrays.insert(c.itemId).second) total += c.reportCount;
        } else {
            total += c.UsageCount();
        }
    }
    return total;
}

NTSTATUS HidP_GetUsageValue(HIDP_REPORT_TYPE type, USAGE usagePage, std::uint16_t linkCollection,
                            USAGE usage, std::uint32_t* usageValue, PHIDP_PREPARSED_DATA data,
                            std::uint8_t* report, std::uint32_t reportLength) {
    const THidCapsEntry* c = nullptr;
    const NTSTATUS status = FindValueInReport(false, type, usagePage, linkCollection, usage, data,
                                              report, reportLength, &c);
    if (status != HIDP_STATUS_SUCCESS) return status;
    *usageValue = ReadBits(report, ValueOffset(*c, usage), c->bitSize);
    return HIDP_STATUS_SUCCESS;
}

NTSTATUS HidP_GetScaledUsageValue(HIDP_REPORT_TYPE type, USAGE usagePage,
                                  std::uint16_t linkCollection, USAGE usage,
                                  std::int32_t* usageValue, PHIDP_PREPARSED_DATA data,
                                  std::uint8_t* report, std::uint32_t reportLength) {
    const THidCapsEntry* c = nullptr;
    const NTSTATUS status = FindValueInReport(false, type, usagePage, linkCollection, usage, data,
                                              report, reportLength, &c);
    if (status != HIDP_STATUS_SUCCESS) return status;
    Extents e;
    if (!ScalingExtents(*c, &e)) return HIDP_STATUS_BAD_LOG_PHY_VALUES;
    const std::int64_t value = FieldValue(*c, ReadBits(report, ValueOffset(*c, usage), c->bitSize));
    if (value < e.logMin || value > e.logMax)
        return c->hasNull ? HIDP_STATUS_NULL : HIDP_STATUS_VALUE_OUT_OF_RANGE;
    *usageValue = std::int32_t(Rescale(value, e.logMin, e.logMax, e.phyMin, e.phyMax));
    return HIDP_STATUS_SUCCESS;
}

NTSTATUS HidP_SetUsageValue(HIDP_REPORT_TYPE type, USAGE usagePage, std::uint16_t linkCollection,
                            USAGE usage, std::uint32_t usageValue, PHIDP_PREPARSED_DATA data,
                            std::uint8_t* report, std::uint32_t reportLength) {
    const THidCapsEntry* c = nullptr;
    const NTSTATUS status = FindValueInReport(false, type, usagePage, linkCollection, usage, data,
                                              report, reportLength, &c);
    if (status != HIDP_STATUS_SUCCESS) return status;
    WriteBits(report, ValueOffset(*c, usage), c->bitSize, usageValue);
    return HIDP_STATUS_SUCCESS;
}

NTSTATUS HidP_SetScaledUsageValue(HIDP_REPORT_TYPE type, USAGE usagePage,
                                  std::uint16_t linkCollection, USAGE usage,
                                  std::int32_t usageValue, PHIDP_PREPARSED_DATA data,
                                  std::uint8_t* report, std::uint32_t reportLength) {
    const THidCapsEntry* c = nullptr;
    const NTSTATUS status = FindValueInReport(false, type, usagePage, linkCollection, usage, data,
                                              report, reportLength, &c);
    if (status != HIDP_STATUS_SUCCESS) return status;
    Extents e;
    if (!ScalingExtents(*c, &e)) return HIDP_STATUS_BAD_LOG_PHY_VALUES;
    const std::uint32_t offset = ValueOffset(*c, usage);
    if (usageValue < e.phyMin || usageValue > e.phyMax) {
        const std::optional<std::uint32_t> null = OutsideValue(*c);
        if (!c->hasNull || !null) return HIDP_STATUS_VALUE_OUT_OF_RANGE;
        WriteBits(report, offset, c->bitSize, *null);
        return HIDP_STATUS_SUCCESS;
    }
    const std::int64_t raw = Rescale(usageValue, e.phyMin, e.phyMax, e.logMin, e.logMax);
    WriteBits(report, offset, c->bitSize, std::uint32_t(raw));
    return HIDP_STATUS_SUCCESS;
}

namespace {

NTSTATUS ValueArray(HIDP_REPORT_TYPE type, USAGE usagePage, std::uint16_t linkCollection,
                    USAGE usage, std::uint8_t* usageValue, std::uint16_t byteLength,
                    PHIDP_PREPARSED_DATA data, std::uint8_t* report, std::uint32_t reportLength,
                    bool write) {
    const THidCapsEntry* c = nullptr;
    const NTSTATUS status = FindValueInReport(true, type, usagePage, linkCollection, usage, data,
                                              report, reportLength, &c);
    if (status != HIDP_STATUS_SUCCESS) return status;
    const std::uint32_t bits = std::uint32_t(c->bitSize) * c->reportCount;
    if (usageValue == nullptr || byteLength < (bits + 7) / 8) return HIDP_STATUS_BUFFER_TOO_SMALL;
    if (!write) std::fill_n(usageValue, (bits + 7) / 8, 0);
    for (std::uint32_t i = 0; i < bits; ++i) {
        if (write) {
            WriteBits(report, c->bitOffset + i, 1, (usageValue[i / 8] >> (i % 8)) & 1u);
        } else if (ReadBits(report, c->bitOffset + i, 1)) {
            usageValue[i / 8] = std::uint8_t(usageValue[i / 8] | (1u << (i % 8)));
        }
    }
    return HIDP_STATUS_SUCCESS;
}

}  // namespace

NTSTATUS HidP_GetUsageValueArray(HIDP_REPORT_TYPE type, USAGE usagePage,
                                 std::uint16_t linkCollection, USAGE usage,
                                 std::uint8_t* usageValue, std::uint16_t usageValueByteLength,
                                 PHIDP_PREPARSED_DATA data, std::uint8_t* report,
                                 std::uint32_t reportLength) {
    return ValueArray(type, usagePage, linkCollection, usage, usageValue, usageValueByteLength,
                      data, report, reportLength, false);
}

NTSTATUS HidP_SetUsageValueArray(HIDP_REPORT_TYPE type, USAGE usagePage,
                                 std::uint16_t linkCollection, USAGE usage,
                                 std::uint8_t* usageValue, std::uint16_t usageValueByteLength,
                                 PHIDP_PREPARSED_DATA data, std::uint8_t* report,
                                 std::uint32_t reportLength) {
    return ValueArray(type, usagePage, linkCollection, usage, usageValue, usageValueByteLength,
                      data, report, reportLength, true);
}

NTSTATUS HidP_UsageListDifference(USAGE* previousUsageList, USAGE* currentUsageList,
                                  USAGE* breakUsageList, USAGE* makeUsageList,
                                  std::uint32_t usageListLength) {
    auto listed = [usageListLength](const USAGE* list, USAGE usage) {
        for (std::uint32_t i = 0; i < usageListLength && list[i] != 0; ++i)
            if (list[i] == usage) return true;
        return false;
    };
    std::vector<USAGE> breaks, makes;
    for (std::uint32_t i = 0; i < usageListLength && previousUsageList[i] != 0; ++i)
        if (!listed(currentUsageList, previousUsageList[i])) breaks.push_back(previousUsageList[i]);
    for (std::uint32_t i = 0; i < usageListLength && currentUsageList[i] != 0; ++i)
        if (!listed(previousUsageList, currentUsageList[i])) makes.push_back(currentUsageList[i]);
    breaks.resize(usageListLength, 0);
    makes.resize(usageListLength, 0);
    std::copy(breaks.begin(), breaks.end(), breakUsageList);
    std::copy(makes.begin(), makes.end(), makeUsageList);
    return HIDP_STATUS_SUCCESS;
}

NTSTATUS HidP_GetExtendedAttributes(HIDP_REPORT_TYPE type, std::uint16_t dataIndex,
                                    PHIDP_PREPARSED_DATA data, HIDP_EXTENDED_ATTRIBUTES* attributes,
                                    std::uint32_t* lengthAttributes) {
    if (data == nullptr) return HIDP_STATUS_INVALID_PREPARSED_DATA;
    if (!ValidType(type)) return HIDP_STATUS_INVALID_REPORT_TYPE;
    const bool known =
        std::any_of(data->Caps(type).begin(), data->Caps(type).end(), [dataIndex](const auto& c) {
            return dataIndex >= c.dataIndexMin && dataIndex <= c.dataIndexMax;
        });
    if (!known) return HIDP_STATUS_DATA_INDEX_NOT_FOUND;
    if (attributes == nullptr || lengthAttributes == nullptr ||
        *lengthAttributes < sizeof(HIDP_EXTENDED_ATTRIBUTES))
        return HIDP_STATUS_BUFFER_TOO_SMALL;
    // The descriptor parser keeps no unknown global items, so there are none to report.
    *attributes = HIDP_EXTENDED_ATTRIBUTES{};
    *lengthAttributes = sizeof(HIDP_EXTENDED_ATTRIBUTES);
    return HIDP_STATUS_SUCCESS;
}

NTSTATUS HidP_InitializeReportForID(HIDP_REPORT_TYPE type, std::uint8_t reportId,
                                    PHIDP_PREPARSED_DATA data, std::uint8_t* report,
                                    std::uint32_t reportLength) {
    if (data == nullptr) return HIDP_STATUS_INVALID_PREPARSED_DATA;
    if (!ValidType(type)) return HIDP_STATUS_INVALID_REPORT_TYPE;
    if (data->reportByteLength[type] == 0) return HIDP_STATUS_REPORT_DOES_NOT_EXIST;
    if (report == nullptr || reportLength != data->reportByteLength[type])
        return HIDP_STATUS_INVALID_REPORT_LENGTH;
    if (!data->HasReportId(type, reportId)) return HIDP_STATUS_REPORT_DOES_NOT_EXIST;
    std::fill_n(report, reportLength, 0);
    report[0] = reportId;
    for (const THidCapsEntry& c : data->Caps(type)) {
        if (c.reportId != reportId) continue;
        // Fields without a value outside their logical range stay 0.
        const std::optional<std::uint32_t> rest = c.isArray                  ? ArrayEmptyValue(c)
                                                  : !c.isButton && c.hasNull ? OutsideValue(c)
                                                                             : std::nullopt;
        if (!rest) continue;
        for (std::uint32_t i = 0; i < c.reportCount; ++i)
            WriteBits(report, c.bitOffset + i * c.bitSize, c.bitSize, *rest);
    }
    return HIDP_STATUS_SUCCESS;
}

}  // namespace hidservices
}  // namespace dsp
