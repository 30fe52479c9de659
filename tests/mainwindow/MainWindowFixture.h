#pragma once
// A main window as the program makes it, for the tests: made and created (FormCreate) under a
// manual clock, so that no timer of the window fires unless the test moves the clock; fmMain
// points at it while it lives. The window is a TTestMainWindow, which lets the tests reach the
// window's state and records the language keys it asks for and the hooks it calls.

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "framework/graphics/Geometry.h"
#include "framework/runtime/ManualClock.h"
#include "mainwindow/FMain.h"

namespace dsp {
class TBitmap;
class TControl;
}  // namespace dsp

namespace dsp::test {

class TTestMainWindow : public TfmMain {
public:
    using TfmMain::TfmMain;

    // Every key asked of the text tables since the last Clear.
    mutable std::set<std::string> keys;
    // The hooks of the editing Parts the image display calls, each with the applying flag as it
    // stood ("ClearBandSelection 0", "MarkCurveDirty 4 1").
    std::vector<std::string> hooks;

    std::string GetText(const std::string& key) const override;
    void ClearBandSelection() override;
    void MarkCurveDirty(int ch) override;

    void SetPresetNumber(int number) { FPresetNumber = number; }
    void SetCompChannel(int channel) { FCompChannel = channel; }
    void SetGateChannel(int channel) { FGateChannel = channel; }
    void SetSessionOpen(bool open) { FSessionOpen = open; }
};

class TMainWindowFixture {
public:
    TMainWindowFixture();
    ~TMainWindowFixture();

    TTestMainWindow& Window() { return *window_; }
    TManualClock& Clock() { return clock_; }

    // The window's client area painted now.
    std::unique_ptr<TBitmap> Render();
    // A control's bounds in the window's client area.
    TRect PlaceOf(const TControl& control) const;
    // Shows a page as its button does when clicked: the button goes down, then its click.
    void OpenPage(int page);

    // Saves a picture as a PNG file in the folder the tests keep for people to look at
    // (build/artifacts/mainwindow), and returns its path.
    static std::string KeepPicture(const TBitmap& picture, const std::string& name);

private:
    TManualClock clock_;
    TTestMainWindow* window_ = nullptr;
};

}  // namespace dsp::test
