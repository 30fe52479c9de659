// Delay: the faders, the unit buttons, the delay lines with their markers and the typed values.
// The form wires them; their bodies come with the strips' editing.

#include "mainwindow/FMain.h"

namespace dsp {

void TfmMain::isDelayInAChange(TObject*) {}
void TfmMain::rzbUnit0Click(TObject*) {}
void TfmMain::UpdateDelayLine(int) {}
void TfmMain::lbDelayLineInAMouseDown(TObject*, TMouseButton, TShiftState, int, int) {}
void TfmMain::lbDelayLineInAMouseMove(TObject*, TShiftState, int, int) {}
void TfmMain::lbDelayLineInAMouseUp(TObject*, TMouseButton, TShiftState, int, int) {}
void TfmMain::cvdDelayInBKeyDown(TObject*, TKeyCode&, TShiftState) {}
void TfmMain::cvdDelayInAExit(TObject*) {}

}  // namespace dsp
