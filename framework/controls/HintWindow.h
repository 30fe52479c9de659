#pragma once
// Hints. THintWindow is a small top-level window that shows a line of text near the mouse
// without taking the focus; widgets derive their own hint windows from it. The framework
// shows the hints of controls with ShowHint: when the mouse has rested HintPause milliseconds
// on such a control, the control hears CM_HINTSHOW with a THintInfo it may change (a non-zero
// result cancels the hint), and the hint shows below the mouse until HintHidePause passes, the
// mouse leaves the control or a button or key is pressed. The part of Hint before "|" is the
// short hint that shows.

#include <string>

#include "framework/controls/CustomControl.h"

namespace dsp {

class THintWindow : public TCustomControl {
public:
    explicit THintWindow(TComponent* owner);
    ~THintWindow() override;

    // Shows the window at rect (screen coordinates; kept on the desktop) with the text.
    virtual void ActivateHint(TRect rect, const std::string& hint);
    // The rectangle, at (0, 0), that the text needs when no line is wider than maxWidth.
    virtual TRect CalcHintRect(int maxWidth, const std::string& hint);
    // Hides the window and frees its native window.
    void ReleaseHandle();

protected:
    void Paint() override;
    bool IsTopLevelWindow() const override { return true; }
};

// What CM_HINTSHOW hands the control (in LParam) before its hint shows.
struct THintInfo {
    TControl* HintControl = nullptr;
    TPoint CursorPos;  // in the control's client coordinates
    TRect CursorRect;  // the area in which the mouse may move without hiding the hint
    TPoint HintPos;    // screen position of the hint window's top-left corner
    int HintMaxWidth = 0;
    TColor HintColor = clInfoBk;
    std::string HintStr;
    int HideTimeout = 0;  // milliseconds
};

// The part of a hint before "|", and the part after it (the whole hint without one).
std::string GetShortHint(const std::string& hint);
std::string GetLongHint(const std::string& hint);

// The application's hint settings and the hint showing now.
struct THintSettings {
    bool ShowHint = true;
    int HintPause = 500;
    int HintHidePause = 2500;
    TColor HintColor = clInfoBk;
};
THintSettings& ApplicationHints();
// The hint window showing now, or null.
THintWindow* ActiveHintWindow();
void CancelHint();

}  // namespace dsp
