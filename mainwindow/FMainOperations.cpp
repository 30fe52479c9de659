// The operations' class itself: the interfaces its dialogs reach it through, the handlers it
// binds, the network setup, the operation lock, the preset grids' names and the end of a
// session.

#include "mainwindow/FMainOperations.h"

#include "dialogs/FLockPassWord.h"
#include "dialogs/FLockSetup.h"
#include "dialogs/FRecallPreset.h"
#include "dialogs/FStorePreset.h"
#include "dialogs/OperationsWindow.h"
#include "framework/controls/Label.h"
#include "framework/controls/Menus.h"
#include "framework/os/ClientSocket.h"
#include "framework/runtime/Timer.h"
#include "link/Lcomm.h"
#include "link/LinkMessages.h"
#include "link/Lnet.h"
#include "link/Lusb.h"
#include "link/forms/FNetworkSetup.h"
#include "link/forms/NetworkSetupHost.h"
#include "model/Lcmd.h"
#include "widgets/panels/RzBmpBtn.h"

namespace dsp {

// ---- what the dialogs see of the main window

class TfmMainOperations::TOperationsAdapter : public IOperationsWindow {
public:
    explicit TOperationsAdapter(TfmMainOperations& main) : main_(main) {}

    std::string GetText(const std::string& key) const override { return main_.GetText(key); }
    bool IsOnline() const override { return main_.IsOnline(); }
    void StorePreset(int slot, const PresetNameBytes& name) override {
        main_.StorePreset(slot, name);
    }
    void RecallPreset(int number) override { main_.RecallPreset(number); }
    int GetDeviceId() const override { return main_.GetDeviceId(); }
    void SendCommand(const LCmd& record, bool noCoalesce, bool framed) override {
        main_.SendCommand(record, noCoalesce, framed);
    }
    void Disconnect() override { main_.Disconnect(); }
    void WatchReply(std::uint8_t code) override {
        main_.watchedCode_ = code;
        main_.watching_ = true;
        main_.watchAnswered_ = false;
    }
    TReplyWait AwaitedReply() const override {
        if (!main_.HasTransport()) return TReplyWait::LinkClosed;
        // The transports answer one frame at a time, in order: once the link is idle, every
        // frame sent before has had its reply.
        if (main_.watchAnswered_ || main_.LinkIdle()) return TReplyWait::Answered;
        return TReplyWait::Waiting;
    }
    void ContinueAfterUnlock() override {
        // The session takes the preset map's reply in the unlock phase as the start of the
        // read-back.
        main_.SendCoalescable(CommandCode::MCS_GET_PRESET_MAP);
    }

private:
    TfmMainOperations& main_;
};

class TfmMainOperations::TNetworkSetupAdapter : public INetworkSetupHost {
public:
    explicit TNetworkSetupAdapter(TfmMainOperations& main) : main_(main) {}

    std::string GetText(const std::string& key) const override { return main_.GetText(key); }
    int GetDeviceId() const override { return main_.GetDeviceId(); }
    void SetDeviceId(int id) override { main_.SetDeviceId(id); }
    bool IsOnline() const override { return main_.IsOnline(); }
    std::uint32_t GetDeviceIp() const override { return main_.GetDeviceIp(); }
    void SetDeviceIp(std::uint32_t address) override { main_.SetDeviceIp(address); }
    void SetAutoIp(bool automatic) override { main_.SetAutoIp(automatic); }
    void ReconnectSocket(const std::string& address) override {
        main_.ClientSocket->SetActive(false);
        main_.ClientSocket->SetAddress(address);
        main_.ClientSocket->SetActive(true);
    }
    void ShowIpCaption(const std::string& caption) override {
        if (main_.lbShowIp) main_.lbShowIp->SetCaption(caption);
    }
    void ShowInformation(const std::string& key) override { main_.ShowInformation(key); }

private:
    TfmMainOperations& main_;
};

TfmMainOperations::TfmMainOperations(TComponent* owner)
    : TfmMainSession(owner),
      operations_(std::make_unique<TOperationsAdapter>(*this)),
      networkSetup_(std::make_unique<TNetworkSetupAdapter>(*this)) {
    SetOperationsWindow(operations_.get());
    SetNetworkSetupHost(networkSetup_.get());
}

TfmMainOperations::~TfmMainOperations() {
    if (OperationsWindow() == operations_.get()) SetOperationsWindow(nullptr);
    if (NetworkSetupHost() == networkSetup_.get()) SetNetworkSetupHost(nullptr);
}

void TfmMainOperations::BindOperationComponents() {
    BindSessionComponents();
    auto on = [this](void (TfmMainOperations::*method)(TObject*)) {
        return [this, method](TObject* sender) { (this->*method)(sender); };
    };
    Open->OnClick = on(&TfmMainOperations::OpenClick);
    Save->OnClick = on(&TfmMainOperations::SaveClick);
    Upload->OnClick = on(&TfmMainOperations::UploadClick);
    Download->OnClick = on(&TfmMainOperations::DownloadClick);
    FactoryDefault->OnClick = on(&TfmMainOperations::FactoryDefaultClick);
    Lock->OnClick = on(&TfmMainOperations::LockClick);
    NetworkSetup->OnClick = on(&TfmMainOperations::NetworkSetupClick);
    bStore->OnClick = on(&TfmMainOperations::bStoreClick);
    bRecall->OnClick = on(&TfmMainOperations::bRecallClick);
}

// ---- the link

void TfmMainOperations::Dispatch(TMessage& message) {
    if (message.Msg == WM_LINK_REPLY && watching_) {
        const LCmd reply(ReplyFrameOf(message.WParam), FrameMode::Frame);
        if (reply.IsFrom(static_cast<std::uint8_t>(FDeviceId)) && reply.GetCode() == watchedCode_) {
            watchAnswered_ = true;
        }
    }
    TfmMainSession::Dispatch(message);
}

bool TfmMainOperations::LinkIdle() {
    const auto idle = [](auto& link) {
        return !link.AwaitingReply() && link.WaitingFrames().empty();
    };
    if (FCommLink) return idle(*FCommLink);
    if (FUsbLink) return idle(*FUsbLink);
    if (FNetLink) return idle(*FNetLink);
    return false;
}

void TfmMainOperations::Disconnect() {
    TfmMainSession::Disconnect();
    watching_ = false;
    EndDownloadHold();
    if (fmLockPassWord != nullptr) fmLockPassWord->LinkLost();
}

void TfmMainOperations::StopPolling() {
    tmInLevelDet->SetEnabled(false);
    ResetLevels();
}

// ---- network setup

void TfmMainOperations::NetworkSetupClick(TObject*) {
    if (fmNetworkSetup == nullptr || fmNetworkSetup->Visible()) return;
    // Online as the link button says it: its caption is the online text once the identity was
    // accepted.
    const bool online = rzbMenuLink != nullptr && rzbMenuLink->Caption() == GetText("SID_ONLINE");
    fmNetworkSetup->PrepareFor(online);
    fmNetworkSetup->ShowModal();
}

// ---- operation lock

void TfmMainOperations::LockClick(TObject* sender) { LockSetupClick(sender); }

void TfmMainOperations::LockSetupClick(TObject*) {
    if (fmLockSetup != nullptr && !fmLockSetup->Visible()) fmLockSetup->ShowModal();
}

void TfmMainOperations::ShowUnlockDialog() {
    if (fmLockPassWord != nullptr && !fmLockPassWord->Visible()) fmLockPassWord->ShowModal();
}

void TfmMainOperations::SetLockCheckResult(int result) {
    if (fmLockPassWord != nullptr)
        fmLockPassWord->SetCheckResult(static_cast<std::uint8_t>(result));
}

// ---- preset grids

void TfmMainOperations::SetRecallPresetName(int row, const std::string& text) {
    if (fmRecallPreset != nullptr) fmRecallPreset->SetPresetName(row, text);
}

void TfmMainOperations::SetStorePresetName(int row, const std::string& text) {
    if (fmStorePreset != nullptr) fmStorePreset->SetPresetName(row, text);
}

}  // namespace dsp
