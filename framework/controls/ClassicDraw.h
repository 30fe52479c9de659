#pragma once
// The classic look of the standard controls, drawn through the canvas in the system colours:
// button faces, sunken fields, arrow, check and radio glyphs, scroll bars and focus frames.
// Sizes are those of a 96-dpi screen.

#include "framework/controls/ScrollingWinControl.h"  // kScrollBarSize
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Geometry.h"

namespace dsp {

constexpr int kMinThumbSize = 8;
constexpr int kCheckBoxSize = 13;
constexpr int kRadioSize = 12;
constexpr int kEditBorder = 2;  // the sunken frame of edits, lists and combo boxes

enum class TArrowDirection { Up, Down, Left, Right };

// The sunken two-pixel frame of an edit field; r shrinks to the inside.
void DrawSunkenField(TCanvas& canvas, TRect& r);
// The inside of a client area: within the sunken frame when the border is single.
TRect FieldInside(const TRect& client, TBorderStyle border);
// The place of a vertical scroll bar along the right edge of an area.
TRect RightScrollBar(const TRect& area);

// Rings of one pixel, `width` times: the top and left sides in topColor, the bottom and right in
// bottomColor. r shrinks to the inside.
void Frame3D(TCanvas& canvas, TRect& r, TColor topColor, TColor bottomColor, int width);

// A push button's frame and face in clBtnFace: raised, or pressed (a dark ring and a shadow
// ring). A default button gets a black ring outside. r shrinks to the face.
void DrawButtonFace(TCanvas& canvas, TRect& r, bool down, bool defaultRing);

// A small filled triangle centred in r (a scroll arrow: seven pixels at its base). Disabled
// arrows are embossed.
void DrawArrowGlyph(TCanvas& canvas, const TRect& r, TArrowDirection direction, bool enabled);

// A scroll-bar or spin button: raised face with an arrow; pressed: flat shadow frame, arrow
// moved by one pixel.
void DrawArrowButton(TCanvas& canvas, const TRect& r, TArrowDirection direction, bool down,
                     bool enabled);

enum class TCheckGlyphState { Unchecked, Checked, Grayed };

// The 13 x 13 check box at (x, y): sunken frame, window colour inside (button face while
// pressed or disabled), check mark.
void DrawCheckGlyph(TCanvas& canvas, int x, int y, TCheckGlyphState state, bool enabled,
                    bool pressed);

// The 12 x 12 round radio button at (x, y).
void DrawRadioGlyph(TCanvas& canvas, int x, int y, bool checked, bool enabled, bool pressed);

// Text grey and embossed as the classic look shows disabled captions: clBtnHighlight one pixel
// down and right, clBtnShadow on top. Uses DrawText with the format given.
void DrawDisabledText(TCanvas& canvas, const std::string& text, TRect r, unsigned format);
// A control's caption over what is drawn already (the brush is clear while it draws and solid
// afterwards): in the canvas font, or as disabled text.
void DrawCaptionText(TCanvas& canvas, const std::string& text, TRect r, unsigned format,
                     bool enabled);

// ---- scroll bars

struct TScrollBarState {
    int min = 0;
    int max = 100;
    int page = 0;  // the visible part; 0 for a bar without proportional thumb
    int position = 0;
};

enum class TScrollPart { None, LineUp, LineDown, PageUp, PageDown, Thumb };

// Where the parts of a bar lie in r.
struct TScrollBarGeometry {
    TRect lineUp;
    TRect lineDown;
    TRect track;  // between the buttons
    TRect thumb;  // empty when the bar cannot scroll
};

TScrollBarGeometry ScrollBarGeometry(const TRect& r, bool vertical, const TScrollBarState& s);
TScrollPart ScrollBarHitTest(const TRect& r, bool vertical, const TScrollBarState& s, TPoint p);
// The position the thumb stands for when its leading edge is at offset pixels into the track.
int ScrollPositionFromThumb(const TRect& r, bool vertical, const TScrollBarState& s, int offset);
// The largest position: max - page + 1 (max with no page), never below min.
int ScrollMaxPosition(const TScrollBarState& s);

void DrawScrollBar(TCanvas& canvas, const TRect& r, bool vertical, const TScrollBarState& s,
                   bool enabled, TScrollPart pressed);

}  // namespace dsp
