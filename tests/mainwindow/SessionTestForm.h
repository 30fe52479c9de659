#pragma once
// The session on a test form: a TfmMainSession (with the processor operations on it) that creates the visible components the session
// binds (labels, link button, store and recall buttons, menu items, the 48 level meters and six
// ratio up-downs) by their names and nothing of the shell, and records the calls the session
// makes into the shell. Also the session's dialogs, created and registered as the program does.

#include <memory>
#include <string>
#include <vector>

#include "mainwindow/FMainOperations.h"

namespace dsp {
class TfmNetwork;
class TfmProcess;
class TfmHidData;
class TfmMemo;
class TfmInformation;
}  // namespace dsp

namespace dsp::test {

class TSessionTestForm : public TfmMainOperations {
public:
    explicit TSessionTestForm(TComponent* owner);

    // What the session asked of the shell.
    int applyUnitImageCalls = 0;
    int unlockDialogShows = 0;
    std::vector<int> lockCheckResults;

    // With recordSends the records the session sends are kept here instead of going to a
    // transport (tests that drive the handlers without one).
    bool recordSends = false;
    struct TSent {
        std::uint8_t id;
        std::uint8_t code;
        std::vector<std::uint8_t> payload;
        bool noCoalesce;
    };
    std::vector<TSent> sent;
    std::vector<std::uint8_t> SentCodes() const;

    void SendCommand(const LCmd& record, bool noCoalesce, bool framed) override;
    // Hands the session a reply frame as a transport does.
    void Reply(std::uint8_t code, const std::vector<std::uint8_t>& payload, std::uint8_t from = 1);

    void ApplyUnitImage() override { ++applyUnitImageCalls; }
    // The operations' real unlock dialog only where a test asks for it; otherwise the calls are
    // only recorded.
    bool realLockDialogs = false;
    void ShowUnlockDialog() override {
        ++unlockDialogShows;
        if (realLockDialogs) TfmMainOperations::ShowUnlockDialog();
    }
    void SetLockCheckResult(int result) override {
        lockCheckResults.push_back(result);
        if (realLockDialogs) TfmMainOperations::SetLockCheckResult(result);
    }

    // The session's state and components, for the tests.
    using TfmMainSession::AckState;
    using TfmMainSession::BeginPhase;
    using TfmMainSession::ClearChainState;
    using TfmMainSession::ClientSocket;
    using TfmMainSession::Connect;
    using TfmMainSession::EndPhase;
    using TfmMainSession::FCommPortName;
    using TfmMainSession::FCompChannel;
    using TfmMainSession::FDeviceIp;
    using TfmMainSession::FGateChannel;
    using TfmMainSession::FLinkGeneration;
    using TfmMainSession::FManualIp;
    using TfmMainSession::FNetLink;
    using TfmMainSession::FOnline;
    using TfmMainSession::FPresetNumber;
    using TfmMainSession::FProgressCloseMark;
    using TfmMainSession::FProgressPending;
    using TfmMainSession::FSessionPhase;
    using TfmMainSession::FUsbLink;
    using TfmMainSession::lbShowIdNumber;
    using TfmMainSession::lbShowIp;
    using TfmMainSession::lbStatus;
    using TfmMainSession::pbLevelBackupIn;
    using TfmMainSession::pbLevelBackupOut;
    using TfmMainSession::pbLevelCompOut;
    using TfmMainSession::pbLevelCompOutPage;
    using TfmMainSession::pbLevelGateIn;
    using TfmMainSession::pbLevelGateInPage;
    using TfmMainSession::pbLevelIn;
    using TfmMainSession::pbLevelOut;
    using TfmMainSession::pbLimitBackupOut;
    using TfmMainSession::pbLimitCompOut;
    using TfmMainSession::pbLimitCompOutPage;
    using TfmMainSession::pbLimitOut;
    using TfmMainSession::rzbMenuLink;
    using TfmMainSession::ShowScanDialog;
    using TfmMainSession::StartProgress;
    using TfmMainSession::tmComScan;
    using TfmMainSession::tmDisconnect;
    using TfmMainSession::tmInLevelDet;
    using TfmMainSession::tmLinkBroken;
    using TfmMainSession::tmProcessShow;
    using TfmMainSession::tmStartConnect;
    using TfmMainSession::tmUnlockShow;
    using TfmMainSession::udCompRatioOut;

    // The device address the network candidate and the socket use.
    void SetDeviceAddress(const std::string& dotted);
};

// The program's session dialogs, created after the main window as the program creates them and
// set into their globals; they go with the object.
class TSessionDialogs {
public:
    TSessionDialogs();
    ~TSessionDialogs();
    TSessionDialogs(const TSessionDialogs&) = delete;
    TSessionDialogs& operator=(const TSessionDialogs&) = delete;
};

}  // namespace dsp::test
