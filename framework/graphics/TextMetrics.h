#pragma once
// The measures of a canvas's font that line layout needs beyond TextWidth and TextHeight: where
// the baseline lies in the cell, so that runs of different sizes share one baseline.

#include "framework/graphics/Canvas.h"

namespace dsp {

struct TTextMetric {
    int tmHeight = 0;           // the cell: ascent + descent
    int tmAscent = 0;           // pixels above the baseline
    int tmDescent = 0;          // pixels below it
    int tmExternalLeading = 0;  // extra space the font asks for between lines
    int tmAveCharWidth = 0;
};

// The metrics of the canvas's font at the canvas's resolution.
TTextMetric GetTextMetrics(const TCanvas& canvas);

}  // namespace dsp
