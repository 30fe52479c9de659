#pragma once
// The fixture of the real-window journeys: one X display with a window manager per test
// program, the application under test started afresh for each test, and the steps a person
// takes (click a control, type, press keys, use the window manager) with waits on the
// application's log. Tests without Xvfb or openbox on the machine are skipped.
//
// A journey: StartApp, then steps, each followed by Sync() (everything given so far has been
// handled by the window manager and the application), then look at what was logged since a
// Mark() and at what the window manager shows.

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/realwindow/JourneyProcess.h"
#include "tests/realwindow/XSession.h"

namespace dsp::realwindow {

class TRealWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Starts the application (with its arguments) and waits until its main form, whose caption is
    // mainTitle, shows and the application is ready. Fails the test when it does not.
    void StartApp(const std::string& program, const std::vector<std::string>& args,
                  const std::string& mainTitle);

    TXSession& X() { return *session_; }
    TJourneyProcess& App() { return app_; }
    TWindowId MainWindow() const { return mainWindow_; }
    // The window of a watched form, found by the caption it logged; 0 while it does not show.
    TWindowId WindowOf(const std::string& form);

    // Waits until the window manager and the application have handled everything given so far.
    // Fails the test when the application does not answer (it ended, or hangs).
    void Sync();
    // The position in the log from which LogSince reads.
    std::size_t Mark() { return App().Lines().size(); }
    std::vector<std::string> LogSince(std::size_t mark) { return App().LinesSince(mark); }
    // Whether a line since the mark reads exactly line.
    bool Logged(std::size_t mark, const std::string& line);
    // Whether any line since the mark begins with prefix.
    bool LoggedStarting(std::size_t mark, const std::string& prefix);
    // Whether these lines were logged since the mark in this order (other lines may come
    // between them); the log since the mark when they were not.
    ::testing::AssertionResult LoggedInOrder(std::size_t mark,
                                             const std::vector<std::string>& lines);
    // One step of a journey: runs the action, waits until everything is handled, and expects
    // these lines in this order.
    void Step(const std::string& what, const std::function<void()>& action,
              const std::vector<std::string>& lines);
    // The last line logged that begins with prefix, empty when none did.
    std::string LastLine(const std::string& prefix);
    // The numbers after prefix on the last line that begins with it ("fmMain bounds" gives
    // left, top, width, height).
    std::vector<int> LastValues(const std::string& prefix);

    // Where a named control is on the screen now, as the application tells it; an empty
    // rectangle for a control that does not show.
    TScreenRect PlaceOf(const std::string& control);
    // Clicks a control, at its middle or at a point of it.
    void ClickControl(const std::string& control);
    void ClickControlAt(const std::string& control, int x, int y);
    // A point in a window's title bar, away from its buttons.
    void TitleBarPoint(TWindowId window, int& x, int& y);

private:
    static std::unique_ptr<TXSession> session_;
    static std::string skipReason_;
    TJourneyProcess app_;
    TWindowId mainWindow_ = 0;
    // Requests to the application so far (syncs and places), each with its own number.
    int requests_ = 0;
};

// The journey application with every standard control (StdControlsApp.cpp).
std::string StdControlsApp();
// The journey application with the panel widgets that take input (PanelsApp.cpp).
std::string PanelsApp();

}  // namespace dsp::realwindow
