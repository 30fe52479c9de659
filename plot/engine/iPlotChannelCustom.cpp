#include "plot/engine/iPlotChannelCustom.h"

#include <cmath>

#include "framework/core/Exceptions.h"
#include "framework/text/Numbers.h"
#include "framework/text/StrUtils.h"
#include "framework/text/Streams.h"
#include "framework/text/StringList.h"
#include "framework/text/WholeFile.h"
#include "plot/engine/iPlotAxis.h"
#include "plot/engine/iPlotComponent.h"
#include "plot/engine/iPlotDataCursor.h"

namespace dsp {

TiPlotChannelCustom::TiPlotChannelCustom(TObject* owner, TNotifyEvent onChange,
                                         TNotifyEvent onInsert, TNotifyEvent onRemove,
                                         TNotifyEvent onRename)
    : TiPlotManagerObject(owner, std::move(onChange), std::move(onInsert), std::move(onRemove),
                          std::move(onRename)),
      FDataList(std::make_unique<TiPlotDataNullList>()),
      FMarkersFont(std::make_unique<TFont>()) {
    FDataList->SetStoredTraceLineColor(clRed);
    FDataList->SetStoredTraceLineWidth(1);
    FDataList->SetStoredTraceLineStyle(iplsSolid);
    FDataList->SetStoredMarkerVisible(false);
    FDataList->SetStoredMarkerSize(3);
    FDataList->SetStoredMarkerStyle(ipmsCircle);
    FDataList->SetStoredMarkerPenColor(clRed);
    FDataList->SetStoredMarkerPenStyle(psSolid);
    FDataList->SetStoredMarkerPenWidth(0);
    FDataList->SetStoredMarkerBrushColor(clRed);
    FDataList->SetStoredMarkerBrushStyle(bsSolid);
    ResetRunningStatistics();
    FMarkersFont->SetColor(clWhite);
    FMarkersFont->SetStyle(TFontStyles{fsBold});
    FMarkersFont->OnChange = [this](TObject*) { DoChange(); };
}

TiPlotChannelCustom::~TiPlotChannelCustom() { FMarkersFont->OnChange = nullptr; }

// ---- points

int TiPlotChannelCustom::AddXY(double x, double y) { return AddPoint(x, y, false, false); }

int TiPlotChannelCustom::AddNullPoint(double) {
    const int index = FDataList->Add(0, 0, true, false);
    DoChange();
    return index;
}

int TiPlotChannelCustom::AddEmptyPoint(double) {
    const int index = FDataList->Add(0, 0, false, true);
    DoChange();
    return index;
}

void TiPlotChannelCustom::PointsChanged() {
    if (Plot() != nullptr && Plot()->RepaintHeld()) return;
    DoChange();
}

int TiPlotChannelCustom::AddPoint(double x, double y, bool null, bool empty) {
    // The standard list (the usual one) is called directly.
    const int index =
        FDataStyle == ipdsStandard
            ? static_cast<TiPlotDataNullList*>(FDataList.get())->Add(x, y, null, empty)
            : FDataList->Add(x, y, null, empty);

    if (x > FRunningXMax) FRunningXMax = x;
    if (!(x >= FRunningXMin)) FRunningXMin = x;
    if (y > FRunningYMax) FRunningYMax = y;
    if (!(y >= FRunningYMin)) FRunningYMin = y;
    ++FRunningCount;
    FRunningXTotal += x;
    FRunningYTotal += y;
    meansStale_ = true;

    if (FXAxisTrackingEnabled || FYAxisTrackingEnabled) {
        // An axis without tracking takes nothing (NewTrackingData would return at once).
        TiPlotXAxis* xAxis = FXAxisTrackingEnabled ? GetXAxis() : nullptr;
        TiPlotYAxis* yAxis = FYAxisTrackingEnabled ? GetYAxis() : nullptr;
        if (xAxis != nullptr && !xAxis->TrackingEnabled()) xAxis = nullptr;
        if (yAxis != nullptr && !yAxis->TrackingEnabled()) yAxis = nullptr;
        if (MarkersVisible()) {
            // The axes make room for the marker around the point.
            if (!FDataList->GetNull(FDataList->Count() - 1)) {
                if (xAxis != nullptr) {
                    const double margin = MarkerMargin(xAxis);
                    xAxis->NewTrackingData(x + margin);
                    xAxis->NewTrackingData(x - margin);
                }
                if (yAxis != nullptr) {
                    const double margin = MarkerMargin(yAxis);
                    yAxis->NewTrackingData(y + margin);
                    yAxis->NewTrackingData(y - margin);
                }
            }
        } else {
            if (xAxis != nullptr) xAxis->NewTrackingData(x);
            if (yAxis != nullptr && !null && !empty) yAxis->NewTrackingData(y);
        }
    }

    if (FLoggingActive) {
        ++FLogBufferCount;
        if (FLogBufferCount >= FLogBufferSize || FLogBufferSize < 2) WriteLogBuffer();
    }
    PointsChanged();
    return index;
}

void TiPlotChannelCustom::AddXYArrays(const TVariant& xData, const TVariant& yData) {
    if (VarArrayDimCount(xData) != 1) throw Exception("X-Data array must be 1 dimensional");
    if (VarArrayDimCount(yData) != 1) throw Exception("Y-Data array must be 1 dimensional");
    if (xData.LowBound(1) != yData.LowBound(1)) {
        throw Exception("X-Data and Y-Data low bound dimension must match");
    }
    if (xData.HighBound(1) != yData.HighBound(1)) {
        throw Exception("X-Data and Y-Data hogh bound dimension must match");
    }
    for (int i = xData.LowBound(1); i <= xData.HighBound(1); ++i) {
        AddPoint(xData[i].AsDouble(), yData[i].AsDouble(), false, false);
    }
}

void TiPlotChannelCustom::AddXYArray(const TVariant& data) {
    if (VarArrayDimCount(data) != 2) throw Exception("Array Must Be 2 Dimensional");
    const int first = data.LowBound(1);
    if (data.HighBound(1) - first + 1 != 2) {
        throw Exception("Array First Dimension Must Be 2 Elements");
    }
    for (int j = data.LowBound(2); j <= data.HighBound(2); ++j) {
        AddPoint(data.GetElement({first, j}).AsDouble(), data.GetElement({first + 1, j}).AsDouble(),
                 false, false);
    }
}

void TiPlotChannelCustom::DeletePoints(int size) {
    if (size == Count()) {
        Clear();
        return;
    }
    FDataList->DeletePoints(size);
    PointsChanged();
}

void TiPlotChannelCustom::SettleMeans() {
    if (!meansStale_) return;
    FRunningXMean = FRunningXTotal.Value() / FRunningCount;
    FRunningYMean = FRunningYTotal.Value() / FRunningCount;
    meansStale_ = false;
}

void TiPlotChannelCustom::ResetRunningStatistics() {
    meansStale_ = false;
    FRunningXMax = -1e300;
    FRunningYMax = -1e300;
    FRunningXMin = 1e300;
    FRunningYMin = 1e300;
    FRunningXMean = 0;
    FRunningYMean = 0;
    FRunningCount = 0;
    FRunningXTotal.Reset();
    FRunningYTotal.Reset();
}

void TiPlotChannelCustom::Clear() {
    ResetRunningStatistics();
    FStartIndex = -1;
    FStopIndex = -1;
    if (FLoggingActive) LogDeactivate();
    FDataList->Clear();
    DoChange();
}

void TiPlotChannelCustom::SetCount(int value) {
    FDataList->SetCapacity(value);
    DoChange();
}

void TiPlotChannelCustom::SetDataX(int index, double value) {
    FDataList->SetX(index, value);
    DoChange();
}

void TiPlotChannelCustom::SetDataY(int index, double value) {
    FDataList->SetY(index, value);
    DoChange();
}

void TiPlotChannelCustom::SetDataNull(int index, bool value) {
    FDataList->SetNull(index, value);
    DoChange();
}

void TiPlotChannelCustom::SetDataEmpty(int index, bool value) {
    FDataList->SetEmpty(index, value);
    DoChange();
}

// ---- statistics

double TiPlotChannelCustom::GetXMax() {
    double best = -1e300;
    for (int i = 0; i < Count(); ++i) {
        if (GetDataValid(i) && GetDataX(i) > best) best = GetDataX(i);
    }
    FRunningXMax = best;
    return best;
}

double TiPlotChannelCustom::GetXMin() {
    double best = 1e300;
    for (int i = 0; i < Count(); ++i) {
        if (GetDataValid(i) && GetDataX(i) < best) best = GetDataX(i);
    }
    FRunningXMin = best;
    return best;
}

double TiPlotChannelCustom::GetYMax() {
    double best = -1e300;
    for (int i = 0; i < Count(); ++i) {
        if (GetDataValid(i) && GetDataY(i) > best) best = GetDataY(i);
    }
    FRunningYMax = best;
    return best;
}

double TiPlotChannelCustom::GetYMin() {
    double best = 1e300;
    for (int i = 0; i < Count(); ++i) {
        if (GetDataValid(i) && GetDataY(i) < best) best = GetDataY(i);
    }
    FRunningYMin = best;
    return best;
}

double TiPlotChannelCustom::GetXMean() {
    SettleMeans();
    FRunningXTotal.Reset();
    FRunningCount = 0;
    for (int i = 0; i < Count(); ++i) {
        if (!GetDataValid(i)) continue;
        FRunningXTotal += GetDataX(i);
        ++FRunningCount;
    }
    FRunningXMean = FRunningCount == 0 ? 0 : FRunningXTotal.Value() / FRunningCount;
    return FRunningXMean;
}

double TiPlotChannelCustom::GetYMean() {
    SettleMeans();
    FRunningYTotal.Reset();
    FRunningCount = 0;
    for (int i = 0; i < Count(); ++i) {
        if (!GetDataValid(i)) continue;
        FRunningYTotal += GetDataY(i);
        ++FRunningCount;
    }
    FRunningYMean = FRunningCount == 0 ? 0 : FRunningYTotal.Value() / FRunningCount;
    return FRunningYMean;
}

void TiPlotChannelCustom::ReCalcRunningMinMaxMean() {
    ResetRunningStatistics();
    for (int i = 0; i < Count(); ++i) {
        if (!GetDataValid(i)) continue;
        const double x = GetDataX(i);
        const double y = GetDataY(i);
        ++FRunningCount;
        if (x > FRunningXMax) FRunningXMax = x;
        if (!(x >= FRunningXMin)) FRunningXMin = x;
        if (y > FRunningYMax) FRunningYMax = y;
        if (!(y >= FRunningYMin)) FRunningYMin = y;
        FRunningXTotal += x;
        FRunningYTotal += y;
    }
    if (FRunningCount > 0) {
        FRunningXMean = FRunningXTotal.Value() / FRunningCount;
        FRunningYMean = FRunningYTotal.Value() / FRunningCount;
    }
}

// ---- axes

TiPlotXAxis* TiPlotChannelCustom::FindXAxis() const {
    if (Plot() != nullptr) FXAxis = Plot()->GetXAxisByName(FXAxisName);
    return FXAxis;
}

TiPlotYAxis* TiPlotChannelCustom::FindYAxis() const {
    if (Plot() != nullptr) FYAxis = Plot()->GetYAxisByName(FYAxisName);
    return FYAxis;
}

std::string TiPlotChannelCustom::GetXValueText(double value) const {
    TiPlotXAxis* axis = GetXAxis();
    return axis != nullptr ? axis->GetCursorText(value) : TranslateString("No X-Axis");
}

std::string TiPlotChannelCustom::GetYValueText(double value) const {
    TiPlotYAxis* axis = GetYAxis();
    return axis != nullptr ? axis->GetCursorText(value) : TranslateString("No Y-Axis");
}

double TiPlotChannelCustom::MarkerMargin(const TiPlotAxis* axis) const {
    if (!MarkersVisible() || axis == nullptr) return 0;
    return std::abs(axis->PixelsToPosition(MarkersSize() + axis->GetMinPixels()) - axis->Min());
}

double TiPlotChannelCustom::GetMarkerExtentXMax(int index) const {
    if (GetDataNull(index)) throw Exception("Data Point Null");
    if (GetXAxis() == nullptr) throw Exception("X-Axis not assigned");
    return GetDataX(index) + MarkerMargin(GetXAxis());
}

double TiPlotChannelCustom::GetMarkerExtentXMin(int index) const {
    if (GetDataNull(index)) throw Exception("Data Point Null");
    if (GetXAxis() == nullptr) throw Exception("X-Axis not assigned");
    return GetDataX(index) - MarkerMargin(GetXAxis());
}

double TiPlotChannelCustom::GetMarkerExtentYMax(int index) const {
    if (GetDataNull(index)) throw Exception("Data Point Null");
    if (GetYAxis() == nullptr) throw Exception("Y-Axis not assigned");
    return GetDataY(index) + MarkerMargin(GetYAxis());
}

double TiPlotChannelCustom::GetMarkerExtentYMin(int index) const {
    if (GetDataNull(index)) throw Exception("Data Point Null");
    if (GetYAxis() == nullptr) throw Exception("Y-Axis not assigned");
    return GetDataY(index) - MarkerMargin(GetYAxis());
}

// ---- what the subclasses fill

void TiPlotChannelCustom::CalcStartIndex() { FStartIndex = Count() > 0 ? 0 : -1; }
void TiPlotChannelCustom::CalcStopIndex() { FStopIndex = Count() - 1; }
double TiPlotChannelCustom::GetFitXMax() { return -1e300; }
double TiPlotChannelCustom::GetFitXMin() { return 1e300; }
double TiPlotChannelCustom::GetFitYMax() { return -1e300; }
double TiPlotChannelCustom::GetFitYMin() { return 1e300; }
void TiPlotChannelCustom::UpdateDataCursorValues(TiPlotDataCursor*) {}

// ---- notifications

void TiPlotChannelCustom::NotificationRemove(TiPlotObject* sender) {
    if (sender == FXAxis) FXAxis = nullptr;
    if (sender == FYAxis) FYAxis = nullptr;
}

void TiPlotChannelCustom::NotificationRename(TiPlotObject* sender) {
    if (sender == nullptr) return;
    if (sender == FXAxis) FXAxisName = sender->Name();
    if (sender == FYAxis) FYAxisName = sender->Name();
}

void TiPlotChannelCustom::NotificationSetFocus(TiPlotObject* sender) {
    if (sender == nullptr || sender == this || !sender->UserSelected()) return;
    if (sender->Kind() == TiPlotObjectKind::Legend) return;
    if (sender->Kind() == TiPlotObjectKind::DataCursor &&
        static_cast<TiPlotDataCursor*>(sender)->GetChannel() == this) {
        return;
    }
    SetUserSelected(false);
}

void TiPlotChannelCustom::ClearPopupMenuItems(TPopupMenu* popupMenu) {
    TiPlotManagerObject::ClearPopupMenuItems(popupMenu);
    AddEditMenuItem(popupMenu);
}

bool TiPlotChannelCustom::GetPopupCenter(TPoint& center) const {
    center = {(FLegendRect.Left + FLegendRect.Right) / 2,
              (FLegendRect.Top + FLegendRect.Bottom) / 2};
    return true;
}

// ---- properties

void TiPlotChannelCustom::SetTitleText(const std::string& value) {
    SetStringProperty(value, FTitleText, &TiPlotObject::DoChange);
}

void TiPlotChannelCustom::SetVisibleInLegend(bool value) {
    SetBooleanProperty(value, FVisibleInLegend, &TiPlotObject::DoChange);
}

void TiPlotChannelCustom::SetClipToAxes(bool value) {
    SetBooleanProperty(value, FClipToAxes, &TiPlotObject::DoChange);
}

void TiPlotChannelCustom::SetTraceVisible(bool value) {
    SetBooleanProperty(value, FTraceVisible, &TiPlotObject::DoChange);
}

void TiPlotChannelCustom::SetRingBufferSize(int value) {
    FDataList->SetRingBufferSize(value);
    DoChange();
}

void TiPlotChannelCustom::SetColor(TColor value) {
    SetListStyle(&TiPlotDataCustomList::SetStoredTraceLineColor, value);
}
void TiPlotChannelCustom::SetTraceLineStyle(TiPlotLineStyle value) {
    SetListStyle(&TiPlotDataCustomList::SetStoredTraceLineStyle, value);
}
void TiPlotChannelCustom::SetTraceLineWidth(int value) {
    SetListStyle(&TiPlotDataCustomList::SetStoredTraceLineWidth, value);
}
void TiPlotChannelCustom::SetMarkersVisible(bool value) {
    SetListStyle(&TiPlotDataCustomList::SetStoredMarkerVisible, value);
}
void TiPlotChannelCustom::SetMarkersSize(int value) {
    SetListStyle(&TiPlotDataCustomList::SetStoredMarkerSize, value);
}
void TiPlotChannelCustom::SetMarkersStyle(TiPlotMarkerStyle value) {
    SetListStyle(&TiPlotDataCustomList::SetStoredMarkerStyle, value);
}
void TiPlotChannelCustom::SetMarkersPenColor(TColor value) {
    SetListStyle(&TiPlotDataCustomList::SetStoredMarkerPenColor, value);
}
void TiPlotChannelCustom::SetMarkersPenStyle(TPenStyle value) {
    SetListStyle(&TiPlotDataCustomList::SetStoredMarkerPenStyle, value);
}
void TiPlotChannelCustom::SetMarkersPenWidth(int value) {
    SetListStyle(&TiPlotDataCustomList::SetStoredMarkerPenWidth, value);
}
void TiPlotChannelCustom::SetMarkersBrushColor(TColor value) {
    SetListStyle(&TiPlotDataCustomList::SetStoredMarkerBrushColor, value);
}
void TiPlotChannelCustom::SetMarkersBrushStyle(TBrushStyle value) {
    SetListStyle(&TiPlotDataCustomList::SetStoredMarkerBrushStyle, value);
}

void TiPlotChannelCustom::SetMarkersAllowIndividual(bool value) {
    SetBooleanProperty(value, FMarkersAllowIndividual, &TiPlotObject::DoChange);
}
void TiPlotChannelCustom::SetMarkersPenUseChannelColor(bool value) {
    SetBooleanProperty(value, FMarkersPenUseChannelColor, &TiPlotObject::DoChange);
}
void TiPlotChannelCustom::SetMarkersBrushUseChannelColor(bool value) {
    SetBooleanProperty(value, FMarkersBrushUseChannelColor, &TiPlotObject::DoChange);
}
void TiPlotChannelCustom::SetMarkersTurnOffLimit(int value) {
    SetIntegerProperty(value, FMarkersTurnOffLimit, &TiPlotObject::DoChange);
}

void TiPlotChannelCustom::SetXAxisName(const std::string& value) {
    if (value == FXAxisName) return;
    FXAxisName = value;
    FXAxis = nullptr;
    DoChange();
}

void TiPlotChannelCustom::SetYAxisName(const std::string& value) {
    if (value == FYAxisName) return;
    FYAxisName = value;
    FYAxis = nullptr;
    DoChange();
}

void TiPlotChannelCustom::SetXAxisTrackingEnabled(bool value) {
    SetBooleanProperty(value, FXAxisTrackingEnabled, &TiPlotObject::DoChange);
}
void TiPlotChannelCustom::SetYAxisTrackingEnabled(bool value) {
    SetBooleanProperty(value, FYAxisTrackingEnabled, &TiPlotObject::DoChange);
}

void TiPlotChannelCustom::SetDataStyle(TiPlotDataStyle value) {
    if (value == FDataStyle) return;
    std::unique_ptr<TiPlotDataCustomList> list(NewPlotDataList(value));
    const TiPlotDataCustomList& old = *FDataList;
    // Every stored default but the marker character goes over.
#define DSP_COPY_STORED(Name, Type) list->SetStored##Name(old.Stored##Name());
    DSP_PLOT_POINT_STYLES(DSP_COPY_STORED)
#undef DSP_COPY_STORED
    list->SetStoredMarkerCharacter(0);
    list->SetRingBufferSize(old.RingBufferSize());
    // The buffered points are written before they go; logging itself stays as it is.
    if (FLoggingActive && FLogBufferCount > 0) WriteLogBuffer();
    FDataList = std::move(list);
    FDataStyle = value;
    FStartIndex = -1;
    FStopIndex = -1;
    DoChange();
}

// ---- logging

void TiPlotChannelCustom::SetLogFileName(const std::string& value) {
    if (value == FLogFileName) return;
    if (FLoggingActive) {
        throw Exception(
            TranslateString("Log File Name can not be changed while logging is active."));
    }
    FLogFileName = value;
}

void TiPlotChannelCustom::LogActivate(bool append) {
    if (Trim(FLogFileName).empty()) throw Exception("Log File Name not Defined");
    if (FLoggingActive) throw Exception("Logging Already Active");
    { TFileStream file(FLogFileName, append ? fmOpenReadWrite : fmCreate); }
    FLoggingActive = true;
    FLogBufferCount = 0;
}

void TiPlotChannelCustom::LogDeactivate() {
    if (!FLoggingActive) throw Exception("Logging not Active");
    FLoggingActive = false;
    if (FLogBufferCount > 0) WriteLogBuffer();
}

void TiPlotChannelCustom::WriteLogBuffer() {
    const char separator = Plot() != nullptr ? Plot()->DataFileColumnSeparatorChar() : '\t';
    // A ring or a deletion may have dropped buffered points: only those still held are written.
    const int count = std::min(FLogBufferCount, Count());
    std::string text;
    for (int i = Count() - count; i < Count(); ++i) {
        text += FloatToStr(GetDataX(i));
        text += separator;
        text += FloatToStr(GetDataY(i));
        text += "\r\n";
    }
    FLogBufferCount = 0;
    TFileStream file(FLogFileName, fmOpenReadWrite);
    file.Seek(0, soEnd);
    file.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
}

// ---- files

void TiPlotChannelCustom::SaveDataToFile(const std::string& fileName) {
    const char separator = Plot() != nullptr ? Plot()->DataFileColumnSeparatorChar() : '\t';
    std::string text;
    for (int i = 0; i < Count(); ++i) {
        double x = 0;
        double y = 0;
        bool empty = false;
        bool null = false;
        GetXYEmptyNull(i, x, y, empty, null);
        if (empty) continue;
        text += FloatToStr(x);
        text += separator;
        text += null ? std::string("Null") : FloatToStr(y);
        text += "\r\n";
    }
    std::string error;
    if (!WriteWholeFile(fileName, text, &error)) throw EFCreateError(error);
}

namespace {

// A number of a data file: "." always; a tab-separated file may also use ",".
double DataFileNumber(const std::string& text, char separator) {
    if (const std::optional<double> value = TryStrToFloat(text)) return *value;
    if (separator == '\t') {
        std::string dotted = text;
        for (char& c : dotted) {
            if (c == ',') c = '.';
        }
        if (const std::optional<double> value = TryStrToFloat(dotted)) return *value;
    }
    return StrToFloat(text);  // raises the conversion error
}

}  // namespace

void TiPlotChannelCustom::LoadDataFromFile(const std::string& fileName, bool clearPreviousData) {
    if (FLoggingActive) LogDeactivate();
    TStringList lines;
    lines.LoadFromFile(fileName);
    if (clearPreviousData) Clear();
    FLoadingSeparator =
        lines.Count() > 0 && lines.Strings(0).find('\t') != std::string::npos ? '\t' : ',';
    for (int i = 0; i < lines.Count(); ++i) {
        std::string left;
        std::string right;
        SplitAt(lines.Strings(i), FLoadingSeparator, left, right);
        if (left.empty()) continue;
        const double x = DataFileNumber(left, FLoadingSeparator);
        if (SameText(right, "Null")) {
            AddPoint(x, 0, true, false);
        } else {
            AddPoint(x, DataFileNumber(right, FLoadingSeparator), false, false);
        }
    }
}

void TiPlotChannelCustom::SavePropertiesToFile(const std::string& fileName) {
    try {
        TStringList lines;
        lines.Add("File Type = Plot Channel Config");
        TStringList exclude;
        exclude.Add("Channel.Name");
        const bool onlyChanged = Plot() != nullptr && Plot()->DifferentialPropertySave();
        SavePropertiesToStrings(this, "Channel", lines, onlyChanged, &exclude);
        std::string text;
        for (int i = 0; i < lines.Count(); ++i) text += lines.Strings(i) + "\r\n";
        std::string error;
        if (!WriteWholeFile(fileName, text, &error)) throw EFCreateError(error);
    } catch (const Exception& e) {
        throw Exception("Error Saving Properties - " + e.Message());
    }
}

void TiPlotChannelCustom::LoadPropertiesFromFile(const std::string& fileName) {
    try {
        TStringList lines;
        lines.LoadFromFile(fileName);
        std::string fileType;
        if (!ExtractValue("File Type", fileType, lines) ||
            !SameText(fileType, "Plot Channel Config")) {
            throw Exception("Incompatible Plot Channel Configuration File Type");
        }
        LoadPropertiesFromStrings(this, "Channel", lines);
    } catch (const Exception& e) {
        throw Exception("Error Loading Properties - " + e.Message());
    }
}

}  // namespace dsp
