// Gate editing and its transfer plot, and the routing page's GATE labels. The form wires the
// handlers; their bodies come with the dynamics' editing.

#include "mainwindow/FMain.h"

namespace dsp {

void TfmMain::ApplyGateValue(int, int, int) {}
void TfmMain::ShowLinkedGate(int, int, int) {}
void TfmMain::DrawGateCurve(int) {}
void TfmMain::isGateThresholdInAChange(TObject*) {}
void TfmMain::isGateAttackInAChange(TObject*) {}
void TfmMain::isGateReleaseInAChange(TObject*) {}
void TfmMain::isGateHoldInAChange(TObject*) {}
void TfmMain::cvdGateThresholdInAMouseDown(TObject*, TMouseButton, TShiftState, int, int) {}
void TfmMain::cvdGateAttackInAMouseDown(TObject*, TMouseButton, TShiftState, int, int) {}
void TfmMain::cvdGateReleaseInAMouseDown(TObject*, TMouseButton, TShiftState, int, int) {}
void TfmMain::lbGateInAMouseDown(TObject*, TMouseButton, TShiftState, int, int) {}
void TfmMain::lbMatrixGateInAClick(TObject*) {}

}  // namespace dsp
