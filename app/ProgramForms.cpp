#include "app/ProgramForms.h"

#include "dialogs/FExit.h"
#include "dialogs/FFactory.h"
#include "dialogs/FInformation.h"
#include "dialogs/FLockPassWord.h"
#include "dialogs/FLockSetup.h"
#include "dialogs/FPeqRst.h"
#include "dialogs/FRecallPreset.h"
#include "dialogs/FStoreName.h"
#include "dialogs/FStorePreset.h"
#include "framework/controls/Form.h"
#include "link/forms/FHidData.h"
#include "link/forms/FMemo.h"
#include "link/forms/FNetWorkScan.h"
#include "link/forms/FNetworkSetup.h"
#include "link/forms/FProcess.h"
#include "mainwindow/FMain.h"

namespace dsp {

// The creation order. Dialogs whose units are still to come take their place here as they
// land: fmAbout, fmRs232Code and fmRs232CodeEnglish after fmPeqRst; fmChannelName after
// fmRecallPreset; fmTest, fmLinkSel and fmChNameList after fmFactory; fmCopy after
// fmNetworkSetup.
void CreateProgramForms() {
    CreateForm(fmMain);
    CreateForm(fmHidData);
    CreateForm(fmPeqRst);
    CreateForm(fmLockPassWord);
    CreateForm(fmLockSetup);
    CreateForm(fmNetwork);
    CreateForm(fmProcess);
    CreateForm(fmInformation);
    CreateForm(fmExit);
    CreateForm(fmMemo);
    CreateForm(fmRecallPreset);
    CreateForm(fmStorePreset);
    CreateForm(fmFactory);
    CreateForm(fmStoreName);
    CreateForm(fmNetworkSetup);
}

}  // namespace dsp
