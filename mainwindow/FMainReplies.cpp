// Reply handling: the device check, the dispatch by reply code within the session's phase, the
// acknowledgement chains, and the phase and progress bookkeeping they share.

#include "dialogs/FInformation.h"
#include "framework/controls/Label.h"
#include "framework/runtime/Timer.h"
#include "link/LinkMessages.h"
#include "link/forms/FHidData.h"
#include "link/forms/FNetWorkScan.h"
#include "link/forms/FProcess.h"
#include "mainwindow/FMainSession.h"
#include "mainwindow/SessionRules.h"
#include "model/Lcmd.h"
#include "model/Lunitcontrol.h"
#include "widgets/styled/AdvProgressBar.h"

namespace dsp {

namespace {

// The reply layouts' sizes.
constexpr std::size_t kDeviceBlockReply = DeviceBlockSize;
constexpr std::size_t kBlockReply = 1 + MemoryBlockSize;
constexpr std::size_t kPassCheckReply = 2;
// A settings block comes back under the code of the preset selection.
constexpr std::uint8_t kSettingsBlockReply = CommandCode::MCS_SELECT_PRESET;

}  // namespace

// ---- phases and chains

void TfmMainSession::ClearChainState() {
    AckState = 0;
    FProgressCloseMark = 0;
    FUploadSlot = 0;
    FDownloadSlot = 0;
    FMisfitRetries = 0;
    FProgressPending = false;
    tmProcessShow->SetEnabled(false);
    tmUnlockShow->SetEnabled(false);
}

void TfmMainSession::BeginPhase(TSessionPhase phase) {
    ClearChainState();
    FSessionPhase = phase;
}

void TfmMainSession::EndPhase() {
    FSessionPhase = TSessionPhase::Idle;
    FMisfitRetries = 0;
}

// ---- progress window

void TfmMainSession::StartProgress(const std::string& statusKey, int max) {
    if (fmProcess) {
        fmProcess->SetStatusText(GetText(statusKey));
        fmProcess->ProgressBar->SetPosition(0);
        fmProcess->ProgressBar->SetMax(max);
    }
    FProgressPending = true;
    tmProcessShow->SetEnabled(true);
}

void TfmMainSession::SetProgressPosition(int position) {
    if (fmProcess) fmProcess->ProgressBar->SetPosition(position);
}

void TfmMainSession::EndProgress() {
    FProgressPending = false;
    tmProcessShow->SetEnabled(false);
    if (fmProcess) fmProcess->CloseProgress();
}

void TfmMainSession::ShowProgressModal() {
    FProgressPending = true;
    tmProcessShow->SetEnabled(false);
    if (fmProcess && !fmProcess->Visible()) fmProcess->ShowModal();
}

void TfmMainSession::ShowProgressNonModal() {
    FProgressPending = true;
    tmProcessShow->SetEnabled(false);
    if (fmProcess) fmProcess->Show();
}

void TfmMainSession::HideProgress() {
    FProgressPending = false;
    tmProcessShow->SetEnabled(false);
    if (fmProcess == nullptr) return;
    fmProcess->CloseProgress();
    fmProcess->SetStatusText("");
}

void TfmMainSession::ShowInformation(const std::string& key) {
    if (fmInformation == nullptr) return;
    fmInformation->lbMessage->SetCaption(GetText(key));
    if (!fmInformation->Visible()) fmInformation->ShowModal();
}

void TfmMainSession::tmProcessShowTimer(TObject*) {
    tmProcessShow->SetEnabled(false);
    // Only while its operation is still pending: one that already ended leaves nothing open.
    if (!FProgressPending || fmProcess == nullptr || fmProcess->Visible()) return;
    fmProcess->ShowModal();
}

// ---- replies

bool TfmMainSession::ReplyMisfit(const std::vector<std::uint8_t>& frame) {
    if (TrafficMonitorVisible()) PostTrafficLine("DROP " + HexBytes(frame.data(), frame.size()));
    if (FSessionPhase == TSessionPhase::Idle) return false;
    if (FMisfitRetries < 1) {
        ++FMisfitRetries;
        return true;
    }
    // The processor keeps answering out of shape: the exchange cannot finish.
    EndPhase();
    tmLinkBroken->SetEnabled(true);
    return false;
}

void TfmMainSession::OnDeviceReply(TMessage& message) {
    const std::vector<std::uint8_t>& frame = ReplyFrameOf(message.WParam);
    const LCmd reply(frame, FrameMode::Frame);
    if (!reply.IsFrom(static_cast<std::uint8_t>(FDeviceId))) {
        tmComScan->SetEnabled(true);
        return;
    }
    // The frame belongs to the transport and is emptied once this returns: work on a copy.
    const std::vector<std::uint8_t> payload = reply.GetData();
    const std::span<const std::uint8_t> p(payload);
    const TSessionPhase phase = FSessionPhase;
    const bool readBack = phase == TSessionPhase::ReadBack;
    switch (reply.GetCode()) {
        case CommandCode::MCS_ACK: OnAck(); break;
        case CommandCode::MCS_CONNECT:
            if (phase == TSessionPhase::Connecting) OnConnectReply();
            break;
        case CommandCode::MCS_GET_IDENTITY:
            if (phase != TSessionPhase::Identity) break;
            if (fmNetwork) fmNetwork->ReportConnectResult(1);
            OnIdentityReply(p);
            break;
        case CommandCode::MCS_GET_STATUS:
            if (phase == TSessionPhase::Status) OnStatusReply(p);
            break;
        case CommandCode::MCS_GET_PRESET_MAP:
            if (readBack || phase == TSessionPhase::Unlock) {
                if (p.size() >= PresetSlotCount) {
                    OnPresetMapReply(p);
                } else if (ReplyMisfit(frame)) {
                    SendCmd(CommandCode::MCS_GET_PRESET_MAP);
                }
            }
            break;
        case CommandCode::MCS_GET_PRESET_NUMBER:
            if (!readBack) break;
            if (p.size() >= 1 && p[0] <= PresetSlotCount) {
                OnCurrentPresetReply(p[0]);
            } else if (ReplyMisfit(frame)) {
                SendCmd(CommandCode::MCS_GET_PRESET_NUMBER);
            }
            break;
        case CommandCode::MCS_GET_PRESET_NAME:
            if (readBack) OnPresetNameReply(p);
            break;
        case kSettingsBlockReply:
            if (readBack) ReadDeviceBlocks(p);
            break;
        case CommandCode::CM_MCS_READ_EEPROM:
            if (phase != TSessionPhase::Upload) break;
            if (p.size() == kDeviceBlockReply && FUnitControl->SetDeviceBlock(p)) {
                RequestPresetSlot(FUploadSlot);
            } else {
                ReplyMisfit(frame);
            }
            break;
        case CommandCode::CM_MCS_DOWNLOAD:
            if (phase != TSessionPhase::Download) break;
            if (p.size() >= 1) {
                OnDownloadAck(p);
            } else {
                ReplyMisfit(frame);
            }
            break;
        case CommandCode::MCS_READ_PRESET_BLOCK:
            if (phase != TSessionPhase::Upload) break;
            if (p.size() == kBlockReply && p[0] < MemoryBlockCount) {
                OnPresetBlockReply(p);
            } else {
                ReplyMisfit(frame);
            }
            break;
        case CommandCode::CM_MCS_PASS_SUBMIT:
            if (phase != TSessionPhase::Unlock) break;
            if (p.size() >= kPassCheckReply) {
                if (p[0] == 0) SetLockCheckResult(p[1]);
            } else {
                ReplyMisfit(frame);
            }
            break;
        case CommandCode::MCS_GET_LEVELS:
            if (p.size() < kLevelReplySize) {
                ReplyMisfit(frame);
                break;
            }
            ShowLevels(p);
            if (FProgressCloseMark == 12) {
                FProgressCloseMark = 0;
                SendCoalescable(CommandCode::MCS_KEEP_ALIVE);
                EndProgress();
            }
            break;
        default: break;
    }
}

void TfmMainSession::OnAck() {
    const int state = AckState;
    AckState = 0;
    const TSessionPhase phase = FSessionPhase;
    switch (state) {
        case 1:
            if (phase != TSessionPhase::Recall) break;
            SetLinkTimeout(5000);
            FSessionPhase = TSessionPhase::ReadBack;
            FMisfitRetries = 0;
            ReadBackRequestBlock(0);
            break;
        case 2:
            if (phase != TSessionPhase::Store) break;
            SetLinkTimeout(10000);
            SendCmd(CommandCode::MCS_STORE_PRESET, static_cast<std::uint8_t>(FPresetNumber));
            SetProgressPosition(1);
            AckState = 9;
            break;
        case 9:
            if (phase != TSessionPhase::Store) break;
            if (fmProcess) SetProgressPosition(fmProcess->ProgressBar->Max());
            SendCoalescable(CommandCode::MCS_KEEP_ALIVE);
            EndProgress();
            tmInLevelDet->SetEnabled(true);
            EndPhase();
            break;
        case 3:
        case 6:
            if (phase != (state == 3 ? TSessionPhase::Factory : TSessionPhase::Relink)) break;
            SetLinkTimeout(5000);
            FSessionPhase = TSessionPhase::ReadBack;
            FMisfitRetries = 0;
            SendCmd(CommandCode::MCS_GET_PRESET_MAP);
            break;
        case 4:
            if (phase != TSessionPhase::Upload) break;
            SetLinkTimeout(5000);
            SendCmd(CommandCode::MCS_READ_PRESET_BLOCK, 0);
            break;
        case 10:
            if (phase != TSessionPhase::Download) break;
            SendCommand(CM_MCS_WRITE_EEPROM(
                            static_cast<std::uint8_t>(FDeviceId), 1, 17,
                            std::span<const std::uint8_t>(FPendingDeviceBlock).subspan(1, 17)),
                        true, true);
            AckState = 5;
            break;
        case 5:
            if (phase != TSessionPhase::Download) break;
            DownloadNextSlot(FDownloadSlot);
            break;
        default: break;
    }
}

}  // namespace dsp
