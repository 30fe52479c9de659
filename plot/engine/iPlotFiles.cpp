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

using namespace plotfile;

namespace {

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
    for (int s = 0; s < kPropertySectionCount; ++s) {
        lines.Add(std::string(PropertySectionCountKey(s)) + " = " +
                  IntToStr(SectionObjectCount(plot, s)));
    }
    lines.Add("DataViewZHorz = " + IntToStr(plot->DataViewZHorz()));
    lines.Add("DataViewZVert = " + IntToStr(plot->DataViewZVert()));
    for (int s = 0; s < kPropertySectionCount; ++s) {
        for (int i = 0; i < SectionObjectCount(plot, s); ++i) {
            SavePropertiesToStrings(SectionObject(plot, s, i),
                                    PropertySectionPrefix(s) + IntToStr(i), lines, differential,
                                    nullptr);
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
    for (int s = 0; s < kPropertySectionCount; ++s) {
        for (int i = 0; i < counts[static_cast<std::size_t>(s)]; ++i) {
            TObject* object = nullptr;
            const std::string path = PropertySectionPrefix(s) + IntToStr(i);
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
    for (int s = 0; s < kPropertySectionCount; ++s) {
        if (counts[static_cast<std::size_t>(s)] == 0) continue;
        TScratchObject scratch(SectionManager(plot, s));
        for (int i = 0; i < counts[static_cast<std::size_t>(s)]; ++i) {
            LoadPropertiesFromStrings(scratch.Get(), PropertySectionPrefix(s) + IntToStr(i), rest);
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
        const TiPropertyFileHeader header = ReadPropertyFileHeader(lines);
        const std::vector<int>& counts = header.counts;
        DryRunPropertyLines(this, lines, counts);

        TLoadScope scope(this, true);
        if (header.hasZHorz) SetDataViewZHorz(header.zHorz);
        if (header.hasZVert) SetDataViewZVert(header.zVert);
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
        const int count = ReadAnnotationFileHeader(lines);
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
    for (int c = 0; c < plot.ChannelCount(); ++c)
        rows = std::max(rows, plot.GetChannel(c)->Count());
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
        WriteWhole(fileName, FDataFileFormat == ipdffCompactInterval
                                 ? DataCompactIntervalBytes(*this)
                                 : DataTextBytes(*this));
    } catch (const Exception& e) {
        throw Exception("Error Saving Data - " + e.Message());
    }
    FLastDataFileName = fileName;
    if (OnAfterSaveData) OnAfterSaveData(this);
}

void TiPlotComponent::LoadDataFromFile(const std::string& fileName) {
    try {
        std::string error;
        const std::optional<std::string> content = ReadWholeFile(fileName, &error);
        if (!content) throw EFOpenError(error);
        const std::vector<TiLoadedPoint> points = ParseDataFile(*content, ChannelCount());
        TLoadScope scope(this, false);
        for (const TiLoadedPoint& p : points) {
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
