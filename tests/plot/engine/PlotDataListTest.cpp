// Point lists: the four layouts against a plain model under random sequences of operations,
// and the growth, bounds, ring-buffer and interval rules.

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "framework/core/Exceptions.h"
#include "plot/engine/iPlotDataList.h"

namespace dsp {
namespace {

struct TPoint2 {
    double x;
    double y;
    bool null;
    bool empty;
};

// What a list holds, told plainly: the points oldest first, the capacity, ring mode, and where
// a wrapped ring has its oldest point (a ring resized while wrapped drops its points).
struct TModel {
    std::deque<TPoint2> points;
    int capacity = 0;
    bool ring = false;
    int tail = 0;

    static int Grown(int c) { return c + (c > 64 ? c / 4 : c > 8 ? 16 : 4); }
    void Straighten() { tail = 0; }
    void Add(TPoint2 p) {
        if (!ring || capacity == 0) {
            if (static_cast<int>(points.size()) == capacity) capacity = Grown(capacity);
            points.push_back(p);
        } else if (static_cast<int>(points.size()) < capacity) {
            points.push_back(p);
        } else {
            points.pop_front();
            points.push_back(p);
            tail = (tail + 1) % static_cast<int>(points.size());
        }
    }
    void SetCapacity(int value) {
        if (value == capacity) return;
        Straighten();
        while (static_cast<int>(points.size()) > value) points.pop_back();
        capacity = value;
    }
    void Delete(int size) {
        if (size == 0) return;
        Straighten();
        points.erase(points.begin(), points.begin() + size);
    }
    void Clear() {
        points.clear();
        tail = 0;
        if (!ring) capacity = 0;
    }
    void SetRing(int value) {
        if (value == 0) {
            if (!ring) return;
            ring = false;
            if (tail != 0) Clear();
            return;
        }
        ring = true;
        if (value == capacity) return;
        if (tail != 0) Clear();
        if (value > capacity) {
            SetCapacity(value);
            return;
        }
        if (value < static_cast<int>(points.size())) {
            Delete(static_cast<int>(points.size()) - value);
        }
        SetCapacity(value);
    }
};

struct TLayout {
    const char* name;
    TiPlotDataStyle style;
    bool keepsFlags;
    bool singlePrecision;
    bool storesX;
    bool deleteAllAllowed;
};

constexpr TLayout kLayouts[] = {
    {"standard", ipdsStandard, true, false, true, false},
    {"compact", ipdsCompact, false, true, true, false},
    {"compact interval", ipdsCompactInterval, false, true, false, true},
    {"full", ipdsFullFeature, true, false, true, false},
};

void ExpectSame(const TLayout& layout, const TiPlotDataCustomList& list, const TModel& model) {
    ASSERT_EQ(list.Count(), static_cast<int>(model.points.size()));
    EXPECT_EQ(list.Capacity(), model.capacity);
    EXPECT_EQ(list.RingBufferSize(), model.ring ? model.capacity : 0);
    for (int i = 0; i < list.Count(); ++i) {
        const TPoint2& p = model.points[static_cast<std::size_t>(i)];
        double x = 0;
        double y = 0;
        bool empty = false;
        bool null = false;
        list.GetXYEmptyNull(i, x, y, empty, null);
        const double wantY = layout.singlePrecision ? static_cast<float>(p.y) : p.y;
        ASSERT_EQ(y, wantY) << "point " << i;
        if (layout.storesX) {
            const double wantX = layout.singlePrecision ? static_cast<float>(p.x) : p.x;
            ASSERT_EQ(x, wantX) << "point " << i;
        }
        EXPECT_EQ(null, layout.keepsFlags && p.null);
        EXPECT_EQ(empty, layout.keepsFlags && p.empty);
    }
    // A block read from the middle to the end (across a wrapped ring's seam) gives the same.
    const int first = list.Count() / 3;
    std::vector<TiPlotDataCustomList::TPointValues> block(
        static_cast<std::size_t>(list.Count() - first));
    list.ReadPoints(first, list.Count() - first, block.data());
    for (int i = first; i < list.Count(); ++i) {
        const TiPlotDataCustomList::TPointValues& v = block[static_cast<std::size_t>(i - first)];
        EXPECT_EQ(v.X, list.GetX(i)) << "point " << i;
        EXPECT_EQ(v.Y, list.GetY(i)) << "point " << i;
        EXPECT_EQ(v.Null, list.GetNull(i)) << "point " << i;
        EXPECT_EQ(v.Empty, list.GetEmpty(i)) << "point " << i;
    }
    TiPlotDataCustomList::TPointValues one{};
    EXPECT_THROW(list.ReadPoints(list.Count(), 1, &one), Exception);
}

TEST(PlotDataListTest, EveryLayoutMatchesThePlainModelUnderRandomOperations) {
    for (const TLayout& layout : kLayouts) {
        for (unsigned seed = 1; seed <= 20; ++seed) {
            SCOPED_TRACE(std::string(layout.name) + " seed " + std::to_string(seed));
            std::mt19937 random(seed);
            std::unique_ptr<TiPlotDataCustomList> list(NewPlotDataList(layout.style));
            TModel model;
            auto pick = [&](int lo, int hi) {
                return std::uniform_int_distribution<int>(lo, hi)(random);
            };
            std::string log;
            for (int step = 0; step < 400; ++step) {
                const int op = pick(0, 99);
                if (op < 60) {
                    const TPoint2 p{pick(-1000, 1000) / 8.0, pick(-1000, 1000) / 3.0,
                                    pick(0, 9) == 0, pick(0, 9) == 1};
                    log += "A";
                    const int index = list->Add(p.x, p.y, p.null, p.empty);
                    model.Add(p);
                    EXPECT_EQ(index, static_cast<int>(model.points.size()) - 1);
                } else if (op < 75) {
                    const int count = static_cast<int>(model.points.size());
                    const int size = pick(-1, count + 1);
                    const bool valid =
                        size >= 0 && (layout.deleteAllAllowed ? size <= count : size < count);
                    log += " D" + std::to_string(size) + " ";
                    if (valid) {
                        list->DeletePoints(size);
                        model.Delete(size);
                    } else {
                        EXPECT_THROW(list->DeletePoints(size), Exception);
                    }
                } else if (op < 85) {
                    const int size = pick(0, 3) == 0 ? 0 : pick(1, 40);
                    log += " R" + std::to_string(size) + " ";
                    list->SetRingBufferSize(size);
                    model.SetRing(size);
                } else if (op < 93) {
                    const int capacity = pick(0, 60);
                    log += " C" + std::to_string(capacity) + " ";
                    list->SetCapacity(capacity);
                    model.SetCapacity(capacity);
                } else {
                    log += " X ";
                    list->Clear();
                    model.Clear();
                }
                SCOPED_TRACE(log);
                ExpectSame(layout, *list, model);
                if (HasFatalFailure()) return;
            }
        }
    }
}

TEST(PlotDataListTest, CapacityGrowsByTheListsOwnSteps) {
    TiPlotDataNullList list;
    std::vector<int> capacities{list.Capacity()};
    for (int i = 0; i < 95; ++i) {
        list.Add(i, i, false, false);
        if (list.Capacity() != capacities.back()) capacities.push_back(list.Capacity());
    }
    EXPECT_EQ(capacities, (std::vector<int>{0, 4, 8, 12, 28, 44, 60, 76, 95}));
    EXPECT_EQ(list.MemoryUsed(), 95 * 24);
}

struct SizeCase {
    const char* name;
    TiPlotDataStyle style;
    int size;
};

void PrintTo(const SizeCase& c, std::ostream* os) { *os << c.name; }

const SizeCase kSizeCases[] = {{"Standard", ipdsStandard, 24},
                               {"Compact", ipdsCompact, 8},
                               {"CompactInterval", ipdsCompactInterval, 4},
                               {"FullFeature", ipdsFullFeature, 144}};

class PlotDataListSize : public ::testing::TestWithParam<SizeCase> {};

TEST_P(PlotDataListSize, RecordSizeGivesTheLargestCapacity) {
    const SizeCase& c = GetParam();
    std::unique_ptr<TiPlotDataCustomList> list(NewPlotDataList(c.style));
    EXPECT_EQ(list->DataPointSize(), c.size);
    EXPECT_EQ(list->MaxDataPoints(), 2147483647 / c.size);
    try {
        list->SetCapacity(list->MaxDataPoints() + 1);
        ADD_FAILURE() << "capacity beyond the largest accepted";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Exceed Maximum List Size");
    }
    EXPECT_EQ(list->Capacity(), 0);
}

INSTANTIATE_TEST_SUITE_P(Layouts, PlotDataListSize, ::testing::ValuesIn(kSizeCases),
                         [](const ::testing::TestParamInfo<SizeCase>& row) {
                             return std::string(row.param.name);
                         });

struct DeleteCase {
    const char* name;
    TiPlotDataStyle style;
    int size;             // of three points
    const char* message;  // null: accepted
};

void PrintTo(const DeleteCase& c, std::ostream* os) { *os << c.name; }

const DeleteCase kDeleteCases[] = {
    {"StandardAll", ipdsStandard, 3, "Delete size out of Range"},
    {"CompactAll", ipdsCompact, 3, "Delete size out of Range"},
    {"FullAll", ipdsFullFeature, 3, "Delete Size Out Of Range"},
    {"IntervalAll", ipdsCompactInterval, 3, nullptr},
    {"IntervalOneMore", ipdsCompactInterval, 4, "Delete size out of Range"},
    {"StandardNegative", ipdsStandard, -1, "Delete size out of Range"},
    {"StandardNone", ipdsStandard, 0, nullptr},
    {"FullTwo", ipdsFullFeature, 2, nullptr},
};

class PlotDataListDelete : public ::testing::TestWithParam<DeleteCase> {};

TEST_P(PlotDataListDelete, DeletesTheOldestOrRaisesItsListsMessage) {
    const DeleteCase& c = GetParam();
    std::unique_ptr<TiPlotDataCustomList> list(NewPlotDataList(c.style));
    for (int i = 0; i < 3; ++i) list->Add(10 + i, i, false, false);
    if (c.message == nullptr) {
        list->DeletePoints(c.size);
        EXPECT_EQ(list->Count(), 3 - c.size);
        if (list->Count() > 0) {
            EXPECT_EQ(list->GetY(0), c.size);
        }
        return;
    }
    try {
        list->DeletePoints(c.size);
        ADD_FAILURE() << "accepted";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), c.message);
    }
    EXPECT_EQ(list->Count(), 3);
}

INSTANTIATE_TEST_SUITE_P(Bounds, PlotDataListDelete, ::testing::ValuesIn(kDeleteCases),
                         [](const ::testing::TestParamInfo<DeleteCase>& row) {
                             return std::string(row.param.name);
                         });

TEST(PlotDataListTest, IndexOutsideThePointsRaises) {
    TiPlotDataNullList list;
    list.Add(1, 2, false, false);
    for (int index : {-1, 1}) {
        try {
            list.GetY(index);
            ADD_FAILURE() << index;
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), "Index out of Bounds");
        }
    }
}

TEST(PlotDataListTest, FullRingOverwritesItsOldestPoint) {
    TiPlotDataNullList list;
    list.SetRingBufferSize(3);
    std::vector<int> indexes;
    for (int v = 1; v <= 4; ++v) indexes.push_back(list.Add(v, v, false, false));
    EXPECT_EQ(indexes, (std::vector<int>{0, 1, 2, 2}));
    EXPECT_EQ(list.GetY(0), 2);
    EXPECT_EQ(list.GetY(1), 3);
    EXPECT_EQ(list.GetY(2), 4);
    EXPECT_EQ(list.Capacity(), 3);

    TiPlotDataNullList plain;
    for (int v = 1; v <= 5; ++v) plain.Add(v, v, false, false);
    plain.SetRingBufferSize(2);
    ASSERT_EQ(plain.Count(), 2);
    EXPECT_EQ(plain.GetY(0), 4);
    EXPECT_EQ(plain.GetY(1), 5);
}

// A wrapped ring keeps its order when its capacity changes or points go: the oldest point is
// moved to the front first, so no index reaches past the array. Large rings (their array in
// pages of its own) keep their points the same way when they grow or shrink off the heap.
TEST(PlotDataListTest, WrappedRingIsStraightenedBeforeResizeAndDelete) {
    struct Case {
        int ring;
        int newCapacity;
    };
    for (const Case c : {Case{5, 2}, Case{5, 9}, Case{20'000, 30'000}, Case{20'000, 3'000},
                         Case{20'000, 15'000}, Case{3'000, 20'000}}) {
        SCOPED_TRACE(std::to_string(c.ring) + " -> " + std::to_string(c.newCapacity));
        TiPlotDataNullList list;
        list.SetRingBufferSize(c.ring);
        const int added = c.ring + 3;
        for (int v = 1; v <= added; ++v) list.Add(v, v, false, false);  // 4 .. added, wrapped
        ASSERT_TRUE(list.RingBufferWrapped());
        list.SetCapacity(c.newCapacity);
        EXPECT_FALSE(list.RingBufferWrapped());
        const int kept = std::min(c.newCapacity, c.ring);
        ASSERT_EQ(list.Count(), kept);
        for (int i = 0; i < kept; ++i) ASSERT_EQ(list.GetY(i), 4 + i) << i;
        list.Add(100, 100, false, false);
        EXPECT_EQ(list.GetY(list.Count() - 1), 100);
    }
    TiPlotDataNullList list;
    list.SetRingBufferSize(4);
    for (int v = 1; v <= 6; ++v) list.Add(v, v, false, false);  // 3 4 5 6, wrapped
    list.DeletePoints(1);
    ASSERT_EQ(list.Count(), 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(list.GetY(i), 4 + i);
}

TEST(PlotDataListTest, CompactIntervalListKeepsXFromTheFirstTwoPoints) {
    TiPlotDataCompactIntervalList list;
    EXPECT_EQ(list.Interval(), -1.0);
    const double xs[] = {10, 12.5, 99, -7, 1234};
    for (double x : xs) list.Add(x, x, false, false);
    EXPECT_EQ(list.Interval(), 2.5);
    EXPECT_EQ(list.GetX(4), 20);
    list.DeletePoints(2);
    EXPECT_EQ(list.GetX(0), 15);
    EXPECT_EQ(list.GetX(1), 17.5);
    EXPECT_EQ(list.GetX(2), 20);
    list.SetX(0, 100);
    EXPECT_EQ(list.GetX(2), 105);
    try {
        list.SetX(1, 0);
        ADD_FAILURE() << "second X set";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(),
                  "Data Style does not support setting individual X-Value with the exception of "
                  "the first X-Value");
    }
    list.Clear();
    EXPECT_EQ(list.Interval(), -1.0);

    // An interval of -1 is an interval like any other.
    list.Add(5, 0, false, false);
    list.Add(4, 0, false, false);
    list.Add(0, 0, false, false);
    EXPECT_EQ(list.GetX(2), 3);
    list.DeletePoints(1);
    EXPECT_EQ(list.GetX(0), 4);

    // A full ring moves its first X on.
    TiPlotDataCompactIntervalList ring;
    ring.SetRingBufferSize(2);
    for (int i = 0; i < 5; ++i) ring.Add(i * 2.0, i, false, false);
    EXPECT_EQ(ring.GetX(0), 6);
    EXPECT_EQ(ring.GetY(0), 3);
    EXPECT_EQ(ring.GetX(1), 8);
}

TEST(PlotDataListTest, CompactListRoundsToSingleAndKeepsNoFlags) {
    TiPlotDataCompactList list;
    list.Add(0.1, 1.0 / 3, true, true);
    EXPECT_EQ(list.GetX(0), static_cast<double>(0.1f));
    EXPECT_EQ(list.GetY(0), static_cast<double>(static_cast<float>(1.0 / 3)));
    EXPECT_FALSE(list.GetNull(0));
    EXPECT_FALSE(list.GetEmpty(0));
}

TEST(PlotDataListTest, StandardListPacksFlagsAndMarkerIntoOneWord) {
    TiPlotDataNullList list;
    list.SetStoredMarkerStyle(ipmsTriangleUp);
    list.SetStoredMarkerVisible(true);
    list.Add(1, 2, true, false);
    EXPECT_EQ(list.Record(0).Extra, 45);
    list.SetMarkerStyle(0, ipmsCharacter);
    list.SetNull(0, false);
    list.SetEmpty(0, true);
    EXPECT_EQ(list.GetMarkerStyle(0), ipmsCharacter);
    EXPECT_TRUE(list.GetMarkerVisible(0));
    EXPECT_TRUE(list.GetEmpty(0));
    EXPECT_FALSE(list.GetNull(0));
    // Styles the record does not carry come from the stored defaults.
    list.SetStoredMarkerSize(7);
    EXPECT_EQ(list.GetMarkerSize(0), 7);
}

TEST(PlotDataListTest, FullListCopiesTheStoredStylesIntoEachPoint) {
    TiPlotDataFullList list;
    list.SetStoredTraceLineColor(clBlue);
    list.SetStoredMarkerCharacter(u'x');
    list.Add(1, 2, false, true);
    list.SetStoredTraceLineColor(clRed);
    EXPECT_EQ(list.GetTraceLineColor(0), clBlue);
    EXPECT_EQ(list.GetMarkerCharacter(0), 0);
    EXPECT_TRUE(list.GetBarVisible(0));
    EXPECT_TRUE(list.GetEmpty(0));
    list.SetHigh(0, 9);
    EXPECT_EQ(list.GetHigh(0), 9);
}

}  // namespace
}  // namespace dsp
