// Dragging band markers and crossover handles on the response views. The form wires the views'
// mouse events; their bodies come with the channel pages' editing.

#include "framework/runtime/Timer.h"
#include "mainwindow/FMain.h"

namespace dsp {

void TfmMain::fftDrawInAMouseDown(TObject*, TMouseButton, TShiftState, int, int) {}
void TfmMain::fftDrawInAMouseMove(TObject*, TShiftState, int, int) {}
void TfmMain::fftDrawInAMouseUp(TObject*, TMouseButton, TShiftState, int, int) {}
void TfmMain::tmMouseEqCurveTimer(TObject*) { tmMouseEqCurve->SetEnabled(false); }

}  // namespace dsp
