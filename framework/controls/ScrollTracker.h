#pragma once
// The mouse on a scroll bar that a control draws itself: arrow buttons and the track step
// while the button is held (first after 400 ms, then every 50 ms on the clock in force), the
// thumb follows the mouse. The control says where its bar is and what it shows, and is told
// each new position.

#include <functional>
#include <memory>

#include "framework/controls/ClassicDraw.h"
#include "framework/controls/ControlMessages.h"

namespace dsp {

class TTimer;

class TScrollTracker {
public:
    // What the bar shows now, and where it lies (client coordinates).
    using TStateSource = std::function<TScrollBarState()>;
    using TBarRect = std::function<TRect()>;
    // Sets a new position (the control limits it) and repaints.
    using TScrollTo = std::function<void(int position)>;

    TScrollTracker(bool vertical, TBarRect bar, TStateSource state, TScrollTo scrollTo);
    ~TScrollTracker();
    TScrollTracker(const TScrollTracker&) = delete;
    TScrollTracker& operator=(const TScrollTracker&) = delete;

    bool Vertical() const { return vertical_; }
    // Steps of an arrow and of the track (a page: 0 means the bar's page).
    void SetSteps(int line, int page) {
        line_ = line;
        page_ = page;
    }

    // A press at p: true when it was on the bar (the tracker then holds it until MouseUp).
    bool MouseDown(TPoint p);
    void MouseMove(TPoint p);
    void MouseUp();
    bool Tracking() const { return part_ != TScrollPart::None; }
    // The messages that follow a press on the bar: the mouse moving while the bar holds it
    // (WM_MOUSEMOVE), and the release or the capture lost (WM_LBUTTONUP, WM_CAPTURECHANGED),
    // which let it go. True when the bar held the mouse; the control then repaints the bar.
    bool TrackMessage(const TMessage& message);
    // The part held down and shown pressed.
    TScrollPart Pressed() const { return over_ ? part_ : TScrollPart::None; }

    // Draws the bar where it lies, as it shows now; nothing when it has no room.
    void Paint(TCanvas& canvas, bool enabled) const;

private:
    void Step();

    bool vertical_;
    TBarRect bar_;
    TStateSource state_;
    TScrollTo scrollTo_;
    int line_ = 1;
    int page_ = 0;
    TScrollPart part_ = TScrollPart::None;
    bool over_ = false;
    TPoint last_;
    int grabOffset_ = 0;  // where in the thumb the mouse took it
    std::unique_ptr<TTimer> timer_;
};

}  // namespace dsp
