#pragma once
// The plot engine's free routines: text drawn with the engine's text flags (plain, disabled,
// rotated, measured), frames, focus rectangles and gradients, published properties saved as
// "Path.Name = value" lines and read back, oriented rectangles for plots that show X vertically,
// precision and time-span arithmetic, paper sizes, and a few small helpers.

#include <cstdint>
#include <string>
#include <string_view>

#include "framework/core/Object.h"
#include "framework/graphics/Canvas.h"
#include "plot/engine/iTypes.h"

namespace dsp {

class TComponent;
class TWinControl;
class TPageControl;
class TStrings;

// The engine's text-flag word: one bit per text-drawing option.
using TiTextFlags = std::uint16_t;
constexpr TiTextFlags kTextLeft = 0x0001;  // the default; adds nothing
constexpr TiTextFlags kTextCenter = 0x0002;
constexpr TiTextFlags kTextRight = 0x0004;
constexpr TiTextFlags kTextTop = 0x0008;  // the default; adds nothing
constexpr TiTextFlags kTextVCenter = 0x0010;
constexpr TiTextFlags kTextBottom = 0x0020;
constexpr TiTextFlags kTextWordBreak = 0x0040;
constexpr TiTextFlags kTextSingleLine = 0x0080;
constexpr TiTextFlags kTextExpandTabs = 0x0100;
constexpr TiTextFlags kTextNoClip = 0x0200;
constexpr TiTextFlags kTextShowPrefix = 0x0400;  // without it "&" is shown as it stands
constexpr TiTextFlags kTextCalcRect = 0x0800;
constexpr TiTextFlags kTextEndEllipsis = 0x1000;
constexpr TiTextFlags kTextPathEllipsis = 0x2000;
constexpr TiTextFlags kTextWordEllipsis = 0x4000;
constexpr TiTextFlags kTextModifyString = 0x8000;

// The canvas's DrawText format bits of a text-flag word.
unsigned TextFlagsToFormat(TiTextFlags flags);

// ---- drawing

// Draws the text in the canvas font; returns the text height. With enabled false, the
// calculate-only bit clear and a colour whose RGB value is not black, the text gets the
// engraved look: once one pixel down and right in the lightened face colour, then in place in
// the darkened face colour (the colour only decides whether to engrave).
int DrawTextFormatted(TCanvas* canvas, const std::string& text, TRect& rect, TiTextFlags flags,
                      bool enabled, TColor color);
// The RGB value of the colour with amount added to (lighten) or taken from each component.
TColor ChangeBrightness(TColor color, int amount, bool lighten);
// Draws the text centred on r at 0, 90, 180 or 270 degrees; outRect receives the box the text
// covers.
void DrawRotatedText(TCanvas* canvas, const std::string& text, const TRect& r,
                     TiRotationAngle rotation, TiAlignmentHorizontal alignment, bool enabled,
                     TColor color, TRect& outRect);
int GetTextHeight(TCanvas* canvas, const std::string& text);
int GetWrappedTextHeight(TCanvas* canvas, const std::string& text, int width);
// The widest line of the text (lines end at CR, LF or CR LF); 0 for an empty text.
int GetMaxLineWidth(TCanvas* canvas, std::string_view text);
void DrawFocusRectangle(TCanvas* canvas, const TRect& r);
// Style 0 a sunken edge, 1 a raised edge, 2 a button-shadow outline with the current brush.
void DrawFrameEdge(TCanvas* canvas, const TRect& r, int style);
void PaintGradient(TCanvas* canvas, const TRect& r, TiFillDirection direction, TColor startColor,
                   TColor stopColor);

// ---- published properties as text lines

// Appends "Path.Name = value" lines for the stored, writable published properties of the
// instance, nested objects with the path extended. With onlyChanged, ordinal values equal to
// their declared default are left out. Names in exclude (compared without case) are skipped.
void SavePropertiesToStrings(TObject* instance, const std::string& path, TStrings& lines,
                             bool onlyChanged, const TStrings* exclude);
// Takes lines from the head of the list while they belong to the path (every line for an
// empty path), removing each, and sets the properties they name; stops at the first line of
// another path and leaves it in the list. A value that does not convert raises EConvertError.
void LoadPropertiesFromStrings(TObject* instance, const std::string& path, TStrings& lines);
// Sets one property by its dotted name from its text; unknown names are ignored.
void SetPropertyFromString(TObject* instance, const std::string& name, const std::string& value,
                           char decimalSeparator);
// Finds the first line whose name before "=" equals name (trimmed, without case), gives its
// trimmed value, deletes the line and returns true.
bool ExtractValue(const std::string& name, std::string& value, TStrings& lines);
// Splits at the first separator into the trimmed parts; both empty without a separator.
void SplitAt(std::string_view text, char separator, std::string& left, std::string& right);
// When name starts with path and ".", moves that head out of name.
void StripPathPrefix(const std::string& path, std::string& name, std::string& head);
// The object held by the published object property, or null.
TPersistent* GetObjectProperty(TObject* instance, const std::string& propName);

// ---- geometry

struct TiDoublePoint {
    double X = 0;
    double Y = 0;
};

TRect NormalizedRect(int x1, int y1, int x2, int y2);
// The normalised rectangle, with x and y exchanged when swap is set.
TRect MakeOrientedRect(bool swap, int x1, int y1, int x2, int y2);
TPoint MakeOrientedPoint(bool swap, int x, int y);
void SwapIntegers(int& a, int& b);
TiDoublePoint DoublePoint(double x, double y);

// ---- numbers and time

// Decimal places for a value text: fixed decimals as given, or the significant digits left
// over by the span |a - b|.
int PrecisionToDecimals(int precision, TiPrecisionStyle style, double a, double b);
// Whole units of a date-time span; a negative span or one beyond the unit's 32-bit range gives
// 2147483647 (10000 for minutes).
int DateTimeToMilliseconds(double span);
int DateTimeToSeconds(double span);
int DateTimeToMinutes(double span);
int DateTimeToHours(double span);

// ---- printing

double MillimetersToInches(double x);
// The paper size for a paper code; unknown codes give Letter.
void GetPaperSizeInches(int paperCode, double& width, double& height);
// The current printer's paper, exchanged in landscape.
void GetPrinterPaperSizeInches(double& width, double& height);

// ---- small routines

bool IsShiftDown();
bool IsCtrlDown();
// The first form up the owner chain; without one the last windowed control met; else null.
TComponent* FindOwnerForm(TComponent* component);
void FocusComponent(TWinControl* control);
void SetActivePageIndex(TPageControl* pageControl, int index);
int GetActivePageIndex(const TPageControl* pageControl);

}  // namespace dsp
