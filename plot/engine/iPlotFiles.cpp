// TiPlotComponent: the property file, the annotation file and the data files.
//
// Files are UTF-8 with "." as decimal separator and CR LF line ends, and are written whole (a
// temporary file renamed over the target). Readers check the whole file before they change the
// plot: a refused file leaves every object and point as it was.

#include <cstdint>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/core/TypeInfo.h"
#include "framework/text/Numbers.h"
#include "framework/text/StrUtils.h"
#include "framework/text/StringList.h"
#include "framework/text/WholeFile.h"
#include "plot/engine/iPlotAnnotation.h"
#include "plot/engine/iPlotAxis.h"
#include "plot/engine/iPlotChannelCustom.h"
#include "plot/engine/iPlotComponent.h"
#include "plot/engine/iPlotDataCursor.h"
#include "plot/engine/iPlotDataView.h"
#include "plot/engine/iPlotFileFormat.h"
#include "plot/engine/iPlotLabel.h"
#include "plot/engine/iPlotLegend.h"
#include "plot/engine/iPlotLimit.h"
#include "plot/engine/iPlotManagers.h"
#include "plot/engine/iPlotMasterManager.h"
#include "plot/engine/iPlotTable.h"
#include "plot/engine/iPlotToolBar.h"

namespace dsp {

// ---- shared encoding

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
        if (const std::optional<double> value = TryStrToFloat(StringReplace(field, ",", ".", TReplaceFlags{rfReplaceAll})))
            return *value;
    }
    throw EConvertError("'" + field + "' is not a valid floating point value");
}

}  // namespace plotfile

using namespace plotfile;

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
constexpr int kSectionCount = static_cast<int>(std::size(kSections));
// More objects of one kind than any plot holds: a count above it is a damaged file.
constexpr int kMaxObjectCount = 1000;

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
    present = ExtractValue(key, value, lines);
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
        const std::string name =
            (prefixFilter.empty() ? kSections[section].prefix : prefixFilter) + std::to_string(index);
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

// Ends an update batch and re-enables the layout manager on every way out, so that a refused
// file never leaves a plot that stops repainting.
class TLoadScope {
public:
    TLoadScope(TiPlotComponent* plot, bool layout) : plot_(plot), layout_(layout) {
        if (layout_) plot_->DisableLayoutManager();
        plot_->BeginUpdate();
    }
    ~TLoadScope() {
        if (layout_) plot_->EnableLayoutManager();
        plot_->EndUpdate();
    }
    TLoadScope(const TLoadScope&) = delete;
    TLoadScope& operator=(const TLoadScope&) = delete;

private:
    TiPlotComponent* plot_;
    bool layout_;
};

}  // namespace

// ---- property file

static TObject* SectionObject(TiPlotComponent* plot, int section, int index) {
    switch (section) {
        case 0: return plot->GetChannel(index);
        case 1: return plot->GetXAxis(index);
        case 2: return plot->GetYAxis(index);
        case 3: return plot->GetToolBar(index);
        case 4: return plot->GetLegend(index);
        case 5: return plot->GetTable(index);
        case 6: return plot->GetLabel(index);
        case 7: return plot->GetDataView(index);
        case 8: return plot->GetDataCursor(index);
        case 9: return plot->GetLimit(index);
        default: return nullptr;
    }
}

static int SectionObjectCount(const TiPlotComponent* plot, int section) {
    switch (section) {
        case 0: return plot->ChannelCount();
        case 1: return plot->XAxisCount();
        case 2: return plot->YAxisCount();
        case 3: return plot->ToolBarCount();
        case 4: return plot->LegendCount();
        case 5: return plot->TableCount();
        case 6: return plot->LabelCount();
        case 7: return plot->DataViewCount();
        case 8: return plot->DataCursorCount();
        case 9: return plot->LimitCount();
        default: return 0;
    }
}

static void WritePropertyLines(TiPlotComponent* plot, TStrings& lines, bool differential,
                               bool saveAll) {
    lines.Add("File Type = Plot Config");
    for (int s = 0; s < kSectionCount; ++s) {
        lines.Add(std::string(kSections[s].countKey) + " = " +
                  IntToStr(SectionObjectCount(plot, s)));
    }
    lines.Add("DataViewZHorz = " + IntToStr(plot->DataViewZHorz()));
    lines.Add("DataViewZVert = " + IntToStr(plot->DataViewZVert()));
    for (int s = 0; s < kSectionCount; ++s) {
        for (int i = 0; i < SectionObjectCount(plot, s); ++i) {
            SavePropertiesToStrings(SectionObject(plot, s, i), kSections[s].prefix + IntToStr(i),
                                    lines, differential, nullptr);
        }
    }
    TStringList exclude;
    exclude.Add("Name");
    if (!saveAll) {
        for (const char* name :
             {"Left", "Top", "Width", "Height", "Align", "Cursor", "ShowHint", "Tag", "Visible",
              "Enabled", "Hint", "HelpContext", "HelpKeyword"}) {
            exclude.Add(name);
        }
    }
    SavePropertiesToStrings(plot, "", lines, differential, &exclude);
}

static void WriteAnnotationLines(TiPlotComponent* plot, TStrings& lines) {
    lines.Add("AnnotationCount = " + IntToStr(plot->AnnotationCount()));
    for (int i = 0; i < plot->AnnotationCount(); ++i) {
        SavePropertiesToStrings(plot->GetAnnotation(i), "Annotation" + IntToStr(i), lines, true,
                                nullptr);
    }
}

void TiPlotComponent::SavePropertiesToFile(const std::string& fileName) {
    try {
        TStringList lines;
        WritePropertyLines(this, lines, FDifferentialPropertySave, GetOptionSaveAllProperties());
        WriteWhole(fileName, JoinLines(lines));
    } catch (const Exception& e) {
        throw Exception("Error Saving Properties - " + e.Message());
    }
    FLastPropertiesFileName = fileName;
    if (OnAfterSaveProperties) OnAfterSaveProperties(this);
}

// Rebuilds the plot from checked property lines (the header's counts already taken out).
static void ApplyPropertyLines(TiPlotComponent* plot, TStrings& lines,
                               const std::vector<int>& counts) {
    plot->RemoveAllLegends();
    plot->RemoveAllTables();
    plot->RemoveAllLabels();
    plot->RemoveAllLimits();
    plot->RemoveAllXAxes();
    plot->RemoveAllYAxes();
    plot->RemoveAllDataViews();
    plot->RemoveAllChannels();
    plot->RemoveAllAnnotations();
    plot->RemoveAllDataCursors();
    for (int s = 0; s < kSectionCount; ++s) {
        for (int i = 0; i < counts[static_cast<std::size_t>(s)]; ++i) {
            TObject* object = nullptr;
            const std::string path = kSections[s].prefix + IntToStr(i);
            switch (s) {
                case 0: {
                    TiPlotChannelCustom* channel = plot->GetChannel(plot->AddChannel());
                    channel->SetColor(clRed);
                    object = channel;
                    break;
                }
                case 1: object = plot->GetXAxis(plot->AddXAxis()); break;
                case 2: object = plot->GetYAxis(plot->AddYAxis()); break;
                // Every toolbar section goes to toolbar 0; no toolbar is added.
                case 3: object = plot->ToolBarCount() > 0 ? plot->GetToolBar(0) : nullptr; break;
                case 4: object = plot->GetLegend(plot->AddLegend()); break;
                case 5: object = plot->GetTable(plot->AddTable()); break;
                case 6:
                    object = i == 0 && plot->LabelCount() > 0 ? plot->GetLabel(0)
                                                              : plot->GetLabel(plot->AddLabel());
                    break;
                case 7: object = plot->GetDataView(plot->AddDataView()); break;
                case 8: object = plot->GetDataCursor(plot->AddDataCursor()); break;
                case 9: object = plot->GetLimit(plot->AddLimit()); break;
                default: break;
            }
            if (object != nullptr) {
                LoadPropertiesFromStrings(object, path, lines);
            } else {
                // Lines of an object the plot cannot hold are dropped, not left for the plot.
                while (lines.Count() > 0 && lines.Strings(0).rfind(path + ".", 0) == 0) {
                    lines.Delete(0);
                }
            }
        }
    }
    LoadPropertiesFromStrings(plot, "", lines);
}

static TiPlotObjectOwnedManager* SectionManager(const TiPlotComponent* plot, int section) {
    const TiPlotMasterManager* master = plot->Master();
    switch (section) {
        case 0: return master->ChannelManager();
        case 1: return master->XAxisManager();
        case 2: return master->YAxisManager();
        case 3: return master->ToolBarManager();
        case 4: return master->LegendManager();
        case 5: return master->TableManager();
        case 6: return master->LabelManager();
        case 7: return master->DataViewManager();
        case 8: return master->DataCursorManager();
        case 9: return master->LimitManager();
        default: return nullptr;
    }
}

namespace {

// An object of a kind's class that belongs to no plot: the lines of a file are tried on it
// before they reach the plot's own objects.
class TScratchObject {
public:
    explicit TScratchObject(TiPlotObjectOwnedManager* manager) : object_(manager->CreateObject()) {
        object_->DetachNotifications();
    }
    ~TScratchObject() { TiPlotObject::FreeObject(object_); }
    TScratchObject(const TScratchObject&) = delete;
    TScratchObject& operator=(const TScratchObject&) = delete;
    TiPlotObject* Get() const { return object_; }

private:
    TiPlotObject* object_;
};

// Whether the value converts to the property the name reaches (unknown names pass: loading
// ignores them).
void CheckValue(TObject* instance, const std::string& name, const std::string& value) {
    const std::size_t dot = name.find('.');
    if (dot != std::string::npos) {
        if (TPersistent* nested = GetObjectProperty(instance, name.substr(0, dot))) {
            CheckValue(nested, name.substr(dot + 1), value);
        }
        return;
    }
    const TPropInfo* p = GetPropInfo(instance, name);
    if (p == nullptr || !p->HasSetter()) return;
    switch (p->Kind()) {
        case tkInteger:
        case tkChar:
        case tkEnumeration:
        case tkSet: StrToInt64(Trim(value)); break;
        case tkFloat: StrToFloat(StringReplace(Trim(value), ",", ".", TReplaceFlags{})); break;
        default: break;
    }
}

}  // namespace

// Tries every line of the checked property file on objects of the plot's classes that belong
// to no plot, so that a value that does not convert is found before anything is removed.
static void DryRunPropertyLines(TiPlotComponent* plot, const TStrings& lines,
                                const std::vector<int>& counts) {
    TStringList rest;
    rest.Assign(const_cast<TStrings*>(&lines));
    for (int s = 0; s < kSectionCount; ++s) {
        if (counts[static_cast<std::size_t>(s)] == 0) continue;
        TScratchObject scratch(SectionManager(plot, s));
        for (int i = 0; i < counts[static_cast<std::size_t>(s)]; ++i) {
            LoadPropertiesFromStrings(scratch.Get(), kSections[s].prefix + IntToStr(i), rest);
        }
    }
    for (int i = 0; i < rest.Count(); ++i) {
        std::string name;
        std::string value;
        SplitAt(rest.Strings(i), '=', name, value);
        CheckValue(plot, name, value);
    }
}

void TiPlotComponent::LoadPropertiesFromFile(const std::string& fileName) {
    if (OnBeforeLoadProperties) OnBeforeLoadProperties(this);
    try {
        TStringList lines;
        lines.LoadFromFile(fileName);
        std::string fileType;
        if (!ExtractValue("File Type", fileType, lines) || UpperCase(fileType) != "PLOT CONFIG") {
            throw Exception("Incompatible Plot Configuration File Type");
        }
        std::vector<int> counts;
        for (const TSection& section : kSections) {
            bool present = false;
            counts.push_back(ReadCount(section.countKey, lines, present));
        }
        std::string zHorz;
        std::string zVert;
        const bool hasZHorz = ExtractValue("DataViewZHorz", zHorz, lines);
        const bool hasZVert = ExtractValue("DataViewZVert", zVert, lines);
        const int zHorzValue = hasZHorz ? StrToInt(zHorz) : 0;
        const int zVertValue = hasZVert ? StrToInt(zVert) : 0;
        CheckSectionOrder(lines, counts, "");
        DryRunPropertyLines(this, lines, counts);

        TLoadScope scope(this, true);
        if (hasZHorz) SetDataViewZHorz(zHorzValue);
        if (hasZVert) SetDataViewZVert(zVertValue);
        ApplyPropertyLines(this, lines, counts);
    } catch (const Exception& e) {
        throw Exception("Error Loading Properties - " + e.Message());
    }
    FLastPropertiesFileName = fileName;
    if (OnAfterLoadProperties) OnAfterLoadProperties(this);
}

// ---- annotation file

void TiPlotComponent::SaveAnnotationsToFile(const std::string& fileName) {
    try {
        TStringList lines;
        WriteAnnotationLines(this, lines);
        WriteWhole(fileName, JoinLines(lines));
    } catch (const Exception& e) {
        throw Exception("Error Saving Annotations - " + e.Message());
    }
}

void TiPlotComponent::LoadAnnotationsFromFile(const std::string& fileName) {
    try {
        TStringList lines;
        lines.LoadFromFile(fileName);
        bool present = false;
        const int count = ReadCount("AnnotationCount", lines, present);
        CheckSectionOrder(lines, {count}, "Annotation");
        if (count > 0) {
            TStringList rest;
            rest.Assign(&lines);
            TScratchObject scratch(Master()->AnnotationManager());
            for (int i = 0; i < count; ++i) {
                LoadPropertiesFromStrings(scratch.Get(), "Annotation" + IntToStr(i), rest);
            }
        }
        TLoadScope scope(this, false);
        RemoveAllAnnotations();
        for (int i = 0; i < count; ++i) {
            LoadPropertiesFromStrings(GetAnnotation(AddAnnotation()), "Annotation" + IntToStr(i),
                                      lines);
        }
    } catch (const Exception& e) {
        throw Exception("Error Loading Annotations - " + e.Message());
    }
}

// ---- data files

namespace {

struct TLoadedPoint {
    int channel;
    double x;
    double y;
    bool null;
    bool empty;
};

// A Y field of a text data file: "Null", "Empty" (any case) or a number.
TLoadedPoint YField(int channel, double x, const std::string& field, char separator) {
    const std::string upper = UpperCase(field);
    if (upper == "NULL") return {channel, x, 0, true, false};
    if (upper == "EMPTY") return {channel, x, 0, false, true};
    return {channel, x, DataNumber(field, separator), false, false};
}

}  // namespace

std::string plotfile::DataTextBytes(const TiPlotComponent& plot) {
    const char separator = plot.DataFileColumnSeparatorChar();
    std::string text;
    int rows = 0;
    for (int c = 0; c < plot.ChannelCount(); ++c) {
        const TiPlotChannelCustom* channel = plot.GetChannel(c);
        if (c > 0) text += separator;
        text += channel->TitleText() + "(X)";
        text += separator;
        text += channel->TitleText() + "(Y)";
        rows = std::max(rows, channel->Count());
    }
    text += "\r\n";
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < plot.ChannelCount(); ++c) {
            const TiPlotChannelCustom* channel = plot.GetChannel(c);
            if (c > 0) text += separator;
            if (r < channel->Count()) {
                text += FloatToStr(channel->GetDataX(r));
                text += separator;
                if (channel->GetDataNull(r)) {
                    text += "Null";
                } else if (channel->GetDataEmpty(r)) {
                    text += "Empty";
                } else {
                    text += FloatToStr(channel->GetDataY(r));
                }
            } else {
                text += separator;
            }
        }
        text += "\r\n";
    }
    return text;
}

std::string plotfile::DataCompactIntervalBytes(const TiPlotComponent& plot) {
    std::string bytes = "Compact Interval\r\n" + IntToStr(plot.ChannelCount()) + "\r\n";
    int rows = 0;
    for (int c = 0; c < plot.ChannelCount(); ++c) rows = std::max(rows, plot.GetChannel(c)->Count());
    bytes.reserve(bytes.size() + static_cast<std::size_t>(rows) * plot.ChannelCount() * 4 + 8);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < plot.ChannelCount(); ++c) {
            const TiPlotChannelCustom* channel = plot.GetChannel(c);
            const bool has = r < channel->Count();
            if (r < 2) AppendFloat32(bytes, has ? channel->GetDataX(r) : 1e38);
            AppendFloat32(bytes, has ? channel->GetDataY(r) : 1e38);
        }
    }
    AppendFloat32(bytes, 2e38);
    return bytes;
}

void TiPlotComponent::SaveDataToFile(const std::string& fileName) {
    try {
        WriteWhole(fileName, FDataFileFormat == ipdffCompactInterval ? DataCompactIntervalBytes(*this)
                                                                     : DataTextBytes(*this));
    } catch (const Exception& e) {
        throw Exception("Error Saving Data - " + e.Message());
    }
    FLastDataFileName = fileName;
    if (OnAfterSaveData) OnAfterSaveData(this);
}

namespace {

// Reads a "Compact Interval" file into points; "Invalid Data" for a channel count below 1 or
// a value cut short.
void ReadCompactInterval(std::string_view bytes, int channelCount,
                         std::vector<TLoadedPoint>& points) {
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

void TiPlotComponent::LoadDataFromFile(const std::string& fileName) {
    try {
        std::string error;
        const std::optional<std::string> content = ReadWholeFile(fileName, &error);
        if (!content) throw EFOpenError(error);
        std::vector<TLoadedPoint> points;
        const std::size_t firstEnd = content->find_first_of("\r\n");
        const std::string firstLine = content->substr(0, firstEnd);
        if (UpperCase(firstLine) == "COMPACT INTERVAL") {
            ReadCompactInterval(*content, ChannelCount(), points);
        } else {
            TStringList lines;
            lines.SetText(*content);
            const std::string header = lines.Count() > 0 ? lines.Strings(0) : std::string();
            const char separator = header.find('\t') != std::string::npos ? '\t' : ',';
            const bool sharedX = UpperCase(header.substr(0, 3)) == "(X)";
            for (int l = 1; l < lines.Count(); ++l) {
                const std::vector<std::string> fields =
                    SplitDataLine(lines.Strings(l), separator);
                if (sharedX) {
                    if (fields.empty()) continue;
                    const std::string xField = Trim(fields[0]);
                    if (xField.empty()) continue;
                    const double x = DataNumber(xField, separator);
                    for (std::size_t k = 1; k < fields.size(); ++k) {
                        const int channel = static_cast<int>(k) - 1;
                        if (channel >= ChannelCount()) break;
                        const std::string y = Trim(fields[k]);
                        if (!y.empty()) points.push_back(YField(channel, x, y, separator));
                    }
                    continue;
                }
                double x = 0;
                for (std::size_t i = 0; i < fields.size() / 2; ++i) {
                    const int channel = static_cast<int>(i);
                    if (channel >= ChannelCount()) break;
                    const std::string xField = Trim(fields[2 * i]);
                    // A pair without X adds nothing.
                    if (xField.empty()) continue;
                    x = DataNumber(xField, separator);
                    const std::string y = Trim(fields[2 * i + 1]);
                    if (!y.empty()) points.push_back(YField(channel, x, y, separator));
                }
            }
        }
        TLoadScope scope(this, false);
        for (const TLoadedPoint& p : points) {
            TiPlotChannelCustom* channel = GetChannel(p.channel);
            const int index = channel->AddXY(p.x, p.y);
            if (p.null) channel->SetDataNull(index, true);
            if (p.empty) channel->SetDataEmpty(index, true);
        }
    } catch (const Exception& e) {
        throw Exception("Error Loading Data - " + e.Message());
    }
    FLastDataFileName = fileName;
    if (OnAfterLoadData) OnAfterLoadData(this);
}

}  // namespace dsp
