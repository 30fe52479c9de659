#pragma once
// The report descriptor of a HID device turned into the capability tables the HID parser answers
// from: link collections, and per report type the button and value fields with their report IDs,
// bit positions, usages, ranges and data indices.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/hid/HidTypes.h"

namespace dsp {

// One button or value capability: a run of fields of one main item that share a usage or a
// usage range.
struct THidCapsEntry {
    HIDP_REPORT_TYPE type = HidP_Input;
    std::uint8_t reportId = 0;
    std::uint16_t bitField = 0;  // the main item's flags
    std::uint16_t linkCollection = 0;
    USAGE usagePage = 0;
    USAGE usageMin = 0, usageMax = 0;
    bool isRange = false;
    std::uint16_t stringMin = 0, stringMax = 0;
    std::uint16_t designatorMin = 0, designatorMax = 0;
    bool isStringRange = false, isDesignatorRange = false;
    std::uint32_t bitOffset = 0;  // of the first field, counted after the report-ID byte
    std::uint16_t bitSize = 0;
    std::uint16_t reportCount = 0;
    bool isButton = false;
    bool isArray = false;  // the fields hold usage indices rather than one bit or value per usage
    bool hasNull = false;
    bool isAbsolute = true;
    std::int32_t logicalMin = 0, logicalMax = 0;
    std::int32_t physicalMin = 0, physicalMax = 0;
    std::uint32_t unitsExp = 0, units = 0;
    std::uint16_t dataIndexMin = 0, dataIndexMax = 0;
    std::uint32_t arrayUsageBase = 0;  // arrays: position of usageMin in the item's usage list
    std::uint32_t itemId = 0;          // the main item the capability came from

    std::uint32_t UsageCount() const { return std::uint32_t(usageMax) - usageMin + 1; }
    bool IsValueArray() const { return !isButton && !isRange && reportCount > 1; }
};

struct THidPreparsedData {
    std::vector<HIDP_LINK_COLLECTION_NODE> nodes;
    std::array<std::vector<THidCapsEntry>, 3> caps;
    std::array<std::uint16_t, 3> reportByteLength{};
    std::array<std::uint16_t, 3> dataIndexCount{};
    std::array<std::vector<std::uint8_t>, 3> reportIds;  // the report IDs used, per report type

    const std::vector<THidCapsEntry>& Caps(HIDP_REPORT_TYPE type) const { return caps[type]; }
    bool HasReportId(HIDP_REPORT_TYPE type, std::uint8_t id) const;
};

// Parses a report descriptor; null with a reason when it is malformed.
std::unique_ptr<THidPreparsedData> ParseReportDescriptor(const std::uint8_t* bytes,
                                                         std::size_t size,
                                                         std::string* reason = nullptr);

}  // namespace dsp
