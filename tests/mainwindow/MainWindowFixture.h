#pragma once
// A main window as the program makes it, for the tests: made and created (FormCreate) under a
// manual clock, so that no timer of the window fires unless the test moves the clock; fmMain
// points at it while it lives.

#include <memory>
#include <string>

#include "framework/runtime/ManualClock.h"
#include "mainwindow/FMain.h"

namespace dsp::test {

class TMainWindowFixture {
public:
    TMainWindowFixture();
    ~TMainWindowFixture();

    TfmMain& Window() { return *window_; }
    TManualClock& Clock() { return clock_; }

    // The window's client area painted now.
    std::unique_ptr<TBitmap> Render();
    // Saves a picture as a PNG file in the folder the tests keep for people to look at
    // (build/artifacts/mainwindow), and returns its path.
    static std::string KeepPicture(const TBitmap& picture, const std::string& name);

private:
    TManualClock clock_;
    TfmMain* window_ = nullptr;
};

}  // namespace dsp::test
