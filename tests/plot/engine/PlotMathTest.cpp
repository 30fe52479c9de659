// Numeric helpers: the spline with secant end slopes, polynomial and rational interpolation,
// their refusals of degenerate data, and the integer line geometry of hit tests.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "framework/core/Exceptions.h"
#include "plot/engine/iMath.h"

namespace dsp {
namespace {

// One-based arrays: element 0 is ignored.
DoubleDynamicArray OneBased(std::initializer_list<double> values) {
    DoubleDynamicArray a{0};
    a.insert(a.end(), values);
    return a;
}

std::string MessageOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const Exception& e) {
        return e.Message();
    }
    return "(no exception)";
}

TEST(PlotMathTest, SplineTakesTheSecantsAsEndSlopes) {
    const DoubleDynamicArray x = OneBased({1, 2, 3});
    const DoubleDynamicArray y = OneBased({0, 1, 0});
    DoubleDynamicArray y2(4);
    // The end slopes passed in have no effect: a natural spline would give 0, -3, 0.
    Spline(x, y, 3, 1e30, 1e30, y2);
    EXPECT_DOUBLE_EQ(y2[1], 2);
    EXPECT_DOUBLE_EQ(y2[2], -4);
    EXPECT_DOUBLE_EQ(y2[3], 2);
    double value = 0;
    Splint(x, y, y2, 3, 2, value);
    EXPECT_DOUBLE_EQ(value, 1);
    Splint(x, y, y2, 3, 1.5, value);
    EXPECT_DOUBLE_EQ(value, 0.625);
    // Beyond the last point the end interval goes on.
    Splint(x, y, y2, 3, 4, value);
    EXPECT_TRUE(std::isfinite(value));
}

TEST(PlotMathTest, DegenerateDataRaiseEachRoutinesMessage) {
    const DoubleDynamicArray same = OneBased({2, 2});
    const DoubleDynamicArray y = OneBased({1, 5});
    DoubleDynamicArray y2 = OneBased({0, 0});
    double value = 0;
    double error = 0;
    EXPECT_EQ(MessageOf([&] { Splint(same, y, y2, 2, 2, value); }),
              "Splint Error - xa's must be distinct");
    EXPECT_EQ(MessageOf([&] { PolInt(same, y, 2, 3, value, error); }),
              "Polynomial Interpolation Error - Pause in Routine Data");
    // The rational function through (1, 1) and (2, 2) has its pole at 3.
    EXPECT_EQ(MessageOf([&] {
                  RatInt(OneBased({1, 2}), OneBased({1, 2}), 2, 3, value, error);
              }),
              "Rational Interpolation Error - Pause in Routine Data");
}

TEST(PlotMathTest, InterpolationReproducesItsData) {
    // Three points of y = x^2 - 2x + 3.
    const DoubleDynamicArray x = OneBased({-1, 1, 4});
    const DoubleDynamicArray y = OneBased({6, 2, 11});
    for (double at : {-3.0, 0.0, 2.5, 7.0}) {
        double value = 0;
        double error = 0;
        PolInt(x, y, 3, at, value, error);
        EXPECT_NEAR(value, at * at - 2 * at + 3, 1e-12) << "x = " << at;
    }
    double value = 0;
    double error = 1;
    RatInt(x, y, 3, 1, value, error);
    EXPECT_EQ(value, 2);
    EXPECT_EQ(error, 0);
    // y = 1 / (1 + x): a rational function is found exactly.
    RatInt(OneBased({0, 1, 3}), OneBased({1, 0.5, 0.25}), 3, 2, value, error);
    EXPECT_NEAR(value, 1.0 / 3, 1e-12);
}

TEST(PlotMathTest, LogAndPowerAgree) {
    EXPECT_NEAR(static_cast<double>(iLog10(1000.0L)), 3, 1e-15);
    EXPECT_NEAR(static_cast<double>(iPower(10.0L, iLog10(0.02L))), 0.02, 1e-15);
}

struct TSegmentCase {
    const char* name;
    TPoint a1, a2, b1, b2;
    bool meet;
};

TEST(PlotMathTest, SegmentsMeetOnlyWithinBothXRanges) {
    double m = 0;
    double b = 0;
    LineSlopeIntercept({2, 3}, {2, 9}, m, b);
    EXPECT_EQ(m, 1e30);
    // clang-format off
    const TSegmentCase cases[] = {
        {"crossing diagonals",       {0, 0}, {10, 10}, {0, 10}, {10, 0},  true},
        {"parallel",                 {0, 0}, {10, 10}, {0, 5},  {10, 15}, false},
        {"lines cross beyond ends",  {0, 0}, {2, 2},   {8, 0},  {10, -2}, false},
        {"vertical through level",   {5, -5}, {5, 5},  {0, 0},  {10, 0},  true},
        {"vertical beside level",    {15, -5}, {15, 5}, {0, 0}, {10, 0},  false},
        {"both vertical",            {1, 0}, {1, 9},   {1, 2},  {1, 5},   false},
    };
    // clang-format on
    for (const TSegmentCase& c : cases) {
        EXPECT_EQ(SegmentsIntersect(c.a1, c.a2, c.b1, c.b2), c.meet) << c.name;
    }
}

TEST(PlotMathTest, LineMeetsRectangleByEdgeOrEnd) {
    const TRect r{10, 10, 20, 20};
    EXPECT_TRUE(LineIntersectsRect({12, 12}, {18, 18}, r));  // wholly inside
    EXPECT_TRUE(LineIntersectsRect({0, 15}, {30, 16}, r));   // through two edges
    EXPECT_TRUE(LineIntersectsRect({20, 20}, {40, 40}, r));  // an end on the corner
    EXPECT_FALSE(LineIntersectsRect({0, 0}, {5, 30}, r));
    EXPECT_FALSE(LineIntersectsRect({25, 0}, {40, 30}, r));
}

}  // namespace
}  // namespace dsp
