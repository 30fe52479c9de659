// Compressor editing and its transfer plot. The form wires the handlers; their bodies come with
// the dynamics' editing.

#include "framework/runtime/Timer.h"
#include "mainwindow/FMain.h"

namespace dsp {

void TfmMain::ApplyCompressorValue(int, int, int) {}
void TfmMain::ShowLinkedCompressor(int, int, int) {}
void TfmMain::DrawCompressorCurve(int) {}
void TfmMain::isCompThresholdOut1Change(TObject*) {}
void TfmMain::isCompAttackOut1Change(TObject*) {}
void TfmMain::isCompReleaseOut1Change(TObject*) {}
void TfmMain::udCompRatioOut1ChangingEx(TObject*, bool&, int, TUpDownDirection) {}
void TfmMain::udCompKneeOut1ChangingEx(TObject*, bool&, int, TUpDownDirection) {}
void TfmMain::isCompThresholdOut1MouseDown(TObject*, TMouseButton, TShiftState, int, int) {}
void TfmMain::cvdCompThresholdOut1MouseDown(TObject*, TMouseButton, TShiftState, int, int) {}
void TfmMain::lbCompOut1MouseDown(TObject*, TMouseButton, TShiftState, int, int) {}
void TfmMain::tmCompDispTimer(TObject*) { tmCompDisp->SetEnabled(false); }

}  // namespace dsp
