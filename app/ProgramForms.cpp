#include "app/ProgramForms.h"

#include "dialogs/FExit.h"
#include "dialogs/FFactory.h"
#include "dialogs/FPeqRst.h"
#include "framework/controls/Form.h"
#include "mainwindow/FMain.h"

namespace dsp {

// The creation order. Dialogs whose units are still to come take their place here as they
// land: fmHidData after fmMain; fmAbout, fmRs232Code, fmRs232CodeEnglish, fmLockPassWord,
// fmLockSetup, fmNetwork, fmProcess, fmInformation after fmPeqRst; fmMemo, fmRecallPreset,
// fmChannelName, fmStorePreset after fmExit; fmTest, fmLinkSel, fmChNameList, fmStoreName,
// fmNetworkSetup, fmCopy after fmFactory.
void CreateProgramForms() {
    CreateForm(fmMain);
    CreateForm(fmPeqRst);
    CreateForm(fmExit);
    CreateForm(fmFactory);
}

}  // namespace dsp
