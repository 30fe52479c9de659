#pragma once
// Types shared by the whole plot engine: text angles and alignments, fill directions, precision
// styles, the bevel of a component's frame, and the records a plot hands its objects with mouse
// input and hints.

#include <cstdint>
#include <functional>
#include <string>

#include "framework/controls/ControlTypes.h"
#include "framework/core/TypeInfo.h"
#include "framework/graphics/Geometry.h"

namespace dsp {

enum TiRotationAngle { ira000, ira090, ira180, ira270 };
DSP_ENUM_NAMES(TiRotationAngle, "ira000", "ira090", "ira180", "ira270")

enum TiAlignmentHorizontal { iahCenter, iahLeft, iahRight };
DSP_ENUM_NAMES(TiAlignmentHorizontal, "iahCenter", "iahLeft", "iahRight")

enum TiFillDirection {
    ifdTopBottom,
    ifdBottomTop,
    ifdLeftRight,
    ifdRightLeft,
    ifdTopLeftBottomRight,
    ifdBottomRightTopLeft,
    ifdBottomLeftTopRight,
    ifdTopRightBottomLeft,
    ifdRectangleOut,
    ifdRectangleIn,
    ifdCircleOut,
    ifdCircleIn,
};
DSP_ENUM_NAMES(TiFillDirection, "ifdTopBottom", "ifdBottomTop", "ifdLeftRight", "ifdRightLeft",
               "ifdTopLeftBottomRight", "ifdBottomRightTopLeft", "ifdBottomLeftTopRight",
               "ifdTopRightBottomLeft", "ifdRectangleOut", "ifdRectangleIn", "ifdCircleOut",
               "ifdCircleIn")

enum TiPrecisionStyle { ipsSignificantDigits, ipsFixedDecimalPoints };
DSP_ENUM_NAMES(TiPrecisionStyle, "ipsSignificantDigits", "ipsFixedDecimalPoints")

enum TiBevelStyle { ibsNone, ibsRaised, ibsLowered };
DSP_ENUM_NAMES(TiBevelStyle, "ibsNone", "ibsRaised", "ibsLowered")

// How an annotation's coordinates refer to the data view or a channel.
enum TiPlotReferenceType {
    iprtDataView,
    iprtChannel,
    iprtXChannelYDataView,
    iprtXDataViewYChannel
};
DSP_ENUM_NAMES(TiPlotReferenceType, "iprtDataView", "iprtChannel", "iprtXChannelYDataView",
               "iprtXDataViewYChannel")

enum TiPlotReferenceIndividual { ipriDataView, ipriChannel, ipriAuto };
DSP_ENUM_NAMES(TiPlotReferenceIndividual, "ipriDataView", "ipriChannel", "ipriAuto")

// What a plot hands its objects with every mouse event. XAxisPixels and YAxisPixels are the
// position along the X and the Y axis: (X, Y), or (Y, X) when the plot shows X vertically.
struct TiPlotMouseData {
    int X = 0;
    int Y = 0;
    int ScreenX = 0;
    int ScreenY = 0;
    int XAxisPixels = 0;
    int YAxisPixels = 0;
    TShiftState Shift;
    TMouseButton Button = mbLeft;
    bool DblClickActive = false;
};

// A plot hint: its text and the box it is drawn in.
struct TiHintData {
    std::string Text;
    int Top = 0;
    int Left = 0;
    int Width = 0;
    int Height = 0;
    bool Visible = false;
};

}  // namespace dsp
