#include "plot/engine/iPlotDataList.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>

#include "framework/core/Exceptions.h"
#include "framework/core/GrowableBlock.h"

namespace dsp {

namespace {

constexpr int kMaxListBytes = std::numeric_limits<std::int32_t>::max();

}  // namespace

// ---- TiPlotDataCustomList

TiPlotDataCustomList::TiPlotDataCustomList(int dataPointSize)
    : FDataPointSize(dataPointSize), FMaxDataPoints(kMaxListBytes / dataPointSize) {
    FStoredBarVisible = true;
}

TiPlotDataCustomList::~TiPlotDataCustomList() {
    ResizeBlock(FList,
                static_cast<std::size_t>(FCapacity) * static_cast<std::size_t>(FDataPointSize), 0);
}

void TiPlotDataCustomList::ThrowIndexOutOfBounds() { throw Exception("Index out of Bounds"); }

void TiPlotDataCustomList::Straighten() {
    if (FTail == 0) return;
    auto* bytes = static_cast<unsigned char*>(FList);
    const std::size_t size = static_cast<std::size_t>(FDataPointSize);
    // A ring only wraps when full, so the points fill storage 0 .. Count - 1.
    std::rotate(bytes, bytes + static_cast<std::size_t>(FTail) * size,
                bytes + static_cast<std::size_t>(FCount) * size);
    FTail = 0;
}

void TiPlotDataCustomList::SetCapacity(int newCapacity) {
    if (newCapacity < 0 || FMaxDataPoints < newCapacity) {
        throw Exception("Exceed Maximum List Size");
    }
    if (newCapacity == FCapacity) return;
    Straighten();
    const std::size_t recordSize = static_cast<std::size_t>(FDataPointSize);
    FList = ResizeBlock(FList, static_cast<std::size_t>(FCapacity) * recordSize,
                        static_cast<std::size_t>(newCapacity) * recordSize);
    FCapacity = newCapacity;
    if (FCount > newCapacity) FCount = newCapacity;
}

void TiPlotDataCustomList::Grow() {
    const long long capacity = FCapacity;
    const long long delta = capacity > 64 ? capacity / 4 : capacity > 8 ? 16 : 4;
    const long long next = capacity + delta;
    SetCapacity(next > FMaxDataPoints ? FMaxDataPoints + 1 : static_cast<int>(next));
}

int TiPlotDataCustomList::NewSlotFull(int& index, bool& overwrote) {
    overwrote = false;
    // A ring of no room at all (its capacity cut to 0) grows like a plain list.
    if (!FRingBufferEnabled || FCapacity == 0) {
        Grow();
        index = FCount++;
        return index;
    }
    ++FTail;
    if (FTail == FCount) FTail = 0;
    overwrote = true;
    index = FCount - 1;
    return FTail == 0 ? FCount - 1 : FTail - 1;
}

void TiPlotDataCustomList::CheckDeleteSize(int size, bool inclusive, const char* message) const {
    const bool ok = size >= 0 && (inclusive ? size <= FCount : size < FCount);
    if (!ok) throw Exception(message);
}

void TiPlotDataCustomList::RemoveOldest(int size) {
    if (size == 0) return;
    Straighten();
    auto* bytes = static_cast<unsigned char*>(FList);
    const std::size_t recordSize = static_cast<std::size_t>(FDataPointSize);
    std::memmove(bytes, bytes + static_cast<std::size_t>(size) * recordSize,
                 static_cast<std::size_t>(FCount - size) * recordSize);
    FCount -= size;
}

void TiPlotDataCustomList::Clear() {
    FCount = 0;
    FTail = 0;
    if (!FRingBufferEnabled) SetCapacity(0);
}

void TiPlotDataCustomList::SetRingBufferSize(int value) {
    if (value == 0) {
        if (!FRingBufferEnabled) return;
        FRingBufferEnabled = false;
        if (FTail != 0) Clear();
        return;
    }
    if (value < 0) throw Exception("Exceed Maximum List Size");
    FRingBufferEnabled = true;
    if (value == FCapacity) return;
    if (FTail != 0) Clear();
    if (value > FCapacity) {
        SetCapacity(value);
        return;
    }
    if (value < FCount) DeletePoints(FCount - value);
    SetCapacity(value);
}

void TiPlotDataCustomList::ReadPoints(int first, int count, TPointValues* out) const {
    for (int k = 0; k < count; ++k) {
        TPointValues& v = out[k];
        GetXYEmptyNull(first + k, v.X, v.Y, v.Empty, v.Null);
    }
}

double TiPlotDataCustomList::GetX(int) const { return 0.0; }
double TiPlotDataCustomList::GetY(int) const { return 0.0; }
bool TiPlotDataCustomList::GetEmpty(int) const { return false; }
bool TiPlotDataCustomList::GetNull(int) const { return false; }
double TiPlotDataCustomList::GetHigh(int) const { return 0.0; }
double TiPlotDataCustomList::GetLow(int) const { return 0.0; }
double TiPlotDataCustomList::GetOpen(int) const { return 0.0; }
double TiPlotDataCustomList::GetClose(int) const { return 0.0; }
void TiPlotDataCustomList::SetX(int, double) {}
void TiPlotDataCustomList::SetY(int, double) {}
void TiPlotDataCustomList::SetEmpty(int, bool) {}
void TiPlotDataCustomList::SetNull(int, bool) {}
void TiPlotDataCustomList::SetHigh(int, double) {}
void TiPlotDataCustomList::SetLow(int, double) {}
void TiPlotDataCustomList::SetOpen(int, double) {}
void TiPlotDataCustomList::SetClose(int, double) {}

#define DSP_DEFINE_POINT_STYLE(Name, Type)                                    \
    Type TiPlotDataCustomList::Get##Name(int) const { return FStored##Name; } \
    void TiPlotDataCustomList::Set##Name(int, Type) {}
DSP_PLOT_POINT_STYLES(DSP_DEFINE_POINT_STYLE)
#undef DSP_DEFINE_POINT_STYLE

// ---- TiPlotDataNullList

void TiPlotDataNullList::DeletePoints(int size) {
    CheckDeleteSize(size, false, "Delete size out of Range");
    RemoveOldest(size);
}

void TiPlotDataNullList::GetXYEmptyNull(int index, double& x, double& y, bool& empty,
                                        bool& null) const {
    const TiPlotDataNull& r = At(index);
    x = r.X;
    y = r.Y;
    empty = (r.Extra & 2) != 0;
    null = (r.Extra & 1) != 0;
}

void TiPlotDataNullList::ReadPoints(int first, int count, TPointValues* out) const {
    VisitPoints(first, count, [&](double x, double y, bool empty, bool null) {
        *out++ = {x, y, empty, null};
    });
}

void TiPlotDataNullList::SetBit(int index, std::uint16_t bit, bool value) {
    TiPlotDataNull& r = At(index);
    r.Extra = static_cast<std::uint16_t>(value ? (r.Extra | bit) : (r.Extra & ~bit));
}

void TiPlotDataNullList::SetMarkerStyle(int index, TiPlotMarkerStyle value) {
    TiPlotDataNull& r = At(index);
    r.Extra = static_cast<std::uint16_t>((r.Extra & ~(15u << 3)) | ((value & 15u) << 3));
}

// ---- TiPlotDataCompactList

int TiPlotDataCompactList::Add(double x, double y, bool, bool) {
    int index = 0;
    bool overwrote = false;
    const int slot = NewSlot(index, overwrote);
    static_cast<TiPlotDataSingle*>(FList)[slot] = {static_cast<float>(x), static_cast<float>(y)};
    return index;
}

void TiPlotDataCompactList::DeletePoints(int size) {
    CheckDeleteSize(size, false, "Delete size out of Range");
    RemoveOldest(size);
}

void TiPlotDataCompactList::GetXYEmptyNull(int index, double& x, double& y, bool& empty,
                                           bool& null) const {
    const TiPlotDataSingle& r = At(index);
    x = r.X;
    y = r.Y;
    empty = false;
    null = false;
}

void TiPlotDataCompactList::ReadPoints(int first, int count, TPointValues* out) const {
    const auto* records = static_cast<const TiPlotDataSingle*>(FList);
    ForEachStored(first, count, [&](int slot, int k) {
        out[k] = {records[slot].X, records[slot].Y, false, false};
    });
}

// ---- TiPlotDataCompactIntervalList

int TiPlotDataCompactIntervalList::Add(double x, double y, bool, bool) {
    if (FCount == 0) FFirstX = x;
    if (FCount == 1 && !intervalKnown_) SetInterval(x - FFirstX);
    int index = 0;
    bool overwrote = false;
    const int slot = NewSlot(index, overwrote);
    static_cast<TiPlotDataCompactInterval*>(FList)[slot] = {static_cast<float>(y)};
    // The oldest point made room: the others keep their X.
    if (overwrote && FCount > 1) FFirstX += Interval();
    return index;
}

void TiPlotDataCompactIntervalList::Clear() {
    TiPlotDataCustomList::Clear();
    FInterval = -1.0;
    intervalKnown_ = false;
}

void TiPlotDataCompactIntervalList::DeletePoints(int size) {
    CheckDeleteSize(size, true, "Delete size out of Range");
    RemoveOldest(size);
    if (intervalKnown_) FFirstX += size * FInterval;
}

void TiPlotDataCompactIntervalList::GetXYEmptyNull(int index, double& x, double& y, bool& empty,
                                                   bool& null) const {
    y = At(index).Y;
    x = index * Interval() + FFirstX;
    empty = false;
    null = false;
}

void TiPlotDataCompactIntervalList::SetX(int index, double value) {
    if (index != 0 || FCount == 0) {
        throw Exception(
            "Data Style does not support setting individual X-Value with the exception of the "
            "first X-Value");
    }
    FFirstX = value;
}

// ---- TiPlotDataFullList

int TiPlotDataFullList::Add(double x, double y, bool null, bool empty) {
    int index = 0;
    bool overwrote = false;
    const int slot = NewSlot(index, overwrote);
    TiPlotDataFull r{};
    r.X = x;
    r.Y = y;
    r.Null = null;
    r.Empty = empty;
    r.TraceLineColor = FStoredTraceLineColor;
    r.TraceLineWidth = FStoredTraceLineWidth;
    r.TraceLineStyle = FStoredTraceLineStyle;
    r.MarkerVisible = FStoredMarkerVisible;
    r.MarkerSize = FStoredMarkerSize;
    r.MarkerStyle = FStoredMarkerStyle;
    r.MarkerPenColor = FStoredMarkerPenColor;
    r.MarkerPenWidth = FStoredMarkerPenWidth;
    r.MarkerPenStyle = static_cast<std::uint8_t>(FStoredMarkerPenStyle);
    r.MarkerBrushColor = FStoredMarkerBrushColor;
    r.MarkerBrushStyle = static_cast<std::uint8_t>(FStoredMarkerBrushStyle);
    r.MarkerCharacter = 0;
    r.BarVisible = FStoredBarVisible;
    r.BarReference = FStoredBarReference;
    r.BarWidth = FStoredBarWidth;
    r.BarPenColor = FStoredBarPenColor;
    r.BarPenWidth = FStoredBarPenWidth;
    r.BarPenStyle = static_cast<std::uint8_t>(FStoredBarPenStyle);
    r.BarBrushColor = FStoredBarBrushColor;
    r.BarBrushStyle = static_cast<std::uint8_t>(FStoredBarBrushStyle);
    static_cast<TiPlotDataFull*>(FList)[slot] = r;
    return index;
}

void TiPlotDataFullList::DeletePoints(int size) {
    CheckDeleteSize(size, false, "Delete Size Out Of Range");
    RemoveOldest(size);
}

void TiPlotDataFullList::GetXYEmptyNull(int index, double& x, double& y, bool& empty,
                                        bool& null) const {
    const TiPlotDataFull& r = At(index);
    x = r.X;
    y = r.Y;
    empty = r.Empty;
    null = r.Null;
}

#define DSP_DEFINE_FULL_STYLE(Name, Type)                                    \
    Type TiPlotDataFullList::Get##Name(int index) const {                    \
        return static_cast<Type>(At(index).Name);                            \
    }                                                                        \
    void TiPlotDataFullList::Set##Name(int index, Type value) {              \
        At(index).Name = static_cast<decltype(TiPlotDataFull::Name)>(value); \
    }
DSP_PLOT_POINT_STYLES(DSP_DEFINE_FULL_STYLE)
#undef DSP_DEFINE_FULL_STYLE

TiPlotDataCustomList* NewPlotDataList(TiPlotDataStyle style) {
    switch (style) {
        case ipdsCompact: return new TiPlotDataCompactList();
        case ipdsCompactInterval: return new TiPlotDataCompactIntervalList();
        case ipdsFullFeature: return new TiPlotDataFullList();
        case ipdsStandard:
        default: return new TiPlotDataNullList();
    }
}

}  // namespace dsp
