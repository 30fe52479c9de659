// The routing matrix: the routing buttons of each output and the lines from the inputs to the
// outputs they feed. The form wires them; their bodies come with the strips' editing.

#include "mainwindow/FMain.h"

namespace dsp {

void TfmMain::rzbAMatrixOut1Click(TObject*) {}
void TfmMain::rzbAMatrixOut2Click(TObject*) {}
void TfmMain::rzbAMatrixOut3Click(TObject*) {}
void TfmMain::rzbAMatrixOut4Click(TObject*) {}
void TfmMain::rzbAMatrixOut5Click(TObject*) {}
void TfmMain::rzbAMatrixOut6Click(TObject*) {}
void TfmMain::DrawRoutingLines() {}
void TfmMain::rzgFftMatrixPaint(TObject*) {}
void TfmMain::BlockDiagramClick(TObject*) {}

}  // namespace dsp
