#pragma once
// A private X display for tests that need real windows: a virtual X server (Xvfb, on its local
// socket only) with the openbox window manager, input through the XTest extension as a person
// gives it, and what the window manager says about the windows. Nothing here sleeps: every wait
// ends on an event of the X server (or the server's readiness), with a limit that ends a failing
// test instead of hanging it.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace dsp::realwindow {

// An X window; 0 is none.
using TWindowId = std::uint64_t;

// A rectangle in screen coordinates.
struct TScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const TScreenRect&) const = default;
};

// What the window manager adds around a client window: its border and title bar.
struct TFrameExtents {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
};

// How long a wait may take before the test fails.
inline constexpr std::chrono::milliseconds kWaitLimit{10000};

class TXSession {
public:
    // Starts the server and the window manager; null with the reason in whyNot when this
    // machine has no Xvfb or openbox, or they do not start.
    static std::unique_ptr<TXSession> Start(std::string& whyNot);
    ~TXSession();
    TXSession(const TXSession&) = delete;
    TXSession& operator=(const TXSession&) = delete;

    // The display name for DISPLAY (":N").
    const std::string& DisplayName() const;
    // A folder of the session's own for the programs' run-time files (XDG_RUNTIME_DIR).
    std::string RuntimeFolder() const;
    TScreenRect Screen() const;

    // ---- the windows the window manager shows
    // The managed top-level window with this title, 0 when there is none.
    TWindowId FindWindow(const std::string& title);
    // The same, waiting until the window manager shows it; 0 when it does not within the limit.
    TWindowId WaitForWindow(const std::string& title, std::chrono::milliseconds limit = kWaitLimit);
    // The client area in screen coordinates (what the program draws, without the decoration).
    TScreenRect ClientRect(TWindowId window);
    TFrameExtents FrameExtents(TWindowId window);
    // The whole window with the decoration.
    TScreenRect FrameRect(TWindowId window);
    // The atoms a property of the window lists (_NET_WM_STATE, _NET_WM_ALLOWED_ACTIONS), by name.
    std::vector<std::string> Atoms(TWindowId window, const std::string& property);
    bool HasAtom(TWindowId window, const std::string& property, const std::string& atom);
    // A property of 32-bit numbers of any type (_MOTIF_WM_HINTS, _NET_FRAME_EXTENTS).
    std::vector<long> Numbers(TWindowId window, const std::string& property);
    // The window this one is transient for, 0 for none.
    TWindowId TransientFor(TWindowId window);
    // The managed windows from the bottom of the stack to the top.
    std::vector<TWindowId> Stacking();
    // Whether upper stands above lower.
    bool IsAbove(TWindowId upper, TWindowId lower);
    TWindowId ActiveWindow();
    bool IsIconic(TWindowId window);
    // The top-most window on the screen that the window manager leaves alone (a popup), 0 for
    // none.
    TWindowId TopPopup();
    std::string Title(TWindowId window);
    // Checks the condition again after each event of the server until it holds; false when it
    // still does not hold after the limit.
    bool WaitUntil(const std::function<bool()>& condition,
                   std::chrono::milliseconds limit = kWaitLimit);

    // ---- requests to the window manager, as a task bar or pager makes them
    void RequestClose(TWindowId window);
    void RequestIconify(TWindowId window);
    void RequestActivate(TWindowId window);
    // Returns once the window manager has handled everything asked of it before (and so has
    // sent the programs what it sends them for that); false when it does not answer.
    bool SyncWindowManager();
    // A client message of the named type with one value, to the program that owns the window.
    void SendMessage(TWindowId window, const std::string& type, long value);

    // ---- input, as a person gives it
    void MoveMouse(int x, int y);
    void Press(int button = 1);
    void Release(int button = 1);
    void Click(int x, int y, int button = 1);
    void DoubleClick(int x, int y);
    // Presses at the first point, moves in steps to the second and releases there.
    void Drag(int fromX, int fromY, int toX, int toY);
    // A key with its modifiers: "Tab", "shift+Tab", "ctrl+d", "alt+Down", "Escape", "F4".
    void Key(const std::string& chord);
    // Types the text; a character that no key gives gets a spare key for the moment.
    void Type(const std::string& utf8);

private:
    struct TImpl;
    explicit TXSession(std::unique_ptr<TImpl> impl);
    std::unique_ptr<TImpl> impl_;
};

}  // namespace dsp::realwindow
