// Typed values in the compressor and gate boxes: Enter or leaving a box takes its text. The form
// wires the handlers; their bodies come with the dynamics' editing.

#include "mainwindow/FMain.h"

namespace dsp {

void TfmMain::cvdCompThresholdOut1KeyDown(TObject*, TKeyCode&, TShiftState) {}
void TfmMain::cvdCompThresholdOut1Exit(TObject*) {}
void TfmMain::cvdCompAttackOut1KeyDown(TObject*, TKeyCode&, TShiftState) {}
void TfmMain::cvdCompAttackOut1Exit(TObject*) {}
void TfmMain::cvdCompReleaseOut1KeyDown(TObject*, TKeyCode&, TShiftState) {}
void TfmMain::cvdCompReleaseOut1Exit(TObject*) {}
void TfmMain::cvdCompKneeOut1KeyDown(TObject*, TKeyCode&, TShiftState) {}
void TfmMain::cvdCompKneeOut1Exit(TObject*) {}
void TfmMain::cvdCompRatioOut1KeyDown(TObject*, TKeyCode&, TShiftState) {}
void TfmMain::cvdCompRatioOut1Exit(TObject*) {}
void TfmMain::cvdGateThresholdInAKeyDown(TObject*, TKeyCode&, TShiftState) {}
void TfmMain::cvdGateThresholdInAExit(TObject*) {}
void TfmMain::cvdGateAttackInAKeyDown(TObject*, TKeyCode&, TShiftState) {}
void TfmMain::cvdGateAttackInAExit(TObject*) {}
void TfmMain::cvdGateReleaseInAKeyDown(TObject*, TKeyCode&, TShiftState) {}
void TfmMain::cvdGateReleaseInAExit(TObject*) {}
void TfmMain::cvdGateHoldInAKeyDown(TObject*, TKeyCode&, TShiftState) {}
void TfmMain::cvdGateHoldInAExit(TObject*) {}

}  // namespace dsp
