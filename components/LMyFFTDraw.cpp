#include "components/LMyFFTDraw.h"

#include <algorithm>
#include <cmath>

#include "framework/graphics/Canvas.h"
#include "framework/text/Numbers.h"

namespace dsp {

std::string LMyFFTDraw::LevelLabel(double value) const {
    return FloatToStrF(value, ffGeneral, std::max(1, std::min(YLabelPrecision(), 18)),
                       std::max(0, std::min(YLabelDigits(), 4))) +
           "dB";
}

bool LMyFFTDraw::DrawMarkerShape(TCanvas& canvas, int type, int px, int py, int slot) {
    if (type < 4 || type > 6) return LMyFFTDrawPhase::DrawMarkerShape(canvas, type, px, py, slot);
    canvas.Brush()->SetStyle(bsDiagCross);
    canvas.Ellipse(px - 3, py - 3, px + 3, py + 3);
    canvas.Brush()->SetStyle(bsClear);
    canvas.Font()->SetColor(clWhite);
    canvas.Font()->SetSize(11);
    static constexpr const char* kLetters[3] = {"L", "M", "H"};
    canvas.TextOut(px - 3, py - 23, kLetters[type - 4]);
    return true;
}

int LMyFFTDraw::BlockCaptionKind(double filterKind) const {
    return static_cast<int>(std::trunc(filterKind - 1));
}

LMyFFTDrawPhase::TCaptionLines LMyFFTDraw::CaptionLines(int kind, bool /*selected*/) const {
    if (kind == 0) return {true, true, true, {-69, -56, -43}, {20, 33, 46}};
    if (kind <= 2) return {false, true, true, {0, -46, -33}, {0, 20, 33}};
    return {false, true, false, {0, -43, 0}, {0, 20, 0}};
}

}  // namespace dsp
