// EQ band editing: the band selection, the band faders and the keyboard, the band table's change
// road and the curve of a whole channel. The form wires them; their bodies come with the channel
// pages' editing.

#include "framework/runtime/Timer.h"
#include "mainwindow/FMain.h"

namespace dsp {

void TfmMain::ClearBandSelection() {}
void TfmMain::ShowBandFields(int, int) {}
void TfmMain::SelectFirstBands() {}
void TfmMain::UpdatePeqCurve(int) {}
void TfmMain::FocusEqFreqEdit(int) {}
void TfmMain::rzbEq1InAClick(TObject*) {}
void TfmMain::isEqFreqInAChange(TObject*) {}
void TfmMain::isEqBwInAChange(TObject*) {}
void TfmMain::isEqGainInAChange(TObject*) {}
void TfmMain::tmEqCurveTimer(TObject*) { tmEqCurve->SetEnabled(false); }
void TfmMain::cvdEqFreqInAKeyDown(TObject*, TKeyCode&, TShiftState) {}
void TfmMain::cvdEqFreqInAExit(TObject*) {}
void TfmMain::peqPeqInAChange(TObject*) {}
void TfmMain::peqPeqInAEditMouseDown(TObject*, TMouseButton, TShiftState, int, int) {}
void TfmMain::peqPeqInAPeqTypeMouseWheel(TObject*, TShiftState, int, TPoint, bool&) {}

}  // namespace dsp
