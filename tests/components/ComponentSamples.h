#pragma once
// Response views set up as the main window sets its own, and a sample channel drawn on one
// through the response calculator: for the tests, the sample renders and the benchmarks.

#include <string>

#include "components/LMyFFTDrawPhase.h"
#include "model/Plot.h"

namespace dsp {
class TWinControl;
class TAdvTrackBar;
class TCurvyEdit;
}  // namespace dsp

namespace dsp::test {

// A view of the main window: 255 high, 1070 (channel) or 530 (overview) wide, black, the
// 12.7 Hz to 24.5 kHz span of the 4096-point grid at 96 kHz, -18 to +18 dB, Tahoma labels.
LMyFFTDrawPhase* MakeMainWindowView(TWinControl* parent, int left, int top, int width);

// The sample channel's three bands: +6 dB at 99.2 Hz, -4 dB at 1 kHz, a +3 dB high shelf at
// 8 kHz (frequencies of the 1/30-octave grid), their Q given as positions in the Q table.
struct TSampleBand {
    double hz;
    int qPosition;
    double gainDb;
    int peqType;
};
inline constexpr TSampleBand kSampleBands[3] = {
    {99.21256574801247, 22, 6.0, 0}, {1000.0, 28, -4.0, 0}, {8000.0, 10, 3.0, 2}};
// The sample channel's selected band.
inline constexpr int kSampleSelectedBand = 1;

// The three sample bands on the plot's view: their curves, markers and the channel total in
// channel 0's colour. With selected, band 1 is the selected band (captions and fill).
void DrawSampleChannel(Plot& plot, bool selected);

// A gain fader as the main window sets one up: vertical, 26 x 126, -280..120, page 6, a
// 3-pixel white-to-black track with a grey frame, the generator's thumb pictures.
TAdvTrackBar* MakeMainWindowFader(TWinControl* parent, int left, int top);

// A value box under a fader: 58 x 24, rounding 6, white border, pale cyan, Tahoma 11
// pixels, centred.
TCurvyEdit* MakeValueBox(TWinControl* parent, int left, int top, const std::string& text);

}  // namespace dsp::test
