#pragma once
// TBrush: how a canvas fills areas. A solid brush fills with its colour and makes text and
// dashed-line gaps opaque in that colour; any other style leaves them transparent. A hatch
// brush draws its lines in the brush colour over what is there. A bitmap brush repeats a
// picture (usually 8 x 8); a monochrome picture shows its black pixels in the canvas's text
// colour and its white pixels in the background colour.

#include <cstdint>
#include <vector>

#include "framework/core/TypeInfo.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/GraphicsObject.h"

namespace dsp {

class TBitmap;

enum TBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,  // lines from upper left to lower right
    bsBDiagonal,  // lines from lower left to upper right
    bsCross,
    bsDiagCross,
};
DSP_ENUM_NAMES(TBrushStyle, "bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal",
               "bsBDiagonal", "bsCross", "bsDiagCross")

// A copy of the pixels of a pattern brush, taken when the bitmap is assigned.
struct TBrushPattern {
    int width = 0;
    int height = 0;
    bool monochrome = false;
    std::vector<TColorRef> pixels;  // row by row
};

class TBrush : public TGraphicsObject {
public:
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle value);

    // The bitmap last assigned, or null. The brush keeps a copy of its pixels, so the bitmap
    // may change or be freed afterwards without affecting the brush; null ends the pattern.
    TBitmap* Bitmap() const { return bitmap_; }
    void SetBitmap(TBitmap* value);
    const TBrushPattern* Pattern() const { return pattern_.pixels.empty() ? nullptr : &pattern_; }

    void Assign(TPersistent* source) override;

private:
    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
    TBitmap* bitmap_ = nullptr;
    TBrushPattern pattern_;
};

}  // namespace dsp
