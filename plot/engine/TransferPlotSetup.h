#pragma once
// The main window's two transfer plots (the gate's and the compressor's static transfer curve):
// how they are configured, the points they show at start, and the one way their points are
// replaced. Both plots are configured alike; only their size differs. X is the input level and
// Y the output level, both in dB from -100 to +20.
//
// Channel 0 holds the curve (white, two pixels wide); channel 1 holds one point, the operating
// point at the threshold, drawn as a marker. Toolbar, legend, title and data cursor are hidden,
// the axes are disabled and the data view takes no mouse input.

#include <span>

#include "plot/engine/iPlotUtils.h"
#include "plot/engine/iXYPlot.h"

namespace dsp {

class TiPlotComponent;

// Configures a new XY plot as the transfer plots are configured: its objects, names and
// settings, with the second channel (the operating point) added. Sets no size and no points.
void ConfigureTransferPlot(TiXYPlot& plot);

// The axes, data view, toolbar, legend and title of a transfer plot, on a plot that has the
// default objects (with or without channels).
void ConfigureTransferPlotFrame(TiPlotComponent& plot);

// The design size of each plot (its height grows with the window).
inline constexpr int kCompressorPlotWidth = 620;
inline constexpr int kGatePlotWidth = 855;
inline constexpr int kTransferPlotHeight = 230;

// The points each plot shows when the main window starts: the gate's curve of three points and
// the compressor's of four, each with its operating point.
inline constexpr TiDoublePoint kGateStartCurve[] = {{20, 20}, {-90, -90}, {-90, -100}};
inline constexpr TiDoublePoint kGateStartOperatingPoint{-89.8, -90.4};
inline constexpr TiDoublePoint kCompressorStartCurve[] = {
    {20, 20}, {-10, -10}, {-10, -10}, {-100, -100}};
inline constexpr TiDoublePoint kCompressorStartOperatingPoint{19.8, 20.4};

// Replaces the curve and the operating point as the main window does on every change: the
// channel's points deleted (all of them), then the new ones added one by one. The plot repaints
// once, at its next frame.
void ReplaceTransferPoints(TiXYPlot& plot, std::span<const TiDoublePoint> curve,
                           TiDoublePoint operatingPoint);

}  // namespace dsp
