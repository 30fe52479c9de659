#pragma once
// Drawing steps several picture families share.

#include <memory>

#include "framework/graphics/Bitmap.h"

namespace dsp::artwork {

// A new 24-bit picture filled with one colour.
std::unique_ptr<TBitmap> NewPicture(int width, int height, TColor fill);

// Turns the area outside an outline into the key colour: from each corner of r, every pixel
// reached without crossing a pixel of the outline colour (four-neighbourhood).
void KeyOutside(TBitmap& picture, const TRect& r, TColor outline, TColor key);

// Two colours from top to bottom of r, clipped to nothing else.
void VerticalGradient(TBitmap& picture, const TRect& r, TColor top, TColor bottom);

}  // namespace dsp::artwork
