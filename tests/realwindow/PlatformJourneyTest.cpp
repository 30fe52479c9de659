// The platform in a real window: what the offscreen tests cannot see because only a real
// display, a window manager and the toolkit's own grabs show it.

#include "tests/realwindow/RealWindowTest.h"

namespace dsp::realwindow {
namespace {

constexpr const char* kMain = "Journey Main";

// What a window asks the window manager for in its Motif hints.
constexpr long kMwmFunctionMinimize = 0x08;
constexpr long kMwmFunctionMaximize = 0x10;
constexpr long kMwmDecorationMinimize = 0x20;
constexpr long kMwmDecorationMaximize = 0x40;

class TPlatformJourney : public TRealWindowTest {};

// The combo's list takes the pointer with the press that opens it; the release that would end
// the press lands in the list. Afterwards the mouse must reach whatever it clicks.
TEST_F(TPlatformJourney, AClickAfterPickingAComboItemReachesTheClickedControl) {
    StartApp(StdControlsApp(), {}, kMain);
    std::size_t mark = Mark();
    ClickControl("cbChoice");
    Sync();
    ASSERT_TRUE(Logged(mark, "cbChoice OnDropDown"));
    const TWindowId list = X().TopPopup();
    ASSERT_NE(list, 0u) << "the list did not open";
    const TScreenRect r = X().ClientRect(list);
    // Four lines of one height inside a one-pixel frame: the third.
    const int row = (r.height - 2) / 4;
    mark = Mark();
    X().Click(r.x + r.width / 2, r.y + 1 + 2 * row + row / 2);
    Sync();
    EXPECT_TRUE(Logged(mark, "cbChoice OnSelect 2 Gamma"));
    EXPECT_TRUE(Logged(mark, "cbChoice OnCloseUp"));
    EXPECT_EQ(X().TopPopup(), 0u);

    for (const char* step : {"first click", "second click"}) {
        SCOPED_TRACE(step);
        mark = Mark();
        ClickControl("chkOption");
        Sync();
        EXPECT_TRUE(LoggedStarting(mark, "chkOption OnClick"));
        EXPECT_FALSE(Logged(mark, "cbChoice OnDropDown")) << "the combo still has the mouse";
    }
}

// A drag of the title bar, maximizing, minimizing and restoring: the window stays where the
// window manager put it, the form follows (bounds, WindowState), and nothing pushes it back.
TEST_F(TPlatformJourney, TheFormFollowsWhereTheWindowManagerPutsIt) {
    StartApp(StdControlsApp(), {}, kMain);
    const TWindowId main = MainWindow();
    const TScreenRect start = X().ClientRect(main);
    const std::vector<int> startBounds = LastValues("fmMain bounds");
    ASSERT_EQ(startBounds.size(), 4u);

    int x = 0;
    int y = 0;
    TitleBarPoint(main, x, y);
    X().Drag(x, y, x + 100, y + 50);
    Sync();
    const TScreenRect moved = X().ClientRect(main);
    EXPECT_EQ(moved, (TScreenRect{start.x + 100, start.y + 50, start.width, start.height}));
    const std::vector<int> movedBounds = LastValues("fmMain bounds");
    EXPECT_EQ(movedBounds, (std::vector<int>{startBounds[0] + 100, startBounds[1] + 50,
                                             startBounds[2], startBounds[3]}));
    Sync();
    EXPECT_EQ(X().ClientRect(main), moved) << "the window jumped after the drag";

    // The panel in the lower right corner keeps its distance to the corner.
    const TScreenRect corner = PlaceOf("pnlCorner");
    const int right = moved.x + moved.width - (corner.x + corner.width);
    const int below = moved.y + moved.height - (corner.y + corner.height);

    TitleBarPoint(main, x, y);
    X().DoubleClick(x, y);
    ASSERT_TRUE(X().WaitUntil(
        [&] { return X().HasAtom(main, "_NET_WM_STATE", "_NET_WM_STATE_MAXIMIZED_VERT"); }));
    Sync();
    const TScreenRect maximized = X().ClientRect(main);
    const TScreenRect frame = X().FrameRect(main);
    const TScreenRect screen = X().Screen();
    EXPECT_GE(frame.y, 0) << "the title bar is off the screen";
    EXPECT_EQ(frame.width, screen.width);
    EXPECT_GT(maximized.height, moved.height);
    EXPECT_EQ(LastValues("fmMain OnResize").at(0), maximized.width);
    const TScreenRect maximizedCorner = PlaceOf("pnlCorner");
    EXPECT_EQ(maximized.x + maximized.width - (maximizedCorner.x + maximizedCorner.width), right);
    EXPECT_EQ(maximized.y + maximized.height - (maximizedCorner.y + maximizedCorner.height), below);
    Sync();
    EXPECT_TRUE(X().HasAtom(main, "_NET_WM_STATE", "_NET_WM_STATE_MAXIMIZED_VERT"));
    EXPECT_EQ(X().ClientRect(main), maximized) << "the window did not stay maximized";

    TitleBarPoint(main, x, y);
    X().DoubleClick(x, y);
    ASSERT_TRUE(X().WaitUntil(
        [&] { return !X().HasAtom(main, "_NET_WM_STATE", "_NET_WM_STATE_MAXIMIZED_VERT"); }));
    Sync();
    EXPECT_EQ(X().ClientRect(main), moved) << "restoring did not bring back the old place";
    EXPECT_EQ(LastValues("fmMain bounds"), movedBounds);
    EXPECT_EQ(LastLine("fmMain state"), "fmMain state normal");

    X().RequestIconify(main);
    ASSERT_TRUE(X().WaitUntil([&] { return X().IsIconic(main); }));
    Sync();
    EXPECT_EQ(LastLine("fmMain state"), "fmMain state minimized");
    X().RequestActivate(main);
    ASSERT_TRUE(X().WaitUntil([&] { return !X().IsIconic(main); }));
    Sync();
    EXPECT_EQ(LastLine("fmMain state"), "fmMain state normal");
    EXPECT_EQ(X().ClientRect(main), moved);
    EXPECT_EQ(LastValues("fmMain bounds"), movedBounds);
}

// While a modal form shows, its window is the owner's transient with the modal state, so the
// window manager keeps it above the owner; a dialog asks for neither minimize nor maximize.
TEST_F(TPlatformJourney, AModalFormStaysAboveItsOwner) {
    StartApp(StdControlsApp(), {}, kMain);
    ClickControl("btnDialog");
    const TWindowId dialog = X().WaitForWindow("Journey Dialog");
    ASSERT_NE(dialog, 0u);
    Sync();
    EXPECT_EQ(X().TransientFor(dialog), MainWindow());
    EXPECT_TRUE(X().HasAtom(dialog, "_NET_WM_STATE", "_NET_WM_STATE_MODAL"));
    // The window asks for neither the functions nor the buttons (flags, functions, decorations).
    const std::vector<long> hints = X().Numbers(dialog, "_MOTIF_WM_HINTS");
    ASSERT_GE(hints.size(), 3u);
    EXPECT_EQ(hints[1] & (kMwmFunctionMinimize | kMwmFunctionMaximize), 0);
    EXPECT_EQ(hints[2] & (kMwmDecorationMinimize | kMwmDecorationMaximize), 0);

    int x = 0;
    int y = 0;
    TitleBarPoint(MainWindow(), x, y);
    X().Click(x, y);
    Sync();
    EXPECT_TRUE(X().IsAbove(dialog, MainWindow())) << "the owner came over its modal form";
    std::size_t mark = Mark();
    X().Type("ok");
    Sync();
    EXPECT_TRUE(Logged(mark, "edDialog OnChange ok"));
    mark = Mark();
    X().Key("Return");
    Sync();
    EXPECT_TRUE(Logged(mark, "fmDialog result 1"));
}

// The window manager's close on forms a modal form bars (the owner and another form shown at the
// time) does nothing; once the modal form has gone, the owner closes as before.
TEST_F(TPlatformJourney, AFormBarredByAModalFormTakesNoCloseRequest) {
    StartApp(StdControlsApp(), {"tools"}, kMain);
    const TWindowId tools = X().WaitForWindow("Journey Tools");
    ASSERT_NE(tools, 0u);
    ClickControl("btnDialog");
    ASSERT_NE(X().WaitForWindow("Journey Dialog"), 0u);
    Sync();
    std::size_t mark = Mark();
    X().RequestClose(MainWindow());
    X().RequestClose(tools);
    Sync();
    EXPECT_FALSE(LoggedStarting(mark, "fmMain OnClose"));
    EXPECT_FALSE(LoggedStarting(mark, "fmTools OnClose"));
    EXPECT_FALSE(LoggedStarting(mark, "fmDialog result"));
    EXPECT_NE(X().FindWindow("Journey Tools"), 0u);

    mark = Mark();
    X().Key("Escape");
    Sync();
    EXPECT_TRUE(Logged(mark, "fmDialog result 2"));
    mark = Mark();
    X().RequestClose(MainWindow());
    EXPECT_EQ(App().WaitForExit(), 0);
    EXPECT_TRUE(Logged(mark, "fmMain OnCloseQuery"));
    EXPECT_TRUE(Logged(mark, "exit"));
}

// A later start of a program that runs once per user hands its arguments over and ends without a
// window; the running instance's main form comes back from being minimized, or over the window
// that was above it, as the active window. The window manager must let it.
TEST_F(TPlatformJourney, ALaterStartRestoresAndRaisesTheRunningInstance) {
    StartApp(StdControlsApp(), {"single", "tools"}, kMain);
    const TWindowId main = MainWindow();
    const TWindowId tools = X().WaitForWindow("Journey Tools");
    ASSERT_NE(tools, 0u);
    auto startAgain = [&] {
        const std::size_t mark = Mark();
        TJourneyProcess later;
        std::string error;
        ASSERT_TRUE(later.Start(StdControlsApp(), {"single"}, X().DisplayName(),
                                X().RuntimeFolder(), error))
            << error;
        EXPECT_EQ(later.WaitForExit(), 0);
        EXPECT_EQ(later.Lines(), (std::vector<std::string>{"handed over", "exit"}));
        ASSERT_TRUE(App().WaitForLine("second instance single", mark));
        Sync();
    };

    const TScreenRect place = X().ClientRect(main);
    X().RequestIconify(main);
    ASSERT_TRUE(X().WaitUntil([&] { return X().IsIconic(main); }));
    Sync();
    startAgain();
    EXPECT_TRUE(X().WaitUntil([&] { return !X().IsIconic(main); })) << "still minimized";
    EXPECT_TRUE(X().WaitUntil([&] { return X().ActiveWindow() == main; })) << "not active";
    EXPECT_EQ(X().ClientRect(main), place);

    X().RequestActivate(tools);
    ASSERT_TRUE(X().WaitUntil([&] { return X().ActiveWindow() == tools; }));
    Sync();
    ASSERT_TRUE(X().IsAbove(tools, main));
    startAgain();
    EXPECT_TRUE(X().WaitUntil([&] { return X().ActiveWindow() == main; })) << "not active";
    EXPECT_TRUE(X().IsAbove(main, tools)) << "not raised";
}

// A character beyond the basic plane comes as two halves; the memo and the edit both join them.
TEST_F(TPlatformJourney, TextBeyondTheBasicPlaneSurvivesTyping) {
    StartApp(StdControlsApp(), {}, kMain);
    for (const std::string name : {"mmNotes", "edName"}) {
        SCOPED_TRACE(name);
        ClickControl(name);
        Sync();
        X().Type("a\U0001F600b");
        Sync();
        EXPECT_EQ(LastLine(name + " OnChange"), name + " OnChange a\U0001F600b");
    }
}

}  // namespace
}  // namespace dsp::realwindow
