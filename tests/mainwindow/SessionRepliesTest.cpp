// The session's reply handling, driven as a transport drives it (replies handed to the window)
// with the records it sends kept instead of going out: phases, acknowledgement chains, checks of
// every reply before use, the status step, levels, device ID and link states.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <span>

#include "components/LProgressBar.h"
#include "framework/controls/Label.h"
#include "framework/controls/UpDown.h"
#include "framework/hid/FakeHid.h"
#include "framework/runtime/Timer.h"
#include "link/LinkMessages.h"
#include "link/forms/FNetWorkScan.h"
#include "mainwindow/SessionRules.h"
#include "model/Lcmd.h"
#include "model/Lunitcontrol.h"
#include "tests/mainwindow/SessionTestForm.h"
#include "tests/support/RunLoop.h"
#include "tools/sim/ProcessorSimulator.h"
#include "widgets/panels/RzBmpBtn.h"

namespace dsp::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The test form with the transfer chains' steps counted (they are the operations' to fill in):
// a reply that reaches one outside its transfer would write slots the user never chose.
class TTransferCountingForm : public TSessionTestForm {
public:
    using TSessionTestForm::TSessionTestForm;
    int transferSteps = 0;

protected:
    void OnPresetBlockReply(std::span<const std::uint8_t>) override { ++transferSteps; }
    void RequestPresetSlot(int) override { ++transferSteps; }
    void OnDownloadAck(std::span<const std::uint8_t>) override { ++transferSteps; }
    void DownloadNextSlot(int) override { ++transferSteps; }
};

class SessionReplies : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = SetHidBackend(std::make_shared<TFakeHidBus>());
        form_ = std::make_unique<TTransferCountingForm>(nullptr);
        form_->AfterConstruction();
        form_->recordSends = true;
    }
    void TearDown() override {
        form_.reset();
        SetHidBackend(previous_);
    }

    TTransferCountingForm& F() { return *form_; }
    // A read-back under way, as the status reply of an unlocked processor starts it.
    void StartReadBack() {
        F().BeginPhase(TSessionPhase::Status);
        F().Reply(CommandCode::MCS_GET_STATUS, Bytes(6, 0));
        F().sent.clear();
    }
    static Bytes Name(std::uint8_t slot, const std::string& text) {
        Bytes p{slot};
        p.insert(p.end(), text.begin(), text.end());
        p.resize(15, 0);
        return p;
    }
    static Bytes Block(std::uint8_t b) {
        Bytes p{b};
        p.resize(51, b);
        return p;
    }

    std::shared_ptr<IHidBackend> previous_;
    std::unique_ptr<TTransferCountingForm> form_;
};

TEST_F(SessionReplies, AReplyFromAnotherDeviceOnlyEndsTheScanCandidate) {
    Bytes levels(37, 0);
    sim::ProcessorSimulator::PackLevel(levels, 0, 1.0f);
    F().Reply(CommandCode::MCS_GET_LEVELS, levels, 2);
    EXPECT_TRUE(F().tmComScan->Enabled());
    EXPECT_EQ(F().pbLevelIn[0]->GetPosition(), 0);
    // A frame that is no frame (no DLE ETX tail) is treated the same way.
    F().tmComScan->SetEnabled(false);
    const Bytes broken{0x10, 0x02, 1, 0, 1, 16, 0x10, 0x04, 0};
    F().Perform(WM_LINK_REPLY, ReplyFrameParam(broken), 0);
    EXPECT_TRUE(F().tmComScan->Enabled());
}

// Replies act only in the exchange that asked for them.
struct TPhaseCase {
    const char* name;
    std::uint8_t code;
    Bytes payload;
};

void PrintTo(const TPhaseCase& c, std::ostream* os) { *os << c.name; }

class RepliesOutsideTheirPhase : public SessionReplies,
                                 public ::testing::WithParamInterface<TPhaseCase> {};

TEST_P(RepliesOutsideTheirPhase, ChangeNothing) {
    const TPhaseCase& c = GetParam();
    const int presetNumber = F().FPresetNumber;
    F().Reply(c.code, c.payload);
    EXPECT_TRUE(F().sent.empty());
    EXPECT_EQ(F().SessionPhase(), TSessionPhase::Idle);
    EXPECT_FALSE(F().IsOnline());
    EXPECT_EQ(F().FPresetNumber, presetNumber);
    EXPECT_EQ(F().applyUnitImageCalls, 0);
    EXPECT_TRUE(F().lockCheckResults.empty());
    EXPECT_EQ(F().transferSteps, 0);
}

INSTANTIATE_TEST_SUITE_P(SessionReplies, RepliesOutsideTheirPhase,
                         ::testing::Values(TPhaseCase{"Connect", 16, {}},
                                           TPhaseCase{"Identity", 19, {'W', 'Q', 'J'}},
                                           TPhaseCase{"Status", 44, Bytes(6, 0)},
                                           TPhaseCase{"PresetMap", 34, Bytes(30, 0xFF)},
                                           TPhaseCase{"PresetNumber", 20, {5}},
                                           TPhaseCase{"PresetName", 41, Bytes(15, 0)},
                                           TPhaseCase{"SettingsBlock", 36, Bytes(51, 0)},
                                           TPhaseCase{"DeviceBlock", 25, Bytes(18, 0)},
                                           TPhaseCase{"DownloadAck", 37, {0}},
                                           TPhaseCase{"PresetBlock", 40, Bytes(51, 0)},
                                           TPhaseCase{"PasswordCheck", 45, {0, 1}}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(SessionReplies, TheConnectReplyForgetsWhatAnEarlierLinkLeftPending) {
    F().BeginPhase(TSessionPhase::Store);
    F().AckState = 2;
    F().FProgressCloseMark = 12;
    F().BeginPhase(TSessionPhase::Connecting);
    F().AckState = 2;  // left over as a lost link leaves it
    F().FProgressCloseMark = 12;
    F().Reply(CommandCode::MCS_CONNECT, {});
    EXPECT_EQ(F().AckState, 0);
    EXPECT_EQ(F().FProgressCloseMark, 0);
    EXPECT_TRUE(F().IsOnline());
    EXPECT_EQ(F().SentCodes(), (Bytes{CommandCode::MCS_GET_IDENTITY}));
    // The keep-alive's acknowledgement that ends the next read-back continues nothing.
    F().sent.clear();
    F().Reply(CommandCode::MCS_ACK, {});
    EXPECT_TRUE(F().sent.empty());
}

TEST_F(SessionReplies, DisconnectingForgetsTheProgressMark) {
    F().FProgressCloseMark = 12;
    F().Disconnect();
    EXPECT_EQ(F().FProgressCloseMark, 0);
    F().Reply(CommandCode::MCS_GET_LEVELS, Bytes(37, 0));
    EXPECT_TRUE(F().sent.empty());
}

// The acknowledgement chains: the state a step left, what the acknowledgement sends, the state
// after it.
struct TAckCase {
    const char* name;
    TSessionPhase phase;
    int state;
    Bytes sentCodes;
    int stateAfter;
    TSessionPhase phaseAfter;
};

void PrintTo(const TAckCase& c, std::ostream* os) { *os << c.name; }

class AckChains : public SessionReplies, public ::testing::WithParamInterface<TAckCase> {};

TEST_P(AckChains, ContinueTheirStep) {
    const TAckCase& c = GetParam();
    F().BeginPhase(c.phase);
    F().AckState = c.state;
    F().FPresetNumber = 5;
    F().Reply(CommandCode::MCS_ACK, {});
    EXPECT_EQ(F().SentCodes(), c.sentCodes);
    EXPECT_EQ(F().AckState, c.stateAfter);
    EXPECT_EQ(F().SessionPhase(), c.phaseAfter);
}

INSTANTIATE_TEST_SUITE_P(
    SessionReplies, AckChains,
    ::testing::Values(
        TAckCase{"RecallReadsTheSettingsBack",
                 TSessionPhase::Recall,
                 1,
                 {39},
                 0,
                 TSessionPhase::ReadBack},
        TAckCase{
            "StoredNameStoresThePreset", TSessionPhase::Store, 2, {33}, 9, TSessionPhase::Store},
        TAckCase{"StoredPresetEnds", TSessionPhase::Store, 9, {18}, 0, TSessionPhase::Idle},
        TAckCase{"FactoryResetReadsEverythingBack",
                 TSessionPhase::Factory,
                 3,
                 {34},
                 0,
                 TSessionPhase::ReadBack},
        TAckCase{"RelinkReadsEverythingBack",
                 TSessionPhase::Relink,
                 6,
                 {34},
                 0,
                 TSessionPhase::ReadBack},
        TAckCase{"SelectedSlotReadsItsFirstBlock",
                 TSessionPhase::Upload,
                 4,
                 {40},
                 0,
                 TSessionPhase::Upload},
        TAckCase{"ResetUnitWritesTheDeviceBlock",
                 TSessionPhase::Download,
                 10,
                 {26},
                 5,
                 TSessionPhase::Download},
        TAckCase{"NothingPending", TSessionPhase::Idle, 0, {}, 0, TSessionPhase::Idle},
        TAckCase{
            "AStateOfAnotherExchange", TSessionPhase::ReadBack, 2, {}, 0, TSessionPhase::ReadBack}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(SessionReplies, StoringSendsThePresetNumberAndTheClosingKeepAliveMayBeReplaced) {
    F().BeginPhase(TSessionPhase::Store);
    F().AckState = 2;
    F().FPresetNumber = 7;
    F().Reply(CommandCode::MCS_ACK, {});
    F().Reply(CommandCode::MCS_ACK, {});
    ASSERT_EQ(F().sent.size(), 2u);
    EXPECT_EQ(F().sent[0].payload, (Bytes{7}));
    EXPECT_TRUE(F().sent[0].noCoalesce);
    EXPECT_FALSE(F().sent[1].noCoalesce);
    EXPECT_TRUE(F().tmInLevelDet->Enabled());
}

TEST_F(SessionReplies, AStatusReplyWithTheLockSetWaitsForThePassword) {
    F().BeginPhase(TSessionPhase::Status);
    F().Reply(CommandCode::MCS_GET_STATUS, {0, 0, 0, 0, 0, 1});
    EXPECT_TRUE(F().sent.empty());
    EXPECT_EQ(F().SessionPhase(), TSessionPhase::Unlock);
    EXPECT_EQ(F().AckState, 8);
    EXPECT_EQ(F().tmUnlockShow->Interval(), 1000u);
    ASSERT_TRUE(F().tmUnlockShow->Enabled());
    ASSERT_TRUE(RunLoopUntil([&] { return F().unlockDialogShows == 1; }));
    EXPECT_FALSE(F().tmUnlockShow->Enabled());
    // The password check result goes to the unlock dialog; the dialog's map request then
    // starts the read-back.
    F().Reply(CommandCode::CM_MCS_PASS_SUBMIT, {0, 1});
    F().Reply(CommandCode::CM_MCS_PASS_SUBMIT, {1, 0});  // not the operation lock's
    EXPECT_EQ(F().lockCheckResults, (std::vector<int>{1}));
    F().Reply(CommandCode::MCS_GET_PRESET_MAP, Bytes(30, 0));
    EXPECT_EQ(F().SentCodes(), (Bytes{CommandCode::MCS_GET_PRESET_NUMBER}));
    EXPECT_EQ(F().SessionPhase(), TSessionPhase::ReadBack);
}

TEST_F(SessionReplies, AnUnlockedStatusGoesOnWithThePresetMap) {
    F().BeginPhase(TSessionPhase::Status);
    F().Reply(CommandCode::MCS_GET_STATUS, Bytes(6, 0));
    EXPECT_EQ(F().SentCodes(), (Bytes{CommandCode::MCS_GET_PRESET_MAP}));
    EXPECT_EQ(F().SessionPhase(), TSessionPhase::ReadBack);
    EXPECT_FALSE(F().tmUnlockShow->Enabled());
}

TEST_F(SessionReplies, ThePresetNameIsTakenFromTheCurrentPresetsSlot) {
    StartReadBack();
    F().Reply(CommandCode::MCS_GET_PRESET_NUMBER, {3});
    F().Reply(CommandCode::MCS_GET_PRESET_NAME, Name(0, "One"));
    F().Reply(CommandCode::MCS_GET_PRESET_NAME, Name(1, "Two"));
    F().Reply(CommandCode::MCS_GET_PRESET_NAME, Name(2, "Three"));
    F().Reply(CommandCode::MCS_GET_PRESET_NAME, Name(3, "Four"));
    const PresetNameBytes& name = F().UnitControl().GetPresetName();
    EXPECT_EQ(std::string(name.begin(), name.begin() + 5), "Three");
    // Slots 0 to 4 asked for in order.
    ASSERT_EQ(F().sent.size(), 5u);
    for (std::uint8_t s = 0; s < 5; ++s) EXPECT_EQ(F().sent[s].payload, (Bytes{s}));
}

TEST_F(SessionReplies, TheLastNameIsFollowedByTheFirstSettingsBlock) {
    StartReadBack();
    F().Reply(CommandCode::MCS_GET_PRESET_NUMBER, {0});
    for (std::uint8_t s = 0; s < 30; ++s) F().Reply(CommandCode::MCS_GET_PRESET_NAME, Name(s, "x"));
    ASSERT_FALSE(F().sent.empty());
    EXPECT_EQ(F().sent.back().code, CommandCode::MCS_READ_SETTINGS_BLOCK);
    EXPECT_EQ(F().sent.back().payload, (Bytes{0}));
}

// Replies that do not fit their request: dropped, asked for once more, and a second misfit ends
// the session as a broken link.
struct TMisfitCase {
    const char* name;
    std::uint8_t code;
    Bytes misfit;
    Bytes repeated;   // the request made again: code, then payload
    int namesBefore;  // names read before the misfit (-1: before the current preset)
};

void PrintTo(const TMisfitCase& c, std::ostream* os) { *os << c.name; }

class MisfitReplies : public SessionReplies, public ::testing::WithParamInterface<TMisfitCase> {};

TEST_P(MisfitReplies, AreAskedForOnceMoreThenBreakTheLink) {
    const TMisfitCase& c = GetParam();
    StartReadBack();
    if (c.namesBefore >= 0) {
        F().Reply(CommandCode::MCS_GET_PRESET_NUMBER, {0});
        for (int s = 0; s < c.namesBefore; ++s)
            F().Reply(CommandCode::MCS_GET_PRESET_NAME, Name(static_cast<std::uint8_t>(s), "x"));
    }
    F().sent.clear();
    F().Reply(c.code, c.misfit);
    ASSERT_EQ(F().sent.size(), 1u);
    Bytes request{F().sent[0].code};
    request.insert(request.end(), F().sent[0].payload.begin(), F().sent[0].payload.end());
    EXPECT_EQ(request, c.repeated);
    EXPECT_FALSE(F().tmLinkBroken->Enabled());
    F().Reply(c.code, c.misfit);
    EXPECT_EQ(F().sent.size(), 1u);
    EXPECT_TRUE(F().tmLinkBroken->Enabled());
    EXPECT_EQ(F().SessionPhase(), TSessionPhase::Idle);
    EXPECT_EQ(F().applyUnitImageCalls, 0);
}

INSTANTIATE_TEST_SUITE_P(
    SessionReplies, MisfitReplies,
    ::testing::Values(
        TMisfitCase{"ShortPresetMap", 34, Bytes(29, 0xFF), {34}, -1},
        TMisfitCase{"PresetNumberAbove30", 20, {31}, {20}, -1},
        TMisfitCase{
            "NameOfSlot30", 41, {30, 'x', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {41, 29}, 29},
        TMisfitCase{"ShortName", 41, {4, 'x'}, {41, 4}, 4},
        TMisfitCase{"Block16", 36, Bytes(51, 16), {39, 0}, 30},
        TMisfitCase{"ShortBlock", 36, Bytes(20, 0), {39, 0}, 30}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(SessionReplies, AReadBackEndsWithTheImageShownAndPolling) {
    StartReadBack();
    // The preset map starts the progress window's wait; the read-back may end before it is due.
    F().Reply(CommandCode::MCS_GET_PRESET_MAP, Bytes(30, 0xFF));
    EXPECT_TRUE(F().FProgressPending);
    EXPECT_TRUE(F().tmProcessShow->Enabled());
    F().Reply(CommandCode::MCS_GET_PRESET_NUMBER, {0});
    for (std::uint8_t s = 0; s < 30; ++s) F().Reply(CommandCode::MCS_GET_PRESET_NAME, Name(s, "x"));
    for (std::uint8_t b = 0; b < 16; ++b) F().Reply(36, Block(b));
    EXPECT_EQ(F().applyUnitImageCalls, 1);
    EXPECT_TRUE(F().tmInLevelDet->Enabled());
    EXPECT_EQ(F().SessionPhase(), TSessionPhase::Idle);
    EXPECT_FALSE(F().FProgressPending);
    EXPECT_FALSE(F().tmProcessShow->Enabled());
    ASSERT_FALSE(F().sent.empty());
    EXPECT_EQ(F().sent.back().code, CommandCode::MCS_KEEP_ALIVE);
    EXPECT_FALSE(F().sent.back().noCoalesce);
    // A repeated last block changes nothing more.
    F().Reply(36, Block(15));
    EXPECT_EQ(F().applyUnitImageCalls, 1);
}

Bytes Levels(float in, float out1, std::uint8_t limits = 0) {
    Bytes p(37, 0);
    sim::ProcessorSimulator::PackLevel(p, 0, in);
    sim::ProcessorSimulator::PackLevel(p, 4, out1);
    p[36] = limits;
    return p;
}

TEST_F(SessionReplies, LevelsSetEveryMeterOfTheirChannel) {
    F().FGateChannel = 0;
    F().FCompChannel = 3;
    F().ShowLevels(Levels(1.0f, 1.0f));
    for (LProgressBar* m :
         {F().pbLevelIn[0], F().pbLevelBackupIn[0], F().pbLevelGateIn[0], F().pbLevelGateInPage})
        EXPECT_EQ(m->GetPosition(), 8) << m->Name();
    for (LProgressBar* m : {F().pbLevelOut[0], F().pbLevelBackupOut[0], F().pbLevelCompOut[0],
                            F().pbLevelCompOutPage})
        EXPECT_EQ(m->GetPosition(), 7) << m->Name();
    EXPECT_EQ(F().pbLevelIn[1]->GetPosition(), 0);
    EXPECT_EQ(F().pbLevelOut[1]->GetPosition(), 0);
    F().ResetLevels();
    EXPECT_EQ(F().pbLevelIn[0]->GetPosition(), 0);
    EXPECT_EQ(F().pbLevelCompOutPage->GetPosition(), 0);
}

TEST_F(SessionReplies, LimitLampsNeedACompressingRatio) {
    F().ShowLevels(Levels(0, 1.0f, 0b000001));
    for (LProgressBar* m : {F().pbLimitOut[0], F().pbLimitBackupOut[0], F().pbLimitCompOut[0]})
        EXPECT_EQ(m->GetPosition(), 0) << m->Name();
    F().udCompRatioOut[0]->SetPosition(3);
    F().ShowLevels(Levels(0, 1.0f, 0b000001));
    for (LProgressBar* m : {F().pbLimitOut[0], F().pbLimitBackupOut[0], F().pbLimitCompOut[0],
                            F().pbLimitCompOutPage})
        EXPECT_EQ(m->GetPosition(), 1) << m->Name();
}

TEST_F(SessionReplies, LevelsThatAreNoNumbersShowSilence) {
    F().ShowLevels(Levels(1.0f, 1.0f));
    F().ShowLevels(Levels(std::numeric_limits<float>::quiet_NaN(), -1.0f));
    EXPECT_EQ(F().pbLevelIn[0]->GetPosition(), 0);
    EXPECT_EQ(F().pbLevelOut[0]->GetPosition(), 0);
    F().ShowLevels(Levels(1.0f, std::numeric_limits<float>::infinity()));
    EXPECT_EQ(F().pbLevelIn[0]->GetPosition(), 8);
    EXPECT_EQ(F().pbLevelOut[0]->GetPosition(), 0);
}

TEST_F(SessionReplies, AShortLevelReplyIsDropped) {
    F().ShowLevels(Levels(1.0f, 1.0f));
    Bytes shortReply = Levels(0, 0);
    shortReply.resize(20);
    F().Reply(CommandCode::MCS_GET_LEVELS, shortReply);
    EXPECT_EQ(F().pbLevelIn[0]->GetPosition(), 8);
}

TEST_F(SessionReplies, TheDeviceIdTakesOnly1To254) {
    for (int bad : {0, 255, 300, -1}) {
        F().SetDeviceId(bad);
        EXPECT_EQ(F().GetDeviceId(), 1) << bad;
    }
    EXPECT_EQ(F().lbShowIdNumber->Caption(), "");
    F().SetDeviceId(254);
    EXPECT_EQ(F().GetDeviceId(), 254);
    EXPECT_EQ(F().lbShowIdNumber->Caption(), "ID : 254");
}

TEST_F(SessionReplies, TheGoodbyeGoesToTheSessionsDeviceWhenTheScanHadConnected) {
    TfmNetwork scan(nullptr);
    scan.AfterConstruction();
    fmNetwork = &scan;
    F().SetDeviceId(7);
    F().Disconnect();  // the scan has no connected candidate: no goodbye
    EXPECT_TRUE(F().sent.empty());
    scan.ReportConnectResult(1);
    F().Disconnect();
    ASSERT_EQ(F().sent.size(), 1u);
    EXPECT_EQ(F().sent[0].code, CommandCode::MCS_DISCONNECT);
    EXPECT_EQ(F().sent[0].id, 7);
    EXPECT_EQ(F().lbShowIp->Caption(), "Disconnected");
    fmNetwork = nullptr;
}

// The scan dialog closes itself once a candidate has connected, but a dialog opened inside its
// modal loop (the read-back's progress) holds that close back. A link that breaks meanwhile
// must still be shown: the dialog stays open instead of closing behind the news.
TEST_F(SessionReplies, ALinkThatBreaksWhileTheScanDialogIsClosingKeepsItOpen) {
    TfmNetwork scan(nullptr);
    scan.AfterConstruction();
    fmNetwork = &scan;
    bool openAfterTheBreak = false;
    int ticks = 0;
    TTimer step(nullptr);
    step.SetInterval(1);
    step.SetOnTimer([&](TObject*) {
        if (++ticks == 1) {
            scan.Close();
            scan.ReportLinkBroken();
            TSessionTestForm::ShowScanDialog();
            return;
        }
        step.SetEnabled(false);
        openAfterTheBreak = scan.Visible();
        scan.btnExit->Click();
    });
    step.SetEnabled(true);
    scan.ShowModal();
    EXPECT_TRUE(openAfterTheBreak);
    EXPECT_FALSE(scan.Visible());
    fmNetwork = nullptr;
}

TEST_F(SessionReplies, ALinkStateWithNoLinkOpenChangesNothing) {
    F().FOnline = true;
    F().Perform(WM_LINK_STATE, lsReplyTimeout, (1 << 8) | 1);
    EXPECT_TRUE(F().IsOnline());
    EXPECT_FALSE(F().HasTransport());
}

}  // namespace
}  // namespace dsp::test
