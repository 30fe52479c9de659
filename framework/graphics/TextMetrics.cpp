#include "framework/graphics/TextMetrics.h"

#include "framework/graphics/FontQt.h"

namespace dsp {

TTextMetric GetTextMetrics(const TCanvas& canvas) {
    const TFontResource& font = canvas.Font()->Resource();
    TTextMetric metric;
    metric.tmHeight = font.height;
    metric.tmAscent = font.ascent;
    metric.tmDescent = font.descent;
    metric.tmExternalLeading = font.externalLeading;
    metric.tmAveCharWidth = font.aveCharWidth;
    return metric;
}

}  // namespace dsp
