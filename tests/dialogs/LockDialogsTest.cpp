// The lock setup and the unlock dialog: what they send, how they wait for the processor, and
// that nothing of a closed dialog runs on (no late message, no second disconnect, no late
// preset-map request).

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/FLockPassWord.h"
#include "dialogs/FLockSetup.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Label.h"
#include "framework/desktop/ScriptedDialogs.h"
#include "framework/runtime/ManualClock.h"
#include "framework/runtime/Timer.h"
#include "tests/dialogs/FakeOperations.h"
#include "widgets/panels/RzBmpBtn.h"

namespace dsp {
namespace {

using std::chrono::milliseconds;
using Bytes = std::vector<std::uint8_t>;

class LockDialogs : public ::testing::Test {
protected:
    LockDialogs() {
        main_.deviceId = 7;
        fmLockSetup = new TfmLockSetup(nullptr);
        fmLockPassWord = new TfmLockPassWord(nullptr);
    }
    ~LockDialogs() override {
        delete fmLockPassWord;
        delete fmLockSetup;
    }

    void Advance(int ms) { clock_.Advance(milliseconds(ms)); }
    std::vector<std::string> Messages() const {
        std::vector<std::string> texts;
        for (const TMessageBoxRequest& box : dialogs_.MessageBoxes()) texts.push_back(box.text);
        return texts;
    }

    TManualClock clock_;
    TScriptedDialogs dialogs_;
    test::TFakeOperations main_;
};

// ---- lock setup

TEST_F(LockDialogs, LockSetupOffersTheDefaultPasswordAndItsTexts) {
    fmLockSetup->Show();
    EXPECT_EQ(fmLockSetup->edName->Text(), "7305");
    EXPECT_EQ(fmLockSetup->edName->SelText(), "7305");
    EXPECT_EQ(fmLockSetup->Caption(), "<SID_LOCK_TITLE>");
    EXPECT_EQ(fmLockSetup->lblLockPassword->Caption(), "<SID_LOCK_PASSWORD>");
    EXPECT_EQ(fmLockSetup->btnOK->Caption(), "<SID_EXIT_OK>");
    EXPECT_EQ(fmLockSetup->btnExit->Caption(), "<SID_EXIT_CANCEL>");
}

TEST_F(LockDialogs, LockSetupSendsTheCapitalisedPasswordZeroPadded) {
    struct Case {
        const char* typed;
        Bytes password;
    };
    const Case cases[] = {{"7305", {'7', '3', '0', '5'}},
                          {"ab", {'A', 'B', 0, 0}},
                          {"", {0, 0, 0, 0}},
                          {"x1y2", {'X', '1', 'Y', '2'}}};
    for (const Case& c : cases) {
        main_.sent.clear();
        main_.wait = TReplyWait::Answered;
        fmLockSetup->Show();
        fmLockSetup->edName->SetText(c.typed);
        fmLockSetup->RzBmpButton1Click(fmLockSetup->btnOK);
        ASSERT_EQ(main_.sent.size(), 1u) << c.typed;
        EXPECT_EQ(main_.sent[0].id, 7);
        EXPECT_EQ(main_.sent[0].code, 47);
        EXPECT_EQ(main_.sent[0].payload, c.password) << c.typed;
        EXPECT_TRUE(main_.sent[0].noCoalesce);
        EXPECT_EQ(main_.watched, 47);
        Advance(100);
        EXPECT_FALSE(fmLockSetup->Visible()) << c.typed;
    }
}

TEST_F(LockDialogs, LockSetupDisconnectsOnlyOnceTheProcessorHasTheCommand) {
    fmLockSetup->Show();
    fmLockSetup->RzBmpButton1Click(fmLockSetup->btnOK);
    EXPECT_TRUE(fmLockSetup->Closing());
    // Still in flight after the first ticks (a poll ahead of it, a slow line): keep waiting.
    Advance(100);
    Advance(100);
    Advance(300);
    EXPECT_EQ(main_.disconnects, 0);
    EXPECT_TRUE(fmLockSetup->Visible());
    // A second OK while waiting sends nothing more.
    fmLockSetup->RzBmpButton1Click(fmLockSetup->btnOK);
    EXPECT_EQ(main_.sent.size(), 1u);

    main_.wait = TReplyWait::Answered;
    Advance(100);
    EXPECT_EQ(main_.disconnects, 1);
    EXPECT_FALSE(fmLockSetup->Visible());
    EXPECT_TRUE(Messages().empty());
    Advance(5000);
    EXPECT_EQ(main_.disconnects, 1);
}

TEST_F(LockDialogs, LockSetupReportsACommandThatWasNotAnswered) {
    // No answer within two seconds, and no link at all (offline: nothing could be sent).
    for (TReplyWait wait : {TReplyWait::Waiting, TReplyWait::LinkClosed}) {
        main_.wait = wait;
        main_.disconnects = 0;
        dialogs_.AnswerButton(mrOk);
        fmLockSetup->Show();
        fmLockSetup->RzBmpButton1Click(fmLockSetup->btnOK);
        const int limit = wait == TReplyWait::Waiting ? TfmLockSetup::kCloseTicks : 1;
        for (int tick = 1; tick < limit; ++tick) Advance(100);
        EXPECT_EQ(main_.disconnects, 0);
        Advance(100);
        EXPECT_EQ(main_.disconnects, 1);
        EXPECT_FALSE(fmLockSetup->Visible());
    }
    EXPECT_EQ(Messages(),
              (std::vector<std::string>{"<SID_LOCK_SET_FAILED>", "<SID_LOCK_SET_FAILED>"}));
}

TEST_F(LockDialogs, LockSetupCancelSendsNothing) {
    fmLockSetup->Show();
    fmLockSetup->btnExitClick(fmLockSetup->btnExit);
    EXPECT_FALSE(fmLockSetup->Visible());
    Advance(3000);
    EXPECT_TRUE(main_.sent.empty());
    EXPECT_EQ(main_.disconnects, 0);
}

// ---- unlock

class UnlockDialog : public LockDialogs {
protected:
    UnlockDialog() {
        fmLockPassWord->Show();
        // The real Disconnect closes the unlock dialog as the link goes.
        main_.onDisconnect = [] { fmLockPassWord->LinkLost(); };
    }
    void Submit(const char* password) {
        fmLockPassWord->edName->SetText(password);
        fmLockPassWord->RzBmpButton1Click(fmLockPassWord->btnOK);
    }
};

TEST_F(UnlockDialog, ShowsMaskAndSubmitsThePasswordWithKindZero) {
    EXPECT_EQ(fmLockPassWord->edName->Text(), "****");
    EXPECT_EQ(fmLockPassWord->Caption(), "<SID_UNLOCK_TITLE>");
    EXPECT_EQ(fmLockPassWord->lblLockPassword->Caption(), "<SID_UNLOCK_PASSWORD>");
    Submit("7a");
    ASSERT_EQ(main_.sent.size(), 1u);
    EXPECT_EQ(main_.sent[0].code, 45);
    EXPECT_EQ(main_.sent[0].id, 7);
    EXPECT_EQ(main_.sent[0].payload, (Bytes{0, '7', 'A', 0, 0}));
    EXPECT_TRUE(main_.sent[0].noCoalesce);
    EXPECT_TRUE(fmLockPassWord->CheckPending());
}

TEST_F(UnlockDialog, RefusedPasswordShowsTheErrorAndAllowsAnotherTry) {
    dialogs_.AnswerButton(mrOk);
    Submit("1111");
    Advance(100);
    fmLockPassWord->SetCheckResult(0);
    Advance(100);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Password Error!!"});
    EXPECT_EQ(fmLockPassWord->edName->Text(), "****");
    EXPECT_TRUE(fmLockPassWord->Visible());
    EXPECT_EQ(main_.disconnects, 0);
    EXPECT_EQ(main_.continues, 0);
}

TEST_F(UnlockDialog, AcceptedPasswordContinuesTheSequenceOneTickLater) {
    Submit("7305");
    for (int tick = 0; tick < 5; ++tick) Advance(100);
    fmLockPassWord->SetCheckResult(1);
    Advance(100);  // the tick that sees the verdict
    EXPECT_EQ(main_.continues, 0);
    Advance(99);
    EXPECT_EQ(main_.continues, 0);
    Advance(1);
    EXPECT_EQ(main_.continues, 1);
    EXPECT_FALSE(fmLockPassWord->Visible());
    EXPECT_EQ(main_.disconnects, 0);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(UnlockDialog, NoVerdictTimesOutAfterThirtyOneTicksAndDisconnectsOnce) {
    dialogs_.AnswerButton(mrOk);
    Submit("7305");
    for (int tick = 0; tick < TfmLockPassWord::kCheckTicks; ++tick) Advance(100);
    EXPECT_TRUE(Messages().empty());
    Advance(100);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Check Time Out!"});
    EXPECT_EQ(main_.disconnects, 1);
    EXPECT_FALSE(fmLockPassWord->Visible());
    Advance(5000);
    EXPECT_EQ(main_.disconnects, 1);
}

TEST_F(UnlockDialog, CancelWhileWaitingStopsEverything) {
    Submit("7305");
    Advance(300);
    fmLockPassWord->bnCancelClick(fmLockPassWord->bnCancel);
    EXPECT_EQ(main_.disconnects, 1);
    EXPECT_FALSE(fmLockPassWord->Visible());
    // A verdict after the cancel changes nothing, and the poll does not come back with a
    // time-out message and a second disconnect (of what may be a new session by then).
    fmLockPassWord->SetCheckResult(1);
    Advance(5000);
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(main_.disconnects, 1);
    EXPECT_EQ(main_.continues, 0);
}

TEST_F(UnlockDialog, CancelAfterAcceptanceSendsNoLatePresetMapRequest) {
    Submit("7305");
    fmLockPassWord->SetCheckResult(1);
    Advance(100);
    fmLockPassWord->bnCancelClick(fmLockPassWord->bnCancel);
    Advance(1000);
    EXPECT_EQ(main_.continues, 0);
    EXPECT_EQ(main_.disconnects, 1);
}

TEST_F(UnlockDialog, LostLinkClosesTheDialogWithoutASecondDisconnect) {
    Submit("7305");
    Advance(200);
    fmLockPassWord->LinkLost();
    EXPECT_FALSE(fmLockPassWord->Visible());
    fmLockPassWord->SetCheckResult(1);
    Advance(5000);
    EXPECT_EQ(main_.disconnects, 0);
    EXPECT_EQ(main_.continues, 0);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(UnlockDialog, AVerdictWithNothingSubmittedIsIgnored) {
    fmLockPassWord->SetCheckResult(1);
    Advance(1000);
    EXPECT_EQ(fmLockPassWord->FCheckResult, TfmLockPassWord::kWaiting);
    EXPECT_EQ(main_.continues, 0);
    // A stale acceptance does not carry over to the next submission either.
    Submit("1111");
    dialogs_.AnswerButton(mrOk);
    fmLockPassWord->SetCheckResult(0);
    Advance(100);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Password Error!!"});
    EXPECT_EQ(main_.continues, 0);
}

}  // namespace
}  // namespace dsp
