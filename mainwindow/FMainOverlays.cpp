// Curve overlays and view switches: the dirty marks of the curves, the refresh of the overview
// and overlay curves, the lamp buttons and the Mag/Phase switches. The form wires them; their
// bodies come with the channel pages' editing.

#include "mainwindow/FMain.h"

namespace dsp {

void TfmMain::MarkCurveDirty(int) {}
void TfmMain::RefreshOverviewCurves() {}
void TfmMain::RefreshOverlayCurves(int) {}
void TfmMain::vrbShowAGainClick(TObject*) {}
void TfmMain::vrbShow1GainClick(TObject*) {}
void TfmMain::vrbShowBInAClick(TObject*) {}
void TfmMain::vrbShowAInBClick(TObject*) {}
void TfmMain::vrbShowAInCClick(TObject*) {}
void TfmMain::vrbShow2Out1Click(TObject*) {}
void TfmMain::vrbShow1Out2Click(TObject*) {}
void TfmMain::vrbShow1Out3Click(TObject*) {}
void TfmMain::vrbShow1Out4Click(TObject*) {}
void TfmMain::vrbShow1Out5Click(TObject*) {}
void TfmMain::vrbShow1Out6Click(TObject*) {}
void TfmMain::rbShowGainInAClick(TObject*) {}
void TfmMain::rbShowPhaseInAClick(TObject*) {}

}  // namespace dsp
