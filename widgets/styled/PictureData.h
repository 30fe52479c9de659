#pragma once
// The decoding step the pictures of the widget pack share: their stored file bytes handed to the
// drawing layer for one measuring or drawing.

#include <memory>

#include "widgets/styled/AdvGDIP.h"

namespace dsp {

class TMemoryStream;

// The decoded picture, or null when the bytes are empty. Raises Exception "Could not allocate
// memory for image" when the bytes cannot be copied for decoding (larger than
// PictureMemoryLimit, or out of memory).
std::unique_ptr<TGPImage> DecodePictureData(const TMemoryStream& data);
// The same bytes as a bitmap of the layer (for reading pixels).
std::unique_ptr<TGPBitmap> DecodePictureBitmap(const TMemoryStream& data);

}  // namespace dsp
