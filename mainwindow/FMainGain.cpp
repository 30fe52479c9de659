// Gain, mute and polarity: the six handlers of the channel pages' and the Gain page's strips.
// The form wires them; their bodies come with the strips' editing.

#include "mainwindow/FMain.h"

namespace dsp {

void TfmMain::isGainInAChange(TObject*) {}
void TfmMain::isGainBackupInAChange(TObject*) {}
void TfmMain::rzbMuteInAClick(TObject*) {}
void TfmMain::rzbMuteBackupInAClick(TObject*) {}
void TfmMain::rzbPhaseInAClick(TObject*) {}
void TfmMain::rzbPhaseBackupInAClick(TObject*) {}

}  // namespace dsp
