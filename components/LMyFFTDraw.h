#pragma once
// The response view's twin: level labels unscaled with the fixed unit "dB", three more marker
// shapes (an ellipse labelled "L", "M" or "H") and its own caption table.

#include <string>

#include "components/LMyFFTDrawPhase.h"

namespace dsp {

class LMyFFTDraw : public LMyFFTDrawPhase {
public:
    explicit LMyFFTDraw(TComponent* owner) : LMyFFTDrawPhase(owner) {}

protected:
    std::string LevelLabel(double value) const override;
    bool DrawMarkerShape(TCanvas& canvas, int type, int px, int py, int slot) override;
    int BlockCaptionKind(double filterKind) const override;
    TCaptionLines CaptionLines(int kind, bool selected) const override;
};

}  // namespace dsp
