#include "framework/hid/ReportDescriptor.h"

#include <algorithm>
#include <map>
#include <utility>

namespace dsp {

bool THidPreparsedData::HasReportId(HIDP_REPORT_TYPE type, std::uint8_t id) const {
    const auto& ids = reportIds[type];
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

namespace {

enum ItemType { itMain = 0, itGlobal = 1, itLocal = 2 };

// A numeric item value that may be read as signed or unsigned, as its meaning requires.
struct ItemValue {
    std::uint32_t raw = 0;
    unsigned size = 0;  // bytes

    std::int32_t Signed() const {
        switch (size) {
            case 1: return static_cast<std::int8_t>(raw);
            case 2: return static_cast<std::int16_t>(raw);
            case 4: return static_cast<std::int32_t>(raw);
            default: return 0;
        }
    }
};

struct Globals {
    USAGE usagePage = 0;
    ItemValue logicalMin, logicalMax, physicalMin, physicalMax;
    std::uint32_t unitExp = 0, unit = 0;
    std::uint32_t reportSize = 0, reportCount = 0;
    std::uint8_t reportId = 0;
};

struct UsageSpan {
    USAGE page = 0;
    USAGE min = 0, max = 0;
    bool range = false;
};

struct Locals {
    std::vector<UsageSpan> usages;
    bool haveMin = false;
    std::uint32_t pendingMin = 0;
    std::uint16_t stringMin = 0, stringMax = 0, designatorMin = 0, designatorMax = 0;
    bool stringRange = false, designatorRange = false;
    int delimiterDepth = 0;
    bool delimiterTaken = false;
};

// A minimum and maximum pair read as the item meant them: a non-negative minimum makes the
// maximum unsigned, so that 0 .. 0xFF in one byte means 0 .. 255.
std::pair<std::int32_t, std::int32_t> Extent(const ItemValue& min, const ItemValue& max) {
    std::int32_t lo = min.Signed();
    std::int32_t hi = max.Signed();
    if (lo >= 0 && hi < 0) hi = static_cast<std::int32_t>(max.raw);
    return {lo, hi};
}

USAGE PageOf(std::uint32_t usageValue, unsigned size, USAGE current) {
    return size == 4 ? static_cast<USAGE>(usageValue >> 16) : current;
}

class Parser {
public:
    std::unique_ptr<THidPreparsedData> Run(const std::uint8_t* bytes, std::size_t size,
                                           std::string* reason);

private:
    bool Fail(const char* why) {
        error_ = why;
        return false;
    }
    bool MainItem(unsigned tag, const ItemValue& v);
    bool GlobalItem(unsigned tag, const ItemValue& v);
    bool LocalItem(unsigned tag, const ItemValue& v);
    bool Field(HIDP_REPORT_TYPE type, std::uint16_t flags);
    void OpenCollection(std::uint8_t kind);
    std::uint16_t CurrentCollection() const { return stack_.empty() ? 0 : stack_.back(); }
    void AddUsage(UsageSpan span);

    std::unique_ptr<THidPreparsedData> data_ = std::make_unique<THidPreparsedData>();
    Globals globals_;
    std::vector<Globals> globalStack_;
    Locals locals_;
    std::vector<std::uint16_t> stack_;
    std::map<std::pair<int, int>, std::uint32_t> bitCounters_;  // (type, report ID) -> bits
    std::array<bool, 3> typeUsed_{};
    std::uint32_t nextItemId_ = 0;
    std::string error_;
};

void Parser::AddUsage(UsageSpan span) {
    if (locals_.delimiterDepth > 0) {
        if (locals_.delimiterTaken) return;  // only the first usage of an alias set counts
        locals_.delimiterTaken = true;
    }
    locals_.usages.push_back(span);
}

bool Parser::LocalItem(unsigned tag, const ItemValue& v) {
    switch (tag) {
        case 0x0:  // usage
            AddUsage({PageOf(v.raw, v.size, globals_.usagePage), USAGE(v.raw & 0xFFFF),
                      USAGE(v.raw & 0xFFFF), false});
            return true;
        case 0x1:  // usage minimum
            locals_.haveMin = true;
            locals_.pendingMin = v.raw;
            return true;
        case 0x2: {  // usage maximum
            if (!locals_.haveMin) return Fail("usage maximum without minimum");
            USAGE lo = USAGE(locals_.pendingMin & 0xFFFF);
            USAGE hi = USAGE(v.raw & 0xFFFF);
            if (hi < lo) return Fail("usage range upside down");
            AddUsage({PageOf(v.raw, v.size, globals_.usagePage), lo, hi, true});
            locals_.haveMin = false;
            return true;
        }
        case 0x3: locals_.designatorMin = locals_.designatorMax = std::uint16_t(v.raw); return true;
        case 0x4:
            locals_.designatorMin = std::uint16_t(v.raw);
            locals_.designatorRange = true;
            return true;
        case 0x5:
            locals_.designatorMax = std::uint16_t(v.raw);
            locals_.designatorRange = true;
            return true;
        case 0x7: locals_.stringMin = locals_.stringMax = std::uint16_t(v.raw); return true;
        case 0x8:
            locals_.stringMin = std::uint16_t(v.raw);
            locals_.stringRange = true;
            return true;
        case 0x9:
            locals_.stringMax = std::uint16_t(v.raw);
            locals_.stringRange = true;
            return true;
        case 0xA:  // delimiter: 1 opens an alias set, 0 closes it
            if (v.raw == 1) {
                ++locals_.delimiterDepth;
                locals_.delimiterTaken = false;
            } else if (locals_.delimiterDepth > 0) {
                --locals_.delimiterDepth;
            }
            return true;
        default: return true;  // reserved local items carry nothing we use
    }
}

bool Parser::GlobalItem(unsigned tag, const ItemValue& v) {
    switch (tag) {
        case 0x0: globals_.usagePage = USAGE(v.raw); return true;
        case 0x1: globals_.logicalMin = v; return true;
        case 0x2: globals_.logicalMax = v; return true;
        case 0x3: globals_.physicalMin = v; return true;
        case 0x4: globals_.physicalMax = v; return true;
        case 0x5: globals_.unitExp = v.raw; return true;
        case 0x6: globals_.unit = v.raw; return true;
        case 0x7: globals_.reportSize = v.raw; return true;
        case 0x8:
            if (v.raw == 0 || v.raw > 0xFF) return Fail("report ID out of range");
            globals_.reportId = std::uint8_t(v.raw);
            return true;
        case 0x9: globals_.reportCount = v.raw; return true;
        case 0xA: globalStack_.push_back(globals_); return true;
        case 0xB:
            if (globalStack_.empty()) return Fail("pop without push");
            globals_ = globalStack_.back();
            globalStack_.pop_back();
            return true;
        default: return true;
    }
}

void Parser::OpenCollection(std::uint8_t kind) {
    HIDP_LINK_COLLECTION_NODE node{};
    if (!locals_.usages.empty()) {
        node.LinkUsage = locals_.usages.front().min;
        node.LinkUsagePage = locals_.usages.front().page;
    }
    node.CollectionType = kind;
    auto index = static_cast<std::uint16_t>(data_->nodes.size());
    if (!data_->nodes.empty()) {
        std::uint16_t parent = CurrentCollection();
        node.Parent = parent;
        HIDP_LINK_COLLECTION_NODE& p = data_->nodes[parent];
        if (p.NumberOfChildren == 0) {
            p.FirstChild = index;
        } else {
            std::uint16_t sibling = p.FirstChild;
            while (data_->nodes[sibling].NextSibling != 0)
                sibling = data_->nodes[sibling].NextSibling;
            data_->nodes[sibling].NextSibling = index;
        }
        ++p.NumberOfChildren;
    }
    data_->nodes.push_back(node);
    stack_.push_back(index);
}

bool Parser::Field(HIDP_REPORT_TYPE type, std::uint16_t flags) {
    const std::uint32_t size = globals_.reportSize;
    const std::uint32_t count = globals_.reportCount;
    typeUsed_[type] = true;
    auto& ids = data_->reportIds[type];
    if (std::find(ids.begin(), ids.end(), globals_.reportId) == ids.end())
        ids.push_back(globals_.reportId);
    std::uint32_t& bits = bitCounters_[{type, globals_.reportId}];
    const std::uint32_t offset = bits;
    if (size > 0xFFFF || count > 0xFFFF || std::uint64_t(size) * count > 8u * 0xFFFE)
        return Fail("report too long");
    bits += size * count;
    if (bits > 8u * 0xFFFE) return Fail("report too long");
    if ((flags & 0x01) != 0 || size == 0 || count == 0) return true;  // padding

    std::vector<UsageSpan> spans = locals_.usages;
    if (spans.empty()) spans.push_back({globals_.usagePage, 0, 0, false});
    auto [logicalMin, logicalMax] = Extent(globals_.logicalMin, globals_.logicalMax);
    auto [physicalMin, physicalMax] = Extent(globals_.physicalMin, globals_.physicalMax);

    THidCapsEntry base;
    base.type = type;
    base.reportId = globals_.reportId;
    base.bitField = flags;
    base.linkCollection = CurrentCollection();
    base.stringMin = locals_.stringMin;
    base.stringMax = locals_.stringRange ? locals_.stringMax : locals_.stringMin;
    base.isStringRange = locals_.stringRange;
    base.designatorMin = locals_.designatorMin;
    base.designatorMax = locals_.designatorRange ? locals_.designatorMax : locals_.designatorMin;
    base.isDesignatorRange = locals_.designatorRange;
    base.bitSize = std::uint16_t(size);
    base.hasNull = (flags & 0x40) != 0;
    base.isAbsolute = (flags & 0x04) == 0;
    base.logicalMin = logicalMin;
    base.logicalMax = logicalMax;
    base.physicalMin = physicalMin;
    base.physicalMax = physicalMax;
    base.unitsExp = globals_.unitExp;
    base.units = globals_.unit;
    base.itemId = nextItemId_++;

    // Data indices are 16-bit and count every usage of a report type.
    std::uint16_t& dataIndex = data_->dataIndexCount[type];
    auto takeDataIndices = [&](THidCapsEntry& c, std::uint32_t indices) {
        if (std::uint32_t(dataIndex) + indices > 0xFFFF) return Fail("too many data indices");
        c.dataIndexMin = dataIndex;
        dataIndex = std::uint16_t(dataIndex + indices);
        c.dataIndexMax = std::uint16_t(dataIndex - 1);
        return true;
    };
    auto& list = data_->caps[type];
    const bool variable = (flags & 0x02) != 0;
    if (variable) {
        // Fields take the usages in order; the last usage takes every field left over.
        std::uint32_t fieldIndex = 0;
        for (std::size_t i = 0; i < spans.size() && fieldIndex < count; ++i) {
            const UsageSpan& s = spans[i];
            const std::uint32_t usages = std::uint32_t(s.max) - s.min + 1;
            const bool last = i + 1 == spans.size();
            std::uint32_t fields = last ? count - fieldIndex : std::min(usages, count - fieldIndex);
            THidCapsEntry c = base;
            c.isButton = size == 1;
            c.usagePage = s.page;
            c.usageMin = s.min;
            c.usageMax = USAGE(s.min + std::min(usages, fields) - 1);
            c.isRange = s.range && c.usageMax != c.usageMin;
            c.bitOffset = offset + fieldIndex * size;
            c.reportCount = std::uint16_t(fields);
            if (!takeDataIndices(c, c.isRange ? c.UsageCount() : 1)) return false;
            list.push_back(c);
            fieldIndex += fields;
        }
    } else {
        // An array: every field holds the index of one usage of the item's list, or nothing.
        std::uint32_t usageBase = 0;
        for (const UsageSpan& s : spans) {
            THidCapsEntry c = base;
            c.isButton = true;
            c.isArray = true;
            c.usagePage = s.page;
            c.usageMin = s.min;
            c.usageMax = s.max;
            c.isRange = s.max != s.min;
            c.bitOffset = offset;
            c.reportCount = std::uint16_t(count);
            c.arrayUsageBase = usageBase;
            if (!takeDataIndices(c, c.UsageCount())) return false;
            usageBase += c.UsageCount();
            list.push_back(c);
        }
    }
    return true;
}

bool Parser::MainItem(unsigned tag, const ItemValue& v) {
    bool ok = true;
    switch (tag) {
        case 0x8: ok = Field(HidP_Input, std::uint16_t(v.raw)); break;
        case 0x9: ok = Field(HidP_Output, std::uint16_t(v.raw)); break;
        case 0xB: ok = Field(HidP_Feature, std::uint16_t(v.raw)); break;
        case 0xA: OpenCollection(std::uint8_t(v.raw)); break;
        case 0xC:
            if (stack_.empty()) return Fail("end collection without collection");
            stack_.pop_back();
            break;
        default: break;
    }
    locals_ = Locals{};
    return ok;
}

std::unique_ptr<THidPreparsedData> Parser::Run(const std::uint8_t* bytes, std::size_t size,
                                               std::string* reason) {
    std::size_t pos = 0;
    bool ok = true;
    while (ok && pos < size) {
        const std::uint8_t prefix = bytes[pos++];
        if (prefix == 0xFE) {  // long item: skipped whole
            if (pos + 2 > size) {
                ok = Fail("truncated long item");
                break;
            }
            std::size_t length = bytes[pos];
            pos += 2 + length;
            if (pos > size) ok = Fail("truncated long item");
            continue;
        }
        unsigned dataSize = prefix & 0x03;
        if (dataSize == 3) dataSize = 4;
        if (pos + dataSize > size) {
            ok = Fail("truncated item");
            break;
        }
        ItemValue v;
        v.size = dataSize;
        for (unsigned i = 0; i < dataSize; ++i) v.raw |= std::uint32_t(bytes[pos + i]) << (8 * i);
        pos += dataSize;
        const unsigned type = (prefix >> 2) & 0x03;
        const unsigned tag = prefix >> 4;
        if (type == itMain)
            ok = MainItem(tag, v);
        else if (type == itGlobal)
            ok = GlobalItem(tag, v);
        else if (type == itLocal)
            ok = LocalItem(tag, v);
    }
    if (!ok) {
        if (reason != nullptr) *reason = error_;
        return nullptr;
    }
    if (data_->nodes.empty()) data_->nodes.push_back(HIDP_LINK_COLLECTION_NODE{});
    for (int t = 0; t < 3; ++t) {
        if (!typeUsed_[t]) continue;
        std::uint32_t longest = 0;
        for (const auto& [key, bits] : bitCounters_)
            if (key.first == t) longest = std::max(longest, bits);
        data_->reportByteLength[t] = std::uint16_t((longest + 7) / 8 + 1);
    }
    return std::move(data_);
}

}  // namespace

std::unique_ptr<THidPreparsedData> ParseReportDescriptor(const std::uint8_t* bytes,
                                                         std::size_t size, std::string* reason) {
    return Parser().Run(bytes, size, reason);
}

}  // namespace dsp
