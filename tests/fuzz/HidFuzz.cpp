// libFuzzer target over the HID report-descriptor parser and the report services. The input is
// a descriptor, then bytes for the reports. A descriptor the parser takes gets, for every report
// of every type, a report of the right length filled from the input, and every service runs on
// it. Beyond no undefined behaviour and no access outside the report, the services must agree
// with the capabilities:
//   - lists sized by HidP_MaxUsageListLength and HidP_MaxDataListLength are never too small,
//     usages come from the capabilities of their page and data indices stay below the maximum;
//   - a data list read from a report writes back into it without error;
//   - a value's raw field reads back as written, the ends of its logical range scale to the
//     ends of its physical range, and a written physical value lands in the logical range;
//   - a value array reads back as written.
// A broken rule aborts, which libFuzzer reports as a crash.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/hid/HidParser.h"
#include "framework/hid/ReportDescriptor.h"

namespace dsp {
namespace {

using namespace hidservices;
using Bytes = std::vector<std::uint8_t>;

// The line of the broken rule goes to the error stream before the abort.
void Check(bool condition, int line = __builtin_LINE()) {
    if (condition) return;
    std::fprintf(stderr, "broken rule at line %d\n", line);
    std::abort();
}

constexpr HIDP_REPORT_TYPE kTypes[] = {HidP_Input, HidP_Output, HidP_Feature};
// Usages tried per value capability; a range may hold thousands.
constexpr std::uint32_t kUsagesPerCapability = 8;
// Usages pressed or released per call. Each one looks through every field of the arrays that
// may hold it, so a whole list from a report of thousands of array fields would take minutes
// without testing anything more.
constexpr std::size_t kUsagesPerChange = 16;

std::int64_t FieldValue(const HIDP_VALUE_CAPS& c, std::uint32_t raw) {
    if (c.LogicalMin >= 0 || c.BitSize == 0 || c.BitSize >= 32) {
        return c.LogicalMin < 0 ? std::int64_t(std::int32_t(raw)) : std::int64_t(raw);
    }
    const std::uint32_t sign = 1u << (c.BitSize - 1);
    return std::int64_t(std::int32_t((raw ^ sign) - sign));
}

std::uint32_t RawOf(const HIDP_VALUE_CAPS& c, std::int64_t value) {
    const std::uint32_t raw = std::uint32_t(value);
    return c.BitSize >= 32 ? raw : raw & ((1u << c.BitSize) - 1);
}

class ReportRun {
public:
    ReportRun(PHIDP_PREPARSED_DATA pp, HIDP_REPORT_TYPE type, Bytes report)
        : pp_(pp), type_(type), report_(std::move(report)) {}

    void Run() {
        Buttons();
        Data();
        Values();
        Initialise();
    }

private:
    std::uint8_t* R() { return report_.data(); }
    std::uint32_t N() const { return std::uint32_t(report_.size()); }

    std::vector<HIDP_BUTTON_CAPS> ButtonCaps() {
        std::uint16_t n = 0;
        HidP_GetSpecificButtonCaps(type_, 0, 0, 0, nullptr, &n, pp_);
        std::vector<HIDP_BUTTON_CAPS> caps(n);
        if (n > 0)
            Check(HidP_GetSpecificButtonCaps(type_, 0, 0, 0, caps.data(), &n, pp_) ==
                  HIDP_STATUS_SUCCESS);
        return caps;
    }

    std::vector<HIDP_VALUE_CAPS> ValueCaps() {
        std::uint16_t n = 0;
        HidP_GetSpecificValueCaps(type_, 0, 0, 0, nullptr, &n, pp_);
        std::vector<HIDP_VALUE_CAPS> caps(n);
        if (n > 0)
            Check(HidP_GetSpecificValueCaps(type_, 0, 0, 0, caps.data(), &n, pp_) ==
                  HIDP_STATUS_SUCCESS);
        return caps;
    }

    static USAGE UsageMin(const HIDP_BUTTON_CAPS& c) {
        return c.IsRange ? c.Range.UsageMin : c.NotRange.Usage;
    }
    static USAGE UsageMax(const HIDP_BUTTON_CAPS& c) {
        return c.IsRange ? c.Range.UsageMax : c.NotRange.Usage;
    }

    void Buttons() {
        const std::vector<HIDP_BUTTON_CAPS> caps = ButtonCaps();
        std::vector<USAGE> pages;
        for (const auto& c : caps)
            if (std::find(pages.begin(), pages.end(), c.UsagePage) == pages.end())
                pages.push_back(c.UsagePage);
        for (USAGE page : pages) {
            std::uint32_t n = HidP_MaxUsageListLength(type_, page, pp_);
            std::vector<USAGE> usages(n);
            const NTSTATUS s = HidP_GetUsages(type_, page, 0, usages.data(), &n, pp_, R(), N());
            Check(s != HIDP_STATUS_BUFFER_TOO_SMALL);
            if (s != HIDP_STATUS_SUCCESS) continue;
            usages.resize(n);
            for (USAGE u : usages) {
                Check(std::any_of(caps.begin(), caps.end(), [&](const HIDP_BUTTON_CAPS& c) {
                    return c.UsagePage == page && u >= UsageMin(c) && u <= UsageMax(c);
                }));
            }
            // Pressing what is pressed is no error and no change of the list.
            const std::uint32_t changed = std::uint32_t(std::min(usages.size(), kUsagesPerChange));
            std::uint32_t count = changed;
            const NTSTATUS pressed =
                HidP_SetUsages(type_, page, 0, usages.data(), &count, pp_, R(), N());
            Check(pressed == HIDP_STATUS_SUCCESS || pressed == HIDP_STATUS_BAD_LOG_PHY_VALUES);
            // Keyboard usages go to scan codes or are refused as a whole.
            HIDP_KEYBOARD_MODIFIER_STATE state{};
            HidP_TranslateUsagesToI8042ScanCodes(usages.data(), std::uint32_t(usages.size()),
                                                 HidP_Keyboard_Make, &state, nullptr, nullptr);
            // Releasing them may fail where an array has no value for "none" or holds a usage
            // twice; it must stay inside the report all the same.
            count = changed;
            HidP_UnsetUsages(type_, page, 0, usages.data(), &count, pp_, R(), N());
        }
        std::uint32_t n = HidP_MaxUsageListLength(type_, 0, pp_);
        std::vector<USAGE_AND_PAGE> all(n);
        const NTSTATUS s = HidP_GetUsagesEx(type_, 0, all.data(), &n, pp_, R(), N());
        Check(s != HIDP_STATUS_BUFFER_TOO_SMALL);
    }

    void Data() {
        const std::uint32_t max = HidP_MaxDataListLength(type_, pp_);
        std::uint32_t n = max;
        std::vector<HIDP_DATA> data(n);
        const NTSTATUS s = HidP_GetData(type_, data.data(), &n, pp_, R(), N());
        Check(s != HIDP_STATUS_BUFFER_TOO_SMALL);
        if (s != HIDP_STATUS_SUCCESS) return;
        data.resize(n);
        for (const HIDP_DATA& d : data) {
            Check(d.DataIndex < max);
            HIDP_EXTENDED_ATTRIBUTES attributes{};
            std::uint32_t length = sizeof attributes;
            Check(HidP_GetExtendedAttributes(type_, d.DataIndex, pp_, &attributes, &length) ==
                  HIDP_STATUS_SUCCESS);
        }
        std::uint32_t count = n;
        const NTSTATUS written = HidP_SetData(type_, data.data(), &count, pp_, R(), N());
        Check(written == HIDP_STATUS_SUCCESS || written == HIDP_STATUS_BAD_LOG_PHY_VALUES);
    }

    void Values() {
        for (const HIDP_VALUE_CAPS& c : ValueCaps()) {
            const USAGE first = c.IsRange ? c.Range.UsageMin : c.NotRange.Usage;
            const USAGE last = c.IsRange ? c.Range.UsageMax : c.NotRange.Usage;
            if (!c.IsRange && c.ReportCount > 1) {
                ValueArray(c, first);
                continue;
            }
            for (std::uint32_t u = first; u <= last && u < first + kUsagesPerCapability; ++u)
                Value(c, USAGE(u));
        }
    }

    void Value(const HIDP_VALUE_CAPS& c, USAGE usage) {
        // The checks below read this capability's ranges: the usage must be its alone.
        std::uint16_t matching = 0;
        HidP_GetSpecificValueCaps(type_, c.UsagePage, c.LinkCollection, usage, nullptr, &matching,
                                  pp_);
        if (matching != 1 || c.ReportID != report_[0]) return;
        std::uint32_t raw = 0;
        if (HidP_GetUsageValue(type_, c.UsagePage, c.LinkCollection, usage, &raw, pp_, R(), N()) !=
            HIDP_STATUS_SUCCESS)
            return;
        const Bytes before = report_;
        Check(HidP_SetUsageValue(type_, c.UsagePage, c.LinkCollection, usage, raw, pp_, R(), N()) ==
              HIDP_STATUS_SUCCESS);
        if (c.BitSize <= 32) Check(report_ == before);

        std::int32_t scaled = 0;
        HidP_GetScaledUsageValue(type_, c.UsagePage, c.LinkCollection, usage, &scaled, pp_, R(),
                                 N());
        std::int64_t phyMin = c.PhysicalMin, phyMax = c.PhysicalMax;
        if (phyMin == 0 && phyMax == 0) {
            phyMin = c.LogicalMin;
            phyMax = c.LogicalMax;
        }
        const bool scales = c.LogicalMin < c.LogicalMax && phyMin < phyMax &&
                            FieldValue(c, RawOf(c, c.LogicalMin)) == c.LogicalMin &&
                            FieldValue(c, RawOf(c, c.LogicalMax)) == c.LogicalMax;
        if (!scales) return;
        // The ends of the logical range are the ends of the physical range.
        for (const auto& [logical, physical] : {std::pair{std::int64_t(c.LogicalMin), phyMin},
                                                std::pair{std::int64_t(c.LogicalMax), phyMax}}) {
            Check(HidP_SetUsageValue(type_, c.UsagePage, c.LinkCollection, usage, RawOf(c, logical),
                                     pp_, R(), N()) == HIDP_STATUS_SUCCESS);
            Check(HidP_GetScaledUsageValue(type_, c.UsagePage, c.LinkCollection, usage, &scaled,
                                           pp_, R(), N()) == HIDP_STATUS_SUCCESS);
            Check(scaled == physical);
        }
        // A physical value in range is written as a logical value in range.
        const std::int64_t mid = phyMin + (phyMax - phyMin) / 3;
        Check(HidP_SetScaledUsageValue(type_, c.UsagePage, c.LinkCollection, usage,
                                       std::int32_t(mid), pp_, R(), N()) == HIDP_STATUS_SUCCESS);
        Check(HidP_GetUsageValue(type_, c.UsagePage, c.LinkCollection, usage, &raw, pp_, R(),
                                 N()) == HIDP_STATUS_SUCCESS);
        const std::int64_t logical = FieldValue(c, raw);
        Check(logical >= c.LogicalMin && logical <= c.LogicalMax);
    }

    void ValueArray(const HIDP_VALUE_CAPS& c, USAGE usage) {
        const std::uint32_t bits = std::uint32_t(c.BitSize) * c.ReportCount;
        const std::uint32_t bytes = (bits + 7) / 8;
        if (bytes > 0xFFFF) return;
        Bytes value(bytes);
        if (HidP_GetUsageValueArray(type_, c.UsagePage, c.LinkCollection, usage, value.data(),
                                    std::uint16_t(bytes), pp_, R(), N()) != HIDP_STATUS_SUCCESS)
            return;
        const Bytes before = report_;
        Check(HidP_SetUsageValueArray(type_, c.UsagePage, c.LinkCollection, usage, value.data(),
                                      std::uint16_t(bytes), pp_, R(), N()) == HIDP_STATUS_SUCCESS);
        Check(report_ == before);
    }

    // A report cleared for its ID reads as nothing pressed where the descriptor allows it.
    void Initialise() {
        Bytes fresh(report_.size(), 0xA5);
        Check(HidP_InitializeReportForID(type_, report_[0], pp_, fresh.data(), N()) ==
              HIDP_STATUS_SUCCESS);
        Check(fresh[0] == report_[0]);
    }

    PHIDP_PREPARSED_DATA pp_;
    HIDP_REPORT_TYPE type_;
    Bytes report_;
};

}  // namespace
}  // namespace dsp

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace dsp;
    FuzzedDataProvider input(data, size);
    const Bytes descriptor =
        input.ConsumeBytes<std::uint8_t>(input.ConsumeIntegralInRange<std::size_t>(0, 512));
    std::string reason;
    const auto pp = ParseReportDescriptor(descriptor.data(), descriptor.size(), &reason);
    if (!pp) {
        Check(!reason.empty());
        return 0;
    }
    HIDP_CAPS caps{};
    Check(hidservices::HidP_GetCaps(pp.get(), &caps) == HIDP_STATUS_SUCCESS);
    std::vector<HIDP_LINK_COLLECTION_NODE> nodes(caps.NumberLinkCollectionNodes);
    std::uint32_t count = std::uint32_t(nodes.size());
    Check(hidservices::HidP_GetLinkCollectionNodes(nodes.data(), &count, pp.get()) ==
          HIDP_STATUS_SUCCESS);
    for (HIDP_REPORT_TYPE type : kTypes) {
        const std::uint16_t length = pp->reportByteLength[type];
        if (length == 0) continue;
        for (std::uint8_t id : pp->reportIds[type]) {
            Bytes report(length);
            Check(hidservices::HidP_InitializeReportForID(type, id, pp.get(), report.data(),
                                                          length) == HIDP_STATUS_SUCCESS);
            const Bytes fill = input.ConsumeBytes<std::uint8_t>(length - 1u);
            std::copy(fill.begin(), fill.end(), report.begin() + 1);
            ReportRun(pp.get(), type, std::move(report)).Run();
        }
    }
    return 0;
}
