#pragma once
// Framework-internal: the native window of the host toolkit behind a windowed control that
// shows. It shows the control's pixels (running the paint cycle first when something waits
// to be painted) and turns the toolkit's input events into the control's messages. Controls
// that embed a toolkit widget (a text editor, a list) place it inside their host.

#include <QWidget>

namespace dsp {

class TCustomForm;
class TWinControl;
struct TWindowImpl;

class TWindowHost : public QWidget {
public:
    TWindowHost(TWinControl& control, QWidget* parent);
    ~TWindowHost() override;

    TWinControl& Control() const { return control_; }
    // True while the framework itself moves or resizes the native window.
    bool Placing() const { return placing_ > 0; }
    void BeginPlacing() { ++placing_; }
    void EndPlacing() { --placing_; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    TWinControl& control_;
    int placing_ = 0;
};

// Makes the control's native window (hidden) inside its parent's, in its z-order place;
// a form's is a top-level window.
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

// The native window of a control, or null while it does not show.
QWidget* HostWidget(const TWinControl& control);

}  // namespace dsp
