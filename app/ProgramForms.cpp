#include "app/ProgramForms.h"

#include "dialogs/FExit.h"
#include "dialogs/FFactory.h"
#include "dialogs/FInformation.h"
#include "dialogs/FPeqRst.h"
#include "framework/controls/Form.h"
#include "link/forms/FHidData.h"
#include "link/forms/FMemo.h"
#include "link/forms/FNetWorkScan.h"
#include "link/forms/FProcess.h"
#include "mainwindow/FMain.h"

namespace dsp {

// The creation order. Dialogs whose units are still to come take their place here as they
// land: fmAbout, fmRs232Code, fmRs232CodeEnglish, fmLockPassWord and fmLockSetup after
// fmPeqRst; fmRecallPreset, fmChannelName and fmStorePreset after fmMemo; fmTest, fmLinkSel,
// fmChNameList, fmStoreName, fmNetworkSetup and fmCopy after fmFactory.
void CreateProgramForms() {
    CreateForm(fmMain);
    CreateForm(fmHidData);
    CreateForm(fmPeqRst);
    CreateForm(fmNetwork);
    CreateForm(fmProcess);
    CreateForm(fmInformation);
    CreateForm(fmExit);
    CreateForm(fmMemo);
    CreateForm(fmFactory);
}

}  // namespace dsp
