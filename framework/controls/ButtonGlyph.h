#pragma once
// The picture and caption of speed buttons and bitmap buttons. A glyph bitmap holds up to four
// pictures side by side (NumGlyphs): up, disabled, clicked, down; its bottom-left pixel's colour
// is transparent. Without a disabled picture the disabled look is made from the up picture:
// its dark pixels embossed in the shadow and highlight colours.

#include <string>

#include "framework/core/TypeInfo.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"

namespace dsp {

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
DSP_ENUM_NAMES(TButtonLayout, "blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom")

enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };
DSP_ENUM_NAMES(TButtonState, "bsUp", "bsDisabled", "bsDown", "bsExclusive")

struct TGlyphPlacement {
    TPoint glyph;  // top-left corner of the picture
    TRect text;    // where the caption goes
};

// Places a picture of glyphSize and a caption of textSize in client. Margin -1 centres the
// pair; otherwise it is the distance from the edge the layout names. Spacing -1 spreads them
// evenly; otherwise it is the gap between them.
TGlyphPlacement PlaceGlyphAndText(const TRect& client, TSize glyphSize, TSize textSize,
                                  TButtonLayout layout, int margin, int spacing);

// The size of one picture of the glyph.
TSize GlyphSize(const TBitmap* glyph, int numGlyphs);

// Draws the picture for the state at (x, y), its transparent colour left out.
void DrawButtonGlyph(TCanvas& canvas, const TBitmap* glyph, int numGlyphs, TButtonState state,
                     int x, int y);

// Draws a caption as a button shows it: the font's colour, or grey and embossed when disabled.
void DrawButtonCaption(TCanvas& canvas, const std::string& caption, TRect rect, bool enabled);

// How a speed button or a bitmap button places its glyph and caption (see PlaceGlyphAndText).
// Each setter tells whether the setting changed, so that the button repaints.
class TGlyphSettings {
public:
    TButtonLayout Layout() const { return layout_; }
    bool SetLayout(TButtonLayout value);
    int Margin() const { return margin_; }
    bool SetMargin(int value);  // below -1: ignored
    int NumGlyphs() const { return numGlyphs_; }
    bool SetNumGlyphs(int value);  // kept within 1 to 4
    int Spacing() const { return spacing_; }
    bool SetSpacing(int value);

    // Draws the picture for the state and the caption in the canvas font, placed in client and
    // moved right and down by shift pixels.
    void Draw(TCanvas& canvas, const TRect& client, const TBitmap* glyph, TButtonState state,
              const std::string& caption, bool enabled, int shift = 0) const;

private:
    TButtonLayout layout_ = blGlyphLeft;
    int margin_ = -1;
    int numGlyphs_ = 1;
    int spacing_ = 4;
};

}  // namespace dsp
