// The splash screen on a real display with a window manager and no compositing manager: the
// window takes the shaped step of the ladder, is on the screen before the main form's work goes
// on, stays above the main window, never takes the activation (shown or clicked), and goes when
// clicked twice.

#include <cstdlib>

#include "tests/realwindow/RealWindowTest.h"

namespace dsp::realwindow {
namespace {

constexpr const char* kMain = "Splash Main";
constexpr const char* kSplash = "Splash Window";

class TSplashJourney : public TRealWindowTest {};

TEST_F(TSplashJourney, TheSplashStaysAboveWithoutTakingTheActivationUntilClicked) {
    StartApp(DSP_SPLASH_APP, {}, kMain);
    EXPECT_TRUE(Logged(0, "splash mode shaped exposed 1"));
    const TWindowId splash = X().WaitForWindow(kSplash);
    ASSERT_NE(splash, 0u);
    Sync();
    const TScreenRect r = X().ClientRect(splash);
    EXPECT_EQ(r.width, 622);
    EXPECT_EQ(r.height, 352);
    const TScreenRect screen = X().Screen();
    EXPECT_NEAR(r.x + r.width / 2, screen.width / 2, 2) << "centred on the screen";
    EXPECT_NEAR(r.y + r.height / 2, screen.height / 2, 2);
    EXPECT_TRUE(X().HasAtom(splash, "_NET_WM_STATE", "_NET_WM_STATE_ABOVE"));
    EXPECT_TRUE(X().IsAbove(splash, MainWindow()));
    EXPECT_EQ(X().ActiveWindow(), MainWindow());

    std::size_t mark = Mark();
    X().Click(r.x + 300, r.y + 100);
    Sync();
    EXPECT_TRUE(Logged(mark, "splash OnClick"));
    EXPECT_FALSE(Logged(mark, "fmMain OnDeactivate")) << "the click activated the splash";
    EXPECT_EQ(X().ActiveWindow(), MainWindow());
    EXPECT_TRUE(X().IsAbove(splash, MainWindow()));

    // Far from the first, so that it is no double click.
    mark = Mark();
    X().Click(r.x + 100, r.y + 250);
    Sync();
    EXPECT_TRUE(LoggedInOrder(mark, {"splash OnClick", "splash OnClose"}));
    EXPECT_TRUE(X().WaitUntil([&] { return X().FindWindow(kSplash) == 0; }));
    EXPECT_EQ(X().ActiveWindow(), MainWindow());
}

}  // namespace
}  // namespace dsp::realwindow
