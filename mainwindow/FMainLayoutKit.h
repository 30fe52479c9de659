#pragma once
// The main window's controls as its form sets them up: one routine per kind of control, with
// the looks of the form (fonts, colours, pictures of the artwork). The layout units place them;
// every routine creates a named component of the builder's root, placed in a parent, with its
// stored properties set (no handler: the layout assigns those through the builder).

#include <string>

#include "framework/controls/ControlTypes.h"
#include "framework/controls/StdControlTypes.h"
#include "framework/graphics/Colors.h"

namespace dsp {

class TFormBuilder;
class TWinControl;
class TLabel;
class TImage;
class TPanel;
class TShape;
class TRzGroupBox;
class TRzBmpButton;
class TRzComboBox;
class TAdvTrackBar;
class TCurvyEdit;
class TVrPowerButton;
class TVrDemoButton;
class LProgressBar;
class LMyFFTDrawPhase;
class TiXYPlot;
class TUpDown;
class TRadioButton;
class TPaintBox;

namespace mainlayout {

// The palette of the form's own texts and frames (the pictures come from the artwork).
inline constexpr TColor kFormColour = static_cast<TColor>(RGB(24, 27, 33));
inline constexpr TColor kTextColour = static_cast<TColor>(RGB(206, 212, 222));
inline constexpr TColor kHeadingColour = static_cast<TColor>(RGB(236, 240, 246));
inline constexpr TColor kDimColour = static_cast<TColor>(RGB(142, 150, 164));
inline constexpr TColor kBezelColour = static_cast<TColor>(RGB(8, 9, 11));
inline constexpr char kFontName[] = "Tahoma";

// A frameless, caption-less, transparent group box: a page's panel or a group of controls.
TRzGroupBox* Area(TFormBuilder& build, const std::string& name, TWinControl* parent, int left,
                  int top, int width, int height);

enum class TTextLook {
    Text,     // the strips' captions: 11 pixels, light
    Heading,  // a group's heading: bold, brighter
    Title,    // a page's or strip's title: bold 13 pixels, white
    Channel,  // a channel's name on its page: bold 13 pixels, lime
    Scale,    // a meter scale's figures: 9 pixels, dim
    Key,      // a hint of the keys: 11 pixels, dim
};
TLabel* Label(TFormBuilder& build, const std::string& name, TWinControl* parent, int left, int top,
              int width, int height, const std::string& caption, TTextLook look,
              TAlignment alignment = taLeftJustify);

// A vertical fader with the console thumb: 26 pixels wide.
TAdvTrackBar* Fader(TFormBuilder& build, const std::string& name, TWinControl* parent, int left,
                    int top, int height, int min, int max, int pageSize, int tag);

// A value box under a fader: 24 high, pale cyan when read-only, white when it takes typing.
TCurvyEdit* ValueBox(TFormBuilder& build, const std::string& name, TWinControl* parent, int left,
                     int top, int width, const std::string& text, bool readOnly, int tag);

// A bitmap button drawn from one of the artwork's strips (up, hot, down, stay-down), its
// caption written over the face. groupIndex 0 makes a plain push button.
TRzBmpButton* Button(TFormBuilder& build, const std::string& name, TWinControl* parent, int left,
                     int top, int width, int height, const std::string& caption, const char* strip,
                     int groupIndex, bool allowAllUp, int tag);

// The slope selector of a crossover: the twenty slopes, the last one chosen.
TRzComboBox* SlopeBox(TFormBuilder& build, const std::string& name, TWinControl* parent, int left,
                      int top, int width, int tag);

enum class TMeterKind { Input, Output, Limit, GateLevel, CompLevel };
// A level meter 14 wide: segments and range by kind (inputs 9 segments, outputs 8, limit lamps
// one); the gate and compressor pages' level meters have no bevel.
LProgressBar* Meter(TFormBuilder& build, const std::string& name, TWinControl* parent, int left,
                    int top, int height, TMeterKind kind);

// An LED button on black (overlay lamps, show all): caption in the colour given.
TVrPowerButton* Lamp(TFormBuilder& build, const std::string& name, TWinControl* parent, int left,
                     int top, int width, int height, const std::string& caption, TColor colour,
                     bool active, int tag);
// A push button on black (EQ reset, EQ bypass).
TVrDemoButton* PushButton(TFormBuilder& build, const std::string& name, TWinControl* parent,
                          int left, int top, int width, int height, const std::string& caption,
                          int tag);

// A picture of the artwork, stretched to the control or at its own size.
TImage* Picture(TFormBuilder& build, const std::string& name, TWinControl* parent, int left,
                int top, int width, int height, const char* resource, bool stretch,
                bool transparent);

// A response view as every view of the window is set: 255 high, black, the 12.7 Hz to 24.5 kHz
// span of the 4096-point curves at 96 kHz, -18 to +18 dB, eleven level lines, Tahoma labels.
LMyFFTDrawPhase* ResponseView(TFormBuilder& build, const std::string& name, TWinControl* parent,
                              int left, int top, int width, int tag);

// A transfer plot (the gate's or the compressor's), configured as both are.
TiXYPlot* TransferPlot(TFormBuilder& build, const std::string& name, TWinControl* parent, int left,
                       int top, int width, int height);

// A stepper beside a value box (ratio, knee): 16 x 24, its range given.
TUpDown* Stepper(TFormBuilder& build, const std::string& name, TWinControl* parent, int left,
                 int top, int min, int max, int tag);

// A view switch ("Mag", "Phase"): a radio button with its caption in the colour given.
TRadioButton* Switch(TFormBuilder& build, const std::string& name, TWinControl* parent, int left,
                     int top, int width, const std::string& caption, TColor colour, int tag);

// A block of the routing diagram: a rounded shape in the colour given, with a dark outline.
TShape* Block(TFormBuilder& build, const std::string& name, TWinControl* parent, int left, int top,
              int width, int height, TColor colour);

// A black bezel (a panel with a dark frame) that holds displays: the delay lines, the meter
// groups, the lamp rows, the routing rows.
TPanel* Bezel(TFormBuilder& build, const std::string& name, TWinControl* parent, int left, int top,
              int width, int height);

}  // namespace mainlayout
}  // namespace dsp
