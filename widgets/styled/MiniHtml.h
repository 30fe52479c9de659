#pragma once
// RenderMiniHtml: lays out a string of HTML-like markup in a rectangle, draws it (or only
// measures it), reports its size and plain text, and hit-tests a point against its anchors.
// The splash screen's list lines and top-layer items are written in it.
//
// Markup: <B> <I> <U> <S> (bold, italic, underline, strike-out), <FONT FACE COLOR BGCOLOR SIZE>,
// <A href>, <BR>, <HR>, <P ALIGN INDENT>, <UL>, <LI TYPE COLOR NAME>, <IMG SRC ALT WIDTH HEIGHT
// ALIGN WRAP>, <SUB>, <SUP>, <SHAD>, <Z> (hidden), <E> (error underline), <HI> (highlight),
// <BLINK>, <BODY BGCOLOR>, <IND x>, <OFS x>, and the entities &amp; &quot; &sect; &permil; &reg;
// &copy; &para; &trade; &euro; &nbsp; &lt; &gt;. Tags are told apart by their first one or two
// letters; unknown tags are skipped. Colours are "#RRGGBB" or a colour name ("clRed").
//
// Layout takes two passes per line: a measuring pass that decides what the line holds, then a
// pass that draws (or hit-tests) exactly that. Every line consumes some of the markup, so
// measuring always ends; image indices must lie within their list and font sizes within 1 to
// 500 points.
//
// The layout itself runs on a IMiniHtmlSurface, which measures and draws; RenderMiniHtml gives
// it the anti-aliased drawing layer's surface.

#include <string>

#include "framework/graphics/Colors.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Geometry.h"

namespace dsp {

class TGPGraphics;
class TImageList;
class TGDIPPictureContainer;

// The colour of a lower-case colour name ("clred", "clbtnface"); black for any other name.
TColor ColorFromName(const std::string& name);

// The font state of the layout: face, size in points, style and colour.
struct TMiniHtmlFont {
    std::string name = "Tahoma";
    int size = 8;
    TFontStyles style;
    TColor color = clBlack;
};

// What the layout measures and draws with.
class IMiniHtmlSurface {
public:
    virtual ~IMiniHtmlSurface() = default;
    // The height of the text in the font, in whole pixels.
    virtual int TextHeight(const std::string& text, const TMiniHtmlFont& font) = 0;
    // The width a run of text takes on its line.
    virtual int RunWidth(const std::string& text, const TMiniHtmlFont& font) = 0;
    // Writes the text with its top-left corner at (x, y) in the font's colour, over a
    // background of that colour unless it is clNone.
    virtual void DrawRun(const std::string& text, const TMiniHtmlFont& font, int x, int y,
                         TColor background) = 0;
    virtual void FillRect(const TRect& r, TColor color) = 0;
    virtual void FillEllipse(const TRect& r, TColor color) = 0;
    // A one-pixel line from (x1, y1) to (x2, y2).
    virtual void DrawLine(int x1, int y1, int x2, int y2, TColor color) = 0;
    // Image index of the image list: its size ((0, 0) when there is none) and drawing.
    virtual TSize ImageSize(int index) = 0;
    virtual void DrawImage(int index, int x, int y) = 0;
    // A picture of the picture container by name: its size ((0, 0) when there is none or it is
    // empty) and drawing into the given size.
    virtual TSize PictureSize(const std::string& name) = 0;
    virtual void DrawPicture(const std::string& name, int x, int y, int width, int height) = 0;
};

struct TMiniHtmlOptions {
    // The point to hit-test.
    int PointX = 0;
    int PointY = 0;
    // Zero-based number of the focused anchor, number (from 1) of the hovered one; -1 for none.
    int FocusedAnchorIndex = -1;
    int HoverAnchorNumber = -1;
    int ShadowOffset = 0;
    // The second pass only hit-tests and draws nothing.
    bool HitTestOnly = false;
    // No second pass: only the size and the plain text.
    bool MeasureOnly = false;
    // Image-list images are not drawn.
    bool ForPrinting = false;
    // Colour tags leave the text and background colours alone.
    bool KeepColors = false;
    // When false, <BLINK> text takes a new brush's colour (white).
    bool BlinkOn = false;
    // Only the hovered anchor is underlined and takes the hover colours.
    bool HoverOnlyLinks = false;
    bool WordWrap = false;
    double IconScale = 1.0;
    TColor URLColor = clBlue;
    TColor HoverBackColor = clNone;
    TColor HoverTextColor = clNone;
    TColor ShadowColor = clGray;
    // Extra pixels between lines.
    int LineSpacing = 0;
};

struct TMiniHtmlResult {
    // Value of the anchor under the point; kept as it was until a hit sets it.
    std::string HitAnchor;
    // The text without tags; each <BR> gives a CR.
    std::string PlainText;
    // Value of the focused anchor.
    std::string FocusedAnchor;
    int SizeX = 0;
    int SizeY = 0;
    int AnchorCount = 0;
    // Number of the anchor under the point (-1 for none) and its rectangle on its last line.
    int HitAnchorNumber = -1;
    TRect HitAnchorRect;
};

// Lays out text in rect on the surface; font is the base font. True when the point lies over an
// anchor (found by the second pass, so in practice with HitTestOnly).
bool RenderMiniHtmlOn(IMiniHtmlSurface& surface, const TMiniHtmlFont& font, const std::string& text,
                      const TRect& rect, const TMiniHtmlOptions& options, TMiniHtmlResult& result);

// The routine as the widget pack calls it: on a surface of the anti-aliased drawing layer, with
// a framework font, the source of IDX: images and of named pictures (either may be null).
// "SSYS:" and "LSYS:" images (the desktop's file icons) have no source on this platform and take
// no room.
struct TMiniHtmlParams : TMiniHtmlOptions {
    TGPGraphics* Graphics = nullptr;
    TFont* Font = nullptr;
    std::string Text;
    TRect Rect;
    TImageList* Images = nullptr;
    TGDIPPictureContainer* PictureContainer = nullptr;
};
bool RenderMiniHtml(const TMiniHtmlParams& params, TMiniHtmlResult& result);

}  // namespace dsp
