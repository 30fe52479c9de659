#pragma once
// Framework-internal: where a canvas draws, and what other painters inside the framework (the
// controls' paint cycle, the anti-aliased drawing layer) need to draw on the same pixels.

#include <QImage>
#include <QPoint>
#include <QRegion>

#include <optional>

#include "framework/graphics/Canvas.h"

namespace dsp {

struct TCanvasSurface {
    QImage* image = nullptr;      // 32-bit pixels, not owned
    QPoint origin;                // image position of logical (0, 0) before the viewport origin
    std::optional<QRegion> clip;  // image coordinates; none: the whole image
    bool monochrome = false;      // every pixel black or white
    int pixelsPerInch = 0;        // the device's resolution; 0: the screen's
};

// The surface as the canvas uses it now: origin moved by the viewport and window origins, clip
// narrowed by the clip region. Pointing another canvas at it draws exactly where and as far
// as this one would (a control painting its parent's background into itself).
TCanvasSurface CurrentSurface(const TCanvas& canvas);

// The image position of logical (0, 0) now, and the visible part of the image.
QPoint DeviceOffset(const TCanvas& canvas);
QRegion DeviceClip(const TCanvas& canvas);

}  // namespace dsp
