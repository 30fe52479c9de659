#include <gtest/gtest.h>

#include "framework/desktop/Screen.h"

namespace dsp {
namespace {

TEST(TwoMonitors, ScreenSizeIsThePrimaryMonitorsAndTheDesktopHoldsBoth) {
    ASSERT_EQ(Screen->MonitorCount(), 2);
    EXPECT_EQ(Screen->Width(), 1024);
    EXPECT_EQ(Screen->Height(), 768);
    EXPECT_TRUE(Screen->Monitors(0)->Primary());
    EXPECT_FALSE(Screen->Monitors(1)->Primary());
    EXPECT_EQ(Screen->Monitors(1)->BoundsRect(), Rect(1024, 0, 1824, 600));
    EXPECT_EQ(Screen->DesktopRect(), Rect(0, 0, 1824, 768));
}

TEST(TwoMonitors, PointsFindTheirMonitorOrTheNearestOne) {
    struct Case {
        TPoint point;
        int monitor;
    };
    const Case cases[] = {
        {{0, 0}, 0},      {{1023, 767}, 0}, {{1024, 0}, 1},
        {{1500, 599}, 1}, {{1500, 700}, 1},  // below the right monitor, inside neither
        {{1010, 760}, 0},                    // beside the left monitor's corner
        {{-300, 300}, 0}, {{5000, -10}, 1},
    };
    for (const Case& c : cases) {
        const TMonitor* m = Screen->MonitorFromPoint(c.point);
        ASSERT_NE(m, nullptr);
        EXPECT_EQ(m->MonitorNum(), c.monitor) << c.point.X << "," << c.point.Y;
    }
    EXPECT_EQ(Screen->MonitorFromPoint({1500, 700}, mdNull), nullptr);
    EXPECT_EQ(Screen->MonitorFromPoint({1500, 700}, mdPrimary), Screen->Monitors(0));
}

TEST(TwoMonitors, ARectangleBelongsToTheMonitorHoldingMostOfIt) {
    EXPECT_EQ(Screen->MonitorFromRect(Rect(1000, 100, 1100, 200))->MonitorNum(), 1);
    EXPECT_EQ(Screen->MonitorFromRect(Rect(900, 100, 1050, 200))->MonitorNum(), 0);
    EXPECT_EQ(Screen->MonitorFromRect(Rect(1100, 650, 1200, 700))->MonitorNum(), 1);
    EXPECT_EQ(Screen->MonitorFromRect(Rect(1100, 650, 1200, 700), mdNull), nullptr);
}

}  // namespace
}  // namespace dsp
