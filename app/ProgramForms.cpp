#include "app/ProgramForms.h"

#include "dialogs/FAbout.h"
#include "dialogs/FChNameList.h"
#include "dialogs/FChannelName.h"
#include "dialogs/FCopy.h"
#include "dialogs/FExit.h"
#include "dialogs/FFactory.h"
#include "dialogs/FInformation.h"
#include "dialogs/FLinkSel.h"
#include "dialogs/FLockPassWord.h"
#include "dialogs/FLockSetup.h"
#include "dialogs/FPeqRst.h"
#include "dialogs/FRecallPreset.h"
#include "dialogs/FRs232Code.h"
#include "dialogs/FStoreName.h"
#include "dialogs/FStorePreset.h"
#include "dialogs/FTest.h"
#include "framework/controls/Form.h"
#include "link/forms/FHidData.h"
#include "link/forms/FMemo.h"
#include "link/forms/FNetWorkScan.h"
#include "link/forms/FNetworkSetup.h"
#include "link/forms/FProcess.h"
#include "mainwindow/FMain.h"

namespace dsp {

// The creation order: the main window first, then every dialog, each created once.
void CreateProgramForms() {
    CreateForm(fmMain);
    CreateForm(fmHidData);
    CreateForm(fmPeqRst);
    CreateForm(fmAbout);
    CreateForm(fmRs232Code);
    CreateForm(fmRs232CodeEnglish);
    CreateForm(fmLockPassWord);
    CreateForm(fmLockSetup);
    CreateForm(fmNetwork);
    CreateForm(fmProcess);
    CreateForm(fmInformation);
    CreateForm(fmExit);
    CreateForm(fmMemo);
    CreateForm(fmRecallPreset);
    CreateForm(fmChannelName);
    CreateForm(fmStorePreset);
    CreateForm(fmFactory);
    CreateForm(fmTest);
    CreateForm(fmLinkSel);
    CreateForm(fmChNameList);
    CreateForm(fmStoreName);
    CreateForm(fmNetworkSetup);
    CreateForm(fmCopy);
}

}  // namespace dsp
