#include "plot/engine/iPlotFileFormat.h"

#include <cstdint>
#include <cstring>
#include <optional>

#include "framework/core/Exceptions.h"
#include "framework/text/Numbers.h"
#include "framework/text/StrUtils.h"
#include "framework/text/StringList.h"
#include "framework/text/WholeFile.h"

namespace dsp {

namespace plotfile {

void AppendFloat32(std::string& out, double value) {
    const float f = static_cast<float>(value);
    std::uint32_t bits = 0;
    std::memcpy(&bits, &f, sizeof bits);
    for (int i = 0; i < 4; ++i) out += static_cast<char>((bits >> (8 * i)) & 0xFF);
}

std::string JoinLines(const TStrings& lines) {
    std::string text;
    for (int i = 0; i < lines.Count(); ++i) {
        text += lines.Strings(i);
        text += "\r\n";
    }
    return text;
}

void WriteWhole(const std::string& fileName, const std::string& bytes) {
    std::string error;
    if (!WriteWholeFile(fileName, bytes, &error)) throw EFCreateError(error);
}

std::vector<std::string> SplitDataLine(std::string_view line, char separator) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (start < line.size()) {
        const std::size_t end = line.find(separator, start);
        if (end == std::string_view::npos) {
            fields.emplace_back(line.substr(start));
            break;
        }
        fields.emplace_back(line.substr(start, end - start));
        start = end + 1;
    }
    return fields;
}

double DataNumber(const std::string& field, char separator) {
    if (const std::optional<double> value = TryStrToFloat(field)) return *value;
    // Where the columns are tab-separated a comma can only be a decimal separator.
    if (separator == '\t' && field.find(',') != std::string::npos) {
        if (const std::optional<double> value =
                TryStrToFloat(StringReplace(field, ",", ".", TReplaceFlags{rfReplaceAll})))
            return *value;
    }
    throw EConvertError("'" + field + "' is not a valid floating point value");
}

bool ExtractKey(const std::string& key, std::string& value, TStrings& lines) {
    const std::string wanted = Trim(key);
    for (int i = 0; i < lines.Count(); ++i) {
        const std::string line = lines.Strings(i);
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        if (!SameText(Trim(std::string_view(line).substr(0, eq)), wanted)) continue;
        value = Trim(std::string_view(line).substr(eq + 1));
        lines.Delete(i);
        return true;
    }
    return false;
}

namespace {

// The sections of a property file, in the order they are written and must be read.
struct TSection {
    const char* prefix;
    const char* countKey;
};
// clang-format off
constexpr TSection kSections[] = {
    {"Channel", "ChannelCount"},     {"XAxis", "XAxisCount"},         {"YAxis", "YAxisCount"},
    {"ToolBar", "ToolBarCount"},     {"Legend", "LegendCount"},       {"Table", "TableCount"},
    {"Label", "LabelCount"},         {"DataView", "DataViewCount"},   {"DataCursor", "DataCursorCount"},
    {"Limit", "LimitCount"},
};
// clang-format on
constexpr int kSectionCount = kPropertySectionCount;
static_assert(std::size(kSections) == kSectionCount);

// The section and index a property line's path names ("Channel3.Color" is section 0, index 3),
// or false for the plot's own lines.
bool SectionOfLine(const std::string& line, const std::string& prefixFilter, int& section,
                   int& index) {
    const std::size_t dot = line.find('.');
    const std::size_t equals = line.find('=');
    if (dot == std::string::npos || (equals != std::string::npos && equals < dot)) return false;
    for (int s = 0; s < kSectionCount; ++s) {
        const std::string prefix = prefixFilter.empty() ? kSections[s].prefix : prefixFilter;
        if (line.compare(0, prefix.size(), prefix) != 0) continue;
        const std::string digits = line.substr(prefix.size(), dot - prefix.size());
        if (digits.empty() || digits.size() > 9) continue;
        bool allDigits = true;
        for (char c : digits) allDigits = allDigits && c >= '0' && c <= '9';
        if (!allDigits) continue;
        section = prefixFilter.empty() ? s : 0;
        index = std::stoi(digits);
        return true;
    }
    return false;
}

int ReadCount(const char* key, TStrings& lines, bool& present) {
    std::string value;
    present = ExtractKey(key, value, lines);
    if (!present) return 0;
    const std::optional<std::int64_t> count = TryStrToInt64(value);
    if (!count || *count < 0 || *count > kMaxObjectCount) {
        throw Exception(std::string("Invalid ") + key + " \"" + value + "\"");
    }
    return static_cast<int>(*count);
}

// Sections must follow each other in the written order, each object's lines together, each
// index below its kind's count; the plot's own lines come last.
void CheckSectionOrder(const TStrings& lines, const std::vector<int>& counts,
                       const std::string& prefixFilter) {
    int lastSection = -1;
    int lastIndex = -1;
    bool ownLinesSeen = false;
    for (int i = 0; i < lines.Count(); ++i) {
        const std::string line = lines.Strings(i);
        int section = 0;
        int index = 0;
        if (!SectionOfLine(line, prefixFilter, section, index)) {
            ownLinesSeen = true;
            continue;
        }
        const std::string name = (prefixFilter.empty() ? kSections[section].prefix : prefixFilter) +
                                 std::to_string(index);
        if (index >= counts[static_cast<std::size_t>(section)]) {
            throw Exception("Section " + name + " beyond its count");
        }
        if (ownLinesSeen || section < lastSection ||
            (section == lastSection && index < lastIndex)) {
            throw Exception("Section " + name + " out of order");
        }
        lastSection = section;
        lastIndex = index;
    }
}

}  // namespace

const char* PropertySectionPrefix(int section) { return kSections[section].prefix; }
const char* PropertySectionCountKey(int section) { return kSections[section].countKey; }

TiPropertyFileHeader ReadPropertyFileHeader(TStrings& lines) {
    std::string fileType;
    if (!ExtractKey("File Type", fileType, lines) || UpperCase(fileType) != "PLOT CONFIG") {
        throw Exception("Incompatible Plot Configuration File Type");
    }
    TiPropertyFileHeader header;
    for (const TSection& section : kSections) {
        bool present = false;
        header.counts.push_back(ReadCount(section.countKey, lines, present));
    }
    std::string value;
    if ((header.hasZHorz = ExtractKey("DataViewZHorz", value, lines)))
        header.zHorz = StrToInt(value);
    if ((header.hasZVert = ExtractKey("DataViewZVert", value, lines)))
        header.zVert = StrToInt(value);
    CheckSectionOrder(lines, header.counts, "");
    return header;
}

int ReadAnnotationFileHeader(TStrings& lines) {
    bool present = false;
    const int count = ReadCount("AnnotationCount", lines, present);
    CheckSectionOrder(lines, {count}, "Annotation");
    return count;
}

namespace {

// A Y field of a text data file: "Null", "Empty" (any case) or a number.
TiLoadedPoint YField(int channel, double x, const std::string& field, char separator) {
    const std::string upper = UpperCase(field);
    if (upper == "NULL") return {channel, x, 0, true, false};
    if (upper == "EMPTY") return {channel, x, 0, false, true};
    return {channel, x, DataNumber(field, separator), false, false};
}

// Reads a "Compact Interval" file into points; "Invalid Data" for a channel count below 1 or
// a value cut short.
void ReadCompactInterval(std::string_view bytes, int channelCount,
                         std::vector<TiLoadedPoint>& points) {
    std::size_t pos = 0;
    const auto readLine = [&] {
        std::string line;
        while (pos < bytes.size() && bytes[pos] != '\n') {
            if (bytes[pos] != '\r') line += bytes[pos];
            ++pos;
        }
        if (pos < bytes.size()) ++pos;
        return line;
    };
    const auto readSingle = [&] {
        if (bytes.size() - pos < 4) throw Exception("Invalid Data");
        std::uint32_t bits = 0;
        for (int i = 0; i < 4; ++i) {
            bits |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[pos + i]))
                    << (8 * i);
        }
        pos += 4;
        float value = 0;
        std::memcpy(&value, &bits, sizeof value);
        return static_cast<double>(value);
    };
    readLine();
    const std::optional<std::int64_t> count = TryStrToInt64(Trim(readLine()));
    if (!count || *count < 1 || *count > static_cast<std::int64_t>(bytes.size())) {
        throw Exception("Invalid Data");
    }
    const int n = static_cast<int>(*count);
    for (int r = 0; pos < bytes.size(); ++r) {
        for (int c = 0; c < n; ++c) {
            const double x = r < 2 ? readSingle() : 0;
            if (x > 1.5e38) return;
            const double y = readSingle();
            if (y > 1.5e38) return;
            // A NaN is no point either: the writer never stores one.
            if (x < 9e37 && y < 9e37 && c < channelCount) points.push_back({c, x, y, false, false});
        }
    }
}

}  // namespace

std::vector<TiLoadedPoint> ParseDataFile(std::string_view bytes, int channelCount) {
    std::vector<TiLoadedPoint> points;
    const std::string_view firstLine = bytes.substr(0, bytes.find_first_of("\r\n"));
    if (UpperCase(firstLine) == "COMPACT INTERVAL") {
        ReadCompactInterval(bytes, channelCount, points);
        return points;
    }
    TStringList lines;
    lines.SetText(bytes);
    const std::string header = lines.Count() > 0 ? lines.Strings(0) : std::string();
    const char separator = header.find('\t') != std::string::npos ? '\t' : ',';
    const bool sharedX = UpperCase(header.substr(0, 3)) == "(X)";
    for (int l = 1; l < lines.Count(); ++l) {
        const std::vector<std::string> fields = SplitDataLine(lines.Strings(l), separator);
        if (sharedX) {
            if (fields.empty()) continue;
            const std::string xField = Trim(fields[0]);
            if (xField.empty()) continue;
            const double x = DataNumber(xField, separator);
            for (std::size_t k = 1; k < fields.size(); ++k) {
                const int channel = static_cast<int>(k) - 1;
                if (channel >= channelCount) break;
                const std::string y = Trim(fields[k]);
                if (!y.empty()) points.push_back(YField(channel, x, y, separator));
            }
            continue;
        }
        for (std::size_t i = 0; i < fields.size() / 2; ++i) {
            const int channel = static_cast<int>(i);
            if (channel >= channelCount) break;
            const std::string xField = Trim(fields[2 * i]);
            // A pair without X adds nothing.
            if (xField.empty()) continue;
            const double x = DataNumber(xField, separator);
            const std::string y = Trim(fields[2 * i + 1]);
            if (!y.empty()) points.push_back(YField(channel, x, y, separator));
        }
    }
    return points;
}

}  // namespace plotfile
}  // namespace dsp
