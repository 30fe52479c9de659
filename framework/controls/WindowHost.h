#pragma once
// Framework-internal: the native window of the host toolkit behind a windowed control that
// shows. It shows the control's pixels (running the paint cycle first when something waits
// to be painted) and turns the toolkit's input events into the control's messages. Controls
// that embed a toolkit widget (a text editor, a list) place it inside their host.

#include <QWidget>

#include <functional>

namespace dsp {

class TCustomForm;
class TWinControl;
struct TWindowImpl;

class TWindowHost : public QWidget {
public:
    TWindowHost(TWinControl& control, QWidget* parent);
    ~TWindowHost() override;

    TWinControl& Control() const { return control_; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    TWinControl& control_;
};

// The top-level window of a form: its menu bar, if any, above the form's client window. It
// hands closing, moving and resizing by the window manager on to the form.
class TFormFrame : public QWidget {
public:
    explicit TFormFrame(TCustomForm& form);
    ~TFormFrame() override;
    // True while the framework itself moves or resizes the window.
    bool Placing() const { return placing_ > 0; }
    void BeginPlacing() { ++placing_; }
    void EndPlacing() { --placing_; }
    // True while the form takes the place the window manager gave the window: the window stays
    // where it is, only what is inside it is laid out again.
    bool Following() const { return following_ > 0; }
    void BeginFollowing() { ++following_; }
    void EndFollowing() { --following_; }

protected:
    bool event(QEvent* event) override;

private:
    TCustomForm& form_;
    int placing_ = 0;
    int following_ = 0;
};

// Gives a form a menu bar of the given height: the factory makes the bar's widget inside the
// form's frame, now if the frame exists and again whenever it is made. A null factory removes
// the bar.
void SetFormMenuBar(TCustomForm& form, std::function<QWidget*(QWidget* frame)> factory, int height);

// Makes the control's native window (hidden) inside its parent's, in its z-order place;
// a form's inside its frame, a top-level window.
void CreateHost(TWindowImpl& window);
void DestroyHost(TWindowImpl& window);
// Places the native window where the control stands.
void PlaceHost(TWindowImpl& window);
void ShowHost(TWindowImpl& window, bool show);
// Puts the native window in its place among its siblings' (after a z-order change).
void RestackHost(TWindowImpl& window);

// Brings a native window to the front of its siblings (or of the screen).
void RaiseNativeWindow(QWidget* widget);

// Brings a form's native window in line with its frame settings and caption.
void UpdateFormHost(TCustomForm& form);

// Makes a form's window modal for the window manager and the toolkit, transient for its owner's
// window (above it, and the owner takes no input); a null owner makes it an ordinary window
// again. Called while the form's window is hidden.
void SetFormModalOwner(TCustomForm& form, TCustomForm* owner);

// Asks the window manager to put a form's window in the form's WindowState (at the next show
// when the window is hidden).
void ApplyFormWindowState(TCustomForm& form);

// The native window of a control, or null while it does not show.
QWidget* HostWidget(const TWinControl& control);

}  // namespace dsp
