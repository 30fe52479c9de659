// The connect sequence: connect reply, identity, status (operation lock), preset map, current
// preset, preset names and the settings blocks, ending in the image shown and level polling.

#include <tuple>

#include "framework/controls/Label.h"
#include "framework/controls/Menus.h"
#include "framework/runtime/Application.h"
#include "framework/runtime/Timer.h"
#include "framework/text/FileNames.h"
#include "link/forms/FNetWorkScan.h"
#include "mainwindow/FMainSession.h"
#include "model/Lcmd.h"
#include "model/Lunitcontrol.h"
#include "widgets/panels/RzBmpBtn.h"

namespace dsp {

namespace {

constexpr std::string_view kModelText = "WQJ";
constexpr std::string_view kVersionText = "WQJ V010";
constexpr std::size_t kStatusLockByte = 5;
constexpr std::size_t kNameReply = 1 + std::tuple_size_v<PresetNameBytes>;
constexpr std::size_t kBlockReply = 1 + MemoryBlockSize;

}  // namespace

void TfmMainSession::OnConnectReply() {
    SetLinkTimeout(100);
    FConnectPending = false;
    FOnline = true;
    // Whatever an earlier link left pending ends here.
    BeginPhase(TSessionPhase::Identity);
    SendCmd(CommandCode::MCS_GET_IDENTITY);
    SetLinkPaused(false);
    SetLinkRetries(1);
    SetLinkTimeout(5000);
}

void TfmMainSession::OnIdentityReply(std::span<const std::uint8_t> payload) {
    const std::string identity(payload.begin(), payload.end());
    std::string errorKey;
    if (identity.compare(0, kModelText.size(), kModelText) != 0) {
        errorKey = "SID_INFO_ERROR_UNIT";
    } else if (identity.compare(0, kVersionText.size(), kVersionText) != 0) {
        errorKey = "SID_INFO_ERROR_VERSION";
    }
    if (!errorKey.empty()) {
        EndPhase();
        SendCommand(CM_MCS_CMD(255, CommandCode::MCS_DISCONNECT), true, true);
        SetLinkPaused(true);
        if (fmNetwork) {
            // Ends its modal show too, so that nothing waits behind a hidden dialog.
            fmNetwork->Close();
            fmNetwork->Hide();
        }
        FOnline = false;
        ShowInformation(errorKey);
        tmDisconnect->SetEnabled(true);
        return;
    }
    if (rzbMenuLink) rzbMenuLink->SetCaption(GetText("SID_ONLINE"));
    if (Connect) Connect->SetCaption(GetText("SID_DISCONNECT"));
    if (lbShowIp) {
        if (FCommLink) {
            lbShowIp->SetCaption(FCommPortName);
        } else if (FUsbLink) {
            lbShowIp->SetCaption("USB");
        } else if (FNetLink) {
            lbShowIp->SetCaption("IP : " + DeviceIpText());
        }
    }
    if (rzbMenuLink) rzbMenuLink->SetDown(true);
    FSessionOpen = true;
    SetLinkTimeout(FUsbLink ? 5000 : 1000);
    // The status step: a locked processor asks for its password before anything is read.
    FSessionPhase = TSessionPhase::Status;
    SendCmd(CommandCode::MCS_GET_STATUS);
}

void TfmMainSession::OnStatusReply(std::span<const std::uint8_t> payload) {
    if (payload.size() <= kStatusLockByte) {
        std::vector<std::uint8_t> frame(payload.begin(), payload.end());
        if (ReplyMisfit(frame)) SendCmd(CommandCode::MCS_GET_STATUS);
        return;
    }
    if (payload[kStatusLockByte] != 0) {
        // The unlock dialog sends the preset-map request once the password is accepted.
        FSessionPhase = TSessionPhase::Unlock;
        AckState = 8;
        tmUnlockShow->SetEnabled(true);
        return;
    }
    FSessionPhase = TSessionPhase::ReadBack;
    FMisfitRetries = 0;
    SendCmd(CommandCode::MCS_GET_PRESET_MAP);
}

void TfmMainSession::tmUnlockShowTimer(TObject*) {
    tmUnlockShow->SetEnabled(false);
    if (FSessionPhase == TSessionPhase::Unlock) ShowUnlockDialog();
}

void TfmMainSession::OnPresetMapReply(std::span<const std::uint8_t> payload) {
    FSessionPhase = TSessionPhase::ReadBack;
    AckState = 0;
    FMisfitRetries = 0;
    SendCmd(CommandCode::MCS_GET_PRESET_NUMBER);
    (void)FUnitControl->SetPresetMap(payload);
    FUnitControl->ResetPresetGrids();
    StartProgress("SID_UPLOAD_PARAMETER", MemoryBlockCount);
}

void TfmMainSession::OnCurrentPresetReply(std::uint8_t number) {
    FMisfitRetries = 0;
    FPresetNumber = number;
    ReadBackRequestName(0);
}

void TfmMainSession::ReadBackRequestName(int slot) {
    expectedSlot_ = slot;
    SendCmd(CommandCode::MCS_GET_PRESET_NAME, static_cast<std::uint8_t>(slot));
}

void TfmMainSession::ReadBackRequestBlock(int block) {
    expectedBlock_ = block;
    SendCmd(CommandCode::MCS_READ_SETTINGS_BLOCK, static_cast<std::uint8_t>(block));
}

void TfmMainSession::OnPresetNameReply(std::span<const std::uint8_t> payload) {
    const int s = payload.empty() ? -1 : payload[0];
    if (payload.size() < kNameReply || s != expectedSlot_) {
        // A name the read-back did not ask for: a repeat of the last one passes unheard.
        if (s >= 0 && s < expectedSlot_ && payload.size() >= kNameReply) return;
        std::vector<std::uint8_t> frame(payload.begin(), payload.end());
        if (ReplyMisfit(frame)) ReadBackRequestName(expectedSlot_);
        return;
    }
    FMisfitRetries = 0;
    (void)FUnitControl->ShowPresetName(s + 1, payload);
    // The slot holds preset s + 1: its name is the current preset's when that is s + 1.
    if (FPresetNumber == s + 1) (void)FUnitControl->SetPresetName(payload.subspan(1));
    if (s + 1 < PresetSlotCount) {
        ReadBackRequestName(s + 1);
    } else {
        ReadBackRequestBlock(0);
    }
}

void TfmMainSession::ReadDeviceBlocks(std::span<const std::uint8_t> payload) {
    const int b = payload.empty() ? -1 : payload[0];
    if (payload.size() != kBlockReply || b != expectedBlock_) {
        if (b >= 0 && b < expectedBlock_ && payload.size() == kBlockReply) return;
        std::vector<std::uint8_t> frame(payload.begin(), payload.end());
        if (ReplyMisfit(frame)) ReadBackRequestBlock(expectedBlock_);
        return;
    }
    if (Application) SetCurrentDir(ExtractFilePath(Application->ExeName()));
    (void)FUnitControl->ReceiveSettingsBlock(payload);
    FMisfitRetries = 0;
    if (b < MemoryBlockCount - 1) {
        ReadBackRequestBlock(b + 1);
        SetProgressPosition(b);
        return;
    }
    SetProgressPosition(MemoryBlockCount);
    SendCoalescable(CommandCode::MCS_KEEP_ALIVE);
    EndProgress();
    EndPhase();
    ApplyUnitImage();
    tmInLevelDet->SetEnabled(true);
    if (rzbMenuLink) {
        rzbMenuLink->SetEnabled(true);
        rzbMenuLink->SetDown(false);
        rzbMenuLink->SetDown(true);
    }
    if (Connect) Connect->SetEnabled(true);
}

}  // namespace dsp
