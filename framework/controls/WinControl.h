#pragma once
// TWinControl: a control with a window of its own. Its handle is an HWND of the runtime, so
// messages posted or sent to it from any thread reach its window procedure on the UI thread.
// The handle is made when it is first asked for (Handle, HandleNeeded) or when the control
// starts showing on a shown form, parents before children; CreateWnd runs at that moment,
// and a derived class that overrides it calls the base first, after which its Handle is
// valid. A native window of the host toolkit (for input, focus and to show its pixels) is
// made only once the control shows; hidden controls cost neither a native window nor pixels.
//
// The paint cycle is the framework's own: when a part of the window is marked invalid, the
// next paint sends WM_ERASEBKGND (unless the mark came without erasing; the default fills the
// client area with Color) and WM_PAINT (the control's painting, then its windowless children
// that meet the area) with a canvas on the window's own pixels, clipped to the marked area.
// WM_PRINTCLIENT paints the client area into a canvas that the sender hands over, so that a
// transparent child can have its parent paint its background into the child's own pixels.
// The pixels are made at the first paint and dropped while the control does not show.
//
// Children are kept in z-order, the windowless ones under the windowed ones; Controls lists
// the windowless ones first, each group from bottom to top.

#include <memory>
#include <vector>

#include "framework/controls/Control.h"
#include "framework/core/FrameworkKey.h"
#include "framework/graphics/Brush.h"

namespace dsp {

class TCanvas;
class TDockTree;
struct TWindowImpl;  // the window behind a control: framework-internal (WindowImpl.h)

class TWinControl : public TControl {
    DSP_PUBLISHED(TWinControl, TControl) {
        using P = Published<TWinControl>;
        return {
            P::Property("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder),
            P::Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(false),
            P::Property("DoubleBuffered", &TWinControl::DoubleBuffered,
                        &TWinControl::SetDoubleBuffered)
                .Default(false),
        };
    }

public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    // ---- children
    int ControlCount() const;
    TControl* Controls(int index) const;
    // The windowed children only, in z-order from bottom to top.
    const std::vector<TWinControl*>& WinControls() const { return winControls_; }
    // True for the control itself and everything below it.
    bool ContainsControl(const TControl* control) const;
    // The child at a point of the client area (topmost first): enabled windowless children,
    // and with allowWinControls windowed ones too; disabled ones only with allowDisabled.
    // A child answering CM_HITTEST with 0 is passed over.
    TControl* ControlAtPos(TPoint pos, bool allowDisabled, bool allowWinControls = false) const;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    // Hands the message to each child in Controls order until one gives a non-zero result.
    void Broadcast(TMessage& message);
    // Broadcasts a message without parameters.
    void NotifyControls(unsigned msg);

    // ---- the window
    HWND Handle();
    bool HandleAllocated() const;
    void HandleNeeded();
    // Destroys the window (children first) and, when the control shows, makes it again.
    void RecreateWnd();
    bool Showing() const override;
    // The size of the window's own client area (its pixels, scroll bars included): the whole
    // control, or what a form's frame leaves of it.
    virtual TSize WindowClientSize() const { return {Width(), Height()}; }

    // ---- painting
    void Invalidate() override;
    void Update() override;
    void Repaint() override;
    // Marks a part of the client area (all of it for null) for painting.
    void InvalidateRect(const TRect* rect, bool erase);
    // Paints the windowless children from first (all for null) upwards where they meet the
    // canvas's clip.
    void PaintControls(TCanvas& canvas, TControl* first);
    // Paints the control with its children, as it shows, into a canvas with its top-left
    // corner at (x, y): erase, paint, windowless children, then the windowed children that
    // are visible. Works for controls that do not show too.
    void PaintTo(TCanvas& canvas, int x, int y);
    // The brush the default erase fills with; its colour follows Color.
    TBrush* Brush() const { return brush_.get(); }
    bool DoubleBuffered() const { return doubleBuffered_; }
    void SetDoubleBuffered(bool value) { doubleBuffered_ = value; }

    // ---- focus and tab order
    bool Focused() const;
    // Whether the control can take the focus: it and its parents are visible and enabled.
    virtual bool CanFocus() const;
    virtual void SetFocus();
    int TabOrder() const;
    void SetTabOrder(int value);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool value);
    // The windowed controls below this one in tab order, depth first.
    void GetTabOrderList(std::vector<TWinControl*>& list) const;
    // The next control after current in tab order (the first for null) that can take the
    // focus; with checkTabStop only tab stops; with checkParent only children of this one.
    TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                 bool checkParent) const;
    void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);

    // ---- alignment
    void DisableAlign();
    void EnableAlign();
    bool AlignDisabled() const { return alignLevel_ != 0; }
    // Aligns the children in the client area now.
    void Realign();

    void SetBounds(int left, int top, int width, int height) override;

    // ---- docking (Docking.h; Docking.cpp)
    bool DockSite() const { return dockSite_; }
    void SetDockSite(bool value);
    bool UseDockManager() const { return useDockManager_; }
    void SetUseDockManager(bool value);
    // The manager of a dock site that uses one, or null.
    TDockTree* DockManager() const { return dockManager_.get(); }
    int DockClientCount() const { return static_cast<int>(dockClients_.size()); }
    TControl* DockClients(int index) const;

    // ---- events
    TDockDropEvent OnDockDrop;
    TUnDockEvent OnUnDock;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

    // The window behind the control.
    TWindowImpl& Window(TFrameworkKey) const { return *window_; }

protected:
    void Dispatch(TMessage& message) override;
    void WndProc(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;

    // Makes the window; a derived class calls the base first.
    virtual void CreateWnd();
    // Frees the window; a derived class calls the base last.
    virtual void DestroyWnd();
    void CreateHandle();
    void DestroyHandle();

    // The client area in which children are aligned; the default leaves it as it is.
    virtual void AdjustClientRect(TRect& rect);
    // Places the aligned children inside rect; control is the one that asked (it goes
    // first among equals), or null.
    virtual void AlignControls(TControl* control, TRect& rect);
    void AlignControl(TControl* control);
    // Paints the client area on the canvas: the default paints nothing; a custom control
    // calls Paint.
    virtual void PaintWindow(TCanvas& canvas);
    // WM_PAINT and WM_PRINTCLIENT: PaintWindow with opaque windowless children clipped out,
    // then the windowless children that meet the clip.
    void PaintHandler(TCanvas& canvas);
    // Whether a change of size marks the whole window for painting; otherwise only what the
    // window gains.
    virtual bool RedrawOnResize() const { return true; }

    virtual void KeyDown(TKeyCode& key, TShiftState shift);
    virtual void KeyUp(TKeyCode& key, TShiftState shift);
    virtual void KeyPress(char16_t& key);
    virtual void DoEnter();
    virtual void DoExit();

    // Makes the dock manager when DockSite and UseDockManager are set: a TDockTree unless a
    // class has its own.
    virtual std::unique_ptr<TDockTree> CreateDockManager();
    // A control arrives: placed (by the manager, or by its DropAlign), then OnDockDrop.
    virtual void DockDrop(TDragDockObject& source, int x, int y);
    // A docked control is leaving for newTarget (null when it floats): OnUnDock may refuse.
    virtual bool DoUnDock(TWinControl* newTarget, TControl* client);

    // Takes the focus away from this control (and its children) in its form; with removing,
    // the control is leaving the form.
    void RemoveFocus(bool removing);

    // Makes the window show or not as Visible and the parents say, children first.
    void UpdateShowing();
    void UpdateControlState();
    // True for a window without a parent that shows on its own (a form).
    virtual bool IsTopLevelWindow() const { return false; }
    void Loaded() override;

private:
    friend class TControl;
    friend struct TWindowImpl;
    // Paints the windowless control first and those above it over the pixels at once.
    void PaintControlsNow(TControl* first);
    void SetChildZOrder(TControl* control, bool top);
    void DestroyHostTree();
    void DoWindowPosChanged(TMessage& message);
    // Key and focus messages; false for other messages.
    bool DispatchKeyboard(TMessage& message);
    LRESULT PerformMessageResult(TMessage message);
    // The key events, with the form first when it previews keys; true when the key was
    // consumed (set to 0).
    bool DoKeyDown(TMessage& message);
    bool DoKeyUp(TMessage& message);
    bool DoKeyPress(TMessage& message);
    void DoEraseBackground(TMessage& message);
    void UpdateDockManager();
    void ForgetDockClient(TControl* control);

    std::vector<TControl*> controls_;        // windowless children, z-order bottom to top
    std::vector<TWinControl*> winControls_;  // windowed children, z-order bottom to top
    std::vector<TWinControl*> tabList_;      // windowed children in tab order
    std::unique_ptr<TWindowImpl> window_;
    std::unique_ptr<TBrush> brush_;
    std::unique_ptr<TDockTree> dockManager_;
    std::vector<TControl*> dockClients_;
    bool dockSite_ = false;
    bool useDockManager_ = false;
    int alignLevel_ = 0;
    bool tabStop_ = false;
    bool doubleBuffered_ = false;
};

// The control whose window has this handle, or null.
TWinControl* FindControl(HWND handle);

}  // namespace dsp
