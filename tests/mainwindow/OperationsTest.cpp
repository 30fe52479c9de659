// The processor operations with no processor connected: what each refuses or tells the user,
// and that nothing is sent and no chain is left waiting.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/FInformation.h"
#include "framework/controls/Label.h"
#include "framework/desktop/ScriptedDialogs.h"
#include "framework/runtime/Timer.h"
#include "link/forms/FProcess.h"
#include "model/Lcmd.h"
#include "model/Lunitcontrol.h"
#include "tests/mainwindow/SessionHarness.h"
#include "tests/support/TempFolder.h"
#include "widgets/panels/RzBmpBtn.h"

namespace dsp::test {
namespace {

class OfflineOperations : public ::testing::Test {
protected:
    OfflineOperations() : h_(THarnessOptions{}) {
        h_.onModal = [this](TCustomForm& form) {
            if (&form != fmInformation) return;
            messages_.push_back(fmInformation->lbMessage->Caption());
            fmInformation->btnOK->Click();
        };
    }
    TSessionTestForm& Form() { return h_.Form(); }

    TSessionHarness h_;
    TScriptedDialogs scripted_;
    TTempFolder folder_;
    std::vector<std::string> messages_;
};

TEST_F(OfflineOperations, PresetsOnTheProcessorChangeNothing) {
    Form().AckState = 0;
    PresetNameBytes name{};
    name.fill('x');
    Form().StorePreset(4, name);
    Form().RecallPreset(5);
    Form().FactoryReset();
    // No chain is left for a later acknowledgement to continue, and nothing was shown.
    EXPECT_EQ(Form().AckState, 0);
    EXPECT_EQ(Form().SessionPhase(), TSessionPhase::Idle);
    EXPECT_EQ(Form().PresetNumber(), 0);
    EXPECT_FALSE(Form().UnitControl().IsPresetUsed(4));
    EXPECT_FALSE(fmProcess->Visible());
    EXPECT_FALSE(Form().tmProcessShow->Enabled());
}

TEST_F(OfflineOperations, TransfersThatNeedTheProcessorSaySo) {
    Form().UploadAllPresets();
    Form().DownloadUnitFile();
    Form().FactoryDefaultClick(nullptr);
    EXPECT_EQ(messages_,
              (std::vector<std::string>{"You Must Connect First !!", "You Must Connect First !!",
                                        "You Must Connect First !!"}));
    // The download asked for no file: it stops before.
    EXPECT_TRUE(scripted_.FileDialogs().empty());
    EXPECT_TRUE(Form().Enabled());
}

TEST_F(OfflineOperations, APresetFileOpenedOfflineLeavesNoMarkForALaterLevelReply) {
    const std::string name = folder_.File("a.prs");
    scripted_.AnswerFile(name);
    Form().SavePresetFile();
    Form().UnitControl().SetGain(0, 123);
    scripted_.AnswerFile(name);
    Form().OpenClick(nullptr);
    EXPECT_NE(Form().UnitControl().GetGain(0), 123);
    EXPECT_EQ(Form().FProgressCloseMark, 0);
    EXPECT_FALSE(Form().IsApplyingImage());
    EXPECT_TRUE(messages_.empty());
}

}  // namespace
}  // namespace dsp::test
