#pragma once
// Point lists: every channel keeps its points in one list of fixed-size records in one
// contiguous array, in one of four layouts chosen by the channel's data style:
//   TiPlotDataNullList             X, Y and a word of flags (null, empty, marker)  24 bytes
//   TiPlotDataCompactList          X, Y in single precision, no flags               8 bytes
//   TiPlotDataCompactIntervalList  Y in single precision; X = first X + i x interval 4 bytes
//   TiPlotDataFullList             X, Y, flags, high/low/open/close, every style   144 bytes
// The base keeps the count, the capacity (grown by hand: +4 up to 8, +16 up to 64, then a
// quarter), an optional ring-buffer mode and the stored default styles that per-point styles
// fall back to. Indexes are logical: 0 is the oldest point. A wrapped ring buffer is turned
// straight (oldest point at storage 0) before its capacity changes or points are deleted, so no
// index ever maps outside the array.

#include <cstddef>
#include <cstdint>

#include "framework/core/TypeInfo.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/Pen.h"

namespace dsp {

enum TiPlotDataStyle : std::uint8_t {
    ipdsStandard,
    ipdsCompact,
    ipdsCompactInterval,
    ipdsFullFeature,
};
DSP_ENUM_NAMES(TiPlotDataStyle, "ipdsStandard", "ipdsCompact", "ipdsCompactInterval",
               "ipdsFullFeature")

enum TiPlotLineStyle : std::uint8_t { iplsSolid, iplsDash, iplsDot, iplsDashDot, iplsDashDotDot };
DSP_ENUM_NAMES(TiPlotLineStyle, "iplsSolid", "iplsDash", "iplsDot", "iplsDashDot", "iplsDashDotDot")

enum TiPlotMarkerStyle : std::uint8_t {
    ipmsCircle,
    ipmsSquare,
    ipmsDiamond,
    ipmsCross,
    ipmsPlus,
    ipmsTriangleUp,
    ipmsTriangleDown,
    ipmsTriangleLeft,
    ipmsTriangleRight,
    ipmsVerticalLine,
    ipmsHorizontalLine,
    ipmsCharacter,
};
DSP_ENUM_NAMES(TiPlotMarkerStyle, "ipmsCircle", "ipmsSquare", "ipmsDiamond", "ipmsCross",
               "ipmsPlus", "ipmsTriangleUp", "ipmsTriangleDown", "ipmsTriangleLeft",
               "ipmsTriangleRight", "ipmsVerticalLine", "ipmsHorizontalLine", "ipmsCharacter")

// The pen style a trace line style draws with (the same ordinal).
inline TPenStyle ToPenStyle(TiPlotLineStyle style) { return static_cast<TPenStyle>(style); }

// ---- point records

// Extra: bit 0 null, bit 1 empty, bit 2 marker visible, bits 3..6 the marker style.
struct TiPlotDataNull {
    double X;
    double Y;
    std::uint16_t Extra;
};
static_assert(sizeof(TiPlotDataNull) == 24);

struct TiPlotDataSingle {
    float X;
    float Y;
};
static_assert(sizeof(TiPlotDataSingle) == 8);

struct TiPlotDataCompactInterval {
    float Y;
};
static_assert(sizeof(TiPlotDataCompactInterval) == 4);

// The enumerations are stored in one byte each, the marker character in two.
struct TiPlotDataFull {
    double X;
    double Y;
    bool Null;
    bool Empty;
    double High;
    double Low;
    double Open;
    double Close;
    TColor TraceLineColor;
    std::int32_t TraceLineWidth;
    std::uint8_t TraceLineStyle;
    bool MarkerVisible;
    std::int32_t MarkerSize;
    std::uint8_t MarkerStyle;
    TColor MarkerPenColor;
    std::int32_t MarkerPenWidth;
    std::uint8_t MarkerPenStyle;
    TColor MarkerBrushColor;
    std::uint8_t MarkerBrushStyle;
    char16_t MarkerCharacter;
    bool BarVisible;
    double BarReference;
    double BarWidth;
    TColor BarPenColor;
    std::int32_t BarPenWidth;
    std::uint8_t BarPenStyle;
    TColor BarBrushColor;
    std::uint8_t BarBrushStyle;
};
static_assert(sizeof(TiPlotDataFull) == 144);

// Every per-point style the lists know, in record order: (name, type).
#define DSP_PLOT_POINT_STYLES(X)       \
    X(TraceLineColor, TColor)          \
    X(TraceLineWidth, int)             \
    X(TraceLineStyle, TiPlotLineStyle) \
    X(MarkerVisible, bool)             \
    X(MarkerSize, int)                 \
    X(MarkerStyle, TiPlotMarkerStyle)  \
    X(MarkerPenColor, TColor)          \
    X(MarkerPenWidth, int)             \
    X(MarkerPenStyle, TPenStyle)       \
    X(MarkerBrushColor, TColor)        \
    X(MarkerBrushStyle, TBrushStyle)   \
    X(MarkerCharacter, char16_t)       \
    X(BarVisible, bool)                \
    X(BarReference, double)            \
    X(BarWidth, double)                \
    X(BarPenColor, TColor)             \
    X(BarPenWidth, int)                \
    X(BarPenStyle, TPenStyle)          \
    X(BarBrushColor, TColor)           \
    X(BarBrushStyle, TBrushStyle)

class TiPlotDataCustomList {
public:
    virtual ~TiPlotDataCustomList();
    TiPlotDataCustomList(const TiPlotDataCustomList&) = delete;
    TiPlotDataCustomList& operator=(const TiPlotDataCustomList&) = delete;

    int DataPointSize() const { return FDataPointSize; }
    int MaxDataPoints() const { return FMaxDataPoints; }
    int Capacity() const { return FCapacity; }
    int Count() const { return FCount; }
    // Bytes of the record array.
    long long MemoryUsed() const {
        return static_cast<long long>(FDataPointSize) * static_cast<long long>(FCapacity);
    }
    // The capacity while in ring-buffer mode, else 0. Writing 0 leaves the mode (a wrapped ring
    // is cleared); another value enters it with that capacity: a wrapped ring is cleared, a
    // smaller ring keeps the newest points.
    int RingBufferSize() const { return FRingBufferEnabled ? FCapacity : 0; }
    void SetRingBufferSize(int value);
    bool RingBufferWrapped() const { return FTail != 0; }

    // Appends a point and returns its logical index. A full ring overwrites its oldest point
    // and returns Count - 1.
    virtual int Add(double x, double y, bool null, bool empty) = 0;
    // Removes all points; outside ring-buffer mode the array is freed.
    virtual void Clear();
    // Raises "Exceed Maximum List Size" above MaxDataPoints. Points beyond the new capacity go.
    void SetCapacity(int newCapacity);
    // Removes the size oldest points; raises the list's "Delete size out of Range" outside its
    // bounds.
    virtual void DeletePoints(int size) = 0;
    virtual void GetXYEmptyNull(int index, double& x, double& y, bool& empty, bool& null) const = 0;
    // The points first .. first + count - 1 as GetXYEmptyNull gives them, into out[0 .. count - 1]:
    // one call for many points, for drawing loops. "Index out of Bounds" outside the points.
    struct TPointValues {
        double X;
        double Y;
        bool Empty;
        bool Null;
    };
    virtual void ReadPoints(int first, int count, TPointValues* out) const;

    // Per-point values; "Index out of Bounds" outside 0 .. Count - 1.
    virtual double GetX(int index) const;
    virtual double GetY(int index) const;
    virtual bool GetEmpty(int index) const;
    virtual bool GetNull(int index) const;
    virtual double GetHigh(int index) const;
    virtual double GetLow(int index) const;
    virtual double GetOpen(int index) const;
    virtual double GetClose(int index) const;
    virtual void SetX(int index, double value);
    virtual void SetY(int index, double value);
    virtual void SetEmpty(int index, bool value);
    virtual void SetNull(int index, bool value);
    virtual void SetHigh(int index, double value);
    virtual void SetLow(int index, double value);
    virtual void SetOpen(int index, double value);
    virtual void SetClose(int index, double value);
    // True when points may carry trace styles of their own (else every point draws with the
    // stored defaults).
    virtual bool HasPointTraceStyles() const { return false; }

    // Per-point styles: the stored default unless the layout keeps the style per point.
#define DSP_DECLARE_POINT_STYLE(Name, Type)  \
    virtual Type Get##Name(int index) const; \
    virtual void Set##Name(int index, Type value);
    DSP_PLOT_POINT_STYLES(DSP_DECLARE_POINT_STYLE)
#undef DSP_DECLARE_POINT_STYLE

    // The stored defaults.
#define DSP_DECLARE_STORED_STYLE(Name, Type)            \
    Type Stored##Name() const { return FStored##Name; } \
    void SetStored##Name(Type value) { FStored##Name = value; }
    DSP_PLOT_POINT_STYLES(DSP_DECLARE_STORED_STYLE)
#undef DSP_DECLARE_STORED_STYLE

protected:
    explicit TiPlotDataCustomList(int dataPointSize);

    // Calls read(storage index, k) for the points first + k, k = 0 .. count - 1, in order, after
    // checking the range once.
    template <class Read>
    void ForEachStored(int first, int count, Read&& read) const {
        if (count <= 0) return;
        if (first < 0 || count > FCount - first) ThrowIndexOutOfBounds();
        int slot = StorageIndex(first);
        for (int k = 0; k < count; ++k) {
            read(slot, k);
            if (++slot == FCount) slot = 0;  // a wrapped ring continues at storage 0
        }
    }
    // The storage index of a logical index; "Index out of Bounds" outside the points.
    int StorageIndex(int index) const {
        if (index < 0 || index >= FCount) ThrowIndexOutOfBounds();
        if (FTail == 0) return index;
        const int s = index + FTail;
        return s > FCount - 1 ? s - FCount : s;
    }
    // The storage slot of a new point, after the common add rules; the point's logical index in
    // index. overwrote tells whether the oldest point of a full ring made room.
    int NewSlot(int& index, bool& overwrote) {
        overwrote = false;
        if (FCount < FCapacity) {
            index = FCount++;
            return index;
        }
        return NewSlotFull(index, overwrote);
    }
    // NewSlot when the array is full: it grows, or a ring overwrites its oldest point.
    int NewSlotFull(int& index, bool& overwrote);
    // Checks the size of a deletion against the bounds (inclusive: size may equal Count).
    void CheckDeleteSize(int size, bool inclusive, const char* message) const;
    // Deletes the oldest size points: the ring straightened, the rest moved to the front.
    void RemoveOldest(int size);
    [[noreturn]] static void ThrowIndexOutOfBounds();

    // The record array; every subclass knows its record type.
    void* FList = nullptr;
    int FCount = 0;
    int FCapacity = 0;
    int FTail = 0;
    bool FRingBufferEnabled = false;
    int FDataPointSize;
    int FMaxDataPoints;

#define DSP_DECLARE_STORED_FIELD(Name, Type) Type FStored##Name{};
    DSP_PLOT_POINT_STYLES(DSP_DECLARE_STORED_FIELD)
#undef DSP_DECLARE_STORED_FIELD

private:
    void Grow();
    // Turns a wrapped ring straight: the oldest point to storage 0.
    void Straighten();
};

class TiPlotDataNullList final : public TiPlotDataCustomList {
public:
    TiPlotDataNullList() : TiPlotDataCustomList(sizeof(TiPlotDataNull)) {}
    int Add(double x, double y, bool null, bool empty) override {
        int index = 0;
        bool overwrote = false;
        const int slot = NewSlot(index, overwrote);
        std::uint16_t extra = static_cast<std::uint16_t>((FStoredMarkerStyle & 15) << 3);
        if (FStoredMarkerVisible) extra |= 4;
        if (null) extra |= 1;
        if (empty) extra |= 2;
        static_cast<TiPlotDataNull*>(FList)[slot] = {x, y, extra};
        return index;
    }
    void DeletePoints(int size) override;
    void GetXYEmptyNull(int index, double& x, double& y, bool& empty, bool& null) const override;
    void ReadPoints(int first, int count, TPointValues* out) const override;
    double GetX(int index) const override { return At(index).X; }
    double GetY(int index) const override { return At(index).Y; }
    bool GetEmpty(int index) const override { return (At(index).Extra & 2) != 0; }
    bool GetNull(int index) const override { return (At(index).Extra & 1) != 0; }
    void SetX(int index, double value) override { At(index).X = value; }
    void SetY(int index, double value) override { At(index).Y = value; }
    void SetEmpty(int index, bool value) override { SetBit(index, 2, value); }
    void SetNull(int index, bool value) override { SetBit(index, 1, value); }
    bool GetMarkerVisible(int index) const override { return (At(index).Extra & 4) != 0; }
    TiPlotMarkerStyle GetMarkerStyle(int index) const override {
        return static_cast<TiPlotMarkerStyle>((At(index).Extra >> 3) & 15);
    }
    void SetMarkerVisible(int index, bool value) override { SetBit(index, 4, value); }
    void SetMarkerStyle(int index, TiPlotMarkerStyle value) override;

    // The record of a point, for readers that walk many points.
    const TiPlotDataNull& Record(int index) const { return At(index); }
    // Calls visit(x, y, empty, null) for the points first .. first + count - 1 in order, straight
    // from the records (ReadPoints without the copy). "Index out of Bounds" outside the points.
    template <class Visit>
    void VisitPoints(int first, int count, Visit&& visit) const {
        const auto* records = static_cast<const TiPlotDataNull*>(FList);
        ForEachStored(first, count, [&](int slot, int) {
            const TiPlotDataNull& r = records[slot];
            visit(r.X, r.Y, (r.Extra & 2) != 0, (r.Extra & 1) != 0);
        });
    }

private:
    TiPlotDataNull& At(int index) const {
        return static_cast<TiPlotDataNull*>(FList)[StorageIndex(index)];
    }
    void SetBit(int index, std::uint16_t bit, bool value);
};

class TiPlotDataCompactList final : public TiPlotDataCustomList {
public:
    TiPlotDataCompactList() : TiPlotDataCustomList(sizeof(TiPlotDataSingle)) {}
    int Add(double x, double y, bool null, bool empty) override;
    void DeletePoints(int size) override;
    void GetXYEmptyNull(int index, double& x, double& y, bool& empty, bool& null) const override;
    void ReadPoints(int first, int count, TPointValues* out) const override;
    double GetX(int index) const override { return At(index).X; }
    double GetY(int index) const override { return At(index).Y; }
    void SetX(int index, double value) override { At(index).X = static_cast<float>(value); }
    void SetY(int index, double value) override { At(index).Y = static_cast<float>(value); }

private:
    TiPlotDataSingle& At(int index) const {
        return static_cast<TiPlotDataSingle*>(FList)[StorageIndex(index)];
    }
};

class TiPlotDataCompactIntervalList final : public TiPlotDataCustomList {
public:
    TiPlotDataCompactIntervalList() : TiPlotDataCustomList(sizeof(TiPlotDataCompactInterval)) {}
    int Add(double x, double y, bool null, bool empty) override;
    void Clear() override;
    // 0 <= size <= Count: deleting every point is allowed here.
    void DeletePoints(int size) override;
    void GetXYEmptyNull(int index, double& x, double& y, bool& empty, bool& null) const override;
    // First X + index x interval, for any index.
    double GetX(int index) const override { return index * Interval() + FFirstX; }
    double GetY(int index) const override { return At(index).Y; }
    // Only the first point's X can be set (it moves every point).
    void SetX(int index, double value) override;
    void SetY(int index, double value) override { At(index).Y = static_cast<float>(value); }

    // -1 until the second point (or a write) gives it.
    double Interval() const { return intervalKnown_ ? FInterval : -1.0; }
    void SetInterval(double value) {
        FInterval = value;
        intervalKnown_ = true;
    }
    bool IntervalKnown() const { return intervalKnown_; }
    double FirstX() const { return FFirstX; }

private:
    TiPlotDataCompactInterval& At(int index) const {
        return static_cast<TiPlotDataCompactInterval*>(FList)[StorageIndex(index)];
    }
    // A flag rather than the value -1, so that an interval of -1 is an interval like any other.
    double FInterval = -1.0;
    bool intervalKnown_ = false;
    double FFirstX = 0;
};

class TiPlotDataFullList final : public TiPlotDataCustomList {
public:
    TiPlotDataFullList() : TiPlotDataCustomList(sizeof(TiPlotDataFull)) {}
    int Add(double x, double y, bool null, bool empty) override;
    void DeletePoints(int size) override;
    void GetXYEmptyNull(int index, double& x, double& y, bool& empty, bool& null) const override;
    bool HasPointTraceStyles() const override { return true; }
    double GetX(int index) const override { return At(index).X; }
    double GetY(int index) const override { return At(index).Y; }
    bool GetEmpty(int index) const override { return At(index).Empty; }
    bool GetNull(int index) const override { return At(index).Null; }
    double GetHigh(int index) const override { return At(index).High; }
    double GetLow(int index) const override { return At(index).Low; }
    double GetOpen(int index) const override { return At(index).Open; }
    double GetClose(int index) const override { return At(index).Close; }
    void SetX(int index, double value) override { At(index).X = value; }
    void SetY(int index, double value) override { At(index).Y = value; }
    void SetEmpty(int index, bool value) override { At(index).Empty = value; }
    void SetNull(int index, bool value) override { At(index).Null = value; }
    void SetHigh(int index, double value) override { At(index).High = value; }
    void SetLow(int index, double value) override { At(index).Low = value; }
    void SetOpen(int index, double value) override { At(index).Open = value; }
    void SetClose(int index, double value) override { At(index).Close = value; }

#define DSP_DECLARE_FULL_STYLE(Name, Type)    \
    Type Get##Name(int index) const override; \
    void Set##Name(int index, Type value) override;
    DSP_PLOT_POINT_STYLES(DSP_DECLARE_FULL_STYLE)
#undef DSP_DECLARE_FULL_STYLE

private:
    TiPlotDataFull& At(int index) const {
        return static_cast<TiPlotDataFull*>(FList)[StorageIndex(index)];
    }
};

// A new, empty list of the style.
TiPlotDataCustomList* NewPlotDataList(TiPlotDataStyle style);

}  // namespace dsp
