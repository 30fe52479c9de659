#include "app/ProgramForms.h"

#include "dialogs/FAbout.h"
#include "dialogs/FChNameList.h"
#include "dialogs/FChannelName.h"
#include "dialogs/FCopy.h"
#include "dialogs/FExit.h"
#include "dialogs/FFactory.h"
#include "dialogs/FInformation.h"
#include "dialogs/FLinkSel.h"
#include "dialogs/FPeqRst.h"
#include "dialogs/FRs232Code.h"
#include "dialogs/FTest.h"
#include "framework/controls/Form.h"
#include "link/forms/FHidData.h"
#include "link/forms/FMemo.h"
#include "link/forms/FNetWorkScan.h"
#include "link/forms/FProcess.h"
#include "mainwindow/FMain.h"

namespace dsp {

// The creation order. Dialogs whose units are still to come take their place here as they
// land: fmLockPassWord, fmLockSetup after fmRs232CodeEnglish; fmRecallPreset after fmMemo;
// fmStorePreset after fmChannelName; fmStoreName, fmNetworkSetup after fmChNameList.
void CreateProgramForms() {
    CreateForm(fmMain);
    CreateForm(fmHidData);
    CreateForm(fmPeqRst);
    CreateForm(fmAbout);
    CreateForm(fmRs232Code);
    CreateForm(fmRs232CodeEnglish);
    CreateForm(fmNetwork);
    CreateForm(fmProcess);
    CreateForm(fmInformation);
    CreateForm(fmExit);
    CreateForm(fmMemo);
    CreateForm(fmChannelName);
    CreateForm(fmFactory);
    CreateForm(fmTest);
    CreateForm(fmLinkSel);
    CreateForm(fmChNameList);
    CreateForm(fmCopy);
}

}  // namespace dsp
