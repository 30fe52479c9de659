#pragma once
// Framework-internal: the pixels behind a TBitmap.

#include <QImage>

#include <memory>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/CanvasQt.h"

namespace dsp {

struct TBitmap::Impl {
    QImage image;  // Format_RGB32; null when empty
    std::unique_ptr<TCanvas> canvas;
    TCanvasSurface surface;
    bool monochrome = false;
    TPixelFormat format = pfDevice;
    TColor transparentColor = clDefault;
    TTransparentMode transparentMode = tmAuto;
};

// A 32-bit copy of any image, in the format a bitmap keeps.
QImage ToBitmapFormat(const QImage& image);

}  // namespace dsp
