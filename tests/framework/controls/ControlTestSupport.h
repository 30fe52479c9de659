#pragma once
// Small controls and helpers the controls tests share: a log of what happened in order,
// controls that record their messages and paints, and forms shown and painted headless.

#include <memory>
#include <string>
#include <vector>

#include "framework/controls/CustomControl.h"
#include "framework/controls/Form.h"
#include "framework/controls/FormBuilder.h"
#include "framework/controls/GraphicControl.h"
#include "framework/graphics/Bitmap.h"

namespace dsp::test {

// What happened, in order: "name:event" entries.
using TEventLog = std::vector<std::string>;

// A windowed control that paints itself in one colour and logs its paints.
class TProbeControl : public TCustomControl {
public:
    TProbeControl(TComponent* owner, TEventLog* log = nullptr);
    TColor fill = clNone;  // clNone paints nothing
    int paints = 0;
    int erases = 0;
    // Logs the message numbers it receives that are in this list.
    std::vector<unsigned> watched;

protected:
    void Paint() override;
    void Dispatch(TMessage& message) override;

private:
    TEventLog* log_;
};

// A windowless control that fills itself with one colour and counts its paints.
class TProbeGraphic : public TGraphicControl {
public:
    TProbeGraphic(TComponent* owner, TEventLog* log = nullptr);
    TColor fill = clRed;
    int paints = 0;

protected:
    void Paint() override;

private:
    TEventLog* log_;
};

// A form that goes away with the test.
std::unique_ptr<TForm> MakeForm(int clientWidth, int clientHeight, TColor color = clBtnFace);

// Shows the form and paints everything that waits to be painted, at once.
void ShowAndPaint(TCustomForm& form);
// Paints what waits to be painted in the control and every windowed control below it.
void PaintPending(TWinControl& control);

// The colour of a pixel of a bitmap.
TColorRef PixelOf(const TBitmap& bitmap, int x, int y);
// The colour of a pixel the control shows now, read from its native window.
TColorRef ShownPixel(TWinControl& control, int x, int y);

// Input as the host toolkit hands it to a control's native window (the control must show).
void SendMouse(TWinControl& control, int type, int x, int y, int button, int buttons,
               int modifiers = 0);
void Click(TWinControl& control, int x, int y);
void SendWheel(TWinControl& control, int x, int y, int delta, int modifiers = 0);
// A key pressed and released; text is what the key types (empty for none).
void SendKey(TWinControl& anyShown, int qtKey, const std::string& text = "", int modifiers = 0);
void SendKeyPress(TWinControl& anyShown, int qtKey, const std::string& text = "",
                  int modifiers = 0);
void SendKeyRelease(TWinControl& anyShown, int qtKey, int modifiers = 0);
// Types text into the focused control, one key per character.
void Type(TWinControl& anyShown, const std::string& text);
// Text composed by an input method and committed to the focused control's native window.
void CommitComposedText(TWinControl& focused, const std::string& text);

// Places a control in a parent (the framework's, for forms built in code).
using dsp::Place;

}  // namespace dsp::test
