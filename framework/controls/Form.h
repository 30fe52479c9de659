#pragma once
// TCustomForm and TForm: top-level windows. A form is created hidden; Show makes it visible
// (on a visible form it only brings it to the front), ShowModal runs a nested event loop until
// ModalResult is set (timers, posted work and messages to windows keep running in it; every
// other form shown at the time takes no input, a form shown later does), Close asks
// OnCloseQuery and OnClose what to do. Width and Height are the outer size, frame included;
// ClientWidth and ClientHeight the inside.
//
// Focus: each form remembers its ActiveControl. Focus moving from one control to another in
// the same form sends CM_EXIT to the controls it leaves (innermost first, OnExit) and CM_ENTER
// to those it enters (outermost first, OnEnter); focus moving to another form sends them
// nothing (OnDeactivate and OnActivate run instead).
//
// OnCreate runs from AfterConstruction, once the constructors have all finished; CreateForm
// calls it.

#include <functional>
#include <memory>
#include <vector>

#include "framework/controls/ControlTypes.h"
#include "framework/controls/ScrollingWinControl.h"
#include "framework/controls/WinControl.h"
#include "framework/graphics/Bitmap.h"

namespace dsp {

class TApplication;

enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
DSP_ENUM_NAMES(TBorderIcon, "biSystemMenu", "biMinimize", "biMaximize", "biHelp")
using TBorderIcons = Set<TBorderIcon>;

enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter,
};
DSP_ENUM_NAMES(TPosition, "poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly",
               "poScreenCenter", "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter")

enum TWindowState { wsNormal, wsMinimized, wsMaximized };
DSP_ENUM_NAMES(TWindowState, "wsNormal", "wsMinimized", "wsMaximized")

enum TCloseAction { caNone, caHide, caFree, caMinimize };

enum TFormStateItem { fsCreating, fsVisible, fsShowing, fsModal, fsActivated };
using TFormState = Set<TFormStateItem>;

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;
using TShortCutEvent = std::function<void(TKeyCode key, TShiftState shift, bool& handled)>;
// A handler of shortcut keys added to a form (its menus): true when it took the key.
using TShortCutHandler = std::function<bool(TKeyCode key, TShiftState shift)>;

class TCustomForm : public TScrollingWinControl {
    DSP_PUBLISHED(TCustomForm, TScrollingWinControl) {
        using P = Published<TCustomForm>;
        return {
            P::Property("Visible", &TCustomForm::Visible, &TCustomForm::SetVisible).Default(false),
            P::Property("BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle)
                .Default(bsSizeable),
            P::Property("BorderIcons", &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons)
                .Default(TBorderIcons{biSystemMenu, biMinimize, biMaximize}),
            P::Property("Position", &TCustomForm::Position, &TCustomForm::SetPosition)
                .Default(poDefaultPosOnly),
            P::Property("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview)
                .Default(false),
            P::Property("WindowState", &TCustomForm::WindowState, &TCustomForm::SetWindowState)
                .Default(wsNormal),
            P::Property("ClientWidth", &TCustomForm::ClientWidth, &TCustomForm::SetClientWidth)
                .Stored(false),
            P::Property("ClientHeight", &TCustomForm::ClientHeight, &TCustomForm::SetClientHeight)
                .Stored(false),
        };
    }

public:
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;

    // Runs once the constructors have finished: makes the window and raises OnCreate.
    virtual void AfterConstruction();

    // ---- showing
    void Show();
    void Hide();
    // Shows the form modal and returns its ModalResult. EInvalidOperation for a visible or
    // disabled form, or one that is modal already.
    TModalResult ShowModal();
    // Modal: ends the modal loop with mrCancel. Otherwise asks OnCloseQuery and OnClose and
    // acts on the answer: hide, minimize, free (later, as Release) or nothing; closing the main
    // form ends the application.
    void Close();
    // OnCloseQuery's answer (true when it is not set).
    virtual bool CloseQuery();
    // Frees the form once the message being handled is done.
    void Release();

    TModalResult ModalResult() const { return modalResult_; }
    // Ends a modal loop when set to anything but mrNone; a form that is not modal only keeps
    // the value.
    void SetModalResult(TModalResult value) { modalResult_ = value; }
    TFormState FormState() const { return formState_; }

    // ---- focus
    TWinControl* ActiveControl() const { return activeControl_; }
    // Makes a control of this form the one with the focus (now, when the form is active).
    // EInvalidOperation when it cannot take the focus.
    void SetActiveControl(TWinControl* control);
    // Focuses a control of this form and activates the form.
    void FocusControl(TWinControl* control);
    // Takes the focus away from a control (and its children) that is going away or can no
    // longer take it; with removing, the control is leaving the form.
    void DefocusControl(TWinControl* control, bool removing);
    // Called when a window of this form receives the focus: runs the exit and enter
    // notifications. False when a handler moved the focus elsewhere meanwhile.
    bool SetFocusedControl(TWinControl* control);
    // Whether this form holds the focus.
    bool Active() const { return active_; }
    void SetFocus() override;

    // ---- frame and place
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle value);
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons value);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition value) { position_ = value; }
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool value) { keyPreview_ = value; }
    // Minimized, maximized or neither, as the window manager shows the window: it follows what
    // the window manager (or the user through it) does. Setting it asks the window manager
    // (when the form next shows, if it is hidden); the bounds follow once it has done so.
    TWindowState WindowState() const { return windowState_; }
    void SetWindowState(TWindowState value);
    // Framework-internal: the window manager put the window in this state. The form takes it
    // and hears WM_SIZE (SIZE_MINIMIZED, SIZE_MAXIMIZED or SIZE_RESTORED).
    void WindowStateFollowed(TWindowState state);
    void SetClientSize(int width, int height) override;
    // Resizes the form so that its native client window (the client area with the scroll
    // bars) gets the given size.
    void SetWindowClientSize(int width, int height);
    TPoint ClientOrigin() const override;
    TSize WindowClientSize() const override;
    // The height of the menu bar in the frame (0 without one).
    int MenuBarHeight() const { return menuBarHeight_; }
    void SetMenuBarHeight(int value);

    // A key pressed in the form, before the focused control sees it: OnShortCut, then the
    // handlers added (the menus); true when one of them took it.
    virtual bool IsShortCut(TKeyCode key, TShiftState shift);
    void AddShortCutHandler(const void* owner, TShortCutHandler handler);
    void RemoveShortCutHandler(const void* owner);

    // The client area as it shows, painted now (PaintTo into a new bitmap).
    std::unique_ptr<TBitmap> RenderToImage();

    // ---- events
    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TShortCutEvent OnShortCut;

protected:
    void Dispatch(TMessage& message) override;
    TRect ClientRectWithoutBars() const override;
    bool IsTopLevelWindow() const override { return true; }
    void MouseWheelHandler(TMessage& message) override;
    virtual void DoCreate();
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& action);
    virtual void Activate();
    virtual void Deactivate();

private:
    friend class TFocusModel;
    friend bool FormTakesInput(const TCustomForm* form);
    // The frame around the client area: left, top, right and bottom widths.
    TRect FrameInsets() const;
    void ApplyPosition();
    void CloseModal();
    void SetWindowFocus();

    TFormBorderStyle borderStyle_ = bsSizeable;
    TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
    TPosition position_ = poDefaultPosOnly;
    bool keyPreview_ = false;
    TWindowState windowState_ = wsNormal;
    bool active_ = false;
    bool positioned_ = false;
    bool created_ = false;
    int menuBarHeight_ = 0;
    // Forms that a modal loop has barred from input count it here.
    int modalBarred_ = 0;
    TModalResult modalResult_ = mrNone;
    TFormState formState_;
    TWinControl* activeControl_ = nullptr;
    TWinControl* focusedControl_ = nullptr;
    std::vector<std::pair<const void*, TShortCutHandler>> shortCutHandlers_;
};

class TForm : public TCustomForm {
public:
    using TCustomForm::TCustomForm;
};

// ---- the forms of the application
int FormCount();
TCustomForm* Forms(int index);
// The form that holds the focus, or null.
TCustomForm* ActiveForm();
// The first form made with CreateForm; closing it ends the application.
TCustomForm* MainForm();
void SetMainForm(TCustomForm* form);
// The control that holds the keyboard focus, or null.
TWinControl* FocusedWindow();
// Tells every form, and every windowed control on it that has its window, that the system's
// visual theme changed (WM_THEMECHANGED); the toolkit's theme changes come this way.
void BroadcastThemeChanged();

// Whether a form takes input now (a modal form shown after it bars it).
bool FormTakesInput(const TCustomForm* form);

// Makes a form owned by the application, stores it in reference (before OnCreate runs, so
// that its handlers can use the reference), and runs AfterConstruction. The first one made
// becomes the main form.
template <typename T>
void CreateForm(T*& reference);
// Shows the main form (unless the application says not to) and runs the application's loop
// until it ends.
void RunApplication();

namespace detail {
TComponent* FormOwner();
void FormCreated(TCustomForm* form);
}  // namespace detail

template <typename T>
void CreateForm(T*& reference) {
    reference = new T(detail::FormOwner());
    detail::FormCreated(reference);
}

}  // namespace dsp
