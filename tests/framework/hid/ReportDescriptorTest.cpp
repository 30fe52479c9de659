#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <optional>
#include <vector>

#include "framework/hid/HidParser.h"
#include "framework/hid/ReportDescriptor.h"

namespace dsp {
namespace {

using namespace hidservices;

// A keyboard (report 1: modifier bits, a reserved byte, a six-key array; LED output bits) and a
// pointer (report 2: signed 11-bit X and Y, a relative wheel with a null state; a 4-byte feature
// value array) in two top-level collections.
// clang-format off
const std::vector<std::uint8_t> kKeyboardAndPointer{
    0x05, 0x01, 0x09, 0x06, 0xA1, 0x01,                    // desktop / keyboard / application
    0x85, 0x01,                                            // report ID 1
    0x05, 0x07, 0x19, 0xE0, 0x29, 0xE7, 0x15, 0x00, 0x25, 0x01, 0x75, 0x01, 0x95, 0x08, 0x81, 0x02,
    0x95, 0x01, 0x75, 0x08, 0x81, 0x01,                    // reserved byte
    0x19, 0x00, 0x29, 0x65, 0x15, 0x00, 0x25, 0x65, 0x75, 0x08, 0x95, 0x06, 0x81, 0x00,
    0x05, 0x08, 0x19, 0x01, 0x29, 0x05, 0x15, 0x00, 0x25, 0x01, 0x75, 0x01, 0x95, 0x05, 0x91, 0x02,
    0x95, 0x01, 0x75, 0x03, 0x91, 0x01,                    // LED padding
    0xC0,
    0x05, 0x01, 0x09, 0x02, 0xA1, 0x01,                    // desktop / mouse / application
    0x85, 0x02,
    0x09, 0x01, 0xA1, 0x00,                                // pointer / physical
    0x09, 0x30, 0x09, 0x31, 0x16, 0x00, 0xFC, 0x26, 0xFF, 0x03, 0x36, 0x18, 0xFC, 0x46, 0xE8, 0x03,
    0x75, 0x0B, 0x95, 0x02, 0x81, 0x02,                    // X, Y: -1024..1023 over -1000..1000
    0x09, 0x38, 0x15, 0x81, 0x25, 0x7F, 0x35, 0x00, 0x45, 0x00, 0x75, 0x08, 0x95, 0x01, 0x81, 0x46,
    0xC0,
    0x06, 0x00, 0xFF, 0x09, 0x10, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08, 0x95, 0x04, 0xB1, 0x02,
    0xC0};
// clang-format on

class ReportParserTest : public ::testing::Test {
protected:
    void SetUp() override {
        data_ = ParseReportDescriptor(kKeyboardAndPointer.data(), kKeyboardAndPointer.size());
        ASSERT_NE(data_, nullptr);
    }
    PHIDP_PREPARSED_DATA Pp() { return data_.get(); }
    std::vector<std::uint8_t> Report(HIDP_REPORT_TYPE type, std::uint8_t id) {
        std::vector<std::uint8_t> r(data_->reportByteLength[type]);
        EXPECT_EQ(HidP_InitializeReportForID(type, id, Pp(), r.data(), std::uint32_t(r.size())),
                  HIDP_STATUS_SUCCESS);
        return r;
    }
    std::unique_ptr<THidPreparsedData> data_;
};

TEST_F(ReportParserTest, CapsDescribeLengthsCollectionsAndCounts) {
    HIDP_CAPS caps;
    ASSERT_EQ(HidP_GetCaps(Pp(), &caps), HIDP_STATUS_SUCCESS);
    EXPECT_EQ(caps.UsagePage, 0x01);
    EXPECT_EQ(caps.Usage, 0x06);
    EXPECT_EQ(caps.InputReportByteLength, 9);  // keyboard report: 8 data bytes and the ID
    EXPECT_EQ(caps.OutputReportByteLength, 2);
    EXPECT_EQ(caps.FeatureReportByteLength, 5);
    EXPECT_EQ(caps.NumberLinkCollectionNodes, 3);
    EXPECT_EQ(caps.NumberInputButtonCaps, 2);
    EXPECT_EQ(caps.NumberInputValueCaps, 3);
    EXPECT_EQ(caps.NumberInputDataIndices, 8 + 0x66 + 3);
    EXPECT_EQ(caps.NumberFeatureValueCaps, 1);

    HIDP_LINK_COLLECTION_NODE nodes[3];
    std::uint32_t count = 3;
    ASSERT_EQ(HidP_GetLinkCollectionNodes(nodes, &count, Pp()), HIDP_STATUS_SUCCESS);
    EXPECT_EQ(nodes[0].NumberOfChildren, 1);  // the mouse collection hangs under the first
    EXPECT_EQ(nodes[1].LinkUsage, 0x02);
    EXPECT_EQ(nodes[2].Parent, 1);
    EXPECT_EQ(nodes[2].CollectionType, 0u);
    count = 2;
    EXPECT_EQ(HidP_GetLinkCollectionNodes(nodes, &count, Pp()), HIDP_STATUS_BUFFER_TOO_SMALL);
    EXPECT_EQ(count, 3u);
}

TEST_F(ReportParserTest, SpecificCapsFilterAndReportShortBuffers) {
    HIDP_BUTTON_CAPS buttons[4];
    std::uint16_t n = 4;
    ASSERT_EQ(HidP_GetSpecificButtonCaps(HidP_Input, 0x07, 0, 0xE3, buttons, &n, Pp()),
              HIDP_STATUS_SUCCESS);
    ASSERT_EQ(n, 1);
    EXPECT_TRUE(buttons[0].IsRange);
    EXPECT_EQ(buttons[0].Range.UsageMin, 0xE0);
    EXPECT_EQ(buttons[0].Range.DataIndexMax, 7);
    EXPECT_EQ(buttons[0].ReportID, 1);

    HIDP_VALUE_CAPS values[1];
    n = 1;
    EXPECT_EQ(HidP_GetSpecificValueCaps(HidP_Input, 0, 0, 0, values, &n, Pp()),
              HIDP_STATUS_BUFFER_TOO_SMALL);
    EXPECT_EQ(n, 3);
    n = 1;
    ASSERT_EQ(HidP_GetSpecificValueCaps(HidP_Input, 0x01, 0, 0x38, values, &n, Pp()),
              HIDP_STATUS_SUCCESS);
    EXPECT_TRUE(values[0].HasNull);
    EXPECT_EQ(values[0].LogicalMin, -127);
    EXPECT_EQ(values[0].LinkUsage, 0x01);  // the pointer collection
    n = 1;
    EXPECT_EQ(HidP_GetSpecificValueCaps(HidP_Output, 0x01, 0, 0x38, values, &n, Pp()),
              HIDP_STATUS_USAGE_NOT_FOUND);
}

TEST_F(ReportParserTest, ButtonsAndArrayKeysRoundTrip) {
    auto r = Report(HidP_Input, 1);
    USAGE modifiers[] = {0xE1};
    std::uint32_t n = 1;
    ASSERT_EQ(HidP_SetUsages(HidP_Input, 0x07, 0, modifiers, &n, Pp(), r.data(), 9),
              HIDP_STATUS_SUCCESS);
    USAGE keys[] = {0x04, 0x05};
    n = 2;
    ASSERT_EQ(HidP_SetUsages(HidP_Input, 0x07, 0, keys, &n, Pp(), r.data(), 9),
              HIDP_STATUS_SUCCESS);
    EXPECT_EQ(r, (std::vector<std::uint8_t>{1, 0x02, 0, 0x04, 0x05, 0, 0, 0, 0}));

    USAGE got[8];
    n = 8;
    ASSERT_EQ(HidP_GetUsages(HidP_Input, 0x07, 0, got, &n, Pp(), r.data(), 9), HIDP_STATUS_SUCCESS);
    EXPECT_EQ(std::vector<USAGE>(got, got + n), (std::vector<USAGE>{0xE1, 0x04, 0x05}));
    n = 2;
    EXPECT_EQ(HidP_GetUsages(HidP_Input, 0x07, 0, got, &n, Pp(), r.data(), 9),
              HIDP_STATUS_BUFFER_TOO_SMALL);
    EXPECT_EQ(n, 3u);

    n = 1;
    ASSERT_EQ(HidP_UnsetUsages(HidP_Input, 0x07, 0, keys, &n, Pp(), r.data(), 9),
              HIDP_STATUS_SUCCESS);
    EXPECT_EQ(r[3], 0);
    n = 1;
    EXPECT_EQ(HidP_UnsetUsages(HidP_Input, 0x07, 0, keys, &n, Pp(), r.data(), 9),
              HIDP_STATUS_BUTTON_NOT_PRESSED);
    EXPECT_EQ(n, 0u);

    USAGE_AND_PAGE all[8];
    n = 8;
    ASSERT_EQ(HidP_GetUsagesEx(HidP_Input, 0, all, &n, Pp(), r.data(), 9), HIDP_STATUS_SUCCESS);
    ASSERT_EQ(n, 2u);
    EXPECT_EQ(all[1].Usage, 0x05);
    EXPECT_EQ(all[1].UsagePage, 0x07);
}

TEST_F(ReportParserTest, ArrayOverflowsAfterItsSixFields) {
    auto r = Report(HidP_Input, 1);
    USAGE keys[] = {0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A};
    std::uint32_t n = 7;
    EXPECT_EQ(HidP_SetUsages(HidP_Input, 0x07, 0, keys, &n, Pp(), r.data(), 9),
              HIDP_STATUS_BUFFER_TOO_SMALL);
    EXPECT_EQ(n, 6u);
    EXPECT_EQ(HidP_MaxUsageListLength(HidP_Input, 0x07, Pp()), 8u + 6u);
}

TEST_F(ReportParserTest, ReportChecksComeBeforeAnyChange) {
    struct Case {
        const char* name;
        std::vector<std::uint8_t> report;
        NTSTATUS expected;
    } cases[] = {
        {"short report", std::vector<std::uint8_t>(8, 0), HIDP_STATUS_INVALID_REPORT_LENGTH},
        {"long report", std::vector<std::uint8_t>(10, 0), HIDP_STATUS_INVALID_REPORT_LENGTH},
        {"unknown report ID", {7, 0, 0, 0, 0, 0, 0, 0, 0}, HIDP_STATUS_INCOMPATIBLE_REPORT_ID},
        {"keys in the pointer report",
         {2, 0, 0, 0, 0, 0, 0, 0, 0},
         HIDP_STATUS_INCOMPATIBLE_REPORT_ID},
    };
    for (Case& c : cases) {
        USAGE key = 0x04;
        std::uint32_t n = 1;
        const auto before = c.report;
        EXPECT_EQ(HidP_SetUsages(HidP_Input, 0x07, 0, &key, &n, Pp(), c.report.data(),
                                 std::uint32_t(c.report.size())),
                  c.expected)
            << c.name;
        EXPECT_EQ(c.report, before) << c.name;
    }
    std::uint8_t feature[5] = {2};
    USAGE key = 0x04;
    std::uint32_t n = 1;
    EXPECT_EQ(HidP_SetUsages(HidP_Feature, 0x07, 0, &key, &n, Pp(), feature, 5),
              HIDP_STATUS_USAGE_NOT_FOUND);
    EXPECT_EQ(HidP_SetUsages(HidP_Input, 0x07, 0, &key, &n, nullptr, feature, 5),
              HIDP_STATUS_INVALID_PREPARSED_DATA);
    EXPECT_EQ(HidP_SetUsages(HIDP_REPORT_TYPE(3), 0x07, 0, &key, &n, Pp(), feature, 5),
              HIDP_STATUS_INVALID_REPORT_TYPE);
}

TEST_F(ReportParserTest, SignedValuesPackAcrossBytesAndScale) {
    auto r = Report(HidP_Input, 2);
    ASSERT_EQ(HidP_SetUsageValue(HidP_Input, 0x01, 0, 0x30, 0x7FF, Pp(), r.data(), 9),
              HIDP_STATUS_SUCCESS);  // X = -1
    ASSERT_EQ(HidP_SetUsageValue(HidP_Input, 0x01, 0, 0x31, 0x3FF, Pp(), r.data(), 9),
              HIDP_STATUS_SUCCESS);  // Y = 1023
    EXPECT_EQ(r[1], 0xFF);
    EXPECT_EQ(r[2], 0xFF);  // X's top three bits, then Y's low five
    std::uint32_t raw = 0;
    ASSERT_EQ(HidP_GetUsageValue(HidP_Input, 0x01, 0, 0x31, &raw, Pp(), r.data(), 9),
              HIDP_STATUS_SUCCESS);
    EXPECT_EQ(raw, 0x3FFu);

    std::int32_t scaled = 0;
    ASSERT_EQ(HidP_GetScaledUsageValue(HidP_Input, 0x01, 0, 0x31, &scaled, Pp(), r.data(), 9),
              HIDP_STATUS_SUCCESS);
    EXPECT_EQ(scaled, 1000);
    ASSERT_EQ(HidP_SetScaledUsageValue(HidP_Input, 0x01, 0, 0x30, -1000, Pp(), r.data(), 9),
              HIDP_STATUS_SUCCESS);
    ASSERT_EQ(HidP_GetUsageValue(HidP_Input, 0x01, 0, 0x30, &raw, Pp(), r.data(), 9),
              HIDP_STATUS_SUCCESS);
    EXPECT_EQ(raw, 0x400u);  // -1024
    EXPECT_EQ(HidP_SetScaledUsageValue(HidP_Input, 0x01, 0, 0x30, 1001, Pp(), r.data(), 9),
              HIDP_STATUS_VALUE_OUT_OF_RANGE);
}

TEST_F(ReportParserTest, NullStateOfAFreshReport) {
    auto r = Report(HidP_Input, 2);
    std::int32_t wheel = 5;
    EXPECT_EQ(HidP_GetScaledUsageValue(HidP_Input, 0x01, 0, 0x38, &wheel, Pp(), r.data(), 9),
              HIDP_STATUS_NULL);
    ASSERT_EQ(HidP_SetScaledUsageValue(HidP_Input, 0x01, 0, 0x38, -3, Pp(), r.data(), 9),
              HIDP_STATUS_SUCCESS);
    EXPECT_EQ(HidP_GetScaledUsageValue(HidP_Input, 0x01, 0, 0x38, &wheel, Pp(), r.data(), 9),
              HIDP_STATUS_SUCCESS);
    EXPECT_EQ(wheel, -3);
}

TEST_F(ReportParserTest, ValueArraysMoveWhole) {
    auto r = Report(HidP_Feature, 2);
    std::uint8_t in[4] = {1, 2, 3, 4};
    ASSERT_EQ(HidP_SetUsageValueArray(HidP_Feature, 0xFF00, 0, 0x10, in, 4, Pp(), r.data(), 5),
              HIDP_STATUS_SUCCESS);
    EXPECT_EQ(r, (std::vector<std::uint8_t>{2, 1, 2, 3, 4}));
    std::uint8_t out[4] = {};
    ASSERT_EQ(HidP_GetUsageValueArray(HidP_Feature, 0xFF00, 0, 0x10, out, 4, Pp(), r.data(), 5),
              HIDP_STATUS_SUCCESS);
    EXPECT_EQ(std::vector<std::uint8_t>(out, out + 4), std::vector<std::uint8_t>(in, in + 4));
    EXPECT_EQ(HidP_GetUsageValueArray(HidP_Feature, 0xFF00, 0, 0x10, out, 3, Pp(), r.data(), 5),
              HIDP_STATUS_BUFFER_TOO_SMALL);
    std::uint32_t raw;
    EXPECT_EQ(HidP_GetUsageValue(HidP_Feature, 0xFF00, 0, 0x10, &raw, Pp(), r.data(), 5),
              HIDP_STATUS_IS_VALUE_ARRAY);
    auto pointer = Report(HidP_Input, 2);
    EXPECT_EQ(HidP_GetUsageValueArray(HidP_Input, 0x01, 0, 0x30, out, 4, Pp(), pointer.data(), 9),
              HIDP_STATUS_NOT_VALUE_ARRAY);
}

TEST_F(ReportParserTest, DataListsRoundTrip) {
    EXPECT_EQ(HidP_MaxDataListLength(HidP_Input, Pp()), 8u + 0x66 + 3);
    auto r = Report(HidP_Input, 1);
    HIDP_DATA set[3] = {};
    set[0].DataIndex = 2;  // modifier 0xE2
    set[0].On = 1;
    set[1].DataIndex = 8 + 0x29;  // key 0x29 of the array
    set[1].On = 1;
    set[2].DataIndex = 500;
    std::uint32_t n = 3;
    EXPECT_EQ(HidP_SetData(HidP_Input, set, &n, Pp(), r.data(), 9),
              HIDP_STATUS_DATA_INDEX_NOT_FOUND);
    EXPECT_EQ(n, 2u);

    HIDP_DATA got[4];
    n = 4;
    ASSERT_EQ(HidP_GetData(HidP_Input, got, &n, Pp(), r.data(), 9), HIDP_STATUS_SUCCESS);
    ASSERT_EQ(n, 2u);
    EXPECT_EQ(got[0].DataIndex, 2);
    EXPECT_EQ(got[1].DataIndex, 8 + 0x29);
    EXPECT_EQ(r[3], 0x29);

    HIDP_EXTENDED_ATTRIBUTES attributes;
    std::uint32_t length = sizeof attributes;
    EXPECT_EQ(HidP_GetExtendedAttributes(HidP_Input, 2, Pp(), &attributes, &length),
              HIDP_STATUS_SUCCESS);
    EXPECT_EQ(attributes.NumGlobalUnknowns, 0);
    EXPECT_EQ(HidP_GetExtendedAttributes(HidP_Input, 500, Pp(), &attributes, &length),
              HIDP_STATUS_DATA_INDEX_NOT_FOUND);
}

// A short item with a four-byte value.
void Item4(std::vector<std::uint8_t>& d, std::uint8_t prefix, std::int64_t value) {
    d.push_back(std::uint8_t(prefix | 3));
    for (int i = 0; i < 4; ++i) d.push_back(std::uint8_t(std::uint64_t(value) >> (8 * i)));
}

// One input value (desktop X) of the given size and ranges, without a report ID.
std::vector<std::uint8_t> OneValue(int bits, std::int64_t logMin, std::int64_t logMax,
                                   std::int64_t phyMin, std::int64_t phyMax, bool hasNull) {
    std::vector<std::uint8_t> d{0x05, 0x01, 0x09, 0x30};
    Item4(d, 0x14, logMin);
    Item4(d, 0x24, logMax);
    Item4(d, 0x34, phyMin);
    Item4(d, 0x44, phyMax);
    const std::uint8_t flags = hasNull ? 0x42 : 0x02;
    d.insert(d.end(), {0x75, std::uint8_t(bits), 0x95, 0x01, 0x81, flags});
    return d;
}

std::uint32_t Field32(const std::vector<std::uint8_t>& r) {
    return std::uint32_t(r[1]) | std::uint32_t(r[2]) << 8 | std::uint32_t(r[3]) << 16 |
           std::uint32_t(r[4]) << 24;
}

constexpr std::int64_t kMin = INT32_MIN;
constexpr std::int64_t kMax = INT32_MAX;

// 32-bit fields whose ranges reach the ends of the 32-bit numbers: reading a raw field gives
// the scaled value, and writing the scaled value gives the raw field.
struct ScaleCase {
    const char* name;
    std::int64_t logMin, logMax, phyMin, phyMax;
    std::uint32_t raw;
    std::int32_t scaled;
    std::uint32_t rawWritten;  // what writing the scaled value stores
};

TEST(ReportValueExtremes, ScalingReachesTheEndsOfThirtyTwoBitRanges) {
    const ScaleCase cases[] = {
        {"whole logical range, no physical: top", kMin, kMax, 0, 0, 0x7FFFFFFF, INT32_MAX,
         0x7FFFFFFF},
        {"whole logical range, no physical: bottom", kMin, kMax, 0, 0, 0x80000000, INT32_MIN,
         0x80000000},
        {"positive logical onto whole physical: top", 0, kMax, kMin, kMax, 0x7FFFFFFF, INT32_MAX,
         0x7FFFFFFF},
        {"positive logical onto whole physical: bottom", 0, kMax, kMin, kMax, 0, INT32_MIN, 0},
        {"whole logical onto a small physical range: top", kMin, kMax, 0, 1000, 0x7FFFFFFF, 1000,
         0x7FFFFFFF},
        {"whole logical onto a small physical range: bottom", kMin, kMax, 0, 1000, 0x80000000, 0,
         0x80000000},
        {"small logical onto whole physical: top", 0, 1, kMin, kMax, 1, INT32_MAX, 1},
    };
    for (const ScaleCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto d = OneValue(32, c.logMin, c.logMax, c.phyMin, c.phyMax, false);
        auto pp = ParseReportDescriptor(d.data(), d.size());
        ASSERT_NE(pp, nullptr);
        std::vector<std::uint8_t> r(5);
        ASSERT_EQ(HidP_SetUsageValue(HidP_Input, 0x01, 0, 0x30, c.raw, pp.get(), r.data(), 5),
                  HIDP_STATUS_SUCCESS);
        std::int32_t scaled = 0;
        ASSERT_EQ(
            HidP_GetScaledUsageValue(HidP_Input, 0x01, 0, 0x30, &scaled, pp.get(), r.data(), 5),
            HIDP_STATUS_SUCCESS);
        EXPECT_EQ(scaled, c.scaled);
        std::fill(r.begin(), r.end(), 0);
        ASSERT_EQ(
            HidP_SetScaledUsageValue(HidP_Input, 0x01, 0, 0x30, c.scaled, pp.get(), r.data(), 5),
            HIDP_STATUS_SUCCESS);
        EXPECT_EQ(Field32(r), c.rawWritten);
    }
}

// The null state of a value is a field value outside its logical range; where the range takes
// every value the field holds there is none, and a physical value out of range is refused.
struct NullCase {
    const char* name;
    int bits;
    std::int64_t logMin, logMax;
    std::optional<std::uint32_t> null;  // the field value of the null state, if any
};

TEST(ReportValueExtremes, NullStateLiesOutsideTheLogicalRangeOrIsRefused) {
    const NullCase cases[] = {
        {"8-bit -127..127", 8, -127, 127, 0x80},
        {"8-bit -128..127", 8, -128, 127, std::nullopt},
        {"16-bit 1..65535", 16, 1, 0xFFFF, 0},
        {"32-bit 0..2^31-1", 32, 0, kMax, 0x80000000},
        {"32-bit -2^31+1..2^31-1", 32, kMin + 1, kMax, 0x80000000},
        {"32-bit -2^31..2^31-1", 32, kMin, kMax, std::nullopt},
    };
    for (const NullCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto d = OneValue(c.bits, c.logMin, c.logMax, 0, 100, true);
        auto pp = ParseReportDescriptor(d.data(), d.size());
        ASSERT_NE(pp, nullptr);
        const std::uint32_t length = pp->reportByteLength[HidP_Input];
        std::vector<std::uint8_t> r(length, 0xAA);
        ASSERT_EQ(HidP_InitializeReportForID(HidP_Input, 0, pp.get(), r.data(), length),
                  HIDP_STATUS_SUCCESS);
        std::uint32_t raw = 0;
        ASSERT_EQ(HidP_GetUsageValue(HidP_Input, 0x01, 0, 0x30, &raw, pp.get(), r.data(), length),
                  HIDP_STATUS_SUCCESS);
        EXPECT_EQ(raw, c.null.value_or(0));  // a fresh report holds the null state, or 0

        std::int32_t scaled = 0;
        const NTSTATUS read = HidP_GetScaledUsageValue(HidP_Input, 0x01, 0, 0x30, &scaled, pp.get(),
                                                       r.data(), length);
        EXPECT_EQ(read, c.null ? HIDP_STATUS_NULL : HIDP_STATUS_SUCCESS);

        ASSERT_EQ(HidP_SetUsageValue(HidP_Input, 0x01, 0, 0x30, 1, pp.get(), r.data(), length),
                  HIDP_STATUS_SUCCESS);
        const NTSTATUS written =
            HidP_SetScaledUsageValue(HidP_Input, 0x01, 0, 0x30, 101, pp.get(), r.data(), length);
        ASSERT_EQ(HidP_GetUsageValue(HidP_Input, 0x01, 0, 0x30, &raw, pp.get(), r.data(), length),
                  HIDP_STATUS_SUCCESS);
        if (c.null) {
            EXPECT_EQ(written, HIDP_STATUS_SUCCESS);
            EXPECT_EQ(raw, *c.null);
        } else {
            EXPECT_EQ(written, HIDP_STATUS_VALUE_OUT_OF_RANGE);
            EXPECT_EQ(raw, 1u);  // left as it was
        }
    }
}

// An 8-bit button array whose logical range -128..127 stands for usages 1 to 256: every field
// value is a usage, so there is no "no usage" value to release a button with.
TEST(ReportValueExtremes, ArrayWithoutAnEmptyValueRefusesChanges) {
    // clang-format off
    const std::vector<std::uint8_t> d{
        0x05, 0x09, 0x19, 0x01, 0x2A, 0x00, 0x01, 0x15, 0x80, 0x25, 0x7F,
        0x75, 0x08, 0x95, 0x02, 0x81, 0x00};
    // clang-format on
    auto pp = ParseReportDescriptor(d.data(), d.size());
    ASSERT_NE(pp, nullptr);
    std::vector<std::uint8_t> r{0, 0x81, 0x82};  // usages 2 and 3
    const auto before = r;
    USAGE usage = 2;
    std::uint32_t n = 1;
    EXPECT_EQ(HidP_UnsetUsages(HidP_Input, 0x09, 0, &usage, &n, pp.get(), r.data(), 3),
              HIDP_STATUS_BAD_LOG_PHY_VALUES);
    usage = 7;
    n = 1;
    EXPECT_EQ(HidP_SetUsages(HidP_Input, 0x09, 0, &usage, &n, pp.get(), r.data(), 3),
              HIDP_STATUS_BAD_LOG_PHY_VALUES);
    EXPECT_EQ(r, before);
    USAGE got[2];
    n = 2;
    ASSERT_EQ(HidP_GetUsages(HidP_Input, 0x09, 0, got, &n, pp.get(), r.data(), 3),
              HIDP_STATUS_SUCCESS);
    EXPECT_EQ(std::vector<USAGE>(got, got + n), (std::vector<USAGE>{2, 3}));
}

// Two key arrays of one report that know the same keys: the array that holds a key answers for
// it, so pressing a pressed key changes nothing and releasing it clears that array's field.
TEST(ReportButtons, AUsageInTwoArraysIsAnsweredByTheOneHoldingIt) {
    // clang-format off
    const std::vector<std::uint8_t> d{
        0x05, 0x07, 0x19, 0x00, 0x29, 0x65, 0x15, 0x00, 0x25, 0x65,
        0x75, 0x08, 0x95, 0x02, 0x81, 0x00,                         // first array, two fields
        0x19, 0x00, 0x29, 0x65, 0x95, 0x02, 0x81, 0x00};            // second array, two fields
    // clang-format on
    auto pp = ParseReportDescriptor(d.data(), d.size());
    ASSERT_NE(pp, nullptr);
    std::vector<std::uint8_t> r{0, 0, 0, 0x04, 0};  // key 4 in the second array
    USAGE key = 0x04;
    std::uint32_t n = 1;
    ASSERT_EQ(HidP_SetUsages(HidP_Input, 0x07, 0, &key, &n, pp.get(), r.data(), 5),
              HIDP_STATUS_SUCCESS);
    EXPECT_EQ(r, (std::vector<std::uint8_t>{0, 0, 0, 0x04, 0}));
    n = 1;
    ASSERT_EQ(HidP_UnsetUsages(HidP_Input, 0x07, 0, &key, &n, pp.get(), r.data(), 5),
              HIDP_STATUS_SUCCESS);
    EXPECT_EQ(r, (std::vector<std::uint8_t>{0, 0, 0, 0, 0}));
    n = 1;
    EXPECT_EQ(HidP_UnsetUsages(HidP_Input, 0x07, 0, &key, &n, pp.get(), r.data(), 5),
              HIDP_STATUS_BUTTON_NOT_PRESSED);
}

// Buttons 1..2 over four fields, then button 16 in the next field: the last usage of a range
// repeats for the fields left over, so lists never outgrow the Max lengths and data indices stay
// within the capability.
class MoreFieldsThanUsages : public ::testing::Test {
protected:
    void SetUp() override {
        // clang-format off
        const std::vector<std::uint8_t> d{
            0x05, 0x09, 0x19, 0x01, 0x29, 0x02, 0x15, 0x00, 0x25, 0x01,
            0x75, 0x01, 0x95, 0x04, 0x81, 0x02,               // buttons 1..2, four fields
            0x09, 0x10, 0x95, 0x01, 0x81, 0x02,               // button 16
            0x75, 0x03, 0x81, 0x01};                          // padding
        // clang-format on
        pp_ = ParseReportDescriptor(d.data(), d.size());
        ASSERT_NE(pp_, nullptr);
    }
    std::vector<USAGE> Usages(std::vector<std::uint8_t>& r) {
        std::uint32_t n = HidP_MaxUsageListLength(HidP_Input, 0x09, pp_.get());
        std::vector<USAGE> got(n);
        EXPECT_EQ(HidP_GetUsages(HidP_Input, 0x09, 0, got.data(), &n, pp_.get(), r.data(), 2),
                  HIDP_STATUS_SUCCESS);
        got.resize(n);
        return got;
    }
    std::vector<HIDP_DATA> Data(std::vector<std::uint8_t>& r) {
        std::uint32_t n = HidP_MaxDataListLength(HidP_Input, pp_.get());
        std::vector<HIDP_DATA> got(n);
        EXPECT_EQ(HidP_GetData(HidP_Input, got.data(), &n, pp_.get(), r.data(), 2),
                  HIDP_STATUS_SUCCESS);
        got.resize(n);
        return got;
    }
    std::unique_ptr<THidPreparsedData> pp_;
};

TEST_F(MoreFieldsThanUsages, ListsFitTheMaxLengthsOfTheCapabilities) {
    HIDP_BUTTON_CAPS caps[2];
    std::uint16_t count = 2;
    ASSERT_EQ(HidP_GetSpecificButtonCaps(HidP_Input, 0, 0, 0, caps, &count, pp_.get()),
              HIDP_STATUS_SUCCESS);
    EXPECT_EQ(caps[0].Range.UsageMax, 2);
    EXPECT_EQ(caps[0].Range.DataIndexMax, 1);
    EXPECT_EQ(HidP_MaxUsageListLength(HidP_Input, 0x09, pp_.get()), 3u);
    EXPECT_EQ(HidP_MaxDataListLength(HidP_Input, pp_.get()), 3u);

    std::vector<std::uint8_t> all{0, 0x1F};
    EXPECT_EQ(Usages(all), (std::vector<USAGE>{1, 2, 16}));
    std::vector<std::uint16_t> indices;
    for (const HIDP_DATA& d : Data(all)) indices.push_back(d.DataIndex);
    EXPECT_EQ(indices, (std::vector<std::uint16_t>{0, 1, 2}));
}

TEST_F(MoreFieldsThanUsages, ExtraFieldsReadWriteAndReleaseAsTheLastUsage) {
    std::vector<std::uint8_t> extra{0, 0x0C};  // the third and fourth fields
    EXPECT_EQ(Usages(extra), (std::vector<USAGE>{2}));
    std::vector<HIDP_DATA> data = Data(extra);
    ASSERT_EQ(data.size(), 1u);
    EXPECT_EQ(data[0].DataIndex, 1);

    // Written back, the list presses button 2 and nothing of the next capability.
    std::vector<std::uint8_t> copy{0, 0};
    std::uint32_t n = std::uint32_t(data.size());
    ASSERT_EQ(HidP_SetData(HidP_Input, data.data(), &n, pp_.get(), copy.data(), 2),
              HIDP_STATUS_SUCCESS);
    EXPECT_EQ(copy, (std::vector<std::uint8_t>{0, 0x02}));

    // Releasing button 2 clears every field it covers.
    USAGE two = 2;
    n = 1;
    ASSERT_EQ(HidP_UnsetUsages(HidP_Input, 0x09, 0, &two, &n, pp_.get(), extra.data(), 2),
              HIDP_STATUS_SUCCESS);
    EXPECT_EQ(extra, (std::vector<std::uint8_t>{0, 0}));
}

TEST(UsageListDifference, SplitsBreaksAndMakes) {
    USAGE previous[4] = {4, 5, 6, 0};
    USAGE current[4] = {5, 7, 0, 0};
    USAGE breaks[4], makes[4];
    ASSERT_EQ(HidP_UsageListDifference(previous, current, breaks, makes, 4), HIDP_STATUS_SUCCESS);
    EXPECT_EQ(std::vector<USAGE>(breaks, breaks + 4), (std::vector<USAGE>{4, 6, 0, 0}));
    EXPECT_EQ(std::vector<USAGE>(makes, makes + 4), (std::vector<USAGE>{7, 0, 0, 0}));
}

TEST(ReportDescriptorParse, ProcessorReportsAreSixtyFourBytesWithoutId) {
    const std::vector<std::uint8_t> processor{0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x09, 0x02,
                                              0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08, 0x95, 0x40,
                                              0x81, 0x02, 0x09, 0x03, 0x15, 0x00, 0x26, 0xFF, 0x00,
                                              0x75, 0x08, 0x95, 0x40, 0x91, 0x02, 0xC0};
    auto data = ParseReportDescriptor(processor.data(), processor.size());
    ASSERT_NE(data, nullptr);
    HIDP_CAPS caps;
    ASSERT_EQ(HidP_GetCaps(data.get(), &caps), HIDP_STATUS_SUCCESS);
    EXPECT_EQ(caps.InputReportByteLength, 65);
    EXPECT_EQ(caps.OutputReportByteLength, 65);
    EXPECT_EQ(caps.UsagePage, 0xFF00);
    EXPECT_TRUE(data->HasReportId(HidP_Output, 0));
}

TEST(ReportDescriptorParse, MalformedDescriptorsAreRefused) {
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
    } cases[] = {
        {"item cut short", {0x05, 0x01, 0x26, 0xFF}},
        {"end without collection", {0x09, 0x01, 0xC0}},
        {"pop without push", {0xB4}},
        {"report ID 0", {0x85, 0x00}},
        {"usage maximum alone", {0x29, 0x05}},
        {"usage range upside down", {0x19, 0x05, 0x29, 0x01}},
        {"long item cut short", {0xFE, 0x10, 0x00, 0x01}},
        {"report beyond 64 KiB", {0x75, 0x20, 0x96, 0xFF, 0xFF, 0x81, 0x02}},
        {"more data indices than 16 bits count",
         {0x19, 0x00, 0x2A, 0xFF, 0xFF, 0x75, 0x10, 0x95, 0x01, 0x81, 0x00}},
    };
    for (const Case& c : cases) {
        std::string reason;
        EXPECT_EQ(ParseReportDescriptor(c.bytes.data(), c.bytes.size(), &reason), nullptr)
            << c.name;
        EXPECT_FALSE(reason.empty()) << c.name;
    }
    // An empty descriptor has one empty collection node and no reports.
    auto empty = ParseReportDescriptor(nullptr, 0);
    ASSERT_NE(empty, nullptr);
    HIDP_CAPS caps;
    HidP_GetCaps(empty.get(), &caps);
    EXPECT_EQ(caps.NumberLinkCollectionNodes, 1);
    EXPECT_EQ(caps.InputReportByteLength, 0);
}

}  // namespace
}  // namespace dsp
