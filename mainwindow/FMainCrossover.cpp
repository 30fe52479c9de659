// Crossover editing: the high-pass and low-pass faders, slope selectors and bypass buttons, and
// the crossover curves. The form wires them; their bodies come with the channel pages' editing.

#include "framework/runtime/Timer.h"
#include "mainwindow/FMain.h"

namespace dsp {

void TfmMain::UpdateHighPassCurve(int) {}
void TfmMain::UpdateLowPassCurve(int) {}
void TfmMain::isLowCutFreqInAChange(TObject*) {}
void TfmMain::isHighCutFreqInAChange(TObject*) {}
void TfmMain::rzcLowCutSlopInAChange(TObject*) {}
void TfmMain::rzcHighCutSlopInAChange(TObject*) {}
void TfmMain::rzcLowCutSlopInAMouseWheel(TObject*, TShiftState, int, TPoint, bool&) {}
void TfmMain::rzcHighCutSlopInAMouseWheel(TObject*, TShiftState, int, TPoint, bool&) {}
void TfmMain::rzbLowCutBypassInAClick(TObject*) {}
void TfmMain::rzbHighCutBypassInAClick(TObject*) {}
void TfmMain::tmHpLpCurveTimer(TObject*) { tmHpLpCurve->SetEnabled(false); }

}  // namespace dsp
