#pragma once
// TPen: the colour, width, style and mix mode of the lines a canvas draws. Width 0 and 1 both
// draw one-pixel lines; styled lines (dash, dot, ...) are one pixel wide, a wider styled pen
// draws solid lines.

#include "framework/core/TypeInfo.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/GraphicsObject.h"

namespace dsp {

enum TPenStyle {
    psSolid,
    psDash,         // 18 pixels on, 6 off
    psDot,          // 3 on, 3 off
    psDashDot,      // 9 on, 6 off, 3 on, 6 off
    psDashDotDot,   // 9 on, 3 off, 3 on, 3 off, 3 on, 3 off
    psClear,        // no line at all
    psInsideFrame,  // a wide outline of a closed shape stays inside its rectangle
    psAlternate,    // every other pixel
};
DSP_ENUM_NAMES(TPenStyle, "psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear",
               "psInsideFrame", "psAlternate")

// How the pen's colour P mixes with the pixel D it lands on.
enum TPenMode {
    pmBlack,        // 0
    pmWhite,        // 1
    pmNop,          // D
    pmNot,          // not D
    pmCopy,         // P
    pmNotCopy,      // not P
    pmMergePenNot,  // P or not D
    pmMaskPenNot,   // P and not D
    pmMergeNotPen,  // not P or D
    pmMaskNotPen,   // not P and D
    pmMerge,        // P or D
    pmNotMerge,     // not (P or D)
    pmMask,         // P and D
    pmNotMask,      // not (P and D)
    pmXor,          // P xor D
    pmNotXor,       // not (P xor D)
};

class TPen : public TGraphicsObject {
public:
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    int Width() const { return width_; }
    void SetWidth(int value);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle value);
    TPenMode Mode() const { return mode_; }
    void SetMode(TPenMode value);

    void Assign(TPersistent* source) override;

private:
    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = psSolid;
    TPenMode mode_ = pmCopy;
};

// The binary raster operation code (1 to 16) of a pen mode.
int PenModeToRop2(TPenMode mode);

}  // namespace dsp
