// Presets on the processor: store, recall and factory reset. Each starts its acknowledgement
// chain (the session's reply dispatch carries it on) and shows the progress window.

#include "dialogs/FRecallPreset.h"
#include "dialogs/FStorePreset.h"
#include "framework/controls/Label.h"
#include "framework/runtime/Timer.h"
#include "framework/text/Format.h"
#include "framework/text/Gbk.h"
#include "mainwindow/FMainOperations.h"
#include "model/Lcmd.h"
#include "model/Lunitcontrol.h"

namespace dsp {

namespace {

constexpr unsigned kOperationTimeoutMs = 10000;
constexpr int kStoreSteps = 2;
constexpr int kRecallSteps = MemoryBlockCount;

}  // namespace

void TfmMainOperations::StorePreset(int slot, const PresetNameBytes& name) {
    if (!FOnline || slot < 0 || slot >= PresetSlotCount) return;
    BeginPhase(TSessionPhase::Store);
    AckState = 2;
    StopPolling();
    FPresetNumber = slot + 1;
    FUnitControl->SetPresetUsed(slot);
    (void)FUnitControl->SetPresetName(name);
    if (lbPstNum) lbPstNum->SetCaption(Format("U%02d", FPresetNumber));
    if (lbPstName) lbPstName->SetCaption(GbkToUtf8(std::string(name.begin(), name.end())));
    SetLinkTimeout(kOperationTimeoutMs);
    SendCommand(
        CM_MCS_PRESETNAME(static_cast<std::uint8_t>(FDeviceId), FUnitControl->GetPresetName()),
        true, true);
    StartProgress("SID_STORE_PRESET", kStoreSteps);
    ShowProgressModal();
}

void TfmMainOperations::RecallPreset(int number) {
    if (!FOnline || number < 0 || number > PresetSlotCount) return;
    BeginPhase(TSessionPhase::Recall);
    AckState = 1;
    StopPolling();
    SetLinkTimeout(kOperationTimeoutMs);
    FPresetNumber = number;
    SendCmd(CommandCode::MCS_RECALL_PRESET, static_cast<std::uint8_t>(number));
    StartProgress("SID_LOAD_PRESET", kRecallSteps);
    ShowProgressModal();
}

void TfmMainOperations::FactoryReset() {
    if (!FOnline) return;
    BeginPhase(TSessionPhase::Factory);
    AckState = 3;
    StopPolling();
    SetLinkTimeout(kOperationTimeoutMs);
    // The read-back that follows the acknowledgement shows the progress window.
    SendCmd(CommandCode::MCS_FACTORY_RESET);
}

void TfmMainOperations::bStoreClick(TObject*) {
    if (fmStorePreset == nullptr || fmStorePreset->Visible()) return;
    fmStorePreset->lPresetSelect->SetCaption("Store Preset");
    fmStorePreset->ShowModal();
}

void TfmMainOperations::bRecallClick(TObject*) {
    if (fmRecallPreset == nullptr || fmRecallPreset->Visible()) return;
    fmRecallPreset->lPresetSelect->SetCaption("Recall Preset");
    fmRecallPreset->ShowModal();
}

void TfmMainOperations::FactoryDefaultClick(TObject*) {
    if (FOnline) {
        ShowFactoryDialog();
    } else {
        ShowInformation("SID_INFO_CON_FIRST");
    }
}

void TfmMainOperations::ShowFactoryDialog() {}

}  // namespace dsp
