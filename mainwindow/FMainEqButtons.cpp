// The EQ reset, show-all and whole-EQ bypass buttons over each response view, and the reset of a
// channel's bands. The form wires them; their bodies come with the channel pages' editing.

#include "mainwindow/FMain.h"

namespace dsp {

void TfmMain::ResetChannelEq(int) {}
void TfmMain::vrbEqResetInAClick(TObject*) {}
void TfmMain::vrbEqShowAllInAClick(TObject*) {}
void TfmMain::vrbEqBypassInAClick(TObject*) {}

}  // namespace dsp
