#pragma once
// What the response calculator needs of a response view: the drawing operations that put
// curves, band markers and the selected band on it. The response view component implements
// this interface; the calculator only ever talks to a view through it, so the model stays free
// of any toolkit.

#include <cstdint>

namespace dsp {

// A framework colour value: $00BBGGRR for an RGB colour (blue in the high byte).
using ViewColour = std::int32_t;

// How a view draws the points of a curve. The calculator always draws lines.
enum TMyPlotStyle : std::int32_t {
    mpsLine = 0,                   // a line through the points
    mpsFilledSquares = 1,          // a square per point, filled in the curve's colour
    mpsBackgroundSquares = 2,      // a square per point, filled with the view's background
    mpsLineFilledSquares = 3,      // the line and the filled squares
    mpsLineBackgroundSquares = 4,  // the line and the background-filled squares
};

// Marker shapes the calculator asks for.
inline constexpr int BlockBand = 1;            // a numbered EQ band marker
inline constexpr int BlockLowPassHandle = 2;   // the low-pass handle, "LPF"
inline constexpr int BlockHighPassHandle = 3;  // the high-pass handle, "HPF"

class IResponseView {
public:
    virtual ~IResponseView() = default;

    // Adds the curve with this id, or replaces the points of the one already there (keeping its
    // colour and style), from a copy of count values at x = 0, 1, ..., count - 1. True when a
    // curve with the id existed.
    virtual bool FFTDraw(const double* y, int count, int id, ViewColour colour,
                         TMyPlotStyle style) = 0;
    // Removes the curve with this id; false when there was none.
    virtual bool RemovePlot(int id) = 0;

    // Places marker slot n (0 to 49) at curve position x and value y and draws it in the given
    // shape type (1 band, 2 low-pass handle, 3 high-pass handle).
    virtual void DrawBlock(double y, double x, ViewColour colour, int n, bool hidden, int type) = 0;
    // The caption data of marker slot n: frequency, gain, Q and filter kind. Returns n.
    virtual int SetBlockParameter(int n, double freqHz, double gainDb, double q, int kind) = 0;

    // The selected band's captions: caption kind, gain, curve position, frequency, Q, colour.
    virtual void DrawParam(int kind, double gainDb, double x, float freqHz, double q,
                           ViewColour colour) = 0;
    // The selected band's filled curve; DrawParam comes first, since its kind and gain decide
    // how the fill closes.
    virtual void DrawCurveFill(int kind, const double* values, int count) = 0;
    // Whether the selected band's captions and fill are repainted with the view.
    virtual void SetCurveDisplay(bool on) = 0;
};

}  // namespace dsp
