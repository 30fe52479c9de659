// The program's forms: made once, in their order, the main window first (it shows its default
// image while no dialog exists yet, so everything its creation does must do without them), each
// owned by the application and reachable through its global.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

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
namespace {

TEST(ProgramForms, TheMainWindowComesFirstAndEveryDialogAfterItOnce) {
    ASSERT_EQ(MainForm(), nullptr) << "this program must make no form before the editor's";
    CreateProgramForms();
    ASSERT_NE(fmMain, nullptr);
    EXPECT_EQ(MainForm(), fmMain);
    EXPECT_FALSE(fmMain->IsApplyingImage());

    const TComponent* owner = fmMain->Owner();
    ASSERT_NE(owner, nullptr);
    const std::vector<TComponent*> order = {fmMain,         fmHidData,      fmPeqRst,
                                            fmAbout,        fmRs232Code,    fmRs232CodeEnglish,
                                            fmLockPassWord, fmLockSetup,    fmNetwork,
                                            fmProcess,      fmInformation,  fmExit,
                                            fmMemo,         fmRecallPreset, fmChannelName,
                                            fmStorePreset,  fmFactory,      fmTest,
                                            fmLinkSel,      fmChNameList,   fmStoreName,
                                            fmNetworkSetup, fmCopy};
    // The application's forms in the order they were made; the splash screen's window, which
    // its component makes for itself, is not one of the program's.
    std::vector<TComponent*> made;
    for (int i = 0; i < owner->ComponentCount(); ++i) {
        TComponent* form = owner->Components(i);
        if (std::find(order.begin(), order.end(), form) != order.end()) made.push_back(form);
    }
    EXPECT_EQ(made, order);
    for (const TComponent* form : order) EXPECT_EQ(form->Owner(), owner);
}

}  // namespace
}  // namespace dsp
