#pragma once
// The drawing routines every panel and button widget paints with: colour arithmetic in HSL,
// one-pixel lines on chosen sides of a rectangle, the twelve frame styles in system colours or
// shaded from a face colour, the composite border of panels and labels, gradient fills in ten
// directions, bitmaps drawn with a transparent colour left out, a parent's background painted
// under a transparent control, the drop-down arrow, theme colours, system version answers and
// small text utilities.
//
// Lines follow the canvas rules (LineTo leaves out its end point; Right and Bottom are
// exclusive); clNone draws nothing. Every frame routine takes the rectangle by value and returns
// the rectangle left inside what it drew. Nothing keeps state between calls but two values read
// once from the system answers: the theme's colour scheme and whether the screen is full-colour.

#include <cstdint>
#include <string>

#include "framework/controls/Control.h"
#include "framework/controls/ControlMessages.h"
#include "framework/controls/StdControlTypes.h"
#include "framework/core/Set.h"
#include "framework/core/TypeInfo.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Geometry.h"

namespace dsp {

class TWinControl;

// ---- shared enumerations

enum TSide { sdLeft, sdTop, sdRight, sdBottom };
DSP_ENUM_NAMES(TSide, "sdLeft", "sdTop", "sdRight", "sdBottom")
using TSides = Set<TSide>;
inline constexpr TSides kAllSides{sdLeft, sdTop, sdRight, sdBottom};

enum TFrameStyleEx {
    fsNone,
    fsFlat,
    fsGroove,
    fsBump,
    fsLowered,
    fsButtonDown,
    fsRaised,
    fsButtonUp,
    fsStatus,
    fsPopup,
    fsFlatBold,
    fsFlatRounded
};
DSP_ENUM_NAMES(TFrameStyleEx, "fsNone", "fsFlat", "fsGroove", "fsBump", "fsLowered", "fsButtonDown",
               "fsRaised", "fsButtonUp", "fsStatus", "fsPopup", "fsFlatBold", "fsFlatRounded")
// The styles fsNone to fsFlatBold; the combo box's frame properties take these.
using TFrameStyle = TFrameStyleEx;

enum TGradientDirection {
    gdDiagonalUp,
    gdDiagonalDown,
    gdHorizontalEnd,
    gdHorizontalCenter,
    gdHorizontalBox,
    gdVerticalEnd,
    gdVerticalCenter,
    gdVerticalBox,
    gdSquareBox,
    gdBigSquareBox
};
DSP_ENUM_NAMES(TGradientDirection, "gdDiagonalUp", "gdDiagonalDown", "gdHorizontalEnd",
               "gdHorizontalCenter", "gdHorizontalBox", "gdVerticalEnd", "gdVerticalCenter",
               "gdVerticalBox", "gdSquareBox", "gdBigSquareBox")

enum TRzGradientColorStyle { gcsSystem, gcsMSOffice, gcsCustom };
DSP_ENUM_NAMES(TRzGradientColorStyle, "gcsSystem", "gcsMSOffice", "gcsCustom")

enum TRzVisualStyle { vsClassic, vsWinXP, vsGradient };
DSP_ENUM_NAMES(TRzVisualStyle, "vsClassic", "vsWinXP", "vsGradient")

enum TAlignmentVertical { avTop, avCenter, avBottom };
DSP_ENUM_NAMES(TAlignmentVertical, "avTop", "avCenter", "avBottom")

enum TTextStyle { tsNormal, tsRaised, tsRecessed, tsShadow };
DSP_ENUM_NAMES(TTextStyle, "tsNormal", "tsRaised", "tsRecessed", "tsShadow")

enum TBlinkState { bsOn, bsOff };
DSP_ENUM_NAMES(TBlinkState, "bsOn", "bsOff")

enum TFramingPreference { fpCustomFraming, fpXPThemes };
DSP_ENUM_NAMES(TFramingPreference, "fpCustomFraming", "fpXPThemes")

enum TRzHotTrackColorType { htctComplement, htctActual };
DSP_ENUM_NAMES(TRzHotTrackColorType, "htctComplement", "htctActual")

// ---- private control messages of the widgets (above the framework's own numbers)

inline constexpr unsigned kRzMessageBase = CM_FRAMEWORK_LAST + 0x100;
// A bitmap button went down in its group.
inline constexpr unsigned kRzBmpButtonPressed = kRzMessageBase + 0;
// A push button went down in its group.
inline constexpr unsigned kRzButtonPressed = kRzMessageBase + 1;
// The blink list asks a control whether it blinks (answer 1).
inline constexpr unsigned kRzBlinkQuery = kRzMessageBase + 2;
// The blink list hands a blinking control its state (WParam: TBlinkState).
inline constexpr unsigned kRzBlinkState = kRzMessageBase + 3;

// The group notice of toggle buttons: the group index and the button that went down (or whose
// group settings changed).
struct TGroupNotice {
    int groupIndex = 0;
    TControl* sender = nullptr;
};
inline TMessage MakeGroupNoticeMessage(unsigned msg, int groupIndex, TControl* sender) {
    return {msg, static_cast<WPARAM>(groupIndex), reinterpret_cast<LPARAM>(sender), 0};
}
inline TGroupNotice GroupNoticeOf(const TMessage& message) {
    return {static_cast<int>(message.WParam), reinterpret_cast<TControl*>(message.LParam)};
}
// The blink list's state handed to a blinking control.
inline TMessage MakeBlinkStateMessage(TBlinkState state) {
    return {kRzBlinkState, static_cast<WPARAM>(state), 0, 0};
}
inline TBlinkState BlinkStateOf(const TMessage& message) {
    return message.WParam == bsOn ? bsOn : bsOff;
}

// ---- colour

// An HSL triple on the 0..240 scale (a luminance made lighter may reach 255).
struct THslColor {
    int h = 0;
    int s = 0;
    int l = 0;
    constexpr bool operator==(const THslColor&) const = default;
};

THslColor SplitColorHSL(TColor color);
int HueOfColor(TColor color);
// Hue 239 lies in the sixth sextant (red), as the hue is divided by 239.
TColor ColorFromHSL(int h, int s, int l);

// The luminance moved down (not below 0) or up (not above 255), hue and saturation kept.
TColor DarkerColor(TColor color, int amount);
TColor LighterColor(TColor color, int amount);
// Darker for a negative amount, lighter for a positive one, the colour itself (unresolved) for 0.
TColor AdjustedColor(TColor color, int amount);
// color1 weighted by weight / 255, color2 by the rest.
TColor MixColors(TColor color1, TColor color2, int weight);
// Hues within 20 and luminances within 60 of each other.
bool ColorsAreClose(TColor color1, TColor color2);
// The hue turned by 120, fully saturated, at the given luminance.
TColor ContrastingHueColor(TColor color, int luminance);

struct TGradientColors {
    TColor start = clNone;
    TColor stop = clNone;
};
struct TBannerColors {
    TColor stop = clNone;
    TColor start = clNone;
    TColor frame = clNone;
};
TGradientColors GradientColorsForStyle(TRzGradientColorStyle style);
TColor FlatColorForStyle(TRzGradientColorStyle style);
TBannerColors BannerColorsForStyle(TRzGradientColorStyle style);

// A colour of the visual theme by kind 0..7; clBtnFace while themes are inactive, white for any
// other kind.
TColor ThemedSystemColor(int kind);
// The theme's colour scheme: 0 normal, 1 "HOMESTEAD", 2 "METALLIC".
int ReadXPColorScheme();
bool IsFullColorScreen();
// The scheme in force (read once; again on ReloadXPColorScheme) and the screen answer.
int XPColorScheme();
void ReloadXPColorScheme();
bool ScreenIsFullColor();

// ---- lines and frames

TRect StrokeSides(TCanvas& canvas, TRect r, TColor ulColor, TColor lrColor, TSides sides);
TRect StrokeSidesRepeated(TCanvas& canvas, TRect r, TColor ulColor, TColor lrColor, int count,
                          TSides sides);
TRect StrokeCtl3DSides(TCanvas& canvas, TRect r, bool lowered, TSides sides);
TRect StrokeButtonSides(TCanvas& canvas, TRect r, bool down, TSides sides);
TRect StrokeButtonFrame(TCanvas& canvas, TRect r, bool down);
TRect StrokeColorButtonSides(TCanvas& canvas, TRect r, TColor faceColor, bool lowered,
                             TSides sides);
TRect StrokeColorButtonFrame(TCanvas& canvas, TRect r, TColor faceColor, bool lowered);
TRect DrawFrameStyleSides(TCanvas& canvas, TRect r, TFrameStyleEx style, TSides sides);
TRect DrawFrameStyle(TCanvas& canvas, TRect r, TFrameStyleEx style);
TRect DrawColoredFrameStyleSides(TCanvas& canvas, TRect r, TColor faceColor, TFrameStyleEx style,
                                 TSides sides);
TRect DrawColoredFrameStyle(TCanvas& canvas, TRect r, TColor faceColor, TFrameStyleEx style);
TRect StrokeFlatFrame(TCanvas& canvas, TRect r, TColor color);
TRect StrokeRoundedFrame(TCanvas& canvas, TRect r, TColor color, TSides sides);
TRect DrawDottedFrame(TCanvas& canvas, TRect r);

// The settings of a panel's or label's composite border.
struct TBorderSettings {
    TFrameStyleEx borderOuter = fsNone;
    TFrameStyleEx borderInner = fsNone;
    int borderWidth = 0;
    TSides borderSides = kAllSides;
    int bevelWidth = 1;
    TColor borderColor = clBtnFace;
    TColor borderHighlight = clBtnHighlight;
    TColor borderShadow = clBtnShadow;
    TColor flatColor = clBtnShadow;
    int flatColorAdjustment = 30;
    TColor color = clBtnFace;
    TColor parentColor = clBtnFace;
    bool transparent = false;
    bool roundInnerFlat = false;
};
// Outer frame, BorderWidth rings, inner frame; returns what they leave inside.
TRect DrawControlBorders(TCanvas& canvas, TRect bounds, const TBorderSettings& settings);

// ---- fills and bitmaps

// gdHorizontalEnd: startColor at the top to stopColor at the bottom; gdVerticalEnd: left to
// right; every other direction in bands (FillGradientBanded). steps: the least number of pixels
// in a band (1: one band per distinct colour).
void FillGradientRect(TCanvas& canvas, TRect r, TGradientDirection direction, TColor startColor,
                      TColor stopColor, int steps);
void FillGradientBanded(TCanvas& canvas, TRect r, TGradientDirection direction, TColor startColor,
                        TColor stopColor, int steps);
// A two-pixel gradient ring along the rectangle's edges (full-colour screens only).
void PaintGradientRing(TCanvas& canvas, TRect r, TGradientDirection direction, TColor startColor,
                       TColor stopColor);

// The source part of the bitmap stretched into dest with the pixels of transparentColor left
// out (the canvas keeps its pixels there).
void DrawBitmapTransparentPart(TCanvas& canvas, const TBitmap& bitmap, TRect dest,
                               TColor transparentColor, TRect source);
// The source part stretched to dest's size, drawn at the canvas's origin.
void StretchBitmapTransparentPart(TCanvas& canvas, const TBitmap& bitmap, TRect dest,
                                  TColor transparentColor, TRect source);
void StretchBitmapTransparent(TCanvas& canvas, const TBitmap& bitmap, TRect dest,
                              TColor transparentColor);
// Whole copies from dest's top-left corner, the last ones cut at dest's right and bottom.
void TileBitmapTransparent(TCanvas& canvas, const TBitmap& bitmap, TRect dest,
                           TColor transparentColor);

// Paints the parent's background and content under the control into the control's canvas. With
// invalidateParent, a parent that is neither a custom-painted control nor a form is marked for
// painting too (once per erase, never from inside another parent-background painting or a paint
// copy, so the painting settles).
void PaintParentBackground(TControl& control, TCanvas& canvas, bool invalidateParent);

enum class TDropDownArrowStyle { Classic, Themed, Vista };
// The combo box's arrow: a filled triangle centred in r (one row higher for even heights);
// black, or cl3DDkShadow on a dark brush; clBtnShadow when disabled.
void DrawDropDownArrow(TCanvas& canvas, TRect r, TDropDownArrowStyle style, bool enabled);

// ---- text, fonts, controls, system

// The canvas's DrawText; returns the text height (with DT_CALCRECT r receives the size).
int DrawTextIn(TCanvas& canvas, const std::string& text, TRect& r, unsigned format);
void DrawTextCentered(TCanvas& canvas, const std::string& text, TRect r);
// The text without single ampersands; "&&" becomes "&"; the last character always stays.
std::string StripAccelChars(const std::string& text);
// The last character (a whole UTF-8 sequence); empty for an empty text.
std::string LastCharOf(const std::string& text);
// The font's description turned by the angle (degrees counter-clockwise), for TFont::SetLogFont.
TLogFont MakeAngledFont(const TFont& font, int angleDegrees);
// Whether the font can be turned: the project's fonts provide its face.
bool FontIsTrueType(const TFont& font);
// Marks every direct child that publishes "Transparent" as True for painting.
void InvalidateTransparentChildren(TWinControl& control);
// The text flag of a word-wrap setting (0 or DT_WORDBREAK).
unsigned WordWrapTextFlag(bool wordWrap);

// Exact and least system versions by the widgets' kinds 0..8 (see the system answers).
bool IsWindowsVersion(int kind);
bool IsWindowsAtLeast(int kind);

}  // namespace dsp
